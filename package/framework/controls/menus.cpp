// Popup menus. Sections: [shortcuts] [item] [levels] [menu] [tables]
#include "package/framework/controls/menus.h"

#include <algorithm>
#include <cwctype>

#include "package/framework/graphics/bitmapscale.h"
#include "package/framework/graphics/drawedge.h"
#include "package/framework/controls/labels.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/popups.h"
#include "package/framework/controls/accessible.h"

namespace jox {

// [shortcuts] ----------------------------------------------------------------------------------------------
TShortCut ShortCut(Word Key, TShiftState Shift) {
  TShortCut s = TShortCut(Key & 0xFF);
  if (Shift & ssShift) s |= scShift;
  if (Shift & ssCtrl) s |= scCtrl;
  if (Shift & ssAlt) s |= scAlt;
  return s;
}

String ShortCutToText(TShortCut S) {
  const Word key = S & 0xFF;
  if (key == 0) return String();
  String name;
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) name = String(1, char16_t(key));
  else if (key >= VK_F1 && key < VK_F1 + 24) name = u"F" + FromUtf8(std::to_string(key - VK_F1 + 1));
  else {
    static const struct { Word k; const char16_t* n; } names[] = {
        {VK_BACK, u"BkSp"}, {VK_TAB, u"Tab"}, {VK_RETURN, u"Enter"}, {VK_ESCAPE, u"Esc"}, {VK_SPACE, u"Space"},
        {VK_PRIOR, u"PgUp"}, {VK_NEXT, u"PgDn"}, {VK_END, u"End"}, {VK_HOME, u"Home"}, {VK_LEFT, u"Left"},
        {VK_UP, u"Up"}, {VK_RIGHT, u"Right"}, {VK_DOWN, u"Down"}, {VK_INSERT, u"Ins"}, {VK_DELETE, u"Del"}};
    for (const auto& n : names)
      if (n.k == key) name = n.n;
    if (name.empty()) name = u"#" + FromUtf8(std::to_string(key));
  }
  String prefix;
  if (S & scShift) prefix += u"Shift+";
  if (S & scCtrl) prefix += u"Ctrl+";
  if (S & scAlt) prefix += u"Alt+";
  return prefix + name;
}

String StripHotkey(const String& Caption) {
  String out;
  for (size_t i = 0; i < Caption.size(); ++i) {
    if (Caption[i] == u'&') {
      if (i + 1 < Caption.size() && Caption[i + 1] == u'&') out += u'&';
      else if (i + 1 == Caption.size()) out += u'&';
      if (i + 1 < Caption.size() && Caption[i + 1] == u'&') ++i;
      continue;
    }
    out += Caption[i];
  }
  return out;
}

// [item] ---------------------------------------------------------------------------------------------------
TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
  Clear();
  if (FParent) FParent->Remove(this);
}

TBitmap* TMenuItem::Bitmap() {
  if (!FBitmap) FBitmap = std::make_unique<TBitmap>();
  return FBitmap.get();
}

void TMenuItem::SetBitmap(TBitmap* v) {
  if (v) Bitmap()->Assign(v);
  else FBitmap.reset();
}

void TMenuItem::SetChecked(bool v) {
  FChecked = v;
  // A radio group keeps one item checked.
  if (v && FRadioItem && FParent)
    for (TMenuItem* s : FParent->FItems)
      if (s != this && s->FRadioItem && s->FGroupIndex == FGroupIndex) s->FChecked = false;
}

TMenuItem* TMenuItem::Items(Integer Index) const {
  return Index >= 0 && Index < Count() ? FItems[size_t(Index)] : nullptr;
}

void TMenuItem::Insert(Integer Index, TMenuItem* Item) {
  if (!Item) return;
  if (Item->FParent) throw EInvalidOperation(u"Menu inserted twice");
  for (const TMenuItem* p = this; p; p = p->FParent)
    if (p == Item) throw EInvalidOperation(u"A menu item cannot contain itself");
  Index = std::clamp(Index, 0, Count());
  FItems.insert(FItems.begin() + Index, Item);
  Item->FParent = this;
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Remove(TMenuItem* Item) {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  if (it == FItems.end()) return;
  FItems.erase(it);
  Item->FParent = nullptr;
}

void TMenuItem::Delete(Integer Index) {
  if (TMenuItem* i = Items(Index)) delete i;
}

void TMenuItem::Clear() {
  while (!FItems.empty()) delete FItems.back();
}

Integer TMenuItem::IndexOf(const TMenuItem* Item) const {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  return it == FItems.end() ? -1 : Integer(it - FItems.begin());
}

TMenuItem* TMenuItem::Find(const String& ACaption) const {
  const String want = StripHotkey(ACaption);
  for (TMenuItem* i : FItems)
    if (StripHotkey(i->FCaption) == want) return i;
  return nullptr;
}

void TMenuItem::Click() {
  if (FAutoCheck) SetChecked(!FChecked);
  if (FOnClick) FOnClick(this);
}

TMenuItem* TMenuItem::FindShortCut(TShortCut S) const {
  if (S == scNone) return nullptr;
  for (TMenuItem* it : FItems) {
    if (!it->FVisible || !it->FEnabled) continue;
    if (it->FShortCut == S && !it->IsLine()) return it;
    if (TMenuItem* sub = it->FindShortCut(S)) return sub;
  }
  return nullptr;
}

// [levels] -------------------------------------------------------------------------------------------------
constexpr Integer kMenuFrame = 3, kMenuCheckColumn = 22, kMenuArrowColumn = 18, kMenuSeparator = 9;
// Pause before a hovered submenu opens (ms).
constexpr Cardinal kSubmenuDelay = 250;

class TMenuPopup : public TPopupWindow {
 public:
  TMenuPopup(TPopupMenu* Menu, Integer Level) : TPopupWindow(nullptr), FMenu(Menu), FLevel(Level) {
    SetColor(clMenu);
    FTimer = AllocateHWnd([this](TMessage& m) {
      if (m.Msg != WM_TIMER) return;
      KillTimer(FTimer, 1);
      try {
        if (IsOpen() && FHot >= 0 && Row(FHot).item->Count() > 0) OpenSub(false);
      } catch (...) {
        Application->HandleException(this);
      }
    });
  }
  ~TMenuPopup() override { DeallocateHWnd(FTimer); }

  struct TRow {
    TMenuItem* item;
    Integer top, height;
  };

  void Show(TMenuItem* Parent, TControl* Owner, Integer X, Integer Y, Integer AltX) {
    FParentItem = Parent;
    FHot = -1;
    // Sized for the scale of what opened it (the menu's owner when no control did) before it opens.
    auto* scaleOf = Owner ? Owner : dynamic_cast<TControl*>(FMenu->Owner());
    FScale = ControlScale(scaleOf);
    const TFont standard;
    Font()->SetHeight(Px(standard.Height()));
    Layout();
    const TRect area = popups::WorkAreaFor(Owner, Point(X, Y));
    if (X + Width() > area.Right && AltX >= 0) X = std::max(AltX - Width(), area.Left);
    Popup(Owner, X, Y);
  }
  TMenuItem* ParentItem() const { return FParentItem; }
  Integer Hot() const { return FHot; }
  Integer RowCount() const { return Integer(FRows.size()); }
  const TRow& Row(Integer i) const { return FRows[size_t(i)]; }

  // For assistive technology: a popup menu whose rows are its items; "activate" chooses one as Enter does.
  class TAccess : public TControlAccessible {
   public:
    using TControlAccessible::TControlAccessible;
    TAccRole Role() const override { return arPopupMenu; }
    String Name() const override { return Menu()->FParentItem ? StripAccel(Menu()->FParentItem->Caption()) : String(); }
    Integer ItemCount() const override { return Menu()->RowCount(); }
    bool DescribeItem(TAccKey Key, TItemInfo& Info) const override {
      if (Key < 0 || Key >= Menu()->RowCount()) return false;
      const TRow& row = Menu()->Row(Integer(Key));
      TMenuItem* it = row.item;
      Info.Bounds = Rect(0, row.top, Menu()->Width(), row.top + row.height);
      if (it->IsLine()) {
        Info.Role = arSeparator;
        return true;
      }
      Info.Role = it->RadioItem() ? arRadioMenuItem : it->AutoCheck() || it->Checked() ? arCheckMenuItem : arMenuItem;
      Info.Name = StripAccel(it->Caption());
      Info.Description = GetLongHint(it->Hint());
      Info.States = asSelectable | asVisible;
      Info.Enabled = it->Enabled();
      if (it->Checked()) Info.States |= asChecked | asCheckable;
      if (it->Count() > 0) Info.States |= asExpandable;
      Info.Actions = {kActActivate};
      return true;
    }
    bool DoItemAction(TAccKey Key, Integer Action) override {
      if (Action != 0 || !FocusItem(Key) || !Menu()->Row(Integer(Key)).item->Enabled()) return false;
      Menu()->Activate(true);
      return true;
    }
    bool FocusItem(TAccKey Key) override {
      if (Key < 0 || Key >= Menu()->RowCount() || Menu()->Row(Integer(Key)).item->IsLine()) return false;
      Menu()->SetHot(Integer(Key));
      return true;
    }
    TAccKey FocusedItem() const override { return Menu()->Hot() >= 0 ? Menu()->Hot() : kNoItem; }
    TMenuPopup* Menu() const { return static_cast<TMenuPopup*>(Control()); }
  };
  TAccessible* CreateAccessible() override { return new TAccess(this); }

  void Paint() override {
    TCanvas* c = Canvas();
    TRect r = Rect(0, 0, Width(), Height());
    DrawEdge(c, r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clMenu);
    c->FillRect(r);
    for (Integer i = 0; i < RowCount(); ++i) PaintRow(c, i);
  }

 protected:
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override {
    TPopupWindow::MouseMove(Shift, X, Y);
    const Integer i = RowAt(Y);
    if (i < 0 || !ClientRect().Contains(Point(X, Y))) {
      // Off the rows: the highlight goes unless it leads to an open submenu.
      if (FHot >= 0 && !(SubOpen() && Row(FHot).item->Count() > 0)) SetHot(-1);
      return;
    }
    if (i == FHot) return;
    SetHot(i);
    FMenu->CloseLevelsAbove(FLevel);
    if (Row(i).item->Count() > 0 && Row(i).item->Enabled()) SetTimer(FTimer, 1, kSubmenuDelay);
  }
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override {
    TPopupWindow::MouseUp(Button, Shift, X, Y);
    const Integer i = RowAt(Y);
    if (i < 0 || !ClientRect().Contains(Point(X, Y))) return;
    SetHot(i);
    Activate(false);
  }
  void KeyDown(Word& Key, TShiftState Shift) override {
    TPopupWindow::KeyDown(Key, Shift);
    switch (Key) {
      case 0: return;
      case VK_UP: Step(-1); break;
      case VK_DOWN: Step(1); break;
      case VK_HOME: SetHot(-1); Step(1); break;
      case VK_END: SetHot(RowCount()); Step(-1); break;
      case VK_RIGHT:
        if (FHot >= 0 && Row(FHot).item->Count() > 0) OpenSub(true);
        break;
      case VK_LEFT:
        if (FLevel > 0) ClosePopup();
        break;
      case VK_RETURN: Activate(true); break;
      default: return;
    }
    Key = 0;
  }
  void KeyPress(char16_t& Key) override {
    TPopupWindow::KeyPress(Key);
    if (Key < 32) return;
    const char16_t want = char16_t(std::towupper(wint_t(Key)));
    for (Integer i = 0; i < RowCount(); ++i)
      if (GetAccelChar(Row(i).item->Caption()) == want) {
        SetHot(i);
        Activate(true);
        return;
      }
  }
  void Closed(bool Cancelled) override {
    KillTimer(FTimer, 1);
    FMenu->LevelClosed(this);
  }

 private:
  friend class TPopupMenu;
  bool SubOpen() const { return Integer(FMenu->OpenLevels()) > FLevel + 1; }
  Integer Px(Integer v) const { return ScaledMetric(FScale, v); }

  void Layout() {
    FRows.clear();
    TCanvas* c = Canvas();
    c->Font()->Assign(Font());
    const Integer textH = c->TextHeight(u"Wg");
    Integer y = Px(kMenuFrame), textW = 0, keyW = 0;
    bool arrows = false;
    for (Integer i = 0; FParentItem && i < FParentItem->Count(); ++i) {
      TMenuItem* it = FParentItem->Items(i);
      if (!it->Visible()) continue;
      Integer h = Px(kMenuSeparator);
      if (!it->IsLine()) {
        h = textH + Px(6);
        if (it->HasBitmap()) h = std::max(h, Px(it->Bitmap()->Height() + 4));
        c->Font()->SetStyle(it->Default() ? TFontStyles(fsBold) : TFontStyles());
        textW = std::max(textW, c->TextWidth(StripHotkey(it->Caption())));
        if (it->ShortCut()) keyW = std::max(keyW, c->TextWidth(ShortCutToText(it->ShortCut())));
        arrows |= it->Count() > 0;
      }
      FRows.push_back({it, y, h});
      y += h;
    }
    c->Font()->SetStyle(TFontStyles());
    if (FRows.empty()) y += textH + Px(6);  // an empty menu still shows as a small box
    Integer bitmapW = 0;
    for (const TRow& r : FRows)
      if (r.item->HasBitmap()) bitmapW = std::max(bitmapW, Px(r.item->Bitmap()->Width()));
    FCheckColumn = std::max(Px(kMenuCheckColumn), bitmapW + Px(6));
    const Integer w = 2 * Px(kMenuFrame) + FCheckColumn + textW + (keyW ? Px(24) + keyW : 0) + Px(kMenuArrowColumn);
    (void)arrows;
    SetBounds(Left(), Top(), std::max(w, Px(60)), y + Px(kMenuFrame));
    Invalidate();
  }

  Integer RowAt(Integer Y) const {
    for (Integer i = 0; i < RowCount(); ++i)
      if (Y >= Row(i).top && Y < Row(i).top + Row(i).height) return i;
    return -1;
  }

  void SetHot(Integer i) {
    if (i == FHot) return;
    FHot = i;
    Invalidate();
  }

  void Step(Integer d) {
    const Integer n = RowCount();
    Integer i = FHot;
    for (Integer k = 0; k < n; ++k) {
      i = (i + d + n + (i < 0 && d < 0 ? 1 : 0)) % n;
      if (i < 0) i += n;
      if (!Row(i).item->IsLine()) {
        SetHot(i);
        return;
      }
    }
  }

  void OpenSub(bool SelectFirst) {
    if (FHot < 0) return;
    TMenuItem* it = Row(FHot).item;
    if (!it->Enabled() || it->Count() == 0) return;
    const TPoint right = ClientToScreen(Point(Width() - Px(kMenuFrame), Row(FHot).top - Px(kMenuFrame)));
    const TPoint left = ClientToScreen(Point(Px(kMenuFrame), 0));
    TMenuPopup* sub = FMenu->OpenLevel(FLevel + 1, it, right.X, right.Y, left.X);
    if (sub && SelectFirst) sub->Step(1);
  }

  void Activate(bool ByKey) {
    if (FHot < 0) return;
    TMenuItem* it = Row(FHot).item;
    if (it->IsLine() || !it->Enabled()) return;
    if (it->Count() > 0) {
      OpenSub(ByKey);
      return;
    }
    FMenu->Choose(it);
  }

  void PaintRow(TCanvas* c, Integer i) {
    const TRow& row = Row(i);
    TMenuItem* it = row.item;
    const Integer l = Px(kMenuFrame), r = Width() - Px(kMenuFrame);
    if (it->IsLine()) {
      const Integer mid = row.top + row.height / 2;
      TRect e = Rect(l + 1, mid - 1, r - 1, mid + 1);
      DrawEdge(c, e, EDGE_ETCHED, BF_TOP);
      return;
    }
    const bool hot = i == FHot;
    const bool enabled = it->Enabled();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(hot ? clHighlight : clMenu);
    c->FillRect(Rect(l, row.top, r, row.top + row.height));
    const TColor text = hot ? (enabled ? clHighlightText : clGrayText) : clMenuText;
    // Left column: the bitmap, or the check mark / radio dot.
    if (it->HasBitmap()) {
      // Drawn for 96 dpi: grown with the menu's scale, its transparent colour kept out.
      TBitmap scaled;
      scaled.Assign(it->Bitmap());
      ScaleBitmap(&scaled, FScale, it->Bitmap()->TransparentColor());
      TBitmap* b = &scaled;
      const Integer bx = l + (FCheckColumn - b->Width()) / 2, by = row.top + (row.height - b->Height()) / 2;
      if (it->Checked()) {
        TRect e = Rect(bx - 2, by - 2, bx + b->Width() + 2, by + b->Height() + 2);
        DrawEdge(c, e, BDR_SUNKENOUTER, BF_RECT);
      }
      DrawGlyph(c, b, bx, by, enabled);
    } else if (it->Checked()) {
      const Integer cy = row.top + (row.height - Px(7)) / 2, cx = l + (FCheckColumn - Px(7)) / 2;
      const TColor mark = enabled ? text : clGrayText;
      if (it->RadioItem()) DrawRadioDot(c, cx, cy, mark, FScale);
      else DrawCheckMark(c, cx, cy, mark, FScale);
    }
    c->Font()->Assign(Font());
    c->Font()->SetStyle(it->Default() ? TFontStyles(fsBold) : TFontStyles());
    c->Font()->SetColor(text);
    TRect tr = Rect(l + FCheckColumn, row.top, r - Px(kMenuArrowColumn), row.top + row.height);
    const bool engraved = !enabled && !hot;
    DrawCaption(c, it->Caption(), tr, DT_SINGLELINE | DT_VCENTER, !engraved);
    if (it->ShortCut()) {
      TRect kr = tr;
      DrawCaption(c, ShortCutToText(it->ShortCut()), kr, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX,
                  !engraved);
    }
    if (it->Count() > 0) {
      const TRect ar = Rect(r - Px(kMenuArrowColumn), row.top, r, row.top + row.height);
      if (engraved) DrawDisabledArrow(c, ar, adRight, Px(4));
      else DrawArrow(c, ar, adRight, Px(4), text);
    }
    c->Font()->SetStyle(TFontStyles());
  }

  static void DrawGlyph(TCanvas* c, TBitmap* b, Integer x, Integer y, bool enabled) {
    const TColor key = ColorToRGB(b->TransparentColor()) & 0xFFFFFF;
    for (Integer py = 0; py < b->Height(); ++py) {
      const uint32_t* row = b->ScanLine(py);
      for (Integer px = 0; px < b->Width(); ++px) {
        const uint32_t v = row[px] & 0xFFFFFF;
        const TColor col = RGB(Byte(v >> 16), Byte(v >> 8), Byte(v));
        if (col == key) continue;
        if (!enabled) {
          if (GetRValue(col) + GetGValue(col) + GetBValue(col) > 3 * 0xC0) continue;
          c->SetPixels(x + px + 1, y + py + 1, ColorToRGB(clBtnHighlight));
          c->SetPixels(x + px, y + py, ColorToRGB(clBtnShadow));
        } else {
          c->SetPixels(x + px, y + py, col);
        }
      }
    }
  }

  TPopupMenu* FMenu;
  Integer FLevel;
  TMenuItem* FParentItem = nullptr;
  std::vector<TRow> FRows;
  Integer FHot = -1;
  Integer FCheckColumn = kMenuCheckColumn;
  double FScale = 1;
  HWND FTimer = 0;
};

// [menu] ---------------------------------------------------------------------------------------------------
TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner), FItems(std::make_unique<TMenuItem>(nullptr)) {}

TPopupMenu::~TPopupMenu() {
  FOpen = false;  // closes silently: OnClose is for a menu that lives on
  CloseMenu();
  FLevels.clear();
}

void TPopupMenu::SetPopupComponent(TComponent* v) {
  if (v == FPopupComponent) return;
  if (FPopupComponent) FPopupComponent->RemoveFreeNotification(this);
  FPopupComponent = v;
  if (v) v->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupComponent) FPopupComponent = nullptr;
}

void TPopupMenu::DoPopup() {
  if (FOnPopup) FOnPopup(this);
}

Integer TPopupMenu::OpenLevels() const {
  Integer n = 0;
  while (n < Integer(FLevels.size()) && FLevels[size_t(n)]->IsOpen()) ++n;
  return n;
}

TControl* TPopupMenu::Level(Integer Index) const {
  return Index >= 0 && Index < OpenLevels() ? FLevels[size_t(Index)].get() : nullptr;
}

bool TPopupMenu::IsOpen() const { return FOpen; }

TMenuPopup* TPopupMenu::OpenLevel(Integer Index, TMenuItem* Parent, Integer X, Integer Y, Integer AltX) {
  CloseLevelsAbove(Index - 1);
  while (Integer(FLevels.size()) <= Index) FLevels.push_back(std::make_unique<TMenuPopup>(this, Integer(FLevels.size())));
  TMenuPopup* p = FLevels[size_t(Index)].get();
  auto* owner = dynamic_cast<TControl*>(FPopupComponent);
  p->Show(Parent, Index == 0 ? owner : FLevels[size_t(Index - 1)].get(), X, Y, AltX);
  return p;
}

void TPopupMenu::CloseLevelsAbove(Integer Index) {
  if (Index + 1 < Integer(FLevels.size()) && FLevels[size_t(Index + 1)]->IsOpen())
    FLevels[size_t(Index + 1)]->ClosePopup();
}

void TPopupMenu::Popup(Integer X, Integer Y) {
  CloseMenu();
  DoPopup();
  FOpen = true;
  OpenLevel(0, FItems.get(), X, Y, -1);
}

void TPopupMenu::CloseMenu() {
  if (!FLevels.empty() && FLevels[0]->IsOpen()) FLevels[0]->ClosePopup();
  else if (FOpen) {
    FOpen = false;
    if (FOnClose) FOnClose(this);
  }
}

void TPopupMenu::LevelClosed(TMenuPopup* Level) {
  if (Level != FLevels[0].get() || !FOpen) return;
  FOpen = false;
  if (FOnClose) FOnClose(this);
}

void TPopupMenu::Choose(TMenuItem* Item) {
  CloseMenu();
  Item->Click();
}

// [tables] -------------------------------------------------------------------------------------------------
const TClassInfo& TMenuItem::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TMenuItem>(&TComponent::ClassInfo())
      .Prop("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption, String())
      .Prop("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked, false)
      .Prop("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem, false)
      .Prop("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex, Byte(0))
      .Prop("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled, true)
      .Prop("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible, true)
      .Prop("Default", &TMenuItem::Default, &TMenuItem::SetDefault, false)
      .Prop("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck, false)
      .Prop("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut, TShortCut(0))
      .Prop("Hint", &TMenuItem::Hint, &TMenuItem::SetHint, String())
      .Event("OnClick");
  return info;
}

const TClassInfo& TPopupMenu::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TPopupMenu>(&TComponent::ClassInfo())
      .Prop("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup, true)
      .Event("OnPopup")
      .Event("OnClose");
  return info;
}
}  // namespace jox
