// The accessible tree of the framework's controls: defaults by class, names from labels, text with caret
// and selection, tables of grids, tree nodes, combo items, focus, and objects going away with controls.
#include <gtest/gtest.h>

#include "package/framework/framework.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

class AccessibleTest : public test::FrameworkTest {
 protected:
  void SetUp() override {
    test::FrameworkTest::SetUp();
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(100, 50, 400, 300);
    form->SetCaption(u"Settings");
  }
  template <class T>
  T* Add(Integer l, Integer t, Integer w, Integer h) {
    auto* c = new T(form.get());
    c->SetParent(form.get());
    c->SetBounds(l, t, w, h);
    return c;
  }
  std::unique_ptr<TForm> form;
};

// Records the objects that went away.
struct Gone : TAccessibleListener {
  std::vector<TAccessible*> Objects;
  void Destroyed(TAccessible* Object) override { Objects.push_back(Object); }
};

TEST_F(AccessibleTest, ButtonsAndLabelsNameAndPress) {
  auto* ok = Add<TButton>(10, 10, 75, 25);
  ok->SetCaption(u"&Apply && close");
  ok->SetDefault(true);
  int clicks = 0;
  ok->SetOnClick([&](TObject*) { ++clicks; });
  TAccessible* a = ok->Accessible();
  EXPECT_EQ(a->Role(), arPushButton);
  EXPECT_EQ(a->Name(), u"Apply & close");
  EXPECT_TRUE(a->States() & asDefault);
  ASSERT_EQ(a->ActionIndex(kActPress), 0);
  EXPECT_TRUE(a->DoAction(0));
  EXPECT_EQ(clicks, 1);
  // A disabled button (or one in a disabled parent) cannot be pressed by a screen reader either.
  form->SetEnabled(false);
  EXPECT_FALSE(a->States() & asEnabled);
  EXPECT_FALSE(a->DoAction(0));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(a, ok->Accessible()) << "one object per control";

  // An edit is named by the label whose FocusControl it is, not by its content.
  auto* label = Add<TLabel>(10, 50, 60, 15);
  label->SetCaption(u"&Name:");
  auto* edit = Add<TEdit>(80, 50, 100, 21);
  edit->SetText(u"Ada");
  label->SetFocusControl(edit);
  EXPECT_EQ(edit->Accessible()->Name(), u"Name:");
  EXPECT_EQ(edit->Accessible()->Text(), u"Ada");
  EXPECT_EQ(label->Accessible()->Role(), arLabel);
  EXPECT_EQ(label->Accessible()->Text(), u"Name:");
  // Without a label the hint names it.
  auto* other = Add<TEdit>(80, 80, 100, 21);
  other->SetHint(u"Town|Where you live");
  EXPECT_EQ(other->Accessible()->Name(), u"Town");
  EXPECT_EQ(other->Accessible()->Description(), u"Where you live");

  // Speed buttons of a group toggle; a plain one is pushed.
  auto* bold = Add<TSpeedButton>(10, 120, 23, 22);
  auto* plain = Add<TSpeedButton>(40, 120, 23, 22);
  bold->SetGroupIndex(1);
  bold->SetAllowAllUp(true);
  EXPECT_EQ(bold->Accessible()->Role(), arToggleButton);
  EXPECT_EQ(plain->Accessible()->Role(), arPushButton);
  EXPECT_FALSE(bold->Accessible()->States() & asChecked);
  form->SetEnabled(true);
  EXPECT_TRUE(bold->Accessible()->DoAction(0));
  EXPECT_TRUE(bold->Accessible()->States() & asChecked);

  // The form is a window named by its caption, listed at the top level while shown.
  EXPECT_EQ(form->Accessible()->Role(), arWindow);
  EXPECT_EQ(form->Accessible()->Name(), u"Settings");
  EXPECT_EQ(form->Accessible()->ChildCount(), 6);
  EXPECT_EQ(ok->Accessible()->Parent(), form->Accessible());
  EXPECT_EQ(edit->Accessible()->IndexInParent(), 2);
  const auto hidden = AccessibleTopLevels();
  EXPECT_EQ(std::count(hidden.begin(), hidden.end(), form->Accessible()), 0);
  form->Show();
  const auto shown = AccessibleTopLevels();
  EXPECT_EQ(std::count(shown.begin(), shown.end(), form->Accessible()), 1);
  // Bounds are on the screen: the form's place plus the control's.
  const TRect b = ok->Accessible()->ScreenBounds();
  EXPECT_EQ(b.Width(), 75);
  EXPECT_EQ(b.Left, ok->ClientToScreen(Point(0, 0)).X);
}

TEST_F(AccessibleTest, EditTextCaretSelectionAndReadOnly) {
  auto* edit = Add<TEdit>(10, 10, 120, 21);
  edit->SetText(u"hello world");
  int changes = 0;
  edit->SetOnChange([&](TObject*) { ++changes; });
  TAccessible* a = edit->Accessible();
  EXPECT_EQ(a->Role(), arText);
  EXPECT_TRUE(a->HasText());
  EXPECT_TRUE(a->States() & asEditable);
  EXPECT_TRUE(a->States() & asSingleLine);
  EXPECT_TRUE(a->SetSelection(6, 11));
  Integer s = 0, e = 0;
  ASSERT_TRUE(a->Selection(s, e));
  EXPECT_EQ(s, 6);
  EXPECT_EQ(e, 11);
  EXPECT_EQ(edit->SelText(), u"world");
  EXPECT_TRUE(a->SetCaretOffset(3));
  EXPECT_EQ(a->CaretOffset(), 3);
  EXPECT_FALSE(a->Selection(s, e));
  EXPECT_TRUE(a->SetTextContents(u"bye"));
  EXPECT_EQ(edit->Text(), u"bye");
  EXPECT_EQ(changes, 1);
  // Read-only text stays as it is, whoever asks.
  edit->SetReadOnly(true);
  EXPECT_TRUE(a->States() & asReadOnly);
  EXPECT_FALSE(a->States() & asEditable);
  EXPECT_FALSE(a->SetTextContents(u"changed"));
  EXPECT_EQ(edit->Text(), u"bye");

  auto* memo = Add<TMemo>(10, 40, 120, 60);
  memo->Lines()->Add(u"one");
  memo->Lines()->Add(u"two");
  EXPECT_TRUE(memo->Accessible()->States() & asMultiLine);
  EXPECT_NE(memo->Accessible()->Text().find(u"two"), String::npos);
}

TEST_F(AccessibleTest, GridIsATableOfCellsWithHeadersAndFocus) {
  auto* grid = Add<TDrawGrid>(10, 10, 300, 150);
  grid->SetColCount(4);
  grid->SetRowCount(6);
  TAccessible* t = grid->Accessible();
  ASSERT_TRUE(t->IsTable());
  EXPECT_EQ(t->Role(), arTable);
  EXPECT_EQ(t->RowCount(), 5);
  EXPECT_EQ(t->ColumnCount(), 3);
  EXPECT_EQ(t->ChildCount(), 15);
  EXPECT_TRUE(t->States() & asManagesDescendants);
  TAccessible* cell = t->Cell(2, 1);
  ASSERT_NE(cell, nullptr);
  EXPECT_EQ(cell, t->Cell(2, 1)) << "the same object for the same cell";
  EXPECT_EQ(cell->Role(), arTableCell);
  EXPECT_EQ(cell->Parent(), t);
  Integer r = -1, c = -1;
  ASSERT_TRUE(t->CellPosition(cell, r, c));
  EXPECT_EQ(r, 2);
  EXPECT_EQ(c, 1);
  EXPECT_EQ(cell->IndexInParent(), 2 * 3 + 1);
  EXPECT_EQ(t->Child(cell->IndexInParent()), cell);
  EXPECT_EQ(t->Cell(5, 0), nullptr);
  EXPECT_EQ(t->Cell(0, 3), nullptr);
  // Bounds of a cell: the grid's cell rectangle on the screen.
  const TRect rc = grid->CellRect(2, 3);
  EXPECT_EQ(cell->ScreenBounds().Left, grid->ClientToScreen(Point(rc.Left, rc.Top)).X);
  // The current cell is the focused child; "activate" on a cell makes it current.
  EXPECT_EQ(t->FocusedChild(), t->Cell(0, 0));
  EXPECT_TRUE(cell->DoAction(0));
  EXPECT_EQ(grid->Row(), 3);
  EXPECT_EQ(grid->Col(), 2);
  EXPECT_EQ(t->FocusedChild(), cell);
  EXPECT_TRUE(cell->States() & asSelected);
  // A cell of a row that went away reads as defunct, without touching the grid's memory.
  grid->SetRowCount(3);
  EXPECT_TRUE(t->Cell(1, 0) != nullptr);
  EXPECT_TRUE(cell->States() & asDefunct);
}

TEST_F(AccessibleTest, TreeNodesExpandAndStaleNodesAreSafe) {
  auto* tree = Add<TTreeView>(10, 10, 200, 150);
  TTreeNode* root = tree->Items()->Add(nullptr, u"Documents");
  TTreeNode* child = tree->Items()->AddChild(root, u"Letters");
  tree->Items()->AddChild(child, u"2026");
  TAccessible* t = tree->Accessible();
  EXPECT_EQ(t->Role(), arTree);
  ASSERT_EQ(t->ChildCount(), 1);
  TAccessible* node = t->Child(0);
  EXPECT_EQ(node->Role(), arTreeItem);
  EXPECT_EQ(node->Name(), u"Documents");
  EXPECT_TRUE(node->States() & asExpandable);
  EXPECT_FALSE(node->States() & asExpanded);
  EXPECT_EQ(node->ChildCount(), 0) << "children of a collapsed node are not reachable";
  const Integer expand = node->ActionIndex(kActExpand);
  ASSERT_GE(expand, 0);
  EXPECT_TRUE(node->DoAction(expand));
  EXPECT_TRUE(root->Expanded());
  EXPECT_TRUE(node->States() & asExpanded);
  ASSERT_EQ(node->ChildCount(), 1);
  TAccessible* letters = node->Child(0);
  EXPECT_EQ(letters->Name(), u"Letters");
  EXPECT_EQ(letters->Parent(), node);
  EXPECT_EQ(letters->IndexInParent(), 0);
  EXPECT_GE(node->ActionIndex(kActCollapse), 0);
  // Selecting a node focuses it within the tree.
  EXPECT_TRUE(letters->DoAction(letters->ActionIndex(kActSelect)));
  EXPECT_EQ(tree->Selected(), child);
  EXPECT_EQ(t->FocusedChild(), letters);
  // The node is deleted: its object is defunct and reading it reads nothing of the freed node.
  tree->Items()->Delete(child);
  EXPECT_TRUE(letters->States() & asDefunct);
  EXPECT_EQ(letters->Name(), u"");
  EXPECT_EQ(letters->ChildCount(), 0);
  EXPECT_FALSE(letters->DoAction(0));
  EXPECT_EQ(node->ChildCount(), 0);
}

TEST_F(AccessibleTest, ComboItemsAndDropDown) {
  auto* combo = Add<TComboBox>(10, 10, 120, 21);
  combo->Items()->Add(u"Red");
  combo->Items()->Add(u"Green");
  combo->SetItemIndex(1);
  auto* label = Add<TLabel>(10, 40, 50, 15);
  label->SetCaption(u"Colour");
  label->SetFocusControl(combo);
  TAccessible* a = combo->Accessible();
  EXPECT_EQ(a->Role(), arComboBox);
  EXPECT_EQ(a->Name(), u"Colour");
  EXPECT_EQ(a->Text(), u"Green");
  // The list's entries follow the combo's own parts (its edit).
  auto* list = static_cast<TControlAccessible*>(a);
  ASSERT_EQ(list->ItemCount(), 2);
  TAccessible* red = list->Item(list->ItemAt(0));
  TAccessible* green = list->Item(list->ItemAt(1));
  EXPECT_EQ(a->Child(a->ChildCount() - 2), red);
  EXPECT_EQ(red->Name(), u"Red");
  EXPECT_EQ(red->Role(), arListItem);
  EXPECT_TRUE(green->States() & asSelected);
  EXPECT_FALSE(red->States() & asSelected);
  EXPECT_TRUE(red->DoAction(0));
  EXPECT_EQ(combo->ItemIndex(), 0);
  EXPECT_EQ(a->Text(), u"Red");
}

// A graphic control that takes the keyboard through a stand-in.
class TKeyDot : public TGraphicControl {
 public:
  explicit TKeyDot(TComponent* AOwner) : TGraphicControl(AOwner) { WantKeyboard(); }
};

TEST_F(AccessibleTest, FocusFollowsTheControlNotItsStandIn) {
  auto* edit = Add<TEdit>(10, 10, 100, 21);
  auto* dot = Add<TKeyDot>(10, 40, 30, 30);
  form->Show();
  edit->SetFocus();
  EXPECT_EQ(AccessibleFocus(), edit->Accessible());
  EXPECT_TRUE(edit->Accessible()->States() & asFocused);
  dot->SetFocus();
  EXPECT_EQ(AccessibleFocus(), dot->Accessible());
  EXPECT_TRUE(dot->Accessible()->States() & asFocused);
  EXPECT_TRUE(dot->Accessible()->States() & asFocusable);
  EXPECT_FALSE(edit->Accessible()->States() & asFocused);
  // The stand-in is no child of the form's object.
  EXPECT_EQ(form->Accessible()->ChildCount(), 2);
  EXPECT_TRUE(edit->Accessible()->GrabFocus());
  EXPECT_TRUE(edit->Focused());
}

TEST_F(AccessibleTest, ObjectsGoWithTheirControls) {
  Gone gone;
  SetAccessibleListener(&gone);
  auto* grid = Add<TDrawGrid>(10, 10, 200, 100);
  TAccessible* table = grid->Accessible();
  TAccessible* cell = table->Cell(0, 0);
  delete grid;
  SetAccessibleListener(nullptr);
  EXPECT_EQ(std::count(gone.Objects.begin(), gone.Objects.end(), table), 1);
  EXPECT_EQ(std::count(gone.Objects.begin(), gone.Objects.end(), cell), 1);
  EXPECT_EQ(form->Accessible()->ChildCount(), 0);
}

TEST_F(AccessibleTest, PopupMenuItemsAreChosenByAction) {
  auto* menu = new TPopupMenu(form.get());
  auto item = [&](const char16_t* caption) {
    auto* i = new TMenuItem(form.get());
    i->SetCaption(caption);
    menu->Items()->Add(i);
    return i;
  };
  TMenuItem* open = item(u"&Open");
  item(u"-");
  TMenuItem* wrap = item(u"&Wrap");
  wrap->SetChecked(true);
  TMenuItem* off = item(u"Off");
  off->SetEnabled(false);
  int opened = 0;
  open->SetOnClick([&](TObject*) { ++opened; });
  form->Show();
  menu->Popup(120, 80);
  const auto tops = AccessibleTopLevels();
  ASSERT_FALSE(tops.empty());
  TAccessible* m = tops.back();
  EXPECT_EQ(m->Role(), arPopupMenu);
  ASSERT_EQ(m->ChildCount(), 4);
  EXPECT_EQ(m->Child(0)->Name(), u"Open");
  EXPECT_EQ(m->Child(1)->Role(), arSeparator);
  EXPECT_EQ(m->Child(2)->Role(), arCheckMenuItem);
  EXPECT_TRUE(m->Child(2)->States() & asChecked);
  EXPECT_FALSE(m->Child(3)->States() & asEnabled);
  EXPECT_FALSE(m->Child(3)->DoAction(0));
  EXPECT_EQ(opened, 0);
  EXPECT_TRUE(m->Child(0)->DoAction(0));
  Application->ProcessMessages();
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(menu->OpenLevels(), 0);
}

TEST(AccessibleText, StripAccelAndRoleNames) {
  EXPECT_EQ(StripAccel(u"&File"), u"File");
  EXPECT_EQ(StripAccel(u"Save && &quit"), u"Save & quit");
  EXPECT_EQ(StripAccel(u"trailing&"), u"trailing");
  EXPECT_STREQ(AccRoleName(arTableCell), "table cell");
  EXPECT_STREQ(AccRoleName(arPageTab), "page tab");
}

}  // namespace
