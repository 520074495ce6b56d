// Timers and the virtual clock: components that tick (auto-increment, scrolling, auto-repeat, the caret)
// run on the application's timers, and a test moves the clock instead of waiting.
//   example_guide_timers
#include <cstdio>

#include "package/framework/framework.h"
#include "progbar/progbar.h"

using namespace jox;

int main() {
  // The clock stands still until advanced: no sleeping, and every run is the same.
  Application->UseVirtualClock(true);

  TProgBar bar(nullptr);
  bar.SetBounds(0, 0, 200, 20);
  bar.SetRange(0, 100);
  bar.SetValue(0);  // a new bar shows 10
  bar.SetAutoIncStep(10);
  bar.SetStartInterval(500);   // first step half a second after switching on
  bar.SetRepeatInterval(100);  // then every 100 ms
  int steps = 0;
  bar.SetOnAutoInc([&](TObject*) { ++steps; });
  bar.SetAutoInc(true);

  Application->Advance(499);
  std::printf("after 499 ms: value %g, %d steps\n", bar.Value(), steps);
  if (steps != 0) return 1;
  Application->Advance(301);  // ticks at 500, 600, 700 and 800 ms
  std::printf("after 800 ms: value %g, %d steps\n", bar.Value(), steps);
  if (steps != 4 || bar.Value() != 40) return 1;

  // A timer of your own: a hidden window receives WM_TIMER.
  int ticks = 0;
  HWND w = AllocateHWnd([&](TMessage& m) {
    if (m.Msg == WM_TIMER) ++ticks;
  });
  SetTimer(w, 1, 250, nullptr);
  Application->Advance(1000);
  KillTimer(w, 1);
  DeallocateHWnd(w);
  std::printf("own timer: %d ticks in a second\n", ticks);
  return ticks == 4 ? 0 : 1;
}
