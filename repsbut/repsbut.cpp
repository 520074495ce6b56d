#include "repsbut/repsbut.h"

#include <algorithm>

#include "package/units.h"

namespace jox {

TRepSpeedButton::TRepSpeedButton(TComponent* AOwner)
    : TSpeedButton(AOwner),
      FRClickTimerHandle(std::make_unique<TTimerWindow>(this, [this] { DoTimer(); },
                                                        TTimerWindow::ErrorClass<EJOXRepSpeedButton>())) {
  WantKeyboard();
}

TRepSpeedButton::~TRepSpeedButton() = default;

void TRepSpeedButton::InitTimer() {
  FIsStart = true;
  FRClickTimerHandle->UpdateTimer(Cardinal(FStartIv), FRClickTimerEnabled);
}

void TRepSpeedButton::UpdateTimer() {
  FIsStart = false;
  FRClickTimerHandle->UpdateTimer(Cardinal(FRepClickIv), FRClickTimerEnabled);
}

void TRepSpeedButton::DoTimer() {
  if (FIsStart) UpdateTimer();
  RepeatClickEvent(this);
  if (FOnRepeatClick) FOnRepeatClick(this);
}

void TRepSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TSpeedButton::MouseDown(Button, Shift, X, Y);
  // A dialog opened from OnMouseDown has cancelled the press: nothing is held any more.
  if (Button != mbLeft || !Enabled() || !MouseCapture()) return;
  FRClickTimerEnabled = true;
  InitTimer();
}

void TRepSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TSpeedButton::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  FRClickTimerEnabled = false;
  UpdateTimer();
}

void TRepSpeedButton::KeyDown(Word& Key, TShiftState Shift) {
  const bool wasHeld = SpaceHeld();
  TSpeedButton::KeyDown(Key, Shift);
  if (wasHeld || !SpaceHeld()) return;
  FRClickTimerEnabled = true;
  InitTimer();
}

void TRepSpeedButton::KeyUp(Word& Key, TShiftState Shift) {
  const bool wasHeld = SpaceHeld();
  TSpeedButton::KeyUp(Key, Shift);
  if (wasHeld && !SpaceHeld()) StopRepeat();
}

void TRepSpeedButton::FocusChanged() {
  const bool wasHeld = SpaceHeld();
  TSpeedButton::FocusChanged();
  if (wasHeld && !SpaceHeld()) StopRepeat();
}

void TRepSpeedButton::StopRepeat() {
  if (!FRClickTimerEnabled) return;
  FRClickTimerEnabled = false;
  UpdateTimer();
}

void TRepSpeedButton::DefaultHandler(TMessage& Message) {
  TSpeedButton::DefaultHandler(Message);
  // Leaving the button while it is held ends the repetition, and so do a cancelled press and a button
  // disabled or hidden while held. The press itself stays with the speed button, so a release away from
  // it clicks nothing, as for any button.
  switch (Message.Msg) {
    case CM_MOUSELEAVE:
    case WM_CANCELMODE:
      StopRepeat();
      break;
    case CM_ENABLEDCHANGED:
    case CM_VISIBLECHANGED:
      if (!Enabled() || !Visible()) StopRepeat();
      break;
  }
}

void TRepSpeedButton::SetRepeatClickInterval(Integer Value) {
  Value = std::max(Value, MinInterval);
  if (Value == FRepClickIv) return;
  FRepClickIv = Value;
  if (!IsDesigning()) UpdateTimer();
}

void TRepSpeedButton::SetStartClickInterval(Integer Value) {
  Value = std::max(Value, MinInterval);
  if (Value == FStartIv) return;
  FStartIv = Value;
  if (!IsDesigning()) InitTimer();
}

void TRepSpeedButton::SetOnRepeatClick(TNotifyEvent Value) {
  FOnRepeatClick = std::move(Value);
  if (!IsDesigning()) UpdateTimer();
}

const TClassInfo& TRepSpeedButton::ClassInfo() {
  using R = TRepSpeedButton;
  static const TClassInfo info =
      TClassBuilder<TRepSpeedButton>(&TSpeedButton::ClassInfo())
          .Prop("RepeatClickInterval", &R::RepeatClickInterval, &R::SetRepeatClickInterval, DefRepeatClickInterval)
          .Prop("StartClickInterval", &R::StartClickInterval, &R::SetStartClickInterval, DefStartClickInterval)
          .Event("OnRepeatClick");
  return info;
}

// Registered for form text by the unit's start-up.
static const TUnitClasses RepSpeedButtonClasses(juRepSButton, {&TRepSpeedButton::ClassInfo});

// [copying] ------------------------------------------------------------------------------------------------
void TRepSpeedButton::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TRepSpeedButton*>(Source)) {
    AssignPublished(this, s);
    return;
  }
  TSpeedButton::Assign(Source);
}

void TRepSpeedButton::AssignTo(TPersistent* Dest) {
  if (dynamic_cast<TRepSpeedButton*>(Dest))
    Dest->Assign(this);
  else
    TSpeedButton::AssignTo(Dest);
}

}  // namespace jox
