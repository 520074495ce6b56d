// Popups: top-level surfaces of their own (drop-down lists, menus, the date picker's calendar), placed in
// screen coordinates and free to extend past their form. While one is open it takes the keyboard and the
// mouse: the input functions send a press to the popup under it; a press anywhere else closes every open
// popup (each owner gets WM_CANCELMODE) and goes no further; keys go to the topmost popup, and Escape
// closes it.
//
//   class TMyList : public jox::TPopupWindow { ... Paint, MouseUp: ClosePopup() ... };
//   list->SetBounds(0, 0, 120, 80);                          // size; the position comes from Popup
//   list->Popup(combo, p.X, p.Y);                            // screen point, e.g. combo->ClientToScreen(...)
//   jox::input::Click(list, 10, 10);                         // tests press inside it, like a user
#pragma once

#include <vector>

#include "package/framework/controls/controls.h"

namespace jox {

class TPopupWindow : public TCustomControl {
 public:
  explicit TPopupWindow(TComponent* AOwner);
  ~TPopupWindow() override;

  // Opens the popup with its top-left at screen (X, Y), moved to stay inside the work area of its
  // owner's monitor (popups::WorkAreaFor); when it does not fit below Y and AltY >= 0 it opens with its
  // bottom at AltY instead (above a combo box). Opened on
  // top of the popups open now. Opening an open popup moves it.
  void Popup(TControl* Owner, Integer X, Integer Y, Integer AltY = -1);
  // Closes it and the popups opened after it. Cancelled tells Closed why.
  void ClosePopup(bool Cancelled = false);
  bool IsOpen() const { return FOpen; }
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  // The control the popup belongs to (it gets WM_CANCELMODE when a press outside closes the popup).
  TControl* PopupOwner() const { return FPopupOwner; }

  JOX_CLASS_TABLE

 protected:
  // Escape closes the popup (Closed sees it cancelled); every popup inherits it, so overrides call
  // this first and stop when it took the key (Key 0).
  void KeyDown(Word& Key, TShiftState Shift) override;
  // Popup sets it too; a popup that lays itself out before it opens sets it first, so its metrics
  // follow the owner's scale (ScaledMetric).
  void SetPopupOwner(TControl* Owner);
  // After the popup was hidden; Cancelled when a press outside or CancelPopups closed it.
  virtual void Closed(bool Cancelled) {}
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  bool FOpen = false;
  TControl* FPopupOwner = nullptr;
};

namespace popups {
// The open popups, the first opened first.
const std::vector<TPopupWindow*>& Open();
TPopupWindow* Top();
// The topmost open popup whose rectangle holds the screen point; nullptr when none.
TPopupWindow* AtScreen(TPoint Screen);
// The work area a popup of Owner stays in: that of the monitor holding most of Owner, or for no owner
// the monitor of the screen point P.
TRect WorkAreaFor(TControl* Owner, TPoint P);
// Closes every open popup from the top down, as a press outside does: each is told it was cancelled
// and its owner gets WM_CANCELMODE.
void CancelAll();
}  // namespace popups

}  // namespace jox
