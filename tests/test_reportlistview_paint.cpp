// TReportListView pixels: row bands, check and radio glyphs, shortening and masking, the sort arrow,
// the empty message, the inter-row indicator and the render event.
#include <gtest/gtest.h>

#include <cmath>

#include "package/framework/controls/forms.h"
#include "replist/replist.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

class ReportListPaintTest : public test::FrameworkTest {
 protected:
  void SetUp() override {
    test::FrameworkTest::SetUp();
    form.SetBounds(0, 0, 500, 400);
    v = new TReportListView(&form);
    v->SetParent(&form);
    v->SetBounds(0, 0, 400, 300);
    Application->ProcessMessages();
  }
  TRect Cell(Integer c, Integer r) { return v->CellRect(c - 1, v->GridRowOf(r)); }
  TColor Px(Integer x, Integer y) {
    v->Repaint();
    return v->Canvas()->Pixels(x, y);
  }
  // Whether the two cell areas hold the same pixels.
  bool SameCells(TReportListView* a, const TRect& ra, TReportListView* b, const TRect& rb) {
    a->Repaint();
    b->Repaint();
    for (Integer y = 0; y < ra.Height(); ++y)
      for (Integer x = 0; x < ra.Width(); ++x)
        if (a->Canvas()->Pixels(ra.Left + x, ra.Top + y) != b->Canvas()->Pixels(rb.Left + x, rb.Top + y)) return false;
    return true;
  }

  TForm form{nullptr};
  TReportListView* v = nullptr;
};

}  // namespace

TEST_F(ReportListPaintTest, RowBandsAndSelectionColours) {
  auto bg = [&](Integer r) { const TRect c = Cell(1, r); return Px(c.Right - 3, c.Bottom - 3); };
  EXPECT_EQ(bg(1), 0xF0EFE8u);
  EXPECT_EQ(bg(2), clWhite);
  v->SetRowColPattern(2);
  EXPECT_EQ(bg(1), 0xF0EFE8u);
  EXPECT_EQ(bg(2), 0xF0EFE8u);
  EXPECT_EQ(bg(3), clWhite);
  EXPECT_EQ(bg(4), clWhite);
  v->SetRowColPattern(0);
  EXPECT_EQ(bg(1), clWhite);
  v->SetRowSelected(2, true);
  EXPECT_EQ(bg(2), 0x94BAEDu);
  v->SetRowEnabled(3, false);
  EXPECT_EQ(bg(3), 0xF0F0F0u);
  v->SetHighLightRow(2);  // the highlight wins over the selection
  EXPECT_EQ(bg(2), 0xCC9966u);
}

TEST_F(ReportListPaintTest, CheckAndRadioGlyphs) {
  v->SetColCheckMode(1, cmBox);
  v->SetColCheckMode(2, cmRadio);
  v->Data()->Strings->SetString(1, 1, u"X");
  v->Data()->Strings->SetString(2, 2, u"Xon");
  const TRect a = Cell(1, 1), b = Cell(1, 3), r = Cell(2, 2);
  const TColor shadow = ColorToRGB(clBtnShadow), text = 0x002000;
  EXPECT_EQ(Px(a.Left + 4, a.Top + 4), shadow);  // box outline
  EXPECT_EQ(Px(a.Left + 6, a.Top + 8), text);    // tick
  EXPECT_EQ(Px(b.Left + 4, b.Top + 4), shadow);  // an empty cell shows an empty box
  EXPECT_NE(Px(b.Left + 6, b.Top + 8), text);
  EXPECT_EQ(Px(r.Left + 9, r.Top + 9), text);    // radio dot
  v->SetCheckMarksReadOnly(true);
  EXPECT_NE(Px(a.Left + 4, a.Top + 4), shadow);  // no outline, the tick stays
  EXPECT_EQ(Px(a.Left + 6, a.Top + 8), text);
  v->SetCheckMarksReadOnly(false);
  v->SetShowEmptyCheckBoxes(false);
  EXPECT_NE(Px(a.Left + 6, a.Top + 8), text);  // just "X": nothing is drawn
  EXPECT_NE(Px(b.Left + 4, b.Top + 4), shadow);
}

TEST_F(ReportListPaintTest, ShorteningAndMasking) {
  TReportListView* w = new TReportListView(&form);
  w->SetParent(&form);
  w->SetBounds(0, 300, 400, 100);
  for (TReportListView* x : {v, w}) {
    x->SetColWidths(1, 100);
    x->SetColumnAlignment(2, taRightJustify);
    x->SetColWidths(2, 100);
  }
  const String longText(200, u'm');
  v->SetElem(1, 1, longText);
  v->SetElem(2, 1, u"a" + String(150, u'n') + u"z");
  TCanvas* c = v->Canvas();
  c->Font()->Assign(v->Font());
  const Integer m1 = c->TextWidth(longText.substr(1));
  const Integer k1 = std::max(1, Integer(std::nearbyint(200.0 * (100 - 9) / m1 - 4)));
  const String tail = u"a" + String(150, u'n') + u"z";
  const Integer m2 = c->TextWidth(tail.substr(1));
  const Integer k2 = std::max(1, Integer(std::nearbyint(double(tail.size()) * (100 - 9) / m2 - 4)));
  // The other view shows the expected short texts, which fit and are drawn as they are.
  w->SetElem(1, 1, longText.substr(0, size_t(k1)) + u"...");
  w->SetElem(2, 1, u"a..." + tail.substr(tail.size() - size_t(k2)));
  EXPECT_TRUE(SameCells(v, Cell(1, 1), w, w->CellRect(0, 1)));
  EXPECT_TRUE(SameCells(v, Cell(2, 1), w, w->CellRect(1, 1)));
  // A password column shows six stars.
  v->SetElem(3, 1, u"secret");
  v->SetColumnIsPwd(3, true);
  w->SetElem(3, 1, u"******");
  EXPECT_TRUE(SameCells(v, Cell(3, 1), w, w->CellRect(2, 1)));
}

TEST_F(ReportListPaintTest, SortArrowPointsTheWayOfTheSort) {
  const TRect h = v->CellRect(1, 0);
  TCanvas* c = v->Canvas();
  c->Font()->Assign(v->Font());
  const Integer th = c->TextHeight(u"C-2");
  const Integer x = h.Left + 4 + c->TextWidth(u"C-2") + 10, y = h.Top + 2 + th / 2;
  v->Sort(2, -1, true);
  EXPECT_EQ(Px(x - 4, y + 3), clGray);
  EXPECT_EQ(Px(x + 4, y + 3), clWhite);
  v->Sort(2, -1, false);
  EXPECT_EQ(Px(x + 4, y - 3), clWhite);
  EXPECT_EQ(Px(x - 4, y - 3), clGray);
  // Only on the primary sort column.
  const TRect h1 = v->CellRect(0, 0);
  EXPECT_EQ(Px(h1.Left + 4 + c->TextWidth(u"C-1") + 10 - 4, y - 3), ColorToRGB(clBtnFace));
}

TEST_F(ReportListPaintTest, EmptyMessageAndInterRowIndicator) {
  v->SetNrRows(0);
  v->SetEmptyMessage(u"Nothing|here");
  v->SetColorEmptyMsg(clRed);
  v->Repaint();
  TCanvas* c = v->Canvas();
  c->Font()->Assign(v->Font());
  const Integer th = c->TextHeight(u"Nothing|here");
  const Integer h0 = v->RowHeights(0), y0 = h0 - 2 * th;
  auto redIn = [&](Integer top) {
    for (Integer y = top; y < top + th; ++y)
      for (Integer x = 0; x < 400; ++x)
        if (const TColor p = c->Pixels(x, y); GetRValue(p) > 200 && GetGValue(p) < 100 && GetBValue(p) < 100) return true;
    return false;
  };
  EXPECT_TRUE(redIn(y0 + (300 - y0) / 2 - 2));
  EXPECT_TRUE(redIn(y0 + (300 - y0) / 2 - 2 + th));
  EXPECT_FALSE(redIn(y0 + (300 - y0) / 2 - 2 + 2 * th));

  v->SetNrRows(100);
  const Integer rowH = v->DefaultRowHeight() + 1;
  EXPECT_NE(Px(200, h0), clRed);
  v->SetTopRow(95);
  const Integer top = v->TopRow();
  v->SetInterRowIndicatorPos(101);  // under the last row
  EXPECT_EQ(Px(200, h0 + (101 - top) * rowH), clRed);
  v->SetTopRow(3);
  v->SetInterRowIndicatorPos(2);  // above the top row: nothing
  EXPECT_NE(Px(200, h0), clRed);
  v->SetInterRowIndicatorPos(3);
  EXPECT_EQ(Px(200, h0), clRed);
}

TEST_F(ReportListPaintTest, RenderEventSeesModelColumnAndDataRow) {
  v->SetColumnOrder({2, 1, 3, 4, 5});
  v->SetTopRow(1);
  std::vector<std::pair<Integer, Integer>> seen;
  v->SetOnBeforeRenderCell([&](TObject*, Integer c, Integer r, TColor&, TColor& bg, TColor&, TFontStyles&, String&) {
    seen.push_back({c, r});
    if (c == 2 && r == 3) bg = clLime;
  });
  v->Repaint();
  const TRect shown = v->CellRect(0, v->GridRowOf(3));  // grid column 0 shows model column 2
  EXPECT_EQ(v->Canvas()->Pixels(shown.Right - 3, shown.Bottom - 3), clLime);
  EXPECT_NE(std::find(seen.begin(), seen.end(), std::make_pair(Integer(2), Integer(4))), seen.end());
}

TEST_F(ReportListPaintTest, CommonHeaderSpansASingleColumn) {
  // The header's right end is found from the first column on screen, so one column is enough.
  v->SetNrCols(1);
  v->SetColWidths(1, 120);
  v->SetCommonHeaderVisible(true);
  v->SetColorCommonHd(clYellow);
  const TRect h = v->CellRect(0, 0);
  EXPECT_EQ(Px(h.Right - 10, h.Top + 3), clYellow);
  EXPECT_EQ(Px(h.Right, h.Top + 3), clBlack);  // the closing edge
}

// Shortening keeps whole characters: a surrogate pair is never cut in two, at the head or the tail.
TEST_F(ReportListPaintTest, ShorteningKeepsSurrogatePairsWhole) {
  TReportListView* w = new TReportListView(&form);
  w->SetParent(&form);
  w->SetBounds(0, 300, 400, 100);
  const String pair = u"\U0001D400";  // two units
  String text;
  for (int i = 0; i < 60; ++i) text += pair;
  TCanvas* c = v->Canvas();
  c->Font()->Assign(v->Font());
  // Half a pair draws as a glyph of its own, so a split would show.
  ASSERT_GT(c->TextWidth(text.substr(0, 1)), 0);
  const Integer m = c->TextWidth(text.substr(2));
  // A width whose cut falls inside a pair: an odd number of units.
  Integer W = 60, k = 0;
  for (; W < 200; ++W) {
    k = std::max(1, Integer(std::nearbyint(double(text.size()) * (W - 9) / m - 4)));
    if (k % 2 == 1) break;
  }
  ASSERT_EQ(k % 2, 1);
  for (TReportListView* x : {v, w}) {
    x->SetColWidths(1, W);
    x->SetColWidths(2, W);
    x->SetColumnAlignment(2, taRightJustify);
  }
  v->SetElem(1, 1, text);
  v->SetElem(2, 1, text);
  w->SetElem(1, 1, text.substr(0, size_t(k - 1)) + u"...");
  w->SetElem(2, 1, pair + u"..." + text.substr(text.size() - size_t(k - 1)));
  EXPECT_TRUE(SameCells(v, Cell(1, 1), w, w->CellRect(0, 1)));
  EXPECT_TRUE(SameCells(v, Cell(2, 1), w, w->CellRect(1, 1)));
}
