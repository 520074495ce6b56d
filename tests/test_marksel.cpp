// The marker selector: layout with hidden symbols, refused values, clicks and double clicks through
// input, pointer highlight, and the colours of the enabled and disabled looks.
#include <gtest/gtest.h>

#include "marksel/marksel.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/input.h"
#include "tests/support/support.h"

using namespace jox;
using jox::test::SurfacePixel;

namespace {

class MarkSel : public jox::test::FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    form = std::make_unique<TForm>(nullptr);
    form->SetClientWidth(300);
    form->SetClientHeight(220);
    m = new TMarkSel(form.get());
    m->SetParent(form.get());
    m->SetBounds(10, 10, 236, 178);  // cells of 29 x 29, reference points at 14 + 29 k
    m->SetOnMarkClick([this](TObject*, Integer x, Integer y, Integer mark) { clicks.push_back({x, y, mark}); });
    m->SetOnMarkDblClick([this](TObject*, Integer, Integer, Integer mark) { dblClicks.push_back(mark); });
    Application->ProcessMessages();
  }
  TColor Px(Integer x, Integer y) { return SurfacePixel(m->Surface(), m->Left() + x, m->Top() + y); }
  // The middle of cell (col, row).
  TPoint Cell(Integer col, Integer row) { return {14 + 29 * col, 14 + 29 * row}; }

  struct Click {
    Integer x, y, mark;
  };
  std::unique_ptr<TForm> form;
  TMarkSel* m = nullptr;
  std::vector<Click> clicks;
  std::vector<Integer> dblClicks;
};

}  // namespace

TEST_F(MarkSel, DefaultsAndRefusedValues) {
  TMarkSel fresh(nullptr);
  EXPECT_EQ(fresh.Width(), 236);
  EXPECT_EQ(fresh.Height(), 178);
  for (const TPropInfo& p : TMarkSel::ClassInfo().Props)
    EXPECT_TRUE(!p.Default || p.IsDefault(fresh)) << ToUtf8(p.Name);
  EXPECT_EQ(fresh.FrameStyle(), fsEngraved);

  m->SetSelected(52);
  EXPECT_EQ(m->Selected(), -1);
  m->SetSelected(7);
  m->SetSelected(-2);
  EXPECT_EQ(m->Selected(), 7);
  for (Integer bad : {0, 52, -1}) {
    m->SetNrOfColumns(bad);
    m->SetNrOfRows(bad);
  }
  EXPECT_EQ(m->NrOfColumns(), 8);
  EXPECT_EQ(m->NrOfRows(), 6);
  for (Integer good : {1, 51}) {  // both ends of the range are taken
    m->SetNrOfColumns(good);
    m->SetNrOfRows(good);
    EXPECT_EQ(m->NrOfColumns(), good);
    EXPECT_EQ(m->NrOfRows(), good);
  }

  m->SetMarkVisible(0, false);
  EXPECT_TRUE(m->MarkVisible(0));
  m->SetMarkVisible(3, false);
  EXPECT_FALSE(m->MarkVisible(3));
  EXPECT_TRUE(m->MarkVisible(60));  // answers for symbol 0
  EXPECT_TRUE(m->MarkVisible(-4));
  m->SetMarkVisible(60, false);
  EXPECT_TRUE(m->MarkVisible(0));
}

TEST_F(MarkSel, HiddenSymbolsCloseUp) {
  m->HideAllMarks();
  EXPECT_EQ(m->MarkCoords(0).X, 14);
  for (TPoint p : {Cell(0, 0), Cell(5, 3), Point(230, 170)}) {
    input::Click(m, p.X, p.Y);
    EXPECT_EQ(m->Selected(), 0);
  }
  ASSERT_EQ(clicks.size(), 3u);
  EXPECT_EQ(clicks[1].x, Cell(5, 3).X);
  EXPECT_EQ(clicks[1].y, Cell(5, 3).Y);

  m->ShowAllMarks();
  m->SetMarkVisible(5, false);
  const TPoint where5 = Cell(5, 0);
  input::Click(m, where5.X, where5.Y);
  EXPECT_EQ(m->Selected(), 6);
  EXPECT_EQ(clicks.back().mark, 6);
  input::Click(m, Cell(2, 1).X, Cell(2, 1).Y);  // running number 10 is symbol 11
  EXPECT_EQ(m->Selected(), 11);
  // Symbols past the 48 cells lie below the control.
  EXPECT_GT(m->MarkCoords(51).Y, m->Height());
}

TEST_F(MarkSel, DoubleClickAndEvents) {
  int paints = 0;
  m->SetOnPaint([&](TObject*) { ++paints; });
  input::DoubleClick(m, Cell(3, 2).X, Cell(3, 2).Y);
  ASSERT_EQ(dblClicks.size(), 1u);
  EXPECT_EQ(dblClicks[0], 19);
  EXPECT_EQ(m->Selected(), 19);
  EXPECT_GE(paints, 1);
  // A repaint of an unchanged value is skipped.
  paints = 0;
  m->SetColorMarks(clBlack);
  m->SetSelected(19);
  EXPECT_EQ(paints, 0);
  m->SetColorMarks(clBlue);
  EXPECT_EQ(paints, 1);
  // The same selection with the disabled control takes no clicks.
  m->SetEnabled(false);
  EXPECT_FALSE(static_cast<TControl*>(m)->Enabled());
  const size_t before = clicks.size();
  input::Click(m, Cell(0, 0).X, Cell(0, 0).Y);
  EXPECT_EQ(clicks.size(), before);
  EXPECT_EQ(m->Selected(), 19);
}

TEST_F(MarkSel, SelectionCellAndColours) {
  m->SetSelected(9);  // cell (1, 1)
  const TPoint c = Cell(1, 1);
  // The selection cell reaches from x + 3 - 14 to x + 3 + 14 (exclusive); its outline is the pen.
  EXPECT_EQ(Px(c.X + 3 - 14, c.Y), clNavy);
  EXPECT_EQ(Px(c.X + 3 - 13, c.Y - 8), clWhite);
  EXPECT_EQ(Px(c.X + 2 - 7, c.Y + 2), clNavy);  // the large circle's outline, in the selected colour
  EXPECT_EQ(Px(c.X + 2, c.Y + 2), clWhite);      // filled with the cell's colour
  EXPECT_EQ(Px(c.X + 3 + 14, c.Y), ColorToRGB(clBtnFace));
  m->SetSelected(-1);
  EXPECT_EQ(Px(c.X + 3 - 13, c.Y - 8), ColorToRGB(clBtnFace));

  m->SetSelected(9);
  m->SetEnabled(false);
  Application->ProcessMessages();
  EXPECT_EQ(Px(c.X + 3 - 14, c.Y), clGray);
  EXPECT_EQ(Px(c.X + 3 - 13, c.Y - 8), TColor(0xDEDEDE));
  EXPECT_EQ(Px(Cell(4, 3).X - 10, Cell(4, 3).Y - 10), clSilver);
  // Symbol 5, a filled square, in grey.
  EXPECT_EQ(Px(Cell(5, 0).X + 2, Cell(5, 0).Y + 2), clGray);
  // The frame's border is the symbol colour.
  m->SetFrameStyle(fsSimple);
  EXPECT_EQ(Px(0, 50), clGray);
  m->SetEnabled(true);
  Application->ProcessMessages();
  EXPECT_EQ(Px(0, 50), clBlack);
}

TEST_F(MarkSel, PointerHighlightsNearestSymbol) {
  const TPoint c = Cell(2, 0);  // symbol 2
  input::MouseMove(m, c.X + 5, c.Y - 3);
  // The highlight cell is one pixel inside the cell on each side.
  EXPECT_EQ(Px(c.X + 4 - 14, c.Y), clRed);
  EXPECT_EQ(Px(c.X + 3 - 14, c.Y), ColorToRGB(clBtnFace));
  EXPECT_EQ(Px(c.X + 2 - 4, c.Y + 2), clWhite);  // the square of radius 4 in the symbol colour
  input::MouseMove(m, Cell(3, 0).X, Cell(3, 0).Y);
  EXPECT_EQ(Px(c.X + 4 - 14, c.Y), ColorToRGB(clBtnFace));
  EXPECT_EQ(Px(c.X + 2 - 4, c.Y + 2), clBlack);
  EXPECT_EQ(Px(Cell(3, 0).X + 4 - 14, Cell(3, 0).Y), clRed);

  // Hiding the highlighted symbol: the next move draws nothing where it was.
  m->SetMarkVisible(3, false);
  input::MouseMove(m, Cell(7, 5).X, Cell(7, 5).Y);
  EXPECT_EQ(Px(Cell(3, 0).X + 2, Cell(3, 0).Y + 2 - 6), ColorToRGB(clBtnFace));
  // Leaving the control takes the highlight away.
  input::MouseExit(form.get());
  EXPECT_EQ(Px(Cell(7, 5).X + 4 - 14, Cell(7, 5).Y), ColorToRGB(clBtnFace));
}

// Every setting Assign copies, each changed from its default first.
TEST_F(MarkSel, AssignCopiesEveryNamedSetting) {
  const std::vector<String> copied = {u"NrOfColumns", u"NrOfRows", u"Selected", u"ShowZeroAsCross", u"FrameStyle", u"ColorBackGnd", u"ColorMarks", u"ColorSelBG", u"ColorSelFG", u"ColorHiLiteBG", u"ColorHiLiteSymbol"};
  TMarkSel src(nullptr), dst(nullptr);
  EXPECT_EQ(jox::test::ChangeProps(src, copied), copied);
  dst.Assign(&src);
  EXPECT_TRUE(jox::test::SameProps(src, dst, copied));
}

// Every published setting of its own takes a new value (a setter that ignored changes would show here).
TEST_F(MarkSel, EveryOwnSettingTakesANewValue) {
  TMarkSel fresh(nullptr);
  EXPECT_EQ(jox::test::RefusedProps(fresh), (std::vector<String>{}));
}

TEST_F(MarkSel, KeysMoveAFocusRectangleAndChooseASymbol) {
  m->SetMarkVisible(2, false);  // hidden symbols leave no gap: 3 takes cell 2
  m->SetFocus();
  // The top edge of cell (2, 1), where the dotted focus frame runs.
  auto edge = [&] {
    std::vector<TColor> line;
    for (Integer x = -10; x <= 10; ++x) line.push_back(Px(Cell(2, 1).X + x, Cell(2, 1).Y - 10));
    return line;
  };
  const auto before = edge();
  input::KeyPress(m, VK_RIGHT);
  input::KeyPress(m, VK_RIGHT);
  input::KeyPress(m, VK_DOWN);  // cell (2, 1): symbol 11
  Application->ProcessMessages();
  EXPECT_NE(edge(), before);
  input::KeyPress(m, VK_SPACE);
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(clicks[0].mark, 11);
  EXPECT_EQ(m->Selected(), 11);
  input::KeyPress(m, VK_HOME);
  input::KeyPress(m, VK_UP);  // nothing above the first row
  input::KeyPress(m, VK_RETURN);
  EXPECT_EQ(m->Selected(), 0);
  input::KeyPress(m, VK_END);
  input::KeyPress(m, VK_RETURN);
  EXPECT_EQ(m->Selected(), TMarkSel::MaxMark);
  // Disabled, it takes no keys.
  m->SetEnabled(false);
  input::KeyPress(m, VK_HOME);
  EXPECT_EQ(m->Selected(), TMarkSel::MaxMark);
}
