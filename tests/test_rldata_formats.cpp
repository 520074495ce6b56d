#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "package/core/fileutil.h"
#include "package/framework/controls/clipbrd.h"
#include "replist/replist.h"
#include "tests/support/support.h"

using namespace jox;

namespace {

// Texts that break naive writers: markup, quotes, delimiters, line breaks, tabs, other scripts,
// a surrogate pair and a lone surrogate, blanks at the ends, the longest cell.
std::vector<String> HostileTexts() {
  return {u"<b>&amp;</b> \"q\" 'a'",
          u"a,b;c|d\te",
          u"line1\nline2\r\nline3\rline4",
          u"  blanks around  ",
          u"\u65e5\u672c\u8a9e \u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac \U0001F600",
          String(u"lone ") + char16_t(0xD800) + u" surrogate",
          u"<replist generator=\"joxkit\" id=\"x\">",
          u"</replist>",
          u"\"",
          u"\"\"quoted\"\"",
          String(255, u'\u00e9'),
          u"&#10; &lt; not an entity: & ;",
          u"\x01\x1f ctl",
          u" "};
}

std::string ReadFile(const String& name) {
  std::ifstream f(ToUtf8(name), std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

void WriteFile(const String& name, const std::string& data) {
  std::ofstream f(ToUtf8(name), std::ios::binary);
  f << data;
}

// A model full of hostile texts: hidden column, names, formats, check columns, header, comment.
std::unique_ptr<TRLData> Hostile() {
  auto d = std::make_unique<TRLData>(nullptr);
  const auto texts = HostileTexts();
  d->SetNrCols(4);
  d->SetNrRows(Integer(texts.size()) + 1);  // the last row stays empty
  d->SetColCheckMode(3, cmBox);
  d->SetColCheckMode(4, cmRadio);
  for (Integer r = 1; r <= Integer(texts.size()); ++r)
    for (Integer c = 0; c <= 4; ++c) d->SetElem(c, r, texts[size_t((r + c) % texts.size())]);
  d->SetElemChecked(3, 2, true);
  d->SetElemChecked(4, 5, true);
  d->SetHeader(1, u"<name> & \"1\"");
  d->SetHeader(2, String(50, u'\u0416'));
  d->SetColumnFormat(2, u"[l:6][120]red|<green>|\"blue\"");
  d->SetCommonHeader(u"common\nheader <&>");
  d->SetComment(u"a comment\r\nover lines\tand tabs ");
  return d;
}

void ExpectSameTable(const TRLData& a, const TRLData& b, bool withHidden = true) {
  ASSERT_EQ(a.NrOfColumns(), b.NrOfColumns());
  ASSERT_EQ(a.NrOfRows(), b.NrOfRows());
  for (Integer c = 1; c <= a.NrOfColumns(); ++c) {
    EXPECT_EQ(a.Header(c), b.Header(c)) << c;
    EXPECT_EQ(a.ColumnFormat(c), b.ColumnFormat(c)) << c;
    EXPECT_EQ(a.ColumnCheckMode(c), b.ColumnCheckMode(c)) << c;
  }
  for (Integer r = 1; r <= a.NrOfRows(); ++r)
    for (Integer c = withHidden ? 0 : 1; c <= a.NrOfColumns(); ++c)
      ASSERT_EQ(a.Strings->GetString(c, r), b.Strings->GetString(c, r)) << c << "," << r;
}

void WithoutLoneSurrogates(TRLData& d) {
  for (Integer r = 1; r <= d.NrOfRows(); ++r)
    for (Integer c = 1; c <= d.NrOfColumns(); ++c)
      if (FindLoneSurrogate(d.Elem(c, r)) != String::npos) d.SetElem(c, r, u"lone");
}

String ToXml(TRLData& d, const String& id, bool header = true) {
  TStringStream s;
  d.WriteToXMLStream(&s, header, id);
  return s.DataString();
}

}  // namespace

TEST(RLDataXml, RoundTripKeepsEveryCharacter) {
  auto a = Hostile();
  const String xml = ToXml(*a, u"Sales \"2024\" <q>");
  TRLData b(nullptr);
  ASSERT_TRUE(b.ReadFromXMLString(xml, u"sales \"2024\" <Q>"));
  ExpectSameTable(*a, b);
  EXPECT_EQ(b.CommonHeader(), a->CommonHeader());
  EXPECT_EQ(b.Comment(), a->Comment());
  EXPECT_EQ(b.DataID(), u"Sales \"2024\" <q>");
  EXPECT_TRUE(b.ElemChecked(3, 2));
  EXPECT_TRUE(b.ElemChecked(4, 5));
  // One element per line: no value may break its line.
  Integer lines = 0;
  for (char16_t c : xml) lines += c == u'\n';
  EXPECT_EQ(xml.find(u'\r'), String::npos);
  EXPECT_GT(lines, a->NrOfRows());
  EXPECT_EQ(xml.find(u"<replist generator=\"joxkit\" id=\""), xml.find(u"<replist"));
  EXPECT_EQ(xml.find(u"<b>"), String::npos);
}

TEST(RLDataXml, SeveralListsFoundByIdentifier) {
  auto a = Hostile();
  TRLData b(nullptr);
  b.SetNrRows(2);
  b.SetElem(1, 2, u"second list");
  TRLData c(nullptr);
  c.SetElem(0, 0, u"");
  TMemoryStream s;
  a->WriteToXMLStream(&s, true, u"Sales");
  b.WriteToXMLStream(&s, false, u"Other");
  c.WriteToXMLStream(&s, false, u"");

  TRLData r(nullptr);
  s.SetPosition(0);
  ASSERT_TRUE(r.ReadFromXMLStream(&s, u"OTHER"));
  EXPECT_EQ(r.Elem(1, 2), u"second list");
  EXPECT_EQ(r.DataID(), u"Other");
  s.SetPosition(0);
  ASSERT_TRUE(r.ReadFromXMLStream(&s, u" sales "));
  ExpectSameTable(*a, r);
  // The stream stays behind the list read, so the next read takes the next list.
  ASSERT_TRUE(r.ReadFromXMLStream(&s, u""));
  EXPECT_EQ(r.Elem(1, 2), u"second list");
  ASSERT_TRUE(r.ReadFromXMLStream(&s, u""));
  EXPECT_EQ(r.NrOfRows(), 0);
  EXPECT_EQ(r.DataID(), u"");
  EXPECT_FALSE(r.ReadFromXMLStream(&s, u""));
  s.SetPosition(0);
  EXPECT_FALSE(r.ReadFromXMLStream(&s, u"missing"));
  EXPECT_EQ(r.NrOfRows(), 0);
}

TEST(RLDataXml, FilesAndOpenTextFiles) {
  auto a = Hostile();
  const jox::test::ScratchDir dir;
  const String name = dir.File("lists.xml");
  {
    TStreamWriter w(name);
    a->WriteToOpenXMLFile(w, true, u"one");
    a->SetElem(1, 1, u"changed");
    a->WriteToOpenXMLFile(w, false, u"two");
  }
  TRLData r(nullptr);
  {
    TStreamReader rd(name);
    ASSERT_TRUE(r.ReadFromOpenXMLFile(rd, u"one"));
    EXPECT_NE(r.Elem(1, 1), u"changed");
    ASSERT_TRUE(r.ReadFromOpenXMLFile(rd, u""));
    EXPECT_EQ(r.DataID(), u"two");
    ExpectSameTable(*a, r);
  }
  EXPECT_TRUE(CheckIfValidReplist(name, u"TWO"));
  EXPECT_FALSE(CheckIfValidReplist(name, u"three"));
  a->SaveAsXMLFile(name, u"");
  TRLData f(nullptr);
  ASSERT_TRUE(f.LoadFromXMLFile(name, u""));
  ExpectSameTable(*a, f);
  std::filesystem::remove(ToUtf8(name));
  EXPECT_THROW(f.LoadFromXMLFile(name, u""), EStreamError);
  EXPECT_THROW(CheckIfValidReplist(name, u""), EInOutError);
}

TEST(RLDataXml, DamagedInputKeepsTheModel) {
  const std::string head = "<replist generator=\"joxkit\">\n<numcols>2</numcols>\n<numrows>2</numrows>\n";
  const char* bodies[] = {
      "<cell col=\"1\" row=\"1\">cut off",                             // no end of element
      "<cell col=\"1\" row=\"1\">x</cell>\n",                           // no end of list
      "<cell col=\"3\" row=\"1\">x</cell>\n</replist>\n",               // column beyond the count
      "<cell col=\"1\" row=\"3\">x</cell>\n</replist>\n",               // row beyond the count
      "<cell col=\"1\">x</cell>\n</replist>\n",                         // no row
      "<cell col=\"a\" row=\"1\">x</cell>\n</replist>\n",               // not a number
      "<checkedcolumn col=\"1\">7</checkedcolumn>\n</replist>\n",       // no such mode
      "<colname col=\"0\">x</colname>\n</replist>\n",                   // no column 0 name
      "plain text line\n</replist>\n",                                  // not an element
      "<cell col=\"1\" row=\"1\">a</cellx>\n</replist>\n",              // wrong end tag
      "<cell col=\"1\" row=\"1\">x</cell>\n<replist generator=\"joxkit\">\n</replist>\n",  // next list begins
  };
  TRLData d(nullptr);
  d.SetNrRows(1);
  d.SetElem(1, 1, u"keep me");
  for (const char* b : bodies) {
    EXPECT_FALSE(d.ReadFromXMLString(FromUtf8(head + b), u"")) << b;
    EXPECT_EQ(d.NrOfRows(), 1) << b;
    EXPECT_EQ(d.Elem(1, 1), u"keep me") << b;
  }
  const char* absurd[] = {
      "<replist generator=\"joxkit\">\n<numcols>1</numcols>\n<numrows>2000000000</numrows>\n</replist>\n",
      "<replist generator=\"joxkit\">\n<numcols>100000</numcols>\n<numrows>100000</numrows>\n</replist>\n",
      "<replist generator=\"joxkit\">\n<numcols>99999999999999999999</numcols>\n<numrows>1</numrows>\n</replist>\n",
      "<replist generator=\"joxkit\">\n<numcols>-1</numcols>\n<numrows>1</numrows>\n</replist>\n",
      "<replist generator=\"joxkit\">\n<numrows>1</numrows>\n</replist>\n",
  };
  for (const char* a : absurd) {
    EXPECT_FALSE(d.ReadFromXMLString(FromUtf8(a), u"")) << a;
    EXPECT_EQ(d.Elem(1, 1), u"keep me");
  }
  // Unknown elements are passed over; self-closed ones read as empty.
  ASSERT_TRUE(d.ReadFromXMLString(FromUtf8(head + "<future attr=\"1\">x</future>\n<cell col=\"2\" row=\"2\"/>\n"
                                                  "<cell row='1' col='2'>y &amp; &#x1F600;</cell>\n</replist>\n"),
                                  u""));
  EXPECT_EQ(d.Elem(2, 1), u"y & \U0001F600");
  EXPECT_EQ(d.Header(2), u"C-2");
}

// A column count given twice: the table takes the last, and a huge first one costs no memory
// on the way (it once laid out a row of two billion cells).
TEST(RLDataXml, HugeFirstColumnCountCostsNothing) {
  for (const char* first : {"2147483647", "67108863"}) {
    TRLData d(nullptr);
    ASSERT_TRUE(d.ReadFromXMLString(FromUtf8(std::string("<replist generator=\"joxkit\">\n<numcols>") + first +
                                             "</numcols>\n<numcols>1</numcols>\n<numrows>3</numrows>\n"
                                             "<cell col=\"1\" row=\"2\">x</cell>\n</replist>\n"),
                                    u""))
        << first;
    EXPECT_EQ(d.NrOfColumns(), 1);
    EXPECT_EQ(d.NrOfRows(), 3);
    EXPECT_EQ(d.Elem(1, 2), u"x");
  }
}

TEST(RLDataXml, CheckIfValidReplistOnStreams) {
  struct Case {
    const char* text;
    const char* id;
    bool valid;
  } cases[] = {
      {"<REPLIST generator=\"JoxKit\" ID=\"  Sales \">\n", "sales", true},
      {"<REPLIST generator=\"JoxKit\" ID=\"  Sales \">\n", "SALES", true},
      {"<REPLIST generator=\"JoxKit\" ID=\"  Sales \">\n", "", true},
      {"<REPLIST generator=\"JoxKit\" ID=\"  Sales \">\n", "other", false},
      {"<replist generator=\"joxkit\">\n", "", true},
      {"<replist generator=\"joxkit\">\n", "x", false},
      {"<replist generator=\"other\">\n", "", false},
      {"<replist\ngenerator=\"joxkit\">\n", "", false},
      {"\xEF\xBB\xBFsome text\r\nmore\r<replist joxkit id=\"b\">", "B", true},
      {"", "", false},
  };
  for (const Case& c : cases) {
    TStringStream s(FromUtf8(c.text));
    EXPECT_EQ(CheckIfValidReplist(&s, FromUtf8(c.id)), c.valid) << c.text << " / " << c.id;
  }
  // The stream stays after the line that counted.
  TStringStream s(u"x\n<replist joxkit>\nrest\n");
  ASSERT_TRUE(CheckIfValidReplist(&s, u""));
  EXPECT_EQ(s.Position(), 19);
}

TEST(RLDataCsv, RoundTripWithEveryDelimiter) {
  auto a = Hostile();
  // UTF-8 cannot hold the lone surrogate: the export is refused (see the surrogate test below).
  WithoutLoneSurrogates(*a);
  const jox::test::ScratchDir dir;
  const String name = dir.File("t.csv");
  for (TCSVDelimiters delim : {csvComma, csvSemicolon, csvTab, csvSpace, csvPipe}) {
    EXPECT_EQ(a->ExportCSV(name, delim, true, false, 1, 1, 99, 99), a->NrOfRows());
    TRLData b(nullptr);
    b.SetCommonHeader(u"kept");
    EXPECT_EQ(b.ImportCSV(name, delim, true), a->NrOfRows()) << int(delim);
    ASSERT_EQ(b.NrOfColumns(), 4);
    ASSERT_EQ(b.NrOfRows(), a->NrOfRows());
    for (Integer c = 1; c <= 4; ++c) {
      EXPECT_EQ(b.Header(c), a->Header(c));
      EXPECT_EQ(b.ColumnCheckMode(c), cmNone);
      for (Integer r = 1; r <= a->NrOfRows(); ++r)
        ASSERT_EQ(b.Elem(c, r), a->Elem(c, r)) << int(delim) << ": " << c << "," << r;
    }
    EXPECT_EQ(b.CommonHeader(), u"kept");
  }
}

// Files are read in blocks of 1 MiB: a record, a quoted line break, a doubled quote, a CR LF
// and a character of two bytes must read the same wherever a block ends, and a field longer
// than a block must not stop the reading.
TEST(RLDataCsv, RecordsAcrossReadBlocks) {
  const std::string line = "k,\"q\"\"\r\nq\",\xC3\xA9\r\n";  // k | q"<CR><LF>q | é
  const jox::test::ScratchDir dir;
  const String name = dir.File("blocks.csv");
  TRLData d(nullptr);
  for (size_t shift = 0; shift < line.size(); ++shift) {
    std::string data = std::string(shift, 'z') + "\n";
    const size_t records = (size_t(1) << 20) / line.size() + 100;
    for (size_t i = 0; i < records; ++i) data += line;
    WriteFile(name, data);
    ASSERT_EQ(d.ImportCSV(name, csvComma, false), Integer(records) + 1) << shift;
    Integer wrong = 0;
    for (Integer r = 2; r <= d.NrOfRows(); ++r)
      wrong += d.Elem(1, r) != u"k" || d.Elem(2, r) != u"q\"\r\nq" || d.Elem(3, r) != u"\u00e9";
    EXPECT_EQ(wrong, 0) << shift;
  }
  // One field of 3 MiB, quoted, with line breaks: cut to the longest cell, and the next record read.
  std::string big = "\"" + std::string(200, 'a') + "\n";
  big.append(size_t(3) << 20, 'b');
  WriteFile(name, "first\n" + big + "\"\nlast\n");
  ASSERT_EQ(d.ImportCSV(name, csvComma, false), 3);
  EXPECT_EQ(d.Elem(1, 2), String(200, u'a') + u"\n" + String(54, u'b'));
  EXPECT_EQ(d.Elem(1, 3), u"last");
}

// A large table of hostile texts comes back cell for cell, whatever the rows' lengths.
TEST(RLDataCsv, LargeTableRoundTrip) {
  const auto texts = HostileTexts();
  TRLData a(nullptr);
  a.SetNrCols(3);
  a.SetNrRows(20000);
  for (Integer r = 1; r <= 20000; ++r)
    for (Integer c = 1; c <= 3; ++c) {
      const String& t = texts[size_t(r * 7 + c * 3) % texts.size()];
      a.SetElem(c, r, FindLoneSurrogate(t) == String::npos ? t : IntToStr(r));
    }
  const jox::test::ScratchDir dir;
  const String name = dir.File("large.csv");
  for (TCSVDelimiters delim : {csvComma, csvTab}) {
    ASSERT_EQ(a.ExportCSV(name, delim, true, true, 1, 1, 3, 20000), 20000);
    TRLData b(nullptr);
    ASSERT_EQ(b.ImportCSV(name, delim, true), 20000);
    EXPECT_EQ(b.CommonHeader(), a.CommonHeader());
    ExpectSameTable(a, b, false);
  }
}

TEST(RLDataCsv, RangesHeadersAndEvents) {
  TRLData d(nullptr);
  d.SetNrCols(3);
  d.SetNrRows(3);
  for (Integer r = 1; r <= 3; ++r)
    for (Integer c = 1; c <= 3; ++c) d.SetElem(c, r, IntToStr(c * 10 + r));
  d.SetCommonHeader(u"Head, line");  // a comma needs no quotes between semicolons
  int events = 0;
  d.SetOnExportText([&](TObject*, Integer c, Integer r, String& t) {
    ++events;
    if (c == 2 && r == 2) t = u"changed";
  });
  const jox::test::ScratchDir dir;
  const String name = dir.File("r.csv");
  EXPECT_EQ(d.ExportCSV(name, csvSemicolon, true, true, 2, 2, 5, 3), 2);
  EXPECT_EQ(ReadFile(name), "\xEF\xBB\xBFHead, line\r\n\r\nC-2;C-3\r\nchanged;32\r\n23;33\r\n");
  EXPECT_EQ(events, 2 + 4);
  EXPECT_EQ(d.ExportCSV(name, csvComma, false, false, 3, 1, 2, 3), 0);

  WriteFile(name, "a,\"b\nc\",\"d\"\"\"\r\n\r\n1,2\n\"x\"y,z");
  EXPECT_EQ(d.ImportCSV(name, csvComma, false), 4);
  EXPECT_EQ(d.NrOfColumns(), 3);
  EXPECT_EQ(d.Elem(2, 1), u"b\nc");
  EXPECT_EQ(d.Elem(3, 1), u"d\"");
  EXPECT_EQ(d.Elem(1, 2), u"");
  EXPECT_EQ(d.Elem(1, 4), u"xy");
  EXPECT_EQ(d.Header(3), u"C-3");
  EXPECT_EQ(d.LastSortColumn(), -1);

  WriteFile(name, "a,b\n\"never closed,c\n");
  EXPECT_EQ(d.ImportCSV(name, csvComma, false), -1);
  EXPECT_EQ(d.Elem(2, 1), u"b\nc");
  // A few bytes claiming a huge table: a wide first record and many short ones.
  WriteFile(name, std::string(60000, ',') + "\n" + std::string(200000, '\n') + "x");
  EXPECT_EQ(d.ImportCSV(name, csvComma, true), -1);
  EXPECT_EQ(d.NrOfRows(), 4);
  std::filesystem::remove(ToUtf8(name));
  EXPECT_THROW(d.ImportCSV(name, csvComma, false), EStreamError);
}

TEST(RLDataCsv, LoadLinesFromFile) {
  TRLData d(nullptr);
  d.SetNrCols(2);
  d.SetNrRows(1);
  d.SetColCheckMode(2, cmBox);
  d.SetElem(2, 1, u"old");
  d.SetElemChecked(2, 1, true);
  const jox::test::ScratchDir dir;
  const String name = dir.File("lines.txt");
  WriteFile(name, "\xEF\xBB\xBF" "first\r\nsecond\n\nfourth \u00e4");
  EXPECT_EQ(d.LoadLinesFromFile(2, 1, name), 4);
  EXPECT_EQ(d.NrOfRows(), 4);
  EXPECT_EQ(d.Elem(2, 1), u"first");
  EXPECT_TRUE(d.ElemChecked(2, 1));  // a check column keeps its marks
  EXPECT_EQ(d.Elem(2, 3), u"");
  EXPECT_EQ(d.Elem(2, 4), u"fourth \u00e4");
  EXPECT_EQ(d.LoadLinesFromFile(1, 6, name), 4);
  EXPECT_EQ(d.NrOfRows(), 9);
  EXPECT_EQ(d.Elem(1, 9), u"fourth \u00e4");
  EXPECT_EQ(d.LoadLinesFromFile(3, 1, name), -1);
  EXPECT_EQ(d.LoadLinesFromFile(1, 0, name), -1);
  EXPECT_EQ(d.LoadLinesFromFile(1, INT32_MAX - 1, name), -1);
  EXPECT_EQ(d.NrOfRows(), 9);
}

TEST(RLDataHtml, EscapedTableWithSelectionAndEvents) {
  auto a = Hostile();
  const jox::test::ScratchDir dir;
  const String name = dir.File("t.html");
  std::vector<std::pair<Integer, Integer>> seen;
  a->SetOnBeforeHTMLExport([&](TObject* s, String& t, Integer c, Integer r) {
    EXPECT_EQ(s, a.get());
    seen.emplace_back(c, r);
    if (c == 4 && r == 3) t = u"<script>";
  });
  a->ExportHTMLTable(name, 1, 2, 4, 3, {4, 9, 1}, 2, 3, 4, true, u"hd", u"cl \"x\"", u"tb");
  const std::string html = ReadFile(name);
  EXPECT_EQ(seen, (std::vector<std::pair<Integer, Integer>>{{4, 0}, {1, 0}, {4, 2}, {1, 2}, {4, 3}, {1, 3}}));
  EXPECT_NE(html.find("<table id=\"rltable\" class=\"tb\">"), std::string::npos);
  EXPECT_NE(html.find("<th class=\"hd\">&lt;name&gt; &amp; &quot;1&quot;</th>"), std::string::npos);
  EXPECT_NE(html.find("<td class=\"cl &quot;x&quot;\">&lt;script&gt;</td>"), std::string::npos);
  EXPECT_NE(html.find("border-spacing: 3px"), std::string::npos);
  EXPECT_NE(html.find("padding: 4px"), std::string::npos);
  EXPECT_EQ(html.find("<script>"), std::string::npos);
  EXPECT_EQ(html.find("<b>"), std::string::npos);
  // Every tag that opens closes: count rows and cells.
  auto count = [&](const char* s) {
    size_t n = 0;
    for (size_t p = html.find(s); p != std::string::npos; p = html.find(s, p + 1)) ++n;
    return n;
  };
  EXPECT_EQ(count("<tr>"), 3u);
  EXPECT_EQ(count("</tr>"), 3u);
  EXPECT_EQ(count("<td"), 4u);
  EXPECT_EQ(count("</td>"), 4u);
}

TEST(RLDataClipboard, SeparatedAndAligned) {
  TRLData d(nullptr);
  d.SetNrCols(3);
  d.SetNrRows(3);
  d.SetHeader(1, u"one");
  d.SetHeader(2, u"abc");
  d.SetElem(1, 1, u"a");
  d.SetElem(2, 1, u"b");
  d.SetElem(1, 2, u"c");
  d.SetElem(2, 2, u"dddde");
  d.CopyToClipBoard(1, 1, 2, 2, true, String(u";"));
  EXPECT_EQ(Clipboard()->AsText(), u"one;abc\n\na;b\nc;dddde\n");
  d.CopyToClipBoard(1, 1, 2, 2, false, true);
  EXPECT_EQ(Clipboard()->AsText(), u"a\tb\nc\tdddde\n");
  d.CopyToClipBoard(2, 1, 1, 2, true, String(u";"));
  EXPECT_EQ(Clipboard()->AsText(), u"\n\n");
  // Widths: longest stored text or header, plus one.
  d.CopyToClipBoard(1, 1, 2, 2, true, false);
  EXPECT_EQ(Clipboard()->AsText(), u"one abc   \n\na   b     \nc   dddde \n");
  d.SetColCheckMode(3, cmBox);
  d.SetElem(3, 1, u"abc");
  d.SetElemChecked(3, 1, true);
  d.CopyToClipBoard(3, 1, 3, 1, false, false);
  EXPECT_EQ(Clipboard()->AsText(), u"abc  \n");
}

// [faults found in review] ----------------------------------------------------------

TEST(RLDataXml, EveryListTheWriterMakesComesBack) {
  // Wide and nearly empty: 1000 x 5000 with one cell, through the string and the stream reader.
  TRLData wide(nullptr);
  wide.SetNrCols(1000);
  wide.SetNrRows(5000);
  wide.SetElem(1000, 5000, u"last");
  TMemoryStream s;
  wide.WriteToXMLStream(&s, true, u"w");
  ASSERT_GT(s.Size(), 65536);  // more than one read block
  TRLData r(nullptr);
  ASSERT_TRUE(r.ReadFromXMLString(ToXml(wide, u"w"), u"w"));
  EXPECT_EQ(r.NrOfColumns(), 1000);
  EXPECT_EQ(r.NrOfRows(), 5000);
  EXPECT_EQ(r.Elem(1000, 5000), u"last");
  TRLData q(nullptr);
  s.SetPosition(0);
  ASSERT_TRUE(q.ReadFromXMLStream(&s, u""));
  EXPECT_EQ(q.Elem(1000, 5000), u"last");
  EXPECT_EQ(s.Position(), s.Size());

  // Zero columns stay zero, with the rows and the hidden column.
  TRLData none(nullptr);
  none.SetNrRows(3);
  none.SetElem(0, 2, u"hidden");
  none.RemoveColumn(1);
  ASSERT_EQ(none.NrOfColumns(), 0);
  TRLData back(nullptr);
  back.SetNrCols(4);
  ASSERT_TRUE(back.ReadFromXMLString(ToXml(none, u""), u""));
  EXPECT_EQ(back.NrOfColumns(), 0);
  EXPECT_EQ(back.NrOfRows(), 3);
  EXPECT_EQ(back.Elem(0, 2), u"hidden");
  EXPECT_EQ(back.Header(1), u"");
}

TEST(RLDataXml, LineWithoutBreakIsReadInOnePass) {
  // 64 MB without a line break after the opening line: read in blocks, not rescanned per block.
  std::string big = "<replist generator=\"joxkit\">\n<comment>";
  big.append(size_t(64) << 20, 'x');
  TMemoryStream s;
  s.WriteBuffer(big.data(), Int64(big.size()));
  big = {};
  TRLData d(nullptr);
  d.SetNrRows(1);
  const auto start = std::chrono::steady_clock::now();
  s.SetPosition(0);
  EXPECT_FALSE(d.ReadFromXMLStream(&s, u""));
  s.SetPosition(29);
  EXPECT_FALSE(CheckIfValidReplist(&s, u""));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_EQ(d.NrOfRows(), 1);
}

TEST(RLDataFiles, SavingNeverDestroysTheOldFile) {
  const jox::test::ScratchDir dir;
  const String name = dir.File("keep.xml");
  const auto files = [&] {
    const std::filesystem::directory_iterator all(dir.Path());
    return std::distance(begin(all), end(all));
  };
  WriteFile(name, "old contents");
  const auto before = files();
  auto a = Hostile();
  WithoutLoneSurrogates(*a);
  a->SetOnPercentDone([](TObject*, Integer p) {
    if (p >= 50) throw EOutOfMemory(u"midway");
  });
  EXPECT_THROW(a->SaveAsXMLFile(name, u""), EOutOfMemory);
  EXPECT_EQ(ReadFile(name), "old contents");
  EXPECT_THROW(a->ExportCSV(name, csvComma, true, false, 1, 1, 99, 99), EOutOfMemory);
  EXPECT_EQ(ReadFile(name), "old contents");
  EXPECT_THROW(a->ExportHTMLTable(name, 1, 1, 4, 99, {}, 1, 1, 1, true, u"", u"", u""), EOutOfMemory);
  EXPECT_EQ(ReadFile(name), "old contents");
  EXPECT_EQ(files(), before);  // no half-written file left beside it
  a->SetOnPercentDone(nullptr);
  a->SaveAsXMLFile(name, u"");
  TRLData b(nullptr);
  ASSERT_TRUE(b.LoadFromXMLFile(name, u""));
  ExpectSameTable(*a, b);
}

namespace {
// A device that takes nothing: every write fails.
class TFullStream : public TStream {
 public:
  Int64 Read(void*, Int64) override { return 0; }
  Int64 Write(const void*, Int64) override { return 0; }
  Int64 Seek(Int64, TSeekOrigin) override { return 0; }
  void SetSize(Int64) override {}
};
}  // namespace

TEST(RLDataFiles, ReadAndWriteErrorsAreRaised) {
  // The kernel refuses to read address 0 of a process: a read that fails after a good open.
  const String unreadable = u"/proc/self/mem";
  TRLData d(nullptr);
  EXPECT_THROW(CheckIfValidReplist(unreadable, u""), EInOutError);
  EXPECT_THROW(d.LoadFromXMLFile(unreadable, u""), EInOutError);
  EXPECT_THROW(d.ImportCSV(unreadable, csvComma, false), EInOutError);
  EXPECT_THROW(d.LoadLinesFromFile(1, 1, unreadable), EInOutError);

  TFullStream full;
  TStreamWriter w(&full);
  EXPECT_THROW(d.WriteToOpenXMLFile(w, true, u""), EWriteError);
}

TEST(RLDataCsv, OtherEncodingsAreRead) {
  const jox::test::ScratchDir dir;
  const String name = dir.File("enc.csv");
  struct Case {
    std::string bytes;
    const char16_t* cell;
  } cases[] = {
      {"\xEF\xBB\xBF" "caf\xC3\xA9;\xE2\x82\xAC", u"caf\u00e9"},                       // UTF-8 with BOM
      {"caf\xC3\xA9;\xE2\x82\xAC", u"caf\u00e9"},                                     // UTF-8 without
      {std::string("\xFF\xFE" "c\0a\0f\0\xE9\0;\0\xAC\x20", 14), u"caf\u00e9"},        // UTF-16 LE
      {std::string("\xFE\xFF" "\0c\0a\0f\0\xE9\0;\x20\xAC", 14), u"caf\u00e9"},        // UTF-16 BE
      {"caf\xE9;\x80", u"caf\u00e9"},                                                   // Windows-1252
  };
  for (const Case& c : cases) {
    WriteFile(name, c.bytes);
    TRLData d(nullptr);
    ASSERT_EQ(d.ImportCSV(name, csvSemicolon, false), 1);
    EXPECT_EQ(d.Elem(1, 1), c.cell);
    EXPECT_EQ(d.Elem(2, 1), u"\u20ac");
  }
  WriteFile(name, "na\xEFve\r\n\x93quoted\x94");
  TRLData d(nullptr);
  ASSERT_EQ(d.LoadLinesFromFile(1, 1, name), 2);
  EXPECT_EQ(d.Elem(1, 1), u"na\u00efve");
  EXPECT_EQ(d.Elem(1, 2), u"\u201cquoted\u201d");
}

TEST(RLDataCsv, LoneSurrogatesAreRefusedOrEscaped) {
  TRLData d(nullptr);
  d.SetNrRows(1);
  d.SetElem(1, 1, String(u"a") + char16_t(0xDC00) + u"b");
  const jox::test::ScratchDir dir;
  const String name = dir.File("lone.csv");
  WriteFile(name, "old");
  EXPECT_THROW(d.ExportCSV(name, csvComma, false, false, 1, 1, 1, 1), EJOXRLDataError);
  EXPECT_EQ(ReadFile(name), "old");
  d.ExportHTMLTable(name, 1, 1, 1, 1, {}, 0, 0, 0, false, u"", u"", u"");
  EXPECT_NE(ReadFile(name).find("<td>a&#xDC00;b</td>"), std::string::npos);
}

// Texts cut to the longest cell or name lose a surrogate pair whole, never half of one, by every
// road in: a half would make the table unexportable.
TEST(RLDataCsv, CutsNeverPartASurrogatePair) {
  const String clef = u"\U0001D11E";  // two units
  const String cell = String(254, u'c') + clef + u"tail", name = String(49, u'n') + clef;
  const auto expectCut = [&](const TRLData& d, const char* road) {
    EXPECT_EQ(d.Elem(1, 1), String(254, u'c')) << road;
    EXPECT_EQ(d.Header(1), String(49, u'n')) << road;
  };
  TRLData a(nullptr);
  a.SetNrRows(1);
  a.SetElem(1, 1, cell);
  a.SetHeader(1, name);
  expectCut(a, "SetElem");
  const jox::test::ScratchDir dir;
  const String csv = dir.File("cut.csv");
  WriteFile(csv, ToUtf8(name) + "\n" + ToUtf8(cell) + "\n");
  TRLData b(nullptr);
  ASSERT_EQ(b.ImportCSV(csv, csvComma, true), 1);
  expectCut(b, "ImportCSV");
  ASSERT_EQ(b.ExportCSV(csv, csvComma, true, false, 1, 1, 1, 1), 1);
  TRLData c(nullptr);
  ASSERT_TRUE(c.ReadFromXMLString(u"<replist generator=\"joxkit\">\n<numcols>1</numcols>\n<numrows>1</numrows>\n"
                                  u"<colname col=\"1\">" + name + u"</colname>\n<cell col=\"1\" row=\"1\">" + cell +
                                  u"</cell>\n</replist>\n", u""));
  expectCut(c, "ReadFromXMLString");
}

TEST(RLDataCsv, CommonHeaderAndColumnNamesRoundTrip) {
  TRLData a(nullptr);
  a.SetNrCols(2);
  a.SetNrRows(2);
  a.SetHeader(1, u"Name");
  a.SetHeader(2, u"Size");
  a.SetElem(1, 1, u"x");
  a.SetElem(2, 2, u"7");
  a.SetCommonHeader(u"Stock, 2024");
  const jox::test::ScratchDir dir;
  const String name = dir.File("head.csv");
  for (Integer cols : {2, 1}) {
    ASSERT_EQ(a.ExportCSV(name, csvComma, true, true, 1, 1, cols, 2), 2);
    TRLData b(nullptr);
    ASSERT_EQ(b.ImportCSV(name, csvComma, true), 2) << cols;
    ASSERT_EQ(b.NrOfColumns(), cols);
    EXPECT_EQ(b.Header(1), u"Name");
    EXPECT_EQ(b.Elem(1, 1), u"x");
    EXPECT_EQ(b.Elem(1, 2), u"");
    EXPECT_EQ(b.CommonHeader(), u"Stock, 2024");
  }
  // A blank last line is no row; a blank line inside is.
  WriteFile(name, "a,b\r\n\r\nc,d\r\n\r\n");
  TRLData c(nullptr);
  EXPECT_EQ(c.ImportCSV(name, csvComma, false), 3);
}

TEST(RLDataClipboard, RangesAreClampedToTheModel) {
  TRLData d(nullptr);
  d.SetNrCols(2);
  d.SetNrRows(2);
  d.SetElem(1, 1, u"a");
  d.SetElem(2, 2, u"b");
  d.CopyToClipBoard(1, 1, INT32_MAX, INT32_MAX, false, String(u";"));
  EXPECT_EQ(Clipboard()->AsText(), u"a;\n;b\n");
  d.CopyToClipBoard(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, false, false);
  EXPECT_EQ(Clipboard()->AsText(), u" a   \n   b \n");  // column 0 is the hidden one
}
