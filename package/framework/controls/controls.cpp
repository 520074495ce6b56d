// TControl: tree, bounds, state, looks and the built-in message handling.
// Sections: [lifetime] [tree] [bounds] [state] [looks] [messages] [virtuals] [helpers]
// Painting lives in controls_paint.cpp, TWinControl in controls_win.cpp, class tables in controls_props.cpp.
#include "package/framework/controls/controls.h"

#include <algorithm>
#include <cstdlib>

#include "package/framework/controls/accessible.h"
#include "package/framework/controls/controls_internal.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/hintwindow.h"
#include "package/framework/controls/input.h"
#include "package/framework/controls/menus.h"

namespace jox {

// [lifetime] -----------------------------------------------------------------------------------------------
TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner), FConstraints(std::make_unique<TSizeConstraints>(this)), FFont(std::make_unique<TFont>()) {
  FFont->SetOnChange([this](TObject*) {
    if (!FFontFromParent) FParentFont = false;
    if (FCanvas) FCanvas->Font()->Assign(FFont.get());
    Perform(CM_FONTCHANGED);
  });
}

namespace {
// The controls in the middle of Dispatch, innermost first: an event handler may delete its own control, and
// the dispatch must then stop before it touches the freed handler table.
struct DispatchFrame {
  const TControl* control;
  bool destroyed;
  DispatchFrame* outer;
};
DispatchFrame* gDispatching = nullptr;

void NoteDestroyed(const TControl* c) {
  for (DispatchFrame* f = gDispatching; f; f = f->outer)
    if (f->control == c) f->destroyed = true;
}
}  // namespace

TControl::~TControl() {
  FAccessible.reset();  // before the parts it reads go
  NoteDestroyed(this);
  if (!DestroyingCalled()) Destroying();
  input::Forget(this);
  hints::ControlGone(this);
  if (FParent) {
    ControlAccess::Unlink(FParent, this);
    FParent = nullptr;
  }
  if (Application) Application->ForgetRoot(this);
}

// [tree] ---------------------------------------------------------------------------------------------------
TControl* TControl::Root() const {
  const TControl* c = this;
  while (c->FParent) c = c->FParent;
  return const_cast<TControl*>(c);
}

void TControl::SetParent(TWinControl* AParent) {
  if (AParent == FParent) return;
  for (const TControl* p = AParent; p; p = p->FParent)
    if (p == this) throw EInvalidOperation(u"A control cannot have itself or a child as its parent");
  if (FParent) {
    Invalidate();
    ControlAccess::DropFocusWithin(Root(), this);
    ControlAccess::Unlink(FParent, this);
    FParent = nullptr;
  } else {
    // It was a root: its private surface goes, its canvas will point at the new root's.
    if (Application) Application->ForgetRoot(this);
    FSurface.reset();
    FDirty.clear();
  }
  if (!AParent) return;
  FParent = AParent;
  AParent->FControls.push_back(this);
  ++AParent->FControlsGen;
  if (auto* w = dynamic_cast<TWinControl*>(this)) AParent->FTabList.push_back(w);
  if (FParentFont) ApplyParentFont();
  if (FParentColor) ApplyParentColor();
  if (FParentShowHint) FShowHint = AParent->FShowHint;
  Invalidate();
  if (FAlign != alNone) AParent->Realign();
}

void TControl::SetParentCtl3D(bool v) {
  FParentCtl3D = v;
  if (v && FParent) FCtl3D = FParent->Ctl3D();
}

TComponent* TControl::GetParentComponent() const { return FParent; }

void TControl::SetParentComponent(TComponent* Value) {
  auto* parent = dynamic_cast<TWinControl*>(Value);
  if (!parent) return;
  if (parent == FParent) BringToFront();
  else SetParent(parent);
}

TComponent::TPlace TControl::KeepPlace() const {
  auto* self = const_cast<TControl*>(this);
  TWinControl* parent = FParent;
  return {[self, parent] { self->SetParent(parent); }, {}};
}

void TControl::BringToFront() {
  if (!FParent) return;
  auto& list = FParent->FControls;
  list.erase(std::find(list.begin(), list.end(), this));
  list.push_back(this);
  Invalidate();
}

void TControl::SendToBack() {
  if (!FParent) return;
  auto& list = FParent->FControls;
  list.erase(std::find(list.begin(), list.end(), this));
  list.insert(list.begin(), this);
  // What lay below now covers this control: the parent's area there is repainted.
  Invalidate();
}

// [bounds] -------------------------------------------------------------------------------------------------
void TControl::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  const TSizeConstraints& limits = *FConstraints;
  if (limits.MaxWidth() > 0) AWidth = std::min(AWidth, limits.MaxWidth());
  if (limits.MaxHeight() > 0) AHeight = std::min(AHeight, limits.MaxHeight());
  AWidth = std::max(AWidth, limits.MinWidth());
  AHeight = std::max(AHeight, limits.MinHeight());
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  const bool resized = AWidth != FWidth || AHeight != FHeight;
  const Integer oldW = FWidth, oldH = FHeight;
  Invalidate();
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  if (!FParent && FSurface && resized) {
    FSurface->SetSize(FWidth, FHeight);
    FDirty.clear();
  }
  Invalidate();
  if (resized)
    if (auto* w = dynamic_cast<TWinControl*>(this)) {
      w->AnchorChildren(oldW, oldH);
      w->Realign();
    }
  if (FParent && FAlign != alNone && !(FParent->FControlState & csAligning)) FParent->Realign();
  if (resized) {
    if (ComponentState() & csLoading) FResizedWhileLoading = true;  // Loaded resizes once
    else Resize();
  }
}

void TControl::SetClientWidth(Integer v) { SetBounds(FLeft, FTop, v + FWidth - ClientWidth(), FHeight); }
void TControl::SetClientHeight(Integer v) { SetBounds(FLeft, FTop, FWidth, v + FHeight - ClientHeight()); }

TRect TControl::ClientRect() const {
  const TRect b = ClientBounds();
  return Rect(0, 0, std::max(b.Width(), 0), std::max(b.Height(), 0));
}

TPoint TControl::BoundsOriginInRoot() const {
  if (!FParent) return {};
  const TPoint p = FParent->OriginInRoot();
  return {p.X + FLeft, p.Y + FTop};
}

TPoint TControl::OriginInRoot() const {
  const TPoint p = BoundsOriginInRoot();
  const TRect b = ClientBounds();
  return {p.X + b.Left, p.Y + b.Top};
}

TRect TControl::VisibleRectInRoot() const {
  if (!FParent) return Rect(0, 0, FWidth, FHeight);
  if (!Showing()) return TRect();
  const TPoint o = BoundsOriginInRoot();
  TRect r = Bounds(o.X, o.Y, FWidth, FHeight);
  // Each parent clips to its client area.
  for (const TControl* p = FParent; p; p = p->FParent) {
    const TPoint po = p->OriginInRoot();
    const TRect pr = p->ClientRect();
    r = IntersectRects(r, Bounds(po.X, po.Y, pr.Width(), pr.Height()));
    if (r.IsEmpty()) return TRect();
  }
  return r;
}

TPoint TControl::ClientToScreen(TPoint p) const {
  TControl* root = Root();
  TPoint o = OriginInRoot();
  return {p.X + o.X + root->FLeft, p.Y + o.Y + root->FTop};
}

TPoint TControl::ScreenToClient(TPoint p) const {
  TControl* root = Root();
  TPoint o = OriginInRoot();
  return {p.X - o.X - root->FLeft, p.Y - o.Y - root->FTop};
}

void TControl::SetAlign(TAlign v) {
  if (v == FAlign) return;
  FAlign = v;
  if (FParent) FParent->Realign();
}

void TControl::UpdateAnchorRules() {
  // Anchors act on the parent's size changes (TWinControl::AnchorChildren); nothing to remember here.
}

// [constraints] --------------------------------------------------------------------------------------------
void TSizeConstraints::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TSizeConstraints*>(Source)) {
    FMinWidth = s->FMinWidth;
    FMinHeight = s->FMinHeight;
    FMaxWidth = s->FMaxWidth;
    FMaxHeight = s->FMaxHeight;
    Change();
    return;
  }
  TPersistent::Assign(Source);
}

void TSizeConstraints::SetMinWidth(Integer v) {
  v = std::max(v, 0);
  if (v == FMinWidth) return;
  FMinWidth = v;
  if (FMaxWidth > 0 && FMaxWidth < v) FMaxWidth = v;
  Change();
}

void TSizeConstraints::SetMinHeight(Integer v) {
  v = std::max(v, 0);
  if (v == FMinHeight) return;
  FMinHeight = v;
  if (FMaxHeight > 0 && FMaxHeight < v) FMaxHeight = v;
  Change();
}

void TSizeConstraints::SetMaxWidth(Integer v) {
  v = std::max(v, 0);
  if (v == FMaxWidth) return;
  FMaxWidth = v;
  if (v > 0 && FMinWidth > v) FMinWidth = v;
  Change();
}

void TSizeConstraints::SetMaxHeight(Integer v) {
  v = std::max(v, 0);
  if (v == FMaxHeight) return;
  FMaxHeight = v;
  if (v > 0 && FMinHeight > v) FMinHeight = v;
  Change();
}

void TSizeConstraints::Change() {
  if (FControl) FControl->SetBounds(FControl->Left(), FControl->Top(), FControl->Width(), FControl->Height());
}

// [state] --------------------------------------------------------------------------------------------------
bool TControl::Showing() const {
  for (const TControl* c = this; c->FParent; c = c->FParent)
    if (!c->FVisible) return false;
  return true;
}

void TControl::SetVisible(bool v) {
  if (v == FVisible) return;
  if (!v) Invalidate();
  FVisible = v;
  if (v) Invalidate();
  if (!v && FParent) ControlAccess::DropFocusWithin(Root(), this);
  if (!v) hints::ControlGone(this);
  Perform(CM_VISIBLECHANGED, v);
  if (FParent && FAlign != alNone) FParent->Realign();
}

void TControl::SetEnabled(bool v) {
  if (v == FEnabled) return;
  FEnabled = v;
  if (!v) ControlAccess::DropFocusWithin(Root(), this);
  Perform(CM_ENABLEDCHANGED, v);
}

bool TControl::MouseCapture() const { return input::CaptureControl() == this; }

void TControl::SetMouseCapture(bool v) {
  if (v) input::SetCaptureControl(this);
  else if (MouseCapture()) input::SetCaptureControl(nullptr);
}

// [looks] --------------------------------------------------------------------------------------------------
void TControl::SetColor(TColor v) {
  if (v == FColor) return;
  FColor = v;
  FParentColor = false;
  if (FCanvas) FCanvas->Brush()->SetColor(v);
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool v) {
  if (v == FParentColor) return;
  FParentColor = v;
  if (v) ApplyParentColor();
}

void TControl::ApplyParentColor() {
  if (!FParent) return;
  SetColor(FParent->FColor);
  FParentColor = true;
}

void TControl::SetParentFont(bool v) {
  if (v == FParentFont) return;
  FParentFont = v;
  if (v) ApplyParentFont();
}

void TControl::ApplyParentFont() {
  if (!FParent) return;
  FFontFromParent = true;
  try {
    FFont->Assign(FParent->FFont.get());
  } catch (...) {
    FFontFromParent = false;
    throw;
  }
  FFontFromParent = false;
  FParentFont = true;
}

void TControl::SetShowHint(bool v) {
  FParentShowHint = false;
  if (v == FShowHint) return;
  FShowHint = v;
  if (auto* w = dynamic_cast<TWinControl*>(this))
    for (TControl* c : w->FControls)
      if (c->FParentShowHint) {
        c->SetShowHint(v);
        c->FParentShowHint = true;
      }
}

void TControl::SetParentShowHint(bool v) {
  FParentShowHint = v;
  if (v && FParent) {
    SetShowHint(FParent->FShowHint);
    FParentShowHint = true;
  }
}

void TControl::SetCursor(TCursor v) {
  if (v == FCursor) return;
  FCursor = v;
  Perform(CM_CURSORCHANGED);
}

void TControl::SetText(const String& v) {
  if (v == FText) return;
  FText = v;
  Perform(CM_TEXTCHANGED);
}

void TControl::SetStyleElements(TStyleElements v) {
  if (v == FStyleElements) return;
  FStyleElements = v;
  Invalidate();
}


// [messages] -----------------------------------------------------------------------------------------------
intptr_t TControl::Perform(Cardinal Msg, intptr_t WParam, intptr_t LParam) {
  TMessage m{Msg, WParam, LParam, 0};
  WndProc(m);
  return m.Result;
}

intptr_t TControl::PerformParent(Cardinal Msg, intptr_t WParam, intptr_t LParam) {
  return FParent ? FParent->Perform(Msg, WParam, LParam) : 0;
}

void TControl::WndProc(TMessage& Message) { Dispatch(Message); }

namespace {
// The message whose built-in handling already ran in Dispatch: a handler written to call DefaultHandler
// itself first must not run it twice.
const TMessage* gDefaultDone = nullptr;
}  // namespace

void TControl::Dispatch(TMessage& Message) {
  DispatchFrame frame{this, false, gDispatching};
  gDispatching = &frame;
  struct Pop {
    DispatchFrame& f;
    ~Pop() { gDispatching = f.outer; }
  } pop{frame};
  DefaultHandler(Message);
  if (frame.destroyed || FHandlers.empty()) return;
  auto it = FHandlers.find(Message.Msg);
  if (it == FHandlers.end()) return;
  // A copy: a handler may add or remove handlers while it runs.
  const std::vector<TMessageHandler> chain = it->second;
  const TMessage* saved = gDefaultDone;
  gDefaultDone = &Message;
  try {
    for (const TMessageHandler& h : chain) {
      h(Message);
      if (frame.destroyed) break;
    }
  } catch (...) {
    gDefaultDone = saved;
    throw;
  }
  gDefaultDone = saved;
}

void TControl::SetMessageHandler(Cardinal Msg, TMessageHandler Handler) {
  if (Handler) FHandlers[Msg].push_back(std::move(Handler));
  else FHandlers.erase(Msg);
}

void TControl::HandleMouseMessage(TMessage& m) {
  TShiftState shift(Word(m.WParam & 0xFFFF));
  TPoint p = LParamToPoint(m.LParam);
  Cardinal msg = m.Msg;
  if (!(FControlStyle & csDoubleClicks)) {
    if (msg == WM_LBUTTONDBLCLK) msg = WM_LBUTTONDOWN;
    if (msg == WM_RBUTTONDBLCLK) msg = WM_RBUTTONDOWN;
    if (msg == WM_MBUTTONDBLCLK) msg = WM_MBUTTONDOWN;
  }
  switch (msg) {
    case WM_MOUSEMOVE:
      if (FDragPending && (std::abs(p.X - FDragStart.X) >= FDragThreshold || std::abs(p.Y - FDragStart.Y) >= FDragThreshold)) {
        FDragPending = false;
        FDragging = true;
        DoStartDrag();
      }
      if (FDragging) {
        DragOver(p);
        break;
      }
      MouseMove(shift, p.X, p.Y);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (FDragMode == dmAutomatic && !(ComponentState() & csDesigning)) {
        if (FControlStyle & csCaptureMouse) SetMouseCapture(true);
        FDragStart = p;
        FDragPending = true;
        FDragThreshold = 5;
        break;
      }
      if (msg == WM_LBUTTONDBLCLK) {
        if (FControlStyle & csCaptureMouse) SetMouseCapture(true);
        FControlState |= csLButtonDown;
        if (FControlStyle & csClickEvents) DblClick();
        MouseDown(mbLeft, shift | ssDouble, p.X, p.Y);
        break;
      }
      if (FControlStyle & csCaptureMouse) SetMouseCapture(true);
      if (FControlStyle & csClickEvents) FControlState |= csClicked;
      FControlState |= csLButtonDown;
      MouseDown(mbLeft, shift, p.X, p.Y);
      break;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      MouseDown(msg == WM_RBUTTONDOWN ? mbRight : mbMiddle, shift, p.X, p.Y);
      break;
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      MouseDown(msg == WM_RBUTTONDBLCLK ? mbRight : mbMiddle, shift | ssDouble, p.X, p.Y);
      break;
    case WM_LBUTTONUP: {
      if (FDragPending || FDragging) {
        const bool dragged = FDragging;
        FDragPending = false;
        if (dragged) FinishDrag(p, true);
        else if (ClientRect().Contains(p)) Click();  // a press that never became a drag is a click
        break;
      }
      FControlState &= ~csLButtonDown;
      if (FControlState & csClicked) {
        FControlState &= ~csClicked;
        if (ClientRect().Contains(p)) Click();
      }
      MouseUp(mbLeft, shift, p.X, p.Y);
      break;
    }
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      MouseUp(msg == WM_RBUTTONUP ? mbRight : mbMiddle, shift, p.X, p.Y);
      break;
  }
}

void TControl::DefaultHandler(TMessage& m) {
  if (gDefaultDone == &m) return;
  if (IsMouseMessage(m.Msg)) {
    HandleMouseMessage(m);
    return;
  }
  switch (m.Msg) {
    case WM_MOUSEWHEEL: {
      auto delta = Integer(int16_t(uint16_t((uintptr_t(m.WParam) >> 16) & 0xFFFF)));
      TShiftState shift(Word(m.WParam & 0xFFFF));
      m.Result = DoMouseWheel(shift, delta, LParamToPoint(m.LParam)) ? 1 : 0;
      break;
    }
    case WM_CONTEXTMENU: {
      // From the keyboard (LParam -1) the menu opens where the focus is shown.
      TPoint screen = m.LParam == -1 ? ClientToScreen(PopupPoint()) : LParamToPoint(m.LParam);
      if (m.LParam == -1) m.LParam = PointToLParam(screen);
      bool handled = false;
      DoContextPopup(ScreenToClient(screen), handled);
      if (handled) {
        m.Result = 1;
      } else if (FPopupMenu && FPopupMenu->AutoPopup()) {
        FPopupMenu->SetPopupComponent(this);
        FPopupMenu->Popup(screen.X, screen.Y);
        m.Result = 1;
      } else {
        m.Result = PerformParent(WM_CONTEXTMENU, m.WParam, m.LParam);
      }
      break;
    }
    case CM_MOUSEENTER:
      if (FOnMouseEnter) FOnMouseEnter(this);
      break;
    case CM_MOUSELEAVE:
      if (FOnMouseLeave) FOnMouseLeave(this);
      break;
    case WM_PAINT:
      Paint();
      break;
    case CM_ENABLEDCHANGED:
    case CM_COLORCHANGED:
    case CM_TEXTCHANGED:
      Invalidate();
      break;
    case CM_FONTCHANGED:
      FontChanged();
      break;
    case CM_PARENTFONTCHANGED:
      if (FParentFont) ApplyParentFont();
      break;
    case CM_PARENTCOLORCHANGED:
      if (FParentColor) ApplyParentColor();
      break;
    case CM_HITTEST:
      m.Result = 1;
      break;
    case WM_CANCELMODE:
      if (FDragging) FinishDrag(Point(0, 0), false);
      FDragPending = false;
      FControlState &= ~(csLButtonDown | csClicked);
      SetMouseCapture(false);
      break;
    default:
      break;
  }
}

// [drag] ---------------------------------------------------------------------------------------------------
void TControl::BeginDrag(bool Immediate, Integer Threshold) {
  if (FDragging) return;
  const TPoint root = input::MousePos(), o = OriginInRoot();
  FDragStart = Point(root.X - o.X, root.Y - o.Y);
  SetMouseCapture(true);
  if (Immediate) {
    FDragPending = false;
    FDragging = true;
    DoStartDrag();
  } else {
    FDragPending = true;
    FDragThreshold = Threshold < 0 ? 5 : Threshold;
  }
}

void TControl::EndDrag(bool Drop) {
  const TPoint root = input::MousePos(), o = OriginInRoot();
  FDragPending = false;
  if (FDragging) FinishDrag(Point(root.X - o.X, root.Y - o.Y), Drop);
}

TControl* TControl::DragOver(TPoint P) {
  TControl* target = input::HitTest(this, P);
  if (!target) return nullptr;
  const TPoint o = OriginInRoot(), t = target->OriginInRoot();
  const TPoint at = Point(P.X + o.X - t.X, P.Y + o.Y - t.Y);
  bool accept = false;
  target->DoDragOver(this, at.X, at.Y, dsDragMove, accept);
  return accept ? target : nullptr;
}

void TControl::FinishDrag(TPoint P, bool Drop) {
  FDragging = false;
  SetMouseCapture(false);
  TControl* target = Drop ? DragOver(P) : nullptr;
  Integer x = P.X, y = P.Y;
  if (target) {
    const TPoint o = OriginInRoot(), t = target->OriginInRoot();
    x = P.X + o.X - t.X;
    y = P.Y + o.Y - t.Y;
    target->DoDragDrop(this, x, y);
  }
  DoEndDrag(target, x, y);
}

void TControl::DoDragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) {
  if (FOnDragOver) FOnDragOver(this, Source, X, Y, State, Accept);
}

void TControl::DoDragDrop(TObject* Source, Integer X, Integer Y) {
  if (FOnDragDrop) FOnDragDrop(this, Source, X, Y);
}

void TControl::DoStartDrag() {
  TDragObject* object = nullptr;
  if (FOnStartDrag) FOnStartDrag(this, object);
}

void TControl::DoEndDrag(TObject* Target, Integer X, Integer Y) {
  if (FOnEndDrag) FOnEndDrag(this, Target, X, Y);
}

// [virtuals] -----------------------------------------------------------------------------------------------
void TControl::Click() {
  if (FOnClick) FOnClick(this);
}

void TControl::DblClick() {
  if (FOnDblClick) FOnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (FOnMouseDown) FOnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  if (FOnMouseMove) FOnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (FOnMouseUp) FOnMouseUp(this, Button, Shift, X, Y);
}

bool TControl::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) {
  bool handled = false;
  if (FOnMouseWheel) FOnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
  if (handled) return true;
  // Partial turns add up until they make a notch.
  FWheelAccumulator += WheelDelta;
  while (std::abs(FWheelAccumulator) >= WHEEL_DELTA) {
    const bool down = FWheelAccumulator < 0;
    FWheelAccumulator += down ? WHEEL_DELTA : -WHEEL_DELTA;
    handled = down ? DoMouseWheelDown(Shift, MousePos) : DoMouseWheelUp(Shift, MousePos);
  }
  return handled;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  if (FOnMouseWheelDown) FOnMouseWheelDown(this, Shift, MousePos, handled);
  return handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  if (FOnMouseWheelUp) FOnMouseWheelUp(this, Shift, MousePos, handled);
  return handled;
}

TPoint TControl::PopupPoint() const {
  const TRect r = ClientRect();
  return Point(r.Width() / 2, r.Height() / 2);
}

void TControl::DoContextPopup(TPoint MousePos, bool& Handled) {
  if (FOnContextPopup) FOnContextPopup(this, MousePos, Handled);
}

void TControl::Resize() {
  if (FOnResize) FOnResize(this);
}

void TControl::FontChanged() { Invalidate(); }

void TControl::Loaded() {
  TComponent::Loaded();
  if (FResizedWhileLoading) {
    FResizedWhileLoading = false;
    Resize();
  }
  if (FParentFont) ApplyParentFont();
  if (FParentColor) ApplyParentColor();
}

// [helpers] ------------------------------------------------------------------------------------------------
TCustomForm* GetParentForm(const TControl* Control, bool TopForm) {
  TCustomForm* found = nullptr;
  for (const TControl* c = Control; c; c = c->Parent()) {
    if (auto* f = dynamic_cast<const TCustomForm*>(c)) {
      found = const_cast<TCustomForm*>(f);
      if (!TopForm) break;
    }
  }
  return found;
}

String GetShortHint(const String& Hint) {
  auto bar = Hint.find(u'|');
  return bar == String::npos ? Hint : Hint.substr(0, bar);
}

String GetLongHint(const String& Hint) {
  auto bar = Hint.find(u'|');
  return bar == String::npos ? Hint : Hint.substr(bar + 1);
}

TRect IntersectRects(const TRect& a, const TRect& b) {
  TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
          std::min(a.Bottom, b.Bottom)};
  if (r.IsEmpty()) return TRect();
  return r;
}

TRect UnionRects(const TRect& a, const TRect& b) {
  if (a.IsEmpty()) return b;
  if (b.IsEmpty()) return a;
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
          std::max(a.Bottom, b.Bottom)};
}

}  // namespace jox
