// What the report list view's sources share and users of the unit do not see.
#pragma once

#include "replist/reportlistview.h"

namespace jox {

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
