// Sections: [lifecycle] [colour table] [value] [looks] [text] [timer] [table]
#include <algorithm>
#include <cmath>

#include "package/colorscheme.h"
#include "package/setters.h"
#include "package/units.h"
#include "progbar/progbar.h"

namespace jox {

namespace {

// The colour at fraction X of the way from C1 to C2, byte by byte; system colours are taken as
// they are, not resolved.
TColor Interpolate(TColor C1, TColor C2, double X) {
  X = std::clamp(X, 0.0, 1.0);
  auto mix = [X](Byte a, Byte b) { return Byte(std::trunc(a + (double(b) - a) * X)); };
  return RGB(mix(GetRValue(C1), GetRValue(C2)), mix(GetGValue(C1), GetGValue(C2)),
             mix(GetBValue(C1), GetBValue(C2)));
}

}  // namespace

// [lifecycle] ------------------------------------------------------------------------------
TProgBar::TProgBar(TComponent* AOwner)
    : TGraphicControl(AOwner),
      FTimerWnd(std::make_unique<TTimerWindow>(this, [this] { DoTimer(); }, TTimerWindow::ErrorClass<EJOXProgBar>())),
      AuxBmp(std::make_unique<TBitmap>(10, 10)) {
  SetBounds(Left(), Top(), DefWidth, DefHeight);
  FBarColorArray[0] = DefColorMin;
  FBarColorArray[ColorTableSize - 1] = DefColorMax;
  FillColorTable();
}

TProgBar::~TProgBar() = default;

void TProgBar::Loaded() {
  TGraphicControl::Loaded();
  // The rules of the text position setters, with the size read by now.
  ApplyRule(FTextPosX, [this](Integer v) { return std::clamp(v, 0, std::max(Width(), 0)); });
  ApplyRule(FTextPosY, [this](Integer v) { return std::clamp(v, 0, std::max(Height(), 0)); });
  PaintNow(this);
}

// Grid distance, margins and the text's place are designed pixels: they grow with a scaled form.
void TProgBar::ChangeScale(double K) {
  for (Integer* v : {&FGridDist, &FMarginLeft, &FMarginRight, &FMarginTop, &FMarginBottom, &FTextPosX, &FTextPosY})
    *v = ScaledMetric(K, *v);
  Invalidate();
}

// Only a bar takes a bar's settings: handed to a base-class object, they would come straight back.
void TProgBar::AssignTo(TPersistent* Dest) {
  if (dynamic_cast<TProgBar*>(Dest))
    Dest->Assign(this);
  else
    TGraphicControl::AssignTo(Dest);
}

// The automatic increment and OnAutoInc stay as they are: each bar runs on its own.
void TProgBar::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TProgBar*>(Source);
  if (!S) {
    TGraphicControl::Assign(Source);
    return;
  }
  if (S == this) return;
  FOuterFrameSt = S->FOuterFrameSt;
  FInnerFrameSt = S->FInnerFrameSt;
  FProgValue = S->FProgValue;
  FProgMin = S->FProgMin;
  FProgMax = S->FProgMax;
  FColorMargin = S->FColorMargin;
  FColBlackLine = S->FColBlackLine;
  FColGrayLine = S->FColGrayLine;
  FColWhiteLine = S->FColWhiteLine;
  FColorScheme = S->FColorScheme;
  FDirection = S->FDirection;
  FBarColorArray = S->FBarColorArray;
  AuxBmp->Assign(S->AuxBmp.get());
  FColorBakG = S->FColorBakG;
  FColorGrad = S->FColorGrad;
  FColorGrid = S->FColorGrid;
  FGridDist = S->FGridDist;
  FColorMapMode = S->FColorMapMode;
  FMarginLeft = S->FMarginLeft;
  FMarginRight = S->FMarginRight;
  FMarginTop = S->FMarginTop;
  FMarginBottom = S->FMarginBottom;
  FBakGndFile = S->FBakGndFile;
  FTextPosX = S->FTextPosX;
  FTextPosY = S->FTextPosY;
  FTextDecPlaces = S->FTextDecPlaces;
  FTextAngle = S->FTextAngle;
  FAlignment = S->FAlignment;
  FOnShowValue = S->FOnShowValue;
  FShowValue = S->FShowValue;
  PaintNow(this);
}

// [colour table] ---------------------------------------------------------------------------
void TProgBar::FillColorTable() {
  const TColor lo = FBarColorArray[0], hi = FBarColorArray[ColorTableSize - 1];
  for (Integer i = 1; i < ColorTableSize - 1; ++i)
    FBarColorArray[size_t(i)] = Interpolate(lo, hi, double(i) / (ColorTableSize - 1));
}

TColor TProgBar::GetBarColorElem(Integer ix) const {
  if (ix < 0 || ix >= ColorTableSize) return 0;
  return FBarColorArray[size_t(ix)];
}

void TProgBar::SetBarColorElem(Integer ix, TColor value) {
  if (ix < 0 || ix >= ColorTableSize) return;
  FBarColorArray[size_t(ix)] = value;
}

void TProgBar::SetColorMin(TColor Value) {
  FBarColorArray[0] = Value;
  FillColorTable();
  PaintNow(this);
}

void TProgBar::SetColorMax(TColor Value) {
  FBarColorArray[ColorTableSize - 1] = Value;
  FillColorTable();
  PaintNow(this);
}

// [value] ----------------------------------------------------------------------------------
// NaN is refused: it would never compare equal and leaves no bar to draw.
void TProgBar::SetValue(double Value) {
  if (!std::isnan(Value)) StoreAndPaint(this, FProgValue, Value);
}

void TProgBar::SetMin(double Value) {
  if (!std::isnan(Value)) StoreAndPaint(this, FProgMin, Value);
}

void TProgBar::SetMax(double Value) {
  if (!std::isnan(Value)) StoreAndPaint(this, FProgMax, Value);
}

void TProgBar::SetRange(double AMin, double AMax) {
  if (std::isnan(AMin) || std::isnan(AMax)) return;
  FProgMin = std::min(AMin, AMax);
  FProgMax = std::max(AMin, AMax);
  PaintNow(this);
}

void TProgBar::SetDirection(TDirection Value) {
  if (Value <= dirRight) StoreAndPaint(this, FDirection, Value);
}

// [looks] ----------------------------------------------------------------------------------
void TProgBar::SetColorMapMode(TColorMapping Value) {
  if (Value <= cgmMove) StoreAndPaint(this, FColorMapMode, Value);
}
void TProgBar::SetShowColorGradient(bool Value) { StoreAndPaint(this, FColorGrad, Value); }
void TProgBar::SetColorMargin(TColor Value) { StoreAndPaint(this, FColorMargin, Value); }
void TProgBar::SetColorBackGnd(TColor Value) { StoreAndPaint(this, FColorBakG, Value); }
void TProgBar::SetColorGrid(TColor Value) { StoreAndPaint(this, FColorGrid, Value); }
void TProgBar::SetGridDist(Integer Value) { StoreAndPaint(this, FGridDist, Value); }
void TProgBar::SetFrameStyleOuter(TFrameStyle Value) { StoreAndPaint(this, FOuterFrameSt, Value); }
void TProgBar::SetFrameStyleInner(TFrameStyle Value) { StoreAndPaint(this, FInnerFrameSt, Value); }
void TProgBar::SetMarginLeft(Integer Value) { StoreAndPaint(this, FMarginLeft, Value); }
void TProgBar::SetMarginRight(Integer Value) { StoreAndPaint(this, FMarginRight, Value); }
void TProgBar::SetMarginTop(Integer Value) { StoreAndPaint(this, FMarginTop, Value); }
void TProgBar::SetMarginBottom(Integer Value) { StoreAndPaint(this, FMarginBottom, Value); }

void TProgBar::SetColorScheme(TColorScheme Value) {
  if (!StoreChanged(FColorScheme, Value)) return;
  SchemeLineColors(Value, true, StyleElements(), FColGrayLine, FColWhiteLine, &FColBlackLine);
  PaintNow(this);
}

void TProgBar::SetBackGroundImg(const String& Value) {
  if (Value.empty()) {
    FBakGndFile.clear();
  } else {
    // Loaded aside, so a file that fails half way leaves the previous picture whole.
    auto bmp = std::make_unique<TBitmap>();
    try {
      bmp->LoadFromFile(Value);
      AuxBmp = std::move(bmp);
      FBakGndFile = Value;
    } catch (const std::exception&) {
    }
  }
  PaintNow(this);
}

// [text] -----------------------------------------------------------------------------------
void TProgBar::SetTextVisible(bool Value) {
  FShowValue = Value;
  PaintNow(this);
}

void TProgBar::SetTextPosX(Integer Value) {
  StoreByRule(this, FTextPosX, Value, [this](Integer v) { return std::clamp(v, 0, std::max(Width(), 0)); });
  PaintNow(this);
}

void TProgBar::SetTextPosY(Integer Value) {
  StoreByRule(this, FTextPosY, Value, [this](Integer v) { return std::clamp(v, 0, std::max(Height(), 0)); });
  PaintNow(this);
}

void TProgBar::SetTextAlignment(TAlignment Value) {
  if (Value <= taCenter) StoreAndPaint(this, FAlignment, Value);
}

void TProgBar::SetTextDecPlaces(Integer Value) {
  FTextDecPlaces = std::clamp(Value, -2, 10);
  PaintNow(this);
}

void TProgBar::SetTextAngle(Integer Value) {
  FTextAngle = std::clamp(Value, 0, 360);
  PaintNow(this);
}

// [timer] ----------------------------------------------------------------------------------
void TProgBar::RestartTimer(bool StartDelay) {
  FIsStart = StartDelay;
  try {
    FTimerWnd->UpdateTimer(Cardinal(StartDelay ? FStartIv : FRepeatIv), FTimerEnabled);
  } catch (...) {
    FTimerEnabled = false;  // AutoInc must not claim a timer that is not there
    throw;
  }
}

void TProgBar::InitTimer() { RestartTimer(true); }
void TProgBar::UpdateTimer() { RestartTimer(false); }

void TProgBar::SetAutoInc(bool Value) {
  if (Value == FTimerEnabled) return;
  FTimerEnabled = Value;
  if (Designing()) return;
  if (Value)
    InitTimer();
  else
    FTimerWnd->Stop();
}

void TProgBar::SetAutoIncStep(double Value) {
  if (Value == 0 || std::isnan(Value) || Value == FAutoIncStep) return;
  FAutoIncStep = Value;
}

void TProgBar::SetStartInterval(Integer Value) {
  Value = std::max(Value, MinInterval);
  if (Value == FStartIv) return;
  FStartIv = Value;
  if (!Designing()) InitTimer();
}

void TProgBar::SetRepeatInterval(Integer Value) {
  Value = std::max(Value, MinInterval);
  if (Value == FRepeatIv) return;
  FRepeatIv = Value;
  if (!Designing()) UpdateTimer();
}

void TProgBar::SetOnAutoInc(TNotifyEvent Value) {
  FOnAutoInc = std::move(Value);
  if (!Designing()) UpdateTimer();
}

void TProgBar::DoTimer() {
  if (FIsStart) UpdateTimer();
  FProgValue += FAutoIncStep;
  PaintNow(this);
  if (FOnAutoInc) FOnAutoInc(this);
}

// [table] ----------------------------------------------------------------------------------
const TClassInfo& TProgBar::ClassInfo() {
  using P = TProgBar;
  static const TClassInfo info =
      TClassBuilder<TProgBar>(&TGraphicControl::ClassInfo())
          .Prop("Value", &P::Value, &P::SetValue, DefValue)
          .Prop("Min", &P::Min, &P::SetMin, DefMin)
          .Prop("Max", &P::Max, &P::SetMax, DefMax)
          .Prop("Direction", &P::Direction, &P::SetDirection, DefDirection)
          .Prop("AutoInc", &P::AutoInc, &P::SetAutoInc, false)
          .Prop("AutoIncStep", &P::AutoIncStep, &P::SetAutoIncStep, DefAutoIncStep)
          .Prop("StartInterval", &P::StartInterval, &P::SetStartInterval, DefStartInterval)
          .Prop("RepeatInterval", &P::RepeatInterval, &P::SetRepeatInterval, DefRepeatInterval)
          .Prop("ColorMin", &P::ColorMin, &P::SetColorMin, DefColorMin)
          .Prop("ColorMax", &P::ColorMax, &P::SetColorMax, DefColorMax)
          .Prop("ColorMapMode", &P::ColorMapMode, &P::SetColorMapMode, DefColorMapMode)
          .Prop("ShowColorGradient", &P::ShowColorGradient, &P::SetShowColorGradient, false)
          .Prop("ColorMargin", &P::ColorMargin, &P::SetColorMargin, DefColorMargin)
          .Prop("ColorBackGnd", &P::ColorBackGnd, &P::SetColorBackGnd, DefColorBackGnd)
          .Prop("ColorGrid", &P::ColorGrid, &P::SetColorGrid, DefColorGrid)
          .Prop("GridDist", &P::GridDist, &P::SetGridDist, DefGridDist)
          .Prop("ColorScheme", &P::ColorScheme, &P::SetColorScheme, DefColorScheme)
          .Prop("FrameStyleOuter", &P::FrameStyleOuter, &P::SetFrameStyleOuter, DefFrameStyleOuter)
          .Prop("FrameStyleInner", &P::FrameStyleInner, &P::SetFrameStyleInner, DefFrameStyleInner)
          .Prop("MarginLeft", &P::MarginLeft, &P::SetMarginLeft, DefMargin)
          .Prop("MarginRight", &P::MarginRight, &P::SetMarginRight, DefMargin)
          .Prop("MarginTop", &P::MarginTop, &P::SetMarginTop, DefMargin)
          .Prop("MarginBottom", &P::MarginBottom, &P::SetMarginBottom, DefMargin)
          .Prop("BackGroundImg", &P::BackGroundImg, &P::SetBackGroundImg, String())
          .Prop("TextVisible", &P::TextVisible, &P::SetTextVisible, true)
          .Prop("TextPosX", &P::TextPosX, &P::SetTextPosX, DefTextPos)
          .Prop("TextPosY", &P::TextPosY, &P::SetTextPosY, DefTextPos)
          .Prop("TextAlignment", &P::TextAlignment, &P::SetTextAlignment, DefTextAlignment)
          .Prop("TextDecPlaces", &P::TextDecPlaces, &P::SetTextDecPlaces, DefTextDecPlaces)
          .Prop("TextAngle", &P::TextAngle, &P::SetTextAngle, DefTextAngle)
          .Event("OnAutoInc")
          .Event("OnShowValue")
          .Publish(ControlProperties(), pgBounds)
          .Publish(ControlProperties(), {"Align", "Anchors", "Constraints", "Font", "ParentFont", "ParentShowHint", "PopupMenu",
                                         "ShowHint", "StyleElements", "Visible", "OnClick", "OnDblClick",
                                         "OnMouseDown", "OnMouseMove", "OnMouseUp"});
  return info;
}

// Registered for form text by the unit's start-up.
static const TUnitClasses ProgBarClasses(juProgBar, {&TProgBar::ClassInfo});

}  // namespace jox
