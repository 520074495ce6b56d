// The colour selector: a drop-down list of up to 47 named colours, each drawn as a colour bar and its
// name. Entries marked editable open the colour dialog when the list is dropped from their colour bar.
// The list fills from four palettes of PredefinedColors.
#pragma once

#include <array>
#include <functional>

#include "package/core/colors.h"
#include "package/core/coretypes.h"
#include "package/framework/controls/combobox.h"

namespace jox {

// Lets the application rename a colour before its name is stored.
using TOnColorNameChangeEvent = std::function<void(TObject* Sender, String& ColorName)>;

// Entries are 1-based. A selector created at run time shows an empty list until NumColors is set or
// a palette is loaded; a form reader's Loaded fills it.
class TColSel : public TCustomComboBox {
 public:
  static constexpr Integer MaxColors = kNumPredefinedColors;
  static constexpr Integer DefColorBarWidth = 30, DefNumColors = 20;

  explicit TColSel(TComponent* AOwner);

  // --- palettes: each selects entry 1, sets NumColors and refills the list; edit flags stay.
  void LoadBasicVGAPalette();       // 16: PredefinedColors 1 .. 16
  void LoadExtendedPalette();       // 20: PredefinedColors 1 .. 20
  void LoadStandardPalette();       // 47: PredefinedColors 1 .. 47
  void LoadWindowsSystemPalette();  // 27: PredefinedColors 21 .. 47

  // --- entries (Index 1 .. NumColors; reads outside give 0, "" or false, writes do nothing)
  TColor Colors(Integer Index) const;
  // Also names the entry after the colour (through OnColorNameChange).
  void SetColors(Integer Index, TColor Value);
  String ColorNames(Integer Index) const;
  void SetColorNames(Integer Index, const String& Value);
  bool ColorEditAllowed(Integer Index) const;
  void SetColorEditAllowed(Integer Index, bool Value);
  void SetAllColorEditFlags();
  void ResetAllColorEditFlags();
  // First of all 47 entries (not only the shown ones) holding exactly Color; 0 if none.
  Integer FindColorEntry(TColor Color) const;

  // --- properties
  Integer ColorBarWidth() const { return FColorBarWidth; }  // negative values are ignored
  void SetColorBarWidth(Integer Value);
  Integer NumColors() const { return FNumColors; }  // 1 .. 47, others ignored; selects entry 1
  void SetNumColors(Integer Value);
  // Reading gives the selected entry's colour. Writing selects the first shown entry of the same RGB
  // value, or else puts the colour into the selected entry.
  TColor SelColor() const { return FColors[size_t(FSelColorIx)]; }
  void SetSelColor(TColor Value);
  // The selected entry's name; empty while the list selects nothing.
  String SelColorID() const;
  void SetEnabled(bool Value) override;

  const TOnColorNameChangeEvent& OnColorNameChange() const { return FOnCNameChange; }
  void SetOnColorNameChange(TOnColorNameChangeEvent E) { FOnCNameChange = std::move(E); }

  // From another TColSel: its published properties; another class raises EConvertError.
  void Assign(TPersistent* Source) override;
  JOX_CLASS_TABLE

 protected:
  void AssignTo(TPersistent* Dest) override;
  void Loaded() override;
  void Click() override;
  void DropDown() override;
  // F2 or Enter opens the colour dialog of the selected entry when it is user-editable, as a click
  // on its colour bar does; otherwise Enter stays the dialog's (the default button).
  void KeyDown(Word& Key, TShiftState Shift) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void DrawItem(Integer Index, TRect Rect, TOwnerDrawState State) override;

 private:
  void LoadPalette(Integer Count, Integer First);
  void LoadColorsIntoComboList();
  // The entry's name made from Color and passed through OnColorNameChange.
  void NameEntry(Integer Index, TColor Color);
  void EditEntry(Integer Index);
  void SyncItemText(Integer Index);
  void Redraw();
  bool InRange(Integer Index) const { return Index >= 1 && Index <= FNumColors; }
  bool SelectedEditable() const;

  Integer FColorBarWidth = DefColorBarWidth;
  Integer FSelColorIx = 1;
  Integer FNumColors = DefNumColors;
  bool FEnabled = true;
  Integer FMouseAreaCode = 0;  // 1 while the pointer is over the colour-bar column
  std::array<TColor, MaxColors + 1> FColors{};  // [0] unused
  std::array<String, MaxColors + 1> FColorNames;
  std::array<bool, MaxColors + 1> FIsUserEditable{};
  TOnColorNameChangeEvent FOnCNameChange;
};

}  // namespace jox
