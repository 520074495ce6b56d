// The raster label: its bit fonts, dot geometry, painting, property clamps, copying and scrolling
// on the virtual clock through its hidden timer window.
#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <vector>

#include "package/framework/controls/forms.h"
#include "rasterlab/rasterlab.h"
#include "tests/support/support.h"

using namespace jox;
using jox::test::SurfacePixel;

namespace {

class RasterLab : public jox::test::FrameworkTest {};

std::vector<uint32_t> Rows(const TRDCharMatrix& m, int code, int n = 12) {
  return std::vector<uint32_t>(m.BitData[code], m.BitData[code] + n);
}

TColor Px(TRasterLab& r, Integer x, Integer y) { return SurfacePixel(r.Surface(), x, y); }

// Where dot (column c, row r) of the text starts, for the label's current position and pitch.
TPoint Dot(const TRasterLab& r, Integer c, Integer row) {
  const Integer p = r.DotSize() + r.DotSpacing();
  return {r.PosX() + r.ScrollPosX() + c * p, r.PosY() + r.ScrollPosY() + row * p};
}

}  // namespace

TEST_F(RasterLab, DefaultsAndLook) {
  TRasterLab r(nullptr);
  EXPECT_EQ(r.Width(), 400);
  EXPECT_EQ(r.Height(), 68);
  EXPECT_EQ(r.Text(), u"Text");
  EXPECT_EQ(r.DotSize(), 3);
  EXPECT_EQ(r.DotSpacing(), 1);
  EXPECT_EQ(r.ScrollInterval(), 100);
  EXPECT_EQ(r.ScrollIncrement(), 1);
  EXPECT_TRUE(r.ScrollLoop());
  EXPECT_TRUE(r.Proportional());
  EXPECT_EQ(r.CharBlockMode(), rdbmOn);
  EXPECT_EQ(r.FrameStyle(), fsLowered);
  EXPECT_TRUE(r.ControlStyle() & csOpaque);
  EXPECT_EQ(r.Font()->Name(), u"default");
  EXPECT_EQ(VarToInt(GetPropValue(&r, u"DotSize")), 3);

  r.Paint();
  const TPoint lit = Dot(r, 0, 1);  // "T": top bar on row 1
  EXPECT_EQ(Px(r, lit.X + 1, lit.Y + 1), clLime);
  const TPoint unlit = Dot(r, 1, 2);  // "T": row 2 is "#..#..#"
  EXPECT_EQ(Px(r, unlit.X + 2, unlit.Y), TColor(0x404040));
  EXPECT_EQ(Px(r, lit.X + 3, lit.Y), clBlack);  // the gap right of the dot
  EXPECT_EQ(Px(r, 0, 0), clGray);
  EXPECT_EQ(Px(r, 1, 1), clBlack);
  EXPECT_EQ(Px(r, 399, 67), clWhite);

  r.SetAutoHeight(true);
  EXPECT_EQ(r.Height(), 1 + 4 * 12);
}

TEST_F(RasterLab, Clamps) {
  TRasterLab r(nullptr);
  struct Case {
    void (TRasterLab::*set)(Integer);
    Integer (TRasterLab::*get)() const;
    Integer in, out;
  };
  const Case cases[] = {
      {&TRasterLab::SetDotSize, &TRasterLab::DotSize, 0, 1},
      {&TRasterLab::SetDotSize, &TRasterLab::DotSize, 40, 32},
      {&TRasterLab::SetDotSpacing, &TRasterLab::DotSpacing, 5, 3},
      {&TRasterLab::SetDotSpacing, &TRasterLab::DotSpacing, -1, 0},
      {&TRasterLab::SetScrollIv, &TRasterLab::ScrollInterval, 5, 10},
      {&TRasterLab::SetScrollInc, &TRasterLab::ScrollIncrement, 0, 1},
      {&TRasterLab::SetScrollInc, &TRasterLab::ScrollIncrement, -3, 3},
      {&TRasterLab::SetScrollInc, &TRasterLab::ScrollIncrement, std::numeric_limits<Integer>::min(),
       std::numeric_limits<Integer>::max()},
  };
  for (const Case& c : cases) {
    (r.*c.set)(c.in);
    EXPECT_EQ((r.*c.get)(), c.out) << c.in;
  }
}

TEST_F(RasterLab, BuiltInFont) {
  TFont named;
  named.SetName(u"DEFAULT");
  for (TFont* f : {static_cast<TFont*>(nullptr), &named}) {
    const TRDCharMatrix m = CreateBitFont(f);
    EXPECT_EQ(m.FontWidth, 7);
    EXPECT_EQ(m.FontHeight, 12);
    EXPECT_EQ(Rows(m, 'A'), (std::vector<uint32_t>{0, 8, 8, 0x14, 0x14, 0x22, 0x3E, 0x22, 0x22, 0x77, 0, 0}));
    EXPECT_EQ(Rows(m, '0'), (std::vector<uint32_t>{0, 0x1C, 0x22, 0x22, 0x22, 0x22, 0x22, 0x22, 0x22, 0x1C, 0, 0}));
    EXPECT_EQ(Rows(m, '.'), (std::vector<uint32_t>{0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 0, 0}));
    EXPECT_EQ(m.LeftMostBit['A'] * 10 + m.RightMostBit['A'], 6);
    EXPECT_EQ(m.LeftMostBit['0'] * 10 + m.RightMostBit['0'], 15);
    EXPECT_EQ(m.LeftMostBit['.'] * 10 + m.RightMostBit['.'], 33);
    EXPECT_EQ(m.LeftMostBit[' '] * 10 + m.RightMostBit[' '], 6);
    EXPECT_EQ(Rows(m, ' '), std::vector<uint32_t>(12, 0));
    for (char c : {'g', 'j', 'p', 'q', 'y'}) EXPECT_NE(m.BitData[int(c)][10] | m.BitData[int(c)][11], 0u) << c;

    // Every printable character has ink within its columns and looks unlike every other one (the
    // soft hyphen may look like the hyphen).
    std::set<std::vector<uint32_t>> seen;
    for (int code = 0x21; code <= 0xFF; ++code) {
      if (code >= 0x7F && code <= 0xA0) continue;
      uint32_t all = 0;
      for (uint32_t row : Rows(m, code)) all |= row;
      ASSERT_NE(all, 0u) << code;
      EXPECT_EQ(m.LeftMostBit[code], std::countr_zero(all)) << code;
      EXPECT_EQ(m.RightMostBit[code], 31 - std::countl_zero(all)) << code;
      if (code != 0xAD) {
        EXPECT_TRUE(seen.insert(Rows(m, code)).second) << "glyph " << code << " repeats";
      }
    }
  }
}

TEST_F(RasterLab, SampledFontAndDefaultName) {
  TRasterLab r(nullptr);
  const TRDCharMatrix builtIn = r.CharMatrix();
  r.Font()->SetName(u"DejaVu Sans");
  r.Font()->SetSize(10);
  const TRDCharMatrix& m = r.CharMatrix();
  EXPECT_GT(m.FontHeight, 8);
  EXPECT_LT(m.FontHeight, 32);
  EXPECT_EQ(m.LeftMostBit[' '], 0);
  EXPECT_EQ(m.RightMostBit[' '], m.FontWidth / 2);
  EXPECT_GT(m.RightMostBit['W'] - m.LeftMostBit['W'], m.RightMostBit['i'] - m.LeftMostBit['i']);
  // The dots do not depend on the colour the font is drawn in, not even white.
  const std::vector<uint32_t> a = Rows(m, 'a', 32);
  r.Font()->SetColor(clWhite);
  EXPECT_EQ(Rows(r.CharMatrix(), 'a', 32), a);

  r.SetAutoHeight(true);
  EXPECT_EQ(r.Height(), 1 + 4 * r.CharMatrix().FontHeight);
  r.Font()->SetName(u"DeFault");
  EXPECT_EQ(Rows(r.CharMatrix(), 'A'), Rows(builtIn, 'A'));
  EXPECT_EQ(r.Height(), 49);

  // On a form the label keeps its own font instead of taking the form's.
  TForm form(nullptr);
  auto* onForm = new TRasterLab(&form);
  onForm->SetParent(&form);
  EXPECT_EQ(Rows(onForm->CharMatrix(), 'A'), Rows(builtIn, 'A'));
}

TEST_F(RasterLab, WidthsAndCharacterCodes) {
  TRasterLab r(nullptr);
  // Proportional: ink width plus one empty column, at pitch 4.
  EXPECT_EQ(r.CalcTextBitLength(u"A."), (7 + 1) * 4 + (1 + 1) * 4);
  r.SetProportional(false);
  EXPECT_EQ(r.CalcTextBitLength(u"A."), 2 * 8 * 4);
  Integer len = 0;
  TBitmap bmp(200, 60);
  PaintString(bmp.Canvas(), r.CharMatrix(), 0, 0, u"i.", 3, 1, clLime, clGray, clBlack, rdbmOn, false, len);
  EXPECT_EQ(len, 2 * 8 * 4 + 1);

  EXPECT_EQ(RasterCharCode(u'\u00E9'), 0xE9);
  EXPECT_EQ(RasterCharCode(u'\u20AC'), 0x80);
  EXPECT_EQ(RasterCharCode(u'\u2014'), 0x97);
  EXPECT_EQ(RasterCharCode(u'\u4E2D'), RasterReplacementCode);
  // A character outside the 16-bit range is one replacement glyph, not two.
  EXPECT_EQ(r.CalcTextBitLength(u"\U0001F600"), r.CalcTextBitLength(u"\u007F"));

  // A code without ink (first column 31, last 0) takes no columns instead of stepping back.
  TRDCharMatrix m = r.CharMatrix();
  m.LeftMostBit['x'] = 31;
  m.RightMostBit['x'] = 0;
  m.FontHeight = 40;  // more rows than a matrix has are not read
  r.SetCharMatrix(m);
  r.SetProportional(true);
  EXPECT_EQ(r.CalcTextBitLength(u"x"), 4);
  PaintString(bmp.Canvas(), m, 0, 0, u"AxA", 3, 1, clLime, clGray, clBlack, rdbmOn, true, len);
  EXPECT_EQ(len, 8 * 4 + 4 + 8 * 4 + 1);
}

TEST_F(RasterLab, BlockModesAndFrames) {
  TRasterLab r(nullptr);
  r.SetText(u"I");  // columns 1..5
  const Integer sepX = Dot(r, 5 + 1, 0).X + 1;  // inside the empty column after the I
  r.Paint();
  EXPECT_EQ(Px(r, sepX, 40), clBlack);
  r.SetCharBlockMode(rdbmRaster);
  EXPECT_EQ(Px(r, sepX, Dot(r, 0, 4).Y + 1), TColor(0x404040));
  r.SetCharBlockMode(rdbmOff);
  r.SetColorLabBakG(clNavy);
  EXPECT_EQ(Px(r, sepX, Dot(r, 0, 4).Y + 1), clNavy);
  EXPECT_EQ(Px(r, Dot(r, 1, 1).X, Dot(r, 1, 1).Y), clLime);

  struct Frame {
    TFrameStyle style;
    TColor topLeft, inner, bottomRight;
  };
  const Frame frames[] = {
      {fsNone, clNavy, clNavy, clNavy},       {fsSimple, clGray, clNavy, clGray},
      {fsRaised, clGray, clWhite, clBlack},   {fsEmbossed, clWhite, clGray, clGray},
      {fsEngraved, clGray, clWhite, clWhite},
  };
  for (const Frame& f : frames) {
    r.SetFrameStyle(f.style);
    EXPECT_EQ(Px(r, 0, 0), f.topLeft) << int(f.style);
    EXPECT_EQ(Px(r, 1, 20), f.inner) << int(f.style);
    EXPECT_EQ(Px(r, 399, 67), f.bottomRight) << int(f.style);
  }
  r.SetColorScheme(csSystem);
  r.SetFrameStyle(fsSimple);
  EXPECT_EQ(Px(r, 0, 0), ColorToRGB(clBtnShadow));
}

TEST_F(RasterLab, AssignCopiesTextAndLooksOnly) {
  TRasterLab a(nullptr), b(nullptr);
  a.SetText(u"Copy");
  a.SetColorDotOn(clRed);
  a.SetFrameStyle(fsSimple);
  a.SetDotSize(5);
  a.SetColorDotOff(clMaroon);
  b.Assign(&a);
  EXPECT_EQ(b.Text(), u"Copy");
  EXPECT_EQ(b.ColorDotOn(), clRed);
  EXPECT_EQ(b.FrameStyle(), fsSimple);
  EXPECT_EQ(b.DotSize(), 3);
  EXPECT_EQ(b.ColorDotOff(), TColor(0x404040));
  // A plain control is no raster label: the framework refuses instead of bouncing back and forth.
  TGraphicControl g(nullptr);
  EXPECT_THROW(g.Assign(&a), EConvertError);
}

TEST_F(RasterLab, ScrollRightLoopsOncePerPass) {
  TRasterLab r(nullptr);
  r.SetBounds(0, 0, 100, 49);
  r.SetText(u"AB");
  int restarts = 0, ticks = 0;
  r.SetOnScrollLoopRestart([&](TObject*) { ++restarts; });
  r.SetOnScrollTimer([&](TObject*) { ++ticks; });
  r.SetScrollIncrement(10);
  r.SetScrollInterval(10);
  r.Paint();
  const Integer len = r.TextBitLength();
  r.SetScrollMode(rdsmRight);
  Application->Advance(110);  // 11 ticks: 10 .. 100, then past the edge
  EXPECT_EQ(ticks, 11);
  EXPECT_EQ(restarts, 1);
  EXPECT_EQ(r.ScrollPosX(), -len);  // the right end at the left edge
  // One pass is (100 + len) / 10 ticks long, rounded up.
  const int pass = (100 + len) / 10 + 1;
  Application->Advance(10 * pass);
  EXPECT_EQ(restarts, 2);

  r.SetScrollLoop(false);
  Application->Advance(10 * 3 * pass);
  EXPECT_EQ(restarts, 2);
  EXPECT_GT(r.ScrollPosX(), 100);
  for (Integer x = 3; x < 97; x += 2) ASSERT_NE(Px(r, x, Dot(r, 0, 5).Y + 1), clLime) << x;

  r.SetScrollMode(rdsmOff);
  EXPECT_EQ(r.ScrollPosX(), 0);
  Application->Advance(1000);
  EXPECT_EQ(ticks, 11 + pass + 3 * pass);
}

TEST_F(RasterLab, OtherDirectionsComeBack) {
  for (TRDScrollMode mode : {rdsmLeft, rdsmDown, rdsmUp}) {
    TRasterLab r(nullptr);
    r.SetBounds(0, 0, 60, 60);
    r.SetText(u"W");
    r.SetScrollInterval(10);
    r.SetScrollIncrement(7);
    int restarts = 0;
    r.SetOnScrollLoopRestart([&](TObject*) { ++restarts; });
    r.Paint();
    r.SetScrollMode(mode);
    Application->Advance(10 * 40);
    EXPECT_GE(restarts, 2) << int(mode);
    // Each restart puts the text just outside the edge it comes in from.
    const bool vertical = mode != rdsmLeft;
    const Integer pos = vertical ? r.ScrollPosY() : r.ScrollPosX();
    EXPECT_GT(pos, -200) << int(mode);
    EXPECT_LT(pos, 200) << int(mode);
  }
}

TEST_F(RasterLab, TimerFailuresDesignTimeAndHandlerErrors) {
  TRasterLab r(nullptr);
  r.SetName(u"Ticker");
  Application->SetTimerCapacity(0);
  try {
    r.SetScrollMode(rdsmLeft);
    FAIL() << "no error";
  } catch (const EJOXRasterLabError& e) {
    EXPECT_EQ(e.Message(), u"Component \"Ticker\": no timer available");
  }
  Application->SetTimerCapacity(100);

  TRasterLab d(nullptr);
  d.SetDesigning(true);
  int ticks = 0;
  d.SetOnScrollTimer([&](TObject*) { ++ticks; });
  d.SetScrollMode(rdsmRight);
  d.SetScrollInterval(20);
  Application->Advance(500);
  EXPECT_EQ(ticks, 0);
  EXPECT_EQ(d.ScrollMode(), rdsmRight);

  // An error in the handler reaches the application and the scrolling goes on.
  TRasterLab t(nullptr);
  t.SetOnScrollTimer([&](TObject*) {
    ++ticks;
    throw Exception(u"handler failed");
  });
  t.SetScrollMode(rdsmRight);
  Application->Advance(300);
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(Application->ExceptionCount(), 3);
  EXPECT_EQ(t.ScrollPosX(), 3);
}

TEST_F(RasterLab, FormTextRoundTrip) {
  RegisterClass<TRasterLab>();
  TForm f(nullptr);
  auto* r = new TRasterLab(&f);
  r->SetName(u"Board");
  r->SetParent(&f);
  r->SetText(u"Gleis 3");
  r->SetDotSize(2);
  r->SetCharBlockMode(rdbmRaster);
  r->SetAutoCenter(true);
  r->SetAutoHeight(true);
  r->SetScrollMode(rdsmUp);
  r->Font()->SetName(u"DejaVu Sans");
  // Both are read after AutoCenter and AutoHeight and change what those fit.
  r->SetProportional(false);
  r->SetFrameStyle(fsEmbossed);
  const String text = WriteComponentText(&f);

  TForm g(nullptr);
  ReadComponentText(text, &g);
  auto* s = dynamic_cast<TRasterLab*>(g.FindComponent(u"Board"));
  ASSERT_NE(s, nullptr) << ToUtf8(text);
  EXPECT_EQ(s->Text(), u"Gleis 3");
  EXPECT_EQ(s->DotSize(), 2);
  EXPECT_EQ(s->CharBlockMode(), rdbmRaster);
  EXPECT_EQ(s->PosX(), r->PosX());
  EXPECT_EQ(s->Height(), r->Height());
  EXPECT_EQ(s->Height(), 2 + 3 * r->CharMatrix().FontHeight);
  EXPECT_EQ(s->ScrollMode(), rdsmUp);
  EXPECT_EQ(Rows(s->CharMatrix(), 'g', 32), Rows(r->CharMatrix(), 'g', 32));
  // A label written with the built-in font reads back with it.
  r->Font()->SetName(u"default");
  TForm h(nullptr);
  ReadComponentText(WriteComponentText(&f), &h);
  EXPECT_EQ(Rows(dynamic_cast<TRasterLab*>(h.FindComponent(u"Board"))->CharMatrix(), 'A'),
            Rows(CreateBitFont(nullptr), 'A'));

  // A centred text stays centred when the label grows.
  const Integer before = r->PosX();
  r->SetWidth(r->Width() + 100);
  EXPECT_EQ(r->PosX(), before + 50);
}

// Every setting Assign copies, each changed from its default first.
TEST_F(RasterLab, AssignCopiesEveryNamedSetting) {
  const std::vector<String> copied = {u"FrameStyle", u"Text", u"ColorLabBakG", u"ColorDotOn", u"ColorScheme"};
  TRasterLab src(nullptr), dst(nullptr);
  EXPECT_EQ(test::ChangeProps(src, copied), copied);
  dst.Assign(&src);
  EXPECT_TRUE(test::SameProps(src, dst, copied));
}

// Every published setting of its own takes a new value (a setter that ignored changes would show here).
TEST_F(RasterLab, EveryOwnSettingTakesANewValue) {
  TRasterLab fresh(nullptr);
  EXPECT_EQ(jox::test::RefusedProps(fresh), (std::vector<String>{}));
}

// A sampled font is as tall as its deepest character, wherever that stands in the code table: no
// character may lose rows below FontHeight.
TEST_F(RasterLab, SampledFontHeightCoversEveryCharacter) {
  TRasterLab r(nullptr);
  r.Font()->SetName(u"DejaVu Sans");
  for (const Integer size : {8, 10, 14, 20}) {
    r.Font()->SetSize(size);
    const TRDCharMatrix& m = r.CharMatrix();
    ASSERT_GT(m.FontHeight, 0) << size;
    ASSERT_LE(m.FontHeight, 32) << size;
    std::set<int> cut;
    bool deepestRowUsed = false;
    for (int code = 32; code <= 255; ++code) {
      for (Integer row = m.FontHeight; row < 32; ++row)
        if (m.BitData[code][row]) cut.insert(code);
      deepestRowUsed = deepestRowUsed || m.BitData[code][m.FontHeight - 1] != 0;
    }
    EXPECT_EQ(cut, std::set<int>()) << "size " << size;
    EXPECT_TRUE(deepestRowUsed) << size;
  }
}
