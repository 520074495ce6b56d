// CSV export as spreadsheets read it (quoted fields may hold delimiters, quotes and line breaks),
// written as UTF-8 with a byte-order mark, and plain text lines read into one column. The CSV
// reader is in rldata_csv_import.cpp.
#include <algorithm>
#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "replist/rldata_internal.h"
#include "package/core/fileutil.h"

namespace jox {

namespace {

constexpr char kBom[] = "\xEF\xBB\xBF";

// Writes fields as UTF-8, quoted as spreadsheets do when they hold the delimiter, a quote or a
// line break or have blanks at their ends.
class TCSVFieldWriter {
 public:
  explicit TCSVFieldWriter(char Delim) : FDelim(Delim) {
    for (char c : {Delim, '"', '\r', '\n'}) FQuoteFor[uint8_t(c) & 0x7F] = uint8_t(c) < 0x80;
  }
  // Needs room for 6 bytes per character and 2; false (nothing written) for a text with an
  // unpaired surrogate, which UTF-8 cannot hold.
  // Readable: where the memory holding t may be read up to (at least t's end), for loads of eight
  // units that run past a short text.
  inline __attribute__((always_inline)) bool Put(char*& out, std::u16string_view t, const char16_t* Readable) const {
    char* p = out;
    bool quote = !t.empty() && (t.front() == u' ' || t.front() == u'\t' || t.back() == u' ' || t.back() == u'\t');
    size_t i = AsciiRun(p, t, Readable);
    for (; i < t.size(); ++i) {
      const char16_t c = t[i];
      if (c < 0x80) {
        quote |= FQuoteFor[c];
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

 private:
  // Copies the leading units of t that are plain ASCII, eight at a time, up to the first that
  // needs a look (a character beyond ASCII or one that asks for quotes); returns how many. The
  // out side has room for eight bytes past each of them.
  size_t AsciiRun(char*& p, std::u16string_view t, const char16_t* Readable) const {
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i high = _mm_set1_epi16(short(0xFF80)), zero = _mm_setzero_si128();
    const __m128i d = _mm_set1_epi16(short(uint8_t(FDelim))), q = _mm_set1_epi16('"');
    const __m128i cr = _mm_set1_epi16('\r'), lf = _mm_set1_epi16('\n');
    while (i < t.size() && t.data() + i + 8 <= Readable) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t.data() + i));
      const __m128i plain = _mm_cmpeq_epi16(_mm_and_si128(v, high), zero);
      const __m128i special = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(v, d), _mm_cmpeq_epi16(v, q)),
                                           _mm_or_si128(_mm_cmpeq_epi16(v, cr), _mm_cmpeq_epi16(v, lf)));
      const unsigned ok = unsigned(_mm_movemask_epi8(_mm_andnot_si128(special, plain)));
      // Units past the text count as plain; the run stops at the text's end either way.
      const size_t run = std::min<size_t>(ok == 0xFFFF ? 8 : size_t(__builtin_ctz(~ok)) / 2, t.size() - i);
      _mm_storel_epi64(reinterpret_cast<__m128i*>(p), _mm_packus_epi16(v, v));
      p += run;
      i += run;
      if (run < 8) return i;
    }
#endif
    // Four units in a word: none beyond ASCII, none equal to one of the four that ask for quotes.
    constexpr uint64_t kLow = 0x0001000100010001ull, kHigh = 0x8000800080008000ull;
    auto holds = [](uint64_t w, char c) {
      const uint64_t x = w ^ (uint64_t(uint8_t(c)) * kLow);
      return ((x - kLow) & ~x & kHigh) != 0;
    };
    for (; i + 4 <= t.size(); i += 4) {
      uint64_t w;
      std::memcpy(&w, t.data() + i, 8);
      if ((w & 0xFF80FF80FF80FF80ull) || holds(w, FDelim) || holds(w, '"') || holds(w, '\r') || holds(w, '\n'))
        break;
      const uint32_t b = uint32_t((w & 0xFF) | ((w >> 8) & 0xFF00) | ((w >> 16) & 0xFF0000) | ((w >> 24) & 0xFF000000));
      std::memcpy(p, &b, 4);
      p += 4;
    }
    return i;
  }

  char FDelim;
  bool FQuoteFor[128] = {};
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
    const TCSVFieldWriter writer(delim);
    auto unpaired = [&](Integer c, Integer r) {
      throw EJOXRLDataError(u"Component \"" + Name() + u"\": the text of [" + IntToStr(c) + u"," + IntToStr(r) +
                            u"] holds an unpaired surrogate, which a CSV file cannot store");
    };
    auto field = [&](std::u16string_view t, Integer c, Integer r, bool first) {
      char* p = out.Room(6 * t.size() + 8);
      if (!first) *p++ = delim;
      if (!writer.Put(p, t, t.data() + t.size())) unpaired(c, r);
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
      const size_t n = size_t(c2 - c1) + 1;
      std::vector<char> marked;
      for (Integer c = c1; c <= c2; ++c) marked.push_back(IsCheckCol(c));
      std::vector<std::u16string_view> row(n);
      const char16_t* const texts = Strings->TextsEnd();
      const bool anyMarked = std::find(marked.begin(), marked.end(), char(1)) != marked.end();
      // Room for the longest texts in every field: no cell holds more than MaxCellLength units.
      const size_t roomPerRow = n * (6 * size_t(MaxCellLength) + 3) + 4;
      for (Integer r = r1; r <= r2; ++r, ++rows) {
        if (FOnExportText) {
          for (Integer c = c1; c <= c2; ++c) {
            std::u16string_view t = Strings->GetView(c, r);
            if (marked[size_t(c - c1)] && !t.empty()) t.remove_prefix(1);  // the text behind the mark
            t = text(t, c, r);
            if (c1 == c2) lone(t);
            field(t, c, r, c == c1);
          }
          out.Put("\r\n");
          progress.Cells(Int64(n));
          continue;
        }
        // The common case: the stored texts as they are, the whole record into room taken once.
        Strings->GetRowViews(r, c1, n, row.data());
        if (anyMarked)
          for (size_t k = 0; k < n; ++k)
            if (marked[k] && !row[k].empty()) row[k].remove_prefix(1);  // the text behind the mark
        char* p = out.Room(roomPerRow);
        for (size_t k = 0; k < n; ++k) {
          if (k) *p++ = delim;
          if (n == 1 && row[k].empty()) *p++ = '"', *p++ = '"';
          if (!writer.Put(p, row[k], texts)) unpaired(c1 + Integer(k), r);
        }
        *p++ = '\r';
        *p++ = '\n';
        out.Commit(p);
        progress.Cells(Int64(n));
      }
    }
    out.Flush();
  });
  return rows;
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
