// CSV import: the file is read in blocks and each record decoded from the block straight into the
// new table's text pool, sixteen bytes at a time where they are plain ASCII. A file that is not
// UTF-8 (a UTF-16 byte-order mark, bytes UTF-8 does not allow) is read again whole through
// TextBytesAsUtf8, which converts it.
#include <algorithm>
#include <cstring>
#include <functional>
#include <utility>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "package/core/fileutil.h"
#include "package/framework/base/streams.h"
#include "replist/rldata_internal.h"

namespace jox {

namespace {

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// The units a field decodes into before the rest is only scanned: the longest cell and the one
// after it, which tells the store whether the cut parts a surrogate pair.
constexpr size_t kFieldUnits = size_t(TStringArray::MaxCellLength) + 2;
#if defined(JOX_FUZZ_BUILD)
constexpr size_t kBlock = 64;  // so that the fuzzers' short inputs cross many block ends
#else
constexpr size_t kBlock = size_t(1) << 20;
#endif

class TCSVImport {
 public:
  // Fills Buf from its end on, returns how many bytes it gave (0 at the end).
  using TSource = std::function<size_t(char* Buf, size_t Room)>;
  enum TResult { rDone, rBroken, rNotUtf8 };

  // Lenient: bytes that are no UTF-8 read as U+FFFD instead of ending the run with rNotUtf8.
  TCSVImport(TRLData& D, char Delim, bool Header, bool Lenient, Int64 Size, TSource Source)
      : FDelim(Delim), FLenient(Lenient), FHeader(Header), FSize(std::max<Int64>(Size, 1)), FSource(std::move(Source)), FProgress(D, Size) {
    FBuf.resize(kBlock);
  }
  // Reads every record; the table waits in Loader and Staging.
  TResult Run();
  // The first bytes, for telling encodings apart before the run.
  std::string_view Peek(size_t n) {
    while (FEnd < n && !FEof) Refill();
    return std::string_view(FBuf.data(), std::min(n, FEnd));
  }
  // Passes over n bytes (a byte-order mark), after which the text is read leniently or not.
  void Skip(size_t n, bool Lenient) {
    FPos = FRecord = n;
    FLenient = Lenient;
  }

  TStringArray::TLoader Loader;
  TRLStaging Staging;
  Integer Rows = 0;
  bool TooLarge = false;

 private:
  enum TStatus { sRecord, sMore, sBroken, sNotUtf8 };
  // Bytes left behind in the block: the record that is being read and what follows it.
  void Refill();
  // Whether a byte other than a line end stands at or after Pos; sMore when the block ends first.
  TStatus DataFollows(size_t Pos, bool& Follows);
  // One record whose fields come out as UTF-8 bytes, for the records before the table is laid out.
  TStatus SlowRecord(std::vector<std::string>& Fields);
  // One record decoded straight into the table's row FRow + 1; Fields counts its fields.
  TStatus FastRecord(size_t& Fields);
  // Decodes one character beyond ASCII at FPos to Out (advancing both); sMore when the block cuts it.
  TStatus Wide(char16_t*& Out, const char16_t* Stop);
  // A quote at FPos inside quotes: Doubled for "" (one quote of the text), else the quotes end.
  TStatus Quote(bool& Quoted, bool& Doubled);
  // Ends the field at FPos: sRecord at a delimiter (Last false) or a line end or the data's end.
  TStatus EndField(bool& Last);
  // The record handler once its fields are known (the header records and the first data record).
  bool Record(const std::vector<std::string>& Fields, bool BlankFollows);
  bool CountRow(size_t Fields);
  // Line ends from FPos to the end of the block, and one.
  size_t LineEnds() const;

  const char FDelim;
  bool FLenient;
  bool FHeader;
  bool FSkipLine = false;                  // the common header was taken: its empty line goes too
  const Int64 FSize;
  TSource FSource;
  TRLProgress FProgress;
  std::string FBuf;
  size_t FPos = 0, FEnd = 0, FRecord = 0;  // in FBuf: the next byte, the end of the bytes, the record's start
  Int64 FBase = 0;                         // file offset of FBuf[0]
  bool FEof = false;
  size_t FDataAt = 0;                      // a byte other than a line end is known to stand there
  bool FHaveDataAt = false;
  size_t FBlank = 0;                       // blank lines read but not yet known not to end the data
  bool FLaidOut = false;
  std::vector<String> FNames;
  size_t FWidest = 1;
};

void TCSVImport::Refill() {
  // Keep the record being read; make room by moving it to the front, or by growing for a long one.
  if (FRecord > 0) {
    std::memmove(FBuf.data(), FBuf.data() + FRecord, FEnd - FRecord);
    FBase += Int64(FRecord);
    FEnd -= FRecord;
    FPos -= FRecord;
    // What is known to follow moves along, unless it lay before the record and is gone.
    FHaveDataAt = FHaveDataAt && FDataAt >= FRecord;
    if (FHaveDataAt) FDataAt -= FRecord;
    FRecord = 0;
  }
  if (FEnd == FBuf.size()) FBuf.resize(FBuf.size() * 2);
  const size_t got = FSource(FBuf.data() + FEnd, FBuf.size() - FEnd);
  FEnd += got;
  FEof = got == 0;
}

TCSVImport::TStatus TCSVImport::DataFollows(size_t Pos, bool& Follows) {
  if (FHaveDataAt && FDataAt >= Pos) {
    Follows = true;
    return sRecord;
  }
  size_t p = Pos;
  while (p < FEnd && IsLineEnd(FBuf[p])) ++p;
  if (p == FEnd && !FEof) return sMore;
  Follows = p < FEnd;
  if (Follows) FDataAt = p, FHaveDataAt = true;
  return sRecord;
}

TCSVImport::TStatus TCSVImport::EndField(bool& Last) {
  if (FPos >= FEnd) {
    if (!FEof) return sMore;
    Last = true;
    return sRecord;
  }
  const char c = FBuf[FPos];
  if (c == FDelim) {
    ++FPos;
    Last = false;
    return sRecord;
  }
  // A line end: CR LF, LF or a lone CR.
  if (c == '\r') {
    if (FPos + 1 >= FEnd && !FEof) return sMore;
    FPos += FPos + 1 < FEnd && FBuf[FPos + 1] == '\n' ? 2 : 1;
  } else {
    ++FPos;
  }
  Last = true;
  return sRecord;
}

TCSVImport::TStatus TCSVImport::Quote(bool& Quoted, bool& Doubled) {
  // A doubled quote stands for one; a single one ends the quotes, and whatever follows up to the
  // delimiter still belongs to the field.
  if (FPos + 1 >= FEnd && !FEof) return sMore;
  Doubled = FPos + 1 < FEnd && FBuf[FPos + 1] == '"';
  if (!Doubled) Quoted = false;
  FPos += Doubled ? 2 : 1;
  return sRecord;
}

TCSVImport::TStatus TCSVImport::Wide(char16_t*& Out, const char16_t* Stop) {
  const unsigned char b = FBuf[FPos];
  const int extra = (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
  bool ok = extra > 0;
  char32_t c = b & (0x3F >> std::max(extra, 0));
  if (ok && FPos + size_t(extra) >= FEnd && !FEof) return sMore;
  for (int k = 1; ok && k <= extra; ++k) {
    const unsigned char t = FPos + size_t(k) < FEnd ? FBuf[FPos + size_t(k)] : 0;
    ok = (t & 0xC0) == 0x80;
    c = (c << 6) | (t & 0x3F);
  }
  static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
  ok = ok && c >= kMin[extra] && c <= 0x10FFFF && (c < 0xD800 || c >= 0xE000);
  if (!ok && !FLenient) return sNotUtf8;
  if (!ok) c = 0xFFFD;  // as FromUtf8 reads it: one byte, one replacement
  FPos += ok ? size_t(extra) + 1 : 1;
  if (Out >= Stop) return sRecord;
  if (c >= 0x10000) {
    c -= 0x10000;
    *Out++ = char16_t(0xD800 + (c >> 10));
    *Out++ = char16_t(0xDC00 + (c & 0x3FF));
  } else {
    *Out++ = char16_t(c);
  }
  return sRecord;
}

TCSVImport::TStatus TCSVImport::FastRecord(size_t& Fields) {
  Fields = 0;
  for (bool last = false; !last; ++Fields) {
    char16_t* const start = Loader.Room(kFieldUnits + 16);
    char16_t* out = start;
    const char16_t* const stop = start + kFieldUnits;
    bool quoted = FPos < FEnd && FBuf[FPos] == '"';
    if (quoted) ++FPos;
    for (;;) {
#if defined(__SSE2__)
      // Sixteen bytes at a time up to the first that asks for a look.
      const __m128i d = _mm_set1_epi8(quoted ? '"' : FDelim), q = _mm_set1_epi8('"');
      const __m128i cr = _mm_set1_epi8(quoted ? '"' : '\r'), lf = _mm_set1_epi8(quoted ? '"' : '\n');
      while (FPos + 16 <= FEnd) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(FBuf.data() + FPos));
        const __m128i look = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, d), _mm_cmpeq_epi8(v, q)),
                                          _mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)));
        const unsigned mask = unsigned(_mm_movemask_epi8(_mm_or_si128(look, v)));  // v: bytes beyond ASCII
        const size_t plain = mask ? size_t(__builtin_ctz(mask)) : 16;
        if (out < stop) {
          const __m128i zero = _mm_setzero_si128();
          _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi8(v, zero));
          _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 8), _mm_unpackhi_epi8(v, zero));
          out += plain;
        }
        FPos += plain;
        if (mask) break;
      }
#endif
      if (FPos >= FEnd) {
        if (!FEof) return sMore;
        if (quoted) return sBroken;
        break;
      }
      const char c = FBuf[FPos];
      if (static_cast<unsigned char>(c) >= 0x80) {
        if (const TStatus s = Wide(out, stop); s != sRecord) return s;
        continue;
      }
      if (c == '"' && quoted) {
        bool doubled = false;
        if (const TStatus s = Quote(quoted, doubled); s != sRecord) return s;
        if (doubled && out < stop) *out++ = u'"';
        continue;
      }
      if (!quoted && (c == FDelim || IsLineEnd(c))) break;
      if (out < stop) *out++ = char16_t(c);
      ++FPos;
    }
    if (const TStatus s = EndField(last); s != sRecord) return s;
    if (out > start) Loader.Place(Integer(Fields) + 1, Rows + 1, size_t(out - start));
  }
  return sRecord;
}

TCSVImport::TStatus TCSVImport::SlowRecord(std::vector<std::string>& Fields) {
  Fields.clear();
  for (bool last = false; !last;) {
    std::string& f = Fields.emplace_back();
    bool quoted = FPos < FEnd && FBuf[FPos] == '"';
    if (quoted) ++FPos;
    for (;;) {
      if (FPos >= FEnd) {
        if (!FEof) return sMore;
        if (quoted) return sBroken;
        break;
      }
      const char c = FBuf[FPos];
      if (c == '"' && quoted) {
        bool doubled = false;
        if (const TStatus s = Quote(quoted, doubled); s != sRecord) return s;
        if (doubled) f += '"';
        continue;
      }
      if (!quoted && (c == FDelim || IsLineEnd(c))) break;
      f += c;
      ++FPos;
    }
    if (!FLenient && !IsValidUtf8(f)) return sNotUtf8;
    if (const TStatus s = EndField(last); s != sRecord) return s;
  }
  return sRecord;
}

size_t TCSVImport::LineEnds() const {
  size_t n = 0;
  for (const char c : {'\n', '\r'}) {
    for (const char *p = FBuf.data() + FPos, *e = FBuf.data() + FEnd;
         (p = static_cast<const char*>(std::memchr(p, c, size_t(e - p)))); ++p)
      ++n;
    if (n) break;  // a file of lone CRs has no LF
  }
  return n + 1;
}

bool TCSVImport::CountRow(size_t Fields) {
  FWidest = std::max(FWidest, Fields);
  ++Rows;
  // A record can never outgrow the input, but the count of rows times the widest record can.
  return Int64(FWidest) * (Int64(Rows) + 1) <= TStringArray::MaxCells;
}

bool TCSVImport::Record(const std::vector<std::string>& Fields, bool BlankFollows) {
  if (FHeader && Fields.size() == 1 && FNames.empty() && !Staging.HaveHeader && BlankFollows) {
    // A lone field above an empty line is the common header that ExportCSV writes.
    Staging.CommonHeader = FromUtf8(Fields[0]);
    Staging.HaveHeader = true;
    FSkipLine = true;
    return true;
  }
  if (FHeader) {
    FWidest = std::max(FWidest, Fields.size());
    for (const std::string& f : Fields) FNames.push_back(FromUtf8(f));
    FHeader = false;
    return Int64(FWidest) <= TStringArray::MaxCells;
  }
  if (!FLaidOut) {
    // The first record lays out the table, with room for as many rows as the lines in the block
    // suggest: growing the table later would copy it.
    FLaidOut = true;
    Loader.SetColumns(Integer(Fields.size()));
    const Int64 left = std::max<Int64>(FSize - FBase - Int64(FPos), 0);
    const Int64 rows = std::min<Int64>(left * Int64(LineEnds()) / Int64(std::max<size_t>(FEnd - FPos, 1)) * 17 / 16 + 16,
                                       INT32_MAX - 1);
    if (rows * Int64(Fields.size() + 1) * 8 <= FSize * 4) Loader.Reserve(Integer(rows), 0);
  }
  for (size_t c = 0; c < Fields.size(); ++c) {
    const std::string& t = Fields[c];
    if (t.empty()) continue;
    char16_t* out = Loader.Room(std::min<size_t>(t.size(), kFieldUnits));
    Loader.Place(Integer(c) + 1, Rows + 1, Utf8ToUtf16(t, out, kFieldUnits - 1));
  }
  return CountRow(Fields.size());
}

TCSVImport::TResult TCSVImport::Run() {
  // Rows are bounded by the input (each costs a line end), so all go straight into the table.
  Loader.AllowRows(INT32_MAX);
  Loader.Reserve(0, size_t(FSize));
  std::vector<std::string> fields;
  for (;;) {
    if (FPos >= FEnd) {
      if (FEof) break;
      FRecord = FPos;
      Refill();
      continue;
    }
    FRecord = FPos;
    TStatus s = sRecord;
    if (IsLineEnd(FBuf[FPos])) {
      // A blank line, or line ends that end the data (which hold no record).
      bool follows = false;
      s = DataFollows(FPos, follows);
      if (s == sRecord && !follows) break;
      if (s == sRecord) {
        bool last;
        s = EndField(last);  // a CR at the end of the block waits for the next block
        if (s == sRecord) ++FBlank;
      }
    } else {
      // Blank lines with data after them are records of one empty field.
      while (FBlank > 0) {
        --FBlank;
        if (FLaidOut ? !CountRow(1) : !Record({std::string()}, FBlank > 0)) {
          TooLarge = true;
          return rDone;
        }
        if (std::exchange(FSkipLine, false)) --FBlank;
      }
      if (FLaidOut) {
        size_t n = 0;
        s = FastRecord(n);
        if (s == sRecord && !CountRow(n)) TooLarge = true;
      } else {
        s = SlowRecord(fields);
        bool blank = false;
        if (s == sRecord && FPos < FEnd && IsLineEnd(FBuf[FPos])) s = DataFollows(FPos, blank);
        if (s == sRecord && !Record(fields, blank)) TooLarge = true;
        bool last;
        if (std::exchange(FSkipLine, false)) EndField(last);  // the data follows, so the block holds the line
      }
      if (TooLarge) return rDone;
    }
    if (s == sMore) {
      FPos = FRecord;
      Refill();
      continue;
    }
    if (s == sBroken) return rBroken;
    if (s == sNotUtf8) return rNotUtf8;
    FProgress.At(FBase + Int64(FPos));
  }
  Staging.NrOfColumns = Integer(FWidest);
  Staging.NrOfRows = Rows;
  Staging.Names.resize(FWidest);
  for (size_t c = 0; c < FWidest; ++c)
    Staging.Names[c] = c < FNames.size() ? FNames[c] : u"C-" + IntToStr(Int64(c) + 1);
  Staging.Formats.assign(FWidest, String());
  Staging.Modes.assign(FWidest, cmNone);
  return rDone;
}

}  // namespace

Integer TRLData::ImportCSV(const String& FName, TCSVDelimiters Delimiter, bool IncludeColHeaders) {
  return ReadGuarded(*this, [&]() -> Integer {
    const char delim = char(CSVDelimiterChar(Delimiter));
    TFileStream f(FName, fmOpenRead);
    auto read = [&f](char* Buf, size_t Room) { return size_t(std::max<Int64>(f.Read(Buf, Int64(Room)), 0)); };
    auto in = std::make_unique<TCSVImport>(*this, delim, IncludeColHeaders, false, f.Size(), read);
    const std::string_view head = in->Peek(3);
    TCSVImport::TResult result = TCSVImport::rNotUtf8;
    if (head.substr(0, 2) != "\xFF\xFE" && head.substr(0, 2) != "\xFE\xFF") {
      // Behind a UTF-8 byte-order mark the text is UTF-8 whatever it holds.
      if (head == "\xEF\xBB\xBF") in->Skip(3, true);
      result = in->Run();
    }
    std::string bytes;
    if (result == TCSVImport::rNotUtf8) {
      // Another encoding: the whole file, converted, through the same reader.
      in.reset();
      bytes = ReadFileBytes(FName);
      std::string_view text = TextBytesAsUtf8(bytes);
      auto give = [&text](char* Buf, size_t Room) {
        const size_t n = std::min(Room, text.size());
        std::memcpy(Buf, text.data(), n);
        text.remove_prefix(n);
        return n;
      };
      in = std::make_unique<TCSVImport>(*this, delim, IncludeColHeaders, true, Int64(text.size()), give);
      result = in->Run();
    }
    if (result != TCSVImport::rDone || in->TooLarge || !in->Staging.FitsStore()) return -1;
    bytes = {};
    TRLDataAccess::Adopt(*this, in->Staging, in->Loader);
    return in->Rows;
  });
}

}  // namespace jox
