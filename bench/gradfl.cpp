// One Paint of the gradient fill at its default size and at 1000 x 100, against the floor of every
// Paint: an off-screen bitmap of the same size, filled and copied to the control.
#include <benchmark/benchmark.h>

#include "gradfl/gradfl.h"

namespace {

using namespace jox;

// range(0): the fill type; the grid and frame are on.
void BM_GradFillPaint(benchmark::State& state, Integer W, Integer H) {
  TGradFill g(nullptr);
  g.SetBounds(0, 0, W, H);
  g.SetFillType(TGradType(state.range(0)));
  g.SetGridMode(gmBoth);
  g.SetFrameStyle(fsRaised);
  for (auto _ : state) g.Paint();
}
BENCHMARK_CAPTURE(BM_GradFillPaint, default_121x121, 121, 121)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_GradFillPaint, wide_1000x100, 1000, 100)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

void BM_BitmapFillAndCopy(benchmark::State& state, Integer W, Integer H) {
  TGradFill g(nullptr);
  g.SetBounds(0, 0, W, H);
  for (auto _ : state) {
    TBitmap bmp(W, H);
    bmp.Canvas()->Brush()->SetColor(clSilver);
    bmp.Canvas()->FillRect(Rect(0, 0, W, H));
    g.Canvas()->Draw(0, 0, &bmp);
  }
}
BENCHMARK_CAPTURE(BM_BitmapFillAndCopy, default_121x121, 121, 121)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_BitmapFillAndCopy, wide_1000x100, 1000, 100)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
