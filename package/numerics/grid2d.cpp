#include "package/numerics/grid2d.h"

namespace jox::detail {

void CheckGridSize(Integer NrCols, Integer NrRows) {
  if (NrCols < 0 || NrRows < 0)
    throw EJOXDStructError(u"table size " + IntToStr(NrCols) + u" x " + IntToStr(NrRows) + u" is negative");
  if (int64_t(NrCols) * int64_t(NrRows) > kMaxGridCells)
    ThrowOutOfMemory(NrCols, NrRows);
}

void ThrowOutOfMemory(Integer NrCols, Integer NrRows) {
  throw EOutOfMemory(u"not enough memory for a table of " + IntToStr(NrCols) + u" x " + IntToStr(NrRows) +
                     u" cells");
}

}  // namespace jox::detail
