// Progress bars in each direction and mapping mode, with a grid, rotated text, a background picture
// and one that runs by itself in the window; below them gradient fills of every type and a flipped one.
#include <filesystem>

#include "gallery/gallery.h"
#include "gradfl/gradfl.h"
#include "package/framework/controls/controls.h"
#include "package/framework/controls/forms.h"
#include "progbar/progbar.h"

namespace {

using namespace jox;

constexpr Integer kGap = 10, kBarW = 300, kBarH = 28, kCaptionH = 16;

// A line of text naming what stands below it.
class TCaptionText : public TGraphicControl {
 public:
  TCaptionText(TComponent* AOwner, String Text) : TGraphicControl(AOwner), FText(std::move(Text)) {}
  void Paint() override {
    Canvas()->Brush()->SetStyle(bsClear);
    Canvas()->Font()->SetColor(clBlack);
    Canvas()->TextOut(0, 1, FText);
  }

 private:
  String FText;
};

void AddCaption(TForm* form, Integer x, Integer y, Integer w, const char16_t* text) {
  auto* c = new TCaptionText(form, text);
  c->SetParent(form);
  c->SetBounds(x, y, w, kCaptionH);
}

// A horizontal bar under its caption; the text sits in the middle of the bar.
TProgBar* AddBar(TForm* form, Integer x, Integer& y, const char16_t* caption, double value) {
  AddCaption(form, x, y, kBarW, caption);
  y += kCaptionH;
  auto* b = new TProgBar(form);
  b->SetParent(form);
  b->SetBounds(x, y, kBarW, kBarH);
  b->SetTextPosX(kBarW / 2);
  b->SetValue(value);
  y += kBarH + kGap;
  return b;
}

void Percent(TProgBar* b) {
  b->SetOnShowValue([](TObject*, String& t) { t += u" %"; });
}

void Gradient(TProgBar* b, TColorMapping mode, TColor from, TColor to) {
  b->SetColorMin(from);
  b->SetColorMax(to);
  b->SetColorMapMode(mode);
  b->SetShowColorGradient(true);
}

// Brushed steel for the bar area, written to the gallery's files.
String SteelTexture() {
  const std::filesystem::path file = gallery::FilesDir() / "progbar_steel.bmp";
  TBitmap b(64, 20);
  for (Integer y = 0; y < 20; ++y)
    for (Integer x = 0; x < 64; ++x) {
      const int streak = int((x * 17 + y * 31 + (x * y) % 7) % 11) - 5;
      const Byte v = Byte(196 + streak * 2 - y);
      b.Canvas()->SetPixels(x, y, RGB(v, v, Byte(v + 6)));
    }
  b.SaveToFile(FromUtf8(file.string()));
  return FromUtf8(file.string());
}

void BuildProgressPage(TForm* form) {
  form->SetClientWidth(2 * kBarW + 3 * kGap + 180);
  form->SetClientHeight(5 * (kCaptionH + kBarH + kGap) + 3 * kGap + kCaptionH + 121);
  form->SetColor(clBtnFace);

  Integer x = kGap, y = kGap;
  TProgBar* plain = AddBar(form, x, y, u"Plain, to the right", 35);
  Percent(plain);

  TProgBar* stretch = AddBar(form, x, y, u"cgmStretch: the whole gradient in the bar", 70);
  Gradient(stretch, cgmStretch, clBlue, clRed);
  Percent(stretch);

  TProgBar* cover = AddBar(form, x, y, u"cgmCover with a grid of 6", 60);
  Gradient(cover, cgmCover, clLime, clRed);
  cover->SetGridDist(6);
  cover->SetColorGrid(clSilver);
  cover->SetTextVisible(false);

  TProgBar* move = AddBar(form, x, y, u"cgmMove: the last colour at the tip", 45);
  Gradient(move, cgmMove, clNavy, clAqua);
  move->Font()->SetColor(clWhite);
  move->Font()->SetStyle(fsBold);
  move->SetTextDecPlaces(1);

  TProgBar* left = AddBar(form, x, y, u"To the left", 40);
  Gradient(left, cgmStretch, clYellow, RGB(255, 96, 0));
  left->SetTextAlignment(taRightJustify);
  left->SetTextPosX(kBarW - 10);

  x = kBarW + 2 * kGap;
  y = kGap;
  TProgBar* picture = AddBar(form, x, y, u"Background picture", 55);
  picture->SetBackGroundImg(SteelTexture());
  picture->SetColorMin(RGB(40, 120, 200));
  picture->SetFrameStyleInner(TFrameStyle(1));
  picture->SetFrameStyleOuter(TFrameStyle(4));
  Percent(picture);

  TProgBar* exp = AddBar(form, x, y, u"Exponent text, colour scheme 1", 2.5e-3);
  exp->SetRange(0, 1e-2);
  exp->SetTextDecPlaces(-1);
  exp->SetColorScheme(TColorScheme(1));
  exp->SetColorMargin(clBtnFace);
  exp->SetColorBackGnd(clWindow);
  exp->SetColorMin(RGB(0, 160, 80));

  TProgBar* running = AddBar(form, x, y, u"Running by itself (AutoInc)", 0);
  Gradient(running, cgmCover, RGB(0, 90, 0), RGB(120, 255, 120));
  running->SetGridDist(10);
  running->SetColorGrid(RGB(0, 60, 0));
  running->SetColorBackGnd(RGB(24, 24, 24));
  running->SetColorMargin(RGB(48, 48, 48));
  running->Font()->SetColor(clWhite);
  Percent(running);
  running->SetAutoIncStep(2);
  running->SetStartInterval(300);
  running->SetRepeatInterval(120);
  running->SetOnAutoInc([running](TObject*) {
    if (running->Value() > running->Max()) running->SetValue(running->Min());
  });
  running->SetValue(64);
  running->SetAutoInc(true);

  // Two vertical bars beside a slim one, their texts turned a quarter round.
  const Integer vx = 2 * kBarW + 3 * kGap, vh = 190;
  AddCaption(form, vx, kGap, 170, u"Up, down, up");
  auto vertical = [&](Integer left, Integer w, TDirection d, double value) {
    auto* b = new TProgBar(form);
    b->SetParent(form);
    b->SetBounds(left, kGap + kCaptionH, w, vh);
    b->SetDirection(d);
    b->SetValue(value);
    b->SetTextAngle(90);
    b->SetTextPosX(w / 2);
    b->SetTextPosY(vh / 2);
    return b;
  };
  TProgBar* up = vertical(vx, 44, dirUp, 65);
  Gradient(up, cgmCover, clGreen, clRed);
  up->SetGridDist(5);
  up->SetColorGrid(RGB(60, 60, 60));
  up->Font()->SetColor(clWhite);
  up->Font()->SetStyle(fsBold);
  Percent(up);
  TProgBar* down = vertical(vx + 56, 44, dirDown, 30);
  Gradient(down, cgmMove, clWhite, clPurple);
  down->SetTextAngle(270);
  TProgBar* slim = vertical(vx + 112, 20, dirUp, 80);
  slim->SetTextVisible(false);
  slim->SetMarginLeft(3);
  slim->SetMarginRight(3);
  slim->SetFrameStyleOuter(TFrameStyle(2));
  slim->SetFrameStyleInner(TFrameStyle(0));

  // A row of gradient fills.
  constexpr Integer kFill = 121;
  const Integer fy = 5 * (kCaptionH + kBarH + kGap) + 2 * kGap;
  Integer fx = kGap;
  auto fill = [&](const char16_t* caption, TGradType type, Integer n) {
    AddCaption(form, fx, fy, kFill + kGap, caption);
    auto* g = new TGradFill(form);
    g->SetParent(form);
    g->SetBounds(fx, fy + kCaptionH, kFill, kFill);
    g->SetFillType(type);
    g->SetNrColors(n);
    fx += kFill + 2 * kGap;
    return g;
  };
  fill(u"gtHoriz, 16 bands", gtHoriz, 16);
  TGradFill* vert = fill(u"gtVert, 32, framed", gtVert, 32);
  vert->SetColorFirst(clNavy);
  vert->SetColorLast(clAqua);
  vert->SetFrameStyle(fsLowered);
  TGradFill* midH = fill(u"gtMidBandHoriz, 9", gtMidBandHoriz, 9);
  midH->SetColorFirst(RGB(40, 40, 40));
  midH->SetColorLast(clWhite);
  TGradFill* midV = fill(u"gtMidBandVert, grid", gtMidBandVert, 7);
  midV->SetColorFirst(clGreen);
  midV->SetColorLast(clYellow);
  midV->SetGridMode(gmBoth);
  midV->SetGridColor(RGB(0, 80, 0));
  TGradFill* flipped = fill(u"Flipped", gtHoriz, 16);
  flipped->SetColorFlipped(true);
  flipped->SetFrameStyle(fsRaised);
}

}  // namespace

JOX_GALLERY_PAGE("progress", BuildProgressPage);
