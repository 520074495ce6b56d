// Sections: [helpers] [shapes] [lines] [copies] [stretch] [text]
#include "gallery/canvas_card.h"

#include <cmath>
#include <string>

#include "package/framework/graphics/graphics.h"

using namespace jox;

namespace {

// [helpers] ------------------------------------------------------------------------------------------------
void CaptionFont(TCanvas* c) {
  c->Brush()->SetStyle(bsClear);
  c->Font()->SetName(u"Tahoma");
  c->Font()->SetSize(8);
  c->Font()->SetStyle(TFontStyles());
  c->Font()->SetOrientation(0);
  c->Font()->SetColor(clBlack);
}

void Caption(TCanvas* c, int x, int y, const String& text) {
  CaptionFont(c);
  c->TextOut(x, y, text);
}

void Heading(TCanvas* c, int x, int y, const String& text) {
  CaptionFont(c);
  c->Font()->SetStyle(fsBold);
  c->TextOut(x, y, text);
  c->Font()->SetStyle(TFontStyles());
}

void ResetTools(TCanvas* c) {
  c->Pen()->SetColor(clBlack);
  c->Pen()->SetWidth(1);
  c->Pen()->SetStyle(psSolid);
  c->Pen()->SetMode(pmCopy);
  c->Brush()->SetColor(clWhite);
  c->Brush()->SetStyle(bsSolid);
  c->SetCopyMode(cmSrcCopy);
}

// A small colourful source picture for the copies and stretches.
void FillSource(TBitmap* b) {
  const int w = b->Width(), h = b->Height();
  for (int y = 0; y < h; ++y) {
    uint32_t* row = b->ScanLine(y);
    for (int x = 0; x < w; ++x) {
      const uint32_t r = uint32_t(255 * x / std::max(1, w - 1)), g = uint32_t(255 * y / std::max(1, h - 1));
      row[x] = (r << 16) | (g << 8) | ((x / 4 + y / 4) % 2 ? 0xC0u : 0x40u);
    }
  }
  TCanvas* c = b->Canvas();
  c->Pen()->SetColor(clBlack);
  c->Brush()->SetColor(clYellow);
  c->Ellipse(w / 4, h / 4, w * 3 / 4, h * 3 / 4);
}

// [shapes] -------------------------------------------------------------------------------------------------
void Shapes(TCanvas* c, int x0, int y0) {
  Heading(c, x0, y0, u"Shapes");
  const int y = y0 + 16;
  ResetTools(c);
  c->Brush()->SetColor(RGB(255, 220, 160));
  c->Rectangle(x0, y, x0 + 50, y + 40);
  c->Brush()->SetColor(RGB(160, 220, 255));
  c->RoundRect(x0 + 60, y, x0 + 110, y + 40, 16, 16);
  c->Brush()->SetColor(RGB(200, 255, 200));
  c->Ellipse(x0 + 120, y, x0 + 170, y + 40);
  c->Brush()->SetColor(RGB(255, 200, 200));
  c->Pie(x0 + 180, y, x0 + 230, y + 40, x0 + 230, y + 20, x0 + 205, y);
  c->Brush()->SetColor(RGB(230, 200, 255));
  c->Chord(x0 + 240, y, x0 + 290, y + 40, x0 + 290, y + 40, x0 + 240, y);
  c->Pen()->SetWidth(2);
  c->Pen()->SetColor(clNavy);
  c->Arc(x0 + 300, y, x0 + 350, y + 40, x0 + 350, y + 20, x0 + 300, y + 20);
  ResetTools(c);
  Caption(c, x0, y + 42, u"Rect  Round  Ellipse  Pie   Chord   Arc");

  // Polygons: a star by the alternate and by the winding rule.
  const int py = y + 60;
  auto star = [&](int cx, int cy, bool winding) {
    TPoint p[5];
    for (int i = 0; i < 5; ++i) {
      const double a = -M_PI / 2 + i * 4 * M_PI / 5;
      p[i] = Point(cx + int(std::lround(22 * std::cos(a))), cy + int(std::lround(22 * std::sin(a))));
    }
    c->Brush()->SetColor(clTeal);
    c->Polygon(p, 5, winding);
  };
  star(x0 + 25, py + 24, false);
  star(x0 + 80, py + 24, true);
  // Wide pen inside its box, a clear brush, hatches.
  c->Pen()->SetWidth(4);
  c->Pen()->SetColor(clMaroon);
  c->Brush()->SetStyle(bsClear);
  c->Rectangle(x0 + 115, py + 2, x0 + 165, py + 46);
  ResetTools(c);
  const TBrushStyle hatches[] = {bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross};
  for (int i = 0; i < 6; ++i) {
    c->Brush()->SetColor(clWhite);
    c->FillRect(Rect(x0 + 175 + i * 30, py + 2, x0 + 200 + i * 30, py + 46));
    c->Brush()->SetColor(clBlue);
    c->Brush()->SetStyle(hatches[i]);
    c->Rectangle(x0 + 175 + i * 30, py + 2, x0 + 200 + i * 30, py + 46);
  }
  ResetTools(c);
  Caption(c, x0, py + 48, u"Alternate  Winding  Wide pen   Hatches");

  // Flood fill of a surface and up to a border, FrameRect, DrawFocusRect.
  const int fy = py + 66;
  c->Brush()->SetColor(clWhite);
  c->Rectangle(x0, fy, x0 + 60, fy + 40);
  c->MoveTo(x0, fy);
  c->LineTo(x0 + 60, fy + 40);
  c->Brush()->SetColor(clLime);
  c->FloodFill(x0 + 45, fy + 8, clWhite, fsSurface);
  c->Pen()->SetColor(clRed);
  c->Brush()->SetStyle(bsClear);
  c->Ellipse(x0 + 70, fy, x0 + 130, fy + 40);
  c->Brush()->SetColor(clYellow);
  c->FloodFill(x0 + 100, fy + 20, clRed, fsBorder);
  ResetTools(c);
  c->Brush()->SetColor(clPurple);
  c->FrameRect(Rect(x0 + 140, fy, x0 + 190, fy + 40));
  c->Brush()->SetColor(clWhite);
  c->FillRect(Rect(x0 + 200, fy, x0 + 250, fy + 40));
  c->DrawFocusRect(Rect(x0 + 205, fy + 5, x0 + 245, fy + 35));
  Caption(c, x0, fy + 42, u"Surface   Border   Frame    Focus");
}

// [lines] --------------------------------------------------------------------------------------------------
void Lines(TCanvas* c, int x0, int y0) {
  Heading(c, x0, y0, u"Pens");
  ResetTools(c);
  const TPenStyle styles[] = {psSolid, psDash, psDot, psDashDot, psDashDotDot};
  const char16_t* names[] = {u"Solid", u"Dash", u"Dot", u"DashDot", u"DashDotDot"};
  c->Brush()->SetStyle(bsClear);
  for (int i = 0; i < 5; ++i) {
    c->Pen()->SetStyle(styles[i]);
    c->MoveTo(x0, y0 + 22 + i * 10);
    c->LineTo(x0 + 120, y0 + 22 + i * 10);
    c->Pen()->SetStyle(psSolid);
    Caption(c, x0 + 126, y0 + 16 + i * 10, names[i]);
  }
  for (int w = 1; w <= 5; ++w) {
    c->Pen()->SetWidth(w);
    c->Pen()->SetColor(clNavy);
    c->MoveTo(x0 + 190 + w * 14, y0 + 20);
    c->LineTo(x0 + 180 + w * 14, y0 + 66);
  }
  c->Pen()->SetWidth(1);
  // A fan of lines from one point: they meet without gaps or overdraw.
  for (int i = 0; i <= 12; ++i) {
    const double a = i * M_PI / 24;
    c->Pen()->SetColor(i % 2 ? clRed : clBlack);
    c->MoveTo(x0 + 240, y0 + 70);
    c->LineTo(x0 + 240 + int(std::lround(50 * std::cos(a))), y0 + 70 - int(std::lround(50 * std::sin(a))));
  }
  // Pen modes over colour bars.
  const int my = y0 + 80;
  const TColor bars[] = {clRed, clLime, clBlue, clYellow, clWhite, clBlack};
  for (int i = 0; i < 6; ++i) {
    c->Brush()->SetColor(bars[i]);
    c->FillRect(Rect(x0 + i * 20, my, x0 + i * 20 + 20, my + 52));
  }
  const TPenMode modes[] = {pmCopy, pmNot, pmXor, pmMerge, pmMask, pmNotXor};
  const char16_t* modeNames[] = {u"Copy", u"Not", u"Xor", u"Merge", u"Mask", u"NotXor"};
  for (int i = 0; i < 6; ++i) {
    c->Pen()->SetMode(modes[i]);
    c->Pen()->SetColor(clAqua);
    c->Pen()->SetWidth(5);
    c->MoveTo(x0, my + 4 + i * 8);
    c->LineTo(x0 + 120, my + 4 + i * 8);
    c->Pen()->SetMode(pmCopy);
    c->Pen()->SetWidth(1);
    Caption(c, x0 + 126, my - 2 + i * 8, modeNames[i]);
  }
  ResetTools(c);
}

// [copies] -------------------------------------------------------------------------------------------------
void Copies(TCanvas* c, int x0, int y0) {
  Heading(c, x0, y0, u"Copy modes");
  TBitmap src(40, 40);
  FillSource(&src);
  struct Mode { TCopyMode mode; const char16_t* name; };
  const Mode modes[] = {{cmSrcCopy, u"SRCCOPY"},   {cmSrcAnd, u"SRCAND"},       {cmSrcPaint, u"SRCPAINT"},
                        {cmSrcInvert, u"SRCINVERT"}, {cmNotSrcCopy, u"NOTSRCCOPY"}, {cmMergeCopy, u"MERGECOPY"},
                        {cmSrcErase, u"SRCERASE"}, {cmDstInvert, u"DSTINVERT"}};
  for (int i = 0; i < 8; ++i) {
    const int x = x0 + (i % 4) * 82, y = y0 + 16 + (i / 4) * 62;
    ResetTools(c);
    // The destination: two stripes, so each operation shows on light and dark.
    c->Brush()->SetColor(RGB(0, 160, 255));
    c->FillRect(Rect(x, y, x + 40, y + 20));
    c->Brush()->SetColor(RGB(255, 120, 0));
    c->FillRect(Rect(x, y + 20, x + 40, y + 40));
    c->Brush()->SetColor(clFuchsia);  // the pattern MERGECOPY uses
    c->SetCopyMode(modes[i].mode);
    c->CopyRect(Rect(x, y, x + 40, y + 40), src.Canvas(), Rect(0, 0, 40, 40));
    ResetTools(c);
    Caption(c, x, y + 42, modes[i].name);
  }
}

// [stretch] ------------------------------------------------------------------------------------------------
void Stretches(TCanvas* c, int x0, int y0) {
  Heading(c, x0, y0, u"Stretching");
  TBitmap src(24, 24);
  FillSource(&src);
  const int y = y0 + 16;
  ResetTools(c);
  c->Draw(x0, y, &src);
  Caption(c, x0, y + 74, u"24x24");
  c->SetStretchBltMode(COLORONCOLOR);
  c->StretchDraw(Rect(x0 + 34, y, x0 + 106, y + 72), &src);
  Caption(c, x0 + 34, y + 74, u"Nearest x3");
  c->SetStretchBltMode(HALFTONE);
  c->StretchDraw(Rect(x0 + 116, y, x0 + 188, y + 72), &src);
  Caption(c, x0 + 116, y + 74, u"Halftone x3");
  // Shrinking a large picture: nearest drops lines, halftone averages them.
  TBitmap big(312, 432);
  TCanvas* bc = big.Canvas();
  bc->Brush()->SetColor(clWhite);
  bc->FillRect(Rect(0, 0, 312, 432));
  bc->Pen()->SetColor(clBlack);
  for (int i = 0; i < 432; i += 6) { bc->MoveTo(0, i); bc->LineTo(312, i); }
  bc->Font()->SetHeight(-200);
  bc->Font()->SetStyle(fsBold);
  bc->Font()->SetColor(clRed);
  bc->Brush()->SetStyle(bsClear);
  bc->TextOut(70, 100, u"8");
  c->SetStretchBltMode(COLORONCOLOR);
  c->StretchDraw(Rect(x0 + 198, y, x0 + 248, y + 70), &big);
  Caption(c, x0 + 198, y + 74, u"Nearest");
  c->SetStretchBltMode(HALFTONE);
  c->StretchDraw(Rect(x0 + 258, y, x0 + 308, y + 70), &big);
  Caption(c, x0 + 258, y + 74, u"Halftone");
  // Mirrored by negative sizes.
  c->SetStretchBltMode(COLORONCOLOR);
  c->StretchBlt(x0 + 318 + 47, y, -48, 48, src.Canvas(), 0, 0, 24, 24, SRCCOPY);
  Caption(c, x0 + 318, y + 74, u"Mirror");
  c->SetStretchBltMode(COLORONCOLOR);
}

// [text] ---------------------------------------------------------------------------------------------------
void Texts(TCanvas* c, int x0, int y0) {
  Heading(c, x0, y0, u"Text");
  ResetTools(c);
  struct Sample { const char16_t* face; int size; TFontStyles style; };
  const Sample samples[] = {
      {u"Tahoma", 8, TFontStyles()},          {u"Tahoma", 8, fsBold},
      {u"Arial", 10, TFontStyles()},          {u"Times New Roman", 12, fsItalic},
      {u"Courier New", 10, TFontStyles()},    {u"Arial", 14, fsBold | fsItalic},
      {u"Arial", 10, fsUnderline},            {u"Arial", 10, fsStrikeOut},
  };
  int y = y0 + 16;
  for (const Sample& s : samples) {
    c->Font()->SetName(s.face);
    c->Font()->SetSize(s.size);
    c->Font()->SetStyle(s.style);
    c->Font()->SetColor(clBlack);
    c->Brush()->SetStyle(bsClear);
    const String text = String(s.face) + u" " + std::u16string(1, char16_t(u'0' + s.size / 10)).substr(s.size < 10) +
                        std::u16string(1, char16_t(u'0' + s.size % 10)) + u" (8g]}\u00DC\u00C4\u00A7";
    c->TextOut(x0, y, text);
    y += c->TextHeight(text) + 1;
  }
  c->Font()->SetName(u"Tahoma");
  c->Font()->SetSize(8);
  c->Font()->SetStyle(TFontStyles());
  c->Brush()->SetColor(clNavy);
  c->Font()->SetColor(clWhite);
  c->TextOut(x0, y + 2, u"Opaque on the brush");
  c->Font()->SetQuality(fqNonAntialiased);
  c->Brush()->SetColor(clYellow);
  c->Font()->SetColor(clBlack);
  c->TextOut(x0 + 110, y + 2, u"Monochrome quality");
  c->Font()->SetQuality(fqDefault);
  // Engraved (disabled) look: white one pixel down-right, then grey.
  c->Brush()->SetStyle(bsClear);
  c->Font()->SetColor(clWhite);
  c->TextOut(x0 + 221, y + 3, u"Engraved");
  c->Font()->SetColor(clGray);
  c->TextOut(x0 + 220, y + 2, u"Engraved");
  // TextRect clips to its rectangle.
  c->Brush()->SetColor(RGB(255, 255, 225));
  c->Font()->SetColor(clBlack);
  c->TextRect(Rect(x0 + 280, y + 2, x0 + 330, y + 15), x0 + 282, y + 2, u"Clipped text rect");
}

void Rotated(TCanvas* c, int cx, int cy) {
  Heading(c, cx - 80, cy - 96, u"Rotation about the point");
  c->Font()->SetName(u"Arial");
  c->Font()->SetSize(10);
  c->Brush()->SetStyle(bsClear);
  const int angles[] = {0, 45, 90, 135, 180, 225, 270, 315};
  for (int a : angles) {
    TLogFont lf;
    GetObject(c->Font()->Handle(), sizeof lf, &lf);
    lf.lfEscapement = lf.lfOrientation = a * 10;
    lf.lfQuality = ANTIALIASED_QUALITY;
    c->Font()->SetHandle(CreateFontIndirect(lf));
    c->Font()->SetColor(a == 0 ? clRed : clBlack);
    c->TextOut(cx, cy, u"   " + FromUtf8(std::to_string(a)) + u" degrees");
  }
  c->Font()->SetOrientation(0);
  c->Pen()->SetColor(clRed);
  c->MoveTo(cx - 3, cy);
  c->LineTo(cx + 4, cy);
  c->MoveTo(cx, cy - 3);
  c->LineTo(cx, cy + 4);
  ResetTools(c);
}

}  // namespace

void DrawCanvasCard(TCanvas* c, int width, int height) {
  ResetTools(c);
  c->Brush()->SetColor(clBtnFace);
  c->FillRect(Rect(0, 0, width, height));
  Shapes(c, 10, 8);
  Lines(c, 380, 8);
  Copies(c, 10, 226);
  Stretches(c, 300, 160);
  Texts(c, 10, 362);
  Rotated(c, 540, 430);
  ResetTools(c);
  c->Brush()->SetStyle(bsClear);
  c->Rectangle(0, 0, width, height);
}
