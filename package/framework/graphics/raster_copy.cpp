// Raster-operation copies, stretching (nearest and area average) and coverage blending.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "package/framework/graphics/raster.h"

namespace jox::raster {

uint32_t Rop3(Byte rop, uint32_t p, uint32_t s, uint32_t d) {
  uint32_t r = 0;
  for (int i = 0; i < 8; ++i) {
    if (!((rop >> i) & 1)) continue;
    r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
  }
  return r & 0xFFFFFF;
}

namespace {

// One row of a raster operation; the common codes get a loop of their own.
void RopRow(uint32_t* d, const uint32_t* s, Integer n, Cardinal rop, uint32_t p) {
  switch (rop) {
    case 0x00CC0020: std::memmove(d, s, size_t(n) * 4); return;                            // SRCCOPY
    case 0x008800C6: for (Integer i = 0; i < n; ++i) d[i] &= s[i]; return;                 // SRCAND
    case 0x00EE0086: for (Integer i = 0; i < n; ++i) d[i] |= s[i]; return;                 // SRCPAINT
    case 0x00660046: for (Integer i = 0; i < n; ++i) d[i] ^= s[i]; return;                 // SRCINVERT
    case 0x00330008: for (Integer i = 0; i < n; ++i) d[i] = ~s[i] & 0xFFFFFF; return;      // NOTSRCCOPY
    case 0x00440328: for (Integer i = 0; i < n; ++i) d[i] = s[i] & ~d[i] & 0xFFFFFF; return;  // SRCERASE
    case 0x001100A6: for (Integer i = 0; i < n; ++i) d[i] = ~(s[i] | d[i]) & 0xFFFFFF; return;  // NOTSRCERASE
    case 0x00C000CA: for (Integer i = 0; i < n; ++i) d[i] = s[i] & p; return;              // MERGECOPY
    case 0x00BB0226: for (Integer i = 0; i < n; ++i) d[i] = (~s[i] | d[i]) & 0xFFFFFF; return;  // MERGEPAINT
    case 0x00F00021: std::fill(d, d + n, p); return;                                      // PATCOPY
    case 0x005A0049: for (Integer i = 0; i < n; ++i) d[i] ^= p; return;                    // PATINVERT
    case 0x00550009: for (Integer i = 0; i < n; ++i) d[i] = ~d[i] & 0xFFFFFF; return;      // DSTINVERT
    case 0x00000042: std::fill(d, d + n, 0u); return;                                     // BLACKNESS
    case 0x00FF0062: std::fill(d, d + n, 0xFFFFFFu); return;                              // WHITENESS
    default: break;
  }
  const Byte code = Byte((rop >> 16) & 0xFF);
  for (Integer i = 0; i < n; ++i) d[i] = Rop3(code, p, s[i], d[i]);
}

}  // namespace

void Blit(const Surface& dst, const TRect& clip, Integer dx, Integer dy, Integer w, Integer h, const Surface& src,
          const TRect& srcArea, Integer sx, Integer sy, Cardinal rop, uint32_t pat) {
  if (w <= 0 || h <= 0) return;
  // Cut the source to what may be read, then the destination to the clip, moving both together.
  const TRect sa = Intersect(srcArea, src.Bounds());
  TRect s = Intersect({sx, sy, sx + w, sy + h}, sa);
  TRect d{dx + (s.Left - sx), dy + (s.Top - sy), dx + (s.Right - sx), dy + (s.Bottom - sy)};
  const TRect dc = Intersect(d, clip);
  if (dc.IsEmpty() || s.IsEmpty()) return;
  const Integer ox = dc.Left - d.Left, oy = dc.Top - d.Top;
  const Integer cw = dc.Width(), chh = dc.Height();
  const Integer srcX = s.Left + ox, srcY = s.Top + oy;
  // Rows overlap when copying within one surface: go bottom-up when moving down.
  const bool same = dst.bits == src.bits;
  if (same && dc.Top > srcY) {
    for (Integer j = chh - 1; j >= 0; --j)
      RopRow(dst.Row(dc.Top + j) + dc.Left, src.Row(srcY + j) + srcX, cw, rop, pat);
    return;
  }
  if (same && rop != 0x00CC0020 && dc.Top == srcY && dc.Left > srcX) {
    std::vector<uint32_t> tmp(static_cast<size_t>(cw));
    for (Integer j = 0; j < chh; ++j) {
      std::memcpy(tmp.data(), src.Row(srcY + j) + srcX, size_t(cw) * 4);
      RopRow(dst.Row(dc.Top + j) + dc.Left, tmp.data(), cw, rop, pat);
    }
    return;
  }
  for (Integer j = 0; j < chh; ++j) RopRow(dst.Row(dc.Top + j) + dc.Left, src.Row(srcY + j) + srcX, cw, rop, pat);
}

namespace {

// Area-average weights: for each destination index, the source indices it covers and their shares
// (in 1/65536), summing to 65536.
struct Taps {
  std::vector<Integer> first, count;
  std::vector<uint32_t> weight;  // flattened
  std::vector<size_t> offset;
};

Taps AreaTaps(Integer dn, Integer sn) {
  Taps t;
  const double scale = double(sn) / dn;
  for (Integer i = 0; i < dn; ++i) {
    double a = i * scale, b = (i + 1) * scale;
    if (b - a < 1.0) {  // enlarging: a one-pixel window around the sample point blends neighbours
      const double c = (a + b) / 2;
      a = c - 0.5;
      b = c + 0.5;
    }
    Integer f = Integer(std::floor(a)), l = Integer(std::ceil(b)) - 1;
    t.offset.push_back(t.weight.size());
    std::vector<double> ws;
    for (Integer k = f; k <= l; ++k) {
      const double lo = std::max(a, double(k)), hi = std::min(b, double(k + 1));
      ws.push_back(std::max(0.0, hi - lo));
    }
    double sum = 0;
    for (double w : ws) sum += w;
    uint32_t acc = 0;
    for (size_t k = 0; k < ws.size(); ++k) {
      uint32_t w = k + 1 == ws.size() ? 65536 - acc : uint32_t(std::lround(ws[k] / sum * 65536));
      if (w > 65536 - acc) w = 65536 - acc;
      acc += w;
      t.weight.push_back(w);
    }
    t.first.push_back(f);
    t.count.push_back(Integer(ws.size()));
  }
  return t;
}

}  // namespace

void StretchBlt(const Surface& dst, const TRect& clip, Integer dx, Integer dy, Integer dw, Integer dh,
                const Surface& src, const TRect& srcArea, Integer sx, Integer sy, Integer sw, Integer sh,
                Cardinal rop, uint32_t pat, Integer mode) {
  if (dw == 0 || dh == 0 || sw == 0 || sh == 0) return;
  // Mirroring: a negative size covers (x + w, x]; flip so both sizes are positive with a mirror flag.
  bool mirrorX = false, mirrorY = false;
  if (dw < 0) { dx = dx + dw + 1; dw = -dw; mirrorX = !mirrorX; }
  if (dh < 0) { dy = dy + dh + 1; dh = -dh; mirrorY = !mirrorY; }
  if (sw < 0) { sx = sx + sw + 1; sw = -sw; mirrorX = !mirrorX; }
  if (sh < 0) { sy = sy + sh + 1; sh = -sh; mirrorY = !mirrorY; }
  const TRect sa = Intersect(srcArea, src.Bounds());
  if (sa.IsEmpty()) return;
  if (dw == sw && dh == sh && !mirrorX && !mirrorY) {
    Blit(dst, clip, dx, dy, dw, dh, src, sa, sx, sy, rop, pat);
    return;
  }
  const TRect dc = Intersect({dx, dy, dx + dw, dy + dh}, clip);
  if (dc.IsEmpty()) return;
  const Integer cw = dc.Width(), chh = dc.Height();
  auto clampX = [&](Integer x) { return std::clamp(x, sa.Left, sa.Right - 1); };
  auto clampY = [&](Integer y) { return std::clamp(y, sa.Top, sa.Bottom - 1); };
  // Destination index i (0-based in the full destination) maps to source offset m(i) before mirroring.
  auto mapX = [&](Integer i) { return mirrorX ? dw - 1 - i : i; };
  auto mapY = [&](Integer j) { return mirrorY ? dh - 1 - j : j; };
  std::vector<uint32_t> row(static_cast<size_t>(cw));
  if (mode != 4) {
    std::vector<Integer> colOf(static_cast<size_t>(cw));
    for (Integer i = 0; i < cw; ++i) {
      const Integer di = mapX(dc.Left - dx + i);
      colOf[size_t(i)] = clampX(sx + Integer((int64_t(2 * di + 1) * sw) / (2 * int64_t(dw))));
    }
    for (Integer j = 0; j < chh; ++j) {
      const Integer dj = mapY(dc.Top - dy + j);
      const uint32_t* srow = src.Row(clampY(sy + Integer((int64_t(2 * dj + 1) * sh) / (2 * int64_t(dh)))));
      for (Integer i = 0; i < cw; ++i) row[size_t(i)] = srow[colOf[size_t(i)]];
      RopRow(dst.Row(dc.Top + j) + dc.Left, row.data(), cw, rop, pat);
    }
    return;
  }
  // HALFTONE: separable box filter over the covered source area.
  const Taps tx = AreaTaps(dw, sw), ty = AreaTaps(dh, sh);
  // Full-precision sums: the weights of each axis add up to exactly 65536, so equal pixels
  // average to themselves at every ratio (a flat colour stays flat).
  std::vector<uint64_t> acc(size_t(cw) * 3);
  std::vector<Integer> colIndex(static_cast<size_t>(cw));
  for (Integer i = 0; i < cw; ++i) colIndex[size_t(i)] = mapX(dc.Left - dx + i);
  for (Integer j = 0; j < chh; ++j) {
    const Integer dj = mapY(dc.Top - dy + j);
    std::fill(acc.begin(), acc.end(), uint64_t(0));
    const size_t yo = ty.offset[size_t(dj)];
    for (Integer k = 0; k < ty.count[size_t(dj)]; ++k) {
      const uint32_t wy = ty.weight[yo + size_t(k)];
      if (!wy) continue;
      const uint32_t* srow = src.Row(clampY(sy + ty.first[size_t(dj)] + k));
      for (Integer i = 0; i < cw; ++i) {
        const Integer di = colIndex[size_t(i)];
        const size_t xo = tx.offset[size_t(di)];
        uint32_t r = 0, g = 0, b = 0;  // at most 255 * 65536: fits
        for (Integer q = 0; q < tx.count[size_t(di)]; ++q) {
          const uint32_t p = srow[clampX(sx + tx.first[size_t(di)] + q)], w = tx.weight[xo + size_t(q)];
          r += ((p >> 16) & 0xFF) * w;
          g += ((p >> 8) & 0xFF) * w;
          b += (p & 0xFF) * w;
        }
        acc[3 * size_t(i)] += uint64_t(r) * wy;
        acc[3 * size_t(i) + 1] += uint64_t(g) * wy;
        acc[3 * size_t(i) + 2] += uint64_t(b) * wy;
      }
    }
    for (Integer i = 0; i < cw; ++i) {
      constexpr uint64_t kHalf = uint64_t(1) << 31;
      const uint32_t r = uint32_t(std::min<uint64_t>(255, (acc[3 * size_t(i)] + kHalf) >> 32));
      const uint32_t g = uint32_t(std::min<uint64_t>(255, (acc[3 * size_t(i) + 1] + kHalf) >> 32));
      const uint32_t b = uint32_t(std::min<uint64_t>(255, (acc[3 * size_t(i) + 2] + kHalf) >> 32));
      row[size_t(i)] = (r << 16) | (g << 8) | b;
    }
    RopRow(dst.Row(dc.Top + j) + dc.Left, row.data(), cw, rop, pat);
  }
}

void BlendMask(const Surface& dst, const TRect& clip, Integer x, Integer y, const uint8_t* alpha, Integer w,
               Integer h, Integer pitch, uint32_t pixel) {
  const TRect c = Intersect(clip, {x, y, x + w, y + h});
  if (c.IsEmpty()) return;
  const uint32_t pr = (pixel >> 16) & 0xFF, pg = (pixel >> 8) & 0xFF, pb = pixel & 0xFF;
  for (Integer py = c.Top; py < c.Bottom; ++py) {
    const uint8_t* a = alpha + size_t(py - y) * size_t(pitch) + size_t(c.Left - x);
    uint32_t* d = dst.Row(py) + c.Left;
    for (Integer i = 0, n = c.Width(); i < n; ++i) {
      const uint32_t k = a[i];
      if (k == 0) continue;
      if (k == 255) { d[i] = pixel; continue; }
      const uint32_t q = d[i];
      const uint32_t r = (q >> 16) & 0xFF, g = (q >> 8) & 0xFF, b = q & 0xFF;
      auto mix = [k](uint32_t from, uint32_t to) { return (from * (255 - k) + to * k + 127) / 255; };
      d[i] = (mix(r, pr) << 16) | (mix(g, pg) << 8) | mix(b, pb);
    }
  }
}

}  // namespace jox::raster
