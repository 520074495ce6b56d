// TReportListView: structure and layout, selection in every mode, check and radio clicks, header
// sorting, keys, in-place editing, filtering and the row orders the view makes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "package/framework/forms.h"
#include "package/framework/input.h"
#include "replist/replist.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

class ReportListTest : public test::FrameworkTest {
 protected:
  void SetUp() override {
    test::FrameworkTest::SetUp();
    form.SetBounds(0, 0, 500, 400);
    v = new TReportListView(&form);
    v->SetParent(&form);
    v->SetBounds(0, 0, 400, 300);
    v->SetOnSelectedChange([this](TObject*) { ++selChanges; });
  }
  // Fills rows 1..n of column c with the texts given.
  void Column(Integer c, std::vector<String> texts) {
    if (v->NrOfRows() < Integer(texts.size())) v->SetNrRows(Integer(texts.size()));
    for (size_t i = 0; i < texts.size(); ++i) v->SetElem(c, Integer(i) + 1, texts[i]);
  }
  TPoint CellPoint(Integer c, Integer r, Integer dx = -1) {
    const TRect rc = v->CellRect(c - 1, v->GridRowOf(r));
    return {dx >= 0 ? rc.Left + dx : (rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2};
  }
  void ClickData(Integer c, Integer r, TShiftState s = {}, Integer dx = -1) {
    const TPoint p = CellPoint(c, r, dx);
    input::Click(v, p.X, p.Y, mbLeft, s);
    Application->AdvanceClock(1000);  // no double clicks
    Application->ProcessMessages();
  }
  void ClickHeader(Integer c) {
    const TRect rc = v->CellRect(c - 1, v->CommonHeaderVisible() ? 1 : 0);
    input::Click(v, (rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2);
    Application->AdvanceClock(1000);
  }

  TForm form{nullptr};
  TReportListView* v = nullptr;
  int selChanges = 0;
};

}  // namespace

TEST_F(ReportListTest, EditInPlaceCommitAndCancel) {
  Column(2, {u"alpha", u"beta", u"gamma"});
  v->SetColumnEditable(2, true);
  ClickData(2, 2);
  ClickData(2, 2);
  ASSERT_TRUE(v->EditorMode());
  EXPECT_EQ(v->InplaceEditor()->Text(), u"beta");
}
