// One Paint of the default 297 x 209 meter, against its floor: making an off-screen bitmap of the
// same size, filling it and copying it to the control, which every Paint does anyway.
#include <benchmark/benchmark.h>

#include "meter/meter.h"

namespace {

using namespace jox;

void BM_MeterPaintDefault(benchmark::State& state) {
  TMeter m(nullptr);
  m.SetValue(0.4);
  for (auto _ : state) m.Paint();
}
BENCHMARK(BM_MeterPaintDefault)->Unit(benchmark::kMicrosecond);

// Everything on: bands, shadow, thick needle, second needle, caption, 21 intervals with minor ticks.
void BM_MeterPaintFull(benchmark::State& state) {
  TMeter m(nullptr);
  m.SetBounds(0, 0, 297, 209);
  m.SetMeterLayout(TMeterLayout(state.range(0)));
  m.SetScaleBkVisible(true);
  m.SetScaleBkWidth(15);
  m.SetThresholdLow(0.2);
  m.SetThresholdHigh(0.8);
  m.SetMeterNrTicks(21);
  m.SetCaption(u"Volt");
  m.NeedleLayout()->SetThickness(4);
  m.NeedleLayout()->SetShadowDx(3);
  m.NeedleLayoutSec()->SetVisible(true);
  m.SetValueSec(0.9);
  m.SetValue(0.5);
  for (auto _ : state) m.Paint();
}
BENCHMARK(BM_MeterPaintFull)->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);

// Peer: the bitmap, background and copy of one Paint, nothing drawn on the dial.
void BM_BitmapFillAndCopy(benchmark::State& state) {
  TMeter m(nullptr);
  for (auto _ : state) {
    TBitmap bmp(m.Width(), m.Height());
    bmp.Canvas()->Brush()->SetColor(clWhite);
    bmp.Canvas()->Rectangle(0, 0, m.Width(), m.Height());
    m.Canvas()->Draw(0, 0, &bmp);
  }
}
BENCHMARK(BM_BitmapFillAndCopy)->Unit(benchmark::kMicrosecond);

void BM_MeterTicksLog(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(CalcMeterTicks(1e-3, 1e6, 3, true, true));
}
BENCHMARK(BM_MeterTicksLog);

}  // namespace

BENCHMARK_MAIN();
