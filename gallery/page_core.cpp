// The base package's drawing tools: all marker symbols, numbered, and every frame style, labelled.
#include "gallery/gallery.h"
#include "package/core/core.h"
#include "package/framework/controls/controls.h"
#include "package/framework/controls/forms.h"

namespace {

using namespace jox;

constexpr Integer kCols = 13, kCellW = 46, kCellH = 44;

// Draws the markers in a grid of numbered cells.
class TMarkerSheet : public TGraphicControl {
 public:
  explicit TMarkerSheet(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetBounds(0, 0, kCols * kCellW + 1, (kNumMarkers + kCols - 1) / kCols * kCellH + 1);
  }
  void Paint() override {
    TCanvas* c = Canvas();
    c->Pen()->SetColor(clWhite);
    c->Brush()->SetColor(clWhite);
    c->Rectangle(0, 0, Width(), Height());
    c->Font()->SetColor(clGray);
    // Cells at the page's scale; the markers keep their own sizes.
    const Integer cw = ScaledMetric(this, kCellW), ch = ScaledMetric(this, kCellH);
    for (Integer m = 0; m < kNumMarkers; ++m) {
      const Integer x = (m % kCols) * cw, y = (m / kCols) * ch;
      c->Pen()->SetColor(clSilver);
      DrawRectangle(c, x, y, x + cw, y + ch);
      const String label = IntToStr(m);
      c->Brush()->SetStyle(bsClear);
      c->TextOut(x + ScaledMetric(this, 3), y + ScaledMetric(this, 2), label);
      c->Pen()->SetColor(clNavy);
      c->Brush()->SetColor(clWhite);
      DrawMarkOnCanvas(c, Byte(m), x + cw / 2, y + ch / 2 + ScaledMetric(this, 5));
    }
  }
};

// One box per frame style on the button face, each with its name.
class TFrameSheet : public TGraphicControl {
 public:
  explicit TFrameSheet(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 6 * 100, 64); }
  void Paint() override {
    static const char16_t* const kNames[] = {u"0 none",   u"1 simple",   u"2 lowered",
                                             u"3 raised", u"4 embossed", u"5 engraved"};
    TCanvas* c = Canvas();
    c->Pen()->SetColor(clBtnFace);
    c->Brush()->SetColor(clBtnFace);
    c->Rectangle(0, 0, Width(), Height());
    c->Font()->SetColor(clBlack);
    auto px = [this](Integer v) { return ScaledMetric(this, v); };
    for (Integer s = 0; s <= fsEngraved; ++s) {
      const Integer x = px(s * 100 + 6);
      DrawFrame(c, TFrameStyle(s), x, px(8), x + px(87), px(55), clWhite, clSilver, clGray, clBlack, clBlack);
      c->Brush()->SetStyle(bsClear);
      const String name = kNames[s];
      c->TextOut(x + (px(88) - c->TextWidth(name)) / 2, px(24), name);
    }
  }
};

void BuildCorePage(TForm* form) {
  form->SetClientWidth(kCols * kCellW + 17);
  form->SetClientHeight(4 * kCellH + 64 + 24);
  auto* markers = new TMarkerSheet(form);
  markers->SetParent(form);
  markers->SetLeft(8);
  markers->SetTop(8);
  auto* frames = new TFrameSheet(form);
  frames->SetParent(form);
  frames->SetLeft(8);
  frames->SetTop(markers->Top() + markers->Height() + 8);
}

}  // namespace

JOX_GALLERY_PAGE("core", BuildCorePage);
