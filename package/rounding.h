// Rounding shared by the units that turn values into pixels and digits.
#pragma once

#include <cmath>

namespace jox {

// Nearest integer, halves to even (the default rounding mode), never "-0".
inline double RoundHalfEven(double X) {
  const double r = std::nearbyint(X);
  return r == 0 ? 0.0 : r;
}

}  // namespace jox
