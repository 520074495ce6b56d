// TNumIO2 as a user meets it: value and formats, typing with refusals, clipboard, mouse, caret blink.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "numio/numio2.h"
#include "package/framework/controls/clipbrd.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/input.h"
#include "support/support.h"

using namespace jox;

namespace {

class NumIO2Test : public test::FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    form.SetBounds(0, 0, 300, 100);
    n = new TNumIO2(&form);
    n->SetParent(&form);
    n->SetName(u"Num");
    n->SetOnChange([this](TObject*) { log.push_back("change " + Val()); });
    n->SetOnGaugeChange([this](TObject*, TShiftState, double v) { log.push_back("gauge " + Val()); });
  }
  void TearDown() override {
    Application->UseVirtualClock(false);
    FrameworkTest::TearDown();
  }

  std::string Val() const { return ToUtf8(n->Text()); }
  void Key(Word k, TShiftState s = {}) { input::KeyPress(n, k, s); }
  void Type(const char* keys) {
    for (const char* p = keys; *p; ++p) Key(Word(*p == '.' ? VK_OEM_PERIOD : *p == '-' ? VK_OEM_MINUS : *p));
  }
  // Text, then the caret put at Pos with the keyboard.
  void Start(const char16_t* text, Integer pos) {
    n->SetNioText(text);
    n->SetFocus();
    Key(VK_HOME);
    for (Integer i = 0; i < pos; ++i) Key(VK_RIGHT);
  }

  TForm form{nullptr};
  TNumIO2* n = nullptr;
  std::vector<std::string> log;
};

}  // namespace

TEST_F(NumIO2Test, DefaultsAndClassTable) {
  EXPECT_EQ(n->Width(), 160);
  EXPECT_EQ(n->Height(), 28);
  EXPECT_EQ(n->ButHeight(), 28);
  EXPECT_EQ(n->InputFormat(), itFloat);
  EXPECT_EQ(n->DecPlaceSep(), dpsBoth);
  EXPECT_EQ(n->ColorWarnBG(), 0x6088FFF0u);
  EXPECT_EQ(n->RangeHigh(), 1000);
  EXPECT_EQ(n->Text(), u"");
  for (const char16_t* p : {u"Value", u"Text", u"GaugeColorFrame", u"HideInputOnFreeze", u"Enabled"})
    EXPECT_TRUE(IsPublishedProp(n, p)) << ToUtf8(p);
  SetPropValue(n, u"InputFormat", Int64(itHex));
  SetPropValue(n, u"Value", 255.0);
  EXPECT_EQ(n->Text(), u"000000FF");
}

TEST_F(NumIO2Test, ValueWrittenInEachFormat) {
  struct Row { TInFormat f; double v; const char16_t* text; double back; };
  const Row rows[] = {
      {itExp, 1234.5, u" 1.23450E+03", 1234.5},
      {itExp, 1e200, u"************", 0},  // the exponent needs three digits
      {itFloat, -3.14159, u"-3.14", -3.14},
      {itFixPoint, 2.5, u"2.50", 2.5},
      {itInt, 2.5, u"2", 2},  // halves to even
      {itInt, -3.5, u"-4", -4},
      {itDynamic, 7.5, u"8", 8},
      {itHex, 255.4, u"000000FF", 255},
      {itHex, -1, u"FFFFFFFF", -1},
      {itOct, 8, u"00000000010", 8},
      {itBin, 5, u"00000000000000000000000000000101", 5},
  };
  for (const Row& r : rows) {
    n->SetInputFormat(r.f);
    n->SetNioValue(r.v);
    EXPECT_EQ(n->Text(), r.text) << int(r.f);
    EXPECT_DOUBLE_EQ(n->Value(), r.back) << int(r.f);
  }
}

TEST_F(NumIO2Test, FormatSwitchKeepsTheValue) {
  n->SetNioValue(255.4);
  n->SetInputFormat(itHex);
  EXPECT_EQ(n->Text(), u"000000FF");
  n->SetInputFormat(itFixPoint);
  n->SetFixPointDecPlaces(3);
  EXPECT_EQ(n->Text(), u"255.000");
}

TEST_F(NumIO2Test, ReadingTextsAndOverflow) {
  n->SetInputFormat(itInt);
  n->SetNioText(u"99999999999");
  EXPECT_EQ(n->Value(), 2147483647);
  n->SetNioText(u"-99999999999");  // saturates towards its sign
  EXPECT_EQ(n->Value(), -2147483648.0);
  n->SetNioText(u"12a");  // refused: the buffer stays
  EXPECT_EQ(n->Text(), u"-99999999999");

  n->SetInputFormat(itDynamic);
  for (auto [text, v] : {std::pair{u"$1F", 31}, {u"%101", 5}, {u"&17", 15}, {u"1e3", 1000}}) {
    n->SetNioText(text);
    EXPECT_EQ(n->Value(), v) << ToUtf8(text);
  }

  n->SetInputFormat(itFloat);
  n->SetNioValue(3e9);
  try {
    n->GetNioIntValue();
    FAIL() << "no overflow error";
  } catch (const EJOXNumIO2Error& e) {
    EXPECT_EQ(e.Message(), u"Component \"Num\": integer overflow");
  }
  n->SetNioValue(-2.5);
  EXPECT_EQ(n->GetNioIntValue(), -2);
}

TEST_F(NumIO2Test, RangeSettersPushTheOtherLimit) {
  n->SetRangeLow(2000);
  EXPECT_EQ(n->RangeLow(), 2000);
  EXPECT_EQ(n->RangeHigh(), 2000);
  n->SetRangeHigh(-5);
  EXPECT_EQ(n->RangeLow(), -5);
  n->SetNioValue(0);
  EXPECT_TRUE(n->OutOfRange());
}

// The limits themselves belong to the range.
TEST_F(NumIO2Test, ValuesAtTheLimitsAreInRange) {
  n->SetRangeLow(-2);
  n->SetRangeHigh(10);
  const std::pair<double, bool> cases[] = {{-2, false}, {10, false}, {-2.01, true}, {10.01, true}, {3, false}};
  for (auto [v, out] : cases) {
    n->SetNioValue(v);
    EXPECT_EQ(n->OutOfRange(), out) << v;
  }
}

TEST_F(NumIO2Test, ClampsOfTheGeometrySetters) {
  n->SetButWidth(100);
  EXPECT_EQ(n->ButWidth(), 50);
  n->SetButHeight(5);
  EXPECT_EQ(n->ButHeight(), 18);
  n->SetHeight(10);
  EXPECT_EQ(n->Height(), 18);
  n->SetGaugeHeight(100);  // at most Height - top margin - 18, then at least 3
  EXPECT_EQ(n->GaugeHeight(), 3);
  n->SetGaugeWidth(1000);
  EXPECT_EQ(n->GaugeWidth(), 160 - 35);
  n->SetHeight(40);
  n->SetFreezeBoxSize(30);
  EXPECT_EQ(n->FreezeBoxSize(), 25);
  EXPECT_EQ(n->FreezeBoxTop(), (40 - (3 + 3 + 25 + 1)) / 2);
  n->SetFixPointDecPlaces(40);
  EXPECT_EQ(n->FixPointDecPlaces(), 15);
  n->SetFixPointDecPlaces(0);
  EXPECT_EQ(n->FixPointDecPlaces(), 15);
}

TEST_F(NumIO2Test, TypingAndRefusalsWithBeeps) {
  n->SetBeep(true);
  n->SetNioText(u"");
  n->SetFocus();
  Type("-12.5");
  EXPECT_EQ(n->Text(), u"-12.5");
  EXPECT_EQ(log.size(), 5u);
  Type(".");  // a second separator
  Key('G');   // no character
  EXPECT_EQ(n->Text(), u"-12.5");
  EXPECT_EQ(n->CaretPos(), 5);
  EXPECT_EQ(Application->BeepCount(), 2);
  EXPECT_EQ(Application->LastBeep(), 0xFFFFu);
  EXPECT_EQ(log.size(), 5u);  // refused keys fire nothing

  Key(VK_HOME);
  Key(VK_DELETE);
  Key(VK_END);
  Key(VK_BACK);
  EXPECT_EQ(n->Text(), u"12.");
  Key(VK_LEFT);  // navigation changes nothing
  EXPECT_EQ(log.size(), 7u);

  n->SetBeep(false);
  Type("x");
  EXPECT_EQ(Application->BeepCount(), 2);
}

TEST_F(NumIO2Test, ShiftedDigitsGivePrefixes) {
  n->SetBeep(true);
  n->SetInputFormat(itDynamic);
  n->SetNioText(u"");
  n->SetFocus();
  Key('4', ssShift);  // "$" alone is no number
  EXPECT_EQ(n->Text(), u"");
  EXPECT_EQ(Application->BeepCount(), 1);
  Clipboard()->SetAsText(u"$1F");
  Key('V', ssCtrl);
  EXPECT_EQ(n->Value(), 31);
  // The Shift key held down by itself counts too.
  n->SetNioText(u"1");
  Key(VK_HOME);
  input::KeyDown(n, VK_SHIFT);
  Key('5');
  input::KeyUp(n, VK_SHIFT);
  Key('1');
  EXPECT_EQ(n->Text(), u"%11");
}

TEST_F(NumIO2Test, FixedPointDigitsReplaceTheDecimals) {
  n->SetBeep(true);
  n->SetInputFormat(itFixPoint);
  Start(u"12.50", 4);  // after the "5": the "0" is selected
  EXPECT_EQ(n->SelBegin(), 4);
  EXPECT_EQ(n->SelEnd(), 5);
  Type("7");
  EXPECT_EQ(n->Text(), u"12.57");
  Key(VK_END);  // at the end nothing is left to select
  EXPECT_EQ(n->SelEnd(), 5);
  Type("1");
  EXPECT_EQ(n->Text(), u"12.57");

  Start(u"12.50", 2);  // before the "."
  Key(VK_DELETE);      // would leave no "."
  EXPECT_EQ(n->Text(), u"12.50");
  Type("3");  // the integer part takes digits
  EXPECT_EQ(n->Text(), u"123.50");

  // Caret placed inside the decimals by the mouse: no selection, so a digit is refused.
  n->SetNioText(u"12.50");
  input::Click(n, n->CharPosToXCoords(4), 10);
  Integer beeps = Application->BeepCount();
  Type("9");
  EXPECT_EQ(n->Text(), u"12.50");
  EXPECT_EQ(Application->BeepCount(), beeps + 1);
}

// A selection set from outside is kept within the text.
TEST_F(NumIO2Test, SelectionSettersStayWithinTheText) {
  n->SetNioText(u"123");
  n->SetSelBegin(100);
  EXPECT_EQ(n->SelBegin(), 3);
  EXPECT_EQ(n->CaretPos(), 3);
  n->SetSelBegin(-4);
  EXPECT_EQ(n->SelBegin(), 0);
  n->SetSelEnd(100);
  EXPECT_EQ(n->SelEnd(), 3);
}

// The caret stops at both ends of the text: typing after Right at the end appends.
TEST_F(NumIO2Test, CaretStopsAtTheEndsOfTheText) {
  Start(u"12", 0);
  Key(VK_LEFT);
  EXPECT_EQ(n->CaretPos(), 0);
  Key(VK_END);
  Key(VK_RIGHT);
  Key(VK_DOWN);
  EXPECT_EQ(n->CaretPos(), 2);
  Type("3");
  EXPECT_EQ(n->Text(), u"123");
  EXPECT_EQ(n->CaretPos(), 3);
}

TEST_F(NumIO2Test, BackspaceOverAllWritesTheFormattedZero) {
  n->SetNioText(u"123.45");
  input::Drag(n, n->CharPosToXCoords(0) - 2, 10, n->CharPosToXCoords(6) + 2, 10);
  EXPECT_EQ(n->SelBegin(), 0);
  EXPECT_EQ(n->SelEnd(), 6);
  Key(VK_BACK);
  EXPECT_EQ(n->Text(), u"0.00");
  EXPECT_EQ(n->CaretPos(), 0);
}

TEST_F(NumIO2Test, CutAndPasteThroughTheClipboard) {
  n->SetNioText(u"12345");  // digits share one width, so the average-width mapping is exact
  input::Drag(n, n->CharPosToXCoords(1), 10, n->CharPosToXCoords(3), 10);
  EXPECT_EQ(n->SelBegin(), 1);
  EXPECT_EQ(n->SelEnd(), 3);
  Key('C', ssCtrl);
  EXPECT_EQ(Clipboard()->AsText(), u"23");
  EXPECT_TRUE(log.empty());
  Key('X', ssCtrl);
  EXPECT_EQ(n->Text(), u"145");
  EXPECT_EQ(n->CaretPos(), 1);
  Key(VK_END);
  Key('V', ssCtrl);
  EXPECT_EQ(n->Text(), u"14523");
  EXPECT_EQ(log, (std::vector<std::string>{"change 145", "change 14523"}));
  Clipboard()->SetAsText(u"abc");  // refused by the online check
  Key('V', ssCtrl);
  EXPECT_EQ(n->Text(), u"14523");
  n->SetReadOnly(true);  // only copying still works
  Key(VK_BACK);
  EXPECT_EQ(n->Text(), u"14523");
}

TEST_F(NumIO2Test, ButtonStepsWithAndWithoutPivots) {
  n->SetButVisible(true);
  const Integer bx = 35 + 80 + 3 + 9, up = 5, down = 20;
  n->SetNioValue(999.5);
  input::Click(n, bx, up);
  EXPECT_EQ(n->Value(), 1000);  // clamped to the range
  input::Click(n, bx, down);
  EXPECT_EQ(n->Value(), 999);

  n->ButtonPivots = {0, 10, 20};
  struct Row { double from; Integer y; double to; };
  for (const Row& r : {Row{10, up, 20}, Row{10, down, 0}, Row{12, down, 10}, Row{12, up, 20}, Row{20, up, 20},
                       Row{10.004, down, 0}}) {
    n->SetNioValue(r.from);
    input::Click(n, bx, r.y);
    EXPECT_EQ(n->Value(), r.to) << r.from << (r.y == up ? " up" : " down");
  }
  EXPECT_EQ(log.size(), 8u);  // each press reports a change
  n->SetReadOnly(true);
  input::Click(n, bx, up);
  EXPECT_EQ(n->Value(), 0);
}

TEST_F(NumIO2Test, GaugeClicksAndDrags) {
  n->SetGaugeVisible(true);
  const Integer y = 28 - 4;
  input::Click(n, 35, y);
  EXPECT_EQ(n->Value(), 0);
  input::Click(n, 35 + 82, y);
  EXPECT_EQ(n->Value(), 1000);
  EXPECT_EQ(log, (std::vector<std::string>{"change 0.00", "change 1000.00"}));

  log.clear();
  input::Drag(n, 35, y, 35 + 41, y, 2);  // OnGaugeChange while moving, OnChange once at the release
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0].rfind("gauge ", 0), 0u);
  EXPECT_EQ(log[1], "gauge 500.00");
  EXPECT_EQ(log[2], "change 500.00");

  n->ButtonPivots = {100, 900};
  input::Click(n, 35 + 30, y);
  EXPECT_EQ(n->Value(), 100);  // snapped to the nearest pivot
}

TEST_F(NumIO2Test, FreezeBoxTogglesReadOnly) {
  n->SetWidth(220);
  n->SetFreezeBoxVisible(true);
  n->SetHideInputOnFreeze(true);
  const Integer fx = 35 + 80 + 30 + 8 + 8, fy = 4 + 8;
  input::Click(n, fx, fy);
  EXPECT_TRUE(n->FreezeBoxChecked());
  EXPECT_TRUE(n->ReadOnly());
  EXPECT_TRUE(n->HideInputEditor());
  EXPECT_FALSE(n->CaretVisible());
  Type("5");
  EXPECT_EQ(n->Text(), u"");
  input::Click(n, fx, fy);  // works while read-only
  EXPECT_FALSE(n->FreezeBoxChecked());
  EXPECT_FALSE(n->ReadOnly());
  EXPECT_FALSE(n->HideInputEditor());
  EXPECT_EQ(log.size(), 2u);
}

TEST_F(NumIO2Test, CaretBlinksWhileFocused) {
  n->SetFocus();
  EXPECT_TRUE(n->CaretVisible());
  Application->Advance(500);
  EXPECT_FALSE(n->CaretVisible());
  Application->Advance(500);
  EXPECT_TRUE(n->CaretVisible());

  auto* other = new TNumIO2(&form);
  other->SetParent(&form);
  other->SetTop(40);
  other->SetFocus();
  Application->Advance(500);  // the first tick without focus stops the timer
  EXPECT_FALSE(n->CaretVisible());
  Application->Advance(2000);
  EXPECT_FALSE(n->CaretVisible());
  input::Click(n, 50, 10);  // focus and click restart it
  EXPECT_TRUE(n->CaretVisible());
  Application->Advance(500);
  EXPECT_FALSE(n->CaretVisible());
}

TEST_F(NumIO2Test, NoTimerAvailable) {
  n->SetReadOnly(true);
  Integer old = Application->TimerCapacity();
  Application->SetTimerCapacity(Application->TimerCount());
  try {
    n->SetReadOnly(false);
    ADD_FAILURE() << "no error";
  } catch (const EJOXNumIO2Error& e) {
    EXPECT_EQ(e.Message(), u"Component \"Num\": no timer available");
  }
  EXPECT_THROW(new TNumIO2(nullptr), EJOXNumIO2Error);
  Application->SetTimerCapacity(old);
}

TEST_F(NumIO2Test, AssignCopiesSettingsButNotButtons) {
  n->SetInputFormat(itHex);
  n->SetNioValue(26);
  n->SetLeftText(u"Gain");
  n->SetRangeHigh(50);
  n->SetButVisible(true);
  TNumIO2 copy(nullptr);
  copy.Assign(n);
  EXPECT_EQ(copy.Text(), u"0000001A");
  EXPECT_EQ(copy.LeftText(), u"Gain");
  EXPECT_EQ(copy.RangeHigh(), 50);
  EXPECT_FALSE(copy.ButVisible());
  TForm other(nullptr);
  EXPECT_THROW(copy.Assign(&other), EConvertError);
}

TEST_F(NumIO2Test, TabMovesTheFocusOn) {
  auto* next = new TNumIO2(&form);
  next->SetParent(&form);
  next->SetTop(40);
  next->SetTabStop(true);
  n->SetFocus();
  input::KeyDown(n, VK_TAB);  // the key-up would focus n again
  EXPECT_TRUE(next->Focused());
  EXPECT_EQ(n->Text(), u"");
}

TEST_F(NumIO2Test, CommaSeparatorStaysEditable) {
  n->SetInputFormat(itFixPoint);
  n->SetNioValue(2.5);
  n->SetDecPlaceSep(dpsComma);  // converts the buffer
  EXPECT_EQ(n->Text(), u"2,50");
  n->SetNioValue(7.25);  // and writes commas from now on
  EXPECT_EQ(n->Text(), u"7,25");
  Start(u"7,25", 3);
  Key('9');
  EXPECT_EQ(n->Text(), u"7,29");
  EXPECT_EQ(n->Value(), 7.29);
  n->SetDecPlaceSep(dpsPoint);
  EXPECT_EQ(n->Text(), u"7.29");
}

TEST_F(NumIO2Test, CaretAndSelectionStayInsideARewrittenBuffer) {
  // The gauge writes a shorter text while the caret stands at the end of a longer one.
  n->SetGaugeVisible(true);
  n->SetFocus();
  const Integer y = 28 - 4;
  input::Click(n, 35 + 82, y);
  ASSERT_EQ(n->Text(), u"1000.00");
  Key(VK_END);
  input::Click(n, 35, y);
  ASSERT_EQ(n->Text(), u"0.00");
  log.clear();
  EXPECT_NO_THROW(Type("5"));
  EXPECT_EQ(n->Text(), u"0.005");
  EXPECT_EQ(log, (std::vector<std::string>{"change 0.005"}));

  // A whole selection, then shorter texts from every writer; no key may throw afterwards.
  for (int writer = 0; writer < 4; ++writer) {
    n->SetNioText(u"123456.75");
    n->SetSelBegin(0);
    n->SetSelEnd(9);
    switch (writer) {
      case 0: n->SetNioValue(1); break;
      case 1: n->SetDecP(0); break;
      case 2: n->SetInputFormat(itExp); n->SetSignificantDigits(1); break;
      case 3: input::Click(n, 35, y); break;
    }
    const Integer len = Integer(n->Text().size());
    EXPECT_LE(n->SelEnd(), len) << writer;
    EXPECT_LE(n->CaretPos(), len) << writer;
    for (Word k : {Word('C'), Word('X'), Word('V')}) EXPECT_NO_THROW(Key(k, ssCtrl)) << writer;
    for (Word k : {Word(VK_DELETE), Word(VK_BACK), Word('7')}) EXPECT_NO_THROW(Key(k)) << writer;
    n->SetInputFormat(itFloat);
    n->SetDecP(2);
  }
}

TEST_F(NumIO2Test, CaretShowsAtOnceAfterAKey) {
  n->SetFocus();
  Application->Advance(400);
  Type("1");
  EXPECT_TRUE(n->CaretVisible());
  Application->Advance(200);  // past the tick the old period had due
  EXPECT_TRUE(n->CaretVisible());
  Application->Advance(300);  // a full period after the key
  EXPECT_FALSE(n->CaretVisible());
}

TEST_F(NumIO2Test, OneSignificantDigit) {
  n->SetInputFormat(itExp);
  n->SetSignificantDigits(1);
  n->SetNioValue(1234.5);
  EXPECT_EQ(n->Text(), u" 1.E+03");
  EXPECT_EQ(n->Value(), 1000);
}

TEST(NumIO2Window, TabMovesTheFocusInsideAPageForm) {
  // As in the gallery's window: the page is a form inside the window's form, keys go to the window.
  input::Reset();
  TForm host(nullptr);
  host.SetBounds(0, 0, 400, 200);
  auto* page = new TForm(&host);
  page->SetParent(&host);
  page->SetBounds(0, 24, 400, 170);
  auto* a = new TNumIO2(page);
  a->SetParent(page);
  auto* b = new TNumIO2(page);
  b->SetParent(page);
  b->SetTop(40);
  auto* c = new TNumIO2(page);
  c->SetParent(page);
  c->SetTop(80);
  for (TNumIO2* f : {a, b, c}) f->SetTabStop(true);
  host.Show();
  page->Show();
  a->SetFocus();
  ASSERT_TRUE(a->Focused());
  input::KeyDown(&host, VK_TAB);
  input::KeyUp(&host, VK_TAB);
  EXPECT_TRUE(b->Focused());
  input::KeyDown(&host, VK_SHIFT);
  input::KeyDown(&host, VK_TAB, ssShift);
  input::KeyUp(&host, VK_TAB, ssShift);
  input::KeyUp(&host, VK_SHIFT);
  EXPECT_TRUE(a->Focused());  // Shift+Tab goes back
}

// Every setting Assign copies, each changed from its default first.
TEST_F(NumIO2Test, AssignCopiesEveryNamedSetting) {
  const std::vector<String> copied = {u"LeftSpace", u"TextBoxWidth", u"FixPointDecPlaces", u"SignificantDigits", u"LeftText", u"RightText", u"FrameStyle", u"FreezeBoxVisible", u"FreezeBoxSize", u"FreezeBoxLeft", u"FreezeBoxTop", u"FreezeBoxChecked", u"HideInputOnFreeze", u"Alignment", u"LeftTextAlignment", u"RightTextAlignment", u"ColorBoxBG", u"ColorBoxText", u"ColorOutBG", u"ColorOutText", u"ColorScheme", u"InputFormat", u"ColorWarnBG", u"ColorWarnText", u"DecPlaceSep", u"HideSelection", u"HideInputEditor", u"RangeHigh", u"RangeLow", u"Beep", u"ReadOnly", u"AutoSize"};
  TNumIO2 src(nullptr), dst(nullptr);
  EXPECT_EQ(test::ChangeProps(src, copied), copied);
  dst.Assign(&src);
  EXPECT_TRUE(test::SameProps(src, dst, copied));
}

// Every published setting of its own takes a new value (a setter that ignored changes would show here).
TEST_F(NumIO2Test, EveryOwnSettingTakesANewValue) {
  TNumIO2 fresh(nullptr);
  // "0.00x" is no number; a lone control has no other place in the tab order.
  EXPECT_EQ(test::RefusedProps(fresh), (std::vector<String>{u"Text", u"TabOrder"}));
}
