// Forms (TCustomForm, TForm) and the screen. Sections: [form] [screen]
#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "package/framework/controls/application.h"
#include "package/framework/controls/controls.h"

namespace jox {

// [form] ---------------------------------------------------------------------------------------------------
using TModalResult = Integer;
constexpr TModalResult mrNone = 0, mrOk = 1, mrOK = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
                       mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10, mrClose = 11;

enum TCloseAction : uint8_t { caNone, caHide, caFree, caMinimize };
enum TPosition : uint8_t {
  poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
  poMainFormCenter, poOwnerFormCenter
};
enum TWindowState : uint8_t { wsNormal, wsMinimized, wsMaximized };
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

// A top-level window. As a root it owns the surface its controls paint on (client size = size: the
// frame and title bar belong to the window system). Color clBtnFace, Visible false, BorderStyle
// bsSizeable, KeyPreview false, size 320 x 240.
class TCustomForm : public TWinControl {
 public:
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;

  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle v) { FBorderStyle = v; }
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition v) { FPosition = v; }
  TWindowState WindowState() const { return FWindowState; }
  // A top-level form's window follows (minimized, maximized, restored).
  void SetWindowState(TWindowState v);
  // When true the form sees every key before its focused control (and may consume it: Key = 0).
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool v) { FKeyPreview = v; }
  // The focused control of the form (nullptr when none); setting it focuses it when possible. Showing
  // the form focuses it, or the first tab stop when it has none (or one that cannot take the focus).
  TWinControl* ActiveControl() const { return FocusedControl(); }
  void SetActiveControl(TWinControl* c);
  // Focuses a control (or the form itself for nullptr) without the CanFocus check of SetFocus.
  void FocusControl(TWinControl* c);
  // Default true: the form follows Screen->Scale(). Its designed sizes (its client size, every
  // control's bounds, the fonts it and its controls set) are multiplied by the scale when it is first
  // shown (ApplyScale); text is drawn at the larger size, so it stays sharp.
  bool Scaled() const { return FScaled; }
  void SetScaled(bool v) { FScaled = v; }
  // Brings the form from the scale it was laid out for to Screen->Scale() (once per change of the
  // scale; nothing when Scaled is false). Showing the form calls it; a dialog built in code may call
  // it before placing itself.
  void ApplyScale();
  // The scale the form's sizes are laid out for now (1 until ApplyScale scaled it).
  double LayoutScale() const { return FLayoutScale; }

  // --- modal use
  // Shows the form modally and returns its ModalResult: Position is applied, open popups close, the form
  // goes on the application's modal stack (other forms take no mouse or keys meanwhile), the modal hook
  // acts on it first (tests script the dialog there through input.h), then a nested loop waits on the
  // platform host until ModalResult is set. Enter presses the default button, Escape the cancel button.
  // Headless, without a hook that sets a result, the result is mrCancel. Raises EInvalidOperation for a
  // form already visible.
  virtual TModalResult ShowModal();
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult v) { FModalResult = v; }
  bool Modal() const { return FModal; }
  // What the window's close button does too. OnCloseQuery (false refuses), then OnClose with the action
  // caHide: caNone keeps the form, caMinimize minimizes it, caHide hides it, caFree hides it and frees it
  // at the next ProcessMessages. The main form is hidden and ends the application (Terminate) instead
  // of being freed. A modal form gets ModalResult mrCancel unless it has one; its loop then asks the
  // close handlers the same way, and a refused close keeps it open.
  void Close();
  bool CloseQuery();
  // Frees the form at the next ProcessMessages.
  void Release();

  using TModalHook = std::function<void(TCustomForm* Form)>;
  // Set by tests and headless callers; applies to every ShowModal until cleared (nullptr).
  static void SetModalHook(TModalHook Hook);
  static const TModalHook& ModalHook();

  const TNotifyEvent& OnShow() const { return FOnShow; }
  void SetOnShow(TNotifyEvent e) { FOnShow = std::move(e); }
  const TNotifyEvent& OnHide() const { return FOnHide; }
  void SetOnHide(TNotifyEvent e) { FOnHide = std::move(e); }
  const TNotifyEvent& OnPaint() const { return FOnPaint; }
  void SetOnPaint(TNotifyEvent e) { FOnPaint = std::move(e); }
  const TCloseEvent& OnClose() const { return FOnClose; }
  void SetOnClose(TCloseEvent e) { FOnClose = std::move(e); }
  const TCloseQueryEvent& OnCloseQuery() const { return FOnCloseQuery; }
  void SetOnCloseQuery(TCloseQueryEvent e) { FOnCloseQuery = std::move(e); }

  void SetVisible(bool v) override;
  void Paint() override;
  void DefaultHandler(TMessage& Message) override;

  JOX_CLASS_TABLE

 protected:
  friend class TWinControl;
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& Action);
  // Places a top-level form by Position (centred on the screen, the main form or the owner form), each
  // time it is shown.
  void ApplyPosition();
 public:
  // Centres the form on Around (nullptr: on the work area of the active form's monitor, else the first
  // monitor's), kept inside the work area of the monitor it lands on.
  void CenterOn(const TCustomForm* Around);
 protected:
  // A modal result was set: OnCloseQuery and OnClose agree (true), or the result is cleared.
  bool CloseModal();

 private:
  // Sends m to every showing, enabled control of the form until one answers non-zero.
  bool OfferToControls(const TMessage& m);
  TFormBorderStyle FBorderStyle = bsSizeable;
  TPosition FPosition = poDesigned;
  TWindowState FWindowState = wsNormal;
  bool FKeyPreview = false;
  bool FScaled = true;
  double FLayoutScale = 1;
  TModalResult FModalResult = mrNone;
  bool FModal = false;
  TNotifyEvent FOnShow, FOnHide, FOnPaint;
  TCloseEvent FOnClose;
  TCloseQueryEvent FOnCloseQuery;
};

class TForm : public TCustomForm {
 public:
  explicit TForm(TComponent* AOwner);
  JOX_CLASS_TABLE
};

// [screen] -------------------------------------------------------------------------------------------------
// One monitor of the desktop in screen coordinates (a monitor left of or above the first one has
// negative ones); the work area leaves out panels and docks.
struct TMonitorInfo {
  TRect BoundsRect;
  TRect WorkareaRect;
};

// R moved (not resized) so that it lies inside Area; a rectangle larger than Area keeps its left or top
// edge on Area's.
TRect FitInside(const TRect& R, const TRect& Area);

class TScreen : public TComponent {
 public:
  explicit TScreen(TComponent* AOwner);
  // A cursor for the whole application; crDefault lets each control's Cursor show.
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor v);
  // The size of the first monitor.
  Integer Width() const { return FWidth; }
  Integer Height() const { return FHeight; }
  // Headless: one monitor of w x h at (0, 0), its work area the whole of it.
  void SetSize(Integer w, Integer h);
  // The monitors, the first (primary) one first; never empty. The window backend sets them.
  Integer MonitorCount() const { return Integer(FMonitors.size()); }
  const TMonitorInfo& Monitors(Integer i) const;  // clamped to the list
  void SetMonitors(std::vector<TMonitorInfo> List);  // an empty list keeps one of Width x Height
  // The monitor holding most of R; the nearest one when none holds any of it.
  Integer MonitorFromRect(const TRect& R) const;
  Integer MonitorFromPoint(TPoint P) const { return MonitorFromRect(Rect(P.X, P.Y, P.X + 1, P.Y + 1)); }
  // The work area of the monitor of Control's window (its form or popup), of the first monitor for
  // nullptr.
  TRect WorkAreaOf(const TControl* Control) const;
  // Pixels per logical pixel of forms and controls (1 .. 4): the JOX_SCALE environment variable (e.g.
  // 1.5 or 2) when set, else the desktop's setting as the window backend finds it, else 1. Forms whose
  // Scaled is true multiply their designed sizes by it when first shown.
  double Scale() const { return FScale; }
  void SetScale(double v);
  // A scale written as a plain decimal number ("2", "1.5"); 0 for anything else ("", "2x", "abc",
  // "nan"), which callers ignore, so a mistyped setting leaves the scale alone.
  static double ScaleFromText(std::string_view Text);
  Integer PixelsPerInch() const { return Integer(96 * FScale + 0.5); }
  Integer FormCount() const { return Integer(FForms.size()); }
  TCustomForm* Forms(Integer i) const;  // nullptr out of range
  // The form shown last (and still visible), nullptr when none.
  TCustomForm* ActiveForm() const;
  TWinControl* ActiveControl() const;
  // The window backend follows cursor changes.

  void AddForm(TCustomForm* f);
  void RemoveForm(TCustomForm* f);
  void FormShown(TCustomForm* f);

 private:
  TCursor FCursor = crDefault;
  Integer FWidth = 1920, FHeight = 1080;
  std::vector<TMonitorInfo> FMonitors{{Rect(0, 0, 1920, 1080), Rect(0, 0, 1920, 1080)}};
  double FScale = 1;
  std::vector<TCustomForm*> FForms;  // last shown last
};

extern TScreen* Screen;

}  // namespace jox
