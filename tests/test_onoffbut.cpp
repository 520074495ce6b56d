// The on/off button: style pictures, exclusive groups, the mouse areas, the momentary mode, centring,
// key colour and transparency, the disabled look, texts, copying.
#include <gtest/gtest.h>

#include "onoffbut/onoffbut.h"
#include "package/framework/controls/buttons.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/input.h"
#include "package/package.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

class OnOffTest : public test::FrameworkTest {
 protected:
  void SetUp() override {
    test::FrameworkTest::SetUp();
    form.SetClientWidth(400);
    form.SetClientHeight(300);
    form.SetColor(clYellow);
  }
  TOnOffBut* Add(Integer x, Integer y, TOnOffButStyle style = TOnOffBut::DefButtonStyle) {
    auto* b = new TOnOffBut(&form);
    b->SetParent(&form);
    b->SetBounds(x, y, 100, 50);
    b->SetButtonStyle(style);
    return b;
  }
  // A press and release at the middle of the button's picture.
  void ClickPicture(TOnOffBut* b, TMouseButton button = mbLeft) {
    Application->AdvanceClock(1000);  // no double clicks between the cases
    input::Click(b, b->LeftSpace() + b->GlyphWidth() / 2, b->TopSpace() + b->GlyphHeight() / 2, button);
  }
  TForm form{nullptr};
};

// A 2 x 2 picture set, 10 x 10 each, one colour per state, with one key-coloured pixel at (5, 5) of
// the on picture.
TBitmap* FourColours(TBitmap& b) {
  b.SetSize(20, 20);
  const TColor c[4] = {clRed, clGreen, clBlue, clFuchsia};
  for (int k = 0; k < 4; ++k) {
    b.Canvas()->Brush()->SetColor(c[k]);
    b.Canvas()->FillRect(Rect(k % 2 * 10, k / 2 * 10, k % 2 * 10 + 10, k / 2 * 10 + 10));
  }
  b.Canvas()->SetPixels(5, 5, TOnOffBut::KeyColor);
  return &b;
}

}  // namespace

TEST_F(OnOffTest, DefaultsAndStylePictures) {
  TOnOffBut d(nullptr);
  EXPECT_EQ(d.Width(), 100);
  EXPECT_EQ(d.Height(), 50);
  for (const TPropInfo& p : TOnOffBut::ClassInfo().Props)
    EXPECT_TRUE(!p.Default || p.IsDefault(d)) << ToUtf8(p.Name);
  EXPECT_EQ(d.GlyphWidth(), 30);
  EXPECT_EQ(d.GlyphHeight(), 18);

  struct Case {
    TOnOffButStyle style;
    const char16_t* name;
    Integer w, h;
  } cases[] = {{oobsUser, u"", 20, 20},           {oobsCheckbox, u"CHECKBOX", 16, 16},
               {oobsRadioBut, u"RADIOBUT", 14, 14}, {oobsSlideTB, u"SLIDETOPBOT", 18, 30},
               {oobsSlideLR, u"SLIDELFTRGT", 30, 18}, {oobsColSlideTB, u"COLSLIDETB", 18, 30},
               {oobsColSlideLR, u"COLSLIDELR", 30, 18}, {oobsLedRedGreen, u"LEDREDGREEN", 14, 14},
               {oobsArrowTopRgt, u"ARROWTR", 25, 25}, {oobsArrowUpDown, u"ARROWUD", 25, 25},
               {oobsArrowLeftRight, u"ARROWLR", 25, 25}, {oobsTrafficLPed, u"TRAFFICLGT", 31, 31},
               {oobsBeveledLed, u"BEVELEDLED", 17, 17}, {oobsSmileyYellow, u"SMILEYS", 18, 18},
               {oobsSmileyRedGrn, u"SMILEYRG", 18, 18}, {oobsBulb, u"BULB", 39, 49},
               {oobsButLamp, u"BUTLAMP", 49, 24},   {oobsHDLeft, u"HDLEFT", 48, 16},
               {oobsHDRight, u"HDRIGHT", 48, 16},   {oobsUser1, u"USER1", 24, 24},
               {oobsUser5, u"USER5", 24, 24}};
  for (const Case& c : cases) {
    EXPECT_EQ(OnOffButResourceNames()[c.style], c.name);
    d.SetButtonStyle(c.style);
    EXPECT_EQ(d.GlyphWidth(), c.w) << ToUtf8(c.name);
    EXPECT_EQ(d.GlyphHeight(), c.h) << ToUtf8(c.name);
  }
  d.SetButtonStyle(TOnOffButStyle(24));  // no such style
  EXPECT_EQ(d.ButtonStyle(), oobsUser5);

  // The names survive the unit's shut-down and start-up.
  {
    TPackageLoad load;
  }
  EXPECT_EQ(OnOffButResourceNames()[oobsBulb], u"BULB");
}

TEST_F(OnOffTest, PicturesByStateAndKeyColour) {
  TOnOffBut* b = Add(0, 0, oobsUser);
  b->SetAutoCenter(false);
  b->SetLeftSpace(20);
  b->SetTopSpace(10);
  TBitmap pics;
  b->SetUserGlyph(FourColours(pics));
  EXPECT_EQ(b->GlyphWidth(), 10);
  auto at = [&](Integer x, Integer y) { return b->Canvas()->Pixels(21 + x, 11 + y); };
  b->Paint();
  EXPECT_EQ(at(2, 2), clRed);                          // on, enabled: top left
  EXPECT_EQ(at(5, 5), ColorToRGB(clBtnFace));         // the key pixel shows the background
  b->SetColorBackgnd(clAqua);
  EXPECT_EQ(at(5, 5), clAqua);
  b->SetOnOff(false);
  EXPECT_EQ(at(2, 2), clGreen);                        // off, enabled: top right
  b->SetEnabled(false);
  b->Paint();
  EXPECT_EQ(at(2, 2), clFuchsia);                      // off, disabled: bottom right
  b->SetOnOff(true);
  EXPECT_EQ(at(2, 2), clBlue);                         // on, disabled: bottom left

  // Transparent: the parent shows through the background and the key pixel.
  b->SetEnabled(true);
  b->SetTransparent(true);
  Application->ProcessMessages();
  EXPECT_EQ(at(5, 5), clYellow);
  EXPECT_EQ(at(-10, 2), clYellow);
  EXPECT_EQ(at(2, 2), clRed);
  // An immediate repaint does not leave the old picture under the new one's transparent pixels.
  TBitmap keyed;
  FourColours(keyed);
  keyed.Canvas()->SetPixels(12, 2, TOnOffBut::KeyColor);  // transparent in the off picture only
  b->SetUserGlyph(&keyed);
  Application->ProcessMessages();
  EXPECT_EQ(at(2, 2), clRed);
  b->SetOnOff(false);
  EXPECT_EQ(at(2, 2), clYellow);
}

TEST_F(OnOffTest, UserGlyphErrorsChangeNothing) {
  TOnOffBut* b = Add(0, 0, oobsUser);
  EXPECT_EQ(b->GlyphWidth(), 20);
  b->SetUserGlyph(nullptr);
  TBitmap tiny(1, 1);
  b->SetUserGlyph(&tiny);
  EXPECT_THROW(b->LoadUserGlyph(u"/nonexistent/pictures.bmp"), Exception);
  EXPECT_EQ(b->GlyphWidth(), 20);
  const jox::test::ScratchDir dir;
  const String file = dir.File("oob_user.bmp");
  TBitmap pics;
  FourColours(pics)->SaveToFile(file);
  b->LoadUserGlyph(file);
  EXPECT_EQ(b->GlyphWidth(), 10);
  EXPECT_EQ(b->LeftSpace(), 45);  // re-centred
}

TEST_F(OnOffTest, ExclusiveGroup) {
  TOnOffBut* g[3] = {Add(0, 0, oobsRadioBut), Add(0, 60, oobsRadioBut), Add(0, 120, oobsRadioBut)};
  for (TOnOffBut* b : g) {
    b->SetOnOff(false);
    b->SetGroupIndex(1);
  }
  TOnOffBut* other = Add(200, 0, oobsRadioBut);  // another group
  other->SetGroupIndex(2);
  g[0]->SetOnOff(true);
  g[2]->SetAllowAllOff(false);  // shared by the whole group at once
  for (TOnOffBut* b : g) EXPECT_FALSE(b->AllowAllOff());
  EXPECT_TRUE(other->AllowAllOff());

  int clicks = 0;
  g[0]->SetOnClick([&](TObject*) { ++clicks; });
  ClickPicture(g[0]);  // the on button of the group cannot be switched off
  EXPECT_TRUE(g[0]->OnOff());
  EXPECT_EQ(clicks, 1);
  g[0]->SetOnOff(false);
  EXPECT_TRUE(g[0]->OnOff());

  ClickPicture(g[1]);
  EXPECT_FALSE(g[0]->OnOff());
  EXPECT_TRUE(g[1]->OnOff());
  EXPECT_FALSE(g[2]->OnOff());
  EXPECT_TRUE(other->OnOff());
  g[2]->SetOnOff(true);
  EXPECT_FALSE(g[1]->OnOff());

  g[1]->SetAllowAllOff(true);
  g[2]->SetOnOff(false);
  for (TOnOffBut* b : g) EXPECT_FALSE(b->OnOff());

  // A speed button of the same group speaks the same message; it is not mistaken for a switch.
  g[1]->SetOnOff(true);
  auto* sb = new TSpeedButton(&form);
  sb->SetParent(&form);
  sb->SetBounds(300, 200, 23, 22);
  sb->SetGroupIndex(1);
  sb->SetDown(true);
  EXPECT_TRUE(g[1]->OnOff());
}

TEST_F(OnOffTest, MouseAreas) {
  TOnOffBut* b = Add(0, 0);
  b->SetLeftText(u"Power");
  int clicks = 0;
  b->SetOnClick([&](TObject*) { ++clicks; });
  Application->AdvanceClock(1000);
  input::Click(b, 10, 25);  // on the text, beside the picture
  EXPECT_TRUE(b->OnOff());
  EXPECT_EQ(clicks, 0);
  ClickPicture(b);
  EXPECT_FALSE(b->OnOff());
  EXPECT_EQ(clicks, 1);
  ClickPicture(b, mbRight);
  EXPECT_FALSE(b->OnOff());
  b->SetMouseAction(oomaPlain);
  Application->AdvanceClock(1000);
  input::Click(b, 10, 25);
  EXPECT_TRUE(b->OnOff());
  EXPECT_EQ(clicks, 2);
  b->SetMouseAction(oomaNone);
  ClickPicture(b);
  EXPECT_TRUE(b->OnOff());
  EXPECT_EQ(clicks, 2);
}

TEST_F(OnOffTest, MomentaryButton) {
  TOnOffBut* b = Add(0, 0);
  b->SetMode(oobmSpeedBut);
  EXPECT_FALSE(b->OnOff());
  int clicks = 0;
  b->SetOnClick([&](TObject*) { ++clicks; });
  const Integer x = b->LeftSpace() + 15, y = b->TopSpace() + 9;
  input::MouseDown(b, x, y);
  EXPECT_TRUE(b->OnOff());
  const TColor onPixel = b->Canvas()->Pixels(x, y);
  input::MouseUp(b, x, y);
  EXPECT_FALSE(b->OnOff());
  EXPECT_NE(b->Canvas()->Pixels(x, y), onPixel);
  EXPECT_EQ(clicks, 1);
  // Released beside the picture: no click, but the button does not stay on.
  Application->AdvanceClock(1000);
  input::MouseDown(b, x, y);
  input::MouseMove(b, 5, 5);
  input::MouseUp(b, 5, 5);
  EXPECT_FALSE(b->OnOff());
  EXPECT_EQ(clicks, 1);
}

TEST_F(OnOffTest, CentringAndSpaces) {
  TOnOffBut* b = Add(0, 0);
  b->SetLeftSpace(5);  // centred instead
  EXPECT_EQ(b->LeftSpace(), 35);
  EXPECT_EQ(b->TopSpace(), 16);
  b->SetBounds(0, 0, 200, 60);
  EXPECT_EQ(b->LeftSpace(), 85);
  EXPECT_EQ(b->TopSpace(), 21);
  b->SetButtonStyle(oobsBulb);
  EXPECT_EQ(b->LeftSpace(), 80);
  b->SetAutoCenter(false);
  b->SetLeftSpace(5);
  EXPECT_EQ(b->LeftSpace(), 5);
  b->SetLeftSpace(-3);
  EXPECT_EQ(b->LeftSpace(), 5);
  b->SetTopSpace(500);
  EXPECT_EQ(b->TopSpace(), 60);
  b->SetAutoCenter(true);
  EXPECT_EQ(b->TopSpace(), 5);
  // An application's own resize handler ends the re-centring.
  b->SetOnResize([](TObject*) {});
  b->SetBounds(0, 0, 100, 60);
  EXPECT_EQ(b->LeftSpace(), 80);
}

TEST_F(OnOffTest, TextsAndDisabledLook) {
  TOnOffBut* b = Add(0, 0);
  b->SetBounds(0, 0, 200, 80);
  b->SetLeftText(u"Off");
  b->SetRightText(u"On");
  b->SetTopText(u"Power");
  b->SetBottomText(u"Mains");
  b->Paint();
  // Ink lies where each text belongs: left of, right of, above and below the picture.
  auto inkIn = [&](TRect r, TColor c) {
    for (Integer y = r.Top; y < r.Bottom; ++y)
      for (Integer x = r.Left; x < r.Right; ++x)
        if (test::SameColor(b->Canvas()->Pixels(x, y), c, 60)) return true;
    return false;
  };
  const Integer LS = b->LeftSpace(), TS = b->TopSpace();
  EXPECT_TRUE(inkIn(Rect(LS - 30, TS, LS, TS + 18), clBlack));
  EXPECT_TRUE(inkIn(Rect(LS + 31, TS, LS + 60, TS + 18), clBlack));
  EXPECT_TRUE(inkIn(Rect(LS, 2, LS + 30, TS), clBlack));
  EXPECT_TRUE(inkIn(Rect(LS, TS + 19, LS + 30, 78), clBlack));
  EXPECT_FALSE(inkIn(Rect(2, 2, LS - 35, 78), clBlack));  // the left text is right-aligned
  b->SetLeftTextAlignment(taLeftJustify);
  b->Paint();
  EXPECT_TRUE(inkIn(Rect(4, TS, 12, TS + 18), clBlack));

  b->SetEnabled(false);
  EXPECT_FALSE(b->Enabled());
  b->Paint();
  EXPECT_FALSE(inkIn(Rect(2, 2, 198, 78), clBlack));
  bool engraved = false;
  for (Integer y = TS; y < TS + 18; ++y)
    for (Integer x = 5; x < LS; ++x)
      engraved |= test::SameColor(b->Canvas()->Pixels(x, y), clWhite, 40) &&
                  test::SameColor(b->Canvas()->Pixels(x - 1, y - 1), clGray, 40);
  EXPECT_TRUE(engraved);
  ClickPicture(b);  // a disabled control gets no mouse
  EXPECT_TRUE(b->OnOff());
}

TEST_F(OnOffTest, AssignCopiesLooksNotGroups) {
  TOnOffBut* a = Add(0, 0, oobsBulb);
  a->SetOnOff(false);
  a->SetGroupIndex(3);
  a->SetAllowAllOff(false);
  a->SetMode(oobmSpeedBut);
  a->SetRightText(u"Lamp");
  a->SetTransparent(true);
  TOnOffBut copy(nullptr);
  copy.Assign(a);
  EXPECT_EQ(copy.ButtonStyle(), oobsBulb);
  EXPECT_EQ(copy.GlyphWidth(), 39);
  EXPECT_FALSE(copy.OnOff());
  EXPECT_EQ(copy.RightText(), u"Lamp");
  EXPECT_TRUE(copy.Transparent());
  EXPECT_EQ(copy.GroupIndex(), 0);
  EXPECT_TRUE(copy.AllowAllOff());
  EXPECT_EQ(copy.Mode(), oobmNormalBut);
  TPersistent other;
  EXPECT_THROW(copy.Assign(&other), EConvertError);
}

TEST_F(OnOffTest, FormTextKeepsEveryButtonsState) {
  RegisterClass<TOnOffBut>();
  TOnOffBut* a = Add(0, 0, oobsBulb);
  a->SetName(u"Lamp");
  a->SetAutoCenter(false);
  a->SetLeftSpace(7);
  a->SetRightText(u"Hall");
  a->SetGroupIndex(1);
  TOnOffBut* b = Add(0, 60);
  b->SetName(u"Other");
  b->SetGroupIndex(1);  // switches the lamp off: both were on
  b->SetOnOff(false);
  a->SetOnOff(true);
  a->SetAllowAllOff(false);
  const String text = WriteComponentText(&form);
  TForm g(nullptr);
  ReadComponentText(text, &g);
  auto* ra = dynamic_cast<TOnOffBut*>(g.FindComponent(u"Lamp"));
  auto* rb = dynamic_cast<TOnOffBut*>(g.FindComponent(u"Other"));
  ASSERT_TRUE(ra && rb) << ToUtf8(text);
  EXPECT_EQ(ra->ButtonStyle(), oobsBulb);
  EXPECT_EQ(ra->LeftSpace(), 7);
  EXPECT_EQ(ra->RightText(), u"Hall");
  EXPECT_TRUE(ra->OnOff());
  EXPECT_FALSE(rb->OnOff());
  EXPECT_FALSE(rb->AllowAllOff());

  // Written in another order, the group settings come before the states and spaces.
  const String raw =
      u"object Form3: TForm\n"
      u"  object B0: TOnOffBut\n    GroupIndex = 1\n    AllowAllOff = False\n  end\n"
      u"  object B1: TOnOffBut\n    GroupIndex = 1\n    AllowAllOff = False\n    OnOff = False\n"
      u"    LeftSpace = 7\n    AutoCenter = False\n  end\nend\n";
  TForm h(nullptr);
  ReadComponentText(raw, &h);
  auto* b0 = dynamic_cast<TOnOffBut*>(h.FindComponent(u"B0"));
  auto* b1 = dynamic_cast<TOnOffBut*>(h.FindComponent(u"B1"));
  ASSERT_TRUE(b0 && b1);
  EXPECT_TRUE(b0->OnOff());
  EXPECT_FALSE(b1->OnOff());
  EXPECT_EQ(b1->LeftSpace(), 7);
  EXPECT_EQ(b0->LeftSpace(), 35);  // centred in 100 x 50
}

// Every setting Assign copies, each changed from its default first.
TEST_F(OnOffTest, AssignCopiesEveryNamedSetting) {
  const std::vector<String> copied = {u"AutoCenter", u"LeftSpace", u"TopSpace", u"LeftText", u"TopText", u"BottomText", u"RightText", u"LeftTextAlignment", u"TopTextAlignment", u"BottomTextAlignment", u"RightTextAlignment", u"FrameStyle", u"ColorBackgnd", u"ColorScheme", u"OnOff", u"MouseAction", u"ColorText", u"Transparent"};
  TOnOffBut src(nullptr), dst(nullptr);
  EXPECT_EQ(jox::test::ChangeProps(src, copied), copied);
  dst.Assign(&src);
  EXPECT_TRUE(jox::test::SameProps(src, dst, copied));
}

// Every published setting of its own takes a new value (a setter that ignored changes would show here).
TEST_F(OnOffTest, EveryOwnSettingTakesANewValue) {
  TOnOffBut fresh(nullptr);
  EXPECT_EQ(jox::test::RefusedProps(fresh), (std::vector<String>{}));
}

TEST_F(OnOffTest, SpaceSwitchesTheFocusedButtonAndItsGroup) {
  TOnOffBut* a = Add(10, 10);
  TOnOffBut* b = Add(10, 70);
  a->SetGroupIndex(1);
  b->SetGroupIndex(1);
  int clicks = 0;
  b->SetOnClick([&](TObject*) { ++clicks; });
  form.Show();
  EXPECT_TRUE(a->Focused());  // the first tab stop of the shown form
  input::KeyPress(&form, VK_SPACE);
  EXPECT_TRUE(a->OnOff());
  input::KeyPress(&form, VK_TAB);
  ASSERT_TRUE(b->Focused());
  input::KeyPress(&form, VK_SPACE);
  EXPECT_TRUE(b->OnOff());
  EXPECT_FALSE(a->OnOff());
  EXPECT_EQ(clicks, 1);
  // A momentary button is on only while Space is held.
  b->SetMode(oobmSpeedBut);
  b->SetOnOff(false);
  input::KeyDown(&form, VK_SPACE);
  EXPECT_TRUE(b->OnOff());
  input::KeyUp(&form, VK_SPACE);
  EXPECT_FALSE(b->OnOff());
  // A click on the picture focuses the button; the mouse-less style takes no key either.
  ClickPicture(a);
  EXPECT_TRUE(a->Focused());
  a->SetMouseAction(oomaNone);
  const bool was = a->OnOff();
  input::KeyPress(&form, VK_SPACE);
  EXPECT_EQ(a->OnOff(), was);
}

TEST_F(OnOffTest, TheFocusShowsRoundThePicture) {
  TOnOffBut* a = Add(10, 10);
  auto* other = new TEdit(&form);
  other->SetParent(&form);
  other->SetBounds(200, 10, 50, 20);
  auto frameLine = [&] {
    Application->ProcessMessages();
    std::vector<TColor> line;
    const Integer y = 10 + a->TopSpace(), x0 = 10 + a->LeftSpace();
    for (Integer x = x0; x < x0 + a->GlyphWidth() + 2; ++x) line.push_back(test::SurfacePixel(form.Surface(), x, y));
    return line;
  };
  other->SetFocus();
  const auto unfocused = frameLine();
  a->SetFocus();
  EXPECT_NE(frameLine(), unfocused);
  other->SetFocus();
  EXPECT_EQ(frameLine(), unfocused);
}
