// The date-time picker. Sections: [format] [value] [keys] [mouse] [calendar] [painting] [tables]
#include "package/framework/controls/comctrls.h"
#include "package/framework/controls/menus.h"

#include <algorithm>
#include <cmath>

#include "package/framework/graphics/drawedge.h"
#include "package/framework/controls/controls_internal.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/popups.h"

namespace jox {

constexpr Integer kPickerWidth = 186, kPickerHeight = 21, kPickerButton = 17;

// [format] -------------------------------------------------------------------------------------------------
TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TWinControl(AOwner) {
  SetControlStyle((ControlStyle() & ~csClickEvents) | csOpaque);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
  FDateTime = jox::Now();
  SetBounds(0, 0, kPickerWidth, kPickerHeight);
  Parse();
}

TDateTimePicker::~TDateTimePicker() = default;

String TDateTimePicker::EffectiveFormat() const {
  if (!FFormat.empty()) return FFormat;
  if (FKind == dtkTime) return u"H:mm:ss";
  return FDateFormat == dfLong ? u"dddd, MMMM d, yyyy" : u"M/d/yyyy";
}

void TDateTimePicker::Parse() {
  FFields.clear();
  const String f = EffectiveFormat();
  size_t i = 0;
  auto literal = [&](const String& s) {
    if (!FFields.empty() && FFields.back().Kind == fkLiteral) FFields.back().Text += s;
    else FFields.push_back({fkLiteral, 0, s});
  };
  while (i < f.size()) {
    const char16_t c = f[i];
    if (c == u'\'' && i + 1 < f.size() && f[i + 1] == u'\'') {
      literal(u"'");
      i += 2;
      continue;
    }
    if (c == u'\'') {
      String lit;
      ++i;
      while (i < f.size()) {
        if (f[i] == u'\'') {
          if (i + 1 < f.size() && f[i + 1] == u'\'') {
            lit += u'\'';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        lit += f[i++];
      }
      literal(lit);
      continue;
    }
    size_t j = i;
    while (j < f.size() && f[j] == c) ++j;
    const Integer n = Integer(j - i);
    TFieldKind k = fkLiteral;
    switch (c) {
      case u'd': k = n >= 3 ? fkWeekday : fkDay; break;
      case u'M': k = fkMonth; break;
      case u'y': k = fkYear; break;
      case u'h': k = fkHour12; break;
      case u'H': k = fkHour24; break;
      case u'm': k = fkMinute; break;
      case u's': k = fkSecond; break;
      case u't': k = fkAmPm; break;
      default: break;
    }
    if (k == fkLiteral) literal(f.substr(i, j - i));
    else FFields.push_back({k, n, String()});
    i = j;
  }
  if (FField >= Integer(FFields.size()) || (FField >= 0 && !Editable(FField))) FField = -1;
  Invalidate();
}

static String Pad(Integer v, Integer width) {
  String s = FromUtf8(std::to_string(v));
  while (Integer(s.size()) < width) s = u"0" + s;
  return s;
}

String TDateTimePicker::FieldText(const TField& F) const {
  Word y, mo, d, h, mi, s, ms;
  DecodeDateTime(FDateTime, y, mo, d, h, mi, s, ms);
  const TFormatSettings& fs = FormatSettings;
  switch (F.Kind) {
    case fkLiteral: return F.Text;
    case fkDay: return Pad(d, F.Width >= 2 ? 2 : 1);
    case fkWeekday: {
      const Integer wd = DayOfWeek(FDateTime) - 1;  // Sunday first
      return F.Width == 3 ? fs.ShortDayNames[size_t(wd)] : fs.LongDayNames[size_t(wd)];
    }
    case fkMonth:
      if (F.Width >= 4) return fs.LongMonthNames[size_t(mo - 1)];
      if (F.Width == 3) return fs.ShortMonthNames[size_t(mo - 1)];
      return Pad(mo, F.Width);
    case fkYear: return F.Width <= 2 ? Pad(y % 100, 2) : Pad(y, F.Width >= 4 ? 4 : F.Width);
    case fkHour12: return Pad(h % 12 == 0 ? 12 : h % 12, F.Width >= 2 ? 2 : 1);
    case fkHour24: return Pad(h, F.Width >= 2 ? 2 : 1);
    case fkMinute: return Pad(mi, F.Width >= 2 ? 2 : 1);
    case fkSecond: return Pad(s, F.Width >= 2 ? 2 : 1);
    case fkAmPm: {
      const String& t = h < 12 ? fs.TimeAMString : fs.TimePMString;
      return F.Width == 1 ? t.substr(0, 1) : t;
    }
  }
  return String();
}

String TDateTimePicker::Text() const {
  String s;
  for (const TField& f : FFields) s += FieldText(f);
  return s;
}

bool TDateTimePicker::Editable(Integer I) const {
  if (I < 0 || I >= Integer(FFields.size())) return false;
  const TFieldKind k = FFields[size_t(I)].Kind;
  return k != fkLiteral && k != fkWeekday;
}

void TDateTimePicker::SetKind(TDateTimeKind v) {
  if (v == FKind) return;
  FKind = v;
  SetDroppedDown(false);
  Parse();
}

void TDateTimePicker::SetDateFormat(TDTDateFormat v) {
  if (v == FDateFormat) return;
  FDateFormat = v;
  Parse();
}

void TDateTimePicker::SetFormat(const String& v) {
  if (v == FFormat) return;
  FFormat = v.substr(0, 255);
  Parse();
}

// [value] --------------------------------------------------------------------------------------------------
void TDateTimePicker::SetDateTime(TDateTime v) {
  if (!std::isfinite(v)) return;
  FDateTime = v;
  Invalidate();
}

TDateTime TDateTimePicker::Date() const { return std::floor(FDateTime); }
TDateTime TDateTimePicker::Time() const { return FDateTime - std::floor(FDateTime); }

void TDateTimePicker::SetDate(TDateTime v) {
  if (!std::isfinite(v)) return;
  SetDateTime(std::floor(v) + Time());
}

void TDateTimePicker::SetTime(TDateTime v) {
  if (!std::isfinite(v)) return;
  SetDateTime(Date() + (v - std::floor(v)));
}

void TDateTimePicker::Change() {
  if (FOnChange) FOnChange(this);
}

void TDateTimePicker::Store(TDateTime v) {
  // The calendar's years 1 .. 9999.
  v = std::clamp(v, EncodeDate(1, 1, 1), EncodeDate(9999, 12, 31) + 0.99998);
  if (v == FDateTime) return;
  FDateTime = v;
  Invalidate();
  Change();
}

void TDateTimePicker::StepField(Integer Delta) {
  if (!Editable(FField)) return;
  Word y, mo, d, h, mi, s, ms;
  DecodeDateTime(FDateTime, y, mo, d, h, mi, s, ms);
  auto wrap = [](Integer v, Integer lo, Integer hi) {
    const Integer n = hi - lo + 1;
    return lo + (((v - lo) % n) + n) % n;
  };
  Integer Y = y, M = mo, D = d, H = h, Mi = mi, S = s;
  switch (FFields[size_t(FField)].Kind) {
    case fkDay: D = wrap(D + Delta, 1, DaysInAMonth(Word(Y), Word(M))); break;
    case fkMonth: M = wrap(M + Delta, 1, 12); break;
    case fkYear: Y = std::clamp(Y + Delta, 1, 9999); break;
    case fkHour12:
    case fkHour24: H = wrap(H + Delta, 0, 23); break;
    case fkMinute: Mi = wrap(Mi + Delta, 0, 59); break;
    case fkSecond: S = wrap(S + Delta, 0, 59); break;
    case fkAmPm: H = (H + 12) % 24; break;
    default: return;
  }
  D = std::min<Integer>(D, DaysInAMonth(Word(Y), Word(M)));
  Store(EncodeDateTime(Word(Y), Word(M), Word(D), Word(H), Word(Mi), Word(S), ms));
}

void TDateTimePicker::TypeDigit(Integer Digit) {
  if (!Editable(FField)) return;
  const TField& f = FFields[size_t(FField)];
  if (f.Kind == fkAmPm) return;
  const Integer maxDigits = f.Kind == fkYear ? (f.Width <= 2 ? 2 : 4) : 2;
  FTyped = FTyped * 10 + Digit;
  ++FTypedDigits;
  Word y, mo, d, h, mi, s, ms;
  DecodeDateTime(FDateTime, y, mo, d, h, mi, s, ms);
  Integer Y = y, M = mo, D = d, H = h, Mi = mi, S = s;
  Integer v = FTyped;
  bool full = FTypedDigits >= maxDigits;
  switch (f.Kind) {
    case fkDay: full |= v * 10 > DaysInAMonth(Word(Y), Word(M)); D = std::clamp(v, 1, Integer(DaysInAMonth(Word(Y), Word(M)))); break;
    case fkMonth: full |= v * 10 > 12; M = std::clamp(v, 1, 12); D = std::min<Integer>(D, DaysInAMonth(Word(Y), Word(M))); break;
    case fkYear:
      if (maxDigits == 2) {
        // Two digits land in the century of the value shown.
        v = (Y / 100) * 100 + v;
      }
      Y = std::clamp(v, 1, 9999);
      D = std::min<Integer>(D, DaysInAMonth(Word(Y), Word(M)));
      break;
    case fkHour12: {
      full |= v * 10 > 12;
      const Integer h12 = std::clamp(v, 1, 12) % 12;
      H = (H >= 12 ? 12 : 0) + h12;
      break;
    }
    case fkHour24: full |= v * 10 > 23; H = std::clamp(v, 0, 23); break;
    case fkMinute: full |= v * 10 > 59; Mi = std::clamp(v, 0, 59); break;
    case fkSecond: full |= v * 10 > 59; S = std::clamp(v, 0, 59); break;
    default: return;
  }
  Store(EncodeDateTime(Word(Y), Word(M), Word(D), Word(H), Word(Mi), Word(S), ms));
  if (full) MoveField(1);
}

void TDateTimePicker::MoveField(Integer Delta) {
  FTyped = FTypedDigits = 0;
  const Integer n = Integer(FFields.size());
  Integer i = FField;
  for (Integer k = 0; k < n; ++k) {
    i += Delta;
    if (i < 0 || i >= n) return;  // stays at the last (first) field
    if (Editable(i)) {
      FField = i;
      Invalidate();
      return;
    }
  }
}

// [keys] ---------------------------------------------------------------------------------------------------
void TDateTimePicker::KeyDown(Word& Key, TShiftState Shift) {
  TWinControl::KeyDown(Key, Shift);
  if (FDropped) {
    // Keys reach the calendar while it is open; this is the road for a field that kept the focus.
    return;
  }
  if (FKind == dtkDate && (Key == VK_F4 || (Key == VK_DOWN && (Shift & ssAlt)))) {
    SetDroppedDown(true);
    Key = 0;
    return;
  }
  if (FField < 0) MoveField(1);
  switch (Key) {
    case VK_LEFT: MoveField(-1); break;
    case VK_RIGHT: MoveField(1); break;
    case VK_UP: FTyped = FTypedDigits = 0; StepField(1); break;
    case VK_DOWN: FTyped = FTypedDigits = 0; StepField(-1); break;
    case VK_HOME:
    case VK_END: {
      // The field's first or last value.
      if (!Editable(FField)) break;
      FTyped = FTypedDigits = 0;
      const TFieldKind k = FFields[size_t(FField)].Kind;
      Word y, mo, d, h, mi, s, ms;
      DecodeDateTime(FDateTime, y, mo, d, h, mi, s, ms);
      const bool end = Key == VK_END;
      if (k == fkDay) d = end ? DaysInAMonth(y, mo) : 1;
      else if (k == fkMonth) { mo = end ? 12 : 1; d = std::min(d, DaysInAMonth(y, mo)); }
      else if (k == fkHour12 || k == fkHour24) h = end ? 23 : 0;
      else if (k == fkMinute) mi = end ? 59 : 0;
      else if (k == fkSecond) s = end ? 59 : 0;
      else break;
      Store(EncodeDateTime(y, mo, d, h, mi, s, ms));
      break;
    }
    default: return;
  }
  Key = 0;
}

void TDateTimePicker::KeyPress(char16_t& Key) {
  TWinControl::KeyPress(Key);
  if (Key >= u'0' && Key <= u'9') {
    if (FField < 0) MoveField(1);
    TypeDigit(Key - u'0');
  } else if (Editable(FField) && FFields[size_t(FField)].Kind == fkAmPm) {
    const char16_t up = char16_t(Key >= u'a' && Key <= u'z' ? Key - 32 : Key);
    Word h = Word(std::floor(Time() * 24 + 1e-9));
    if ((up == FormatSettings.TimeAMString[0] && h >= 12) || (up == FormatSettings.TimePMString[0] && h < 12))
      StepField(1);
  } else if (Key >= 32) {
    // A separator typed moves on, as users type dates in one go.
    for (const TField& f : FFields)
      if (f.Kind == fkLiteral && f.Text.find(Key) != String::npos) {
        MoveField(1);
        break;
      }
  }
}

bool TDateTimePicker::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  if (TWinControl::DoMouseWheelDown(Shift, MousePos)) return true;
  if (!Focused() || FField < 0) return false;
  StepField(-1);
  return true;
}

bool TDateTimePicker::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  if (TWinControl::DoMouseWheelUp(Shift, MousePos)) return true;
  if (!Focused() || FField < 0) return false;
  StepField(1);
  return true;
}

void TDateTimePicker::DoEnter() {
  TWinControl::DoEnter();
  if (FField < 0) MoveField(1);
  Invalidate();
}

void TDateTimePicker::DoExit() {
  SetDroppedDown(false);
  FTyped = FTypedDigits = 0;
  TWinControl::DoExit();
  Invalidate();
}

void TDateTimePicker::DefaultHandler(TMessage& Message) {
  if (DropDownFieldMessage(Message, [this] { SetDroppedDown(false); })) return;
  TWinControl::DefaultHandler(Message);
}

// [mouse] --------------------------------------------------------------------------------------------------
TRect TDateTimePicker::ButtonRect() const {
  if (FKind != dtkDate) return TRect();
  return Rect(Width() - 2 - ScaledMetric(this, kPickerButton), 2, Width() - 2, Height() - 2);
}

void TDateTimePicker::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TWinControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  if (ButtonRect().Contains(Point(X, Y))) {
    SetDroppedDown(!FDropped);
    return;
  }
  // The field under the pointer (or the nearest editable one before it).
  for (Integer i = 0; i + 1 < Integer(FFieldX.size()); ++i)
    if (X >= FFieldX[size_t(i)] && X < FFieldX[size_t(i) + 1]) {
      Integer j = i;
      while (j >= 0 && !Editable(j)) --j;
      if (j < 0) j = i;
      while (j < Integer(FFields.size()) && !Editable(j)) ++j;
      if (Editable(j)) {
        FField = j;
        FTyped = FTypedDigits = 0;
        Invalidate();
      }
      return;
    }
}

// [calendar] -----------------------------------------------------------------------------------------------
// A month page: title with the month and year between two arrows, weekday initials, six weeks.
class TCalendarPopup : public TPopupWindow {
 public:
  explicit TCalendarPopup(TDateTimePicker* Picker) : TPopupWindow(nullptr), FPicker(Picker) { Layout(); }
  // Cell, title, weekday row and margin at the picker's scale.
  void Layout() {
    SetPopupOwner(FPicker);
    FCell = ScaledMetric(this, 22);
    FTitle = ScaledMetric(this, 24);
    FHead = ScaledMetric(this, 18);
    FPad = ScaledMetric(this, 4);
    FArrowBox = ScaledMetric(this, 20);
    SetBounds(0, 0, 7 * FCell + 2 * FPad + 2, FTitle + FHead + 6 * FCell + 2 * FPad + 2);
  }
  // Set by Layout: a day's cell, the month title, the weekday row, the margin, an arrow's box.
  Integer FCell = 22, FTitle = 24, FHead = 18, FPad = 4, FArrowBox = 20;
  TDateTime Shown = 0;  // the day marked (any day of the page's month)

  TDateTime FirstCell() const {
    Word y, m, d;
    DecodeDate(Shown, y, m, d);
    const TDateTime first = EncodeDate(y, m, 1);
    // Weeks start on Sunday, as the weekday names do.
    return first - (DayOfWeek(first) - 1);
  }
  TRect CellRect(Integer i) const {
    const Integer x = 1 + FPad + (i % 7) * FCell, y = 1 + FPad + FTitle + FHead + (i / 7) * FCell;
    return Rect(x, y, x + FCell, y + FCell);
  }
  TRect PrevRect() const { return Rect(1 + FPad, 1 + FPad, 1 + FPad + FArrowBox, 1 + FPad + FTitle - 4); }
  TRect NextRect() const { return Rect(Width() - 1 - FPad - FArrowBox, 1 + FPad, Width() - 1 - FPad, 1 + FPad + FTitle - 4); }
  void Move(TDateTime d) {
    if (d < 1 - DateDelta + 366 || d > EncodeDate(9999, 12, 31)) return;
    Shown = std::floor(d);
    Invalidate();
  }
  void Pick() {
    const TDateTime time = FPicker->Time();
    ClosePopup();
    FPicker->Store(Shown + time);
  }

  void Paint() override {
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clWindowFrame);
    c->FrameRect(Rect(0, 0, Width(), Height()));
    c->Brush()->SetColor(clWindow);
    c->FillRect(Rect(1, 1, Width() - 1, Height() - 1));
    c->Font()->Assign(FPicker->Font());
    Word y, m, d;
    DecodeDate(Shown, y, m, d);
    // Title bar.
    c->Brush()->SetColor(clActiveCaption);
    c->FillRect(Rect(1 + FPad, 1 + FPad, Width() - 1 - FPad, 1 + FPad + FTitle - 4));
    c->Font()->SetColor(clCaptionText);
    c->Font()->SetStyle(TFontStyles(fsBold));
    TRect tr = Rect(1 + FPad, 1 + FPad, Width() - 1 - FPad, 1 + FPad + FTitle - 4);
    c->Brush()->SetStyle(bsClear);
    c->DrawText(FormatSettings.LongMonthNames[size_t(m - 1)] + u" " + FromUtf8(std::to_string(y)), tr,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    c->Font()->SetStyle(TFontStyles());
    DrawArrow(c, PrevRect(), adLeft, ScaledMetric(this, 5), clCaptionText);
    DrawArrow(c, NextRect(), adRight, ScaledMetric(this, 5), clCaptionText);
    // Weekday initials over a line.
    c->Font()->SetColor(clBtnShadow);
    for (Integer i = 0; i < 7; ++i) {
      TRect r = Rect(1 + FPad + i * FCell, 1 + FPad + FTitle, 1 + FPad + (i + 1) * FCell, 1 + FPad + FTitle + FHead - 2);
      c->DrawText(FormatSettings.ShortDayNames[size_t(i)].substr(0, 2), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnShadow);
    c->FillRect(Rect(1 + FPad, FPad + FTitle + FHead - 1, Width() - 1 - FPad, FPad + FTitle + FHead));
    const TDateTime first = FirstCell(), today = std::floor(jox::Now());
    for (Integer i = 0; i < 42; ++i) {
      const TDateTime day = first + i;
      const TRect r = CellRect(i);
      const bool inMonth = MonthOf(day) == m;
      const bool chosen = day == std::floor(Shown);
      c->Brush()->SetStyle(bsSolid);
      if (chosen) {
        c->Brush()->SetColor(clHighlight);
        c->FillRect(Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1));
      }
      c->Font()->SetColor(chosen ? clHighlightText : inMonth ? clWindowText : clGrayText);
      c->Brush()->SetStyle(bsClear);
      TRect tr2 = r;
      c->DrawText(FromUtf8(std::to_string(DayOf(day))), tr2, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      if (day == today) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clMaroon);
        c->FrameRect(r);
      }
    }
  }

 protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override {
    TPopupWindow::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    const TPoint p = Point(X, Y);
    if (PrevRect().Contains(p)) Move(IncMonth(Shown, -1));
    else if (NextRect().Contains(p)) Move(IncMonth(Shown, 1));
  }
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override {
    TPopupWindow::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    for (Integer i = 0; i < 42; ++i)
      if (CellRect(i).Contains(Point(X, Y))) {
        Shown = FirstCell() + i;
        Pick();
        return;
      }
  }
  void KeyDown(Word& Key, TShiftState Shift) override {
    TPopupWindow::KeyDown(Key, Shift);
    switch (Key) {
      case 0: return;
      case VK_LEFT: Move(Shown - 1); break;
      case VK_RIGHT: Move(Shown + 1); break;
      case VK_UP: Move(Shown - 7); break;
      case VK_DOWN: Move(Shown + 7); break;
      case VK_PRIOR: Move(IncMonth(Shown, -1)); break;
      case VK_NEXT: Move(IncMonth(Shown, 1)); break;
      case VK_RETURN: Pick(); break;
      case VK_F4: ClosePopup(); break;
      default: return;
    }
    Key = 0;
  }
  bool DoMouseWheelDown(TShiftState, TPoint) override {
    Move(IncMonth(Shown, 1));
    return true;
  }
  bool DoMouseWheelUp(TShiftState, TPoint) override {
    Move(IncMonth(Shown, -1));
    return true;
  }
  void Closed(bool) override { FPicker->CalendarClosed(); }

 private:
  TDateTimePicker* FPicker;
};

TControl* TDateTimePicker::CalendarPopup() const { return FCalendar.get(); }

bool TDateTimePicker::DroppedDown() const { return FDropped; }

void TDateTimePicker::SetDroppedDown(bool v) {
  if (v == FDropped) return;
  if (!v) {
    if (FCalendar) FCalendar->ClosePopup();
    return;
  }
  if (FKind != dtkDate || !Showing() || !Enabled()) return;
  if (FOnDropDown) FOnDropDown(this);
  if (!FCalendar) FCalendar = std::make_unique<TCalendarPopup>(this);
  FCalendar->Shown = Date();
  FCalendar->Layout();
  FDropped = true;
  const TPoint below = ClientToScreen(Point(Width() - FCalendar->Width(), Height()));
  const TPoint above = ClientToScreen(Point(0, 0));
  FCalendar->Popup(this, std::max(below.X, ClientToScreen(Point(0, 0)).X), below.Y, above.Y);
  Invalidate();
}

void TDateTimePicker::CalendarClosed() {
  if (!FDropped) return;
  FDropped = false;
  Invalidate();
  if (FOnCloseUp) FOnCloseUp(this);
}

// [painting] -----------------------------------------------------------------------------------------------
void TDateTimePicker::Paint() {
  TCanvas* c = Canvas();
  TRect r = Rect(0, 0, Width(), Height());
  DrawEdge(c, r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(Enabled() ? Color() : clBtnFace);
  c->FillRect(r);
  const TRect b = ButtonRect();
  if (!b.IsEmpty()) {
    TRect e = b;
    DrawEdge(c, e, FDropped ? BDR_SUNKENOUTER : EDGE_RAISED, FDropped ? BF_RECT | BF_FLAT | BF_MIDDLE : BF_RECT | BF_MIDDLE);
    if (Enabled()) DrawArrow(c, FDropped ? Rect(b.Left + 1, b.Top + 1, b.Right + 1, b.Bottom + 1) : b, adDown, ScaledMetric(this, 4), clBtnText);
    else DrawDisabledArrow(c, b, adDown, ScaledMetric(this, 4));
  }
  c->Font()->Assign(Font());
  const Integer th = c->TextHeight(u"Wg");
  Integer x = 4;
  const Integer y = (Height() - th) / 2;
  FFieldX.assign(1, x);
  const bool focused = Focused();
  c->Brush()->SetStyle(bsClear);
  const TRect clip = Rect(2, 2, b.IsEmpty() ? Width() - 2 : b.Left, Height() - 2);
  c->SetClipRect(clip);
  for (Integer i = 0; i < Integer(FFields.size()); ++i) {
    const String t = FieldText(FFields[size_t(i)]);
    const Integer w = c->TextWidth(t);
    if (focused && i == FField && !FDropped) {
      c->Brush()->SetStyle(bsSolid);
      c->Brush()->SetColor(clHighlight);
      c->FillRect(Rect(x, y, x + w, y + th));
      c->Brush()->SetStyle(bsClear);
      c->Font()->SetColor(clHighlightText);
    } else {
      c->Font()->SetColor(Enabled() ? Font()->Color() : clGrayText);
    }
    c->TextOut(x, y, t);
    x += w;
    FFieldX.push_back(x);
  }
  c->ResetClipRect();
}

// [tables] -------------------------------------------------------------------------------------------------
const TClassInfo& TDateTimePicker::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TDateTimePicker>(&TWinControl::ClassInfo())
      .Prop("Kind", &TDateTimePicker::Kind, &TDateTimePicker::SetKind, dtkDate)
      .Prop("DateFormat", &TDateTimePicker::DateFormat, &TDateTimePicker::SetDateFormat, dfShort)
      .Prop("Format", &TDateTimePicker::Format, &TDateTimePicker::SetFormat, String())
      .Prop("DateTime", &TDateTimePicker::DateTime, &TDateTimePicker::SetDateTime)
      .Prop("TabStop", &TDateTimePicker::TabStop, &TDateTimePicker::SetTabStop, true)
      .Publish(ControlProperties(), pgBounds)
      .Publish(ControlProperties(), pgFont)
      .Publish(ControlProperties(), pgHint)
      .Publish(ControlProperties(), pgWinControl)
      .Publish(ControlProperties(), pgMouseEvents)
      .Publish(ControlProperties(), pgKeyEvents)
      .Event("OnChange").Event("OnDropDown").Event("OnCloseUp");
  return info;
}

}  // namespace jox
