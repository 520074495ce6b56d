// Labels, speed buttons and push buttons: sizing, engraved text, groups, press tracking, keys.
#include <gtest/gtest.h>

#include "package/framework/controls/buttons.h"
#include "package/framework/framework.h"
#include "package/framework/controls/labels.h"
#include "tests/support/support.h"

using namespace jox;
using jox::test::SurfacePixel;

namespace {

class ButtonsTest : public jox::test::FrameworkTest {};

TEST_F(ButtonsTest, LabelSizesToItsTextAndKeepsItsRightEdgeWhenRightJustified) {
  TForm form(nullptr);
  auto* l = new TLabel(&form);
  l->SetParent(&form);
  l->SetBounds(100, 10, 65, 17);
  l->SetCaption(u"Hello");
  const Integer w = l->Canvas()->TextWidth(u"Hello");
  EXPECT_EQ(l->Width(), w);
  EXPECT_EQ(l->Height(), l->Canvas()->TextHeight(u"Hello"));
  l->SetAlignment(taRightJustify);
  const Integer right = l->Left() + l->Width();
  l->SetCaption(u"Hello, world");
  EXPECT_EQ(l->Left() + l->Width(), right);
  // "&&" is one character, "&x" only underlines.
  l->SetCaption(u"&&");
  EXPECT_EQ(l->Width(), l->Canvas()->TextWidth(u"&"));
  EXPECT_EQ(GetAccelChar(u"&Name"), u'N');
  EXPECT_EQ(GetAccelChar(u"A && B"), 0);
  // Without AutoSize the size stays; an empty caption keeps one line of height.
  l->SetAutoSize(false);
  l->SetCaption(u"A much longer text than before");
  EXPECT_EQ(l->Left() + l->Width(), right);
  l->SetAutoSize(true);
  l->SetCaption(u"");
  EXPECT_GT(l->Height(), 0);
}

TEST_F(ButtonsTest, LabelPaintsItsBackgroundUnlessTransparentAndEngravesWhenDisabled) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 200, 100);
  auto* l = new TLabel(&form);
  l->SetParent(&form);
  l->SetBounds(10, 10, 100, 30);
  l->SetAutoSize(false);
  l->SetColor(clYellow);
  l->Font()->SetSize(20);
  l->SetCaption(u"I");
  Application->ProcessMessages();
  TBitmap* s = form.Surface();
  EXPECT_EQ(SurfacePixel(s, 100, 35), clYellow);
  l->SetTransparent(true);
  Application->ProcessMessages();
  EXPECT_EQ(SurfacePixel(s, 100, 35), ColorToRGB(clBtnFace));
  // Disabled: the stem of the I is grey with a white copy one pixel down-right.
  l->SetEnabled(false);
  Application->ProcessMessages();
  bool grey = false, white = false;
  for (Integer y = 10; y < 40; ++y)
    for (Integer x = 10; x < 40; ++x) {
      grey |= SurfacePixel(s, x, y) == ColorToRGB(clBtnShadow);
      white |= SurfacePixel(s, x, y) == ColorToRGB(clBtnHighlight);
    }
  EXPECT_TRUE(grey);
  EXPECT_TRUE(white);
}

TEST_F(ButtonsTest, LabelAcceleratorFocusesItsControlAndForgetsADeletedOne) {
  TForm form(nullptr);
  auto* l = new TLabel(&form);
  l->SetParent(&form);
  l->SetCaption(u"&Name");
  auto* e = new TEdit(&form);
  e->SetParent(&form);
  l->SetFocusControl(e);
  EXPECT_EQ(l->Perform(CM_DIALOGCHAR, u'n'), 1);
  EXPECT_TRUE(e->Focused());
  EXPECT_EQ(l->Perform(CM_DIALOGCHAR, u'x'), 0);
  delete e;
  EXPECT_EQ(l->FocusControl(), nullptr);
}

struct Group {
  TForm form{nullptr};
  TSpeedButton* b[3];
  int clicks[3] = {};
  Group() {
    form.SetBounds(0, 0, 200, 50);
    for (int i = 0; i < 3; ++i) {
      b[i] = new TSpeedButton(&form);
      b[i]->SetParent(&form);
      b[i]->SetBounds(10 + 30 * i, 10, 23, 22);
      b[i]->SetGroupIndex(1);
      b[i]->SetOnClick([this, i](TObject*) { ++clicks[i]; });
    }
  }
};

TEST_F(ButtonsTest, SpeedButtonGroupKeepsOneButtonDown) {
  Group g;
  g.b[0]->SetDown(true);
  jox::input::Click(g.b[1], 5, 5);
  EXPECT_FALSE(g.b[0]->Down());
  EXPECT_TRUE(g.b[1]->Down());
  EXPECT_EQ(g.clicks[1], 1);
  // Clicking the down button cannot raise it without AllowAllUp, but it still clicks.
  jox::input::Click(g.b[1], 5, 5);
  EXPECT_TRUE(g.b[1]->Down());
  EXPECT_EQ(g.clicks[1], 2);
  EXPECT_EQ(g.b[1]->State(), bsExclusive);
  // AllowAllUp set on one is shared by the group.
  g.b[2]->SetAllowAllUp(true);
  EXPECT_TRUE(g.b[0]->AllowAllUp());
  jox::input::Click(g.b[1], 5, 5);
  EXPECT_FALSE(g.b[1]->Down());
  // Without a group a button never stays down.
  g.b[0]->SetGroupIndex(0);
  g.b[0]->SetDown(true);
  EXPECT_FALSE(g.b[0]->Down());
}

TEST_F(ButtonsTest, SpeedButtonIgnoresGroupMessagesFromOtherKindsOfControl) {
  Group g;
  g.b[0]->SetDown(true);
  // Another control of the same parent announcing the same group must not be read as a speed button.
  TLabel other(nullptr);
  TMessage m{CM_BUTTONPRESSED, 1, intptr_t(static_cast<TObject*>(&other)), 0};
  g.b[0]->Dispatch(m);
  EXPECT_TRUE(g.b[0]->Down());
  EXPECT_FALSE(g.b[0]->AllowAllUp());
}

TEST_F(ButtonsTest, SpeedButtonShowsThePressWhileHeldAndClicksOnlyOnReleaseOverIt) {
  TForm form(nullptr);
  auto* b = new TSpeedButton(&form);
  b->SetParent(&form);
  b->SetBounds(10, 10, 23, 22);
  int clicks = 0;
  b->SetOnClick([&](TObject*) { ++clicks; });
  jox::input::MouseMove(b, 5, 5);
  jox::input::MouseDown(b, 5, 5);
  EXPECT_EQ(b->State(), bsDown);
  EXPECT_EQ(clicks, 0);
  jox::input::MouseMove(b, 50, 50);
  EXPECT_EQ(b->State(), bsUp);
  jox::input::MouseUp(b, 50, 50);
  EXPECT_EQ(clicks, 0);
  jox::input::Click(b, 5, 5);
  EXPECT_EQ(clicks, 1);
  jox::input::Click(b, 5, 5, mbRight);
  EXPECT_EQ(clicks, 1);
  b->SetEnabled(false);
  EXPECT_EQ(b->State(), bsDisabled);
}

TEST_F(ButtonsTest, SpeedButtonDrawsItsGlyphWithoutTheTransparentColour) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 100, 60);
  auto* b = new TSpeedButton(&form);
  b->SetParent(&form);
  b->SetBounds(0, 0, 40, 40);
  TBitmap g(8, 8);
  g.Canvas()->Brush()->SetColor(clFuchsia);
  g.Canvas()->FillRect(Rect(0, 0, 8, 8));
  g.Canvas()->Brush()->SetColor(clRed);
  g.Canvas()->FillRect(Rect(2, 2, 6, 6));
  b->SetGlyph(&g);
  Application->ProcessMessages();
  TBitmap* s = form.Surface();
  // Centred: the glyph's (0, 0) lands at (16, 16).
  EXPECT_EQ(SurfacePixel(s, 16 + 3, 16 + 3), clRed);
  EXPECT_EQ(SurfacePixel(s, 16, 16), ColorToRGB(clBtnFace));
  // Disabled without a disabled picture: engraved, no red left.
  b->SetEnabled(false);
  Application->ProcessMessages();
  EXPECT_NE(SurfacePixel(s, 16 + 3, 16 + 3), clRed);
}

TEST_F(ButtonsTest, PushButtonClicksByMouseSpaceAndEnterAndSetsTheModalResult) {
  TForm form(nullptr);
  auto* b = new TButton(&form);
  b->SetParent(&form);
  b->SetModalResult(mrOk);
  int clicks = 0;
  b->SetOnClick([&](TObject*) { ++clicks; });
  jox::input::Drag(b, 5, 5, 100, 100);  // released off the button: no click
  EXPECT_EQ(clicks, 0);
  jox::input::Click(b, 5, 5);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(form.ModalResult(), mrOk);
  jox::input::KeyPress(b, VK_SPACE);
  jox::input::KeyPress(b, VK_RETURN);
  EXPECT_EQ(clicks, 3);
  // Escape reaches a Cancel button through the dialog key.
  b->SetCancel(true);
  EXPECT_EQ(b->Perform(CM_DIALOGKEY, VK_ESCAPE, 0), 1);
  EXPECT_EQ(clicks, 4);
}

}  // namespace
