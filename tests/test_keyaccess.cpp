// Keyboard access across a form: first focus, focus moving on, Tab out of a memo, mnemonics, menu
// shortcuts, the context-menu key, and Escape in popups.
#include <gtest/gtest.h>

#include "package/framework/framework.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

class KeyAccessTest : public test::FrameworkTest {
 protected:
  void SetUp() override {
    test::FrameworkTest::SetUp();
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(100, 100, 300, 200);
    label = new TLabel(form.get());
    label->SetParent(form.get());
    label->SetCaption(u"&Name");
    name = AddEdit(10);
    label->SetFocusControl(name);
    memo = new TMemo(form.get());
    memo->SetParent(form.get());
    memo->SetBounds(10, 40, 150, 60);
    memo->SetTabStop(true);
    apply = new TButton(form.get());
    apply->SetParent(form.get());
    apply->SetBounds(10, 110, 75, 25);
    apply->SetCaption(u"&Apply");
    apply->SetOnClick([this](TObject*) { ++applied; });
    cancel = new TButton(form.get());
    cancel->SetParent(form.get());
    cancel->SetBounds(100, 110, 75, 25);
    cancel->SetCancel(true);
    cancel->SetOnClick([this](TObject*) { ++cancelled; });
  }
  TEdit* AddEdit(Integer top) {
    auto* e = new TEdit(form.get());
    e->SetParent(form.get());
    e->SetBounds(60, top, 100, 21);
    return e;
  }
  std::unique_ptr<TForm> form;
  TLabel* label;
  TEdit* name;
  TMemo* memo;
  TButton *apply, *cancel;
  int applied = 0, cancelled = 0;
};

TEST_F(KeyAccessTest, AShownFormFocusesItsActiveControlOrItsFirstTabStop) {
  form->Show();
  EXPECT_EQ(form->ActiveControl(), name);
  form->Hide();
  form->SetActiveControl(apply);
  form->Show();
  EXPECT_EQ(form->ActiveControl(), apply);
  // An active control that cannot take the focus any more gives way to the first tab stop.
  form->Hide();
  apply->SetTabStop(false);
  form->FocusControl(nullptr);
  name->SetEnabled(false);
  form->Show();
  EXPECT_EQ(form->ActiveControl(), memo);
}

TEST_F(KeyAccessTest, FocusMovesOnWhenTheFocusedControlIsDisabledHiddenOrDestroyed) {
  form->Show();
  ASSERT_EQ(form->ActiveControl(), name);
  name->SetEnabled(false);
  EXPECT_EQ(form->ActiveControl(), memo);
  memo->Hide();
  EXPECT_EQ(form->ActiveControl(), apply);
  int exits = 0;
  apply->SetOnExit([&](TObject*) { ++exits; });
  delete apply;
  EXPECT_EQ(form->ActiveControl(), cancel);
  EXPECT_EQ(exits, 0);  // a control going away hears nothing more
  // The focus wraps round the tab order; with nothing left it is nowhere.
  name->SetEnabled(true);
  cancel->SetVisible(false);
  EXPECT_EQ(form->ActiveControl(), name);
  name->SetEnabled(false);
  EXPECT_EQ(form->ActiveControl(), nullptr);
}

TEST_F(KeyAccessTest, TabLeavesAMemoUnlessItWantsTabsAndEnterStaysInIt) {
  form->Show();
  memo->SetFocus();
  input::KeyPress(memo, VK_RETURN);
  EXPECT_EQ(memo->Lines()->Count(), 2);  // a line break, not the default button
  // Keys go to the form's focused control; sent to the memo itself, the key-up would focus it again.
  input::KeyPress(form.get(), VK_TAB);
  EXPECT_EQ(form->ActiveControl(), apply);
  memo->SetFocus();
  input::KeyPress(form.get(), VK_TAB, ssShift);
  EXPECT_EQ(form->ActiveControl(), name);
  // Escape belongs to the cancel button, whatever WantReturns says.
  memo->SetFocus();
  input::KeyPress(memo, VK_ESCAPE);
  EXPECT_EQ(cancelled, 1);
  memo->SetWantTabs(true);
  input::KeyPress(memo, VK_TAB);
  EXPECT_EQ(form->ActiveControl(), memo);
  EXPECT_NE(memo->Text().find(u'\t'), String::npos);
}

TEST_F(KeyAccessTest, AltMnemonicsFocusALabelsControlAndPressButtons) {
  form->Show();
  memo->SetFocus();
  input::KeyPress(form.get(), 'N', ssAlt);
  EXPECT_EQ(form->ActiveControl(), name);
  EXPECT_EQ(name->Text(), u"");  // the mnemonic types nothing
  input::KeyPress(name, 'A', ssAlt);
  EXPECT_EQ(applied, 1);
  EXPECT_EQ(form->ActiveControl(), name);  // a button pressed by its mnemonic leaves the focus
  // A disabled button and an unknown letter take nothing.
  apply->SetEnabled(false);
  input::KeyPress(name, 'A', ssAlt);
  input::KeyPress(name, 'Q', ssAlt);
  EXPECT_EQ(applied, 1);
}

TEST_F(KeyAccessTest, MenuShortCutsRunFromTheKeyboardOnTheirForm) {
  auto* menu = new TPopupMenu(form.get());
  auto* sub = new TMenuItem(menu);
  sub->SetCaption(u"&More");
  menu->Items()->Add(sub);
  auto* save = new TMenuItem(menu);
  save->SetCaption(u"&Save");
  save->SetShortCut(ShortCut('S', ssCtrl));
  sub->Add(save);  // found in a submenu too
  auto* refresh = new TMenuItem(menu);
  refresh->SetShortCut(ShortCut(VK_DELETE, {}));
  menu->Items()->Add(refresh);
  int saves = 0, refreshes = 0;
  save->SetOnClick([&](TObject*) { ++saves; });
  refresh->SetOnClick([&](TObject*) { ++refreshes; });
  form->Show();
  input::KeyPress(name, 'S', ssCtrl);
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(name->Text(), u"");
  // Delete stays with the edit that types; elsewhere it runs the item.
  input::TypeText(name, u"ab");
  input::KeyPress(name, VK_DELETE);
  EXPECT_EQ(refreshes, 0);
  input::KeyPress(apply, VK_DELETE);
  EXPECT_EQ(refreshes, 1);
  // A disabled item, or one of another form, does not run.
  save->SetEnabled(false);
  input::KeyPress(name, 'S', ssCtrl);
  EXPECT_EQ(saves, 1);
  TForm other(nullptr);
  auto* e = new TEdit(&other);
  e->SetParent(&other);
  save->SetEnabled(true);
  input::KeyPress(e, 'S', ssCtrl);
  EXPECT_EQ(saves, 1);
}

TEST_F(KeyAccessTest, ShiftF10AndTheMenuKeyOpenTheFocusedControlsMenuAtTheCaret) {
  TPopupMenu menu(nullptr);
  auto* item = new TMenuItem(&menu);
  item->SetCaption(u"Copy");
  menu.Items()->Add(item);
  name->SetPopupMenu(&menu);
  form->Show();
  input::KeyPress(name, VK_F10, ssShift);
  ASSERT_TRUE(menu.IsOpen());
  EXPECT_EQ(menu.PopupComponent(), name);
  const TPoint at = name->ClientToScreen(Point(0, 0));
  EXPECT_NEAR(menu.Level(0)->Left(), at.X, 8);  // empty text: the caret is at the left margin
  EXPECT_GE(menu.Level(0)->Top(), at.Y + 10);
  EXPECT_LE(menu.Level(0)->Top(), name->ClientToScreen(Point(0, name->Height())).Y);
  input::KeyPress(menu.Level(0), VK_ESCAPE);
  EXPECT_FALSE(menu.IsOpen());
  EXPECT_EQ(cancelled, 0);  // the Escape closed the menu and went no further
  // A control without a menu hands the request to its parent's.
  form->SetPopupMenu(&menu);
  input::KeyPress(apply, VK_APPS);
  EXPECT_TRUE(menu.IsOpen());
  menu.CloseMenu();
  // F10 alone is no context key.
  input::KeyPress(name, VK_F10);
  EXPECT_FALSE(menu.IsOpen());
}

TEST_F(KeyAccessTest, EscapeClosesEveryKindOfPopupOnce) {
  auto* combo = new TComboBox(form.get());
  combo->SetParent(form.get());
  combo->Items()->Add(u"one");
  auto* picker = new TDateTimePicker(form.get());
  picker->SetParent(form.get());
  int closeUps = 0;
  picker->SetOnCloseUp([&](TObject*) { ++closeUps; });
  form->Show();
  combo->SetDroppedDown(true);
  ASSERT_NE(popups::Top(), nullptr);
  input::KeyPress(combo, VK_ESCAPE);
  EXPECT_FALSE(combo->DroppedDown());
  picker->SetDroppedDown(true);
  input::KeyPress(picker, VK_ESCAPE);
  EXPECT_FALSE(picker->DroppedDown());
  EXPECT_EQ(closeUps, 1);
  EXPECT_EQ(cancelled, 0);
  EXPECT_TRUE(popups::Open().empty());
}

}  // namespace
