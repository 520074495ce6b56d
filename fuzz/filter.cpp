// The report list's filter on arbitrary expressions, in the simple and the boolean language, over
// a small list of names, numbers and empty cells. A malformed expression raises EJOXRepListError
// and leaves the rows shown as they were; an accepted one shows no more rows than the list has.
// (The regular-expression mode is the standard library's and is not fuzzed here.)
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/seed_corpus.h"
#include "replist/reportlistview.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  const char* seeds[] = {"\x01vienna", "\x01*son", "\x01gr?z", "\x01 a* ", "\x02vienna OR graz",
                         "\x02\"new york\" AND NOT >=12,5", "\x03(anna OR bruno) berger <>0",
                         "\x02NOT NOT (a OR (b AND c))", "\x02>1e3 OR <=-5 OR =42 OR !=0", "\x03 *er OR ?"};
  std::vector<std::string> out(std::begin(seeds), std::end(seeds));
  fuzzseeds::WriteSeedFiles(argc, argv, out);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  using namespace jox;
  static TReportListView* v = [] {
    auto* l = new TReportListView(nullptr);
    l->SetNrCols(3);
    const char16_t* cells[][3] = {{u"Anna Berger", u"12.5", u"Vienna"}, {u"Bruno Novak", u"7", u"Graz"},
                                  {u"", u"12,5", u"New York"},         {u"\u00c9mile", u"-1e308", u""},
                                  {u"a*b?c", u"n/a", u"(x)"}};
    l->SetNrRows(5);
    for (Integer r = 1; r <= 5; ++r)
      for (Integer c = 1; c <= 3; ++c) l->SetElem(c, r, cells[r - 1][c - 1]);
    return l;
  }();
  if (Size < 1) return 0;
  const uint8_t ctl = Data[0];
  const String exp = FromUtf8(std::string(reinterpret_cast<const char*>(Data + 1), Size - 1));
  const TFilterMode mode = ctl & 1 ? fmBoolean : fmSimple;
  std::vector<Integer> cols;
  if (ctl & 2) cols = {Integer(ctl >> 4) % 5, 3};
  // A known state first, from a filter that cannot fail.
  v->FilterAndSort(u"a", {1}, true, fmSimple, -1, true);
  const Integer before = v->NrOfShownRows();
  try {
    const Integer n = v->FilterAndSort(exp, cols, ctl & 4, mode, Integer(ctl >> 5) - 1, ctl & 8);
    if (n < 0 || n > v->NrOfRows() || n != v->NrOfShownRows()) std::abort();
  } catch (const EJOXRepListError&) {
    if (v->NrOfShownRows() != before || !v->Filtered()) std::abort();
  }
  return 0;
}
