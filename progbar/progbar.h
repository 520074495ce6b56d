// The progress bar: a bar growing in one of four directions over its area, drawn in one colour or
// as a gradient out of a 1024-entry colour table, with margins, two frames, a background picture,
// a grid cutting the bar into segments, a rotatable value text and an automatic increment.
// Sections: [types] [bar]
//
// Sources: progbar.cpp (creation, properties, colour table, timer, class table), progbar_paint.cpp
// (Paint and the colour index of a bar position).
#pragma once

#include <array>
#include <memory>

#include "package/core/coretypes.h"
#include "package/framework/base/component.h"
#include "package/framework/controls/controls.h"
#include "package/framework/graphics/graphics.h"
#include "package/timerwindow.h"

namespace jox {

// [types] --------------------------------------------------------------------------------------
// How the colour table maps onto the bar; ordinals are stored in form files.
enum TColorMapping : uint8_t {
  cgmCover,    // the gradient belongs to the whole area and the bar uncovers it
  cgmStretch,  // the whole gradient is squeezed into the current bar
  cgmMove      // the gradient's last colour rides at the tip of the bar
};

// Before the value text is drawn; the handler may change the text.
using TBeforeShowValueEvent = std::function<void(TObject* Sender, String& ValueText)>;

// Colour index (0 .. 1023) of position K of a bar Length long in an area Span long.
Integer ProgBarColorIndex(TColorMapping Mode, Integer K, Integer Length, Integer Span);

// [bar] ----------------------------------------------------------------------------------------
// Setters of looks paint at once when the value changed; Value, Min and Max are neither clamped nor
// ordered, so the bar may run past its area (the control clips it) or shrink to nothing.
class TProgBar : public TGraphicControl {
 public:
  static constexpr Integer DefWidth = 300, DefHeight = 28;
  static constexpr Integer ColorTableSize = 1024;
  static constexpr double DefValue = 10.0, DefMin = 0, DefMax = 100.0, DefAutoIncStep = 1.0;
  static constexpr TDirection DefDirection = dirRight;
  static constexpr Integer DefStartInterval = 1500, DefRepeatInterval = 700, MinInterval = 10;
  static constexpr TColor DefColorMin = clBlue, DefColorMax = clRed, DefColorMargin = clSilver,
                          DefColorBackGnd = clSilver, DefColorGrid = clBlack;
  static constexpr TColorMapping DefColorMapMode = cgmStretch;
  static constexpr Integer DefGridDist = 0, DefMargin = 4, DefTextPos = 14, DefTextDecPlaces = 0,
                           DefTextAngle = 0;
  static constexpr TColorScheme DefColorScheme = TColorScheme(0);
  static constexpr TFrameStyle DefFrameStyleOuter = TFrameStyle(3), DefFrameStyleInner = TFrameStyle(2);
  static constexpr TAlignment DefTextAlignment = taCenter;

  explicit TProgBar(TComponent* AOwner);
  ~TProgBar() override;

  void Assign(TPersistent* Source) override;
  void Paint() override;

  // Stores both ends in ascending order and paints.
  void SetRange(double AMin, double AMax);
  // One entry (0 .. 1023) of the colour table; out-of-range indices read 0 and write nothing.
  // Writing does not paint, and lasts until ColorMin or ColorMax is set again.
  TColor GetBarColorElem(Integer ix) const;
  void SetBarColorElem(Integer ix, TColor value);

  // --- value and range (default 10 in 0 .. 100)
  double Value() const { return FProgValue; }
  void SetValue(double Value);
  double Min() const { return FProgMin; }
  void SetMin(double Value);
  double Max() const { return FProgMax; }
  void SetMax(double Value);
  // Growth: dirUp, dirDown, dirLeft, dirRight (default).
  TDirection Direction() const { return FDirection; }
  void SetDirection(TDirection Value);

  // --- automatic increment: AutoIncStep is added every RepeatInterval ms after a first delay of
  // StartInterval ms (both at least 10). Default off, step 1, 1500 and 700 ms. A timer that cannot
  // be had raises EJOXProgBar and leaves AutoInc off.
  bool AutoInc() const { return FTimerEnabled; }
  void SetAutoInc(bool Value);
  double AutoIncStep() const { return FAutoIncStep; }
  void SetAutoIncStep(double Value);  // 0 is ignored
  Integer StartInterval() const { return FStartIv; }
  void SetStartInterval(Integer Value);
  Integer RepeatInterval() const { return FRepeatIv; }
  void SetRepeatInterval(Integer Value);

  // --- colours
  // Ends of the colour table (default clBlue and clRed); setting either refills the table between them.
  TColor ColorMin() const { return FBarColorArray[0]; }
  void SetColorMin(TColor Value);
  TColor ColorMax() const { return FBarColorArray[ColorTableSize - 1]; }
  void SetColorMax(TColor Value);
  TColorMapping ColorMapMode() const { return FColorMapMode; }  // default cgmStretch
  void SetColorMapMode(TColorMapping Value);
  // Bar as a gradient out of the table; otherwise in ColorMin. Default false.
  bool ShowColorGradient() const { return FColorGrad; }
  void SetShowColorGradient(bool Value);
  TColor ColorMargin() const { return FColorMargin; }  // default clSilver
  void SetColorMargin(TColor Value);
  TColor ColorBackGnd() const { return FColorBakG; }  // bar area, default clSilver
  void SetColorBackGnd(TColor Value);
  TColor ColorGrid() const { return FColorGrid; }  // default clBlack
  void SetColorGrid(TColor Value);
  // Grid spacing in pixels over the filled part; 0 and 1 draw none. Default 0.
  Integer GridDist() const { return FGridDist; }
  void SetGridDist(Integer Value);
  // Frame line colours: ordinal 0 classic gray and white, others the system colours. Default 0.
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme Value);
  // 0 none, 1 simple, 2 sunken, 3 raised, 4 and 5 double lines. Outer default 3, inner default 2.
  TFrameStyle FrameStyleOuter() const { return FOuterFrameSt; }
  void SetFrameStyleOuter(TFrameStyle Value);
  TFrameStyle FrameStyleInner() const { return FInnerFrameSt; }
  void SetFrameStyleInner(TFrameStyle Value);

  // --- layout: margins around the bar area, default 4 each
  Integer MarginLeft() const { return FMarginLeft; }
  void SetMarginLeft(Integer Value);
  Integer MarginRight() const { return FMarginRight; }
  void SetMarginRight(Integer Value);
  Integer MarginTop() const { return FMarginTop; }
  void SetMarginTop(Integer Value);
  Integer MarginBottom() const { return FMarginBottom; }
  void SetMarginBottom(Integer Value);
  // Picture file stretched over the bar area. A file that cannot be loaded is ignored and the
  // previous name kept; "" removes the picture. Default "".
  const String& BackGroundImg() const { return FBakGndFile; }
  void SetBackGroundImg(const String& Value);

  // --- value text, written in Font
  bool TextVisible() const { return FShowValue; }  // default true
  void SetTextVisible(bool Value);
  // Reference point, clamped to 0 .. Width and 0 .. Height. Default 14, 14.
  Integer TextPosX() const { return FTextPosX; }
  void SetTextPosX(Integer Value);
  Integer TextPosY() const { return FTextPosY; }
  void SetTextPosY(Integer Value);
  // Which point of the text's middle line lies on the reference point. Default taCenter.
  TAlignment TextAlignment() const { return FAlignment; }
  void SetTextAlignment(TAlignment Value);
  // Decimals, clamped to -2 .. 10: -1 exponent notation. Default 0.
  Integer TextDecPlaces() const { return FTextDecPlaces; }
  void SetTextDecPlaces(Integer Value);
  // Degrees counter-clockwise, clamped to 0 .. 360. Default 0.
  Integer TextAngle() const { return FTextAngle; }
  void SetTextAngle(Integer Value);

  // --- events
  // After each automatic increment.
  const TNotifyEvent& OnAutoInc() const { return FOnAutoInc; }
  void SetOnAutoInc(TNotifyEvent Value);
  const TBeforeShowValueEvent& OnShowValue() const { return FOnShowValue; }
  void SetOnShowValue(TBeforeShowValueEvent Value) { FOnShowValue = std::move(Value); }

  JOX_CLASS_TABLE

 protected:
  TAccessible* CreateAccessible() override;  // how assistive technology sees it
  void AssignTo(TPersistent* Dest) override;
  void Loaded() override;
  void ChangeScale(double K) override;
  // One tick: the start delay gives way to the repeat interval, the step is added, OnAutoInc follows.
  void DoTimer();
  // Restart with the start delay, or with the repeat interval.
  void InitTimer();
  void UpdateTimer();

 private:
  // Entries 1 .. 1022 anew between entries 0 and 1023.
  void FillColorTable();
  // Paint steps (progbar_paint.cpp).
  void PaintBar(TCanvas* C);
  void PaintFrame(TCanvas* C, TFrameStyle Style, Integer L, Integer T, Integer R, Integer B);
  void PaintText(TCanvas* C);
  // The value in TextDecPlaces decimals, before OnShowValue.
  String ValueText() const;
  // Restarts the timer; a refused timer turns AutoInc off before the error leaves.
  void RestartTimer(bool StartDelay);
  bool Designing() const { return ComponentState().Contains(csDesigning); }

  std::unique_ptr<TTimerWindow> FTimerWnd;
  bool FTimerEnabled = false;
  TNotifyEvent FOnAutoInc;
  double FAutoIncStep = DefAutoIncStep;
  Integer FRepeatIv = DefRepeatInterval;
  Integer FStartIv = DefStartInterval;
  bool FIsStart = false;
  TFrameStyle FOuterFrameSt = DefFrameStyleOuter, FInnerFrameSt = DefFrameStyleInner;
  double FProgValue = DefValue, FProgMax = DefMax, FProgMin = DefMin;
  TDirection FDirection = DefDirection;
  std::array<TColor, ColorTableSize> FBarColorArray{};
  std::unique_ptr<TBitmap> AuxBmp;
  TColor FColorMargin = DefColorMargin;
  TColor FColorBakG = DefColorBackGnd;
  bool FColorGrad = false;
  TColor FColorGrid = DefColorGrid;
  Integer FGridDist = DefGridDist;
  TColor FColBlackLine = clBlack, FColGrayLine = clGray, FColWhiteLine = clWhite;
  TColorScheme FColorScheme = DefColorScheme;
  TColorMapping FColorMapMode = DefColorMapMode;
  Integer FMarginLeft = DefMargin, FMarginRight = DefMargin, FMarginTop = DefMargin, FMarginBottom = DefMargin;
  String FBakGndFile;
  Integer FTextPosX = DefTextPos, FTextPosY = DefTextPos;
  Integer FTextDecPlaces = DefTextDecPlaces;
  Integer FTextAngle = DefTextAngle;
  TAlignment FAlignment = DefTextAlignment;
  TBeforeShowValueEvent FOnShowValue;
  bool FShowValue = true;
};

}  // namespace jox
