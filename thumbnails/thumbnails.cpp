// Sections: [lifecycle] [geometry] [range] [looks] [selection] [mouse] [table]
#include <algorithm>
#include <cmath>

#include "package/colorscheme.h"
#include "package/rounding.h"
#include "package/setters.h"
#include "package/units.h"
#include "thumbnails/thumbnails.h"

namespace jox {

// [lifecycle] ----------------------------------------------------------------------------------------
TThumbnails::TThumbnails(TComponent* AOwner)
    : TGraphicControl(AOwner) {
  SetMessageHandler(CM_MOUSELEAVE, [this](TMessage& m) {
    DefaultHandler(m);
    SetHilite(0);  // the highlight follows the pointer, so it goes with it
  });
  WantKeyboard(DLGC_WANTARROWS | DLGC_WANTRETURN);
  SetBounds(Left(), Top(), DefWidth, DefHeight);
  FPainted = std::make_unique<TPaintBuffer>(this);
}

TThumbnails::~TThumbnails() = default;

void TThumbnails::Loaded() {
  TGraphicControl::Loaded();
  ApplyRule(FThumbBaseSize, [this](Integer v) { return SlideSizeRule(v); });
  ResizeSelection();
  KeepPositionInRange();
  Invalidate();
}

void TThumbnails::AssignTo(TPersistent* Dest) {
  if (dynamic_cast<TThumbnails*>(Dest))
    Dest->Assign(this);
  else
    TGraphicControl::AssignTo(Dest);
}

void TThumbnails::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TThumbnails*>(Source);
  if (!S) {
    TGraphicControl::Assign(Source);
    return;
  }
  if (S == this) return;
  FFrameStyle = S->FFrameStyle;
  FOuterFrameStyle = S->FOuterFrameStyle;
  FInnerFrameStyle = S->FInnerFrameStyle;
  FColorBG = S->FColorBG;
  FColBlackLine = S->FColBlackLine;
  FColGrayLine = S->FColGrayLine;
  FColWhiteLine = S->FColWhiteLine;
  FColorScheme = S->FColorScheme;
  FFirstThumbIx = S->FFirstThumbIx;
  FMin = S->FMin;
  FMax = S->FMax;
  FNumSldX = S->FNumSldX;
  FNumSldY = S->FNumSldY;
  FThumbBaseSize = S->FThumbBaseSize;
  FSLideDist = S->FSLideDist;
  FSlideMargin = S->FSlideMargin;
  FOnImageRequest = S->FOnImageRequest;
  FOnImageClick = S->FOnImageClick;
  FOnImageDblClick = S->FOnImageDblClick;
  FOnHiliteChange = S->FOnHiliteChange;
  FOnFirstImgRequ = S->FOnFirstImgRequ;
  FOnLastImgRequ = S->FOnLastImgRequ;
  FAntiAlias = S->FAntiAlias;
  FColorCover = S->FColorCover;
  FColorSelected = S->FColorSelected;
  FColorHilite = S->FColorHilite;
  FLastHiLite = S->FLastHiLite;
  FHiliteThickness = S->FHiliteThickness;
  // The selection is not copied, but it must keep matching the copied range.
  ResizeSelection();
  PaintNow(this);
}

// [geometry] -----------------------------------------------------------------------------------------
int64_t TThumbnails::TopSlide() const { return int64_t(std::floor(FFirstThumbIx)); }

Integer TThumbnails::ScrollPixels() const {
  const double r = FFirstThumbIx - std::floor(FFirstThumbIx);
  return Integer(std::nearbyint(r * Pitch()));
}

Integer TThumbnails::VisibleRows() const {
  // Row j (from 0) starts at j * P + SlideDistance - scrolled + Border; it shows while it starts above
  // the bottom strip.
  const Integer firstTop = FSLideDist - ScrollPixels() + Border;
  const Integer lastVisible = Height() - Border - 1;
  if (lastVisible < firstTop) return 0;
  return (lastVisible - firstTop) / Pitch() + 1;
}

void TThumbnails::CalcSlidePos(Integer SldNum, Integer& XPos, Integer& YPos) const {
  const Integer N = std::max<Integer>(FNumSldX, 1), P = Pitch();
  const int64_t k = int64_t(SldNum) - TopSlide();
  XPos = P * Integer(FloorMod(k, N)) + Border;
  // A slide far from the top lies far off the strip; 64 bits, held inside Integer, keep that sound.
  const int64_t y = int64_t(P) * FloorDiv(k, N) + FSLideDist - ScrollPixels() + Border;
  YPos = Integer(std::clamp<int64_t>(y, -(int64_t(1) << 30), int64_t(1) << 30));
}

Integer TThumbnails::CalcSlideIndex(Integer XPos, Integer YPos) const {
  const Integer N = std::max<Integer>(FNumSldX, 1), P = Pitch(), S = Side();
  if (XPos < Border || XPos > Width() - Border || YPos < Border || YPos > Height() - Border) return 0;
  const Integer a = Integer(FloorDiv(XPos - Border, P));
  const Integer col = (P * a + Border <= XPos && XPos <= P * a + Border + S) ? a + 1 : 0;
  const Integer d = ScrollPixels();
  const Integer e = Integer(FloorDiv(int64_t(YPos) + d - FSLideDist - Border, P));
  const int64_t t = int64_t(P) * e + FSLideDist - d + Border;
  const Integer row = (t <= YPos && YPos <= t + S) ? e + 1 : 0;
  if (col < 1 || col > N || row < 1) return 0;
  const int64_t s = TopSlide() + int64_t(row - 1) * N + col - 1;
  return (s >= FMin && s <= FMax) ? Integer(s) : 0;
}

// [range] --------------------------------------------------------------------------------------------
void TThumbnails::ResizeSelection() {
  if (FMax < FMin) FSelectedSlide.Clear();
  else FSelectedSlide.KeepWithin(FMin, FMax);
}

void TThumbnails::SetMin(Integer Value) {
  if (Value == FMin) return;
  FMin = Value;
  if (ComponentState().Contains(csLoading)) return;  // Loaded sizes the selection
  ResizeSelection();
  KeepPositionInRange();
  PaintNow(this);
}

void TThumbnails::SetMax(Integer Value) {
  Value = std::max<Integer>(Value, 1);
  if (Value == FMax) return;
  FMax = Value;
  if (ComponentState().Contains(csLoading)) return;
  ResizeSelection();
  KeepPositionInRange();
  PaintNow(this);
}

void TThumbnails::SetFirstThumbIdx(double Value) {
  if (std::isnan(Value)) return;
  // An empty range (Max below Min) has no position but Min.
  const double hi = std::max<double>(FMax, FMin);
  Value = std::clamp<double>(Value, FMin, hi);
  const Integer N = std::max<Integer>(FNumSldX, 1);
  const Integer k = Integer(FloorDiv(int64_t(std::floor(Value - 1)), N));
  const double c = double(N) * k + 1;
  const double stored = c + (Value - c) / N;
  if (stored == FFirstThumbIx) return;
  FFirstThumbIx = stored;
  PaintNow(this);
}

void TThumbnails::KeepPositionInRange() {
  // A range moved past the view would leave it empty; the view follows it.
  const Integer N = std::max<Integer>(FNumSldX, 1);
  const double lo = double(N) * FloorDiv(int64_t(FMin) - 1, N) + 1;
  const double hi = std::max<double>(FMax, FMin);
  if (FFirstThumbIx < lo || FFirstThumbIx > hi) SetFirstThumbIdx(std::clamp<double>(FFirstThumbIx, FMin, hi));
}

void TThumbnails::ScrollRows(double Rows) {
  if (std::isnan(Rows) || Rows == 0) return;
  const Integer N = std::max<Integer>(FNumSldX, 1);
  // Row position (whole rows from slide 1) and back to the slide number the setter takes.
  const double rowPos = (std::floor(FFirstThumbIx) - 1) / N + (FFirstThumbIx - std::floor(FFirstThumbIx)) + Rows;
  const double row = std::floor(rowPos);
  SetFirstThumbIdx(row * N + 1 + (rowPos - row) * N);
}

// [looks] --------------------------------------------------------------------------------------------
void TThumbnails::SetSlideSize(Integer Value) {
  if (StoreByRule(this, FThumbBaseSize, Value, [this](Integer v) { return SlideSizeRule(v); })) PaintNow(this);
}
void TThumbnails::SetSlideDistance(Integer Value) {
  StoreAndPaint(this, FSLideDist, std::clamp<Integer>(Value, 0, 100));
}
void TThumbnails::SetSlideMargin(Integer Value) {
  StoreAndPaint(this, FSlideMargin, std::clamp<Integer>(Value, 0, 100));
}
void TThumbnails::SetColorBackGnd(TColor Value) { StoreAndPaint(this, FColorBG, Value); }
void TThumbnails::SetColorCover(TColor Value) { StoreAndPaint(this, FColorCover, Value); }
void TThumbnails::SetColorSelected(TColor Value) { StoreAndPaint(this, FColorSelected, Value); }
void TThumbnails::SetColorFocus(TColor Value) { StoreAndPaint(this, FColorHilite, Value); }
void TThumbnails::SetColorMark(TColor Value) { StoreAndPaint(this, FMarkColor, Value); }
void TThumbnails::SetFrameStyle(TFrameStyle Value) { StoreAndPaint(this, FFrameStyle, Value); }
void TThumbnails::SetOuterFrameStyle(TFrameStyle Value) { StoreAndPaint(this, FOuterFrameStyle, Value); }
void TThumbnails::SetInnerFrameStyle(TFrameStyle Value) { StoreAndPaint(this, FInnerFrameStyle, Value); }
void TThumbnails::SetFocusLinewidth(Integer Value) {
  StoreAndPaint(this, FHiliteThickness, std::clamp<Integer>(Value, 0, 10));
}

void TThumbnails::SetAntiAlias(bool Value) {
  FAntiAlias = Value;
  PaintNow(this);
}

void TThumbnails::SetColorScheme(TColorScheme Value) {
  if (Value == FColorScheme) return;
  FColorScheme = Value;
  SchemeLineColors(Value, true, StyleElements(), FColGrayLine, FColWhiteLine, &FColBlackLine);
  PaintNow(this);
}

// [selection] ----------------------------------------------------------------------------------------
Integer TThumbnails::FirstSelectedSlide() const {
  // With Min at the lowest Integer, "none" wraps to the highest one.
  return FSelectedSlide.Empty() ? Integer(uint32_t(FMin) - 1u) : FSelectedSlide.First();
}
Integer TThumbnails::NumSlidesSelected() const { return FSelectedSlide.Count(); }

void TThumbnails::ResetAllSelections() {
  FSelectedSlide.Clear();
  PaintNow(this);
}

bool TThumbnails::SlideSelected(Integer sldnum) const {
  return InRange(sldnum) && FSelectedSlide.Contains(sldnum);
}

void TThumbnails::SetSlideSelected(Integer sldnum, bool Value) {
  if (!InRange(sldnum)) return;
  FSelectedSlide.Set(sldnum, Value);
  PaintNow(this);
}

void TThumbnails::SetSlideSelectMode(TSlideSelectMode Value) {
  if (Value == FSelectMode) return;
  FSelectMode = Value;
  FSelectedSlide.Clear();
  PaintNow(this);
}

void TThumbnails::ApplySelectionClick(Integer s, TShiftState Shift) {
  if (FSelectMode == ssmSingle) {
    FSelectedSlide.Clear();
    if (s != 0) FSelectedSlide.Set(s, true);
    FLastClickedSlide = s;
    PaintNow(this);
    return;
  }
  if (FSelectMode != ssmMultiple || s == 0) return;
  if ((Shift & ssShift) && InRange(FLastClickedSlide)) {
    // The anchor stays, so further Shift+clicks grow or shrink from the same slide.
    const Integer lo = std::min(FLastClickedSlide, s), hi = std::max(FLastClickedSlide, s);
    FSelectedSlide.Add(lo, hi);
  } else {
    const bool on = (Shift & ssCtrl) ? true : !FSelectedSlide.Contains(s);
    FSelectedSlide.Set(s, on);
    FLastClickedSlide = s;
  }
  PaintNow(this);
}

// [mouse] --------------------------------------------------------------------------------------------
void TThumbnails::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  UpdateHilite(X, Y);
}

void TThumbnails::UpdateHilite(Integer X, Integer Y) {
  if (FHiliteThickness <= 0) return;
  SetHilite(CalcSlideIndex(X, Y));
}

void TThumbnails::SetHilite(Integer s) {
  if (s == FLastHiLite) return;
  DrawHilite(FLastHiLite, false);
  DrawHilite(s, true);
  FLastHiLite = s;
  if (FOnHiliteChange) FOnHiliteChange(this);
}

void TThumbnails::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft && (Shift & ssDouble) && FOnImageDblClick)
    FOnImageDblClick(this, X, Y, CalcSlideIndex(X, Y));
}

void TThumbnails::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft || (X == -1 && Y == -1)) return;
  const Integer s = CalcSlideIndex(X, Y);
  ApplySelectionClick(s, Shift);
  if (FOnImageClick) FOnImageClick(this, X, Y, s);
}

bool TThumbnails::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  if (TGraphicControl::DoMouseWheelDown(Shift, MousePos)) return true;
  ScrollRows(WheelRowStep);
  const TPoint p = ScreenToClient(MousePos);
  UpdateHilite(p.X, p.Y);  // the slides moved under a resting pointer
  return true;
}

bool TThumbnails::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  if (TGraphicControl::DoMouseWheelUp(Shift, MousePos)) return true;
  ScrollRows(-WheelRowStep);
  const TPoint p = ScreenToClient(MousePos);
  UpdateHilite(p.X, p.Y);
  return true;
}

// [table] --------------------------------------------------------------------------------------------
const TClassInfo& TThumbnails::ClassInfo() {
  using T = TThumbnails;
  static const TClassInfo info =
      TClassBuilder<TThumbnails>(&TGraphicControl::ClassInfo())
          .Prop("Min", &T::Min, &T::SetMin, DefMin)
          .Prop("Max", &T::Max, &T::SetMax, DefMax)
          .Prop("SlideSize", &T::SlideSize, &T::SetSlideSize, DefSlideSize)
          .Prop("SlideDistance", &T::SlideDistance, &T::SetSlideDistance, DefSlideDistance)
          .Prop("SlideMargin", &T::SlideMargin, &T::SetSlideMargin, DefSlideMargin)
          .Prop("SlideSelectMode", &T::SlideSelectMode, &T::SetSlideSelectMode, DefSlideSelectMode)
          .Prop("AntiAlias", &T::AntiAlias, &T::SetAntiAlias, false)
          .Prop("ColorBackGnd", &T::ColorBackGnd, &T::SetColorBackGnd, DefColorBackGnd)
          .Prop("ColorCover", &T::ColorCover, &T::SetColorCover, DefColorCover)
          .Prop("ColorSelected", &T::ColorSelected, &T::SetColorSelected, DefColorSelected)
          .Prop("ColorFocus", &T::ColorFocus, &T::SetColorFocus, DefColorFocus)
          .Prop("ColorMark", &T::ColorMark, &T::SetColorMark, DefColorMark)
          .Prop("ColorScheme", &T::ColorScheme, &T::SetColorScheme, DefColorScheme)
          .Prop("FrameStyle", &T::FrameStyle, &T::SetFrameStyle, DefFrameStyle)
          .Prop("OuterFrameStyle", &T::OuterFrameStyle, &T::SetOuterFrameStyle, DefOuterFrameStyle)
          .Prop("InnerFrameStyle", &T::InnerFrameStyle, &T::SetInnerFrameStyle, DefInnerFrameStyle)
          .Prop("FocusLinewidth", &T::FocusLinewidth, &T::SetFocusLinewidth, DefFocusLinewidth)
          .ReadOnly("FocusedSlide", &T::FocusedSlide)
          .Event("OnImageRequest")
          .Event("OnImageClick")
          .Event("OnImageDblClick")
          .Event("OnFocusChange")
          .Event("OnFirstImageRequest")
          .Event("OnLastImageRequest")
          .Event("OnSlideRendered")
          .Publish(ControlProperties(), pgBounds)
          .Publish(ControlProperties(), {"Align", "Anchors", "DragCursor", "DragMode", "Enabled", "Font",
                                         "ParentFont", "ParentShowHint", "PopupMenu", "ShowHint",
                                         "StyleElements", "Visible", "OnClick", "OnDblClick", "OnMouseDown",
                                         "OnMouseMove", "OnMouseUp", "OnStartDrag", "OnDragDrop", "OnEndDrag",
                                         "OnDragOver", "OnResize"});
  return info;
}

// Registered for form text by the unit's start-up.
static const TUnitClasses ThumbnailsClasses(juThumbnails, {&TThumbnails::ClassInfo});

}  // namespace jox
