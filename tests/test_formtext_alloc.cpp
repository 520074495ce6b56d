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
  const int failures = EveryBudget([&] { ReadComponentText(text, &f); },
                                   [&] { return ToUtf8(WriteComponentText(&f)) + std::to_string(f.ComponentCount()); });
  EXPECT_GT(failures, 10);
  EXPECT_EQ(WriteComponentText(&f), text);
  UnRegisterClass(TNumLab::ClassInfo());
  UnRegisterClass(TSevenSeg::ClassInfo());
}

// Into a form whose controls the text moves to a new container and reorders: every failed budget
// leaves each control in its parent, z-order and tab order.
TEST(FormTextAlloc, AFailedAllocationLeavesEveryControlInItsPlace) {
  RegisterClass<test::TBox>();
  RegisterClass<TNumLab>();
  RegisterClass<TButton>();
  auto make = [](TForm& f, bool moved) {
    f.SetName(u"Form1");
    f.SetBounds(0, 0, 400, 300);
    auto* box = new test::TBox(&f);
    box->SetName(u"Box1");
    box->SetParent(&f);
    box->SetBounds(5, 5, 200, 200);
    for (const char16_t* n : {u"Btn1", u"Btn2", u"Btn3"}) {
      auto* b = new TButton(&f);
      b->SetName(n);
      b->SetParent(moved ? static_cast<TWinControl*>(box) : &f);
    }
    auto* lab = new TNumLab(&f);
    lab->SetName(u"Lab1");
    lab->SetParent(moved ? &f : static_cast<TWinControl*>(box));
    if (moved) {
      dynamic_cast<TButton*>(f.FindComponent(u"Btn1"))->BringToFront();
      dynamic_cast<TButton*>(f.FindComponent(u"Btn3"))->SetTabOrder(0);
    }
  };
  TForm src(nullptr);
  make(src, true);
  const String text = WriteComponentText(&src);

  TForm f(nullptr);
  make(f, false);
  const int failures = EveryBudget([&] { ReadComponentText(text, &f); },
                                   [&] { return test::Places(&f) + ToUtf8(WriteComponentText(&f)); });
  EXPECT_GT(failures, 10);
  EXPECT_EQ(test::Places(&f), test::Places(&src));
  UnRegisterClass(test::TBox::ClassInfo());
  UnRegisterClass(TNumLab::ClassInfo());
  UnRegisterClass(TButton::ClassInfo());
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
    EXPECT_GT(EveryBudget([&] { b.LoadFromMemory(file.data(), file.size()); }, snapshot), 1);
    EXPECT_EQ(b.Width(), 40);
  }
}
