// UTF-8 decoding into a caller's buffer, for readers that place texts without a string each.
#pragma once

#include <cstddef>
#include <string_view>

namespace jox {

// FromUtf8 into Out: stops once Limit code units are written (a surrogate pair may make it
// Limit + 1) and returns how many were. No byte gives more than one unit, so Out needs
// min(s.size(), Limit + 1) units.
size_t Utf8ToUtf16(std::string_view s, char16_t* Out, size_t Limit);

}  // namespace jox
