// The report list's row editor: the dialog's geometry, one field per column format, Enter, OK and
// Cancel, the supplied form, and the clean-up after a dialog that could not be built.
#include <gtest/gtest.h>

#include "numio/numio.h"
#include "package/framework/controls/buttons.h"
#include "package/framework/controls/combobox.h"
#include "package/framework/controls/comctrls.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/input.h"
#include "package/framework/controls/labels.h"
#include "replist/replist.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

class RowEdit : public test::FrameworkTest {
 protected:
  void SetUp() override {
    test::FrameworkTest::SetUp();
    form.SetBounds(0, 0, 500, 400);
    v = new TReportListView(&form);
    v->SetParent(&form);
    v->SetBounds(0, 0, 400, 300);
    v->SetNrRows(8);
  }
  void Columns(std::vector<std::pair<String, String>> cols) {
    v->SetNrCols(Integer(cols.size()));
    for (size_t i = 0; i < cols.size(); ++i) {
      v->SetHeader(Integer(i) + 1, cols[i].first);
      v->SetColumnFormat(Integer(i) + 1, cols[i].second);
    }
  }
  template <class T>
  static T* Find(TCustomForm* f, const String& name) {
    return dynamic_cast<T*>(f->FindComponent(name));
  }
  static TSpeedButton* Button(TCustomForm* f, const String& caption) {
    for (Integer i = 0; i < f->ComponentCount(); ++i)
      if (auto* b = dynamic_cast<TSpeedButton*>(f->Components(i)); b && b->Caption() == caption) return b;
    return nullptr;
  }
  static Integer RuntimeControls(TComponent* owner) {
    Integer k = 0;
    for (Integer i = 0; i < owner->ComponentCount(); ++i)
      if (owner->Components(i)->Name().find(u"runtime_rlre_") != String::npos) ++k;
    return k;
  }

  TForm form{nullptr};
  TReportListView* v = nullptr;
};

// A text of the view's font exactly Width pixels wide.
String NameOfWidth(TReportListView* v, Integer Width) {
  TBitmap b;
  b.SetSize(10, 10);
  b.Canvas()->Font()->Assign(v->Font());
  for (Integer wide = 0; wide < 12; ++wide)
    for (Integer narrow = 0; narrow < 40; ++narrow) {
      const String s = String(size_t(wide), u'W') + String(size_t(narrow), u'i');
      if (b.Canvas()->TextWidth(s) == Width) return s;
    }
  return {};
}

}  // namespace

TEST_F(RowEdit, OwnDialogSizeButtonsAndFieldsOfThreeFormats) {
  const String longest = NameOfWidth(v, 60);
  ASSERT_FALSE(longest.empty());
  Columns({{u"Name", u"[s][120]abc"}, {longest, u"[#i]rix3"}, {u"Colour", u"[l]red|green"}});
  bool shown = false;
  test::ScopedModalHook hook([&](TCustomForm* f) {
    shown = true;
    EXPECT_EQ(f->Caption(), u"Editing Row 7");
    EXPECT_EQ(f->Left(), 30);
    EXPECT_EQ(f->Top(), 40);
    EXPECT_EQ(f->Width(), 296);
    EXPECT_EQ(f->Height(), 158);
    TSpeedButton* ok = Button(f, u"OK");
    TSpeedButton* cancel = Button(f, u"Cancel");
    ASSERT_TRUE(ok && cancel);
    EXPECT_EQ(ok->BoundsRect(), Bounds(114, 4, 81, 29));
    EXPECT_EQ(cancel->BoundsRect(), Bounds(199, 4, 81, 29));

    auto* edit = Find<TEdit>(f, u"runtime_rlre_Edit1");
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->Text(), u"abc");
    EXPECT_EQ(edit->Width(), 120);
    EXPECT_EQ(edit->Left(), 68 + 12);
    EXPECT_EQ(edit->Top(), 45);

    auto* num = Find<TNumIO>(f, u"runtime_rlre_NumIO2");
    ASSERT_TRUE(num);
    EXPECT_EQ(num->Text(), u"007");
    EXPECT_FALSE(num->Enabled());
    EXPECT_EQ(num->Color(), TColor(0xE0E0E0));
    EXPECT_EQ(num->Font()->Color(), TColor(0x808080));
    EXPECT_EQ(num->Top(), 70);
    EXPECT_EQ(num->Width(), 200);

    auto* box = Find<TComboBox>(f, u"runtime_rlre_CBox3");
    ASSERT_TRUE(box);
    EXPECT_EQ(box->Style(), csDropDownList);
    ASSERT_EQ(box->Items()->Count(), 2);
    EXPECT_EQ(box->Items()->Strings(0), u"red");
    EXPECT_EQ(box->Items()->Strings(1), u"green");
    EXPECT_EQ(box->ItemIndex(), -1);

    auto* label = Find<TLabel>(f, u"runtime_rlre_Label2");
    ASSERT_TRUE(label);
    EXPECT_EQ(label->Caption(), longest + u":");
    EXPECT_EQ(label->BoundsRect().Left, 8);
    EXPECT_EQ(label->Top(), 73);
    EXPECT_EQ(label->Width(), 68);
    // The first field that can be edited has the focus.
    EXPECT_EQ(f->ActiveControl(), edit);
    input::Click(cancel, 5, 5);
  });
  const Integer components = v->ComponentCount();
  EXPECT_EQ(v->EditRowEntries(7, 30, 40), mrCancel);
  EXPECT_TRUE(shown);
  // Nothing of the dialog outlives the call.
  EXPECT_EQ(v->ComponentCount(), components);
}

TEST_F(RowEdit, EnterInAnyFieldWritesEveryFieldCancelChangesNothing) {
  Columns({{u"Name", u"[s]abc"}, {u"Count", u"[#i]rix3"}, {u"Kind", u"[c:6]one||three"},
           {u"Rate", u"[f]"}, {u"Mark", u"[x]ignored"}});
  v->SetElem(1, 2, u"old");
  v->SetElem(4, 2, u"1.5");
  {
    test::ScopedModalHook hook([&](TCustomForm* f) {
      auto* edit = Find<TEdit>(f, u"runtime_rlre_Edit1");
      input::TypeText(edit, u"changed");
      input::KeyPress(edit, VK_ESCAPE);
    });
    EXPECT_EQ(v->EditRowEntries(2, 0, 0), mrCancel);
    EXPECT_EQ(v->Elem(1, 2), u"old");
  }
  int changes = 0;
  v->SetOnChange([&](TObject*) { ++changes; });
  test::ScopedModalHook hook([&](TCustomForm* f) {
    auto* box = Find<TComboBox>(f, u"runtime_rlre_CBox3");
    ASSERT_TRUE(box);
    EXPECT_EQ(box->Style(), csDropDown);
    EXPECT_EQ(box->DropDownCount(), 6);
    ASSERT_EQ(box->Items()->Count(), 3);  // the empty choice between two bars counts
    EXPECT_EQ(box->Items()->Strings(1), u"");
    EXPECT_EQ(RuntimeControls(f), 9);  // five labels, no field for the unknown letter
    auto* edit = Find<TEdit>(f, u"runtime_rlre_Edit1");
    edit->SetText(u"new");
    box->SetText(u"three");
    auto* rate = Find<TNumIO>(f, u"runtime_rlre_NumIO4");
    input::KeyPress(rate, VK_END);
    input::TypeText(rate, u"25");
    input::KeyPress(rate, VK_RETURN);
  });
  EXPECT_EQ(v->EditRowEntries(2, 0, 0), mrOK);
  EXPECT_EQ(v->Elem(1, 2), u"new");
  EXPECT_EQ(v->Elem(2, 2), u"002");  // read-only fields are written too
  EXPECT_EQ(v->Elem(3, 2), u"three");
  EXPECT_EQ(v->Elem(4, 2), u"1.525");
  EXPECT_EQ(v->Elem(5, 2), u"");
  EXPECT_GE(changes, 1);
}

TEST_F(RowEdit, FormatsComeThroughOnRequestEditFormatAndRowsOutsideWriteNothing) {
  Columns({{u"A", u"[s]plain"}, {u"B", u"[i]5"}});
  std::vector<std::pair<Integer, Integer>> asked;
  v->SetOnRequestEditFormat([&](TObject* Sender, Integer Col, Integer Row, String& Format) {
    EXPECT_EQ(Sender, v);
    asked.push_back({Col, Row});
    if (Col == 2) Format = u"[h][90]rix4";
  });
  test::ScopedModalHook hook([&](TCustomForm* f) {
    auto* num = Find<TNumIO>(f, u"runtime_rlre_NumIO2");
    ASSERT_TRUE(num);
    EXPECT_EQ(num->InputFormat(), itHex);
    EXPECT_EQ(num->Width(), 90);
    EXPECT_EQ(num->Text(), u"000C");
    EXPECT_EQ(Find<TEdit>(f, u"runtime_rlre_Edit1")->Text(), u"plain");
    input::Click(Button(f, u"OK"), 5, 5);
  });
  EXPECT_EQ(v->EditRowEntries(12, 0, 0), mrOK);
  EXPECT_EQ(asked, (std::vector<std::pair<Integer, Integer>>{{1, 12}, {2, 12}}));
  EXPECT_EQ(v->NrOfRows(), 8);
  for (Integer r = 1; r <= 8; ++r) EXPECT_EQ(v->Elem(1, r), u"");
}

TEST_F(RowEdit, SuppliedFormKeepsOffsetsGrowsAndLosesOnlyTheFields) {
  Columns({{u"Name", u"[s][150]"}, {u"When", u"[dd.MM.yyyy]"}});
  v->SetElem(1, 3, u"Ann");
  v->SetElem(2, 3, u"07.03.2024");
  TForm host(nullptr);
  host.SetCaption(u"Host");
  host.SetBounds(0, 0, 100, 60);
  auto* keep = new TButton(&host);
  keep->SetParent(&host);
  keep->SetName(u"Done");
  keep->SetModalResult(mrOK);
  test::ScopedModalHook hook([&](TCustomForm* f) {
    EXPECT_EQ(f, &host);
    EXPECT_EQ(f->Caption(), u"");
    EXPECT_EQ(Button(f, u"OK"), nullptr);
    auto* edit = Find<TEdit>(f, u"runtime_rlre_Edit1");
    ASSERT_TRUE(edit);
    const Integer lw = Find<TLabel>(f, u"runtime_rlre_Label1")->Width();
    EXPECT_EQ(edit->Left(), lw + 20 + 12);
    EXPECT_EQ(edit->Top(), 10);
    EXPECT_EQ(Find<TLabel>(f, u"runtime_rlre_Label1")->Left(), 28);
    EXPECT_EQ(f->Width(), 200 + lw + 28);
    EXPECT_EQ(f->Height(), 2 * 25 + 38);
    auto* pick = Find<TDateTimePicker>(f, u"runtime_rlre_DtPick2");
    ASSERT_TRUE(pick);
    EXPECT_EQ(pick->Format(), u"d.MM.yyyy");
    EXPECT_DOUBLE_EQ(pick->DateTime(), EncodeDate(2024, 3, 7));
    pick->SetDateTime(EncodeDate(2025, 12, 24));
    input::Click(keep, 5, 5);
  });
  EXPECT_EQ(v->EditRowEntries(3, &host, 20, 10), mrOK);
  EXPECT_EQ(v->Elem(2, 3), u"24.12.2025");
  EXPECT_EQ(RuntimeControls(&host), 0);
  EXPECT_EQ(host.FindComponent(u"Done"), keep);
}

TEST_F(RowEdit, ADateThatDoesNotReadRaisesBeforeTheDialogAndLeavesNothingBehind) {
  Columns({{u"Name", u"[s]"}, {u"Month", u"[dMMM yyyy]"}, {u"Later", u"[s]"}});
  v->SetElem(2, 1, u"Mar 2024");
  bool shown = false;
  test::ScopedModalHook hook([&](TCustomForm*) { shown = true; });
  const Integer components = v->ComponentCount();
  EXPECT_THROW(v->EditRowEntries(1, 0, 0), EConvertError);
  EXPECT_EQ(v->ComponentCount(), components);
  TForm host(nullptr);
  EXPECT_THROW(v->EditRowEntries(1, &host, 0, 0), EConvertError);
  EXPECT_EQ(host.ComponentCount(), 0);
  // A text its format cannot read at all is refused too, rather than shown as a date nobody entered.
  v->SetColumnFormat(2, u"[ddd.MM.yyyy]");
  v->SetElem(2, 1, u"7.3.2024");
  EXPECT_THROW(v->EditRowEntries(1, 0, 0), EConvertError);
  EXPECT_FALSE(shown);
  EXPECT_EQ(v->Elem(2, 1), u"7.3.2024");
}

TEST_F(RowEdit, FieldsThatCannotShowTheirCellLeaveItUnlessChanged) {
  Columns({{u"Colour", u"[l]red|green"}, {u"Count", u"[i]"}, {u"Size", u"[i]"}});
  v->SetElem(1, 1, u"purple");
  v->SetElem(2, 1, u"n/a");
  v->SetElem(3, 1, u"n/a");
  test::ScopedModalHook hook([&](TCustomForm* f) {
    EXPECT_EQ(Find<TComboBox>(f, u"runtime_rlre_CBox1")->ItemIndex(), -1);
    auto* size = Find<TNumIO>(f, u"runtime_rlre_NumIO3");
    EXPECT_EQ(size->Text(), u"");
    input::TypeText(size, u"42");
    input::KeyPress(size, VK_RETURN);
  });
  EXPECT_EQ(v->EditRowEntries(1, 0, 0), mrOK);
  EXPECT_EQ(v->Elem(1, 1), u"purple");
  EXPECT_EQ(v->Elem(2, 1), u"n/a");
  EXPECT_EQ(v->Elem(3, 1), u"42");
}

TEST_F(RowEdit, DatePickerTakesTheFormatAndWritesTheSameTextBack) {
  Columns({{u"At", u"[dhh:mm tt]03:15 PM"}, {u"Day", u"[d]"}, {u"Stamp", u"[dyyyy-MM-dd HH:mm]"}});
  v->SetElem(2, 4, u"12/31/1999");
  test::ScopedModalHook hook([&](TCustomForm* f) {
    auto* at = Find<TDateTimePicker>(f, u"runtime_rlre_DtPick1");
    EXPECT_EQ(at->Format(), u"hh:mm tt");
    EXPECT_NEAR(at->DateTime(), EncodeTime(15, 15, 0, 0), 1e-9);
    EXPECT_EQ(at->Text(), u"03:15 PM");
    auto* day = Find<TDateTimePicker>(f, u"runtime_rlre_DtPick2");
    EXPECT_EQ(day->Format(), u"");
    EXPECT_DOUBLE_EQ(day->DateTime(), EncodeDate(1999, 12, 31));
    auto* stamp = Find<TDateTimePicker>(f, u"runtime_rlre_DtPick3");
    stamp->SetDateTime(EncodeDateTime(2024, 2, 29, 23, 5, 0, 0));
    input::KeyPress(stamp, VK_RETURN);
  });
  EXPECT_EQ(v->EditRowEntries(4, 0, 0), mrOK);
  EXPECT_EQ(v->Elem(1, 4), u"03:15 PM");
  EXPECT_EQ(v->Elem(2, 4), u"12/31/1999");
  EXPECT_EQ(v->Elem(3, 4), u"2024-02-29 23:05");
}
