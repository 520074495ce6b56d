// TReportListView: the model's clipboard, file, CSV and HTML operations, and the grid following the
// model after a read. Sections: [writing] [reading]
#include <algorithm>

#include "replist/reportlistview.h"

namespace jox {

// [writing] ------------------------------------------------------------------------------------------------
void TReportListView::CopyToClipBoard(Integer LeftCol, Integer TopRow, Integer RightCol, Integer BottomRow,
                                      bool AddHeader, bool UseTabs) {
  FRLData->CopyToClipBoard(LeftCol, TopRow, RightCol, BottomRow, AddHeader, UseTabs);
}

void TReportListView::CopyToClipBoard(Integer LeftCol, Integer TopRow, Integer RightCol, Integer BottomRow,
                                      bool AddHeader, const String& Separator) {
  FRLData->CopyToClipBoard(LeftCol, TopRow, RightCol, BottomRow, AddHeader, Separator);
}

void TReportListView::SaveAsXMLFile(const String& FName, const String& DataID) {
  FRLData->SaveAsXMLFile(FName, DataID);
}

void TReportListView::WriteToXMLStream(TStream* OutStream, bool CreateHeader, const String& DataID) {
  FRLData->WriteToXMLStream(OutStream, CreateHeader, DataID);
}

void TReportListView::WriteToOpenXMLFile(TStreamWriter& TextFile, bool CreateHeader, const String& DataID) {
  FRLData->WriteToOpenXMLFile(TextFile, CreateHeader, DataID);
}

Integer TReportListView::ExportCSV(const String& FName, TCSVDelimiters Delimiter, bool IncludeColHeaders,
                                   bool IncludeCommonHeader, Integer FirstCol, Integer FirstRow, Integer LastCol,
                                   Integer LastRow) {
  return FRLData->ExportCSV(FName, Delimiter, IncludeColHeaders, IncludeCommonHeader, FirstCol, FirstRow, LastCol,
                            LastRow);
}

void TReportListView::ExportHTMLTable(const String& FName, Integer LoC, Integer LoR, Integer HiC, Integer HiR,
                                      const std::vector<Integer>& ColumnSelection, Integer Border,
                                      Integer CellSpacing, Integer CellPadding, bool IncludeHeader,
                                      const String& HeadClass, const String& CellClass, const String& TableClass) {
  FRLData->ExportHTMLTable(FName, LoC, LoR, HiC, HiR, ColumnSelection, Border, CellSpacing, CellPadding,
                           IncludeHeader, HeadClass, CellClass, TableClass);
}

// [reading] ------------------------------------------------------------------------------------------------
template <class F, class S>
auto TReportListView::Reading(F Read, S Succeeded, bool WholeList) {
  HideEditor();
  const Integer oldCols = TCustomGrid::ColCount();
  const Integer lastWidth = TCustomGrid::ColWidths(oldCols - 1);
  // Painting waits for the grid to follow; a failed read puts the flag back without a repaint.
  struct TRestore {
    TReportListView* View;
    bool Saved;
    bool Armed = true;
    ~TRestore() {
      if (Armed) View->FSuppressPaint = Saved;
    }
  } restore{this, FSuppressPaint};
  FSuppressPaint = true;
  const auto result = Read();
  if (!Succeeded(result)) return result;
  ClearFilter();
  if (WholeList) {
    // A new list: new columns take the last column's width, the order starts afresh.
    FollowModel();
    for (Integer k = oldCols; k < TCustomGrid::ColCount(); ++k) TCustomGrid::SetColWidths(k, lastWidth);
  } else {
    ApplyRowCount();
    SetHeaderHeights();
  }
  SetSelection({0, 0, 0, 0});
  TCustomGrid::SetTopRow(CountHeadRows());
  restore.Armed = false;
  SetSuppressPaint(restore.Saved);
  ChangedSetup();
  return result;
}

bool TReportListView::LoadFromXMLFile(const String& FName, const String& DataID) {
  return Reading([&] { return FRLData->LoadFromXMLFile(FName, DataID); }, [](bool ok) { return ok; }, true);
}

bool TReportListView::ReadFromXMLString(const String& InString, const String& DataID) {
  return Reading([&] { return FRLData->ReadFromXMLString(InString, DataID); }, [](bool ok) { return ok; }, true);
}

bool TReportListView::ReadFromXMLStream(TStream* InStream, const String& DataID) {
  return Reading([&] { return FRLData->ReadFromXMLStream(InStream, DataID); }, [](bool ok) { return ok; }, true);
}

bool TReportListView::ReadFromOpenXMLFile(TStreamReader& TextFile, const String& DataID) {
  return Reading([&] { return FRLData->ReadFromOpenXMLFile(TextFile, DataID); }, [](bool ok) { return ok; }, true);
}

Integer TReportListView::ImportCSV(const String& FName, TCSVDelimiters Delimiter, bool IncludeColHeaders) {
  return Reading([&] { return FRLData->ImportCSV(FName, Delimiter, IncludeColHeaders); },
                 [](Integer n) { return n >= 0; }, true);
}

Integer TReportListView::LoadLinesFromFile(Integer Column, Integer FirstRow, const String& FName) {
  return Reading([&] { return FRLData->LoadLinesFromFile(Column, FirstRow, FName); },
                 [](Integer n) { return n >= 0; }, false);
}

}  // namespace jox
