// The text clipboard of the process. The window backend mirrors it to the system's.
#pragma once

#include <functional>

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

  // The window backend: Pull asks the system clipboard (returns false when it has no text),
  // Push hands every change to it (nullopt-like: empty function means no mirror).
  struct TMirror {
    std::function<bool(String& Text)> Pull;
    std::function<void(const String* Text)> Push;  // nullptr for Clear
  };
  void SetMirror(TMirror m) { FMirror = std::move(m); }

 private:
  void Sync() const;
  mutable String FText;
  mutable bool FHasText = false;
  Integer FOpenCount = 0;
  TMirror FMirror;
};

TClipboard* Clipboard();

}  // namespace jox
