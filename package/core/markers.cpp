// The 52 marker symbols. Each is built from a shape (square, circle, polygon, crosses) at a radius;
// a symbol of radius r covers the (2r + 1) x (2r + 1) pixels centred on its point.
#include <cmath>
#include <numbers>
#include <vector>

#include "package/core/drawing.h"
#include "package/framework/graphics/graphics.h"

namespace jox {

namespace {

enum Shape : uint8_t {
  shDot, shSquare, shCircle, shTriUp, shTriDown, shTriLeft, shTriRight, shDiamond, shPlus, shCross,
  shAsterisk, shSquareCross, shCirclePlus, shCircleDot, shSquareDot, shStar, shHexagon
};

struct Marker {
  Shape shape;
  Integer radius;
  bool filled;
};

constexpr Integer S = 2, M = 4, L = 6;

constexpr Marker kMarkers[kNumMarkers] = {
    {shDot, 1, true},
    {shSquare, S, false}, {shSquare, M, false}, {shSquare, L, false},
    {shSquare, S, true}, {shSquare, M, true}, {shSquare, L, true},
    {shCircle, 3, false}, {shCircle, 5, false}, {shCircle, 7, false},
    {shCircle, 3, true}, {shCircle, 5, true}, {shCircle, 7, true},
    {shTriUp, S, false}, {shTriUp, M, false}, {shTriUp, L, false},
    {shTriUp, S, true}, {shTriUp, M, true}, {shTriUp, L, true},
    {shTriDown, S, false}, {shTriDown, M, false}, {shTriDown, L, false},
    {shTriDown, S, true}, {shTriDown, M, true}, {shTriDown, L, true},
    {shDiamond, S, false}, {shDiamond, M, false}, {shDiamond, L, false},
    {shDiamond, S, true}, {shDiamond, M, true}, {shDiamond, L, true},
    {shPlus, S, false}, {shPlus, M, false}, {shPlus, L, false},
    {shCross, S, false}, {shCross, M, false}, {shCross, L, false},
    {shAsterisk, 3, false}, {shAsterisk, M, false}, {shAsterisk, L, false},
    {shTriLeft, 5, false}, {shTriLeft, 5, true}, {shTriRight, 5, false}, {shTriRight, 5, true},
    {shSquareCross, 5, false}, {shCirclePlus, 5, false}, {shCircleDot, 5, false}, {shSquareDot, 5, false},
    {shStar, 6, false}, {shStar, 6, true}, {shHexagon, 6, false}, {shHexagon, 6, true},
};

// A line from (x1, y1) to (x2, y2) including both ends.
void Line(TCanvas* c, Integer x1, Integer y1, Integer x2, Integer y2) {
  c->MoveTo(x1, y1);
  c->LineTo(x2 + (x2 > x1) - (x2 < x1), y2 + (y2 > y1) - (y2 < y1));
}

void Plus(TCanvas* c, Integer x, Integer y, Integer r) {
  Line(c, x - r, y, x + r, y);
  Line(c, x, y - r, x, y + r);
}

void Cross(TCanvas* c, Integer x, Integer y, Integer r) {
  Line(c, x - r, y - r, x + r, y + r);
  Line(c, x - r, y + r, x + r, y - r);
}

// Regular polygon of n corners on radius r, the first corner straight up; for a star every other
// corner lies on the inner radius ri.
std::vector<TPoint> Corners(Integer x, Integer y, int n, double r, double ri, double phase) {
  std::vector<TPoint> pts;
  for (int k = 0; k < n; ++k) {
    const double a = phase + 2 * std::numbers::pi * k / n;
    const double rad = (ri > 0 && (k & 1)) ? ri : r;
    pts.push_back(Point(x + Integer(std::lround(rad * std::sin(a))), y - Integer(std::lround(rad * std::cos(a)))));
  }
  return pts;
}

void Draw(TCanvas* c, const Marker& m, Integer x, Integer y) {
  const Integer r = m.radius;
  switch (m.shape) {
    case shDot:
      c->Rectangle(x - r, y - r, x + r + 1, y + r + 1);
      break;
    case shSquare:
      c->Rectangle(x - r, y - r, x + r + 1, y + r + 1);
      break;
    case shCircle:
      c->Ellipse(x - r, y - r, x + r + 1, y + r + 1);
      break;
    case shTriUp:
      c->Polygon({Point(x, y - r), Point(x + r, y + r), Point(x - r, y + r)});
      break;
    case shTriDown:
      c->Polygon({Point(x, y + r), Point(x - r, y - r), Point(x + r, y - r)});
      break;
    case shTriLeft:
      c->Polygon({Point(x - r, y), Point(x + r, y - r), Point(x + r, y + r)});
      break;
    case shTriRight:
      c->Polygon({Point(x + r, y), Point(x - r, y + r), Point(x - r, y - r)});
      break;
    case shDiamond:
      c->Polygon({Point(x, y - r), Point(x + r, y), Point(x, y + r), Point(x - r, y)});
      break;
    case shPlus:
      Plus(c, x, y, r);
      break;
    case shCross:
      Cross(c, x, y, r);
      break;
    case shAsterisk:
      Plus(c, x, y, r);
      Cross(c, x, y, r * 2 / 3);
      break;
    case shSquareCross:
      c->Rectangle(x - r, y - r, x + r + 1, y + r + 1);
      Cross(c, x, y, r);
      break;
    case shCirclePlus:
      c->Ellipse(x - r, y - r, x + r + 1, y + r + 1);
      Plus(c, x, y, r);
      break;
    case shCircleDot:
    case shSquareDot: {
      if (m.shape == shCircleDot)
        c->Ellipse(x - r, y - r, x + r + 1, y + r + 1);
      else
        c->Rectangle(x - r, y - r, x + r + 1, y + r + 1);
      TBrush* brush = c->Brush();
      brush->SetColor(c->Pen()->Color());
      c->Rectangle(x - 1, y - 1, x + 2, y + 2);
      break;
    }
    case shStar:
      c->Polygon(Corners(x, y, 10, r, r * 0.45, 0));
      break;
    case shHexagon:
      c->Polygon(Corners(x, y, 6, r, 0, std::numbers::pi / 6));
      break;
  }
}

}  // namespace

void DrawMarkOnCanvas(TCanvas* Canvas, Byte Mark, Integer X, Integer Y) {
  if (!Canvas || Mark >= kNumMarkers) return;
  const Marker& m = kMarkers[Mark];
  TBrush* brush = Canvas->Brush();
  const TColor oldColor = brush->Color();
  const TBrushStyle oldStyle = brush->Style();
  if (m.filled) brush->SetColor(Canvas->Pen()->Color());
  Draw(Canvas, m, X, Y);
  brush->SetColor(oldColor);
  brush->SetStyle(oldStyle);
}

}  // namespace jox
