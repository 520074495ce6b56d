// Paint: the visible slides into one off-screen bitmap, copied to the control in one step; the focus
// highlight drawn straight on the control.
// Sections: [paint] [slide] [highlight]
#include <algorithm>
#include <cmath>

#include "thumbnails/thumbnails.h"
#include "package/core/drawing.h"

namespace jox {

namespace {

void SlideFrame(TCanvas* C, TFrameStyle Style, Integer L, Integer T, Integer R, Integer B) {
  DrawFrame(C, Style, L, T, R, B, clWhite, clSilver, clGray, clBlack, clBlack);
}

// Clears a flag when the scope ends, however it ends (a request handler may throw).
struct TWorkingFlag {
  bool& Flag;
  explicit TWorkingFlag(bool& F) : Flag(F) { Flag = true; }
  ~TWorkingFlag() { Flag = false; }
};

}  // namespace

// [paint] --------------------------------------------------------------------------------------------
void TThumbnails::Paint() {
  if (!(Visible() || ComponentState().Contains(csDesigning)) || FIsWorking) return;
  TWorkingFlag working(FIsWorking);
  const Integer W = Width(), H = Height();
  Canvas()->SetFont(Font());
  FPainted->Resize(W, H);
  FPaintedValid = true;
  TCanvas* C = FPainted->Canvas();
  C->SetFont(Font());
  C->SetCopyMode(cmSrcCopy);
  C->Pen()->SetStyle(psSolid);
  C->Pen()->SetWidth(1);
  SetPenAndBrush(C, FColorBG);
  C->Rectangle(0, 0, W, H);
  auto ownBuffer = std::make_unique<TBitmap>();
  TBitmap* img = ownBuffer.get();

  const Integer P = Pitch(), S = Side(), M = FSlideMargin;
  const Integer cols = std::max<Integer>((W + FSLideDist - 2 * Border) / P, 1);
  if (cols != FNumSldX) {
    FNumSldX = cols;
    SetFirstThumbIdx(FFirstThumbIx);  // its paint is skipped: this one goes on
  }
  FNumSldY = VisibleRows();
  const int64_t T = TopSlide();
  const Integer d = ScrollPixels();

  if (FOnFirstImgRequ) FOnFirstImgRequ(this);
  for (Integer i = 1; i <= FNumSldX; ++i) {
    for (Integer j = 1; j <= FNumSldY; ++j) {
      const int64_t s64 = int64_t(T) + int64_t(j - 1) * FNumSldX + i - 1;
      if (s64 < FMin || s64 > FMax) continue;
      const Integer s = Integer(s64);
      const Integer x = (i - 1) * P + Border, y = (j - 1) * P + FSLideDist - d + Border;
      const Integer x2 = x + S, y2 = y + S;

      TImageRequestProcessing how = irpShowEmpty;
      Integer mark = -1;
      if (FOnImageRequest) FOnImageRequest(this, s, how, mark, img);
      if (how != irpShowNothing) {
        SetPenAndBrush(C, SlideSelected(s) ? FColorSelected : FColorCover);
        C->Rectangle(x, y, x2 + 1, y2 + 1);
        SlideFrame(C, FOuterFrameStyle, x, y, x2, y2);
      }
      C->Pen()->SetColor(clBlack);
      if (how == irpShowEmpty) {
        C->Brush()->SetColor(clWhite);
        C->Rectangle(x + M, y + M + 20, x2 - M, y2 - M - 20);
        C->Font()->SetColor(clBlack);
        const String text = IntToStr(s);
        C->TextOut((x + x2) / 2 - C->TextWidth(text) / 2, (y + y2) / 2 - C->TextHeight(text) / 2, text);
      } else if (how == irpShowSlide && img && img->Width() > 0 && img->Height() > 0) {
        const Integer bw = img->Width(), bh = img->Height(), B = FThumbBaseSize;
        TRect dst;
        if (bw < bh) {
          const Integer g = Integer(std::nearbyint(double(bw) * B / bh));
          const Integer left = x + M + (B - g) / 2;
          dst = Rect(left, y + M, left + g, y2 - M);
        } else {
          const Integer g = Integer(std::nearbyint(double(bh) * B / bw));
          const Integer top = y + M + (B - g) / 2;
          dst = Rect(x + M, top, x2 - M, top + g);
        }
        C->SetStretchBltMode(FAntiAlias ? HALFTONE : COLORONCOLOR);
        C->StretchBlt(dst.Left, dst.Top, dst.Width(), dst.Height(), img->Canvas(), 0, 0, bw, bh, SRCCOPY);
        SlideFrame(C, FInnerFrameStyle, dst.Left, dst.Top, dst.Right, dst.Bottom);
      }
      if (mark != -1) {
        C->Pen()->SetColor(FMarkColor);
        DrawMarkOnCanvas(C, Byte(mark), x + 10, y + 12);
      }
      if (FOnSlideRendered) FOnSlideRendered(this, C, x, y, s);
      // A handler that cleared the variable gets the strip's own buffer again next time.
      if (!img) img = ownBuffer.get();
    }
  }
  if (FOnLastImgRequ) FOnLastImgRequ(this);
  // Only the bitmap made here is freed: one a handler pointed the variable at stays its own.
  ownBuffer.reset();

  SetPenAndBrush(C, FColorBG);
  C->Rectangle(0, 0, W, Border);
  C->Rectangle(0, H - Border, W, H);
  SlideFrame(C, FFrameStyle, 0, 0, W - 2, H - 2);
  FPainted->Flush();
  // A repaint keeps the highlight of the slide still under the pointer.
  DrawHilite(FLastHiLite, true);
}

// [highlight] ----------------------------------------------------------------------------------------
void TThumbnails::DrawHilite(Integer s, bool Draw) {
  if (!InRange(s) || FHiliteThickness <= 0) return;
  TCanvas* C = Canvas();
  const Integer W = Width(), H = Height(), S = Side();
  Integer X = 0, Y = 0;
  CalcSlidePos(s, X, Y);
  // What the last paint put there, unless it is out of date (not painted yet, resized since).
  TBitmap* painted =
      (FPaintedValid && FPainted->Width() == W && FPainted->Height() == H) ? FPainted->Bitmap() : nullptr;
  C->SetCopyMode(cmSrcCopy);
  if (!Draw && painted) {
    const TRect r = Rect(X, Y, X + S + 1, Y + S + 1);
    C->CopyRect(r, painted->Canvas(), r);
    return;
  }
  C->Pen()->SetStyle(psSolid);
  C->Pen()->SetWidth(1);
  C->Pen()->SetMode(pmCopy);
  C->Pen()->SetColor(Draw ? FColorHilite : (SlideSelected(s) ? FColorSelected : FColorCover));
  for (Integer k = 1; k <= FHiliteThickness; ++k)
    DrawRectangle(C, X + 1 + k, std::max(Y + 2, 2) + k - 1, X + S - 1 - k, std::min(H - 3, Y + S - 2) - k + 1);
  // The strips hide the lines of a partly scrolled slide again.
  if (painted) {
    const TRect top = Rect(0, 0, W, Border), bottom = Rect(0, H - Border, W, H);
    C->CopyRect(top, painted->Canvas(), top);
    C->CopyRect(bottom, painted->Canvas(), bottom);
  } else {
    SetPenAndBrush(C, FColorBG);
    C->Rectangle(2, 2, W - 2, Border);
    C->Rectangle(2, H - Border, W - 2, H - 2);
  }
}

}  // namespace jox
