// The framework grids: layout arithmetic on large grids, hit-testing, keys, sizing, scrolling, the
// cells a paint visits, and the in-place editor's begin, commit and cancel with its pick list.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>
#include <vector>

#include "package/framework/controls/forms.h"
#include "package/framework/controls/grids.h"
#include "package/framework/controls/input.h"
#include "package/framework/controls/popups.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

class GridTest : public test::FrameworkTest {
 protected:
  void SetUp() override {
    test::FrameworkTest::SetUp();
    form.SetBounds(0, 0, 400, 300);
    g = new TDrawGrid(&form);
    g->SetParent(&form);
    g->SetBounds(0, 0, 300, 200);
    g->SetOnDrawCell([this](TObject*, Integer c, Integer r, const TRect&, TGridDrawState) { drawn.insert({c, r}); });
    g->SetOnGetEditText([this](TObject*, Integer c, Integer r, String& v) { v = cells[{c, r}]; });
    g->SetOnSetEditText([this](TObject*, Integer c, Integer r, const String& v) {
      cells[{c, r}] = v;
      ++sets;
    });
  }
  TPoint Mid(Integer c, Integer r) {
    const TRect rc = g->CellRect(c, r);
    return {(rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2};
  }
  void ClickCell(Integer c, Integer r, TShiftState s = {}) {
    const TPoint p = Mid(c, r);
    input::Click(g, p.X, p.Y, mbLeft, s);
    Application->ProcessMessages();
  }

  String Cell(Integer c, Integer r) { return cells[{c, r}]; }

  TForm form{nullptr};
  TDrawGrid* g = nullptr;
  std::set<std::pair<Integer, Integer>> drawn;
  std::map<std::pair<Integer, Integer>, String> cells;
  int sets = 0;
};

}  // namespace

TEST(GridAxis, OffsetsAndIndicesWithExceptions) {
  TGridAxis a;
  a.SetDefault(20);
  a.SetCount(1000000);
  a.SetSize(0, 30);
  a.SetSize(500000, 0);
  a.SetSize(999999, 50);
  EXPECT_EQ(a.Offset(1, 1), 31);
  EXPECT_EQ(a.Offset(500000, 1), 31 + Int64(499999) * 21);
  // The hidden item takes only its line; the next one starts right after it.
  EXPECT_EQ(a.Offset(500001, 1), a.Offset(500000, 1) + 1);
  EXPECT_EQ(a.IndexAt(a.Offset(500001, 1), 1), 500001);
  EXPECT_EQ(a.IndexAt(a.Offset(123456, 1) + 20, 1), 123456);  // on its line
  EXPECT_EQ(a.IndexAt(a.Offset(1000000, 1), 1), 1000000);
  EXPECT_EQ(a.IndexAt(-1, 1), -1);
  // Shrinking drops the exceptions beyond the end; setting the default drops them all.
  a.SetCount(600000);
  EXPECT_EQ(a.Size(999999), 20);
  a.SetDefault(10);
  EXPECT_EQ(a.Size(0), 10);
  a.SetCount(10);
  a.SetSize(3, 15);
  a.Shift(2, 1);
  EXPECT_EQ(a.Size(4), 15);
  a.Shift(2, -2);
  EXPECT_EQ(a.Size(2), 15);
}

TEST_F(GridTest, DefaultsGeometryAndHitTesting) {
  EXPECT_EQ(g->ColCount(), 5);
  EXPECT_EQ(g->RowCount(), 5);
  EXPECT_EQ(g->FixedCols(), 1);
  EXPECT_EQ(g->DefaultColWidth(), 64);
  EXPECT_EQ(g->DefaultRowHeight(), 24);
  EXPECT_EQ(g->CellRect(0, 0), Rect(0, 0, 64, 24));
  EXPECT_EQ(g->CellRect(2, 1), Rect(130, 25, 194, 49));
  EXPECT_EQ(g->MouseCoord(130, 25), (TGridCoord{2, 1}));
  EXPECT_EQ(g->MouseCoord(194, 25), (TGridCoord{2, 1}));  // the line belongs to the cell before it
  EXPECT_EQ(g->MouseCoord(299, 199).X, -1);               // past the last column
  g->SetColWidths(1, 0);
  EXPECT_EQ(g->MouseCoord(66, 30), (TGridCoord{2, 1}));  // a hidden column takes only its line
}

TEST_F(GridTest, MillionRowsScrollAndPaintOnlyWhatShows) {
  g->SetRowCount(1000000);
  g->SetRowHeights(10, 40);
  EXPECT_TRUE(g->ScrollBarVisible(sbVertical));
  const Integer page = g->VisibleRowCount();
  EXPECT_GT(page, 4);
  g->SetTopRow(999999);
  EXPECT_EQ(g->TopRow(), 1000000 - page);  // the last page fills the client area
  drawn.clear();
  g->Repaint();
  for (const auto& [c, r] : drawn) EXPECT_TRUE(r == 0 || r >= g->TopRow()) << r;
  EXPECT_LE(drawn.size(), size_t(5 * (page + 2)));
  const TRect rc = g->CellRect(1, 999999);
  EXPECT_FALSE(rc.IsEmpty());
  EXPECT_EQ(g->MouseCoord(rc.Left + 1, rc.Top + 1), (TGridCoord{1, 999999}));
  EXPECT_TRUE(g->CellRect(1, 5).IsEmpty());
  // The wheel scrolls three rows a notch.
  g->SetTopRow(100);
  input::MouseWheel(g, 100, 100, -WHEEL_DELTA);
  EXPECT_EQ(g->TopRow(), 103);
}

TEST_F(GridTest, KeysMoveTheCurrentCellAndSelectRanges) {
  g->SetFocus();
  input::KeyPress(g, VK_DOWN);
  input::KeyPress(g, VK_RIGHT);
  EXPECT_EQ(g->Row(), 2);
  EXPECT_EQ(g->Col(), 2);
  input::KeyPress(g, VK_DOWN, ssShift);
  EXPECT_EQ(g->Selection(), (TGridRect{2, 2, 2, 3}));
  input::KeyPress(g, VK_END, ssCtrl);
  EXPECT_EQ(g->Col(), 4);
  EXPECT_EQ(g->Row(), 4);
  input::KeyPress(g, VK_HOME, ssCtrl);
  EXPECT_EQ(g->Col(), 1);
  EXPECT_EQ(g->Row(), 1);
  // With whole rows selected, Home and End go to the first and last row.
  g->SetOptions(g->Options() | goRowSelect);
  input::KeyPress(g, VK_END);
  EXPECT_EQ(g->Row(), 4);
  input::KeyPress(g, VK_HOME);
  EXPECT_EQ(g->Row(), 1);
  g->SetOptions(g->Options() - goRowSelect);
  // Tab walks the cells only with goTabs; without it the focus leaves the grid.
  g->SetOptions(g->Options() | goTabs);
  input::KeyPress(g, VK_TAB);
  EXPECT_EQ(g->Col(), 2);
  g->SetCol(4);
  input::KeyPress(g, VK_TAB);
  EXPECT_EQ(g->Col(), 1);
  EXPECT_EQ(g->Row(), 2);
  // A refused cell keeps the current one.
  g->SetOnSelectCell([](TObject*, Integer c, Integer, bool& can) { can = c != 3; });
  g->SetCol(2);
  input::KeyPress(g, VK_RIGHT);
  EXPECT_EQ(g->Col(), 2);
}

TEST_F(GridTest, MouseSelectsAndSizesColumns) {
  ClickCell(3, 2);
  EXPECT_EQ(g->Col(), 3);
  EXPECT_EQ(g->Row(), 2);
  ClickCell(1, 1, ssShift);
  EXPECT_EQ(g->Selection(), (TGridRect{1, 1, 3, 2}));
  // Dragging a column border in the fixed row sizes the column.
  g->SetOptions(g->Options() | goColSizing);
  const TRect h = g->CellRect(1, 0);
  input::Drag(g, h.Right, 10, h.Right + 30, 10);
  EXPECT_EQ(g->ColWidths(1), 94);
}

TEST_F(GridTest, EditorBeginsCommitsAndCancels) {
  g->SetOptions(g->Options() | goEditing);
  cells[{2, 1}] = u"old";
  ClickCell(2, 1);
  EXPECT_FALSE(g->EditorMode());
  ClickCell(2, 1);  // a click on the current cell opens the editor
  ASSERT_TRUE(g->EditorMode());
  EXPECT_EQ(g->InplaceEditor()->Text(), u"old");
  input::TypeText(g->InplaceEditor(), u"new");
  input::KeyPress(g->InplaceEditor(), VK_ESCAPE);
  EXPECT_FALSE(g->EditorMode());
  EXPECT_EQ(Cell(2, 1), u"old");
  EXPECT_EQ(sets, 0);
  // Typing on a cell starts an edit with what is typed; Enter commits it.
  input::TypeText(g, u"x");
  ASSERT_TRUE(g->EditorMode());
  input::TypeText(g->InplaceEditor(), u"y");
  input::KeyPress(g->InplaceEditor(), VK_RETURN);
  EXPECT_FALSE(g->EditorMode());
  EXPECT_EQ(Cell(2, 1), u"xy");
  // Leaving the cell with an arrow commits as well, and the arrow moves on.
  input::KeyPress(g, VK_F2);
  input::TypeText(g->InplaceEditor(), u"z");
  input::KeyPress(g->InplaceEditor(), VK_DOWN);
  EXPECT_EQ(Cell(2, 1), u"z");
  EXPECT_EQ(g->Row(), 2);
  EXPECT_TRUE(g->Focused());
  // Without goEditing nothing opens.
  g->SetOptions(g->Options() - goEditing);
  g->ShowEditor();
  EXPECT_FALSE(g->EditorMode());
}

TEST_F(GridTest, TheCellEditorKeepsEnterAndEscapeFromTheDialogButtons) {
  int oks = 0, cancels = 0;
  auto* ok = new TButton(&form);
  ok->SetParent(&form);
  ok->SetBounds(310, 10, 75, 25);
  ok->SetDefault(true);
  ok->SetOnClick([&](TObject*) { ++oks; });
  auto* cancel = new TButton(&form);
  cancel->SetParent(&form);
  cancel->SetBounds(310, 40, 75, 25);
  cancel->SetCancel(true);
  cancel->SetOnClick([&](TObject*) { ++cancels; });
  g->SetOptions(g->Options() | goEditing);
  g->SetFocus();
  input::KeyPress(g, VK_F2);
  ASSERT_TRUE(g->EditorMode());
  input::TypeText(g->InplaceEditor(), u"a");
  input::KeyPress(g->InplaceEditor(), VK_ESCAPE);
  EXPECT_FALSE(g->EditorMode());
  input::KeyPress(g, VK_F2);
  input::KeyPress(g->InplaceEditor(), VK_RETURN);
  EXPECT_FALSE(g->EditorMode());
  EXPECT_EQ(oks + cancels, 0);
  // Without an editor open the keys are the dialog's again.
  input::KeyPress(g, VK_RETURN);
  EXPECT_EQ(oks, 1);
}

TEST_F(GridTest, PickListDropsDownAndPicks) {
  g->SetOptions(g->Options() | goEditing);
  g->SetOnGetEditStyle([](TObject*, Integer, Integer, TEditStyle& s) { s = esPickList; });
  g->SetOnGetPickListItems([](TObject*, Integer, Integer, TStrings* items) {
    items->Add(u"red");
    items->Add(u"green");
    items->Add(u"blue");
  });
  cells[{1, 1}] = u"green";
  g->SetFocus();
  g->ShowEditor();
  TInplaceEdit* e = g->InplaceEditor();
  ASSERT_TRUE(e && e->EditStyle() == esPickList);
  input::KeyPress(e, VK_DOWN, ssAlt);
  ASSERT_TRUE(e->ListVisible());
  input::KeyPress(e, VK_DOWN);  // from green to blue
  input::KeyPress(e, VK_RETURN);
  EXPECT_FALSE(e->ListVisible());
  EXPECT_EQ(e->Text(), u"blue");
  EXPECT_EQ(e->SelText(), u"blue");  // chosen whole: what is typed next replaces it
  EXPECT_TRUE(g->EditorMode());
  input::KeyPress(e, VK_RETURN);
  EXPECT_EQ(Cell(1, 1), u"blue");
  // A click on the button opens the list; Escape closes only the list.
  g->ShowEditor();
  e = g->InplaceEditor();
  input::Click(e, e->Width() - 5, 5);
  EXPECT_TRUE(e->ListVisible());
  input::KeyPress(e, VK_ESCAPE);
  EXPECT_FALSE(e->ListVisible());
  EXPECT_TRUE(g->EditorMode());
}

TEST_F(GridTest, EllipsisAlwaysShownEditorAndScrollEvents) {
  int buttons = 0, topLeft = 0;
  g->SetOnEditButtonClick([&](TObject*) { ++buttons; });
  g->SetOnTopLeftChanged([&](TObject*) { ++topLeft; });
  g->SetOnGetEditStyle([](TObject*, Integer, Integer, TEditStyle& s) { s = esEllipsis; });
  g->SetFocus();
  g->SetOptions(g->Options() | goEditing | goAlwaysShowEditor);
  ASSERT_TRUE(g->EditorMode());
  TInplaceEdit* e = g->InplaceEditor();
  input::Click(e, e->Width() - 4, 4);
  EXPECT_EQ(buttons, 1);
  input::KeyPress(e, VK_RETURN, ssCtrl);
  EXPECT_EQ(buttons, 2);
  // The editor follows the current cell and stays open.
  input::KeyPress(e, VK_DOWN);
  EXPECT_TRUE(g->EditorMode());
  EXPECT_EQ(g->Row(), 2);
  EXPECT_EQ(e->Top(), g->CellRect(1, 2).Top);

  g->SetRowCount(100);
  g->SetTopRow(10);
  EXPECT_EQ(topLeft, 1);
  EXPECT_EQ(g->ScrollPos(sbVertical), 10);
  // Bar actions move the rows; without thumb tracking a dragged thumb waits for its release.
  g->Perform(WM_VSCROLL, SB_LINEDOWN);
  EXPECT_EQ(g->TopRow(), 11);
  g->Perform(WM_VSCROLL, SB_THUMBTRACK | (40 << 16));
  EXPECT_EQ(g->TopRow(), 11);
  g->Perform(WM_VSCROLL, SB_THUMBPOSITION | (40 << 16));
  EXPECT_EQ(g->TopRow(), 40);
  g->SetOptions(g->Options() | goThumbTracking);
  g->Perform(WM_VSCROLL, SB_THUMBTRACK | (50 << 16));
  EXPECT_EQ(g->TopRow(), 50);
}

TEST_F(GridTest, RowSizingHiddenRowsAndFixedCounts) {
  g->SetOptions(g->Options() | goRowSizing);
  const TRect f = g->CellRect(0, 1);
  input::Drag(g, 10, f.Bottom, 10, f.Bottom + 16);
  EXPECT_EQ(g->RowHeights(1), 40);
  // A hidden row is skipped by the keys' neighbours in pixels but keeps its place in the counts.
  g->SetRowHeights(2, 0);
  EXPECT_TRUE(g->CellRect(1, 3).Top == g->CellRect(1, 2).Top + 1);
  // Fixed counts stay below the totals; the current cell stays in the data.
  g->SetFixedRows(10);
  EXPECT_EQ(g->FixedRows(), 4);
  g->SetRowCount(2);
  EXPECT_EQ(g->FixedRows(), 1);
  EXPECT_EQ(g->Row(), 1);
  g->SetColCount(0);
  EXPECT_EQ(g->ColCount(), 1);
  EXPECT_EQ(g->FixedCols(), 0);
  drawn.clear();
  g->Repaint();
  EXPECT_EQ(drawn.size(), 2u);  // one column, two rows
}

TEST_F(GridTest, PickListShowsItsRowCount) {
  g->SetOptions(g->Options() | goEditing);
  g->SetOnGetEditStyle([](TObject*, Integer, Integer, TEditStyle& s) { s = esPickList; });
  g->SetOnGetPickListItems([](TObject*, Integer, Integer, TStrings* items) {
    for (const char16_t* t : {u"a", u"b", u"c", u"d", u"e"}) items->Add(t);
  });
  g->SetFocus();
  g->ShowEditor();
  TInplaceEdit* e = g->InplaceEditor();
  ASSERT_TRUE(e);
  auto listHeight = [&](Integer rows) {
    e->SetDropDownRows(rows);
    e->DropDown();
    const Integer h = popups::Open().empty() ? -1 : popups::Open().back()->Height();
    e->CloseUp(false);
    return h;
  };
  const Integer two = listHeight(2), three = listHeight(3);
  EXPECT_GT(two, 0);
  EXPECT_EQ(three - two, (two - 2) / 2);
  EXPECT_EQ(listHeight(9), listHeight(5));  // never more rows than items
  e->SetDropDownRows(0);
  EXPECT_EQ(e->DropDownRows(), 1);
}

// Dragging a fixed cell moves its row (goRowMoving) or column (goColMoving): sizes and the current
// cell follow, and the events say from where to where.
TEST_F(GridTest, DraggingAFixedCellMovesItsRowOrColumn) {
  g->SetOptions(g->Options() | goRowMoving | goColMoving);
  g->SetRowHeights(1, 30);
  g->SetColWidths(3, 50);
  std::vector<std::string> log;
  g->SetOnRowMoved([&](TObject*, Integer f, Integer t) { log.push_back("row " + std::to_string(f) + ">" + std::to_string(t)); });
  g->SetOnColumnMoved([&](TObject*, Integer f, Integer t) { log.push_back("col " + std::to_string(f) + ">" + std::to_string(t)); });
  ClickCell(2, 1);
  TPoint a = Mid(0, 1), b = Mid(0, 3);
  input::Drag(g, a.X, a.Y, b.X, b.Y);
  EXPECT_EQ(g->RowHeights(3), 30);
  EXPECT_EQ(g->RowHeights(1), 24);
  EXPECT_EQ(g->Row(), 3);  // the current cell went with its row
  a = Mid(3, 0);
  b = Mid(1, 0);
  input::Drag(g, a.X, a.Y, b.X, b.Y);
  EXPECT_EQ(g->ColWidths(1), 50);
  EXPECT_EQ(g->Col(), 3);
  EXPECT_EQ(log, (std::vector<std::string>{"row 1>3", "col 3>1"}));
  // Without the options such a drag moves nothing; a data cell never starts a move.
  g->SetOptions(g->Options() - goRowMoving - goColMoving);
  a = Mid(0, 1);
  b = Mid(0, 3);
  input::Drag(g, a.X, a.Y, b.X, b.Y);
  g->SetOptions(g->Options() | goRowMoving);
  a = Mid(2, 2);
  b = Mid(2, 4);
  input::Drag(g, a.X, a.Y, b.X, b.Y);
  EXPECT_EQ(log.size(), 2u);
  for (const char* e : {"OnRowMoved", "OnColumnMoved", "OnGetEditMask"})
    EXPECT_NE(TDrawGrid::ClassInfo().FindProp(FromUtf8(e)), nullptr) << e;
}

// The mask of OnGetEditMask shapes what can be typed: literals go in by themselves, characters
// that do not fit the place (or come beyond the mask) are refused.
TEST_F(GridTest, EditMaskComesFromTheEventAndShapesTyping) {
  g->SetOptions(g->Options() | goEditing);
  int asked = 0;
  g->SetOnGetEditMask([&](TObject*, Integer c, Integer, String& m) {
    ++asked;
    if (c == 2) m = u"00:00;1;_";
  });
  ClickCell(2, 1);
  input::KeyPress(g, VK_F2);
  ASSERT_TRUE(g->EditorMode());
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(g->InplaceEditor()->EditMask(), u"00:00;1;_");
  input::TypeText(g->InplaceEditor(), u"12x345");
  EXPECT_EQ(g->InplaceEditor()->Text(), u"12:34");
  input::KeyPress(g->InplaceEditor(), VK_RETURN);
  EXPECT_EQ(Cell(2, 1), u"12:34");
  // A cell without a mask takes anything.
  ClickCell(3, 1);
  input::KeyPress(g, VK_F2);
  input::TypeText(g->InplaceEditor(), u"ab:1");
  EXPECT_EQ(g->InplaceEditor()->Text(), u"ab:1");
}

// Fixed cells in the three drawing styles: raised (classic), flat with a separator (themed), or a
// gradient from GradientStartColor to GradientEndColor.
TEST_F(GridTest, DrawingStylesPaintTheFixedCells) {
  const TRect f = g->CellRect(1, 0);
  auto px = [&](Integer x, Integer y) {
    g->Repaint();
    return g->Canvas()->Pixels(x, y);
  };
  EXPECT_EQ(g->DrawingStyle(), gdsClassic);
  EXPECT_EQ(px(f.Left, f.Top + 5), ColorToRGB(clBtnHighlight));
  g->SetDrawingStyle(gdsThemed);
  EXPECT_EQ(px(f.Left, f.Top + 5), ColorToRGB(clBtnFace));
  EXPECT_EQ(px(f.Right - 1, f.Top + 5), ColorToRGB(clBtnShadow));
  g->SetDrawingStyle(gdsGradient);
  g->SetGradientStartColor(0x0000FF);
  g->SetGradientEndColor(0xFF0000);
  EXPECT_EQ(px(f.Left + 5, f.Top), 0x0000FFu);
  const TColor low = px(f.Left + 5, f.Bottom - 2);
  EXPECT_GT((low >> 16) & 0xFF, 0xE0u);
  EXPECT_LT(low & 0xFF, 0x20u);
  const TColor mid = px(f.Left + 5, (f.Top + f.Bottom) / 2);
  EXPECT_GT(mid & 0xFF, 0x40u);
  EXPECT_GT((mid >> 16) & 0xFF, 0x40u);
  EXPECT_EQ(px(f.Right - 1, f.Top + 5), ColorToRGB(clBtnShadow));
  for (const char* p : {"DrawingStyle", "GradientStartColor", "GradientEndColor"})
    EXPECT_NE(TDrawGrid::ClassInfo().FindProp(FromUtf8(p)), nullptr) << p;
}

// A SetEditText that refuses the text by raising leaves the grid editing the cell with what was
// typed; a later commit or cancel works, and so does a new edit.
TEST_F(GridTest, ARefusedTextLeavesTheGridAbleToEdit) {
  g->SetOptions(g->Options() | goEditing);
  g->SetOnSetEditText([&](TObject*, Integer c, Integer r, const String& v) {
    if (v == u"bad") throw EConvertError(u"'bad' is not a value");
    cells[{c, r}] = v;
  });
  ClickCell(1, 1);
  input::KeyPress(g, VK_F2);
  input::TypeText(g->InplaceEditor(), u"bad");
  EXPECT_THROW(g->CommitEdit(), EConvertError);
  ASSERT_TRUE(g->EditorMode());
  EXPECT_EQ(g->InplaceEditor()->Text(), u"bad");
  g->InplaceEditor()->SetText(u"good");
  g->CommitEdit();
  EXPECT_FALSE(g->EditorMode());
  EXPECT_EQ(Cell(1, 1), u"good");
  input::KeyPress(g, VK_F2);
  input::TypeText(g->InplaceEditor(), u"bad");
  EXPECT_THROW(g->CommitEdit(), EConvertError);
  g->CancelEdit();
  EXPECT_FALSE(g->EditorMode());
  EXPECT_EQ(Cell(1, 1), u"good");
  input::KeyPress(g, VK_F2);
  EXPECT_TRUE(g->EditorMode());
}

// A drag selection held below the grid goes on scrolling on a timer, one row a tick, and stops
// when the button is released.
TEST_F(GridTest, DragSelectionScrollsWhileThePointerIsHeldOutside) {
  g->SetRowCount(100);
  const TPoint a = Mid(1, 1);
  input::MouseDown(g, a.X, a.Y);
  input::MouseMove(g, a.X, 260);
  for (int i = 0; i < 5; ++i) {
    const Integer top = g->TopRow();
    Application->AdvanceClock(100);
    Application->ProcessMessages();
    EXPECT_GT(g->TopRow(), top) << i;
  }
  EXPECT_EQ(g->Selection().Top, 1);
  EXPECT_EQ(g->Selection().Bottom, g->Row());
  EXPECT_EQ(g->Row(), g->TopRow() + g->VisibleRowCount() - 1);
  // Back inside: no more scrolling.
  input::MouseMove(g, a.X, 100);
  const Integer inside = g->TopRow();
  Application->AdvanceClock(300);
  Application->ProcessMessages();
  EXPECT_EQ(g->TopRow(), inside);
  input::MouseMove(g, a.X, 260);
  input::MouseUp(g, a.X, 260);
  const Integer after = g->TopRow();
  for (int i = 0; i < 3; ++i) {
    Application->AdvanceClock(100);
    Application->ProcessMessages();
  }
  EXPECT_EQ(g->TopRow(), after);
}

// A changed cell repaints that cell: what the rest of the grid shows is not drawn again.
TEST_F(GridTest, ACellInvalidatesOnlyItsOwnRectangle) {
  Application->ProcessMessages();
  TBitmap* s = g->Surface();
  const TPoint o = g->OriginInRoot();
  const TPoint near = Mid(1, 1), far = Mid(3, 3);
  const TColor mark = RGB(1, 2, 3);
  s->Canvas()->SetPixels(o.X + near.X, o.Y + near.Y, mark);
  s->Canvas()->SetPixels(o.X + far.X, o.Y + far.Y, mark);
  drawn.clear();
  g->InvalidateCell(1, 1);
  Application->ProcessMessages();
  EXPECT_TRUE(drawn.count({1, 1}));
  EXPECT_NE(test::SurfacePixel(s, o.X + near.X, o.Y + near.Y), mark);  // painted again
  EXPECT_EQ(test::SurfacePixel(s, o.X + far.X, o.Y + far.Y), mark);    // left alone
}
