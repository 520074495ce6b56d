// Dots, strings and the label's Paint: one off-screen bitmap copied to the control in one step.
// Sections: [helpers] [characters] [strings] [paint] [frame]
#include <algorithm>
#include <bit>
#include <limits>

#include "package/paintbuffer.h"
#include "package/painting.h"
#include "package/rounding.h"
#include "rasterlab/rasterlab.h"
#include "rasterlab/rasterlab_internal.h"
#include "package/core/drawing.h"

namespace jox {

// [helpers] ------------------------------------------------------------------------------------
namespace {

using rasterlab_detail::Saturate;

// The dot columns a character covers; none (Right < Left) when it has no ink. A matrix set from
// outside may hold any numbers, so everything is kept within the 32 columns of a row.
void CharColumns(const TRDCharMatrix& M, Byte Code, bool FixedWidth, Integer& Left, Integer& Right) {
  if (FixedWidth) {
    Left = 0;
    Right = std::clamp<Integer>(M.FontWidth, 0, 32) - 1;
  } else {
    Left = M.LeftMostBit[Code];
    Right = std::min<Integer>(M.RightMostBit[Code], 31);
  }
}

Integer CharPixelWidth(const TRDCharMatrix& M, Byte Code, bool FixedWidth, Integer Pitch) {
  Integer l, r;
  CharColumns(M, Code, FixedWidth, l, r);
  return r < l ? 0 : (r - l + 1) * Pitch;
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Calls Fn(code) once per character of Text: a surrogate pair is one character.
template <class F>
void ForEachCode(const String& Text, F Fn) {
  for (size_t i = 0; i < Text.size(); ++i) {
    const char16_t ch = Text[i];
    if (IsHighSurrogate(ch) && i + 1 < Text.size() && IsLowSurrogate(Text[i + 1])) ++i;
    Fn(RasterCharCode(ch));
  }
}

Integer PaintCode(TCanvas* Canvas, const TRDCharMatrix& M, int64_t X, int64_t Y, Byte Code, Integer DotSize,
                  Integer DotSpacing, TColor ColorOn, bool FixedWidth) {
  const Integer pitch = DotSize + DotSpacing;
  Integer left, right;
  CharColumns(M, Code, FixedWidth, left, right);
  if (right < left) return 0;
  const TRect clip = Canvas->ClipRect();
  const uint32_t mask = (right >= 31 ? ~0u : (1u << (right + 1)) - 1) & ~((1u << left) - 1);
  if (DotSize > 1) SetPenAndBrush(Canvas, ColorOn);
  const Integer rows = std::clamp<Integer>(M.FontHeight, 0, 32);
  for (Integer r = 0; r < rows; ++r) {
    const int64_t y = Y + int64_t(r) * pitch;
    if (y >= clip.Bottom || y + DotSize <= clip.Top) continue;
    for (uint32_t bits = M.BitData[Code][r] & mask; bits; bits &= bits - 1) {
      const Integer c = std::countr_zero(bits);
      const int64_t x = X + int64_t(c - left) * pitch;
      if (x >= clip.Right || x + DotSize <= clip.Left) continue;
      if (DotSize == 1)
        Canvas->SetPixels(Integer(x), Integer(y), ColorOn);
      else  // pen and brush are both ColorOn: the square is the brush's
        Canvas->FillRect(Rect(Integer(x), Integer(y), Integer(x) + DotSize, Integer(y) + DotSize));
    }
  }
  return (right - left + 1) * pitch;
}

}  // namespace

// [characters] ---------------------------------------------------------------------------------
Integer PaintChar(TCanvas* Canvas, const TRDCharMatrix& CharMatrix, Integer X, Integer Y, char16_t Ch,
                  Integer DotSize, Integer DotSpacing, TColor ColorOn, TColor, TColor, bool FixedWidth) {
  return PaintCode(Canvas, CharMatrix, X, Y, RasterCharCode(Ch), DotSize, DotSpacing, ColorOn, FixedWidth);
}

// [strings] ------------------------------------------------------------------------------------
void PaintString(TCanvas* Canvas, const TRDCharMatrix& CharMatrix, Integer X, Integer Y, const String& Text,
                 Integer DotSize, Integer DotSpacing, TColor ColorOn, TColor, TColor ColorBakG,
                 TRDBlockMode BlockMode, bool Proportional, Integer& BitLength) {
  const Integer pitch = DotSize + DotSpacing;
  const TRect clip = Canvas->ClipRect();
  int64_t x = X;
  // The empty dot column left of x, filled over the whole height.
  auto separator = [&] {
    if (BlockMode != rdbmOn || x <= clip.Left || x - pitch >= clip.Right) return;
    SetPenAndBrush(Canvas, ColorBakG);
    Canvas->Rectangle(Integer(x - pitch), clip.Top, Integer(x), clip.Bottom);
  };
  separator();
  ForEachCode(Text, [&](Byte code) {
    const Integer w = CharPixelWidth(CharMatrix, code, !Proportional, pitch);
    // Characters outside the canvas only advance, so a long scrolling text costs what it shows.
    if (w > 0 && x < clip.Right && x + w > clip.Left)
      PaintCode(Canvas, CharMatrix, x, Y, code, DotSize, DotSpacing, ColorOn, !Proportional);
    x += w + pitch;
    separator();
  });
  BitLength = Saturate(x - X + 1);
}

Integer TRasterLab::CalcTextBitLength(const String& Text) const {
  const Integer pitch = Pitch();
  int64_t sum = 0;
  ForEachCode(Text, [&](Byte code) { sum += CharPixelWidth(*FCMat, code, !FProportional, pitch) + pitch; });
  return Saturate(sum);
}

// [paint] --------------------------------------------------------------------------------------
void TRasterLab::Paint() {
  const Integer W = Width(), H = Height();
  if (W <= 0 || H <= 0) return;
  TPaintBuffer buf(this);
  TCanvas* C = buf.Canvas();

  SetPenAndBrush(C, FCharBlockMode != rdbmOff ? FColorDotOff : FColorLabBakG);
  if (FFrameStyle != fsNone)
    C->Rectangle(1, 1, W - 1, H - 1);
  else
    C->Rectangle(0, 0, W, H);

  const Integer pitch = Pitch();
  const int64_t textX = int64_t(FXPos) + FScrollPosX, textY = int64_t(FYPos) + FScrollPosY;
  if (FCharBlockMode != rdbmOff && FDotSpacing > 0) {
    // The gaps between dot cells, in step with the text so the raster moves with it.
    C->Pen()->SetColor(FColorLabBakG);
    const Integer oy = Integer(FloorMod(textY, pitch)), ox = Integer(FloorMod(textX, pitch));
    for (Integer b = 0; b <= H / pitch + 1; ++b)
      for (Integer i = 1; i <= FDotSpacing; ++i) {
        const Integer y = oy + b * pitch + i - FDotSpacing - 1;
        C->MoveTo(0, y);
        C->LineTo(W, y);
      }
    for (Integer b = 0; b <= W / pitch + 1; ++b)
      for (Integer i = 1; i <= FDotSpacing; ++i) {
        const Integer x = ox + b * pitch + i - FDotSpacing - 1;
        C->MoveTo(x, 0);
        C->LineTo(x, H);
      }
  }

  PaintString(C, *FCMat, Saturate(textX), Saturate(textY), FLabText, FDotSize, FDotSpacing, FColorDotOn, FColorDotOff,
              FColorLabBakG, FCharBlockMode, FProportional, FTextBitLength);
  PaintFrame(C, W, H);
  buf.Flush();
}

// [frame] --------------------------------------------------------------------------------------
void TRasterLab::PaintFrame(TCanvas* C, Integer W, Integer H) {
  const TPoint a{0, 0}, b{W - 2, 0}, c{W - 2, H - 2}, d{0, H - 2};
  switch (FFrameStyle) {
    case fsSimple:
      DrawLines(C, FColGrayLine, {{0, 0}, {W - 1, 0}, {W - 1, H - 1}, {0, H - 1}, {0, 0}});
      break;
    case fsLowered:
    case fsRaised: {
      const bool sunken = FFrameStyle == fsLowered;
      DrawLines(C, sunken ? FColBlackLine : FColWhiteLine, {{1, H - 3}, {1, 1}, {W - 2, 1}});
      if (sunken)
        DrawLines(C, FColWhiteLine, {{2, H - 1}, {W - 1, H - 1}, {W - 1, 0}});
      else
        DrawLines(C, FColBlackLine, {{0, H - 1}, {W - 1, H - 1}, {W - 1, 0}});
      DrawLines(C, FColGrayLine, {a, b, c, d, a});
      break;
    }
    case fsEmbossed:
    case fsEngraved: {
      const bool embossed = FFrameStyle == fsEmbossed;
      DrawLines(C, embossed ? FColGrayLine : FColWhiteLine, {{1, 1}, {W - 1, 1}, {W - 1, H - 1}, {1, H - 1}, {1, 1}});
      DrawLines(C, embossed ? FColWhiteLine : FColGrayLine, {a, b, c, d, a});
      break;
    }
    default:
      break;
  }
}

}  // namespace jox
