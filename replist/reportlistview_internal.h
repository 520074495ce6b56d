// What the report list view's sources share and users of the unit do not see.
#pragma once

#include "replist/reportlistview.h"

namespace jox {

// A column format taken apart: type letter (as written: the letters are lower case, any other is
// unknown to the row editor and the cell editor alike), read-only mark, the rest of the type
// bracket, field width (200 when missing or below 1) and the remainder (default value or choices).
struct TFieldFormat {
  char16_t Type = u's';
  bool ReadOnly = false;
  String TypeRest;
  Integer Width = 200;
  String Rest;
};
// The brackets are read where the model reads them for its default values (a type bracket only at
// the start, a width bracket only right behind it), so field and default never disagree.
TFieldFormat SplitColumnFormat(const String& Format);

// Switches a view's painting off for a bulk change and restores the previous state once (End, or
// the end of the scope), which repaints when painting was on before.
class TPaintBatch {
 public:
  explicit TPaintBatch(TReportListView* View) : FView(View), FSaved(View->SuppressPaint()) {
    View->SetSuppressPaint(true);
  }
  ~TPaintBatch() { End(); }
  TPaintBatch(const TPaintBatch&) = delete;
  TPaintBatch& operator=(const TPaintBatch&) = delete;
  void End() {
    if (!FView) return;
    TReportListView* v = FView;
    FView = nullptr;
    v->SetSuppressPaint(FSaved);
  }

 private:
  TReportListView* FView;
  bool FSaved;
};

}  // namespace jox
