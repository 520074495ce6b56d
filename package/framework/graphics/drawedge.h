// Classic 3-D edges and the small glyphs controls draw with them (scroll arrows, check marks),
// in the platform's DrawEdge terms, so buttons, scroll bars, combo boxes and menus share one look.
#pragma once

#include "package/framework/graphics/graphics.h"

namespace jox {

constexpr Cardinal BDR_RAISEDOUTER = 0x1, BDR_SUNKENOUTER = 0x2, BDR_RAISEDINNER = 0x4, BDR_SUNKENINNER = 0x8;
constexpr Cardinal EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER, EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
                   EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER, EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
constexpr Cardinal BF_LEFT = 0x1, BF_TOP = 0x2, BF_RIGHT = 0x4, BF_BOTTOM = 0x8, BF_RECT = 0xF,
                   BF_MIDDLE = 0x800, BF_SOFT = 0x1000, BF_ADJUST = 0x2000, BF_FLAT = 0x4000, BF_MONO = 0x8000;

// Draws the edge inside R (one pixel per border bit); BF_MIDDLE fills the inside with clBtnFace;
// BF_ADJUST shrinks R to what lies inside the edge. BF_SOFT lightens a raised outer edge (push buttons).
void DrawEdge(TCanvas* Canvas, TRect& R, Cardinal Edge, Cardinal Flags);

enum TArrowDirection : uint8_t { adUp, adDown, adLeft, adRight };
// A filled triangle centred in R, Size pixels from base to tip (the base is 2 * Size - 1 wide).
void DrawArrow(TCanvas* Canvas, const TRect& R, TArrowDirection Dir, Integer Size, TColor Color);
// The classic disabled look of a glyph: drawn once in clBtnHighlight one pixel down-right, then in clBtnShadow.
void DrawDisabledArrow(TCanvas* Canvas, const TRect& R, TArrowDirection Dir, Integer Size);
// A check mark of 7 x 7 pixels with its top-left at (X, Y); at a Scale above 1 each of its pixels covers
// the screen pixels that logical pixel covers (7 x 7 becomes 14 x 14 at 2, 11 x 11 at 1.5).
void DrawCheckMark(TCanvas* Canvas, Integer X, Integer Y, TColor Color, double Scale = 1);
// A filled 6 x 6 dot (radio item) with its top-left at (X, Y), scaled as the check mark.
void DrawRadioDot(TCanvas* Canvas, Integer X, Integer Y, TColor Color, double Scale = 1);
// Text with '&' accelerators (DrawText flags), greyed and engraved when not Enabled.
void DrawCaption(TCanvas* Canvas, const String& Text, TRect R, Cardinal Flags, bool Enabled);

}  // namespace jox
