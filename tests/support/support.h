// Helpers shared by the tests: a fixture with the virtual clock and clean input state, pixel
// comparison, and snapshot comparison against tests/snapshots/.
//
// Snapshots: MatchesSnapshot(bitmap, "meter_default") compares with tests/snapshots/meter_default.png,
// channel by channel within kSnapshotTolerance. A missing reference or a mismatch fails, writes the
// picture drawn to <build>/snapshots-new/<name>.png and, on a mismatch, <name>_err.png beside it (the
// differing pixels in red). References are made only by hand:
//   cp build/snapshots-new/meter_default.png tests/snapshots/
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "package/framework/framework.h"

namespace jox::test {

constexpr int kSnapshotTolerance = 8;

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

}  // namespace jox::test
