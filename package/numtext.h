// Number text shared by the numeric units: input formats, separator modes, scanners, validity checks and
// formatters. Free functions without state; positions are 1-based and advanced in place.
// Sections: [formats] [separators] [scanners] [checks] [formatters]
#pragma once

#include <cstdint>

#include "package/core/coretypes.h"
#include "package/framework/base/types.h"

namespace jox {

// [formats] ------------------------------------------------------------------------
// Ordinals are stored in form files.
enum TInFormat : uint8_t {
  itExp,       // decimal number with optional exponent
  itFloat,     // decimal number without exponent
  itFixPoint,  // decimal number with a fixed count of decimals
  itInt,       // signed decimal integer
  itHex,       // hexadecimal digits
  itOct,       // octal digits
  itBin,       // binary digits
  itDynamic    // by the first character: "$" hex, "%" binary, "&" octal, else as itExp
};

// [separators] ---------------------------------------------------------------------
// Separator modes the scanners take: which characters count as the decimal separator.
constexpr Integer SepModePoint = 1;  // "."
constexpr Integer SepModeComma = 2;  // ","
constexpr Integer SepModeBoth = 3;   // "." or ","

// True when C is a decimal separator under Mode (1..3; any other mode accepts none).
bool IsDecSeparator(char16_t C, Integer Mode);
// dpsPoint/dpsComma/dpsBoth give modes 1/2/3. dpsSystem: rule A (the edit field) takes comma only
// when the system separator is ","; rule B (the drawn field) takes point only when it is ".".
Integer SepModeRuleA(TDecPSep DecPSep);
Integer SepModeRuleB(TDecPSep DecPSep);

// [scanners] -----------------------------------------------------------------------
// Scans a decimal number from Pos and leaves Pos on the first character not taken
// (Length + 1 when the whole rest was taken). Returns 0 when the text is no number; the result is
// clamped to +-uc_MaxDouble and exponents beyond 4200 are cut off while scanning.
Extended ScanReal(const String& Text, bool AllowExp, Integer SepMode, Integer& Pos);
// Optional spaces and sign, then decimal digits; wraps in 32 bits.
Integer ScanInt(const String& Text, Integer& Pos);
// Digits of base 16 (a "$" at position 1 is skipped), 8 and 2; no sign; wrap in 32 bits, so
// "FFFFFFFF" gives -1.
Integer ScanHex(const String& Text, Integer& Pos);
Integer ScanOct(const String& Text, Integer& Pos);
Integer ScanBin(const String& Text, Integer& Pos);

// [checks] -------------------------------------------------------------------------
// Whether a partly typed text may stand. The decimal checks resolve dpsSystem by rule B.
// IsValidRealText looks no further than where the number ended: "12x" is valid, "1.2.3" is not.
bool IsValidRealText(const String& Text, bool AllowExp, TDecPSep DecPSep);
// Sign, digits, one separator; "-", "." and "1." are valid, spaces and exponents are not.
bool IsValidDecText(const String& Text, TDecPSep DecPSep);
bool IsValidIntText(const String& Text);
// Digits only: no sign, no prefix.
bool IsValidHexText(const String& Text);
bool IsValidOctText(const String& Text);
bool IsValidBinText(const String& Text);

// [formatters] ---------------------------------------------------------------------
// Decimals = -2: exponent notation exactly |Width| characters long (sign place, one digit, ".",
// |Width| - 7 digits, "E", sign, two exponent digits), or as many "*" when the exponent needs three
// digits. Otherwise fixed point with Decimals decimals, right-justified to at least |Width|.
// The separator is always "."; widths are capped at 255 and decimals at 100.
String FormatReal(Integer Width, Integer Decimals, Extended Value);
// Exactly Digits digits (0 counts as 1; at most 16 / 11 / 32), leading zeros kept, no prefix.
String FormatHex(Cardinal Value, Byte Digits);
String FormatOct(Cardinal Value, Byte Digits);
String FormatBin(Cardinal Value, Byte Digits);
// The value the digit formats show: nearest integer (halves to even), its low 32 bits; 0 for
// values that are not finite.
Cardinal RoundToLow32(double Value);

}  // namespace jox
