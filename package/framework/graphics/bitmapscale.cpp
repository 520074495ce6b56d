// Area-average resizing of glyph bitmaps.
#include "package/framework/graphics/bitmapscale.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace jox {

namespace {
// How much of source cell i ([i, i + 1)) the destination cell [a, b) covers.
double Overlap(Integer i, double a, double b) { return std::max(0.0, std::min<double>(i + 1, b) - std::max<double>(i, a)); }
}  // namespace

void ScaleBitmap(TBitmap* Bitmap, double Scale, TColor Key) {
  const Integer sw = Bitmap->Width(), sh = Bitmap->Height();
  if (Scale == 1 || sw <= 0 || sh <= 0 || !(Scale > 0)) return;
  const Integer dw = std::max(1, Integer(std::lround(sw * Scale))), dh = std::max(1, Integer(std::lround(sh * Scale)));
  std::vector<uint32_t> src(size_t(sw) * size_t(sh));
  for (Integer y = 0; y < sh; ++y) std::copy_n(Bitmap->ScanLine(y), sw, src.begin() + ptrdiff_t(y) * sw);
  const bool keyed = Key != clNone;
  const uint32_t key = keyed ? ColorToPixel(ColorToRGB(Key)) & 0xFFFFFF : 0;
  const double fx = double(sw) / dw, fy = double(sh) / dh;
  Bitmap->SetSize(dw, dh);
  for (Integer y = 0; y < dh; ++y) {
    const double y0 = y * fy, y1 = (y + 1) * fy;
    uint32_t* row = Bitmap->ScanLine(y);
    for (Integer x = 0; x < dw; ++x) {
      const double x0 = x * fx, x1 = (x + 1) * fx;
      double sum[4] = {0, 0, 0, 0}, weight = 0, keyWeight = 0;
      uint32_t keyPixel = 0;
      for (Integer sy = Integer(y0); sy < std::min<Integer>(sh, Integer(std::ceil(y1))); ++sy) {
        const double wy = Overlap(sy, y0, y1);
        for (Integer sx = Integer(x0); sx < std::min<Integer>(sw, Integer(std::ceil(x1))); ++sx) {
          const double w = wy * Overlap(sx, x0, x1);
          const uint32_t p = src[size_t(sy) * size_t(sw) + size_t(sx)];
          if (keyed && (p & 0xFFFFFF) == key) {
            keyWeight += w;
            keyPixel = p;  // as stored, whatever its top byte
            continue;
          }
          for (int c = 0; c < 4; ++c) sum[c] += w * double((p >> (8 * c)) & 0xFF);
          weight += w;
        }
      }
      if (weight <= keyWeight) {
        row[x] = keyPixel;
        continue;
      }
      uint32_t p = 0;
      for (int c = 0; c < 4; ++c) p |= uint32_t(std::lround(sum[c] / weight)) << (8 * c);
      row[x] = p;
    }
  }
}

}  // namespace jox
