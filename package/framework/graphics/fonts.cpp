// Sections: [faces] [sizes] [glyphs] [text]
#include "package/framework/graphics/fonts.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

namespace jox::fonts {

namespace {

constexpr const char* kLastResortFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

std::string Lower(std::string s) {
  for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// [faces] --------------------------------------------------------------------------------------------------
struct Face {
  FT_Face face = nullptr;
  bool synthBold = false, synthItalic = false;
  Integer activeEm = 0;
  Integer winAscent = 0, winDescent = 0, upem = 1;
};

struct Engine {
  FT_Library lib = nullptr;
  bool fcReady = false;
  std::map<std::string, std::unique_ptr<Face>> faces;  // by file + index + synthesis
  std::map<std::string, std::pair<std::string, int>> resolved;  // family|b|i -> file, index
  // Per missing character (and bold, italic): the face that has it, nullptr when none has.
  std::unordered_map<uint64_t, Face*> fallbacks;
  size_t fallbackLookups = 0;
  std::vector<std::unique_ptr<SizedFont>> sized;
  size_t glyphs = 0;
  Engine() {
    FT_Init_FreeType(&lib);
    fcReady = FcInit() != 0;
  }
  ~Engine() {
    sized.clear();
    for (auto& f : faces) if (f.second->face) FT_Done_Face(f.second->face);
    if (lib) FT_Done_FreeType(lib);
  }
};

Engine& E() {
  static Engine e;
  return e;
}

}  // namespace

std::string AliasOf(const std::string& family) {
  static const std::map<std::string, std::string> kAliases = {
      {"tahoma", "Liberation Sans"},          {"ms sans serif", "Liberation Sans"},
      {"segoe ui", "Liberation Sans"},        {"arial", "Liberation Sans"},
      {"helvetica", "Liberation Sans"},       {"times new roman", "Liberation Serif"},
      {"courier new", "Liberation Mono"},
  };
  auto it = kAliases.find(Lower(family));
  return it == kAliases.end() ? family : it->second;
}

namespace {

// Asks fontconfig; empty when it has nothing at all.
std::pair<std::string, int> Match(const std::string& family, bool bold, bool italic, bool& gotBold, bool& gotItalic) {
  gotBold = gotItalic = false;
  if (!E().fcReady) return {};
  FcPattern* pat = FcPatternCreate();
  FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pat, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pat, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pat, FcMatchPattern);
  FcDefaultSubstitute(pat);
  FcResult res;
  FcPattern* m = FcFontMatch(nullptr, pat, &res);
  std::pair<std::string, int> out;
  if (m) {
    FcChar8* file = nullptr;
    int index = 0, weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
    if (FcPatternGetString(m, FC_FILE, 0, &file) == FcResultMatch && file) {
      FcPatternGetInteger(m, FC_INDEX, 0, &index);
      FcPatternGetInteger(m, FC_WEIGHT, 0, &weight);
      FcPatternGetInteger(m, FC_SLANT, 0, &slant);
      out = {reinterpret_cast<const char*>(file), index};
      gotBold = weight >= FC_WEIGHT_DEMIBOLD;
      gotItalic = slant != FC_SLANT_ROMAN;
    }
    FcPatternDestroy(m);
  }
  FcPatternDestroy(pat);
  return out;
}

Face* LoadFace(std::pair<std::string, int> file, bool synthB, bool synthI) {
  Engine& e = E();
  const std::string key = file.first + "#" + std::to_string(file.second) + (synthB ? "B" : "") + (synthI ? "I" : "");
  auto it = e.faces.find(key);
  if (it != e.faces.end()) return it->second.get();
  auto f = std::make_unique<Face>();
  if (FT_New_Face(e.lib, file.first.c_str(), file.second, &f->face) != 0) {
    f->face = nullptr;
    FT_New_Face(e.lib, kLastResortFile, 0, &f->face);
  }
  f->synthBold = synthB;
  f->synthItalic = synthI;
  if (f->face) {
    f->upem = std::max<Integer>(1, f->face->units_per_EM);
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(f->face, FT_SFNT_OS2));
    if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
      f->winAscent = os2->usWinAscent;
      f->winDescent = os2->usWinDescent;
    } else {
      f->winAscent = f->face->ascender;
      f->winDescent = -f->face->descender;
    }
  }
  Face* raw = f.get();
  e.faces.emplace(key, std::move(f));
  return raw;
}

Face* FaceFor(const std::string& family, bool bold, bool italic) {
  const std::string want = AliasOf(family);
  bool gotBold = false, gotItalic = false;
  auto file = Match(want, bold, italic, gotBold, gotItalic);
  if (file.first.empty()) file = {kLastResortFile, 0};
  return LoadFace(file, bold && !gotBold, italic && !gotItalic);
}

// A face that has the character cp, for text whose own font lacks it: fontconfig's best match for the
// family with cp in its character set. Asked once per character and style; nullptr when no font has it.
Face* FallbackFace(const std::string& family, bool bold, bool italic, uint32_t cp) {
  Engine& e = E();
  const uint64_t key = (uint64_t(cp) << 2) | (bold ? 1u : 0u) | (italic ? 2u : 0u);
  auto it = e.fallbacks.find(key);
  if (it != e.fallbacks.end()) return it->second;
  ++e.fallbackLookups;
  Face* found = nullptr;
  if (e.fcReady) {
    FcPattern* pat = FcPatternCreate();
    FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(AliasOf(family).c_str()));
    FcPatternAddInteger(pat, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pat, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
    FcCharSet* cs = FcCharSetCreate();
    FcCharSetAddChar(cs, cp);
    FcPatternAddCharSet(pat, FC_CHARSET, cs);
    FcConfigSubstitute(nullptr, pat, FcMatchPattern);
    FcDefaultSubstitute(pat);
    FcResult res;
    if (FcPattern* m = FcFontMatch(nullptr, pat, &res)) {
      FcChar8* file = nullptr;
      FcCharSet* has = nullptr;
      int index = 0, weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
      if (FcPatternGetString(m, FC_FILE, 0, &file) == FcResultMatch && file &&
          FcPatternGetCharSet(m, FC_CHARSET, 0, &has) == FcResultMatch && FcCharSetHasChar(has, cp)) {
        FcPatternGetInteger(m, FC_INDEX, 0, &index);
        FcPatternGetInteger(m, FC_WEIGHT, 0, &weight);
        FcPatternGetInteger(m, FC_SLANT, 0, &slant);
        Face* f = LoadFace({reinterpret_cast<const char*>(file), index}, bold && weight < FC_WEIGHT_DEMIBOLD,
                           italic && slant == FC_SLANT_ROMAN);
        if (f->face && FT_Get_Char_Index(f->face, cp) != 0) found = f;
      }
      FcPatternDestroy(m);
    }
    FcCharSetDestroy(cs);
    FcPatternDestroy(pat);
  }
  e.fallbacks.emplace(key, found);
  return found;
}

}  // namespace

std::string ResolveFile(const std::string& family, bool bold, bool italic) {
  bool gb, gi;
  auto m = Match(AliasOf(family), bold, italic, gb, gi);
  return m.first.empty() ? std::string(kLastResortFile) : m.first;
}

// [sizes] --------------------------------------------------------------------------------------------------
struct Glyph {
  Integer left = 0, top = 0, w = 0, h = 0;  // bitmap offset from the pen position, screen y down
  Integer advance = 0;                       // unrotated, whole pixels
  std::vector<uint8_t> alpha;
};

class SizedFont {
 public:
  FontKey key;
  Face* face = nullptr;
  Integer em = 11;
  Metrics metrics;
  double angle = 0;  // radians, counter-clockwise
  mutable std::unordered_map<uint32_t, Glyph> glyphs;
  // Advances of the basic plane in pages of 256, filled as characters are first measured, so measuring
  // a text is a table look-up per character instead of a hash look-up. kUnknown marks a character not
  // yet measured.
  static constexpr int32_t kUnknown = INT32_MIN;
  mutable std::array<std::unique_ptr<int32_t[]>, 256> advancePages;

  const Glyph& Get(uint32_t cp) const;
  Integer Advance(uint32_t cp) const {
    if (cp <= 0xFFFF) {
      const int32_t* page = advancePages[cp >> 8].get();
      if (page && page[cp & 0xFF] != kUnknown) return page[cp & 0xFF];
      return AdvanceSlow(cp);
    }
    return Get(cp).advance;
  }

 private:
  Integer AdvanceSlow(uint32_t cp) const;
};

namespace {

void Activate(Face* f, Integer em) {
  if (f->activeEm != em) {
    FT_Set_Pixel_Sizes(f->face, 0, FT_UInt(em));
    f->activeEm = em;
  }
}

Integer EmFor(const Face* f, Integer height) {
  if (height < 0) return std::min<Integer>(-height, 2000);
  if (height == 0) return 12;
  const double cell = double(f->winAscent + f->winDescent);
  const Integer em = Integer(std::lround(height * double(f->upem) / (cell > 0 ? cell : f->upem)));
  return std::clamp<Integer>(em, 1, 2000);
}

}  // namespace

const SizedFont* Acquire(const FontKey& key) {
  Engine& e = E();
  // The last few fonts asked for are the ones asked for again: scan newest first.
  for (auto it = e.sized.rbegin(); it != e.sized.rend(); ++it)
    if ((*it)->key == key) return it->get();
  auto sf = std::make_unique<SizedFont>();
  sf->key = key;
  sf->face = FaceFor(key.family, key.bold, key.italic);
  sf->angle = key.escapement / 10.0 * M_PI / 180.0;
  Face* f = sf->face;
  if (f && f->face) {
    sf->em = EmFor(f, key.height);
    const double k = double(sf->em) / f->upem;
    Metrics& m = sf->metrics;
    m.ascent = Integer(std::ceil(f->winAscent * k - 1e-6));
    m.descent = Integer(std::ceil(f->winDescent * k - 1e-6));
    m.height = m.ascent + m.descent;
    m.underlineThickness = std::max<Integer>(1, Integer(std::lround(f->face->underline_thickness * k)));
    m.underlinePos = std::max<Integer>(1, Integer(std::lround(-f->face->underline_position * k)));
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(f->face, FT_SFNT_OS2));
    if (os2 && os2->yStrikeoutSize > 0) {
      m.strikePos = Integer(std::lround(os2->yStrikeoutPosition * k));
      m.strikeThickness = std::max<Integer>(1, Integer(std::lround(os2->yStrikeoutSize * k)));
    } else {
      m.strikePos = m.ascent / 3;
      m.strikeThickness = m.underlineThickness;
    }
  }
  e.sized.push_back(std::move(sf));
  return e.sized.back().get();
}

const Metrics& GetMetrics(const SizedFont* f) { return f->metrics; }

size_t CachedGlyphCount() { return E().glyphs; }

size_t FallbackLookupCount() { return E().fallbackLookups; }

// [glyphs] -------------------------------------------------------------------------------------------------
namespace {

// Renders one glyph of face f with the given rotation; fills g's bitmap and offsets.
void Render(const SizedFont& sf, Face* f, uint32_t cp, double angle, Glyph& g) {
  if (!f || !f->face) return;
  Activate(f, sf.em);
  FT_Matrix m;
  const double c = std::cos(angle), s = std::sin(angle);
  // Oblique synthesis: a shear before the rotation.
  const double sh = f->synthItalic ? 0.2 : 0.0;
  m.xx = FT_Fixed(c * 65536);
  m.xy = FT_Fixed((c * sh - s) * 65536);
  m.yx = FT_Fixed(s * 65536);
  m.yy = FT_Fixed((s * sh + c) * 65536);
  const bool transformed = angle != 0 || sh != 0;
  FT_Set_Transform(f->face, transformed ? &m : nullptr, nullptr);
  const FT_UInt gi = FT_Get_Char_Index(f->face, cp);
  FT_Int32 flags = sf.key.mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_LIGHT;
  if (transformed) flags |= FT_LOAD_NO_HINTING;
  if (FT_Load_Glyph(f->face, gi, flags) != 0) {
    FT_Set_Transform(f->face, nullptr, nullptr);
    return;
  }
  FT_GlyphSlot slot = f->face->glyph;
  if (f->synthBold) FT_GlyphSlot_Embolden(slot);
  FT_Render_Glyph(slot, sf.key.mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL);
  FT_Set_Transform(f->face, nullptr, nullptr);
  const FT_Bitmap& bm = slot->bitmap;
  g.left = slot->bitmap_left;
  g.top = -slot->bitmap_top;
  g.w = Integer(bm.width);
  g.h = Integer(bm.rows);
  g.alpha.assign(size_t(g.w) * size_t(g.h), 0);
  for (Integer y = 0; y < g.h; ++y) {
    const uint8_t* src = bm.buffer + ptrdiff_t(y) * bm.pitch;
    uint8_t* dst = &g.alpha[size_t(y) * size_t(g.w)];
    if (bm.pixel_mode == FT_PIXEL_MODE_MONO) {
      for (Integer x = 0; x < g.w; ++x) dst[x] = (src[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
    } else {
      std::copy(src, src + g.w, dst);
    }
  }
  if (!transformed) g.advance = Integer((slot->advance.x + 32) >> 6);
}

}  // namespace

const Glyph& SizedFont::Get(uint32_t cp) const {
  auto it = glyphs.find(cp);
  if (it != glyphs.end()) return it->second;
  // A character the font lacks comes from a font that has it (controls and the box of the unknown stay).
  Face* from = face;
  if (from && from->face && cp >= 0x20 && FT_Get_Char_Index(from->face, cp) == 0)
    if (Face* other = FallbackFace(key.family, key.bold, key.italic, cp)) from = other;
  Glyph g;
  Render(*this, from, cp, 0, g);
  if (angle != 0) {
    Glyph r;
    Render(*this, from, cp, angle, r);
    r.advance = g.advance;
    g = std::move(r);
  }
  ++E().glyphs;
  return glyphs.emplace(cp, std::move(g)).first->second;
}

Integer SizedFont::AdvanceSlow(uint32_t cp) const {
  std::unique_ptr<int32_t[]>& page = advancePages[cp >> 8];
  if (!page) {
    page = std::make_unique<int32_t[]>(256);
    std::fill_n(page.get(), 256, kUnknown);
  }
  return page[cp & 0xFF] = Get(cp).advance;
}

// [text] ---------------------------------------------------------------------------------------------------
namespace {

template <class F>
void ForEachCodePoint(std::u16string_view t, F fn) {
  for (size_t i = 0; i < t.size(); ++i) {
    uint32_t c = t[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < t.size() && t[i + 1] >= 0xDC00 && t[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (t[i + 1] - 0xDC00);
      ++i;
    }
    fn(c);
  }
}

}  // namespace

Integer TextWidth(const SizedFont* f, std::u16string_view text) {
  // Texts of Latin-1 characters (most cell and label texts) sum their advances without a branch per
  // character: a character not measured yet holds kUnknown, which leaves the sum negative.
  const int32_t* latin = f->advancePages[0].get();
  if (latin && text.size() <= 0x8000) {
    char16_t any = 0;
    int64_t w = 0;
    for (char16_t c : text) {
      any |= c;
      w += latin[c & 0xFF];
    }
    if (any < 0x100 && w >= 0) return Integer(w);
  }
  Integer w = 0;
  ForEachCodePoint(text, [&](uint32_t c) { w += f->Advance(c); });
  return w;
}

void CellCorners(const SizedFont* f, Integer x, Integer y, Integer width, double out[8]) {
  const double c = std::cos(f->angle), s = std::sin(f->angle);
  const double h = f->metrics.height;
  // Along the text: (c, -s); down the cell: (s, c) (screen y points down).
  const double px[4] = {0, double(width), double(width), 0}, py[4] = {0, 0, h, h};
  for (int i = 0; i < 4; ++i) {
    out[2 * i] = x + px[i] * c + py[i] * s;
    out[2 * i + 1] = y - px[i] * s + py[i] * c;
  }
}

TPoint DrawString(const SizedFont* f, const raster::Surface& s, const TRect& clip, Integer x, Integer y,
                  std::u16string_view text, uint32_t pixel) {
  const Metrics& m = f->metrics;
  if (f->angle == 0) {
    Integer pen = x;
    const Integer base = y + m.ascent;
    ForEachCodePoint(text, [&](uint32_t c) {
      const Glyph& g = f->Get(c);
      if (g.w > 0 && pen + g.left < clip.Right && pen + g.left + g.w > clip.Left)
        raster::BlendMask(s, clip, pen + g.left, base + g.top, g.alpha.data(), g.w, g.h, g.w, pixel);
      pen += g.advance;
    });
    const raster::Ink ink = raster::SolidInk(pixel);
    if (f->key.underline)
      raster::FillRect(s, clip, {x, base + m.underlinePos, pen, base + m.underlinePos + m.underlineThickness}, ink);
    if (f->key.strikeOut)
      raster::FillRect(s, clip, {x, base - m.strikePos, pen, base - m.strikePos + m.strikeThickness}, ink);
    return {pen - x, 0};
  }
  const double c = std::cos(f->angle), sn = std::sin(f->angle);
  const double ox = x + m.ascent * sn, oy = y + m.ascent * c;  // baseline start
  double adv = 0;
  ForEachCodePoint(text, [&](uint32_t cp) {
    const Glyph& g = f->Get(cp);
    const Integer gx = Integer(std::lround(ox + adv * c)), gy = Integer(std::lround(oy - adv * sn));
    if (g.w > 0) raster::BlendMask(s, clip, gx + g.left, gy + g.top, g.alpha.data(), g.w, g.h, g.w, pixel);
    adv += g.advance;
  });
  auto band = [&](double off, double thick) {  // a line across the text, off below the baseline
    double q[8];
    const double along[4] = {0, adv, adv, 0}, down[4] = {off, off, off + thick, off + thick};
    for (int i = 0; i < 4; ++i) {
      q[2 * i] = ox + along[i] * c + down[i] * sn;
      q[2 * i + 1] = oy - along[i] * sn + down[i] * c;
    }
    raster::FillPolygonF(s, clip, q, 4, raster::SolidInk(pixel));
  };
  if (f->key.underline) band(m.underlinePos, m.underlineThickness);
  if (f->key.strikeOut) band(-m.strikePos, m.strikeThickness);
  return {Integer(std::lround(adv * c)), Integer(std::lround(-adv * sn))};
}

}  // namespace jox::fonts
