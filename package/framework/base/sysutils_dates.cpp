// Dates and times: encoding, calendar arithmetic, date text.
#include <chrono>
#include <cmath>
#include <ctime>

#include "package/framework/base/sysutils.h"

namespace jox {

// [calendar] ---------------------------------------------------------------------
// Days from 1970-01-01 of a proleptic Gregorian date, and back (H. Hinnant's algorithms).
static Int64 DaysFromCivil(Int64 y, unsigned m, unsigned d) {
  y -= m <= 2;
  const Int64 era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = unsigned(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + Int64(doe) - 719468;
}
static void CivilFromDays(Int64 z, Int64& y, unsigned& m, unsigned& d) {
  z += 719468;
  const Int64 era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = unsigned(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  y = Int64(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp + (mp < 10 ? 3 : -9);
  y += m <= 2;
}

static const Int64 kEpoch = DaysFromCivil(1899, 12, 30);
// 0001-01-01 and 9999-12-31 as day numbers.
static const Int64 kMinDay = DaysFromCivil(1, 1, 1) - kEpoch;
static const Int64 kMaxDay = DaysFromCivil(9999, 12, 31) - kEpoch;

// Whole days and milliseconds of the day, as the platform splits a date-time (the fraction is the time
// of day also for negative values; a time that rounds to midnight carries into the next day).
static bool SplitDateTime(TDateTime DT, Int64& Day, Int64& MSec) {
  if (!std::isfinite(DT) || DT < double(kMinDay) - 1 || DT > double(kMaxDay) + 1) return false;
  Int64 total = std::llround(DT * double(MSecsPerDay));
  Day = total / Int64(MSecsPerDay);
  MSec = std::llabs(total % Int64(MSecsPerDay));
  return Day >= kMinDay && Day <= kMaxDay;
}

bool IsLeapYear(Word Year) { return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0); }

Word DaysInAMonth(Word Year, Word Month) {
  static const Word days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (Month < 1 || Month > 12) return 0;
  return Month == 2 && IsLeapYear(Year) ? 29 : days[Month - 1];
}
Word DaysInAYear(Word Year) { return IsLeapYear(Year) ? 366 : 365; }

bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Date) {
  if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > DaysInAMonth(Year, Month))
    return false;
  Date = double(DaysFromCivil(Year, Month, Day) - kEpoch);
  return true;
}
TDateTime EncodeDate(Word Year, Word Month, Word Day) {
  TDateTime d;
  if (!TryEncodeDate(Year, Month, Day, d)) throw EConvertError(u"Invalid argument to date encode");
  return d;
}
bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Time) {
  if (Hour >= 24 || Min >= 60 || Sec >= 60 || MSec >= 1000) return false;
  Time = double(((Hour * 60 + Min) * 60 + Sec) * 1000 + MSec) / double(MSecsPerDay);
  return true;
}
TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec) {
  TDateTime t;
  if (!TryEncodeTime(Hour, Min, Sec, MSec, t)) throw EConvertError(u"Invalid argument to time encode");
  return t;
}
TDateTime EncodeDateTime(Word Year, Word Month, Word Day, Word Hour, Word Min, Word Sec, Word MSec) {
  TDateTime d = EncodeDate(Year, Month, Day), t = EncodeTime(Hour, Min, Sec, MSec);
  return d >= 0 ? d + t : d - t;
}

void DecodeDate(TDateTime Date, Word& Year, Word& Month, Word& Day) {
  Int64 day, ms;
  if (!SplitDateTime(Date, day, ms)) {
    Year = Month = Day = 0;
    return;
  }
  Int64 y;
  unsigned m, d;
  CivilFromDays(day + kEpoch, y, m, d);
  Year = Word(y);
  Month = Word(m);
  Day = Word(d);
}

void DecodeTime(TDateTime Time, Word& Hour, Word& Min, Word& Sec, Word& MSec) {
  Int64 day, ms;
  if (!SplitDateTime(Time, day, ms)) ms = 0;
  MSec = Word(ms % 1000);
  ms /= 1000;
  Sec = Word(ms % 60);
  ms /= 60;
  Min = Word(ms % 60);
  Hour = Word(ms / 60);
}

void DecodeDateTime(TDateTime DT, Word& Year, Word& Month, Word& Day, Word& Hour, Word& Min, Word& Sec,
                    Word& MSec) {
  DecodeDate(DT, Year, Month, Day);
  DecodeTime(DT, Hour, Min, Sec, MSec);
}

Word YearOf(TDateTime D) { Word y, m, d; DecodeDate(D, y, m, d); return y; }
Word MonthOf(TDateTime D) { Word y, m, d; DecodeDate(D, y, m, d); return m; }
Word DayOf(TDateTime D) { Word y, m, d; DecodeDate(D, y, m, d); return d; }

static Int64 DayNumber(TDateTime D) {
  Int64 day, ms;
  return SplitDateTime(D, day, ms) ? day : 0;
}

// 1899-12-30 was a Saturday.
Word DayOfWeek(TDateTime D) { return Word(((DayNumber(D) + 6) % 7 + 7) % 7 + 1); }
Word DayOfTheWeek(TDateTime D) { return Word(((DayNumber(D) + 5) % 7 + 7) % 7 + 1); }

Word DayOfTheYear(TDateTime D) {
  Word y, m, d;
  DecodeDate(D, y, m, d);
  if (y == 0) return 0;
  return Word(DaysFromCivil(y, m, d) - DaysFromCivil(y, 1, 1) + 1);
}

Word WeekOfTheYear(TDateTime D, Word& AYear) {
  Int64 day = DayNumber(D);
  // The Thursday of the same Monday-based week decides the week's year.
  Int64 thursday = day - (DayOfTheWeek(double(day)) - 1) + 3;
  Int64 y;
  unsigned m, dd;
  CivilFromDays(thursday + kEpoch, y, m, dd);
  AYear = Word(y);
  Int64 jan1 = DaysFromCivil(y, 1, 1) - kEpoch;
  return Word((thursday - jan1) / 7 + 1);
}
Word WeekOfTheYear(TDateTime D) {
  Word y;
  return WeekOfTheYear(D, y);
}

Word WeeksInAYear(Word Year) {
  Word jan1 = DayOfTheWeek(EncodeDate(Year, 1, 1));
  return (jan1 == 4 || (jan1 == 3 && IsLeapYear(Year))) ? 53 : 52;
}

TDateTime IncMonth(TDateTime D, Integer NumberOfMonths) {
  Word y, m, d;
  DecodeDate(D, y, m, d);
  if (y == 0) return D;
  Int64 months = Int64(y) * 12 + (m - 1) + NumberOfMonths;
  Int64 ny = months / 12;
  Word nm = Word(months % 12 + 1);
  if (ny < 1 || ny > 9999) throw EConvertError(u"Invalid argument to date encode");
  Word nd = std::min<Word>(d, DaysInAMonth(Word(ny), nm));
  TDateTime base = EncodeDate(Word(ny), nm, nd);
  double frac = std::fabs(D - std::trunc(D));
  return base >= 0 ? base + frac : base - frac;
}

TDateTime IncDay(TDateTime D, Integer NumberOfDays) { return D + NumberOfDays; }

// [clock] ------------------------------------------------------------------------
TDateTime Now() {
  using namespace std::chrono;
  auto now = system_clock::now();
  std::time_t t = system_clock::to_time_t(now);
  std::tm tm{};
  localtime_r(&t, &tm);
  auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
  if (ms < 0) ms += 1000;
  return EncodeDate(Word(tm.tm_year + 1900), Word(tm.tm_mon + 1), Word(tm.tm_mday)) +
         EncodeTime(Word(tm.tm_hour), Word(tm.tm_min), Word(std::min(tm.tm_sec, 59)), Word(ms));
}
TDateTime Date() { return std::floor(Now()); }
TDateTime Time() {
  TDateTime n = Now();
  return n - std::floor(n);
}

Word ExpandTwoDigitYear(Word Year, const TFormatSettings& Settings) {
  if (Year >= 100) return Year;
  Word current = YearOf(Now());
  Integer y = Year;
  if (Settings.TwoDigitYearCenturyWindow > 0) {
    Integer base = Integer(current) - Settings.TwoDigitYearCenturyWindow;
    y += base / 100 * 100;
    if (y < base) y += 100;
  } else {
    y += current / 100 * 100;
  }
  return Word(y);
}

}  // namespace jox
