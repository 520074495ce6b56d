// TNumLab life cycle, setters, mouse region, copying and class table.
// Sections: [life] [setters] [mouse] [copy] [table]
#include <algorithm>

#include "numlab/numlab.h"
#include "package/colorscheme.h"
#include "package/setters.h"
#include "package/units.h"

namespace jox {

// [life] ---------------------------------------------------------------------------------------------------
TNumLab::TNumLab(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetControlStyle(ControlStyle() | csOpaque);  // Paint covers every pixel unless transparent
  TControl::SetBounds(Left(), Top(), DefWidth, DefHeight);
}

void TNumLab::Redraw() {
  // Painting a transparent label over itself would keep the old texts under the new ones: the
  // parent has to be drawn beneath first.
  if (FTransParent)
    Invalidate();
  else
    PaintNow(this);
}

template <class T>
void TNumLab::Change(T& Field, const T& V) {
  if (StoreChanged(Field, V)) Redraw();
}

// [setters] ------------------------------------------------------------------------------------------------
void TNumLab::SetLeftSpace(Integer N) {
  if (N < 0 || N == FLeftSpace) return;
  StoreByRule(this, FLeftSpace, N, [this](Integer v) { return LeftSpaceRule(v); });
  Redraw();
}

void TNumLab::Loaded() {
  TGraphicControl::Loaded();
  ApplyRule(FLeftSpace, [this](Integer v) { return LeftSpaceRule(v); });
  Redraw();
}

// LeftSpace and LabelWidth are designed pixels: on a scaled form they grow with the bounds.
void TNumLab::ChangeScale(double K) {
  FLeftSpace = LeftSpaceRule(ScaledMetric(K, FLeftSpace));
  FLabWidth = ScaledMetric(K, FLabWidth);
  Invalidate();
}

void TNumLab::SetLabWidth(Integer N) {
  if (N < 0) return;  // a negative box would turn the frame inside out
  Change(FLabWidth, N);
}

void TNumLab::SetDecP(Integer N) {
  if (N < 0) return;
  Change(FDecP, std::min(N, MaxPrecision));
}

void TNumLab::SetLabValue(double X) { Change(FLabValue, X); }
void TNumLab::SetFComma(bool B) { Change(FComma, B); }
void TNumLab::SetFPlusSign(bool B) { Change(FPlusSign, B); }
void TNumLab::SetEmpty(bool B) { Change(FEmpty, B); }
void TNumLab::SetDisplayType(TDisplay D) { Change(FDisplayType, D); }
void TNumLab::SetFrameStyle(TFrameStyle S) { Change(FFrameStyle, S); }
void TNumLab::SetAlignment(TAlignment A) { Change(FAlignment, A); }
void TNumLab::SetLeftTextAlignment(TAlignment A) { Change(FLTAlignment, A); }
void TNumLab::SetRightTextAlignment(TAlignment A) { Change(FRTAlignment, A); }
void TNumLab::SetColorLabBakG(TColor C) { Change(FColorLabBakG, C); }
void TNumLab::SetColorLabText(TColor C) { Change(FColorLabText, C); }
void TNumLab::SetColorOutBakG(TColor C) { Change(FColorOutBakG, C); }
void TNumLab::SetColorOutText(TColor C) { Change(FColorOutText, C); }
void TNumLab::SetLeftText(const String& S) { Change(FLeftText, S); }
void TNumLab::SetRightText(const String& S) { Change(FRightText, S); }
void TNumLab::SetStateText(const String& S) { Change(FStateText, S); }
void TNumLab::SetDtFormat(const String& S) { Change(FDtFormat, S); }
void TNumLab::SetOverFlowIndi(const String& S) { Change(FOverFlowIndi, S); }

void TNumLab::SetTransparent(bool B) {
  if (B == FTransParent) return;
  FTransParent = B;
  const TControlStyle cs = ControlStyle();
  SetControlStyle(B ? cs & ~TControlStyle(csOpaque) : cs | csOpaque);
  if (B)
    Invalidate();
  else
    Redraw();
}

void TNumLab::SetEnabled(bool B) {
  TGraphicControl::SetEnabled(B);
  Refresh();
}

void TNumLab::SetColorScheme(TColorScheme S) {
  if (S == FColorScheme) return;
  FColorScheme = S;
  SchemeLineColors(S, true, StyleElements(), FColGrayLine, FColWhiteLine, &FColBlackLine);
  Redraw();
}

// [mouse] --------------------------------------------------------------------------------------------------
void TNumLab::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  FMouseAreaCode = 0;
  if (X > FLeftSpace) FMouseAreaCode = 1;
  if (X > FLeftSpace + FLabWidth) FMouseAreaCode = 2;
  TGraphicControl::MouseMove(Shift, X, Y);
}

// [copy] ---------------------------------------------------------------------------------------------------
void TNumLab::AssignTo(TPersistent* Dest) {
  if (dynamic_cast<TNumLab*>(Dest))
    Dest->Assign(this);
  else
    TGraphicControl::AssignTo(Dest);
}

// Comma, ForcePlusSign, DTFormat and Enabled stay as they are.
void TNumLab::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TNumLab*>(Source);
  if (!S) {
    TGraphicControl::Assign(Source);
    return;
  }
  if (S == this) return;
  FLeftSpace = S->FLeftSpace;
  FEmpty = S->FEmpty;
  FLabWidth = S->FLabWidth;
  FDecP = S->FDecP;
  FLeftText = S->FLeftText;
  FRightText = S->FRightText;
  FFrameStyle = S->FFrameStyle;
  FAlignment = S->FAlignment;
  FLTAlignment = S->FLTAlignment;
  FRTAlignment = S->FRTAlignment;
  FOverFlowIndi = S->FOverFlowIndi;
  FLabValue = S->FLabValue;
  FStateText = S->FStateText;
  FColorLabBakG = S->FColorLabBakG;
  FColorLabText = S->FColorLabText;
  FColorOutBakG = S->FColorOutBakG;
  FColorOutText = S->FColorOutText;
  FColBlackLine = S->FColBlackLine;
  FColGrayLine = S->FColGrayLine;
  FColWhiteLine = S->FColWhiteLine;
  FColorScheme = S->FColorScheme;
  FDisplayType = S->FDisplayType;
  if (S->FTransParent != FTransParent) {
    FTransParent = !FTransParent;  // SetTransparent would return early for the new value
    SetControlStyle(FTransParent ? ControlStyle() & ~TControlStyle(csOpaque) : ControlStyle() | csOpaque);
  }
  Redraw();
}

// [table] --------------------------------------------------------------------------------------------------
// Only the framework's properties carry stored defaults; every property of the label is always written.
const TClassInfo& TNumLab::ClassInfo() {
  using N = TNumLab;
  static const TClassInfo info =
      TClassBuilder<TNumLab>(&TGraphicControl::ClassInfo())
          .Prop("LeftSpace", &N::LeftSpace, &N::SetLeftSpace)
          .Prop("Empty", &N::Empty, &N::SetEmpty)
          .Prop("LabelWidth", &N::LabelWidth, &N::SetLabWidth)
          .Prop("Precision", &N::Precision, &N::SetDecP)
          .Prop("Comma", &N::Comma, &N::SetFComma)
          .Prop("ForcePlusSign", &N::ForcePlusSign, &N::SetFPlusSign)
          .Prop("Transparent", &N::Transparent, &N::SetTransparent)
          .Prop("LeftText", &N::LeftText, &N::SetLeftText)
          .Prop("RightText", &N::RightText, &N::SetRightText)
          .Prop("FrameStyle", &N::FrameStyle, &N::SetFrameStyle)
          .Prop("StateText", &N::StateText, &N::SetStateText)
          .Prop("Alignment", &N::Alignment, &N::SetAlignment)
          .Prop("LeftTextAlignment", &N::LeftTextAlignment, &N::SetLeftTextAlignment)
          .Prop("RightTextAlignment", &N::RightTextAlignment, &N::SetRightTextAlignment)
          .Prop("OverflowIndicator", &N::OverflowIndicator, &N::SetOverFlowIndi)
          .Prop("Value", &N::Value, &N::SetLabValue)
          .Prop("ColorLabBakG", &N::ColorLabBakG, &N::SetColorLabBakG)
          .Prop("ColorLabText", &N::ColorLabText, &N::SetColorLabText)
          .Prop("ColorOutBakG", &N::ColorOutBakG, &N::SetColorOutBakG)
          .Prop("ColorOutText", &N::ColorOutText, &N::SetColorOutText)
          .Prop("ColorScheme", &N::ColorScheme, &N::SetColorScheme)
          .Prop("DisplayType", &N::DisplayType, &N::SetDisplayType)
          .Prop("DTFormat", &N::DTFormat, &N::SetDtFormat)
          .Event("OnBeforeDisplay")
          .Publish(ControlProperties(), pgBounds)
          .Publish(ControlProperties(), {"Enabled", "Align", "Anchors", "Font", "ParentFont", "ParentShowHint",
                                         "PopupMenu", "ShowHint", "StyleElements", "Visible", "OnClick",
                                         "OnDblClick", "OnMouseDown", "OnMouseMove", "OnMouseUp"});
  return info;
}

// Registered for form text by the unit's start-up.
static const TUnitClasses NumLabClasses(juNumLab, {&TNumLab::ClassInfo});

}  // namespace jox
