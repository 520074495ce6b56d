// The custom-drawn numeric field: buttons, gauge, freeze box, labels, a field out of range, a disabled
// and a frozen one in the left column; one field per frame style in the right column.
#include "gallery/gallery.h"
#include "numio/numio2.h"
#include "package/framework/controls/controls.h"
#include "package/framework/controls/forms.h"

namespace {

using namespace jox;

constexpr Integer kLeftX = 8, kRightX = 268, kTop = 8, kRowH = 34;

TNumIO2* Field(TForm* form, Integer x, Integer y, const char16_t* left, const char16_t* right, double value) {
  auto* n = new TNumIO2(form);
  n->SetParent(form);
  n->SetBounds(x, y, 240, 28);
  n->SetLeftText(left);
  n->SetRightText(right);
  n->SetLeftSpace(60);
  n->SetNioValue(value);
  n->SetTabStop(true);  // off by default, as for every custom control: a form of fields wants Tab
  return n;
}

void BuildNumIO2Page(TForm* form) {
  form->SetClientWidth(520);
  form->SetClientHeight(kTop * 2 + 7 * kRowH + 12);
  form->SetColor(clBtnFace);

  Integer y = kTop;
  auto* gain = Field(form, kLeftX, y, u"Gain", u"dB", 12.5);
  gain->SetButVisible(true);
  gain->SetRangeLow(-20);
  gain->SetRangeHigh(40);
  gain->ButtonPivots = {-20, -10, 0, 6, 12, 20, 40};

  y += kRowH;
  auto* level = Field(form, kLeftX, y, u"Level", u"%", 0);
  level->SetHeight(40);
  level->SetGaugeVisible(true);
  level->SetGaugeWidth(100);
  level->SetGaugeLeftMarg(60);
  level->SetRangeHigh(100);
  level->SetInputFormat(itInt);
  level->SetNioValue(64);
  level->SetButVisible(true);

  y += kRowH + 12;
  auto* volts = Field(form, kLeftX, y, u"Supply", u"V", 5);
  volts->SetFreezeBoxVisible(true);
  volts->SetFreezeBoxLeft(16);
  volts->SetTextBoxWidth(70);

  y += kRowH;
  auto* frozen = Field(form, kLeftX, y, u"Frozen", u"V", 3.3);
  frozen->SetFreezeBoxVisible(true);
  frozen->SetFreezeBoxLeft(16);
  frozen->SetTextBoxWidth(70);
  frozen->SetFreezeBoxChecked(true);

  y += kRowH;
  auto* warn = Field(form, kLeftX, y, u"Limit", u"0..1000", 1500);
  warn->SetRightTextAlignment(taRightJustify);

  y += kRowH;
  auto* off = Field(form, kLeftX, y, u"Disabled", u"mA", 42);
  off->SetButVisible(true);
  off->SetEnabled(false);

  y += kRowH;
  auto* hex = Field(form, kLeftX, y, u"Address", u"hex", 0);
  hex->SetRangeHigh(65535);
  hex->SetInputFormat(itHex);
  hex->SetNioValue(48879);
  hex->SetLeftTextAlignment(taLeftJustify);
  hex->SetAlignment(taRightJustify);

  static const char16_t* const kStyles[] = {u"fsNone", u"fsSimple", u"fsLowered", u"fsRaised", u"fsEmbossed",
                                            u"fsEngraved"};
  for (Integer s = 0; s <= fsEngraved; ++s) {
    auto* f = Field(form, kRightX, kTop + s * kRowH, kStyles[s], u"", 0.25 * s);
    f->SetWidth(200);
    f->SetLeftSpace(70);
    f->SetLeftTextAlignment(taLeftJustify);
    f->SetFrameStyle(TFrameStyle(s));
    f->SetGaugeFrameStyle(TFrameStyle(s));
  }
  auto* exp = Field(form, kRightX, kTop + 6 * kRowH, u"itExp", u"", 0);
  exp->SetWidth(200);
  exp->SetLeftSpace(70);
  exp->SetTextBoxWidth(100);
  exp->SetLeftTextAlignment(taLeftJustify);
  exp->SetInputFormat(itExp);
  exp->SetNioValue(-1234.5);
  exp->SetAlignment(taLeftJustify);
  exp->SetRangeLow(-1e6);

  gain->SetFocus();
}

}  // namespace

JOX_GALLERY_PAGE("numio2", BuildNumIO2Page);
