// The raster label: the built-in font with every printable glyph, a font sampled from an installed
// typeface, a message scrolling through its display, and the block modes and frame styles.
#include "gallery/gallery.h"
#include "package/framework/controls/controls.h"
#include "package/framework/controls/forms.h"
#include "rasterlab/rasterlab.h"

namespace {

using namespace jox;

constexpr Integer kGap = 8, kWidth = 600;

TRasterLab* Label(TForm* form, Integer y, const String& text, Integer dotSize, Integer dotSpacing) {
  auto* r = new TRasterLab(form);
  r->SetParent(form);
  r->SetBounds(kGap, y, kWidth, 40);
  r->SetDotSize(dotSize);
  r->SetDotSpacing(dotSpacing);
  r->SetPosX(3);
  r->SetPosY(2);
  r->SetText(text);
  return r;
}

// Fits the label's height to its font with a margin and moves y below it.
void Fit(TRasterLab* r, Integer& y, Integer gap = kGap) {
  r->SetAutoHeight(true);
  r->SetHeight(r->Height() + 3);
  y += r->Height() + gap;
}

String Codes(char16_t from, char16_t to) {
  String s;
  for (char16_t c = from; c <= to; ++c) s += c;
  return s;
}

void BuildRasterLabPage(TForm* form) {
  form->SetColor(clBtnFace);
  Integer y = kGap;

  // Every printable glyph of the built-in font, one dot per pixel with a one-pixel gap.
  for (auto [from, to] : {std::pair<char16_t, char16_t>{0x20, 0x3F}, {0x40, 0x5F}, {0x60, 0x7E}, {0xA1, 0xBF},
                          {0xC0, 0xDF}, {0xE0, 0xFF}}) {
    TRasterLab* r = Label(form, y, Codes(from, to), 1, 1);
    r->SetProportional(false);
    Fit(r, y, kGap / 2);
  }
  // The Windows-1252 extras and a character the font does not have.
  TRasterLab* extras = Label(
      form, y, u"\u20AC \u201Equoted\u201C \u2018single\u2019 \u2013 \u2014 \u2026 \u2022 \u2122 \u0160\u017E\u0152\u0178 \u4E2D", 1, 1);
  extras->SetProportional(false);
  Fit(extras, y);

  // A message in big amber dots.
  TRasterLab* amber = Label(form, y, u"Gate 12  Z\u00FCrich 14:35", 3, 1);
  amber->SetColorDotOn(RGB(255, 176, 0));
  amber->SetColorDotOff(RGB(58, 40, 12));
  amber->SetAutoCenter(true);
  Fit(amber, y);

  // A font sampled from an installed typeface, drawn in one continuous raster.
  TRasterLab* sampled = Label(form, y, u"Sampled: Arial 12", 2, 1);
  sampled->Font()->SetName(u"Arial");
  sampled->Font()->SetSize(12);
  sampled->SetCharBlockMode(rdbmRaster);
  sampled->SetColorDotOn(RGB(90, 200, 255));
  sampled->SetColorDotOff(RGB(16, 36, 52));
  Fit(sampled, y);

  // Scrolling to the left in a window; the picture shows it at its start.
  TRasterLab* news = Label(form, y, u"+++ Scrolling news: the raster label moves its text through the display +++", 2, 1);
  news->SetColorDotOn(clRed);
  news->SetColorDotOff(RGB(60, 0, 0));
  news->SetPosX(kWidth / 3);
  news->SetScrollInterval(30);
  news->SetScrollMode(rdsmLeft);
  Fit(news, y);

  // No unlit dots, a plain dark blue panel and a double-line frame.
  TRasterLab* plain = Label(form, y, u"rdbmOff, single pixels, frame 4", 1, 0);
  plain->SetCharBlockMode(rdbmOff);
  plain->SetColorLabBakG(RGB(0, 0, 64));
  plain->SetColorDotOn(clWhite);
  plain->SetFrameStyle(fsEmbossed);
  Fit(plain, y);

  form->SetClientWidth(kWidth + 2 * kGap);
  form->SetClientHeight(y);
}

}  // namespace

JOX_GALLERY_PAGE("raster", BuildRasterLabPage);
