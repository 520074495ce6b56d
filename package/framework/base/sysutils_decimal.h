// Decimal digits of a floating-point value, shared by the number formatters.
#pragma once

#include <string>

#include "package/framework/base/types.h"

namespace jox {

// Value = 0.Digits * 10^Exponent; Digits has no leading or trailing zeros and is empty for zero.
struct TDecimal {
  bool Negative = false;
  std::string Digits;
  int Exponent = 0;

  void Trim();
  void RoundTo(int Count);  // Count significant digits, halves away from zero
};

TDecimal ToDecimal(Extended Value);  // finite values only

}  // namespace jox
