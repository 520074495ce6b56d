// The edit and the memo on one text engine: the same keys give the same text, selection and undo
// history in both, and what once differed between them now reads alike.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "package/framework/controls/clipbrd.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/input.h"
#include "package/framework/controls/memo.h"
#include "package/framework/controls/stdctrls.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

class TextEngineTest : public test::FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    form.SetBounds(0, 0, 500, 300);
    edit = new TEdit(&form);
    edit->SetParent(&form);
    edit->SetBounds(10, 10, 200, 21);
    edit->SetAutoSelect(false);
    memo = new TMemo(&form);
    memo->SetParent(&form);
    memo->SetBounds(10, 50, 300, 100);
    both = {edit, memo};
  }

  // The same state, read through either control.
  struct TState {
    String Text;
    Integer SelStart, SelLength;
    bool CanUndo, CanRedo;
    bool operator==(const TState&) const = default;
  };
  static TState StateOf(TEdit* e) { return {e->Text(), e->SelStart(), e->SelLength(), e->CanUndo(), e->CanRedo()}; }
  static TState StateOf(TMemo* m) { return {m->Text(), m->SelStart(), m->SelLength(), m->CanUndo(), m->CanRedo()}; }

  // Runs Step on the edit and on the memo (each focused in turn) and expects them alike afterwards.
  void Both(const std::string& What, const std::function<void(TWinControl*)>& Step) {
    for (TWinControl* c : both) {
      c->SetFocus();
      Step(c);
    }
    const TState a = StateOf(edit), b = StateOf(memo);
    EXPECT_EQ(a, b) << What << ": edit \"" << ToUtf8(a.Text) << "\" " << a.SelStart << "+" << a.SelLength
                    << ", memo \"" << ToUtf8(b.Text) << "\" " << b.SelStart << "+" << b.SelLength;
  }
  void Keys(const std::string& What, Word Key, TShiftState Shift = {}) {
    Both(What, [&](TWinControl* c) { input::KeyPress(c, Key, Shift); });
  }
  void Type(const String& S) {
    Both("type " + ToUtf8(S), [&](TWinControl* c) { input::TypeText(c, S); });
  }

  TForm form{nullptr};
  TEdit* edit = nullptr;
  TMemo* memo = nullptr;
  std::vector<TWinControl*> both;
};

TEST_F(TextEngineTest, TheSameKeysGiveTheSameTextSelectionAndUndoHistoryInTheEditAndAOneLineMemo) {
  Type(u"alpha beta gamma");
  Keys("Ctrl+Left", VK_LEFT, ssCtrl);
  Keys("Ctrl+Shift+Left", VK_LEFT, ssCtrl | ssShift);
  Keys("Ctrl+C", 'C', ssCtrl);
  EXPECT_EQ(Clipboard()->AsText(), u"beta ");
  Keys("Ctrl+X", 'X', ssCtrl);
  Keys("End", VK_END);
  Keys("Ctrl+V", 'V', ssCtrl);
  Keys("Shift+Left", VK_LEFT, ssShift);
  Keys("Shift+Left", VK_LEFT, ssShift);
  Type(u"X");
  Keys("Ctrl+Backspace", VK_BACK, ssCtrl);
  Keys("Home", VK_HOME);
  Keys("Ctrl+Delete", VK_DELETE, ssCtrl);
  Keys("Shift+End", VK_END, ssShift);
  Keys("Shift+Delete (cut)", VK_DELETE, ssShift);
  Keys("Shift+Insert (paste)", VK_INSERT, ssShift);
  Both("WM_CLEAR with no selection", [](TWinControl* c) { c->Perform(WM_CLEAR); });
  Keys("Ctrl+A", 'A', ssCtrl);
  Both("WM_COPY", [](TWinControl* c) { c->Perform(WM_COPY); });
  Both("WM_CUT", [](TWinControl* c) { c->Perform(WM_CUT); });
  Both("WM_PASTE", [](TWinControl* c) { c->Perform(WM_PASTE); });
  const String last = edit->Text();
  // The whole history back to the empty text, and forward again, step by step alike.
  int undos = 0;
  while (edit->CanUndo()) {
    Keys("Ctrl+Z", 'Z', ssCtrl);
    ASSERT_LT(++undos, 40);
  }
  EXPECT_EQ(edit->Text(), u"");
  EXPECT_GE(undos, 10);
  for (int i = 0; i < undos; ++i) Keys(i % 2 ? "Ctrl+Y" : "Ctrl+Shift+Z", i % 2 ? 'Y' : 'Z', i % 2 ? TShiftState(ssCtrl) : ssCtrl | ssShift);
  EXPECT_EQ(edit->Text(), last);
  EXPECT_FALSE(memo->CanRedo());
}

TEST_F(TextEngineTest, UndoDepthIsTheSameAndATypedWordIsOneStep) {
  // Old: the edit kept one step, the memo a run of typing of any length as one.
  Type(u"one two  three");
  Keys("Ctrl+Z", 'Z', ssCtrl);
  EXPECT_EQ(edit->Text(), u"one two  ");
  Keys("Ctrl+Z", 'Z', ssCtrl);
  EXPECT_EQ(edit->Text(), u"one ");
  Keys("Ctrl+Z", 'Z', ssCtrl);
  EXPECT_EQ(edit->Text(), u"");
  EXPECT_FALSE(memo->CanUndo());

  for (TWinControl* c : both) c->SetFocus(), c->Perform(EM_EMPTYUNDOBUFFER);
  // Each word a step: more than the engine keeps.
  const int words = int(TTextEngine::kUndoLevels) + 20;
  for (TWinControl* c : both) {
    c->SetFocus();
    for (int i = 0; i < words; ++i) input::TypeText(c, u"w ");
  }
  for (TWinControl* c : both) {
    int depth = 0;
    while (c->Perform(EM_CANUNDO)) {
      c->Perform(WM_UNDO);
      ++depth;
    }
    EXPECT_EQ(depth, int(TTextEngine::kUndoLevels)) << ToUtf8(c->ClassName());
  }
  EXPECT_EQ(edit->Text(), memo->Text());
  EXPECT_EQ(edit->Text().size(), size_t(2 * (words - TTextEngine::kUndoLevels)));
}

TEST_F(TextEngineTest, WordDeleteAndUndoOfADeletionAlike) {
  Type(u"keep these words");
  // Old memo: Ctrl+Backspace typed a DEL character, Ctrl+Delete took one character.
  Keys("Ctrl+Backspace", VK_BACK, ssCtrl);
  EXPECT_EQ(memo->Text(), u"keep these ");
  Keys("Home", VK_HOME);
  Keys("Ctrl+Delete", VK_DELETE, ssCtrl);
  EXPECT_EQ(memo->Text(), u"these ");
  // Undoing a deletion puts the caret back where it stood, nothing selected (old memo: the deleted
  // text came back selected).
  Keys("End", VK_END);
  Keys("Backspace", VK_BACK);
  Keys("Ctrl+Z", 'Z', ssCtrl);
  EXPECT_EQ(memo->Text(), u"these ");
  EXPECT_EQ(memo->SelStart(), 6);
  EXPECT_EQ(memo->SelLength(), 0);
  // A redo after a new change has nothing to do.
  Keys("Ctrl+Z", 'Z', ssCtrl);
  Type(u"x");
  EXPECT_FALSE(memo->CanRedo());
  Keys("Ctrl+Y", 'Y', ssCtrl);
  EXPECT_EQ(memo->Text(), u"xkeep these ");
}

TEST_F(TextEngineTest, ClipboardLineBreaksMaxLengthAndReadOnly) {
  // A one-line text takes the clipboard's first line; the memo takes them all.
  Clipboard()->SetAsText(u"first\r\nsecond");
  for (TWinControl* c : both) c->SetFocus(), input::KeyPress(c, 'V', ssCtrl);
  EXPECT_EQ(edit->Text(), u"first");
  EXPECT_EQ(memo->Text(), u"first\r\nsecond");
  memo->SetText(u"first");
  memo->SetSelStart(5);

  // MaxLength cuts what is pasted, and never between the halves of a surrogate pair.
  edit->SetMaxLength(7);
  memo->SetMaxLength(7);
  Clipboard()->SetAsText(u"a\U0001F600b");
  Keys("Ctrl+V", 'V', ssCtrl);
  EXPECT_EQ(edit->Text(), u"firsta");
  EXPECT_EQ(Clipboard()->AsText(), u"a\U0001F600b");

  // ReadOnly refuses the user's every change, and the messages' too.
  edit->SetReadOnly(true);
  memo->SetReadOnly(true);
  Keys("Ctrl+A", 'A', ssCtrl);
  Type(u"z");
  Keys("Delete", VK_DELETE);
  Keys("Ctrl+X", 'X', ssCtrl);
  Keys("Ctrl+Z", 'Z', ssCtrl);
  Both("WM_CLEAR", [](TWinControl* c) { c->Perform(WM_CLEAR); });
  EXPECT_EQ(edit->Text(), u"firsta");
  Both("EM_SETREADONLY 0", [](TWinControl* c) { c->Perform(EM_SETREADONLY, 0); });
  Keys("Delete", VK_DELETE);
  EXPECT_EQ(memo->Text(), u"");
}

TEST_F(TextEngineTest, TextMessagesReadAndSetSelectionUndoAndModified) {
  Type(u"hello world");
  for (TWinControl* c : both) {
    SCOPED_TRACE(ToUtf8(c->ClassName()));
    EXPECT_EQ(c->Perform(EM_GETMODIFY), 1);
    c->Perform(EM_SETSEL, 6, -1);  // -1: to the end
    Integer s = -1, e = -1;
    EXPECT_EQ(c->Perform(EM_GETSEL, intptr_t(&s), intptr_t(&e)), intptr_t(6 | (11 << 16)));
    EXPECT_EQ(s, 6);
    EXPECT_EQ(e, 11);
    c->Perform(EM_REPLACESEL, 1, intptr_t(u"there"));
    c->Perform(EM_SETMODIFY, 0);
    EXPECT_EQ(c->Perform(EM_GETMODIFY), 0);
    EXPECT_EQ(c->Perform(EM_CANUNDO), 1);
    EXPECT_EQ(c->Perform(EM_UNDO), 1);
    EXPECT_EQ(c->Perform(EM_CANREDO), 1);
    c->Perform(EM_REDO);
    c->Perform(EM_LIMITTEXT, 12);
    EXPECT_EQ(c->Perform(EM_GETLIMITTEXT), 12);
    c->Perform(EM_SETSEL, -1, 0);  // the selection goes, the caret stays
  }
  EXPECT_EQ(StateOf(edit), StateOf(memo));
  EXPECT_EQ(edit->Text(), u"hello there");
  EXPECT_EQ(edit->SelStart(), 11);

  // Beyond 16 bits the packed answer is -1; the pointers still carry both ends.
  edit->SetText(String(70000, u'x'));
  edit->SelectAll();
  Integer s = -1, e = -1;
  EXPECT_EQ(edit->Perform(EM_GETSEL, intptr_t(&s), intptr_t(&e)), -1);
  EXPECT_EQ(e, 70000);
}

TEST_F(TextEngineTest, MouseSelectsAlikeDragDoubleAndTripleClick) {
  edit->SetText(u"alpha beta gamma");
  memo->SetText(u"alpha beta gamma");
  TBitmap b;
  b.Canvas()->Font()->Assign(edit->Font());
  const Integer inBeta = b.Canvas()->TextWidth(u"alpha be");
  const Integer atGamma = b.Canvas()->TextWidth(u"alpha beta ");
  // The edit's text starts 5 pixels in (frame and margin), the memo's 2.
  auto x = [&](TWinControl* c, Integer px) { return px + (c == edit ? 5 : 2); };
  Both("drag", [&](TWinControl* c) { input::Drag(c, x(c, 0), 5, x(c, atGamma), 5); });
  EXPECT_EQ(edit->SelText(), u"alpha beta ");
  Both("double click", [&](TWinControl* c) { input::DoubleClick(c, x(c, inBeta), 5); });
  EXPECT_EQ(edit->SelText(), u"beta");
  // Old edit: a third press only placed the caret.
  Both("third click", [&](TWinControl* c) { input::Click(c, x(c, inBeta), 5); });
  EXPECT_EQ(edit->SelText(), u"alpha beta gamma");
  Application->Advance(Application->DoubleClickTime() + 1);
  Both("a later click", [&](TWinControl* c) { input::Click(c, x(c, inBeta), 5); });
  EXPECT_EQ(edit->SelLength(), 0);
  Both("Shift+click", [&](TWinControl* c) { input::Click(c, x(c, atGamma), 5, mbLeft, ssShift); });
  EXPECT_EQ(edit->SelText(), u"ta ");
}

TEST_F(TextEngineTest, ProgramSelectionAndTextRulesAlike) {
  Type(u"abcdef");
  // A negative length selects backwards from SelStart (old memo: refused).
  Both("SelStart 4, SelLength -3", [](TWinControl* c) {
    if (auto* e = dynamic_cast<TEdit*>(c)) e->SetSelStart(4), e->SetSelLength(-3);
    else static_cast<TMemo*>(c)->SetSelStart(4), static_cast<TMemo*>(c)->SetSelLength(-3);
  });
  EXPECT_EQ(memo->SelText(), u"bcd");
  // Replacing the selection from the program is a step of undo in both (old memo: none) and
  // marks the text modified.
  edit->SetSelText(u"-");
  memo->SetSelText(u"-");
  EXPECT_EQ(StateOf(edit), StateOf(memo));
  EXPECT_EQ(memo->Text(), u"a-ef");
  EXPECT_TRUE(memo->Modified());
  // A text from the program forgets the history and the modified mark.
  edit->SetText(u"new");
  memo->SetText(u"new");
  EXPECT_EQ(StateOf(edit), StateOf(memo));
  EXPECT_FALSE(memo->Modified());
  EXPECT_FALSE(memo->CanUndo());
  // A line added by the program leaves the user's mark alone.
  memo->SetFocus();
  input::TypeText(memo, u"x");
  memo->Lines()->Add(u"more");
  EXPECT_TRUE(memo->Modified());
}

}  // namespace
