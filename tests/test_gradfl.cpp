// The gradient fill: band rectangles and colours of the four types, clamping of the band count,
// flipping with the remembered colours (also through form text), the grid, the frame and OnPaint.
#include <gtest/gtest.h>

#include <cmath>

#include "gradfl/gradfl.h"
#include "package/framework/base/formtext.h"
#include "package/framework/controls/forms.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

struct Painted {
  TGradFill g{nullptr};
  TColor Px(Integer x, Integer y) {
    g.Paint();
    return g.Canvas()->Pixels(x, y);
  }
};

// Maroon (128, 0, 0) towards yellow (255, 255, 0): K steps of Steps.
TColor Step(Integer k, Integer steps) {
  auto mul = [](Integer a, Integer b, Integer c) { return Integer(std::lround(double(a) * b / c)); };
  return RGB(Byte(128 + mul(k, 127, steps)), Byte(mul(k, 255, steps)), 0);
}

}  // namespace

TEST(GradFill, DefaultsAndBandCount) {
  Painted p;
  EXPECT_EQ(p.g.Width(), 121);
  EXPECT_EQ(p.g.Height(), 121);
  for (const TPropInfo& i : TGradFill::ClassInfo().Props) EXPECT_TRUE(!i.Default || i.IsDefault(p.g)) << ToUtf8(i.Name);
  p.g.SetNrColors(300);
  EXPECT_EQ(p.g.NrColors(), 255);
  p.g.SetNrColors(0);
  EXPECT_EQ(p.g.NrColors(), 1);
  for (Integer y : {0, 60, 120}) EXPECT_EQ(p.Px(60, y), clMaroon) << y;
}

TEST(GradFill, HorizontalBandsStopOneStepShortOfTheLastColour) {
  Painted p;  // 16 bands of 121 rows: band 1 starts at MulDiv(1, 121, 16) = 8 (7.5625 rounded)
  EXPECT_EQ(p.Px(60, 7), clMaroon);
  EXPECT_EQ(p.Px(60, 8), Step(1, 16));
  EXPECT_EQ(p.Px(60, 120), Step(15, 16));
  p.g.SetFillType(gtVert);
  EXPECT_EQ(p.Px(7, 60), clMaroon);
  EXPECT_EQ(p.Px(8, 60), Step(1, 16));
  p.g.SetColorFirst(clBtnFace);  // system colours are resolved first
  EXPECT_EQ(p.Px(0, 60), ColorToRGB(clBtnFace));
}

TEST(GradFill, MidBandsRunToTheLastColourAndBack) {
  Painted p;
  p.g.SetFillType(gtMidBandVert);
  p.g.SetNrColors(5);  // M = 2; columns 0, 24, 48, 73, 97, 121
  const TColor half = Step(1, 2);
  const Integer xs[] = {10, 30, 60, 85, 110};
  const TColor want[] = {clMaroon, half, clYellow, half, clMaroon};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(p.Px(xs[i], 60), want[i]) << i;
  EXPECT_EQ(p.Px(23, 60), clMaroon);
  EXPECT_EQ(p.Px(24, 60), half);
  // With an even count the middle band (n = M) has the last colour too: first, half, last, first.
  p.g.SetNrColors(4);  // columns 0, 30, 61, 91, 121
  const TColor even[] = {clMaroon, half, clYellow, clMaroon};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(p.Px(15 + 30 * i, 60), even[i]) << i;
  p.g.SetNrColors(5);
  p.g.SetFillType(gtMidBandHoriz);
  EXPECT_EQ(p.Px(60, 60), clYellow);
  p.g.SetNrColors(1);  // no middle to run to
  EXPECT_EQ(p.Px(60, 60), clMaroon);
}

TEST(GradFill, MoreBandsThanRows) {
  Painted p;
  p.g.SetBounds(0, 0, 30, 10);
  p.g.SetNrColors(20);  // band 1 is [1, 1): empty, so row 1 shows band 2
  auto band = [&](Integer n) {
    return RGB(Byte(128 + std::lround(n * 127 / 20.0)), Byte(std::lround(n * 255 / 20.0)), 0);
  };
  EXPECT_EQ(p.Px(15, 0), band(0));
  EXPECT_EQ(p.Px(15, 1), band(2));
  EXPECT_EQ(p.Px(15, 9), band(18));
}

TEST(GradFill, FlippingKeepsTheColoursAsSet) {
  Painted p;
  p.g.SetColorFlipped(true);
  EXPECT_EQ(p.g.ColorFirst(), clYellow);
  EXPECT_EQ(p.g.ColorLast(), clMaroon);
  EXPECT_EQ(p.Px(60, 0), clYellow);
  p.g.SetColorFirst(clBlue);  // the shown first colour is the remembered last one
  EXPECT_EQ(p.Px(60, 0), clBlue);
  p.g.SetColorFlipped(false);
  EXPECT_EQ(p.g.ColorFirst(), clMaroon);
  EXPECT_EQ(p.g.ColorLast(), clBlue);
  p.g.SetColorLast(clLime);
  p.g.SetColorFlipped(true);
  EXPECT_EQ(p.g.ColorFirst(), clLime);
}

// A flipped fill written to a form and read back shows the same colours and un-flips to the same,
// whichever order the form text gives the flag and the colours in.
TEST(GradFill, FlippedFillThroughFormText) {
  RegisterClass<TGradFill>();
  TForm f(nullptr);
  auto* g = new TGradFill(&f);
  g->SetName(u"Grad1");
  g->SetParent(&f);
  g->SetColorFirst(clNavy);
  g->SetColorLast(clAqua);
  g->SetColorFlipped(true);
  const String written = WriteComponentText(&f);
  const String flagFirst =
      u"object Form2: TForm\n  object Grad1: TGradFill\n    ColorFlipped = True\n    ColorFirst = 16776960\n"
      u"    ColorLast = 8388608\n  end\nend\n";
  for (const String& text : {written, flagFirst}) {
    TForm h(nullptr);
    ReadComponentText(text, &h);
    auto* r = dynamic_cast<TGradFill*>(h.FindComponent(u"Grad1"));
    ASSERT_NE(r, nullptr) << ToUtf8(text);
    EXPECT_EQ(r->ColorFirst(), clAqua);
    EXPECT_EQ(r->ColorLast(), clNavy);
    r->SetColorFlipped(false);
    EXPECT_EQ(r->ColorFirst(), clNavy) << ToUtf8(text);
    EXPECT_EQ(r->ColorLast(), clAqua);
  }
}

TEST(GradFill, GridFrameAndOnPaint) {
  Painted p;
  int paints = 0;
  p.g.SetOnPaint([&](TObject*) {
    ++paints;
    p.g.Canvas()->SetPixels(60, 60, clFuchsia);  // drawn over the fill
  });
  p.g.SetGridMode(gmHoriz);
  EXPECT_EQ(paints, 0);  // setters only invalidate
  EXPECT_EQ(p.Px(60, 8), clNavy);
  EXPECT_EQ(paints, 1);
  EXPECT_EQ(p.Px(8, 33), Step(4, 16));
  EXPECT_EQ(p.Px(60, 60), clFuchsia);
  p.g.SetGridMode(gmBoth);
  p.g.SetGridColor(clLime);
  EXPECT_EQ(p.Px(8, 33), clLime);
  EXPECT_EQ(p.Px(60, 8), clLime);
  p.g.SetFrameStyle(fsRaised);
  EXPECT_EQ(p.Px(0, 30), clWhite);
  EXPECT_EQ(p.Px(120, 30), clBlack);
  p.g.DrawGradient(nullptr);  // nothing to draw into
}

// Every published setting of its own takes a new value (a setter that ignored changes would show here).
TEST(GradFillSettings, EveryOwnSettingTakesANewValue) {
  TGradFill fresh(nullptr);
  EXPECT_EQ(jox::test::RefusedProps(fresh), (std::vector<String>{}));
}
