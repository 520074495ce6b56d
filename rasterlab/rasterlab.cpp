// TRasterLab: creation, copying, properties, the scroll timer and the class table.
// Sections: [lifecycle] [font] [text] [dots] [looks] [scrolling] [table]
#include <algorithm>
#include <limits>

#include "package/colorscheme.h"
#include "package/setters.h"
#include "package/units.h"
#include "rasterlab/rasterlab.h"
#include "rasterlab/rasterlab_internal.h"

namespace jox {

namespace {

using rasterlab_detail::Saturate;

// |N| without the overflow of -INT_MIN.
Integer Magnitude(Integer N) { return N == std::numeric_limits<Integer>::min() ? std::numeric_limits<Integer>::max() : std::abs(N); }

}  // namespace

// [lifecycle] ----------------------------------------------------------------------------------
TRasterLab::TRasterLab(TComponent* AOwner)
    : TGraphicControl(AOwner),
      FCMat(std::make_unique<TRDCharMatrix>()),
      FScrTimer(std::make_unique<TTimerWindow>(this, [this] { DoTimer(); },
                                               TTimerWindow::ErrorClass<EJOXRasterLabError>())) {
  SetControlStyle(ControlStyle() | csOpaque);
  SetBounds(Left(), Top(), DefWidth, DefHeight);
  // Through the font's own change handling, which also ends ParentFont: the label keeps its
  // built-in font when it is put on a form.
  Font()->SetName(u"default");
  Font()->SetSize(8);
  *FCMat = CreateBitFont(Font());
}

TRasterLab::~TRasterLab() { FScrTimer.reset(); }

// Centring and height depend on properties a form may list after AutoCenter and AutoHeight.
void TRasterLab::Loaded() {
  TGraphicControl::Loaded();
  Refit();
  PaintNow(this);
}

void TRasterLab::Resize() {
  TGraphicControl::Resize();
  if (FAutoCenter) AdjustAutoCenter();
}

// Dots, their spacing and the text's place are designed pixels: a scaled form enlarges them with it.
void TRasterLab::ChangeScale(double K) {
  FDotSize = ScaledMetric(K, FDotSize);
  FDotSpacing = ScaledMetric(K, FDotSpacing);
  if (!FAutoCenter) {
    FXPos = ScaledMetric(K, FXPos);
    FYPos = ScaledMetric(K, FYPos);
  }
  Refit();
  Invalidate();
}

void TRasterLab::Refit() {
  if (FAutoHeight) AdjustAutoHeight();
  if (FAutoCenter) AdjustAutoCenter();
}

void TRasterLab::AssignTo(TPersistent* Dest) {
  // Handing over to a destination that is only a base class would bounce back here without end.
  if (dynamic_cast<TRasterLab*>(Dest))
    Dest->Assign(this);
  else
    TGraphicControl::AssignTo(Dest);
}

void TRasterLab::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TRasterLab*>(Source);
  if (!S) {
    TGraphicControl::Assign(Source);
    return;
  }
  FFrameStyle = S->FFrameStyle;
  FLabText = S->FLabText;
  FColorLabBakG = S->FColorLabBakG;
  FColorDotOn = S->FColorDotOn;
  FColBlackLine = S->FColBlackLine;
  FColGrayLine = S->FColGrayLine;
  FColWhiteLine = S->FColWhiteLine;
  FColorScheme = S->FColorScheme;
  PaintNow(this);
}

Integer TRasterLab::Border() const {
  switch (FFrameStyle) {
    case fsSimple:
    case fsLowered:
    case fsRaised:
      return 1;
    case fsEmbossed:
    case fsEngraved:
      return 2;
    default:
      return 0;
  }
}

void TRasterLab::AdjustAutoHeight() { SetHeight(Border() + Pitch() * std::clamp<Integer>(FCMat->FontHeight, 0, 32)); }

void TRasterLab::AdjustAutoCenter() {
  FXPos = Saturate((int64_t(Width()) - CalcTextBitLength(FLabText)) / 2 + Border() + 1);
}

// [font] ---------------------------------------------------------------------------------------
void TRasterLab::FontChanged() {
  *FCMat = CreateBitFont(Font());
  Refit();
  PaintNow(this);
}

void TRasterLab::SetCharMatrix(const TRDCharMatrix& M) {
  *FCMat = M;
  Refit();
  PaintNow(this);
}

// [text] ---------------------------------------------------------------------------------------
void TRasterLab::SetLabText(const String& Value) {
  if (!StoreChanged(FLabText, Value)) return;
  if (FAutoCenter) AdjustAutoCenter();
  PaintNow(this);
}

void TRasterLab::SetXPos(Integer Value) { StoreAndPaint(this, FXPos, Value); }
void TRasterLab::SetYPos(Integer Value) { StoreAndPaint(this, FYPos, Value); }

void TRasterLab::SetAutoCenter(bool Value) {
  if (Value == FAutoCenter) return;
  FAutoCenter = Value;
  if (Value)
    AdjustAutoCenter();
  else
    FXPos = DefPos;
  PaintNow(this);
}

void TRasterLab::SetAutoHeight(bool Value) {
  if (!StoreChanged(FAutoHeight, Value)) return;
  if (Value) AdjustAutoHeight();
  PaintNow(this);
}

// [dots] ---------------------------------------------------------------------------------------
void TRasterLab::SetDotSize(Integer Value) {
  Value = std::clamp(Value, MinDotSize, MaxDotSize);
  if (!StoreChanged(FDotSize, Value)) return;
  Refit();
  PaintNow(this);
}

void TRasterLab::SetDotSpacing(Integer Value) {
  Value = std::clamp(Value, MinDotSpacing, MaxDotSpacing);
  if (!StoreChanged(FDotSpacing, Value)) return;
  Refit();
  PaintNow(this);
}

void TRasterLab::SetProportional(bool Value) {
  if (!StoreChanged(FProportional, Value)) return;
  if (FAutoCenter) AdjustAutoCenter();
  PaintNow(this);
}
void TRasterLab::SetCharBlockMode(TRDBlockMode Value) { StoreAndPaint(this, FCharBlockMode, Value); }

// [looks] --------------------------------------------------------------------------------------
void TRasterLab::SetColorDotOn(TColor Value) { StoreAndPaint(this, FColorDotOn, Value); }
void TRasterLab::SetColorDotOff(TColor Value) { StoreAndPaint(this, FColorDotOff, Value); }
void TRasterLab::SetColorLabBakG(TColor Value) { StoreAndPaint(this, FColorLabBakG, Value); }
// The frame's width counts in the automatic height and centring.
void TRasterLab::SetFrameStyle(TFrameStyle Value) {
  if (!StoreChanged(FFrameStyle, Value)) return;
  Refit();
  PaintNow(this);
}

void TRasterLab::SetColorScheme(TColorScheme Value) {
  if (!StoreChanged(FColorScheme, Value)) return;
  SchemeLineColors(Value, false, StyleElements(), FColGrayLine, FColWhiteLine, nullptr);
  PaintNow(this);
}

// [scrolling] ----------------------------------------------------------------------------------
void TRasterLab::UpdateTimer() {
  FScrTimer->UpdateTimer(Cardinal(FScrollIv), FScrTimerEnabled && FScrollMode != rdsmOff);
}

void TRasterLab::SetScrollIv(Integer N) {
  N = std::max(N, MinScrollInterval);
  if (N == FScrollIv) return;
  FScrollIv = N;
  FScrTimer->IntervalChanged(Cardinal(FScrollIv), FScrTimerEnabled && FScrollMode != rdsmOff);
}

void TRasterLab::SetScrollInc(Integer N) {
  if (N == 0) N = 1;
  if (N == FScrollInc) return;
  FScrollInc = Magnitude(N);
  UpdateTimer();
}

void TRasterLab::SetOnScrollTimer(TNotifyEvent Handler) {
  FOnScrollTimer = std::move(Handler);
  UpdateTimer();
}

void TRasterLab::SetScrollMode(TRDScrollMode Value) {
  if (Value == FScrollMode) return;
  FScrollMode = Value;
  if (!ComponentState().Contains(csDesigning)) {
    FScrTimerEnabled = Value != rdsmOff;
    UpdateTimer();
  }
  if (Value == rdsmOff) {
    FScrollPosX = FScrollPosY = 0;
    PaintNow(this);
  }
}

void TRasterLab::SetScrollLoop(bool Value) {
  FScrollLoop = Value;
  PaintNow(this);
}

void TRasterLab::DoTimer() {
  ScrollTimerEvent();
  if (FOnScrollTimer) FOnScrollTimer(this);
}

void TRasterLab::DoScrLoopRestart() {
  if (FOnScrLoopRestart) FOnScrLoopRestart(this);
}

// A text that has left without looping stays where it went out, so the offsets cannot overflow.
void TRasterLab::ScrollTimerEvent() {
  const int64_t textHeight = int64_t(Pitch()) * std::clamp<Integer>(FCMat->FontHeight, 0, 32);
  switch (FScrollMode) {
    case rdsmOff:
      FScrTimerEnabled = false;
      FScrollPosX = FScrollPosY = 0;
      break;
    case rdsmRight:
      if (FScrollPosX <= Width()) FScrollPosX = Saturate(int64_t(FScrollPosX) + FScrollInc);
      if (FScrollLoop && FScrollPosX > Width()) {
        FScrollPosX = -FTextBitLength;
        DoScrLoopRestart();
      }
      break;
    case rdsmLeft: {
      // Gone once the right end has passed the left edge; back in from the right edge.
      auto gone = [&] { return int64_t(FXPos) + FScrollPosX + FTextBitLength < 0; };
      if (!gone()) FScrollPosX = Saturate(int64_t(FScrollPosX) - FScrollInc);
      if (FScrollLoop && gone()) {
        FScrollPosX = Saturate(int64_t(Width()) - FXPos);
        DoScrLoopRestart();
      }
      break;
    }
    case rdsmDown: {
      auto gone = [&] { return int64_t(FYPos) + FScrollPosY > Height(); };
      if (!gone()) FScrollPosY = Saturate(int64_t(FScrollPosY) + FScrollInc);
      if (FScrollLoop && gone()) {
        FScrollPosY = Saturate(-int64_t(FYPos) - textHeight);
        DoScrLoopRestart();
      }
      break;
    }
    case rdsmUp: {
      auto gone = [&] { return int64_t(FYPos) + FScrollPosY + textHeight < 0; };
      if (!gone()) FScrollPosY = Saturate(int64_t(FScrollPosY) - FScrollInc);
      if (FScrollLoop && gone()) {
        FScrollPosY = Saturate(int64_t(Height()) - FYPos);
        DoScrLoopRestart();
      }
      break;
    }
  }
  PaintNow(this);
}

// [table] --------------------------------------------------------------------------------------
const TClassInfo& TRasterLab::ClassInfo() {
  using R = TRasterLab;
  static const TClassInfo info = TClassBuilder<TRasterLab>(&TGraphicControl::ClassInfo())
      .Prop("Text", &R::Text, &R::SetLabText)
      .Prop("PosX", &R::PosX, &R::SetXPos)
      .Prop("PosY", &R::PosY, &R::SetYPos)
      .Prop("AutoCenter", &R::AutoCenter, &R::SetAutoCenter)
      .Prop("AutoHeight", &R::AutoHeight, &R::SetAutoHeight)
      .Prop("DotSize", &R::DotSize, &R::SetDotSize)
      .Prop("DotSpacing", &R::DotSpacing, &R::SetDotSpacing)
      .Prop("Proportional", &R::Proportional, &R::SetProportional)
      .Prop("CharBlockMode", &R::CharBlockMode, &R::SetCharBlockMode)
      .Prop("ColorDotOn", &R::ColorDotOn, &R::SetColorDotOn)
      .Prop("ColorDotOff", &R::ColorDotOff, &R::SetColorDotOff)
      .Prop("ColorLabBakG", &R::ColorLabBakG, &R::SetColorLabBakG)
      .Prop("FrameStyle", &R::FrameStyle, &R::SetFrameStyle)
      .Prop("ColorScheme", &R::ColorScheme, &R::SetColorScheme)
      .Prop("ScrollMode", &R::ScrollMode, &R::SetScrollMode)
      .Prop("ScrollInterval", &R::ScrollInterval, &R::SetScrollIv)
      .Prop("ScrollIncrement", &R::ScrollIncrement, &R::SetScrollInc)
      .Prop("ScrollLoop", &R::ScrollLoop, &R::SetScrollLoop)
      .Event("OnScrollTimer")
      .Event("OnScrollLoopRestart")
      .Publish(ControlProperties(), pgBounds)
      .Publish(ControlProperties(), {"Align", "Anchors", "Font", "ParentFont", "ParentShowHint", "PopupMenu",
                                     "ShowHint", "StyleElements", "Visible", "OnClick", "OnDblClick",
                                     "OnMouseDown", "OnMouseMove", "OnMouseUp"});
  return info;
}

// Registered for form text by the unit's start-up.
static const TUnitClasses RasterLabClasses(juRasterLab, {&TRasterLab::ClassInfo});

}  // namespace jox
