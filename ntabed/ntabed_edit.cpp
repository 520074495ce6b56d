// TNTabEd behaviour: in-place editing (texts to values and states, nominal pick lists), keys, the
// mouse with its first-click rule, and the wheel.
// Sections: [editing] [keys] [mouse]
#include <algorithm>
#include <cmath>

#include "ntabed/ntabed.h"
#include "ntabed/ntabed_internal.h"
#include "package/framework/controls/clipbrd.h"
#include "package/numerics/numutil.h"

namespace jox {

// [editing] ------------------------------------------------------------------------------------------------
void TNTabEd::SetGridEditing(bool On) {
  const TGridOptions o = Options();
  const TGridOptions n = On ? o | goEditing : o - goEditing;
  if (!(n == o)) TCustomGrid::SetOptions(n);
}

bool TNTabEd::CellProtected(Integer ACol, Integer ARow) const {
  return Data->GetCellState(ACol - FColOffset, ARow - FRowOffset) & ntsProtected;
}

bool TNTabEd::CanEditShow() const {
  const Integer c = TCustomGrid::Col(), r = TCustomGrid::Row();
  return TCustomGrid::CanEditShow() && c > FColOffset && r > FRowOffset && !FReadOnly && !CellProtected(c, r);
}

TEditStyle TNTabEd::GetEditStyle(Integer ACol, Integer ARow) {
  if (InplaceEditor()) InplaceEditor()->SetDropDownRows(FDropdownCount);
  return ACol > FColOffset && IsNominal(ACol - FColOffset) ? esPickList : esSimple;
}

void TNTabEd::GetPickListItems(Integer ACol, Integer ARow, TStrings* Items) {
  const Integer c = ACol - FColOffset;
  FColPickList->Clear();
  for (Integer i = 0; i <= kMaxNominalOrdinal; ++i) {
    const String id = Data->GetNominalID(c, i);
    if (!id.empty()) FColPickList->Add(id);
  }
  Items->Assign(FColPickList.get());
}

String TNTabEd::GetEditText(Integer ACol, Integer ARow) {
  const Integer c = ACol - FColOffset, r = ARow - FRowOffset;
  String text;
  if (IsNominal(c)) {
    const Integer n = NominalValue(c, r);
    if (n >= 0 && n <= kMaxNominalOrdinal) text = Data->GetNominalID(c, n);
    if (text.empty()) text = n >= 0 || RoundHalfEven(Data->GetElem(c, r)) == n ? IntToStr(n) : NumberText(Data->GetElem(c, r), c);
  } else {
    text = NumberText(Data->GetElem(c, r), c);
  }
  if (FOnGetEditText) FOnGetEditText(this, ACol, ARow, text);
  return text;
}

void TNTabEd::SetEditText(Integer ACol, Integer ARow, const String& Value) {
  const Integer c = ACol - FColOffset, r = ARow - FRowOffset;
  if (c < 1 || c > NrOfColumns() || r < 1 || r > NrOfRows()) return;
  const Byte state = Data->GetCellState(c, r);
  // A value entered fills the cell: it is neither "not a number" nor empty any more.
  const Byte filled = Byte(state & ~(ntsNotANumber | ntsEmpty));
  auto clampOrdinal = [&](Integer v) -> double {
    if (!RangeActive()) return v;
    if (v < FVRangeLow) return RoundHalfEven(FVRangeLow);
    if (v > FVRangeHigh) return RoundHalfEven(FVRangeHigh);
    return v;
  };
  if (IsNominal(c)) {
    Integer iv = 0;
    const Integer o = Data->OrdinalOfNominalID(c, Value, true);
    if (o >= 0) {
      Data->SetCellState(c, r, 0);
      Data->SetElem(c, r, clampOrdinal(o));
    } else if (IsValidDecInt(Value, iv)) {
      Data->SetCellState(c, r, filled);
      Data->SetElem(c, r, clampOrdinal(iv));
    } else {
      Data->SetCellState(c, r, Byte(state | ntsNotANumber));
      PaintView();
    }
  } else {
    String t = Value;
    std::replace(t.begin(), t.end(), u',', u'.');
    t = Trim(t);
    TFormatSettings fs = FormatSettings;
    fs.DecimalSeparator = u'.';
    Extended x = 0;
    // "nan" and "inf" read as numbers by the runtime are no values a table can hold.
    if (TryStrToFloat(t, x, fs) && std::isfinite(double(x))) {
      Data->SetCellState(c, r, filled);
      Data->SetElem(c, r, ClampToRange(double(x)));
    } else {
      Data->SetCellState(c, r, Byte(state | ntsNotANumber));
      PaintView();
    }
  }
  TCustomGrid::SetEditText(ACol, ARow, Value);
  if (FOnSetEditText) FOnSetEditText(this, ACol, ARow, Value);
}

// [keys] ---------------------------------------------------------------------------------------------------
void TNTabEd::KeyPress(char16_t& Key) {
  const char16_t typed = Key;
  const Integer c = TCustomGrid::Col(), r = TCustomGrid::Row();
  const bool dataCell = c > FColOffset && r > FRowOffset;
  if ((dataCell && CellProtected(c, r)) || FReadOnly) {
    SetGridEditing(false);
    // Enter still moves on and Escape still cancels; other characters are dropped.
    if (typed != 13 && typed != 27) Key = 0;
  } else {
    SetGridEditing(true);
  }
  if (Key != 0) TCustomGrid::KeyPress(Key);
  if (FAutoAdvance && typed == 13) {
    Word k = FAutoAdvDir == orHorizontal ? VK_RIGHT : VK_DOWN;
    KeyDown(k, TShiftState());
  }
  // Escape has cancelled the edit in the grid; the next click selects before it edits.
  if (typed == 27 && InplaceEditor()) SetGridEditing(false);
}

bool TNTabEd::ClipboardKey(Word Key, TShiftState Shift) {
  const bool ctrl = (Shift & ssCtrl) && !(Shift & ssAlt), shift = Shift & ssShift;
  if ((ctrl && Key == u'C') || (ctrl && !shift && Key == VK_INSERT)) {
    Copy();
  } else if ((ctrl && Key == u'V') || (shift && !ctrl && Key == VK_INSERT)) {
    if (FReadOnly) return true;
    // The editor's own copy comes back with its cell states; any other text is read for numbers.
    if (FDataCopyAvail && Clipboard()->AsText() == FLastCopyText) Paste();
    else ExtractFromClipboard();
  } else if (ctrl && Key == u'A') {
    SelectAllData();
  } else if (Key == VK_DELETE && Shift.Empty()) {
    if (!FReadOnly) ClearSelection(this);
  } else {
    return false;
  }
  return true;
}

void TNTabEd::KeyDown(Word& Key, TShiftState Shift) {
  if (((Key == VK_F10 && (Shift & ssShift)) || Key == VK_APPS) && (Shift & ssCtrl) && !(Shift & ssAlt)) {
    OpenMenuFromKeyboard(true);
    Key = 0;
    return;
  }
  // Protection is checked before any key acts, the clipboard keys included.
  const Integer c = TCustomGrid::Col(), r = TCustomGrid::Row();
  if (c > FColOffset && r > FRowOffset && CellProtected(c, r) && Key != 0 && Key != VK_RETURN &&
      (Key < VK_LEFT || Key > VK_DOWN)) {
    SetGridEditing(false);
    return;
  }
  if (!EditorMode() && ClipboardKey(Key, Shift)) {
    Key = 0;
    return;
  }
  if (Key == VK_TAB && !(Options() & goTabs) && !(Shift & ssCtrl)) {
    // Tab walks the data cells row by row, Shift+Tab backwards.
    Integer nc = c, nr = r;
    const Integer first = FColOffset + 1, last = TCustomGrid::ColCount() - 1;
    if (Shift & ssShift) {
      if (--nc < first) { nc = last; nr = nr > FRowOffset + 1 ? nr - 1 : TCustomGrid::RowCount() - 1; }
    } else if (++nc > last) {
      nc = first;
      nr = nr < TCustomGrid::RowCount() - 1 ? nr + 1 : FRowOffset + 1;
    }
    FocusCell(nc, nr, true);
    Key = 0;
  } else {
    TCustomGrid::KeyDown(Key, Shift);
  }
  ChangedSelection();
  PaintCorner();
  Invalidate();
}

// [mouse] --------------------------------------------------------------------------------------------------
namespace {

bool InSelection(const TGridRect& Sel, TGridCoord Cell) {
  return Cell.X >= Sel.Left && Cell.X <= Sel.Right && Cell.Y >= Sel.Top && Cell.Y <= Sel.Bottom;
}

}  // namespace

void TNTabEd::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (FCommentOpen) {
    TCustomGrid::MouseDown(Button, Shift, X, Y);
    const TGridCoord g = MouseCoord(X, Y);
    if (g.X == 0 && g.Y == 0) CloseCommentEditor(false);
    return;
  }
  if (HeadingEditorOpen()) return;
  const TGridCoord prev = FPrevPress.X >= 0 ? MouseCoord(FPrevPress.X, FPrevPress.Y) : TGridCoord{-1, -1};
  const TGridCoord cell = MouseCoord(X, Y);
  FPopupTarget = cell;
  // The first click on a cell only selects it.
  if (!(prev == cell)) SetGridEditing(false);
  TCustomGrid::MouseDown(Button, Shift, X, Y);
  // The data menu acts on what the user pointed at: a right press outside the selection moves the
  // current cell there first; inside it the selected block stays for the menu's range actions.
  if (Button == mbRight && cell.X > FColOffset && cell.Y > FRowOffset && !InSelection(Selection(), cell)) {
    HideEditor();
    FocusCell(cell.X, cell.Y, true);
    FOldSel = Selection();
    ChangedSelection();
  }
  Invalidate();
  if (!(X > 0 && X < ClientWidth() && Y > 0 && Y < ClientHeight()) || cell.X < 0 || cell.Y < 0) return;
  FPrevPress = Point(X, Y);
  if (cell.X > FColOffset && cell.Y > FRowOffset) {
    if (prev == cell && !FReadOnly) SetGridEditing(true);
    if (CellProtected(cell.X, cell.Y) || FReadOnly) SetGridEditing(false);
    if (Button == mbRight) OpenDataMenu(X, Y);
    else if (Button == mbLeft) PaintCorner();
  } else if (Button == mbRight) {
    if (cell.X == 0 && cell.Y == 0) OpenCommentEditor();
    else OpenHeadMenu(cell.X, cell.Y);
  }
}

void TNTabEd::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomGrid::MouseUp(Button, Shift, X, Y);
  const TGridCoord cell = MouseCoord(X, Y);
  if (cell.X < 0 || cell.Y < 0) return;
  FPopupTarget = cell;
  const bool data = cell.X > FColOffset && cell.Y > FRowOffset;
  SetGridEditing(!((data && CellProtected(cell.X, cell.Y)) || FReadOnly));
}

void TNTabEd::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TCustomGrid::MouseMove(Shift, X, Y);
  const TGridRect sel = Selection();
  if (!(sel == FOldSel)) {
    FOldSel = sel;
    ChangedSelection();
  }
}

bool TNTabEd::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  const bool res = TCustomGrid::DoMouseWheelDown(Shift, MousePos);
  PaintCorner();
  ChangedSelection();
  Invalidate();
  return res;
}

bool TNTabEd::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  const bool res = TCustomGrid::DoMouseWheelUp(Shift, MousePos);
  PaintCorner();
  ChangedSelection();
  Invalidate();
  return res;
}

}  // namespace jox
