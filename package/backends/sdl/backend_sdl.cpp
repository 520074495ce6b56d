// SDL2 window backend. Sections: [setup] [keys] [sound] [window] [events] [loop]
#include "package/backends/sdl/backend_sdl.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

#include "package/framework/controls/clipbrd.h"
#include "package/framework/controls/input.h"

namespace jox::sdl {

namespace {

std::string gError;
bool gVideo = false;
std::vector<TWindow*> gWindows;
std::vector<TCustomForm*> gModal;  // innermost last; only its window takes input
std::map<TCustomForm*, std::unique_ptr<TWindow>> gShown;  // windows opened by Show()

SDL_Window* Win(void* p) { return static_cast<SDL_Window*>(p); }
SDL_Renderer* Ren(void* p) { return static_cast<SDL_Renderer*>(p); }
SDL_Texture* Tex(void* p) { return static_cast<SDL_Texture*>(p); }

// Clears a window's form pointer when the form is deleted first.
class TFormWatch : public TComponent {
 public:
  TFormWatch(TCustomForm** slot) : TComponent(nullptr), FSlot(slot) { (*slot)->FreeNotification(this); }
  ~TFormWatch() override {
    if (*FSlot) (*FSlot)->RemoveFreeNotification(this);
  }

 protected:
  void Notification(TComponent* c, TOperation op) override {
    if (op == opRemove && c == *FSlot) *FSlot = nullptr;
    TComponent::Notification(c, op);
  }

 private:
  TCustomForm** FSlot;
};

std::map<TWindow*, std::unique_ptr<TFormWatch>> gWatches;
std::map<SDL_SystemCursor, SDL_Cursor*> gCursors;

}  // namespace

// [setup] --------------------------------------------------------------------------------------------------
bool Init() {
  if (gVideo) return true;
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    gError = SDL_GetError();
    return false;
  }
  gVideo = true;
  return true;
}

const std::string& Error() { return gError; }

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

void Install() {
  static bool done = false;
  if (done) return;
  done = true;
  Application->SetBeepSink(Beep);
  Clipboard()->SetMirror({[](String& text) {
                            if (!gVideo || !SDL_HasClipboardText()) return false;
                            char* t = SDL_GetClipboardText();
                            text = FromUtf8(t ? t : "");
                            SDL_free(t);
                            return true;
                          },
                          [](const String* text) {
                            if (gVideo) SDL_SetClipboardText(text ? ToUtf8(*text).c_str() : "");
                          }});
  TCustomForm::SetModalRunner([](TCustomForm* form) {
    TWindow w(form);
    gModal.push_back(form);
    while (form->ModalResult() == mrNone) {
      if (!Pump(16)) break;
      if (w.CloseRequested()) form->Close();
    }
    gModal.pop_back();
  });
  TCustomForm::SetVisibilitySink([](TCustomForm* form, bool visible) {
    if (form->Parent() || form->Modal() || !gVideo) return;
    if (visible && !gShown.count(form)) gShown[form] = std::make_unique<TWindow>(form);
    if (!visible) gShown.erase(form);
  });
}

void Shutdown() {
  gShown.clear();
  if (gAudio) SDL_CloseAudioDevice(gAudio);
  gAudio = 0;
  gAudioTried = false;
  for (auto& [id, c] : gCursors)
    if (c) SDL_FreeCursor(c);
  gCursors.clear();
  if (gVideo) SDL_Quit();
  gVideo = false;
}

// [keys] ---------------------------------------------------------------------------------------------------
namespace {

Word ToVirtualKey(SDL_Keycode k) {
  if (k >= SDLK_a && k <= SDLK_z) return Word('A' + (k - SDLK_a));
  if (k >= SDLK_0 && k <= SDLK_9) return Word('0' + (k - SDLK_0));
  if (k >= SDLK_F1 && k <= SDLK_F12) return Word(VK_F1 + (k - SDLK_F1));
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

TMouseButton ToButton(Uint8 b) { return b == SDL_BUTTON_RIGHT ? mbRight : b == SDL_BUTTON_MIDDLE ? mbMiddle : mbLeft; }

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
TWindow::TWindow(TCustomForm* Form) : FForm(Form) {
  if (!Init()) throw EInvalidOperation(FromUtf8("No window system: " + gError));
  Uint32 flags = SDL_WINDOW_SHOWN;
  if (Form->BorderStyle() == bsSizeable || Form->BorderStyle() == bsSizeToolWin) flags |= SDL_WINDOW_RESIZABLE;
  if (Form->BorderStyle() == bsNone) flags |= SDL_WINDOW_BORDERLESS;
  const Integer w = std::max(Form->ClientWidth(), 1), h = std::max(Form->ClientHeight(), 1);
  FWindow = SDL_CreateWindow(ToUtf8(Form->Caption()).c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w, h,
                             flags);
  if (!FWindow) throw EInvalidOperation(FromUtf8(std::string("Cannot open a window: ") + SDL_GetError()));
  FRenderer = SDL_CreateRenderer(Win(FWindow), -1, SDL_RENDERER_SOFTWARE);
  if (!FRenderer) FRenderer = SDL_CreateRenderer(Win(FWindow), -1, 0);
  if (!FRenderer) {
    SDL_DestroyWindow(Win(FWindow));
    throw EInvalidOperation(FromUtf8(std::string("Cannot draw in a window: ") + SDL_GetError()));
  }
  FTitle = Form->Caption();
  gWindows.push_back(this);
  gWatches[this] = std::make_unique<TFormWatch>(&FForm);
  SDL_StartTextInput();
  Form->Invalidate();
  Present();
}

TWindow::~TWindow() {
  gWatches.erase(this);
  gWindows.erase(std::remove(gWindows.begin(), gWindows.end(), this), gWindows.end());
  if (FTexture) SDL_DestroyTexture(Tex(FTexture));
  if (FRenderer) SDL_DestroyRenderer(Ren(FRenderer));
  if (FWindow) SDL_DestroyWindow(Win(FWindow));
}

uint32_t TWindow::WindowID() const { return SDL_GetWindowID(Win(FWindow)); }

void TWindow::SyncSize() {
  int w = 0, h = 0;
  SDL_GetWindowSize(Win(FWindow), &w, &h);
  if (FForm && (w != FForm->ClientWidth() || h != FForm->ClientHeight()))
    SDL_SetWindowSize(Win(FWindow), std::max(FForm->ClientWidth(), 1), std::max(FForm->ClientHeight(), 1));
}

void TWindow::SyncTitle() {
  if (!FForm || FForm->Caption() == FTitle) return;
  FTitle = FForm->Caption();
  SDL_SetWindowTitle(Win(FWindow), ToUtf8(FTitle).c_str());
}

void TWindow::UpdateCursor() {
  TCursor c = Screen->Cursor();
  if (c == crDefault)
    for (TControl* k = input::MouseControl(); k && c == crDefault; k = k->Parent()) c = k->Cursor();
  if (c == FCursorShown) return;
  FCursorShown = c;
  auto& cache = gCursors;
  SDL_SystemCursor id = ToSystemCursor(c);
  if (!cache.count(id)) cache[id] = SDL_CreateSystemCursor(id);
  if (cache[id]) SDL_SetCursor(cache[id]);
  SDL_ShowCursor(c == crNone ? SDL_DISABLE : SDL_ENABLE);
}

void TWindow::Present() {
  if (!FForm) return;
  SyncSize();
  SyncTitle();
  UpdateCursor();
  FForm->Update();
  TBitmap* s = FForm->Surface();
  if (s->Width() <= 0 || s->Height() <= 0) return;
  if (!FTexture || FTexW != s->Width() || FTexH != s->Height()) {
    if (FTexture) SDL_DestroyTexture(Tex(FTexture));
    FTexture = SDL_CreateTexture(Ren(FRenderer), SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, s->Width(),
                                 s->Height());
    if (!FTexture) return;
    SDL_SetTextureBlendMode(Tex(FTexture), SDL_BLENDMODE_NONE);
    FTexW = s->Width();
    FTexH = s->Height();
  }
  SDL_UpdateTexture(Tex(FTexture), nullptr, s->Bits(), s->Width() * 4);
  SDL_RenderClear(Ren(FRenderer));
  SDL_RenderCopy(Ren(FRenderer), Tex(FTexture), nullptr, nullptr);
  SDL_RenderPresent(Ren(FRenderer));
}

bool TWindow::ReadPixels(TBitmap& Out) {
  int w = 0, h = 0;
  if (SDL_GetRendererOutputSize(Ren(FRenderer), &w, &h) != 0 || w <= 0 || h <= 0) return false;
  // The software renderer keeps the last frame in the window; draw it again to be sure it is there.
  if (FTexture) SDL_RenderCopy(Ren(FRenderer), Tex(FTexture), nullptr, nullptr);
  Out.SetSize(w, h);
  return SDL_RenderReadPixels(Ren(FRenderer), nullptr, SDL_PIXELFORMAT_ARGB8888, Out.Bits(), w * 4) == 0;
}

void TWindow::PushClick(Integer X, Integer Y) {
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
    b.button.button = SDL_BUTTON_LEFT;
    b.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    b.button.clicks = 1;
    b.button.x = X;
    b.button.y = Y;
    SDL_PushEvent(&b);
  }
}

// [events] -------------------------------------------------------------------------------------------------
struct EventRouter {
  static TWindow* Find(Uint32 id) {
    for (TWindow* w : gWindows)
      if (w->WindowID() == id) return w;
    return nullptr;
  }
  // While a modal form runs, only its window takes input.
  static bool TakesInput(TWindow* w) { return w && w->FForm && (gModal.empty() || gModal.back() == w->FForm); }

  static void Handle(const SDL_Event& e) {
    switch (e.type) {
      case SDL_QUIT:
        for (TWindow* w : gWindows) w->FCloseRequested = true;
        break;
      case SDL_WINDOWEVENT: {
        TWindow* w = Find(e.window.windowID);
        if (!w || !w->FForm) break;
        if (e.window.event == SDL_WINDOWEVENT_CLOSE) w->FCloseRequested = true;
        if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
          w->FForm->SetClientWidth(e.window.data1);
          w->FForm->SetClientHeight(e.window.data2);
        }
        if (e.window.event == SDL_WINDOWEVENT_LEAVE) input::MouseExit(w->FForm);
        if (e.window.event == SDL_WINDOWEVENT_EXPOSED) w->FForm->Invalidate();
        break;
      }
      case SDL_MOUSEMOTION:
        if (TWindow* w = Find(e.motion.windowID); TakesInput(w))
          input::MouseMove(w->FForm, e.motion.x, e.motion.y, ModShift(SDL_GetModState()));
        break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
        if (TWindow* w = Find(e.button.windowID); TakesInput(w)) {
          if (e.type == SDL_MOUSEBUTTONDOWN)
            input::MouseDown(w->FForm, e.button.x, e.button.y, ToButton(e.button.button), ModShift(SDL_GetModState()));
          else
            input::MouseUp(w->FForm, e.button.x, e.button.y, ToButton(e.button.button), ModShift(SDL_GetModState()));
        }
        break;
      case SDL_MOUSEWHEEL:
        if (TWindow* w = Find(e.wheel.windowID); TakesInput(w) && e.wheel.y != 0) {
          TPoint p = input::MousePos();
          input::MouseWheel(w->FForm, p.X, p.Y, e.wheel.y * WHEEL_DELTA, ModShift(SDL_GetModState()));
        }
        break;
      case SDL_KEYDOWN:
      case SDL_KEYUP:
        if (TWindow* w = Find(e.key.windowID); TakesInput(w)) {
          Word vk = ToVirtualKey(e.key.keysym.sym);
          if (!vk) break;
          TShiftState shift = ModShift(e.key.keysym.mod);
          if (e.type == SDL_KEYUP) {
            input::KeyUp(w->FForm, vk, shift);
            break;
          }
          const bool taken = input::KeyDown(w->FForm, vk, shift);
          // Text input brings the printable characters; control characters come from the key.
          char16_t ch = input::KeyToChar(vk, shift);
          if (!taken && ch && (ch < 32 || (shift & ssCtrl))) input::Char(w->FForm, ch, shift);
        }
        break;
      case SDL_TEXTINPUT:
        if (TWindow* w = Find(e.text.windowID); TakesInput(w)) {
          if (SDL_GetModState() & (KMOD_CTRL | KMOD_ALT)) break;
          for (char16_t ch : FromUtf8(e.text.text)) input::Char(w->FForm, ch);
        }
        break;
      default:
        break;
    }
  }
};

// [loop] ---------------------------------------------------------------------------------------------------
bool Pump(int TimeoutMs) {
  // Wake in time for the next timer.
  const uint64_t now = Application->Now(), due = Application->NextTimerDue();
  if (due != UINT64_MAX) TimeoutMs = int(std::min<uint64_t>(uint64_t(TimeoutMs), due > now ? due - now : 0));
  SDL_Event e;
  if (SDL_WaitEventTimeout(&e, std::max(TimeoutMs, 0))) {
    EventRouter::Handle(e);
    while (SDL_PollEvent(&e)) EventRouter::Handle(e);
  }
  Application->ProcessMessages();
  for (TWindow* w : std::vector<TWindow*>(gWindows)) w->Present();
  // Windows opened by Show() close with their form.
  for (auto it = gShown.begin(); it != gShown.end();) {
    if (it->second->CloseRequested() && it->second->Form()) it->second->Form()->Close();
    if (!it->second->Form() || !it->second->Form()->Visible()) it = gShown.erase(it);
    else ++it;
  }
  return !Application->Terminated();
}

int Run(TCustomForm* Form, const TRunOptions& Options) {
  if (!Init()) {
    std::fprintf(stderr, "no window: %s\n", gError.c_str());
    return 1;
  }
  Install();
  std::unique_ptr<TWindow> window;
  try {
    window = std::make_unique<TWindow>(Form);
  } catch (Exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  if (!Application->MainForm()) Application->SetMainForm(Form);
  size_t click = 0;
  for (int frame = 1;; ++frame) {
    if (!Pump(16)) break;
    if (window->CloseRequested() || !window->Form()) break;
    if (Options.OnFrame) Options.OnFrame(frame);
    if (click < Options.Clicks.size() && frame >= 2) {
      window->PushClick(Options.Clicks[click].X, Options.Clicks[click].Y);
      ++click;
    }
    if (Options.MaxFrames > 0 && frame >= Options.MaxFrames) break;
  }
  if (!Options.Screenshot.empty()) {
    TBitmap shot;
    if (window->ReadPixels(shot)) shot.SaveToFile(FromUtf8(Options.Screenshot));
    else std::fprintf(stderr, "screenshot failed: %s\n", SDL_GetError());
  }
  return 0;
}

}  // namespace jox::sdl
