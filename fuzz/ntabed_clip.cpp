// The table editor's clipboard on arbitrary text: extraction, the matrix size, and copy and paste
// around it, on tables of a few sizes with the selection anywhere. The text is taken as UTF-16 code
// units, so any character (lone surrogates, NUL, line feeds without CR) can stand in it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "ntabed/ntabed.h"
#include "package/framework/controls/clipbrd.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  using namespace jox;
  // Painting is not what is fuzzed here; without it a run costs microseconds.
  static TNTabEd* ed = [] {
    auto* e = new TNTabEd(nullptr);
    e->SetSuppressPaint(true);
    return e;
  }();
  if (Size < 3) return 0;
  const Integer cols = 1 + Data[0] % 9, rows = Data[1] % 9;
  ed->Redimension(cols, rows);
  ed->Fill(0);  // nothing left over from the run before
  ed->SetAttribColVisible(Data[2] & 1);
  ed->SetAttribRowVisible(Data[2] & 2);
  ed->SetClipboardUseFullPrec(Data[2] & 4);
  ed->SetVRangeLow(Data[2] & 8 ? -10 : 0);
  ed->SetVRangeHigh(Data[2] & 8 ? 10 : 0);
  const Integer dc = ed->AttribRowVisible() ? 1 : 0, dr = ed->AttribColVisible() ? 1 : 0;
  const Integer c0 = 1 + (Data[2] >> 4) % cols, r0 = 1 + (Data[2] >> 6) % (rows ? rows : 1);
  ed->SetSelection({c0 + dc, r0 + dr, c0 + dc, r0 + dr});
  String text;
  for (size_t i = 3; i + 1 < Size; i += 2) text += char16_t(Data[i] | (Data[i + 1] << 8));
  Clipboard()->SetAsText(text);

  Integer nc = 0, nr = 0;
  const bool any = ed->GetClipMatrixSize(nc, nr);
  if (nc < 1 || nr < 1 || (!any && (nc != 1 || nr != 1))) std::abort();
  ed->ExtractFromClipboard();
  if (ed->NrOfColumns() != cols || ed->NrOfRows() != rows) std::abort();
  for (Integer c = 1; c <= cols; ++c)
    for (Integer r = 1; r <= rows; ++r) {
      const double v = ed->Elem(c, r);
      if (v != v || (Data[2] & 8 && (v < -10 || v > 10))) std::abort();
    }
  // What the extraction selected, copied and pasted back where it stands, changes nothing.
  ed->Copy();
  const String copied = Clipboard()->AsText();
  ed->Paste();
  ed->Copy();
  if (Clipboard()->AsText() != copied) std::abort();
  ed->ExtractFromText(copied);
  return 0;
}
