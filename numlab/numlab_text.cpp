// The value texts of TNumLab's display types.
#include <cmath>

#include "package/numtext.h"
#include "numlab/numlab.h"

namespace jox {

namespace {

constexpr char16_t Degree = u'\u00B0';
// Whole numbers beyond this do not fit the 64-bit integers the integer formats write.
constexpr long double MaxWhole = 9.2e18L;
// TDateTime of 0001-01-01 and of 9999-12-31.
constexpr double MinDate = -693593, MaxDate = 2958466;

// Digits of base 2^Bits that Value needs (at least one), raised to Wanted.
Byte DigitCount(Cardinal Value, int Bits, Integer Wanted) {
  int n = 1;
  while (Bits * n < 32 && (Value >> (Bits * n)) != 0) ++n;
  return Byte(std::max<Integer>(n, Wanted));
}

String Fixed(long double V, Integer Decimals) { return Format(u"%*.*f", 0, Decimals, V); }

// Exponent as dtExp writes it: "E", sign, three digits.
String ExponentText(int E) { return Format(u"E%s%.3d", E < 0 ? u"-" : u"+", E < 0 ? -E : E); }

// Engineering notation: the exponent a multiple of 3, the mantissa 1 <= |m| < 1000 after rounding.
String Engineering(double V, Integer Decimals) {
  if (!std::isfinite(V)) return Format(u"%g", V);
  int e = 0;
  if (V != 0) e = int(std::floor(std::log10(std::fabs(V)) / 3)) * 3;
  for (int pass = 0; pass < 2; ++pass) {
    const long double m = (long double)V / std::pow(10.0L, e);
    String s = Fixed(m, Decimals);
    const long double shown = std::fabs(std::nearbyint(m * std::pow(10.0L, Decimals)) / std::pow(10.0L, Decimals));
    if (shown < 1000 || pass == 1) return s + ExponentText(e);
    e += 3;  // rounding carried the mantissa to 1000
  }
  return String();
}

// Degrees, and minutes and seconds when Parts is 2 or 3; the last part has Decimals decimals.
// Rounding happens in units of the last part, so 59.999' carries into the next degree.
// Empty when the value has too many degrees to count.
String Sexagesimal(double V, Integer Decimals, int Parts) {
  const long double scale = std::pow(10.0L, Decimals);
  const long double perDeg = (Parts == 2 ? 60 : 3600) * scale;
  const long double total = std::nearbyint(std::fabs((long double)V) * perDeg);
  if (!(total < MaxWhole)) return String();
  const auto units = static_cast<long long>(total);
  const auto unitsPerDeg = static_cast<long long>(perDeg);
  const long long deg = units / unitsPerDeg;
  long long rest = units % unitsPerDeg;
  String s = (V < 0 && units != 0 ? u"-" : u"") + IntToStr(deg) + String(1, Degree);
  const auto unitsPerMin = static_cast<long long>(scale * (Parts == 2 ? 1 : 60));
  const long long min = rest / unitsPerMin;
  rest %= unitsPerMin;
  const auto part = [&](long long whole, long long fraction) {
    String t = Format(u"%.2d", whole);
    if (Decimals > 0) t += u"." + Format(u"%.*d", Decimals, fraction);
    return t;
  };
  if (Parts == 2) return s + part(min, rest) + u"'";
  const auto scaleI = static_cast<long long>(scale);
  return s + Format(u"%.2d", min) + u"'" + part(rest / scaleI, rest % scaleI) + u"\"";
}

}  // namespace

String TNumLab::FormatValue() const {
  const double v = FLabValue;
  String s;
  switch (FDisplayType) {
    case dtFloat: s = Format(u"%*.*g", 0, FDecP, v); break;
    case dtFixP: s = Format(u"%*.*f", 0, FDecP, v); break;
    case dtExp: s = Format(u"%*.*e", 0, FDecP, v); break;
    case dtInt:
    case dtZeroInt: {
      const double r = std::nearbyint(v);  // the default rounding mode: halves to even
      if (!(std::fabs(r) < double(MaxWhole))) return FOverFlowIndi;
      s = Format(u"%*.*d", 0, FDisplayType == dtInt ? 0 : FDecP, Int64(r));
      break;
    }
    case dtHex: {
      const Cardinal c = RoundToLow32(v);
      return u"$" + FormatHex(c, DigitCount(c, 4, FDecP));
    }
    case dtBin: {
      const Cardinal c = RoundToLow32(v);
      return FormatBin(c, DigitCount(c, 1, FDecP));
    }
    case dtOct: {
      const Cardinal c = RoundToLow32(v);
      s = FormatOct(c, DigitCount(c, 3, FDecP));
      break;
    }
    case dtDateTime:
      if (!(v >= MinDate && v < MaxDate)) return FOverFlowIndi;
      return FormatDateTime(FDtFormat, v);
    case dtState: return FStateText;
    case dtDeg: s = Fixed(v, FDecP) + String(1, Degree); break;
    case dtDegMin:
    case dtDegMinSec:
      s = Sexagesimal(v, FDecP, FDisplayType == dtDegMin ? 2 : 3);
      if (s.empty()) return FOverFlowIndi;
      break;
    case dtEEng: s = Engineering(v, FDecP); break;
    case dtEEngNoDP: s = Engineering(v, 0); break;
  }
  const char16_t from = FComma ? u'.' : u',', to = FComma ? u',' : u'.';
  for (char16_t& c : s)
    if (c == from) c = to;
  if (FPlusSign && v > 0) s.insert(0, 1, u'+');
  return s;
}

}  // namespace jox
