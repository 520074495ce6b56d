// Classic edges and glyphs.
#include "package/framework/graphics/drawedge.h"

#include <algorithm>
#include <cmath>

namespace jox {

namespace {

void Line(TCanvas* c, TColor color, Integer l, Integer t, Integer r, Integer b) {
  c->Brush()->SetColor(color);
  c->FillRect(Rect(l, t, r, b));
}

// One ring of the edge: top-left in Light, bottom-right in Dark.
void Ring(TCanvas* c, TRect& r, Cardinal flags, TColor light, TColor dark) {
  if (r.IsEmpty()) return;
  if (flags & BF_TOP) Line(c, light, r.Left, r.Top, r.Right, r.Top + 1);
  if (flags & BF_LEFT) Line(c, light, r.Left, r.Top, r.Left + 1, r.Bottom);
  if (flags & BF_BOTTOM) Line(c, dark, r.Left, r.Bottom - 1, r.Right, r.Bottom);
  if (flags & BF_RIGHT) Line(c, dark, r.Right - 1, r.Top, r.Right, r.Bottom);
  if (flags & BF_LEFT) ++r.Left;
  if (flags & BF_TOP) ++r.Top;
  if (flags & BF_RIGHT) --r.Right;
  if (flags & BF_BOTTOM) --r.Bottom;
}

}  // namespace

void DrawEdge(TCanvas* Canvas, TRect& R, Cardinal Edge, Cardinal Flags) {
  TBrush saved;
  saved.Assign(Canvas->Brush());
  Canvas->Brush()->SetStyle(bsSolid);
  TRect r = R;
  if (Flags & BF_MONO) {
    if (Edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) Ring(Canvas, r, Flags, clWindowFrame, clWindowFrame);
  } else if (Flags & BF_FLAT) {
    if (Edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) Ring(Canvas, r, Flags, clBtnShadow, clBtnShadow);
  } else {
    if (Edge & BDR_RAISEDOUTER)
      Ring(Canvas, r, Flags, (Flags & BF_SOFT) ? clBtnHighlight : cl3DLight, cl3DDkShadow);
    else if (Edge & BDR_SUNKENOUTER)
      Ring(Canvas, r, Flags, clBtnShadow, (Flags & BF_SOFT) ? cl3DDkShadow : clBtnHighlight);
    if (Edge & BDR_RAISEDINNER)
      Ring(Canvas, r, Flags, (Flags & BF_SOFT) ? cl3DLight : clBtnHighlight, clBtnShadow);
    else if (Edge & BDR_SUNKENINNER)
      Ring(Canvas, r, Flags, cl3DDkShadow, (Flags & BF_SOFT) ? clBtnHighlight : cl3DLight);
  }
  if ((Flags & BF_MIDDLE) && !r.IsEmpty()) Line(Canvas, clBtnFace, r.Left, r.Top, r.Right, r.Bottom);
  Canvas->Brush()->Assign(&saved);
  if (Flags & BF_ADJUST) R = r;
}

void DrawArrow(TCanvas* Canvas, const TRect& R, TArrowDirection Dir, Integer Size, TColor Color) {
  if (Size <= 0) return;
  TBrush saved;
  saved.Assign(Canvas->Brush());
  Canvas->Brush()->SetColor(Color);
  const bool vertical = Dir == adUp || Dir == adDown;
  // The base is 2 * Size - 1 wide; centre the triangle's bounding box in R.
  const Integer bw = vertical ? 2 * Size - 1 : Size, bh = vertical ? Size : 2 * Size - 1;
  const Integer x0 = R.Left + (R.Width() - bw) / 2, y0 = R.Top + (R.Height() - bh) / 2;
  for (Integer i = 0; i < Size; ++i) {
    // Row i counted from the tip: 2 * i + 1 pixels long.
    switch (Dir) {
      case adUp: Canvas->FillRect(Rect(x0 + Size - 1 - i, y0 + i, x0 + Size + i, y0 + i + 1)); break;
      case adDown: Canvas->FillRect(Rect(x0 + Size - 1 - i, y0 + Size - 1 - i, x0 + Size + i, y0 + Size - i)); break;
      case adLeft: Canvas->FillRect(Rect(x0 + i, y0 + Size - 1 - i, x0 + i + 1, y0 + Size + i)); break;
      case adRight: Canvas->FillRect(Rect(x0 + Size - 1 - i, y0 + Size - 1 - i, x0 + Size - i, y0 + Size + i)); break;
    }
  }
  Canvas->Brush()->Assign(&saved);
}

void DrawDisabledArrow(TCanvas* Canvas, const TRect& R, TArrowDirection Dir, Integer Size) {
  DrawArrow(Canvas, Rect(R.Left + 1, R.Top + 1, R.Right + 1, R.Bottom + 1), Dir, Size, clBtnHighlight);
  DrawArrow(Canvas, R, Dir, Size, clBtnShadow);
}

namespace {
// The screen rectangle a rectangle of logical pixels covers at Scale, its edges rounded so that
// neighbouring pieces meet without gaps.
TRect ScaledPiece(Integer X, Integer Y, Integer L, Integer T, Integer R, Integer B, double Scale) {
  auto at = [Scale](Integer v) { return Integer(std::lround(v * Scale)); };
  return Rect(X + at(L), Y + at(T), X + at(R), Y + at(B));
}
}  // namespace

void DrawCheckMark(TCanvas* Canvas, Integer X, Integer Y, TColor Color, double Scale) {
  TBrush saved;
  saved.Assign(Canvas->Brush());
  Canvas->Brush()->SetColor(Color);
  // Three pixels thick: down from the left to the bottom, then up to the right.
  for (Integer i = 0; i < 7; ++i) {
    const Integer top = i < 3 ? 2 + i : 4 - (i - 2);
    Canvas->FillRect(ScaledPiece(X, Y, i, top, i + 1, top + 3, Scale));
  }
  Canvas->Brush()->Assign(&saved);
}

void DrawRadioDot(TCanvas* Canvas, Integer X, Integer Y, TColor Color, double Scale) {
  TBrush saved;
  saved.Assign(Canvas->Brush());
  Canvas->Brush()->SetColor(Color);
  Canvas->FillRect(ScaledPiece(X, Y, 1, 0, 5, 6, Scale));
  Canvas->FillRect(ScaledPiece(X, Y, 0, 1, 6, 5, Scale));
  Canvas->Brush()->Assign(&saved);
}

void DrawCaption(TCanvas* Canvas, const String& Text, TRect R, Cardinal Flags, bool Enabled) {
  const TBrushStyle style = Canvas->Brush()->Style();
  Canvas->Brush()->SetStyle(bsClear);
  const TColor fc = Canvas->Font()->Color();
  if (!Enabled) {
    TRect shifted = Rect(R.Left + 1, R.Top + 1, R.Right + 1, R.Bottom + 1);
    Canvas->Font()->SetColor(clBtnHighlight);
    Canvas->DrawText(Text, shifted, Flags);
    Canvas->Font()->SetColor(clBtnShadow);
  }
  Canvas->DrawText(Text, R, Flags);
  Canvas->Font()->SetColor(fc);
  Canvas->Brush()->SetStyle(style);
}

}  // namespace jox
