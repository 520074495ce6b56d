// Tick values and labels of the meter's scale: the 1-2-5 step rule, minor ticks between the
// majors, decades of a logarithmic scale and the label text. Pure arithmetic on the range.
#pragma once

#include <vector>

#include "package/framework/base/types.h"

namespace jox {

// A major tick; only some of them carry a label (all of a linear scale, the 1, 2 and 5 of each
// decade of a logarithmic one).
struct TMeterTick {
  double Value = 0;
  bool Labelled = false;
};

struct TMeterTicks {
  double Step = 0;           // 1, 2 or 5 times a power of ten; 0 for an empty range
  Integer Subdivisions = 1;  // minor intervals per step
  double First = 0;          // lowest multiple of Step not below the minimum (less a tolerance)
  std::vector<TMeterTick> Major;
  std::vector<double> Minor;  // empty unless asked for
};

// Step, subdivisions and first labelled value for NrTicks wanted intervals of [Min, Max].
void CalcMeterStep(double Min, double Max, Integer NrTicks, TMeterTicks& Ticks);

// All ticks of a scale. Logarithmic takes effect only for a positive range; such a scale of one
// decade or more gets its majors at 1..9 times each power of ten, labelled at 1, 2 and 5.
// Minor ticks keep equal value steps on either kind of scale.
TMeterTicks CalcMeterTicks(double Min, double Max, Integer NrTicks, bool Logarithmic, bool ShortTicks);

// The text of a scale label: fixed point with DecPlaces decimals, "." as separator, no padding.
String MeterLabelText(double Value, Integer DecPlaces);

}  // namespace jox
