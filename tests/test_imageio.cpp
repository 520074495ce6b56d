// BMP and PNG files: round trips, the bit depths and row orders read, malformed input, resources.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "package/framework/graphics/graphics.h"
#include "package/framework/graphics/imageio.h"
#include "tests/support/bmpfile.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

using test::MakeBmp;

void Sample(TBitmap& b) {
  b.SetSize(5, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) b.Canvas()->SetPixels(x, y, RGB(Byte(40 * x), Byte(80 * y), Byte(7 * x + y)));
}

void ExpectSame(TBitmap& a, TBitmap& b) {
  ASSERT_EQ(a.Width(), b.Width());
  ASSERT_EQ(a.Height(), b.Height());
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) ASSERT_EQ(a.Canvas()->Pixels(x, y), b.Canvas()->Pixels(x, y)) << x << "," << y;
}

}  // namespace

TEST(ImageIO, RoundTripsThroughFiles) {
  const jox::test::ScratchDir dir;
  for (const char* ext : {".bmp", ".png"})
    for (TPixelFormat pf : {pf24bit, pf32bit}) {
      TBitmap a;
      Sample(a);
      a.SetPixelFormat(pf);
      const String name = dir.File(std::string("sample") + ext);
      a.SaveToFile(name);
      TBitmap b;
      b.LoadFromFile(name);
      ExpectSame(a, b);
    }
}

TEST(ImageIO, RoundTripsThroughStreamsLeavingWhatFollows) {
  TBitmap a;
  Sample(a);
  TMemoryStream s;
  a.SaveToStream(&s);
  const Int64 end = s.Position();
  const char tail[] = "tail";
  s.WriteBuffer(tail, 4);
  s.SetPosition(0);
  TBitmap b;
  b.LoadFromStream(&s);
  ExpectSame(a, b);
  EXPECT_EQ(s.Position(), end);
}

TEST(ImageIO, ReadsPaletteDepthsAndRowOrders) {
  const std::vector<uint32_t> pal = {0x000000, 0x0000FF /* red (BGRX) */, 0x00FF00, 0xFF0000};
  struct Case { int bpp; int32_t h; std::vector<uint8_t> rows; };
  // 3 x 2 pictures: stored rows, 4-byte aligned, bottom-up unless h < 0.
  const Case cases[] = {
      {1, 2, {0x40, 0, 0, 0, 0xA0, 0, 0, 0}},              // bottom 0 1 0, top 1 0 1
      {4, 2, {0x01, 0x00, 0, 0, 0x10, 0x10, 0, 0}},          // bottom 0 1 0, top 1 0 1
      {8, 2, {0, 1, 0, 0, 1, 0, 1, 0}},
      {8, -2, {1, 0, 1, 0, 0, 1, 0, 0}},                     // top-down
  };
  for (const Case& k : cases) {
    const auto bytes = MakeBmp(3, k.h, k.bpp, k.bpp == 1 ? std::vector<uint32_t>{0x000000, 0x0000FF} : pal, k.rows);
    TBitmap b;
    b.LoadFromMemory(bytes.data(), bytes.size());
    ASSERT_EQ(b.Width(), 3);
    ASSERT_EQ(b.Height(), 2);
    const TColor R = clBlue, K = clBlack;  // palette entry 1 is blue (BGRX 0x0000FF read as B=0xFF)
    const TColor want[2][3] = {{R, K, R}, {K, R, K}};
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x) EXPECT_EQ(b.Canvas()->Pixels(x, y), want[y][x]) << k.bpp << " " << x << "," << y;
  }
}

TEST(ImageIO, ReadsRle8) {
  // 4 x 2: bottom row a run of 4 index 1, top row literal 2 2 3 3.
  const std::vector<uint8_t> rle = {4, 1, 0, 0, 0, 4, 2, 2, 3, 3, 0, 1};
  const auto bytes = MakeBmp(4, 2, 8, {0x000000, 0xFFFFFF, 0x00FF00, 0xFF0000}, rle, 1);
  TBitmap b;
  b.LoadFromMemory(bytes.data(), bytes.size());
  EXPECT_EQ(b.Canvas()->Pixels(0, 1), clWhite);
  EXPECT_EQ(b.Canvas()->Pixels(0, 0), clLime);
  EXPECT_EQ(b.Canvas()->Pixels(3, 0), clRed);  // BGRX 0xFF0000 is red
}

TEST(ImageIO, MalformedFilesRaiseClearErrors) {
  TBitmap good;
  Sample(good);
  TMemoryStream s;
  good.SaveToStream(&s);
  std::vector<uint8_t> bmp(s.Memory(), s.Memory() + s.Size());
  const std::vector<uint8_t> png = imageio::EncodePng(good.Bits(), 5, 3);
  std::vector<std::vector<uint8_t>> bad = {
      {}, {'B'}, {'B', 'M', 0, 0}, {'x', 'y', 'z'},
      std::vector<uint8_t>(bmp.begin(), bmp.begin() + 60),  // truncated pixels
      std::vector<uint8_t>(png.begin(), png.begin() + 40),  // truncated PNG
  };
  auto huge = bmp;  // a header claiming 60000 x 60000 pixels with a few bytes of data
  huge[18] = 0x60; huge[19] = 0xEA; huge[22] = 0x60; huge[23] = 0xEA;
  bad.push_back(huge);
  auto depth = bmp;
  depth[28] = 7;  // no such bit depth
  bad.push_back(depth);
  auto crc = png;
  crc[30] ^= 0xFF;  // damage inside the header chunk
  bad.push_back(crc);
  auto negative = bmp;
  negative[18] = 0; negative[19] = 0; negative[20] = 0; negative[21] = 0x80;  // width -2^31
  bad.push_back(negative);
  for (size_t i = 0; i < bad.size(); ++i) {
    TBitmap b;
    EXPECT_THROW(b.LoadFromMemory(bad[i].data(), bad[i].size()), EInvalidGraphic) << i;
  }
  TBitmap b;
  EXPECT_THROW(b.LoadFromFile(u"/nonexistent/dir/file.bmp"), EFOpenError);
}

TEST(ImageIO, ResourcesByNameCaseInsensitive) {
  TBitmap b;
  b.LoadFromResourceName(HInstance, u"joxtest");
  ASSERT_EQ(b.Width(), 4);
  ASSERT_EQ(b.Height(), 3);
  EXPECT_EQ(b.Canvas()->Pixels(0, 0), clRed);
  EXPECT_EQ(b.Canvas()->Pixels(2, 1), TColor(0xEBBEEB));
  EXPECT_EQ(b.Canvas()->Pixels(3, 2), RGB(0, 128, 128));
  try {
    b.LoadFromResourceName(HInstance, u"NOSUCHRESOURCE");
    FAIL() << "no error";
  } catch (const EResNotFound& e) {
    EXPECT_EQ(e.Message(), u"Resource NOSUCHRESOURCE not found");
  }
  EXPECT_EQ(b.Width(), 4);  // a failed load keeps the picture
}

// Bit-field masks sit right after a 40-byte header or inside a longer one; a header between the two
// sizes in a file that ends before the masks do was read past its end.
TEST(ImageIO, ColourMasksPastTheFileAreRefused) {
  const std::vector<uint8_t> pixel = {0x1F, 0x00, 0, 0};
  for (uint32_t header : {44u, 46u}) {
    auto bytes = MakeBmp(1, 1, 16, {}, pixel, 3, header);
    ASSERT_LT(bytes.size(), 14u + 52u);
    TBitmap b(2, 2);
    EXPECT_THROW(b.LoadFromMemory(bytes.data(), bytes.size()), EInvalidGraphic) << header;
    EXPECT_EQ(b.Width(), 2);
  }
  // With the masks all there, the short header reads them in place: blue from the low five bits.
  auto whole = MakeBmp(1, 1, 16, {}, {}, 3, 44);
  whole[54] = 0x00, whole[55] = 0xF8;                                     // red, the header's last field
  whole.insert(whole.end(), {0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0});           // green, blue
  whole.insert(whole.end(), pixel.begin(), pixel.end());
  whole[10] = 14 + 52;                                                    // the pixels after them
  TBitmap b;
  b.LoadFromMemory(whole.data(), whole.size());
  EXPECT_EQ(b.Canvas()->Pixels(0, 0), clBlue);
}

// RLE deltas move the pen right; enough of them once ran the column past 2^31 and wrote the next
// run before the picture's buffer.
TEST(ImageIO, RleDeltasBeyondThePictureAreDropped) {
  std::vector<uint8_t> rle;
  const size_t deltas = (size_t(1) << 31) / 255 + 2;
  rle.reserve(deltas * 4 + 4);
  for (size_t k = 0; k < deltas; ++k) rle.insert(rle.end(), {0, 2, 255, 0});
  rle.insert(rle.end(), {4, 1, 0, 1});
  const auto bytes = MakeBmp(2, 1, 8, {0x0000FF, 0xFFFFFF}, rle, 1);
  TBitmap b;
  b.LoadFromMemory(bytes.data(), bytes.size());
  EXPECT_EQ(b.Canvas()->Pixels(0, 0), clBlue);  // index 0 (BGRX 0x0000FF), never overwritten
  EXPECT_EQ(b.Canvas()->Pixels(1, 0), clBlue);
}

// A mask with a gap (blue 0xF0F0) reads its lowest run; the bits above the gap once spilled into
// red and green and beyond the colour's 24 bits.
TEST(ImageIO, MasksWithGapsStayInTheirChannel) {
  const auto bytes = MakeBmp(1, 1, 32, {0xFF0000, 0x00FF00, 0x00F0F0}, {0x00, 0xF0, 0x00, 0x00}, 3);
  TBitmap b;
  b.LoadFromMemory(bytes.data(), bytes.size());
  EXPECT_EQ(b.ScanLine(0)[0], 0x00F000u);  // green 0xF0; blue's low run is clear
}
