// A small modal window with a text and an OK button: how the application shows an error to the user.
#pragma once

#include "package/framework/base/types.h"

namespace jox {

// Shows Text in a modal form titled by Application->Title() (or "Error") and waits until OK, Enter,
// Escape or the window's close button ends it. Headless it returns at once, like every ShowModal
// without a hook.
void ShowErrorMessage(const String& Text);

}  // namespace jox
