// The analog meter in all six layouts: linear and logarithmic scales, coloured bands, lit lamps,
// a shadowed needle, a second needle and a textured dial drawn from a background image.
#include <cmath>
#include <filesystem>

#include "gallery/gallery.h"
#include "meter/meter.h"
#include "package/framework/controls/controls.h"
#include "package/framework/controls/forms.h"

namespace {

using namespace jox;

constexpr Integer kW = 297, kH = 209, kGap = 10;

TMeter* AddMeter(TForm* form, Integer col, Integer row, TMeterLayout layout, const char16_t* caption) {
  auto* m = new TMeter(form);
  m->SetParent(form);
  m->SetBounds(kGap + col * (kW + kGap), kGap + row * (kH + kGap), kW, kH);
  m->SetMeterLayout(layout);
  m->SetCaption(caption);
  m->FontCaption()->SetStyle(fsBold);
  m->FontCaption()->SetColor(clNavy);
  return m;
}

void Bands(TMeter* m, double low, double high, double width) {
  m->SetThresholdLow(low);
  m->SetThresholdHigh(high);
  m->SetScaleBkWidth(width);
  m->SetScaleBkVisible(true);
}

// A fine, warm paper grain for the dial, written to the gallery's files.
String DialTexture() {
  const std::filesystem::path file = gallery::FilesDir() / "meter_dial.bmp";
  TBitmap b(24, 24);
  for (Integer y = 0; y < 24; ++y)
    for (Integer x = 0; x < 24; ++x) {
      const int grain = int((x * 7 + y * 13 + (x * y) % 5) % 9) - 4;
      b.Canvas()->SetPixels(x, y, RGB(Byte(246 + grain / 2), Byte(238 + grain), Byte(214 + grain)));
    }
  b.SaveToFile(FromUtf8(file.string()));
  return FromUtf8(file.string());
}

void BuildMeterPage(TForm* form) {
  form->SetClientWidth(3 * kW + 4 * kGap);
  form->SetClientHeight(2 * kH + 3 * kGap);
  form->SetColor(clBtnFace);

  // A voltmeter past its high limit: the right lamp is lit; the needle casts a shadow.
  TMeter* volt = AddMeter(form, 0, 0, mlCirc90, u"V");
  volt->SetMeterMaxValue(10);
  volt->SetMeterNrTicks(5);
  volt->SetMeterDecPlaces(0);
  Bands(volt, 2, 8, 12);
  volt->NeedleLayout()->SetShadowDx(-3);
  volt->NeedleLayout()->SetShadowDy(-2);
  volt->NeedleLayout()->SetThickness(3);
  volt->SetValue(8.7);

  // A logarithmic frequency scale over three decades.
  TMeter* freq = AddMeter(form, 1, 0, mlCirc120, u"Hz");
  freq->SetMeterMinValue(1);
  freq->SetMeterMaxValue(1000);
  freq->SetLogarithmic(true);
  freq->SetMeterDecPlaces(0);
  Bands(freq, 1, 500, 10);
  freq->NeedleLayout()->SetColorBody(clYellow);
  freq->NeedleLayout()->SetThickness(2);
  freq->SetValue(120);

  // Load in percent with a second, red needle holding the peak.
  TMeter* load = AddMeter(form, 2, 0, mlCirc180, u"%");
  load->SetMeterMaxValue(100);
  load->SetMeterNrTicks(5);
  load->SetMeterDecPlaces(0);
  Bands(load, 0, 85, 8);
  TNeedleLayout* peak = load->NeedleLayoutSec();
  peak->SetColorBody(clRed);
  peak->SetColorOutline(clMaroon);
  peak->SetPercentNeedleLength(92);
  peak->SetHeadSize(14);
  peak->SetVisible(true);
  load->SetValueSec(91);
  load->SetValue(62);

  // A thermometer below its low limit: the left lamp is lit.
  TMeter* temp = AddMeter(form, 0, 1, mlCirc270, u"\u00B0C");
  temp->SetMeterMinValue(-20);
  temp->SetMeterMaxValue(120);
  temp->SetMeterNrTicks(7);
  temp->SetMeterDecPlaces(0);
  Bands(temp, 0, 100, 10);
  temp->SetAnchorSize(12);
  temp->SetValue(-12);

  // A tachometer on a textured dial, its scale on the image.
  TMeter* rpm = AddMeter(form, 1, 1, mlCirc300, u"rpm \u00D7 1000");
  rpm->SetBackGroundImg(DialTexture());
  rpm->SetBkgndFillMode(bfTile);
  rpm->SetMeterMaxValue(8);
  rpm->SetThresholdHigh(6.5);
  rpm->SetMeterNrTicks(8);
  rpm->SetMeterDecPlaces(0);
  rpm->SetColorScale(clBlack);
  rpm->SetAnchorSize(14);
  rpm->SetColorCover(RGB(64, 64, 72));
  rpm->NeedleLayout()->SetColorBody(RGB(230, 60, 20));
  rpm->NeedleLayout()->SetColorOutline(RGB(120, 20, 0));
  rpm->NeedleLayout()->SetThickness(4);
  rpm->NeedleLayout()->SetShadowDx(-2);
  rpm->NeedleLayout()->SetShadowDy(-2);
  rpm->SetValue(5.6);

  // A full-circle logarithmic dial; its two ends meet at the bottom, so the last label is left out.
  TMeter* dose = AddMeter(form, 2, 1, mlCirc360, u"mSv/h");
  dose->SetMeterMinValue(0.01);
  dose->SetMeterMaxValue(100);
  dose->SetLogarithmic(true);
  dose->SetMeterDecPlaces(2);
  Bands(dose, 0.01, 10, 10);
  dose->SetColorSclBkNorm(RGB(255, 230, 140));
  dose->SetAnchorSize(12);
  dose->SetOnBeforeDrawScaleLabel([dose](TObject*, TCanvas*, String& text, Integer, Integer) {
    if (text == MeterLabelText(dose->MeterMaxValue(), dose->MeterDecPlaces())) text.clear();
  });
  dose->SetValue(0.35);
}

}  // namespace

JOX_GALLERY_PAGE("meter", BuildMeterPage);
