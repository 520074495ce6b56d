// The report list view's file operations: round trips through the view, the grid following the model
// after a read with one repaint, and failed reads that change nothing.
#include <gtest/gtest.h>

#include <fstream>

#include "package/framework/controls/forms.h"
#include "replist/replist.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

// Counts the view's paints.
class TCountingView : public TReportListView {
 public:
  using TReportListView::TReportListView;
  void Paint() override {
    ++Paints;
    TReportListView::Paint();
  }
  int Paints = 0;
};

class ReplistIO : public test::FrameworkTest {
 protected:
  void SetUp() override {
    test::FrameworkTest::SetUp();
    form.SetBounds(0, 0, 600, 400);
    src = MakeView();
    src->SetNrCols(4);
    src->SetNrRows(3);
    src->SetCommonHeader(u"Stock");
    const char16_t* names[] = {u"Item", u"Count", u"Colour", u"Due"};
    const char16_t* formats[] = {u"[s]", u"[i]rix2", u"[l]red|green", u"[ddd.MM.yyyy]"};
    for (Integer c = 1; c <= 4; ++c) {
      src->SetHeader(c, names[c - 1]);
      src->SetColumnFormat(c, formats[c - 1]);
      for (Integer r = 1; r <= 3; ++r) src->SetElem(c, r, String(names[c - 1]) + IntToStr(r));
    }
    src->SetColCheckMode(3, cmBox);
    src->SetElemChecked(3, 2, true);

    v = MakeView();
    v->SetNrCols(2);
    v->SetNrRows(9);
    v->SetCommonHeaderVisible(true);
    v->SetCommonHeaderHeight(30);
    v->SetColumnHeadersHeight(26);
    v->SetColWidths(2, 77);
    v->SetColumnAlignment(2, taRightJustify);
    v->SetColumnOrder({2, 1});
    Application->ProcessMessages();
  }
  TCountingView* MakeView() {
    auto* w = new TCountingView(&form);
    w->SetParent(&form);
    w->SetBounds(0, 0, 500, 300);
    return w;
  }
  String File(const char* name) { return scratch.File(name); }
  // The grid shows the model of src (a CSV file carries names and texts, not formats and marks).
  void ExpectShowsSource(bool Csv = false) {
    EXPECT_EQ(v->NrOfColumns(), 4);
    EXPECT_EQ(v->NrOfRows(), 3);
    EXPECT_EQ(v->ColCount(), 4);
    EXPECT_EQ(v->FixedRows(), 2);
    EXPECT_EQ(v->RowCount(), 2 + 3);
    EXPECT_EQ(v->RowHeights(0), 30);
    EXPECT_EQ(v->RowHeights(1), 26);
    EXPECT_EQ(v->CommonHeader(), u"Stock");
    for (Integer c = 1; c <= 4; ++c) {
      EXPECT_EQ(v->ColumnOrder(c), c);
      EXPECT_EQ(v->Header(c), src->Header(c));
      if (!Csv) {
        EXPECT_EQ(v->ColumnFormat(c), src->ColumnFormat(c));
      }
      for (Integer r = 1; r <= 3; ++r) {
        if (!Csv || c != 3) {
          EXPECT_EQ(v->Elem(c, r), src->Elem(c, r)) << c << "," << r;
        }
      }
    }
    if (!Csv) {
      EXPECT_EQ(v->ColumnCheckMode(3), cmBox);
      EXPECT_TRUE(v->ElemChecked(3, 2));
    }
    // Per-column settings keep their places; new columns start plain, as wide as the last one was.
    EXPECT_EQ(v->ColumnAlignment(2), taRightJustify);
    EXPECT_EQ(v->ColumnAlignment(4), taLeftJustify);
    EXPECT_EQ(v->ColWidths(3), 77);
    EXPECT_EQ(v->ColWidths(4), 77);
    EXPECT_EQ(v->TopRow(), 1);
  }
  // Everything a failed read must leave alone.
  struct TViewState {
    Integer Cols, Rows, GridRows, Order1, Shown, Paints;
    String Cell;
    bool Filtered;
    bool operator==(const TViewState&) const = default;
  };
  TViewState State() {
    return {v->NrOfColumns(), v->NrOfRows(), v->RowCount(), v->ColumnOrder(1), v->NrOfShownRows(), v->Paints,
            v->Elem(1, 2), v->Filtered()};
  }

  test::ScratchDir scratch;  // outlives the views
  TForm form{nullptr};
  TCountingView* src = nullptr;
  TCountingView* v = nullptr;
};

}  // namespace

TEST_F(ReplistIO, EveryReadMakesTheGridFollowTheModelWithOneRepaint) {
  int setups = 0;
  v->SetOnChangeSetup([&](TObject*) { ++setups; });
  const String xml = File("list.xml");
  src->SaveAsXMLFile(xml, u"stock");
  ASSERT_TRUE(CheckIfValidReplist(xml, u"STOCK"));

  v->Paints = 0;
  ASSERT_TRUE(v->LoadFromXMLFile(xml, u"stock"));
  Application->ProcessMessages();
  EXPECT_EQ(v->Paints, 1);
  EXPECT_EQ(setups, 1);
  ExpectShowsSource();

  // The same through a string and a CSV file.
  auto again = [&](auto read, bool csv = false) {
    v->SetNrCols(2);
    v->SetColWidths(2, 77);
    v->SetColumnOrder({2, 1});
    v->SetNrRows(9);
    ASSERT_TRUE(read());
    ExpectShowsSource(csv);
  };
  TStringStream stream;
  src->WriteToXMLStream(&stream, true, u"s");
  again([&] { return v->ReadFromXMLString(stream.DataString(), u"s"); });
  const String csv = File("list.csv");
  EXPECT_EQ(src->ExportCSV(csv, csvSemicolon, true, false, 1, 1, 4, 3), 3);
  again([&] { return v->ImportCSV(csv, csvSemicolon, true) == 3; }, true);
}

TEST_F(ReplistIO, AFailedReadLeavesModelAndViewAsTheyWere) {
  v->Data()->SetDataID(u"mine");
  v->SetElem(1, 2, u"keep");
  v->SetElem(1, 3, u"keep too");
  ASSERT_EQ(v->FilterAndSort(u"keep", {1}, true, fmSimple, 0, true), 2);
  v->Paints = 0;
  const TViewState before = State();
  ASSERT_EQ(before.Shown, 2);

  const String xml = File("other.xml");
  src->SaveAsXMLFile(xml, u"other");
  EXPECT_FALSE(v->LoadFromXMLFile(xml, u"wanted"));
  EXPECT_FALSE(v->ReadFromXMLString(u"<replist generator=\"joxkit\">\n<cell>broken", u""));
  EXPECT_FALSE(v->ReadFromXMLString(u"no list at all", u""));
  EXPECT_THROW(v->LoadFromXMLFile(File("missing.xml"), u""), EStreamError);
  const String bad = File("bad.csv");
  { std::ofstream(ToUtf8(bad)) << "\"unclosed;quote\n"; }
  EXPECT_EQ(v->ImportCSV(bad, csvSemicolon, false), -1);
  EXPECT_EQ(v->LoadLinesFromFile(7, 1, bad), -1);
  Application->ProcessMessages();
  EXPECT_TRUE(State() == before);
  EXPECT_EQ(v->ColumnAlignment(2), taRightJustify);
  EXPECT_EQ(v->DataID(), u"mine");
  EXPECT_FALSE(v->SuppressPaint());
}

TEST_F(ReplistIO, LinesFromAFileAddRowsAndKeepTheColumns) {
  const String lines = File("lines.txt");
  { std::ofstream(ToUtf8(lines)) << "one\ntwo\nthree\n"; }
  EXPECT_EQ(v->LoadLinesFromFile(1, 8, lines), 3);
  EXPECT_EQ(v->NrOfRows(), 10);
  EXPECT_EQ(v->RowCount(), 2 + 10);
  EXPECT_EQ(v->Elem(1, 10), u"three");
  EXPECT_EQ(v->ColumnOrder(1), 2);  // only rows came: the column order stays
  EXPECT_EQ(v->ColWidths(1), 77);  // model column 1 stands in the grid column set to 77
}
