// Grid2D: the storage behind TMatrix, TIntMatrix and the data table's values and cell states.
// Row-major, 0-based, so that appending rows is amortised constant time.
#pragma once

#include <algorithm>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

#include "package/core/errors.h"
#include "package/framework/base/sysutils.h"

namespace jox::detail {

// Largest number of cells a table may hold; a bigger request is refused before allocating.
constexpr int64_t kMaxGridCells = int64_t(1) << 26;

// Raises EJOXDStructError for negative sizes and EOutOfMemory for sizes beyond kMaxGridCells.
void CheckGridSize(Integer NrCols, Integer NrRows);
[[noreturn]] void ThrowOutOfMemory(Integer NrCols, Integer NrRows);

template <class T>
class Grid2D {
 public:
  Integer Cols() const { return FCols; }
  Integer Rows() const { return FRows; }
  bool Inside(Integer c, Integer r) const { return c >= 0 && c < FCols && r >= 0 && r < FRows; }
  T& At(Integer c, Integer r) { return FData[Index(c, r)]; }
  const T& At(Integer c, Integer r) const { return FData[Index(c, r)]; }
  std::vector<T>& Cells() { return FData; }
  const std::vector<T>& Cells() const { return FData; }

  // Keeps the cells that still fit; new cells are T{}. Leaves the grid unchanged when it raises.
  void Resize(Integer NrCols, Integer NrRows) {
    CheckGridSize(NrCols, NrRows);
    Guard(NrCols, NrRows, [&] {
      if (NrCols == FCols) {
        FData.resize(size_t(NrCols) * size_t(NrRows));
      } else {
        std::vector<T> next(size_t(NrCols) * size_t(NrRows));
        const Integer cc = std::min(NrCols, FCols), rr = std::min(NrRows, FRows);
        for (Integer r = 0; r < rr; ++r)
          std::copy_n(FData.begin() + Index(0, r), cc, next.begin() + size_t(r) * size_t(NrCols));
        FData.swap(next);
      }
    });
    FCols = NrCols;
    FRows = NrRows;
  }

  // Capacity for NrRows rows of the current width, grown geometrically so that adding rows one at a
  // time stays amortised constant; afterwards Resize to that many rows does not allocate.
  void Reserve(Integer NrRows) {
    const size_t need = size_t(FCols) * size_t(std::max(NrRows, 0));
    if (need <= FData.capacity()) return;
    Guard(FCols, NrRows, [&] { FData.reserve(std::max(need, 2 * FData.capacity())); });
  }
  // A resized copy; the grid itself is untouched, so callers can change several grids all or none.
  Grid2D Resized(Integer NrCols, Integer NrRows) const {
    Grid2D g;
    if (NrCols == FCols) g = *this;
    g.Resize(NrCols, NrRows);
    if (NrCols != FCols) {
      const Integer cc = std::min(NrCols, FCols), rr = std::min(NrRows, FRows);
      for (Integer r = 0; r < rr; ++r) std::copy_n(FData.begin() + Index(0, r), cc, g.FData.begin() + g.Index(0, r));
    }
    return g;
  }

  void Fill(const T& v) { std::fill(FData.begin(), FData.end(), v); }

  // Inserts an empty row before row r (0 .. Rows) / column c (0 .. Cols).
  void InsertRow(Integer r) {
    CheckGridSize(FCols, FRows + 1);
    Guard(FCols, FRows + 1, [&] { FData.insert(FData.begin() + Index(0, r), size_t(FCols), T{}); });
    ++FRows;
  }
  void InsertCol(Integer c) {
    CheckGridSize(FCols + 1, FRows);
    std::vector<T> next;
    Guard(FCols + 1, FRows, [&] { next.resize(size_t(FCols + 1) * size_t(FRows)); });
    for (Integer r = 0; r < FRows; ++r) {
      auto src = FData.begin() + Index(0, r);
      auto dst = next.begin() + size_t(r) * size_t(FCols + 1);
      std::copy_n(src, c, dst);
      std::copy(src + c, src + FCols, dst + c + 1);
    }
    FData.swap(next);
    ++FCols;
  }
  void RemoveRow(Integer r) {
    auto first = FData.begin() + Index(0, r);
    FData.erase(first, first + FCols);
    --FRows;
  }
  void RemoveCol(Integer c) {
    size_t out = 0;
    for (Integer r = 0; r < FRows; ++r)
      for (Integer k = 0; k < FCols; ++k)
        if (k != c) FData[out++] = std::move(FData[Index(k, r)]);
    FData.resize(out);
    --FCols;
  }

  // Exchanges rows r1 and r2 within columns c0 .. c1, columns k1 and k2 within rows r0 .. r1.
  void SwapRows(Integer r1, Integer r2, Integer c0, Integer c1) {
    std::swap_ranges(FData.begin() + Index(c0, r1), FData.begin() + Index(c1, r1) + 1,
                     FData.begin() + Index(c0, r2));
  }
  void SwapCols(Integer k1, Integer k2, Integer r0, Integer r1) {
    for (Integer r = r0; r <= r1; ++r) std::swap(FData[Index(k1, r)], FData[Index(k2, r)]);
  }
  void MirrorRows() {
    for (Integer a = 0, b = FRows - 1; a < b; ++a, --b) SwapRows(a, b, 0, FCols - 1);
  }
  void MirrorCols() {
    for (Integer r = 0; r < FRows; ++r) {
      auto first = FData.begin() + Index(0, r);
      std::reverse(first, first + FCols);
    }
  }

 private:
  size_t Index(Integer c, Integer r) const { return size_t(r) * size_t(FCols) + size_t(c); }
  template <class F>
  static void Guard(Integer NrCols, Integer NrRows, F&& f) {
    try {
      f();
    } catch (const std::bad_alloc&) {
      ThrowOutOfMemory(NrCols, NrRows);
    }
  }

  std::vector<T> FData;
  Integer FCols = 0, FRows = 0;
};

}  // namespace jox::detail
