// How the table editor reads to assistive technology: a table of the data values as the cells show them,
// the column names as column headers and the row names as row headers.
#include "ntabed/ntabed.h"
#include "package/framework/controls/accessible.h"

namespace jox {

namespace {
class TNTabEdAccessible : public TGridAccessible {
 public:
  explicit TNTabEdAccessible(TNTabEd* Ed) : TGridAccessible(Ed) {}
  // Grid row 0 holds the column names and grid column 0 the row names; the attribute row and column
  // (when shown) come next; table column c is grid column c + the attribute column's offset, and so
  // for rows.
  String GridText(Integer ACol, Integer ARow) const override {
    const TNTabEd* e = Ed();
    if (!e->Data) return {};
    const Integer colOff = e->AttribRowVisible() ? 1 : 0, rowOff = e->AttribColVisible() ? 1 : 0;
    const Integer c = ACol - colOff, r = ARow - rowOff;
    if (ARow == 0) return ACol > colOff ? e->Data->GetColName(c) : String();
    if (ACol == 0) return ARow > rowOff ? e->Data->GetRowName(r) : String();
    if (ARow <= rowOff || ACol <= colOff) return {};  // attributes
    return e->CellText(c, r);
  }

 private:
  const TNTabEd* Ed() const { return static_cast<const TNTabEd*>(Control()); }
};
}  // namespace

TAccessible* TNTabEd::CreateAccessible() { return new TNTabEdAccessible(this); }

}  // namespace jox
