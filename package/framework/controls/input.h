// Synthetic mouse and keyboard input, delivered as the platform delivers it. Tests and the window
// backend use the same calls. Sections: [mouse] [keys] [state]
//
// Coordinates are client coordinates of the control given; the point is hit-tested from the root down
// to the deepest visible, enabled control (windowed children above graphic ones). A press captures the
// mouse for the control hit until every button is released; a press focuses the windowed control hit
// (when it can focus); a second press of the same button within Application->DoubleClickTime() ms and
// 4 pixels of the first is a double click. Moving onto another control sends CM_MOUSELEAVE to the old
// one and CM_MOUSEENTER to the new one. Keys go to the focused control of the root (the control given
// is focused first when it can be); the form sees them first when its KeyPreview is on. Tab moves the
// focus unless the focused control answers WM_GETDLGCODE with DLGC_WANTTAB; Enter and Escape press the
// default and cancel buttons unless it keeps them. A menu item's ShortCut runs before the control sees
// the key; what the control leaves of the context-menu key or Shift+F10 opens its PopupMenu, of
// Alt+character a mnemonic (CM_DIALOGCHAR). See keyaccess.h.
#pragma once

#include "package/framework/controls/controls.h"

namespace jox::input {

// [mouse] --------------------------------------------------------------------------------------------------
void MouseMove(TControl* Control, Integer X, Integer Y, TShiftState Shift = {});
void MouseDown(TControl* Control, Integer X, Integer Y, TMouseButton Button = mbLeft, TShiftState Shift = {});
void MouseUp(TControl* Control, Integer X, Integer Y, TMouseButton Button = mbLeft, TShiftState Shift = {});
// Move, press and release at one point.
void Click(TControl* Control, Integer X, Integer Y, TMouseButton Button = mbLeft, TShiftState Shift = {});
// Two clicks at one point (the second press is a double click).
void DoubleClick(TControl* Control, Integer X, Integer Y, TShiftState Shift = {});
// Presses at (X1, Y1), moves in Steps to (X2, Y2), releases there.
void Drag(TControl* Control, Integer X1, Integer Y1, Integer X2, Integer Y2, Integer Steps = 4,
          TMouseButton Button = mbLeft, TShiftState Shift = {});
// A wheel turn over the point: Delta in WHEEL_DELTA units per notch (positive: away from the user).
// Goes to the control under the point, then up to its parents while unhandled.
void MouseWheel(TControl* Control, Integer X, Integer Y, Integer Delta, TShiftState Shift = {});
// The horizontal wheel (a tilt): positive to the right. Routed as MouseWheel.
void MouseHWheel(TControl* Control, Integer X, Integer Y, Integer Delta, TShiftState Shift = {});
// The pointer left the root's window: CM_MOUSELEAVE to the control under it.
void MouseExit(TControl* Root);

// [keys] ---------------------------------------------------------------------------------------------------
// WM_KEYDOWN (with dialog-key handling first), WM_KEYUP, WM_CHAR of one character. KeyDown returns
// true when dialog navigation, a shortcut, a mnemonic or the context menu took the key (the platform
// then makes no character of it).
bool KeyDown(TControl* Control, Word Key, TShiftState Shift = {});
void KeyUp(TControl* Control, Word Key, TShiftState Shift = {});
void Char(TControl* Control, char16_t Ch, TShiftState Shift = {});
// Key down, the character the key makes (if any: letters, digits, space, keypad, punctuation keys,
// Back 8, Tab 9, Return 13, Escape 27, Ctrl+letter 1..26), key up.
void KeyPress(TControl* Control, Word Key, TShiftState Shift = {});
// Each character typed: its key down (when it has a key), the character, its key up.
void TypeText(TControl* Control, const String& Text);
// An input method's text being composed, shown at the caret of the control that has the keys until it
// is committed (as characters) or ended (an empty Text). Changes no text.
void Compose(TControl* Control, const String& Text);
// The character a key makes with the shift state, 0 for none.
char16_t KeyToChar(Word Key, TShiftState Shift);

// [state] --------------------------------------------------------------------------------------------------
// The platform's GetKeyState: negative while the key (VK_SHIFT, VK_CONTROL, VK_MENU, VK_LBUTTON, ...) is down.
int16_t GetKeyState(Integer VirtKey);
// The control that has the mouse captured, nullptr when none.
TControl* CaptureControl();
void SetCaptureControl(TControl* Control);
// The control under the pointer (last hit), nullptr when none.
TControl* MouseControl();
// Last pointer position in root coordinates.
TPoint MousePos();
// Forgets capture, buttons and keys held, the hover and the last click (tests between cases).
void Reset();
// Called by a control being destroyed.
void Forget(TControl* Control);
// The control that would get a mouse press at Pt (client coordinates of Control): the deepest
// visible, enabled control there; nullptr outside.
TControl* HitTest(TControl* Control, TPoint Pt);

}  // namespace jox::input

// The platform's name for the key-state call.
namespace jox { using input::GetKeyState; }
