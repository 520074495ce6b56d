// Components on a scaled form: the sizes they keep in pixels of their own (pictures, spaces, widths,
// dots, anchors) grow once with the form, and those they derive from their size are not grown twice.
#include <gtest/gtest.h>

#include <cmath>

#include "minical/minical.h"
#include "numio/numio2.h"
#include "numlab/numlab.h"
#include "onoffbut/onoffbut.h"
#include "package/framework/framework.h"
#include "progbar/progbar.h"
#include "rasterlab/rasterlab.h"
#include "rotlab/rotlab.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

class UnitsScaleTest : public jox::test::FrameworkTest {
 protected:
  template <class T>
  T* Add(Integer x, Integer y, Integer w, Integer h) {
    auto* c = new T(&form);
    c->SetParent(&form);
    c->SetBounds(x, y, w, h);
    return c;
  }
  TForm form{nullptr};
};

TEST_F(UnitsScaleTest, DesignedPixelsGrowOnceWithTheForm) {
  form.SetClientWidth(600);
  form.SetClientHeight(400);
  auto* button = Add<TOnOffBut>(0, 0, 100, 50);
  const Integer glyphW = button->GlyphWidth(), glyphH = button->GlyphHeight();
  auto* fixedButton = Add<TOnOffBut>(0, 60, 100, 50);
  fixedButton->SetAutoCenter(false);
  fixedButton->SetLeftSpace(10);
  auto* numlab = Add<TNumLab>(0, 120, 230, 28);
  numlab->SetLeftSpace(70);
  numlab->SetLabWidth(110);
  auto* field = Add<TNumIO2>(0, 160, 250, 28);
  const Integer boxW = field->TextBoxWidth(), butW = field->ButWidth();
  field->SetLeftSpace(60);
  auto* bar = Add<TProgBar>(300, 0, 200, 30);
  bar->SetGridDist(6);
  bar->SetMarginLeft(3);
  bar->SetTextPosX(100);
  auto* rot = Add<TRotLab>(300, 40, 112, 112);
  rot->SetAutoCenter(false);
  rot->SetTextPosX(20);
  rot->SetTextPosY(44);
  auto* dots = Add<TRasterLab>(300, 160, 200, 40);
  dots->SetDotSize(2);
  dots->SetDotSpacing(1);
  auto* cal = Add<TMiniCal>(0, 200, 300, 180);

  Screen->SetScale(2);
  form.Show();
  EXPECT_EQ(button->GlyphWidth(), 2 * glyphW);   // the picture is drawn at the scale, not 1x
  EXPECT_EQ(button->GlyphHeight(), 2 * glyphH);
  EXPECT_EQ(button->LeftSpace(), (200 - 2 * glyphW) / 2);
  EXPECT_EQ(fixedButton->LeftSpace(), 20);
  EXPECT_EQ(numlab->LeftSpace(), 140);           // the caption keeps its room
  EXPECT_EQ(numlab->LabelWidth(), 220);
  EXPECT_EQ(field->LeftSpace(), 120);
  EXPECT_EQ(field->TextBoxWidth(), 2 * boxW);
  EXPECT_EQ(field->ButWidth(), 2 * butW);
  EXPECT_EQ(bar->GridDist(), 12);
  EXPECT_EQ(bar->MarginLeft(), 6);
  EXPECT_EQ(bar->TextPosX(), 200);
  EXPECT_EQ(rot->PosX(), 40);
  EXPECT_EQ(rot->PosY(), 88);
  EXPECT_EQ(dots->DotSize(), 4);
  EXPECT_EQ(dots->DotSpacing(), 2);
  // The calendar's cells fill its (scaled) client area once: eight columns of the width, not twice that.
  const Integer g = cal->GridLineWidth();
  EXPECT_EQ(cal->DefaultColWidth(), (cal->ClientWidth() - 7 * g) / 8);
  EXPECT_EQ(cal->DefaultRowHeight(), (cal->ClientHeight() - 7 * g) / 8);
}

TEST_F(UnitsScaleTest, OnOffPicturesAtOneAndAHalfKeepTheirTransparentColourClean) {
  form.SetClientWidth(300);
  form.SetClientHeight(200);
  auto* button = Add<TOnOffBut>(0, 0, 100, 50);
  button->SetButtonStyle(oobsBulb);
  const Integer glyphW = button->GlyphWidth();
  Screen->SetScale(1.5);
  form.Show();
  EXPECT_EQ(button->GlyphWidth(), Integer(std::lround(glyphW * 1.5)));
  // Transparent, the picture's key colour never shows: no pixel of it, and none blended with it
  // (the scaled key pixels would be the key exactly, or they would show as a pink fringe).
  button->SetTransparent(true);
  form.Repaint();
  TBitmap* s = form.Surface();
  Integer pink = 0;
  for (Integer y = 0; y < 75; ++y)
    for (Integer x = 0; x < 150; ++x) {
      const TColor c = s->Canvas()->Pixels(x, y);
      pink += GetRValue(c) > 200 && GetBValue(c) > 200 && GetGValue(c) < 200;
    }
  EXPECT_EQ(pink, 0);
}

TEST_F(UnitsScaleTest, NumericFieldButtonsAndFreezeMarkGrowWithTheForm) {
  form.SetClientWidth(300);
  form.SetClientHeight(100);
  auto* field = Add<TNumIO2>(0, 0, 250, 28);
  field->SetButVisible(true);
  field->SetBut3D(false);
  auto* frozen = Add<TNumIO2>(0, 40, 250, 28);  // frozen, it greys its arrows
  frozen->SetButVisible(true);
  frozen->SetFreezeBoxVisible(true);
  frozen->SetFreezeBoxChecked(true);
  Screen->SetScale(2);
  form.Show();
  form.Repaint();
  TBitmap* s = form.Surface();
  TPoint o = field->OriginInRoot();
  // The black ink inside a rectangle of the field at o.
  auto ink = [&](TRect r) {
    TRect box = Rect(r.Right, r.Bottom, r.Left, r.Top);
    for (Integer y = r.Top; y < r.Bottom; ++y)
      for (Integer x = r.Left; x < r.Right; ++x)
        if (s->Canvas()->Pixels(o.X + x, o.Y + y) == clBlack)
          box = Rect(std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1), std::max(box.Bottom, y + 1));
    return box;
  };
  // The up arrow: three rows at 96 dpi, six here.
  const Integer xb = field->LeftSpace() + field->TextBoxWidth() + field->ButSpace(), hb = field->ButHeight() / 2;
  EXPECT_EQ(ink(Rect(xb + 2, 2, xb + field->ButWidth() - 1, hb - 2)).Height(), 6);
  // The freeze box's mark: 7 x 7 at 96 dpi, 14 x 14 here.
  o = frozen->OriginInRoot();
  const Integer fx = xb + frozen->ButWidth() + 8 + frozen->FreezeBoxLeft(), size = frozen->FreezeBoxSize();
  const TRect mark = ink(Rect(fx + 2, frozen->FreezeBoxTop() + 2, fx + size - 2, frozen->FreezeBoxTop() + size - 2));
  EXPECT_EQ(mark.Width(), 14);
  EXPECT_EQ(mark.Height(), 14);
}

}  // namespace
