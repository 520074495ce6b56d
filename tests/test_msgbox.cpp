// The message and input dialogs, worked through the input functions as a user works them.
#include <gtest/gtest.h>

#include "package/framework/framework.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

class MsgBoxTest : public jox::test::FrameworkTest {};

TButton* Btn(TCustomForm* f, const char16_t* name) { return dynamic_cast<TButton*>(f->FindComponent(name)); }

// Runs MessageDlg with the keys pressed on whatever control has the focus.
TModalResult AnswerWithKeys(TMsgDlgButtons buttons, std::vector<std::pair<Word, TShiftState>> keys,
                            TMsgDlgBtn def = mbDefault) {
  jox::test::ScopedModalHook hook([&](TCustomForm* f) {
    for (auto [k, s] : keys) jox::input::KeyPress(f, k, s);
  });
  return MessageDlg(u"Save the changes?", mtConfirmation, buttons, def);
}

TEST_F(MsgBoxTest, TheKeyboardAnswersAMessage) {
  EXPECT_EQ(AnswerWithKeys(mbYesNoCancel, {{VK_RETURN, {}}}), mrYes);                 // default: Yes
  EXPECT_EQ(AnswerWithKeys(mbYesNoCancel, {{VK_TAB, {}}, {VK_RETURN, {}}}), mrNo);    // Tab to No
  EXPECT_EQ(AnswerWithKeys(mbYesNoCancel, {{VK_TAB, ssShift}, {VK_SPACE, {}}}), mrCancel);
  EXPECT_EQ(AnswerWithKeys(mbYesNoCancel, {{VK_ESCAPE, {}}}), mrCancel);
  EXPECT_EQ(AnswerWithKeys(mbYesNoCancel, {{'N', ssAlt}}), mrNo);                    // mnemonic
  EXPECT_EQ(AnswerWithKeys(mbYesNoCancel, {{'N', {}}}), mrNo);                       // the letter alone
  EXPECT_EQ(AnswerWithKeys(mbYesNoCancel, {{VK_RETURN, {}}}, mbCancel), mrCancel);    // default asked for
  EXPECT_EQ(AnswerWithKeys(mbOKCancel, {{VK_RETURN, {}}}), mrOk);                     // OK before Yes
  EXPECT_EQ(AnswerWithKeys(mbAbortRetryIgnore, {{'R', {}}}), mrRetry);
  // Without Cancel, Escape and the close button answer No.
  EXPECT_EQ(AnswerWithKeys(mbYesNo, {{VK_ESCAPE, {}}}), mrNo);
  {
    jox::test::ScopedModalHook hook([](TCustomForm* f) { f->Close(); });
    EXPECT_EQ(MessageDlg(u"Quit?", mtConfirmation, mbYesNo), mrNo);
  }
  // Nobody to answer (headless, no hook): the cancel button's answer, never Yes.
  EXPECT_EQ(MessageDlg(u"Quit?", mtConfirmation, mbYesNo), mrNo);
  EXPECT_EQ(MessageDlg(u"Done", mtInformation, mbOK), mrOk);
}

TEST_F(MsgBoxTest, AMessageIsARealModalFormSizedToItsText) {
  TForm main(nullptr);
  main.SetBounds(300, 200, 640, 480);
  main.Show();
  auto* other = new TButton(&main);
  other->SetParent(&main);
  int clicks = 0;
  other->SetOnClick([&](TObject*) { ++clicks; });
  TRect shortBox, longBox;
  String title;
  std::vector<Integer> lefts;
  {
    jox::test::ScopedModalHook hook([&](TCustomForm* f) {
      EXPECT_EQ(Application->ModalForm(), f);
      EXPECT_TRUE(f->Visible());
      jox::input::Click(other, 5, 5);  // the form below takes no input
      shortBox = f->BoundsRect();
      title = f->Caption();
      for (const char16_t* n : {u"Yes", u"No", u"Cancel"}) lefts.push_back(Btn(f, n)->Left());
      jox::input::Click(Btn(f, u"No"), 5, 5);
    });
    EXPECT_EQ(MessageDlg(u"Save?", mtWarning, mbYesNoCancel), mrNo);
  }
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(title, u"Warning");
  EXPECT_TRUE(lefts[0] < lefts[1] && lefts[1] < lefts[2]);
  // Centred on the active form.
  EXPECT_NEAR((shortBox.Left + shortBox.Right) / 2, 300 + 320, 1);
  EXPECT_NEAR((shortBox.Top + shortBox.Bottom) / 2, 200 + 240, 1);
  String longText;
  for (int i = 0; i < 60; ++i) longText += u"word ";
  TLabel* label = nullptr;
  {
    jox::test::ScopedModalHook hook([&](TCustomForm* f) {
      longBox = f->BoundsRect();
      label = dynamic_cast<TLabel*>(f->FindComponent(u"Message"));
      ASSERT_NE(label, nullptr);
      // The whole text lies inside the form, above the buttons.
      EXPECT_LE(label->Left() + label->Width(), f->ClientWidth());
      EXPECT_LT(label->Top() + label->Height(), Btn(f, u"OK")->Top());
      EXPECT_GT(label->Height(), 3 * label->Canvas()->TextHeight(u"W"));
      jox::input::KeyPress(f, VK_RETURN);
    });
    EXPECT_EQ(MessageDlg(longText, mtInformation, mbOK), mrOk);
  }
  // A text of a thousand lines leaves the buttons on the screen.
  String tall;
  for (int i = 0; i < 1000; ++i) tall += u"line\n";
  {
    jox::test::ScopedModalHook hook([&](TCustomForm* f) {
      EXPECT_LE(f->Height(), Screen->Height());
      jox::input::KeyPress(f, VK_RETURN);
    });
    EXPECT_EQ(MessageDlg(tall, mtInformation, mbOK), mrOk);
  }
  EXPECT_LT(shortBox.Width(), 400);           // a short text makes a small box
  EXPECT_GT(longBox.Width(), shortBox.Width());
  EXPECT_LT(longBox.Width(), 560);            // a long one wraps at a readable width
  EXPECT_GT(longBox.Height(), shortBox.Height());
}

TEST_F(MsgBoxTest, InputQueryTakesTheTextOnlyWhenConfirmed) {
  String value = u"old";
  {
    jox::test::ScopedModalHook hook([&](TCustomForm* f) {
      auto* edit = dynamic_cast<TEdit*>(f->FindComponent(u"Value"));
      ASSERT_NE(edit, nullptr);
      EXPECT_TRUE(edit->Focused());
      EXPECT_EQ(edit->SelLength(), 3);  // typing replaces the old text
      jox::input::TypeText(edit, u"new name");
      jox::input::KeyPress(f, VK_TAB);          // on to OK
      EXPECT_FALSE(edit->Focused());
      jox::input::KeyPress(f, 'N', ssAlt);      // the prompt's mnemonic comes back to the edit
      EXPECT_TRUE(edit->Focused());
      jox::input::KeyPress(f, VK_RETURN);       // Enter in the edit presses OK
    });
    EXPECT_TRUE(InputQuery(u"Rename", u"&New name:", value));
  }
  EXPECT_EQ(value, u"new name");
  {
    jox::test::ScopedModalHook hook([&](TCustomForm* f) {
      jox::input::TypeText(f, u"lost");
      jox::input::KeyPress(f, VK_ESCAPE);
    });
    EXPECT_FALSE(InputQuery(u"Rename", u"&New name:", value));
  }
  EXPECT_EQ(value, u"new name");
  EXPECT_EQ(InputBox(u"Rename", u"Name:", u"fallback"), u"fallback");
}

TEST_F(MsgBoxTest, ADialogStaysInsideTheWorkAreaOfItsMonitor) {
  // Two monitors, the second left of the first (negative coordinates) with a panel at its top.
  Screen->SetMonitors({{Rect(0, 0, 1280, 1024), Rect(0, 0, 1280, 1024)},
                       {Rect(-1024, 0, 0, 768), Rect(-1024, 40, 0, 768)}});
  TForm main(nullptr);
  main.SetBounds(-1000, 30, 300, 100);  // near the second monitor's corner
  main.Show();
  TRect box;
  jox::test::ScopedModalHook hook([&](TCustomForm* f) {
    box = f->BoundsRect();
    jox::input::KeyPress(f, VK_RETURN);
  });
  ShowMessage(u"A message wider than the form it is centred on, and so on and so forth");
  EXPECT_GE(box.Left, -1024);
  EXPECT_LE(box.Right, 0);
  EXPECT_GE(box.Top, 40);
}

}  // namespace
