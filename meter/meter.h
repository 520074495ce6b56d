// The analog meter: a needle sweeping a linear or logarithmic circular scale with low, normal and
// high bands, two limit lamps, a caption, cover rims, a hub and a second needle.
// Sections: [events] [needle] [meter]
//
// Sources: needlelayout.cpp (TNeedleLayout), meter_model.cpp (creation, value, range, thresholds,
// events, images, class table), meter_scale.cpp (ticks and labels), meter_geometry.cpp (layouts
// and conversions), meter_paint.cpp (Paint).
#pragma once

#include <memory>

#include "meter/meter_geometry.h"
#include "meter/meter_scale.h"
#include "package/core/coretypes.h"
#include "package/framework/base/component.h"
#include "package/framework/controls/controls.h"
#include "package/framework/graphics/graphics.h"

namespace jox {

// [events] -------------------------------------------------------------------------------------
// WithinRange: the pointer lies in the scale's sector; MeterValue is then the value under it (else 0).
using TMouseMoveInMeterEvent =
    std::function<void(TObject* Sender, bool WithinRange, TShiftState Shift, double MeterValue)>;
// Before a scale label is drawn; ChartX/ChartY is its top-left corner. The handler may change the
// text (an empty one draws nothing) or draw on Canvas itself.
using TmtBeforeDrawScaleLabelEvent = std::function<void(TObject* Sender, TCanvas* Canvas, String& CurrentTickLabel,
                                                        Integer ChartX, Integer ChartY)>;
// Before the primary needle is drawn; setting NeedleDrawn leaves the needle and its shadow out.
using TBeforeDrawNeedleEvent = std::function<void(TObject* Sender, TCanvas* Canvas, bool& NeedleDrawn)>;
// After the dial is drawn, before the outer frame; Canvas is the off-screen bitmap's.
using TMeterRenderedEvent = std::function<void(TObject* Sender, TCanvas* Canvas)>;

// [needle] -------------------------------------------------------------------------------------
// Looks of one needle. Every setter that changes a value calls OnChange (the owning meter repaints).
// Whole layouts cannot be assigned to each other; change them property by property.
class TNeedleLayout : public TPersistent {
 public:
  static constexpr Integer DefHeadSize = 20, DefHeadAngle = 30, DefHeadMidLeng = 20, DefThickness = 0,
                           DefPercentNeedleLength = 100, DefShadowDx = 0, DefShadowDy = 0;
  static constexpr TColor DefColorBody = clSilver, DefColorOutline = clBlack, DefShadowColor = clGray;
  static constexpr bool DefVisible = true;

  TNeedleLayout() = default;

  // Length in pixels of both sides of the arrow head, from the tip. Default 20.
  Integer HeadSize() const { return FSize1; }
  void SetHeadSize(Integer Value);
  // Full opening angle of the head in degrees, clamped to 0..180. Default 30.
  Integer HeadAngle() const { return FAngle1; }
  void SetHeadAngle(Integer Value);
  // Distance from the tip back to where the shaft meets the head. Default 20.
  Integer HeadMidLeng() const { return FBackShift1; }
  void SetHeadMidLeng(Integer Value);
  // Width of the shaft; 0 collapses it to a line. Default 0.
  Integer Thickness() const { return FThickness; }
  void SetThickness(Integer Value);
  // Fill colour, default clSilver; outline colour, default clBlack.
  TColor ColorBody() const { return FColorFill; }
  void SetColorBody(TColor Value);
  TColor ColorOutline() const { return FColorLine; }
  void SetColorOutline(TColor Value);
  // Length in percent of the scale radius less 4, clamped to 0..100. Default 100.
  Integer PercentNeedleLength() const { return FPctNeedleLeng; }
  void SetPercentNeedleLength(Integer Value);
  // The shadow lies ShadowDx pixels left of and ShadowDy above the needle; none while both are 0.
  Integer ShadowDx() const { return FShadowDx; }
  void SetShadowDx(Integer Value);
  Integer ShadowDy() const { return FShadowDy; }
  void SetShadowDy(Integer Value);
  TColor ShadowColor() const { return FShadowColor; }  // default clGray
  void SetShadowColor(TColor Value);
  // Whether value changes of this needle fire the threshold events (the secondary needle is also
  // drawn only while set). Default true; false for a meter's secondary needle.
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

  JOX_CLASS_TABLE

 protected:
  // Calls OnChange(this) when assigned.
  void Changed();

 private:
  template <class T>
  void Store(T& Field, T Value);

  TColor FColorFill = DefColorBody;
  TColor FColorLine = DefColorOutline;
  Integer FSize1 = DefHeadSize;
  Integer FThickness = DefThickness;
  Integer FPctNeedleLeng = DefPercentNeedleLength;
  Integer FAngle1 = DefHeadAngle;
  Integer FBackShift1 = DefHeadMidLeng;
  Integer FShadowDx = DefShadowDx;
  Integer FShadowDy = DefShadowDy;
  TColor FShadowColor = DefShadowColor;
  TNotifyEvent FOnChange;
  bool FVisible = DefVisible;
};

// [meter] --------------------------------------------------------------------------------------
// Every setter paints at once (not while the form is being read: Loaded paints then). Outside
// loading the setters keep MeterMinValue < MeterMaxValue, ThresholdLow <= ThresholdHigh, thresholds
// and values inside the range, and a logarithmic range at 1e-100 or above.
class TMeter : public TGraphicControl {
 public:
  static constexpr Integer DefWidth = 297, DefHeight = 209;
  static constexpr double DefMinValue = 0, DefMaxValue = 1.0, DefValue = 0, DefThresholdLow = 0,
                          DefThresholdHigh = 1.0, DefScaleBkWidth = 0;
  static constexpr TMeterLayout DefMeterLayout = mlCirc90;
  static constexpr Integer DefNrTicks = 3, DefDecPlaces = 1, DefRimTop = 8, DefRimBottom = 10, DefRimSide = 10,
                           DefAnchorSize = 24;
  static constexpr TColor DefColorSclBkLow = clLime, DefColorSclBkNorm = 0x0080FF, DefColorSclBkHigh = clRed,
                          DefColorBakG = clWhite, DefColorCover = clBtnFace, DefColorScale = clNavy,
                          DefLimWatchActColor = clRed, DefLimWatchPsvColor = clGray;
  static constexpr TColorScheme DefColorScheme = TColorScheme(0);
  static constexpr TFrameStyle DefFrameStyle = TFrameStyle(3);
  static constexpr TBkgFill DefBkgndFillMode = TBkgFill(0);
  // Smallest end of a logarithmic range.
  static constexpr double MinLogValue = 1e-100;

  explicit TMeter(TComponent* AOwner);
  ~TMeter() override;

  // --- conversions
  // Dial angle of a value (clamped to the range) in degrees, clockwise from straight down.
  double CalcNeedleAngle(double Value) const;
  // The control pixel at PctRadius percent of the radius on the ray of Value.
  void ConvertToPixelCoords(double Value, double PctRadius, Integer& X, Integer& Y) const;
  // The value under a pixel; false (and 0) when the pixel lies outside the scale's sector.
  bool ConvertPixelToValue(Integer XPos, Integer YPos, double& MeterValue) const;

  // Inherited resize, then the layout geometry anew.
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  void Paint() override;

  // --- derived geometry (read only)
  Integer MeterAngle() const { return FMeterAngle; }
  double MeterRadius() const { return FMeterRadius; }
  Integer MeterCenterX() const { return FMeterCenterX; }
  Integer MeterCenterY() const { return FMeterCenterY; }

  // --- range and values
  // Ends of the scale, default 0 and 1. A new minimum at or above the maximum moves the maximum to
  // minimum + 1; a new maximum at or below the minimum moves the minimum to maximum - 1 (maximum / 10
  // on a logarithmic scale when that is not positive). Values and thresholds follow into the range.
  double MeterMinValue() const { return FMinValue; }
  void SetMeterMinValue(double Value);
  double MeterMaxValue() const { return FMaxValue; }
  void SetMeterMaxValue(double Value);
  // Primary needle, default 0; clamped into the range; each effective change fires one of
  // OnOverFlow, OnNormalRange, OnUnderFlow while NeedleLayout is visible.
  double Value() const { return FValue; }
  void SetValue(double Value);
  // Secondary needle, default 0; fires the same events and repaints only while NeedleLayoutSec is visible.
  double ValueSec() const { return FValue2; }
  void SetValueSec(double Value);
  // End of the low band (underflow limit), default 0; start of the high band (overflow limit), default 1.
  double ThresholdLow() const { return FLowThreshold; }
  void SetThresholdLow(double Value);
  double ThresholdHigh() const { return FHighThreshold; }
  void SetThresholdHigh(double Value);
  // Default false; stays false unless both range ends are at least 1e-100.
  bool Logarithmic() const { return FLogarithmic; }
  void SetLogarithmic(bool Value);

  // --- scale
  // Sweep of the scale, default mlCirc90; a change recomputes the geometry.
  TMeterLayout MeterLayout() const { return FMeterLayout; }
  void SetMeterLayout(TMeterLayout Value);
  // Wanted number of labelled intervals, clamped to 2..21, default 3.
  Integer MeterNrTicks() const { return FNrTicks; }
  void SetMeterNrTicks(Integer Value);
  // Decimals of the labels, clamped to 0..4, default 1.
  Integer MeterDecPlaces() const { return FDecPlaces; }
  void SetMeterDecPlaces(Integer Value);
  bool MeterShortTicks() const { return FShortTicks; }  // minor ticks, default true
  void SetMeterShortTicks(bool Value);
  bool MeterScaleLine() const { return FScaleLine; }  // scale arc, default true
  void SetMeterScaleLine(bool Value);
  bool ScaleVisible() const { return FScaleVis; }  // line, ticks and labels, default true
  void SetScaleVisible(bool Value);
  bool ScaleBkVisible() const { return FScaleBkVis; }  // coloured bands, default false
  void SetScaleBkVisible(bool Value);
  // Band width in percent of the radius, clamped to 0..100, default 0 (a ring 4 pixels wide).
  double ScaleBkWidth() const { return FScaleBakWidth; }
  void SetScaleBkWidth(double Value);

  // --- colours
  TColor ColorSclBkLow() const { return FColorBakGLow; }  // default clLime
  void SetColorSclBkLow(TColor Value);
  TColor ColorSclBkNorm() const { return FColorBakGNorm; }  // default orange 0x0080FF
  void SetColorSclBkNorm(TColor Value);
  TColor ColorSclBkHigh() const { return FColorBakGHigh; }  // default clRed
  void SetColorSclBkHigh(TColor Value);
  TColor ColorBakG() const { return FColorBakG; }  // dial background, default clWhite
  void SetColorBakG(TColor Value);
  TColor ColorCover() const { return FColorCover; }  // rims and hub, default clBtnFace
  void SetColorCover(TColor Value);
  TColor ColorScale() const { return FColorScale; }  // line, ticks, labels, default clNavy
  void SetColorScale(TColor Value);
  // Frame line colours: ordinal 0 classic gray and white, others the system colours. Default 0.
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme Value);
  // Outer frame: 0 none, 1 simple, 2 sunken, 3 raised (default), 4 and 5 double lines.
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle Value);

  // --- cover and hub
  // Rim widths, default 8 (top), 10 (bottom, sides). A change fits the dial to the new rims.
  Integer RimTop() const { return FTRim; }
  void SetRimTop(Integer Value);
  Integer RimBottom() const { return FBRim; }
  void SetRimBottom(Integer Value);
  Integer RimSide() const { return FSRim; }
  void SetRimSide(Integer Value);
  bool AnchorCovered() const { return FAnchorCovrd; }  // hub drawn, default true
  void SetAnchorCovered(bool Value);
  Integer AnchorSize() const { return FSizeAnchor; }  // hub radius, default 24
  void SetAnchorSize(Integer Value);
  // Bitmap file drawn as the hub; a missing or unreadable file clears the name.
  const String& AnchorImage() const { return FACoverFName; }
  void SetAnchorImage(const String& Value);
  // Bitmap file drawn as the background; a missing file clears the name, a load error is raised
  // with the name kept.
  const String& BackGroundImg() const { return FBakGndFName; }
  void SetBackGroundImg(const String& Value);
  TBkgFill BkgndFillMode() const { return FBGFillMode; }  // natural size (default), stretched, tiled
  void SetBkgndFillMode(TBkgFill Value);

  // --- lamps
  bool LimWatchHighOn() const { return FLimWatHighOn; }  // default true
  void SetLimWatchHighOn(bool Value);
  bool LimWatchLowOn() const { return FLimWatLowOn; }  // default true
  void SetLimWatchLowOn(bool Value);
  TColor LimWatchActColor() const { return FLimWatActCol; }  // lit, default clRed
  void SetLimWatchActColor(TColor Value);
  TColor LimWatchPsvColor() const { return FLimWatPsvCol; }  // unlit, default clGray
  void SetLimWatchPsvColor(TColor Value);

  // --- caption and needles
  // Written inside the dial, a third of the radius above the centre, in FontCaption. Default "".
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  // A copy of Font at creation; the setter copies the given font.
  TFont* FontCaption() const { return FFontCaption.get(); }
  void SetFontCaption(TFont* Value);
  TNeedleLayout* NeedleLayout() const { return FNeedleLayout.get(); }
  // Passes Value to the owned layout's Assign, which rejects whole layouts (EConvertError).
  void SetNeedleLayout(TNeedleLayout* Value);
  TNeedleLayout* NeedleLayoutSec() const { return FNeedle2Layout.get(); }
  void SetNeedleLayoutSec(TNeedleLayout* Value);

  // --- events
  const TNotifyEvent& OnOverFlow() const { return FOnOverFlow; }
  void SetOnOverFlow(TNotifyEvent E) { FOnOverFlow = std::move(E); }
  const TNotifyEvent& OnUnderFlow() const { return FOnUnderFlow; }
  void SetOnUnderFlow(TNotifyEvent E) { FOnUnderFlow = std::move(E); }
  const TNotifyEvent& OnNormalRange() const { return FOnNormalRange; }
  void SetOnNormalRange(TNotifyEvent E) { FOnNormalRange = std::move(E); }
  const TMouseMoveInMeterEvent& OnMouseMoveInMeter() const { return FOnMMvInMeter; }
  void SetOnMouseMoveInMeter(TMouseMoveInMeterEvent E) { FOnMMvInMeter = std::move(E); }
  const TmtBeforeDrawScaleLabelEvent& OnBeforeDrawScaleLabel() const { return FOnBefDrawScaleLabel; }
  void SetOnBeforeDrawScaleLabel(TmtBeforeDrawScaleLabelEvent E) { FOnBefDrawScaleLabel = std::move(E); }
  const TBeforeDrawNeedleEvent& OnBeforeDrawNeedle() const { return FOnBefDrawNeedle; }
  void SetOnBeforeDrawNeedle(TBeforeDrawNeedleEvent E) { FOnBefDrawNeedle = std::move(E); }
  const TMeterRenderedEvent& OnMeterRendered() const { return FOnMeterRendered; }
  void SetOnMeterRendered(TMeterRenderedEvent E) { FOnMeterRendered = std::move(E); }

  // From another TMeter: its published properties; another class raises EConvertError.
  void Assign(TPersistent* Source) override;
  JOX_CLASS_TABLE

 protected:
  TAccessible* CreateAccessible() override;  // how assistive technology sees it
  void AssignTo(TPersistent* Dest) override;
  void Loaded() override;
  void CalcMeterLayoutParams();
  void DoOverFlowEvent();
  void DoUnderFlowEvent();
  void DoNormalRangeEvent();
  // Repaints; the handler of both needle layouts' OnChange.
  void StyleChanged(TObject* Sender);
  void MouseMoveInMeter(bool WithinRange, TShiftState Shift, double MeterValue);

 private:
  void WMMouseMove(TMessage& Message);
  // Stores a size the dial's geometry depends on (rims, hub), refits the dial and repaints.
  void SetGeometrySize(Integer& Field, Integer Value);
  // A logarithmic scale needs both ends above MinLogValue; a setter that moved one below ends it.
  void KeepLogRange();
  bool IsLoading() const { return ComponentState().Contains(csLoading); }
  // Sets the lamp state of a needle's value and fires its zone's event.
  void Classify(double V);
  // Scale fraction as painting uses it (logarithmic only for a positive range and value).
  double Fraction(double V) const;
  // Drawing angle of a value in radians.
  double ThetaRad(double V) const;
  // Brings both values and thresholds into the range.
  void ClampIntoRange();
  void LoadBackground();
  bool LoadAnchorImage();

  // Paint steps (meter_paint.cpp).
  void PaintBackground(TCanvas* C);
  void PaintBands(TCanvas* C);
  void PaintScale(TCanvas* C);
  void PaintCaption(TCanvas* C);
  void PaintNeedle(TCanvas* C, const TNeedleLayout& Layout, double V);
  void PaintRims(TCanvas* C);
  void PaintHub(TCanvas* C);
  void PaintLamps(TCanvas* C);
  void PaintFrame(TCanvas* C);

  bool FAnchorCovrd = true;
  std::unique_ptr<TBitmap> AuxBGBmp;
  std::unique_ptr<TBitmap> AuxACBmp;
  std::unique_ptr<TBitmap> AuxACMaskBmp;
  String FBakGndFName;
  TBkgFill FBGFillMode = DefBkgndFillMode;
  String FACoverFName;
  bool FLogarithmic = false;
  bool FScaleVis = true;
  Integer FSizeAnchor = DefAnchorSize;
  bool FLimWatHighOn = true, FLimWatLowOn = true;
  TColor FLimWatActCol = DefLimWatchActColor, FLimWatPsvCol = DefLimWatchPsvColor;
  bool FOFL = false;
  bool FUFL = false;
  TColor FColorScale = DefColorScale;
  String FCaption;
  TFrameStyle FFrameStyle = DefFrameStyle;
  Integer FDecPlaces = DefDecPlaces;
  Integer FNrTicks = DefNrTicks;
  Integer FBRim = 0, FSRim = 0, FTRim = 0;
  bool FShortTicks = true;
  bool FScaleLine = true;
  TColor FColorBakG = DefColorBakG;
  TColor FColorCover = DefColorCover;
  TColor FColBlackLine = clBlack, FColGrayLine = clGray, FColWhiteLine = clWhite;
  TColorScheme FColorScheme = DefColorScheme;
  TColor FColorBakGLow = DefColorSclBkLow, FColorBakGNorm = DefColorSclBkNorm, FColorBakGHigh = DefColorSclBkHigh;
  std::unique_ptr<TFont> FFontCaption;
  double FScaleBakWidth = DefScaleBkWidth;
  bool FScaleBkVis = false;
  double FLowThreshold = DefThresholdLow, FHighThreshold = DefThresholdHigh;
  std::unique_ptr<TNeedleLayout> FNeedleLayout, FNeedle2Layout;
  TMeterLayout FMeterLayout = DefMeterLayout;
  Integer FMeterAngle = 90;
  double FMeterRadius = 0;
  Integer FMeterCenterX = 0, FMeterCenterY = 0;
  double FValue = DefValue, FValue2 = DefValue;
  double FMinValue = DefMinValue, FMaxValue = DefMaxValue;
  TMouseMoveInMeterEvent FOnMMvInMeter;
  TNotifyEvent FOnOverFlow, FOnUnderFlow, FOnNormalRange;
  TmtBeforeDrawScaleLabelEvent FOnBefDrawScaleLabel;
  TMeterRenderedEvent FOnMeterRendered;
  TBeforeDrawNeedleEvent FOnBefDrawNeedle;
};

}  // namespace jox
