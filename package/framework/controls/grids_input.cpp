// Grid keyboard, mouse, wheel and scroll bars.
// Sections: [keys] [mouse] [wheel] [scroll bars]
#include <algorithm>

#include "package/framework/controls/forms.h"
#include "package/framework/controls/grids.h"

namespace jox {

namespace {

// The timer on the grid's handle that repeats a drag selection's step past an edge.
constexpr uintptr_t kSelectScrollTimer = 1;

}  // namespace

// [keys] ---------------------------------------------------------------------------------------------------
void TCustomGrid::KeyDown(Word& Key, TShiftState Shift) {
  TCustomScrollControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  const bool ctrl = Shift & ssCtrl;
  const bool extend = (Shift & ssShift) && (FOptions & goRangeSelect);
  const Integer firstCol = std::min(FFixedCols, ColCount() - 1), firstRow = std::min(FFixedRows, RowCount() - 1);
  const Integer page = std::max(1, VisibleRowCount());
  Integer c = FCurrent.X, r = FCurrent.Y;
  const bool rowSelect = FOptions & goRowSelect;
  // Alt+Down opens a pick-list cell's list.
  if (Key == VK_DOWN && (Shift & ssAlt)) {
    if ((FOptions & goEditing) && CanEditShow() && GetEditStyle(c, r) == esPickList) {
      ShowEditor();
      if (EditorMode()) FInplaceEdit->DropDown();
    }
    Key = 0;
    return;
  }
  switch (Key) {
    case VK_UP: r = ctrl ? FTopLeft.Y : r - 1; break;
    case VK_DOWN: r = ctrl ? FTopLeft.Y + std::max(0, VisibleRowCount() - 1) : r + 1; break;
    case VK_PRIOR: r -= page; MoveTopLeft(FTopLeft.X, FTopLeft.Y - page); break;
    case VK_NEXT: r += page; MoveTopLeft(FTopLeft.X, FTopLeft.Y + page); break;
    case VK_LEFT:
      if (rowSelect) { MoveTopLeft(FTopLeft.X - 1, FTopLeft.Y); Key = 0; return; }
      c -= 1;
      break;
    case VK_RIGHT:
      if (rowSelect) { MoveTopLeft(FTopLeft.X + 1, FTopLeft.Y); Key = 0; return; }
      c += 1;
      break;
    case VK_HOME:
      if (ctrl) r = firstRow;
      if (!rowSelect || ctrl) c = firstCol;
      if (rowSelect && !ctrl) r = firstRow;
      break;
    case VK_END:
      if (ctrl) r = RowCount() - 1;
      if (!rowSelect || ctrl) c = ColCount() - 1;
      if (rowSelect && !ctrl) r = RowCount() - 1;
      break;
    case VK_TAB:
      if (!(FOptions & goTabs) || ctrl) return;
      // Tab walks the cells row by row, wrapping at the ends of a row.
      if (Shift & ssShift) {
        if (--c < firstCol) { c = ColCount() - 1; --r; }
        if (r < firstRow) r = RowCount() - 1;
      } else {
        if (++c >= ColCount()) { c = firstCol; ++r; }
        if (r >= RowCount()) r = firstRow;
      }
      FocusCell(c, r, true);
      Key = 0;
      return;
    case VK_F2:
      if (FOptions & goEditing) ShowEditor();
      Key = 0;
      return;
    default:
      return;
  }
  FocusCell(c, r, !extend);
}

void TCustomGrid::KeyPress(char16_t& Key) {
  TCustomScrollControl::KeyPress(Key);
  if (Key == 0) return;
  if (Key == 13) {
    if (EditorMode()) {
      CommitEdit();
      if (FOptions & goAlwaysShowEditor) ShowEditor();
    } else if (FOptions & goEditing) {
      ShowEditor();
    }
    return;
  }
  if (Key == 27) {
    if (EditorMode()) CancelEdit();
    return;
  }
  // Typing on a cell starts an edit that replaces its text with what is typed.
  if ((FOptions & goEditing) && !EditorMode() && Key >= 32 && CanEditShow()) {
    ShowEditor();
    if (EditorMode()) {
      FInplaceEdit->SelectAll();
      char16_t ch = Key;
      FInplaceEdit->Perform(WM_CHAR, ch, 0);
      Key = 0;
    }
  }
}

// [mouse] --------------------------------------------------------------------------------------------------
bool TCustomGrid::SizingBorderAt(Integer X, Integer Y, TScrollBarKind& Kind, Integer& Index) const {
  const TGridCoord g = MouseCoord(X, Y);
  if (g.X < 0) return false;
  if (g.Y < FFixedRows && (FOptions & goColSizing)) {
    // Within 3 pixels of a column's right edge (or of the edge of the column before it).
    for (Integer k : {g.X, g.X - 1}) {
      Integer l, r;
      if (k >= 0 && ColSpan(k, l, r) && std::abs(X - r) <= 3 && (k >= FFixedCols || k == g.X)) {
        Kind = sbHorizontal;
        Index = k;
        return true;
      }
    }
  }
  if (g.X < FFixedCols && (FOptions & goRowSizing)) {
    for (Integer k : {g.Y, g.Y - 1}) {
      Integer t, b;
      if (k >= 0 && RowSpan(k, t, b) && std::abs(Y - b) <= 3) {
        Kind = sbVertical;
        Index = k;
        return true;
      }
    }
  }
  return false;
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (Button == mbLeft) {
    TScrollBarKind kind;
    Integer index;
    if (!(Shift & ssDouble) && SizingBorderAt(X, Y, kind, index)) {
      HideEditor();
      FGridState = kind == sbHorizontal ? gsColSizing : gsRowSizing;
      FSizingIndex = index;
      Integer a, b;
      if (kind == sbHorizontal) ColSpan(index, a, b);
      else RowSpan(index, a, b);
      FSizingOrigin = a;
    } else {
      const TGridCoord g = MouseCoord(X, Y);
      // A fixed cell at the head of a row or column picks it up to be dragged elsewhere.
      const bool rowHead = g.X >= 0 && g.X < FFixedCols && g.Y >= FFixedRows && (FOptions & goRowMoving);
      const bool colHead = g.X >= 0 && g.Y < FFixedRows && g.X >= FFixedCols && (FOptions & goColMoving);
      if ((rowHead || colHead) && !(Shift & ssDouble)) {
        HideEditor();
        FGridState = rowHead ? gsRowMoving : gsColMoving;
        FMoveIndex = FMovePos = rowHead ? g.Y : g.X;
      } else if (g.X >= 0 && !FixedCell(g.X, g.Y)) {
        const bool same = g.X == FCurrent.X && g.Y == FCurrent.Y;
        const bool extend = (Shift & ssShift) && (FOptions & goRangeSelect);
        if (same && (FOptions & goEditing) && !EditorMode() && !extend) {
          ShowEditor();
        } else {
          FocusCell(g.X, g.Y, !extend);
          FGridState = gsSelecting;
        }
      }
    }
  }
  TCustomScrollControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  if (FGridState == gsColSizing || FGridState == gsRowSizing) {
    const Integer v = std::max(0, (FGridState == gsColSizing ? X : Y) - FSizingOrigin);
    if (FGridState == gsColSizing) SetColWidths(FSizingIndex, v);
    else SetRowHeights(FSizingIndex, v);
  } else if (FGridState == gsRowMoving || FGridState == gsColMoving) {
    const Integer to = MoveTarget(X, Y);
    if (to != FMovePos) {
      FMovePos = to;
      Invalidate();
    }
  } else if (FGridState == gsSelecting && (FOptions & goRangeSelect)) {
    SelectTowards(X, Y);
  } else {
    TScrollBarKind kind;
    Integer index;
    SetCursor(SizingBorderAt(X, Y, kind, index) ? (kind == sbHorizontal ? crHSplit : crVSplit) : crDefault);
  }
  TCustomScrollControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::SelectTowards(Integer X, Integer Y) {
  const TRect ca = ClientRect();
  FSelectPoint = Point(X, Y);
  // Past an edge the selection reaches one row or column beyond what shows, which scrolls it in.
  const Integer cx = std::clamp(X, ca.Left, ca.Right - 1), cy = std::clamp(Y, ca.Top, ca.Bottom - 1);
  TGridCoord g = MouseCoord(cx, cy);
  const bool below = Y >= ca.Bottom, above = Y < ca.Top + FixedHeight();
  const bool right = X >= ca.Right, left = X < ca.Left + FixedWidth();
  if (below) g.Y = std::min(RowCount() - 1, LastVisibleRow() + 1);
  if (above) g.Y = std::max(FFixedRows, FTopLeft.Y - 1);
  if (right) g.X = std::min(ColCount() - 1, LastVisibleCol() + 1);
  if (left) g.X = std::max(FFixedCols, FTopLeft.X - 1);
  if (g.X >= 0 && g.Y >= 0) MoveColRow(std::max(g.X, FFixedCols), std::max(g.Y, FFixedRows), false, true);
  // Held outside, the pointer goes on scrolling without moving.
  const bool outside = below || above || right || left;
  if (outside && !FSelectTimer) FSelectTimer = SetTimer(Handle(), kSelectScrollTimer, kScrollRepeatInterval) != 0;
  else if (!outside) StopSelectScroll();
}

void TCustomGrid::StopSelectScroll() {
  if (!FSelectTimer) return;
  FSelectTimer = false;
  if (HandleAllocated()) KillTimer(Handle(), kSelectScrollTimer);
}

void TCustomGrid::SelectScrollTimer(TMessage& Message) {
  if (Message.WParam != intptr_t(kSelectScrollTimer)) return;
  if (FGridState != gsSelecting || !FSelectTimer) {
    StopSelectScroll();
    return;
  }
  try {
    SelectTowards(FSelectPoint.X, FSelectPoint.Y);
  } catch (...) {
    StopSelectScroll();
    Application->HandleException(this);
  }
}

Integer TCustomGrid::MoveTarget(Integer X, Integer Y) const {
  const TRect ca = ClientRect();
  const TGridCoord g = MouseCoord(std::clamp(X, ca.Left, ca.Right - 1), std::clamp(Y, ca.Top, ca.Bottom - 1));
  if (FGridState == gsRowMoving) {
    if (Y < ca.Top + FixedHeight() || g.Y < FFixedRows) return FTopLeft.Y;
    return g.Y < 0 ? LastVisibleRow() : g.Y;
  }
  if (X < ca.Left + FixedWidth() || g.X < FFixedCols) return FTopLeft.X;
  return g.X < 0 ? LastVisibleCol() : g.X;
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  StopSelectScroll();
  if (FGridState == gsRowMoving || FGridState == gsColMoving) {
    const bool rows = FGridState == gsRowMoving;
    const Integer from = FMoveIndex, to = MoveTarget(X, Y);
    FGridState = gsNormal;
    FMoveIndex = FMovePos = -1;
    Invalidate();
    if (rows) MoveRow(from, to);
    else MoveColumn(from, to);
  }
  FGridState = gsNormal;
  TCustomScrollControl::MouseUp(Button, Shift, X, Y);
}

void TCustomGrid::DblClick() { TCustomScrollControl::DblClick(); }

void TCustomGrid::DoEnter() {
  TCustomScrollControl::DoEnter();
  InvalidateRows(FCurrent.Y, FCurrent.Y);
}

void TCustomGrid::DoExit() {
  // Leaving the grid for another control keeps what was typed, as leaving the cell does.
  if (EditorMode() && !(FInplaceEdit && FInplaceEdit->Focused())) CommitEdit();
  TCustomScrollControl::DoExit();
  InvalidateRows(FCurrent.Y, FCurrent.Y);
}

// [scrolling] ----------------------------------------------------------------------------------------------
void TCustomGrid::Scroll(TScrollBarKind Kind, TScrollCode Code, Integer ThumbPos) {
  if (Code == scTrack && !(FOptions & goThumbTracking)) return;
  TCustomScrollControl::Scroll(Kind, Code, ThumbPos);
}

void TCustomGrid::ScrollPosChanged(TScrollBarKind Kind, Integer OldPos) {
  if (Kind == sbVertical) MoveTopLeft(FTopLeft.X, ScrollPos(sbVertical));
  else MoveTopLeft(ScrollPos(sbHorizontal), FTopLeft.Y);
}

}  // namespace jox
