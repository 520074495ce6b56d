// TTimer: a component that calls OnTimer every Interval milliseconds on the application's clock (real,
// or virtual in tests), through a hidden window of its own like every timer of the framework.
//
//   auto* t = new TTimer(form);        // Interval 1000, Enabled true
//   t->SetInterval(250);
//   t->SetOnTimer([&](TObject*) { label->SetCaption(Now()); });
#pragma once

#include "package/framework/controls/application.h"

namespace jox {

// Runs while Enabled, Interval > 0 and OnTimer is assigned (not while the component is being read or
// designed). Late ticks coalesce; what OnTimer throws goes to Application->HandleException and the
// timer keeps running. A timer owned by a control sleeps while that control is not displayed.
class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;

  // Default true.
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool v);
  // Default 1000 ms; 0 stops the timer.
  Cardinal Interval() const { return FInterval; }
  void SetInterval(Cardinal v);
  const TNotifyEvent& OnTimer() const { return FOnTimer; }
  void SetOnTimer(TNotifyEvent e);
  // Whether the timer is set now.
  bool Running() const;

  JOX_CLASS_TABLE

 protected:
  void Loaded() override;
  virtual void Timer();

 private:
  void UpdateTimer();
  HWND FWnd = 0;
  bool FEnabled = true;
  Cardinal FInterval = 1000;
  TNotifyEvent FOnTimer;
};

}  // namespace jox
