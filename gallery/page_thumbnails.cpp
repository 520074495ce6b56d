// The thumbnail strip: a photo browser of 2,000 pictures drawn on demand (landscape and portrait, some
// still loading as empty pages, a few marked), several selected and one highlighted; beside it a
// narrow strip half scrolled with the default looks. The wheel scrolls both in the window.
#include <map>
#include <memory>

#include "gallery/gallery.h"
#include "package/framework/controls/controls.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/input.h"
#include "thumbnails/thumbnails.h"

namespace {

using namespace jox;

// A small landscape (or portrait) scene whose colours and hills change with the number.
std::unique_ptr<TBitmap> DrawPicture(Integer id) {
  const bool portrait = id % 3 == 0;
  const Integer w = portrait ? 90 : 160, h = portrait ? 140 : 104;
  auto b = std::make_unique<TBitmap>(w, h);
  TCanvas* c = b->Canvas();
  const Byte hue = Byte(id * 37 % 160);
  for (Integer y = 0; y < h; ++y) {  // sky fading to the horizon
    c->Pen()->SetColor(RGB(Byte(60 + y * 120 / h), Byte(120 + y * 100 / h), Byte(230 - hue / 4)));
    c->MoveTo(0, y);
    c->LineTo(w, y);
  }
  c->Pen()->SetColor(RGB(250, 220, 90));
  c->Brush()->SetColor(RGB(255, 236, 120));
  const Integer sx = 18 + id * 29 % (w - 36);
  c->Ellipse(sx - 12, 10, sx + 12, 34);
  c->Pen()->SetColor(RGB(40, Byte(90 + hue / 3), 40));
  c->Brush()->SetColor(RGB(Byte(50 + hue / 4), Byte(130 + hue / 3), 60));
  const Integer crest = h / 2 + id * 7 % (h / 4);
  const TPoint hills[] = {{0, h}, {0, crest + 10}, {w / 3, crest - 8}, {w / 2, crest + 6},
                          {w * 3 / 4, crest - 14}, {w, crest + 4}, {w, h}};
  c->Polygon(hills, 7);
  c->Brush()->SetStyle(bsClear);
  c->Font()->SetSize(16);
  c->Font()->SetStyle(fsBold);
  c->Font()->SetColor(clWhite);
  const String text = IntToStr(id);
  c->TextOut(w - c->TextWidth(text) - 6, h - c->TextHeight(text) - 4, text);
  return b;
}

// The application's picture cache: each picture is drawn once, when first shown.
struct PictureCache {
  std::map<Integer, std::unique_ptr<TBitmap>> pictures;
  TBitmap* Get(Integer id) {
    auto& p = pictures[id];
    if (!p) p = DrawPicture(id);
    return p.get();
  }
};

void BuildThumbnailsPage(TForm* form) {
  form->SetClientWidth(680);
  form->SetClientHeight(440);
  form->SetColor(clBtnFace);
  static PictureCache cache;

  auto* browser = new TThumbnails(form);
  browser->SetParent(form);
  browser->SetBounds(10, 10, 430, 420);
  browser->SetMax(2000);
  browser->SetSlideSize(120);
  browser->SetSlideMargin(5);
  browser->SetSlideDistance(6);
  browser->SetAntiAlias(true);
  browser->SetColorCover(RGB(212, 208, 200));
  browser->SetColorSelected(RGB(49, 106, 197));
  browser->SetColorFocus(RGB(255, 140, 0));
  browser->SetFocusLinewidth(2);
  browser->SetColorMark(RGB(220, 30, 30));
  browser->SetSlideSelectMode(ssmMultiple);
  browser->SetOnImageRequest([](TObject*, Integer id, TImageRequestProcessing& how, Integer& mark, TBitmap*& buf) {
    if (id % 7 == 4) return;  // still loading: the empty page with its number
    how = irpShowSlide;
    buf = cache.Get(id);
    if (id % 5 == 0) mark = 49;  // a filled star for favourites
  });
  for (Integer s : {2, 5, 6}) browser->SetSlideSelected(s, true);
  input::MouseMove(browser, 10 + 60, 10 + 132 + 60);  // the pointer rests on slide 4

  auto* narrow = new TThumbnails(form);
  narrow->SetParent(form);
  narrow->SetBounds(450, 10, 220, 420);
  narrow->SetSlideSize(80);
  narrow->SetSlideMargin(5);
  narrow->SetMax(40);
  narrow->SetFirstThumbIdx(4);  // half a row scrolled out at the top
  narrow->SetSlideSelected(7, true);
  narrow->SetOnImageRequest([](TObject*, Integer id, TImageRequestProcessing& how, Integer& mark, TBitmap*& buf) {
    if (id == 6) how = irpShowFrameOnly;
    if (id == 9) how = irpShowNothing;
    if (id == 5) mark = 11;
  });
}

}  // namespace

JOX_GALLERY_PAGE("thumbnails", BuildThumbnailsPage);
