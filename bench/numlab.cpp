// One Paint of the default 160 x 28 TNumLab, against its floor: an off-screen bitmap of the same size,
// filled and copied to the control, which every Paint does anyway.
#include <benchmark/benchmark.h>

#include "numlab/numlab.h"
#include "package/framework/controls/forms.h"

namespace {

using namespace jox;

struct Label {
  TForm form{nullptr};
  TNumLab* n;
  Label() {
    n = new TNumLab(&form);
    n->SetParent(&form);
    n->SetLeftText(u"U");
    n->SetRightText(u"V");
    n->SetLabValue(12.345);
  }
};

void BM_NumLabPaintDefault(benchmark::State& state) {
  Label l;
  for (auto _ : state) l.n->Paint();
}
BENCHMARK(BM_NumLabPaintDefault)->Unit(benchmark::kMicrosecond);

// Engraved labels and the AND-ed transfer of a transparent label.
void BM_NumLabPaintDisabledTransparent(benchmark::State& state) {
  Label l;
  l.n->SetEnabled(false);
  l.n->SetTransparent(true);
  for (auto _ : state) l.n->Paint();
}
BENCHMARK(BM_NumLabPaintDisabledTransparent)->Unit(benchmark::kMicrosecond);

// Peer: the bitmap, background and copy of one Paint, nothing drawn in between.
void BM_NumLabBitmapFloor(benchmark::State& state) {
  Label l;
  for (auto _ : state) {
    TBitmap bmp(160, 28);
    bmp.Canvas()->Brush()->SetColor(clBtnFace);
    bmp.Canvas()->Rectangle(0, 0, 160, 28);
    l.n->Canvas()->Draw(0, 0, &bmp);
  }
}
BENCHMARK(BM_NumLabBitmapFloor)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
