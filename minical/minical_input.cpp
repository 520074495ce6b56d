// TMiniCal: mouse, wheel and keys.
#include "minical/minical.h"
#include "package/framework/base/sysutils.h"

namespace jox {

void TMiniCal::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomDrawGrid::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  const TGridCoord cell = MouseCoord(X, Y);
  if (cell.X < 0 || cell.Y < 0) return;
  FGridCell = cell.X;
  FGridRow = cell.Y;
  if (cell.X > 0 && cell.Y > 1) {
    Integer y = Year(), m = Month();
    Integer day = DayAt(cell.X, cell.Y);
    if (FAutoSwitch) {
      if (day <= 0) {
        if (m == 1) {
          --y;
          m = 12;
          day += 31;
        } else {
          --m;
          day += DaysInAMonth(Word(y), Word(m));
        }
      }
      if (day > DaysInAMonth(Word(y), Word(m))) {
        day -= DaysInAMonth(Word(y), Word(m));
        if (++m > 12) {
          m = 1;
          ++y;
        }
      }
    }
    TDateTime picked;
    if (day >= 1 && y >= 1 && y <= 9999 && TryEncodeDate(Word(y), Word(m), Word(day), picked)) {
      FDate = picked;
      Changed();
    }
    UpdateCal();
    return;
  }
  // The "today" button covers rows 0 and 1 of column 0; the week numbers below it are no buttons.
  if (cell.Y == 0 || (cell.Y == 1 && cell.X == 0)) {
    switch (cell.X) {
      case 0: SetDate(Now()); break;
      case 1: PrevYear(); break;
      case 2: PrevMonth(); break;
      case 6: NextMonth(); break;
      case 7: NextYear(); break;
      default: break;
    }
  }
}

// The press did all there is to do; the grid's own release handling would move its selection.
void TMiniCal::MouseUp(TMouseButton, TShiftState, Integer, Integer) {}

void TMiniCal::DblClick() {
  if (FGridCell > 0 && FGridRow > 1 && OnDblClick()) OnDblClick()(this);
}

// The wheel turns the months: towards the user is forward in time.
bool TMiniCal::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  if (!TCustomDrawGrid::DoMouseWheelDown(Shift, MousePos)) NextMonth();
  return true;
}

bool TMiniCal::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  if (!TCustomDrawGrid::DoMouseWheelUp(Shift, MousePos)) PrevMonth();
  return true;
}

// Arrows move the day (across months), Page Up/Down the month (with Ctrl the year), Home/End go to
// the month's first and last day.
void TMiniCal::KeyDown(Word& Key, TShiftState Shift) {
  TWinControl::KeyDown(Key, Shift);  // the event only: the grid would move its own current cell
  if (Key == 0) return;
  const bool ctrl = Shift & ssCtrl;
  Integer days = 0;
  switch (Key) {
    case VK_LEFT: days = -1; break;
    case VK_RIGHT: days = 1; break;
    case VK_UP: days = -7; break;
    case VK_DOWN: days = 7; break;
    case VK_PRIOR: ctrl ? PrevYear() : PrevMonth(); Key = 0; return;
    case VK_NEXT: ctrl ? NextYear() : NextMonth(); Key = 0; return;
    case VK_HOME: SetDay(1); Key = 0; return;
    case VK_END: LastDayOfMonth(); Key = 0; return;
    default: return;
  }
  const TDateTime target = FDate + days;
  if (target >= EncodeDate(1, 1, 1) && target < EncodeDate(9999, 12, 31) + 1) SetDate(target);
  Key = 0;
}

}  // namespace jox
