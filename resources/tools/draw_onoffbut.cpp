// The on/off button's style pictures. Each bitmap holds four pictures in a 2 x 2 grid: on and off in
// the top row, their disabled looks below. Pixels of the key colour are transparent.
//
// Every picture is drawn four times larger and averaged down, so round shapes and gradients come out
// smooth; only pixels mostly covered by the shape are kept, so no key colour bleeds into the edges.
// Sections: [art] [pictures] [register]
#include <cmath>
#include <functional>
#include <initializer_list>
#include <numbers>
#include <utility>

#include "resources/tools/draw.h"

namespace {

using namespace jox;

constexpr TColor kKey = RGB(235, 190, 235);
constexpr Integer K = 4;  // drawing scale

// [art] ----------------------------------------------------------------------------------------------
TColor Mix(TColor a, TColor b, double f) {
  auto ch = [&](int shift) {
    const double va = (a >> shift) & 0xFF, vb = (b >> shift) & 0xFF;
    return TColor(std::lround(va + (vb - va) * f)) << shift;
  };
  return ch(0) | ch(8) | ch(16);
}

// Drawing in picture units on the enlarged canvas.
struct Art {
  TCanvas* c;
  double w, h;

  static Integer X(double v) { return Integer(std::lround(v * K)); }
  void Tools(TColor fill, TColor line) {
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(1);
    c->Pen()->SetColor(line);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(fill);
  }
  void Box(double l, double t, double r, double b, TColor fill) {
    Tools(fill, fill);
    c->Rectangle(X(l), X(t), X(r), X(b));
  }
  void Oval(double l, double t, double r, double b, TColor fill) {
    Tools(fill, fill);
    c->Ellipse(X(l), X(t), X(r), X(b));
  }
  void Circle(double cx, double cy, double r, TColor fill) { Oval(cx - r, cy - r, cx + r, cy + r, fill); }
  void Round(double l, double t, double r, double b, double rad, TColor fill) {
    Tools(fill, fill);
    c->RoundRect(X(l), X(t), X(r), X(b), X(2 * rad), X(2 * rad));
  }
  void Poly(std::initializer_list<std::pair<double, double>> pts, TColor fill) {
    std::vector<TPoint> p;
    for (auto [x, y] : pts) p.push_back({X(x), X(y)});
    Tools(fill, fill);
    c->Polygon(p);
  }
  void Poly(const std::vector<std::pair<double, double>>& pts, TColor fill) {
    std::vector<TPoint> p;
    for (auto [x, y] : pts) p.push_back({X(x), X(y)});
    Tools(fill, fill);
    c->Polygon(p);
  }
  void Line(double x0, double y0, double x1, double y1, double width, TColor col) {
    Tools(col, col);
    c->Pen()->SetWidth(std::max<Integer>(X(width), 1));
    c->MoveTo(X(x0), X(y0));
    c->LineTo(X(x1), X(y1));
    c->Pen()->SetWidth(1);
  }
  void Path(std::initializer_list<std::pair<double, double>> pts, double width, TColor col) {
    std::vector<TPoint> p;
    for (auto [x, y] : pts) p.push_back({X(x), X(y)});
    Tools(col, col);
    c->Pen()->SetWidth(std::max<Integer>(X(width), 1));
    c->Polyline(p);
    c->Pen()->SetWidth(1);
  }
  // Top-to-bottom gradient over a rectangle, drawn row by row at full resolution.
  void VGrad(double l, double t, double r, double b, TColor top, TColor bottom) {
    const Integer y0 = X(t), y1 = X(b);
    for (Integer y = y0; y < y1; ++y) {
      Tools(0, Mix(top, bottom, y1 - y0 > 1 ? double(y - y0) / (y1 - y0 - 1) : 0));
      c->MoveTo(X(l), y);
      c->LineTo(X(r), y);
    }
  }
  // Left-to-right gradient.
  void HGrad(double l, double t, double r, double b, TColor left, TColor right) {
    const Integer x0 = X(l), x1 = X(r);
    for (Integer x = x0; x < x1; ++x) {
      Tools(0, Mix(left, right, x1 - x0 > 1 ? double(x - x0) / (x1 - x0 - 1) : 0));
      c->MoveTo(x, X(t));
      c->LineTo(x, X(b));
    }
  }
  // A sphere lit from the top left: rings from the rim colour through Mid to the highlight.
  void Ball(double cx, double cy, double r, TColor rim, TColor mid, TColor hi) {
    constexpr int steps = 14;
    for (int i = 0; i <= steps; ++i) {
      const double f = double(i) / steps;
      const double rr = r * (1 - 0.8 * f);
      const double x = cx - r * 0.3 * f, y = cy - r * 0.35 * f;
      Circle(x, y, rr, f < 0.6 ? Mix(rim, mid, f / 0.6) : Mix(mid, hi, (f - 0.6) / 0.4));
    }
  }
  void Text(double cx, double cy, const String& s, double px, TColor col, bool bold = true) {
    c->Font()->SetName(u"Liberation Sans");
    c->Font()->SetHeight(-X(px));
    c->Font()->SetStyle(bold ? TFontStyles(fsBold) : TFontStyles());
    c->Font()->SetColor(col);
    c->Brush()->SetStyle(bsClear);
    c->TextOut(X(cx) - c->TextWidth(s) / 2, X(cy) - c->TextHeight(s) / 2, s);
    c->Brush()->SetStyle(bsSolid);
  }
};

// Averages each K x K block of Big into one pixel of Small; blocks mostly of the key colour stay key.
void Shrink(TBitmap& Big, TBitmap& Small) {
  for (Integer y = 0; y < Small.Height(); ++y)
    for (Integer x = 0; x < Small.Width(); ++x) {
      int n = 0;
      double r = 0, g = 0, b = 0;
      for (Integer dy = 0; dy < K; ++dy)
        for (Integer dx = 0; dx < K; ++dx) {
          const TColor p = Big.Canvas()->Pixels(x * K + dx, y * K + dy);
          if (p == kKey) continue;
          ++n;
          r += p & 0xFF;
          g += (p >> 8) & 0xFF;
          b += (p >> 16) & 0xFF;
        }
      Small.Canvas()->SetPixels(x, y, n * 2 < K * K ? kKey
                                                    : RGB(Byte(std::lround(r / n)), Byte(std::lround(g / n)),
                                                          Byte(std::lround(b / n))));
    }
}

// The disabled look: flat light grey of the picture's brightness; the key colour stays.
void Grey(TBitmap& B) {
  for (Integer y = 0; y < B.Height(); ++y)
    for (Integer x = 0; x < B.Width(); ++x) {
      const TColor p = B.Canvas()->Pixels(x, y);
      if (p == kKey) continue;
      const double lum = 0.30 * (p & 0xFF) + 0.59 * ((p >> 8) & 0xFF) + 0.11 * ((p >> 16) & 0xFF);
      const Byte v = Byte(std::lround(118 + lum * 0.46));
      B.Canvas()->SetPixels(x, y, RGB(v, v, v));
    }
}

using TDrawState = std::function<void(Art&, bool On)>;

// The 2 x 2 grid of a style from the drawing of its on and off pictures (W x H each).
void Compose(TBitmap& Out, Integer W, Integer H, const TDrawState& Draw) {
  Out.SetSize(2 * W, 2 * H);
  Out.SetPixelFormat(pf24bit);
  for (bool on : {true, false}) {
    TBitmap big(W * K, H * K);
    big.Canvas()->Brush()->SetColor(kKey);
    big.Canvas()->FillRect(Rect(0, 0, W * K, H * K));
    Art a{big.Canvas(), double(W), double(H)};
    Draw(a, on);
    TBitmap small(W, H);
    Shrink(big, small);
    const Integer left = on ? 0 : W;
    Out.Canvas()->CopyRect(Rect(left, 0, left + W, H), small.Canvas(), Rect(0, 0, W, H));
    Grey(small);
    Out.Canvas()->CopyRect(Rect(left, H, left + W, 2 * H), small.Canvas(), Rect(0, 0, W, H));
  }
}

// [pictures] -----------------------------------------------------------------------------------------
const TColor kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0), kGrey = RGB(128, 128, 128),
             kDark = RGB(64, 64, 64), kLight = RGB(212, 208, 200), kGreen = RGB(40, 190, 60),
             kDeepGreen = RGB(20, 110, 30), kRed = RGB(220, 40, 30), kDeepRed = RGB(120, 15, 10);

// A classic sunken square with a check mark.
void CheckBox(Art& a, bool on) {
  a.Box(1, 1, 15, 15, kGrey);
  a.Box(2, 2, 15, 15, kWhite);
  a.Box(2, 2, 14, 14, kDark);
  a.Box(3, 3, 14, 14, kLight);
  a.Box(3, 3, 13, 13, kWhite);
  if (on) a.Path({{4.6, 7.6}, {6.9, 10.2}, {11.6, 5.0}}, 1.9, kBlack);
}

// A classic sunken round button with a dot.
void RadioBut(Art& a, bool on) {
  a.Circle(7, 7, 6.5, kGrey);
  a.Oval(1.3, 1.3, 13.5, 13.5, kWhite);
  a.Oval(1.3, 1.3, 12.6, 12.6, kDark);
  a.Circle(7, 7, 5.1, kLight);
  a.Circle(7, 7, 4.4, kWhite);
  if (on) a.Ball(7, 7, 2.3, kBlack, RGB(30, 30, 30), RGB(110, 110, 110));
}

// A metal slide switch in a dark slot; Vertical: the knob up means on, else right means on.
void SlideSwitch(Art& a, bool on, bool vertical) {
  const double W = vertical ? a.w : a.h, L = vertical ? a.h : a.w;  // across and along the slot
  auto box = [&](double across0, double along0, double across1, double along1, TColor c) {
    if (vertical)
      a.Box(across0, along0, across1, along1, c);
    else
      a.Box(along0, across0, along1, across1, c);
  };
  box(0.5, 0.5, W - 0.5, L - 0.5, RGB(150, 150, 150));
  box(1, 1, W - 0.5, L - 0.5, RGB(250, 250, 250));
  box(1, 1, W - 1, L - 1, RGB(96, 96, 96));
  box(3, 3, W - 3, L - 3, RGB(30, 30, 30));
  // The knob covers half the slot; ridges across it give the grip.
  const double k0 = (on == vertical) ? 2.5 : L / 2, k1 = k0 + L / 2 - 2.5;
  box(2.5, k0, W - 2.5, k1, RGB(70, 70, 70));
  box(2.5, k0, W - 3.5, k1 - 1, RGB(245, 245, 245));
  box(3.5, k0 + 1, W - 3.5, k1 - 1, RGB(200, 200, 204));
  for (double r = k0 + 3; r < k1 - 2.5; r += 2.5) {
    box(4, r, W - 4, r + 0.75, RGB(120, 120, 126));
    box(4, r + 0.75, W - 4, r + 1.25, RGB(250, 250, 250));
  }
  // A green mark in the free end of the slot while on.
  if (on) {
    const double m = (vertical ? L - 3 - (L / 2 - 5.5) / 2 : 3 + (L / 2 - 5.5) / 2);
    if (vertical)
      a.Circle(W / 2, m, 1.6, kGreen);
    else
      a.Circle(m, W / 2, 1.6, kGreen);
  }
}

// A pill-shaped track, green while on and red while off, with a white knob at the on or off end.
void ColourSlide(Art& a, bool on, bool vertical) {
  const TColor track = on ? kGreen : kRed, edge = on ? kDeepGreen : kDeepRed;
  const double across = vertical ? a.w : a.h, along = vertical ? a.h : a.w;
  const double r = across / 2 - 1;
  auto pill = [&](double inset, TColor c) {
    if (vertical)
      a.Round(1 + inset, 1 + inset, across - 1 - inset, along - 1 - inset, r - inset, c);
    else
      a.Round(1 + inset, 1 + inset, along - 1 - inset, across - 1 - inset, r - inset, c);
  };
  pill(0, edge);
  pill(1, track);
  // The knob: at the top or right end while on.
  const double c = (on ? (vertical ? 1 + r : along - 1 - r) : (vertical ? along - 1 - r : 1 + r));
  const double kr = r - 1.2;
  if (vertical) {
    a.Circle(across / 2 + 0.4, c + 0.7, kr + 0.5, Mix(edge, kBlack, 0.3));
    a.Ball(across / 2, c, kr, RGB(190, 190, 190), RGB(240, 240, 240), kWhite);
  } else {
    a.Circle(c + 0.4, across / 2 + 0.7, kr + 0.5, Mix(edge, kBlack, 0.3));
    a.Ball(c, across / 2, kr, RGB(190, 190, 190), RGB(240, 240, 240), kWhite);
  }
}

// A round lamp in a dark bezel: a green light while on, a red one while off.
void LedRedGreen(Art& a, bool on) {
  a.Circle(7, 7, 6.8, RGB(60, 60, 60));
  a.Circle(7, 7, 6.0, RGB(150, 150, 150));
  if (on)
    a.Ball(7, 7, 5.2, RGB(0, 120, 20), RGB(40, 220, 70), RGB(210, 255, 210));
  else
    a.Ball(7, 7, 5.2, RGB(130, 0, 0), RGB(235, 40, 30), RGB(255, 200, 190));
}

// A fat arrow pointing up, turned by Angle degrees clockwise: green while on, red while off.
void Arrow(Art& a, bool on, double angle) {
  const double c = a.w / 2, rad = angle * std::numbers::pi / 180;
  auto turn = [&](std::initializer_list<std::pair<double, double>> pts, double grow) {
    std::vector<std::pair<double, double>> out;
    for (auto [x, y] : pts) {
      const double dx = (x - c) * grow, dy = (y - c) * grow;
      out.push_back({c + dx * std::cos(rad) - dy * std::sin(rad), c + dx * std::sin(rad) + dy * std::cos(rad)});
    }
    return out;
  };
  const auto shape = {std::pair{12.5, 1.5}, {23.5, 12.5}, {17, 12.5}, {17, 23.5}, {8, 23.5}, {8, 12.5}, {1.5, 12.5}};
  const TColor fill = on ? kGreen : kRed, edge = on ? kDeepGreen : kDeepRed;
  a.Poly(turn(shape, 1.0), edge);
  a.Poly(turn(shape, 0.86), fill);
  a.Poly(turn({{12.5, 4.5}, {19, 11}, {12.5, 8}}, 0.86), Mix(fill, kWhite, 0.45));  // gleam on the head
}

// A pedestrian light: a red standing figure above a green walking one; one of them lit.
void TrafficLight(Art& a, bool on) {
  a.Round(7, 0.5, 24, 30.5, 3, RGB(40, 40, 40));
  a.Round(8, 1.5, 23, 29.5, 2.5, RGB(70, 70, 72));
  const bool redLit = !on, greenLit = on;
  auto lens = [&](double cy, bool lit, TColor col) {
    a.Circle(15.5, cy, 6.2, RGB(20, 20, 20));
    a.Circle(15.5, cy, 5.6, lit ? Mix(col, kBlack, 0.75) : RGB(34, 34, 36));
    return lit ? col : Mix(col, RGB(40, 40, 40), 0.82);
  };
  // Standing: arms down, legs together.
  const TColor red = lens(8, redLit, RGB(255, 60, 40));
  a.Circle(15.5, 4.4, 1.2, red);
  a.Round(13.6, 5.8, 17.4, 10.2, 0.8, red);
  a.Box(14.1, 10, 15.3, 12.8, red);
  a.Box(15.7, 10, 16.9, 12.8, red);
  // Walking: a stride and a swinging arm.
  const TColor green = lens(22.5, greenLit, RGB(60, 255, 110));
  a.Circle(16, 18.6, 1.2, green);
  a.Poly({{14.6, 20.0}, {17.2, 20.0}, {17.0, 23.6}, {14.8, 23.6}}, green);
  a.Line(15.3, 23.2, 13.2, 26.6, 1.2, green);
  a.Line(16.5, 23.2, 18.4, 26.6, 1.2, green);
  a.Line(14.9, 20.6, 12.9, 23.0, 0.9, green);
  a.Line(17.0, 20.6, 18.8, 22.8, 0.9, green);
}

// A red lamp set in a raised square mount.
void BeveledLed(Art& a, bool on) {
  a.Box(0, 0, 17, 17, RGB(80, 80, 80));
  a.Box(0, 0, 16, 16, kWhite);
  a.Box(1, 1, 16, 16, kGrey);
  a.Box(1, 1, 15, 15, kLight);
  a.Circle(8.5, 8.5, 6.0, RGB(90, 90, 90));
  if (on) {
    a.Circle(8.5, 8.5, 5.6, RGB(255, 120, 100));
    a.Ball(8.5, 8.5, 5.0, RGB(200, 10, 0), RGB(255, 50, 30), RGB(255, 220, 200));
  } else {
    a.Ball(8.5, 8.5, 5.0, RGB(60, 0, 0), RGB(110, 20, 15), RGB(170, 110, 100));
  }
}

// A face: smiling while on, frowning while off.
void Smiley(Art& a, bool on, TColor rim, TColor mid, TColor hi) {
  a.Circle(9, 9, 8.3, RGB(60, 40, 0));
  a.Ball(9, 9, 7.7, rim, mid, hi);
  a.Oval(5.6, 5.0, 7.6, 8.4, kBlack);
  a.Oval(10.4, 5.0, 12.4, 8.4, kBlack);
  if (on)
    a.Path({{4.6, 10.4}, {6.2, 12.6}, {9, 13.6}, {11.8, 12.6}, {13.4, 10.4}}, 1.3, kBlack);
  else
    a.Path({{5.0, 14.2}, {6.6, 12.4}, {9, 11.6}, {11.4, 12.4}, {13.0, 14.2}}, 1.3, kBlack);
}

// A light bulb: a glowing warm globe while on, clear grey glass with a dark filament while off.
void Bulb(Art& a, bool on) {
  const double cx = 19.5;
  if (on) {
    a.Circle(cx, 17, 17.5, RGB(255, 240, 160));  // the glow round the globe
    a.Ball(cx, 17, 15, RGB(255, 190, 30), RGB(255, 235, 90), RGB(255, 255, 225));
  } else {
    a.Circle(cx, 17, 15.4, RGB(120, 130, 140));
    a.Ball(cx, 17, 15, RGB(170, 180, 192), RGB(214, 222, 230), RGB(250, 252, 255));
  }
  const TColor neck = on ? RGB(255, 200, 60) : RGB(190, 198, 206);
  a.Poly({{11.5, 26}, {27.5, 26}, {25.5, 35}, {13.5, 35}}, neck);
  // The filament: two posts and a glowing (or dark) coil.
  const TColor wire = on ? RGB(255, 120, 0) : RGB(80, 80, 80);
  a.Line(16.5, 34, 16.5, 19, 0.8, RGB(110, 110, 110));
  a.Line(22.5, 34, 22.5, 19, 0.8, RGB(110, 110, 110));
  a.Path({{16.5, 19}, {17.5, 16.5}, {18.5, 19}, {19.5, 16.5}, {20.5, 19}, {21.5, 16.5}, {22.5, 19}}, 0.9, wire);
  if (on) a.Circle(cx, 18, 2.0, RGB(255, 255, 240));
  // The screw base with its threads and the contact.
  a.HGrad(13, 35, 26, 44, RGB(150, 150, 150), RGB(90, 90, 90));
  a.HGrad(13.5, 35, 19.5, 44, RGB(215, 215, 215), RGB(160, 160, 160));
  for (double y = 36.5; y < 44; y += 2.2) a.Line(13, y, 26, y + 0.8, 0.6, RGB(70, 70, 70));
  a.Poly({{14, 44}, {25, 44}, {22.5, 46.5}, {16.5, 46.5}}, RGB(50, 50, 50));
  a.Round(17.5, 45.5, 21.5, 48.5, 1, RGB(170, 150, 90));
}

// A square push button with a lamp behind its lens: pressed in and lit green while on.
void ButtonLamp(Art& a, bool on) {
  a.Round(0.5, 0.5, 48.5, 23.5, 4, RGB(40, 40, 40));
  a.Round(1.5, 1.5, 47.5, 22.5, 3.5, on ? RGB(90, 90, 90) : RGB(200, 200, 200));
  a.Round(2.5, 2.5, 47.5, 22.5, 3, on ? RGB(200, 200, 200) : RGB(90, 90, 90));
  a.VGrad(3, 3, 46.5, 21.5, RGB(150, 150, 150), RGB(110, 110, 110));
  const double d = on ? 0.8 : 0;  // pressed in
  a.Round(5 + d, 4.5 + d, 44 + d, 19.5 + d, 2, RGB(30, 30, 30));
  if (on) {
    a.VGrad(6 + d, 5.5 + d, 43 + d, 18.5 + d, RGB(170, 255, 170), RGB(30, 200, 60));
    a.Round(8 + d, 6.5 + d, 41 + d, 9 + d, 1.2, RGB(230, 255, 230));
  } else {
    a.VGrad(6, 5.5, 43, 18.5, RGB(70, 110, 75), RGB(25, 60, 30));
    a.Round(8, 6.5, 41, 9, 1.2, RGB(95, 130, 100));
  }
}

// A rocker switch marked I and O. OnLeft: the I half is at the left. The pressed half lies low and
// dark; the I mark glows while on.
void Rocker(Art& a, bool on, bool onLeft) {
  a.Round(0.5, 0.5, 47.5, 15.5, 3, RGB(20, 20, 20));
  const bool leftDown = on == onLeft;
  const double mid = 24;
  auto half = [&](double l, double r, bool down, bool leftSide) {
    const TColor top = down ? RGB(28, 28, 30) : RGB(150, 150, 156), bottom = down ? RGB(52, 52, 55) : RGB(72, 72, 78);
    a.VGrad(l, 2, r, 14, top, bottom);
    // The raised half catches the light on its outer end.
    if (!down) a.HGrad(leftSide ? l : r - 3, 2, leftSide ? l + 3 : r, 14,
                       leftSide ? RGB(150, 150, 156) : RGB(60, 60, 64), leftSide ? RGB(100, 100, 106) : RGB(140, 140, 146));
  };
  half(2, mid, leftDown, true);
  half(mid, 46, !leftDown, false);
  a.Line(mid, 2, mid, 14, 0.6, RGB(10, 10, 10));
  const double iX = onLeft ? 13 : 35, oX = onLeft ? 35 : 13;
  a.Line(iX, 4.5, iX, 11.5, 1.5, on ? RGB(255, 80, 40) : RGB(235, 235, 235));
  const bool oDown = (oX < mid) == leftDown;
  a.Circle(oX, 8, 3.8, RGB(235, 235, 235));
  a.Circle(oX, 8, 2.6, oDown ? RGB(40, 40, 43) : RGB(112, 112, 118));
}

// Placeholder key caps with their name: pressed in and green-lettered while on.
void UserKey(Art& a, bool on, int n) {
  a.Round(0.5, 0.5, 23.5, 23.5, 3, RGB(60, 60, 60));
  a.Round(1.5, 1.5, 22.5, 22.5, 2.5, on ? RGB(110, 110, 110) : kWhite);
  a.Round(2.5, 2.5, 22.5, 22.5, 2.5, on ? kWhite : RGB(110, 110, 110));
  a.VGrad(2.5, 2.5, 21.5, 21.5, on ? RGB(190, 190, 186) : RGB(235, 233, 228), on ? RGB(215, 213, 208) : RGB(200, 198, 192));
  const double d = on ? 0.6 : 0;
  a.Text(12 + d, 12 + d, u"U" + IntToStr(n), 10, on ? RGB(0, 130, 30) : kBlack);
}

// [register] -----------------------------------------------------------------------------------------
restool::Register Style(const char* name, Integer w, Integer h, TDrawState draw) {
  return restool::Register(name, [w, h, draw](TBitmap& b) { Compose(b, w, h, draw); });
}

const restool::Register kPictures[] = {
    Style("CHECKBOX", 16, 16, CheckBox),
    Style("RADIOBUT", 14, 14, RadioBut),
    Style("SLIDETOPBOT", 18, 30, [](Art& a, bool on) { SlideSwitch(a, on, true); }),
    Style("SLIDELFTRGT", 30, 18, [](Art& a, bool on) { SlideSwitch(a, on, false); }),
    Style("COLSLIDETB", 18, 30, [](Art& a, bool on) { ColourSlide(a, on, true); }),
    Style("COLSLIDELR", 30, 18, [](Art& a, bool on) { ColourSlide(a, on, false); }),
    Style("LEDREDGREEN", 14, 14, LedRedGreen),
    Style("ARROWTR", 25, 25, [](Art& a, bool on) { Arrow(a, on, on ? 0 : 90); }),
    Style("ARROWUD", 25, 25, [](Art& a, bool on) { Arrow(a, on, on ? 0 : 180); }),
    Style("ARROWLR", 25, 25, [](Art& a, bool on) { Arrow(a, on, on ? 270 : 90); }),
    Style("TRAFFICLGT", 31, 31, TrafficLight),
    Style("BEVELEDLED", 17, 17, BeveledLed),
    Style("SMILEYS", 18, 18,
          [](Art& a, bool on) { Smiley(a, on, RGB(230, 160, 0), RGB(255, 215, 40), RGB(255, 250, 200)); }),
    Style("SMILEYRG", 18, 18,
          [](Art& a, bool on) {
            if (on)
              Smiley(a, on, RGB(20, 140, 30), RGB(70, 210, 80), RGB(210, 255, 210));
            else
              Smiley(a, on, RGB(170, 20, 10), RGB(240, 70, 50), RGB(255, 210, 200));
          }),
    Style("BULB", 39, 49, Bulb),
    Style("BUTLAMP", 49, 24, ButtonLamp),
    Style("HDLEFT", 48, 16, [](Art& a, bool on) { Rocker(a, on, true); }),
    Style("HDRIGHT", 48, 16, [](Art& a, bool on) { Rocker(a, on, false); }),
    Style("USER1", 24, 24, [](Art& a, bool on) { UserKey(a, on, 1); }),
    Style("USER2", 24, 24, [](Art& a, bool on) { UserKey(a, on, 2); }),
    Style("USER3", 24, 24, [](Art& a, bool on) { UserKey(a, on, 3); }),
    Style("USER4", 24, 24, [](Art& a, bool on) { UserKey(a, on, 4); }),
    Style("USER5", 24, 24, [](Art& a, bool on) { UserKey(a, on, 5); }),
};

}  // namespace
