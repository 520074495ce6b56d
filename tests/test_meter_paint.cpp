// Pixels of the meter: lamps, rims and bevel, frames, bands, labels, needles, hubs, background
// images, and painting that survives odd settings.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "meter/meter.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

constexpr Integer W = 297, H = 209, RT = 8, RB = 10, RS = 10;

// A default meter whose geometry includes the default rims (cx 148, cy 191, R 175).
struct Fixture {
  TMeter m{nullptr};
  Fixture() {
    m.SetBounds(0, 0, W, H);
    m.Paint();
  }
  TColor At(Integer x, Integer y) { return m.Canvas()->Pixels(x, y); }
  // The pixel at distance r on the ray of value v.
  TPoint Ray(double v, double r) const {
    const double a = (m.MeterAngle() / 2.0 + 90 - m.MeterAngle() * v) * M_PI / 180;
    return {RoundPix(m.MeterCenterX() + r * std::cos(a)), RoundPix(m.MeterCenterY() - r * std::sin(a))};
  }
  TColor AtRay(double v, double r) {
    const TPoint p = Ray(v, r);
    return At(p.X, p.Y);
  }
  bool NearRay(double v, double r, TColor c) {
    const TPoint p = Ray(v, r);
    for (Integer dy = -1; dy <= 1; ++dy)
      for (Integer dx = -1; dx <= 1; ++dx)
        if (At(p.X + dx, p.Y + dy) == c) return true;
    return false;
  }
  // Whether any pixel of the box differs from c.
  bool AnyBut(TRect r, TColor c) {
    for (Integer y = r.Top; y < r.Bottom; ++y)
      for (Integer x = r.Left; x < r.Right; ++x)
        if (At(x, y) != c) return true;
    return false;
  }
};

const TColor kCover = ColorToRGB(clBtnFace);

String SaveSolidBitmap(const jox::test::ScratchDir& dir, const char* name, Integer w, Integer h, TColor c) {
  const String file = dir.File(name);
  TBitmap b(w, h);
  b.Canvas()->Brush()->SetColor(c);
  b.Canvas()->FillRect(Rect(0, 0, w, h));
  b.SaveToFile(file);
  return file;
}

}  // namespace

TEST(MeterPaint, TooSmallPaintsNothing) {
  TMeter m(nullptr);
  m.SetBounds(0, 0, 40, 30);  // no room between the rims
  ASSERT_LE(m.MeterRadius(), 0);
  int rendered = 0;
  m.SetOnMeterRendered([&](TObject*, TCanvas*) { ++rendered; });
  m.Canvas()->Brush()->SetColor(clFuchsia);
  m.Canvas()->FillRect(Rect(0, 0, 40, 30));
  m.Paint();
  EXPECT_EQ(m.Canvas()->Pixels(20, 15), clFuchsia);
  EXPECT_EQ(m.Canvas()->Pixels(0, 0), clFuchsia);
  EXPECT_EQ(rendered, 0);
}

TEST(MeterPaint, Lamps) {
  struct Case {
    double value;
    bool highLit, lowLit;
  } cases[] = {{1.0, true, false}, {0.5, false, false}, {0.0, false, true}};
  for (const Case& c : cases) {
    Fixture f;
    f.m.SetValue(0.5);
    f.m.SetValue(c.value);
    SCOPED_TRACE(c.value);
    for (bool high : {true, false}) {
      const Integer X = high ? W - RS - 18 : RS + 8, T = RT;
      const bool lit = high ? c.highLit : c.lowLit;
      EXPECT_EQ(f.At(X + 5, T + 12), lit ? clRed : clGray);  // fill
      EXPECT_EQ(f.At(X, T + 12), clBlack);                    // outline
      EXPECT_EQ(f.At(X + 5, T + 8), clBlack);
      EXPECT_EQ(f.At(X + 9, T + 12), clWhite);  // lower-right bevel
      EXPECT_EQ(f.At(X + 5, T + 17), clWhite);
      EXPECT_EQ(f.At(X + 9, T + 8), clBlack);  // the line's end pixel is left out
      EXPECT_EQ(f.At(X + 8, T + 12), clSilver);
      EXPECT_EQ(f.At(X + 5, T + 16), clSilver);
      EXPECT_EQ(f.At(X + 1, T + 12), clGray);  // upper-left shade
      EXPECT_EQ(f.At(X + 5, T + 9), clGray);
      EXPECT_EQ(f.At(X + 1, T + 16), clGray);
    }
  }
  Fixture f;
  f.m.SetLimWatchHighOn(false);
  EXPECT_EQ(f.At(W - RS - 13, RT + 12), ColorToRGB(clWhite));  // the dial shows through
  f.m.SetLimWatchActColor(clBlue);
  f.m.SetValue(0.5);
  f.m.SetValue(0);
  EXPECT_EQ(f.At(RS + 13, RT + 12), clBlue);
}

TEST(MeterPaint, RimsAndBevel) {
  for (TMeterLayout l : {mlCirc90, mlCirc270}) {  // half hub weaves its own bevel, the round one not
    Fixture f;
    f.m.SetMeterLayout(l);
    SCOPED_TRACE(int(l));
    EXPECT_EQ(f.At(RS - 2, 100), kCover);  // left rim, one pixel narrower
    EXPECT_EQ(f.At(RS - 1, 100), clGray);  // left bevel
    EXPECT_EQ(f.At(100, RT - 1), kCover);
    EXPECT_EQ(f.At(100, RT), clGray);  // top bevel
    EXPECT_EQ(f.At(W - RS, 100), clWhite);  // right bevel
    EXPECT_EQ(f.At(W - RS + 1, 100), kCover);
    EXPECT_EQ(f.At(50, H - RB), clWhite);  // bottom bevel
    EXPECT_EQ(f.At(50, H - RB + 1), kCover);
    EXPECT_EQ(f.At(100, 3), kCover);
  }
}

TEST(MeterPaint, Frames) {
  const TColor g = clGray, w = clWhite, c = kCover;
  struct Case {
    int style;
    TColor left, top, right, bottom, left1, top1, right1, bottom1;
  } cases[] = {
      {0, c, c, c, c, c, c, c, c},
      {1, w, w, w, w, c, c, c, c},  // in ColorBakG
      {2, g, g, w, w, c, c, c, c},  // sunken
      {3, w, w, g, g, c, c, c, c},  // raised
      {4, w, w, g, g, g, g, w, w},
      {5, g, g, w, w, w, w, g, g},
  };
  for (const Case& k : cases) {
    Fixture f;
    f.m.SetFrameStyle(TFrameStyle(k.style));
    SCOPED_TRACE(k.style);
    EXPECT_EQ(f.At(0, 50), k.left);
    EXPECT_EQ(f.At(50, 0), k.top);
    EXPECT_EQ(f.At(W - 1, 50), k.right);
    EXPECT_EQ(f.At(50, H - 1), k.bottom);
    EXPECT_EQ(f.At(1, 50), k.left1);
    EXPECT_EQ(f.At(50, 1), k.top1);
    EXPECT_EQ(f.At(W - 2, 50), k.right1);
    EXPECT_EQ(f.At(50, H - 2), k.bottom1);
  }
}

TEST(MeterPaint, BandsLeaveOutEmptySectors) {
  Fixture f;
  f.m.SetScaleVisible(false);
  f.m.SetValue(0.5);
  f.m.SetScaleBkVisible(true);  // thresholds at the ends: only the normal band
  const TColor orange = 0x0080FF;
  const double R = f.m.MeterRadius();
  EXPECT_EQ(f.AtRay(0.05, R + 2), orange);
  EXPECT_EQ(f.AtRay(0.95, R + 2), orange);
  EXPECT_EQ(f.AtRay(0.3, R - 3), clWhite);  // width 0: a ring reaching 4 pixels beyond the line
  EXPECT_EQ(f.AtRay(0.3, R + 6), clWhite);

  f.m.SetThresholdLow(0.3);
  f.m.SetThresholdHigh(0.7);
  EXPECT_EQ(f.AtRay(0.05, R + 2), clLime);
  EXPECT_EQ(f.AtRay(0.4, R + 2), orange);
  EXPECT_EQ(f.AtRay(0.95, R + 2), clRed);

  f.m.SetScaleBkWidth(100);  // whole sectors down to the centre
  EXPECT_EQ(f.AtRay(0.1, R / 2), clLime);
  EXPECT_EQ(f.AtRay(0.4, R / 2), orange);
  EXPECT_EQ(f.AtRay(0.9, R / 2), clRed);
  f.m.SetScaleBkWidth(50);
  EXPECT_EQ(f.AtRay(0.1, R * 0.4), clWhite);
  EXPECT_EQ(f.AtRay(0.1, R * 0.6), clLime);

  f.m.SetMeterLayout(mlCirc360);  // normal band alone on a full circle
  f.m.SetThresholdLow(0);
  f.m.SetThresholdHigh(1);
  f.m.SetScaleBkWidth(0);
  EXPECT_EQ(f.AtRay(0.01, f.m.MeterRadius() + 2), orange);
  EXPECT_EQ(f.AtRay(0.99, f.m.MeterRadius() + 2), orange);
}

TEST(MeterPaint, ScaleLabels) {
  Fixture f;
  std::vector<String> texts;
  f.m.SetOnBeforeDrawScaleLabel([&](TObject* s, TCanvas* c, String& t, Integer, Integer) {
    EXPECT_EQ(s, &f.m);
    EXPECT_NE(c, f.m.Canvas());  // the off-screen bitmap's canvas
    texts.push_back(t);
  });
  f.m.Paint();
  EXPECT_EQ(texts, (std::vector<String>{u"0.0", u"0.2", u"0.4", u"0.6", u"0.8", u"1.0"}));

  // An emptied label is left out; its tick stays.
  f.m.SetMeterNrTicks(10);
  TRect box;
  f.m.SetOnBeforeDrawScaleLabel([&](TObject*, TCanvas* c, String& t, Integer x, Integer y) {
    if (t != u"0.5") return;
    box = Bounds(x, y, c->TextWidth(t), c->TextHeight(t));
    t.clear();
  });
  f.m.Paint();
  ASSERT_GT(box.Width(), 0);
  EXPECT_FALSE(f.AnyBut(box, clWhite));
  const Integer cx = f.m.MeterCenterX(), top = f.m.MeterCenterY() - RoundPix(f.m.MeterRadius());
  EXPECT_EQ(f.At(cx, top + 4), clNavy);  // the major tick at 0.5, straight up
  f.m.SetOnBeforeDrawScaleLabel(nullptr);
  f.m.Paint();
  EXPECT_TRUE(f.AnyBut(box, clWhite));

  f.m.SetScaleVisible(false);
  EXPECT_EQ(f.At(cx, top + 4), clWhite);
}

TEST(MeterPaint, CaptionAlsoWithoutScale) {
  Fixture f;
  f.m.SetScaleVisible(false);
  const Integer cx = f.m.MeterCenterX(), y = f.m.MeterCenterY() - RoundPix(f.m.MeterRadius() / 3);
  const TRect box = Rect(cx - 30, y - 8, cx + 30, y + 8);
  EXPECT_FALSE(f.AnyBut(box, clWhite));
  f.m.SetValue(1);  // needle out of the way
  f.m.SetCaption(u"Volt");
  EXPECT_TRUE(f.AnyBut(box, clWhite));
}

TEST(MeterPaint, NeedleAndShadow) {
  Fixture f;
  f.m.SetScaleVisible(false);
  f.m.SetValue(0.5);  // straight up
  const Integer cx = f.m.MeterCenterX(), y = f.m.MeterCenterY() - 100;
  EXPECT_EQ(f.At(cx, y), clBlack);
  EXPECT_EQ(f.At(cx - 3, y), clWhite);
  f.m.NeedleLayout()->SetShadowDx(3);
  EXPECT_EQ(f.At(cx - 3, y), clGray);  // three pixels to the left
  EXPECT_EQ(f.At(cx, y), clBlack);
  f.m.NeedleLayout()->SetShadowDx(0);
  f.m.NeedleLayout()->SetShadowDy(5);
  const Integer tip = f.m.MeterCenterY() - RoundPix(f.m.MeterRadius() - 4);
  EXPECT_EQ(f.At(cx, tip - 3), clGray);  // above the needle, past its tip
  f.m.NeedleLayout()->SetShadowDy(0);
  f.m.NeedleLayout()->SetThickness(9);
  f.m.NeedleLayout()->SetColorBody(clYellow);
  EXPECT_EQ(f.At(cx, y), clYellow);
  EXPECT_EQ(f.At(cx - 2, y), clYellow);
  // The tip: 100 % of R - 4 from the centre.
  const Integer tipY = f.m.MeterCenterY() - RoundPix(f.m.MeterRadius() - 4);
  EXPECT_NE(f.At(cx, tipY + 2), clWhite);
  EXPECT_EQ(f.At(cx, tipY - 2), clWhite);
  f.m.NeedleLayout()->SetPercentNeedleLength(50);
  EXPECT_EQ(f.At(cx, tipY + 2), clWhite);

  // Hidden for the events, still drawn.
  f.m.NeedleLayout()->SetVisible(false);
  EXPECT_EQ(f.At(cx, y + 40), clYellow);
}

TEST(MeterPaint, HandlersOnTop) {
  Fixture f;
  f.m.SetValue(0.5);
  f.m.SetOnBeforeDrawNeedle([](TObject*, TCanvas* c, bool& drawn) {
    c->Brush()->SetColor(clFuchsia);
    c->FillRect(Rect(0, 0, W, H));
    drawn = true;
  });
  f.m.SetOnMeterRendered([](TObject*, TCanvas* c) {
    c->SetPixels(0, 50, clRed);
    c->SetPixels(100, 100, clRed);
  });
  f.m.Paint();
  const Integer cx = f.m.MeterCenterX(), cy = f.m.MeterCenterY();
  EXPECT_EQ(f.At(cx, cy - 100), clFuchsia);  // no needle
  EXPECT_EQ(f.At(3, 100), kCover);            // rims, hub, lamps and frame over the handler
  EXPECT_EQ(f.At(cx, cy - 10), kCover);
  EXPECT_EQ(f.At(RS + 13, RT + 12), clGray);
  EXPECT_EQ(f.At(0, 50), clWhite);  // the frame comes after OnMeterRendered
  EXPECT_EQ(f.At(100, 100), clRed);
}

TEST(MeterPaint, SecondNeedle) {
  Fixture f;
  f.m.SetScaleVisible(false);
  f.m.NeedleLayoutSec()->SetColorOutline(clRed);
  f.m.NeedleLayoutSec()->SetVisible(true);
  f.m.SetValueSec(1);
  EXPECT_TRUE(f.NearRay(1, 80, clRed));
  f.m.NeedleLayoutSec()->SetVisible(false);
  EXPECT_FALSE(f.NearRay(1, 80, clRed));
}

TEST(MeterPaint, Hubs) {
  {
    Fixture f;  // half disc on a pedestal
    const Integer cx = f.m.MeterCenterX(), cy = f.m.MeterCenterY(), SA = 24;
    EXPECT_EQ(f.At(cx + 10, cy - 12), kCover);
    EXPECT_EQ(f.At(cx + 10, cy + 4), kCover);
    EXPECT_EQ(f.At(cx - SA, cy + 4), clWhite);
    EXPECT_EQ(f.At(cx + SA - 1, cy + 4), clGray);
    EXPECT_EQ(f.At(cx + SA + 2, cy + 4), clWhite);  // dial beside the pedestal
    f.m.SetAnchorCovered(false);
    EXPECT_EQ(f.At(cx + 10, cy - 12), clWhite);
    EXPECT_EQ(f.At(50, H - RB), clWhite);  // the bevel alone
  }
  {
    Fixture f;  // full disc
    f.m.SetMeterLayout(mlCirc270);
    const Integer cx = f.m.MeterCenterX(), cy = f.m.MeterCenterY();
    EXPECT_EQ(f.At(cx + 5, cy + 12), kCover);
    auto near = [&](Integer x, Integer y, TColor c) {
      for (Integer dy = -1; dy <= 1; ++dy)
        for (Integer dx = -1; dx <= 1; ++dx)
          if (f.At(x + dx, y + dy) == c) return true;
      return false;
    };
    EXPECT_TRUE(near(cx - 17, cy - 17, clWhite));  // lit upper-left rim
    EXPECT_TRUE(near(cx + 16, cy + 16, clGray));   // shaded lower-right rim
    EXPECT_EQ(f.At(cx, cy + 30), clWhite);
  }
  {
    const jox::test::ScratchDir dir;
    Fixture f;  // an image
    f.m.SetAnchorImage(SaveSolidBitmap(dir, "meter_hub.bmp", 7, 7, clRed));
    const Integer cx = f.m.MeterCenterX(), cy = f.m.MeterCenterY();
    EXPECT_EQ(f.At(cx + 3, cy + 3), clRed);
    EXPECT_EQ(f.At(cx - 3, cy - 3), clRed);
    EXPECT_NE(f.At(cx + 5, cy + 5), clRed);
  }
}

TEST(MeterPaint, BackgroundImage) {
  const jox::test::ScratchDir dir;
  const String file = SaveSolidBitmap(dir, "meter_bg.bmp", 40, 30, clBlue);
  Fixture f;
  f.m.SetScaleVisible(false);
  f.m.SetColorBakG(clYellow);
  EXPECT_EQ(f.At(100, 100), clYellow);
  f.m.SetBackGroundImg(file);
  EXPECT_EQ(f.At(35, 27), clBlue);  // natural size, top left
  EXPECT_EQ(f.At(45, 40), clWhite);  // on the canvas's own white, not ColorBakG
  f.m.SetBkgndFillMode(bfTile);
  EXPECT_EQ(f.At(45, 40), clBlue);
  EXPECT_EQ(f.At(250, 150), clBlue);
  f.m.SetBkgndFillMode(bfStretch);
  EXPECT_EQ(f.At(250, 150), clBlue);
  // A picture that fails to load takes the old one off the dial at once.
  const String bad = dir.File("meter_bg_bad.bmp");
  {
    TStringList junk;
    junk.Add(u"no picture");
    junk.SaveToFile(bad);
  }
  EXPECT_ANY_THROW(f.m.SetBackGroundImg(bad));
  EXPECT_EQ(f.At(250, 150), clYellow);
  EXPECT_EQ(f.At(35, 27), clYellow);
}

TEST(MeterPaint, OddSettingsPaintSafely) {
  for (TMeterLayout l : {mlCirc90, mlCirc120, mlCirc180, mlCirc270, mlCirc300, mlCirc360}) {
    TMeter m(nullptr);
    m.SetMeterLayout(l);
    m.SetScaleBkVisible(true);
    TNeedleLayout* n = m.NeedleLayout();
    n->SetHeadSize(INT_MAX);
    n->SetHeadMidLeng(INT_MIN);
    n->SetThickness(INT_MAX);
    n->SetShadowDx(INT_MIN);
    n->SetShadowDy(INT_MAX);
    n->SetPercentNeedleLength(0);
    n->SetHeadAngle(0);
    m.SetAnchorSize(100000);
    m.SetMeterMaxValue(1e300);
    m.SetMeterMinValue(-1e300);
    m.SetMeterNrTicks(21);
    m.SetMeterDecPlaces(4);
    m.SetValue(1e299);
    m.SetRimSide(-50);
    m.SetRimTop(-1000);
    m.SetBounds(0, 0, 1, 500);
    m.Paint();
    m.SetBounds(0, 0, 800, 3);
    m.Paint();
  }
  SUCCEED();
}
