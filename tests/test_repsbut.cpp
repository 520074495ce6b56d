// The repeat speed button: repetition timing on the virtual clock, what starts and stops it, the
// interval clamps, errors of the timer and of the handler.
#include <gtest/gtest.h>

#include <vector>

#include "package/framework/controls/forms.h"
#include "package/framework/controls/input.h"
#include "repsbut/repsbut.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

class RepButTest : public test::FrameworkTest {
 protected:
  void SetUp() override {
    test::FrameworkTest::SetUp();
    form.SetClientWidth(200);
    form.SetClientHeight(100);
    b = new TRepSpeedButton(&form);
    b->SetParent(&form);
    b->SetName(u"Step");
    b->SetBounds(10, 10, 40, 30);
    b->SetOnRepeatClick([this](TObject*) { repeats.push_back(Application->Now() - pressedAt); });
    b->SetOnClick([this](TObject*) { ++clicks; });
  }
  void Press(TMouseButton button = mbLeft) {
    input::MouseMove(b, 20, 15);
    pressedAt = Application->Now();
    input::MouseDown(b, 20, 15, button);
  }
  // Lets Ms pass in steps of 10 ms, delivering the timers due.
  void Wait(Integer Ms) {
    for (Integer t = 0; t < Ms; t += 10) {
      Application->AdvanceClock(10);
      Application->ProcessMessages();
    }
  }
  TForm form{nullptr};
  TRepSpeedButton* b = nullptr;
  std::vector<uint64_t> repeats;
  uint64_t pressedAt = 0;
  int clicks = 0;
};

}  // namespace

TEST_F(RepButTest, DefaultsAndClamps) {
  for (const TPropInfo& p : TRepSpeedButton::ClassInfo().Props)
    EXPECT_TRUE(!p.Default || p.IsDefault(*b)) << ToUtf8(p.Name);
  EXPECT_EQ(b->RepeatClickInterval(), 200);
  EXPECT_EQ(b->StartClickInterval(), 500);
  b->SetRepeatClickInterval(5);
  EXPECT_EQ(b->RepeatClickInterval(), 10);
  b->SetStartClickInterval(-1);
  EXPECT_EQ(b->StartClickInterval(), 10);
  EXPECT_EQ(Application->TimerCount(), 0);  // nothing held: no timer

  // At design time the interval is only stored.
  b->SetDesigning(true);
  Press();
  const Integer timers = Application->TimerCount();
  b->SetRepeatClickInterval(300);
  b->SetStartClickInterval(700);
  EXPECT_EQ(Application->TimerCount(), timers);
  EXPECT_EQ(b->RepeatClickInterval(), 300);
}

TEST_F(RepButTest, HoldingRepeats) {
  Press();
  Wait(1150);
  EXPECT_EQ(repeats, (std::vector<uint64_t>{500, 700, 900, 1100}));
  input::MouseUp(b, 20, 15);
  EXPECT_EQ(clicks, 1);  // the ordinary click on release
  Wait(1000);
  EXPECT_EQ(repeats.size(), 4u);
  EXPECT_EQ(Application->TimerCount(), 0);

  // A short press repeats nothing; the right button starts nothing.
  repeats.clear();
  Application->AdvanceClock(1000);
  Press();
  Wait(300);
  input::MouseUp(b, 20, 15);
  Wait(1000);
  EXPECT_TRUE(repeats.empty());
  EXPECT_EQ(clicks, 2);
  Press(mbRight);
  EXPECT_FALSE(b->Repeating());
  Wait(1000);
  input::MouseUp(b, 20, 15, mbRight);
  EXPECT_TRUE(repeats.empty());
}

TEST_F(RepButTest, ChangesWhileHeld) {
  Press();
  Wait(600);  // one repeat at 500
  b->SetStartClickInterval(400);  // back to the start delay: the next one 400 ms from now
  Wait(500);
  EXPECT_EQ(repeats, (std::vector<uint64_t>{500, 1000}));
  b->SetRepeatClickInterval(50);
  Wait(120);
  EXPECT_EQ(repeats.size(), 4u);
  input::MouseUp(b, 20, 15);
}

TEST_F(RepButTest, LeavingStopsWithoutAClick) {
  Press();
  Wait(750);
  ASSERT_EQ(repeats.size(), 2u);
  input::MouseMove(b, 100, 15);  // off the button, still held
  EXPECT_FALSE(b->Repeating());
  Wait(1000);
  EXPECT_EQ(repeats.size(), 2u);
  input::MouseUp(b, 100, 15);
  EXPECT_EQ(clicks, 0);
}

TEST_F(RepButTest, ADialogFromOnMouseDownOrDisablingEndsTheHold) {
  TForm dialog(nullptr);
  dialog.SetBounds(0, 0, 120, 80);
  auto* ok = new TButton(&dialog);
  ok->SetParent(&dialog);
  ok->SetBounds(10, 10, 75, 25);
  ok->SetModalResult(mrOk);
  b->SetOnMouseDown([&](TObject*, TMouseButton, TShiftState, Integer, Integer) { dialog.ShowModal(); });
  {
    test::ScopedModalHook hook([&](TCustomForm*) { input::Click(ok, 5, 5); });
    Press();
  }
  EXPECT_FALSE(b->Repeating());
  Wait(1200);
  EXPECT_TRUE(repeats.empty());
  EXPECT_EQ(Application->TimerCount(), 0);
  input::MouseUp(b, 20, 15);
  b->SetOnMouseDown(nullptr);

  // Disabled or hidden while held: the repetition stops with it.
  for (const bool hide : {false, true}) {
    Application->AdvanceClock(1000);
    Press();
    Wait(550);
    ASSERT_EQ(repeats.size(), 1u);
    if (hide) b->SetVisible(false);
    else b->SetEnabled(false);
    EXPECT_FALSE(b->Repeating());
    Wait(1000);
    EXPECT_EQ(repeats.size(), 1u) << hide;
    EXPECT_EQ(Application->TimerCount(), 0);
    input::MouseUp(b, 20, 15);
    b->SetEnabled(true);
    b->SetVisible(true);
    repeats.clear();
  }
}

TEST_F(RepButTest, HandlerErrorsKeepTheTimer) {
  int calls = 0;
  b->SetOnRepeatClick([&](TObject*) {
    ++calls;
    throw EJOXError(u"step failed");
  });
  Press();
  Wait(950);
  EXPECT_EQ(calls, 3);
  EXPECT_EQ(Application->ExceptionCount(), 3);
  EXPECT_EQ(Application->LastExceptionMessage(), u"step failed");
  input::MouseUp(b, 20, 15);
}

TEST_F(RepButTest, NoTimerAvailable) {
  const Integer old = Application->TimerCapacity();
  Application->SetTimerCapacity(Application->TimerCount());
  try {
    Press();
    ADD_FAILURE() << "no error";
  } catch (const EJOXRepSpeedButton& e) {
    EXPECT_EQ(e.Message(), u"Component \"Step\": no timer available");
  }
  Application->SetTimerCapacity(old);
  input::MouseUp(b, 20, 15);
}

// Every published setting of its own takes a new value (a setter that ignored changes would show here).
TEST_F(RepButTest, EveryOwnSettingTakesANewValue) {
  TRepSpeedButton fresh(nullptr);
  EXPECT_EQ(jox::test::RefusedProps(fresh), (std::vector<String>{}));
}

TEST_F(RepButTest, SpaceHeldRepeatsAndItsReleaseClicks) {
  auto* before = new TEdit(&form);
  before->SetParent(&form);
  before->SetTabOrder(0);
  before->SetFocus();
  input::KeyPress(&form, VK_TAB);  // the button is a tab stop
  ASSERT_TRUE(b->Focused());
  pressedAt = Application->Now();
  input::KeyDown(&form, VK_SPACE);
  Wait(350);
  input::KeyDown(&form, VK_SPACE);  // the key's own auto-repeat restarts nothing
  Wait(400);
  EXPECT_EQ(repeats, (std::vector<uint64_t>{500, 700}));
  input::KeyUp(&form, VK_SPACE);
  EXPECT_EQ(clicks, 1);
  Wait(1000);
  EXPECT_EQ(repeats.size(), 2u);
  EXPECT_EQ(Application->TimerCount(), 0);
  // Tabbing away with Space held stops it without a click.
  input::KeyDown(&form, VK_SPACE);
  EXPECT_TRUE(b->Repeating());
  before->SetFocus();
  EXPECT_FALSE(b->Repeating());
  EXPECT_EQ(clicks, 1);
}
