// The tree view: nodes with text, data and children, expand buttons, lines, selection (single or
// multiple), label editing, keyboard and mouse, on the scrolling base.
// Sections: [types] [node] [nodes] [view]
//
// Rows: only the nodes whose ancestors are all expanded are shown, one per row. The view keeps them in
// a row index (rebuilt once after a change of the structure or of an expanded state, not per paint),
// so painting, hit-testing and scrolling visit only the rows on screen, however many nodes there are.
// The vertical bar counts rows, the horizontal one pixels.
//
// Loading children lazily: give a node HasChildren (it shows a button without children), or a single
// placeholder child, and fill it in OnExpanding; a handler may refuse the expansion.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "package/framework/controls/imglist.h"
#include "package/framework/controls/scrolling.h"

namespace jox {

class TTreeNode;
class TTreeNodes;
class TCustomTreeView;
class TTreeLabelEdit;
class TCustomEdit;

// [types] --------------------------------------------------------------------------------------------------
using TTVChangingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowChange)>;
using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVExpandingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)>;
using TTVCollapsingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowCollapse)>;
using TTVExpandedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVEditingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowEdit)>;
using TTVEditedEvent = std::function<void(TObject* Sender, TTreeNode* Node, String& S)>;
using TTVCompareEvent =
    std::function<void(TObject* Sender, TTreeNode* Node1, TTreeNode* Node2, Integer Data, Integer& Compare)>;
// Order of two nodes for CustomSort: negative, 0 or positive.
using TTVCompare = std::function<Integer(TTreeNode* Node1, TTreeNode* Node2, Integer Data)>;

// Where TTreeNodes::AddNode puts a new node relative to the given one.
enum TNodeAttachMode : uint8_t { naAdd, naAddFirst, naAddChild, naAddChildFirst, naInsert };

// What lies under a point (THitTests is a set of them).
enum THitTest : uint8_t {
  htAbove, htBelow, htNowhere, htOnItem, htOnButton, htOnIcon, htOnIndent, htOnLabel, htOnRight,
  htOnStateIcon, htToLeft, htToRight
};
using THitTests = TSet<THitTest, Word, true>;
JOX_SET_OPERATORS(THitTests, THitTest)

// [node] ---------------------------------------------------------------------------------------------------
// One node. Nodes are made and freed by TTreeNodes (Add..., Delete); a node owns its children.
class TTreeNode : public TPersistent {
 public:
  ~TTreeNode() override;
  TTreeNode(const TTreeNode&) = delete;
  TTreeNode& operator=(const TTreeNode&) = delete;

  TTreeNodes* Owner() const { return FOwner; }
  TCustomTreeView* TreeView() const;

  const String& Text() const { return FText; }
  void SetText(const String& Value);
  void* Data() const { return FData; }
  void SetData(void* Value) { FData = Value; }
  // Pictures of the view's Images: ImageIndex normally, SelectedIndex while the node is selected
  // (-1 by default: none; a selected node without one shows its ImageIndex).
  Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);
  Integer SelectedIndex() const { return FSelectedIndex; }
  void SetSelectedIndex(Integer Value);

  // --- family
  TTreeNode* Parent() const { return FParent; }
  Integer Count() const { return Integer(FChildren.size()); }
  TTreeNode* Item(Integer Index) const;  // nullptr out of range
  bool HasAsParent(const TTreeNode* Value) const;  // Value is an ancestor
  Integer Level() const;                  // 0 for a top-level node
  Integer Index() const { return FIndex; }  // among its siblings
  // Position in the whole tree, counted in tree order (a walk).
  Integer AbsoluteIndex() const;
  TTreeNode* GetFirstChild() const { return FChildren.empty() ? nullptr : FChildren.front(); }
  TTreeNode* GetLastChild() const { return FChildren.empty() ? nullptr : FChildren.back(); }
  TTreeNode* GetNextSibling() const;
  TTreeNode* GetPrevSibling() const;
  // Tree order: parent before children, children in order.
  TTreeNode* GetNext() const;
  TTreeNode* GetPrev() const;
  // The next or previous row shown (skips the children of collapsed nodes).
  TTreeNode* GetNextVisible() const;
  TTreeNode* GetPrevVisible() const;
  // The child at Index, as the platform's getNextChild / GetPrevChild neighbours.
  TTreeNode* GetNextChild(const TTreeNode* Value) const { return Value ? Value->GetNextSibling() : nullptr; }
  TTreeNode* GetPrevChild(const TTreeNode* Value) const { return Value ? Value->GetPrevSibling() : nullptr; }

  // --- state
  // Shows an expand button even without children (children loaded on expansion).
  bool HasChildren() const { return FHasChildren || !FChildren.empty(); }
  void SetHasChildren(bool Value);
  bool Expanded() const { return FExpanded; }
  // Expanding asks OnExpanding (which may add the children), collapsing OnCollapsing.
  void SetExpanded(bool Value);
  void Expand(bool Recurse);
  void Collapse(bool Recurse);
  // Every ancestor expanded, so the node has a row.
  bool IsVisible() const;
  bool Selected() const { return FSelected; }
  void SetSelected(bool Value);
  // The node with the focus (the current one).
  bool Focused() const;
  void SetFocused(bool Value);
  // Expands the ancestors and scrolls the node into view.
  void MakeVisible();
  // The row's rectangle in client coordinates (TextOnly: the label); empty when it has no row on screen.
  TRect DisplayRect(bool TextOnly) const;

  // --- editing
  bool EditText();
  void EndEdit(bool Cancel);
  bool IsEditing() const;

  // --- order of the children
  // By text, case-insensitively (OnCompare decides when set). Stable.
  bool AlphaSort(bool ARecurse = false);
  bool CustomSort(const TTVCompare& SortProc, Integer Data, bool ARecurse = false);

  void Delete();
  void DeleteChildren();
  // Moves the node (with its children) relative to Destination.
  void MoveTo(TTreeNode* Destination, TNodeAttachMode Mode);

 private:
  friend class TTreeNodes;
  friend class TCustomTreeView;
  explicit TTreeNode(TTreeNodes* AOwner);
  void Renumber(Integer From);  // sibling indices from From on
  void SortChildren(const std::function<Integer(TTreeNode*, TTreeNode*)>& Compare, bool Recurse);

  TTreeNodes* FOwner;
  TTreeNode* FParent = nullptr;
  std::vector<TTreeNode*> FChildren;  // owned
  Integer FIndex = 0;
  String FText;
  void* FData = nullptr;
  Integer FImageIndex = -1, FSelectedIndex = -1;
  bool FHasChildren = false;
  bool FExpanded = false;
  bool FSelected = false;
  bool FDeleting = false;
  // Row of the node while the row index is valid (-1: no row).
  Integer FRow = -1;
  // Label width for the font generation FWidthGen of the view.
  Integer FTextWidth = -1;
  Integer FWidthGen = -1;
};

// [nodes] --------------------------------------------------------------------------------------------------
// All nodes of a tree view. Adding and deleting repaint the view once (or once at EndUpdate).
class TTreeNodes : public TPersistent {
 public:
  explicit TTreeNodes(TCustomTreeView* AOwner);
  ~TTreeNodes() override;

  TCustomTreeView* Owner() const { return FOwner; }
  // Every node of the tree.
  Integer Count() const { return FCount; }
  // The node at an absolute index in tree order (a walk; nullptr out of range).
  TTreeNode* Item(Integer Index) const;
  TTreeNode* GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front(); }
  // The top-level nodes.
  Integer RootCount() const { return Integer(FRoots.size()); }
  TTreeNode* Root(Integer Index) const;

  // The new node as the last (first) sibling of Sibling; a top-level node when Sibling is nullptr.
  TTreeNode* Add(TTreeNode* Sibling, const String& S) { return AddObject(Sibling, S, nullptr); }
  TTreeNode* AddObject(TTreeNode* Sibling, const String& S, void* Ptr);
  TTreeNode* AddFirst(TTreeNode* Sibling, const String& S) { return AddObjectFirst(Sibling, S, nullptr); }
  TTreeNode* AddObjectFirst(TTreeNode* Sibling, const String& S, void* Ptr);
  // The new node as the last (first) child of Parent; a top-level node when Parent is nullptr.
  TTreeNode* AddChild(TTreeNode* Parent, const String& S) { return AddChildObject(Parent, S, nullptr); }
  TTreeNode* AddChildObject(TTreeNode* Parent, const String& S, void* Ptr);
  TTreeNode* AddChildFirst(TTreeNode* Parent, const String& S) { return AddChildObjectFirst(Parent, S, nullptr); }
  TTreeNode* AddChildObjectFirst(TTreeNode* Parent, const String& S, void* Ptr);
  // The new node just before Sibling (last top-level node when Sibling is nullptr).
  TTreeNode* Insert(TTreeNode* Sibling, const String& S) { return InsertObject(Sibling, S, nullptr); }
  TTreeNode* InsertObject(TTreeNode* Sibling, const String& S, void* Ptr);
  TTreeNode* AddNode(TTreeNode* Relative, TNodeAttachMode Mode, const String& S, void* Ptr = nullptr);

  void Delete(TTreeNode* Node);
  // Deletes every node (OnDeletion for each; no change events).
  void Clear();
  // Repaints once at the last EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  Integer UpdateCount() const { return FUpdateCount; }
  // Sorts the top-level nodes (and, with ARecurse, every level).
  bool AlphaSort(bool ARecurse = false);
  bool CustomSort(const TTVCompare& SortProc, Integer Data, bool ARecurse = false);

  // The nodes as lines, in tree order, for form text: "level|ImageIndex|SelectedIndex|text". Setting
  // (or reading form text into the list) replaces every node.
  TStrings* NodeLines() const;
  void SetNodeLines(TStrings* Value);
  // Copies the nodes of another TTreeNodes.
  void Assign(TPersistent* Source) override;

  JOX_CLASS_TABLE

 private:
  friend class TTreeNode;
  void LinesChanged();
  friend class TCustomTreeView;
  // Puts Node (unlinked) into Parent's list (the roots when nullptr) at Index.
  void Link(TTreeNode* Node, TTreeNode* Parent, Integer Index);
  void Unlink(TTreeNode* Node);
  std::vector<TTreeNode*>& ListOf(TTreeNode* Parent) { return Parent ? Parent->FChildren : FRoots; }
  TTreeNode* NewNode(TTreeNode* Parent, Integer Index, const String& S, void* Ptr);
  // Node unlinked: frees its children, tells the view, and deletes it when Free.
  void FreeNode(TTreeNode* Node, bool Free = true);
  bool SortRoots(const std::function<Integer(TTreeNode*, TTreeNode*)>& Compare, bool ARecurse);
  void Remove(TTreeNode* Node, bool Free);
  void Changed();

  TCustomTreeView* FOwner;
  std::vector<TTreeNode*> FRoots;  // owned
  Integer FCount = 0;
  Integer FUpdateCount = 0;
  bool FClearing = false;
  std::unique_ptr<TStringList> FLines;  // NodeLines, filled when asked
  bool FFillingLines = false;
};

// [view] ---------------------------------------------------------------------------------------------------
// Defaults: size 121 x 97, Color clWindow, BorderStyle bsSingle, Indent 19, ShowButtons, ShowLines and
// ShowRoot true, HideSelection true, HotTrack false, ReadOnly false (labels can be edited: F2 or a
// second click on the selected label), MultiSelect false, RowSelect false, AutoExpand false,
// ExplorerStyle false (classic dotted lines and boxed +/- buttons; the explorer look has triangles, no
// lines and a whole-row selection), DoubleBuffered false, TabStop true.
//
// Keys: Up, Down, Home, End, PgUp, PgDn move the selection (Shift extends it with MultiSelect, Ctrl
// scrolls without selecting); Right expands or goes to the first child, Left collapses or goes to the
// parent; + and - expand and collapse, * expands everything below; Back goes to the parent; typed
// letters find the next shown node whose text begins with what was typed within a second; F2 edits.
// Mouse: a press on a label (anywhere on the row with RowSelect or the explorer look) selects (Ctrl
// toggles and Shift extends with MultiSelect); a press on a button toggles; a double click toggles.
class TCustomTreeView : public TCustomScrollControl {
 public:
  explicit TCustomTreeView(TComponent* AOwner);
  ~TCustomTreeView() override;

  TTreeNodes* Items() const { return FItems.get(); }
  void SetItems(TTreeNodes* Value) { FItems->Assign(Value); }
  // The selected node (the focused one with MultiSelect); nullptr when none. Setting asks OnChanging,
  // then fires OnChange.
  TTreeNode* Selected() const { return FSelected; }
  void SetSelected(TTreeNode* Value);
  // With MultiSelect: every selected node, in the order they were selected.
  Integer SelectionCount() const { return Integer(FSelection.size()); }
  TTreeNode* Selections(Integer Index) const;
  // Adds Node to the selection (Ctrl toggles it, Shift selects the shown rows from the anchor).
  void Select(TTreeNode* Node, TShiftState ShiftState = {});
  void ClearSelection(bool KeepPrimary = false);
  // First node on screen.
  TTreeNode* TopItem() const;
  void SetTopItem(TTreeNode* Value);
  TTreeNode* DropTarget() const { return FDropTarget; }
  void SetDropTarget(TTreeNode* Value);

  // --- looks and behaviour
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  Integer Indent() const { return FIndent; }
  void SetIndent(Integer Value);  // below 0 becomes 0
  // Indent and a fixed ItemHeight grow with the form's scale.
  void ChangeScale(double K) override;
  bool ShowButtons() const { return FShowButtons; }
  void SetShowButtons(bool Value);
  bool ShowLines() const { return FShowLines; }
  void SetShowLines(bool Value);
  bool ShowRoot() const { return FShowRoot; }
  void SetShowRoot(bool Value);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  bool HotTrack() const { return FHotTrack; }
  void SetHotTrack(bool Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);  // switching it off keeps only the selected node
  bool RowSelect() const { return FRowSelect; }
  void SetRowSelect(bool Value);
  // Selecting a node by keys or mouse expands it and collapses the branch left.
  bool AutoExpand() const { return FAutoExpand; }
  void SetAutoExpand(bool Value) { FAutoExpand = Value; }
  bool ExplorerStyle() const { return FExplorerStyle; }
  void SetExplorerStyle(bool Value);
  // The pictures of the nodes (ImageIndex, SelectedIndex), drawn left of the labels; nullptr (default):
  // none and no room for them. Not owned; the view lets go of a list that is destroyed.
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  // Row height in pixels (0: from the font, and at least the pictures' height).
  Integer ItemHeight() const;
  void SetItemHeight(Integer Value);

  // --- whole tree
  void FullExpand();
  void FullCollapse();
  bool AlphaSort(bool ARecurse = true);
  bool CustomSort(const TTVCompare& SortProc, Integer Data, bool ARecurse = true);
  // Begins editing the selected node's label; false when ReadOnly or refused.
  bool IsEditing() const { return FEditNode != nullptr; }
  TTreeNode* EditingNode() const { return FEditNode; }
  // What lies under (X, Y) and the node of that row.
  THitTests GetHitTestInfoAt(Integer X, Integer Y) const;
  TTreeNode* GetNodeAt(Integer X, Integer Y) const;
  // Rows shown (all rows, not only those on screen) and rows that fit wholly on screen.
  Integer RowCount() const;
  Integer VisibleCount() const;
  // The row of the node (-1 when it has none) and the node of a row (nullptr out of range).
  Integer RowOf(const TTreeNode* Node) const;
  TTreeNode* NodeOfRow(Integer Row) const;

  // --- events
  const TTVChangingEvent& OnChanging() const { return FOnChanging; }
  void SetOnChanging(TTVChangingEvent e) { FOnChanging = std::move(e); }
  const TTVChangedEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TTVChangedEvent e) { FOnChange = std::move(e); }
  const TTVExpandingEvent& OnExpanding() const { return FOnExpanding; }
  void SetOnExpanding(TTVExpandingEvent e) { FOnExpanding = std::move(e); }
  const TTVExpandedEvent& OnExpanded() const { return FOnExpanded; }
  void SetOnExpanded(TTVExpandedEvent e) { FOnExpanded = std::move(e); }
  const TTVCollapsingEvent& OnCollapsing() const { return FOnCollapsing; }
  void SetOnCollapsing(TTVCollapsingEvent e) { FOnCollapsing = std::move(e); }
  const TTVExpandedEvent& OnCollapsed() const { return FOnCollapsed; }
  void SetOnCollapsed(TTVExpandedEvent e) { FOnCollapsed = std::move(e); }
  const TTVExpandedEvent& OnDeletion() const { return FOnDeletion; }
  void SetOnDeletion(TTVExpandedEvent e) { FOnDeletion = std::move(e); }
  const TTVEditingEvent& OnEditing() const { return FOnEditing; }
  void SetOnEditing(TTVEditingEvent e) { FOnEditing = std::move(e); }
  const TTVEditedEvent& OnEdited() const { return FOnEdited; }
  void SetOnEdited(TTVEditedEvent e) { FOnEdited = std::move(e); }
  const TTVCompareEvent& OnCompare() const { return FOnCompare; }
  void SetOnCompare(TTVCompareEvent e) { FOnCompare = std::move(e); }

  void Paint() override;
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  void SetEnabled(bool v) override;

  JOX_CLASS_TABLE

 protected:
  // Hooks behind the events; the base versions fire them.
  virtual bool CanChange(TTreeNode* Node);
  virtual void Change(TTreeNode* Node);
  virtual bool CanExpand(TTreeNode* Node);
  virtual void Expand(TTreeNode* Node);
  virtual bool CanCollapse(TTreeNode* Node);
  virtual void Collapse(TTreeNode* Node);
  virtual void Delete(TTreeNode* Node);
  virtual bool CanEdit(TTreeNode* Node);
  virtual void Edit(TTreeNode* Node, String& S);

  // Dragging nodes (DragMode dmAutomatic): the press selects the node it lands on, as without dragging;
  // while a drag is over the view DropTarget is the node under the pointer when OnDragOver accepts
  // (nullptr otherwise), and it is cleared once the drop was handled or the drag ended.
  void DoDragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) override;
  void DoDragDrop(TObject* Source, Integer X, Integer Y) override;
  void DoEndDrag(TObject* Target, Integer X, Integer Y) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void DblClick() override;
  void DoEnter() override;
  void DoExit() override;
  void FontChanged() override;
  void ScrollPosChanged(TScrollBarKind Kind, Integer OldPos) override;
  void DefaultHandler(TMessage& Message) override;

 private:
  friend class TTreeNode;
  friend class TTreeNodes;
  friend class TTreeLabelEdit;

  // By text without case, or as OnCompare says.
  std::function<Integer(TTreeNode*, TTreeNode*)> AlphaCompare();
  // --- rows and layout
  void StructureChanged();  // the rows must be rebuilt
  void NodeTextChanged(TTreeNode* Node);
  void EnsureRows() const;
  // Node was expanded or collapsed: its shown descendants enter or leave the row index in place
  // (a rebuild when the index is stale or Node is not shown).
  void RowsExpanded(TTreeNode* Node);
  void RowsCollapsed(TTreeNode* Node);
  // Appends List's nodes and their shown descendants to Out, in tree order.
  static void AppendShown(const std::vector<TTreeNode*>& List, std::vector<TTreeNode*>& Out);
  // The widest of Rows' labels right of their indent, measuring each label once per font.
  Integer WidestRow(const std::vector<TTreeNode*>& Rows, size_t From, size_t To) const;
  void UpdateScrollRange();
  Integer NonClientFrame() const override;
  Integer TopRow() const { return ScrollPos(sbVertical); }
  Integer NodeLeft(const TTreeNode* Node) const;  // x of the label, unscrolled
  Integer ImageSpace() const;  // room for a picture left of each label
  Integer LabelWidth(TTreeNode* Node) const;
  Integer RowAt(Integer Y) const;  // -1 outside the rows
  void InvalidateNode(const TTreeNode* Node);
  void ScrollIntoView(const TTreeNode* Node);
  // --- state changes with their events
  bool SetNodeExpanded(TTreeNode* Node, bool Value, bool Recurse);
  void NodeDeleting(TTreeNode* Node);
  // Makes Node the selected (focused) one; asks OnChanging unless Force; true when it is selected now.
  bool SelectNode(TTreeNode* Node, bool Force = false);
  void SetMultiSelection(const std::vector<TTreeNode*>& Nodes);
  void RangeSelect(TTreeNode* To);
  void MoveSelection(TTreeNode* Node, TShiftState Shift);
  bool FindByPrefix(char16_t Ch);
  // --- editing
  bool BeginEdit(TTreeNode* Node);
  void FinishEdit(bool Cancel);
  void FreeEditor();
  // --- painting
  void PaintRows(TCanvas* C, const TRect& Area, const TRect& Clip);
  void PaintButton(TCanvas* C, Integer CX, Integer CY, bool Expanded, bool Hot);
  // What a left press selects or toggles (MouseDown, and the press that may start a drag).
  void PressNode(TShiftState Shift, Integer X, Integer Y);

  std::unique_ptr<TTreeNodes> FItems;
  TTreeNode* FSelected = nullptr;
  TTreeNode* FAnchor = nullptr;         // where a Shift range starts
  std::vector<TTreeNode*> FSelection;   // MultiSelect: every selected node
  TTreeNode* FDropTarget = nullptr;
  TCustomImageList* FImages = nullptr;
  TTreeNode* FHotNode = nullptr;
  TTreeNode* FEditNode = nullptr;
  TCustomEdit* FEdit = nullptr;          // the label editor, made on first use
  TTreeNode* FClickNode = nullptr;       // selected label pressed once: a second press edits
  // The row index: every shown node in display order, rebuilt on demand.
  mutable std::vector<TTreeNode*> FRows;
  mutable bool FRowsValid = false;
  mutable Integer FMaxRowWidth = 0;
  Integer FWidthGen = 0;                 // bumped when label widths must be measured again
  TBorderStyle FBorderStyle = bsSingle;
  Integer FIndent = 19;
  Integer FItemHeight = 0;
  bool FShowButtons = true, FShowLines = true, FShowRoot = true, FHideSelection = true, FHotTrack = false;
  bool FReadOnly = false, FMultiSelect = false, FRowSelect = false, FAutoExpand = false, FExplorerStyle = false;
  bool FUpdatingRange = false;
  // Type to find.
  String FSearch;
  uint64_t FSearchTime = 0;
  std::unique_ptr<TBitmap> FBuffer;  // DoubleBuffered

  TTVChangingEvent FOnChanging;
  TTVChangedEvent FOnChange;
  TTVExpandingEvent FOnExpanding;
  TTVExpandedEvent FOnExpanded, FOnCollapsed, FOnDeletion;
  TTVCollapsingEvent FOnCollapsing;
  TTVEditingEvent FOnEditing;
  TTVEditedEvent FOnEdited;
  TTVCompareEvent FOnCompare;
};

class TTreeView : public TCustomTreeView {
 public:
  explicit TTreeView(TComponent* AOwner) : TCustomTreeView(AOwner) {}
  JOX_CLASS_TABLE
};

}  // namespace jox
