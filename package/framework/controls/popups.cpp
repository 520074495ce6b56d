// The popup stack.
#include "package/framework/controls/popups.h"

#include <algorithm>

#include "package/framework/controls/application.h"
#include "package/framework/controls/forms.h"

namespace jox {

namespace {
std::vector<TPopupWindow*>& Stack() {
  static std::vector<TPopupWindow*> s;
  return s;
}
}  // namespace

TPopupWindow::TPopupWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(ControlStyle() | csOpaque);
  SetColor(clWindow);
}

TPopupWindow::~TPopupWindow() {
  auto& s = Stack();
  if (std::find(s.begin(), s.end(), this) != s.end()) PlatformHost()->ShowWindow(this, false);
  s.erase(std::remove(s.begin(), s.end(), this), s.end());
}

void TPopupWindow::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  const bool moved = ALeft != Left() || ATop != Top() || AWidth != Width() || AHeight != Height();
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (moved && FOpen) PlatformHost()->WindowChanged(this);
}

void TPopupWindow::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupOwner) FPopupOwner = nullptr;
}

void TPopupWindow::SetPopupOwner(TControl* Owner) {
  if (FPopupOwner == Owner) return;
  if (FPopupOwner) FPopupOwner->RemoveFreeNotification(this);
  FPopupOwner = Owner;
  if (Owner) Owner->FreeNotification(this);
}

void TPopupWindow::Popup(TControl* Owner, Integer X, Integer Y, Integer AltY) {
  SetPopupOwner(Owner);
  const TRect area = popups::WorkAreaFor(Owner, Point(X, Y));
  if (Y + Height() > area.Bottom && AltY >= 0 && AltY - Height() >= area.Top) Y = AltY - Height();
  const TRect r = FitInside(Bounds(X, Y, Width(), Height()), area);
  SetBounds(r.Left, r.Top, Width(), Height());
  Invalidate();
  if (!FOpen) {
    FOpen = true;
    Stack().push_back(this);
    PlatformHost()->ShowWindow(this, true);
  } else {
    PlatformHost()->WindowChanged(this);
  }
}

void TPopupWindow::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key != VK_ESCAPE) return;
  Key = 0;
  ClosePopup(true);
}

void TPopupWindow::ClosePopup(bool Cancelled) {
  if (!FOpen) return;
  // Popups opened from this one close first.
  auto& s = Stack();
  while (!s.empty() && s.back() != this) s.back()->ClosePopup(Cancelled);
  s.erase(std::remove(s.begin(), s.end(), this), s.end());
  FOpen = false;
  if (MouseCapture()) SetMouseCapture(false);
  PlatformHost()->ShowWindow(this, false);
  Closed(Cancelled);
}

const TClassInfo& TPopupWindow::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TPopupWindow>(&TCustomControl::ClassInfo());
  return info;
}

namespace popups {

const std::vector<TPopupWindow*>& Open() { return Stack(); }

TPopupWindow* Top() { return Stack().empty() ? nullptr : Stack().back(); }

TPopupWindow* AtScreen(TPoint P) {
  const auto& s = Stack();
  for (auto it = s.rbegin(); it != s.rend(); ++it)
    if ((*it)->BoundsRect().Contains(P)) return *it;
  return nullptr;
}

TRect WorkAreaFor(TControl* Owner, TPoint P) {
  if (!Owner) return Screen->Monitors(Screen->MonitorFromPoint(P)).WorkareaRect;
  const TPoint o = Owner->ClientToScreen(Point(0, 0));
  return Screen->Monitors(Screen->MonitorFromRect(Bounds(o.X, o.Y, Owner->Width(), Owner->Height()))).WorkareaRect;
}

void CancelAll() {
  auto& s = Stack();
  while (!s.empty()) {
    TPopupWindow* p = s.back();
    TControl* owner = p->PopupOwner();
    p->ClosePopup(true);
    if (owner) owner->Perform(WM_CANCELMODE);
  }
}

}  // namespace popups

}  // namespace jox
