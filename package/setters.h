// Store-compare-repaint for property setters: return early when the value is unchanged, else store
// it and repaint at once. Clamp or repair the value before handing it over.
//
//   void TSevenSeg::SetColorOn(TColor V) { StoreAndPaint(this, FColorOn, V); }
//   void TSevenSeg::SetDigits(Integer V) {              // when more than a repaint follows
//     if (!StoreChanged(FDigits, std::clamp(V, 1, 12))) return;
//     CalcLayout();
//     PaintNow(this);
//   }
#pragma once

#include <utility>

#include "package/framework/controls/controls.h"

namespace jox {

// Stores Value into Field when they differ; true when it did.
template <class T, class V>
bool StoreChanged(T& Field, V&& Value) {
  if (Field == Value) return false;
  Field = std::forward<V>(Value);
  return true;
}

// Paints the control now, except while a form is being read into it or it is being destroyed (the
// reader's Loaded and the destruction leave nothing to show), and while it is not displayed (a hidden
// control or page, a closed form). What it draws reaches the window at the next present.
void PaintNow(TControl* Control);

// StoreChanged, then PaintNow when the value changed.
template <class T, class V>
void StoreAndPaint(TControl* Control, T& Field, V&& Value) {
  if (StoreChanged(Field, std::forward<V>(Value))) PaintNow(Control);
}

}  // namespace jox
