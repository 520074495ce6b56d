// The drop-down list of the combo box and of the grid's pick-list editor: one list for both, a scroll bar
// when the items do not fit, thumb, wheel and keys at 100,000 items, pick and cancel, typing, placement,
// painting only the rows shown, and what assistive technology reads of it.
#include <gtest/gtest.h>

#include <chrono>
#include <map>

#include "package/framework/controls/accessible.h"
#include "package/framework/controls/combobox.h"
#include "package/framework/controls/dropdownlist.h"
#include "package/framework/controls/grids.h"
#include "package/framework/framework.h"
#include "package/framework/controls/popups.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

class DropDownListTest : public test::FrameworkTest {
 protected:
  void SetUp() override {
    test::FrameworkTest::SetUp();
    form.SetBounds(100, 100, 400, 300);
    combo = new TComboBox(&form);
    combo->SetParent(&form);
    combo->SetBounds(10, 10, 145, 21);
    combo->SetStyle(csDropDownList);
    grid = new TDrawGrid(&form);
    grid->SetParent(&form);
    grid->SetBounds(10, 50, 300, 200);
    grid->SetOptions(grid->Options() | goEditing);
    grid->SetOnGetEditStyle([](TObject*, Integer, Integer, TEditStyle& s) { s = esPickList; });
    grid->SetOnGetPickListItems([this](TObject*, Integer, Integer, TStrings* items) { items->Assign(&pick); });
    grid->SetOnGetEditText([this](TObject*, Integer c, Integer r, String& v) { v = cells[{c, r}]; });
    grid->SetOnSetEditText([this](TObject*, Integer c, Integer r, const String& v) { cells[{c, r}] = v; });
  }

  void Fill(TStrings* items, int n) {
    items->BeginUpdate();
    for (int i = 0; i < n; ++i) items->Add(u"item " + IntToStr(i));
    items->EndUpdate();
  }

  // Opens the pick list of cell (1, 1) with Alt+Down; the list that opened.
  TDropDownList* DropPickList() {
    grid->SetFocus();
    grid->ShowEditor();
    editor = grid->InplaceEditor();
    input::KeyPress(editor, VK_DOWN, ssAlt);
    return dynamic_cast<TDropDownList*>(popups::Top());
  }

  // Where the vertical thumb starts while the list is at the top: below the up arrow.
  static TPoint ThumbTop(TItemListBox* box) {
    const TRect bar = box->ScrollBarRect(sbVertical);
    return {(bar.Left + bar.Right) / 2, bar.Top + box->BarSize() + 3};
  }

  TForm form{nullptr};
  TComboBox* combo = nullptr;
  TDrawGrid* grid = nullptr;
  TInplaceEdit* editor = nullptr;
  TStringList pick;
  std::map<std::pair<Integer, Integer>, String> cells;
};

TEST_F(DropDownListTest, ComboAndPickListDropTheSameListWithAScrollBarWhenItemsDoNotFit) {
  Fill(combo->Items(), 20);
  Fill(&pick, 20);
  combo->SetDropDownCount(5);
  combo->SetDroppedDown(true);
  auto* comboList = dynamic_cast<TDropDownList*>(combo->ListPopup());
  ASSERT_NE(comboList, nullptr);
  EXPECT_TRUE(comboList->Box()->ScrollBarVisible(sbVertical));
  EXPECT_EQ(comboList->Box()->VisibleRows(), 5);
  combo->SetDroppedDown(false);

  TDropDownList* pickList = DropPickList();
  ASSERT_NE(pickList, nullptr);
  ASSERT_TRUE(editor->ListVisible());
  EXPECT_TRUE(pickList->Box()->ScrollBarVisible(sbVertical));
  EXPECT_EQ(pickList->Box()->VisibleRows(), 8);  // DropDownRows
  // At least as wide as the cell, right below it, as the combo's is below the combo.
  const TPoint cell = editor->ClientToScreen(Point(0, editor->Height()));
  EXPECT_EQ(pickList->Left(), cell.X);
  EXPECT_EQ(pickList->Top(), cell.Y);
  EXPECT_GE(pickList->Width(), editor->Width());

  // Few items: no bar, the list as high as the items.
  pickList->ClosePopup(true);
  pick.Clear();
  Fill(&pick, 3);
  pickList = DropPickList();
  ASSERT_NE(pickList, nullptr);
  EXPECT_FALSE(pickList->Box()->ScrollBarVisible(sbVertical));
  EXPECT_EQ(pickList->Height(), 3 * pickList->Box()->ItemHeight() + 2);
  // Shown whole at once: the frame and every row, not only the highlighted one.
  Application->ProcessMessages();
  TBitmap* s = pickList->Surface();
  const Integer ih = pickList->Box()->ItemHeight();
  EXPECT_TRUE(test::ColorNear(test::SurfacePixel(s, 0, 0), ColorToRGB(clWindowFrame)));
  EXPECT_TRUE(test::ColorNear(test::SurfacePixel(s, pickList->Width() - 4, 1 + ih / 2), ColorToRGB(clWindow)));
  EXPECT_TRUE(test::ColorNear(test::SurfacePixel(s, pickList->Width() - 4, 1 + 2 * ih + ih / 2), ColorToRGB(clWindow)));
}

TEST_F(DropDownListTest, HundredThousandItemPickListScrollsWithTheThumbTheWheelAndKeys) {
  Fill(&pick, 100000);
  cells[{1, 1}] = u"item 5";
  TDropDownList* list = DropPickList();
  ASSERT_NE(list, nullptr);
  TItemListBox* box = list->Box();
  EXPECT_EQ(box->Hot(), 5);  // the cell's value, highlighted
  ASSERT_TRUE(box->ScrollBarVisible(sbVertical));
  const Integer maxTop = 100000 - box->VisibleRows();
  EXPECT_EQ(box->MaxScrollPos(sbVertical), maxTop);

  // The thumb dragged halfway down the track: the top row follows in full 32 bits.
  const TRect bar = box->ScrollBarRect(sbVertical);
  const Integer track = bar.Height() - 2 * box->BarSize() - 8;  // the thumb's travel (8 px thumb)
  const TPoint p = ThumbTop(box);
  input::Drag(box, p.X, p.Y, p.X, p.Y + track / 2);
  EXPECT_TRUE(list->IsOpen());
  const Integer expected = Integer(int64_t(maxTop) * (track / 2) / track);
  EXPECT_NEAR(box->TopIndex(), expected, maxTop / track + 1);
  EXPECT_GT(box->TopIndex(), 32767);
  // To the end of the track: the last rows.
  input::Drag(box, p.X, p.Y + track / 2, p.X, bar.Bottom - box->BarSize() - 1);
  EXPECT_EQ(box->TopIndex(), maxTop);
  // The wheel: three rows a notch.
  input::MouseWheel(box, 10, 10, WHEEL_DELTA);
  EXPECT_EQ(box->TopIndex(), maxTop - 3);

  // Keys: Home, PgDn by a page less one, End, Up; the highlight stays in view.
  input::KeyPress(editor, VK_HOME);
  EXPECT_EQ(box->Hot(), 0);
  EXPECT_EQ(box->TopIndex(), 0);
  input::KeyPress(editor, VK_NEXT);
  EXPECT_EQ(box->Hot(), box->VisibleRows() - 1);
  input::KeyPress(editor, VK_END);
  EXPECT_EQ(box->Hot(), 99999);
  EXPECT_EQ(box->TopIndex(), maxTop);
  input::KeyPress(editor, VK_UP);
  input::KeyPress(editor, VK_RETURN);
  EXPECT_FALSE(editor->ListVisible());
  EXPECT_EQ(editor->Text(), u"item 99998");
  EXPECT_TRUE(grid->EditorMode());
  input::KeyPress(editor, VK_RETURN);
  EXPECT_EQ(cells[std::make_pair(1, 1)], u"item 99998");
}

TEST_F(DropDownListTest, EscapeAndAPressOutsideKeepTheOldValueEnterAndAClickCommit) {
  Fill(&pick, 10);
  cells[{1, 1}] = u"item 2";
  // Escape after moving the highlight: the editor keeps its text, the edit stays open.
  TDropDownList* list = DropPickList();
  ASSERT_NE(list, nullptr);
  input::KeyPress(editor, VK_DOWN);
  input::KeyPress(editor, VK_DOWN);
  input::KeyPress(editor, VK_ESCAPE);
  EXPECT_FALSE(editor->ListVisible());
  EXPECT_EQ(editor->Text(), u"item 2");
  EXPECT_TRUE(grid->EditorMode());
  // F4 opens it too; a press outside closes it as Escape does.
  input::KeyPress(editor, VK_F4);
  list = dynamic_cast<TDropDownList*>(popups::Top());
  ASSERT_NE(list, nullptr);
  input::KeyPress(editor, VK_END);
  input::Click(&form, 380, 280);
  EXPECT_FALSE(list->IsOpen());
  EXPECT_EQ(editor->Text(), u"item 2");
  // A click on a row takes it; the pointer highlights the row it is over first.
  grid->ShowEditor();
  list = DropPickList();
  ASSERT_NE(list, nullptr);
  TItemListBox* box = list->Box();
  const TRect row = box->ItemRect(6);
  input::MouseMove(box, 20, row.Top + 1);
  EXPECT_EQ(box->Hot(), 6);
  input::Click(box, 20, row.Top + 1);
  EXPECT_FALSE(list->IsOpen());
  EXPECT_EQ(editor->Text(), u"item 6");
  // The combo box: Escape chooses nothing, a click and Enter choose, each once.
  std::string log;
  combo->SetOnChange([&](TObject*) { log += "change "; });
  combo->SetOnCloseUp([&](TObject*) { log += "close "; });
  Fill(combo->Items(), 10);
  combo->SetItemIndex(2);
  combo->SetFocus();
  input::KeyPress(combo, VK_F4);
  input::KeyPress(combo, VK_DOWN);
  input::KeyPress(combo, VK_ESCAPE);
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(log, "close ");
  input::KeyPress(combo, VK_DOWN, ssAlt);
  box = static_cast<TDropDownList*>(combo->ListPopup())->Box();
  input::Click(box, 20, box->ItemRect(4).Top + 1);
  EXPECT_EQ(combo->ItemIndex(), 4);
  input::KeyPress(combo, VK_UP, ssAlt);
  input::KeyPress(combo, VK_DOWN);
  input::KeyPress(combo, VK_UP, ssAlt);  // toggles it shut, taking the highlight
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->ItemIndex(), 5);
  EXPECT_EQ(log, "close close change close change ");
}

TEST_F(DropDownListTest, TypingJumpsToTheNextItemStartingWithTheLetter) {
  for (const char16_t* s : {u"apple", u"banana", u"cherry", u"blueberry", u"Bramble"}) pick.Add(s);
  TDropDownList* list = DropPickList();
  ASSERT_NE(list, nullptr);
  input::TypeText(editor, u"b");
  EXPECT_EQ(list->Box()->Hot(), 1);
  input::TypeText(editor, u"b");
  EXPECT_EQ(list->Box()->Hot(), 3);
  input::TypeText(editor, u"B");  // case is ignored
  EXPECT_EQ(list->Box()->Hot(), 4);
  input::TypeText(editor, u"b");  // round to the first again
  EXPECT_EQ(list->Box()->Hot(), 1);
  EXPECT_EQ(editor->Text(), u"");  // typing moved the highlight, nothing was typed into the cell
  Application->Advance(2000);
  input::TypeText(editor, u"ch");
  EXPECT_EQ(list->Box()->Hot(), 2);
  input::KeyPress(editor, VK_RETURN);
  EXPECT_EQ(editor->Text(), u"cherry");
}

TEST_F(DropDownListTest, OpensAboveTheOwnerWhenTheWorkAreaHasNoRoomBelow) {
  Fill(combo->Items(), 20);
  const TRect area = popups::WorkAreaFor(combo, Point(0, 0));
  form.SetBounds(100, area.Bottom - 60, 400, 300);
  combo->SetDroppedDown(true);
  TControl* list = combo->ListPopup();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->Top() + list->Height(), combo->ClientToScreen(Point(0, 0)).Y);
}

// A page of a 100,000-item list paints as fast as a page of a 20-item list: only the shown rows are
// visited, and item heights are not measured per item.
TEST_F(DropDownListTest, PaintingVisitsOnlyTheShownRows) {
  auto paint = [this](int n) {
    pick.Clear();
    Fill(&pick, n);
    TDropDownList* list = DropPickList();
    EXPECT_NE(list, nullptr);
    if (!list) return 1.0;
    input::KeyPress(editor, VK_END);
    Application->ProcessMessages();
    int drawn = 0;
    list->Box()->SetOnDrawItem([&](TCanvas* c, Integer, TRect r, TOwnerDrawState) {
      ++drawn;
      c->FillRect(r);
    });
    constexpr int kRuns = 50;
    const auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < kRuns; ++i) {
      list->Box()->Invalidate();
      list->Box()->Update();
    }
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count() / kRuns;
    EXPECT_EQ(drawn, kRuns * list->Box()->VisibleRows()) << n;
    list->Box()->SetOnDrawItem(nullptr);
    list->ClosePopup(true);
    grid->CancelEdit();
    return s;
  };
  const double small = paint(20);
  const double large = paint(100000);
  RecordProperty("paint_100k_us", std::to_string(large * 1e6));
  EXPECT_LT(large, small * 4 + 0.0002) << small * 1e6 << " us / " << large * 1e6 << " us";
}

TEST_F(DropDownListTest, AssistiveTechnologyReadsAListNamedByItsOwnerWithTheHighlightFocused) {
  auto* label = new TLabel(&form);
  label->SetParent(&form);
  label->SetCaption(u"Colour");
  label->SetFocusControl(combo);
  for (const char16_t* s : {u"Red", u"Green", u"Blue"}) combo->Items()->Add(s);
  combo->SetItemIndex(1);
  combo->SetFocus();
  input::KeyPress(combo, VK_DOWN, ssAlt);
  auto* list = static_cast<TDropDownList*>(combo->ListPopup());
  TAccessible* box = list->Box()->Accessible();
  EXPECT_EQ(box->Role(), arList);
  EXPECT_EQ(box->Name(), u"Colour");
  EXPECT_EQ(list->Accessible()->Name(), u"Colour");
  TAccessible* focus = AccessibleFocus();
  ASSERT_NE(focus, nullptr);
  EXPECT_EQ(focus->Role(), arListItem);
  EXPECT_EQ(focus->Name(), u"Green");
  input::KeyPress(combo, VK_DOWN);
  focus = AccessibleFocus();
  ASSERT_NE(focus, nullptr);
  EXPECT_EQ(focus->Name(), u"Blue");
  EXPECT_TRUE(focus->States() & asSelected);
  // "activate" on an item picks it, as a click does.
  auto* node = static_cast<TControlAccessible*>(box);
  EXPECT_TRUE(node->DoItemAction(0, 1));
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->ItemIndex(), 0);
}

}  // namespace
