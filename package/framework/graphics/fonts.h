// The font engine behind TFont and TCanvas text: classic face names mapped through a fixed alias table,
// fontconfig for the rest, DejaVu Sans as the last resort; a character the chosen font lacks (CJK,
// symbols) comes from the font fontconfig finds for it; FreeType rendering with grayscale anti-aliasing
// or monochrome, a glyph cache, and text rotated about its starting point.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "package/framework/graphics/raster.h"
#include "package/framework/base/types.h"

namespace jox::fonts {

// What a logical font asks for.
struct FontKey {
  std::string family = "Tahoma";  // UTF-8, as named by the application
  Integer height = -11;           // < 0 character height in pixels, > 0 cell height, 0 a default
  bool bold = false, italic = false, underline = false, strikeOut = false;
  bool mono = false;              // monochrome (non-antialiased) rendering
  Integer escapement = 0;         // tenths of a degree, counter-clockwise
  friend bool operator==(const FontKey&, const FontKey&) = default;
};

struct Metrics {
  Integer ascent = 0, descent = 0;  // the cell is ascent + descent high; the baseline lies ascent below its top
  Integer height = 0;
  Integer underlinePos = 0, underlineThickness = 1;  // offsets below the baseline
  Integer strikePos = 0, strikeThickness = 1;        // offset above the baseline
};

class SizedFont;  // one face at one size, with its glyph cache; owned by the engine, lives to the end

// The file the alias table or fontconfig chooses for a family (the engine's resolution, for tests).
std::string ResolveFile(const std::string& family, bool bold, bool italic);
// Alias-table target of a classic name ("Tahoma" -> "Liberation Sans"), or the name itself.
std::string AliasOf(const std::string& family);

const SizedFont* Acquire(const FontKey& key);
const Metrics& GetMetrics(const SizedFont* f);
// Advance width of the unrotated text in pixels.
Integer TextWidth(const SizedFont* f, std::u16string_view text);
// Draws text in `pixel` with its cell's top-left at (x, y) of the surface, rotated by the font's
// escapement about that point; underline and strike-out included. Returns the pen advance (dx, dy).
TPoint DrawString(const SizedFont* f, const raster::Surface& s, const TRect& clip, Integer x, Integer y,
                  std::u16string_view text, uint32_t pixel);
// The four corners of the rotated text cell (x, y) .. width x height, as x0 y0 x1 y1 ...
void CellCorners(const SizedFont* f, Integer x, Integer y, Integer width, double out[8]);
// Glyph count cached so far (for tests of the cache).
size_t CachedGlyphCount();
// Fontconfig searches made so far for characters a font lacks: one per character and style, however
// often it is drawn.
size_t FallbackLookupCount();

}  // namespace jox::fonts
