// One Paint of the default 200 x 200 TRotLab at 0 and at 45 degrees, against its floor: the background
// fill and frame alone, with an empty caption.
#include <benchmark/benchmark.h>

#include "package/framework/controls/forms.h"
#include "rotlab/rotlab.h"

namespace {

using namespace jox;

struct Label {
  TForm form{nullptr};
  TRotLab* r;
  explicit Label(Integer angle, const char16_t* caption = u"Rotated label") {
    r = new TRotLab(&form);
    r->SetParent(&form);
    r->SetTransparent(false);
    r->SetTextAngle(angle);
    r->SetCaption(caption);
  }
};

void BM_RotLabPaint0(benchmark::State& state) {
  Label l(0);
  for (auto _ : state) l.r->Paint();
}
BENCHMARK(BM_RotLabPaint0)->Unit(benchmark::kMicrosecond);

void BM_RotLabPaint45(benchmark::State& state) {
  Label l(45);
  for (auto _ : state) l.r->Paint();
}
BENCHMARK(BM_RotLabPaint45)->Unit(benchmark::kMicrosecond);

void BM_RotLabFloorNoText(benchmark::State& state) {
  Label l(0, u"");
  for (auto _ : state) l.r->Paint();
}
BENCHMARK(BM_RotLabFloorNoText)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
