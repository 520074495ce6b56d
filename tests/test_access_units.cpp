// What the components tell assistive technology: roles, names, values with their ranges, texts, the items
// they draw themselves, and the actions a screen reader operates them with.
#include <gtest/gtest.h>

#include "marksel/marksel.h"
#include "meter/meter.h"
#include "minical/minical.h"
#include "ntabed/ntabed.h"
#include "numio/numio.h"
#include "numlab/numlab.h"
#include "onoffbut/onoffbut.h"
#include "package/framework/framework.h"
#include "progbar/progbar.h"
#include "replist/replist.h"
#include "sevenseg/sevenseg.h"
#include "tests/support/support.h"
#include "thumbnails/thumbnails.h"

using namespace jox;

namespace {

class AccessUnitsTest : public test::FrameworkTest {
 protected:
  void SetUp() override {
    test::FrameworkTest::SetUp();
    form.SetBounds(0, 0, 700, 500);
  }
  template <class T>
  T* Add(Integer l, Integer t, Integer w, Integer h) {
    auto* c = new T(&form);
    c->SetParent(&form);
    c->SetBounds(l, t, w, h);
    return c;
  }
  TForm form{nullptr};
};

TEST_F(AccessUnitsTest, ReadOutsGiveValueRangeAndText) {
  auto* meter = Add<TMeter>(0, 0, 297, 209);
  meter->SetMeterMaxValue(10);
  meter->SetValue(7.5);
  TAccessible* m = meter->Accessible();
  EXPECT_EQ(m->Role(), arLevelBar);
  TAccValue v;
  ASSERT_TRUE(m->GetValue(v));
  EXPECT_DOUBLE_EQ(v.Current, 7.5);
  EXPECT_DOUBLE_EQ(v.Minimum, 0);
  EXPECT_DOUBLE_EQ(v.Maximum, 10);
  EXPECT_TRUE(m->States() & asReadOnly);
  EXPECT_FALSE(m->SetValue(3)) << "a meter only shows its value";

  auto* bar = Add<TProgBar>(0, 220, 200, 24);
  bar->SetMin(10);
  bar->SetMax(20);
  bar->SetValue(15);
  ASSERT_TRUE(bar->Accessible()->GetValue(v));
  EXPECT_EQ(bar->Accessible()->Role(), arProgressBar);
  EXPECT_DOUBLE_EQ(v.Current, 15);
  EXPECT_DOUBLE_EQ(v.Minimum, 10);
  EXPECT_DOUBLE_EQ(v.Maximum, 20);

  auto* seg = Add<TSevenSeg>(0, 250, 120, 40);
  seg->SetCaption(u"12:45");
  EXPECT_EQ(seg->Accessible()->Role(), arLabel);
  EXPECT_EQ(seg->Accessible()->Text(), u"12:45");
  EXPECT_EQ(seg->Accessible()->Name(), u"12:45");

  auto* lab = Add<TNumLab>(0, 300, 200, 26);
  lab->SetLeftText(u"Level");
  lab->SetRightText(u"%");
  lab->SetDecP(1);
  lab->SetLabValue(42.25);
  TAccessible* l = lab->Accessible();
  EXPECT_EQ(l->Name(), u"Level");
  EXPECT_EQ(l->Description(), u"%");
  EXPECT_EQ(l->Text(), lab->DisplayedText());
  EXPECT_NE(l->Text().find(u"42"), String::npos);
  lab->SetEmpty(true);
  EXPECT_EQ(l->Text(), u"") << "an empty box reads nothing";
}

TEST_F(AccessUnitsTest, OnOffButtonTogglesThroughItsActionWithinItsGroup) {
  auto* a = Add<TOnOffBut>(0, 0, 120, 24);
  auto* b = Add<TOnOffBut>(0, 30, 120, 24);
  a->SetRightText(u"Slow");
  b->SetRightText(u"Fast");
  a->SetOnOff(true);
  b->SetOnOff(false);
  for (TOnOffBut* x : {a, b}) {
    x->SetGroupIndex(1);
    x->SetAllowAllOff(false);
  }
  ASSERT_FALSE(b->OnOff());
  int clicks = 0;
  b->SetOnClick([&](TObject*) { ++clicks; });
  TAccessible* ab = b->Accessible();
  EXPECT_EQ(ab->Role(), arToggleButton);
  EXPECT_EQ(ab->Name(), u"Fast");
  EXPECT_TRUE(ab->States() & asCheckable);
  EXPECT_FALSE(ab->States() & asChecked);
  ASSERT_EQ(ab->ActionIndex(kActToggle), 0);
  EXPECT_TRUE(ab->DoAction(0));
  EXPECT_TRUE(b->OnOff());
  EXPECT_FALSE(a->OnOff()) << "the group's other button went off";
  EXPECT_TRUE(ab->States() & asChecked);
  EXPECT_EQ(clicks, 1);
  // The group may not be all off: toggling the one on button is refused and says so.
  EXPECT_FALSE(ab->DoAction(0));
  EXPECT_TRUE(b->OnOff());
  EXPECT_EQ(clicks, 1);
  // Its two positions, the current one checked; picking "off" of the other button switches it.
  TAccessible* other = a->Accessible();
  ASSERT_EQ(other->ChildCount(), 2);
  EXPECT_EQ(other->Child(0)->Name(), u"on");
  EXPECT_TRUE(other->Child(1)->States() & asChecked);
  EXPECT_TRUE(other->Child(0)->DoAction(0));
  EXPECT_TRUE(a->OnOff());
  b->SetEnabled(false);
  EXPECT_FALSE(ab->DoAction(0)) << "a disabled button cannot be toggled";
}

TEST_F(AccessUnitsTest, NumericFieldsTakeValuesWithinTheirRangeOnly) {
  auto* f = Add<TNumIO2>(0, 0, 240, 28);
  f->SetLeftText(u"Gain");
  f->SetRightText(u"dB");
  f->SetRangeLow(-20);
  f->SetRangeHigh(40);
  f->SetNioValue(12.5);
  int changes = 0;
  f->SetOnChange([&](TObject*) { ++changes; });
  TAccessible* a = f->Accessible();
  EXPECT_EQ(a->Role(), arSpinButton);
  EXPECT_EQ(a->Name(), u"Gain");
  EXPECT_EQ(a->Description(), u"dB");
  TAccValue v;
  ASSERT_TRUE(a->GetValue(v));
  EXPECT_DOUBLE_EQ(v.Current, 12.5);
  EXPECT_DOUBLE_EQ(v.Minimum, -20);
  EXPECT_DOUBLE_EQ(v.Maximum, 40);
  EXPECT_TRUE(a->SetValue(33.5));
  EXPECT_DOUBLE_EQ(f->Value(), 33.5);
  EXPECT_EQ(changes, 1);
  EXPECT_NE(a->Text().find(u"33"), String::npos);
  // Outside the range, read-only or disabled: refused, nothing changes, no event.
  EXPECT_FALSE(a->SetValue(41));
  EXPECT_FALSE(a->SetValue(-1000));
  f->SetReadOnly(true);
  EXPECT_FALSE(a->SetValue(0));
  EXPECT_FALSE(a->SetTextContents(u"1"));
  EXPECT_TRUE(a->States() & asReadOnly);
  EXPECT_DOUBLE_EQ(f->Value(), 33.5);
  EXPECT_EQ(changes, 1);
  f->SetReadOnly(false);
  EXPECT_FALSE(a->SetTextContents(u"abc")) << "text the field would not accept from the keyboard";
  EXPECT_TRUE(a->SetSelection(0, 2));
  Integer s = 0, e = 0;
  ASSERT_TRUE(a->Selection(s, e));
  EXPECT_EQ(e - s, 2);

  auto* edit = Add<TNumIO>(0, 40, 100, 21);
  edit->SetRangeLow(0);
  edit->SetRangeHigh(100);
  TAccessible* n = edit->Accessible();
  EXPECT_EQ(n->Role(), arText);
  EXPECT_TRUE(n->SetValue(25));
  ASSERT_TRUE(n->GetValue(v));
  EXPECT_DOUBLE_EQ(v.Current, 25);
  EXPECT_DOUBLE_EQ(v.Maximum, 100);
  EXPECT_FALSE(n->SetValue(101));
  EXPECT_DOUBLE_EQ(edit->LabValue(), 25);
}

TEST_F(AccessUnitsTest, ReportListCellsHeadersAndMaskedPasswords) {
  auto* v = Add<TReportListView>(0, 0, 400, 300);
  v->SetNrCols(2);
  v->SetNrRows(3);
  v->SetHeader(1, u"Name");
  v->SetHeader(2, u"PIN");
  v->SetElem(1, 2, u"Bob");
  v->SetElem(2, 2, u"1234");
  v->SetColumnIsPwd(2, true);
  TAccessible* t = v->Accessible();
  ASSERT_TRUE(t->IsTable());
  EXPECT_EQ(t->RowCount(), 3);
  EXPECT_EQ(t->ColumnCount(), 2);
  EXPECT_EQ(t->ColumnHeader(0), u"Name");
  EXPECT_EQ(t->ColumnHeader(1), u"PIN");
  EXPECT_EQ(t->Cell(1, 0)->Name(), u"Bob");
  EXPECT_EQ(t->Cell(1, 1)->Name(), u"******") << "a password never reaches the bus";
  EXPECT_TRUE(t->Cell(1, 0)->DoAction(0));
  EXPECT_EQ(t->FocusedChild(), t->Cell(1, 0));
}

TEST_F(AccessUnitsTest, TableEditorNamesRowsAndColumns) {
  auto* e = Add<TNTabEd>(0, 0, 500, 300);
  e->SetNrOfColumns(2);
  e->SetNrOfRows(2);
  e->SetColName(1, u"Mass");
  e->SetRowName(2, u"Sample B");
  e->SetElem(1, 2, 3.5);
  TAccessible* t = e->Accessible();
  ASSERT_TRUE(t->IsTable());
  EXPECT_EQ(t->ColumnCount(), 2);
  EXPECT_EQ(t->RowCount(), 2);
  EXPECT_EQ(t->ColumnHeader(0), u"Mass");
  EXPECT_EQ(t->RowHeader(1), u"Sample B");
  EXPECT_EQ(t->Cell(1, 0)->Name(), e->CellText(1, 2));
  EXPECT_NE(t->Cell(1, 0)->Name().find(u"3"), String::npos);
}

TEST_F(AccessUnitsTest, CalendarDaysAndSelection) {
  auto* c = Add<TMiniCal>(0, 0, 220, 180);
  c->SetDate(EncodeDate(2026, 3, 10));
  TAccessible* cal = c->Accessible();
  EXPECT_EQ(cal->Role(), arCalendar);
  ASSERT_TRUE(cal->IsTable());
  EXPECT_EQ(cal->ColumnCount(), 7);
  EXPECT_EQ(cal->RowCount(), 6);
  Integer named = 0;
  TAccessible* fifteenth = nullptr;
  for (Integer r = 0; r < cal->RowCount(); ++r)
    for (Integer k = 0; k < cal->ColumnCount(); ++k) {
      const String n = cal->Cell(r, k)->Name();
      if (!n.empty()) ++named;
      if (n.rfind(u"15 ", 0) == 0) fifteenth = cal->Cell(r, k);
    }
  EXPECT_EQ(named, 31) << "the days of March; the neighbours' days are unnamed";
  ASSERT_NE(fifteenth, nullptr);
  EXPECT_TRUE(fifteenth->DoAction(0));
  EXPECT_EQ(c->Day(), 15);
  EXPECT_EQ(cal->FocusedChild(), fifteenth);
}

TEST_F(AccessUnitsTest, MarkersAndThumbnailsAreListItems) {
  auto* m = Add<TMarkSel>(0, 0, 236, 178);
  m->SetMarkVisible(3, false);
  TAccessible* list = m->Accessible();
  EXPECT_EQ(list->Role(), arList);
  EXPECT_EQ(list->ChildCount(), kNumMarkers - 1);
  EXPECT_EQ(list->Child(0)->Name(), u"dot");
  EXPECT_EQ(list->Child(3)->Name(), u"square, small, filled") << "marker 3 is hidden, so the fourth is 4";
  EXPECT_TRUE(list->Child(3)->DoAction(0));
  EXPECT_EQ(m->Selected(), 4);
  EXPECT_TRUE(list->Child(3)->States() & asSelected);
  EXPECT_FALSE(list->Child(4)->ScreenBounds().IsEmpty());

  auto* t = Add<TThumbnails>(250, 0, 400, 300);
  t->SetMin(1);
  t->SetMax(12);
  TAccessible* strip = t->Accessible();
  ASSERT_EQ(strip->ChildCount(), 12);
  EXPECT_EQ(strip->Child(4)->Name(), u"slide 5");
  EXPECT_TRUE(strip->Child(4)->DoAction(0));
  EXPECT_TRUE(t->SlideSelected(5));
  EXPECT_TRUE(strip->Child(4)->States() & asSelected);
  t->SetMax(3);
  EXPECT_EQ(strip->ChildCount(), 3);
  EXPECT_TRUE(strip->Child(4) == nullptr);
}

}  // namespace
