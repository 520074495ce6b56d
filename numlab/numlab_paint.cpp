// TNumLab painting: labels, value box and value drawn off-screen, then copied to the control in one
// operation (AND-ed over the parent when transparent).
#include "numlab/numlab.h"
#include "package/paintbuffer.h"
#include "package/painting.h"
#include "package/core/drawing.h"

namespace jox {

void TNumLab::DrawLabel(TCanvas* C, Integer X, Integer Y, const String& S, bool Styled, Integer LightDX) {
  if (S.empty()) return;
  TCustomStyleServices* st = StyleServices();
  if (Enabled()) {
    C->Font()->SetColor(Styled ? st->GetStyleFontColor(sfButtonTextNormal) : FColorOutText);
    C->TextOut(X, Y, S);
  } else if (Styled) {
    // The style's disabled colour alone, in the place of the light copy.
    C->Brush()->SetStyle(bsClear);
    C->Font()->SetColor(st->GetStyleFontColor(sfButtonTextDisabled));
    C->TextOut(X + LightDX, Y + 1, S);
  } else {
    DrawEngravedText(C, X, Y, S, LightDX);
  }
}

void TNumLab::Paint() {
  if (!(Visible() || ComponentState().Contains(csDesigning))) return;
  const Integer w = Width(), h = Height();
  if (w <= 0 || h <= 0) return;
  TCustomStyleServices* st = StyleServices();
  const bool styleFont = st->Enabled() && StyleElements().Contains(seFont);
  const bool styleClient = st->Enabled() && StyleElements().Contains(seClient);

  TPaintBuffer buf(this);
  TCanvas* c = buf.Canvas();
  const Integer ty = CenteredTextTop(c, h);

  const TColor back = FTransParent ? clWhite : styleClient ? st->GetStyleColor(scWindow) : FColorOutBakG;
  c->Pen()->SetColor(back);
  c->Brush()->SetColor(back);
  c->Rectangle(0, 0, w, h);

  const Integer lw = c->TextWidth(FLeftText);
  const Integer lx = FLTAlignment == taLeftJustify    ? 7
                     : FLTAlignment == taRightJustify ? FLeftSpace - lw - 5
                                                      : (FLeftSpace - lw) / 2;
  DrawLabel(c, lx, ty, FLeftText, styleFont);

  const Integer boxRight = FLeftSpace + FLabWidth;
  const Integer rw = c->TextWidth(FRightText);
  const Integer rx = FRTAlignment == taLeftJustify    ? boxRight + 7
                     : FRTAlignment == taRightJustify ? w - rw - 6
                                                      : (w - (boxRight + rw)) / 2 + boxRight + 1;
  c->Brush()->SetColor(back);
  // Right-justified, the light copy lies left of the grey one, not right.
  DrawLabel(c, rx, ty, FRightText, styleFont, FRTAlignment == taRightJustify ? -1 : 1);

  // Value box: the pen outline shows only where the frame style draws nothing over it.
  c->Pen()->SetColor(FFrameStyle == fsNone ? FColorLabBakG : FFrameStyle == fsEmbossed ? FColWhiteLine : FColGrayLine);
  c->Brush()->SetColor(styleClient ? st->GetStyleColor(scGrid) : FColorLabBakG);
  c->Rectangle(FLeftSpace + 1, 0, boxRight + 1, h - 1);
  if (styleClient)
    DrawFrame(c, FFrameStyle, FLeftSpace + 1, 0, boxRight, h - 2, st->GetSystemColor(cl3DLight),
              st->GetSystemColor(clBtnHighlight), st->GetSystemColor(clBtnShadow), st->GetSystemColor(cl3DDkShadow),
              st->GetStyleColor(scBorder));
  else
    DrawFrame(c, FFrameStyle, FLeftSpace + 1, 0, boxRight, h - 2, clWhite, clSilver, clGray, clBlack, clBlack);

  FShownText.clear();
  if (!FEmpty) {
    String text = FormatValue();
    if (FOnBeforeDisplay) FOnBeforeDisplay(this, text);
    Integer tw = c->TextWidth(text);
    if (tw > FLabWidth - 6 && FDisplayType != dtState) {
      text = FOverFlowIndi;
      // Placed by its own width: placed by the wide text's, a long text pushes it out of the box.
      tw = c->TextWidth(text);
    }
    FShownText = text;
    c->Font()->SetColor(!Enabled() ? clBtnShadow : styleFont ? st->GetStyleFontColor(sfPanelTextNormal) : FColorLabText);
    c->Brush()->SetStyle(bsClear);
    const Integer x = FAlignment == taLeftJustify    ? FLeftSpace + 4
                      : FAlignment == taRightJustify ? boxRight - tw - 2
                                                     : FLeftSpace + (FLabWidth - tw) / 2 + 2;
    c->TextRect(Rect(FLeftSpace + 3, 2, boxRight - 1, h - 3), x, ty, text);
  }

  if (!FTransParent) {
    buf.Flush();
    return;
  }
  // AND-ed over what lies beneath: the white parts of the picture leave it as it is. The inside of
  // the box is laid first, so the value stays readable over any background.
  TCanvas* own = Canvas();
  const TColor fill = FColorLabText != clBlack ? clWhite : FColorLabBakG;
  own->Pen()->SetColor(fill);
  own->Brush()->SetColor(fill);
  own->Rectangle(FLeftSpace + 2, 2, boxRight, h - 2);
  own->SetCopyMode(cmSrcAnd);
  own->Draw(0, 0, buf.Bitmap());
  own->SetCopyMode(cmSrcCopy);
}

}  // namespace jox
