// The reference pages: every class a unit publishes has one, each page's generated block is what the
// class tables give now, and the generator keeps what is written around its block.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "docs/tools/docgen.h"
#include "gallery/gallery.h"
#include "package/framework/framework.h"
#include "tests/support/support.h"

using namespace jox;
namespace fs = std::filesystem;

namespace {

const std::string kRegenerate = "run `make docs` and commit the pages it rewrites";

std::set<std::string> DocumentedClasses() {
  std::set<std::string> out;
  for (const docgen::DocPage& page : docgen::DocPages())
    for (docgen::ClassInfoFn fn : page.Classes) out.insert(ToUtf8(fn().Name));
  return out;
}

}  // namespace

TEST(Docs, EveryRegisteredClassHasAPage) {
  const std::set<std::string> documented = DocumentedClasses();
  const auto registered = docgen::RegisteredClasses();
  // The test links the whole library, so every unit registers here.
  EXPECT_GE(registered.size(), 17u);
  for (const TClassInfo* c : registered)
    EXPECT_TRUE(documented.count(ToUtf8(c->Name))) << ToUtf8(c->Name) << " has no page in DocPages()";
}

TEST(Docs, PagesMatchTheClassTables) {
  const docgen::SourceIndex index(JOX_SOURCE_DIR);
  for (const docgen::DocPage& page : docgen::DocPages()) {
    const std::string path = docgen::PagePath(JOX_SOURCE_DIR, page);
    const auto text = docgen::ReadFile(path);
    ASSERT_TRUE(text) << path << " is missing: " << kRegenerate;
    const auto block = docgen::ExtractBlock(*text);
    ASSERT_TRUE(block) << path << " has no generated block: " << kRegenerate;
    EXPECT_EQ(*block, docgen::PageBlock(page, index)) << path << " is out of date: " << kRegenerate;
    // Regenerating a current page changes nothing.
    EXPECT_EQ(docgen::ReplaceBlock(*text, *block), *text);
  }
  const auto readme = docgen::ReadFile(docgen::ReadmePath(JOX_SOURCE_DIR));
  ASSERT_TRUE(readme);
  const auto block = docgen::ExtractBlock(*readme);
  ASSERT_TRUE(block);
  EXPECT_EQ(*block, docgen::IndexBlock(index)) << "docs/README.md's index is out of date: " << kRegenerate;
}

// The README shows every gallery page; a page added or changed since the picture was made shows as a
// different size or as differing pixels. Two pages show this machine's today and file system: only their
// place and size count.
TEST(Docs, GalleryPictureShowsEveryPageAsItIsNow) {
  TBitmap committed;
  committed.LoadFromFile(FromUtf8(std::string(JOX_SOURCE_DIR) + "/docs/gallery.png"));
  std::vector<gallery::Placed> places;
  std::unique_ptr<TBitmap> now = gallery::AllPagesPicture(&places);
  ASSERT_TRUE(now->Width() == committed.Width() && now->Height() == committed.Height())
      << "docs/gallery.png is " << committed.Width() << "x" << committed.Height() << ", the pages make "
      << now->Width() << "x" << now->Height() << ": " << kRegenerate;
  for (const gallery::Placed& p : places) {
    if (p.name != "minical" && p.name != "foldertree") continue;
    const TRect r = Rect(p.left, p.top, p.right, p.bottom);
    now->Canvas()->CopyRect(r, committed.Canvas(), r);
  }
  EXPECT_TRUE(test::BitmapsMatch(now.get(), &committed, test::kSnapshotTolerance)) << "docs/gallery.png: " << kRegenerate;
}

TEST(Docs, RegenerationKeepsTheProse) {
  const std::string page = "# x\n\nWhat it is.\n\n<!-- generated: begin -->\nold\n<!-- generated: end -->\n\n## Example\n";
  const std::string once = docgen::ReplaceBlock(page, "new\n");
  EXPECT_EQ(once, "# x\n\nWhat it is.\n\n<!-- generated: begin -->\nnew\n<!-- generated: end -->\n\n## Example\n");
  EXPECT_EQ(docgen::ReplaceBlock(once, "new\n"), once);
  EXPECT_EQ(docgen::ExtractBlock(once), "new\n");
  // A page that lost its markers gets the block appended rather than its prose replaced.
  const std::string bare = docgen::ReplaceBlock("# y\n\nProse.", "t\n");
  EXPECT_EQ(bare.rfind("# y\n\nProse.\n", 0), 0u);
  EXPECT_EQ(docgen::ExtractBlock(bare), "t\n");
  EXPECT_FALSE(docgen::ExtractBlock("<!-- generated: end -->\n<!-- generated: begin -->\n"));
}

TEST(Docs, TablesNameTypesDefaultsAndEvents) {
  const jox::test::ScratchDir scratch;
  const fs::path& dir = scratch.Path();
  fs::create_directories(dir / "unit");
  std::ofstream(dir / "unit" / "unit.h")
      << "enum TKind : uint8_t {\n  kA = 2,  // the first\n  kB, /* one more */ kC = 1 << 4, kD\n};\n"
         "enum TOdd { oA = SOME_MACRO, oB };\n"
         "using TKinds = TSet<TKind, Byte, true>;\n";
  const docgen::SourceIndex index(dir.string());
  const auto* kind = index.FindEnum("TKind");
  ASSERT_TRUE(kind);
  const std::vector<std::pair<std::string, long long>> want = {{"kA", 2}, {"kB", 3}, {"kC", 16}, {"kD", 17}};
  EXPECT_EQ(kind->Members, want);
  // Members after a value that cannot be read are left out rather than misnumbered.
  ASSERT_TRUE(index.FindEnum("TOdd"));
  EXPECT_TRUE(index.FindEnum("TOdd")->Members.empty());
  EXPECT_EQ(index.SetAlias("TKind"), "TKinds");

  // A real page: enumeration defaults by member name, colours by name, events with their parameters.
  const docgen::SourceIndex real(JOX_SOURCE_DIR);
  for (const docgen::DocPage& page : docgen::DocPages()) {
    if (std::string(page.Name) != "meter") continue;
    const std::string block = docgen::PageBlock(page, real);
    EXPECT_NE(block.find("| `MeterLayout` | `TMeterLayout` | `mlCirc90` | when not default |"), std::string::npos)
        << block;
    EXPECT_NE(block.find("| `ColorScale` | `TColor` | `clNavy` |"), std::string::npos);
    EXPECT_NE(block.find("| `OnBeforeDrawNeedle` | `TObject* Sender, TCanvas* Canvas, bool& NeedleDrawn` |"),
              std::string::npos);
    EXPECT_NE(block.find("| `NeedleLayout` | `TNeedleLayout` | — | always |"), std::string::npos);
    EXPECT_NE(block.find("## TNeedleLayout"), std::string::npos);
  }
}
