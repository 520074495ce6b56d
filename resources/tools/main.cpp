// jox_draw_resources [DIR] [NAME...]: draws the package's bitmaps into DIR (default "resources"),
// all of them or only the ones named.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "resources/tools/draw.h"

namespace jox::restool {

std::vector<Picture>& Pictures() {
  static std::vector<Picture> pictures;
  return pictures;
}

}  // namespace jox::restool

int main(int argc, char** argv) {
  using namespace jox;
  const std::string dir = argc > 1 ? argv[1] : "resources";
  const std::vector<std::string> only(argv + std::min(argc, 2), argv + argc);
  int written = 0;
  for (const restool::Picture& p : restool::Pictures()) {
    if (!only.empty() && std::find(only.begin(), only.end(), p.name) == only.end()) continue;
    TBitmap bmp;
    p.draw(bmp);
    const std::string file = dir + "/" + p.name + ".bmp";
    bmp.SaveToFile(FromUtf8(file));
    std::printf("%s (%dx%d)\n", file.c_str(), bmp.Width(), bmp.Height());
    ++written;
  }
  return written > 0 || restool::Pictures().empty() ? 0 : 1;
}
