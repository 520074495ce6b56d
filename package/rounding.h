// Rounding shared by the units that turn values into pixels and digits.
#pragma once

#include <cmath>
#include <cstdint>

namespace jox {

// Nearest integer, halves to even (the default rounding mode), never "-0".
inline double RoundHalfEven(double X) {
  const double r = std::nearbyint(X);
  return r == 0 ? 0.0 : r;
}

// Division and remainder rounding towards minus infinity (B > 0): rows, columns and raster phases stay
// on one grid on both sides of 0.
inline int64_t FloorDiv(int64_t A, int64_t B) {
  const int64_t q = A / B;
  return (A % B != 0 && (A < 0) != (B < 0)) ? q - 1 : q;
}
inline int64_t FloorMod(int64_t A, int64_t B) { return A - FloorDiv(A, B) * B; }

}  // namespace jox
