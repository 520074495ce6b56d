// The process clipboard, with an optional mirror to the system's.
#include "package/framework/controls/clipbrd.h"

namespace jox {

void TClipboard::Sync() const {
  if (!FMirror.Pull) return;
  String text;
  if (FMirror.Pull(text)) {
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
  if (FMirror.Push) FMirror.Push(&FText);
}

bool TClipboard::HasFormat(Word Format) const {
  Sync();
  return FHasText && (Format == CF_TEXT || Format == CF_UNICODETEXT || Format == CF_OEMTEXT);
}

void TClipboard::Clear() {
  FText.clear();
  FHasText = false;
  if (FMirror.Push) FMirror.Push(nullptr);
}

TClipboard* Clipboard() {
  static TClipboard clipboard;
  return &clipboard;
}

}  // namespace jox
