// The page registry, page rendering and pictures, the tiled picture of all pages, and the "canvas" page.
#include "gallery/gallery.h"

#include <algorithm>

#include "gallery/canvas_card.h"
#include "package/framework/controls/popups.h"
#include "package/framework/framework.h"

namespace gallery {

using namespace jox;

std::vector<Page>& Pages() {
  static std::vector<Page> pages;
  return pages;
}

std::vector<Page> SortedPages() {
  std::vector<Page> pages = Pages();
  std::sort(pages.begin(), pages.end(), [](const Page& a, const Page& b) { return a.name < b.name; });
  return pages;
}

namespace {
std::filesystem::path& FilesDirSetting() {
  static std::filesystem::path dir = "gallery-out/files";
  return dir;
}
}  // namespace

std::filesystem::path FilesDir() {
  std::filesystem::create_directories(FilesDirSetting());
  return std::filesystem::absolute(FilesDirSetting());  // the folder tree takes whole paths only
}

void SetFilesDir(const std::filesystem::path& dir) { FilesDirSetting() = dir; }

std::unique_ptr<TForm> RenderPage(const Page& page) {
  // A picture must not depend on how long building the page took: timers (scrolling text, automatic
  // increments) stand still while it is drawn.
  const bool realClock = !Application->VirtualClock();
  if (realClock) Application->UseVirtualClock(true);
  auto form = std::make_unique<TForm>(nullptr);
  form->SetCaption(FromUtf8(page.name));
  page.build(form.get());
  // At the screen's scale (JOX_SCALE), as the window shows it.
  form->ApplyScale();
  form->Invalidate();
  Application->ProcessMessages();
  form->Update();
  if (realClock) Application->UseVirtualClock(false);
  return form;
}

std::unique_ptr<TForm> PicturePage(const Page& page) {
  std::unique_ptr<TForm> form = RenderPage(page);
  TBitmap* s = form->Surface();
  for (TPopupWindow* pop : popups::Open()) {
    pop->Update();
    const TPoint at = form->ScreenToClient(Point(pop->Left(), pop->Top()));
    s->Canvas()->CopyRect(Bounds(at.X, at.Y, pop->Width(), pop->Height()), pop->Surface()->Canvas(),
                          Rect(0, 0, pop->Width(), pop->Height()));
  }
  popups::CancelAll();
  return form;
}

std::unique_ptr<TBitmap> AllPagesPicture(std::vector<Placed>* places) {
  std::vector<std::unique_ptr<TForm>> forms;
  std::vector<std::pair<std::string, TBitmap*>> pictures;
  for (const Page& p : SortedPages()) {
    forms.push_back(PicturePage(p));
    pictures.push_back({p.name, forms.back()->Surface()});
  }
  return TilePages(pictures, 1600, places);
}

std::unique_ptr<TBitmap> TilePages(const std::vector<std::pair<std::string, TBitmap*>>& pictures, int MaxWidth,
                                   std::vector<Placed>* placed) {
  constexpr int kGap = 12, kTitle = 22;
  struct Place {
    int x, y;
  };
  std::vector<Place> places;
  int x = kGap, y = kGap, rowH = 0, width = 0;
  for (auto& [name, bmp] : pictures) {
    const int w = bmp->Width(), h = bmp->Height() + kTitle;
    if (x > kGap && x + w + kGap > MaxWidth) {
      x = kGap;
      y += rowH + kGap;
      rowH = 0;
    }
    places.push_back({x, y});
    x += w + kGap;
    rowH = std::max(rowH, h);
    width = std::max(width, x);
  }
  auto out = std::make_unique<TBitmap>();
  out->SetSize(std::max(width, 1), y + rowH + kGap);
  TCanvas* c = out->Canvas();
  c->Brush()->SetColor(RGB(0x9A, 0xA4, 0xB0));
  c->FillRect(Rect(0, 0, out->Width(), out->Height()));
  c->Font()->SetName(u"Tahoma");
  c->Font()->SetSize(9);
  c->Font()->SetStyle(fsBold);
  c->Font()->SetColor(clWhite);
  for (size_t i = 0; i < pictures.size(); ++i) {
    TBitmap* bmp = pictures[i].second;
    const Place p = places[i];
    c->Brush()->SetStyle(bsClear);
    c->TextOut(p.x, p.y + 3, FromUtf8(pictures[i].first));
    c->Draw(p.x, p.y + kTitle, bmp);
    if (placed) placed->push_back({pictures[i].first, p.x, p.y + kTitle, p.x + bmp->Width(), p.y + kTitle + bmp->Height()});
    // A thin dark frame sets each page off the background.
    c->Brush()->SetColor(RGB(0x50, 0x58, 0x60));
    c->FrameRect(Rect(p.x - 1, p.y + kTitle - 1, p.x + bmp->Width() + 1, p.y + kTitle + bmp->Height() + 1));
  }
  return out;
}

// [canvas page] ------------------------------------------------------------------------------------------------
namespace {

class TCanvasCardView : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  void Paint() override { DrawCanvasCard(Canvas(), Width(), Height()); }
};

void BuildCanvasPage(TForm* form) {
  form->SetClientWidth(800);
  form->SetClientHeight(600);
  auto* card = new TCanvasCardView(form);
  card->SetParent(form);
  card->SetAlign(alClient);
}

}  // namespace

JOX_GALLERY_PAGE("canvas", BuildCanvasPage);

}  // namespace gallery
