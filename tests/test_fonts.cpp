// Text: the alias table, metrics, the cell's top-left, opaque and clear backgrounds, rotation, quality.
#include <gtest/gtest.h>

#include "package/framework/graphics/fonts.h"
#include "package/framework/graphics/graphics.h"

using namespace jox;

namespace {

// Bounding box of the pixels that differ from `bg`.
TRect InkBox(TCanvas* c, int w, int h, TColor bg) {
  TRect r{w, h, -1, -1};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (c->Pixels(x, y) != bg) {
        r.Left = std::min(r.Left, x);
        r.Top = std::min(r.Top, y);
        r.Right = std::max(r.Right, x + 1);
        r.Bottom = std::max(r.Bottom, y + 1);
      }
  return r;
}

}  // namespace

TEST(Fonts, ClassicNamesMapThroughTheAliasTable) {
  struct Case { const char* name; const char* file; };
  const Case cases[] = {{"Tahoma", "LiberationSans-Regular"}, {"MS Sans Serif", "LiberationSans"},
                        {"Segoe UI", "LiberationSans"},      {"Arial", "LiberationSans"},
                        {"Helvetica", "LiberationSans"},     {"Times New Roman", "LiberationSerif"},
                        {"Courier New", "LiberationMono"}};
  for (const Case& k : cases)
    EXPECT_NE(fonts::ResolveFile(k.name, false, false).find(k.file), std::string::npos) << k.name;
  EXPECT_NE(fonts::ResolveFile("Arial", true, false).find("LiberationSans-Bold"), std::string::npos);
  EXPECT_FALSE(fonts::ResolveFile("No Such Font Family 123", false, false).empty());
}

TEST(Fonts, DefaultFontAndSizeHeightRelation) {
  TFont f;
  EXPECT_EQ(f.Name(), u"Tahoma");
  EXPECT_EQ(f.Size(), 8);
  EXPECT_EQ(f.Height(), -11);
  f.SetSize(12);
  EXPECT_EQ(f.Height(), -16);
  f.SetHeight(-20);
  EXPECT_EQ(f.Size(), 15);
}

TEST(Fonts, MetricsAreStableAndGrowWithSize) {
  TBitmap b(10, 10);
  TCanvas* c = b.Canvas();
  const int h8 = c->TextHeight(u"(8g]}ÜÄ§");
  EXPECT_EQ(h8, c->TextHeight(u"x"));  // the cell height, whatever the text
  EXPECT_GE(h8, 12);
  EXPECT_LE(h8, 14);
  const int w1 = c->TextWidth(u"Hello"), w2 = c->TextWidth(u"Hello Hello");
  EXPECT_EQ(w2, 2 * w1 + c->TextWidth(u" "));  // whole-pixel advances add up
  EXPECT_EQ(c->TextExtent(u"Hello"), (TSize{w1, h8}));
  EXPECT_EQ(c->TextWidth(u""), 0);
  c->Font()->SetSize(16);
  EXPECT_GT(c->TextHeight(u"x"), h8 + 6);
}

TEST(Fonts, TextCellTopLeftAtThePoint) {
  TBitmap b(80, 30);
  TCanvas* c = b.Canvas();
  c->Brush()->SetColor(clYellow);  // opaque: the whole cell is filled
  c->TextOut(10, 5, u"Wg");
  const TSize e = c->TextExtent(u"Wg");
  EXPECT_EQ(InkBox(c, 80, 30, clWhite), Rect(10, 5, 10 + e.cx, 5 + e.cy));
  EXPECT_EQ(c->PenPos(), Point(10 + e.cx, 5));
  // Clear brush: only glyph pixels, inside the cell, the tallest touching near its top.
  TBitmap t(80, 30);
  t.Canvas()->Brush()->SetStyle(bsClear);
  t.Canvas()->Font()->SetColor(clBlack);
  t.Canvas()->TextOut(10, 5, u"Wg");
  const TRect ink = InkBox(t.Canvas(), 80, 30, clWhite);
  EXPECT_GE(ink.Left, 10);
  EXPECT_GE(ink.Top, 5);
  EXPECT_LE(ink.Right, 10 + e.cx + 1);
  EXPECT_LE(ink.Bottom, 5 + e.cy);
  EXPECT_LE(ink.Top, 5 + 3);
  EXPECT_EQ(t.Canvas()->Pixels(10, 5 + e.cy - 1), clWhite);
}

TEST(Fonts, MonochromeQualityUsesOnlyTwoColours) {
  TBitmap b(60, 20);
  TCanvas* c = b.Canvas();
  c->Brush()->SetStyle(bsClear);
  c->Font()->SetColor(clBlack);
  c->Font()->SetQuality(fqNonAntialiased);
  c->TextOut(2, 2, u"Quality");
  bool grey = false, black = false;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 60; ++x) {
      const TColor p = c->Pixels(x, y);
      black |= p == clBlack;
      grey |= p != clBlack && p != clWhite;
    }
  EXPECT_TRUE(black);
  EXPECT_FALSE(grey);
  c->Font()->SetQuality(fqAntialiased);
  c->TextOut(2, 2, u"Quality");
  for (int y = 0; y < 20 && !grey; ++y)
    for (int x = 0; x < 60; ++x) grey |= c->Pixels(x, y) != clBlack && c->Pixels(x, y) != clWhite;
  EXPECT_TRUE(grey);
}

TEST(Fonts, RotatedTextTurnsCounterClockwiseAboutThePoint) {
  TBitmap b(120, 120);
  TCanvas* c = b.Canvas();
  c->Brush()->SetStyle(bsClear);
  c->Font()->SetSize(12);
  const TSize e = c->TextExtent(u"Rotated");
  TLogFont lf;
  ASSERT_EQ(GetObject(c->Font()->Handle(), sizeof lf, &lf), Integer(sizeof lf));
  lf.lfEscapement = lf.lfOrientation = 900;
  c->Font()->SetHandle(CreateFontIndirect(lf));
  EXPECT_EQ(c->Font()->Orientation(), 900);
  EXPECT_EQ(c->TextWidth(u"Rotated"), e.cx);  // measured unrotated, as the platform
  c->TextOut(50, 100, u"Rotated");
  // Upward text: it runs from y = 100 up to about 100 - width, right of x = 50 by the cell height.
  const TRect ink = InkBox(c, 120, 120, clWhite);
  EXPECT_GE(ink.Left, 49);
  EXPECT_LE(ink.Right, 50 + e.cy + 1);
  EXPECT_LE(ink.Bottom, 101);
  EXPECT_NEAR(ink.Top, 100 - e.cx, 3);
  EXPECT_GT(ink.Height(), ink.Width() * 2);
  // 180 degrees: upside down, to the left of and above the point.
  TBitmap u(120, 60);
  u.Canvas()->Brush()->SetStyle(bsClear);
  u.Canvas()->Font()->SetSize(12);
  u.Canvas()->Font()->SetOrientation(1800);
  u.Canvas()->TextOut(100, 40, u"Rotated");
  const TRect r = InkBox(u.Canvas(), 120, 60, clWhite);
  EXPECT_LE(r.Right, 101);
  EXPECT_NEAR(r.Left, 100 - e.cx, 3);
  EXPECT_LE(r.Bottom, 41);
  EXPECT_GE(r.Top, 40 - e.cy - 1);
}

TEST(Fonts, LogicalFontRoundTrip) {
  TFont f;
  f.SetName(u"Courier New");
  f.SetStyle(fsBold | fsItalic);
  f.SetHeight(-15);
  TLogFont lf;
  GetObject(f.Handle(), sizeof lf, &lf);
  EXPECT_EQ(lf.lfHeight, -15);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_EQ(lf.lfItalic, 1);
  EXPECT_EQ(String(lf.lfFaceName), u"Courier New");
  TFont g;
  g.SetHandle(CreateFontIndirect(lf));
  EXPECT_EQ(g.Name(), u"Courier New");
  EXPECT_EQ(g.Style(), fsBold | fsItalic);
  EXPECT_EQ(g.Height(), -15);
  EXPECT_EQ(GetObject(0x7FFFFFFF, sizeof lf, &lf), 0);  // unknown handle
  EXPECT_FALSE(DeleteObject(0x7FFFFFFF));
}

TEST(Fonts, GlyphsAreCachedAndThousandTextsAreFast) {
  TBitmap b(300, 30);
  TCanvas* c = b.Canvas();
  c->TextOut(0, 0, u"Twenty characters!!!");
  const size_t cached = fonts::CachedGlyphCount();
  for (int i = 0; i < 100; ++i) c->TextOut(i, 0, u"Twenty characters!!!");
  EXPECT_EQ(fonts::CachedGlyphCount(), cached);
}

TEST(Fonts, TextRectFillsAndClips) {
  TBitmap b(60, 20);
  TCanvas* c = b.Canvas();
  c->Brush()->SetColor(clYellow);
  c->TextRect(Rect(5, 2, 25, 15), 6, 2, u"A long text that does not fit");
  EXPECT_EQ(InkBox(c, 60, 20, clWhite), Rect(5, 2, 25, 15));
  EXPECT_EQ(c->Pixels(5, 14), clYellow);
}

TEST(Fonts, DrawTextMeasuresAndAligns) {
  TBitmap b(100, 40);
  TCanvas* c = b.Canvas();
  TRect r = Rect(0, 0, 100, 40);
  const int h = c->DrawText(u"&File", r, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(r.Right, c->TextWidth(u"File"));
  EXPECT_EQ(h, c->TextHeight(u"File"));
  TRect w = Rect(0, 0, 40, 100);
  c->DrawText(u"one two three four", w, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_GT(w.Bottom, h);  // wrapped onto more lines
}

namespace {

// The pixels of one string drawn black on white at 24 px, as a list of rows.
std::vector<TColor> Drawn(const String& text, const char16_t* face = u"Tahoma") {
  TBitmap b(64, 40);
  TCanvas* c = b.Canvas();
  c->Brush()->SetColor(clWhite);
  c->FillRect(Rect(0, 0, 64, 40));
  c->Font()->SetName(face);
  c->Font()->SetHeight(-24);
  c->TextOut(4, 4, text);
  std::vector<TColor> px;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 64; ++x) px.push_back(c->Pixels(x, y));
  return px;
}

int InkCount(const std::vector<TColor>& px) {
  int n = 0;
  for (TColor p : px) n += p != clWhite;
  return n;
}

}  // namespace

TEST(Fonts, CharactersTheFontLacksComeFromAFontThatHasThem) {
  // Liberation Sans has no CJK: drawn as the unknown box, every character would look the same.
  const auto sun = Drawn(u"日"), book = Drawn(u"本"), word = Drawn(u"語"), box = Drawn(u"\uE123");
  EXPECT_GT(InkCount(sun), 20);
  EXPECT_NE(sun, book);
  EXPECT_NE(book, word);
  EXPECT_NE(sun, box);
  // A symbol and a Hangul syllable too, each with ink of its own.
  EXPECT_NE(Drawn(u"한"), Drawn(u"글"));
  EXPECT_GT(InkCount(Drawn(u"한")), 20);
  // Mixed text keeps the Latin letters of the chosen font and advances past the CJK ones.
  TBitmap b(10, 10);
  b.Canvas()->Font()->SetHeight(-24);
  EXPECT_GT(b.Canvas()->TextWidth(u"ab日本"), b.Canvas()->TextWidth(u"ab") + 30);
  EXPECT_EQ(Drawn(u"A"), Drawn(u"A"));
  // One font search per missing character, however often it is drawn.
  const size_t before = fonts::FallbackLookupCount();
  for (int i = 0; i < 3; ++i) Drawn(u"日本語한글");
  EXPECT_EQ(fonts::FallbackLookupCount(), before);
  Drawn(u"\u9F98");  // not asked for yet
  EXPECT_EQ(fonts::FallbackLookupCount(), before + 1);
}

// A measured width is the pen advance of drawing the text, whatever its characters (accented and
// combining letters, CJK from a fallback font, surrogate pairs, a lone surrogate), whether it is
// measured before its glyphs were ever drawn or after.
TEST(Fonts, MeasuredWidthIsThePenAdvanceOfTheDrawnText) {
  const String texts[] = {u"Plain ASCII",       u"Gr\u00FC\u00DFe \u00A9",      u"\u65E5\u672C\u8A9E",
                          u"e\u0301a\u0308o",   u"\U0001D11E clef",              u"\U0001F600\U0001F600",
                          u"a\xD800" u"b",      u"\xDC00" u"x\xD800",            u"ab\u65E5\U0001F600c\u2014\u0100"};
  fonts::FontKey key;
  key.height = -19;  // a size no other test uses: nothing of it is cached yet
  const fonts::SizedFont* f = fonts::Acquire(key);
  std::vector<uint32_t> pixels(400 * 40);
  const raster::Surface s{pixels.data(), 400, 40};
  for (const String& t : texts) {
    const Integer measured = fonts::TextWidth(f, t);
    const TPoint drawn = fonts::DrawString(f, s, s.Bounds(), 2, 2, t, 0);
    EXPECT_EQ(measured, drawn.X) << ToUtf8(t);
    EXPECT_EQ(fonts::TextWidth(f, t), measured) << ToUtf8(t);
  }
  // A pair is one character, and widths add up over the parts of a text.
  EXPECT_EQ(fonts::TextWidth(f, u"\U0001D11E\U0001D11E"), 2 * fonts::TextWidth(f, u"\U0001D11E"));
  EXPECT_EQ(fonts::TextWidth(f, u"ab\u65E5\U0001F600"),
            fonts::TextWidth(f, u"ab") + fonts::TextWidth(f, u"\u65E5") + fonts::TextWidth(f, u"\U0001F600"));
  EXPECT_GT(fonts::TextWidth(f, u"\u65E5"), fonts::TextWidth(f, u"a"));
}
