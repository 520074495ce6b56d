// TSevenSeg: a short text in slanted seven-segment digits, one colour on a coloured background, inside
// a frame. Each glyph is composed once at 312 x 432 from six segment bitmaps of the package, recoloured,
// and shrunk with smoothing into a glyph cache; painting copies cells of the cache. The cache is built
// anew when the size, the colours, the margin, the digit distance or the digit count change.
//
// Shown: digits, A-F (either case; b and d in lower-case shapes), "-", "+", ":", "°", and points
// ("." or ","), which sit in the lower right of the position before them or on a position of their own.
// Any other character leaves its position empty.
#pragma once

#include <algorithm>
#include <memory>

#include "package/core/coretypes.h"
#include "package/framework/base/component.h"
#include "package/framework/controls/controls.h"

namespace jox {

// The glyphs of the cache, in cache order.
constexpr const char16_t* SevenSegCharList = u"0123456789-+:\u00B0ABCDEF.";
constexpr Integer SevenSegCharCount = 21;

// Setters of the text, colours, margin, distance and digit count paint at once; frame style and colour
// scheme invalidate. Each does nothing when the value is unchanged.
class TSevenSeg : public TGraphicControl {
 public:
  static constexpr Integer DefWidth = 216, DefHeight = 76;
  static constexpr Integer DefNumDigits = 4, MaxNumDigits = 32, DefMargin = 8, DefInterDigDist = 2,
                           MaxInterDigDist = 255;
  static constexpr TColor DefColorBackGnd = 0x333333, DefColorText = clRed;
  static constexpr TFrameStyle DefFrameStyle = fsLowered;
  static constexpr const char16_t* DefCaption = u"8.8.8.8.";
  // Size of the composition image a glyph is built on.
  static constexpr Integer DigWidth = 312, DigHeight = 432;

  explicit TSevenSeg(TComponent* AOwner);
  ~TSevenSeg() override;

  void Paint() override;
  void Assign(TPersistent* Source) override;

  // The text shown, "8.8.8.8."; cut after NumDigits positions.
  String Text() const override { return FCaption; }
  void SetText(const String& S) override;
  TColor ColorBackGnd() const { return FColorBakG; }  // 0x333333
  void SetColorBakG(TColor C);
  void SetColorBackGnd(TColor C) { SetColorBakG(C); }
  // clRed; white is drawn as 0xFEFEFE, since white marks the background of a composed glyph.
  TColor ColorText() const { return FColorTxt; }
  void SetColorText(TColor C);
  Integer NumDigits() const { return FNumDigits; }  // 4; values outside 1..32 are ignored
  void SetNumDigits(Integer N);
  // Space around the digits, 8; at most Height div 2 - 1, negative values count as 0.
  Integer Margin() const { return FMargin; }
  void SetMargin(Integer N);
  // Gap between digit positions, 2; 0..255.
  Integer InterDigDist() const { return FInterDigDist; }
  void SetInterDigDist(Integer N);
  TFrameStyle FrameStyle() const { return FFrameStyle; }  // fsLowered
  void SetFrameStyle(TFrameStyle S);
  // Frame line colours by the scheme rule; the frame itself is drawn in fixed colours. Default 0.
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme S);
  TColor ColBlackLine() const { return FColBlackLine; }
  TColor ColGrayLine() const { return FColGrayLine; }
  TColor ColWhiteLine() const { return FColWhiteLine; }

  // Recolours the six segment images: the shapes, in their present colour, take Color.
  void ColorizeSegments(TColor Color);
  // Composes glyph Ch, with the decimal point when WithDot, on the composition image.
  void CreateDigit(char16_t Ch, bool WithDot);
  // Builds the glyph cache for the present size and settings.
  void CreateImageCache();
  // Builds the cache anew and repaints when the control's size is not the one it was built for.
  void ProcessResize(TObject* Sender);

  // The composition image, the glyph cache (21 cells of CellWidth x CacheHeight), and how often the
  // cache has been built.
  TBitmap* DigitImage() const { return DigImg.get(); }
  TBitmap* ImageCache() const { return ImgCache.get(); }
  Integer CellWidth() const;
  Integer CacheHeight() const { return Height() - 2 * FMargin; }
  Integer CacheBuilds() const { return FCacheBuilds; }

  JOX_CLASS_TABLE

 protected:
  TAccessible* CreateAccessible() override;  // how assistive technology sees it
  void AssignTo(TPersistent* Dest) override;
  void Loaded() override;
  // Keeps the cache in step with the size, then fires OnResize, which stays free for the application.
  void Resize() override;

 private:
  Integer MarginRule(Integer N) const { return std::max(0, std::min(N, Height() / 2 - 1)); }
  // Builds the cache anew and paints, except while the form is being read.
  void Rebuild();

  TColor FColorBakG = DefColorBackGnd;
  TColor FColorTxt = DefColorText;
  std::unique_ptr<TBitmap> DigImg;
  Integer FNumDigits = DefNumDigits;
  String FCaption = DefCaption;
  TFrameStyle FFrameStyle = DefFrameStyle;
  Integer FMargin = DefMargin;
  Integer FInterDigDist = DefInterDigDist;
  Integer FLastWidth = DefWidth, FLastHeight = DefHeight;
  std::unique_ptr<TBitmap> SegHorz, SegVert, SegDot, SegPlus, SegColon, SegDeg;
  TColor FSegColor = clBlack;  // the colour the segment shapes have now
  std::unique_ptr<TBitmap> ImgCache;
  TColor FColBlackLine = clBlack, FColGrayLine = clGray, FColWhiteLine = clWhite;
  TColorScheme FColorScheme = csClassic;
  Integer FCacheBuilds = 0;
};

}  // namespace jox
