// What the framework's own files share about controls beyond the public interface.
#pragma once

#include <functional>

#include "package/framework/controls/controls.h"

namespace jox {

// Empty rectangles come back as (0, 0, 0, 0).
TRect IntersectRects(const TRect& a, const TRect& b);
TRect UnionRects(const TRect& a, const TRect& b);

// What every drop-down field (combo box, date-time picker) answers alike: it keeps arrows and characters
// from dialog navigation, and a cancelled mode closes its popup. True when the message is done.
template <class Close>
bool DropDownFieldMessage(TMessage& Message, Close CloseUp) {
  if (Message.Msg == WM_GETDLGCODE) {
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
    return true;
  }
  if (Message.Msg == WM_CANCELMODE) CloseUp();
  return false;
}

// Moves, presses, releases and double clicks of the three buttons (not the wheel).
inline bool IsMouseMessage(Cardinal Msg) { return Msg >= WM_MOUSEMOVE && Msg <= WM_MBUTTONDBLCLK; }

// The blinking caret of the text controls. Its timer runs only while Start..Stop (the control's focus),
// so a window without a focused text control has no timer to wake it.
class TCaretBlink {
 public:
  // Toggled runs after each blink, to repaint the caret.
  explicit TCaretBlink(std::function<void()> Toggled) : FToggled(std::move(Toggled)) {}
  ~TCaretBlink();
  TCaretBlink(const TCaretBlink&) = delete;
  TCaretBlink& operator=(const TCaretBlink&) = delete;
  // Whether the caret is shown now (false while stopped).
  bool On() const { return FOn; }
  void Start();
  void Stop();
  // After typing or moving: the caret shows at once and its blink period starts again (when running).
  void Reset();
  bool Running() const { return FRunning; }

 private:
  void WndProc(TMessage& Message);
  std::function<void()> FToggled;
  HWND FWnd = 0;
  bool FOn = false, FRunning = false;
};

struct ControlAccess {
  // Takes c out of parent's lists (c->FParent is left to the caller).
  static void Unlink(TWinControl* parent, TControl* c);
  // Moves the root's focus on to the next tab stop outside sub when it lies in sub (sub itself
  // included): sub is being hidden, disabled, taken out or destroyed. Nothing when none is left.
  static void DropFocusWithin(TControl* root, TControl* sub);
  static bool ContainsFocus(const TControl* sub, const TControl* focused);
  // The tab stop after the root's focused control that lies outside sub and can take the focus.
  static TWinControl* NextFocusOutside(TWinControl* root, TControl* sub);
  // Focus change with WM_KILLFOCUS/WM_SETFOCUS and CM_EXIT/CM_ENTER along the way.
  static void ChangeFocus(TWinControl* root, TWinControl* to);
  // Paints the dirty area of a root.
  static void PaintRoot(TControl* root);
  // Adds r (root coordinates) to the root's dirty list.
  static void AddDirty(TControl* root, TRect r);
  // Marks what lies above c within its area dirty (after c drew outside a paint pass).
  static void InvalidateAbove(TControl* c);
  static void PaintTree(TControl* c, const TRect& clip, bool isRoot);
  static bool HasDirty(const TControl* root) { return !root->FDirty.empty(); }
  static void FillBackground(TWinControl* w);
};

}  // namespace jox
