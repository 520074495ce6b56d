// The canvas against the raw memory operations it stands on, in the same run: filling and copying
// a 1000 x 1000 surface, a HALFTONE shrink, and cached text output.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "package/framework/graphics/graphics.h"

namespace {

using namespace jox;

constexpr int kSide = 1000;

void BM_FillRect1000(benchmark::State& state) {
  TBitmap b(kSide, kSide);
  TCanvas* c = b.Canvas();
  c->Brush()->SetColor(clRed);
  for (auto _ : state) {
    c->FillRect(Rect(0, 0, kSide, kSide));
    benchmark::DoNotOptimize(b.Bits());
  }
}
BENCHMARK(BM_FillRect1000)->Unit(benchmark::kMicrosecond);

void BM_Memset1000(benchmark::State& state) {
  std::vector<uint32_t> px(size_t(kSide) * kSide);
  for (auto _ : state) {
    std::memset(px.data(), 0x7F, px.size() * sizeof(uint32_t));
    benchmark::DoNotOptimize(px.data());
  }
}
BENCHMARK(BM_Memset1000)->Unit(benchmark::kMicrosecond);

void BM_CopyRectSrcCopy1000(benchmark::State& state) {
  TBitmap src(kSide, kSide), dst(kSide, kSide);
  src.Canvas()->Brush()->SetColor(clBlue);
  src.Canvas()->FillRect(Rect(0, 0, kSide, kSide));
  dst.Canvas()->SetCopyMode(cmSrcCopy);
  for (auto _ : state) {
    dst.Canvas()->CopyRect(Rect(0, 0, kSide, kSide), src.Canvas(), Rect(0, 0, kSide, kSide));
    benchmark::DoNotOptimize(dst.Bits());
  }
}
BENCHMARK(BM_CopyRectSrcCopy1000)->Unit(benchmark::kMicrosecond);

void BM_Memcpy1000(benchmark::State& state) {
  std::vector<uint32_t> a(size_t(kSide) * kSide, 1), b(size_t(kSide) * kSide);
  for (auto _ : state) {
    std::memcpy(b.data(), a.data(), a.size() * sizeof(uint32_t));
    benchmark::DoNotOptimize(b.data());
  }
}
BENCHMARK(BM_Memcpy1000)->Unit(benchmark::kMicrosecond);

void BM_HalftoneShrink(benchmark::State& state) {
  TBitmap src(312, 432), dst(50, 70);
  for (int y = 0; y < 432; ++y)
    for (int x = 0; x < 312; ++x) src.ScanLine(y)[x] = uint32_t((x * 7) ^ (y * 13)) & 0xFFFFFF;
  dst.Canvas()->SetStretchBltMode(HALFTONE);
  for (auto _ : state) {
    dst.Canvas()->CopyRect(Rect(0, 0, 50, 70), src.Canvas(), Rect(0, 0, 312, 432));
    benchmark::DoNotOptimize(dst.Bits());
  }
}
BENCHMARK(BM_HalftoneShrink)->Unit(benchmark::kMicrosecond);

// 1,000 TextOut calls of a 20-character text once its glyphs are cached.
void BM_TextOut1000(benchmark::State& state) {
  TBitmap b(400, 300);
  TCanvas* c = b.Canvas();
  c->Brush()->SetStyle(bsClear);
  const String text = u"Voltage 12.50 V (ok)";
  c->TextOut(0, 0, text);
  for (auto _ : state) {
    for (int i = 0; i < 1000; ++i) c->TextOut(i % 200, (i * 7) % 280, text);
    benchmark::DoNotOptimize(b.Bits());
  }
}
BENCHMARK(BM_TextOut1000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
