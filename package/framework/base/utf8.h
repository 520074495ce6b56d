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

inline bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c < 0xDC00; }
inline bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c < 0xE000; }

// Pos (0 .. size) moved back off the middle of a surrogate pair: a caret stands between characters.
inline size_t Utf16Boundary(std::u16string_view s, size_t Pos) {
  if (Pos > s.size()) return s.size();
  return Pos > 0 && Pos < s.size() && IsHighSurrogate(s[Pos - 1]) && IsLowSurrogate(s[Pos]) ? Pos - 1 : Pos;
}
// The position one character after Pos (two units over a pair), at most size.
inline size_t Utf16Next(std::u16string_view s, size_t Pos) {
  Pos = Utf16Boundary(s, Pos);
  if (Pos >= s.size()) return s.size();
  return Pos + 1 < s.size() && IsHighSurrogate(s[Pos]) && IsLowSurrogate(s[Pos + 1]) ? Pos + 2 : Pos + 1;
}
// The position one character before Pos, at least 0.
inline size_t Utf16Prev(std::u16string_view s, size_t Pos) {
  Pos = Utf16Boundary(s, Pos);
  if (Pos == 0) return 0;
  return Pos >= 2 && IsLowSurrogate(s[Pos - 1]) && IsHighSurrogate(s[Pos - 2]) ? Pos - 2 : Pos - 1;
}

// s cut to at most Limit units without parting a surrogate pair.
inline std::u16string_view Utf16Cut(std::u16string_view s, size_t Limit) {
  return s.substr(0, Utf16CutLength(s, Limit));
}

}  // namespace jox
