// Frames, rectangles and marker symbols drawn on a canvas.
#pragma once

#include "package/core/coretypes.h"

namespace jox {

class TCanvas;

// Frames the rectangle Left..Right x Top..Bottom (inclusive pixel coordinates; given in any order)
// in the look of Style:
//   fsNone      nothing
//   fsSimple    one line in Border
//   fsLowered   sunken: outer line Shadow at top and left, Highlight at bottom and right; inner line
//               DarkShadow at top and left, Light at bottom and right
//   fsRaised    raised: outer line Highlight / DarkShadow, inner line Light / Shadow
//   fsEmbossed  a ridge: a Highlight outline on Left..Right-1 x Top..Bottom-1 over a Shadow outline
//               one pixel further right and down
//   fsEngraved  a groove: the same with Highlight and Shadow exchanged
// The pen is restored afterwards; the brush is not used.
void DrawFrame(TCanvas* Canvas, TFrameStyle Style, Integer Left, Integer Top, Integer Right, Integer Bottom,
               TColor Highlight, TColor Light, TColor Shadow, TColor DarkShadow, TColor Border);

// Pen and brush both in Color, for shapes filled in the colour of their outline.
void SetPenAndBrush(TCanvas* Canvas, TColor Color);

// Outlines Left..Right x Top..Bottom (inclusive) with the current pen, leaving the inside alone.
void DrawRectangle(TCanvas* Canvas, Integer Left, Integer Top, Integer Right, Integer Bottom);

// Number of marker symbols: 0 .. kNumMarkers - 1.
constexpr Integer kNumMarkers = 52;

// Draws marker Mark centred on (X, Y) with the canvas's pen: hollow symbols are filled with the
// current brush, filled ones with the pen colour; the brush is restored afterwards. Numbers beyond
// 51 draw nothing. The symbols (s/m/l: small, medium, large; hollow symbols first in each pair):
//    0 dot
//    1- 3 square s/m/l, hollow        4- 6 square s/m/l, filled
//    7- 9 circle s/m/l, hollow       10-12 circle s/m/l, filled
//   13-15 triangle up, hollow        16-18 triangle up, filled
//   19-21 triangle down, hollow      22-24 triangle down, filled
//   25-27 diamond, hollow            28-30 diamond, filled
//   31-33 upright cross (+)          34-36 diagonal cross (x)
//   37-39 asterisk (+ and x)
//   40/41 triangle left hollow/filled, 42/43 triangle right hollow/filled
//   44 square with diagonal cross, 45 circle with upright cross, 46 circle with dot, 47 square with dot
//   48/49 five-pointed star hollow/filled, 50/51 hexagon hollow/filled
void DrawMarkOnCanvas(TCanvas* Canvas, Byte Mark, Integer X, Integer Y);

}  // namespace jox
