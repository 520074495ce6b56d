// The scrolling base. Sections: [lifetime] [range] [geometry] [mouse] [repeat] [painting] [table]
#include "package/framework/controls/scrolling.h"

#include <algorithm>
#include <cstdlib>

#include "package/framework/graphics/drawedge.h"
#include "package/framework/controls/controls_internal.h"
#include "package/framework/controls/forms.h"

namespace jox {

// [lifetime] -----------------------------------------------------------------------------------------------
TCustomScrollControl::TCustomScrollControl(TComponent* AOwner) : TCustomControl(AOwner) {
  FTimerWnd = AllocateHWnd([this](TMessage& m) { TimerProc(m); });
}

TCustomScrollControl::~TCustomScrollControl() { DeallocateHWnd(FTimerWnd); }

// [range] --------------------------------------------------------------------------------------------------
void TCustomScrollControl::SetScrollBars(TScrollStyle v) {
  if (v == FScrollBars) return;
  FScrollBars = v;
  Invalidate();
  Realign();
}

Integer TCustomScrollControl::MaxScrollPos(TScrollBarKind Kind) const {
  const TScrollInfo& i = FBars[Kind].Info;
  return std::max(i.Min, i.Page > 0 ? i.Max - i.Page + 1 : i.Max);
}

void TCustomScrollControl::SetScrollInfo(TScrollBarKind Kind, Integer Min, Integer Max, Integer Page, Integer Pos) {
  const bool wasVisible = ScrollBarVisible(Kind);
  TScrollInfo& i = FBars[Kind].Info;
  i.Min = Min;
  i.Max = std::max(Min, Max);
  i.Page = std::max(Page, 0);
  i.Pos = std::clamp(Pos, i.Min, MaxScrollPos(Kind));
  if (ScrollBarVisible(Kind) != wasVisible) {
    // The client area changed size: everything moves.
    Invalidate();
    Realign();
  } else {
    InvalidateBars();
  }
}

void TCustomScrollControl::SetScrollPos(TScrollBarKind Kind, Integer Pos) {
  TScrollInfo& i = FBars[Kind].Info;
  const Integer old = i.Pos;
  i.Pos = std::clamp(Pos, i.Min, MaxScrollPos(Kind));
  if (i.Pos == old) return;
  InvalidateBars();
  ScrollPosChanged(Kind, old);
}

bool TCustomScrollControl::ScrollBarVisible(TScrollBarKind Kind) const {
  const bool wanted = FScrollBars == ssBoth || (Kind == sbVertical ? FScrollBars == ssVertical
                                                                    : FScrollBars == ssHorizontal);
  const TScrollInfo& i = FBars[Kind].Info;
  return wanted && (i.Page > 0 ? i.Max - i.Min + 1 > i.Page : i.Max > i.Min);
}

void TCustomScrollControl::Scroll(TScrollBarKind Kind, TScrollCode Code, Integer ThumbPos) {
  const TScrollInfo& i = FBars[Kind].Info;
  const Integer line = FBars[Kind].Line;
  const Integer page = std::max(i.Page, line);
  switch (Code) {
    case scLineUp: SetScrollPos(Kind, i.Pos - line); break;
    case scLineDown: SetScrollPos(Kind, i.Pos + line); break;
    case scPageUp: SetScrollPos(Kind, i.Pos - page); break;
    case scPageDown: SetScrollPos(Kind, i.Pos + page); break;
    case scPosition: SetScrollPos(Kind, ThumbPos); break;
    case scTrack:
      if (FThumbTracking) SetScrollPos(Kind, ThumbPos);
      break;
    case scTop: SetScrollPos(Kind, i.Min); break;
    case scBottom: SetScrollPos(Kind, MaxScrollPos(Kind)); break;
    case scEndScroll: break;
  }
}

void TCustomScrollControl::ScrollPosChanged(TScrollBarKind, Integer) { Invalidate(); }

// [geometry] -----------------------------------------------------------------------------------------------
Integer TCustomScrollControl::BarSize() const { return ScaledMetric(this, kScrollBarSize); }

TRect TCustomScrollControl::ClientBounds() const {
  TRect r = TCustomControl::ClientBounds();
  if (ScrollBarVisible(sbVertical)) r.Right = std::max(r.Left, r.Right - BarSize());
  if (ScrollBarVisible(sbHorizontal)) r.Bottom = std::max(r.Top, r.Bottom - BarSize());
  return r;
}

TRect TCustomScrollControl::ScrollBarRect(TScrollBarKind Kind) const {
  if (!ScrollBarVisible(Kind)) return TRect();
  const TRect c = ClientRect();
  return Kind == sbVertical ? Rect(c.Right, 0, c.Right + BarSize(), c.Bottom)
                            : Rect(0, c.Bottom, c.Right, c.Bottom + BarSize());
}

TCustomScrollControl::TGeometry TCustomScrollControl::Geometry(TScrollBarKind Kind) const {
  TGeometry g;
  g.Bar = ScrollBarRect(Kind);
  if (g.Bar.IsEmpty()) return g;
  const bool v = Kind == sbVertical;
  const Integer length = v ? g.Bar.Height() : g.Bar.Width();
  // Short bars squeeze their arrows to half the length each.
  const Integer arrow = std::min(BarSize(), length / 2);
  if (v) {
    g.Up = Rect(g.Bar.Left, g.Bar.Top, g.Bar.Right, g.Bar.Top + arrow);
    g.Down = Rect(g.Bar.Left, g.Bar.Bottom - arrow, g.Bar.Right, g.Bar.Bottom);
  } else {
    g.Up = Rect(g.Bar.Left, g.Bar.Top, g.Bar.Left + arrow, g.Bar.Bottom);
    g.Down = Rect(g.Bar.Right - arrow, g.Bar.Top, g.Bar.Right, g.Bar.Bottom);
  }
  g.TrackStart = (v ? g.Bar.Top : g.Bar.Left) + arrow;
  g.TrackLength = length - 2 * arrow;
  const TScrollInfo& i = FBars[Kind].Info;
  const Integer maxPos = MaxScrollPos(Kind);
  if (maxPos <= i.Min || g.TrackLength <= 0) return g;
  const int64_t range = int64_t(i.Max) - i.Min + 1;
  Integer thumb = i.Page > 0 ? Integer(int64_t(g.TrackLength) * i.Page / range) : BarSize();
  thumb = std::max(thumb, ScaledMetric(this, 8));
  if (thumb > g.TrackLength) return g;
  const Integer start = g.TrackStart + Integer(int64_t(g.TrackLength - thumb) * (int64_t(TrackPos(Kind)) - i.Min) /
                                               (int64_t(maxPos) - i.Min));
  g.Thumb = v ? Rect(g.Bar.Left, start, g.Bar.Right, start + thumb) : Rect(start, g.Bar.Top, start + thumb, g.Bar.Bottom);
  return g;
}

Integer TCustomScrollControl::TrackPos(TScrollBarKind Kind) const {
  const bool dragging = FTrackPart == spThumb && FTrackKind == Kind;
  return std::clamp(dragging ? FTrackPos : FBars[Kind].Info.Pos, FBars[Kind].Info.Min, MaxScrollPos(Kind));
}

TCustomScrollControl::TPart TCustomScrollControl::PartAt(TScrollBarKind Kind, TPoint P) const {
  const TGeometry g = Geometry(Kind);
  if (!g.Bar.Contains(P)) return spNone;
  if (g.Up.Contains(P)) return spLineUp;
  if (g.Down.Contains(P)) return spLineDown;
  if (g.Thumb.IsEmpty()) return spNone;  // nothing to scroll: the track is dead
  if (g.Thumb.Contains(P)) return spThumb;
  const bool before = Kind == sbVertical ? P.Y < g.Thumb.Top : P.X < g.Thumb.Left;
  return before ? spPageUp : spPageDown;
}

// [mouse] --------------------------------------------------------------------------------------------------
void TCustomScrollControl::SendScroll(TScrollBarKind Kind, Word Code, Integer Pos) {
  Perform(Kind == sbVertical ? WM_VSCROLL : WM_HSCROLL, ScrollWParam(Code, Pos), 0);
}

void TCustomScrollControl::WndProc(TMessage& Message) {
  if (HandleBarMouse(Message)) return;
  TCustomControl::WndProc(Message);
}

bool TCustomScrollControl::HandleBarMouse(TMessage& m) {
  if (m.Msg == WM_CANCELMODE) StopTracking();
  if (!IsMouseMessage(m.Msg)) return false;
  const TPoint p = LParamToPoint(m.LParam);
  if (FTrackPart != spNone) {
    if (m.Msg == WM_MOUSEMOVE) {
      FTrackPoint = p;
      if (FTrackPart == spThumb) {
        const TGeometry g = Geometry(FTrackKind);
        const TScrollInfo& i = FBars[FTrackKind].Info;
        if (g.Thumb.IsEmpty()) return true;  // the range shrank under the drag
        const Integer thumb = FTrackKind == sbVertical ? g.Thumb.Height() : g.Thumb.Width();
        const Integer movable = g.TrackLength - thumb;
        const Integer along = (FTrackKind == sbVertical ? p.Y : p.X) - FThumbGrab - g.TrackStart;
        Integer pos = i.Min;
        if (movable > 0) {
          const int64_t span = int64_t(MaxScrollPos(FTrackKind)) - i.Min;
          // Rounded to the nearest position, so the thumb follows the pointer without lag.
          pos = i.Min + Integer((int64_t(std::clamp(along, 0, movable)) * span * 2 + movable) / (2 * movable));
        }
        if (pos != FTrackPos) {
          FTrackPos = pos;
          InvalidateBars();
          SendScroll(FTrackKind, SB_THUMBTRACK, pos);
        }
      } else {
        const bool hot = PartAt(FTrackKind, p) == FTrackPart;
        if (hot != FTrackHot) {
          FTrackHot = hot;
          InvalidateBars();
        }
      }
    } else if (m.Msg == WM_LBUTTONUP) {
      const TScrollBarKind kind = FTrackKind;
      const bool thumb = FTrackPart == spThumb;
      const Integer pos = TrackPos(kind);
      StopTracking();
      if (thumb) SendScroll(kind, SB_THUMBPOSITION, pos);
      SendScroll(kind, SB_ENDSCROLL, 0);
    }
    return true;
  }
  // Not tracking: only what lands on a bar (or the corner between them) is ours.
  const TRect c = ClientRect();
  const TRect b = ClientBounds();
  if (c.Contains(p) || !Bounds(-b.Left, -b.Top, Width(), Height()).Contains(p)) return false;
  if (m.Msg != WM_LBUTTONDOWN && m.Msg != WM_LBUTTONDBLCLK) return true;
  for (TScrollBarKind kind : {sbVertical, sbHorizontal}) {
    const TPart part = PartAt(kind, p);
    if (part == spNone) continue;
    FTrackKind = kind;
    FTrackPos = FBars[kind].Info.Pos;
    FTrackPart = part;
    FTrackHot = true;
    FTrackPoint = p;
    SetMouseCapture(true);
    if (part == spThumb) {
      const TGeometry g = Geometry(kind);
      FThumbGrab = kind == sbVertical ? p.Y - g.Thumb.Top : p.X - g.Thumb.Left;
      InvalidateBars();
    } else {
      InvalidateBars();
      RepeatStep();
      if (FTrackPart != spNone) SetTimer(FTimerWnd, 1, kScrollRepeatDelay);
    }
    break;
  }
  return true;
}

// [repeat] -------------------------------------------------------------------------------------------------
void TCustomScrollControl::RepeatStep() {
  if (!FTrackHot) return;
  // A page click repeats until the thumb has passed the pointer.
  if ((FTrackPart == spPageUp || FTrackPart == spPageDown) && PartAt(FTrackKind, FTrackPoint) != FTrackPart)
    return;
  static constexpr Word codes[] = {0, SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN};
  SendScroll(FTrackKind, codes[FTrackPart], 0);
}

void TCustomScrollControl::TimerProc(TMessage& Message) {
  if (Message.Msg != WM_TIMER) {
    Message.Result = DefWindowProcW(FTimerWnd, Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  if (FTrackPart == spNone || FTrackPart == spThumb) {
    KillTimer(FTimerWnd, 1);
    return;
  }
  if (Application->TimerInterval(FTimerWnd, 1) != kScrollRepeatInterval)
    SetTimer(FTimerWnd, 1, kScrollRepeatInterval);
  try {
    RepeatStep();
  } catch (...) {
    Application->HandleException(this);
  }
}

void TCustomScrollControl::StopTracking() {
  if (FTrackPart == spNone) return;
  FTrackPart = spNone;
  FTrackHot = false;
  KillTimer(FTimerWnd, 1);
  SetMouseCapture(false);
  InvalidateBars();
}

// The bar a wheel turns: the vertical one, or the horizontal one when it is the only one or Shift
// turns the wheel sideways.
TScrollBarKind TCustomScrollControl::WheelBar(TShiftState Shift) const {
  if ((Shift & ssShift) && ScrollBarVisible(sbHorizontal)) return sbHorizontal;
  return ScrollBarVisible(sbVertical) || !ScrollBarVisible(sbHorizontal) ? sbVertical : sbHorizontal;
}

bool TCustomScrollControl::WheelLines(TScrollBarKind Kind, Word Code) {
  if (!ScrollBarVisible(Kind)) return false;
  for (Integer i = 0; i < kWheelScrollLines; ++i) SendScroll(Kind, Code, 0);
  SendScroll(Kind, SB_ENDSCROLL, 0);
  return true;
}

bool TCustomScrollControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  if (TCustomControl::DoMouseWheelDown(Shift, MousePos)) return true;
  return WheelLines(WheelBar(Shift), SB_LINEDOWN);
}

bool TCustomScrollControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  if (TCustomControl::DoMouseWheelUp(Shift, MousePos)) return true;
  return WheelLines(WheelBar(Shift), SB_LINEUP);
}

void TCustomScrollControl::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_VSCROLL:
    case WM_HSCROLL:
      Scroll(Message.Msg == WM_VSCROLL ? sbVertical : sbHorizontal, TScrollCode(ScrollWParamCode(Message.WParam)),
             ScrollWParamPos(Message.WParam));
      return;
    case WM_MOUSEHWHEEL: {
      // The horizontal wheel (a tilt): positive to the right, one wheel step per notch.
      const Integer delta = Integer(int16_t(uint16_t((uintptr_t(Message.WParam) >> 16) & 0xFFFF)));
      FHWheel += delta;
      bool moved = false;
      while (std::abs(FHWheel) >= WHEEL_DELTA) {
        const bool right = FHWheel > 0;
        FHWheel += right ? -WHEEL_DELTA : WHEEL_DELTA;
        moved = WheelLines(sbHorizontal, right ? SB_LINERIGHT : SB_LINELEFT) || moved;
      }
      Message.Result = moved || ScrollBarVisible(sbHorizontal) ? 1 : 0;
      return;
    }
    default:
      TCustomControl::DefaultHandler(Message);
  }
}

// [painting] -----------------------------------------------------------------------------------------------
void TCustomScrollControl::InvalidateBars() {
  const TRect c = ClientRect();
  // The bars and the corner between them.
  if (ScrollBarVisible(sbVertical)) InvalidateRect(Rect(c.Right, 0, c.Right + BarSize(), c.Bottom + BarSize()));
  if (ScrollBarVisible(sbHorizontal)) InvalidateRect(Rect(0, c.Bottom, c.Right + BarSize(), c.Bottom + BarSize()));
}

void TCustomScrollControl::PaintNonClient() {
  TCustomControl::PaintNonClient();
  PaintScrollBars();
}

void TCustomScrollControl::PaintBar(TScrollBarKind Kind) {
  const TGeometry g = Geometry(Kind);
  if (g.Bar.IsEmpty()) return;
  TCanvas* c = Canvas();
  const bool v = Kind == sbVertical;
  const bool active = Enabled() && !g.Thumb.IsEmpty();
  const bool tracking = FTrackPart != spNone && FTrackKind == Kind;
  // Track: the classic halftone of face and highlight, darker where a page click is held.
  const TColor face = ColorToRGB(clBtnFace), hi = ColorToRGB(clBtnHighlight);
  const TColor track = RGB(Byte((GetRValue(face) + GetRValue(hi)) / 2), Byte((GetGValue(face) + GetGValue(hi)) / 2),
                           Byte((GetBValue(face) + GetBValue(hi)) / 2));
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(track);
  const TRect trackRect = v ? Rect(g.Bar.Left, g.Up.Bottom, g.Bar.Right, g.Down.Top)
                            : Rect(g.Up.Right, g.Bar.Top, g.Down.Left, g.Bar.Bottom);
  c->FillRect(trackRect);
  if (tracking && FTrackHot && (FTrackPart == spPageUp || FTrackPart == spPageDown) && !g.Thumb.IsEmpty()) {
    c->Brush()->SetColor(cl3DDkShadow);
    if (FTrackPart == spPageUp)
      c->FillRect(v ? Rect(g.Bar.Left, trackRect.Top, g.Bar.Right, g.Thumb.Top)
                    : Rect(trackRect.Left, g.Bar.Top, g.Thumb.Left, g.Bar.Bottom));
    else
      c->FillRect(v ? Rect(g.Bar.Left, g.Thumb.Bottom, g.Bar.Right, trackRect.Bottom)
                    : Rect(g.Thumb.Right, g.Bar.Top, trackRect.Right, g.Bar.Bottom));
  }
  auto button = [&](TRect r, bool pressed, TArrowDirection dir) {
    if (r.IsEmpty()) return;
    if (pressed) {
      TRect e = r;
      DrawEdge(c, e, BDR_SUNKENOUTER, BF_RECT | BF_FLAT | BF_MIDDLE);
      r = Rect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
    } else {
      TRect e = r;
      DrawEdge(c, e, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    }
    const Integer size = std::max<Integer>(1, (std::min(r.Width(), r.Height()) - 4) / 3);
    if (active) DrawArrow(c, r, dir, size, clBtnText);
    else DrawDisabledArrow(c, r, dir, size);
  };
  button(g.Up, tracking && FTrackHot && FTrackPart == spLineUp, v ? adUp : adLeft);
  button(g.Down, tracking && FTrackHot && FTrackPart == spLineDown, v ? adDown : adRight);
  if (active) {
    TRect t = g.Thumb;
    DrawEdge(c, t, EDGE_RAISED, BF_RECT | BF_MIDDLE);
  }
}

void TCustomScrollControl::PaintScrollBars() {
  PaintBar(sbVertical);
  PaintBar(sbHorizontal);
  if (ScrollBarVisible(sbVertical) && ScrollBarVisible(sbHorizontal)) {
    const TRect cr = ClientRect();
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(Rect(cr.Right, cr.Bottom, cr.Right + BarSize(), cr.Bottom + BarSize()));
  }
}

// [table] --------------------------------------------------------------------------------------------------
const TClassInfo& TCustomScrollControl::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TCustomScrollControl>(&TCustomControl::ClassInfo());
  return info;
}

}  // namespace jox
