// Seed pictures for the image fuzzers: what our writers produce (24- and 32-bit BMP, PNG) and, for
// the BMP reader's other paths, small files of every depth and compression it reads, laid out by
// hand since our writer never writes them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/seed_corpus.h"
#include "package/framework/graphics/imageio.h"
#include "tests/support/bmpfile.h"

namespace fuzzseeds {

inline std::vector<uint32_t> Picture(int w, int h) {
  std::vector<uint32_t> px(size_t(w) * size_t(h));
  for (size_t i = 0; i < px.size(); ++i) px[i] = uint32_t(i * 0x10305u) & 0xFFFFFF;
  return px;
}

inline std::string Bytes(const std::vector<uint8_t>& v) { return std::string(v.begin(), v.end()); }

inline std::vector<std::string> BmpSeeds() {
  using namespace jox::imageio;
  std::vector<std::string> out;
  for (auto [w, h] : {std::pair{1, 1}, {3, 2}, {7, 5}}) {
    const auto px = Picture(w, h);
    out.push_back(Bytes(EncodeBmp(px.data(), w, h, 24)));
    out.push_back(Bytes(EncodeBmp(px.data(), w, h, 32)));
  }
  using jox::test::MakeBmp;
  std::vector<uint32_t> palette(256);
  for (size_t k = 0; k < palette.size(); ++k) palette[k] = uint32_t(k * 0x0F1F2Fu) & 0xFFFFFF;
  auto first = [&](size_t n) { return std::vector<uint32_t>(palette.begin(), palette.begin() + long(n)); };
  const std::vector<uint8_t> rows4(16, 0x5A), rows32(32, 0x07);
  out.push_back(Bytes(MakeBmp(5, 4, 1, first(2), rows4)));
  out.push_back(Bytes(MakeBmp(5, 4, 4, first(16), rows4)));
  out.push_back(Bytes(MakeBmp(5, 4, 8, palette, rows32)));
  out.push_back(Bytes(MakeBmp(3, 2, 16, {}, rows4)));
  out.push_back(Bytes(MakeBmp(3, 2, 16, {0xF800, 0x07E0, 0x001F}, rows4, 3)));
  out.push_back(Bytes(MakeBmp(3, 2, 32, {0xFF0000, 0xFF00, 0xFF}, rows32, 3)));
  // RLE8: a run, a literal, a delta, end of line, end of bitmap; RLE4 the same in nibbles.
  const std::vector<uint8_t> rle = {3, 1, 0, 3, 2, 3, 4, 0, 0, 2, 1, 1, 0, 0, 2, 5, 0, 1};
  out.push_back(Bytes(MakeBmp(8, 3, 8, first(8), rle, 1)));
  out.push_back(Bytes(MakeBmp(8, 3, 4, first(16), rle, 2)));
  out.push_back(Bytes(MakeBmp(4, -3, 24, {}, std::vector<uint8_t>(36, 0x11))));  // top-down
  out.push_back(Bytes(MakeBmp(4, 2, 24, {}, std::vector<uint8_t>(24, 0x22), 0, 108)));  // a version-4 header
  return out;
}

inline std::vector<std::string> PngSeeds() {
  using namespace jox::imageio;
  std::vector<std::string> out;
  for (auto [w, h] : {std::pair{1, 1}, {3, 2}, {17, 9}}) {
    const auto px = Picture(w, h);
    out.push_back(Bytes(EncodePng(px.data(), w, h)));
  }
  return out;
}

}  // namespace fuzzseeds
