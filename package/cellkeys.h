// The navigation keys of components that lay their items out in cells, row by row (the marker selector,
// the thumbnail strip).
#pragma once

#include <optional>

#include "package/framework/base/types.h"

namespace jox {

// The cell a navigation key moves the focus to from At, over cells First..Last with Columns to a row and
// Page cells to a page: the arrows one cell or one row, PgUp/PgDn a page, Home/End the ends. The cell
// may lie outside First..Last; what happens there is the caller's rule. Nothing for any other key.
inline std::optional<Integer> CellForKey(Word Key, Integer At, Integer Columns, Integer Page, Integer First,
                                         Integer Last) {
  switch (Key) {
    case VK_LEFT: return At - 1;
    case VK_RIGHT: return At + 1;
    case VK_UP: return At - Columns;
    case VK_DOWN: return At + Columns;
    case VK_PRIOR: return At - Page;
    case VK_NEXT: return At + Page;
    case VK_HOME: return First;
    case VK_END: return Last;
    default: return std::nullopt;
  }
}

}  // namespace jox
