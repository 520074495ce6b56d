// TMiniCal: a one-month calendar in an 8 x 8 grid. Row 0 holds the year and month buttons and the
// title, row 1 the weekday names, rows 2 .. 7 the weeks with their ISO week numbers in column 0.
// Holidays are fixed dates (one year or every year) plus, optionally, the six feasts that move with
// Easter. Texts come in English, German, French and Spanish.
//
// Day numbers in the grid: D(c, r) = 7 r - 14 + FMonOfs + c - 1; day 1 always lies in row 2.
// Sections of the declaration: [types] [calendar]
#pragma once

#include <array>
#include <memory>

#include "package/core/coretypes.h"
#include "package/framework/base/strings.h"
#include "package/framework/controls/grids.h"
#include "package/numerics/matrix.h"

namespace jox {

// [types] --------------------------------------------------------------------------------------------------
enum TDayOfWeek : uint8_t { dwMon, dwTue, dwWed, dwThu, dwFri, dwSat, dwSun };

// Year of a holiday row that recurs every year.
constexpr Integer kRepeatHolidayYear = -99999;

// Easter Sunday of a Gregorian year: Month 3 or 4.
void CalcEasterSunday(Integer Year, Integer& Day, Integer& Month);

// [calendar] -----------------------------------------------------------------------------------------------
class TMiniCal : public TCustomDrawGrid {
 public:
  explicit TMiniCal(TComponent* AOwner);
  ~TMiniCal() override;

  void Assign(TPersistent* Source) override;

  JOX_CLASS_TABLE

  // --- the selected date (its day part only counts)
  TDateTime Date() const { return FDate; }
  // A value outside 1-1-1 .. 9999-12-31 (or NaN) raises EConvertError and keeps the date.
  void SetDate(TDateTime v);
  Integer Year() const;
  void SetYear(Integer v);
  Integer Month() const;
  void SetMonth(Integer v);
  Integer Day() const;
  void SetDay(Integer v);
  void PrevMonth() { StepMonth(-1); }
  void NextMonth() { StepMonth(1); }
  void PrevYear() { StepYear(-1); }
  void NextYear() { StepYear(1); }
  void LastDayOfMonth();

  // --- layout and texts
  TDayOfWeek FirstDayOfWeek() const { return F1stDayWeek; }
  void SetFirstDayOfWeek(TDayOfWeek v);
  TLanguage Language() const { return FLanguage; }
  // Drops the program's holidays: the list becomes the eight defaults named in the new language.
  void SetLanguage(TLanguage v);
  bool ShowMonthShort() const { return FMonthShort; }
  void SetShowMonthShort(bool v);
  bool AutoSwitch() const { return FAutoSwitch; }
  void SetAutoSwitch(bool v) { FAutoSwitch = v; }
  bool IndicateHolidays() const { return FIndicateHolid; }
  void SetIndicateHolidays(bool v);
  bool ShowMovableHolidays() const { return FShowMovHdays; }
  void SetShowMovableHolidays(bool v);
  bool ShowHolidayHint() const { return FShowHDayHint; }
  void SetShowHolidayHint(bool v);
  bool MarkToday() const { return FMarkToday; }
  void SetMarkToday(bool v);

  // --- colours
  // Background per weekday. Reading does not count as a change (see the report).
  TColor DayColors(TDayOfWeek Day) const;
  void SetDayColors(TDayOfWeek Day, TColor v);
  TColor ColorActiveMonth() const { return FColActMonth; }
  void SetColorActiveMonth(TColor v) { SetColorField(FColActMonth, v); }
  TColor ColorInactiveMonth() const { return FColInactMonth; }
  void SetColorInactiveMonth(TColor v) { SetColorField(FColInactMonth, v); }
  TColor ColorWeekNoBg() const { return FColWeekNoBg; }
  void SetColorWeekNoBg(TColor v) { SetColorField(FColWeekNoBg, v); }
  TColor ColorWeekNoFg() const { return FColWeekNoFg; }
  void SetColorWeekNoFg(TColor v) { SetColorField(FColWeekNoFg, v); }
  TColor ColorDayIdBg() const { return FColDayIdBg; }
  void SetColorDayIdBg(TColor v) { SetColorField(FColDayIdBg, v); }
  TColor ColorDayIdFg() const { return FColDayIdFg; }
  void SetColorDayIdFg(TColor v) { SetColorField(FColDayIdFg, v); }
  TColor ColorSelectedBg() const { return FColSelBg; }
  void SetColorSelectedBg(TColor v) { SetColorField(FColSelBg, v); }
  TColor ColorSelectedFg() const { return FColSelFg; }
  void SetColorSelectedFg(TColor v) { SetColorField(FColSelFg, v); }
  TColor ColorHolidayBg() const { return FColHolidBg; }
  void SetColorHolidayBg(TColor v) { SetColorField(FColHolidBg, v); }
  TColor ColorHolidayFg() const { return FColHolidFg; }
  void SetColorHolidayFg(TColor v) { SetColorField(FColHolidFg, v); }
  TColor ColorToday() const { return FColToday; }
  void SetColorToday(TColor v) { SetColorField(FColToday, v); }

  // --- holidays (rows are 1-based; fixed rows are checked before the movable feasts)
  Integer NumHolidays() const { return FHDayList->NrOfRows(); }
  bool CheckHoliday(Integer Year, Integer Month, Integer Day, String& Caption) const;
  void AddHoliday(Integer day, Integer mon, Integer year, const String& Caption);
  void AddRepeatHoliday(Integer day, Integer mon, const String& Caption);
  void ClearHolidayList();
  bool RetrieveHoliday(Integer HDIndex, Integer& Day, Integer& Month, Integer& Year, bool& IsRepeatHDay,
                       String& Description) const;

  // --- layout, for callers that place things beside a day
  Integer MonOfs() const { return FMonOfs; }
  // The day number shown in cell (ACol, ARow): below 1 or above the month's days for the
  // neighbouring months.
  Integer DayAt(Integer ACol, Integer ARow) const { return 7 * ARow - 14 + FMonOfs + ACol - 1; }
  // The caption of the "today" button in the current language.
  String TodayCaption() const;
  // The title text: month name and year.
  String TitleText() const;

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent e) { FOnChange = std::move(e); }

 protected:
  TAccessible* CreateAccessible() override;  // how assistive technology sees it
  void Changed();
  // Recomputes the layout of the selected month, the current cell and the hint, and invalidates.
  void UpdateCal();
  void DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) override;
  void Resize() override;
  // The cells follow the client area (Resize), which the form's scale already set: nothing to multiply.
  void ChangeScale(double K) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void DblClick() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void AssignTo(TPersistent* Dest) override;

 private:
  void StepMonth(Integer Step);
  void StepYear(Integer Step);
  // Encodes the parts as the new date; impossible parts raise EConvertError and keep the old date.
  void SetParts(Integer y, Integer m, Integer d);
  void LoadDefaultHolidays();
  void AppendHoliday(Integer day, Integer mon, Integer year, const String& Caption);
  void SetColorField(TColor& Field, TColor v);
  void DrawButtonFrame(TCanvas* C, const TRect& R);
  // Languages outside English .. Spanish show the English texts.
  Integer LangIndex() const;

  TDateTime FDate;
  TDayOfWeek F1stDayWeek = dwMon;
  Integer FMonOfs = 0;
  TLanguage FLanguage = lgEnglish;
  bool FMonthShort = true;
  bool FAutoSwitch = true;
  std::array<TColor, 7> FDayColors;
  std::unique_ptr<TIntMatrix> FHDayList;
  std::unique_ptr<TStringList> FHDayCaptions;
  bool FShowHDayHint = true, FIndicateHolid = true, FShowMovHdays = true, FMarkToday = true;
  Integer FGridCell = 0, FGridRow = 0;
  bool FUpdating = false;
  TNotifyEvent FOnChange;
  TColor FColActMonth = clBlack, FColInactMonth = clSilver;
  TColor FColWeekNoBg = clSilver, FColWeekNoFg = clBlack;
  TColor FColDayIdBg = clSilver, FColDayIdFg = clBlack;
  TColor FColSelBg = 0xD0A040, FColSelFg = clWhite;
  TColor FColHolidBg = 0x9BD8F1, FColHolidFg = 0x0000C0;
  TColor FColToday = clRed;
};

}  // namespace jox
