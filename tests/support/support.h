// Helpers shared by the tests: a fixture with the virtual clock and clean input state, pixel
// comparison, snapshot comparison against tests/snapshots/, and a scratch folder for tests that write files.
//
// Snapshots: MatchesSnapshot(bitmap, "meter_default") compares with tests/snapshots/meter_default.png,
// channel by channel within kSnapshotTolerance. A missing reference or a mismatch fails, writes the
// picture drawn to <build>/snapshots-new/<name>.png and, on a mismatch, <name>_err.png beside it (the
// differing pixels in red). References are rewritten only by `make snapshots` (see the README).
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "package/framework/framework.h"

namespace jox::test {

// One tolerance per colour channel for every pixel probe and snapshot (anti-aliased text and arcs).
constexpr int kPixelTolerance = 8;
constexpr int kSnapshotTolerance = kPixelTolerance;

// Virtual clock at 0, no beeps or kept exceptions, no input state, full timer table, empty clipboard.
class FrameworkTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};
void ResetFramework();

// Pixels of a surface as TColor (0x00BBGGRR); -1 outside.
TColor SurfacePixel(TBitmap* bmp, Integer x, Integer y);
// Each channel within tol.
bool SameColor(TColor a, TColor b, int tol = 0);
// Formats a colour for failure messages ("$00BBGGRR").
std::string ColorText(TColor c);
::testing::AssertionResult ColorNear(TColor actual, TColor expected, int tol = 0);

// The pixel at (x, y) of a canvas within kPixelTolerance of expected (per channel).
::testing::AssertionResult PixelNear(TCanvas* canvas, Integer x, Integer y, TColor expected,
                                     int tol = kPixelTolerance);

// Every property of obj's class table (inherited lines included) that has a stored default holds it:
// call it on a freshly created object, so the table and the constructor cannot drift apart.
::testing::AssertionResult DefaultsMatchTable(const TPersistent& obj);

// For tests of Assign: gives each named published property of obj a value other than the one it holds
// (a Boolean flipped, a number one up or else one down, a text with "x" appended), as far as its setter
// takes one, and answers the names of those that changed.
std::vector<String> ChangeProps(TPersistent& obj, const std::vector<String>& names);
// The published settings of obj's own class (objects such as fonts left out) that ChangeProps cannot
// change: call it on a fresh object; a setter that ignored every change would show here.
std::vector<String> RefusedProps(TPersistent& obj);
// Every named property reads the same on a and b.
::testing::AssertionResult SameProps(const TPersistent& a, const TPersistent& b, const std::vector<String>& names);

// Writes root's form text, reads it into fresh (an empty root of the same class, owning nothing) and
// writes that again: equal texts mean every stored property survived the trip. The classes in the
// text must be registered.
::testing::AssertionResult FormTextRoundTrip(TComponent* root, TComponent* fresh);

// A container that paints its colour, so a lost child shows in the picture; publishes its bounds, colour,
// tab order, enabled state and font. Register it for form text in the test that reads one.
class TBox : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  JOX_CLASS_TABLE
};

// Where every control under Root sits, one line each: name, parent, z-order and tab order. Equal
// texts mean nothing moved.
std::string Places(TWinControl* Root);

// Compares two bitmaps of equal size; names the first differing pixel.
::testing::AssertionResult BitmapsMatch(TBitmap* actual, TBitmap* expected, int tol, std::string* firstDiff = nullptr);
::testing::AssertionResult MatchesSnapshotIn(const std::string& refDir, TBitmap* actual, const std::string& name,
                                             int tol);
#ifdef JOX_SOURCE_DIR
inline ::testing::AssertionResult MatchesSnapshot(TBitmap* actual, const std::string& name,
                                                  int tol = kSnapshotTolerance) {
  return MatchesSnapshotIn(std::string(JOX_SOURCE_DIR) + "/tests/snapshots", actual, name, tol);
}
#endif

// Keeps a modal hook for one scope.
class ScopedModalHook {
 public:
  explicit ScopedModalHook(TCustomForm::TModalHook hook) { TCustomForm::SetModalHook(std::move(hook)); }
  ~ScopedModalHook() { TCustomForm::SetModalHook(nullptr); }
  ScopedModalHook(const ScopedModalHook&) = delete;
  ScopedModalHook& operator=(const ScopedModalHook&) = delete;
};

// A folder of its own under the temporary folder, for a test that writes files. The destructor removes
// it with everything in it, so a failing test leaves nothing behind either. ctest points the temporary
// folder at one of the build's, and a check after the run fails when anything is left in it.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::filesystem::path& Path() const { return FPath; }
  // The full name of a file in the folder, as the framework's file routines take it.
  String File(const std::string& name) const;

 private:
  std::filesystem::path FPath;
};

}  // namespace jox::test
