// CSV as spreadsheets write it (quoted fields may hold delimiters, quotes and line breaks), and
// plain text lines into one column. Files are written as UTF-8 with a byte-order mark and read in
// the encodings ReadTextFileUtf8 recognises.
#include <algorithm>
#include <cstring>

#include "replist/rldata_internal.h"

namespace jox {

namespace {

constexpr char kBom[] = "\xEF\xBB\xBF";

void AppendField(std::string& out, const String& text, char delim) {
  const std::string t = ToUtf8(text);
  const bool quote = t.find_first_of(std::string{delim, '"', '\r', '\n'}) != std::string::npos ||
                     (!t.empty() && (t.front() == ' ' || t.front() == '\t' || t.back() == ' ' || t.back() == '\t'));
  if (!quote) {
    out += t;
    return;
  }
  out += '"';
  for (char c : t) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

void AppendRecord(std::string& out, const std::vector<String>& fields, char delim) {
  // A lone empty field is written as "" so that the record is not an empty line readers skip.
  if (fields.size() == 1 && fields[0].empty()) out += "\"\"";
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i) out += delim;
    AppendField(out, fields[i], delim);
  }
  out += "\r\n";
}

// Splits CSV text into records of fields. False for a quoted field that never ends.
struct TCSVReader {
  // Blank lines at the end hold no record.
  TCSVReader(std::string_view D, char Delimiter)
      : Data(D.substr(0, D.find_last_not_of("\r\n") + 1)), Delim(Delimiter) {}
  std::string_view Data;
  char Delim;
  size_t Pos = 0;

  // Whether the next line is empty (the common header stands alone above one).
  bool AtBlankLine() const { return Pos < Data.size() && (Data[Pos] == '\n' || Data[Pos] == '\r'); }
  void SkipLine() {
    if (Pos < Data.size() && Data[Pos] == '\r') ++Pos;
    if (Pos < Data.size() && Data[Pos] == '\n') ++Pos;
  }

  // The next record into Fields (texts appended to Text); false at the end of the data.
  bool Next(std::vector<std::pair<size_t, size_t>>& Fields, std::string& Text, bool& Broken) {
    Fields.clear();
    if (Pos >= Data.size()) return false;
    for (;;) {
      const size_t start = Text.size();
      if (Pos < Data.size() && Data[Pos] == '"') {
        ++Pos;
        for (;;) {
          const size_t q = Data.find('"', Pos);
          if (q == std::string_view::npos) {
            Broken = true;
            return false;
          }
          Text.append(Data.substr(Pos, q - Pos));
          Pos = q + 1;
          if (Pos < Data.size() && Data[Pos] == '"') {
            Text += '"';
            ++Pos;
            continue;
          }
          break;
        }
      }
      // Unquoted text, or whatever stands between a closing quote and the delimiter.
      size_t end = Pos;
      while (end < Data.size() && Data[end] != Delim && Data[end] != '\n' && Data[end] != '\r') ++end;
      Text.append(Data.substr(Pos, end - Pos));
      Pos = end;
      Fields.emplace_back(start, Text.size() - start);
      if (Pos >= Data.size()) return true;
      const char c = Data[Pos++];
      if (c == Delim) continue;
      if (c == '\r' && Pos < Data.size() && Data[Pos] == '\n') ++Pos;
      return true;
    }
  }
};

}  // namespace

Integer TRLData::ExportCSV(const String& FName, TCSVDelimiters Delimiter, bool IncludeColHeaders,
                           bool IncludeCommonHeader, Integer FirstCol, Integer FirstRow, Integer LastCol,
                           Integer LastRow) {
  const Integer c1 = std::max(FirstCol, 1), c2 = std::min(LastCol, FNrOfCols);
  const Integer r1 = std::max(FirstRow, 1), r2 = std::min(LastRow, FNrOfRows);
  const char delim = char(CSVDelimiterChar(Delimiter));
  Integer rows = 0;
  SaveFileSafely(FName, [&](TStream& f) {
    std::string out = kBom;
    auto flush = [&](bool force) {
      if (force || out.size() > (1 << 20)) {
        f.WriteBuffer(out.data(), Int64(out.size()));
        out.clear();
      }
    };
    std::vector<String> fields;
    // UTF-8 has no place for an unpaired surrogate; rather than write U+FFFD the export is refused.
    auto storable = [&](const String& t, Integer c, Integer r) -> const String& {
      if (FindLoneSurrogate(t) != String::npos)
        throw EJOXRLDataError(u"Component \"" + Name() + u"\": the text of [" + IntToStr(c) + u"," + IntToStr(r) +
                              u"] holds an unpaired surrogate, which a CSV file cannot store");
      return t;
    };
    auto text = [&](Integer c, Integer r, String t) {
      if (FOnExportText) FOnExportText(this, c, r, t);
      return storable(t, c, r);
    };
    if (IncludeCommonHeader) {
      AppendRecord(out, {storable(FCommonHeader, 0, 0)}, delim);
      out += "\r\n";  // the empty line tells the common header from the column names
    }
    if (c1 <= c2) {
      if (IncludeColHeaders) {
        for (Integer c = c1; c <= c2; ++c) fields.push_back(text(c, 0, GetColName(c)));
        AppendRecord(out, fields, delim);
      }
      TRLProgress progress(*this);
      for (Integer r = r1; r <= r2; ++r, ++rows) {
        fields.clear();
        for (Integer c = c1; c <= c2; ++c) {
          fields.push_back(text(c, r, GetElem(c, r)));
          progress.Cell();
        }
        AppendRecord(out, fields, delim);
        flush(false);
      }
    }
    flush(true);
  });
  return rows;
}

Integer TRLData::ImportCSV(const String& FName, TCSVDelimiters Delimiter, bool IncludeColHeaders) {
  const std::string data = ReadTextFileUtf8(FName);
  TCSVReader reader(data, char(CSVDelimiterChar(Delimiter)));
  TRLStaging S;
  std::vector<std::pair<size_t, size_t>> fields;
  std::string text;
  std::vector<String> names;
  bool broken = false, header = IncludeColHeaders;
  Integer row = 0;
  size_t widest = 1;
  while (reader.Next(fields, text, broken)) {
    widest = std::max(widest, fields.size());
    // A record can never outgrow the input, but the count of rows times the widest record can.
    if (Int64(widest) * (Int64(row) + 1) > TStringArray::MaxCells) return -1;
    if (header && fields.size() == 1 && names.empty() && !S.HaveHeader && reader.AtBlankLine()) {
      // A lone field above an empty line is the common header that ExportCSV writes.
      S.CommonHeader = FromUtf8(std::string_view(text).substr(fields[0].first, fields[0].second));
      S.HaveHeader = true;
      reader.SkipLine();
      widest = 1;
    } else if (header) {
      for (auto [off, len] : fields) names.push_back(FromUtf8(std::string_view(text).substr(off, len)));
      header = false;
    } else {
      ++row;
      for (size_t c = 0; c < fields.size(); ++c)
        if (fields[c].second) S.AddCell(Integer(c) + 1, row, FromUtf8(std::string_view(text).substr(fields[c].first, fields[c].second)));
    }
    text.clear();
  }
  if (broken) return -1;
  S.NrOfColumns = Integer(widest);
  S.NrOfRows = row;
  if (!S.FitsStore()) return -1;
  S.Names.resize(widest);
  for (size_t c = 0; c < widest; ++c) S.Names[c] = c < names.size() ? names[c] : u"C-" + IntToStr(Int64(c) + 1);
  S.Formats.assign(widest, String());
  S.Modes.assign(widest, cmNone);
  TRLDataAccess::Adopt(*this, S);
  return row;
}

Integer TRLData::LoadLinesFromFile(Integer Column, Integer FirstRow, const String& FName) {
  if (!ValidCol(Column) || FirstRow < 1) return -1;
  const std::string data = ReadTextFileUtf8(FName);
  std::vector<std::string_view> lines;
  for (size_t pos = 0; pos < data.size();) {
    const size_t e = data.find_first_of("\r\n", pos);
    if (e == std::string::npos) {
      lines.push_back(std::string_view(data).substr(pos));
      break;
    }
    lines.push_back(std::string_view(data).substr(pos, e - pos));
    pos = e + 1 + (data[e] == '\r' && e + 1 < data.size() && data[e + 1] == '\n');
  }
  if (lines.empty()) return 0;
  const Int64 last = Int64(FirstRow) + Int64(lines.size()) - 1;
  if ((Int64(FNrOfCols) + 1) * (last + 1) > TStringArray::MaxCells) return -1;
  if (last > FNrOfRows) SetNrRows(Integer(last));
  TQuietStore quiet(Strings);
  TRLProgress progress(*this, Int64(lines.size()));
  for (size_t i = 0; i < lines.size(); ++i) {
    SetElem(Column, FirstRow + Integer(i), FromUtf8(lines[i]));
    progress.Cell();
  }
  return Integer(lines.size());
}

}  // namespace jox
