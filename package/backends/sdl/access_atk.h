// The accessibility bridge of the window backend: publishes the controls' accessible tree (accessible.h)
// on the desktop's accessibility bus through ATK and its AT-SPI bridge, and raises focus, name, state,
// value, text, caret and children events by comparing what clients have seen after each pass of the loop.
// Built when ATK and the bridge library are found (JOX_HAVE_ATK); otherwise every call does nothing.
//
// The bridge talks over D-Bus from GLib's main context. The loop does not spin it: before SDL waits, the
// context's sockets go to a helper thread that polls them and wakes SDL with an event when one is ready;
// after the wait the main thread dispatches the context. So an idle window sleeps in both.
#pragma once

namespace jox::sdl::access {

// Registers the application on the bus; false when the bridge is not built, NO_AT_BRIDGE=1 is set, or no
// session bus is there. Called by Install; once.
bool Start();
// Leaves the bus (Shutdown).
void Stop();
bool Running();
// Around SDL's wait: may shorten the timeout to the bridge's next due time (0 when work is ready now).
void BeforeWait(int& TimeoutMs);
void AfterWait();
// After the loop's pass: compares the tree with what was published and raises the change events.
void Notify();

}  // namespace jox::sdl::access
