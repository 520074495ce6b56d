// The thumbnail strip: a scrollable grid of square slides numbered Min..Max. It keeps no pictures: for
// every visible slide it asks the application (OnImageRequest) and fits the picture into the slide.
// Sections: [types] [thumbnails]
//
// Sources: thumbnails.cpp (creation, properties, geometry, selection, mouse, class table),
// thumbnails_paint.cpp (Paint and the focus highlight), thumbnails_keys.cpp (keys).
#pragma once

#include <algorithm>
#include <memory>

#include "package/core/coretypes.h"
#include "package/framework/base/component.h"
#include "package/framework/controls/controls.h"
#include "package/framework/graphics/graphics.h"
#include "package/paintbuffer.h"
#include "thumbnails/thumbnails_selection.h"

namespace jox {

// [types] --------------------------------------------------------------------------------------------
enum TImageRequestProcessing : uint8_t { irpShowEmpty, irpShowSlide, irpShowFrameOnly, irpShowNothing };
enum TSlideSelectMode : uint8_t { ssmDisabled, ssmSingle, ssmMultiple };

// Asked once per visible slide and paint. HowToProcess comes in as irpShowEmpty and MarkIt as -1 (no
// marker). ImgBuffer refers to one bitmap shared by all requests of a paint: draw or load into it, or
// point it at a bitmap of your own; the strip frees only the bitmap it created.
using TImageRequestEvent = std::function<void(TObject* Sender, Integer ThumbID, TImageRequestProcessing& HowToProcess,
                                              Integer& MarkIt, TBitmap*& ImgBuffer)>;
// ThumbID is 0 when the point lies on no slide.
using TImageClickEvent = std::function<void(TObject* Sender, Integer X, Integer Y, Integer ThumbID)>;
// After a slide is drawn; Canvas is the off-screen bitmap's, (X, Y) the slide's top-left corner.
using TSlideRenderedEvent =
    std::function<void(TObject* Sender, TCanvas* Canvas, Integer X, Integer Y, Integer ThumbID)>;

// [thumbnails] ---------------------------------------------------------------------------------------
// Geometry: the pitch P = SlideSize + SlideDistance + 2 * SlideMargin, the slide side S = SlideSize +
// 2 * SlideMargin; the grid starts 10 pixels inside the control. Colour, size and frame setters paint at
// once when the value changed (not while the form is being read).
class TThumbnails : public TGraphicControl {
 public:
  static constexpr Integer DefWidth = 260, DefHeight = 400;
  static constexpr Integer DefMin = 1, DefMax = 100, DefSlideSize = 120, DefSlideDistance = 2, DefSlideMargin = 7,
                           DefFocusLinewidth = 1;
  static constexpr TSlideSelectMode DefSlideSelectMode = ssmSingle;
  static constexpr TColor DefColorBackGnd = clBtnFace, DefColorCover = clSilver, DefColorSelected = clNavy,
                          DefColorFocus = clBlue, DefColorMark = clBlack;
  static constexpr TColorScheme DefColorScheme = TColorScheme(0);
  static constexpr TFrameStyle DefFrameStyle = TFrameStyle(2), DefOuterFrameStyle = TFrameStyle(3),
                               DefInnerFrameStyle = TFrameStyle(2);
  // Distance of the grid from the control's edges; also the strips that hide partly scrolled rows.
  static constexpr Integer Border = 10;
  // A wheel notch scrolls this part of a row.
  static constexpr double WheelRowStep = 0.25;

  explicit TThumbnails(TComponent* AOwner);
  ~TThumbnails() override;

  void Assign(TPersistent* Source) override;
  void Paint() override;

  // The slide under a client point; 0 in the gaps, within Border of the edges and outside Min..Max.
  Integer CalcSlideIndex(Integer XPos, Integer YPos) const;
  // Top-left corner of a slide's box at the present scroll position (it may lie outside the control).
  void CalcSlidePos(Integer SldNum, Integer& XPos, Integer& YPos) const;

  // --- selection
  // The lowest selected slide; Min - 1 when nothing is selected.
  Integer FirstSelectedSlide() const;
  Integer NumSlidesSelected() const;
  // Clears the selection and repaints.
  void ResetAllSelections();
  // False outside Min..Max.
  bool SlideSelected(Integer sldnum) const;
  // Selects or deselects a slide and repaints; slides outside Min..Max are ignored.
  void SetSlideSelected(Integer sldnum, bool Value);

  // --- range and scrolling
  // First slide number, default 1. The selection keeps the slides it held that stay in range.
  Integer Min() const { return FMin; }
  void SetMin(Integer Value);
  // Last slide number, default 100; values below 1 become 1.
  Integer Max() const { return FMax; }
  void SetMax(Integer Value);
  // Scroll position: integer part the first slide of the top row, fraction the part of that row
  // scrolled out at the top. The setter takes a slide number (clamped to Min..Max) and stores the row
  // position of that slide: with 2 slides a row, 6 is stored as 5.5. Default 1.
  double FirstThumbIdx() const { return FFirstThumbIx; }
  void SetFirstThumbIdx(double Value);
  // Scrolls by Rows rows (negative: up), within Min..Max.
  void ScrollRows(double Rows);
  // Slides per row and rows drawn, as the last paint laid them out (initially 2 and 0).
  Integer NumSlidesHoriz() const { return FNumSldX; }
  Integer NumSlidesVert() const { return FNumSldY; }

  // --- looks
  // Side of the picture square, clamped to 50..Width, default 120.
  Integer SlideSize() const { return FThumbBaseSize; }
  void SetSlideSize(Integer Value);
  // Gap between slides, clamped to 0..100, default 2.
  Integer SlideDistance() const { return FSLideDist; }
  void SetSlideDistance(Integer Value);
  // Margin between a slide's border and its picture, clamped to 0..100, default 7.
  Integer SlideMargin() const { return FSlideMargin; }
  void SetSlideMargin(Integer Value);
  // How clicks select; a change clears the selection. Default ssmSingle. In ssmMultiple a click toggles
  // the slide, Ctrl+click adds it and Shift+click adds the run from the last clicked slide.
  TSlideSelectMode SlideSelectMode() const { return FSelectMode; }
  void SetSlideSelectMode(TSlideSelectMode Value);
  // Area-averaged (smooth) scaling of pictures instead of nearest pixels. Default false.
  bool AntiAlias() const { return FAntiAlias; }
  void SetAntiAlias(bool Value);
  TColor ColorBackGnd() const { return FColorBG; }  // default clBtnFace
  void SetColorBackGnd(TColor Value);
  TColor ColorCover() const { return FColorCover; }  // slide background, default clSilver
  void SetColorCover(TColor Value);
  TColor ColorSelected() const { return FColorSelected; }  // selected slides, default clNavy
  void SetColorSelected(TColor Value);
  TColor ColorFocus() const { return FColorHilite; }  // highlight lines, default clBlue
  void SetColorFocus(TColor Value);
  TColor ColorMark() const { return FMarkColor; }  // marker symbols, default clBlack
  void SetColorMark(TColor Value);
  // Frame line colours: ordinal 0 classic gray and white, others the system colours. Default 0.
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme Value);
  // Frames of the control (default sunken), of each slide (raised) and of each picture (sunken).
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle Value);
  TFrameStyle OuterFrameStyle() const { return FOuterFrameStyle; }
  void SetOuterFrameStyle(TFrameStyle Value);
  TFrameStyle InnerFrameStyle() const { return FInnerFrameStyle; }
  void SetInnerFrameStyle(TFrameStyle Value);
  // Lines of the highlight round the slide under the pointer, clamped to 0..10 (0: no highlighting).
  // Default 1.
  Integer FocusLinewidth() const { return FHiliteThickness; }
  void SetFocusLinewidth(Integer Value);
  // The highlighted slide, 0 when none.
  Integer FocusedSlide() const { return FLastHiLite; }

  // --- events
  const TImageRequestEvent& OnImageRequest() const { return FOnImageRequest; }
  void SetOnImageRequest(TImageRequestEvent E) { FOnImageRequest = std::move(E); }
  const TImageClickEvent& OnImageClick() const { return FOnImageClick; }
  void SetOnImageClick(TImageClickEvent E) { FOnImageClick = std::move(E); }
  const TImageClickEvent& OnImageDblClick() const { return FOnImageDblClick; }
  void SetOnImageDblClick(TImageClickEvent E) { FOnImageDblClick = std::move(E); }
  const TNotifyEvent& OnFocusChange() const { return FOnHiliteChange; }
  void SetOnFocusChange(TNotifyEvent E) { FOnHiliteChange = std::move(E); }
  // Before the first and after the last image request of a paint.
  const TNotifyEvent& OnFirstImageRequest() const { return FOnFirstImgRequ; }
  void SetOnFirstImageRequest(TNotifyEvent E) { FOnFirstImgRequ = std::move(E); }
  const TNotifyEvent& OnLastImageRequest() const { return FOnLastImgRequ; }
  void SetOnLastImageRequest(TNotifyEvent E) { FOnLastImgRequ = std::move(E); }
  const TSlideRenderedEvent& OnSlideRendered() const { return FOnSlideRendered; }
  void SetOnSlideRendered(TSlideRenderedEvent E) { FOnSlideRendered = std::move(E); }

  JOX_CLASS_TABLE

 protected:
  TAccessible* CreateAccessible() override;  // how assistive technology sees it
  void AssignTo(TPersistent* Dest) override;
  void Loaded() override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  // The strip is a tab stop. Arrows, Home/End and PgUp/PgDn move the focused slide (the highlight,
  // FocusedSlide) and scroll it into view; Space and Enter select it as a click does (OnImageClick
  // with the slide's centre).
  void KeyDown(Word& Key, TShiftState Shift) override;

 private:
  // The lower bound wins in a control narrower than the smallest slide.
  Integer SlideSizeRule(Integer N) const { return std::max<Integer>(std::min(N, Width()), 50); }
  void FocusSlide(Integer s);
  Integer Pitch() const { return FThumbBaseSize + FSLideDist + 2 * FSlideMargin; }
  Integer Side() const { return FThumbBaseSize + 2 * FSlideMargin; }
  // First slide of the top row (below Min when Min does not start a row) and the scrolled-out part of
  // it in pixels.
  int64_t TopSlide() const;
  Integer ScrollPixels() const;
  // Rows with a visible part at the present scroll position.
  Integer VisibleRows() const;
  bool InRange(Integer s) const { return s >= FMin && s <= FMax; }
  // Drops the selected slides that left Min..Max.
  void ResizeSelection();
  void KeepPositionInRange();
  void ApplySelectionClick(Integer s, TShiftState Shift);
  // Moves the highlight to the slide under (X, Y).
  void UpdateHilite(Integer X, Integer Y);
  void SetHilite(Integer s);
  // Draws (or, with Draw false, removes) the highlight of a slide straight on the control's canvas.
  void DrawHilite(Integer s, bool Draw);

  TFrameStyle FFrameStyle = DefFrameStyle;
  TColor FColorBG = DefColorBackGnd;
  TColor FColBlackLine = clBlack, FColGrayLine = clGray, FColWhiteLine = clWhite;
  TColorScheme FColorScheme = DefColorScheme;
  double FFirstThumbIx = 1.0;
  Integer FMin = DefMin, FMax = DefMax;
  Integer FNumSldX = 2, FNumSldY = 0;
  Integer FThumbBaseSize = DefSlideSize;
  Integer FSLideDist = DefSlideDistance;
  Integer FSlideMargin = DefSlideMargin;
  TFrameStyle FOuterFrameStyle = DefOuterFrameStyle, FInnerFrameStyle = DefInnerFrameStyle;
  TImageRequestEvent FOnImageRequest;
  TSlideRenderedEvent FOnSlideRendered;
  TImageClickEvent FOnImageClick, FOnImageDblClick;
  TNotifyEvent FOnHiliteChange;
  TNotifyEvent FOnFirstImgRequ, FOnLastImgRequ;
  bool FAntiAlias = false;
  TColor FColorCover = DefColorCover;
  TColor FColorSelected = DefColorSelected;
  TColor FColorHilite = DefColorFocus;
  TColor FMarkColor = DefColorMark;
  Integer FLastHiLite = 0;
  Integer FHiliteThickness = DefFocusLinewidth;
  bool FIsWorking = false;
  TSlideSelection FSelectedSlide;
  TSlideSelectMode FSelectMode = DefSlideSelectMode;
  Integer FLastClickedSlide = 0;
  // The last painted picture without the highlight: removing a highlight copies from it, so whatever
  // lay under the lines (picture, marker, background) comes back.
  std::unique_ptr<TPaintBuffer> FPainted;
  bool FPaintedValid = false;
};

}  // namespace jox
