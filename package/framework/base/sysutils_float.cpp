// Number to text: FloatToStrF, FloatToStr and picture formats.
#include <algorithm>
#include <charconv>
#include <cmath>

#include "package/framework/base/sysutils.h"
#include "package/framework/base/sysutils_decimal.h"

namespace jox {

// [decimal digits] ---------------------------------------------------------------
TDecimal ToDecimal(Extended Value) {
  TDecimal d;
  d.Negative = std::signbit(Value);
  Value = std::fabs(Value);
  if (Value == 0) return d;
  char buf[64];
  // 18 significant digits: all an extended value holds; rounding then works on this text.
  auto r = std::to_chars(buf, buf + sizeof buf, Value, std::chars_format::scientific, 17);
  std::string_view s(buf, size_t(r.ptr - buf));
  size_t e = s.find('e');
  for (size_t i = 0; i < e; ++i)
    if (s[i] != '.') d.Digits += s[i];
  int exp10 = 0;
  std::from_chars(s.data() + e + 1 + (s[e + 1] == '+'), s.data() + s.size(), exp10);
  d.Exponent = exp10 + 1;
  d.Trim();
  return d;
}

void TDecimal::Trim() {
  while (!Digits.empty() && Digits.back() == '0') Digits.pop_back();
  size_t lead = Digits.find_first_not_of('0');
  if (lead == std::string::npos) {
    Digits.clear();
    Exponent = 0;
  } else if (lead > 0) {
    Digits.erase(0, lead);
    Exponent -= int(lead);
  }
}

// Keeps Count significant digits, halves away from zero.
void TDecimal::RoundTo(int Count) {
  if (Count < 0) {
    Digits.clear();
    Exponent = 0;
    return;
  }
  if (int(Digits.size()) <= Count) return;
  bool up = Digits[size_t(Count)] >= '5';
  Digits.resize(size_t(Count));
  if (up) {
    int i = Count - 1;
    while (i >= 0 && Digits[size_t(i)] == '9') Digits[size_t(i--)] = '0';
    if (i < 0) {
      Digits.insert(Digits.begin(), '1');
      ++Exponent;
    } else {
      ++Digits[size_t(i)];
    }
  }
  Trim();
}

// The integer digits ("0" when none) and Decimals fraction digits of a rounded decimal.
static void SplitFixed(const TDecimal& d, int Decimals, std::string& Int, std::string& Frac) {
  Int.clear();
  Frac.clear();
  for (int p = 0; p < d.Exponent; ++p) Int += p < int(d.Digits.size()) ? d.Digits[size_t(p)] : '0';
  if (Int.empty()) Int.push_back('0');
  for (int p = d.Exponent; p < d.Exponent + Decimals; ++p)
    Frac += (p >= 0 && p < int(d.Digits.size())) ? d.Digits[size_t(p)] : '0';
}

static String Ascii(const std::string& s) { return String(s.begin(), s.end()); }

static String GroupThousands(const std::string& Int, char16_t Sep) {
  String out;
  for (size_t i = 0; i < Int.size(); ++i) {
    if (i > 0 && (Int.size() - i) % 3 == 0 && Sep) out += Sep;
    out += char16_t(Int[i]);
  }
  return out;
}

static String ExponentText(int E, int MinDigits, bool PlusSign) {
  String s = E < 0 ? u"-" : (PlusSign ? u"+" : u"");
  String n = IntToStr(E < 0 ? -E : E);
  if (int(n.size()) < MinDigits) n.insert(0, size_t(MinDigits) - n.size(), u'0');
  return u"E" + s + n;
}

// Mantissa "d.ddd" of a rounded decimal with at least MinFrac fraction digits, then the exponent.
static String Scientific(const TDecimal& d, int MinFrac, int ExpDigits, bool PlusSign, char16_t DecSep) {
  std::string digits = d.Digits.empty() ? "0" : d.Digits;
  String s(1, char16_t(digits[0]));
  std::string frac = digits.substr(1);
  if (int(frac.size()) < MinFrac) frac.append(size_t(MinFrac) - frac.size(), '0');
  if (!frac.empty()) s += DecSep + Ascii(frac);
  return s + ExponentText(d.Digits.empty() ? 0 : d.Exponent - 1, ExpDigits, PlusSign);
}

static String General(TDecimal d, int Precision, int ExpDigits, char16_t DecSep) {
  d.RoundTo(Precision);
  if (d.Digits.empty()) return u"0";
  if (d.Exponent > Precision || d.Exponent < -3) return Scientific(d, 0, ExpDigits, false, DecSep);
  std::string Int, Frac;
  SplitFixed(d, std::max(0, int(d.Digits.size()) - d.Exponent), Int, Frac);
  return Frac.empty() ? Ascii(Int) : Ascii(Int) + DecSep + Ascii(Frac);
}

static String CurrencyText(const String& Num, bool Neg, const TFormatSettings& S) {
  const String& c = S.CurrencyString;
  if (!Neg) {
    switch (S.CurrencyFormat) {
      case 1: return Num + c;
      case 2: return c + u" " + Num;
      case 3: return Num + u" " + c;
      default: return c + Num;
    }
  }
  switch (S.NegCurrFormat) {
    case 1: return u"-" + c + Num;
    case 2: return c + u"-" + Num;
    case 3: return c + Num + u"-";
    case 4: return u"(" + Num + c + u")";
    case 5: return u"-" + Num + c;
    case 6: return Num + u"-" + c;
    case 7: return Num + c + u"-";
    case 8: return u"-" + Num + u" " + c;
    case 9: return u"-" + c + u" " + Num;
    case 10: return Num + u" " + c + u"-";
    case 11: return c + u" " + Num + u"-";
    case 12: return c + u" -" + Num;
    case 13: return Num + u"- " + c;
    case 14: return u"(" + c + u" " + Num + u")";
    case 15: return u"(" + Num + u" " + c + u")";
    default: return u"(" + c + Num + u")";
  }
}

String FloatToStrF(Extended Value, TFloatFormat Format, Integer Precision, Integer Digits,
                   const TFormatSettings& Settings) {
  if (std::isnan(Value)) return u"NAN";
  if (std::isinf(Value)) return Value < 0 ? u"-INF" : u"INF";
  Precision = std::clamp(Precision, 1, 18);
  const char16_t sep = Settings.DecimalSeparator;
  TDecimal d = ToDecimal(Value);
  auto sign = [&](const TDecimal& r, String s) { return (r.Negative && !r.Digits.empty()) ? u"-" + s : s; };
  switch (Format) {
    case ffExponent: {
      d.RoundTo(Precision);
      return sign(d, Scientific(d, Precision - 1, std::clamp(Digits, 0, 4), true, sep));
    }
    case ffFixed:
    case ffNumber:
    case ffCurrency: {
      Digits = std::clamp(Digits, 0, 18);
      if (d.Exponent > Precision) return sign(d, General(d, Precision, 0, sep));
      d.RoundTo(std::min(Precision, d.Exponent + Digits));
      std::string Int, Frac;
      SplitFixed(d, Digits, Int, Frac);
      String num = Format == ffFixed ? Ascii(Int) : GroupThousands(Int, Settings.ThousandSeparator);
      if (!Frac.empty()) num += sep + Ascii(Frac);
      if (Format == ffCurrency) return CurrencyText(num, d.Negative && !d.Digits.empty(), Settings);
      return sign(d, num);
    }
    default: {
      TDecimal r = d;
      r.RoundTo(Precision);
      return sign(r, General(d, Precision, std::clamp(Digits, 0, 4), sep));
    }
  }
}

String FloatToStrF(Extended Value, TFloatFormat Format, Integer Precision, Integer Digits) {
  return FloatToStrF(Value, Format, Precision, Digits, FormatSettings);
}
String FloatToStr(Extended Value, const TFormatSettings& Settings) {
  return FloatToStrF(Value, ffGeneral, 15, 0, Settings);
}
String FloatToStr(Extended Value) { return FloatToStr(Value, FormatSettings); }

// [picture formats] --------------------------------------------------------------
namespace {
struct TPicture {
  int IntPlaces = 0;     // '0' and '#' before the point
  int IntZeros = 0;      // '0' before the point: minimum integer digits
  int FracZeros = 0;     // up to the last '0' after the point: minimum decimals
  int FracPlaces = 0;    // '0' and '#' after the point: maximum decimals
  bool Thousands = false;
  bool Scientific = false;
  bool ExpPlus = false;
  int ExpDigits = 0;
};

// Splits a format into its ';' sections, quotes respected.
std::vector<String> Sections(const String& F) {
  std::vector<String> out(1);
  char16_t quote = 0;
  for (char16_t c : F) {
    if (quote) { if (c == quote) quote = 0; }
    else if (c == u'"' || c == u'\'') quote = c;
    else if (c == u';') { out.emplace_back(); continue; }
    out.back() += c;
  }
  return out;
}

TPicture Analyse(const String& F) {
  TPicture p;
  bool afterPoint = false;
  char16_t quote = 0;
  for (size_t i = 0; i < F.size(); ++i) {
    char16_t c = F[i];
    if (quote) { if (c == quote) quote = 0; continue; }
    if (c == u'"' || c == u'\'') { quote = c; continue; }
    if (p.Scientific) continue;
    if (c == u'0' || c == u'#') {
      if (afterPoint) {
        ++p.FracPlaces;
        if (c == u'0') p.FracZeros = p.FracPlaces;
      } else {
        ++p.IntPlaces;
        if (c == u'0') ++p.IntZeros;
      }
    } else if (c == u'.') {
      afterPoint = true;
    } else if (c == u',') {
      if (!afterPoint) p.Thousands = true;
    } else if ((c == u'E' || c == u'e') && i + 1 < F.size() && (F[i + 1] == u'+' || F[i + 1] == u'-')) {
      p.Scientific = true;
      p.ExpPlus = F[i + 1] == u'+';
      for (size_t k = i + 2; k < F.size() && F[k] == u'0'; ++k) ++p.ExpDigits;
    }
  }
  return p;
}
}  // namespace

String FormatFloat(const String& Format, Extended Value, const TFormatSettings& Settings) {
  if (std::isnan(Value)) return u"NAN";
  if (std::isinf(Value)) return Value < 0 ? u"-INF" : u"INF";
  std::vector<String> secs = Sections(Format);
  String sec = secs[0];
  bool neg = Value < 0;
  bool useSign = true;
  if (Value == 0 && secs.size() >= 3 && !secs[2].empty()) sec = secs[2];
  else if (neg && secs.size() >= 2 && !secs[1].empty()) { sec = secs[1]; useSign = false; }
  TPicture p = Analyse(sec);
  if (p.IntPlaces == 0 && p.FracPlaces == 0 && !p.Scientific) {
    // No digit placeholders: the section is text (or empty: general format).
    if (sec.empty()) return FloatToStrF(Value, ffGeneral, 15, 0, Settings);
  }

  TDecimal d = ToDecimal(Value);
  std::string Int, Frac;
  int exp10 = 0;
  if (p.Scientific) {
    int intDigits = std::max(1, p.IntPlaces);
    if (!d.Digits.empty()) {
      exp10 = d.Exponent - intDigits;
      d.Exponent = intDigits;
    }
    d.RoundTo(std::min(18, intDigits + p.FracPlaces));
    if (d.Exponent > intDigits) { d.Exponent = intDigits; ++exp10; }
  } else {
    d.RoundTo(std::min(18, d.Exponent + p.FracPlaces));
  }
  SplitFixed(d, p.FracPlaces, Int, Frac);
  while (int(Frac.size()) > p.FracZeros && !Frac.empty() && Frac.back() == '0') Frac.pop_back();
  if (Int == "0" && p.IntZeros == 0) Int.clear();
  if (int(Int.size()) < p.IntZeros) Int.insert(0, size_t(p.IntZeros) - Int.size(), '0');
  bool showMinus = useSign && neg && !d.Digits.empty();

  String out;
  if (showMinus) out += u'-';
  int intIndex = 0;  // integer placeholders seen
  int fracIndex = 0;
  bool afterPoint = false;
  char16_t quote = 0;
  const int extra = int(Int.size()) - p.IntPlaces;  // digits the first placeholder takes in addition
  auto emitInt = [&](int from, int to) {
    for (int k = from; k < to; ++k) {
      if (k < 0) continue;
      if (p.Thousands && k > 0 && (int(Int.size()) - k) % 3 == 0 && Settings.ThousandSeparator)
        out += Settings.ThousandSeparator;
      out += char16_t(Int[size_t(k)]);
    }
  };
  for (size_t i = 0; i < sec.size(); ++i) {
    char16_t c = sec[i];
    if (quote) {
      if (c == quote) quote = 0;
      else out += c;
      continue;
    }
    if (c == u'"' || c == u'\'') { quote = c; continue; }
    if (c == u'0' || c == u'#') {
      if (!afterPoint) {
        int pos = intIndex + extra;  // digit index this placeholder stands for
        emitInt(intIndex == 0 ? 0 : pos, pos + 1);  // the first one takes all excess digits
        ++intIndex;
      } else {
        if (fracIndex < int(Frac.size())) out += char16_t(Frac[size_t(fracIndex)]);
        ++fracIndex;
      }
    } else if (c == u'.') {
      if (!afterPoint && !Frac.empty()) out += Settings.DecimalSeparator;
      afterPoint = true;
    } else if (c == u',') {
      // Placed by the thousands grouping.
    } else if (p.Scientific && (c == u'E' || c == u'e') && i + 1 < sec.size() &&
               (sec[i + 1] == u'+' || sec[i + 1] == u'-')) {
      String e = ExponentText(exp10, p.ExpDigits, p.ExpPlus);
      e[0] = c;
      out += e;
      i += 1 + size_t(p.ExpDigits);
    } else {
      out += c;
    }
  }
  return out;
}

String FormatFloat(const String& Format, Extended Value) { return FormatFloat(Format, Value, FormatSettings); }

}  // namespace jox
