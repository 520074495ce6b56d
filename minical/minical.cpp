// TMiniCal: construction, the selected date and its stepping, holidays and Easter, the update of the
// layout, settings, copying and the class table.
// Sections: [texts] [easter] [construction] [date] [stepping] [holidays] [update] [settings] [assign]
//           [table]
#include <algorithm>

#include "minical/minical.h"
#include "package/core/names.h"
#include "package/framework/base/sysutils.h"
#include "package/framework/controls/menus.h"
#include "package/setters.h"
#include "package/units.h"

namespace jox {

// [texts] --------------------------------------------------------------------------------------------------
namespace {

constexpr Integer kNumDefaultHolidays = 8;

struct TDefaultHoliday {
  Integer Day, Month;
  const char16_t* Names[4];  // English, German, French, Spanish
};

const TDefaultHoliday kDefaultHolidays[kNumDefaultHolidays] = {
    {25, 12, {u"Christmas Day", u"Weihnachten", u"Noël", u"Navidad"}},
    {26, 12, {u"Boxing Day", u"Stephanitag", u"Jour de boxe", u"Día de San Esteban"}},
    {1, 1, {u"New Year's Day", u"Neujahrstag", u"Nouvel An Jour", u"Día de Año Nuevo"}},
    {6, 1, {u"Epiphany", u"Hl. Drei Könige", u"Épiphanie", u"Epifanía"}},
    {15, 8, {u"Assumption of Mary", u"Maria Himmelfahrt", u"Assomption", u"Asunción"}},
    {1, 11, {u"All Saints", u"Allerheiligen", u"La Toussaint", u"Día de Todos los Santos"}},
    {8, 12, {u"Immaculate Conception", u"Maria Empfängnis", u"Immaculée Conception", u"Inmaculada Concepción"}},
    {1, 5, {u"Labor Day", u"Tag der Arbeit", u"Fête du Travail", u"Día del Trabajo"}},
};

struct TMovableFeast {
  Integer Offset;  // days after Easter Sunday
  const char16_t* Names[4];
};

const TMovableFeast kMovableFeasts[] = {
    {0, {u"Easter Day", u"Ostersonntag", u"Le jour de Pâques", u"Domingo de Resurrección"}},
    {1, {u"Easter Monday", u"Ostermontag", u"Lundi de Pâques", u"Lunes de Pascua"}},
    {39, {u"Ascension Day", u"Christi Himmelfahrt", u"Ascension du Christ", u"Ascensión de Cristo"}},
    {49, {u"Pentecost", u"Pfingstsonntag", u"Dimanche de Pentecôte", u"Domingo de Pentecostés"}},
    {50, {u"Whit Monday", u"Pfingstmontag", u"Lundi de Pentecôte", u"Lunes de Pentecostés"}},
    {60, {u"Corpus Christi", u"Fronleichnam", u"Corpus Christi", u"Corpus Cristi"}},
};

const char16_t* const kTodayCaptions[4] = {u"today", u"heute", u"auj.", u"hoy"};

// Days of a month of any year the calendar can hold; 0 outside.
Integer MonthDays(Integer y, Integer m) { return y < 1 || y > 9999 ? 0 : DaysInAMonth(Word(y), Word(m)); }

}  // namespace

// [easter] -------------------------------------------------------------------------------------------------
void CalcEasterSunday(Integer Year, Integer& Day, Integer& Month) {
  const Integer K = Year / 100;
  const Integer M = 15 + (3 * K + 3) / 4 - (8 * K + 13) / 25;
  const Integer S = 2 - (3 * K + 3) / 4;
  const Integer A = Year % 19;
  const Integer D = (19 * A + M) % 30;
  const Integer R = (D + A / 11) / 29;
  const Integer OG = 21 + D - R;
  const Integer SZ = 7 - (Year + Year / 4 + S) % 7;
  const Integer OE = 7 - (OG - SZ) % 7;
  const Integer OS = OG + OE;
  Month = 3;
  Day = OS;
  if (OS > 31) {
    Month = 4;
    Day = OS - 31;
  }
}

// [construction] -------------------------------------------------------------------------------------------
TMiniCal::TMiniCal(TComponent* AOwner) : TCustomDrawGrid(AOwner) {
  FDate = Now();
  FDayColors = {TColor(0xF8F8F8), TColor(0xF8F8F8), TColor(0xF8F8F8), TColor(0xF8F8F8),
                TColor(0xF8F8F8), TColor(0xBBDDEE), TColor(0xCCEEFF)};
  FHDayList = std::make_unique<TIntMatrix>(nullptr);
  FHDayCaptions = std::make_unique<TStringList>();
  SetDefaultDrawing(false);
  SetColCount(8);
  SetRowCount(8);
  SetFixedCols(1);
  SetFixedRows(2);
  SetGridLineWidth(1);
  SetScrollBars(ssNone);
  SetBorderStyle(bsSingle);
  SetOptions((Options() - goRangeSelect) | goDrawFocusSelected);
  SetStyleElements(TStyleElements());
  SetDoubleBuffered(true);
  LoadDefaultHolidays();
  SetBounds(Left(), Top(), 300, 180);
  UpdateCal();
}

TMiniCal::~TMiniCal() = default;

// [date] ---------------------------------------------------------------------------------------------------
void TMiniCal::Changed() {
  if (FOnChange) FOnChange(this);
}

Integer TMiniCal::Year() const { return YearOf(FDate); }
Integer TMiniCal::Month() const { return MonthOf(FDate); }
Integer TMiniCal::Day() const { return DayOf(FDate); }

void TMiniCal::SetDate(TDateTime v) {
  // Checked before it is stored: a date without year, month and day would make every later update
  // and paint raise.
  if (!(v >= EncodeDate(1, 1, 1) && v < EncodeDate(9999, 12, 31) + 1)) throw EConvertError(u"Invalid date");
  FDate = v;
  UpdateCal();
  Changed();
}

void TMiniCal::SetParts(Integer y, Integer m, Integer d) {
  // Out of the 16-bit range a part would wrap into a valid but wrong date: pass 0, which is refused.
  auto part = [](Integer v) { return v < 0 || v > 0xFFFF ? Word(0) : Word(v); };
  FDate = EncodeDate(part(y), part(m), part(d));
  UpdateCal();
  Changed();
}

void TMiniCal::SetYear(Integer v) {
  SetParts(v < 0 ? Year() : v, Month(), Day());
}

void TMiniCal::SetMonth(Integer v) {
  SetParts(Year(), v < 0 || v > 12 ? Month() : v, Day());
}

void TMiniCal::SetDay(Integer v) {
  SetParts(Year(), Month(), v < 0 || v > MonthDays(Year(), Month()) ? Day() : v);
}

// [stepping] -----------------------------------------------------------------------------------------------
void TMiniCal::StepMonth(Integer Step) {
  const Integer d = Day();
  const Integer y = Year(), m = Month();
  // From the month's first day back or its last day forward lands in the neighbouring month.
  const TDateTime edge = Step <= 0 ? EncodeDate(Word(y), Word(m), 1) : EncodeDate(Word(y), Word(m), Word(MonthDays(y, m)));
  const TDateTime target = edge + Step;
  const Integer ty = YearOf(target), tm = MonthOf(target);
  SetDate(EncodeDate(Word(ty), Word(tm), Word(std::min(d, MonthDays(ty, tm)))));
}

void TMiniCal::StepYear(Integer Step) {
  if (Month() == 2 && Day() == 29) SetDay(28);
  SetYear(Year() + Step);
}

void TMiniCal::LastDayOfMonth() { SetDay(MonthDays(Year(), Month())); }

// [holidays] -----------------------------------------------------------------------------------------------
Integer TMiniCal::LangIndex() const { return FLanguage >= lgEnglish && FLanguage <= lgSpanish ? FLanguage - 1 : 0; }

String TMiniCal::TodayCaption() const { return kTodayCaptions[LangIndex()]; }

void TMiniCal::AppendHoliday(Integer day, Integer mon, Integer year, const String& Caption) {
  const Integer row = FHDayList->NrOfRows() + 1;
  FHDayList->Resize(3, row);
  FHDayList->SetVal(1, row, day);
  FHDayList->SetVal(2, row, mon);
  FHDayList->SetVal(3, row, year);
  FHDayCaptions->Add(Caption);
}

void TMiniCal::LoadDefaultHolidays() {
  FHDayList->Resize(3, 0);
  FHDayCaptions->Clear();
  for (const TDefaultHoliday& h : kDefaultHolidays)
    AppendHoliday(h.Day, h.Month, kRepeatHolidayYear, h.Names[LangIndex()]);
}

bool TMiniCal::CheckHoliday(Integer Year, Integer Month, Integer Day, String& Caption) const {
  Caption.clear();
  for (Integer i = 1, n = NumHolidays(); i <= n; ++i) {
    const Integer y = FHDayList->GetVal(3, i);
    if (FHDayList->GetVal(1, i) == Day && FHDayList->GetVal(2, i) == Month && (y == kRepeatHolidayYear || y == Year)) {
      Caption = FHDayCaptions->Strings(i - 1);
      return true;
    }
  }
  if (!FShowMovHdays || Month < 3 || Month > 6) return false;
  Integer ed, em;
  CalcEasterSunday(Year, ed, em);
  const Integer e = em == 4 ? ed + 31 : ed;  // Easter as a day of March
  static const Integer kMonthStart[] = {0, 31, 61, 92};
  const Integer n = Day + kMonthStart[Month - 3];
  for (const TMovableFeast& f : kMovableFeasts)
    if (n - e == f.Offset) {
      Caption = f.Names[LangIndex()];
      return true;
    }
  return false;
}

void TMiniCal::AddHoliday(Integer day, Integer mon, Integer year, const String& Caption) {
  AppendHoliday(day, mon, year, Caption);
  UpdateCal();
  Repaint();
}

void TMiniCal::AddRepeatHoliday(Integer day, Integer mon, const String& Caption) {
  AddHoliday(day, mon, kRepeatHolidayYear, Caption);
}

void TMiniCal::ClearHolidayList() {
  FHDayList->Resize(3, 0);
  FHDayCaptions->Clear();
  UpdateCal();
  Repaint();
}

bool TMiniCal::RetrieveHoliday(Integer HDIndex, Integer& Day, Integer& Month, Integer& Year, bool& IsRepeatHDay,
                               String& Description) const {
  if (HDIndex < 1 || HDIndex > NumHolidays()) return false;
  Day = FHDayList->GetVal(1, HDIndex);
  Month = FHDayList->GetVal(2, HDIndex);
  Year = FHDayList->GetVal(3, HDIndex);
  IsRepeatHDay = Year == kRepeatHolidayYear;
  Description = FHDayCaptions->Strings(HDIndex - 1);
  return true;
}

// [update] -------------------------------------------------------------------------------------------------
void TMiniCal::UpdateCal() {
  FUpdating = true;
  struct TClear {
    bool& Flag;
    ~TClear() { Flag = false; }
  } clear{FUpdating};
  const Integer y = Year(), m = Month(), d = Day();
  const Integer w = DayOfTheWeek(EncodeDate(Word(y), Word(m), 1));
  const Integer a = (w - Integer(F1stDayWeek) + 7) % 7;
  FMonOfs = a == 0 ? -5 : 2 - a;
  // The grid's current cell follows the selected day (for its focus look); no scrolling.
  MoveColRow((d - FMonOfs) % 7 + 1, (d - FMonOfs) / 7 + 2, true, false);
  if (FShowHDayHint) {
    String caption;
    SetHint(FIndicateHolid && CheckHoliday(y, m, d, caption) ? caption : String());
  }
  Invalidate();
}

// [settings] -----------------------------------------------------------------------------------------------
void TMiniCal::SetFirstDayOfWeek(TDayOfWeek v) {
  if (v > dwSun || !StoreChanged(F1stDayWeek, v)) return;
  UpdateCal();
  Changed();
}

void TMiniCal::SetLanguage(TLanguage v) {
  FLanguage = v;
  LoadDefaultHolidays();
  UpdateCal();
}

void TMiniCal::SetShowMonthShort(bool v) {
  FMonthShort = v;
  Repaint();
}

void TMiniCal::SetIndicateHolidays(bool v) {
  FIndicateHolid = v;
  UpdateCal();
  Repaint();
}

void TMiniCal::SetShowMovableHolidays(bool v) {
  FShowMovHdays = v;
  UpdateCal();
  Repaint();
}

void TMiniCal::SetShowHolidayHint(bool v) {
  FShowHDayHint = v;
  SetHint(String());
  if (v) SetShowHint(true);
  UpdateCal();
  Repaint();
}

void TMiniCal::SetMarkToday(bool v) {
  FMarkToday = v;
  Repaint();
}

TColor TMiniCal::DayColors(TDayOfWeek Day) const { return Day <= dwSun ? FDayColors[Day] : clBlack; }

void TMiniCal::SetDayColors(TDayOfWeek Day, TColor v) {
  if (Day > dwSun) return;
  FDayColors[Day] = v;
  UpdateCal();
  Changed();
}

void TMiniCal::SetColorField(TColor& Field, TColor v) {
  Field = v;
  Repaint();
}

// [assign] -------------------------------------------------------------------------------------------------
void TMiniCal::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TMiniCal*>(Source);
  if (!s) {
    TCustomDrawGrid::Assign(Source);
    return;
  }
  FDate = s->FDate;
  F1stDayWeek = s->F1stDayWeek;
  FLanguage = s->FLanguage;
  FMonthShort = s->FMonthShort;
  FAutoSwitch = s->FAutoSwitch;
  FDayColors = s->FDayColors;
  FHDayList->Resize(3, 0);
  FHDayCaptions->Clear();
  for (Integer i = 1; i <= s->NumHolidays(); ++i)
    AppendHoliday(s->FHDayList->GetVal(1, i), s->FHDayList->GetVal(2, i), s->FHDayList->GetVal(3, i),
                  s->FHDayCaptions->Strings(i - 1));
  FShowHDayHint = s->FShowHDayHint;
  FIndicateHolid = s->FIndicateHolid;
  FShowMovHdays = s->FShowMovHdays;
  FMarkToday = s->FMarkToday;
  FColActMonth = s->FColActMonth;
  FColInactMonth = s->FColInactMonth;
  FColWeekNoBg = s->FColWeekNoBg;
  FColWeekNoFg = s->FColWeekNoFg;
  FColDayIdBg = s->FColDayIdBg;
  FColDayIdFg = s->FColDayIdFg;
  FColSelBg = s->FColSelBg;
  FColSelFg = s->FColSelFg;
  FColHolidBg = s->FColHolidBg;
  FColHolidFg = s->FColHolidFg;
  FColToday = s->FColToday;
  UpdateCal();
  Changed();
}

void TMiniCal::AssignTo(TPersistent* Dest) {
  if (auto* d = dynamic_cast<TMiniCal*>(Dest)) d->Assign(this);
  else TCustomDrawGrid::AssignTo(Dest);
}

// [table] --------------------------------------------------------------------------------------------------
const TClassInfo& TMiniCal::ClassInfo() {
  using T = TMiniCal;
  auto never = [](const T&) { return false; };
  static const TClassInfo info =
      TClassBuilder<T>(&TCustomDrawGrid::ClassInfo())
          .Prop("Year", &T::Year, &T::SetYear).StoredIf(never)
          .Prop("Month", &T::Month, &T::SetMonth).StoredIf(never)
          .Prop("Day", &T::Day, &T::SetDay).StoredIf(never)
          .Prop("FirstDayOfWeek", &T::FirstDayOfWeek, &T::SetFirstDayOfWeek, dwMon)
          .Prop("Language", &T::Language, &T::SetLanguage, lgEnglish)
          .Prop("ShowMonthShort", &T::ShowMonthShort, &T::SetShowMonthShort, true)
          .Prop("AutoSwitch", &T::AutoSwitch, &T::SetAutoSwitch, true)
          .Prop("IndicateHolidays", &T::IndicateHolidays, &T::SetIndicateHolidays, true)
          .Prop("ShowMovableHolidays", &T::ShowMovableHolidays, &T::SetShowMovableHolidays, true)
          .Prop("ShowHolidayHint", &T::ShowHolidayHint, &T::SetShowHolidayHint, true)
          .Prop("MarkToday", &T::MarkToday, &T::SetMarkToday, true)
          .Prop("ColorActiveMonth", &T::ColorActiveMonth, &T::SetColorActiveMonth, clBlack)
          .Prop("ColorInactiveMonth", &T::ColorInactiveMonth, &T::SetColorInactiveMonth, clSilver)
          .Prop("ColorWeekNoBg", &T::ColorWeekNoBg, &T::SetColorWeekNoBg, clSilver)
          .Prop("ColorWeekNoFg", &T::ColorWeekNoFg, &T::SetColorWeekNoFg, clBlack)
          .Prop("ColorDayIdBg", &T::ColorDayIdBg, &T::SetColorDayIdBg, clSilver)
          .Prop("ColorDayIdFg", &T::ColorDayIdFg, &T::SetColorDayIdFg, clBlack)
          .Prop("ColorSelectedBg", &T::ColorSelectedBg, &T::SetColorSelectedBg, TColor(0xD0A040))
          .Prop("ColorSelectedFg", &T::ColorSelectedFg, &T::SetColorSelectedFg, clWhite)
          .Prop("ColorHolidayBg", &T::ColorHolidayBg, &T::SetColorHolidayBg, TColor(0x9BD8F1))
          .Prop("ColorHolidayFg", &T::ColorHolidayFg, &T::SetColorHolidayFg, TColor(0x0000C0))
          .Prop("ColorToday", &T::ColorToday, &T::SetColorToday, clRed)
          .Prop("Align", &T::Align, &T::SetAlign, alNone)
          .Prop("Anchors", &T::Anchors, &T::SetAnchors, akLeft | akTop)
          .Prop("Ctl3D", &T::Ctl3D, &T::SetCtl3D, true)
          .Prop("Font", &T::Font, &T::SetFont)
          .Prop("ParentFont", &T::ParentFont, &T::SetParentFont, true)
          .Prop("ParentShowHint", &T::ParentShowHint, &T::SetParentShowHint, true)
          .Prop("PopupMenu", &T::PopupMenu, &T::SetPopupMenu)
          .Prop("ShowHint", &T::ShowHint, &T::SetShowHint, false)
          .Prop("StyleElements", &T::StyleElements, &T::SetStyleElements, TStyleElements())
          .Prop("Visible", &T::Visible, &T::SetVisible, true)
          .Event("OnChange")
          .Event("OnClick")
          .Event("OnDblClick")
          .Publish(ControlProperties(), pgBounds)
          .Publish(ControlProperties(), {"Align", "Anchors", "Constraints", "Ctl3D", "Font", "ParentFont", "ParentShowHint",
                                         "PopupMenu", "ShowHint", "StyleElements", "Visible"});
  return info;
}

// Registered for form text by the unit's start-up.
static const TUnitClasses MiniCalClasses(juMiniCal, {&TMiniCal::ClassInfo});

}  // namespace jox
