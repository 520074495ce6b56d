#include <gtest/gtest.h>

#include "package/core/stringarray.h"

using namespace jox;

namespace {

// A column of the shown rows 1..NrOfRows joined by "|".
String Column(const TStringArray& a, Integer col) {
  String s;
  for (Integer r = 1; r <= a.NrOfRows(); ++r) s += (r > 1 ? u"|" : u"") + a.GetString(col, r);
  return s;
}

void FillRows(TStringArray& a, std::initializer_list<std::pair<const char*, const char*>> rows) {
  a.Resize(2, Integer(rows.size()));
  Integer r = 1;
  for (auto& [k1, k2] : rows) {
    a.SetString(1, r, FromUtf8(k1));
    a.SetString(2, r, FromUtf8(k2));
    a.SetString(0, r, IntToStr(r));  // the record's identity
    ++r;
  }
}

}  // namespace

TEST(StringArray, CellsAreCutAndOutOfRangeIsNeutral) {
  TStringArray a;
  a.Resize(3, 2);
  EXPECT_EQ(a.NrOfColumns(), 3);
  EXPECT_EQ(a.NrOfRows(), 2);
  a.SetString(3, 2, String(300, u'x'));
  EXPECT_EQ(a.GetString(3, 2), String(255, u'x'));
  a.SetString(4, 1, u"no");
  a.SetString(1, 3, u"no");
  a.SetString(-1, 0, u"no");
  EXPECT_EQ(a.GetString(4, 1), u"");
  EXPECT_EQ(a.GetString(1, -1), u"");
  EXPECT_EQ(a.GetRowAttrib(9), 0);
  // A text taken from the array itself survives the pool growing under it.
  a.SetString(1, 1, u"abc");
  a.SetString(2, 1, a.GetView(1, 1));
  EXPECT_EQ(a.GetString(2, 1), u"abc");
  EXPECT_THROW(a.Resize(-1, 2), EJOXDStructError);
  EXPECT_THROW(a.Resize(100000, 100000), EJOXDStructError);
  EXPECT_EQ(a.GetString(3, 2), String(255, u'x'));  // a refused resize keeps the contents
}

TEST(StringArray, ResizeKeepsWhatFitsAndReusesPool) {
  TStringArray a;
  a.Resize(2, 3);
  for (Integer r = 0; r <= 3; ++r)
    for (Integer c = 0; c <= 2; ++c) a.SetString(c, r, IntToStr(c * 10 + r));
  a.Resize(1, 2);
  a.Resize(3, 4);
  EXPECT_EQ(a.GetString(1, 2), u"12");
  EXPECT_EQ(a.GetString(2, 2), u"");
  EXPECT_EQ(a.GetString(1, 3), u"");
  // Rows coming and going leave unused text behind; compacting it must keep every live text.
  for (int i = 0; i < 3000; ++i) {
    a.InsertRow(1);
    a.SetString(2, 1, String(200, char16_t(u'a' + i % 26)));
    a.RemoveRow(1);
  }
  EXPECT_EQ(a.NrOfRows(), 4);
  EXPECT_EQ(a.GetString(1, 1), u"11");
  EXPECT_EQ(a.GetString(0, 2), u"2");
}

TEST(StringArray, SortIsStableWithSecondaryKeyAndDirection) {
  struct Case {
    Integer prim, sec;
    bool ascPrim, ascSec;
    const char* ids;  // the records in the resulting order
  };
  const Case cases[] = {
      {1, -1, true, true, "2|4|1|3|5"},    // ties keep their order
      {1, -1, false, true, "1|3|5|2|4"},   // descending keeps ties in order too
      {1, 2, true, true, "4|2|3|5|1"},
      {1, 2, true, false, "2|4|1|5|3"},
      {1, 2, false, true, "3|5|1|4|2"},
      {2, 1, true, true, "4|3|5|2|1"},
  };
  for (const Case& c : cases) {
    TStringArray a;
    FillRows(a, {{"b", "z"}, {"a", "y"}, {"B", "m"}, {"A", "c"}, {"b", "q"}});
    a.Sort(c.prim, c.sec, c.ascPrim, c.ascSec);
    EXPECT_EQ(ToUtf8(Column(a, 0)), c.ids) << c.prim << "," << c.sec << " " << c.ascPrim << c.ascSec;
  }
}

TEST(StringArray, NumbersCompareByValueBeforeTexts) {
  TStringArray a;
  FillRows(a, {{"10", ""}, {"9", ""}, {"abc", ""}, {" -2,5 ", ""}, {"1e3", ""}, {"", ""}});
  a.Sort(1, -1, true, true);
  EXPECT_EQ(ToUtf8(Column(a, 1)), " -2,5 |9|10|1e3||abc");
}

// Texts order by their case-folded characters whatever their length: those alike in their first
// twelve characters, shorter ones before their own extensions, a NUL inside a text.
TEST(StringArray, TextsAlikeInTheirFirstCharactersStillSortByTheRest) {
  TStringArray a;
  FillRows(a, {{"Anna Berger-Huber", ""}, {"anna berger", ""}, {"ANNA BERGER-HOFER", ""}, {"Anna", ""},
               {"anna bergeR-h", ""}, {"Ann", ""}, {"", ""}, {"Anna Ber", ""}});
  a.SetString(1, 7, String(u"Ann\0a", 5));
  a.SetString(1, 6, String(u"Ann\0", 4));
  a.Sort(1, -1, true, true);
  EXPECT_EQ(ToUtf8(Column(a, 0)), "6|7|4|8|2|5|3|1");
  a.Sort(1, -1, false, true);
  EXPECT_EQ(ToUtf8(Column(a, 0)), "1|3|5|2|8|4|7|6");
}

TEST(StringArray, UnSortAfterSeveralSortsAndCommit) {
  TStringArray a;
  FillRows(a, {{"c", "1"}, {"a", "3"}, {"b", "2"}, {"a", "1"}});
  a.SetRowAttrib(2, 0x80);
  a.Sort(1, 2, true, true);
  EXPECT_TRUE(a.Sorted());
  a.Sort(2, -1, false, true);
  EXPECT_EQ(ToUtf8(Column(a, 0)), "2|3|4|1");
  // Attributes travel with their rows.
  EXPECT_EQ(a.GetRowAttrib(1), 0x80);
  EXPECT_EQ(a.GetSortOrder(1), 2);
  a.UnSort();
  EXPECT_EQ(ToUtf8(Column(a, 0)), "1|2|3|4");
  EXPECT_EQ(a.GetRowAttrib(2), 0x80);
  EXPECT_FALSE(a.Sorted());

  a.Sort(1, -1, true, true);  // 2 4 3 1
  a.CommitSorting();
  EXPECT_FALSE(a.Sorted());
  a.Sort(2, -1, true, true);
  a.UnSort();
  EXPECT_EQ(ToUtf8(Column(a, 0)), "2|4|3|1");
}

TEST(StringArray, InsertAndRemoveKeepTheUnsortedOrder) {
  TStringArray a;
  FillRows(a, {{"c", ""}, {"a", ""}, {"b", ""}});
  a.Sort(1, -1, true, true);  // shown 2 3 1
  a.InsertRow(2);             // before record 3: unsorted it stands before record 3 too
  a.SetString(0, 2, u"n");
  a.RemoveRow(1);             // record 2 leaves
  EXPECT_EQ(ToUtf8(Column(a, 0)), "n|3|1");
  a.UnSort();
  EXPECT_EQ(ToUtf8(Column(a, 0)), "1|n|3");
  a.InsertRow(4);  // append
  EXPECT_EQ(a.NrOfRows(), 4);
  a.InsertRow(6);  // beyond: nothing
  a.InsertRow(0);
  EXPECT_EQ(a.NrOfRows(), 4);

  // The last row cannot go; it is blanked.
  TStringArray b;
  b.SetString(0, 0, u"x");
  b.SetRowAttrib(0, 5);
  b.RemoveRow(0);
  EXPECT_EQ(b.NrOfRows(), 0);
  EXPECT_EQ(b.GetString(0, 0), u"");
  EXPECT_EQ(b.GetRowAttrib(0), 0);
}

TEST(StringArray, ColumnsShiftWithTheirAttributes) {
  TStringArray a;
  a.Resize(3, 1);
  for (Integer c = 0; c <= 3; ++c) {
    a.SetString(c, 1, IntToStr(c));
    a.SetColAttrib(c, Byte(c + 1));
  }
  a.InsertColumn(2);
  EXPECT_EQ(a.NrOfColumns(), 4);
  EXPECT_EQ(a.GetString(2, 1), u"");
  EXPECT_EQ(a.GetString(3, 1), u"2");
  EXPECT_EQ(a.GetColAttrib(3), 3);
  EXPECT_EQ(a.GetColAttrib(2), 0);
  a.RemoveColumn(1);
  EXPECT_EQ(a.NrOfColumns(), 3);
  EXPECT_EQ(a.GetString(1, 1), u"");
  EXPECT_EQ(a.GetString(3, 1), u"3");
  EXPECT_EQ(a.GetColAttrib(3), 4);
  a.InsertColumn(4);  // append
  EXPECT_EQ(a.NrOfColumns(), 4);
  a.InsertColumn(6);
  EXPECT_EQ(a.NrOfColumns(), 4);
}

TEST(StringArray, Notifications) {
  TStringArray a;
  FillRows(a, {{"c", ""}, {"a", ""}, {"b", ""}, {"d", ""}});
  int changes = 0;
  std::vector<Integer> percents;
  std::vector<std::pair<String, String>> exchanges;
  a.SetOnChange([&](TObject* s) { EXPECT_EQ(s, &a); ++changes; });
  a.SetOnPercentDone([&](TObject*, Integer p) { percents.push_back(p); });
  a.SetOnBeforeSortExchange([&](TObject* s, const String& f, String& sec) {
    EXPECT_EQ(s, &a);
    exchanges.emplace_back(f, sec);
    sec = u"ignored";
  });
  a.SetString(1, 1, u"c");
  EXPECT_EQ(changes, 1);
  a.Sort(1, -1, true, true);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(ToUtf8(Column(a, 1)), "a|b|c|d");
  // c a b d -> a b c d takes two exchanges, each announced with the keys of both rows.
  ASSERT_EQ(exchanges.size(), 2u);
  EXPECT_EQ(exchanges[0], std::make_pair(String(u"c"), String(u"a")));
  EXPECT_EQ(exchanges[1], std::make_pair(String(u"c"), String(u"b")));
  ASSERT_FALSE(percents.empty());
  EXPECT_EQ(percents.front(), 0);
  EXPECT_EQ(percents.back(), 100);
  a.UnSort();
  EXPECT_EQ(ToUtf8(Column(a, 1)), "c|a|b|d");
  EXPECT_EQ(exchanges.size(), 4u);
}

TEST(StringArray, SetSortOrderDecidesTheNextUnSort) {
  TStringArray a;
  FillRows(a, {{"a", ""}, {"b", ""}, {"c", ""}});
  a.SetSortOrder(1, 3);
  a.SetSortOrder(3, 1);
  EXPECT_TRUE(a.Sorted());
  a.UnSort();
  EXPECT_EQ(ToUtf8(Column(a, 1)), "c|b|a");
  a.SetSortOrder(1, 7);  // no longer a permutation: still a stable order by number
  a.SetSortOrder(2, 7);
  a.UnSort();
  EXPECT_EQ(ToUtf8(Column(a, 1)), "a|c|b");
}

TEST(StringArray, LargeSortIsStable) {
  TStringArray a;
  const Integer n = 100000;
  a.Resize(1, n);
  for (Integer r = 1; r <= n; ++r) {
    a.SetString(1, r, IntToStr(r % 97) + u"k");
    a.SetString(0, r, IntToStr(r));
  }
  a.Sort(1, -1, true, true);
  for (Integer r = 2; r <= n; ++r) {
    const int c = CompareText(a.GetString(1, r - 1), a.GetString(1, r));
    ASSERT_LE(c, 0) << r;
    if (c == 0) {
      ASSERT_LT(a.GetSortOrder(r - 1), a.GetSortOrder(r)) << r;
    }
  }
  a.UnSort();
  for (Integer r = 1; r <= n; r += 997) ASSERT_EQ(a.GetString(0, r), IntToStr(r));
}
