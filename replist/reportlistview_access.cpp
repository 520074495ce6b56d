// How the report list reads to assistive technology: a table of the data rows shown (filtered rows
// left out, columns in their display order), the column names as headers, the current cell focused.
// A password column reads as its mask, never as its text.
#include "package/framework/controls/accessible.h"
#include "replist/reportlistview.h"

namespace jox {

class TReportListViewAccessible : public TGridAccessible {
 public:
  explicit TReportListViewAccessible(TReportListView* View) : TGridAccessible(View) {}
  String GridText(Integer ACol, Integer ARow) const override {
    const TReportListView* v = View();
    const Integer g = v->ModelCol(ACol);
    if (ARow < v->TCustomGrid::FixedRows()) return v->ColumnHeadersVisible() ? v->FRLData->GetColName(g) : String();
    if (v->ColumnIsPwd(g)) return u"******";
    return v->FRLData->Strings->GetString(g, v->DataRowOf(ARow));
  }
  String ColumnHeader(Integer Column) const override {
    return GridText(Column + View()->TCustomGrid::FixedCols(), 0);
  }
  String Name() const override {
    const String common = View()->CommonHeader();
    return common.empty() ? LabelledName() : common;
  }

 private:
  const TReportListView* View() const { return static_cast<const TReportListView*>(Control()); }
};

TAccessible* TReportListView::CreateAccessible() { return new TReportListViewAccessible(this); }

}  // namespace jox
