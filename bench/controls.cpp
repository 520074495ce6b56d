// One paint of each standard control at its default size, against a plain fill of the same area
// (the floor every paint pays), and the combo box's list with eight rows.
#include <benchmark/benchmark.h>

#include "package/framework/controls/buttons.h"
#include "package/framework/controls/combobox.h"
#include "package/framework/controls/comctrls.h"
#include "package/framework/framework.h"
#include "package/framework/controls/labels.h"
#include "package/framework/controls/memo.h"
#include "package/framework/controls/scrolling.h"

namespace {

using namespace jox;

template <class T>
void PaintOnForm(benchmark::State& state, void (*setup)(T*)) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 200);
  auto* c = new T(&form);
  c->SetParent(&form);
  if (setup) setup(c);
  Application->ProcessMessages();
  for (auto _ : state) {
    c->Invalidate();
    c->Update();
  }
}

void BM_LabelPaint(benchmark::State& s) {
  PaintOnForm<TLabel>(s, [](TLabel* l) { l->SetCaption(u"A label at its default size"); });
}
void BM_SpeedButtonPaint(benchmark::State& s) {
  PaintOnForm<TSpeedButton>(s, [](TSpeedButton* b) { b->SetCaption(u"OK"); });
}
void BM_ButtonPaint(benchmark::State& s) {
  PaintOnForm<TButton>(s, [](TButton* b) { b->SetCaption(u"Cancel"); });
}
void BM_ComboBoxPaint(benchmark::State& s) {
  PaintOnForm<TComboBox>(s, [](TComboBox* c) {
    c->SetStyle(csDropDownList);
    c->Items()->Add(u"An item");
    c->SetItemIndex(0);
  });
}
void BM_DateTimePickerPaint(benchmark::State& s) { PaintOnForm<TDateTimePicker>(s, nullptr); }
void BM_MemoPaint(benchmark::State& s) {
  PaintOnForm<TMemo>(s, [](TMemo* m) {
    m->SetScrollBars(ssVertical);
    m->SetText(u"Five lines\r\nof text\r\nin a memo\r\nwith a scroll bar\r\nat its default size");
  });
}

void BM_ComboListPaint(benchmark::State& state) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 200);
  auto* c = new TComboBox(&form);
  c->SetParent(&form);
  c->SetStyle(csDropDownList);
  for (int i = 0; i < 30; ++i) c->Items()->Add(u"Item");
  c->SetDroppedDown(true);
  TControl* list = c->ListPopup();
  Application->ProcessMessages();
  for (auto _ : state) {
    list->Invalidate();
    list->Update();
  }
}

// Peer: filling a 145 x 21 area (a combo box's size) on the same surface.
void BM_FillComboArea(benchmark::State& state) {
  TBitmap b(300, 200);
  for (auto _ : state) {
    b.Canvas()->Brush()->SetColor(clWindow);
    b.Canvas()->FillRect(Rect(0, 0, 145, 21));
    benchmark::DoNotOptimize(b.ScanLine(0));
  }
}

BENCHMARK(BM_LabelPaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpeedButtonPaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ButtonPaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ComboBoxPaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DateTimePickerPaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MemoPaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ComboListPaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FillComboArea)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
