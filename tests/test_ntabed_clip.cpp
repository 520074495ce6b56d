// TNTabEd menus and clipboard: the copy text, paste from the copy buffer, extraction of numbers from
// any text, the matrix size of a text, the data and heading menus (enabling, masks, precision steps,
// inserting, clearing), the heading editor and the comment memo.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ntabed/ntabed.h"
#include "package/framework/controls/clipbrd.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/input.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

class NTabEdClipTest : public test::FrameworkTest {
 protected:
  void SetUp() override {
    test::FrameworkTest::SetUp();
    form.SetBounds(0, 0, 600, 400);
    t = new TNTabEd(&form);
    t->SetParent(&form);
    t->SetBounds(0, 0, 500, 300);
    t->SetOnChange([this](TObject*) { ++changes; });
    t->SetOnPaste([this](TObject*) { ++pastes; });
    Application->ProcessMessages();
  }
  void TearDown() override {
    if (t->PopupD()) t->PopupD()->CloseMenu();
    if (t->PopupH()) t->PopupH()->CloseMenu();
    test::FrameworkTest::TearDown();
  }
  // Selects table cells (c0, r0) .. (c1, r1).
  void Select(Integer c0, Integer r0, Integer c1, Integer r1) {
    const Integer dc = t->AttribRowVisible() ? 1 : 0, dr = t->AttribColVisible() ? 1 : 0;
    t->SetSelection({c0 + dc, r0 + dr, c1 + dc, r1 + dr});
  }
  TMenuItem* DItem(Integer n) {
    return static_cast<TMenuItem*>(t->PopupD()->FindComponent(u"DIt" + IntToStr(n)));
  }
  TMenuItem* HItem(Integer n) {
    return static_cast<TMenuItem*>(t->PopupH()->FindComponent(u"HIt" + IntToStr(n)));
  }
  // Right click on grid cell (gc, gr).
  void RightClick(Integer gc, Integer gr) {
    const TRect rc = t->CellRect(gc, gr);
    input::Click(t, (rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2, mbRight);
    Application->AdvanceClock(1000);
  }

  TForm form{nullptr};
  TNTabEd* t = nullptr;
  int changes = 0, pastes = 0;
};

}  // namespace

TEST_F(NTabEdClipTest, CopyTextOfTheTwoByTwoExample) {
  t->SetPrecision(1, 2);
  t->SetPrecision(2, 2);
  t->SetClipboardUseFullPrec(false);
  t->SetElem(1, 1, 1);
  t->SetElem(2, 1, 2);
  t->SetIsEmpty(1, 2, true);
  t->SetElem(2, 2, 4);
  Select(1, 1, 2, 2);
  t->Copy();
  EXPECT_EQ(Clipboard()->AsText(), u" 1.00\t2.00\r\n ####\t4.00\r\n");
  t->SetPrecision(2, -1);
  t->Data->SetCellState(2, 2, ntsNotANumber);
  t->Copy();
  EXPECT_EQ(Clipboard()->AsText(), u" 1.00\t 2.0000000000000000E+0000\r\n ####\t####\r\n");
}

TEST_F(NTabEdClipTest, FullPrecisionTextReadsBackExactly) {
  const double values[] = {0.1, 1.0 / 3, -2.5e-300, 1.7976931348623157e308, 123456789.123456789, -0.0};
  t->SetNrOfColumns(6);
  t->SetNrOfRows(1);
  for (Integer c = 1; c <= 6; ++c) t->SetElem(c, 1, values[c - 1]);
  Select(1, 1, 6, 1);
  t->Copy();
  const String text = Clipboard()->AsText();
  EXPECT_EQ(text.substr(0, 26), u"  1.0000000000000001E-0001");
  t->Fill(9);
  t->ExtractFromClipboard();
  for (Integer c = 1; c <= 6; ++c) EXPECT_EQ(t->Elem(c, 1), values[c - 1]) << c;
}

TEST_F(NTabEdClipTest, PasteComesFromTheCopyBufferAndIsCutAtTheEdge) {
  t->SetElem(1, 1, 5);
  t->SetElem(2, 1, 6);
  t->SetElemMarkedA(2, 1, true);
  t->SetIsEmpty(1, 2, true);
  // Nothing copied yet: Paste is off whatever the clipboard holds.
  Clipboard()->SetAsText(u"1\t2\r\n");
  RightClick(2, 1);
  ASSERT_TRUE(t->PopupD()->IsOpen());
  EXPECT_FALSE(DItem(8)->Enabled());
  t->PopupD()->CloseMenu();
  t->Paste();
  EXPECT_EQ(pastes, 0);

  Select(1, 1, 2, 2);
  t->Copy();
  RightClick(2, 1);
  EXPECT_TRUE(DItem(8)->Enabled());
  t->PopupD()->CloseMenu();
  t->SetDataReadOnly(true);
  RightClick(2, 1);
  EXPECT_FALSE(DItem(8)->Enabled());
  EXPECT_FALSE(DItem(6)->Enabled());
  EXPECT_FALSE(DItem(9)->Enabled());
  t->PopupD()->CloseMenu();
  t->SetDataReadOnly(false);

  t->SetVRangeLow(0);
  t->SetVRangeHigh(5.5);
  Select(3, 3, 3, 3);
  changes = 0;
  t->Paste();
  EXPECT_EQ(t->Elem(3, 3), 5);
  EXPECT_EQ(t->Elem(3, 4), 0);
  EXPECT_TRUE(t->IsEmpty(3, 4));
  EXPECT_EQ(t->Elem(4, 3), 0);  // beyond the last column: cut
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(pastes, 1);
  EXPECT_EQ(t->Selection(), (TGridRect{4, 3, 4, 4}));
}

TEST_F(NTabEdClipTest, ExtractFillsABlockFromAnyText) {
  t->SetNrOfColumns(5);
  Select(2, 2, 2, 2);
  Clipboard()->SetAsText(u"1\t2\t3\r\n4.5\t-6e2\t.5\r\n");
  t->ExtractFromClipboard();
  EXPECT_EQ(t->Elem(2, 2), 1);
  EXPECT_EQ(t->Elem(4, 2), 3);
  EXPECT_EQ(t->Elem(3, 3), -600);
  EXPECT_EQ(t->Elem(4, 3), 0.5);
  EXPECT_EQ(t->Selection(), (TGridRect{3, 2, 5, 3}));
  EXPECT_EQ(pastes, 1);

  // A comma separates numbers; text around numbers is skipped; lines may end in LF alone.
  Select(1, 1, 1, 1);
  t->ExtractFromText(u"x = 1,5 kg\ny: 7\n");
  EXPECT_EQ(t->Elem(1, 1), 1);
  EXPECT_EQ(t->Elem(2, 1), 5);
  EXPECT_EQ(t->Elem(1, 2), 7);
  // Past the last row and column everything is cut.
  Select(5, 4, 5, 4);
  t->ExtractFromText(u"8 9\r\n10 11\r\n");
  EXPECT_EQ(t->Elem(5, 4), 8);
  EXPECT_EQ(t->Selection(), (TGridRect{6, 4, 6, 4}));
  t->ExtractFromText(u"1e5000 -1e5000 1e-5000 1e");
  EXPECT_EQ(t->Elem(5, 4), std::numeric_limits<double>::max());
  Select(1, 1, 1, 1);
  t->ExtractFromText(u"-" + String(5000, u'9') + u" 1e-5000 2.e1 1e+ -.5");
  EXPECT_EQ(t->Elem(1, 1), -std::numeric_limits<double>::max());
  EXPECT_EQ(t->Elem(2, 1), 0);
  EXPECT_EQ(t->Elem(3, 1), 20);
  EXPECT_EQ(t->Elem(4, 1), 0);  // an exponent sign without digits is no number
  EXPECT_EQ(t->Elem(5, 1), -0.5);
}

// A line feed right after a number ends the line: the rows stay apart, also for the matrix size.
TEST_F(NTabEdClipTest, LineFeedRightAfterANumberStartsTheNextRow) {
  Select(1, 1, 1, 1);
  t->ExtractFromText(u"1 2\n3 4");
  EXPECT_EQ(t->Elem(1, 1), 1);
  EXPECT_EQ(t->Elem(2, 1), 2);
  EXPECT_EQ(t->Elem(1, 2), 3);
  EXPECT_EQ(t->Elem(2, 2), 4);
  EXPECT_EQ(t->Selection(), (TGridRect{2, 1, 3, 2}));
  Clipboard()->SetAsText(u"1 2\n3 4");
  Integer nc = 0, nr = 0;
  EXPECT_TRUE(t->GetClipMatrixSize(nc, nr));
  EXPECT_EQ(nc, 2);
  EXPECT_EQ(nr, 2);
}

TEST_F(NTabEdClipTest, MatrixSizeOfClipboardText) {
  Integer nc = 0, nr = 0;
  EXPECT_FALSE(t->GetClipMatrixSize(nc, nr));
  EXPECT_EQ(nc, 1);
  EXPECT_EQ(nr, 1);
  Clipboard()->SetAsText(u"1,5");
  EXPECT_TRUE(t->GetClipMatrixSize(nc, nr));
  EXPECT_EQ(nc, 1);
  Clipboard()->SetAsText(u"1\t2\t3\r\n4\t5\r\n");
  EXPECT_TRUE(t->GetClipMatrixSize(nc, nr));
  EXPECT_EQ(nc, 3);
  EXPECT_EQ(nr, 2);
  Clipboard()->SetAsText(u"1 2 3 4");  // no line end
  EXPECT_TRUE(t->GetClipMatrixSize(nc, nr));
  EXPECT_EQ(nc, 4);
  EXPECT_EQ(nr, 1);
  Clipboard()->SetAsText(u"no numbers here\r\n");
  EXPECT_FALSE(t->GetClipMatrixSize(nc, nr));
}

TEST_F(NTabEdClipTest, DataMenuMaskClearAndEmptyStates) {
  t->SetPopupDMask(0x7FFFFFFF & ~(1 << 5));
  RightClick(2, 1);
  EXPECT_FALSE(DItem(6)->Visible());
  EXPECT_FALSE(DItem(6)->Enabled());
  EXPECT_TRUE(DItem(7)->Visible());
  t->PopupD()->CloseMenu();
  t->SetPopupDMask(0x7FFFFFFF);

  t->SetElem(1, 1, 3);
  t->SetElemMarkedA(1, 1, true);
  t->SetElemMarkedB(1, 2, true);
  t->SetElem(2, 2, 8);
  Select(1, 1, 1, 2);
  changes = 0;
  DItem(6)->Click();
  EXPECT_EQ(t->Elem(1, 1), 0);
  EXPECT_EQ(t->CellState(1, 1), 0);  // marks go too
  EXPECT_EQ(t->CellState(1, 2), 0);
  EXPECT_EQ(t->Elem(2, 2), 8);
  EXPECT_EQ(changes, 1);
  TObject* sender = nullptr;
  t->SetOnClear([&](TObject* s) { sender = s; });
  t->SetElem(1, 1, 3);
  DItem(6)->Click();
  EXPECT_EQ(sender, DItem(6));
  EXPECT_EQ(t->Elem(1, 1), 3);

  Select(1, 1, 2, 1);
  DItem(12)->Click();
  EXPECT_TRUE(t->IsEmpty(1, 1));
  EXPECT_TRUE(t->IsEmpty(2, 1));
  DItem(13)->Click();
  EXPECT_FALSE(t->IsEmpty(1, 1));
  Select(2, 2, 2, 2);
  t->PopupD()->FindComponent(u"M2It3");
  static_cast<TMenuItem*>(t->PopupD()->FindComponent(u"M2It3"))->Click();  // mark B on the row
  EXPECT_EQ(t->NrOfMarkedDataB(), 3);
  DItem(11)->Click();
  EXPECT_EQ(t->Selection(), (TGridRect{2, 1, 4, 4}));
  DItem(10)->Click();
  EXPECT_TRUE(t->DataReadOnly());
  RightClick(2, 1);
  EXPECT_TRUE(DItem(10)->HasBitmap());
}

TEST_F(NTabEdClipTest, HeadingMenuStepsPrecisionSelectsInsertsAndDeletes) {
  t->SetPrecision(2, 0);
  RightClick(3, 0);  // heading of table column 2
  ASSERT_TRUE(t->PopupH()->IsOpen());
  EXPECT_EQ(HItem(3)->Caption(), u"Select Column");
  EXPECT_TRUE(HItem(2)->Enabled());
  t->PopupH()->CloseMenu();
  HItem(2)->Click();
  EXPECT_EQ(t->Precision(2), -1);
  Application->ProcessMessages();
  EXPECT_TRUE(t->PopupH()->IsOpen());  // open again for the next step
  t->PopupH()->CloseMenu();
  HItem(2)->Click();
  EXPECT_EQ(t->Precision(2), 10);
  t->PopupH()->CloseMenu();
  HItem(3)->Click();
  EXPECT_EQ(t->Selection(), (TGridRect{3, 1, 3, 4}));
  changes = 0;
  HItem(4)->Click();
  EXPECT_EQ(t->NrOfColumns(), 4);
  EXPECT_EQ(t->ColName(2), u"(...)");
  EXPECT_EQ(changes, 0);
  HItem(5)->Click();
  EXPECT_EQ(t->NrOfColumns(), 3);

  RightClick(0, 3);  // row heading
  EXPECT_EQ(HItem(5)->Caption(), u"Delete Row");
  EXPECT_FALSE(HItem(2)->Enabled());
  t->PopupH()->CloseMenu();
  HItem(5)->Click();
  EXPECT_EQ(t->NrOfRows(), 3);
  t->SetPopupHMask(0x7FFFFFFF & ~(1 << 3));
  RightClick(0, 2);
  EXPECT_FALSE(HItem(4)->Enabled());
}

TEST_F(NTabEdClipTest, HeadingEditorClampsAttributesAndStoresNames) {
  t->SetAttribColVisible(true);
  auto edit = [&](Integer gc, Integer gr, const String& text, Word key = VK_RETURN) {
    RightClick(gc, gr);
    t->PopupH()->CloseMenu();
    HItem(1)->Click();
    ASSERT_TRUE(t->HeadingEditorOpen());
    t->HeadingEditor()->SetText(text);
    input::KeyPress(t->HeadingEditor(), key);
    EXPECT_FALSE(t->HeadingEditorOpen());
  };
  edit(2, 1, u"300");  // attribute row of table column 1
  EXPECT_EQ(t->ColAttrib(1), 255);
  edit(2, 1, u"-3");
  EXPECT_EQ(t->ColAttrib(1), 0);
  edit(2, 1, u"17.5");
  EXPECT_EQ(t->ColAttrib(1), 18);
  edit(2, 1, u"abc");
  EXPECT_EQ(t->ColAttrib(1), 18);
  edit(1, 3, u"42");  // attribute column, table row 2
  EXPECT_EQ(t->RowAttrib(2), 42);
  edit(0, 3, u"Sample 2");
  EXPECT_EQ(t->RowName(2), u"Sample 2");
  edit(3, 0, u"Depth");
  EXPECT_EQ(t->ColName(2), u"Depth");
  edit(3, 0, u"ignored", VK_ESCAPE);
  EXPECT_EQ(t->ColName(2), u"Depth");
}

TEST_F(NTabEdClipTest, CommentMemoOpensOnTheCorner) {
  t->SetComment(u"old");
  RightClick(0, 0);
  ASSERT_TRUE(t->CommentEditorOpen());
  EXPECT_EQ(t->CommentEditor()->Text(), u"old");
  t->CommentEditor()->SetText(u"new text");
  changes = 0;
  input::KeyPress(t->CommentEditor(), VK_RETURN);
  EXPECT_FALSE(t->CommentEditorOpen());
  EXPECT_EQ(t->Comment(), u"new text");
  EXPECT_EQ(changes, 1);
  // Escape and a click on the corner close it without storing.
  RightClick(0, 0);
  t->CommentEditor()->SetText(u"dropped");
  input::KeyPress(t->CommentEditor(), VK_ESCAPE);
  EXPECT_EQ(t->Comment(), u"new text");
  RightClick(0, 0);
  const TRect rc = t->CellRect(0, 0);
  input::Click(t, rc.Left + 5, rc.Top + 5);
  EXPECT_FALSE(t->CommentEditorOpen());
  t->SetCommentEditingAllowed(false);
  RightClick(0, 0);
  EXPECT_FALSE(t->CommentEditorOpen());
  // No built-in menu while blocked or while the control has a menu of its own.
  t->SetBlockInternalPopup(true);
  RightClick(2, 2);
  EXPECT_FALSE(t->PopupD()->IsOpen());
}

TEST_F(NTabEdClipTest, ClipboardKeys) {
  t->SetFocus();
  t->SetElem(1, 1, 2.5);
  t->SetElemMarkedA(1, 1, true);
  Select(1, 1, 1, 1);
  input::KeyPress(t, 'C', ssCtrl);
  EXPECT_TRUE(t->PasteAvailable());
  // The editor's own copy comes back with its marks.
  Select(2, 2, 2, 2);
  input::KeyPress(t, 'V', ssCtrl);
  EXPECT_EQ(t->Elem(2, 2), 2.5);
  EXPECT_TRUE(t->ElemMarkedA(2, 2));
  // Text from elsewhere is read for numbers.
  Clipboard()->SetAsText(u"7\t8\n");
  Select(1, 3, 1, 3);
  input::KeyPress(t, 'V', ssCtrl);
  EXPECT_EQ(t->Elem(1, 3), 7);
  EXPECT_EQ(t->Elem(2, 3), 8);
  input::KeyPress(t, VK_DELETE);
  EXPECT_EQ(t->Elem(1, 3), 0);
  EXPECT_EQ(t->Elem(2, 3), 0);
  t->SetDataReadOnly(true);
  Select(1, 4, 1, 4);
  input::KeyPress(t, 'V', ssCtrl);
  EXPECT_EQ(t->Elem(1, 4), 0);
  input::KeyPress(t, 'A', ssCtrl);
  EXPECT_EQ(t->Selection(), (TGridRect{2, 1, 4, 4}));
}

TEST_F(NTabEdClipTest, ShiftF10OpensTheMenusAtTheCurrentCell) {
  const TRect cell = t->CellRect(3, 2);
  input::Click(t, cell.Left + 5, cell.Top + 5);
  input::KeyPress(t, VK_F10, ssShift);
  ASSERT_TRUE(t->PopupD()->IsOpen());
  const TRect rc = t->CellRect(3, 2);
  const TPoint below = t->ClientToScreen(Point(rc.Left, rc.Bottom));
  TControl* level = t->PopupD()->Level(0);
  EXPECT_NEAR(level->Left(), below.X, 12);
  EXPECT_NEAR(level->Top(), below.Y, 2);
  input::KeyPress(level, VK_ESCAPE);
  EXPECT_FALSE(t->PopupD()->IsOpen());
  // With Ctrl the heading menu of the current column opens, ready to act on that column.
  input::KeyPress(t, VK_F10, TShiftState(ssShift) | TShiftState(ssCtrl));
  ASSERT_TRUE(t->PopupH()->IsOpen());
  EXPECT_EQ(HItem(3)->Caption(), u"Select Column");
  EXPECT_EQ(t->PopupTarget().X, 3);
  // An application's own PopupMenu replaces the built-in menus.
  t->PopupH()->CloseMenu();
  TPopupMenu own(nullptr);
  own.Items()->Add(new TMenuItem(&own));
  t->SetPopupMenu(&own);
  input::KeyPress(t, VK_APPS);
  EXPECT_TRUE(own.IsOpen());
  EXPECT_FALSE(t->PopupD()->IsOpen());
  own.CloseMenu();
  t->SetPopupMenu(nullptr);
}

TEST_F(NTabEdClipTest, ProtectedCellsStayUnderKeysPasteExtractAndClear) {
  t->SetFocus();
  t->SetElem(2, 2, 9);
  t->Copy();  // something to paste: the single cell (1, 1) as selected at start
  t->SetElem(1, 1, 5);
  t->SetCellState(1, 1, ntsProtected | ntsMarkA);
  Select(1, 1, 1, 1);
  Clipboard()->SetAsText(u"7\n");
  for (const auto& [key, shift] : {std::pair<Word, TShiftState>{VK_DELETE, {}}, {'V', ssCtrl}, {VK_INSERT, ssShift},
                                   {'X', ssCtrl}}) {
    input::KeyPress(t, key, shift);
    EXPECT_EQ(t->Elem(1, 1), 5) << key;
    EXPECT_EQ(t->CellState(1, 1), ntsProtected | ntsMarkA) << key;
  }
  // A block that holds a protected cell: the others change, the protected one does not.
  t->SetElem(2, 1, 6);
  Select(1, 1, 1, 1);
  input::KeyPress(t, VK_RIGHT, ssShift);  // the block (1, 1) .. (2, 1), current cell (2, 1)
  ASSERT_EQ(t->Selection(), (TGridRect{1 + 1, 1, 2 + 1, 1}));
  input::KeyPress(t, VK_DELETE);
  EXPECT_EQ(t->Elem(1, 1), 5);
  EXPECT_EQ(t->CellState(1, 1), ntsProtected | ntsMarkA);
  EXPECT_EQ(t->Elem(2, 1), 0);
  Clipboard()->SetAsText(u"1\t2\n");
  t->ExtractFromClipboard();
  EXPECT_EQ(t->Elem(1, 1), 5);
  EXPECT_EQ(t->Elem(2, 1), 2);
  t->SetElem(1, 3, 3);
  t->SetElem(2, 3, 4);
  Select(1, 3, 2, 3);
  t->Copy();
  Select(1, 1, 1, 1);
  t->Paste();
  EXPECT_EQ(t->Elem(1, 1), 5);
  EXPECT_EQ(t->CellState(1, 1), ntsProtected | ntsMarkA);
  EXPECT_EQ(t->Elem(2, 1), 4);
  Select(1, 1, 2, 1);
  DItem(6)->Click();
  EXPECT_EQ(t->Elem(1, 1), 5);
  EXPECT_EQ(t->Elem(2, 1), 0);
}

TEST_F(NTabEdClipTest, RightClickActsOnTheCellPointedAt) {
  t->SetElem(1, 1, 1);
  t->SetElem(3, 3, 3);
  Select(1, 1, 1, 1);
  RightClick(4, 3);  // table cell (3, 3)
  ASSERT_TRUE(t->PopupD()->IsOpen());
  EXPECT_EQ(t->Col(), 4);
  EXPECT_EQ(t->Row(), 3);
  EXPECT_EQ(t->Selection(), (TGridRect{4, 3, 4, 3}));
  DItem(6)->Click();
  EXPECT_EQ(t->Elem(3, 3), 0);
  EXPECT_EQ(t->Elem(1, 1), 1);
  t->PopupD()->CloseMenu();
  // Inside a selected block the block stays, for the menu's range commands.
  Select(1, 1, 3, 3);
  RightClick(3, 2);
  ASSERT_TRUE(t->PopupD()->IsOpen());
  EXPECT_EQ(t->Selection(), (TGridRect{2, 1, 4, 3}));
}

TEST_F(NTabEdClipTest, FullPrecisionFieldsAre25WideAndBothWidthsReadBack) {
  t->SetNrOfColumns(4);
  t->SetNrOfRows(1);
  t->SetElem(1, 1, 1.5);
  t->SetElem(2, 1, std::numeric_limits<double>::infinity());
  t->SetElem(3, 1, std::nan(""));
  t->SetElem(4, 1, -2.0 / 3);
  Select(1, 1, 4, 1);
  t->Copy();
  EXPECT_EQ(Clipboard()->AsText(),
            u"  1.5000000000000000E+0000\t####\t####\t-6.6666666666666663E-0001\r\n");
  // Fields of 22 characters, as other programs write them, read as well.
  Clipboard()->SetAsText(u"  1.25000000000000E+0002\t-3.33333333333333E-0001\r\n");
  Select(1, 1, 1, 1);
  t->ExtractFromClipboard();
  EXPECT_EQ(t->Elem(1, 1), 125);
  EXPECT_EQ(t->Elem(2, 1), -0.333333333333333);
}
