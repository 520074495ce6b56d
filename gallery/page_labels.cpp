// The label components: numeric labels in several display types (one in overflow, one disabled, one
// transparent over a coloured panel); seven-segment displays in several colours and sizes; rotated
// labels at five angles in each alignment, a red cross marking each anchor.
#include "gallery/gallery.h"
#include "numlab/numlab.h"
#include "package/framework/controls/controls.h"
#include "package/framework/controls/forms.h"
#include "rotlab/rotlab.h"
#include "sevenseg/sevenseg.h"

namespace {

using namespace jox;

constexpr Integer kGap = 10, kNumLabW = 230, kNumLabH = 28, kRowH = 32, kSegX = kNumLabW + 2 * kGap,
                  kSegW = 300, kRotX = kSegX + kSegW + 2 * kGap, kRotSize = 112;

// A small red cross over a rotated label's anchor; transparent around its strokes.
class TAnchorCross : public TGraphicControl {
 public:
  explicit TAnchorCross(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 9, 9); }
  void Paint() override {
    TCanvas* c = Canvas();
    c->Pen()->SetColor(clRed);
    // Centred on the anchor at any scale: the control is 9 x 9 at 96 dpi.
    const Integer mid = Width() / 2;
    c->MoveTo(0, mid);
    c->LineTo(Width(), mid);
    c->MoveTo(mid, 0);
    c->LineTo(mid, Height());
  }
};

TNumLab* AddNumLab(TWinControl* parent, Integer x, Integer y, const char16_t* left, const char16_t* right,
                   TDisplay type, double value, Integer precision = 2) {
  auto* n = new TNumLab(parent);
  n->SetParent(parent);
  n->SetBounds(x, y, kNumLabW, kNumLabH);
  n->SetLeftSpace(70);
  n->SetLabWidth(110);
  n->SetLeftText(left);
  n->SetRightText(right);
  n->SetDisplayType(type);
  n->SetDecP(precision);
  n->SetLabValue(value);
  return n;
}

void NumLabColumn(TForm* form, Integer x, Integer y) {
  AddNumLab(form, x, y, u"Voltage", u"V", dtFixP, 12.3456);
  y += kRowH;
  auto* t = AddNumLab(form, x, y, u"Temp.", u"\u00B0C", dtFixP, 21.5, 1);
  t->SetFPlusSign(true);
  t->SetFComma(true);
  y += kRowH;
  AddNumLab(form, x, y, u"Count", u"pcs", dtInt, 1024.5);
  y += kRowH;
  AddNumLab(form, x, y, u"Serial", u"", dtZeroInt, 427, 6);
  y += kRowH;
  AddNumLab(form, x, y, u"Address", u"", dtHex, 48879, 4)->SetAlignment(taRightJustify);
  y += kRowH;
  AddNumLab(form, x, y, u"Flags", u"", dtBin, 165, 8);
  y += kRowH;
  AddNumLab(form, x, y, u"Mode", u"", dtOct, 493);
  y += kRowH;
  AddNumLab(form, x, y, u"Rate", u"Hz", dtExp, 6.022e23, 4);
  y += kRowH;
  AddNumLab(form, x, y, u"Load", u"\u03A9", dtEEng, 4700, 2);
  y += kRowH;
  AddNumLab(form, x, y, u"Lat.", u"N", dtDegMinSec, 48.858222, 1);
  y += kRowH;
  AddNumLab(form, x, y, u"Heading", u"", dtDegMin, 271.25, 1);
  y += kRowH;
  auto* date = AddNumLab(form, x, y, u"Date", u"", dtDateTime, EncodeDate(2026, 12, 8));
  date->SetDtFormat(u"dd mmm yyyy");
  y += kRowH;
  auto* state = AddNumLab(form, x, y, u"Pump", u"", dtState, 0);
  state->SetStateText(u"running");
  state->SetColorLabBakG(clBlack);
  state->SetColorLabText(clLime);
  state->SetFrameStyle(fsRaised);
  y += kRowH;
  auto* over = AddNumLab(form, x, y, u"Energy", u"J", dtFixP, 9.87654321e15);
  over->SetColorLabText(clRed);
  y += kRowH;
  auto* off = AddNumLab(form, x, y, u"Disabled", u"mA", dtFixP, 42);
  off->SetEnabled(false);
  y += kRowH;
  AddNumLab(form, x, y, u"Empty", u"", dtFixP, 0)->SetEmpty(true);
  y += kRowH + 4;

  auto* panel = new TCustomControl(form);
  panel->SetParent(form);
  panel->SetBounds(x, y, kNumLabW, kNumLabH + 12);
  panel->SetColor(RGB(0xB8, 0xD8, 0xF0));
  auto* glass = AddNumLab(panel, 0, 6, u"Over", u"bar", dtFixP, 3.75);
  glass->SetColorLabBakG(clWhite);
  glass->SetFrameStyle(fsSimple);
  glass->SetTransparent(true);
}

TSevenSeg* AddSevenSeg(TForm* form, Integer y, Integer w, Integer h, const char16_t* caption, Integer digits,
                       TColor text, TColor back) {
  auto* s = new TSevenSeg(form);
  s->SetParent(form);
  s->SetBounds(kSegX, y, w, h);
  s->SetNumDigits(digits);
  s->SetCaption(caption);
  s->SetColorText(text);
  s->SetColorBakG(back);
  return s;
}

Integer SevenSegColumn(TForm* form, Integer y) {
  auto* def = new TSevenSeg(form);  // the defaults: "8.8.8.8." in red on dark grey
  def->SetParent(form);
  def->SetLeft(kSegX);
  def->SetTop(y);
  y += def->Height() + kGap;
  AddSevenSeg(form, y, kSegW, 90, u"12:34", 5, clLime, clBlack);
  y += 90 + kGap;
  AddSevenSeg(form, y, 240, 60, u"-1.5E3", 5, RGB(0xFF, 0xB0, 0x20), RGB(0x20, 0x18, 0x10));
  y += 60 + kGap;
  auto* abc = AddSevenSeg(form, y, 160, 48, u"abc", 3, clBlack, RGB(0xB8, 0xC8, 0xA8));
  abc->SetFrameStyle(fsRaised);
  abc->SetMargin(5);
  y += 48 + kGap;
  AddSevenSeg(form, y, kSegW, 50, u"-273.15°C", 8, clAqua, clNavy)->SetInterDigDist(4);
  y += 50 + kGap;
  auto* hex = AddSevenSeg(form, y, 120, 36, u"+F0.5", 5, clWhite, RGB(0x40, 0x40, 0x40));
  hex->SetMargin(4);
  hex->SetFrameStyle(fsSimple);
  return y + 36;
}

void RotLabGrid(TForm* form, Integer y0) {
  static const Integer angles[] = {0, 45, 90, 180, 270};
  static const TAlignment aligns[] = {taLeftJustify, taCenter, taRightJustify};
  static const char16_t* const names[] = {u"left", u"right", u"centre"};
  for (Integer row = 0; row < 3; ++row)
    for (Integer col = 0; col < 5; ++col) {
      auto* r = new TRotLab(form);
      r->SetParent(form);
      r->SetBounds(kRotX + col * (kRotSize + 4), y0 + row * (kRotSize + 4), kRotSize, kRotSize);
      r->SetColor(row == 1 ? RGB(0xFF, 0xFF, 0xF0) : clWhite);
      r->SetAlignment(aligns[row]);
      r->SetTextAngle(angles[col]);
      r->SetCaption(String(names[aligns[row]]) + u" " + IntToStr(angles[col]) + u"\u00B0");
      r->Font()->SetSize(10);
      if (col == 4 && row == 2) r->SetEnabled(false);
      auto* cross = new TAnchorCross(form);
      cross->SetParent(form);
      cross->SetLeft(r->Left() + r->PosX() - 4);
      cross->SetTop(r->Top() + r->PosY() - 4);
    }
  // Off centre, smoothing off, a raised frame.
  auto* r = new TRotLab(form);
  r->SetParent(form);
  r->SetBounds(kRotX, y0 + 3 * (kRotSize + 4), 5 * kRotSize + 16, 60);
  r->SetAutoCenter(false);
  r->SetPosX(20);
  r->SetPosY(44);
  r->SetAlignment(taLeftJustify);
  r->SetTextAngle(5);
  r->SetAntiAlias(false);
  r->SetFrameStyle(fsRaised);
  r->Font()->SetStyle(fsBold);
  r->Font()->SetColor(clNavy);
  r->SetCaption(u"AutoCenter off, anchor (20, 44), 5\u00B0, no smoothing");
  auto* cross = new TAnchorCross(form);
  cross->SetParent(form);
  cross->SetLeft(r->Left() + 16);
  cross->SetTop(r->Top() + 40);
}

void BuildLabelsPage(TForm* form) {
  form->SetClientWidth(kRotX + 5 * (kRotSize + 4) + kGap);
  form->SetClientHeight(kGap + 16 * kRowH + 4 + kNumLabH + 12 + kGap);
  form->SetColor(clBtnFace);
  NumLabColumn(form, kGap, kGap);
  SevenSegColumn(form, kGap);
  RotLabGrid(form, kGap);
}

}  // namespace

JOX_GALLERY_PAGE("labels", BuildLabelsPage);
