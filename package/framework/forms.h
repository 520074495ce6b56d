// Forms, the application object (message queue, hidden windows, timers, clock, beeps, exceptions) and
// the screen. Sections: [platform] [application] [form] [screen]
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

#include <chrono>
#include <deque>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "package/framework/controls.h"

namespace jox {

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
  size_t QueuedMessages() const { return FQueue.size(); }

  // --- exceptions
  // To be called inside a catch block: hands the current exception to OnException, or keeps its
  // message (LastExceptionMessage) and counts it. Non-Exception errors arrive as Exception(what()).
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
  // Called on every MessageBeep (the window backend makes it audible).
  void SetBeepSink(std::function<void(Cardinal)> f) { FBeepSink = std::move(f); }

  // Answers DefWindowProcW instead of 0 (tests watch what reaches the default handling).
  void SetDefWindowProcHook(std::function<intptr_t(HWND, Cardinal, intptr_t, intptr_t)> f) {
    FDefWindowProcHook = std::move(f);
  }

  // --- hints and misc
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool v) { FShowHint = v; }
  Cardinal HintPause() const { return FHintPause; }
  void SetHintPause(Cardinal v) { FHintPause = v; }
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
  void Terminate() { FTerminated = true; }
  bool Terminated() const { return FTerminated; }

  // --- internals shared with controls and the backend
  HWND RegisterWindow(TWndMethod Method);
  void UnregisterWindow(HWND Wnd);
  bool Deliver(HWND Wnd, TMessage& Message);  // false for an unknown window
  bool IsWindowHandle(HWND Wnd) const { return FWindows.count(Wnd) != 0; }
  void Post(HWND Wnd, const TMessage& Message);
  void ForgetForm(TCustomForm* Form);
  void MarkDirty(TControl* Root);              // the root has an area to repaint
  void ForgetRoot(TControl* Root);
  // Paints every dirty root now.
  void PaintDirty();
  // Frees Form at the next ProcessMessages (Release, caFree).
  void ReleaseLater(TCustomForm* Form);

  friend uintptr_t SetTimer(HWND, uintptr_t, Cardinal, TIMERPROC);
  friend bool KillTimer(HWND, uintptr_t);
  friend bool MessageBeep(Cardinal);
  friend intptr_t DefWindowProcW(HWND, Cardinal, intptr_t, intptr_t);

 private:
  struct TTimer {
    HWND Wnd;
    uintptr_t ID;
    Cardinal Interval;
    TIMERPROC Proc;
    uint64_t Due;
    uint64_t Seq;  // order of setting, breaks ties of Due
  };
  struct TQueued {
    HWND Wnd;
    TMessage Msg;
  };
  // One pass over the timers due at Now(): one message each, in due order; then each is rescheduled
  // from Now() (missed ticks coalesce).
  void DeliverDueTimers();
  void DeliverQueued();
  void DeliverTimer(const TTimer& t);
  void FreeReleased();

  std::map<HWND, TWndMethod> FWindows;
  HWND FNextHandle = 0x1000;
  std::deque<TQueued> FQueue;
  std::vector<TTimer> FTimers;
  uint64_t FTimerSeq = 0;
  Integer FTimerCapacity = 10000;
  bool FVirtual = false;
  uint64_t FVirtualNow = 0;
  std::chrono::steady_clock::time_point FStart;
  std::vector<TControl*> FDirtyRoots;
  std::vector<TCustomForm*> FReleased;
  Integer FBeepCount = 0;
  Cardinal FLastBeep = 0;
  std::function<void(Cardinal)> FBeepSink;
  std::function<intptr_t(HWND, Cardinal, intptr_t, intptr_t)> FDefWindowProcHook;
  TExceptionEvent FOnException;
  Integer FExceptionCount = 0;
  String FLastExceptionMessage;
  bool FShowHint = true;
  Cardinal FHintPause = 500;
  String FHint;
  THintEvent FOnHint;
  String FTitle;
  TCustomForm* FMainForm = nullptr;
  Cardinal FDoubleClickTime = 500;
  bool FTerminated = false;
  Integer FDelivering = 0;
};

extern TApplication* Application;

// [form] ---------------------------------------------------------------------------------------------------
using TModalResult = Integer;
constexpr TModalResult mrNone = 0, mrOk = 1, mrOK = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
                       mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10, mrClose = 11;

enum TCloseAction : uint8_t { caNone, caHide, caFree, caMinimize };
enum TPosition : uint8_t {
  poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
  poMainFormCenter, poOwnerFormCenter
};
enum TWindowState : uint8_t { wsNormal, wsMinimized, wsMaximized };
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

// A top-level window. As a root it owns the surface its controls paint on (client size = size: the
// frame and title bar belong to the window system). Color clBtnFace, Visible false, BorderStyle
// bsSizeable, KeyPreview false, size 320 x 240.
class TCustomForm : public TWinControl {
 public:
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;

  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle v) { FBorderStyle = v; }
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition v) { FPosition = v; }
  TWindowState WindowState() const { return FWindowState; }
  void SetWindowState(TWindowState v) { FWindowState = v; }
  // When true the form sees every key before its focused control (and may consume it: Key = 0).
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool v) { FKeyPreview = v; }
  // The focused control of the form (nullptr when none); setting it focuses it when possible.
  TWinControl* ActiveControl() const { return FocusedControl(); }
  void SetActiveControl(TWinControl* c);
  // Focuses a control (or the form itself for nullptr) without the CanFocus check of SetFocus.
  void FocusControl(TWinControl* c);

  // --- modal use
  // Shows the form modally and returns its ModalResult. The modal hook acts on the form first (tests,
  // headless code); then a runner (the window backend) loops until ModalResult is set. Without either,
  // or when neither set a result, the result is mrCancel.
  virtual TModalResult ShowModal();
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult v) { FModalResult = v; }
  bool Modal() const { return FModal; }
  // OnCloseQuery, then OnClose with the action caHide (caFree frees the form at the next ProcessMessages);
  // a modal form gets ModalResult mrCancel unless it has one.
  void Close();
  bool CloseQuery();
  // Frees the form at the next ProcessMessages.
  void Release();

  using TModalHook = std::function<void(TCustomForm* Form)>;
  // Set by tests and headless callers; applies to every ShowModal until cleared (nullptr).
  static void SetModalHook(TModalHook Hook);
  static const TModalHook& ModalHook();
  // Set by the window backend: runs a modal loop for the form until ModalResult != mrNone.
  static void SetModalRunner(TModalHook Runner);
  // Set by the window backend: shows or hides a real window when Visible changes.
  static void SetVisibilitySink(std::function<void(TCustomForm*, bool)> Sink);

  const TNotifyEvent& OnShow() const { return FOnShow; }
  void SetOnShow(TNotifyEvent e) { FOnShow = std::move(e); }
  const TNotifyEvent& OnHide() const { return FOnHide; }
  void SetOnHide(TNotifyEvent e) { FOnHide = std::move(e); }
  const TNotifyEvent& OnPaint() const { return FOnPaint; }
  void SetOnPaint(TNotifyEvent e) { FOnPaint = std::move(e); }
  const TCloseEvent& OnClose() const { return FOnClose; }
  void SetOnClose(TCloseEvent e) { FOnClose = std::move(e); }
  const TCloseQueryEvent& OnCloseQuery() const { return FOnCloseQuery; }
  void SetOnCloseQuery(TCloseQueryEvent e) { FOnCloseQuery = std::move(e); }

  void SetVisible(bool v) override;
  void Paint() override;
  void DefaultHandler(TMessage& Message) override;

  static const TClassInfo& ClassInfo();
  const TClassInfo& GetClassInfo() const override { return ClassInfo(); }

 protected:
  friend class TWinControl;
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& Action);

 private:
  TFormBorderStyle FBorderStyle = bsSizeable;
  TPosition FPosition = poDesigned;
  TWindowState FWindowState = wsNormal;
  bool FKeyPreview = false;
  TModalResult FModalResult = mrNone;
  bool FModal = false;
  TNotifyEvent FOnShow, FOnHide, FOnPaint;
  TCloseEvent FOnClose;
  TCloseQueryEvent FOnCloseQuery;
};

class TForm : public TCustomForm {
 public:
  explicit TForm(TComponent* AOwner);
  static const TClassInfo& ClassInfo();
  const TClassInfo& GetClassInfo() const override { return ClassInfo(); }
};

// [screen] -------------------------------------------------------------------------------------------------
class TScreen : public TComponent {
 public:
  explicit TScreen(TComponent* AOwner);
  // A cursor for the whole application; crDefault lets each control's Cursor show.
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor v);
  Integer Width() const { return FWidth; }
  Integer Height() const { return FHeight; }
  void SetSize(Integer w, Integer h) { FWidth = w; FHeight = h; }
  Integer PixelsPerInch() const { return 96; }
  Integer FormCount() const { return Integer(FForms.size()); }
  TCustomForm* Forms(Integer i) const;  // nullptr out of range
  // The form shown last (and still visible), nullptr when none.
  TCustomForm* ActiveForm() const;
  TWinControl* ActiveControl() const;
  // The window backend follows cursor changes.
  void SetCursorSink(std::function<void(TCursor)> f) { FCursorSink = std::move(f); }

  void AddForm(TCustomForm* f);
  void RemoveForm(TCustomForm* f);
  void FormShown(TCustomForm* f);

 private:
  TCursor FCursor = crDefault;
  Integer FWidth = 1920, FHeight = 1080;
  std::vector<TCustomForm*> FForms;  // last shown last
  std::function<void(TCursor)> FCursorSink;
};

extern TScreen* Screen;

}  // namespace jox
