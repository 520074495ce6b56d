#include "package/colorscheme.h"

namespace jox {

void SchemeLineColors(TColorScheme Scheme, bool HonoursStyles, TStyleElements Elements, TColor& GrayLine,
                      TColor& WhiteLine, TColor* BlackLine) {
  if (Scheme == 0) {
    GrayLine = clGray;
    WhiteLine = clWhite;
    return;
  }
  GrayLine = clBtnShadow;
  WhiteLine = clBtnHighlight;
  if (HonoursStyles && StyleServices()->Enabled() && Elements.Contains(seBorder)) {
    const TColor border = StyleServices()->GetStyleColor(scBorder);
    GrayLine = WhiteLine = border;
    if (BlackLine) *BlackLine = border;
  }
}

}  // namespace jox
