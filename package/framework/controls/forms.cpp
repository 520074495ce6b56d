// TCustomForm, TForm and TScreen. Sections: [form] [modal] [closing] [messages] [tables] [screen]
#include "package/framework/controls/forms.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "package/framework/controls/controls_internal.h"
#include "package/framework/controls/input.h"
#include "package/framework/controls/popups.h"

namespace jox {

namespace {
TCustomForm::TModalHook& ModalHookSlot() {
  static TCustomForm::TModalHook hook;
  return hook;
}
// Longest sleep of a modal loop between checks of its result (ms).
constexpr Cardinal kModalWait = 500;
}  // namespace

// [form] ---------------------------------------------------------------------------------------------------
TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
  SetControlStyle(ControlStyle() | csAcceptsControls);
  SetParentColor(false);
  SetColor(clBtnFace);
  SetParentFont(false);
  TControl::SetVisible(false);
  SetBounds(0, 0, 320, 240);
  HandleNeeded();
  Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
  if (!DestroyingCalled()) Destroying();
  Screen->RemoveForm(this);
  Application->ForgetForm(this);
}

void TCustomForm::SetActiveControl(TWinControl* c) {
  if (c && !ContainsControl(c)) throw EInvalidOperation(u"Invalid control for the form's active control");
  if (c && c->CanFocus()) c->SetFocus();
  else FocusControl(c);
}

void TCustomForm::FocusControl(TWinControl* c) {
  if (c && !ContainsControl(c)) return;
  auto* root = dynamic_cast<TWinControl*>(Root());
  if (!root) return;
  if (c) c->HandleNeeded();
  ControlAccess::ChangeFocus(root, c == this ? nullptr : c);
}

void TCustomForm::SetVisible(bool v) {
  if (v == Visible()) return;
  // A top-level form takes its size by the screen's scale and its place by Position before its window
  // opens there.
  if (v && !Parent()) {
    ApplyScale();
    ApplyPosition();
  }
  TWinControl::SetVisible(v);
  if (v) {
    Screen->FormShown(this);
    Invalidate();
  }
  if (!Parent()) PlatformHost()->ShowWindow(this, v);
  if (v) DoShow();
  else DoHide();
  // A form shown without a focus (or with one it cannot take) focuses its first tab stop, so the
  // keyboard works at once; OnShow may have chosen ActiveControl.
  if (v && !Parent() && Visible()) {
    TWinControl* active = ActiveControl();
    if (!active || !active->CanFocus())
      if (TWinControl* first = FindNextControl(nullptr, true, true, false)) first->SetFocus();
  }
}

namespace {
Integer ScaledBy(Integer v, double k) { return Integer(std::lround(v * k)); }

// Every control under Parent with its bounds and its font's height, each before its own controls.
struct TScaledControl {
  TControl* Control;
  TRect Bounds;
  Integer FontHeight;
};
void CollectTree(TWinControl* Parent, std::vector<TScaledControl>& Out) {
  for (Integer i = 0; i < Parent->ControlCount(); ++i) {
    TControl* c = Parent->Controls(i);
    Out.push_back({c, c->BoundsRect(), c->Font()->Height()});
    if (auto* w = dynamic_cast<TWinControl*>(c)) CollectTree(w, Out);
  }
}
}  // namespace

void TCustomForm::ApplyScale() {
  const double target = Screen->Scale();
  if (!FScaled || target == FLayoutScale) return;
  const double k = target / FLayoutScale;
  FLayoutScale = target;
  // Read before anything changes: a control may pass its font on to a part of its own.
  std::vector<TScaledControl> tree;
  CollectTree(this, tree);
  Font()->SetHeight(ScaledBy(Font()->Height(), k));
  SetClientWidth(ScaledBy(ClientWidth(), k));
  SetClientHeight(ScaledBy(ClientHeight(), k));
  // Parents before their controls: what anchors moved when a parent grew is put where it belongs.
  for (const TScaledControl& t : tree) {
    // A font of the control's own grows; a font taken from the parent follows the parent's.
    if (!t.Control->ParentFont()) t.Control->Font()->SetHeight(ScaledBy(t.FontHeight, k));
    const TRect& r = t.Bounds;
    t.Control->SetBounds(ScaledBy(r.Left, k), ScaledBy(r.Top, k), ScaledBy(r.Width(), k), ScaledBy(r.Height(), k));
    t.Control->ChangeScale(k);
  }
}

double ControlScale(const TControl* Control) {
  for (const TControl* c = Control; c;) {
    const TControl* root = c->Root();
    if (auto* form = dynamic_cast<const TCustomForm*>(root)) return form->LayoutScale();
    // A popup takes the scale of what opened it; a part made without a parent that of its owner.
    const auto* popup = dynamic_cast<const TPopupWindow*>(root);
    const TControl* next = popup && popup->PopupOwner() ? popup->PopupOwner() : dynamic_cast<const TControl*>(root->Owner());
    if (next == root) break;
    c = next;
  }
  return 1;
}

Integer ScaledMetric(double Scale, Integer Px) { return Scale == 1 ? Px : ScaledBy(Px, Scale); }
Integer ScaledMetric(const TControl* Control, Integer Px) { return ScaledMetric(ControlScale(Control), Px); }

void TCustomForm::Paint() {
  if (FOnPaint) FOnPaint(this);
}

void TCustomForm::DoShow() {
  if (FOnShow) FOnShow(this);
}

void TCustomForm::DoHide() {
  if (FOnHide) FOnHide(this);
}

// [modal] --------------------------------------------------------------------------------------------------
void TCustomForm::SetModalHook(TModalHook Hook) { ModalHookSlot() = std::move(Hook); }
const TCustomForm::TModalHook& TCustomForm::ModalHook() { return ModalHookSlot(); }

void TCustomForm::ApplyPosition() {
  if (Parent()) return;
  const TCustomForm* main = Application->MainForm();
  const TCustomForm* owner = dynamic_cast<const TCustomForm*>(Owner());
  switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter: CenterOn(nullptr); break;
    case poMainFormCenter: CenterOn(main != this ? main : nullptr); break;
    case poOwnerFormCenter: CenterOn(owner != this ? owner : nullptr); break;
    default: break;
  }
}

void TCustomForm::CenterOn(const TCustomForm* Around) {
  if (Parent()) return;
  const TCustomForm* active = Screen->ActiveForm();
  const TRect area = Around ? Around->BoundsRect()
                            : Screen->WorkAreaOf(active && active != this ? active : nullptr);
  TRect r = Bounds(area.Left + (area.Width() - Width()) / 2, area.Top + (area.Height() - Height()) / 2, Width(),
                   Height());
  r = FitInside(r, Screen->Monitors(Screen->MonitorFromRect(r)).WorkareaRect);
  SetBounds(r.Left, r.Top, Width(), Height());
}

TModalResult TCustomForm::ShowModal() {
  if (FModal || Visible()) throw EInvalidOperation(u"Cannot make a visible window modal");
  FModal = true;
  FModalResult = mrNone;
  // Popups of the form below close; the control holding the pointer lets it go and drops what the
  // press started (a held button, a drag), so the release after the dialog clicks nothing.
  popups::CancelAll();
  if (TControl* held = input::CaptureControl()) held->Perform(WM_CANCELMODE);
  input::SetCaptureControl(nullptr);
  ApplyPosition();
  Application->PushModal(this);
  struct Restore {
    TCustomForm* f;
    ~Restore() {
      Application->PopModal(f);
      f->FModal = false;
      try {
        f->SetVisible(false);
      } catch (...) {
        Application->HandleException(f);
      }
    }
  } restore{this};
  SetVisible(true);
  Update();
  // Copies: a hook may replace itself while it runs.
  if (TModalHook hook = ModalHookSlot()) hook(this);
  // The nested loop: messages, timers and the platform's events until a result is set and the close
  // handlers agree; a refused close keeps the dialog open. The headless host has no events to wait for,
  // so there the loop ends at once, and a refused result falls back to Cancel: nobody is left to answer.
  for (;;) {
    Application->ProcessMessages();
    if (Application->Terminated()) break;
    if (FModalResult != mrNone && CloseModal()) break;
    const uint64_t now = Application->Now(), due = Application->NextTimerDue();
    const Cardinal wait = due == UINT64_MAX ? kModalWait : Cardinal(std::min<uint64_t>(due > now ? due - now : 0, kModalWait));
    if (!PlatformHost()->WaitAndDispatch(wait)) break;
    if (FModalResult != mrNone && CloseModal()) break;
  }
  if (FModalResult == mrNone) FModalResult = mrCancel;
  return FModalResult;
}

bool TCustomForm::CloseModal() {
  TCloseAction action = caNone;
  if (CloseQuery()) {
    action = caHide;
    DoClose(action);
  }
  if (action == caNone) {
    FModalResult = mrNone;
    return false;
  }
  if (action == caFree) Release();
  return true;
}

// [closing] ------------------------------------------------------------------------------------------------
bool TCustomForm::CloseQuery() {
  bool can = true;
  if (FOnCloseQuery) FOnCloseQuery(this, can);
  return can;
}

void TCustomForm::DoClose(TCloseAction& Action) {
  if (FOnClose) FOnClose(this, Action);
}

void TCustomForm::Close() {
  if (FModal) {
    if (FModalResult == mrNone) FModalResult = mrCancel;  // the modal loop asks the close handlers
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (action == caMinimize) {
    SetWindowState(wsMinimized);  // the main form too: minimizing is what its handler asked for
    return;
  }
  Hide();
  // The main form ends the application instead of being freed: its creator owns it.
  if (Application->MainForm() == this) Application->Terminate();
  else if (action == caFree) Release();
}

void TCustomForm::SetWindowState(TWindowState v) {
  if (v == FWindowState) return;
  FWindowState = v;
  if (!Parent()) PlatformHost()->WindowChanged(this);
}

void TCustomForm::Release() { Application->ReleaseLater(this); }

// [messages] -----------------------------------------------------------------------------------------------
bool TCustomForm::OfferToControls(const TMessage& m) {
  std::vector<TControl*> all;
  std::function<void(TWinControl*)> collect = [&](TWinControl* w) {
    for (Integer i = 0; i < w->ControlCount(); ++i) {
      TControl* c = w->Controls(i);
      all.push_back(c);
      if (auto* cw = dynamic_cast<TWinControl*>(c)) collect(cw);
    }
  };
  collect(this);
  for (TControl* c : all)
    if (c->Showing() && c->Enabled() && c->Perform(m.Msg, m.WParam, m.LParam) != 0) return true;
  return false;
}

void TCustomForm::DefaultHandler(TMessage& m) {
  switch (m.Msg) {
    case CM_DIALOGKEY: {
      TShiftState shift = KeyDataToShiftState(m.LParam);
      if (m.WParam == VK_TAB && !(shift & ssCtrl)) {
        SelectNext(ActiveControl(), !(shift & ssShift), true);
        m.Result = 1;
      } else if (m.WParam == VK_RETURN || m.WParam == VK_ESCAPE) {
        // Enter and Escape go to the controls that take them (the default and cancel buttons).
        m.Result = OfferToControls(m) ? 1 : 0;
      }
      break;
    }
    case CM_DIALOGCHAR:
      // A mnemonic goes to the control whose caption has it (a label's FocusControl, a button).
      m.Result = OfferToControls(m) ? 1 : 0;
      break;
    case WM_NEXTDLGCTL:
      // LParam != 0: WParam is the handle of the control to focus; otherwise 0 next, else previous.
      if (m.LParam != 0) {
        std::vector<TWinControl*> list;
        GetTabOrderList(list);
        for (TWinControl* c : list)
          if (c->HandleAllocated() && c->Handle() == HWND(m.WParam) && c->CanFocus()) c->SetFocus();
      } else {
        SelectNext(ActiveControl(), m.WParam == 0, true);
      }
      break;
    case WM_CLOSE:
      Close();
      break;
    default:
      TWinControl::DefaultHandler(m);
  }
}

TForm::TForm(TComponent* AOwner) : TCustomForm(AOwner) {}

// [tables] -------------------------------------------------------------------------------------------------
const TClassInfo& TCustomForm::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TCustomForm>(&TWinControl::ClassInfo())
      .Prop("Caption", &TCustomForm::Caption, &TCustomForm::SetCaption, String())
      .Prop("Color", &TCustomForm::Color, &TCustomForm::SetColor, clBtnFace)
      .Prop("Visible", &TCustomForm::Visible, &TCustomForm::SetVisible, false)
      .Prop("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth)
      .Prop("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight)
      .Prop("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle, bsSizeable)
      .Prop("Position", &TCustomForm::Position, &TCustomForm::SetPosition, poDesigned)
      .Prop("WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState, wsNormal)
      .Prop("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview, false)
      .Prop("Scaled", &TCustomForm::Scaled, &TCustomForm::SetScaled, true)
      .Publish(ControlProperties(), pgBounds)
      .Publish(ControlProperties(), pgFont)
      .Publish(ControlProperties(), pgHint)
      .Publish(ControlProperties(), {"Enabled", "PopupMenu"})
      .Publish(ControlProperties(), pgMouseEvents)
      .Publish(ControlProperties(), {"OnKeyDown", "OnKeyPress", "OnKeyUp", "OnResize"})
      .Event("OnShow").Event("OnHide").Event("OnPaint").Event("OnClose").Event("OnCloseQuery");
  return info;
}

const TClassInfo& TForm::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TForm>(&TCustomForm::ClassInfo());
  return info;
}

// [screen] -------------------------------------------------------------------------------------------------
// Never freed, like Application.
TScreen* Screen = new TScreen(nullptr);

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {
  // An override for every host, headless pictures included.
  if (const char* v = std::getenv("JOX_SCALE"))
    if (const double k = ScaleFromText(v); k > 0) SetScale(k);
}

void TScreen::SetCursor(TCursor v) {
  if (v == FCursor) return;
  FCursor = v;
  PlatformHost()->SetCursor(v);
}

TRect FitInside(const TRect& R, const TRect& Area) {
  Integer l = R.Left, t = R.Top;
  if (l + R.Width() > Area.Right) l = Area.Right - R.Width();
  if (t + R.Height() > Area.Bottom) t = Area.Bottom - R.Height();
  l = std::max(l, Area.Left);
  t = std::max(t, Area.Top);
  return Bounds(l, t, R.Width(), R.Height());
}

void TScreen::SetSize(Integer w, Integer h) { SetMonitors({{Rect(0, 0, w, h), Rect(0, 0, w, h)}}); }

void TScreen::SetMonitors(std::vector<TMonitorInfo> List) {
  if (List.empty()) List.push_back({Rect(0, 0, FWidth, FHeight), Rect(0, 0, FWidth, FHeight)});
  FMonitors = std::move(List);
  FWidth = FMonitors[0].BoundsRect.Width();
  FHeight = FMonitors[0].BoundsRect.Height();
}

const TMonitorInfo& TScreen::Monitors(Integer i) const {
  return FMonitors[size_t(std::clamp(i, 0, MonitorCount() - 1))];
}

Integer TScreen::MonitorFromRect(const TRect& R) const {
  Integer best = 0;
  int64_t bestArea = -1, bestDist = INT64_MAX;
  for (Integer i = 0; i < MonitorCount(); ++i) {
    const TRect& m = FMonitors[size_t(i)].BoundsRect;
    const int64_t w = std::min(R.Right, m.Right) - std::max(R.Left, m.Left),
                  h = std::min(R.Bottom, m.Bottom) - std::max(R.Top, m.Top);
    if (w > 0 && h > 0) {
      if (w * h > bestArea) { bestArea = w * h; best = i; }
      continue;
    }
    if (bestArea >= 0) continue;
    // No overlap: the monitor nearest to the rectangle's centre.
    const int64_t cx = (int64_t(R.Left) + R.Right) / 2, cy = (int64_t(R.Top) + R.Bottom) / 2;
    const int64_t dx = cx < m.Left ? m.Left - cx : cx >= m.Right ? cx - m.Right + 1 : 0;
    const int64_t dy = cy < m.Top ? m.Top - cy : cy >= m.Bottom ? cy - m.Bottom + 1 : 0;
    if (dx * dx + dy * dy < bestDist) { bestDist = dx * dx + dy * dy; best = i; }
  }
  return best;
}

TRect TScreen::WorkAreaOf(const TControl* Control) const {
  if (!Control) return Monitors(0).WorkareaRect;
  const TControl* root = Control->Root();
  return Monitors(MonitorFromRect(root->BoundsRect())).WorkareaRect;
}

double TScreen::ScaleFromText(std::string_view Text) {
  while (!Text.empty() && (Text.front() == ' ' || Text.front() == '\t')) Text.remove_prefix(1);
  while (!Text.empty() && (Text.back() == ' ' || Text.back() == '\t')) Text.remove_suffix(1);
  double v = 0;
  const auto [end, ec] = std::from_chars(Text.data(), Text.data() + Text.size(), v, std::chars_format::fixed);
  if (ec != std::errc() || end != Text.data() + Text.size() || !std::isfinite(v) || v <= 0) return 0;
  return v;
}

void TScreen::SetScale(double v) { FScale = v >= 1 ? std::min(v, 4.0) : 1.0; }

TCustomForm* TScreen::Forms(Integer i) const {
  return i >= 0 && i < FormCount() ? FForms[size_t(i)] : nullptr;
}

TCustomForm* TScreen::ActiveForm() const {
  for (auto it = FForms.rbegin(); it != FForms.rend(); ++it)
    if ((*it)->Visible()) return *it;
  return nullptr;
}

TWinControl* TScreen::ActiveControl() const {
  TCustomForm* f = ActiveForm();
  return f ? f->ActiveControl() : nullptr;
}

void TScreen::AddForm(TCustomForm* f) {
  if (std::find(FForms.begin(), FForms.end(), f) == FForms.end()) FForms.push_back(f);
}

void TScreen::RemoveForm(TCustomForm* f) { FForms.erase(std::remove(FForms.begin(), FForms.end(), f), FForms.end()); }

void TScreen::FormShown(TCustomForm* f) {
  RemoveForm(f);
  FForms.push_back(f);
}

}  // namespace jox
