// The date-time picker: formats, field-wise editing, the calendar popup.
#include <gtest/gtest.h>

#include "package/framework/controls/comctrls.h"
#include "package/framework/framework.h"
#include "package/framework/controls/popups.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

class ComCtrlsTest : public jox::test::FrameworkTest {};

struct Fixture {
  TForm form{nullptr};
  TDateTimePicker* p;
  int changes = 0;
  Fixture() {
    form.SetBounds(0, 0, 400, 300);
    p = new TDateTimePicker(&form);
    p->SetParent(&form);
    p->SetBounds(10, 10, 186, 21);
    p->SetDateTime(EncodeDateTime(2024, 3, 7, 14, 30, 5, 0));
    p->SetOnChange([this](TObject*) { ++changes; });
  }
};

TEST_F(ComCtrlsTest, FormatsShowFieldsLiteralsAndNames) {
  Fixture f;
  EXPECT_EQ(f.p->Text(), u"3/7/2024");
  f.p->SetFormat(u"dd.MM.yyyy");
  EXPECT_EQ(f.p->Text(), u"07.03.2024");
  f.p->SetFormat(u"ddd, d MMMM yy 'at' hh:mm tt");
  EXPECT_EQ(f.p->Text(), u"Thu, 7 March 24 at 02:30 PM");
  f.p->SetFormat(u"HH:mm 'Uhr' ''");
  EXPECT_EQ(f.p->Text(), u"14:30 Uhr '");
  f.p->SetFormat(u"");
  f.p->SetKind(dtkTime);
  EXPECT_EQ(f.p->Text(), u"14:30:05");
}

TEST_F(ComCtrlsTest, FieldsStepWrapAndTakeTypedDigits) {
  Fixture f;
  f.p->SetFormat(u"dd.MM.yyyy");
  f.p->SetFocus();
  EXPECT_EQ(f.p->SelectedField(), 0);
  jox::input::KeyPress(f.p, VK_DOWN);
  EXPECT_EQ(f.p->Text(), u"06.03.2024");
  jox::input::KeyPress(f.p, VK_HOME);
  jox::input::KeyPress(f.p, VK_DOWN);  // wraps to the month's last day
  EXPECT_EQ(f.p->Text(), u"31.03.2024");
  jox::input::KeyPress(f.p, VK_RIGHT);
  jox::input::KeyPress(f.p, VK_DOWN);  // February has no 31st: the day follows
  EXPECT_EQ(f.p->Text(), u"29.02.2024");
  jox::input::KeyPress(f.p, VK_LEFT);
  jox::input::TypeText(f.p, u"0512");  // day 05, then on to the month: 12
  EXPECT_EQ(f.p->Text(), u"05.12.2024");
  jox::input::TypeText(f.p, u"1999");
  EXPECT_EQ(f.p->Text(), u"05.12.1999");
  EXPECT_EQ(f.changes, 12);  // every key that changed the value
  // A digit that cannot start a longer number completes the field at once.
  jox::input::KeyPress(f.p, VK_LEFT);
  jox::input::TypeText(f.p, u"4");
  EXPECT_EQ(f.p->Text(), u"05.04.1999");
}

TEST_F(ComCtrlsTest, CalendarOpensBelowAndAClickPicksTheDayKeepingTheTime) {
  Fixture f;
  int drops = 0, closes = 0;
  f.p->SetOnDropDown([&](TObject*) { ++drops; });
  f.p->SetOnCloseUp([&](TObject*) { ++closes; });
  jox::input::Click(f.p, 186 - 8, 10);
  ASSERT_TRUE(f.p->DroppedDown());
  TControl* cal = f.p->CalendarPopup();
  EXPECT_EQ(popups::Top(), cal);
  EXPECT_EQ(cal->Top(), 10 + 21);
  // Keys: a week on, then Enter.
  jox::input::KeyPress(cal, VK_DOWN);
  jox::input::KeyPress(cal, VK_RETURN);
  EXPECT_FALSE(f.p->DroppedDown());
  EXPECT_EQ(f.p->Text(), u"3/14/2024");
  EXPECT_NEAR(f.p->Time(), EncodeTime(14, 30, 5, 0), 1e-6);
  EXPECT_EQ(drops, 1);
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(f.changes, 1);
  // Escape closes without a change; a time picker has no calendar.
  f.p->SetDroppedDown(true);
  jox::input::KeyPress(f.p->CalendarPopup(), VK_ESCAPE);
  EXPECT_FALSE(f.p->DroppedDown());
  EXPECT_EQ(f.changes, 1);
  f.p->SetKind(dtkTime);
  f.p->SetDroppedDown(true);
  EXPECT_FALSE(f.p->DroppedDown());
}

}  // namespace
