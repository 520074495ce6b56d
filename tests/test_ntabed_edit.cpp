// TNTabEd on screen and under the user's hands: number and cell texts, cell colours, the empty-table
// message, typing into cells (separators, blanks, ranges, "-nan-", nominal columns), the first-click
// rule, keys and automatic sizes.
#include <gtest/gtest.h>

#include <set>

#include "ntabed/ntabed.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/input.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

class NTabEdEditTest : public test::FrameworkTest {
 protected:
  void SetUp() override {
    test::FrameworkTest::SetUp();
    form.SetBounds(0, 0, 600, 400);
    t = new TNTabEd(&form);
    t->SetParent(&form);
    t->SetBounds(0, 0, 500, 300);
    Application->ProcessMessages();
  }
  // Centre of the data cell of table column c, row r.
  TPoint At(Integer c, Integer r) {
    const TRect rc = t->CellRect(c + (t->AttribRowVisible() ? 1 : 0), r + (t->AttribColVisible() ? 1 : 0));
    return {(rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2};
  }
  void Click(Integer c, Integer r, TMouseButton b = mbLeft) {
    const TPoint p = At(c, r);
    input::Click(t, p.X, p.Y, b);
    Application->AdvanceClock(1000);  // no double clicks
  }
  // Types a text into the current cell and commits it with Enter.
  void Type(const String& text) {
    for (char16_t ch : text) input::TypeText(Target(), String(1, ch));
    input::KeyPress(Target(), VK_RETURN);
  }
  // Keys go to the cell editor while it is open.
  TControl* Target() { return t->EditorMode() ? static_cast<TControl*>(t->InplaceEditor()) : t; }
  // Colours of the pixels in a cell.
  std::set<TColor> Colours(Integer c, Integer r) {
    t->Repaint();
    const TRect rc = t->CellRect(c + 1, r);
    std::set<TColor> s;
    for (Integer y = rc.Top; y < rc.Bottom; ++y)
      for (Integer x = rc.Left; x < rc.Right; ++x) s.insert(t->Canvas()->Pixels(x, y));
    return s;
  }

  TForm form{nullptr};
  TNTabEd* t = nullptr;
};

}  // namespace

TEST_F(NTabEdEditTest, NumberTextsByPrecisionAndWidth) {
  t->SetPrecision(1, 2);
  EXPECT_EQ(t->NumberText(1234.5, 1), u"1234.50");
  EXPECT_EQ(t->NumberText(0, 1), u"0.00");
  EXPECT_EQ(t->NumberText(0.005, 1), u" 5.00E-03");  // below the smallest fixed step
  EXPECT_EQ(t->NumberText(-0.01, 1), u"-0.01");
  EXPECT_EQ(t->NumberText(1e6, 1), u" 1.00E+06");  // beyond 999999.99
  t->SetPrecision(1, 0);
  EXPECT_EQ(t->NumberText(0.5, 1)[1], u'5');
  EXPECT_NE(t->NumberText(0.5, 1).find(u'E'), String::npos);
  EXPECT_EQ(t->NumberText(999999999, 1), u"999999999");
  EXPECT_NE(t->NumberText(1e9 + 1, 1).find(u'E'), String::npos);
  for (int8_t p : {int8_t(-1), int8_t(3), int8_t(9), int8_t(10)}) {
    t->SetPrecision(1, p);
    EXPECT_EQ(t->NumberText(1e150, 1), String(9, u'*')) << int(p);
  }
  t->SetPrecision(1, 9);
  EXPECT_EQ(t->NumberText(2, 1), u" 2.00E+00");
  t->SetNumWidth(6);
  t->SetPrecision(1, 1);
  EXPECT_EQ(t->NumberText(2.25, 1).size(), 6u);
  EXPECT_EQ(t->NumberText(-7, 1), u"  -7.0");
  t->SetPrecision(1, -1);
  EXPECT_EQ(t->NumberText(-7, 1), u"-7.0000000E+00");
}

TEST_F(NTabEdEditTest, CellTextsOfStatesAndNominalColumns) {
  t->SetElem(1, 1, 2);
  t->SetIsEmpty(1, 1, true);
  EXPECT_EQ(t->CellText(1, 1), u"");
  t->Data->SetCellState(1, 2, ntsNotANumber);
  EXPECT_EQ(t->CellText(1, 2), u"-nan-");
  t->Data->SetMScaleType(2, mstNominal);
  t->Data->SetNominalID(2, 0, u"red");
  t->Data->SetNominalID(2, 1, u"green");
  t->SetElem(2, 1, 0.4);
  t->SetElem(2, 2, 1);
  t->SetElem(2, 3, 200);
  t->SetElem(2, 4, 2.5);  // halves to even: 2, which has no name
  EXPECT_EQ(t->CellText(2, 1), u"red");
  EXPECT_EQ(t->CellText(2, 2), u"green");
  EXPECT_EQ(t->CellText(2, 3), u"nominal:200");
  EXPECT_EQ(t->CellText(2, 4), u"nominal:2");
  t->Data->SetMScaleType(3, mstOrdinal);
  t->SetElem(3, 1, -4);
  EXPECT_EQ(t->CellText(3, 1), u"ordinal:-4");
}

TEST_F(NTabEdEditTest, CellColoursFollowMarksSelectionAndTheRenderEvent) {
  t->SetElem(1, 2, 88.25);
  t->SetElemMarkedA(1, 2, true);
  EXPECT_TRUE(Colours(1, 2).count(clRed));
  t->SetElemMarkedB(1, 2, true);
  EXPECT_TRUE(Colours(1, 2).count(TColor(0xCC00BB)));
  EXPECT_FALSE(Colours(1, 2).count(clRed));
  t->SetSelection({3, 3, 4, 4});
  EXPECT_TRUE(Colours(2, 3).count(TColor(0xF8E8E0)));
  Integer seenCol = 0, seenRow = 0;
  t->SetOnBeforeRenderCell([&](TObject*, Integer c, Integer r, String& text, TColor& fg, TColor& bg, TFontStyles&) {
    if (c != 3 || r != 4) return;
    seenCol = c;
    seenRow = r;
    text = u"XX";
    bg = clYellow;
  });
  EXPECT_TRUE(Colours(3, 4).count(clYellow));
  EXPECT_EQ(seenCol, 3);
  EXPECT_EQ(seenRow, 4);
}

TEST_F(NTabEdEditTest, EmptyTableShowsItsMessageCentredOnLines) {
  t->SetEmptyMessage(u"No data|Paste some");
  t->SetColorEmptyMsg(clRed);
  t->SetNrOfRows(0);
  t->Repaint();
  // Rows holding red text: two bands, around the middle.
  std::vector<Integer> rows;
  for (Integer y = 0; y < t->ClientHeight(); ++y)
    for (Integer x = 0; x < t->ClientWidth(); ++x)
      if (test::SameColor(t->Canvas()->Pixels(x, y), clRed, 60)) {
        rows.push_back(y);
        break;
      }
  ASSERT_FALSE(rows.empty());
  Integer bands = 1;
  for (size_t i = 1; i < rows.size(); ++i) bands += rows[i] > rows[i - 1] + 1;
  EXPECT_EQ(bands, 2);
  EXPECT_NEAR((rows.front() + rows.back()) / 2, t->ClientHeight() / 2, 6);
  EXPECT_TRUE(test::PixelNear(t->Canvas(), 5, 5, clWhite));  // the headings are covered too
}

TEST_F(NTabEdEditTest, TypingSeparatorsBlanksLettersAndRanges) {
  t->SetFocus();
  Click(1, 1);
  Type(u"3,5");
  EXPECT_EQ(t->Elem(1, 1), 3.5);
  EXPECT_EQ(t->Row(), 2);  // Enter moved on
  Type(u" 7 ");
  EXPECT_EQ(t->Elem(1, 2), 7);
  t->SetElem(1, 3, 4.5);
  Type(u"abc");
  EXPECT_EQ(t->Elem(1, 3), 4.5);
  EXPECT_EQ(t->CellText(1, 3), u"-nan-");
  EXPECT_FALSE(t->IsNumber(1, 3));
  t->SetVRangeLow(0);
  t->SetVRangeHigh(10);
  Type(u"12");
  EXPECT_EQ(t->Elem(1, 4), 10);
  // Retyping a number into a cell that was not one makes it a number again; "nan" is no number.
  t->SetCol(2);
  t->SetRow(3);
  Type(u"nan");
  EXPECT_TRUE(t->CellState(1, 3) & ntsNotANumber);
  t->SetAutoAdvanceDir(orHorizontal);
  t->SetCol(2);
  t->SetRow(3);
  Type(u"2");
  EXPECT_TRUE(t->IsNumber(1, 3));
  EXPECT_EQ(t->Col(), 3);
  // An empty cell typed into shows what was typed.
  t->SetIsEmpty(2, 3, true);
  Type(u"6");
  EXPECT_EQ(t->CellText(2, 3), u"6.000");
}

TEST_F(NTabEdEditTest, NominalColumnsTakeIdentifiersAndIntegers) {
  t->Data->SetMScaleType(1, mstNominal);
  t->Data->SetNominalID(1, 0, u"off");
  t->Data->SetNominalID(1, 3, u"on");
  t->SetFocus();
  Click(1, 1);
  Click(1, 1);
  ASSERT_TRUE(t->EditorMode());
  TInplaceEdit* e = t->InplaceEditor();
  EXPECT_EQ(e->EditStyle(), esPickList);
  e->DropDown();
  EXPECT_EQ(e->PickList()->Count(), 2);
  EXPECT_EQ(e->PickList()->Strings(1), u"on");
  e->CloseUp(false);
  e->SetText(u"off");  // the identifier of ordinal 0 counts
  input::KeyPress(e, VK_RETURN);
  EXPECT_EQ(t->Elem(1, 1), 0);
  EXPECT_EQ(t->CellState(1, 1), 0);
  Type(u"on");
  EXPECT_EQ(t->Elem(1, 2), 3);
  Type(u"17");
  EXPECT_EQ(t->Elem(1, 3), 17);
  Type(u"maybe");
  EXPECT_EQ(t->CellText(1, 4), u"-nan-");
}

// With a value range, ordinals within it are kept as typed, the others clamped to it.
TEST_F(NTabEdEditTest, NominalColumnsKeepOrdinalsWithinTheValueRange) {
  t->Data->SetMScaleType(1, mstNominal);
  t->Data->SetNominalID(1, 3, u"on");
  t->SetVRangeLow(1);
  t->SetVRangeHigh(10);
  t->SetFocus();
  Click(1, 1);
  Click(1, 1);
  ASSERT_TRUE(t->EditorMode());
  Type(u"on");
  EXPECT_EQ(t->Elem(1, 1), 3);
  Type(u"4");
  EXPECT_EQ(t->Elem(1, 2), 4);
  Type(u"17");
  EXPECT_EQ(t->Elem(1, 3), 10);
}

TEST_F(NTabEdEditTest, FirstClickSelectsSecondEdits) {
  t->SetFocus();
  Click(2, 2);
  EXPECT_FALSE(t->EditorMode());
  Click(2, 2);
  EXPECT_TRUE(t->EditorMode());
  Click(1, 3);
  EXPECT_FALSE(t->EditorMode());
  // Protected cells and a read-only table never open the editor.
  t->Data->SetCellState(3, 1, ntsProtected);
  Click(3, 1);
  Click(3, 1);
  EXPECT_FALSE(t->EditorMode());
  input::TypeText(t, u"5");
  EXPECT_FALSE(t->EditorMode());
  EXPECT_EQ(t->Elem(3, 1), 0);
  t->SetDataReadOnly(true);
  Click(1, 1);
  Click(1, 1);
  EXPECT_FALSE(t->EditorMode());
  input::TypeText(t, u"5");
  EXPECT_EQ(t->Elem(1, 1), 0);
  t->SetDataReadOnly(false);
  Click(1, 1);
  EXPECT_TRUE(t->EditorMode());
  // Another editor's clicks do not count as this one's first click.
  auto* other = new TNTabEd(&form);
  other->SetParent(&form);
  other->SetBounds(0, 310, 500, 80);
  input::Click(other, At(1, 1).X, At(1, 1).Y);
  EXPECT_FALSE(other->EditorMode());
}

TEST_F(NTabEdEditTest, KeysMoveSelectAndCancel) {
  int selections = 0;
  t->SetOnSelectionChanged([&](TObject*) { ++selections; });
  t->SetFocus();
  Click(1, 1);
  selections = 0;
  input::KeyPress(t, VK_DOWN);
  EXPECT_EQ(t->Row(), 2);
  EXPECT_GE(selections, 1);
  input::KeyPress(t, VK_TAB);  // stays in the editor, moves right
  EXPECT_EQ(t->Col(), 3);
  EXPECT_TRUE(t->Focused());
  input::KeyPress(t, VK_TAB, ssShift);
  EXPECT_EQ(t->Col(), 2);
  input::TypeText(t, u"9");
  ASSERT_TRUE(t->EditorMode());
  input::KeyPress(t->InplaceEditor(), VK_ESCAPE);
  EXPECT_FALSE(t->EditorMode());
  EXPECT_EQ(t->Elem(1, 2), 0);
  EXPECT_FALSE(t->Options() & goEditing);
}

TEST_F(NTabEdEditTest, AutomaticSizes) {
  t->SetRowName(2, u"a rather long row name here");
  const Integer w0 = t->AutoColWidth(0, true, 0);
  EXPECT_EQ(w0, t->ColWidths(0));
  EXPECT_GT(w0, t->Canvas()->TextWidth(u"999:9999") + 8);
  t->SetElem(2, 1, 12345.678);
  const Integer w2 = t->AutoColWidth(2, false, 4);
  EXPECT_EQ(w2, t->Canvas()->TextWidth(u"12345.678") + 12);
  EXPECT_EQ(t->AutoColWidth(7, true, 0), 8);
  const Integer h = t->AutoRowHeight(1, 2);
  EXPECT_EQ(t->RowHeights(1), h);
  EXPECT_GE(h, 8);
  t->SetOptimizeRowHeight(true);
  t->Repaint();
  EXPECT_EQ(t->DefaultRowHeight(), h);
}
