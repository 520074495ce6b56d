// Layering: no file includes a layer above its own, and no unit includes another unit. Read from the
// include lines of the sources, so a wrong include fails here before it tangles the build.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::vector<std::string> kUnits = {"numio",  "replist",  "ntabed",    "meter",      "minical", "numlab",
                                         "onoffbut", "sevenseg", "rotlab",  "colsel",     "rasterlab",
                                         "foldertree", "repsbut", "progbar", "thumbnails", "gradfl",  "marksel"};

// Rank of a repository path: a file may include only ranks up to its own. Units share one rank and
// are told apart by name. -1: not a library file (programs and tests may include anything).
int Rank(const std::string& path) {
  auto starts = [&](const char* p) { return path.rfind(p, 0) == 0; };
  if (starts("package/framework/base/")) return 0;
  if (starts("package/framework/graphics/")) return 1;
  if (starts("package/framework/controls/")) return 2;
  if (starts("package/framework/")) return 3;  // framework.h names all three layers
  if (starts("package/core/")) return 4;
  if (starts("package/numerics/")) return 5;
  if (starts("package/backends/")) return 7;  // only programs include the backend
  if (starts("package/")) return 6;
  for (const std::string& u : kUnits)
    if (starts((u + "/").c_str())) return 8;
  return -1;
}

std::string UnitOf(const std::string& path) { return path.substr(0, path.find('/')); }

// The one dependency between units the package has: the report list's row editor builds numeric
// fields of the numio unit.
bool UnitMayInclude(const std::string& from, const std::string& to) {
  return from == to || (from == "replist" && to == "numio");
}

struct Include {
  std::string File, Target;
  int Line;
};

std::vector<Include> LibraryIncludes() {
  const fs::path root = JOX_SOURCE_DIR;
  std::vector<Include> out;
  const std::regex re(R"(^\s*#\s*include\s*\"([^\"]+)\")");
  std::vector<std::string> dirs = {"package"};
  dirs.insert(dirs.end(), kUnits.begin(), kUnits.end());
  for (const std::string& d : dirs) {
    if (!fs::exists(root / d)) continue;
    for (const auto& e : fs::recursive_directory_iterator(root / d)) {
      const std::string ext = e.path().extension().string();
      if (!e.is_regular_file() || (ext != ".h" && ext != ".cpp")) continue;
      std::ifstream in(e.path());
      std::string line;
      int n = 0;
      const std::string rel = fs::relative(e.path(), root).generic_string();
      while (std::getline(in, line)) {
        ++n;
        std::smatch m;
        if (std::regex_search(line, m, re)) out.push_back({rel, m[1].str(), n});
      }
    }
  }
  return out;
}

// Why an include breaks the layering, or "" when it is fine.
std::string Violation(const Include& inc) {
  const int from = Rank(inc.File), to = Rank(inc.Target);
  if (from < 0 || to < 0) return "";
  if (to == 8 && from == 8)
    return UnitMayInclude(UnitOf(inc.File), UnitOf(inc.Target)) ? "" : "a unit includes another unit";
  if (to == 7 && from != 7) return "the library includes the window backend";
  if (to > from) return "includes a layer above its own";
  return "";
}

TEST(Layers, RanksOfThePaths) {
  EXPECT_EQ(Rank("package/framework/base/object.h"), 0);
  EXPECT_EQ(Rank("package/framework/controls/forms.h"), 2);
  EXPECT_EQ(Rank("package/paintbuffer.h"), 6);
  EXPECT_EQ(Rank("meter/meter.h"), 8);
  EXPECT_EQ(Rank("gallery/main.cpp"), -1);
  EXPECT_NE(Violation({"package/framework/base/props.h", "package/framework/graphics/graphics.h", 1}), "");
  EXPECT_NE(Violation({"package/framework/graphics/canvas.cpp", "package/framework/controls/controls.h", 1}), "");
  EXPECT_NE(Violation({"package/framework/controls/input.cpp", "package/texts.h", 1}), "");
  EXPECT_NE(Violation({"package/core/frames.cpp", "package/backends/sdl/backend_sdl.h", 1}), "");
  EXPECT_NE(Violation({"meter/meter_scale.cpp", "numio/numio.h", 1}), "");
  EXPECT_EQ(Violation({"meter/meter_scale.cpp", "meter/meter.h", 1}), "");
  EXPECT_EQ(Violation({"replist/rowedit.cpp", "numio/numio1.h", 1}), "");
  EXPECT_NE(Violation({"numio/numio1.h", "replist/replist.h", 1}), "");
  EXPECT_EQ(Violation({"meter/meter.h", "package/framework/base/types.h", 1}), "");
}

TEST(Layers, NoFileIncludesAboveItsLayer) {
  const std::vector<Include> all = LibraryIncludes();
  ASSERT_GT(all.size(), 100u) << "sources not found under " << JOX_SOURCE_DIR;
  for (const Include& inc : all) {
    const std::string why = Violation(inc);
    EXPECT_EQ(why, "") << inc.File << ":" << inc.Line << " includes " << inc.Target;
  }
}

// A file loose in package/framework/ belongs to no layer target and escapes the checks above.
TEST(Layers, EveryFrameworkSourceLivesInALayer) {
  const fs::path dir = fs::path(JOX_SOURCE_DIR) / "package/framework";
  for (const auto& e : fs::directory_iterator(dir)) {
    if (!e.is_regular_file()) continue;
    EXPECT_EQ(e.path().filename().string(), "framework.h") << "move it into base/, graphics/ or controls/";
  }
}

}  // namespace
