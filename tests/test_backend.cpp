// The window backend: a window shows the form's surface and a real click reaches the control.
// Runs on SDL's dummy video and audio drivers (a window framebuffer in memory), so it needs no X server;
// set SDL_VIDEODRIVER to try a real one. scripts/window-check.sh does the same under Xvfb.
#include <gtest/gtest.h>

#include <cstdlib>

#include "package/framework/framework.h"
#include "tests/support/support.h"
#ifdef JOX_HAVE_SDL
#include "package/backends/sdl/backend_sdl.h"
#endif

using namespace jox;

namespace {

class TPad : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  void Paint() override {
    Canvas()->Brush()->SetColor(clicks ? clLime : clRed);
    Canvas()->FillRect(Rect(0, 0, Width(), Height()));
  }
  int clicks = 0;

 protected:
  void Click() override {
    ++clicks;
    Invalidate();
    TCustomControl::Click();
  }
};

// Chosen before anything starts, as a variable set in the environment would be.
const bool kDummyDrivers = [] {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  return true;
}();

class BackendTest : public jox::test::FrameworkTest {
 protected:
#ifdef JOX_HAVE_SDL
  static void TearDownTestSuite() { sdl::Shutdown(); }
#endif
  void SetUp() override {
    FrameworkTest::SetUp();
    Application->UseVirtualClock(false);  // the window runs on the real clock
#ifndef JOX_HAVE_SDL
    GTEST_SKIP() << "built without SDL2";
#else
    if (!sdl::Init()) GTEST_SKIP() << "no video: " << sdl::Error();
#endif
  }
};

}  // namespace

#ifdef JOX_HAVE_SDL
TEST_F(BackendTest, WindowShowsTheSurfaceAndTakesAClick) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 120, 80);
  form.SetColor(clBlue);
  auto* pad = new TPad(&form);
  pad->SetParent(&form);
  pad->SetBounds(20, 20, 40, 30);
  sdl::TWindow w(&form);
  w.Present();
  TBitmap shot;
  ASSERT_TRUE(w.ReadPixels(shot));
  ASSERT_EQ(shot.Width(), 120);
  ASSERT_EQ(shot.Height(), 80);
  EXPECT_TRUE(jox::test::ColorNear(jox::test::SurfacePixel(&shot, 5, 5), clBlue));
  EXPECT_TRUE(jox::test::ColorNear(jox::test::SurfacePixel(&shot, 30, 30), clRed));
  w.PushClick(30, 30);
  for (int i = 0; i < 5 && pad->clicks == 0; ++i) sdl::Pump(10);
  EXPECT_EQ(pad->clicks, 1);
  EXPECT_TRUE(pad->Focused());
  ASSERT_TRUE(w.ReadPixels(shot));
  EXPECT_TRUE(jox::test::ColorNear(jox::test::SurfacePixel(&shot, 30, 30), clLime));
}

TEST_F(BackendTest, ModalFormInAWindowEndsWithItsResult) {
  sdl::Install();
  TForm dlg(nullptr);
  dlg.SetBounds(0, 0, 60, 40);
  int frames = 0;
  HWND timer = AllocateHWnd([&](TMessage& m) {
    if (m.Msg == WM_TIMER && ++frames == 2) dlg.SetModalResult(mrOk);
  });
  SetTimer(timer, 1, 10, nullptr);
  EXPECT_EQ(dlg.ShowModal(), mrOk);
  DeallocateHWnd(timer);
}
#endif
