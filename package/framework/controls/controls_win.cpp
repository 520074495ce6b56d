// TWinControl: children, alignment and anchors, focus and tab order, keys, the window handle.
// Sections: [lifetime] [children] [alignment] [focus] [keys] [window] [messages]
#include <algorithm>

#include "package/framework/controls/controls.h"
#include "package/framework/controls/controls_internal.h"
#include "package/framework/controls/forms.h"

namespace jox {

// [lifetime] -----------------------------------------------------------------------------------------------
TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  if (!DestroyingCalled()) Destroying();
  TControl* root = Root();
  if (auto* r = dynamic_cast<TWinControl*>(root); r && r->FFocused && ContainsControl(r->FFocused)) {
    // No messages to the controls going away; the focus moves on to the next tab stop outside them.
    TWinControl* next = ControlAccess::NextFocusOutside(r, this);
    r->FFocused = nullptr;
    if (next) ControlAccess::ChangeFocus(r, next);
  }
  // Out of the parent's tab list now: by ~TControl this is no TWinControl any more to find there.
  if (FParent) FParent->FTabList.erase(std::remove(FParent->FTabList.begin(), FParent->FTabList.end(), this), FParent->FTabList.end());
  // Children without an owner belong to their parent; the others are left to their owners.
  while (!FControls.empty()) {
    TControl* c = FControls.back();
    FControls.pop_back();
    ++FControlsGen;
    if (auto* w = dynamic_cast<TWinControl*>(c)) FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), w), FTabList.end());
    c->FParent = nullptr;
    if (!c->Owner()) delete c;
  }
  if (FHandle && Application) Application->UnregisterWindow(FHandle);
  FHandle = 0;
}

void ControlAccess::Unlink(TWinControl* parent, TControl* c) {
  auto& list = parent->FControls;
  list.erase(std::remove(list.begin(), list.end(), c), list.end());
  ++parent->FControlsGen;
  if (auto* w = dynamic_cast<TWinControl*>(c))
    parent->FTabList.erase(std::remove(parent->FTabList.begin(), parent->FTabList.end(), w), parent->FTabList.end());
  if (c->FAlign != alNone && !parent->DestroyingCalled()) parent->Realign();
}

// [children] -----------------------------------------------------------------------------------------------
TControl* TWinControl::Controls(Integer Index) const {
  if (Index < 0 || Index >= ControlCount()) return nullptr;
  return FControls[size_t(Index)];
}

void TWinControl::RemoveControl(TControl* AControl) {
  if (AControl && AControl->Parent() == this) AControl->SetParent(nullptr);
}

bool TWinControl::ContainsControl(const TControl* AControl) const {
  for (const TControl* c = AControl; c; c = c->Parent())
    if (c == this) return true;
  return false;
}

TControl* TWinControl::ControlAtPos(TPoint Pos, bool AllowDisabled, bool AllowWinControls) const {
  auto hit = [&](TControl* c) {
    if (!c->Visible() || (!AllowDisabled && !c->Enabled())) return false;
    if (!c->BoundsRect().Contains(Pos)) return false;
    const TRect client = c->ClientBounds();
    return c->Perform(CM_HITTEST, 0, PointToLParam({Pos.X - c->Left() - client.Left, Pos.Y - c->Top() - client.Top})) != 0;
  };
  // Windowed children lie above the graphic ones.
  if (AllowWinControls)
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
      if (dynamic_cast<TWinControl*>(*it) && hit(*it)) return *it;
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
    if (!dynamic_cast<TWinControl*>(*it) && hit(*it)) return *it;
  return nullptr;
}

void TWinControl::Broadcast(TMessage& Message) {
  std::vector<TControl*> list = FControls;  // handlers may change the tree
  for (TControl* c : list) {
    if (std::find(FControls.begin(), FControls.end(), c) == FControls.end()) continue;
    c->WndProc(Message);
    if (Message.Result != 0) return;
  }
}

void TWinControl::NotifyControls(Cardinal Msg) {
  TMessage m{Msg, 0, 0, 0};
  std::vector<TControl*> list = FControls;
  for (TControl* c : list)
    if (std::find(FControls.begin(), FControls.end(), c) != FControls.end()) c->WndProc(m);
}

// [alignment] ----------------------------------------------------------------------------------------------
void TWinControl::Realign() {
  if (FAlignLevel > 0) {
    FAlignPending = true;
    return;
  }
  if (FControlState & csAligning) return;
  TRect r = ClientRect();
  FControlState |= csAligning;
  try {
    AlignControls(nullptr, r);
  } catch (...) {
    FControlState &= ~csAligning;
    throw;
  }
  FControlState &= ~csAligning;
}

void TWinControl::EnableAlign() {
  if (FAlignLevel > 0 && --FAlignLevel == 0 && FAlignPending) {
    FAlignPending = false;
    Realign();
  }
}

void TWinControl::AlignControls(TControl* AControl, TRect& R) {
  static constexpr TAlign order[] = {alTop, alBottom, alLeft, alRight, alClient};
  for (TAlign a : order) {
    std::vector<TControl*> list;
    for (TControl* c : FControls)
      if (c->FAlign == a && c->FVisible) list.push_back(c);
    // Within one side, the control nearest the edge comes first.
    std::stable_sort(list.begin(), list.end(), [a](TControl* x, TControl* y) {
      switch (a) {
        case alTop: return x->FTop < y->FTop;
        case alBottom: return x->FTop + x->FHeight > y->FTop + y->FHeight;
        case alLeft: return x->FLeft < y->FLeft;
        case alRight: return x->FLeft + x->FWidth > y->FLeft + y->FWidth;
        default: return false;
      }
    });
    for (TControl* c : list) {
      switch (a) {
        case alTop:
          c->SetBounds(R.Left, R.Top, R.Width(), c->FHeight);
          R.Top += c->FHeight;
          break;
        case alBottom:
          c->SetBounds(R.Left, R.Bottom - c->FHeight, R.Width(), c->FHeight);
          R.Bottom -= c->FHeight;
          break;
        case alLeft:
          c->SetBounds(R.Left, R.Top, c->FWidth, R.Height());
          R.Left += c->FWidth;
          break;
        case alRight:
          c->SetBounds(R.Right - c->FWidth, R.Top, c->FWidth, R.Height());
          R.Right -= c->FWidth;
          break;
        default:
          c->SetBounds(R.Left, R.Top, R.Width(), R.Height());
          break;
      }
      if (R.Right < R.Left) R.Right = R.Left;
      if (R.Bottom < R.Top) R.Bottom = R.Top;
    }
  }
}

void TWinControl::AnchorChildren(Integer OldWidth, Integer OldHeight) {
  if (ComponentState() & csLoading) return;
  const Integer dx = FWidth - OldWidth, dy = FHeight - OldHeight;
  std::vector<TControl*> list = FControls;
  for (TControl* c : list) {
    if (c->FAlign != alNone) continue;
    TRect b = c->BoundsRect();
    const TAnchors a = c->FAnchors;
    if (a & akRight) {
      if (a & akLeft) b.Right += dx;
      else { b.Left += dx; b.Right += dx; }
    } else if (!(a & akLeft)) {
      b.Left += dx / 2;
      b.Right += dx / 2;
    }
    if (a & akBottom) {
      if (a & akTop) b.Bottom += dy;
      else { b.Top += dy; b.Bottom += dy; }
    } else if (!(a & akTop)) {
      b.Top += dy / 2;
      b.Bottom += dy / 2;
    }
    if (b != c->BoundsRect()) c->SetBounds(b.Left, b.Top, b.Width(), b.Height());
  }
}

// [focus] --------------------------------------------------------------------------------------------------
bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->Parent()) {
    if (!c->Enabled()) return false;
    if (c->Parent() && !c->Visible()) return false;
  }
  return true;
}

TWinControl* TWinControl::FocusedControl() const {
  auto* root = dynamic_cast<TWinControl*>(Root());
  return root ? root->FFocused : nullptr;
}

bool TWinControl::Focused() const { return FocusedControl() == this; }

void TWinControl::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation(u"Cannot focus a disabled or invisible window");
  HandleNeeded();
  ControlAccess::ChangeFocus(static_cast<TWinControl*>(Root()), this);
}

void ControlAccess::ChangeFocus(TWinControl* root, TWinControl* to) {
  TWinControl* from = root->FFocused;
  if (from == to) return;
  root->FFocused = to;
  if (from) from->Perform(WM_KILLFOCUS, to ? to->FHandle : 0);
  if (to && root->FFocused == to) to->Perform(WM_SETFOCUS, from ? from->FHandle : 0);
  if (root->FFocused != to) return;  // a handler moved the focus again
  // Exit the containers being left (innermost first), enter the ones arrived in (outermost first).
  std::vector<TWinControl*> enter;
  for (TWinControl* c = to; c && c != root; c = c->FParent) enter.push_back(c);
  for (TWinControl* c = from; c && c != root; c = c->FParent) {
    if (to && c->ContainsControl(to)) break;
    c->Perform(CM_EXIT);
  }
  for (auto it = enter.rbegin(); it != enter.rend(); ++it) {
    if (from && (*it)->ContainsControl(from)) continue;
    (*it)->Perform(CM_ENTER);
  }
}

void ControlAccess::DropFocusWithin(TControl* root, TControl* sub) {
  auto* r = dynamic_cast<TWinControl*>(root);
  if (!r || !r->FFocused || !ContainsFocus(sub, r->FFocused)) return;
  ChangeFocus(r, NextFocusOutside(r, sub));
}

bool ControlAccess::ContainsFocus(const TControl* sub, const TControl* focused) {
  for (const TControl* c = focused; c; c = c->FParent)
    if (c == sub) return true;
  return false;
}

TWinControl* ControlAccess::NextFocusOutside(TWinControl* root, TControl* sub) {
  // A root going away keeps no focus to move on.
  if (root->ComponentState() & csDestroying) return nullptr;
  std::vector<TWinControl*> list;
  root->GetTabOrderList(list);
  auto at = std::find(list.begin(), list.end(), root->FFocused);
  const size_t n = list.size(), start = at == list.end() ? 0 : size_t(at - list.begin());
  for (size_t step = 1; step <= n; ++step) {
    TWinControl* c = list[(start + step) % n];
    if (c->FTabStop && !ContainsFocus(sub, c) && c->CanFocus()) {
      c->HandleNeeded();
      return c;
    }
  }
  return nullptr;
}

Integer TWinControl::TabOrder() const {
  if (!FParent) return -1;
  auto& l = FParent->FTabList;
  auto it = std::find(l.begin(), l.end(), this);
  return it == l.end() ? -1 : Integer(it - l.begin());
}

void TWinControl::SetTabOrder(Integer v) {
  if (ComponentState().Contains(csReading)) {
    // Siblings read later would shift it: the parent's Loaded places them all at once.
    FReadTabOrder = v;
    return;
  }
  if (!FParent) return;
  auto& l = FParent->FTabList;
  l.erase(std::remove(l.begin(), l.end(), this), l.end());
  v = std::clamp(v, 0, Integer(l.size()));
  l.insert(l.begin() + v, this);
}

void TWinControl::Loaded() {
  TControl::Loaded();
  // Placed lowest first, each child's move leaves the places already given alone.
  std::vector<TWinControl*> read;
  for (TWinControl* c : FTabList)
    if (c->FReadTabOrder >= 0) read.push_back(c);
  std::stable_sort(read.begin(), read.end(),
                   [](const TWinControl* a, const TWinControl* b) { return a->FReadTabOrder < b->FReadTabOrder; });
  for (TWinControl* c : read) {
    const Integer v = c->FReadTabOrder;
    c->FReadTabOrder = -1;
    c->SetTabOrder(v);
  }
  if (FReadTabOrder >= 0) {  // a parent that was not read leaves it to the child
    const Integer v = FReadTabOrder;
    FReadTabOrder = -1;
    SetTabOrder(v);
  }
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const {
  for (TControl* c : FControls)
    if (c->Owner() == Root) Proc(c);
}

namespace {
// The items of Now in the order Kept gives them, those Kept lacks (come since) behind.
template <class T>
std::vector<T*> InKeptOrder(const std::vector<T*>& Kept, const std::vector<T*>& Now) {
  std::vector<T*> out;
  for (T* c : Kept)
    if (std::find(Now.begin(), Now.end(), c) != Now.end()) out.push_back(c);
  for (T* c : Now)
    if (std::find(Kept.begin(), Kept.end(), c) == Kept.end()) out.push_back(c);
  return out;
}
}  // namespace

TComponent::TPlace TWinControl::KeepPlace() const {
  TPlace place = TControl::KeepPlace();
  auto* self = const_cast<TWinControl*>(this);
  place.Order = [self, z = FControls, tabs = FTabList] {
    self->FControls = InKeptOrder(z, self->FControls);
    self->FTabList = InKeptOrder(tabs, self->FTabList);
    ++self->FControlsGen;
    // Tab orders a failed read left pending must not surface in a later Loaded.
    self->FReadTabOrder = -1;
    for (TWinControl* c : self->FTabList) c->FReadTabOrder = -1;
    self->Invalidate();
  };
  return place;
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) const {
  for (TWinControl* c : FTabList) {
    List.push_back(c);
    c->GetTabOrderList(List);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) const {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  const Integer n = Integer(list.size());
  auto it = std::find(list.begin(), list.end(), CurControl);
  // Without a current control, the walk starts just outside the list.
  Integer start = it == list.end() ? (GoForward ? n - 1 : 0) : Integer(it - list.begin());
  Integer i = start;
  for (Integer step = 0; step < n; ++step) {
    i = GoForward ? (i + 1) % n : (i - 1 + n) % n;
    TWinControl* c = list[size_t(i)];
    if (c == CurControl) break;
    if (c->CanFocus() && (c->FTabStop || !CheckTabStop) && (!CheckParent || c->FParent == this)) return c;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  if (TWinControl* c = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop)) c->SetFocus();
}

// [keys] ---------------------------------------------------------------------------------------------------
// The form sees a key first when KeyPreview is on; Key 0 from either ends it.
bool TWinControl::DoKeyDown(TMessage& m) {
  TCustomForm* form = GetParentForm(this);
  Word key = Word(m.WParam);
  TShiftState shift = KeyDataToShiftState(m.LParam);
  if (form && form != this && form->KeyPreview() && form->DoKeyDown(m)) return true;
  key = Word(m.WParam);
  if (!(FControlStyle & csNoStdEvents)) {
    KeyDown(key, shift);
    m.WParam = key;
    if (key == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyPress(TMessage& m) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && form->DoKeyPress(m)) return true;
  char16_t ch = char16_t(m.WParam);
  if (!(FControlStyle & csNoStdEvents)) {
    KeyPress(ch);
    m.WParam = ch;
    if (ch == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyUp(TMessage& m) {
  TCustomForm* form = GetParentForm(this);
  Word key = Word(m.WParam);
  TShiftState shift = KeyDataToShiftState(m.LParam);
  if (form && form != this && form->KeyPreview() && form->DoKeyUp(m)) return true;
  key = Word(m.WParam);
  if (!(FControlStyle & csNoStdEvents)) {
    KeyUp(key, shift);
    m.WParam = key;
    if (key == 0) return true;
  }
  return false;
}

void TWinControl::KeyDown(Word& Key, TShiftState Shift) {
  if (FOnKeyDown) FOnKeyDown(this, Key, Shift);
}

void TWinControl::KeyPress(char16_t& Key) {
  if (FOnKeyPress) FOnKeyPress(this, Key);
}

void TWinControl::KeyUp(Word& Key, TShiftState Shift) {
  if (FOnKeyUp) FOnKeyUp(this, Key, Shift);
}

void TWinControl::DoEnter() {
  if (FOnEnter) FOnEnter(this);
}

void TWinControl::DoExit() {
  if (FOnExit) FOnExit(this);
}

// [window] -------------------------------------------------------------------------------------------------
HWND TWinControl::Handle() {
  HandleNeeded();
  return FHandle;
}

void TWinControl::HandleNeeded() {
  if (FHandle) return;
  if (FParent) FParent->HandleNeeded();
  if (FHandle) return;  // the parent created ours with its own
  CreateHandleTree();
}

void TWinControl::CreateHandleTree() {
  FControlState |= csCreating;
  CreateWnd();
  if (!FHandle) TWinControl::CreateWnd();  // an override that skipped the inherited one
  FControlState &= ~csCreating;
  std::vector<TControl*> list = FControls;
  for (TControl* c : list)
    if (auto* w = dynamic_cast<TWinControl*>(c); w && !w->FHandle) w->CreateHandleTree();
}

void TWinControl::CreateWnd() {
  if (FHandle) return;
  FHandle = Application->RegisterWindow([this](TMessage& m) { WndProc(m); });
}

void TWinControl::DestroyWnd() {
  if (!FHandle) return;
  Application->UnregisterWindow(FHandle);
  FHandle = 0;
}

void TWinControl::SetParent(TWinControl* AParent) {
  if (AParent == FParent) return;
  if (!FParent && FFocused) ControlAccess::ChangeFocus(this, nullptr);  // a root's own focus ends here
  TControl::SetParent(AParent);
  if (AParent && AParent->HandleAllocated()) HandleNeeded();
}

void TWinControl::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TWinControl::SetVisible(bool v) { TControl::SetVisible(v); }

void TWinControl::SetEnabled(bool v) { TControl::SetEnabled(v); }

// [messages] -----------------------------------------------------------------------------------------------
void TWinControl::DefaultHandler(TMessage& m) {
  if (IsMouseMessage(m.Msg)) {
    // A press on the frame, or a move over it, is no client input (a drag begun inside still runs).
    const bool press = m.Msg != WM_MOUSEMOVE && m.Msg != WM_LBUTTONUP && m.Msg != WM_RBUTTONUP &&
                       m.Msg != WM_MBUTTONUP;
    const TPoint p = LParamToPoint(m.LParam);
    const TRect b = ClientBounds();
    if ((press || !MouseCapture()) && !ClientRect().Contains(p) &&
        Bounds(-b.Left, -b.Top, Width(), Height()).Contains(p)) {
      if (press) SetMouseCapture(false);
      return;
    }
  }
  switch (m.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      m.Result = DoKeyDown(m) ? 1 : 0;
      break;
    case WM_CHAR:
      m.Result = DoKeyPress(m) ? 1 : 0;
      break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      m.Result = DoKeyUp(m) ? 1 : 0;
      break;
    case CM_ENTER:
      DoEnter();
      break;
    case CM_EXIT:
      DoExit();
      break;
    case WM_GETDLGCODE:
      m.Result = 0;
      break;
    case WM_NEXTDLGCTL: {
      TCustomForm* form = GetParentForm(this);
      if (form && form != this) m.Result = form->Perform(m.Msg, m.WParam, m.LParam);
      break;
    }
    case WM_NCPAINT: {
      // The canvas clips to the whole control while the frame is painted.
      struct Restore {
        bool& flag;
        ~Restore() { flag = false; }
      } restore{FPaintingFrame};
      FPaintingFrame = true;
      PaintNonClient();
      break;
    }
    case CM_COLORCHANGED:
      TControl::DefaultHandler(m);
      NotifyControls(CM_PARENTCOLORCHANGED);
      break;
    case CM_FONTCHANGED:
      TControl::DefaultHandler(m);
      NotifyControls(CM_PARENTFONTCHANGED);
      break;
    default:
      TControl::DefaultHandler(m);
  }
}

TRect TWinControl::ClientBounds() const {
  const Integer fw = std::min({NonClientFrame() + BevelExtent() + FBorderWidth, Width() / 2, Height() / 2});
  return Rect(fw, fw, Width() - fw, Height() - fw);
}

// [frame] --------------------------------------------------------------------------------------------------
Integer TWinControl::BevelExtent() const {
  if (FBevelKind == bkNone) return 0;
  return ((FBevelInner != bvNone) + (FBevelOuter != bvNone)) * FBevelWidth;
}

void TWinControl::BorderChanged() {
  Invalidate();
  Realign();
  Perform(CM_BORDERCHANGED);
}

void TWinControl::SetBevelInner(TBevelCut Value) {
  if (Value == FBevelInner) return;
  FBevelInner = Value;
  BorderChanged();
}

void TWinControl::SetBevelOuter(TBevelCut Value) {
  if (Value == FBevelOuter) return;
  FBevelOuter = Value;
  BorderChanged();
}

void TWinControl::SetBevelKind(TBevelKind Value) {
  if (Value == FBevelKind) return;
  FBevelKind = Value;
  BorderChanged();
}

void TWinControl::SetBevelWidth(Integer Value) {
  Value = std::max(Value, 1);
  if (Value == FBevelWidth) return;
  FBevelWidth = Value;
  BorderChanged();
}

void TWinControl::SetBorderWidth(Integer Value) {
  Value = std::max(Value, 0);
  if (Value == FBorderWidth) return;
  FBorderWidth = Value;
  BorderChanged();
}

// [graphic-custom] -----------------------------------------------------------------------------------------
TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {}

}  // namespace jox
