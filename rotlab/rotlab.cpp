// TRotLab: setters, anchor, rotated text, painting, copying and class table.
// Sections: [life] [setters] [anchor] [text] [paint] [copy] [table]
#include "rotlab/rotlab.h"

#include <cmath>

#include "package/painting.h"
#include "package/setters.h"
#include "package/units.h"
#include "package/core/drawing.h"

namespace jox {

// [life] ---------------------------------------------------------------------------------------------------
TRotLab::TRotLab(TComponent* AOwner) : TCustomLabel(AOwner) {
  // The label's own sizing would measure the caption unrotated.
  SetAutoSize(false);
  Font()->SetName(u"Arial");
  Font()->SetSize(DefFontSize);
  SetStyleElements(TStyleElements());
  SetBounds(Left(), Top(), DefWidth, DefHeight);
}

void TRotLab::RefreshLabel() {
  if (FTransparent)
    Invalidate();
  else
    PaintNow(this);
}

void TRotLab::SetParent(TWinControl* AParent) {
  TCustomLabel::SetParent(AParent);
  if (AParent && FAutoCenter) AdjustAutoCenter();
}

// [setters] ------------------------------------------------------------------------------------------------
void TRotLab::SetTextAngle(Integer A) {
  if (StoreChanged(FTextAngle, A)) RefreshLabel();
}

void TRotLab::SetFrameStyle(TFrameStyle S) {
  if (StoreChanged(FFrameStyle, S)) RefreshLabel();
}

void TRotLab::SetAntiAlias(bool B) {
  if (StoreChanged(FAntiAlias, B)) RefreshLabel();
}

void TRotLab::SetAlignment(TAlignment A) {
  if (StoreChanged(FAlignment, A)) RefreshLabel();
}

void TRotLab::SetAutoCenter(bool B) {
  if (!StoreChanged(FAutoCenter, B)) return;
  if (B && !IsLoading(this)) AdjustAutoCenter();  // the size may not be read yet
  RefreshLabel();
}

void TRotLab::Loaded() {
  TCustomLabel::Loaded();
  if (FAutoCenter) AdjustAutoCenter();
  RefreshLabel();
}

void TRotLab::SetTextPosX(Integer N) {
  if (N == FTextPosX) return;
  if (FAutoCenter && !IsLoading(this))
    AdjustAutoCenter();
  else
    FTextPosX = N;
  RefreshLabel();
}

void TRotLab::SetTextPosY(Integer N) {
  if (N == FTextPosY) return;
  if (FAutoCenter && !IsLoading(this))
    AdjustAutoCenter();
  else
    FTextPosY = N;
  RefreshLabel();
}

void TRotLab::SetTransparent(bool B) {
  if (!StoreChanged(FTransparent, B)) return;
  TCustomLabel::SetTransparent(B);
  RefreshLabel();
}

void TRotLab::SetColor(TColor V) {
  if (V == FBgColor) return;
  FBgColor = V;
  if (StyleServices()->Enabled() && StyleElements().Contains(seClient))
    FBgColor = StyleServices()->GetStyleColor(scWindow);
  TControl::SetColor(FBgColor);
  RefreshLabel();
}

// [anchor] -------------------------------------------------------------------------------------------------
void TRotLab::AdjustAutoCenter() {
  FTextPosX = Width() / 2;
  FTextPosY = Height() / 2;
}

void TRotLab::ProcessResize(TObject*) {
  if (!HasParent() || !FAutoCenter) return;
  AdjustAutoCenter();
  RefreshLabel();
}

// The anchor is in designed pixels; centred, it follows the scaled size by itself.
void TRotLab::ChangeScale(double K) {
  TCustomLabel::ChangeScale(K);
  if (FAutoCenter) {
    AdjustAutoCenter();
  } else {
    FTextPosX = ScaledMetric(K, FTextPosX);
    FTextPosY = ScaledMetric(K, FTextPosY);
  }
  RefreshLabel();
}

void TRotLab::Resize() {
  ProcessResize(this);
  TCustomLabel::Resize();
}

// [text] ---------------------------------------------------------------------------------------------------
void TRotLab::PrepareFont(TCanvas* C) {
  C->Font()->Assign(Font());
  if (StyleServices()->Enabled() && StyleElements().Contains(seFont))
    C->Font()->SetColor(StyleServices()->GetStyleFontColor(sfPanelTextNormal));
  TLogFont lf = C->Font()->LogFont();
  lf.lfEscapement = lf.lfOrientation = FTextAngle * 10;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  // This platform's default quality is already smoothed, so switching off asks for plain pixels.
  lf.lfQuality = FAntiAlias ? ANTIALIASED_QUALITY : NONANTIALIASED_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH;
  C->Font()->SetLogFont(lf);
}

TPoint TRotLab::TextOrigin() {
  TCanvas* c = Canvas();
  PrepareFont(c);
  const String text = Caption();
  const double hw = c->TextWidth(text) / 2, hh = c->TextHeight(text) / 2;
  const double a = FTextAngle / 180.0 * M_PI, sn = std::sin(a), cs = std::cos(a);
  const auto round = [](double v) { return Integer(std::nearbyint(v)); };  // halves to even
  switch (FAlignment) {
    case taLeftJustify: return Point(FTextPosX + round(-hh * sn), FTextPosY + round(-hh * cs));
    case taRightJustify:
      return Point(FTextPosX + round(-2 * hw * cs - hh * sn), FTextPosY + round(2 * hw * sn - hh * cs));
    default: return Point(FTextPosX + round(-hw * cs - hh * sn), FTextPosY + round(hw * sn - hh * cs));
  }
}

void TRotLab::DoDrawText(TRect&, Cardinal Flags) {
  if (Flags & DT_CALCRECT) return;  // the label's sizing would measure the text unrotated
  const TPoint p = TextOrigin();
  TCanvas* c = Canvas();
  c->Brush()->SetStyle(bsClear);
  const String text = Caption();
  if (Enabled())
    c->TextOut(p.X, p.Y, text);
  else
    DrawEngravedText(c, p.X, p.Y, text);
}

// [paint] --------------------------------------------------------------------------------------------------
void TRotLab::Paint() {
  if (!Visible()) return;
  TCustomLabel::Paint();
  TCanvas* c = Canvas();
  const Integer r = Width() - 1, b = Height() - 1;
  TCustomStyleServices* st = StyleServices();
  if (st->Enabled() && StyleElements().Contains(seBorder)) {
    c->Brush()->SetColor(st->GetStyleColor(scGrid));
    DrawFrame(c, FFrameStyle, 0, 0, r, b, st->GetSystemColor(cl3DLight), st->GetSystemColor(clBtnHighlight),
              st->GetSystemColor(clBtnShadow), st->GetSystemColor(cl3DDkShadow), st->GetStyleColor(scBorder));
  } else {
    DrawFrame(c, FFrameStyle, 0, 0, r, b, clWhite, clSilver, clGray, clBlack, clBlack);
  }
}

// [copy] ---------------------------------------------------------------------------------------------------
void TRotLab::AssignTo(TPersistent* Dest) {
  if (dynamic_cast<TRotLab*>(Dest))
    Dest->Assign(this);
  else
    TCustomLabel::AssignTo(Dest);
}

void TRotLab::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TRotLab*>(Source);
  if (!S) {
    TCustomLabel::Assign(Source);
    return;
  }
  if (S == this) return;
  FAutoCenter = S->FAutoCenter;
  FFrameStyle = S->FFrameStyle;
  FTextAngle = S->FTextAngle;
  FTextPosX = S->FTextPosX;
  FTextPosY = S->FTextPosY;
  FAntiAlias = S->FAntiAlias;
  Invalidate();
}

// [table] --------------------------------------------------------------------------------------------------
const TClassInfo& TRotLab::ClassInfo() {
  using R = TRotLab;
  static const TClassInfo info =
      TClassBuilder<TRotLab>(&TCustomLabel::ClassInfo())
          .Prop("TextAngle", &R::TextAngle, &R::SetTextAngle)
          .Prop("PosX", &R::PosX, &R::SetTextPosX)
          .Prop("PosY", &R::PosY, &R::SetTextPosY)
          .Prop("AntiAlias", &R::AntiAlias, &R::SetAntiAlias)
          .Prop("AutoCenter", &R::AutoCenter, &R::SetAutoCenter)
          .Prop("Color", [](const R& r) { return r.Color(); }, &R::SetColor, StoredDefColor)
          .Prop("Transparent", &R::Transparent, &R::SetTransparent)
          .Prop("Alignment", &R::Alignment, &R::SetAlignment, StoredDefAlignment)
          .Prop("FrameStyle", &R::FrameStyle, &R::SetFrameStyle)
          .Prop("Caption", [](const R& r) { return r.Caption(); }, [](R& r, const String& v) { r.SetCaption(v); })
          .Publish(ControlProperties(), pgBounds)
          .Publish(ControlProperties(), {"Align", "Anchors", "Constraints", "DragCursor", "DragKind", "DragMode", "Enabled",
                                         "Font", "ParentColor", "ParentFont", "ParentShowHint", "PopupMenu",
                                         "ShowHint", "StyleElements", "Visible", "OnClick", "OnContextPopup",
                                         "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDock", "OnEndDrag",
                                         "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnMouseEnter",
                                         "OnMouseLeave", "OnStartDock", "OnStartDrag"});
  return info;
}

// Registered for form text by the unit's start-up.
static const TUnitClasses RotLabClasses(juRotLab, {&TRotLab::ClassInfo});

}  // namespace jox
