#include <gtest/gtest.h>

#include <chrono>

#include "package/framework/framework.h"
#include "tests/support/support.h"

using namespace jox;
using jox::test::ColorNear;
using jox::test::SurfacePixel;

namespace {

class ControlsTest : public jox::test::FrameworkTest {};

// Fills itself with one colour and counts its paints.
class TSwatch : public TGraphicControl {
 public:
  TSwatch(TComponent* owner, TColor c) : TGraphicControl(owner), FFill(c) {}
  void Paint() override {
    ++paints;
    Canvas()->Brush()->SetColor(FFill);
    Canvas()->FillRect(Rect(-50, -50, Width() + 50, Height() + 50));  // clipping keeps it inside
  }
  int paints = 0;
  TColor FFill;
};

class TWinSwatch : public TCustomControl {
 public:
  TWinSwatch(TComponent* owner, TColor c) : TCustomControl(owner), FFill(c) {}
  void Paint() override {
    Canvas()->Brush()->SetColor(FFill);
    Canvas()->FillRect(Rect(0, 0, Width(), Height()));
  }
  TColor FFill;
};

// Black left half, white right half, drawn with SRCAND: the white half lets the parent show.
class TMaskControl : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  void Paint() override {
    TBitmap mask;
    mask.SetSize(Width(), Height());
    mask.Canvas()->Brush()->SetColor(clWhite);
    mask.Canvas()->FillRect(Rect(0, 0, Width(), Height()));
    mask.Canvas()->Brush()->SetColor(clBlack);
    mask.Canvas()->FillRect(Rect(0, 0, Width() / 2, Height()));
    Canvas()->SetCopyMode(cmSrcAnd);
    Canvas()->Draw(0, 0, &mask);
  }
};

TEST_F(ControlsTest, ConstraintsLimitTheSizeAndAreStoredOnlyWhenSet) {
  TForm form(nullptr);
  auto* c = new TCustomControl(&form);
  c->SetParent(&form);
  c->SetBounds(0, 0, 50, 50);
  c->Constraints()->SetMinWidth(60);  // applies at once
  EXPECT_EQ(c->Width(), 60);
  c->Constraints()->SetMaxHeight(40);
  EXPECT_EQ(c->Height(), 40);
  c->SetBounds(0, 0, 10, 500);
  EXPECT_EQ(c->Width(), 60);
  EXPECT_EQ(c->Height(), 40);
  // A maximum below the minimum lowers the minimum; negative limits are none.
  c->Constraints()->SetMaxWidth(30);
  EXPECT_EQ(c->Constraints()->MinWidth(), 30);
  EXPECT_EQ(c->Width(), 30);
  c->Constraints()->SetMinHeight(-5);
  EXPECT_EQ(c->Constraints()->MinHeight(), 0);
  // Assigned through the published property, as a form reader does.
  TSizeConstraints limits;
  limits.SetMinWidth(100);
  const TPropInfo* line = ControlProperties().FindProp(u"Constraints");
  ASSERT_NE(line, nullptr);
  line->Set(*c, Variant(static_cast<TObject*>(&limits)));
  EXPECT_EQ(c->Constraints()->MaxWidth(), 0);
  EXPECT_EQ(c->Width(), 100);
  EXPECT_TRUE(line->IsStored(*c));
  auto* fresh = new TCustomControl(&form);
  EXPECT_FALSE(line->IsStored(*fresh));
}

}  // namespace

TEST_F(ControlsTest, ParentlessControlPaintsIntoItsOwnSurface) {
  TSwatch s(nullptr, clRed);
  s.SetBounds(5, 7, 12, 9);
  s.Paint();
  EXPECT_EQ(s.Surface()->Width(), 12);
  EXPECT_EQ(s.Surface()->Height(), 9);
  EXPECT_TRUE(ColorNear(s.Canvas()->Pixels(0, 0), clRed));
  EXPECT_TRUE(ColorNear(s.Canvas()->Pixels(11, 8), clRed));
  EXPECT_EQ(s.Canvas()->Pixels(12, 0), TColor(-1));  // outside the control
}

TEST_F(ControlsTest, SrcAndOverParentShowsParentThroughWhite) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 60, 40);
  form.SetColor(clBlue);
  auto* back = new TWinSwatch(&form, RGB(0x40, 0xC0, 0x80));
  back->SetParent(&form);
  back->SetBounds(10, 10, 40, 20);
  auto* m = new TMaskControl(&form);
  m->SetParent(back);
  m->SetBounds(0, 0, 40, 20);
  Application->ProcessMessages();
  TBitmap* surf = form.Surface();
  EXPECT_TRUE(ColorNear(SurfacePixel(surf, 15, 15), clBlack));                    // black half
  EXPECT_TRUE(ColorNear(SurfacePixel(surf, 45, 15), RGB(0x40, 0xC0, 0x80)));      // parent through white
  EXPECT_TRUE(ColorNear(SurfacePixel(surf, 5, 5), clBlue));                       // form background
  // A second pass repaints the parent first, so AND does not accumulate.
  m->Invalidate();
  Application->ProcessMessages();
  EXPECT_TRUE(ColorNear(SurfacePixel(surf, 45, 15), RGB(0x40, 0xC0, 0x80)));
}

TEST_F(ControlsTest, WindowedChildrenLieAboveGraphicOnesAndChildrenAreClipped) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 50, 50);
  auto* win = new TWinSwatch(&form, clGreen);
  win->SetParent(&form);
  win->SetBounds(0, 0, 20, 20);
  auto* gr = new TSwatch(&form, clRed);  // later in the list, yet below the windowed one
  gr->SetParent(&form);
  gr->SetBounds(10, 10, 20, 20);
  auto* inner = new TSwatch(&form, clYellow);
  inner->SetParent(win);
  inner->SetBounds(15, 15, 30, 30);  // reaches beyond its parent
  Application->ProcessMessages();
  TBitmap* s = form.Surface();
  EXPECT_TRUE(ColorNear(SurfacePixel(s, 12, 12), clGreen));
  EXPECT_TRUE(ColorNear(SurfacePixel(s, 25, 25), clRed));
  EXPECT_TRUE(ColorNear(SurfacePixel(s, 17, 17), clYellow));
  EXPECT_TRUE(ColorNear(SurfacePixel(s, 22, 17), clRed));  // the yellow stops at the parent's edge
}

TEST_F(ControlsTest, InvalidatePaintsOnceAndHiddenControlsNotAtAll) {
  TForm form(nullptr);
  auto* s = new TSwatch(&form, clRed);
  s->SetParent(&form);
  s->SetBounds(0, 0, 10, 10);
  Application->ProcessMessages();
  int before = s->paints;
  s->Invalidate();
  s->Invalidate();
  Application->ProcessMessages();
  EXPECT_EQ(s->paints, before + 1);
  Application->ProcessMessages();
  EXPECT_EQ(s->paints, before + 1);
  s->Hide();
  Application->ProcessMessages();
  EXPECT_EQ(s->paints, before + 1);
  EXPECT_TRUE(ColorNear(SurfacePixel(form.Surface(), 5, 5), ColorToRGB(clBtnFace)));
}

TEST_F(ControlsTest, AlignPlacesChildrenSideBySide) {
  struct Row {
    TAlign align;
    TRect expected;
  };
  // Parent 100 x 80; each aligned child is 10 wide/high; the client one takes the rest.
  const Row rows[] = {{alTop, Rect(0, 0, 100, 10)},    {alBottom, Rect(0, 70, 100, 80)},
                      {alLeft, Rect(0, 10, 10, 70)},   {alRight, Rect(90, 10, 100, 70)},
                      {alClient, Rect(10, 10, 90, 70)}};
  TForm form(nullptr);
  form.SetBounds(0, 0, 100, 80);
  std::vector<TControl*> kids;
  for (const Row& r : rows) {
    auto* c = new TSwatch(&form, clRed);
    c->SetBounds(30, 30, 10, 10);
    c->SetParent(&form);
    c->SetAlign(r.align);
    kids.push_back(c);
  }
  for (size_t i = 0; i < kids.size(); ++i) EXPECT_EQ(kids[i]->BoundsRect(), rows[i].expected) << i;
  form.SetBounds(0, 0, 120, 100);
  EXPECT_EQ(kids[4]->BoundsRect(), Rect(10, 10, 110, 90));
  kids[0]->Hide();
  EXPECT_EQ(kids[2]->BoundsRect(), Rect(0, 0, 10, 90));
}

TEST_F(ControlsTest, AnchorsFollowTheParentsSize) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 100, 100);
  auto* right = new TSwatch(&form, clRed);
  right->SetParent(&form);
  right->SetBounds(80, 10, 10, 10);
  right->SetAnchors(akTop | akRight);
  auto* both = new TSwatch(&form, clRed);
  both->SetParent(&form);
  both->SetBounds(10, 10, 50, 50);
  both->SetAnchors(TAnchors(akLeft) | akTop | akRight | akBottom);
  form.SetBounds(0, 0, 130, 120);
  EXPECT_EQ(right->BoundsRect(), Rect(110, 10, 120, 20));
  EXPECT_EQ(both->BoundsRect(), Rect(10, 10, 90, 80));
}

TEST_F(ControlsTest, FontAndColorFollowTheParentUntilSetOwn) {
  TForm form(nullptr);
  form.Font()->SetName(u"Arial");
  auto* c = new TSwatch(&form, clRed);
  c->SetParent(&form);
  EXPECT_TRUE(c->ParentFont());
  EXPECT_EQ(c->Font()->Name(), u"Arial");
  EXPECT_EQ(c->Color(), clBtnFace);
  form.Font()->SetSize(12);
  form.SetColor(clAqua);
  EXPECT_EQ(c->Font()->Size(), 12);
  EXPECT_EQ(c->Color(), clAqua);
  c->Font()->SetSize(9);
  c->SetColor(clYellow);
  EXPECT_FALSE(c->ParentFont());
  EXPECT_FALSE(c->ParentColor());
  form.Font()->SetSize(14);
  form.SetColor(clLime);
  EXPECT_EQ(c->Font()->Size(), 9);
  EXPECT_EQ(c->Color(), clYellow);
  c->SetParentFont(true);
  EXPECT_EQ(c->Font()->Size(), 14);
}

TEST_F(ControlsTest, MessageHandlersAndBroadcast) {
  TForm form(nullptr);
  struct TCounting : TGraphicControl {
    using TGraphicControl::TGraphicControl;
    void Watch(intptr_t answer) {
      SetMessageHandler(CM_BUTTONPRESSED, [this, answer](TMessage& m) {
        ++seen;
        m.Result = answer;
      });
    }
    int seen = 0;
  };
  auto* a = new TCounting(&form);
  auto* b = new TCounting(&form);
  auto* c = new TCounting(&form);
  for (auto* x : {a, b, c}) x->SetParent(&form);
  a->Watch(0);
  b->Watch(1);
  c->Watch(0);
  TMessage m{CM_BUTTONPRESSED, 3, 0, 0};
  form.Broadcast(m);
  EXPECT_EQ(m.Result, 1);
  EXPECT_EQ(a->seen + b->seen + c->seen, 2);  // stops at the first that answers
  EXPECT_EQ(c->seen, 0);
  EXPECT_EQ(a->Perform(CM_HITTEST), 1);  // other messages keep the built-in handling
}

TEST_F(ControlsTest, ClassTableDefaultsMatchFreshControls) {
  TForm form(nullptr);
  const std::vector<std::pair<TPersistent*, std::string>> objects = {
      {new TSwatch(&form, clRed), "TGraphicControl"},
      {new TWinSwatch(&form, clRed), "TCustomControl"},
      {&form, "TForm"}};
  for (auto& [obj, name] : objects) {
    for (const TPropInfo* p : obj->GetClassInfo().AllProps()) {
      if (!p->Default || p->Name == u"Color" || p->Name == u"ParentColor" || p->Name == u"ParentFont") continue;
      EXPECT_TRUE(p->IsDefault(*obj)) << name << "." << ToUtf8(p->Name);
    }
  }
}

TEST_F(ControlsTest, DestroyingParentsAndFocusedControls) {
  auto* form = new TForm(nullptr);
  auto* owned = new TWinSwatch(nullptr, clRed);  // no owner: its parent frees it
  owned->SetParent(form);
  TWinSwatch* kept = new TWinSwatch(nullptr, clRed);
  TComponent keeper(nullptr);
  auto* other = new TWinSwatch(&keeper, clRed);  // owned elsewhere: outlives its parent
  other->SetParent(form);
  kept->SetParent(form);
  kept->SetFocus();
  EXPECT_TRUE(kept->Focused());
  delete kept;
  EXPECT_EQ(form->ActiveControl(), nullptr);
  delete form;
  EXPECT_EQ(other->Parent(), nullptr);
  other->Invalidate();
  Application->ProcessMessages();  // other is now a root of its own
  EXPECT_EQ(other->Surface()->Width(), 0);
}

TEST_F(ControlsTest, SetParentRefusesCycles) {
  TForm form(nullptr);
  auto* a = new TWinSwatch(&form, clRed);
  a->SetParent(&form);
  EXPECT_THROW(form.SetParent(a), EInvalidOperation);
  EXPECT_THROW(a->SetParent(a), EInvalidOperation);
}

namespace {

// Painting a container visits each child once: 10,000 children cost about ten times what 1,000 do
// (a search of the child list per child would make it a hundred). Hidden children keep the paints
// themselves out of the measure.
TEST_F(ControlsTest, PaintingAContainerIsLinearInItsChildren) {
  auto seconds = [](int children) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 200);
    for (int i = 0; i < children; ++i) {
      auto* s = new TSwatch(&form, clRed);
      s->SetBounds(i % 190, (i / 190) % 190, 4, 4);
      s->SetVisible(false);
      s->SetParent(&form);
    }
    form.Invalidate();
    const auto t0 = std::chrono::steady_clock::now();
    for (int k = 0; k < 3; ++k) form.Repaint();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  };
  seconds(1000);
  const double small = seconds(1000), large = seconds(10000);
  EXPECT_LT(large, small * 30 + 0.005) << small << " s / " << large << " s";
}

}  // namespace
