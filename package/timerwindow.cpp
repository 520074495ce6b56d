#include "package/timerwindow.h"

#include "package/framework/controls/forms.h"
#include "package/texts.h"

namespace jox {

constexpr uintptr_t kTimerId = 1;

TTimerWindow::TTimerWindow(TComponent* Owner, std::function<void()> OnTimer, TErrorThrower RaiseError)
    : FOwner(Owner), FOnTimer(std::move(OnTimer)), FRaiseError(std::move(RaiseError)) {
  FHandle = AllocateHWnd([this](TMessage& m) { WndProc(m); });
  // What a component's timer does shows on the component: it sleeps while that is not displayed.
  if (auto* control = dynamic_cast<TControl*>(Owner)) Application->SetTimerControl(FHandle, control);
}

TTimerWindow::~TTimerWindow() { DeallocateHWnd(FHandle); }

void TTimerWindow::WndProc(TMessage& Message) {
  if (Message.Msg == WM_TIMER) {
    try {
      if (FOnTimer) FOnTimer();
    } catch (...) {
      // A tick must not unwind into the message loop.
      if (Application) Application->HandleException(FOwner);
    }
    return;
  }
  Message.Result = DefWindowProcW(FHandle, Message.Msg, Message.WParam, Message.LParam);
}

void TTimerWindow::Stop() {
  KillTimer(FHandle, kTimerId);
  FRunning = false;
}

void TTimerWindow::UpdateTimer(Cardinal Interval, bool Enabled) {
  Stop();
  if (Interval == 0 || !Enabled) return;
  if (SetTimer(FHandle, kTimerId, Interval, nullptr) == 0) {
    String msg = NoTimerText(FOwner ? FOwner->Name() : String());
    if (FRaiseError) FRaiseError(msg);
    throw EJOXError(msg);
  }
  FRunning = true;
}

void TTimerWindow::IntervalChanged(Cardinal Interval, bool Enabled) {
  if (FOwner && FOwner->ComponentState().Contains(csDesigning)) return;
  UpdateTimer(Interval, Enabled);
}

}  // namespace jox
