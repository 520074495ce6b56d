// The BMP reader on arbitrary bytes: it either refuses the file with EInvalidGraphic, leaving the
// bitmap it was loaded into as it was, or gives a picture that our writer and the reader reproduce.
// Any other exception, or a read outside the file, is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzz/image_seeds.h"
#include "package/framework/graphics/graphics.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzzseeds::WriteSeedFiles(argc, argv, fuzzseeds::BmpSeeds());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  using namespace jox;
  imageio::Image img;
  try {
    img = imageio::DecodeBmp(Data, Size);
  } catch (const EInvalidGraphic&) {
    if (imageio::IsPng(Data, Size)) return 0;  // the loader's other format
    TBitmap b(2, 1);
    b.ScanLine(0)[1] = 0x123456;
    try {
      b.LoadFromMemory(Data, Size);
    } catch (const EInvalidGraphic&) {
      if (b.Width() != 2 || b.Height() != 1 || b.ScanLine(0)[1] != 0x123456) std::abort();
      return 0;
    }
    std::abort();  // the loader took what the reader refused
  }
  if (img.width <= 0 || img.height <= 0 || img.pixels.size() != size_t(img.width) * size_t(img.height)) std::abort();
  for (uint32_t p : img.pixels)
    if (p > 0xFFFFFF) std::abort();
  const std::vector<uint8_t> again = imageio::EncodeBmp(img.pixels.data(), img.width, img.height, 24);
  const imageio::Image back = imageio::DecodeBmp(again.data(), again.size());
  if (back.width != img.width || back.height != img.height || back.pixels != img.pixels) std::abort();
  return 0;
}
