// UTF-8 decoding into a caller's buffer, for readers that place texts without a string each.
#pragma once

#include <cstddef>
#include <string_view>

namespace jox {

// FromUtf8 into Out: stops once Limit code units are written (a surrogate pair may make it
// Limit + 1) and returns how many were. No byte gives more than one unit, so Out needs
// min(s.size(), Limit + 1) units.
size_t Utf8ToUtf16(std::string_view s, char16_t* Out, size_t Limit);

// How many units of s remain when it is cut to at most Limit: one fewer where the cut would
// part a surrogate pair, since a lone half is no character and no writer will take it.
inline size_t Utf16CutLength(std::u16string_view s, size_t Limit) {
  if (s.size() <= Limit) return s.size();
  const bool parts = Limit > 0 && s[Limit - 1] >= 0xD800 && s[Limit - 1] < 0xDC00 && s[Limit] >= 0xDC00 &&
                     s[Limit] < 0xE000;
  return parts ? Limit - 1 : Limit;
}

// s cut to at most Limit units without parting a surrogate pair.
inline std::u16string_view Utf16Cut(std::u16string_view s, size_t Limit) {
  return s.substr(0, Utf16CutLength(s, Limit));
}

}  // namespace jox
