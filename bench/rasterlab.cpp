// One Paint of a 40-character raster label at the default 400 x 68, against its floor: making an
// off-screen bitmap of the same size, filling it and copying it to the control.
#include <benchmark/benchmark.h>

#include "rasterlab/rasterlab.h"

namespace {

using namespace jox;

const String kText = u"Platform 7: 14:35 InterCity to Z\u00FCrich HB";  // 40 characters

void BM_RasterLabPaint(benchmark::State& state) {
  TRasterLab r(nullptr);
  r.SetDotSize(Integer(state.range(0)));
  r.SetText(kText);
  for (auto _ : state) r.Paint();
  state.SetLabel("dot size " + std::to_string(state.range(0)));
}
BENCHMARK(BM_RasterLabPaint)->Arg(1)->Arg(3)->Unit(benchmark::kMicrosecond);

// Scrolling: most of a long text lies outside the display and only advances.
void BM_RasterLabPaintLongScrolling(benchmark::State& state) {
  TRasterLab r(nullptr);
  String text;
  for (int i = 0; i < 50; ++i) text += kText;
  r.SetText(text);
  r.SetScrollMode(rdsmLeft);
  for (auto _ : state) r.Paint();
}
BENCHMARK(BM_RasterLabPaintLongScrolling)->Unit(benchmark::kMicrosecond);

void BM_BitmapFillAndCopy(benchmark::State& state) {
  TRasterLab r(nullptr);
  for (auto _ : state) {
    TBitmap bmp(r.Width(), r.Height());
    bmp.Canvas()->Brush()->SetColor(clBlack);
    bmp.Canvas()->Rectangle(0, 0, r.Width(), r.Height());
    r.Canvas()->Draw(0, 0, &bmp);
  }
}
BENCHMARK(BM_BitmapFillAndCopy)->Unit(benchmark::kMicrosecond);

void BM_SampleFont(benchmark::State& state) {
  TFont f;
  f.SetName(u"DejaVu Sans");
  f.SetSize(10);
  for (auto _ : state) benchmark::DoNotOptimize(CreateBitFont(&f));
}
BENCHMARK(BM_SampleFont)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
