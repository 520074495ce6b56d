// Numeric routines of the numerics package.
#pragma once

#include "package/framework/base/types.h"

namespace jox {

// Whether Text is a decimal integer that fits 32 bits: optional blanks, an optional sign, at least
// one digit, optional blanks. The overload also gives the value.
bool IsValidDecInt(const String& Text);
bool IsValidDecInt(const String& Text, Integer& Value);

// The largest integer not greater than Value, clamped to the 32-bit range; 0 for not-a-number.
Integer IntNeg(double Value);

}  // namespace jox
