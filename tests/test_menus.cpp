// Popup menus: the chain of levels, clicks, keys, radio groups and the right click on a control.
#include <gtest/gtest.h>

#include "package/framework/framework.h"
#include "package/framework/controls/menus.h"
#include "package/framework/controls/popups.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

class MenusTest : public jox::test::FrameworkTest {};

struct Fixture {
  TForm form{nullptr};
  TPopupMenu* menu;
  TMenuItem *open, *sep, *more, *sub1, *sub2, *off;
  int clicks = 0, subClicks = 0, popups = 0, closes = 0;
  TMenuItem* Item(TComponent* owner, const char16_t* caption) {
    auto* i = new TMenuItem(owner);
    i->SetCaption(caption);
    return i;
  }
  Fixture() {
    form.SetBounds(0, 0, 400, 300);
    menu = new TPopupMenu(&form);
    open = Item(&form, u"&Open");
    open->SetShortCut(ShortCut('O', ssCtrl));
    sep = Item(&form, u"-");
    more = Item(&form, u"&More");
    sub1 = Item(&form, u"First");
    sub2 = Item(&form, u"Second");
    off = Item(&form, u"Off");
    off->SetEnabled(false);
    more->Add(sub1);
    more->Add(sub2);
    for (TMenuItem* i : {open, sep, more, off}) menu->Items()->Add(i);
    open->SetOnClick([this](TObject*) { ++clicks; });
    sub2->SetOnClick([this](TObject*) { ++subClicks; });
    menu->SetOnPopup([this](TObject*) { ++popups; });
    menu->SetOnClose([this](TObject*) { ++closes; });
  }
  TControl* level(int i) const { return menu->Level(i); }
};

TEST_F(MenusTest, ClickingAnItemClosesTheChainThenFiresOnce) {
  Fixture f;
  f.menu->Popup(50, 60);
  ASSERT_EQ(f.menu->OpenLevels(), 1);
  EXPECT_EQ(f.popups, 1);
  TControl* top = f.level(0);
  EXPECT_EQ(top->Left(), 50);
  EXPECT_EQ(top->Top(), 60);
  // Open "More" by keys and choose "Second" by a click.
  jox::input::KeyPress(top, VK_DOWN);
  jox::input::KeyPress(top, VK_DOWN);
  jox::input::KeyPress(top, VK_RIGHT);
  ASSERT_EQ(f.menu->OpenLevels(), 2);
  TControl* sub = f.level(1);
  EXPECT_GE(sub->Left(), top->Left() + top->Width() - 4);
  jox::input::MouseMove(sub, 20, 30);
  jox::input::Click(sub, 20, 30);
  EXPECT_EQ(f.subClicks, 1);
  EXPECT_EQ(f.menu->OpenLevels(), 0);
  EXPECT_FALSE(f.menu->IsOpen());
  EXPECT_EQ(f.closes, 1);
  EXPECT_TRUE(popups::Open().empty());
}

TEST_F(MenusTest, SeparatorsAndDisabledItemsDoNothingAndEscapeClosesOneLevel) {
  Fixture f;
  f.menu->Popup(10, 10);
  TControl* top = f.level(0);
  // The disabled last row.
  jox::input::Click(top, 20, top->Height() - 8);
  EXPECT_TRUE(f.menu->IsOpen());
  jox::input::KeyPress(top, 'M');  // the accelerator opens the submenu
  ASSERT_EQ(f.menu->OpenLevels(), 2);
  jox::input::KeyPress(f.level(1), VK_ESCAPE);
  EXPECT_EQ(f.menu->OpenLevels(), 1);
  jox::input::KeyPress(top, 'O');
  EXPECT_EQ(f.clicks, 1);
  EXPECT_FALSE(f.menu->IsOpen());
}

TEST_F(MenusTest, RightClickOnAControlOpensItsMenuAtThePointer) {
  Fixture f;
  auto* c = new TEdit(&f.form);
  c->SetParent(&f.form);
  c->SetBounds(20, 30, 100, 21);
  c->SetPopupMenu(f.menu);
  f.form.SetLeft(200);
  f.form.SetTop(100);
  jox::input::Click(c, 5, 6, mbRight);
  ASSERT_TRUE(f.menu->IsOpen());
  EXPECT_EQ(f.menu->PopupComponent(), c);
  EXPECT_EQ(f.level(0)->Left(), 200 + 20 + 5);
  EXPECT_EQ(f.level(0)->Top(), 100 + 30 + 6);
  f.menu->SetAutoPopup(false);
  f.menu->CloseMenu();
  jox::input::Click(c, 5, 6, mbRight);
  EXPECT_FALSE(f.menu->IsOpen());
}

TEST_F(MenusTest, RadioItemsKeepOneCheckedAndShortCutsReadAsText) {
  Fixture f;
  f.sub1->SetRadioItem(true);
  f.sub2->SetRadioItem(true);
  f.sub1->SetChecked(true);
  f.sub2->SetChecked(true);
  EXPECT_FALSE(f.sub1->Checked());
  EXPECT_EQ(ShortCutToText(ShortCut('O', ssCtrl)), u"Ctrl+O");
  EXPECT_EQ(ShortCutToText(ShortCut(VK_DELETE, ssShift)), u"Shift+Del");
  EXPECT_EQ(StripHotkey(u"Save && &Quit"), u"Save & Quit");
  // An item cannot hold itself; deleting a parent frees its children.
  EXPECT_THROW(f.sub1->Add(f.more), EInvalidOperation);
  delete f.more;
  EXPECT_EQ(f.menu->Items()->Count(), 3);
  // Past either end there is no item (the slot behind the last one is not read).
  EXPECT_EQ(f.menu->Items()->Items(3), nullptr);
  EXPECT_EQ(f.menu->Items()->Items(-1), nullptr);
}

}  // namespace
