#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "package/framework/framework.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

class FormsTest : public jox::test::FrameworkTest {};

// A hidden window that writes "<name>@<time>" for each WM_TIMER.
struct TTickLog {
  std::vector<std::string> ticks;
  HWND Make(const std::string& name) {
    return AllocateHWnd([this, name](TMessage& m) {
      if (m.Msg == WM_TIMER) ticks.push_back(name + std::to_string(m.WParam) + "@" + std::to_string(Application->Now()));
    });
  }
};

}  // namespace

TEST_F(FormsTest, TimersTickInTimeOrder) {
  TTickLog log;
  HWND a = log.Make("a"), b = log.Make("b");
  ASSERT_EQ(SetTimer(a, 1, 30, nullptr), 1u);
  ASSERT_EQ(SetTimer(b, 7, 20, nullptr), 7u);
  Application->Advance(65);
  EXPECT_EQ(log.ticks, (std::vector<std::string>{"b7@20", "a1@30", "b7@40", "a1@60", "b7@60"}));
  // Setting the same timer again restarts it; intervals below 10 ms become 10.
  SetTimer(a, 1, 1, nullptr);
  EXPECT_EQ(Application->TimerInterval(a, 1), USER_TIMER_MINIMUM);
  EXPECT_TRUE(KillTimer(b, 7));
  EXPECT_FALSE(KillTimer(b, 7));
  log.ticks.clear();
  Application->Advance(25);
  EXPECT_EQ(log.ticks, (std::vector<std::string>{"a1@75", "a1@85"}));
  DeallocateHWnd(a);
  DeallocateHWnd(b);
  EXPECT_EQ(Application->TimerCount(), 0);
}

TEST_F(FormsTest, LateTicksCoalesce) {
  TTickLog log;
  HWND a = log.Make("a");
  SetTimer(a, 1, 100, nullptr);
  Application->AdvanceClock(1000);
  Application->ProcessMessages();
  Application->ProcessMessages();
  EXPECT_EQ(log.ticks, (std::vector<std::string>{"a1@1000"}));
  Application->Advance(100);
  EXPECT_EQ(log.ticks.size(), 2u);
  DeallocateHWnd(a);
}

TEST_F(FormsTest, ExceptionInTickReachesHandlerAndTimerKeepsRunning) {
  int ticks = 0;
  HWND w = AllocateHWnd([&](TMessage& m) {
    if (m.Msg != WM_TIMER) return;
    ++ticks;
    throw EConvertError(u"tick failed");
  });
  SetTimer(w, 1, 50, nullptr);
  Application->Advance(100);
  EXPECT_EQ(ticks, 2);
  EXPECT_EQ(Application->ExceptionCount(), 2);
  EXPECT_EQ(Application->LastExceptionMessage(), u"tick failed");
  std::vector<String> seen;
  Application->SetOnException([&](TObject*, Exception& e) { seen.push_back(e.Message()); });
  Application->Advance(50);
  EXPECT_EQ(seen, (std::vector<String>{u"tick failed"}));
  EXPECT_TRUE(Application->TimerActive(w, 1));
  DeallocateHWnd(w);
}

TEST_F(FormsTest, FullTimerTableRefusesNewTimersOnly) {
  HWND w = AllocateHWnd([](TMessage&) {});
  Application->SetTimerCapacity(2);
  EXPECT_EQ(SetTimer(w, 1, 100, nullptr), 1u);
  EXPECT_EQ(SetTimer(w, 2, 100, nullptr), 2u);
  EXPECT_EQ(SetTimer(w, 3, 100, nullptr), 0u);
  EXPECT_EQ(SetTimer(w, 1, 200, nullptr), 1u);  // restarting needs no new slot
  EXPECT_EQ(SetTimer(0x7FFFFFF, 1, 100, nullptr), 0u);  // unknown window
  DeallocateHWnd(w);
}

TEST_F(FormsTest, PostedMessagesArriveInOrderAndDieWithTheirWindow) {
  std::vector<Cardinal> got;
  HWND w = AllocateHWnd([&](TMessage& m) { got.push_back(m.Msg); });
  HWND gone = AllocateHWnd([&](TMessage& m) { got.push_back(m.Msg + 1000); });
  EXPECT_TRUE(PostMessage(w, WM_USER + 1, 0, 0));
  EXPECT_TRUE(PostMessage(gone, WM_USER + 2, 0, 0));
  EXPECT_TRUE(PostMessage(w, WM_USER + 3, 0, 0));
  DeallocateHWnd(gone);
  EXPECT_FALSE(PostMessage(gone, WM_USER, 0, 0));
  EXPECT_TRUE(got.empty());
  Application->ProcessMessages();
  EXPECT_EQ(got, (std::vector<Cardinal>{WM_USER + 1, WM_USER + 3}));
  EXPECT_EQ(SendMessage(gone, WM_USER, 0, 0), 0);
  DeallocateHWnd(w);
}

TEST_F(FormsTest, DefWindowProcAndBeeps) {
  EXPECT_EQ(DefWindowProcW(1, WM_USER, 0, 0), 0);
  Application->SetDefWindowProcHook([](HWND, Cardinal msg, intptr_t, intptr_t) { return intptr_t(msg); });
  EXPECT_EQ(DefWindowProcW(1, WM_USER, 0, 0), intptr_t(WM_USER));
  MessageBeep(MB_OK);
  MessageBeep(MB_ICONERROR);
  EXPECT_EQ(Application->BeepCount(), 2);
  EXPECT_EQ(Application->LastBeep(), MB_ICONERROR);
}

TEST_F(FormsTest, ShowModalUsesTheHookAndFallsBackToCancel) {
  TForm dlg(nullptr);
  std::vector<std::string> events;
  dlg.SetOnShow([&](TObject*) { events.push_back("show"); });
  dlg.SetOnClose([&](TObject*, TCloseAction&) { events.push_back("close"); });
  {
    jox::test::ScopedModalHook hook([&](TCustomForm* f) {
      events.push_back(f->Visible() ? "hook visible" : "hook hidden");
      f->SetModalResult(mrOk);
    });
    EXPECT_EQ(dlg.ShowModal(), mrOk);
  }
  EXPECT_EQ(events, (std::vector<std::string>{"show", "hook visible", "close"}));
  EXPECT_FALSE(dlg.Visible());
  EXPECT_EQ(dlg.ShowModal(), mrCancel);  // no hook, no window: nobody answers
  {
    jox::test::ScopedModalHook hook([](TCustomForm* f) { f->Close(); });
    EXPECT_EQ(dlg.ShowModal(), mrCancel);
  }
  dlg.SetOnCloseQuery([](TObject*, bool& can) { can = false; });
  {
    jox::test::ScopedModalHook hook([](TCustomForm* f) { f->SetModalResult(mrYes); });
    EXPECT_EQ(dlg.ShowModal(), mrCancel);
  }
}

TEST_F(FormsTest, CloseHidesOrFreesLater) {
  auto* f = new TForm(nullptr);
  f->Show();
  EXPECT_EQ(Screen->ActiveForm(), f);
  f->Close();
  EXPECT_FALSE(f->Visible());
  f->SetOnClose([](TObject*, TCloseAction& a) { a = caFree; });
  f->Show();
  f->Close();
  EXPECT_EQ(Screen->FormCount() > 0, true);
  const Integer before = Screen->FormCount();
  Application->ProcessMessages();  // frees it
  EXPECT_EQ(Screen->FormCount(), before - 1);
}

TEST_F(FormsTest, ScreenCursorAndVirtualClock) {
  Screen->SetCursor(crHourGlass);
  EXPECT_EQ(Screen->Cursor(), crHourGlass);
  EXPECT_EQ(Application->Now(), 0u);
  Application->Advance(250);
  EXPECT_EQ(GetTickCount(), 250u);
  EXPECT_THROW({
    Application->UseVirtualClock(false);
    Application->Advance(1);
  }, EInvalidOperation);
  Application->UseVirtualClock(true);
}
