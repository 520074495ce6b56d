#include <utility>

#include "package/core/drawing.h"
#include "package/framework/graphics/graphics.h"

namespace jox {

namespace {

// Top and left edge in TopLeft, bottom and right edge (with both far corners) in BottomRight.
void Bevel(TCanvas* c, Integer l, Integer t, Integer r, Integer b, TColor TopLeft, TColor BottomRight) {
  if (r < l || b < t) return;
  TPen* pen = c->Pen();
  pen->SetColor(BottomRight);
  c->MoveTo(l, b);
  c->LineTo(r, b);
  c->LineTo(r, t - 1);
  pen->SetColor(TopLeft);
  c->MoveTo(l, b - 1);
  c->LineTo(l, t);
  c->LineTo(r, t);
}

void Outline(TCanvas* c, Integer l, Integer t, Integer r, Integer b, TColor color) {
  c->Pen()->SetColor(color);
  DrawRectangle(c, l, t, r, b);
}

}  // namespace

void SetPenAndBrush(TCanvas* Canvas, TColor Color) {
  Canvas->Pen()->SetColor(Color);
  Canvas->Brush()->SetColor(Color);
}

void DrawRectangle(TCanvas* Canvas, Integer Left, Integer Top, Integer Right, Integer Bottom) {
  if (!Canvas) return;
  if (Left > Right) std::swap(Left, Right);
  if (Top > Bottom) std::swap(Top, Bottom);
  if (Left == Right || Top == Bottom) {
    // A line or a point: LineTo leaves out its end, so draw one pixel further.
    Canvas->MoveTo(Left, Top);
    Canvas->LineTo(Left == Right ? Left : Right + 1, Top == Bottom ? Top : Bottom + 1);
    if (Left == Right && Top == Bottom) Canvas->SetPixels(Left, Top, ColorToRGB(Canvas->Pen()->Color()));
    return;
  }
  Canvas->MoveTo(Left, Top);
  Canvas->LineTo(Right, Top);
  Canvas->LineTo(Right, Bottom);
  Canvas->LineTo(Left, Bottom);
  Canvas->LineTo(Left, Top);
}

void DrawFrame(TCanvas* Canvas, TFrameStyle Style, Integer Left, Integer Top, Integer Right, Integer Bottom,
               TColor Highlight, TColor Light, TColor Shadow, TColor DarkShadow, TColor Border) {
  if (!Canvas || Style == fsNone) return;
  if (Left > Right) std::swap(Left, Right);
  if (Top > Bottom) std::swap(Top, Bottom);
  TPen* pen = Canvas->Pen();
  const TColor oldColor = pen->Color();
  const Integer oldWidth = pen->Width();
  const TPenStyle oldStyle = pen->Style();
  const TPenMode oldMode = pen->Mode();
  const TPoint oldPos = Canvas->PenPos();
  pen->SetWidth(1);
  pen->SetStyle(psSolid);
  pen->SetMode(pmCopy);
  switch (Style) {
    case fsSimple:
      Outline(Canvas, Left, Top, Right, Bottom, Border);
      break;
    case fsLowered:
      Bevel(Canvas, Left, Top, Right, Bottom, Shadow, Highlight);
      Bevel(Canvas, Left + 1, Top + 1, Right - 1, Bottom - 1, DarkShadow, Light);
      break;
    case fsRaised:
      Bevel(Canvas, Left, Top, Right, Bottom, Highlight, DarkShadow);
      Bevel(Canvas, Left + 1, Top + 1, Right - 1, Bottom - 1, Light, Shadow);
      break;
    case fsEmbossed:
    case fsEngraved: {
      const bool ridge = Style == fsEmbossed;
      Outline(Canvas, Left + 1, Top + 1, Right, Bottom, ridge ? Shadow : Highlight);
      Outline(Canvas, Left, Top, Right - 1, Bottom - 1, ridge ? Highlight : Shadow);
      break;
    }
    default:
      break;
  }
  pen->SetColor(oldColor);
  pen->SetWidth(oldWidth);
  pen->SetStyle(oldStyle);
  pen->SetMode(oldMode);
  Canvas->SetPenPos(oldPos);
}

}  // namespace jox
