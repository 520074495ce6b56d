// Whole-component looks: gallery pages drawn headless and compared with the references in
// tests/snapshots/ (rewritten only by `make snapshots`).
#include <gtest/gtest.h>

#include "gallery/gallery.h"
#include "package/framework/controls/forms.h"
#include "support/support.h"

using namespace jox;

namespace {

class Snapshots : public test::FrameworkTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(Snapshots, PageLooksAsItsReference) {
  const std::string name = GetParam();
  const gallery::Page* page = nullptr;
  for (const gallery::Page& p : gallery::Pages())
    if (p.name == name) page = &p;
  ASSERT_NE(page, nullptr) << "no gallery page " << name;
  const test::ScratchDir files;  // the page's textures; outlives the form
  gallery::SetFilesDir(files.Path());
  std::unique_ptr<TForm> form = gallery::RenderPage(*page);
  EXPECT_TRUE(test::MatchesSnapshot(form->Surface(), "page_" + name));
}

INSTANTIATE_TEST_SUITE_P(Pages, Snapshots, ::testing::Values("numio", "numio2", "meter"));

}  // namespace
