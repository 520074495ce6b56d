// Hints: a control's short hint in a small window under the pointer. The pointer resting on a control
// whose ShowHint is true (itself or through ParentShowHint) for Application->HintPause() ms shows the
// text before the '|' of its Hint and sets Application->Hint to the text after it (OnHint fires). The
// hint goes after HintHidePause, or at once when the pointer leaves the control, a button or key is
// pressed, or the control is hidden or freed; the next control's hint comes after HintShortPause only.
//
//   save->SetHint(u"Save|Saves the document to its file");
//   save->SetShowHint(true);
//   jox::input::MouseMove(save, 5, 5); Application->Advance(500);   // tests: the hint shows
//   jox::hints::Window()->Text() == u"Save"
// A control without a hint of its own, or without ShowHint, shows the hint of the nearest parent that
// has both. The input layer drives it; nothing else needs to call the functions below.
#pragma once

#include "package/framework/controls/popups.h"

namespace jox {

// The window of a hint: infoBk, a one-pixel frame, the text in infoText, one line per '\n'. A popup
// without the popup stack: it takes neither the focus, nor keys, nor presses.
class THintWindow : public TPopupWindow {
 public:
  explicit THintWindow(TComponent* AOwner);
  ~THintWindow() override;
  // The size Text needs, at (0, 0).
  TRect CalcHintRect(const String& Text);
  // Shows Text with the window's top-left at screen point (X, Y), sized to the text.
  void ActivateHint(Integer X, Integer Y, const String& Text);
  void ReleaseHint();
  // Whether it is shown; Text() is the hint shown.
  bool Active() const { return FActive; }

 protected:
  void Paint() override;

 private:
  bool FActive = false;
};

namespace hints {
// From the input layer: the pointer moved over Control (nullptr: over none of ours) at screen point Pos.
void MouseOver(TControl* Control, TPoint Pos);
// A press, a key or the wheel: the hint shown now goes; the pointer's next move waits the pause again.
void Cancel();
// Control, or a control inside it, is hidden or being freed.
void ControlGone(const TControl* Control);
// The control whose hint is waiting or showing; nullptr when none.
TControl* HintControl();
// The window, nullptr until a hint first shows.
THintWindow* Window();
// Forgets every hint state (input::Reset calls it).
void Reset();
}  // namespace hints

}  // namespace jox
