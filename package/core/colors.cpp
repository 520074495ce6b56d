#include "package/core/colors.h"

#include "package/framework/graphics/graphics.h"

namespace jox {

const std::array<TColor, kNumPredefinedColors + 1> PredefinedColors = {
    clNone,
    // basic VGA colours
    clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal, clGray,
    clSilver, clRed, clLime, clYellow, clBlue, clFuchsia, clAqua, clWhite,
    // the extended set adds these
    clMoneyGreen, clSkyBlue, clCream, clMedGray,
    // system colours
    clScrollBar, clBackground, clActiveCaption, clInactiveCaption, clMenu, clWindow, clWindowFrame,
    clMenuText, clWindowText, clCaptionText, clActiveBorder, clInactiveBorder, clAppWorkSpace,
    clHighlight, clHighlightText, clBtnFace, clBtnShadow, clGrayText, clBtnText,
    clInactiveCaptionText, clBtnHighlight, cl3DDkShadow, cl3DLight, clInfoText, clInfoBk,
    clGradientActiveCaption, clGradientInactiveCaption,
};

TColor MeanColor(TColor C1, TColor C2) {
  const TColor a = ColorToRGB(C1), b = ColorToRGB(C2);
  return RGB(Byte((GetRValue(a) + GetRValue(b)) / 2), Byte((GetGValue(a) + GetGValue(b)) / 2),
             Byte((GetBValue(a) + GetBValue(b)) / 2));
}

}  // namespace jox
