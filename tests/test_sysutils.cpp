#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "package/framework/base/strings.h"
#include "package/framework/base/sysutils.h"
#include "tests/support/support.h"

using namespace jox;

TEST(Utf, RoundTripAndRepairs) {
  String s = u"a\u00e4\u20ac\U0001F600";
  EXPECT_EQ(FromUtf8(ToUtf8(s)), s);
  EXPECT_EQ(FromUtf8("\xff" "a"), u"\uFFFDa");
  EXPECT_EQ(FromUtf8("\xe2\x82"), u"\uFFFD\uFFFD");
  EXPECT_EQ(FromUtf8("\xc0\x80"), u"\uFFFD\uFFFD");  // overlong
}

TEST(Text, CopyAndPosAreOneBasedAndClamped) {
  EXPECT_EQ(Copy(u"hello", 2, 3), u"ell");
  EXPECT_EQ(Copy(u"hello", 4, 99), u"lo");
  EXPECT_EQ(Copy(u"hello", 9, 1), u"");
  EXPECT_EQ(Pos(u"ll", u"hello"), 3);
  EXPECT_EQ(Pos(u"x", u"hello"), 0);
}

TEST(Numbers, IntegerTextsAndTheirFailures) {
  struct Row {
    const char16_t* Text;
    bool Ok;
    Integer Value;
  };
  const Row rows[] = {
      {u"42", true, 42},          {u"  -17", true, -17},       {u"+5", true, 5},
      {u"$1F", true, 31},         {u"0x10", true, 16},         {u"$FFFFFFFF", true, -1},
      {u"2147483647", true, 2147483647}, {u"-2147483648", true, INT32_MIN},
      {u"2147483648", false, 0},  {u"12 ", false, 0},          {u"", false, 0},
      {u"abc", false, 0},         {u"1.5", false, 0},          {u"-", false, 0},
      {u"$", false, 0},           {u"$100000000", false, 0},
  };
  for (const Row& r : rows) {
    Integer v = 0;
    EXPECT_EQ(TryStrToInt(r.Text, v), r.Ok) << ToUtf8(r.Text);
    if (r.Ok) {
      EXPECT_EQ(v, r.Value) << ToUtf8(r.Text);
    }
    EXPECT_EQ(StrToIntDef(r.Text, -99), r.Ok ? r.Value : -99) << ToUtf8(r.Text);
  }
  try {
    StrToInt(u"abc");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), u"'abc' is not a valid integer value");
  }
  EXPECT_EQ(StrToInt64(u"-9223372036854775808"), INT64_MIN);
  EXPECT_THROW(StrToInt64(u"9223372036854775808"), EConvertError);
}

TEST(Numbers, FloatTextsFollowTheDecimalSeparator) {
  struct Row {
    const char16_t* Text;
    bool Ok;
    double Value;
  };
  const Row rows[] = {
      {u"1.5", true, 1.5},   {u" -2.25e2 ", true, -225}, {u".5", true, 0.5},  {u"3.", true, 3},
      {u"1E-3", true, 0.001}, {u"x", false, 0},          {u"1e", false, 0},   {u"1,5", false, 0},
      {u"", false, 0},       {u"1.2.3", false, 0},       {u"1e99999", false, 0}, {u"- 1", false, 0},
      {u"1e-99999", true, 0},
  };
  for (const Row& r : rows) {
    Extended v = 0;
    EXPECT_EQ(TryStrToFloat(r.Text, v), r.Ok) << ToUtf8(r.Text);
    if (r.Ok) {
      EXPECT_DOUBLE_EQ(double(v), r.Value) << ToUtf8(r.Text);
    }
  }
  try {
    StrToFloat(u"x");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), u"'x' is not a valid floating point value");
  }
  TFormatSettings comma;
  comma.DecimalSeparator = u',';
  EXPECT_EQ(double(StrToFloat(u"1,5", comma)), 1.5);
  EXPECT_THROW(StrToFloat(u"1.5", comma), EConvertError);
  EXPECT_EQ(FloatToStr(1.5, comma), u"1,5");
}

TEST(Numbers, FloatToStrFFormats) {
  struct Row {
    Extended Value;
    TFloatFormat Format;
    Integer Precision, Digits;
    const char16_t* Text;
  };
  const Row rows[] = {
      {0, ffGeneral, 15, 0, u"0"},
      {1.5, ffGeneral, 15, 0, u"1.5"},
      {1.0 / 3, ffGeneral, 15, 0, u"0.333333333333333"},
      {0.0001, ffGeneral, 15, 0, u"0.0001"},
      {0.00001, ffGeneral, 15, 0, u"1E-5"},
      {1e15, ffGeneral, 15, 0, u"1E15"},
      {123456789012345.0, ffGeneral, 15, 0, u"123456789012345"},
      {-2.5e-7, ffGeneral, 15, 2, u"-2.5E-07"},
      {1234.5678, ffGeneral, 4, 0, u"1235"},
      {0.1 + 0.2, ffGeneral, 15, 0, u"0.3"},
      {2.5, ffFixed, 15, 0, u"3"},            // halves away from zero
      {-2.5, ffFixed, 15, 0, u"-3"},
      {0.125, ffFixed, 15, 2, u"0.13"},
      {1.005, ffFixed, 15, 2, u"1.00"},        // 1.00499999... in binary
      {-0.001, ffFixed, 15, 2, u"0.00"},       // no sign on a zero result
      {99.999, ffFixed, 15, 2, u"100.00"},
      {1e20, ffFixed, 15, 2, u"1E20"},         // too large for the precision
      {1234567.891, ffNumber, 15, 2, u"1,234,567.89"},
      {-1234.5, ffNumber, 15, 0, u"-1,235"},
      {123.456, ffExponent, 4, 2, u"1.235E+02"},
      {-0.000123, ffExponent, 3, 0, u"-1.23E-4"},
      {0, ffExponent, 3, 3, u"0.00E+000"},
      {9.99, ffExponent, 2, 1, u"1.0E+1"},
      {12.5, ffCurrency, 15, 2, u"$12.50"},
      {-12.5, ffCurrency, 15, 2, u"($12.50)"},
  };
  for (const Row& r : rows)
    EXPECT_EQ(FloatToStrF(r.Value, r.Format, r.Precision, r.Digits), r.Text) << ToUtf8(r.Text);
  EXPECT_EQ(FloatToStr(std::numeric_limits<double>::quiet_NaN()), u"NAN");
  EXPECT_EQ(FloatToStr(-std::numeric_limits<double>::infinity()), u"-INF");
}

TEST(Numbers, FormatFloatPictures) {
  struct Row {
    const char16_t* Format;
    Extended Value;
    const char16_t* Text;
  };
  const Row rows[] = {
      {u"0.00", 3.14159, u"3.14"},       {u"#.##", 0.5, u".5"},          {u"000", 7, u"007"},
      {u"#,##0.00", 1234567.8, u"1,234,567.80"}, {u"0.0#", 2.5, u"2.5"},  {u"0.0#", 2.567, u"2.57"},
      {u"0.00E+00", 12345, u"1.23E+04"}, {u"0.0;(0.0)", -3.5, u"(3.5)"}, {u"0;-0;'zero'", 0, u"zero"},
      {u"'x='0", 5, u"x=5"},             {u"0", -0.4, u"0"},             {u"00.0", 123.45, u"123.5"},
  };
  for (const Row& r : rows) EXPECT_EQ(FormatFloat(r.Format, r.Value), r.Text) << ToUtf8(r.Format);
}

TEST(Format, SpecifiersWidthsAndFailures) {
  EXPECT_EQ(Format(u"%d %s %.2f", 42, u"abc", 3.14159), u"42 abc 3.14");
  EXPECT_EQ(Format(u"[%5d|%-5d|%.3d]", 7, 7, 7), u"[    7|7    |007]");
  EXPECT_EQ(Format(u"%x %.4X %u", 255, 10, -1), u"FF 000A 4294967295");
  EXPECT_EQ(Format(u"%e", 1234.5), u"1.23450000000000E+003");
  EXPECT_EQ(Format(u"%g|%g", 0.5, 1e20), u"0.5|1E20");
  EXPECT_EQ(Format(u"%n", 1234567.0), u"1,234,567.00");
  EXPECT_EQ(Format(u"%m", 5), u"$5.00");
  EXPECT_EQ(Format(u"%.3s|%*d|%0:.2s|%d", u"abcdef", 4, 9), u"abc|   9|ab|4");  // an index resets the sequence
  EXPECT_EQ(Format(u"100%%"), u"100%");
  EXPECT_EQ(Format(u"%s", String(u"\u00e4")), u"\u00e4");
  try {
    Format(u"%d", u"text");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), u"Format '%d' invalid or incompatible with argument");
  }
  EXPECT_THROW(Format(u"%d %d", 1), EConvertError);
  EXPECT_THROW(Format(u"%q", 1), EConvertError);
  EXPECT_THROW(Format(u"abc %", 1), EConvertError);
  EXPECT_THROW(Format(u"%999999999d", 1), EConvertError);
}

// [dates] ------------------------------------------------------------------------
TEST(Dates, EncodeDecodeRoundTripsAndRefusesImpossibleDates) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
  EXPECT_EQ(EncodeDate(1, 1, 1), -693593.0);
  for (TDateTime d : {-693593.0, -1.0, 0.0, 36526.0, 60000.0, 2958465.0}) {
    Word y, m, dd;
    DecodeDate(d, y, m, dd);
    EXPECT_EQ(EncodeDate(y, m, dd), d);
  }
  try {
    EncodeDate(2023, 2, 29);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), u"Invalid argument to date encode");
  }
  EXPECT_THROW(EncodeDate(0, 1, 1), EConvertError);
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
  // Negative dates keep the time of day as the positive fraction.
  Word y, m, d, h, mi, s, ms;
  DecodeDateTime(-1.25, y, m, d, h, mi, s, ms);
  EXPECT_EQ(d, 29);
  EXPECT_EQ(h, 6);
  // A time rounding up to midnight carries into the next day.
  DecodeDateTime(EncodeDate(2024, 2, 28) + 0.99999999999, y, m, d, h, mi, s, ms);
  EXPECT_EQ(d, 29);
  EXPECT_EQ(h, 0);
  DecodeTime(EncodeTime(13, 45, 30, 250), h, mi, s, ms);
  EXPECT_EQ(h * 1000000 + mi * 10000 + s * 100, 13453000);
  EXPECT_EQ(ms, 250);
  // Out of the calendar decodes as zeros instead of garbage.
  DecodeDate(1e12, y, m, d);
  EXPECT_EQ(y + m + d, 0);
}

TEST(Dates, LeapYearsWeekdaysAndIsoWeeks) {
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_TRUE(IsLeapYear(2024));
  EXPECT_EQ(DaysInAMonth(2024, 2), 29);
  struct Row {
    Word Y, M, D;
    Word Iso, Sun, Week, WeekYear;
  };
  const Row rows[] = {
      {2024, 1, 1, 1, 2, 1, 2024},    // a Monday
      {2023, 1, 1, 7, 1, 52, 2022},   // a Sunday belongs to the last week of 2022
      {2020, 12, 31, 4, 5, 53, 2020},
      {2021, 1, 3, 7, 1, 53, 2020},
      {2019, 12, 30, 1, 2, 1, 2020},
      {1899, 12, 30, 6, 7, 52, 1899},
      {2026, 12, 8, 2, 3, 50, 2026},
  };
  for (const Row& r : rows) {
    TDateTime d = EncodeDate(r.Y, r.M, r.D) + 0.75;
    Word wy;
    EXPECT_EQ(DayOfTheWeek(d), r.Iso) << r.Y << "-" << r.M << "-" << r.D;
    EXPECT_EQ(DayOfWeek(d), r.Sun) << r.Y << "-" << r.M << "-" << r.D;
    EXPECT_EQ(WeekOfTheYear(d, wy), r.Week) << r.Y << "-" << r.M << "-" << r.D;
    EXPECT_EQ(wy, r.WeekYear);
  }
  EXPECT_EQ(WeeksInAYear(2020), 53);
  EXPECT_EQ(WeeksInAYear(2021), 52);
  EXPECT_EQ(DayOfTheYear(EncodeDate(2024, 12, 31)), 366);
  EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 31)), EncodeDate(2024, 2, 29));
  EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 15), -13), EncodeDate(2022, 12, 15));
  TDateTime now = Now();
  EXPECT_GT(now, EncodeDate(2020, 1, 1));
  EXPECT_EQ(Date(), std::floor(now));
}

TEST(Dates, FormatDateTimePatterns) {
  TDateTime dt = EncodeDateTime(2024, 3, 5, 14, 7, 9, 45);
  struct Row {
    const char16_t* Format;
    const char16_t* Text;
  };
  const Row rows[] = {
      {u"yyyy-mm-dd hh:nn:ss.zzz", u"2024-03-05 14:07:09.045"},
      {u"d/m/yy", u"5/3/24"},
      {u"ddd dddd mmm mmmm", u"Tue Tuesday Mar March"},
      {u"h:mm", u"14:07"},            // m after an hour means minutes
      {u"hh:mm:ss", u"14:07:09"},
      {u"h:nn am/pm", u"2:07 pm"},
      {u"h:nn AM/PM", u"2:07 PM"},
      {u"h a/p", u"2 p"},
      {u"h ampm", u"2 PM"},
      {u"'Day' d \"of\" mmmm", u"Day 5 of March"},
      {u"ddddd", u"3/5/2024"},
      {u"dddddd", u"Tuesday, March 5, 2024"},
      {u"c", u"3/5/2024 14:07:09"},
      {u"t|tt", u"14:07|14:07:09"},
      {u"z", u"45"},
  };
  for (const Row& r : rows) EXPECT_EQ(FormatDateTime(r.Format, dt), r.Text) << ToUtf8(r.Format);
  EXPECT_EQ(FormatDateTime(u"c", EncodeDate(2024, 3, 5)), u"3/5/2024");
  EXPECT_EQ(FormatDateTime(u"h:nn am/pm", EncodeTime(0, 5, 0, 0)), u"12:05 am");
  TFormatSettings self;
  self.ShortDateFormat = u"ddddd";  // names itself: must not recurse forever
  EXPECT_EQ(FormatDateTime(u"ddddd", dt, self), u"");
}

TEST(Dates, ReadingDatesWithTheCenturyWindow) {
  EXPECT_EQ(StrToDate(u"3/5/2024"), EncodeDate(2024, 3, 5));
  TFormatSettings de;
  de.ShortDateFormat = u"dd.mm.yyyy";
  de.DateSeparator = u'.';
  EXPECT_EQ(StrToDate(u"05.03.2024", de), EncodeDate(2024, 3, 5));
  // Two-digit years land within the window around the current year.
  Word year = YearOf(Now());
  de.TwoDigitYearCenturyWindow = 50;
  Word yy = Word((year + 10) % 100);
  TDateTime d = StrToDate(u"1.1." + IntToStr(yy), de);
  EXPECT_EQ(YearOf(d), year + 10);
  EXPECT_EQ(ExpandTwoDigitYear(Word((year - 60 + 100) % 100), de), year + 40);
  de.TwoDigitYearCenturyWindow = 0;
  EXPECT_EQ(ExpandTwoDigitYear(5, de), year / 100 * 100 + 5);
  try {
    StrToDate(u"31/2/2024");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), u"'31/2/2024' is not a valid date");
  }
  EXPECT_THROW(StrToDate(u"x"), EConvertError);
  EXPECT_EQ(StrToTime(u"2:30 PM"), EncodeTime(14, 30, 0, 0));
  EXPECT_EQ(StrToDateTime(u"3/5/2024 14:07:09"), EncodeDateTime(2024, 3, 5, 14, 7, 9, 0));
  EXPECT_THROW(StrToTime(u"25:00"), EConvertError);
}

// [files] ------------------------------------------------------------------------
TEST(Files, NameParts) {
  struct Row {
    const char16_t* Name;
    const char16_t* Path;
    const char16_t* Dir;
    const char16_t* File;
    const char16_t* Ext;
  };
  const Row rows[] = {
      {u"/a/b/c.txt", u"/a/b/", u"/a/b", u"c.txt", u".txt"},
      {u"c.tar.gz", u"", u"", u"c.tar.gz", u".gz"},
      {u"/a.b/c", u"/a.b/", u"/a.b", u"c", u""},
      {u"/top", u"/", u"/", u"top", u""},
      {u"dir/", u"dir/", u"dir", u"", u""},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(ExtractFilePath(r.Name), r.Path) << ToUtf8(r.Name);
    EXPECT_EQ(ExtractFileDir(r.Name), r.Dir) << ToUtf8(r.Name);
    EXPECT_EQ(ExtractFileName(r.Name), r.File) << ToUtf8(r.Name);
    EXPECT_EQ(ExtractFileExt(r.Name), r.Ext) << ToUtf8(r.Name);
  }
  EXPECT_EQ(ChangeFileExt(u"/a.b/c", u".png"), u"/a.b/c.png");
  EXPECT_EQ(ChangeFileExt(u"x.bmp", u".png"), u"x.png");
  EXPECT_EQ(IncludeTrailingPathDelimiter(u"/tmp"), u"/tmp/");
  EXPECT_EQ(IncludeTrailingPathDelimiter(u"/tmp/"), u"/tmp/");
  EXPECT_EQ(ExcludeTrailingPathDelimiter(u"/tmp/"), u"/tmp");
}

namespace {
std::vector<String> Search(const String& Pattern, Integer Attr) {
  std::vector<String> names;
  TSearchRec sr;
  for (Integer r = FindFirst(Pattern, Attr, sr); r == 0; r = FindNext(sr))
    names.push_back(sr.Name + ((sr.Attr & faDirectory) ? u"/" : u""));
  FindClose(sr);
  return names;
}
}  // namespace

TEST(Files, FindFirstHonoursAttributeMasksAndPatterns) {
  const jox::test::ScratchDir dir;
  const String root = dir.File("");  // with the trailing separator
  ASSERT_TRUE(ForceDirectories(root + u"sub/deeper/"));
  ASSERT_TRUE(CreateDir(root + u"B\u00e4r"));
  for (const char16_t* f : {u"a.txt", u"b.log", u".hidden", u"noext"}) {
    TStringList l;
    l.Add(f);
    l.SaveToFile(root + f);
  }
  EXPECT_EQ(Search(root + u"*", 0), (std::vector<String>{u"a.txt", u"b.log", u"noext"}));
  EXPECT_EQ(Search(root + u"*.*", faDirectory),
            (std::vector<String>{u"./", u"../", u"B\u00e4r/", u"a.txt", u"b.log", u"noext", u"sub/"}));
  EXPECT_EQ(Search(root + u"*", faAnyFile).size(), 8u);
  EXPECT_EQ(Search(root + u"?.txt", faAnyFile), (std::vector<String>{u"a.txt"}));
  EXPECT_TRUE(Search(root + u"*.none", faAnyFile).empty());
  TSearchRec sr;
  EXPECT_NE(FindFirst(root + u"missing/*", faAnyFile, sr), 0);
  ASSERT_EQ(FindFirst(root + u"a.txt", 0, sr), 0);
  EXPECT_EQ(sr.Size, 7);  // "a.txt\r\n"
  EXPECT_NEAR(sr.TimeStamp, Now(), 1.0 / 24);
  EXPECT_EQ(FindNext(sr), 18);
  FindClose(sr);
}

TEST(Files, CreateRemoveAndExist) {
  const jox::test::ScratchDir dir;
  const String root = dir.File("");  // with the trailing separator
  String d = root + u"x/y/z";
  EXPECT_FALSE(DirectoryExists(d));
  EXPECT_TRUE(ForceDirectories(d));
  EXPECT_TRUE(DirectoryExists(d));
  EXPECT_TRUE(ForceDirectories(d));  // already there
  EXPECT_FALSE(FileExists(d));
  EXPECT_FALSE(RemoveDir(root + u"x"));  // not empty
  EXPECT_TRUE(RemoveDir(d + u"/"));
  EXPECT_FALSE(DirectoryExists(d));
  EXPECT_FALSE(CreateDir(root + u"x"));  // exists
  EXPECT_THROW(ForceDirectories(u""), EInOutError);
  String f = root + u"f.txt";
  TStringList l;
  l.SaveToFile(f);
  EXPECT_TRUE(FileExists(f));
  EXPECT_FALSE(DeleteFile(root + u"x"));  // a directory is not deleted as a file
  EXPECT_TRUE(DeleteFile(f));
  EXPECT_FALSE(FileExists(f));
  l.SaveToFile(f);
  EXPECT_FALSE(ForceDirectories(f + u"/under"));  // a file stands in the way
}
