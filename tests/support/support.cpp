#include "tests/support/support.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include <unistd.h>

namespace jox::test {

void ResetFramework() {
  Application->UseVirtualClock(true);
  Application->ResetBeeps();
  Application->ClearExceptions();
  Application->SetOnException(nullptr);
  Application->SetTimerCapacity(10000);
  Application->SetDefWindowProcHook(nullptr);
  Application->ClearTerminated();
  input::Reset();
  Clipboard()->Clear();
  Screen->SetCursor(crDefault);
  Screen->SetSize(1920, 1080);
  Screen->SetScale(1);
  TCustomForm::SetModalHook(nullptr);
}

void FrameworkTest::SetUp() { ResetFramework(); }
void FrameworkTest::TearDown() { input::Reset(); }

TColor SurfacePixel(TBitmap* bmp, Integer x, Integer y) {
  if (!bmp || x < 0 || y < 0 || x >= bmp->Width() || y >= bmp->Height()) return TColor(-1);
  return PixelToColor(bmp->ScanLine(y)[x]);
}

bool SameColor(TColor a, TColor b, int tol) {
  for (int shift = 0; shift < 24; shift += 8)
    if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tol) return false;
  return true;
}

std::string ColorText(TColor c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "$%08X", unsigned(c));
  return buf;
}

::testing::AssertionResult ColorNear(TColor actual, TColor expected, int tol) {
  if (SameColor(actual, expected, tol)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "colour " << ColorText(actual) << ", expected " << ColorText(expected)
                                       << " (tolerance " << tol << ")";
}

::testing::AssertionResult PixelNear(TCanvas* canvas, Integer x, Integer y, TColor expected, int tol) {
  return ColorNear(canvas->Pixels(x, y), expected, tol) << " at (" << x << ", " << y << ")";
}

::testing::AssertionResult DefaultsMatchTable(const TPersistent& obj) {
  std::string wrong;
  for (const TPropInfo* p : obj.GetClassInfo().AllProps())
    if (p->Default && !p->IsDefault(obj)) wrong += " " + ToUtf8(p->Name) + " = " + ToUtf8(VarToStr(p->Get(obj)));
  if (wrong.empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << ToUtf8(obj.ClassName()) << " differs from its table:" << wrong;
}

std::vector<String> ChangeProps(TPersistent& obj, const std::vector<String>& names) {
  std::vector<String> changed;
  for (const String& name : names) {
    const TPropInfo* p = obj.GetClassInfo().FindProp(name);
    if (!p || p->ReadOnly() || !p->Get) continue;
    const Variant old = p->Get(obj);
    std::vector<Variant> tries;
    switch (old.index()) {
      case 1: tries = {!std::get<bool>(old)}; break;
      case 2: tries = {std::get<Int64>(old) + 1, std::get<Int64>(old) - 1}; break;
      case 3: tries = {std::get<double>(old) + 1, std::get<double>(old) - 1}; break;
      case 4: tries = {std::get<String>(old) + u"x"}; break;
      default: break;
    }
    for (const Variant& v : tries) {
      p->Set(obj, v);
      if (p->Get(obj) != old) {
        changed.push_back(name);
        break;
      }
    }
  }
  return changed;
}

std::vector<String> RefusedProps(TPersistent& obj) {
  std::vector<String> own, refused;
  for (const TPropInfo& p : obj.GetClassInfo().Props)
    if (!p.ReadOnly() && p.Get && p.Kind != tkClass) own.push_back(p.Name);
  const std::vector<String> changed = ChangeProps(obj, own);
  for (const String& n : own)
    if (std::find(changed.begin(), changed.end(), n) == changed.end()) refused.push_back(n);
  return refused;
}

::testing::AssertionResult SameProps(const TPersistent& a, const TPersistent& b, const std::vector<String>& names) {
  std::string wrong;
  for (const String& name : names) {
    const TPropInfo* p = a.GetClassInfo().FindProp(name);
    if (!p) {
      wrong += " " + ToUtf8(name) + " (no such property)";
      continue;
    }
    if (p->Get(a) != p->Get(b))
      wrong += " " + ToUtf8(name) + " = " + ToUtf8(VarToStr(p->Get(b))) + " for " + ToUtf8(VarToStr(p->Get(a)));
  }
  if (wrong.empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "differs:" << wrong;
}

::testing::AssertionResult FormTextRoundTrip(TComponent* root, TComponent* fresh) {
  const String text = WriteComponentText(root);
  ReadComponentText(text, fresh);
  const String again = WriteComponentText(fresh);
  if (again == text) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "written:\n" << ToUtf8(text) << "\nread back and written:\n" << ToUtf8(again);
}

::testing::AssertionResult BitmapsMatch(TBitmap* actual, TBitmap* expected, int tol, std::string* firstDiff) {
  if (actual->Width() != expected->Width() || actual->Height() != expected->Height())
    return ::testing::AssertionFailure() << "size " << actual->Width() << "x" << actual->Height() << ", expected "
                                         << expected->Width() << "x" << expected->Height();
  long diffs = 0;
  std::string first;
  for (Integer y = 0; y < actual->Height(); ++y)
    for (Integer x = 0; x < actual->Width(); ++x) {
      TColor a = SurfacePixel(actual, x, y), e = SurfacePixel(expected, x, y);
      if (SameColor(a, e, tol)) continue;
      if (diffs++ == 0) first = "(" + std::to_string(x) + ", " + std::to_string(y) + "): " + ColorText(a) +
                                ", expected " + ColorText(e);
    }
  if (firstDiff) *firstDiff = first;
  if (diffs == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << diffs << " pixels differ; first at " << first;
}

::testing::AssertionResult MatchesSnapshotIn(const std::string& refDir, TBitmap* actual, const std::string& name,
                                             int tol) {
  namespace fs = std::filesystem;
  fs::create_directories("snapshots-new");
  const std::string drawn = "snapshots-new/" + name + ".png";
  actual->SaveToFile(FromUtf8(drawn));
  const std::string ref = refDir + "/" + name + ".png";
  if (!fs::exists(ref))
    return ::testing::AssertionFailure() << "no reference " << ref << "; the picture drawn is in " << drawn
                                         << " (copy it there by hand to make it the reference)";
  TBitmap expected;
  expected.LoadFromFile(FromUtf8(ref));
  auto result = BitmapsMatch(actual, &expected, tol);
  if (result) {
    fs::remove(drawn);
    return result;
  }
  // The error picture: the drawing, with every differing pixel in red.
  TBitmap err;
  err.Assign(actual);
  if (err.Width() == expected.Width() && err.Height() == expected.Height())
    for (Integer y = 0; y < err.Height(); ++y)
      for (Integer x = 0; x < err.Width(); ++x)
        if (!SameColor(SurfacePixel(actual, x, y), SurfacePixel(&expected, x, y), tol))
          err.ScanLine(y)[x] = ColorToPixel(clRed);
  err.SaveToFile(FromUtf8("snapshots-new/" + name + "_err.png"));
  return result << " (drawn: " << drawn << ")";
}

ScratchDir::ScratchDir() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "jox_test_XXXXXX").string();
  if (!::mkdtemp(tmpl.data())) throw std::runtime_error("cannot make a scratch folder from " + tmpl);
  FPath = tmpl;
}

ScratchDir::~ScratchDir() {
  std::error_code ec;  // a destructor must not throw; what cannot be removed shows in the check after ctest
  std::filesystem::remove_all(FPath, ec);
}

String ScratchDir::File(const std::string& name) const { return FromUtf8((FPath / name).string()); }

const TClassInfo& TBox::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TBox>(&TCustomControl::ClassInfo())
      .Publish(ControlProperties(), pgBounds)
      .Publish(ControlProperties(), {"Color", "ParentColor", "TabOrder", "Enabled", "Font", "ParentFont"});
  return info;
}

std::string Places(TWinControl* Root) {
  std::string out;
  for (Integer i = 0; i < Root->ControlCount(); ++i) {
    TControl* c = Root->Controls(i);
    out += ToUtf8(c->Name()) + " in " + ToUtf8(Root->Name()) + " z" + std::to_string(i);
    if (auto* w = dynamic_cast<TWinControl*>(c)) {
      out += " tab" + std::to_string(w->TabOrder()) + "\n" + Places(w);
    } else {
      out += "\n";
    }
  }
  return out;
}

}  // namespace jox::test
