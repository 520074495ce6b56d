// Sections: [separators] [real machine] [scanners] [checks] [formatters]
#include "package/numtext.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "package/framework/base/sysutils.h"

namespace jox {

// [separators] ---------------------------------------------------------------------
bool IsDecSeparator(char16_t C, Integer Mode) {
  switch (Mode) {
    case SepModePoint: return C == u'.';
    case SepModeComma: return C == u',';
    case SepModeBoth: return C == u'.' || C == u',';
    default: return false;
  }
}

Integer SepModeRuleA(TDecPSep DecPSep) {
  if (DecPSep == dpsSystem) return FormatSettings.DecimalSeparator == u',' ? SepModeComma : SepModePoint;
  return Integer(DecPSep) <= SepModeBoth ? Integer(DecPSep) : SepModePoint;
}

Integer SepModeRuleB(TDecPSep DecPSep) {
  if (DecPSep == dpsSystem) return FormatSettings.DecimalSeparator == u'.' ? SepModePoint : SepModeComma;
  return Integer(DecPSep) <= SepModeBoth ? Integer(DecPSep) : SepModePoint;
}

// [real machine] -------------------------------------------------------------------
// One transition table serves the scanner and the check. States: 1 start, 2 after sign, 3 integer
// digits, 4 after separator, 5 fraction digits, 6 after "E", 7 after the exponent's sign,
// 8 exponent digits, 9 accepted, -1 rejected.
namespace {

enum CharClass { ccSep, ccSpace, ccSign, ccDigit, ccE, ccOther };
constexpr int8_t kExpOrEnd = 10;  // state 6 when exponents are allowed, 9 otherwise
constexpr int8_t kNext[9][6] = {
    {-1, -1, -1, -1, -1, -1},              // (unused)
    {4, 1, 2, 3, -1, -1},                  // 1
    {4, -1, -1, 3, -1, -1},                // 2
    {4, 9, 9, 3, kExpOrEnd, 9},            // 3
    {-1, 9, 9, 5, kExpOrEnd, 9},           // 4
    {-1, 9, 9, 5, kExpOrEnd, 9},           // 5
    {-1, -1, 7, 8, -1, 9},                 // 6
    {-1, -1, -1, 8, -1, 9},                // 7
    {9, 9, 9, 8, 9, 9},                    // 8
};
constexpr Integer kMaxExponent = 4200;

CharClass Classify(char16_t c, Integer mode) {
  if (IsDecSeparator(c, mode)) return ccSep;
  if (c >= u'0' && c <= u'9') return ccDigit;
  switch (c) {
    case u' ': return ccSpace;
    case u'+': case u'-': return ccSign;
    case u'E': case u'e': return ccE;
    default: return ccOther;
  }
}

// Runs the machine from Pos; Num (when given) receives the accepted characters without the
// leading spaces, "," written as ".". With RejectBigExp an exponent beyond the limit rejects;
// otherwise its further digits are dropped. Returns the final state; Pos ends one past the
// character that ended the machine.
int RunRealMachine(const String& text, bool allowExp, Integer mode, Integer& pos, std::string* num,
                   bool rejectBigExp) {
  const Integer len = Integer(text.size());
  int state = 1;
  Integer expDigits = 0;  // magnitude so far, saturated just above the limit
  while (state > 0 && state != 9) {
    char16_t c = (pos >= 1 && pos <= len) ? text[size_t(pos - 1)] : u'Z';
    ++pos;
    CharClass cls = Classify(c, mode);
    int next = kNext[state][cls];
    if (next == kExpOrEnd) next = allowExp ? 6 : 9;
    if (next == 8 && cls == ccDigit) {
      Integer d = c - u'0';
      expDigits = (state == 8) ? std::min<Integer>(expDigits * 10 + d, kMaxExponent + 1) : d;
    }
    state = next;
    if (state >= 1 && state <= 8) {
      if (expDigits > kMaxExponent) {
        if (rejectBigExp) state = -1;
      } else if (num && !(state == 1 && cls == ccSpace)) {
        num->push_back(cls == ccSep ? '.' : char(c));
      }
    }
  }
  return state;
}

// Converts the accepted characters; a missing exponent ("1E", "1E+") counts as none.
Extended ConvertAccepted(std::string& num) {
  if (!num.empty() && num.back() == '.') num.push_back('0');
  const char* first = num.data();
  const char* last = first + num.size();
  bool negative = false;
  if (first < last && (*first == '+' || *first == '-')) {
    negative = *first == '-';
    ++first;
  }
  double v = 0;
  auto res = std::from_chars(first, last, v, std::chars_format::general);
  if (res.ec == std::errc::result_out_of_range) {
    // Tell overflow from underflow by the decimal exponent of the first significant digit.
    long e10 = 0, intDigits = 0, leadZeros = 0;
    bool inFrac = false, seenNonZero = false;
    const char* p = first;
    for (; p < last && *p != 'E' && *p != 'e'; ++p) {
      if (*p == '.') { inFrac = true; continue; }
      if (*p != '0') seenNonZero = true;
      if (!inFrac && seenNonZero) ++intDigits;
      if (inFrac && !seenNonZero) ++leadZeros;
    }
    if (p < last) e10 = std::strtol(std::string(p + 1, last).c_str(), nullptr, 10);
    e10 += intDigits > 0 ? intDigits : -leadZeros;
    v = e10 > 0 ? uc_MaxDouble : 0.0;
  } else if (res.ec != std::errc()) {
    v = 0;  // no digits at all, e.g. ".E5"
  }
  Extended r = negative ? -Extended(v) : Extended(v);
  if (r > uc_MaxDouble) r = uc_MaxDouble;
  if (r < -uc_MaxDouble) r = -uc_MaxDouble;
  return r;
}

}  // namespace

// [scanners] -----------------------------------------------------------------------
Extended ScanReal(const String& Text, bool AllowExp, Integer SepMode, Integer& Pos) {
  if (Pos < 1) Pos = 1;
  std::string num;
  int state = RunRealMachine(Text, AllowExp, SepMode, Pos, &num, false);
  --Pos;
  return state == 9 ? ConvertAccepted(num) : 0;
}

namespace {

void SkipSpaces(const String& text, Integer& pos) {
  if (pos < 1) pos = 1;
  while (pos < Integer(text.size()) && text[size_t(pos - 1)] == u' ') ++pos;
}

// Digit value of an upper-cased character in the given base, -1 when it is none.
int DigitValue(char16_t c, int base) {
  int d = -1;
  if (c >= u'0' && c <= u'9') d = c - u'0';
  else if (c >= u'A' && c <= u'F') d = c - u'A' + 10;
  return d < base ? d : -1;
}

Integer ScanBase(const String& text, Integer& pos, int base) {
  SkipSpaces(text, pos);
  uint32_t value = 0;
  const Integer len = Integer(text.size());
  while (pos <= len) {
    char16_t c = text[size_t(pos - 1)];
    if (c >= u'a' && c <= u'z') c = char16_t(c - 32);
    ++pos;
    if (base == 16 && c == u'$' && pos - 1 == 1) continue;
    int d = DigitValue(c, base);
    if (d < 0) {
      --pos;
      break;
    }
    value = value * uint32_t(base) + uint32_t(d);
  }
  return Integer(value);
}

}  // namespace

Integer ScanInt(const String& Text, Integer& Pos) {
  if (Text.empty()) return 0;
  SkipSpaces(Text, Pos);
  const Integer len = Integer(Text.size());
  bool negative = false;
  if (Pos <= len && (Text[size_t(Pos - 1)] == u'-' || Text[size_t(Pos - 1)] == u'+')) {
    negative = Text[size_t(Pos - 1)] == u'-';
    ++Pos;
  }
  uint32_t value = 0;
  while (Pos <= len && Text[size_t(Pos - 1)] >= u'0' && Text[size_t(Pos - 1)] <= u'9') {
    value = value * 10u + uint32_t(Text[size_t(Pos - 1)] - u'0');
    ++Pos;
  }
  return Integer(negative ? 0u - value : value);
}

Integer ScanHex(const String& Text, Integer& Pos) { return ScanBase(Text, Pos, 16); }
Integer ScanOct(const String& Text, Integer& Pos) { return ScanBase(Text, Pos, 8); }
Integer ScanBin(const String& Text, Integer& Pos) { return ScanBase(Text, Pos, 2); }

// [checks] -------------------------------------------------------------------------
bool IsValidRealText(const String& Text, bool AllowExp, TDecPSep DecPSep) {
  if (Text.empty()) return false;
  Integer pos = 1;
  return RunRealMachine(Text, AllowExp, SepModeRuleB(DecPSep), pos, nullptr, true) == 9;
}

bool IsValidDecText(const String& Text, TDecPSep DecPSep) {
  if (Text.empty()) return false;
  const Integer mode = SepModeRuleB(DecPSep);
  // 0 start, 1 after sign, 2 after separator, 3 integer digits, 4 fraction digits, 5 rejected
  int state = 0;
  for (char16_t c : Text) {
    const bool digit = c >= u'0' && c <= u'9';
    const bool sep = IsDecSeparator(c, mode);
    switch (state) {
      case 0:
        state = (c == u'+' || c == u'-') ? 1 : sep ? 2 : digit ? 3 : 5;
        break;
      case 1: case 3:
        state = sep ? 2 : digit ? 3 : 5;
        break;
      default:  // 2, 4
        state = digit ? 4 : 5;
        break;
    }
    if (state == 5) break;
  }
  return state != 5;
}

bool IsValidIntText(const String& Text) {
  if (Text.empty()) return false;
  auto isDigit = [](char16_t c) { return c >= u'0' && c <= u'9'; };
  if (Text.size() == 1) return isDigit(Text[0]);
  if (!(Text[0] == u'+' || Text[0] == u'-' || isDigit(Text[0]))) return false;
  for (size_t i = 1; i < Text.size(); ++i)
    if (!isDigit(Text[i])) return false;
  return true;
}

namespace {
bool AllDigitsOf(const String& text, int base) {
  if (text.empty()) return false;
  for (char16_t c : text) {
    if (c >= u'a' && c <= u'f') c = char16_t(c - 32);
    if (DigitValue(c, base) < 0) return false;
  }
  return true;
}
}  // namespace

bool IsValidHexText(const String& Text) { return AllDigitsOf(Text, 16); }
bool IsValidOctText(const String& Text) { return AllDigitsOf(Text, 8); }
bool IsValidBinText(const String& Text) { return AllDigitsOf(Text, 2); }

// [formatters] ---------------------------------------------------------------------
namespace {

constexpr Int64 kMaxWidth = 255;
constexpr Integer kMaxDecimals = 100;

std::string PrintF(const char* fmt, int prec, Extended v) {
  char small[128];
  int n = std::snprintf(small, sizeof small, fmt, prec, v);
  if (n < 0) return {};
  if (size_t(n) < sizeof small) return std::string(small, size_t(n));
  std::string big(size_t(n) + 1, '\0');
  std::snprintf(big.data(), big.size(), fmt, prec, v);
  big.resize(size_t(n));
  return big;
}

String PadLeft(const std::string& s, Int64 width) {
  String out;
  if (Int64(s.size()) < width) out.assign(size_t(width - Int64(s.size())), u' ');
  out.append(s.begin(), s.end());
  return out;
}

String NonFinite(Extended v, Int64 width) {
  return PadLeft(std::isnan(v) ? "NAN" : v < 0 ? "-INF" : "INF", width);
}

// Sign place, d.ddd, "E", sign, four exponent digits, then the two leading exponent digits cut.
String FormatExponent(Int64 width, Extended value) {
  // Width 7 leaves no fraction digit: " 1.E+03". "#" keeps the point then.
  const int frac = int(std::max<Int64>(width - 7, 0));
  std::string m = PrintF("%#.*Le", frac, std::fabs(value));  // d.ddde+xx
  const size_t e = m.find('e');
  const long exponent = std::strtol(m.c_str() + e + 1, nullptr, 10);
  std::string out;
  out.reserve(size_t(width) + 2);
  out.push_back(std::signbit(value) ? '-' : ' ');
  out.append(m, 0, e);
  out.push_back('E');
  out.push_back(exponent < 0 ? '-' : '+');
  char digits[8];
  std::snprintf(digits, sizeof digits, "%04ld", std::labs(exponent) % 10000);
  out.append(digits + 2, 2);
  if (std::labs(exponent) >= 100) return String(out.size(), u'*');
  return PadLeft(out, width);
}

String FormatDigits(Cardinal value, Byte digits, Byte maxDigits, unsigned bits) {
  int n = digits == 0 ? 1 : std::min(digits, maxDigits);
  String out(size_t(n), u'0');
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  for (int i = n - 1; i >= 0; --i) {
    out[size_t(i)] = kDigits[value & ((1u << bits) - 1)];
    value >>= bits;
  }
  return out;
}

}  // namespace

String FormatReal(Integer Width, Integer Decimals, Extended Value) {
  const Int64 width = std::min<Int64>(std::llabs(Int64(Width)), kMaxWidth);
  if (!std::isfinite(Value)) return NonFinite(Value, width);
  if (Decimals == -2) return FormatExponent(width, Value);
  const int decimals = std::clamp(Decimals, 0, kMaxDecimals);
  return PadLeft(PrintF("%.*Lf", decimals, Value), width);
}

String FormatHex(Cardinal Value, Byte Digits) { return FormatDigits(Value, Digits, 16, 4); }
String FormatOct(Cardinal Value, Byte Digits) { return FormatDigits(Value, Digits, 11, 3); }
String FormatBin(Cardinal Value, Byte Digits) { return FormatDigits(Value, Digits, 32, 1); }

Cardinal RoundToLow32(double Value) {
  if (!std::isfinite(Value)) return 0;
  double r = std::fmod(std::nearbyint(Value), 4294967296.0);
  if (r < 0) r += 4294967296.0;
  return Cardinal(r);
}

}  // namespace jox
