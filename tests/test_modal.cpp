// Modal forms and popups as the input functions see them: the modal stack, default and cancel buttons,
// presses outside popups, and the platform host's part.
#include <gtest/gtest.h>

#include <string>

#include "package/framework/framework.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

class ModalTest : public jox::test::FrameworkTest {
 protected:
  void TearDown() override {
    SetPlatformHost(nullptr);
    FrameworkTest::TearDown();
  }
};

struct Dialog {
  TForm form{nullptr};
  TButton *ok, *cancel;
  TEdit* edit;
  Dialog() {
    form.SetBounds(0, 0, 200, 100);
    form.SetBorderStyle(bsDialog);
    edit = new TEdit(&form);
    edit->SetParent(&form);
    edit->SetBounds(10, 10, 100, 21);
    ok = new TButton(&form);
    ok->SetParent(&form);
    ok->SetBounds(10, 60, 75, 25);
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    cancel = new TButton(&form);
    cancel->SetParent(&form);
    cancel->SetBounds(100, 60, 75, 25);
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
  }
};

TEST_F(ModalTest, ShowModalReturnsTheResultOfTheButtonPressedOrOfEnterAndEscape) {
  Dialog d;
  {
    jox::test::ScopedModalHook hook([&](TCustomForm* f) {
      EXPECT_EQ(Application->ModalForm(), f);
      jox::input::Click(d.cancel, 5, 5);
    });
    EXPECT_EQ(d.form.ShowModal(), mrCancel);
  }
  EXPECT_EQ(Application->ModalLevel(), 0);
  EXPECT_FALSE(d.form.Visible());
  {
    // Enter in the edit presses the default button.
    jox::test::ScopedModalHook hook([&](TCustomForm*) {
      d.edit->SetFocus();
      jox::input::KeyPress(d.edit, VK_RETURN);
    });
    EXPECT_EQ(d.form.ShowModal(), mrOk);
  }
  {
    jox::test::ScopedModalHook hook([&](TCustomForm*) { jox::input::KeyPress(d.edit, VK_ESCAPE); });
    EXPECT_EQ(d.form.ShowModal(), mrCancel);
  }
  {
    // A focused button takes Enter for itself, not the default one.
    int cancels = 0;
    d.cancel->SetOnClick([&](TObject*) { ++cancels; });
    jox::test::ScopedModalHook hook([&](TCustomForm*) {
      d.cancel->SetFocus();
      jox::input::KeyPress(d.cancel, VK_RETURN);
    });
    EXPECT_EQ(d.form.ShowModal(), mrCancel);
    EXPECT_EQ(cancels, 1);
  }
  // Without a default button, Enter reaches the edit's OnKeyPress (a dialog built at run time).
  d.ok->SetDefault(false);
  int enters = 0;
  d.edit->SetOnKeyPress([&](TObject*, char16_t& k) {
    if (k == 13) {
      ++enters;
      d.form.SetModalResult(mrOk);
    }
  });
  jox::test::ScopedModalHook hook([&](TCustomForm*) { jox::input::KeyPress(d.edit, VK_RETURN); });
  EXPECT_EQ(d.form.ShowModal(), mrOk);
  EXPECT_EQ(enters, 1);
}

TEST_F(ModalTest, OtherFormsTakeNoInputWhileTheDialogIsUp) {
  TForm main(nullptr);
  main.SetBounds(0, 0, 300, 200);
  auto* b = new TButton(&main);
  b->SetParent(&main);
  int clicks = 0;
  b->SetOnClick([&](TObject*) { ++clicks; });
  Dialog d;
  jox::test::ScopedModalHook hook([&](TCustomForm*) {
    jox::input::Click(b, 5, 5);
    jox::input::KeyPress(b, VK_SPACE);
    jox::input::Click(d.ok, 5, 5);
  });
  EXPECT_EQ(d.form.ShowModal(), mrOk);
  EXPECT_EQ(clicks, 0);
  jox::input::Click(b, 5, 5);
  EXPECT_EQ(clicks, 1);
  EXPECT_THROW({
    d.form.Show();
    d.form.ShowModal();
  }, EInvalidOperation);
}

TEST_F(ModalTest, ADialogOpenedByAPressTakesTheMouseFromTheControlPressed) {
  TForm main(nullptr);
  main.SetBounds(0, 0, 300, 200);
  auto* opener = new TButton(&main);
  opener->SetParent(&main);
  opener->SetBounds(10, 10, 75, 25);
  auto* other = new TButton(&main);
  other->SetParent(&main);
  other->SetBounds(100, 10, 75, 25);
  int openerClicks = 0, otherClicks = 0;
  opener->SetOnClick([&](TObject*) { ++openerClicks; });
  other->SetOnClick([&](TObject*) { ++otherClicks; });
  Dialog d;
  TModalResult result = mrNone;
  opener->SetOnMouseDown([&](TObject*, TMouseButton, TShiftState, Integer, Integer) { result = d.form.ShowModal(); });
  jox::test::ScopedModalHook hook([&](TCustomForm*) { jox::input::Click(d.ok, 5, 5); });
  jox::input::MouseDown(opener, 5, 5);
  EXPECT_EQ(result, mrOk);
  EXPECT_FALSE(opener->MouseCapture());
  // The release of the press that opened the dialog clicks nothing; the next press goes where it lands.
  jox::input::MouseUp(opener, 5, 5);
  EXPECT_EQ(openerClicks, 0);
  jox::input::Click(other, 5, 5);
  EXPECT_EQ(otherClicks, 1);
}

// A host that counts what it is told and answers one modal loop with a click.
struct TRecordingHost : TPlatformHost {
  std::string log;
  std::function<void()> onWait;
  void ShowWindow(TControl* r, bool v) override { log += v ? "show " : "hide "; }
  void Present(TControl*, const TRect&) override { ++presents; }
  bool WaitAndDispatch(Cardinal) override {
    ++waits;
    if (onWait) onWait();
    return true;
  }
  int presents = 0, waits = 0;
};

TEST_F(ModalTest, ModalLoopWaitsOnTheHostUntilAResultAndPopupsAreItsWindows) {
  TRecordingHost host;
  SetPlatformHost(&host);
  Dialog d;
  d.form.SetPosition(poScreenCenter);
  Screen->SetSize(1000, 800);
  host.onWait = [&] {
    if (host.waits == 3) jox::input::Click(d.ok, 5, 5);
  };
  EXPECT_EQ(d.form.ShowModal(), mrOk);
  EXPECT_EQ(host.waits, 3);
  EXPECT_EQ(host.log, "show hide ");
  EXPECT_GT(host.presents, 0);
  EXPECT_EQ(d.form.Left(), 400);
  EXPECT_EQ(d.form.Top(), 350);
  // A popup is a window of its own.
  TComboBox* combo = new TComboBox(&d.form);
  combo->SetParent(&d.form);
  combo->Items()->Add(u"one");
  host.log.clear();
  d.form.Show();
  combo->SetDroppedDown(true);
  combo->SetDroppedDown(false);
  EXPECT_EQ(host.log, "show show hide ");
}

TEST_F(ModalTest, PressOutsideClosesPopupsWithCancelModeAndGoesNoFurther) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 200);
  // Counts what reaches the combo box after its own handling.
  struct TWatchedCombo : TComboBox {
    explicit TWatchedCombo(TComponent* o) : TComboBox(o) {
      SetMessageHandler(WM_CANCELMODE, [this](TMessage&) { ++cancels; });
    }
    int cancels = 0;
  };
  auto* combo = new TWatchedCombo(&form);
  combo->SetParent(&form);
  combo->SetStyle(csDropDownList);
  combo->Items()->Add(u"one");
  combo->Items()->Add(u"two");
  auto* b = new TButton(&form);
  b->SetParent(&form);
  b->SetBounds(200, 150, 75, 25);
  int clicks = 0, closes = 0;
  b->SetOnClick([&](TObject*) { ++clicks; });
  combo->SetOnCloseUp([&](TObject*) { ++closes; });
  jox::input::Click(combo, 20, 10);
  ASSERT_TRUE(combo->DroppedDown());
  // Keys go to the list while it is open.
  jox::input::KeyPress(&form, VK_DOWN);
  jox::input::KeyPress(&form, VK_DOWN);
  jox::input::Click(b, 5, 5);
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->cancels, 1);
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(combo->ItemIndex(), -1);
  jox::input::Click(b, 5, 5);
  EXPECT_EQ(clicks, 1);
  // A press inside the list picks, with the input given to the form's window at the list's place.
  jox::input::Click(combo, 20, 10);
  const TPoint item = form.ScreenToClient(combo->ListPopup()->ClientToScreen(Point(10, 1 + combo->ItemHeight() + 2)));
  jox::input::MouseMove(&form, item.X, item.Y);
  jox::input::Click(&form, item.X, item.Y);
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_TRUE(popups::Open().empty());
}

}  // namespace
