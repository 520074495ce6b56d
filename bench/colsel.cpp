// One Paint of the colour selector at its default size with the standard palette, and one owner-drawn
// entry; against the floor of a bitmap of the same size filled and copied.
#include <benchmark/benchmark.h>

#include "colsel/colsel.h"
#include "package/framework/framework.h"

namespace {

using namespace jox;

void BM_ColSelPaint(benchmark::State& state) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 200);
  auto* c = new TColSel(&form);
  c->SetParent(&form);
  c->LoadStandardPalette();
  c->SetSelColor(clOlive);
  for (auto _ : state) c->Repaint();
  state.counters["width"] = c->Width();
  state.counters["height"] = c->Height();
}
BENCHMARK(BM_ColSelPaint)->Unit(benchmark::kMicrosecond);

void BM_BitmapFillAndCopy(benchmark::State& state) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 200);
  auto* c = new TColSel(&form);
  c->SetParent(&form);
  for (auto _ : state) {
    TBitmap bmp(c->Width(), c->Height());
    bmp.Canvas()->Brush()->SetColor(clWindow);
    bmp.Canvas()->Rectangle(0, 0, c->Width(), c->Height());
    c->Canvas()->Draw(0, 0, &bmp);
  }
}
BENCHMARK(BM_BitmapFillAndCopy)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
