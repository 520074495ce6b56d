// TNumIO2 mouse: caret and selection in the text, gauge clicks and drags, button steps, freeze box.
#include <algorithm>
#include <cmath>

#include "numio/numio2.h"
#include "numio/numio2_model.h"

namespace jox {

Integer TNumIO2::GaugeReserve() const { return FGaugeVisib ? FGaugeHeight + FGaugeTopMarg + 1 : 0; }

double TNumIO2::GaugeValueAt(Integer X) const {
  double f = FGaugeWidth > 0 ? double(X - FGaugeLeftMarg) / FGaugeWidth : 0.0;
  double v = numio2::GaugeValue(f, FMinimum, FMaximum);
  Integer i = numio2::NearestPivot(ButtonPivots, v);
  if (i >= 0) v = ButtonPivots[size_t(i)];
  return std::min(std::max(v, FMinimum), FMaximum);
}

void TNumIO2::StepButton(bool Up) {
  double v = GetNioValue();
  if (ButtonPivots.empty()) {
    v += Up ? FButIncrem : -FButIncrem;
    v = std::min(std::max(v, FMinimum), FMaximum);
  } else {
    v = numio2::StepByPivots(ButtonPivots, v, Up, std::pow(10.0, -FDecP));
  }
  SetNioValue(v);
  Changed();
}

void TNumIO2::ToggleFreezeBox() {
  FFreezeBoxChecked = !FFreezeBoxChecked;
  FHideNumInEdi = FHideInputOnFreeze && FFreezeBoxChecked;
  SetReadonly(FFreezeBoxChecked);
  Paint();  // SetReadonly paints only when ReadOnly changed
  Changed();
}

void TNumIO2::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  const Integer r = GaugeReserve();
  const Integer h = Height();
  if (!FReadOnly) FCaretVisib = true;

  if (Y > 0 && Y < h - r) {
    Integer n = XCoordsToCharPos(X);
    FCaretPos = n;
    FSelBegin = n;
    SetSelEnd(n);
  }

  if (FGaugeVisib && !FReadOnly && Y > h - r && X >= FGaugeLeftMarg && X <= FGaugeLeftMarg + FGaugeWidth) {
    SetNioValue(GaugeValueAt(X));
    FValueChanged = true;  // OnChange follows at mouse-up
  }

  if (FButVisible && !FReadOnly) {
    Integer b = FLeftSpace + FTextBoxWidth + FButSpace;
    if (X > b && X < b + FButWidth && Y > 0 && Y < FButHeight) StepButton(Y <= FButHeight / 2);
  }

  if (FFreezeBoxVisib) {
    Integer f = FLeftSpace + FTextBoxWidth + FFreezeBoxLeft + 8 + (FButVisible ? FButWidth + FButSpace : 0);
    if (X > f && X < f + FFreezeBoxSize && Y > FFreezeBoxTop && Y < FFreezeBoxTop + FFreezeBoxSize)
      ToggleFreezeBox();
  }

  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TNumIO2::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  FMouseAreaCode = X > FLeftSpace + FTextBoxWidth ? 2 : X > FLeftSpace ? 1 : 0;
  if (Shift & ssLeft) {
    const Integer r = GaugeReserve();
    const Integer h = Height();
    if (Y > 0 && Y < h - r) {
      Integer n = XCoordsToCharPos(X);
      if (n > FSelBegin)
        SetSelEnd(n);
      else
        SetSelBegin(n);
    }
    if (FGaugeVisib && !FReadOnly && Y > h - r && X >= FGaugeLeftMarg - 1 &&
        X <= FGaugeLeftMarg + FGaugeWidth + 1) {
      double v = GaugeValueAt(X);
      SetNioValue(v);
      FValueChanged = true;
      if (FOnGaugeChange) FOnGaugeChange(this, Shift, v);
    }
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

void TNumIO2::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (FValueChanged) {
    FValueChanged = false;
    Changed();
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

}  // namespace jox
