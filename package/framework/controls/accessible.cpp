// Accessibility: the node of a control, item objects, tables and the tree's top level.
// Sections: [node] [control] [items] [range-text-table] [helpers]
#include "package/framework/controls/accessible.h"

#include <algorithm>

#include "package/framework/controls/controls.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/keyproxy.h"
#include "package/framework/controls/labels.h"
#include "package/framework/controls/popups.h"

namespace jox {

namespace {
TAccessibleListener* gListener = nullptr;

// An item a control draws itself; it asks its control's node for everything, so it never holds stale data.
class TItemAccessible : public TAccessible {
 public:
  TItemAccessible(TControlAccessible* Owner, TControlAccessible::TAccKey Key) : FOwner(Owner), FKey(Key) {}

  TAccRole Role() const override { return Info().Role; }
  String Name() const override { return Info().Name; }
  String Description() const override { return Info().Description; }
  TAccStates States() const override {
    TControlAccessible::TItemInfo i;
    if (!FOwner->DescribeItem(FKey, i)) return asDefunct;
    TAccStates s = i.States & ~(asEnabled | asShowing);
    const TAccStates owner = FOwner->States();
    s |= owner & asVisible;
    if (i.Enabled && (owner & asEnabled)) s |= asEnabled;
    if (!(owner & asShowing) || i.Bounds.IsEmpty()) s &= ~asShowing;
    else s |= asShowing;
    if (FOwner->FocusedItem() == FKey) {
      s |= asSelected;
      if (owner & asFocused) s |= asFocused;
    }
    return s;
  }
  TRect ScreenBounds() const override {
    const TRect r = Info().Bounds;
    if (r.IsEmpty()) return {};
    const TPoint p = FOwner->Control()->ClientToScreen(Point(r.Left, r.Top));
    return Bounds(p.X, p.Y, r.Width(), r.Height());
  }
  TAccessible* Parent() const override {
    const auto parent = FOwner->ItemParent(FKey);
    return parent == TControlAccessible::kNoItem ? static_cast<TAccessible*>(FOwner) : FOwner->Item(parent);
  }
  Integer ChildCount() const override { return FOwner->SubItemCount(FKey); }
  TAccessible* Child(Integer Index) override {
    if (Index < 0 || Index >= ChildCount()) return nullptr;
    return FOwner->Item(FOwner->SubItemAt(FKey, Index));
  }
  TControl* Control() const override { return FOwner->Control(); }
  bool GrabFocus() override { return FOwner->FocusItem(FKey) && FOwner->GrabFocus(); }
  std::vector<String> Actions() const override { return Info().Actions; }
  bool DoAction(Integer Index) override {
    if (Index < 0 || Index >= ActionCount()) return false;
    return FOwner->DoItemAction(FKey, Index);
  }
  bool GetValue(TAccValue& Value) const override {
    const auto i = Info();
    if (i.HasValue) Value = i.Value;
    return i.HasValue;
  }

  const TControlAccessible* Owner() const { return FOwner; }
  TControlAccessible::TAccKey Key() const { return FKey; }

 private:
  TControlAccessible::TItemInfo Info() const {
    TControlAccessible::TItemInfo i;
    if (!FOwner->DescribeItem(FKey, i)) return {arUnknown, {}, {}, asDefunct, false, {}, {}, false, {}};
    return i;
  }
  TControlAccessible* FOwner;
  TControlAccessible::TAccKey FKey;
};

TAccessible* NodeOf(TControl* c) { return c ? c->Accessible() : nullptr; }

// The label on the same form whose FocusControl is Target.
const TCustomLabel* LabelFor(const TControl* Target) {
  const auto* root = dynamic_cast<const TWinControl*>(Target->Root());
  if (!root) return nullptr;
  std::vector<const TWinControl*> todo{root};
  while (!todo.empty()) {
    const TWinControl* w = todo.back();
    todo.pop_back();
    for (Integer i = 0; i < w->ControlCount(); ++i) {
      TControl* c = w->Controls(i);
      if (auto* l = dynamic_cast<const TCustomLabel*>(c); l && l->FocusControl() == Target) return l;
      if (auto* cw = dynamic_cast<const TWinControl*>(c)) todo.push_back(cw);
    }
  }
  return nullptr;
}
}  // namespace

// [node] ---------------------------------------------------------------------------------------------------
TAccessible::~TAccessible() {
  if (gListener) gListener->Destroyed(this);
}

void SetAccessibleListener(TAccessibleListener* Listener) { gListener = Listener; }

Integer TAccessible::IndexInParent() const {
  TAccessible* p = Parent();
  if (!p) return -1;
  if (auto* cp = dynamic_cast<TControlAccessible*>(p)) {
    // Items find their place by key, without walking every cell of a large table.
    TControlAccessible::TAccKey key;
    if (cp->KeyOf(this, key) && cp->ItemParent(key) == TControlAccessible::kNoItem) {
      const Integer before = cp->ChildCount() - cp->ItemCount();
      if (cp->IsTable()) {
        Integer r = 0, c = 0;
        if (cp->CellPosition(this, r, c)) return before + r * cp->ColumnCount() + c;
      }
      for (Integer i = 0; i < cp->ItemCount(); ++i)
        if (cp->ItemAt(i) == key) return before + i;
      return -1;
    }
  }
  for (Integer i = 0, n = p->ChildCount(); i < n; ++i)
    if (p->Child(i) == this) return i;
  return -1;
}

Integer TAccessible::ActionIndex(const String& Name) const {
  const auto a = Actions();
  const auto it = std::find(a.begin(), a.end(), Name);
  return it == a.end() ? -1 : Integer(it - a.begin());
}

// [control] ------------------------------------------------------------------------------------------------
TControlAccessible::~TControlAccessible() = default;

String TControlAccessible::Name() const {
  const String caption = StripAccel(FControl->Caption());
  return caption.empty() ? LabelledName() : caption;
}

String TControlAccessible::LabelledName() const {
  const String label = LabelText();
  return label.empty() ? GetShortHint(FControl->Hint()) : label;
}

String TControlAccessible::LabelText() const {
  const TCustomLabel* l = LabelFor(FControl);
  return l ? StripAccel(l->Caption()) : String();
}

String TControlAccessible::Description() const {
  const String hint = GetLongHint(FControl->Hint());
  return hint == Name() ? String() : hint;
}

bool TControlAccessible::ControlFocused() const {
  if (auto* w = dynamic_cast<TWinControl*>(FControl)) return w->Focused();
  if (auto* g = dynamic_cast<TGraphicControl*>(FControl)) return g->Focused();
  return false;
}

TAccStates TControlAccessible::States() const {
  TAccStates s = 0;
  if (FControl->Visible()) s |= asVisible;
  if (FControl->Visible() && (FControl->Showing() || !FControl->Parent())) s |= asShowing;
  bool enabled = FControl->Enabled();
  for (TControl* p = FControl->Parent(); p && enabled; p = p->Parent()) enabled = p->Enabled();
  if (enabled) s |= asEnabled;
  bool focusable = false;
  if (auto* w = dynamic_cast<TWinControl*>(FControl)) focusable = w->TabStop() || w->Focused();
  else if (auto* g = dynamic_cast<TGraphicControl*>(FControl)) focusable = g->KeyProxy() != nullptr;
  if (focusable) s |= asFocusable;
  if (ControlFocused()) s |= asFocused;
  return s;
}

TRect TControlAccessible::ScreenBounds() const {
  const TPoint o = FControl->BoundsOriginInRoot();
  const TControl* root = FControl->Root();
  return Bounds(root->Left() + o.X, root->Top() + o.Y, FControl->Width(), FControl->Height());
}

TAccessible* TControlAccessible::Parent() const {
  if (TControl* p = FControl->Parent()) return NodeOf(p);
  return nullptr;  // a top-level window: the bridge's application object is above it
}

std::vector<TControl*> TControlAccessible::ExposedChildren() const {
  std::vector<TControl*> out;
  auto* w = dynamic_cast<TWinControl*>(FControl);
  if (!w) return out;
  for (Integer i = 0; i < w->ControlCount(); ++i) {
    TControl* c = w->Controls(i);
    if (c->Visible() && !dynamic_cast<TKeyProxy*>(c)) out.push_back(c);
  }
  return out;
}

Integer TControlAccessible::ChildCount() const { return Integer(ExposedChildren().size()) + ItemCount(); }

TAccessible* TControlAccessible::Child(Integer Index) {
  if (Index < 0) return nullptr;
  const auto controls = ExposedChildren();
  if (Index < Integer(controls.size())) return NodeOf(controls[size_t(Index)]);
  Index -= Integer(controls.size());
  if (Index >= ItemCount()) return nullptr;
  return Item(ItemAt(Index));
}

bool TControlAccessible::GrabFocus() {
  if (auto* w = dynamic_cast<TWinControl*>(FControl); w && w->CanFocus()) {
    w->SetFocus();
    return true;
  }
  if (auto* g = dynamic_cast<TGraphicControl*>(FControl); g && g->CanFocus()) {
    g->SetFocus();
    return true;
  }
  return false;
}

TAccessible* TControlAccessible::FocusedChild() {
  const TAccKey k = FocusedItem();
  return k == kNoItem ? nullptr : Item(k);
}

// [items] --------------------------------------------------------------------------------------------------
TAccessible* TControlAccessible::Item(TAccKey Key) {
  auto& slot = FItems[Key];
  if (!slot) slot = std::make_unique<TItemAccessible>(this, Key);
  return slot.get();
}

bool TControlAccessible::KeyOf(const TAccessible* Object, TAccKey& Key) const {
  auto* item = dynamic_cast<const TItemAccessible*>(Object);
  if (!item || item->Owner() != this) return false;
  Key = item->Key();
  return true;
}

// [range-text-table] ---------------------------------------------------------------------------------------
TAccStates TRangeAccessible::States() const {
  return TControlAccessible::States() | asReadOnly | asHorizontal;
}

String TTextAccessible::Text() const { return StripAccel(Control()->Caption()); }

String TTextAccessible::Name() const { return Text(); }

TAccStates TTableAccessible::States() const {
  return TControlAccessible::States() | asManagesDescendants;
}

bool TTableAccessible::DescribeItem(TAccKey Key, TItemInfo& Info) const {
  const Integer cols = ColumnCount();
  if (cols <= 0 || Key < 0 || Key >= TAccKey(RowCount()) * cols) return false;
  const Integer r = Integer(Key / cols), c = Integer(Key % cols);
  Info.Role = arTableCell;
  Info.Name = CellText(r, c);
  Info.Bounds = CellBounds(r, c);
  Info.States = asSelectable | asFocusable | asVisible | asSingleLine;
  if (CellSelected(r, c)) Info.States |= asSelected;
  Info.Actions = {kActActivate};
  return true;
}

TAccessible* TTableAccessible::Cell(Integer Row, Integer Column) {
  if (Row < 0 || Column < 0 || Row >= RowCount() || Column >= ColumnCount()) return nullptr;
  return Item(CellKey(Row, Column));
}

bool TTableAccessible::CellPosition(const TAccessible* Child, Integer& Row, Integer& Column) const {
  TAccKey k;
  const Integer cols = ColumnCount();
  if (cols <= 0 || !KeyOf(Child, k)) return false;
  Row = Integer(k / cols);
  Column = Integer(k % cols);
  return Row < RowCount();
}

TControlAccessible::TAccKey TTableAccessible::FocusedItem() const {
  Integer r = 0, c = 0;
  if (!FocusedCell(r, c) || r < 0 || c < 0 || r >= RowCount() || c >= ColumnCount()) return kNoItem;
  return CellKey(r, c);
}

// [helpers] ------------------------------------------------------------------------------------------------
TAccessible* TControl::Accessible() {
  if (!FAccessible && !(ComponentState() & csDestroying)) FAccessible.reset(CreateAccessible());
  return FAccessible.get();
}

TAccessible* AccessibleOf(TControl* Control) { return NodeOf(Control); }

std::vector<TAccessible*> AccessibleTopLevels() {
  std::vector<TAccessible*> out;
  if (!Screen) return out;
  for (Integer i = 0; i < Screen->FormCount(); ++i) {
    TCustomForm* f = Screen->Forms(i);
    if (f && f->Visible() && !f->Parent()) out.push_back(f->Accessible());
  }
  for (TPopupWindow* p : popups::Open())
    if (p->Visible()) out.push_back(p->Accessible());
  return out;
}

String StripAccel(const String& Caption) {
  String out;
  out.reserve(Caption.size());
  for (size_t i = 0; i < Caption.size(); ++i) {
    if (Caption[i] == u'&') {
      if (i + 1 < Caption.size() && Caption[i + 1] == u'&') out += u'&', ++i;
      continue;
    }
    out += Caption[i];
  }
  return out;
}

const char* AccRoleName(TAccRole Role) {
  static const char* const names[] = {
      "unknown", "application", "window", "dialog", "panel", "push button", "toggle button", "check box",
      "radio button", "label", "text", "spin button", "slider", "progress bar", "level bar", "combo box",
      "list", "list item", "menu", "popup menu", "menu item", "check menu item", "radio menu item",
      "separator", "table", "table cell", "column header", "row header", "tree", "tree item", "calendar",
      "image", "canvas", "date editor", "filler", "page tab list", "page tab"};
  return size_t(Role) < std::size(names) ? names[Role] : "unknown";
}

TAccessible* AccessibleFocus() {
  TWinControl* focus = nullptr;
  if (TPopupWindow* top = popups::Top()) focus = top;
  else if (Screen && Screen->ActiveForm()) focus = Screen->ActiveForm()->ActiveControl();
  if (!focus) return nullptr;
  TControl* c = focus;
  if (auto* proxy = dynamic_cast<TKeyProxy*>(focus)) c = proxy->Target();
  TAccessible* node = c->Accessible();
  if (TAccessible* item = node ? node->FocusedChild() : nullptr) return item;
  return node;
}

}  // namespace jox
