// The text clipboard of the process. The window backend mirrors it to the system's.
#pragma once


#include "package/framework/base/types.h"

namespace jox {

constexpr Word CF_TEXT = 1, CF_BITMAP = 2, CF_OEMTEXT = 7, CF_UNICODETEXT = 13;

class TClipboard {
 public:
  // The text held, "" when there is none.
  String AsText() const;
  // Holds Value as text (also an empty one); replaces what was there.
  void SetAsText(const String& Value);
  // CF_TEXT, CF_OEMTEXT and CF_UNICODETEXT while text is held.
  bool HasFormat(Word Format) const;
  void Clear();
  // Nesting counters as the platform keeps them; changes work whether open or not.
  void Open() { ++FOpenCount; }
  void Close() { if (FOpenCount > 0) --FOpenCount; }

 private:
  void Sync() const;
  mutable String FText;
  mutable bool FHasText = false;
  Integer FOpenCount = 0;
};

TClipboard* Clipboard();

}  // namespace jox
