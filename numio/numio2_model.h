// The value model of TNumIO2 apart from the control: reading and writing the text buffer in each
// input format, the online check, the keys that type characters, and stepping by pivots.
// TNumIO2 keeps the state; these functions only compute.
#pragma once

#include <vector>

#include "package/numtext.h"
#include "package/rounding.h"

namespace jox::numio2 {

// The buffer as a number under Format; text after the number is ignored, "" reads as 0.
double ReadValue(const String& Buffer, TInFormat Format);

// The buffer that shows X under Format. Decimal texts use Sep as separator.
String WriteValue(double X, TInFormat Format, Integer DecP, Integer SigDig, char16_t Sep);

// Whether Text may stand as the buffer under Format (the online check).
bool IsValidText(const String& Text, TInFormat Format, Integer DecP, TDecPSep DecPSep);

// The separator character the field writes for a setting: "," when the setting reads only commas,
// "." otherwise.
char16_t WrittenSeparator(TDecPSep DecPSep);
// The character a separator setting stands for when the buffer is converted to another setting.
char16_t SeparatorChar(TDecPSep DecPSep);

// The character a key types, or 0 when the key types none.
char16_t KeyChar(Word Key, bool Shifted);

// Index of the pivot nearest to V (the first of equally near ones); -1 when there are none.
Integer NearestPivot(const std::vector<double>& Pivots, double V);

// The value a button press gives when pivots are set: the next pivot up or down from V, where Eps
// is the tolerance of "already on a pivot".
double StepByPivots(const std::vector<double>& Pivots, double V, bool Up, double Eps);

// The value the gauge stands for at Fraction (0 at the left edge, 1 at the right) of Lo..Hi.
double GaugeValue(double Fraction, double Lo, double Hi);

using jox::RoundHalfEven;

}  // namespace jox::numio2
