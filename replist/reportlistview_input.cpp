// TReportListView behaviour: selection and enabling, clicks (header sorting, check toggling, row
// selection), keys, the wheel, in-place editing, moved rows and columns, and sorting.
// Sections: [selection] [mouse] [keys] [editing] [moving] [sorting]
#include <algorithm>

#include "package/framework/base/utf8.h"
#include "package/framework/controls/clipbrd.h"
#include "package/framework/controls/forms.h"
#include "replist/reportlistview.h"
#include "replist/reportlistview_internal.h"

namespace jox {

// [selection] ----------------------------------------------------------------------------------------------
void TReportListView::SetRowAttrBit(Integer r, Byte bit, bool on) {
  TStringArray* s = FRLData->Strings;
  const Byte a = s->GetRowAttrib(r);
  s->SetRowAttrib(r, on ? Byte(a | bit) : Byte(a & ~bit));
}

void TReportListView::SetAllRowBits(Byte bit, bool on) {
  for (Integer r = 1; r <= NrOfRows(); ++r) SetRowAttrBit(r, bit, on);
}

bool TReportListView::RowSelected(Integer r) const { return ValidRow(r) && (RowAttr(r) & rlRowSelected); }

void TReportListView::SetRowSelected(Integer r, bool v) {
  if (!ValidRow(r)) return;
  SetRowAttrBit(r, rlRowSelected, v);
  RepaintView();
  ChangedSelection();
}

bool TReportListView::RowEnabled(Integer r) const { return ValidRow(r) && !(RowAttr(r) & rlRowDisabled); }

void TReportListView::SetRowEnabled(Integer r, bool v) {
  if (!ValidRow(r)) return;
  SetRowAttrBit(r, rlRowDisabled, !v);
  RepaintView();
  ChangedSelection();
}

bool TReportListView::ColumnSelected(Integer c) const {
  return ValidCol(c) && (FRLData->Strings->GetColAttrib(c) & rlColSelected);
}

void TReportListView::SetColumnSelected(Integer c, bool v) {
  if (!ValidCol(c)) return;
  TStringArray* s = FRLData->Strings;
  const Byte a = s->GetColAttrib(c);
  s->SetColAttrib(c, v ? Byte(a | rlColSelected) : Byte(a & ~rlColSelected));
  RepaintView();
  ChangedSelection();
}

void TReportListView::SelectRow(Integer RowNr) {
  TPaintBatch batch(this);
  for (Integer r = 1; r <= NrOfRows(); ++r) SetRowAttrBit(r, rlRowSelected, r == RowNr);
  batch.End();
  ChangedSelection();
}

void TReportListView::SelectColumn(Integer ColNr) {
  TPaintBatch batch(this);
  TStringArray* s = FRLData->Strings;
  for (Integer c = 1; c <= NrOfColumns(); ++c) {
    const Byte a = s->GetColAttrib(c);
    s->SetColAttrib(c, c == ColNr ? Byte(a | rlColSelected) : Byte(a & ~rlColSelected));
  }
  batch.End();
  ChangedSelection();
}

void TReportListView::SelectAllRows() {
  TPaintBatch batch(this);
  // Under a filter: all rows shown.
  for (Integer r = 1; r <= NrOfRows(); ++r)
    if (RowShown(r)) SetRowAttrBit(r, rlRowSelected, true);
  batch.End();
  ChangedSelection();
}

void TReportListView::DeselectAllRows() {
  TPaintBatch batch(this);
  SetAllRowBits(rlRowSelected, false);
  batch.End();
  ChangedSelection();
}

void TReportListView::SelectAllColumns() {
  TPaintBatch batch(this);
  TStringArray* s = FRLData->Strings;
  for (Integer c = 1; c <= NrOfColumns(); ++c) s->SetColAttrib(c, Byte(s->GetColAttrib(c) | rlColSelected));
  batch.End();
  ChangedSelection();
}

void TReportListView::DeselectAllColumns() {
  TPaintBatch batch(this);
  TStringArray* s = FRLData->Strings;
  for (Integer c = 1; c <= NrOfColumns(); ++c) s->SetColAttrib(c, Byte(s->GetColAttrib(c) & ~rlColSelected));
  batch.End();
  ChangedSelection();
}

void TReportListView::EnableAllRows() {
  TPaintBatch batch(this);
  SetAllRowBits(rlRowDisabled, false);
  batch.End();
  ChangedSelection();
}

void TReportListView::DisableAllRows() {
  TPaintBatch batch(this);
  SetAllRowBits(rlRowDisabled, true);
  batch.End();
  ChangedSelection();
}

TIntArray TReportListView::GetSelectedRows() const {
  TIntArray rows;
  for (Integer r = 1; r <= NrOfRows(); ++r)
    if (RowAttr(r) & rlRowSelected) rows.push_back(r);
  return rows;
}

void TReportListView::SetSelectedRows(const TIntArray& SelList) {
  TPaintBatch batch(this);
  SetAllRowBits(rlRowSelected, false);
  for (Integer r : SelList) {
    if (!ValidRow(r)) continue;
    SetRowAttrBit(r, rlRowSelected, true);
    const Integer gr = GridRowOf(r);
    if (gr >= 0) TCustomGrid::SetRow(gr);
  }
  batch.End();
  ChangedSelection();
}

Integer TReportListView::FirstSelectedRow() const {
  for (Integer r = 1; r <= NrOfRows(); ++r)
    if (RowAttr(r) & rlRowSelected) return (RowAttr(r) & rlRowDisabled) ? 0 : r;
  return 0;
}

Integer TReportListView::FirstSelectedColumn() const {
  for (Integer c = 1; c <= NrOfColumns(); ++c)
    if (ColumnSelected(c)) return c;
  return 0;
}

Integer TReportListView::NumSelectedRows() const {
  Integer n = 0;
  for (Integer r = 1; r <= NrOfRows(); ++r) n += (RowAttr(r) & rlRowSelected) ? 1 : 0;
  return n;
}

Integer TReportListView::NumSelectedColumns() const {
  Integer n = 0;
  for (Integer c = 1; c <= NrOfColumns(); ++c) n += ColumnSelected(c) ? 1 : 0;
  return n;
}

Integer TReportListView::NumEnabledRows() const {
  Integer n = 0;
  for (Integer r = 1; r <= NrOfRows(); ++r) n += (RowAttr(r) & rlRowDisabled) ? 0 : 1;
  return n;
}

void TReportListView::CenterScrollAndSelect(Integer Row) {
  TPaintBatch batch(this);
  for (Integer r = 1; r <= NrOfRows(); ++r) SetRowAttrBit(r, rlRowSelected, r == Row);
  const Integer n = VisibleRowCount();
  const Integer shown = NrOfShownRows();
  // Positions count shown rows, so a filtered list centres on the row's place among them.
  const Integer gr = GridRowOf(Row);
  const Integer pos = gr >= 0 ? gr - CountHeadRows() + 1 : Row;
  const Integer top = pos > shown - n / 2 ? shown - n + 1 : pos - n / 2;
  SetTopRow(std::max(1, top));
  if (gr >= 0) SetSelection({TCustomGrid::FixedCols(), gr, TCustomGrid::ColCount() - 1, gr});
  batch.End();
  ChangedSelection();
}

void TReportListView::SetRowSelectMode(Integer v) {
  FRowSelectMode = v;
  if (v != 2) {
    TPaintBatch batch(this);
    SetAllRowBits(rlRowSelected, false);
    if (v == 0) SetSelection({NrOfColumns() + 1, NrOfRows() + 1, NrOfColumns() + 1, NrOfRows() + 1});
    batch.End();
    ChangedSelection();
  }
}

TGridCoord TReportListView::MouseCell(Integer X, Integer Y) const {
  const TGridCoord g = MouseCoord(X, Y);
  if (g.X < 0 || g.Y < 0) return {0, 0};
  TGridCoord res{g.X + 1, 0};
  if (g.Y >= TCustomGrid::FixedRows()) res.Y = DataRowOf(g.Y);
  else if (FComHdVis && g.Y == 0) res.Y = -2;
  else res.Y = -1;
  return res;
}

// [mouse] --------------------------------------------------------------------------------------------------
void TReportListView::HeaderClickSort(Integer m) {
  const TCursor saved = Screen->Cursor();
  Screen->SetCursor(crHourGlass);
  const Integer r0 = CurrentDataRow();
  const Integer key = FRLData->Strings->GetSortOrder(r0);
  FRLData->FSortToggle = !FRLData->FSortToggle;
  Sort(m, FRLData->FSortColumnSec, FRLData->FSortToggle);
  // The selection stays on the same record.
  if (key > 0) {
    for (Integer r = 1; r <= NrOfRows(); ++r)
      if (FRLData->Strings->GetSortOrder(r) == key) {
        const Integer gr = GridRowOf(r);
        const TGridRect sel = Selection();
        if (gr >= 0) SetSelection({sel.Left, gr, sel.Right, gr});
        break;
      }
  }
  Screen->SetCursor(saved);
}

void TReportListView::ToggleCheck(Integer m, Integer r) {
  TStringArray* s = FRLData->Strings;
  const String stored = s->GetString(m, r);
  bool newState = !FRLData->GetElemChecked(m, r);
  BeforeCheckStateChange(newState, m, r);
  if (ColumnCheckMode(m) == cmRadio) {
    // A radio click always ends with this cell checked.
    for (Integer k = 1; k <= NrOfRows(); ++k) {
      const std::u16string_view t = s->GetView(m, k);
      if (!t.empty() && t[0] != u' ') s->SetString(m, k, u" " + String(t.substr(1)));
    }
    const String t = s->GetString(m, r);
    s->SetString(m, r, t.empty() ? String(u"X") : u"X" + t.substr(1));
  } else {
    const char16_t mark = newState ? u'X' : u' ';
    s->SetString(m, r, stored.empty() ? String(1, mark) : mark + stored.substr(1));
  }
  CheckStateHasChanged(!newState, m, r);
}

void TReportListView::ClickSelect(Integer r, TShiftState Shift) {
  if (r < 1) return;
  switch (FRowSelectMode) {
    case 1:
      for (Integer k = 1; k <= NrOfRows(); ++k) SetRowAttrBit(k, rlRowSelected, k == r);
      ChangedSelection();
      break;
    case 2:
      if (Shift & ssShift) {
        const bool state = RowAttr(FSelectAnchor) & rlRowSelected;
        for (Integer k = std::min(FSelectAnchor, r); k <= std::max(FSelectAnchor, r); ++k)
          if (RowShown(k)) SetRowAttrBit(k, rlRowSelected, state);
      } else {
        FSelectAnchor = r;
        if ((Shift & ssCtrl) || !FCtrlForMultiSel) SetRowAttrBit(r, rlRowSelected, !(RowAttr(r) & rlRowSelected));
        else
          for (Integer k = 1; k <= NrOfRows(); ++k) SetRowAttrBit(k, rlRowSelected, k == r);
      }
      ChangedSelection();
      break;
    default:
      break;
  }
}

void TReportListView::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomDrawGrid::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || X <= 0 || Y <= 0 || X >= Width() || Y >= Height()) return;
  const TGridCoord cell = MouseCoord(X, Y);
  if (cell.X < 0 || cell.Y < 0) return;
  const Integer m = ModelCol(cell.X);
  const Integer colHdRow = FComHdVis ? 1 : 0;
  if (FColHdVis && cell.Y == colHdRow) {
    const TRect cr = CellRect(cell.X, cell.Y);
    if (FSortEnabled && X - cr.Left > 4 && cr.Right - X > 4) HeaderClickSort(m);
    return;
  }
  if (cell.Y < TCustomGrid::FixedRows()) return;
  const Integer clicked = DataRowOf(cell.Y);
  if (clicked < 1) return;
  TPaintBatch batch(this);
  const bool enabled = !(RowAttr(clicked) & rlRowDisabled);
  SetGridEditing(ColumnEditable(m) && enabled);
  const TRect cr = CellRect(cell.X, cell.Y);
  const String stored = FRLData->Strings->GetString(m, clicked);
  if (ColumnCheckMode(m) != cmNone && X < cr.Left + 18 && !FROCheckMarks && enabled &&
      (stored.size() > 1 || FShowEmptyCBx)) {
    ToggleCheck(m, clicked);
    // A click on the box is no request to edit the text beside it.
    CancelEdit();
  }
  ClickSelect(CurrentDataRow(), Shift);
  batch.End();
}

void TReportListView::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomDrawGrid::MouseUp(Button, Shift, X, Y);
  if (FRowSelectMode != 2) return;
  // The area right of the last column or below the last row.
  Integer gridRight = 0, gridBottom = 0;
  for (Integer k = TCustomGrid::LeftCol(); k < TCustomGrid::ColCount(); ++k) {
    const TRect cr = CellRect(k, 0);
    if (cr.IsEmpty()) break;
    gridRight = cr.Right;
  }
  const TRect last = CellRect(TCustomGrid::LeftCol(), TCustomGrid::RowCount() - 1);
  gridBottom = last.IsEmpty() ? ClientHeight() : last.Bottom;
  if (X > gridRight || (Y > gridBottom && Button == mbLeft)) {
    TPaintBatch batch(this);
    SetAllRowBits(rlRowSelected, false);
    batch.End();
    ChangedSelection();
  }
}

void TReportListView::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  FLastMousePosX = X;
  FLastMousePosY = Y;
  TCustomDrawGrid::MouseMove(Shift, X, Y);
}

void TReportListView::DblClick() {
  const Integer X = FLastMousePosX, Y = FLastMousePosY;
  const TGridCoord cell = MouseCoord(X, Y);
  const Integer colHdRow = FComHdVis ? 1 : 0;
  if (FColHdVis && cell.X >= 0 && cell.Y == colHdRow) {
    const TRect cr = CellRect(cell.X, cell.Y);
    if (X - cr.Left < 5 || cr.Right - X <= 4) {
      Integer k = X >= (cr.Left + cr.Right) / 2 ? cell.X : cell.X - 1;
      while (k > 0 && TCustomGrid::ColWidths(k) == 0) --k;
      if (k >= 0) AutoColWidth(ModelCol(k), true, 0);
    }
    return;
  }
  TCustomDrawGrid::DblClick();
}

bool TReportListView::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  if (FOnMouseWheelDown) FOnMouseWheelDown(this, Shift, MousePos, handled);
  // Unhandled turns scroll the rows (the selection stays where it is).
  return handled || TCustomDrawGrid::DoMouseWheelDown(Shift, MousePos);
}

bool TReportListView::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  if (FOnMouseWheelUp) FOnMouseWheelUp(this, Shift, MousePos, handled);
  return handled || TCustomDrawGrid::DoMouseWheelUp(Shift, MousePos);
}

// [keys] ---------------------------------------------------------------------------------------------------
void TReportListView::CopySelectedRows() {
  // The selected rows as shown (all columns, tab between cells), or the current row without a selection.
  String text;
  auto addRow = [&](Integer r) {
    for (Integer k = 0; k < Integer(FColOrder.size()); ++k) {
      if (k > 0) text += u'\t';
      text += FRLData->GetElem(ModelCol(k), r);
    }
    text += u'\n';
  };
  bool any = false;
  for (Integer i = 0; i < NrOfShownRows(); ++i) {
    const Integer r = DataRowOf(i + CountHeadRows());
    if (RowAttr(r) & rlRowSelected) {
      addRow(r);
      any = true;
    }
  }
  if (!any && CurrentDataRow() >= 1) addRow(CurrentDataRow());
  if (!text.empty()) Clipboard()->SetAsText(text);
}

void TReportListView::KeyDown(Word& Key, TShiftState Shift) {
  FSpaceToggled = false;
  if (!EditorMode()) {
    const bool ctrl = (Shift & ssCtrl) && !(Shift & ssAlt);
    if (ctrl && (Key == u'C' || Key == VK_INSERT)) {
      CopySelectedRows();
      Key = 0;
      return;
    }
    if (ctrl && Key == u'A' && FRowSelectMode == 2) {
      SelectAllRows();
      Key = 0;
      return;
    }
    // Space toggles the check box of the current cell, as a click on it would.
    const Integer m = ModelCol(TCustomGrid::Col()), r = CurrentDataRow();
    if (Key == VK_SPACE && Shift.Empty() && r >= 1 && ColumnCheckMode(m) != cmNone && !FROCheckMarks &&
        !(RowAttr(r) & rlRowDisabled) && (FRLData->Strings->CellLength(m, r) > 1 || FShowEmptyCBx)) {
      TPaintBatch batch(this);
      ToggleCheck(m, r);
      FSpaceToggled = true;
      Key = 0;
      return;
    }
  }
  // The grid takes Left and Right itself in row-select mode (it scrolls); they are still cursor keys.
  const Word pressed = Key;
  TCustomDrawGrid::KeyDown(Key, Shift);
  const bool sideways = (Options() & goRowSelect) && (pressed == VK_LEFT || pressed == VK_RIGHT);
  const Word k = Key == 0 && sideways && !(Shift & ssAlt) ? pressed : Key;
  if (k < VK_PRIOR || k > VK_DOWN) return;
  TPaintBatch batch(this);
  const Integer r = CurrentDataRow();
  // In multiple selection Shift extends the rows from the anchor to the new current row, as Shift+click
  // does; any other move starts again from the row it reached.
  const bool extend = FRowSelectMode == 2 && (Shift & ssShift) && FSelectAnchor >= 1 && FSelectAnchor <= NrOfRows();
  const Integer lo = extend ? std::min(FSelectAnchor, r) : r, hi = extend ? std::max(FSelectAnchor, r) : r;
  for (Integer i = 1; i <= NrOfRows(); ++i) SetRowAttrBit(i, rlRowSelected, i >= lo && i <= hi && RowShown(i));
  if (FRowSelectMode == 2 && !extend && r >= 1) FSelectAnchor = r;
  batch.End();
  CursorKeyAction(k);
  ChangedSelection();
}

void TReportListView::KeyPress(char16_t& Key) {
  // The space of a toggled check box starts no edit.
  if (Key == u' ' && FSpaceToggled) Key = 0;
  FSpaceToggled = false;
  // Only Enter advances, whether or not the grid consumed it: a typed character that opened the
  // editor, or a space that toggled a box, comes back consumed too and must not move on.
  const bool enter = Key == 13;
  TCustomDrawGrid::KeyPress(Key);
  if (FAutoAdvance && enter) {
    Word down = VK_DOWN;
    KeyDown(down, TShiftState());
  }
}

void TReportListView::CursorKeyAction(Word Key) {
  if (FOnCursorKeyAction) FOnCursorKeyAction(this, Key);
}

void TReportListView::BeforeCheckStateChange(bool& State, Integer Col, Integer Row) {
  if (FOnBefChkStChange) FOnBefChkStChange(this, State, Col, Row);
}

void TReportListView::CheckStateHasChanged(bool State, Integer Col, Integer Row) {
  bool copy = State;
  if (FOnChkStChange) FOnChkStChange(this, copy, Col, Row);
}

// [editing] ------------------------------------------------------------------------------------------------
bool TReportListView::SelectCell(Integer ACol, Integer ARow) {
  SetGridEditing(ARow >= TCustomGrid::FixedRows() && ColumnEditable(ModelCol(ACol)));
  return TCustomDrawGrid::SelectCell(ACol, ARow);
}

bool TReportListView::CanEditShow() const {
  const Integer r = DataRowOf(TCustomGrid::Row());
  return TCustomDrawGrid::CanEditShow() && r >= 1 && ColumnEditable(ModelCol(TCustomGrid::Col())) &&
         !(RowAttr(r) & rlRowDisabled) && FEnabled;
}

String TReportListView::GetEditText(Integer ACol, Integer ARow) {
  const Integer m = ModelCol(ACol), r = DataRowOf(ARow);
  String v = FRLData->GetElem(m, r);
  if (FOnGetEditText) FOnGetEditText(this, ACol, r, v);
  return v;
}

void TReportListView::SetEditText(Integer ACol, Integer ARow, const String& Value) {
  const Integer m = ModelCol(ACol), r = DataRowOf(ARow);
  if (!ValidRow(r) || !ValidCol(m)) return;
  String text = Value;
  if (ColumnCheckMode(m) != cmNone) {
    const String stored = FRLData->Strings->GetString(m, r);
    const char16_t mark = stored.empty() || stored[0] == u' ' ? u' ' : u'X';
    text = mark + Value;
  }
  text.resize(Utf16CutLength(text, size_t(TRLData::MaxCellLength)));
  FRLData->Strings->SetString(m, r, text);
  TCustomDrawGrid::SetEditText(m, r, Value);
  if (FOnSetEditText) FOnSetEditText(this, ACol, r, Value);
}

String TReportListView::EditFormat(Integer m, Integer r) {
  String f = FRLData->GetColumnFormat(m);
  if (FOnRequestEdFmt) FOnRequestEdFmt(this, m, r, f);
  return f;
}

TEditStyle TReportListView::GetEditStyle(Integer ACol, Integer ARow) {
  const char16_t type = SplitColumnFormat(EditFormat(ModelCol(ACol), DataRowOf(ARow))).Type;
  return type == u'c' || type == u'l' ? esPickList : TCustomDrawGrid::GetEditStyle(ACol, ARow);
}

void TReportListView::GetPickListItems(Integer ACol, Integer ARow, TStrings* Items) {
  const TFieldFormat f = SplitColumnFormat(EditFormat(ModelCol(ACol), DataRowOf(ARow)));
  const String& rest = f.Rest;
  if (f.Type == u'c' || f.Type == u'l') {
    size_t start = 0;
    for (size_t i = 0; i <= rest.size(); ++i)
      if (i == rest.size() || rest[i] == u'|') {
        if (i > start) Items->Add(rest.substr(start, i - start));
        start = i + 1;
      }
  }
  TCustomDrawGrid::GetPickListItems(ACol, ARow, Items);
}

// [moving] -------------------------------------------------------------------------------------------------
// A dragged row takes its record along (OnRowMoved gets data rows); a dragged column header changes
// the column order.
void TReportListView::RowMoved(Integer FromIndex, Integer ToIndex) {
  const Integer from = DataRowOf(FromIndex), to = DataRowOf(ToIndex);
  if (from < 1 || to < 1) return;
  std::vector<Integer> order;
  order.reserve(size_t(NrOfRows()));
  for (Integer r = 1; r <= NrOfRows(); ++r)
    if (r != from) order.push_back(r);
  order.insert(order.begin() + (to - 1), from);
  ApplyRowOrder(order);
  if (FFilterActive) RebuildRowMap();
  RepaintView();
  TCustomDrawGrid::RowMoved(from, to);
}

void TReportListView::ColumnMoved(Integer FromIndex, Integer ToIndex) {
  if (FromIndex < 0 || ToIndex < 0 || FromIndex >= Integer(FColOrder.size()) || ToIndex >= Integer(FColOrder.size()))
    return;
  const Integer m = FColOrder[size_t(FromIndex)];
  FColOrder.erase(FColOrder.begin() + FromIndex);
  FColOrder.insert(FColOrder.begin() + ToIndex, m);
  RepaintView();
  ChangedSetup();
  TCustomDrawGrid::ColumnMoved(FromIndex, ToIndex);
}

// [sorting] ------------------------------------------------------------------------------------------------
void TReportListView::Sort(Integer PrimCol, Integer SecCol, bool Ascending) {
  HideEditor();
  FRLData->FSortColumnPrim = PrimCol;
  FRLData->FSortColumnSec = SecCol;
  FRLData->FSortOrderPrim = Ascending;
  FRLData->Strings->Sort(PrimCol, SecCol, Ascending, FRLData->FSortOrderSec, FRLData->ColumnSortKind(PrimCol),
                         FRLData->ColumnSortKind(SecCol));
  RepaintView();
}

void TReportListView::Sort(Integer PrimCol, Integer SecCol, bool AscendPrim, bool AscendSec) {
  HideEditor();
  FRLData->FSortColumnPrim = PrimCol;
  FRLData->FSortColumnSec = SecCol;
  FRLData->FSortOrderPrim = AscendPrim;
  FRLData->FSortOrderSec = AscendSec;
  FRLData->Strings->Sort(PrimCol, SecCol, AscendPrim, AscendSec, FRLData->ColumnSortKind(PrimCol),
                         FRLData->ColumnSortKind(SecCol));
  RepaintView();
}

void TReportListView::UnSort() {
  HideEditor();
  FRLData->UnSort();
  RepaintView();
}

}  // namespace jox
