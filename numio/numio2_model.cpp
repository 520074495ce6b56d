#include "numio/numio2_model.h"

#include <cmath>
#include <cstdio>

namespace jox::numio2 {

namespace {

// A text that passed IsValidIntText as a 32-bit integer; too large a magnitude saturates towards
// its sign.
double ReadDecimalInteger(const String& s) {
  bool neg = s[0] == u'-';
  size_t i = (s[0] == u'-' || s[0] == u'+') ? 1 : 0;
  int64_t v = 0;
  for (; i < s.size(); ++i) {
    v = v * 10 + (s[i] - u'0');
    if (v > int64_t(INT32_MAX) + 1) break;
  }
  if (neg) return v > int64_t(INT32_MAX) + 1 ? INT32_MIN : double(-v);
  return v > INT32_MAX ? INT32_MAX : double(v);
}

double ScanDecimal(const String& s) {
  Integer pos = 1;
  return double(ScanReal(s, true, SepModeBoth, pos));
}

template <Integer (*Scan)(const String&, Integer&)>
double ScanDigits(const String& s) {
  Integer pos = 1;
  return Scan(s, pos);
}

String ReplaceSeparator(String s, char16_t sep) {
  if (sep != u'.')
    for (auto& c : s)
      if (c == u'.') c = sep;
  return s;
}

String IntegerText(double X) {
  char buf[400];  // the largest double has 309 digits
  std::snprintf(buf, sizeof buf, "%.0f", RoundHalfEven(X));
  return FromUtf8(buf);
}

}  // namespace

double ReadValue(const String& Buffer, TInFormat Format) {
  switch (Format) {
    case itInt:
      return !Buffer.empty() && IsValidIntText(Buffer) ? ReadDecimalInteger(Buffer) : 0;
    case itHex: return ScanDigits<ScanHex>(Buffer);
    case itOct: return ScanDigits<ScanOct>(Buffer);
    case itBin: return ScanDigits<ScanBin>(Buffer);
    case itDynamic: {
      if (Buffer.empty()) return 0;
      String rest = Buffer.substr(1);
      switch (Buffer[0]) {
        case u'$': return ScanDigits<ScanHex>(rest);
        case u'%': return ScanDigits<ScanBin>(rest);
        case u'&': return ScanDigits<ScanOct>(rest);
        default: return ScanDecimal(Buffer);
      }
    }
    default: return ScanDecimal(Buffer);
  }
}

String WriteValue(double X, TInFormat Format, Integer DecP, Integer SigDig, char16_t Sep) {
  if (std::isnan(X)) X = 0;
  if (std::isinf(X)) X = X > 0 ? uc_MaxDouble : -uc_MaxDouble;
  switch (Format) {
    case itExp: return ReplaceSeparator(FormatReal(SigDig + 6, -2, X), Sep);
    case itFloat:
    case itFixPoint: return ReplaceSeparator(FormatReal(1, DecP, X), Sep);
    case itHex: return FormatHex(RoundToLow32(X), 8);
    case itOct: return FormatOct(RoundToLow32(X), 11);
    case itBin: return FormatBin(RoundToLow32(X), 32);
    default: return IntegerText(X);  // itInt, itDynamic
  }
}

bool IsValidText(const String& Text, TInFormat Format, Integer DecP, TDecPSep DecPSep) {
  switch (Format) {
    case itExp: return IsValidRealText(Text, true, DecPSep);
    case itFloat: return IsValidDecText(Text, DecPSep);
    case itFixPoint: {
      // Exactly DecP characters after the separator the field writes.
      if (!IsValidDecText(Text, DecPSep)) return false;
      Integer at = Integer(Text.find(WrittenSeparator(DecPSep)) + 1);  // 0 when absent
      return at == Integer(Text.size()) - DecP;
    }
    case itInt: return IsValidIntText(Text);
    case itHex: return IsValidHexText(Text);
    case itOct: return IsValidOctText(Text);
    case itBin: return IsValidBinText(Text);
    case itDynamic: {
      if (Text.empty()) return false;
      String rest = Text.substr(1);
      switch (Text[0]) {
        case u'$': return IsValidHexText(rest);
        case u'%': return IsValidBinText(rest);
        case u'&': return IsValidOctText(rest);
        default: return IsValidRealText(Text, true, DecPSep);
      }
    }
  }
  return false;
}

char16_t WrittenSeparator(TDecPSep DecPSep) {
  return SepModeRuleB(DecPSep) == SepModeComma ? u',' : u'.';
}

char16_t SeparatorChar(TDecPSep DecPSep) {
  switch (DecPSep) {
    case dpsComma: return u',';
    case dpsSystem: return SepModeRuleB(dpsSystem) == SepModeComma ? u',' : u'.';
    default: return u'.';
  }
}

char16_t KeyChar(Word Key, bool Shifted) {
  if (Key >= '0' && Key <= '9') {
    if (Shifted && Key == '4') return u'$';
    if (Shifted && Key == '5') return u'%';
    if (Shifted && Key == '6') return u'&';
    return char16_t(Key);
  }
  if (Key >= 'A' && Key <= 'F') return char16_t(Key);  // hexadecimal digits
  if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD0 + 9) return char16_t(u'0' + (Key - VK_NUMPAD0));
  switch (Key) {
    case VK_ADD: case VK_OEM_PLUS: return u'+';
    case VK_SUBTRACT: case VK_OEM_MINUS: return u'-';
    case VK_DECIMAL: case VK_OEM_COMMA: return u',';
    case VK_OEM_PERIOD: return u'.';
    default: return 0;
  }
}

Integer NearestPivot(const std::vector<double>& Pivots, double V) {
  Integer best = -1;
  double bestDist = 0;
  for (size_t i = 0; i < Pivots.size(); ++i) {
    double d = std::fabs(Pivots[i] - V);
    if (best < 0 || d < bestDist) {
      best = Integer(i);
      bestDist = d;
    }
  }
  return best;
}

double StepByPivots(const std::vector<double>& Pivots, double V, bool Up, double Eps) {
  Integer i = NearestPivot(Pivots, V);
  if (i < 0) return V;
  Integer last = Integer(Pivots.size()) - 1;
  if (Up) {
    if (V >= Pivots[i] - Eps && i < last) ++i;
  } else {
    if (V <= Pivots[i] + Eps && i > 0) --i;
  }
  return Pivots[i];
}

double GaugeValue(double Fraction, double Lo, double Hi) {
  double v = Lo + Fraction * (Hi - Lo);
  if (!std::isfinite(v)) v = Lo * (1 - Fraction) + Hi * Fraction;  // Hi - Lo overflowed
  return v;
}

}  // namespace jox::numio2
