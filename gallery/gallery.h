// The gallery's page registry. Each component adds one file gallery/page_<unit>.cpp:
//
//   static void BuildMeterPage(jox::TForm* form) {
//     form->SetClientWidth(640); form->SetClientHeight(480);
//     auto* m = new jox::TMeter(form); m->SetParent(form); m->SetBounds(8, 8, 297, 209); ...
//   }
//   JOX_GALLERY_PAGE("meter", BuildMeterPage);
//
// The gallery paints every page's form headless and writes gallery-out/<name>.png; with --window it
// shows the pages in a real window.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace jox { class TForm; class TBitmap; }

namespace gallery {

using BuildPage = void (*)(jox::TForm* form);

struct Page {
  std::string name;
  BuildPage build;
};

// Where each page stands in a tiled picture: its name and the rectangle of its own picture.
struct Placed {
  std::string name;
  int left, top, right, bottom;
};
std::vector<Page>& Pages();
// The pages sorted by name.
std::vector<Page> SortedPages();
// Builds a page on a new form and paints it.
std::unique_ptr<jox::TForm> RenderPage(const Page& page);
// Builds and paints a page, draws the popups it left open (lists, menus, calendars) over its picture, then
// closes them: the form's surface is the page's picture.
std::unique_ptr<jox::TForm> PicturePage(const Page& page);
// The picture of every page, tiled as the gallery writes gallery.png (docs/ shows the same).
std::unique_ptr<jox::TBitmap> AllPagesPicture(std::vector<Placed>* places = nullptr);
// All pictures side by side in rows no wider than MaxWidth, each under its name; the caller owns it.
std::unique_ptr<jox::TBitmap> TilePages(const std::vector<std::pair<std::string, jox::TBitmap*>>& pictures,
                                        int MaxWidth = 1600, std::vector<Placed>* places = nullptr);

// Where pages keep the files they make for themselves (textures, sample folders), created on first use:
// "files" under the output folder, gallery-out/files of the working folder unless set otherwise.
std::filesystem::path FilesDir();
void SetFilesDir(const std::filesystem::path& dir);

struct PageRegistrar {
  PageRegistrar(const char* name, BuildPage build) { Pages().push_back({name, build}); }
};

}  // namespace gallery

#define JOX_GALLERY_PAGE(name, fn) static ::gallery::PageRegistrar jox_gallery_page_##fn(name, fn)
