// Message handling that chains, painting only the rectangles invalidated, and drag and drop.
#include <gtest/gtest.h>

#include <string>

#include "package/framework/framework.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

class DispatchTest : public jox::test::FrameworkTest {};

// A base that handles CM_MOUSELEAVE in its class handling and by a registered handler.
class TBase : public TCustomControl {
 public:
  explicit TBase(TComponent* AOwner) : TCustomControl(AOwner) {
    SetMessageHandler(CM_BUTTONPRESSED, [this](TMessage& m) {
      log += "base-handler ";
      m.Result = 7;
    });
  }
  std::string log;
  void DefaultHandler(TMessage& m) override {
    if (m.Msg == CM_MOUSELEAVE || m.Msg == CM_BUTTONPRESSED) log += "base-class ";
    TCustomControl::DefaultHandler(m);
  }
};

class TDerived : public TBase {
 public:
  explicit TDerived(TComponent* AOwner) : TBase(AOwner) {
    SetMessageHandler(CM_BUTTONPRESSED, [this](TMessage& m) { log += "derived-handler(" + std::to_string(m.Result) + ") "; });
  }
  void DefaultHandler(TMessage& m) override {
    TBase::DefaultHandler(m);
    if (m.Msg == CM_MOUSELEAVE) log += "derived-class ";
  }
};

TEST_F(DispatchTest, SubclassHandlersRunAfterTheBaseAndNeverReplaceIt) {
  TDerived d(nullptr);
  d.Perform(CM_MOUSELEAVE);
  EXPECT_EQ(d.log, "base-class derived-class ");
  d.log.clear();
  d.Perform(CM_BUTTONPRESSED);
  EXPECT_EQ(d.log, "base-class base-handler derived-handler(7) ");
}

// Paints itself in one colour and counts the pixels it was allowed to touch.
class TCounter : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  int paints = 0;
  void Paint() override {
    ++paints;
    Canvas()->Brush()->SetColor(clRed);
    Canvas()->FillRect(Rect(0, 0, Width(), Height()));
  }
};

TEST_F(DispatchTest, InvalidateRectRepaintsOnlyItsRectangles) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 200, 100);
  auto* c = new TCounter(&form);
  c->SetParent(&form);
  c->SetBounds(10, 10, 100, 50);
  c->SetControlStyle(c->ControlStyle() | csOpaque);
  Application->ProcessMessages();
  TBitmap* s = form.Surface();
  s->Canvas()->Brush()->SetColor(clBlue);
  s->Canvas()->FillRect(Rect(0, 0, 200, 100));
  c->InvalidateRect(Rect(5, 5, 15, 10));
  c->InvalidateRect(Rect(50, 20, 60, 40));
  c->InvalidateRect(Rect(90, 40, 500, 500));  // cut to the control
  c->paints = 0;
  Application->ProcessMessages();
  int red = 0;
  for (Integer y = 0; y < 100; ++y)
    for (Integer x = 0; x < 200; ++x) red += jox::test::SurfacePixel(s, x, y) == clRed;
  EXPECT_EQ(red, 10 * 5 + 10 * 20 + 10 * 10);
  EXPECT_EQ(c->paints, 3);  // once per rectangle, nothing else
  // Touching rectangles merge into one paint.
  c->paints = 0;
  c->InvalidateRect(Rect(0, 0, 10, 10));
  c->InvalidateRect(Rect(10, 0, 20, 10));
  Application->ProcessMessages();
  EXPECT_EQ(c->paints, 1);
}

class TBlue : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  void Paint() override {
    Canvas()->Brush()->SetColor(clBlue);
    Canvas()->FillRect(Rect(0, 0, Width(), Height()));
  }
};

TEST_F(DispatchTest, DirectPaintingLeavesSiblingsAboveOnTop) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 200, 100);
  auto* below = new TCounter(&form);
  below->SetParent(&form);
  below->SetBounds(0, 0, 100, 100);
  auto* above = new TBlue(&form);
  above->SetParent(&form);
  above->SetBounds(50, 50, 100, 40);
  Application->ProcessMessages();
  TBitmap* s = form.Surface();
  EXPECT_EQ(jox::test::SurfacePixel(s, 60, 60), clBlue);
  below->Paint();  // a setter drawing at once
  EXPECT_EQ(jox::test::SurfacePixel(s, 60, 60), clRed);
  Application->ProcessMessages();
  EXPECT_EQ(jox::test::SurfacePixel(s, 60, 60), clBlue);
  EXPECT_EQ(jox::test::SurfacePixel(s, 20, 20), clRed);
}

TEST_F(DispatchTest, AutomaticDragStartsPastTheThresholdAndDropsOnAnAcceptingControl) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 100);
  auto* source = new TCounter(&form);
  source->SetParent(&form);
  source->SetBounds(0, 0, 100, 100);
  source->SetDragMode(dmAutomatic);
  auto* target = new TCounter(&form);
  target->SetParent(&form);
  target->SetBounds(150, 0, 100, 100);
  std::string log;
  source->SetOnStartDrag([&](TObject*, TDragObject*&) { log += "start "; });
  source->SetOnEndDrag([&](TObject*, TObject* t, Integer x, Integer y) {
    log += t == target ? "end-on-target(" + std::to_string(x) + ") " : "end-nowhere ";
  });
  source->SetOnClick([&](TObject*) { log += "click "; });
  target->SetOnDragOver([&](TObject*, TObject* src, Integer, Integer, TDragState, bool& accept) { accept = src == source; });
  target->SetOnDragDrop([&](TObject*, TObject* src, Integer x, Integer) {
    log += src == source ? "drop(" + std::to_string(x) + ") " : "drop-other ";
  });
  jox::input::Drag(&form, 50, 50, 52, 51);  // below the threshold: a click
  EXPECT_EQ(log, "click ");
  log.clear();
  jox::input::Drag(&form, 50, 50, 170, 50);
  EXPECT_EQ(log, "start drop(20) end-on-target(20) ");
  log.clear();
  jox::input::Drag(&form, 50, 50, 120, 50);  // released over the form: nobody accepts
  EXPECT_EQ(log, "start end-nowhere ");
}

}  // namespace
