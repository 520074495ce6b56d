// The desktop's scale: GDK_SCALE, else the X resource Xft.dpi (what desktop settings write when the
// user picks a larger text or display scale), else SDL's display DPI on drivers other than X11, whose
// DPI comes from the monitor's physical size rather than from the user.
#include <SDL.h>
#include <dlfcn.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "package/backends/sdl/backend_sdl.h"

namespace jox::sdl {

namespace {
constexpr double kBaseDpi = 96;

// The resource database of the default display, read through the libX11 SDL has loaded anyway, so the
// library needs no X headers or link of its own. Empty when there is none.
std::string ReadXResources() {
  void* x11 = dlopen("libX11.so.6", RTLD_LAZY | RTLD_LOCAL);
  if (!x11) return {};
  using OpenFn = void* (*)(const char*);
  using StringFn = char* (*)(void*);
  using CloseFn = int (*)(void*);
  auto open = reinterpret_cast<OpenFn>(dlsym(x11, "XOpenDisplay"));
  auto resources = reinterpret_cast<StringFn>(dlsym(x11, "XResourceManagerString"));
  auto close = reinterpret_cast<CloseFn>(dlsym(x11, "XCloseDisplay"));
  std::string text;
  if (open && resources && close)
    if (void* display = open(nullptr)) {
      if (const char* s = resources(display)) text = s;
      close(display);
    }
  dlclose(x11);
  return text;
}
}  // namespace

double ScaleFromXResources(std::string_view Resources) {
  double scale = 0;
  while (!Resources.empty()) {
    const size_t eol = Resources.find('\n');
    std::string_view line = Resources.substr(0, eol);
    Resources.remove_prefix(eol == std::string_view::npos ? Resources.size() : eol + 1);
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos) continue;
    std::string_view key = line.substr(0, colon);
    while (!key.empty() && (key.back() == ' ' || key.back() == '\t')) key.remove_suffix(1);
    if (key != "Xft.dpi") continue;
    // The last entry wins, as in the database; a malformed one leaves no scale.
    const double dpi = TScreen::ScaleFromText(line.substr(colon + 1));
    scale = dpi > 0 && dpi < 100 * kBaseDpi ? dpi / kBaseDpi : 0;
  }
  return scale;
}

double DesktopScale() {
  if (const char* v = std::getenv("GDK_SCALE"))
    if (const double k = TScreen::ScaleFromText(v); k > 0) return k;
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver && std::strcmp(driver, "x11") == 0) return ScaleFromXResources(ReadXResources());
  float ddpi = 0;
  if (SDL_GetDisplayDPI(0, &ddpi, nullptr, nullptr) == 0 && ddpi > 0) return ddpi / kBaseDpi;
  return 0;
}

}  // namespace jox::sdl
