// One Paint of the progress bar and of the gradient fill, at the default size and at 1000 x 100,
// against their floor: making an off-screen bitmap of the same size, filling it and copying it to
// the control, which every Paint does anyway.
#include <benchmark/benchmark.h>

#include "progbar/progbar.h"

namespace {

using namespace jox;

// Default looks with its value text; range(0) = 1 turns on the gradient and a grid.
void BM_ProgBarPaint(benchmark::State& state, Integer W, Integer H) {
  TProgBar b(nullptr);
  b.SetBounds(0, 0, W, H);
  b.SetValue(75);
  if (state.range(0)) {
    b.SetShowColorGradient(true);
    b.SetColorMapMode(cgmMove);
    b.SetGridDist(5);
    b.SetTextAngle(30);
  }
  for (auto _ : state) b.Paint();
}
BENCHMARK_CAPTURE(BM_ProgBarPaint, default_300x28, 300, 28)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ProgBarPaint, wide_1000x100, 1000, 100)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_BitmapFillAndCopy(benchmark::State& state, Integer W, Integer H) {
  TProgBar b(nullptr);
  b.SetBounds(0, 0, W, H);
  for (auto _ : state) {
    TBitmap bmp(W, H);
    bmp.Canvas()->Brush()->SetColor(clSilver);
    bmp.Canvas()->Rectangle(0, 0, W, H);
    b.Canvas()->Draw(0, 0, &bmp);
  }
}
BENCHMARK_CAPTURE(BM_BitmapFillAndCopy, default_300x28, 300, 28)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_BitmapFillAndCopy, wide_1000x100, 1000, 100)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
