// The mini calendar: the four languages, Monday and Sunday as first weekday, fixed and movable
// holidays, added holidays, long month names and own colours; today carries its ring.
#include "gallery/gallery.h"
#include "minical/minical.h"
#include "package/framework/base/sysutils.h"
#include "package/framework/controls/forms.h"

namespace {

using namespace jox;

constexpr Integer kGap = 10, kW = 300, kH = 180;

TMiniCal* Calendar(TForm* form, Integer col, Integer row, TLanguage lang) {
  auto* c = new TMiniCal(form);
  c->SetParent(form);
  c->SetBounds(kGap + col * (kW + kGap), kGap + row * (kH + kGap), kW, kH);
  c->SetLanguage(lang);
  return c;
}

void BuildMiniCalPage(TForm* form) {
  form->SetColor(clBtnFace);

  // English, today's month: the selected day is today, ringed.
  Calendar(form, 0, 0, lgEnglish);

  // German, May 2024: Labour Day, Ascension Day, Whit Monday and Corpus Christi; Ascension selected.
  TMiniCal* de = Calendar(form, 1, 0, lgGerman);
  de->SetDate(EncodeDate(2024, 5, 9));

  // French with Sunday first, December 2024: Immaculate Conception, Christmas, Boxing Day.
  TMiniCal* fr = Calendar(form, 2, 0, lgFrench);
  fr->SetFirstDayOfWeek(dwSun);
  fr->SetDate(EncodeDate(2024, 12, 18));

  // Spanish, March 2024 with Easter, and a holiday of its own; long month names.
  TMiniCal* es = Calendar(form, 0, 1, lgSpanish);
  es->SetShowMonthShort(false);
  es->AddRepeatHoliday(19, 3, u"San José");
  es->SetDate(EncodeDate(2024, 3, 11));

  // English, September 2024 begins on a Sunday: the first row is mostly August, in grey.
  TMiniCal* sep = Calendar(form, 1, 1, lgEnglish);
  sep->AddHoliday(2, 9, 2024, u"Labor Day (US)");
  sep->SetDate(EncodeDate(2024, 9, 2));

  // Own colours, movable feasts not shown: April 2025 without Easter.
  TMiniCal* own = Calendar(form, 2, 1, lgEnglish);
  own->SetShowMovableHolidays(false);
  own->SetColorSelectedBg(RGB(0, 120, 215));
  own->SetColorDayIdBg(RGB(60, 60, 90));
  own->SetColorDayIdFg(clWhite);
  own->SetColorWeekNoBg(RGB(230, 230, 240));
  own->SetColorWeekNoFg(RGB(90, 90, 120));
  own->SetDayColors(dwSat, RGB(232, 240, 255));
  own->SetDayColors(dwSun, RGB(214, 228, 255));
  own->SetDate(EncodeDate(2025, 4, 22));

  form->SetClientWidth(4 * kGap + 3 * kW);
  form->SetClientHeight(3 * kGap + 2 * kH);
}

}  // namespace

JOX_GALLERY_PAGE("minical", BuildMiniCalPage);
