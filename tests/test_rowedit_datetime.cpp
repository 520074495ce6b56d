// Date and time texts of date columns: reading by a format, its error codes and conversion errors,
// two-digit years, the 12-hour clock, literals, the name tables, and writing back what is read.
#include <gtest/gtest.h>

#include "replist/replist.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

TDateTime Read(const String& text, const String& format, Integer expectErr = 0) {
  Integer err = 99;
  const TDateTime v = DecodeDateTimeText(text, format, err);
  EXPECT_EQ(err, expectErr) << ToUtf8(text) << " / " << ToUtf8(format);
  return v;
}

struct TReadCase {
  const char16_t* Text;
  const char16_t* Format;
  TDateTime Expected;
};

}  // namespace

TEST(RowEditDates, ReadsByTheFormat) {
  const TReadCase cases[] = {
      {u"07.03.2024", u"dd.MM.yyyy", EncodeDate(2024, 3, 7)},
      {u"03:15 pm", u"hh:mm tt", EncodeTime(15, 15, 0, 0)},
      {u"03:15 PM", u"hh:mm tt", EncodeTime(15, 15, 0, 0)},
      {u"12:05 am", u"hh:mm tt", EncodeTime(0, 5, 0, 0)},
      {u"12:05 pm", u"hh:mm tt", EncodeTime(12, 5, 0, 0)},
      {u"9:05 p", u"h:mm t", EncodeTime(21, 5, 0, 0)},
      {u"9:05 A", u"h:mm t", EncodeTime(9, 5, 0, 0)},
      {u"14:30 Uhr", u"HH:mm 'Uhr'", EncodeTime(14, 30, 0, 0)},
      {u"7.3.2024 8:4:9", u"d.M.yyyy H:m:s", EncodeDateTime(2024, 3, 7, 8, 4, 9, 0)},
      {u"  7/ +3/2024", u"d/M/yyyy", EncodeDate(2024, 3, 7)},
      {u"thursday, MARCH 7 2024", u"dddd, MMMM d yyyy", EncodeDate(2024, 3, 7)},
      {u"Thu 07 mar 2024", u"ddd dd MMM yyyy", EncodeDate(2024, 3, 7)},
      {u"o'clock 5", u"'o''clock' H", EncodeTime(5, 0, 0, 0)},
      {u"2024-03-07 trailing text", u"yyyy-MM-dd", EncodeDate(2024, 3, 7)},
      // Before 1899-12-30 the time of day still counts forward within the day.
      {u"1800-01-01 18:00", u"yyyy-MM-dd HH:mm", EncodeDateTime(1800, 1, 1, 18, 0, 0, 0)},
  };
  for (const TReadCase& c : cases) {
    const TDateTime got = Read(c.Text, c.Format);
    EXPECT_NEAR(got, c.Expected, 1e-9) << ToUtf8(c.Text) << " / " << ToUtf8(c.Format);
  }
  Word h, m, s, ms;
  DecodeTime(Read(u"1800-01-01 18:00", u"yyyy-MM-dd HH:mm"), h, m, s, ms);
  EXPECT_EQ(h, 18);
}

TEST(RowEditDates, ErrorCodesAndConversionErrors) {
  const struct {
    const char16_t* Text;
    const char16_t* Format;
    Integer Err;
  } failing[] = {
      {u"07-03-2024", u"dd.MM.yyyy", dtErrLiteral},
      {u"14:30 h", u"HH:mm 'Uhr'", dtErrLiteral},
      {u"2024", u"yyy", dtErrToken},
      {u"10", u"sss", dtErrToken},
      {u"1", u"y", dtErrToken},
      {u"ab.03.2024", u"dd.MM.yyyy", dtErrNumber},
      {u"7.3.2024", u"dd.MM.yyyy", dtErrNumber},  // "7." is no two-digit day
      {u"x", u"d", dtErrNumber},
      {u"Mrz 2024", u"MMM yyyy", dtErrNumber},
      {u"Someday", u"dddd", dtErrNumber},
      {u"", u"HH", dtErrNumber},
  };
  for (const auto& c : failing) EXPECT_EQ(Read(c.Text, c.Format, c.Err), 0.0);

  // The text reads, but the parts give no date or time: a conversion error, never a wrong date.
  Integer err = 0;
  EXPECT_THROW(DecodeDateTimeText(u"Mar 2024", u"MMM yyyy", err), EConvertError);
  EXPECT_THROW(DecodeDateTimeText(u"25:00", u"HH:mm", err), EConvertError);
  EXPECT_THROW(DecodeDateTimeText(u"31.02.2024", u"dd.MM.yyyy", err), EConvertError);
  EXPECT_THROW(DecodeDateTimeText(u"70000.1.2024", u"d.M.yyyy", err), EConvertError);
  EXPECT_THROW(DecodeDateTimeText(u"-1:00", u"H:mm", err), EConvertError);
  // Without any date part the time alone is the value; an empty format reads nothing.
  EXPECT_EQ(Read(u"whatever", u""), 0.0);
}

TEST(RowEditDates, TwoDigitYearsFollowTheCenturyWindow) {
  const Word saved = FormatSettings.TwoDigitYearCenturyWindow;
  const Integer now = YearOf(Now());
  auto year = [](const String& yy) { return Integer(YearOf(Read(u"01.01." + yy, u"dd.MM.yy"))); };
  FormatSettings.TwoDigitYearCenturyWindow = 50;
  const Integer c = now - 50;
  for (Integer yy : {0, 24, 49, 75, 99}) {
    Integer expected = c / 100 * 100 + yy;
    if (expected < c) expected += 100;
    EXPECT_EQ(year(yy < 10 ? u"0" + IntToStr(yy) : IntToStr(yy)), expected) << yy;
  }
  FormatSettings.TwoDigitYearCenturyWindow = 0;
  EXPECT_EQ(year(u"99"), now / 100 * 100 + 99);
  FormatSettings.TwoDigitYearCenturyWindow = saved;
}

TEST(RowEditDates, NameTablesOfFourLanguages) {
  EXPECT_EQ(RLMonthName(0, 1, false) + RLDayName(0, 7, true), u"M01D07");
  EXPECT_EQ(RLMonthName(1, 9, true) + RLDayName(1, 1, false), u"SepMonday");
  EXPECT_EQ(RLMonthName(2, 3, false) + RLDayName(3, 5, false), u"M\u00E4rzVendredi");
  EXPECT_EQ(RLMonthName(4, 1, false) + RLMonthName(1, 13, false) + RLDayName(1, 0, true), u"");
  Integer err = 0;
  EXPECT_EQ(DecodeDateTimeText(u"7. M\u00E4rz 2024", u"d. MMMM yyyy", err, 2), EncodeDate(2024, 3, 7));
  EXPECT_EQ(err, 0);
}

TEST(RowEditDates, WrittenTextsReadBackToTheSameValue) {
  const TDateTime values[] = {EncodeDateTime(2024, 3, 7, 15, 15, 9, 0), EncodeDateTime(1999, 12, 31, 0, 5, 0, 0),
                              EncodeDateTime(2000, 1, 1, 12, 0, 0, 0), EncodeDate(2024, 2, 29)};
  const char16_t* formats[] = {u"dd.MM.yyyy HH:mm:ss", u"dddd, MMMM d, yyyy h:mm:ss tt", u"ddd MMM dd yyyy hh:mm:ss t",
                               u"yyyy-MM-dd'T'HH:mm:ss' o''clock'", u"M/d/yyyy H:m:s"};
  for (const char16_t* f : formats)
    for (TDateTime v : values) {
      const String text = EncodeDateTimeText(f, v);
      EXPECT_NEAR(Read(text, f), v, 1e-9) << ToUtf8(text) << " / " << ToUtf8(f);
    }
  EXPECT_EQ(EncodeDateTimeText(u"hh:mm tt", EncodeTime(15, 15, 0, 0)), u"03:15 PM");
  EXPECT_EQ(EncodeDateTimeText(u"HH:mm 'Uhr'", EncodeTime(14, 30, 0, 0)), u"14:30 Uhr");
  EXPECT_EQ(EncodeDateTimeText(u"ddd, d MMM yy", EncodeDate(2024, 3, 7)), u"Thu, 7 Mar 24");
  EXPECT_EQ(EncodeDateTimeText(u"dddd MMMM", EncodeDate(2024, 3, 7), 3), u"Jeudi Mars");
}
