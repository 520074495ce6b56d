// Sections: [lifecycle] [values] [range] [scale] [looks] [images] [events] [table]
#include <algorithm>
#include <cmath>
#include <limits>

#include "meter/meter.h"
#include "package/colorscheme.h"
#include "package/setters.h"
#include "package/units.h"

namespace jox {

namespace {

// A range end moved away from V by Dir (+1 or -1): V + Dir where that still differs from V, else a
// relative step, since V + 1 equals V beyond 2^53 and the range must not become empty.
// NaN when no finite value lies beyond V.
double StepAway(double V, double Dir) {
  double r = V + Dir;
  if (r == V) r = V + Dir * std::fabs(V) * 1e-9;
  return std::isfinite(r) ? r : std::numeric_limits<double>::quiet_NaN();
}

// std::clamp needs Lo <= Hi, which a range read from a form need not keep.
double ClampTo(double V, double Lo, double Hi) {
  if (V > Hi) return Hi;
  if (V < Lo) return Lo;
  return V;
}

}  // namespace

// [lifecycle] ------------------------------------------------------------------------------
TMeter::TMeter(TComponent* AOwner)
    : TGraphicControl(AOwner),
      AuxBGBmp(std::make_unique<TBitmap>(10, 10)),
      AuxACBmp(std::make_unique<TBitmap>(10, 10)),
      AuxACMaskBmp(std::make_unique<TBitmap>(10, 10)),
      FFontCaption(std::make_unique<TFont>()),
      FNeedleLayout(std::make_unique<TNeedleLayout>()),
      FNeedle2Layout(std::make_unique<TNeedleLayout>()) {
  FFontCaption->Assign(Font());
  FNeedle2Layout->SetVisible(false);
  FNeedleLayout->SetOnChange([this](TObject* s) { StyleChanged(s); });
  FNeedle2Layout->SetOnChange([this](TObject* s) { StyleChanged(s); });
  // The rims are still 0 here: a meter made at run time starts with geometry computed without them,
  // and the geometry follows them at the next resize, layout or rim change.
  SetBounds(Left(), Top(), DefWidth, DefHeight);
  FTRim = DefRimTop;
  FBRim = DefRimBottom;
  FSRim = DefRimSide;
  SetMessageHandler(WM_MOUSEMOVE, [this](TMessage& m) { WMMouseMove(m); });
}

TMeter::~TMeter() = default;

void TMeter::Loaded() {
  TGraphicControl::Loaded();
  if (FValue > FMaxValue) FValue = FMaxValue;
  if (FValue < FMinValue) FValue = FMinValue;
  if (!FBakGndFName.empty()) {
    try {
      AuxBGBmp->LoadFromFile(FBakGndFName);
    } catch (const std::exception&) {
      FBakGndFName.clear();
    }
  }
  if (!FACoverFName.empty() && !LoadAnchorImage()) FACoverFName.clear();
  PaintNow(this);
}

void TMeter::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  TGraphicControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  CalcMeterLayoutParams();
}

void TMeter::CalcMeterLayoutParams() {
  const TMeterGeometry g = CalcMeterGeometry(FMeterLayout, Width(), Height(), FTRim, FBRim, FSRim, FSizeAnchor);
  FMeterAngle = g.Angle;
  FMeterRadius = g.Radius;
  FMeterCenterX = g.CenterX;
  FMeterCenterY = g.CenterY;
}

void TMeter::StyleChanged(TObject*) { PaintNow(this); }

// [values] ---------------------------------------------------------------------------------
void TMeter::Classify(double V) {
  if (V >= FHighThreshold) {
    FOFL = true;
    DoOverFlowEvent();
  } else if (V > FLowThreshold) {
    DoNormalRangeEvent();
  } else {
    FUFL = true;
    DoUnderFlowEvent();
  }
}

void TMeter::SetValue(double Value) {
  if (std::isnan(Value)) return;  // no needle position to show
  if (IsLoading()) {
    FValue = Value;
    return;
  }
  if (Value == FValue) return;
  FValue = ClampTo(Value, FMinValue, FMaxValue);
  FOFL = FUFL = false;
  if (FNeedleLayout->Visible()) Classify(FValue);
  PaintNow(this);
}

void TMeter::SetValueSec(double Value) {
  if (std::isnan(Value)) return;
  if (IsLoading()) {
    FValue2 = Value;
    return;
  }
  if (Value == FValue2) return;
  FValue2 = ClampTo(Value, FMinValue, FMaxValue);
  FOFL = FUFL = false;
  if (!FNeedle2Layout->Visible()) return;
  Classify(FValue2);
  PaintNow(this);
}

// [range] ----------------------------------------------------------------------------------
void TMeter::SetMeterMinValue(double Value) {
  if (!std::isfinite(Value)) return;  // an infinite end leaves no scale
  if (FLogarithmic && Value < MinLogValue) return;
  if (IsLoading()) {
    FMinValue = Value;
    return;
  }
  if (Value == FMinValue) return;
  double newMax = FMaxValue;
  if (newMax <= Value) {
    newMax = StepAway(Value, +1);
    if (std::isnan(newMax)) return;
  }
  FMinValue = Value;
  FMaxValue = newMax;
  if (FValue < Value) FValue = Value;
  if (FValue2 < Value) FValue2 = Value;
  if (FLowThreshold < Value) FLowThreshold = Value;
  if (FHighThreshold < Value) FHighThreshold = Value;
  KeepLogRange();
  PaintNow(this);
}

void TMeter::SetMeterMaxValue(double Value) {
  if (!std::isfinite(Value)) return;
  if (FLogarithmic && Value < MinLogValue) return;
  if (IsLoading()) {
    FMaxValue = Value;
    return;
  }
  if (Value == FMaxValue) return;
  double newMin = FMinValue;
  if (Value <= newMin) {
    newMin = StepAway(Value, -1);
    if (FLogarithmic && !(newMin > 0)) newMin = Value / 10;
    if (std::isnan(newMin)) return;
  }
  FMaxValue = Value;
  FMinValue = newMin;
  if (FValue > Value) FValue = Value;
  if (FValue2 > Value) FValue2 = Value;
  if (FLowThreshold > Value) FLowThreshold = Value;
  if (FHighThreshold > Value) FHighThreshold = Value;
  KeepLogRange();
  PaintNow(this);
}

void TMeter::KeepLogRange() {
  if (FLogarithmic && !(FMinValue > MinLogValue && FMaxValue > MinLogValue)) FLogarithmic = false;
}

void TMeter::SetThresholdLow(double Value) {
  if (std::isnan(Value)) return;
  if (FLogarithmic && Value < MinLogValue) return;
  if (IsLoading()) {
    FLowThreshold = Value;
    return;
  }
  if (Value == FLowThreshold) return;
  FLowThreshold = ClampTo(Value, FMinValue, FMaxValue);
  if (FLowThreshold > FHighThreshold) FHighThreshold = FLowThreshold;
  FUFL = false;
  if (FValue <= FLowThreshold) {
    FUFL = true;
    DoUnderFlowEvent();
  }
  PaintNow(this);
}

void TMeter::SetThresholdHigh(double Value) {
  if (std::isnan(Value)) return;
  if (FLogarithmic && Value < MinLogValue) return;
  if (IsLoading()) {
    FHighThreshold = Value;
    return;
  }
  if (Value == FHighThreshold) return;
  FHighThreshold = ClampTo(Value, FMinValue, FMaxValue);
  if (FHighThreshold < FLowThreshold) FLowThreshold = FHighThreshold;
  FOFL = false;
  if (FValue >= FHighThreshold) {
    FOFL = true;
    DoOverFlowEvent();
  }
  PaintNow(this);
}

void TMeter::SetLogarithmic(bool Value) {
  if (IsLoading()) {
    FLogarithmic = Value;
    return;
  }
  if (Value == FLogarithmic) return;
  FLogarithmic = Value && FMinValue > MinLogValue && FMaxValue > MinLogValue;
  PaintNow(this);
}

// [scale] ----------------------------------------------------------------------------------
void TMeter::SetMeterLayout(TMeterLayout Value) {
  if (Value > mlCirc360) return;  // an ordinal no layout has
  FMeterLayout = Value;
  // Recomputed and painted even when unchanged: setting the layout again refits the dial.
  CalcMeterLayoutParams();
  PaintNow(this);
}

void TMeter::SetMeterNrTicks(Integer Value) {
  Value = std::clamp<Integer>(Value, 2, 21);
  if (Value == FNrTicks) return;
  FNrTicks = Value;
  PaintNow(this);
}

void TMeter::SetMeterDecPlaces(Integer Value) {
  Value = std::clamp<Integer>(Value, 0, 4);
  if (Value == FDecPlaces) return;
  FDecPlaces = Value;
  PaintNow(this);
}

void TMeter::SetMeterShortTicks(bool Value) { StoreAndPaint(this, FShortTicks, Value); }
void TMeter::SetMeterScaleLine(bool Value) { StoreAndPaint(this, FScaleLine, Value); }
void TMeter::SetColorSclBkLow(TColor Value) { StoreAndPaint(this, FColorBakGLow, Value); }
void TMeter::SetColorSclBkNorm(TColor Value) { StoreAndPaint(this, FColorBakGNorm, Value); }
void TMeter::SetColorSclBkHigh(TColor Value) { StoreAndPaint(this, FColorBakGHigh, Value); }
void TMeter::SetColorBakG(TColor Value) { StoreAndPaint(this, FColorBakG, Value); }
void TMeter::SetColorCover(TColor Value) { StoreAndPaint(this, FColorCover, Value); }
void TMeter::SetColorScale(TColor Value) { StoreAndPaint(this, FColorScale, Value); }
void TMeter::SetFrameStyle(TFrameStyle Value) { StoreAndPaint(this, FFrameStyle, Value); }
void TMeter::SetAnchorCovered(bool Value) { StoreAndPaint(this, FAnchorCovrd, Value); }
void TMeter::SetAnchorSize(Integer Value) { SetGeometrySize(FSizeAnchor, Value); }
void TMeter::SetLimWatchHighOn(bool Value) { StoreAndPaint(this, FLimWatHighOn, Value); }
void TMeter::SetLimWatchLowOn(bool Value) { StoreAndPaint(this, FLimWatLowOn, Value); }
void TMeter::SetLimWatchActColor(TColor Value) { StoreAndPaint(this, FLimWatActCol, Value); }
void TMeter::SetLimWatchPsvColor(TColor Value) { StoreAndPaint(this, FLimWatPsvCol, Value); }

// A rim change also fits the dial to the new rims at once, instead of at the next resize.
void TMeter::SetGeometrySize(Integer& Field, Integer Value) {
  if (Value == Field) return;
  Field = Value;
  CalcMeterLayoutParams();
  PaintNow(this);
}
void TMeter::SetRimTop(Integer Value) { SetGeometrySize(FTRim, Value); }
void TMeter::SetRimBottom(Integer Value) { SetGeometrySize(FBRim, Value); }
void TMeter::SetRimSide(Integer Value) { SetGeometrySize(FSRim, Value); }

void TMeter::SetScaleVisible(bool Value) {
  FScaleVis = Value;
  PaintNow(this);
}

void TMeter::SetScaleBkVisible(bool Value) {
  FScaleBkVis = Value;
  PaintNow(this);
}

void TMeter::SetScaleBkWidth(double Value) {
  if (std::isnan(Value)) return;
  FScaleBakWidth = std::clamp(Value, 0.0, 100.0);
  PaintNow(this);
}

// [looks] ----------------------------------------------------------------------------------
void TMeter::SetColorScheme(TColorScheme Value) {
  if (Value == FColorScheme) return;
  FColorScheme = Value;
  SchemeLineColors(Value, true, StyleElements(), FColGrayLine, FColWhiteLine, &FColBlackLine);
  PaintNow(this);
}

void TMeter::SetCaption(const String& Value) {
  FCaption = Value;
  PaintNow(this);
}

void TMeter::SetFontCaption(TFont* Value) {
  if (Value) FFontCaption->Assign(Value);
  PaintNow(this);
}

void TMeter::SetNeedleLayout(TNeedleLayout* Value) { FNeedleLayout->Assign(Value); }
void TMeter::SetNeedleLayoutSec(TNeedleLayout* Value) { FNeedle2Layout->Assign(Value); }

// [images] ---------------------------------------------------------------------------------
void TMeter::SetBkgndFillMode(TBkgFill Value) {
  FBGFillMode = Value;
  PaintNow(this);
}

void TMeter::SetBackGroundImg(const String& Value) {
  if (IsLoading()) {  // Loaded reads the file
    FBakGndFName = Value;
    return;
  }
  if (!Value.empty() && FileExists(Value)) {
    FBakGndFName = Value;
    try {
      AuxBGBmp->LoadFromFile(Value);
    } catch (...) {
      // The error goes to the caller, but the previous picture must not stay on the dial.
      AuxBGBmp->SetSize(0, 0);
      PaintNow(this);
      throw;
    }
  } else {
    FBakGndFName.clear();
  }
  PaintNow(this);
}

bool TMeter::LoadAnchorImage() {
  try {
    AuxACBmp->LoadFromFile(FACoverFName);
    AuxACMaskBmp->LoadFromFile(FACoverFName);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void TMeter::SetAnchorImage(const String& Value) {
  if (IsLoading()) {
    FACoverFName = Value;
    return;
  }
  FACoverFName.clear();
  if (!Value.empty() && FileExists(Value)) {
    FACoverFName = Value;
    if (!LoadAnchorImage()) FACoverFName.clear();
  }
  PaintNow(this);
}

// [events] ---------------------------------------------------------------------------------
void TMeter::DoOverFlowEvent() {
  if (FOnOverFlow) FOnOverFlow(this);
}
void TMeter::DoUnderFlowEvent() {
  if (FOnUnderFlow) FOnUnderFlow(this);
}
void TMeter::DoNormalRangeEvent() {
  if (FOnNormalRange) FOnNormalRange(this);
}

void TMeter::MouseMoveInMeter(bool WithinRange, TShiftState Shift, double MeterValue) {
  if (FOnMMvInMeter) FOnMMvInMeter(this, WithinRange, Shift, MeterValue);
}

void TMeter::WMMouseMove(TMessage& Message) {
  DefaultHandler(Message);  // MouseMove and OnMouseMove first
  const TPoint p = LParamToPoint(Message.LParam);
  double v = 0;
  const bool within = ConvertPixelToValue(p.X, p.Y, v);
  MouseMoveInMeter(within, TShiftState(Word(Message.WParam & 0x7F)), v);
}

// [table] ----------------------------------------------------------------------------------
const TClassInfo& TMeter::ClassInfo() {
  using M = TMeter;
  static const TClassInfo info =
      TClassBuilder<TMeter>(&TGraphicControl::ClassInfo())
          .Prop("MeterMinValue", &M::MeterMinValue, &M::SetMeterMinValue, DefMinValue)
          .Prop("MeterMaxValue", &M::MeterMaxValue, &M::SetMeterMaxValue, DefMaxValue)
          .Prop("Value", &M::Value, &M::SetValue, DefValue)
          .Prop("ValueSec", &M::ValueSec, &M::SetValueSec, DefValue)
          .Prop("ThresholdLow", &M::ThresholdLow, &M::SetThresholdLow, DefThresholdLow)
          .Prop("ThresholdHigh", &M::ThresholdHigh, &M::SetThresholdHigh, DefThresholdHigh)
          .Prop("Logarithmic", &M::Logarithmic, &M::SetLogarithmic, false)
          .Prop("MeterLayout", &M::MeterLayout, &M::SetMeterLayout, DefMeterLayout)
          .Prop("MeterNrTicks", &M::MeterNrTicks, &M::SetMeterNrTicks, DefNrTicks)
          .Prop("MeterDecPlaces", &M::MeterDecPlaces, &M::SetMeterDecPlaces, DefDecPlaces)
          .Prop("MeterShortTicks", &M::MeterShortTicks, &M::SetMeterShortTicks, true)
          .Prop("MeterScaleLine", &M::MeterScaleLine, &M::SetMeterScaleLine, true)
          .Prop("ScaleVisible", &M::ScaleVisible, &M::SetScaleVisible, true)
          .Prop("ScaleBkVisible", &M::ScaleBkVisible, &M::SetScaleBkVisible, false)
          .Prop("ScaleBkWidth", &M::ScaleBkWidth, &M::SetScaleBkWidth, DefScaleBkWidth)
          .Prop("ColorSclBkLow", &M::ColorSclBkLow, &M::SetColorSclBkLow, DefColorSclBkLow)
          .Prop("ColorSclBkNorm", &M::ColorSclBkNorm, &M::SetColorSclBkNorm, DefColorSclBkNorm)
          .Prop("ColorSclBkHigh", &M::ColorSclBkHigh, &M::SetColorSclBkHigh, DefColorSclBkHigh)
          .Prop("ColorBakG", &M::ColorBakG, &M::SetColorBakG, DefColorBakG)
          .Prop("ColorCover", &M::ColorCover, &M::SetColorCover, DefColorCover)
          .Prop("ColorScale", &M::ColorScale, &M::SetColorScale, DefColorScale)
          .Prop("ColorScheme", &M::ColorScheme, &M::SetColorScheme, DefColorScheme)
          .Prop("FrameStyle", &M::FrameStyle, &M::SetFrameStyle, DefFrameStyle)
          .Prop("RimTop", &M::RimTop, &M::SetRimTop, DefRimTop)
          .Prop("RimBottom", &M::RimBottom, &M::SetRimBottom, DefRimBottom)
          .Prop("RimSide", &M::RimSide, &M::SetRimSide, DefRimSide)
          .Prop("AnchorCovered", &M::AnchorCovered, &M::SetAnchorCovered, true)
          .Prop("AnchorSize", &M::AnchorSize, &M::SetAnchorSize, DefAnchorSize)
          .Prop("AnchorImage", &M::AnchorImage, &M::SetAnchorImage, String())
          .Prop("BackGroundImg", &M::BackGroundImg, &M::SetBackGroundImg, String())
          .Prop("BkgndFillMode", &M::BkgndFillMode, &M::SetBkgndFillMode, DefBkgndFillMode)
          .Prop("LimWatchHighOn", &M::LimWatchHighOn, &M::SetLimWatchHighOn, true)
          .Prop("LimWatchLowOn", &M::LimWatchLowOn, &M::SetLimWatchLowOn, true)
          .Prop("LimWatchActColor", &M::LimWatchActColor, &M::SetLimWatchActColor, DefLimWatchActColor)
          .Prop("LimWatchPsvColor", &M::LimWatchPsvColor, &M::SetLimWatchPsvColor, DefLimWatchPsvColor)
          .Prop("Caption", &M::Caption, &M::SetCaption, String())
          .Prop("FontCaption", &M::FontCaption, &M::SetFontCaption)
          .Prop("NeedleLayout", &M::NeedleLayout, &M::SetNeedleLayout)
          .Prop("NeedleLayoutSec", &M::NeedleLayoutSec, &M::SetNeedleLayoutSec)
          .Event("OnOverFlow")
          .Event("OnUnderFlow")
          .Event("OnNormalRange")
          .Event("OnMouseMoveInMeter")
          .Event("OnBeforeDrawScaleLabel")
          .Event("OnBeforeDrawNeedle")
          .Event("OnMeterRendered")
          .Publish(ControlProperties(), pgBounds)
          .Publish(ControlProperties(), {"Align", "DragKind", "DragCursor", "DragMode", "Font", "Hint",
                                         "ParentFont", "ParentShowHint", "ShowHint", "StyleElements", "Visible",
                                         "OnClick", "OnDblClick", "OnMouseDown", "OnMouseMove", "OnMouseUp",
                                         "OnDragDrop", "OnDragOver", "OnEndDrag", "OnStartDrag"});
  return info;
}

// Registered for form text by the unit's start-up.
static const TUnitClasses MeterClasses(juMeter, {&TMeter::ClassInfo, &TNeedleLayout::ClassInfo});

// [copying] ------------------------------------------------------------------------------------------------
void TMeter::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TMeter*>(Source)) {
    AssignPublished(this, s);
    return;
  }
  TGraphicControl::Assign(Source);
}

void TMeter::AssignTo(TPersistent* Dest) {
  if (dynamic_cast<TMeter*>(Dest))
    Dest->Assign(this);
  else
    TGraphicControl::AssignTo(Dest);
}

}  // namespace jox
