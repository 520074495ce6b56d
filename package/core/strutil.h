// String tools of the base package. Positions are 1-based like the platform's Pos and Copy.
#pragma once

#include "package/core/coretypes.h"

namespace jox {

// Splits Text at every occurrence of Delimiter into Pieces (replacing its contents) and returns the
// number of pieces. An empty text has no pieces; "a|" gives "a" and ""; an empty delimiter gives the
// whole text as one piece.
Integer Tokenize(const String& Text, const String& Delimiter, TOpenStringArray& Pieces);

// Value in fixed notation with Decimals decimals (0 .. 40), right-aligned in a field of at least Width
// characters (0 .. 300). Negative Decimals give exponent notation. Not-a-number gives "NAN", infinities
// "INF" and "-INF". The decimal separator is always ".".
String strff(double Value, Integer Width, Integer Decimals);

// Text cut or padded with blanks on the right to exactly N characters (N <= 0 gives "").
String LeftString(const String& Text, Integer N);

// Text with Ch appended unless it already ends with Ch (an empty text becomes Ch).
String EnsureTrailingChar(char16_t Ch, const String& Text);
// Path with a trailing path separator; an empty path stays empty so that it never turns into the root.
String EnsureTrailingBkSlash(const String& Path);

// Text without the control characters U+0000 .. U+001F and U+007F.
String RemoveControlChars(const String& Text);
// Text without every leading (trailing) Ch.
String StripLeadingChars(char16_t Ch, const String& Text);
String StripTrailingChars(char16_t Ch, const String& Text);

// Position of the N-th occurrence (N >= 1) of Sub in Text, searched from position Start on; 0 when
// there is none, when Sub is empty or N < 1. Start below 1 counts as 1. IgnoreCase compares ASCII
// letters without case.
Integer NumberedPos(const String& Sub, const String& Text, Integer Start, Integer N, bool IgnoreCase);

// Text with every Old character replaced by New.
String ReplaceCharInString(const String& Text, char16_t Old, char16_t New);

// Random text of N letters and digits (at most 255; N <= 0 gives ""). Not for cryptographic use.
String InventPassword(Integer N);

}  // namespace jox
