#include <gtest/gtest.h>

#include "package/framework/controls/clipbrd.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/input.h"
#include "package/framework/controls/stdctrls.h"
#include "support/support.h"

using namespace jox;

namespace {

class EditTest : public test::FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    edit = new TEdit(&form);
    edit->SetParent(&form);
    edit->SetBounds(10, 10, 121, 21);
    edit->SetOnChange([this](TObject*) { ++changes; });
    edit->SetFocus();
  }
  void Key(Word k, TShiftState s = {}) { input::KeyPress(edit, k, s); }
  void Type(const char16_t* t) { input::TypeText(edit, t); }
  // The caret as a 0-based position, the selection collapsed onto it.
  Integer Caret() const { return edit->SelLength() == 0 ? edit->SelStart() : -1; }

  TForm form{nullptr};
  TEdit* edit = nullptr;
  int changes = 0;
};

TColor Rgb(TColor c) { return ColorToRGB(c); }

}  // namespace

TEST_F(EditTest, TypingInsertsAtTheCaretAndReportsEveryChange) {
  Type(u"hllo");
  EXPECT_EQ(edit->Text(), u"hllo");
  EXPECT_EQ(Caret(), 4);
  EXPECT_EQ(changes, 4);
  EXPECT_TRUE(edit->Modified());
  Key(VK_HOME);
  Key(VK_RIGHT);
  Type(u"e");
  EXPECT_EQ(edit->Text(), u"hello");
  EXPECT_EQ(Caret(), 2);
  Key(VK_BACK);
  Key(VK_DELETE);
  EXPECT_EQ(edit->Text(), u"hlo");
  EXPECT_EQ(Caret(), 1);
  Key(VK_HOME);
  Key(VK_BACK);  // nothing before the caret: no change
  Key(VK_END);
  Key(VK_DELETE);
  EXPECT_EQ(changes, 7);
}

TEST_F(EditTest, ProgramChangesAlsoCallChangeButClearModified) {
  Type(u"abcdef");
  changes = 0;
  edit->SetText(u"xy");
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(edit->Modified());
  EXPECT_EQ(Caret(), 2);  // kept where it was as far as the new text reaches
  edit->SetText(u"xy");
  EXPECT_EQ(changes, 1);  // same text: nothing happened
  edit->SetSelStart(1);
  edit->SetSelText(u"--");
  EXPECT_EQ(edit->Text(), u"x--y");
  EXPECT_EQ(Caret(), 3);
  EXPECT_EQ(changes, 2);
}

TEST_F(EditTest, ShiftKeysSelectAndTypingReplacesTheSelection) {
  Type(u"one two three");
  Key(VK_HOME);
  Key(VK_RIGHT, ssCtrl);
  EXPECT_EQ(Caret(), 4);
  Key(VK_RIGHT, ssShift | ssCtrl);
  EXPECT_EQ(edit->SelText(), u"two ");
  Key(VK_LEFT, ssShift);
  EXPECT_EQ(edit->SelText(), u"two");
  Type(u"2");
  EXPECT_EQ(edit->Text(), u"one 2 three");
  Key(VK_END);
  Key(VK_HOME, ssShift);
  EXPECT_EQ(edit->SelStart(), 0);
  EXPECT_EQ(edit->SelLength(), 11);
  Key(VK_RIGHT);  // collapses to the selection's right end
  EXPECT_EQ(Caret(), 11);
  input::Char(edit, char16_t(127));  // Ctrl+Backspace: the word before the caret
  EXPECT_EQ(edit->Text(), u"one 2 ");
  Key('A', ssCtrl);
  EXPECT_EQ(edit->SelLength(), 6);
}

TEST_F(EditTest, ClipboardKeys) {
  Type(u"hello");
  edit->SetSelStart(1);
  edit->SetSelLength(3);
  Key('C', ssCtrl);
  EXPECT_EQ(Clipboard()->AsText(), u"ell");
  EXPECT_EQ(edit->Text(), u"hello");
  Key('X', ssCtrl);
  EXPECT_EQ(edit->Text(), u"ho");
  EXPECT_EQ(Caret(), 1);
  Key(VK_END);
  Key('V', ssCtrl);
  EXPECT_EQ(edit->Text(), u"hoell");
  Key(VK_HOME, ssShift);
  Key(VK_INSERT, ssCtrl);
  EXPECT_EQ(Clipboard()->AsText(), u"hoell");
  Key(VK_DELETE, ssShift);
  EXPECT_EQ(edit->Text(), u"");
  Clipboard()->SetAsText(u"first\r\nsecond");
  Key(VK_INSERT, ssShift);
  EXPECT_EQ(edit->Text(), u"first");  // a single line takes the first line
  Key('Z', ssCtrl);
  EXPECT_EQ(edit->Text(), u"");
  Key('Z', ssCtrl);  // a step further back: the cut
  EXPECT_EQ(edit->Text(), u"hoell");
  Key('Y', ssCtrl);
  Key('Y', ssCtrl);
  EXPECT_EQ(edit->Text(), u"first");
}

TEST_F(EditTest, ReadOnlyAndMaxLength) {
  edit->SetText(u"fixed");
  changes = 0;
  edit->SetReadOnly(true);
  edit->SelectAll();
  Type(u"x");
  Key(VK_BACK);
  Key(VK_DELETE);
  Key('X', ssCtrl);
  Key('V', ssCtrl);
  EXPECT_EQ(edit->Text(), u"fixed");
  EXPECT_EQ(Clipboard()->AsText(), u"");
  Key('C', ssCtrl);  // copying still works
  EXPECT_EQ(Clipboard()->AsText(), u"fixed");
  edit->Perform(WM_CLEAR);
  EXPECT_EQ(edit->Text(), u"fixed");
  EXPECT_EQ(changes, 0);
  // Editable again, WM_CLEAR removes the selection.
  edit->SetReadOnly(false);
  edit->SetSelStart(1);
  edit->SetSelLength(2);
  edit->Perform(WM_CLEAR);
  EXPECT_EQ(edit->Text(), u"fed");

  edit->SetReadOnly(false);
  edit->SetText(u"");
  edit->SetMaxLength(3);
  Type(u"abcd");
  EXPECT_EQ(edit->Text(), u"abc");
  Key(VK_HOME);
  Clipboard()->SetAsText(u"XYZ");
  Key('V', ssCtrl);
  EXPECT_EQ(edit->Text(), u"abc");  // no room
  edit->SetSelLength(2);
  Key('V', ssCtrl);
  EXPECT_EQ(edit->Text(), u"XYc");  // the pasted text is cut to the room there is
  edit->SetText(u"longer than three");  // the program is not limited
  EXPECT_EQ(edit->Text(), u"longer than three");
}

TEST_F(EditTest, AutoSelectOnKeyboardFocus) {
  auto* other = new TEdit(&form);
  other->SetParent(&form);
  other->SetBounds(10, 40, 121, 21);
  other->SetText(u"abc");
  other->SetFocus();
  EXPECT_EQ(other->SelLength(), 3);
  other->SetAutoSelect(false);
  edit->SetFocus();
  other->SetSelStart(1);
  other->SetFocus();
  EXPECT_EQ(other->SelLength(), 0);
  EXPECT_EQ(other->SelStart(), 1);
}

TEST_F(EditTest, MousePlacesTheCaretAndSelects) {
  edit->SetText(u"alpha beta");
  input::Click(edit, 116, 10);  // beyond the text: after its end
  EXPECT_EQ(Caret(), 10);
  input::Click(edit, 3, 10);
  EXPECT_EQ(Caret(), 0);
  input::Reset();  // no double clicks between the steps
  input::Drag(edit, 3, 10, 116, 10);
  EXPECT_EQ(edit->SelLength(), 10);
  input::Reset();
  input::Click(edit, 3, 10);
  input::Reset();
  input::Click(edit, 116, 10, mbLeft, ssShift);
  EXPECT_EQ(edit->SelStart(), 0);
  EXPECT_EQ(edit->SelLength(), 10);
  input::Reset();
  const Integer x = 3 + edit->Canvas()->TextWidth(u"alpha be");
  input::DoubleClick(edit, x, 10);
  EXPECT_EQ(edit->SelText(), u"beta");
}

TEST_F(EditTest, PaintsFrameBackgroundSelectionAndCaret) {
  TEdit e(nullptr);  // own surface, no focus
  e.SetText(u"888");
  e.Paint();
  TCanvas* c = e.Canvas();
  const Integer w = e.Width(), h = e.Height();
  EXPECT_EQ(h, c->TextHeight(u"Wg") + 8);  // AutoSize
  EXPECT_EQ(c->Pixels(0, 0), Rgb(clBtnShadow));
  EXPECT_EQ(c->Pixels(1, 1), Rgb(cl3DDkShadow));
  EXPECT_EQ(c->Pixels(w - 1, h - 1), Rgb(clBtnHighlight));
  EXPECT_EQ(c->Pixels(w - 2, h - 2), Rgb(cl3DLight));
  EXPECT_EQ(c->Pixels(w - 5, h / 2), Rgb(clWindow));
  bool dark = false;
  for (Integer x = 3; x < 3 + c->TextWidth(u"888"); ++x)
    for (Integer y = 2; y < h - 2; ++y) {
      const TColor p = c->Pixels(x, y);
      dark |= GetRValue(p) + GetGValue(p) + GetBValue(p) < 200;
    }
  EXPECT_TRUE(dark);

  // The text keeps a margin inside the frame: nothing dark in the three columns after it.
  for (Integer x = 2; x < 5; ++x)
    for (Integer y = 2; y < h - 2; ++y) {
      const TColor p = c->Pixels(x, y);
      EXPECT_GT(GetRValue(p) + GetGValue(p) + GetBValue(p), 600) << x << "," << y;
    }

  e.SetCtl3D(false);
  e.Paint();
  EXPECT_EQ(c->Pixels(0, 0), Rgb(clWindowFrame));
  EXPECT_EQ(c->Pixels(1, 1), Rgb(clWindow));
  e.SetBorderStyle(bsNone);
  e.SetColor(clYellow);
  e.Paint();
  EXPECT_EQ(c->Pixels(0, 0), Rgb(clYellow));
}

TEST_F(EditTest, SelectionShowsOnlyWithFocusUnlessHideSelectionIsOff) {
  edit->SetText(u"WWWW");
  edit->SelectAll();
  auto selectionShown = [&] {
    edit->Repaint();
    int n = 0;
    for (Integer x = 0; x < edit->Width(); ++x)
      for (Integer y = 0; y < edit->Height(); ++y) n += edit->Canvas()->Pixels(x, y) == Rgb(clHighlight);
    return n > 20;
  };
  EXPECT_TRUE(selectionShown());
  form.FocusControl(nullptr);
  EXPECT_FALSE(selectionShown());
  edit->SetHideSelection(false);
  EXPECT_TRUE(selectionShown());
}

TEST_F(EditTest, CaretBlinksWhileFocused) {
  Application->UseVirtualClock(true);
  form.FocusControl(nullptr);
  edit->SetFocus();  // starts the blink on the virtual clock
  edit->SetSelStart(0);
  const Integer y = edit->Height() / 2;
  auto caretShown = [&] {
    Application->ProcessMessages();
    return edit->Canvas()->Pixels(5, y) == Rgb(clWindowText);
  };
  EXPECT_TRUE(caretShown());
  Application->Advance(530);
  EXPECT_FALSE(caretShown());
  Application->Advance(530);
  EXPECT_TRUE(caretShown());
  form.FocusControl(nullptr);
  EXPECT_FALSE(caretShown());
  Application->UseVirtualClock(false);
}

// A blink repaints the caret's strip: the rest of the field is not drawn again.
TEST_F(EditTest, CaretBlinkRepaintsOnlyTheCaretStrip) {
  Application->UseVirtualClock(true);
  edit->SetText(u"some text");
  edit->SetFocus();
  edit->SetSelStart(0);
  Application->ProcessMessages();
  const TPoint o = edit->OriginInRoot();
  const Integer y = edit->Height() / 2, far = edit->Width() - 8;
  const TColor mark = RGB(1, 2, 3);
  edit->Surface()->Canvas()->SetPixels(o.X + far, o.Y + y, mark);
  Application->Advance(530);
  Application->ProcessMessages();
  EXPECT_NE(edit->Canvas()->Pixels(5, y), Rgb(clWindowText));  // the caret went out
  EXPECT_EQ(edit->Surface()->Canvas()->Pixels(o.X + far, o.Y + y), mark);
  Application->UseVirtualClock(false);
}

TEST_F(EditTest, CaretKeysAndDeletionTreatASurrogatePairAsOneCharacter) {
  const String face = u"\U0001F600";  // two UTF-16 units
  edit->SetText(u"a" + face + u"b");
  Key(VK_END);
  Key(VK_LEFT);
  Key(VK_LEFT);
  EXPECT_EQ(Caret(), 1);
  Key(VK_RIGHT);
  EXPECT_EQ(Caret(), 3);
  Key(VK_LEFT, ssShift);
  EXPECT_EQ(edit->SelLength(), 2);
  Key(VK_RIGHT);
  Key(VK_BACK);
  EXPECT_EQ(edit->Text(), u"ab");
  edit->SetText(face + face);
  Key(VK_HOME);
  Key(VK_DELETE);
  EXPECT_EQ(edit->Text(), face);
}

TEST_F(EditTest, AnInputMethodsCompositionShowsAtTheCaretUntilCommitted) {
  Type(u"ab");
  auto strip = [&] {
    Application->ProcessMessages();
    std::vector<TColor> line;
    for (Integer x = 0; x < 40; ++x)
      for (Integer y = 4; y < 18; ++y) line.push_back(test::SurfacePixel(form.Surface(), 10 + x, 10 + y));
    return line;
  };
  const auto plain = strip();
  input::Compose(edit, u"\u65E5\u672C");
  EXPECT_EQ(edit->Text(), u"ab");  // composing changes no text
  EXPECT_EQ(changes, 2);
  EXPECT_NE(strip(), plain);
  // Committed: the characters arrive as typed ones and the composition ends.
  input::Compose(edit, String());
  input::Char(edit, u'\u65E5');
  EXPECT_EQ(edit->Text(), u"ab\u65E5");
}
