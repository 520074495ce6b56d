// TNumLab: value texts of every display type, overflow, the text hook, setters and copying, and the
// pixels of the box, the labels and the disabled and transparent looks.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "numlab/numlab.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/input.h"
#include "tests/support/support.h"

using namespace jox;
using jox::test::ColorNear;

namespace {

class NumLabTest : public jox::test::FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    form.SetBounds(0, 0, 300, 100);
    form.SetColor(clBtnFace);
    n = new TNumLab(&form);
    n->SetParent(&form);
  }
  std::string Text(TDisplay d, double v, Integer prec = 2) {
    n->SetDisplayType(d);
    n->SetDecP(prec);
    n->SetLabValue(v);
    return ToUtf8(n->FormatValue());
  }
  std::string Shown() {
    n->Paint();
    return ToUtf8(n->DisplayedText());
  }
  TColor Px(Integer x, Integer y) { return n->Canvas()->Pixels(x, y); }
  // Whether a pixel of the rectangle is close to colour c (text edges are smoothed).
  bool Has(TRect r, TColor c) {
    for (Integer y = r.Top; y < r.Bottom; ++y)
      for (Integer x = r.Left; x < r.Right; ++x)
        if (Near(Px(x, y), c)) return true;
    return false;
  }
  static bool Near(TColor p, TColor c) { return jox::test::SameColor(p, ColorToRGB(c), 40); }
  // The leftmost column of r holding a pixel far from the background colour bg; -1 if none.
  Integer FirstInk(TRect r, TColor bg) {
    for (Integer x = r.Left; x < r.Right; ++x)
      for (Integer y = r.Top; y < r.Bottom; ++y)
        if (!jox::test::SameColor(Px(x, y), ColorToRGB(bg), 60)) return x;
    return -1;
  }

  TForm form{nullptr};
  TNumLab* n = nullptr;
};

const TColor Face = ColorToRGB(clBtnFace);

}  // namespace

TEST_F(NumLabTest, DefaultsAndClassTable) {
  EXPECT_EQ(n->Width(), 160);
  EXPECT_EQ(n->Height(), 28);
  EXPECT_EQ(n->DisplayType(), dtFixP);
  EXPECT_EQ(n->StateText(), u"undefined");
  EXPECT_EQ(n->OverflowIndicator(), u"*********");
  EXPECT_EQ(n->DTFormat(), u"mmm-dd, yyyy");
  EXPECT_EQ(n->FrameStyle(), fsLowered);
  EXPECT_EQ(n->Alignment(), taCenter);
  EXPECT_EQ(n->LeftTextAlignment(), taRightJustify);
  EXPECT_EQ(n->RightTextAlignment(), taLeftJustify);
  EXPECT_EQ(Shown(), "0.00");
  // The label's own properties carry no stored default: a form always writes them.
  const TPropInfo* p = n->GetClassInfo().FindProp(u"Precision");
  ASSERT_NE(p, nullptr);
  EXPECT_TRUE(p->IsStored(*n));
  EXPECT_FALSE(n->GetClassInfo().FindProp(u"Enabled")->IsStored(*n));
  SetPropValue(n, u"DisplayType", Int64(dtHex));
  SetPropValue(n, u"Value", 255.0);
  EXPECT_EQ(Shown(), "$FF");
}

TEST_F(NumLabTest, FixedPointCommaAndPlusSign) {
  n->SetFComma(true);
  EXPECT_EQ(Text(dtFixP, 3.14159), "3,14");
  n->SetFPlusSign(true);
  EXPECT_EQ(Text(dtFixP, 3.14159), "+3,14");
  EXPECT_EQ(Text(dtFixP, 0), "0,00");  // no sign for zero
  EXPECT_EQ(Text(dtFixP, -2), "-2,00");
  n->SetFComma(false);
  // A system separator "," is turned back into the point.
  const char16_t old = FormatSettings.DecimalSeparator;
  FormatSettings.DecimalSeparator = u',';
  EXPECT_EQ(Text(dtFixP, 1.5), "+1.50");
  FormatSettings.DecimalSeparator = old;
}

TEST_F(NumLabTest, IntegersRoundHalvesToEven) {
  EXPECT_EQ(Text(dtInt, 2.5), "2");
  EXPECT_EQ(Text(dtInt, 3.5), "4");
  EXPECT_EQ(Text(dtInt, -7.6), "-8");
  EXPECT_EQ(Text(dtZeroInt, 42, 5), "00042");
  EXPECT_EQ(Text(dtZeroInt, -42, 4), "-0042");
  // Values no 64-bit integer holds show the indicator instead of a wrapped number.
  EXPECT_EQ(Text(dtInt, 1e30), "*********");
  EXPECT_EQ(Text(dtInt, NAN), "*********");
}

TEST_F(NumLabTest, TextsOfTheOtherDisplayTypes) {
  struct Row { TDisplay d; double v; Integer prec; const char* text; };
  const Row rows[] = {
      {dtFloat, 1234.5678, 6, "1234.57"},
      {dtFloat, 2.5, 15, "2.5"},
      {dtExp, 1234.5, 3, "1.23E+003"},
      {dtHex, 255.4, 0, "$FF"},
      {dtHex, 10, 4, "$000A"},
      {dtHex, -1, 2, "$FFFFFFFF"},
      {dtBin, 5, 8, "00000101"},
      {dtBin, 5, 0, "101"},
      {dtOct, 8, 0, "10"},
      {dtDeg, 12.5, 2, "12.50\xC2\xB0"},
      {dtDegMin, 12.5, 1, "12\xC2\xB0" "30.0'"},
      {dtDegMin, 12.99999, 2, "13\xC2\xB0" "00.00'"},  // rounding carries into the degree
      {dtDegMin, -0.25, 0, "-0\xC2\xB0" "15'"},
      {dtDegMinSec, 12.5042, 1, "12\xC2\xB0" "30'15.1\""},
      {dtEEng, 4700, 2, "4.70E+003"},
      {dtEEng, 0.00047, 1, "470.0E-006"},
      {dtEEng, 999.96, 1, "1.0E+003"},  // rounding carries into the next exponent
      {dtEEng, 0, 2, "0.00E+000"},
      {dtEEngNoDP, -12345, 2, "-12E+003"},
      {dtDateTime, 45000.5, 0, "Mar-15, 2023"},
      {dtState, 3, 2, "undefined"},
  };
  for (const Row& r : rows) EXPECT_EQ(Text(r.d, r.v, r.prec), r.text) << int(r.d) << " " << r.v;
  // Hexadecimal, binary, date and state texts keep their characters and take no sign.
  n->SetFPlusSign(true);
  n->SetFComma(true);
  EXPECT_EQ(Text(dtHex, 26, 0), "$1A");
  EXPECT_EQ(Text(dtBin, 2, 0), "10");
  EXPECT_EQ(Text(dtOct, 9, 0), "+11");
  EXPECT_EQ(Text(dtDeg, 1.5, 1), "+1,5\xC2\xB0");
  n->SetDtFormat(u"yyyy.mm.dd");
  EXPECT_EQ(Text(dtDateTime, 45000, 0), "2023.03.15");
  EXPECT_EQ(Text(dtDateTime, 1e12, 0), "*********");  // no calendar date
}

TEST_F(NumLabTest, OverflowAndTheTextHook) {
  n->SetLabValue(123456789012.0);
  EXPECT_EQ(Shown(), "*********");
  // The indicator is centred by its own width, so even a very long text leaves it inside the box.
  n->SetLabValue(1e40);
  n->Paint();
  const Integer iw = n->Canvas()->TextWidth(u"*********");
  EXPECT_NEAR(FirstInk(Rect(38, 2, 114, 25), clBtnFace), 35 + (80 - iw) / 2 + 2, 1);
  n->SetOverFlowIndi(u"##");
  EXPECT_EQ(Shown(), "##");
  n->SetDisplayType(dtState);
  n->SetStateText(u"a state text much wider than the box is");
  EXPECT_EQ(Shown(), "a state text much wider than the box is");  // clipped, never replaced

  n->SetDisplayType(dtFixP);
  n->SetLabValue(1);
  std::string seen;
  n->SetOnBeforeDisplay([&](TObject* s, String& t) {
    EXPECT_EQ(s, n);
    seen = ToUtf8(t);
    t = u"ok";
  });
  EXPECT_EQ(Shown(), "ok");
  EXPECT_EQ(seen, "1.00");
  // A replaced text that is too wide gives way to the indicator as well.
  n->SetOnBeforeDisplay([](TObject*, String& t) { t = u"a much longer text than fits"; });
  EXPECT_EQ(Shown(), "##");
  n->SetEmpty(true);
  EXPECT_EQ(Shown(), "");
}

TEST_F(NumLabTest, SetterClampsAndMouseRegions) {
  n->SetDecP(-1);
  EXPECT_EQ(n->Precision(), 2);
  n->SetDecP(20);
  EXPECT_EQ(n->Precision(), 15);
  n->SetLeftSpace(-5);
  EXPECT_EQ(n->LeftSpace(), 35);
  n->SetLeftSpace(500);
  EXPECT_EQ(n->LeftSpace(), 160);
  n->SetLabWidth(-1);
  EXPECT_EQ(n->LabelWidth(), 80);
  n->SetLeftSpace(35);

  for (auto [x, code] : {std::pair{10, 0}, {35, 0}, {36, 1}, {115, 1}, {116, 2}}) {
    input::MouseMove(n, x, 10);
    EXPECT_EQ(n->MouseAreaCode(), code) << x;
  }
}

TEST_F(NumLabTest, AssignCopiesLooksButNotFormatSwitches) {
  TNumLab src(nullptr);
  src.SetLabValue(7.25);
  src.SetLeftText(u"U");
  src.SetDisplayType(dtFloat);
  src.SetColorScheme(csSystem);
  src.SetFComma(true);
  src.SetDtFormat(u"yyyy");
  src.SetEnabled(false);
  n->Assign(&src);
  EXPECT_EQ(n->Value(), 7.25);
  EXPECT_EQ(n->LeftText(), u"U");
  EXPECT_EQ(n->DisplayType(), dtFloat);
  EXPECT_EQ(n->ColGrayLine(), clBtnShadow);
  EXPECT_FALSE(n->Comma());
  EXPECT_EQ(n->DTFormat(), u"mmm-dd, yyyy");
  EXPECT_TRUE(n->Enabled());
  TBitmap other;
  EXPECT_THROW(n->Assign(&other), EConvertError);
}

TEST_F(NumLabTest, BoxFrameAndValuePositions) {
  n->Paint();
  // Box (36, 0) .. (115, 26) sunken: gray over white outside, black over silver inside.
  EXPECT_EQ(Px(50, 0), clGray);
  EXPECT_EQ(Px(36, 10), clGray);
  EXPECT_EQ(Px(50, 1), clBlack);
  EXPECT_EQ(Px(115, 10), clWhite);
  EXPECT_EQ(Px(50, 26), clWhite);
  EXPECT_EQ(Px(114, 10), clSilver);
  EXPECT_EQ(Px(50, 27), Face);
  EXPECT_EQ(Px(35, 10), Face);
  EXPECT_EQ(Px(116, 10), Face);

  const TRect box = Rect(38, 2, 114, 25);
  n->SetLabValue(8);
  n->SetAlignment(taLeftJustify);
  n->Paint();
  EXPECT_NEAR(FirstInk(box, clBtnFace), 39, 1);  // LeftSpace + 4
  n->SetAlignment(taRightJustify);
  n->Paint();
  const Integer tw = n->Canvas()->TextWidth(u"8.00");
  EXPECT_NEAR(FirstInk(box, clBtnFace), 115 - tw - 2, 1);

  // A plain box in its own colour, and labels in the outside colours.
  n->SetFrameStyle(fsNone);
  n->SetColorLabBakG(clYellow);
  n->SetColorOutBakG(clAqua);
  n->SetColorOutText(clRed);
  n->SetLeftText(u"Left");
  n->Paint();
  EXPECT_EQ(Px(36, 0), clYellow);
  EXPECT_EQ(Px(2, 2), clAqua);
  EXPECT_TRUE(Has(Rect(0, 0, 35, 28), clRed));
}

TEST_F(NumLabTest, VisualStyleColours) {
  StyleServices()->SetEnabled(true);
  n->SetColorScheme(csSystem);
  n->Paint();
  const TColor window = StyleServices()->GetStyleColor(scWindow), grid = StyleServices()->GetStyleColor(scGrid);
  EXPECT_EQ(Px(2, 2), window);
  EXPECT_EQ(Px(60, 4), grid);
  EXPECT_EQ(n->ColGrayLine(), StyleServices()->GetStyleColor(scBorder));
  n->SetStyleElements(TStyleElements());  // no element styled: the label's own colours
  n->Paint();
  EXPECT_EQ(Px(2, 2), Face);
  StyleServices()->SetEnabled(false);
}

TEST_F(NumLabTest, DisabledLabelsAreEngraved) {
  n->SetLeftText(u"ABC");
  n->SetLeftTextAlignment(taLeftJustify);
  n->SetRightText(u"V");
  n->SetLabValue(5);
  n->SetEnabled(false);
  n->Paint();
  EXPECT_TRUE(Has(Rect(0, 0, 35, 28), clWhite));
  EXPECT_TRUE(Has(Rect(0, 0, 35, 28), clGray));
  EXPECT_TRUE(Has(Rect(116, 0, 160, 28), clWhite));
  // The white copy lies one pixel right of and below the grey one.
  const Integer grey = FirstInk(Rect(0, 0, 35, 28), clBtnFace);
  EXPECT_NEAR(grey, 7, 1);
  bool whiteBelowRight = false;
  for (Integer y = 1; y < 27; ++y)
    for (Integer x = 8; x < 34; ++x)
      if (Near(Px(x, y), clWhite) && Near(Px(x - 1, y - 1), clGray)) whiteBelowRight = true;
  EXPECT_TRUE(whiteBelowRight);
  // The value is drawn in the button shadow colour.
  EXPECT_TRUE(Has(Rect(38, 2, 114, 25), ColorToRGB(clBtnShadow)));
}

TEST_F(NumLabTest, TransparentShowsTheParentAndForgetsOldTexts) {
  form.SetColor(clLime);
  n->SetLeftText(u"WWWW");
  n->SetTransparent(true);
  Application->ProcessMessages();
  EXPECT_EQ(form.Surface()->Canvas()->Pixels(1, 1), clLime);  // white background lets the parent show
  EXPECT_TRUE(Has(Rect(0, 0, 35, 28), clBlack));
  // A new label replaces the old one instead of being AND-ed over it.
  n->SetLeftText(u"");
  Application->ProcessMessages();
  EXPECT_FALSE(Has(Rect(0, 0, 35, 28), clBlack));
  EXPECT_EQ(Px(20, 14), clLime);
}

// Every setting Assign copies, each changed from its default first.
TEST_F(NumLabTest, AssignCopiesEveryNamedSetting) {
  const std::vector<String> copied = {u"LeftSpace", u"Empty", u"LabelWidth", u"Precision", u"LeftText", u"RightText", u"FrameStyle", u"Alignment", u"LeftTextAlignment", u"RightTextAlignment", u"OverflowIndicator", u"Value", u"StateText", u"Transparent", u"ColorLabBakG", u"ColorLabText", u"ColorOutBakG", u"ColorOutText", u"ColorScheme", u"DisplayType"};
  TNumLab src(nullptr), dst(nullptr);
  EXPECT_EQ(test::ChangeProps(src, copied), copied);
  dst.Assign(&src);
  EXPECT_TRUE(test::SameProps(src, dst, copied));
}

// Every published setting of its own takes a new value (a setter that ignored changes would show here).
TEST_F(NumLabTest, EveryOwnSettingTakesANewValue) {
  TNumLab fresh(nullptr);
  EXPECT_EQ(jox::test::RefusedProps(fresh), (std::vector<String>{}));
}

// The light copy of a disabled right label lies one pixel lower and one to the right of the grey one,
// but one to the left of it when the label is right-justified.
TEST_F(NumLabTest, DisabledRightLabelLightCopyPositions) {
  n->SetWidth(200);
  n->SetColorOutBakG(clNavy);
  n->SetRightText(u"HIH");
  n->SetEnabled(false);
  const Integer boxRight = n->LeftSpace() + n->LabelWidth();
  const TRect right = Rect(boxRight + 2, 0, n->Width(), n->Height());
  // Leftmost and topmost columns and rows of the pixels near colour c in the right label.
  auto edges = [&](TColor c) {
    Integer left = -1, top = -1;
    for (Integer x = right.Left; x < right.Right && left < 0; ++x)
      for (Integer y = right.Top; y < right.Bottom; ++y)
        if (jox::test::SameColor(Px(x, y), ColorToRGB(c), 30)) { left = x; break; }
    for (Integer y = right.Top; y < right.Bottom && top < 0; ++y)
      for (Integer x = right.Left; x < right.Right; ++x)
        if (jox::test::SameColor(Px(x, y), ColorToRGB(c), 30)) { top = y; break; }
    return std::pair<Integer, Integer>(left, top);
  };
  for (const TAlignment a : {taLeftJustify, taCenter, taRightJustify}) {
    n->SetRightTextAlignment(a);
    n->Paint();
    const auto [whiteX, whiteY] = edges(clWhite);
    const auto [greyX, greyY] = edges(clGray);
    ASSERT_GE(whiteX, 0) << a;
    ASSERT_GE(greyX, 0) << a;
    EXPECT_EQ(whiteY, greyY + 1) << a;
    EXPECT_EQ(whiteX, a == taRightJustify ? greyX - 1 : greyX + 1) << a;
  }
}
