// Paint: the whole meter into one off-screen bitmap, copied to the control in one step.
// Sections: [helpers] [paint] [background] [bands] [scale] [caption] [needle] [cover] [lamps] [frame]
#include <cmath>
#include <numbers>

#include "meter/meter.h"
#include "package/paintbuffer.h"
#include "package/painting.h"
#include "package/core/drawing.h"

namespace jox {

// [helpers] ----------------------------------------------------------------------------------
namespace {

constexpr double kDegToRad = std::numbers::pi / 180;

struct TDial {
  double cx, cy, R;
  // The pixel at distance r on the drawing angle a (radians).
  TPoint At(double r, double a) const { return {RoundPix(cx + r * std::cos(a)), RoundPix(cy - r * std::sin(a))}; }
  // Q(a) of the bands and the arc: the radius rounded per axis.
  TPoint Q(double a) const {
    return {RoundPix(cx + std::nearbyint(R * std::cos(a))), RoundPix(cy - std::nearbyint(R * std::sin(a)))};
  }
};

}  // namespace

double TMeter::ThetaRad(double V) const {
  return MeterTheta({FMeterAngle, FMeterRadius, FMeterCenterX, FMeterCenterY}, Fraction(V)) * kDegToRad;
}

// [paint] ------------------------------------------------------------------------------------
void TMeter::Paint() {
  if (!(FMeterRadius > 0)) return;
  const Integer W = Width(), H = Height();
  TPaintBuffer buf(this, W, H);
  TCanvas* C = buf.Canvas();

  PaintBackground(C);
  if (FScaleBkVis) PaintBands(C);
  C->Brush()->SetStyle(bsClear);
  if (FScaleVis) PaintScale(C);
  PaintCaption(C);

  // The secondary needle lies under the primary one and is left to no handler.
  if (FNeedle2Layout->Visible()) PaintNeedle(C, *FNeedle2Layout, FValue2);
  bool needleDrawn = false;
  if (FOnBefDrawNeedle) FOnBefDrawNeedle(this, C, needleDrawn);
  if (!needleDrawn) PaintNeedle(C, *FNeedleLayout, FValue);

  PaintRims(C);
  PaintHub(C);
  PaintLamps(C);
  if (FOnMeterRendered) FOnMeterRendered(this, C);
  PaintFrame(C);

  buf.Flush();
}

// [background] -------------------------------------------------------------------------------
void TMeter::PaintBackground(TCanvas* C) {
  const Integer W = Width(), H = Height();
  TBitmap* img = AuxBGBmp.get();
  // An image that failed to load leaves the name set but nothing to draw.
  if (FBakGndFName.empty() || img->Empty()) {
    SetPenAndBrush(C, FColorBakG);
    C->Rectangle(0, 0, W, H);
    return;
  }
  const Integer iw = img->Width(), ih = img->Height();
  switch (FBGFillMode) {
    case bfStretch:
      C->StretchDraw(Rect(0, 0, W, H), img);
      break;
    case bfTile: {
      const Integer nx = (W - 1) / iw + 1, ny = (H - 1) / ih + 1;
      for (Integer i = 1; i <= nx; ++i)
        for (Integer j = 1; j <= ny; ++j) C->StretchDraw(Rect(iw * (i - 1), ih * (j - 1), iw * i, ih * j), img);
      break;
    }
    default:  // natural size on the canvas's initial black pen and white brush
      C->Rectangle(0, 0, W, H);
      C->StretchDraw(Rect(0, 0, iw, ih), img);
      break;
  }
}

// [bands] ------------------------------------------------------------------------------------
void TMeter::PaintBands(TCanvas* C) {
  const TDial d{double(FMeterCenterX), double(FMeterCenterY), FMeterRadius};
  const Integer cx = FMeterCenterX, cy = FMeterCenterY;
  const double A = FMeterAngle;
  const double aS = (A / 2 + 90) * kDegToRad, aE = (90 - A / 2) * kDegToRad;
  const double aL = ThetaRad(FLowThreshold), aH = ThetaRad(FHighThreshold);
  const Integer Ro = RoundPix(FMeterRadius + 4);
  const Integer Rb = RoundPix((100 - FScaleBakWidth) * FMeterRadius / 100);

  auto band = [&](TColor color, double from, double to) {
    SetPenAndBrush(C, color);
    if (std::fabs(from - to) <= 1e-6) return;  // an empty sector would come out as a full disc
    const TPoint p = d.Q(from), q = d.Q(to);
    C->Pie(cx - Ro, cy - Ro, cx + Ro + 1, cy + Ro, p.X, p.Y, q.X, q.Y);
  };
  band(FColorBakGLow, aL, aS);
  band(FColorBakGNorm, aH, aL);
  band(FColorBakGHigh, aE, aH);

  SetPenAndBrush(C, FColorBakG);
  C->Ellipse(cx - Rb, cy - Rb, cx + Rb + 1, cy + Rb);
}

// [scale] ------------------------------------------------------------------------------------
void TMeter::PaintScale(TCanvas* C) {
  const TDial d{double(FMeterCenterX), double(FMeterCenterY), FMeterRadius};
  const double R = FMeterRadius;
  const Integer cx = FMeterCenterX, cy = FMeterCenterY, Ri = RoundPix(R);

  C->Pen()->SetColor(FColorScale);
  C->Font()->SetColor(FColorScale);
  if (FScaleLine) {
    const double aS = (FMeterAngle / 2.0 + 90) * kDegToRad, aE = (90 - FMeterAngle / 2.0) * kDegToRad;
    const TPoint p = d.Q(aE), q = d.Q(aS);
    C->Arc(cx - Ri, cy - Ri, cx + Ri + 1, cy + Ri, p.X, p.Y, q.X, q.Y);
  }

  const TMeterTicks ticks = CalcMeterTicks(FMinValue, FMaxValue, FNrTicks, FLogarithmic, FShortTicks);
  for (double u : ticks.Minor) {
    const double a = ThetaRad(u);
    DrawLines(C, {d.At(R, a), d.At(R - 4, a)});
  }

  // Labels sit inside the ticks by half the widest label (the maximum's) plus 15 pixels.
  const String widest = MeterLabelText(FMaxValue, FDecPlaces);
  const double dx = C->TextWidth(widest) / 2.0 + 15, dy = C->TextHeight(widest) / 2.0 + 15;
  for (const TMeterTick& t : ticks.Major) {
    const double a = ThetaRad(t.Value);
    DrawLines(C, {d.At(R, a), d.At(R - 8, a)});
    if (!t.Labelled) continue;
    const Integer x = RoundPix(std::cos(a) * (R - dx) + cx), y = RoundPix(cy - std::sin(a) * (R - dy));
    String text = MeterLabelText(t.Value, FDecPlaces);
    if (FOnBefDrawScaleLabel)
      FOnBefDrawScaleLabel(this, C, text, x - C->TextWidth(text) / 2, y - C->TextHeight(text) / 2);
    if (!text.empty()) C->TextOut(x - C->TextWidth(text) / 2, y - C->TextHeight(text) / 2, text);
  }
}

// [caption] ----------------------------------------------------------------------------------
void TMeter::PaintCaption(TCanvas* C) {
  C->SetFont(FFontCaption.get());
  C->TextOut(FMeterCenterX - C->TextWidth(FCaption) / 2,
             FMeterCenterY - RoundPix(FMeterRadius / 3) - C->TextHeight(FCaption) / 2, FCaption);
}

// [needle] -----------------------------------------------------------------------------------
void TMeter::PaintNeedle(TCanvas* C, const TNeedleLayout& N, double V) {
  const double cx = FMeterCenterX, cy = FMeterCenterY;
  C->Brush()->SetStyle(bsSolid);
  const double L = N.PercentNeedleLength() * (FMeterRadius - 4) * 0.01;
  const double t = ThetaRad(V);
  const double ct = std::cos(t), st = std::sin(t);
  const Integer xt = RoundPix(ct * L + cx), yt = RoundPix(cy - st * L);
  const double alpha = N.HeadAngle() * kDegToRad;
  const double hx = st * N.Thickness() / 2.0, hy = ct * N.Thickness() / 2.0;
  const double head = N.HeadSize(), mid = N.HeadMidLeng();

  TPoint pts[7] = {
      {RoundPix(xt - std::cos(t + alpha / 2) * head), RoundPix(yt + std::sin(t + alpha / 2) * head)},
      {xt, yt},
      {RoundPix(xt - std::cos(t - alpha / 2) * head), RoundPix(yt + std::sin(t - alpha / 2) * head)},
      {RoundPix(xt - hx - ct * mid), RoundPix(yt - hy + st * mid)},
      {RoundPix(cx - hx), RoundPix(cy - hy)},
      {RoundPix(cx + hx), RoundPix(cy + hy)},
      {RoundPix(xt + hx - ct * mid), RoundPix(yt + hy + st * mid)},
  };
  auto shift = [&](double ddx, double ddy) {
    for (TPoint& p : pts) p = {RoundPix(p.X + ddx), RoundPix(p.Y + ddy)};
  };
  const Integer sdx = N.ShadowDx(), sdy = N.ShadowDy();
  shift(-double(sdx), -double(sdy));
  if (sdx != 0 || sdy != 0) {
    SetPenAndBrush(C, N.ShadowColor());
    C->Polygon(pts, 7);
    shift(sdx, sdy);
  }
  C->Pen()->SetColor(N.ColorOutline());
  C->Brush()->SetColor(N.ColorBody());
  C->Polygon(pts, 7);
}

// [cover] ------------------------------------------------------------------------------------
void TMeter::PaintRims(TCanvas* C) {
  const Integer W = Width(), H = Height();
  SetPenAndBrush(C, FColorCover);
  C->Rectangle(0, 0, FSRim - 1, H);  // one pixel narrower: the bevel's left line takes it
  C->Rectangle(0, 0, W, FTRim);
  C->Rectangle(W - FSRim, 0, W, H);
  C->Rectangle(0, H - FBRim, W, H);
}

void TMeter::PaintHub(TCanvas* C) {
  const Integer W = Width(), H = Height(), cx = FMeterCenterX, cy = FMeterCenterY, SA = FSizeAnchor;
  const Integer left = FSRim - 1, right = W - FSRim, top = FTRim, bottom = H - FBRim;
  auto bevel = [&] {
    C->Pen()->SetColor(clWhite);
    C->MoveTo(left, bottom);
    C->LineTo(right, bottom);
    C->LineTo(right, top);
    C->Pen()->SetColor(clGray);
    C->LineTo(left, top);
    C->LineTo(left, bottom);
  };

  if (!FAnchorCovrd) {
    bevel();
    return;
  }
  if (!FACoverFName.empty() && !AuxACBmp->Empty()) {
    bevel();
    const Integer iw = AuxACBmp->Width(), ih = AuxACBmp->Height();
    const TRect r = Bounds(cx - iw / 2, cy - ih / 2, iw, ih);
    C->SetCopyMode(cmSrcAnd);
    C->StretchDraw(r, AuxACMaskBmp.get());
    C->SetCopyMode(cmSrcPaint);
    C->StretchDraw(r, AuxACBmp.get());
    C->SetCopyMode(cmSrcCopy);
    return;
  }
  if (FMeterLayout == mlCirc270 || FMeterLayout == mlCirc300 || FMeterLayout == mlCirc360) {
    SetPenAndBrush(C, FColorCover);
    C->Ellipse(cx - SA, cy - SA, cx + SA, cy + SA);
    bevel();
    C->Pen()->SetColor(clWhite);  // upper-left half lit
    C->Arc(cx - SA, cy - SA, cx + SA, cy + SA, cx + SA, cy - SA, cx - SA, cy + SA);
    C->Pen()->SetColor(clGray);  // lower-right half shaded
    C->Arc(cx - SA, cy - SA, cx + SA, cy + SA, cx - SA, cy + SA, cx + SA, cy - SA);
    return;
  }
  // A half disc on a pedestal standing on the bottom rim, its outline woven into the bevel.
  SetPenAndBrush(C, FColorCover);
  C->Pie(cx - SA, cy - SA, cx + SA, cy + SA, W, cy, 0, cy);
  C->Rectangle(cx - SA, bottom, cx + SA, cy);
  C->Pen()->SetColor(clGray);
  C->MoveTo(cx + SA - 1, cy);
  C->LineTo(cx + SA - 1, bottom);
  C->Pen()->SetColor(clWhite);
  C->LineTo(right, bottom);
  C->LineTo(right, top);
  C->Pen()->SetColor(clGray);
  C->LineTo(left, top);
  C->LineTo(left, bottom);
  C->Pen()->SetColor(clWhite);
  C->LineTo(cx - SA, bottom);
  C->LineTo(cx - SA, cy - 1);
  C->Arc(cx - SA, cy - SA, cx + SA, cy + SA, W, cy, 0, cy);
  C->Pen()->SetColor(clGray);  // the first 45 degrees of the right side shaded
  C->Arc(cx - SA, cy - SA, cx + SA, cy + SA, cx + SA, cy, cx + SA, cy - SA);
}

// [lamps] ------------------------------------------------------------------------------------
void TMeter::PaintLamps(TCanvas* C) {
  const Integer T = FTRim;
  // A 10 x 10 lamp whose left edge is at X: black outline, white and silver lower-right bevel,
  // gray upper-left.
  auto lamp = [&](Integer X, bool lit) {
    C->Brush()->SetColor(lit ? FLimWatActCol : FLimWatPsvCol);
    C->Pen()->SetColor(clBlack);
    C->Rectangle(X, T + 18, X + 10, T + 8);
    C->Pen()->SetColor(clWhite);
    C->MoveTo(X + 1, T + 17);
    C->LineTo(X + 9, T + 17);
    C->LineTo(X + 9, T + 8);
    C->Pen()->SetColor(clSilver);
    C->MoveTo(X + 2, T + 16);
    C->LineTo(X + 8, T + 16);
    C->LineTo(X + 8, T + 9);
    C->Pen()->SetColor(clGray);
    C->MoveTo(X + 1, T + 16);
    C->LineTo(X + 1, T + 9);
    C->LineTo(X + 9, T + 9);
  };
  if (FLimWatHighOn) lamp(Width() - FSRim - 18, FOFL);
  if (FLimWatLowOn) lamp(FSRim + 8, FUFL);
}

// [frame] ------------------------------------------------------------------------------------
void TMeter::PaintFrame(TCanvas* C) {
  const Integer W = Width(), H = Height();
  const TColor gray = FColGrayLine, white = FColWhiteLine;
  C->Pen()->SetColor(FFrameStyle == 4 ? white : gray);
  auto outline = [&](TColor first, TColor second) {
    C->Pen()->SetColor(first);
    C->MoveTo(0, H - 1);
    C->LineTo(0, 0);
    C->LineTo(W - 1, 0);
    C->Pen()->SetColor(second);
    C->LineTo(W - 1, H - 1);
    C->LineTo(0, H - 1);
  };
  auto doubled = [&](TColor first, TColor second) {
    C->Pen()->SetColor(first);
    C->MoveTo(0, 0);
    C->LineTo(W - 2, 0);
    C->LineTo(W - 2, H - 2);
    C->LineTo(0, H - 2);
    C->LineTo(0, 0);
    C->Pen()->SetColor(second);
    C->MoveTo(1, H - 3);
    C->LineTo(1, 1);
    C->LineTo(W - 2, 1);
    C->MoveTo(1, H - 1);
    C->LineTo(W - 1, H - 1);
    C->LineTo(W - 1, 0);
  };
  switch (Integer(FFrameStyle)) {
    case 1: outline(FColorBakG, FColorBakG); break;
    case 2: outline(gray, white); break;   // sunken
    case 3: outline(white, gray); break;   // raised
    case 4: doubled(white, gray); break;
    case 5: doubled(gray, white); break;
    default: break;
  }
}

}  // namespace jox
