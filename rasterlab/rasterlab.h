// The raster label: text drawn as square dots of a bit font, over a raster of unlit dots, inside a
// frame, optionally scrolling through the control on a timer.
// Sections: [types] [routines] [label]
//
// Sources: bitfont.cpp (the built-in 7 x 12 font, sampling installed fonts), rasterlab_paint.cpp
// (dots, strings and Paint), rasterlab.cpp (creation, properties, scrolling, class table).
#pragma once

#include <memory>

#include "package/core/coretypes.h"
#include "package/errors.h"
#include "package/framework/base/component.h"
#include "package/framework/controls/controls.h"
#include "package/framework/graphics/graphics.h"
#include "package/timerwindow.h"

namespace jox {

// [types] --------------------------------------------------------------------------------------
// rdbmOff: plain background; rdbmOn: unlit dots with a background column between characters;
// rdbmRaster: unlit dots in one continuous raster.
enum TRDBlockMode : uint8_t { rdbmOff, rdbmOn, rdbmRaster };
enum TRDScrollMode : uint8_t { rdsmOff, rdsmLeft, rdsmRight, rdsmDown, rdsmUp };

// A bit font of 256 character codes. Bit j of BitData[c][r] (least significant = leftmost) lights
// the dot in column j of row r of code c. A code without ink has LeftMostBit 31 and RightMostBit 0
// and takes no columns.
struct TRDCharMatrix {
  Integer FontWidth = 0;   // widest character, in dots
  Integer FontHeight = 0;  // dot rows in use
  Byte LeftMostBit[256] = {};
  Byte RightMostBit[256] = {};
  uint32_t BitData[256][32] = {};
};

// [routines] -----------------------------------------------------------------------------------
// The code of the matrix that shows character Ch: codes up to 255 stand for themselves; the
// characters of the Windows-1252 range 0x80..0x9F (the euro sign, curly quotes, dashes, ...) are
// kept at those codes; every other character above 255 shows the replacement glyph at code 127.
Byte RasterCharCode(char16_t Ch);
constexpr Byte RasterReplacementCode = 127;

// The built-in 7 x 12 font for no font or a font named "default" (any case); otherwise the font
// sampled into dots: every pixel of a character drawn at (0, 0) that is not white is a lit dot.
TRDCharMatrix CreateBitFont(TFont* Font);

// Draws the lit dots of one character with its top-left dot at (X, Y) and returns its width in
// pixels: (RightMostBit - LeftMostBit + 1) x Pitch, or FontWidth x Pitch when FixedWidth.
// ColorOff and ColorBakG are not drawn here; they are part of the routine's contract for callers.
Integer PaintChar(TCanvas* Canvas, const TRDCharMatrix& CharMatrix, Integer X, Integer Y, char16_t Ch,
                  Integer DotSize, Integer DotSpacing, TColor ColorOn, TColor ColorOff, TColor ColorBakG,
                  bool FixedWidth);
// Draws Text from (X, Y), one empty dot column between characters; with rdbmOn that column is
// filled with ColorBakG over the canvas's whole height. BitLength is the pixel length drawn.
void PaintString(TCanvas* Canvas, const TRDCharMatrix& CharMatrix, Integer X, Integer Y, const String& Text,
                 Integer DotSize, Integer DotSpacing, TColor ColorOn, TColor ColorOff, TColor ColorBakG,
                 TRDBlockMode BlockMode, bool Proportional, Integer& BitLength);

// [label] --------------------------------------------------------------------------------------
// The own properties have no stored defaults (they are always written with the form). Setters
// repaint at once; the scroll timer setters do not repaint.
class TRasterLab : public TGraphicControl {
 public:
  static constexpr Integer DefWidth = 400, DefHeight = 68;
  static constexpr TFrameStyle DefFrameStyle = fsLowered;
  static constexpr Integer DefScrollInterval = 100, MinScrollInterval = 10, DefScrollIncrement = 1;
  static constexpr TColor DefColorLabBakG = clBlack, DefColorDotOn = clLime, DefColorDotOff = 0x404040;
  static constexpr TRDBlockMode DefCharBlockMode = rdbmOn;
  static constexpr Integer DefDotSize = 3, MinDotSize = 1, MaxDotSize = 32;
  static constexpr Integer DefDotSpacing = 1, MinDotSpacing = 0, MaxDotSpacing = 3;
  static constexpr Integer DefPos = 1;

  explicit TRasterLab(TComponent* AOwner);
  ~TRasterLab() override;

  void Paint() override;
  void Assign(TPersistent* Source) override;

  // Pixel length of Text as Paint would centre it.
  Integer CalcTextBitLength(const String& Text) const;

  // --- font
  // The bit font in use: the built-in one, one sampled from Font, or one set here.
  const TRDCharMatrix& CharMatrix() const { return *FCMat; }
  void SetCharMatrix(const TRDCharMatrix& M);  // refits AutoHeight and AutoCenter

  // --- text and position
  // Default "Text". With AutoCenter a change centres it anew.
  String Text() const override { return FLabText; }
  void SetText(const String& Value) override { SetLabText(Value); }
  void SetLabText(const String& Value);
  // Pixel position of the first dot, default 1 and 1.
  Integer PosX() const { return FXPos; }
  void SetPosX(Integer Value) { SetXPos(Value); }
  void SetXPos(Integer Value);
  Integer PosY() const { return FYPos; }
  void SetPosY(Integer Value) { SetYPos(Value); }
  void SetYPos(Integer Value);
  // Centres the text across the control whenever text, dots or font change; off puts PosX back to 1.
  bool AutoCenter() const { return FAutoCenter; }
  void SetAutoCenter(bool Value);
  // Fits Height to the font's rows and the frame. Default false.
  bool AutoHeight() const { return FAutoHeight; }
  void SetAutoHeight(bool Value);

  // --- dots
  // Side of a dot in pixels, 1..32, default 3; gap between dots, 0..3, default 1.
  Integer DotSize() const { return FDotSize; }
  void SetDotSize(Integer Value);
  Integer DotSpacing() const { return FDotSpacing; }
  void SetDotSpacing(Integer Value);
  // Characters as wide as their ink (default) or all FontWidth dots wide. Recentres with AutoCenter.
  bool Proportional() const { return FProportional; }
  void SetProportional(bool Value);
  TRDBlockMode CharBlockMode() const { return FCharBlockMode; }  // default rdbmOn
  void SetCharBlockMode(TRDBlockMode Value);

  // --- colours and frame
  TColor ColorDotOn() const { return FColorDotOn; }  // lit dots, default clLime
  void SetColorDotOn(TColor Value);
  TColor ColorDotOff() const { return FColorDotOff; }  // unlit dots, default dark grey 0x404040
  void SetColorDotOff(TColor Value);
  TColor ColorLabBakG() const { return FColorLabBakG; }  // gaps and background, default clBlack
  void SetColorLabBakG(TColor Value);
  // 0 none, 1 single line, 2 sunken (default), 3 raised, 4 and 5 double lines. Refits AutoHeight
  // and AutoCenter, which count the frame's width.
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle Value);
  // Frame line colours: 0 classic grey and white (default), others the system colours.
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme Value);

  // --- scrolling
  // Off (default) or the direction the text moves; a mode other than off runs the scroll timer.
  TRDScrollMode ScrollMode() const { return FScrollMode; }
  void SetScrollMode(TRDScrollMode Value);
  // Milliseconds per tick, at least 10, default 100.
  Integer ScrollInterval() const { return FScrollIv; }
  void SetScrollInterval(Integer Value) { SetScrollIv(Value); }
  void SetScrollIv(Integer N);
  // Pixels per tick, stored as a magnitude, never 0; default 1.
  Integer ScrollIncrement() const { return FScrollInc; }
  void SetScrollIncrement(Integer Value) { SetScrollInc(Value); }
  void SetScrollInc(Integer N);
  // The text comes back in from the other side once it has left (default true).
  bool ScrollLoop() const { return FScrollLoop; }
  void SetScrollLoop(bool Value);
  // Current offsets of the text from PosX and PosY.
  Integer ScrollPosX() const { return FScrollPosX; }
  Integer ScrollPosY() const { return FScrollPosY; }
  // Pixel length of the text as last painted.
  Integer TextBitLength() const { return FTextBitLength; }

  // --- events
  // After every scroll tick.
  const TNotifyEvent& OnScrollTimer() const { return FOnScrollTimer; }
  void SetOnScrollTimer(TNotifyEvent Handler);
  // Once per pass, when a looping text starts over.
  const TNotifyEvent& OnScrollLoopRestart() const { return FOnScrLoopRestart; }
  void SetOnScrollLoopRestart(TNotifyEvent Handler) { FOnScrLoopRestart = std::move(Handler); }

  JOX_CLASS_TABLE

 protected:
  TAccessible* CreateAccessible() override;  // how assistive technology sees it
  void AssignTo(TPersistent* Dest) override;
  // Samples the new font and refits height and centring.
  void FontChanged() override;
  void Loaded() override;
  // A centred text stays centred when the label is resized.
  void Resize() override;
  void ChangeScale(double K) override;
  void AdjustAutoHeight();
  void AdjustAutoCenter();
  void UpdateTimer();
  void DoTimer();
  void ScrollTimerEvent();
  void DoScrLoopRestart();

 private:
  // Frame width counted by AutoHeight and AutoCenter.
  Integer Border() const;
  Integer Pitch() const { return FDotSize + FDotSpacing; }
  // AdjustAutoHeight and AdjustAutoCenter, each when switched on.
  void Refit();
  void PaintFrame(TCanvas* C, Integer W, Integer H);

  std::unique_ptr<TRDCharMatrix> FCMat;
  TFrameStyle FFrameStyle = DefFrameStyle;
  TRDScrollMode FScrollMode = rdsmOff;
  Integer FScrollPosX = 0, FScrollPosY = 0;
  bool FScrollLoop = true;
  std::unique_ptr<TTimerWindow> FScrTimer;
  bool FScrTimerEnabled = false;
  bool FAutoCenter = false;
  Integer FTextBitLength = 0;
  TNotifyEvent FOnScrollTimer;
  Integer FScrollIv = DefScrollInterval;
  Integer FScrollInc = DefScrollIncrement;
  String FLabText = u"Text";
  TColor FColorLabBakG = DefColorLabBakG;
  TColor FColorDotOn = DefColorDotOn;
  TColor FColorDotOff = DefColorDotOff;
  TColor FColBlackLine = clBlack, FColGrayLine = clGray, FColWhiteLine = clWhite;
  bool FAutoHeight = false;
  TRDBlockMode FCharBlockMode = DefCharBlockMode;
  TColorScheme FColorScheme = csClassic;
  TNotifyEvent FOnScrLoopRestart;
  bool FProportional = true;
  Integer FDotSize = DefDotSize;
  Integer FDotSpacing = DefDotSpacing;
  Integer FXPos = DefPos, FYPos = DefPos;
};

}  // namespace jox
