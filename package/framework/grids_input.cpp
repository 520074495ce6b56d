// Grid keyboard, mouse, wheel and scroll bars.
// Sections: [keys] [mouse] [wheel] [scroll bars]
#include <algorithm>

#include "package/framework/grids.h"

namespace jox {

// [keys] ---------------------------------------------------------------------------------------------------
void TCustomGrid::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  const bool ctrl = Shift & ssCtrl;
  const bool extend = (Shift & ssShift) && (FOptions & goRangeSelect);
  const Integer firstCol = std::min(FFixedCols, ColCount() - 1), firstRow = std::min(FFixedRows, RowCount() - 1);
  const Integer page = std::max(1, VisibleRowCount());
  Integer c = FCurrent.X, r = FCurrent.Y;
  const bool rowSelect = FOptions & goRowSelect;
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
        if (rowSelect || --c < firstCol) { c = ColCount() - 1; --r; }
        if (r < firstRow) r = RowCount() - 1;
      } else {
        if (rowSelect || ++c >= ColCount()) { c = firstCol; ++r; }
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
  TCustomControl::KeyPress(Key);
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
  if (Button == mbLeft && ScrollBarMouseDown(X, Y)) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    return;
  }
  if (Button == mbLeft && !(Shift & ssDouble)) {
    TScrollBarKind kind;
    Integer index;
    if (SizingBorderAt(X, Y, kind, index)) {
      HideEditor();
      FGridState = kind == sbHorizontal ? gsColSizing : gsRowSizing;
      FSizingIndex = index;
      Integer a, b;
      if (kind == sbHorizontal) ColSpan(index, a, b);
      else RowSpan(index, a, b);
      FSizingOrigin = a;
    } else {
      const TGridCoord g = MouseCoord(X, Y);
      if (g.X >= 0 && !FixedCell(g.X, g.Y)) {
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
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  if (FSbDrag >= 0) {
    ScrollBarDrag(X, Y);
  } else if (FGridState == gsColSizing || FGridState == gsRowSizing) {
    const Integer v = std::max(0, (FGridState == gsColSizing ? X : Y) - FSizingOrigin);
    if (FGridState == gsColSizing) SetColWidths(FSizingIndex, v);
    else SetRowHeights(FSizingIndex, v);
  } else if (FGridState == gsSelecting && (FOptions & goRangeSelect)) {
    const TRect ca = ClientRect();
    // Dragging past an edge scrolls one row or column at a time.
    const Integer cx = std::clamp(X, ca.Left, ca.Right - 1), cy = std::clamp(Y, ca.Top, ca.Bottom - 1);
    TGridCoord g = MouseCoord(cx, cy);
    if (Y >= ca.Bottom) g.Y = std::min(RowCount() - 1, LastVisibleRow() + 1);
    if (Y < ca.Top + FixedHeight()) g.Y = std::max(FFixedRows, FTopLeft.Y - 1);
    if (g.X >= 0 && g.Y >= 0) MoveColRow(std::max(g.X, FFixedCols), std::max(g.Y, FFixedRows), false, true);
  } else {
    TScrollBarKind kind;
    Integer index;
    SetCursor(SizingBorderAt(X, Y, kind, index) ? (kind == sbHorizontal ? crHSplit : crVSplit) : crDefault);
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (FSbDrag >= 0) {
    // Without thumb tracking the rows follow the thumb only when it is let go.
    if (!(FOptions & goThumbTracking)) {
      FOptions |= goThumbTracking;
      ScrollBarDrag(X, Y);
      FOptions = FOptions - goThumbTracking;
    }
    FSbDrag = -1;
  }
  FGridState = gsNormal;
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TCustomGrid::DblClick() { TCustomControl::DblClick(); }

void TCustomGrid::DoExit() {
  // Leaving the grid for another control keeps what was typed, as leaving the cell does.
  if (EditorMode() && !(FInplaceEdit && FInplaceEdit->Focused())) CommitEdit();
  TCustomControl::DoExit();
}

// [wheel] --------------------------------------------------------------------------------------------------
bool TCustomGrid::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) {
  if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  WheelScroll(-WheelDelta * 3 / WHEEL_DELTA);
  return true;
}

void TCustomGrid::WheelScroll(Integer Rows) {
  if (Rows != 0) MoveTopLeft(FTopLeft.X, FTopLeft.Y + Rows);
}

// [scroll bars] --------------------------------------------------------------------------------------------
// A stand-in for the shared scrolling base: bars of 17 pixels with arrows, track and thumb.
TRect TCustomGrid::ScrollBarRect(TScrollBarKind Kind) const {
  const Integer b = BorderWidth();
  const bool v = ScrollBarShown(sbVertical), h = ScrollBarShown(sbHorizontal);
  if (Kind == sbVertical) return Rect(Width() - b - 17, b, Width() - b, Height() - b - (h ? 17 : 0));
  return Rect(b, Height() - b - 17, Width() - b - (v ? 17 : 0), Height() - b);
}

TRect TCustomGrid::ThumbRect(TScrollBarKind Kind) const {
  const TRect r = ScrollBarRect(Kind);
  const bool v = Kind == sbVertical;
  const Integer track = (v ? r.Height() : r.Width()) - 34;
  const Integer lo = v ? FFixedRows : FFixedCols, hi = v ? MaxTopRow() : MaxLeftCol();
  const Integer pos = v ? FTopLeft.Y : FTopLeft.X;
  const Integer count = (v ? RowCount() : ColCount()) - lo;
  const Integer page = std::max(1, v ? VisibleRowCount() : VisibleColCount());
  if (track <= 8 || hi <= lo) return TRect{};
  const Integer size = std::clamp(Integer(Int64(track) * page / std::max(1, count)), 8, track);
  const Integer at = Integer(Int64(track - size) * (pos - lo) / (hi - lo));
  return v ? Rect(r.Left, r.Top + 17 + at, r.Right, r.Top + 17 + at + size)
           : Rect(r.Left + 17 + at, r.Top, r.Left + 17 + at + size, r.Bottom);
}

namespace {

void RaisedBox(TCanvas* c, const TRect& r) {
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(clBtnFace);
  c->FillRect(r);
  c->Pen()->SetWidth(1);
  c->Pen()->SetColor(clBtnHighlight);
  c->MoveTo(r.Left, r.Bottom - 1);
  c->LineTo(r.Left, r.Top);
  c->LineTo(r.Right - 1, r.Top);
  c->Pen()->SetColor(cl3DDkShadow);
  c->MoveTo(r.Left, r.Bottom - 1);
  c->LineTo(r.Right - 1, r.Bottom - 1);
  c->LineTo(r.Right - 1, r.Top - 1);
  c->Pen()->SetColor(clBtnShadow);
  c->MoveTo(r.Left + 1, r.Bottom - 2);
  c->LineTo(r.Right - 2, r.Bottom - 2);
  c->LineTo(r.Right - 2, r.Top);
}

// A small filled triangle pointing in direction d (0 up, 1 down, 2 left, 3 right) centred in r.
void Arrow(TCanvas* c, const TRect& r, int d, bool enabled) {
  const Integer cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
  c->Pen()->SetColor(enabled ? clBlack : clBtnShadow);
  for (Integer i = 0; i < 4; ++i) {
    switch (d) {
      case 0: c->MoveTo(cx - i, cy - 2 + i); c->LineTo(cx + i + 1, cy - 2 + i); break;
      case 1: c->MoveTo(cx - i, cy + 1 - i); c->LineTo(cx + i + 1, cy + 1 - i); break;
      case 2: c->MoveTo(cx - 2 + i, cy - i); c->LineTo(cx - 2 + i, cy + i + 1); break;
      default: c->MoveTo(cx + 1 - i, cy - i); c->LineTo(cx + 1 - i, cy + i + 1); break;
    }
  }
}

}  // namespace

void TCustomGrid::PaintScrollBar(TScrollBarKind Kind) {
  TCanvas* c = Canvas();
  const TRect r = ScrollBarRect(Kind);
  const bool v = Kind == sbVertical;
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(RGB(0xE8, 0xE8, 0xE8));
  c->FillRect(r);
  const TRect a1 = v ? Rect(r.Left, r.Top, r.Right, r.Top + 17) : Rect(r.Left, r.Top, r.Left + 17, r.Bottom);
  const TRect a2 = v ? Rect(r.Left, r.Bottom - 17, r.Right, r.Bottom) : Rect(r.Right - 17, r.Top, r.Right, r.Bottom);
  const bool on = Enabled();
  RaisedBox(c, a1);
  Arrow(c, a1, v ? 0 : 2, on);
  RaisedBox(c, a2);
  Arrow(c, a2, v ? 1 : 3, on);
  const TRect t = ThumbRect(Kind);
  if (!t.IsEmpty()) RaisedBox(c, t);
}

bool TCustomGrid::ScrollBarMouseDown(Integer X, Integer Y) {
  for (TScrollBarKind kind : {sbVertical, sbHorizontal}) {
    if (!ScrollBarShown(kind)) continue;
    const TRect r = ScrollBarRect(kind);
    if (!r.Contains(Point(X, Y))) continue;
    const bool v = kind == sbVertical;
    const Integer p = v ? Y : X, lo = v ? r.Top : r.Left, hi = v ? r.Bottom : r.Right;
    const TRect t = ThumbRect(kind);
    const Integer step = v ? 1 : 1;
    const Integer page = std::max(1, v ? VisibleRowCount() : VisibleColCount());
    auto by = [&](Integer d) {
      if (v) MoveTopLeft(FTopLeft.X, FTopLeft.Y + d);
      else MoveTopLeft(FTopLeft.X + d, FTopLeft.Y);
    };
    if (p < lo + 17) by(-step);
    else if (p >= hi - 17) by(step);
    else if (!t.IsEmpty() && t.Contains(Point(X, Y))) {
      FSbDrag = kind;
      FSbGrab = p - (v ? t.Top : t.Left);
    } else if (!t.IsEmpty()) by(p < (v ? t.Top : t.Left) ? -page : page);
    return true;
  }
  return false;
}

void TCustomGrid::ScrollBarDrag(Integer X, Integer Y) {
  if (!(FOptions & goThumbTracking)) return;
  const TScrollBarKind kind = TScrollBarKind(FSbDrag);
  const bool v = kind == sbVertical;
  const TRect r = ScrollBarRect(kind), t = ThumbRect(kind);
  if (t.IsEmpty()) return;
  const Integer size = v ? t.Height() : t.Width();
  const Integer track = (v ? r.Height() : r.Width()) - 34 - size;
  const Integer at = std::clamp((v ? Y - r.Top : X - r.Left) - 17 - FSbGrab, 0, std::max(0, track));
  const Integer lo = v ? FFixedRows : FFixedCols, hi = v ? MaxTopRow() : MaxLeftCol();
  const Integer pos = track > 0 ? lo + Integer((Int64(at) * (hi - lo) + track / 2) / track) : lo;
  if (v) MoveTopLeft(FTopLeft.X, pos);
  else MoveTopLeft(pos, FTopLeft.Y);
}

}  // namespace jox
