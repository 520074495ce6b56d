// Real windows through SDL2: a form's surface on screen, and the mouse, wheel, keys and text typed
// delivered through input.h, so a window and a test take the same road. Also: the clipboard mirrored to
// the system's, MessageBeep audible (a short tone, or the terminal bell without an audio device), modal
// forms in windows of their own, the cursor of the control under the pointer. Timers run on the real
// clock of Application, served between frames.
//
//   jox::sdl::Install();                 // once: beeps, clipboard, modal runner, cursors
//   jox::sdl::Run(&form);                // until the window is closed or Application->Terminate()
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "package/framework/controls/forms.h"

namespace jox::sdl {

// Starts SDL's video (once). False, with the reason in Error(), when no display is available.
bool Init();
const std::string& Error();
// Closes every window, the audio device and SDL (what SDL's drivers hold is freed too).
void Shutdown();
// Connects the application to SDL: beep sink, clipboard mirror, modal runner, visibility sink, cursor.
void Install();

// A window showing one root form.
class TWindow {
 public:
  explicit TWindow(TCustomForm* Form);
  ~TWindow();
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;

  TCustomForm* Form() const { return FForm; }
  uint32_t WindowID() const;
  // Paints the form's dirty areas and shows its surface.
  void Present();
  // What the window shows now, read back from its renderer.
  bool ReadPixels(TBitmap& Out);
  // Queues a real click (motion, press, release) at client (X, Y) in SDL's event queue.
  void PushClick(Integer X, Integer Y);
  bool CloseRequested() const { return FCloseRequested; }

 private:
  friend struct EventRouter;
  void SyncSize();
  void SyncTitle();
  void UpdateCursor();
  TCustomForm* FForm;
  void* FWindow = nullptr;    // SDL_Window*
  void* FRenderer = nullptr;  // SDL_Renderer*
  void* FTexture = nullptr;   // SDL_Texture*
  Integer FTexW = 0, FTexH = 0;
  String FTitle;
  bool FCloseRequested = false;
  TCursor FCursorShown = crDefault;
};

// Handles pending SDL events for the open windows (waiting up to TimeoutMs for the first), then
// processes the application's messages and presents every window. False once Application is terminated.
bool Pump(int TimeoutMs);

struct TRunOptions {
  int MaxFrames = 0;                // 0: until the window closes
  std::vector<TPoint> Clicks;       // pushed as real clicks after the first frame, one per frame
  std::string Screenshot;           // PNG of the window's pixels, written after the last frame
  std::function<void(int Frame)> OnFrame;
};
// Opens a window for Form and runs its loop. Returns 0, or 1 when no window could be opened.
int Run(TCustomForm* Form, const TRunOptions& Options = {});

}  // namespace jox::sdl
