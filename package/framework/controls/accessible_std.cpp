// Accessibility of the framework's own classes: forms, buttons, labels, edits, memos, combo boxes, the date
// field, grids and tree views. TControl::CreateAccessible picks the default by class, so the framework's
// headers need no override each; units override CreateAccessible for what they add.
// Sections: [form] [buttons] [text] [combo] [grid] [tree] [factory]
#include <algorithm>

#include "package/framework/controls/accessible.h"
#include "package/framework/controls/accessible_edit.h"
#include "package/framework/controls/buttons.h"
#include "package/framework/controls/combobox.h"
#include "package/framework/controls/comctrls.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/grids.h"
#include "package/framework/controls/labels.h"
#include "package/framework/controls/memo.h"
#include "package/framework/controls/popups.h"
#include "package/framework/controls/stdctrls.h"
#include "package/framework/controls/treeview.h"

namespace jox {

namespace {

// [form] ---------------------------------------------------------------------------------------------------
class TFormAccessible : public TControlAccessible {
 public:
  using TControlAccessible::TControlAccessible;
  TAccRole Role() const override {
    auto* f = static_cast<TCustomForm*>(Control());
    if (f->Parent()) return arPanel;  // a form shown inside another, as a page
    return f->Modal() || f->BorderStyle() == bsDialog ? arDialog : arWindow;
  }
  String Name() const override { return Control()->Caption(); }
  TAccStates States() const override {
    auto* f = static_cast<TCustomForm*>(Control());
    TAccStates s = TControlAccessible::States() & ~(asFocusable | asFocused);
    if (Screen && Screen->ActiveForm() == f) s |= asActive;
    if (f->Modal()) s |= asModal;
    return s;
  }
};

class TPopupAccessible : public TControlAccessible {
 public:
  using TControlAccessible::TControlAccessible;
  TAccRole Role() const override { return arWindow; }
  String Name() const override {
    auto* p = static_cast<TPopupWindow*>(Control());
    return p->PopupOwner() && p->PopupOwner()->Accessible() ? p->PopupOwner()->Accessible()->Name() : String();
  }
};

// [buttons] ------------------------------------------------------------------------------------------------
class TButtonAccessible : public TControlAccessible {
 public:
  using TControlAccessible::TControlAccessible;
  TAccRole Role() const override { return arPushButton; }
  TAccStates States() const override {
    TAccStates s = TControlAccessible::States();
    if (static_cast<TButton*>(Control())->Default()) s |= asDefault;
    return s;
  }
  std::vector<String> Actions() const override { return {kActPress}; }
  bool DoAction(Integer Index) override {
    if (Index != 0 || !(States() & asEnabled)) return false;
    static_cast<TButton*>(Control())->Click();
    return true;
  }
};

// A speed button of a group, or one that may stay down, is a toggle button; a plain one a push button.
class TSpeedButtonAccessible : public TControlAccessible {
 public:
  using TControlAccessible::TControlAccessible;
  TAccRole Role() const override { return Toggles() ? arToggleButton : arPushButton; }
  TAccStates States() const override {
    TAccStates s = TControlAccessible::States();
    if (Toggles()) s |= asCheckable;
    if (Button()->Down()) s |= Toggles() ? asPressed | asChecked : TAccStates(asPressed);
    return s;
  }
  std::vector<String> Actions() const override { return {kActPress}; }
  // As a release over the button: a grouped one toggles (its group's rules hold), then OnClick.
  bool DoAction(Integer Index) override {
    if (Index != 0 || !(States() & asEnabled)) return false;
    if (Toggles()) Button()->SetDown(!Button()->Down());
    Button()->Click();
    return true;
  }

 private:
  TSpeedButton* Button() const { return static_cast<TSpeedButton*>(Control()); }
  bool Toggles() const { return Button()->GroupIndex() > 0; }
};

// [text] ---------------------------------------------------------------------------------------------------
class TLabelAccessible : public TTextAccessible {
 public:
  using TTextAccessible::TTextAccessible;
  String Description() const override {
    auto* l = static_cast<TCustomLabel*>(Control());
    if (l->FocusControl() && l->FocusControl()->Accessible())
      return u"label for " + l->FocusControl()->Accessible()->Name();
    return TTextAccessible::Description();
  }
};

class TDatePickerAccessible : public TControlAccessible {
 public:
  using TControlAccessible::TControlAccessible;
  TAccRole Role() const override { return arDateEditor; }
  bool HasText() const override { return true; }
  String Text() const override { return Control()->Text(); }
  std::vector<String> Actions() const override { return {kActShowMenu}; }
  bool DoAction(Integer Index) override {
    auto* p = static_cast<TDateTimePicker*>(Control());
    if (Index != 0 || !p->Enabled()) return false;
    p->SetDroppedDown(!p->DroppedDown());
    return true;
  }
};

// [combo] --------------------------------------------------------------------------------------------------
// The list's texts are items of the combo box, the chosen one selected; "showMenu" drops the list.
class TComboAccessible : public TControlAccessible {
 public:
  using TControlAccessible::TControlAccessible;
  TAccRole Role() const override { return arComboBox; }
  String Name() const override { return LabelledName(); }
  TAccStates States() const override {
    TAccStates s = TControlAccessible::States() | asExpandable;
    if (Combo()->DroppedDown()) s |= asExpanded;
    return s;
  }
  bool HasText() const override { return true; }
  String Text() const override { return Combo()->Text(); }
  std::vector<String> Actions() const override { return {kActShowMenu}; }
  bool DoAction(Integer Index) override {
    if (Index != 0 || !(States() & asEnabled)) return false;
    Combo()->SetDroppedDown(!Combo()->DroppedDown());
    return true;
  }
  Integer ItemCount() const override { return Combo()->Items()->Count(); }
  bool DescribeItem(TAccKey Key, TItemInfo& Info) const override {
    if (Key < 0 || Key >= ItemCount()) return false;
    Info.Role = arListItem;
    Info.Name = Combo()->Items()->Strings(Integer(Key));
    Info.States = asSelectable | asVisible;
    if (Key == Combo()->ItemIndex()) Info.States |= asSelected;
    Info.Actions = {kActSelect};
    return true;
  }
  bool DoItemAction(TAccKey Key, Integer Action) override { return FocusItem(Key); }
  bool FocusItem(TAccKey Key) override {
    if (Key < 0 || Key >= ItemCount() || !Combo()->Enabled()) return false;
    Combo()->SetItemIndex(Integer(Key));
    return true;
  }
  TAccKey FocusedItem() const override { return Combo()->ItemIndex() >= 0 ? Combo()->ItemIndex() : kNoItem; }

 private:
  TCustomComboBox* Combo() const { return static_cast<TCustomComboBox*>(Control()); }
};

// [tree] ---------------------------------------------------------------------------------------------------
// Nodes are items keyed by their address; only nodes a user could reach (their parents expanded) are
// exposed, and a key is checked against them before it is read, so a deleted node is never touched.
class TTreeAccessible : public TControlAccessible {
 public:
  using TControlAccessible::TControlAccessible;
  TAccRole Role() const override { return arTree; }
  TAccStates States() const override { return TControlAccessible::States() | asManagesDescendants; }
  Integer ItemCount() const override { return Tree()->Items()->RootCount(); }
  TAccKey ItemAt(Integer Index) const override { return Key(Tree()->Items()->Root(Index)); }
  Integer SubItemCount(TAccKey K) const override {
    const TTreeNode* n = Node(K);
    return n && n->Expanded() ? n->Count() : 0;
  }
  TAccKey SubItemAt(TAccKey K, Integer Index) const override {
    const TTreeNode* n = Node(K);
    return n && n->Expanded() ? Key(n->Item(Index)) : kNoItem;
  }
  TAccKey ItemParent(TAccKey K) const override {
    const TTreeNode* n = Node(K);
    return n && n->Parent() ? Key(n->Parent()) : kNoItem;
  }
  bool DescribeItem(TAccKey K, TItemInfo& Info) const override {
    const TTreeNode* n = Node(K);
    if (!n) return false;
    Info.Role = arTreeItem;
    Info.Name = n->Text();
    Info.States = asSelectable | asFocusable | asVisible;
    if (n->Selected()) Info.States |= asSelected;
    Info.Actions = {kActSelect};
    if (n->HasChildren()) {
      Info.States |= asExpandable;
      if (n->Expanded()) Info.States |= asExpanded;
      Info.Actions.push_back(n->Expanded() ? kActCollapse : kActExpand);
    }
    Info.Bounds = n->IsVisible() ? n->DisplayRect(false) : TRect();
    Info.Description = u"level " + FromUtf8(std::to_string(n->Level() + 1));
    return true;
  }
  bool DoItemAction(TAccKey K, Integer Action) override {
    TTreeNode* n = Node(K);
    if (!n || !Tree()->Enabled()) return false;
    if (Action == 0) return FocusItem(K);
    if (Action != 1 || !n->HasChildren()) return false;
    if (n->Expanded()) n->Collapse(false);
    else n->Expand(false);
    return true;
  }
  bool FocusItem(TAccKey K) override {
    TTreeNode* n = Node(K);
    if (!n) return false;
    Tree()->SetSelected(n);
    return true;
  }
  TAccKey FocusedItem() const override {
    TTreeNode* n = Tree()->Selected();
    return n && Node(Key(n)) ? Key(n) : kNoItem;
  }

 private:
  TCustomTreeView* Tree() const { return static_cast<TCustomTreeView*>(Control()); }
  static TAccKey Key(const TTreeNode* n) { return n ? TAccKey(n) : kNoItem; }
  // The node of a key when it is one of the reachable nodes now.
  TTreeNode* Node(TAccKey K) const {
    if (K == kNoItem) return nullptr;
    for (Integer i = 0; i < Tree()->Items()->RootCount(); ++i)
      if (TTreeNode* n = Find(Tree()->Items()->Root(i), K)) return n;
    return nullptr;
  }
  static TTreeNode* Find(TTreeNode* n, TAccKey K) {
    if (!n) return nullptr;
    if (Key(n) == K) return n;
    if (!n->Expanded()) return nullptr;
    for (Integer i = 0; i < n->Count(); ++i)
      if (TTreeNode* f = Find(n->Item(i), K)) return f;
    return nullptr;
  }
};

}  // namespace

// [grid] ---------------------------------------------------------------------------------------------------
TGridAccessible::TGridAccessible(TCustomGrid* Grid) : TTableAccessible(Grid) {}

TCustomGrid* TGridAccessible::Grid() const { return static_cast<TCustomGrid*>(Control()); }

Integer TGridAccessible::RowCount() const { return std::max(0, Grid()->RowCount() - Grid()->FixedRows()); }

Integer TGridAccessible::ColumnCount() const { return std::max(0, Grid()->ColCount() - Grid()->FixedCols()); }

String TGridAccessible::ColumnHeader(Integer Column) const {
  return Grid()->FixedRows() > 0 ? GridText(Column + Grid()->FixedCols(), 0) : String();
}

String TGridAccessible::RowHeader(Integer Row) const {
  return Grid()->FixedCols() > 0 ? GridText(0, Row + Grid()->FixedRows()) : String();
}

String TGridAccessible::CellText(Integer Row, Integer Column) const {
  return GridText(Column + Grid()->FixedCols(), Row + Grid()->FixedRows());
}

TRect TGridAccessible::CellBounds(Integer Row, Integer Column) const {
  return Grid()->CellRect(Column + Grid()->FixedCols(), Row + Grid()->FixedRows());
}

bool TGridAccessible::CellSelected(Integer Row, Integer Column) const {
  const TGridRect s = Grid()->Selection();
  const Integer c = Column + Grid()->FixedCols(), r = Row + Grid()->FixedRows();
  return c >= s.Left && c <= s.Right && r >= s.Top && r <= s.Bottom;
}

bool TGridAccessible::FocusedCell(Integer& Row, Integer& Column) const {
  Row = Grid()->Row() - Grid()->FixedRows();
  Column = Grid()->Col() - Grid()->FixedCols();
  return Row >= 0 && Column >= 0;
}

bool TGridAccessible::FocusItem(TAccKey Key) {
  const Integer cols = ColumnCount();
  if (cols <= 0 || Key < 0 || Key >= TAccKey(RowCount()) * cols || !Grid()->Enabled()) return false;
  Grid()->SetRow(Integer(Key / cols) + Grid()->FixedRows());
  Grid()->SetCol(Integer(Key % cols) + Grid()->FixedCols());
  return true;
}

bool TGridAccessible::DoItemAction(TAccKey Key, Integer Action) { return Action == 0 && FocusItem(Key); }

// [factory] ------------------------------------------------------------------------------------------------
TAccessible* TControl::CreateAccessible() {
  if (auto* g = dynamic_cast<TCustomGrid*>(this)) return new TGridAccessible(g);
  if (dynamic_cast<TCustomTreeView*>(this)) return new TTreeAccessible(this);
  if (dynamic_cast<TCustomMemo*>(this)) return new TEditAccessible<TCustomMemo, true>(this);
  if (dynamic_cast<TCustomEdit*>(this)) return new TEditAccessible<TCustomEdit, false>(this);
  if (dynamic_cast<TCustomComboBox*>(this)) return new TComboAccessible(this);
  if (dynamic_cast<TDateTimePicker*>(this)) return new TDatePickerAccessible(this);
  if (dynamic_cast<TButton*>(this)) return new TButtonAccessible(this);
  if (dynamic_cast<TSpeedButton*>(this)) return new TSpeedButtonAccessible(this);
  if (dynamic_cast<TCustomLabel*>(this)) return new TLabelAccessible(this);
  if (dynamic_cast<TCustomForm*>(this)) return new TFormAccessible(this);
  if (dynamic_cast<TPopupWindow*>(this)) return new TPopupAccessible(this);
  return new TControlAccessible(this);
}

}  // namespace jox
