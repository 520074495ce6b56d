// TRasterLab: creation, copying, properties, the scroll timer and the class table.
// Sections: [lifecycle] [font] [text] [dots] [looks] [scrolling] [table]
#include <algorithm>
#include <limits>

#include "package/colorscheme.h"
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
  FCreated = true;
}

TRasterLab::~TRasterLab() { FScrTimer.reset(); }

// Centring and height depend on properties a form may list after AutoCenter and AutoHeight.
void TRasterLab::Loaded() {
  TGraphicControl::Loaded();
  Refit();
  PaintNow();
}

void TRasterLab::Resize() {
  TGraphicControl::Resize();
  if (FAutoCenter) AdjustAutoCenter();
}

void TRasterLab::Refit() {
  if (FAutoHeight) AdjustAutoHeight();
  if (FAutoCenter) AdjustAutoCenter();
}

void TRasterLab::PaintNow() {
  if (!FCreated || ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) return;
  Paint();
}

template <class T>
void TRasterLab::Change(T& Field, T Value) {
  if (Field == Value) return;
  Field = Value;
  PaintNow();
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
  PaintNow();
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
  PaintNow();
}

void TRasterLab::SetCharMatrix(const TRDCharMatrix& M) {
  *FCMat = M;
  Refit();
  PaintNow();
}

// [text] ---------------------------------------------------------------------------------------
void TRasterLab::SetLabText(const String& Value) {
  if (Value == FLabText) return;
  FLabText = Value;
  if (FAutoCenter) AdjustAutoCenter();
  PaintNow();
}

void TRasterLab::SetXPos(Integer Value) { Change(FXPos, Value); }
void TRasterLab::SetYPos(Integer Value) { Change(FYPos, Value); }

void TRasterLab::SetAutoCenter(bool Value) {
  if (Value == FAutoCenter) return;
  FAutoCenter = Value;
  if (Value)
    AdjustAutoCenter();
  else
    FXPos = DefPos;
  PaintNow();
}

void TRasterLab::SetAutoHeight(bool Value) {
  if (Value == FAutoHeight) return;
  FAutoHeight = Value;
  if (Value) AdjustAutoHeight();
  PaintNow();
}

// [dots] ---------------------------------------------------------------------------------------
void TRasterLab::SetDotSize(Integer Value) {
  Value = std::clamp(Value, MinDotSize, MaxDotSize);
  if (Value == FDotSize) return;
  FDotSize = Value;
  Refit();
  PaintNow();
}

void TRasterLab::SetDotSpacing(Integer Value) {
  Value = std::clamp(Value, MinDotSpacing, MaxDotSpacing);
  if (Value == FDotSpacing) return;
  FDotSpacing = Value;
  Refit();
  PaintNow();
}

void TRasterLab::SetProportional(bool Value) {
  if (Value == FProportional) return;
  FProportional = Value;
  if (FAutoCenter) AdjustAutoCenter();
  PaintNow();
}
void TRasterLab::SetCharBlockMode(TRDBlockMode Value) { Change(FCharBlockMode, Value); }

// [looks] --------------------------------------------------------------------------------------
void TRasterLab::SetColorDotOn(TColor Value) { Change(FColorDotOn, Value); }
void TRasterLab::SetColorDotOff(TColor Value) { Change(FColorDotOff, Value); }
void TRasterLab::SetColorLabBakG(TColor Value) { Change(FColorLabBakG, Value); }
// The frame's width counts in the automatic height and centring.
void TRasterLab::SetFrameStyle(TFrameStyle Value) {
  if (Value == FFrameStyle) return;
  FFrameStyle = Value;
  Refit();
  PaintNow();
}

void TRasterLab::SetColorScheme(TColorScheme Value) {
  if (Value == FColorScheme) return;
  FColorScheme = Value;
  SchemeLineColors(Value, false, StyleElements(), FColGrayLine, FColWhiteLine, nullptr);
  PaintNow();
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
    PaintNow();
  }
}

void TRasterLab::SetScrollLoop(bool Value) {
  FScrollLoop = Value;
  PaintNow();
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
  PaintNow();
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
      .Event("OnScrollLoopRestart");
  return info;
}

}  // namespace jox
