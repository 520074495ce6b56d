// The thumbnail strip: layout and scroll position, hit-testing, what is requested and how it is
// drawn, the focus highlight, selection by clicks and setters, and the wheel.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "package/core/errors.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/input.h"
#include "tests/support/support.h"
#include "thumbnails/thumbnails.h"

using namespace jox;

namespace {

constexpr Integer P = 136, S = 134, M = 7;  // pitch and slide side with the defaults

// A strip on a form (mouse input needs one), wide enough for Cols columns.
class ThumbsTest : public test::FrameworkTest {
 protected:
  void Place(Integer cols, Integer height = 400) {
    form = std::make_unique<TForm>(nullptr);
    form->SetClientWidth(600);
    form->SetClientHeight(600);
    t = new TThumbnails(form.get());
    t->SetParent(form.get());
    t->SetBounds(0, 0, 20 - 2 + cols * P, height);
    t->Paint();
  }
  TColor At(Integer x, Integer y) { return t->Canvas()->Pixels(x, y); }
  // The slides requested by one paint, in order.
  std::vector<Integer> Requests() {
    std::vector<Integer> got;
    t->SetOnImageRequest([&](TObject*, Integer id, TImageRequestProcessing&, Integer&, TBitmap*&) { got.push_back(id); });
    t->Paint();
    t->SetOnImageRequest(nullptr);
    return got;
  }

  std::unique_ptr<TForm> form;
  TThumbnails* t = nullptr;
};

const TColor kFace = ColorToRGB(clBtnFace);

}  // namespace

TEST_F(ThumbsTest, DefaultsAndLayout) {
  TThumbnails d(nullptr);
  EXPECT_EQ(d.Width(), 260);
  EXPECT_EQ(d.Height(), 400);
  for (const TPropInfo& p : TThumbnails::ClassInfo().Props)
    EXPECT_TRUE(!p.Default || p.IsDefault(d)) << ToUtf8(p.Name);
  EXPECT_EQ(d.NumSlidesHoriz(), 2);
  EXPECT_EQ(d.FirstThumbIdx(), 1.0);
  d.Paint();
  EXPECT_EQ(d.NumSlidesHoriz(), 1);
  EXPECT_EQ(d.NumSlidesVert(), 3);
  EXPECT_EQ(d.FocusedSlide(), 0);
  EXPECT_EQ(d.NumSlidesSelected(), 0);

  d.SetSlideSize(10);
  EXPECT_EQ(d.SlideSize(), 50);
  d.SetSlideSize(1000);
  EXPECT_EQ(d.SlideSize(), 260);
  d.SetSlideDistance(-3);
  EXPECT_EQ(d.SlideDistance(), 0);
  d.SetSlideMargin(500);
  EXPECT_EQ(d.SlideMargin(), 100);
  d.SetFocusLinewidth(11);
  EXPECT_EQ(d.FocusLinewidth(), 10);
  d.SetMax(-5);
  EXPECT_EQ(d.Max(), 1);
}

TEST_F(ThumbsTest, FirstThumbIdxStoresTheRowPosition) {
  Place(2);
  ASSERT_EQ(t->NumSlidesHoriz(), 2);
  struct Case {
    double in, stored;
  } cases[] = {{6, 5.5}, {5, 5}, {5.5, 5.25}, {1, 1}, {0, 1}, {-7, 1}, {100, 99.5}, {1000, 99.5}};
  for (const Case& c : cases) {
    t->SetFirstThumbIdx(c.in);
    EXPECT_EQ(t->FirstThumbIdx(), c.stored) << c.in;
  }
  // A range starting at 0 keeps the grid of the slides above it.
  t->SetMin(0);
  t->SetFirstThumbIdx(0);
  EXPECT_EQ(t->FirstThumbIdx(), -0.5);
  Integer x = 0, y = 0;
  t->CalcSlidePos(0, x, y);
  EXPECT_EQ(x, 10 + P);
  EXPECT_EQ(y, 12 - P / 2);
}

TEST_F(ThumbsTest, HitTesting) {
  Place(2);
  EXPECT_EQ(t->CalcSlideIndex(10 + 60, 12 + 60), 1);
  EXPECT_EQ(t->CalcSlideIndex(10 + P + 60, 12 + 60), 2);
  EXPECT_EQ(t->CalcSlideIndex(10 + 60, 12 + P + 60), 3);
  EXPECT_EQ(t->CalcSlideIndex(10 + S, 12 + S), 1);       // the box's last pixels count
  EXPECT_EQ(t->CalcSlideIndex(10 + S + 1, 60), 0);       // the gap between columns
  EXPECT_EQ(t->CalcSlideIndex(60, 12 + S + 1), 0);       // and between rows
  EXPECT_EQ(t->CalcSlideIndex(9, 60), 0);                // the edge margin
  EXPECT_EQ(t->CalcSlideIndex(60, 9), 0);
  EXPECT_EQ(t->CalcSlideIndex(60, t->Height() - 9), 0);
  EXPECT_EQ(t->CalcSlideIndex(t->Width() - 9, 60), 0);
  EXPECT_EQ(t->CalcSlideIndex(t->Width() - 10, 60), 2);  // the last pixels inside the margin count
  EXPECT_EQ(t->CalcSlideIndex(60, t->Height() - 10), 5);
  t->SetMax(2);
  EXPECT_EQ(t->CalcSlideIndex(10 + 60, 12 + P + 60), 0);  // beyond Max

  // Every visible slide is found at its own position, half scrolled too.
  t->SetMax(100);
  t->SetFirstThumbIdx(8);  // 7.5: the row of 7 and 8 half out
  for (Integer s = 7; s <= 12; ++s) {
    Integer x = 0, y = 0;
    t->CalcSlidePos(s, x, y);
    const Integer cy = std::max(y + S / 2, 10);
    EXPECT_EQ(t->CalcSlideIndex(x + S / 2, std::max(cy, y + S - 5)), s) << s;
  }
}

// The last slide of the range is as much a slide as any: found, drawn, clicked and selected.
TEST_F(ThumbsTest, TheSlideAtMaxCountsLikeAnyOther) {
  Place(2);
  t->SetMax(3);
  std::vector<Integer> clicked;
  t->SetOnImageClick([&](TObject*, Integer, Integer, Integer id) { clicked.push_back(id); });
  Integer x = 0, y = 0;
  t->CalcSlidePos(3, x, y);
  EXPECT_EQ(t->CalcSlideIndex(x + S / 2, y + S / 2), 3);
  EXPECT_EQ(t->CalcSlideIndex(x + P + S / 2, y + S / 2), 0);  // slide 4 is past Max
  EXPECT_EQ(At(x + S / 2, y + M + 2), ColorToRGB(clSilver));   // drawn
  input::Click(t, x + S / 2, y + S / 2);
  EXPECT_TRUE(t->SlideSelected(3));
  EXPECT_EQ(t->FirstSelectedSlide(), 3);
  EXPECT_EQ(clicked, (std::vector<Integer>{3}));
  // Scrolled to its end, the strip still shows Max at the top.
  t->SetMax(100);
  t->SetFirstThumbIdx(100);
  EXPECT_EQ(t->CalcSlideIndex(10 + P + 60, 12 + 60), 100);
}

TEST_F(ThumbsTest, RequestsOnlyVisibleSlides) {
  Place(2);
  EXPECT_EQ(Requests(), (std::vector<Integer>{1, 3, 5, 2, 4, 6}));  // column by column
  t->SetHeight(280);  // a third row would start below the bottom strip
  EXPECT_EQ(Requests(), (std::vector<Integer>{1, 3, 2, 4}));
  t->SetMax(3);
  EXPECT_EQ(Requests(), (std::vector<Integer>{1, 3, 2}));

  // Scrolled by 30% of a row, the fourth row shows at the bottom: it is requested and drawn.
  t->SetMax(100);
  t->SetHeight(400);
  t->SetFirstThumbIdx(1 + 0.3 * 2);
  EXPECT_EQ(Requests().size(), 8u);
  EXPECT_EQ(t->NumSlidesVert(), 4);
  Integer x = 0, y = 0;
  t->CalcSlidePos(7, x, y);
  ASSERT_LT(y + 2, 390);
  EXPECT_EQ(At(x + 40, 388), ColorToRGB(clSilver));

  int first = 0, last = 0;
  t->SetOnFirstImageRequest([&](TObject*) { EXPECT_EQ(last, first); ++first; });
  t->SetOnLastImageRequest([&](TObject*) { ++last; });
  t->Paint();
  EXPECT_EQ(first, 1);
  EXPECT_EQ(last, 1);
}

TEST_F(ThumbsTest, ProcessingModes) {
  Place(1);
  const Integer x = 10, y = 12;
  TImageRequestProcessing mode = irpShowEmpty;
  t->SetOnImageRequest([&](TObject*, Integer, TImageRequestProcessing& how, Integer&, TBitmap*&) { how = mode; });
  t->Paint();
  EXPECT_EQ(At(x + M + 3, y + M + 23), clWhite);  // the empty page
  EXPECT_EQ(At(x + 3, y + 40), clSilver);         // the cover round it
  bool ink = false;                               // the slide number at the centre
  for (Integer dy = -4; dy <= 4; ++dy)
    for (Integer dx = -8; dx <= 8; ++dx) ink |= (At(x + S / 2 + dx, y + S / 2 + dy) & 0xFF) < 64;
  EXPECT_TRUE(ink);

  mode = irpShowFrameOnly;
  t->Paint();
  EXPECT_EQ(At(x + M + 3, y + M + 23), clSilver);
  EXPECT_EQ(At(x, y), clWhite);  // the raised frame

  mode = irpShowNothing;
  t->Paint();
  EXPECT_EQ(At(x + M + 3, y + M + 23), kFace);
  EXPECT_EQ(At(x, y), kFace);
  EXPECT_EQ(At(x + S / 2, y + S / 2), kFace);
}

TEST_F(ThumbsTest, PicturesKeepTheirAspect) {
  Place(1);
  const Integer x = 10, y = 12;
  TBitmap portrait(60, 120), landscape(120, 60);
  portrait.Canvas()->Brush()->SetColor(clRed);
  portrait.Canvas()->FillRect(Rect(0, 0, 60, 120));
  landscape.Canvas()->Brush()->SetColor(clLime);
  landscape.Canvas()->FillRect(Rect(0, 0, 120, 60));
  TBitmap* pic = &portrait;
  int mark = -1;
  t->SetOnImageRequest([&](TObject*, Integer, TImageRequestProcessing& how, Integer& m, TBitmap*& buf) {
    how = irpShowSlide;
    m = mark;
    buf->Assign(pic);
  });
  t->Paint();
  const Integer l = x + M + 30, top = y + M;  // 60 wide, centred; 120 high
  EXPECT_EQ(At(l + 2, top + 60), clRed);
  EXPECT_EQ(At(l + 57, top + 60), clRed);
  EXPECT_EQ(At(l + 30, top + 2), clRed);
  EXPECT_EQ(At(l + 30, top + 117), clRed);
  EXPECT_EQ(At(l - 1, top + 60), clSilver);
  EXPECT_EQ(At(l + 61, top + 60), clSilver);

  pic = &landscape;
  mark = 11;  // a filled circle
  t->SetColorMark(clBlue);
  const Integer lt = y + M + 30;
  EXPECT_EQ(At(x + M + 60, lt + 2), clLime);
  EXPECT_EQ(At(x + M + 60, lt + 57), clLime);
  EXPECT_EQ(At(x + M + 60, lt - 1), clSilver);
  EXPECT_EQ(At(x + 10, y + 12), clBlue);
}

TEST_F(ThumbsTest, AntiAliasAveragesShrunkPictures) {
  Place(1);
  TBitmap checker(240, 240);
  for (Integer yy = 0; yy < 240; ++yy)
    for (Integer xx = 0; xx < 240; ++xx) checker.Canvas()->SetPixels(xx, yy, (xx + yy) % 2 ? clBlack : clWhite);
  t->SetOnImageRequest([&](TObject*, Integer, TImageRequestProcessing& how, Integer&, TBitmap*& buf) {
    how = irpShowSlide;
    buf = &checker;  // the application's own bitmap: the strip must not free it
  });
  t->Paint();
  const TColor sharp = At(10 + M + 60, 12 + M + 60);
  EXPECT_TRUE(sharp == clBlack || sharp == clWhite);
  t->SetAntiAlias(true);
  EXPECT_TRUE(test::ColorNear(At(10 + M + 60, 12 + M + 60), RGB(128, 128, 128), 2));
  EXPECT_EQ(checker.Width(), 240);
}

TEST_F(ThumbsTest, SharedBufferAndReentry) {
  Place(1);
  // A handler that empties the variable gets a buffer again on the next request.
  std::vector<bool> had;
  int nested = 0;
  t->SetOnImageRequest([&](TObject*, Integer id, TImageRequestProcessing&, Integer&, TBitmap*& buf) {
    had.push_back(buf != nullptr);
    buf = nullptr;
    t->SetColorCover(id % 2 ? clRed : clGreen);  // repaints: skipped while this paint runs
  });
  t->SetOnFirstImageRequest([&](TObject*) { ++nested; });
  t->Paint();
  EXPECT_EQ(had, (std::vector<bool>{true, true, true}));
  EXPECT_EQ(nested, 1);

  // A throwing handler leaves the strip able to paint again.
  t->SetOnImageRequest([&](TObject*, Integer, TImageRequestProcessing&, Integer&, TBitmap*&) {
    throw EJOXError(u"no picture");
  });
  EXPECT_THROW(t->Paint(), EJOXError);
  t->SetOnImageRequest(nullptr);
  t->Paint();
  EXPECT_EQ(nested, 3);
}

TEST_F(ThumbsTest, FocusHighlight) {
  Place(2);
  int changes = 0;
  t->SetOnFocusChange([&](TObject*) { ++changes; });
  input::MouseMove(t, 10 + 60, 12 + 60);
  EXPECT_EQ(t->FocusedSlide(), 1);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(At(10 + 2, 12 + 60), clBlue);  // X + 1 + k with k = 1
  input::MouseMove(t, 10 + 70, 12 + 70);   // same slide
  EXPECT_EQ(changes, 1);
  input::MouseMove(t, 10 + P + 60, 12 + 60);
  EXPECT_EQ(t->FocusedSlide(), 2);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(At(10 + 2, 12 + 60), clSilver);  // removed from slide 1
  EXPECT_EQ(At(10 + P + 2, 12 + 60), clBlue);
  t->Paint();  // a repaint keeps it
  EXPECT_EQ(At(10 + P + 2, 12 + 60), clBlue);
  input::MouseMove(t, 10 + S + 1, 60);  // the gap: no slide highlighted
  EXPECT_EQ(t->FocusedSlide(), 0);
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(At(10 + P + 2, 12 + 60), clSilver);

  t->SetFocusLinewidth(3);
  input::MouseMove(t, 60, 60);
  EXPECT_EQ(At(10 + 4, 60), clBlue);  // three lines
  EXPECT_EQ(At(10 + 5, 60), clSilver);
  t->SetFocusLinewidth(0);
  EXPECT_EQ(At(10 + 2, 60), clSilver);
  input::MouseMove(t, 10 + P + 60, 60);
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(t->FocusedSlide(), 1);
}

TEST_F(ThumbsTest, ClicksSelect) {
  Place(2);
  std::vector<Integer> clicked, dbl;
  t->SetOnImageClick([&](TObject*, Integer, Integer, Integer id) { clicked.push_back(id); });
  t->SetOnImageDblClick([&](TObject*, Integer, Integer, Integer id) { dbl.push_back(id); });
  input::Click(t, 60, 60);
  EXPECT_TRUE(t->SlideSelected(1));
  EXPECT_EQ(At(10 + 20, 12 + 3), clNavy);
  input::Click(t, 10 + P + 60, 60);
  EXPECT_FALSE(t->SlideSelected(1));
  EXPECT_TRUE(t->SlideSelected(2));
  input::Click(t, 10 + S + 1, 60);  // a gap clears the selection and still reports
  EXPECT_EQ(t->NumSlidesSelected(), 0);
  EXPECT_EQ(clicked, (std::vector<Integer>{1, 2, 0}));
  input::Click(t, 60, 60, mbRight);
  EXPECT_EQ(clicked.size(), 3u);

  Application->AdvanceClock(1000);
  input::DoubleClick(t, 60, 12 + P + 60);
  EXPECT_EQ(dbl, (std::vector<Integer>{3}));

  t->SetSlideSelectMode(ssmDisabled);
  EXPECT_EQ(t->NumSlidesSelected(), 0);
  Application->AdvanceClock(1000);
  input::Click(t, 60, 60);
  EXPECT_EQ(t->NumSlidesSelected(), 0);
  EXPECT_EQ(clicked.back(), 1);

  // Several: a click toggles, Ctrl adds, Shift adds the run from the last clicked slide.
  t->SetSlideSelectMode(ssmMultiple);
  auto clickSlide = [&](Integer s, TShiftState shift = {}) {
    Integer x = 0, y = 0;
    t->CalcSlidePos(s, x, y);
    Application->AdvanceClock(1000);
    input::Click(t, x + 50, y + 50, mbLeft, shift);
  };
  clickSlide(1);
  clickSlide(4);
  EXPECT_EQ(t->NumSlidesSelected(), 2);
  clickSlide(1);
  EXPECT_FALSE(t->SlideSelected(1));
  clickSlide(4, ssCtrl);
  EXPECT_TRUE(t->SlideSelected(4));
  clickSlide(2, ssShift);
  EXPECT_EQ(t->NumSlidesSelected(), 3);  // 2, 3, 4
  EXPECT_EQ(t->FirstSelectedSlide(), 2);
}

TEST_F(ThumbsTest, SelectionFollowsTheRange) {
  Place(2);
  t->SetSlideSelected(0, true);    // outside: ignored
  t->SetSlideSelected(101, true);
  EXPECT_EQ(t->NumSlidesSelected(), 0);
  EXPECT_EQ(t->FirstSelectedSlide(), 0);  // Min - 1: none
  t->SetSlideSelected(5, true);
  t->SetSlideSelected(90, true);
  t->SetMin(3);
  EXPECT_TRUE(t->SlideSelected(5));
  EXPECT_FALSE(t->SlideSelected(4));
  EXPECT_EQ(t->FirstSelectedSlide(), 5);
  t->SetMax(50);
  EXPECT_FALSE(t->SlideSelected(90));
  EXPECT_EQ(t->NumSlidesSelected(), 1);
  t->SetSlideSelected(50, true);
  EXPECT_TRUE(t->SlideSelected(50));
  t->SetMin(60);  // an empty range
  EXPECT_EQ(t->NumSlidesSelected(), 0);
  EXPECT_EQ(Requests().size(), 0u);
  t->SetMin(1);
  t->SetMax(100);
  t->ResetAllSelections();
  EXPECT_EQ(t->NumSlidesSelected(), 0);

  // The view follows a range moved past it.
  t->SetFirstThumbIdx(80);
  t->SetMax(20);
  EXPECT_EQ(t->FirstThumbIdx(), 19.5);
  t->SetMin(40);
  t->SetMax(60);
  EXPECT_EQ(t->FirstThumbIdx(), 39.5);
}

TEST_F(ThumbsTest, WheelScrollsByQuarterRows) {
  Place(2);
  input::MouseWheel(t, 60, 60, -WHEEL_DELTA);
  EXPECT_EQ(t->FirstThumbIdx(), 1.25);
  input::MouseWheel(t, 60, 60, -3 * WHEEL_DELTA);
  EXPECT_EQ(t->FirstThumbIdx(), 3.0);
  input::MouseWheel(t, 60, 60, WHEEL_DELTA);
  EXPECT_EQ(t->FirstThumbIdx(), 1.75);
  for (int i = 0; i < 10; ++i) input::MouseWheel(t, 60, 60, WHEEL_DELTA);
  EXPECT_EQ(t->FirstThumbIdx(), 1.0);
  t->SetFirstThumbIdx(100);
  input::MouseWheel(t, 60, 60, -WHEEL_DELTA);
  EXPECT_EQ(t->FirstThumbIdx(), 99.5);
}

TEST_F(ThumbsTest, AssignCopiesSettingsButNotSelection) {
  Place(2);
  t->SetMax(40);
  t->SetSlideSize(90);
  t->SetColorCover(clYellow);
  t->SetColorMark(clRed);
  t->SetSlideSelectMode(ssmMultiple);
  t->SetSlideSelected(3, true);
  TThumbnails copy(nullptr);
  copy.Assign(t);
  EXPECT_EQ(copy.Max(), 40);
  EXPECT_EQ(copy.SlideSize(), 90);
  EXPECT_EQ(copy.ColorCover(), clYellow);
  EXPECT_EQ(copy.ColorMark(), clBlack);
  EXPECT_EQ(copy.SlideSelectMode(), ssmSingle);
  EXPECT_EQ(copy.NumSlidesSelected(), 0);
  copy.SetSlideSelected(40, true);
  EXPECT_TRUE(copy.SlideSelected(40));
  TPersistent other;
  EXPECT_THROW(copy.Assign(&other), EConvertError);
}

TEST_F(ThumbsTest, FormTextRoundTrip) {
  RegisterClass<TThumbnails>();
  Place(2);
  t->SetName(u"Strip");
  t->SetMax(40);
  t->SetMin(5);
  t->SetSlideSize(90);
  t->SetColorCover(clYellow);
  t->SetSlideSelectMode(ssmMultiple);
  const String text = WriteComponentText(form.get());
  TForm g(nullptr);
  ReadComponentText(text, &g);
  auto* r = dynamic_cast<TThumbnails*>(g.FindComponent(u"Strip"));
  ASSERT_NE(r, nullptr) << ToUtf8(text);
  EXPECT_EQ(r->Min(), 5);
  EXPECT_EQ(r->Max(), 40);
  EXPECT_EQ(r->SlideSize(), 90);
  EXPECT_EQ(r->ColorCover(), clYellow);
  EXPECT_EQ(r->SlideSelectMode(), ssmMultiple);
  EXPECT_EQ(r->FirstThumbIdx(), 5.0);  // the view starts at the range read
  r->SetSlideSelected(40, true);       // the selection spans the range read
  r->SetSlideSelected(4, true);
  EXPECT_EQ(r->NumSlidesSelected(), 1);
  EXPECT_TRUE(r->SlideSelected(40));
}

// Every setting Assign copies, each changed from its default first.
TEST_F(ThumbsTest, AssignCopiesEveryNamedSetting) {
  const std::vector<String> copied = {u"FrameStyle", u"OuterFrameStyle", u"InnerFrameStyle", u"ColorBackGnd", u"ColorScheme", u"Min", u"Max", u"SlideSize", u"SlideDistance", u"SlideMargin", u"AntiAlias", u"ColorCover", u"ColorSelected", u"ColorFocus", u"FocusLinewidth"};
  TThumbnails src(nullptr), dst(nullptr);
  EXPECT_EQ(jox::test::ChangeProps(src, copied), copied);
  dst.Assign(&src);
  EXPECT_TRUE(jox::test::SameProps(src, dst, copied));
}

// Every published setting of its own takes a new value (a setter that ignored changes would show here).
TEST_F(ThumbsTest, EveryOwnSettingTakesANewValue) {
  TThumbnails fresh(nullptr);
  EXPECT_EQ(jox::test::RefusedProps(fresh), (std::vector<String>{}));
}

TEST_F(ThumbsTest, KeysMoveTheFocusedSlideIntoViewAndSelectIt) {
  Place(3, 400);  // 3 columns, two whole rows in view
  std::vector<Integer> clicked;
  t->SetOnImageClick([&](TObject*, Integer, Integer, Integer id) { clicked.push_back(id); });
  t->SetFocus();
  input::KeyPress(t, VK_RIGHT);  // the first key lands on the first slide in view
  EXPECT_EQ(t->FocusedSlide(), 1);
  input::KeyPress(t, VK_RIGHT);
  input::KeyPress(t, VK_DOWN);
  EXPECT_EQ(t->FocusedSlide(), 5);
  input::KeyPress(t, VK_LEFT);
  input::KeyPress(t, VK_SPACE);
  EXPECT_TRUE(t->SlideSelected(4));
  EXPECT_EQ(clicked, (std::vector<Integer>{4}));
  // Down past the view scrolls its row up into it; End goes to the last slide, Home back to the first.
  input::KeyPress(t, VK_DOWN);
  input::KeyPress(t, VK_DOWN);
  EXPECT_EQ(t->FocusedSlide(), 10);
  Integer x = 0, y = 0;
  t->CalcSlidePos(10, x, y);
  EXPECT_GE(y, TThumbnails::Border);
  EXPECT_LE(y + S, t->Height() - TThumbnails::Border);
  input::KeyPress(t, VK_END);
  EXPECT_EQ(t->FocusedSlide(), 100);
  t->CalcSlidePos(100, x, y);
  EXPECT_LE(y + S, t->Height() - TThumbnails::Border);
  input::KeyPress(t, VK_NEXT);  // stays at the end
  EXPECT_EQ(t->FocusedSlide(), 100);
  input::KeyPress(t, VK_HOME);
  EXPECT_EQ(t->FocusedSlide(), 1);
  t->CalcSlidePos(1, x, y);
  EXPECT_GE(y, TThumbnails::Border);
  input::KeyPress(t, VK_RETURN);
  EXPECT_TRUE(t->SlideSelected(1));
  EXPECT_FALSE(t->SlideSelected(4));  // single selection
}

TEST_F(ThumbsTest, LeavingTheStripTakesTheHighlightAlong) {
  Place(2);
  int changes = 0;
  t->SetOnFocusChange([&](TObject*) { ++changes; });
  input::MouseMove(t, 10 + 60, 12 + 60);
  ASSERT_EQ(t->FocusedSlide(), 1);
  ASSERT_EQ(At(10 + 2, 12 + 60), clBlue);
  input::MouseMove(t, 450, 60);  // onto the form beside the strip
  EXPECT_EQ(t->FocusedSlide(), 0);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(At(10 + 2, 12 + 60), clSilver);
  t->Paint();
  EXPECT_EQ(At(10 + 2, 12 + 60), clSilver);
}

TEST_F(ThumbsTest, SelectionAtTheEndsOfTheSlideNumbers) {
  Place(2);
  t->SetMin(INT32_MIN);
  t->SetMax(INT32_MAX);
  EXPECT_EQ(t->NumSlidesSelected(), 0);
  t->SetSlideSelected(INT32_MAX, true);
  t->SetSlideSelected(INT32_MIN, true);
  EXPECT_TRUE(t->SlideSelected(INT32_MAX));
  EXPECT_TRUE(t->SlideSelected(INT32_MIN));
  EXPECT_FALSE(t->SlideSelected(0));
  EXPECT_EQ(t->NumSlidesSelected(), 2);
  EXPECT_EQ(t->FirstSelectedSlide(), INT32_MIN);
  t->SetSlideSelected(INT32_MIN, false);
  EXPECT_EQ(t->FirstSelectedSlide(), INT32_MAX);

  // Shift+click runs of any length, shrinking ranges and the keys at the last slide.
  t->SetSlideSelectMode(ssmMultiple);
  t->SetFirstThumbIdx(INT32_MAX);
  t->Paint();
  Integer x = 0, y = 0;
  t->CalcSlidePos(INT32_MAX, x, y);
  input::Click(t, x + 50, y + 50);
  EXPECT_TRUE(t->SlideSelected(INT32_MAX));
  t->SetFirstThumbIdx(INT32_MIN + 1);  // the first row that starts within the range
  t->Paint();
  t->CalcSlidePos(INT32_MIN + 1, x, y);
  Application->AdvanceClock(1000);
  input::Click(t, x + 50, y + 50, mbLeft, ssShift);
  EXPECT_EQ(t->NumSlidesSelected(), INT32_MAX);  // 2^32 - 1 slides: the count stops at the largest Integer
  EXPECT_FALSE(t->SlideSelected(INT32_MIN));
  t->SetSlideSelected(7, false);
  EXPECT_FALSE(t->SlideSelected(7));
  EXPECT_TRUE(t->SlideSelected(6));
  EXPECT_TRUE(t->SlideSelected(8));
  t->SetMin(0);
  t->SetMax(10);
  EXPECT_EQ(t->NumSlidesSelected(), 10);  // 0..10 without 7
  EXPECT_EQ(t->FirstSelectedSlide(), 0);
  t->SetMax(INT32_MAX);
  t->SetFocus();
  input::KeyPress(t, VK_END);
  input::KeyPress(t, VK_RIGHT);
  input::KeyPress(t, VK_NEXT);
  EXPECT_EQ(t->FocusedSlide(), INT32_MAX);
}
