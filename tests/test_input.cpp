#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "package/framework/framework.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

// Writes every mouse and key event it sees into a shared log.
template <class Base>
class TLogged : public Base {
 public:
  TLogged(TComponent* owner, std::vector<std::string>* log, std::string name)
      : Base(owner), FLog(log), FName(std::move(name)) {
    this->SetOnClick([this](TObject*) { Add("click"); });
    this->SetOnDblClick([this](TObject*) { Add("dblclick"); });
    this->SetOnMouseDown([this](TObject*, TMouseButton b, TShiftState s, Integer x, Integer y) {
      Add(std::string("down") + (b == mbRight ? "R" : "") + (s & ssDouble ? "+double" : "") + " " +
          std::to_string(x) + "," + std::to_string(y));
    });
    this->SetOnMouseUp([this](TObject*, TMouseButton, TShiftState, Integer x, Integer y) {
      Add("up " + std::to_string(x) + "," + std::to_string(y));
    });
    this->SetOnMouseMove([this](TObject*, TShiftState, Integer x, Integer y) {
      Add("move " + std::to_string(x) + "," + std::to_string(y));
    });
    this->SetOnMouseEnter([this](TObject*) { Add("enter"); });
    this->SetOnMouseLeave([this](TObject*) { Add("leave"); });
  }
  void Add(const std::string& s) { FLog->push_back(FName + ":" + s); }
  std::vector<std::string>* FLog;
  std::string FName;
};

using TLogGraphic = TLogged<TGraphicControl>;

class TLogWin : public TLogged<TCustomControl> {
 public:
  using TLogged<TCustomControl>::TLogged;
  intptr_t dlgCode = 0;
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_GETDLGCODE) {
      m.Result = dlgCode;
      return;
    }
    TLogged<TCustomControl>::WndProc(m);
  }

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override {
    Add("keydown " + std::to_string(Key));
    TLogged<TCustomControl>::KeyDown(Key, Shift);
  }
  void KeyPress(char16_t& Key) override {
    Add("char " + ToUtf8(String(1, Key)));
    TLogged<TCustomControl>::KeyPress(Key);
  }
  void DoEnter() override { Add("doenter"); }
  void DoExit() override { Add("doexit"); }
};

class InputTest : public jox::test::FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 200, 100);
  }
  template <class T>
  T* Add(const std::string& name, TWinControl* parent, TRect r) {
    auto* c = new T(form.get(), &log, name);
    c->SetParent(parent);
    c->SetBoundsRect(r);
    return c;
  }
  std::vector<std::string> log;
  std::unique_ptr<TForm> form;
};

using Log = std::vector<std::string>;

}  // namespace

TEST_F(InputTest, HitTestingFindsTheDeepestVisibleEnabledControl) {
  auto* panel = Add<TLogWin>("panel", form.get(), Rect(10, 10, 110, 90));
  auto* inner = Add<TLogGraphic>("inner", panel, Rect(10, 10, 50, 50));
  auto* hidden = Add<TLogGraphic>("hidden", panel, Rect(60, 10, 90, 40));
  auto* off = Add<TLogGraphic>("off", panel, Rect(60, 45, 90, 70));
  hidden->Hide();
  off->SetEnabled(false);
  struct Row {
    TPoint p;
    TControl* expected;
  };
  const Row rows[] = {{{25, 25}, inner}, {{75, 20}, panel}, {{75, 60}, panel}, {{5, 5}, form.get()},
                      {{300, 5}, nullptr}};
  for (const Row& r : rows) EXPECT_EQ(input::HitTest(form.get(), r.p), r.expected) << r.p.X << "," << r.p.Y;
  // Coordinates are the given control's client coordinates.
  EXPECT_EQ(input::HitTest(panel, {15, 15}), inner);
}

TEST_F(InputTest, ClickOrderAndDoubleClick) {
  auto* a = Add<TLogGraphic>("a", form.get(), Rect(10, 10, 60, 60));
  input::Click(a, 5, 6);
  EXPECT_EQ(log, (Log{"a:enter", "a:move 5,6", "a:down 5,6", "a:click", "a:up 5,6"}));
  log.clear();
  input::Click(a, 6, 6);  // within time and distance: a double click
  EXPECT_EQ(log, (Log{"a:move 6,6", "a:dblclick", "a:down+double 6,6", "a:up 6,6"}));
  log.clear();
  input::Click(a, 6, 6);  // a third press starts over
  EXPECT_EQ(log[1], "a:down 6,6");
  Application->Advance(600);
  log.clear();
  input::Click(a, 6, 6);  // too late for a double click
  EXPECT_EQ(log[1], "a:down 6,6");
  log.clear();
  input::Click(a, 12, 6);  // too far
  EXPECT_EQ(log[1], "a:down 12,6");
}

TEST_F(InputTest, PressCapturesUntilReleaseAndClickNeedsReleaseInside) {
  auto* a = Add<TLogGraphic>("a", form.get(), Rect(10, 10, 60, 60));
  auto* b = Add<TLogGraphic>("b", form.get(), Rect(100, 10, 150, 60));
  input::MouseDown(a, 5, 5);
  log.clear();
  input::MouseMove(form.get(), 120, 20);
  input::MouseUp(form.get(), 120, 20);
  // a keeps the mouse (coordinates relative to a), is told the pointer left, gets no click.
  EXPECT_EQ(log, (Log{"a:leave", "b:enter", "a:move 110,10", "a:up 110,10"}));
  EXPECT_EQ(input::CaptureControl(), nullptr);
  log.clear();
  input::MouseMove(form.get(), 121, 20);
  EXPECT_EQ(log, (Log{"b:move 21,10"}));
  (void)b;
}

TEST_F(InputTest, MouseLeaveWhenThePointerLeavesOrTheWindow) {
  auto* a = Add<TLogGraphic>("a", form.get(), Rect(10, 10, 60, 60));
  input::MouseMove(a, 1, 1);
  input::MouseMove(a, 2, 2);
  input::MouseMove(form.get(), 100, 80);
  input::MouseMove(a, 3, 3);
  input::MouseExit(form.get());
  EXPECT_EQ(log, (Log{"a:enter", "a:move 1,1", "a:move 2,2", "a:leave", "a:enter", "a:move 3,3", "a:leave"}));
}

TEST_F(InputTest, PressFocusesWindowedControlsAndFormSeesKeysFirst) {
  auto* e1 = Add<TLogWin>("e1", form.get(), Rect(0, 0, 50, 20));
  auto* e2 = Add<TLogWin>("e2", form.get(), Rect(0, 30, 50, 50));
  auto* g = Add<TLogGraphic>("g", form.get(), Rect(100, 0, 150, 20));
  input::Click(e1, 5, 5);
  EXPECT_TRUE(e1->Focused());
  input::Click(g, 5, 5);
  EXPECT_TRUE(e1->Focused());  // a graphic control takes no focus
  log.clear();
  input::Click(e2, 5, 5);
  ASSERT_GE(log.size(), 5u);
  EXPECT_EQ(Log(log.begin(), log.begin() + 5), (Log{"g:leave", "e2:enter", "e2:move 5,5", "e1:doexit", "e2:doenter"}));

  log.clear();
  input::KeyPress(form.get(), 'A');
  EXPECT_EQ(log, (Log{"e2:keydown 65", "e2:char a"}));

  // Key preview: the form sees the key first and may swallow it.
  form->SetKeyPreview(true);
  std::vector<Word> formKeys;
  form->SetOnKeyDown([&](TObject*, Word& k, TShiftState) {
    formKeys.push_back(k);
    if (k == VK_F2) k = 0;
  });
  form->SetOnKeyPress([&](TObject*, char16_t& c) {
    if (c == u'x') c = u'y';  // the control gets the changed character
  });
  log.clear();
  input::KeyPress(e2, VK_F2);
  input::KeyPress(e2, 'X');
  EXPECT_EQ(formKeys, (std::vector<Word>{VK_F2, 'X'}));
  EXPECT_EQ(log, (Log{"e2:keydown 88", "e2:char y"}));
}

TEST_F(InputTest, TabMovesFocusInTabOrderUnlessTheControlWantsIt) {
  auto* a = Add<TLogWin>("a", form.get(), Rect(0, 0, 10, 10));
  auto* b = Add<TLogWin>("b", form.get(), Rect(0, 20, 10, 30));
  auto* c = Add<TLogWin>("c", form.get(), Rect(0, 40, 10, 50));
  auto* d = Add<TLogWin>("d", form.get(), Rect(0, 60, 10, 70));
  for (auto* w : {a, b, c, d}) w->SetTabStop(true);
  c->SetTabOrder(0);  // order now c, a, b, d
  b->SetEnabled(false);
  a->SetFocus();
  input::KeyPress(form.get(), VK_TAB);
  EXPECT_TRUE(d->Focused());
  input::KeyPress(form.get(), VK_TAB);
  EXPECT_TRUE(c->Focused());  // wraps around
  input::KeyPress(form.get(), VK_TAB, ssShift);
  EXPECT_TRUE(d->Focused());
  // WM_NEXTDLGCTL from a control moves on as well.
  d->Perform(WM_NEXTDLGCTL, 0, 0);
  EXPECT_TRUE(c->Focused());
  c->dlgCode = DLGC_WANTTAB;
  log.clear();
  input::KeyPress(form.get(), VK_TAB);
  EXPECT_TRUE(c->Focused());
  EXPECT_EQ(log, (Log{"c:keydown 9", "c:char \t"}));
}

TEST_F(InputTest, TypedTextAndKeyCharacters) {
  auto* e = Add<TLogWin>("e", form.get(), Rect(0, 0, 10, 10));
  input::TypeText(e, u"1a.-");
  EXPECT_EQ(log, (Log{"e:doenter", "e:keydown 49", "e:char 1", "e:keydown 65", "e:char a", "e:keydown 190", "e:char .",
                      "e:keydown 189", "e:char -"}));
  struct Row {
    Word key;
    TShiftState shift;
    char16_t ch;
  };
  const Row rows[] = {{'A', {}, u'a'},          {'A', ssShift, u'A'},       {'1', ssShift, u'!'},
                      {VK_NUMPAD0 + 7, {}, u'7'}, {VK_DECIMAL, {}, u'.'},   {VK_OEM_COMMA, {}, u','},
                      {VK_BACK, {}, 8},           {VK_RETURN, {}, 13},       {'C', ssCtrl, 3},
                      {VK_LEFT, {}, 0},           {VK_DELETE, {}, 0},        {'A', ssAlt, 0}};
  for (const Row& r : rows) EXPECT_EQ(int(input::KeyToChar(r.key, r.shift)), int(r.ch)) << r.key;
}

TEST_F(InputTest, WheelGoesUpToTheFirstHandlerAndPartialTurnsAddUp) {
  auto* panel = Add<TLogWin>("panel", form.get(), Rect(0, 0, 100, 100));
  auto* g = Add<TLogGraphic>("g", panel, Rect(10, 10, 50, 50));
  int downs = 0, ups = 0;
  TPoint where;
  panel->SetOnMouseWheelDown([&](TObject*, TShiftState, TPoint p, bool& h) { ++downs; where = p; h = true; });
  panel->SetOnMouseWheelUp([&](TObject*, TShiftState, TPoint, bool& h) { ++ups; h = true; });
  form->SetLeft(300);
  input::MouseWheel(g, 5, 5, -WHEEL_DELTA);
  EXPECT_EQ(downs, 1);
  EXPECT_EQ(where, Point(315, 15));  // screen coordinates
  input::MouseWheel(g, 5, 5, 60);
  EXPECT_EQ(ups, 0);
  input::MouseWheel(g, 5, 5, 60);
  EXPECT_EQ(ups, 1);
  // OnMouseWheel comes first, with the raw delta; handled there, no notch event follows.
  int wheels = 0;
  Integer delta = 0;
  panel->SetOnMouseWheel([&](TObject*, TShiftState, Integer d, TPoint, bool& h) {
    ++wheels;
    delta = d;
    h = true;
  });
  input::MouseWheel(g, 5, 5, -WHEEL_DELTA);
  EXPECT_EQ(wheels, 1);
  EXPECT_EQ(delta, -WHEEL_DELTA);
  EXPECT_EQ(downs, 1);
}

TEST_F(InputTest, DestroyedControlsAreForgotten) {
  auto* a = Add<TLogGraphic>("a", form.get(), Rect(0, 0, 50, 50));
  a->SetOnMouseDown([a](TObject*, TMouseButton, TShiftState, Integer, Integer) { delete a; });
  input::MouseMove(a, 5, 5);
  input::MouseDown(form.get(), 5, 5);
  EXPECT_EQ(input::CaptureControl(), nullptr);
  EXPECT_EQ(input::MouseControl(), nullptr);
  input::MouseUp(form.get(), 5, 5);
  input::MouseMove(form.get(), 6, 6);
  EXPECT_EQ(input::MouseControl(), form.get());
}
