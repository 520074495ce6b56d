// 100,000 rows x 10 columns: sort, report-list file out and in, CSV out and in, clipboard.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>

#include "package/framework/controls/clipbrd.h"
#include "bench/rldata_table.h"
#include "replist/replist.h"

using namespace jox;

namespace {

constexpr Integer kRows = 100000, kCols = 10;

std::unique_ptr<TRLData> MakeTable() {
  auto d = std::make_unique<TRLData>(nullptr);
  FillBenchTable(*d, kRows, kCols);
  return d;
}

TRLData& Table() {
  static auto t = MakeTable();
  return *t;
}

String Tmp(const char* n) { return FromUtf8((std::filesystem::temp_directory_path() / n).string()); }

void BM_Sort(benchmark::State& st) {
  Table();  // built outside the timing
  for (auto _ : st) {
    Table().Sort(3, 4, true);
    st.PauseTiming();
    Table().UnSort();
    st.ResumeTiming();
  }
}
BENCHMARK(BM_Sort)->Unit(benchmark::kMillisecond);

void BM_StdStableSortPeer(benchmark::State& st) {
  std::vector<String> col;
  for (Integer r = 1; r <= kRows; ++r) col.push_back(Table().Elem(3, r));
  for (auto _ : st) {
    st.PauseTiming();
    auto v = col;
    st.ResumeTiming();
    std::stable_sort(v.begin(), v.end());
  }
}
BENCHMARK(BM_StdStableSortPeer)->Unit(benchmark::kMillisecond);

void BM_SaveXml(benchmark::State& st) {
  for (auto _ : st) Table().SaveAsXMLFile(Tmp("jox_bench.xml"), u"bench");
}
BENCHMARK(BM_SaveXml)->Unit(benchmark::kMillisecond);

void BM_LoadXml(benchmark::State& st) {
  const String name = Tmp("jox_bench.xml");
  Table().SaveAsXMLFile(name, u"bench");
  const auto bytes = std::filesystem::file_size(ToUtf8(name));
  TRLData d(nullptr);
  for (auto _ : st) benchmark::DoNotOptimize(d.LoadFromXMLFile(name, u"bench"));
  st.SetBytesProcessed(Int64(st.iterations()) * Int64(bytes));
}
BENCHMARK(BM_LoadXml)->Unit(benchmark::kMillisecond);

void BM_ExportCSV(benchmark::State& st) {
  for (auto _ : st) Table().ExportCSV(Tmp("jox_bench.csv"), csvComma, true, false, 1, 1, kCols, kRows);
}
BENCHMARK(BM_ExportCSV)->Unit(benchmark::kMillisecond);

void BM_ImportCSV(benchmark::State& st) {
  const String name = Tmp("jox_bench.csv");
  Table().ExportCSV(name, csvComma, true, false, 1, 1, kCols, kRows);
  const auto bytes = std::filesystem::file_size(ToUtf8(name));
  TRLData d(nullptr);
  for (auto _ : st) benchmark::DoNotOptimize(d.ImportCSV(name, csvComma, true));
  st.SetBytesProcessed(Int64(st.iterations()) * Int64(bytes));
}
BENCHMARK(BM_ImportCSV)->Unit(benchmark::kMillisecond);

void BM_CopyToClipboard(benchmark::State& st) {
  for (auto _ : st) Table().CopyToClipBoard(1, 1, kCols, kRows, true, true);
}
BENCHMARK(BM_CopyToClipboard)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
