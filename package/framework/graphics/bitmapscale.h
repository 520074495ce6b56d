// Bitmaps drawn for 96 dpi shown at a larger scale.
#pragma once

#include "package/framework/graphics/graphics.h"

namespace jox {

// Resizes Bitmap to Scale times its size (rounded, at least 1 x 1). Each new pixel is the average of the
// source area it covers, so a whole scale repeats pixels (sharp) and 1.5 blends only where pixels meet.
// Pixels of Key (a transparent colour; clNone for none) stay out of the averages, and a new pixel
// mostly over them stays Key, so a transparent picture gets no blended fringe.
void ScaleBitmap(TBitmap* Bitmap, double Scale, TColor Key = clNone);

}  // namespace jox
