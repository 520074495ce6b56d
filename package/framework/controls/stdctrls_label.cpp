// TCustomLabel: drawing, measuring and sizing the caption.
#include <algorithm>
#include <cwctype>

#include "package/framework/graphics/drawedge.h"
#include "package/framework/controls/labels.h"
#include "package/framework/controls/menus.h"

namespace jox {

constexpr Integer kLabelWidth = 65, kLabelHeight = 17;

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetControlStyle(ControlStyle() | csReplicatable | csOpaque);
  SetBounds(0, 0, kLabelWidth, kLabelHeight);
}

void TCustomLabel::SetAlignment(TAlignment v) {
  if (v == FAlignment) return;
  FAlignment = v;
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool v) {
  if (v == FAutoSize) return;
  FAutoSize = v;
  AdjustBounds();
}

void TCustomLabel::SetLayout(TTextLayout v) {
  if (v == FLayout) return;
  FLayout = v;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool v) {
  if (v == FWordWrap) return;
  FWordWrap = v;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool v) {
  if (v == FTransparent) return;
  FTransparent = v;
  // An opaque label paints all of itself; a transparent one needs its parent beneath.
  SetControlStyle(v ? ControlStyle() & ~csOpaque : ControlStyle() | csOpaque);
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool v) {
  if (v == FShowAccelChar) return;
  FShowAccelChar = v;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* v) {
  if (v == FFocusControl) return;
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = v;
  if (v) v->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

Cardinal TCustomLabel::DrawTextFlags() const {
  Cardinal f = DT_EXPANDTABS;
  if (FWordWrap) f |= DT_WORDBREAK;
  if (!FShowAccelChar) f |= DT_NOPREFIX;
  if (FAlignment == taCenter) f |= DT_CENTER;
  else if (FAlignment == taRightJustify) f |= DT_RIGHT;
  return f;
}

void TCustomLabel::DoDrawText(TRect& R, Cardinal Flags) {
  TCanvas* c = Canvas();
  String text = Caption();
  // An empty caption still measures one line high, so an auto-sized label does not collapse.
  if ((Flags & DT_CALCRECT) && (text.empty() || (FShowAccelChar && text == u"&"))) text = String(u" ");
  c->Font()->Assign(Font());
  if (Flags & DT_CALCRECT) {
    c->DrawText(text, R, Flags);
    return;
  }
  DrawCaption(c, text, R, Flags, Enabled());
}

void TCustomLabel::Paint() {
  TCanvas* c = Canvas();
  const TRect client = ClientRect();
  if (!FTransparent) {
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(client);
  }
  c->Brush()->SetStyle(bsClear);
  TRect r = client;
  const Cardinal flags = DrawTextFlags();
  if (FLayout != tlTop) {
    TRect calc = r;
    DoDrawText(calc, flags | DT_CALCRECT);
    const Integer h = calc.Height();
    r.Top += FLayout == tlBottom ? r.Height() - h : (r.Height() - h) / 2;
  }
  DoDrawText(r, flags);
}

void TCustomLabel::AdjustBounds() {
  if (!FAutoSize || FAdjusting || (ComponentState() & csLoading)) return;
  TRect r = ClientRect();
  if (!FWordWrap) r.Right = r.Left + 0x7FFF;  // one line, as long as the text
  DoDrawText(r, DrawTextFlags() | DT_CALCRECT);
  Integer left = Left();
  const Integer w = FWordWrap ? Width() : r.Width();
  if (FAlignment == taRightJustify && !FWordWrap) left += Width() - w;
  FAdjusting = true;
  try {
    SetBounds(left, Top(), w, r.Height());
  } catch (...) {
    FAdjusting = false;
    throw;
  }
  FAdjusting = false;
}

void TCustomLabel::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  TGraphicControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  // A wrapped label re-measures its height for its new width.
  if (FWordWrap && !FAdjusting) AdjustBounds();
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TCustomLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AdjustBounds();
}

void TCustomLabel::ChangeScale(double) { AdjustBounds(); }

void TCustomLabel::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case CM_TEXTCHANGED:
      TGraphicControl::DefaultHandler(Message);
      AdjustBounds();
      return;
    case CM_DIALOGCHAR:
      // Alt+accelerator focuses the control the label names.
      if (FFocusControl && FShowAccelChar && Enabled() && Showing() && FFocusControl->CanFocus() &&
          IsAccel(char16_t(Message.WParam), Caption())) {
        FFocusControl->SetFocus();
        Message.Result = 1;
        return;
      }
      break;
  }
  TGraphicControl::DefaultHandler(Message);
}

bool IsAccel(char16_t Ch, const String& Caption) {
  const char16_t accel = GetAccelChar(Caption);
  return accel != 0 && accel == char16_t(std::towupper(wint_t(Ch)));
}

char16_t GetAccelChar(const String& Caption) {
  for (size_t i = 0; i + 1 < Caption.size(); ++i) {
    if (Caption[i] != u'&') continue;
    if (Caption[i + 1] == u'&') {
      ++i;
      continue;
    }
    return char16_t(std::towupper(wint_t(Caption[i + 1])));
  }
  return 0;
}

// [tables] -------------------------------------------------------------------------------------------------
const TClassInfo& TCustomLabel::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TCustomLabel>(&TGraphicControl::ClassInfo());
  return info;
}

const TClassInfo& TLabel::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TLabel>(&TCustomLabel::ClassInfo())
      .Prop("Alignment", &TLabel::Alignment, &TLabel::SetAlignment, taLeftJustify)
      .Prop("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize, true)
      .Prop("Layout", &TLabel::Layout, &TLabel::SetLayout, tlTop)
      .Prop("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap, false)
      .Prop("Transparent", &TLabel::Transparent, &TLabel::SetTransparent, false)
      .Prop("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar, true)
      .Prop("Caption", [](const TLabel& l) { return l.Caption(); }, [](TLabel& l, const String& v) { l.SetCaption(v); })
      .Prop("FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl)
      .Publish(ControlProperties(), pgBounds)
      .Publish(ControlProperties(), pgFont)
      .Publish(ControlProperties(), pgHint)
      .Publish(ControlProperties(), pgDragProps)
      .Publish(ControlProperties(), {"Align", "Anchors", "Color", "ParentColor", "Enabled", "Visible",
                                     "StyleElements", "PopupMenu"})
      .Publish(ControlProperties(), pgMouseEvents)
      .Publish(ControlProperties(), pgDragEvents)
      .Publish(ControlProperties(), {"OnMouseEnter", "OnMouseLeave", "OnContextPopup"});
  return info;
}

}  // namespace jox
