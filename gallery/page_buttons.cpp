// Picture switches: every on/off style on, off and disabled (on and off); an exclusive group of three,
// texts on all four sides, a momentary button, transparent switches over a striped panel; repeat
// buttons stepping a numeric label while they are held.
#include <algorithm>
#include <array>

#include "gallery/gallery.h"
#include "numlab/numlab.h"
#include "onoffbut/onoffbut.h"
#include "package/framework/controls/controls.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/labels.h"
#include "repsbut/repsbut.h"

namespace {

using namespace jox;

const char16_t* const kStyleNames[OnOffButStyleCount] = {
    u"User",       u"Check box",   u"Radio button", u"Slide (vertical)", u"Slide (horizontal)",
    u"Colour slide (vertical)", u"Colour slide (horizontal)", u"LED red / green", u"Arrow up / right",
    u"Arrow up / down", u"Arrow left / right", u"Pedestrian light", u"Beveled LED", u"Smiley",
    u"Smiley red / green", u"Bulb", u"Lamp button", u"Rocker, I left", u"Rocker, I right", u"User 1",
    u"User 2", u"User 3", u"User 4", u"User 5"};

// A striped background for the transparent switches.
class Stripes : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  void Paint() override {
    for (Integer k = 0; k * 8 < Width(); ++k) {
      Canvas()->Brush()->SetColor(k % 2 ? RGB(250, 226, 170) : RGB(170, 200, 240));
      Canvas()->FillRect(Rect(k * 8, 0, k * 8 + 8, Height()));
    }
  }
};

TOnOffBut* Switch(TForm* form, Integer x, Integer y, Integer w, Integer h, TOnOffButStyle style, bool on) {
  auto* b = new TOnOffBut(form);
  b->SetParent(form);
  b->SetBounds(x, y, w, h);
  b->SetButtonStyle(style);
  b->SetOnOff(on);
  return b;
}

void Label(TForm* form, Integer x, Integer y, const String& text) {
  auto* l = new TLabel(form);
  l->SetParent(form);
  l->SetLeft(x);
  l->SetTop(y);
  l->SetCaption(text);
}

// One row of the catalogue: on, off, disabled on, disabled off, then the style's name. Returns the height.
Integer StyleRow(TForm* form, Integer x, Integer y, TOnOffButStyle style) {
  TOnOffBut probe(nullptr);
  probe.SetButtonStyle(style);
  const Integer w = 56, h = std::max<Integer>(probe.GlyphHeight() + 6, 22);
  for (int k = 0; k < 4; ++k) {
    TOnOffBut* b = Switch(form, x + k * w, y, w, h, style, k % 2 == 0);
    b->SetFrameStyle(TFrameStyle(0));
    if (k >= 2) b->SetEnabled(false);
    b->SetHint(kStyleNames[style]);  // names it for a screen reader, as the label beside the row does
  }
  Label(form, x + 4 * w + 6, y + (h - 13) / 2, kStyleNames[style]);
  return h;
}

void BuildButtonsPage(TForm* form) {
  form->SetClientWidth(1010);
  form->SetClientHeight(600);
  form->SetColor(clBtnFace);

  // The catalogue in two columns.
  const Integer colX[2] = {10, 380};
  Integer y[2] = {26, 26};
  for (Integer x : colX) {
    Label(form, x + 21, 8, u"on");
    Label(form, x + 77, 8, u"off");
    Label(form, x + 144, 8, u"disabled");
  }
  for (Integer s = 0; s < OnOffButStyleCount; ++s) {
    const int c = s < 13 ? 0 : 1;
    y[c] += StyleRow(form, colX[c], y[c], TOnOffButStyle(s)) + 2;
  }

  const Integer dx = 760;
  // An exclusive group: exactly one stays on.
  Label(form, dx, 8, u"Exclusive group");
  const char16_t* speeds[] = {u"Slow", u"Medium", u"Fast"};
  for (int k = 0; k < 3; ++k) {
    TOnOffBut* r = Switch(form, dx, 26 + k * 24, 120, 24, oobsRadioBut, k == 1);
    r->SetGroupIndex(1);
    r->SetAllowAllOff(false);
    r->SetFrameStyle(TFrameStyle(0));
    r->SetAutoCenter(false);
    r->SetLeftSpace(4);
    r->SetTopSpace(4);
    r->SetRightText(speeds[k]);
  }

  // Texts on all four sides of the default slide.
  Label(form, dx, 110, u"Texts on four sides");
  TOnOffBut* texts = Switch(form, dx, 128, 170, 80, oobsColSlideLR, true);
  texts->SetLeftText(u"Off");
  texts->SetRightText(u"On");
  texts->SetTopText(u"Power");
  texts->SetBottomText(u"main supply");

  // A momentary lamp button and a bulb it might light.
  Label(form, dx, 218, u"Momentary, mouse anywhere");
  TOnOffBut* push = Switch(form, dx, 236, 170, 44, oobsButLamp, false);
  push->SetMode(oobmSpeedBut);
  push->SetMouseAction(oomaPlain);
  push->SetRightText(u"Test");

  // Transparent switches over stripes: the key colour and the background let the stripes through.
  Label(form, dx, 290, u"Transparent over a pattern");
  auto* stripes = new Stripes(form);
  stripes->SetParent(form);
  stripes->SetBounds(dx, 308, 230, 90);
  TOnOffBut* bulb = Switch(form, dx + 10, 316, 60, 74, oobsBulb, true);
  bulb->SetTransparent(true);
  bulb->SetHint(u"Bulb");  // names the picture-only switch for a screen reader
  bulb->SetFrameStyle(TFrameStyle(0));
  TOnOffBut* smiley = Switch(form, dx + 80, 330, 140, 40, oobsSmileyYellow, true);
  smiley->SetTransparent(true);
  smiley->SetFrameStyle(TFrameStyle(1));
  smiley->SetAutoCenter(false);
  smiley->SetLeftSpace(8);
  smiley->SetTopSpace(10);
  smiley->SetRightText(u"Transparent");

  // Disabled with texts: engraved.
  Label(form, dx, 410, u"Disabled");
  TOnOffBut* dis = Switch(form, dx, 428, 170, 50, oobsHDLeft, true);
  dis->SetLeftText(u"Pump");
  dis->SetRightText(u"auto");
  dis->SetEnabled(false);

  // Repeat buttons: a click steps once, holding steps on after half a second, five times a second.
  Label(form, dx, 490, u"Hold to repeat");
  auto* level = new TNumLab(form);
  level->SetParent(form);
  level->SetBounds(dx, 508, 150, 26);
  level->SetLeftText(u"Level");
  level->SetRightText(u"%");
  level->SetDecP(0);
  level->SetLabValue(50);
  const char16_t* captions[] = {u"\u2212", u"+"};
  for (int k = 0; k < 2; ++k) {
    auto* r = new TRepSpeedButton(form);
    r->SetParent(form);
    r->SetBounds(dx + 156 + k * 28, 508, 26, 26);
    r->SetCaption(captions[k]);
    r->Font()->SetStyle(fsBold);
    const double step = k ? 1 : -1;
    auto stepLevel = [level, step](TObject*) {
      level->SetLabValue(std::clamp(level->Value() + step, 0.0, 100.0));
    };
    r->SetOnClick(stepLevel);
    r->SetOnRepeatClick(stepLevel);
  }
}

}  // namespace

JOX_GALLERY_PAGE("buttons", BuildButtonsPage);
