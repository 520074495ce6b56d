// One Paint of the default 160 x 28 TNumIO2, against its floor: an off-screen bitmap of the same size,
// filled and copied to the control, which every Paint does anyway.
#include <benchmark/benchmark.h>

#include "numio/numio2.h"
#include "package/framework/controls/forms.h"

namespace {

using namespace jox;

// A field on a form, so its window exists and it paints.
struct Field {
  TForm form{nullptr};
  TNumIO2* n;
  Field() {
    n = new TNumIO2(&form);
    n->SetParent(&form);
    n->SetNioValue(123.45);
  }
};

void BM_NumIO2PaintDefault(benchmark::State& state) {
  Field f;
  for (auto _ : state) f.n->Paint();
}
BENCHMARK(BM_NumIO2PaintDefault)->Unit(benchmark::kMicrosecond);

// Labels, buttons, freeze box and gauge all shown.
void BM_NumIO2PaintFull(benchmark::State& state) {
  Field f;
  f.n->SetBounds(0, 0, 240, 40);
  f.n->SetLeftText(u"Gain");
  f.n->SetRightText(u"dB");
  f.n->SetButVisible(true);
  f.n->SetFreezeBoxVisible(true);
  f.n->SetFreezeBoxLeft(12);
  f.n->SetGaugeVisible(true);
  f.n->SetHideSelection(false);
  f.n->SetSelBegin(1);
  f.n->SetSelEnd(3);
  for (auto _ : state) f.n->Paint();
}
BENCHMARK(BM_NumIO2PaintFull)->Unit(benchmark::kMicrosecond);

// Peer: the bitmap, background and copy of one Paint, nothing drawn in between.
void BM_NumIO2BitmapFloor(benchmark::State& state) {
  Field f;
  for (auto _ : state) {
    TBitmap bmp(160, 28);
    bmp.Canvas()->Brush()->SetColor(clBtnFace);
    bmp.Canvas()->Rectangle(0, 0, 160, 28);
    f.n->Canvas()->Draw(0, 0, &bmp);
  }
}
BENCHMARK(BM_NumIO2BitmapFloor)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
