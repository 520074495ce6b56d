// The tree view: nodes, the node list, rows, expansion and selection.
// Sections: [node] [nodes] [view] [rows] [expansion] [selection] [sorting] [tables]
#include "package/framework/controls/treeview.h"

#include <algorithm>

#include "package/framework/controls/menus.h"
#include "package/framework/graphics/fonts.h"
#include "package/framework/controls/stdctrls.h"


namespace jox {

// [node] ---------------------------------------------------------------------------------------------------
TTreeNode::TTreeNode(TTreeNodes* AOwner) : FOwner(AOwner) {}

// Deleting a node directly unlinks it like TTreeNodes::Delete does.
TTreeNode::~TTreeNode() {
  if (!FDeleting && FOwner) FOwner->Remove(this, false);
}

TCustomTreeView* TTreeNode::TreeView() const { return FOwner ? FOwner->Owner() : nullptr; }

void TTreeNode::SetText(const String& Value) {
  if (Value == FText) return;
  FText = Value;
  FTextWidth = -1;
  if (TCustomTreeView* tv = TreeView()) tv->NodeTextChanged(this);
}

TTreeNode* TTreeNode::Item(Integer Index) const {
  return Index >= 0 && Index < Count() ? FChildren[size_t(Index)] : nullptr;
}

bool TTreeNode::HasAsParent(const TTreeNode* Value) const {
  if (!Value) return false;
  for (const TTreeNode* p = FParent; p; p = p->FParent)
    if (p == Value) return true;
  return false;
}

Integer TTreeNode::Level() const {
  Integer l = 0;
  for (const TTreeNode* p = FParent; p; p = p->FParent) ++l;
  return l;
}

Integer TTreeNode::AbsoluteIndex() const {
  Integer i = 0;
  for (const TTreeNode* n = FOwner->GetFirstNode(); n && n != this; n = n->GetNext()) ++i;
  return i;
}

TTreeNode* TTreeNode::GetNextSibling() const {
  const auto& list = FParent ? FParent->FChildren : FOwner->FRoots;
  return size_t(FIndex) + 1 < list.size() ? list[size_t(FIndex) + 1] : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const {
  const auto& list = FParent ? FParent->FChildren : FOwner->FRoots;
  return FIndex > 0 ? list[size_t(FIndex) - 1] : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
  if (!FChildren.empty()) return FChildren.front();
  for (const TTreeNode* n = this; n; n = n->FParent)
    if (TTreeNode* s = n->GetNextSibling()) return s;
  return nullptr;
}

TTreeNode* TTreeNode::GetPrev() const {
  TTreeNode* p = GetPrevSibling();
  if (!p) return FParent;
  while (!p->FChildren.empty()) p = p->FChildren.back();
  return p;
}

TTreeNode* TTreeNode::GetNextVisible() const {
  if (FExpanded && !FChildren.empty()) return FChildren.front();
  for (const TTreeNode* n = this; n; n = n->FParent)
    if (TTreeNode* s = n->GetNextSibling()) return s;
  return nullptr;
}

TTreeNode* TTreeNode::GetPrevVisible() const {
  TTreeNode* p = GetPrevSibling();
  if (!p) return FParent;
  while (p->FExpanded && !p->FChildren.empty()) p = p->FChildren.back();
  return p;
}

void TTreeNode::SetHasChildren(bool Value) {
  if (Value == FHasChildren) return;
  FHasChildren = Value;
  if (TCustomTreeView* tv = TreeView()) tv->InvalidateNode(this);
}

void TTreeNode::SetExpanded(bool Value) {
  if (TCustomTreeView* tv = TreeView()) tv->SetNodeExpanded(this, Value, false);
}

void TTreeNode::Expand(bool Recurse) {
  if (TCustomTreeView* tv = TreeView()) tv->SetNodeExpanded(this, true, Recurse);
}

void TTreeNode::Collapse(bool Recurse) {
  if (TCustomTreeView* tv = TreeView()) tv->SetNodeExpanded(this, false, Recurse);
}

bool TTreeNode::IsVisible() const {
  for (const TTreeNode* p = FParent; p; p = p->FParent)
    if (!p->FExpanded) return false;
  return true;
}

void TTreeNode::SetSelected(bool Value) {
  TCustomTreeView* tv = TreeView();
  if (!tv || Value == FSelected) return;
  if (Value) {
    tv->Select(this, tv->MultiSelect() ? TShiftState(ssCtrl) : TShiftState());
  } else if (tv->MultiSelect()) {
    tv->Select(this, ssCtrl);  // toggles it off
  } else if (tv->Selected() == this) {
    tv->SetSelected(nullptr);
  }
}

bool TTreeNode::Focused() const {
  TCustomTreeView* tv = TreeView();
  return tv && tv->Selected() == this;
}

void TTreeNode::SetFocused(bool Value) {
  TCustomTreeView* tv = TreeView();
  if (!tv) return;
  if (Value) tv->SelectNode(this);
  else if (tv->Selected() == this) tv->SelectNode(nullptr);
}

void TTreeNode::MakeVisible() {
  TCustomTreeView* tv = TreeView();
  if (!tv) return;
  std::vector<TTreeNode*> chain;
  for (TTreeNode* p = FParent; p; p = p->FParent) chain.push_back(p);
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) tv->SetNodeExpanded(*it, true, false);
  tv->ScrollIntoView(this);
}

TRect TTreeNode::DisplayRect(bool TextOnly) const {
  TCustomTreeView* tv = TreeView();
  if (!tv) return TRect();
  const Integer row = tv->RowOf(this);
  if (row < 0) return TRect();
  const TRect area = tv->ClientRect();
  const Integer ih = tv->ItemHeight();
  const Integer top = area.Top + (row - tv->TopRow()) * ih;
  if (top + ih <= area.Top || top >= area.Bottom) return TRect();
  if (!TextOnly) return Rect(area.Left, top, area.Right, top + ih);
  const Integer x = area.Left - tv->ScrollPos(sbHorizontal) + tv->NodeLeft(this);
  return Rect(x, top, x + tv->LabelWidth(const_cast<TTreeNode*>(this)), top + ih);
}

bool TTreeNode::EditText() {
  TCustomTreeView* tv = TreeView();
  return tv && tv->BeginEdit(this);
}

void TTreeNode::EndEdit(bool Cancel) {
  TCustomTreeView* tv = TreeView();
  if (tv && tv->FEditNode == this) tv->FinishEdit(Cancel);
}

bool TTreeNode::IsEditing() const {
  TCustomTreeView* tv = TreeView();
  return tv && tv->FEditNode == this;
}

void TTreeNode::Renumber(Integer From) {
  for (size_t i = size_t(std::max(From, 0)); i < FChildren.size(); ++i) FChildren[i]->FIndex = Integer(i);
}

void TTreeNode::SortChildren(const std::function<Integer(TTreeNode*, TTreeNode*)>& Compare, bool Recurse) {
  std::stable_sort(FChildren.begin(), FChildren.end(),
                   [&](TTreeNode* a, TTreeNode* b) { return Compare(a, b) < 0; });
  Renumber(0);
  if (Recurse)
    for (TTreeNode* c : FChildren) c->SortChildren(Compare, true);
}

bool TTreeNode::AlphaSort(bool ARecurse) {
  TCustomTreeView* tv = TreeView();
  if (!tv) return false;
  SortChildren(tv->AlphaCompare(), ARecurse);
  tv->StructureChanged();
  return true;
}

bool TTreeNode::CustomSort(const TTVCompare& SortProc, Integer Data, bool ARecurse) {
  TCustomTreeView* tv = TreeView();
  if (!tv) return false;
  if (!SortProc) return AlphaSort(ARecurse);
  SortChildren([&](TTreeNode* a, TTreeNode* b) { return SortProc(a, b, Data); }, ARecurse);
  tv->StructureChanged();
  return true;
}

void TTreeNode::Delete() { FOwner->Delete(this); }

void TTreeNode::DeleteChildren() {
  if (FChildren.empty()) return;
  TCustomTreeView* tv = TreeView();
  // The selection moves to this node when it lies among the children.
  const bool moveSelection = tv && tv->FSelected && tv->FSelected->HasAsParent(this);
  if (moveSelection) tv->FSelected = nullptr;
  std::vector<TTreeNode*> children;
  children.swap(FChildren);
  for (TTreeNode* c : children) {
    c->FParent = nullptr;
    FOwner->FreeNode(c);
  }
  FExpanded = false;
  if (tv) {
    tv->StructureChanged();
    if (moveSelection) tv->SelectNode(this, true);
  }
}

void TTreeNode::MoveTo(TTreeNode* Destination, TNodeAttachMode Mode) {
  if (Destination == this || (Destination && Destination->HasAsParent(this))) return;
  TTreeNode* parent = nullptr;
  Integer index = 0;
  FOwner->Unlink(this);
  switch (Mode) {
    case naAdd:
    case naAddFirst:
      parent = Destination ? Destination->FParent : nullptr;
      index = Mode == naAdd ? Integer(FOwner->ListOf(parent).size()) : 0;
      break;
    case naAddChild:
    case naAddChildFirst:
      parent = Destination;
      index = Mode == naAddChild ? Integer(FOwner->ListOf(parent).size()) : 0;
      break;
    case naInsert:
      parent = Destination ? Destination->FParent : nullptr;
      index = Destination ? Destination->FIndex : Integer(FOwner->ListOf(parent).size());
      break;
  }
  FOwner->Link(this, parent, index);
  if (TCustomTreeView* tv = TreeView()) tv->StructureChanged();
}

// [nodes] --------------------------------------------------------------------------------------------------
TTreeNodes::TTreeNodes(TCustomTreeView* AOwner) : FOwner(AOwner), FLines(std::make_unique<TStringList>()) {
  FLines->SetOnChange([this](TObject*) { LinesChanged(); });
}

TStrings* TTreeNodes::NodeLines() const {
  auto* self = const_cast<TTreeNodes*>(this);
  self->FFillingLines = true;
  FLines->BeginUpdate();
  FLines->Clear();
  for (TTreeNode* n = GetFirstNode(); n; n = n->GetNext())
    FLines->Add(IntToStr(n->Level()) + u"|" + IntToStr(n->FImageIndex) + u"|" + IntToStr(n->FSelectedIndex) + u"|" +
                n->FText);
  FLines->EndUpdate();
  self->FFillingLines = false;
  return FLines.get();
}

void TTreeNodes::SetNodeLines(TStrings* Value) {
  if (Value != FLines.get()) FLines->Assign(Value);
}

// A line that does not read as a node is left out; a level deeper than the line before it by more
// than one hangs under that line's node.
void TTreeNodes::LinesChanged() {
  if (FFillingLines) return;
  BeginUpdate();
  Clear();
  std::vector<TTreeNode*> path;  // the last node of every level so far
  for (Integer i = 0; i < FLines->Count(); ++i) {
    const String& line = FLines->Get(i);
    Integer field[3];
    size_t pos = 0;
    bool ok = true;
    for (Integer& f : field) {
      const size_t bar = line.find(u'|', pos);
      if (bar == String::npos || !TryStrToInt(line.substr(pos, bar - pos), f)) {
        ok = false;
        break;
      }
      pos = bar + 1;
    }
    if (!ok || field[0] < 0) continue;
    const size_t level = std::min(size_t(field[0]), path.size());
    TTreeNode* n = AddChild(level > 0 ? path[level - 1] : nullptr, line.substr(pos));
    n->FImageIndex = field[1];
    n->FSelectedIndex = field[2];
    path.resize(level);
    path.push_back(n);
  }
  EndUpdate();
}

void TTreeNodes::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TTreeNodes*>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  if (src != this) SetNodeLines(src->NodeLines());
}

const TClassInfo& TTreeNodes::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TTreeNodes>(&TPersistent::ClassInfo())
      .Prop("NodeLines", &TTreeNodes::NodeLines, &TTreeNodes::SetNodeLines);
  return info;
}

TTreeNodes::~TTreeNodes() {
  FClearing = true;
  std::vector<TTreeNode*> roots;
  roots.swap(FRoots);
  for (TTreeNode* n : roots) FreeNode(n);
}

TTreeNode* TTreeNodes::Item(Integer Index) const {
  if (Index < 0 || Index >= FCount) return nullptr;
  TTreeNode* n = GetFirstNode();
  for (; n && Index > 0; --Index) n = n->GetNext();
  return n;
}

TTreeNode* TTreeNodes::Root(Integer Index) const {
  return Index >= 0 && Index < RootCount() ? FRoots[size_t(Index)] : nullptr;
}

void TTreeNodes::Link(TTreeNode* Node, TTreeNode* Parent, Integer Index) {
  auto& list = ListOf(Parent);
  Index = std::clamp<Integer>(Index, 0, Integer(list.size()));
  list.insert(list.begin() + Index, Node);
  Node->FParent = Parent;
  for (size_t i = size_t(Index); i < list.size(); ++i) list[i]->FIndex = Integer(i);
}

void TTreeNodes::Unlink(TTreeNode* Node) {
  auto& list = ListOf(Node->FParent);
  const size_t at = size_t(Node->FIndex);
  if (at < list.size() && list[at] == Node) {
    list.erase(list.begin() + Integer(at));
    for (size_t i = at; i < list.size(); ++i) list[i]->FIndex = Integer(i);
  }
  Node->FParent = nullptr;
}

TTreeNode* TTreeNodes::NewNode(TTreeNode* Parent, Integer Index, const String& S, void* Ptr) {
  auto* n = new TTreeNode(this);
  n->FText = S;
  n->FData = Ptr;
  Link(n, Parent, Index);
  ++FCount;
  Changed();
  return n;
}

TTreeNode* TTreeNodes::AddObject(TTreeNode* Sibling, const String& S, void* Ptr) {
  TTreeNode* parent = Sibling ? Sibling->FParent : nullptr;
  return NewNode(parent, Integer(ListOf(parent).size()), S, Ptr);
}

TTreeNode* TTreeNodes::AddObjectFirst(TTreeNode* Sibling, const String& S, void* Ptr) {
  return NewNode(Sibling ? Sibling->FParent : nullptr, 0, S, Ptr);
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* Parent, const String& S, void* Ptr) {
  return NewNode(Parent, Integer(ListOf(Parent).size()), S, Ptr);
}

TTreeNode* TTreeNodes::AddChildObjectFirst(TTreeNode* Parent, const String& S, void* Ptr) {
  return NewNode(Parent, 0, S, Ptr);
}

TTreeNode* TTreeNodes::InsertObject(TTreeNode* Sibling, const String& S, void* Ptr) {
  if (!Sibling) return NewNode(nullptr, RootCount(), S, Ptr);
  return NewNode(Sibling->FParent, Sibling->FIndex, S, Ptr);
}

TTreeNode* TTreeNodes::AddNode(TTreeNode* Relative, TNodeAttachMode Mode, const String& S, void* Ptr) {
  switch (Mode) {
    case naAdd: return AddObject(Relative, S, Ptr);
    case naAddFirst: return AddObjectFirst(Relative, S, Ptr);
    case naAddChild: return AddChildObject(Relative, S, Ptr);
    case naAddChildFirst: return AddChildObjectFirst(Relative, S, Ptr);
    case naInsert: return InsertObject(Relative, S, Ptr);
  }
  return nullptr;
}

void TTreeNodes::FreeNode(TTreeNode* Node, bool Free) {
  Node->FDeleting = true;
  std::vector<TTreeNode*> children;
  children.swap(Node->FChildren);
  for (TTreeNode* c : children) {
    c->FParent = nullptr;
    FreeNode(c);
  }
  if (FOwner) FOwner->NodeDeleting(Node);
  --FCount;
  if (Free) delete Node;
}

void TTreeNodes::Delete(TTreeNode* Node) { Remove(Node, true); }

void TTreeNodes::Remove(TTreeNode* Node, bool Free) {
  if (!Node || Node->FOwner != this) return;
  TCustomTreeView* tv = FOwner;
  // A deleted selection passes to the next sibling, else the previous one, else the parent.
  TTreeNode* successor = nullptr;
  const bool moveSelection = tv && tv->FSelected && (tv->FSelected == Node || tv->FSelected->HasAsParent(Node));
  if (moveSelection) {
    successor = Node->GetNextSibling();
    if (!successor) successor = Node->GetPrevSibling();
    if (!successor) successor = Node->FParent;
    tv->FSelected = nullptr;
  }
  TTreeNode* parent = Node->FParent;
  Unlink(Node);
  FreeNode(Node, Free);
  if (parent && parent->FChildren.empty()) parent->FExpanded = false;
  Changed();
  if (moveSelection && successor) tv->SelectNode(successor, true);
}

void TTreeNodes::Clear() {
  if (FRoots.empty()) return;
  FClearing = true;
  std::vector<TTreeNode*> roots;
  roots.swap(FRoots);
  for (TTreeNode* n : roots) FreeNode(n);
  FClearing = false;
  Changed();
}

void TTreeNodes::BeginUpdate() { ++FUpdateCount; }

void TTreeNodes::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) Changed();
}

bool TTreeNodes::SortRoots(const std::function<Integer(TTreeNode*, TTreeNode*)>& Compare, bool ARecurse) {
  std::stable_sort(FRoots.begin(), FRoots.end(), [&](TTreeNode* a, TTreeNode* b) { return Compare(a, b) < 0; });
  for (size_t i = 0; i < FRoots.size(); ++i) FRoots[i]->FIndex = Integer(i);
  if (ARecurse)
    for (TTreeNode* n : FRoots) n->SortChildren(Compare, true);
  Changed();
  return true;
}

bool TTreeNodes::AlphaSort(bool ARecurse) { return FOwner && SortRoots(FOwner->AlphaCompare(), ARecurse); }

bool TTreeNodes::CustomSort(const TTVCompare& SortProc, Integer Data, bool ARecurse) {
  if (!SortProc) return AlphaSort(ARecurse);
  return SortRoots([&](TTreeNode* a, TTreeNode* b) { return SortProc(a, b, Data); }, ARecurse);
}

void TTreeNodes::Changed() {
  if (FOwner) FOwner->StructureChanged();
}

// [view] ---------------------------------------------------------------------------------------------------
namespace {
constexpr Integer kTreeWidth = 121, kTreeHeight = 97, kTreeFrame = 2;
}  // namespace

TCustomTreeView::TCustomTreeView(TComponent* AOwner)
    : TCustomScrollControl(AOwner), FItems(std::make_unique<TTreeNodes>(this)) {
  SetControlStyle(ControlStyle() | csOpaque);
  SetParentColor(false);
  SetColor(clWindow);
  SetTabStop(true);
  SetLineSize(sbHorizontal, 8);
  SetBounds(0, 0, kTreeWidth, kTreeHeight);
  SetMessageHandler(WM_GETDLGCODE, [](TMessage& m) { m.Result |= DLGC_WANTARROWS | DLGC_WANTCHARS; });
  // A press that may start a drag skips MouseDown; it still selects the node it lands on, which is the
  // node that gets dragged.
  SetMessageHandler(WM_LBUTTONDOWN, [this](TMessage& m) {
    if (DragMode() != dmAutomatic || (ComponentState() & csDesigning)) return;
    const TPoint p = LParamToPoint(m.LParam);
    PressNode(TShiftState(Word(m.WParam & 0xFFFF)), p.X, p.Y);
  });
}

TCustomTreeView::~TCustomTreeView() {
  // Nodes first, while the view still answers their deletion.
  FItems.reset();
  FreeEditor();
}

TTreeNode* TCustomTreeView::Selections(Integer Index) const {
  return Index >= 0 && Index < SelectionCount() ? FSelection[size_t(Index)] : nullptr;
}

void TCustomTreeView::SetSelected(TTreeNode* Value) {
  if (Value && Value->FOwner != FItems.get()) return;
  if (FMultiSelect && Value) {
    Select(Value);
    return;
  }
  SelectNode(Value);
}

TTreeNode* TCustomTreeView::TopItem() const { return NodeOfRow(TopRow()); }

void TCustomTreeView::SetTopItem(TTreeNode* Value) {
  const Integer row = RowOf(Value);
  if (row >= 0) SetScrollPos(sbVertical, row);
}

void TTreeNode::SetImageIndex(Integer Value) {
  if (Value == FImageIndex) return;
  FImageIndex = Value;
  if (TCustomTreeView* tv = TreeView()) tv->InvalidateNode(this);
}

void TTreeNode::SetSelectedIndex(Integer Value) {
  if (Value == FSelectedIndex) return;
  FSelectedIndex = Value;
  if (TCustomTreeView* tv = TreeView()) tv->InvalidateNode(this);
}

void TCustomTreeView::SetImages(TCustomImageList* Value) {
  if (Value == FImages) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
  StructureChanged();
}

void TCustomTreeView::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomScrollControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) SetImages(nullptr);
}

Integer TCustomTreeView::ImageSpace() const { return FImages ? FImages->Width() + 2 : 0; }

void TCustomTreeView::SetDropTarget(TTreeNode* Value) {
  if (Value == FDropTarget) return;
  InvalidateNode(FDropTarget);
  FDropTarget = Value;
  InvalidateNode(FDropTarget);
}

void TCustomTreeView::SetBorderStyle(TBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  Invalidate();  // the frame lies outside the client area
  StructureChanged();
}

void TCustomTreeView::SetIndent(Integer Value) {
  Value = std::max(Value, 0);
  if (Value == FIndent) return;
  FIndent = Value;
  StructureChanged();
}

void TCustomTreeView::SetShowButtons(bool Value) {
  if (Value == FShowButtons) return;
  FShowButtons = Value;
  Invalidate();
}

void TCustomTreeView::SetShowLines(bool Value) {
  if (Value == FShowLines) return;
  FShowLines = Value;
  Invalidate();
}

void TCustomTreeView::SetShowRoot(bool Value) {
  if (Value == FShowRoot) return;
  FShowRoot = Value;
  StructureChanged();
}

void TCustomTreeView::SetHideSelection(bool Value) {
  if (Value == FHideSelection) return;
  FHideSelection = Value;
  Invalidate();
}

void TCustomTreeView::SetHotTrack(bool Value) {
  if (Value == FHotTrack) return;
  FHotTrack = Value;
  if (!Value && FHotNode) {
    InvalidateNode(FHotNode);
    FHotNode = nullptr;
  }
}

void TCustomTreeView::SetReadOnly(bool Value) {
  FReadOnly = Value;
  if (Value && IsEditing()) FinishEdit(true);
}

void TCustomTreeView::SetMultiSelect(bool Value) {
  if (Value == FMultiSelect) return;
  FMultiSelect = Value;
  if (!Value) {
    ClearSelection(true);
  }
  Invalidate();
}

void TCustomTreeView::SetRowSelect(bool Value) {
  if (Value == FRowSelect) return;
  FRowSelect = Value;
  Invalidate();
}

void TCustomTreeView::SetExplorerStyle(bool Value) {
  if (Value == FExplorerStyle) return;
  FExplorerStyle = Value;
  Invalidate();
}

Integer TCustomTreeView::ItemHeight() const {
  if (FItemHeight > 0) return FItemHeight;
  // The font's line with a little air, at least as tall as a button.
  TCanvas* c = const_cast<TCustomTreeView*>(this)->Canvas();
  c->Font()->Assign(Font());
  const Integer h = std::max(c->TextHeight(u"Wg") + 3, FImages ? FImages->Height() + 2 : 0);
  return std::max<Integer>(h + (h & 1), 16);
}

void TCustomTreeView::SetItemHeight(Integer Value) {
  Value = std::max(Value, 0);
  if (Value == FItemHeight) return;
  FItemHeight = Value;
  StructureChanged();
}

void TCustomTreeView::FullExpand() {
  std::vector<TTreeNode*> roots = FItems->FRoots;
  for (TTreeNode* n : roots) SetNodeExpanded(n, true, true);
}

void TCustomTreeView::FullCollapse() {
  std::vector<TTreeNode*> roots = FItems->FRoots;
  for (TTreeNode* n : roots) SetNodeExpanded(n, false, true);
}

bool TCustomTreeView::AlphaSort(bool ARecurse) { return FItems->AlphaSort(ARecurse); }

bool TCustomTreeView::CustomSort(const TTVCompare& SortProc, Integer Data, bool ARecurse) {
  return FItems->CustomSort(SortProc, Data, ARecurse);
}

void TCustomTreeView::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  TCustomScrollControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (FItems) UpdateScrollRange();
}

void TCustomTreeView::SetEnabled(bool v) {
  TCustomScrollControl::SetEnabled(v);
  Invalidate();
}

void TCustomTreeView::FontChanged() {
  ++FWidthGen;
  StructureChanged();
  TCustomScrollControl::FontChanged();
}

void TCustomTreeView::DoEnter() {
  TCustomScrollControl::DoEnter();
  InvalidateNode(FSelected);
  for (TTreeNode* n : FSelection) InvalidateNode(n);
}

void TCustomTreeView::DoExit() {
  TCustomScrollControl::DoExit();
  InvalidateNode(FSelected);
  for (TTreeNode* n : FSelection) InvalidateNode(n);
}

// Hooks behind the events.
namespace {
// Asks a handler that may refuse; an unassigned one allows.
template <class E>
bool Ask(const E& Event, TObject* Sender, TTreeNode* Node) {
  bool allow = true;
  if (Event) Event(Sender, Node, allow);
  return allow;
}
}  // namespace

bool TCustomTreeView::CanChange(TTreeNode* Node) { return Ask(FOnChanging, this, Node); }
bool TCustomTreeView::CanExpand(TTreeNode* Node) { return Ask(FOnExpanding, this, Node); }
bool TCustomTreeView::CanCollapse(TTreeNode* Node) { return Ask(FOnCollapsing, this, Node); }
bool TCustomTreeView::CanEdit(TTreeNode* Node) { return Ask(FOnEditing, this, Node); }

void TCustomTreeView::Change(TTreeNode* Node) {
  if (FOnChange) FOnChange(this, Node);
}

void TCustomTreeView::Expand(TTreeNode* Node) {
  if (FOnExpanded) FOnExpanded(this, Node);
}

void TCustomTreeView::Collapse(TTreeNode* Node) {
  if (FOnCollapsed) FOnCollapsed(this, Node);
}

void TCustomTreeView::Delete(TTreeNode* Node) {
  if (FOnDeletion) FOnDeletion(this, Node);
}

void TCustomTreeView::Edit(TTreeNode* Node, String& S) {
  if (FOnEdited) FOnEdited(this, Node, S);
}

std::function<Integer(TTreeNode*, TTreeNode*)> TCustomTreeView::AlphaCompare() {
  return [this](TTreeNode* a, TTreeNode* b) {
    Integer r = CompareText(a->FText, b->FText);
    if (FOnCompare) FOnCompare(this, a, b, 0, r);
    return r;
  };
}

// [rows] ---------------------------------------------------------------------------------------------------
void TCustomTreeView::StructureChanged() {
  FRowsValid = false;
  if (FItems && FItems->FUpdateCount > 0) return;
  Invalidate();
}

void TCustomTreeView::NodeTextChanged(TTreeNode* Node) {
  if (RowOf(Node) < 0) return;
  // The widest row may have changed.
  FRowsValid = false;
  InvalidateNode(Node);
}

void TCustomTreeView::EnsureRows() const {
  if (FRowsValid) return;
  FRowsValid = true;
  FRows.clear();
  AppendShown(FItems->FRoots, FRows);
  for (size_t i = 0; i < FRows.size(); ++i) FRows[i]->FRow = Integer(i);
  // Widest row, for the horizontal bar. Label widths are measured once per font.
  FMaxRowWidth = WidestRow(FRows, 0, FRows.size());
  const_cast<TCustomTreeView*>(this)->UpdateScrollRange();
}

void TCustomTreeView::AppendShown(const std::vector<TTreeNode*>& List, std::vector<TTreeNode*>& Out) {
  // Walk without copying child lists: an explicit stack of (list, position).
  std::vector<std::pair<const std::vector<TTreeNode*>*, size_t>> stack{{&List, 0}};
  while (!stack.empty()) {
    auto& [list, pos] = stack.back();
    if (pos >= list->size()) {
      stack.pop_back();
      continue;
    }
    TTreeNode* n = (*list)[pos++];
    Out.push_back(n);
    if (n->FExpanded && !n->FChildren.empty()) stack.push_back({&n->FChildren, 0});
  }
}

Integer TCustomTreeView::WidestRow(const std::vector<TTreeNode*>& Rows, size_t From, size_t To) const {
  TCanvas* c = const_cast<TCustomTreeView*>(this)->Canvas();
  c->Font()->Assign(Font());
  const fonts::SizedFont* f = nullptr;
  Integer widest = 0;
  for (size_t i = From; i < To; ++i) {
    TTreeNode* n = Rows[i];
    if (n->FTextWidth < 0 || n->FWidthGen != FWidthGen) {
      if (!f) f = c->SizedFont();
      n->FTextWidth = fonts::TextWidth(f, n->FText) + 4;
      n->FWidthGen = FWidthGen;
    }
    widest = std::max(widest, NodeLeft(n) + n->FTextWidth);
  }
  return widest;
}

void TCustomTreeView::RowsExpanded(TTreeNode* Node) {
  const Integer r = FRowsValid ? RowOf(Node) : -1;
  if (r < 0) {
    // Not shown: no row appears (unless the index is stale anyway).
    if (!FRowsValid) StructureChanged();
    return;
  }
  std::vector<TTreeNode*> added;
  AppendShown(Node->FChildren, added);
  FRows.insert(FRows.begin() + r + 1, added.begin(), added.end());
  for (size_t i = size_t(r) + 1; i < FRows.size(); ++i) FRows[i]->FRow = Integer(i);
  FMaxRowWidth = std::max(FMaxRowWidth, WidestRow(added, 0, added.size()));
  UpdateScrollRange();
  if (!FItems || FItems->FUpdateCount == 0) Invalidate();
}

void TCustomTreeView::RowsCollapsed(TTreeNode* Node) {
  const Integer r = FRowsValid ? RowOf(Node) : -1;
  if (r < 0) {
    if (!FRowsValid) StructureChanged();
    return;
  }
  // Node's shown descendants follow it until the next row that is not one of them.
  size_t end = size_t(r) + 1;
  while (end < FRows.size() && FRows[end]->HasAsParent(Node)) ++end;
  Integer gone = 0;
  for (size_t i = size_t(r) + 1; i < end; ++i) {
    gone = std::max(gone, NodeLeft(FRows[i]) + FRows[i]->FTextWidth);
    FRows[i]->FRow = -1;
  }
  FRows.erase(FRows.begin() + r + 1, FRows.begin() + Integer(end));
  for (size_t i = size_t(r) + 1; i < FRows.size(); ++i) FRows[i]->FRow = Integer(i);
  // Only when the widest row left: the others' widths are cached.
  if (gone >= FMaxRowWidth) FMaxRowWidth = WidestRow(FRows, 0, FRows.size());
  UpdateScrollRange();
  if (!FItems || FItems->FUpdateCount == 0) Invalidate();
}

void TCustomTreeView::UpdateScrollRange() {
  if (FUpdatingRange || !FRowsValid) {
    if (!FRowsValid && !FUpdatingRange) EnsureRows();
    return;
  }
  FUpdatingRange = true;
  const Integer ih = ItemHeight();
  // Twice: a bar that appears narrows the other direction.
  for (int pass = 0; pass < 2; ++pass) {
    const TRect area = ClientRect();
    const Integer fit = std::max(area.Height() / ih, 1);
    SetScrollInfo(sbVertical, 0, Integer(FRows.size()) - 1, fit, ScrollPos(sbVertical));
    const Integer width = FMaxRowWidth + 2;
    SetScrollInfo(sbHorizontal, 0, width - 1, std::max(area.Width(), 1), ScrollPos(sbHorizontal));
  }
  FUpdatingRange = false;
}

Integer TCustomTreeView::NonClientFrame() const { return FBorderStyle == bsSingle ? kTreeFrame : 0; }

Integer TCustomTreeView::NodeLeft(const TTreeNode* Node) const {
  const Integer columns = Node->Level() + (FShowRoot ? 1 : 0);
  return columns * FIndent + 1 + ImageSpace();
}

Integer TCustomTreeView::LabelWidth(TTreeNode* Node) const {
  if (Node->FTextWidth < 0 || Node->FWidthGen != FWidthGen) {
    TCanvas* c = const_cast<TCustomTreeView*>(this)->Canvas();
    c->Font()->Assign(Font());
    Node->FTextWidth = c->TextWidth(Node->FText) + 4;
    Node->FWidthGen = FWidthGen;
  }
  return Node->FTextWidth;
}

Integer TCustomTreeView::RowCount() const {
  EnsureRows();
  return Integer(FRows.size());
}

Integer TCustomTreeView::VisibleCount() const {
  EnsureRows();
  return std::max(ClientRect().Height() / ItemHeight(), 0);
}

Integer TCustomTreeView::RowOf(const TTreeNode* Node) const {
  if (!Node || Node->FOwner != FItems.get()) return -1;
  EnsureRows();
  const Integer r = Node->FRow;
  return r >= 0 && r < Integer(FRows.size()) && FRows[size_t(r)] == Node ? r : -1;
}

TTreeNode* TCustomTreeView::NodeOfRow(Integer Row) const {
  EnsureRows();
  return Row >= 0 && Row < Integer(FRows.size()) ? FRows[size_t(Row)] : nullptr;
}

Integer TCustomTreeView::RowAt(Integer Y) const {
  EnsureRows();
  const TRect area = ClientRect();
  if (Y < area.Top || Y >= area.Bottom) return -1;
  const Integer r = TopRow() + (Y - area.Top) / ItemHeight();
  return r < Integer(FRows.size()) ? r : -1;
}

void TCustomTreeView::InvalidateNode(const TTreeNode* Node) {
  if (!Node || !FRowsValid) {
    if (Node) Invalidate();
    return;
  }
  const TRect r = Node->DisplayRect(false);
  if (!r.IsEmpty()) InvalidateRect(r);
}

void TCustomTreeView::ScrollIntoView(const TTreeNode* Node) {
  const Integer row = RowOf(Node);
  if (row < 0) return;
  const Integer fit = std::max(VisibleCount(), 1);
  if (row < TopRow()) SetScrollPos(sbVertical, row);
  else if (row >= TopRow() + fit) SetScrollPos(sbVertical, row - fit + 1);
  // Horizontally: the label's start comes into view when it lies outside.
  const TRect area = ClientRect();
  const Integer x = NodeLeft(Node), w = LabelWidth(const_cast<TTreeNode*>(Node));
  const Integer sx = ScrollPos(sbHorizontal);
  if (x < sx) SetScrollPos(sbHorizontal, std::max(x - FIndent, 0));
  else if (x + w > sx + area.Width() && x - sx > area.Width() / 2) SetScrollPos(sbHorizontal, x - FIndent);
}

void TCustomTreeView::ScrollPosChanged(TScrollBarKind Kind, Integer OldPos) {
  if (IsEditing()) FinishEdit(false);
  TCustomScrollControl::ScrollPosChanged(Kind, OldPos);
}

THitTests TCustomTreeView::GetHitTestInfoAt(Integer X, Integer Y) const {
  const TRect area = ClientRect();
  THitTests h;
  if (Y < area.Top) return THitTests(htAbove);
  if (Y >= area.Bottom) return THitTests(htBelow);
  if (X < area.Left) h |= htToLeft;
  if (X >= area.Right) h |= htToRight;
  if (!h.Empty()) return h;
  const Integer row = RowAt(Y);
  if (row < 0) return THitTests(htNowhere);
  TTreeNode* n = FRows[size_t(row)];
  const Integer x = X - area.Left + ScrollPos(sbHorizontal);
  const Integer left = NodeLeft(n);
  const Integer buttonCol = left - 1 - FIndent;  // the column left of the label holds the button
  if (x >= left && x < left + LabelWidth(n)) return THitTests(htOnItem) | htOnLabel;
  if (x >= left) return THitTests(htOnRight);
  if (x >= left - ImageSpace()) return THitTests(htOnItem) | htOnIcon;
  if (buttonCol >= 0 && x >= buttonCol && FShowButtons && n->HasChildren()) {
    const Integer cx = buttonCol + FIndent / 2;
    // The button answers a little beyond its drawn box, as small targets should.
    if (std::abs(x - cx) <= ScaledMetric(this, 6)) return THitTests(htOnButton);
  }
  return THitTests(htOnIndent);
}

TTreeNode* TCustomTreeView::GetNodeAt(Integer X, Integer Y) const {
  const Integer row = RowAt(Y);
  (void)X;
  return row < 0 ? nullptr : FRows[size_t(row)];
}

// [expansion] ----------------------------------------------------------------------------------------------
bool TCustomTreeView::SetNodeExpanded(TTreeNode* Node, bool Value, bool Recurse) {
  if (!Node) return false;
  bool changed = false;
  if (Value && !Node->FExpanded && Node->HasChildren()) {
    if (CanExpand(Node)) {
      // The handler may have loaded the children, or found there are none.
      if (Node->FChildren.empty()) {
        Node->FHasChildren = false;
        InvalidateNode(Node);
      } else {
        Node->FExpanded = true;
        RowsExpanded(Node);
        Expand(Node);
        changed = true;
      }
    }
  } else if (!Value && Node->FExpanded) {
    if (CanCollapse(Node)) {
      Node->FExpanded = false;
      RowsCollapsed(Node);
      if (FSelected && FSelected->HasAsParent(Node)) SelectNode(Node);
      Collapse(Node);
      changed = true;
    }
  }
  if (Recurse) {
    const std::vector<TTreeNode*> children = Node->FChildren;
    for (TTreeNode* c : children) SetNodeExpanded(c, Value, true);
  }
  return changed;
}

void TCustomTreeView::NodeDeleting(TTreeNode* Node) {
  Delete(Node);
  if (Node == FEditNode) {
    FEditNode = nullptr;
    if (FEdit) FEdit->Hide();
  }
  if (Node == FSelected) FSelected = nullptr;
  if (Node == FAnchor) FAnchor = nullptr;
  if (Node == FHotNode) FHotNode = nullptr;
  if (Node == FDropTarget) FDropTarget = nullptr;
  if (Node == FClickNode) FClickNode = nullptr;
  if (Node->FSelected && !FSelection.empty())
    FSelection.erase(std::remove(FSelection.begin(), FSelection.end(), Node), FSelection.end());
  FRowsValid = false;
}

// [selection] ----------------------------------------------------------------------------------------------
bool TCustomTreeView::SelectNode(TTreeNode* Node, bool Force) {
  if (Node == FSelected) {
    if (Node && !Node->FSelected) {
      Node->FSelected = true;
      FSelection.push_back(Node);
      InvalidateNode(Node);
    }
    return true;
  }
  if (!Force && !CanChange(Node)) return false;
  TTreeNode* old = FSelected;
  if (!FMultiSelect) {
    for (TTreeNode* n : FSelection) {
      n->FSelected = false;
      InvalidateNode(n);
    }
    FSelection.clear();
  }
  FSelected = Node;
  if (Node) {
    if (!Node->FSelected) {
      Node->FSelected = true;
      FSelection.push_back(Node);
    }
    FAnchor = FMultiSelect && FAnchor ? FAnchor : Node;
    Node->MakeVisible();
  }
  InvalidateNode(old);
  InvalidateNode(Node);
  Change(Node);
  return true;
}

void TCustomTreeView::SetMultiSelection(const std::vector<TTreeNode*>& Nodes) {
  for (TTreeNode* n : FSelection) {
    n->FSelected = false;
    InvalidateNode(n);
  }
  FSelection.clear();
  for (TTreeNode* n : Nodes) {
    if (n->FSelected) continue;
    n->FSelected = true;
    FSelection.push_back(n);
    InvalidateNode(n);
  }
}

void TCustomTreeView::ClearSelection(bool KeepPrimary) {
  std::vector<TTreeNode*> keep;
  if (KeepPrimary && FSelected) keep.push_back(FSelected);
  SetMultiSelection(keep);
  if (!KeepPrimary && FSelected) {
    FSelected = nullptr;
    Change(nullptr);
  }
}

void TCustomTreeView::RangeSelect(TTreeNode* To) {
  TTreeNode* from = FAnchor ? FAnchor : To;
  Integer a = RowOf(from), b = RowOf(To);
  if (a < 0) a = b;
  if (a > b) std::swap(a, b);
  std::vector<TTreeNode*> nodes;
  for (Integer r = a; r <= b && r >= 0; ++r) nodes.push_back(FRows[size_t(r)]);
  SetMultiSelection(nodes);
}

void TCustomTreeView::Select(TTreeNode* Node, TShiftState ShiftState) {
  if (!Node || Node->FOwner != FItems.get()) return;
  if (!FMultiSelect) {
    SelectNode(Node);
    return;
  }
  if (!CanChange(Node)) return;
  if (ShiftState & ssShift) {
    if (!FAnchor) FAnchor = FSelected ? FSelected : Node;
    RangeSelect(Node);
  } else if (ShiftState & ssCtrl) {
    if (Node->FSelected) {
      Node->FSelected = false;
      FSelection.erase(std::remove(FSelection.begin(), FSelection.end(), Node), FSelection.end());
      InvalidateNode(Node);
      FAnchor = Node;
      if (FSelected == Node) {
        FSelected = FSelection.empty() ? nullptr : FSelection.back();
        InvalidateNode(Node);
        Change(FSelected);
      }
      return;
    }
    FAnchor = Node;
  } else {
    SetMultiSelection({});
    FAnchor = Node;
  }
  TTreeNode* old = FSelected;
  FSelected = Node;
  if (!Node->FSelected) {
    Node->FSelected = true;
    FSelection.push_back(Node);
  }
  Node->MakeVisible();
  InvalidateNode(old);
  InvalidateNode(Node);
  Change(Node);
}

// [tables] -------------------------------------------------------------------------------------------------
const TClassInfo& TCustomTreeView::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TCustomTreeView>(&TCustomScrollControl::ClassInfo());
  return info;
}

const TClassInfo& TTreeView::ClassInfo() {
  using C = TTreeView;
  static const TClassInfo info = TClassBuilder<TTreeView>(&TCustomTreeView::ClassInfo())
      .Prop("AutoExpand", &C::AutoExpand, &C::SetAutoExpand, false)
      .Prop("BorderStyle", &C::BorderStyle, &C::SetBorderStyle, bsSingle)
      .Prop("Color", &C::Color, &C::SetColor, clWindow)
      .Prop("DoubleBuffered", &C::DoubleBuffered, &C::SetDoubleBuffered, false)
      .Prop("ExplorerStyle", &C::ExplorerStyle, &C::SetExplorerStyle, false)
      .Prop("HideSelection", &C::HideSelection, &C::SetHideSelection, true)
      .Prop("HotTrack", &C::HotTrack, &C::SetHotTrack, false)
      .Prop("Images", &C::Images, &C::SetImages)
      .Prop("Items", &C::Items, &C::SetItems)
      .Prop("Indent", &C::Indent, &C::SetIndent, Integer(19))
      .Prop("MultiSelect", &C::MultiSelect, &C::SetMultiSelect, false)
      .Prop("ParentColor", &C::ParentColor, &C::SetParentColor, false)
      .Prop("PopupMenu", &C::PopupMenu, &C::SetPopupMenu)
      .Prop("ReadOnly", &C::ReadOnly, &C::SetReadOnly, false)
      .Prop("RowSelect", &C::RowSelect, &C::SetRowSelect, false)
      .Prop("ShowButtons", &C::ShowButtons, &C::SetShowButtons, true)
      .Prop("ShowLines", &C::ShowLines, &C::SetShowLines, true)
      .Prop("ShowRoot", &C::ShowRoot, &C::SetShowRoot, true)
      .Prop("TabStop", &C::TabStop, &C::SetTabStop, true)
      .Event("OnChange").Event("OnChanging").Event("OnCollapsed").Event("OnCollapsing").Event("OnCompare")
      .Event("OnDeletion").Event("OnEdited").Event("OnEditing").Event("OnExpanded").Event("OnExpanding")
      .Publish(ControlProperties(), pgBounds)
      .Publish(ControlProperties(), pgFont)
      .Publish(ControlProperties(), pgHint)
      .Publish(ControlProperties(), {"Align", "Anchors", "Cursor", "Ctl3D", "Enabled", "Visible", "StyleElements",
                                     "TabOrder"})
      .Publish(ControlProperties(), pgMouseEvents)
      .Publish(ControlProperties(), pgKeyEvents)
      .Publish(ControlProperties(), {"OnMouseEnter", "OnMouseLeave"})
      .Publish(ControlProperties(), pgDragProps)
      .Publish(ControlProperties(), pgDragEvents);
  return info;
}

}  // namespace jox
