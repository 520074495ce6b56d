// Common controls: the date-time picker with its drop-down month calendar.
#pragma once

#include <memory>
#include <vector>

#include "package/framework/controls/controls.h"
#include "package/framework/base/sysutils.h"

namespace jox {

class TCalendarPopup;

enum TDateTimeKind : uint8_t { dtkDate, dtkTime };
enum TDTDateFormat : uint8_t { dfShort, dfLong };

// A field showing a date or a time by a format, edited field by field. Defaults: size 186 x 21, Kind
// dtkDate, DateTime now (at creation), Format "" (the kind's default: "M/d/yyyy", "dddd, MMMM d, yyyy"
// for dfLong, "H:mm:ss" for the time), TabStop true.
//
// Format letters: d dd (day), ddd dddd (weekday name, not editable), M MM (month), MMM MMMM (month name),
// y yy yyyy (year), h hh (12-hour clock), H HH (24-hour), m mm (minute), s ss (second), t tt (A/P, AM/PM);
// text in single quotes ('' for a quote) and any other character appear as they are.
// Keys: Left and Right choose a field, Up and Down step it (wrapping
// within its range), digits type it (moving on when the field is full), Home/End its ends; in a date
// picker F4 or Alt+Down opens the calendar. Clicking selects the field under the pointer; the button opens
// the calendar, where a click or Enter picks the day, arrows and PgUp/PgDn move, Escape closes. Every
// change of the value fires OnChange.
class TDateTimePicker : public TWinControl {
 public:
  explicit TDateTimePicker(TComponent* AOwner);
  ~TDateTimePicker() override;

  TDateTimeKind Kind() const { return FKind; }
  void SetKind(TDateTimeKind v);
  TDTDateFormat DateFormat() const { return FDateFormat; }
  void SetDateFormat(TDTDateFormat v);
  // Custom format; empty for the kind's default.
  const String& Format() const { return FFormat; }
  void SetFormat(const String& v);
  TDateTime DateTime() const { return FDateTime; }
  void SetDateTime(TDateTime v);
  // The date part (time kept) and the time part (date kept).
  TDateTime Date() const;
  void SetDate(TDateTime v);
  TDateTime Time() const;
  void SetTime(TDateTime v);
  // The text shown.
  String Text() const override;
  bool DroppedDown() const;
  void SetDroppedDown(bool v);
  // The field selected (index into the format's fields), -1 for none.
  Integer SelectedField() const { return FField; }
  TControl* CalendarPopup() const;

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent e) { FOnChange = std::move(e); }
  const TNotifyEvent& OnDropDown() const { return FOnDropDown; }
  void SetOnDropDown(TNotifyEvent e) { FOnDropDown = std::move(e); }
  const TNotifyEvent& OnCloseUp() const { return FOnCloseUp; }
  void SetOnCloseUp(TNotifyEvent e) { FOnCloseUp = std::move(e); }

  void Paint() override;
  void DefaultHandler(TMessage& Message) override;

  JOX_CLASS_TABLE

 protected:
  virtual void Change();
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void DoEnter() override;
  void DoExit() override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;

 private:
  friend class TCalendarPopup;
  enum TFieldKind : uint8_t { fkLiteral, fkDay, fkWeekday, fkMonth, fkYear, fkHour12, fkHour24, fkMinute,
                              fkSecond, fkAmPm };
  struct TField {
    TFieldKind Kind;
    Integer Width;  // letters in the token
    String Text;    // literal text
  };
  String EffectiveFormat() const;
  void Parse();
  String FieldText(const TField& F) const;
  bool Editable(Integer I) const;
  void StepField(Integer Delta);
  void TypeDigit(Integer Digit);
  void MoveField(Integer Delta);
  // Stores a new value (clamped to the calendar's range) and fires OnChange when it differs.
  void Store(TDateTime v);
  TRect ButtonRect() const;
  void CalendarClosed();

  TDateTimeKind FKind = dtkDate;
  TDTDateFormat FDateFormat = dfShort;
  String FFormat;
  TDateTime FDateTime = 0;
  std::vector<TField> FFields;
  Integer FField = -1;
  Integer FTyped = 0, FTypedDigits = 0;  // digits typed into the selected field so far
  std::vector<Integer> FFieldX;          // left edge of each field, then the end
  std::unique_ptr<TCalendarPopup> FCalendar;
  bool FDropped = false;
  TNotifyEvent FOnChange, FOnDropDown, FOnCloseUp;
};

}  // namespace jox
