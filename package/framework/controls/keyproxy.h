// The windowed stand-in that gives a graphic control the keyboard (TGraphicControl::WantKeyboard).
// It lies on the control's parent at the control's bounds, follows its visibility and enabled state,
// takes the tab stop and the focus, and hands keys and focus changes to the control. It takes no mouse
// (hit-testing passes through to the control) and paints nothing.
#pragma once

#include "package/framework/controls/controls.h"

namespace jox {

class TKeyProxy : public TWinControl {
 public:
  TKeyProxy(TGraphicControl* Target, intptr_t DlgCode);
  ~TKeyProxy() override;
  TGraphicControl* Target() const { return FTarget; }
  // Takes the target's parent, bounds, visibility and enabled state again.
  void Follow();

  void Paint() override {}
  void DefaultHandler(TMessage& Message) override;

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void DoEnter() override;
  void DoExit() override;
  TPoint PopupPoint() const override;

 private:
  TGraphicControl* FTarget;
  intptr_t FDlgCode;
};

}  // namespace jox
