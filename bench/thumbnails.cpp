// One Paint of a page of 12 slides whose pictures the application keeps, against its floor (the
// off-screen bitmap filled and copied, which every Paint does anyway); and scrolling through 10,000
// slides a quarter row at a time, counting the requests per paint.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "thumbnails/thumbnails.h"

namespace {

using namespace jox;

constexpr Integer kW = 426, kH = 440;  // 3 columns, 4 rows of the default slides

std::vector<std::unique_ptr<TBitmap>> Pictures() {
  std::vector<std::unique_ptr<TBitmap>> pics;
  for (Integer i = 0; i < 12; ++i) {
    auto b = std::make_unique<TBitmap>(i % 3 ? 160 : 90, i % 3 ? 120 : 140);
    b->Canvas()->Brush()->SetColor(RGB(Byte(20 * i), 120, 200));
    b->Canvas()->Ellipse(0, 0, b->Width(), b->Height());
    pics.push_back(std::move(b));
  }
  return pics;
}

void PageOfTwelve(benchmark::State& state, bool antiAlias) {
  auto pics = Pictures();
  TThumbnails t(nullptr);
  t.SetBounds(0, 0, kW, kH);
  t.SetAntiAlias(antiAlias);
  int requests = 0;
  t.SetOnImageRequest([&](TObject*, Integer id, TImageRequestProcessing& how, Integer&, TBitmap*& buf) {
    how = irpShowSlide;
    buf = pics[size_t(id - 1) % pics.size()].get();
    ++requests;
  });
  t.Paint();
  requests = 0;
  for (auto _ : state) t.Paint();
  state.counters["requests/paint"] = double(requests) / double(state.iterations());
}
void BM_ThumbnailsPaint12(benchmark::State& state) { PageOfTwelve(state, false); }
BENCHMARK(BM_ThumbnailsPaint12)->Unit(benchmark::kMicrosecond);
void BM_ThumbnailsPaint12AntiAlias(benchmark::State& state) { PageOfTwelve(state, true); }
BENCHMARK(BM_ThumbnailsPaint12AntiAlias)->Unit(benchmark::kMicrosecond);

void BM_ThumbnailsPaintEmptyPages(benchmark::State& state) {
  TThumbnails t(nullptr);
  t.SetBounds(0, 0, kW, kH);
  for (auto _ : state) t.Paint();
}
BENCHMARK(BM_ThumbnailsPaintEmptyPages)->Unit(benchmark::kMicrosecond);

// Peer: the bitmap, background and copy of one Paint.
void BM_BitmapFillAndCopy(benchmark::State& state) {
  TThumbnails t(nullptr);
  t.SetBounds(0, 0, kW, kH);
  for (auto _ : state) {
    TBitmap bmp(kW, kH);
    bmp.Canvas()->Brush()->SetColor(clBtnFace);
    bmp.Canvas()->Rectangle(0, 0, kW, kH);
    t.Canvas()->Draw(0, 0, &bmp);
  }
}
BENCHMARK(BM_BitmapFillAndCopy)->Unit(benchmark::kMicrosecond);

// Each scroll step repaints; a slide is asked for once per paint that shows it.
void BM_ThumbnailsScroll10000(benchmark::State& state) {
  auto pics = Pictures();
  TThumbnails t(nullptr);
  t.SetBounds(0, 0, kW, kH);
  t.SetMax(10000);
  t.Paint();
  long requests = 0, paints = 0;
  t.SetOnFirstImageRequest([&](TObject*) { ++paints; });
  t.SetOnImageRequest([&](TObject*, Integer id, TImageRequestProcessing& how, Integer&, TBitmap*& buf) {
    how = irpShowSlide;
    buf = pics[size_t(id - 1) % pics.size()].get();
    ++requests;
  });
  for (auto _ : state) {
    t.ScrollRows(0.25);
    if (t.FirstThumbIdx() >= 10000 - 12) t.SetFirstThumbIdx(1);
  }
  state.counters["requests/paint"] = double(requests) / double(paints ? paints : 1);
}
BENCHMARK(BM_ThumbnailsScroll10000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
