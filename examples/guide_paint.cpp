// Painting without a display: one component on its own surface, read pixel by pixel, and a whole form
// saved as a PNG.
//   example_guide_paint [--out FILE.png]
#include <cstdio>
#include <cstring>
#include <string>

#include "gradfl/gradfl.h"
#include "package/framework/framework.h"
#include "sevenseg/sevenseg.h"

using namespace jox;

int main(int argc, char** argv) {
  std::string out = "guide_paint.png";
  if (argc == 3 && !std::strcmp(argv[1], "--out")) out = argv[2];

  // A control without a parent paints into a private surface of its own size: create, Paint, read pixels.
  TGradFill fill(nullptr);
  fill.SetBounds(0, 0, 100, 40);
  fill.SetFillType(gtVert);  // bands side by side, first colour at the left
  fill.SetColorFirst(clRed);
  fill.SetColorLast(clBlue);
  fill.Paint();
  const TColor left = fill.Canvas()->Pixels(1, 20), right = fill.Canvas()->Pixels(98, 20);
  std::printf("left pixel %06X, right pixel %06X\n", unsigned(left), unsigned(right));
  // The first band has the first colour; the last of the 16 bands is one step short of the last colour.
  if (left != clRed || GetBValue(right) < 0xC0 || GetRValue(right) > 0x40) return 1;

  // A form is the usual root: it owns a surface of its client size, its controls paint onto it.
  TForm form(nullptr);
  form.SetClientWidth(240);
  form.SetClientHeight(100);
  form.SetColor(clBtnFace);
  auto* display = new TSevenSeg(&form);
  display->SetParent(&form);
  display->SetBounds(12, 12, 216, 76);
  display->SetText(u"12.34");

  // Paint what is due, then save the surface; PNG or BMP by the file name.
  form.Invalidate();
  Application->ProcessMessages();
  form.Update();
  form.Surface()->SaveToFile(FromUtf8(out));
  std::printf("%s (%dx%d)\n", out.c_str(), form.Surface()->Width(), form.Surface()->Height());
  return 0;
}
