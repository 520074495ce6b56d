#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>

#include "package/framework/base/formtext.h"
#include "package/framework/base/streams.h"
#include "package/framework/base/strings.h"
#include "package/framework/graphics/graphics.h"
#include "tests/support/support.h"

using namespace jox;

namespace {
std::vector<String> gLog;

class TRecorder : public TComponent {
 public:
  using TComponent::TComponent;
  ~TRecorder() override { gLog.push_back(u"free " + Name()); }
  TComponent* Watched = nullptr;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == Watched) Watched = nullptr;
  }
};

enum TShape : uint8_t { shBox, shCircle, shStar };

class TGadget : public TComponent {
 public:
  using TComponent::TComponent;
  double Value() const { return FValue; }
  void SetValue(double v) { FValue = v; }
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& v) { FCaption = v; }
  TShape Shape() const { return FShape; }
  void SetShape(TShape v) { FShape = v; }
  bool Active() const { return FActive; }
  void SetActive(bool v) { FActive = v; }
  TColor Color() const { return FColor; }
  void SetColor(TColor v) { FColor = v; }
  Integer Count() const { return 7; }
  TStringList* Items() const { return FItems.get(); }
  void SetItems(TStringList* v) { FItems->Assign(v); }

  static const TClassInfo& ClassInfo() {
    static const TClassInfo info = TClassBuilder<TGadget>(&TComponent::ClassInfo())
        .Prop("Value", &TGadget::Value, &TGadget::SetValue, 1.5)
        .Prop("Caption", &TGadget::Caption, &TGadget::SetCaption, u"Gadget")
        .Prop("Shape", &TGadget::Shape, &TGadget::SetShape, shCircle)
        .Prop("Active", &TGadget::Active, &TGadget::SetActive, true)
        .Prop("Color", &TGadget::Color, &TGadget::SetColor, clBtnFace)
        .Prop("Items", &TGadget::Items, &TGadget::SetItems)
        .ReadOnly("Count", &TGadget::Count)
        .Event("OnChange");
    return info;
  }
  const TClassInfo& GetClassInfo() const override { return ClassInfo(); }

 private:
  double FValue = 1.5;
  String FCaption = u"Gadget";
  TShape FShape = shCircle;
  bool FActive = true;
  TColor FColor = clBtnFace;
  std::unique_ptr<TStringList> FItems = std::make_unique<TStringList>();
};

// Re-lists an inherited property with another default, as derived components do.
class TBigGadget : public TGadget {
 public:
  using TGadget::TGadget;
  static const TClassInfo& ClassInfo() {
    static const TClassInfo info = TClassBuilder<TBigGadget>(&TGadget::ClassInfo())
        .Prop("Value", &TGadget::Value, &TGadget::SetValue, 100.0);
    return info;
  }
  const TClassInfo& GetClassInfo() const override { return ClassInfo(); }
};

class TOther : public TPersistent {};

template <class T>
struct TBox {};
}  // namespace

TEST(Objects, ClassNameHasNoNamespaceOrTemplateArguments) {
  TOther o;
  EXPECT_EQ(o.ClassName(), u"TOther");
  TPersistent* p = &o;
  EXPECT_EQ(p->ClassName(), u"TOther");
  EXPECT_EQ(ClassNameOf<TBox<int>>(), u"TBox");
  EXPECT_EQ(ClassNameOf<TStringList>(), u"TStringList");
  EXPECT_TRUE(o.InheritsFrom<TPersistent>());
  EXPECT_FALSE(o.InheritsFrom<TComponent>());
}

TEST(Objects, AssignOfForeignClassRaisesWithBothNames) {
  TGadget g(nullptr);
  TOther o;
  try {
    g.Assign(&o);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), u"Cannot assign a TOther to a TGadget");
  }
  try {
    o.Assign(nullptr);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), u"Cannot assign a nil to a TOther");
  }
}

TEST(Components, OwnerFreesInReverseCreationOrder) {
  gLog.clear();
  {
    TRecorder owner(nullptr);
    owner.SetName(u"Owner");
    for (const char16_t* n : {u"A", u"B", u"C"}) (new TRecorder(&owner))->SetName(n);
    EXPECT_EQ(owner.ComponentCount(), 3);
    EXPECT_EQ(owner.Components(1)->Name(), u"B");
    EXPECT_EQ(owner.Components(3), nullptr);
  }
  EXPECT_EQ(gLog, (std::vector<String>{u"free Owner", u"free C", u"free B", u"free A"}));
}

TEST(Components, ChildFreedFirstLeavesOwnersList) {
  gLog.clear();
  TRecorder owner(nullptr);
  auto* a = new TRecorder(&owner);
  auto* b = new TRecorder(&owner);
  a->SetName(u"A");
  b->SetName(u"B");
  owner.Watched = a;
  delete a;
  EXPECT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.Components(0), b);
  EXPECT_EQ(owner.Watched, nullptr);  // told through Notification
  EXPECT_EQ(b->ComponentIndex(), 0);
}

TEST(Components, FreeNotificationReachesNonOwners) {
  TRecorder watcher(nullptr);
  auto* target = new TRecorder(nullptr);
  watcher.Watched = target;
  target->FreeNotification(&watcher);
  delete target;
  EXPECT_EQ(watcher.Watched, nullptr);
  // And the reverse link is gone: deleting the watcher later touches nothing freed.
}

// A listener that, on hearing of the end, frees another listener of the same component (a window that
// closes with its form and takes its other watches along): the freed one is not told afterwards.
TEST(Components, AListenerFreedByAnotherListenerIsNotToldOfTheEnd) {
  struct TCloser : TComponent {
    TComponent* Other = nullptr;
    using TComponent::TComponent;
    void Notification(TComponent* c, TOperation op) override {
      if (op == opRemove && Other) {
        TComponent* o = Other;
        Other = nullptr;
        delete o;
      }
      TComponent::Notification(c, op);
    }
  };
  auto* target = new TComponent(nullptr);
  TCloser closer(nullptr);
  target->FreeNotification(&closer);
  auto* other = new TRecorder(nullptr);
  other->Watched = target;
  target->FreeNotification(other);
  closer.Other = other;
  delete target;
  EXPECT_EQ(closer.Other, nullptr);
}

TEST(Components, NamesAreIdentifiersAndUniqueWithinTheOwner) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  auto* b = new TComponent(&owner);
  a->SetName(u"Meter1");
  EXPECT_EQ(owner.FindComponent(u"meter1"), a);
  EXPECT_EQ(owner.FindComponent(u""), nullptr);
  try {
    b->SetName(u"METER1");
    FAIL();
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), u"A component named METER1 already exists");
  }
  for (const char16_t* bad : {u"1abc", u"a b", u"a-b", u"\u00e4"}) {
    EXPECT_THROW(b->SetName(bad), EComponentError) << ToUtf8(bad);
  }
  EXPECT_EQ(b->Name(), u"");
  b->SetName(u"_x9");
  EXPECT_EQ(b->Name(), u"_x9");
}

TEST(Components, DesigningSpreadsToOwnedAndNewComponents) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  owner.SetDesigning(true);
  EXPECT_TRUE(a->ComponentState().Contains(csDesigning));
  auto* b = new TComponent(&owner);
  EXPECT_TRUE(b->ComponentState() & csDesigning);
  owner.IncludeState(csLoading);
  owner.Loaded();
  EXPECT_FALSE(owner.ComponentState() & csLoading);
  EXPECT_TRUE(owner.ComponentState() & csDesigning);
}

TEST(ClassTable, DefaultsKindsAndInheritance) {
  const TClassInfo& info = TGadget::ClassInfo();
  EXPECT_EQ(info.Name, u"TGadget");
  EXPECT_TRUE(info.InheritsFrom(&TComponent::ClassInfo()));
  std::vector<String> names;
  for (const TPropInfo* p : info.AllProps()) names.push_back(p->Name);
  EXPECT_EQ(names, (std::vector<String>{u"Name", u"Tag", u"Value", u"Caption", u"Shape", u"Active", u"Color",
                                        u"Items", u"Count", u"OnChange"}));
  struct Row {
    const char16_t* Name;
    TTypeKind Kind;
    Variant Default;
  };
  for (const Row& r : {Row{u"Value", tkFloat, 1.5}, Row{u"Caption", tkString, String(u"Gadget")},
                       Row{u"Shape", tkEnumeration, Int64(1)}, Row{u"Active", tkBoolean, true},
                       Row{u"Color", tkInteger, Int64(clBtnFace)}, Row{u"Tag", tkInteger, Int64(0)}}) {
    const TPropInfo* p = info.FindProp(r.Name);
    ASSERT_NE(p, nullptr) << ToUtf8(r.Name);
    EXPECT_EQ(p->Kind, r.Kind) << ToUtf8(r.Name);
    ASSERT_TRUE(p->Default.has_value());
    EXPECT_EQ(*p->Default, r.Default) << ToUtf8(r.Name);
  }
  EXPECT_EQ(info.FindProp(u"Items")->Kind, tkClass);
  EXPECT_FALSE(info.FindProp(u"Items")->Default.has_value());
  EXPECT_EQ(info.FindProp(u"OnChange")->Kind, tkMethod);

  // A freshly created component holds every listed default.
  TGadget g(nullptr);
  for (const TPropInfo* p : g.GetClassInfo().AllProps())
    if (p->Default) {
      EXPECT_TRUE(p->IsDefault(g)) << ToUtf8(p->Name);
    }

  // The derived line wins over the inherited one.
  TBigGadget big(nullptr);
  EXPECT_EQ(*big.GetClassInfo().FindProp(u"Value")->Default, Variant(100.0));
  EXPECT_EQ(big.GetClassInfo().AllProps().size(), info.AllProps().size());
}

TEST(ClassTable, AccessByNameConvertsAndRefuses) {
  TGadget g(nullptr);
  SetPropValue(&g, u"value", Int64(3));
  EXPECT_EQ(g.Value(), 3.0);
  SetPropValue(&g, u"Value", String(u"2.25"));
  EXPECT_EQ(g.Value(), 2.25);
  SetPropValue(&g, u"Shape", Int64(shStar));
  EXPECT_EQ(g.Shape(), shStar);
  EXPECT_EQ(GetPropValue(&g, u"Shape"), Variant(Int64(2)));
  SetPropValue(&g, u"Caption", String(u"x"));
  EXPECT_EQ(VarToStr(GetPropValue(&g, u"Caption")), u"x");
  EXPECT_EQ(VarToInt(GetPropValue(&g, u"Count")), 7);

  TStringList src;
  src.Add(u"one");
  SetPropValue(&g, u"Items", static_cast<TObject*>(&src));
  EXPECT_EQ(g.Items()->Text(), u"one\r\n");

  EXPECT_THROW(SetPropValue(&g, u"Nope", Int64(1)), EPropertyError);
  EXPECT_THROW(GetPropValue(&g, u"OnChange"), EPropertyError);
  try {
    SetPropValue(&g, u"Count", Int64(1));
    FAIL();
  } catch (const EPropertyError& e) {
    EXPECT_EQ(e.Message(), u"Property is read-only");
  }
  EXPECT_THROW(SetPropValue(&g, u"Value", String(u"abc")), EConvertError);
  TOther wrong;
  EXPECT_THROW(SetPropValue(&g, u"Items", static_cast<TObject*>(&wrong)), EPropertyError);

  EXPECT_TRUE(g.GetClassInfo().FindProp(u"Value")->IsStored(g));
  ResetToDefaults(&g);
  EXPECT_EQ(g.Value(), 1.5);
  EXPECT_EQ(g.Caption(), u"Gadget");
  EXPECT_FALSE(g.GetClassInfo().FindProp(u"Value")->IsStored(g));
  EXPECT_FALSE(g.GetClassInfo().FindProp(u"Count")->IsStored(g));
}

TEST(ClassTable, IsClassOfFollowsTheTables) {
  TGadget g(nullptr);
  TBigGadget big(nullptr);
  EXPECT_TRUE(IsClassOf(&big, &g));   // a TBigGadget is a TGadget
  EXPECT_FALSE(IsClassOf(&g, &big));
  EXPECT_TRUE(IsClassOf(&g, &g));
  TComponent plain(nullptr);
  EXPECT_TRUE(IsClassOf(&g, &plain));
  EXPECT_FALSE(IsClassOf(&plain, nullptr));
}

TEST(ClassTable, RegistryCreatesByName) {
  RegisterClass<TGadget>();
  EXPECT_EQ(GetClass(u"tgadget"), &TGadget::ClassInfo());
  TComponent owner(nullptr);
  TComponent* c = CreateComponent(u"TGadget", &owner);
  EXPECT_NE(dynamic_cast<TGadget*>(c), nullptr);
  EXPECT_EQ(owner.ComponentCount(), 1);
  try {
    FindClass(u"TMissing");
    FAIL();
  } catch (const EClassNotFound& e) {
    EXPECT_EQ(e.Message(), u"Class TMissing not found");
  }
  UnRegisterClass(TGadget::ClassInfo());
  EXPECT_EQ(GetClass(u"TGadget"), nullptr);
}

// [strings] --------------------------------------------------------------------
TEST(StringList, CommaTextReadsAndWritesThePlatformsQuoting) {
  struct Row {
    const char16_t* Text;
    std::vector<String> Items;
  };
  const Row rows[] = {
      {u"a,b,c", {u"a", u"b", u"c"}},
      {u"a b,c", {u"a", u"b", u"c"}},  // blanks separate too
      {u"\"a b\",c", {u"a b", u"c"}},
      {u"\"say \"\"hi\"\"\",x", {u"say \"hi\"", u"x"}},
      {u"a,,b", {u"a", u"", u"b"}},
      {u"a,", {u"a", u""}},
      {u"  a , b  ", {u"a", u"b"}},
      {u"", {}},
      {u"\"unterminated", {u"unterminated"}},
  };
  for (const Row& r : rows) {
    TStringList l;
    l.SetCommaText(r.Text);
    std::vector<String> got;
    for (Integer i = 0; i < l.Count(); ++i) got.push_back(l[i]);
    EXPECT_EQ(got, r.Items) << ToUtf8(r.Text);
    // Writing and reading back gives the same items.
    TStringList back;
    back.SetCommaText(l.CommaText());
    EXPECT_TRUE(back.Equals(&l)) << ToUtf8(l.CommaText());
  }
  TStringList one;
  one.Add(u"");
  EXPECT_EQ(one.CommaText(), u"\"\"");
  TStringList strict;
  strict.SetStrictDelimiter(true);
  strict.SetDelimiter(u';');
  strict.SetDelimitedText(u"a b; c");
  EXPECT_EQ(strict.Count(), 2);
  EXPECT_EQ(strict[1], u" c");
}

TEST(StringList, TextSplitsAtEveryLineEnd) {
  TStringList l;
  l.SetText(u"a\r\nb\nc\rd\r\n");
  EXPECT_EQ(l.Count(), 4);
  EXPECT_EQ(l[3], u"d");
  EXPECT_EQ(l.Text(), u"a\r\nb\r\nc\r\nd\r\n");
  l.SetText(u"\n\n");
  EXPECT_EQ(l.Count(), 2);
}

TEST(StringList, SortedListsKeepOrderAndHonourDuplicates) {
  TStringList l;
  l.SetSorted(true);
  for (const char16_t* s : {u"pear", u"Apple", u"fig", u"apple"}) l.Add(s);
  EXPECT_EQ(l.CommaText(), u"Apple,fig,pear");  // case-insensitive: "apple" is a duplicate, ignored
  Integer at;
  EXPECT_TRUE(l.Find(u"FIG", at));
  EXPECT_EQ(at, 1);
  EXPECT_FALSE(l.Find(u"grape", at));
  EXPECT_EQ(at, 2);
  EXPECT_THROW(l.Insert(0, u"x"), EStringListError);
  l.SetDuplicates(dupError);
  try {
    l.Add(u"PEAR");
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), u"String list does not allow duplicates");
  }
  l.SetDuplicates(dupAccept);
  l.Add(u"PEAR");
  EXPECT_EQ(l.Count(), 4);
  l.SetCaseSensitive(true);
  EXPECT_EQ(l.IndexOf(u"pear"), 3);  // "PEAR" sorts before "pear" now
  try {
    l.Get(9);
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), u"List index out of bounds (9)");
  }
}

TEST(StringList, BulkLoadIntoSortedListMatchesOneByOne) {
  std::mt19937 rng(7);
  String text;
  TStringList oneByOne;
  oneByOne.SetSorted(true);
  for (int i = 0; i < 2000; ++i) {
    String s = IntToStr(rng() % 500);
    text += s + u"\n";
    oneByOne.Add(s);
  }
  TStringList bulk;
  bulk.SetSorted(true);
  bulk.SetText(text);
  EXPECT_TRUE(bulk.Equals(&oneByOne));
}

TEST(StringList, HundredThousandLinesLoadSortAndSearch) {
  String text;
  for (int i = 0; i < 100000; ++i) text += IntToStr((i * 7919) % 100000) + u"\n";
  TStringList l;
  l.SetSorted(true);
  l.SetText(text);
  ASSERT_EQ(l.Count(), 100000);
  EXPECT_EQ(l.IndexOf(u"99999"), 99999);  // ordered as text, every value present once
  TStringList u;
  u.SetText(text);
  u.Sort();
  EXPECT_TRUE(u.Equals(&l));
}

TEST(StringList, ObjectsValuesAndOwnership) {
  struct TCounted : TObject {
    int* n;
    explicit TCounted(int* c) : n(c) {}
    ~TCounted() override { ++*n; }
  };
  int freed = 0;
  {
    TStringList l(true);
    l.AddObject(u"a", new TCounted(&freed));
    l.AddObject(u"b", new TCounted(&freed));
    l.Delete(0);
    EXPECT_EQ(freed, 1);
    EXPECT_EQ(l.IndexOfObject(l.Objects(0)), 0);
  }
  EXPECT_EQ(freed, 2);

  TStringList v;
  v.SetValues(u"Width", u"10");
  v.SetValues(u"Height", u"20");
  v.SetValues(u"width", u"30");
  EXPECT_EQ(v.Text(), u"width=30\r\nHeight=20\r\n");
  EXPECT_EQ(v.Values(u"HEIGHT"), u"20");
  EXPECT_EQ(v.Names(1), u"Height");
  v.SetValues(u"Height", u"");
  EXPECT_EQ(v.Count(), 1);
  v.Move(0, 0);
  v.Add(u"x");
  v.Move(1, 0);
  EXPECT_EQ(v[0], u"x");
}

TEST(StringList, ChangeEventsAreBatchedByUpdates) {
  TStringList l;
  int changes = 0;
  l.SetOnChange([&](TObject*) { ++changes; });
  l.Add(u"a");
  EXPECT_EQ(changes, 1);
  l.BeginUpdate();
  l.Add(u"b");
  l.Add(u"c");
  l.EndUpdate();
  EXPECT_EQ(changes, 2);
  l.SetText(u"x\ny\nz");
  EXPECT_EQ(changes, 3);
}

TEST(StringList, FilesAreUtf8WithOrWithoutByteOrderMark) {
  const jox::test::ScratchDir dir;
  String name = dir.File("lines.txt");
  TStringList l;
  l.Add(u"gr\u00fc\u00df");
  l.Add(u"\u20ac \U0001F600");
  l.SaveToFile(name);
  TStringList back;
  back.LoadFromFile(name);
  EXPECT_TRUE(back.Equals(&l));

  TFileStream f(name, fmCreate);
  f.WriteBuffer("\xEF\xBB\xBF" "one\r\ntwo", 11);
  back.LoadFromStream(&f);  // at the end: nothing left to read
  EXPECT_EQ(back.Count(), 0);
  f.SetPosition(0);
  back.LoadFromStream(&f);
  EXPECT_EQ(back.CommaText(), u"one,two");

  EXPECT_THROW(back.LoadFromFile(name + u".missing"), EFOpenError);
}

// [streams] --------------------------------------------------------------------
TEST(Streams, MemoryStreamReadsWritesSeeksAndCopies) {
  TMemoryStream m;
  m.WriteBuffer("hello", 5);
  EXPECT_EQ(m.Size(), 5);
  m.SetPosition(10);
  m.WriteBuffer("!", 1);  // past the end: the gap is filled
  EXPECT_EQ(m.Size(), 11);
  EXPECT_EQ(m.Memory()[7], 0);
  m.SetPosition(1);
  char buf[4] = {};
  EXPECT_EQ(m.Read(buf, 3), 3);
  EXPECT_EQ(std::string(buf, 3), "ell");
  m.Seek(-2, soEnd);
  EXPECT_EQ(m.Read(buf, 10), 2);
  EXPECT_THROW(m.ReadBuffer(buf, 1), EReadError);
  EXPECT_EQ(m.Seek(-100, soCurrent), 0);

  TMemoryStream copy;
  EXPECT_EQ(copy.CopyFrom(&m, 0), 11);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(copy.Memory()), 5), "hello");
  m.SetSize(2);
  EXPECT_EQ(m.Position(), 2);

  TStringStream s(u"\u00e4bc");
  EXPECT_EQ(s.Size(), 4);
  EXPECT_EQ(s.DataString(), u"\u00e4bc");
}

TEST(Streams, FileStreamModesAndFailures) {
  const jox::test::ScratchDir scratch;
  const std::filesystem::path& dir = scratch.Path();
  String name = scratch.File("data.bin");
  {
    TFileStream w(name, fmCreate);
    w.WriteBuffer("abcdef", 6);
  }
  {
    TFileStream r(name, fmOpenRead);
    EXPECT_EQ(r.Size(), 6);
    char b[3];
    r.Seek(2, soBeginning);
    r.ReadBuffer(b, 3);
    EXPECT_EQ(std::string(b, 3), "cde");
    EXPECT_EQ(r.Write("x", 1), 0);  // opened for reading only
  }
  {
    TFileStream rw(name, fmOpenReadWrite);
    rw.SetSize(3);
    EXPECT_EQ(rw.Size(), 3);
  }
  try {
    TFileStream missing(name + u"x", fmOpenRead);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message().rfind(u"Cannot open file \"" + name + u"x\". ", 0), 0u);
  }
  EXPECT_THROW(TFileStream(FromUtf8(dir.string()), fmOpenRead), EFOpenError);  // a directory
  EXPECT_THROW(TFileStream(FromUtf8((dir / "no" / "f").string()), fmCreate), EFCreateError);
}

TEST(TextFiles, ReaderSplitsLinesAcrossBufferBoundaries) {
  // A CR LF pair split by the reader's 64 KiB buffer must still end one line only.
  std::string big(65532, 'x');  // with the mark, the CR is the buffer's last byte
  TStringStream s(FromUtf8("\xEF\xBB\xBF" + big + "\r\nnext\rlast"));
  s.SetPosition(0);
  TStreamReader r(&s);
  EXPECT_EQ(r.ReadLine().size(), 65532u);
  EXPECT_EQ(r.ReadLine(), u"next");
  EXPECT_FALSE(r.EndOfStream());
  EXPECT_EQ(r.Peek(), 'l');
  EXPECT_EQ(r.ReadLine(), u"last");
  EXPECT_TRUE(r.EndOfStream());
  EXPECT_EQ(r.ReadLine(), u"");
  EXPECT_EQ(r.Peek(), -1);

  TMemoryStream out;
  {
    TStreamWriter w(&out);
    w.WriteLine(u"a\u00e9");
    w.Write(u"b");
  }
  out.SetPosition(0);
  TStreamReader back(&out);
  EXPECT_EQ(back.ReadToEnd(), u"a\u00e9\nb");
}

// [forms] ----------------------------------------------------------------------
namespace {
class TPanelish : public TGadget {
 public:
  using TGadget::TGadget;
  TComponent* Parent = nullptr;
  TComponent* Buddy() const { return FBuddy; }
  void SetBuddy(TComponent* v) { FBuddy = v; }
  std::vector<String> Events;
  TComponent* GetParentComponent() const override { return Parent; }
  void SetParentComponent(TComponent* v) override { Parent = v; }
  void Loaded() override {
    Events.push_back(u"loaded " + Caption() + (ComponentState().Contains(csReading) ? u" reading" : u""));
    TGadget::Loaded();
  }
  static const TClassInfo& ClassInfo() {
    static const TClassInfo info = TClassBuilder<TPanelish>(&TGadget::ClassInfo())
        .Prop("Buddy", &TPanelish::Buddy, &TPanelish::SetBuddy);
    return info;
  }
  const TClassInfo& GetClassInfo() const override { return ClassInfo(); }

 private:
  TComponent* FBuddy = nullptr;
};
}  // namespace

TEST(FormText, WriteThenReadRebuildsTheTree) {
  RegisterClass<TPanelish>();
  TPanelish form(nullptr);
  form.SetName(u"Form1");
  form.SetCaption(u"It's\r\ntwo");
  form.Items()->SetText(u"one\ntwo");
  auto* a = new TPanelish(&form);
  a->SetName(u"A");
  a->SetValue(0.1 + 0.2);
  a->SetShape(shStar);
  a->Parent = &form;
  auto* b = new TPanelish(&form);
  b->SetName(u"B");
  b->SetActive(false);
  b->Parent = a;
  a->SetBuddy(b);  // a reference forward to a component read later
  String text = WriteComponentText(&form);
  EXPECT_NE(text.find(u"Caption = 'It''s'#13#10'two'"), String::npos) << ToUtf8(text);
  EXPECT_NE(text.find(u"    object B: TPanelish"), String::npos) << ToUtf8(text);  // nested in A
  EXPECT_EQ(text.find(u"Name ="), String::npos);
  EXPECT_EQ(text.find(u"Color ="), String::npos);  // defaults are not stored

  std::unique_ptr<TComponent> copy(ReadComponentTextNew(text, nullptr));
  auto* f2 = dynamic_cast<TPanelish*>(copy.get());
  ASSERT_NE(f2, nullptr);
  EXPECT_EQ(f2->Name(), u"Form1");
  EXPECT_EQ(f2->Caption(), u"It's\r\ntwo");
  EXPECT_EQ(f2->Items()->CommaText(), u"one,two");
  ASSERT_EQ(f2->ComponentCount(), 2);
  auto* a2 = dynamic_cast<TPanelish*>(f2->FindComponent(u"A"));
  auto* b2 = dynamic_cast<TPanelish*>(f2->FindComponent(u"B"));
  ASSERT_TRUE(a2 && b2);
  EXPECT_EQ(a2->Value(), 0.1 + 0.2);  // floats read back exactly
  EXPECT_EQ(a2->Shape(), shStar);
  EXPECT_EQ(a2->Parent, f2);
  EXPECT_EQ(b2->Parent, a2);
  EXPECT_FALSE(b2->Active());
  EXPECT_EQ(a2->Buddy(), b2);
  EXPECT_EQ(WriteComponentText(f2), text);
  // Loaded ran once per component, after reading finished, and cleared csLoading.
  EXPECT_EQ(a2->Events, (std::vector<String>{u"loaded Gadget"}));
  EXPECT_FALSE(b2->ComponentState() & csLoading);
  UnRegisterClass(TPanelish::ClassInfo());
}

TEST(FormText, BadTextRaisesWithItsLine) {
  RegisterClass<TPanelish>();
  struct Row {
    const char16_t* Text;
    const char16_t* Message;
  };
  const Row rows[] = {
      {u"object F: TPanelish\n  Nope = 1\nend", u"Line 2: Property Nope does not exist"},
      {u"object F: TPanelish\n  Value = 'abc'\nend", u"Line 2: 'abc' is not a valid floating point value"},
      {u"object F: TPanelish\n  Caption = 'open\nend", u"Line 2: Unterminated string"},
      {u"object F: TPanelish\n  Value = 1\n", u"Line 3: 'end' expected"},
      {u"object F: TOther\nend", u"Line 1: Class TOther does not match TPanelish"},
      {u"object F: TPanelish\n  Buddy = Ghost\nend", u"Invalid property value: no component named Ghost"},
  };
  for (const Row& r : rows) {
    TPanelish root(nullptr);
    try {
      ReadComponentText(r.Text, &root);
      ADD_FAILURE() << ToUtf8(r.Text);
    } catch (const EReadError& e) {
      EXPECT_EQ(e.Message(), r.Message);
    }
    EXPECT_FALSE(root.ComponentState() & csLoading);
  }
  TPanelish root(nullptr);
  EXPECT_THROW(ReadComponentText(u"object F: TPanelish\n object X: TMissing\n end\nend", &root), EClassNotFound);
  UnRegisterClass(TPanelish::ClassInfo());
}

// Ordinal sets put a member at bit 1 << ordinal, mask sets use the member's value; both share the
// operators, and form text stores the bits.
TEST(Sets, OrdinalAndMaskSetsShareTheOperators) {
  TFontStyles f = fsBold | fsUnderline;
  EXPECT_EQ(f.bits, Byte(1 | 4));
  EXPECT_TRUE(f & fsUnderline);
  EXPECT_FALSE(f & fsItalic);
  f -= fsBold;
  EXPECT_EQ(f, TFontStyles(fsUnderline));
  f += fsItalic;
  EXPECT_EQ(f.bits, Byte(2 | 4));
  EXPECT_TRUE((f - TFontStyles(Byte(6))).Empty());

  TShiftState s = ssCtrl | ssLeft;
  EXPECT_EQ(s.bits, Word(4 | 8));
  EXPECT_TRUE(s.Contains(ssCtrl));
  EXPECT_EQ(s - ssCtrl, TShiftState(ssLeft));
  s |= ssShift;
  EXPECT_TRUE(s & ssShift);

  TComponentState c(csDesigning);
  EXPECT_EQ(c.bits, Word(16));
  EXPECT_TRUE(c & csDesigning);
  EXPECT_FALSE(c & csLoading);
}
