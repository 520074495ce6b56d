// The frame line colours a colour scheme gives a component.
#pragma once

#include "package/core/coretypes.h"
#include "package/framework/controls/controls.h"

namespace jox {

// Ordinal 0: GrayLine clGray, WhiteLine clWhite. Any other: clBtnShadow and clBtnHighlight, and when
// HonoursStyles, a style is active and Elements holds seBorder, the style's border colour for all three
// (BlackLine may be null for components without one).
void SchemeLineColors(TColorScheme Scheme, bool HonoursStyles, TStyleElements Elements, TColor& GrayLine,
                      TColor& WhiteLine, TColor* BlackLine);

}  // namespace jox
