// TRotLab: where the rotated caption lands for each alignment, the anchor under AutoCenter, the
// engraved disabled look, smoothing, frame and copying.
#include <gtest/gtest.h>

#include "package/framework/controls/forms.h"
#include "rotlab/rotlab.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

class RotLabTest : public jox::test::FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    form.SetBounds(0, 0, 400, 300);
    r = new TRotLab(&form);
    r->SetParent(&form);
    r->SetTransparent(false);  // paints at once
    r->SetColor(clWhite);
    r->SetFrameStyle(fsNone);
    r->SetCaption(u"HHHHHHHH");
  }
  TColor Px(Integer x, Integer y) { return r->Canvas()->Pixels(x, y); }
  // Bounding box of the pixels that are not the background.
  TRect Ink(TColor bg = clWhite) {
    r->Paint();
    TRect b = Rect(r->Width(), r->Height(), -1, -1);
    for (Integer y = 0; y < r->Height(); ++y)
      for (Integer x = 0; x < r->Width(); ++x)
        if (!jox::test::SameColor(Px(x, y), bg, 100)) {
          b.Left = std::min(b.Left, x);
          b.Top = std::min(b.Top, y);
          b.Right = std::max(b.Right, x + 1);
          b.Bottom = std::max(b.Bottom, y + 1);
        }
    return b;
  }
  Integer Count(TColor c) {
    Integer n = 0;
    for (Integer y = 0; y < r->Height(); ++y)
      for (Integer x = 0; x < r->Width(); ++x)
        if (Px(x, y) == c) ++n;
    return n;
  }

  TForm form{nullptr};
  TRotLab* r = nullptr;
};

}  // namespace

TEST_F(RotLabTest, DefaultsAndClassTable) {
  TRotLab fresh(nullptr);
  EXPECT_EQ(fresh.Width(), 200);
  EXPECT_EQ(fresh.Height(), 200);
  EXPECT_EQ(fresh.PosX(), 10);  // no parent yet: the anchor waits for a place
  EXPECT_EQ(fresh.Font()->Name(), u"Arial");
  EXPECT_EQ(fresh.Font()->Size(), 11);
  EXPECT_TRUE(fresh.Transparent());
  EXPECT_FALSE(fresh.TCustomLabel::Transparent());  // the label beneath starts opaque
  EXPECT_EQ(fresh.Alignment(), taCenter);
  EXPECT_TRUE(fresh.StyleElements().Empty());
  const TClassInfo& ci = fresh.GetClassInfo();
  EXPECT_TRUE(ci.FindProp(u"Alignment")->IsStored(fresh));  // taCenter differs from the stored default
  fresh.SetAlignment(taLeftJustify);
  EXPECT_FALSE(ci.FindProp(u"Alignment")->IsStored(fresh));
  SetPropValue(&fresh, u"TextAngle", Int64(30));
  EXPECT_EQ(fresh.TextAngle(), 30);
}

TEST_F(RotLabTest, AnchorFollowsTheCentre) {
  EXPECT_EQ(r->PosX(), 100);  // placed on the form: centred at once
  EXPECT_EQ(r->PosY(), 100);
  r->SetBounds(0, 0, 151, 81);
  EXPECT_EQ(r->PosX(), 75);
  EXPECT_EQ(r->PosY(), 40);
  r->SetPosX(10);  // stays at the centre
  EXPECT_EQ(r->PosX(), 75);
  r->SetAutoCenter(false);
  r->SetPosX(10);
  r->SetBounds(0, 0, 200, 200);
  EXPECT_EQ(r->PosX(), 10);
  EXPECT_EQ(r->PosY(), 40);
  r->SetAutoCenter(true);
  EXPECT_EQ(r->PosX(), 100);
}

TEST_F(RotLabTest, TextLandsByAngleAndAlignment) {
  r->SetAutoCenter(false);
  r->SetPosX(150);
  r->SetPosY(100);
  // 0 degrees, right-justified: the text ends at PosX, its centre line on PosY.
  r->SetTextAngle(0);
  r->SetAlignment(taRightJustify);
  TRect b = Ink();
  EXPECT_NEAR(b.Right, 150, 2);
  EXPECT_NEAR((b.Top + b.Bottom) / 2, 100, 3);
  EXPECT_GT(b.Width(), 3 * b.Height());
  // Left-justified: it starts there.
  r->SetAlignment(taLeftJustify);
  r->SetPosX(20);
  b = Ink();
  EXPECT_NEAR(b.Left, 21, 2);
  // 90 degrees, centred: upward text, centred on the anchor both ways.
  r->SetPosX(100);
  r->SetTextAngle(90);
  r->SetAlignment(taCenter);
  b = Ink();
  EXPECT_GT(b.Height(), 3 * b.Width());
  EXPECT_NEAR((b.Left + b.Right) / 2, 100, 3);
  EXPECT_NEAR((b.Top + b.Bottom) / 2, 100, 3);
  // The TextOut point: half the width below the anchor, half the height left of it.
  const Integer hw = r->Canvas()->TextWidth(u"HHHHHHHH") / 2, hh = r->Canvas()->TextHeight(u"HHHHHHHH") / 2;
  EXPECT_EQ(r->TextOrigin(), Point(100 - hh, 100 + hw));
}

TEST_F(RotLabTest, DisabledTextIsEngraved) {
  r->SetEnabled(false);
  r->SetAntiAlias(false);  // exact colours
  const TColor hi = ColorToRGB(clBtnHighlight), sh = ColorToRGB(clBtnShadow);
  r->SetColor(clYellow);  // a background that is neither colour
  r->Paint();
  EXPECT_GT(Count(sh), 20);
  bool lightBelowRight = false;
  for (Integer y = 1; y < r->Height(); ++y)
    for (Integer x = 1; x < r->Width(); ++x)
      if (Px(x, y) == hi && Px(x - 1, y - 1) == sh) lightBelowRight = true;
  EXPECT_TRUE(lightBelowRight);
}

TEST_F(RotLabTest, AntiAliasSwitchesSmoothing) {
  r->Font()->SetColor(clBlack);
  r->Paint();
  const Integer black = Count(clBlack);
  Integer smooth = r->Width() * r->Height() - Count(clWhite) - black;
  EXPECT_GT(smooth, 20);  // grey edge pixels
  r->SetAntiAlias(false);
  r->Paint();
  EXPECT_EQ(r->Width() * r->Height() - Count(clWhite) - Count(clBlack), 0);
  EXPECT_EQ(r->Font()->Quality(), fqDefault);  // the control's own font is left alone
}

TEST_F(RotLabTest, FrameAndTransparency) {
  r->SetFrameStyle(fsLowered);
  r->Paint();
  EXPECT_EQ(Px(50, 0), clGray);
  EXPECT_EQ(Px(50, 1), clBlack);
  EXPECT_EQ(Px(199, 50), clWhite);
  form.SetColor(clLime);
  r->SetTransparent(true);
  Application->ProcessMessages();
  EXPECT_EQ(Px(50, 50), clLime);  // the form shows through
}

TEST_F(RotLabTest, AssignCopiesAnchorAndLooks) {
  TRotLab src(nullptr);
  src.SetAutoCenter(false);
  src.SetPosX(33);
  src.SetTextAngle(45);
  src.SetAntiAlias(false);
  src.SetFrameStyle(fsRaised);
  r->Assign(&src);
  EXPECT_FALSE(r->AutoCenter());
  EXPECT_EQ(r->PosX(), 33);
  EXPECT_EQ(r->TextAngle(), 45);
  EXPECT_FALSE(r->AntiAlias());
  EXPECT_EQ(r->FrameStyle(), fsRaised);
  TBitmap other;
  EXPECT_THROW(r->Assign(&other), EConvertError);
}

// Every setting Assign copies, each changed from its default first.
TEST_F(RotLabTest, AssignCopiesEveryNamedSetting) {
  const std::vector<String> copied = {u"AutoCenter", u"FrameStyle", u"TextAngle", u"PosX", u"PosY", u"AntiAlias"};
  TRotLab src(nullptr), dst(nullptr);
  EXPECT_EQ(test::ChangeProps(src, copied), copied);
  dst.Assign(&src);
  EXPECT_TRUE(test::SameProps(src, dst, copied));
}

// Every published setting of its own takes a new value (a setter that ignored changes would show here).
TEST_F(RotLabTest, EveryOwnSettingTakesANewValue) {
  TRotLab fresh(nullptr);
  fresh.SetAutoCenter(false);  // else the position follows the size
  EXPECT_EQ(jox::test::RefusedProps(fresh), (std::vector<String>{}));
}
