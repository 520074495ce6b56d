// The progress bar: defaults and clamps, the colour table, the three mappings, the four directions,
// the grid, frames, the value text and its rotation, the background picture, the automatic
// increment on the virtual clock, and copying.
#include <gtest/gtest.h>

#include <filesystem>
#include <limits>

#include "package/framework/controls/forms.h"
#include "progbar/progbar.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

// The default 300 x 28 bar: area (4, 4) .. (296, 24), 292 columns and 20 rows. Frames and text are
// off so the bar's own pixels show.
class ProgBarTest : public test::FrameworkTest {
 protected:
  void SetUp() override {
    test::FrameworkTest::SetUp();
    b = std::make_unique<TProgBar>(nullptr);
    b->SetName(u"Bar1");
    b->SetFrameStyleInner(fsNone);
    b->SetFrameStyleOuter(fsNone);
    b->SetTextVisible(false);
  }
  TColor Px(Integer x, Integer y) { return b->Canvas()->Pixels(x, y); }
  TColor Entry(Integer i) { return b->GetBarColorElem(i); }
  std::unique_ptr<TProgBar> b;
};

// Bounding box of the pixels that are not the bar area's colour.
TRect InkBox(TProgBar& b) {
  TRect r = Rect(1 << 20, 1 << 20, -1, -1);
  for (Integer y = 0; y < b.Height(); ++y)
    for (Integer x = 0; x < b.Width(); ++x)
      if (b.Canvas()->Pixels(x, y) != b.ColorBackGnd()) {
        r.Left = std::min(r.Left, x), r.Top = std::min(r.Top, y);
        r.Right = std::max(r.Right, x + 1), r.Bottom = std::max(r.Bottom, y + 1);
      }
  return r;
}

}  // namespace

TEST(ProgBar, DefaultsAndClamps) {
  TProgBar b(nullptr);
  EXPECT_EQ(b.Width(), 300);
  EXPECT_EQ(b.Height(), 28);
  for (const TPropInfo& p : TProgBar::ClassInfo().Props) EXPECT_TRUE(!p.Default || p.IsDefault(b)) << ToUtf8(p.Name);
  EXPECT_EQ(b.GetBarColorElem(1024), 0u);

  b.SetTextDecPlaces(20);
  EXPECT_EQ(b.TextDecPlaces(), 10);
  b.SetTextAngle(-5);
  EXPECT_EQ(b.TextAngle(), 0);
  b.SetRepeatInterval(3);
  EXPECT_EQ(b.RepeatInterval(), 10);
  b.SetTextPosX(1000);
  EXPECT_EQ(b.TextPosX(), 300);
  b.SetAutoIncStep(0);
  EXPECT_EQ(b.AutoIncStep(), 1.0);

  b.SetRange(5, 1);
  EXPECT_EQ(b.Min(), 1);
  EXPECT_EQ(b.Max(), 5);
}

TEST_F(ProgBarTest, ColorTableGradientAndSingleEntries) {
  // Byte by byte, truncated: entry 512 of blue .. red.
  EXPECT_EQ(Entry(512), RGB(Byte(255 * 512 / 1023), 0, Byte(255 - 255 * 512 / 1023.0)));
  int paints = 0;
  b->SetTextVisible(true);
  b->SetOnShowValue([&](TObject*, String&) { ++paints; });
  b->SetBarColorElem(512, clGreen);
  b->SetBarColorElem(5000, clGreen);  // ignored
  EXPECT_EQ(Entry(512), clGreen);
  EXPECT_EQ(paints, 0);  // writing an entry does not paint
  b->SetColorMin(clLime);
  EXPECT_EQ(paints, 1);
  EXPECT_EQ(Entry(0), clLime);
  EXPECT_EQ(Entry(512), RGB(Byte(255 * 512 / 1023), Byte(255 - 255 * 512 / 1023.0), 0));
}

TEST_F(ProgBarTest, MappingModesAtHalfValue) {
  b->SetShowColorGradient(true);
  b->SetValue(50);  // 146 of 292 columns: x 4 .. 149
  auto colour = [&](Integer column) { return Px(4 + column, 14); };

  b->SetColorMapMode(cgmStretch);
  EXPECT_EQ(colour(0), Entry(0));
  EXPECT_EQ(colour(145), Entry(1016));  // round(1023 * 145 / 146)
  b->SetValue(10);                      // a short bar still shows the whole gradient
  EXPECT_EQ(colour(28), Entry(988));    // 29 columns: round(1023 * 28 / 29)
  b->SetValue(50);

  b->SetColorMapMode(cgmCover);
  EXPECT_EQ(colour(0), Entry(0));
  EXPECT_EQ(colour(145), Entry(508));  // only the first half: round(1023 * 145 / 292)

  b->SetColorMapMode(cgmMove);
  EXPECT_EQ(colour(0), Entry(515));  // the second half, its end at the tip
  EXPECT_EQ(colour(145), Entry(1023));
  EXPECT_EQ(Px(150, 14), b->ColorBackGnd());

  EXPECT_EQ(ProgBarColorIndex(cgmMove, 0, 2000, 292), 0);  // clamped
  EXPECT_EQ(ProgBarColorIndex(cgmCover, 5, 5, 0), 0);      // no area, no division
}

TEST_F(ProgBarTest, FourDirections) {
  b->SetValue(50);
  const TColor bar = b->ColorMin(), back = b->ColorBackGnd();
  struct Row {
    TDirection d;
    TPoint in, out;  // last pixel inside the bar, first one beyond its tip
  };
  const Row rows[] = {
      {dirRight, {149, 14}, {150, 14}},
      {dirLeft, {150, 14}, {149, 14}},
      {dirUp, {150, 14}, {150, 13}},
      {dirDown, {150, 13}, {150, 14}},
  };
  for (const Row& r : rows) {
    b->SetDirection(r.d);
    EXPECT_EQ(Px(r.in.X, r.in.Y), bar) << int(r.d);
    EXPECT_EQ(Px(r.out.X, r.out.Y), back) << int(r.d);
    // The gradient starts at the bar's base whatever the direction.
    b->SetShowColorGradient(true);
    b->SetColorMapMode(cgmCover);
    const TPoint base = r.d == dirRight ? Point(4, 14) : r.d == dirLeft ? Point(295, 14)
                        : r.d == dirUp  ? Point(150, 23) : Point(150, 4);
    EXPECT_EQ(Px(base.X, base.Y), Entry(0)) << int(r.d);
    b->SetShowColorGradient(false);
  }
}

// A value below Min draws nothing rather than a bar turned back into the margin; Min = Max draws
// no bar; far past Max the bar fills to the control's edge.
TEST_F(ProgBarTest, BarOutsideItsRange) {
  const TColor bar = b->ColorMin(), back = b->ColorBackGnd();
  b->SetColorMargin(clWhite);
  b->SetValue(-20);
  EXPECT_EQ(Px(2, 14), clWhite);
  EXPECT_EQ(Px(4, 14), back);
  b->SetRange(50, 50);
  b->SetValue(50);
  EXPECT_EQ(Px(4, 14), back);
  b->SetRange(0, 100);
  b->SetValue(1e300);
  EXPECT_EQ(Px(299, 14), bar);
  b->SetShowColorGradient(true);
  b->SetGridDist(2);
  b->SetValue(1e12);  // far beyond the control: drawn only as far as it shows
  EXPECT_NE(Px(299, 14), clWhite);
  b->SetMarginRight(std::numeric_limits<Integer>::max());  // margins wider than any control
  b->SetMarginTop(std::numeric_limits<Integer>::min());
  EXPECT_EQ(Px(150, 14), clWhite);
}

TEST_F(ProgBarTest, GridOverTheFilledPart) {
  b->SetValue(50);  // tip at x = 150
  b->SetColorGrid(clYellow);
  b->SetGridDist(1);
  EXPECT_EQ(Px(4, 14), b->ColorMin());
  b->SetGridDist(5);
  for (Integer x = 4; x <= 150; x += 5) EXPECT_EQ(Px(x, 14), clYellow) << x;
  EXPECT_EQ(Px(5, 14), b->ColorMin());
  EXPECT_EQ(Px(154, 14), b->ColorBackGnd());
  // A tip that falls on the grid gets its line too: 145 of the 292 columns filled.
  b->SetRange(0, 292);
  b->SetValue(145);
  EXPECT_EQ(Px(4 + 144, 14), b->ColorMin());
  EXPECT_EQ(Px(4 + 145, 14), clYellow);
  EXPECT_EQ(Px(4 + 146, 14), b->ColorBackGnd());
  b->SetRange(0, 100);
  b->SetValue(50);
  b->SetDirection(dirUp);  // rows from the bottom, within the bar: y = 23, 18, 14 is not
  EXPECT_EQ(Px(150, 23), clYellow);
  EXPECT_EQ(Px(150, 18), clYellow);
  EXPECT_EQ(Px(150, 13), b->ColorBackGnd());
}

TEST_F(ProgBarTest, FramesOnAreaAndControl) {
  b->SetColorMargin(clAqua);
  b->SetValue(0);
  b->SetFrameStyleInner(TFrameStyle(2));  // area (4, 4) .. (296, 24)
  EXPECT_EQ(Px(5, 10), clBlack);   // upper left inner line
  EXPECT_EQ(Px(4, 10), clGray);    // gray outline
  EXPECT_EQ(Px(150, 23), clWhite);  // lower right
  EXPECT_EQ(Px(4, 23), clAqua);    // corners where light meets shade
  EXPECT_EQ(Px(295, 4), clAqua);
  b->SetFrameStyleOuter(TFrameStyle(1));
  EXPECT_EQ(Px(299, 10), clGray);
  b->SetColorScheme(TColorScheme(1));
  EXPECT_EQ(Px(299, 10), ColorToRGB(clBtnShadow));
}

TEST_F(ProgBarTest, ValueTextFormatsAndRotates) {
  String seen;
  b->SetOnShowValue([&](TObject*, String& t) { seen = t; });
  b->SetValue(12.5);
  b->SetTextVisible(true);
  EXPECT_EQ(seen, u"12");  // halves to even
  b->SetTextDecPlaces(2);
  EXPECT_EQ(seen, u"12.50");
  b->SetTextDecPlaces(-1);  // exponent notation
  EXPECT_EQ(seen, u" 1.E+01");  // the exponent layout's narrowest form

  // The reference point lies in the middle of the text's middle line, at any angle.
  b->SetValue(0);
  b->SetTextDecPlaces(0);
  b->SetOnShowValue([](TObject*, String& t) { t = u"88888"; });
  b->Font()->SetColor(clBlack);
  b->SetTextPosX(150);
  b->SetTextAngle(0);
  TRect flat = InkBox(*b);
  EXPECT_GT(flat.Right - flat.Left, flat.Bottom - flat.Top);
  EXPECT_NEAR((flat.Left + flat.Right) / 2.0, 150, 2);
  EXPECT_NEAR((flat.Top + flat.Bottom) / 2.0, 14, 3);
  b->SetTextAngle(90);
  TRect up = InkBox(*b);
  EXPECT_GT(up.Bottom - up.Top, up.Right - up.Left);
  EXPECT_NEAR((up.Left + up.Right) / 2.0, 150, 3);
  EXPECT_NEAR((up.Top + up.Bottom) / 2.0, 14, 2);
  b->SetTextAlignment(taLeftJustify);  // rising from the reference point
  EXPECT_NEAR(InkBox(*b).Bottom, 14, 2);
}

TEST_F(ProgBarTest, BackgroundPicture) {
  const jox::test::ScratchDir dir;
  const std::string file = (dir.Path() / "progbar_bg.bmp").string();
  TBitmap pic(4, 4);
  pic.Canvas()->Brush()->SetColor(clFuchsia);
  pic.Canvas()->FillRect(Rect(0, 0, 4, 4));
  pic.SaveToFile(FromUtf8(file));
  b->SetValue(0);
  b->SetBackGroundImg(FromUtf8(file));
  EXPECT_EQ(b->BackGroundImg(), FromUtf8(file));
  EXPECT_EQ(Px(200, 14), clFuchsia);
  EXPECT_EQ(Px(2, 14), b->ColorMargin());
  b->SetBackGroundImg(u"/nonexistent/bg.bmp");  // ignored: the picture and its name stay
  EXPECT_EQ(b->BackGroundImg(), FromUtf8(file));
  EXPECT_EQ(Px(200, 14), clFuchsia);
  b->SetBackGroundImg(u"");
  EXPECT_EQ(Px(200, 14), b->ColorBackGnd());
}

TEST_F(ProgBarTest, AutoIncRunsPastMax) {
  int ticks = 0;
  b->SetOnAutoInc([&](TObject*) { ++ticks; });
  b->SetValue(99.5);
  b->SetAutoInc(true);
  Application->Advance(1499);
  EXPECT_EQ(b->Value(), 99.5);
  Application->Advance(1);  // the start delay
  EXPECT_EQ(b->Value(), 100.5);
  Application->Advance(700);  // then the repeat interval
  EXPECT_EQ(b->Value(), 101.5);
  EXPECT_EQ(ticks, 2);
  EXPECT_EQ(Px(297, 14), b->ColorMin());  // beyond the area, clipped by the control
  b->SetAutoIncStep(-0.5);
  Application->Advance(700);
  EXPECT_EQ(b->Value(), 101.0);
  b->SetAutoInc(false);
  Application->Advance(5000);
  EXPECT_EQ(b->Value(), 101.0);
  EXPECT_EQ(ticks, 3);
}

TEST_F(ProgBarTest, NoTimerLeavesAutoIncOff) {
  Application->SetTimerCapacity(0);
  try {
    b->SetAutoInc(true);
    FAIL() << "no error";
  } catch (const EJOXProgBar& e) {
    EXPECT_EQ(e.Message(), u"Component \"Bar1\": no timer available");
  }
  EXPECT_FALSE(b->AutoInc());  // so setting it again tries again
  Application->SetTimerCapacity(10);
  b->SetAutoInc(true);
  Application->Advance(1500);
  EXPECT_EQ(b->Value(), 11.0);
}

TEST_F(ProgBarTest, AssignCopiesLooksNotTheIncrement) {
  b->SetBarColorElem(300, clLime);
  b->SetRange(-5, 5);
  b->SetDirection(dirUp);
  b->SetTextAngle(45);
  b->SetAutoIncStep(3);
  b->SetOnShowValue([](TObject*, String& t) { t = u"x"; });
  TProgBar c(nullptr);
  c.Assign(b.get());
  EXPECT_EQ(c.GetBarColorElem(300), clLime);
  EXPECT_EQ(c.Min(), -5);
  EXPECT_EQ(c.Direction(), dirUp);
  EXPECT_EQ(c.TextAngle(), 45);
  EXPECT_TRUE(bool(c.OnShowValue()));
  EXPECT_EQ(c.AutoIncStep(), 1.0);
  TBitmap other;
  EXPECT_THROW(c.Assign(&other), EConvertError);
}

// Every setting Assign copies, each changed from its default first.
TEST_F(ProgBarTest, AssignCopiesEveryNamedSetting) {
  const std::vector<String> copied = {u"FrameStyleOuter", u"FrameStyleInner", u"Value", u"Min", u"Max", u"ColorMargin", u"ColorScheme", u"Direction", u"ColorMin", u"ColorMax", u"ColorBackGnd", u"ShowColorGradient", u"ColorGrid", u"GridDist", u"ColorMapMode", u"MarginLeft", u"MarginRight", u"MarginTop", u"MarginBottom", u"TextPosX", u"TextPosY", u"TextDecPlaces", u"TextAngle", u"TextAlignment", u"TextVisible"};
  TProgBar src(nullptr), dst(nullptr);
  EXPECT_EQ(jox::test::ChangeProps(src, copied), copied);
  dst.Assign(&src);
  EXPECT_TRUE(jox::test::SameProps(src, dst, copied));
}

// Every published setting of its own takes a new value (a setter that ignored changes would show here).
TEST_F(ProgBarTest, EveryOwnSettingTakesANewValue) {
  TProgBar fresh(nullptr);
  // a picture that cannot be read is ignored, its name too.
  EXPECT_EQ(jox::test::RefusedProps(fresh), (std::vector<String>{u"BackGroundImg"}));
}
