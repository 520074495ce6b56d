// Screens: monitors and their work areas, where dialogs and popups open, and the scale of forms.
#include <gtest/gtest.h>

#include "package/framework/framework.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

class ScreensTest : public jox::test::FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    // The first monitor at the origin, a second one left of it (negative coordinates) with a panel
    // of 40 pixels along its top.
    Screen->SetMonitors({{Rect(0, 0, 1280, 1024), Rect(0, 0, 1280, 1000)},
                         {Rect(-1024, 0, 0, 768), Rect(-1024, 40, 0, 768)}});
  }
};

class TList : public TPopupWindow {
 public:
  using TPopupWindow::TPopupWindow;
};

class TBox : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
};

TEST_F(ScreensTest, MonitorsAreFoundByWhereARectangleLies) {
  EXPECT_EQ(Screen->MonitorCount(), 2);
  EXPECT_EQ(Screen->Width(), 1280);
  EXPECT_EQ(Screen->MonitorFromRect(Rect(-500, 100, -400, 200)), 1);
  EXPECT_EQ(Screen->MonitorFromRect(Rect(-50, 100, 150, 200)), 0);   // most of it on the first
  EXPECT_EQ(Screen->MonitorFromRect(Rect(-150, 100, 50, 200)), 1);
  EXPECT_EQ(Screen->MonitorFromPoint(Point(-3000, 300)), 1);          // off every monitor: the nearest
  EXPECT_EQ(Screen->MonitorFromPoint(Point(5000, 300)), 0);
  EXPECT_EQ(FitInside(Rect(-100, 0, 100, 50), Rect(-1024, 40, 0, 768)), Rect(-200, 40, 0, 90));
}

TEST_F(ScreensTest, AMonitorListFromTextReplacesTheDesktopsOnlyWhenWhollyValid) {
  std::vector<TMonitorInfo> list;
  ASSERT_TRUE(MonitorsFromText("0,0,1280,1024;-1280,0,1280,1024,-1280,24,1280,1000", list));
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].BoundsRect, Rect(0, 0, 1280, 1024));
  EXPECT_EQ(list[0].WorkareaRect, list[0].BoundsRect);  // no work area given: the whole monitor
  EXPECT_EQ(list[1].BoundsRect, Rect(-1280, 0, 0, 1024));
  EXPECT_EQ(list[1].WorkareaRect, Rect(-1280, 24, 0, 1024));
  EXPECT_TRUE(MonitorsFromText(" 1280 , 0 , 1280 , 1024 ;", list));  // spaces and a closing ';'
  EXPECT_EQ(list.size(), 1u);
  // Each of these leaves the list as it was.
  const std::vector<TMonitorInfo> kept = list;
  for (const char* bad : {"", ";", "0,0,1280", "0,0,1280,1024,5", "0,0,1280,1024;;0,0,1,1", "0,0,0,1024",
                          "0,0,1280,-1", "0,0,1280,1024x", "0,0,1280,1024,0,0,1300,1024", "a,0,1,1",
                          "0,0,99999999999999999999,1", "0,0,1280,1024,-1,0,1280,1024", "--1,0,1,1",
                          "0,0,1280,1024,0,0,1280,1024,1"}) {
    EXPECT_FALSE(MonitorsFromText(bad, list)) << bad;
    EXPECT_EQ(list.size(), kept.size()) << bad;
    EXPECT_EQ(list[0].BoundsRect, kept[0].BoundsRect) << bad;
  }
}

TEST_F(ScreensTest, PopupsStayOnTheMonitorOfTheirOwner) {
  TForm form(nullptr);
  form.SetBounds(-400, 300, 390, 200);  // on the second monitor, near its right edge
  form.Show();
  auto* owner = new TButton(&form);
  owner->SetParent(&form);
  owner->SetBounds(300, 10, 80, 25);
  TList list(nullptr);
  list.SetBounds(0, 0, 200, 100);
  const TPoint below = owner->ClientToScreen(Point(0, owner->Height()));
  list.Popup(owner, below.X, below.Y);
  // It would reach into the first monitor: it is moved back, not onto the other screen.
  EXPECT_EQ(list.Left(), -200);
  EXPECT_EQ(list.Top(), below.Y);
  list.ClosePopup();
  // Near the second monitor's top-left, under its panel: kept inside the work area.
  form.SetBounds(-1030, 20, 300, 200);
  list.Popup(owner, -1100, 10);
  EXPECT_EQ(list.Left(), -1024);
  EXPECT_EQ(list.Top(), 40);
  list.ClosePopup();
  // Without room below, a list that may open above does.
  list.Popup(owner, -600, 700, 690);
  EXPECT_EQ(list.Top(), 590);
  list.ClosePopup();
}

TEST_F(ScreensTest, DialogsCentreOnTheirFormInsideItsWorkArea) {
  TForm main(nullptr);
  main.SetBounds(-900, 100, 600, 400);
  main.Show();
  Application->SetMainForm(&main);
  struct Reset {
    ~Reset() { Application->SetMainForm(nullptr); }
  } reset;
  TForm dialog(&main);
  dialog.SetBounds(0, 0, 200, 100);
  dialog.SetPosition(poMainFormCenter);
  dialog.Show();
  EXPECT_EQ(dialog.BoundsRect(), Bounds(-900 + 200, 100 + 150, 200, 100));
  dialog.Hide();
  // A dialog larger than the room left on that side stays on the form's monitor.
  main.SetBounds(-1100, -50, 300, 200);
  dialog.SetPosition(poOwnerFormCenter);
  dialog.Show();
  EXPECT_EQ(dialog.Left(), -1024);
  EXPECT_EQ(dialog.Top(), 40);
  dialog.Hide();
  // The screen centre is that of the active form's monitor.
  main.SetBounds(-900, 100, 600, 400);
  dialog.SetPosition(poScreenCenter);
  dialog.Show();
  EXPECT_EQ(dialog.BoundsRect(), Bounds(-1024 + (1024 - 200) / 2, 40 + (728 - 100) / 2, 200, 100));
}

TEST_F(ScreensTest, AScaledFormGrowsWithTheScreensScaleOnce) {
  Screen->SetScale(2);
  EXPECT_EQ(Screen->PixelsPerInch(), 192);
  TForm form(nullptr);
  form.SetClientWidth(300);
  form.SetClientHeight(200);
  auto* panel = new TBox(&form);
  panel->SetParent(&form);
  panel->SetBounds(10, 10, 200, 100);
  auto* ok = new TButton(&form);
  ok->SetParent(panel);
  ok->SetBounds(110, 60, 75, 25);
  ok->SetAnchors(akRight | akBottom);
  auto* label = new TLabel(&form);
  label->SetParent(&form);
  label->SetCaption(u"Scaled text");
  label->SetBounds(10, 150, label->Width(), label->Height());
  const Integer labelWidth = label->Width(), fontHeight = form.Font()->Height();
  auto* big = new TLabel(&form);
  big->SetParent(&form);
  big->Font()->SetHeight(-20);
  auto* grid = new TDrawGrid(&form);
  grid->SetParent(&form);
  grid->SetColWidths(1, 100);
  form.Show();
  EXPECT_EQ(form.ClientWidth(), 600);
  EXPECT_EQ(form.ClientHeight(), 400);
  EXPECT_EQ(grid->DefaultRowHeight(), 48);                   // sizes kept inside a control too
  EXPECT_EQ(grid->ColWidths(1), 200);
  EXPECT_EQ(grid->ColWidths(2), 128);
  EXPECT_EQ(panel->BoundsRect(), Bounds(20, 20, 400, 200));
  EXPECT_EQ(ok->BoundsRect(), Bounds(220, 120, 150, 50));  // anchors did not move it twice
  EXPECT_EQ(form.Font()->Height(), 2 * fontHeight);
  EXPECT_EQ(label->Font()->Height(), 2 * fontHeight);       // taken from the form
  EXPECT_EQ(big->Font()->Height(), -40);                     // its own
  EXPECT_NEAR(label->Width(), 2 * labelWidth, 4);            // text drawn at the larger size
  EXPECT_EQ(form.LayoutScale(), 2);
  form.Hide();
  form.Show();
  EXPECT_EQ(form.ClientWidth(), 600);                        // once
  // A form that does not follow the scale keeps its designed pixels.
  TForm fixed(nullptr);
  fixed.SetScaled(false);
  fixed.SetClientWidth(300);
  fixed.Show();
  EXPECT_EQ(fixed.ClientWidth(), 300);
}

}  // namespace
