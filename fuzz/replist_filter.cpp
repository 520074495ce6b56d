// The report list's filter languages (simple, boolean, regular expression) on any expression: a
// malformed one raises EJOXRepListError and leaves the list as it was; an accepted one shows as many
// rows as it answers, never more than the list holds, and every one of them comes back after the filter
// is cleared. Seeds: the expressions of the user guide.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/seeds.h"
#include "replist/replist.h"

namespace {
using namespace jox;

std::vector<std::string> Seeds() {
  std::vector<std::string> out;
  const char* exps[] = {"vienna OR graz", "ann", "*son", "gr?z", "a*", "\"new york\"", "anna berger",
                        "anna AND berger", "NOT vienna", "(graz OR linz) AND NOT keller", ">100", ">=100",
                        "<5", "<=5", "=42", "<>0", "!=0", "^A.*r$", "\\d{4}-\\d{2}", "(Graz|Linz)", "1,5"};
  for (int mode = 0; mode < 3; ++mode)
    for (const char* e : exps) out.push_back(std::string(1, char(mode | 4)) + e);
  return out;
}

TReportListView& List() {
  static TReportListView* list = [] {
    auto* l = new TReportListView(nullptr);
    l->SetNrCols(3);
    const char16_t* cells[][3] = {{u"Anna", u"Vienna", u"120"},   {u"Berger", u"Graz", u"1,5"},
                                  {u"Joanne", u"new york", u"-7"}, {u"Keller", u"Linz", u"42"},
                                  {u"Graz", u"", u"1e3"},          {u"\u00e9t\u00e9", u"Wien", u"0"}};
    l->SetNrRows(6);
    for (Integer r = 0; r < 6; ++r)
      for (Integer c = 0; c < 3; ++c) l->SetElem(c + 1, r + 1, cells[r][c]);
    l->SetColCheckMode(2, cmBox);
    l->SetElemChecked(2, 3, true);
    return l;
  }();
  return *list;
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzzseeds::WriteCorpus(argc, argv, Seeds());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size == 0 || Size > 512) return 0;
  TReportListView& l = List();
  const TFilterMode mode = TFilterMode(Data[0] % 3);
  const bool ignoreCase = Data[0] & 4;
  const Integer sortCol = Integer((Data[0] >> 3) & 7) - 2;  // -2 .. 5: outside the columns too
  std::vector<Integer> cols;
  if (Data[0] & 64) cols = {1, 3, 9};
  const String exp = FromUtf8(std::string(reinterpret_cast<const char*>(Data + 1), Size - 1));
  l.FilterAndSort(u"", {}, true, fmSimple, -1, true);
  const Integer before = l.NrOfShownRows();
  Integer shown;
  try {
    shown = l.FilterAndSort(exp, cols, ignoreCase, mode, sortCol, Data[0] & 128);
  } catch (const EJOXRepListError&) {
    if (l.NrOfShownRows() != before || l.Filtered()) std::abort();
    return 0;
  }
  if (shown < 0 || shown > l.NrOfRows() || shown != l.NrOfShownRows()) std::abort();
  l.FilterAndSort(u"", {}, true, fmSimple, -1, true);
  if (l.NrOfShownRows() != l.NrOfRows()) std::abort();
  return 0;
}
