#include "package/framework/controls/extctrls.h"

#include "package/framework/controls/controls.h"

namespace jox {

namespace {
constexpr uintptr_t kTimerId = 1;
}

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
  FWnd = AllocateHWnd([this](TMessage& m) {
    if (m.Msg != WM_TIMER) {
      m.Result = DefWindowProcW(FWnd, m.Msg, m.WParam, m.LParam);
      return;
    }
    try {
      Timer();
    } catch (...) {
      Application->HandleException(this);
    }
  });
  if (auto* c = dynamic_cast<TControl*>(AOwner)) Application->SetTimerControl(FWnd, c);
  UpdateTimer();
}

TTimer::~TTimer() { DeallocateHWnd(FWnd); }

void TTimer::SetEnabled(bool v) {
  if (v == FEnabled) return;
  FEnabled = v;
  UpdateTimer();
}

void TTimer::SetInterval(Cardinal v) {
  if (v == FInterval) return;
  FInterval = v;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent e) {
  FOnTimer = std::move(e);
  UpdateTimer();
}

bool TTimer::Running() const { return Application->TimerActive(FWnd, kTimerId); }

void TTimer::Loaded() {
  TComponent::Loaded();
  UpdateTimer();
}

void TTimer::Timer() {
  if (FOnTimer) FOnTimer(this);
}

void TTimer::UpdateTimer() {
  KillTimer(FWnd, kTimerId);
  const TComponentState st = ComponentState();
  if (!FEnabled || FInterval == 0 || !FOnTimer || st.Contains(csLoading) || st.Contains(csDesigning)) return;
  if (SetTimer(FWnd, kTimerId, FInterval) == 0) throw EOutOfResources(u"Not enough timers available");
}

const TClassInfo& TTimer::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TTimer>(&TComponent::ClassInfo())
      .Prop("Enabled", &TTimer::Enabled, &TTimer::SetEnabled, true)
      .Prop("Interval", &TTimer::Interval, &TTimer::SetInterval, Cardinal(1000))
      .Event("OnTimer");
  return info;
}

}  // namespace jox
