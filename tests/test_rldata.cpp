#include <gtest/gtest.h>

#include "replist/replist.h"

using namespace jox;

namespace {

std::unique_ptr<TRLData> Make(Integer cols, Integer rows) {
  auto d = std::make_unique<TRLData>(nullptr);
  d->SetNrCols(cols);
  d->SetNrRows(rows);
  return d;
}

String ColText(const TRLData& d, Integer col) {
  String s;
  for (Integer r = 1; r <= d.NrOfRows(); ++r) s += (r > 1 ? u"|" : u"") + d.Elem(col, r);
  return s;
}

}  // namespace

TEST(RLData, Defaults) {
  TRLData d(nullptr);
  EXPECT_EQ(d.NrOfColumns(), 1);
  EXPECT_EQ(d.NrOfRows(), 0);
  EXPECT_EQ(d.Header(1), u"C-1");
  EXPECT_EQ(d.CommonHeader(), u"JOX Report Listview");
  EXPECT_EQ(d.LastSortColumn(), -1);
  EXPECT_EQ(d.LastSortColumnSec(), -1);
  EXPECT_TRUE(d.LastSortOrder());
  EXPECT_TRUE(d.SortToggle());
  EXPECT_EQ(d.FeedbkNumCells(), 1);
  EXPECT_EQ(d.FeedbkStep(), 1);
  EXPECT_EQ(d.Strings->AllocRowsBy(), 10);
  EXPECT_EQ(d.Strings->NrOfRows(), 1);
  const TClassInfo& ci = TRLData::ClassInfo();
  for (const char* p : {"NrOfColumns", "NrOfRows", "CommonHeader", "OnBeforeSortExchange", "OnBeforeHTMLExport",
                        "OnExportText", "OnPercentDone", "Name", "Tag"})
    EXPECT_NE(ci.FindProp(FromUtf8(p)), nullptr) << p;
  EXPECT_EQ(VarToInt(GetPropValue(&d, u"NrOfColumns")), 1);
}

TEST(RLData, Dimensions) {
  auto d = Make(2, 3);
  d->SetHeader(1, u"first");
  d->SetNrCols(4);
  EXPECT_EQ(d->Header(1), u"first");
  EXPECT_EQ(d->Header(2), u"C-2");
  EXPECT_EQ(d->Header(3), u"C-3");
  EXPECT_EQ(d->Header(4), u"C-4");
  EXPECT_EQ(d->FeedbkNumCells(), 3 * 5);
  EXPECT_EQ(d->FeedbkStep(), 1);
  d->SetNrCols(0);
  EXPECT_EQ(d->NrOfColumns(), 1);
  d->SetNrCols(-5);
  EXPECT_EQ(d->NrOfColumns(), 1);
  d->SetNrRows(-1);
  EXPECT_EQ(d->NrOfRows(), 0);
  EXPECT_EQ(d->FeedbkNumCells(), 1);
  d->SetNrRows(1000);
  EXPECT_EQ(d->FeedbkNumCells(), 2000);
  EXPECT_EQ(d->FeedbkStep(), 21);
  // A refused resize keeps the sizes and raises the base package's error.
  EXPECT_THROW(d->SetNrCols(200000000), EJOXError);
  EXPECT_EQ(d->NrOfColumns(), 1);
  // A count whose cells fit but whose names and formats would take gigabytes (from a form text).
  d->SetNrRows(1);
  EXPECT_THROW(d->SetNrCols(21390950), EJOXError);
  EXPECT_EQ(d->NrOfColumns(), 1);
  d->SetNrRows(1000);
  EXPECT_THROW(d->SetNrRows(INT32_MAX), EJOXError);
  EXPECT_EQ(d->NrOfRows(), 1000);
  // Names and formats are cut.
  d->SetHeader(1, String(60, u'n'));
  d->SetColumnFormat(1, String(90, u'f'));
  EXPECT_EQ(d->Header(1).size(), 50u);
  EXPECT_EQ(d->ColumnFormat(1).size(), 80u);
  d->SetHeader(2, u"x");  // outside: ignored
  EXPECT_EQ(d->Header(2), u"");
  EXPECT_EQ(d->ColumnCheckMode(7), cmNone);
}

TEST(RLData, CellsAndHiddenColumn) {
  auto d = Make(2, 2);
  d->SetElem(0, 1, u"id1");
  d->SetElem(2, 2, String(300, u'y'));
  EXPECT_EQ(d->Elem(0, 1), u"id1");
  EXPECT_EQ(d->Elem(2, 2).size(), 255u);
  d->SetElem(3, 1, u"no");
  d->SetElem(1, 3, u"no");
  d->SetElem(1, 0, u"no");
  EXPECT_EQ(d->Elem(3, 1), u"");
  EXPECT_EQ(d->Elem(1, 3), u"");
  EXPECT_EQ(d->Strings->GetString(1, 0), u"");
  EXPECT_FALSE(d->ElemChecked(0, 1));
}

TEST(RLData, CheckModeConversions) {
  auto d = Make(2, 3);
  d->SetElem(2, 1, u"a");
  d->SetElem(2, 3, u"b");
  d->SetColCheckMode(2, cmBox);
  EXPECT_EQ(d->Strings->GetString(2, 1), u" a");
  EXPECT_EQ(d->Strings->GetString(2, 2), u"");
  EXPECT_EQ(d->Strings->GetString(2, 3), u" b");
  EXPECT_EQ(ColText(*d, 2), u"a||b");
  EXPECT_TRUE(d->IsCheckedColumn(2));
  d->SetElemChecked(2, 1, true);
  d->SetElemChecked(2, 3, true);
  d->SetColCheckMode(2, cmRadio);  // all marks cleared
  EXPECT_EQ(d->CountCheckedElemsInCol(2), 0);
  EXPECT_FALSE(d->IsCheckedColumn(2));
  d->SetElemChecked(2, 1, true);
  d->SetColCheckMode(2, cmBox);  // texts stay
  EXPECT_EQ(d->Strings->GetString(2, 1), u"Xa");
  d->SetColCheckMode(2, cmNone);
  EXPECT_EQ(ColText(*d, 2), u"a||b");
  // The conversion is not announced as a change of the cells.
  int changes = 0;
  d->Strings->SetOnChange([&](TObject*) { ++changes; });
  d->SetCheckedCol(2, true);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(d->ColumnCheckMode(2), cmBox);
  d->SetCheckedCol(2, false);
  EXPECT_EQ(d->ColumnCheckMode(2), cmNone);
}

TEST(RLData, MarksInBoxAndRadioColumns) {
  auto d = Make(2, 6);
  d->SetColCheckMode(2, cmBox);
  d->SetElem(2, 1, u"text");
  EXPECT_EQ(d->Strings->GetString(2, 1), u" text");
  d->SetElemChecked(2, 2, true);  // an empty cell becomes the mark alone
  EXPECT_EQ(d->Strings->GetString(2, 2), u"X");
  d->SetElem(2, 2, u"t");
  EXPECT_EQ(d->Strings->GetString(2, 2), u"Xt");
  d->Strings->SetString(2, 3, u"?odd");  // any mark but " " reads as checked
  EXPECT_TRUE(d->ElemChecked(2, 3));
  EXPECT_EQ(d->Elem(2, 3), u"odd");
  d->SetElemChecked(2, 1, false);
  d->SetElemChecked(1, 1, true);  // a text column has no marks
  EXPECT_EQ(d->Elem(1, 1), u"");

  d->Strings->SetString(2, 4, u" a");
  d->Strings->SetString(2, 5, u"Xa");
  d->Strings->SetString(2, 6, u"");
  d->Strings->SetString(2, 1, u"");
  d->InvertAllCheckmarksOfCol(2);
  const char16_t* inverted[] = {u"X", u" t", u"Xodd", u"Xa", u" a", u"X"};
  for (Integer r = 1; r <= 6; ++r) EXPECT_EQ(d->Strings->GetString(2, r), inverted[r - 1]) << r;
  EXPECT_EQ(d->CountCheckedElemsInCol(2), 4);
  EXPECT_EQ(d->FirstCheckedElemInCol(2), 1);
  d->SetAllCheckmarksOfCol(2, false);
  EXPECT_EQ(d->CountCheckedElemsInCol(2), 0);
  EXPECT_EQ(d->FirstCheckedElemInCol(2), 0);
  EXPECT_EQ(d->FirstCheckedElemInRow(3), 0);

  d->SetColCheckMode(1, cmRadio);
  d->SetElemChecked(1, 3, true);
  d->SetElemChecked(1, 5, true);
  EXPECT_FALSE(d->ElemChecked(1, 3));
  EXPECT_TRUE(d->ElemChecked(1, 5));
  EXPECT_EQ(d->CountCheckedElemsInCol(1), 1);
  d->SetAllCheckmarksOfCol(1, true);  // a radio column cannot be checked throughout
  EXPECT_EQ(d->CountCheckedElemsInCol(1), 1);
  d->InvertAllCheckmarksOfCol(1);  // nor inverted
  EXPECT_EQ(d->CountCheckedElemsInCol(1), 1);
  d->SetAllCheckmarksOfCol(2, true);
  EXPECT_EQ(d->CountCheckedElemsInRow(5), 2);
  EXPECT_EQ(d->FirstCheckedElemInRow(5), 1);
  EXPECT_EQ(d->FirstCheckedElemInRow(4), 2);
  EXPECT_EQ(d->FirstCheckedElemInRow(7), 0);
  EXPECT_EQ(d->CountCheckedElemsInRow(0), 0);
}

// The view's variants that spare disabled rows.
class TRLDataProbe : public TRLData {
 public:
  using TRLData::TRLData;
  using TRLData::InvertAllCheckmarksOfColIntern;
  using TRLData::SetAllCheckmarksOfColIntern;
};

TEST(RLData, EnabledOnlyMarks) {
  TRLDataProbe d(nullptr);
  d.SetNrRows(3);
  d.SetColCheckMode(1, cmBox);
  d.Strings->SetRowAttrib(2, rlRowDisabled);
  d.SetAllCheckmarksOfColIntern(1, true, true);
  EXPECT_EQ(d.CountCheckedElemsInCol(1), 2);
  EXPECT_FALSE(d.ElemChecked(1, 2));
  d.InvertAllCheckmarksOfColIntern(1, true);
  EXPECT_EQ(d.CountCheckedElemsInCol(1), 0);
  d.InvertAllCheckmarksOfColIntern(1, false);
  EXPECT_EQ(d.CountCheckedElemsInCol(1), 3);
}

TEST(RLData, ColumnIndex) {
  auto d = Make(3, 0);
  EXPECT_EQ(d->ColumnIndex(u"c-", true), 3);
  EXPECT_EQ(d->ColumnIndex(u"c-1", false), 1);
  EXPECT_EQ(d->ColumnIndex(u"C-2", false), 2);
  EXPECT_EQ(d->ColumnIndex(u"", true), -1);
  EXPECT_EQ(d->ColumnIndex(u"c-", false), -1);
  d->SetHeader(3, u"Price");
  EXPECT_EQ(d->ColumnIndex(u"PRICE", false), 3);
}

TEST(RLData, RowsAndColumns) {
  auto d = Make(2, 3);
  for (Integer r = 1; r <= 3; ++r) {
    d->SetElem(0, r, IntToStr(r));
    d->SetElem(1, r, u"r" + IntToStr(r));
  }
  d->Strings->SetRowAttrib(1, rlRowSelected);
  d->InsertRow(2);
  EXPECT_EQ(d->NrOfRows(), 4);
  EXPECT_EQ(ColText(*d, 0), u"1||2|3");
  d->InsertRow(5);  // no append
  EXPECT_EQ(d->NrOfRows(), 4);
  d->CopyRow(1, 2);
  EXPECT_EQ(ColText(*d, 1), u"r1|r1|r2|r3");
  EXPECT_EQ(d->Strings->GetRowAttrib(2), rlRowSelected);
  d->CopyRow(1, 9);
  d->RemoveRow(1);
  EXPECT_EQ(ColText(*d, 0), u"1|2|3");
  d->RemoveRow(0);
  d->RemoveRow(4);
  EXPECT_EQ(d->NrOfRows(), 3);

  d->SetHeader(2, u"two");
  d->SetColCheckMode(2, cmBox);
  d->InsertColumn(1);
  EXPECT_EQ(d->NrOfColumns(), 3);
  EXPECT_EQ(d->Header(1), u"");
  EXPECT_EQ(d->Header(3), u"two");
  EXPECT_EQ(d->ColumnCheckMode(3), cmBox);
  EXPECT_EQ(d->Elem(2, 1), u"r1");
  EXPECT_EQ(d->Elem(0, 1), u"1");  // the hidden column stays in front
  d->InsertColumn(4);
  EXPECT_EQ(d->NrOfColumns(), 3);
  d->RemoveColumn(1);
  EXPECT_EQ(d->Header(2), u"two");
  EXPECT_EQ(d->Elem(1, 1), u"r1");
  d->RemoveColumn(2);
  d->RemoveColumn(1);  // the only column: blanked, zero columns
  EXPECT_EQ(d->NrOfColumns(), 0);
  EXPECT_EQ(d->Strings->GetString(1, 1), u"");
  EXPECT_EQ(d->Header(1), u"");
  EXPECT_EQ(d->Elem(0, 1), u"1");

  auto e = Make(1, 1);
  e->SetElem(0, 1, u"h");
  e->SetElem(1, 1, u"x");
  e->Strings->SetRowAttrib(1, rlRowDisabled);
  e->RemoveRow(1);  // the only row: blanked
  EXPECT_EQ(e->NrOfRows(), 0);
  EXPECT_EQ(e->Strings->GetString(0, 1), u"");
  EXPECT_EQ(e->Strings->GetString(1, 1), u"");
  e->SetNrRows(1);
  EXPECT_EQ(e->Strings->GetRowAttrib(1), 0);
}

TEST(RLData, RemoveEmptyRows) {
  auto d = Make(2, 6);
  d->SetColCheckMode(2, cmBox);
  d->SetElem(1, 2, u"a");
  d->SetElemChecked(2, 3, true);  // only a mark: counts as empty
  d->SetElem(0, 5, u"hidden");
  d->Strings->SetRowAttrib(5, 7);
  d->RemoveEmptyRows();
  EXPECT_EQ(d->NrOfRows(), 2);
  EXPECT_EQ(d->Elem(1, 1), u"a");
  EXPECT_EQ(d->Elem(0, 2), u"hidden");
  EXPECT_EQ(d->Strings->GetRowAttrib(2), 7);
  auto e = Make(2, 3);
  e->SetElemChecked(1, 1, true);
  e->RemoveEmptyRows();
  EXPECT_EQ(e->NrOfRows(), 0);
  // Many empty rows go in one pass.
  auto big = Make(3, 100000);
  big->SetElem(1, 77777, u"keep");
  big->RemoveEmptyRows();
  EXPECT_EQ(big->NrOfRows(), 1);
  EXPECT_EQ(big->Elem(1, 1), u"keep");
}

TEST(RLData, FillAndClear) {
  auto d = Make(2, 3);
  d->SetColCheckMode(2, cmBox);
  d->Strings->SetString(2, 1, u"Xold");
  d->Strings->SetString(2, 2, u" old");
  d->Strings->SetString(2, 3, u"");
  d->Fill(String(260, u'f'));
  EXPECT_EQ(d->Strings->GetString(2, 1), u"X" + String(254, u'f'));
  EXPECT_EQ(d->Strings->GetString(2, 2), u" " + String(254, u'f'));
  EXPECT_EQ(d->Strings->GetString(2, 3), u" " + String(254, u'f'));
  EXPECT_EQ(d->Elem(1, 3), String(255, u'f'));
  d->SetHeader(1, u"n");
  d->SetColumnFormat(1, u"[i]");
  d->SetComment(u"c");
  d->Clear();
  EXPECT_EQ(d->Elem(1, 1), u"");
  EXPECT_EQ(d->Header(1), u"C-1");
  EXPECT_EQ(d->ColumnFormat(1), u"");
  EXPECT_EQ(d->ColumnCheckMode(2), cmNone);
  EXPECT_EQ(d->NrOfRows(), 3);
  EXPECT_EQ(d->Comment(), u"c");
}

TEST(RLData, AsNumber) {
  auto d = Make(2, 8);
  struct Case {
    const char16_t* text;
    double value;
  } ok[] = {{u" 1,5 ", 1.5}, {u"", 0}, {u"   ", 0}, {u"-2e3", -2000}, {u"+.5", 0.5}, {u"7.", 7}, {u"1E-2", 0.01}};
  for (const Case& c : ok) {
    d->SetElem(1, 1, c.text);
    EXPECT_DOUBLE_EQ(d->AsNumber(1, 1), c.value) << ToUtf8(c.text);
  }
  for (const char16_t* bad : {u"1.5 kg", u"1,5,5", u"e5", u"1e", u"--1", u"\t1", u"1e999", u"."}) {
    d->SetElem(2, 7, bad);
    EXPECT_THROW(d->AsNumber(2, 7), EJOXDStructError) << ToUtf8(bad);
  }
  d->SetElem(2, 7, u"1.5 kg");
  try {
    d->AsNumber(2, 7);
    FAIL();
  } catch (const EJOXDStructError& e) {
    EXPECT_EQ(e.Message(), u"Class TRLData: invalid numeric string: [2,7]: 1.5 kg");
  }
  d->SetColCheckMode(2, cmBox);
  d->SetElem(2, 6, u"3");
  d->SetElemChecked(2, 6, true);
  EXPECT_DOUBLE_EQ(d->AsNumber(2, 6), 3);
  d->SetElem(2, 5, u"x");
  try {
    d->AsNumber(2, 5);
    FAIL();
  } catch (const EJOXDStructError& e) {
    EXPECT_EQ(e.Message(), u"Class TRLData: invalid numeric string: [2,5]:  x");  // with its mark
  }
}

TEST(RLData, DefaultValues) {
  auto d = Make(1, 0);
  struct Case {
    const char16_t* format;
    Integer row;
    const char16_t* value;
  } cases[] = {
      {u"[i]rix3", 7, u"007"},       {u"[h]rix4", 255, u"00FF"},     {u"[c]one|two", 1, u"one"},
      {u"[s][80]hello", 1, u"hello"}, {u"[#s]hello", 1, u""},        {u"[l:6][120]red|green", 1, u"red"},
      {u"[c]single", 1, u"single"},   {u"[i]rix3", 12345, u"345"},    {u"[i]rix2", -7, u"-07"},
      {u"[i]RIX", 5, u"5"},           {u"[h]rix 0", 31, u"F"},        {u"[h]rix99", 1, u"0000000000000001"},
      {u"[f]rix2", 3, u"3.00"},       {u"[e]rix", 4, u"4"},           {u"[f]2.5", 1, u"2.5"},
      {u"[ddd.MM.yyyy][90]01.02.2003", 1, u"01.02.2003"},                {u"plain", 1, u"plain"},
      {u"[x]what", 1, u""},           {u"[s]", 1, u""},               {u"[s][50]", 1, u""},
      {u"[s]a]b", 1, u"a]b"},         {u"[s][12", 1, u"[12"},         {u"", 1, u""},
  };
  for (const Case& c : cases) {
    d->SetColumnFormat(1, c.format);
    EXPECT_EQ(d->DefaultValue(1, c.row), c.value) << ToUtf8(c.format);
  }
  d->SetColumnFormat(1, u"[s]$PWD$8");
  const String p1 = d->DefaultValue(1, 1);
  EXPECT_EQ(p1.size(), 8u);
  EXPECT_NE(p1, d->DefaultValue(1, 1));
  EXPECT_EQ(d->DefaultValue(2, 1), u"");
}

TEST(RLData, SortAndUnSort) {
  auto d = Make(2, 4);
  const char16_t* keys[] = {u"c", u"a", u"d", u"b"};
  for (Integer r = 1; r <= 4; ++r) {
    d->SetElem(1, r, keys[r - 1]);
    d->SetElem(0, r, IntToStr(r));
  }
  std::vector<String> exchanged;
  TObject* sender = nullptr;
  d->SetOnBeforeSortExchange([&](TObject* s, const String& a, String&) {
    sender = s;
    exchanged.push_back(a);
  });
  d->Sort(1, 0, false);
  EXPECT_EQ(d->LastSortColumn(), 1);
  EXPECT_EQ(d->LastSortColumnSec(), 0);
  EXPECT_FALSE(d->LastSortOrder());
  EXPECT_TRUE(d->LastSortOrderSec());
  EXPECT_EQ(ColText(*d, 1), u"d|c|b|a");
  EXPECT_FALSE(exchanged.empty());
  EXPECT_EQ(sender, d.get());

  // A copy shows the same order and undoes to the same unsorted order.
  TRLData copy(nullptr);
  copy.Assign(d.get());
  EXPECT_EQ(ColText(copy, 1), u"d|c|b|a");
  EXPECT_EQ(copy.LastSortColumn(), 1);
  EXPECT_FALSE(copy.LastSortOrder());
  exchanged.clear();
  copy.Sort(1, -1, true);
  EXPECT_FALSE(exchanged.empty());  // the handler came over and hears the copy's store
  EXPECT_EQ(sender, &copy);
  copy.UnSort();
  EXPECT_EQ(ColText(copy, 0), u"1|2|3|4");

  d->UnSort();
  EXPECT_EQ(d->LastSortColumn(), -1);
  EXPECT_EQ(d->LastSortColumnSec(), -1);
  EXPECT_FALSE(d->LastSortOrder());
  EXPECT_EQ(ColText(*d, 1), u"c|a|d|b");

  // Editing rows makes the sorted order the unsorted one.
  d->Sort(1, -1, true);
  d->InsertRow(1);
  d->UnSort();
  EXPECT_EQ(ColText(*d, 1), u"|a|b|c|d");
}

TEST(RLData, AssignCopiesEverythingItShould) {
  TRLData a(nullptr);
  a.SetNrCols(3);
  a.SetNrRows(2);
  a.SetHeader(2, u"h2");
  a.SetColumnFormat(3, u"[i]");
  a.SetColCheckMode(1, cmRadio);
  a.SetElemChecked(1, 2, true);
  a.SetElem(0, 1, u"hidden");
  a.SetComment(u"comment");
  a.SetCommonHeader(u"common");
  a.SetDataID(u"id");
  a.SetSortToggle(false);
  a.Strings->SetRowAttrib(2, rlRowDisabled);
  a.Strings->SetColAttrib(3, rlColSelected);
  a.SetOnPercentDone([](TObject*, Integer) {});
  TRLData b(nullptr);
  b.Assign(&a);
  EXPECT_EQ(b.NrOfColumns(), 3);
  EXPECT_EQ(b.NrOfRows(), 2);
  EXPECT_EQ(b.Header(2), u"h2");
  EXPECT_EQ(b.ColumnFormat(3), u"[i]");
  EXPECT_TRUE(b.ElemChecked(1, 2));
  EXPECT_EQ(b.Elem(0, 1), u"hidden");
  EXPECT_EQ(b.Comment(), u"comment");
  EXPECT_EQ(b.CommonHeader(), u"common");
  EXPECT_EQ(b.DataID(), u"id");
  EXPECT_FALSE(b.SortToggle());
  EXPECT_EQ(b.Strings->GetRowAttrib(2), rlRowDisabled);
  EXPECT_EQ(b.Strings->GetColAttrib(3), rlColSelected);
  EXPECT_FALSE(b.OnPercentDone());
  EXPECT_EQ(b.FeedbkNumCells(), 8);
  b.SetElem(2, 1, u"own");  // each keeps its own store
  EXPECT_EQ(a.Elem(2, 1), u"");

  // Other classes end in the framework's conversion error, in both directions.
  TComponent plain(nullptr);
  EXPECT_THROW(b.Assign(&plain), EConvertError);
  EXPECT_THROW(plain.Assign(&b), EConvertError);
}

TEST(RLData, ProgressOverCells) {
  auto d = Make(4, 500);  // 2500 cells: a report every 26
  std::vector<Integer> seen;
  d->SetOnPercentDone([&](TObject* s, Integer p) {
    EXPECT_EQ(s, d.get());
    seen.push_back(p);
  });
  d->CopyToClipBoard(0, 1, 4, 500, false, true);
  ASSERT_EQ(seen.size(), 2500u / 26);
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
  EXPECT_LE(seen.back(), 100);
  EXPECT_GE(seen.back(), 98);
}

TEST(RLData, UnSortOfACopyAnnouncesTheSortColumn) {
  // The view follows exchanges by their key texts: a copy must announce the column it was sorted by.
  auto d = Make(2, 6);
  for (Integer r = 1; r <= 6; ++r) {
    d->SetElem(1, r, IntToStr((r * 5) % 6));
    d->SetElem(2, r, IntToStr(r));
  }
  std::vector<String> fromSource, fromCopy;
  d->SetOnBeforeSortExchange(
      [&](TObject* s, const String& a, String&) { (s == d.get() ? fromSource : fromCopy).push_back(a); });
  d->Sort(1, 0, true);
  TRLData copy(nullptr);
  copy.Assign(d.get());
  fromSource.clear();
  copy.UnSort();
  d->UnSort();
  EXPECT_EQ(ColText(copy, 2), ColText(*d, 2));
  EXPECT_EQ(ColText(copy, 2), u"1|2|3|4|5|6");
  ASSERT_FALSE(fromSource.empty());
  EXPECT_EQ(fromCopy, fromSource);
}
