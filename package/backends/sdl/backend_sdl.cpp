// SDL2 window backend: the platform host. Sections: [setup] [sound] [keys] [window] [host] [events] [loop]
#include "package/backends/sdl/backend_sdl.h"
#include "package/backends/sdl/access_atk.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "package/framework/controls/clipbrd.h"
#include "package/framework/controls/controls_internal.h"
#include "package/framework/controls/input.h"
#include "package/framework/controls/popups.h"

namespace jox::sdl {

namespace {

std::string gError;
bool gVideo = false;
Uint32 gWakeEvent = 0;  // a user event: Queue, Synchronize and Terminate wake the loop with it
uint64_t gPresents = 0;
bool gKeyTaken = false;  // the last key down was taken by a shortcut, a mnemonic or navigation
String gComposition;     // what an input method is composing now
std::vector<TWindow*> gWindows;
std::map<TControl*, std::unique_ptr<TWindow>> gOwned;  // windows opened for shown forms and popups
std::map<SDL_SystemCursor, SDL_Cursor*> gCursors;
TCursor gCursorShown = crDefault;

SDL_Window* Win(void* p) { return static_cast<SDL_Window*>(p); }
SDL_Renderer* Ren(void* p) { return static_cast<SDL_Renderer*>(p); }
SDL_Texture* Tex(void* p) { return static_cast<SDL_Texture*>(p); }

// Clears a window's root pointer when the root is deleted first.
class TRootWatch : public TComponent {
 public:
  explicit TRootWatch(TControl** slot) : TComponent(nullptr), FSlot(slot) { (*slot)->FreeNotification(this); }
  ~TRootWatch() override {
    if (*FSlot) (*FSlot)->RemoveFreeNotification(this);
  }

 protected:
  void Notification(TComponent* c, TOperation op) override {
    if (op == opRemove && c == *FSlot) {
      *FSlot = nullptr;
      gOwned.erase(static_cast<TControl*>(c));  // may delete the window holding this watch: last step
      return;
    }
    TComponent::Notification(c, op);
  }

 private:
  TControl** FSlot;
};

std::map<TWindow*, std::unique_ptr<TRootWatch>> gWatches;

// Clears *Slot when the control it points to is freed.
class TFreeWatch : public TComponent {
 public:
  explicit TFreeWatch(TControl** Slot) : TComponent(nullptr), FSlot(Slot) { (*Slot)->FreeNotification(this); }
  ~TFreeWatch() override {
    if (*FSlot) (*FSlot)->RemoveFreeNotification(this);
  }

 protected:
  void Notification(TComponent* c, TOperation op) override {
    if (op == opRemove && c == *FSlot) *FSlot = nullptr;
    TComponent::Notification(c, op);
  }

 private:
  TControl** FSlot;
};

// Screen coordinates of the framework less those of the host: where JOX_MONITORS lists the monitors, the
// host screen's top-left is the top-left of all of them, so a monitor left of the primary (negative
// coordinates) is the left part of one wide test screen.
TPoint gOrigin{0, 0};
TPoint FromHost(int X, int Y) { return {X + gOrigin.X, Y + gOrigin.Y}; }
int HostX(Integer X) { return X - gOrigin.X; }
int HostY(Integer Y) { return Y - gOrigin.Y; }

TWindow* FindWindow(const TControl* root) {
  for (TWindow* w : gWindows)
    if (w->Root() == root) return w;
  return nullptr;
}

}  // namespace

// [setup] --------------------------------------------------------------------------------------------------
bool Init() {
  if (gVideo) return true;
  // A press that gives a window the focus is a click like any other; SDL would drop one that comes
  // within a few milliseconds of the focus, as when a closing form hands the keyboard back.
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  // The software renderer presents through the system's own frame buffer. Left to itself SDL puts an
  // OpenGL texture behind it, and to get one destroys each new window right after showing it and opens
  // another: a close request sent to the first is lost, and every window loads the GL driver.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    gError = SDL_GetError();
    return false;
  }
  gVideo = true;
  GuardXErrors();
  gWakeEvent = SDL_RegisterEvents(1);
  ReadMonitors();
  // The desktop's scale unless JOX_SCALE, which Screen read itself, overrides it.
  const char* own = std::getenv("JOX_SCALE");
  if (Screen && !(own && TScreen::ScaleFromText(own) > 0))
    if (const double k = DesktopScale(); k > 0) Screen->SetScale(k);
  return true;
}

void ReadMonitors() {
  if (!gVideo || !Screen) return;
  std::vector<TMonitorInfo> list;
  if (const char* v = std::getenv("JOX_MONITORS"); v && *v) {
    if (MonitorsFromText(v, list)) {
      gOrigin = list[0].BoundsRect.TopLeft();
      for (const TMonitorInfo& m : list)
        gOrigin = {std::min(gOrigin.X, m.BoundsRect.Left), std::min(gOrigin.Y, m.BoundsRect.Top)};
      Screen->SetMonitors(std::move(list));
      return;
    }
    std::fprintf(stderr, "JOX_MONITORS ignored, it is no list of X,Y,W,H[,WX,WY,WW,WH]: %s\n", v);
  }
  gOrigin = {0, 0};
  for (int i = 0; i < SDL_GetNumVideoDisplays(); ++i) {
    SDL_Rect b, u;
    if (SDL_GetDisplayBounds(i, &b) != 0) continue;
    if (SDL_GetDisplayUsableBounds(i, &u) != 0) u = b;
    list.push_back({Bounds(b.x, b.y, b.w, b.h), Bounds(u.x, u.y, u.w, u.h)});
  }
  Screen->SetMonitors(std::move(list));
}

const std::string& Error() { return gError; }

uint64_t PresentCount() { return gPresents; }

TWindow* WindowOf(const TControl* Root) { return Root ? FindWindow(Root) : nullptr; }
size_t WindowCount() { return gWindows.size(); }

// [sound] --------------------------------------------------------------------------------------------------
namespace {

SDL_AudioDeviceID gAudio = 0;
bool gAudioTried = false;

void Beep(Cardinal type) {
  if (!gAudioTried) {
    gAudioTried = true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
      SDL_AudioSpec want{}, have{};
      want.freq = 22050;
      want.format = AUDIO_S16SYS;
      want.channels = 1;
      want.samples = 512;
      gAudio = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
      if (gAudio) SDL_PauseAudioDevice(gAudio, 0);
    }
  }
  if (!gAudio) {
    std::fputc('\a', stderr);
    std::fflush(stderr);
    return;
  }
  // A short tone, higher for errors, faded in and out so it does not click.
  const double freq = (type == MB_ICONERROR || type == MB_ICONWARNING) ? 660.0 : 880.0;
  const int n = 22050 * 120 / 1000;
  std::vector<int16_t> samples(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    double env = std::min(1.0, std::min(i, n - i) / 300.0);
    samples[size_t(i)] = int16_t(9000 * env * std::sin(2 * M_PI * freq * i / 22050.0));
  }
  SDL_QueueAudio(gAudio, samples.data(), Uint32(samples.size() * sizeof(int16_t)));
}

}  // namespace

// [keys] ---------------------------------------------------------------------------------------------------
namespace {

Word ToVirtualKey(SDL_Keycode k) {
  if (k >= SDLK_a && k <= SDLK_z) return Word('A' + (k - SDLK_a));
  if (k >= SDLK_0 && k <= SDLK_9) return Word('0' + (k - SDLK_0));
  if (k >= SDLK_F1 && k <= SDLK_F12) return Word(VK_F1 + (k - SDLK_F1));
  if (k >= SDLK_F13 && k <= SDLK_F24) return Word(VK_F1 + 12 + (k - SDLK_F13));
  switch (k) {
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_TAB: return VK_TAB;
    case SDLK_RETURN: case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_PAGEUP: return VK_PRIOR;
    case SDLK_PAGEDOWN: return VK_NEXT;
    case SDLK_END: return VK_END;
    case SDLK_HOME: return VK_HOME;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_UP: return VK_UP;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_INSERT: return VK_INSERT;
    case SDLK_APPLICATION: case SDLK_MENU: return VK_APPS;
    case SDLK_DELETE: return VK_DELETE;
    case SDLK_KP_0: return VK_NUMPAD0;
    case SDLK_KP_1: return VK_NUMPAD0 + 1;
    case SDLK_KP_2: return VK_NUMPAD0 + 2;
    case SDLK_KP_3: return VK_NUMPAD0 + 3;
    case SDLK_KP_4: return VK_NUMPAD0 + 4;
    case SDLK_KP_5: return VK_NUMPAD0 + 5;
    case SDLK_KP_6: return VK_NUMPAD0 + 6;
    case SDLK_KP_7: return VK_NUMPAD0 + 7;
    case SDLK_KP_8: return VK_NUMPAD0 + 8;
    case SDLK_KP_9: return VK_NUMPAD0 + 9;
    case SDLK_KP_MULTIPLY: return VK_MULTIPLY;
    case SDLK_KP_PLUS: return VK_ADD;
    case SDLK_KP_MINUS: return VK_SUBTRACT;
    case SDLK_KP_PERIOD: return VK_DECIMAL;
    case SDLK_KP_DIVIDE: return VK_DIVIDE;
    case SDLK_LSHIFT: case SDLK_RSHIFT: return VK_SHIFT;
    case SDLK_LCTRL: case SDLK_RCTRL: return VK_CONTROL;
    case SDLK_LALT: case SDLK_RALT: return VK_MENU;
    case SDLK_EQUALS: case SDLK_PLUS: return VK_OEM_PLUS;
    case SDLK_COMMA: return VK_OEM_COMMA;
    case SDLK_MINUS: return VK_OEM_MINUS;
    case SDLK_PERIOD: return VK_OEM_PERIOD;
    case SDLK_SEMICOLON: return 186;
    case SDLK_SLASH: return 191;
    case SDLK_BACKQUOTE: return 192;
    case SDLK_LEFTBRACKET: return 219;
    case SDLK_BACKSLASH: return 220;
    case SDLK_RIGHTBRACKET: return 221;
    case SDLK_QUOTE: return 222;
    default: return 0;
  }
}

TShiftState ModShift(Uint16 mod) {
  Word bits = 0;
  if (mod & KMOD_SHIFT) bits |= ssShift;
  if (mod & KMOD_CTRL) bits |= ssCtrl;
  if (mod & KMOD_ALT) bits |= ssAlt;
  return TShiftState(bits);
}

// Whether text arriving with these modifiers is typed: Ctrl or Alt alone make shortcuts, but AltGr
// (right Alt, or Ctrl+Alt as X11 and Windows report it) makes characters such as @, the euro sign and
// braces on many layouts.
bool TypesText(Uint16 mod) {
  const bool ctrl = mod & KMOD_CTRL, leftAlt = mod & KMOD_LALT;
  if (ctrl && (mod & KMOD_ALT)) return true;
  return !ctrl && !leftAlt;
}

TMouseButton ToButton(Uint8 b) { return b == SDL_BUTTON_RIGHT ? mbRight : b == SDL_BUTTON_MIDDLE ? mbMiddle : mbLeft; }
// The side buttons (back and forward, X1 and X2) are no clicks of the three buttons controls know.
bool KnownButton(Uint8 b) { return b == SDL_BUTTON_LEFT || b == SDL_BUTTON_RIGHT || b == SDL_BUTTON_MIDDLE; }

SDL_SystemCursor ToSystemCursor(TCursor c) {
  switch (c) {
    case crIBeam: return SDL_SYSTEM_CURSOR_IBEAM;
    case crHourGlass: case crSQLWait: return SDL_SYSTEM_CURSOR_WAIT;
    case crAppStart: return SDL_SYSTEM_CURSOR_WAITARROW;
    case crCross: return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case crHandPoint: return SDL_SYSTEM_CURSOR_HAND;
    case crSizeWE: case crHSplit: return SDL_SYSTEM_CURSOR_SIZEWE;
    case crSizeNS: case crVSplit: return SDL_SYSTEM_CURSOR_SIZENS;
    case crSizeNESW: return SDL_SYSTEM_CURSOR_SIZENESW;
    case crSizeNWSE: return SDL_SYSTEM_CURSOR_SIZENWSE;
    case crSizeAll: return SDL_SYSTEM_CURSOR_SIZEALL;
    case crNo: case crNoDrop: return SDL_SYSTEM_CURSOR_NO;
    default: return SDL_SYSTEM_CURSOR_ARROW;
  }
}

}  // namespace

// [window] -------------------------------------------------------------------------------------------------
TWindow::TWindow(TControl* Root) : FRoot(Root), FPopup(dynamic_cast<TPopupWindow*>(Root) != nullptr) {
  if (!Init()) throw EInvalidOperation(FromUtf8("No window system: " + gError));
  // A window on screen makes SDL the platform: painted areas must reach it.
  Install();
  auto* form = dynamic_cast<TCustomForm*>(Root);
  // High-DPI aware: where the desktop scales windows, the form's pixels are not blown up by it.
  Uint32 flags = SDL_WINDOW_SHOWN | SDL_WINDOW_ALLOW_HIGHDPI;
  int x = SDL_WINDOWPOS_CENTERED, y = SDL_WINDOWPOS_CENTERED;
  if (FPopup) {
    // Popups: no frame, no task-bar entry, never the keyboard's window, at their screen position.
    flags |= SDL_WINDOW_BORDERLESS | SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR | SDL_WINDOW_ALWAYS_ON_TOP;
    x = HostX(Root->Left());
    y = HostY(Root->Top());
  } else if (form) {
    if (form->BorderStyle() == bsSizeable || form->BorderStyle() == bsSizeToolWin) flags |= SDL_WINDOW_RESIZABLE;
    if (form->BorderStyle() == bsNone) flags |= SDL_WINDOW_BORDERLESS;
    if (form->WindowState() == wsMinimized) flags |= SDL_WINDOW_MINIMIZED;
    if (form->WindowState() == wsMaximized) flags |= SDL_WINDOW_MAXIMIZED;
    // The form placed itself by Position when shown; only the default positions are the system's.
    if (form->Position() != poDefault && form->Position() != poDefaultPosOnly) {
      x = HostX(Root->Left());
      y = HostY(Root->Top());
    }
  }
  const Integer w = std::max(Root->Width(), 1), h = std::max(Root->Height(), 1);
  FWindow = SDL_CreateWindow(form ? ToUtf8(form->Caption()).c_str() : "", x, y, w, h, flags);
  if (!FWindow) throw EInvalidOperation(FromUtf8(std::string("Cannot open a window: ") + SDL_GetError()));
  FRenderer = SDL_CreateRenderer(Win(FWindow), -1, SDL_RENDERER_SOFTWARE);
  if (!FRenderer) FRenderer = SDL_CreateRenderer(Win(FWindow), -1, 0);
  if (!FRenderer) {
    SDL_DestroyWindow(Win(FWindow));
    throw EInvalidOperation(FromUtf8(std::string("Cannot draw in a window: ") + SDL_GetError()));
  }
  if (form) {
    FTitle = form->Caption();
    FState = form->WindowState();
    // A dialog stays above the form it belongs to (transient for it on X11).
    if (form == Application->ModalForm()) {
      const auto* owner = dynamic_cast<const TCustomForm*>(form->Owner());
      TWindow* parent = FindWindow(owner && !owner->Parent() ? owner : Application->MainForm());
      if (!parent)
        for (TWindow* w : gWindows)
          if (!w->FPopup && w->FRoot && w->FRoot != Root) parent = w;
      if (parent) SDL_SetWindowModalFor(Win(FWindow), Win(parent->FWindow));
    }
  }
  gWindows.push_back(this);
  gWatches[this] = std::make_unique<TRootWatch>(&FRoot);
  // The root learns where the window system put it: screen coordinates drive popups.
  if (!FPopup) {
    int hx = 0, hy = 0;
    SDL_GetWindowPosition(Win(FWindow), &hx, &hy);
    const TPoint at = FromHost(hx, hy);
    FSyncing = true;
    Root->SetBounds(at.X, at.Y, Root->Width(), Root->Height());
    FSyncing = false;
    FPosX = at.X;
    FPosY = at.Y;
  }
  Root->Invalidate();
  Present(true);
}

TWindow::~TWindow() {
  gWatches.erase(this);
  gWindows.erase(std::remove(gWindows.begin(), gWindows.end(), this), gWindows.end());
  if (FTexture) SDL_DestroyTexture(Tex(FTexture));
  if (FRenderer) SDL_DestroyRenderer(Ren(FRenderer));
  if (FWindow) SDL_DestroyWindow(Win(FWindow));
}

TCustomForm* TWindow::Form() const { return dynamic_cast<TCustomForm*>(FRoot); }

uint32_t TWindow::WindowID() const { return SDL_GetWindowID(Win(FWindow)); }

void TWindow::Sync() {
  if (!FRoot || FSyncing) return;
  FSyncing = true;
  int w = 0, h = 0, x = 0, y = 0;
  SDL_GetWindowSize(Win(FWindow), &w, &h);
  if (w != FRoot->Width() || h != FRoot->Height())
    SDL_SetWindowSize(Win(FWindow), std::max(FRoot->Width(), 1), std::max(FRoot->Height(), 1));
  SDL_GetWindowPosition(Win(FWindow), &x, &y);
  if (FPopup && FromHost(x, y) != FRoot->BoundsRect().TopLeft())
    SDL_SetWindowPosition(Win(FWindow), HostX(FRoot->Left()), HostY(FRoot->Top()));
  // A form moved by code moves its window; one the user moved already told the form (MovedTo).
  if (!FPopup && (FRoot->Left() != FPosX || FRoot->Top() != FPosY)) {
    FPosX = FRoot->Left();
    FPosY = FRoot->Top();
    SDL_SetWindowPosition(Win(FWindow), HostX(FPosX), HostY(FPosY));
  }
  if (TCustomForm* f = Form()) {
    if (f->Caption() != FTitle) {
      FTitle = f->Caption();
      SDL_SetWindowTitle(Win(FWindow), ToUtf8(FTitle).c_str());
    }
    if (f->WindowState() != FState) {
      FState = f->WindowState();
      if (FState == wsMinimized) SDL_MinimizeWindow(Win(FWindow));
      else if (FState == wsMaximized) SDL_MaximizeWindow(Win(FWindow));
      else SDL_RestoreWindow(Win(FWindow));
    }
  }
  FSyncing = false;
}

void TWindow::MovedTo(Integer X, Integer Y) {
  FPosX = X;
  FPosY = Y;
  if (FPopup || !FRoot) return;
  FSyncing = true;
  FRoot->SetBounds(X, Y, FRoot->Width(), FRoot->Height());
  FSyncing = false;
}

void TWindow::StateChanged(TWindowState State) {
  FState = State;
  if (TCustomForm* f = Form()) f->SetWindowState(State);
}

void TWindow::Present(bool Force) {
  if (!FRoot) return;
  FRoot->Update();
  TBitmap* s = FRoot->Surface();
  if (s->Width() <= 0 || s->Height() <= 0) return;
  const bool fresh = !FTexture || FTexW != s->Width() || FTexH != s->Height();
  if (fresh) {
    if (FTexture) SDL_DestroyTexture(Tex(FTexture));
    FTexture = SDL_CreateTexture(Ren(FRenderer), SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, s->Width(),
                                 s->Height());
    if (!FTexture) return;
    SDL_SetTextureBlendMode(Tex(FTexture), SDL_BLENDMODE_NONE);
    FTexW = s->Width();
    FTexH = s->Height();
  }
  TRect r = (fresh || Force) ? Rect(0, 0, s->Width(), s->Height()) : FDirty;
  r = Rect(std::max(r.Left, 0), std::max(r.Top, 0), std::min(r.Right, s->Width()), std::min(r.Bottom, s->Height()));
  FDirty = TRect();
  if (r.Right <= r.Left || r.Bottom <= r.Top) return;
  // Only the rectangle painted goes to the texture.
  const SDL_Rect sr{r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top};
  SDL_UpdateTexture(Tex(FTexture), &sr, s->Bits() + size_t(r.Top) * size_t(s->Width()) + size_t(r.Left),
                    s->Width() * 4);
  SDL_RenderCopy(Ren(FRenderer), Tex(FTexture), nullptr, nullptr);
  SDL_RenderPresent(Ren(FRenderer));
  ++gPresents;
}

bool TWindow::ReadPixels(TBitmap& Out) {
  int w = 0, h = 0;
  if (SDL_GetRendererOutputSize(Ren(FRenderer), &w, &h) != 0 || w <= 0 || h <= 0) return false;
  // The software renderer keeps the last frame in the window; draw it again to be sure it is there.
  if (FTexture) SDL_RenderCopy(Ren(FRenderer), Tex(FTexture), nullptr, nullptr);
  Out.SetSize(w, h);
  return SDL_RenderReadPixels(Ren(FRenderer), nullptr, SDL_PIXELFORMAT_ARGB8888, Out.Bits(), w * 4) == 0;
}

void TWindow::PushClick(Integer X, Integer Y, bool Right) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.windowID = WindowID();
  e.motion.x = X;
  e.motion.y = Y;
  SDL_PushEvent(&e);
  for (Uint32 type : {Uint32(SDL_MOUSEBUTTONDOWN), Uint32(SDL_MOUSEBUTTONUP)}) {
    SDL_Event b{};
    b.type = type;
    b.button.windowID = WindowID();
    b.button.button = Right ? SDL_BUTTON_RIGHT : SDL_BUTTON_LEFT;
    b.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    b.button.clicks = 1;
    b.button.x = X;
    b.button.y = Y;
    SDL_PushEvent(&b);
  }
}

// [host] ---------------------------------------------------------------------------------------------------
class THost : public TPlatformHost {
 public:
  void ShowWindow(TControl* Root, bool Visible) override {
    if (!gVideo || Root->Parent()) return;
    if (Visible) {
      if (FindWindow(Root)) return;
      try {
        gOwned[Root] = std::make_unique<TWindow>(Root);
      } catch (Exception&) {
        Application->HandleException(Root);
      }
    } else {
      gOwned.erase(Root);
    }
    // The keyboard stays with the form under the popups, and goes back to a form when a dialog closes
    // (X11 may hand it to a new or vanished window).
    if (dynamic_cast<TPopupWindow*>(Root) || !Visible) KeepKeyboard();
  }
  // The modal form when it has a window, else the newest form.
  static void KeepKeyboard() {
    TWindow* form = nullptr;
    TWindow* modal = nullptr;
    for (TWindow* w : gWindows) {
      if (w->FPopup || !w->FRoot) continue;
      form = w;
      if (w->FRoot == Application->ModalForm()) modal = w;
    }
    if (modal) form = modal;
    if (form) SDL_SetWindowInputFocus(Win(form->FWindow));
  }
  void WindowChanged(TControl* Root) override {
    if (TWindow* w = FindWindow(Root)) w->Sync();
  }
  void Present(TControl* Root, const TRect& R) override {
    if (TWindow* w = FindWindow(Root)) w->FDirty = UnionRects(w->FDirty, R);
  }
  bool ShowsWindows() const override { return gVideo; }
  void Wake() override {
    if (!gVideo || !gWakeEvent || gWakeEvent == Uint32(-1)) return;
    SDL_Event e{};
    e.type = gWakeEvent;
    SDL_PushEvent(&e);  // thread-safe
  }
  void DispatchPending() override;
  void Flush() override;
  void SetCursor(TCursor C) override { ShowCursor(C); }
  void Beep(Cardinal Type) override { jox::sdl::Beep(Type); }
  bool GetClipboardText(String& Text) override {
    if (!gVideo || !SDL_HasClipboardText()) return false;
    char* t = SDL_GetClipboardText();
    Text = FromUtf8(t ? t : "");
    SDL_free(t);
    return true;
  }
  void SetClipboardText(const String* Text) override {
    if (gVideo) SDL_SetClipboardText(Text ? ToUtf8(*Text).c_str() : "");
  }
  bool WaitAndDispatch(Cardinal TimeoutMs) override { return gVideo && Pump(int(std::min<Cardinal>(TimeoutMs, 1000))); }

  static void ShowCursor(TCursor c) {
    if (c == gCursorShown) return;
    gCursorShown = c;
    SDL_SystemCursor id = ToSystemCursor(c);
    if (!gCursors.count(id)) gCursors[id] = SDL_CreateSystemCursor(id);
    if (gCursors[id]) SDL_SetCursor(gCursors[id]);
    SDL_ShowCursor(c == crNone ? SDL_DISABLE : SDL_ENABLE);
  }
};

namespace {
THost gHost;

void UpdateCursor() {
  TCursor c = Screen->Cursor();
  if (c == crDefault)
    for (TControl* k = input::MouseControl(); k && c == crDefault; k = k->Parent()) c = k->Cursor();
  THost::ShowCursor(c);
}
}  // namespace

void Install() {
  if (!Init()) return;
  SetPlatformHost(&gHost);
  access::Start();
}

void Shutdown() {
  access::Stop();
  if (PlatformHost() == &gHost) SetPlatformHost(nullptr);
  gOwned.clear();
  if (gAudio) SDL_CloseAudioDevice(gAudio);
  gAudio = 0;
  gAudioTried = false;
  for (auto& [id, c] : gCursors)
    if (c) SDL_FreeCursor(c);
  gCursors.clear();
  gCursorShown = crDefault;
  if (gVideo) SDL_Quit();
  gVideo = false;
}

// [events] -------------------------------------------------------------------------------------------------
struct EventRouter {
  static TWindow* Find(Uint32 id) {
    for (TWindow* w : gWindows)
      if (w->WindowID() == id) return w;
    return nullptr;
  }
  static TControl* Target(Uint32 id) {
    TWindow* w = Find(id);
    return w ? w->FRoot : nullptr;
  }

  static void Handle(const SDL_Event& e) {
    switch (e.type) {
      case SDL_QUIT: {
        // The application is asked to end: its main form is asked to close (every form without one).
        TWindow* main = FindWindow(Application->MainForm());
        for (TWindow* w : gWindows)
          if (!w->FPopup && (!main || w == main)) w->FCloseRequested = true;
        break;
      }
      case SDL_WINDOWEVENT: {
        TWindow* w = Find(e.window.windowID);
        if (!w || !w->FRoot) break;
        switch (e.window.event) {
          case SDL_WINDOWEVENT_CLOSE:
            w->FCloseRequested = true;
            break;
          case SDL_WINDOWEVENT_SIZE_CHANGED:
            w->FSyncing = true;
            w->FRoot->SetBounds(w->FRoot->Left(), w->FRoot->Top(), e.window.data1, e.window.data2);
            w->FSyncing = false;
            break;
          case SDL_WINDOWEVENT_MOVED: {
            const TPoint at = FromHost(e.window.data1, e.window.data2);
            w->MovedTo(at.X, at.Y);
            break;
          }
          case SDL_WINDOWEVENT_MINIMIZED:
            w->StateChanged(wsMinimized);
            break;
          case SDL_WINDOWEVENT_MAXIMIZED:
            w->StateChanged(wsMaximized);
            break;
          case SDL_WINDOWEVENT_RESTORED:
            w->StateChanged(wsNormal);
            break;
          case SDL_WINDOWEVENT_LEAVE:
            input::MouseExit(w->FRoot);
            break;
          case SDL_WINDOWEVENT_FOCUS_LOST:
            // Another application took over: popups close as on a press outside.
            if (!w->FPopup && !SDL_GetKeyboardFocus()) popups::CancelAll();
            break;
          case SDL_WINDOWEVENT_EXPOSED:
            w->FDirty = Rect(0, 0, w->FTexW, w->FTexH);
            break;
        }
        break;
      }
      case SDL_DISPLAYEVENT:
        ReadMonitors();
        break;
      case SDL_MOUSEMOTION:
        if (TControl* r = Target(e.motion.windowID))
          input::MouseMove(r, e.motion.x, e.motion.y, ModShift(SDL_GetModState()));
        break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
        if (TControl* r = Target(e.button.windowID); r && KnownButton(e.button.button)) {
          if (e.type == SDL_MOUSEBUTTONDOWN)
            input::MouseDown(r, e.button.x, e.button.y, ToButton(e.button.button), ModShift(SDL_GetModState()));
          else
            input::MouseUp(r, e.button.x, e.button.y, ToButton(e.button.button), ModShift(SDL_GetModState()));
        }
        break;
      case SDL_MOUSEWHEEL:
        if (TControl* r = Target(e.wheel.windowID)) {
          int x = 0, y = 0;
#if SDL_VERSION_ATLEAST(2, 26, 0)
          x = e.wheel.mouseX;
          y = e.wheel.mouseY;
#else
          SDL_GetMouseState(&x, &y);
#endif
          const int flip = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -1 : 1;
          if (e.wheel.y != 0) input::MouseWheel(r, x, y, flip * e.wheel.y * WHEEL_DELTA, ModShift(SDL_GetModState()));
          if (e.wheel.x != 0) input::MouseHWheel(r, x, y, flip * e.wheel.x * WHEEL_DELTA, ModShift(SDL_GetModState()));
        }
        break;
      case SDL_KEYDOWN:
      case SDL_KEYUP:
        if (TControl* r = Target(e.key.windowID)) {
          Word vk = ToVirtualKey(e.key.keysym.sym);
          if (!vk) break;
          TShiftState shift = ModShift(e.key.keysym.mod);
          if (e.type == SDL_KEYUP) {
            input::KeyUp(r, vk, shift);
            break;
          }
          const bool taken = input::KeyDown(r, vk, shift);
          gKeyTaken = taken;
          // Text input brings the printable characters where text is typed; control characters, and
          // the characters of controls that type none (text input off), come from the key.
          char16_t ch = input::KeyToChar(vk, shift);
          if (!taken && ch && (ch < 32 || (shift & ssCtrl) || !SDL_IsTextInputActive())) input::Char(r, ch, shift);
        }
        break;
      case SDL_TEXTINPUT:
        if (TControl* r = Target(e.text.windowID)) {
          if (!gComposition.empty()) input::Compose(r, String());
          gComposition.clear();
          // A key a shortcut or mnemonic took types nothing.
          if (gKeyTaken || !TypesText(SDL_GetModState())) break;
          for (char16_t ch : FromUtf8(e.text.text)) input::Char(r, ch);
        }
        break;
      case SDL_TEXTEDITING:
        // An input method's text being composed: shown at the caret until it is committed.
        if (TControl* r = Target(e.edit.windowID)) {
          gComposition = FromUtf8(e.edit.text);
          input::Compose(r, gComposition);
        }
        break;
      default:
        break;
    }
  }
};

// [loop] ---------------------------------------------------------------------------------------------------
namespace {

// One event, with what its handlers throw reported instead of ending the loop.
void Route(const SDL_Event& e) {
  try {
    EventRouter::Handle(e);
  } catch (...) {
    Application->HandleException(nullptr);
  }
}

bool IsForm(const TCustomForm* f) {
  for (Integer i = 0; i < Screen->FormCount(); ++i)
    if (Screen->Forms(i) == f) return true;
  return false;
}

// Close requests (the close button, SDL_QUIT) become Close calls, after the window list has been read:
// closing hides the form and so takes its window off the list. While a modal form is up, a request for
// another form waits, as that form's window takes no input meanwhile.
void CloseRequested() {
  std::vector<TCustomForm*> asked;
  for (TWindow* w : gWindows) {
    TCustomForm* f = w->CloseRequested() ? w->Form() : nullptr;
    if (!f) continue;
    if (Application->ModalForm() && Application->ModalForm() != f) continue;
    w->ClearCloseRequest();
    asked.push_back(f);
  }
  for (TCustomForm* f : asked) {
    if (!IsForm(f)) continue;  // freed by an earlier one's handlers
    try {
      f->Close();
    } catch (...) {
      Application->HandleException(f);
    }
  }
}

}  // namespace

void THost::DispatchPending() {
  if (!gVideo) return;
  SDL_Event e;
  while (SDL_PollEvent(&e)) Route(e);
  CloseRequested();
}

// Text input (and with it an input method) is on while the control with the keyboard types text
// (DLGC_WANTCHARS), its window placed at the caret.
void UpdateTextInput() {
  TWinControl* focus = nullptr;
  TWindow* window = nullptr;
  SDL_Window* keyboard = SDL_GetKeyboardFocus();
  for (TWindow* w : gWindows)
    if (keyboard && w->WindowID() == SDL_GetWindowID(keyboard))
      if (auto* root = dynamic_cast<TWinControl*>(w->Root())) {
        focus = root->FocusedControl();
        window = w;
      }
  const bool wanted = focus && (focus->Perform(WM_GETDLGCODE) & DLGC_WANTCHARS);
  if (!wanted) {
    if (SDL_IsTextInputActive()) SDL_StopTextInput();
    gComposition.clear();
    return;
  }
  if (!SDL_IsTextInputActive()) SDL_StartTextInput();
  const TPoint o = focus->OriginInRoot(), p = focus->PopupPoint();
  const Integer h = std::max<Integer>(std::abs(focus->Font()->Height()), 12);
  SDL_Rect r{o.X + p.X, o.Y + p.Y - h, 1, h};
  static SDL_Rect last{-1, -1, -1, -1};
  static TWindow* lastWindow = nullptr;
  if (window != lastWindow || r.x != last.x || r.y != last.y || r.h != last.h) {
    SDL_SetTextInputRect(&r);
    last = r;
    lastWindow = window;
  }
}

void THost::Flush() {
  if (!gVideo) return;
  UpdateCursor();
  UpdateTextInput();
  for (TWindow* w : std::vector<TWindow*>(gWindows)) {
    // A handler run by painting may have closed a window of the list.
    if (std::find(gWindows.begin(), gWindows.end(), w) == gWindows.end()) continue;
    TControl* root = w->Root();
    try {
      w->Sync();
      w->Present();
    } catch (...) {
      Application->HandleException(root);
    }
  }
}

bool Pump(int TimeoutMs) {
  // Wake in time for the next timer, and not at all before otherwise; queued calls need no wait.
  const uint64_t now = Application->Now(), due = Application->NextTimerDue();
  if (due != UINT64_MAX) TimeoutMs = int(std::min<uint64_t>(uint64_t(std::max(TimeoutMs, 0)), due > now ? due - now : 0));
  if (Application->QueuedCalls() > 0 || Application->QueuedMessages() > 0) TimeoutMs = 0;
  SDL_Event e;
  access::BeforeWait(TimeoutMs);
  const bool woken = !Application->Terminated() && SDL_WaitEventTimeout(&e, std::max(TimeoutMs, 0));
  access::AfterWait();
  if (woken) Route(e);
  // The rest of the events, timers, queued calls, painting and presenting.
  Application->ProcessMessages();
  access::Notify();
  return !Application->Terminated();
}

int Run(TCustomForm* Form, const TRunOptions& Options) {
  if (!Init()) {
    std::fprintf(stderr, "no window: %s\n", gError.c_str());
    return 1;
  }
  Install();
  if (!Application->MainForm()) Application->SetMainForm(Form);
  // A form shown before the window system was known takes the desktop's scale now.
  Form->ApplyScale();
  // One window per form: the one Show opened, or the one showing it opens now (or opens for a form
  // shown before SDL was the platform).
  if (!Form->Visible()) Form->Show();
  else if (!FindWindow(Form)) gHost.ShowWindow(Form, true);
  TWindow* window = FindWindow(Form);
  if (!window) {
    std::fprintf(stderr, "no window for the form: %s\n", ToUtf8(Application->LastExceptionMessage()).c_str());
    return 1;
  }
  // The form may be freed or hidden by its close handlers: watch it, not the window.
  TControl* watched = Form;
  TFreeWatch watch(&watched);
  size_t click = 0;
  // Scripted runs step in frames; a user's run sleeps until something happens.
  const bool scripted = Options.MaxFrames > 0 || !Options.Clicks.empty() || Options.OnFrame;
  for (int frame = 1;; ++frame) {
    if (!Pump(scripted ? 16 : 1000)) break;
    if (!watched || !Form->Visible()) break;
    window = FindWindow(Form);
    if (!window) break;
    if (Options.OnFrame) Options.OnFrame(frame);
    if (click < Options.Clicks.size() && frame >= 2) {
      window->PushClick(Options.Clicks[click].X, Options.Clicks[click].Y);
      ++click;
    }
    if (Options.MaxFrames > 0 && frame >= Options.MaxFrames) break;
  }
  window = watched ? FindWindow(Form) : nullptr;
  if (!Options.Screenshot.empty()) {
    TBitmap shot;
    if (window && window->ReadPixels(shot)) shot.SaveToFile(FromUtf8(Options.Screenshot));
    else std::fprintf(stderr, "screenshot failed: %s\n", SDL_GetError());
  }
  return 0;
}

}  // namespace jox::sdl
