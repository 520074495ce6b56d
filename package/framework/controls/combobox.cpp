// The combo box. Sections: [edit] [list] [combo] [geometry] [keys] [mouse] [painting] [tables]
#include "package/framework/controls/combobox.h"
#include "package/framework/controls/menus.h"

#include <algorithm>
#include <cwctype>

#include "package/framework/graphics/drawedge.h"
#include "package/framework/controls/controls_internal.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/popups.h"
#include "package/framework/controls/scrolling.h"
#include "package/framework/controls/stdctrls.h"

namespace jox {

constexpr Integer kComboWidth = 145, kComboButton = 17, kComboFrame = 2;
// Characters typed within this time extend the search text.
constexpr Cardinal kTypeSearchMs = 1000;

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

// [list] ---------------------------------------------------------------------------------------------------
class TComboListBox : public TCustomScrollControl {
 public:
  TComboListBox(TComponent* AOwner, TCustomComboBox* Combo, bool Simple = false)
      : TCustomScrollControl(AOwner), FCombo(Combo), FSimple(Simple) {
    SetScrollBars(ssVertical);
    SetControlStyle(ControlStyle() | csOpaque);
  }
  Integer Hot = -1;
  // Range and page for the items and the client height, keeping the top row.
  void UpdateRange() {
    const Integer n = FCombo->Items()->Count();
    SetScrollInfo(sbVertical, 0, std::max(n - 1, 0), VisibleFrom(0), ScrollPos(sbVertical));
  }

  Integer ItemAt(Integer Y) {
    Integer y = 0;
    const Integer n = FCombo->Items()->Count();
    for (Integer i = ScrollPos(sbVertical); i < n && y < ClientHeight(); ++i) {
      const Integer h = FCombo->ItemHeightOf(i);
      if (Y >= y && Y < y + h) return i;
      y += h;
    }
    return -1;
  }
  Integer VisibleFrom(Integer Top) {
    Integer y = 0, n = 0;
    for (Integer i = Top; i < FCombo->Items()->Count(); ++i) {
      y += FCombo->ItemHeightOf(i);
      if (y > ClientHeight()) break;
      ++n;
    }
    return std::max(n, 1);
  }
  void MakeVisible(Integer I) {
    if (I < 0) return;
    Integer top = ScrollPos(sbVertical);
    if (I < top) top = I;
    if (I >= top + VisibleFrom(top)) {
      // The highest top that still shows I at the bottom: walk up from I by one page of heights.
      Integer y = 0;
      top = I;
      while (top > 0 && y + FCombo->ItemHeightOf(top - 1) + FCombo->ItemHeightOf(I) <= ClientHeight()) {
        y += FCombo->ItemHeightOf(top - 1);
        --top;
      }
    }
    SetScrollPos(sbVertical, top);
  }
  void SetHot(Integer I) {
    if (I == Hot) return;
    Hot = I;
    MakeVisible(I);
    Invalidate();
  }
  void Paint() override {
    TCanvas* c = TControl::Canvas();
    const TRect client = ClientRect();
    Integer y = 0;
    const Integer n = FCombo->Items()->Count();
    for (Integer i = ScrollPos(sbVertical); i < n && y < client.Bottom; ++i) {
      const Integer h = FCombo->ItemHeightOf(i);
      const TRect r = Rect(0, y, client.Right, y + h);
      TOwnerDrawState s;
      if (i == Hot) s = TOwnerDrawState(Word(odSelected | odFocused));
      if (!FCombo->Enabled()) s = s | TOwnerDrawState(odDisabled);
      FCombo->DrawListItem(c, i, r, s);
      y += h;
    }
    if (y < client.Bottom) {
      c->Brush()->SetStyle(bsSolid);
      c->Brush()->SetColor(FCombo->Color());
      c->FillRect(Rect(0, y, client.Right, client.Bottom));
    }
  }

 protected:
  Integer NonClientFrame() const override { return FSimple ? 2 : 0; }
  // The list of csSimple: a press picks, the focus stays in the field's edit.
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override {
    TCustomScrollControl::MouseDown(Button, Shift, X, Y);
    if (!FSimple || Button != mbLeft || !ClientRect().Contains(Point(X, Y))) return;
    const Integer i = ItemAt(Y);
    if (i >= 0) FCombo->UserSelect(i, false);
    if (FCombo->CanFocus()) FCombo->SetFocus();
  }
  void KeyDown(Word& Key, TShiftState Shift) override {
    if (FCombo->NavigationKey(Key, Shift)) Key = 0;
  }
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override {
    TCustomScrollControl::MouseMove(Shift, X, Y);
    if (!FSimple && ClientRect().Contains(Point(X, Y))) {
      const Integer i = ItemAt(Y);
      if (i >= 0 && i != Hot) {
        Hot = i;
        Invalidate();
      }
    }
  }
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override {
    TCustomScrollControl::MouseUp(Button, Shift, X, Y);
    if (FSimple || Button != mbLeft || !ClientRect().Contains(Point(X, Y))) return;
    const Integer i = ItemAt(Y);
    if (i >= 0) FCombo->UserSelect(i, true);
  }

 private:
  TCustomComboBox* FCombo;
  bool FSimple;
};

class TComboListPopup : public TPopupWindow {
 public:
  explicit TComboListPopup(TCustomComboBox* Combo) : TPopupWindow(nullptr), FCombo(Combo) {
    SetColor(clWindowFrame);
    FBox = new TComboListBox(this, Combo);
    FBox->SetParent(this);
  }
  TComboListBox* Box() const { return FBox; }
  void Paint() override {
    // A one-pixel frame; the list box fills the rest.
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clWindowFrame);
    c->FrameRect(Rect(0, 0, Width(), Height()));
  }
  void Layout(Integer W, Integer H) {
    SetBounds(Left(), Top(), W, H);
    FBox->SetBounds(1, 1, W - 2, H - 2);
  }

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override {
    TPopupWindow::KeyDown(Key, Shift);
    if (Key && FCombo->NavigationKey(Key, Shift)) Key = 0;
  }
  void KeyPress(char16_t& Key) override {
    if (FCombo->OnKeyPress()) FCombo->OnKeyPress()(FCombo, Key);
    if (Key >= 32) FCombo->TypeSearch(Key);
  }
  void Closed(bool Cancelled) override { FCombo->ListClosed(); }

 private:
  TCustomComboBox* FCombo;
  TComboListBox* FBox;
};

// [combo] --------------------------------------------------------------------------------------------------
TCustomComboBox::TCustomComboBox(TComponent* AOwner) : TWinControl(AOwner), FItems(std::make_unique<TStringList>()) {
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
  if (FDropped && FList) {
    FList->Box()->UpdateRange();
    FList->Box()->Invalidate();
  }
  if (FSimpleList) {
    FSimpleList->Hot = FItemIndex;
    FSimpleList->UpdateRange();
    FSimpleList->Invalidate();
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
  if (FFontItemHeight == 0) {
    TBitmap scratch(1, 1);
    scratch.Canvas()->Font()->Assign(Font());
    FFontItemHeight = scratch.Canvas()->TextHeight(u"Wg");
  }
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
  if (!FList) FList = std::make_unique<TComboListPopup>(this);
  FList->Font()->Assign(Font());
  FList->Box()->Font()->Assign(Font());
  FList->Box()->SetColor(Color());
  const Integer n = FItems->Count();
  const Integer rows = std::clamp(n, 1, FDropDownCount);
  Integer h = 0;
  for (Integer i = 0; i < rows; ++i) h += n > 0 ? ItemHeightOf(i) : ItemHeight();
  FList->Layout(Width(), h + 2);
  FList->Box()->Hot = FItemIndex;
  FList->Box()->SetScrollInfo(sbVertical, 0, std::max(n - 1, 0), rows, 0);
  FList->Box()->MakeVisible(FItemIndex);
  FDropped = true;
  const TPoint below = ClientToScreen(Point(0, Height()));
  const TPoint above = ClientToScreen(Point(0, 0));
  FList->Popup(this, below.X, below.Y, above.Y);
  Invalidate();
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
    FSimpleList = new TComboListBox(this, this, true);
    FSimpleList->SetParent(this);
    FSimpleList->Hot = FItemIndex;
  }
  if (FSimpleList) {
    FSimpleList->SetVisible(FStyle == csSimple);
    const Integer top = FieldHeight();
    FSimpleList->SetColor(Color());
    FSimpleList->SetBounds(0, top, Width(), std::max(Height() - top, 0));
    FSimpleList->UpdateRange();
    FSimpleList->MakeVisible(FItemIndex);
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
  if (Key == VK_F4 || ((Key == VK_DOWN || Key == VK_UP) && (Shift & ssAlt))) {
    if (FDropped) UserSelect(FList->Box()->Hot, true);
    else SetDroppedDown(true);
    return true;
  }
  if (FDropped) {
    TComboListBox* box = FList->Box();
    const Integer n = FItems->Count();
    Integer hot = box->Hot;
    const Integer page = std::max(box->VisibleFrom(box->ScrollPos(sbVertical)) - 1, 1);
    switch (Key) {
      case VK_RETURN: UserSelect(hot, true); return true;
      case VK_TAB: UserSelect(hot, true); return false;
      case VK_UP: hot = hot < 0 ? 0 : hot - 1; break;
      case VK_DOWN: hot = hot + 1; break;
      case VK_PRIOR: hot = hot - page; break;
      case VK_NEXT: hot = hot < 0 ? page : hot + page; break;
      case VK_HOME: hot = 0; break;
      case VK_END: hot = n - 1; break;
      default: return false;
    }
    if (n > 0) box->SetHot(std::clamp(hot, 0, n - 1));
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
  const Cardinal now = GetTickCount();
  if (now - FSearchTime > kTypeSearchMs) FSearch.clear();
  FSearchTime = now;
  const auto upper = [](String s) {
    for (char16_t& c : s) c = char16_t(std::towupper(wint_t(c)));
    return s;
  };
  // The same character again steps through the items it starts.
  const bool repeat = FSearch.size() == 1 && upper(FSearch)[0] == upper(String(1, Ch))[0];
  if (!repeat) FSearch += Ch;
  const String prefix = upper(FSearch);
  const Integer n = FItems->Count();
  const Integer current = FDropped ? FList->Box()->Hot : FItemIndex;
  const Integer start = repeat || FSearch.size() == 1 ? current + 1 : std::max(current, 0);
  for (Integer k = 0; k < n; ++k) {
    const Integer i = (start + k) % n;
    if (upper(FItems->Get(i)).rfind(prefix, 0) != 0) continue;
    if (FDropped) FList->Box()->SetHot(i);
    else UserSelect(i, false);
    return;
  }
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
