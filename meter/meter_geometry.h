// Dial geometry of the meter: the sweep, centre and radius of each layout, the scale fraction of a
// value and the drawing angle that follows from it.
#pragma once

#include <cstdint>

#include "package/framework/base/types.h"

namespace jox {

// The number in the name is the sweep of the scale in degrees. Ordinals are stored in forms.
enum TMeterLayout : uint8_t { mlCirc90, mlCirc120, mlCirc180, mlCirc270, mlCirc300, mlCirc360 };

struct TMeterGeometry {
  Integer Angle = 90;   // sweep A in degrees
  double Radius = 0;    // scale radius R in pixels; nothing is drawn when it is not positive
  Integer CenterX = 0;  // centre of the scale in control pixels
  Integer CenterY = 0;
};

// Centre and radius that keep scale, labels and hub inside the rims of a Width x Height control.
// mlCirc90/120/180 stand the centre 8 pixels above the bottom rim; mlCirc270/300/360 hang the
// circle 8 pixels below the top rim. AnchorSize is the hub radius, which mlCirc270 and mlCirc360
// keep above the bottom rim too.
TMeterGeometry CalcMeterGeometry(TMeterLayout Layout, Integer Width, Integer Height, Integer RimTop,
                                 Integer RimBottom, Integer RimSide, Integer AnchorSize);

// Position of V on the scale, 0 at Min and 1 at Max. The logarithmic form needs a positive value
// and range; otherwise, and for an empty or broken range (0 then), the linear form is used.
double MeterFraction(double V, double Min, double Max, bool Logarithmic);

// Drawing angle in degrees (counter-clockwise from the positive x axis, y up) of a scale fraction.
inline double MeterTheta(const TMeterGeometry& G, double Fraction) {
  return G.Angle / 2.0 + 90 - G.Angle * Fraction;
}

// Nearest integer, halves to even, kept within +-65536 (NaN gives 0): wild sizes or offsets reach
// the canvas as far-off coordinates that cost nothing to clip, never as integer overflow.
Integer RoundPix(double V);

}  // namespace jox
