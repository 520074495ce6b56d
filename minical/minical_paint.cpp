// TMiniCal: cell sizes and the drawing of every cell.
// Sections: [size] [cells]
#include "minical/minical.h"
#include "package/core/colors.h"
#include "package/core/names.h"
#include "package/framework/base/sysutils.h"
#include "package/framework/controls/styles.h"
#include "package/painting.h"

namespace jox {

// [size] ---------------------------------------------------------------------------------------------------
void TMiniCal::Resize() {
  const Integer g = GridLineWidth();
  const Integer W = ClientWidth(), H = ClientHeight();
  const Integer cw = std::max((W - 7 * g) / 8, 0), rh = std::max((H - 7 * g) / 8, 0);
  SetDefaultColWidth(cw);
  SetDefaultRowHeight(rh);
  // The title row and the week-number column take exactly what the seven day rows and columns leave
  // of the client area (inside the frame), their lines included.
  SetRowHeights(0, std::max(H - 7 * (rh + g) - g, 0));
  SetColWidths(0, std::max(W - 7 * (cw + g) - g, 0));
  TCustomDrawGrid::Resize();
}

void TMiniCal::ChangeScale(double) { Resize(); }

// [cells] --------------------------------------------------------------------------------------------------
namespace {

void CentredText(TCanvas* C, const TRect& R, const String& Text) {
  const Integer x = R.Left + (R.Width() - C->TextWidth(Text)) / 2;
  const Integer y = R.Top + (R.Height() - C->TextHeight(Text)) / 2;
  C->TextRect(R, x, y, Text);
}

}  // namespace

String TMiniCal::TitleText() const {
  const Integer m = Month();
  const String name = FMonthShort ? String(MonthShort[LangIndex() + 1][m]) + u" " : String(MonthLong[LangIndex() + 1][m]) + u" ";
  return name.substr(0, FMonthShort ? 5 : 11) + IntToStr(Year());
}

void TMiniCal::DrawButtonFrame(TCanvas* C, const TRect& R) {
  if (!Ctl3D()) return;
  const Integer L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
  DrawLines(C, clWhite, {{L, B - 1}, {L, T}, {Rt, T}});
  DrawLines(C, TColor(0x686868), {{L, B}, {Rt, B}, {Rt, T}});
  DrawLines(C, TColor(0x9CA0A5), {{L + 1, B - 1}, {Rt - 1, B - 1}, {Rt - 1, T}});
  DrawLines(C, TColor(0xE6E2E2), {{L + 1, B - 2}, {L + 1, T + 1}, {Rt - 1, T + 1}});
}

void TMiniCal::DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) {
  TCanvas* C = Canvas();
  TCustomStyleServices* styles = StyleServices();
  const bool styled = styles->Enabled();
  C->Font()->Assign(Font());
  C->Font()->SetColor(styled && (StyleElements() & seFont) ? styles->GetStyleFontColor(sfPanelTextNormal) : clBlack);
  C->Brush()->SetStyle(bsSolid);
  C->Pen()->SetWidth(1);
  const TColor buttonFace = styled && (StyleElements() & seBorder) ? styles->GetStyleColor(scButtonNormal) : clBtnFace;
  const Integer lang = LangIndex() + 1;

  if (ARow == 0 || (ARow == 1 && ACol == 0)) {
    TRect r = ARect;
    String text;
    switch (ARow == 1 ? -1 : ACol) {
      case 1: text = u"<<"; break;
      case 2: text = u"<"; break;
      case 6: text = u">"; break;
      case 7: text = u">>"; break;
      case 5:
        text = TitleText();
        r.Left = 3 * r.Left - 2 * r.Right - 2;
        break;
      case -1:
        // The today button covers row 0 and row 1 of the week-number column.
        text = TodayCaption();
        r.Top -= RowHeights(0) + 1;
        break;
      default: return;  // row 0, columns 0, 3 and 4: covered by their neighbours
    }
    C->Brush()->SetColor(buttonFace);
    CentredText(C, r, text);
    DrawButtonFrame(C, r);
    return;
  }

  if (ARow == 1) {
    C->Brush()->SetColor(FColDayIdBg);
    C->Font()->SetColor(FColDayIdFg);
    CentredText(C, ARect, WeekDayShort[lang][(Integer(F1stDayWeek) + ACol - 1) % 7]);
    return;
  }

  const Integer y = Year(), m = Month();
  if (ACol == 0) {
    C->Brush()->SetColor(FColWeekNoBg);
    C->Font()->SetColor(FColWeekNoFg);
    CentredText(C, ARect, IntToStr(WeekOfTheYear(EncodeDate(Word(y), Word(m), 1) + 7 * (ARow - 2))));
    return;
  }

  const Integer days = DaysInAMonth(Word(y), Word(m));
  const Integer D = DayAt(ACol, ARow);
  C->Brush()->SetColor(FDayColors[(ACol + Integer(F1stDayWeek) - 1) % 7]);
  Integer shown = D;
  if (D < 1) {
    C->Font()->SetColor(FColInactMonth);
    shown = D + (m == 1 ? 31 : DaysInAMonth(Word(y), Word(m - 1)));
  } else if (D > days) {
    C->Font()->SetColor(FColInactMonth);
    shown = D - days;
  } else {
    C->Font()->SetColor(FColActMonth);
    String caption;
    const bool holiday = FIndicateHolid && CheckHoliday(y, m, D, caption);
    if (holiday) {
      C->Brush()->SetColor(FColHolidBg);
      C->Font()->SetColor(FColHolidFg);
    }
    if (D == Day()) {
      C->Font()->SetColor(FColSelFg);
      C->Brush()->SetColor(holiday ? MeanColor(FColSelBg, FColHolidBg) : FColSelBg);
    }
  }
  CentredText(C, ARect, IntToStr(shown));
  if (FMarkToday && D >= 1 && D <= days) {
    Word ty, tm, td;
    DecodeDate(Now(), ty, tm, td);
    if (ty == y && tm == m && td == D) {
      C->Pen()->SetColor(FColToday);
      C->Brush()->SetStyle(bsClear);
      C->Ellipse(ARect.Left + 2, ARect.Top + 2, ARect.Right - 2, ARect.Bottom - 2);
      C->Brush()->SetStyle(bsSolid);
    }
  }
}

}  // namespace jox
