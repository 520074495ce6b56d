#include <gtest/gtest.h>

#include "package/framework/sysutils.h"

using namespace jox;

TEST(Utf, RoundTripAndRepairs) {
  String s = u"a\u00e4\u20ac\U0001F600";
  EXPECT_EQ(FromUtf8(ToUtf8(s)), s);
  EXPECT_EQ(FromUtf8("\xff" "a"), u"\uFFFDa");
  EXPECT_EQ(FromUtf8("\xe2\x82"), u"\uFFFD\uFFFD");
  EXPECT_EQ(FromUtf8("\xc0\x80"), u"\uFFFD\uFFFD");  // overlong
}

TEST(Text, CopyAndPosAreOneBasedAndClamped) {
  EXPECT_EQ(Copy(u"hello", 2, 3), u"ell");
  EXPECT_EQ(Copy(u"hello", 4, 99), u"lo");
  EXPECT_EQ(Copy(u"hello", 9, 1), u"");
  EXPECT_EQ(Pos(u"ll", u"hello"), 3);
  EXPECT_EQ(Pos(u"x", u"hello"), 0);
}
