// The window backend: a window shows the form's surface and a real click reaches the control.
// Runs on SDL's dummy video and audio drivers (a window framebuffer in memory), so it needs no X server;
// set SDL_VIDEODRIVER to try a real one. scripts/window-check.sh does the same under Xvfb.
#include <gtest/gtest.h>

#include <cstdlib>

#include "package/framework/framework.h"
#include "tests/support/support.h"
#ifdef JOX_HAVE_SDL
#include <SDL.h>

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
// Read without a display: the text of the X resource database, as XResourceManagerString gives it.
TEST(BackendDpi, XftDpiGivesTheScaleAndMalformedValuesNone) {
  const struct {
    const char* resources;
    double scale;
  } rows[] = {
      {"Xft.dpi:\t96\n", 1},
      {"Xft.antialias:\t1\nXft.dpi:\t144\nXft.hinting:\t1\n", 1.5},
      {"Xft.dpi: 192", 2},                                  // no newline at the end
      {"Xft.dpi:\t120.0\n", 1.25},
      {"Xft.dpi:\t96\nXft.dpi:\t192\n", 2},                // the last entry wins
      {"", 0},
      {"Xcursor.size:\t48\n", 0},
      {"Xft.dpi:\n", 0},
      {"Xft.dpi:\tlarge\n", 0},
      {"Xft.dpi:\t144dpi\n", 0},
      {"Xft.dpi:\t-96\n", 0},
      {"Xft.dpi:\t0\n", 0},
      {"Xft.dpi:\t1e9\n", 0},
      {"Xft.dpix:\t144\n*Xft.dpi:\t144\n", 0},          // other names
      {"Xft.dpi:\t192\nXft.dpi:\tbad\n", 0},              // a broken last entry is no setting
  };
  for (const auto& r : rows) EXPECT_EQ(sdl::ScaleFromXResources(r.resources), r.scale) << r.resources;
}

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

#ifdef JOX_HAVE_SDL
namespace {

// Pumps until Done() or about a second has passed.
template <class F>
bool PumpUntil(F Done) {
  for (int i = 0; i < 100 && !Done(); ++i) sdl::Pump(10);
  return Done();
}

void PushClose(TControl* Root) {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.event = SDL_WINDOWEVENT_CLOSE;
  e.window.windowID = sdl::WindowOf(Root)->WindowID();
  SDL_PushEvent(&e);
}

class BackendLifecycleTest : public BackendTest {
 protected:
  void SetUp() override {
    BackendTest::SetUp();
    if (IsSkipped()) return;
    sdl::Install();
    Application->ClearTerminated();
  }
  void TearDown() override {
    Application->SetMainForm(nullptr);
    Application->ClearTerminated();
    SetPlatformHost(nullptr);
    BackendTest::TearDown();
  }
};

}  // namespace

TEST_F(BackendLifecycleTest, InstallShowRunOpensOneWindowPerForm) {
  const size_t before = sdl::WindowCount();
  TForm form(nullptr);
  form.SetBounds(0, 0, 100, 60);
  form.Show();
  EXPECT_EQ(sdl::WindowCount(), before + 1);
  size_t during = 0;
  sdl::TRunOptions opt;
  opt.MaxFrames = 3;
  opt.OnFrame = [&](int) { during = sdl::WindowCount(); };
  EXPECT_EQ(sdl::Run(&form, opt), 0);
  EXPECT_EQ(during, before + 1);
  form.Hide();
  EXPECT_EQ(sdl::WindowCount(), before);
}

TEST_F(BackendLifecycleTest, CloseButtonsAndQuitRunTheCloseEvents) {
  TForm main(nullptr);
  main.SetBounds(0, 0, 100, 60);
  Application->SetMainForm(&main);
  main.Show();
  auto* second = new TForm(nullptr);
  second->SetBounds(0, 0, 80, 40);
  int secondCloses = 0;
  second->SetOnClose([&](TObject*, TCloseAction& a) {
    ++secondCloses;
    a = caFree;
  });
  second->Show();
  const Integer forms = Screen->FormCount();
  // The second form's close button, and a quit request in the same batch of events.
  PushClose(second);
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  bool allow = false;
  int queries = 0;
  main.SetOnCloseQuery([&](TObject*, bool& can) {
    ++queries;
    can = allow;
  });
  SDL_PushEvent(&quit);
  ASSERT_TRUE(PumpUntil([&] { return Screen->FormCount() == forms - 1; }));
  EXPECT_EQ(secondCloses, 1);
  EXPECT_EQ(queries, 1);
  EXPECT_FALSE(Application->Terminated()) << "the main form refused";
  EXPECT_TRUE(main.Visible());

  allow = true;
  PushClose(&main);
  EXPECT_TRUE(PumpUntil([] { return Application->Terminated(); }));
  EXPECT_EQ(queries, 2);
  EXPECT_FALSE(main.Visible());
}

TEST_F(BackendLifecycleTest, AnExceptionFromAClickIsReportedAndTheLoopGoesOn) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 120, 80);
  auto* pad = new TPad(&form);
  pad->SetParent(&form);
  pad->SetBounds(10, 10, 50, 50);
  pad->SetOnClick([](TObject*) { throw EInvalidOperation(u"clicked"); });
  String reported;
  Application->SetOnException([&](TObject*, Exception& e) { reported = e.Message(); });
  form.Show();
  sdl::WindowOf(&form)->PushClick(20, 20);
  EXPECT_TRUE(PumpUntil([&] { return !reported.empty(); }));
  EXPECT_EQ(reported, u"clicked");
  // A second click, not a double click: the pad still answers.
  Application->SetDoubleClickTime(1);
  SDL_Delay(5);
  sdl::WindowOf(&form)->PushClick(20, 20);
  EXPECT_TRUE(PumpUntil([&] { return pad->clicks == 2; }));
  Application->SetDoubleClickTime(500);
  form.Hide();
}

TEST_F(BackendLifecycleTest, AFormMovedOrResizedByCodeMovesItsWindow) {
  TForm form(nullptr);
  form.SetBounds(10, 20, 100, 60);
  form.Show();
  form.SetBounds(50, 70, 140, 90);
  sdl::Pump(0);
  SDL_Window* w = SDL_GetWindowFromID(sdl::WindowOf(&form)->WindowID());
  int x = 0, y = 0, cw = 0, ch = 0;
  SDL_GetWindowPosition(w, &x, &y);
  SDL_GetWindowSize(w, &cw, &ch);
  EXPECT_EQ(x, 50);
  EXPECT_EQ(y, 70);
  EXPECT_EQ(cw, 140);
  EXPECT_EQ(ch, 90);
  form.Hide();
}
#endif
