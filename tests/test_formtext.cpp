// Forms written to form text and read back: nesting, z-order and tab order, any order of the lines,
// and every registered component class with every published property changed.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "package/package.h"
#include "numio/numio.h"
#include "numlab/numlab.h"
#include "sevenseg/sevenseg.h"
#include "tests/support/support.h"

using namespace jox;
using jox::test::BitmapsMatch;

namespace {
using test::TBox;

class FormTextTest : public test::FrameworkTest {
 protected:
  void SetUp() override {
    test::FrameworkTest::SetUp();
    RegisterClass<TBox>();
    RegisterClass<TButton>();
    for (Integer u = 0; u < JoxUnitCount; ++u)
      for (const TClassInfo* c : UnitClasses(TJoxUnit(u))) RegisterClass(*c);
  }
  void TearDown() override {
    UnRegisterClass(TBox::ClassInfo());
    UnRegisterClass(TButton::ClassInfo());
    test::FrameworkTest::TearDown();
  }
};

template <class T>
T* Make(TComponent* Owner, TWinControl* Parent, const char16_t* Name, Integer L, Integer T_, Integer W, Integer H) {
  auto* c = new T(Owner);
  c->SetName(Name);
  c->SetParent(Parent);
  c->SetBounds(L, T_, W, H);
  return c;
}

// The lines of b that a lacks, and the other way round: what a failed comparison of two texts shows.
std::string LineDiff(const String& a, const String& b) {
  auto lines = [](const String& t) {
    std::vector<String> out;
    for (size_t start = 0; start < t.size();) {
      size_t end = t.find(u'\n', start);
      if (end == String::npos) end = t.size();
      out.push_back(t.substr(start, end - start));
      start = end + 1;
    }
    return out;
  };
  const std::vector<String> la = lines(a), lb = lines(b);
  std::string out;
  for (const String& l : la)
    if (std::find(lb.begin(), lb.end(), l) == lb.end()) out += "\n- " + ToUtf8(l);
  for (const String& l : lb)
    if (std::find(la.begin(), la.end(), l) == la.end()) out += "\n+ " + ToUtf8(l);
  return out;
}

// Form1, Width wide and 260 high, holding a teal Box1 of 300 x 200 at (10, 10).
TBox* FormWithBox(TForm& F, Integer Width) {
  F.SetName(u"Form1");
  F.SetBounds(0, 0, Width, 260);
  auto* box = Make<TBox>(&F, &F, u"Box1", 10, 10, 300, 200);
  box->SetColor(clTeal);
  return box;
}

Integer ZIndex(TControl* C) {
  for (Integer i = 0; i < C->Parent()->ControlCount(); ++i)
    if (C->Parent()->Controls(i) == C) return i;
  return -1;
}
}  // namespace

TEST_F(FormTextTest, NestedControlsReadBackWithParentZOrderTabOrderAndPicture) {
  TForm f(nullptr);
  TBox* box = FormWithBox(f, 420);
  auto* seg = Make<TSevenSeg>(&f, box, u"Seg1", 10, 10, 200, 80);
  seg->SetCaption(u"42");
  auto* lab = Make<TNumLab>(&f, box, u"Lab1", 60, 60, 200, 40);  // overlaps the display
  lab->SetValue(3.5);
  Make<TNumIO2>(&f, box, u"IO1", 10, 120, 120, 30);
  auto* io2 = Make<TNumIO2>(&f, box, u"IO2", 140, 120, 120, 30);
  auto* btn = Make<TButton>(&f, &f, u"Btn1", 320, 10, 80, 30);
  seg->BringToFront();  // z-order no longer the order of creation
  io2->SetTabOrder(0);
  btn->SetTabOrder(0);
  Application->ProcessMessages();
  const String text = WriteComponentText(&f);
  EXPECT_NE(text.find(u"\n    object Seg1: TSevenSeg"), String::npos) << ToUtf8(text);  // inside Box1

  TForm g(nullptr);
  ReadComponentText(text, &g);
  auto* box2 = dynamic_cast<TBox*>(g.FindComponent(u"Box1"));
  auto* seg2 = dynamic_cast<TSevenSeg*>(g.FindComponent(u"Seg1"));
  auto* lab2 = dynamic_cast<TNumLab*>(g.FindComponent(u"Lab1"));
  auto* io12 = dynamic_cast<TNumIO2*>(g.FindComponent(u"IO1"));
  auto* io22 = dynamic_cast<TNumIO2*>(g.FindComponent(u"IO2"));
  auto* btn2 = dynamic_cast<TButton*>(g.FindComponent(u"Btn1"));
  ASSERT_TRUE(box2 && seg2 && lab2 && io12 && io22 && btn2) << ToUtf8(text);
  EXPECT_EQ(box2->Parent(), &g);
  EXPECT_EQ(btn2->Parent(), &g);
  for (TControl* c : {(TControl*)seg2, (TControl*)lab2, (TControl*)io12, (TControl*)io22}) {
    EXPECT_EQ(c->Parent(), box2) << ToUtf8(c->Name());
    EXPECT_EQ(c->Owner(), &g);
  }
  EXPECT_EQ(ZIndex(seg2), ZIndex(seg));
  EXPECT_EQ(ZIndex(lab2), ZIndex(lab));
  EXPECT_EQ(io22->TabOrder(), 0);
  EXPECT_EQ(io12->TabOrder(), 1);
  EXPECT_EQ(btn2->TabOrder(), 0);
  EXPECT_EQ(box2->TabOrder(), 1);
  Application->ProcessMessages();
  EXPECT_TRUE(BitmapsMatch(g.Surface(), f.Surface(), 0));
  EXPECT_EQ(WriteComponentText(&g), text);

  // Read again into the same form: the controls are read into, and the z-order is the text's again.
  lab2->BringToFront();
  ReadComponentText(text, &g);
  EXPECT_EQ(ZIndex(seg2), ZIndex(seg));
  EXPECT_EQ(g.ComponentCount(), f.ComponentCount());
}

// A text that fails half way, after it moved controls the form held into a new container, to another
// parent and to the front: the form keeps every control where it was, with its z-order, tab order and
// picture.
TEST_F(FormTextTest, AFailedReadLeavesEveryControlInItsPlace) {
  TForm f(nullptr);
  TBox* box = FormWithBox(f, 400);
  auto* a = Make<TNumIO2>(&f, box, u"A", 10, 10, 120, 30);
  Make<TNumIO2>(&f, box, u"B", 10, 50, 120, 30);
  auto* c = Make<TNumIO2>(&f, box, u"C", 10, 90, 120, 30);
  Make<TButton>(&f, &f, u"Btn1", 320, 10, 60, 30);
  Make<TButton>(&f, &f, u"Btn2", 320, 50, 60, 30);
  a->BringToFront();
  c->SetTabOrder(0);
  Application->ProcessMessages();
  const std::string places = test::Places(&f);
  const String text = WriteComponentText(&f);
  TBitmap picture;
  picture.Assign(f.Surface());

  const String bad = u"object Form1: TForm\n"
                     u"  object Box2: TBox\n    Left = 0\n    Width = 50\n"
                     u"    object C: TNumIO2\n      TabOrder = 0\n    end\n"
                     u"    object A: TNumIO2\n    end\n"
                     u"  end\n"
                     u"  object B: TNumIO2\n    Left = 200\n    TabOrder = 0\n  end\n"
                     u"  object Btn1: TButton\n    Caption = 'moved'\n    Width = \n  end\n"
                     u"end\n";
  EXPECT_THROW(ReadComponentText(bad, &f), EReadError);
  EXPECT_EQ(test::Places(&f), places);
  EXPECT_EQ(LineDiff(text, WriteComponentText(&f)), "");
  EXPECT_EQ(f.FindComponent(u"Box2"), nullptr);
  Application->ProcessMessages();
  EXPECT_TRUE(BitmapsMatch(f.Surface(), &picture, 0));

  // The form still reads its own text into the same places.
  ReadComponentText(text, &f);
  EXPECT_EQ(test::Places(&f), places);
}

// Bounds come first in written text; a reader given the lines in any order ends with the same form.
TEST_F(FormTextTest, ShuffledLinesReadTheSameForm) {
  TForm f(nullptr);
  f.SetName(u"Form1");
  f.SetBounds(0, 0, 700, 400);
  auto* lab = Make<TNumLab>(&f, &f, u"Lab1", 5, 5, 300, 30);
  lab->SetLeftSpace(200);
  auto* io = Make<TNumIO2>(&f, &f, u"IO1", 5, 50, 400, 30);
  io->SetLeftSpace(300);
  auto* seg = Make<TSevenSeg>(&f, &f, u"Seg1", 5, 100, 300, 200);
  seg->SetMargin(50);
  const String text = WriteComponentText(&f);
  EXPECT_NE(text.find(u"  object Lab1: TNumLab\n    Left = 5\n    Top = 5\n    Width = 300\n    Height = 30\n"),
            String::npos) << ToUtf8(text);

  // Property lines of each block shuffled; nested blocks stay where they are.
  std::vector<String> lines;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find(u'\n', start);
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  std::mt19937 rng(35);
  for (int round = 0; round < 8; ++round) {
    std::vector<String> mixed = lines;
    for (size_t i = 0; i < mixed.size();) {
      size_t j = i;
      while (j < mixed.size() && mixed[j].find(u" = ") != String::npos) ++j;
      std::shuffle(mixed.begin() + i, mixed.begin() + j, rng);
      i = j + 1;
    }
    String shuffled;
    for (const String& l : mixed) shuffled += l + u"\n";
    TForm g(nullptr);
    ReadComponentText(shuffled, &g);
    EXPECT_EQ(LineDiff(text, WriteComponentText(&g)), "");
  }
}

// [every class] ----------------------------------------------------------------------------------------------
namespace {
// Values the type alone cannot choose: what a unit's rules need to see a change, or to stay cheap.
struct TChosen {
  const char16_t* Class;
  const char16_t* Prop;
  Variant Value;
};
const std::vector<TChosen>& ChosenValues() {
  static const std::vector<TChosen> rows = {
      {u"TRotLab", u"AutoCenter", false},  // with it on, PosX and PosY follow the size
      {u"TOnOffBut", u"AutoCenter", false},
  };
  return rows;
}
// Left as they are: a picture to compare needs the control shown in its place, and a file name must
// name a file.
bool LeftAlone(const String& Name) {
  for (const char16_t* n : {u"Name", u"Left", u"Top", u"Width", u"Height", u"Visible", u"Align", u"Enabled",
                            u"TabOrder", u"BackGroundImg", u"AnchorImage", u"ParentFont", u"ParentColor",
                            u"ParentShowHint"})
    if (SameText(Name, n)) return true;
  return false;
}

// Gives P of Obj a value other than the one it holds, as far as the setter takes one.
void ChangeProp(TPersistent& Obj, const TPropInfo& P, Integer Big) {
  for (const TChosen& c : ChosenValues())
    if (SameText(Obj.ClassName(), c.Class) && SameText(P.Name, c.Prop)) {
      P.Set(Obj, c.Value);
      return;
    }
  const Variant old = P.Get(Obj);
  std::vector<Variant> tries;
  switch (old.index()) {
    case 1: tries = {!std::get<bool>(old)}; break;
    case 2: {
      const Int64 v = std::get<Int64>(old);
      if (P.Name.find(u"Color") != String::npos) tries = {Int64(0x00336699), Int64(0x00996633)};
      else if (P.Kind == tkEnumeration || P.Kind == tkSet) tries = {v + 1, v - 1};
      else tries = {v + Big, v + 1, v - 1};  // past the size a constructor gives
      break;
    }
    case 3: tries = {std::get<double>(old) + 1.25, std::get<double>(old) - 1.25}; break;
    case 4: tries = {std::get<String>(old) + u"x"}; break;
    default: break;
  }
  for (const Variant& v : tries) {
    try {
      P.Set(Obj, v);
    } catch (const Exception&) {
      continue;
    }
    if (P.Get(Obj) == old) continue;
    // A setting the class does not store (a date from the clock, a value its text carries) stays.
    if (P.StoredFn && !P.StoredFn(Obj)) P.Set(Obj, old);
    return;
  }
}

// Every published value of a and b alike, objects (fonts) by their own properties.
void CompareProps(const TPersistent& a, const TPersistent& b, const String& Prefix, std::string& wrong) {
  for (const TPropInfo* p : a.GetClassInfo().AllProps()) {
    if (p->Kind == tkMethod || !p->Get) continue;
    const Variant va = p->Get(a), vb = p->Get(b);
    if (p->Kind == tkClass) {
      auto* oa = VarToObject(va);
      auto* ob = VarToObject(vb);
      if (auto* ca = dynamic_cast<TComponent*>(oa)) {
        auto* cb = dynamic_cast<TComponent*>(ob);
        if (!cb || cb->Name() != ca->Name()) wrong += " " + ToUtf8(Prefix + p->Name);
      } else if (auto* sa = dynamic_cast<TStrings*>(oa)) {
        auto* sb = dynamic_cast<TStrings*>(ob);
        if (!sb || sb->Text() != sa->Text()) wrong += " " + ToUtf8(Prefix + p->Name);
      } else if (auto* pa = dynamic_cast<TPersistent*>(oa)) {
        auto* pb = dynamic_cast<TPersistent*>(ob);
        if (!pb) wrong += " " + ToUtf8(Prefix + p->Name);
        else if (Prefix.size() < 100) CompareProps(*pa, *pb, Prefix + p->Name + u".", wrong);
      }
      continue;
    }
    if (va != vb)
      wrong += " " + ToUtf8(Prefix + p->Name) + " = " + ToUtf8(VarToStr(vb)) + " for " + ToUtf8(VarToStr(va));
  }
}

std::vector<const TClassInfo*> EveryUnitClass() {
  std::vector<const TClassInfo*> out;
  for (Integer u = 0; u < JoxUnitCount; ++u)
    for (const TClassInfo* c : UnitClasses(TJoxUnit(u)))
      if (c->Create) out.push_back(c);
  return out;
}
}  // namespace

TEST_F(FormTextTest, EveryClassReadsBackEveryPublishedPropertyAndItsPicture) {
  const std::vector<const TClassInfo*> classes = EveryUnitClass();
  EXPECT_EQ(classes.size(), 19u);
  for (const TClassInfo* info : classes) {
    SCOPED_TRACE(ToUtf8(info->Name));
    TForm f(nullptr);
    f.SetName(u"Form1");
    auto* before = Make<TButton>(&f, &f, u"Btn1", 0, 0, 20, 20);
    TComponent* c = info->Create(&f);
    c->SetName(u"C1");
    // As a form reader leaves it: some classes finish their set-up in Loaded (the colour list fills).
    c->IncludeState(csLoading);
    c->Loaded();
    Integer big = 7;
    auto* ctl = dynamic_cast<TControl*>(c);
    if (ctl) {
      ctl->SetParent(&f);
      big += std::max(ctl->Width(), ctl->Height());
      ctl->SetBounds(30, 4, ctl->Width() * 5 / 2, ctl->Height() * 5 / 2);
      f.SetBounds(0, 0, ctl->Left() + ctl->Width() + 10, ctl->Top() + ctl->Height() + 10);
    }
    for (const TPropInfo* p : info->AllProps())
      if (p->Kind != tkMethod && p->Kind != tkClass && p->Set && !LeftAlone(p->Name)) ChangeProp(*c, *p, big);
    if (const TPropInfo* font = info->FindProp(u"Font"); font && font->Get) {
      auto* fnt = dynamic_cast<TFont*>(VarToObject(font->Get(*c)));
      ASSERT_NE(fnt, nullptr);
      fnt->SetName(u"Courier New");
      fnt->SetSize(11);
      fnt->SetColor(clNavy);
      fnt->SetStyle(fnt->Style() | fsBold);
    }
    if (info->FindProp(u"TabOrder")) SetPropValue(c, u"TabOrder", Int64(0));
    if (info->FindProp(u"Enabled")) SetPropValue(c, u"Enabled", false);
    Application->ProcessMessages();
    const String text = WriteComponentText(&f);

    TForm g(nullptr);
    ReadComponentText(text, &g);
    TComponent* r = g.FindComponent(u"C1");
    ASSERT_NE(r, nullptr) << ToUtf8(text);
    Application->ProcessMessages();
    EXPECT_EQ(ToUtf8(Application->LastExceptionMessage()), "");
    std::string wrong;
    CompareProps(*c, *r, String(), wrong);
    EXPECT_EQ(wrong, "");
    if (ctl) {
      EXPECT_EQ(dynamic_cast<TControl*>(r)->Parent(), &g);
      const bool same = BitmapsMatch(g.Surface(), f.Surface(), 0);
      EXPECT_TRUE(same);
      if (!same) {  // both pictures beside the other tests' drawings, to look at
        std::filesystem::create_directories("snapshots-new");
        f.Surface()->SaveToFile(u"snapshots-new/formtext_" + info->Name + u"_written.png");
        g.Surface()->SaveToFile(u"snapshots-new/formtext_" + info->Name + u"_read.png");
      }
    }
    EXPECT_EQ(dynamic_cast<TWinControl*>(g.FindComponent(u"Btn1"))->TabOrder(), before->TabOrder());
  }
}

// [assign] -------------------------------------------------------------------------------------------------
// Between two of a kind Assign copies; between a component and an object of a base class it raises the
// conversion error, both ways, and never hands the work back and forth.
TEST_F(FormTextTest, AssignCopiesBetweenOneClassAndRefusesABaseClass) {
  // The units whose Assign copies their published properties (the others name their own fields).
  const std::vector<String> byTable = {u"TMeter", u"TColSel", u"TFolderTree", u"TRepSpeedButton", u"TGradFill"};
  for (const TClassInfo* info : EveryUnitClass()) {
    SCOPED_TRACE(ToUtf8(info->Name));
    std::unique_ptr<TComponent> a(info->Create(nullptr)), b(info->Create(nullptr));
    const TClassInfo* baseInfo = info->Parent;
    while (baseInfo && !baseInfo->Create) baseInfo = baseInfo->Parent;
    ASSERT_NE(baseInfo, nullptr);
    std::unique_ptr<TComponent> base(baseInfo->Create(nullptr));
    EXPECT_THROW(base->Assign(a.get()), EConvertError);
    EXPECT_THROW(a->Assign(base.get()), EConvertError);

    if (std::find(byTable.begin(), byTable.end(), info->Name) == byTable.end()) {
      EXPECT_NO_THROW(b->Assign(a.get()));
      continue;
    }
    std::vector<String> own;
    for (const TPropInfo& p : info->Props)
      if (p.Kind != tkMethod && p.Kind != tkClass && p.Set && !LeftAlone(p.Name)) own.push_back(p.Name);
    const std::vector<String> changed = test::ChangeProps(*a, own);
    EXPECT_FALSE(changed.empty());
    b->Assign(a.get());
    EXPECT_TRUE(test::SameProps(*a, *b, changed));
  }
}
