// TDataTable sorting: a stable order is computed first and then reached by exchanges, so that
// OnSortExchange sees every exchange and a sort costs n log n comparisons and at most n exchanges.
#include <algorithm>
#include <cmath>
#include <numeric>

#include "package/framework/base/sysutils.h"
#include "package/numerics/datatable.h"

namespace jox {

bool TDataTable::ClipRange(Integer& LowCol, Integer& LowRow, Integer& HighCol, Integer& HighRow) const {
  if (LowCol > HighCol) std::swap(LowCol, HighCol);
  if (LowRow > HighRow) std::swap(LowRow, HighRow);
  LowCol = std::max(LowCol, 1);
  LowRow = std::max(LowRow, 1);
  HighCol = std::min(HighCol, NrOfColumns());
  HighRow = std::min(HighRow, NrOfRows());
  return LowCol <= HighCol && LowRow <= HighRow;
}

void TDataTable::ApplyOrder(TSortExchgKind What, Integer Low, const std::vector<Integer>& Perm,
                            Integer LowOther, Integer HighOther, bool Headers) {
  const Integer n = Integer(Perm.size());
  // at[p]: old index of the item now at position Low + p; where[o]: position of old index o.
  std::vector<Integer> at(static_cast<size_t>(n)), where(static_cast<size_t>(n));
  std::iota(at.begin(), at.end(), Low);
  std::iota(where.begin(), where.end(), 0);
  Integer lastPercent = -1;
  for (Integer k = 0; k < n; ++k) {
    const Integer p = where[size_t(Perm[size_t(k)] - Low)];
    if (p != k) {
      const Integer i1 = Low + k, i2 = Low + p;
      if (FOnSortExchange) FOnSortExchange(this, What, i1, i2);
      if (What == sekRows) {
        FData.Grid().SwapRows(i1 - 1, i2 - 1, LowOther - 1, HighOther - 1);
        FStates.SwapRows(i1 - 1, i2 - 1, LowOther - 1, HighOther - 1);
        if (Headers) std::swap(FRowHeads[size_t(i1 - 1)], FRowHeads[size_t(i2 - 1)]);
      } else {
        FData.Grid().SwapCols(i1 - 1, i2 - 1, LowOther - 1, HighOther - 1);
        FStates.SwapCols(i1 - 1, i2 - 1, LowOther - 1, HighOther - 1);
        if (Headers) std::swap(FColHeads[size_t(i1 - 1)], FColHeads[size_t(i2 - 1)]);
      }
      std::swap(at[size_t(k)], at[size_t(p)]);
      where[size_t(at[size_t(k)] - Low)] = k;
      where[size_t(at[size_t(p)] - Low)] = p;
    }
    if (FOnPercentDone) {
      const Integer percent = Integer(int64_t(k + 1) * 100 / n);
      if (percent != lastPercent) FOnPercentDone(this, lastPercent = percent);
    }
  }
}

template <class Less>
void TDataTable::SortRange(TSortExchgKind What, Integer Low, Integer High, Integer LowOther, Integer HighOther,
                           bool Headers, Less less) {
  std::vector<Integer> perm(size_t(High - Low + 1));
  std::iota(perm.begin(), perm.end(), Low);
  std::stable_sort(perm.begin(), perm.end(), less);
  ApplyOrder(What, Low, perm, LowOther, HighOther, Headers);
  DataChanged();
  if (Headers) SetupChanged();
}

namespace {

// Numbers first in the chosen direction, then everything that is not a number in its old order.
template <class Key>
auto ByValue(bool Ascending, Key key) {
  return [=](Integer a, Integer b) {
    double va, vb;
    const bool na = key(a, va), nb = key(b, vb);
    if (na != nb) return na;
    if (!na) return false;
    return Ascending ? va < vb : vb < va;
  };
}

}  // namespace

void TDataTable::SortRows(Integer SortColIx, bool Ascending, Integer LowCol, Integer LowRow, Integer HighCol,
                          Integer HighRow, bool IncludeHeaders) {
  if (!InCol(SortColIx) || !ClipRange(LowCol, LowRow, HighCol, HighRow)) return;
  SortRange(sekRows, LowRow, HighRow, LowCol, HighCol, IncludeHeaders,
            ByValue(Ascending, [this, SortColIx](Integer r, double& v) {
              v = FData.Grid().At(SortColIx - 1, r - 1);
              return GetIsNumber(SortColIx, r) && !std::isnan(v);
            }));
}

void TDataTable::SortCols(Integer SortRowIx, bool Ascending, Integer LowCol, Integer LowRow, Integer HighCol,
                          Integer HighRow, bool IncludeHeaders) {
  if (!InRow(SortRowIx) || !ClipRange(LowCol, LowRow, HighCol, HighRow)) return;
  SortRange(sekColumns, LowCol, HighCol, LowRow, HighRow, IncludeHeaders,
            ByValue(Ascending, [this, SortRowIx](Integer c, double& v) {
              v = FData.Grid().At(c - 1, SortRowIx - 1);
              return GetIsNumber(c, SortRowIx) && !std::isnan(v);
            }));
}

void TDataTable::SortRowAttributes(bool Ascending, Integer LowCol, Integer LowRow, Integer HighCol, Integer HighRow) {
  if (!ClipRange(LowCol, LowRow, HighCol, HighRow)) return;
  SortRange(sekRows, LowRow, HighRow, LowCol, HighCol, true, [this, Ascending](Integer a, Integer b) {
    const Integer x = FRowHeads[size_t(a - 1)].Attrib, y = FRowHeads[size_t(b - 1)].Attrib;
    return Ascending ? x < y : y < x;
  });
}

void TDataTable::SortColAttributes(bool Ascending, Integer LowCol, Integer LowRow, Integer HighCol, Integer HighRow) {
  if (!ClipRange(LowCol, LowRow, HighCol, HighRow)) return;
  SortRange(sekColumns, LowCol, HighCol, LowRow, HighRow, true, [this, Ascending](Integer a, Integer b) {
    const Integer x = FColHeads[size_t(a - 1)].Attrib, y = FColHeads[size_t(b - 1)].Attrib;
    return Ascending ? x < y : y < x;
  });
}

namespace {
Integer CompareNames(const String& a, const String& b, bool IgnoreCase) {
  return IgnoreCase ? CompareText(a, b) : CompareStr(a, b);
}
}  // namespace

void TDataTable::SortRowNames(bool Ascending, bool IgnoreCase, Integer LowCol, Integer LowRow, Integer HighCol,
                              Integer HighRow) {
  if (!ClipRange(LowCol, LowRow, HighCol, HighRow)) return;
  SortRange(sekRows, LowRow, HighRow, LowCol, HighCol, true, [=, this](Integer a, Integer b) {
    const Integer c = CompareNames(FRowHeads[size_t(a - 1)].Name, FRowHeads[size_t(b - 1)].Name, IgnoreCase);
    return Ascending ? c < 0 : c > 0;
  });
}

void TDataTable::SortColNames(bool Ascending, bool IgnoreCase, Integer LowCol, Integer LowRow, Integer HighCol,
                              Integer HighRow) {
  if (!ClipRange(LowCol, LowRow, HighCol, HighRow)) return;
  SortRange(sekColumns, LowCol, HighCol, LowRow, HighRow, true, [=, this](Integer a, Integer b) {
    const Integer c = CompareNames(FColHeads[size_t(a - 1)].Name, FColHeads[size_t(b - 1)].Name, IgnoreCase);
    return Ascending ? c < 0 : c > 0;
  });
}

}  // namespace jox
