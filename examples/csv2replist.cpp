// Loads a CSV file, sorts it by a column, saves it as a report-list file and prints the result.
//   csv2replist input.csv output.xml [sort column, default 1]
#include <cstdio>
#include <cstdlib>

#include "replist/replist.h"

using namespace jox;

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s input.csv output.xml [column]\n", argv[0]);
    return 2;
  }
  try {
    TRLData data(nullptr);
    const Integer rows = data.ImportCSV(FromUtf8(argv[1]), csvComma, true);
    if (rows < 0) {
      std::fprintf(stderr, "%s: not a valid CSV file\n", argv[1]);
      return 1;
    }
    data.Sort(argc > 3 ? std::atoi(argv[3]) : 1, -1, true);
    data.SaveAsXMLFile(FromUtf8(argv[2]), u"csv2replist");
    for (Integer r = 0; r <= data.NrOfRows(); ++r) {
      for (Integer c = 1; c <= data.NrOfColumns(); ++c)
        std::printf("%s%s", c > 1 ? "\t" : "", ToUtf8(r == 0 ? data.Header(c) : data.Elem(c, r)).c_str());
      std::printf("\n");
    }
    std::printf("%d rows saved to %s\n", rows, argv[2]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
