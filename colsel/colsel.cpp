#include "colsel/colsel.h"

#include <cmath>
#include <memory>

#include "package/framework/controls/dialogs.h"
#include "package/painting.h"
#include "package/units.h"

namespace jox {

TColSel::TColSel(TComponent* AOwner) : TCustomComboBox(AOwner) {
  SetStyle(csOwnerDrawFixed);
  SetSorted(false);
  for (Integer i = 1; i <= MaxColors; ++i) {
    FColors[size_t(i)] = PredefinedColors[size_t(i)];
    FColorNames[size_t(i)] = ColorToString(FColors[size_t(i)]);
  }
  // Enter belongs to an editable entry (it opens the dialog), not to the form's default button.
  SetMessageHandler(WM_GETDLGCODE, [this](TMessage& m) {
    if (SelectedEditable()) m.Result |= DLGC_WANTRETURN;
  });
}

void TColSel::Loaded() {
  TCustomComboBox::Loaded();
  LoadColorsIntoComboList();
}

// [list] ---------------------------------------------------------------------------------------------------
// Item k stands for entry k + 1, so the texts agree with what is drawn and with typing to find an item.
void TColSel::LoadColorsIntoComboList() {
  TStrings* items = Items();
  items->BeginUpdate();
  items->Clear();
  for (Integer i = 1; i <= FNumColors; ++i) items->Add(FColorNames[size_t(i)]);
  items->EndUpdate();
  SetItemIndex(FSelColorIx - 1);
}

void TColSel::Redraw() {
  Invalidate();
  if (TControl* list = ListPopup(); list && DroppedDown()) list->Invalidate();
}

void TColSel::SyncItemText(Integer Index) {
  TStrings* items = Items();
  if (Index - 1 < items->Count() && items->Get(Index - 1) != FColorNames[size_t(Index)])
    items->Put(Index - 1, FColorNames[size_t(Index)]);
}

void TColSel::NameEntry(Integer Index, TColor Color) {
  String name = ColorToString(Color);
  if (FOnCNameChange) FOnCNameChange(this, name);
  FColorNames[size_t(Index)] = name;
}

void TColSel::LoadPalette(Integer Count, Integer First) {
  FSelColorIx = 1;
  FNumColors = Count;
  for (Integer i = 1; i <= Count; ++i) {
    FColors[size_t(i)] = PredefinedColors[size_t(First + i - 1)];
    NameEntry(i, FColors[size_t(i)]);
  }
  LoadColorsIntoComboList();
  Redraw();
}

void TColSel::LoadBasicVGAPalette() { LoadPalette(16, 1); }
void TColSel::LoadExtendedPalette() { LoadPalette(20, 1); }
void TColSel::LoadStandardPalette() { LoadPalette(47, 1); }
void TColSel::LoadWindowsSystemPalette() { LoadPalette(27, 21); }

// [entries] ------------------------------------------------------------------------------------------------
TColor TColSel::Colors(Integer Index) const { return InRange(Index) ? FColors[size_t(Index)] : TColor(0); }

void TColSel::SetColors(Integer Index, TColor Value) {
  if (!InRange(Index)) return;
  FColors[size_t(Index)] = Value;
  NameEntry(Index, Value);
  SyncItemText(Index);
  Redraw();
}

String TColSel::ColorNames(Integer Index) const { return InRange(Index) ? FColorNames[size_t(Index)] : String(); }

void TColSel::SetColorNames(Integer Index, const String& Value) {
  if (!InRange(Index)) return;
  FColorNames[size_t(Index)] = Value;
  SyncItemText(Index);
  Redraw();
}

bool TColSel::ColorEditAllowed(Integer Index) const { return InRange(Index) && FIsUserEditable[size_t(Index)]; }

void TColSel::SetColorEditAllowed(Integer Index, bool Value) {
  if (!InRange(Index)) return;
  FIsUserEditable[size_t(Index)] = Value;
  Redraw();
}

void TColSel::SetAllColorEditFlags() {
  FIsUserEditable.fill(true);
  Redraw();
}

void TColSel::ResetAllColorEditFlags() {
  FIsUserEditable.fill(false);
  Redraw();
}

Integer TColSel::FindColorEntry(TColor Color) const {
  for (Integer i = 1; i <= MaxColors; ++i)
    if (FColors[size_t(i)] == Color) return i;
  return 0;
}

// [properties] ---------------------------------------------------------------------------------------------
void TColSel::SetColorBarWidth(Integer Value) {
  if (Value < 0 || Value == FColorBarWidth) return;
  FColorBarWidth = Value;
  Redraw();
}

void TColSel::SetNumColors(Integer Value) {
  if (Value <= 0 || Value > MaxColors) return;
  FNumColors = Value;
  FSelColorIx = 1;
  LoadColorsIntoComboList();
  Redraw();
}

void TColSel::SetSelColor(TColor Value) {
  const TColor rgb = ColorToRGB(Value);
  Integer found = 0;
  for (Integer i = 1; i <= FNumColors && found == 0; ++i)
    if (ColorToRGB(FColors[size_t(i)]) == rgb) found = i;
  if (found > 0) {
    FSelColorIx = found;
    SetItemIndex(found - 1);
  } else {
    FColors[size_t(FSelColorIx)] = Value;
    NameEntry(FSelColorIx, rgb);
    SyncItemText(FSelColorIx);
  }
  Redraw();
}

String TColSel::SelColorID() const { return ItemIndex() < 0 ? String() : FColorNames[size_t(FSelColorIx)]; }

void TColSel::SetEnabled(bool Value) {
  FEnabled = Value;
  TCustomComboBox::SetEnabled(Value);
  Redraw();
}

// [input] --------------------------------------------------------------------------------------------------
void TColSel::Click() {
  if (ItemIndex() >= 0) FSelColorIx = ItemIndex() + 1;
  TCustomComboBox::Click();
}

void TColSel::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  FMouseAreaCode = X < FColorBarWidth ? 1 : 0;
  TCustomComboBox::MouseMove(Shift, X, Y);
}

void TColSel::DropDown() {
  const Integer entry = ItemIndex() + 1;
  if (FMouseAreaCode == 1 && InRange(entry) && FIsUserEditable[size_t(entry)]) EditEntry(entry);
  TCustomComboBox::DropDown();
}

bool TColSel::SelectedEditable() const {
  const Integer entry = ItemIndex() + 1;
  return InRange(entry) && FIsUserEditable[size_t(entry)] && !DroppedDown();
}

void TColSel::KeyDown(Word& Key, TShiftState Shift) {
  TCustomComboBox::KeyDown(Key, Shift);
  if ((Key == VK_F2 || Key == VK_RETURN) && Shift.Empty() && SelectedEditable()) {
    Key = 0;
    EditEntry(ItemIndex() + 1);
  }
}

void TColSel::EditEntry(Integer Index) {
  auto dlg = std::make_unique<TColorDialog>(this);
  dlg->SetColor(FColors[size_t(Index)]);
  if (dlg->Execute()) {
    const TColor c = dlg->Color();
    FColors[size_t(Index)] = c;
    Change();
    NameEntry(Index, ColorToRGB(c));
    SyncItemText(Index);
  }
  dlg.reset();
  Redraw();
}

// [drawing] ------------------------------------------------------------------------------------------------
void TColSel::DrawItem(Integer Index, TRect R, TOwnerDrawState State) {
  TCanvas* c = Canvas();
  const TColor oldBrush = c->Brush()->Color(), oldFont = c->Font()->Color();
  const Integer L = R.Left, T = R.Top, B = R.Bottom, w = FColorBarWidth;
  const TColor ground = FEnabled ? Color() : clSilver;
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(ground);
  c->FillRect(R);
  const Integer entry = Index + 1;
  if (entry < 1 || entry > MaxColors) {
    c->Brush()->SetColor(oldBrush);
    return;
  }
  c->Pen()->SetStyle(psSolid);
  c->Pen()->SetColor(clBlack);
  if (w > 0) {
    if (FEnabled) {
      c->Brush()->SetColor(FColors[size_t(entry)]);
    } else {
      c->Pen()->SetColor(clSilver);
      c->Brush()->SetColor(clSilver);
      c->Rectangle(L - 1, T - 1, L + w + 3, B + 1);
      c->Pen()->SetColor(clGray);
    }
    c->Rectangle(L + 3, T + 2, L + w + 3, B - 2);
    if (FIsUserEditable[size_t(entry)] && w > 11 && FEnabled) {
      const TColor rgb = ColorToRGB(FColors[size_t(entry)]);
      const double r = GetRValue(rgb), g = GetGValue(rgb), b = GetBValue(rgb);
      const double v = std::sqrt(r * r + b * b + 2 * g * g) / 2;
      DrawLines(c, v > 180 ? clBlack : clWhite,
                {{L + 5, T + 4}, {L + 5, B - 5}, {L + 8, B - 5}, {L + 11, B - 8}, {L + 11, T + 7}, {L + 8, T + 4},
                 {L + 5, T + 4}});
      c->Pen()->SetColor(clBlack);
    }
  }
  // The dropped list marks the highlighted item, as any list does; the field shows it plain.
  const bool hot = FEnabled && State.Contains(odSelected) && !State.Contains(odComboBoxEdit);
  c->Font()->SetColor(!FEnabled ? clGray : hot ? clHighlightText : clBlack);
  c->Brush()->SetColor(!FEnabled ? clSilver : hot ? clHighlight : Color());
  const String& name = FColorNames[size_t(entry)];
  c->TextRect(Rect(L + w + 3, T, R.Right, B), L + w + 6, T + (B - T - c->TextHeight(name)) / 2, name);
  c->Brush()->SetColor(oldBrush);
  c->Font()->SetColor(oldFont);
}

// [table] --------------------------------------------------------------------------------------------------
const TClassInfo& TColSel::ClassInfo() {
  using C = TColSel;
  static const TClassInfo info = TClassBuilder<TColSel>(&TCustomComboBox::ClassInfo())
      .Prop("ColorBarWidth", &C::ColorBarWidth, &C::SetColorBarWidth, DefColorBarWidth)
      .Prop("NumColors", &C::NumColors, &C::SetNumColors, DefNumColors)
      .Prop("SelColor", &C::SelColor, &C::SetSelColor)
      .Prop("DropDownCount", &C::DropDownCount, &C::SetDropDownCount, Integer(8))
      .Prop("ParentColor", &C::ParentColor, &C::SetParentColor, false)
      .Prop("TabStop", &C::TabStop, &C::SetTabStop, true)
      .Event("OnColorNameChange")
      .Event("OnChange")
      .Event("OnClick")
      .Event("OnDropDown")
      .Publish(ControlProperties(), pgBounds)
      .Publish(ControlProperties(), {"Enabled", "Anchors", "Color", "Font", "ParentColor", "ParentFont",
                                     "ParentShowHint", "ShowHint", "StyleElements", "TabOrder", "TabStop",
                                     "Visible", "OnEnter", "OnExit"});
  return info;
}

// Registered for form text by the unit's start-up.
static const TUnitClasses ColSelClasses(juColSel, {&TColSel::ClassInfo});

// [copying] ------------------------------------------------------------------------------------------------
void TColSel::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TColSel*>(Source)) {
    AssignPublished(this, s);
    return;
  }
  TCustomComboBox::Assign(Source);
}

void TColSel::AssignTo(TPersistent* Dest) {
  if (dynamic_cast<TColSel*>(Dest))
    Dest->Assign(this);
  else
    TCustomComboBox::AssignTo(Dest);
}

}  // namespace jox
