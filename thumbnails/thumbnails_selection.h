// The thumbnail strip's selection: runs of selected slide numbers, so its size follows what is selected,
// not Max - Min + 1 (a range near the ends of Integer costs as little as 1..100). Slide numbers are
// widened to 64 bits inside, so a run ending at the largest Integer has an end past it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <map>

#include "package/framework/base/types.h"

namespace jox {

class TSlideSelection {
 public:
  bool Empty() const { return FRuns.empty(); }
  void Clear() { FRuns.clear(); }
  bool Contains(Integer s) const {
    auto it = FRuns.upper_bound(s);
    return it != FRuns.begin() && s < (--it)->second;
  }
  // The lowest selected slide; only meaningful when not Empty.
  Integer First() const { return Integer(FRuns.begin()->first); }
  // Number of selected slides, at most the largest Integer.
  Integer Count() const {
    int64_t n = 0;
    for (const auto& [lo, end] : FRuns) n += end - lo;
    return n > INT32_MAX ? INT32_MAX : Integer(n);
  }
  void Set(Integer s, bool On) {
    if (On) Add(s, s);
    else Remove(s, s);
  }
  // Selects Lo..Hi, both included.
  void Add(Integer Lo, Integer Hi) {
    int64_t lo = Lo, end = int64_t(Hi) + 1;
    auto it = FRuns.upper_bound(lo);
    if (it != FRuns.begin() && std::prev(it)->second >= lo) --it;
    while (it != FRuns.end() && it->first <= end) {
      lo = std::min(lo, it->first);
      end = std::max(end, it->second);
      it = FRuns.erase(it);
    }
    FRuns.emplace(lo, end);
  }
  // Deselects Lo..Hi, both included.
  void Remove(Integer Lo, Integer Hi) {
    const int64_t lo = Lo, end = int64_t(Hi) + 1;
    auto it = FRuns.upper_bound(lo);
    if (it != FRuns.begin()) --it;
    while (it != FRuns.end() && it->first < end) {
      const int64_t a = it->first, b = it->second;
      if (b <= lo) {
        ++it;
        continue;
      }
      it = FRuns.erase(it);
      if (a < lo) FRuns.emplace(a, lo);
      if (b > end) {
        FRuns.emplace(end, b);
        break;
      }
    }
  }
  // Keeps only Lo..Hi.
  void KeepWithin(Integer Lo, Integer Hi) {
    if (Lo > INT32_MIN) Remove(INT32_MIN, Lo - 1);
    if (Hi < INT32_MAX) Remove(Hi + 1, INT32_MAX);
  }

 private:
  // First slide of a run and the slide after its last one.
  std::map<int64_t, int64_t> FRuns;
};

}  // namespace jox
