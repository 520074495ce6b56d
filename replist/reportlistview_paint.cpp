// TReportListView drawing: data cells (bands, selection, highlight, check and radio glyphs,
// password masking, shortening), header cells (common header, column headers, sort arrow), and the
// empty-list message and inter-row indicator on top.
// Sections: [helpers] [data cells] [header cells] [paint]
#include <algorithm>
#include <cmath>

#include "package/framework/base/utf8.h"
#include "package/painting.h"
#include "replist/reportlistview.h"

namespace jox {

// [helpers] ------------------------------------------------------------------------------------------------
namespace {

// Halves to even, as the platform rounds.
Integer RoundEven(double v) { return Integer(std::nearbyint(v)); }

std::vector<String> SplitText(const String& s, char16_t sep) {
  std::vector<String> parts;
  size_t start = 0;
  for (size_t i = 0; i <= s.size(); ++i)
    if (i == s.size() || s[i] == sep) {
      parts.push_back(s.substr(start, i - start));
      start = i + 1;
    }
  return parts;
}

// The first k units of s, or the last k from the right, moved to whole characters: at least the
// first (last) character, and never half of a surrogate pair.
String HeadChars(const String& s, Integer k) {
  const size_t n = std::max(Utf16CutLength(s, size_t(k)), Utf16Next(s, 0));
  return s.substr(0, n);
}

String TailChars(const String& s, size_t from, Integer k) {
  size_t start = s.size() - std::min(s.size() - from, size_t(k));
  if (Utf16Boundary(s, start) != start) ++start;
  return s.substr(start);
}

}  // namespace

// White top and left, gray bottom and right; the top line runs to R, the right one stands at R - 1.
void TReportListView::RaisedFrame(Integer L, Integer T, Integer R, Integer B) {
  TCanvas* c = Canvas();
  c->Pen()->SetWidth(1);
  DrawLines(c, clWhite, {{L, B - 1}, {L, T}, {R, T}});
  DrawLines(c, clGray, {{L + 1, B - 1}, {R - 1, B - 1}, {R - 1, T}});
}

void TReportListView::DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) {
  if (ARow >= TCustomGrid::FixedRows()) DrawDataCell(ACol, ARow, ARect);
  else DrawHeaderCell(ACol, ARow, ARect);
  TCustomDrawGrid::DrawCell(ACol, ARow, Rect(ARect.Left + 4, ARect.Top + 2, ARect.Right - 6, ARect.Bottom), AState);
}

// [data cells] ---------------------------------------------------------------------------------------------
void TReportListView::DrawDataCell(Integer ACol, Integer ARow, const TRect& Rc) {
  TCanvas* c = Canvas();
  const Integer L = Rc.Left, T = Rc.Top, R = Rc.Right, B = Rc.Bottom;
  const Integer g = ModelCol(ACol), r = DataRowOf(ARow);
  const bool fixedCol = ACol < TCustomGrid::FixedCols();
  TRect fill = Rc;
  if (!fixedCol) {
    if (!(Options() & goVertLine)) fill.Right += 1;
    if (!(Options() & goHorzLine)) fill.Bottom += 1;
  }
  TRect textRect = Rect(L + 4, T + 2, R - 6, B);
  c->Font()->Assign(Font());
  TFontStyles styles = Font()->Style();
  String text = FRLData->Strings->GetString(g, r);
  if (ColumnIsPwd(g)) text = u"******";

  TColor fontColor = FColorNormal;
  TColor bg = FRowColPattern > 0 && ((r - 1) / FRowColPattern) % 2 == 0 ? FRColorShaded : FRColorNormal;
  TColor pen = bg;
  const Byte attr = RowAttr(r);
  const bool disabled = attr & rlRowDisabled;
  if (FEnabled) {
    if (disabled) {
      bg = pen = FDisabledBkgdColor;
      fontColor = FDisabledTextColor;
    } else {
      const bool colSel = FRLData->Strings->GetColAttrib(g) & rlColSelected, rowSel = attr & rlRowSelected;
      if (colSel && rowSel) {
        bg = FSelBothColor;
        fontColor = FSelBothTextColor;
      } else if (colSel) {
        bg = FSelColColor;
        fontColor = FSelColTextColor;
      } else if (rowSel) {
        bg = FSelRowColor;
        fontColor = FSelRowTextColor;
      }
      if (r == FHiLgtRow || g == FHiLgtColumn) {
        bg = FHiLgtColor;
        fontColor = FHiLgtTextColor;
        if (FHiLgtBold) styles = TFontStyles(fsBold);
      }
    }
  } else {
    fontColor = clInactiveCaption;
  }
  if (fixedCol) bg = pen = FColHdColor;
  if (FOnBefRenderCell) FOnBefRenderCell(this, g, r, pen, bg, fontColor, styles, text);
  c->Font()->SetStyle(styles);
  c->Font()->SetColor(fontColor);
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(bg);

  // Shortening: one measurement, then the number of characters that fit follows from the ratio.
  const TCheckMode mode = ColumnCheckMode(g);
  const TAlignment align = ColumnAlignment(g);
  const size_t first = Utf16Next(text, 0);  // the first character, one or two units
  const Integer m = text.empty() ? 0 : c->TextWidth(text.substr(first));
  const Integer W = ColWidths(g), box = mode != cmNone ? 16 : 0;
  if (W - box - 9 < m && m > 0) {
    const Integer k = std::max(1, RoundEven(double(text.size()) * (W - box - 9) / m - 4));
    if (align == taRightJustify) text = text.substr(0, first) + u"..." + TailChars(text, first, k);
    else text = HeadChars(text, k) + u"...";
  }
  c->Pen()->SetWidth(1);
  c->Pen()->SetColor(bg);
  c->Rectangle(fill);
  c->Pen()->SetColor(pen);
  const bool italic = Font()->Style() & fsItalic;
  auto write = [&](const String& s) {
    const Integer tw = c->TextWidth(s) + (italic ? 2 : 0);
    Integer x = textRect.Left;
    if (align == taRightJustify) x = R - 6 - tw;
    else if (align == taCenter) x = (textRect.Left + (R - 6)) / 2 - tw / 2;
    c->TextRect(textRect, x, T + 1, s);
  };
  if (mode == cmNone) {
    write(text);
  } else if (text.size() > 1 || FShowEmptyCBx) {
    textRect.Left = L + 20;
    const bool checked = !text.empty() && text[0] != u' ';
    write(text.empty() ? text : text.substr(1));
    if (!FROCheckMarks) {
      c->Pen()->SetColor(!FEnabled ? clInactiveCaption : disabled ? pen : clBtnShadow);
      c->Brush()->SetColor(bg);
      if (mode == cmRadio) c->Ellipse(L + 4, T + 4, L + 15, T + 15);
      else c->Rectangle(L + 4, T + 4, L + 15, T + 15);
    }
    c->Pen()->SetColor(FEnabled ? fontColor : clInactiveCaption);
    if (checked) {
      if (mode == cmRadio) {
        DrawLines(c, {{L + 8, T + 7}, {L + 11, T + 7}});
        for (Integer i = 0; i < 3; ++i) DrawLines(c, {{L + 7, T + 8 + i}, {L + 12, T + 8 + i}});
        DrawLines(c, {{L + 8, T + 11}, {L + 11, T + 11}});
      } else {
        for (Integer i = 0; i < 3; ++i) {
          DrawLines(c, {{L + 6, T + 8 + i}, {L + 9, T + 11 + i}});
          DrawLines(c, {{L + 8, T + 10 + i}, {L + 13, T + 5 + i}});
        }
      }
    }
  }
  if (fixedCol) RaisedFrame(L, T, R, B);
}

// [header cells] -------------------------------------------------------------------------------------------
void TReportListView::DrawHeaderCell(Integer ACol, Integer ARow, const TRect& Rc) {
  TCanvas* c = Canvas();
  const Integer L = Rc.Left, T = Rc.Top, R = Rc.Right, B = Rc.Bottom;
  // Right end of the columns on screen (the fixed one included).
  Integer xEnd = L;
  for (Integer k = TCustomGrid::LeftCol(); k < TCustomGrid::ColCount(); ++k) {
    const TRect cr = CellRect(k, ARow);
    if (cr.IsEmpty()) break;
    xEnd = cr.Right;
  }
  if (TCustomGrid::FixedCols() > 0) xEnd = std::max(xEnd, CellRect(0, ARow).Right);
  c->Font()->Assign(Font());
  c->Brush()->SetStyle(bsSolid);
  c->Pen()->SetWidth(1);
  const bool italic = Font()->Style() & fsItalic;
  if (FComHdVis && ARow == 0) {
    c->Font()->SetColor(FEnabled ? FComHdTxtColor : FDisabledTextColor);
    c->Brush()->SetColor(FEnabled ? FComHdColor : FDisabledBkgdColor);
    const String& head = FRLData->CommonHeader();
    const std::vector<String> lines = SplitText(head, u'\n');
    const Integer h = c->TextHeight(head);
    for (size_t i = 0; i < lines.size(); ++i) {
      const Integer tw = c->TextWidth(lines[i]);
      const Integer y = T + 2 + Integer(i) * h;
      const TRect area = i == 0 ? Rect(0, T, xEnd, B) : Rect(0, std::min(B, y), xEnd, std::min(B, y + h));
      const Integer x = FHeaderAlignment == taLeftJustify ? 4 : FHeaderAlignment == taRightJustify ? xEnd - tw - 6
                                                                                                  : xEnd / 2 - tw / 2;
      c->TextRect(area, x, y, lines[i]);
    }
    RaisedFrame(0, T, xEnd, B);
    DrawLines(c, clGray, {{xEnd - 1, B - 1}, {xEnd - 1, T}});
    DrawLines(c, clBlack, {{xEnd, B - 1}, {xEnd, T - 1}});
    return;
  }
  // The column header row.
  const Integer g = ModelCol(ACol);
  c->Font()->SetColor(FEnabled ? FColHdTxtColor : FDisabledTextColor);
  c->Brush()->SetColor(FEnabled ? FColHdColor : FDisabledBkgdColor);
  const String name = FRLData->GetColName(g);
  const std::vector<String> lines = SplitText(name, u'\n');
  const Integer h = c->TextHeight(name);
  const bool sorted = g == LastSortColumn();
  const Integer a = sorted ? 13 : 0;
  const Integer W = ColWidths(g);
  const TAlignment align = ColumnAlignment(g);
  Integer w = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    String s = lines[i];
    Integer tw = c->TextWidth(s);
    if (W - a - 9 < tw && tw > 0) {
      const Integer k = std::max(1, RoundEven(double(s.size()) * (W - a - 9) / tw - 3));
      s = HeadChars(s, k) + u"...";
      tw = c->TextWidth(s);
    }
    if (italic) tw += 2;
    const Integer y = T + 2 + Integer(i) * h;
    const TRect area = i == 0 ? Rect(L, T, R, B) : Rect(L, std::min(B, y), R, std::min(B, y + h));
    const Integer x = align == taLeftJustify ? L + 4 : align == taRightJustify ? R - 6 - tw : ((L + 4) + (R - 6)) / 2 - tw / 2;
    c->TextRect(area, x, y, s);
    if (i == 0)
      w = align == taLeftJustify ? tw + 10 : align == taRightJustify ? (R - 6) - (L + 4) - tw - 12
                                                                     : ((R - 6) - (L + 4)) / 2 + tw / 2 + 10;
  }
  if (sorted) {
    w = std::min(w, W - 12);
    const Integer x = L + 4 + w, y = T + 2 + h / 2;
    if (LastSortOrder()) {
      DrawLines(c, clGray, {{x - 4, y + 3}, {x, y - 3}});
      DrawLines(c, clWhite, {{x, y - 3}, {x + 4, y + 3}, {x - 4, y + 3}});
    } else {
      DrawLines(c, clWhite, {{x + 4, y - 3}, {x, y + 3}});
      DrawLines(c, clGray, {{x, y + 3}, {x - 4, y - 3}, {x + 4, y - 3}});
    }
  }
  RaisedFrame(L, T, xEnd, B);
}

// The row that has the keyboard shows a focus rectangle in every select mode (the grid draws none
// while it selects whole rows).
void TReportListView::PaintFocusedRow(TCanvas* c) {
  const Integer gr = Selection().Top;
  if (!Focused() || EditorMode() || CurrentDataRow() < 1) return;
  const Integer first = std::max(TCustomGrid::FixedCols(), LeftCol());
  TRect row = CellRect(first, gr);
  if (row.IsEmpty()) return;  // scrolled away
  // Out to the last column on screen; CellRect is empty past it.
  for (Integer k = first + 1; k < TCustomGrid::ColCount(); ++k) {
    const TRect r = CellRect(k, gr);
    if (r.IsEmpty()) break;
    row.Right = r.Right;
  }
  c->DrawFocusRect(row);
}

// [paint] --------------------------------------------------------------------------------------------------
void TReportListView::Paint() {
  if (FSuppressPaint) return;
  TCustomDrawGrid::Paint();
  TCanvas* c = Canvas();
  PaintFocusedRow(c);
  Integer h0 = 0;
  for (Integer k = 0; k < TCustomGrid::FixedRows(); ++k) h0 += TCustomGrid::RowHeights(k);
  // A filter that hides every row shows the empty message as well.
  if (NrOfShownRows() == 0) {
    c->Pen()->SetWidth(1);
    c->Pen()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->Rectangle(0, h0, Width(), Height());
    if (!FEmptyMsg.empty()) {
      c->Font()->Assign(Font());
      c->Font()->SetColor(FColorEmptyMsg);
      const Integer th = c->TextHeight(FEmptyMsg);
      const std::vector<String> lines = SplitText(FEmptyMsg, u'|');
      const Integer n = Integer(lines.size());
      const Integer y0 = h0 - n * th;
      for (Integer i = 0; i < n; ++i)
        c->TextOut((Width() - c->TextWidth(lines[size_t(i)])) / 2, y0 + (Height() - y0) / 2 + i * th - 2,
                   lines[size_t(i)]);
    }
  }
  const Integer p = FInterRowIndi;
  if (p != 0 && p >= TopRow() && p <= NrOfShownRows() + 1) {
    const Integer y = h0 + (p - TopRow()) * (TCustomGrid::DefaultRowHeight() + 1);
    c->Pen()->SetColor(FInterRowColor);
    c->Pen()->SetWidth(FInterRowWidth);
    DrawLines(c, {{0, y}, {Width(), y}});
    c->Pen()->SetWidth(1);
  }
}

}  // namespace jox
