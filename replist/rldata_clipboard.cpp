// The table as plain text on the clipboard: separated or in blank-padded columns.
#include <algorithm>

#include "package/framework/clipbrd.h"
#include "replist/rldata_internal.h"

namespace jox {

void TRLData::CopyToClipBoard(Integer LeftCol, Integer TopRow, Integer RightCol, Integer BottomRow, bool AddHeader,
                              const String& Separator) {
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
  // Field widths: the longest stored text of the column (marks count) or its header, plus one.
  std::vector<Integer> width;
  for (Integer c = LeftCol; c <= RightCol; ++c) {
    Integer w = AddHeader ? Integer(GetColName(c).size()) : 0;
    if (c >= 0 && c <= FNrOfCols)
      for (Integer r = std::max(TopRow, 1); r <= std::min(BottomRow, FNrOfRows); ++r)
        w = std::max(w, Strings->CellLength(c, r));
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
