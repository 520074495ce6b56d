// Sections: [geometry] [ink] [spans] [lines] [shapes] [polygons] [flood fill]
// (copies and stretching live in raster_copy.cpp)
#include "package/framework/graphics/raster.h"

#include <algorithm>
#include <cstring>
#include <cmath>

namespace jox::raster {

// [geometry] -----------------------------------------------------------------------------------------------
TRect Intersect(const TRect& a, const TRect& b) {
  TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
          std::min(a.Bottom, b.Bottom)};
  if (r.Right <= r.Left || r.Bottom <= r.Top) return {};
  return r;
}

TRect Normalized(TRect r) {
  if (r.Left > r.Right) std::swap(r.Left, r.Right);
  if (r.Top > r.Bottom) std::swap(r.Top, r.Bottom);
  return r;
}

// [ink] ----------------------------------------------------------------------------------------------------
Ink SolidInk(uint32_t pixel) {
  Ink k;
  k.pixel = pixel;
  return k;
}

uint32_t Combine(TPenMode mode, uint32_t d, uint32_t p) {
  uint32_t r;
  switch (mode) {
    case pmBlack: r = 0; break;
    case pmWhite: r = 0xFFFFFF; break;
    case pmNop: r = d; break;
    case pmNot: r = ~d; break;
    case pmCopy: r = p; break;
    case pmNotCopy: r = ~p; break;
    case pmMergePenNot: r = p | ~d; break;
    case pmMaskPenNot: r = p & ~d; break;
    case pmMergeNotPen: r = ~p | d; break;
    case pmMaskNotPen: r = ~p & d; break;
    case pmMerge: r = p | d; break;
    case pmNotMerge: r = ~(p | d); break;
    case pmMask: r = p & d; break;
    case pmNotMask: r = ~(p & d); break;
    case pmXor: r = p ^ d; break;
    case pmNotXor: r = ~(p ^ d); break;
    default: r = p; break;
  }
  return r & 0xFFFFFF;
}

bool HatchHit(TBrushStyle hatch, Integer x, Integer y) {
  const Integer hx = x & 7, hy = y & 7;
  switch (hatch) {
    case bsHorizontal: return hy == 0;
    case bsVertical: return hx == 0;
    case bsFDiagonal: return ((x - y) & 7) == 0;
    case bsBDiagonal: return ((x + y) & 7) == 0;
    case bsCross: return hx == 0 || hy == 0;
    case bsDiagCross: return ((x - y) & 7) == 0 || ((x + y) & 7) == 0;
    default: return true;
  }
}

// [spans] --------------------------------------------------------------------------------------------------
void FillSpan(const Surface& s, const TRect& clip, Integer y, Integer x0, Integer x1, const Ink& ink) {
  if (y < clip.Top || y >= clip.Bottom) return;
  x0 = std::max(x0, clip.Left);
  x1 = std::min(x1, clip.Right);
  if (x0 >= x1) return;
  uint32_t* row = s.Row(y);
  const bool hatched = ink.hatch != bsSolid && ink.hatch != bsClear;
  if (!hatched && ink.mode == pmCopy) {
    // Long spans grow by copying what is already filled: memcpy is vectorised where a fill loop may not be.
    const Integer n = x1 - x0;
    const Integer seed = std::min<Integer>(n, 32);
    std::fill(row + x0, row + x0 + seed, ink.pixel);
    for (Integer done = seed; done < n;) {
      const Integer chunk = std::min(done, n - done);
      std::memcpy(row + x0 + done, row + x0, size_t(chunk) * sizeof(uint32_t));
      done += chunk;
    }
    return;
  }
  if (!hatched && ink.mode == pmNop) return;
  for (Integer x = x0; x < x1; ++x) {
    if (hatched && !HatchHit(ink.hatch, x, y)) continue;
    row[x] = Combine(ink.mode, row[x], ink.pixel);
  }
}

void FillRect(const Surface& s, const TRect& clip, const TRect& r, const Ink& ink) {
  const TRect c = Intersect(clip, r);
  for (Integer y = c.Top; y < c.Bottom; ++y) FillSpan(s, c, y, c.Left, c.Right, ink);
}

void PutPixel(const Surface& s, const TRect& clip, Integer x, Integer y, const Ink& ink) {
  if (x < clip.Left || x >= clip.Right || y < clip.Top || y >= clip.Bottom) return;
  uint32_t& p = s.Row(y)[x];
  p = Combine(ink.mode, p, ink.pixel);
}

// [lines] --------------------------------------------------------------------------------------------------
namespace {

// On/off run lengths of the dash styles, in pixels.
struct DashPattern {
  const Integer* runs;
  Integer count;
  Integer period;
};

DashPattern PatternOf(TPenStyle st) {
  static const Integer dash[] = {18, 6}, dot[] = {3, 3}, dashDot[] = {9, 6, 3, 6},
                       dashDotDot[] = {9, 3, 3, 3, 3, 3};
  switch (st) {
    case psDash: return {dash, 2, 24};
    case psDot: return {dot, 2, 6};
    case psDashDot: return {dashDot, 4, 24};
    case psDashDotDot: return {dashDotDot, 6, 24};
    default: return {nullptr, 0, 0};
  }
}

bool DashOn(const DashPattern& p, Integer index) {
  Integer k = index % p.period;
  for (Integer i = 0; i < p.count; ++i) {
    if (k < p.runs[i]) return (i & 1) == 0;
    k -= p.runs[i];
  }
  return true;
}

// Row offsets of a round stamp of diameter w centred on a pixel.
struct Stamp {
  Integer w = 0;
  std::vector<Integer> half;  // per row dy = -r0 .. : [lo, hi) offsets
  std::vector<Integer> lo, hi;
  Integer top = 0;
};

Stamp MakeStamp(Integer w) {
  Stamp st;
  st.w = w;
  st.top = -(w - 1) / 2;
  const double c = (w - 1) / 2.0, r = w / 2.0;
  for (Integer i = 0; i < w; ++i) {
    const double dy = i - c;
    const double hw = std::sqrt(std::max(0.0, r * r - dy * dy));
    Integer x0 = Integer(std::ceil(c - hw - 0.5 + 1e-9)), x1 = w - x0;
    if (x1 <= x0) { x0 = Integer(c); x1 = x0 + 1; }
    st.lo.push_back(x0 + st.top);
    st.hi.push_back(x1 + st.top);
  }
  return st;
}

void StampAt(const Surface& s, const TRect& clip, const Stamp& st, Integer x, Integer y, const Ink& ink) {
  for (Integer i = 0; i < st.w; ++i) FillSpan(s, clip, y + st.top + i, x + st.lo[i], x + st.hi[i], ink);
}

}  // namespace

void DrawLine(const Surface& s, const TRect& clip, Integer x0, Integer y0, Integer x1, Integer y1,
              const LinePen& pen, DashState& dash, bool includeEnd) {
  if (pen.style == psClear) return;
  const Integer dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
  const Integer sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  const Integer steps = std::max(dx, dy) + (includeEnd ? 1 : 0);
  if (steps == 0) return;
  // A cheap reject: lines entirely outside the clip (with the pen's reach) draw nothing.
  const Integer reach = pen.width;
  if (std::max(x0, x1) + reach < clip.Left || std::min(x0, x1) - reach >= clip.Right ||
      std::max(y0, y1) + reach < clip.Top || std::min(y0, y1) - reach >= clip.Bottom) {
    dash.index += steps;
    return;
  }
  const DashPattern pat = PatternOf(pen.width == 1 ? pen.style : psSolid);
  Stamp stamp;
  if (pen.width > 1) stamp = MakeStamp(pen.width);
  // Horizontal solid one-pixel lines are common (frames): fill them as spans.
  if (dy == 0 && pen.width == 1 && !pat.runs) {
    const Integer a = sx > 0 ? x0 : x0 - steps + 1, b = a + steps;
    FillSpan(s, clip, y0, a, b, pen.ink);
    return;
  }
  Integer err = (dx > dy ? dx : -dy) / 2, x = x0, y = y0;
  // An upright or level line (the sides of frames) steps only through what the clip can show, so a
  // line reaching far off the surface costs what its visible part costs.
  Integer first = 0, last = steps;
  if (dx == 0 || dy == 0) {
    const int64_t p0 = dx == 0 ? y0 : x0, dir = dx == 0 ? sy : sx;
    const int64_t lo = int64_t(dx == 0 ? clip.Top : clip.Left) - reach;
    const int64_t hi = int64_t(dx == 0 ? clip.Bottom : clip.Right) + reach;
    const int64_t a = dir > 0 ? lo - p0 : p0 - hi + 1, b = dir > 0 ? hi - p0 : p0 - lo + 1;
    first = Integer(std::clamp<int64_t>(a, 0, steps));
    last = Integer(std::clamp<int64_t>(b, first, steps));
    if (dx == 0) y = Integer(y0 + dir * first);
    else x = Integer(x0 + dir * first);
    if (pat.runs) dash.index += first;
  }
  for (Integer i = first; i < last; ++i) {
    bool on = true;
    if (pat.runs) on = DashOn(pat, dash.index++);
    if (on) {
      if (pen.width > 1) StampAt(s, clip, stamp, x, y, pen.ink);
      else PutPixel(s, clip, x, y, pen.ink);
    } else if (pen.opaqueGaps) {
      PutPixel(s, clip, x, y, pen.gapInk);
    }
    const Integer e2 = err;
    if (e2 > -dx) { err -= dy; x += sx; }
    if (e2 < dy) { err += dx; y += sy; }
  }
  if (pat.runs) dash.index += steps - last;
}

// [shapes] -------------------------------------------------------------------------------------------------
bool RoundBox::Span(Integer y, Integer& x0, Integer& x1) const {
  if (y < box.Top || y >= box.Bottom || box.Right <= box.Left) return false;
  const double W = box.Width(), H = box.Height();
  const double a = std::min<double>(cw, W) / 2.0, b = std::min<double>(ch, H) / 2.0;
  const double yc = (y - box.Top) + 0.5;
  double dy = 0;
  if (yc < b) dy = b - yc;
  else if (yc > H - b) dy = yc - (H - b);
  Integer inset = 0;
  if (dy > 0 && a > 0 && b > 0) {
    const double t = dy / b;
    const double dx = a * std::sqrt(std::max(0.0, 1.0 - t * t));
    inset = Integer(std::ceil(a - dx - 0.5 - 1e-9));
  }
  x0 = box.Left + inset;
  x1 = box.Right - inset;
  return x1 > x0;
}

RoundBox RoundBox::Inset(Integer d) const {
  RoundBox r;
  r.box = {box.Left + d, box.Top + d, box.Right - d, box.Bottom - d};
  r.cw = std::max(0, cw - 2 * d);
  r.ch = std::max(0, ch - 2 * d);
  return r;
}

void DrawRoundBox(const Surface& s, const TRect& clip, const RoundBox& rb, Integer penWidth, const Ink* penInk,
                  const Ink* fillInk) {
  const TRect c = Intersect(clip, rb.box);
  if (c.IsEmpty()) return;
  const RoundBox in = penInk ? rb.Inset(penWidth) : rb;
  for (Integer y = c.Top; y < c.Bottom; ++y) {
    Integer ox0, ox1;
    if (!rb.Span(y, ox0, ox1)) continue;
    Integer ix0, ix1;
    const bool inner = in.box.Width() > 0 && in.box.Height() > 0 && in.Span(y, ix0, ix1);
    if (!penInk) {
      if (fillInk) FillSpan(s, c, y, ox0, ox1, *fillInk);
      continue;
    }
    if (!inner) {
      FillSpan(s, c, y, ox0, ox1, *penInk);
      continue;
    }
    FillSpan(s, c, y, ox0, ix0, *penInk);
    FillSpan(s, c, y, ix1, ox1, *penInk);
    if (fillInk) FillSpan(s, c, y, ix0, ix1, *fillInk);
  }
}

ArcGeometry MakeArc(const TRect& box, Integer x3, Integer y3, Integer x4, Integer y4) {
  ArcGeometry g;
  g.cx = (box.Left + box.Right - 1) / 2.0;
  g.cy = (box.Top + box.Bottom - 1) / 2.0;
  g.sx = x3 - g.cx;
  g.sy = -(y3 - g.cy);
  g.ex = x4 - g.cx;
  g.ey = -(y4 - g.cy);
  if (g.sx == 0 && g.sy == 0) g.sx = 1;
  if (g.ex == 0 && g.ey == 0) g.ex = 1;
  const double cross = g.sx * g.ey - g.sy * g.ex, dot = g.sx * g.ex + g.sy * g.ey;
  g.full = std::fabs(cross) < 1e-12 && dot > 0;
  const double a = std::max(0.0, (box.Width() - 1) / 2.0), b = std::max(0.0, (box.Height() - 1) / 2.0);
  auto onEllipse = [&](double vx, double vy) {
    const double q = (a > 0 ? (vx / a) * (vx / a) : 0) + (b > 0 ? (vy / b) * (vy / b) : 0);
    const double t = q > 0 ? 1.0 / std::sqrt(q) : 0;
    return TPoint{Integer(std::lround(g.cx + vx * t)), Integer(std::lround(g.cy - vy * t))};
  };
  g.startPt = onEllipse(g.sx, g.sy);
  g.endPt = onEllipse(g.ex, g.ey);
  return g;
}

bool ArcGeometry::InSweep(Integer x, Integer y) const {
  if (full) return true;
  const double px = x - cx, py = -(y - cy);
  const double cse = sx * ey - sy * ex;
  const double csp = sx * py - sy * px, cpe = px * ey - py * ex;
  if (cse > 0) return csp >= 0 && cpe >= 0;
  if (cse < 0) return csp >= 0 || cpe >= 0;
  // Opposite rays: the half on the counter-clockwise side of the start ray.
  return csp >= 0;
}

bool ArcGeometry::InChord(Integer x, Integer y) const {
  if (full) return true;
  // A counter-clockwise arc bulges to the right of its chord startPt -> endPt (seen on screen, y down).
  const double ux = endPt.X - startPt.X, uy = endPt.Y - startPt.Y;
  const double vx = x - startPt.X, vy = y - startPt.Y;
  return ux * vy - uy * vx >= 0;
}

void DrawArcShape(const Surface& s, const TRect& clip, const RoundBox& rb, const ArcGeometry& g, ArcPart part,
                  const LinePen* pen, const Ink* fillInk) {
  const TRect c = Intersect(clip, rb.box);
  if (c.IsEmpty()) return;
  const Integer pw = pen ? pen->width : 0;
  const RoundBox in = rb.Inset(pw);
  auto keep = [&](Integer x, Integer y) { return part == ArcPart::Chord ? g.InChord(x, y) : g.InSweep(x, y); };
  auto spanMasked = [&](Integer y, Integer x0, Integer x1, const Ink& ink, bool chordSide) {
    x0 = std::max(x0, c.Left);
    x1 = std::min(x1, c.Right);
    Integer run = x0;
    for (Integer x = x0; x <= x1; ++x) {
      const bool k = x < x1 && (chordSide ? keep(x, y) : g.InSweep(x, y));
      if (!k) {
        if (x > run) FillSpan(s, c, y, run, x, ink);
        run = x + 1;
      }
    }
  };
  for (Integer y = c.Top; y < c.Bottom; ++y) {
    Integer ox0, ox1, ix0 = 0, ix1 = 0;
    if (!rb.Span(y, ox0, ox1)) continue;
    const bool inner = pen && in.box.Width() > 0 && in.box.Height() > 0 && in.Span(y, ix0, ix1);
    if (fillInk && part != ArcPart::Arc) {
      if (!pen) spanMasked(y, ox0, ox1, *fillInk, true);
      else if (inner) spanMasked(y, ix0, ix1, *fillInk, true);
    }
    if (pen && pen->style != psClear) {
      if (inner) {
        spanMasked(y, ox0, ix0, pen->ink, false);
        spanMasked(y, ix1, ox1, pen->ink, false);
      } else {
        spanMasked(y, ox0, ox1, pen->ink, false);
      }
    }
  }
  if (!pen || pen->style == psClear || g.full) return;
  DashState dash;
  const Integer cx = Integer(std::lround(std::floor(g.cx))), cy = Integer(std::lround(std::floor(g.cy)));
  if (part == ArcPart::Pie) {
    DrawLine(s, clip, cx, cy, g.startPt.X, g.startPt.Y, *pen, dash, true);
    DrawLine(s, clip, cx, cy, g.endPt.X, g.endPt.Y, *pen, dash, true);
  } else if (part == ArcPart::Chord) {
    DrawLine(s, clip, g.startPt.X, g.startPt.Y, g.endPt.X, g.endPt.Y, *pen, dash, true);
  }
}

// [polygons] -----------------------------------------------------------------------------------------------
namespace {

struct Edge {
  double x0, y0, x1, y1;
  int dir;
};

void FillEdges(const Surface& s, const TRect& clip, std::vector<Edge>& edges, bool winding, const Ink& ink) {
  if (edges.empty()) return;
  double ymin = edges[0].y0, ymax = edges[0].y1;
  for (const Edge& e : edges) {
    ymin = std::min(ymin, e.y0);
    ymax = std::max(ymax, e.y1);
  }
  const Integer yStart = std::max<Integer>(clip.Top, Integer(std::floor(ymin)));
  const Integer yEnd = std::min<Integer>(clip.Bottom, Integer(std::ceil(ymax)) + 1);
  std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.y0 < b.y0; });
  std::vector<std::pair<double, int>> xs;
  size_t firstActive = 0;
  for (Integer y = yStart; y < yEnd; ++y) {
    const double yc = y + 0.5;
    xs.clear();
    for (size_t i = firstActive; i < edges.size(); ++i) {
      const Edge& e = edges[i];
      if (e.y0 > yc) break;
      if (yc < e.y0 || yc >= e.y1) continue;
      const double x = e.x0 + (yc - e.y0) * (e.x1 - e.x0) / (e.y1 - e.y0);
      xs.push_back({x, e.dir});
    }
    if (xs.size() < 2) continue;
    std::sort(xs.begin(), xs.end());
    int wind = 0;
    for (size_t i = 0; i + 1 < xs.size(); ++i) {
      wind = winding ? wind + xs[i].second : (wind ^ 1);
      if (wind == 0) continue;
      const Integer a = Integer(std::ceil(xs[i].first - 0.5)), b = Integer(std::ceil(xs[i + 1].first - 0.5));
      FillSpan(s, clip, y, a, b, ink);
    }
  }
}

void AddEdge(std::vector<Edge>& edges, double x0, double y0, double x1, double y1) {
  if (y0 == y1) return;
  if (y0 < y1) edges.push_back({x0, y0, x1, y1, 1});
  else edges.push_back({x1, y1, x0, y0, -1});
}

}  // namespace

void FillPolygon(const Surface& s, const TRect& clip, const TPoint* pts, Integer n, bool winding, const Ink& ink) {
  if (n < 3) return;
  std::vector<Edge> edges;
  edges.reserve(size_t(n));
  // Vertices sit on pixel centres, as the outline the pen draws through them.
  for (Integer i = 0; i < n; ++i) {
    const TPoint a = pts[i], b = pts[(i + 1) % n];
    AddEdge(edges, a.X + 0.5, a.Y + 0.5, b.X + 0.5, b.Y + 0.5);
  }
  FillEdges(s, clip, edges, winding, ink);
}

void FillPolygonF(const Surface& s, const TRect& clip, const double* xy, Integer n, const Ink& ink) {
  if (n < 3) return;
  std::vector<Edge> edges;
  for (Integer i = 0; i < n; ++i) {
    const Integer j = (i + 1) % n;
    AddEdge(edges, xy[2 * i], xy[2 * i + 1], xy[2 * j], xy[2 * j + 1]);
  }
  FillEdges(s, clip, edges, true, ink);
}

// [flood fill] ---------------------------------------------------------------------------------------------
void FloodFill(const Surface& s, const TRect& clip, Integer x, Integer y, uint32_t colour, bool surfaceMode,
               const Ink& ink) {
  if (x < clip.Left || x >= clip.Right || y < clip.Top || y >= clip.Bottom) return;
  const Integer w = clip.Width(), h = clip.Height();
  // Visited marks keep the fill finite whatever the ink does to the pixels (xor, hatches, same colour).
  std::vector<uint8_t> seen(size_t(w) * size_t(h), 0);
  auto inside = [&](Integer px, Integer py) {
    if (seen[size_t(py - clip.Top) * w + (px - clip.Left)]) return false;
    const uint32_t p = s.Row(py)[px] & 0xFFFFFF;
    return surfaceMode ? p == colour : p != colour;
  };
  std::vector<TPoint> stack;
  stack.push_back({x, y});
  while (!stack.empty()) {
    const TPoint p = stack.back();
    stack.pop_back();
    if (!inside(p.X, p.Y)) continue;
    Integer l = p.X, r = p.X;
    while (l > clip.Left && inside(l - 1, p.Y)) --l;
    while (r + 1 < clip.Right && inside(r + 1, p.Y)) ++r;
    uint8_t* mark = &seen[size_t(p.Y - clip.Top) * w];
    for (Integer i = l; i <= r; ++i) mark[i - clip.Left] = 1;
    for (Integer ny : {p.Y - 1, p.Y + 1}) {
      if (ny < clip.Top || ny >= clip.Bottom) continue;
      bool inRun = false;
      for (Integer i = l; i <= r; ++i) {
        const bool in = inside(i, ny);
        if (in && !inRun) stack.push_back({i, ny});
        inRun = in;
      }
    }
  }
  for (Integer py = clip.Top; py < clip.Bottom; ++py) {
    const uint8_t* mark = &seen[size_t(py - clip.Top) * w];
    Integer i = 0;
    while (i < w) {
      if (!mark[i]) { ++i; continue; }
      Integer j = i;
      while (j < w && mark[j]) ++j;
      FillSpan(s, clip, py, clip.Left + i, clip.Left + j, ink);
      i = j;
    }
  }
}

}  // namespace jox::raster
