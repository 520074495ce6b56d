// The application runtime without a window: what reaches the platform host, hidden controls, closing
// forms, errors, calls from other threads, and the TTimer component.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "package/framework/framework.h"
#include "progbar/progbar.h"
#include "sevenseg/sevenseg.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

// Records what the framework hands to the host. With Windows set it behaves as a window host (forms
// count as displayed only when shown); Script runs at each wait of a modal loop.
class TRecordingHost : public TPlatformHost {
 public:
  void Present(TControl* Root, const TRect& R) override { presented.push_back({Root, R}); }
  bool ShowsWindows() const override { return windows; }
  void Wake() override { ++wakes; }
  void Flush() override { ++flushes; }
  bool WaitAndDispatch(Cardinal) override {
    if (!script) return false;
    script();
    return true;
  }
  // Whether a rectangle holding R (surface coordinates) was presented for Root.
  bool Covered(TControl* Root, const TRect& R) const {
    for (auto& [root, r] : presented)
      if (root == Root && r.Left <= R.Left && r.Top <= R.Top && r.Right >= R.Right && r.Bottom >= R.Bottom)
        return true;
    return false;
  }
  std::vector<std::pair<TControl*, TRect>> presented;
  bool windows = false;
  std::atomic<int> wakes{0};
  int flushes = 0;
  std::function<void()> script;
};

class RuntimeTest : public jox::test::FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    Application->ClearTerminated();
    SetPlatformHost(&host);
  }
  void TearDown() override {
    SetPlatformHost(nullptr);
    Application->SetMainForm(nullptr);
    Application->ClearTerminated();
    FrameworkTest::TearDown();
  }
  TRecordingHost host;
};

}  // namespace

// --- one road to the screen ---------------------------------------------------------------------------
TEST_F(RuntimeTest, DrawingOutsideAPaintPassReachesTheHost) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 200);
  auto* seg = new TSevenSeg(&form);
  seg->SetParent(&form);
  seg->SetBounds(40, 30, 120, 50);
  Application->ProcessMessages();
  host.presented.clear();
  // A setter that paints at once: its rectangle is handed over without a paint pass.
  seg->SetText(u"42");
  EXPECT_TRUE(host.Covered(&form, Rect(40, 30, 160, 80)));

  // A change on a timer: the bar's automatic increment.
  auto* bar = new TProgBar(&form);
  bar->SetParent(&form);
  bar->SetBounds(10, 120, 200, 24);
  bar->SetStartInterval(100);
  bar->SetRepeatInterval(100);
  bar->SetAutoInc(true);
  Application->ProcessMessages();
  host.presented.clear();
  const double before = bar->Value();
  Application->Advance(150);
  EXPECT_GT(bar->Value(), before);
  EXPECT_TRUE(host.Covered(&form, Rect(10, 120, 210, 144)));
  EXPECT_GT(host.flushes, 0);
}

TEST_F(RuntimeTest, HiddenControlsNeitherPaintNorWakeTheLoop) {
  host.windows = true;
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 200);
  auto* page = new TForm(&form);  // a page, as the gallery's
  page->SetParent(&form);
  page->SetBounds(0, 0, 300, 200);
  page->SetVisible(true);
  auto* bar = new TProgBar(&form);
  bar->SetParent(page);
  bar->SetBounds(10, 10, 200, 24);
  bar->SetStartInterval(100);
  bar->SetRepeatInterval(100);
  bar->SetAutoInc(true);
  form.Show();
  Application->ProcessMessages();
  EXPECT_EQ(Application->NextTimerDue(), Application->Now() + 100);

  page->SetVisible(false);
  Application->ProcessMessages();
  host.presented.clear();
  EXPECT_EQ(Application->NextTimerDue(), UINT64_MAX) << "a hidden page's timer must not wake the loop";
  const double v = bar->Value();
  Application->Advance(1000);
  EXPECT_EQ(bar->Value(), v);
  bar->SetValue(v + 5);  // stored, not painted
  EXPECT_TRUE(host.presented.empty());

  // Shown again, the page is painted whole and the timer goes on at once.
  page->SetVisible(true);
  Application->ProcessMessages();
  EXPECT_TRUE(host.Covered(&form, Rect(10, 10, 210, 34)));
  EXPECT_GT(bar->Value(), v + 5);

  // A closed form counts as hidden where forms have windows.
  form.Hide();
  EXPECT_EQ(Application->NextTimerDue(), UINT64_MAX);
}

// --- closing ------------------------------------------------------------------------------------------
TEST_F(RuntimeTest, ClosingTheMainFormAsksThenEndsTheApplication) {
  TForm form(nullptr);
  Application->SetMainForm(&form);
  form.Show();
  std::vector<std::string> events;
  bool agree = false;
  TCloseAction answer = caHide;
  form.SetOnCloseQuery([&](TObject*, bool& can) { events.push_back("query"); can = agree; });
  form.SetOnClose([&](TObject*, TCloseAction& a) { events.push_back("close"); a = answer; });

  form.Close();  // refused
  EXPECT_EQ(events, std::vector<std::string>{"query"});
  EXPECT_FALSE(Application->Terminated());
  EXPECT_TRUE(form.Visible());

  agree = true;
  answer = caNone;  // kept by OnClose
  form.Close();
  EXPECT_FALSE(Application->Terminated());
  EXPECT_TRUE(form.Visible());

  answer = caMinimize;
  form.Close();
  EXPECT_EQ(form.WindowState(), wsMinimized);
  EXPECT_FALSE(Application->Terminated());

  answer = caFree;  // the main form is not freed: its creator owns it
  events.clear();
  form.Close();
  EXPECT_EQ(events, (std::vector<std::string>{"query", "close"}));
  EXPECT_TRUE(Application->Terminated());
  EXPECT_FALSE(form.Visible());
  Application->ProcessMessages();
  EXPECT_EQ(Screen->Forms(Screen->FormCount() - 1), &form);
}

TEST_F(RuntimeTest, ASecondFormClosedWithCaFreeIsFreedByTheLoop) {
  TForm main(nullptr);
  Application->SetMainForm(&main);
  auto* second = new TForm(nullptr);
  second->SetOnClose([](TObject*, TCloseAction& a) { a = caFree; });
  second->Show();
  const Integer forms = Screen->FormCount();
  second->Close();
  EXPECT_FALSE(Application->Terminated());
  Application->ProcessMessages();
  EXPECT_EQ(Screen->FormCount(), forms - 1);
}

TEST_F(RuntimeTest, ARefusedCloseKeepsAModalFormOpen) {
  host.windows = true;
  TForm dlg(nullptr);
  int queries = 0, closes = 0, waits = 0;
  dlg.SetOnCloseQuery([&](TObject*, bool& can) { can = ++queries > 1; });
  dlg.SetOnClose([&](TObject*, TCloseAction&) { ++closes; });
  // The user presses the close button twice: the first is refused.
  host.script = [&] {
    ++waits;
    if (waits <= 2) dlg.Close();
  };
  EXPECT_EQ(dlg.ShowModal(), mrCancel);
  EXPECT_EQ(queries, 2);
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(waits, 2);
  EXPECT_FALSE(dlg.Visible());
}

TEST_F(RuntimeTest, FormsShownTakeTheirPlaceAndState) {
  TForm main(nullptr);
  main.SetBounds(100, 100, 400, 300);
  Application->SetMainForm(&main);
  TForm box(&main);
  box.SetBounds(0, 0, 200, 100);
  box.SetPosition(poOwnerFormCenter);
  box.Show();
  EXPECT_EQ(box.Left(), 200);
  EXPECT_EQ(box.Top(), 200);
}

// --- errors -------------------------------------------------------------------------------------------
TEST_F(RuntimeTest, ErrorsOfQueuedCallsAndTimersAreReportedAndTheLoopGoesOn) {
  int after = 0;
  Application->Queue([] { throw EConvertError(u"bad call"); });
  Application->Queue([&] { ++after; });
  Application->ProcessMessages();
  EXPECT_EQ(Application->ExceptionCount(), 1);
  EXPECT_EQ(Application->LastExceptionMessage(), u"bad call");
  EXPECT_EQ(after, 1);

  TTimer timer(nullptr);
  timer.SetInterval(100);
  int ticks = 0;
  timer.SetOnTimer([&](TObject*) {
    if (++ticks == 1) throw std::runtime_error("tick failed");
  });
  Application->Advance(300);
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(Application->ExceptionCount(), 2);
  EXPECT_EQ(Application->LastExceptionMessage(), u"tick failed");
}

TEST_F(RuntimeTest, WithWindowsTheDefaultHandlerShowsTheMessageInAModalForm) {
  host.windows = true;
  String shown;
  int boxes = 0;
  TCustomForm::SetModalHook([&](TCustomForm* f) {
    ++boxes;
    for (Integer i = 0; i < f->ComponentCount(); ++i)
      if (auto* l = dynamic_cast<TLabel*>(f->Components(i))) shown = l->Caption();
    input::KeyPress(f, VK_RETURN);  // OK is the default button
  });
  Application->Queue([] { throw Exception(u"disk full"); });
  Application->Queue([] { throw Exception(u"second"); });  // while the first is pending: stderr only
  Application->ProcessMessages();
  Application->ProcessMessages();
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(shown, u"disk full");
  EXPECT_EQ(Application->ExceptionCount(), 2);
  // The next error gets its own box.
  Application->Queue([] { throw Exception(u"third"); });
  Application->ProcessMessages();
  Application->ProcessMessages();
  EXPECT_EQ(boxes, 2);
  EXPECT_EQ(shown, u"third");
}

// --- calls from other threads -------------------------------------------------------------------------
TEST_F(RuntimeTest, QueueAndSynchronizeRunOnTheGuiThreadAndWakeTheLoop) {
  const auto gui = std::this_thread::get_id();
  std::thread::id ranOn;
  std::thread worker([&] { Application->Queue([&] { ranOn = std::this_thread::get_id(); }); });
  worker.join();
  EXPECT_EQ(host.wakes, 1);
  EXPECT_EQ(Application->QueuedCalls(), 1u);
  Application->ProcessMessages();
  EXPECT_EQ(ranOn, gui);

  // Synchronize blocks the worker until the loop has run the call; its error comes back to the worker.
  std::atomic<bool> done{false};
  int result = 0;
  String error;
  std::thread sync([&] {
    Application->Synchronize([&] { result = 7; });
    try {
      Application->Synchronize([] { throw Exception(u"refused"); });
    } catch (Exception& e) {
      error = e.Message();
    }
    done = true;
  });
  for (int i = 0; i < 2000 && !done; ++i) {
    Application->ProcessMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  sync.join();
  EXPECT_EQ(result, 7);
  EXPECT_EQ(error, u"refused");
  EXPECT_EQ(Application->ExceptionCount(), 0);

  int direct = 0;
  Application->Synchronize([&] { ++direct; });  // on the GUI thread: at once
  EXPECT_EQ(direct, 1);
}

// --- TTimer -------------------------------------------------------------------------------------------
TEST_F(RuntimeTest, TimerComponentTicksWhileEnabled) {
  TTimer timer(nullptr);
  EXPECT_TRUE(jox::test::DefaultsMatchTable(timer));
  EXPECT_FALSE(timer.Running()) << "no OnTimer, nothing to run";
  std::vector<uint64_t> at;
  timer.SetOnTimer([&](TObject* s) {
    EXPECT_EQ(s, &timer);
    at.push_back(Application->Now());
  });
  timer.SetInterval(250);
  Application->Advance(1000);
  EXPECT_EQ(at, (std::vector<uint64_t>{250, 500, 750, 1000}));
  timer.SetEnabled(false);
  Application->Advance(1000);
  EXPECT_EQ(at.size(), 4u);
  timer.SetEnabled(true);
  timer.SetInterval(0);
  EXPECT_FALSE(timer.Running());
  timer.SetInterval(100);
  Application->Advance(100);
  EXPECT_EQ(at.size(), 5u);
}
