// Store-compare-repaint for property setters: return early when the value is unchanged, else store
// it and repaint at once. Clamp or repair the value before handing it over.
//
//   void TSevenSeg::SetColorOn(TColor V) { StoreAndPaint(this, FColorOn, V); }
//   void TSevenSeg::SetDigits(Integer V) {              // when more than a repaint follows
//     if (!StoreChanged(FDigits, std::clamp(V, 1, 12))) return;
//     CalcLayout();
//     PaintNow(this);
//   }
//
// A rule that depends on the control's size or on another property waits while a form is read: the
// setter keeps the raw value, and Loaded applies the rule once, whatever order the text listed them in.
//   void TNumLab::SetLeftSpace(Integer N) {
//     if (N >= 0 && StoreByRule(this, FLeftSpace, N, LeftSpaceRule())) Redraw();
//   }
//   void TNumLab::Loaded() { TGraphicControl::Loaded(); ApplyRule(FLeftSpace, LeftSpaceRule()); Redraw(); }
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

// Whether a form is being read into the component (its setters keep raw values, Loaded applies the rules).
inline bool IsLoading(const TComponent* Component) { return Component->ComponentState().Contains(csLoading); }

// StoreChanged with Rule(Value), or with Value itself while Component is loading.
template <class T, class V, class R>
bool StoreByRule(const TComponent* Component, T& Field, V&& Value, R&& Rule) {
  if (IsLoading(Component)) return StoreChanged(Field, std::forward<V>(Value));
  return StoreChanged(Field, Rule(std::forward<V>(Value)));
}

// Applies to a raw value kept while loading the rule its setter applies otherwise; true when it changed.
template <class T, class R>
bool ApplyRule(T& Field, R&& Rule) {
  return StoreChanged(Field, Rule(Field));
}

}  // namespace jox
