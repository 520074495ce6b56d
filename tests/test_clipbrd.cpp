#include <gtest/gtest.h>

#include "package/framework/framework.h"
#include "tests/support/support.h"

using namespace jox;

namespace {
class ClipboardTest : public jox::test::FrameworkTest {
 protected:
  void TearDown() override {
    SetPlatformHost(nullptr);
    FrameworkTest::TearDown();
  }
};

// A system clipboard as a platform host sees it.
struct TClipHost : TPlatformHost {
  String system = u"from outside";
  bool systemHas = true;
  int pushes = 0;
  bool GetClipboardText(String& t) override {
    if (!systemHas) return false;
    t = system;
    return true;
  }
  void SetClipboardText(const String* t) override {
    ++pushes;
    systemHas = t != nullptr;
    if (t) system = *t;
  }
};
}  // namespace

TEST_F(ClipboardTest, HoldsTextUntilClearedOrReplaced) {
  EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));
  EXPECT_EQ(Clipboard()->AsText(), u"");
  Clipboard()->SetAsText(u"1\t2\r\n3\t4");
  EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));
  EXPECT_TRUE(Clipboard()->HasFormat(CF_UNICODETEXT));
  EXPECT_FALSE(Clipboard()->HasFormat(CF_BITMAP));
  EXPECT_EQ(Clipboard()->AsText(), u"1\t2\r\n3\t4");
  Clipboard()->SetAsText(u"");  // empty text is still text
  EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));
  Clipboard()->Clear();
  EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));
}

TEST_F(ClipboardTest, SystemClipboardOfTheHostSeesChangesAndSuppliesText) {
  TClipHost host;
  SetPlatformHost(&host);
  EXPECT_EQ(Clipboard()->AsText(), u"from outside");
  Clipboard()->SetAsText(u"ours");
  EXPECT_EQ(host.system, u"ours");
  Clipboard()->Clear();
  EXPECT_EQ(host.pushes, 2);
  EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));
}
