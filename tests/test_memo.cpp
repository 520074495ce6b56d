// The memo: lines and text, typing and keys, wrapping, the clipboard.
#include <gtest/gtest.h>

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
