// The repeat speed button: a speed button that, while the left mouse button is held on it, raises
// OnRepeatClick first after a start delay and then at a fixed interval, as a scroll arrow does.
// Everything else (glyph, caption, flat look, groups, OnClick on release) is the speed button's.
#pragma once

#include <memory>

#include "package/framework/controls/buttons.h"
#include "package/timerwindow.h"

namespace jox {

class TRepSpeedButton : public TSpeedButton {
 public:
  static constexpr Integer DefRepeatClickInterval = 200, DefStartClickInterval = 500, MinInterval = 10;

  explicit TRepSpeedButton(TComponent* AOwner);
  ~TRepSpeedButton() override;

  // Milliseconds between repeated events, at least 10. Default 200. A change while held switches to the
  // new interval at once.
  Integer RepeatClickInterval() const { return FRepClickIv; }
  void SetRepeatClickInterval(Integer Value);
  // Milliseconds from the press to the first repeated event, at least 10. Default 500. A change while
  // held starts the delay again.
  Integer StartClickInterval() const { return FStartIv; }
  void SetStartClickInterval(Integer Value);
  const TNotifyEvent& OnRepeatClick() const { return FOnRepeatClick; }
  void SetOnRepeatClick(TNotifyEvent Value);

  // Whether the left button is held on the button (the repetition runs).
  bool Repeating() const { return FRClickTimerEnabled; }

  void DefaultHandler(TMessage& Message) override;

  // From another TRepSpeedButton: its published properties; another class raises EConvertError.
  void Assign(TPersistent* Source) override;
  JOX_CLASS_TABLE

 protected:
  void AssignTo(TPersistent* Dest) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  // The button is a tab stop: Space held repeats as the held left button does, its release clicks.
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void FocusChanged() override;
  // The timer handler: the first tick ends the start delay.
  void DoTimer();
  // Called before OnRepeatClick; for subclasses.
  virtual void RepeatClickEvent(TObject* Sender) {}
  // Starts the start delay, or the repeat interval; each runs only while the left button is held.
  // EJOXRepSpeedButton "Component \"<Name>\": no timer available" when the platform has no timer left.
  void InitTimer();
  void UpdateTimer();

 private:
  bool IsDesigning() const { return ComponentState().Contains(csDesigning); }
  void StopRepeat();

  std::unique_ptr<TTimerWindow> FRClickTimerHandle;
  bool FRClickTimerEnabled = false;
  TNotifyEvent FOnRepeatClick;
  Integer FRepClickIv = DefRepeatClickInterval;
  Integer FStartIv = DefStartClickInterval;
  bool FIsStart = true;
};

}  // namespace jox
