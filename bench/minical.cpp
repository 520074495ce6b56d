// One full paint of the mini calendar at its default 300 x 180, with holidays in the month shown
// (December) and in a month of the movable feasts (May).
#include <benchmark/benchmark.h>

#include "minical/minical.h"
#include "package/framework/base/sysutils.h"

namespace {

using namespace jox;

void BM_MiniCalPaint(benchmark::State& state) {
  TMiniCal c(nullptr);
  c.SetDate(EncodeDate(2024, Word(state.range(0)), 9));
  for (auto _ : state) c.Paint();
}
BENCHMARK(BM_MiniCalPaint)->Arg(12)->Arg(5)->Unit(benchmark::kMicrosecond);

void BM_MiniCalCheckHoliday(benchmark::State& state) {
  TMiniCal c(nullptr);
  String caption;
  Integer d = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(c.CheckHoliday(2024, 5, 1 + d % 31, caption));
    ++d;
  }
}
BENCHMARK(BM_MiniCalCheckHoliday);

}  // namespace

BENCHMARK_MAIN();
