// Hints: when a control's hint shows and goes, which control's hint it is, where the window opens, how
// it looks, and that it takes nothing from the form.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "package/framework/framework.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

class TBox : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
};

class HintsTest : public jox::test::FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(100, 100, 400, 300);
    save = Add(10, 10, u"Save|Saves the document");
    open = Add(120, 10, u"Open|Opens a document");
    plain = Add(230, 10, u"");
    form->Show();
    Application->SetHint(u"");
  }
  void TearDown() override {
    form.reset();
    Application->SetShowHint(true);
    Application->SetOnHint(nullptr);
    FrameworkTest::TearDown();
  }
  TButton* Add(Integer x, Integer y, const String& hint, TWinControl* parent = nullptr) {
    auto* b = new TButton(form.get());
    b->SetParent(parent ? parent : form.get());
    b->SetBounds(x, y, 100, 25);
    b->SetHint(hint);
    b->SetShowHint(true);
    return b;
  }
  static bool Showing() { return hints::Window() && hints::Window()->Active(); }
  static String Shown() { return Showing() ? hints::Window()->Text() : String(u"(none)"); }
  // Rests the pointer on c and waits for its hint.
  static void Rest(TControl* c) {
    input::MouseMove(c, 5, 5);
    Application->Advance(Application->HintPause());
  }

 public:  // the rows of a table test reach them too
  std::unique_ptr<TForm> form;
  TButton *save = nullptr, *open = nullptr, *plain = nullptr;
};

TEST_F(HintsTest, AHintShowsAfterThePointerRestsAndGoesAfterTheHidePause) {
  int fired = 0;
  Application->SetOnHint([&](TObject*) { ++fired; });
  input::MouseMove(save, 5, 5);
  input::MouseMove(save, 8, 6);  // moving inside the control does not start the pause again
  Application->Advance(499);
  EXPECT_FALSE(Showing());
  Application->Advance(1);
  EXPECT_EQ(Shown(), u"Save");
  EXPECT_EQ(Application->Hint(), u"Saves the document");
  EXPECT_GE(fired, 1);
  Application->Advance(2499);
  EXPECT_TRUE(Showing());
  Application->Advance(1);
  EXPECT_FALSE(Showing());
  Application->Advance(5000);  // resting on, it does not come back
  EXPECT_FALSE(Showing());
  // The pauses are the application's.
  Application->SetHintPause(100);
  Application->SetHintHidePause(300);
  struct Restore {
    ~Restore() {
      Application->SetHintPause(500);
      Application->SetHintHidePause(2500);
    }
  } restore;
  input::MouseMove(plain, 5, 5);
  Application->Advance(1000);
  input::MouseMove(open, 5, 5);
  Application->Advance(100);
  EXPECT_EQ(Shown(), u"Open");
  Application->Advance(300);
  EXPECT_FALSE(Showing());
}

TEST_F(HintsTest, AHintComesFromShowHintThroughTheParents) {
  auto* panel = new TBox(form.get());
  panel->SetParent(form.get());
  panel->SetBounds(10, 100, 300, 100);
  panel->SetHint(u"The panel");
  auto* inner = Add(10, 10, u"", panel);
  inner->SetParentShowHint(true);
  auto* own = Add(150, 10, u"Own", panel);
  own->SetParentShowHint(true);
  panel->SetShowHint(true);
  Rest(inner);  // no hint of its own: the panel's
  EXPECT_EQ(Shown(), u"The panel");
  Rest(own);
  EXPECT_EQ(Shown(), u"Own");
  input::MouseMove(plain, 5, 5);
  panel->SetShowHint(false);  // the buttons follow their parent
  EXPECT_FALSE(own->ShowHint());
  Rest(own);
  EXPECT_FALSE(Showing());
  input::MouseMove(plain, 5, 5);
  Application->SetShowHint(false);
  Rest(save);
  EXPECT_FALSE(Showing());
  Application->SetShowHint(true);
  input::MouseMove(plain, 5, 5);
  Rest(save);
  EXPECT_EQ(Shown(), u"Save");
  Application->SetShowHint(false);  // switching hints off takes the one shown away
  EXPECT_FALSE(Showing());
}

TEST_F(HintsTest, AHintEndsWhenThePointerLeavesAClickAKeyOrTheControlGoes) {
  struct Row {
    const char* what;
    std::function<void(HintsTest&, TButton*)> act;
    bool restsOnIt;  // the pointer is still on the control: the hint comes back only when it moves
  };
  const Row rows[] = {
      {"the pointer leaves the window", [](HintsTest& t, TButton*) { input::MouseExit(t.form.get()); }, false},
      {"the pointer moves to a control without a hint",
       [](HintsTest& t, TButton*) { input::MouseMove(t.plain, 5, 5); }, false},
      {"a press", [](HintsTest&, TButton* b) { input::Click(b, 5, 5, mbRight); }, true},
      {"a key", [](HintsTest&, TButton* b) { input::KeyPress(b, VK_SHIFT); }, true},
      {"the wheel", [](HintsTest&, TButton* b) { input::MouseWheel(b, 5, 5, -120); }, true},
      {"the control is hidden", [](HintsTest&, TButton* b) { b->SetVisible(false); }, false},
      {"its form is hidden", [](HintsTest& t, TButton*) { t.form->Hide(); }, false},
      {"the control is freed", [](HintsTest&, TButton* b) { delete b; }, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    form->Show();
    TButton* b = Add(10, 200, u"Temporary");
    input::MouseMove(plain, 5, 5);
    Application->Advance(1000);
    Rest(b);
    ASSERT_EQ(Shown(), u"Temporary");
    row.act(*this, b);
    EXPECT_FALSE(Showing());
    Application->Advance(3000);
    EXPECT_FALSE(Showing());
    EXPECT_NE(hints::HintControl(), b);
    if (!row.restsOnIt) continue;
    input::MouseMove(b, 6, 6);
    Application->Advance(Application->HintPause());
    EXPECT_EQ(Shown(), u"Temporary");
  }
}

TEST_F(HintsTest, MovingToTheNextHintWhileOneShowsSwitchesAtOnce) {
  Rest(save);
  ASSERT_EQ(Shown(), u"Save");
  input::MouseMove(open, 5, 5);
  EXPECT_FALSE(Showing());
  Application->Advance(Application->HintShortPause());
  EXPECT_EQ(Shown(), u"Open");
  // Across a gap without a hint, shortly, it is still the quick switch.
  input::MouseMove(plain, 5, 5);
  Application->Advance(200);
  input::MouseMove(save, 5, 5);
  Application->Advance(Application->HintShortPause());
  EXPECT_EQ(Shown(), u"Save");
  // After a hint went by itself, the next one waits the whole pause again.
  Application->Advance(Application->HintHidePause());
  ASSERT_FALSE(Showing());
  input::MouseMove(open, 5, 5);
  Application->Advance(Application->HintShortPause());
  EXPECT_FALSE(Showing());
  Application->Advance(Application->HintPause());
  EXPECT_EQ(Shown(), u"Open");
}

TEST_F(HintsTest, AHintOpensBelowThePointerInsideItsControlsWorkArea) {
  // The first monitor with a panel at its bottom, a second left of it with one at its top.
  Screen->SetMonitors({{Rect(0, 0, 1280, 1024), Rect(0, 0, 1280, 1000)},
                       {Rect(-1024, 0, 0, 768), Rect(-1024, 40, 0, 768)}});
  input::MouseMove(save, 20, 10);
  Application->Advance(500);
  ASSERT_TRUE(Showing());
  const TPoint pointer = save->ClientToScreen(Point(20, 10));
  EXPECT_EQ(hints::Window()->Left(), pointer.X);
  EXPECT_EQ(hints::Window()->Top(), pointer.Y + 20);  // below the arrow
  // A form at the right and bottom edges of the second monitor: the hint stays on that monitor,
  // above the pointer where there is no room below.
  input::MouseMove(plain, 5, 5);
  form->SetBounds(-300, 630, 300, 138);
  TButton* edge = Add(190, 100, u"A hint long enough to reach past the edge");
  input::MouseMove(edge, 95, 20);
  Application->Advance(500);
  ASSERT_TRUE(Showing());
  const TPoint at = edge->ClientToScreen(Point(95, 20));
  const TRect r = hints::Window()->BoundsRect();
  EXPECT_EQ(r.Right, 0);
  EXPECT_EQ(r.Bottom, at.Y);
  EXPECT_GE(r.Left, -1024);
  // Near the top-left of that monitor, under its panel: moved into the work area.
  input::MouseMove(plain, 5, 5);
  form->SetBounds(-1040, 0, 300, 138);
  input::MouseMove(form.get(), 5, 5);
  Application->Advance(1000);
  Rest(save);
  ASSERT_TRUE(Showing());
  EXPECT_EQ(hints::Window()->Left(), -1024);
  EXPECT_GE(hints::Window()->Top(), 40);
}

TEST_F(HintsTest, TheHintIsFramedOnInfoColourAndTakesNothingFromTheForm) {
  auto* edit = new TEdit(form.get());
  edit->SetParent(form.get());
  edit->SetBounds(10, 60, 100, 24);
  edit->SetFocus();
  Rest(save);
  ASSERT_TRUE(Showing());
  THintWindow* w = hints::Window();
  Application->ProcessMessages();
  TBitmap* s = w->Surface();
  EXPECT_TRUE(test::ColorNear(test::SurfacePixel(s, 0, 0), ColorToRGB(clWindowFrame)));
  EXPECT_TRUE(test::ColorNear(test::SurfacePixel(s, w->Width() - 1, w->Height() - 1), ColorToRGB(clWindowFrame)));
  EXPECT_TRUE(test::ColorNear(test::SurfacePixel(s, w->Width() - 2, w->Height() - 2), ColorToRGB(clInfoBk)));
  Integer text = 0;  // pixels nearer the text colour than the background inside the frame
  for (Integer y = 1; y < w->Height() - 1; ++y)
    for (Integer x = 1; x < w->Width() - 1; ++x) text += !test::SameColor(test::SurfacePixel(s, x, y), ColorToRGB(clInfoBk), 96);
  EXPECT_GT(text, 10) << test::ColorText(test::SurfacePixel(s, 6, 8));
  EXPECT_GT(w->Width(), w->Canvas()->TextWidth(u"Save"));
  // The focus stayed; no popup took the keys; a press on the hint reaches nothing.
  EXPECT_TRUE(edit->Focused());
  EXPECT_FALSE(w->CanFocus());
  EXPECT_TRUE(popups::Open().empty());
  int clicks = 0;
  save->SetOnClick([&](TObject*) { ++clicks; });
  input::Click(w, 5, 5);
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(edit->Focused());
  input::TypeText(edit, u"ab");
  EXPECT_EQ(edit->Text(), u"ab");
}

}  // namespace
