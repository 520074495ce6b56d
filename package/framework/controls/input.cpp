// Synthetic input: hit-testing, capture, hover, double clicks, focus by click, key routing.
// Sections: [state] [hit-testing] [mouse] [keys] [characters]
#include "package/framework/controls/input.h"

#include <algorithm>
#include <cstdlib>
#include <set>

#include "package/framework/controls/forms.h"
#include "package/framework/controls/hintwindow.h"
#include "package/framework/controls/keyaccess.h"
#include "package/framework/controls/keyproxy.h"
#include "package/framework/controls/popups.h"

namespace jox::input {

// [state] --------------------------------------------------------------------------------------------------
namespace {

struct State {
  TControl* capture = nullptr;
  TControl* hover = nullptr;
  TPoint pos;
  Word buttons = 0;  // ssLeft | ssRight | ssMiddle
  std::set<Integer> keys;
  // The last press, for double clicks.
  TControl* lastRoot = nullptr;
  TPoint lastPos;
  uint64_t lastTime = 0;
  TMouseButton lastButton = mbLeft;
  bool lastWasDouble = false;
  bool havePress = false;
  // A control being sent a message that may destroy it.
  TControl* watched = nullptr;
  bool watchedDied = false;
};

State& S() {
  static State s;
  return s;
}

constexpr Integer kDoubleClickHalf = 2;  // a 4 x 4 pixel box around the first press

Word ButtonBit(TMouseButton b) { return b == mbLeft ? ssLeft : b == mbRight ? ssRight : ssMiddle; }

TShiftState FullShift(TShiftState shift) {
  Word bits = Word(shift.bits | S().buttons);
  if (S().keys.count(VK_SHIFT)) bits |= ssShift;
  if (S().keys.count(VK_CONTROL)) bits |= ssCtrl;
  if (S().keys.count(VK_MENU)) bits |= ssAlt;
  return TShiftState(Word(bits & ~ssDouble));
}

TPoint ToRoot(TControl* c, Integer x, Integer y) {
  TPoint o = c->OriginInRoot();
  return {o.X + x, o.Y + y};
}

intptr_t ClientLParam(TControl* c, TPoint rootPt) {
  TPoint o = c->OriginInRoot();
  return PointToLParam({rootPt.X - o.X, rootPt.Y - o.Y});
}

// Sends a message and tells whether the control survived it; Result gets the message's result.
bool SendWatched(TControl* c, Cardinal msg, intptr_t w, intptr_t l, intptr_t* Result = nullptr) {
  State& s = S();
  TControl* saved = s.watched;
  bool savedDied = s.watchedDied;
  s.watched = c;
  s.watchedDied = false;
  const intptr_t r = c->Perform(msg, w, l);
  if (Result) *Result = r;
  bool alive = !s.watchedDied;
  s.watched = saved;
  s.watchedDied = savedDied || (saved == c && !alive);
  return alive;
}

void SetHover(TControl* hit) {
  State& s = S();
  if (hit == s.hover) return;
  TControl* old = s.hover;
  s.hover = hit;
  if (old) old->Perform(CM_MOUSELEAVE);
  if (hit && s.hover == hit) {
    hit->Perform(CM_MOUSEENTER);
    if (Application && s.hover == hit) Application->SetHint(GetLongHint(hit->Hint()));
  }
}

}  // namespace

int16_t GetKeyState(Integer VirtKey) {
  State& s = S();
  bool down = s.keys.count(VirtKey) != 0;
  if (VirtKey == VK_LBUTTON) down = s.buttons & ssLeft;
  if (VirtKey == VK_RBUTTON) down = s.buttons & ssRight;
  if (VirtKey == VK_MBUTTON) down = s.buttons & ssMiddle;
  return down ? int16_t(-32768) : int16_t(0);
}

TControl* CaptureControl() { return S().capture; }
void SetCaptureControl(TControl* Control) { S().capture = Control; }
TControl* MouseControl() { return S().hover; }
TPoint MousePos() { return S().pos; }

void Reset() {
  hints::Reset();
  TControl* watched = S().watched;
  S() = State();
  S().watched = watched;
}

void Forget(TControl* Control) {
  State& s = S();
  if (s.capture == Control) s.capture = nullptr;
  if (s.hover == Control) s.hover = nullptr;
  if (s.lastRoot == Control) {
    s.lastRoot = nullptr;
    s.havePress = false;
  }
  if (s.watched == Control) s.watchedDied = true;
}

// [hit-testing] --------------------------------------------------------------------------------------------
namespace {

TControl* HitFromRoot(TControl* root, TPoint p) {
  if (!root->Enabled() || !Rect(0, 0, root->Width(), root->Height()).Contains(p)) return nullptr;
  TControl* c = root;
  TPoint local = p;  // relative to c's top-left corner
  for (;;) {
    auto* w = dynamic_cast<TWinControl*>(c);
    if (!w) return c;
    // The frame and scroll bars belong to the control; children lie in its client area.
    const TRect client = w->ClientBounds();
    if (!client.Contains(local)) return c;
    local = {local.X - client.Left, local.Y - client.Top};
    TControl* child = w->ControlAtPos(local, false, true);
    if (!child) return c;
    local = {local.X - child->Left(), local.Y - child->Top()};
    c = child;
  }
}

// While a modal form runs, other forms take no input (the popups stay usable).
bool Blocked(TControl* root) {
  TCustomForm* modal = Application->ModalForm();
  if (!modal || root == modal || dynamic_cast<TPopupWindow*>(root)) return false;
  return root != modal->Root();
}

// Open popups take the mouse: a point (root coordinates of root) over one moves to that popup; over
// none, the press closes them all. Returns false when the event ends there.
bool RoutePopup(TControl*& root, TPoint& p, bool press) {
  const TPoint screen{p.X + root->Left(), p.Y + root->Top()};
  if (!press && S().capture) {
    // The capture keeps the mouse wherever it is, in coordinates of its own surface.
    TControl* croot = S().capture->Root();
    if (croot != root) {
      p = {screen.X - croot->Left(), screen.Y - croot->Top()};
      root = croot;
    }
    return true;
  }
  if (popups::Open().empty()) return true;
  if (TPopupWindow* pop = popups::AtScreen(screen)) {
    root = pop;
    p = {screen.X - pop->Left(), screen.Y - pop->Top()};
    return true;
  }
  if (!press) return false;  // moves and releases outside every popup go nowhere
  popups::CancelAll();
  return false;
}

}  // namespace

TControl* HitTest(TControl* Control, TPoint Pt) {
  TControl* root = Control->Root();
  return HitFromRoot(root, ToRoot(Control, Pt.X, Pt.Y));
}

// [mouse] --------------------------------------------------------------------------------------------------
namespace {
// Where a pointer event at (X, Y) of Control lands: the root it goes to (an open popup takes it) and the
// point in that root, which becomes the pointer position. False when that root takes no input now.
bool Locate(TControl* Control, Integer X, Integer Y, bool Press, TControl*& Root, TPoint& P) {
  Root = Control->Root();
  P = ToRoot(Control, X, Y);
  if (!RoutePopup(Root, P, Press) || Blocked(Root)) return false;
  S().pos = P;
  return true;
}
}  // namespace

void MouseMove(TControl* Control, Integer X, Integer Y, TShiftState Shift) {
  State& s = S();
  // A hint under the pointer lets it through to what lies below, as if it were not there.
  if (hints::Window() && Control->Root() == hints::Window()) return;
  TControl* root;
  TPoint p;
  if (!Locate(Control, X, Y, false, root, p)) return;
  TControl* hit = HitFromRoot(root, p);
  SetHover(hit);
  if (s.buttons) hints::Cancel();
  else hints::MouseOver(hit, Point(p.X + root->Left(), p.Y + root->Top()));
  TControl* target = s.capture ? s.capture : hit;
  if (target) target->Perform(WM_MOUSEMOVE, FullShift(Shift).bits, ClientLParam(target, p));
}

void MouseDown(TControl* Control, Integer X, Integer Y, TMouseButton Button, TShiftState Shift) {
  State& s = S();
  hints::Cancel();
  TControl* root;
  TPoint p;
  if (!Locate(Control, X, Y, true, root, p)) return;
  TControl* hit = HitFromRoot(root, p);
  SetHover(hit);
  TControl* target = s.capture ? s.capture : hit;
  if (!target) return;

  const uint64_t now = Application->Now();
  const bool isDouble = s.havePress && !s.lastWasDouble && s.lastRoot == root && s.lastButton == Button &&
                        now - s.lastTime <= Application->DoubleClickTime() &&
                        std::abs(p.X - s.lastPos.X) <= kDoubleClickHalf &&
                        std::abs(p.Y - s.lastPos.Y) <= kDoubleClickHalf;
  s.havePress = true;
  s.lastWasDouble = isDouble;
  s.lastRoot = root;
  s.lastPos = p;
  s.lastTime = now;
  s.lastButton = Button;
  s.buttons |= ButtonBit(Button);

  // A press focuses the windowed control it lands on (or the stand-in of a graphic one with keys).
  TWinControl* focusable = dynamic_cast<TWinControl*>(target);
  if (auto* g = dynamic_cast<TGraphicControl*>(target)) focusable = g->KeyProxy();
  if (auto* w = focusable; w && !dynamic_cast<TCustomForm*>(w)) {
    if (!w->Focused() && w->CanFocus()) {
      s.watched = target;
      s.watchedDied = false;
      w->SetFocus();
      bool died = s.watchedDied;
      s.watched = nullptr;
      if (died) return;
    }
  }
  if (!s.capture && (target->ControlStyle() & csCaptureMouse)) s.capture = target;

  Cardinal msg;
  switch (Button) {
    case mbLeft: msg = isDouble ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN; break;
    case mbRight: msg = isDouble ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN; break;
    default: msg = isDouble ? WM_MBUTTONDBLCLK : WM_MBUTTONDOWN; break;
  }
  SendWatched(target, msg, FullShift(Shift).bits, ClientLParam(target, p));
}

void MouseUp(TControl* Control, Integer X, Integer Y, TMouseButton Button, TShiftState Shift) {
  State& s = S();
  TControl* root;
  TPoint p;
  const bool located = Locate(Control, X, Y, false, root, p);
  TControl* target = located ? (s.capture ? s.capture : HitFromRoot(root, p)) : nullptr;
  // A release ends the capture even where it is refused.
  s.buttons &= Word(~ButtonBit(Button));
  if (s.buttons == 0) s.capture = nullptr;
  if (!located) return;
  if (target) {
    Cardinal msg = Button == mbLeft ? WM_LBUTTONUP : Button == mbRight ? WM_RBUTTONUP : WM_MBUTTONUP;
    bool alive = SendWatched(target, msg, FullShift(Shift).bits, ClientLParam(target, p));
    if (alive && Button == mbRight) {
      TPoint o = target->OriginInRoot();
      TPoint screen = target->ClientToScreen({p.X - o.X, p.Y - o.Y});
      HWND h = 0;
      if (auto* w = dynamic_cast<TWinControl*>(target)) h = w->HandleAllocated() ? w->Handle() : 0;
      SendWatched(target, WM_CONTEXTMENU, intptr_t(h), PointToLParam(screen));
    }
  }
  // The pointer may now be over another control (capture kept the hover where it was).
  if (Control->Root() == root) SetHover(HitFromRoot(root, p));
}

void Click(TControl* Control, Integer X, Integer Y, TMouseButton Button, TShiftState Shift) {
  MouseMove(Control, X, Y, Shift);
  MouseDown(Control, X, Y, Button, Shift);
  MouseUp(Control, X, Y, Button, Shift);
}

void DoubleClick(TControl* Control, Integer X, Integer Y, TShiftState Shift) {
  S().havePress = false;  // the first of the two presses starts afresh
  Click(Control, X, Y, mbLeft, Shift);
  Click(Control, X, Y, mbLeft, Shift);
}

void Drag(TControl* Control, Integer X1, Integer Y1, Integer X2, Integer Y2, Integer Steps, TMouseButton Button,
          TShiftState Shift) {
  TControl* root = Control->Root();
  TPoint o = Control->OriginInRoot();
  MouseMove(root, o.X + X1, o.Y + Y1, Shift);
  MouseDown(root, o.X + X1, o.Y + Y1, Button, Shift);
  Steps = std::max(Steps, 1);
  for (Integer i = 1; i <= Steps; ++i)
    MouseMove(root, o.X + X1 + (X2 - X1) * i / Steps, o.Y + Y1 + (Y2 - Y1) * i / Steps, Shift);
  MouseUp(root, o.X + X2, o.Y + Y2, Button, Shift);
}

namespace {
void SendWheel(Cardinal Msg, TControl* Control, Integer X, Integer Y, Integer Delta, TShiftState Shift) {
  hints::Cancel();
  TControl* root = Control->Root();
  TPoint p = ToRoot(Control, X, Y);
  if (!popups::Open().empty()) {
    // The wheel turns a popup under the pointer, nothing else.
    const TPoint screen{p.X + root->Left(), p.Y + root->Top()};
    TPopupWindow* pop = popups::AtScreen(screen);
    if (!pop) return;
    root = pop;
    p = {screen.X - pop->Left(), screen.Y - pop->Top()};
  }
  if (Blocked(root)) return;
  TControl* c = HitFromRoot(root, p);
  TPoint screen = root->ClientToScreen(p);
  const intptr_t w = intptr_t((uintptr_t(uint16_t(int16_t(Delta))) << 16) | FullShift(Shift).bits);
  while (c) {
    TWinControl* parent = c->Parent();
    if (c->Perform(Msg, w, PointToLParam(screen)) != 0) return;
    c = parent;
  }
}
}  // namespace

void MouseWheel(TControl* Control, Integer X, Integer Y, Integer Delta, TShiftState Shift) {
  SendWheel(WM_MOUSEWHEEL, Control, X, Y, Delta, Shift);
}

void MouseHWheel(TControl* Control, Integer X, Integer Y, Integer Delta, TShiftState Shift) {
  SendWheel(WM_MOUSEHWHEEL, Control, X, Y, Delta, Shift);
}

void MouseExit(TControl* Root) {
  if (!S().hover || S().hover->Root() != Root->Root()) return;
  SetHover(nullptr);
  hints::MouseOver(nullptr, S().pos);
}

// [keys] ---------------------------------------------------------------------------------------------------
namespace {

// Where keys for Control go: the control itself when it can take the focus (it is focused first),
// else the root's focused control, else the nearest windowed control.
TWinControl* KeyTarget(TControl* Control) {
  // The topmost popup takes the keys while it is open; a blocked form none.
  if (TPopupWindow* pop = popups::Top()) return pop;
  if (auto* g = dynamic_cast<TGraphicControl*>(Control); g && g->KeyProxy()) Control = g->KeyProxy();
  if (Blocked(Control->Root())) return nullptr;
  auto* w = dynamic_cast<TWinControl*>(Control);
  if (w && !dynamic_cast<TCustomForm*>(w) && w->Parent()) {
    if (!w->Focused() && w->CanFocus()) w->SetFocus();
    if (w->Focused()) return w;
  }
  if (w && !w->Parent()) {
    if (TWinControl* f = w->FocusedControl()) return f;
    return w;
  }
  if (auto* start = w ? w : Control->Parent())
    if (TWinControl* f = start->FocusedControl()) return f;
  if (w) return w;
  return Control->Parent();
}

// True when the key was taken by dialog navigation: Tab unless the control keeps it (DLGC_WANTTAB),
// Enter and Escape unless it keeps them (DLGC_WANTALLKEYS; Enter alone for DLGC_WANTRETURN).
bool DialogKey(TWinControl* target, Word key, TShiftState shift) {
  if (key != VK_TAB && key != VK_RETURN && key != VK_ESCAPE) return false;
  if (dynamic_cast<TPopupWindow*>(target)) return false;
  const intptr_t code = target->Perform(WM_GETDLGCODE);
  if (key == VK_TAB && (code & DLGC_WANTTAB)) return false;
  if (key != VK_TAB && (code & DLGC_WANTALLKEYS)) return false;
  if (key == VK_RETURN && (code & DLGC_WANTRETURN)) return false;
  TCustomForm* form = GetParentForm(target);
  return form && form->Perform(CM_DIALOGKEY, key, shift.bits) != 0;
}

bool IsContextKey(Word key, TShiftState shift) {
  constexpr Word kMods = Word(ssShift) | Word(ssCtrl) | Word(ssAlt);
  const Word mods = shift.bits & kMods;
  return (key == VK_APPS && !(mods & (Word(ssCtrl) | Word(ssAlt)))) || (key == VK_F10 && mods == Word(ssShift));
}

}  // namespace

bool KeyDown(TControl* Control, Word Key, TShiftState Shift) {
  S().keys.insert(Key);
  hints::Cancel();
  TWinControl* target = KeyTarget(Control);
  if (!target) return true;
  TShiftState shift = FullShift(Shift);
  if (DialogKey(target, Key, shift)) return true;
  const bool inPopup = dynamic_cast<TPopupWindow*>(target) != nullptr;
  // Menu shortcuts come before the control, as the platform's menus take them first.
  if (!inPopup && keyaccess::MenuShortCut(target, Key, shift)) return true;
  intptr_t result = 0;
  const bool alive = SendWatched(target, WM_KEYDOWN, Key, shift.bits, &result);
  // A key the control consumed still makes its character, as on the platform.
  if (!alive || inPopup || result != 0) return false;
  // What the control left: the context-menu key opens its menu, Alt+character a mnemonic.
  if (IsContextKey(Key, shift)) {
    keyaccess::ContextMenuFromKeyboard(target);
    return true;
  }
  if ((shift & ssAlt) && !(shift & ssCtrl))
    if (char16_t ch = KeyToChar(Key, (shift & ssShift) ? TShiftState(ssShift) : TShiftState()); ch > 32)
      return keyaccess::DialogChar(target, ch);
  return false;
}

void KeyUp(TControl* Control, Word Key, TShiftState Shift) {
  S().keys.erase(Key);
  TWinControl* target = KeyTarget(Control);
  if (target) target->Perform(WM_KEYUP, Key, FullShift(Shift).bits);
}

void Char(TControl* Control, char16_t Ch, TShiftState Shift) {
  TWinControl* target = KeyTarget(Control);
  if (target) target->Perform(WM_CHAR, Ch, FullShift(Shift).bits);
}

void Compose(TControl* Control, const String& Text) {
  if (TWinControl* target = KeyTarget(Control)) target->Perform(CM_COMPOSITION, 0, intptr_t(&Text));
}

void KeyPress(TControl* Control, Word Key, TShiftState Shift) {
  // The character goes where the key went: a popup the key closed takes it with it.
  TPopupWindow* pop = popups::Top();
  const bool taken = KeyDown(Control, Key, Shift);
  if (char16_t ch = KeyToChar(Key, FullShift(Shift)); ch && !taken) {
    if (!pop) Char(Control, ch, Shift);
    else if (pop->IsOpen()) pop->Perform(WM_CHAR, ch, FullShift(Shift).bits);
  }
  KeyUp(Control, Key, Shift);
}

// [characters] ---------------------------------------------------------------------------------------------
namespace {

struct KeyChar {
  Word key;
  char16_t plain, shifted;
};
// Main keyboard before the keypad, so typed text uses the main keys.
constexpr KeyChar kKeyChars[] = {
    {VK_SPACE, u' ', u' '},      {VK_BACK, 8, 8},           {VK_TAB, 9, 9},
    {VK_RETURN, 13, 13},         {VK_ESCAPE, 27, 27},       {VK_OEM_PLUS, u'=', u'+'},
    {VK_OEM_COMMA, u',', u'<'},  {VK_OEM_MINUS, u'-', u'_'}, {VK_OEM_PERIOD, u'.', u'>'},
    {186, u';', u':'},           {191, u'/', u'?'},         {192, u'`', u'~'},
    {219, u'[', u'{'},           {220, u'\\', u'|'},        {221, u']', u'}'},
    {222, u'\'', u'"'},          {VK_MULTIPLY, u'*', u'*'}, {VK_ADD, u'+', u'+'},
    {VK_SUBTRACT, u'-', u'-'},   {VK_DECIMAL, u'.', u'.'},  {VK_DIVIDE, u'/', u'/'},
};
constexpr char16_t kShiftedDigits[] = u")!@#$%^&*(";

}  // namespace

char16_t KeyToChar(Word Key, TShiftState Shift) {
  const bool shift = Shift & ssShift;
  if (Shift & ssAlt) return 0;
  // Ctrl+Backspace types DEL, which text controls read as "delete the word before the caret".
  if (Shift & ssCtrl) return Key >= 'A' && Key <= 'Z' ? char16_t(Key - 'A' + 1) : Key == VK_BACK ? 127 : 0;
  if (Key >= 'A' && Key <= 'Z') return shift ? char16_t(Key) : char16_t(Key - 'A' + 'a');
  if (Key >= '0' && Key <= '9') return shift ? kShiftedDigits[Key - '0'] : char16_t(Key);
  if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD0 + 9) return char16_t(u'0' + (Key - VK_NUMPAD0));
  for (const KeyChar& k : kKeyChars)
    if (k.key == Key) return shift ? k.shifted : k.plain;
  return 0;
}

void TypeText(TControl* Control, const String& Text) {
  for (char16_t ch : Text) {
    // The key that makes the character on a US layout, when there is one.
    Word key = 0;
    TShiftState shift;
    if (ch >= u'a' && ch <= u'z') key = Word(ch - u'a' + 'A');
    else if (ch >= u'A' && ch <= u'Z') { key = Word(ch); shift = ssShift; }
    else if (ch >= u'0' && ch <= u'9') key = Word(ch);
    else {
      for (const KeyChar& k : kKeyChars)
        if (k.plain == ch) { key = k.key; break; }
      for (const KeyChar& k : kKeyChars)
        if (!key && k.shifted == ch) { key = k.key; shift = ssShift; }
      for (int d = 0; !key && d < 10; ++d)
        if (kShiftedDigits[d] == ch) { key = Word('0' + d); shift = ssShift; }
    }
    bool taken = key ? KeyDown(Control, key, shift) : false;
    if (!taken) Char(Control, ch, shift);
    if (key) KeyUp(Control, key, shift);
  }
}

}  // namespace jox::input
