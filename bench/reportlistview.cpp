// The report list view at 1,000, 100,000 and 1,000,000 rows: painting the visible page of an
// 800 x 600 view, scrolling by a page, a header-click sort, fitting every column and filtering.
// Paint and scroll should cost the same at every size: only visible rows are visited.
#include <benchmark/benchmark.h>

#include <memory>

#include "package/framework/controls/input.h"
#include "replist/replist.h"

namespace {

using namespace jox;

const char16_t* const kNames[] = {u"Anna", u"Bruno", u"Clara", u"David", u"Elena", u"Felix", u"Greta", u"Hugo"};

// A view of 800 x 600 with Rows x Cols cells of names, numbers and cities (built outside the timing).
std::unique_ptr<TReportListView> MakeView(Integer Rows, Integer Cols) {
  auto v = std::make_unique<TReportListView>(nullptr);
  v->SetBounds(0, 0, 800, 600);
  v->HandleNeeded();
  v->SetSuppressPaint(true);
  v->SetNrCols(Cols);
  v->SetNrRows(Rows);
  TStringArray* s = v->Data()->Strings;
  const TNotifyEvent quiet = s->OnChange();
  s->SetOnChange(nullptr);
  for (Integer r = 1; r <= Rows; ++r) {
    const uint32_t h = uint32_t(r) * 2654435761u;
    for (Integer c = 1; c <= Cols; ++c) {
      switch (c % 3) {
        case 1: s->SetString(c, r, String(kNames[(h >> (c % 8)) % 8]) + u" " + IntToStr(h % 9973)); break;
        case 2: s->SetString(c, r, IntToStr(Int64(h % 100000))); break;
        default: s->SetString(c, r, c % 2 ? u"Vienna" : u"Graz"); break;
      }
    }
  }
  s->SetOnChange(quiet);
  v->SetSuppressPaint(false);
  return v;
}

void Sizes(benchmark::internal::Benchmark* b) {
  b->Args({1000, 10})->Args({100000, 10})->Args({1000, 5})->Args({1000000, 5});
}

void BM_ReportListPaintPage(benchmark::State& state) {
  auto v = MakeView(Integer(state.range(0)), Integer(state.range(1)));
  v->SetTopRow(Integer(state.range(0)) / 2);
  for (auto _ : state) v->Paint();
}
BENCHMARK(BM_ReportListPaintPage)->Apply(Sizes)->Unit(benchmark::kMicrosecond);

// A new view at its default size with its default rows, as a form first shows it.
void BM_ReportListPaintDefault(benchmark::State& state) {
  TReportListView v(nullptr);
  v.HandleNeeded();
  for (Integer r = 1; r <= v.NrOfRows(); ++r) v.SetElem(1, r, u"Item " + IntToStr(r));
  for (auto _ : state) v.Paint();
}
BENCHMARK(BM_ReportListPaintDefault)->Unit(benchmark::kMicrosecond);

void BM_ReportListScrollPage(benchmark::State& state) {
  auto v = MakeView(Integer(state.range(0)), Integer(state.range(1)));
  const Integer page = v->VisibleRowCount();
  Integer top = 1;
  for (auto _ : state) {
    top = top + page > v->NrOfRows() - page ? 1 : top + page;
    v->SetTopRow(top);
    v->Paint();
  }
}
BENCHMARK(BM_ReportListScrollPage)->Apply(Sizes)->Unit(benchmark::kMicrosecond);

void BM_ReportListHeaderSort(benchmark::State& state) {
  auto v = MakeView(Integer(state.range(0)), Integer(state.range(1)));
  const TRect h = v->CellRect(0, 0);
  for (auto _ : state) {
    input::Click(v.get(), (h.Left + h.Right) / 2, (h.Top + h.Bottom) / 2);
    input::Reset();
  }
}
BENCHMARK(BM_ReportListHeaderSort)->Apply(Sizes)->Unit(benchmark::kMillisecond)->Iterations(4);

void BM_ReportListFitAllColumns(benchmark::State& state) {
  auto v = MakeView(Integer(state.range(0)), Integer(state.range(1)));
  for (auto _ : state) v->FitAllColWidths(v->NrOfColumns(), true, 4, 400, 2);
}
BENCHMARK(BM_ReportListFitAllColumns)->Apply(Sizes)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReportListFilterSimple(benchmark::State& state) {
  auto v = MakeView(Integer(state.range(0)), Integer(state.range(1)));
  for (auto _ : state) v->FilterAndSort(u"anna", {}, true, fmSimple, 2, true);
  state.counters["shown"] = v->NrOfShownRows();
}
BENCHMARK(BM_ReportListFilterSimple)->Apply(Sizes)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReportListFilterBoolean(benchmark::State& state) {
  auto v = MakeView(Integer(state.range(0)), Integer(state.range(1)));
  for (auto _ : state) v->FilterAndSort(u"(anna OR clara) AND NOT graz >50000", {}, true, fmBoolean, -1, true);
  state.counters["shown"] = v->NrOfShownRows();
}
BENCHMARK(BM_ReportListFilterBoolean)->Apply(Sizes)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
