// The memo: lines and text, typing and keys, wrapping, the clipboard.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "package/framework/framework.h"
#include "package/framework/controls/memo.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

class MemoTest : public jox::test::FrameworkTest {};

struct Fixture {
  TForm form{nullptr};
  TMemo* memo;
  int changes = 0;
  Fixture() {
    form.SetBounds(0, 0, 400, 300);
    memo = new TMemo(&form);
    memo->SetParent(&form);
    memo->SetBounds(10, 10, 200, 100);
    memo->SetOnChange([this](TObject*) { ++changes; });
  }
};

TEST_F(MemoTest, LinesAndTextAreOneTextAndTypingEditsIt) {
  Fixture f;
  f.memo->Lines()->Add(u"first");
  f.memo->Lines()->Add(u"second");
  EXPECT_EQ(f.memo->Text(), u"first\r\nsecond");
  f.memo->SetFocus();
  f.memo->SetSelStart(5);  // end of the first line
  jox::input::TypeText(f.memo, u"!");
  jox::input::KeyPress(f.memo, VK_RETURN);
  jox::input::TypeText(f.memo, u"new");
  EXPECT_EQ(f.memo->Lines()->Count(), 3);
  EXPECT_EQ(f.memo->Lines()->Get(1), u"new");
  EXPECT_EQ(f.memo->CaretPos(), Point(3, 1));
  jox::input::KeyPress(f.memo, VK_DOWN);
  EXPECT_EQ(f.memo->CaretPos(), Point(3, 2));
  jox::input::KeyPress(f.memo, VK_BACK);
  jox::input::KeyPress(f.memo, VK_HOME, ssShift);
  jox::input::KeyPress(f.memo, VK_DELETE);
  EXPECT_EQ(f.memo->Text(), u"first!\r\nnew\r\nond");
  EXPECT_EQ(f.changes, 2 + 1 + 1 + 3 + 2);
}

TEST_F(MemoTest, KeyPressHandlerCanTakeEnterAndReadOnlyRefusesTyping) {
  Fixture f;
  f.memo->SetText(u"abc");
  f.memo->SetOnKeyPress([](TObject*, char16_t& k) {
    if (k == 13) k = 0;
  });
  f.memo->SetFocus();
  jox::input::KeyPress(f.memo, VK_RETURN);
  EXPECT_EQ(f.memo->Text(), u"abc");
  f.memo->SetReadOnly(true);
  jox::input::TypeText(f.memo, u"x");
  EXPECT_EQ(f.memo->Text(), u"abc");
}

TEST_F(MemoTest, SelectionCopiesWithLineBreaksAndPasteReplacesIt) {
  Fixture f;
  f.memo->SetText(u"one\r\ntwo");
  f.memo->SetFocus();
  f.memo->SetSelStart(2);
  f.memo->SetSelLength(4);
  EXPECT_EQ(f.memo->SelText(), u"e\r\nt");
  jox::input::KeyPress(f.memo, 'C', ssCtrl);
  EXPECT_EQ(Clipboard()->AsText(), u"e\r\nt");
  jox::input::KeyPress(f.memo, VK_END, ssCtrl);
  jox::input::KeyPress(f.memo, 'V', ssCtrl);
  EXPECT_EQ(f.memo->Text(), u"one\r\ntwoe\r\nt");
  f.memo->SetMaxLength(13);
  jox::input::TypeText(f.memo, u"xyz");
  EXPECT_EQ(f.memo->Text(), u"one\r\ntwoe\r\ntx");  // 13 characters, a line break counting two
}

TEST_F(MemoTest, LongLinesWrapAtBlanksAndScrollTheCaretIntoView) {
  Fixture f;
  f.memo->SetScrollBars(ssVertical);
  String longLine;
  for (int i = 0; i < 100; ++i) longLine += u"word ";
  f.memo->SetText(longLine);
  f.memo->SetFocus();
  jox::input::KeyPress(f.memo, VK_END, ssCtrl);
  EXPECT_GT(f.memo->ScrollPos(sbVertical), 0);
  EXPECT_EQ(f.memo->Lines()->Count(), 1);
  f.memo->SetWordWrap(false);
  EXPECT_EQ(f.memo->ScrollInfo(sbVertical).Max, 0);
}

TEST_F(MemoTest, CtrlZTakesBackChangesOneStepAtATimeAndTypedRunsAreOneStep) {
  Fixture f;
  f.memo->SetText(u"abc");
  f.memo->SetFocus();
  f.memo->SetSelStart(3);
  EXPECT_FALSE(f.memo->CanUndo());  // text set by the program is no step
  jox::input::TypeText(f.memo, u"def");
  jox::input::KeyPress(f.memo, VK_RETURN);
  jox::input::TypeText(f.memo, u"g");
  f.memo->SetSelStart(0);
  f.memo->SetSelLength(2);
  jox::input::KeyPress(f.memo, VK_DELETE);
  EXPECT_EQ(f.memo->Text(), u"cdef\r\ng");
  const int before = f.changes;
  jox::input::KeyPress(f.memo, 'Z', ssCtrl);
  EXPECT_EQ(f.memo->Text(), u"abcdef\r\ng");
  EXPECT_EQ(f.memo->SelLength(), 2);  // the selection that was deleted comes back
  EXPECT_EQ(f.changes, before + 1);
  jox::input::KeyPress(f.memo, 'Z', ssCtrl);  // "g"
  jox::input::KeyPress(f.memo, 'Z', ssCtrl);  // the line break
  EXPECT_EQ(f.memo->Text(), u"abcdef");
  f.memo->Perform(WM_UNDO);  // "def" in one step
  EXPECT_EQ(f.memo->Text(), u"abc");
  EXPECT_EQ(f.memo->SelStart(), 3);
  EXPECT_FALSE(f.memo->CanUndo());
  jox::input::KeyPress(f.memo, 'Z', ssCtrl);  // nothing left: nothing happens
  EXPECT_EQ(f.memo->Text(), u"abc");
  jox::input::TypeText(f.memo, u"x");
  f.memo->SetReadOnly(true);
  f.memo->Perform(WM_UNDO);
  EXPECT_EQ(f.memo->Text(), u"abcx");
}

TEST_F(MemoTest, CaretBlinksOnlyWhileFocusedAndRepaintsOnlyItsStrip) {
  Fixture f;
  auto* other = new TEdit(&f.form);
  other->SetParent(&f.form);
  other->SetBounds(10, 200, 100, 21);
  const Integer idle = Application->TimerCount();
  f.memo->SetFocus();
  EXPECT_EQ(Application->TimerCount(), idle + 1);
  Application->ProcessMessages();
  // The caret sits at the start of the first line: margin 2, one pixel down, in client coordinates.
  TCanvas* c = f.memo->Canvas();
  EXPECT_TRUE(jox::test::PixelNear(c, 2, 5, ColorToRGB(clWindowText)));
  Application->Advance(530);
  Application->ProcessMessages();
  EXPECT_TRUE(jox::test::PixelNear(c, 2, 5, ColorToRGB(clWindow)));
  Application->Advance(530);
  Application->ProcessMessages();
  EXPECT_TRUE(jox::test::PixelNear(c, 2, 5, ColorToRGB(clWindowText)));
  // Focus elsewhere: the memo's timer is gone (the edit's own caret takes one), the caret hidden.
  other->SetFocus();
  EXPECT_EQ(Application->TimerCount(), idle + 1);
  Application->ProcessMessages();
  EXPECT_TRUE(jox::test::PixelNear(c, 2, 5, ColorToRGB(clWindow)));
}

}  // namespace

TEST_F(MemoTest, CaretKeysAndDeletionTreatASurrogatePairAsOneCharacter) {
  Fixture f;
  const String face = u"\U0001F600";
  f.memo->SetText(u"x" + face + face);
  f.memo->SetFocus();
  f.memo->SetSelStart(5);
  jox::input::KeyPress(f.memo, VK_LEFT);
  EXPECT_EQ(f.memo->SelStart(), 3);
  jox::input::KeyPress(f.memo, VK_BACK);
  EXPECT_EQ(f.memo->Text(), u"x" + face);
  jox::input::KeyPress(f.memo, VK_HOME);
  jox::input::KeyPress(f.memo, VK_RIGHT);
  jox::input::KeyPress(f.memo, VK_DELETE);
  EXPECT_EQ(f.memo->Text(), u"x");
}

TEST_F(MemoTest, AnInputMethodsCompositionShowsAtTheCaretUntilCommitted) {
  Fixture f;
  f.memo->Lines()->Add(u"one");
  f.memo->Lines()->Add(u"two");
  f.memo->SetFocus();
  f.memo->SetSelStart(8);  // after "two"
  f.changes = 0;
  auto area = [&](Integer top) {  // the strip right of the caret's x on the row at top
    Application->ProcessMessages();
    const TPoint o = f.memo->OriginInRoot();
    const Integer x0 = o.X + static_cast<TControl*>(f.memo)->PopupPoint().X;
    std::vector<TColor> px;
    for (Integer y = top; y < top + 10; ++y)
      for (Integer x = x0 + 2; x < x0 + 40; ++x) px.push_back(test::SurfacePixel(f.form.Surface(), x, o.Y + y));
    return px;
  };
  const Integer row1 = static_cast<TControl*>(f.memo)->PopupPoint().Y - 12, row0 = 2;
  const auto line0 = area(row0), line1 = area(row1);
  input::Compose(f.memo, u"\u65E5\u672C");
  EXPECT_EQ(f.memo->Text(), u"one\r\ntwo");  // composing changes no text
  EXPECT_EQ(f.changes, 0);
  EXPECT_NE(area(row1), line1);              // drawn on the caret's row, right of it
  EXPECT_EQ(area(row0), line0);
  input::Compose(f.memo, String());
  input::Char(f.memo, u'\u65E5');
  EXPECT_EQ(f.memo->Text(), u"one\r\ntwo\u65E5");
}

namespace {

TEST_F(MemoTest, DoubleClickSelectsAWordAndATripleClickTheLine) {
  Fixture f;
  f.memo->SetText(u"alpha beta\tgamma\r\nsecond line");
  f.memo->SetFocus();
  // "beta" lies a little right of the middle of "alpha beta": find it by its own width.
  TBitmap b;
  b.Canvas()->Font()->Assign(f.memo->Font());
  const Integer x = 2 + b.Canvas()->TextWidth(u"alpha be");
  jox::input::DoubleClick(f.memo, x, 5);
  EXPECT_EQ(f.memo->SelText(), u"beta");  // a tab ends a word, as in the edit
  jox::input::Click(f.memo, x, 5);
  EXPECT_EQ(f.memo->SelText(), u"alpha beta\tgamma");
  // Later, a click is a click again.
  Application->Advance(Application->DoubleClickTime() + 1);
  jox::input::Click(f.memo, x, 5);
  EXPECT_EQ(f.memo->SelLength(), 0);
  // Ctrl+Right stops after the same separators.
  f.memo->SetSelStart(0);
  jox::input::KeyPress(f.memo, VK_RIGHT, ssCtrl);
  jox::input::KeyPress(f.memo, VK_RIGHT, ssCtrl);
  EXPECT_EQ(f.memo->SelStart(), 11);
}

TEST_F(MemoTest, UnwrappedLinesScrollSidewaysWithTheirOwnBar) {
  Fixture f;
  f.memo->SetScrollBars(ssBoth);
  f.memo->SetWordWrap(false);
  String longLine;
  for (int i = 0; i < 40; ++i) longLine += u"word ";
  f.memo->SetText(u"short\r\n" + longLine);
  ASSERT_TRUE(f.memo->ScrollBarVisible(sbHorizontal));
  const TScrollInfo& h = f.memo->ScrollInfo(sbHorizontal);
  EXPECT_GT(h.Max, 200);
  f.memo->SetFocus();
  jox::input::KeyPress(f.memo, VK_END, ssCtrl);
  EXPECT_EQ(f.memo->ScrollPos(sbHorizontal), f.memo->MaxScrollPos(sbHorizontal));
  // The bar's left arrow scrolls back; the text follows (a click lands further right in the line).
  jox::input::KeyPress(f.memo, VK_HOME);
  EXPECT_EQ(f.memo->ScrollPos(sbHorizontal), 0);
  const TRect bar = f.memo->ScrollBarRect(sbHorizontal);
  jox::input::Click(f.memo, bar.Right - 5, bar.Top + 5);
  EXPECT_EQ(f.memo->ScrollPos(sbHorizontal), 1);
  f.memo->SetScrollPos(sbHorizontal, 100);
  jox::input::Click(f.memo, 2, 20);  // on the long line
  EXPECT_GT(f.memo->CaretPos().X, 10);
  // Wrapping takes the bar away.
  f.memo->SetWordWrap(true);
  EXPECT_FALSE(f.memo->ScrollBarVisible(sbHorizontal));
}

// Editing touches only its own lines: the rows of the others, the undo steps and Lines stay right.
TEST_F(MemoTest, EditsInPlaceKeepWrappedRowsLinesAndUndoInStep) {
  Fixture f;
  f.memo->SetScrollBars(ssVertical);
  f.memo->SetText(u"one\r\ntwo\r\nthree");
  const Integer rows = f.memo->ScrollInfo(sbVertical).Max + 1;
  EXPECT_EQ(rows, 3);
  f.memo->SetFocus();
  f.memo->SetSelStart(3);
  // A word run long enough to wrap the first line adds rows; the lines below keep their text.
  String typed;
  for (int i = 0; i < 12; ++i) typed += u" word";
  jox::input::TypeText(f.memo, typed);
  EXPECT_GT(f.memo->ScrollInfo(sbVertical).Max + 1, 3);
  EXPECT_EQ(f.memo->Lines()->Get(2), u"three");
  jox::input::KeyPress(f.memo, VK_HOME, ssCtrl);
  jox::input::KeyPress(f.memo, VK_DOWN);  // one row down is still the wrapped first line
  EXPECT_EQ(f.memo->CaretPos().Y, 0);
  EXPECT_GT(f.memo->CaretPos().X, 0);
  jox::input::KeyPress(f.memo, VK_END, ssCtrl);
  EXPECT_EQ(f.memo->CaretPos(), Point(5, 2));
  // Lines edited from the program show at once and forget the user's steps.
  f.memo->Lines()->SetStrings(1, u"TWO");
  EXPECT_EQ(f.memo->Text(), u"one" + typed + u"\r\nTWO\r\nthree");
  EXPECT_FALSE(f.memo->CanUndo());
  jox::input::KeyPress(f.memo, VK_RETURN);
  jox::input::TypeText(f.memo, u"four");
  f.memo->SetSelStart(0);
  f.memo->SetSelLength(5);  // "one w"
  jox::input::KeyPress(f.memo, VK_DELETE);
  EXPECT_EQ(f.memo->Lines()->Count(), 4);
  jox::input::KeyPress(f.memo, 'Z', ssCtrl);
  jox::input::KeyPress(f.memo, 'Z', ssCtrl);
  jox::input::KeyPress(f.memo, 'Z', ssCtrl);
  EXPECT_EQ(f.memo->Text(), u"one" + typed + u"\r\nTWO\r\nthree");
  // Deleting everything leaves one empty line to type in.
  f.memo->SelectAll();
  jox::input::KeyPress(f.memo, VK_DELETE);
  EXPECT_EQ(f.memo->Lines()->Count(), 1);
  jox::input::TypeText(f.memo, u"z");
  EXPECT_EQ(f.memo->Text(), u"z");
}

double SecondsFor(const std::function<void()>& fn) {
  const auto t0 = std::chrono::steady_clock::now();
  fn();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// A keystroke costs what its line costs: typing in the middle of 100,000 lines takes about as long as
// in 100 (the whole document re-wrapped per key would take a thousand times longer).
TEST_F(MemoTest, TypingCostsTheLineNotTheDocument) {
  auto perKey = [](int lines) {
    Fixture f;
    f.memo->SetScrollBars(ssVertical);
    String text;
    for (int i = 0; i < lines; ++i) text += u"a line of text number " + IntToStr(i) + u" with a few words\r\n";
    f.memo->SetText(text);
    f.memo->SetFocus();
    f.memo->SetSelStart(Integer(text.size() / 2));
    constexpr int keys = 200;
    return SecondsFor([&] {
             for (int i = 0; i < keys; ++i) jox::input::TypeText(f.memo, u"x");
           }) / keys;
  };
  perKey(100);  // warm the glyph cache
  const double small = perKey(100), large = perKey(100000);
  RecordProperty("us_per_key_100k_lines", std::to_string(large * 1e6));
  EXPECT_LT(large, small * 10 + 50e-6) << "small " << small * 1e3 << " ms, large " << large * 1e3 << " ms";
}

}  // namespace
