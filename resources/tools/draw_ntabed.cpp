// The table editor's menu glyphs: a check box ticked (CHECKEDBOX) and empty (EMPTYBOX), 16 x 16 at
// 8 bits per pixel. The corner pixels keep the menu's background, which menus take as transparent.
#include "resources/tools/draw.h"

namespace jox::restool {

namespace {

constexpr TColor kBack = RGB(255, 255, 255);
constexpr TColor kFrame = RGB(64, 64, 64);
constexpr TColor kShade = RGB(160, 160, 160);
constexpr TColor kFace = RGB(252, 252, 252);
constexpr TColor kTick = RGB(16, 16, 16);

// A sunken box from (2, 2) to (13, 13).
void Box(TBitmap& b) {
  b.SetPixelFormat(pf8bit);
  b.SetSize(16, 16);
  TCanvas* c = b.Canvas();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(kBack);
  c->FillRect(Rect(0, 0, 16, 16));
  c->Pen()->SetWidth(1);
  c->Pen()->SetColor(kFrame);
  c->Brush()->SetColor(kFace);
  c->Rectangle(2, 2, 14, 14);
  c->Pen()->SetColor(kShade);
  c->MoveTo(3, 12);
  c->LineTo(3, 3);
  c->LineTo(13, 3);
}

const Register empty("EMPTYBOX", [](TBitmap& b) { Box(b); });

const Register checked("CHECKEDBOX", [](TBitmap& b) {
  Box(b);
  // The tick: two strokes, three pixels thick, from the left down to the foot and up to the right.
  for (Integer t = 0; t < 3; ++t) {
    for (Integer x = 4; x <= 6; ++x) b.Canvas()->SetPixels(x, 7 + (x - 4) + t, kTick);
    for (Integer x = 7; x <= 11; ++x) b.Canvas()->SetPixels(x, 9 - (x - 7) + t, kTick);
  }
});

}  // namespace

}  // namespace jox::restool
