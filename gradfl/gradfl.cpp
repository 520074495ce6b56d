// Sections: [helpers] [lifecycle] [properties] [paint] [table]
#include "gradfl/gradfl.h"

#include <algorithm>
#include <cstdlib>

#include "package/paintbuffer.h"
#include "package/painting.h"
#include "package/units.h"

namespace jox {

// [helpers] ----------------------------------------------------------------------------------
namespace {


}  // namespace

// [lifecycle] --------------------------------------------------------------------------------
TGradFill::TGradFill(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(Left(), Top(), DefWidth, DefHeight);
}

// [properties] -------------------------------------------------------------------------------
void TGradFill::SetNrColors(Integer Value) {
  FNrColors = std::clamp(Value, 1, MaxNrColors);
  Invalidate();
}

void TGradFill::SetFillType(TGradType Value) {
  if (Value > gtMidBandVert) return;  // no shape of that ordinal
  FGradType = Value;
  Invalidate();
}

// A form stores the colours as shown and the flag, in any order: while it is read they are only
// kept, and Loaded works out the colours as set from them.
void TGradFill::Loaded() {
  TGraphicControl::Loaded();
  FColFirstOrg = FColorsFlipped ? FColorLast : FColorFirst;
  FColLastOrg = FColorsFlipped ? FColorFirst : FColorLast;
}

bool TGradFill::IsLoading() const { return ComponentState().Contains(csLoading); }

void TGradFill::SetColorFirst(TColor Value) {
  FColorFirst = Value;
  if (IsLoading()) return;
  (FColorsFlipped ? FColLastOrg : FColFirstOrg) = Value;
  Invalidate();
}

void TGradFill::SetColorLast(TColor Value) {
  FColorLast = Value;
  if (IsLoading()) return;
  (FColorsFlipped ? FColFirstOrg : FColLastOrg) = Value;
  Invalidate();
}

void TGradFill::SetColorFlipped(bool Value) {
  FColorsFlipped = Value;
  if (IsLoading()) return;
  FColorFirst = Value ? FColLastOrg : FColFirstOrg;
  FColorLast = Value ? FColFirstOrg : FColLastOrg;
  Invalidate();
}

void TGradFill::SetFrameStyle(TFrameStyle Value) {
  FFrameStyle = Value;
  Invalidate();
}

void TGradFill::SetGridMode(TGridMode Value) {
  if (Value > gmBoth) return;
  FGridMode = Value;
  Invalidate();
}

void TGradFill::SetGridColor(TColor Value) {
  FGridColor = Value;
  Invalidate();
}

// [paint] ------------------------------------------------------------------------------------
TColor TGradFill::BandColor(Integer N) const {
  const TColor first = ColorToRGB(FColorFirst), last = ColorToRGB(FColorLast);
  Integer k, steps;
  if (FGradType == gtHoriz || FGradType == gtVert) {
    if (FNrColors < 2) return first;
    k = N;
    steps = FNrColors;
  } else {
    steps = FNrColors / 2;
    if (steps == 0) return first;  // one band: no middle to run to
    k = N <= steps ? N : FNrColors - N - 1;
  }
  auto channel = [&](Byte c1, Byte c2) { return Byte(c1 + MulDiv(k, Integer(c2) - c1, steps)); };
  return RGB(channel(GetRValue(first), GetRValue(last)), channel(GetGValue(first), GetGValue(last)),
             channel(GetBValue(first), GetBValue(last)));
}

void TGradFill::DrawGradient(TBitmap* Bmp) {
  if (!Bmp) return;
  const Integer W = Width(), H = Height(), N = FNrColors;
  Bmp->SetSize(W, H);
  TCanvas* C = Bmp->Canvas();
  const bool rows = FGradType == gtHoriz || FGradType == gtMidBandHoriz;
  C->Brush()->SetStyle(bsSolid);
  for (Integer n = 0; n < N; ++n) {
    C->Brush()->SetColor(BandColor(n));
    C->FillRect(rows ? Rect(0, MulDiv(n, H, N), W, MulDiv(n + 1, H, N))
                     : Rect(MulDiv(n, W, N), 0, MulDiv(n + 1, W, N), H));
  }
  // Grid lines on the inner borders of N rows or N columns; the frame owns the outer edge.
  C->Pen()->SetColor(FGridColor);
  if (FGridMode == gmHoriz || FGridMode == gmBoth)
    for (Integer n = 1; n < N; ++n) DrawLines(C, {{0, MulDiv(n, H, N)}, {W, MulDiv(n, H, N)}});
  if (FGridMode == gmVert || FGridMode == gmBoth)
    for (Integer n = 1; n < N; ++n) DrawLines(C, {{MulDiv(n, W, N), 0}, {MulDiv(n, W, N), H}});
  DrawFrame(C, FFrameStyle, 0, 0, W - 1, H - 1, clWhite, clSilver, clGray, clBlack, clBlack);
}

void TGradFill::Paint() {
  if (Width() <= 0 || Height() <= 0) return;
  TPaintBuffer buf(this);
  DrawGradient(buf.Bitmap());
  buf.Flush();
  if (FOnPaint) FOnPaint(this);
}

// [table] ------------------------------------------------------------------------------------
const TClassInfo& TGradFill::ClassInfo() {
  using G = TGradFill;
  static const TClassInfo info = TClassBuilder<TGradFill>(&TGraphicControl::ClassInfo())
                                     .Prop("NrColors", &G::NrColors, &G::SetNrColors, DefNrColors)
                                     .Prop("FillType", &G::FillType, &G::SetFillType, DefFillType)
                                     .Prop("ColorFirst", &G::ColorFirst, &G::SetColorFirst, DefColorFirst)
                                     .Prop("ColorLast", &G::ColorLast, &G::SetColorLast, DefColorLast)
                                     .Prop("ColorFlipped", &G::ColorFlipped, &G::SetColorFlipped, false)
                                     .Prop("FrameStyle", &G::FrameStyle, &G::SetFrameStyle, DefFrameStyle)
                                     .Prop("GridMode", &G::GridMode, &G::SetGridMode, DefGridMode)
                                     .Prop("GridColor", &G::GridColor, &G::SetGridColor, DefGridColor)
                                     .Event("OnPaint")
                                     .Publish(ControlProperties(), pgBounds)
                                     .Publish(ControlProperties(), {"Align", "ParentShowHint", "ShowHint",
                                                                    "Visible", "OnClick", "OnDblClick",
                                                                    "OnMouseDown", "OnMouseMove", "OnMouseUp"});
  return info;
}

// Registered for form text by the unit's start-up.
static const TUnitClasses GradFillClasses(juGradFl, {&TGradFill::ClassInfo});

// [copying] ------------------------------------------------------------------------------------------------
void TGradFill::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TGradFill*>(Source)) {
    AssignPublished(this, s);
    return;
  }
  TGraphicControl::Assign(Source);
}

void TGradFill::AssignTo(TPersistent* Dest) {
  if (dynamic_cast<TGradFill*>(Dest))
    Dest->Assign(this);
  else
    TGraphicControl::AssignTo(Dest);
}

}  // namespace jox
