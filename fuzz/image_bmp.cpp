// BMP files of any content through the bitmap's loader: what it cannot read it refuses with
// EInvalidGraphic and leaves the bitmap as it was, and what it reads comes back the same through our
// writer. AddressSanitizer sees any read outside the file. Seeds: our writer's 24- and 32-bit files and
// palette, RLE and top-down files built here.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/seeds.h"
#include "package/framework/framework.h"

namespace {
using namespace jox;

void Put16(std::string& v, uint32_t x) { v += char(x & 0xFF); v += char((x >> 8) & 0xFF); }
void Put32(std::string& v, uint32_t x) { Put16(v, x & 0xFFFF); Put16(v, x >> 16); }

std::string Bmp(int32_t w, int32_t h, int bpp, const std::vector<uint32_t>& palette, const std::string& rows,
                uint32_t compression) {
  std::string v = "BM";
  const uint32_t off = 54 + uint32_t(palette.size()) * 4;
  Put32(v, off + uint32_t(rows.size()));
  Put32(v, 0);
  Put32(v, off);
  Put32(v, 40);
  Put32(v, uint32_t(w));
  Put32(v, uint32_t(h));
  Put16(v, 1);
  Put16(v, uint32_t(bpp));
  Put32(v, compression);
  Put32(v, uint32_t(rows.size()));
  Put32(v, 3780);
  Put32(v, 3780);
  Put32(v, uint32_t(palette.size()));
  Put32(v, 0);
  for (uint32_t p : palette) Put32(v, p);
  return v + rows;
}

std::vector<std::string> Seeds() {
  std::vector<std::string> out;
  for (int bits : {24, 32}) {
    TBitmap b;
    b.SetSize(7, 5);
    for (Integer y = 0; y < 5; ++y)
      for (Integer x = 0; x < 7; ++x) b.Canvas()->SetPixels(x, y, TColor(x * 0x231F + y * 0x0B0700));
    b.SetPixelFormat(bits == 24 ? pf24bit : pf32bit);
    TMemoryStream s;
    b.SaveToStream(&s);
    out.emplace_back(reinterpret_cast<const char*>(s.Memory()), size_t(s.Size()));
  }
  const std::vector<uint32_t> pal = {0x000000, 0xFFFFFF, 0x00FF00, 0xFF0000};
  out.push_back(Bmp(8, 2, 1, {0x000000, 0xFFFFFF}, std::string("\xA5\0\0\0\x5A\0\0\0", 8), 0));
  out.push_back(Bmp(4, 2, 4, pal, std::string("\x01\x23\0\0\x32\x10\0\0", 8), 0));
  out.push_back(Bmp(4, -2, 8, pal, std::string("\x00\x01\x02\x03\x03\x02\x01\x00", 8), 0));
  out.push_back(Bmp(4, 2, 8, pal, std::string("\x04\x01\x00\x00\x00\x04\x02\x02\x03\x03\x00\x01", 12), 1));
  out.push_back(Bmp(6, 2, 4, pal, std::string("\x06\x12\x00\x00\x00\x02\x01\x02\x00\x01", 10), 2));
  out.push_back(Bmp(5, 3, 8, pal, std::string("\x00\x02\x02\x01\x03\x01\x00\x00\x00\x01", 10), 1));
  return out;
}

uint32_t Sum(TBitmap& b) {
  uint32_t s = uint32_t(b.Width()) * 31u + uint32_t(b.Height());
  for (Integer y = 0; y < b.Height(); ++y)
    for (Integer x = 0; x < b.Width(); ++x) s = s * 131u + b.Canvas()->Pixels(x, y);
  return s;
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzzseeds::WriteCorpus(argc, argv, Seeds());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  // Exactly the input, in a buffer of its own size, so a read past the end is seen.
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
  if (int64_t(b.Width()) * b.Height() > 1 << 20) return 0;  // checking a big picture costs more than it tells
  const uint32_t read = Sum(b);
  TMemoryStream s;
  b.SetPixelFormat(pf32bit);
  b.SaveToStream(&s);
  TBitmap c;
  c.LoadFromMemory(s.Memory(), size_t(s.Size()));
  if (Sum(c) != read) std::abort();
  return 0;
}
