// TNTabEd data side: defaults and form text, the grid-to-table offsets, dimensions and their bounds,
// headings, precisions, value ranges, marks, notifications under suppression, sorting, and tables
// that belong to someone else.
#include <gtest/gtest.h>

#include <memory>

#include "ntabed/ntabed.h"
#include "package/framework/controls/forms.h"
#include "package/framework/base/formtext.h"
#include "package/texts.h"
#include "package/units.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

class NTabEdTest : public test::FrameworkTest {
 protected:
  void SetUp() override {
    test::FrameworkTest::SetUp();
    form.SetBounds(0, 0, 600, 400);
    t = new TNTabEd(&form);
    t->SetParent(&form);
    t->SetBounds(0, 0, 500, 300);
    t->SetOnChange([this](TObject*) { ++changes; });
    t->SetOnChangeSetup([this](TObject*) { ++setups; });
    t->SetOnLayoutChanged([this](TObject*) { ++layouts; });
    t->SetOnCellStateChanged([this](TObject*) { ++states; });
    t->SetOnHeadingChanged([this](TObject*) { ++headings; });
    t->SetOnAttributeChanged([this](TObject*) { ++attribs; });
    t->SetOnEmptyStChanged([this](TObject*) { ++empties; });
  }
  int Events() const { return changes + setups + layouts + states + headings + attribs + empties; }

  TForm form{nullptr};
  TNTabEd* t = nullptr;
  int changes = 0, setups = 0, layouts = 0, states = 0, headings = 0, attribs = 0, empties = 0;
};

}  // namespace

TEST_F(NTabEdTest, ConstructionDefaultsAndFormText) {
  {
    TNTabEd fresh(nullptr);
    EXPECT_TRUE(test::DefaultsMatchTable(fresh));
  }
  EXPECT_EQ(t->NrOfColumns(), 3);
  EXPECT_EQ(t->NrOfRows(), 4);
  EXPECT_EQ(t->ColCount(), 5);
  EXPECT_EQ(t->RowCount(), 5);
  EXPECT_EQ(t->FixedCols(), 2);
  EXPECT_EQ(t->FixedRows(), 1);
  EXPECT_EQ(t->ColWidths(0), 80);
  EXPECT_EQ(t->ColWidths(-1), 32);
  for (Integer c = 1; c <= 3; ++c) EXPECT_EQ(t->Precision(c), 3);
  EXPECT_EQ(t->PopupDMask(), 0x7FFFFFFF);
  EXPECT_EQ(t->PopupDCaptions(9), u"Extract from Clipboard");
  EXPECT_EQ(t->PopupHCaptions(2), u"Change Precision");
  EXPECT_EQ(t->PopupMCaptions(4), u"All");

  UnitStartup(juNTabEd);
  EXPECT_EQ(GetClass(u"TNTabEd"), &TNTabEd::ClassInfo());
  TForm f(nullptr), g(nullptr);
  auto* e = new TNTabEd(&f);
  e->SetName(u"Table1");
  e->SetParent(&f);  // form text keeps controls on their form
  e->SetNrOfColumns(6);
  e->SetAttribColVisible(true);
  e->SetComment(u"lab run\x07 7");
  e->SetColorMarkedA(clGreen);
  e->SetNumWidth(5);
  e->SetVRangeHigh(99.5);
  EXPECT_EQ(e->Comment(), u"lab run 7");  // control characters go
  EXPECT_TRUE(test::FormTextRoundTrip(&f, &g));
  UnitShutdown(juNTabEd);
}

TEST_F(NTabEdTest, AttributeStripesMoveTheOffsetsAndKeepWidths) {
  t->SetColWidths(1, 50);
  t->SetColWidths(2, 70);
  t->SetColWidths(-1, 40);
  EXPECT_EQ(t->TCustomGrid::ColWidths(2), 50);  // table column 1 is grid column 2
  t->SetAttribRowVisible(false);
  EXPECT_EQ(t->ColCount(), 4);
  EXPECT_EQ(t->FixedCols(), 1);
  EXPECT_EQ(t->TCustomGrid::ColWidths(1), 50);
  EXPECT_EQ(t->TCustomGrid::ColWidths(2), 70);
  EXPECT_EQ(t->ColWidths(1), 50);
  EXPECT_EQ(t->ColWidths(-1), 0);
  t->SetColWidths(-1, 99);  // ignored while hidden
  t->SetAttribRowVisible(true);
  EXPECT_EQ(t->ColWidths(-1), 40);
  EXPECT_EQ(t->ColWidths(2), 70);
  EXPECT_EQ(layouts, 6);

  t->SetRowHeights(0, 30);
  t->SetRowHeights(2, 33);
  t->SetAttribColVisible(true);
  EXPECT_EQ(t->RowCount(), 6);
  EXPECT_EQ(t->FixedRows(), 2);
  EXPECT_EQ(t->RowHeights(-1), 30);  // takes the heading row's height
  EXPECT_EQ(t->RowHeights(2), 33);
  EXPECT_EQ(t->TCustomGrid::RowHeights(3), 33);
  t->SetRowHeights(5, 40);  // beyond the last row
  EXPECT_EQ(t->TCustomGrid::RowHeights(5), t->DefaultRowHeight());
  t->SetAttribColVisible(false);
  EXPECT_EQ(t->TCustomGrid::RowHeights(2), 33);
  EXPECT_EQ(t->RowCount(), 5);

  // Scroll positions are table indices, clamped to the table.
  t->SetNrOfRows(100);
  t->SetTopRow(50);
  EXPECT_EQ(t->TopRow(), 50);
  t->SetTopRow(-4);
  EXPECT_EQ(t->TopRow(), 1);
  t->SetLeftCol(0);
  EXPECT_EQ(t->LeftCol(), 1);
}

TEST_F(NTabEdTest, InsertAndRemoveBoundsKeepPrecisionsWithTheirColumns) {
  t->SetNrOfRows(1);
  t->RemoveRow(1);
  EXPECT_EQ(t->NrOfRows(), 1);  // the last row stays
  t->InsertRow(3);
  EXPECT_EQ(t->NrOfRows(), 1);
  t->InsertRow(2);
  EXPECT_EQ(t->NrOfRows(), 2);
  EXPECT_EQ(t->RowCount(), 3);
  t->InsertRow(0);
  t->RemoveRow(3);
  EXPECT_EQ(t->NrOfRows(), 2);

  t->SetPrecision(1, 1);
  t->SetPrecision(2, 2);
  t->SetPrecision(3, 5);
  t->SetColWidths(2, 90);
  t->SetElem(2, 1, 42);
  t->InsertColumn(2);
  ASSERT_EQ(t->NrOfColumns(), 4);
  EXPECT_EQ(t->Elem(3, 1), 42);
  EXPECT_EQ(t->Precision(1), 1);
  EXPECT_EQ(t->Precision(3), 2);
  EXPECT_EQ(t->Precision(4), 5);
  EXPECT_EQ(t->ColWidths(3), 90);
  t->RemoveColumn(2);
  EXPECT_EQ(t->Precision(2), 2);
  EXPECT_EQ(t->Precision(3), 5);
  EXPECT_EQ(t->ColWidths(2), 90);
  EXPECT_EQ(t->Elem(2, 1), 42);
  t->RemoveColumn(4);
  t->SetNrOfColumns(1);
  t->RemoveColumn(1);
  EXPECT_EQ(t->NrOfColumns(), 1);
}

TEST_F(NTabEdTest, GrowingCopiesTheLastColumnsPrecisionAndWidth) {
  t->SetPrecision(3, 6);
  t->SetColWidths(3, 77);
  t->SetNrOfColumns(5);
  EXPECT_EQ(t->ColCount(), 7);
  EXPECT_EQ(t->Precision(4), 6);
  EXPECT_EQ(t->Precision(5), 6);
  EXPECT_EQ(t->ColWidths(5), 77);
  t->Redimension(0, 2);
  t->Redimension(2, 2);
  EXPECT_EQ(t->Precision(1), 2);  // from an empty table
  EXPECT_EQ(t->FixedCols(), 2);
  t->SetNrOfRows(0);
  EXPECT_EQ(t->RowCount(), 1);
  t->SetNrOfRows(3);
  EXPECT_EQ(t->FixedRows(), 1);
  EXPECT_EQ(t->RowCount(), 4);
}

TEST_F(NTabEdTest, PrecisionNumWidthAndHeadingClamps) {
  t->SetPrecision(1, -5);
  EXPECT_EQ(t->Precision(1), -1);
  t->SetPrecision(1, 12);
  EXPECT_EQ(t->Precision(1), 10);
  t->SetPrecision(9, 4);  // outside: ignored, no event
  EXPECT_EQ(t->Precision(9), 0);
  EXPECT_EQ(layouts, 2);
  t->SetNumWidth(0);
  t->SetNumWidth(21);
  EXPECT_EQ(t->NumWidth(), 1);
  EXPECT_EQ(layouts, 4);  // still announced
  t->SetNumWidth(20);
  EXPECT_EQ(t->NumWidth(), 20);

  t->SetColName(2, String(60, u'x'));
  EXPECT_EQ(t->ColName(2).size(), 50u);
  t->SetColName(0, u"no");
  t->SetRowName(5, u"no");
  EXPECT_EQ(t->RowName(5), u"");
  EXPECT_EQ(headings, 1);
  t->SetRowAttrib(4, 200);
  t->SetColAttrib(4, 9);
  EXPECT_EQ(t->RowAttrib(4), 200);
  EXPECT_EQ(t->ColAttrib(4), 0);
  EXPECT_EQ(attribs, 1);
}

TEST_F(NTabEdTest, ValueRangeClamping) {
  t->SetElem(1, 1, 1e6);
  EXPECT_EQ(t->Elem(1, 1), 1e6);  // both bounds 0: no range
  t->SetVRangeLow(-1);
  t->SetElem(1, 1, 5);
  EXPECT_EQ(t->Elem(1, 1), 0);
  t->SetElem(1, 1, -3);
  EXPECT_EQ(t->Elem(1, 1), -1);
  t->SetVRangeLow(0);
  t->SetVRangeHigh(10);
  t->SetElem(1, 1, 12);
  EXPECT_EQ(t->Elem(1, 1), 10);
}

TEST_F(NTabEdTest, MarksAndStateBits) {
  t->SetElemMarkedA(0, 1, true);  // outside: no mark, but repaint and event
  EXPECT_EQ(states, 1);
  EXPECT_EQ(t->NrOfMarkedDataA(), 0);
  t->Data->SetCellState(2, 3, 0x24);  // bits the editor does not use stay
  t->SetElemMarkedA(2, 3, true);
  t->SetElemMarkedB(2, 3, true);
  EXPECT_EQ(t->CellState(2, 3), 0x24 | 0xC0);
  t->SetElemMarkedA(2, 3, false);
  EXPECT_EQ(t->CellState(2, 3), 0xA4);
  EXPECT_TRUE(t->IfRowMarked(3));
  EXPECT_FALSE(t->IfRowMarked(2));
  EXPECT_TRUE(t->IfColumnMarked(2));
  EXPECT_FALSE(t->IfColumnMarked(0));
  EXPECT_TRUE(t->IfAnyMarked());
  t->SetIsEmpty(1, 1, true);
  EXPECT_FALSE(t->IsNumber(1, 1));
  EXPECT_EQ(empties, 1);

  t->MarkAllElemsA();
  EXPECT_EQ(t->NrOfMarkedDataA(), 12);
  EXPECT_EQ(t->NrOfMarkedDataB(), 1);
  t->ExchangeMarkings();
  EXPECT_EQ(t->NrOfMarkedDataA(), 1);
  t->UnMarkAllElems();
  EXPECT_FALSE(t->IfAnyMarked());
  EXPECT_EQ(t->CellState(2, 3), 0x24);
  EXPECT_TRUE(t->IsEmpty(1, 1));

  // Marking the selection: range, its columns, its rows, everything.
  t->SetSelection({3, 2, 3, 3});  // table column 2, rows 2 .. 3
  t->MarkSelection(ntsMarkB, true, 1);
  EXPECT_EQ(t->NrOfMarkedDataB(), 2);
  t->MarkSelection(ntsMarkA, true, 2);
  EXPECT_EQ(t->NrOfMarkedDataA(), 4);
  t->MarkSelection(ntsMarkA, true, 3);
  EXPECT_EQ(t->NrOfMarkedDataA(), 8);
  t->MarkSelection(ntsMarkB, false, 4);
  EXPECT_EQ(t->NrOfMarkedDataB(), 0);
  EXPECT_EQ(t->FillMarkedCells(ntsMarkA, 7), 8);
  EXPECT_EQ(t->Elem(1, 2), 7);
}

TEST_F(NTabEdTest, ClearNamesEveryHeading) {
  t->SetPrecision(2, 7);
  t->SetElem(1, 1, 5);
  t->Clear();
  EXPECT_EQ(t->ColName(1), u"C-1");
  EXPECT_EQ(t->ColName(3), u"C-3");
  EXPECT_EQ(t->RowName(1), u"R-1");
  EXPECT_EQ(t->RowName(4), u"R-4");
  EXPECT_EQ(t->Precision(2), 3);
  EXPECT_EQ(t->Elem(1, 1), 0);
  EXPECT_FALSE(t->SuppressPaint());
}

TEST_F(NTabEdTest, NoEventAtAllWhileSuppressed) {
  t->SetSuppressPaint(true);
  t->SetElem(1, 1, 3);
  t->SetNrOfColumns(6);
  t->SetPrecision(1, 2);
  t->SetColName(1, u"a");
  t->SetRowAttrib(1, 4);
  t->SetElemMarkedA(1, 1, true);
  t->SetIsEmpty(2, 2, true);
  t->SetAttribColVisible(true);
  t->Clear();
  t->FillMarkedCells(ntsMarkA, 1);
  EXPECT_TRUE(t->SuppressPaint());  // bulk operations give the caller's suppression back
  EXPECT_EQ(Events(), 0);
  t->SetSuppressPaint(false);
  t->SetElem(1, 1, 4);
  EXPECT_EQ(changes, 1);
}

TEST_F(NTabEdTest, SortingMovesPrecisionsWithHeadings) {
  for (Integer c = 1; c <= 3; ++c) {
    t->SetElem(c, 1, 4 - c);
    t->SetPrecision(c, int8_t(c));
    t->SetColName(c, u"c" + IntToStr(c));
  }
  t->SortCols(1, true, 1, 1, 3, 4, true);
  EXPECT_EQ(t->Elem(1, 1), 1);
  EXPECT_EQ(t->ColName(1), u"c3");
  EXPECT_EQ(t->Precision(1), 3);
  EXPECT_EQ(t->FindColIndex(u"c1"), 3);
  t->SortCols(1, false, 1, 1, 3, 4, false);
  EXPECT_EQ(t->Elem(1, 1), 3);
  EXPECT_EQ(t->ColName(1), u"c3");  // headings stay
  EXPECT_EQ(t->Precision(1), 3);
  t->SortColNames(true, 1, 1, 3, 4);
  EXPECT_EQ(t->ColName(1), u"c1");
  EXPECT_EQ(t->Precision(1), 1);
  for (Integer r = 1; r <= 4; ++r) t->SetRowName(r, r % 2 ? u"b" : u"A");
  t->SortRowNames(true, true, 1, 1, 3, 4);
  EXPECT_EQ(t->RowName(1), u"A");
  EXPECT_EQ(t->FindRowIndex(u"b"), 3);
}

TEST_F(NTabEdTest, ExternalTablesAreShownNotOwned) {
  auto ext = std::make_unique<TDataTable>(nullptr);
  ext->Resize(7, 2);
  ext->SetElem(7, 2, 5.5);
  t->AssignAnotherDataMatrix(ext.get());
  EXPECT_TRUE(t->ExternalDataMatrix());
  EXPECT_EQ(t->NrOfColumns(), 7);
  EXPECT_EQ(t->ColCount(), 9);
  EXPECT_EQ(t->Elem(7, 2), 5.5);
  changes = 0;
  ext->SetElem(1, 1, 2);  // the editor listens to it
  EXPECT_EQ(changes, 1);
  ext->Resize(8, 3);
  EXPECT_EQ(t->RowCount(), 4);
  EXPECT_EQ(t->Precision(8), 3);
  // Freed by its owner: the editor goes back to a table of its own.
  ext.reset();
  EXPECT_FALSE(t->ExternalDataMatrix());
  t->SetElem(1, 1, 1);
  EXPECT_EQ(t->ColCount(), t->NrOfColumns() + 2);

  // An editor freed first leaves no callback behind on the table it showed.
  auto kept = std::make_unique<TDataTable>(nullptr);
  kept->Resize(2, 2);
  auto* other = new TNTabEd(&form);
  other->AssignAnotherDataMatrix(kept.get());
  delete other;
  kept->Resize(4, 4);
  kept->SetElem(1, 1, 3);
  EXPECT_FALSE(kept->OnDataChanged());
  EXPECT_FALSE(kept->OnResize());

  auto* src = new TNTabEd(&form);
  src->SetNrOfColumns(2);
  src->SetPrecision(2, 8);
  src->SetElem(2, 2, 9);
  src->SetElemMarkedB(1, 1, true);
  t->CopyContentsFrom(src);
  EXPECT_EQ(t->NrOfColumns(), 2);
  EXPECT_EQ(t->Precision(2), 8);
  EXPECT_EQ(t->Elem(2, 2), 9);
  t->UnMarkAllElems();
  t->CopyCellStatesFrom(src);
  EXPECT_TRUE(t->ElemMarkedB(1, 1));
}

TEST_F(NTabEdTest, ATableTooLargeIsTheEditorsError) {
  try {
    t->Redimension(1 << 16, 1 << 12);
    FAIL() << "no error";
  } catch (const EJOXNTabedError& e) {
    EXPECT_EQ(e.Message(), NotEnoughMemoryText(t->Name()));
  }
  EXPECT_EQ(t->NrOfColumns(), 3);
  EXPECT_EQ(t->ColCount(), 5);
  t->SetElem(1, 1, 2);
  EXPECT_EQ(changes, 1);  // not left suppressed
}

TEST_F(NTabEdTest, AssignCopiesSettingsAndTable) {
  auto* src = new TNTabEd(&form);
  src->SetNrOfRows(7);
  src->SetColorNormal(clMaroon);
  src->SetAttribColVisible(true);
  src->SetPrecision(1, 9);
  src->SetElem(3, 7, -2);
  src->SetPopupDMask(5);
  t->Assign(src);
  EXPECT_EQ(t->NrOfRows(), 7);
  EXPECT_EQ(t->ColorNormal(), clMaroon);
  EXPECT_TRUE(t->AttribColVisible());
  EXPECT_EQ(t->RowCount(), 9);
  EXPECT_EQ(t->Precision(1), 9);
  EXPECT_EQ(t->Elem(3, 7), -2);
  EXPECT_EQ(t->PopupDMask(), 5);
  EXPECT_NE(t->Data, src->Data);  // each keeps its own table
  TEdit other(nullptr);
  EXPECT_THROW(t->Assign(&other), EConvertError);
}
