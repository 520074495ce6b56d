// Small drawing steps the units repeat: pen paths and engraved (disabled) text.
//
//   DrawLines(C, clWhite, {{X1, Y2}, {X1, Y1}, {X2, Y1}});  // pen clWhite, MoveTo the first point,
//                                                           // LineTo each further one
//   DrawEngravedText(C, X, Y, u"Caption");                  // the disabled look of a text
#pragma once

#include <initializer_list>

#include "package/framework/graphics/graphics.h"

namespace jox {

// MoveTo the first point, then LineTo each further one (so the last end pixel stays unpainted, as
// LineTo does). Fewer than two points draw nothing but still move the pen position.
void DrawLines(TCanvas* Canvas, std::initializer_list<TPoint> Points);
// The same with the pen colour set first (the colour stays set afterwards).
void DrawLines(TCanvas* Canvas, TColor PenColor, std::initializer_list<TPoint> Points);

// Top of a text row centred in a box of height Height: centred by the height of the sample
// "(8g]}ÜÄ§", so rows of different texts line up whatever they show.
Integer CenteredTextTop(TCanvas* Canvas, Integer Height);
// The height of that sample in the canvas's font.
Integer SampleTextHeight(TCanvas* Canvas);

// Engraved text: a white copy one pixel down and LightDX pixels right, then clGray on top at (X, Y),
// both without background. Leaves the brush clear and the font colour clGray, as a caller drawing more
// disabled text expects.
void DrawEngravedText(TCanvas* Canvas, Integer X, Integer Y, const String& Text, Integer LightDX = 1);

}  // namespace jox
