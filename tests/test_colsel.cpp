// The colour selector: palettes and names, refused values, selection by colour, the colour dialog from
// the colour bar, and how entries are drawn.
#include <gtest/gtest.h>

#include "colsel/colsel.h"
#include "package/framework/controls/dialogs.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/input.h"
#include "tests/support/support.h"

using namespace jox;
using jox::test::SurfacePixel;

namespace {

class ColSel : public jox::test::FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    form = std::make_unique<TForm>(nullptr);
    form->SetClientWidth(300);
    form->SetClientHeight(300);
    cs = new TColSel(form.get());
    cs->SetParent(form.get());
    cs->SetBounds(10, 10, 160, 22);
    cs->SetOnColorNameChange([this](TObject*, String& name) {
      renames.push_back(name);
      if (name == u"clFuchsia") name = u"Magenta";
    });
    Application->ProcessMessages();
  }
  TColor Px(Integer x, Integer y) { return SurfacePixel(cs->Surface(), cs->Left() + x, cs->Top() + y); }

  std::unique_ptr<TForm> form;
  TColSel* cs = nullptr;
  std::vector<String> renames;
};

}  // namespace

TEST_F(ColSel, DefaultsAndTheEmptyRunTimeList) {
  TColSel fresh(nullptr);
  for (const TPropInfo* p : TColSel::ClassInfo().AllProps())
    EXPECT_TRUE(!p->Default || p->IsDefault(fresh)) << ToUtf8(p->Name);
  EXPECT_EQ(fresh.Style(), csOwnerDrawFixed);
  EXPECT_EQ(fresh.ColorBarWidth(), 30);
  EXPECT_EQ(fresh.NumColors(), 20);
  EXPECT_EQ(fresh.SelColor(), PredefinedColors[1]);
  // Only a form reader's Loaded fills the list.
  EXPECT_EQ(fresh.Items()->Count(), 0);
  EXPECT_EQ(fresh.ItemIndex(), -1);
  EXPECT_EQ(fresh.SelColorID(), u"");
  EXPECT_EQ(fresh.Colors(47), TColor(0));  // not shown: reads give 0
  EXPECT_EQ(fresh.FindColorEntry(PredefinedColors[47]), 47);  // yet searched
  fresh.SetNumColors(20);
  EXPECT_EQ(fresh.Items()->Count(), 20);
  EXPECT_EQ(fresh.ItemIndex(), 0);
  EXPECT_EQ(fresh.SelColorID(), ColorToString(PredefinedColors[1]));
}

TEST_F(ColSel, PalettesNamesAndRefusals) {
  cs->LoadWindowsSystemPalette();
  EXPECT_EQ(cs->NumColors(), 27);
  EXPECT_EQ(cs->Colors(1), PredefinedColors[21]);
  EXPECT_EQ(cs->Colors(27), PredefinedColors[47]);
  EXPECT_EQ(cs->Colors(28), TColor(0));
  EXPECT_EQ(renames.size(), 27u);

  renames.clear();
  cs->LoadBasicVGAPalette();
  EXPECT_EQ(cs->NumColors(), 16);
  ASSERT_EQ(cs->Items()->Count(), 16);
  // The handler's rename is what is stored and listed, in entry order.
  EXPECT_EQ(cs->ColorNames(14), u"Magenta");
  EXPECT_EQ(cs->Items()->Get(13), u"Magenta");
  EXPECT_EQ(cs->ColorNames(10), u"clRed");
  cs->LoadExtendedPalette();
  EXPECT_EQ(cs->NumColors(), 20);
  cs->LoadStandardPalette();
  EXPECT_EQ(cs->NumColors(), 47);

  cs->SetSelColor(clRed);
  for (Integer bad : {0, -3, 48}) cs->SetNumColors(bad);
  EXPECT_EQ(cs->NumColors(), 47);
  EXPECT_EQ(cs->SelColor(), clRed);
  cs->SetNumColors(5);
  EXPECT_EQ(cs->ItemIndex(), 0);
  EXPECT_EQ(cs->SelColor(), PredefinedColors[1]);

  cs->SetColorBarWidth(-1);
  EXPECT_EQ(cs->ColorBarWidth(), 30);
  cs->SetColorBarWidth(0);
  EXPECT_EQ(cs->ColorBarWidth(), 0);

  // Writes outside 1 .. NumColors do nothing.
  cs->SetColors(6, clRed);
  cs->SetColorNames(0, u"x");
  cs->SetColorEditAllowed(6, true);
  EXPECT_FALSE(cs->ColorEditAllowed(6));
  cs->SetAllColorEditFlags();
  EXPECT_TRUE(cs->ColorEditAllowed(5));
  cs->LoadBasicVGAPalette();  // edit flags survive palettes
  EXPECT_TRUE(cs->ColorEditAllowed(16));
  cs->ResetAllColorEditFlags();
  EXPECT_FALSE(cs->ColorEditAllowed(16));

  cs->SetColorNames(3, u"Leaf");
  EXPECT_EQ(cs->ColorNames(3), u"Leaf");
  EXPECT_EQ(cs->Items()->Get(2), u"Leaf");
}

TEST_F(ColSel, SelColorSelectsByRgbOrReplacesTheSelectedEntry) {
  cs->LoadExtendedPalette();
  cs->SetColors(2, ColorToRGB(clBtnFace));  // a plain colour equal to a system colour
  cs->SetSelColor(clBtnFace);
  EXPECT_EQ(cs->ItemIndex(), 1);
  EXPECT_EQ(cs->SelColor(), ColorToRGB(clBtnFace));

  cs->SetSelColor(clBlue);
  EXPECT_EQ(cs->ItemIndex(), 12);
  renames.clear();
  const TColor odd = RGB(1, 2, 3);
  cs->SetSelColor(odd);
  EXPECT_EQ(renames.size(), 1u);
  EXPECT_EQ(cs->ItemIndex(), 12);
  EXPECT_EQ(cs->Colors(13), odd);
  EXPECT_EQ(cs->SelColorID(), ColorToString(odd));
  EXPECT_EQ(cs->FindColorEntry(clBlue), 0);
  // Exact colours only, over all 47 entries.
  EXPECT_EQ(cs->FindColorEntry(clBtnFace), 36);
  EXPECT_EQ(cs->FindColorEntry(ColorToRGB(clBtnFace)), 2);
}

TEST_F(ColSel, ChoosingAnItemByKeyboardFollowsSelColor) {
  cs->LoadBasicVGAPalette();
  cs->SetFocus();
  jox::input::KeyPress(cs, VK_DOWN);
  jox::input::KeyPress(cs, VK_DOWN);
  EXPECT_EQ(cs->SelColor(), PredefinedColors[3]);
  jox::input::KeyPress(cs, VK_HOME);  // back to the first entry, which counts like any other
  EXPECT_EQ(cs->ItemIndex(), 0);
  EXPECT_EQ(cs->SelColor(), PredefinedColors[1]);
}

TEST_F(ColSel, TheColourBarOfAnEditableEntryOpensTheDialog) {
  cs->LoadBasicVGAPalette();
  cs->SetColorEditAllowed(1, true);
  Integer dialogs = 0, changes = 0;
  bool confirm = true;
  jox::test::ScopedModalHook hook([&](TCustomForm* f) {
    ++dialogs;
    if (!confirm) {
      f->SetModalResult(mrCancel);
      return;
    }
    // The dialog's basic colours lie at (8, 24) in cells of 24 x 22; colour 9 is yellow.
    for (Integer i = 0; i < f->ControlCount(); ++i)
      if (f->Controls(i)->Left() == 8 && f->Controls(i)->Top() == 24) jox::input::Click(f->Controls(i), 34, 32);
    for (Integer i = 0; i < f->ControlCount(); ++i)
      if (f->Controls(i)->Caption() == u"OK") jox::input::Click(f->Controls(i), 10, 10);
  });
  cs->SetOnChange([&](TObject*) { ++changes; });

  // The name part: the list drops without the dialog.
  jox::input::MouseMove(cs, 80, 10);
  jox::input::Click(cs, 80, 10);
  EXPECT_EQ(dialogs, 0);
  EXPECT_TRUE(cs->DroppedDown());
  cs->SetDroppedDown(false);

  // Cancelled: nothing changes, the list still drops.
  confirm = false;
  jox::input::MouseMove(cs, 10, 10);
  jox::input::Click(cs, 10, 10);
  EXPECT_EQ(dialogs, 1);
  EXPECT_EQ(cs->Colors(1), clBlack);
  EXPECT_EQ(changes, 0);
  EXPECT_TRUE(cs->DroppedDown());
  cs->SetDroppedDown(false);

  confirm = true;
  renames.clear();
  jox::input::Click(cs, 10, 10);
  EXPECT_EQ(dialogs, 2);
  EXPECT_EQ(cs->Colors(1), RGB(255, 255, 0));
  EXPECT_EQ(changes, 1);
  ASSERT_EQ(renames.size(), 1u);
  EXPECT_EQ(cs->ColorNames(1), ColorToString(clYellow));
  EXPECT_EQ(cs->Items()->Get(0), ColorToString(clYellow));
  cs->SetDroppedDown(false);

  // A non-editable entry never opens it.
  cs->SetColorEditAllowed(1, false);
  jox::input::Click(cs, 10, 10);
  EXPECT_EQ(dialogs, 2);
  cs->SetDroppedDown(false);
}

TEST_F(ColSel, EntriesDrawABarAnEditMarkAndTheDisabledLook) {
  cs->LoadBasicVGAPalette();
  const Integer mid = cs->Height() / 2;
  // The text area starts at x 3: the bar spans x 6 .. 35, its outline black.
  cs->SetSelColor(clRed);
  Application->ProcessMessages();
  EXPECT_EQ(Px(20, mid), clRed);
  EXPECT_EQ(Px(6, mid), clBlack);
  EXPECT_EQ(Px(35, mid), clBlack);
  EXPECT_EQ(Px(36, mid), ColorToRGB(clWindow));

  // The edit mark's left edge at x 8: black on a light colour, white on a dark one.
  cs->SetAllColorEditFlags();
  cs->SetSelColor(clYellow);
  Application->ProcessMessages();
  EXPECT_EQ(Px(8, mid), clBlack);
  EXPECT_EQ(Px(20, mid), clYellow);
  cs->SetSelColor(clNavy);
  Application->ProcessMessages();
  EXPECT_EQ(Px(8, mid), clWhite);
  // No mark on a bar of 11 pixels or less.
  cs->SetColorBarWidth(11);
  Application->ProcessMessages();
  EXPECT_EQ(Px(8, mid), clNavy);
  cs->SetColorBarWidth(30);

  cs->SetEnabled(false);
  Application->ProcessMessages();
  EXPECT_FALSE(cs->Enabled());
  EXPECT_EQ(Px(20, mid), clSilver);  // no colour and no mark
  EXPECT_EQ(Px(8, mid), clSilver);
  EXPECT_EQ(Px(6, mid), clGray);
  EXPECT_EQ(Px(125, mid), clSilver);
}

// Every published setting of its own takes a new value (a setter that ignored changes would show here).
TEST_F(ColSel, EveryOwnSettingTakesANewValue) {
  TColSel fresh(nullptr);
  // the height follows the item height; a lone control has no other tab place.
  EXPECT_EQ(jox::test::RefusedProps(fresh), (std::vector<String>{u"Height", u"TabOrder"}));
}

TEST_F(ColSel, F2OrEnterOpensTheDialogOfAnEditableEntry) {
  cs->LoadBasicVGAPalette();
  Integer dialogs = 0, defaults = 0;
  jox::test::ScopedModalHook hook([&](TCustomForm* f) {
    ++dialogs;
    f->SetModalResult(mrCancel);
  });
  auto* ok = new TButton(cs->Owner());
  ok->SetParent(cs->Parent());
  ok->SetDefault(true);
  ok->SetOnClick([&](TObject*) { ++defaults; });
  cs->SetFocus();
  // Not editable: F2 does nothing and Enter is the default button's.
  jox::input::KeyPress(cs, VK_F2);
  jox::input::KeyPress(cs, VK_RETURN);
  EXPECT_EQ(dialogs, 0);
  EXPECT_EQ(defaults, 1);
  cs->SetColorEditAllowed(1, true);
  jox::input::KeyPress(cs, VK_F2);
  jox::input::KeyPress(cs, VK_RETURN);
  EXPECT_EQ(dialogs, 2);
  EXPECT_EQ(defaults, 1);
  EXPECT_FALSE(cs->DroppedDown());
}
