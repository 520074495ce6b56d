// Visual styles: which elements of a control a style colours, and the style services.
#pragma once

#include <cstdint>

#include "package/framework/base/types.h"

namespace jox {

// Visual-style elements a control lets the style colour (default all three).
enum TStyleElement : uint8_t { seFont, seClient, seBorder };
// `TStyleElements()` is the empty set, seAllElements all three.
using TStyleElements = TSet<TStyleElement, Byte, true>;
JOX_SET_OPERATORS(TStyleElements, TStyleElement)
constexpr TStyleElements seAllElements = TStyleElements(Byte(7));

// Visual styles. Off by default (the classic look); tests may switch a fixed style on to reach the
// styled branches of the components.
enum TStyleColor : uint8_t {
  scBorder, scButtonDisabled, scButtonFocused, scButtonHot, scButtonNormal, scButtonPressed, scEdit,
  scEditDisabled, scGrid, scGenericBackground, scGenericGradientBase, scGenericGradientEnd, scHeader,
  scListBox, scListView, scPanel, scPanelDisabled, scTreeView, scWindow, scStyleColorCount
};
enum TStyleFont : uint8_t {
  sfButtonTextDisabled, sfButtonTextFocused, sfButtonTextHot, sfButtonTextNormal, sfButtonTextPressed,
  sfEditBoxTextNormal, sfEditBoxTextDisabled, sfGridItemNormal, sfGridItemSelected, sfHeaderSectionTextNormal,
  sfListItemTextNormal, sfListItemTextSelected, sfPanelTextNormal, sfPanelTextDisabled, sfTreeItemTextNormal,
  sfWindowTextNormal, sfWindowTextDisabled, sfStyleFontCount
};

class TCustomStyleServices {
 public:
  TCustomStyleServices();
  // True when a non-system style is active.
  bool Enabled() const { return FEnabled; }
  bool Available() const { return true; }
  bool IsSystemStyle() const { return !FEnabled; }
  TColor GetStyleColor(TStyleColor c) const;
  TColor GetStyleFontColor(TStyleFont f) const;
  // A system colour as the active style shows it (ColorToRGB without a style).
  TColor GetSystemColor(TColor c) const;
  // For tests: switch the fixed style on or off and change its colours.
  void SetEnabled(bool v) { FEnabled = v; }
  void SetStyleColor(TStyleColor c, TColor v) { FColors[c] = v; }
  void SetStyleFontColor(TStyleFont f, TColor v) { FFontColors[f] = v; }

 private:
  bool FEnabled = false;
  TColor FColors[scStyleColorCount];
  TColor FFontColors[sfStyleFontCount];
};
TCustomStyleServices* StyleServices();

}  // namespace jox
