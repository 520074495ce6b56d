// The scrolling base: bar geometry, thumb drag, arrows with auto-repeat, page clicks, the wheel.
#include <gtest/gtest.h>

#include <vector>

#include "package/framework/framework.h"
#include "package/framework/controls/scrolling.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

class ScrollingTest : public jox::test::FrameworkTest {};

// A list of 100 rows of 20 pixels, 10 visible; records every scroll message and every position change.
class TRows : public TCustomScrollControl {
 public:
  explicit TRows(TComponent* AOwner) : TCustomScrollControl(AOwner) {
    SetScrollBars(ssVertical);
    SetBounds(10, 10, 120, 200);
    SetScrollInfo(sbVertical, 0, 99, 10, 0);
  }
  void Paint() override {
    ++paints;
    Canvas()->Brush()->SetColor(clWhite);
    Canvas()->FillRect(ClientRect());
  }
  std::vector<Word> codes;
  std::vector<Integer> moves;  // new positions
  int clientPresses = 0, paints = 0;

 protected:
  void Scroll(TScrollBarKind Kind, TScrollCode Code, Integer ThumbPos) override {
    codes.push_back(Code);
    TCustomScrollControl::Scroll(Kind, Code, ThumbPos);
  }
  void ScrollPosChanged(TScrollBarKind Kind, Integer OldPos) override {
    moves.push_back(ScrollPos(Kind));
    TCustomScrollControl::ScrollPosChanged(Kind, OldPos);
  }
  void MouseDown(TMouseButton B, TShiftState S, Integer X, Integer Y) override {
    ++clientPresses;
    TCustomScrollControl::MouseDown(B, S, X, Y);
  }
};

struct Fixture {
  TForm form{nullptr};
  TRows* rows;
  Fixture() {
    form.SetBounds(0, 0, 300, 300);
    rows = new TRows(&form);
    rows->SetParent(&form);
  }
};

TEST_F(ScrollingTest, ClientAreaLeavesOutTheVisibleBarsOnly) {
  Fixture f;
  EXPECT_EQ(f.rows->ClientRect(), Rect(0, 0, 120 - kScrollBarSize, 200));
  EXPECT_EQ(f.rows->ScrollBarRect(sbVertical), Rect(103, 0, 120, 200));
  EXPECT_TRUE(f.rows->ScrollBarRect(sbHorizontal).IsEmpty());
  // A range that fits the page needs no bar.
  f.rows->SetScrollInfo(sbVertical, 0, 9, 10, 0);
  EXPECT_FALSE(f.rows->ScrollBarVisible(sbVertical));
  EXPECT_EQ(f.rows->ClientRect(), Rect(0, 0, 120, 200));
  // Out-of-range values are repaired.
  f.rows->SetScrollInfo(sbVertical, 5, 2, -3, 40);
  EXPECT_EQ(f.rows->ScrollInfo(sbVertical).Max, 5);
  EXPECT_EQ(f.rows->ScrollInfo(sbVertical).Page, 0);
  EXPECT_EQ(f.rows->ScrollPos(sbVertical), 5);
}

TEST_F(ScrollingTest, ThumbDragScrollsByTheTrackRatio) {
  Fixture f;
  // Track 200 - 2 * 17 = 166 pixels; thumb 166 * 10 / 100 = 16; 150 pixels of travel for positions 0..90.
  const Integer x = 110;
  const Integer thumbY = 17 + 8;
  jox::input::Drag(f.rows, x, thumbY, x, thumbY + 75, 5);
  EXPECT_EQ(f.rows->ScrollPos(sbVertical), 45);
  ASSERT_GE(f.rows->codes.size(), 3u);
  EXPECT_EQ(f.rows->codes.back(), scEndScroll);
  EXPECT_EQ(f.rows->codes[f.rows->codes.size() - 2], scPosition);
  EXPECT_EQ(f.rows->clientPresses, 0);  // the bar keeps its presses from the control
  // Dragging far past the end stops at the last position.
  jox::input::Drag(f.rows, x, 17 + 75 + 8, x, 600);
  EXPECT_EQ(f.rows->ScrollPos(sbVertical), 90);
}

TEST_F(ScrollingTest, ArrowRepeatsWhileHeldAndOnlyOverTheArrow) {
  Fixture f;
  jox::input::MouseMove(f.rows, 110, 190);
  jox::input::MouseDown(f.rows, 110, 190);
  EXPECT_EQ(f.rows->ScrollPos(sbVertical), 1);  // at once
  Application->Advance(kScrollRepeatDelay - 1);
  EXPECT_EQ(f.rows->ScrollPos(sbVertical), 1);
  Application->Advance(1 + 2 * kScrollRepeatInterval);  // the first repeat, then two more
  EXPECT_EQ(f.rows->ScrollPos(sbVertical), 4);
  jox::input::MouseMove(f.rows, 50, 100);  // off the arrow: held, but no repeat
  Application->Advance(5 * kScrollRepeatInterval);
  EXPECT_EQ(f.rows->ScrollPos(sbVertical), 4);
  jox::input::MouseUp(f.rows, 50, 100);
  Application->Advance(1000);
  EXPECT_EQ(f.rows->ScrollPos(sbVertical), 4);
}

TEST_F(ScrollingTest, PageClickRepeatsUntilTheThumbReachesThePointer) {
  Fixture f;
  jox::input::MouseMove(f.rows, 110, 60);
  jox::input::MouseDown(f.rows, 110, 60);
  EXPECT_EQ(f.rows->ScrollPos(sbVertical), 10);
  Application->Advance(2000);
  jox::input::MouseUp(f.rows, 110, 60);
  // The thumb covers y 60 and stops there: 150 * pos / 90 + 17 <= 60 < that + 16.
  const Integer pos = f.rows->ScrollPos(sbVertical);
  const Integer top = 17 + 150 * pos / 90;
  EXPECT_LE(top, 60);
  EXPECT_GT(top + 16, 60);
}

TEST_F(ScrollingTest, WheelScrollsThreeLinesPerNotchAndCancelModeEndsATrack) {
  Fixture f;
  jox::input::MouseWheel(f.rows, 50, 50, -WHEEL_DELTA);
  EXPECT_EQ(f.rows->ScrollPos(sbVertical), kWheelScrollLines);
  jox::input::MouseWheel(f.rows, 50, 50, WHEEL_DELTA * 2);
  EXPECT_EQ(f.rows->ScrollPos(sbVertical), 0);

  jox::input::MouseDown(f.rows, 110, 190);
  f.rows->Perform(WM_CANCELMODE);
  EXPECT_EQ(jox::input::CaptureControl(), nullptr);
  Application->Advance(1000);
  EXPECT_EQ(f.rows->ScrollPos(sbVertical), 1);
}

TEST_F(ScrollingTest, BarIsPaintedAfterTheControl) {
  Fixture f;
  Application->ProcessMessages();
  TBitmap* s = f.form.Surface();
  // Client white; the arrow button's face and the track beside the thumb are not.
  EXPECT_TRUE(jox::test::ColorNear(jox::test::SurfacePixel(s, 10 + 50, 10 + 50), clWhite));
  EXPECT_TRUE(jox::test::ColorNear(jox::test::SurfacePixel(s, 10 + 105, 10 + 3), ColorToRGB(clBtnFace)));
  EXPECT_FALSE(jox::test::ColorNear(jox::test::SurfacePixel(s, 10 + 110, 10 + 100), clWhite));
}

}  // namespace
