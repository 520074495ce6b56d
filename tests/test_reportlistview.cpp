// TReportListView: structure and layout, selection in every mode, check and radio clicks, header
// sorting, keys, in-place editing, filtering and the row orders the view makes.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "package/framework/controls/clipbrd.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/input.h"
#include "ntabed/ntabed.h"
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

TEST_F(ReportListTest, NewViewAndHeaderRows) {
  EXPECT_EQ(v->NrOfColumns(), 5);
  EXPECT_EQ(v->NrOfRows(), 4);
  EXPECT_EQ(v->Header(1), u"C-1");
  EXPECT_EQ(v->Header(5), u"C-5");
  EXPECT_EQ(v->FixedRows(), 1);
  EXPECT_EQ(v->RowCount(), 5);
  EXPECT_EQ(v->CommonHeader(), u"JOX Report Listview");
  EXPECT_EQ(v->RowSelectMode(), 1);
  EXPECT_EQ(v->TopRow(), 1);
  EXPECT_EQ(v->LeftCol(), 1);
  EXPECT_FALSE(v->DefaultDrawing());
  EXPECT_EQ(v->Options(), goFixedVertLine | goFixedHorzLine | goColSizing | goRowSelect | goThumbTracking);
  // The class table names the same defaults the constructor gives.
  for (const char* p : {"ColorBkgdShaded", "ColorSelectedRow", "CommonHeaderHeight", "InterRowIndicatorWidth"}) {
    const TPropInfo* info = TReportListView::ClassInfo().FindProp(FromUtf8(p));
    ASSERT_TRUE(info && info->Default) << p;
    EXPECT_TRUE(info->IsDefault(*v)) << p;
  }

  v->SetNrRows(1);
  v->SetColumnHeadersHeight(30);
  v->SetCommonHeaderVisible(true);
  EXPECT_EQ(v->FixedRows(), 2);
  EXPECT_EQ(v->RowCount(), 3);
  EXPECT_EQ(v->RowHeights(0), 20);
  // Fewer than two data rows: the column header row keeps its previous height.
  EXPECT_EQ(v->RowHeights(1), 24);
  v->SetNrRows(5);
  EXPECT_EQ(v->RowCount(), 7);
  EXPECT_EQ(v->RowHeights(1), 30);
  v->SetCommonHeaderHeight(200);
  EXPECT_EQ(v->CommonHeaderHeight(), 127);
  v->SetCommonHeaderHeight(3);
  EXPECT_EQ(v->CommonHeaderHeight(), 8);
  v->SetColumnHeadersVisible(false);
  v->SetCommonHeaderVisible(false);
  EXPECT_EQ(v->FixedRows(), 0);
  EXPECT_EQ(v->RowCount(), 5);
  EXPECT_EQ(v->GridRowOf(1), 0);
}

TEST_F(ReportListTest, ColumnsOrderWidthsAndArrays) {
  v->SetColumnAlignment(2, taRightJustify);
  v->SetColumnIsPwd(2, true);
  EXPECT_EQ(v->InsertColumn(2), 2);
  EXPECT_EQ(v->NrOfColumns(), 6);
  EXPECT_EQ(v->ColumnAlignment(2), taLeftJustify);
  EXPECT_EQ(v->ColumnAlignment(3), taRightJustify);
  EXPECT_TRUE(v->ColumnIsPwd(3));
  EXPECT_EQ(v->ColCount(), 6);
  v->RemoveColumn(2);
  EXPECT_EQ(v->ColumnAlignment(2), taRightJustify);
  EXPECT_EQ(v->ColCount(), 5);
  EXPECT_EQ(v->ColumnAlignment(9), taLeftJustify);  // outside: neutral

  EXPECT_FALSE(v->SetColumnOrder({2, 1, 3, 4}));
  EXPECT_EQ(v->ColumnOrder(1), 1);
  EXPECT_FALSE(v->SetColumnOrder({2, 1, 0, 4, 5}));
  EXPECT_EQ(v->ColumnOrder(1), 2);
  EXPECT_EQ(v->ColumnOrder(3), 3);  // the 0 kept the place as it was
  // Widths go through the order: model column 1 is shown in grid column 1.
  v->SetColWidths(1, 90);
  EXPECT_EQ(v->TCustomGrid::ColWidths(1), 90);
  EXPECT_EQ(v->ColWidths(0), 0);
  EXPECT_EQ(v->ColWidths(99), 0);  // past the last column: nothing is read out of bounds
  // Removing a column the order points at leaves an order of existing columns.
  EXPECT_TRUE(v->SetColumnOrder({5, 4, 3, 2, 1}));
  v->RemoveColumn(1);
  for (Integer c = 1; c <= 4; ++c) EXPECT_LE(v->ColumnOrder(c), 4) << c;
  v->Repaint();
  v->SetNrCols(5);

  // Growing gives the new columns the width of the old last one and neutral settings.
  v->SetColWidths(5, 33);
  v->SetNrCols(7);
  EXPECT_EQ(v->ColWidths(7), 33);
  EXPECT_FALSE(v->ColumnEditable(7));
  EXPECT_EQ(v->ColumnOrder(1), 1);  // the order is the identity again
  v->ExpandColWidth(1, 5000);
  EXPECT_EQ(v->ColWidths(1), 16);
}

TEST_F(ReportListTest, AutoFitMeasuresMarksAndTheSortArrow) {
  Column(1, {u"a", u"wide text here", u""});
  Column(2, {u"abc", u"abc", u"abc"});
  v->SetColCheckMode(2, cmBox);
  TCanvas* c = v->Canvas();
  c->Font()->Assign(v->Font());
  EXPECT_EQ(v->DetermineMaxColWidth(1, false), c->TextWidth(u"wide text here") + 10);
  // A check column counts its stored mark and the box.
  EXPECT_EQ(v->DetermineMaxColWidth(2, false), c->TextWidth(u" abc") + 16 + 10);
  v->SetColName(2, u"A very long header");
  v->Sort(2, -1, true);
  EXPECT_EQ(v->DetermineMaxColWidth(2, true), c->TextWidth(u"A very long header") + 13 + 10);
  EXPECT_EQ(v->DetermineMaxColWidth(9, true), 10);
  v->AutoColWidth(1, false, 5, 40);
  EXPECT_EQ(v->ColWidths(1), 40);
  // The render event sees the header as row 0 and may change what is measured.
  std::vector<Integer> rows;
  v->SetOnBeforeRenderCell([&](TObject*, Integer, Integer r, TColor&, TColor&, TColor&, TFontStyles&, String& t) {
    rows.push_back(r);
    t = String(u"x");
  });
  EXPECT_EQ(v->DetermineMaxColWidth(1, true), c->TextWidth(u"x") + 10);
  EXPECT_EQ(rows, (std::vector<Integer>{1, 2, 3, 4, 0}));
}

TEST_F(ReportListTest, RowSelectionModes) {
  v->SetNrRows(8);
  ClickData(1, 3);
  ClickData(1, 5);
  EXPECT_EQ(v->GetSelectedRows(), (TIntArray{5}));
  EXPECT_EQ(selChanges, 2);

  v->SetRowSelectMode(2);
  ClickData(1, 2, ssCtrl);
  ClickData(1, 4, ssCtrl);
  ClickData(1, 7, ssShift);
  EXPECT_EQ(v->GetSelectedRows(), (TIntArray{2, 4, 5, 6, 7}));
  ClickData(1, 1);  // a plain click selects just its row
  EXPECT_EQ(v->GetSelectedRows(), (TIntArray{1}));
  v->SetUseCtrlForMultiSel(false);
  ClickData(1, 3);
  ClickData(1, 3);
  ClickData(1, 6);
  EXPECT_EQ(v->GetSelectedRows(), (TIntArray{1, 6}));

  // Down in mode 0 still selects the new current row.
  v->SetRowSelectMode(0);
  EXPECT_EQ(v->NumSelectedRows(), 0);
  v->SetFocus();
  v->SetRow(v->GridRowOf(2));
  input::KeyPress(v, VK_DOWN);
  EXPECT_EQ(v->GetSelectedRows(), (TIntArray{3}));

  v->SetRowEnabled(3, false);
  EXPECT_EQ(v->FirstSelectedRow(), 0);  // the lowest selected row is disabled
  EXPECT_EQ(v->NumEnabledRows(), 7);
  v->SetSelectedRows({6, 2});
  EXPECT_EQ(v->GetSelectedRows(), (TIntArray{2, 6}));
  EXPECT_EQ(v->DataRowOf(v->Row()), 2);
  const int before = selChanges;
  v->SelectRow(4);  // that row alone
  EXPECT_EQ(v->GetSelectedRows(), (TIntArray{4}));
  EXPECT_EQ(selChanges, before + 1);
  v->SelectColumn(3);
  EXPECT_EQ(v->FirstSelectedColumn(), 3);
  EXPECT_EQ(v->NumSelectedColumns(), 1);
  EXPECT_FALSE(v->RowSelected(0));
  v->SetRowSelected(99, true);  // ignored
}

TEST_F(ReportListTest, CheckAndRadioClicks) {
  v->SetColCheckMode(1, cmBox);
  Column(1, {u"a", u"b", u"c", u"d"});
  std::vector<std::string> log;
  v->SetOnBeforeCheckedChange([&](TObject*, bool& s, Integer c, Integer r) {
    log.push_back("before " + std::to_string(s) + " " + std::to_string(c) + "," + std::to_string(r));
  });
  v->SetOnCheckedChange([&](TObject*, bool& s, Integer, Integer) {
    log.push_back("after " + std::to_string(s));
    s = !s;  // has no effect
  });
  ClickData(1, 2, {}, 8);
  EXPECT_EQ(v->Data()->Strings->GetString(1, 2), u"Xb");
  EXPECT_EQ(log, (std::vector<std::string>{"before 1 1,2", "after 0"}));
  v->SetOnBeforeCheckedChange([](TObject*, bool& s, Integer, Integer) { s = false; });
  log.clear();
  ClickData(1, 3, {}, 8);
  EXPECT_EQ(v->Data()->Strings->GetString(1, 3), u" c");
  EXPECT_EQ(log, (std::vector<std::string>{"after 1"}));
  v->SetOnBeforeCheckedChange(nullptr);

  ClickData(1, 4, {}, 18);  // 18 pixels in: no toggle
  EXPECT_FALSE(v->ElemChecked(1, 4));
  v->SetRowEnabled(4, false);
  ClickData(1, 4, {}, 8);
  EXPECT_FALSE(v->ElemChecked(1, 4));
  v->SetRowEnabled(4, true);
  v->SetCheckMarksReadOnly(true);
  ClickData(1, 4, {}, 8);
  EXPECT_FALSE(v->ElemChecked(1, 4));
  v->SetCheckMarksReadOnly(false);

  v->SetColCheckMode(2, cmRadio);
  v->SetElemChecked(2, 1, true);
  ClickData(2, 3, {}, 8);
  ClickData(2, 3, {}, 8);  // already checked: stays checked
  EXPECT_EQ(v->FirstCheckedElemInCol(2), 3);
  EXPECT_EQ(v->Data()->CountCheckedElemsInCol(2), 1);
  // The view counts enabled rows only.
  v->SetRowEnabled(3, false);
  EXPECT_EQ(v->CountCheckedElemsInCol(2), 0);
  // Column-wide marks spare disabled rows when asked.
  v->SetAllCheckmarksOfCol(1, true, true);
  v->SetRowEnabled(4, false);
  v->InvertAllCheckmarksOfCol(1, true);
  EXPECT_EQ(v->Data()->Strings->GetString(1, 1), u" a");
  EXPECT_TRUE(v->ElemChecked(1, 4));
}

TEST_F(ReportListTest, HeaderClicksSortAndKeepTheRecord) {
  Column(1, {u"pear", u"apple", u"fig", u"kiwi"});
  ClickData(1, 3);  // fig
  ClickHeader(1);
  EXPECT_EQ(v->Elem(1, 1), u"pear");  // descending first
  EXPECT_FALSE(v->LastSortOrder());
  EXPECT_EQ(v->Elem(1, v->DataRowOf(v->Selection().Top)), u"fig");
  ClickHeader(1);
  EXPECT_EQ(v->Elem(1, 1), u"apple");
  EXPECT_TRUE(v->LastSortOrder());
  ClickHeader(2);  // the toggle is shared: another column goes descending
  EXPECT_EQ(v->LastSortColumn(), 2);
  EXPECT_FALSE(v->LastSortOrder());
  v->SetSortEnabled(false);
  ClickHeader(1);
  EXPECT_EQ(v->LastSortColumn(), 2);
  v->UnSort();
  EXPECT_EQ(v->Elem(1, 1), u"pear");
  EXPECT_EQ(v->LastSortColumn(), -1);
  // A click on a header border is left to column sizing.
  v->SetSortEnabled(true);
  const TRect rc = v->CellRect(0, 0);
  input::Click(v, rc.Right - 2, 10);
  EXPECT_EQ(v->LastSortColumn(), -1);
}

TEST_F(ReportListTest, EditingAdvancingAndBlockedRows) {
  Column(2, {u"one", u"two", u"three"});
  v->SetColCheckMode(3, cmBox);
  Column(3, {u"p", u"q", u"r"});
  v->SetElemChecked(3, 1, true);
  v->SetColumnEditable(2, true);
  v->SetColumnEditable(3, true);
  std::vector<std::string> log;
  v->SetOnSetEditText([&](TObject*, Integer c, Integer r, const String& t) {
    log.push_back(std::to_string(c) + "," + std::to_string(r) + " " + ToUtf8(t));
  });
  ClickData(2, 1);
  ClickData(2, 1);
  ASSERT_TRUE(v->EditorMode());
  input::TypeText(v->InplaceEditor(), u"uno");
  input::KeyPress(v->InplaceEditor(), VK_ESCAPE);
  EXPECT_EQ(v->Elem(2, 1), u"one");
  input::KeyPress(v, VK_F2);
  input::TypeText(v->InplaceEditor(), u"uno");
  input::KeyPress(v->InplaceEditor(), VK_RETURN);
  EXPECT_EQ(v->Elem(2, 1), u"uno");
  EXPECT_EQ(log, (std::vector<std::string>{"1,1 uno"}));
  EXPECT_EQ(v->DataRowOf(v->Row()), 1);  // without AutoAdvance Enter stays
  // With AutoAdvance Enter moves on to the next row.
  v->SetAutoAdvance(true);
  input::KeyPress(v, VK_F2);
  input::KeyPress(v->InplaceEditor(), VK_RETURN);
  EXPECT_EQ(v->DataRowOf(v->Row()), 2);
  // In a check column the mark stays in front of the edited text.
  ClickData(3, 1, {}, 30);
  ClickData(3, 1, {}, 30);
  ASSERT_TRUE(v->EditorMode());
  EXPECT_EQ(v->InplaceEditor()->Text(), u"p");
  input::TypeText(v->InplaceEditor(), u"pp");
  input::KeyPress(v->InplaceEditor(), VK_RETURN);
  EXPECT_EQ(v->Data()->Strings->GetString(3, 1), u"Xpp");
  // Disabled rows are not edited.
  v->SetRowEnabled(3, false);
  ClickData(2, 3);
  ClickData(2, 3);
  EXPECT_FALSE(v->EditorMode());
}

TEST_F(ReportListTest, MouseCellAndScrollPositions) {
  v->SetNrRows(200);
  v->SetCommonHeaderVisible(true);
  EXPECT_EQ(v->MouseCell(5, 5).Y, -2);
  EXPECT_EQ(v->MouseCell(5, 25).Y, -1);
  const TPoint p = CellPoint(2, 3);
  EXPECT_EQ(v->MouseCell(p.X, p.Y), (TGridCoord{2, 3}));
  EXPECT_EQ(v->MouseCell(399, 299), (TGridCoord{0, 0}));
  v->SetTopRow(50);
  EXPECT_EQ(v->TopRow(), 50);
  EXPECT_EQ(v->TCustomGrid::TopRow(), 51);
  v->SetTopRow(100000);
  EXPECT_LE(v->TopRow(), 200);
  v->CenterScrollAndSelect(100);
  EXPECT_EQ(v->GetSelectedRows(), (TIntArray{100}));
  const Integer n = v->VisibleRowCount();
  EXPECT_EQ(v->TopRow(), 100 - n / 2);
  // The wheel is offered to the events first; unhandled it scrolls.
  bool handled = true;
  v->SetOnMouseWheelDown([&](TObject*, TShiftState, TPoint, bool& h) { h = handled; });
  const Integer top = v->TopRow();
  input::MouseWheel(v, 50, 100, -WHEEL_DELTA);
  EXPECT_EQ(v->TopRow(), top);
  handled = false;
  input::MouseWheel(v, 50, 100, -WHEEL_DELTA);
  EXPECT_EQ(v->TopRow(), top + 3);
}

// A new row count ends a filter: every row shows again.
TEST_F(ReportListTest, NewRowCountEndsTheFilter) {
  v->SetNrCols(1);
  Column(1, {u"Anna", u"Bruno", u"Clara"});
  ASSERT_EQ(v->FilterAndSort(u"anna", {1}, true, fmSimple, -1, true), 1);
  ASSERT_TRUE(v->Filtered());
  v->SetNrRows(5);
  EXPECT_FALSE(v->Filtered());
  EXPECT_EQ(v->NrOfShownRows(), 5);
}

TEST_F(ReportListTest, FilterForms) {
  v->SetNrCols(3);
  Column(1, {u"Anna Berger", u"Bruno Novak", u"Clara Rossi", u"anna Schmid", u"David Keller"});
  Column(2, {u"12.5", u"7", u"300", u"12,5", u"n/a"});
  Column(3, {u"Vienna", u"Graz", u"Linz", u"Graz", u"Vienna"});
  auto shown = [&] {
    std::vector<std::string> out;
    for (Integer i = 1; i <= v->NrOfShownRows(); ++i) out.push_back(ToUtf8(v->Elem(1, v->DataRowOf(v->GridRowOf(1) + i - 1))));
    return out;
  };
  EXPECT_EQ(v->FilterAndSort(u"anna", {1}, true, fmSimple, -1, true), 2);
  EXPECT_EQ(shown(), (std::vector<std::string>{"Anna Berger", "anna Schmid"}));
  EXPECT_EQ(v->RowCount(), 3);
  EXPECT_EQ(v->FilterAndSort(u"anna", {1}, false, fmSimple, -1, true), 1);
  EXPECT_EQ(v->FilterAndSort(u"*er", {}, true, fmSimple, 1, false), 2);  // whole cell shape
  EXPECT_EQ(shown(), (std::vector<std::string>{"David Keller", "Anna Berger"}));
  EXPECT_EQ(v->FilterAndSort(u"gr?z", {3}, true, fmSimple, 1, true), 2);
  EXPECT_EQ(v->FilterAndSort(u"graz OR (vienna AND NOT keller)", {}, true, fmBoolean, 1, true), 3);
  EXPECT_EQ(v->FilterAndSort(u">10 <=12.5", {2}, true, fmBoolean, 1, true), 2);  // 12,5 reads as a number too
  EXPECT_EQ(v->FilterAndSort(u"\"anna b\"", {}, true, fmBoolean, 1, true), 1);
  EXPECT_EQ(v->FilterAndSort(u"^[ab]", {1}, true, fmGrep, 1, true), 3);
  // Malformed expressions raise and change nothing.
  v->FilterAndSort(u"graz", {3}, true, fmSimple, 1, true);
  EXPECT_THROW(v->FilterAndSort(u"(graz", {}, true, fmBoolean, 1, true), EJOXRepListError);
  EXPECT_THROW(v->FilterAndSort(u"graz AND", {}, true, fmBoolean, 1, true), EJOXRepListError);
  EXPECT_THROW(v->FilterAndSort(u">abc", {}, true, fmBoolean, 1, true), EJOXRepListError);
  EXPECT_THROW(v->FilterAndSort(u"[a-", {}, true, fmGrep, 1, true), EJOXRepListError);
  // A repetition count the regular expression library would overflow on is refused, not compiled.
  EXPECT_THROW(v->FilterAndSort(u"a{8888888888888888888883}", {}, true, fmGrep, 1, true), EJOXRepListError);
  EXPECT_THROW(v->FilterAndSort(u"a{2,1001}", {}, true, fmGrep, 1, true), EJOXRepListError);
  EXPECT_EQ(v->NrOfShownRows(), 2);
  // The caller decides per row, alone or combined with the built-in test.
  v->SetOnBeforeFilter([](TObject*, Integer r, bool& found, TLogicOp& op) {
    found = r % 2 == 1;
    op = loAnd;
  });
  EXPECT_EQ(v->FilterAndSort(u"vienna", {3}, true, fmSimple, -1, true), 2);  // rows 1 and 5
  v->SetOnBeforeFilter(nullptr);
  // Hidden rows are neither drawn nor hit; an empty expression shows every row again.
  v->FilterAndSort(u"Linz", {3}, true, fmSimple, -1, true);
  Integer linz = 0;
  for (Integer r = 1; r <= 5; ++r)
    if (v->Elem(3, r) == u"Linz") linz = r;
  EXPECT_EQ(v->DataRowOf(v->FixedRows()), linz);
  EXPECT_EQ(v->GridRowOf(linz == 1 ? 2 : 1), -1);
  EXPECT_EQ(v->MouseCell(CellPoint(1, linz).X, CellPoint(1, linz).Y).Y, linz);
  EXPECT_EQ(v->FilterAndSort(u"", {}, true, fmSimple, -1, true), 5);
  EXPECT_FALSE(v->Filtered());
  EXPECT_EQ(v->RowCount(), 6);
}

// The regular-expression filter folds case in every script and runs in time linear in the text, so a
// pattern that makes a backtracking engine try every split of a cell stays instant.
TEST_F(ReportListTest, GrepFilterFoldsUnicodeCaseAndCannotStall) {
  v->SetNrCols(2);
  Column(1, {u"\u00C4pfel", u"Birnen", u"\u03A3\u039F\u03A6\u0399\u0391", u"\u00E4PFEL"});
  Column(2, {String(24, u'a'), u"x", u"y", u"z"});
  EXPECT_EQ(v->FilterAndSort(u"^\u00E4pfel$", {1}, true, fmGrep, -1, true), 2);
  EXPECT_EQ(v->FilterAndSort(u"\u03C3\u03BF\u03C6", {1}, true, fmGrep, -1, true), 1);
  EXPECT_EQ(v->FilterAndSort(u"^\u00E4pfel$", {1}, false, fmGrep, -1, true), 0);
  const auto t0 = std::chrono::steady_clock::now();
  EXPECT_EQ(v->FilterAndSort(u"^(a|aa)*$b", {2}, false, fmGrep, -1, true), 0);
  EXPECT_EQ(v->FilterAndSort(u"^(a|a)*c", {2}, false, fmGrep, -1, true), 0);
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0).count();
  EXPECT_LT(ms, 500);
}

TEST_F(ReportListTest, SortEnabledStateAndUnSort) {
  Column(1, {u"d", u"c", u"b", u"a"});
  v->SetRowEnabled(2, false);
  v->SetRowEnabled(4, false);
  v->SortEnabledState(1, -1, true);
  EXPECT_EQ(v->Elem(1, 1), u"b");
  EXPECT_EQ(v->Elem(1, 2), u"d");
  EXPECT_EQ(v->Elem(1, 3), u"a");
  EXPECT_EQ(v->Elem(1, 4), u"c");
  EXPECT_FALSE(v->RowEnabled(3));
  v->UnSort();
  EXPECT_EQ(v->Elem(1, 1), u"d");
  EXPECT_EQ(v->Elem(1, 4), u"a");
}

TEST_F(ReportListTest, AssignNumbersAndDimensions) {
  Column(2, {u"1,5", u"1.5 kg"});
  EXPECT_DOUBLE_EQ(v->AsNumber(2, 1), 1.5);
  try {
    v->AsNumber(2, 2);
    FAIL();
  } catch (const EJOXDStructError& e) {
    EXPECT_EQ(e.Message(), u"Class TReportListView: invalid numeric string: [2,2]: 1.5 kg");
  }
  v->SetOnReadCell([](TObject*, Integer, Integer, String& t) { t += u"!"; });
  EXPECT_EQ(v->Elem(2, 1), u"1,5!");
  v->SetColumnAlignment(3, taCenter);
  v->SetRowColPattern(3);
  v->SetCommonHeaderVisible(true);
  TReportListView copy(&form);
  copy.Assign(v);
  EXPECT_EQ(copy.Data()->Strings->GetString(2, 2), u"1.5 kg");
  EXPECT_EQ(copy.ColumnAlignment(3), taCenter);
  EXPECT_EQ(copy.RowColPattern(), 3);
  EXPECT_EQ(copy.FixedRows(), 2);
  EXPECT_EQ(copy.RowCount(), 2 + 4);
  EXPECT_EQ(copy.Elem(2, 1), u"1,5");  // OnReadCell is not taken over

  // A read replaces the sizes; the grid follows them.
  const jox::test::ScratchDir dir;
  const std::string file = (dir.Path() / "replist_view_read.xml").string();
  copy.SetNrCols(3);
  copy.SetNrRows(7);
  copy.SaveAsXMLFile(FromUtf8(file), u"");
  ASSERT_TRUE(v->LoadFromXMLFile(FromUtf8(file), u""));
  EXPECT_EQ(v->ColCount(), 3);
  EXPECT_EQ(v->RowCount(), 2 + 7);
  v->SetNrRows(4);
  EXPECT_EQ(v->AddRow(), 5);
  EXPECT_EQ(v->InsertRow(9), 6);
  EXPECT_EQ(v->InsertRow(0), 0);
  v->RemoveRow(1);
  EXPECT_EQ(v->NrOfRows(), 5);
  EXPECT_EQ(v->Data()->Strings->GetString(2, 1), u"1.5 kg");
  EXPECT_EQ(v->RowCount(), 7);
}

TEST_F(ReportListTest, DoubleClickOnAHeaderBorderFitsTheColumn) {
  Column(1, {u"a rather long text in the first column", u"b"});
  std::vector<int> clicks;
  v->SetOnDblClick([&](TObject*) { clicks.push_back(1); });
  const TRect h = v->CellRect(0, 0);
  input::DoubleClick(v, h.Right - 2, 10);
  EXPECT_EQ(v->ColWidths(1), v->DetermineMaxColWidth(1, true));
  EXPECT_TRUE(clicks.empty());  // the header row keeps double clicks to itself
  Application->AdvanceClock(1000);
  const TPoint p = CellPoint(2, 2);
  input::DoubleClick(v, p.X, p.Y);
  EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(ReportListTest, NotificationsAndSuppressedPainting) {
  int changes = 0, setups = 0;
  v->SetOnChange([&](TObject*) { ++changes; });
  v->SetOnChangeSetup([&](TObject*) { ++setups; });
  v->SetElem(1, 1, u"a");  // a cell write through the model reports a change
  EXPECT_EQ(changes, 1);
  v->SetColorText(clRed);
  v->SetColWidths(1, 80);
  v->SetNrRows(6);
  EXPECT_EQ(setups, 3);
  const int before = changes;
  v->SetCommonHeader(u"Title");
  EXPECT_EQ(changes, before + 1);
  EXPECT_EQ(v->Data()->CommonHeader(), u"Title");

  // Nothing is drawn while painting is suppressed; switching it back on draws once.
  const TRect c = v->CellRect(0, 1);
  v->SetSuppressPaint(true);
  v->SetColorBkgdShaded(clLime);
  EXPECT_NE(v->Canvas()->Pixels(c.Right - 3, c.Bottom - 3), clLime);
  v->SetSuppressPaint(false);
  EXPECT_EQ(v->Canvas()->Pixels(c.Right - 3, c.Bottom - 3), clLime);

  // Fill keeps and normalises marks; Clear resets the column settings.
  v->SetColCheckMode(2, cmBox);
  v->SetElemChecked(2, 1, true);
  v->Fill(u"z");
  EXPECT_EQ(v->Data()->Strings->GetString(2, 1), u"Xz");
  EXPECT_EQ(v->Data()->Strings->GetString(2, 2), u" z");
  v->SetColumnEditable(1, true);
  v->Clear();
  EXPECT_FALSE(v->ColumnEditable(1));
  EXPECT_EQ(v->Elem(1, 1), u"");
}

TEST_F(ReportListTest, KeysReleaseAndRowSelection) {
  v->SetNrRows(50);
  std::vector<Word> keys;
  v->SetOnCursorKeyAction([&](TObject*, Word k) { keys.push_back(k); });
  v->SetFocus();
  input::KeyPress(v, VK_NEXT);
  input::KeyPress(v, VK_END, ssCtrl);
  input::KeyPress(v, VK_RETURN);  // not a navigation key
  EXPECT_EQ(keys, (std::vector<Word>{VK_NEXT, VK_END}));
  EXPECT_EQ(v->GetSelectedRows(), (TIntArray{50}));
  // In mode 2 a release below the last row (or right of the columns) clears the selection.
  v->SetNrRows(3);
  v->SetRowSelectMode(2);
  v->SelectAllRows();
  input::Click(v, 20, 290);
  EXPECT_EQ(v->NumSelectedRows(), 0);
  v->SelectAllRows();
  input::Click(v, 380, 40, mbRight);
  EXPECT_EQ(v->NumSelectedRows(), 0);
  // Setting another mode than 2 clears the rows; mode 0 parks the grid's selection outside the data.
  v->SelectAllRows();
  v->SetRowSelectMode(0);
  EXPECT_EQ(v->NumSelectedRows(), 0);
  EXPECT_EQ(v->Selection().Top, 4);
}

TEST_F(ReportListTest, SpaceCopyAndSelectAllKeys) {
  v->SetColCheckMode(1, cmBox);
  Column(1, {u"a", u"b", u"c"});
  Column(2, {u"x", u"y", u"z"});
  v->SetColumnEditable(1, true);
  int after = 0;
  v->SetOnCheckedChange([&](TObject*, bool&, Integer, Integer) { ++after; });
  ClickData(1, 2, {}, 40);
  ClickData(1, 2, {}, 8);  // the box of the current, editable cell: toggled, no edit
  EXPECT_FALSE(v->EditorMode());
  ClickData(1, 2, {}, 8);
  input::KeyPress(v, VK_SPACE);
  EXPECT_TRUE(v->ElemChecked(1, 2));
  EXPECT_EQ(after, 3);
  EXPECT_FALSE(v->EditorMode());  // the space went to the box, not into an edit
  v->SetRowEnabled(2, false);
  input::KeyPress(v, VK_SPACE);
  EXPECT_TRUE(v->ElemChecked(1, 2));

  input::KeyPress(v, 'C', ssCtrl);
  EXPECT_EQ(Clipboard()->AsText(), u"b\ty\t\t\t\n");
  v->SetRowSelectMode(2);
  input::KeyPress(v, 'A', ssCtrl);
  EXPECT_EQ(v->NumSelectedRows(), 4);
  v->SetRowSelected(2, false);
  v->SetRowSelected(4, false);
  input::KeyPress(v, 'C', ssCtrl);
  EXPECT_EQ(Clipboard()->AsText(), u"a\tx\t\t\t\nc\tz\t\t\t\n");
}

// The settings, colours and switches Assign copies, each changed from its default first.
TEST_F(ReportListTest, AssignCopiesEveryNamedSetting) {
  const std::vector<String> copied = {u"AutoAdvance", u"RowSelectMode", u"SortEnabled", u"ColorText", u"ColorBkgdNormal", u"ColorBkgdShaded", u"ColorHigh", u"ColorHighText", u"ColorColumnHd", u"ColorColumnHdText", u"ColorCommonHd", u"ColorCommonHdText", u"ColorDisabledBkgd", u"ColorDisabledText", u"ColorSelectedRow", u"ColorSelectedRowText", u"ColorSelectedCol", u"ColorSelectedColText", u"ColorSelectedBoth", u"ColorSelectedBothText", u"HighLightBold", u"HighLightRow", u"HighLightColumn", u"RowColPattern", u"CommonHeaderAlignment", u"CommonHeaderVisible", u"ColumnHeadersVisible", u"ShowEmptyCheckBoxes", u"InterRowIndicatorColor", u"InterRowIndicatorWidth"};
  TReportListView src(&form), dst(&form);
  EXPECT_EQ(test::ChangeProps(src, copied), copied);
  dst.Assign(&src);
  EXPECT_TRUE(test::SameProps(src, dst, copied));
}

TEST_F(ReportListTest, ShiftArrowsExtendAMultipleSelectionFromTheAnchor) {
  v->SetNrRows(8);
  v->SetRowSelectMode(2);
  ClickData(1, 3);
  v->SetFocus();
  input::KeyPress(v, VK_DOWN, ssShift);
  input::KeyPress(v, VK_DOWN, ssShift);
  EXPECT_EQ(v->GetSelectedRows(), (TIntArray{3, 4, 5}));
  // Back past the anchor: the range turns round it.
  input::KeyPress(v, VK_UP, ssShift);
  input::KeyPress(v, VK_UP, ssShift);
  input::KeyPress(v, VK_UP, ssShift);
  EXPECT_EQ(v->GetSelectedRows(), (TIntArray{2, 3}));
  // A plain move starts again from the row it reaches.
  input::KeyPress(v, VK_DOWN);
  input::KeyPress(v, VK_DOWN, ssShift);
  EXPECT_EQ(v->GetSelectedRows(), (TIntArray{3, 4}));
  // Mode 1 keeps one row whatever Shift says.
  v->SetRowSelectMode(1);
  input::KeyPress(v, VK_DOWN, ssShift);
  EXPECT_EQ(v->GetSelectedRows(), (TIntArray{5}));
}

TEST_F(ReportListTest, TheFocusedRowShowsInEverySelectMode) {
  v->SetNrRows(5);
  auto* other = new TEdit(&form);
  other->SetParent(&form);
  other->SetBounds(0, 380, 50, 20);
  // The pixels along the top edge of the current row, focused and not.
  auto edge = [&](bool focused) {
    if (focused) v->SetFocus();
    else other->SetFocus();
    Application->ProcessMessages();
    const TRect rc = v->CellRect(1, v->Row());
    const TPoint o = v->OriginInRoot();
    std::vector<TColor> line;
    for (Integer x = rc.Left; x < rc.Right; ++x) line.push_back(test::SurfacePixel(form.Surface(), o.X + x, o.Y + rc.Top));
    return line;
  };
  for (Integer mode : {1, 2, 0}) {
    SCOPED_TRACE(mode);
    v->SetRowSelectMode(mode);
    v->SetFocus();
    input::KeyPress(v, VK_DOWN);  // mode 0 parks the grid's selection outside the data until a key
    EXPECT_NE(edge(true), edge(false));
  }
}

// With AutoAdvance the character that opens the editor is typed into it, not taken for Enter; Enter
// writes the whole text and moves on once. A space that toggles a check box stays on its row.
TEST_F(ReportListTest, AutoAdvanceMovesOnOnlyAtEnter) {
  Column(2, {u"one", u"two", u"three"});
  v->SetColumnEditable(2, true);
  v->SetAutoAdvance(true);
  ClickData(2, 1);
  input::KeyPress(v, 'A');
  ASSERT_TRUE(v->EditorMode());
  EXPECT_EQ(v->DataRowOf(v->Row()), 1);
  input::TypeText(v->InplaceEditor(), u"bc");
  input::KeyPress(v->InplaceEditor(), VK_RETURN);
  EXPECT_EQ(v->Elem(2, 1), u"abc");
  EXPECT_EQ(v->Elem(2, 2), u"two");
  EXPECT_EQ(v->DataRowOf(v->Row()), 2);

  v->SetColCheckMode(1, cmBox);
  Column(1, {u" a", u" b", u" c"});
  ClickData(1, 2, {}, 40);
  input::KeyPress(v, VK_SPACE);
  EXPECT_TRUE(v->ElemChecked(1, 2));
  EXPECT_EQ(v->DataRowOf(v->Row()), 2);
}

// Left and Right are cursor keys in row-select mode too, though the grid only scrolls with them.
TEST_F(ReportListTest, LeftAndRightAreCursorKeysWhenRowsAreSelected) {
  v->SetNrRows(6);
  std::vector<Word> keys;
  v->SetOnCursorKeyAction([&](TObject*, Word k) { keys.push_back(k); });
  v->SetFocus();
  input::KeyPress(v, VK_DOWN);
  v->SetRowSelected(5, true);
  selChanges = 0;
  input::KeyPress(v, VK_RIGHT);
  input::KeyPress(v, VK_LEFT);
  EXPECT_EQ(keys, (std::vector<Word>{VK_DOWN, VK_RIGHT, VK_LEFT}));
  EXPECT_EQ(selChanges, 2);
  EXPECT_EQ(v->GetSelectedRows(), (TIntArray{2}));
}

// A filter keeps its state apart from the row attribute bytes (bits beside selected and disabled are
// the application's), follows the records through sorts, and selection reaches only shown rows.
TEST_F(ReportListTest, FilterLeavesTheAttributeBytesAndSelectsOnlyShownRows) {
  v->SetNrCols(2);
  Column(1, {u"apple", u"berry", u"apricot", u"cherry", u"avocado"});
  TStringArray* s = v->Data()->Strings;
  s->SetRowAttrib(1, 0x20);
  v->SetRowSelectMode(2);
  v->SelectAllRows();
  ASSERT_EQ(v->FilterAndSort(u"a", {1}, true, fmSimple, -1, true), 3);
  EXPECT_EQ(s->GetRowAttrib(1) & 0x20, 0x20);  // shown, the application's bit kept
  EXPECT_EQ(s->GetRowAttrib(2) & 0x20, 0);     // hidden, no bit of the application's set
  // Rows nobody sees are no longer selected.
  EXPECT_EQ(v->GetSelectedRows(), (TIntArray{1, 3, 5}));
  // The application sets its bit on a shown row: the row stays shown.
  s->SetRowAttrib(3, Byte(s->GetRowAttrib(3) | 0x20));
  v->Repaint();
  EXPECT_EQ(v->NrOfShownRows(), 3);
  EXPECT_TRUE(v->RowShown(3));

  v->DeselectAllRows();
  ClickData(1, 1);
  ClickData(1, 5, ssShift);
  EXPECT_EQ(v->GetSelectedRows(), (TIntArray{1, 3, 5}));
  v->DeselectAllRows();
  input::KeyPress(v, 'A', ssCtrl);
  EXPECT_EQ(v->GetSelectedRows(), (TIntArray{1, 3, 5}));
  v->DeselectAllRows();
  ClickData(1, 1);
  input::KeyPress(v, VK_DOWN, ssShift);
  input::KeyPress(v, VK_DOWN, ssShift);
  EXPECT_EQ(v->GetSelectedRows(), (TIntArray{1, 3, 5}));

  // The hidden records stay hidden wherever sorts put them.
  v->Sort(1, -1, false);
  EXPECT_EQ(v->NrOfShownRows(), 3);
  for (Integer i = 0; i < 3; ++i) EXPECT_EQ(v->Elem(1, v->DataRowOf(v->FixedRows() + i))[0], u'a') << i;
  v->RemoveColumn(2);  // the model renumbers its records here
  v->Repaint();
  EXPECT_EQ(v->NrOfShownRows(), 3);
  for (Integer i = 0; i < 3; ++i) EXPECT_EQ(v->Elem(1, v->DataRowOf(v->FixedRows() + i))[0], u'a') << i;
}

// Automatic widths measure every text: a letter as wide as "W" bounds nothing.
TEST_F(ReportListTest, AutoWidthMeasuresTextsWiderThanTheirLength) {
  TCanvas* c = v->Canvas();
  c->Font()->Assign(v->Font());
  for (const String& wide : {String(u"@@@@"), String(u"\u2014\u2014\u2014\u2014"), String(u"\u4E2D\u6587\u4E2D\u6587")}) {
    if (c->TextWidth(wide) <= c->TextWidth(u"WWWW")) continue;  // not wider in this font
    Column(1, {u"WWWW", wide});
    EXPECT_EQ(v->DetermineMaxColWidth(1, false), c->TextWidth(wide) + 10) << ToUtf8(wide);
  }
  ASSERT_GT(c->TextWidth(u"@@@@"), c->TextWidth(u"WWWW"));
}

// Removing a column under another column order keeps every other grid column on its own model
// column (renumbered) and with its width.
TEST_F(ReportListTest, RemoveColumnRenumbersTheColumnOrder) {
  for (Integer c = 1; c <= 5; ++c) v->SetColName(c, u"N" + IntToStr(c));
  ASSERT_TRUE(v->SetColumnOrder({3, 1, 2, 5, 4}));
  TCustomGrid* grid = v;
  for (Integer k = 0; k < 5; ++k) grid->SetColWidths(k, 40 + k);
  v->RemoveColumn(1);
  ASSERT_EQ(v->NrOfColumns(), 4);
  std::vector<String> shown, widths;
  for (Integer k = 0; k < 4; ++k) {
    shown.push_back(v->Header(v->ColumnOrder(k + 1)));
    widths.push_back(IntToStr(grid->ColWidths(k)));
  }
  EXPECT_EQ(shown, (std::vector<String>{u"N3", u"N2", u"N5", u"N4"}));
  EXPECT_EQ(widths, (std::vector<String>{u"40", u"42", u"43", u"44"}));
  // A column removed where it shows last (model column 3 is now "N4").
  v->RemoveColumn(3);
  EXPECT_EQ(v->Header(v->ColumnOrder(1)), u"N3");
  EXPECT_EQ(v->Header(v->ColumnOrder(2)), u"N2");
  EXPECT_EQ(v->Header(v->ColumnOrder(3)), u"N5");
}

// A capital type letter is unknown to the cell editor as to the row editor and the default value.
TEST_F(ReportListTest, TypeLettersReadAlikeInTheCellEditor) {
  v->SetColumnEditable(2, true);
  v->SetColumnFormat(2, u"[C]one|two");
  EXPECT_EQ(v->DefaultValue(2, 1), u"");
  ClickData(2, 1);
  input::KeyPress(v, VK_F2);
  ASSERT_TRUE(v->EditorMode());
  EXPECT_EQ(v->InplaceEditor()->EditStyle(), esSimple);
  input::KeyPress(v->InplaceEditor(), VK_ESCAPE);
  v->SetColumnFormat(2, u"[c]one|two");
  input::KeyPress(v, VK_F2);
  ASSERT_TRUE(v->EditorMode());
  EXPECT_EQ(v->InplaceEditor()->EditStyle(), esPickList);
}

// Rows dragged by their fixed first cell take their records along (OnRowMoved in data rows); a
// dragged column header changes the column order. The grid's edit mask and drawing style are
// published, here and by the table editor.
TEST_F(ReportListTest, MovedRowsAndColumnsAndGridPropertiesPublished) {
  Column(1, {u"a", u"b", u"c", u"d"});
  Column(2, {u"1", u"2", u"3", u"4"});
  v->SetFixedFirstColumn(true);
  v->SetOptions(v->Options() | goRowMoving | goColMoving);
  v->SetSortEnabled(false);
  std::vector<std::pair<Integer, Integer>> moved;
  v->SetOnRowMoved([&](TObject*, Integer f, Integer t) { moved.push_back({f, t}); });
  TPoint a = CellPoint(1, 1), b = CellPoint(1, 3);
  input::Drag(v, a.X, a.Y, b.X, b.Y);
  EXPECT_EQ(moved, (std::vector<std::pair<Integer, Integer>>{{1, 3}}));
  std::u16string order;
  for (Integer r = 1; r <= 4; ++r) order += v->Elem(1, r);
  EXPECT_EQ(order, u"bcad");
  EXPECT_EQ(v->Elem(2, 3), u"1");
  const TRect h3 = v->CellRect(3, 0), h1 = v->CellRect(1, 0);
  input::Drag(v, (h3.Left + h3.Right) / 2, (h3.Top + h3.Bottom) / 2, (h1.Left + h1.Right) / 2, (h1.Top + h1.Bottom) / 2);
  EXPECT_EQ(v->ColumnOrder(2), 4);
  EXPECT_EQ(v->ColumnOrder(3), 2);
  for (const char* p : {"OnGetEditMask", "OnRowMoved"})
    EXPECT_NE(TReportListView::ClassInfo().FindProp(FromUtf8(p)), nullptr) << p;
  for (const char* p : {"DrawingStyle", "GradientStartColor", "GradientEndColor"})
    EXPECT_NE(TNTabEd::ClassInfo().FindProp(FromUtf8(p)), nullptr) << p;
}

// A column's format says how it sorts: integer, decimal and hexadecimal columns by value, with the
// texts that are no number after the numbers; other formats by text, even where a text reads as a
// number; a column without a format by value where texts read as numbers.
TEST_F(ReportListTest, SortComparesAsTheColumnFormatSays) {
  v->SetNrCols(4);
  Column(1, {u"10", u"n/a", u"9", u"", u"2,5", u"100"});
  Column(2, {u"0A", u"10", u"FF", u"9", u"x", u"-1"});
  Column(3, {u"10", u"007", u"9", u"7", u"abc", u"100"});
  Column(4, {u"10", u"b", u"9", u"a", u"100", u"2"});
  v->SetColumnFormat(1, u"[i]");
  v->SetColumnFormat(2, u"[h][60]");
  v->SetColumnFormat(3, u"[s]");
  auto col = [&](Integer c) {
    String out;
    for (Integer r = 1; r <= v->NrOfRows(); ++r) out += v->Elem(c, r) + u"|";
    return out;
  };
  const struct {
    Integer col;
    bool ascending;
    const char16_t* order;
  } cases[] = {
      {1, true, u"2,5|9|10|100||n/a|"},
      {1, false, u"n/a||100|10|9|2,5|"},  // descending is the exact reverse
      {2, true, u"-1|9|0A|10|FF|x|"},
      {3, true, u"007|10|100|7|9|abc|"},
      {4, true, u"2|9|10|100|a|b|"},
  };
  for (const auto& c : cases) {
    v->Sort(c.col, -1, c.ascending);
    EXPECT_EQ(col(c.col), c.order) << c.col << " " << c.ascending;
  }
  // A row's cells travel together, and a header click and the model's own sort read the format too.
  v->Sort(2, -1, true);
  EXPECT_EQ(col(3), u"100|7|10|007|9|abc|");
  ClickHeader(2);
  EXPECT_EQ(col(2), u"x|FF|10|0A|9|-1|");
  v->SetColumnFormat(3, u"[#f]");
  v->Data()->Sort(3, -1, true);
  EXPECT_EQ(col(3), u"007|7|9|10|100|abc|");  // 007 and 7 tie and keep their order
}

// Fitting every column at once gives each the width fitting it alone gives: its widest text in any
// row, marks, header and sort arrow included; the expanded column takes the rest.
TEST_F(ReportListTest, FitAllColumnsGivesEachColumnItsOwnFit) {
  v->SetNrCols(4);
  Column(1, {u"a", u"bb", u"the widest of all"});
  Column(2, {u"\u65E5\u672C\u8A9E\u65E5\u672C", u"x", u""});
  Column(3, {u"e\u0301e\u0301", u"\U0001D11E\U0001D11E clef", u"y"});
  Column(4, {u"rest"});
  v->SetColCheckMode(3, cmBox);
  v->SetColName(2, u"A long header text");
  v->Sort(2, -1, true);
  std::vector<Integer> alone;
  for (Integer c = 1; c <= 3; ++c) alone.push_back(std::min(200, std::max(4, v->DetermineMaxColWidth(c, true) + 4)));
  v->FitAllColWidths(4, true, 4, 200, 2);
  Integer used = 0;
  for (Integer c = 1; c <= 3; ++c) {
    EXPECT_EQ(v->ColWidths(c), alone[size_t(c - 1)]) << c;
    used += v->ColWidths(c);
  }
  EXPECT_EQ(v->ColWidths(4), v->ClientWidth() - 2 - used);
  TCanvas* c = v->Canvas();
  c->Font()->Assign(v->Font());
  EXPECT_EQ(alone[0], c->TextWidth(u"the widest of all") + 14);
  EXPECT_EQ(alone[2], c->TextWidth(u" \U0001D11E\U0001D11E clef") + 16 + 14);
}

// Fitting reads each text where it lies and sums its characters' advances from the font's table: on
// 100,000 rows it costs a small multiple of a plain walk over the same characters (a copy and a font
// look-up per cell, or a hash look-up per character, cost many times that).
TEST_F(ReportListTest, FitAllColumnsCostsAFewTimesAWalkOverTheTexts) {
  constexpr Integer kRows = 100000, kCols = 4;
  v->SetNrCols(kCols);
  v->SetNrRows(kRows);
  TStringArray* s = v->Data()->Strings;
  const TNotifyEvent quiet = s->OnChange();
  s->SetOnChange(nullptr);
  for (Integer r = 1; r <= kRows; ++r)
    for (Integer c = 1; c <= kCols; ++c) s->SetString(c, r, u"Name " + IntToStr((r * 7919 + c) % 100003));
  s->SetOnChange(quiet);
  auto best = [](const std::function<void()>& fn) {
    double t = 1e9;
    for (int i = 0; i < 3; ++i) {
      const auto t0 = std::chrono::steady_clock::now();
      fn();
      t = std::min(t, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    return t;
  };
  Integer table[256];
  for (int i = 0; i < 256; ++i) table[i] = i % 7 + 3;
  Integer walked = 0;
  const double walk = best([&] {
    for (Integer r = 1; r <= kRows; ++r)
      for (Integer c = 1; c <= kCols; ++c) {
        Integer w = 0;
        for (char16_t ch : s->GetView(c, r)) w += table[ch & 0xFF];
        walked = std::max(walked, w);
      }
  });
  const double fit = best([&] { v->FitAllColWidths(0, false, 0, 1000, 0); });
  EXPECT_GT(walked, 0);
  EXPECT_GT(v->ColWidths(1), 40);
  EXPECT_LT(fit, 6 * walk) << "fit " << fit * 1e3 << " ms, walk " << walk * 1e3 << " ms";
}
