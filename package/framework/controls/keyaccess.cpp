// Menu shortcuts, mnemonics and the context-menu key.
#include "package/framework/controls/keyaccess.h"

#include <functional>

#include "package/framework/controls/forms.h"
#include "package/framework/controls/menus.h"

namespace jox::keyaccess {

namespace {

// The popup menus a shortcut may come from, nearest first.
void CollectMenus(TWinControl* target, std::vector<std::pair<TPopupMenu*, TControl*>>& out) {
  for (TControl* c = target; c; c = c->Parent())
    if (TPopupMenu* m = c->PopupMenu()) out.emplace_back(m, c);
  TCustomForm* form = GetParentForm(target);
  if (!form) return;
  std::function<void(TComponent*)> walk = [&](TComponent* owner) {
    for (Integer i = 0; i < owner->ComponentCount(); ++i) {
      TComponent* c = owner->Components(i);
      if (auto* m = dynamic_cast<TPopupMenu*>(c)) out.emplace_back(m, nullptr);
      walk(c);
    }
  };
  walk(form);
}

}  // namespace

bool MenuShortCut(TWinControl* Target, Word Key, TShiftState Shift) {
  if (Key == VK_SHIFT || Key == VK_CONTROL || Key == VK_MENU) return false;
  const TShiftState mods(Word(Shift.bits & (Word(ssShift) | Word(ssCtrl) | Word(ssAlt))));
  if (!(mods & ssCtrl) && !(mods & ssAlt) && (Target->Perform(WM_GETDLGCODE) & (DLGC_WANTCHARS | DLGC_WANTALLKEYS))) {
    // Plain keys (Delete, a letter) belong to a text control; only function keys pass it.
    if (Key < VK_F1 || Key >= VK_F1 + 24) return false;
  }
  std::vector<std::pair<TPopupMenu*, TControl*>> menus;
  CollectMenus(Target, menus);
  const TShortCut want = ShortCut(Key, mods);
  for (auto [menu, owner] : menus)
    if (TMenuItem* item = menu->FindShortCut(want)) {
      if (owner) menu->SetPopupComponent(owner);
      item->Click();
      return true;
    }
  return false;
}

bool DialogChar(TWinControl* Target, char16_t Ch) {
  TCustomForm* form = GetParentForm(Target);
  return form && form->Perform(CM_DIALOGCHAR, Ch) != 0;
}

void ContextMenuFromKeyboard(TWinControl* Target) {
  Target->Perform(WM_CONTEXTMENU, intptr_t(Target->HandleAllocated() ? Target->Handle() : 0), intptr_t(-1));
}

}  // namespace jox::keyaccess
