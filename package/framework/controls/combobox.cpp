// The combo box. Sections: [edit] [combo] [geometry] [keys] [mouse] [painting] [tables]
#include "package/framework/controls/combobox.h"
#include "package/framework/controls/menus.h"

#include <algorithm>
#include <cwctype>

#include "package/framework/graphics/drawedge.h"
#include "package/framework/controls/controls_internal.h"
#include "package/framework/controls/dropdownlist.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/stdctrls.h"

namespace jox {

constexpr Integer kComboWidth = 145, kComboButton = 17, kComboFrame = 2;

// [edit] ---------------------------------------------------------------------------------------------------
// The text field of csDropDown: list keys go to the combo box, text changes are its changes.
class TComboEdit : public TCustomEdit {
 public:
  TComboEdit(TCustomComboBox* Combo) : TCustomEdit(Combo), FCombo(Combo) {
    SetBorderStyle(bsNone);
    SetAutoSize(false);
    SetParentColor(true);
  }

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override {
    if (FCombo->NavigationKey(Key, Shift)) {
      Key = 0;
      return;
    }
    TCustomEdit::KeyDown(Key, Shift);
  }
  void KeyPress(char16_t& Key) override {
    // The combo box's OnKeyPress sees the typing too (the row editor's Enter closes its dialog).
    if (FCombo->OnKeyPress()) FCombo->OnKeyPress()(FCombo, Key);
    if (Key == 0 || Key == 13 || Key == 27) return;
    TCustomEdit::KeyPress(Key);
  }
  void Change() override {
    TCustomEdit::Change();
    if (FCombo->FUpdating) return;
    FCombo->FItemIndex = FCombo->FItems->IndexOf(Text());
    FCombo->Change();
  }

 private:
  TCustomComboBox* FCombo;
};

// [combo] --------------------------------------------------------------------------------------------------
TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TStringList>()), FSearch(std::make_unique<TTypeSearch>()) {
  // Click means a choice from the list, not a press on the field.
  SetControlStyle((ControlStyle() & ~csClickEvents) | csOpaque);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
  FItems->SetOnChange([this](TObject*) { ItemsChanged(); });
  FEdit = new TComboEdit(this);
  FEdit->SetParent(this);
  SetBounds(0, 0, kComboWidth, 21);
  AdjustHeight();
  UpdateEdit();
}

TCustomComboBox::~TCustomComboBox() {
  // Going away closes the list without telling anyone.
  FDropped = false;
  if (FList) FList->ClosePopup();
  FList.reset();
}

TStrings* TCustomComboBox::Items() const { return FItems.get(); }

void TCustomComboBox::SetItems(TStrings* v) { FItems->Assign(v); }

TControl* TCustomComboBox::ListPopup() const { return FList.get(); }

void TCustomComboBox::ItemsChanged() {
  if (FItemIndex >= FItems->Count()) FItemIndex = -1;
  if (FDropped && FList) FList->ItemsChanged();
  if (FSimpleList) {
    FSimpleList->ItemsChanged();
    FSimpleList->SetHot(FItemIndex);
  }
  Invalidate();
}

void TCustomComboBox::SetStyle(TComboBoxStyle v) {
  if (v == FStyle) return;
  const String text = Text();
  FStyle = v;
  if (!HasEdit()) FText = text;
  UpdateEdit();
  AdjustHeight();
  Invalidate();
}

void TCustomComboBox::SetItemIndex(Integer v) {
  if (v < -1 || v >= FItems->Count()) v = -1;
  FItemIndex = v;
  FUpdating = true;
  try {
    const String t = v >= 0 ? FItems->Get(v) : String();
    if (HasEdit()) FEdit->SetText(t);
    FText = t;
  } catch (...) {
    FUpdating = false;
    throw;
  }
  FUpdating = false;
  if (FDropped && FList) FList->Box()->SetHot(v);
  if (FSimpleList) FSimpleList->SetHot(v);
  Invalidate();
}

String TCustomComboBox::Text() const { return HasEdit() ? FEdit->Text() : FText; }

void TCustomComboBox::SetText(const String& v) {
  const Integer i = FItems->IndexOf(v);
  if (HasEdit()) {
    FUpdating = true;
    FEdit->SetText(v);
    FUpdating = false;
    FItemIndex = i;
  } else {
    FItemIndex = i;
    FText = i >= 0 ? v : String();
  }
  Invalidate();
}

Integer TCustomComboBox::ItemHeight() const {
  if (FItemHeight > 0 && OwnerDrawn()) return FItemHeight;
  // Measured once per font: the list asks per item.
  if (FFontItemHeight == 0) FFontItemHeight = FontTextHeight(const_cast<TCustomComboBox*>(this)->Font());
  return FFontItemHeight;
}

void TCustomComboBox::SetItemHeight(Integer v) {
  if (v < 1 || v == FItemHeight) return;
  FItemHeight = v;
  AdjustHeight();
  Invalidate();
}

bool TCustomComboBox::Sorted() const { return FItems->Sorted(); }
void TCustomComboBox::SetSorted(bool v) { FItems->SetSorted(v); }

void TCustomComboBox::SetMaxLength(Integer v) {
  FMaxLength = std::max(v, 0);
  FEdit->SetMaxLength(FMaxLength);
}

Integer TCustomComboBox::ItemHeightOf(Integer Index) {
  Integer h = ItemHeight();
  if (FStyle == csOwnerDrawVariable) MeasureItem(Index, h);
  return std::max(h, 1);
}

void TCustomComboBox::MeasureItem(Integer Index, Integer& Height) {
  if (FOnMeasureItem) FOnMeasureItem(this, Index, Height);
}

void TCustomComboBox::Change() {
  if (FOnChange) FOnChange(this);
}

void TCustomComboBox::Select() {
  if (FOnSelect) FOnSelect(this);
}

void TCustomComboBox::DropDown() {
  if (FOnDropDown) FOnDropDown(this);
}

void TCustomComboBox::CloseUp() {
  if (FOnCloseUp) FOnCloseUp(this);
}

void TCustomComboBox::UserSelect(Integer Index, bool Close) {
  if (Close) SetDroppedDown(false);
  if (Index < 0 || Index >= FItems->Count()) return;
  const bool changed = Index != FItemIndex || Text() != FItems->Get(Index);
  if (!changed) return;
  SetItemIndex(Index);
  if (HasEdit() && FEdit->Focused()) FEdit->SelectAll();
  Click();
  Change();
  Select();
}

void TCustomComboBox::SetDroppedDown(bool v) {
  if (v == FDropped) return;
  if (!v) {
    if (FList) FList->ClosePopup();  // ListClosed finishes
    return;
  }
  if (!Showing() || !Enabled() || FStyle == csSimple) return;  // csSimple's list is always there
  DropDown();
  if (FDropped || !Showing()) return;  // the handler dropped it itself, or took the control away
  if (!FList) {
    FList = std::make_unique<TDropDownList>();
    FList->SetItems(FItems.get());
    FList->SetOnPick([this](Integer i) { UserSelect(i, false); });
    FList->SetOnClosed([this](bool) { ListClosed(); });
    // The combo box's OnKeyPress sees the typing too (the row editor's Enter closes its dialog).
    FList->SetOnKeyPress([this](char16_t& Key) {
      if (OnKeyPress()) OnKeyPress()(this, Key);
    });
  }
  ConnectList(FList->Box());
  FList->Font()->Assign(Font());
  FList->Box()->Font()->Assign(Font());
  FList->Box()->SetColor(Color());
  FList->Box()->SetItemHeight(ItemHeight());
  FDropped = true;
  FList->DropDown(this, FDropDownCount, Width(), FItemIndex);
  Invalidate();
}

void TCustomComboBox::ConnectList(TItemListBox* Box) {
  Box->SetOnDrawItem([this](TCanvas* c, Integer i, TRect r, TOwnerDrawState s) { DrawListItem(c, i, r, s); });
  if (FStyle == csOwnerDrawVariable) Box->SetOnMeasureItem([this](Integer i) { return ItemHeightOf(i); });
  else Box->SetOnMeasureItem(nullptr);
}

void TCustomComboBox::ListClosed() {
  if (!FDropped) return;
  FDropped = false;
  Invalidate();
  CloseUp();
}

TCanvas* TCustomComboBox::Canvas() { return FDrawCanvas ? FDrawCanvas : TWinControl::Canvas(); }

void TCustomComboBox::DrawListItem(TCanvas* Target, Integer Index, TRect R, TOwnerDrawState State) {
  TCanvas* saved = FDrawCanvas;
  FDrawCanvas = Target;
  try {
    Target->Font()->Assign(Font());
    Target->Brush()->SetStyle(bsSolid);
    Target->Brush()->SetColor(State & odSelected ? clHighlight : Color());
    Target->Pen()->SetColor(clBlack);
    DrawItem(Index, R, State);
  } catch (...) {
    FDrawCanvas = saved;
    throw;
  }
  FDrawCanvas = saved;
}

void TCustomComboBox::DrawItem(Integer Index, TRect R, TOwnerDrawState State) {
  TCanvas* c = Canvas();
  if (OwnerDrawn() && FOnDrawItem) {
    FOnDrawItem(this, Index, R, State);
    return;
  }
  c->Brush()->SetStyle(bsSolid);
  c->FillRect(R);
  if (Index < 0 || Index >= FItems->Count()) return;
  const String& s = FItems->Get(Index);
  c->Brush()->SetStyle(bsClear);
  c->Font()->SetColor(State & odDisabled ? clGrayText : State & odSelected ? clHighlightText : Font()->Color());
  c->TextOut(R.Left + 2, R.Top + (R.Height() - c->TextHeight(s)) / 2, s);
}

// [geometry] -----------------------------------------------------------------------------------------------
TRect TCustomComboBox::ButtonRect() const {
  if (FStyle == csSimple) return TRect();
  const Integer button = ScaledMetric(this, kComboButton);
  return Rect(Width() - kComboFrame - button, kComboFrame, Width() - kComboFrame, Height() - kComboFrame);
}

TRect TCustomComboBox::TextRect() const {
  const Integer right = FStyle == csSimple ? Width() - kComboFrame : ButtonRect().Left;
  return Rect(kComboFrame + 1, kComboFrame + 1, right - 1, FieldHeight() - kComboFrame - 1);
}

Integer TCustomComboBox::FieldHeight() const {
  const Integer field = ItemHeight() + 2 * (kComboFrame + 2);
  return FStyle == csSimple ? std::min(field, Height()) : Height();
}

void TCustomComboBox::UpdateEdit() {
  if (!FEdit) return;
  FEdit->SetVisible(HasEdit());
  const TRect r = TextRect();
  FEdit->SetBounds(r.Left + 1, r.Top, std::max(r.Width() - 1, 0), r.Height());
  if (!HasEdit() && FEdit->Focused() && CanFocus()) TWinControl::SetFocus();
  if (FStyle == csSimple && !FSimpleList) {
    FSimpleList = new TItemListBox(this);
    FSimpleList->SetParent(this);
    FSimpleList->SetFramed(true);
    FSimpleList->SetPickOnRelease(false);
    FSimpleList->SetListOwner(this);
    FSimpleList->SetItems(FItems.get());
    // A press picks; the focus stays in the field.
    FSimpleList->SetOnPick([this](Integer i) {
      UserSelect(i, false);
      if (CanFocus()) SetFocus();
    });
    FSimpleList->SetOnKeyDown([this](Word& Key, TShiftState Shift) {
      if (NavigationKey(Key, Shift)) Key = 0;
    });
  }
  if (FSimpleList) {
    FSimpleList->SetVisible(FStyle == csSimple);
    const Integer top = FieldHeight();
    ConnectList(FSimpleList);
    FSimpleList->SetColor(Color());
    FSimpleList->SetItemHeight(ItemHeight());
    FSimpleList->SetBounds(0, top, Width(), std::max(Height() - top, 0));
    FSimpleList->ItemsChanged();
    FSimpleList->SetHot(FItemIndex);
  }
}

void TCustomComboBox::AdjustHeight() {
  SetBounds(Left(), Top(), Width(), Height());
}

void TCustomComboBox::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  // The field's height follows its item height.
  if (FStyle != csSimple) AHeight = ItemHeight() + 2 * (kComboFrame + 2);
  TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  UpdateEdit();
}

void TCustomComboBox::FontChanged() {
  FFontItemHeight = 0;
  TWinControl::FontChanged();
  AdjustHeight();
}

void TCustomComboBox::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateEdit();
}

void TCustomComboBox::SetFocus() {
  if (HasEdit() && FEdit->Visible()) {
    FEdit->SetFocus();
    return;
  }
  TWinControl::SetFocus();
}

void TCustomComboBox::DoEnter() {
  TWinControl::DoEnter();
  Invalidate();
}

void TCustomComboBox::DoExit() {
  SetDroppedDown(false);
  TWinControl::DoExit();
  Invalidate();
}

// [keys] ---------------------------------------------------------------------------------------------------
bool TCustomComboBox::NavigationKey(Word Key, TShiftState Shift) {
  if (FDropped) return FList->HandleKey(Key, Shift);
  if (Key == VK_F4 || ((Key == VK_DOWN || Key == VK_UP) && (Shift & ssAlt))) {
    SetDroppedDown(true);
    return true;
  }
  const Integer n = FItems->Count();
  Integer i = FItemIndex;
  switch (Key) {
    case VK_UP: i = i < 0 ? 0 : i - 1; break;
    case VK_DOWN: i = i + 1; break;
    case VK_PRIOR: i = i - std::max(FDropDownCount - 1, 1); break;
    case VK_NEXT: i = i + std::max(FDropDownCount - 1, 1); break;
    case VK_HOME: if (HasEdit()) return false; i = 0; break;
    case VK_END: if (HasEdit()) return false; i = n - 1; break;
    default: return false;
  }
  if (n > 0) UserSelect(std::clamp(i, 0, n - 1), false);
  return true;
}

void TCustomComboBox::KeyDown(Word& Key, TShiftState Shift) {
  TWinControl::KeyDown(Key, Shift);
  if (Key && NavigationKey(Key, Shift)) Key = 0;
}

void TCustomComboBox::KeyPress(char16_t& Key) {
  TWinControl::KeyPress(Key);
  if (Key >= 32) TypeSearch(Key);
}

void TCustomComboBox::TypeSearch(char16_t Ch) {
  if (HasEdit()) return;
  if (FDropped) {
    FList->Search(Ch);
    return;
  }
  if (const Integer i = FSearch->Next(FItems.get(), Ch, FItemIndex); i >= 0) UserSelect(i, false);
}

bool TCustomComboBox::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  if (TWinControl::DoMouseWheelDown(Shift, MousePos)) return true;
  return NavigationKey(VK_DOWN, TShiftState());
}

bool TCustomComboBox::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  if (TWinControl::DoMouseWheelUp(Shift, MousePos)) return true;
  return NavigationKey(VK_UP, TShiftState());
}

void TCustomComboBox::DefaultHandler(TMessage& Message) {
  if (DropDownFieldMessage(Message, [this] { SetDroppedDown(false); })) return;
  switch (Message.Msg) {
    case CM_ENABLEDCHANGED:
      FEdit->SetEnabled(Enabled());
      if (!Enabled()) SetDroppedDown(false);
      break;
    case CM_COLORCHANGED:
      FEdit->SetColor(Color());
      if (FSimpleList) FSimpleList->SetColor(Color());
      break;
    case CM_FONTCHANGED:
      FEdit->Font()->Assign(Font());
      if (FSimpleList) FSimpleList->Font()->Assign(Font());
      break;
  }
  TWinControl::DefaultHandler(Message);
}

// [mouse] --------------------------------------------------------------------------------------------------
void TCustomComboBox::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TWinControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  if (HasEdit() && !ButtonRect().Contains(Point(X, Y))) return;
  SetDroppedDown(!FDropped);
}

// [painting] -----------------------------------------------------------------------------------------------
void TCustomComboBox::Paint() {
  TCanvas* c = TWinControl::Canvas();
  TRect r = Rect(0, 0, Width(), FieldHeight());
  DrawEdge(c, r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(Enabled() ? Color() : clBtnFace);
  c->FillRect(r);
  const TRect b = ButtonRect();
  if (!b.IsEmpty()) {
    TRect e = b;
    if (FDropped) {
      DrawEdge(c, e, BDR_SUNKENOUTER, BF_RECT | BF_FLAT | BF_MIDDLE);
      e = Rect(b.Left + 1, b.Top + 1, b.Right + 1, b.Bottom + 1);
    } else {
      DrawEdge(c, e, EDGE_RAISED, BF_RECT | BF_MIDDLE);
      e = b;
    }
    if (Enabled()) DrawArrow(c, e, adDown, ScaledMetric(this, 4), clBtnText);
    else DrawDisabledArrow(c, e, adDown, ScaledMetric(this, 4));
  }
  if (HasEdit()) return;
  const TRect t = TextRect();
  const bool focused = Focused() && !FDropped;
  TOwnerDrawState s(odComboBoxEdit);
  if (focused) s = s | TOwnerDrawState(Word(odSelected | odFocused));
  if (!Enabled()) s = s | TOwnerDrawState(odDisabled);
  TCanvas* saved = FDrawCanvas;
  FDrawCanvas = c;
  c->Font()->Assign(Font());
  c->Brush()->SetColor(focused ? clHighlight : Enabled() ? Color() : clBtnFace);
  try {
    if (OwnerDrawn() && FOnDrawItem) {
      FOnDrawItem(this, FItemIndex, t, s);
    } else if (OwnerDrawn()) {
      DrawItem(FItemIndex, t, s);
    } else {
      c->Brush()->SetStyle(bsSolid);
      c->FillRect(t);
      c->Brush()->SetStyle(bsClear);
      c->Font()->SetColor(!Enabled() ? clGrayText : focused ? clHighlightText : Font()->Color());
      c->TextOut(t.Left + 1, t.Top + (t.Height() - c->TextHeight(u"Wg")) / 2, FText);
    }
  } catch (...) {
    FDrawCanvas = saved;
    throw;
  }
  FDrawCanvas = saved;
  if (focused) {
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clHighlight);
    c->Font()->SetColor(clHighlightText);
    c->DrawFocusRect(t);
  }
}

// [tables] -------------------------------------------------------------------------------------------------
const TClassInfo& TCustomComboBox::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TCustomComboBox>(&TWinControl::ClassInfo());
  return info;
}

const TClassInfo& TComboBox::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TComboBox>(&TCustomComboBox::ClassInfo())
      .Prop("Style", &TComboBox::Style, &TComboBox::SetStyle, csDropDown)
      .Prop("Items", &TComboBox::Items, &TComboBox::SetItems)
      .Prop("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex, Integer(-1))
      .Prop("Text", [](const TComboBox& c) { return c.Text(); }, [](TComboBox& c, const String& v) { c.SetText(v); })
      .Prop("DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount, Integer(8))
      .Prop("ItemHeight", &TComboBox::ItemHeight, &TComboBox::SetItemHeight)
      .Prop("Sorted", &TComboBox::Sorted, &TComboBox::SetSorted, false)
      .Prop("MaxLength", &TComboBox::MaxLength, &TComboBox::SetMaxLength, Integer(0))
      .Prop("TabStop", &TComboBox::TabStop, &TComboBox::SetTabStop, true)
      .Publish(ControlProperties(), pgBounds)
      .Publish(ControlProperties(), pgFont)
      .Publish(ControlProperties(), pgHint)
      .Publish(ControlProperties(), pgWinControl)
      .Publish(ControlProperties(), pgMouseEvents)
      .Publish(ControlProperties(), pgKeyEvents)
      .Event("OnChange").Event("OnSelect").Event("OnDropDown").Event("OnCloseUp").Event("OnDrawItem")
      .Event("OnMeasureItem");
  return info;
}

}  // namespace jox
