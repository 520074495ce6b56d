// The process clipboard, mirrored to the system's through the platform host.
#include "package/framework/controls/clipbrd.h"

#include "package/framework/controls/application.h"

namespace jox {

void TClipboard::Sync() const {
  String text;
  if (PlatformHost()->GetClipboardText(text)) {
    FText = text;
    FHasText = true;
  }
}

String TClipboard::AsText() const {
  Sync();
  return FHasText ? FText : String();
}

void TClipboard::SetAsText(const String& Value) {
  FText = Value;
  FHasText = true;
  PlatformHost()->SetClipboardText(&FText);
}

bool TClipboard::HasFormat(Word Format) const {
  Sync();
  return FHasText && (Format == CF_TEXT || Format == CF_UNICODETEXT || Format == CF_OEMTEXT);
}

void TClipboard::Clear() {
  FText.clear();
  FHasText = false;
  PlatformHost()->SetClipboardText(nullptr);
}

TClipboard* Clipboard() {
  static TClipboard clipboard;
  return &clipboard;
}

}  // namespace jox
