#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "package/framework/clipbrd.h"
#include "replist/replist.h"

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

String TempPath(const char* name) {
  return FromUtf8((std::filesystem::temp_directory_path() / ("jox_rl_" + std::to_string(::getpid()) + "_" + name))
                      .string());
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
  const String name = TempPath("lists.xml");
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
  const String name = TempPath("t.csv");
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
      for (Integer r = 1; r <= a->NrOfRows(); ++r) {
        String want = a->Elem(c, r);
        // Lone surrogates cannot be written as UTF-8.
        for (char16_t& ch : want)
          if (ch == 0xD800) ch = 0xFFFD;
        ASSERT_EQ(b.Elem(c, r), want) << int(delim) << ": " << c << "," << r;
      }
    }
    EXPECT_EQ(b.CommonHeader(), u"kept");
  }
  std::filesystem::remove(ToUtf8(name));
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
  const String name = TempPath("r.csv");
  EXPECT_EQ(d.ExportCSV(name, csvSemicolon, true, true, 2, 2, 5, 3), 2);
  EXPECT_EQ(ReadFile(name), "\xEF\xBB\xBFHead, line\r\nC-2;C-3\r\nchanged;32\r\n23;33\r\n");
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
  WriteFile(name, std::string(60000, ',') + "\n" + std::string(200000, '\n'));
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
  const String name = TempPath("lines.txt");
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
  std::filesystem::remove(ToUtf8(name));
}

TEST(RLDataHtml, EscapedTableWithSelectionAndEvents) {
  auto a = Hostile();
  const String name = TempPath("t.html");
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
  std::filesystem::remove(ToUtf8(name));
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
