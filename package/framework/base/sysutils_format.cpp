// Format: the platform's printf-like text builder.
#include <vector>

#include "package/framework/base/sysutils.h"

namespace jox {

namespace {
class TFormatter {
 public:
  TFormatter(const String& Fmt, std::initializer_list<TVarRec> Args, const TFormatSettings& S)
      : FFmt(Fmt), FArgs(Args), FSettings(S) {}

  String Run() {
    String out;
    size_t i = 0;
    const size_t n = FFmt.size();
    while (i < n) {
      char16_t c = FFmt[i++];
      if (c != u'%') { out += c; continue; }
      if (i < n && FFmt[i] == u'%') { out += u'%'; ++i; continue; }
      out += Conversion(i);
    }
    return out;
  }

 private:
  [[noreturn]] void Invalid() const {
    throw EConvertError(u"Format '" + FFmt + u"' invalid or incompatible with argument");
  }
  const TVarRec& NextArg() {
    if (FNext >= FArgs.size()) throw EConvertError(u"No argument for format '" + FFmt + u"'");
    return FArgs.begin()[FNext++];
  }
  // A number or '*' (taken from the arguments); -1 when absent.
  Integer Number(size_t& i) {
    if (i < FFmt.size() && FFmt[i] == u'*') {
      ++i;
      const TVarRec& a = NextArg();
      if (a.Kind != TVarRec::vtInteger && a.Kind != TVarRec::vtUnsigned) Invalid();
      return Integer(a.I);
    }
    if (i >= FFmt.size() || FFmt[i] < u'0' || FFmt[i] > u'9') return -1;
    Int64 v = 0;
    while (i < FFmt.size() && FFmt[i] >= u'0' && FFmt[i] <= u'9') {
      v = v * 10 + (FFmt[i++] - u'0');
      if (v > 1000000) Invalid();  // no sane width; refuse before it costs memory
    }
    return Integer(v);
  }

  String Conversion(size_t& i) {
    const size_t n = FFmt.size();
    Integer first = Number(i);
    if (i < n && FFmt[i] == u':') {
      if (first < 0) first = 0;
      FNext = size_t(first);
      ++i;
      first = -1;
    }
    bool left = false;
    Integer width = first;
    if (width < 0) {
      if (i < n && FFmt[i] == u'-') { left = true; ++i; }
      width = Number(i);
    }
    Integer prec = -1;
    if (i < n && FFmt[i] == u'.') {
      ++i;
      prec = Number(i);
      if (prec < 0) prec = 0;
    }
    if (i >= n) Invalid();
    char16_t type = FFmt[i++];
    if (type >= u'A' && type <= u'Z') type = char16_t(type + 32);
    String body = Convert(type, prec, NextArg());
    if (width > 0 && Integer(body.size()) < width) {
      String pad(size_t(width) - body.size(), u' ');
      body = left ? body + pad : pad + body;
    }
    return body;
  }

  String Convert(char16_t type, Integer prec, const TVarRec& a) {
    bool isInt = a.Kind == TVarRec::vtInteger || a.Kind == TVarRec::vtUnsigned;
    switch (type) {
      case u'd':
      case u'u': {
        if (!isInt) Invalid();
        bool neg = false;
        String digits;
        if (type == u'u' && a.Kind == TVarRec::vtInteger && a.I < 0) {
          digits = a.I >= INT32_MIN ? UIntToStr(uint32_t(a.I)) : UIntToStr(uint64_t(a.I));
        } else if (a.Kind == TVarRec::vtUnsigned) {
          digits = UIntToStr(uint64_t(a.I));
        } else {
          neg = a.I < 0;
          digits = UIntToStr(neg ? 0 - uint64_t(a.I) : uint64_t(a.I));
        }
        if (prec > Integer(digits.size())) digits.insert(0, size_t(prec) - digits.size(), u'0');
        return neg ? u"-" + digits : digits;
      }
      case u'x': {
        if (!isInt) Invalid();
        Int64 v = a.I;
        if (a.Kind == TVarRec::vtInteger && v < 0 && v >= INT32_MIN) v = Int64(uint32_t(v));
        return IntToHex(v, prec < 0 ? 0 : prec);
      }
      case u'e': case u'f': case u'g': case u'n': case u'm': {
        Extended v;
        if (a.Kind == TVarRec::vtExtended) v = a.E;
        else if (a.Kind == TVarRec::vtInteger) v = Extended(a.I);
        else if (a.Kind == TVarRec::vtUnsigned) v = Extended(uint64_t(a.I));
        else Invalid();
        switch (type) {
          case u'e': return FloatToStrF(v, ffExponent, prec < 0 ? 15 : prec, 3, FSettings);
          case u'f': return FloatToStrF(v, ffFixed, 18, prec < 0 ? 2 : prec, FSettings);
          case u'g': return FloatToStrF(v, ffGeneral, prec < 0 ? 15 : prec, 0, FSettings);
          case u'n': return FloatToStrF(v, ffNumber, 18, prec < 0 ? 2 : prec, FSettings);
          default: return FloatToStrF(v, ffCurrency, 18, prec < 0 ? FSettings.CurrencyDecimals : prec, FSettings);
        }
      }
      case u's': {
        if (a.Kind != TVarRec::vtString) Invalid();
        if (prec >= 0 && size_t(prec) < a.S.size()) return a.S.substr(0, size_t(prec));
        return a.S;
      }
      case u'p': {
        if (a.Kind != TVarRec::vtPointer) Invalid();
        return IntToHex(Int64(reinterpret_cast<uintptr_t>(a.P)), Integer(sizeof(void*) * 2));
      }
      default: Invalid();
    }
  }

  const String& FFmt;
  std::initializer_list<TVarRec> FArgs;
  const TFormatSettings& FSettings;
  size_t FNext = 0;
};
}  // namespace

String Format(const String& Fmt, std::initializer_list<TVarRec> Args, const TFormatSettings& Settings) {
  return TFormatter(Fmt, Args, Settings).Run();
}
String Format(const String& Fmt, std::initializer_list<TVarRec> Args) {
  return Format(Fmt, Args, FormatSettings);
}

}  // namespace jox
