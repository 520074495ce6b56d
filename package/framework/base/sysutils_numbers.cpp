// Text to number and number to text.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "package/framework/base/sysutils.h"

namespace jox {

Integer MulDiv(Integer A, Integer B, Integer C) {
  if (C == 0) return -1;
  const int64_t p = int64_t(A) * B;
  const int64_t q = (std::llabs(p) * 2 + std::llabs(int64_t(C))) / (2 * std::llabs(int64_t(C)));
  return Integer(((p < 0) != (C < 0)) ? -q : q);
}

TFormatSettings FormatSettings;

// [text to integer] --------------------------------------------------------------
// Leading blanks, a sign, then decimal digits or "$"/"0x" hexadecimal; nothing may follow.
// Hexadecimal texts are bit patterns: up to Bits bits, read as two's complement.
static bool ParseInt(const String& S, int Bits, Int64& Out) {
  size_t i = 0, n = S.size();
  while (i < n && (S[i] == u' ' || S[i] == u'\t')) ++i;
  bool neg = false;
  if (i < n && (S[i] == u'+' || S[i] == u'-')) neg = S[i++] == u'-';
  bool hex = false;
  if (i < n && S[i] == u'$') { hex = true; ++i; }
  else if (i + 1 < n && S[i] == u'0' && (S[i + 1] == u'x' || S[i + 1] == u'X')) { hex = true; i += 2; }
  if (i >= n) return false;
  uint64_t v = 0;
  const uint64_t maxMag = hex ? (Bits == 64 ? ~uint64_t(0) : (uint64_t(1) << Bits) - 1)
                              : (uint64_t(1) << (Bits - 1)) - (neg ? 0 : 1);
  for (; i < n; ++i) {
    char16_t c = S[i];
    unsigned d;
    if (c >= u'0' && c <= u'9') d = c - u'0';
    else if (hex && c >= u'a' && c <= u'f') d = c - u'a' + 10;
    else if (hex && c >= u'A' && c <= u'F') d = c - u'A' + 10;
    else return false;
    unsigned base = hex ? 16 : 10;
    if (v > (maxMag - d) / base) return false;
    v = v * base + d;
  }
  if (hex) {
    // Sign-extend the bit pattern to the target width.
    Int64 r = Bits == 64 ? Int64(v) : (v >= (uint64_t(1) << (Bits - 1)) ? Int64(v) - (Int64(1) << Bits) : Int64(v));
    Out = neg ? Int64(0 - uint64_t(r)) : r;
    return true;
  }
  Out = neg ? Int64(0 - v) : Int64(v);
  return true;
}

[[noreturn]] static void InvalidInteger(const String& S) {
  throw EConvertError(u"'" + S + u"' is not a valid integer value");
}

bool TryStrToInt(const String& S, Integer& Value) {
  Int64 v;
  if (!ParseInt(S, 32, v)) return false;
  Value = Integer(v);
  return true;
}
bool TryStrToInt64(const String& S, Int64& Value) { return ParseInt(S, 64, Value); }
Integer StrToInt(const String& S) {
  Integer v;
  if (!TryStrToInt(S, v)) InvalidInteger(S);
  return v;
}
Int64 StrToInt64(const String& S) {
  Int64 v;
  if (!TryStrToInt64(S, v)) InvalidInteger(S);
  return v;
}
Integer StrToIntDef(const String& S, Integer Default) {
  Integer v;
  return TryStrToInt(S, v) ? v : Default;
}
Int64 StrToInt64Def(const String& S, Int64 Default) {
  Int64 v;
  return TryStrToInt64(S, v) ? v : Default;
}

// [text to float] ----------------------------------------------------------------
bool TryStrToFloat(const String& S, Extended& Value, const TFormatSettings& Settings) {
  size_t i = 0, n = S.size();
  while (i < n && S[i] <= u' ') ++i;
  while (n > i && S[n - 1] <= u' ') --n;
  std::string a;
  if (i < n && (S[i] == u'+' || S[i] == u'-')) {
    if (S[i] == u'-') a += '-';
    ++i;
  }
  String rest = UpperCase(S.substr(i, n - i));
  if (rest == u"INF" || rest == u"NAN") {
    Value = rest == u"NAN" ? std::numeric_limits<Extended>::quiet_NaN()
                           : (a.empty() ? 1 : -1) * std::numeric_limits<Extended>::infinity();
    return true;
  }
  int digits = 0;
  while (i < n && S[i] >= u'0' && S[i] <= u'9') { a += char(S[i++]); ++digits; }
  if (i < n && S[i] == Settings.DecimalSeparator) {
    a += '.';
    ++i;
    while (i < n && S[i] >= u'0' && S[i] <= u'9') { a += char(S[i++]); ++digits; }
  }
  if (digits == 0) return false;
  if (i < n && (S[i] == u'e' || S[i] == u'E')) {
    a += 'e';
    ++i;
    if (i < n && (S[i] == u'+' || S[i] == u'-')) a += char(S[i++]);
    int ed = 0;
    while (i < n && S[i] >= u'0' && S[i] <= u'9') { a += char(S[i++]); ++ed; }
    if (ed == 0) return false;
  }
  if (i != n) return false;
  long double v = 0;
  auto r = std::from_chars(a.data(), a.data() + a.size(), v);
  if (r.ec != std::errc() || r.ptr != a.data() + a.size()) {
    // Underflow (a negative exponent) is zero, overflow is refused.
    size_t e = a.find('e');
    if (r.ec == std::errc::result_out_of_range && e != std::string::npos && a[e + 1] == '-') {
      Value = 0;
      return true;
    }
    return false;
  }
  Value = v;
  return true;
}

bool TryStrToFloat(const String& S, Extended& Value) { return TryStrToFloat(S, Value, FormatSettings); }
bool TryStrToFloat(const String& S, double& Value) {
  Extended e;
  if (!TryStrToFloat(S, e, FormatSettings)) return false;
  if (std::isfinite(e) && std::fabs(e) > std::numeric_limits<double>::max()) return false;
  Value = double(e);
  return true;
}
Extended StrToFloat(const String& S, const TFormatSettings& Settings) {
  Extended v;
  if (!TryStrToFloat(S, v, Settings)) throw EConvertError(u"'" + S + u"' is not a valid floating point value");
  return v;
}
Extended StrToFloat(const String& S) { return StrToFloat(S, FormatSettings); }
Extended StrToFloatDef(const String& S, Extended Default) {
  Extended v;
  return TryStrToFloat(S, v) ? v : Default;
}

// [booleans, hex] ----------------------------------------------------------------
bool TryStrToBool(const String& S, bool& Value) {
  String t = Trim(S);
  if (SameText(t, u"True")) { Value = true; return true; }
  if (SameText(t, u"False")) { Value = false; return true; }
  Extended e;
  if (TryStrToFloat(t, e)) { Value = e != 0; return true; }
  return false;
}
bool StrToBool(const String& S) {
  bool b;
  if (!TryStrToBool(S, b)) throw EConvertError(u"'" + S + u"' is not a valid boolean value");
  return b;
}
String BoolToStr(bool B, bool UseBoolStrs) {
  if (UseBoolStrs) return B ? u"True" : u"False";
  return B ? u"-1" : u"0";
}

String IntToHex(Int64 Value, Integer Digits) {
  static const char16_t* hexd = u"0123456789ABCDEF";
  uint64_t v = uint64_t(Value);
  String s;
  do {
    s.insert(s.begin(), hexd[v & 15]);
    v >>= 4;
  } while (v);
  if (Integer(s.size()) < Digits) s.insert(0, size_t(Digits) - s.size(), u'0');
  return s;
}

String UIntToStr(uint64_t Value) {
  std::string t = std::to_string(Value);
  return String(t.begin(), t.end());
}

}  // namespace jox
