// Real windows through SDL2, as the platform host: every visible top-level surface (a form without a
// parent, a popup) gets a window of its own, popups borderless at their screen position; mouse, wheel,
// keys and text go through input.h, so a window and a test take the same road. Also: the clipboard
// mirrored to the system's, MessageBeep audible (a short tone, or the terminal bell without an audio
// device), the cursor of the control under the pointer. The loop sleeps until an event or the next
// timer is due and shows only what was painted, so an idle window costs next to nothing. The side
// mouse buttons (X1, X2) are no clicks; the horizontal wheel arrives as WM_MOUSEHWHEEL.
//
//   jox::sdl::Install();                 // once: makes SDL the platform host
//   form.Show();                         // opens the form's window (or let Run show it)
//   jox::sdl::Run(&form);                // until the main form is closed or Application->Terminate()
//
// The window's close button closes its form (Close: OnCloseQuery, then OnClose); a quit request
// (SDL_QUIT, SIGTERM) closes the main form. What an event's handlers throw goes to
// Application->HandleException and the loop goes on. Application->Queue / Synchronize wake the loop
// from other threads with a user event.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "package/framework/controls/forms.h"

namespace jox::sdl {

// Starts SDL's video (once). False, with the reason in Error(), when no display is available.
bool Init();
const std::string& Error();
// Closes every window, the audio device and SDL (what SDL's drivers hold is freed too), and gives the
// platform back to the headless host.
void Shutdown();
// Makes SDL the platform host (Init first).
void Install();
// Gives Screen the displays' bounds and work areas (Init does, and so does a change of displays), or
// the monitors JOX_MONITORS lists (MonitorsFromText) with the host screen's top-left at their top-left.
void ReadMonitors();
// The desktop's scale (0 when it names none): GDK_SCALE, else Xft.dpi of the X resources on X11
// (96 is 1, 144 is 1.5, 192 is 2), else the first display's DPI / 96 on other drivers. Init sets
// Screen->Scale() from it unless JOX_SCALE overrides it.
double DesktopScale();
// On X11: an error handler that drops the BadWindow SDL's wake-up message can meet when a window is
// destroyed as it is sent, which Xlib would end the application for. Init installs it.
void GuardXErrors();
// Xft.dpi / 96 from the text of an X resource database ("Xft.dpi:\t144" lines); 0 when it has none or
// a malformed one.
double ScaleFromXResources(std::string_view Resources);

// A window showing one top-level surface: a form, or a popup (borderless, at its screen position).
class TWindow {
 public:
  explicit TWindow(TControl* Root);
  ~TWindow();
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;
  TControl* Root() const { return FRoot; }
  TCustomForm* Form() const;
  uint32_t WindowID() const;
  // Paints the root's dirty areas and shows what changed (everything when Force).
  void Present(bool Force = false);
  // What the window shows now, read back from its renderer.
  bool ReadPixels(TBitmap& Out);
  // Queues a real click (motion, press, release) at client (X, Y) in SDL's event queue.
  void PushClick(Integer X, Integer Y, bool Right = false);
  bool CloseRequested() const { return FCloseRequested; }
  void ClearCloseRequest() { FCloseRequested = false; }
  // Size, position, title and minimized/maximized state follow the root.
  void Sync();
  // The window system moved the window, or changed its state: the form follows.
  void MovedTo(Integer X, Integer Y);
  void StateChanged(TWindowState State);

 private:
  friend struct EventRouter;
  friend class THost;
  TControl* FRoot;
  bool FPopup;
  void* FWindow = nullptr;    // SDL_Window*
  void* FRenderer = nullptr;  // SDL_Renderer*
  void* FTexture = nullptr;   // SDL_Texture*
  Integer FTexW = 0, FTexH = 0;
  TRect FDirty;               // painted but not shown yet, in surface coordinates
  String FTitle;
  bool FCloseRequested = false;
  bool FSyncing = false;
  Integer FPosX = 0, FPosY = 0;     // where the window is, as last set or reported
  TWindowState FState = wsNormal;   // the state last given to the window
};

// Waits up to TimeoutMs for an SDL event (less when a timer falls due sooner, not at all when a call is
// queued), then Application->ProcessMessages(): the rest of the events, timers, queued calls, painting,
// and presenting what was painted. False once Application is terminated.
bool Pump(int TimeoutMs);
// Frames presented since Init (each one a window that showed a change).
uint64_t PresentCount();
// The window showing Root (a form or a popup), nullptr when it has none; the number of windows open.
TWindow* WindowOf(const TControl* Root);
size_t WindowCount();

struct TRunOptions {
  int MaxFrames = 0;                // 0: until the window closes; otherwise a frame every 16 ms
  std::vector<TPoint> Clicks;       // pushed as real clicks after the first frame, one per frame
  std::string Screenshot;           // PNG of the window's pixels, written after the last frame
  std::function<void(int Frame)> OnFrame;
};
// Shows Form (the main form when there is none yet) in its window, the one Show already opened if it
// did, and runs the loop until the application is terminated (closing the main form does it when its
// close handlers agree) or Form is hidden or freed. Returns 0, or 1 when no window could be opened.
int Run(TCustomForm* Form, const TRunOptions& Options = {});

}  // namespace jox::sdl
