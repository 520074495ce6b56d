// Combo boxes: dropping the list as a popup, keys, typing, events counted, owner drawing.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "package/framework/controls/combobox.h"
#include "package/framework/framework.h"
#include "package/framework/controls/popups.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

class ComboBoxTest : public jox::test::FrameworkTest {};

struct Fixture {
  TForm form{nullptr};
  TComboBox* combo;
  std::string log;
  explicit Fixture(TComboBoxStyle style = csDropDownList) {
    form.SetBounds(100, 100, 300, 200);
    combo = new TComboBox(&form);
    combo->SetParent(&form);
    combo->SetBounds(10, 10, 145, 21);
    combo->SetStyle(style);
    for (const char16_t* s : {u"red", u"green", u"blue", u"black", u"white", u"grey"}) combo->Items()->Add(s);
    combo->SetOnChange([this](TObject*) { log += "change "; });
    combo->SetOnSelect([this](TObject*) { log += "select "; });
    combo->SetOnClick([this](TObject*) { log += "click "; });
    combo->SetOnDropDown([this](TObject*) { log += "drop "; });
    combo->SetOnCloseUp([this](TObject*) { log += "close "; });
  }
  TControl* list() const { return combo->ListPopup(); }
};

TEST_F(ComboBoxTest, ListOpensBelowOnClickAndAPickFiresEachEventOnce) {
  Fixture f;
  jox::input::Click(f.combo, 50, 10);
  ASSERT_TRUE(f.combo->DroppedDown());
  EXPECT_EQ(f.log, "drop ");
  TControl* list = f.list();
  ASSERT_NE(list, nullptr);
  // Screen coordinates: under the field, as wide as it.
  EXPECT_EQ(list->Left(), 110);
  EXPECT_EQ(list->Top(), 110 + f.combo->Height());
  EXPECT_EQ(list->Width(), 145);
  EXPECT_EQ(popups::Top(), list);
  // The third row (blue).
  const Integer ih = f.combo->ItemHeight();
  jox::input::MouseMove(list, 20, 1 + 2 * ih + 2);
  jox::input::Click(list, 20, 1 + 2 * ih + 2);
  EXPECT_FALSE(f.combo->DroppedDown());
  EXPECT_EQ(f.combo->ItemIndex(), 2);
  EXPECT_EQ(f.combo->Text(), u"blue");
  EXPECT_EQ(f.log, "drop close click change select ");
  EXPECT_EQ(popups::Top(), nullptr);
}

TEST_F(ComboBoxTest, KeysMoveTheSelectionOrTheHighlightWhileDropped) {
  Fixture f;
  f.combo->SetFocus();
  jox::input::KeyPress(f.combo, VK_DOWN);
  EXPECT_EQ(f.combo->ItemIndex(), 0);
  jox::input::KeyPress(f.combo, VK_END);
  EXPECT_EQ(f.combo->ItemIndex(), 5);
  jox::input::KeyPress(f.combo, VK_DOWN);  // stays at the end, fires nothing more
  EXPECT_EQ(f.log, "click change select click change select ");
  f.log.clear();
  // Alt+Down drops; moving the highlight changes nothing until Enter.
  jox::input::KeyPress(f.combo, VK_DOWN, ssAlt);
  ASSERT_TRUE(f.combo->DroppedDown());
  jox::input::KeyPress(f.combo, VK_HOME);
  jox::input::KeyPress(f.combo, VK_DOWN);
  EXPECT_EQ(f.combo->ItemIndex(), 5);
  jox::input::KeyPress(f.combo, VK_RETURN);
  EXPECT_FALSE(f.combo->DroppedDown());
  EXPECT_EQ(f.combo->ItemIndex(), 1);
  EXPECT_EQ(f.log, "drop close click change select ");
  // Escape closes without a choice; F4 drops.
  f.log.clear();
  constexpr Word kF4 = 115;
  jox::input::KeyPress(f.combo, kF4);
  EXPECT_TRUE(f.combo->DroppedDown());
  jox::input::KeyPress(f.combo, VK_ESCAPE);
  EXPECT_FALSE(f.combo->DroppedDown());
  EXPECT_EQ(f.combo->ItemIndex(), 1);
  EXPECT_EQ(f.log, "drop close ");
}

// Escape after the highlight moved away from the current item still chooses nothing, in both styles.
TEST_F(ComboBoxTest, EscapeAfterMovingTheHighlightKeepsTheChoice) {
  for (TComboBoxStyle style : {csDropDownList, csDropDown}) {
    Fixture f(style);
    f.combo->SetItemIndex(1);
    f.combo->SetFocus();
    jox::input::KeyPress(f.combo, VK_DOWN, ssAlt);
    ASSERT_TRUE(f.combo->DroppedDown());
    jox::input::KeyPress(f.combo, VK_DOWN);
    jox::input::KeyPress(f.combo, VK_DOWN);
    jox::input::KeyPress(f.combo, VK_ESCAPE);
    EXPECT_FALSE(f.combo->DroppedDown()) << style;
    EXPECT_EQ(f.combo->ItemIndex(), 1) << style;
    EXPECT_EQ(f.combo->Text(), u"green") << style;
    EXPECT_EQ(f.log, "drop close ") << style;
    // Dropped again, the highlight starts from the kept choice.
    f.log.clear();
    jox::input::KeyPress(f.combo, VK_DOWN, ssAlt);
    jox::input::KeyPress(f.combo, VK_RETURN);
    EXPECT_EQ(f.combo->ItemIndex(), 1) << style;
    EXPECT_EQ(f.log, "drop close ") << style;
  }
}

// Rows begin at their first pixel: a press there picks that row, not the one above.
TEST_F(ComboBoxTest, ListRowsBeginAtTheirFirstPixel) {
  Fixture f;
  const Integer ih = f.combo->ItemHeight();
  for (Integer y : {1 + ih, 1 + 2 * ih - 1}) {  // the list lies inside a frame of one pixel
    f.combo->SetDroppedDown(true);
    ASSERT_NE(f.list(), nullptr);
    jox::input::MouseMove(f.list(), 20, y);
    jox::input::Click(f.list(), 20, y);
    EXPECT_EQ(f.combo->ItemIndex(), 1) << y;
    f.combo->SetItemIndex(-1);
  }
}

// The highlight moved below the last shown row scrolls the list so that it shows.
TEST_F(ComboBoxTest, HighlightMovedPastTheShownRowsIsScrolledIntoView) {
  Fixture f;
  f.combo->SetDropDownCount(3);
  f.combo->SetItemIndex(0);
  f.combo->SetFocus();
  jox::input::KeyPress(f.combo, VK_DOWN, ssAlt);
  ASSERT_TRUE(f.combo->DroppedDown());
  for (int i = 0; i < 3; ++i) jox::input::KeyPress(f.combo, VK_DOWN);  // to the fourth item
  Application->ProcessMessages();
  const Integer ih = f.combo->ItemHeight();
  TBitmap* s = f.list()->Surface();
  EXPECT_TRUE(jox::test::ColorNear(jox::test::SurfacePixel(s, 100, 1 + 2 * ih + ih / 2), ColorToRGB(clHighlight)));
  EXPECT_FALSE(jox::test::ColorNear(jox::test::SurfacePixel(s, 100, 1 + ih / 2), ColorToRGB(clHighlight)));
  jox::input::KeyPress(f.combo, VK_RETURN);
  EXPECT_EQ(f.combo->Text(), u"black");
}

TEST_F(ComboBoxTest, TypingFindsItemsByPrefixAndStepsThroughRepeats) {
  Fixture f;
  f.combo->SetFocus();
  jox::input::TypeText(f.combo, u"g");
  EXPECT_EQ(f.combo->Text(), u"green");
  jox::input::TypeText(f.combo, u"g");  // the same letter again: the next item it starts
  EXPECT_EQ(f.combo->Text(), u"grey");
  Application->Advance(2000);
  jox::input::TypeText(f.combo, u"bla");
  EXPECT_EQ(f.combo->Text(), u"black");
  jox::input::TypeText(f.combo, u"z");  // nothing starts so: unchanged
  EXPECT_EQ(f.combo->Text(), u"black");
}

TEST_F(ComboBoxTest, DropDownStyleEditsItsTextAndMatchesItems) {
  Fixture f(csDropDown);
  f.combo->SetFocus();
  jox::input::TypeText(f.combo, u"blue");
  EXPECT_EQ(f.combo->Text(), u"blue");
  EXPECT_EQ(f.combo->ItemIndex(), 2);
  EXPECT_EQ(f.log, "change change change change ");
  f.combo->SetText(u"purple");  // not an item: kept as text
  EXPECT_EQ(f.combo->ItemIndex(), -1);
  EXPECT_EQ(f.combo->Text(), u"purple");
  // Only the button drops the list in this style.
  jox::input::Click(f.combo, 20, 10);
  EXPECT_FALSE(f.combo->DroppedDown());
  jox::input::Click(f.combo, 145 - 8, 10);
  EXPECT_TRUE(f.combo->DroppedDown());
}

TEST_F(ComboBoxTest, OwnerDrawnItemsArePaintedByTheHandlerOnTheListAndTheField) {
  Fixture f(csOwnerDrawVariable);
  std::string drawn;
  f.combo->SetOnMeasureItem([](TWinControl*, Integer i, Integer& h) { h = 10 + 5 * i; });
  f.combo->SetOnDrawItem([&](TWinControl* c, Integer i, TRect r, TOwnerDrawState s) {
    auto* cb = static_cast<TComboBox*>(c);
    cb->Canvas()->Brush()->SetColor(clLime);
    cb->Canvas()->FillRect(r);
    drawn += std::to_string(i) + (s & odComboBoxEdit ? "e " : " ");
  });
  f.combo->SetItemIndex(1);
  Application->ProcessMessages();
  EXPECT_EQ(drawn, "1e ");
  EXPECT_EQ(jox::test::SurfacePixel(f.form.Surface(), 20, 20), clLime);
  drawn.clear();
  f.combo->SetDroppedDown(true);
  Application->ProcessMessages();
  // Six items of 10, 15, ... 35 pixels fill 135 pixels plus the frame.
  EXPECT_EQ(f.list()->Height(), 135 + 2);
  EXPECT_NE(drawn.find("0 1 2 3 4 5 "), std::string::npos);
  EXPECT_EQ(jox::test::SurfacePixel(f.list()->Surface(), 20, 1 + 10 + 15 + 3), clLime);
}

TEST_F(ComboBoxTest, BadIndexesSelectNothingAndItemsRemovedUnderTheSelectionClearIt) {
  Fixture f;
  f.combo->SetItemIndex(10);
  EXPECT_EQ(f.combo->ItemIndex(), -1);
  f.combo->SetItemIndex(6);  // one past the last
  EXPECT_EQ(f.combo->ItemIndex(), -1);
  EXPECT_EQ(f.combo->Text(), u"");
  f.combo->SetItemIndex(5);
  f.combo->Items()->Delete(5);
  EXPECT_EQ(f.combo->ItemIndex(), -1);
  f.combo->Items()->Clear();
  f.combo->SetDroppedDown(true);  // an empty list still opens
  EXPECT_TRUE(f.combo->DroppedDown());
  jox::input::KeyPress(f.combo, VK_DOWN);
  EXPECT_EQ(f.combo->ItemIndex(), -1);
  EXPECT_EQ(f.log, "drop ");
}

TEST_F(ComboBoxTest, SimpleStyleShowsItsListBelowTheFieldAndNeverDrops) {
  Fixture f(csSimple);
  f.combo->SetBounds(10, 10, 145, 120);
  EXPECT_EQ(f.combo->Height(), 120);  // csSimple keeps its height
  f.combo->SetDroppedDown(true);
  EXPECT_FALSE(f.combo->DroppedDown());
  EXPECT_EQ(f.combo->ListPopup(), nullptr);
  EXPECT_EQ(f.log, "");
  Application->ProcessMessages();
  // The list lies below the field: a press on its second item picks it; the focus stays in the field.
  const Integer field = f.combo->ItemHeight() + 8;
  const Integer row = f.combo->ItemHeight();
  jox::input::Click(&f.form, 10 + 20, 10 + field + 2 + row + row / 2);
  EXPECT_EQ(f.combo->ItemIndex(), 1);
  EXPECT_EQ(f.combo->Text(), u"green");
  EXPECT_EQ(f.log, "click change select ");
  EXPECT_TRUE(f.combo->Focused() || f.combo->ContainsControl(f.combo->FocusedControl()));
  // Keys move the selection, and the list follows; the field shows a sunken frame, then the list its own.
  f.log.clear();
  jox::input::KeyPress(f.combo->FocusedControl(), VK_DOWN);
  EXPECT_EQ(f.combo->ItemIndex(), 2);
  EXPECT_EQ(f.log, "click change select ");
  Application->ProcessMessages();
  TBitmap* s = f.form.Surface();
  EXPECT_TRUE(jox::test::ColorNear(jox::test::SurfacePixel(s, 10, 10), ColorToRGB(clBtnShadow)));
  EXPECT_TRUE(jox::test::ColorNear(jox::test::SurfacePixel(s, 10, 10 + field), ColorToRGB(clBtnShadow)));
  EXPECT_TRUE(jox::test::ColorNear(jox::test::SurfacePixel(s, 10 + 20, 10 + field + 2 + 2 * row + 2), ColorToRGB(clHighlight)));
}

}  // namespace

namespace {

// End, Home and PgDn in a dropped list of 100,000 items cost a page of rows, as in a list of 100: rows
// are measured once per font, and the list scrolls straight to the item.
TEST_F(ComboBoxTest, KeysInAHundredThousandItemsCostAPage) {
  auto seconds = [](int items, Integer& top) {
    Fixture f;
    f.combo->Items()->BeginUpdate();
    for (int i = 0; i < items; ++i) f.combo->Items()->Add(u"item " + IntToStr(i));
    f.combo->Items()->EndUpdate();
    f.combo->SetFocus();
    jox::input::KeyPress(f.combo, VK_DOWN, ssAlt);
    const auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < 20; ++i) {
      jox::input::KeyPress(f.combo, VK_END);
      jox::input::KeyPress(f.combo, VK_HOME);
    }
    jox::input::KeyPress(f.combo, VK_END);
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    auto* box = dynamic_cast<TCustomScrollControl*>(static_cast<TWinControl*>(f.list())->Controls(0));
    top = box->ScrollPos(sbVertical);
    jox::input::KeyPress(f.combo, VK_RETURN);
    EXPECT_EQ(f.combo->Text(), u"item " + IntToStr(items - 1));
    return s;
  };
  Integer top = 0;
  seconds(100, top);
  const double small = seconds(100, top);
  EXPECT_EQ(top, 6 + 100 - 8);  // the last item at the bottom of 8 rows (after the fixture's six)
  const double large = seconds(100000, top);
  EXPECT_EQ(top, 6 + 100000 - 8);
  EXPECT_LT(large, small * 10 + 0.01) << small << " s / " << large << " s";
}

}  // namespace
