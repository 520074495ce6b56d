// The readers when memory runs out: this program replaces operator new with one that can be told
// to fail once the bytes allocated from now on pass a budget (tests/support/alloc_budget.h). Every
// budget below what a read needs must raise the model's error and leave the model exactly as it was;
// the heap a refused hostile list makes the reader allocate is measured too.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <new>

#include "replist/replist.h"
#include "tests/support/alloc_budget.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

std::unique_ptr<TRLData> Table(Integer cols, Integer rows, const char16_t* tag) {
  auto d = std::make_unique<TRLData>(nullptr);
  d->SetName(u"data");
  d->SetNrCols(cols);
  d->SetNrRows(rows);
  for (Integer r = 1; r <= rows; ++r)
    for (Integer c = 0; c <= cols; ++c) d->SetElem(c, r, tag + IntToStr(r * 100 + c) + u" \u00e9<&>");
  d->SetHeader(1, u"Head");
  d->SetComment(tag);
  return d;
}

// Everything a reader may change.
std::string Snapshot(const TRLData& d) {
  std::string s = ToUtf8(d.CommonHeader() + u"|" + d.Comment() + u"|" + d.DataID() + u"|" + IntToStr(d.NrOfColumns()) +
                         u"x" + IntToStr(d.NrOfRows()) + u"|" + IntToStr(d.LastSortColumn()));
  for (Integer c = 1; c <= d.NrOfColumns(); ++c)
    s += ToUtf8(d.Header(c) + u"|" + d.ColumnFormat(c) + u"|" + IntToStr(d.ColumnCheckMode(c)) + u"|");
  for (Integer r = 0; r <= d.NrOfRows(); ++r)
    for (Integer c = 0; c <= d.NrOfColumns(); ++c) s += ToUtf8(d.Strings->GetString(c, r)) + "\x1f";
  return s;
}

// Runs Read under every budget too small for it: each failure is the model's "not enough memory"
// error with the model unchanged; the read that has enough gives Want.
template <class F>
void ReadUnderEveryBudget(const char* what, TRLData& model, const std::string& want, F&& Read) {
  SCOPED_TRACE(what);
  bool ok = false;
  const int failures = EveryBudget<EJOXError>([&] { ok = Read(); }, [&] { return Snapshot(model); },
                                              [](const EJOXError& e) {
                                                EXPECT_EQ(e.Message(), u"Component \"data\": not enough memory on heap");
                                              });
  EXPECT_GT(failures, 10);
  EXPECT_TRUE(ok);
  EXPECT_EQ(Snapshot(model), want);
}

}  // namespace

TEST(RLDataAlloc, AFailedAllocationLeavesTheModelAndRaises) {
  auto source = Table(3, 300, u"new");
  const std::string want = [&] {
    TRLData copy(nullptr);
    copy.Assign(source.get());
    copy.SetDataID(u"");
    return Snapshot(copy);
  }();
  const jox::test::ScratchDir dir;
  const String xmlName = dir.File("a.xml"), csvName = dir.File("a.csv");
  source->SaveAsXMLFile(xmlName, u"");
  TStringStream xml;
  source->WriteToXMLStream(&xml, true, u"");
  const String xmlText = xml.DataString();

  auto fresh = [] {
    auto d = Table(2, 7, u"old");
    d->Sort(1, 0, false);
    return d;
  };
  auto d = fresh();
  ReadUnderEveryBudget("file", *d, want, [&] { return d->LoadFromXMLFile(xmlName, u""); });
  d = fresh();
  ReadUnderEveryBudget("string", *d, want, [&] { return d->ReadFromXMLString(xmlText, u""); });
  d = fresh();
  ReadUnderEveryBudget("stream", *d, want, [&] {
    xml.SetPosition(0);
    return d->ReadFromXMLStream(&xml, u"");
  });

  // CSV: the cells, sizes and names of the file; the model's other settings stay.
  source->ExportCSV(csvName, csvSemicolon, true, true, 1, 1, 3, 300);
  TRLData csvWant(nullptr);
  csvWant.SetName(u"data");
  ASSERT_EQ(csvWant.ImportCSV(csvName, csvSemicolon, true), 300);
  d = fresh();
  {
    TRLData copy(nullptr);
    copy.Assign(d.get());
    ASSERT_EQ(copy.ImportCSV(csvName, csvSemicolon, true), 300);
    ReadUnderEveryBudget("csv", *d, Snapshot(copy), [&] { return d->ImportCSV(csvName, csvSemicolon, true) == 300; });
  }
}

TEST(RLDataAlloc, HostileCountsClaimNoMemory) {
  // A few lines that claim a table of 100,000 x 1,000 (and a cell far down): refused, and the
  // reader never asked for more than a small block on the way.
  const std::string text =
      "<replist generator=\"joxkit\">\n<numcols>1000</numcols>\n<numrows>100000</numrows>\n"
      "<cell col=\"1\" row=\"99999\">x</cell>\n<cell col=\"1\" row=\"1\">y</cell>\n</replist>\n";
  TRLData d(nullptr);
  TMemoryStream s;
  s.WriteBuffer(text.data(), Int64(text.size()));
  s.SetPosition(0);
  Arm(Int64(1) << 40);
  EXPECT_FALSE(d.ReadFromXMLStream(&s, u""));
  EXPECT_FALSE(d.ReadFromXMLString(FromUtf8(text), u""));
  gArmed = false;
  EXPECT_LT(gPeakBlock, 300000);
  EXPECT_EQ(d.NrOfRows(), 0);
}
