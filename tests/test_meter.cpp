// The meter's model: defaults, value and threshold events, range invariants, loading, images,
// needle layouts, conversions between values and pixels, and the mouse event.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "meter/meter.h"
#include "package/framework/base/formtext.h"
#include "package/framework/base/strings.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/input.h"
#include "package/units.h"
#include "support/support.h"

using namespace jox;

namespace {

// Counts the three zone events and the paints of a meter.
struct Spy {
  int over = 0, normal = 0, under = 0, paints = 0;
  explicit Spy(TMeter& m) {
    m.SetOnOverFlow([this](TObject*) { ++over; });
    m.SetOnNormalRange([this](TObject*) { ++normal; });
    m.SetOnUnderFlow([this](TObject*) { ++under; });
    m.SetOnMeterRendered([this](TObject*, TCanvas*) { ++paints; });
  }
  void Reset() { over = normal = under = paints = 0; }
};

void ExpectInvariants(const TMeter& m) {
  EXPECT_LT(m.MeterMinValue(), m.MeterMaxValue());
  EXPECT_LE(m.ThresholdLow(), m.ThresholdHigh());
  for (double v : {m.ThresholdLow(), m.ThresholdHigh(), m.Value(), m.ValueSec()}) {
    EXPECT_GE(v, m.MeterMinValue());
    EXPECT_LE(v, m.MeterMaxValue());
  }
  if (m.Logarithmic()) {
    EXPECT_GT(m.MeterMinValue(), TMeter::MinLogValue);
    EXPECT_GT(m.MeterMaxValue(), TMeter::MinLogValue);
  }
}


}  // namespace

TEST(Meter, Defaults) {
  TMeter m(nullptr);
  EXPECT_EQ(m.Width(), 297);
  EXPECT_EQ(m.Height(), 209);
  for (const TPropInfo& p : TMeter::ClassInfo().Props)
    EXPECT_TRUE(!p.Default || p.IsDefault(m)) << ToUtf8(p.Name);
  for (const TPropInfo& p : TNeedleLayout::ClassInfo().Props)
    EXPECT_TRUE(!p.Default || p.IsDefault(*m.NeedleLayoutSec())) << ToUtf8(p.Name);
  EXPECT_TRUE(test::DefaultsMatchTable(m));
  EXPECT_TRUE(m.NeedleLayout()->Visible());
  EXPECT_FALSE(m.NeedleLayoutSec()->Visible());
  EXPECT_EQ(m.FontCaption()->Name(), m.Font()->Name());
  EXPECT_EQ(m.FontCaption()->Height(), m.Font()->Height());
  EXPECT_NE(m.FontCaption(), m.Font());
  EXPECT_EQ(m.RimTop(), 8);
  EXPECT_EQ(m.ColorCover(), clBtnFace);
  EXPECT_EQ(m.ColorSclBkNorm(), TColor(0x0080FF));
  EXPECT_EQ(int(m.FrameStyle()), 3);
  // Created with geometry computed before the rims got their widths.
  EXPECT_EQ(m.MeterAngle(), 90);
  EXPECT_DOUBLE_EQ(m.MeterRadius(), 209 - 16);
  EXPECT_EQ(m.MeterCenterX(), 148);
  EXPECT_EQ(m.MeterCenterY(), 201);
  // Every published line reads back through the table.
  EXPECT_DOUBLE_EQ(VarToFloat(GetPropValue(&m, u"MeterMaxValue")), 1.0);
  EXPECT_EQ(VarToInt(GetPropValue(&m, u"MeterNrTicks")), 3);
}

TEST(Meter, ValueEvents) {
  TMeter m(nullptr);
  m.SetThresholdLow(0.2);
  m.SetThresholdHigh(0.8);
  Spy s(m);
  struct Step {
    double value;
    int over, normal, under, paints;
  };
  // Cumulative counts after each assignment.
  const Step steps[] = {
      {0.5, 0, 1, 0, 1},  // normal
      {0.5, 0, 1, 0, 1},  // unchanged: nothing at all
      {0.6, 0, 2, 0, 2},  // normal again: fires again
      {0.8, 1, 2, 0, 3},  // at the high threshold: overflow
      {5.0, 2, 2, 0, 4},  // above the maximum: stored as 1, overflow
      {5.0, 3, 2, 0, 5},  // differs from the stored 1, so again
      {0.2, 3, 2, 1, 6},  // at the low threshold: underflow
      {-1, 3, 2, 2, 7},   // below the minimum: 0, underflow
  };
  for (const Step& st : steps) {
    m.SetValue(st.value);
    SCOPED_TRACE(st.value);
    EXPECT_EQ(s.over, st.over);
    EXPECT_EQ(s.normal, st.normal);
    EXPECT_EQ(s.under, st.under);
    EXPECT_EQ(s.paints, st.paints);
  }
  EXPECT_EQ(m.Value(), 0);
  m.SetValue(std::nan(""));  // no position to show: ignored
  EXPECT_EQ(m.Value(), 0);
  m.SetValue(INFINITY);
  EXPECT_EQ(m.Value(), 1);
}

TEST(Meter, EqualThresholdsCountAsOverflow) {
  TMeter m(nullptr);
  m.SetThresholdLow(0.5);
  m.SetThresholdHigh(0.5);
  Spy s(m);
  m.SetValue(0.5);
  EXPECT_EQ(s.over, 1);
  EXPECT_EQ(s.under, 0);
}

TEST(Meter, HiddenNeedlesFireNothing) {
  TMeter m(nullptr);
  Spy s(m);
  m.NeedleLayout()->SetVisible(false);
  s.Reset();
  m.SetValue(0.5);
  EXPECT_EQ(s.over + s.normal + s.under, 0);
  EXPECT_EQ(s.paints, 1);  // the primary still repaints

  m.SetValueSec(0.7);  // secondary hidden: no event, no paint
  EXPECT_EQ(s.over + s.normal + s.under, 0);
  EXPECT_EQ(s.paints, 1);
  EXPECT_EQ(m.ValueSec(), 0.7);

  m.NeedleLayoutSec()->SetVisible(true);  // repaints through the layout's OnChange
  EXPECT_EQ(s.paints, 2);
  m.SetValueSec(1.0);
  EXPECT_EQ(s.over, 1);
  EXPECT_EQ(s.paints, 3);
}

TEST(Meter, ThresholdSetters) {
  TMeter m(nullptr);
  m.SetValue(0.5);
  Spy s(m);
  m.SetThresholdLow(0.6);  // the value now lies in the low zone
  EXPECT_EQ(s.under, 1);
  m.SetThresholdLow(0.4);
  EXPECT_EQ(s.under, 1);
  m.SetThresholdHigh(0.3);  // below the low threshold: pulls it along
  EXPECT_EQ(m.ThresholdLow(), 0.3);
  EXPECT_EQ(s.over, 1);
  m.SetThresholdLow(2);  // clamped to the maximum, pushes the high threshold
  EXPECT_EQ(m.ThresholdLow(), 1);
  EXPECT_EQ(m.ThresholdHigh(), 1);
  m.SetThresholdHigh(-5);
  EXPECT_EQ(m.ThresholdHigh(), 0);
  EXPECT_EQ(m.ThresholdLow(), 0);
  ExpectInvariants(m);
  const int paints = s.paints;
  m.SetThresholdHigh(0);  // unchanged
  EXPECT_EQ(s.paints, paints);
}

TEST(Meter, RangeSetters) {
  TMeter m(nullptr);
  m.SetMeterMaxValue(10);
  m.SetValue(5);
  m.SetThresholdHigh(8);
  m.SetMeterMinValue(6);  // raises value and low threshold
  EXPECT_EQ(m.Value(), 6);
  EXPECT_EQ(m.ThresholdLow(), 6);
  EXPECT_EQ(m.ThresholdHigh(), 8);
  m.SetMeterMaxValue(m.MeterMinValue());  // linear: the minimum moves to max - 1
  EXPECT_EQ(m.MeterMaxValue(), 6);
  EXPECT_EQ(m.MeterMinValue(), 5);
  EXPECT_EQ(m.ThresholdHigh(), 6);
  m.SetMeterMinValue(20);  // above the maximum: max = min + 1
  EXPECT_EQ(m.MeterMaxValue(), 21);
  ExpectInvariants(m);

  // Where min + 1 rounds back to min the range must still not close.
  m.SetMeterMinValue(1e17);
  EXPECT_GT(m.MeterMaxValue(), m.MeterMinValue());
  m.SetMeterMaxValue(-1e300);
  EXPECT_LT(m.MeterMinValue(), m.MeterMaxValue());
  ExpectInvariants(m);
  m.SetMeterMinValue(INFINITY);
  m.SetMeterMaxValue(std::nan(""));
  EXPECT_EQ(m.MeterMaxValue(), -1e300);
}

TEST(Meter, LogarithmicRules) {
  TMeter m(nullptr);
  m.SetLogarithmic(true);  // minimum 0: stays linear
  EXPECT_FALSE(m.Logarithmic());
  m.SetMeterMinValue(1);
  m.SetMeterMaxValue(1000);
  m.SetLogarithmic(true);
  EXPECT_TRUE(m.Logarithmic());
  m.SetMeterMinValue(0);  // below 1e-100: ignored
  m.SetThresholdLow(-1);
  EXPECT_EQ(m.MeterMinValue(), 1);
  EXPECT_EQ(m.ThresholdLow(), 1);
  m.SetMeterMaxValue(0.5);  // max - 1 is not positive: min = max / 10
  EXPECT_DOUBLE_EQ(m.MeterMinValue(), 0.05);
  ExpectInvariants(m);
  EXPECT_NEAR(m.CalcNeedleAngle(std::sqrt(0.05 * 0.5)), 180, 1e-9);
}

TEST(Meter, LogarithmicEndsWhenARangeEndLeavesIt) {
  for (int which = 0; which < 2; ++which) {
    TMeter m(nullptr);
    m.SetMeterMinValue(1);
    m.SetMeterMaxValue(1000);
    m.SetLogarithmic(true);
    ASSERT_TRUE(m.Logarithmic());
    if (which == 0) m.SetMeterMinValue(1e-100);  // accepted, but not above the limit
    else m.SetMeterMaxValue(1e-100);             // the minimum follows to 1e-101
    EXPECT_FALSE(m.Logarithmic()) << which;
    ExpectInvariants(m);
  }
}

TEST(Meter, AnchorSizeRefitsTheDial) {
  // The dial must not depend on the order of the settings.
  for (TMeterLayout l : {mlCirc270, mlCirc360}) {
    TMeter a(nullptr), b(nullptr);
    a.SetMeterLayout(l);
    a.SetAnchorSize(40);
    b.SetAnchorSize(40);
    b.SetMeterLayout(l);
    EXPECT_EQ(a.MeterRadius(), b.MeterRadius()) << int(l);
    EXPECT_EQ(a.MeterCenterY(), b.MeterCenterY()) << int(l);
    EXPECT_LE(a.MeterCenterY() + 40, a.Height() - a.RimBottom()) << int(l);
  }
}

TEST(Meter, RandomSettersKeepInvariants) {
  TMeter m(nullptr);
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> val(-1e3, 1e3);
  for (int i = 0; i < 2000; ++i) {
    const double v = rng() % 4 == 0 ? std::pow(10.0, val(rng) / 20) : val(rng);
    switch (rng() % 7) {
      case 0: m.SetMeterMinValue(v); break;
      case 1: m.SetMeterMaxValue(v); break;
      case 2: m.SetThresholdLow(v); break;
      case 3: m.SetThresholdHigh(v); break;
      case 4: m.SetValue(v); break;
      case 5: m.SetValueSec(v); break;
      case 6: m.SetLogarithmic(rng() % 2); break;
    }
    ExpectInvariants(m);
    if (HasFailure()) FAIL() << "after step " << i;
  }
}

TEST(Meter, LoadingStoresRawValues) {
  TMeter m(nullptr);
  Spy s(m);
  m.IncludeState(csLoading);
  m.SetMeterMaxValue(10);
  m.SetMeterMinValue(20);  // no repair while loading
  m.SetValue(50);
  m.SetValueSec(-3);
  m.SetThresholdHigh(99);
  m.SetLogarithmic(true);
  m.SetBackGroundImg(u"/nonexistent/bg.bmp");
  m.SetAnchorImage(u"/nonexistent/hub.bmp");
  EXPECT_EQ(m.MeterMinValue(), 20);
  EXPECT_EQ(m.Value(), 50);
  EXPECT_EQ(m.BackGroundImg(), u"/nonexistent/bg.bmp");
  EXPECT_EQ(s.over + s.normal + s.under + s.paints, 0);
  static_cast<TComponent&>(m).Loaded();  // as the form reader calls it
  EXPECT_FALSE(m.ComponentState().Contains(csLoading));
  EXPECT_EQ(m.Value(), 20);     // clamped (into the broken range: to the minimum last)
  EXPECT_EQ(m.ValueSec(), -3);  // not clamped
  EXPECT_EQ(m.BackGroundImg(), u"");
  EXPECT_EQ(m.AnchorImage(), u"");
  EXPECT_EQ(s.paints, 1);
  EXPECT_EQ(s.over + s.normal + s.under, 0);
}

// Form text names the meter's classes; the unit's start-up makes them known, no manual registration.
TEST(Meter, StartupRegistersTheClassesForFormText) {
  UnRegisterClass(TMeter::ClassInfo());
  ASSERT_EQ(GetClass(u"TMeter"), nullptr);
  UnitStartup(juMeter);
  EXPECT_EQ(GetClass(u"TMeter"), &TMeter::ClassInfo());
  EXPECT_EQ(GetClass(u"TNeedleLayout"), &TNeedleLayout::ClassInfo());
  TForm f(nullptr), g(nullptr);
  auto* m = new TMeter(&f);
  m->SetName(u"Meter1");
  m->SetParent(&f);
  m->SetValue(45);
  m->SetCaption(u"bar");
  EXPECT_TRUE(test::FormTextRoundTrip(&f, &g));
  UnitShutdown(juMeter);
}

TEST(Meter, FormTextRoundTrip) {
  RegisterClass<TMeter>();
  TForm f(nullptr);
  auto* m = new TMeter(&f);
  m->SetName(u"Meter1");
  m->SetParent(&f);
  m->SetBounds(4, 4, 320, 240);
  m->SetMeterMaxValue(50);
  m->SetThresholdHigh(40);
  m->SetValue(45);
  m->SetMeterLayout(mlCirc270);
  m->SetCaption(u"bar");
  m->SetRimTop(12);
  m->NeedleLayout()->SetHeadSize(9);
  m->NeedleLayoutSec()->SetVisible(true);
  m->FontCaption()->SetColor(clRed);
  const String text = WriteComponentText(&f);

  TForm g(nullptr);
  ReadComponentText(text, &g);
  auto* r = dynamic_cast<TMeter*>(g.FindComponent(u"Meter1"));
  ASSERT_NE(r, nullptr) << ToUtf8(text);
  EXPECT_EQ(r->MeterMaxValue(), 50);
  EXPECT_EQ(r->ThresholdHigh(), 40);
  EXPECT_EQ(r->Value(), 45);
  EXPECT_EQ(r->MeterLayout(), mlCirc270);
  EXPECT_EQ(r->Caption(), u"bar");
  EXPECT_EQ(r->RimTop(), 12);
  EXPECT_EQ(r->NeedleLayout()->HeadSize(), 9);
  EXPECT_TRUE(r->NeedleLayoutSec()->Visible());
  EXPECT_EQ(r->FontCaption()->Color(), clRed);
  EXPECT_EQ(r->MeterAngle(), 270);

  // Values read before the range that holds them still arrive; Loaded clamps the primary one.
  const String raw =
      u"object Form3: TForm\n  object Meter2: TMeter\n    Value = 7\n    ValueSec = 9\n"
      u"    MeterMaxValue = 5\n  end\nend\n";
  TForm h(nullptr);
  ReadComponentText(raw, &h);
  auto* q = dynamic_cast<TMeter*>(h.FindComponent(u"Meter2"));
  ASSERT_NE(q, nullptr);
  EXPECT_EQ(q->MeterMaxValue(), 5);
  EXPECT_EQ(q->Value(), 5);
  EXPECT_EQ(q->ValueSec(), 9);
}

TEST(Meter, ClampingSetters) {
  TMeter m(nullptr);
  Spy s(m);
  struct Case {
    Integer in, ticks, decs;
  } cases[] = {{0, 2, 0}, {25, 21, 4}, {-7, 2, 0}, {10, 10, 4}};
  for (const Case& c : cases) {
    m.SetMeterNrTicks(c.in);
    m.SetMeterDecPlaces(c.in);
    EXPECT_EQ(m.MeterNrTicks(), c.ticks);
    EXPECT_EQ(m.MeterDecPlaces(), c.decs);
  }
  // A rim change fits the dial anew.
  m.SetRimTop(30);
  EXPECT_DOUBLE_EQ(m.MeterRadius(), 209 - 30 - 10 - 16);
  EXPECT_EQ(m.MeterCenterY(), 209 - 10 - 8);
  m.SetScaleBkWidth(150);
  EXPECT_EQ(m.ScaleBkWidth(), 100);
  m.SetScaleBkWidth(-1);
  EXPECT_EQ(m.ScaleBkWidth(), 0);
  s.Reset();
  m.SetRimTop(30);  // unchanged: no paint
  m.SetColorCover(clBtnFace);
  m.SetFrameStyle(TFrameStyle(3));
  EXPECT_EQ(s.paints, 0);
  m.SetScaleVisible(true);  // always repaints
  m.SetCaption(u"");
  EXPECT_EQ(s.paints, 2);
}

TEST(Meter, ColorScheme) {
  TMeter m(nullptr);
  m.SetFrameStyle(TFrameStyle(2));  // sunken: gray top-left, white bottom-right
  m.SetColorScheme(TColorScheme(1));
  m.Paint();
  EXPECT_EQ(m.Canvas()->Pixels(0, 50), ColorToRGB(clBtnShadow));
  EXPECT_EQ(m.Canvas()->Pixels(296, 50), ColorToRGB(clBtnHighlight));
  StyleServices()->SetEnabled(true);
  StyleServices()->SetStyleColor(scBorder, 0x123456);
  m.SetColorScheme(TColorScheme(0));
  m.SetColorScheme(TColorScheme(1));
  StyleServices()->SetEnabled(false);
  EXPECT_EQ(m.Canvas()->Pixels(0, 50), TColor(0x123456));
  m.SetColorScheme(TColorScheme(0));
  EXPECT_EQ(m.Canvas()->Pixels(0, 50), clGray);
}

TEST(Meter, NeedleLayout) {
  TMeter m(nullptr);
  Spy s(m);
  TNeedleLayout* n = m.NeedleLayout();
  n->SetHeadAngle(200);
  EXPECT_EQ(n->HeadAngle(), 180);
  n->SetHeadAngle(-1);
  EXPECT_EQ(n->HeadAngle(), 0);
  n->SetPercentNeedleLength(101);
  EXPECT_EQ(n->PercentNeedleLength(), 100);
  EXPECT_EQ(s.paints, 2);  // 100 was already set: no change, no paint
  int changes = 0;
  TNeedleLayout standalone;
  standalone.SetOnChange([&](TObject* sender) {
    EXPECT_EQ(sender, &standalone);
    ++changes;
  });
  standalone.SetThickness(4);
  standalone.SetThickness(4);
  standalone.SetShadowColor(clRed);
  EXPECT_EQ(changes, 2);
  // Whole layouts are not copied.
  EXPECT_THROW(m.SetNeedleLayout(&standalone), EConvertError);
  EXPECT_THROW(m.SetNeedleLayoutSec(m.NeedleLayout()), EConvertError);
  EXPECT_EQ(m.NeedleLayout()->Thickness(), 0);
}

TEST(Meter, ImageFiles) {
  const jox::test::ScratchDir dir;
  const String good = dir.File("meter_img.bmp"), bad = dir.File("meter_bad.bmp");
  {
    TBitmap b(6, 4);
    b.Canvas()->Brush()->SetColor(clBlue);
    b.Canvas()->FillRect(Rect(0, 0, 6, 4));
    b.SaveToFile(good);
    TStringList junk;
    junk.Add(u"no picture");
    junk.SaveToFile(bad);
  }
  TMeter m(nullptr);
  m.SetBackGroundImg(u"/nonexistent/x.bmp");
  EXPECT_EQ(m.BackGroundImg(), u"");
  m.SetBackGroundImg(good);
  EXPECT_EQ(m.BackGroundImg(), good);
  EXPECT_ANY_THROW(m.SetBackGroundImg(bad));
  EXPECT_EQ(m.BackGroundImg(), bad);  // kept, as the error was reported
  m.Paint();                          // and painting copes with the failed picture

  m.SetAnchorImage(bad);  // fails quietly
  EXPECT_EQ(m.AnchorImage(), u"");
  m.SetAnchorImage(good);
  EXPECT_EQ(m.AnchorImage(), good);
  m.SetAnchorImage(u"");
  EXPECT_EQ(m.AnchorImage(), u"");
}

// --- conversions ----------------------------------------------------------------------
TEST(MeterConversions, AngleEnds) {
  for (TMeterLayout l : {mlCirc90, mlCirc120, mlCirc180, mlCirc270, mlCirc300, mlCirc360}) {
    TMeter m(nullptr);
    m.SetMeterLayout(l);
    const double A = m.MeterAngle();
    EXPECT_DOUBLE_EQ(m.CalcNeedleAngle(0), 180 - A / 2);
    EXPECT_DOUBLE_EQ(m.CalcNeedleAngle(1), 180 + A / 2);
    EXPECT_DOUBLE_EQ(m.CalcNeedleAngle(0.5), 180);
    EXPECT_DOUBLE_EQ(m.CalcNeedleAngle(7), 180 + A / 2);  // clamped
  }
}

TEST(MeterConversions, RoundTripEveryLayout) {
  for (bool log : {false, true})
    for (TMeterLayout l : {mlCirc90, mlCirc120, mlCirc180, mlCirc270, mlCirc300, mlCirc360}) {
      TMeter m(nullptr);
      m.SetMeterLayout(l);
      m.SetMeterMaxValue(1000);
      m.SetMeterMinValue(log ? 1 : -1000);
      m.SetLogarithmic(log);
      SCOPED_TRACE(testing::Message() << "layout " << int(l) << (log ? " log" : " linear"));
      for (double f = 0.02; f < 0.99; f += 0.07) {
        const double v = log ? std::pow(1000.0, f) : -1000 + 2000 * f;
        Integer x, y;
        m.ConvertToPixelCoords(v, 100, x, y);
        double back = 0;
        ASSERT_TRUE(m.ConvertPixelToValue(x, y, back)) << v;
        // A pixel's angle is good to about 0.5 / R radians.
        const double sweep = m.MeterAngle() * M_PI / 180;
        const double tol = 0.75 / m.MeterRadius() / sweep;
        const double got = log ? std::log(back) / std::log(1000.0) : (back + 1000) / 2000;
        EXPECT_NEAR(got, f, tol) << v;
      }
    }
}

TEST(MeterConversions, PixelsAroundTheCentre) {
  TMeter m(nullptr);
  const Integer cx = m.MeterCenterX(), cy = m.MeterCenterY();
  double v = -1;
  EXPECT_TRUE(m.ConvertPixelToValue(cx, cy - 50, v));
  EXPECT_DOUBLE_EQ(v, 0.5);
  EXPECT_FALSE(m.ConvertPixelToValue(cx, cy + 50, v));
  EXPECT_EQ(v, 0);
  EXPECT_FALSE(m.ConvertPixelToValue(cx + 50, cy, v));  // outside the 90 degree sector
  EXPECT_TRUE(m.ConvertPixelToValue(cx + 50, cy - 51, v));  // just inside its high end
  EXPECT_GT(v, 0.99);
  // Distance from the centre does not matter.
  EXPECT_TRUE(m.ConvertPixelToValue(cx - 1000, cy - 1000, v));
  EXPECT_DOUBLE_EQ(v, 0);

  Integer x, y;
  m.ConvertToPixelCoords(0.5, 50, x, y);
  EXPECT_EQ(x, cx);
  EXPECT_EQ(y, RoundPix(cy - m.MeterRadius() / 2));
  m.ConvertToPixelCoords(1, 100, x, y);  // 45 degrees up to the right
  EXPECT_EQ(x, RoundPix(cx + m.MeterRadius() * std::sqrt(0.5)));
  EXPECT_EQ(y, RoundPix(cy - m.MeterRadius() * std::sqrt(0.5)));

  m.SetMeterLayout(mlCirc360);  // the whole circle belongs to the scale
  EXPECT_TRUE(m.ConvertPixelToValue(m.MeterCenterX() + 30, m.MeterCenterY() + 1, v));
}

TEST(MeterConversions, BrokenRangeFromAFormGivesNoNaN) {
  TMeter m(nullptr);
  m.IncludeState(csLoading);
  m.SetMeterMaxValue(0);   // an empty range
  m.SetLogarithmic(true);  // with minimum 0
  static_cast<TComponent&>(m).Loaded();  // as the form reader calls it
  double v = -1;
  EXPECT_FALSE(std::isnan(m.CalcNeedleAngle(0)));
  m.ConvertPixelToValue(m.MeterCenterX(), 10, v);
  EXPECT_FALSE(std::isnan(v));
  m.Paint();  // ticks of an empty range end
}

TEST(MeterConversions, MouseMove) {
  TForm f(nullptr);
  f.SetClientWidth(400);
  f.SetClientHeight(300);
  auto* m = new TMeter(&f);
  m->SetParent(&f);
  m->SetBounds(20, 10, 297, 209);
  std::vector<std::string> log;
  m->SetOnMouseMove([&](TObject*, TShiftState, Integer X, Integer Y) {
    log.push_back("move " + std::to_string(X) + "," + std::to_string(Y));
  });
  m->SetOnMouseMoveInMeter([&](TObject* s, bool within, TShiftState shift, double v) {
    EXPECT_EQ(s, m);
    log.push_back(std::string(within ? "in " : "out ") + std::to_string(int(std::lround(v * 100))) +
                  (shift & ssShift ? " shift" : ""));
  });
  const Integer cx = m->MeterCenterX(), cy = m->MeterCenterY();
  input::MouseMove(m, cx, cy - 40, ssShift);
  input::MouseMove(m, cx, cy + 5);
  EXPECT_EQ(log, (std::vector<std::string>{"move " + std::to_string(cx) + "," + std::to_string(cy - 40),
                                           "in 50 shift", "move " + std::to_string(cx) + "," + std::to_string(cy + 5),
                                           "out 0"}));
}

// Every published setting of its own takes a new value (a setter that ignored changes would show here).
TEST(MeterSettings, EveryOwnSettingTakesANewValue) {
  TMeter fresh(nullptr);
  // pictures that cannot be read are not taken.
  EXPECT_EQ(jox::test::RefusedProps(fresh), (std::vector<String>{u"AnchorImage", u"BackGroundImg"}));
}
