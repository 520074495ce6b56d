// The row editor: building, painting once and tearing down the dialog for five and twenty columns,
// and reading a date text by its format against the C++ library's std::get_time as the peer.
#include <benchmark/benchmark.h>

#include <iomanip>
#include <sstream>

#include "package/framework/controls/forms.h"
#include "replist/replist.h"

namespace {

using namespace jox;

const char16_t* const kFormats[] = {u"[#i][60]rix3", u"[s][180]", u"[l:4]red|green|blue|black", u"[ddd.MM.yyyy]",
                                    u"[f][90]"};

void BM_RowEditorOpenAndClose(benchmark::State& state) {
  TReportListView v(nullptr);
  v.HandleNeeded();
  const Integer cols = Integer(state.range(0));
  v.SetNrCols(cols);
  v.SetNrRows(3);
  for (Integer c = 1; c <= cols; ++c) {
    v.SetHeader(c, u"Column " + IntToStr(c));
    v.SetColumnFormat(c, kFormats[(c - 1) % 5]);
    v.SetElem(c, 2, c % 5 == 4 ? String(u"07.03.2024") : String(u"1.5"));
  }
  TCustomForm::SetModalHook([](TCustomForm* f) {
    f->Repaint();
    f->SetModalResult(mrCancel);
  });
  for (auto _ : state) benchmark::DoNotOptimize(v.EditRowEntries(2, 0, 0));
  TCustomForm::SetModalHook(nullptr);
}
BENCHMARK(BM_RowEditorOpenAndClose)->Arg(5)->Arg(20)->Unit(benchmark::kMicrosecond);

void BM_DecodeDateTimeText(benchmark::State& state) {
  const String text = u"07.03.2024 14:30:05", format = u"dd.MM.yyyy HH:mm:ss";
  Integer err = 0;
  for (auto _ : state) benchmark::DoNotOptimize(DecodeDateTimeText(text, format, err));
}
BENCHMARK(BM_DecodeDateTimeText);

void BM_PeerStdGetTime(benchmark::State& state) {
  for (auto _ : state) {
    std::istringstream in("07.03.2024 14:30:05");
    std::tm tm{};
    in >> std::get_time(&tm, "%d.%m.%Y %H:%M:%S");
    benchmark::DoNotOptimize(tm);
  }
}
BENCHMARK(BM_PeerStdGetTime);

}  // namespace

BENCHMARK_MAIN();
