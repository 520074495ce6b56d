// The combo box: a text field or fixed text with a list that drops down as a popup, in plain and
// owner-drawn styles. Sections: [types] [combo]
#pragma once

#include <memory>
#include <vector>

#include "package/framework/base/strings.h"
#include "package/framework/controls/controls.h"

namespace jox {

class TCustomEdit;
class TComboEdit;
class TDropDownList;
class TItemListBox;
class TTypeSearch;

// [types] --------------------------------------------------------------------------------------------------
enum TComboBoxStyle : uint8_t { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

enum TOwnerDrawStateFlag : Word {
  odSelected = 0x1, odGrayed = 0x2, odDisabled = 0x4, odChecked = 0x8, odFocused = 0x10, odDefault = 0x20,
  odHotLight = 0x40, odInactive = 0x80, odNoAccel = 0x100, odNoFocusRect = 0x200, odComboBoxEdit = 0x1000
};
struct TOwnerDrawState {
  Word bits = 0;
  constexpr TOwnerDrawState() = default;
  constexpr TOwnerDrawState(TOwnerDrawStateFlag f) : bits(f) {}
  constexpr explicit TOwnerDrawState(Word b) : bits(b) {}
  constexpr bool Contains(TOwnerDrawStateFlag f) const { return (bits & f) != 0; }
  constexpr bool operator&(TOwnerDrawStateFlag f) const { return Contains(f); }
  constexpr TOwnerDrawState operator|(TOwnerDrawState o) const { return TOwnerDrawState(Word(bits | o.bits)); }
  friend constexpr bool operator==(TOwnerDrawState, TOwnerDrawState) = default;
};

using TDrawItemEvent = std::function<void(TWinControl* Control, Integer Index, TRect Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = std::function<void(TWinControl* Control, Integer Index, Integer& Height)>;

// [combo] --------------------------------------------------------------------------------------------------
// Defaults: size 145 x 21 (the height follows ItemHeight: ItemHeight + 8), Style csDropDown, no items,
// ItemIndex -1, DropDownCount 8, ItemHeight the font's text height, Sorted false, TabStop true.
// csSimple keeps the height set: the edit field on top, the list always shown below it, in a frame of
// its own; a press on a list item picks it, and the list never drops.
//
// Mouse: a press on the button (anywhere but the text field in csDropDownList and the owner-drawn
// styles) drops the list; in the list the item under the pointer is highlighted and a release picks it.
// Keys: Up, Down, PgUp, PgDn, Home and End change the selection (move the highlight while dropped);
// F4 and Alt+Down drop or close the list; Enter picks the highlighted item, Escape closes without
// picking; typing a character selects the next item starting with the characters typed within a second.
// A choice by the user calls Click (OnClick), Change (OnChange), Select (OnSelect), each once; dropping
// calls DropDown (OnDropDown) before the list opens, closing calls CloseUp (OnCloseUp) after it closed.
class TCustomComboBox : public TWinControl {
 public:
  explicit TCustomComboBox(TComponent* AOwner);
  ~TCustomComboBox() override;

  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle v);
  // The list's texts (a change keeps ItemIndex in range and repaints).
  TStrings* Items() const;
  void SetItems(TStrings* v);
  // -1 for none; out-of-range values select nothing. Setting it shows the item's text and fires nothing.
  Integer ItemIndex() const { return FItemIndex; }
  void SetItemIndex(Integer v);
  // In csDropDown the edited text; otherwise the selected item's text. Setting selects the item with
  // that text (-1 when absent; in csDropDown the text is kept even then).
  String Text() const override;
  void SetText(const String& v) override;
  Integer DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(Integer v) { FDropDownCount = v < 1 ? 1 : v; }
  // Height of a list item (and of the text area); owner-drawn styles keep what is set, the others
  // follow the font.
  Integer ItemHeight() const;
  void SetItemHeight(Integer v);
  bool Sorted() const;
  void SetSorted(bool v);
  bool DroppedDown() const { return FDropped; }
  void SetDroppedDown(bool v);
  Integer MaxLength() const { return FMaxLength; }
  void SetMaxLength(Integer v);
  // The canvas owner drawing paints on: the list's surface while list items are drawn, otherwise the
  // combo box's own.
  TCanvas* Canvas();
  // The list popup (for tests and the window backend); nullptr before the first drop.
  TControl* ListPopup() const;

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent e) { FOnChange = std::move(e); }
  const TNotifyEvent& OnSelect() const { return FOnSelect; }
  void SetOnSelect(TNotifyEvent e) { FOnSelect = std::move(e); }
  const TNotifyEvent& OnDropDown() const { return FOnDropDown; }
  void SetOnDropDown(TNotifyEvent e) { FOnDropDown = std::move(e); }
  const TNotifyEvent& OnCloseUp() const { return FOnCloseUp; }
  void SetOnCloseUp(TNotifyEvent e) { FOnCloseUp = std::move(e); }
  const TDrawItemEvent& OnDrawItem() const { return FOnDrawItem; }
  void SetOnDrawItem(TDrawItemEvent e) { FOnDrawItem = std::move(e); }
  const TMeasureItemEvent& OnMeasureItem() const { return FOnMeasureItem; }
  void SetOnMeasureItem(TMeasureItemEvent e) { FOnMeasureItem = std::move(e); }

  void Paint() override;
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  void SetFocus() override;
  void DefaultHandler(TMessage& Message) override;

  JOX_CLASS_TABLE

 protected:
  // Draws item Index (-1: nothing selected, in the text area) into Rect on Canvas(); OnDrawItem when
  // assigned in an owner-drawn style, otherwise the text on the selection colours.
  virtual void DrawItem(Integer Index, TRect Rect, TOwnerDrawState State);
  virtual void MeasureItem(Integer Index, Integer& Height);
  virtual void Change();
  virtual void Select();
  virtual void DropDown();
  virtual void CloseUp();
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void DoEnter() override;
  void DoExit() override;
  void FontChanged() override;
  void CreateWnd() override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;

 private:
  friend class TComboEdit;
  bool OwnerDrawn() const { return FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable; }
  bool HasEdit() const { return FStyle == csDropDown || FStyle == csSimple; }
  TRect ButtonRect() const;
  TRect TextRect() const;
  // Height of the field: the whole control, but the part above the list in csSimple.
  Integer FieldHeight() const;
  void UpdateEdit();
  void AdjustHeight();
  void ItemsChanged();
  // A choice made by the user: selection, text and the three events.
  void UserSelect(Integer Index, bool Close);
  // Navigation keys shared by the field, its edit and the dropped list; true when used.
  bool NavigationKey(Word Key, TShiftState Shift);
  void TypeSearch(char16_t Ch);
  Integer ItemHeightOf(Integer Index);
  // Hooks the list's painting and item heights to the combo box.
  void ConnectList(TItemListBox* Box);
  void ListClosed();
  void DrawListItem(TCanvas* Target, Integer Index, TRect Rect, TOwnerDrawState State);

  TComboBoxStyle FStyle = csDropDown;
  std::unique_ptr<TStringList> FItems;
  Integer FItemIndex = -1;
  Integer FDropDownCount = 8;
  Integer FItemHeight = 0;  // 0: the font's
  mutable Integer FFontItemHeight = 0;  // the font's text height, 0 until measured
  Integer FMaxLength = 0;
  bool FDropped = false;
  String FText;  // of the styles without an edit: kept when no item matches
  TComboEdit* FEdit = nullptr;
  std::unique_ptr<TDropDownList> FList;
  TItemListBox* FSimpleList = nullptr;  // csSimple's list below the field, a child
  TCanvas* FDrawCanvas = nullptr;  // the list's canvas while its items are drawn
  bool FUpdating = false;
  std::unique_ptr<TTypeSearch> FSearch;
  TNotifyEvent FOnChange, FOnSelect, FOnDropDown, FOnCloseUp;
  TDrawItemEvent FOnDrawItem;
  TMeasureItemEvent FOnMeasureItem;
};

class TComboBox : public TCustomComboBox {
 public:
  explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
  JOX_CLASS_TABLE
};

}  // namespace jox
