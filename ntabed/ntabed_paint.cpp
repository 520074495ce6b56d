// TNTabEd drawing: number and cell texts, data cells (marks, selection), the fixed stripes (names,
// attributes, the corner with the cell cursor or the comment caption), the empty-table message, and
// the sizes measured from texts.
// Sections: [texts] [data cells] [fixed cells] [paint] [sizes]
#include <algorithm>
#include <cmath>

#include "ntabed/ntabed.h"
#include "ntabed/ntabed_internal.h"
#include "package/core/strutil.h"
#include "package/numtext.h"

namespace jox {

// [texts] --------------------------------------------------------------------------------------------------
namespace {

// Largest magnitude shown in fixed notation with p decimals, and the smallest nonzero one.
constexpr double kFixedMax[9] = {999999999, 9999999.9, 999999.99, 99999.999, 9999.9999,
                                 999.99999, 99.999999, 9.9999999, 0.99999999};
constexpr double kFixedMin[9] = {1, 1e-1, 1e-2, 1e-3, 1e-4, 1e-5, 1e-6, 1e-7, 1e-8};

}  // namespace

String TNTabEd::NumberText(double x, Integer ColNr) const {
  const Integer p = Precision(ColNr);
  if (p >= 0 && p <= 8) {
    const double a = std::fabs(x);
    if (a <= kFixedMax[p] && (x == 0 || a >= kFixedMin[p])) return FormatReal(FNumWidth, p, x);
  }
  return FormatReal(FNumWidth + 8, -2, x);
}

bool TNTabEd::IsNominal(Integer c) const {
  const TMScaleType t = Data->GetMScaleType(c);
  return t == mstNominal || t == mstOrdinal;
}

// The ordinal a nominal cell holds; outside the integers (or not finite) it is -1, which names nothing.
Integer TNTabEd::NominalValue(Integer c, Integer r) const {
  const double v = RoundHalfEven(Data->GetElem(c, r));
  return std::isfinite(v) && std::fabs(v) < 2e9 ? Integer(v) : -1;
}

String TNTabEd::CellText(Integer ACol, Integer ARow) const {
  const Byte s = Data->GetCellState(ACol, ARow);
  if (s & ntsEmpty) return String();
  if (s & ntsNotANumber) return u"-nan-";
  if (!IsNominal(ACol)) return NumberText(Data->GetElem(ACol, ARow), ACol);
  const double v = RoundHalfEven(Data->GetElem(ACol, ARow));
  if (v >= 0 && v <= kMaxNominalOrdinal) {
    String id = Data->GetNominalID(ACol, Integer(v));
    if (!id.empty()) return id;
  }
  const String prefix = String(MScaleTypeNames[Data->GetMScaleType(ACol)]) + u":";
  if (std::isfinite(v) && std::fabs(v) < 9e18) return prefix + IntToStr(Int64(v));
  return prefix + NumberText(v, ACol);
}

// [data cells] ---------------------------------------------------------------------------------------------
void TNTabEd::DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) {
  if (ACol > FColOffset && ARow > FRowOffset) DrawDataCell(ACol, ARow, ARect, AState);
  else DrawFixedCell(ACol, ARow, ARect);
}

void TNTabEd::DrawDataCell(Integer ACol, Integer ARow, const TRect& Rect, TGridDrawState AState) {
  TCanvas* cv = Canvas();
  const Integer c = ACol - FColOffset, r = ARow - FRowOffset;
  String text = CellText(c, r);
  TFontStyles styles = Font()->Style();
  TColor fg;
  switch (Data->GetCellState(c, r) & (ntsMarkA | ntsMarkB)) {
    case ntsMarkA: fg = FColorMarkedA; break;
    case ntsMarkB: fg = FColorMarkedB; break;
    case ntsMarkA | ntsMarkB: fg = FColorMarkedBoth; break;
    default: fg = (AState & gdSelected) ? FColorRangeSelFG : FColorNormal; break;
  }
  if ((Data->GetCellState(c, r) & (ntsMarkA | ntsMarkB)) && FBoldMarks) styles = styles | fsBold;
  if (AState & gdSelected) cv->Brush()->SetColor(FColorRangeSelBG);
  TColor bg = cv->Brush()->Color();
  if (FOnBeforeRenderCell) FOnBeforeRenderCell(this, c, r, text, fg, bg, styles);
  cv->Brush()->SetStyle(bsSolid);
  cv->Brush()->SetColor(bg);
  cv->Font()->SetStyle(styles);
  cv->Font()->SetColor(fg);
  cv->TextRect(Rect, Rect.Left + 2, Rect.Top + 1, text);
}

// [fixed cells] --------------------------------------------------------------------------------------------
void TNTabEd::DrawFixedCell(Integer ACol, Integer ARow, TRect Rc) {
  TCanvas* cv = Canvas();
  const TGridRect sel = Selection();
  if (ACol == 0 && ARow == 0) {
    if (FCommentOpen) {
      cv->Brush()->SetColor(TColor(0x808000));
      cv->Font()->SetColor(clWhite);
      cv->TextRect(Rc, Rc.Left + 3, Rc.Top + 2, u"Comment:");
    } else {
      cv->Brush()->SetColor(clWindow);
      cv->Font()->SetColor(FColorNormal);
      const String cursor = FShowCellCursor
                                ? IntToStr(sel.Left - FColOffset) + u":" + IntToStr(sel.Top - FRowOffset)
                                : String();
      cv->TextRect(Rc, Rc.Left + 3, Rc.Top + 2, cursor);
    }
    return;
  }
  if (Rc.Width() > 0) {
    ++Rc.Left;
    --Rc.Right;
  }
  if (Rc.Height() > 0) {
    ++Rc.Top;
    --Rc.Bottom;
  }
  Rc.Right -= 2;
  const TFontStyles plain = Font()->Style();
  // Headings of the current cell's row and column stand out.
  auto heading = [&](bool current, const String& text, Integer dy) {
    cv->Font()->SetColor(current ? FColorSelected : FColorNormal);
    cv->Font()->SetStyle(current && FBoldSelHeads ? plain | fsBold : plain);
    cv->TextRect(Rc, Rc.Left + 2, Rc.Top + dy, text);
    cv->Font()->SetStyle(plain);
  };
  const bool attribCol = FColOffset == 1 && ACol == 1;
  const bool attribRow = FRowOffset == 1 && ARow == 1;
  if (ARow > FRowOffset) {
    const Integer r = ARow - FRowOffset;
    if (ACol == 0) heading(ARow == sel.Top, Data->GetRowName(r), 0);
    else if (attribCol) heading(ARow == sel.Top, IntToStr(Data->GetRowAttrib(r)), 1);
  } else if (attribRow) {
    if (ACol == 0) heading(false, u"Attribute", 1);
    else if (ACol > FColOffset) heading(ACol == sel.Left, IntToStr(Data->GetColAttrib(ACol - FColOffset)), 1);
  } else if (ARow == 0) {
    if (ACol > FColOffset) heading(ACol == sel.Left, Data->GetColName(ACol - FColOffset), 1);
    else if (attribCol) heading(false, u"Attrib", 1);
  }
}

void TNTabEd::PaintCorner() {
  if (Suppressed()) return;
  InvalidateCell(0, 0);
}

// [paint] --------------------------------------------------------------------------------------------------
void TNTabEd::Paint() {
  if (Suppressed()) return;
  TCustomGrid::Paint();
  if (NrOfRows() == 0) PaintEmptyMessage();
  PaintOutline();
  if (FOptRowHeight) {
    const Integer h = AutoRowHeight(-1, 2);
    if (h != DefaultRowHeight()) SetDefaultRowHeight(h);
  }
}

void TNTabEd::PaintEmptyMessage() {
  TCanvas* cv = Canvas();
  const TRect ca = ClientRect();
  cv->Pen()->SetStyle(psSolid);
  cv->Pen()->SetColor(Color());
  cv->Brush()->SetStyle(bsSolid);
  cv->Brush()->SetColor(Color());
  cv->Rectangle(ca);
  if (FEmptyMsg.empty()) return;
  TOpenStringArray lines;
  const Integer k = Tokenize(FEmptyMsg, u"|", lines);
  cv->Font()->Assign(Font());
  cv->Font()->SetColor(FColorEmptyMsg);
  const Integer h = cv->TextHeight(FEmptyMsg);
  const Integer W = ca.Width(), H = ca.Height();
  for (Integer i = 0; i < k; ++i) {
    const String& s = lines[size_t(i)];
    cv->TextOut(ca.Left + (W - cv->TextWidth(s)) / 2, ca.Top + (H + k * h) / 2 - k * h + i * h - 2, s);
  }
}

// [sizes] --------------------------------------------------------------------------------------------------
Integer TNTabEd::AutoColWidth(Integer ColNr, bool IncludeHeader, Integer Addon) {
  TCanvas* cv = Canvas();
  cv->Font()->Assign(Font());
  Integer m = 0;
  if (ColNr == -1) {
    m = cv->TextWidth(IncludeHeader ? u"Attrib" : u"255");
  } else if (ColNr == 0) {
    m = cv->TextWidth(u"999:9999");
    const fonts::SizedFont* f = cv->SizedFont();  // one font for every row
    for (Integer r = 1; r <= NrOfRows(); ++r) m = std::max(m, fonts::TextWidth(f, Data->GetRowName(r)));
  } else if (ColNr >= 1 && ColNr <= NrOfColumns()) {
    if (IncludeHeader) m = cv->TextWidth(Data->GetColName(ColNr));
    m = std::max(m, cv->TextWidth(IntToStr(Data->GetColAttrib(ColNr))));
    const fonts::SizedFont* f = cv->SizedFont();
    for (Integer r = 1; r <= NrOfRows(); ++r)
      m = std::max(m, fonts::TextWidth(f, NumberText(Data->GetElem(ColNr, r), ColNr)));
  }
  const Integer w = std::max(m + Addon + 8, 4);
  SetColWidths(ColNr, w);
  return w;
}

void TNTabEd::AutoColWidths(bool IncludeHeader, Integer Addon) {
  TInternSuppress quiet(this);
  if (AttribRowVisible()) AutoColWidth(-1, IncludeHeader, Addon);
  for (Integer c = 0; c <= NrOfColumns(); ++c) AutoColWidth(c, IncludeHeader, Addon);
}

Integer TNTabEd::AutoRowHeight(Integer RowNr, Integer Addon) {
  TCanvas* cv = Canvas();
  cv->Font()->Assign(Font());
  const Integer h = std::max(cv->TextHeight(u"9GMg\u00DC$\u00A7[{|") + Addon + 2, 8);
  SetRowHeights(RowNr, h);
  return h;
}

}  // namespace jox
