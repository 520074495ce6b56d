// The visual-style stand-in.
#include "package/framework/controls/styles.h"

#include "package/framework/graphics/graphics.h"

namespace jox {

// The fixed style: a light grey theme, so styled branches draw something recognisable.
TCustomStyleServices::TCustomStyleServices() {
  for (TColor& c : FColors) c = RGB(0xF0, 0xF0, 0xF0);
  for (TColor& c : FFontColors) c = RGB(0x20, 0x20, 0x20);
  FColors[scBorder] = RGB(0x7A, 0x7A, 0x7A);
  FColors[scWindow] = RGB(0xFF, 0xFF, 0xFF);
  FColors[scEdit] = RGB(0xFF, 0xFF, 0xFF);
  FColors[scButtonNormal] = RGB(0xE1, 0xE1, 0xE1);
  FColors[scButtonHot] = RGB(0xE5, 0xF1, 0xFB);
  FColors[scButtonPressed] = RGB(0xCC, 0xE4, 0xF7);
  FFontColors[sfButtonTextDisabled] = RGB(0x83, 0x83, 0x83);
  FFontColors[sfPanelTextDisabled] = RGB(0x83, 0x83, 0x83);
  FFontColors[sfEditBoxTextDisabled] = RGB(0x83, 0x83, 0x83);
  FFontColors[sfWindowTextDisabled] = RGB(0x83, 0x83, 0x83);
}

TColor TCustomStyleServices::GetStyleColor(TStyleColor c) const {
  return c < scStyleColorCount ? FColors[c] : clNone;
}

TColor TCustomStyleServices::GetStyleFontColor(TStyleFont f) const {
  return f < sfStyleFontCount ? FFontColors[f] : clNone;
}

TColor TCustomStyleServices::GetSystemColor(TColor c) const {
  if (!FEnabled || (c & 0xFF000000) != clSystemColor) return ColorToRGB(c);
  switch (c) {
    case clWindow: return FColors[scWindow];
    case clBtnFace: return FColors[scPanel];
    case clWindowText:
    case clBtnText: return FFontColors[sfWindowTextNormal];
    case clBtnShadow: return FColors[scBorder];
    default: return ColorToRGB(c);
  }
}

TCustomStyleServices* StyleServices() {
  static TCustomStyleServices services;
  return &services;
}

}  // namespace jox
