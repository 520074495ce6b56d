// TThumbnails keys: the focused slide (the highlight) moves with the arrows, Home/End and PgUp/PgDn,
// scrolling it into view; Space and Enter select it as a click on it does.
#include <algorithm>
#include <cmath>

#include "package/cellkeys.h"
#include "thumbnails/thumbnails.h"

namespace jox {

void TThumbnails::KeyDown(Word& Key, TShiftState Shift) {
  if (FMax < FMin || !Enabled()) return;
  const Integer N = std::max<Integer>(FNumSldX, 1);
  const Integer page = N * std::max<Integer>(VisibleRows() - 1, 1);
  // Without a focused slide the first key lands on the first one in view.
  const Integer at = InRange(FLastHiLite) ? FLastHiLite : Integer(std::clamp<int64_t>(TopSlide(), FMin, FMax));
  const bool fresh = !InRange(FLastHiLite);
  if (Key == VK_SPACE || Key == VK_RETURN) {
    Key = 0;
    if (fresh) return;
    Integer x = 0, y = 0;
    CalcSlidePos(at, x, y);
    ApplySelectionClick(at, Shift);
    if (FOnImageClick) FOnImageClick(this, x + Side() / 2, y + Side() / 2, at);
    return;
  }
  const std::optional<Integer> to = CellForKey(Key, at, N, page, FMin, FMax);
  if (!to) return;
  FocusSlide(fresh && Key != VK_HOME && Key != VK_END ? at : *to);
  Key = 0;
}

void TThumbnails::FocusSlide(Integer s) {
  s = std::clamp(s, FMin, FMax);
  const Integer old = FLastHiLite;
  DrawHilite(old, false);
  FLastHiLite = s;
  // Into view: its row at the top when above, at the bottom when below (the paint redraws the highlight).
  Integer x = 0, y = 0;
  CalcSlidePos(s, x, y);
  const Integer N = std::max<Integer>(FNumSldX, 1), P = Pitch();
  if (y < Border) SetFirstThumbIdx(double(N) * std::floor((double(s) - 1) / N) + 1);
  else if (y + Side() > Height() - Border) ScrollRows(double(y + Side() - (Height() - Border)) / P);
  DrawHilite(s, true);
  if (s != old && FOnHiliteChange) FOnHiliteChange(this);
}

}  // namespace jox
