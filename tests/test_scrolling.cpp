// The scrolling base: bar geometry, thumb drag, arrows with auto-repeat, page clicks, the wheel.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "package/framework/framework.h"
#include "package/framework/controls/grids.h"
#include "package/framework/controls/memo.h"
#include "package/framework/controls/scrolling.h"
#include "package/framework/controls/treeview.h"
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

// A form of 300 x 300 at (Left, Top) holding one control of type T.
template <class T>
struct OnForm {
  TForm form{nullptr};
  T* rows;
  explicit OnForm(Integer Left = 0, Integer Top = 0) {
    form.SetBounds(Left, Top, 300, 300);
    rows = new T(&form);
    rows->SetParent(&form);
  }
};
using Fixture = OnForm<TRows>;

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

// No road takes the position past either end of its range (0 .. 99 with a page of 10: 0 .. 90), and a
// step that cannot move reports no move.
TEST_F(ScrollingTest, PositionNeverLeavesItsRange) {
  Fixture f;
  TRows* r = f.rows;
  auto at = [&](Integer pos) {
    r->SetScrollPos(sbVertical, pos);
    r->moves.clear();
  };
  ASSERT_EQ(r->MaxScrollPos(sbVertical), 90);
  r->SetScrollPos(sbVertical, 1000);
  EXPECT_EQ(r->ScrollPos(sbVertical), 90);
  r->SetScrollPos(sbVertical, -5);
  EXPECT_EQ(r->ScrollPos(sbVertical), 0);

  at(89);
  r->Perform(WM_VSCROLL, SB_LINEDOWN);
  r->Perform(WM_VSCROLL, SB_LINEDOWN);
  EXPECT_EQ(r->ScrollPos(sbVertical), 90);
  EXPECT_EQ(r->moves, (std::vector<Integer>{90}));
  at(85);
  r->Perform(WM_VSCROLL, SB_PAGEDOWN);
  EXPECT_EQ(r->ScrollPos(sbVertical), 90);
  at(89);
  jox::input::MouseWheel(r, 50, 50, -WHEEL_DELTA);
  EXPECT_EQ(r->ScrollPos(sbVertical), 90);
  r->Perform(WM_VSCROLL, SB_THUMBPOSITION | (95 << 16));
  EXPECT_EQ(r->ScrollPos(sbVertical), 90);
  // The down arrow held at the end: nothing moves, however long.
  at(90);
  jox::input::MouseMove(r, 110, 190);
  jox::input::MouseDown(r, 110, 190);
  Application->Advance(1000);
  jox::input::MouseUp(r, 110, 190);
  EXPECT_EQ(r->ScrollPos(sbVertical), 90);
  EXPECT_TRUE(r->moves.empty());
  // The thumb then touches the down arrow.
  Application->ProcessMessages();
  const TPoint o = r->OriginInRoot();
  EXPECT_NE(jox::test::SurfacePixel(r->Surface(), o.X + 110, o.Y + 200 - 17 - 2),
            jox::test::SurfacePixel(r->Surface(), o.X + 110, o.Y + 17 + 2));

  // And the same at the top.
  at(1);
  r->Perform(WM_VSCROLL, SB_LINEUP);
  r->Perform(WM_VSCROLL, SB_LINEUP);
  EXPECT_EQ(r->ScrollPos(sbVertical), 0);
  EXPECT_EQ(r->moves, (std::vector<Integer>{0}));
  at(5);
  r->Perform(WM_VSCROLL, SB_PAGEUP);
  EXPECT_EQ(r->ScrollPos(sbVertical), 0);
  at(2);
  jox::input::MouseWheel(r, 50, 50, WHEEL_DELTA);
  EXPECT_EQ(r->ScrollPos(sbVertical), 0);
  // Lines larger than one step stop at the end too.
  r->SetLineSize(sbVertical, 7);
  at(88);
  r->Perform(WM_VSCROLL, SB_LINEDOWN);
  EXPECT_EQ(r->ScrollPos(sbVertical), 90);
}

// In a bar so short that the thumb fills its whole track, dragging the thumb has nowhere to go.
TEST_F(ScrollingTest, ThumbFillingItsTrackDragsNowhere) {
  Fixture f;
  f.rows->SetBounds(10, 10, 120, 2 * kScrollBarSize + 8);  // a track of 8 pixels, the smallest thumb
  f.rows->SetScrollPos(sbVertical, 0);
  ASSERT_TRUE(f.rows->ScrollBarVisible(sbVertical));
  jox::input::Drag(f.rows, 110, kScrollBarSize + 4, 110, kScrollBarSize + 40, 4);
  EXPECT_EQ(f.rows->ScrollPos(sbVertical), 0);
}

TEST_F(ScrollingTest, BarIsPaintedAfterTheControl) {
  Fixture f;
  Application->ProcessMessages();
  TBitmap* s = f.form.Surface();
  // Client white; the arrow button's face and the track beside the thumb are not.
  EXPECT_TRUE(jox::test::ColorNear(jox::test::SurfacePixel(s, 10 + 50, 10 + 50), clWhite));
  EXPECT_TRUE(jox::test::ColorNear(jox::test::SurfacePixel(s, 10 + 105, 10 + 3), ColorToRGB(clBtnFace)));
  EXPECT_FALSE(jox::test::ColorNear(jox::test::SurfacePixel(s, 10 + 110, 10 + 100), clWhite));
  // A horizontal bar below the client area is painted too: its left arrow's face.
  f.rows->SetScrollBars(ssBoth);
  f.rows->SetScrollInfo(sbHorizontal, 0, 99, 10, 0);
  Application->ProcessMessages();
  const TRect h = f.rows->ScrollBarRect(sbHorizontal);
  ASSERT_FALSE(h.IsEmpty());
  EXPECT_TRUE(jox::test::ColorNear(jox::test::SurfacePixel(s, 10 + h.Left + 3, 10 + h.Top + 3), ColorToRGB(clBtnFace)));
  int glyph = 0;  // the left arrow's glyph
  for (Integer y = h.Top; y < h.Top + kScrollBarSize; ++y)
    for (Integer x = h.Left; x < h.Left + kScrollBarSize; ++x)
      glyph += jox::test::SurfacePixel(s, 10 + x, 10 + y) == ColorToRGB(clBtnText);
  EXPECT_GT(glyph, 3);
}

// [client origin] ------------------------------------------------------------------------------------------
// TRows with the classic 2-pixel sunken frame, recording where presses land.
class TFramedRows : public TRows {
 public:
  explicit TFramedRows(TComponent* AOwner) : TRows(AOwner) {}
  std::vector<TPoint> presses;

 protected:
  Integer NonClientFrame() const override { return 2; }
  void MouseDown(TMouseButton B, TShiftState S, Integer X, Integer Y) override {
    presses.push_back(Point(X, Y));
    TRows::MouseDown(B, S, X, Y);
  }
};

struct FramedFixture : OnForm<TFramedRows> {
  FramedFixture() : OnForm(100, 50) {}
};

TEST_F(ScrollingTest, ClientAreaLiesInsideTheFrameAndBesideTheBar) {
  FramedFixture f;
  // 120 x 200 at (10, 10): frame 2 on each side, the bar inside the frame on the right.
  EXPECT_EQ(f.rows->ClientBounds(), Rect(2, 2, 2 + 99, 2 + 196));
  EXPECT_EQ(f.rows->ClientRect(), Rect(0, 0, 99, 196));
  EXPECT_EQ(f.rows->ScrollBarRect(sbVertical), Rect(99, 0, 116, 196));
  EXPECT_EQ(f.rows->ClientOrigin(), Point(100 + 12, 50 + 12));
  EXPECT_EQ(f.rows->ClientToScreen(Point(5, 6)), Point(117, 68));
  EXPECT_EQ(f.rows->ScreenToClient(Point(117, 68)), Point(5, 6));
  // SetClientWidth keeps frame and bar.
  f.rows->SetClientWidth(50);
  EXPECT_EQ(f.rows->Width(), 50 + 4 + kScrollBarSize);
}

TEST_F(ScrollingTest, MouseAndChildrenUseTheClientOrigin) {
  FramedFixture f;
  auto* child = new TRows(&f.form);
  child->SetScrollBars(ssNone);
  child->SetParent(f.rows);
  child->SetBounds(0, 0, 500, 500);  // larger than the client area: clipped to it
  // A press on the frame is no client press: neither the framed control nor the child sees it.
  jox::input::Click(&f.form, 10, 10);
  jox::input::Click(&f.form, 11, 40);
  EXPECT_TRUE(f.rows->presses.empty());
  EXPECT_EQ(child->clientPresses, 0);
  // Inside the client area the child is hit; its (0, 0) is the client origin.
  jox::input::Click(&f.form, 12, 12);
  EXPECT_EQ(child->clientPresses, 1);
  child->SetBounds(10, 10, 20, 20);
  jox::input::Click(&f.form, 12 + 5, 12 + 6);
  ASSERT_EQ(f.rows->presses.size(), 1u);
  EXPECT_EQ(f.rows->presses[0], Point(5, 6));
  child->SetBounds(0, 0, 500, 500);
  // The bar (inside the frame) still scrolls, though the child would reach under it.
  jox::input::Click(&f.form, 10 + 2 + 99 + 8, 10 + 196 - 5);
  EXPECT_EQ(f.rows->ScrollPos(sbVertical), 1);
  EXPECT_EQ(child->clientPresses, 1);
  Application->ProcessMessages();
  TBitmap* s = f.form.Surface();
  // Child white from the client origin on; frame (shadow outside, dark shadow inside) and bar not covered.
  EXPECT_TRUE(jox::test::ColorNear(jox::test::SurfacePixel(s, 12, 12), clWhite));
  EXPECT_TRUE(jox::test::ColorNear(jox::test::SurfacePixel(s, 10, 10), ColorToRGB(clBtnShadow)));
  EXPECT_TRUE(jox::test::ColorNear(jox::test::SurfacePixel(s, 11, 11), ColorToRGB(cl3DDkShadow)));
  EXPECT_TRUE(jox::test::ColorNear(jox::test::SurfacePixel(s, 10 + 119, 10 + 199), ColorToRGB(clBtnHighlight)));
  EXPECT_TRUE(jox::test::ColorNear(jox::test::SurfacePixel(s, 10 + 2 + 99 + 3, 10 + 2 + 3), ColorToRGB(clBtnFace)));
  EXPECT_TRUE(jox::test::ColorNear(child->Canvas()->Pixels(0, 0), clWhite));
}

TEST_F(ScrollingTest, GridBorderStyleMovesTheCellsAndIsDrawn) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 400, 300);
  auto* grid = new TDrawGrid(&form);
  grid->SetParent(&form);
  grid->SetBounds(20, 20, 200, 150);
  grid->SetScrollBars(ssNone);
  EXPECT_EQ(grid->ClientBounds(), Rect(2, 2, 198, 148));
  EXPECT_EQ(grid->CellRect(0, 0), Rect(0, 0, 64, 24));
  EXPECT_EQ(grid->MouseCoord(1, 1).X, 0);
  // A click one pixel inside the frame selects by client coordinates: column 1 starts at 65.
  jox::input::Click(&form, 20 + 2 + 65 + 3, 20 + 2 + 25 + 3);
  EXPECT_EQ(grid->Col(), 1);
  EXPECT_EQ(grid->Row(), 1);
  Application->ProcessMessages();
  EXPECT_TRUE(jox::test::ColorNear(jox::test::SurfacePixel(form.Surface(), 20, 20), ColorToRGB(clBtnShadow)));
  grid->SetBorderStyle(bsNone);
  EXPECT_EQ(grid->ClientRect(), Rect(0, 0, 200, 150));
  EXPECT_EQ(grid->ClientOrigin(), grid->ClientToScreen(Point(0, 0)));
  Application->ProcessMessages();
  EXPECT_FALSE(jox::test::ColorNear(jox::test::SurfacePixel(form.Surface(), 20, 20), ColorToRGB(clBtnShadow)));
}

}  // namespace

// Sideways: Shift+wheel and the horizontal wheel move the horizontal bar, in the base and in a grid.
TEST_F(ScrollingTest, ShiftWheelAndTheHorizontalWheelScrollSideways) {
  Fixture f;
  TRows* r = f.rows;
  r->SetScrollBars(ssBoth);
  r->SetScrollInfo(sbHorizontal, 0, 99, 10, 0);
  jox::input::MouseWheel(r, 50, 50, -WHEEL_DELTA, ssShift);
  EXPECT_EQ(r->ScrollPos(sbHorizontal), kWheelScrollLines);
  EXPECT_EQ(r->ScrollPos(sbVertical), 0);
  jox::input::MouseHWheel(r, 50, 50, WHEEL_DELTA);  // tilted right
  EXPECT_EQ(r->ScrollPos(sbHorizontal), 2 * kWheelScrollLines);
  jox::input::MouseHWheel(r, 50, 50, -WHEEL_DELTA / 2);  // half a notch waits for the other half
  EXPECT_EQ(r->ScrollPos(sbHorizontal), 2 * kWheelScrollLines);
  jox::input::MouseHWheel(r, 50, 50, -WHEEL_DELTA / 2);
  EXPECT_EQ(r->ScrollPos(sbHorizontal), kWheelScrollLines);
  jox::input::MouseWheel(r, 50, 50, -WHEEL_DELTA);  // the plain wheel still scrolls down
  EXPECT_EQ(r->ScrollPos(sbVertical), kWheelScrollLines);
  EXPECT_EQ(r->ScrollPos(sbHorizontal), kWheelScrollLines);

  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 300);
  auto* grid = new TDrawGrid(&form);
  grid->SetParent(&form);
  grid->SetBounds(0, 0, 200, 150);
  grid->SetColCount(40);
  grid->SetRowCount(40);
  jox::input::MouseWheel(grid, 50, 50, -WHEEL_DELTA, ssShift);
  EXPECT_GT(grid->LeftCol(), grid->FixedCols());
  EXPECT_EQ(grid->TopRow(), grid->FixedRows());
  const Integer left = grid->LeftCol();
  jox::input::MouseHWheel(grid, 50, 50, -WHEEL_DELTA);
  EXPECT_LT(grid->LeftCol(), left);
}

// Thumb drags with the mouse on large controls: positions past 32767 arrive whole, live with thumb
// tracking, on release without it.
struct ThumbDrag {
  TCustomScrollControl* c;
  TRect bar;
  Integer grabY;
  explicit ThumbDrag(TCustomScrollControl* Control) : c(Control), bar(Control->ScrollBarRect(sbVertical)) {
    grabY = bar.Top + kScrollBarSize + 3;  // within the thumb at the top (at least 8 pixels long)
  }
  Integer x() const { return (bar.Left + bar.Right) / 2; }
  // Presses on the thumb and moves it by Fraction of its travel; returns the position the pointer stands for.
  Integer PressAndMove(double Fraction) {
    const Integer travel = bar.Height() - 2 * kScrollBarSize - 8;
    jox::input::MouseMove(c, x(), grabY);
    jox::input::MouseDown(c, x(), grabY);
    const Integer dy = Integer(travel * Fraction);
    for (int step = 1; step <= 4; ++step) jox::input::MouseMove(c, x(), grabY + dy * step / 4);
    const int64_t span = c->MaxScrollPos(sbVertical) - c->ScrollInfo(sbVertical).Min;
    return c->ScrollInfo(sbVertical).Min + Integer(span * dy / travel);
  }
  void Release(double Fraction) {
    const Integer travel = bar.Height() - 2 * kScrollBarSize - 8;
    jox::input::MouseUp(c, x(), grabY + Integer(travel * Fraction));
  }
  // One pixel of pointer travel in positions, the tolerance of a drag.
  Integer Slack() const {
    return Integer((c->MaxScrollPos(sbVertical) - c->ScrollInfo(sbVertical).Min) / (bar.Height() - 2 * kScrollBarSize - 8)) + 1;
  }
};

// Drags each control's thumb to about 60% of its travel in both modes; Pos reads the control's own
// idea of its first shown row.
template <class Pos>
void DragBothModes(TCustomScrollControl* c, Pos pos, std::function<void(bool)> setTracking) {
  for (bool tracking : {false, true}) {
    SCOPED_TRACE(tracking ? "thumb tracking" : "no thumb tracking");
    setTracking(tracking);
    c->SetScrollPos(sbVertical, 0);
    const Integer start = pos();
    ThumbDrag d(c);
    ASSERT_FALSE(d.bar.IsEmpty());
    const Integer want = d.PressAndMove(0.6);
    ASSERT_GT(want, 32767);
    if (tracking) EXPECT_NEAR(pos(), want, d.Slack());
    else EXPECT_EQ(pos(), start);
    EXPECT_NEAR(c->TrackPos(sbVertical), want, d.Slack());  // the thumb follows the pointer either way
    d.Release(0.6);
    EXPECT_NEAR(pos(), want, d.Slack());
    EXPECT_EQ(c->ScrollPos(sbVertical), pos());
  }
}

TEST_F(ScrollingTest, ThumbDragsReachPositionsPastSixteenBits) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 400, 400);
  {
    SCOPED_TRACE("grid of 200,000 rows");
    auto* g = new TDrawGrid(&form);
    g->SetParent(&form);
    g->SetBounds(0, 0, 300, 300);
    g->SetRowCount(200000);
    DragBothModes(
        g, [&] { return g->TopRow(); },
        [&](bool on) { g->SetOptions(on ? g->Options() | goThumbTracking : g->Options() - goThumbTracking); });
    // A scroll message carries the whole position.
    g->Perform(WM_VSCROLL, ScrollWParam(SB_THUMBPOSITION, 150000));
    EXPECT_EQ(g->TopRow(), 150000);
    delete g;
  }
  {
    SCOPED_TRACE("tree of 100,000 nodes");
    auto* tv = new TTreeView(&form);
    tv->SetParent(&form);
    tv->SetBounds(0, 0, 300, 300);
    TTreeNode* root = tv->Items()->Add(nullptr, u"root");
    tv->Items()->BeginUpdate();
    for (int i = 0; i < 100000; ++i) tv->Items()->AddChild(root, u"node " + IntToStr(i));
    tv->Items()->EndUpdate();
    root->Expand(false);
    tv->Repaint();
    DragBothModes(tv, [&] { return tv->TopItem()->AbsoluteIndex(); }, [&](bool on) { tv->SetThumbTracking(on); });
    delete tv;
  }
  {
    SCOPED_TRACE("memo of 100,000 lines");
    auto* m = new TMemo(&form);
    m->SetParent(&form);
    m->SetBounds(0, 0, 300, 300);
    m->SetScrollBars(ssVertical);
    String text;
    for (int i = 0; i < 100000; ++i) text += u"line " + IntToStr(i) + u"\r\n";
    m->SetText(text);
    DragBothModes(m, [&] { return m->ScrollPos(sbVertical); }, [&](bool on) { m->SetThumbTracking(on); });
    // The first shown line is the one the position names.
    Application->ProcessMessages();
    EXPECT_GT(m->ScrollPos(sbVertical), 32767);
    delete m;
  }
}
