// PNG files of any content through the bitmap's loader (libpng behind our reader): a refusal is
// EInvalidGraphic and leaves the bitmap as it was; what is read comes back the same through our PNG
// writer. Seeds: our writer's files of a few sizes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/seeds.h"
#include "package/framework/framework.h"
#include "package/framework/graphics/imageio.h"

namespace {
using namespace jox;

uint32_t Sum(TBitmap& b) {
  uint32_t s = uint32_t(b.Width()) * 31u + uint32_t(b.Height());
  for (Integer y = 0; y < b.Height(); ++y)
    for (Integer x = 0; x < b.Width(); ++x) s = s * 131u + b.Canvas()->Pixels(x, y);
  return s;
}

std::vector<std::string> Seeds() {
  std::vector<std::string> out;
  for (auto [w, h] : {std::pair{1, 1}, std::pair{7, 5}, std::pair{33, 2}}) {
    std::vector<uint32_t> px(size_t(w) * size_t(h));
    for (size_t i = 0; i < px.size(); ++i) px[i] = uint32_t(i * 0x10305u) & 0xFFFFFF;
    const std::vector<uint8_t> bytes = imageio::EncodePng(px.data(), w, h);
    out.emplace_back(bytes.begin(), bytes.end());
  }
  return out;
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzzseeds::WriteCorpus(argc, argv, Seeds());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  std::vector<uint8_t> file(Data, Data + Size);
  TBitmap b;
  b.SetSize(3, 2);
  b.Canvas()->SetPixels(1, 1, clRed);
  const uint32_t before = Sum(b);
  try {
    b.LoadFromMemory(file.data(), file.size());
  } catch (const EInvalidGraphic&) {
    if (b.Width() != 3 || b.Height() != 2 || Sum(b) != before) std::abort();
    return 0;
  }
  if (b.Width() <= 0 || b.Height() <= 0) std::abort();
  if (int64_t(b.Width()) * b.Height() > 1 << 20) return 0;
  std::vector<uint32_t> px;
  for (Integer y = 0; y < b.Height(); ++y)
    for (Integer x = 0; x < b.Width(); ++x) {
      const TColor c = b.Canvas()->Pixels(x, y);  // 0x00BBGGRR to the writer's 0x00RRGGBB
      px.push_back(((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF));
    }
  const std::vector<uint8_t> again = imageio::EncodePng(px.data(), b.Width(), b.Height());
  TBitmap c;
  c.LoadFromMemory(again.data(), again.size());
  if (Sum(c) != Sum(b)) std::abort();
  return 0;
}
