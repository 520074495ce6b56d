#include "package/painting.h"

namespace jox {

void DrawLines(TCanvas* Canvas, std::initializer_list<TPoint> Points) {
  auto it = Points.begin();
  if (it == Points.end()) return;
  Canvas->MoveTo(it->X, it->Y);
  for (++it; it != Points.end(); ++it) Canvas->LineTo(it->X, it->Y);
}

void DrawLines(TCanvas* Canvas, TColor PenColor, std::initializer_list<TPoint> Points) {
  Canvas->Pen()->SetColor(PenColor);
  DrawLines(Canvas, Points);
}

Integer SampleTextHeight(TCanvas* Canvas) { return Canvas->TextHeight(u"(8g]}\u00DC\u00C4\u00A7"); }

Integer CenteredTextTop(TCanvas* Canvas, Integer Height) {
  return (Height - SampleTextHeight(Canvas)) / 2;
}

void DrawEngravedText(TCanvas* Canvas, Integer X, Integer Y, const String& Text, Integer LightDX) {
  Canvas->Brush()->SetStyle(bsClear);
  Canvas->Font()->SetColor(clWhite);
  Canvas->TextOut(X + LightDX, Y + 1, Text);
  Canvas->Font()->SetColor(clGray);
  Canvas->TextOut(X, Y, Text);
}

}  // namespace jox
