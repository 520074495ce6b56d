// TMarkSel keys: a focus rectangle moves over the visible symbols in their cells with the arrows,
// Home/End and PgUp/PgDn; Space and Enter choose the symbol as a click on it does.
#include <algorithm>
#include <vector>

#include "marksel/marksel.h"
#include "package/cellkeys.h"

namespace jox {

void TMarkSel::KeyDown(Word& Key, TShiftState Shift) {
  if (!FEnabled || !Enabled()) return;
  // The visible symbols fill the cells in order, so a cell is a position in this list.
  std::vector<Integer> cells;
  for (Integer i = 0; i <= MaxMark; ++i)
    if (FMarkVis[size_t(i)]) cells.push_back(i);
  const Integer n = Integer(cells.size());
  auto it = std::find(cells.begin(), cells.end(), FocusMark());
  const Integer at = Integer(it - cells.begin());
  const Integer page = FNrCols * std::max<Integer>(FNrRows, 1);
  if (Key == VK_SPACE || Key == VK_RETURN) {
    Key = 0;
    const Integer mark = FocusMark();
    FSelected = mark;
    const TPoint p = FMarkCoords[size_t(mark)];
    if (FOnMarkClick) FOnMarkClick(this, p.X, p.Y, mark);
    Invalidate();
    return;
  }
  const std::optional<Integer> target = CellForKey(Key, at, FNrCols, page, 0, n - 1);
  if (!target) return;
  Integer to = *target;
  // Up or Down past either end stays (a row that is not full has no cell below); the rest stop there.
  const bool vertical = Key == VK_UP || Key == VK_DOWN;
  Key = 0;
  if ((to < 0 || to >= n) && vertical) to = at;
  FFocusMark = cells[size_t(std::clamp(to, 0, n - 1))];
  Invalidate();
}

Integer TMarkSel::FocusMark() const {
  if (FFocusMark >= 0 && FFocusMark <= MaxMark && FMarkVis[size_t(FFocusMark)]) return FFocusMark;
  if (FSelected >= 0 && FMarkVis[size_t(FSelected)]) return FSelected;
  return 0;  // always shown
}

}  // namespace jox
