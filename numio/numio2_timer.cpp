// TNumIO2 caret blink on its hidden timer window, and the focus messages that restart it.
#include "numio/numio2.h"
#include "package/texts.h"
#include "package/framework/controls/forms.h"

namespace jox {

namespace {
constexpr uintptr_t CaretTimerID = 1;
constexpr Cardinal CaretInterval = 500;  // ms
}

void TNumIO2::UpdateTimer() {
  KillTimer(FCaretTimerH, CaretTimerID);
  FCaretVisib = true;
  if (SetTimer(FCaretTimerH, CaretTimerID, CaretInterval, nullptr) == 0)
    throw EJOXNumIO2Error(NoTimerText(Name()));
  Paint();
}

void TNumIO2::ShowCaretNow() {
  FCaretVisib = true;
  // Without a timer the caret simply stays shown; a keystroke must not fail for it.
  if (Focused()) {
    KillTimer(FCaretTimerH, CaretTimerID);
    SetTimer(FCaretTimerH, CaretTimerID, CaretInterval, nullptr);
  }
}

void TNumIO2::StopCaret() {
  KillTimer(FCaretTimerH, CaretTimerID);
  FCaretVisib = false;
}

void TNumIO2::CaretTimerEvent() {
  if (Focused())
    FCaretVisib = !FCaretVisib;
  else
    StopCaret();  // restarted when the focus comes back
  Paint();
}

void TNumIO2::TimerWndProc(TMessage& Message) {
  if (Message.Msg == WM_TIMER) {
    try {
      CaretTimerEvent();
    } catch (...) {
      Application->HandleException(this);
    }
  } else {
    Message.Result = DefWindowProcW(FCaretTimerH, Message.Msg, Message.WParam, Message.LParam);
  }
}

void TNumIO2::WndProc(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE) {
    Message.Result = DLGC_WANTARROWS | DLGC_WANTTAB;  // the key handler moves the focus on Tab itself
    return;
  }
  TCustomControl::WndProc(Message);
  if (Message.Msg == WM_SETFOCUS && !FReadOnly) UpdateTimer();
}

void TNumIO2::SetFocus() {
  TCustomControl::SetFocus();
  if (!FReadOnly) UpdateTimer();
}

void TNumIO2::Click() {
  if (CanFocus()) SetFocus();
  if (!FReadOnly) UpdateTimer();
  TCustomControl::Click();
}

}  // namespace jox
