// The table as plain text on the clipboard: separated or in blank-padded columns.
#include <algorithm>

#include "package/framework/controls/clipbrd.h"
#include "replist/rldata_internal.h"
#include "package/core/strutil.h"

namespace jox {

namespace {

// The part of a range that the model holds: cells outside it read "" anyway, and a range such
// as 1..INT32_MAX must neither wrap around nor build a text of empty lines.
void ClampRange(const TRLData& D, Integer& LeftCol, Integer& TopRow, Integer& RightCol, Integer& BottomRow) {
  LeftCol = std::max(LeftCol, 0);
  RightCol = std::min(RightCol, D.NrOfColumns());
  TopRow = std::max(TopRow, 1);
  BottomRow = std::min(BottomRow, D.NrOfRows());
}

}  // namespace

void TRLData::CopyToClipBoard(Integer LeftCol, Integer TopRow, Integer RightCol, Integer BottomRow, bool AddHeader,
                              const String& Separator) {
  ClampRange(*this, LeftCol, TopRow, RightCol, BottomRow);
  String out;
  if (AddHeader) {
    for (Integer c = LeftCol; c <= RightCol; ++c) {
      if (c > LeftCol) out += Separator;
      out += GetColName(c);
    }
    out += u"\n\n";
  }
  if (RightCol >= LeftCol) {
    TRLProgress progress(*this);
    for (Integer r = TopRow; r <= BottomRow; ++r) {
      for (Integer c = LeftCol; c <= RightCol; ++c) {
        if (c > LeftCol) out += Separator;
        out += GetElem(c, r);
        progress.Cell();
      }
      out += u'\n';
    }
  }
  Clipboard()->SetAsText(out);
}

void TRLData::CopyToClipBoard(Integer LeftCol, Integer TopRow, Integer RightCol, Integer BottomRow, bool AddHeader,
                              bool UseTabs) {
  if (UseTabs) {
    CopyToClipBoard(LeftCol, TopRow, RightCol, BottomRow, AddHeader, String(u"\t"));
    return;
  }
  ClampRange(*this, LeftCol, TopRow, RightCol, BottomRow);
  // Field widths: the longest stored text of the column (marks count) or its header, plus one.
  std::vector<Integer> width;
  for (Integer c = LeftCol; c <= RightCol; ++c) {
    Integer w = AddHeader ? Integer(GetColName(c).size()) : 0;
    for (Integer r = TopRow; r <= BottomRow; ++r) w = std::max(w, Strings->CellLength(c, r));
    width.push_back(w + 1);
  }
  String out;
  if (AddHeader) {
    for (Integer c = LeftCol; c <= RightCol; ++c) out += LeftString(GetColName(c), width[size_t(c - LeftCol)]);
    out += u"\n\n";
  }
  if (RightCol >= LeftCol) {
    TRLProgress progress(*this);
    for (Integer r = TopRow; r <= BottomRow; ++r) {
      for (Integer c = LeftCol; c <= RightCol; ++c) {
        out += LeftString(GetElem(c, r), width[size_t(c - LeftCol)]);
        progress.Cell();
      }
      out += u'\n';
    }
  }
  Clipboard()->SetAsText(out);
}

}  // namespace jox
