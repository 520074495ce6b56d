// The marker selector: all 52 symbols with one selected, one with some symbols hidden and symbol 0
// drawn as a dot, a coloured one, and a disabled one.
#include "gallery/gallery.h"
#include "marksel/marksel.h"
#include "package/framework/controls/controls.h"
#include "package/framework/controls/forms.h"

namespace {

using namespace jox;

constexpr Integer kGap = 10;

TMarkSel* Selector(TForm* form, Integer x, Integer y, Integer w, Integer h, Integer cols, Integer rows) {
  auto* m = new TMarkSel(form);
  m->SetParent(form);
  m->SetBounds(x, y, w, h);
  m->SetNrOfColumns(cols);
  m->SetNrOfRows(rows);
  return m;
}

void BuildMarkSelPage(TForm* form) {
  form->SetColor(clBtnFace);

  // Every symbol in 13 x 4 cells, the large filled circle chosen.
  TMarkSel* all = Selector(form, kGap, kGap, 340, 112, 13, 4);
  all->SetSelected(12);

  // Only the hollow symbols; the ones after a hidden symbol close up. Symbol 0 as a dot.
  TMarkSel* hollow = Selector(form, kGap, 2 * kGap + 112, 236, 178, 8, 6);
  for (Integer i = 1; i < kNumMarkers; ++i) {
    const bool filled = (i >= 4 && i <= 6) || (i >= 10 && i <= 12) || (i >= 16 && i <= 18) || (i >= 22 && i <= 24) ||
                        (i >= 28 && i <= 30) || i == 41 || i == 43 || i == 49 || i == 51;
    hollow->SetMarkVisible(i, !filled);
  }
  hollow->SetShowZeroAsCross(false);
  hollow->SetSelected(27);

  // Chart colours on a white ground with a single-line frame.
  TMarkSel* coloured = Selector(form, 2 * kGap + 236, 2 * kGap + 112, 236, 178, 8, 7);
  coloured->SetColorBackGnd(clWhite);
  coloured->SetColorMarks(clNavy);
  coloured->SetColorSelBG(RGB(255, 236, 160));
  coloured->SetColorSelFG(clMaroon);
  coloured->SetColorHiLiteBG(RGB(0, 120, 215));
  coloured->SetFrameStyle(fsSimple);
  coloured->SetSelected(49);

  // Disabled: grey symbols on silver, the selection grey on light grey.
  TMarkSel* disabled = Selector(form, 3 * kGap + 340, kGap, 212, 112, 9, 6);
  disabled->SetFrameStyle(fsLowered);
  disabled->SetSelected(5);
  disabled->SetEnabled(false);

  form->SetClientWidth(4 * kGap + 340 + 212);
  form->SetClientHeight(3 * kGap + 112 + 178);
}

}  // namespace

JOX_GALLERY_PAGE("marksel", BuildMarkSelPage);
