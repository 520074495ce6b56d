// The edit-based numeric field: one per input format with its range, and one whose value lies
// outside its range, coloured as an application would warn with it.
#include "gallery/gallery.h"
#include "numio/numio.h"
#include "package/framework/controls/controls.h"
#include "package/framework/controls/forms.h"

namespace {

using namespace jox;

constexpr Integer kRowH = 30, kTop = 12, kFieldX = 96, kRangeX = 226;

struct Row {
  const char16_t* name;
  TInFormat format;
  double low, high;
  const char16_t* range;
  double value;
  const char16_t* text;  // typed text instead of a value, when set
};

const Row kRows[] = {
    {u"itExp", itExp, -1e6, 1e6, u"-1E6 .. 1E6", 1234.5, nullptr},
    {u"itFloat", itFloat, -100, 100, u"-100 .. 100", 0.1, nullptr},
    {u"itFixPoint", itFixPoint, 0, 1000, u"0 .. 1000, 2 decimals", 3.14159, nullptr},
    {u"itInt", itInt, -500, 500, u"-500 .. 500", -42, nullptr},
    {u"itHex", itHex, 0, 65535, u"0 .. $FFFF", 48879, nullptr},
    {u"itOct", itOct, 0, 511, u"0 .. &777", 8, nullptr},
    {u"itBin", itBin, 0, 255, u"0 .. %11111111", 5, nullptr},
    {u"itDynamic", itDynamic, -1e4, 1e4, u"-1E4 .. 1E4", 0, u"$1F"},
    {u"out of range", itInt, 0, 100, u"0 .. 100: 250 is outside", 250, nullptr},
};
constexpr Integer kRowCount = Integer(sizeof kRows / sizeof kRows[0]);

// Format names to the left of the fields, ranges to the right.
class TCaptions : public TGraphicControl {
 public:
  explicit TCaptions(TComponent* AOwner) : TGraphicControl(AOwner) {}
  void Paint() override {
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsClear);
    // Laid out for 96 dpi, as the fields beside them: the form's scale applies to both.
    for (Integer i = 0; i < kRowCount; ++i) {
      const Integer y = ScaledMetric(this, kTop + i * kRowH + 4);
      c->Font()->SetColor(i == kRowCount - 1 ? clMaroon : clBlack);
      c->TextOut(ScaledMetric(this, 8), y, kRows[i].name);
      c->Font()->SetColor(clGray);
      c->TextOut(ScaledMetric(this, kRangeX), y, kRows[i].range);
    }
  }
};

void BuildNumIOPage(TForm* form) {
  form->SetClientWidth(400);
  form->SetClientHeight(kTop * 2 + kRowCount * kRowH - 8);
  auto* captions = new TCaptions(form);
  captions->SetParent(form);
  captions->SetBounds(0, 0, form->ClientWidth(), form->ClientHeight());
  TNumIO* focused = nullptr;
  for (Integer i = 0; i < kRowCount; ++i) {
    const Row& r = kRows[i];
    auto* n = new TNumIO(form);
    n->SetParent(form);
    n->SetBounds(kFieldX, kTop + i * kRowH, 121, 21);
    n->SetInputFormat(r.format);
    n->SetRangeHigh(r.high);
    n->SetRangeLow(r.low);
    n->SetRangeHigh(r.high);
    if (r.text) {
      n->SetText(r.text);
      focused = n;
    } else {
      n->SetLabValue(r.value);
    }
    // The field keeps the value the program wrote; the application marks it.
    if (r.value < r.low || r.value > r.high) n->SetColor(RGB(255, 224, 224));
  }
  if (focused) {
    focused->SetFocus();
    focused->SetSelStart(1);
    focused->SetSelLength(2);
  }
}

}  // namespace

JOX_GALLERY_PAGE("numio", BuildNumIOPage);
