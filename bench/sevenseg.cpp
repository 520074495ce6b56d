// One Paint of the default 216 x 76 TSevenSeg with its glyph cache warm, against its floor (the
// off-screen bitmap filled and copied to the control), and one rebuild of the glyph cache.
#include <benchmark/benchmark.h>

#include "package/framework/controls/forms.h"
#include "sevenseg/sevenseg.h"

namespace {

using namespace jox;

struct Display {
  TForm form{nullptr};
  TSevenSeg* s;
  Display() {
    s = new TSevenSeg(&form);
    s->SetParent(&form);
  }
};

void BM_SevenSegPaintDefault(benchmark::State& state) {
  Display d;
  for (auto _ : state) d.s->Paint();
}
BENCHMARK(BM_SevenSegPaintDefault)->Unit(benchmark::kMicrosecond);

void BM_SevenSegBitmapFloor(benchmark::State& state) {
  Display d;
  for (auto _ : state) {
    TBitmap bmp(216, 76);
    bmp.Canvas()->Brush()->SetColor(0x333333);
    bmp.Canvas()->Rectangle(0, 0, 216, 76);
    d.s->Canvas()->Draw(0, 0, &bmp);
  }
}
BENCHMARK(BM_SevenSegBitmapFloor)->Unit(benchmark::kMicrosecond);

// What a change of size or colour costs: 21 glyphs composed and shrunk.
void BM_SevenSegCacheBuild(benchmark::State& state) {
  Display d;
  for (auto _ : state) d.s->CreateImageCache();
}
BENCHMARK(BM_SevenSegCacheBuild)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
