// The form text reader and the image loader when memory runs out: every budget below what a read
// needs must raise EOutOfMemory and leave the form's components or the bitmap as they were; the
// budget that is enough must give what was written.
#include <gtest/gtest.h>

#include "meter/meter.h"
#include "package/framework/base/formtext.h"
#include "package/framework/controls/forms.h"
#include "package/framework/graphics/graphics.h"
#include "package/framework/graphics/imageio.h"
#include "tests/support/alloc_budget.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

std::vector<uint32_t> Picture(Integer w, Integer h) {
  std::vector<uint32_t> px(size_t(w) * size_t(h));
  for (size_t i = 0; i < px.size(); ++i) px[i] = uint32_t(i * 0x10305u) & 0xFFFFFF;
  return px;
}

}  // namespace

TEST(LoadAlloc, AFailedAllocationLeavesTheBitmapAndRaises) {
  const auto px = Picture(40, 30);
  const std::vector<std::vector<uint8_t>> files = {imageio::EncodePng(px.data(), 40, 30),
                                                   imageio::EncodeBmp(px.data(), 40, 30, 24)};
  const jox::test::ScratchDir dir;
  for (const auto& file : files) {
    const String name = dir.File("picture");
    imageio::WriteFile(ToUtf8(name), file);
    TMemoryStream stream;
    stream.WriteBuffer(file.data(), Int64(file.size()));
    TBitmap b(3, 2);
    b.ScanLine(1)[2] = 0xABCDEF;
    auto same = [&] { return b.Width() == 3 && b.Height() == 2 && b.ScanLine(1)[2] == 0xABCDEF; };
    auto loaded = [&] { return b.Width() == 40 && b.Height() == 30 && std::equal(px.begin(), px.end(), b.Bits()); };
    EXPECT_GT(EveryBudget([&] { b.LoadFromMemory(file.data(), file.size()); }, same), 5) << "memory";
    EXPECT_TRUE(loaded());
    b.SetSize(3, 2);
    b.ScanLine(1)[2] = 0xABCDEF;
    EXPECT_GT(EveryBudget([&] {
      stream.SetPosition(0);
      b.LoadFromStream(&stream);
    }, same), 5) << "stream";
    EXPECT_TRUE(loaded());
    b.SetSize(3, 2);
    b.ScanLine(1)[2] = 0xABCDEF;
    EXPECT_GT(EveryBudget([&] { b.LoadFromFile(name); }, same), 5) << "file";
    EXPECT_TRUE(loaded());
  }
}

// The header of a picture file claims its size; a few bytes of data claiming 16000 x 16000 pixels
// are refused before a block of that size is asked for.
TEST(LoadAlloc, HostileSizesClaimNoMemory) {
  const auto px = Picture(1, 1);
  std::vector<uint8_t> png = imageio::EncodePng(px.data(), 1, 1);
  // IHDR: length, name, width and height from byte 16 on, CRC over name and data.
  auto put32 = [&](size_t at, uint32_t v) {
    for (int k = 0; k < 4; ++k) png[at + size_t(k)] = uint8_t(v >> (24 - 8 * k));
  };
  put32(16, 16000);
  put32(20, 16000);
  uint32_t crc = 0xFFFFFFFF;
  for (size_t i = 12; i < 29; ++i) {
    crc ^= png[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  put32(29, ~crc);
  TBitmap b(3, 2);
  Arm(Int64(1) << 40);
  EXPECT_THROW(b.LoadFromMemory(png.data(), png.size()), EInvalidGraphic);
  // The same with an image data chunk claiming two gigabytes, cut short after its name.
  std::vector<uint8_t> cut(png.begin(), png.begin() + 33);
  cut.insert(cut.end(), {0x7F, 0xFF, 0xFF, 0xFF, 'I', 'D', 'A', 'T', 0x78, 0x9C});
  EXPECT_THROW(b.LoadFromMemory(cut.data(), cut.size()), EInvalidGraphic);
  gArmed = false;
  EXPECT_LT(gPeakBlock, 1 << 20);
  EXPECT_EQ(b.Width(), 3);
}

TEST(LoadAlloc, AFailedAllocationLeavesTheFormsComponentsAndRaises) {
  RegisterClass<TMeter>();
  TForm source(nullptr);
  source.SetName(u"F");
  for (int k = 1; k <= 3; ++k) {
    auto* m = new TMeter(&source);
    m->SetName(u"Meter" + IntToStr(k));
    m->SetParent(&source);
    m->SetBounds(10 * k, 10, 200, 150);
    m->SetCaption(u"caption " + IntToStr(k));
    m->SetValue(k);
  }
  const String text = WriteComponentText(&source);

  TForm form(nullptr);
  form.SetName(u"F");
  auto* keep = new TMeter(&form);
  keep->SetName(u"Keep");
  auto names = [&] {
    String s;
    for (Integer i = 0; i < form.ComponentCount(); ++i) s += form.Components(i)->Name() + u",";
    return s;
  };
  auto settled = [&] {
    for (Integer i = 0; i < form.ComponentCount(); ++i)
      if (form.Components(i)->ComponentState() & csLoading) return false;
    return true;
  };
  EXPECT_GT(EveryBudget([&] { ReadComponentText(text, &form); }, [&] { return names() == u"Keep," && settled(); }), 5)
      << "into a form";
  EXPECT_EQ(names(), u"Keep,Meter1,Meter2,Meter3,");
  EXPECT_EQ(dynamic_cast<TMeter*>(form.FindComponent(u"Meter3"))->Caption(), u"caption 3");

  RegisterClass<TForm>();
  TForm owner(nullptr);
  EXPECT_GT(EveryBudget([&] { delete ReadComponentTextNew(text, &owner); }, [&] { return owner.ComponentCount() == 0; }),
            5) << "new";
  UnRegisterClass(TForm::ClassInfo());
  UnRegisterClass(TMeter::ClassInfo());
}
