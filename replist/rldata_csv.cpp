// CSV as spreadsheets write it (quoted fields may hold delimiters, quotes and line breaks), and
// plain text lines into one column. Files are written as UTF-8 with a byte-order mark and read in
// the encodings TextBytesToUtf8 recognises.
#include <algorithm>
#include <cstring>

#include "replist/rldata_internal.h"

namespace jox {

namespace {

constexpr char kBom[] = "\xEF\xBB\xBF";

// A field as UTF-8, quoted as spreadsheets do when it holds the delimiter, a quote or a line
// break or has blanks at its ends. Needs room for 6 bytes per character and 2; false (nothing
// written) for a text with an unpaired surrogate, which UTF-8 cannot hold.
bool PutField(char*& out, std::u16string_view t, char delim) {
  char* p = out;
  bool quote = !t.empty() && (t.front() == u' ' || t.front() == u'\t' || t.back() == u' ' || t.back() == u'\t');
  for (size_t i = 0; i < t.size(); ++i) {
    const char16_t c = t[i];
    if (c < 0x80) {
      quote |= c == char16_t(uint8_t(delim)) || c == u'"' || c == u'\r' || c == u'\n';
      *p++ = char(c);
    } else if (!PutUtf8(p, c, t, i)) {
      return false;
    }
  }
  if (quote) {  // seldom: write it again, between quotes
    p = out;
    *p++ = '"';
    for (size_t i = 0; i < t.size(); ++i) {
      const char16_t c = t[i];
      if (c == u'"') *p++ = '"';
      if (c < 0x80) *p++ = char(c);
      else PutUtf8(p, c, t, i);
    }
    *p++ = '"';
  }
  out = p;
  return true;
}

// Splits CSV text into records of fields, finding line ends, delimiters and quotes with memchr.
struct TCSVReader {
  // Blank lines at the end hold no record.
  TCSVReader(std::string_view D, char Delimiter)
      : Data(D.substr(0, D.find_last_not_of("\r\n") + 1)), Delim(Delimiter) {}
  std::string_view Data;
  char Delim;
  size_t Pos = 0;
  // A field: Len bytes at Off of Data, or of Quoted for a field that had quotes.
  struct TField {
    size_t Off, Len;
    bool InQuoted;
  };
  std::vector<TField> Fields;
  std::string Quoted;

  std::string_view Text(const TField& f) const {
    return (f.InQuoted ? std::string_view(Quoted) : Data).substr(f.Off, f.Len);
  }
  // Whether the next line is empty (the common header stands alone above one).
  bool AtBlankLine() const { return Pos < Data.size() && (Data[Pos] == '\n' || Data[Pos] == '\r'); }
  void SkipLine() {
    if (Pos < Data.size() && Data[Pos] == '\r') ++Pos;
    if (Pos < Data.size() && Data[Pos] == '\n') ++Pos;
  }
  size_t Find(char c, size_t from, size_t to) const {
    const void* hit = from < to ? std::memchr(Data.data() + from, c, to - from) : nullptr;
    return hit ? size_t(static_cast<const char*>(hit) - Data.data()) : to;
  }
  // The first CR or LF from From on (the end of the data when there is none). The next LF is
  // remembered, so a file of CR line ends is not searched to its end per line.
  size_t NextLF = 0;
  bool HaveLF = false;
  size_t LineEnd(size_t From) {
    if (!HaveLF || NextLF < From) {
      NextLF = Find('\n', From, Data.size());
      HaveLF = true;
    }
    return Find('\r', From, NextLF);
  }

  // The next record into Fields; false at the end of the data and for a quoted field that never
  // ends (Broken).
  bool Next(bool& Broken) {
    Fields.clear();
    Quoted.clear();
    if (Pos >= Data.size()) return false;
    size_t eol = LineEnd(Pos);
    for (;;) {
      if (Pos < Data.size() && Data[Pos] == '"') {
        const size_t start = Quoted.size();
        ++Pos;
        for (;;) {
          const size_t q = Find('"', Pos, Data.size());
          if (q == Data.size()) {
            Broken = true;
            return false;
          }
          Quoted.append(Data.substr(Pos, q - Pos));
          Pos = q + 1;
          if (Pos < Data.size() && Data[Pos] == '"') {
            Quoted += '"';
            ++Pos;
            continue;
          }
          break;
        }
        if (Pos > eol) eol = LineEnd(Pos);  // the quotes held line breaks
        // Whatever stands between the closing quote and the delimiter belongs to the field.
        const size_t end = Find(Delim, Pos, eol);
        Quoted.append(Data.substr(Pos, end - Pos));
        Pos = end;
        Fields.push_back({start, Quoted.size() - start, true});
      } else {
        const size_t end = Find(Delim, Pos, eol);
        Fields.push_back({Pos, end - Pos, false});
        Pos = end;
      }
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
    TBlockOut out([&f](std::string_view s) { f.WriteBuffer(s.data(), Int64(s.size())); });
    out.Put(kBom);
    // UTF-8 has no place for an unpaired surrogate; rather than write U+FFFD the export is refused.
    auto field = [&](std::u16string_view t, Integer c, Integer r, bool first) {
      char* p = out.Room(6 * t.size() + 8);
      if (!first) *p++ = delim;
      if (!PutField(p, t, delim))
        throw EJOXRLDataError(u"Component \"" + Name() + u"\": the text of [" + IntToStr(c) + u"," + IntToStr(r) +
                              u"] holds an unpaired surrogate, which a CSV file cannot store");
      out.Commit(p);
    };
    // The handler may change a text, so it gets a copy; without one the stored text is written as it is.
    String changed;
    auto text = [&](std::u16string_view t, Integer c, Integer r) -> std::u16string_view {
      if (!FOnExportText) return t;
      changed.assign(t);
      FOnExportText(this, c, r, changed);
      return changed;
    };
    // A lone empty field is written as "" so that the record is not an empty line readers skip.
    auto lone = [&](std::u16string_view t) {
      if (t.empty()) out.Put("\"\"");
    };
    if (IncludeCommonHeader) {
      lone(FCommonHeader);
      field(FCommonHeader, 0, 0, true);
      out.Put("\r\n\r\n");  // the empty line tells the common header from the column names
    }
    if (c1 <= c2) {
      if (IncludeColHeaders) {
        for (Integer c = c1; c <= c2; ++c) {
          const std::u16string_view t = text(FColName[size_t(c) - 1], c, 0);
          if (c1 == c2) lone(t);
          field(t, c, 0, c == c1);
        }
        out.Put("\r\n");
      }
      TRLProgress progress(*this);
      for (Integer r = r1; r <= r2; ++r, ++rows) {
        for (Integer c = c1; c <= c2; ++c) {
          std::u16string_view t = Strings->GetView(c, r);
          if (IsCheckCol(c) && !t.empty()) t.remove_prefix(1);  // the text behind the mark
          t = text(t, c, r);
          if (c1 == c2) lone(t);
          field(t, c, r, c == c1);
          progress.Cell();
        }
        out.Put("\r\n");
      }
    }
    out.Flush();
  });
  return rows;
}

Integer TRLData::ImportCSV(const String& FName, TCSVDelimiters Delimiter, bool IncludeColHeaders) {
  return ReadGuarded(*this, [&]() -> Integer {
    std::string bytes = ReadFileBytes(FName);
    TCSVReader reader(TextBytesAsUtf8(bytes), char(CSVDelimiterChar(Delimiter)));
    TRLStaging S;
    TStringArray::TLoader L;
    std::vector<String> names;
    bool broken = false, header = IncludeColHeaders;
    Integer row = 0;
    size_t widest = 1;
    TRLProgress progress(*this, Int64(reader.Data.size()));
    // Rows are bounded by the input (each costs a line end), so all go straight into the table.
    L.AllowRows(INT32_MAX);
    L.Reserve(0, reader.Data.size());
    while (reader.Next(broken)) {
      const std::vector<TCSVReader::TField>& fields = reader.Fields;
      widest = std::max(widest, fields.size());
      // A record can never outgrow the input, but the count of rows times the widest record can.
      if (Int64(widest) * (Int64(row) + 1) > TStringArray::MaxCells) return -1;
      if (header && fields.size() == 1 && names.empty() && !S.HaveHeader && reader.AtBlankLine()) {
        // A lone field above an empty line is the common header that ExportCSV writes.
        S.CommonHeader = FromUtf8(reader.Text(fields[0]));
        S.HaveHeader = true;
        reader.SkipLine();
        widest = 1;
      } else if (header) {
        for (const auto& f : fields) names.push_back(FromUtf8(reader.Text(f)));
        header = false;
      } else {
        if (++row == 1) {
          // The first record lays out the table; room for as many more as the bytes suggest.
          L.SetColumns(Integer(fields.size()));
          const size_t used = std::max<size_t>(reader.Pos, 1), left = reader.Data.size() - reader.Pos;
          const Int64 rows = std::min<Int64>(Int64(left / used + 1) * 9 / 8 + 16, INT32_MAX - 1);
          if (rows * Int64(fields.size() + 1) * 8 <= Int64(reader.Data.size()) * 4) L.Reserve(Integer(rows), 0);
        }
        for (size_t c = 0; c < fields.size(); ++c) {
          const std::string_view t = reader.Text(fields[c]);
          if (t.empty()) continue;
          char16_t* out = L.Room(std::min<size_t>(t.size(), MaxCellLength + 1));
          L.Place(Integer(c) + 1, row, Utf8ToUtf16(t, out, MaxCellLength));
        }
      }
      progress.At(Int64(reader.Pos));
    }
    if (broken) return -1;
    S.NrOfColumns = Integer(widest);
    S.NrOfRows = row;
    if (!S.FitsStore()) return -1;
    S.Names.resize(widest);
    for (size_t c = 0; c < widest; ++c) S.Names[c] = c < names.size() ? names[c] : u"C-" + IntToStr(Int64(c) + 1);
    S.Formats.assign(widest, String());
    S.Modes.assign(widest, cmNone);
    bytes = {};
    TRLDataAccess::Adopt(*this, S, L);
    return row;
  });
}

Integer TRLData::LoadLinesFromFile(Integer Column, Integer FirstRow, const String& FName) {
  if (!ValidCol(Column) || FirstRow < 1) return -1;
  std::string bytes = ReadFileBytes(FName);
  const std::string_view data = TextBytesAsUtf8(bytes);
  std::vector<std::string_view> lines;
  for (size_t pos = 0; pos < data.size();) {
    const size_t e = data.find_first_of("\r\n", pos);
    if (e == std::string_view::npos) {
      lines.push_back(data.substr(pos));
      break;
    }
    lines.push_back(data.substr(pos, e - pos));
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
