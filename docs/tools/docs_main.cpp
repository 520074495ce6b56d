// jox_docs: rewrites the generated parts of docs/components/*.md and docs/README.md from the class tables,
// and cuts each component's picture out of the gallery page that shows it most.
//   jox_docs [--source DIR] [--no-pictures]
// A page that does not exist yet is created with headings for its hand-written parts.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "docs/tools/docgen.h"
#include "gallery/gallery.h"
#include "package/framework/controls/popups.h"
#include "package/framework/framework.h"

using namespace jox;
namespace fs = std::filesystem;

namespace {

constexpr Integer kMargin = 6;
// Pictures larger than this are scaled down to fit.
constexpr Integer kMaxW = 560, kMaxH = 420;
// Smaller ones take in some of their surroundings, so a lone button is not a speck.
constexpr Integer kMinW = 200, kMinH = 90;

bool WriteIfChanged(const std::string& path, const std::string& text) {
  if (auto old = docgen::ReadFile(path); old && *old == text) return false;
  std::ofstream out(path, std::ios::binary);
  out << text;
  if (!out) throw std::runtime_error("cannot write " + path);
  return true;
}

void CollectControls(TComponent* c, std::vector<TControl*>& out) {
  for (Integer i = 0; i < c->ComponentCount(); ++i) {
    TComponent* child = c->Components(i);
    if (auto* ctl = dynamic_cast<TControl*>(child)) out.push_back(ctl);
    CollectControls(child, out);
  }
}

// Visible up to the page's form, which itself is never shown.
bool Showing(const TControl* c) {
  for (; c && c->Parent(); c = c->Parent())
    if (!c->Visible()) return false;
  return true;
}

// The control's rectangle in its form's client coordinates.
TRect FormRect(TForm* form, TControl* c) {
  TPoint p = Point(c->Left(), c->Top());
  if (c->Parent() && c->Parent() != form) p = form->ScreenToClient(c->Parent()->ClientToScreen(p));
  return Bounds(p.X, p.Y, c->Width(), c->Height());
}

struct Rendered {
  std::string page;
  std::unique_ptr<TForm> form;
  std::vector<TControl*> controls;
};

void WritePicture(const Rendered& r, const std::string& cls, const std::string& path) {
  TRect u{};
  bool any = false;
  for (TControl* c : r.controls) {
    if (ToUtf8(c->ClassName()) != cls || !Showing(c)) continue;
    const TRect b = FormRect(r.form.get(), c);
    u = any ? Rect(std::min(u.Left, b.Left), std::min(u.Top, b.Top), std::max(u.Right, b.Right),
                   std::max(u.Bottom, b.Bottom))
            : b;
    any = true;
  }
  TBitmap* s = r.form->Surface();
  const Integer growX = std::max(0, (kMinW - u.Width()) / 2 - kMargin), growY = std::max(0, (kMinH - u.Height()) / 2 - kMargin);
  u = Rect(u.Left - growX, u.Top - growY, u.Right + growX, u.Bottom + growY);
  u = Rect(std::max(0, u.Left - kMargin), std::max(0, u.Top - kMargin), std::min(s->Width(), u.Right + kMargin),
           std::min(s->Height(), u.Bottom + kMargin));
  const double scale = std::min({1.0, double(kMaxW) / u.Width(), double(kMaxH) / u.Height()});
  TBitmap out;
  out.SetSize(std::max(1, Integer(u.Width() * scale + 0.5)), std::max(1, Integer(u.Height() * scale + 0.5)));
  out.Canvas()->SetStretchBltMode(HALFTONE);
  out.Canvas()->CopyRect(Rect(0, 0, out.Width(), out.Height()), s->Canvas(), u);
  out.SaveToFile(FromUtf8(path));
  std::printf("%s (%dx%d, from page %s)\n", path.c_str(), out.Width(), out.Height(), r.page.c_str());
}

void WritePictures(const std::string& source) {
  // The README's picture of every page, as `make gallery` writes it.
  const std::string all = source + "/docs/gallery.png";
  gallery::AllPagesPicture()->SaveToFile(FromUtf8(all));
  std::printf("%s\n", all.c_str());

  fs::create_directories(source + "/docs/components/img");
  std::vector<Rendered> pages;
  for (const gallery::Page& p : gallery::SortedPages()) {
    Rendered r{p.name, gallery::RenderPage(p), {}};
    popups::CancelAll();  // the pictures show the components, not the lists a page left open
    r.form->Invalidate();
    Application->ProcessMessages();
    r.form->Update();
    CollectControls(r.form.get(), r.controls);
    pages.push_back(std::move(r));
  }
  for (const docgen::DocPage& page : docgen::DocPages())
    for (docgen::ClassInfoFn fn : page.Classes) {
      const std::string cls = ToUtf8(fn().Name);
      // The gallery page with the most of them; on a tie the one named after the documentation page.
      const Rendered* best = nullptr;
      size_t bestCount = 0;
      for (const Rendered& r : pages) {
        const size_t n = size_t(std::count_if(r.controls.begin(), r.controls.end(), [&](TControl* c) {
          return ToUtf8(c->ClassName()) == cls && Showing(c);
        }));
        if (n > bestCount || (n && n == bestCount && r.page == page.Name)) best = &r, bestCount = n;
      }
      if (best) WritePicture(*best, cls, docgen::PicturePath(source, cls));
    }
}

}  // namespace

int main(int argc, char** argv) {
  std::string source = JOX_SOURCE_DIR;
  bool pictures = true;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--source") && i + 1 < argc) {
      source = argv[++i];
    } else if (!std::strcmp(argv[i], "--no-pictures")) {
      pictures = false;
    } else {
      std::fprintf(stderr, "usage: %s [--source DIR] [--no-pictures]\n", argv[0]);
      return 2;
    }
  }
  try {
    if (pictures) WritePictures(source);
    // Pictures first: a page links only the pictures that exist.
    const docgen::SourceIndex index(source);
    for (const docgen::DocPage& page : docgen::DocPages()) {
      const std::string path = docgen::PagePath(source, page);
      const std::string block = docgen::PageBlock(page, index);
      auto old = docgen::ReadFile(path);
      const std::string text = old ? docgen::ReplaceBlock(*old, block) : docgen::NewPage(page, block);
      if (WriteIfChanged(path, text)) std::printf("%s %s\n", old ? "updated" : "created", path.c_str());
    }
    // The index last: it quotes each page's first paragraph.
    const std::string readme = docgen::ReadmePath(source);
    auto old = docgen::ReadFile(readme);
    const std::string text = docgen::ReplaceBlock(old ? *old : "# joxwidgets documentation\n", docgen::IndexBlock(index));
    if (WriteIfChanged(readme, text)) std::printf("updated %s\n", readme.c_str());
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "jox_docs: %s\n", e.what());
    return 1;
  }
}
