// The hint window and the hint timing. Sections: [window] [timing]
#include "package/framework/controls/hintwindow.h"

#include <algorithm>
#include <cmath>

#include "package/framework/controls/application.h"
#include "package/framework/controls/forms.h"

namespace jox {

namespace {
constexpr Integer kPadX = 4, kPadY = 2;  // inside the frame
constexpr Integer kCursorHeight = 20;    // the hint opens below the pointer's arrow, not under it
constexpr Integer kFontSize = 8;

std::vector<String> Lines(const String& Text) {
  std::vector<String> lines(1);
  for (char16_t ch : Text) {
    if (ch == u'\n') lines.emplace_back();
    else if (ch != u'\r') lines.back() += ch;
  }
  return lines;
}

THintWindow*& WindowSlot() {
  static THintWindow* w = nullptr;
  return w;
}
}  // namespace

// [window] -------------------------------------------------------------------------------------------------
THintWindow::THintWindow(TComponent* AOwner) : TPopupWindow(AOwner) {
  SetColor(clInfoBk);
  Font()->SetColor(clInfoText);
  // Disabled: presses and the focus pass it by.
  SetEnabled(false);
  SetTabStop(false);
}

THintWindow::~THintWindow() {
  if (FActive) PlatformHost()->ShowWindow(this, false);
  if (WindowSlot() == this) WindowSlot() = nullptr;
}

TRect THintWindow::CalcHintRect(const String& Text) {
  Font()->SetSize(Integer(std::lround(kFontSize * Screen->Scale())));
  Integer w = 0, h = 0;
  for (const String& line : Lines(Text)) {
    w = std::max(w, Canvas()->TextWidth(line));
    h += Canvas()->TextHeight(line.empty() ? String(u" ") : line);
  }
  return Rect(0, 0, w + 2 * (kPadX + 1), h + 2 * (kPadY + 1));
}

void THintWindow::ActivateHint(Integer X, Integer Y, const String& Text) {
  const TRect r = CalcHintRect(Text);
  SetText(Text);
  SetBounds(X, Y, r.Width(), r.Height());
  Invalidate();
  if (FActive) {
    PlatformHost()->WindowChanged(this);
    return;
  }
  FActive = true;
  PlatformHost()->ShowWindow(this, true);
}

void THintWindow::ReleaseHint() {
  if (!FActive) return;
  FActive = false;
  PlatformHost()->ShowWindow(this, false);
}

void THintWindow::Paint() {
  TCanvas* c = Canvas();
  c->Brush()->SetColor(Color());
  c->Pen()->SetColor(clWindowFrame);
  c->Rectangle(0, 0, Width(), Height());
  c->Brush()->SetStyle(bsClear);
  Integer y = kPadY + 1;
  for (const String& line : Lines(Text())) {
    c->TextOut(kPadX + 1, y, line);
    y += c->TextHeight(line.empty() ? String(u" ") : line);
  }
}

// [timing] -------------------------------------------------------------------------------------------------
namespace hints {
namespace {

enum TPhase { phIdle, phWaiting, phShowing, phDone };

struct State {
  HWND timer = 0;
  TControl* control = nullptr;  // under the pointer, with a hint
  TPoint pos;
  TPhase phase = phIdle;
  uint64_t hiddenAt = 0;  // when a shown hint went because the pointer moved on
  bool recentlyShown = false;
};

State& S() {
  static State s;
  return s;
}

void StopTimer() {
  if (S().timer) KillTimer(S().timer, 1);
}

void OnTimer();

void StartTimer(Cardinal Ms) {
  State& s = S();
  if (!s.timer) s.timer = AllocateHWnd([](TMessage& m) {
    if (m.Msg == WM_TIMER) OnTimer();
  });
  SetTimer(s.timer, 1, std::max<Cardinal>(Ms, USER_TIMER_MINIMUM));
}

void Hide() {
  if (THintWindow* w = WindowSlot()) w->ReleaseHint();
}

// The control whose hint the pointer over Control asks for.
TControl* HintOwner(TControl* Control) {
  if (!Application->ShowHint()) return nullptr;
  for (TControl* c = Control; c; c = c->Parent())
    if (c->ShowHint() && !c->Hint().empty()) return c;
  return nullptr;
}

void Show() {
  State& s = S();
  TControl* c = s.control;
  const String text = GetShortHint(c->Hint());
  if (!Displayed(c) || text.empty()) {
    s.phase = phDone;
    return;
  }
  Application->SetHint(GetLongHint(c->Hint()));
  THintWindow*& w = WindowSlot();
  if (!w) w = new THintWindow(Application);
  const TRect size = w->CalcHintRect(text);
  const TRect area = popups::WorkAreaFor(c, s.pos);
  const Integer below = s.pos.Y + Integer(std::lround(kCursorHeight * Screen->Scale()));
  // Above the pointer when there is no room below it.
  const Integer y = below + size.Height() > area.Bottom ? s.pos.Y - size.Height() : below;
  const TRect r = FitInside(Bounds(s.pos.X, y, size.Width(), size.Height()), area);
  w->ActivateHint(r.Left, r.Top, text);
  s.phase = phShowing;
  s.recentlyShown = true;
  if (Application->HintHidePause() > 0) StartTimer(Application->HintHidePause());
}

void OnTimer() {
  State& s = S();
  StopTimer();
  if (s.phase == phWaiting && s.control) {
    Show();
  } else if (s.phase == phShowing) {
    Hide();
    s.phase = phDone;
    s.recentlyShown = false;
  }
}

}  // namespace

void MouseOver(TControl* Control, TPoint Pos) {
  State& s = S();
  THintWindow* w = WindowSlot();
  if (w && Control == w) return;  // the pointer crossing the hint changes nothing
  TControl* owner = HintOwner(Control);
  if (owner == s.control) {
    if (s.phase == phWaiting) s.pos = Pos;
    return;
  }
  const bool showing = w && w->Active();
  const uint64_t now = Application->Now();
  if (showing) s.hiddenAt = now;
  // Straight from one hint to the next (or over a gap briefly) the next one follows at once.
  const bool quick = showing || (s.recentlyShown && now - s.hiddenAt <= Application->HintPause());
  Hide();
  StopTimer();
  s.control = owner;
  s.pos = Pos;
  if (!owner) {
    s.phase = phIdle;
    return;
  }
  s.phase = phWaiting;
  StartTimer(quick ? Application->HintShortPause() : Application->HintPause());
}

void Cancel() {
  State& s = S();
  StopTimer();
  Hide();
  // The next move starts afresh, so a hint that changed with the click (a calendar's day) can show.
  s.control = nullptr;
  s.phase = phIdle;
  s.recentlyShown = false;
}

void ControlGone(const TControl* Control) {
  State& s = S();
  if (!s.control) return;
  for (const TControl* c = s.control; c; c = c->Parent()) {
    if (c != Control) continue;
    StopTimer();
    Hide();
    s.control = nullptr;
    s.phase = phIdle;
    return;
  }
}

TControl* HintControl() { return S().control; }

THintWindow* Window() { return WindowSlot(); }

void Reset() {
  StopTimer();
  Hide();
  const HWND timer = S().timer;
  S() = State();
  S().timer = timer;
}

}  // namespace hints

}  // namespace jox
