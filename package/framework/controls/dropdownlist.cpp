// The drop-down list. Sections: [list box] [geometry] [painting] [mouse] [typing] [drop-down] [access]
// [tables]
#include "package/framework/controls/dropdownlist.h"

#include <algorithm>
#include <cwctype>

#include "package/framework/controls/accessible.h"
#include "package/framework/controls/application.h"

namespace jox {

// Characters typed within this time extend the search text.
constexpr Cardinal kTypeSearchMs = 1000;

Integer FontTextHeight(TFont* Font) {
  TBitmap scratch(1, 1);
  scratch.Canvas()->Font()->Assign(Font);
  return scratch.Canvas()->TextHeight(u"Wg");
}

// [list box] -----------------------------------------------------------------------------------------------
TItemListBox::TItemListBox(TComponent* AOwner) : TCustomScrollControl(AOwner) {
  SetScrollBars(ssVertical);
  SetControlStyle(ControlStyle() | csOpaque);
  // Not the colour of the frame around it.
  SetParentColor(false);
  SetColor(clWindow);
}

void TItemListBox::SetItems(TStrings* v) {
  FItems = v;
  ItemsChanged();
}

void TItemListBox::ItemsChanged() {
  const Integer n = FItems ? FItems->Count() : 0;
  if (FHot >= n) FHot = -1;
  SetScrollInfo(sbVertical, 0, std::max(n - 1, 0), VisibleRows(), ScrollPos(sbVertical));
  Invalidate();
}

Integer TItemListBox::ItemHeight() const {
  if (FItemHeight > 0) return FItemHeight;
  if (FFontHeight == 0) FFontHeight = FontTextHeight(const_cast<TItemListBox*>(this)->Font()) + 2;
  return FFontHeight;
}

void TItemListBox::SetItemHeight(Integer v) {
  v = std::max(v, 0);
  if (v == FItemHeight) return;
  FItemHeight = v;
  ItemsChanged();
}

void TItemListBox::FontChanged() {
  FFontHeight = 0;
  TCustomScrollControl::FontChanged();
}

Integer TItemListBox::HeightOf(Integer Index) const {
  return std::max(FOnMeasureItem ? FOnMeasureItem(Index) : ItemHeight(), 1);
}

void TItemListBox::SetFramed(bool v) {
  if (v == FFramed) return;
  FFramed = v;
  Realign();
  Invalidate();
}

void TItemListBox::SetHot(Integer v) {
  const Integer n = FItems ? FItems->Count() : 0;
  if (v < -1 || v >= n) v = -1;
  if (v == FHot) {
    MakeVisible(v);
    return;
  }
  InvalidateItem(FHot);
  FHot = v;
  MakeVisible(v);
  InvalidateItem(v);
}

void TItemListBox::Pick(Integer Index) {
  if (FOnPick) FOnPick(Index);
}

void TItemListBox::KeyDown(Word& Key, TShiftState Shift) {
  TCustomScrollControl::KeyDown(Key, Shift);
  if (Key && FOnKeyDown) FOnKeyDown(Key, Shift);
}

void TItemListBox::ScrollPosChanged(TScrollBarKind Kind, Integer OldPos) {
  TCustomScrollControl::ScrollPosChanged(Kind, OldPos);
  // With rows of their own heights the page depends on the top row.
  if (FOnMeasureItem) {
    const TScrollInfo& i = ScrollInfo(sbVertical);
    SetScrollInfo(sbVertical, i.Min, i.Max, VisibleRows(), i.Pos);
  }
}

// [geometry] -----------------------------------------------------------------------------------------------
Integer TItemListBox::VisibleRows() const {
  const Integer n = FItems ? FItems->Count() : 0;
  const Integer client = ClientHeight();
  if (!FOnMeasureItem) return std::max(client / ItemHeight(), 1);
  Integer y = 0, rows = 0;
  for (Integer i = TopIndex(); i < n; ++i) {
    y += HeightOf(i);
    if (y > client) break;
    ++rows;
  }
  return std::max(rows, 1);
}

void TItemListBox::MakeVisible(Integer Index) {
  if (Index < 0) return;
  Integer top = TopIndex();
  if (Index < top) {
    top = Index;
  } else if (!FOnMeasureItem) {
    top = std::max(top, Index - VisibleRows() + 1);
  } else {
    // The highest top that still shows Index whole at the bottom.
    Integer y = 0;
    for (Integer i = top; i <= Index; ++i) y += HeightOf(i);
    while (top < Index && y > ClientHeight()) y -= HeightOf(top++);
  }
  SetScrollPos(sbVertical, top);
}

Integer TItemListBox::ItemAt(Integer Y) const {
  const Integer n = FItems ? FItems->Count() : 0;
  if (Y < 0 || Y >= ClientHeight()) return -1;
  if (!FOnMeasureItem) {
    const Integer i = TopIndex() + Y / ItemHeight();
    return i < n ? i : -1;
  }
  Integer y = 0;
  for (Integer i = TopIndex(); i < n && y < ClientHeight(); ++i) {
    const Integer h = HeightOf(i);
    if (Y < y + h) return i;
    y += h;
  }
  return -1;
}

TRect TItemListBox::ItemRect(Integer Index) const {
  const Integer top = TopIndex();
  if (Index < top) return TRect();
  Integer y = 0;
  if (!FOnMeasureItem) {
    // Past the bottom the product could overflow: shown rows are few.
    if (Index - top > ClientHeight()) return TRect();
    y = (Index - top) * ItemHeight();
  } else {
    for (Integer i = top; i < Index && y < ClientHeight(); ++i) y += HeightOf(i);
  }
  if (y >= ClientHeight()) return TRect();
  return Rect(0, y, ClientWidth(), y + HeightOf(Index));
}

Integer TItemListBox::RowsHeight(Integer Rows) const {
  const Integer n = FItems ? FItems->Count() : 0;
  if (n == 0) return ItemHeight();
  Rows = std::min(Rows, n);
  if (!FOnMeasureItem) return Rows * ItemHeight();
  Integer h = 0;
  for (Integer i = 0; i < Rows; ++i) h += HeightOf(i);
  return h;
}

void TItemListBox::InvalidateItem(Integer Index) {
  if (const TRect r = ItemRect(Index); !r.IsEmpty()) InvalidateRect(r);
}

// [painting] -----------------------------------------------------------------------------------------------
void TItemListBox::Paint() {
  TCanvas* c = Canvas();
  const TRect client = ClientRect();
  const Integer n = FItems ? FItems->Count() : 0;
  c->Font()->Assign(Font());
  const Integer textHeight = c->TextHeight(u"Wg");
  Integer y = 0;
  for (Integer i = TopIndex(); i < n && y < client.Bottom; ++i) {
    const TRect r = Rect(0, y, client.Right, y + HeightOf(i));
    y = r.Bottom;
    TOwnerDrawState s;
    if (i == FHot) s = TOwnerDrawState(Word(odSelected | odFocused));
    if (!Enabled() || (FListOwner && !FListOwner->Enabled())) s = s | TOwnerDrawState(odDisabled);
    c->Font()->Assign(Font());
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(s & odSelected ? clHighlight : Color());
    c->Pen()->SetColor(clBlack);
    if (FOnDrawItem) {
      FOnDrawItem(c, i, r, s);
      continue;
    }
    c->FillRect(r);
    const String text = FItems->Get(i);
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetColor(s & odDisabled ? clGrayText : s & odSelected ? clHighlightText : Font()->Color());
    c->TextOut(r.Left + 2, r.Top + (r.Height() - textHeight) / 2, text);
  }
  if (y < client.Bottom) {
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(Rect(0, y, client.Right, client.Bottom));
  }
}

// [mouse] --------------------------------------------------------------------------------------------------
void TItemListBox::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomScrollControl::MouseDown(Button, Shift, X, Y);
  if (FPickOnRelease || Button != mbLeft || !ClientRect().Contains(Point(X, Y))) return;
  if (const Integer i = ItemAt(Y); i >= 0) Pick(i);
}

void TItemListBox::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TCustomScrollControl::MouseMove(Shift, X, Y);
  if (!FPickOnRelease || !ClientRect().Contains(Point(X, Y))) return;
  if (const Integer i = ItemAt(Y); i >= 0 && i != FHot) {
    // Under the pointer the row is shown already: no scrolling.
    InvalidateItem(FHot);
    FHot = i;
    InvalidateItem(i);
  }
}

void TItemListBox::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomScrollControl::MouseUp(Button, Shift, X, Y);
  if (!FPickOnRelease || Button != mbLeft || !ClientRect().Contains(Point(X, Y))) return;
  if (const Integer i = ItemAt(Y); i >= 0) Pick(i);
}

// [typing] -------------------------------------------------------------------------------------------------
Integer TTypeSearch::Next(const TStrings* Items, char16_t Ch, Integer Current) {
  const Cardinal now = GetTickCount();
  if (now - FTime > kTypeSearchMs) FText.clear();
  FTime = now;
  const auto upper = [](char16_t c) { return char16_t(std::towupper(wint_t(c))); };
  const bool repeat = FText.size() == 1 && upper(FText[0]) == upper(Ch);
  if (!repeat) FText += Ch;
  const Integer n = Items ? Items->Count() : 0;
  // A new first character, or the same again, looks from the item after the current one; a longer
  // prefix may still match the current one.
  const Integer start = repeat || FText.size() == 1 ? Current + 1 : std::max(Current, 0);
  for (Integer k = 0; k < n; ++k) {
    const Integer i = (start + k) % n;
    const String s = Items->Get(i);
    if (s.size() < FText.size()) continue;
    if (std::equal(FText.begin(), FText.end(), s.begin(), [&](char16_t a, char16_t b) { return upper(a) == upper(b); }))
      return i;
  }
  return -1;
}

// [drop-down] ----------------------------------------------------------------------------------------------
TDropDownList::TDropDownList() : TPopupWindow(nullptr) {
  SetColor(clWindowFrame);
  FBox = new TItemListBox(this);
  FBox->SetParent(this);
  FBox->SetOnPick([this](Integer i) {
    FBox->SetHot(i);
    PickHot();
  });
}

void TDropDownList::DropDown(TControl* Owner, Integer Rows, Integer Width, Integer Current) {
  // First: the scroll bar's size follows the owner's scale.
  SetPopupOwner(Owner);
  FBox->SetListOwner(Owner);
  FBox->SetBounds(1, 1, std::max(Width, Owner->Width()) - 2, FBox->RowsHeight(std::max(Rows, 1)));
  SetBounds(Left(), Top(), FBox->Width() + 2, FBox->Height() + 2);
  const Integer n = FBox->Items() ? FBox->Items()->Count() : 0;
  FBox->SetScrollInfo(sbVertical, 0, std::max(n - 1, 0), FBox->VisibleRows(), 0);
  FBox->SetHot(Current);
  FBox->Invalidate();
  const TPoint below = Owner->ClientToScreen(Point(0, Owner->Height()));
  const TPoint above = Owner->ClientToScreen(Point(0, 0));
  Popup(Owner, below.X, below.Y, above.Y);
}

bool TDropDownList::HandleKey(Word Key, TShiftState Shift) {
  if (Key == VK_F4 || ((Key == VK_DOWN || Key == VK_UP) && (Shift & ssAlt)) || Key == VK_RETURN) {
    PickHot();
    return true;
  }
  const Integer n = FBox->Items() ? FBox->Items()->Count() : 0;
  const Integer page = std::max(FBox->VisibleRows() - 1, 1);
  Integer hot = FBox->Hot();
  switch (Key) {
    case VK_UP: hot = hot < 0 ? 0 : hot - 1; break;
    case VK_DOWN: hot = hot + 1; break;
    case VK_PRIOR: hot = hot - page; break;
    case VK_NEXT: hot = hot < 0 ? page : hot + page; break;
    case VK_HOME: hot = 0; break;
    case VK_END: hot = n - 1; break;
    default: return false;
  }
  if (n > 0) FBox->SetHot(std::clamp(hot, 0, n - 1));
  return true;
}

void TDropDownList::PickHot() {
  const Integer hot = FBox->Hot();
  ClosePopup(false);
  if (hot >= 0 && FOnPick) FOnPick(hot);
}

void TDropDownList::KeyDown(Word& Key, TShiftState Shift) {
  TPopupWindow::KeyDown(Key, Shift);
  if (Key && HandleKey(Key, Shift)) Key = 0;
}

void TDropDownList::KeyPress(char16_t& Key) {
  if (FOnKeyPress) FOnKeyPress(Key);
  if (Key >= 32 && IsOpen()) Search(Key);
}

void TDropDownList::Search(char16_t Ch) {
  if (const Integer i = FSearch.Next(FBox->Items(), Ch, FBox->Hot()); i >= 0) FBox->SetHot(i);
}

void TDropDownList::Closed(bool Cancelled) {
  if (FOnClosed) FOnClosed(Cancelled);
}

void TDropDownList::Paint() {
  // A one-pixel frame; the list box fills the rest.
  TCanvas* c = Canvas();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(clWindowFrame);
  c->FrameRect(Rect(0, 0, Width(), Height()));
}

// [access] -------------------------------------------------------------------------------------------------
namespace {

String OwnerName(TControl* Owner) {
  TAccessible* a = Owner ? Owner->Accessible() : nullptr;
  return a ? a->Name() : String();
}

// The items are list items of the list, the highlighted one selected and focused; selecting one
// highlights it, "activate" picks it.
class TListBoxAccessible : public TControlAccessible {
 public:
  using TControlAccessible::TControlAccessible;
  TAccRole Role() const override { return arList; }
  String Name() const override { return OwnerName(Box()->ListOwner()); }
  TAccStates States() const override { return TControlAccessible::States() | asVertical; }
  Integer ItemCount() const override { return Box()->Items() ? Box()->Items()->Count() : 0; }
  bool DescribeItem(TAccKey Key, TItemInfo& Info) const override {
    if (Key < 0 || Key >= ItemCount()) return false;
    Info.Role = arListItem;
    Info.Name = Box()->Items()->Get(Integer(Key));
    Info.States = asSelectable | asVisible;
    if (Key == Box()->Hot()) Info.States |= asSelected | asFocused;
    Info.Bounds = Box()->ItemRect(Integer(Key));
    Info.Actions = {kActSelect, kActActivate};
    return true;
  }
  bool FocusItem(TAccKey Key) override {
    if (Key < 0 || Key >= ItemCount() || !Box()->Enabled()) return false;
    Box()->SetHot(Integer(Key));
    return true;
  }
  bool DoItemAction(TAccKey Key, Integer Action) override {
    if (!FocusItem(Key)) return false;
    if (Action == 1) Box()->Pick(Integer(Key));
    return true;
  }
  TAccKey FocusedItem() const override { return Box()->Hot() >= 0 ? Box()->Hot() : kNoItem; }

 private:
  TItemListBox* Box() const { return static_cast<TItemListBox*>(Control()); }
};

// The popup is a window named after its owner; the focus inside it is the list's highlighted item.
class TDropDownAccessible : public TControlAccessible {
 public:
  using TControlAccessible::TControlAccessible;
  TAccRole Role() const override { return arWindow; }
  String Name() const override { return OwnerName(List()->PopupOwner()); }
  TAccessible* FocusedChild() override {
    TAccessible* box = List()->Box()->Accessible();
    TAccessible* item = box ? box->FocusedChild() : nullptr;
    return item ? item : box;
  }

 private:
  TDropDownList* List() const { return static_cast<TDropDownList*>(Control()); }
};

}  // namespace

TAccessible* TItemListBox::CreateAccessible() { return new TListBoxAccessible(this); }
TAccessible* TDropDownList::CreateAccessible() { return new TDropDownAccessible(this); }

// [tables] -------------------------------------------------------------------------------------------------
const TClassInfo& TItemListBox::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TItemListBox>(&TCustomScrollControl::ClassInfo());
  return info;
}

const TClassInfo& TDropDownList::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TDropDownList>(&TPopupWindow::ClassInfo());
  return info;
}

}  // namespace jox
