// Seeds from the writers' own output: when a fuzzer starts on an empty corpus folder, it first
// fills it with report-list files and CSV files that the model writes for a few telling tables
// (every hostile character, check columns, no columns, a wide list, several lists in one file).
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "fuzz/seed_corpus.h"
#include "replist/replist.h"

namespace fuzzseeds {

inline std::vector<std::unique_ptr<jox::TRLData>> Tables() {
  using namespace jox;
  std::vector<std::unique_ptr<TRLData>> out;
  auto add = [&](Integer cols, Integer rows) -> TRLData& {
    out.push_back(std::make_unique<TRLData>(nullptr));
    out.back()->SetNrCols(cols);
    out.back()->SetNrRows(rows);
    return *out.back();
  };
  const String texts[] = {u"plain", u"<b>&amp;</b> \"q\" 'a'", u"a,b;c|d\te", u"l1\nl2\r\nl3\rl4", u"  blanks  ",
                          u"\u65e5\u672c \U0001F600", String(u"lone ") + char16_t(0xD800), u"\"\"q\"\"", u"",
                          u"\x01 ctl", String(255, u'\u00e9')};
  TRLData& h = add(4, 12);
  for (Integer r = 1; r <= 12; ++r)
    for (Integer c = 0; c <= 4; ++c) h.SetElem(c, r, texts[size_t(r + c) % std::size(texts)]);
  h.SetColCheckMode(3, cmBox);
  h.SetColCheckMode(4, cmRadio);
  h.SetElemChecked(3, 2, true);
  h.SetHeader(1, u"<name> & \"1\"");
  h.SetColumnFormat(2, u"[l:6][120]red|green");
  h.SetCommonHeader(u"common <&>");
  h.SetComment(u"a comment\r\nover lines");
  h.SetDataID(u"sales");
  add(1, 0);
  TRLData& none = add(1, 3);
  none.SetElem(0, 2, u"hidden");
  none.RemoveColumn(1);
  TRLData& wide = add(40, 3);
  wide.SetElem(40, 3, u"last");
  TRLData& nums = add(2, 30);
  for (Integer r = 1; r <= 30; ++r) {
    nums.SetElem(1, r, IntToStr(r * 7919 % 1000));
    nums.SetElem(2, r, u"1,5e" + IntToStr(r));
  }
  return out;
}

// Fills the first corpus folder named on the command line when it is empty (or missing).
// Xml: report-list files (also two lists in one file); otherwise CSV files with each delimiter.
inline void WriteSeeds(int* argc, char*** argv, bool Xml) {
  namespace fs = std::filesystem;
  const std::string a = EmptyCorpus(argc, argv);
  if (a.empty()) return;
  int n = 0;
  std::string all;
  for (auto& t : Tables()) {
    const std::string name = (fs::path(a) / ("seed" + std::to_string(n++))).string();
    if (Xml) {
      jox::TStringStream s;
      t->WriteToXMLStream(&s, n % 2 == 0, u"");
      const std::string bytes = jox::ToUtf8(s.DataString());
      Put(name + ".xml", bytes);
      all += bytes;
    } else {
      const jox::TCSVDelimiters d[] = {jox::csvComma, jox::csvSemicolon, jox::csvTab, jox::csvPipe};
      try {
        t->ExportCSV(jox::FromUtf8(name + ".csv"), d[n % 4], n % 2 == 0, n % 3 == 0, 0, 0, 99, 99);
      } catch (const jox::EJOXRLDataError&) {  // a lone surrogate, which CSV cannot hold
      }
    }
  }
  if (Xml) Put((fs::path(a) / "seed_lists.xml").string(), all);
}

}  // namespace fuzzseeds
