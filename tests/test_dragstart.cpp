// Starting a drag on the components that publish OnStartDrag: the automatic drag mode, BeginDrag, and the
// events of one drag in order, over a target that accepts it.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "meter/meter.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/input.h"
#include "replist/replist.h"
#include "rotlab/rotlab.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

class DragStartTest : public test::FrameworkTest {};

// Runs one control through the drag cases; log collects "start", "over", "drop", "end:<target>".
template <class T>
void CheckDragStart(const char* what) {
  SCOPED_TRACE(what);
  TForm form(nullptr);
  form.SetBounds(0, 0, 600, 400);
  T* c = new T(&form);
  c->SetParent(&form);
  c->SetBounds(10, 10, 200, 150);
  // The target: the form itself accepts anything.
  std::string log;
  form.SetOnDragOver([&](TObject*, TObject* Source, Integer, Integer, TDragState, bool& Accept) {
    Accept = Source == c;
  });
  form.SetOnDragDrop([&](TObject*, TObject*, Integer, Integer) { log += "drop "; });
  c->SetOnStartDrag([&](TObject* Sender, TDragObject*&) { log += Sender == c ? "start " : "start? "; });
  c->SetOnEndDrag([&](TObject*, TObject* Target, Integer, Integer) {
    log += Target == &form ? "end:form " : "end:none ";
  });
  // Published in the class table, so forms store them.
  const TClassInfo& info = c->GetClassInfo();
  EXPECT_NE(info.FindProp(u"OnStartDrag"), nullptr);
  EXPECT_NE(info.FindProp(u"DragMode"), nullptr);

  // Manual mode: a press and a move is no drag.
  jox::input::Drag(c, 20, 20, 20 + 60, 20 + 40);
  EXPECT_EQ(log, "");
  // Automatic: the drag starts after the threshold and drops on the form.
  c->SetDragMode(dmAutomatic);
  jox::input::MouseDown(c, 20, 20);
  jox::input::MouseMove(c, 22, 21);
  EXPECT_EQ(log, "");  // below the threshold
  jox::input::MouseMove(c, 40, 30);
  EXPECT_EQ(log, "start ");
  EXPECT_TRUE(c->Dragging());
  jox::input::MouseMove(&form, 400, 300);
  jox::input::MouseUp(&form, 400, 300);
  EXPECT_EQ(log, "start drop end:form ");
  EXPECT_FALSE(c->Dragging());
  // BeginDrag from code starts at once; EndDrag(false) cancels without a drop.
  log.clear();
  c->SetDragMode(dmManual);
  c->BeginDrag(true);
  EXPECT_EQ(log, "start ");
  c->EndDrag(false);
  EXPECT_EQ(log, "start end:none ");
  EXPECT_FALSE(c->MouseCapture());
}

TEST_F(DragStartTest, MeterReportListAndRotatedLabelStartDrags) {
  CheckDragStart<TMeter>("meter");
  CheckDragStart<TReportListView>("report list view");
  CheckDragStart<TRotLab>("rotated label");
}

}  // namespace
