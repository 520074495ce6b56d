// The navigation keys of components that lay their items out in cells, row by row (the marker selector,
// the thumbnail strip).
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>

#include "package/framework/base/types.h"

namespace jox {

// The cell a navigation key moves the focus to from At, over cells First..Last with Columns to a row and
// Page cells to a page: the arrows one cell or one row, PgUp/PgDn a page, Home/End the ends. The cell
// may lie outside First..Last; what happens there is the caller's rule. Nothing for any other key.
inline std::optional<Integer> CellForKey(Word Key, Integer At, Integer Columns, Integer Page, Integer First,
                                         Integer Last) {
  // Steps are taken in 64 bits and held within Integer, so cells near its ends do not overflow.
  const auto step = [At](int64_t By) { return Integer(std::clamp<int64_t>(At + By, INT32_MIN, INT32_MAX)); };
  switch (Key) {
    case VK_LEFT: return step(-1);
    case VK_RIGHT: return step(1);
    case VK_UP: return step(-int64_t(Columns));
    case VK_DOWN: return step(Columns);
    case VK_PRIOR: return step(-int64_t(Page));
    case VK_NEXT: return step(Page);
    case VK_HOME: return First;
    case VK_END: return Last;
    default: return std::nullopt;
  }
}

}  // namespace jox
