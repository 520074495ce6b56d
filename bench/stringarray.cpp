// Sorting 100,000 rows by a text column against std::stable_sort of the same strings.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

#include "package/core/stringarray.h"

using namespace jox;

namespace {

constexpr Integer kRows = 100000;

const std::vector<String>& Words() {
  static const std::vector<String> words = [] {
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> len(4, 20), letter(0, 25);
    std::vector<String> w(kRows);
    for (String& s : w) {
      s.resize(size_t(len(rng)));
      for (char16_t& c : s) c = char16_t(u'a' + letter(rng));
    }
    return w;
  }();
  return words;
}

void BM_StringArraySort(benchmark::State& state) {
  TStringArray a;
  a.Resize(10, kRows);
  for (Integer r = 1; r <= kRows; ++r) {
    a.SetString(3, r, Words()[size_t(r - 1)]);
    a.SetString(1, r, IntToStr(r));
  }
  for (auto _ : state) {
    a.Sort(3, -1, true, true);
    state.PauseTiming();
    a.UnSort();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_StringArraySort)->Unit(benchmark::kMillisecond);

void BM_StdStableSortStrings(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<String> v = Words();
    state.ResumeTiming();
    std::stable_sort(v.begin(), v.end());
    benchmark::DoNotOptimize(v.data());
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_StdStableSortStrings)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
