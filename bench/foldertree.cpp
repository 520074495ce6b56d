// The folder tree in a folder of 10,000 subfolders: expanding it (listing, sorting, a look into each
// subfolder for its button, 10,000 nodes) and scrolling through it a page at a time with a repaint;
// against their floors: listing the folder alone, and a paint of an empty tree. Also one paint at the
// default size.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "foldertree/foldertree.h"
#include "package/framework/framework.h"

namespace {

using namespace jox;
namespace fs = std::filesystem;

constexpr int kFolders = 10000;

// Made once per run: big/ with 10,000 folders, every tenth holding one subfolder.
struct TBigFolder {
  fs::path Root;
  TBigFolder() {
    std::string tmpl = (fs::temp_directory_path() / "jox-bench-foldertree-XXXXXX").string();
    Root = mkdtemp(tmpl.data());
    for (int i = 0; i < kFolders; ++i) {
      const fs::path d = Root / "big" / ("folder " + std::to_string(i));
      fs::create_directories(i % 10 == 0 ? d / "inner" : d);
    }
  }
  ~TBigFolder() {
    std::error_code ec;
    fs::remove_all(Root, ec);
  }
  String Path() const { return FromUtf8(Root.string() + "/"); }
};

TBigFolder& Big() {
  static TBigFolder big;
  return big;
}

TTreeNode* BigNode(TFolderTree& t) {
  TTreeNode* n = t.Selected();
  for (Integer i = 0; i < n->Count(); ++i)
    if (n->Item(i)->Text() == u"big") return n->Item(i);
  return nullptr;
}

void BM_ExpandTenThousandFolders(benchmark::State& state) {
  TFolderTree t(nullptr);
  t.SetBounds(0, 0, 250, 400);
  for (auto _ : state) {
    state.PauseTiming();
    t.SelectPath(Big().Path());
    t.Selected()->Expand(false);
    TTreeNode* big = BigNode(t);
    state.ResumeTiming();
    big->Expand(false);
    t.Paint();
  }
  state.counters["rows"] = double(t.RowCount());

}
BENCHMARK(BM_ExpandTenThousandFolders)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ListTenThousandFolders(benchmark::State& state) {
  TFolderTree t(nullptr);
  for (auto _ : state) {
    TStringList l;
    t.GetSubDirs(Big().Path() + u"big", &l);
    benchmark::DoNotOptimize(l.Count());
  }
}
BENCHMARK(BM_ListTenThousandFolders)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ScrollThroughTenThousandFolders(benchmark::State& state) {
  TFolderTree t(nullptr);
  t.SetBounds(0, 0, 250, 400);
  t.SelectPath(Big().Path());
  t.Selected()->Expand(false);
  BigNode(t)->Expand(false);
  const Integer page = t.VisibleCount();
  Integer pos = 0;
  for (auto _ : state) {
    pos = pos + page > t.RowCount() ? 0 : pos + page;
    t.SetScrollPos(sbVertical, pos);
    t.Paint();
  }
}
BENCHMARK(BM_ScrollThroughTenThousandFolders)->Unit(benchmark::kMicrosecond);

// At its default 121 x 97 with the root's folders loaded and shown.
void BM_PaintDefaultSize(benchmark::State& state) {
  TFolderTree t(nullptr);
  t.SelectPath(u"/");
  t.Selected()->Expand(false);
  for (auto _ : state) t.Paint();
  state.counters["rows"] = double(t.RowCount());
}
BENCHMARK(BM_PaintDefaultSize)->Unit(benchmark::kMicrosecond);

void BM_PaintEmptyTree(benchmark::State& state) {
  TFolderTree t(nullptr);
  t.SetBounds(0, 0, 250, 400);
  t.Items()->Clear();
  for (auto _ : state) t.Paint();
}
BENCHMARK(BM_PaintEmptyTree)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
