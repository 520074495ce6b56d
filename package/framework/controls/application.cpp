// The application object: windows and their messages, the queue, timers and the clock, beeps,
// exceptions, and painting of dirty surfaces. Sections: [globals] [windows] [queue] [calls] [timers] [clock]
// [exceptions] [painting] [platform]
#include "package/framework/controls/application.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <limits>
#include <map>
#include <mutex>
#include <thread>

#include "package/framework/controls/controls.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/hintwindow.h"
#include "package/framework/controls/msgbox.h"

namespace jox {

// [globals] ------------------------------------------------------------------------------------------------
// Never freed: controls may outlive any static destruction order, and it stays reachable.
TApplication* Application = new TApplication(nullptr);

struct TApplication::TData {
  struct TQueued {
    HWND Wnd;
    TMessage Msg;
  };
  std::map<HWND, TWndMethod> Windows;
  std::deque<TQueued> Queue;
  std::map<HWND, const TControl*> TimerControls;
  std::mutex CallLock;  // guards Calls, filled from any thread
  std::deque<std::function<void()>> Calls;
  std::thread::id GuiThread = std::this_thread::get_id();
  std::chrono::steady_clock::time_point Start = std::chrono::steady_clock::now();
};

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner), FData(std::make_unique<TData>()) {}

TApplication::~TApplication() = default;

// [windows] ------------------------------------------------------------------------------------------------
HWND TApplication::RegisterWindow(TWndMethod Method) {
  HWND h = FNextHandle++;
  FData->Windows.emplace(h, std::move(Method));
  return h;
}

void TApplication::UnregisterWindow(HWND Wnd) {
  FData->Windows.erase(Wnd);
  FData->TimerControls.erase(Wnd);
  FTimers.erase(std::remove_if(FTimers.begin(), FTimers.end(), [Wnd](const TTimerEntry& t) { return t.Wnd == Wnd; }),
                FTimers.end());
  FData->Queue.erase(std::remove_if(FData->Queue.begin(), FData->Queue.end(), [Wnd](const TData::TQueued& q) { return q.Wnd == Wnd; }),
               FData->Queue.end());
}

size_t TApplication::QueuedMessages() const { return FData->Queue.size(); }

bool TApplication::IsWindowHandle(HWND Wnd) const { return FData->Windows.count(Wnd) != 0; }

bool TApplication::Deliver(HWND Wnd, TMessage& Message) {
  auto it = FData->Windows.find(Wnd);
  if (it == FData->Windows.end()) return false;
  TWndMethod method = it->second;  // the window may be destroyed by its own handler
  method(Message);
  return true;
}

void TApplication::Post(HWND Wnd, const TMessage& Message) { FData->Queue.push_back({Wnd, Message}); }

void TApplication::ForgetForm(TCustomForm* Form) {
  FReleased.erase(std::remove(FReleased.begin(), FReleased.end(), Form), FReleased.end());
  if (FMainForm == Form) FMainForm = nullptr;
  PopModal(Form);
}

// [queue] --------------------------------------------------------------------------------------------------
void TApplication::DeliverQueued() {
  // A bound keeps a handler that posts to itself from hanging the caller.
  for (int n = 0; n < 100000 && !FData->Queue.empty(); ++n) {
    TData::TQueued q = FData->Queue.front();
    FData->Queue.pop_front();
    try {
      Deliver(q.Wnd, q.Msg);
    } catch (...) {
      HandleException(this);
    }
  }
}

void TApplication::ProcessMessages() {
  ++FDelivering;
  try {
    PlatformHost()->DispatchPending();
    DeliverDueTimers();
    DeliverCalls();
    DeliverQueued();
    FreeReleased();
    PaintDirty();
    PlatformHost()->Flush();
  } catch (...) {
    --FDelivering;
    throw;
  }
  --FDelivering;
}

void TApplication::Terminate() {
  FTerminated = true;
  PlatformHost()->Wake();
}

// [calls] --------------------------------------------------------------------------------------------------
void TApplication::Queue(std::function<void()> Fn) {
  if (!Fn) return;
  {
    std::lock_guard<std::mutex> lock(FData->CallLock);
    FData->Calls.push_back(std::move(Fn));
  }
  PlatformHost()->Wake();
}

void TApplication::Synchronize(std::function<void()> Fn) {
  if (!Fn) return;
  if (std::this_thread::get_id() == FData->GuiThread) {
    Fn();
    return;
  }
  struct TWait {
    std::mutex Lock;
    std::condition_variable Done;
    bool Finished = false;
    std::exception_ptr Error;
  };
  auto wait = std::make_shared<TWait>();
  Queue([wait, Fn = std::move(Fn)] {
    try {
      Fn();
    } catch (...) {
      wait->Error = std::current_exception();  // thrown again in the waiting thread, not reported here
    }
    std::lock_guard<std::mutex> lock(wait->Lock);
    wait->Finished = true;
    wait->Done.notify_all();
  });
  std::unique_lock<std::mutex> lock(wait->Lock);
  wait->Done.wait(lock, [&] { return wait->Finished; });
  if (wait->Error) std::rethrow_exception(wait->Error);
}

size_t TApplication::QueuedCalls() const {
  std::lock_guard<std::mutex> lock(FData->CallLock);
  return FData->Calls.size();
}

void TApplication::DeliverCalls() {
  // Only the calls queued before this pass: a call that queues another does not hold the loop.
  std::deque<std::function<void()>> calls;
  {
    std::lock_guard<std::mutex> lock(FData->CallLock);
    calls.swap(FData->Calls);
  }
  for (auto& fn : calls) {
    try {
      fn();
    } catch (...) {
      HandleException(this);
    }
  }
}

void TApplication::ReleaseLater(TCustomForm* Form) {
  if (std::find(FReleased.begin(), FReleased.end(), Form) == FReleased.end()) FReleased.push_back(Form);
}

void TApplication::FreeReleased() {
  while (!FReleased.empty()) {
    TCustomForm* f = FReleased.back();
    FReleased.pop_back();
    delete f;  // its destructor takes it off the lists
  }
}

// [timers] -------------------------------------------------------------------------------------------------
bool TApplication::TimerActive(HWND Wnd, uintptr_t IDEvent) const {
  return std::any_of(FTimers.begin(), FTimers.end(),
                     [&](const TTimerEntry& t) { return t.Wnd == Wnd && t.ID == IDEvent; });
}

Cardinal TApplication::TimerInterval(HWND Wnd, uintptr_t IDEvent) const {
  for (const TTimerEntry& t : FTimers)
    if (t.Wnd == Wnd && t.ID == IDEvent) return t.Interval;
  return 0;
}

uint64_t TApplication::NextTimerDue() const {
  uint64_t due = std::numeric_limits<uint64_t>::max();
  for (const TTimerEntry& t : FTimers)
    if (!Asleep(t)) due = std::min(due, t.Due);
  return due;
}

void TApplication::SetTimerControl(HWND Wnd, const TControl* Control) {
  if (!FData->Windows.count(Wnd)) return;
  if (Control) FData->TimerControls[Wnd] = Control;
  else FData->TimerControls.erase(Wnd);
}

bool TApplication::Asleep(const TTimerEntry& t) const {
  auto it = FData->TimerControls.find(t.Wnd);
  return it != FData->TimerControls.end() && !Displayed(it->second);
}

void TApplication::DeliverTimer(const TTimerEntry& t) {
  if (t.Proc) {
    t.Proc(t.Wnd, WM_TIMER, t.ID, Cardinal(Now()));
    return;
  }
  TMessage m{WM_TIMER, intptr_t(t.ID), 0, 0};
  Deliver(t.Wnd, m);
}

void TApplication::DeliverDueTimers() {
  const uint64_t now = Now();
  std::vector<TTimerEntry> due;
  for (const TTimerEntry& t : FTimers)
    if (t.Due <= now && !Asleep(t)) due.push_back(t);
  std::sort(due.begin(), due.end(), [](const TTimerEntry& a, const TTimerEntry& b) {
    return a.Due != b.Due ? a.Due < b.Due : a.Seq < b.Seq;
  });
  for (const TTimerEntry& d : due) {
    // Skip timers killed or reset by an earlier handler of this pass.
    auto it = std::find_if(FTimers.begin(), FTimers.end(),
                           [&](const TTimerEntry& t) { return t.Wnd == d.Wnd && t.ID == d.ID && t.Seq == d.Seq; });
    if (it == FTimers.end()) continue;
    // Rescheduled from now: however late, one message per pass.
    it->Due = now + it->Interval;
    TTimerEntry copy = *it;
    try {
      DeliverTimer(copy);
    } catch (...) {
      HandleException(this);
    }
  }
}

uintptr_t SetTimer(HWND Wnd, uintptr_t IDEvent, Cardinal Elapse, TIMERPROC TimerProc) {
  TApplication* app = Application;
  if (!app->FData->Windows.count(Wnd)) return 0;
  Elapse = std::clamp(Elapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
  const uint64_t due = app->Now() + Elapse;
  for (auto& t : app->FTimers)
    if (t.Wnd == Wnd && t.ID == IDEvent) {
      t.Interval = Elapse;
      t.Proc = TimerProc;
      t.Due = due;
      t.Seq = app->FTimerSeq++;
      return IDEvent ? IDEvent : 1;
    }
  if (Integer(app->FTimers.size()) >= app->FTimerCapacity) return 0;
  app->FTimers.push_back({Wnd, IDEvent, Elapse, TimerProc, due, app->FTimerSeq++});
  return IDEvent ? IDEvent : 1;
}

bool KillTimer(HWND Wnd, uintptr_t IDEvent) {
  auto& timers = Application->FTimers;
  auto it = std::find_if(timers.begin(), timers.end(),
                         [&](const TApplication::TTimerEntry& t) { return t.Wnd == Wnd && t.ID == IDEvent; });
  if (it == timers.end()) return false;
  timers.erase(it);
  return true;
}

// [clock] --------------------------------------------------------------------------------------------------
uint64_t TApplication::Now() const {
  if (FVirtual) return FVirtualNow;
  return uint64_t(
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - FData->Start).count());
}

void TApplication::UseVirtualClock(bool Virtual) {
  if (Virtual == FVirtual) {
    if (Virtual) {  // switching on again restarts the clock at 0
      for (TTimerEntry& t : FTimers) t.Due = t.Due > FVirtualNow ? t.Due - FVirtualNow : 0;
      FVirtualNow = 0;
    }
    return;
  }
  const uint64_t old = Now();
  FVirtual = Virtual;
  if (Virtual) FVirtualNow = 0;
  const uint64_t now = Now();
  // Timers keep the time they had left.
  for (TTimerEntry& t : FTimers) t.Due = now + (t.Due > old ? t.Due - old : 0);
}

void TApplication::AdvanceClock(uint64_t Ms) {
  if (!FVirtual) throw EInvalidOperation(u"The clock is not virtual");
  FVirtualNow += Ms;
}

void TApplication::Advance(uint64_t Ms) {
  if (!FVirtual) throw EInvalidOperation(u"The clock is not virtual");
  const uint64_t target = FVirtualNow + Ms;
  for (;;) {
    const uint64_t next = NextTimerDue();
    if (next > target) break;
    FVirtualNow = std::max(FVirtualNow, next);
    DeliverDueTimers();
    DeliverQueued();
  }
  FVirtualNow = target;
  ProcessMessages();
}

// [exceptions] ---------------------------------------------------------------------------------------------
void TApplication::HandleException(TObject* Sender) {
  if (std::exception_ptr e = std::current_exception()) HandleException(Sender, e);
}

void TApplication::HandleException(TObject* Sender, std::exception_ptr E) {
  if (!E) return;
  auto report = [&](Exception& ex) {
    ++FExceptionCount;
    FLastExceptionMessage = ex.Message();
    try {
      if (FOnException) FOnException(Sender, ex);
      else ShowException(ex);
    } catch (Exception& inner) {  // a failing handler must not take the loop down
      FLastExceptionMessage = inner.Message();
    } catch (...) {
    }
  };
  try {
    std::rethrow_exception(E);
  } catch (Exception& ex) {
    report(ex);
  } catch (std::exception& ex) {
    Exception wrapped(ex.what());
    report(wrapped);
  } catch (...) {
    Exception wrapped("Unknown exception");
    report(wrapped);
  }
}

void TApplication::ShowException(Exception& E) {
  const String text = E.Message();
  std::fprintf(stderr, "%s\n", ToUtf8(text).c_str());
  std::fflush(stderr);
  if (!PlatformHost()->ShowsWindows() || FErrorShowing) return;
  // Shown from the loop: the handler that failed may be in the middle of painting or of a press.
  FErrorShowing = true;
  Queue([this, text] {
    struct Done {
      bool& flag;
      ~Done() { flag = false; }
    } done{FErrorShowing};
    MessageDlg(text, mtError, mbOK);
  });
}

// [painting] -----------------------------------------------------------------------------------------------
void TApplication::PopModal(TCustomForm* Form) {
  auto it = std::find(FModal.rbegin(), FModal.rend(), Form);
  if (it != FModal.rend()) FModal.erase(std::next(it).base());
}

namespace {
TPlatformHost gHeadlessHost;
std::atomic<TPlatformHost*> gHost{&gHeadlessHost};  // read by Wake from other threads
}  // namespace

TPlatformHost* PlatformHost() { return gHost.load(); }
void SetPlatformHost(TPlatformHost* Host) { gHost = Host ? Host : &gHeadlessHost; }

bool Displayed(const TControl* Control) {
  if (!Control->Showing()) return false;
  if (!PlatformHost()->ShowsWindows()) return true;
  const auto* form = dynamic_cast<const TCustomForm*>(Control->Root());
  return !form || form->Visible();
}

void TApplication::MarkDirty(TControl* Root) {
  if (std::find(FDirtyRoots.begin(), FDirtyRoots.end(), Root) == FDirtyRoots.end()) FDirtyRoots.push_back(Root);
}

void TApplication::ForgetRoot(TControl* Root) {
  FDirtyRoots.erase(std::remove(FDirtyRoots.begin(), FDirtyRoots.end(), Root), FDirtyRoots.end());
}

void TApplication::PaintDirty() {
  // Each root once per call: one that invalidates itself while painting waits for the next call.
  std::vector<TControl*> roots = FDirtyRoots;
  for (TControl* r : roots) {
    auto it = std::find(FDirtyRoots.begin(), FDirtyRoots.end(), r);
    if (it == FDirtyRoots.end()) continue;  // forgotten (destroyed) meanwhile
    FDirtyRoots.erase(it);
    try {
      if (r->Parent()) continue;  // no longer a root: its new root has the area
      r->Update();
    } catch (...) {
      HandleException(r);
    }
  }
}

void TApplication::SetShowHint(bool v) {
  FShowHint = v;
  if (!v) hints::Cancel();
}

void TApplication::SetHint(const String& v) {
  if (v == FHint) return;
  FHint = v;
  if (FOnHint) FOnHint(this);
}

// [platform] -----------------------------------------------------------------------------------------------
HWND AllocateHWnd(TWndMethod Method) { return Application->RegisterWindow(std::move(Method)); }

void DeallocateHWnd(HWND Wnd) {
  if (Wnd) Application->UnregisterWindow(Wnd);
}

bool IsWindow(HWND Wnd) { return Application->IsWindowHandle(Wnd); }

intptr_t DefWindowProcW(HWND Wnd, Cardinal Msg, intptr_t WParam, intptr_t LParam) {
  if (Application->FDefWindowProcHook) return Application->FDefWindowProcHook(Wnd, Msg, WParam, LParam);
  return 0;
}

bool PostMessage(HWND Wnd, Cardinal Msg, intptr_t WParam, intptr_t LParam) {
  if (!Application->IsWindowHandle(Wnd)) return false;
  Application->Post(Wnd, TMessage{Msg, WParam, LParam, 0});
  return true;
}

intptr_t SendMessage(HWND Wnd, Cardinal Msg, intptr_t WParam, intptr_t LParam) {
  TMessage m{Msg, WParam, LParam, 0};
  Application->Deliver(Wnd, m);
  return m.Result;
}

bool MessageBeep(Cardinal uType) {
  TApplication* app = Application;
  ++app->FBeepCount;
  app->FLastBeep = uType;
  PlatformHost()->Beep(uType);
  return true;
}

Cardinal GetTickCount() { return Cardinal(Application->Now()); }

}  // namespace jox
