// The folder tree over a small folder tree the page makes under the temporary directory: the classic
// look and the explorer look with hot tracking, each expanded two levels below the sample folder with
// one folder selected.
#include <filesystem>

#include "foldertree/foldertree.h"
#include "gallery/gallery.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/labels.h"

namespace {

using namespace jox;
namespace fs = std::filesystem;

constexpr Integer kGap = 12, kWidth = 230, kHeight = 330;

// The same folders every run, alone in a folder of their own, so the page looks the same each time.
fs::path SampleFolders() {
  const fs::path root = gallery::FilesDir() / "folders" / "joxwidgets-folders";
  for (const char* d : {"Documents/Letters", "Documents/Reports/2025", "Documents/Reports/2026", "Music/Jazz",
                        "Music/Rock", "Pictures/Holidays/Alps", "Pictures/Family", "Projects/gallery/pages",
                        "Projects/joxwidgets/foldertree", "Projects/joxwidgets/colsel", "Projects/notes",
                        "Videos", ".cache/thumbnails"}) {
    std::error_code ec;
    fs::create_directories(root / d, ec);
  }
  return root;
}

TFolderTree* Tree(TForm* form, Integer col, const char16_t* caption, const fs::path& root) {
  const Integer x = kGap + col * (kWidth + kGap);
  auto* l = new TLabel(form);
  l->SetParent(form);
  l->SetLeft(x);
  l->SetTop(kGap);
  l->SetCaption(caption);
  auto* t = new TFolderTree(form);
  t->SetParent(form);
  t->SetBounds(x, kGap + 16, kWidth, kHeight);
  // Two levels open below the sample folder.
  t->SelectPath(FromUtf8(root.string()));
  TTreeNode* top = t->Selected();
  if (top) {
    top->Expand(false);
    for (Integer i = 0; i < top->Count(); ++i) top->Item(i)->Expand(false);
  }
  return t;
}

TTreeNode* Child(TTreeNode* n, const char16_t* name) {
  for (Integer i = 0; n && i < n->Count(); ++i)
    if (n->Item(i)->Text() == name) return n->Item(i);
  return nullptr;
}

void BuildFolderTreePage(TForm* form) {
  form->SetColor(clBtnFace);
  const fs::path root = SampleFolders();

  TFolderTree* classic = Tree(form, 0, u"Classic look:", root);
  TTreeNode* top = classic->Selected();
  if (TTreeNode* n = Child(Child(top, u"Projects"), u"joxwidgets")) classic->SetSelected(n);
  classic->SetTopItem(top);

  // Unfocused, it shows its selection in grey.
  TFolderTree* explorer = Tree(form, 1, u"Explorer look, hot tracking:", root);
  explorer->SetOldTreeStyle(false);
  explorer->SetHotTrack(true);
  explorer->SetHideSelection(false);
  top = explorer->Selected();
  if (TTreeNode* n = Child(Child(top, u"Pictures"), u"Holidays")) explorer->SetSelected(n);
  explorer->SetTopItem(top);

  form->SetClientWidth(2 * kWidth + 3 * kGap);
  form->SetClientHeight(kHeight + 16 + 2 * kGap);
  classic->SetFocus();
}

}  // namespace

JOX_GALLERY_PAGE("foldertree", BuildFolderTreePage);
