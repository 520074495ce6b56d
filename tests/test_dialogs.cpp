// The colour dialog, scripted through the input functions while it is shown modally.
#include <gtest/gtest.h>

#include "package/framework/controls/buttons.h"
#include "package/framework/controls/dialogs.h"
#include "package/framework/framework.h"
#include "package/framework/controls/labels.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

class DialogsTest : public jox::test::FrameworkTest {};

TControl* FindByCaption(TWinControl* w, const String& caption) {
  for (Integer i = 0; i < w->ControlCount(); ++i)
    if (w->Controls(i)->Caption() == caption) return w->Controls(i);
  return nullptr;
}

TEST_F(DialogsTest, HsvConversionRoundTripsTheBasicColours) {
  for (TColor c : kBasicColors) EXPECT_EQ(HSVToRGB(RGBToHSV(c)), c) << std::hex << c;
  EXPECT_EQ(RGBToHSV(clRed).H, 0);
  EXPECT_EQ(RGBToHSV(clLime).H, 120);
  EXPECT_EQ(RGBToHSV(clBlue).H, 240);
  EXPECT_EQ(RGBToHSV(clGray).S, 0);
  EXPECT_EQ(RGBToHSV(clBtnFace).V, GetRValue(ColorToRGB(clBtnFace)));
}

TEST_F(DialogsTest, PickingABasicColourAndOkReturnsIt) {
  TColorDialog dlg(nullptr);
  dlg.SetColor(clBtnFace);
  jox::test::ScopedModalHook hook([&](TCustomForm* f) {
    EXPECT_EQ(f, dlg.Form());
    EXPECT_EQ(f->BorderStyle(), bsDialog);
    // Basic colour 9 (row 1, column 1) is yellow; the swatches start at (8, 24), cells 24 x 22.
    jox::input::Click(f, 8 + 24 + 10, 24 + 22 + 10);
    jox::input::Click(FindByCaption(f, u"OK"), 10, 10);
  });
  ASSERT_TRUE(dlg.Execute());
  EXPECT_EQ(dlg.Color(), RGB(255, 255, 0));
  EXPECT_EQ(dlg.CustomColors()->Count(), 16);
  EXPECT_EQ(dlg.CustomColors()->Get(0), u"ColorA=FFFFFF");
  EXPECT_EQ(dlg.Form(), nullptr);
}

TEST_F(DialogsTest, EditorFieldsAndCustomColoursTravelInAndOut) {
  TColorDialog dlg(nullptr);
  dlg.SetColor(clRed);
  dlg.CustomColors()->Add(u"ColorB=00FF00");
  dlg.CustomColors()->Add(u"ColorC=nonsense");
  jox::test::ScopedModalHook hook([&](TCustomForm* f) {
    // Red 255 -> 128 by typing in the Red field, then add it to the custom colours (slot A).
    auto* red = FindByCaption(f, u"&Red:");
    ASSERT_NE(red, nullptr);
    TWinControl* edit = static_cast<TLabel*>(red)->FocusControl();
    edit->SetFocus();
    jox::input::KeyPress(edit, VK_END);
    jox::input::KeyPress(edit, VK_BACK);
    jox::input::KeyPress(edit, VK_BACK);
    jox::input::KeyPress(edit, VK_BACK);
    jox::input::TypeText(edit, u"128");
    jox::input::Click(FindByCaption(f, u"&Add to Custom Colors"), 10, 10);
    jox::input::Click(FindByCaption(f, u"OK"), 10, 10);
  });
  ASSERT_TRUE(dlg.Execute());
  EXPECT_EQ(dlg.Color(), RGB(128, 0, 0));
  EXPECT_EQ(dlg.CustomColors()->Get(0), u"ColorA=000080");
  EXPECT_EQ(dlg.CustomColors()->Get(1), u"ColorB=00FF00");
  EXPECT_EQ(dlg.CustomColors()->Get(2), u"ColorC=FFFFFF");  // unreadable: white
}

TEST_F(DialogsTest, CancelKeepsTheColour) {
  TColorDialog dlg(nullptr);
  dlg.SetColor(clNavy);
  jox::test::ScopedModalHook hook([&](TCustomForm* f) {
    jox::input::Click(f, 8 + 10, 24 + 10);
    jox::input::Click(FindByCaption(f, u"Cancel"), 10, 10);
  });
  EXPECT_FALSE(dlg.Execute());
  EXPECT_EQ(dlg.Color(), clNavy);
}

}  // namespace
