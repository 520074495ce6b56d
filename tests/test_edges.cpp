// The classic edges the edit, the grid's fixed cells and the cell editor's button take from DrawEdge:
// the same pixels as before, and nothing drawn outside a cell that has no width.
#include <gtest/gtest.h>

#include "package/framework/controls/forms.h"
#include "package/framework/controls/grids.h"
#include "package/framework/controls/stdctrls.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

class EdgesTest : public test::FrameworkTest {};

bool At(TCanvas* c, Integer x, Integer y, TColor color) { return test::PixelNear(c, x, y, ColorToRGB(color), 0); }

}  // namespace

TEST_F(EdgesTest, FixedCellsAreRaisedAndAColumnWithoutWidthLeavesItsNeighboursAlone) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 400, 300);
  auto* g = new TDrawGrid(&form);
  g->SetParent(&form);
  g->SetBounds(0, 0, 300, 200);
  g->SetFixedCols(2);
  g->SetColWidths(1, 0);
  g->Repaint();
  TCanvas* c = g->Canvas();
  const TRect first = g->CellRect(0, 1), hidden = g->CellRect(1, 1);
  const Integer y = (first.Top + first.Bottom) / 2;
  // The fixed cell: light at the top and left, shadow at the bottom and right.
  EXPECT_TRUE(At(c, first.Left, y, clBtnHighlight));
  EXPECT_TRUE(At(c, first.Left + 3, first.Top, clBtnHighlight));
  EXPECT_TRUE(At(c, first.Right - 1, y, clBtnShadow));
  EXPECT_TRUE(At(c, first.Left + 3, first.Bottom - 1, clBtnShadow));
  EXPECT_TRUE(At(c, first.Right - 1, first.Top, clBtnShadow));
  // The column without width draws no edge over the grid lines beside it.
  ASSERT_EQ(hidden.Left, hidden.Right);
  EXPECT_TRUE(At(c, hidden.Left, y, clBlack));
  EXPECT_TRUE(At(c, hidden.Left - 1, y, clBlack));
}

TEST_F(EdgesTest, TheEditIsSunkenTwice) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 200);
  auto* e = new TEdit(&form);
  e->SetParent(&form);
  e->SetBounds(10, 10, 120, 24);
  e->Repaint();
  TCanvas* c = e->Canvas();
  const Integer w = e->Width(), h = e->Height();
  EXPECT_TRUE(At(c, 0, 5, clBtnShadow));
  EXPECT_TRUE(At(c, w - 1, 0, clBtnHighlight));
  EXPECT_TRUE(At(c, 0, h - 1, clBtnHighlight));
  EXPECT_TRUE(At(c, 1, 5, cl3DDkShadow));
  EXPECT_TRUE(At(c, w - 2, 1, cl3DLight));
  EXPECT_TRUE(At(c, 1, h - 2, cl3DLight));
  EXPECT_TRUE(At(c, 5, 5, clWindow));
}
