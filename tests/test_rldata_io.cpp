// The report-list and CSV readers on inputs other than the writers' own line shapes: general
// element lines, texts that arrive before the table's size, line ends of every kind, records of
// growing width. Each must read exactly as the canonical file does.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <random>
#include <sstream>

#include "replist/replist.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

void WriteFile(const String& name, const std::string& data) {
  std::ofstream f(ToUtf8(name), std::ios::binary);
  f << data;
}

std::unique_ptr<TRLData> Sample() {
  auto d = std::make_unique<TRLData>(nullptr);
  d->SetNrCols(3);
  d->SetNrRows(40);
  d->SetColCheckMode(2, cmBox);
  for (Integer r = 1; r <= 40; ++r)
    for (Integer c = 0; c <= 3; ++c)
      if ((r + c) % 5) d->SetElem(c, r, u"r" + IntToStr(r) + u"c" + IntToStr(c) + (c == 1 ? u" <&> \u00e9\U0001F600" : u""));
  d->SetElemChecked(2, 7, true);
  d->SetHeader(1, u"First");
  d->SetColumnFormat(3, u"[i]rix3");
  d->SetCommonHeader(u"Common");
  d->SetComment(u"note");
  return d;
}

void ExpectSame(const TRLData& a, const TRLData& b) {
  ASSERT_EQ(a.NrOfColumns(), b.NrOfColumns());
  ASSERT_EQ(a.NrOfRows(), b.NrOfRows());
  EXPECT_EQ(a.CommonHeader(), b.CommonHeader());
  EXPECT_EQ(a.Comment(), b.Comment());
  for (Integer c = 1; c <= a.NrOfColumns(); ++c) {
    EXPECT_EQ(a.Header(c), b.Header(c)) << c;
    EXPECT_EQ(a.ColumnFormat(c), b.ColumnFormat(c)) << c;
    EXPECT_EQ(a.ColumnCheckMode(c), b.ColumnCheckMode(c)) << c;
  }
  for (Integer r = 1; r <= a.NrOfRows(); ++r)
    for (Integer c = 0; c <= a.NrOfColumns(); ++c)
      ASSERT_EQ(a.Strings->GetString(c, r), b.Strings->GetString(c, r)) << c << "," << r;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) out.push_back(l);
  return out;
}

std::string Join(const std::vector<std::string>& lines, const char* end) {
  std::string s;
  for (const auto& l : lines) s += l + end;
  return s;
}

// Both readers on the same text: the string reader and the stream reader.
void ExpectReads(const std::string& text, const TRLData& want, const char* what) {
  SCOPED_TRACE(what);
  TRLData a(nullptr), b(nullptr);
  ASSERT_TRUE(a.ReadFromXMLString(FromUtf8(text), u""));
  ExpectSame(want, a);
  TMemoryStream s;
  s.WriteBuffer(text.data(), Int64(text.size()));
  s.SetPosition(0);
  ASSERT_TRUE(b.ReadFromXMLStream(&s, u""));
  ExpectSame(want, b);
}

std::string Xml(TRLData& d) {
  TStringStream s;
  d.WriteToXMLStream(&s, true, u"");
  return ToUtf8(s.DataString());
}

}  // namespace

TEST(RLDataIo, OtherLineShapesReadAsTheWritersOwn) {
  auto d = Sample();
  const std::vector<std::string> lines = Lines(Xml(*d));
  const size_t first = 6, last = lines.size() - 1;  // the element lines after the opening line
  auto each = [&](auto change) {
    std::vector<std::string> v = lines;
    for (size_t i = 2; i < last; ++i) v[i] = change(v[i]);
    return v;
  };
  auto replace = [](std::string s, const std::string& from, const std::string& to) {
    for (size_t at = 0; (at = s.find(from, at)) != std::string::npos; at += to.size()) s.replace(at, from.size(), to);
    return s;
  };
  ExpectReads(Join(lines, "\r\n"), *d, "CR LF");
  ExpectReads(Join(lines, "\r"), *d, "CR");
  ExpectReads(Join(each([](const std::string& l) { return "  \t" + l + " "; }), "\n"), *d, "blanks around");
  ExpectReads(Join(each([&](const std::string& l) { return replace(l, "\"", "'"); }), "\n"), *d, "single quotes");
  ExpectReads(Join(each([&](std::string l) {
                      const size_t c = l.find(" col=\""), r = l.find(" row=\"");
                      if (c == std::string::npos || r == std::string::npos) return l;
                      const size_t gt = l.find('>');
                      return l.substr(0, c) + l.substr(r, gt - r) + l.substr(c, r - c) + l.substr(gt);
                    }),
                    "\n"),
              *d, "row before col");
  ExpectReads(Join(each([&](const std::string& l) { return replace(l, "\" row", "\" x=\"1\" row"); }), "\n"), *d,
              "another attribute between");
  ExpectReads(Join(each([&](const std::string& l) { return replace(replace(l, "\"></cell>", "\"/>"), "row=\"", "row=\" "); }), "\n"),
              *d, "empty elements and padded numbers");

  // Cells first, in any order, and the sizes and column settings after them.
  std::vector<std::string> cells(lines.begin() + long(first) + 9, lines.begin() + long(last)),
      heads(lines.begin() + 2, lines.begin() + long(first) + 9);
  ASSERT_EQ(cells.front().rfind("<cell", 0), 0u);
  ASSERT_EQ(heads.back().rfind("<checkedcolumn", 0), 0u);
  std::shuffle(cells.begin(), cells.end(), std::mt19937(5));
  std::vector<std::string> v(lines.begin(), lines.begin() + 2);
  v.insert(v.end(), cells.begin(), cells.end());
  v.insert(v.end(), heads.begin(), heads.end());
  v.push_back(lines.back());
  ExpectReads(Join(v, "\n"), *d, "cells before the sizes");
}

TEST(RLDataIo, ALaterTextOfACellWins) {
  // The first text arrives before the table's size is known, the second after it: the second counts,
  // also where the second one is empty (an empty element leaves the cell as it was).
  const std::string text =
      "<replist generator=\"joxkit\">\n"
      "<cell col=\"1\" row=\"1\">early</cell>\n"
      "<cell col=\"2\" row=\"3\">kept</cell>\n"
      "<numcols>2</numcols>\n"
      "<numrows>3</numrows>\n"
      "<cell col=\"1\" row=\"1\">late</cell>\n"
      "<cell col=\"2\" row=\"3\"></cell>\n"
      "<cell col=\"2\" row=\"2\">a</cell>\n"
      "<cell col='2' row='2'>b</cell>\n"
      "</replist>\n";
  TRLData d(nullptr);
  ASSERT_TRUE(d.ReadFromXMLString(FromUtf8(text), u""));
  EXPECT_EQ(d.Elem(1, 1), u"late");
  EXPECT_EQ(d.Elem(2, 3), u"kept");
  EXPECT_EQ(d.Elem(2, 2), u"b");
}

TEST(RLDataIo, ManyLinesWithCarriageReturnsOnlyAreReadInOnePass) {
  // 300,000 lines ended by CR alone: the next LF is far away, and is not searched for per line.
  auto d = std::make_unique<TRLData>(nullptr);
  d->SetNrCols(1);
  d->SetNrRows(300000);
  for (Integer r = 1; r <= 300000; ++r) d->SetElem(1, r, u"x");
  std::string xml = Xml(*d);
  std::replace(xml.begin(), xml.end(), '\n', '\r');
  const jox::test::ScratchDir dir;
  const String csv = dir.File("cr.csv");
  std::string csvText;
  for (int r = 0; r < 300000; ++r) csvText += "x,y\r";
  WriteFile(csv, csvText);
  const auto start = std::chrono::steady_clock::now();
  TRLData a(nullptr), b(nullptr), c(nullptr);
  EXPECT_TRUE(a.ReadFromXMLString(FromUtf8(xml), u""));
  TMemoryStream s;
  s.WriteBuffer(xml.data(), Int64(xml.size()));
  s.SetPosition(0);
  EXPECT_TRUE(b.ReadFromXMLStream(&s, u""));
  EXPECT_EQ(c.ImportCSV(csv, csvComma, false), 300000);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  EXPECT_EQ(a.NrOfRows(), 300000);
  EXPECT_EQ(b.Elem(1, 300000), u"x");
  EXPECT_EQ(c.Elem(2, 300000), u"y");
}

TEST(RLDataIo, CsvRecordsOfGrowingWidthAndQuotesOverLines) {
  const jox::test::ScratchDir dir;
  const String name = dir.File("grow.csv");
  // The first record is narrower than later ones; quoted fields hold delimiters, quotes and line
  // breaks of every kind; text after a closing quote belongs to its field; a byte-order mark.
  WriteFile(name,
            "\xEF\xBB\xBF"
            "a,b\r\n"
            "1,2,3,4,5\n"
            "\"x,\"\"y\"\"\r\nz\rw\"tail,,\"\"\r\n"
            "\n"
            "last,\"\xC3\xA9\"\n\n\n");
  TRLData d(nullptr);
  ASSERT_EQ(d.ImportCSV(name, csvComma, false), 5);
  ASSERT_EQ(d.NrOfColumns(), 5);
  EXPECT_EQ(d.Elem(1, 1), u"a");
  EXPECT_EQ(d.Elem(2, 1), u"b");
  EXPECT_EQ(d.Elem(3, 1), u"");
  EXPECT_EQ(d.Elem(5, 2), u"5");
  EXPECT_EQ(d.Elem(1, 3), u"x,\"y\"\r\nz\rwtail");
  EXPECT_EQ(d.Elem(2, 3), u"");
  EXPECT_EQ(d.Elem(3, 3), u"");
  EXPECT_EQ(d.Elem(1, 4), u"");  // the blank line between records is an empty row
  EXPECT_EQ(d.Elem(2, 5), u"\u00e9");
}
