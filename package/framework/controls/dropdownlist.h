// The list of items that drops down from a combo box or a grid's pick-list editor, and the one a simple
// combo box shows below its field. Sections: [types] [list box] [typing] [drop-down]
//
// The owner keeps the items and is told of a choice; the list only shows them:
//
//   list = std::make_unique<jox::TDropDownList>();
//   list->SetItems(owner->Items());                   // not owned; call ItemsChanged after a change
//   list->SetOnPick([&](Integer i) { ... });          // Enter, a click, F4 or Alt+Up/Down take the highlight
//   list->SetOnClosed([&](bool cancelled) { ... });   // Escape or a press outside: cancelled
//   list->DropDown(owner, 8, owner->Width(), owner->ItemIndex());
//
// Painting and hit-testing visit only the rows shown, and with one item height (no OnMeasureItem) every
// step costs the same in a list of ten items or of millions.
#pragma once

#include <functional>

#include "package/framework/controls/combobox.h"
#include "package/framework/controls/popups.h"
#include "package/framework/controls/scrolling.h"

namespace jox {

// [types] --------------------------------------------------------------------------------------------------
// Paints item Index into Rect of Canvas; the brush holds the row's background colour and the font the
// list's font when it is called.
using TListDrawItemEvent = std::function<void(TCanvas* Canvas, Integer Index, TRect Rect, TOwnerDrawState State)>;
// The height of item Index, for lists whose rows differ.
using TListMeasureItemEvent = std::function<Integer(Integer Index)>;

// The height of a line of text in Font.
Integer FontTextHeight(TFont* Font);

// [list box] -----------------------------------------------------------------------------------------------
// A scrolled column of items with one highlighted (Hot). Without OnDrawItem a row is its text, on the
// highlight colours when hot.
class TItemListBox : public TCustomScrollControl {
 public:
  explicit TItemListBox(TComponent* AOwner);

  TStrings* Items() const { return FItems; }
  void SetItems(TStrings* v);
  // After the items changed: range and highlight kept in bounds, repainted.
  void ItemsChanged();
  // Default 0: the font's text height and two pixels of air, measured once per font.
  Integer ItemHeight() const;
  void SetItemHeight(Integer v);
  Integer HeightOf(Integer Index) const;

  // -1 for none. Setting it scrolls the item into view.
  Integer Hot() const { return FHot; }
  void SetHot(Integer v);
  Integer TopIndex() const { return ScrollPos(sbVertical); }
  // Rows shown whole from the top item (at least 1).
  Integer VisibleRows() const;
  void MakeVisible(Integer Index);
  // The item at client Y, -1 when none; the row of a shown item in client coordinates (empty if not shown).
  Integer ItemAt(Integer Y) const;
  TRect ItemRect(Integer Index) const;
  // The height of the first Rows items (the height of one item when empty).
  Integer RowsHeight(Integer Rows) const;

  // Hot tracking under the pointer, and a release on an item picks it (a drop-down list); otherwise a
  // press picks (the list of a simple combo box).
  bool PickOnRelease() const { return FPickOnRelease; }
  void SetPickOnRelease(bool v) { FPickOnRelease = v; }
  // Default false. A sunken two-pixel frame around the list.
  void SetFramed(bool v);

  void SetOnDrawItem(TListDrawItemEvent e) { FOnDrawItem = std::move(e); }
  void SetOnMeasureItem(TListMeasureItemEvent e) { FOnMeasureItem = std::move(e); }
  void SetOnPick(std::function<void(Integer)> e) { FOnPick = std::move(e); }
  void SetOnKeyDown(std::function<void(Word&, TShiftState)> e) { FOnKeyDown = std::move(e); }
  // Who the list speaks for (the combo box, the editor): its accessible name names the list.
  TControl* ListOwner() const { return FListOwner; }
  void SetListOwner(TControl* v) { FListOwner = v; }
  void Pick(Integer Index);

  void Paint() override;
  JOX_CLASS_TABLE

 protected:
  Integer NonClientFrame() const override { return FFramed ? 2 : 0; }
  void FontChanged() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void ScrollPosChanged(TScrollBarKind Kind, Integer OldPos) override;
  TAccessible* CreateAccessible() override;

 private:
  void InvalidateItem(Integer Index);
  TStrings* FItems = nullptr;
  Integer FHot = -1;
  Integer FItemHeight = 0;
  mutable Integer FFontHeight = 0;  // 0 until measured for the font
  bool FPickOnRelease = true;
  bool FFramed = false;
  TControl* FListOwner = nullptr;
  TListDrawItemEvent FOnDrawItem;
  TListMeasureItemEvent FOnMeasureItem;
  std::function<void(Integer)> FOnPick;
  std::function<void(Word&, TShiftState)> FOnKeyDown;
};

// [typing] -------------------------------------------------------------------------------------------------
// Finding an item by typing: characters typed within a second make one prefix; the same character again
// steps to the next item it starts. Case is ignored.
class TTypeSearch {
 public:
  // The item to move to from Current for the typed character, -1 when none starts so.
  Integer Next(const TStrings* Items, char16_t Ch, Integer Current);

 private:
  String FText;
  Cardinal FTime = 0;
};

// [drop-down] ----------------------------------------------------------------------------------------------
// The list as a popup in a one-pixel frame, DropDownCount rows high, with a scroll bar when the items
// do not fit. While open it has the keys: Up, Down, PgUp, PgDn, Home and End move the highlight; Enter,
// F4 and Alt+Up/Down pick it; Escape closes without a pick; a typed character moves the highlight to the
// next item starting with the characters typed within a second.
class TDropDownList : public TPopupWindow {
 public:
  TDropDownList();
  TItemListBox* Box() const { return FBox; }
  void SetItems(TStrings* v) { FBox->SetItems(v); }
  void ItemsChanged() { FBox->ItemsChanged(); }
  // Opens below Owner (above it when the owner's work area has no room below) with Rows rows at most, at
  // least as wide as Owner, Current highlighted and shown.
  void DropDown(TControl* Owner, Integer Rows, Integer Width, Integer Current);
  // The list's keys; true when the key was used. Owners whose controls see keys meant for the open list
  // hand them on here.
  bool HandleKey(Word Key, TShiftState Shift);
  // Closes and reports the highlighted item to OnPick (when there is one).
  void PickHot();
  // Moves the highlight by a typed character (see TTypeSearch).
  void Search(char16_t Ch);

  void SetOnPick(std::function<void(Integer)> e) { FOnPick = std::move(e); }
  void SetOnClosed(std::function<void(bool Cancelled)> e) { FOnClosed = std::move(e); }
  // Each character typed while open goes here first; setting it to 0 keeps it from the list.
  void SetOnKeyPress(std::function<void(char16_t&)> e) { FOnKeyPress = std::move(e); }

  void Paint() override;
  JOX_CLASS_TABLE

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void Closed(bool Cancelled) override;
  TAccessible* CreateAccessible() override;

 private:
  TItemListBox* FBox;
  std::function<void(Integer)> FOnPick;
  std::function<void(bool)> FOnClosed;
  std::function<void(char16_t&)> FOnKeyPress;
  TTypeSearch FSearch;
};

}  // namespace jox
