// TNumIO2 keyboard: clipboard keys, editing and navigation, typed characters, the online check with
// undo, and the fixed-point rule that makes the next digit replace a decimal.
#include "numio/numio2.h"
#include "numio/numio2_model.h"
#include "package/framework/controls/clipbrd.h"
#include "package/framework/controls/forms.h"

namespace jox {

namespace {
constexpr Cardinal BeepKind = 0xFFFF;
}

void TNumIO2::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);  // OnKeyDown may swallow the key
  if (Key == 0) return;
  if (Key == VK_SHIFT) {
    FKeyShifted = true;
    return;
  }
  if (Key == VK_CONTROL) {
    FKeyCntrl = true;
    return;
  }
  HandleKey(Key, FKeyShifted || (Shift & ssShift), FKeyCntrl || (Shift & ssCtrl));
}

void TNumIO2::KeyUp(Word& Key, TShiftState Shift) {
  if (Key == VK_SHIFT) FKeyShifted = false;
  if (Key == VK_CONTROL) FKeyCntrl = false;
  TCustomControl::KeyUp(Key, Shift);
}

void TNumIO2::DoExit() {
  // The key-up of a modifier held while the focus leaves goes elsewhere.
  FKeyShifted = FKeyCntrl = false;
  TCustomControl::DoExit();
}

void TNumIO2::DeleteSelection(bool& Changed) {
  FInBuffer.erase(size_t(FSelBegin), size_t(FSelEnd - FSelBegin));
  if (FInBuffer.empty()) SetNioValue(0);
  FCaretPos = FSelBegin;
  FSelEnd = FSelBegin;
  Changed = true;
}

void TNumIO2::RemoveSelectedText() {
  if (FSelBegin >= FSelEnd) return;
  FInBuffer.erase(size_t(FSelBegin), size_t(FSelEnd - FSelBegin));
  FCaretPos = FSelEnd = FSelBegin;
}

void TNumIO2::HandleKey(Word K, bool Shifted, bool Ctrl) {
  if (FReadOnly && !(Ctrl && K == 'C')) return;
  KeepCaretInBuffer();
  const String oldBuffer = FInBuffer;
  const Integer oldCaret = FCaretPos;
  bool changed = false;
  const bool refused = Ctrl ? !ClipboardKey(K, changed) : !EditKey(K, Shifted, changed);
  if (refused && FBeep) MessageBeep(BeepKind);

  // Online check; an unchanged buffer is not checked again, so moving the caret through a text that
  // was set from outside (a row of "*", say) does not beep.
  if (FOnlineCheck && FInBuffer != oldBuffer && !FInBuffer.empty() && FInBuffer != u"-" &&
      FInBuffer != u"+" && !CheckValidity(FInBuffer)) {
    FInBuffer = oldBuffer;
    FCaretPos = oldCaret;
    changed = false;
    if (FBeep) MessageBeep(BeepKind);
  }

  if (FInputFormat == itFixPoint) {
    Integer n = Integer(FInBuffer.size());
    if (FCaretPos > n - FDecP - 1) {
      // Inside the decimals the next digit replaces the one after the caret.
      FSelBegin = FCaretPos;
      FSelEnd = std::min(FCaretPos + 1, n);
    } else {
      FSelBegin = FSelEnd;
    }
  }

  if (!FReadOnly && K != VK_TAB) ShowCaretNow();
  if (changed) Changed();
  Paint();
}

bool TNumIO2::ClipboardKey(Word K, bool& Changed) {
  const bool hasSel = FSelBegin < FSelEnd;
  switch (K) {
    case 'C':
      if (hasSel) Clipboard()->SetAsText(FInBuffer.substr(size_t(FSelBegin), size_t(FSelEnd - FSelBegin)));
      return true;
    case 'X':
      if (hasSel) {
        Clipboard()->SetAsText(FInBuffer.substr(size_t(FSelBegin), size_t(FSelEnd - FSelBegin)));
        DeleteSelection(Changed);
      }
      return true;
    case 'V':
      if (Clipboard()->HasFormat(CF_TEXT)) {
        String text = Clipboard()->AsText();
        RemoveSelectedText();
        FInBuffer.insert(size_t(FCaretPos), text);
        FCaretPos += Integer(text.size());
        FSelBegin = FSelEnd = 0;
        Changed = true;
      }
      return true;
    default:
      return false;
  }
}

bool TNumIO2::EditKey(Word K, bool Shifted, bool& Changed) {
  const Integer len = Integer(FInBuffer.size());
  const bool hasSel = FSelBegin < FSelEnd;
  switch (K) {
    case VK_BACK:
      if (hasSel) {
        DeleteSelection(Changed);
      } else if (FCaretPos > 0) {
        FInBuffer.erase(size_t(FCaretPos - 1), 1);
        --FCaretPos;
        Changed = true;
      }
      return true;
    case VK_TAB:
      // Shift+Tab goes back, as everywhere else on the desktop.
      if (TCustomForm* form = GetParentForm(this)) form->Perform(WM_NEXTDLGCTL, Shifted ? 1 : 0, 0);
      return true;
    case VK_END: FCaretPos = len; return true;
    case VK_HOME: FCaretPos = 0; return true;
    case VK_LEFT:
    case VK_UP:
      if (FCaretPos > 0) --FCaretPos;
      return true;
    case VK_RIGHT:
    case VK_DOWN:
      if (FCaretPos < len) ++FCaretPos;
      return true;
    case VK_DELETE:
      if (hasSel) {
        DeleteSelection(Changed);
      } else if (FCaretPos < len) {
        FInBuffer.erase(size_t(FCaretPos), 1);
        Changed = true;
      }
      return true;
    default:
      if (char16_t c = numio2::KeyChar(K, Shifted)) {
        RemoveSelectedText();
        FInBuffer.insert(size_t(FCaretPos), 1, c);
        ++FCaretPos;
        Changed = true;
        return true;
      }
      return false;
  }
}

}  // namespace jox
