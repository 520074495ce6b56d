// The mini calendar: Easter and the holiday tables, date setters and stepping, the month layout,
// painting of the cells, and picking with mouse and keys.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

#include "minical/minical.h"
#include "package/core/colors.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/input.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

// Easter by the anonymous Gregorian computus, independent of the calendar's own routine.
void ComputusEaster(Integer Y, Integer& Day, Integer& Month) {
  const Integer a = Y % 19, b = Y / 100, c = Y % 100, d = b / 4, e = b % 4, f = (b + 8) / 25;
  const Integer g = (b - f + 1) / 3, h = (19 * a + b - d - g + 15) % 30, i = c / 4, k = c % 4;
  const Integer l = (32 + 2 * e + 2 * i - h - k) % 7, m = (a + 11 * h + 22 * l) / 451;
  Month = (h + l - 7 * m + 114) / 31;
  Day = (h + l - 7 * m + 114) % 31 + 1;
}

// ISO week of a date, from its Thursday, independent of the calendar and the runtime's routine.
Integer IsoWeek(Integer Y, Integer M, Integer D) {
  using namespace std::chrono;
  const sys_days date{year{Y} / month(unsigned(M)) / day(unsigned(D))};
  const sys_days thursday = date - days(weekday(date).iso_encoding() - 1) + days(3);
  const year_month_day t{thursday};
  return Integer((thursday - sys_days{t.year() / January / 1}).count() / 7 + 1);
}

class MiniCal : public jox::test::FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    form = std::make_unique<TForm>(nullptr);
    form->SetClientWidth(320);
    form->SetClientHeight(200);
    cal = new TMiniCal(form.get());
    cal->SetParent(form.get());
    cal->SetBounds(10, 10, 300, 180);
    cal->SetOnChange([this](TObject*) { ++changes; });
    Application->ProcessMessages();
  }
  void Select(Integer y, Integer m, Integer d) { cal->SetDate(EncodeDate(Word(y), Word(m), Word(d))); }
  std::string Ymd() const {
    return std::to_string(cal->Year()) + "-" + std::to_string(cal->Month()) + "-" + std::to_string(cal->Day());
  }
  TPoint Centre(Integer c, Integer r) {
    const TRect rc = cal->CellRect(c, r);
    return {(rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2};
  }
  void ClickCell(Integer c, Integer r) {
    const TPoint p = Centre(c, r);
    input::Click(cal, p.X, p.Y);
  }
  // Pixels of the cell within tolerance of a colour (anti-aliased text has a solid core).
  int CountNear(Integer c, Integer r, TColor colour) {
    Application->ProcessMessages();
    const TRect rc = cal->CellRect(c, r);
    const TPoint o = cal->OriginInRoot();  // cells are in client coordinates, inside the frame
    int n = 0;
    for (Integer y = rc.Top; y < rc.Bottom; ++y)
      for (Integer x = rc.Left; x < rc.Right; ++x)
        if (jox::test::SameColor(jox::test::SurfacePixel(cal->Surface(), o.X + x, o.Y + y), colour, 12)) ++n;
    return n;
  }

  // The number shown in the week column of row r: the one whose text, drawn as the calendar draws
  // it, matches the cell's pixels; 0 when none does.
  Integer ShownWeek(Integer r) {
    Application->ProcessMessages();
    const TRect rc = cal->CellRect(0, r);
    const TPoint o = cal->OriginInRoot();
    TBitmap ref;
    ref.SetSize(rc.Width(), rc.Height());
    TCanvas* c = ref.Canvas();
    c->Font()->Assign(cal->Font());
    c->Font()->SetColor(cal->ColorWeekNoFg());
    c->Brush()->SetColor(cal->ColorWeekNoBg());
    for (Integer n = 1; n <= 53; ++n) {
      const String text = IntToStr(n);
      c->TextRect(Rect(0, 0, rc.Width(), rc.Height()), (rc.Width() - c->TextWidth(text)) / 2,
                  (rc.Height() - c->TextHeight(text)) / 2, text);
      bool same = true;
      for (Integer y = 0; y < rc.Height() && same; ++y)
        for (Integer x = 0; x < rc.Width() && same; ++x)
          same = jox::test::SameColor(jox::test::SurfacePixel(cal->Surface(), o.X + rc.Left + x, o.Y + rc.Top + y),
                                      jox::test::SurfacePixel(&ref, x, y), 2);
      if (same) return n;
    }
    return 0;
  }

  std::unique_ptr<TForm> form;
  TMiniCal* cal = nullptr;
  int changes = 0;
};

}  // namespace

TEST(MiniCalEaster, KnownYearsAndTheComputusOverTheGregorianRange) {
  struct {
    Integer y, d, m;
  } known[] = {{2024, 31, 3}, {2025, 20, 4}, {2019, 21, 4}, {2038, 25, 4}, {1818, 22, 3}};
  for (auto k : known) {
    Integer d = 0, m = 0;
    CalcEasterSunday(k.y, d, m);
    EXPECT_EQ(d, k.d) << k.y;
    EXPECT_EQ(m, k.m) << k.y;
  }
  for (Integer y = 1583; y <= 4099; ++y) {
    Integer d, m, cd, cm;
    CalcEasterSunday(y, d, m);
    ComputusEaster(y, cd, cm);
    ASSERT_EQ(d * 100 + m, cd * 100 + cm) << y;
  }
}

TEST_F(MiniCal, DefaultsGridAndDefaultHolidays) {
  TMiniCal fresh(nullptr);
  EXPECT_TRUE(jox::test::DefaultsMatchTable(fresh));
  EXPECT_EQ(fresh.Width(), 300);
  EXPECT_EQ(fresh.Height(), 180);
  EXPECT_EQ(fresh.ColCount(), 8);
  EXPECT_EQ(fresh.RowCount(), 8);
  EXPECT_EQ(fresh.FixedCols(), 1);
  EXPECT_EQ(fresh.FixedRows(), 2);
  EXPECT_FALSE(fresh.Options() & goRangeSelect);
  EXPECT_TRUE(fresh.Options() & goDrawFocusSelected);
  EXPECT_EQ(fresh.BorderStyle(), bsSingle);
  EXPECT_EQ(fresh.ScrollBars(), ssNone);
  EXPECT_EQ(fresh.Year(), YearOf(Now()));
  EXPECT_EQ(fresh.DayColors(dwMon), TColor(0xF8F8F8));
  EXPECT_EQ(fresh.DayColors(dwSat), TColor(0xBBDDEE));
  EXPECT_EQ(fresh.DayColors(dwSun), TColor(0xCCEEFF));
  ASSERT_EQ(fresh.NumHolidays(), 8);
  Integer d = 0, m = 0, y = 0;
  bool rep = false;
  String name;
  ASSERT_TRUE(fresh.RetrieveHoliday(1, d, m, y, rep, name));
  EXPECT_EQ(d * 100 + m, 2512);
  EXPECT_TRUE(rep);
  EXPECT_EQ(name, u"Christmas Day");
  ASSERT_TRUE(fresh.RetrieveHoliday(8, d, m, y, rep, name));
  EXPECT_EQ(name, u"Labor Day");
  // Out of range: false and the out-parameters untouched.
  d = -7;
  EXPECT_FALSE(fresh.RetrieveHoliday(0, d, m, y, rep, name));
  EXPECT_FALSE(fresh.RetrieveHoliday(9, d, m, y, rep, name));
  EXPECT_EQ(d, -7);
  EXPECT_EQ(name, u"Labor Day");
  // The title row and the week-number column take what the day cells leave.
  EXPECT_EQ(fresh.ColWidths(0) + 7 * fresh.DefaultColWidth() + 8, 300 - 4);
  EXPECT_EQ(fresh.RowHeights(0) + 7 * fresh.DefaultRowHeight() + 8, 180 - 4);
}

TEST_F(MiniCal, MovableFeastsFixedRowsAndAddedHolidays) {
  String c;
  EXPECT_TRUE(cal->CheckHoliday(2024, 5, 9, c));
  EXPECT_EQ(c, u"Ascension Day");
  EXPECT_TRUE(cal->CheckHoliday(2024, 4, 1, c));
  EXPECT_EQ(c, u"Easter Monday");
  EXPECT_TRUE(cal->CheckHoliday(2024, 3, 31, c));
  EXPECT_EQ(c, u"Easter Day");
  EXPECT_TRUE(cal->CheckHoliday(2024, 5, 30, c));  // Easter + 60
  EXPECT_EQ(c, u"Corpus Christi");
  EXPECT_FALSE(cal->CheckHoliday(2024, 5, 10, c));
  EXPECT_EQ(c, u"");
  EXPECT_TRUE(cal->CheckHoliday(2030, 12, 25, c));
  // In 2008 Whit Monday fell on 12 May; a fixed row for that day wins over the feast.
  EXPECT_TRUE(cal->CheckHoliday(2008, 5, 12, c));
  EXPECT_EQ(c, u"Whit Monday");
  cal->AddRepeatHoliday(12, 5, u"Town fair");
  EXPECT_TRUE(cal->CheckHoliday(2008, 5, 12, c));
  EXPECT_EQ(c, u"Town fair");

  cal->SetShowMovableHolidays(false);
  EXPECT_FALSE(cal->CheckHoliday(2024, 4, 1, c));
  EXPECT_FALSE(cal->CheckHoliday(2024, 5, 9, c));
  cal->SetShowMovableHolidays(true);

  cal->AddHoliday(3, 10, 2030, u"Opening");
  EXPECT_TRUE(cal->CheckHoliday(2030, 10, 3, c));
  EXPECT_EQ(c, u"Opening");
  EXPECT_FALSE(cal->CheckHoliday(2031, 10, 3, c));
  cal->AddRepeatHoliday(3, 10, u"Unity");
  EXPECT_TRUE(cal->CheckHoliday(2031, 10, 3, c));
  EXPECT_EQ(c, u"Unity");
  EXPECT_EQ(cal->NumHolidays(), 11);

  cal->ClearHolidayList();
  EXPECT_EQ(cal->NumHolidays(), 0);
  EXPECT_FALSE(cal->CheckHoliday(2030, 12, 25, c));
  EXPECT_TRUE(cal->CheckHoliday(2024, 5, 9, c));  // the feasts do not live in the list
}

TEST_F(MiniCal, LanguageSwitchRestoresTheDefaultsInTheNewLanguage) {
  cal->AddRepeatHoliday(3, 10, u"Unity");
  cal->SetLanguage(lgGerman);
  EXPECT_EQ(cal->NumHolidays(), 8);
  String c;
  EXPECT_FALSE(cal->CheckHoliday(2031, 10, 3, c));
  EXPECT_TRUE(cal->CheckHoliday(2031, 12, 25, c));
  EXPECT_EQ(c, u"Weihnachten");
  EXPECT_TRUE(cal->CheckHoliday(2024, 5, 9, c));
  EXPECT_EQ(c, u"Christi Himmelfahrt");
  EXPECT_EQ(cal->TodayCaption(), u"heute");
  cal->SetLanguage(lgFrench);
  EXPECT_TRUE(cal->CheckHoliday(2024, 4, 1, c));
  EXPECT_EQ(c, u"Lundi de Pâques");
  EXPECT_EQ(cal->TodayCaption(), u"auj.");
  cal->SetLanguage(lgSpanish);
  EXPECT_TRUE(cal->CheckHoliday(2024, 5, 30, c));
  EXPECT_EQ(c, u"Corpus Cristi");
  // An ordinal without texts of its own shows English rather than reading past the tables.
  cal->SetLanguage(TLanguage(9));
  EXPECT_EQ(cal->TodayCaption(), u"today");
  Select(2024, 3, 5);
  EXPECT_EQ(cal->TitleText(), u"Mar 2024");
  Application->ProcessMessages();
}

TEST_F(MiniCal, MonthAndYearSteppingClampTheDay) {
  Select(2023, 1, 31);
  cal->NextMonth();
  EXPECT_EQ(Ymd(), "2023-2-28");
  Select(2024, 1, 31);
  cal->NextMonth();
  EXPECT_EQ(Ymd(), "2024-2-29");
  cal->NextYear();
  EXPECT_EQ(Ymd(), "2025-2-28");
  Select(2024, 3, 31);
  cal->PrevMonth();
  EXPECT_EQ(Ymd(), "2024-2-29");
  cal->PrevYear();
  EXPECT_EQ(Ymd(), "2023-2-28");
  Select(2023, 12, 15);
  cal->NextMonth();
  EXPECT_EQ(Ymd(), "2024-1-15");
  cal->PrevMonth();
  EXPECT_EQ(Ymd(), "2023-12-15");
  cal->LastDayOfMonth();
  EXPECT_EQ(Ymd(), "2023-12-31");
  changes = 0;
  cal->NextMonth();
  EXPECT_EQ(changes, 1);
}

TEST_F(MiniCal, PartSettersIgnoreOutOfRangeAndRefuseZero) {
  Select(2024, 2, 10);
  changes = 0;
  cal->SetMonth(13);
  cal->SetDay(30);
  cal->SetYear(-1);
  EXPECT_EQ(Ymd(), "2024-2-10");
  EXPECT_EQ(changes, 3);  // ignored values still count as a change
  EXPECT_THROW(cal->SetDay(0), EConvertError);
  EXPECT_THROW(cal->SetMonth(0), EConvertError);
  // A year past the 16-bit range must not wrap into a valid but wrong one.
  EXPECT_THROW(cal->SetYear(65536 + 2024), EConvertError);
  EXPECT_EQ(Ymd(), "2024-2-10");
  cal->SetYear(2023);
  cal->SetMonth(3);
  cal->SetDay(31);
  EXPECT_EQ(Ymd(), "2023-3-31");
  changes = 0;
  cal->SetFirstDayOfWeek(dwMon);  // unchanged
  EXPECT_EQ(changes, 0);
  cal->SetFirstDayOfWeek(dwSun);
  EXPECT_EQ(changes, 1);
  (void)cal->DayColors(dwSun);  // reading is no change
  EXPECT_EQ(changes, 1);
}

TEST_F(MiniCal, MondayFirstMonthStartingOnSunday) {
  Select(2024, 9, 10);  // 1 September 2024 is a Sunday
  EXPECT_EQ(cal->MonOfs(), -5);
  EXPECT_EQ(cal->DayAt(7, 2), 1);
  for (Integer c = 1; c <= 6; ++c) EXPECT_LT(cal->DayAt(c, 2), 1);
  // Row 2 begins with 26 August in the inactive colour; 1 September in the active one.
  EXPECT_GT(CountNear(1, 2, cal->ColorInactiveMonth()), 3);
  EXPECT_EQ(CountNear(1, 2, cal->ColorActiveMonth()), 0);
  EXPECT_GT(CountNear(7, 2, cal->ColorActiveMonth()), 0);
  // The selected 10th: selection colours; the week-number column, the day-name row.
  EXPECT_EQ(cal->DayAt(2, 4), 10);
  EXPECT_GT(CountNear(2, 4, cal->ColorSelectedBg()), 100);
  EXPECT_EQ(CountNear(2, 3, cal->ColorSelectedBg()), 0);
  EXPECT_GT(CountNear(0, 3, cal->ColorWeekNoBg()), 100);
  // Sunday first: the month starts in column 1.
  cal->SetFirstDayOfWeek(dwSun);
  EXPECT_EQ(cal->DayAt(1, 2), 1);
  EXPECT_GT(CountNear(1, 2, cal->DayColors(dwSun)), 100);
}

// Every week row shows the ISO week of its days (Monday first): across a year's end, and in months
// whose first days still belong to week 53 or already to week 1 of the next year.
TEST_F(MiniCal, WeekColumnShowsTheIsoWeekOfEveryRow) {
  const Integer months[][2] = {{2021, 1}, {2016, 1}, {2024, 12}, {2025, 6}, {2026, 3}};
  for (const auto& ym : months) {
    Select(ym[0], ym[1], 15);
    for (Integer r = 2; r <= 7; ++r) {
      // Row r holds the day 7 (r - 2) after the 1st; its days lie in the month or just after it.
      Integer y = ym[0], m = ym[1], d = 1 + 7 * (r - 2);
      const Integer days = DaysInAMonth(Word(y), Word(m));
      if (d > days) {
        d -= days;
        if (++m > 12) m = 1, ++y;
      }
      EXPECT_EQ(ShownWeek(r), IsoWeek(y, m, d)) << ym[0] << "-" << ym[1] << " row " << r;
    }
  }
  // 1 January 2021, a Friday, lies in week 53 of 2020.
  Select(2021, 1, 1);
  EXPECT_EQ(ShownWeek(2), 53);
  EXPECT_EQ(ShownWeek(3), 1);
}

// The June feasts of 2025 (Easter on 20 April) fall on their own days, not one later.
TEST_F(MiniCal, JuneFeastsFallOnTheirDays) {
  String c;
  EXPECT_TRUE(cal->CheckHoliday(2025, 6, 8, c));
  EXPECT_EQ(c, u"Pentecost");
  EXPECT_TRUE(cal->CheckHoliday(2025, 6, 9, c));
  EXPECT_EQ(c, u"Whit Monday");
  EXPECT_TRUE(cal->CheckHoliday(2025, 6, 19, c));
  EXPECT_EQ(c, u"Corpus Christi");
  EXPECT_FALSE(cal->CheckHoliday(2025, 6, 10, c));
  EXPECT_FALSE(cal->CheckHoliday(2025, 6, 20, c));
  EXPECT_EQ(c, u"");
  // And they are painted so: 9 June 2025 is a Monday, column 1.
  Select(2025, 6, 2);
  const Integer row = (9 - cal->MonOfs()) / 7 + 2;
  ASSERT_EQ(cal->DayAt(1, row), 9);
  EXPECT_GT(CountNear(1, row, cal->ColorHolidayBg()), 100);
  EXPECT_EQ(CountNear(2, row, cal->ColorHolidayBg()), 0);
}

// The title buttons' raised frame: white and 0xE6E2E2 at the top and left, 0x9CA0A5 and 0x686868 at the
// bottom and right (the outer lines on the cell's right and bottom grid lines).
TEST_F(MiniCal, ButtonsHaveTheirRaisedFrame) {
  Application->ProcessMessages();
  const TRect r = cal->CellRect(1, 0);  // "<<"
  const TPoint o = cal->OriginInRoot();
  auto px = [&](Integer x, Integer y) { return jox::test::SurfacePixel(cal->Surface(), o.X + x, o.Y + y); };
  const Integer mx = (r.Left + r.Right) / 2, my = (r.Top + r.Bottom) / 2;
  const Integer L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
  EXPECT_EQ(px(L, my), clWhite);
  EXPECT_EQ(px(mx, T), clWhite);
  EXPECT_EQ(px(L + 1, my), TColor(0xE6E2E2));
  EXPECT_EQ(px(mx, T + 1), TColor(0xE6E2E2));
  EXPECT_EQ(px(mx, B - 1), TColor(0x9CA0A5));
  EXPECT_EQ(px(R - 1, my), TColor(0x9CA0A5));
  EXPECT_EQ(px(mx, B), TColor(0x686868));
  EXPECT_EQ(px(R, my), TColor(0x686868));
}

TEST_F(MiniCal, HolidaysAreColouredAndSelectedHolidaysMixBoth) {
  Select(2024, 12, 2);
  // 25 December 2024 is a Wednesday: column 3 of its week row.
  const Integer row = (25 - cal->MonOfs()) / 7 + 2, col = (25 - cal->MonOfs()) % 7 + 1;
  ASSERT_EQ(cal->DayAt(col, row), 25);
  EXPECT_GT(CountNear(col, row, cal->ColorHolidayBg()), 100);
  cal->SetDay(25);
  EXPECT_EQ(cal->Hint(), u"Christmas Day");
  EXPECT_GT(CountNear(col, row, MeanColor(cal->ColorSelectedBg(), cal->ColorHolidayBg())), 100);
  cal->SetIndicateHolidays(false);
  EXPECT_EQ(cal->Hint(), u"");
  EXPECT_GT(CountNear(col, row, cal->ColorSelectedBg()), 100);
}

TEST_F(MiniCal, MousePicksDaysAndSwitchesMonths) {
  Select(2024, 9, 10);
  // Row 7 ends with days of October.
  ASSERT_GT(cal->DayAt(7, 7), 30);
  cal->SetAutoSwitch(false);
  changes = 0;
  ClickCell(7, 7);
  EXPECT_EQ(Ymd(), "2024-9-10");
  EXPECT_EQ(changes, 0);
  cal->SetAutoSwitch(true);
  ClickCell(7, 7);
  EXPECT_EQ(Ymd(), "2024-10-6");
  EXPECT_EQ(changes, 1);
  // The grey day just before the 1st is the last day of the month before.
  Select(2024, 9, 10);
  ASSERT_EQ(cal->DayAt(6, 2), 0);
  changes = 0;
  ClickCell(6, 2);
  EXPECT_EQ(Ymd(), "2024-8-31");
  EXPECT_EQ(changes, 1);
  // A grey day of the previous month, seen from January, goes to December of the year before.
  Select(2025, 1, 15);
  ASSERT_LT(cal->DayAt(1, 2), 1);
  ClickCell(1, 2);
  EXPECT_EQ(cal->Year(), 2024);
  EXPECT_EQ(cal->Month(), 12);
  // Title buttons.
  Select(2024, 1, 31);
  ClickCell(6, 0);
  EXPECT_EQ(Ymd(), "2024-2-29");
  ClickCell(7, 0);
  EXPECT_EQ(Ymd(), "2025-2-28");
  ClickCell(2, 0);
  ClickCell(1, 0);
  EXPECT_EQ(Ymd(), "2024-1-28");
  ClickCell(4, 0);  // the title does nothing
  EXPECT_EQ(Ymd(), "2024-1-28");
  ClickCell(0, 1);
  EXPECT_EQ(std::floor(cal->Date()), std::floor(Now()));
  // Double clicks count only on day cells.
  int dbl = 0;
  cal->SetOnDblClick([&](TObject*) { ++dbl; });
  const TPoint day = Centre(3, 4), title = Centre(4, 0);
  input::DoubleClick(cal, day.X, day.Y);
  input::DoubleClick(cal, title.X, title.Y);
  EXPECT_EQ(dbl, 1);
}

TEST_F(MiniCal, KeysAndWheelMoveTheDate) {
  cal->SetFocus();
  Select(2024, 1, 31);
  input::KeyPress(cal, VK_RIGHT);
  EXPECT_EQ(Ymd(), "2024-2-1");
  input::KeyPress(cal, VK_UP);
  EXPECT_EQ(Ymd(), "2024-1-25");
  input::KeyPress(cal, VK_NEXT);
  EXPECT_EQ(Ymd(), "2024-2-25");
  input::KeyPress(cal, VK_NEXT, ssCtrl);
  EXPECT_EQ(Ymd(), "2025-2-25");
  input::KeyPress(cal, VK_END);
  EXPECT_EQ(Ymd(), "2025-2-28");
  input::KeyPress(cal, VK_HOME);
  EXPECT_EQ(Ymd(), "2025-2-1");
  const TPoint p = Centre(3, 4);
  input::MouseWheel(cal, p.X, p.Y, -WHEEL_DELTA);
  EXPECT_EQ(Ymd(), "2025-3-1");
  input::MouseWheel(cal, p.X, p.Y, WHEEL_DELTA);
  EXPECT_EQ(Ymd(), "2025-2-1");
  // The calendar's first and last days are as far as the arrows go.
  Select(9999, 12, 31);
  input::KeyPress(cal, VK_RIGHT);
  EXPECT_EQ(Ymd(), "9999-12-31");
  Select(1, 1, 1);
  input::KeyPress(cal, VK_LEFT);
  EXPECT_EQ(Ymd(), "1-1-1");
}

// Every published setting of its own takes a new value (a setter that ignored changes would show here).
TEST_F(MiniCal, EveryOwnSettingTakesANewValue) {
  TMiniCal fresh(nullptr);
  EXPECT_EQ(jox::test::RefusedProps(fresh), (std::vector<String>{}));
}

// Only the "today" button jumps to today; the week numbers below it are no buttons. A date the
// calendar cannot show is refused whole, so the calendar keeps working on the date it had.
TEST_F(MiniCal, WeekNumbersAreNoTodayButtonAndImpossibleDatesAreRefused) {
  Select(2001, 5, 17);
  changes = 0;
  for (Integer r = 2; r <= 7; ++r) ClickCell(0, r);
  EXPECT_EQ(Ymd(), "2001-5-17");
  EXPECT_EQ(changes, 0);

  const TDateTime first = EncodeDate(1, 1, 1), last = EncodeDate(9999, 12, 31);
  for (const TDateTime bad : {TDateTime(std::nan("")), TDateTime(INFINITY), TDateTime(-INFINITY), first - 1,
                              last + 1, TDateTime(1e300)}) {
    EXPECT_THROW(cal->SetDate(bad), EConvertError) << bad;
    EXPECT_EQ(Ymd(), "2001-5-17");
  }
  EXPECT_EQ(changes, 0);
  // Both ends of the range are still dates it takes, and later updates and paints work.
  cal->SetDate(last + 0.5);
  EXPECT_EQ(Ymd(), "9999-12-31");
  cal->SetDate(first);
  EXPECT_EQ(Ymd(), "1-1-1");
  Select(2001, 5, 17);
  EXPECT_NO_THROW(cal->SetMonth(6));
  EXPECT_NO_THROW(cal->NextMonth());
  EXPECT_NO_THROW(Application->ProcessMessages());
  EXPECT_EQ(Ymd(), "2001-7-17");
}
