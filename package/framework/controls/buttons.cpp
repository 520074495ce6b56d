// Speed buttons and push buttons. Sections: [speed] [speed-paint] [push] [tables]
#include "package/framework/controls/buttons.h"

#include "package/framework/controls/labels.h"
#include "package/framework/controls/menus.h"

#include <algorithm>

#include "package/framework/graphics/bitmapscale.h"
#include "package/framework/graphics/drawedge.h"
#include "package/framework/controls/forms.h"

namespace jox {

// [speed] --------------------------------------------------------------------------------------------------
constexpr Integer kSpeedButtonWidth = 23, kSpeedButtonHeight = 22;

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
  // Click comes from MouseUp (only over the button), not from the framework's press tracking.
  SetControlStyle(csCaptureMouse | csDoubleClicks);
  SetBounds(0, 0, kSpeedButtonWidth, kSpeedButtonHeight);
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::SetState(TButtonState s) {
  if (s == FState) return;
  FState = s;
  Invalidate();
}

void TSpeedButton::SetAllowAllUp(bool v) {
  if (v == FAllowAllUp) return;
  FAllowAllUp = v;
  UpdateExclusive();
}

void TSpeedButton::SetGroupIndex(Integer v) {
  if (v == FGroupIndex) return;
  FGroupIndex = v;
  UpdateExclusive();
}

void TSpeedButton::SetDown(bool v) {
  if (FGroupIndex == 0) v = false;
  if (v == FDown) return;
  if (FDown && !FAllowAllUp) return;
  FDown = v;
  if (v) {
    if (FState == bsUp) FState = bsExclusive;
  } else {
    FState = bsUp;
  }
  Invalidate();
  if (v) UpdateExclusive();
}

void TSpeedButton::UpdateExclusive() {
  if (FGroupIndex == 0 || !Parent()) return;
  TMessage m{CM_BUTTONPRESSED, FGroupIndex, intptr_t(static_cast<TObject*>(this)), 0};
  Parent()->Broadcast(m);
}

void TSpeedButton::SetFlat(bool v) {
  if (v == FFlat) return;
  FFlat = v;
  Invalidate();
}

void TSpeedButton::SetGlyph(TBitmap* v) {
  if (v) FGlyph->Assign(v);
  else FGlyph->SetSize(0, 0);
  // A strip of square pictures tells how many it holds.
  if (v && v->Height() > 0 && v->Width() % v->Height() == 0) {
    const Integer n = v->Width() / v->Height();
    if (n >= 1 && n <= 4) FNumGlyphs = n;
  }
  Invalidate();
}

void TSpeedButton::ChangeScale(double K) {
  if (FMargin > 0) FMargin = ScaledMetric(K, FMargin);
  if (FSpacing > 0) FSpacing = ScaledMetric(K, FSpacing);
  Invalidate();
}

void TSpeedButton::SetNumGlyphs(TNumGlyphs v) {
  if (v < 1 || v > 4 || v == FNumGlyphs) return;
  FNumGlyphs = v;
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout v) {
  if (v == FLayout) return;
  FLayout = v;
  Invalidate();
}

void TSpeedButton::SetMargin(Integer v) {
  if (v < -1) v = -1;
  if (v == FMargin) return;
  FMargin = v;
  Invalidate();
}

void TSpeedButton::SetSpacing(Integer v) {
  if (v < -1) v = -1;
  if (v == FSpacing) return;
  FSpacing = v;
  Invalidate();
}

void TSpeedButton::SetTransparent(bool v) {
  if (v == FTransparent) return;
  FTransparent = v;
  SetControlStyle(v ? ControlStyle() & ~csOpaque : ControlStyle() | csOpaque);
  Invalidate();
}

void TSpeedButton::Click() { TGraphicControl::Click(); }

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  // OnMouseDown may have opened a dialog, which took the mouse away.
  if (Button != mbLeft || !Enabled() || !MouseCapture()) return;
  if (!FDown) SetState(bsDown);
  FDragging = true;
}

void TSpeedButton::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!FDragging) return;
  const bool inside = ClientRect().Contains(Point(X, Y));
  TButtonState s = FDown ? bsExclusive : bsUp;
  if (inside && !FDown) s = bsDown;
  SetState(s);
}

void TSpeedButton::KeyDown(Word& Key, TShiftState Shift) {
  if (Key != VK_SPACE || !Enabled()) return;
  Key = 0;
  if (FSpaceHeld) return;  // the key's auto-repeat
  FSpaceHeld = true;
  if (!FDown) SetState(bsDown);
}

void TSpeedButton::KeyUp(Word& Key, TShiftState Shift) {
  if (Key != VK_SPACE || !FSpaceHeld) return;
  Key = 0;
  FSpaceHeld = false;
  if (FGroupIndex == 0) {
    SetState(bsUp);
  } else {
    SetDown(!FDown);
    SetState(FDown ? bsExclusive : bsUp);
  }
  Click();
}

void TSpeedButton::FocusChanged() {
  // The focus leaving with Space held lets the button go without a click.
  if (!Focused() && FSpaceHeld) {
    FSpaceHeld = false;
    SetState(FDown ? bsExclusive : bsUp);
  }
  Invalidate();
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!FDragging || Button != mbLeft) return;
  FDragging = false;
  const bool inside = ClientRect().Contains(Point(X, Y));
  if (FGroupIndex == 0) {
    SetState(bsUp);
  } else if (inside) {
    // A grouped button toggles (or stays down without AllowAllUp); a refused raise keeps the look.
    SetDown(!FDown);
    SetState(FDown ? bsExclusive : bsUp);
  } else {
    SetState(FDown ? bsExclusive : bsUp);
  }
  if (inside) Click();
}

void TSpeedButton::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case CM_BUTTONPRESSED: {
      // Other kinds of buttons share the message and its group numbers: answer only speed buttons.
      auto* sender = dynamic_cast<TSpeedButton*>(reinterpret_cast<TObject*>(Message.LParam));
      if (Message.WParam != FGroupIndex || sender == this || !sender) return;
      if (sender->FDown && FDown) {
        FDown = false;
        FState = bsUp;
        Invalidate();
      }
      FAllowAllUp = sender->FAllowAllUp;
      return;
    }
    case CM_MOUSEENTER:
      FMouseInControl = true;
      if (FFlat && Enabled()) Invalidate();
      break;
    case CM_MOUSELEAVE:
      FMouseInControl = false;
      if (FFlat && Enabled()) Invalidate();
      break;
    case CM_ENABLEDCHANGED:
      FState = Enabled() ? (FDown ? bsExclusive : bsUp) : bsDisabled;
      break;
    case WM_CANCELMODE:
      FDragging = false;
      FState = FDown ? bsExclusive : bsUp;
      Invalidate();
      break;
  }
  TGraphicControl::DefaultHandler(Message);
}

// [speed-paint] --------------------------------------------------------------------------------------------
void TSpeedButton::Paint() {
  TCanvas* c = Canvas();
  const TRect client = ClientRect();
  const bool enabled = Enabled();
  const TButtonState state = enabled ? FState : bsDisabled;
  const bool pressed = state == bsDown || state == bsExclusive;
  c->Brush()->SetStyle(bsSolid);
  TRect r = client;
  if (!FFlat) {
    // A raised push face, or pushed in; a button kept down shows the halftone face of the platform.
    if (pressed) {
      c->Brush()->SetColor(clWindowFrame);
      c->FrameRect(r);
      r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
      TRect e = r;
      DrawEdge(c, e, BDR_SUNKENOUTER, BF_RECT | BF_FLAT);
      r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    } else {
      DrawEdge(c, r, EDGE_RAISED, BF_RECT | BF_SOFT | BF_ADJUST);
    }
    const TColor face = ColorToRGB(clBtnFace), hi = ColorToRGB(clBtnHighlight);
    c->Brush()->SetColor(state == bsExclusive ? RGB(Byte((GetRValue(face) + GetRValue(hi)) / 2),
                                                   Byte((GetGValue(face) + GetGValue(hi)) / 2),
                                                   Byte((GetBValue(face) + GetBValue(hi)) / 2))
                                              : clBtnFace);
    c->FillRect(r);
  } else {
    if (!FTransparent || state == bsExclusive) {
      c->Brush()->SetColor(clBtnFace);
      c->FillRect(r);
    }
    // Flat: a thin edge only under the pointer or while down.
    if (pressed || (FMouseInControl && enabled)) {
      TRect e = r;
      DrawEdge(c, e, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }
  }
  PaintGlyphAndCaption(c, client, pressed);
  if (Focused()) c->DrawFocusRect(Rect(client.Left + 3, client.Top + 3, client.Right - 3, client.Bottom - 3));
}

void TSpeedButton::PaintGlyphAndCaption(TCanvas* C, TRect R, bool Pressed) {
  const bool enabled = Enabled();
  // The glyph picture for the state: up, disabled, clicked, down (falling back to up).
  Integer gw = 0, gh = 0, index = 0;
  TBitmap part;
  const TColor key = ColorToRGB(FGlyph->TransparentColor()) & 0xFFFFFF;
  if (!FGlyph->Empty()) {
    const Integer w = FGlyph->Width() / FNumGlyphs, h = FGlyph->Height();
    const TButtonState s = enabled ? FState : bsDisabled;
    index = s == bsDisabled ? 1 : s == bsDown ? 2 : s == bsExclusive ? 3 : 0;
    if (index >= FNumGlyphs) index = 0;
    if (s == bsExclusive && FNumGlyphs == 3) index = 2;  // no down picture: the clicked one
    part.SetSize(w, h);
    part.Canvas()->CopyRect(Rect(0, 0, w, h), FGlyph->Canvas(), Rect(index * w, 0, index * w + w, h));
    // Drawn for 96 dpi: grown with the form, its transparent colour kept clean.
    ScaleBitmap(&part, ControlScale(this), key);
    gw = part.Width();
    gh = part.Height();
  }
  C->Font()->Assign(Font());
  const String caption = Caption();
  TRect tr = Rect(0, 0, R.Width(), 0);
  if (!caption.empty()) C->DrawText(caption, tr, DT_CALCRECT | DT_SINGLELINE);
  const Integer tw = caption.empty() ? 0 : tr.Width(), th = caption.empty() ? 0 : tr.Height();
  const bool horizontal = FLayout == blGlyphLeft || FLayout == blGlyphRight;
  const Integer avail = horizontal ? R.Width() : R.Height();
  const Integer glyphLen = horizontal ? gw : gh, textLen = horizontal ? tw : th;
  Integer spacing = (gw == 0 || caption.empty()) ? 0 : FSpacing;
  Integer margin = FMargin;
  if (margin == -1) {
    if (spacing == -1) {
      const Integer total = glyphLen + textLen;
      margin = spacing = (avail - total) / 3;
    } else {
      margin = (avail - glyphLen - textLen - spacing) / 2;
    }
  } else if (spacing == -1) {
    spacing = (avail - margin - glyphLen - textLen) / 2;
  }
  TPoint gp, tp;
  switch (FLayout) {
    case blGlyphLeft:
      gp = Point(R.Left + margin, R.Top + (R.Height() - gh) / 2);
      tp = Point(gp.X + gw + spacing, R.Top + (R.Height() - th) / 2);
      break;
    case blGlyphRight:
      gp = Point(R.Right - margin - gw, R.Top + (R.Height() - gh) / 2);
      tp = Point(gp.X - spacing - tw, R.Top + (R.Height() - th) / 2);
      break;
    case blGlyphTop:
      gp = Point(R.Left + (R.Width() - gw) / 2, R.Top + margin);
      tp = Point(R.Left + (R.Width() - tw) / 2, gp.Y + gh + spacing);
      break;
    case blGlyphBottom:
      gp = Point(R.Left + (R.Width() - gw) / 2, R.Bottom - margin - gh);
      tp = Point(R.Left + (R.Width() - tw) / 2, gp.Y - spacing - th);
      break;
  }
  if (Pressed) {
    gp = Point(gp.X + 1, gp.Y + 1);
    tp = Point(tp.X + 1, tp.Y + 1);
  }
  if (gw > 0) {
    const bool made = !enabled && index == 0;  // no disabled picture: engrave the up one
    for (Integer y = 0; y < gh; ++y) {
      const uint32_t* row = part.ScanLine(y);
      for (Integer x = 0; x < gw; ++x) {
        const uint32_t px = row[x] & 0xFFFFFF;
        // Scan lines hold 0x00RRGGBB; colours are 0x00BBGGRR.
        const TColor col = RGB(Byte(px >> 16), Byte(px >> 8), Byte(px));
        if (col == key) continue;
        if (made) {
          // Dark pixels become the engraved shape, light ones vanish.
          if (GetRValue(col) + GetGValue(col) + GetBValue(col) > 3 * 0xC0) continue;
          C->SetPixels(gp.X + x + 1, gp.Y + y + 1, ColorToRGB(clBtnHighlight));
          C->SetPixels(gp.X + x, gp.Y + y, ColorToRGB(clBtnShadow));
        } else {
          C->SetPixels(gp.X + x, gp.Y + y, col);
        }
      }
    }
  }
  if (!caption.empty())
    DrawCaption(C, caption, Rect(tp.X, tp.Y, tp.X + tw, tp.Y + th), DT_SINGLELINE, enabled);
}

// [push] ---------------------------------------------------------------------------------------------------
constexpr Integer kButtonWidth = 75, kButtonHeight = 25;

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner) {
  // Captures from press to release, so it sees the pointer leave and come back while held.
  SetControlStyle(csCaptureMouse | csSetCaption | csDoubleClicks | csOpaque);
  SetTabStop(true);
  SetBounds(0, 0, kButtonWidth, kButtonHeight);
}

void TButton::SetDefault(bool v) {
  if (v == FDefault) return;
  FDefault = v;
  Invalidate();
}

bool TButton::Active() const {
  if (Focused()) return true;
  if (!FDefault) return false;
  // The default button gives way to a focused button.
  TWinControl* f = FocusedControl();
  return !dynamic_cast<TButton*>(f);
}

void TButton::Click() {
  if (FModalResult != 0)
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
  TWinControl::Click();
}

void TButton::SetPressed(bool v) {
  if (v == FPressed) return;
  FPressed = v;
  Invalidate();
}

void TButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  // Held before OnMouseDown runs: a dialog it opens cancels the hold (WM_CANCELMODE).
  if (Button == mbLeft) FMouseHeld = true;
  TWinControl::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft && FMouseHeld) SetPressed(true);
}

void TButton::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TWinControl::MouseMove(Shift, X, Y);
  if (FMouseHeld) SetPressed(ClientRect().Contains(Point(X, Y)));
}

void TButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  const bool click = Button == mbLeft && FMouseHeld && ClientRect().Contains(Point(X, Y));
  if (Button == mbLeft) {
    FMouseHeld = false;
    SetPressed(false);
  }
  TWinControl::MouseUp(Button, Shift, X, Y);
  if (click) Click();
}

void TButton::KeyDown(Word& Key, TShiftState Shift) {
  TWinControl::KeyDown(Key, Shift);
  if (Key == VK_SPACE) {
    FSpaceHeld = true;
    SetPressed(true);
  } else if (Key == VK_RETURN) {
    Key = 0;
    Click();
  }
}

void TButton::KeyUp(Word& Key, TShiftState Shift) {
  TWinControl::KeyUp(Key, Shift);
  if (Key == VK_SPACE && FSpaceHeld) {
    FSpaceHeld = false;
    SetPressed(false);
    Click();
  }
}

void TButton::DoEnter() {
  TWinControl::DoEnter();
  // The default frame moves with the focus between buttons.
  if (Parent()) Parent()->Invalidate();
}

void TButton::DoExit() {
  FSpaceHeld = false;
  SetPressed(false);
  TWinControl::DoExit();
  if (Parent()) Parent()->Invalidate();
}

void TButton::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case CM_DIALOGKEY: {
      const bool plain = KeyDataToShiftState(Message.LParam).Empty();
      if (plain && ((Message.WParam == VK_RETURN && Active()) || (Message.WParam == VK_ESCAPE && FCancel)) &&
          Enabled() && Showing()) {
        Click();
        Message.Result = 1;
        return;
      }
      break;
    }
    case CM_DIALOGCHAR:
      // Alt+mnemonic presses the button where it is; the focus stays.
      if (IsAccel(char16_t(Message.WParam), Caption()) && Enabled() && Showing()) {
        Click();
        Message.Result = 1;
        return;
      }
      break;
    case WM_GETDLGCODE:
      Message.Result = 0;
      return;
    case WM_CANCELMODE:
      FMouseHeld = FSpaceHeld = false;
      SetPressed(false);
      break;
  }
  TWinControl::DefaultHandler(Message);
}

void TButton::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  c->Brush()->SetStyle(bsSolid);
  const bool active = Active() && Enabled();
  if (active || FPressed) {
    // The default (or focused) button wears a black frame outside its face.
    c->Brush()->SetColor(clWindowFrame);
    c->FrameRect(r);
    r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
  }
  if (FPressed) {
    c->Brush()->SetColor(clBtnShadow);
    c->FrameRect(r);
    r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(r);
  } else {
    DrawEdge(c, r, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE | BF_ADJUST);
  }
  c->Font()->Assign(Font());
  TRect tr = ClientRect();
  if (FPressed) tr = Rect(tr.Left + 1, tr.Top + 1, tr.Right + 1, tr.Bottom + 1);
  DrawCaption(c, Caption(), tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE, Enabled());
  if (Focused()) {
    c->Brush()->SetColor(clBtnFace);
    c->Font()->SetColor(clBtnText);
    c->DrawFocusRect(Rect(4, 4, Width() - 4, Height() - 4));
  }
}

// [tables] -------------------------------------------------------------------------------------------------
const TClassInfo& TSpeedButton::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TSpeedButton>(&TGraphicControl::ClassInfo())
      .Prop("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp, false)
      .Prop("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex, Integer(0))
      .Prop("Down", &TSpeedButton::Down, &TSpeedButton::SetDown, false)
      .Prop("Caption", [](const TSpeedButton& b) { return b.Caption(); },
            [](TSpeedButton& b, const String& v) { b.SetCaption(v); })
      .Prop("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat, false)
      .Prop("Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph)
      .Prop("Layout", &TSpeedButton::Layout, &TSpeedButton::SetLayout, blGlyphLeft)
      .Prop("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin, Integer(-1))
      .Prop("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs, Integer(1))
      .Prop("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing, Integer(4))
      .Prop("Transparent", &TSpeedButton::Transparent, &TSpeedButton::SetTransparent, true)
      .Publish(ControlProperties(), pgBounds)
      .Publish(ControlProperties(), pgFont)
      .Publish(ControlProperties(), pgHint)
      .Publish(ControlProperties(), {"Align", "Anchors", "Enabled", "Visible", "StyleElements", "PopupMenu"})
      .Publish(ControlProperties(), pgMouseEvents)
      .Publish(ControlProperties(), {"OnMouseEnter", "OnMouseLeave"});
  return info;
}

const TClassInfo& TButton::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TButton>(&TWinControl::ClassInfo())
      .Prop("Caption", [](const TButton& b) { return b.Caption(); }, [](TButton& b, const String& v) { b.SetCaption(v); })
      .Prop("Default", &TButton::Default, &TButton::SetDefault, false)
      .Prop("Cancel", &TButton::Cancel, &TButton::SetCancel, false)
      .Prop("ModalResult", &TButton::ModalResult, &TButton::SetModalResult, Integer(0))
      .Prop("TabStop", &TButton::TabStop, &TButton::SetTabStop, true)
      .Publish(ControlProperties(), pgBounds)
      .Publish(ControlProperties(), pgFont)
      .Publish(ControlProperties(), pgHint)
      .Publish(ControlProperties(), {"Align", "Anchors", "Enabled", "Visible", "StyleElements", "PopupMenu",
                                     "TabOrder"})
      .Publish(ControlProperties(), pgMouseEvents)
      .Publish(ControlProperties(), pgKeyEvents);
  return info;
}

}  // namespace jox
