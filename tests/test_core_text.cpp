// String, file and table tools of the base package, and the bit field.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <filesystem>
#include <set>
#include <string>

#include "package/core/core.h"
#include "package/framework/graphics/graphics.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

String Joined(const TOpenStringArray& parts) {
  String s;
  for (const String& p : parts) s += u"[" + p + u"]";
  return s;
}

}  // namespace

TEST(CoreStrings, Tokenize) {
  struct Case {
    const char16_t *text, *delim, *pieces;
    Integer count;
  };
  const Case cases[] = {
      {u"", u"|", u"", 0},
      {u"abc", u"|", u"[abc]", 1},
      {u"a|b", u"|", u"[a][b]", 2},
      {u"|", u"|", u"[][]", 2},
      {u"a||b|", u"|", u"[a][][b][]", 4},
      {u"one, two", u", ", u"[one][two]", 2},
      {u"a|b", u"", u"[a|b]", 1},
  };
  for (const Case& c : cases) {
    TOpenStringArray parts{u"stale"};
    EXPECT_EQ(Tokenize(c.text, c.delim, parts), c.count) << ToUtf8(c.text);
    EXPECT_EQ(Joined(parts), c.pieces) << ToUtf8(c.text);
  }
}

TEST(CoreStrings, StrffFormatsFixedNotation) {
  struct Case {
    double value;
    Integer width, decimals;
    const char16_t* text;
  };
  const Case cases[] = {
      {3.14159, 1, 2, u"3.14"},     {3.14159, 8, 2, u"    3.14"}, {-2.5, 1, 0, u"-2"},
      {12, 1, 0, u"12"},            {0.5, 6, 3, u" 0.500"},       {1e6, 1, 1, u"1000000.0"},
      {7, -4, 1, u"7.0"},           {1.5, 1, -1, u"1.50000000000000E+00"},
      {NAN, 5, 2, u"  NAN"},        {-INFINITY, 1, 2, u"-INF"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(strff(c.value, c.width, c.decimals), c.text) << c.value << " " << c.width << " " << c.decimals;
  EXPECT_EQ(strff(1, 100000, 99).size(), 300u);  // width and decimals are bounded
  EXPECT_EQ(strff(1e308, 1, 2).size(), 312u);
}

TEST(CoreStrings, SmallTextTools) {
  EXPECT_EQ(LeftString(u"abcdef", 3), u"abc");
  EXPECT_EQ(LeftString(u"ab", 4), u"ab  ");
  EXPECT_EQ(LeftString(u"ab", 0), u"");
  EXPECT_EQ(LeftString(u"ab", -3), u"");
  EXPECT_EQ(EnsureTrailingChar(u';', u"a"), u"a;");
  EXPECT_EQ(EnsureTrailingChar(u';', u"a;"), u"a;");
  EXPECT_EQ(EnsureTrailingChar(u';', u""), u";");
  EXPECT_EQ(EnsureTrailingBkSlash(u"/tmp"), u"/tmp/");
  EXPECT_EQ(EnsureTrailingBkSlash(u"/tmp/"), u"/tmp/");
  EXPECT_EQ(EnsureTrailingBkSlash(u""), u"");
  EXPECT_EQ(RemoveControlChars(u"a\tb\r\nc\x7F\x1F d"), u"abc d");
  EXPECT_EQ(StripLeadingChars(u'0', u"0012300"), u"12300");
  EXPECT_EQ(StripTrailingChars(u'0', u"0012300"), u"00123");
  EXPECT_EQ(StripLeadingChars(u'x', u"xxx"), u"");
  EXPECT_EQ(StripTrailingChars(u'x', u""), u"");
  EXPECT_EQ(ReplaceCharInString(u"1,5,6", u',', u'.'), u"1.5.6");
}

TEST(CoreStrings, NumberedPos) {
  struct Case {
    const char16_t *sub, *text;
    Integer start, n;
    bool ignoreCase;
    Integer pos;
  };
  const Case cases[] = {
      {u"\"", u"a\"b\"c\"", 1, 1, false, 2},  {u"\"", u"a\"b\"c\"", 1, 2, false, 4},
      {u"\"", u"a\"b\"c\"", 3, 1, false, 4},  {u"\"", u"a\"b\"c\"", 1, 4, false, 0},
      {u"aa", u"aaaa", 1, 2, false, 2},       {u"AB", u"xabyAb", 1, 2, true, 5},
      {u"AB", u"xabyAb", 1, 1, false, 0},     {u"b", u"abc", -7, 1, false, 2},
      {u"b", u"abc", 4, 1, false, 0},         {u"b", u"abc", 99, 1, false, 0},
      {u"", u"abc", 1, 1, false, 0},          {u"b", u"abc", 1, 0, false, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(NumberedPos(c.sub, c.text, c.start, c.n, c.ignoreCase), c.pos)
        << ToUtf8(c.sub) << " in " << ToUtf8(c.text) << " from " << c.start << " #" << c.n;
}

TEST(CoreStrings, InventPassword) {
  EXPECT_EQ(InventPassword(0), u"");
  EXPECT_EQ(InventPassword(-3), u"");
  EXPECT_EQ(InventPassword(2000000000).size(), 255u);
  std::set<String> seen;
  for (int i = 0; i < 20; ++i) {
    const String p = InventPassword(12);
    ASSERT_EQ(p.size(), 12u);
    for (char16_t c : p) EXPECT_TRUE((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9'));
    seen.insert(p);
  }
  EXPECT_GT(seen.size(), 15u);
}

TEST(CoreFiles, ReadLnStreamSplitsEveryLineEnding) {
  TMemoryStream s;
  const std::string text = "one\r\ntwo\nthree\rfour\r\n\nlong line here\xC3\xA4";
  s.WriteBuffer(text.data(), Int64(text.size()));
  s.SetPosition(0);
  const char16_t* want[] = {u"one", u"two", u"three", u"four", u"", u"long"};
  bool eof = false;
  for (size_t i = 0; i < std::size(want); ++i) {
    ASSERT_FALSE(eof) << i;
    EXPECT_EQ(ReadLnStream(&s, eof, i + 1 == std::size(want) ? 4 : 80), want[i]) << i;
  }
  EXPECT_TRUE(eof);
  EXPECT_EQ(s.Position(), s.Size());
  EXPECT_EQ(ReadLnStream(&s, eof, 80), u"");
  EXPECT_TRUE(eof);
}

TEST(CoreFiles, ReadLnStreamAcrossChunksAndUtf8) {
  TMemoryStream s;
  std::string text(4095, 'x');
  text += "\r\nnext \xC3\xA4\xE2\x82\xAC";  // CR at the end of the first chunk, LF in the next
  s.WriteBuffer(text.data(), Int64(text.size()));
  s.SetPosition(0);
  bool eof = true;
  EXPECT_EQ(ReadLnStream(&s, eof, 10000).size(), 4095u);
  EXPECT_FALSE(eof);
  EXPECT_EQ(ReadLnStream(&s, eof, 255), u"next \u00E4\u20AC");
  EXPECT_TRUE(eof);
  EXPECT_EQ(ReadLnStream(nullptr, eof, 5), u"");
}

TEST(CoreFiles, DirExistsAndParentDir) {
  const jox::test::ScratchDir scratch;
  const std::filesystem::path& dir = scratch.Path();
  std::filesystem::create_directories(dir / "sub");
  const String d = FromUtf8(dir.string());
  EXPECT_TRUE(DirExists(d));
  EXPECT_TRUE(DirExists(d + u"/sub/"));
  EXPECT_FALSE(DirExists(d + u"/missing"));
  EXPECT_FALSE(DirExists(u""));

  const std::pair<const char16_t*, const char16_t*> cases[] = {
      {u"/a/b/c", u"/a/b"}, {u"/a/b/c/", u"/a/b"}, {u"/a//b", u"/a"}, {u"/a", u"/"},
      {u"/", u""},          {u"", u""},            {u"name", u""},    {u"rel/x", u"rel"},
  };
  for (auto [path, parent] : cases) EXPECT_EQ(ParentDir(path), parent) << ToUtf8(path);
  // Walking up always ends.
  String p = u"/x/y/z/";
  int steps = 0;
  while (!p.empty() && steps < 10) p = ParentDir(p), ++steps;
  EXPECT_EQ(steps, 4);
}

TEST(CoreTables, NamesAndColours) {
  for (int lang = lgNeutral; lang <= lgSpanish; ++lang) {
    for (int d = 0; d < 7; ++d) EXPECT_EQ(std::char_traits<char16_t>::length(WeekDayShort[lang][d]), 2u);
    for (int m = 1; m <= 12; ++m) {
      EXPECT_LE(std::char_traits<char16_t>::length(MonthShort[lang][m]), 4u) << lang << " " << m;
      EXPECT_LE(std::char_traits<char16_t>::length(MonthLong[lang][m]), 10u) << lang << " " << m;
      EXPECT_GT(std::char_traits<char16_t>::length(MonthShort[lang][m]), 2u);
    }
  }
  EXPECT_EQ(String(WeekDayShort[lgGerman][6]), u"So");
  EXPECT_EQ(String(MonthLong[lgFrench][2]), u"F\u00E9vrier");
  EXPECT_EQ(String(MonthLong[lgSpanish][9]), u"Septiembre");

  EXPECT_EQ(PredefinedColors[1], clBlack);
  EXPECT_EQ(PredefinedColors[16], clWhite);
  EXPECT_EQ(PredefinedColors[21], clScrollBar);
  std::set<TColor> distinct(PredefinedColors.begin() + 1, PredefinedColors.end());
  EXPECT_EQ(distinct.size(), 47u);
  for (int i = 21; i <= 47; ++i) EXPECT_EQ(PredefinedColors[i] & 0xFF000000u, 0xFF000000u) << i;
  for (int i = 1; i <= 20; ++i) EXPECT_EQ(PredefinedColors[i] & 0xFF000000u, 0u) << i;

  EXPECT_EQ(MeanColor(clBlack, clWhite), TColor(0x7F7F7F));
  EXPECT_EQ(MeanColor(RGB(10, 200, 0), RGB(20, 100, 255)), RGB(15, 150, 127));
  EXPECT_EQ(MeanColor(clBtnFace, clBtnFace), ColorToRGB(clBtnFace));
}

TEST(CoreTypes, DelimitersAndLogic) {
  EXPECT_EQ(CSVDelimiterChar(csvComma), u',');
  EXPECT_EQ(CSVDelimiterChar(csvTab), u'\t');
  EXPECT_EQ(CSVDelimiterChar(csvSemicolon), u';');
  const bool t = true, f = false;
  EXPECT_TRUE(CombineLogic(loNone, t, f));
  EXPECT_FALSE(CombineLogic(loAnd, t, f));
  EXPECT_TRUE(CombineLogic(loOr, f, t));
  EXPECT_FALSE(CombineLogic(loXor, t, t));
  EXPECT_TRUE(CombineLogic(loAndNot, t, f));
  EXPECT_FALSE(CombineLogic(loOrNot, f, t));
  EXPECT_DOUBLE_EQ(std::exp(uc_ln10), 10.0);
  EXPECT_EQ(uc_MaxDouble, std::numeric_limits<double>::max());
}

TEST(BitFld, BoundsAndCounts) {
  TBitFld b(nullptr);
  EXPECT_EQ(b.FirstTrueBit(), -1);
  EXPECT_THROW(b.SetBit(0, true), EJOXDStructError);
  b.SetSize(130);
  EXPECT_EQ(b.Size(), 130);
  for (Integer i : {0, 63, 64, 129}) b.SetBit(i, true);
  EXPECT_EQ(b.CountTrueBits(), 4);
  EXPECT_EQ(b.FirstTrueBit(), 0);
  b.SetBit(0, false);
  EXPECT_EQ(b.FirstTrueBit(), 63);
  EXPECT_FALSE(b.GetBit(-1));
  EXPECT_FALSE(b.GetBit(130));
  EXPECT_THROW(b.SetBit(130, true), EJOXDStructError);
  EXPECT_THROW(b.SetBit(-1, false), EJOXDStructError);
  EXPECT_THROW(b.SetSize(-1), EJOXDStructError);
  EXPECT_EQ(b.Size(), 130);
  // Shrinking drops bits for good: growing again gives false bits.
  b.SetSize(64);
  EXPECT_EQ(b.CountTrueBits(), 1);
  b.SetSize(200);
  EXPECT_FALSE(b.GetBit(129));
  b.SetSize(65);
  b.SetBit(64, true);
  b.SetSize(64);
  b.SetSize(65);
  EXPECT_FALSE(b.GetBit(64));
  b.Clear();
  EXPECT_EQ(b.CountTrueBits(), 0);
  EXPECT_EQ(b.Size(), 65);
}
