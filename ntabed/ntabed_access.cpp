// How the table editor reads to assistive technology: a table of the data values as the cells show them,
// the column names as column headers and the row names as row headers.
#include "ntabed/ntabed.h"
#include "package/framework/controls/accessible.h"

namespace jox {

namespace {
class TNTabEdAccessible : public TGridAccessible {
 public:
  explicit TNTabEdAccessible(TNTabEd* Ed) : TGridAccessible(Ed) {}
  // Grid row r shows data row r - offset, where the offset is the attribute row's when it is shown.
  String GridText(Integer ACol, Integer ARow) const override {
    const TNTabEd* e = Ed();
    if (!e->Data) return {};
    const Integer r = ARow - (e->AttribColVisible() ? 1 : 0);
    if (r < 0 || (r == 0 && ACol == 0)) return {};
    if (r == 0) return e->Data->GetColName(ACol);
    if (ACol == 0) return e->Data->GetRowName(r);
    return e->CellText(ACol, r);
  }
  String ColumnHeader(Integer Column) const override {
    return GridText(Column + Grid()->FixedCols(), Ed()->AttribColVisible() ? 1 : 0);
  }

 private:
  const TNTabEd* Ed() const { return static_cast<const TNTabEd*>(Control()); }
};
}  // namespace

TAccessible* TNTabEd::CreateAccessible() { return new TNTabEdAccessible(this); }

}  // namespace jox
