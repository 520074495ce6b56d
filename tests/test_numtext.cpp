#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "package/numtext.h"

using namespace jox;

namespace {

// Puts the system separator back whatever a test did with it.
struct SystemSeparator {
  char16_t saved = FormatSettings.DecimalSeparator;
  explicit SystemSeparator(char16_t c) { FormatSettings.DecimalSeparator = c; }
  ~SystemSeparator() { FormatSettings.DecimalSeparator = saved; }
};

struct RealScan {
  const char16_t* text;
  bool allowExp;
  Integer mode;
  Integer startPos;
  long double value;
  Integer endPos;
};

}  // namespace

TEST(ScanReal, ValuesAndPositions) {
  const RealScan rows[] = {
      {u"  12.5", true, 1, 1, 12.5L, 7},
      {u"12,5", true, 1, 1, 12, 3},      // "," is no separator in mode 1
      {u"12,5", true, 2, 1, 12.5L, 5},
      {u"12,5", true, 3, 1, 12.5L, 5},
      {u"12.5", true, 2, 1, 12, 3},      // nor "." in mode 2
      {u"-", true, 1, 1, 0, 2},          // lone sign: rejected, but the whole text was walked
      {u"+", true, 1, 1, 0, 2},
      {u"1.", true, 1, 1, 1, 3},
      {u".5", true, 1, 1, 0.5L, 3},
      {u"-.5", true, 1, 1, -0.5L, 4},
      {u"1e3", true, 1, 1, 1000, 4},
      {u"1e3", false, 1, 1, 1, 2},       // without exponents the E ends the number
      {u"1E-2", true, 1, 1, 0.01L, 5},
      {u"1e", true, 1, 1, 1, 3},         // dangling exponent letter
      {u"1e+", true, 1, 1, 1, 4},
      {u"2.5e+", true, 1, 1, 2.5L, 6},
      {u"12x", true, 1, 1, 12, 3},
      {u"12 34", true, 1, 1, 12, 3},
      {u"1.2.3", true, 1, 1, 0, 4},      // second separator rejects
      {u"e5", true, 1, 1, 0, 1},
      {u"", true, 1, 1, 0, 1},
      {u"abc", true, 1, 1, 0, 1},
      {u"x7.25y", true, 1, 2, 7.25L, 6}, // scanning from inside the text
      {u"1e5 ", true, 1, 1, 100000, 4},
      {u"- 1", true, 1, 1, 0, 2},        // no space after the sign
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(ToUtf8(r.text));
    Integer pos = r.startPos;
    long double v = ScanReal(r.text, r.allowExp, r.mode, pos);
    EXPECT_EQ(double(v), double(r.value));
    EXPECT_EQ(pos, r.endPos);
  }
}

TEST(ScanReal, ExponentCutOffAndClamping) {
  Integer pos = 1;
  // The fourth exponent digit would pass 4200, so the scan keeps "1E500": clamped.
  EXPECT_EQ(double(ScanReal(u"1e5000", true, 1, pos)), DBL_MAX);
  EXPECT_EQ(pos, 7);
  pos = 1;
  EXPECT_EQ(double(ScanReal(u"-1e4201", true, 1, pos)), -DBL_MAX);  // "-1E420"
  EXPECT_EQ(pos, 8);
  pos = 1;
  EXPECT_EQ(double(ScanReal(u"1e4200", true, 1, pos)), DBL_MAX);
  pos = 1;
  EXPECT_EQ(double(ScanReal(u"1e-4200", true, 1, pos)), 0.0);
  pos = 1;
  EXPECT_EQ(double(ScanReal(u"9e99999999999999999999", true, 1, pos)), DBL_MAX);  // no overflow inside
  EXPECT_EQ(pos, 23);
  pos = 1;
  EXPECT_EQ(double(ScanReal(u"2e308", true, 1, pos)), DBL_MAX);
  pos = 1;
  EXPECT_EQ(double(ScanReal(u"1.7976931348623157e308", true, 1, pos)), DBL_MAX);
  pos = 1;
  EXPECT_NEAR(double(ScanReal(u"0.000123456789012345", true, 1, pos)), 0.000123456789012345, 1e-19);
}

TEST(ScanReal, PositionOutsideTheTextIsHarmless) {
  Integer pos = 0;
  EXPECT_EQ(double(ScanReal(u"5", true, 1, pos)), 5.0);
  EXPECT_EQ(pos, 2);
  pos = 9;
  EXPECT_EQ(double(ScanReal(u"5", true, 1, pos)), 0.0);
  EXPECT_EQ(pos, 9);
}

TEST(ScanIntegers, DecimalAndDigitFormats) {
  struct Row {
    Integer (*scan)(const String&, Integer&);
    const char16_t* text;
    Integer value;
    Integer endPos;
  } rows[] = {
      {ScanInt, u"  -42x", -42, 6},
      {ScanInt, u"+7", 7, 3},
      {ScanInt, u"-", 0, 2},
      {ScanInt, u"", 0, 1},
      {ScanInt, u" ", 0, 1},             // the last character is never skipped as a space
      {ScanInt, u"4294967297", 1, 11},   // wraps in 32 bits
      {ScanInt, u"2147483648", INT32_MIN, 11},
      {ScanInt, u"-2147483648", INT32_MIN, 12},
      {ScanHex, u"ff", 255, 3},
      {ScanHex, u"$1A", 26, 4},
      {ScanHex, u"FFFFFFFF", -1, 9},
      {ScanHex, u"1FFFFFFFF", -1, 10},
      {ScanHex, u"12G4", 0x12, 3},
      {ScanHex, u"1$2", 1, 2},           // "$" only at the very start
      {ScanHex, u"-1", 0, 1},            // no sign
      {ScanOct, u"777", 511, 4},
      {ScanOct, u"78", 7, 2},
      {ScanOct, u"  17", 15, 5},
      {ScanBin, u"101", 5, 4},
      {ScanBin, u"1012", 5, 4},
      {ScanBin, u"11111111111111111111111111111111", -1, 33},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(ToUtf8(r.text));
    Integer pos = 1;
    EXPECT_EQ(r.scan(r.text, pos), r.value);
    EXPECT_EQ(pos, r.endPos);
  }
}

TEST(ValidityChecks, RealAndDecimalTexts) {
  struct Row {
    const char16_t* text;
    bool real;  // IsValidRealText with exponent, point
    bool dec;   // IsValidDecText, point
  } rows[] = {
      {u"12x", true, false}, {u".", true, true},    {u"1e", true, false},  {u"1e+", true, false},
      {u"-", false, true},   {u"+", false, true},   {u"e5", false, false}, {u"1.2.3", false, false},
      {u"", false, false},   {u"1.", true, true},   {u"-.5", true, true},  {u" 1", true, false},
      {u"1e3", true, false}, {u"12 ", true, false}, {u"1e4200", true, false},
      {u"1e4201", false, false},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(ToUtf8(r.text));
    EXPECT_EQ(IsValidRealText(r.text, true, dpsPoint), r.real);
    EXPECT_EQ(IsValidDecText(r.text, dpsPoint), r.dec);
  }
  EXPECT_TRUE(IsValidRealText(u"1e5", false, dpsPoint));  // E ends the number: state 9
  EXPECT_FALSE(IsValidDecText(u"1.5", dpsComma));
  EXPECT_TRUE(IsValidDecText(u"1,5", dpsComma));
  EXPECT_TRUE(IsValidDecText(u"1,5", dpsBoth));
  EXPECT_FALSE(IsValidRealText(u"1,5,", true, dpsBoth));
}

TEST(ValidityChecks, SystemSeparatorRules) {
  {
    SystemSeparator sep(u',');
    EXPECT_EQ(SepModeRuleA(dpsSystem), SepModeComma);
    EXPECT_EQ(SepModeRuleB(dpsSystem), SepModeComma);
    EXPECT_TRUE(IsValidDecText(u"1,5", dpsSystem));
  }
  {
    SystemSeparator sep(u'\'');  // neither: A takes the point, B the comma
    EXPECT_EQ(SepModeRuleA(dpsSystem), SepModePoint);
    EXPECT_EQ(SepModeRuleB(dpsSystem), SepModeComma);
  }
  {
    SystemSeparator sep(u'.');
    EXPECT_EQ(SepModeRuleA(dpsSystem), SepModePoint);
    EXPECT_EQ(SepModeRuleB(dpsSystem), SepModePoint);
    EXPECT_FALSE(IsValidDecText(u"1,5", dpsSystem));
  }
  EXPECT_EQ(SepModeRuleA(dpsBoth), SepModeBoth);
  EXPECT_EQ(SepModeRuleB(dpsComma), SepModeComma);
}

TEST(ValidityChecks, IntegerAndDigitTexts) {
  // A lone sign is no integer, "+0" is; digit texts take neither sign nor prefix.
  for (const char16_t* t : {u"+", u"-", u"1-", u"", u"$FF"}) EXPECT_FALSE(IsValidIntText(t)) << ToUtf8(t);
  EXPECT_TRUE(IsValidIntText(u"+0"));
  EXPECT_TRUE(IsValidHexText(u"09afAF"));
  for (const char16_t* t : {u"$FF", u"g", u"-1", u""}) EXPECT_FALSE(IsValidHexText(t)) << ToUtf8(t);
  EXPECT_TRUE(IsValidOctText(u"0717"));
  EXPECT_FALSE(IsValidOctText(u"8"));
  EXPECT_TRUE(IsValidBinText(u"0101"));
  EXPECT_FALSE(IsValidBinText(u"012"));
}

TEST(FormatReal, ExponentLayout) {
  struct Row {
    Integer width;
    long double value;
    const char16_t* text;
  } rows[] = {
      {12, 0, u" 0.00000E+00"},
      {12, 1234.5L, u" 1.23450E+03"},
      {-12, 1234.5L, u" 1.23450E+03"},
      {12, -0.00123L, u"-1.23000E-03"},
      {10, 1e99L, u" 1.000E+99"},
      {12, 1e150L, u"************"},
      {12, -1e-150L, u"************"},
      {12, 9.999999e99L, u"************"},  // rounds up into a three-digit exponent
      {8, 2.5L, u" 2.5E+00"},
      {7, 1234.5L, u" 1.E+03"},  // exactly |Width| characters: no fraction digit left
      {-7, -9.6L, u"-1.E+01"},
      {7, 1e150L, u"*******"},
      {5, 1234.5L, u" 1.E+03"},  // narrower than the layout allows: its seven characters
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(double(r.value));
    EXPECT_EQ(FormatReal(r.width, -2, r.value), r.text);
  }
}

TEST(FormatReal, FixedPointAndBadArguments) {
  EXPECT_EQ(FormatReal(1, 2, -3.14159L), u"-3.14");
  EXPECT_EQ(FormatReal(1, 0, 1234.5L), u"1234");  // halves to even
  EXPECT_EQ(FormatReal(1, 8, 0.1L), u"0.10000000");
  EXPECT_EQ(FormatReal(7, 1, 2.25L), u"    2.2");
  EXPECT_EQ(FormatReal(-7, 1, 2.0L), u"    2.0");
  EXPECT_EQ(FormatReal(1, -1, 2.7L), u"3");
  EXPECT_EQ(FormatReal(INT32_MIN, 0, 1).size(), 255u);
  EXPECT_EQ(FormatReal(1, 1000000, 1).size(), 102u);
  EXPECT_EQ(FormatReal(1, 2, 1e300L).size(), 301u + 3u);
  EXPECT_EQ(FormatReal(12, -2, INFINITY).size(), 12u);
  EXPECT_EQ(FormatReal(1, 2, NAN), u"NAN");
}

TEST(FormatDigits, CountsAndClamps) {
  struct Row {
    String (*format)(Cardinal, Byte);
    Cardinal value;
    Byte digits;
    const char16_t* text;
  } rows[] = {
      {FormatHex, 255, 8, u"000000FF"},
      {FormatHex, 0xFFFFFFFFu, 8, u"FFFFFFFF"},
      {FormatHex, 0x12345678u, 2, u"78"},
      {FormatHex, 0xABCu, 0, u"C"},
      {FormatHex, 1, 40, u"0000000000000001"},
      {FormatBin, 5, 8, u"00000101"},
      {FormatBin, 0x80000000u, 255, u"10000000000000000000000000000000"},
      {FormatOct, 8, 0, u"0"},
      {FormatOct, 8, 3, u"010"},
      {FormatOct, 0xFFFFFFFFu, 20, u"37777777777"},
  };
  for (const auto& r : rows) EXPECT_EQ(r.format(r.value, r.digits), r.text);
}

TEST(FormatDigits, RoundingToLow32Bits) {
  EXPECT_EQ(RoundToLow32(1234.5), 1234u);
  EXPECT_EQ(RoundToLow32(1235.5), 1236u);
  EXPECT_EQ(RoundToLow32(-1), 0xFFFFFFFFu);
  EXPECT_EQ(RoundToLow32(4294967296.0 + 3), 3u);
  EXPECT_EQ(RoundToLow32(-2.5), 0xFFFFFFFEu);
  EXPECT_EQ(RoundToLow32(1e300), 0u);  // a multiple of 2^32
  EXPECT_EQ(RoundToLow32(NAN), 0u);
}
