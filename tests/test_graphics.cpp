// Pens, brushes, fonts, colours, bitmaps and pictures as objects.
#include <gtest/gtest.h>

#include "package/framework/graphics/drawedge.h"
#include "package/framework/graphics/graphics.h"

using namespace jox;

TEST(Graphics, SystemColoursResolveThroughTheClassicTable) {
  struct Case { TColor in, out; };
  const Case cases[] = {{clBtnFace, 0xC0C0C0}, {clWindow, 0xFFFFFF}, {clBtnShadow, 0x808080},
                        {clBtnHighlight, 0xFFFFFF}, {clWindowText, 0}, {clHighlight, 0x800000},
                        {clRed, clRed}, {0x12345678, 0x345678}, {TColor(0xFF0000FF), 0}};
  for (const Case& k : cases) EXPECT_EQ(ColorToRGB(k.in), k.out) << std::hex << k.in;
}

TEST(Graphics, ColourNamesBothWays) {
  struct Case { TColor c; const char16_t* name; };
  const Case cases[] = {{clRed, u"clRed"}, {clSilver, u"clSilver"}, {clBtnFace, u"clBtnFace"},
                        {clNone, u"clNone"}, {clMoneyGreen, u"clMoneyGreen"}, {0x00804020, u"$00804020"}};
  for (const Case& k : cases) {
    EXPECT_EQ(ColorToString(k.c), k.name);
    EXPECT_EQ(StringToColor(k.name), k.c);
  }
  EXPECT_EQ(StringToColor(u"clred"), clRed);
  EXPECT_EQ(StringToColor(u"255"), clRed);
  EXPECT_EQ(StringToColor(u"0xFF00"), clLime);
  EXPECT_THROW(StringToColor(u"clNoSuch"), EConvertError);
  EXPECT_THROW(StringToColor(u"$123456789"), EConvertError);
  EXPECT_THROW(StringToColor(u""), EConvertError);
}

TEST(Graphics, ToolsFireOnChangeOnlyForChanges) {
  TPen p;
  int n = 0;
  p.SetOnChange([&](TObject*) { ++n; });
  p.SetColor(clBlack);
  p.SetColor(clRed);
  p.SetWidth(0);  // becomes 1: unchanged
  EXPECT_EQ(p.Width(), 1);
  p.SetWidth(3);
  EXPECT_EQ(n, 2);
  TBrush b;
  b.SetStyle(bsClear);
  b.SetColor(clWhite);  // same colour, but the clear brush turns solid
  EXPECT_EQ(b.Style(), bsSolid);
  TFont f;
  int m = 0;
  f.SetOnChange([&](TObject*) { ++m; });
  f.SetStyle(fsBold | fsUnderline);
  EXPECT_TRUE(f.Style() & fsBold);
  EXPECT_FALSE(f.Style() & fsItalic);
  EXPECT_EQ(m, 1);
}

TEST(Graphics, AssignCopiesAndRefusesStrangers) {
  TFont a, b;
  a.SetName(u"Arial");
  a.SetColor(clRed);
  a.SetOrientation(450);
  b.Assign(&a);
  EXPECT_EQ(b.Name(), u"Arial");
  EXPECT_EQ(b.Color(), clRed);
  EXPECT_EQ(b.Orientation(), 450);
  TPen pen;
  EXPECT_THROW(pen.Assign(&a), EConvertError);
  TBitmap x(3, 2), y;
  x.Canvas()->SetPixels(1, 1, clRed);
  y.Assign(&x);
  EXPECT_EQ(y.Canvas()->Pixels(1, 1), clRed);
  x.Canvas()->SetPixels(1, 1, clBlue);
  EXPECT_EQ(y.Canvas()->Pixels(1, 1), clRed);  // its own pixels
}

TEST(Graphics, FontTableDefaults) {
  TFont f;
  for (const TPropInfo* p : TFont::ClassInfo().AllProps())
    if (p->Default) {
      EXPECT_TRUE(p->IsDefault(f)) << ToUtf8(p->Name);
    }
  EXPECT_FALSE(TFont::ClassInfo().FindProp(u"Size")->IsStored(f));
}

TEST(Graphics, BitmapSizeKeepsPixelsAndRefusesAbsurdSizes) {
  TBitmap b;
  EXPECT_TRUE(b.Empty());
  b.SetSize(4, 4);
  EXPECT_EQ(b.Canvas()->Pixels(3, 3), clWhite);
  b.Canvas()->SetPixels(1, 1, clRed);
  b.SetSize(8, 2);
  EXPECT_EQ(b.Canvas()->Pixels(1, 1), clRed);
  EXPECT_EQ(b.Canvas()->Pixels(7, 1), clWhite);
  b.SetSize(-5, 3);
  EXPECT_EQ(b.Width(), 0);
  EXPECT_THROW(b.SetSize(100000, 100000), EOutOfMemory);
  EXPECT_EQ(b.ScanLine(0), nullptr);
  // Raw rows hold 0x00RRGGBB.
  b.SetSize(2, 1);
  b.Canvas()->SetPixels(0, 0, RGB(0x11, 0x22, 0x33));
  EXPECT_EQ(b.ScanLine(0)[0], 0x112233u);
}

TEST(Graphics, TransparentBitmapLeavesItsKeyColourOut) {
  TBitmap pic(2, 1), dst(2, 1);
  pic.Canvas()->SetPixels(0, 0, clRed);
  pic.Canvas()->SetPixels(1, 0, clFuchsia);
  pic.SetTransparent(true);
  pic.SetTransparentColor(clFuchsia);
  dst.Canvas()->Brush()->SetColor(clBlue);
  dst.Canvas()->FillRect(Rect(0, 0, 2, 1));
  dst.Canvas()->Draw(0, 0, &pic);
  EXPECT_EQ(dst.Canvas()->Pixels(0, 0), clRed);
  EXPECT_EQ(dst.Canvas()->Pixels(1, 0), clBlue);
}

TEST(Graphics, PictureHoldsItsOwnBitmap) {
  TPicture p;
  EXPECT_EQ(p.Width(), 0);
  int changes = 0;
  p.SetOnChange([&](TObject*) { ++changes; });
  TBitmap b(3, 4);
  p.SetGraphic(&b);
  EXPECT_EQ(p.Width(), 3);
  EXPECT_NE(p.Graphic(), &b);
  p.Bitmap()->SetSize(5, 5);
  EXPECT_EQ(p.Height(), 5);
  EXPECT_GE(changes, 2);
  p.Assign(nullptr);
  EXPECT_EQ(p.Graphic(), nullptr);
}

TEST(Graphics, StretchBltThroughHandles) {
  TBitmap s(1, 1), d(4, 4);
  s.Canvas()->SetPixels(0, 0, clRed);
  EXPECT_EQ(SetStretchBltMode(d.Canvas()->Handle(), HALFTONE), COLORONCOLOR);
  EXPECT_EQ(GetStretchBltMode(d.Canvas()->Handle()), HALFTONE);
  EXPECT_TRUE(StretchBlt(d.Canvas()->Handle(), 0, 0, 4, 4, s.Canvas()->Handle(), 0, 0, 1, 1, SRCCOPY));
  EXPECT_EQ(d.Canvas()->Pixels(3, 3), clRed);
  EXPECT_FALSE(StretchBlt(0, 0, 0, 4, 4, s.Canvas()->Handle(), 0, 0, 1, 1, SRCCOPY));
  EXPECT_FALSE(StretchBlt(d.Canvas()->Handle(), 0, 0, 4, 4, 0, 0, 0, 1, 1, SRCCOPY));
}

// A sunken edge is two rings, the inner one a pixel inside the outer; BF_ADJUST leaves what is inside both.
TEST(Graphics, SunkenEdgeDrawsTwoRingsOnePixelApart) {
  TBitmap b(10, 10);
  TCanvas* c = b.Canvas();
  c->Brush()->SetColor(clWhite);
  c->FillRect(Rect(0, 0, 10, 10));
  TRect r = Rect(0, 0, 10, 10);
  DrawEdge(c, r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  EXPECT_EQ(c->Pixels(0, 5), ColorToRGB(clBtnShadow));
  EXPECT_EQ(c->Pixels(1, 5), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(c->Pixels(5, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(c->Pixels(5, 1), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(c->Pixels(5, 9), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(c->Pixels(5, 8), ColorToRGB(cl3DLight));
  EXPECT_EQ(c->Pixels(9, 5), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(c->Pixels(8, 5), ColorToRGB(cl3DLight));
  EXPECT_EQ(c->Pixels(5, 5), clWhite);
  EXPECT_EQ(r, Rect(2, 2, 8, 8));
}
