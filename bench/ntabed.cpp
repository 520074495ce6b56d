// The numeric table editor: painting the visible page of a 1,000 x 1,000 table in an 800 x 600
// editor and the default editor as a form first shows it (only visible cells are visited, so the
// table's size must not matter), and copying and pasting a block of 100,000 cells.
#include <benchmark/benchmark.h>

#include <memory>

#include "ntabed/ntabed.h"

namespace {

using namespace jox;

// An 800 x 600 editor over an N x N table of measurements with marks here and there.
std::unique_ptr<TNTabEd> MakeEditor(Integer N) {
  auto t = std::make_unique<TNTabEd>(nullptr);
  t->SetBounds(0, 0, 800, 600);
  t->HandleNeeded();
  t->SetSuppressPaint(true);
  t->Redimension(N, N);
  TDataTable* d = t->Data;
  for (Integer c = 1; c <= N; ++c) {
    t->SetPrecision(c, int8_t(c % 5));
    for (Integer r = 1; r <= N; ++r) {
      const uint32_t h = uint32_t(c * 7919 + r) * 2654435761u;
      d->SetElem(c, r, double(h % 1000000) / 100.0 - 5000);
      if (h % 97 == 0) d->SetCellState(c, r, ntsMarkA);
      else if (h % 89 == 0) d->SetCellState(c, r, ntsEmpty);
    }
  }
  t->SetSuppressPaint(false);
  return t;
}

void BM_NTabEdPaintPage(benchmark::State& state) {
  auto t = MakeEditor(Integer(state.range(0)));
  t->SetTopRow(Integer(state.range(0)) / 2);
  t->SetLeftCol(Integer(state.range(0)) / 2);
  t->SetSelection({500, 500, 504, 510});
  for (auto _ : state) t->Paint();
}
BENCHMARK(BM_NTabEdPaintPage)->Arg(10)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_NTabEdPaintDefault(benchmark::State& state) {
  TNTabEd t(nullptr);
  t.HandleNeeded();
  for (Integer r = 1; r <= t.NrOfRows(); ++r) t.SetElem(1, r, r * 1.25);
  for (auto _ : state) t.Paint();
}
BENCHMARK(BM_NTabEdPaintDefault)->Unit(benchmark::kMicrosecond);

// 100 columns by 1,000 rows: the copy buffer, the clipboard text, and the paste back.
void BM_NTabEdCopy100k(benchmark::State& state) {
  auto t = MakeEditor(1000);
  t->SetSelection({2, 1, 101, 1000});
  t->SetClipboardUseFullPrec(state.range(0) != 0);
  for (auto _ : state) t->Copy();
  state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_NTabEdCopy100k)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_NTabEdPaste100k(benchmark::State& state) {
  auto t = MakeEditor(1000);
  t->SetSelection({2, 1, 101, 1000});
  t->Copy();
  t->SetSelection({301, 1, 301, 1});
  for (auto _ : state) t->Paste();
  state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_NTabEdPaste100k)->Unit(benchmark::kMillisecond);

// The clipboard text of 100,000 cells read back into the table.
void BM_NTabEdExtract100k(benchmark::State& state) {
  auto t = MakeEditor(1000);
  t->SetSelection({2, 1, 101, 1000});
  const String text = t->ClipText(1, 1, 100, 1000);
  for (auto _ : state) t->ExtractFromText(text);
  state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_NTabEdExtract100k)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
