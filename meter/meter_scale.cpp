// Sections: [step] [ticks] [labels]
#include "meter/meter_scale.h"

#include <cmath>

#include "package/numtext.h"
#include "package/core/coretypes.h"
#include "package/numerics/numerics.h"

namespace jox {

namespace {

constexpr long double kLog2 = 0.3010299956639812L;
constexpr long double kLog5 = 0.6989700043360189L;
constexpr long double kTol = 1e-10L;
constexpr double kDecadeTol = 0.999999999;
// A range far narrower than the spacing of doubles near its ends would let the loops below spin
// without moving; no real scale comes near this many ticks.
constexpr size_t kMaxTicks = 20000;

// A multiple of the step reached by adding steps to a negative start carries the rounding error
// of the additions; at zero that would read "-0.0".
double Snap(long double V, double Step) { return std::fabs(V) < 1e-9L * Step ? 0.0 : double(V); }

}  // namespace

// [step] ---------------------------------------------------------------------------------
void CalcMeterStep(double Min, double Max, Integer NrTicks, TMeterTicks& Ticks) {
  Ticks.First = Min;
  Ticks.Step = 0;
  Ticks.Subdivisions = 1;
  if (Min == Max || NrTicks <= 0 || !std::isfinite(Min) || !std::isfinite(Max)) return;

  // Long double keeps a range spanning almost the whole double scale finite.
  long double d = std::log(std::fabs((long double)Max - Min) / NrTicks) / (long double)uc_ln10;
  long double fr = d - std::trunc(d);
  if (std::fabs(fr) < kTol || std::fabs(fr) > 1 - kTol) {
    d = std::nearbyint(d);
    fr = 0;
  }
  if (d < 0 && fr != 0) {
    d -= 1;
    fr += 1;
  }
  const long double power = std::pow(10.0L, std::trunc(d));
  if (fr < kLog2 + kTol) {
    Ticks.Step = double(power);
    Ticks.Subdivisions = 5;
  } else if (fr < kLog5 + kTol) {
    Ticks.Step = double(2 * power);
    Ticks.Subdivisions = 4;
  } else {
    Ticks.Step = double(5 * power);
    Ticks.Subdivisions = 5;
  }
  if (Ticks.Step == 0 || !std::isfinite(Ticks.Step)) {  // below the smallest double or above the largest
    Ticks.Step = 0;
    Ticks.Subdivisions = 1;
    return;
  }

  double first = (std::trunc(Min / Ticks.Step) - 1) * Ticks.Step;
  for (size_t guard = 0; Min - first > 0.001 * Ticks.Step && guard < kMaxTicks; ++guard) first += Ticks.Step;
  Ticks.First = Snap(first, Ticks.Step);
}

// [ticks] --------------------------------------------------------------------------------
static void AddLinearMajors(double Max, TMeterTicks& t) {
  t.Major.push_back({t.First, true});
  if (t.Step <= 0) return;
  const long double limit = Max + 0.001L * t.Step;
  for (size_t k = 1; k < kMaxTicks; ++k) {
    // Long double: the last step of a range near the double limit must not overflow.
    const long double v = (long double)t.First + (long double)k * t.Step;
    if (!(v <= limit)) break;
    t.Major.push_back({Snap(v, t.Step), true});
  }
}

static void AddDecadeMajors(double Min, double Max, TMeterTicks& t) {
  const double base = std::pow(10.0, IntNeg(std::log10(kDecadeTol * Min)));
  double m = 1;
  do {
    for (Integer k = 1; k <= 9; ++k) {
      const double v = k * base * m;
      if (v / kDecadeTol > Min && v * kDecadeTol < Max) t.Major.push_back({v, k == 1 || k == 2 || k == 5});
    }
    m *= 10;
  } while (!(kDecadeTol * base * m > Max) && t.Major.size() < kMaxTicks);
}

static void AddMinors(double Min, double Max, TMeterTicks& t) {
  if (t.Step <= 0) return;
  const double s = t.Step / t.Subdivisions;
  const long double start = (long double)t.First - t.Step;
  const long double limit = Max + 0.001L * s;
  for (size_t j = 0; j < kMaxTicks; ++j) {
    const long double u = start + (long double)j * s;
    if (!(u <= limit)) break;
    const long double q = (u - t.First) / t.Step;
    const long double fr = std::fabs(q - std::trunc(q));
    // A rounding error can leave a major position just short of a whole step; skip it too.
    if (u >= Min && fr > 1e-5L && fr < 1 - 1e-5L) t.Minor.push_back(Snap(u, t.Step));
  }
}

TMeterTicks CalcMeterTicks(double Min, double Max, Integer NrTicks, bool Logarithmic, bool ShortTicks) {
  TMeterTicks t;
  CalcMeterStep(Min, Max, NrTicks, t);
  if (ShortTicks) AddMinors(Min, Max, t);
  const bool decades = Logarithmic && Min > 0 && Max > 0 && std::isfinite(Min) && std::isfinite(Max) &&
                       std::fabs(std::log10(Max / Min)) >= 1;
  if (decades)
    AddDecadeMajors(Min, Max, t);
  else
    AddLinearMajors(Max, t);
  return t;
}

// [labels] -------------------------------------------------------------------------------
String MeterLabelText(double Value, Integer DecPlaces) { return FormatReal(1, DecPlaces, Value); }

}  // namespace jox
