// TNumIO2 caret blink on its hidden timer window, and the focus messages that restart it.
#include "numio/numio2.h"
#include "package/framework/controls/forms.h"

namespace jox {

namespace {
constexpr Cardinal CaretInterval = 500;  // ms
}

void TNumIO2::UpdateTimer() {
  FCaretVisib = true;
  FCaretTimer->UpdateTimer(CaretInterval, true);
  Paint();
}

void TNumIO2::ShowCaretNow() {
  FCaretVisib = true;
  // Without a timer the caret simply stays shown; a keystroke must not fail for it.
  if (Focused()) {
    try {
      FCaretTimer->UpdateTimer(CaretInterval, true);
    } catch (const EJOXNumIO2Error&) {
    }
  }
}

void TNumIO2::StopCaret() {
  FCaretTimer->Stop();
  FCaretVisib = false;
}

void TNumIO2::CaretTimerEvent() {
  if (Focused())
    FCaretVisib = !FCaretVisib;
  else
    StopCaret();  // restarted when the focus comes back
  Paint();
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
