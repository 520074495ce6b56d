// Paint: margins, bar area, picture, bar, grid, frames and value text into one off-screen bitmap,
// copied to the control in one step.
// Sections: [colour index] [paint] [bar] [frames] [text]
#include <algorithm>
#include <cmath>
#include <numbers>

#include "package/numtext.h"
#include "package/rounding.h"
#include "package/paintbuffer.h"
#include "package/painting.h"
#include "progbar/progbar.h"
#include "package/core/drawing.h"

namespace jox {

namespace {

// Bar lengths beyond this cannot show on any control; keeping them there keeps the sums in range.
constexpr double kLengthLimit = 1 << 30;
// Margins beyond this leave no area on any control; the same for them.
constexpr Integer kMarginLimit = 1 << 20;

Integer Margin(Integer V) { return std::clamp(V, -kMarginLimit, kMarginLimit); }

}  // namespace

// [colour index] -----------------------------------------------------------------------------
Integer ProgBarColorIndex(TColorMapping Mode, Integer K, Integer Length, Integer Span) {
  constexpr double top = TProgBar::ColorTableSize - 1;
  double i = 0;
  switch (Mode) {
    case cgmCover:
      if (Span != 0) i = std::nearbyint(top * K / Span);
      break;
    case cgmStretch:
      if (Length != 0) i = std::nearbyint(top * K / Length);
      break;
    case cgmMove:
      if (Span != 0) i = std::nearbyint(top * K / Span) - std::nearbyint(top * (double(Length) - 1) / Span) + top;
      break;
  }
  return Integer(std::clamp(i, 0.0, top));
}

// [paint] ----------------------------------------------------------------------------------
void TProgBar::Paint() {
  if (!Visible() && !Designing()) return;
  const Integer W = Width(), H = Height();
  if (W <= 0 || H <= 0) return;
  const TRect area = Rect(Margin(FMarginLeft), Margin(FMarginTop), W - Margin(FMarginRight), H - Margin(FMarginBottom));
  TPaintBuffer buf(this);
  TCanvas* C = buf.Canvas();

  SetPenAndBrush(C, FColorMargin);
  C->Rectangle(0, 0, W, H);
  SetPenAndBrush(C, FColorBakG);
  C->Rectangle(area);
  if (!FBakGndFile.empty()) {
    try {
      C->StretchDraw(area, AuxBmp.get());
    } catch (const std::exception&) {
      C->Rectangle(area);
    }
  }

  PaintBar(C);
  PaintFrame(C, FInnerFrameSt, area.Left, area.Top, area.Right, area.Bottom);
  PaintFrame(C, FOuterFrameSt, 0, 0, W, H);
  if (FShowValue) PaintText(C);
  buf.Flush();
}

// [bar] ------------------------------------------------------------------------------------
// Position K of the bar counts from its base: the left edge (dirRight), the right edge (dirLeft),
// the bottom (dirUp) or the top (dirDown) of the area. Right and left bars draw columns, up and
// down bars rows.
void TProgBar::PaintBar(TCanvas* C) {
  const double range = FProgMax - FProgMin;
  if (range == 0) return;  // no fraction to show: no bar
  const double frac = (FProgValue - FProgMin) / range;
  if (!std::isfinite(frac)) return;

  const Integer W = Width(), H = Height();
  const Integer ML = Margin(FMarginLeft), MR = Margin(FMarginRight), MT = Margin(FMarginTop),
                MB = Margin(FMarginBottom);
  const bool columns = FDirection == dirRight || FDirection == dirLeft;
  const Integer span = columns ? W - ML - MR : H - MT - MB;
  const Integer length = Integer(std::clamp(std::nearbyint(span * frac), -kLengthLimit, kLengthLimit));
  // What lies past the control is clipped anyway; no need to walk it.
  const Integer shown = std::min(length, columns ? W : H);

  // The line of the bar at position K.
  auto draw = [&](Int64 K) {
    const Integer k = Integer(K);
    switch (FDirection) {
      case dirRight: DrawLines(C, {{ML + k, MT}, {ML + k, H - MB}}); break;
      case dirLeft: DrawLines(C, {{W - MR - 1 - k, MT}, {W - MR - 1 - k, H - MB}}); break;
      case dirUp: DrawLines(C, {{ML, H - MB - 1 - k}, {W - MR, H - MB - 1 - k}}); break;
      case dirDown: DrawLines(C, {{ML, MT + k}, {W - MR, MT + k}}); break;
    }
  };

  if (shown > 0) {
    if (FColorGrad) {
      for (Integer k = 0; k < shown; ++k) {
        C->Pen()->SetColor(FBarColorArray[size_t(ProgBarColorIndex(FColorMapMode, k, length, span))]);
        draw(k);
      }
    } else {
      SetPenAndBrush(C, FBarColorArray[0]);
      switch (FDirection) {
        case dirRight: C->Rectangle(ML, MT, ML + shown, H - MB); break;
        case dirLeft: C->Rectangle(W - MR - shown, MT, W - MR, H - MB); break;
        case dirUp: C->Rectangle(ML, H - MB - shown, W - MR, H - MB); break;
        case dirDown: C->Rectangle(ML, MT, W - MR, MT + shown); break;
      }
    }
  }

  // Column bars take a line at the tip too, row bars stop at their last row.
  if (FGridDist > 1) {
    C->Pen()->SetColor(FColorGrid);
    const Int64 last = std::min<Int64>(columns ? length : length - 1, columns ? W : H);
    for (Int64 k = 0; k <= last; k += FGridDist) draw(k);
  }
}

// [frames] ---------------------------------------------------------------------------------
void TProgBar::PaintFrame(TCanvas* C, TFrameStyle Style, Integer L, Integer T, Integer R, Integer B) {
  C->Brush()->SetStyle(bsClear);
  auto bevel = [&](TColor upperLeft, TColor lowerRight) {
    DrawLines(C, upperLeft, {{L + 1, B - 3}, {L + 1, T + 1}, {R - 1, T + 1}});
    DrawLines(C, lowerRight, {{L + 1, B - 1}, {R - 1, B - 1}, {R - 1, T}});
    C->Pen()->SetColor(FColGrayLine);
    C->Rectangle(L, T, R - 1, B - 1);
  };
  auto doubled = [&](TColor outer, TColor inner) {
    C->Pen()->SetColor(outer);
    C->Rectangle(L + 1, T + 1, R, B);
    C->Pen()->SetColor(inner);
    C->Rectangle(L, T, R - 1, B - 1);
  };
  switch (Integer(Style)) {
    case 1:
      C->Pen()->SetColor(FColGrayLine);
      C->Rectangle(L, T, R, B);
      return;
    case 2: bevel(FColBlackLine, FColWhiteLine); break;
    case 3: bevel(FColWhiteLine, FColBlackLine); break;
    case 4: doubled(FColGrayLine, FColWhiteLine); break;
    case 5: doubled(FColWhiteLine, FColGrayLine); break;
    default: return;
  }
  // The two corners where light meets shade take the margin's colour.
  C->SetPixels(L, B - 1, FColorMargin);
  C->SetPixels(R - 1, T, FColorMargin);
}

// [text] -----------------------------------------------------------------------------------
String TProgBar::ValueText() const {
  // -1 asks for exponent notation, which the formatter calls -2.
  Integer d = FTextDecPlaces;
  if (d == -1)
    d = -2;
  else if (d == -2)
    d = -1;
  return FormatReal(1, d, FProgValue);
}

void TProgBar::PaintText(TCanvas* C) {
  TLogFont lf;
  GetObject(C->Font()->Handle(), Integer(sizeof lf), &lf);
  lf.lfEscapement = lf.lfOrientation = FTextAngle * 10;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH;
  C->Font()->SetHandle(CreateFontIndirect(lf));
  C->Brush()->SetStyle(bsClear);

  String text = ValueText();
  if (FOnShowValue) FOnShowValue(this, text);
  const Integer m = C->TextWidth(text) / 2, t = C->TextHeight(text) / 2;
  const double a = FTextAngle * std::numbers::pi / 180, ca = std::cos(a), sa = std::sin(a);
  double dx, dy;
  switch (FAlignment) {
    case taLeftJustify:
      dx = -t * sa;
      dy = -t * ca;
      break;
    case taRightJustify:
      dx = -2 * m * ca - t * sa;
      dy = 2 * m * sa - t * ca;
      break;
    default:
      dx = -m * ca - t * sa;
      dy = m * sa - t * ca;
      break;
  }
  C->TextOut(FTextPosX + Integer(RoundHalfEven(dx)), FTextPosY + Integer(RoundHalfEven(dy)), text);
}

}  // namespace jox
