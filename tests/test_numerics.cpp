#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>

#include "package/numerics/numerics.h"

using namespace jox;

namespace {

// The values of one table column (rows 1..n) or row (columns 1..n).
std::vector<double> ColumnValues(const TDataTable& t, Integer col) {
  std::vector<double> v;
  for (Integer r = 1; r <= t.NrOfRows(); ++r) v.push_back(t.GetElem(col, r));
  return v;
}

// A table whose cell (c, r) holds 100 * c + r, named "C<c>" / "R<r>" with attributes c and r.
void FillIdentity(TDataTable& t, Integer cols, Integer rows) {
  t.Resize(cols, rows);
  for (Integer c = 1; c <= cols; ++c) {
    t.SetColName(c, u"C" + IntToStr(c));
    t.SetColAttrib(c, c);
    for (Integer r = 1; r <= rows; ++r) t.SetElem(c, r, 100.0 * c + r);
  }
  for (Integer r = 1; r <= rows; ++r) {
    t.SetRowName(r, u"R" + IntToStr(r));
    t.SetRowAttrib(r, r);
  }
}

struct Counters {
  int data = 0, setup = 0, resize = 0;
  Integer oldCols = -1, newCols = -1, newRows = -1;
  void Attach(TDataTable& t) {
    t.SetOnDataChanged([this](TObject*) { ++data; });
    t.SetOnSetupChanged([this](TObject*) { ++setup; });
    t.SetOnResize([this](TObject*, Integer o, Integer c, Integer r) {
      ++resize;
      oldCols = o;
      newCols = c;
      newRows = r;
    });
  }
};

}  // namespace

TEST(DataTable, ResizeKeepsOverlapAndReportsDimensions) {
  TDataTable t(nullptr);
  Counters n;
  n.Attach(t);
  FillIdentity(t, 3, 4);
  t.SetCellState(3, 4, 0x40);
  t.Resize(5, 2);
  EXPECT_EQ(n.resize, 2);
  EXPECT_EQ(n.oldCols, 3);
  EXPECT_EQ(n.newCols, 5);
  EXPECT_EQ(n.newRows, 2);
  EXPECT_EQ(t.GetElem(3, 2), 302.0);
  EXPECT_EQ(t.GetElem(4, 1), 0.0);
  EXPECT_EQ(t.GetColName(3), u"C3");
  EXPECT_EQ(t.GetColName(4), u"");
  EXPECT_EQ(t.GetMScaleType(4), mstInterval);
  t.Resize(5, 4);  // the row that came back is empty, not the old one
  EXPECT_EQ(t.GetElem(3, 4), 0.0);
  EXPECT_EQ(t.GetCellState(3, 4), 0);
  EXPECT_EQ(t.GetRowName(4), u"");
  const int before = n.resize;
  t.Resize(5, 4);  // unchanged: no notification
  EXPECT_EQ(n.resize, before);
}

TEST(DataTable, ResizeRefusesBadSizesAndKeepsTheTable) {
  TDataTable t(nullptr);
  FillIdentity(t, 2, 3);
  EXPECT_THROW(t.Resize(-1, 3), EJOXDStructError);
  EXPECT_THROW(t.Resize(2, -5), EJOXDStructError);
  EXPECT_THROW(t.Resize(100000, 100000), EOutOfMemory);
  EXPECT_THROW(t.Resize(std::numeric_limits<Integer>::max(), std::numeric_limits<Integer>::max()), EOutOfMemory);
  EXPECT_EQ(t.NrOfColumns(), 2);
  EXPECT_EQ(t.NrOfRows(), 3);
  EXPECT_EQ(t.GetElem(2, 3), 203.0);
  t.Resize(0, 0);
  EXPECT_EQ(t.GetElem(1, 1), 0.0);
  t.InsertRow(1);  // a row of no columns is still a row
  EXPECT_EQ(t.NrOfRows(), 1);
}

TEST(DataTable, OutOfRangeAccessIsNeutral) {
  TDataTable t(nullptr);
  FillIdentity(t, 2, 2);
  const Integer bad[][2] = {{0, 1}, {1, 0}, {3, 1}, {1, 3}, {-1, -1}};
  for (auto& b : bad) {
    t.SetElem(b[0], b[1], 9);
    t.SetCellState(b[0], b[1], 0xFF);
    EXPECT_EQ(t.GetElem(b[0], b[1]), 0.0);
    EXPECT_EQ(t.GetCellState(b[0], b[1]), 0);
    EXPECT_FALSE(t.GetIsNumber(b[0], b[1]));
  }
  t.SetColName(3, u"x");
  t.SetRowAttrib(0, 7);
  EXPECT_EQ(t.GetColName(0), u"");
  EXPECT_EQ(t.GetRowAttrib(3), 0);
  EXPECT_EQ(t.GetMScaleType(9), mstUnknown);
  EXPECT_EQ(t.GetElem(2, 2), 202.0);
}

TEST(DataTable, CellStateBits) {
  struct Case {
    Byte state;
    bool number;
    Byte unmarked, inverted41, exchanged;
  };
  const Case cases[] = {
      {0x00, true, 0x00, 0x41, 0x00},  {0x01, false, 0x01, 0x40, 0x01}, {0x02, false, 0x02, 0x43, 0x02},
      {0x10, true, 0x10, 0x51, 0x10},  {0x40, true, 0x00, 0x01, 0x80},  {0x80, true, 0x00, 0xC1, 0x40},
      {0xC3, false, 0x03, 0x82, 0xC3}, {0x7F, false, 0x3F, 0x3E, 0xBF},
  };
  for (const Case& c : cases) {
    TDataTable t(nullptr);
    t.Resize(1, 1);
    t.SetCellState(1, 1, c.state);
    EXPECT_EQ(t.GetIsNumber(1, 1), c.number) << int(c.state);
    t.UnmarkAllCells();
    EXPECT_EQ(t.GetCellState(1, 1), c.unmarked) << int(c.state);
    t.SetCellState(1, 1, c.state);
    t.InvertCellStates(0x41);
    EXPECT_EQ(t.GetCellState(1, 1), c.inverted41) << int(c.state);
    t.SetCellState(1, 1, c.state);
    t.ExchangeMarkings();
    EXPECT_EQ(t.GetCellState(1, 1), c.exchanged) << int(c.state);
  }
}

TEST(DataTable, FillMarkedCellsCountsAndNotifiesOnce) {
  TDataTable t(nullptr);
  FillIdentity(t, 3, 3);
  t.SetCellState(1, 1, 0x40);
  t.SetCellState(2, 3, 0x80);
  t.SetCellState(3, 2, 0xC0);
  Counters n;
  n.Attach(t);
  EXPECT_EQ(t.FillMarkedCells(-1, 0x40), 2);
  EXPECT_EQ(n.data, 1);
  EXPECT_EQ(t.GetElem(1, 1), -1.0);
  EXPECT_EQ(t.GetElem(3, 2), -1.0);
  EXPECT_EQ(t.GetElem(2, 3), 203.0);
  EXPECT_EQ(t.FillMarkedCells(5, 0x02), 0);
  EXPECT_EQ(n.data, 1);
  t.DataMat()->Fill(7);
  EXPECT_EQ(t.GetElem(2, 3), 7.0);
}

TEST(DataTable, NamesAreCutAndFound) {
  TDataTable t(nullptr);
  FillIdentity(t, 3, 2);
  t.SetColName(2, String(60, u'n'));
  EXPECT_EQ(t.GetColName(2), String(50, u'n'));
  EXPECT_EQ(t.FindColIndex(String(55, u'n')), 2);
  EXPECT_EQ(t.FindColIndex(u"C3"), 3);
  EXPECT_EQ(t.FindColIndex(u"c3"), 0);
  EXPECT_EQ(t.FindRowIndex(u"R2"), 2);
  EXPECT_EQ(t.FindRowIndex(u"none"), 0);
  t.SetFComment(u"line\r\nnext");
  EXPECT_EQ(t.Comment(), u"line\r\nnext");
}

TEST(DataTable, NominalIdentifiers) {
  TDataTable t(nullptr);
  t.Resize(2, 1);
  t.SetMScaleType(1, mstNominal);
  EXPECT_EQ(t.GetMScaleType(1), mstNominal);
  EXPECT_EQ(String(MScaleTypeNames[t.GetMScaleType(1)]), u"nominal");
  t.SetNominalID(1, 0, u"zero");
  t.SetNominalID(1, 3, u"Red");
  t.SetNominalID(1, 150, u"averyverylongname");
  t.SetNominalID(1, 151, u"ignored");
  t.SetNominalID(1, -1, u"ignored");
  EXPECT_EQ(t.GetNominalID(1, 3), u"Red");
  EXPECT_EQ(t.GetNominalID(1, 150), u"averyveryl");
  EXPECT_EQ(t.GetNominalID(1, 151), u"");
  EXPECT_EQ(t.GetNominalID(1, 4), u"");
  EXPECT_EQ(t.GetNominalID(2, 3), u"");
  EXPECT_EQ(t.OrdinalOfNominalID(1, u"Red", false), 3);
  EXPECT_EQ(t.OrdinalOfNominalID(1, u"RED", false), -1);
  EXPECT_EQ(t.OrdinalOfNominalID(1, u"RED", true), 3);
  EXPECT_EQ(t.OrdinalOfNominalID(1, u"averyverylongname and more", true), 150);
  EXPECT_EQ(t.OrdinalOfNominalID(1, u"zero", true), 0);
  EXPECT_EQ(t.OrdinalOfNominalID(1, u"", true), -1);
  EXPECT_EQ(t.OrdinalOfNominalID(2, u"Red", true), -1);
  t.SetMScaleType(1, TMScaleType(9));  // not a scale type: ignored
  EXPECT_EQ(t.GetMScaleType(1), mstNominal);
  // identifiers travel with their column
  t.InsertColumn(1);
  EXPECT_EQ(t.OrdinalOfNominalID(2, u"Red", false), 3);
  EXPECT_EQ(t.GetMScaleType(2), mstNominal);
  t.Clear();
  EXPECT_EQ(t.GetNominalID(2, 3), u"");
  EXPECT_EQ(t.GetMScaleType(2), mstInterval);
}

TEST(DataTable, InsertAndRemoveShiftCellsAndHeadings) {
  TDataTable t(nullptr);
  FillIdentity(t, 3, 3);
  t.SetCellState(2, 2, 0x40);
  Counters n;
  n.Attach(t);
  t.InsertColumn(2);
  EXPECT_EQ(n.resize, 1);
  EXPECT_EQ(n.oldCols, 3);
  EXPECT_EQ(n.newCols, 4);
  EXPECT_EQ(n.data, 1);
  EXPECT_EQ(t.GetElem(2, 2), 0.0);
  EXPECT_EQ(t.GetElem(3, 2), 202.0);
  EXPECT_EQ(t.GetCellState(3, 2), 0x40);
  EXPECT_EQ(t.GetColName(3), u"C2");
  t.InsertColumn(6);  // beyond count + 1: ignored
  t.InsertColumn(0);
  EXPECT_EQ(t.NrOfColumns(), 4);
  t.InsertColumn(5);  // appends
  EXPECT_EQ(t.NrOfColumns(), 5);
  t.RemoveColumn(2);
  t.RemoveColumn(4);
  EXPECT_EQ(t.NrOfColumns(), 3);
  EXPECT_EQ(ColumnValues(t, 2), (std::vector<double>{201, 202, 203}));

  t.InsertRow(1);
  EXPECT_EQ(t.NrOfRows(), 4);
  EXPECT_EQ(t.GetRowName(2), u"R1");
  EXPECT_EQ(t.GetElem(2, 3), 202.0);
  EXPECT_EQ(t.GetCellState(2, 3), 0x40);
  t.InsertRow(6);
  t.RemoveRow(0);
  t.RemoveRow(5);
  EXPECT_EQ(t.NrOfRows(), 4);
  t.RemoveRow(1);
  EXPECT_EQ(ColumnValues(t, 3), (std::vector<double>{301, 302, 303}));
  EXPECT_EQ(t.GetRowAttrib(3), 3);
  EXPECT_EQ(n.newRows, 3);
}

TEST(DataTable, MirrorMovesEverythingOfAColumnOrRow) {
  TDataTable t(nullptr);
  FillIdentity(t, 3, 2);
  t.SetCellState(1, 2, 0x80);
  t.MirrorColumns();
  EXPECT_EQ(t.GetElem(1, 1), 301.0);
  EXPECT_EQ(t.GetColName(1), u"C3");
  EXPECT_EQ(t.GetColAttrib(3), 1);
  EXPECT_EQ(t.GetCellState(3, 2), 0x80);
  t.MirrorRows();
  EXPECT_EQ(t.GetElem(3, 1), 102.0);
  EXPECT_EQ(t.GetRowName(1), u"R2");
  EXPECT_EQ(t.GetCellState(3, 1), 0x80);
}

TEST(DataTable, SortRowsIsStableAndPutsNonNumbersLast) {
  for (bool ascending : {true, false}) {
    TDataTable t(nullptr);
    const double keys[] = {3, 1, 2, 1, 5, 2};
    t.Resize(2, 6);
    for (Integer r = 1; r <= 6; ++r) {
      t.SetElem(1, r, keys[r - 1]);
      t.SetElem(2, r, r);  // identity of the record
      t.SetRowName(r, u"R" + IntToStr(r));
    }
    t.SetCellState(1, 5, 0x02);  // an empty cell holding 5 is not a number
    t.SortRows(1, ascending, 1, 1, 2, 6, true);
    const std::vector<double> want = ascending ? std::vector<double>{2, 4, 3, 6, 1, 5}
                                               : std::vector<double>{1, 3, 6, 2, 4, 5};
    EXPECT_EQ(ColumnValues(t, 2), want) << ascending;
    EXPECT_EQ(t.GetCellState(1, 6), 0x02);
    EXPECT_EQ(t.GetRowName(1), u"R" + IntToStr(Integer(want[0])));
  }
}

TEST(DataTable, SortRowsMovesOnlyTheRangeAndHeadersOnRequest) {
  TDataTable t(nullptr);
  FillIdentity(t, 3, 4);
  t.SortRows(2, false, 2, 2, 3, 4, false);
  EXPECT_EQ(ColumnValues(t, 1), (std::vector<double>{101, 102, 103, 104}));
  EXPECT_EQ(ColumnValues(t, 2), (std::vector<double>{201, 204, 203, 202}));
  EXPECT_EQ(ColumnValues(t, 3), (std::vector<double>{301, 304, 303, 302}));
  EXPECT_EQ(t.GetRowName(2), u"R2");
  t.SortRows(2, true, 1, 9, 3, 0, true);  // range given backwards and too large: cut to the table
  EXPECT_EQ(ColumnValues(t, 1), (std::vector<double>{101, 104, 103, 102}));
  EXPECT_EQ(t.GetRowName(2), u"R4");
  t.SortRows(7, true, 1, 1, 3, 4, true);  // no such key column
  EXPECT_EQ(ColumnValues(t, 2), (std::vector<double>{201, 202, 203, 204}));
}

// Whatever the sort does, replaying its reported exchanges on a copy of the order must give the
// sorted result: the table editor keeps its column precisions right that way.
TEST(DataTable, SortReportsEveryExchange) {
  TDataTable t(nullptr);
  const Integer n = 40;
  t.Resize(n, 1);
  std::mt19937 gen(7);
  for (Integer c = 1; c <= n; ++c) t.SetElem(c, 1, double(gen() % 10));
  std::vector<double> shadow(size_t(n) + 1);
  for (Integer c = 1; c <= n; ++c) shadow[size_t(c)] = t.GetElem(c, 1);
  int percentCalls = 0, lastPercent = -1;
  t.SetOnSortExchange([&](TObject* s, TSortExchgKind what, Integer a, Integer b) {
    EXPECT_EQ(s, &t);
    EXPECT_EQ(what, sekColumns);
    EXPECT_NE(a, b);
    std::swap(shadow[size_t(a)], shadow[size_t(b)]);
  });
  t.SetOnPercentDone([&](TObject*, Integer p) {
    EXPECT_GT(p, lastPercent);
    lastPercent = p;
    ++percentCalls;
  });
  t.SortCols(1, true, 1, 1, n, 1, true);
  for (Integer c = 1; c <= n; ++c) EXPECT_EQ(shadow[size_t(c)], t.GetElem(c, 1)) << c;
  for (Integer c = 2; c <= n; ++c) EXPECT_LE(t.GetElem(c - 1, 1), t.GetElem(c, 1));
  EXPECT_EQ(lastPercent, 100);
  EXPECT_GT(percentCalls, 0);
}

TEST(DataTable, SortByHeadings) {
  TDataTable t(nullptr);
  FillIdentity(t, 3, 3);
  t.SetColAttrib(1, 9);
  t.SortColAttributes(true, 1, 1, 3, 3);
  EXPECT_EQ(t.GetColName(3), u"C1");
  EXPECT_EQ(ColumnValues(t, 3), (std::vector<double>{101, 102, 103}));
  t.SetRowName(1, u"beta");
  t.SetRowName(2, u"Alpha");
  t.SetRowName(3, u"alpha");
  t.SortRowNames(true, true, 1, 1, 3, 3);  // Alpha and alpha tie without case: their order stays
  EXPECT_EQ(t.GetRowName(1), u"Alpha");
  EXPECT_EQ(t.GetRowName(2), u"alpha");
  EXPECT_EQ(t.GetRowName(3), u"beta");
  EXPECT_EQ(t.GetElem(3, 1), 102.0);
  t.SortRowNames(false, false, 1, 1, 3, 3);
  EXPECT_EQ(t.GetRowName(1), u"beta");
  EXPECT_EQ(t.GetRowName(2), u"alpha");
  t.SortRowAttributes(true, 1, 1, 3, 3);
  EXPECT_EQ(t.GetRowAttrib(1), 1);
  EXPECT_EQ(t.GetElem(1, 1), 201.0);
}

TEST(DataTable, SortsAHundredThousandRowsQuickly) {
  TDataTable t(nullptr);
  const Integer n = 100000;
  t.Resize(2, n);
  std::mt19937 gen(1);
  for (Integer r = 1; r <= n; ++r) t.SetElem(1, r, double(gen() % 1000));
  const auto start = std::chrono::steady_clock::now();
  t.SortRows(1, true, 1, 1, 2, n, true);
  t.InsertRow(1);
  t.RemoveRow(1);
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  EXPECT_LT(ms.count(), 2000);
  for (Integer r = 2; r <= n; ++r) ASSERT_LE(t.GetElem(1, r - 1), t.GetElem(1, r));
}

TEST(DataTable, AssignCopiesContentsButNotNotifications) {
  TDataTable a(nullptr), b(nullptr);
  FillIdentity(a, 2, 3);
  a.SetCellState(2, 3, 0x81);
  a.SetFComment(u"c");
  a.SetNominalID(1, 2, u"two");
  int calls = 0;
  a.SetOnDataChanged([&](TObject*) { ++calls; });
  b.Assign(&a);
  EXPECT_EQ(b.NrOfColumns(), 2);
  EXPECT_EQ(b.NrOfRows(), 3);
  EXPECT_EQ(b.GetElem(2, 3), 203.0);
  EXPECT_EQ(b.GetCellState(2, 3), 0x81);
  EXPECT_EQ(b.GetRowName(2), u"R2");
  EXPECT_EQ(b.Comment(), u"c");
  EXPECT_EQ(b.GetNominalID(1, 2), u"two");
  b.SetElem(1, 1, 0);
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(a.GetElem(1, 1), 101.0);
  TMatrix m(nullptr);
  EXPECT_THROW(b.Assign(&m), EConvertError);
}

TEST(IntMatrix, GrowsByRowsAndKeepsValues) {
  TIntMatrix m(nullptr);
  m.Resize(3, 0);
  const auto start = std::chrono::steady_clock::now();
  for (Integer r = 1; r <= 100000; ++r) {
    m.SetNRows(r);
    m.SetVal(1, r, r);
    m.SetVal(3, r, -r);
  }
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  EXPECT_LT(ms.count(), 1000);
  EXPECT_EQ(m.GetVal(1, 5000), 5000);
  EXPECT_EQ(m.GetVal(3, 100000), -100000);
  EXPECT_EQ(m.GetVal(4, 1), 0);
  EXPECT_EQ(m.GetVal(1, 0), 0);
  m.SetVal(0, 1, 5);
  m.Resize(2, 2);
  EXPECT_EQ(m.GetVal(1, 2), 2);
  EXPECT_EQ(m.GetVal(3, 2), 0);
  EXPECT_THROW(m.SetNRows(-1), EJOXDStructError);
  EXPECT_EQ(m.NrOfRows(), 2);
}

TEST(NumericRoutines, IsValidDecInt) {
  struct Case {
    const char16_t* text;
    bool valid;
    Integer value;
  };
  const Case cases[] = {
      {u"0", true, 0},           {u"-17", true, -17},          {u"+5", true, 5},
      {u"  42  ", true, 42},     {u"2147483647", true, 2147483647}, {u"-2147483648", true, INT32_MIN},
      {u"2147483648", false, 0}, {u"99999999999999999999", false, 0}, {u"", false, 0},
      {u"-", false, 0},          {u"1.0", false, 0},           {u"1e3", false, 0},
      {u"1 2", false, 0},        {u"0x10", false, 0},          {u"--1", false, 0},
  };
  for (const Case& c : cases) {
    Integer v = 12345;
    EXPECT_EQ(IsValidDecInt(c.text), c.valid) << ToUtf8(c.text);
    EXPECT_EQ(IsValidDecInt(c.text, v), c.valid);
    if (c.valid) {
      EXPECT_EQ(v, c.value) << ToUtf8(c.text);
    }
  }
}

TEST(NumericRoutines, IntNeg) {
  const std::pair<double, Integer> cases[] = {
      {2.0, 2}, {2.9, 2}, {-0.5, -1}, {-3.0, -3}, {0.0, 0}, {-1e-300, -1},
      {1e20, INT32_MAX}, {-1e20, INT32_MIN}, {-INFINITY, INT32_MIN}, {NAN, 0},
      {std::log10(0.999999999 * 1000), 2},
  };
  for (auto [v, want] : cases) EXPECT_EQ(IntNeg(v), want) << v;
}
