// What the table editor's sources share and users of the unit do not see.
#pragma once

#include <cmath>

#include "ntabed/ntabed.h"
#include "package/rounding.h"

namespace jox {

// Internal suppression of painting and notifications for a multi-step change; the previous state
// comes back at the end of the scope (so nested steps do not end an outer one early).
class TNTabEd::TInternSuppress {
 public:
  explicit TInternSuppress(TNTabEd* Ed) : FEd(Ed), FSaved(Ed->FInternSuppPaint) { Ed->FInternSuppPaint = true; }
  ~TInternSuppress() { FEd->FInternSuppPaint = FSaved; }
  TInternSuppress(const TInternSuppress&) = delete;
  TInternSuppress& operator=(const TInternSuppress&) = delete;

 private:
  TNTabEd* FEd;
  bool FSaved;
};

// Clear, paste and extraction pass over protected cells: a user action never changes them.
inline bool TableCellProtected(const TDataTable& Table, Integer Col, Integer Row) {
  return Table.GetCellState(Col, Row) & ntsProtected;
}


}  // namespace jox
