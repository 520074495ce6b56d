// Pixel rules of the canvas on tiny bitmaps, checked by formula.
#include <gtest/gtest.h>

#include "package/framework/graphics/graphics.h"

using namespace jox;

namespace {

struct Fixture {
  TBitmap bmp{12, 12};
  TCanvas* c = bmp.Canvas();
  Fixture() {
    c->Brush()->SetColor(clWhite);
    c->FillRect(Rect(0, 0, 12, 12));
  }
  // Painted pixels as a set of "x,y" with colour != white.
  int Count(TColor col) {
    int n = 0;
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 12; ++x) n += c->Pixels(x, y) == col;
    return n;
  }
};

}  // namespace

TEST(Raster, RectangleCoversBoxWithoutRightAndBottomEdge) {
  // Reversed corners are put in order first.
  for (TRect r : {Rect(2, 3, 8, 9), Rect(8, 9, 2, 3)}) {
    Fixture f;
    f.c->Pen()->SetColor(clRed);
    f.c->Brush()->SetColor(clBlue);
    f.c->Rectangle(r);
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 12; ++x) {
        const bool in = x >= 2 && x < 8 && y >= 3 && y < 9;
        const bool edge = in && (x == 2 || x == 7 || y == 3 || y == 8);
        const TColor want = !in ? clWhite : edge ? clRed : clBlue;
        ASSERT_EQ(f.c->Pixels(x, y), want) << x << "," << y;
      }
  }
}

// The focus frame inverts every other pixel of the box's outline, on a checkerboard of the target, and
// nothing outside [Left, Right) x [Top, Bottom); drawn twice it is gone.
TEST(Raster, FocusRectInvertsEveryOtherOutlinePixel) {
  Fixture f;
  f.c->DrawFocusRect(Rect(2, 3, 8, 9));
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) {
      const bool in = x >= 2 && x < 8 && y >= 3 && y < 9;
      const bool edge = in && (x == 2 || x == 7 || y == 3 || y == 8);
      ASSERT_EQ(f.c->Pixels(x, y), edge && (x + y) % 2 == 0 ? clBlack : clWhite) << x << "," << y;
    }
  f.c->DrawFocusRect(Rect(2, 3, 8, 9));
  EXPECT_EQ(f.Count(clWhite), 144);
}

TEST(Raster, WidePenStaysInsideTheBox) {
  Fixture f;
  f.c->Pen()->SetWidth(3);
  f.c->Pen()->SetColor(clRed);
  f.c->Brush()->SetStyle(bsClear);
  f.c->Rectangle(1, 1, 11, 11);
  EXPECT_EQ(f.Count(clRed), 100 - 16);
  EXPECT_EQ(f.c->Pixels(0, 0), clWhite);
  EXPECT_EQ(f.c->Pixels(3, 3), clRed);
  EXPECT_EQ(f.c->Pixels(4, 4), clWhite);
  EXPECT_EQ(f.c->Pixels(10, 10), clRed);
  EXPECT_EQ(f.c->Pixels(11, 11), clWhite);
}

TEST(Raster, LineToLeavesOutItsEndPixel) {
  struct Case { int x0, y0, x1, y1, count; };
  const Case cases[] = {{1, 1, 9, 1, 8}, {1, 1, 1, 9, 8}, {1, 1, 9, 9, 8}, {9, 9, 1, 1, 8}, {2, 1, 10, 5, 8}, {3, 3, 3, 3, 0}};
  for (const Case& k : cases) {
    Fixture f;
    f.c->Pen()->SetColor(clBlack);
    f.c->MoveTo(k.x0, k.y0);
    f.c->LineTo(k.x1, k.y1);
    EXPECT_EQ(f.Count(clBlack), k.count) << k.x0 << "," << k.y0 << " -> " << k.x1 << "," << k.y1;
    if (k.count) {
      EXPECT_EQ(f.c->Pixels(k.x0, k.y0), clBlack);
      EXPECT_EQ(f.c->Pixels(k.x1, k.y1), clWhite);
    }
    EXPECT_EQ(f.c->PenPos(), Point(k.x1, k.y1));
  }
}

// Upright and level lines reaching a billion pixels off the bitmap (a frame around an item scrolled far
// away) draw just their visible part, at once, and a dash pattern keeps its phase across the clip.
TEST(Raster, FarReachingLinesDrawTheirVisiblePartOnly) {
  Fixture f;
  f.c->Pen()->SetColor(clBlack);
  f.c->MoveTo(5, -1000000000);
  f.c->LineTo(5, 10);
  f.c->MoveTo(1000000000, 3);
  f.c->LineTo(2, 3);
  EXPECT_EQ(f.Count(clBlack), 10 + 9 - 1);  // 5,0..9 and 3..11,3 (the end pixel 2,3 left out), sharing 5,3
  for (int style : {int(psDash), int(psDot)}) {
    Fixture near, far;
    for (Fixture* g : {&near, &far}) {
      g->c->Pen()->SetColor(clBlack);
      g->c->Pen()->SetStyle(TPenStyle(style));
    }
    near.c->MoveTo(4, -96);  // the same pattern phase at y = 0 as a line starting a million pixels up
    near.c->LineTo(4, 12);
    far.c->MoveTo(4, -96 - 1000032);
    far.c->LineTo(4, 12);
    for (int y = 0; y < 12; ++y) EXPECT_EQ(near.c->Pixels(4, y), far.c->Pixels(4, y)) << style << " y " << y;
  }
}

TEST(Raster, EllipseIsSymmetricAndInsideItsBox) {
  Fixture f;
  f.c->Pen()->SetColor(clRed);
  f.c->Brush()->SetColor(clBlue);
  f.c->Ellipse(1, 2, 11, 10);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) {
      const TColor p = f.c->Pixels(x, y);
      if (x < 1 || x >= 11 || y < 2 || y >= 10) {
        ASSERT_EQ(p, clWhite) << x << "," << y;
      }
      ASSERT_EQ(p, f.c->Pixels(11 - x, y)) << x << "," << y;       // mirror about x = 6
      ASSERT_EQ(p, f.c->Pixels(x, 11 - y)) << x << "," << y;       // mirror about y = 6
    }
  EXPECT_EQ(f.c->Pixels(1, 5), clRed);   // leftmost column touched in the middle rows
  EXPECT_EQ(f.c->Pixels(6, 2), clRed);   // top row touched in the middle
  EXPECT_EQ(f.c->Pixels(1, 2), clWhite); // corners left out
  EXPECT_EQ(f.c->Pixels(6, 6), clBlue);
}

TEST(Raster, ArcAndPieRunCounterClockwise) {
  // From the ray to the right to the ray upwards: only the upper right quarter.
  Fixture f;
  f.c->Pen()->SetColor(clRed);
  f.c->Brush()->SetColor(clBlue);
  f.c->Pie(0, 0, 12, 12, 12, 6, 6, 0);
  EXPECT_EQ(f.c->Pixels(9, 2), clBlue);   // upper right inside
  EXPECT_EQ(f.c->Pixels(2, 2), clWhite);  // upper left
  EXPECT_EQ(f.c->Pixels(2, 9), clWhite);
  EXPECT_EQ(f.c->Pixels(9, 9), clWhite);
  EXPECT_EQ(f.c->Pixels(5, 5), clRed);  // both radii in the pen, from the centre (5, 5)
  EXPECT_EQ(f.c->Pixels(7, 5), clRed);
  EXPECT_EQ(f.c->Pixels(6, 1), clRed);
  // Swapping the points takes the other three quarters.
  Fixture g;
  g.c->Pen()->SetColor(clRed);
  g.c->Brush()->SetColor(clBlue);
  g.c->Pie(0, 0, 12, 12, 6, 0, 12, 6);
  EXPECT_EQ(g.c->Pixels(9, 2), clWhite);
  EXPECT_EQ(g.c->Pixels(3, 3), clBlue);
  EXPECT_EQ(g.c->Pixels(8, 8), clBlue);
  // An arc draws only the outline, on the upper half here.
  Fixture a;
  a.c->Pen()->SetColor(clRed);
  a.c->Arc(0, 0, 12, 12, 12, 6, 0, 6);
  EXPECT_EQ(a.c->Pixels(6, 0), clRed);
  EXPECT_EQ(a.c->Pixels(6, 11), clWhite);
  EXPECT_EQ(a.c->Pixels(6, 6), clWhite);
}

TEST(Raster, ChordFillsTheArcSideOfItsLine) {
  Fixture f;
  f.c->Pen()->SetColor(clRed);
  f.c->Brush()->SetColor(clBlue);
  f.c->Chord(0, 0, 12, 12, 12, 12, 0, 0);  // from lower right, counter-clockwise to upper left
  EXPECT_EQ(f.c->Pixels(8, 3), clBlue);
  EXPECT_EQ(f.c->Pixels(3, 8), clWhite);
}

TEST(Raster, ClearAndSolidBrushes) {
  Fixture f;
  f.c->Brush()->SetStyle(bsClear);
  f.c->Pen()->SetColor(clRed);
  f.c->Rectangle(2, 2, 8, 8);
  EXPECT_EQ(f.c->Pixels(4, 4), clWhite);
  // Setting a colour makes the clear brush solid.
  f.c->Brush()->SetColor(clLime);
  EXPECT_EQ(f.c->Brush()->Style(), bsSolid);
  f.c->Rectangle(2, 2, 8, 8);
  EXPECT_EQ(f.c->Pixels(4, 4), clLime);
  // A clear pen: the brush covers the whole box.
  f.c->Pen()->SetStyle(psClear);
  f.c->Brush()->SetColor(clBlue);
  f.c->Rectangle(2, 2, 8, 8);
  EXPECT_EQ(f.c->Pixels(2, 2), clBlue);
  EXPECT_EQ(f.c->Pixels(7, 7), clBlue);
  EXPECT_EQ(f.c->Pixels(8, 8), clWhite);
}

TEST(Raster, PenModesAgainstKnownColours) {
  struct Case { TPenMode mode; TColor dst, pen, want; };
  const Case cases[] = {
      {pmCopy, 0x123456, 0x00FF00, 0x00FF00},   {pmNot, 0x123456, 0x00FF00, 0xEDCBA9},
      {pmXor, 0x123456, 0xFFFFFF, 0xEDCBA9},    {pmNotXor, 0x123456, 0xFFFFFF, 0x123456},
      {pmMerge, 0x0000F0, 0x00F000, 0x00F0F0},  {pmMask, 0x00FFF0, 0x00F0FF, 0x00F0F0},
      {pmBlack, 0x123456, 0xFFFFFF, 0x000000},  {pmWhite, 0x123456, 0x000000, 0xFFFFFF},
      {pmNop, 0x123456, 0xFFFFFF, 0x123456},    {pmNotCopy, 0x000000, 0x00FF00, 0xFF00FF},
      {pmMaskPenNot, 0x0000FF, 0x00FFFF, 0x00FF00}, {pmMergePenNot, 0xFFFF00, 0x000000, 0x0000FF},
  };
  for (const Case& k : cases) {
    Fixture f;
    f.c->SetPixels(5, 5, k.dst);
    f.c->Pen()->SetColor(k.pen);
    f.c->Pen()->SetMode(k.mode);
    f.c->MoveTo(5, 5);
    f.c->LineTo(6, 5);
    EXPECT_EQ(f.c->Pixels(5, 5), k.want) << int(k.mode);
  }
}

TEST(Raster, CopyModesAgainstKnownColours) {
  struct Case { TCopyMode mode; TColor want; };
  const TColor src = 0x00F0F0, dst = 0x0F0FF0, brush = 0xFF00FF;
  const Case cases[] = {
      {cmSrcCopy, src},  {cmSrcAnd, src & dst},  {cmSrcPaint, src | dst},  {cmSrcInvert, src ^ dst},
      {cmNotSrcCopy, ~src & 0xFFFFFF}, {cmMergeCopy, src & brush}, {cmSrcErase, src & ~dst & 0xFFFFFF},
      {cmNotSrcErase, ~(src | dst) & 0xFFFFFF}, {cmMergePaint, (~src | dst) & 0xFFFFFF},
      {cmPatCopy, brush}, {cmPatInvert, brush ^ dst}, {cmDstInvert, ~dst & 0xFFFFFF},
      {cmBlackness, 0}, {cmWhiteness, 0xFFFFFF}, {0x00E20746 /* DSPDxax */, (src & brush) | (~src & dst & 0xFFFFFF)},
  };
  TBitmap s(4, 4);
  s.Canvas()->Brush()->SetColor(src);
  s.Canvas()->FillRect(Rect(0, 0, 4, 4));
  for (const Case& k : cases) {
    TBitmap d(4, 4);
    d.Canvas()->Brush()->SetColor(dst);
    d.Canvas()->FillRect(Rect(0, 0, 4, 4));
    d.Canvas()->Brush()->SetColor(brush);
    d.Canvas()->SetCopyMode(k.mode);
    d.Canvas()->CopyRect(Rect(1, 1, 3, 3), s.Canvas(), Rect(0, 0, 2, 2));
    EXPECT_EQ(d.Canvas()->Pixels(1, 1), k.want) << std::hex << k.mode;
    EXPECT_EQ(d.Canvas()->Pixels(0, 0), dst);
    EXPECT_EQ(d.Canvas()->Pixels(3, 3), dst);
  }
}

TEST(Raster, FloodFillSurfaceAndBorder) {
  Fixture f;
  f.c->Pen()->SetColor(clRed);
  f.c->Brush()->SetStyle(bsClear);
  f.c->Rectangle(2, 2, 10, 10);
  f.c->SetPixels(5, 5, clBlack);
  f.c->Brush()->SetColor(clLime);
  f.c->FloodFill(4, 4, clWhite, fsSurface);  // the white inside, not the black dot
  EXPECT_EQ(f.Count(clLime), 36 - 1);
  EXPECT_EQ(f.c->Pixels(5, 5), clBlack);
  EXPECT_EQ(f.c->Pixels(0, 0), clWhite);
  f.c->Brush()->SetColor(clBlue);
  f.c->FloodFill(4, 4, clRed, fsBorder);  // everything up to the red frame
  EXPECT_EQ(f.Count(clBlue), 36);
  EXPECT_EQ(f.c->Pixels(1, 1), clWhite);
  // Filling with the colour already there ends too.
  f.c->Brush()->SetColor(clWhite);
  f.c->FloodFill(0, 0, clWhite, fsSurface);
  EXPECT_EQ(f.c->Pixels(0, 0), clWhite);
}

TEST(Raster, StretchNearestAndHalftone) {
  TBitmap s(2, 1);
  s.Canvas()->SetPixels(0, 0, clBlack);
  s.Canvas()->SetPixels(1, 0, clWhite);
  TBitmap d(8, 2);
  d.Canvas()->SetStretchBltMode(COLORONCOLOR);
  d.Canvas()->StretchDraw(Rect(0, 0, 8, 2), &s);
  for (int x = 0; x < 8; ++x) EXPECT_EQ(d.Canvas()->Pixels(x, 1), x < 4 ? clBlack : clWhite) << x;
  // Stretched in one direction only.
  TBitmap wide(4, 1);
  wide.Canvas()->StretchDraw(Rect(0, 0, 4, 1), &s);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(wide.Canvas()->Pixels(x, 0), x < 2 ? clBlack : clWhite) << x;
  // Shrinking 4 pixels into 1 with HALFTONE averages them; nearest picks one.
  TBitmap q(4, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) q.Canvas()->SetPixels(x, y, (x + y) % 2 ? clWhite : clBlack);
  TBitmap one(1, 1);
  one.Canvas()->SetStretchBltMode(HALFTONE);
  one.Canvas()->StretchDraw(Rect(0, 0, 1, 1), &q);
  const TColor avg = one.Canvas()->Pixels(0, 0);
  EXPECT_NEAR(GetRValue(avg), 128, 1);
  EXPECT_NEAR(GetBValue(avg), 128, 1);
  one.Canvas()->SetStretchBltMode(COLORONCOLOR);
  one.Canvas()->StretchDraw(Rect(0, 0, 1, 1), &q);
  EXPECT_TRUE(one.Canvas()->Pixels(0, 0) == clBlack || one.Canvas()->Pixels(0, 0) == clWhite);
  // An average of equal pixels is that pixel, at every ratio.
  TBitmap flat(76, 216);
  flat.Canvas()->Brush()->SetColor(TColor(0x0000FF));
  flat.Canvas()->FillRect(Rect(0, 0, 76, 216));
  for (TPoint size : {Point(21, 60), Point(21, 37), Point(5, 7), Point(75, 215), Point(100, 300)}) {
    TBitmap to(size.X, size.Y);
    to.Canvas()->SetStretchBltMode(HALFTONE);
    to.Canvas()->StretchDraw(Rect(0, 0, size.X, size.Y), &flat);
    for (int y = 0; y < size.Y; ++y)
      for (int x = 0; x < size.X; ++x)
        ASSERT_EQ(to.Canvas()->Pixels(x, y), TColor(0x0000FF)) << size.X << "x" << size.Y << " at " << x << "," << y;
  }
  // A negative width mirrors.
  TBitmap m(2, 1);
  m.Canvas()->StretchBlt(1, 0, -2, 1, s.Canvas(), 0, 0, 2, 1, SRCCOPY);
  EXPECT_EQ(m.Canvas()->Pixels(0, 0), clWhite);
  EXPECT_EQ(m.Canvas()->Pixels(1, 0), clBlack);
}

TEST(Raster, PolygonFillRulesAndOutline) {
  // A self-overlapping shape: two squares traced in one polygon in the same direction.
  const TPoint p[] = {{1, 1}, {7, 1}, {7, 7}, {1, 7}, {1, 1}, {4, 4}, {10, 4}, {10, 10}, {4, 10}, {4, 4}};
  Fixture alt, wind;
  for (Fixture* f : {&alt, &wind}) {
    f->c->Pen()->SetStyle(psClear);
    f->c->Brush()->SetColor(clBlue);
  }
  alt.c->Polygon(p, 10, false);
  wind.c->Polygon(p, 10, true);
  EXPECT_EQ(alt.c->Pixels(5, 5), clWhite);  // covered twice: out by the alternate rule
  EXPECT_EQ(wind.c->Pixels(5, 5), clBlue);
  EXPECT_EQ(alt.c->Pixels(2, 2), clBlue);
  // The outline passes through every vertex.
  Fixture o;
  const TPoint t[] = {{1, 1}, {9, 1}, {5, 8}};
  o.c->Pen()->SetColor(clRed);
  o.c->Polygon(t, 3);
  for (const TPoint& v : t) EXPECT_EQ(o.c->Pixels(v.X, v.Y), clRed);
}

TEST(Raster, DashedPenLeavesGaps) {
  TBitmap b(60, 3);
  TCanvas* c = b.Canvas();
  c->Brush()->SetStyle(bsClear);
  c->Pen()->SetStyle(psDot);
  c->MoveTo(0, 1);
  c->LineTo(60, 1);
  int on = 0;
  for (int x = 0; x < 60; ++x) on += c->Pixels(x, 1) == clBlack;
  EXPECT_EQ(on, 30);
  EXPECT_EQ(c->Pixels(0, 1), clBlack);
  EXPECT_EQ(c->Pixels(3, 1), clWhite);
}

TEST(Raster, ViewportOffsetsAndClips) {
  TBitmap b(20, 20);
  TCanvas view(&b);
  view.SetViewport(Point(5, 6), Rect(5, 6, 10, 10));
  view.Brush()->SetColor(clRed);
  view.FillRect(Rect(-100, -100, 100, 100));
  EXPECT_EQ(view.ClipRect(), Rect(0, 0, 5, 4));
  EXPECT_EQ(b.Canvas()->Pixels(5, 6), clRed);
  EXPECT_EQ(b.Canvas()->Pixels(9, 9), clRed);
  EXPECT_EQ(b.Canvas()->Pixels(10, 9), clWhite);
  EXPECT_EQ(b.Canvas()->Pixels(4, 6), clWhite);
  EXPECT_EQ(view.Pixels(0, 0), clRed);
  EXPECT_EQ(view.Pixels(5, 0), 0xFFFFFFFFu);  // outside the view
  // Source-and over what lies beneath, as transparent controls need.
  TBitmap mask(5, 4);
  mask.Canvas()->SetPixels(0, 0, clBlack);
  view.SetCopyMode(cmSrcAnd);
  view.Draw(0, 0, &mask);
  EXPECT_EQ(b.Canvas()->Pixels(5, 6), clBlack);
  EXPECT_EQ(b.Canvas()->Pixels(6, 6), clRed);
}

TEST(Raster, OverlappingCopyWithinOneBitmap) {
  TBitmap b(8, 1);
  for (int x = 0; x < 8; ++x) b.Canvas()->SetPixels(x, 0, RGB(Byte(x), 0, 0));
  b.Canvas()->CopyRect(Rect(2, 0, 8, 1), b.Canvas(), Rect(0, 0, 6, 1));
  for (int x = 2; x < 8; ++x) EXPECT_EQ(GetRValue(b.Canvas()->Pixels(x, 0)), x - 2);
}
