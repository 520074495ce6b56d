// Date and time texts of date columns. Sections: [names] [tokens] [reading] [writing]
#include <cmath>
#include <string_view>
#include <vector>

#include "package/core/names.h"
#include "replist/rowedit.h"
#include "package/core/strutil.h"

namespace jox {

// [names] --------------------------------------------------------------------------------------------------
namespace {

const char16_t* const kDayLong[RLDateLanguages][7] = {
    {u"D01", u"D02", u"D03", u"D04", u"D05", u"D06", u"D07"},
    {u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday", u"Sunday"},
    {u"Montag", u"Dienstag", u"Mittwoch", u"Donnerstag", u"Freitag", u"Samstag", u"Sonntag"},
    {u"Lundi", u"Mardi", u"Mercredi", u"Jeudi", u"Vendredi", u"Samedi", u"Dimanche"},
};
const char16_t* const kDayShort[RLDateLanguages][7] = {
    {u"D01", u"D02", u"D03", u"D04", u"D05", u"D06", u"D07"},
    {u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat", u"Sun"},
    {u"Mo", u"Di", u"Mi", u"Do", u"Fr", u"Sa", u"So"},
    {u"Lun", u"Mar", u"Mer", u"Jeu", u"Ven", u"Sam", u"Dim"},
};

bool ValidLanguage(Integer Language) { return Language >= 0 && Language < RLDateLanguages; }

}  // namespace

String RLMonthName(Integer Language, Integer Month, bool Short) {
  if (!ValidLanguage(Language) || Month < 1 || Month > 12) return {};
  if (Language == 0) return (Month < 10 ? u"M0" : u"M") + IntToStr(Month);
  // The calendar's tables share the ordinals 1..3 (English, German, French).
  return Short ? MonthShort[Language][Month] : MonthLong[Language][Month];
}

String RLDayName(Integer Language, Integer Day, bool Short) {
  if (!ValidLanguage(Language) || Day < 1 || Day > 7) return {};
  return Short ? kDayShort[Language][Day - 1] : kDayLong[Language][Day - 1];
}

// [tokens] -------------------------------------------------------------------------------------------------
namespace {

bool IsFormatLetter(char16_t c) {
  return c == u'H' || c == u'M' || c == u'd' || c == u'h' || c == u'm' || c == u's' || c == u't' || c == u'y';
}

// A run of one format letter (Letter != 0, Count letters) or a literal text.
struct TDateToken {
  char16_t Letter = 0;
  size_t Count = 0;
  String Text;
};

std::vector<TDateToken> Tokenize(const String& F) {
  std::vector<TDateToken> out;
  size_t i = 0;
  while (i < F.size()) {
    const char16_t c = F[i];
    TDateToken t;
    if (IsFormatLetter(c)) {
      size_t n = 1;
      while (i + n < F.size() && F[i + n] == c) ++n;
      t.Letter = c;
      t.Count = n;
      i += n;
    } else if (c == u'\'') {
      // Up to the closing quote; an unclosed one runs to the end.
      for (++i; i < F.size(); ++i) {
        if (F[i] != u'\'') {
          t.Text += F[i];
        } else if (i + 1 < F.size() && F[i + 1] == u'\'') {
          t.Text += u'\'';
          ++i;
        } else {
          ++i;
          break;
        }
      }
    } else {
      const size_t start = i;
      while (i < F.size() && F[i] != u'\'' && !IsFormatLetter(F[i])) ++i;
      t.Text = F.substr(start, i - start);
    }
    out.push_back(std::move(t));
  }
  return out;
}

bool StartsWithName(std::u16string_view Text, const String& Name) {
  return !Name.empty() && Text.size() >= Name.size() && SameText(String(Text.substr(0, Name.size())), Name);
}

// A value that EncodeDate and EncodeTime refuse, for parts outside what a Word holds.
Word Part(Integer v) { return v < 0 || v > 65535 ? Word(65535) : Word(v); }

}  // namespace

// [reading] ------------------------------------------------------------------------------------------------
TDateTime DecodeDateTimeText(const String& Text, const String& Format, Integer& ErrorCode, Integer Language) {
  if (!ValidLanguage(Language)) Language = RLDateEnglish;
  Integer year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  bool twelve = false, pm = false;
  size_t pos = 0;
  auto rest = [&] { return std::u16string_view(Text).substr(std::min(pos, Text.size())); };
  auto fixed = [&](size_t width, Integer& out) {
    const String s(rest().substr(0, width));
    pos += s.size();
    return TryStrToInt(s, out);
  };
  auto variable = [&](Integer& out) {
    const std::u16string_view r = rest();
    size_t i = 0;
    while (i < r.size() && r[i] == u' ') ++i;
    bool neg = false;
    if (i < r.size() && (r[i] == u'+' || r[i] == u'-')) neg = r[i++] == u'-';
    const size_t first = i;
    Int64 v = 0;
    for (; i < r.size() && r[i] >= u'0' && r[i] <= u'9'; ++i) v = std::min<Int64>(v * 10 + (r[i] - u'0'), 1000000);
    if (i == first) return false;
    pos += i;
    out = Integer(neg ? -v : v);
    return true;
  };
  auto number = [&](size_t count, Integer& out) { return count == 1 ? variable(out) : fixed(2, out); };
  // A name of the table at the front of the text; Index is 1-based.
  auto name = [&](Integer n, auto nameOf, Integer& Index) {
    for (Integer k = 1; k <= n; ++k) {
      const String s = nameOf(k);
      if (StartsWithName(rest(), s)) {
        pos += s.size();
        Index = k;
        return true;
      }
    }
    return false;
  };

  Integer err = 0;
  for (const TDateToken& t : Tokenize(Format)) {
    bool ok = true;
    const size_t n = t.Count;
    switch (t.Letter) {
      case 0:
        if (rest().substr(0, t.Text.size()) != t.Text) err = dtErrLiteral;
        else pos += t.Text.size();
        break;
      case u'y':
        if (n == 4) {
          ok = fixed(4, year);
        } else if (n == 2) {
          Integer yy = 0;
          if (!fixed(2, yy)) yy = 0;
          const Integer window = FormatSettings.TwoDigitYearCenturyWindow;
          const Integer c = Integer(YearOf(Now())) - window;
          year = (c / 100) * 100 + yy;
          if (window != 0 && year < c) year += 100;
        } else {
          err = dtErrToken;
        }
        break;
      case u'M':
        if (n == 4) ok = name(12, [&](Integer k) { return RLMonthName(Language, k, false); }, month);
        else if (n == 3) ok = name(12, [&](Integer k) { return RLMonthName(Language, k, true); }, month);
        else if (n <= 2) ok = number(n, month);
        else err = dtErrToken;
        break;
      case u'd':
        if (n == 3 || n == 4) {
          Integer weekday = 0;
          ok = name(7, [&](Integer k) { return RLDayName(Language, k, n == 3); }, weekday);
        } else if (n <= 2) {
          ok = number(n, day);
        } else {
          err = dtErrToken;
        }
        break;
      case u'H':
      case u'h':
        if (n > 2) { err = dtErrToken; break; }
        if (t.Letter == u'h') twelve = true;
        ok = number(n, hour);
        break;
      case u'm':
        if (n > 2) err = dtErrToken;
        else ok = number(n, minute);
        break;
      case u's':
        if (n > 2) err = dtErrToken;
        else ok = number(n, second);
        break;
      case u't': {
        if (n > 2) { err = dtErrToken; break; }
        const String s(rest().substr(0, n));
        pos += s.size();
        // Either case: the picker writes "AM" and "PM".
        pm = n == 1 ? !SameText(s, u"a") : !SameText(s, u"am");
        break;
      }
    }
    if (!ok) err = dtErrNumber;
    if (err != 0) break;
  }
  ErrorCode = err;
  if (err != 0) return 0;
  if (twelve) {
    if (!pm && hour == 12) hour = 0;
    else if (pm && hour != 12) hour += 12;
  }
  const TDateTime time = EncodeTime(Part(hour), Part(minute), Part(second), 0);
  if (year == 0 && month == 0 && day == 0) return time;
  const TDateTime date = EncodeDate(Part(year), Part(month), Part(day));
  // Before 1899-12-30 the time of day counts away from zero.
  return date >= 0 ? date + time : date - time;
}

// [writing] ------------------------------------------------------------------------------------------------
String EncodeDateTimeText(const String& Format, TDateTime DT, Integer Language) {
  if (!ValidLanguage(Language)) Language = RLDateEnglish;
  Word y, mo, d, h, mi, s, ms;
  DecodeDateTime(DT, y, mo, d, h, mi, s, ms);
  auto num = [](Integer v, size_t count) {
    String t = IntToStr(v);
    if (count >= 2 && t.size() < count) t.insert(0, count - t.size(), u'0');
    return t;
  };
  String out;
  for (const TDateToken& t : Tokenize(Format)) {
    const size_t n = t.Count;
    switch (t.Letter) {
      case 0: out += t.Text; break;
      case u'y': out += n == 2 ? num(y % 100, 2) : num(y, 4); break;
      case u'M':
        if (n >= 3) out += RLMonthName(Language, mo, n == 3);
        else out += num(mo, n);
        break;
      case u'd':
        if (n >= 3) out += RLDayName(Language, DayOfTheWeek(DT), n == 3);
        else out += num(d, n);
        break;
      case u'H': out += num(h, std::min<size_t>(n, 2)); break;
      case u'h': out += num(h % 12 == 0 ? 12 : h % 12, std::min<size_t>(n, 2)); break;
      case u'm': out += num(mi, std::min<size_t>(n, 2)); break;
      case u's': out += num(s, std::min<size_t>(n, 2)); break;
      case u't': out += n == 1 ? (h < 12 ? u"A" : u"P") : (h < 12 ? u"AM" : u"PM"); break;
    }
  }
  return out;
}

}  // namespace jox
