// Date and time text: FormatDateTime and the readers of date and time texts.
#include <cmath>
#include <vector>

#include "package/framework/base/sysutils.h"

namespace jox {

namespace {
String Pad(Integer v, int width) {
  String s = IntToStr(v);
  if (int(s.size()) < width) s.insert(0, size_t(width) - s.size(), u'0');
  return s;
}

bool StartsWithText(const String& f, size_t i, const char16_t* lit) {
  for (size_t k = 0; lit[k]; ++k)
    if (i + k >= f.size() || (f[i + k] | 0x20) != (lit[k] | 0x20)) return false;
  return true;
}

class TDateFormatter {
 public:
  TDateFormatter(TDateTime DT, const TFormatSettings& S) : FS(S), FDT(DT) {
    DecodeDateTime(DT, FY, FM, FD, FH, FN, FSec, FMs);
  }

  void Run(const String& F, int depth) {
    // Guards against formats that name themselves (ShortDateFormat = "ddddd").
    if (depth > 2) return;
    bool lastHour = false;
    const bool twelve = UsesTwelveHour(F);
    size_t i = 0;
    while (i < F.size()) {
      const char16_t c = F[i];
      if (c == u'"' || c == u'\'') {
        size_t end = F.find(c, i + 1);
        if (end == String::npos) end = F.size();
        FOut += F.substr(i + 1, end - i - 1);
        i = end + 1;
        continue;
      }
      const char16_t u = (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c;
      size_t n = 1;
      while (i + n < F.size() && (F[i + n] | 0x20) == (c | 0x20)) ++n;
      n = Field(F, i, n, twelve, lastHour, depth);
      // Only letters decide whether an "m" means minutes; separators between keep the state.
      if (u == u'H') lastHour = true;
      else if (u == u'D' || u == u'Y' || u == u'M' || u == u'C' || u == u'T' || u == u'S' || u == u'N')
        lastHour = false;
      i += n;
    }
  }

  String FOut;

 private:
  // Writes the field of n letters at F[i]; returns how many letters it used.
  size_t Field(const String& F, size_t i, size_t n, bool twelve, bool lastHour, int depth) {
    const char16_t c = F[i];
    switch ((c >= u'a' && c <= u'z') ? char16_t(c - 32) : c) {
      case u'C':
        Run(FS.ShortDateFormat, depth + 1);
        if (FH || FN || FSec || FMs) {
          FOut += u' ';
          Run(FS.LongTimeFormat, depth + 1);
        }
        return 1;
      case u'D':
        return Day(n, depth);
      case u'M':
        if (lastHour && n <= 2) FOut += n == 1 ? IntToStr(FN) : Pad(FN, 2);
        else if (n == 1) FOut += IntToStr(FM);
        else if (n == 2) FOut += Pad(FM, 2);
        else if (n == 3) FOut += MonthName(FS.ShortMonthNames);
        else { n = 4; FOut += MonthName(FS.LongMonthNames); }
        return n;
      case u'Y':
        FOut += n <= 2 ? Pad(FY % 100, 2) : Pad(FY, 4);
        return n;
      case u'H': {
        n = std::min<size_t>(n, 2);
        Integer h = FH;
        if (twelve) {
          h %= 12;
          if (h == 0) h = 12;
        }
        FOut += n == 1 ? IntToStr(h) : Pad(h, 2);
        return n;
      }
      case u'N':
        n = std::min<size_t>(n, 2);
        FOut += n == 1 ? IntToStr(FN) : Pad(FN, 2);
        return n;
      case u'S':
        n = std::min<size_t>(n, 2);
        FOut += n == 1 ? IntToStr(FSec) : Pad(FSec, 2);
        return n;
      case u'Z':
        if (n >= 3) { FOut += Pad(FMs, 3); return 3; }
        FOut += IntToStr(FMs);
        return 1;
      case u'T':
        n = std::min<size_t>(n, 2);
        Run(n == 1 ? FS.ShortTimeFormat : FS.LongTimeFormat, depth + 1);
        return n;
      case u'A':
        return AmPm(F, i);
      case u'/':
        if (FS.DateSeparator) FOut += FS.DateSeparator;
        return 1;
      case u':':
        if (FS.TimeSeparator) FOut += FS.TimeSeparator;
        return 1;
      default:
        FOut += F.substr(i, n);
        return n;
    }
  }

  size_t Day(size_t n, int depth) {
    if (n == 1) FOut += IntToStr(FD);
    else if (n == 2) FOut += Pad(FD, 2);
    else if (n == 3) FOut += FS.ShortDayNames[DayOfWeek(FDT) - 1];
    else if (n == 4) FOut += FS.LongDayNames[DayOfWeek(FDT) - 1];
    else if (n == 5) Run(FS.ShortDateFormat, depth + 1);
    else { n = 6; Run(FS.LongDateFormat, depth + 1); }
    return n;
  }

  size_t AmPm(const String& F, size_t i) {
    const char16_t c = F[i];
    if (StartsWithText(F, i, u"am/pm")) {
      String t = FH < 12 ? u"am" : u"pm";
      FOut += c == u'A' ? UpperCase(t) : t;
      return 5;
    }
    if (StartsWithText(F, i, u"a/p")) {
      FOut += char16_t((FH < 12 ? u'a' : u'p') - (c == u'A' ? 32 : 0));
      return 3;
    }
    if (StartsWithText(F, i, u"ampm")) {
      FOut += FH < 12 ? FS.TimeAMString : FS.TimePMString;
      return 4;
    }
    FOut += c;
    return 1;
  }

  // Empty for a date outside the calendar (decoded as 0/0/0).
  String MonthName(const std::array<String, 12>& names) const { return FM >= 1 && FM <= 12 ? names[FM - 1] : String(); }
  static bool UsesTwelveHour(const String& F) {
    for (size_t i = 0; i < F.size(); ++i)
      if (StartsWithText(F, i, u"am/pm") || StartsWithText(F, i, u"a/p") || StartsWithText(F, i, u"ampm"))
        return true;
    return false;
  }

  const TFormatSettings& FS;
  TDateTime FDT;
  Word FY, FM, FD, FH, FN, FSec, FMs;
};
}  // namespace

String FormatDateTime(const String& Format, TDateTime DateTime, const TFormatSettings& Settings) {
  TDateFormatter f(DateTime, Settings);
  f.Run(Format.empty() ? String(u"c") : Format, 0);
  return f.FOut;
}
String FormatDateTime(const String& Format, TDateTime DateTime) {
  return FormatDateTime(Format, DateTime, FormatSettings);
}
String DateToStr(TDateTime D) { return FormatDateTime(u"ddddd", D); }
String TimeToStr(TDateTime T) { return FormatDateTime(u"tt", T); }
String DateTimeToStr(TDateTime DT) { return FormatDateTime(u"c", DT); }

// [reading] ----------------------------------------------------------------------
namespace {
struct TScanner {
  const String& S;
  size_t i = 0;
  void Blanks() { while (i < S.size() && S[i] == u' ') ++i; }
  bool Number(Integer& v, int maxDigits = 4) {
    Blanks();
    size_t start = i;
    v = 0;
    while (i < S.size() && S[i] >= u'0' && S[i] <= u'9' && int(i - start) < maxDigits) v = v * 10 + (S[i++] - u'0');
    return i > start;
  }
  bool Char(char16_t c) {
    Blanks();
    if (i < S.size() && S[i] == c) { ++i; return true; }
    return false;
  }
  bool AtEnd() { Blanks(); return i >= S.size(); }
};

// Order of day, month and year in the short date format: e.g. "MDY".
std::string DateOrder(const String& F) {
  std::string order;
  for (char16_t c : F) {
    char u = char(c >= u'a' && c <= u'z' ? c - 32 : c);
    if ((u == 'D' || u == 'M' || u == 'Y') && order.find(u) == std::string::npos) order += u;
  }
  return order.size() == 3 ? order : "MDY";
}

bool ScanDate(TScanner& sc, TDateTime& Value, const TFormatSettings& Settings) {
  Integer n[3] = {0, 0, 0};
  size_t digits[3] = {0, 0, 0};
  int count = 0;
  const char16_t sep = Settings.DateSeparator ? Settings.DateSeparator : u'/';
  for (; count < 3; ++count) {
    if (count > 0 && !sc.Char(sep)) break;
    size_t before = (sc.Blanks(), sc.i);
    if (!sc.Number(n[count])) return false;
    digits[count] = sc.i - before;
  }
  if (count < 2) return false;
  std::string order = DateOrder(Settings.ShortDateFormat);
  Integer y = 0, m = 0, d = 0;
  size_t yDigits = 4;
  if (count == 2) {
    // Day and month only: the year is this year.
    std::string dm;
    for (char c : order) if (c != 'Y') dm += c;
    (dm[0] == 'D' ? d : m) = n[0];
    (dm[1] == 'D' ? d : m) = n[1];
    y = YearOf(Now());
  } else {
    for (int k = 0; k < 3; ++k) {
      if (order[size_t(k)] == 'Y') { y = n[k]; yDigits = digits[k]; }
      else if (order[size_t(k)] == 'M') m = n[k];
      else d = n[k];
    }
    if (yDigits <= 2) y = ExpandTwoDigitYear(Word(y), Settings);
  }
  return y <= 9999 && m <= 12 && d <= 31 && TryEncodeDate(Word(y), Word(m), Word(d), Value);
}

bool ScanTime(TScanner& sc, TDateTime& Value, const TFormatSettings& Settings) {
  Integer h = 0, mi = 0, s = 0, ms = 0;
  const char16_t sep = Settings.TimeSeparator ? Settings.TimeSeparator : u':';
  if (!sc.Number(h, 2)) return false;
  if (sc.Char(sep)) {
    if (!sc.Number(mi, 2)) return false;
    if (sc.Char(sep)) {
      if (!sc.Number(s, 2)) return false;
      if (sc.Char(Settings.DecimalSeparator) && !sc.Number(ms, 3)) return false;
    }
  }
  sc.Blanks();
  String rest = UpperCase(sc.S.substr(sc.i));
  auto take = [&](const String& w) {
    if (!w.empty() && rest.compare(0, w.size(), UpperCase(w)) == 0) { sc.i += w.size(); return true; }
    return false;
  };
  bool pm = take(Settings.TimePMString) || take(u"PM") || take(u"P");
  bool am = !pm && (take(Settings.TimeAMString) || take(u"AM") || take(u"A"));
  if (am || pm) {
    if (h < 1 || h > 12) return false;
    h = h % 12 + (pm ? 12 : 0);
  }
  return h <= 23 && TryEncodeTime(Word(h), Word(mi), Word(s), Word(ms), Value);
}
}  // namespace

bool TryStrToDate(const String& S, TDateTime& Value, const TFormatSettings& Settings) {
  TScanner sc{S};
  TDateTime v;
  if (!ScanDate(sc, v, Settings) || !sc.AtEnd()) return false;
  Value = v;
  return true;
}
bool TryStrToTime(const String& S, TDateTime& Value, const TFormatSettings& Settings) {
  TScanner sc{S};
  TDateTime v;
  if (!ScanTime(sc, v, Settings) || !sc.AtEnd()) return false;
  Value = v;
  return true;
}
bool TryStrToDateTime(const String& S, TDateTime& Value, const TFormatSettings& Settings) {
  TScanner sc{S};
  TDateTime d, t = 0;
  if (!ScanDate(sc, d, Settings)) {
    sc.i = 0;
    if (!ScanTime(sc, t, Settings) || !sc.AtEnd()) return false;
    Value = t;
    return true;
  }
  if (!sc.AtEnd() && (!ScanTime(sc, t, Settings) || !sc.AtEnd())) return false;
  Value = d >= 0 ? d + t : d - t;
  return true;
}

TDateTime StrToDate(const String& S, const TFormatSettings& Settings) {
  TDateTime v;
  if (!TryStrToDate(S, v, Settings)) throw EConvertError(u"'" + S + u"' is not a valid date");
  return v;
}
TDateTime StrToDate(const String& S) { return StrToDate(S, FormatSettings); }
TDateTime StrToTime(const String& S) {
  TDateTime v;
  if (!TryStrToTime(S, v)) throw EConvertError(u"'" + S + u"' is not a valid time");
  return v;
}
TDateTime StrToDateTime(const String& S) {
  TDateTime v;
  if (!TryStrToDateTime(S, v)) throw EConvertError(u"'" + S + u"' is not a valid date and time");
  return v;
}

}  // namespace jox
