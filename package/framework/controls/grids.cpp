// Grid layout, painting, selection and invalidation.
// Sections: [axis] [grid] [dimensions] [geometry] [position] [painting] [invalidation] [drawgrid]
#include "package/framework/controls/grids.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "package/framework/controls/forms.h"
#include "package/framework/graphics/drawedge.h"

namespace jox {

// [axis] ---------------------------------------------------------------------------------------------------
void TGridAxis::Rebuild() {
  FPrefix.assign(FEx.size() + 1, 0);
  for (size_t k = 0; k < FEx.size(); ++k) FPrefix[k + 1] = FPrefix[k] + (FEx[k].second - FDefault);
}

void TGridAxis::SetCount(Integer n) {
  FCount = std::max(0, n);
  auto it = std::lower_bound(FEx.begin(), FEx.end(), std::make_pair(FCount, INT_MIN));
  if (it != FEx.end()) {
    FEx.erase(it, FEx.end());
    Rebuild();
  }
}

void TGridAxis::Scale(double K) {
  FDefault = std::max(0, Integer(std::lround(FDefault * K)));
  for (auto& e : FEx) e.second = std::max(0, Integer(std::lround(e.second * K)));
  Rebuild();
}

void TGridAxis::SetDefault(Integer v) {
  FDefault = std::max(0, v);
  FEx.clear();
  Rebuild();
}

Integer TGridAxis::Size(Integer i) const {
  auto it = std::lower_bound(FEx.begin(), FEx.end(), std::make_pair(i, INT_MIN));
  return it != FEx.end() && it->first == i ? it->second : FDefault;
}

void TGridAxis::SetSize(Integer i, Integer v) {
  if (i < 0 || i >= FCount) return;
  v = std::max(0, v);
  auto it = std::lower_bound(FEx.begin(), FEx.end(), std::make_pair(i, INT_MIN));
  if (it != FEx.end() && it->first == i) {
    if (v == FDefault) FEx.erase(it);
    else it->second = v;
  } else if (v != FDefault) {
    FEx.insert(it, {i, v});
  }
  Rebuild();
}

Int64 TGridAxis::Offset(Integer i, Integer Line) const {
  i = std::clamp(i, 0, FCount);
  const size_t k = size_t(std::lower_bound(FEx.begin(), FEx.end(), std::make_pair(i, INT_MIN)) - FEx.begin());
  return Int64(i) * (FDefault + Line) + (FPrefix.empty() ? 0 : FPrefix[k]);
}

Integer TGridAxis::IndexAt(Int64 Pos, Integer Line) const {
  if (FCount == 0 || Pos < 0) return Pos < 0 ? -1 : FCount;
  if (Pos >= Offset(FCount, Line)) return FCount;
  // Largest i with Offset(i) <= Pos: the item whose extent holds Pos (zero-sized items are passed over).
  Integer lo = 0, hi = FCount - 1;
  while (lo < hi) {
    const Integer mid = lo + (hi - lo + 1) / 2;
    if (Offset(mid, Line) <= Pos) lo = mid;
    else hi = mid - 1;
  }
  return lo;
}

void TGridAxis::Shift(Integer At, Integer Delta) {
  std::vector<std::pair<Integer, Integer>> moved;
  for (auto& e : FEx) {
    if (e.first < At) moved.push_back(e);
    else if (Delta >= 0 || e.first >= At - Delta) moved.push_back({e.first + Delta, e.second});
  }
  FEx = std::move(moved);
  Rebuild();
}

namespace {

// Where item i stands after item From moved to To.
Integer MovedIndex(Integer i, Integer From, Integer To) {
  if (i == From) return To;
  if (From < To && i > From && i <= To) return i - 1;
  if (To < From && i >= To && i < From) return i + 1;
  return i;
}

}  // namespace

void TGridAxis::Move(Integer From, Integer To) {
  if (From == To || From < 0 || To < 0 || From >= FCount || To >= FCount) return;
  for (auto& e : FEx) e.first = MovedIndex(e.first, From, To);
  std::sort(FEx.begin(), FEx.end());
  Rebuild();
}

// [grid] ---------------------------------------------------------------------------------------------------
TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomScrollControl(AOwner) {
  FCols.SetDefault(64);
  FRows.SetDefault(24);
  FCols.SetCount(5);
  FRows.SetCount(5);
  FOptions = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
  SetColor(clWindow);
  SetParentColor(false);
  SetTabStop(true);
  SetControlStyle(ControlStyle() | csOpaque);
  SetBounds(0, 0, 320, 120);
  // Arrows always belong to the grid; Tab only with goTabs; characters when editing.
  SetMessageHandler(WM_GETDLGCODE, [this](TMessage& m) {
    m.Result = DLGC_WANTARROWS | (FOptions & goTabs ? DLGC_WANTTAB : 0) | (FOptions & goEditing ? DLGC_WANTCHARS : 0);
  });
  SetMessageHandler(WM_TIMER, [this](TMessage& m) { SelectScrollTimer(m); });
}

TCustomGrid::~TCustomGrid() { StopSelectScroll(); }

// [dimensions] ---------------------------------------------------------------------------------------------
void TCustomGrid::SetColCount(Integer v) {
  v = std::max(1, v);
  if (v == ColCount()) return;
  HideEditor();
  FCols.SetCount(v);
  if (FFixedCols >= v) FFixedCols = v - 1;
  ClampPosition();
  Invalidate();
}

void TCustomGrid::SetRowCount(Integer v) {
  v = std::max(1, v);
  if (v == RowCount()) return;
  HideEditor();
  FRows.SetCount(v);
  if (FFixedRows >= v) FFixedRows = v - 1;
  ClampPosition();
  Invalidate();
}

void TCustomGrid::SetFixedCols(Integer v) {
  v = std::clamp(v, 0, ColCount() - 1);
  if (v == FFixedCols) return;
  HideEditor();
  FFixedCols = v;
  ClampPosition();
  Invalidate();
}

void TCustomGrid::SetFixedRows(Integer v) {
  v = std::clamp(v, 0, RowCount() - 1);
  if (v == FFixedRows) return;
  HideEditor();
  FFixedRows = v;
  ClampPosition();
  Invalidate();
}

void TCustomGrid::SetDefaultColWidth(Integer v) {
  FCols.SetDefault(v);
  ClampPosition();
  ColWidthsChanged();
  Invalidate();
}

void TCustomGrid::ChangeScale(double K) {
  FCols.Scale(K);
  FRows.Scale(K);
  ClampPosition();
  ColWidthsChanged();
  RowHeightsChanged();
  PlaceEditor();
  Invalidate();
}

void TCustomGrid::SetDefaultRowHeight(Integer v) {
  FRows.SetDefault(v);
  ClampPosition();
  RowHeightsChanged();
  Invalidate();
}

void TCustomGrid::SetColWidths(Integer Index, Integer v) {
  if (Index < 0 || Index >= ColCount() || FCols.Size(Index) == std::max(0, v)) return;
  FCols.SetSize(Index, v);
  ColWidthsChanged();
  PlaceEditor();
  Invalidate();
}

void TCustomGrid::SetRowHeights(Integer Index, Integer v) {
  if (Index < 0 || Index >= RowCount() || FRows.Size(Index) == std::max(0, v)) return;
  FRows.SetSize(Index, v);
  RowHeightsChanged();
  PlaceEditor();
  Invalidate();
}

void TCustomGrid::SetGridLineWidth(Integer v) {
  v = std::max(0, v);
  if (v == FGridLineWidth) return;
  FGridLineWidth = v;
  ClampPosition();
  Invalidate();
}

void TCustomGrid::SetOptions(TGridOptions v) {
  if (v == FOptions) return;
  FOptions = v;
  if (!(v & goEditing)) HideEditor();
  else if (v & goAlwaysShowEditor) ShowEditor();
  Invalidate();
}

void TCustomGrid::SetDrawingStyle(TGridDrawingStyle v) {
  if (v == FDrawingStyle) return;
  FDrawingStyle = v;
  Invalidate();
}

void TCustomGrid::SetGradientStartColor(TColor v) {
  if (v == FGradientStartColor) return;
  FGradientStartColor = v;
  Invalidate();
}

void TCustomGrid::SetGradientEndColor(TColor v) {
  if (v == FGradientEndColor) return;
  FGradientEndColor = v;
  Invalidate();
}

void TCustomGrid::SetFixedColor(TColor v) {
  if (v == FFixedColor) return;
  FFixedColor = v;
  Invalidate();
}

void TCustomGrid::SetScrollBars(TScrollStyle v) {
  if (v == ScrollBars()) return;
  TCustomScrollControl::SetScrollBars(v);
  ClampPosition();
  Invalidate();
}

void TCustomGrid::SetBorderStyle(TBorderStyle v) {
  if (v == FBorderStyle) return;
  FBorderStyle = v;
  Invalidate();
  Realign();
  ClampPosition();
  PlaceEditor();
}

void TCustomGrid::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  TCustomScrollControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  ClampPosition();
  PlaceEditor();
}

// [geometry] -----------------------------------------------------------------------------------------------
Integer TCustomGrid::FixedWidth() const { return Integer(FCols.Offset(FFixedCols, FGridLineWidth)); }
Integer TCustomGrid::FixedHeight() const { return Integer(FRows.Offset(FFixedRows, FGridLineWidth)); }

bool TCustomGrid::ColSpan(Integer ACol, Integer& L, Integer& R) const {
  if (ACol < 0 || ACol >= ColCount()) return false;
  const TRect ca = ClientRect();
  Int64 x;
  if (ACol < FFixedCols) x = ca.Left + FCols.Offset(ACol, FGridLineWidth);
  else if (ACol >= FTopLeft.X)
    x = ca.Left + FixedWidth() + FCols.Offset(ACol, FGridLineWidth) - FCols.Offset(FTopLeft.X, FGridLineWidth);
  else return false;
  if (x >= ca.Right) return false;
  L = Integer(x);
  R = L + FCols.Size(ACol);
  return true;
}

bool TCustomGrid::RowSpan(Integer ARow, Integer& T, Integer& B) const {
  if (ARow < 0 || ARow >= RowCount()) return false;
  const TRect ca = ClientRect();
  Int64 y;
  if (ARow < FFixedRows) y = ca.Top + FRows.Offset(ARow, FGridLineWidth);
  else if (ARow >= FTopLeft.Y)
    y = ca.Top + FixedHeight() + FRows.Offset(ARow, FGridLineWidth) - FRows.Offset(FTopLeft.Y, FGridLineWidth);
  else return false;
  if (y >= ca.Bottom) return false;
  T = Integer(y);
  B = T + FRows.Size(ARow);
  return true;
}

TPoint TCustomGrid::PopupPoint() const {
  const TRect r = CellRect(Col(), Row());
  return r.IsEmpty() ? TCustomScrollControl::PopupPoint() : Point(r.Left, r.Bottom);
}

TRect TCustomGrid::CellRect(Integer ACol, Integer ARow) const {
  Integer l, r, t, b;
  if (!ColSpan(ACol, l, r) || !RowSpan(ARow, t, b)) return TRect{};
  return Rect(l, t, r, b);
}

TGridCoord TCustomGrid::MouseCoord(Integer X, Integer Y) const {
  const TRect ca = ClientRect();
  if (!ca.Contains(Point(X, Y))) return {-1, -1};
  const Integer lw = FGridLineWidth, fw = FixedWidth(), fh = FixedHeight();
  Integer c, r;
  if (X - ca.Left < fw) c = FCols.IndexAt(X - ca.Left, lw);
  else c = FCols.IndexAt(Int64(X - ca.Left - fw) + FCols.Offset(FTopLeft.X, lw), lw);
  if (Y - ca.Top < fh) r = FRows.IndexAt(Y - ca.Top, lw);
  else r = FRows.IndexAt(Int64(Y - ca.Top - fh) + FRows.Offset(FTopLeft.Y, lw), lw);
  if (c < 0 || c >= ColCount() || r < 0 || r >= RowCount()) return {-1, -1};
  return {c, r};
}

void TCustomGrid::MouseToCell(Integer X, Integer Y, Integer& ACol, Integer& ARow) const {
  const TGridCoord g = MouseCoord(X, Y);
  ACol = g.X;
  ARow = g.Y;
}

Integer TCustomGrid::MaxTopRow() const {
  const Integer lw = FGridLineWidth;
  const Int64 avail = ClientRect().Height() - FixedHeight();
  const Int64 target = FRows.Offset(RowCount(), lw) - avail;
  Integer t = FRows.IndexAt(std::max<Int64>(0, target), lw);
  if (t < RowCount() && FRows.Offset(t, lw) < target) ++t;
  return std::clamp(t, FFixedRows, std::max(FFixedRows, RowCount() - 1));
}

Integer TCustomGrid::MaxLeftCol() const {
  const Integer lw = FGridLineWidth;
  const Int64 avail = ClientRect().Width() - FixedWidth();
  const Int64 target = FCols.Offset(ColCount(), lw) - avail;
  Integer l = FCols.IndexAt(std::max<Int64>(0, target), lw);
  if (l < ColCount() && FCols.Offset(l, lw) < target) ++l;
  return std::clamp(l, FFixedCols, std::max(FFixedCols, ColCount() - 1));
}

Integer TCustomGrid::VisibleRowCount() const {
  const Integer lw = FGridLineWidth;
  const Int64 end = FRows.Offset(FTopLeft.Y, lw) + ClientRect().Height() - FixedHeight();
  Integer i = FRows.IndexAt(std::max<Int64>(0, end), lw);
  if (i < RowCount() && FRows.Offset(i + 1, lw) <= end) ++i;
  return std::max(0, std::min(i, RowCount()) - FTopLeft.Y);
}

Integer TCustomGrid::VisibleColCount() const {
  const Integer lw = FGridLineWidth;
  const Int64 end = FCols.Offset(FTopLeft.X, lw) + ClientRect().Width() - FixedWidth();
  Integer i = FCols.IndexAt(std::max<Int64>(0, end), lw);
  if (i < ColCount() && FCols.Offset(i + 1, lw) <= end) ++i;
  return std::max(0, std::min(i, ColCount()) - FTopLeft.X);
}

Integer TCustomGrid::LastVisibleRow() const {
  const Integer lw = FGridLineWidth;
  const Int64 end = FRows.Offset(FTopLeft.Y, lw) + ClientRect().Height() - FixedHeight();
  return std::min(RowCount() - 1, FRows.IndexAt(std::max<Int64>(0, end - 1), lw));
}

Integer TCustomGrid::LastVisibleCol() const {
  const Integer lw = FGridLineWidth;
  const Int64 end = FCols.Offset(FTopLeft.X, lw) + ClientRect().Width() - FixedWidth();
  return std::min(ColCount() - 1, FCols.IndexAt(std::max<Int64>(0, end - 1), lw));
}

// [position] -----------------------------------------------------------------------------------------------
void TCustomGrid::UpdateScrollBars() {
  // Showing one bar narrows the client area, which may call for the other: settle in two rounds.
  for (int round = 0; round < 2; ++round) {
    const Integer maxTop = MaxTopRow(), maxLeft = MaxLeftCol();
    SetScrollInfo(sbVertical, FFixedRows, RowCount() - 1, RowCount() - maxTop, FTopLeft.Y);
    SetScrollInfo(sbHorizontal, FFixedCols, ColCount() - 1, ColCount() - maxLeft, FTopLeft.X);
  }
}

void TCustomGrid::ClampPosition() {
  const TGridCoord old = FTopLeft;
  UpdateScrollBars();
  FTopLeft.X = std::clamp(FTopLeft.X, FFixedCols, std::max(FFixedCols, MaxLeftCol()));
  FTopLeft.Y = std::clamp(FTopLeft.Y, FFixedRows, std::max(FFixedRows, MaxTopRow()));
  FTopLeft.X = std::min(FTopLeft.X, ColCount() - 1);
  FTopLeft.Y = std::min(FTopLeft.Y, RowCount() - 1);
  auto inData = [this](TGridCoord& c) {
    c.X = std::clamp(c.X, std::min(FFixedCols, ColCount() - 1), ColCount() - 1);
    c.Y = std::clamp(c.Y, std::min(FFixedRows, RowCount() - 1), RowCount() - 1);
  };
  inData(FCurrent);
  inData(FAnchor);
  UpdateScrollBars();
  if (!(old == FTopLeft)) TopLeftChanged();
}

void TCustomGrid::MoveTopLeft(Integer ALeft, Integer ATop) {
  ALeft = std::clamp(ALeft, FFixedCols, std::max(FFixedCols, MaxLeftCol()));
  ATop = std::clamp(ATop, FFixedRows, std::max(FFixedRows, MaxTopRow()));
  if (ALeft == FTopLeft.X && ATop == FTopLeft.Y) return;
  FTopLeft = {ALeft, ATop};
  UpdateScrollBars();
  PlaceEditor();
  Invalidate();
  TopLeftChanged();
}

void TCustomGrid::SetTopRow(Integer v) { MoveTopLeft(FTopLeft.X, v); }
void TCustomGrid::SetLeftCol(Integer v) { MoveTopLeft(v, FTopLeft.Y); }
void TCustomGrid::SetRow(Integer v) { FocusCell(FCurrent.X, v, true); }
void TCustomGrid::SetCol(Integer v) { FocusCell(v, FCurrent.Y, true); }

TGridRect TCustomGrid::Selection() const {
  TGridRect g{std::min(FAnchor.X, FCurrent.X), std::min(FAnchor.Y, FCurrent.Y), std::max(FAnchor.X, FCurrent.X),
              std::max(FAnchor.Y, FCurrent.Y)};
  if (FOptions & goRowSelect) {
    g.Left = FFixedCols;
    g.Right = ColCount() - 1;
  }
  return g;
}

void TCustomGrid::SetSelection(const TGridRect& Value) {
  const TGridRect old = Selection();
  HideEditor();
  FCurrent = {Value.Left, Value.Top};
  FAnchor = {Value.Right, Value.Bottom};
  // Out-of-range selections are kept as given: components park the selection outside the data.
  InvalidateBlock(old);
  InvalidateBlock(Selection());
}

void TCustomGrid::ScrollToCell(Integer ACol, Integer ARow) {
  Integer left = FTopLeft.X, top = FTopLeft.Y;
  if (ARow >= FFixedRows) {
    if (ARow < top) top = ARow;
    else {
      const Integer lw = FGridLineWidth;
      const Int64 avail = ClientRect().Height() - FixedHeight();
      // The lowest top row that still shows ARow wholly.
      const Int64 need = FRows.Offset(ARow + 1, lw) - avail;
      if (FRows.Offset(top, lw) < need) {
        Integer t = FRows.IndexAt(need, lw);
        if (t < RowCount() && FRows.Offset(t, lw) < need) ++t;
        top = std::min(t, ARow);
      }
    }
  }
  if (ACol >= FFixedCols && !(FOptions & goRowSelect)) {
    if (ACol < left) left = ACol;
    else {
      const Integer lw = FGridLineWidth;
      const Int64 avail = ClientRect().Width() - FixedWidth();
      const Int64 need = FCols.Offset(ACol + 1, lw) - avail;
      if (FCols.Offset(left, lw) < need) {
        Integer l = FCols.IndexAt(need, lw);
        if (l < ColCount() && FCols.Offset(l, lw) < need) ++l;
        left = std::min(l, ACol);
      }
    }
  }
  MoveTopLeft(left, top);
}

void TCustomGrid::MoveColRow(Integer ACol, Integer ARow, bool MoveAnchor, bool Show) {
  ACol = std::clamp(ACol, std::min(FFixedCols, ColCount() - 1), ColCount() - 1);
  ARow = std::clamp(ARow, std::min(FFixedRows, RowCount() - 1), RowCount() - 1);
  const bool moves = ACol != FCurrent.X || ARow != FCurrent.Y;
  if (moves && !SelectCell(ACol, ARow)) return;
  if (moves) HideEditor();
  const TGridRect old = Selection();
  FCurrent = {ACol, ARow};
  if (MoveAnchor || !(FOptions & goRangeSelect)) FAnchor = FCurrent;
  InvalidateBlock(old);
  InvalidateBlock(Selection());
  if (Show) ScrollToCell(ACol, ARow);
  if (moves) UpdateEditor();
}

void TCustomGrid::FocusCell(Integer ACol, Integer ARow, bool MoveAnchor) { MoveColRow(ACol, ARow, MoveAnchor, true); }

void TCustomGrid::MoveRow(Integer FromIndex, Integer ToIndex) {
  if (FromIndex == ToIndex || FromIndex < 0 || ToIndex < 0 || FromIndex >= RowCount() || ToIndex >= RowCount()) return;
  HideEditor();
  FRows.Move(FromIndex, ToIndex);
  FCurrent.Y = MovedIndex(FCurrent.Y, FromIndex, ToIndex);
  FAnchor.Y = MovedIndex(FAnchor.Y, FromIndex, ToIndex);
  Invalidate();
  RowMoved(FromIndex, ToIndex);
}

void TCustomGrid::MoveColumn(Integer FromIndex, Integer ToIndex) {
  if (FromIndex == ToIndex || FromIndex < 0 || ToIndex < 0 || FromIndex >= ColCount() || ToIndex >= ColCount()) return;
  HideEditor();
  FCols.Move(FromIndex, ToIndex);
  FCurrent.X = MovedIndex(FCurrent.X, FromIndex, ToIndex);
  FAnchor.X = MovedIndex(FAnchor.X, FromIndex, ToIndex);
  Invalidate();
  ColumnMoved(FromIndex, ToIndex);
}

// [painting] -----------------------------------------------------------------------------------------------
namespace {

// A grid line gap filled with its colour.
void FillGap(TCanvas* c, const TRect& r, TColor color) {
  if (r.IsEmpty()) return;
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(color);
  c->FillRect(r);
}

// Top to bottom from one colour to the other, a line at a time.
void FillGradient(TCanvas* c, const TRect& r, TColor from, TColor to) {
  if (r.IsEmpty()) return;
  const TColor a = ColorToRGB(from), b = ColorToRGB(to);
  const Integer h = r.Height();
  for (Integer y = 0; y < h; ++y) {
    auto mix = [&](int shift) {
      const Integer ca = Integer((a >> shift) & 0xFF), cb = Integer((b >> shift) & 0xFF);
      return TColor(ca + (cb - ca) * y / std::max(1, h - 1)) << shift;
    };
    FillGap(c, Rect(r.Left, r.Top + y, r.Right, r.Top + y + 1), mix(0) | mix(8) | mix(16));
  }
}

}  // namespace

// Themed and gradient fixed cells are flat: a shadow line at their right and bottom parts them.
void TCustomGrid::PaintFixedCell(TCanvas* C, const TRect& Cell) {
  C->Pen()->SetWidth(1);
  C->Pen()->SetColor(clBtnShadow);
  C->MoveTo(Cell.Left, Cell.Bottom - 1);
  C->LineTo(Cell.Right - 1, Cell.Bottom - 1);
  C->LineTo(Cell.Right - 1, Cell.Top - 1);
}

// Where a dragged row or column would land: a bar along the edge it would take.
void TCustomGrid::PaintMoveMark(TCanvas* C) {
  if ((FGridState != gsRowMoving && FGridState != gsColMoving) || FMovePos == FMoveIndex) return;
  const bool rows = FGridState == gsRowMoving;
  Integer a, b;
  if (!(rows ? RowSpan(FMovePos, a, b) : ColSpan(FMovePos, a, b))) return;
  const Integer at = FMovePos > FMoveIndex ? b : a - 1;
  const TRect ca = ClientRect();
  FillGap(C, rows ? Rect(ca.Left, at - 1, ca.Right, at + 1) : Rect(at - 1, ca.Top, at + 1, ca.Bottom), clHighlight);
}

void TCustomGrid::Paint() {
  TCanvas* c = Canvas();
  const TRect ca = ClientRect();
  const TRect clip = c->ClipRect();
  const Integer lw = FGridLineWidth;
  const TGridRect sel = Selection();
  const bool focused = Focused();
  // Only the rows and columns that are on screen (and in the area being repainted) are visited.
  std::vector<Integer> rows, cols;
  for (Integer r = 0; r < FFixedRows; ++r) rows.push_back(r);
  for (Integer r = FTopLeft.Y, last = LastVisibleRow(); r <= last; ++r) rows.push_back(r);
  for (Integer k = 0; k < FFixedCols; ++k) cols.push_back(k);
  for (Integer k = FTopLeft.X, last = LastVisibleCol(); k <= last; ++k) cols.push_back(k);
  Integer right = ca.Left, bottom = ca.Top;
  for (Integer r : rows) {
    Integer t, b;
    if (!RowSpan(r, t, b)) continue;
    bottom = std::max(bottom, b + lw);
    if (b + lw <= clip.Top || t >= clip.Bottom) continue;
    for (Integer k : cols) {
      Integer l, rr;
      if (!ColSpan(k, l, rr)) continue;
      right = std::max(right, rr + lw);
      if (rr + lw <= clip.Left || l >= clip.Right) continue;
      const bool fixed = FixedCell(k, r);
      if (lw > 0) {
        const bool vline = fixed ? (FOptions & goFixedVertLine) : (FOptions & goVertLine);
        const bool hline = fixed ? (FOptions & goFixedHorzLine) : (FOptions & goHorzLine);
        const TColor lc = fixed ? clBlack : clSilver;
        FillGap(c, Rect(rr, t, rr + lw, b + lw), vline ? lc : Color());
        FillGap(c, Rect(l, b, rr, b + lw), hline ? lc : Color());
      }
      const TRect cell = Rect(l, t, rr, b);
      TGridDrawState st;
      if (fixed) st |= gdFixed;
      const bool isCurrent = k == FCurrent.X && r == FCurrent.Y;
      if (!fixed && sel.Contains(k, r)) st |= gdSelected;
      if (isCurrent && focused) st |= gdFocused;
      if (FDefaultDrawing) {
        c->Brush()->SetStyle(bsSolid);
        c->Font()->Assign(Font());
        if (fixed) c->Brush()->SetColor(FFixedColor);
        else if ((st & gdSelected) && (!(st & gdFocused) || (FOptions & goDrawFocusSelected) || (FOptions & goRowSelect))) {
          c->Brush()->SetColor(clHighlight);
          c->Font()->SetColor(clHighlightText);
        } else c->Brush()->SetColor(Color());
        if (fixed && FDrawingStyle == gdsGradient) FillGradient(c, cell, FGradientStartColor, FGradientEndColor);
        else c->FillRect(cell);
      }
      DrawCell(k, r, cell, st);
      if (FDefaultDrawing) {
        if (fixed && FDrawingStyle != gdsClassic) {
          PaintFixedCell(c, cell);
        } else if (fixed && Ctl3D()) {
          TRect edge = cell;
          DrawEdge(c, edge, BDR_RAISEDINNER, BF_RECT);
        }
        if (isCurrent && focused && !fixed && !(FOptions & goRowSelect) && !EditorMode()) c->DrawFocusRect(cell);
      }
    }
  }
  // What lies beyond the last column and below the last row.
  FillGap(c, Rect(std::max(right, ca.Left), ca.Top, ca.Right, ca.Bottom), Color());
  FillGap(c, Rect(ca.Left, std::max(bottom, ca.Top), std::min(right, ca.Right), ca.Bottom), Color());
  PaintMoveMark(c);
}

void TCustomGrid::DrawCell(Integer, Integer, const TRect&, TGridDrawState) {}

// [invalidation] -------------------------------------------------------------------------------------------
void TCustomGrid::InvalidateArea(const TRect& r) {
  if (r.IsEmpty()) return;
  // The form keeps the rectangle: a changed cell repaints that cell, not the grid.
  InvalidateRect(r);
}

void TCustomGrid::InvalidateBlock(const TGridRect& g) {
  const Integer lastRow = std::min(g.Bottom, LastVisibleRow()), lastCol = std::min(g.Right, LastVisibleCol());
  TRect area{};
  bool any = false;
  auto add = [&](Integer k, Integer r) {
    const TRect cell = CellRect(k, r);
    if (cell.IsEmpty()) return;
    const TRect withLines = Rect(cell.Left, cell.Top, cell.Right + FGridLineWidth, cell.Bottom + FGridLineWidth);
    area = any ? Rect(std::min(area.Left, withLines.Left), std::min(area.Top, withLines.Top),
                      std::max(area.Right, withLines.Right), std::max(area.Bottom, withLines.Bottom))
               : withLines;
    any = true;
  };
  // The block's visible corners bound it; no hidden row is looked at.
  const Integer r0 = std::max(g.Top, g.Top < FFixedRows ? g.Top : FTopLeft.Y);
  const Integer c0 = std::max(g.Left, g.Left < FFixedCols ? g.Left : FTopLeft.X);
  if (r0 > lastRow || c0 > lastCol) return;
  add(c0, r0);
  add(lastCol, lastRow);
  if (any) InvalidateArea(area);
}

void TCustomGrid::InvalidateCell(Integer ACol, Integer ARow) { InvalidateBlock({ACol, ARow, ACol, ARow}); }

void TCustomGrid::InvalidateRows(Integer First, Integer Last) {
  InvalidateBlock({0, std::max(0, First), ColCount() - 1, std::min(Last, RowCount() - 1)});
}

void TCustomGrid::InvalidateCol(Integer ACol) { InvalidateBlock({ACol, 0, ACol, RowCount() - 1}); }

// [drawgrid] -----------------------------------------------------------------------------------------------
TCustomDrawGrid::TCustomDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}

void TCustomDrawGrid::DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) {
  if (FOnDrawCell) FOnDrawCell(this, ACol, ARow, ARect, AState);
}

bool TCustomDrawGrid::SelectCell(Integer ACol, Integer ARow) {
  bool can = true;
  if (FOnSelectCell) FOnSelectCell(this, ACol, ARow, can);
  return can;
}

void TCustomDrawGrid::TopLeftChanged() {
  TCustomGrid::TopLeftChanged();
  if (FOnTopLeftChanged) FOnTopLeftChanged(this);
}

String TCustomDrawGrid::GetEditText(Integer ACol, Integer ARow) {
  String s;
  if (FOnGetEditText) FOnGetEditText(this, ACol, ARow, s);
  return s;
}

void TCustomDrawGrid::SetEditText(Integer ACol, Integer ARow, const String& Value) {
  if (FOnSetEditText) FOnSetEditText(this, ACol, ARow, Value);
}

TEditStyle TCustomDrawGrid::GetEditStyle(Integer ACol, Integer ARow) {
  TEditStyle s = esSimple;
  if (FOnGetEditStyle) FOnGetEditStyle(this, ACol, ARow, s);
  return s;
}

void TCustomDrawGrid::GetPickListItems(Integer ACol, Integer ARow, TStrings* Items) {
  if (FOnGetPickListItems) FOnGetPickListItems(this, ACol, ARow, Items);
}

void TCustomDrawGrid::EditButtonClick() {
  if (FOnEditButtonClick) FOnEditButtonClick(this);
}

String TCustomDrawGrid::GetEditMask(Integer ACol, Integer ARow) {
  String s;
  if (FOnGetEditMask) FOnGetEditMask(this, ACol, ARow, s);
  return s;
}

void TCustomDrawGrid::RowMoved(Integer FromIndex, Integer ToIndex) {
  if (FOnRowMoved) FOnRowMoved(this, FromIndex, ToIndex);
}

void TCustomDrawGrid::ColumnMoved(Integer FromIndex, Integer ToIndex) {
  if (FOnColumnMoved) FOnColumnMoved(this, FromIndex, ToIndex);
}

const TClassInfo& TCustomGrid::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TCustomGrid>(&TCustomControl::ClassInfo());
  return info;
}

const TClassInfo& TCustomDrawGrid::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TCustomDrawGrid>(&TCustomGrid::ClassInfo());
  return info;
}

const TClassInfo& TDrawGrid::ClassInfo() {
  using T = TDrawGrid;
  static const TClassInfo info =
      TClassBuilder<T>(&TCustomDrawGrid::ClassInfo())
          .Prop("ColCount", &T::ColCount, &T::SetColCount, Integer(5))
          .Prop("RowCount", &T::RowCount, &T::SetRowCount, Integer(5))
          .Prop("FixedCols", &T::FixedCols, &T::SetFixedCols, Integer(1))
          .Prop("FixedRows", &T::FixedRows, &T::SetFixedRows, Integer(1))
          .Prop("DefaultColWidth", &T::DefaultColWidth, &T::SetDefaultColWidth, Integer(64))
          .Prop("DefaultRowHeight", &T::DefaultRowHeight, &T::SetDefaultRowHeight, Integer(24))
          .Prop("DefaultDrawing", &T::DefaultDrawing, &T::SetDefaultDrawing, true)
          .Prop("GridLineWidth", &T::GridLineWidth, &T::SetGridLineWidth, Integer(1))
          .Prop("Options", &T::Options, &T::SetOptions,
                goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect)
          .Prop("FixedColor", &T::FixedColor, &T::SetFixedColor, clBtnFace)
          .Prop("DrawingStyle", &T::DrawingStyle, &T::SetDrawingStyle, gdsClassic)
          .Prop("GradientStartColor", &T::GradientStartColor, &T::SetGradientStartColor, clWhite)
          .Prop("GradientEndColor", &T::GradientEndColor, &T::SetGradientEndColor, clBtnFace)
          .Prop("ScrollBars", &T::ScrollBars, &T::SetScrollBars, ssBoth)
          .Prop("BorderStyle", &T::BorderStyle, &T::SetBorderStyle, bsSingle)
          .Prop("Color", &T::Color, &T::SetColor, clWindow)
          .Prop("Enabled", &T::Enabled, &T::SetEnabled, true)
          .Prop("Font", &T::Font, &T::SetFont)
          .Prop("TabStop", &T::TabStop, &T::SetTabStop, true)
          .Prop("Visible", &T::Visible, &T::SetVisible, true)
          .Event("OnDrawCell")
          .Event("OnSelectCell")
          .Event("OnGetEditText")
          .Event("OnSetEditText")
          .Event("OnGetEditMask")
          .Event("OnRowMoved")
          .Event("OnColumnMoved")
          .Event("OnTopLeftChanged")
          .Event("OnClick")
          .Event("OnDblClick")
          .Event("OnKeyDown")
          .Event("OnKeyPress")
          .Event("OnMouseDown")
          .Event("OnMouseUp")
          .Publish(ControlProperties(), pgBounds)
          .Publish(ControlProperties(), pgFont)
          .Publish(ControlProperties(), pgHint)
          .Publish(ControlProperties(), {"Align", "Anchors", "ParentColor", "PopupMenu", "StyleElements", "TabOrder"})
          .Publish(ControlProperties(), pgMouseEvents)
          .Publish(ControlProperties(), pgKeyEvents);
  return info;
}

}  // namespace jox
