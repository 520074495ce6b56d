// TNumIO2 layout and painting. The whole control is drawn on an off-screen bitmap and copied to the
// canvas in one operation, so blinking and typing do not flicker.
// Sections: [layout] [parts] [paint]
#include <algorithm>
#include <cmath>
#include <memory>

#include "numio/numio2.h"
#include "numio/numio2_model.h"
#include "package/framework/graphics/drawedge.h"
#include "package/paintbuffer.h"
#include "package/painting.h"
#include "package/setters.h"

namespace jox {

// [layout] -------------------------------------------------------------------------------------------------
Integer TNumIO2::CharPosToXCoords(Integer N) {
  N = std::clamp(N, 0, Integer(FInBuffer.size()));
  TCanvas* c = Canvas();
  Integer tw = c->TextWidth(FInBuffer);
  Integer pw = c->TextWidth(FInBuffer.substr(0, size_t(N)));
  switch (FAlignment) {
    case taLeftJustify: return FLeftSpace + pw + 4;
    case taRightJustify: return FLeftSpace + FTextBoxWidth - tw - 2 + pw;
    default: return FLeftSpace + (FTextBoxWidth - tw) / 2 + 2 + pw;
  }
}

Integer TNumIO2::XCoordsToCharPos(Integer X) {
  const Integer len = Integer(FInBuffer.size());
  if (len == 0) return 0;
  Integer tw = Canvas()->TextWidth(FInBuffer);
  Integer a = std::max(tw / len, 1);  // a font too small for one pixel per character still maps
  Integer d;
  switch (FAlignment) {
    case taLeftJustify: d = X - FLeftSpace - 3; break;
    case taRightJustify: d = X + tw - FLeftSpace - FTextBoxWidth + 3; break;
    default: d = X - FLeftSpace - (FTextBoxWidth - tw) / 2 - 1; break;
  }
  d = std::clamp(d, 0, std::max(tw, 0));
  return std::min((d + a / 2) / a, len);
}

// [parts] --------------------------------------------------------------------------------------------------
void TNumIO2::DrawBoxFrame(TCanvas* C, Integer X1, Integer Y1, Integer X2, Integer Y2, bool F) {
  TPen* pen = C->Pen();
  if (FFrameStyle == fsNone)
    pen->SetColor(F ? FColorBoxBG : clSilver);
  else if (FFrameStyle == fsEmbossed)
    pen->SetColor(FColWhiteLine);
  else
    pen->SetColor(FColGrayLine);
  if (FFrameStyle == fsNone || FFrameStyle == fsSimple) {
    C->Rectangle(X1, Y1, X2, Y2);
    return;
  }
  C->Rectangle(X1, Y1, X2 - 1, Y2 - 1);
  TColor tl, br;
  switch (FFrameStyle) {
    case fsLowered: tl = FColBlackLine; br = FColWhiteLine; break;
    case fsRaised: tl = FColWhiteLine; br = FColBlackLine; break;
    case fsEmbossed: tl = br = FColGrayLine; break;
    case fsEngraved: tl = br = FColWhiteLine; break;
    default: return;
  }
  pen->SetColor(tl);
  DrawLines(C, {{X1 + 1, Y2 - 3}, {X1 + 1, Y1 + 1}, {X2 - 2, Y1 + 1}});
  pen->SetColor(br);
  DrawLines(C, {{X1 + 1, Y2 - 1}, {X2 - 1, Y2 - 1}, {X2 - 1, Y1}});
}

void TNumIO2::DrawLabel(TCanvas* C, Integer X, Integer Y, const String& S) {
  if (S.empty()) return;
  if (FEnabled) {
    C->Font()->SetColor(FColorOutText);
    C->Brush()->SetColor(FColorOutBG);
    C->TextOut(X, Y, S);
  } else {
    DrawEngravedText(C, X, Y, S);
  }
}

void TNumIO2::DrawButtons(TCanvas* C) {
  const Integer hb = FButHeight / 2;
  const Integer xb = FLeftSpace + FTextBoxWidth + FButSpace;
  const Integer bw = FButWidth;
  C->Pen()->SetColor(clGray);
  C->Brush()->SetColor(FButColor);
  C->Rectangle(xb, 0, xb + bw + 1, 2 * hb - 1);
  DrawLines(C, {{xb, hb - 1}, {xb + bw, hb - 1}});
  if (FBut3D) {
    C->Pen()->SetColor(clWhite);
    DrawLines(C, {{xb + 1, 2 * hb - 3}, {xb + 1, hb}, {xb + bw, hb}});
    DrawLines(C, {{xb + 1, hb - 2}, {xb + 1, 1}, {xb + bw, 1}});
    C->Pen()->SetColor(clBlack);
    DrawLines(C, {{xb + 1, 2 * hb - 1}, {xb + bw + 1, 2 * hb - 1}, {xb + bw + 1, 1}});
  }
  C->Pen()->SetColor(!FEnabled || FReadOnly ? clGray : clBlack);
  const Integer cx = xb + bw / 2;
  const Integer up = hb / 2, down = hb + hb / 2;
  // On a scaled form the arrows grow with the buttons (three rows of pixels each at 96 dpi).
  if (const double k = ControlScale(this); k != 1) {
    const TColor ink = C->Pen()->Color();
    const Integer size = ScaledMetric(k, 3);
    DrawArrow(C, Rect(xb + 1, 0, xb + bw + 1, hb - 1), adUp, size, ink);
    DrawArrow(C, Rect(xb + 1, hb, xb + bw + 1, 2 * hb - 1), adDown, size, ink);
    return;
  }
  DrawLines(C, {{cx, up - 1}, {cx + 2, up - 1}});
  DrawLines(C, {{cx - 1, up}, {cx + 3, up}});
  DrawLines(C, {{cx - 2, up + 1}, {cx + 4, up + 1}});
  DrawLines(C, {{cx, down}, {cx + 2, down}});
  DrawLines(C, {{cx - 1, down - 1}, {cx + 3, down - 1}});
  DrawLines(C, {{cx - 2, down - 2}, {cx + 4, down - 2}});
}

void TNumIO2::DrawFreezeBox(TCanvas* C, Integer FX) {
  const Integer top = FFreezeBoxTop, size = FFreezeBoxSize;
  C->Pen()->SetColor(clBlack);
  C->Brush()->SetColor(FEnabled ? FColorBoxBG : clSilver);
  DrawBoxFrame(C, FX, top, FX + size, top + size, FEnabled);
  if (FFreezeBoxChecked && ControlScale(this) != 1) {
    // The mark grows with the box on a scaled form.
    const double k = ControlScale(this);
    const Integer mark = ScaledMetric(k, 7);
    DrawCheckMark(C, FX + (size - mark) / 2, top + (size - mark) / 2, clBlack, k);
  } else if (FFreezeBoxChecked) {
    const Integer cx = FX + size / 2, cy = top + size / 2;
    C->Pen()->SetColor(clBlack);
    DrawLines(C, {{cx - 4, cy + 1}, {cx - 2, cy + 3}, {cx + 4, cy - 3}});
    DrawLines(C, {{cx - 3, cy + 1}, {cx - 1, cy + 3}, {cx + 5, cy - 3}});
  }
}

void TNumIO2::DrawGauge(TCanvas* C, Integer H) {
  const Integer l = FGaugeLeftMarg, w = FGaugeWidth;
  const Integer yt = H - FGaugeHeight - 1, yb = H - 1;
  C->Pen()->SetColor(FGaugeFrameSt == fsNone ? FGaugeColorBg : FGaugeColorFrm);
  C->Brush()->SetColor(FGaugeColorBg);
  C->Rectangle(l, yt, l + w, yb);

  // Long double keeps the fraction finite for ranges near the largest double.
  long double p = 1;
  if (FMaximum != FMinimum)
    p = ((long double)GetNioValue() - FMinimum) / ((long double)FMaximum - FMinimum);
  p = std::clamp<long double>(p, 0, 1);
  const TColor bar = !FEnabled || FReadOnly ? clGray : FGaugeColor;
  C->Pen()->SetColor(bar);
  C->Brush()->SetColor(bar);
  C->Rectangle(l, yt, l + Integer(numio2::RoundHalfEven(double(w * p))), yb);

  if (FGaugeFrameSt == fsNone) return;
  C->Pen()->SetColor(FGaugeFrameSt == fsSimple     ? FGaugeColorFrm
                     : FGaugeFrameSt == fsEmbossed ? FColWhiteLine
                                                   : FColGrayLine);
  C->Brush()->SetStyle(bsClear);
  C->Rectangle(l, yt, l + w, yb);

  TColor tl, br;
  switch (FGaugeFrameSt) {
    case fsLowered: tl = FColBlackLine; br = FColWhiteLine; break;
    case fsRaised: tl = FColWhiteLine; br = FColBlackLine; break;
    case fsEmbossed: tl = br = FColGrayLine; break;
    case fsEngraved: tl = br = FColWhiteLine; break;
    default: return;
  }
  C->Pen()->SetColor(tl);
  DrawLines(C, {{l + 1, yb - 2}, {l + 1, yt + 1}, {l + w - 1, yt + 1}});
  C->Pen()->SetColor(br);
  DrawLines(C, {{l + 1, yb}, {l + w, yb}, {l + w, yt}});
}

void TNumIO2::DrawInputBox(TCanvas* C, Integer H, Integer R, Integer TextY, Integer ClipBottom) {
  const double v = GetNioValue();
  const bool out = v < FMinimum || v > FMaximum;
  const bool grey = !FEnabled || FFreezeBoxChecked;
  C->Brush()->SetColor(grey ? clSilver : out ? FColorWarnBG : FColorBoxBG);
  DrawBoxFrame(C, FLeftSpace, 0, FLeftSpace + FTextBoxWidth + 2, H - R, FFreezeBoxChecked);
  if (FHideNumInEdi) return;

  const Integer tw = C->TextWidth(FInBuffer);
  const Integer cw = C->TextWidth(FInBuffer.substr(0, size_t(std::clamp<Integer>(FCaretPos, 0, Integer(FInBuffer.size())))));
  C->Font()->SetColor(grey ? clGray : out ? FColorWarnTxt : FColorBoxText);
  Integer x, co;
  // The caret stands on the insertion point (x + cw): in the gap before the next character,
  // not over the last pixel column of the previous one.
  switch (FAlignment) {
    case taLeftJustify:
      x = FLeftSpace + 4;
      break;
    case taRightJustify:
      x = FLeftSpace + FTextBoxWidth - tw - 2;
      break;
    default:
      x = FLeftSpace + (FTextBoxWidth - tw) / 2 + 2;
      break;
  }
  co = x - FLeftSpace + cw;
  C->TextRect(Rect(FLeftSpace + 3, 2, FLeftSpace + FTextBoxWidth - 1, ClipBottom), x, TextY, FInBuffer);

  // Only the focused field shows a caret: one drawn elsewhere until the first blink tick would
  // point typing at the wrong field.
  if (co > 0 && co < FTextBoxWidth && FCaretVisib && Focused()) {
    C->Pen()->SetColor(clBlack);
    DrawLines(C, {{FLeftSpace + co, 3}, {FLeftSpace + co, H - R - 3}});
  }
}

// [paint] --------------------------------------------------------------------------------------------------
void TNumIO2::Paint() {
  // While a form is read, AutoSize would fit the height to a font not read yet; Loaded invalidates.
  if (!(Visible() || (ComponentState() & csDesigning)) || FSuppressPaint || IsLoading(this)) return;
  const Integer r = GaugeReserve();
  TCanvas* own = Canvas();
  const Integer th = SampleTextHeight(own);
  const Integer textY = (Height() - r - th) / 2;
  const Integer clipBottom = Height() - r - 3;
  if (FAutoSize) {
    Integer h = own->TextHeight(u"E0") + 6;
    if (h != Height()) TControl::SetBounds(Left(), Top(), Width(), h);
  }
  const Integer w = Width(), h = Height();
  if (w <= 0 || h <= 0) return;

  TPaintBuffer buf(this, w, h);
  TCanvas* c = buf.Canvas();
  c->Pen()->SetColor(FColorOutBG);
  c->Brush()->SetColor(FColorOutBG);
  c->Rectangle(0, 0, w, h);

  // Left label.
  const Integer lw = c->TextWidth(FLeftText);
  Integer lx = FLTAlignment == taLeftJustify    ? 7
               : FLTAlignment == taRightJustify ? FLeftSpace - lw - 5
                                                : (FLeftSpace - lw) / 2;
  DrawLabel(c, lx, textY, FLeftText);

  const Integer s = FButVisible ? FButWidth + FButSpace : 0;
  if (FButVisible) DrawButtons(c);

  // Right label.
  const Integer rw = c->TextWidth(FRightText);
  const Integer rightStart = FLeftSpace + s + FTextBoxWidth;
  Integer rx = FRTAlignment == taLeftJustify    ? rightStart + 7
               : FRTAlignment == taRightJustify ? w - rw - 6
                                                : (w - (rightStart + rw)) / 2 + rightStart + 1;
  c->Brush()->SetColor(FColorOutBG);
  DrawLabel(c, rx, textY, FRightText);

  if (FFreezeBoxVisib) DrawFreezeBox(c, rightStart + FFreezeBoxLeft + 8);
  if (FGaugeVisib) DrawGauge(c, h);
  DrawInputBox(c, h, r, textY, clipBottom);

  if (FSelBegin < FSelEnd && (Focused() || !FHideSel)) {
    Integer x1 = std::clamp(CharPosToXCoords(FSelBegin), FLeftSpace, FLeftSpace + FTextBoxWidth);
    Integer x2 = std::clamp(CharPosToXCoords(FSelEnd), FLeftSpace, FLeftSpace + FTextBoxWidth);
    TRect sel = Rect(x1, 3, x2, h - r - 3);
    c->SetCopyMode(cmNotSrcCopy);
    c->CopyRect(sel, c, sel);
    c->SetCopyMode(cmSrcCopy);
  }

  buf.Flush();
}

}  // namespace jox
