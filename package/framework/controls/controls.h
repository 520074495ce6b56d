// Controls: the visual component tree, bounds and alignment, looks with parent inheritance, messages,
// mouse and keyboard virtuals, focus, and painting on the shared form surface.
// Sections: [types] [events] [styles] [control] [wincontrol] [graphic-custom] [helpers]
//
// Writing a component (everything a component author needs):
//
//   class TDot : public jox::TGraphicControl {        // TCustomControl for a windowed one (focus, keys)
//    public:
//     explicit TDot(jox::TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 40, 40); }
//     void Paint() override {                           // draws on Canvas(): origin at the control,
//       Canvas()->Brush()->SetColor(FOn ? jox::clRed : jox::clGray);   // clipped to its visible part
//       Canvas()->Ellipse(0, 0, Width(), Height());
//     }
//    protected:
//     void MouseDown(jox::TMouseButton B, jox::TShiftState S, jox::Integer X, jox::Integer Y) override {
//       TGraphicControl::MouseDown(B, S, X, Y);          // fires OnMouseDown
//       FOn = !FOn; Invalidate();                        // painted by the next ProcessMessages / Update
//     }
//     bool FOn = false;
//   };
//   // Headless test: no parent -> a private surface of the control's own size.
//   TDot d(nullptr); d.Paint(); EXPECT_EQ(d.Canvas()->Pixels(20, 20), clGray);
//   // On a form: TForm f(nullptr); auto* p = new TDot(&f); p->SetParent(&f);
//   // jox::input::Click(p, 20, 20); Application->ProcessMessages(); read f.Surface() or p->Canvas()->Pixels.
//
// Mouse messages carry the TShiftState bits in WParam and the client point in LParam (PointToLParam);
// key messages the key (or character) in WParam and the shift bits in LParam. The order of a click is
// MouseDown, Click, MouseUp; of a double click (second press) DblClick, then MouseDown with ssDouble.
// Z-order: within a parent, graphic controls lie below windowed ones, each group in list order.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "package/framework/base/component.h"
#include "package/framework/base/strings.h"
#include "package/framework/graphics/graphics.h"
#include "package/framework/base/types.h"
#include "package/framework/controls/styles.h"

namespace jox {

class TWinControl;
class TCustomForm;
class TPopupMenu;  // declared by menus.h; controls only keep the pointer
class TAccessible;  // accessible.h

// [types] --------------------------------------------------------------------------------------------------
using TCursor = int16_t;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6,
                  crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11,
                  crDrag = -12, crNoDrop = -13, crHSplit = -14, crVSplit = -15, crMultiDrag = -16,
                  crSQLWait = -17, crNo = -18, crAppStart = -19, crHelp = -20, crHandPoint = -21,
                  crSizeAll = -22, crSize = -22;

enum TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };

enum TAnchorKind : uint8_t { akLeft, akTop, akRight, akBottom };
// A set of TAnchorKind: `Anchors() & akRight` tests, `akLeft | akTop` builds.
using TAnchors = TSet<TAnchorKind, Byte, true>;
JOX_SET_OPERATORS(TAnchors, TAnchorKind)

// ControlStyle bits. TControl starts with csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks.
enum TControlStyleFlag : uint32_t {
  csAcceptsControls = 1u << 0, csCaptureMouse = 1u << 1, csDesignInteractive = 1u << 2,
  csClickEvents = 1u << 3, csFramed = 1u << 4, csSetCaption = 1u << 5,
  csOpaque = 1u << 6,  // Paint covers the whole control: the parent's background is not drawn first
  csDoubleClicks = 1u << 7, csFixedWidth = 1u << 8, csFixedHeight = 1u << 9, csNoDesignVisible = 1u << 10,
  csReplicatable = 1u << 11, csNoStdEvents = 1u << 12, csDisplayDragImage = 1u << 13, csReflector = 1u << 14,
  csActionClient = 1u << 15, csMenuEvents = 1u << 16, csNeedsBorderPaint = 1u << 17,
  csParentBackground = 1u << 18
};
using TControlStyle = uint32_t;

// ControlState bits (read-only for components).
enum TControlStateFlag : uint32_t {
  csLButtonDown = 1u << 0, csClicked = 1u << 1, csPalette = 1u << 2, csReadingState = 1u << 3,
  csAlignmentNeeded = 1u << 4, csFocusing = 1u << 5, csCreating = 1u << 6, csPaintCopy = 1u << 7,
  csCustomPaint = 1u << 8, csDestroyingHandle = 1u << 9, csAligning = 1u << 10
};
using TControlState = uint32_t;


// Border styles of forms; the first two are the border styles of controls (TBorderStyle).
enum TFormBorderStyle : uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;

enum TDragMode : uint8_t { dmManual, dmAutomatic };
// The bevels of a windowed control: each cut sunk, raised or a blank space; the kind says whether they show.
enum TBevelCut : uint8_t { bvNone, bvLowered, bvRaised, bvSpace };
enum TBevelKind : uint8_t { bkNone, bkTile, bkSoft, bkFlat };
enum TDragKind : uint8_t { dkDrag, dkDock };
enum TDragState : uint8_t { dsDragEnter, dsDragLeave, dsDragMove };
enum TBiDiMode : uint8_t { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

class TControl;

// Size limits SetBounds applies; 0 means no limit (the defaults). A change applies them to the control
// at once. A negative limit becomes 0; a maximum below the minimum lowers the minimum to it, a minimum
// above the maximum raises the maximum.
class TSizeConstraints : public TPersistent {
 public:
  explicit TSizeConstraints(TControl* AControl = nullptr) : FControl(AControl) {}
  TSizeConstraints(const TSizeConstraints&) = delete;
  TSizeConstraints& operator=(const TSizeConstraints&) = delete;
  void Assign(TPersistent* Source) override;
  JOX_CLASS_TABLE

  Integer MinWidth() const { return FMinWidth; }
  void SetMinWidth(Integer v);
  Integer MinHeight() const { return FMinHeight; }
  void SetMinHeight(Integer v);
  Integer MaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(Integer v);
  Integer MaxHeight() const { return FMaxHeight; }
  void SetMaxHeight(Integer v);
  bool IsEmpty() const { return !FMinWidth && !FMinHeight && !FMaxWidth && !FMaxHeight; }

 private:
  void Change();
  TControl* FControl;
  Integer FMinWidth = 0, FMinHeight = 0, FMaxWidth = 0, FMaxHeight = 0;
};

// Answers to WM_GETDLGCODE: which keys a windowed control keeps from dialog navigation. DLGC_WANTTAB
// keeps Tab; DLGC_WANTALLKEYS keeps Enter and Escape (not Tab); DLGC_WANTRETURN keeps Enter alone (a
// memo's WantReturns), so Escape still reaches the cancel button.
constexpr intptr_t DLGC_WANTARROWS = 0x1, DLGC_WANTTAB = 0x2, DLGC_WANTALLKEYS = 0x4, DLGC_WANTCHARS = 0x80,
                   DLGC_WANTRETURN = 0x4000;
constexpr Integer WHEEL_DELTA = 120;

// [events] -------------------------------------------------------------------------------------------------
class TControl;
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, Integer X, Integer Y)>;
// MousePos in screen coordinates, as the platform gives them (see TControl::ScreenToClient).
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, Integer WheelDelta, TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent = std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char16_t& Key)>;
using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, Integer X, Integer Y)>;
using TDragOverEvent =
    std::function<void(TObject* Sender, TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, Integer X, Integer Y)>;
class TDragObject;  // no drag images or custom drag objects here: handlers get and may keep nullptr
using TStartDragEvent = std::function<void(TObject* Sender, TDragObject*& DragObject)>;
using TMessageHandler = std::function<void(TMessage& Message)>;

// [published groups] ---------------------------------------------------------------------------------------
// Every property and event TControl and TWinControl implement, for class tables to publish from with
// TClassBuilder::Publish. The bases' own tables list nothing, so a class's table is what it publishes.
// Left, Top, Width and Height are in every control's table: a form stores where its controls are.
const TClassInfo& ControlProperties();
// Lines most controls publish together.
inline constexpr std::array<const char*, 4> pgBounds{"Left", "Top", "Width", "Height"};
inline constexpr std::array<const char*, 5> pgMouseEvents{"OnClick", "OnDblClick", "OnMouseDown", "OnMouseMove",
                                                          "OnMouseUp"};
inline constexpr std::array<const char*, 5> pgKeyEvents{"OnKeyDown", "OnKeyPress", "OnKeyUp", "OnEnter", "OnExit"};
inline constexpr std::array<const char*, 3> pgHint{"Hint", "ShowHint", "ParentShowHint"};
inline constexpr std::array<const char*, 2> pgFont{"Font", "ParentFont"};
// A focusable windowed control's layout, looks, popup menu and place in the tab order.
inline constexpr std::array<const char*, 9> pgWinControl{"Align",   "Anchors",       "Color",     "ParentColor", "Enabled",
                                                         "Visible", "StyleElements", "PopupMenu", "TabOrder"};
inline constexpr std::array<const char*, 3> pgDragProps{"DragCursor", "DragKind", "DragMode"};
inline constexpr std::array<const char*, 4> pgDragEvents{"OnDragDrop", "OnDragOver", "OnEndDrag", "OnStartDrag"};

// [control] ------------------------------------------------------------------------------------------------
// A visual component: a rectangle in its parent's client area. Defaults: bounds (0, 0, 0, 0), Visible and
// Enabled true, Align alNone, Anchors akLeft|akTop, Color clWindow, ParentColor true, ParentFont true,
// ParentShowHint true, ShowHint false, Cursor crDefault, Font "Tahoma" 8 pt.
class TControl : public TComponent {
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  // --- tree
  TWinControl* Parent() const { return FParent; }
  // Moves the control into AParent's client area (nullptr: takes it out). Invalidates old and new place.
  virtual void SetParent(TWinControl* AParent);
  bool HasParent() const { return FParent != nullptr; }
  // The outermost control of the tree this control is in (itself when parentless).
  TControl* Root() const;
  void BringToFront();
  void SendToBack();
  // Form text: the parent is the component whose block holds this one's. Set again while reading, the
  // same parent brings the control to the front, so the children end in the order the text lists them.
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;

  // --- bounds (in the parent's client coordinates)
  Integer Left() const { return FLeft; }
  void SetLeft(Integer v) { SetBounds(v, FTop, FWidth, FHeight); }
  Integer Top() const { return FTop; }
  void SetTop(Integer v) { SetBounds(FLeft, v, FWidth, FHeight); }
  Integer Width() const { return FWidth; }
  void SetWidth(Integer v) { SetBounds(FLeft, FTop, v, FHeight); }
  Integer Height() const { return FHeight; }
  void SetHeight(Integer v) { SetBounds(FLeft, FTop, FWidth, v); }
  // Negative sizes become 0, then Constraints apply. Fires Resize (OnResize) when the size changed and
  // realigns the parent's aligned controls.
  virtual void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight);
  TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
  // The client area within the bounds (origin at the control's top-left corner): the whole control
  // unless a frame or scroll bars take part of it. Child positions, mouse coordinates and the canvas of
  // Paint are relative to its top-left corner, the client origin.
  virtual TRect ClientBounds() const { return Rect(0, 0, FWidth, FHeight); }
  // (0, 0, ClientWidth, ClientHeight).
  TRect ClientRect() const;
  Integer ClientWidth() const { return ClientRect().Width(); }
  void SetClientWidth(Integer v);
  Integer ClientHeight() const { return ClientRect().Height(); }
  void SetClientHeight(Integer v);
  // Screen coordinates: the root's Left/Top plus the position within the root. Client points are
  // relative to the client origin, which ClientOrigin gives in screen coordinates.
  TPoint ClientToScreen(TPoint p) const;
  TPoint ScreenToClient(TPoint p) const;
  TPoint ClientOrigin() const { return ClientToScreen(Point(0, 0)); }
  // Position of the client origin on the root's surface.
  TPoint OriginInRoot() const;
  // Position of the control's top-left corner on the root's surface.
  TPoint BoundsOriginInRoot() const;
  // The part of the control not hidden by its parents' edges, in root coordinates (empty if none).
  TRect VisibleRectInRoot() const;

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign v);
  TAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TAnchors v) { FAnchors = v; UpdateAnchorRules(); }
  // Size limits (all 0 by default: none); setting copies them.
  TSizeConstraints* Constraints() const { return FConstraints.get(); }
  void SetConstraints(TSizeConstraints* v) { FConstraints->Assign(v); }

  // --- state
  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and so are all its parents (the root's own Visible does not count: surfaces are off-screen).
  bool Showing() const;
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool v);
  TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle v) { FControlStyle = v; }
  TControlState ControlState() const { return FControlState; }
  // Mouse messages go to this control until released (input sets it from press to release).
  bool MouseCapture() const;
  void SetMouseCapture(bool v);

  // --- looks
  TColor Color() const { return FColor; }
  void SetColor(TColor v);  // clears ParentColor
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool v);
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* v) { FFont->Assign(v); }  // a change of the font clears ParentFont
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool v);
  const String& Hint() const { return FHint; }
  void SetHint(const String& v) { FHint = v; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool v);  // clears ParentShowHint
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool v);
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor v);
  // Caption and Text are one string; a change sends CM_TEXTCHANGED (which invalidates); setting the
  // text it already has does nothing.
  virtual String Text() const { return FText; }
  virtual void SetText(const String& v);
  String Caption() const { return Text(); }
  void SetCaption(const String& v) { SetText(v); }
  TStyleElements StyleElements() const { return FStyleElements; }
  void SetStyleElements(TStyleElements v);
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* v) { FPopupMenu = v; }
  // Where the keyboard's focus is shown, in client coordinates: a menu opened from the keyboard
  // (Shift+F10, the menu key) appears here, and an input method places its window here. Below the
  // focused item or the caret; the base gives the centre of the client area.
  virtual TPoint PopupPoint() const;
  // A form's scale changed by K (TCustomForm::ApplyScale, which scales bounds and fonts itself): sizes
  // the control keeps inside it (column widths, row heights) follow. The base keeps none.
  virtual void ChangeScale(double K) {}
  // Kept for form streaming; this framework draws no drag images and docks nothing.
  TDragMode DragMode() const { return FDragMode; }
  void SetDragMode(TDragMode v) { FDragMode = v; }
  TDragKind DragKind() const { return FDragKind; }
  void SetDragKind(TDragKind v) { FDragKind = v; }
  TCursor DragCursor() const { return FDragCursor; }
  void SetDragCursor(TCursor v) { FDragCursor = v; }
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode v) { FBiDiMode = v; }
  bool ParentBiDiMode() const { return FParentBiDiMode; }
  void SetParentBiDiMode(bool v) { FParentBiDiMode = v; }
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool v) { FCtl3D = v; FParentCtl3D = false; }
  bool ParentCtl3D() const { return FParentCtl3D; }
  // Set, the parent's Ctl3D is taken over (what a form text that stores neither line reads back).
  void SetParentCtl3D(bool v);
  Integer HelpContext() const { return FHelpContext; }
  void SetHelpContext(Integer v) { FHelpContext = v; }
  bool DoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool v) { FDoubleBuffered = v; }

  // --- painting
  // The control's view of its root's surface: origin at the control, clipped to its visible part (and,
  // during a paint pass, to the area being repainted). Its Font and Brush colour follow the control's.
  TCanvas* Canvas();
  // The root's surface bitmap (the form's client area; a parentless control's private surface).
  TBitmap* Surface();
  // Draws the control on its canvas. The base draws nothing.
  virtual void Paint() {}
  // Marks the control's area for repainting (nothing when not showing).
  virtual void Invalidate();
  // Marks R (client coordinates, cut to the control's visible part) for repainting. Each root keeps a
  // list of such rectangles and repaints only them.
  void InvalidateRect(const TRect& R);
  // Paints every dirty area of the root now.
  virtual void Update();
  void Repaint() { Invalidate(); Update(); }
  void Refresh() { Repaint(); }

  // --- messages
  // Sends a message to the control at once and returns its Result.
  intptr_t Perform(Cardinal Msg, intptr_t WParam = 0, intptr_t LParam = 0);
  // Every message enters here; override to see them all and pass the rest on to the inherited WndProc.
  virtual void WndProc(TMessage& Message);
  // Runs DefaultHandler (the classes' own handling, each override calling its base's), then every
  // handler registered for Message.Msg, in the order they were registered.
  void Dispatch(TMessage& Message);
  // The built-in handling: mouse messages to the virtuals, CM_*CHANGED notifications, WM_PAINT to Paint.
  virtual void DefaultHandler(TMessage& Message);

  // --- events
  const TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent e) { FOnClick = std::move(e); }
  const TNotifyEvent& OnDblClick() const { return FOnDblClick; }
  void SetOnDblClick(TNotifyEvent e) { FOnDblClick = std::move(e); }
  const TMouseEvent& OnMouseDown() const { return FOnMouseDown; }
  void SetOnMouseDown(TMouseEvent e) { FOnMouseDown = std::move(e); }
  const TMouseMoveEvent& OnMouseMove() const { return FOnMouseMove; }
  void SetOnMouseMove(TMouseMoveEvent e) { FOnMouseMove = std::move(e); }
  const TMouseEvent& OnMouseUp() const { return FOnMouseUp; }
  void SetOnMouseUp(TMouseEvent e) { FOnMouseUp = std::move(e); }
  const TMouseWheelEvent& OnMouseWheel() const { return FOnMouseWheel; }
  void SetOnMouseWheel(TMouseWheelEvent e) { FOnMouseWheel = std::move(e); }
  const TMouseWheelUpDownEvent& OnMouseWheelDown() const { return FOnMouseWheelDown; }
  void SetOnMouseWheelDown(TMouseWheelUpDownEvent e) { FOnMouseWheelDown = std::move(e); }
  const TMouseWheelUpDownEvent& OnMouseWheelUp() const { return FOnMouseWheelUp; }
  void SetOnMouseWheelUp(TMouseWheelUpDownEvent e) { FOnMouseWheelUp = std::move(e); }
  const TNotifyEvent& OnMouseEnter() const { return FOnMouseEnter; }
  void SetOnMouseEnter(TNotifyEvent e) { FOnMouseEnter = std::move(e); }
  const TNotifyEvent& OnMouseLeave() const { return FOnMouseLeave; }
  void SetOnMouseLeave(TNotifyEvent e) { FOnMouseLeave = std::move(e); }
  const TNotifyEvent& OnResize() const { return FOnResize; }
  void SetOnResize(TNotifyEvent e) { FOnResize = std::move(e); }
  const TContextPopupEvent& OnContextPopup() const { return FOnContextPopup; }
  void SetOnContextPopup(TContextPopupEvent e) { FOnContextPopup = std::move(e); }
  // Drag and drop inside the application: with DragMode dmAutomatic a left press starts a drag once the
  // pointer moved DragThreshold pixels (BeginDrag starts one from code): OnStartDrag fires; while it
  // runs the control under the pointer is asked OnDragOver; the release over one that accepts fires its
  // OnDragDrop (Source = this control); then OnEndDrag (Target = that control or nullptr) ends it.
  void BeginDrag(bool Immediate, Integer Threshold = -1);
  void EndDrag(bool Drop);
  bool Dragging() const { return FDragging; }
  const TStartDragEvent& OnStartDrag() const { return FOnStartDrag; }
  void SetOnStartDrag(TStartDragEvent e) { FOnStartDrag = std::move(e); }
  const TDragDropEvent& OnDragDrop() const { return FOnDragDrop; }
  void SetOnDragDrop(TDragDropEvent e) { FOnDragDrop = std::move(e); }
  const TDragOverEvent& OnDragOver() const { return FOnDragOver; }
  void SetOnDragOver(TDragOverEvent e) { FOnDragOver = std::move(e); }
  const TEndDragEvent& OnEndDrag() const { return FOnEndDrag; }
  void SetOnEndDrag(TEndDragEvent e) { FOnEndDrag = std::move(e); }

  // How assistive technology sees the control (accessible.h): made on first use, owned by the control.
  TAccessible* Accessible();

  JOX_CLASS_TABLE

 protected:
  // Makes the control's accessible object; the base gives the framework class's default.
  virtual TAccessible* CreateAccessible();
  // Mouse virtuals; the base versions fire the events.
  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  virtual void MouseMove(TShiftState Shift, Integer X, Integer Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  // Fires OnMouseWheel; unhandled, every full WHEEL_DELTA turns into DoMouseWheelDown/Up.
  virtual bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos);
  virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
  virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
  virtual void DoContextPopup(TPoint MousePos, bool& Handled);
  // Called after the size changed; fires OnResize.
  virtual void Resize();
  // Called when the font changed (after ParentFont handling); the base invalidates.
  virtual void FontChanged();
  void Loaded() override;
  // Adds a handler of one message number, run by Dispatch after the built-in handling and after the
  // handlers added before it (a base class's before a derived one's): adding one never removes another.
  // nullptr removes every handler of Msg.
  void SetMessageHandler(Cardinal Msg, TMessageHandler Handler);
  // Fires OnStartDrag / OnEndDrag.
  virtual void DoStartDrag();
  virtual void DoEndDrag(TObject* Target, Integer X, Integer Y);
  // On the control under the pointer of a drag: fire OnDragOver / OnDragDrop (X, Y its client point).
  virtual void DoDragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept);
  virtual void DoDragDrop(TObject* Source, Integer X, Integer Y);
  // The control under P (client coordinates) that accepts this drag, nullptr when none.
  TControl* DragOver(TPoint P);
  void FinishDrag(TPoint P, bool Drop);
  // Sends a message to the parent (if any) and returns its result.
  intptr_t PerformParent(Cardinal Msg, intptr_t WParam = 0, intptr_t LParam = 0);

 private:
  friend class TWinControl;
  friend struct ControlAccess;
  void UpdateAnchorRules();
  void ApplyParentFont();
  void ApplyParentColor();
  void HandleMouseMessage(TMessage& Message);
  void PrepareCanvas();

  TWinControl* FParent = nullptr;
  Integer FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  TAlign FAlign = alNone;
  TAnchors FAnchors = akLeft | akTop;
  TPoint FAnchorRules;  // distances to the parent's right and bottom edge when anchored there
  std::unique_ptr<TSizeConstraints> FConstraints;
  bool FVisible = true, FEnabled = true;
  TControlStyle FControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
  TControlState FControlState = 0;
  TColor FColor = clWindow;
  bool FParentColor = true;
  std::unique_ptr<TFont> FFont;
  bool FParentFont = true;
  bool FFontFromParent = false;  // set while the parent's font is copied in, so ParentFont stays
  String FHint;
  bool FShowHint = false, FParentShowHint = true;
  TCursor FCursor = crDefault;
  String FText;
  TStyleElements FStyleElements = seAllElements;
  TPopupMenu* FPopupMenu = nullptr;
  TDragMode FDragMode = dmManual;
  TDragKind FDragKind = dkDrag;
  TCursor FDragCursor = crDrag;
  TBiDiMode FBiDiMode = bdLeftToRight;
  bool FParentBiDiMode = true, FCtl3D = true, FParentCtl3D = true, FDoubleBuffered = false;
  bool FResizedWhileLoading = false;
  Integer FWheelAccumulator = 0;
  Integer FHelpContext = 0;
  std::unique_ptr<TCanvas> FCanvas;
  std::unique_ptr<TAccessible> FAccessible;
  std::unique_ptr<TBitmap> FSurface;  // only on a root
  std::vector<TRect> FDirty;         // root only: areas waiting to be painted, in surface coordinates
  TRect FPaintClip;                  // root only: area of the paint pass running now
  bool FPainting = false;            // root only
  bool FPaintingFrame = false;       // the canvas clips to the whole bounds, not the client area
  bool FCanvasReady = false;         // the canvas view is set for the WM_PAINT under way
  std::unordered_map<Cardinal, std::vector<TMessageHandler>> FHandlers;
  // Drag state: pending from the press until the pointer moved far enough, then dragging.
  bool FDragPending = false, FDragging = false;
  TPoint FDragStart;
  Integer FDragThreshold = 5;
  TStartDragEvent FOnStartDrag;

  TNotifyEvent FOnClick, FOnDblClick, FOnMouseEnter, FOnMouseLeave, FOnResize;
  TMouseEvent FOnMouseDown, FOnMouseUp;
  TMouseMoveEvent FOnMouseMove;
  TMouseWheelEvent FOnMouseWheel;
  TMouseWheelUpDownEvent FOnMouseWheelDown, FOnMouseWheelUp;
  TContextPopupEvent FOnContextPopup;
  TDragDropEvent FOnDragDrop;
  TDragOverEvent FOnDragOver;
  TEndDragEvent FOnEndDrag;
};

// [wincontrol] ---------------------------------------------------------------------------------------------
// A control with a window: children, focus, keyboard input and a handle. Focus is kept per root (each
// form has its own focused control). TabStop false, TabOrder the position in the parent's tab list.
class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  // --- children (z-order: list order, later ones on top)
  Integer ControlCount() const { return Integer(FControls.size()); }
  TControl* Controls(Integer Index) const;  // nullptr out of range
  void InsertControl(TControl* AControl) { AControl->SetParent(this); }
  void RemoveControl(TControl* AControl);
  // Whether AControl is this control or lies anywhere inside it.
  bool ContainsControl(const TControl* AControl) const;
  // The topmost visible child containing Pos (client coordinates); enabled ones only unless AllowDisabled.
  TControl* ControlAtPos(TPoint Pos, bool AllowDisabled = false, bool AllowWinControls = false) const;
  // Sends the message to every child, stopping at the first that sets a non-zero Result.
  void Broadcast(TMessage& Message);
  // Performs Msg on every child.
  void NotifyControls(Cardinal Msg);

  // --- focus
  // Showing and enabled, and so are its parents.
  bool CanFocus() const;
  bool Focused() const;
  // Raises EInvalidOperation "Cannot focus a disabled or invisible window" when it cannot focus.
  virtual void SetFocus();
  Integer TabOrder() const;  // -1 without parent
  void SetTabOrder(Integer v);
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool v) { FTabStop = v; }
  // Moves the focus to the next (or previous) control after CurControl within this control, in tab
  // order, wrapping around; with CheckTabStop only controls with TabStop.
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                               bool CheckParent) const;
  // Every windowed control inside this one, in tab order, depth first.
  void GetTabOrderList(std::vector<TWinControl*>& List) const;
  // The focused control of the root this control is in (nullptr when none).
  TWinControl* FocusedControl() const;

  // --- window
  // The window handle, created (with CreateWnd) on first use.
  HWND Handle();
  bool HandleAllocated() const { return FHandle != 0; }
  void HandleNeeded();

  // --- frame
  // Bevels round the control, outside its own frame, shown when BevelKind is not bkNone (default):
  // BevelOuter (default bvLowered) outside BevelInner (default bvRaised), each BevelWidth pixels
  // (default 1, at least 1) of edge, bkFlat ones in the shadow colour. BorderWidth (default 0, at least 0)
  // pixels of the control's colour lie inside the frame. All of them narrow the client area; a change
  // sends CM_BORDERCHANGED.
  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut Value);
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut Value);
  TBevelKind BevelKind() const { return FBevelKind; }
  void SetBevelKind(TBevelKind Value);
  Integer BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(Integer Value);
  Integer BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(Integer Value);

  // --- alignment
  // Lays out the aligned children again; DisableAlign/EnableAlign defer it.
  void Realign();
  void DisableAlign() { ++FAlignLevel; }
  void EnableAlign();

  const TKeyEvent& OnKeyDown() const { return FOnKeyDown; }
  void SetOnKeyDown(TKeyEvent e) { FOnKeyDown = std::move(e); }
  const TKeyPressEvent& OnKeyPress() const { return FOnKeyPress; }
  void SetOnKeyPress(TKeyPressEvent e) { FOnKeyPress = std::move(e); }
  const TKeyEvent& OnKeyUp() const { return FOnKeyUp; }
  void SetOnKeyUp(TKeyEvent e) { FOnKeyUp = std::move(e); }
  const TNotifyEvent& OnEnter() const { return FOnEnter; }
  void SetOnEnter(TNotifyEvent e) { FOnEnter = std::move(e); }
  const TNotifyEvent& OnExit() const { return FOnExit; }
  void SetOnExit(TNotifyEvent e) { FOnExit = std::move(e); }

  void DefaultHandler(TMessage& Message) override;
  void SetParent(TWinControl* AParent) override;
  // The children Root owns, in z-order.
  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const override;
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  void SetVisible(bool v) override;
  void SetEnabled(bool v) override;
  // Inside the frame (NonClientFrame on each side).
  TRect ClientBounds() const override;

  JOX_CLASS_TABLE

 protected:
  // Width of the frame around the client area: 2 for the classic sunken border (BorderStyle bsSingle),
  // 0 without one. The base has none.
  virtual Integer NonClientFrame() const { return 0; }
  // Paints what lies outside the client area (WM_NCPAINT, after Paint). Meanwhile Canvas() keeps the
  // client origin but clips to the whole control, so the frame lies at negative coordinates. The base
  // draws the frame; overrides call it and add their own parts (scroll bars).
  virtual void PaintNonClient();
  // Called when the window is created: on a parent that has a window (every form has one), or by
  // HandleNeeded. Overrides call the inherited one first.
  virtual void CreateWnd();
  virtual void DestroyWnd();
  // Key virtuals; the base versions fire the events. Setting Key to 0 ends the handling.
  virtual void KeyDown(Word& Key, TShiftState Shift);
  virtual void KeyPress(char16_t& Key);
  virtual void KeyUp(Word& Key, TShiftState Shift);
  // Focus arrives / leaves; fire OnEnter / OnExit.
  virtual void DoEnter();
  virtual void DoExit();
  // Places the aligned children within Rect (the client rect), alTop first, then alBottom, alLeft,
  // alRight, alClient.
  virtual void AlignControls(TControl* AControl, TRect& Rect);
  // Paints the window's background (its Color over the area being repainted) unless csOpaque.
  virtual void PaintBackground();
  // Puts the tab orders a form text gave this control's children into effect.
  void Loaded() override;

 private:
  friend class TControl;
  friend struct ControlAccess;
  // Form key preview, then the key virtual. True when the key was consumed.
  bool DoKeyDown(TMessage& Message);
  bool DoKeyPress(TMessage& Message);
  bool DoKeyUp(TMessage& Message);
  void CreateHandleTree();
  void AnchorChildren(Integer OldWidth, Integer OldHeight);
  // Pixels the bevels take on each side.
  Integer BevelExtent() const;
  void BorderChanged();

  std::vector<TControl*> FControls;    // z-order
  uint32_t FControlsGen = 0;           // changes whenever a child comes or goes
  std::vector<TWinControl*> FTabList;  // windowed children in tab order
  TWinControl* FFocused = nullptr;     // root only
  bool FTabStop = false;
  HWND FHandle = 0;
  Integer FAlignLevel = 0;
  bool FAlignPending = false;
  TBevelCut FBevelInner = bvRaised, FBevelOuter = bvLowered;
  TBevelKind FBevelKind = bkNone;
  Integer FBevelWidth = 1, FBorderWidth = 0;
  Integer FReadTabOrder = -1;  // while reading: the tab order the text gave, applied by the parent's Loaded
  TKeyEvent FOnKeyDown, FOnKeyUp;
  TKeyPressEvent FOnKeyPress;
  TNotifyEvent FOnEnter, FOnExit;
};

// [graphic-custom] -----------------------------------------------------------------------------------------
class TKeyProxy;

// A control without a window: paints on its parent's pixels, and takes no focus and no keys unless it
// asks for them with WantKeyboard: a windowed stand-in (keyproxy.h) then holds its place in the
// parent's tab order and passes the keys on to the virtuals below; a press on the control focuses it.
class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;

  // The stand-in that takes the focus for this control; nullptr unless it wants the keyboard.
  TKeyProxy* KeyProxy() const { return FKeyProxy; }
  // Whether this control has the keyboard now (its stand-in is focused).
  bool Focused() const;
  bool CanFocus() const;
  // Raises EInvalidOperation as TWinControl::SetFocus does when it cannot take the focus.
  void SetFocus();

  void SetParent(TWinControl* AParent) override;
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  void SetVisible(bool v) override;
  void SetEnabled(bool v) override;

  JOX_CLASS_TABLE

 protected:
  friend class TKeyProxy;
  // Gives the control a place in the tab order (a tab stop) and the keys; DlgCode says which keys it
  // keeps from dialog navigation (WM_GETDLGCODE: DLGC_WANTARROWS, DLGC_WANTRETURN, ...). Call once,
  // from the constructor.
  void WantKeyboard(intptr_t DlgCode = 0);
  // Key virtuals for a control that wants the keyboard; Key 0 ends the handling.
  virtual void KeyDown(Word& Key, TShiftState Shift) {}
  virtual void KeyUp(Word& Key, TShiftState Shift) {}
  virtual void KeyPress(char16_t& Key) {}
  // The focus came or went; the base repaints, so the focus look follows.
  virtual void FocusChanged() { Invalidate(); }

 private:
  // Owned, but a parent going away first deletes it as an ownerless child; it then clears this.
  TKeyProxy* FKeyProxy = nullptr;
};

// A windowed control that draws itself in Paint on its own canvas.
class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* AOwner);
  JOX_CLASS_TABLE
};

// [helpers] ------------------------------------------------------------------------------------------------
constexpr intptr_t PointToLParam(TPoint p) {
  return intptr_t(uint32_t(uint16_t(int16_t(p.X))) | (uint32_t(uint16_t(int16_t(p.Y))) << 16));
}
constexpr TPoint LParamToPoint(intptr_t lp) {
  return {Integer(int16_t(uint16_t(lp & 0xFFFF))), Integer(int16_t(uint16_t((lp >> 16) & 0xFFFF)))};
}
inline TShiftState KeyDataToShiftState(intptr_t KeyData) { return TShiftState(Word(KeyData & 0x7F)); }
// The nearest form around the control (the outermost when TopForm), nullptr when none.
TCustomForm* GetParentForm(const TControl* Control, bool TopForm = true);
// Pixels per logical pixel of Control: the scale its form is laid out for (TCustomForm::LayoutScale); a
// popup or a parentless part follows the control it belongs to; 1 when there is none.
double ControlScale(const TControl* Control);
// A fixed metric given in pixels at 96 dpi (a scroll bar's 17, a check box's 13) in Control's pixels.
// The one road for such sizes: a control that draws with one never multiplies it itself.
Integer ScaledMetric(const TControl* Control, Integer Px);
// Px at a scale already known (rounded): ControlScale of the control it is for, or the factor K a
// ChangeScale(K) multiplies designed sizes by.
Integer ScaledMetric(double Scale, Integer Px);
// The text before the first '|' of a hint, and the text after it (or the whole hint).
String GetShortHint(const String& Hint);
String GetLongHint(const String& Hint);

}  // namespace jox
