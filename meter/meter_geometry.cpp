// Sections: [layouts] [fraction] [conversions]
#include "meter/meter_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "meter/meter.h"

namespace jox {

// [layouts] ------------------------------------------------------------------------------
TMeterGeometry CalcMeterGeometry(TMeterLayout Layout, Integer Width, Integer Height, Integer RimTop,
                                 Integer RimBottom, Integer RimSide, Integer AnchorSize) {
  const double W = Width, H = Height, RT = RimTop, RB = RimBottom, RS = RimSide;
  const double heightAvail = H - RB - RT - 16;  // between the rims, 8 pixels clear of each
  TMeterGeometry g;
  g.Angle = 90;
  g.Radius = heightAvail;
  g.CenterX = Width / 2;
  g.CenterY = RoundPix(H - RB - 8);

  // The circles hanging from the top rim: the part of the dial below the centre (the arc's lowest
  // points, or the hub when it reaches further) must end 8 pixels above the bottom rim.
  auto hang = [&](double below) {
    const double sideLimit = double(Width / 2) - RS - 8;
    double r = std::min(sideLimit, heightAvail / (1 + below));
    if (below * r < AnchorSize) r = std::min(sideLimit, heightAvail - AnchorSize);
    g.Radius = r;
    g.CenterY = RoundPix(RT + 8 + r);
  };

  switch (Layout) {
    case mlCirc90:
      break;
    case mlCirc120:
      g.Angle = 120;
      // 1 / sin 60: the scale ends must stay inside the side rims.
      g.Radius = std::min(heightAvail, (W / 2 - RS - 8) * 1.1547);
      break;
    case mlCirc180:
      g.Angle = 180;
      // The ends lie level with the centre, R to either side.
      g.Radius = std::min(heightAvail, double(Width / 2) - RS - 8);  // the left end is the nearer rim
      break;
    case mlCirc270:
      g.Angle = 270;
      hang(std::sqrt(0.5));  // the ends lie R sin 45 below the centre
      break;
    case mlCirc300:
      g.Angle = 300;
      g.Radius = double(Width / 2) - RS - 8;
      if (heightAvail / 1.866 < g.Radius) g.Radius = heightAvail / 1.866;  // 1 + cos 30
      g.CenterY = RoundPix(RT + 8 + g.Radius);
      break;
    case mlCirc360:
      g.Angle = 360;
      hang(1);
      break;
  }
  return g;
}

// [fraction] -----------------------------------------------------------------------------
double MeterFraction(double V, double Min, double Max, bool Logarithmic) {
  long double f;
  if (Logarithmic && V > 0 && Min > 0 && Max > 0)
    f = (std::log((long double)V) - std::log((long double)Min)) /
        (std::log((long double)Max) - std::log((long double)Min));
  else
    f = ((long double)V - Min) / ((long double)Max - Min);
  return std::isfinite(f) ? double(f) : 0.0;
}

Integer RoundPix(double V) {
  constexpr double kLimit = 1 << 16;
  if (std::isnan(V)) return 0;
  return Integer(std::nearbyint(std::clamp(V, -kLimit, kLimit)));
}

// [conversions] --------------------------------------------------------------------------
static constexpr double kDegToRad = std::numbers::pi / 180;

double TMeter::Fraction(double V) const { return MeterFraction(V, FMinValue, FMaxValue, FLogarithmic); }

double TMeter::CalcNeedleAngle(double Value) const {
  if (Value > FMaxValue) Value = FMaxValue;
  if (Value < FMinValue) Value = FMinValue;
  // MeterFraction falls back to the linear form where a logarithm has no meaning (a range read
  // from a form that is not positive yet) instead of giving NaN.
  const double rel = Fraction(Value);
  return 180 - (FMeterAngle / 2.0 - FMeterAngle * rel);
}

void TMeter::ConvertToPixelCoords(double Value, double PctRadius, Integer& X, Integer& Y) const {
  const double a = (-90 - CalcNeedleAngle(Value)) * kDegToRad;
  const double r = PctRadius * 0.01 * FMeterRadius;
  X = RoundPix(std::cos(a) * r + FMeterCenterX);
  Y = RoundPix(FMeterCenterY - std::sin(a) * r);
}

bool TMeter::ConvertPixelToValue(Integer XPos, Integer YPos, double& MeterValue) const {
  const double dx = double(XPos) - FMeterCenterX, dy = double(YPos) - FMeterCenterY;
  double phi;
  if (dx == 0) {
    phi = dy <= 0 ? 4.71238898038469 : 1.5707963267948966;
  } else {
    phi = std::atan(dy / dx);
    if (dx < 0) phi += std::numbers::pi;
  }
  if (phi < 0) phi += 2 * std::numbers::pi;
  if (phi > 2 * std::numbers::pi) phi -= 2 * std::numbers::pi;
  double d = phi * 57.29577951308232 - 90;
  if (d < 0) d += 360;
  const double lo = 180 - FMeterAngle / 2.0, hi = 180 + FMeterAngle / 2.0;
  if (d < lo || d > hi || FMeterAngle <= 0) {
    MeterValue = 0;
    return false;
  }
  const double t = (d - lo) / FMeterAngle;
  if (FLogarithmic && FMinValue > 0 && FMaxValue > 0)
    MeterValue = std::exp((std::log(FMaxValue) - std::log(FMinValue)) * t + std::log(FMinValue));
  else
    MeterValue = FMinValue + t * (FMaxValue - FMinValue);
  return true;
}

}  // namespace jox
