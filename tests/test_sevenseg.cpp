// TSevenSeg: which glyph each digit position shows (read back from the pixels against the glyph cache),
// points, cutting, colours, the clamps of the setters, and when the cache is built.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "package/framework/controls/forms.h"
#include "sevenseg/sevenseg.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

class SevenSegTest : public jox::test::FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    form.SetBounds(0, 0, 400, 200);
    s = new TSevenSeg(&form);
    s->SetParent(&form);
  }

  // Whether the control's rectangle at (X, Y) equals the cache's rectangle R.
  bool SameAsCache(Integer X, Integer Y, TRect R) {
    TBitmap* cache = s->ImageCache();
    for (Integer y = R.Top; y < R.Bottom; ++y)
      for (Integer x = R.Left; x < R.Right; ++x)
        if (s->Canvas()->Pixels(X + x - R.Left, Y + y - R.Top) != cache->Canvas()->Pixels(x, y)) return false;
    return true;
  }
  bool Plain(TRect r, TColor c) {
    for (Integer y = r.Top; y < r.Bottom; ++y)
      for (Integer x = r.Left; x < r.Right; ++x)
        if (s->Canvas()->Pixels(x, y) != c) return false;
    return true;
  }
  // What position J (1-based) shows: its glyph from SevenSegCharList ("" when empty, "?" when no
  // glyph matches), followed by "." when its point is lit.
  std::string Position(Integer J) {
    const Integer cc = s->CellWidth(), ch = s->CacheHeight(), m = s->Margin();
    const Integer x = (J - 1) * (cc + s->InterDigDist()) + m;
    const Integer px = cc * 5 / 6, py = ch * 5 / 6;
    std::string glyph = "?";
    if (Plain(Rect(x, m, x + cc, m + py), s->ColorBackGnd()) &&
        Plain(Rect(x, m + py, x + px, m + ch), s->ColorBackGnd()))
      glyph = "";
    for (Integer k = 0; k < SevenSegCharCount && glyph == "?"; ++k) {
      // Outside the point corner, which a point overwrites.
      if (SameAsCache(x, m, Rect(k * cc, 0, (k + 1) * cc, py)) &&
          SameAsCache(x, m + py, Rect(k * cc, py, k * cc + px, ch)))
        glyph = k == 20 ? "" : ToUtf8(String(1, SevenSegCharList[k]));
    }
    const bool point = SameAsCache(x + px, m + py, Rect(20 * cc + px, py, 21 * cc, ch));
    return glyph + (point ? "." : "");
  }
  std::vector<std::string> Positions(const char16_t* caption) {
    s->SetCaption(caption);
    s->Paint();
    std::vector<std::string> v;
    for (Integer j = 1; j <= s->NumDigits(); ++j) v.push_back(Position(j));
    return v;
  }
  // Pixels of the composition image with exactly colour C.
  Integer CountDigImg(TColor c, TRect r = Rect(0, 0, TSevenSeg::DigWidth, TSevenSeg::DigHeight)) {
    Integer n = 0;
    for (Integer y = r.Top; y < r.Bottom; ++y)
      for (Integer x = r.Left; x < r.Right; ++x)
        if (s->DigitImage()->Canvas()->Pixels(x, y) == c) ++n;
    return n;
  }

  TForm form{nullptr};
  TSevenSeg* s = nullptr;
};

using V = std::vector<std::string>;

}  // namespace

TEST_F(SevenSegTest, DefaultsAndClassTable) {
  EXPECT_EQ(s->Width(), 216);
  EXPECT_EQ(s->Height(), 76);
  EXPECT_EQ(s->Caption(), u"8.8.8.8.");
  EXPECT_EQ(s->ColorBackGnd(), TColor(0x333333));
  EXPECT_EQ(s->ColorText(), clRed);
  EXPECT_EQ(s->CellWidth(), 48);  // (216 - 16) div 4 - 2
  EXPECT_EQ(s->ImageCache()->Width(), 21 * 48);
  EXPECT_EQ(s->ImageCache()->Height(), 60);
  EXPECT_TRUE(s->GetClassInfo().FindProp(u"NumDigits")->IsStored(*s));  // no stored defaults
  SetPropValue(s, u"Caption", String(u"42"));
  EXPECT_EQ(s->Caption(), u"42");
}

TEST_F(SevenSegTest, DefaultCaptionShowsFourEightsWithPoints) {
  EXPECT_EQ(Positions(u"8.8.8.8."), (V{"8.", "8.", "8.", "8."}));
  // Red segments on the dark grey: the middle bar of the first 8 and the margin around it.
  const TColor bar = s->Canvas()->Pixels(8 + 24, 8 + 30);
  EXPECT_GT(GetRValue(bar), 200);
  EXPECT_LT(GetGValue(bar), 60);
  EXPECT_EQ(s->Canvas()->Pixels(4, 40), TColor(0x333333));
}

TEST_F(SevenSegTest, PositionsOfColonsPointsAndLetters) {
  s->SetNumDigits(5);
  EXPECT_EQ(Positions(u"12:34"), (V{"1", "2", ":", "3", "4"}));
  EXPECT_EQ(Positions(u"1.5"), (V{"1.", "5", "", "", ""}));
  EXPECT_EQ(Positions(u".5"), (V{".", "5", "", "", ""}));
  EXPECT_EQ(Positions(u"-1,5E3"), (V{"-", "1.", "5", "E", "3"}));
  EXPECT_EQ(Positions(u"abc"), (V{"A", "B", "C", "", ""}));
  EXPECT_EQ(Positions(u"G1"), (V{"", "1", "", "", ""}));
  EXPECT_EQ(Positions(u"+\u00B0f"), (V{"+", "\xC2\xB0", "F", "", ""}));
  // Cut after the last position: nothing of "6" is drawn right of the fifth.
  EXPECT_EQ(Positions(u"123456"), (V{"1", "2", "3", "4", "5"}));
  for (Integer x = 5 * (s->CellWidth() + 2) + 8; x < s->Width() - 2; ++x)
    EXPECT_EQ(s->Canvas()->Pixels(x, 40), TColor(0x333333)) << x;
}

TEST_F(SevenSegTest, ComposedGlyphsKeepEveryPartAndNoWhite) {
  // Both dots of the colon take the text colour (they are not connected to each other).
  s->CreateDigit(u':', false);
  EXPECT_GT(CountDigImg(clRed, Rect(0, 0, 312, 216)), 500);
  EXPECT_GT(CountDigImg(clRed, Rect(0, 216, 312, 432)), 500);
  EXPECT_EQ(CountDigImg(clBlack), 0);
  // The inside of the degree ring is background, not the white key colour.
  s->CreateDigit(u'\u00B0', false);
  EXPECT_EQ(s->DigitImage()->Canvas()->Pixels(150 + 84, 62), TColor(0x333333));
  EXPECT_EQ(CountDigImg(clWhite), 0);
  // White text is drawn as 0xFEFEFE so it cannot be taken for background.
  s->SetColorText(clWhite);
  s->CreateDigit(u'8', true);
  EXPECT_GT(CountDigImg(0xFEFEFE), 10000);
  EXPECT_EQ(CountDigImg(clWhite), 0);
  EXPECT_EQ(CountDigImg(clRed), 0);  // the previous colour is gone everywhere
}

TEST_F(SevenSegTest, SetterClamps) {
  s->SetMargin(100);
  EXPECT_EQ(s->Margin(), 37);  // 76 div 2 - 1
  s->SetMargin(-3);
  EXPECT_EQ(s->Margin(), 0);
  s->SetInterDigDist(300);
  EXPECT_EQ(s->InterDigDist(), 255);
  s->SetNumDigits(0);
  s->SetNumDigits(33);
  EXPECT_EQ(s->NumDigits(), 4);
  // Digits wider than the control leave no room: background and frame, nothing else.
  s->SetInterDigDist(100);
  EXPECT_EQ(s->ImageCache()->Width(), 0);
  s->Paint();
  EXPECT_EQ(s->Canvas()->Pixels(100, 40), TColor(0x333333));
}

TEST_F(SevenSegTest, CacheIsBuiltOncePerChange) {
  Integer builds = s->CacheBuilds();
  Integer resizes = 0;
  s->SetOnResize([&](TObject*) { ++resizes; });  // the application's handler does not stop rebuilding
  s->SetBounds(0, 0, 300, 90);
  EXPECT_EQ(s->CacheBuilds(), ++builds);
  EXPECT_EQ(resizes, 1);
  EXPECT_EQ(s->ImageCache()->Height(), 74);
  s->SetBounds(10, 10, 300, 90);  // moved, same size
  s->SetColorText(clRed);         // unchanged
  s->SetCaption(u"1234");
  EXPECT_EQ(s->CacheBuilds(), builds);
  s->SetColorBakG(clBlack);
  s->SetMargin(4);
  s->SetNumDigits(6);
  s->SetInterDigDist(3);
  EXPECT_EQ(s->CacheBuilds(), builds + 4);
}

TEST_F(SevenSegTest, AssignCopiesLooksAndFitsItsOwnSize) {
  TSevenSeg src(nullptr);
  src.SetBounds(0, 0, 300, 100);
  src.SetColorText(clLime);
  src.SetNumDigits(3);
  src.SetCaption(u"7.7");
  s->Assign(&src);
  EXPECT_EQ(s->ColorText(), clLime);
  EXPECT_EQ(s->Caption(), u"7.7");
  EXPECT_EQ(Positions(u"7.7"), (V{"7.", "7", ""}));  // the source's cache was for another size
  EXPECT_EQ(s->ImageCache()->Height(), 60);
  TBitmap other;
  EXPECT_THROW(s->Assign(&other), EConvertError);
}

// Every setting Assign copies, each changed from its default first.
TEST_F(SevenSegTest, AssignCopiesEveryNamedSetting) {
  const std::vector<String> copied = {u"ColorBackGnd", u"ColorText", u"NumDigits", u"Caption", u"FrameStyle", u"ColorScheme", u"Margin", u"InterDigDist"};
  TSevenSeg src(nullptr), dst(nullptr);
  EXPECT_EQ(test::ChangeProps(src, copied), copied);
  dst.Assign(&src);
  EXPECT_TRUE(test::SameProps(src, dst, copied));
}

// Every published setting of its own takes a new value (a setter that ignored changes would show here).
TEST_F(SevenSegTest, EveryOwnSettingTakesANewValue) {
  TSevenSeg fresh(nullptr);
  EXPECT_EQ(jox::test::RefusedProps(fresh), (std::vector<String>{}));
}
