// The segment shapes of the seven-segment display: black on white, slanted to the right by the same
// slope the glyph layout uses (74 pixels over the 394 rows between the top and the bottom bar).
#include <cmath>
#include <vector>

#include "resources/tools/draw.h"

namespace jox::restool {

namespace {

constexpr double Slope = 74.0 / 394.0;

void Blank(TBitmap& b, Integer w, Integer h) {
  b.SetPixelFormat(pf24bit);
  b.SetSize(w, h);
  TCanvas* c = b.Canvas();
  c->Pen()->SetColor(clWhite);
  c->Brush()->SetColor(clWhite);
  c->Rectangle(0, 0, w, h);
  c->Pen()->SetColor(clBlack);
  c->Brush()->SetColor(clBlack);
}

TPoint P(double x, double y) { return Point(Integer(std::lround(x)), Integer(std::lround(y))); }

// A bar with pointed ends lying along x, centred on row Cy, from X1 to X2, Half rows thick on each side;
// the rows above Cy lean right.
void HorzBar(TCanvas* c, double X1, double X2, double Cy, double Half) {
  const auto at = [&](double x, double y) { return P(x + Slope * (Cy - y), y); };
  c->Polygon(std::vector<TPoint>{at(X1, Cy), at(X1 + Half, Cy - Half), at(X2 - Half, Cy - Half), at(X2, Cy),
                                 at(X2 - Half, Cy + Half), at(X1 + Half, Cy + Half)});
}

// A bar with pointed ends standing from row Y1 to row Y2, its centre line through (Cx, CyRef) and
// leaning right going up.
void VertBar(TCanvas* c, double Cx, double CyRef, double Y1, double Y2, double Half) {
  const auto at = [&](double a, double y) { return P(Cx + a + Slope * (CyRef - y), y); };
  c->Polygon(std::vector<TPoint>{at(0, Y1), at(Half, Y1 + Half), at(Half, Y2 - Half), at(0, Y2),
                                 at(-Half, Y2 - Half), at(-Half, Y1 + Half)});
}

void Dot(TCanvas* c, double Cx, double Cy, double R) {
  c->Ellipse(Integer(std::lround(Cx - R)), Integer(std::lround(Cy - R)), Integer(std::lround(Cx + R)),
             Integer(std::lround(Cy + R)));
}

const Register horz("SEGHORZ", [](TBitmap& b) {
  Blank(b, 200, 38);
  HorzBar(b.Canvas(), 4, 196, 19, 18);
});

const Register vert("SEGVERT", [](TBitmap& b) {
  Blank(b, 68, 190);
  VertBar(b.Canvas(), 20, 188, 1, 188, 14);
});

const Register dot("SEGDOT", [](TBitmap& b) {
  Blank(b, 38, 38);
  Dot(b.Canvas(), 19, 19, 17);
});

// Centred on the middle bar of the glyph (local 100, 96).
const Register plus("SEGPLUS", [](TBitmap& b) {
  Blank(b, 200, 190);
  HorzBar(b.Canvas(), 28, 172, 96, 14);
  VertBar(b.Canvas(), 100, 96, 14, 178, 14);
});

const Register deg("SEGDEG", [](TBitmap& b) {
  Blank(b, 160, 138);
  TCanvas* c = b.Canvas();
  Dot(c, 84, 62, 52);
  c->Pen()->SetColor(clWhite);
  c->Brush()->SetColor(clWhite);
  Dot(c, 84, 62, 27);
});

// Two dots above and below the middle bar, on the slant through it.
const Register colon("SEGCOLON", [](TBitmap& b) {
  Blank(b, 68, 190);
  Dot(b.Canvas(), 34 + Slope * 61, 34, 18);
  Dot(b.Canvas(), 34 - Slope * 61, 156, 18);
});

}  // namespace

}  // namespace jox::restool
