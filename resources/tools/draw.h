// The program that draws the package's bitmaps. Each unit that carries bitmaps adds one file here that
// registers its pictures; `jox_draw_resources DIR` writes them all to DIR as NAME.bmp.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "package/framework/graphics/graphics.h"
#include "package/framework/base/sysutils.h"

namespace jox::restool {

// One bitmap resource: its name (the file is NAME.bmp) and the routine that draws it into a fresh bitmap.
// The routine sets the size and pixel format itself.
struct Picture {
  std::string name;
  std::function<void(TBitmap&)> draw;
};

std::vector<Picture>& Pictures();

// A static Register in a unit's file adds its pictures before main runs.
struct Register {
  Register(std::string name, std::function<void(TBitmap&)> draw) {
    Pictures().push_back({std::move(name), std::move(draw)});
  }
};

}  // namespace jox::restool
