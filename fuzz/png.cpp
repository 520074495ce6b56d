// PNG through the image loader on arbitrary bytes: a refusal is EInvalidGraphic and leaves the bitmap
// as it was; a picture read is opaque 0x00RRGGBB that our writer and the loader reproduce.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "fuzz/image_seeds.h"
#include "package/framework/graphics/graphics.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzzseeds::WriteSeedFiles(argc, argv, fuzzseeds::PngSeeds());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  using namespace jox;
  // Every input a PNG to the loader: the signature in front unless the bytes bring it.
  static const uint8_t sig[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> file;
  if (Size < 8 || std::memcmp(Data, sig, 8) != 0) file.assign(sig, sig + 8);
  file.insert(file.end(), Data, Data + Size);
  TBitmap b(2, 1);
  b.ScanLine(0)[1] = 0x123456;
  try {
    b.LoadFromMemory(file.data(), file.size());
  } catch (const EInvalidGraphic&) {
    if (b.Width() != 2 || b.Height() != 1 || b.ScanLine(0)[1] != 0x123456) std::abort();
    return 0;
  }
  if (b.Width() <= 0 || b.Height() <= 0) std::abort();
  for (Integer y = 0; y < b.Height(); ++y)
    for (Integer x = 0; x < b.Width(); ++x)
      if (b.ScanLine(y)[x] > 0xFFFFFF) std::abort();
  const std::vector<uint8_t> again = imageio::EncodePng(b.Bits(), b.Width(), b.Height());
  const imageio::Image back = imageio::DecodePng(again.data(), again.size());
  if (back.width != b.Width() || back.height != b.Height() ||
      std::memcmp(back.pixels.data(), b.Bits(), back.pixels.size() * 4) != 0)
    std::abort();
  return 0;
}
