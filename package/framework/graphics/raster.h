// Pixel algorithms behind TCanvas: spans, lines, shapes, polygons, flood fill, raster-operation copies and
// stretching. Everything works in target (device) coordinates on raw 0x00RRGGBB rows and is cut to a clip
// rectangle that the caller has already intersected with the surface.
// Sections: [surface] [ink] [spans] [lines] [shapes] [fill] [copies]
#pragma once

#include <cstdint>
#include <vector>

#include "package/framework/base/types.h"

namespace jox {
// The pen and brush styles (declared here so the pixel layer needs nothing above it; graphics.h uses them).
enum TPenStyle : uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// How pen pixels combine with what is there (the binary raster operations).
enum TPenMode : uint8_t {
  pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
  pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};
enum TBrushStyle : uint8_t { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
}  // namespace jox

namespace jox::raster {

// [surface] ------------------------------------------------------------------------------------------------
struct Surface {
  uint32_t* bits = nullptr;
  Integer width = 0, height = 0;
  uint32_t* Row(Integer y) const { return bits + size_t(y) * size_t(width); }
  TRect Bounds() const { return {0, 0, width, height}; }
};

TRect Intersect(const TRect& a, const TRect& b);  // empty rectangles come back as {0, 0, 0, 0}
TRect Normalized(TRect r);                          // Left <= Right, Top <= Bottom

// [ink] ----------------------------------------------------------------------------------------------------
// How a span is coloured: a pixel, a binary raster operation (pen mode) and an optional hatch
// (only the hatch lines are drawn; the pattern is aligned to the surface's (0, 0)).
struct Ink {
  uint32_t pixel = 0;
  TPenMode mode = pmCopy;
  TBrushStyle hatch = bsSolid;  // bsSolid for plain
};
Ink SolidInk(uint32_t pixel);  // pmCopy, bsSolid
uint32_t Combine(TPenMode mode, uint32_t dst, uint32_t pen);
bool HatchHit(TBrushStyle hatch, Integer x, Integer y);

// [spans] --------------------------------------------------------------------------------------------------
// Pixels [x0, x1) of row y.
void FillSpan(const Surface& s, const TRect& clip, Integer y, Integer x0, Integer x1, const Ink& ink);
void FillRect(const Surface& s, const TRect& clip, const TRect& r, const Ink& ink);
void PutPixel(const Surface& s, const TRect& clip, Integer x, Integer y, const Ink& ink);

// [lines] --------------------------------------------------------------------------------------------------
// A pen: width 1 may carry a dash style; gaps are painted with gapInk when opaqueGaps.
struct LinePen {
  Ink ink;
  Integer width = 1;
  TPenStyle style = psSolid;
  bool opaqueGaps = false;
  Ink gapInk;
};
// Dash position carried from segment to segment of one polyline.
struct DashState {
  Integer index = 0;  // pixel count along the pattern
};
// From (x0, y0) to (x1, y1); the end pixel is drawn only when includeEnd.
void DrawLine(const Surface& s, const TRect& clip, Integer x0, Integer y0, Integer x1, Integer y1,
              const LinePen& pen, DashState& dash, bool includeEnd = false);

// [shapes] -------------------------------------------------------------------------------------------------
// A box [L, R) x [T, B) with elliptic corners cw x ch (the whole box for an ellipse).
struct RoundBox {
  TRect box;
  Integer cw = 0, ch = 0;
  // Span of row y, false when the row is outside or empty.
  bool Span(Integer y, Integer& x0, Integer& x1) const;
  RoundBox Inset(Integer d) const;
};

// Which part of an elliptic box an arc, pie or chord keeps.
enum class ArcPart { Arc, Pie, Chord };
struct ArcGeometry {
  double cx = 0, cy = 0;     // centre in pixel-index coordinates
  double sx = 0, sy = 0;     // start ray (y up)
  double ex = 0, ey = 0;     // end ray (y up)
  bool full = false;         // start and end rays coincide: the whole ellipse
  TPoint startPt, endPt;     // where the rays meet the ellipse (pixel positions)
  // Pixel (x, y) lies in the counter-clockwise sweep from start to end.
  bool InSweep(Integer x, Integer y) const;
  // Pixel lies on the arc's side of the chord.
  bool InChord(Integer x, Integer y) const;
};
ArcGeometry MakeArc(const TRect& box, Integer x3, Integer y3, Integer x4, Integer y4);

// Outline ring (pen width thick, inside the box) and inside of a round box. fillInk may be null (no fill),
// penInk may be null (no outline: the fill then covers the whole box).
void DrawRoundBox(const Surface& s, const TRect& clip, const RoundBox& rb, Integer penWidth, const Ink* penInk,
                  const Ink* fillInk);
void DrawArcShape(const Surface& s, const TRect& clip, const RoundBox& rb, const ArcGeometry& g, ArcPart part,
                  const LinePen* pen, const Ink* fillInk);

// Scanline fill by the alternate (even-odd) or winding rule, sampling pixel centres.
void FillPolygon(const Surface& s, const TRect& clip, const TPoint* pts, Integer n, bool winding, const Ink& ink);
// Same for a polygon with fractional corners (rotated text backgrounds and lines).
void FillPolygonF(const Surface& s, const TRect& clip, const double* xy, Integer n, const Ink& ink);

// [fill] ---------------------------------------------------------------------------------------------------
// surfaceMode: fill the 4-connected area of pixel `colour`; otherwise fill up to pixels of `colour`.
void FloodFill(const Surface& s, const TRect& clip, Integer x, Integer y, uint32_t colour, bool surfaceMode,
               const Ink& ink);

// [copies] -------------------------------------------------------------------------------------------------
// Ternary raster operation of pattern, source and destination pixels (the ROP code's index byte).
uint32_t Rop3(Byte rop, uint32_t pat, uint32_t src, uint32_t dst);
// Same-size copy of src's (sx, sy) into dst's (dx, dy) x (w, h) with raster operation rop
// (0x00CC0020 style code). srcArea limits what is read; pat is the brush pixel.
void Blit(const Surface& dst, const TRect& clip, Integer dx, Integer dy, Integer w, Integer h, const Surface& src,
          const TRect& srcArea, Integer sx, Integer sy, Cardinal rop, uint32_t pat);
// Scaled copy: negative sizes mirror (covering (x + w, x] as the platform); mode 4 (HALFTONE) averages
// areas, anything else picks the nearest source pixel. Source pixels outside srcArea clamp to its edge.
void StretchBlt(const Surface& dst, const TRect& clip, Integer dx, Integer dy, Integer dw, Integer dh,
                const Surface& src, const TRect& srcArea, Integer sx, Integer sy, Integer sw, Integer sh,
                Cardinal rop, uint32_t pat, Integer mode);
// Coverage mask (0 transparent .. 255 opaque) blended in one colour at (x, y).
void BlendMask(const Surface& dst, const TRect& clip, Integer x, Integer y, const uint8_t* alpha, Integer w,
               Integer h, Integer pitch, uint32_t pixel);

}  // namespace jox::raster
