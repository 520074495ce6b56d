// An X error handler that outlives a race inside SDL. While it waits for events SDL names a window to
// wake it, and an event posted in that time sends a message to that window on a second connection.
// When the window is destroyed right after (a dialog closing on the key that woke the loop), the X
// server may run the destroy first and answer the message with BadWindow, which Xlib's default handler
// turns into exit(1): the application vanished in the middle of a session. That one error is dropped;
// every other goes on to the handler that was there before.
#include <SDL.h>
#include <dlfcn.h>

#include <cstring>

#include "package/backends/sdl/backend_sdl.h"

namespace jox::sdl {

namespace {
// Xlib's XErrorEvent, whose layout is part of its ABI; declared here so that the library needs no X
// headers or link of its own (libX11 is the one SDL has loaded).
struct XErrorEventAbi {
  int type;
  void* display;
  unsigned long resourceid;
  unsigned long serial;
  unsigned char error_code;
  unsigned char request_code;
  unsigned char minor_code;
};
using XErrorHandlerFn = int (*)(void*, XErrorEventAbi*);
using SetHandlerFn = XErrorHandlerFn (*)(XErrorHandlerFn);
constexpr unsigned char kBadWindow = 3, kSendEvent = 25;

XErrorHandlerFn gPrevious = nullptr;

int Handler(void* display, XErrorEventAbi* e) {
  if (e->error_code == kBadWindow && e->request_code == kSendEvent) return 0;
  return gPrevious ? gPrevious(display, e) : 0;
}
}  // namespace

void GuardXErrors() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver || std::strcmp(driver, "x11") != 0) return;
  // The library stays loaded with SDL; the handle is not closed, as the handler lives in it.
  void* x11 = dlopen("libX11.so.6", RTLD_LAZY | RTLD_LOCAL | RTLD_NOLOAD);
  if (!x11) return;
  auto set = reinterpret_cast<SetHandlerFn>(dlsym(x11, "XSetErrorHandler"));
  if (!set) return;
  // SDL sets a handler of its own each time its video starts: ours goes in front of that one.
  const XErrorHandlerFn previous = set(Handler);
  if (previous != Handler) gPrevious = previous;
}

}  // namespace jox::sdl
