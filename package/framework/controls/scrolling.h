// The scrolling base: a custom control with scroll bars drawn and driven by the framework (arrows with
// auto-repeat, page clicks that repeat until the thumb reaches the pointer, thumb drag, the wheel).
// Grids and the tree view derive from it. Sections: [types] [control]
//
// Deriving (a grid, say):
//
//   class TMyGrid : public jox::TCustomScrollControl {
//     void Layout() {                                  // after rows, sizes or the client size change
//       SetScrollInfo(sbVertical, 0, RowCount - 1, VisibleRows(), TopRow);   // Min, Max, Page, Pos
//     }
//     void Scroll(TScrollBarKind K, TScrollCode C, Integer ThumbPos) override {
//       TCustomScrollControl::Scroll(K, C, ThumbPos);  // moves ScrollPos by the code, clamped
//     }
//     void ScrollPosChanged(TScrollBarKind K, Integer OldPos) override {
//       TopRow = ScrollPos(sbVertical); Invalidate();    // the base only invalidates
//     }
//     void Paint() override { ... cells within ClientRect() ... }   // bars and frame: PaintNonClient
//   };
//
// The client area leaves out the frame (NonClientFrame) and the bars (children and Paint are clipped to
// it); the bars lie right of and below it, at client coordinates past ClientWidth / ClientHeight, and
// mouse messages over a bar never reach the derived control's handlers. Every bar action arrives as
// WM_VSCROLL / WM_HSCROLL (WParam: the SB_* code in the low 16 bits, the thumb position as a full 32-bit
// integer above them: ScrollWParam / ScrollWParamPos), so a message handler can watch them too; the
// default handling calls Scroll. A bar is shown when the style asks for it and the range exceeds the page
// (Max - Min + 1 > Page). A dragged thumb follows the pointer; the position follows it live when
// ThumbTracking is on, and on release (SB_THUMBPOSITION) either way.
#pragma once

#include "package/framework/controls/controls.h"

namespace jox {

// [types] --------------------------------------------------------------------------------------------------
enum TScrollBarKind : uint8_t { sbHorizontal, sbVertical };
enum TScrollStyle : uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TScrollCode : uint8_t {
  scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll
};
// The platform's codes in WM_HSCROLL / WM_VSCROLL (same order as TScrollCode).
constexpr Word SB_LINEUP = 0, SB_LINELEFT = 0, SB_LINEDOWN = 1, SB_LINERIGHT = 1, SB_PAGEUP = 2, SB_PAGELEFT = 2,
               SB_PAGEDOWN = 3, SB_PAGERIGHT = 3, SB_THUMBPOSITION = 4, SB_THUMBTRACK = 5, SB_TOP = 6,
               SB_LEFT = 6, SB_BOTTOM = 7, SB_RIGHT = 7, SB_ENDSCROLL = 8;

// WParam of WM_HSCROLL / WM_VSCROLL. WParam is pointer-sized, so the position keeps all 32 bits (a
// 16-bit word would wrap past 32767 rows); a position below 32768 reads as the platform's high word.
constexpr intptr_t ScrollWParam(Word Code, Integer Pos) {
  return intptr_t(Code) | intptr_t(uint64_t(uint32_t(Pos)) << 16);
}
constexpr Integer ScrollWParamPos(intptr_t WParam) { return Integer(uint32_t(uint64_t(WParam) >> 16)); }
constexpr Word ScrollWParamCode(intptr_t WParam) { return Word(WParam & 0xFFFF); }

struct TScrollInfo {
  Integer Min = 0, Max = 0, Page = 0, Pos = 0;
};

// Bar thickness and arrow button size at 96 dpi (BarSize gives them at a control's scale).
constexpr Integer kScrollBarSize = 17;
// Auto-repeat of arrows and page clicks: first repeat after the delay, then every interval (ms).
constexpr Cardinal kScrollRepeatDelay = 400, kScrollRepeatInterval = 50;
// Lines scrolled per wheel notch.
constexpr Integer kWheelScrollLines = 3;

// [control] ------------------------------------------------------------------------------------------------
class TCustomScrollControl : public TCustomControl {
 public:
  explicit TCustomScrollControl(TComponent* AOwner);
  ~TCustomScrollControl() override;

  // Default ssBoth. Which bars may be shown.
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle v);
  // Range, page and position in scroll units. Max below Min becomes Min, a negative page 0, and the
  // position is clamped to Min .. MaxScrollPos. Repaints the bar; sends nothing and calls no hook.
  void SetScrollInfo(TScrollBarKind Kind, Integer Min, Integer Max, Integer Page, Integer Pos);
  const TScrollInfo& ScrollInfo(TScrollBarKind Kind) const { return FBars[Kind].Info; }
  Integer ScrollPos(TScrollBarKind Kind) const { return FBars[Kind].Info.Pos; }
  // Clamped like SetScrollInfo; calls ScrollPosChanged when the position moved.
  void SetScrollPos(TScrollBarKind Kind, Integer Pos);
  // The largest position: Max - Page + 1 (Max when Page is 0), never below Min.
  Integer MaxScrollPos(TScrollBarKind Kind) const;
  bool ScrollBarVisible(TScrollBarKind Kind) const;
  // A bar's thickness and its arrows' length: kScrollBarSize at the control's scale.
  Integer BarSize() const;
  // The bar's rectangle in client coordinates (empty when hidden); it lies outside ClientRect.
  TRect ScrollBarRect(TScrollBarKind Kind) const;
  // Scroll units per arrow click and per wheel line. Default 1.
  Integer LineSize(TScrollBarKind Kind) const { return FBars[Kind].Line; }
  void SetLineSize(TScrollBarKind Kind, Integer v) { FBars[Kind].Line = v < 1 ? 1 : v; }
  // Default true. Whether a dragged thumb scrolls while it moves (scTrack) or only when released.
  bool ThumbTracking() const { return FThumbTracking; }
  void SetThumbTracking(bool v) { FThumbTracking = v; }
  // Where the thumb stands: the position being dragged to while a thumb drag lasts, else ScrollPos.
  Integer TrackPos(TScrollBarKind Kind) const;

  TRect ClientBounds() const override;
  void WndProc(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;

  JOX_CLASS_TABLE

 protected:
  // One scroll action. The base moves the position: lines by LineSize, pages by Page (at least one
  // line), scPosition to ThumbPos, scTrack too when ThumbTracking, scTop and scBottom to the ends.
  virtual void Scroll(TScrollBarKind Kind, TScrollCode Code, Integer ThumbPos);
  // After the position moved (by any road but SetScrollInfo). The base invalidates.
  virtual void ScrollPosChanged(TScrollBarKind Kind, Integer OldPos);
  // Paints the bars (and the corner between them); called by PaintNonClient after Paint.
  virtual void PaintScrollBars();
  void PaintNonClient() override;
  // The wheel scrolls kWheelScrollLines lines; with Shift, or the horizontal wheel (WM_MOUSEHWHEEL),
  // it scrolls sideways.
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;

 private:
  TScrollBarKind WheelBar(TShiftState Shift) const;
  bool WheelLines(TScrollBarKind Kind, Word Code);
  enum TPart : uint8_t { spNone, spLineUp, spLineDown, spPageUp, spPageDown, spThumb };
  struct TBar {
    TScrollInfo Info;
    Integer Line = 1;
  };
  struct TGeometry {
    TRect Bar, Up, Down, Thumb;  // Thumb empty when the track is too short or nothing scrolls
    Integer TrackStart = 0, TrackLength = 0;
  };
  TGeometry Geometry(TScrollBarKind Kind) const;
  TPart PartAt(TScrollBarKind Kind, TPoint P) const;
  void PaintBar(TScrollBarKind Kind);
  void SendScroll(TScrollBarKind Kind, Word Code, Integer Pos);
  void RepeatStep();
  void TimerProc(TMessage& Message);
  void StopTracking();
  void InvalidateBars();
  bool HandleBarMouse(TMessage& Message);

  TScrollStyle FScrollBars = ssBoth;
  TBar FBars[2];
  // Tracking state while the left button is held on a bar.
  TScrollBarKind FTrackKind = sbVertical;
  TPart FTrackPart = spNone;
  bool FTrackHot = false;       // the pointer is over the part pressed (arrows and pages repeat only then)
  TPoint FTrackPoint;           // last pointer position
  Integer FThumbGrab = 0;       // pointer offset within the thumb along the bar
  Integer FTrackPos = 0;        // position the dragged thumb stands for
  bool FThumbTracking = true;
  HWND FTimerWnd = 0;
  Integer FHWheel = 0;          // horizontal wheel turned but not scrolled yet (part of a notch)
};

}  // namespace jox
