// Keyboard access beyond the focused control: menu shortcuts, mnemonics and the context-menu key.
// input.cpp routes keys here; a window backend needs nothing of it directly.
//
//   item->SetShortCut(ShortCut('S', ssCtrl));   // Ctrl+S runs the item while its form has the keys
//   label->SetCaption(u"&Name"); label->SetFocusControl(edit);   // Alt+N focuses the edit
//   edit->SetPopupMenu(menu);                   // Shift+F10 or the menu key opens it at the caret
#pragma once

#include "package/framework/controls/controls.h"

namespace jox::keyaccess {

// Runs the menu item whose ShortCut is Key with Shift (the first enabled, visible one): the popup menus
// of Target and its parents first, then every popup menu its form owns. A shortcut without Ctrl or
// Alt is left to a control that types characters (DLGC_WANTCHARS). True when an item ran.
bool MenuShortCut(TWinControl* Target, Word Key, TShiftState Shift);
// Alt+Ch: CM_DIALOGCHAR to every showing, enabled control of Target's form until one takes it
// (a label's FocusControl, a button). True when one did.
bool DialogChar(TWinControl* Target, char16_t Ch);
// WM_CONTEXTMENU as the keyboard sends it (no mouse point): Target opens its PopupMenu at
// PopupPoint, or hands the request to its parent.
void ContextMenuFromKeyboard(TWinControl* Target);

}  // namespace jox::keyaccess
