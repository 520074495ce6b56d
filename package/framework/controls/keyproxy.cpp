// TKeyProxy and the keyboard side of TGraphicControl.
#include "package/framework/controls/keyproxy.h"

namespace jox {

// [proxy] --------------------------------------------------------------------------------------------------
TKeyProxy::TKeyProxy(TGraphicControl* Target, intptr_t DlgCode)
    : TWinControl(nullptr), FTarget(Target), FDlgCode(DlgCode) {
  SetControlStyle(csOpaque);  // nothing of its own to draw, not even a background
  SetTabStop(true);
  Follow();
}

TKeyProxy::~TKeyProxy() {
  if (FTarget) FTarget->FKeyProxy = nullptr;
}

void TKeyProxy::Follow() {
  SetBounds(FTarget->Left(), FTarget->Top(), FTarget->Width(), FTarget->Height());
  TWinControl::SetVisible(FTarget->Visible());
  TWinControl::SetEnabled(FTarget->Enabled());
  if (Parent() != FTarget->Parent()) SetParent(FTarget->Parent());
}

void TKeyProxy::DefaultHandler(TMessage& m) {
  switch (m.Msg) {
    case CM_HITTEST:
      m.Result = 0;  // the mouse belongs to the control beneath
      return;
    case WM_GETDLGCODE:
      m.Result = FDlgCode;
      return;
    case CM_DIALOGCHAR:
    case WM_CONTEXTMENU:
      // The control's mnemonic and menu, as if it had a window of its own.
      m.Result = FTarget->Perform(m.Msg, m.WParam, m.LParam);
      return;
  }
  TWinControl::DefaultHandler(m);
}

void TKeyProxy::KeyDown(Word& Key, TShiftState Shift) {
  TWinControl::KeyDown(Key, Shift);
  if (Key) FTarget->KeyDown(Key, Shift);
}

void TKeyProxy::KeyUp(Word& Key, TShiftState Shift) {
  TWinControl::KeyUp(Key, Shift);
  if (Key) FTarget->KeyUp(Key, Shift);
}

void TKeyProxy::KeyPress(char16_t& Key) {
  TWinControl::KeyPress(Key);
  if (Key) FTarget->KeyPress(Key);
}

void TKeyProxy::DoEnter() {
  TWinControl::DoEnter();
  FTarget->FocusChanged();
}

void TKeyProxy::DoExit() {
  TWinControl::DoExit();
  FTarget->FocusChanged();
}

TPoint TKeyProxy::PopupPoint() const { return FTarget->PopupPoint(); }

// [graphic] ------------------------------------------------------------------------------------------------
TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {}

TGraphicControl::~TGraphicControl() { delete FKeyProxy; }

void TGraphicControl::WantKeyboard(intptr_t DlgCode) {
  if (!FKeyProxy) FKeyProxy = new TKeyProxy(this, DlgCode);
}

bool TGraphicControl::Focused() const { return FKeyProxy && FKeyProxy->Focused(); }

bool TGraphicControl::CanFocus() const { return FKeyProxy && FKeyProxy->CanFocus(); }

void TGraphicControl::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation(u"Cannot focus a disabled or invisible window");
  FKeyProxy->SetFocus();
}

void TGraphicControl::SetParent(TWinControl* AParent) {
  TControl::SetParent(AParent);
  if (FKeyProxy) FKeyProxy->Follow();
}

void TGraphicControl::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (FKeyProxy) FKeyProxy->Follow();
}

void TGraphicControl::SetVisible(bool v) {
  TControl::SetVisible(v);
  if (FKeyProxy) FKeyProxy->Follow();
}

void TGraphicControl::SetEnabled(bool v) {
  TControl::SetEnabled(v);
  if (FKeyProxy) FKeyProxy->Follow();
}

}  // namespace jox
