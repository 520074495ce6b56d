// TCanvas: the view onto a target bitmap and every drawing call, turned into raster operations.
// Sections: [view] [tools] [pixels] [lines] [shapes] [text] [copies] [handles]
#include <algorithm>
#include <cmath>

#include "package/framework/graphics/graphics.h"
#include "package/framework/base/sysutils.h"

namespace jox {

using raster::Ink;

// [view] ---------------------------------------------------------------------------------------------------
TCanvas::TCanvas() : FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>()), FFont(std::make_unique<TFont>()) {}

TCanvas::TCanvas(TBitmap* target) : TCanvas() { FTarget = target; }

TCanvas::~TCanvas() = default;

void TCanvas::SetTarget(TBitmap* target) { FTarget = target; }

void TCanvas::SetViewport(TPoint origin, const TRect& clip) {
  FOrigin = origin;
  FViewClip = clip;
  FHasViewClip = true;
}

void TCanvas::ResetViewport() {
  FOrigin = {};
  FHasViewClip = false;
}

void TCanvas::SetClipRect(const TRect& r) {
  FUserClip = r;
  FHasUserClip = true;
}

void TCanvas::ResetClipRect() { FHasUserClip = false; }

TRect TCanvas::DeviceClip() const {
  if (!FTarget || FTarget->Empty()) return {};
  TRect c{0, 0, FTarget->Width(), FTarget->Height()};
  if (FHasViewClip) c = raster::Intersect(c, FViewClip);
  if (FHasUserClip)
    c = raster::Intersect(c, {FUserClip.Left + FOrigin.X, FUserClip.Top + FOrigin.Y, FUserClip.Right + FOrigin.X,
                              FUserClip.Bottom + FOrigin.Y});
  return c;
}

TRect TCanvas::ClipRect() const {
  const TRect c = DeviceClip();
  if (c.IsEmpty()) return {};
  return {c.Left - FOrigin.X, c.Top - FOrigin.Y, c.Right - FOrigin.X, c.Bottom - FOrigin.Y};
}

raster::Surface TCanvas::Surface() const {
  raster::Surface s;
  if (FTarget) {
    s.bits = FTarget->Bits();
    s.width = FTarget->Width();
    s.height = FTarget->Height();
  }
  return s;
}

// [tools] --------------------------------------------------------------------------------------------------
Integer TCanvas::SetStretchBltMode(Integer mode) {
  if (mode < BLACKONWHITE || mode > HALFTONE) return 0;
  const Integer old = FStretchMode;
  FStretchMode = mode;
  return old;
}

Ink TCanvas::PenInk() const {
  Ink k;
  k.pixel = ColorToPixel(ColorToRGB(FPen->Color()));
  k.mode = FPen->Mode();
  return k;
}

Ink TCanvas::BrushInk(bool withPenMode) const {
  Ink k;
  k.pixel = ColorToPixel(ColorToRGB(FBrush->Color()));
  k.mode = withPenMode ? FPen->Mode() : pmCopy;
  k.hatch = FBrush->Style();
  return k;
}

raster::LinePen TCanvas::LinePen() const {
  raster::LinePen p;
  p.ink = PenInk();
  p.width = FPen->Width();
  p.style = FPen->Style() == psInsideFrame ? psSolid : FPen->Style();
  p.opaqueGaps = FBrush->Style() == bsSolid;
  p.gapInk = BrushInk(true);
  p.gapInk.hatch = bsSolid;
  return p;
}

// [pixels] -------------------------------------------------------------------------------------------------
TColor TCanvas::Pixels(Integer x, Integer y) const {
  const TPoint d{x + FOrigin.X, y + FOrigin.Y};
  if (!DeviceClip().Contains(d)) return 0xFFFFFFFF;
  return PixelToColor(FTarget->ScanLine(d.Y)[d.X]);
}

void TCanvas::SetPixels(Integer x, Integer y, TColor c) {
  const TPoint d{x + FOrigin.X, y + FOrigin.Y};
  if (!DeviceClip().Contains(d)) return;
  FTarget->ScanLine(d.Y)[d.X] = ColorToPixel(ColorToRGB(c));
  Changed();
}

// [lines] --------------------------------------------------------------------------------------------------
void TCanvas::MoveTo(Integer x, Integer y) {
  FPenPos = {x, y};
  FDash = {};
}

void TCanvas::LineTo(Integer x, Integer y) {
  const TRect clip = DeviceClip();
  if (!clip.IsEmpty())
    raster::DrawLine(Surface(), clip, FPenPos.X + FOrigin.X, FPenPos.Y + FOrigin.Y, x + FOrigin.X, y + FOrigin.Y,
                     LinePen(), FDash, false);
  FPenPos = {x, y};
  Changed();
}

void TCanvas::Polyline(const TPoint* pts, Integer count) {
  if (!pts || count < 2) return;
  const TRect clip = DeviceClip();
  if (clip.IsEmpty()) return;
  const raster::LinePen pen = LinePen();
  raster::DashState dash;
  const raster::Surface s = Surface();
  for (Integer i = 1; i < count; ++i)
    raster::DrawLine(s, clip, pts[i - 1].X + FOrigin.X, pts[i - 1].Y + FOrigin.Y, pts[i].X + FOrigin.X,
                     pts[i].Y + FOrigin.Y, pen, dash, false);
  Changed();
}

void TCanvas::Polygon(const TPoint* pts, Integer count, bool winding) {
  if (!pts || count < 1) return;
  const TRect clip = DeviceClip();
  if (clip.IsEmpty()) return;
  const raster::Surface s = Surface();
  std::vector<TPoint> dev(pts, pts + count);
  for (TPoint& p : dev) p = {p.X + FOrigin.X, p.Y + FOrigin.Y};
  if (FBrush->Style() != bsClear) raster::FillPolygon(s, clip, dev.data(), count, winding, BrushInk(true));
  if (FPen->Style() != psClear) {
    const raster::LinePen pen = LinePen();
    raster::DashState dash;
    if (count == 1) {
      raster::DrawLine(s, clip, dev[0].X, dev[0].Y, dev[0].X, dev[0].Y, pen, dash, true);
    } else {
      for (Integer i = 0; i < count; ++i) {
        const TPoint a = dev[size_t(i)], b = dev[size_t((i + 1) % count)];
        raster::DrawLine(s, clip, a.X, a.Y, b.X, b.Y, pen, dash, false);
      }
    }
  }
  Changed();
}

// [shapes] -------------------------------------------------------------------------------------------------
void TCanvas::Shape(const raster::RoundBox& rb) {
  const TRect clip = DeviceClip();
  if (clip.IsEmpty() || rb.box.IsEmpty()) return;
  const raster::Surface s = Surface();
  const bool fill = FBrush->Style() != bsClear;
  const Ink brush = BrushInk(true);
  const TPenStyle ps = FPen->Style();
  if (ps == psClear) {
    if (fill) raster::DrawRoundBox(s, clip, rb, 0, nullptr, &brush);
    return;
  }
  const bool dashed = FPen->Width() == 1 && ps != psSolid && ps != psInsideFrame;
  if (dashed && rb.cw == 0 && rb.ch == 0) {
    // A dashed frame runs round the box as one closed line; the inside is filled first.
    const TRect& b = rb.box;
    if (fill) raster::FillRect(s, clip, {b.Left + 1, b.Top + 1, b.Right - 1, b.Bottom - 1}, brush);
    const raster::LinePen pen = LinePen();
    raster::DashState dash;
    const TPoint c[5] = {{b.Left, b.Top}, {b.Right - 1, b.Top}, {b.Right - 1, b.Bottom - 1}, {b.Left, b.Bottom - 1},
                         {b.Left, b.Top}};
    for (int i = 0; i < 4; ++i) raster::DrawLine(s, clip, c[i].X, c[i].Y, c[i + 1].X, c[i + 1].Y, pen, dash, false);
    if (b.Width() == 1 || b.Height() == 1)
      raster::DrawLine(s, clip, c[0].X, c[0].Y, c[0].X, c[0].Y, pen, dash, true);
    return;
  }
  const Ink pen = PenInk();
  raster::DrawRoundBox(s, clip, rb, FPen->Width(), &pen, fill ? &brush : nullptr);
}

namespace {

TRect DeviceBox(Integer x1, Integer y1, Integer x2, Integer y2, TPoint o) {
  return raster::Normalized({x1 + o.X, y1 + o.Y, x2 + o.X, y2 + o.Y});
}

}  // namespace

void TCanvas::Rectangle(Integer x1, Integer y1, Integer x2, Integer y2) {
  raster::RoundBox rb;
  rb.box = DeviceBox(x1, y1, x2, y2, FOrigin);
  Shape(rb);
  Changed();
}

void TCanvas::RoundRect(Integer x1, Integer y1, Integer x2, Integer y2, Integer x3, Integer y3) {
  raster::RoundBox rb;
  rb.box = DeviceBox(x1, y1, x2, y2, FOrigin);
  rb.cw = std::abs(x3);
  rb.ch = std::abs(y3);
  Shape(rb);
  Changed();
}

void TCanvas::Ellipse(Integer x1, Integer y1, Integer x2, Integer y2) {
  raster::RoundBox rb;
  rb.box = DeviceBox(x1, y1, x2, y2, FOrigin);
  rb.cw = rb.box.Width();
  rb.ch = rb.box.Height();
  Shape(rb);
  Changed();
}

void TCanvas::ArcShape(Integer x1, Integer y1, Integer x2, Integer y2, Integer x3, Integer y3, Integer x4, Integer y4,
                       raster::ArcPart part) {
  const TRect clip = DeviceClip();
  raster::RoundBox rb;
  rb.box = DeviceBox(x1, y1, x2, y2, FOrigin);
  rb.cw = rb.box.Width();
  rb.ch = rb.box.Height();
  if (clip.IsEmpty() || rb.box.IsEmpty()) return;
  const raster::ArcGeometry g =
      raster::MakeArc(rb.box, x3 + FOrigin.X, y3 + FOrigin.Y, x4 + FOrigin.X, y4 + FOrigin.Y);
  const raster::LinePen pen = LinePen();
  const Ink brush = BrushInk(true);
  const bool fill = part != raster::ArcPart::Arc && FBrush->Style() != bsClear;
  raster::DrawArcShape(Surface(), clip, rb, g, part, FPen->Style() == psClear ? nullptr : &pen,
                       fill ? &brush : nullptr);
}

void TCanvas::Arc(Integer x1, Integer y1, Integer x2, Integer y2, Integer x3, Integer y3, Integer x4, Integer y4) {
  if (FPen->Style() != psClear) ArcShape(x1, y1, x2, y2, x3, y3, x4, y4, raster::ArcPart::Arc);
  Changed();
}

void TCanvas::Pie(Integer x1, Integer y1, Integer x2, Integer y2, Integer x3, Integer y3, Integer x4, Integer y4) {
  ArcShape(x1, y1, x2, y2, x3, y3, x4, y4, raster::ArcPart::Pie);
  Changed();
}

void TCanvas::Chord(Integer x1, Integer y1, Integer x2, Integer y2, Integer x3, Integer y3, Integer x4, Integer y4) {
  ArcShape(x1, y1, x2, y2, x3, y3, x4, y4, raster::ArcPart::Chord);
  Changed();
}

void TCanvas::FillRect(const TRect& r) {
  if (FBrush->Style() == bsClear) return;
  const TRect clip = DeviceClip();
  if (clip.IsEmpty()) return;
  raster::FillRect(Surface(), clip, {r.Left + FOrigin.X, r.Top + FOrigin.Y, r.Right + FOrigin.X, r.Bottom + FOrigin.Y},
                   BrushInk(false));
  Changed();
}

void TCanvas::FrameRect(const TRect& r) {
  if (FBrush->Style() == bsClear || r.IsEmpty()) return;
  const TRect clip = DeviceClip();
  if (clip.IsEmpty()) return;
  const raster::Surface s = Surface();
  const Ink k = BrushInk(false);
  const TRect d{r.Left + FOrigin.X, r.Top + FOrigin.Y, r.Right + FOrigin.X, r.Bottom + FOrigin.Y};
  raster::FillRect(s, clip, {d.Left, d.Top, d.Right, d.Top + 1}, k);
  raster::FillRect(s, clip, {d.Left, d.Bottom - 1, d.Right, d.Bottom}, k);
  raster::FillRect(s, clip, {d.Left, d.Top + 1, d.Left + 1, d.Bottom - 1}, k);
  raster::FillRect(s, clip, {d.Right - 1, d.Top + 1, d.Right, d.Bottom - 1}, k);
  Changed();
}

void TCanvas::DrawFocusRect(const TRect& r) {
  const TRect clip = DeviceClip();
  if (clip.IsEmpty() || r.IsEmpty()) return;
  const raster::Surface s = Surface();
  const TRect d{r.Left + FOrigin.X, r.Top + FOrigin.Y, r.Right + FOrigin.X, r.Bottom + FOrigin.Y};
  // Every other pixel of the frame inverted, on a checkerboard fixed to the target.
  auto flip = [&](Integer x, Integer y) {
    if (((x + y) & 1) == 0 && clip.Contains({x, y})) s.Row(y)[x] ^= 0xFFFFFF;
  };
  for (Integer x = d.Left; x < d.Right; ++x) {
    flip(x, d.Top);
    if (d.Bottom - 1 > d.Top) flip(x, d.Bottom - 1);
  }
  for (Integer y = d.Top + 1; y < d.Bottom - 1; ++y) {
    flip(d.Left, y);
    if (d.Right - 1 > d.Left) flip(d.Right - 1, y);
  }
  Changed();
}

void TCanvas::FloodFill(Integer x, Integer y, TColor c, TFillStyle style) {
  if (FBrush->Style() == bsClear) return;
  const TRect clip = DeviceClip();
  if (clip.IsEmpty()) return;
  raster::FloodFill(Surface(), clip, x + FOrigin.X, y + FOrigin.Y, ColorToPixel(ColorToRGB(c)), style == fsSurface,
                    BrushInk(false));
  Changed();
}

// [text] ---------------------------------------------------------------------------------------------------
const fonts::SizedFont* TCanvas::SizedFont() {
  fonts::FontKey key;
  key.family = ToUtf8(FFont->Name());
  key.height = FFont->Height();
  const TFontStyles st = FFont->Style();
  key.bold = st & fsBold;
  key.italic = st & fsItalic;
  key.underline = st & fsUnderline;
  key.strikeOut = st & fsStrikeOut;
  key.mono = FFont->Quality() == fqNonAntialiased;
  key.escapement = FFont->Orientation() % 3600;
  if (!FSizedFont || !(key == FFontKey)) {
    FFontKey = key;
    FSizedFont = fonts::Acquire(key);
  }
  return FSizedFont;
}

void TCanvas::TextOut(Integer x, Integer y, const String& text) {
  const fonts::SizedFont* f = SizedFont();
  const Integer w = fonts::TextWidth(f, text);
  const TRect clip = DeviceClip();
  if (!clip.IsEmpty()) {
    const raster::Surface s = Surface();
    const Integer dx = x + FOrigin.X, dy = y + FOrigin.Y;
    if (FBrush->Style() == bsSolid && w > 0) {
      const Ink bg = raster::SolidInk(ColorToPixel(ColorToRGB(FBrush->Color())));
      if (FFontKey.escapement == 0) {
        raster::FillRect(s, clip, {dx, dy, dx + w, dy + fonts::GetMetrics(f).height}, bg);
      } else {
        double q[8];
        fonts::CellCorners(f, dx, dy, w, q);
        raster::FillPolygonF(s, clip, q, 4, bg);
      }
    }
    fonts::DrawString(f, s, clip, dx, dy, text, ColorToPixel(ColorToRGB(FFont->Color())));
  }
  FPenPos = {x + w, y};
  Changed();
}

void TCanvas::TextRect(const TRect& rect, Integer x, Integer y, const String& text) {
  const bool hadClip = FHasUserClip;
  const TRect saved = FUserClip;
  TRect r = rect;
  if (hadClip) r = raster::Intersect(r, saved);
  if (r.IsEmpty()) return;
  if (FBrush->Style() == bsSolid) {
    const TRect clip = DeviceClip();
    raster::FillRect(Surface(), clip, {r.Left + FOrigin.X, r.Top + FOrigin.Y, r.Right + FOrigin.X, r.Bottom + FOrigin.Y},
                     raster::SolidInk(ColorToPixel(ColorToRGB(FBrush->Color()))));
  }
  SetClipRect(r);
  const TBrushStyle bs = FBrush->Style();
  // The rectangle is already filled: draw the text without its own background.
  FBrush->SetStyle(bsClear);
  TextOut(x, y, text);
  FBrush->SetStyle(bs);
  FUserClip = saved;
  FHasUserClip = hadClip;
}

Integer TCanvas::TextWidth(const String& text) { return fonts::TextWidth(SizedFont(), text); }
Integer TCanvas::TextHeight(const String& text) { return fonts::GetMetrics(SizedFont()).height; }
TSize TCanvas::TextExtent(const String& text) { return {TextWidth(text), TextHeight(text)}; }

namespace {

// Removes '&' prefixes ("&&" keeps one); returns the index of the underlined character or -1.
String StripPrefix(const String& s, Integer& underline) {
  String out;
  underline = -1;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == u'&' && i + 1 < s.size()) {
      ++i;
      if (s[i] != u'&') underline = Integer(out.size());
    }
    out += s[i];
  }
  return out;
}

}  // namespace

namespace {
// The lines DrawText shows: one line, or paragraphs broken at words to fit avail, shortened with "..."
// when asked to.
template <class Width>
std::vector<String> LayoutLines(const String& t, Cardinal flags, Integer avail, const Width& width) {
  std::vector<String> lines;
  if (flags & DT_SINGLELINE) {
    String one;
    for (char16_t c : t) if (c != u'\r' && c != u'\n') one += c;
    lines.push_back(one);
  } else {
    auto flush = [&](const String& p) {
      if (!(flags & DT_WORDBREAK) || width(p) <= avail) {
        lines.push_back(p);
        return;
      }
      String line;
      size_t i = 0;
      while (i < p.size()) {
        size_t j = i;
        while (j < p.size() && p[j] != u' ') ++j;
        const String word = p.substr(i, j - i);
        const String trial = line.empty() ? word : line + u" " + word;
        if (!line.empty() && width(trial) > avail) {
          lines.push_back(line);
          line = word;
        } else {
          line = trial;
        }
        i = j < p.size() ? j + 1 : j;
      }
      lines.push_back(line);
    };
    String para;
    for (char16_t c : t) {
      if (c == u'\r') continue;
      if (c == u'\n') { flush(para); para.clear(); continue; }
      para += c;
    }
    flush(para);
  }
  if ((flags & DT_END_ELLIPSIS) && avail > 0)
    for (String& l : lines) {
      if (width(l) <= avail) continue;
      while (!l.empty() && width(l + u"...") > avail) l.pop_back();
      l += u"...";
    }
  return lines;
}
}  // namespace

Integer TCanvas::DrawText(const String& text, TRect& rect, Cardinal flags) {
  Integer underline = -1;
  String t = (flags & DT_NOPREFIX) ? text : StripPrefix(text, underline);
  if (flags & DT_EXPANDTABS) t = StringReplaceAll(t, u"\t", u"        ");
  const Integer lh = TextHeight(u"");
  const Integer avail = rect.Width();
  const std::vector<String> lines =
      LayoutLines(t, flags, avail, [this](const String& s) { return TextWidth(s); });
  Integer maxW = 0;
  for (const String& l : lines) maxW = std::max(maxW, TextWidth(l));
  const Integer h = lh * Integer(lines.size());
  if (flags & DT_CALCRECT) {
    rect.Right = rect.Left + maxW;
    rect.Bottom = rect.Top + h;
    return h;
  }
  Integer y = rect.Top;
  if (flags & DT_SINGLELINE) {
    if (flags & DT_VCENTER) y = rect.Top + (rect.Height() - lh) / 2;
    else if (flags & DT_BOTTOM) y = rect.Bottom - lh;
  }
  const bool hadClip = FHasUserClip;
  const TRect saved = FUserClip;
  if (!(flags & DT_NOCLIP)) SetClipRect(hadClip ? raster::Intersect(rect, saved) : rect);
  const TPoint pen = FPenPos;
  for (size_t i = 0; i < lines.size(); ++i, y += lh) {
    const Integer w = TextWidth(lines[i]);
    Integer x = rect.Left;
    if (flags & DT_CENTER) x = rect.Left + (rect.Width() - w) / 2;
    else if (flags & DT_RIGHT) x = rect.Right - w;
    TextOut(x, y, lines[i]);
    if (i == 0 && underline >= 0 && size_t(underline) < lines[0].size() && lines.size() == 1) {
      const Integer ux = x + TextWidth(lines[0].substr(0, size_t(underline)));
      const Integer uw = TextWidth(lines[0].substr(size_t(underline), 1));
      const Integer uy = y + fonts::GetMetrics(SizedFont()).ascent + 1;
      const TRect clip = DeviceClip();
      raster::FillRect(Surface(), clip, {ux + FOrigin.X, uy + FOrigin.Y, ux + uw + FOrigin.X, uy + 1 + FOrigin.Y},
                       raster::SolidInk(ColorToPixel(ColorToRGB(FFont->Color()))));
    }
  }
  FPenPos = pen;
  FUserClip = saved;
  FHasUserClip = hadClip;
  return h;
}

// [copies] -------------------------------------------------------------------------------------------------
bool TCanvas::StretchBlt(Integer dx, Integer dy, Integer dw, Integer dh, TCanvas* src, Integer sx, Integer sy,
                         Integer sw, Integer sh, Cardinal rop) {
  const TRect clip = DeviceClip();
  if (clip.IsEmpty()) return true;
  const raster::Surface d = Surface();
  const uint32_t pat = ColorToPixel(ColorToRGB(FBrush->Color()));
  const Byte code = Byte((rop >> 16) & 0xFF);
  const bool needsSource = ((code >> 2) & 0x33) != (code & 0x33);
  if (!needsSource) {  // pattern and destination only: no source needed
    raster::Surface none;
    TRect r = raster::Normalized({dx + FOrigin.X, dy + FOrigin.Y, dx + dw + FOrigin.X, dy + dh + FOrigin.Y});
    r = raster::Intersect(r, clip);
    for (Integer y = r.Top; y < r.Bottom; ++y) {
      uint32_t* row = d.Row(y);
      for (Integer x = r.Left; x < r.Right; ++x) row[x] = raster::Rop3(code, pat, 0, row[x]);
    }
    Changed();
    return true;
  }
  if (!src || !src->FTarget || src->FTarget->Empty()) return false;
  raster::Surface s = src->Surface();
  TRect area = src->DeviceClip();
  Integer ssx = sx + src->FOrigin.X, ssy = sy + src->FOrigin.Y;
  // Stretching within one bitmap reads from a copy, so no source pixel is read after being written.
  std::vector<uint32_t> copy;
  const bool sameSize = std::abs(dw) == std::abs(sw) && std::abs(dh) == std::abs(sh) && dw > 0 && sw > 0 && dh > 0 && sh > 0;
  if (s.bits == d.bits && !sameSize) {
    const TRect a = area;
    copy.resize(size_t(a.Width()) * size_t(a.Height()));
    for (Integer y = a.Top; y < a.Bottom; ++y)
      std::copy_n(s.Row(y) + a.Left, a.Width(), copy.begin() + ptrdiff_t(size_t(y - a.Top) * size_t(a.Width())));
    s.bits = copy.data();
    s.width = a.Width();
    s.height = a.Height();
    ssx -= a.Left;
    ssy -= a.Top;
    area = {0, 0, a.Width(), a.Height()};
  }
  raster::StretchBlt(d, clip, dx + FOrigin.X, dy + FOrigin.Y, dw, dh, s, area, ssx, ssy, sw, sh, rop, pat,
                     FStretchMode);
  Changed();
  return true;
}

bool TCanvas::BitBlt(Integer dx, Integer dy, Integer w, Integer h, TCanvas* src, Integer sx, Integer sy, Cardinal rop) {
  return StretchBlt(dx, dy, w, h, src, sx, sy, w, h, rop);
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Source, const TRect& SourceRect) {
  StretchBlt(Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), Source, SourceRect.Left, SourceRect.Top,
             SourceRect.Width(), SourceRect.Height(), FCopyMode);
}

void TCanvas::Draw(Integer x, Integer y, TGraphic* g) {
  if (!g || g->Empty()) return;
  g->Draw(this, {x, y, x + g->Width(), y + g->Height()});
}

void TCanvas::StretchDraw(const TRect& r, TGraphic* g) {
  if (!g || g->Empty()) return;
  g->Draw(this, r);
}

// [handles] ------------------------------------------------------------------------------------------------
namespace {
TCanvas* FromHandle(HDC dc) { return reinterpret_cast<TCanvas*>(dc); }
}  // namespace

Integer SetStretchBltMode(HDC dc, Integer mode) { return dc ? FromHandle(dc)->SetStretchBltMode(mode) : 0; }
Integer GetStretchBltMode(HDC dc) { return dc ? FromHandle(dc)->StretchBltMode() : 0; }

bool StretchBlt(HDC dest, Integer dx, Integer dy, Integer dw, Integer dh, HDC src, Integer sx, Integer sy, Integer sw,
                Integer sh, Cardinal rop) {
  if (!dest) return false;
  return FromHandle(dest)->StretchBlt(dx, dy, dw, dh, src ? FromHandle(src) : nullptr, sx, sy, sw, sh, rop);
}

bool BitBlt(HDC dest, Integer dx, Integer dy, Integer w, Integer h, HDC src, Integer sx, Integer sy, Cardinal rop) {
  if (!dest) return false;
  return FromHandle(dest)->BitBlt(dx, dy, w, h, src ? FromHandle(src) : nullptr, sx, sy, rop);
}

}  // namespace jox
