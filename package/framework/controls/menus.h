// Popup menus: a tree of menu items shown as a chain of popups. Sections: [item] [menu]
//
//   auto* menu = new TPopupMenu(form);
//   auto* copy = new TMenuItem(menu); copy->SetCaption(u"&Copy"); copy->SetShortCut(ShortCut('C', ssCtrl));
//   copy->SetOnClick([](TObject*) { ... });
//   menu->Items()->Add(copy);
//   control->SetPopupMenu(menu);        // a right click on the control opens it there
//   menu->Popup(x, y);                  // or open it at a screen point; it stays open until an item is
//                                       // chosen, Escape, or a press outside
#pragma once

#include <memory>
#include <vector>

#include "package/framework/controls/controls.h"

namespace jox {

class TMenuPopup;

// Key code plus scShift, scCtrl, scAlt.
using TShortCut = Word;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0;
TShortCut ShortCut(Word Key, TShiftState Shift);
// "Ctrl+C", "Shift+Del", "F2", "" for scNone.
String ShortCutToText(TShortCut ShortCut);
// The caption without its '&' marks ("&&" keeps one).
String StripHotkey(const String& Caption);

// [item] ---------------------------------------------------------------------------------------------------
// One entry: Caption ("-" makes a separator; "&x" underlines x and makes x its key), Checked, RadioItem
// (checked items of a RadioItem group show a dot, and checking one unchecks the others of its
// GroupIndex), Enabled, Visible, Default (bold), ShortCut (shown right-aligned), a Bitmap beside the
// caption, OnClick. Child items make a submenu; an item deletes its children.
class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& v) { FCaption = v; }
  bool Checked() const { return FChecked; }
  void SetChecked(bool v);
  bool RadioItem() const { return FRadioItem; }
  void SetRadioItem(bool v) { FRadioItem = v; }
  Byte GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(Byte v) { FGroupIndex = v; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool v) { FEnabled = v; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool v) { FVisible = v; }
  bool Default() const { return FDefault; }
  void SetDefault(bool v) { FDefault = v; }
  // Checked flips on every click.
  bool AutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool v) { FAutoCheck = v; }
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut v) { FShortCut = v; }
  const String& Hint() const { return FHint; }
  void SetHint(const String& v) { FHint = v; }
  // The picture beside the caption (owned; its bottom-left pixel is transparent). Empty by default.
  TBitmap* Bitmap();
  void SetBitmap(TBitmap* v);
  bool HasBitmap() const { return FBitmap && !FBitmap->Empty(); }
  bool IsLine() const { return FCaption == u"-"; }

  // --- children
  Integer Count() const { return Integer(FItems.size()); }
  TMenuItem* Items(Integer Index) const;  // nullptr out of range
  TMenuItem* Parent() const { return FParent; }
  void Add(TMenuItem* Item);
  void Insert(Integer Index, TMenuItem* Item);
  void Remove(TMenuItem* Item);
  void Delete(Integer Index);  // frees the item
  void Clear();                // frees every child
  Integer IndexOf(const TMenuItem* Item) const;
  Integer MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }
  // The first child whose caption without '&' equals ACaption.
  TMenuItem* Find(const String& ACaption) const;

  // The enabled, visible item with this ShortCut among this item's children and theirs (itself not
  // included), nullptr when none.
  TMenuItem* FindShortCut(TShortCut S) const;

  // Fires OnClick (after AutoCheck); what choosing the item does.
  virtual void Click();
  const TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent e) { FOnClick = std::move(e); }

  JOX_CLASS_TABLE

 private:
  String FCaption;
  bool FChecked = false, FRadioItem = false, FEnabled = true, FVisible = true, FDefault = false,
       FAutoCheck = false;
  Byte FGroupIndex = 0;
  TShortCut FShortCut = 0;
  String FHint;
  std::unique_ptr<TBitmap> FBitmap;
  std::vector<TMenuItem*> FItems;
  TMenuItem* FParent = nullptr;
  TNotifyEvent FOnClick;
};

// [menu] ---------------------------------------------------------------------------------------------------
// Defaults: AutoPopup true. Popup fires OnPopup, then opens the visible items at a screen point and
// returns at once; the menu stays open until an item is chosen (the chain closes, then the item's
// OnClick), Escape closes the innermost level, or a press outside closes everything. OnClose fires
// when the menu has closed, whichever way. Keys while open: Up, Down, Home, End, Right (opens a
// submenu), Left (closes one), Enter, Escape, and an item's '&' character.
class TPopupMenu : public TComponent {
 public:
  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;

  TMenuItem* Items() const { return FItems.get(); }
  bool AutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool v) { FAutoPopup = v; }
  // The control the menu was opened for (set by a right click); kept after it closes.
  TComponent* PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* v);
  virtual void Popup(Integer X, Integer Y);
  // Closes the menu if open (OnClose fires).
  void CloseMenu();
  bool IsOpen() const;
  // The enabled, visible item with this ShortCut, nullptr when none (keys run it: see keyaccess.h).
  TMenuItem* FindShortCut(TShortCut S) const { return FItems->FindShortCut(S); }
  // The open levels, the top level first (tests and the window backend).
  Integer OpenLevels() const;
  TControl* Level(Integer Index) const;

  const TNotifyEvent& OnPopup() const { return FOnPopup; }
  void SetOnPopup(TNotifyEvent e) { FOnPopup = std::move(e); }
  const TNotifyEvent& OnClose() const { return FOnClose; }
  void SetOnClose(TNotifyEvent e) { FOnClose = std::move(e); }

  JOX_CLASS_TABLE

 protected:
  virtual void DoPopup();
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TMenuPopup;
  void LevelClosed(TMenuPopup* Level);
  void Choose(TMenuItem* Item);
  TMenuPopup* OpenLevel(Integer Index, TMenuItem* Parent, Integer X, Integer Y, Integer AltX);
  void CloseLevelsAbove(Integer Index);

  std::unique_ptr<TMenuItem> FItems;
  bool FAutoPopup = true;
  TComponent* FPopupComponent = nullptr;
  std::vector<std::unique_ptr<TMenuPopup>> FLevels;
  bool FOpen = false;
  TNotifyEvent FOnPopup, FOnClose;
};

}  // namespace jox
