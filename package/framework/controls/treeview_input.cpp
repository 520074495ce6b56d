// Tree view keyboard, mouse and label editing. Sections: [keys] [find] [mouse] [editing]
#include <algorithm>

#include "package/framework/controls/application.h"
#include "package/framework/controls/stdctrls.h"
#include "package/framework/controls/treeview.h"

namespace jox {

namespace {
// Typed letters within this time add to the text searched for.
constexpr uint64_t kSearchResetMs = 1000;
}  // namespace

// [keys] ---------------------------------------------------------------------------------------------------
void TCustomTreeView::MoveSelection(TTreeNode* Node, TShiftState Shift) {
  if (!Node) return;
  if (FMultiSelect && (Shift & ssShift)) {
    Select(Node, ssShift);
    return;
  }
  if (FMultiSelect) FAnchor = nullptr;
  if (FMultiSelect) Select(Node);
  else SelectNode(Node);
  if (FAutoExpand && FSelected == Node) SetNodeExpanded(Node, true, false);
}

void TCustomTreeView::KeyDown(Word& Key, TShiftState Shift) {
  TCustomScrollControl::KeyDown(Key, Shift);
  if (Key == 0 || IsEditing()) return;
  EnsureRows();
  const Integer rows = Integer(FRows.size());
  if (rows == 0) return;
  const bool ctrl = Shift & ssCtrl;
  const Integer page = std::max(VisibleCount(), 1);
  const Integer cur = FSelected ? RowOf(FSelected) : -1;
  auto go = [&](Integer row) { MoveSelection(NodeOfRow(std::clamp(row, 0, rows - 1)), Shift); };
  switch (Key) {
    case VK_UP:
      if (ctrl) SetScrollPos(sbVertical, TopRow() - 1);
      else go(cur < 0 ? 0 : cur - 1);
      break;
    case VK_DOWN:
      if (ctrl) SetScrollPos(sbVertical, TopRow() + 1);
      else go(cur < 0 ? 0 : cur + 1);
      break;
    case VK_PRIOR:
      if (ctrl) SetScrollPos(sbVertical, TopRow() - page);
      else go(cur < 0 ? 0 : cur - (page > 1 ? page - 1 : 1));
      break;
    case VK_NEXT:
      if (ctrl) SetScrollPos(sbVertical, TopRow() + page);
      else go(cur < 0 ? 0 : cur + (page > 1 ? page - 1 : 1));
      break;
    case VK_HOME:
      go(0);
      break;
    case VK_END:
      go(rows - 1);
      break;
    case VK_LEFT:
      if (ctrl) SetScrollPos(sbHorizontal, ScrollPos(sbHorizontal) - LineSize(sbHorizontal));
      else if (FSelected && FSelected->FExpanded) SetNodeExpanded(FSelected, false, false);
      else if (FSelected && FSelected->Parent()) MoveSelection(FSelected->Parent(), {});
      break;
    case VK_RIGHT:
      if (ctrl) SetScrollPos(sbHorizontal, ScrollPos(sbHorizontal) + LineSize(sbHorizontal));
      else if (FSelected && !FSelected->FExpanded) SetNodeExpanded(FSelected, true, false);
      else if (FSelected && FSelected->GetFirstChild()) MoveSelection(FSelected->GetFirstChild(), {});
      break;
    case VK_BACK:
      if (FSelected && FSelected->Parent()) MoveSelection(FSelected->Parent(), {});
      break;
    case VK_F2:
      if (FSelected) BeginEdit(FSelected);
      break;
    default:
      return;
  }
  Key = 0;
}

void TCustomTreeView::KeyPress(char16_t& Key) {
  TCustomScrollControl::KeyPress(Key);
  if (Key == 0 || IsEditing()) return;
  switch (Key) {
    case u'+':
      if (FSelected) SetNodeExpanded(FSelected, true, false);
      break;
    case u'-':
      if (FSelected) SetNodeExpanded(FSelected, false, false);
      break;
    case u'*':
      if (FSelected) SetNodeExpanded(FSelected, true, true);
      break;
    default:
      if (Key < 32 || !FindByPrefix(Key)) return;
  }
  Key = 0;
}

// [find] ---------------------------------------------------------------------------------------------------
bool TCustomTreeView::FindByPrefix(char16_t Ch) {
  const uint64_t now = Application->Now();
  if (now - FSearchTime > kSearchResetMs) FSearch.clear();
  FSearchTime = now;
  FSearch += Ch;
  EnsureRows();
  const Integer rows = Integer(FRows.size());
  if (rows == 0) return true;
  // One letter typed again moves on to the next match; a longer text may stay on the current node.
  const bool repeated = std::all_of(FSearch.begin(), FSearch.end(), [&](char16_t c) { return c == FSearch[0]; });
  const String wanted = LowerCase(repeated ? String(1, Ch) : FSearch);
  const Integer cur = FSelected ? RowOf(FSelected) : -1;
  const Integer start = repeated ? cur + 1 : std::max(cur, 0);
  for (Integer k = 0; k < rows; ++k) {
    TTreeNode* n = FRows[size_t((start + k) % rows)];
    if (n->FText.size() >= wanted.size() && LowerCase(n->FText.substr(0, wanted.size())) == wanted) {
      MoveSelection(n, {});
      return true;
    }
  }
  return true;
}

// [mouse] --------------------------------------------------------------------------------------------------
void TCustomTreeView::PressNode(TShiftState Shift, Integer X, Integer Y) {
  if (IsEditing()) FinishEdit(false);
  TTreeNode* node = GetNodeAt(X, Y);
  if (!node) return;
  const THitTests hit = GetHitTestInfoAt(X, Y);
  if (hit & htOnButton) {
    SetNodeExpanded(node, !node->FExpanded, false);
  } else if ((hit & htOnLabel) || (hit & htOnIcon) || ((FRowSelect || FExplorerStyle) && ((hit & htOnRight) || (hit & htOnIndent)))) {
    if (FMultiSelect && ((Shift & ssCtrl) || (Shift & ssShift))) Select(node, Shift);
    else if (FMultiSelect) Select(node);
    else SelectNode(node);
  }
}

void TCustomTreeView::DoDragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) {
  TCustomScrollControl::DoDragOver(Source, X, Y, State, Accept);
  SetDropTarget(Accept && State != dsDragLeave ? GetNodeAt(X, Y) : nullptr);
}

void TCustomTreeView::DoDragDrop(TObject* Source, Integer X, Integer Y) {
  // The handler reads DropTarget (or GetNodeAt) to know where the nodes go.
  TCustomScrollControl::DoDragDrop(Source, X, Y);
  SetDropTarget(nullptr);
}

void TCustomTreeView::DoEndDrag(TObject* Target, Integer X, Integer Y) {
  SetDropTarget(nullptr);
  TCustomScrollControl::DoEndDrag(Target, X, Y);
}

void TCustomTreeView::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomScrollControl::MouseDown(Button, Shift, X, Y);
  if (IsEditing()) FinishEdit(false);
  const THitTests hit = GetHitTestInfoAt(X, Y);
  TTreeNode* node = GetNodeAt(X, Y);
  FClickNode = nullptr;
  if (!node) return;
  if (hit & htOnButton) {
    if (Button == mbLeft) SetNodeExpanded(node, !node->FExpanded, false);
    return;
  }
  const bool onItem = (hit & htOnLabel) || (hit & htOnIcon) || ((FRowSelect || FExplorerStyle) && ((hit & htOnRight) || (hit & htOnIndent)));
  if (!onItem) return;
  if (Shift & ssDouble) return;  // DblClick toggled the node already
  const bool wasSelected = node == FSelected && Focused();
  if (Button == mbLeft && FMultiSelect && ((Shift & ssCtrl) || (Shift & ssShift))) {
    Select(node, Shift);
    return;
  }
  if (FMultiSelect) Select(node);
  else SelectNode(node);
  if (Button == mbLeft && FAutoExpand && FSelected == node) SetNodeExpanded(node, !node->FExpanded, false);
  // A second, slow press on the selected label edits it (a double click does not).
  if (Button == mbLeft && wasSelected && !FReadOnly && (hit & htOnLabel)) FClickNode = node;
}

void TCustomTreeView::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TCustomScrollControl::MouseMove(Shift, X, Y);
  if (!FHotTrack) return;
  const THitTests hit = GetHitTestInfoAt(X, Y);
  TTreeNode* n = (hit & htOnLabel) || (FExplorerStyle && !(hit & htNowhere)) ? GetNodeAt(X, Y) : nullptr;
  if (n == FHotNode) return;
  InvalidateNode(FHotNode);
  FHotNode = n;
  InvalidateNode(FHotNode);
}

void TCustomTreeView::DblClick() {
  FClickNode = nullptr;
  TCustomScrollControl::DblClick();
  // The double click lands where the first press was.
  TTreeNode* n = FSelected;
  if (n && !IsEditing()) SetNodeExpanded(n, !n->FExpanded, false);
}

void TCustomTreeView::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomScrollControl::MouseUp(Button, Shift, X, Y);
  if (Button == mbLeft && FClickNode) {
    TTreeNode* n = FClickNode;
    FClickNode = nullptr;
    if (n == FSelected && GetNodeAt(X, Y) == n) BeginEdit(n);
  }
}

void TCustomTreeView::DefaultHandler(TMessage& Message) {
  TCustomScrollControl::DefaultHandler(Message);
  if (Message.Msg == CM_BORDERCHANGED) StructureChanged();  // the client area changed
  if (Message.Msg == CM_MOUSELEAVE && FHotNode) {
    InvalidateNode(FHotNode);
    FHotNode = nullptr;
  }
}

// [editing] ------------------------------------------------------------------------------------------------
// The in-place editor of a label: Enter commits, Escape cancels, leaving it commits.
class TTreeLabelEdit : public TCustomEdit {
 public:
  TTreeLabelEdit(TCustomTreeView* Tree) : TCustomEdit(nullptr), FTree(Tree) {
    SetMessageHandler(WM_GETDLGCODE, [](TMessage& m) { m.Result |= DLGC_WANTALLKEYS; });
  }
 protected:
  void KeyDown(Word& Key, TShiftState Shift) override {
    if (Key == VK_RETURN || Key == VK_ESCAPE) {
      const bool cancel = Key == VK_ESCAPE;
      Key = 0;
      FTree->FinishEdit(cancel);
      return;
    }
    TCustomEdit::KeyDown(Key, Shift);
  }
  void KeyPress(char16_t& Key) override {
    if (Key == 13 || Key == 27) { Key = 0; return; }
    TCustomEdit::KeyPress(Key);
  }
  void DoExit() override {
    TCustomEdit::DoExit();
    if (FTree->IsEditing()) FTree->FinishEdit(false);
  }
 private:
  TCustomTreeView* FTree;
};

void TCustomTreeView::FreeEditor() {
  FEditNode = nullptr;
  delete FEdit;
  FEdit = nullptr;
}

bool TCustomTreeView::BeginEdit(TTreeNode* Node) {
  if (!Node || FReadOnly || Node->FOwner != FItems.get()) return false;
  if (IsEditing()) FinishEdit(false);
  if (!CanEdit(Node)) return false;
  if (Node != FSelected) SelectNode(Node);
  ScrollIntoView(Node);
  const TRect r = Node->DisplayRect(true);
  if (r.IsEmpty()) return false;
  if (!FEdit) FEdit = new TTreeLabelEdit(this);
  FEdit->SetAutoSize(false);
  FEdit->SetParent(this);
  FEdit->Font()->Assign(Font());
  const TRect area = ClientRect();
  const Integer w = std::max<Integer>(r.Width() + 24, 60);
  FEdit->SetBounds(r.Left, r.Top, std::min(w, std::max(area.Right - r.Left, 20)), r.Height());
  FEdit->SetText(Node->FText);
  FEdit->Show();
  if (FEdit->CanFocus()) FEdit->SetFocus();
  FEdit->SelectAll();
  FEditNode = Node;
  InvalidateNode(Node);
  return true;
}

void TCustomTreeView::FinishEdit(bool Cancel) {
  TTreeNode* n = FEditNode;
  if (!n) return;
  FEditNode = nullptr;
  String s = FEdit->Text();
  const bool hadFocus = FEdit->Focused();
  FEdit->Hide();
  if (hadFocus && CanFocus()) SetFocus();
  if (!Cancel) {
    Edit(n, s);
    n->SetText(s);
  }
  InvalidateNode(n);
}

}  // namespace jox
