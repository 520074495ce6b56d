// TNumIO2 pixels at the coordinates of its layout: box edges per frame style, gauge rows, button
// arrows, caret column, warning, disabled and frozen looks, inverted selection.
#include <gtest/gtest.h>

#include "numio/numio2.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/input.h"
#include "support/support.h"

using namespace jox;

namespace {

class NumIO2PaintTest : public test::FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    form.SetBounds(0, 0, 300, 100);
    n = new TNumIO2(&form);
    n->SetParent(&form);
  }
  TColor Px(Integer x, Integer y) {
    n->Paint();
    return n->Canvas()->Pixels(x, y);
  }
  // Whether some pixel of the text area is close to colour C.
  bool TextHas(TColor c) {
    n->Paint();
    for (Integer y = 4; y < 24; ++y)
      for (Integer x = 40; x < 112; ++x) {
        TColor p = n->Canvas()->Pixels(x, y);
        auto near = [](int a, int b) { return a - b < 40 && b - a < 40; };
        if (near(GetRValue(p), GetRValue(c)) && near(GetGValue(p), GetGValue(c)) && near(GetBValue(p), GetBValue(c)))
          return true;
      }
    return false;
  }

  TForm form{nullptr};
  TNumIO2* n = nullptr;
};

const TColor Face = ColorToRGB(clBtnFace);

}  // namespace

TEST_F(NumIO2PaintTest, InputBoxEdgesPerFrameStyle) {
  // Box (35, 0) .. (117, 28); probes: outline, top-left edge, bottom-right edge, inside.
  struct Row { TFrameStyle s; TColor outline, topLeft, bottomRight; };
  const Row rows[] = {
      {fsNone, clSilver, clWhite, clSilver},  // silver while the freeze box is unchecked
      {fsSimple, clGray, clWhite, clGray},
      {fsLowered, clGray, clBlack, clWhite},
      {fsRaised, clGray, clWhite, clBlack},
      {fsEmbossed, clWhite, clGray, clGray},
      {fsEngraved, clGray, clWhite, clWhite},
  };
  for (const Row& r : rows) {
    n->SetFrameStyle(r.s);
    EXPECT_EQ(Px(35, 10), r.outline) << int(r.s);
    EXPECT_EQ(Px(36, 10), r.topLeft) << int(r.s);
    bool full = r.s == fsNone || r.s == fsSimple;
    EXPECT_EQ(Px(116, 10), full ? r.outline : r.bottomRight) << int(r.s);
    EXPECT_EQ(Px(full ? 116 : 100, 27), full ? r.outline : r.bottomRight) << int(r.s);
    EXPECT_EQ(Px(34, 10), Face) << int(r.s);
    EXPECT_EQ(Px(117, 10), Face) << int(r.s);
  }
  n->SetFrameStyle(fsNone);
  n->SetFreezeBoxChecked(true);  // the outline takes the box colour, the box turns silver
  EXPECT_EQ(Px(35, 10), clWhite);
  EXPECT_EQ(Px(37, 10), clSilver);
}

TEST_F(NumIO2PaintTest, GaugeRowsAndBar) {
  n->SetGaugeVisible(true);  // height 8, top margin 3: the box ends 12 rows higher
  n->SetGaugeFrameStyle(fsSimple);
  EXPECT_EQ(Px(50, 15), clWhite);  // last box row (28 - 12 - 1): the sunken box's lower edge
  EXPECT_EQ(Px(50, 16), Face);
  EXPECT_EQ(Px(50, 18), Face);
  EXPECT_EQ(Px(50, 19), clGray);  // gauge rows 19 .. 26
  EXPECT_EQ(Px(50, 26), clGray);
  EXPECT_EQ(Px(50, 27), Face);
  n->SetNioValue(500);  // half the width is bar
  EXPECT_EQ(Px(40, 22), clNavy);
  EXPECT_EQ(Px(35 + 40, 22), clNavy);
  EXPECT_EQ(Px(35 + 42, 22), clSilver);
  n->SetNioValue(-5);  // outside: empty and full bars
  EXPECT_EQ(Px(40, 22), clSilver);
  n->SetNioValue(5000);
  EXPECT_EQ(Px(115, 22), clNavy);
  n->SetRangeLow(1000);
  n->SetRangeHigh(1000);  // equal limits: full
  n->SetNioValue(0);
  EXPECT_EQ(Px(115, 22), clNavy);
  n->SetReadOnly(true);
  EXPECT_EQ(Px(115, 22), clGray);
}

TEST_F(NumIO2PaintTest, ButtonArrows) {
  n->SetButVisible(true);  // XB 118, width 18: centre 127; half height 14
  EXPECT_EQ(Px(118, 5), clGray);
  EXPECT_EQ(Px(119, 5), clWhite);  // 3D edge
  EXPECT_EQ(Px(126, 13), clGray);  // dividing line
  for (auto [x, y, c] : {std::tuple{127, 6, clBlack}, {128, 6, clBlack}, {129, 6, clSilver}, {126, 7, clBlack},
                         {129, 7, clBlack}, {125, 8, clBlack}, {130, 8, clBlack}, {131, 8, clSilver},
                         {127, 21, clBlack}, {129, 21, clSilver}, {126, 20, clBlack}, {125, 19, clBlack},
                         {130, 19, clBlack}, {125, 18, clSilver}})
    EXPECT_EQ(Px(x, y), TColor(c)) << x << "," << y;
  n->SetReadOnly(true);
  EXPECT_EQ(Px(127, 6), clGray);
}

TEST_F(NumIO2PaintTest, CaretColumn) {
  n->SetNioText(u"42");
  n->SetFocus();
  const Integer tw = n->Canvas()->TextWidth(u"42");
  const Integer x = 35 + (80 - tw) / 2 + 2;  // on the insertion point before the first character
  EXPECT_EQ(Px(x, 3), clBlack);
  EXPECT_EQ(Px(x, 24), clBlack);
  EXPECT_EQ(Px(x, 25), clWhite);  // the line ends above H - 3
  Application->UseVirtualClock(true);
  n->UpdateTimer();
  Application->Advance(500);  // blink phase off
  EXPECT_EQ(Px(x, 3), clWhite);
  Application->UseVirtualClock(false);
}

TEST_F(NumIO2PaintTest, WarningDisabledAndFrozenColours) {
  n->SetNioValue(12);
  EXPECT_EQ(Px(40, 4), clWhite);
  EXPECT_TRUE(TextHas(clBlack));
  n->SetNioValue(-1);  // below RangeLow
  EXPECT_EQ(Px(40, 4), TColor(0x88FFF0));
  EXPECT_TRUE(TextHas(clRed));
  n->SetEnabled(false);  // silver with grey text, whatever the value
  EXPECT_EQ(Px(40, 4), clSilver);
  EXPECT_TRUE(TextHas(clGray));
  EXPECT_FALSE(TextHas(clRed));
  n->SetEnabled(true);
  n->SetFreezeBoxChecked(true);
  EXPECT_EQ(Px(40, 4), clSilver);
  EXPECT_FALSE(TextHas(clRed));
}

TEST_F(NumIO2PaintTest, SelectionIsInverted) {
  n->SetRangeHigh(1e6);
  n->SetNioText(u"12345");
  n->SetHideSelection(false);
  n->SetSelBegin(1);
  n->SetSelEnd(4);
  const Integer x1 = n->CharPosToXCoords(1), x2 = n->CharPosToXCoords(4);
  EXPECT_EQ(Px(x1, 4), clBlack);  // white box, inverted
  EXPECT_EQ(Px(x2 - 1, 4), clBlack);
  EXPECT_EQ(Px(x2, 4), clWhite);
  EXPECT_EQ(Px(x1, 2), clWhite);  // rows 3 .. H - 4 only
  n->SetHideSelection(true);  // no focus: hidden
  EXPECT_EQ(Px(x1, 4), clWhite);
}

TEST_F(NumIO2PaintTest, CharPositionsAndXCoordinates) {
  n->SetNioText(u"12345");
  for (TAlignment a : {taLeftJustify, taRightJustify, taCenter}) {
    n->SetAlignment(a);
    EXPECT_EQ(n->XCoordsToCharPos(0), 0);
    EXPECT_EQ(n->XCoordsToCharPos(200), 5);
    for (Integer i = 0; i <= 5; ++i) EXPECT_EQ(n->XCoordsToCharPos(n->CharPosToXCoords(i)), i) << int(a);
  }
  n->SetNioText(u"");
  EXPECT_EQ(n->XCoordsToCharPos(60), 0);
}

TEST_F(NumIO2PaintTest, LabelsOnBothSides) {
  n->SetLeftText(u"W");
  n->SetRightText(u"W");
  auto dark = [&](Integer x0, Integer x1) {
    n->Paint();
    for (Integer x = x0; x < x1; ++x)
      for (Integer y = 0; y < 28; ++y)
        if (GetRValue(n->Canvas()->Pixels(x, y)) < 100) return true;
    return false;
  };
  EXPECT_TRUE(dark(20, 35));  // right-justified left label ends 5 pixels before the box
  EXPECT_FALSE(dark(0, 10));
  EXPECT_TRUE(dark(122, 140));  // left-justified right label starts 7 pixels after it
  EXPECT_FALSE(dark(145, 160));
  n->SetLeftTextAlignment(taLeftJustify);
  n->SetRightTextAlignment(taRightJustify);
  EXPECT_TRUE(dark(5, 20));
  EXPECT_FALSE(dark(22, 35));
  EXPECT_TRUE(dark(140, 156));
}

TEST_F(NumIO2PaintTest, AutoSizeAndColorScheme) {
  n->SetAutoSize(true);
  EXPECT_EQ(n->Height(), n->Canvas()->TextHeight(u"E0") + 6);
  n->SetAutoSize(false);
  n->SetHeight(28);
  n->SetFrameStyle(fsSimple);
  n->SetColorScheme(csSystem);  // frame lines in the system's shadow colour
  EXPECT_EQ(Px(35, 10), ColorToRGB(clBtnShadow));
}
