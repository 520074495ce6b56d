// Scaled forms: fixed metrics (scroll bars, tree buttons, menus, the calendar), glyphs drawn at the
// scale, bitmaps enlarged without fringes, and how a scale is read from text.
#include <gtest/gtest.h>

#include <cmath>

#include "package/framework/framework.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

class ScalingTest : public jox::test::FrameworkTest {};

class TBox : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
};

class TList : public TPopupWindow {
 public:
  using TPopupWindow::TPopupWindow;
};

// The bounding box of the pixels of colour c within Area (the whole bitmap when empty).
TRect InkBox(TBitmap& b, TColor c, TRect Area = TRect()) {
  if (Area.IsEmpty()) Area = Rect(0, 0, b.Width(), b.Height());
  TRect r = Rect(Area.Right, Area.Bottom, -1, -1);
  for (Integer y = Area.Top; y < Area.Bottom; ++y)
    for (Integer x = Area.Left; x < Area.Right; ++x)
      if (b.Canvas()->Pixels(x, y) == c)
        r = Rect(std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1), std::max(r.Bottom, y + 1));
  return r;
}

TEST_F(ScalingTest, MetricsFollowTheScaleOfTheControlsForm) {
  Screen->SetScale(2);
  TForm form(nullptr);
  form.SetClientWidth(300);
  form.SetClientHeight(200);
  auto* grid = new TDrawGrid(&form);
  grid->SetParent(&form);
  grid->SetBounds(0, 0, 150, 100);
  grid->SetRowCount(100);
  grid->SetColCount(20);
  auto* part = new TBox(grid);  // made by a control, without a parent of its own
  TDrawGrid loose(nullptr);
  // Before the form is shown it is laid out for 1.
  EXPECT_EQ(grid->BarSize(), kScrollBarSize);
  form.Show();
  EXPECT_EQ(grid->BarSize(), 34);
  EXPECT_EQ(grid->ScrollBarRect(sbVertical).Width(), 34);
  EXPECT_EQ(grid->ClientBounds().Right, 300 - 34 - 2);  // its frame of 1 at each side stays 1
  EXPECT_EQ(ScaledMetric(part, 17), 34);
  EXPECT_EQ(loose.BarSize(), 17);
  // A popup follows what opened it.
  TList popup(nullptr);
  popup.SetBounds(0, 0, 50, 50);
  EXPECT_EQ(ScaledMetric(&popup, 17), 17);
  popup.Popup(grid, 10, 10);
  EXPECT_EQ(ScaledMetric(&popup, 17), 34);
  popup.ClosePopup();
  // 1.5 rounds to the nearest pixel; a form that does not follow the scale keeps its pixels.
  Screen->SetScale(1.5);
  TForm mid(nullptr), fixed(nullptr);
  fixed.SetScaled(false);
  mid.Show();
  fixed.Show();
  EXPECT_EQ(ScaledMetric(&mid, 17), 26);
  EXPECT_EQ(ScaledMetric(&mid, 1), 2);
  EXPECT_EQ(ScaledMetric(&fixed, 17), 17);
}

TEST_F(ScalingTest, ScaleTextIsAPlainPositiveNumber) {
  const struct {
    const char* text;
    double scale;
  } rows[] = {{"2", 2}, {"1.5", 1.5}, {" 1.25\t", 1.25}, {"", 0}, {"2x", 0}, {"x2", 0}, {"abc", 0},
              {"nan", 0}, {"inf", 0}, {"-2", 0}, {"0", 0}, {"1e1", 0}, {"1,5", 0}};
  for (const auto& r : rows) EXPECT_EQ(TScreen::ScaleFromText(r.text), r.scale) << '"' << r.text << '"';
  // Out of range values are kept in 1 .. 4.
  Screen->SetScale(0.5);
  EXPECT_EQ(Screen->Scale(), 1);
  Screen->SetScale(9);
  EXPECT_EQ(Screen->Scale(), 4);
}

TEST_F(ScalingTest, CheckMarksAndRadioDotsAreDrawnAtTheScaleWithoutGaps) {
  for (double k : {1.0, 1.5, 2.0}) {
    TBitmap b(40, 40);
    b.Canvas()->Brush()->SetColor(clWhite);
    b.Canvas()->FillRect(Rect(0, 0, 40, 40));
    DrawCheckMark(b.Canvas(), 5, 5, clBlack, k);
    const Integer side = Integer(std::lround(7 * k));
    EXPECT_EQ(InkBox(b, clBlack), Bounds(5, 5, side, side)) << k;
    // Every column of the mark is inked, each in one unbroken run.
    for (Integer x = 5; x < 5 + side; ++x) {
      Integer runs = 0;
      for (Integer y = 0; y < 40; ++y)
        runs += b.Canvas()->Pixels(x, y) == clBlack && (y == 0 || b.Canvas()->Pixels(x, y - 1) != clBlack);
      EXPECT_EQ(runs, 1) << "scale " << k << " column " << x;
    }
    DrawRadioDot(b.Canvas(), 20, 20, clRed, k);
    const Integer dot = Integer(std::lround(6 * k));
    EXPECT_EQ(InkBox(b, clRed), Bounds(20, 20, dot, dot)) << k;
  }
}

TEST_F(ScalingTest, ScaledBitmapsKeepTheirShapeAndTransparentColour) {
  const TColor key = 0xEBBEEB;
  TBitmap b(4, 4);
  b.Canvas()->Brush()->SetColor(key);
  b.Canvas()->FillRect(Rect(0, 0, 4, 4));
  b.Canvas()->Brush()->SetColor(clRed);
  b.Canvas()->FillRect(Rect(1, 1, 3, 3));
  TBitmap twice;
  twice.Assign(&b);
  ScaleBitmap(&twice, 2, key);
  ASSERT_EQ(twice.Width(), 8);
  ASSERT_EQ(twice.Height(), 8);
  EXPECT_EQ(InkBox(twice, clRed), Rect(2, 2, 6, 6));  // whole pixels repeat
  // At 1.5 a pixel is red or transparent, never a blend of the two (a fringe round the picture).
  TBitmap half;
  half.Assign(&b);
  ScaleBitmap(&half, 1.5, key);
  ASSERT_EQ(half.Width(), 6);
  Integer red = 0;
  for (Integer y = 0; y < 6; ++y)
    for (Integer x = 0; x < 6; ++x) {
      const TColor c = half.Canvas()->Pixels(x, y);
      EXPECT_TRUE(c == key || c == clRed) << x << "," << y << ": " << std::hex << c;
      red += c == clRed;
    }
  EXPECT_GE(red, 4);
  // Without a key, neighbours blend where a pixel straddles them.
  TBitmap plain(2, 1);
  plain.Canvas()->SetPixels(0, 0, clBlack);
  plain.Canvas()->SetPixels(1, 0, clWhite);
  ScaleBitmap(&plain, 1.5);
  ASSERT_EQ(plain.Width(), 3);
  EXPECT_EQ(plain.Canvas()->Pixels(0, 0), clBlack);
  EXPECT_TRUE(test::ColorNear(plain.Canvas()->Pixels(1, 0), RGB(128, 128, 128), 1));
  EXPECT_EQ(plain.Canvas()->Pixels(2, 0), clWhite);
}

TEST_F(ScalingTest, SpeedButtonGlyphsAreDrawnAtTheScale) {
  TBitmap glyph(8, 8);
  glyph.Canvas()->Brush()->SetColor(clFuchsia);  // the bottom-left pixel: transparent
  glyph.Canvas()->FillRect(Rect(0, 0, 8, 8));
  glyph.Canvas()->Brush()->SetColor(clNavy);
  glyph.Canvas()->FillRect(Rect(2, 2, 6, 6));
  Screen->SetScale(2);
  TForm form(nullptr);
  form.SetBounds(0, 0, 100, 100);
  auto* b = new TSpeedButton(&form);
  b->SetParent(&form);
  b->SetBounds(10, 10, 30, 30);
  b->SetGlyph(&glyph);
  form.Show();
  b->Repaint();
  TBitmap& s = *form.Surface();
  EXPECT_EQ(InkBox(s, clNavy).Width(), 8);
  EXPECT_EQ(InkBox(s, clNavy).Height(), 8);
  EXPECT_TRUE(InkBox(s, clFuchsia).IsEmpty());  // none of the transparent colour
}

TEST_F(ScalingTest, TreeIndentAndExpandButtonsGrowWithTheForm) {
  Screen->SetScale(2);
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 300);
  auto* tv = new TTreeView(&form);
  tv->SetParent(&form);
  tv->SetBounds(0, 0, 200, 200);
  tv->SetShowLines(false);
  TTreeNode* root = tv->Items()->Add(nullptr, u"root");
  tv->Items()->AddChild(root, u"child");
  form.Show();
  EXPECT_EQ(tv->Indent(), 38);
  // The button answers within 12 pixels of its centre, on the row of the root.
  const Integer y = tv->ItemHeight() / 2;
  Integer onButton = 0;
  for (Integer x = 0; x < 60; ++x) onButton += tv->GetHitTestInfoAt(x, y).Contains(htOnButton);
  EXPECT_EQ(onButton, 25);
  // The box is 17 x 17 (9 x 9 at 1), its plus sign 9 long and 2 thick.
  tv->Repaint();
  TBitmap& s = *form.Surface();
  const TPoint o = tv->OriginInRoot();
  const TRect column = Rect(o.X, o.Y, o.X + tv->Indent(), o.Y + tv->ItemHeight());
  const TRect box = InkBox(s, clGray, column);
  EXPECT_EQ(box.Width(), 17);
  EXPECT_EQ(box.Height(), 17);
  const TRect plus = InkBox(s, clBlack, column);
  EXPECT_EQ(plus.Width(), 9);
  EXPECT_EQ(plus.Height(), 9);
}

TEST_F(ScalingTest, AutoSizedLabelsMeasureTheirTextAtTheScaledFont) {
  const String caption = u"A long caption: Wide Words, WWW and iii, measured again at the new size";
  for (double k : {1.5, 2.0}) {
    Screen->SetScale(k);
    TForm form(nullptr);
    form.SetClientWidth(600);
    auto* label = new TLabel(&form);
    label->SetParent(&form);
    label->SetCaption(caption);
    form.Show();
    TBitmap scratch(1, 1);
    scratch.Canvas()->Font()->Assign(label->Font());
    EXPECT_EQ(label->Width(), scratch.Canvas()->TextWidth(caption)) << k;
  }
}

TEST_F(ScalingTest, MenusAndTheCalendarAreLaidOutAtTheScale) {
  auto menuSize = [](double k) {
    Screen->SetScale(k);
    TForm form(nullptr);
    form.Show();
    auto* menu = new TPopupMenu(&form);
    auto* item = new TMenuItem(&form);
    item->SetCaption(u"Open the file");
    item->SetChecked(true);
    menu->Items()->Add(item);
    menu->Popup(10, 10);
    const TControl* level = menu->Level(0);
    const TPoint size{level->Width(), level->Height()};
    menu->CloseMenu();
    return size;
  };
  const TPoint one = menuSize(1), two = menuSize(2);
  EXPECT_GE(two.X, 2 * one.X - 4);
  EXPECT_LE(two.X, 2 * one.X + 4);
  EXPECT_GE(two.Y, 2 * one.Y - 4);
  EXPECT_LE(two.Y, 2 * one.Y + 4);

  Screen->SetScale(2);
  TForm form(nullptr);
  form.SetBounds(0, 0, 400, 300);
  auto* picker = new TDateTimePicker(&form);
  picker->SetParent(&form);
  picker->SetBounds(10, 10, 186, 21);
  form.Show();
  picker->SetDroppedDown(true);
  ASSERT_TRUE(picker->DroppedDown());
  // Seven cells of 44, margins of 8 and the frame.
  EXPECT_EQ(picker->CalendarPopup()->Width(), 7 * 44 + 2 * 8 + 2);
  picker->SetDroppedDown(false);
}

}  // namespace
