// The application object: message queue, hidden windows, timers, clock, beeps, exceptions, and the
// registry of windows, the stack of modal forms and the platform host. It knows controls only by pointer,
// so the controls can stand on it. Sections: [platform] [host] [application]
//
// Timers in tests:
//   Application->UseVirtualClock(true);          // the clock stands still until advanced
//   HWND w = AllocateHWnd([&](TMessage& m) { if (m.Msg == WM_TIMER) ++ticks; });
//   SetTimer(w, 1, 100, nullptr);
//   Application->Advance(350);                   // ticks at 100, 200, 300 -> ticks == 3
//   DeallocateHWnd(w);
// Advance walks the clock from due time to due time and delivers each tick when it falls due; a jump
// (AdvanceClock) followed by ProcessMessages delivers one WM_TIMER per due timer, however late: late ticks
// coalesce, as on the platform.
#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <vector>

#include "package/framework/base/component.h"
#include "package/framework/base/types.h"

namespace jox {

class TControl;
class TCustomForm;

// [platform] -----------------------------------------------------------------------------------------------
// The platform's window calls, on hidden windows (AllocateHWnd) and control handles alike.
using TWndMethod = std::function<void(TMessage& Message)>;
using TIMERPROC = void (*)(HWND hwnd, Cardinal msg, uintptr_t idEvent, Cardinal time);
constexpr Cardinal USER_TIMER_MINIMUM = 10, USER_TIMER_MAXIMUM = 0x7FFFFFFF;
constexpr Cardinal MB_OK = 0x0, MB_ICONHAND = 0x10, MB_ICONQUESTION = 0x20, MB_ICONEXCLAMATION = 0x30,
                   MB_ICONASTERISK = 0x40, MB_ICONERROR = MB_ICONHAND, MB_ICONWARNING = MB_ICONEXCLAMATION,
                   MB_ICONINFORMATION = MB_ICONASTERISK;

// A hidden window whose messages go to Method. Never returns 0.
HWND AllocateHWnd(TWndMethod Method);
// Destroys the window, its timers and its queued messages; unknown handles are ignored.
void DeallocateHWnd(HWND Wnd);
bool IsWindow(HWND Wnd);
// Starts (or restarts, for the same window and id) a timer: WM_TIMER with WParam = IDEvent every Elapse ms
// (clamped to 10 .. 0x7FFFFFFF). Returns IDEvent, or 0 when the window is unknown or the timer table is full.
// With a TimerProc the proc is called instead of the window.
uintptr_t SetTimer(HWND Wnd, uintptr_t IDEvent, Cardinal Elapse, TIMERPROC TimerProc = nullptr);
bool KillTimer(HWND Wnd, uintptr_t IDEvent);
// The default handling of any message: 0 (a test hook may answer instead, see TApplication).
intptr_t DefWindowProcW(HWND Wnd, Cardinal Msg, intptr_t WParam, intptr_t LParam);
inline intptr_t DefWindowProc(HWND Wnd, Cardinal Msg, intptr_t WParam, intptr_t LParam) {
  return DefWindowProcW(Wnd, Msg, WParam, LParam);
}
// Queues a message for the window (delivered by ProcessMessages); false for an unknown window.
bool PostMessage(HWND Wnd, Cardinal Msg, intptr_t WParam, intptr_t LParam);
// Delivers at once and returns the result (0 for an unknown window).
intptr_t SendMessage(HWND Wnd, Cardinal Msg, intptr_t WParam, intptr_t LParam);
// Counted by Application (BeepCount, LastBeep); audible in the window backend.
bool MessageBeep(Cardinal uType);
// Milliseconds of the application clock (virtual or real).
Cardinal GetTickCount();

// [host] ---------------------------------------------------------------------------------------------------
// Everything a platform gives the framework, behind one interface. The headless host is the default
// (tests, pictures: nothing is shown and no event ever comes); the window backend installs its own.
// Top-level surfaces (forms without a parent, popups) are shown, moved and hidden through it, painted
// areas are handed to it to present, and modal loops wait on it for the next event.
class TPlatformHost {
 public:
  virtual ~TPlatformHost() = default;
  // A top-level surface was shown or hidden.
  virtual void ShowWindow(TControl* Root, bool Visible) {}
  // Its position (screen coordinates), size or caption changed.
  virtual void WindowChanged(TControl* Root) {}
  // Rect (surface coordinates) of Root's surface was painted, in a paint pass or directly, and is
  // shown at the next Flush.
  virtual void Present(TControl* Root, const TRect& Rect) {}
  // Shows what was painted since the last call (ProcessMessages calls it after painting).
  virtual void Flush() {}
  // Delivers the window events waiting now without waiting for more (ProcessMessages calls it first).
  virtual void DispatchPending() {}
  // Whether forms appear on a screen: false headless, where every form counts as shown.
  virtual bool ShowsWindows() const { return false; }
  // Makes a waiting WaitAndDispatch return at once. Called from any thread.
  virtual void Wake() {}
  // The cursor to show (a TCursor value).
  virtual void SetCursor(int16_t Cursor) {}
  virtual void Beep(Cardinal Type) {}
  // The system clipboard; false when there is none (the process keeps its own text then). nullptr clears.
  virtual bool GetClipboardText(String& Text) { return false; }
  virtual void SetClipboardText(const String* Text) {}
  // Waits up to TimeoutMs for events and delivers them through the input functions, then processes
  // messages. False when no event can ever come (headless) or the user asked to quit.
  virtual bool WaitAndDispatch(Cardinal TimeoutMs) { return false; }
};

// Never nullptr: the headless host unless a backend installed another.
TPlatformHost* PlatformHost();
// nullptr restores the headless host. The caller keeps ownership.
void SetPlatformHost(TPlatformHost* Host);

// Whether what Control draws can be seen: it and its parents are visible, and where the host shows
// windows, its form is shown too. A control not displayed skips PaintNow, and timers set for it
// (TApplication::SetTimerControl) sleep, so hidden pages and closed forms cost nothing.
bool Displayed(const TControl* Control);

// [application] --------------------------------------------------------------------------------------------
using TExceptionEvent = std::function<void(TObject* Sender, Exception& E)>;
using THintEvent = std::function<void(TObject* Sender)>;

class TApplication : public TComponent {
 public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  // --- messages
  // Delivers due timers and queued messages (each one posted before this call started, then the ones
  // they posted, up to a bound), then paints every dirty surface. Exceptions escaping a handler go to
  // HandleException.
  void ProcessMessages();
  // Messages waiting in the queue.
  size_t QueuedMessages() const;
  // Runs Fn on the GUI thread at the next ProcessMessages and wakes the loop waiting for events. Safe
  // from any thread: with Synchronize, the only way in from other threads. What Fn throws goes to
  // HandleException.
  void Queue(std::function<void()> Fn);
  // Runs Fn on the GUI thread and waits until it has run: at once on the GUI thread itself, otherwise
  // at the loop's next ProcessMessages. What Fn throws is thrown again in the caller.
  void Synchronize(std::function<void()> Fn);
  // Calls queued by Queue or Synchronize that have not run yet.
  size_t QueuedCalls() const;

  // --- exceptions
  // To be called inside a catch block: counts the exception, keeps its message (LastExceptionMessage)
  // and hands it to OnException; without one, ShowException shows it. Non-Exception errors arrive as
  // Exception(what()). Input handlers, timers, queued calls and painting all end here: the loop goes on.
  // The default way of showing an error: stderr, and where the host shows windows, a small modal message
  // window as well (from the loop, not inside the handler that failed; one at a time).
  void ShowException(Exception& E);
  void HandleException(TObject* Sender);
  void HandleException(TObject* Sender, std::exception_ptr E);
  const TExceptionEvent& OnException() const { return FOnException; }
  void SetOnException(TExceptionEvent e) { FOnException = std::move(e); }
  Integer ExceptionCount() const { return FExceptionCount; }
  const String& LastExceptionMessage() const { return FLastExceptionMessage; }
  void ClearExceptions() { FExceptionCount = 0; FLastExceptionMessage.clear(); }

  // --- clock and timers
  // Virtual clock: stands at its value until advanced (starts at 0 when switched on).
  void UseVirtualClock(bool Virtual);
  bool VirtualClock() const { return FVirtual; }
  // Milliseconds since the application started (real) or of the virtual clock.
  uint64_t Now() const;
  // Virtual clock: walks forward Ms milliseconds, delivering every timer tick at its due time (ties in
  // the order the timers were set), with queued messages between; paints at the end.
  void Advance(uint64_t Ms);
  // Virtual clock: jumps forward without delivering anything.
  void AdvanceClock(uint64_t Ms);
  // Due time of the next timer in clock milliseconds (UINT64_MAX when none).
  uint64_t NextTimerDue() const;
  Integer TimerCount() const { return Integer(FTimers.size()); }
  // Size of the timer table (default 10000); lowering it below the timers running keeps them.
  void SetTimerCapacity(Integer N) { FTimerCapacity = N < 0 ? 0 : N; }
  Integer TimerCapacity() const { return FTimerCapacity; }
  bool TimerActive(HWND Wnd, uintptr_t IDEvent) const;
  Cardinal TimerInterval(HWND Wnd, uintptr_t IDEvent) const;  // 0 when not running

  // --- beeps
  Integer BeepCount() const { return FBeepCount; }
  Cardinal LastBeep() const { return FLastBeep; }
  void ResetBeeps() { FBeepCount = 0; FLastBeep = 0; }

  // Answers DefWindowProcW instead of 0 (tests watch what reaches the default handling).
  void SetDefWindowProcHook(std::function<intptr_t(HWND, Cardinal, intptr_t, intptr_t)> f) {
    FDefWindowProcHook = std::move(f);
  }

  // --- hints and misc
  // Whether hints show at all (default true); false also hides the one shown now.
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool v);
  // How long the pointer rests on a control before its hint shows (ms, default 500).
  Cardinal HintPause() const { return FHintPause; }
  void SetHintPause(Cardinal v) { FHintPause = v; }
  // How long a hint stays (ms, default 2500; 0 keeps it until the pointer leaves).
  Cardinal HintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(Cardinal v) { FHintHidePause = v; }
  // The pause before the next control's hint while one shows (ms, default 50).
  Cardinal HintShortPause() const { return FHintShortPause; }
  void SetHintShortPause(Cardinal v) { FHintShortPause = v; }
  // The long hint of the control under the mouse; changes fire OnHint.
  const String& Hint() const { return FHint; }
  void SetHint(const String& v);
  const THintEvent& OnHint() const { return FOnHint; }
  void SetOnHint(THintEvent e) { FOnHint = std::move(e); }
  const String& Title() const { return FTitle; }
  void SetTitle(const String& v) { FTitle = v; }
  TCustomForm* MainForm() const { return FMainForm; }
  void SetMainForm(TCustomForm* f) { FMainForm = f; }
  // Double-click time of the input layer (ms, default 500).
  Cardinal DoubleClickTime() const { return FDoubleClickTime; }
  void SetDoubleClickTime(Cardinal v) { FDoubleClickTime = v; }
  // Ends the loop (the main form's close does it); wakes a waiting loop.
  void Terminate();
  bool Terminated() const { return FTerminated; }
  // Lets a loop run again after Terminate (a second Run in one process, as tests do).
  void ClearTerminated() { FTerminated = false; }

  // --- modal forms
  // The forms shown modally now, the innermost last. While there is one, only it (and the popups) take
  // mouse and keys.
  TCustomForm* ModalForm() const { return FModal.empty() ? nullptr : FModal.back(); }
  Integer ModalLevel() const { return Integer(FModal.size()); }
  void PushModal(TCustomForm* Form) { FModal.push_back(Form); }
  void PopModal(TCustomForm* Form);

  // --- internals shared with controls and the backend
  HWND RegisterWindow(TWndMethod Method);
  void UnregisterWindow(HWND Wnd);
  bool Deliver(HWND Wnd, TMessage& Message);  // false for an unknown window
  bool IsWindowHandle(HWND Wnd) const;
  void Post(HWND Wnd, const TMessage& Message);
  void ForgetForm(TCustomForm* Form);
  void MarkDirty(TControl* Root);              // the root has an area to repaint
  void ForgetRoot(TControl* Root);
  // Paints every dirty root now.
  void PaintDirty();
  // Frees Form at the next ProcessMessages (Release, caFree).
  void ReleaseLater(TCustomForm* Form);
  // The timers of Wnd sleep while Control is not Displayed (not due, not waking the loop) and fall due
  // once it shows again. Forgotten with the window.
  void SetTimerControl(HWND Wnd, const TControl* Control);

  friend uintptr_t SetTimer(HWND, uintptr_t, Cardinal, TIMERPROC);
  friend bool KillTimer(HWND, uintptr_t);
  friend bool MessageBeep(Cardinal);
  friend intptr_t DefWindowProcW(HWND, Cardinal, intptr_t, intptr_t);

 private:
  struct TTimerEntry {
    HWND Wnd;
    uintptr_t ID;
    Cardinal Interval;
    TIMERPROC Proc;
    uint64_t Due;
    uint64_t Seq;  // order of setting, breaks ties of Due
  };
  // The queue, window and call tables: kept out of this header, which nearly every source includes.
  struct TData;
  // One pass over the timers due at Now(): one message each, in due order; then each is rescheduled
  // from Now() (missed ticks coalesce).
  void DeliverDueTimers();
  void DeliverQueued();
  void DeliverTimer(const TTimerEntry& t);
  void FreeReleased();
  void DeliverCalls();
  bool Asleep(const TTimerEntry& t) const;

  std::unique_ptr<TData> FData;
  HWND FNextHandle = 0x1000;
  std::vector<TTimerEntry> FTimers;
  bool FErrorShowing = false;
  uint64_t FTimerSeq = 0;
  Integer FTimerCapacity = 10000;
  bool FVirtual = false;
  uint64_t FVirtualNow = 0;
  std::vector<TControl*> FDirtyRoots;
  std::vector<TCustomForm*> FReleased;
  Integer FBeepCount = 0;
  Cardinal FLastBeep = 0;
  std::vector<TCustomForm*> FModal;
  std::function<intptr_t(HWND, Cardinal, intptr_t, intptr_t)> FDefWindowProcHook;
  TExceptionEvent FOnException;
  Integer FExceptionCount = 0;
  String FLastExceptionMessage;
  bool FShowHint = true;
  Cardinal FHintPause = 500;
  Cardinal FHintHidePause = 2500;
  Cardinal FHintShortPause = 50;
  String FHint;
  THintEvent FOnHint;
  String FTitle;
  TCustomForm* FMainForm = nullptr;
  Cardinal FDoubleClickTime = 500;
  bool FTerminated = false;
  Integer FDelivering = 0;
};

extern TApplication* Application;

}  // namespace jox
