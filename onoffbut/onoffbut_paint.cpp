// Paint: background, texts, picture and frame into an off-screen bitmap and, for the transparent look,
// into a mask (white where the parent shows through), then onto the control in one step.
#include <algorithm>

#include "onoffbut/onoffbut.h"
#include "package/paintbuffer.h"
#include "package/painting.h"
#include "package/core/drawing.h"

namespace jox {

namespace {

Integer AlignedX(TAlignment A, Integer Left, Integer Right, Integer Centre) {
  return A == taLeftJustify ? Left : A == taRightJustify ? Right : Centre;
}

}  // namespace

void TOnOffBut::WriteText(TCanvas* C, TCanvas* Mask, Integer X, Integer Y, const String& Text) {
  if (Text.empty()) return;
  if (FEnabled) {
    C->Font()->SetColor(FColorTxt);
    C->TextOut(X, Y, Text);
    Mask->TextOut(X, Y, Text);
    return;
  }
  DrawEngravedText(C, X, Y, Text);
  Mask->TextOut(X + 1, Y + 1, Text);
  Mask->TextOut(X, Y, Text);
}

void TOnOffBut::Paint() {
  if (!(Visible() || ComponentState().Contains(csDesigning))) return;
  const Integer W = Width(), H = Height();
  if (W <= 0 || H <= 0) return;
  TPaintBuffer buf(this);
  TBitmap& bmp = *buf.Bitmap();
  TCanvas* C = buf.Canvas();
  const Integer TH = SampleTextHeight(C);

  FMask->SetSize(W, H);
  TCanvas* Mk = FMask->Canvas();
  Mk->SetFont(Font());
  Mk->SetCopyMode(cmSrcCopy);
  Mk->Pen()->SetColor(clWhite);
  Mk->Brush()->SetStyle(bsSolid);
  Mk->Brush()->SetColor(clWhite);
  Mk->Rectangle(0, 0, W, H);
  Mk->Font()->SetColor(clBlack);

  const TColor back = FTransParent ? clBlack : FColorBakG;
  C->Pen()->SetColor(back);
  C->Brush()->SetColor(back);
  C->Rectangle(0, 0, W, H);

  // Texts: left, right, top, bottom.
  const Integer gw = FGlyphWidth, gh = FGlyphHeight, LS = FLeftSpace, TS = FTopSpace;
  const Integer midY = TS + (gh - TH) / 2;
  auto tw = [&](const String& s) { return C->TextWidth(s); };
  if (!FLeftText.empty()) {
    const Integer w = tw(FLeftText);
    WriteText(C, Mk, AlignedX(FLTAlignment, 4, LS - w - 3, (LS - w) / 2), midY, FLeftText);
  }
  if (!FRightText.empty()) {
    const Integer w = tw(FRightText);
    WriteText(C, Mk, AlignedX(FRTAlignment, LS + gw + 4, W - w - 4, (W - w - LS - gw) / 2 + LS + gw + 1), midY,
              FRightText);
  }
  if (!FTopText.empty()) {
    const Integer w = tw(FTopText);
    WriteText(C, Mk, AlignedX(FTTAlignment, 4, W - w - 4, LS + (gw - w) / 2), TS - TH - 4, FTopText);
  }
  if (!FBottomText.empty()) {
    const Integer w = tw(FBottomText);
    WriteText(C, Mk, AlignedX(FBTAlignment, 4, W - w - 4, LS + (gw - w) / 2), TS + gh + 4, FBottomText);
  }

  // The picture; its key-coloured pixels become background, the others opaque in the mask.
  TBitmap* P = FButImg[FOnOff][FEnabled].get();
  const TRect D = Rect(LS + 1, TS + 1, LS + 1 + P->Width(), TS + 1 + P->Height());
  Mk->Pen()->SetColor(clWhite);
  Mk->Brush()->SetColor(clWhite);
  Mk->Rectangle(D);
  C->SetCopyMode(cmSrcCopy);
  C->CopyRect(D, P->Canvas(), Rect(0, 0, P->Width(), P->Height()));
  const uint32_t key = ColorToPixel(KeyColor), fill = ColorToPixel(ColorToRGB(back)), black = ColorToPixel(clBlack);
  for (Integer y = std::max(D.Top, 0); y < std::min(D.Bottom, H); ++y) {
    uint32_t* row = bmp.ScanLine(y);
    uint32_t* mrow = FMask->ScanLine(y);
    for (Integer x = std::max(D.Left, 0); x < std::min(D.Right, W); ++x) {
      if (row[x] == key)
        row[x] = fill;
      else
        mrow[x] = black;
    }
  }

  // The keyboard's focus: a dotted rectangle just round the picture, opaque in the mask.
  if (Focused()) {
    const TRect F = Rect(D.Left - 1, D.Top - 1, D.Right + 1, D.Bottom + 1);
    C->DrawFocusRect(F);
    Mk->Brush()->SetColor(clBlack);
    Mk->FrameRect(F);
    Mk->Brush()->SetColor(clWhite);
  }

  DrawFrame(C, FFrameStyle, 0, 0, W - 1, H - 1, clWhite, clSilver, clGray, clBlack, clBlack);
  DrawFrame(Mk, FFrameStyle, 0, 0, W - 1, H - 1, clBlack, clBlack, clBlack, clBlack, clBlack);

  if (!FTransParent) {
    buf.Flush();
    return;
  }
  TCanvas* target = Canvas();
  target->SetCopyMode(cmSrcAnd);
  target->Draw(0, 0, FMask.get());
  target->SetCopyMode(cmSrcPaint);
  target->Draw(0, 0, &bmp);
  target->SetCopyMode(cmSrcCopy);
}

}  // namespace jox
