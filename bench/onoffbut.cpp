// One Paint of an on/off button at its default size: plain, with four texts, and transparent (mask
// and two copies), against its floor (the off-screen bitmap filled and copied).
#include <benchmark/benchmark.h>

#include "onoffbut/onoffbut.h"

namespace {

using namespace jox;

void BM_OnOffPaintDefault(benchmark::State& state) {
  TOnOffBut b(nullptr);
  for (auto _ : state) b.Paint();
}
BENCHMARK(BM_OnOffPaintDefault)->Unit(benchmark::kMicrosecond);

void BM_OnOffPaintTexts(benchmark::State& state) {
  TOnOffBut b(nullptr);
  b.SetBounds(0, 0, 160, 80);
  b.SetLeftText(u"Off");
  b.SetRightText(u"On");
  b.SetTopText(u"Power");
  b.SetBottomText(u"Mains");
  b.SetEnabled(state.range(0) != 0);
  for (auto _ : state) b.Paint();
}
BENCHMARK(BM_OnOffPaintTexts)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

void BM_OnOffPaintTransparent(benchmark::State& state) {
  TOnOffBut b(nullptr);
  b.SetButtonStyle(oobsBulb);
  b.SetTransparent(true);
  for (auto _ : state) b.Paint();
}
BENCHMARK(BM_OnOffPaintTransparent)->Unit(benchmark::kMicrosecond);

// Peer: the bitmap, background and copy of one Paint.
void BM_BitmapFillAndCopy(benchmark::State& state) {
  TOnOffBut b(nullptr);
  for (auto _ : state) {
    TBitmap bmp(b.Width(), b.Height());
    bmp.Canvas()->Brush()->SetColor(clBtnFace);
    bmp.Canvas()->Rectangle(0, 0, b.Width(), b.Height());
    b.Canvas()->Draw(0, 0, &bmp);
  }
}
BENCHMARK(BM_BitmapFillAndCopy)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
