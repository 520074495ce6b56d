// The form text reader and the image loader when memory runs out: this program replaces operator new
// with one that fails the first allocation past a budget. Every budget below what a read needs must
// raise EOutOfMemory and leave the form (or the bitmap) exactly as it was.
#include <gtest/gtest.h>

#include "numlab/numlab.h"
#include "package/framework/graphics/imageio.h"
#include "sevenseg/sevenseg.h"
#include "tests/support/alloc_budget.h"
#include "tests/support/support.h"

using namespace jox;

namespace {
// Runs Read under budgets growing from 0 until one is enough; each failure must raise EOutOfMemory
// with Snapshot unchanged. Answers how many budgets failed.
template <class S, class F>
int EveryBudget(S&& Snapshot, F&& Read) {
  const std::string before = Snapshot();
  int failures = 0;
  for (Int64 budget = 0;; budget = budget * 5 / 4 + 32) {
    EXPECT_LT(budget, Int64(1) << 30);
    if (budget >= Int64(1) << 30) return failures;
    const Int64 failed = gFailures;
    Arm(budget);
    try {
      Read();
    } catch (const EOutOfMemory&) {
      gArmed = false;
      EXPECT_EQ(Snapshot(), before) << "budget " << budget;
      ++failures;
      continue;
    } catch (const std::exception& e) {
      gArmed = false;
      ADD_FAILURE() << "another error at budget " << budget << ": " << e.what();
      return failures;
    }
    gArmed = false;
    EXPECT_EQ(gFailures, failed) << "a failed allocation went unreported at budget " << budget;
    return failures;
  }
}
}  // namespace

TEST(FormTextAlloc, AFailedAllocationLeavesTheFormAndRaises) {
  RegisterClass<TNumLab>();
  RegisterClass<TSevenSeg>();
  TForm src(nullptr);
  src.SetName(u"Form1");
  src.SetCaption(u"source");
  src.SetBounds(0, 0, 400, 300);
  auto* lab = new TNumLab(&src);
  lab->SetName(u"Lab1");
  lab->SetParent(&src);
  lab->SetBounds(5, 5, 300, 30);
  lab->SetLeftSpace(200);
  lab->SetLeftText(u"left");
  auto* seg = new TSevenSeg(&src);
  seg->SetName(u"Seg1");
  seg->SetParent(&src);
  seg->SetBounds(5, 50, 200, 100);
  seg->SetCaption(u"12");
  const String text = WriteComponentText(&src);

  // Into a form that holds one of the components already, with other values.
  TForm f(nullptr);
  f.SetName(u"Old");
  f.SetCaption(u"before");
  auto* old = new TNumLab(&f);
  old->SetName(u"Lab1");
  old->SetLeftText(u"kept");
  const int failures = EveryBudget([&] { return ToUtf8(WriteComponentText(&f)) + std::to_string(f.ComponentCount()); },
                                   [&] { ReadComponentText(text, &f); });
  EXPECT_GT(failures, 10);
  EXPECT_EQ(WriteComponentText(&f), text);
  UnRegisterClass(TNumLab::ClassInfo());
  UnRegisterClass(TSevenSeg::ClassInfo());
}

TEST(FormTextAlloc, AFailedAllocationLeavesTheBitmapAndRaises) {
  std::vector<uint32_t> px(40 * 30);
  for (size_t i = 0; i < px.size(); ++i) px[i] = uint32_t(i * 0x10203u) & 0xFFFFFF;
  for (bool png : {false, true}) {
    SCOPED_TRACE(png ? "PNG" : "BMP");
    const std::vector<uint8_t> file = png ? imageio::EncodePng(px.data(), 40, 30) : imageio::EncodeBmp(px.data(), 40, 30, 24);
    TBitmap b;
    b.SetSize(3, 2);
    b.Canvas()->SetPixels(1, 1, clRed);
    auto snapshot = [&] {
      std::string s = std::to_string(b.Width()) + "x" + std::to_string(b.Height());
      for (Integer y = 0; y < b.Height(); ++y)
        for (Integer x = 0; x < b.Width(); ++x) s += std::to_string(b.Canvas()->Pixels(x, y)) + ",";
      return s;
    };
    EXPECT_GT(EveryBudget(snapshot, [&] { b.LoadFromMemory(file.data(), file.size()); }), 1);
    EXPECT_EQ(b.Width(), 40);
  }
}
