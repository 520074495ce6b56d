// The drawing and setter helpers the units share: off-screen painting, pen paths, engraved text and
// store-compare-repaint.
#include <gtest/gtest.h>

#include "package/package.h"
#include "support/support.h"

using namespace jox;

namespace {

class TProbe : public TGraphicControl {
 public:
  explicit TProbe(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 20, 10); }
  void Paint() override {
    ++Paints;
    TPaintBuffer buf(this);
    buf.Canvas()->Brush()->SetColor(Fill);
    buf.Canvas()->FillRect(Rect(0, 0, buf.Width(), buf.Height()));
    buf.Flush();
  }
  void SetFill(TColor V) { StoreAndPaint(this, Fill, V); }
  TColor Fill = clRed;
  int Paints = 0;
};

class PaintHelpers : public test::FrameworkTest {};

TEST_F(PaintHelpers, BufferCopiesThePictureOnceAndLeavesSourceCopy) {
  TProbe p(nullptr);
  p.Canvas()->SetCopyMode(cmSrcAnd);
  p.Canvas()->Brush()->SetColor(clBlack);
  p.Canvas()->FillRect(Rect(0, 0, 20, 10));
  p.Paint();
  // SRCAND over black would stay black: the buffer copies with SRCCOPY whatever the canvas had.
  EXPECT_EQ(p.Canvas()->Pixels(0, 0), clRed);
  EXPECT_EQ(p.Canvas()->Pixels(19, 9), clRed);
  EXPECT_EQ(p.Canvas()->CopyMode(), cmSrcCopy);

  p.SetBounds(0, 0, 0, 0);  // an empty control paints nothing and survives
  p.Paint();
}

TEST_F(PaintHelpers, BufferTakesTheControlsFont) {
  TProbe p(nullptr);
  p.Font()->SetSize(20);
  TPaintBuffer buf(&p);
  EXPECT_EQ(buf.Canvas()->Font()->Size(), 20);
  buf.Resize(5, 4);
  EXPECT_EQ(buf.Width(), 5);
  EXPECT_EQ(buf.Canvas()->Font()->Size(), 20);
}

TEST_F(PaintHelpers, LinesLeaveOutTheEndPixelAndSetThePen) {
  TBitmap bmp(10, 10);
  TCanvas* c = bmp.Canvas();
  c->Brush()->SetColor(clWhite);
  c->FillRect(Rect(0, 0, 10, 10));
  DrawLines(c, clBlue, {{1, 8}, {1, 1}, {8, 1}});
  EXPECT_EQ(c->Pen()->Color(), clBlue);
  EXPECT_EQ(c->Pixels(1, 8), clBlue);
  EXPECT_EQ(c->Pixels(1, 1), clBlue);
  EXPECT_EQ(c->Pixels(7, 1), clBlue);
  EXPECT_EQ(c->Pixels(8, 1), clWhite);
  DrawLines(c, {});  // nothing to draw
}

TEST_F(PaintHelpers, EngravedTextIsWhiteBelowRightAndGreyOnTopWithoutBackground) {
  TBitmap bmp(40, 20);
  TCanvas* c = bmp.Canvas();
  c->Brush()->SetColor(clNavy);
  c->FillRect(Rect(0, 0, 40, 20));
  c->Font()->SetQuality(fqNonAntialiased);
  DrawEngravedText(c, 2, 2, u"I");
  int grey = 0, white = 0;
  for (Integer y = 0; y < 20; ++y)
    for (Integer x = 0; x < 40; ++x) {
      const TColor px = c->Pixels(x, y);
      if (px == clGray) {
        ++grey;
        // The white copy lies one pixel right and down of the grey one, so below-right of a grey
        // pixel is grey or white, never the background.
        EXPECT_NE(c->Pixels(x + 1, y + 1), clNavy) << x << "," << y;
      }
      if (px == clWhite) ++white;
    }
  EXPECT_GT(grey, 0);
  EXPECT_GT(white, 0);
  EXPECT_EQ(c->Pixels(39, 19), clNavy);
  EXPECT_EQ(c->Brush()->Style(), bsClear);
}

TEST_F(PaintHelpers, SetterStoresComparesAndPaintsOnlyWhenLive) {
  TProbe p(nullptr);
  p.SetFill(clRed);  // unchanged
  EXPECT_EQ(p.Paints, 0);
  p.SetFill(clLime);
  EXPECT_EQ(p.Paints, 1);
  EXPECT_EQ(p.Canvas()->Pixels(3, 3), clLime);
  p.IncludeState(csLoading);
  p.SetFill(clBlue);
  EXPECT_EQ(p.Fill, clBlue);
  EXPECT_EQ(p.Paints, 1);
  p.ExcludeState(csLoading);

  Integer field = 3;
  EXPECT_FALSE(StoreChanged(field, 3));
  EXPECT_TRUE(StoreChanged(field, 4));
  EXPECT_EQ(field, 4);
}

}  // namespace
