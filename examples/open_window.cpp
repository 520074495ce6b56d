// A real window: the same form as without a display, shown through the SDL backend until it is closed.
//   example_open_window [--frames N] [--screenshot FILE.png]
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "marksel/marksel.h"
#include "numlab/numlab.h"
#include "package/framework/framework.h"
#ifdef JOX_HAVE_SDL
#include "package/backends/sdl/backend_sdl.h"
#endif

using namespace jox;

int main(int argc, char** argv) {
#ifdef JOX_HAVE_SDL
  sdl::TRunOptions options;  // by default: until the window is closed
  for (int i = 1; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--frames")) options.MaxFrames = std::atoi(argv[i + 1]);
    else if (!std::strcmp(argv[i], "--screenshot")) options.Screenshot = argv[i + 1];
  }

  TForm form(nullptr);
  form.SetCaption(u"Pick a marker");
  form.SetClientWidth(252);
  form.SetClientHeight(230);
  auto* marks = new TMarkSel(&form);
  marks->SetParent(&form);
  marks->SetBounds(8, 8, 236, 178);
  auto* chosen = new TNumLab(&form);
  chosen->SetParent(&form);
  chosen->SetBounds(8, 194, 236, 28);
  chosen->SetLeftText(u"Marker");
  chosen->SetLeftSpace(60);
  chosen->SetDisplayType(dtInt);
  chosen->SetEmpty(true);
  // Clicks, keys and the wheel reach the controls through the same input paths the tests use.
  marks->SetOnMarkClick([=](TObject*, Integer, Integer, Integer mark) {
    marks->SetSelected(mark);
    chosen->SetEmpty(false);
    chosen->SetValue(mark);
  });

  form.Show();
  const int rc = sdl::Run(&form, options);  // 1 when no window could be opened (no display)
  if (rc != 0) std::fprintf(stderr, "no window: %s\n", sdl::Error().c_str());
  sdl::Shutdown();
  return rc;
#else
  std::fprintf(stderr, "built without SDL2: no window\n");
  return 1;
#endif
}
