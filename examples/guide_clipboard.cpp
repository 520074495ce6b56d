// The clipboard: components copy text to it, and the application reads and writes it. Inside a window the
// backend mirrors it to the system's clipboard; without one it lives in the process.
//   example_guide_clipboard
#include <cstdio>

#include "package/framework/framework.h"
#include "replist/replist.h"

using namespace jox;

int main() {
  TRLData table(nullptr);
  table.SetNrOfColumns(2);
  table.SetNrOfRows(2);
  table.SetColName(1, u"Item");
  table.SetColName(2, u"Price");
  table.SetElem(1, 1, u"Tea");
  table.SetElem(2, 1, u"2.50");
  table.SetElem(1, 2, u"Cake");
  table.SetElem(2, 2, u"3.20");

  // Rows 1..2 of columns 1..2 with the header, cells separated by tabs, as spreadsheets paste them.
  table.CopyToClipBoard(1, 1, 2, 2, true, true);
  if (!Clipboard()->HasFormat(CF_TEXT)) return 1;
  const String text = Clipboard()->AsText();
  std::printf("%s\n", ToUtf8(text).c_str());
  if (text.find(u"Cake\t3.20") == String::npos) return 1;

  // The application's own text goes the same way.
  Clipboard()->SetAsText(u"pasted by the application");
  return Clipboard()->AsText() == u"pasted by the application" ? 0 : 1;
}
