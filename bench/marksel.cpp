// One Paint of the marker selector at its default 236 x 178, all 52 symbols in 13 x 4 cells and
// with the default 8 x 6 grid, against its floor: a bitmap of the same size filled and copied.
#include <benchmark/benchmark.h>

#include "marksel/marksel.h"

namespace {

using namespace jox;

void BM_MarkSelPaint(benchmark::State& state) {
  TMarkSel m(nullptr);
  m.SetNrOfColumns(Integer(state.range(0)));
  m.SetNrOfRows(Integer(state.range(1)));
  m.SetSelected(17);
  for (auto _ : state) m.Paint();
}
BENCHMARK(BM_MarkSelPaint)->Args({8, 6})->Args({13, 4})->Unit(benchmark::kMicrosecond);

void BM_MarkSelPointerMove(benchmark::State& state) {
  TMarkSel m(nullptr);
  m.Paint();
  Integer i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(m.MarkAt(14 + 29 * (i % 8), 14 + 29 * (i / 8 % 6)));
    ++i;
  }
}
BENCHMARK(BM_MarkSelPointerMove);

void BM_BitmapFillAndCopy(benchmark::State& state) {
  TMarkSel m(nullptr);
  for (auto _ : state) {
    TBitmap bmp(m.Width(), m.Height());
    bmp.Canvas()->Brush()->SetColor(clBtnFace);
    bmp.Canvas()->Rectangle(0, 0, m.Width(), m.Height());
    m.Canvas()->Draw(0, 0, &bmp);
  }
}
BENCHMARK(BM_BitmapFillAndCopy)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
