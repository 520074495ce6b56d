#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "numio/numio.h"
#include "package/framework/controls/clipbrd.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/input.h"
#include "support/support.h"

using namespace jox;

namespace {

class NumIOTest : public test::FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    n = new TNumIO(&form);
    n->SetParent(&form);
    n->SetBounds(8, 8, 121, 21);
    n->SetBeep(true);
    n->SetOnChange([this](TObject*) { ++changes; });
    n->SetFocus();
  }
  void Type(const char16_t* t) { input::TypeText(n, t); }
  void Key(Word k, TShiftState s = {}) { input::KeyPress(n, k, s); }
  // The field refuses the empty text, so tests empty it as a designer would.
  void ClearText() {
    n->IncludeState(csDesigning);
    n->SetText(u"");
    n->ExcludeState(csDesigning);
  }
  // Empty text, no accepted text, the given format and range.
  void Reset(TInFormat f, double lo, double hi) {
    ClearText();
    n->SetInputFormat(f);
    n->SetRangeHigh(hi);
    n->SetRangeLow(lo);
    n->SetRangeHigh(hi);
    changes = 0;
    Application->ResetBeeps();
  }
  Integer Beeps() const { return Application->BeepCount(); }

  TForm form{nullptr};
  TNumIO* n = nullptr;
  int changes = 0;
};

}  // namespace

TEST_F(NumIOTest, CreatedByCodeOnlyZeroFitsTheRange) {
  EXPECT_EQ(n->RangeLow(), 0.0);
  EXPECT_EQ(n->RangeHigh(), 0.0);
  Type(u"5");
  EXPECT_EQ(n->Text(), u"");
  EXPECT_EQ(Beeps(), 1);
  EXPECT_EQ(Application->LastBeep(), 0u);
  EXPECT_EQ(changes, 0);
  for (const char16_t* t : {u"0", u"-", u"0.0"}) {
    ClearText();
    changes = 0;
    Type(t);
    EXPECT_EQ(n->Text(), t);
    EXPECT_EQ(changes, Integer(String(t).size()));
  }
  EXPECT_EQ(Beeps(), 1);
}

TEST_F(NumIOTest, RefusedKeystrokeRestoresTextAndStepsTheCaretBack) {
  Reset(itDynamic, 1, 10);
  Type(u"5");
  EXPECT_EQ(n->Text(), u"5");
  Type(u"0");  // 50 is out of range
  EXPECT_EQ(n->Text(), u"5");
  EXPECT_EQ(n->SelStart(), 1);
  EXPECT_EQ(Beeps(), 1);
  EXPECT_EQ(changes, 1);
  Key(VK_HOME);
  Type(u"x");
  EXPECT_EQ(n->Text(), u"5");
  EXPECT_EQ(n->SelStart(), 0);
  n->SetBeep(false);
  Key(VK_END);
  Type(u"1 ");  // "51" is out of range, "5 " holds a space
  EXPECT_EQ(n->Text(), u"5");
  EXPECT_EQ(Beeps(), 2);
  Key(VK_BACK);  // the empty text is no number either
  EXPECT_EQ(n->Text(), u"5");
  ClearText();
  Type(u"0");  // zero is always in range
  EXPECT_EQ(n->Text(), u"0");
  n->SetText(u"  7");  // leading spaces are ignored
  EXPECT_EQ(n->Text(), u"  7");
  EXPECT_EQ(n->LabValue(), 7.0);
}

TEST_F(NumIOTest, AcceptedAndRefusedTextsPerFormat) {
  struct Row {
    TInFormat format;
    const char16_t* typed;
    const char16_t* shown;  // after typing character by character
  } rows[] = {
      {itExp, u"1e-3", u"1e-3"},       {itExp, u"1e", u"1e"},          {itExp, u"2e+", u"2e+"},
      {itExp, u"1e5e", u"1e5"},        {itExp, u"1.2.", u"1.2"},       {itFloat, u"1e", u"1"},
      {itFloat, u"-.5", u"-.5"},       {itInt, u"-12.", u"-12"},       {itInt, u"+0", u"+0"},
      {itHex, u"fF1g", u"fF1"},        {itOct, u"178", u"17"},         {itBin, u"1021", u"101"},
      {itDynamic, u"-1.5e3", u"-1.5e3"}, {itDynamic, u"$ffg", u"$ff"}, {itDynamic, u"%102", u"%10"},
      {itDynamic, u"&79", u"&7"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(ToUtf8(r.typed));
    Reset(r.format, -1e6, 1e6);
    Type(r.typed);
    EXPECT_EQ(n->Text(), r.shown);
  }
}

TEST_F(NumIOTest, NumbersThatWouldWrapAreRefused) {
  Reset(itInt, -uc_MaxDouble, uc_MaxDouble);
  n->SetText(u"2147483647");
  EXPECT_EQ(n->LabValue(), 2147483647.0);
  Key(VK_END);
  Type(u"0");
  EXPECT_EQ(n->Text(), u"2147483647");
  n->SetText(u"-2147483648");
  EXPECT_EQ(n->LabValue(), -2147483648.0);
  Reset(itHex, -uc_MaxDouble, uc_MaxDouble);
  Type(u"FFFFFFFF0");
  EXPECT_EQ(n->Text(), u"FFFFFFFF");
  EXPECT_EQ(n->LabValue(), -1.0);
}

TEST_F(NumIOTest, FixedPointKeepsItsDecimals) {
  Reset(itFixPoint, 0, 100);
  Type(u"1");
  EXPECT_EQ(n->Text(), u"1.00");
  EXPECT_EQ(n->SelStart(), 1);
  Type(u".");  // a second point is refused with the beep; the caret goes behind the point
  EXPECT_EQ(n->Text(), u"1.00");
  EXPECT_EQ(n->SelStart(), 2);
  EXPECT_EQ(Beeps(), 1);
  Type(u"25");
  EXPECT_EQ(n->Text(), u"1.25");
  EXPECT_EQ(n->SelStart(), 4);
  Type(u"3");
  EXPECT_EQ(n->Text(), u"1.25");
  EXPECT_EQ(n->LabValue(), 1.25);
  Key(VK_HOME);
  Key(VK_RIGHT);
  Key(VK_RIGHT);
  Key(VK_BACK);  // deleting the point gives 125, out of range: the last accepted text comes back
  EXPECT_EQ(n->Text(), u"1.25");
  EXPECT_EQ(n->SelStart(), 1);
  EXPECT_EQ(Beeps(), 2);
  n->SetFixPDecPl(0);
  EXPECT_EQ(n->FixPointDecPlaces(), 1);
  n->SetFixPDecPl(9);
  EXPECT_EQ(n->FixPointDecPlaces(), 8);
  EXPECT_EQ(n->Text(), u"1.25");  // not checked again
}

TEST_F(NumIOTest, FixedPointReformatsWhatConvertsWithoutAPoint) {
  Reset(itFixPoint, 0, 100);
  Type(u"1.25");
  ASSERT_EQ(n->Text(), u"1.25");
  changes = 0;
  Application->ResetBeeps();
  n->SelectAll();
  Type(u"7");  // typed over the whole text: no point left, but a number
  EXPECT_EQ(n->Text(), u"7.00");
  EXPECT_EQ(n->LabValue(), 7.0);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(Beeps(), 0);
  n->SelectAll();
  Type(u"x");  // nothing that converts: refused with the beep
  EXPECT_EQ(n->Text(), u"7.00");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(Beeps(), 1);
}

TEST_F(NumIOTest, FixedPointWithTheCommaWritesAComma) {
  Reset(itFixPoint, 0, 100);
  n->SetDecPSep(dpsComma);
  Type(u"2");
  EXPECT_EQ(n->Text(), u"2,00");
  Type(u",5");
  EXPECT_EQ(n->Text(), u"2,50");
  EXPECT_EQ(n->LabValue(), 2.5);
}

TEST_F(NumIOTest, RangeSettersSwapAndRecheck) {
  Reset(itDynamic, 0, 10);
  Type(u"5");
  n->SetRangeLow(20);
  EXPECT_EQ(n->RangeLow(), 10.0);
  EXPECT_EQ(n->RangeHigh(), 20.0);
  EXPECT_EQ(n->Text(), u"");  // 5 no longer fits and there is no accepted text to go back to
  n->SetRangeHigh(-5);
  EXPECT_EQ(n->RangeLow(), -5.0);
  EXPECT_EQ(n->RangeHigh(), 10.0);
  n->SetRangeLow(NAN);
  EXPECT_EQ(n->RangeLow(), -5.0);
  n->SetText(u"7");
  n->SetRangeHigh(8);
  EXPECT_EQ(n->Text(), u"7");
}

TEST_F(NumIOTest, FormatAndSeparatorChangesRecheckTheText) {
  Reset(itExp, -100, 100);
  n->SetDecPSep(dpsPoint);
  n->SetText(u"12.5");
  n->SetInputFormat(itInt);
  EXPECT_EQ(n->Text(), u"");
  n->SetInputFormat(itFloat);
  n->SetText(u"1.5");
  n->SetDecPSep(dpsComma);
  EXPECT_EQ(n->Text(), u"");
  n->SetText(u"1,5");
  EXPECT_EQ(n->Text(), u"1,5");
  n->SetDecPSep(dpsBoth);
  EXPECT_EQ(n->Text(), u"1,5");
  n->SetInputFormat(TInFormat(9));  // unknown ordinals are ignored
  EXPECT_EQ(n->InputFormat(), itFloat);
}

TEST_F(NumIOTest, LabValueInEveryFormat) {
  struct Row {
    TInFormat format;
    double value;
    const char16_t* text;
    double back;
  } rows[] = {
      {itExp, 1234.5, u" 1.23450E+03", 1234.5},
      {itDynamic, 1e150, u"************", 0},
      {itFloat, 0.1, u"0.10000000", 0.1},
      {itFixPoint, 3.14159, u"3.14", 3.14},
      {itInt, 1234.5, u"1234", 1234},
      {itHex, 1234.5, u"000004D2", 1234},
      {itOct, 8, u"00000010", 8},
      {itBin, 5, u"00000101", 5},
      {itBin, 256 + 5, u"100000101", 261},   // every significant digit, eight at least
      {itBin, 300, u"100101100", 300},
      {itOct, 2147483647.0, u"17777777777", 2147483647.0},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(int(r.format));
    Reset(r.format, 0, 0);
    n->SetLabValue(r.value);
    EXPECT_EQ(n->Text(), r.text);
    EXPECT_EQ(changes, 0);  // an internal write
    EXPECT_DOUBLE_EQ(n->GetLabValue(), r.back);
  }
}

TEST_F(NumIOTest, RefusalAfterSetLabValueGoesBackToThatValue) {
  Reset(itInt, 0, 100);
  n->SetLabValue(42);
  Key(VK_END);
  Type(u"9");
  EXPECT_EQ(n->Text(), u"42");
}

TEST_F(NumIOTest, LabValueReadsEitherSeparator) {
  for (TDecPSep sep : {dpsBoth, dpsPoint, dpsComma}) {
    n->SetDecPSep(sep);
    n->SetInputFormat(itFloat);
    n->IncludeState(csDesigning);  // a designer may hold any text
    n->SetText(u"3,5");
    EXPECT_EQ(n->GetLabValue(), 3.5);
    n->SetText(u"4.");
    EXPECT_EQ(n->GetLabValue(), 4.0);
    n->SetText(u"x");
    EXPECT_EQ(n->GetLabValue(), 0.0);
    n->ExcludeState(csDesigning);
  }
  double v = 7;
  EXPECT_FALSE(n->ConvertNumString(u"", v));
  EXPECT_EQ(v, 7.0);
  EXPECT_TRUE(n->ConvertNumString(u"   ", v));
  EXPECT_EQ(v, 0.0);
}

TEST_F(NumIOTest, PasteIsCheckedLikeTyping) {
  Reset(itInt, 0, 1000);
  Clipboard()->SetAsText(u"12a");
  Key('V', ssCtrl);
  EXPECT_EQ(n->Text(), u"");
  EXPECT_EQ(Beeps(), 1);
  Clipboard()->SetAsText(u"123");
  Key('V', ssCtrl);
  EXPECT_EQ(n->Text(), u"123");
  n->SelectAll();
  Key('X', ssCtrl);  // cutting everything would leave no number
  EXPECT_EQ(n->Text(), u"123");
  EXPECT_EQ(Clipboard()->AsText(), u"123");
  EXPECT_EQ(Beeps(), 2);
}

TEST(NumIOSetup, DesignStateAndAssign) {
  TForm designer(nullptr);
  designer.SetDesigning(true);
  auto* d = new TNumIO(&designer);
  EXPECT_EQ(d->RangeLow(), -DBL_MAX);
  EXPECT_EQ(d->RangeHigh(), DBL_MAX);
  d->SetText(u"not a number");  // nothing is checked while designing
  EXPECT_EQ(d->Text(), u"not a number");

  TNumIO a(nullptr), b(nullptr);
  a.SetInputFormat(itHex);
  a.SetBeep(true);
  a.SetRangeHigh(50);
  a.SetRangeLow(-50);
  a.SetDecPSep(dpsComma);
  a.SetFixPDecPl(5);
  a.SetText(u"1F");
  b.Assign(&a);
  EXPECT_EQ(b.InputFormat(), itHex);
  EXPECT_TRUE(b.Beep());
  EXPECT_EQ(b.RangeLow(), -50.0);
  EXPECT_EQ(b.RangeHigh(), 50.0);
  EXPECT_EQ(b.DecPlaceSep(), dpsComma);
  EXPECT_EQ(b.FixPointDecPlaces(), 2);
  EXPECT_EQ(b.Text(), u"");

  TEdit e(nullptr);
  EXPECT_THROW(b.Assign(&e), EConvertError);
  EXPECT_THROW(e.Assign(&b), EConvertError);  // and no endless hand-over between the two
}

TEST(NumIOSetup, LoadingKeepsTheStoredRange) {
  struct Loadable : TNumIO {
    using TNumIO::TNumIO;
    using TNumIO::Loaded;
  } n(nullptr);
  n.IncludeState(csLoading);
  SetPropValue(&n, u"RangeLow", 1.0);
  SetPropValue(&n, u"RangeHigh", 10.0);
  SetPropValue(&n, u"Text", String(u"5"));
  n.Loaded();
  EXPECT_EQ(n.RangeLow(), 1.0);
  EXPECT_EQ(n.RangeHigh(), 10.0);
  EXPECT_EQ(n.Text(), u"5");
}

TEST(NumIOSetup, ClassTable) {
  TNumIO n(nullptr);
  const TClassInfo& info = TNumIO::ClassInfo();
  for (const char16_t* own : {u"InputFormat", u"FixPointDecPlaces", u"RangeLow", u"RangeHigh", u"DecPlaceSep",
                              u"Beep"}) {
    const TPropInfo* p = info.FindProp(own);
    ASSERT_NE(p, nullptr) << ToUtf8(own);
    EXPECT_FALSE(p->Default.has_value()) << ToUtf8(own);  // always stored
    EXPECT_TRUE(p->IsStored(n));
  }
  for (const char16_t* inherited : {u"AutoSelect", u"AutoSize", u"BorderStyle", u"Color", u"HideSelection",
                                    u"ReadOnly", u"TabStop", u"ParentCtl3D", u"Visible", u"ParentColor",
                                    u"HelpContext", u"TabOrder"}) {
    const TPropInfo* p = info.FindProp(inherited);
    ASSERT_NE(p, nullptr) << ToUtf8(inherited);
    EXPECT_TRUE(p->IsDefault(n)) << ToUtf8(inherited);
  }
  EXPECT_EQ(VarToInt(GetPropValue(&n, u"InputFormat")), Int64(itDynamic));
  EXPECT_EQ(VarToInt(GetPropValue(&n, u"FixPointDecPlaces")), 2);
}

// Every setting Assign copies, each changed from its default first.
TEST_F(NumIOTest, AssignCopiesEveryNamedSetting) {
  const std::vector<String> copied = {u"InputFormat", u"Beep", u"RangeLow", u"RangeHigh", u"DecPlaceSep"};
  TNumIO src(nullptr), dst(nullptr);
  EXPECT_EQ(jox::test::ChangeProps(src, copied), copied);
  dst.Assign(&src);
  EXPECT_TRUE(jox::test::SameProps(src, dst, copied));
}

// Every published setting of its own takes a new value (a setter that ignored changes would show here).
TEST_F(NumIOTest, EveryOwnSettingTakesANewValue) {
  TNumIO fresh(nullptr);
  // a lone control has no other place in the tab order; "x" is refused by the online check.
  EXPECT_EQ(jox::test::RefusedProps(fresh), (std::vector<String>{u"TabOrder", u"Text"}));
}
