// TNumIO2 property setters: each returns when nothing changes, clamps, stores, and paints at once.
// Sections: [format] [geometry] [looks] [buttons] [freeze box] [gauge] [state]
#include <algorithm>

#include "numio/numio2.h"
#include "numio/numio2_model.h"
#include "package/colorscheme.h"
#include "package/setters.h"

namespace jox {

// [format] -------------------------------------------------------------------------------------------------
void TNumIO2::SetInFormatType(TInFormat F) {
  if (F == FInputFormat) return;
  // While a form is read the stored text is taken as it stands; Loaded checks it once.
  if (IsLoading(this)) {
    FInputFormat = F;
    return;
  }
  double v = GetNioValue();
  FInputFormat = F;
  SetNioValue(v);
}

void TNumIO2::SetDecP(Integer N) {
  if (N == FDecP || N <= 0) return;
  FDecP = std::min(N, 15);
  if (!IsLoading(this)) SetNioValue(GetNioValue());
}

void TNumIO2::SetSigDig(Integer N) {
  if (N == FSigDig || N <= 0) return;
  FSigDig = std::min(N, 15);
  if (!IsLoading(this)) SetNioValue(GetNioValue());
}

void TNumIO2::SetDecSep(TDecPSep New) {
  if (New == FDecPSep) return;
  TDecPSep old = FDecPSep;
  FDecPSep = New;
  if (New != dpsBoth && !IsLoading(this)) {
    char16_t to = numio2::SeparatorChar(New);
    if (old == dpsBoth) {
      for (auto& c : FInBuffer)
        if (c == u'.' || c == u',') c = to;
    } else {
      char16_t from = numio2::SeparatorChar(old);
      if (from != to)
        for (auto& c : FInBuffer)
          if (c == from) c = to;
    }
  }
  Paint();
}

void TNumIO2::SetRangeLow(double X) {
  if (X == FMinimum) return;
  FMinimum = X;
  if (X > FMaximum) FMaximum = X;
  Paint();
}

void TNumIO2::SetRangeHigh(double X) {
  if (X == FMaximum) return;
  FMaximum = X;
  if (X < FMinimum) FMinimum = X;
  Paint();
}

void TNumIO2::SetBeep(bool B) { if (StoreChanged(FBeep, B)) Paint(); }

void TNumIO2::SetAutoSize(bool B) { if (StoreChanged(FAutoSize, B)) Paint(); }

// [geometry] -----------------------------------------------------------------------------------------------
void TNumIO2::SetHeight(Integer N) {
  N = std::max(N, 18);
  TControl::SetHeight(N);
  if (FButHeight > N) FButHeight = N;
  Paint();
}

void TNumIO2::SetLeftSpace(Integer N) {
  if (N == FLeftSpace || N < 0) return;
  StoreByRule(this, FLeftSpace, N, [this](Integer v) { return LeftSpaceRule(v); });
  Paint();
}

void TNumIO2::Loaded() {
  TCustomControl::Loaded();
  ApplyRule(FLeftSpace, [this](Integer v) { return LeftSpaceRule(v); });
  // The text was read as it stood, whatever format came after it: one the format refuses goes.
  if (!FInBuffer.empty() && !CheckValidity(FInBuffer)) FInBuffer.clear();
  KeepCaretInBuffer();
  Invalidate();
}

// The geometry properties are designed pixels: on a scaled form they grow with the bounds, past the
// setters' limits, which are meant at 96 dpi.
void TNumIO2::ChangeScale(double K) {
  for (Integer* v : {&FLeftSpace, &FTextBoxWidth, &FButWidth, &FButSpace, &FButHeight, &FFreezeBoxSize,
                     &FFreezeBoxLeft, &FFreezeBoxTop, &FGaugeHeight, &FGaugeWidth, &FGaugeLeftMarg, &FGaugeTopMarg})
    *v = ScaledMetric(K, *v);
  FButHeight = std::min(FButHeight, Height());
  Invalidate();
}

void TNumIO2::SetTextBoxWidth(Integer N) { if (StoreChanged(FTextBoxWidth, N)) Paint(); }

// [looks] --------------------------------------------------------------------------------------------------
void TNumIO2::SetLeftText(const String& S) { if (StoreChanged(FLeftText, S)) Paint(); }
void TNumIO2::SetRightText(const String& S) { if (StoreChanged(FRightText, S)) Paint(); }
void TNumIO2::SetAlignment(TAlignment A) { if (StoreChanged(FAlignment, A)) Paint(); }
void TNumIO2::SetLeftTextAlignment(TAlignment A) { if (StoreChanged(FLTAlignment, A)) Paint(); }
void TNumIO2::SetRightTextAlignment(TAlignment A) { if (StoreChanged(FRTAlignment, A)) Paint(); }
void TNumIO2::SetFrameStyle(TFrameStyle S) { if (StoreChanged(FFrameStyle, S)) Paint(); }
void TNumIO2::SetHideInputEditor(bool B) { if (StoreChanged(FHideNumInEdi, B)) Paint(); }
void TNumIO2::SetHideSelection(bool B) { if (StoreChanged(FHideSel, B)) Paint(); }
void TNumIO2::SetColorBoxBG(TColor C) { if (StoreChanged(FColorBoxBG, C)) Paint(); }
void TNumIO2::SetColorBoxText(TColor C) { if (StoreChanged(FColorBoxText, C)) Paint(); }
void TNumIO2::SetColorOutBG(TColor C) { if (StoreChanged(FColorOutBG, C)) Paint(); }
void TNumIO2::SetColorOutText(TColor C) { if (StoreChanged(FColorOutText, C)) Paint(); }
void TNumIO2::SetColorWarnBG(TColor C) { if (StoreChanged(FColorWarnBG, C)) Paint(); }
void TNumIO2::SetColorWarnText(TColor C) { if (StoreChanged(FColorWarnTxt, C)) Paint(); }

void TNumIO2::SetColorScheme(TColorScheme Value) {
  if (Value == FColorScheme) return;
  FColorScheme = Value;
  SchemeLineColors(Value, false, StyleElements(), FColGrayLine, FColWhiteLine, nullptr);
  Paint();
}

// [buttons] ------------------------------------------------------------------------------------------------
void TNumIO2::SetButVisible(bool B) { if (StoreChanged(FButVisible, B)) Paint(); }
void TNumIO2::SetBut3D(bool B) { if (StoreChanged(FBut3D, B)) Paint(); }
void TNumIO2::SetButIncrem(double X) { if (StoreChanged(FButIncrem, X)) Paint(); }
void TNumIO2::SetButColor(TColor C) { if (StoreChanged(FButColor, C)) Paint(); }

void TNumIO2::SetButWidth(Integer N) {
  if (N == FButWidth) return;
  FButWidth = std::clamp(N, 8, 50);
  Paint();
}

void TNumIO2::SetButSpace(Integer N) {
  if (N == FButSpace) return;
  FButSpace = std::clamp(N, 0, 50);
  Paint();
}

void TNumIO2::SetButHeight(Integer N) {
  if (N == FButHeight) return;
  FButHeight = std::max(std::min(N, Height()), 18);
  Paint();
}

// [freeze box] ---------------------------------------------------------------------------------------------
void TNumIO2::SetFreezeBoxVisible(bool B) { if (StoreChanged(FFreezeBoxVisib, B)) Paint(); }
void TNumIO2::SetFreezeBoxLeft(Integer N) { if (StoreChanged(FFreezeBoxLeft, N)) Paint(); }
void TNumIO2::SetFreezeBoxTop(Integer N) { if (StoreChanged(FFreezeBoxTop, N)) Paint(); }
void TNumIO2::SetHideInputOnFreeze(bool B) { if (StoreChanged(FHideInputOnFreeze, B)) Paint(); }

void TNumIO2::SetFreezeBoxSize(Integer N) {
  if (N == FFreezeBoxSize) return;
  FFreezeBoxSize = std::clamp(N, 12, 25);
  // Centred in the text row as if the gauge were shown.
  FFreezeBoxTop = (Height() - (FGaugeHeight + FGaugeTopMarg + FFreezeBoxSize + 1)) / 2;
  Paint();
}

void TNumIO2::SetFreezeBoxChecked(bool B) {
  if (B == FFreezeBoxChecked) return;
  FFreezeBoxChecked = B;
  SetReadonly(B);
  Paint();
}

// [gauge] --------------------------------------------------------------------------------------------------
void TNumIO2::SetGaugeVisible(bool B) { if (StoreChanged(FGaugeVisib, B)) Paint(); }
void TNumIO2::SetGaugeFrameStyle(TFrameStyle S) { if (StoreChanged(FGaugeFrameSt, S)) Paint(); }
void TNumIO2::SetGaugeColor(TColor C) { if (StoreChanged(FGaugeColor, C)) Paint(); }
void TNumIO2::SetGaugeColorBg(TColor C) { if (StoreChanged(FGaugeColorBg, C)) Paint(); }
void TNumIO2::SetGaugeColorFrame(TColor C) { if (StoreChanged(FGaugeColorFrm, C)) Paint(); }

void TNumIO2::SetGaugeHeight(Integer N) {
  if (N == FGaugeHeight) return;
  FGaugeHeight = std::max(std::min(N, Height() - FGaugeTopMarg - 18), 3);
  Paint();
}

void TNumIO2::SetGaugeTopMarg(Integer N) {
  if (N == FGaugeTopMarg) return;
  FGaugeTopMarg = std::max(std::min(N, Height() - FGaugeHeight - 18), 0);
  Paint();
}

void TNumIO2::SetGaugeWidth(Integer N) {
  if (N == FGaugeWidth) return;
  FGaugeWidth = std::min(std::max(N, 10), Width() - FGaugeLeftMarg);
  Paint();
}

void TNumIO2::SetGaugeLeftMarg(Integer N) {
  if (N == FGaugeLeftMarg) return;
  FGaugeLeftMarg = std::max(std::min(N, Width() - FGaugeWidth), 0);
  Paint();
}

// [state] --------------------------------------------------------------------------------------------------
void TNumIO2::SetReadonly(bool B) {
  if (B == FReadOnly) return;
  FReadOnly = B;
  if (B)
    StopCaret();
  else
    UpdateTimer();
  Paint();
}

void TNumIO2::SetEnabled(bool B) {
  FEnabled = B;
  TCustomControl::SetEnabled(B);
  Refresh();
}


}  // namespace jox
