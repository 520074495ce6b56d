// TMarkSel: creation, properties, layout, painting, pointer tracking and clicks.
// Sections: [lifecycle] [properties] [layout] [paint] [pointer] [table]
#include "marksel/marksel.h"

#include "package/framework/controls/forms.h"
#include "package/paintbuffer.h"
#include "package/setters.h"
#include "package/units.h"

namespace jox {

// [lifecycle] ----------------------------------------------------------------------------------
TMarkSel::TMarkSel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FMarkVis.fill(true);
  WantKeyboard(DLGC_WANTARROWS | DLGC_WANTRETURN);
  SetBounds(Left(), Top(), DefWidth, DefHeight);
  SetMessageHandler(WM_LBUTTONUP, [this](TMessage& m) { WMButtonClick(m, false); });
  SetMessageHandler(WM_LBUTTONDBLCLK, [this](TMessage& m) { WMButtonClick(m, true); });
  SetMessageHandler(CM_MOUSELEAVE, [this](TMessage& m) { CMMouseLeave(m); });
}

void TMarkSel::AssignTo(TPersistent* Dest) {
  if (dynamic_cast<TMarkSel*>(Dest))
    Dest->Assign(this);
  else
    TGraphicControl::AssignTo(Dest);
}

void TMarkSel::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TMarkSel*>(Source);
  if (!S) {
    TGraphicControl::Assign(Source);
    return;
  }
  FMarkVis = S->FMarkVis;
  FNrCols = S->FNrCols;
  FNrRows = S->FNrRows;
  FSelected = S->FSelected;
  FZeroAsCross = S->FZeroAsCross;
  FFrameStyle = S->FFrameStyle;
  FColorBG = S->FColorBG;
  FColorFG = S->FColorFG;
  FColorSelBG = S->FColorSelBG;
  FColorSelFG = S->FColorSelFG;
  FColorHiLite = S->FColorHiLite;
  FColorHiSymb = S->FColorHiSymb;
  PaintNow(this);
}

// [properties] ---------------------------------------------------------------------------------
void TMarkSel::SetNrOfColumns(Integer Value) {
  if (Value >= 1 && Value <= MaxCells) StoreAndPaint(this, FNrCols, Value);
}

void TMarkSel::SetNrOfRows(Integer Value) {
  if (Value >= 1 && Value <= MaxCells) StoreAndPaint(this, FNrRows, Value);
}

bool TMarkSel::MarkVisible(Integer Ix) const {
  if (Ix < 0 || Ix > MaxMark) Ix = 0;
  return FMarkVis[Ix];
}

void TMarkSel::SetMarkVisible(Integer Ix, bool Value) {
  if (Ix < 1 || Ix > MaxMark) return;
  FMarkVis[Ix] = Value;
  PaintNow(this);
}

void TMarkSel::ShowAllMarks() {
  FMarkVis.fill(true);
  PaintNow(this);
}

void TMarkSel::HideAllMarks() {
  FMarkVis.fill(false);
  FMarkVis[0] = true;
  PaintNow(this);
}

void TMarkSel::SetSelected(Integer Value) {
  if (Value >= -1 && Value <= MaxMark) StoreAndPaint(this, FSelected, Value);
}

void TMarkSel::SetShowZeroAsCross(bool Value) {
  FZeroAsCross = Value;
  Invalidate();
}

void TMarkSel::SetColorBackGnd(TColor Value) { StoreAndPaint(this, FColorBG, Value); }
void TMarkSel::SetColorMarks(TColor Value) { StoreAndPaint(this, FColorFG, Value); }
void TMarkSel::SetColorSelBG(TColor Value) { StoreAndPaint(this, FColorSelBG, Value); }
void TMarkSel::SetColorSelFG(TColor Value) { StoreAndPaint(this, FColorSelFG, Value); }
void TMarkSel::SetColorHiLiteBG(TColor Value) { StoreAndPaint(this, FColorHiLite, Value); }
void TMarkSel::SetColorHiLiteSymbol(TColor Value) { StoreAndPaint(this, FColorHiSymb, Value); }
void TMarkSel::SetFrameStyle(TFrameStyle Value) { StoreAndPaint(this, FFrameStyle, Value); }

void TMarkSel::SetEnabled(bool Value) {
  FEnabled = Value;
  TGraphicControl::SetEnabled(Value);
  Invalidate();
}

// [layout] -------------------------------------------------------------------------------------
void TMarkSel::CalcLayout() {
  FMarkDistHorz = (Width() - 4) / FNrCols;
  FMarkDistVert = (Height() - 4) / FNrRows;
  FMarkMarginHorz = FMarkDistHorz / 2;
  FMarkMarginVert = FMarkDistVert / 2;
  Integer k = 0;
  for (Integer i = 0; i <= MaxMark; ++i) {
    if (!FMarkVis[i]) continue;
    FMarkCoords[i] = {FMarkMarginHorz + FMarkDistHorz * (k % FNrCols), FMarkMarginVert + FMarkDistVert * (k / FNrCols)};
    ++k;
  }
}

Integer TMarkSel::MarkAt(Integer X, Integer Y) {
  CalcLayout();
  double best = 1e10;
  Integer found = 0;
  for (Integer i = 0; i <= MaxMark; ++i) {
    if (!FMarkVis[i]) continue;
    const double dx = double(X) - FMarkCoords[i].X, dy = double(Y) - FMarkCoords[i].Y;
    const double d = dx * dx + dy * dy;
    if (d < best) {
      best = d;
      found = i;
    }
  }
  return found;
}

// [paint] --------------------------------------------------------------------------------------
TMarkSel::TColors TMarkSel::Colors() const {
  if (FEnabled) return {FColorFG, FColorBG, FColorSelFG, FColorSelBG};
  return {DisabledMarks, DisabledBackGnd, DisabledMarks, DisabledSelBG};
}

void TMarkSel::DrawSymbol(TCanvas* C, Integer Ix) {
  if (Ix == 0 && FZeroAsCross) {
    C->MoveTo(4, 4);
    C->LineTo(FMarkDistHorz + 1, FMarkDistVert + 1);
    C->MoveTo(4, FMarkDistVert);
    C->LineTo(FMarkDistHorz + 1, 3);
    return;
  }
  DrawMarkOnCanvas(C, Byte(Ix), FMarkCoords[Ix].X + 2, FMarkCoords[Ix].Y + 2);
}

void TMarkSel::Paint() {
  const Integer W = Width(), H = Height();
  if (W <= 0 || H <= 0) return;
  CalcLayout();
  const TColors col = Colors();
  TPaintBuffer buf(this);
  TCanvas* C = buf.Canvas();
  C->Pen()->SetColor(col.BackGnd);
  C->Brush()->SetColor(col.BackGnd);
  C->Rectangle(0, 0, W, H);
  C->Pen()->SetColor(col.Marks);
  C->Pen()->SetStyle(psSolid);
  C->Pen()->SetMode(pmCopy);
  const Integer dh = FMarkDistHorz / 2, dv = FMarkDistVert / 2;
  for (Integer i = 0; i <= MaxMark; ++i) {
    if (!FMarkVis[i]) continue;
    const TPoint p = FMarkCoords[i];
    if (i == FSelected) {
      C->Pen()->SetColor(col.SelFG);
      C->Brush()->SetColor(col.SelBG);
      C->Rectangle(p.X + 3 - dh, p.Y + 3 - dv, p.X + 3 + dh, p.Y + 3 + dv);
    } else {
      C->Pen()->SetColor(col.Marks);
      C->Brush()->SetColor(col.BackGnd);
    }
    DrawSymbol(C, i);
  }
  if (Focused()) {
    const TPoint p = FMarkCoords[size_t(FocusMark())];
    C->DrawFocusRect(Rect(p.X + 4 - dh, p.Y + 4 - dv, p.X + 2 + dh, p.Y + 2 + dv));
  }
  DrawFrame(C, FFrameStyle, 0, 0, W - 1, H - 1, clWhite, clSilver, clGray, clBlack, col.Marks);
  buf.Flush();
  if (FOnPaint) FOnPaint(this);
}

// [pointer] ------------------------------------------------------------------------------------
void TMarkSel::RestoreMark(Integer Ix) {
  // A symbol hidden since it was highlighted has no cell of its own any more.
  if (Ix < 0 || Ix > MaxMark || !FMarkVis[Ix]) return;
  const TColors col = Colors();
  TCanvas* C = Canvas();
  const bool selected = Ix == FSelected;
  C->Pen()->SetColor(selected ? col.SelFG : col.BackGnd);
  C->Brush()->SetColor(selected ? col.SelBG : col.BackGnd);
  const TPoint p = FMarkCoords[Ix];
  const Integer dh = FMarkDistHorz / 2, dv = FMarkDistVert / 2;
  C->Rectangle(p.X + 3 - dh, p.Y + 3 - dv, p.X + 3 + dh, p.Y + 3 + dv);
  C->Pen()->SetColor(selected ? col.SelFG : col.Marks);
  DrawSymbol(C, Ix);
}

void TMarkSel::HighlightMark(Integer Ix) {
  TCanvas* C = Canvas();
  C->Pen()->SetColor(FColorHiLite);
  C->Brush()->SetColor(FColorHiLite);
  const TPoint p = FMarkCoords[Ix];
  const Integer dh = FMarkDistHorz / 2, dv = FMarkDistVert / 2;
  C->Rectangle(p.X + 4 - dh, p.Y + 4 - dv, p.X + 2 + dh, p.Y + 2 + dv);
  C->Pen()->SetColor(FColorHiSymb);
  DrawSymbol(C, Ix);
}

void TMarkSel::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  const Integer mark = MarkAt(X, Y);
  if (mark == FLastHiLite) return;
  RestoreMark(FLastHiLite);
  HighlightMark(mark);
  FLastHiLite = mark;
}

// The highlight follows the pointer, so it goes when the pointer leaves.
void TMarkSel::CMMouseLeave(TMessage& Message) {
  DefaultHandler(Message);
  RestoreMark(FLastHiLite);
  FLastHiLite = -1;
}

void TMarkSel::WMButtonClick(TMessage& Message, bool Double) {
  DefaultHandler(Message);
  const TPoint p = LParamToPoint(Message.LParam);
  if (p.X == -1 && p.Y == -1) return;
  const Integer mark = MarkAt(p.X, p.Y);
  FSelected = mark;
  const TMarkClickEvent& handler = Double ? FOnMarkDblClick : FOnMarkClick;
  if (handler) handler(this, p.X, p.Y, mark);
  Paint();
  HighlightMark(mark);
  FLastHiLite = mark;
}

// [table] --------------------------------------------------------------------------------------
const TClassInfo& TMarkSel::ClassInfo() {
  using M = TMarkSel;
  static const TClassInfo info = TClassBuilder<TMarkSel>(&TGraphicControl::ClassInfo())
      .Prop("NrOfColumns", &M::NrOfColumns, &M::SetNrOfColumns, DefNrOfColumns)
      .Prop("NrOfRows", &M::NrOfRows, &M::SetNrOfRows, DefNrOfRows)
      .Prop("ColorBackGnd", &M::ColorBackGnd, &M::SetColorBackGnd, DefColorBackGnd)
      .Prop("ColorMarks", &M::ColorMarks, &M::SetColorMarks, DefColorMarks)
      .Prop("ColorSelBG", &M::ColorSelBG, &M::SetColorSelBG, DefColorSelBG)
      .Prop("ColorSelFG", &M::ColorSelFG, &M::SetColorSelFG, DefColorSelFG)
      .Prop("ColorHiLiteBG", &M::ColorHiLiteBG, &M::SetColorHiLiteBG, DefColorHiLiteBG)
      .Prop("ColorHiLiteSymbol", &M::ColorHiLiteSymbol, &M::SetColorHiLiteSymbol, DefColorHiLiteSymbol)
      .Prop("FrameStyle", &M::FrameStyle, &M::SetFrameStyle, DefFrameStyle)
      .Prop("Selected", &M::Selected, &M::SetSelected, DefSelected)
      .Prop("ShowZeroAsCross", &M::ShowZeroAsCross, &M::SetShowZeroAsCross, true)
      .Event("OnMarkClick")
      .Event("OnMarkDblClick")
      .Event("OnPaint")
      .Publish(ControlProperties(), pgBounds)
      .Publish(ControlProperties(), {"Align", "ParentShowHint", "ShowHint", "Visible", "StyleElements",
                                     "OnClick", "OnDblClick", "OnMouseDown", "OnMouseMove", "OnMouseUp"})
      .Publish(ControlProperties(), {"Enabled"});
  return info;
}

// Registered for form text by the unit's start-up.
static const TUnitClasses MarkSelClasses(juMarkSel, {&TMarkSel::ClassInfo});

}  // namespace jox
