// The hidden timer window every ticking component owns.
#pragma once

#include <functional>

#include "package/errors.h"
#include "package/framework/base/component.h"

namespace jox {

// Owned by the component (create it in the constructor, delete it in the destructor):
//   FTimerWnd = std::make_unique<TTimerWindow>(this, [this] { DoTimer(); },
//                                              TTimerWindow::ErrorClass<EJOXProgBar>());
//   void TProgBar::SetInterval(Cardinal v) { FInterval = v; FTimerWnd->IntervalChanged(FInterval, FEnabled); }
// The window uses timer identifier 1. A tick runs the handler; an exception escaping it goes to
// Application->HandleException and the timer keeps running. The timer of a control sleeps while the
// control is not displayed (a hidden page, a closed form) and ticks once it shows again.
class TTimerWindow {
 public:
  using TErrorThrower = std::function<void(const String& Message)>;

  template <class E>
  static TErrorThrower ErrorClass() {
    return [](const String& Message) { throw E(Message); };
  }

  // Owner names the component in error texts and tells whether it is being designed.
  TTimerWindow(TComponent* Owner, std::function<void()> OnTimer, TErrorThrower RaiseError = ErrorClass<EJOXError>());
  ~TTimerWindow();
  TTimerWindow(const TTimerWindow&) = delete;
  TTimerWindow& operator=(const TTimerWindow&) = delete;

  HWND Handle() const { return FHandle; }
  // WM_TIMER runs the handler; every other message goes to DefWindowProcW and its result is kept.
  void WndProc(TMessage& Message);
  // Stops the timer, then starts it with Interval ms when Interval > 0 and Enabled. A timer table
  // without room raises the unit's error with "Component \"<Name>\": no timer available".
  void UpdateTimer(Cardinal Interval, bool Enabled);
  // For interval setters: does nothing while the owner is being designed, else UpdateTimer.
  void IntervalChanged(Cardinal Interval, bool Enabled);
  void Stop();
  bool Running() const { return FRunning; }

 private:
  TComponent* FOwner;
  std::function<void()> FOnTimer;
  TErrorThrower FRaiseError;
  HWND FHandle = 0;
  bool FRunning = false;
};

}  // namespace jox
