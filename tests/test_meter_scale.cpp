// The meter's scale arithmetic: step rule, first label, major and minor ticks, logarithmic
// decades, label texts, and the layout geometry.
#include <gtest/gtest.h>

#include <cmath>

#include "meter/meter.h"

using namespace jox;

namespace {

std::vector<double> Values(const TMeterTicks& t, bool LabelledOnly) {
  std::vector<double> v;
  for (const TMeterTick& m : t.Major)
    if (!LabelledOnly || m.Labelled) v.push_back(m.Value);
  return v;
}

void ExpectNear(const std::vector<double>& got, const std::vector<double>& want) {
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < got.size(); ++i) EXPECT_NEAR(got[i], want[i], 1e-9 * std::max(1.0, std::fabs(want[i]))) << i;
}

}  // namespace

struct StepCase {
  double min, max;
  Integer ticks;
  double step;
  Integer sub;
  double first;
};

TEST(MeterScale, StepRule) {
  const StepCase cases[] = {
      {0, 1, 3, 0.2, 4, 0},         // quotient 0.333: 2 x 10^-1
      {0, 100, 5, 10, 5, 0},        // quotient 20, exactly 2 x 10: the next smaller step
      {0, 1000, 3, 200, 4, 0},      // quotient 333
      {0, 10, 2, 2, 4, 0},          // quotient 5, exactly 5 x 1: step 2
      {0, 100, 10, 10, 5, 0},       // quotient 10, a power of ten: taken as it is
      {0, 0.01, 5, 0.001, 5, 0},    // quotient 0.002, exactly 2 x 10^-3
      {0.001, 0.002, 2, 0.0002, 4, 0.001},  // quotient 0.0005, exactly 5 x 10^-4
      {0, 0.7, 3, 0.2, 4, 0},       // quotient 0.233
      {0, 4, 2, 1, 5, 0},           // quotient 2: step 1
      {-50, 50, 4, 20, 4, -40},     // negative minimum: first multiple not below it
      {-1, 0, 5, 0.1, 5, -1},       // quotient 0.2 below one
      {-300, -100, 3, 50, 5, -300}, // wholly negative, quotient 66.7
      {10, 20, 3, 2, 4, 10},
      {1e6, 2e6, 5, 1e5, 5, 1e6},
      {0, 1e-6, 3, 2e-7, 4, 0},
      {5, 5, 3, 0, 1, 5},           // empty range
  };
  for (const StepCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.min << ".." << c.max << " / " << c.ticks);
    TMeterTicks t;
    CalcMeterStep(c.min, c.max, c.ticks, t);
    EXPECT_NEAR(t.Step, c.step, 1e-12 * std::max(1.0, c.step));
    EXPECT_EQ(t.Subdivisions, c.sub);
    EXPECT_NEAR(t.First, c.first, 1e-9 * std::max(1.0, std::fabs(c.first)));
  }
}

TEST(MeterScale, StepNeverExceedsQuotient) {
  // Whatever the range, the step gives at least the wanted number of intervals.
  for (double span : {0.003, 0.05, 0.7, 1.0, 3.3, 17.0, 250.0, 999.0, 12345.0, 7e9})
    for (Integer n = 2; n <= 21; ++n) {
      TMeterTicks t;
      CalcMeterStep(0, span, n, t);
      EXPECT_LE(t.Step, span / n * (1 + 1e-9)) << span << " / " << n;
      EXPECT_GT(t.Step, span / n / 5.01) << span << " / " << n;
    }
}

TEST(MeterScale, LinearMajorsAndLabels) {
  TMeterTicks t = CalcMeterTicks(0, 1, 3, false, false);
  ExpectNear(Values(t, true), {0, 0.2, 0.4, 0.6, 0.8, 1.0});
  std::vector<String> labels;
  for (double v : Values(t, true)) labels.push_back(MeterLabelText(v, 1));
  EXPECT_EQ(labels, (std::vector<String>{u"0.0", u"0.2", u"0.4", u"0.6", u"0.8", u"1.0"}));

  t = CalcMeterTicks(0, 100, 5, false, false);
  EXPECT_EQ(t.Major.size(), 11u);
  EXPECT_EQ(MeterLabelText(t.Major.back().Value, 0), u"100");

  t = CalcMeterTicks(-50, 50, 4, false, false);
  ExpectNear(Values(t, true), {-40, -20, 0, 20, 40});
  EXPECT_EQ(MeterLabelText(t.Major[0].Value, 0), u"-40");

  // Zero reached by adding steps to a negative start is a clean zero, not "-0.0".
  t = CalcMeterTicks(-1, 1, 10, false, false);
  bool sawZero = false;
  for (const TMeterTick& m : t.Major)
    if (std::fabs(m.Value) < 0.05) {
      EXPECT_EQ(MeterLabelText(m.Value, 1), u"0.0");
      sawZero = true;
    }
  EXPECT_TRUE(sawZero);

  EXPECT_EQ(MeterLabelText(2.5, 1), u"2.5");
  EXPECT_EQ(MeterLabelText(10, 0), u"10");
}

TEST(MeterScale, MinorTicksSkipMajorPositions) {
  const TMeterTicks t = CalcMeterTicks(0, 1, 3, false, true);
  // 0.05 apart from 0 to 1 (21 positions) without the six majors.
  ASSERT_EQ(t.Minor.size(), 15u);
  EXPECT_NEAR(t.Minor.front(), 0.05, 1e-12);
  EXPECT_NEAR(t.Minor.back(), 0.95, 1e-12);
  for (double u : t.Minor) {
    EXPECT_GE(u, 0);
    const double q = u / 0.2;
    EXPECT_GT(std::fabs(q - std::nearbyint(q)), 1e-6) << u;
  }
  EXPECT_TRUE(CalcMeterTicks(0, 1, 3, false, false).Minor.empty());
}

TEST(MeterScale, LogarithmicDecades) {
  const TMeterTicks t = CalcMeterTicks(1, 1000, 3, true, false);
  std::vector<double> majors;
  for (double m : {1.0, 10.0, 100.0})
    for (int k = 1; k <= 9; ++k) majors.push_back(k * m);
  majors.push_back(1000);
  ExpectNear(Values(t, false), majors);
  ExpectNear(Values(t, true), {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000});

  ExpectNear(Values(CalcMeterTicks(0.01, 10, 3, true, false), true),
             {0.01, 0.02, 0.05, 0.1, 0.2, 0.5, 1, 2, 5, 10});
  // A minimum that is no power of ten starts within its decade.
  ExpectNear(Values(CalcMeterTicks(5, 5000, 3, true, false), true), {5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000});
}

TEST(MeterScale, LogarithmicBelowOneDecadeIsStepped) {
  // 2..10 spans less than a decade: linear steps, every major labelled.
  ExpectNear(Values(CalcMeterTicks(2, 10, 3, true, false), true), {2, 4, 6, 8, 10});
  // A non-positive range cannot be logarithmic.
  ExpectNear(Values(CalcMeterTicks(0, 1000, 3, true, false), true), {0, 200, 400, 600, 800, 1000});
}

TEST(MeterScale, DegenerateRangesEnd) {
  // An empty range has a single tick instead of a loop that never ends.
  TMeterTicks t = CalcMeterTicks(3, 3, 5, false, true);
  ASSERT_EQ(t.Major.size(), 1u);
  EXPECT_TRUE(t.Minor.empty());
  // A range narrower than the spacing of doubles near its ends, and one spanning nearly all of them.
  t = CalcMeterTicks(1e20, std::nextafter(1e20, 2e20), 21, false, true);
  EXPECT_LT(t.Major.size(), 100u);
  t = CalcMeterTicks(-1e308, 1e308, 4, false, true);
  EXPECT_GE(t.Major.size(), 4u);
  EXPECT_LT(t.Major.size(), 20u);
  // A logarithmic scale over the whole positive range stays bounded.
  t = CalcMeterTicks(1e-100, 1e300, 3, true, true);
  EXPECT_EQ(t.Major.front().Value, 1e-100);
  EXPECT_LT(t.Major.size(), 5000u);
}

// --- geometry --------------------------------------------------------------------------
struct GeomCase {
  TMeterLayout layout;
  Integer w, h;
  Integer angle;
  double r;
  Integer cx, cy;
};

TEST(MeterGeometry, FixedLayouts) {
  // Rims 8 top, 10 bottom and side.
  const GeomCase cases[] = {
      {mlCirc90, 297, 209, 90, 175, 148, 191},
      {mlCirc120, 297, 209, 120, (148.5 - 18) * 1.1547, 148, 191},  // width-limited
      {mlCirc120, 600, 209, 120, 175, 300, 191},                    // height-limited
      {mlCirc300, 297, 209, 300, 175 / 1.866, 148, 110},            // height-limited: cy = round(16 + 93.78)
      {mlCirc300, 200, 400, 300, 82, 100, 98},                      // width-limited
  };
  for (const GeomCase& c : cases) {
    SCOPED_TRACE(testing::Message() << int(c.layout) << " " << c.w << "x" << c.h);
    const TMeterGeometry g = CalcMeterGeometry(c.layout, c.w, c.h, 8, 10, 10, 24);
    EXPECT_EQ(g.Angle, c.angle);
    EXPECT_NEAR(g.Radius, c.r, 1e-9);
    EXPECT_EQ(g.CenterX, c.cx);
    EXPECT_EQ(g.CenterY, c.cy);
  }
}

TEST(MeterGeometry, OwnLayoutsStayInsideTheRims) {
  for (TMeterLayout l : {mlCirc180, mlCirc270, mlCirc360})
    for (auto [w, h] : {std::pair{297, 209}, {209, 297}, {400, 200}, {150, 150}, {600, 600}, {150, 80}}) {
      SCOPED_TRACE(testing::Message() << int(l) << " " << w << "x" << h);
      const Integer RT = 8, RB = 10, RS = 10, SA = 24;
      const TMeterGeometry g = CalcMeterGeometry(l, w, h, RT, RB, RS, SA);
      EXPECT_EQ(g.Angle, l == mlCirc180 ? 180 : l == mlCirc270 ? 270 : 360);
      ASSERT_GT(g.Radius, 0);
      // Scale arc 8 pixels clear of every rim (it reaches R + 4 with bands).
      EXPECT_GE(g.CenterX - g.Radius, RS + 8 - 1e-9);
      EXPECT_LE(g.CenterX + g.Radius, w - RS - 8 + 1e-9);
      EXPECT_GE(g.CenterY - g.Radius, RT + 8 - 0.5);
      // Below the centre: the arc's lowest points or the full hub; the half hub of mlCirc180
      // stands on the bottom rim instead.
      const double below = l == mlCirc180 ? 0 : std::max<double>(SA, l == mlCirc270 ? g.Radius * std::sqrt(0.5) : g.Radius);
      EXPECT_LE(g.CenterY + below, h - RB - 8 + 0.5);
      if (l == mlCirc180) {
        EXPECT_EQ(g.CenterY, h - RB - 8);
      }
      // The layout fills the room: one side of the box is reached.
      const bool wide = g.CenterX + g.Radius >= w - RS - 8 - 1;
      const bool tall = g.CenterY + below >= h - RB - 8 - 1 || g.CenterY - g.Radius <= RT + 8 + 1;
      EXPECT_TRUE(wide || tall);
    }
}

TEST(MeterGeometry, Fraction) {
  EXPECT_DOUBLE_EQ(MeterFraction(0.5, 0, 1, false), 0.5);
  EXPECT_DOUBLE_EQ(MeterFraction(10, 1, 100, true), 0.5);
  EXPECT_DOUBLE_EQ(MeterFraction(50, 0, 100, true), 0.5);  // minimum 0: linear
  EXPECT_DOUBLE_EQ(MeterFraction(3, 2, 2, false), 0);      // empty range: no NaN
  EXPECT_EQ(RoundPix(2.5), 2);
  EXPECT_EQ(RoundPix(3.5), 4);
  EXPECT_EQ(RoundPix(std::nan("")), 0);
  EXPECT_LE(RoundPix(1e300), 1 << 16);
}
