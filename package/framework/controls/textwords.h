// Words of the text controls: one rule for the edit and the memo (Ctrl+arrows, Ctrl+Backspace, a double
// click). A word is a run of characters between blanks and line breaks.
#pragma once

#include <string_view>

namespace jox {

constexpr bool IsWordSeparator(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

// Start and end of the word around Pos (Pos itself when it lies between separators).
inline size_t WordStartAt(std::u16string_view s, size_t Pos) {
  if (Pos > s.size()) Pos = s.size();
  while (Pos > 0 && !IsWordSeparator(s[Pos - 1])) --Pos;
  return Pos;
}
inline size_t WordEndAt(std::u16string_view s, size_t Pos) {
  if (Pos > s.size()) Pos = s.size();
  while (Pos < s.size() && !IsWordSeparator(s[Pos])) ++Pos;
  return Pos;
}

}  // namespace jox
