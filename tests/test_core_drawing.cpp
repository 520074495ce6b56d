// Frames, rectangles and marker symbols of the base package, checked pixel by pixel.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "package/core/core.h"
#include "package/framework/graphics/graphics.h"

using namespace jox;

namespace {

constexpr TColor kBg = 0x102030, kHi = 0x0000FF, kLight = 0x00FF00, kShadow = 0xFF0000, kDark = 0x00FFFF,
                 kBorder = 0xFF00FF;

// The bitmap as rows of letters: '.' background, H L S D B the five frame colours, '?' anything else.
std::vector<std::string> Picture(TBitmap& b) {
  std::vector<std::string> rows;
  for (Integer y = 0; y < b.Height(); ++y) {
    std::string row;
    for (Integer x = 0; x < b.Width(); ++x) {
      const TColor c = b.Canvas()->Pixels(x, y);
      row += c == kBg ? '.' : c == kHi ? 'H' : c == kLight ? 'L' : c == kShadow ? 'S' : c == kDark ? 'D'
                                                                                   : c == kBorder ? 'B' : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

void Clear(TBitmap& b, TColor c) {
  b.Canvas()->Pen()->SetColor(c);
  b.Canvas()->Brush()->SetColor(c);
  b.Canvas()->Rectangle(0, 0, b.Width(), b.Height());
}

}  // namespace

TEST(DrawFrame, EveryStyleByPicture) {
  struct Case {
    TFrameStyle style;
    std::vector<std::string> want;
  };
  const Case cases[] = {
      {fsNone, {"..........", "..........", "..........", "..........", "..........", "..........",
                "..........", ".........."}},
      {fsSimple, {"..........", ".BBBBBBBB.", ".B......B.", ".B......B.", ".B......B.", ".B......B.",
                  ".BBBBBBBB.", ".........."}},
      {fsLowered, {"..........", ".SSSSSSSH.", ".SDDDDDLH.", ".SD....LH.", ".SD....LH.", ".SLLLLLLH.",
                   ".HHHHHHHH.", ".........."}},
      {fsRaised, {"..........", ".HHHHHHHD.", ".HLLLLLSD.", ".HL....SD.", ".HL....SD.", ".HSSSSSSD.",
                  ".DDDDDDDD.", ".........."}},
      {fsEmbossed, {"..........", ".HHHHHHH..", ".HSSSSSHS.", ".HS....HS.", ".HS....HS.", ".HHHHHHHS.",
                    "..SSSSSSS.", ".........."}},
      {fsEngraved, {"..........", ".SSSSSSS..", ".SHHHHHSH.", ".SH....SH.", ".SH....SH.", ".SSSSSSSH.",
                    "..HHHHHHH.", ".........."}},
      {TFrameStyle(6), {"..........", "..........", "..........", "..........", "..........", "..........",
                        "..........", ".........."}},
  };
  for (const Case& c : cases) {
    TBitmap b(10, 8);
    Clear(b, kBg);
    b.Canvas()->Pen()->SetColor(clRed);
    b.Canvas()->Pen()->SetWidth(3);
    b.Canvas()->MoveTo(4, 4);
    DrawFrame(b.Canvas(), c.style, 1, 1, 8, 6, kHi, kLight, kShadow, kDark, kBorder);
    EXPECT_EQ(Picture(b), c.want) << int(c.style);
    // the caller's pen is back
    EXPECT_EQ(b.Canvas()->Pen()->Color(), clRed);
    EXPECT_EQ(b.Canvas()->Pen()->Width(), 3);
    EXPECT_EQ(b.Canvas()->PenPos(), Point(4, 4));
    // corners given the other way round draw the same
    Clear(b, kBg);
    DrawFrame(b.Canvas(), c.style, 8, 6, 1, 1, kHi, kLight, kShadow, kDark, kBorder);
    EXPECT_EQ(Picture(b), c.want) << int(c.style);
  }
}

TEST(DrawFrame, ResolvesSystemColours) {
  TBitmap b(6, 6);
  Clear(b, kBg);
  DrawFrame(b.Canvas(), fsSimple, 0, 0, 5, 5, clWhite, clSilver, clGray, clBlack, clBtnShadow);
  EXPECT_EQ(b.Canvas()->Pixels(0, 3), ColorToRGB(clBtnShadow));
  DrawFrame(nullptr, fsRaised, 0, 0, 5, 5, clWhite, clSilver, clGray, clBlack, clBlack);  // no canvas: no-op
}

TEST(DrawRectangle, OutlinesInclusiveCornersAndLeavesTheInside) {
  struct Case {
    Integer l, t, r, b;
    std::vector<std::string> want;
  };
  const Case cases[] = {
      {1, 1, 4, 3, {"......", ".BBBB.", ".B..B.", ".BBBB.", "......"}},
      {4, 3, 1, 1, {"......", ".BBBB.", ".B..B.", ".BBBB.", "......"}},
      {1, 2, 4, 2, {"......", "......", ".BBBB.", "......", "......"}},
      {2, 1, 2, 3, {"......", "..B...", "..B...", "..B...", "......"}},
      {3, 3, 3, 3, {"......", "......", "......", "...B..", "......"}},
  };
  for (const Case& c : cases) {
    TBitmap b(6, 5);
    Clear(b, kBg);
    b.Canvas()->Pen()->SetColor(kBorder);
    b.Canvas()->Brush()->SetColor(kHi);
    DrawRectangle(b.Canvas(), c.l, c.t, c.r, c.b);
    EXPECT_EQ(Picture(b), c.want) << c.l << "," << c.t << "," << c.r << "," << c.b;
  }
}

namespace {

// The pixels a marker sets on a 31 x 31 bitmap, centred at (15, 15), as a string of '#', 'o', '.'
// (pen colour, brush colour, background).
std::string MarkerPattern(Byte mark, Integer& minX, Integer& maxX, Integer& minY, Integer& maxY) {
  TBitmap b(31, 31);
  Clear(b, kBg);
  TCanvas* c = b.Canvas();
  c->Pen()->SetColor(kShadow);
  c->Brush()->SetColor(kHi);
  DrawMarkOnCanvas(c, mark, 15, 15);
  EXPECT_EQ(c->Brush()->Color(), kHi) << int(mark);
  EXPECT_EQ(c->Brush()->Style(), bsSolid) << int(mark);
  std::string s;
  minX = minY = 99;
  maxX = maxY = -1;
  for (Integer y = 0; y < 31; ++y)
    for (Integer x = 0; x < 31; ++x) {
      const TColor p = c->Pixels(x, y);
      s += p == kShadow ? '#' : p == kHi ? 'o' : '.';
      if (p != kBg) {
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
      }
    }
  return s;
}

}  // namespace

TEST(DrawMarkOnCanvas, FiftyTwoDistinctCentredSymbols) {
  std::set<std::string> seen;
  for (Integer m = 0; m < kNumMarkers; ++m) {
    Integer x0, x1, y0, y1;
    const std::string p = MarkerPattern(Byte(m), x0, x1, y0, y1);
    ASSERT_NE(x1, -1) << "marker " << m << " draws nothing";
    // within 7 pixels of the centre, and centred to the pixel (shapes are symmetric left to right)
    EXPECT_GE(x0, 8) << m;
    EXPECT_LE(x1, 22) << m;
    EXPECT_GE(y0, 8) << m;
    EXPECT_LE(y1, 22) << m;
    if (m < 40 || m > 43) {
      EXPECT_EQ(15 - x0, x1 - 15) << "marker " << m << " is off centre";
    }
    EXPECT_TRUE(seen.insert(p).second) << "marker " << m << " looks like an earlier one";
  }
}

// Plus signs have no diagonal arms and crosses no straight ones (also inside a square or a circle):
// each is its own symbol only.
TEST(DrawMarkOnCanvas, PlusAndCrossKeepToTheirArms) {
  for (Byte m : {31, 32, 33, 34, 35, 36, 44, 45}) {
    Integer x0, x1, y0, y1;
    const std::string p = MarkerPattern(m, x0, x1, y0, y1);
    const bool plus = m <= 33 || m == 45;
    const Integer r = x1 - 15;
    ASSERT_GT(r, 1) << int(m);
    for (Integer k = 1; k < r; ++k) {
      const bool straight = p[15 * 31 + 15 + k] == '#', diagonal = p[(15 + k) * 31 + 15 + k] == '#';
      EXPECT_EQ(straight, plus) << int(m) << " k " << k;
      EXPECT_EQ(diagonal, !plus) << int(m) << " k " << k;
    }
  }
}

TEST(DrawMarkOnCanvas, FilledAndHollowAndSizes) {
  auto centre = [](Byte mark) {
    Integer a, b, c, d;
    return MarkerPattern(mark, a, b, c, d)[15 * 31 + 15];
  };
  auto width = [](Byte mark) {
    Integer x0, x1, y0, y1;
    MarkerPattern(mark, x0, x1, y0, y1);
    return x1 - x0 + 1;
  };
  // hollow shapes show the brush inside, filled ones the pen, crosses the pen at their centre
  for (Byte m : {1, 2, 3, 7, 8, 9, 14, 15, 20, 21, 26, 27, 40, 42, 48, 50}) EXPECT_EQ(centre(m), 'o') << int(m);
  for (Byte m : {0, 4, 5, 6, 10, 11, 12, 16, 17, 18, 22, 23, 24, 28, 29, 30, 31, 34, 37, 41, 43, 44, 45, 46, 47,
                 49, 51})
    EXPECT_EQ(centre(m), '#') << int(m);
  // each family comes small, medium, large
  for (Byte first = 1; first < 40; first += 3) {
    EXPECT_LT(width(first), width(Byte(first + 1))) << int(first);
    EXPECT_LT(width(Byte(first + 1)), width(Byte(first + 2))) << int(first);
  }
  Integer x0, x1, y0, y1;
  MarkerPattern(52, x0, x1, y0, y1);
  EXPECT_EQ(x1, -1);  // no such marker: nothing drawn
  MarkerPattern(255, x0, x1, y0, y1);
  EXPECT_EQ(x1, -1);
}
