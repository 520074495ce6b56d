// TReportListView's row editor: a dialog built from the column formats, one labelled field per
// column. Sections: [formats] [dialog] [handlers]
#include <algorithm>
#include <memory>
#include <vector>

#include "numio/numio1.h"
#include "package/framework/controls/buttons.h"
#include "package/framework/controls/combobox.h"
#include "package/framework/controls/comctrls.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/labels.h"
#include "package/framework/controls/stdctrls.h"
#include "replist/reportlistview.h"
#include "replist/reportlistview_internal.h"
#include "replist/rldata_internal.h"
#include "replist/rowedit.h"
#include "package/core/strutil.h"

namespace jox {

namespace {

// [formats] ------------------------------------------------------------------------------------------------
const String kRuntimePrefix = u"runtime_rlre_";
constexpr Integer kRowPitch = 25, kDefaultFieldWidth = 200, kButtonRoom = 45;
constexpr TColor kReadOnlyColor = 0xE0E0E0, kReadOnlyText = 0x808080;
// What an empty date format shows on the picker; cells are read and written by the same.
const String kPickerDefaultFormat = u"M/d/yyyy";

bool ContainsText(const String& s, const String& sub) { return LowerCase(s).find(sub) != String::npos; }

bool NameHas(TComponent* c, const String& kind) { return c->Name().find(kRuntimePrefix + kind) != String::npos; }

// The cell's date, or the default's, for the picker. A text that its format does not read raises,
// so that a cell is never overwritten by a date nobody entered.
void LoadPicker(TDateTimePicker* Picker, const String& Format, const String& Cell, const String& Default) {
  const String text = !Cell.empty() ? Cell : Default;
  if (text.empty()) return;
  Integer err = 0;
  const TDateTime v = DecodeDateTimeText(text, Format, err);
  if (err != 0) throw EConvertError(u"'" + text + u"' is not a valid date");
  Picker->SetDateTime(v);
}

}  // namespace

TFieldFormat SplitColumnFormat(const String& Format) {
  TFieldFormat f;
  f.Rest = Format;
  const size_t close = Format.find(u']');
  if (Format.empty() || Format[0] != u'[' || close == String::npos) return f;
  String type = Format.substr(1, close - 1);
  f.Rest = Format.substr(close + 1);
  if (!type.empty() && type[0] == u'#') {
    f.ReadOnly = true;
    type.erase(0, 1);
  }
  if (!type.empty()) {
    f.Type = type[0];
    f.TypeRest = type.substr(1);
  }
  if (!f.Rest.empty() && f.Rest[0] == u'[') {
    const size_t w = f.Rest.find(u']');
    if (w != String::npos) {
      f.Width = FormatNumberAt(f.Rest.substr(1, w - 1), 1);
      if (f.Width < 1) f.Width = kDefaultFieldWidth;
      f.Rest.erase(0, w + 1);
    }
  }
  return f;
}

// [dialog] -------------------------------------------------------------------------------------------------
Integer TReportListView::EditRowEntries(Integer Row, Integer PosLeft, Integer PosTop) {
  return EditRowEntriesIntern(Row, nullptr, PosLeft, PosTop, u"Editing Row " + IntToStr(Row), u"OK", u"Cancel");
}

Integer TReportListView::EditRowEntries(Integer Row, Integer PosLeft, Integer PosTop, const String& FormCaption,
                                        const String& ButOKCaption, const String& ButCancelCaption) {
  return EditRowEntriesIntern(Row, nullptr, PosLeft, PosTop, FormCaption, ButOKCaption, ButCancelCaption);
}

Integer TReportListView::EditRowEntries(Integer Row, TForm* ContainerForm, Integer PosLeft, Integer PosTop) {
  return EditRowEntriesIntern(Row, ContainerForm, PosLeft, PosTop, String(), String(), String());
}

Integer TReportListView::EditRowEntriesIntern(Integer Row, TForm* ContainerForm, Integer PosLeft, Integer PosTop,
                                              const String& FormCaption, const String& ButOKCaption,
                                              const String& ButCancelCaption) {
  HideEditor();
  std::unique_ptr<TForm> ownForm;
  TForm* form = ContainerForm;
  Integer V = 0;
  if (!form) {
    ownForm = std::make_unique<TForm>(this);
    form = ownForm.get();
    form->Font()->Assign(Font());
    form->SetBounds(PosLeft, PosTop, form->Width(), form->Height());
    PosLeft = PosTop = 0;
    V = kButtonRoom;
  }
  // Whatever happens, the fields go again (last first), and so does an own form.
  struct TCleanup {
    TReportListView* View;
    TForm* Form;
    std::unique_ptr<TForm>& Own;
    ~TCleanup() {
      for (Integer i = Form->ComponentCount() - 1; i >= 0; --i) {
        TComponent* c = Form->Components(i);
        if (c && c->Name().find(kRuntimePrefix) != String::npos) delete c;
      }
      Own.reset();
      View->FContainerForm = nullptr;
      View->FSBERCancel = nullptr;
    }
  } cleanup{this, form, ownForm};
  FContainerForm = form;

  const Integer n = NrOfColumns();
  TCanvas* canvas = form->Canvas();
  canvas->Font()->Assign(form->Font());
  Integer Lw = 0;
  for (Integer c = 1; c <= n; ++c) Lw = std::max(Lw, canvas->TextWidth(Header(c)));
  Lw += 8;

  // Fields whose cell text they could not take (a number field given no number, a fixed list given
  // a text not in it): written back only once the user has changed them.
  struct TRefused {
    TControl* Control;
    String Shown;
  };
  std::vector<TRefused> refused;
  std::vector<String> pickerFormats(size_t(n) + 1);
  TWinControl* first = nullptr;
  Integer Wmax = 0;
  for (Integer c = 1; c <= n; ++c) {
    const Integer y = V + (c - 1) * kRowPitch + PosTop;
    String format = ColumnFormat(c);
    if (FOnRequestEdFmt) FOnRequestEdFmt(this, c, Row, format);
    const TFieldFormat f = SplitColumnFormat(format);
    Wmax = std::max(Wmax, f.Width);

    auto* label = new TLabel(form);
    label->SetName(kRuntimePrefix + u"Label" + IntToStr(c));
    label->SetParent(form);
    label->SetParentFont(true);
    label->SetAutoSize(false);
    label->SetAlignment(taRightJustify);
    label->SetBounds(PosLeft + 8, y + 3, Lw, label->Height());
    label->SetCaption(Header(c) + u":");

    const String cell = GetElem(c, Row);
    TWinControl* control = nullptr;
    auto place = [&](TWinControl* w, const String& kind) {
      w->SetName(kRuntimePrefix + kind + IntToStr(c));
      w->SetParent(form);
      w->SetParentFont(true);
      w->SetBounds(Lw + PosLeft + 12, y, f.Width, w->Height());
      w->SetTag(c);
      control = w;
    };
    switch (f.Type) {
      case u'c':
      case u'l': {
        auto* box = new TComboBox(form);
        place(box, u"CBox");
        box->SetStyle(f.Type == u'c' ? csDropDown : csDropDownList);
        String list = f.Rest;
        if (list.empty() || list.back() != u'|') list += u'|';
        for (size_t start = 0, bar; (bar = list.find(u'|', start)) != String::npos; start = bar + 1)
          box->Items()->Add(list.substr(start, bar - start));
        const size_t colon = f.TypeRest.find(u':');
        Integer lines = 0;
        if (colon != String::npos && TryStrToInt(f.TypeRest.substr(colon + 1), lines)) box->SetDropDownCount(lines);
        if (f.Type == u'c') {
          box->SetText(cell);
        } else {
          box->SetItemIndex(box->Items()->IndexOf(cell));
          if (!cell.empty() && box->ItemIndex() < 0) refused.push_back({box, box->Text()});
        }
        break;
      }
      case u'd': {
        auto* picker = new TDateTimePicker(form);
        place(picker, u"DtPick");
        picker->SetFormat(f.TypeRest.substr(0, 255));
        pickerFormats[size_t(c)] = picker->Format().empty() ? kPickerDefaultFormat : picker->Format();
        LoadPicker(picker, pickerFormats[size_t(c)], cell, f.Rest);
        break;
      }
      case u'e':
      case u'f':
      case u'h':
      case u'i': {
        auto* num = new TNumIO(form);
        place(num, u"NumIO");
        num->SetRangeLow(-1.7e308);
        num->SetRangeHigh(1.7e308);
        num->SetInputFormat(f.Type == u'e' ? itDynamic : f.Type == u'f' ? itFloat : f.Type == u'h' ? itHex : itInt);
        if (!cell.empty()) num->SetText(cell);
        else if (ContainsText(f.Rest, u"rix")) num->SetText(RowIndexDefault(f.Type, f.Rest, Row));
        else num->SetText(f.Rest);
        if (!cell.empty() && num->Text() != cell) refused.push_back({num, num->Text()});
        break;
      }
      case u's': {
        auto* edit = new TEdit(form);
        place(edit, u"Edit");
        if (!cell.empty()) edit->SetText(cell);
        else if (ContainsText(f.Rest, u"$pwd$")) edit->SetText(InventPassword(FormatNumberAt(f.Rest, 6)));
        else edit->SetText(f.Rest);
        break;
      }
      default:
        break;
    }
    if (!control) continue;
    if (f.ReadOnly) {
      control->SetEnabled(false);
      control->SetColor(kReadOnlyColor);
      control->Font()->SetColor(kReadOnlyText);
    } else {
      control->SetOnKeyPress([this](TObject* Sender, char16_t& Key) { EdRowKeyPress(Sender, Key); });
      if (!first) first = control;
    }
  }

  const Integer Wf = Wmax + Lw + 28, Hf = n * kRowPitch + V + 38;
  if (ownForm) {
    form->SetBounds(form->Left(), form->Top(), Wf, Hf);
    form->SetBorderStyle(bsDialog);
    auto button = [&](const String& caption, Integer left, void (TReportListView::*handler)(TObject*)) {
      auto* b = new TSpeedButton(form);
      b->SetParent(form);
      b->SetBounds(left, 4, 81, 29);
      b->SetCaption(caption);
      b->SetOnClick([this, handler](TObject* Sender) { (this->*handler)(Sender); });
      return b;
    };
    FSBERCancel = button(ButCancelCaption, Wmax + Lw - 69, &TReportListView::EdRowCancelClick);
    button(ButOKCaption, Wmax + Lw - 154, &TReportListView::EdRowOKClick);
  } else {
    form->SetBounds(form->Left(), form->Top(), std::max(form->Width(), Wf), std::max(form->Height(), Hf));
  }
  form->SetCaption(FormCaption);
  if (first) form->SetActiveControl(first);
  const Integer result = form->ShowModal();

  if (result == mrOK) {
    TPaintBatch batch(this);
    for (Integer i = 0; i < form->ComponentCount(); ++i) {
      auto* w = dynamic_cast<TControl*>(form->Components(i));
      if (!w) continue;
      const Integer col = Integer(w->Tag());
      if (NameHas(w, u"DtPick")) {
        // A supplied form may hold a control of the caller's under such a name.
        if (const auto* picker = dynamic_cast<TDateTimePicker*>(w)) {
          const String fmt = col >= 1 && col <= n ? pickerFormats[size_t(col)] : picker->Format();
          SetElem(col, Row, EncodeDateTimeText(fmt.empty() ? kPickerDefaultFormat : fmt, picker->DateTime()));
        }
      } else if (NameHas(w, u"Edit") || NameHas(w, u"NumIO") || NameHas(w, u"CBox")) {
        const auto r = std::find_if(refused.begin(), refused.end(), [&](const TRefused& x) { return x.Control == w; });
        if (r != refused.end() && r->Shown == w->Text()) continue;
        SetElem(col, Row, w->Text());
      }
    }
    batch.End();
  }
  return result;
}

// [handlers] -----------------------------------------------------------------------------------------------
void TReportListView::EdRowOKClick(TObject*) {
  if (FContainerForm) FContainerForm->SetModalResult(mrOK);
}

void TReportListView::EdRowCancelClick(TObject*) {
  if (FContainerForm) FContainerForm->SetModalResult(mrCancel);
}

void TReportListView::EdRowKeyPress(TObject*, char16_t& Key) {
  if (!FContainerForm) return;
  if (Key == 13) {
    FContainerForm->SetModalResult(mrOK);
    Key = 0;
  } else if (Key == 27) {
    FContainerForm->SetModalResult(mrCancel);
    Key = 0;
  }
}

}  // namespace jox
