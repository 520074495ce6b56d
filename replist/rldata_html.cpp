// A range of the table as an HTML document.
#include <algorithm>

#include "replist/rldata_internal.h"
#include "package/core/fileutil.h"

namespace jox {

namespace {

void AppendHtmlRun(std::string& out, std::u16string_view s) {
  const std::string t = ToUtf8(s);
  for (char c : t) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default:
        // Control characters other than tab and line breaks are not allowed in HTML text.
        if (uint8_t(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') out += "&#xFFFD;";
        else out += c;
    }
  }
}

// An unpaired surrogate has no UTF-8 form: it is kept as a character reference.
void AppendHtml(std::string& out, std::u16string_view s) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (size_t lone; (lone = FindLoneSurrogate(s)) != std::u16string_view::npos; s.remove_prefix(lone + 1)) {
    AppendHtmlRun(out, s.substr(0, lone));
    out += "&#x";
    for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(s[lone] >> shift) & 15];
    out += ';';
  }
  AppendHtmlRun(out, s);
}

void AppendClass(std::string& out, const String& cls) {
  if (cls.empty()) return;
  out += " class=\"";
  AppendHtml(out, cls);
  out += '"';
}

}  // namespace

void TRLData::ExportHTMLTable(const String& FName, Integer LoC, Integer LoR, Integer HiC, Integer HiR,
                              const std::vector<Integer>& ColumnSelection, Integer Border, Integer CellSpacing,
                              Integer CellPadding, bool IncludeHeader, const String& HeadClass,
                              const String& CellClass, const String& TableClass) {
  const Integer c1 = std::max(LoC, 1), c2 = std::min(HiC, FNrOfCols);
  const Integer r1 = std::max(LoR, 1), r2 = std::min(HiR, FNrOfRows);
  std::vector<Integer> cols;
  if (ColumnSelection.empty()) {
    for (Integer c = c1; c <= c2; ++c) cols.push_back(c);
  } else {
    for (Integer c : ColumnSelection)
      if (c >= c1 && c <= c2) cols.push_back(c);
  }
  const std::string border = std::to_string(std::max(Border, 0)), spacing = std::to_string(std::max(CellSpacing, 0)),
                    padding = std::to_string(std::max(CellPadding, 0));
  SaveFileSafely(FName, [&](TStream& f) {
    std::string out;
    auto flush = [&](bool force) {
      if (force || out.size() > (1 << 20)) {
        f.WriteBuffer(out.data(), Int64(out.size()));
        out.clear();
      }
    };
    out += "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>";
    AppendHtml(out, FCommonHeader);
    out += "</title>\n<style>\n#rltable { border-collapse: separate; border-spacing: " + spacing + "px; border: " +
           border + "px solid; }\n#rltable th, #rltable td { padding: " + padding + "px; border: " +
           (Border > 0 ? "1" : "0") + "px solid; white-space: pre-wrap; text-align: left; }\n</style>\n</head>\n<body>\n";
    out += "<table id=\"rltable\"";
    AppendClass(out, TableClass);
    out += ">\n";
    auto cell = [&](const char* tag, const String& cls, Integer c, Integer r, String text) {
      BeforeHTMLExport(text, c, r);
      out += '<';
      out += tag;
      AppendClass(out, cls);
      out += '>';
      AppendHtml(out, text);
      out += "</";
      out += tag;
      out += '>';
    };
    if (IncludeHeader && !cols.empty()) {
      out += "<thead>\n<tr>";
      for (Integer c : cols) cell("th", HeadClass, c, 0, GetColName(c));
      out += "</tr>\n</thead>\n";
    }
    out += "<tbody>\n";
    TRLProgress progress(*this);
    if (!cols.empty()) {
      for (Integer r = r1; r <= r2; ++r) {
        out += "<tr>";
        for (Integer c : cols) {
          cell("td", CellClass, c, r, GetElem(c, r));
          progress.Cell();
        }
        out += "</tr>\n";
        flush(false);
      }
    }
    out += "</tbody>\n</table>\n</body>\n</html>\n";
    flush(true);
  });
}

}  // namespace jox
