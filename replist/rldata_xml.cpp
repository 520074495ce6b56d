// The report-list file: one element per line (see docs/replist-file.md).
// Sections: [tags] [lines] [escaping] [opening line] [writing] [reading] [recognition]
#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <memory>

#include "replist/rldata_internal.h"
#include "package/core/fileutil.h"

namespace jox {

// [tags] ------------------------------------------------------------------------------

namespace {
const String kTagNames[] = {u"numcols", u"numrows",  u"colname",  u"checkedcolumn", u"commonheader",
                            u"columnformat", u"cell", u"comment", u"/replist", u"invalidtag"};
constexpr std::string_view kTagNamesUtf8[] = {"numcols",      "numrows", "colname", "checkedcolumn", "commonheader",
                                              "columnformat", "cell",    "comment", "/replist",      "invalidtag"};
}

const String& RepListXmlTagName(TRepListXmlTag Tag) { return kTagNames[Tag <= xmlInvalid ? Tag : xmlInvalid]; }

TRepListXmlTag RepListXmlTagOf(std::u16string_view Name) {
  for (int t = xmlNumCols; t < xmlInvalid; ++t)
    if (Name == kTagNames[t]) return TRepListXmlTag(t);
  return xmlInvalid;
}

namespace {

TRepListXmlTag TagOf(std::string_view name) {
  // The names are ASCII: compare bytes without building a UTF-16 copy.
  for (int t = xmlNumCols; t < xmlInvalid; ++t) {
    const String& n = kTagNames[t];
    if (n.size() == name.size() && std::equal(n.begin(), n.end(), name.begin(),
                                              [](char16_t a, char b) { return a == char16_t(uint8_t(b)); }))
      return TRepListXmlTag(t);
  }
  return xmlInvalid;
}

// [lines] -----------------------------------------------------------------------------

// Lines end at LF, CR LF or a lone CR.
class TLineSource {
 public:
  virtual ~TLineSource() = default;
  virtual bool Next(std::string_view& Line) = 0;
  // Bytes not handed out yet, -1 when unknown.
  virtual Int64 Remaining() { return -1; }
};

// Lines longer than this keep only their start, whatever the source.
constexpr size_t TStreamLinesMax = size_t(1) << 24;

// The first c in [From, To) of p, or To.
size_t FindByte(const char* p, char c, size_t From, size_t To) {
  const void* hit = From < To ? std::memchr(p + From, c, To - From) : nullptr;
  return hit ? size_t(static_cast<const char*>(hit) - p) : To;
}

class TMemLines : public TLineSource {
 public:
  explicit TMemLines(std::string_view Data) : FData(Data) {}
  bool Next(std::string_view& Line) override {
    const size_t n = FData.size();
    if (FPos >= n) return false;
    // The next LF is remembered, so a file of CR line ends is not searched to its end per line.
    if (!FHaveLF || FLF < FPos) {
      FLF = FindByte(FData.data(), '\n', FPos, n);
      FHaveLF = true;
    }
    const size_t cr = FindByte(FData.data(), '\r', FPos, FLF);
    size_t len, skip;
    if (cr < FLF) {
      len = cr - FPos;
      skip = len + 1 + (cr + 1 < n && FData[cr + 1] == '\n');
    } else {
      len = FLF - FPos;
      skip = len + (FLF < n);
    }
    Line = FData.substr(FPos, std::min(len, TStreamLinesMax));
    FPos += skip;
    return true;
  }
  Int64 Remaining() override { return Int64(FData.size() - std::min(FPos, FData.size())); }

 private:
  std::string_view FData;
  size_t FPos = 0, FLF = 0;
  bool FHaveLF = false;
};

// Reads a stream in blocks; when done, puts the stream back right after the last line handed out.
// A line longer than kMaxLine keeps its first kMaxLine bytes (no element is that long), so a file
// without line breaks costs one pass and bounded memory.
class TStreamLines : public TLineSource {
 public:
#if defined(JOX_FUZZ_BUILD)
  static constexpr size_t kBlock = 64;  // so that the fuzzers' short inputs cross many block ends
#else
  static constexpr size_t kBlock = 1 << 16;
#endif
  static constexpr size_t kMaxLine = TStreamLinesMax;

  explicit TStreamLines(TStream* S) : FStream(S) {}
  ~TStreamLines() override {
    const Int64 unread = Int64(FBuf.size() - FPos);
    if (unread > 0) {
      try {
        FStream->Seek(-unread, soCurrent);
      } catch (...) {
      }
    }
  }
  bool Next(std::string_view& Line) override {
    for (;;) {
      const size_t n = FBuf.size(), from = FPos + FScanned;
      if (!FHaveLF || FLF < FPos) {
        FLF = FindByte(FBuf.data(), '\n', from, n);
        FHaveLF = true;
      }
      const size_t cr = FindByte(FBuf.data(), '\r', from, FLF);
      size_t len = 0, skip = 0;
      if (cr < FLF && (cr + 1 < n || FEof)) {
        len = cr - FPos;
        skip = len + 1 + (cr + 1 < n && FBuf[cr + 1] == '\n');
      } else if (cr == FLF && FLF < n) {
        len = FLF - FPos;
        skip = len + 1;
      } else if (FEof && cr == FLF) {
        if (FPos >= n) return false;
        len = skip = n - FPos;
      }
      if (skip) {
        Line = std::string_view(FBuf).substr(FPos, std::min(len, kMaxLine));
        FPos += skip;
        FScanned = 0;
        return true;
      }
      // A lone CR at the end may be followed by an LF: look at it again with the next block.
      FScanned = n - FPos - (n > FPos && FBuf[n - 1] == '\r');
      FBuf.erase(0, FPos);
      FPos = 0;
      FHaveLF = false;
      if (FScanned > kMaxLine) {  // only the bytes kept of an over-long line stay
        FBuf.erase(kMaxLine, FScanned - kMaxLine);
        FScanned = kMaxLine;
      }
      const size_t old = FBuf.size();
      FBuf.resize(old + kBlock);
      const Int64 got = FStream->Read(FBuf.data() + old, kBlock);
      FBuf.resize(old + size_t(std::max<Int64>(got, 0)));
      if (got <= 0) FEof = true;
    }
  }
  Int64 Remaining() override {
    try {
      return std::max<Int64>(FStream->Size() - FStream->Position(), 0) + Int64(FBuf.size() - FPos);
    } catch (const Exception&) {
      return -1;
    }
  }

 private:
  TStream* FStream;
  std::string FBuf;
  size_t FPos = 0;
  size_t FScanned = 0;  // bytes of the pending line known to hold no line end
  size_t FLF = 0;       // the next LF at or after FPos + FScanned, or the end of the buffer
  bool FHaveLF = false;
  bool FEof = false;
};

class TReaderLines : public TLineSource {
 public:
  explicit TReaderLines(TStreamReader& R) : FReader(R) {}
  bool Next(std::string_view& Line) override {
    if (FReader.EndOfStream()) return false;
    FLine = ToUtf8(FReader.ReadLine());
    Line = FLine;
    return true;
  }

 private:
  TStreamReader& FReader;
  std::string FLine;
};

// [escaping] --------------------------------------------------------------------------

char* PutNumRef(char* p, unsigned v) {
  *p++ = '&';
  *p++ = '#';
  p = std::to_chars(p, p + 10, v).ptr;
  *p++ = ';';
  return p;
}

// Bytes of ASCII that stand for themselves in a value.
constexpr auto kPlain = [] {
  std::array<bool, 128> t{};
  for (int c = 0x20; c < 0x7F; ++c) t[size_t(c)] = c != '&' && c != '<' && c != '>' && c != '"' && c != '\'';
  return t;
}();

// UTF-8 with every markup character, control character and unpaired surrogate as a reference,
// so that a value never breaks its line or its element and comes back code unit for code unit.
// Needs room for 8 bytes per character.
char* PutEscaped(char* p, std::u16string_view s) {
  for (size_t i = 0; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (c < 0x80) {
      if (kPlain[c]) {
        *p++ = char(c);
        continue;
      }
      switch (c) {
        case u'&': std::memcpy(p, "&amp;", 5), p += 5; break;
        case u'<': std::memcpy(p, "&lt;", 4), p += 4; break;
        case u'>': std::memcpy(p, "&gt;", 4), p += 4; break;
        case u'"': std::memcpy(p, "&quot;", 6), p += 6; break;
        case u'\'': std::memcpy(p, "&apos;", 6), p += 6; break;
        default: p = PutNumRef(p, c);
      }
    } else if (!PutUtf8(p, c, s, i)) {
      p = PutNumRef(p, c);
    }
  }
  return p;
}

// Values of any length, in pieces that never split a surrogate pair.
void PutEscaped(TBlockOut& out, std::u16string_view s) {
  constexpr size_t kPiece = 4096;
  while (!s.empty()) {
    size_t n = std::min(s.size(), kPiece);
    if (n < s.size() && s[n - 1] >= 0xD800 && s[n - 1] < 0xDC00) --n;
    out.Commit(PutEscaped(out.Room(8 * n), s.substr(0, n)));
    s.remove_prefix(n);
  }
}

// Decodes a value, UTF-8 and the references PutEscaped writes (also hexadecimal ones), into
// Out; an "&" that starts no known reference stays as it is. Stops once Limit characters are
// written (one more for a surrogate pair) and returns how many were; Out needs
// min(s.size(), Limit + 1), since no byte gives more than one character.
size_t DecodeValue(std::string_view s, char16_t* Out, size_t Limit) {
  size_t o = 0, i = 0;
  while (i < s.size() && o < Limit) {
    const void* hit = std::memchr(s.data() + i, '&', s.size() - i);
    const size_t amp = hit ? size_t(static_cast<const char*>(hit) - s.data()) : s.size();
    o += Utf8ToUtf16(s.substr(i, amp - i), Out + o, Limit - o);
    if (amp == s.size() || o >= Limit) break;
    const size_t semi = s.find(';', amp);
    const std::string_view ent = semi == std::string_view::npos || semi - amp > 10
                                     ? std::string_view()
                                     : s.substr(amp + 1, semi - amp - 1);
    char32_t cp = 0;
    bool ok = true;
    if (ent == "amp") cp = u'&';
    else if (ent == "lt") cp = u'<';
    else if (ent == "gt") cp = u'>';
    else if (ent == "quot") cp = u'"';
    else if (ent == "apos") cp = u'\'';
    else if (ent.size() >= 2 && ent[0] == '#') {
      const bool hex = ent[1] == 'x' || ent[1] == 'X';
      const std::string_view digits = ent.substr(hex ? 2 : 1);
      uint32_t v = 0;
      auto r = std::from_chars(digits.data(), digits.data() + digits.size(), v, hex ? 16 : 10);
      ok = !digits.empty() && r.ec == std::errc() && r.ptr == digits.data() + digits.size() && v <= 0x10FFFF;
      cp = v;
    } else {
      ok = false;
    }
    if (!ok) {
      Out[o++] = u'&';
      i = amp + 1;
      continue;
    }
    if (cp >= 0x10000) {
      Out[o++] = char16_t(0xD800 + ((cp - 0x10000) >> 10));
      Out[o++] = char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      Out[o++] = char16_t(cp);
    }
    i = semi + 1;
  }
  return o;
}

String Unescape(std::string_view s) {
  String out(s.size(), u'\0');
  out.resize(DecodeValue(s, out.data(), s.size()));
  return out;
}

// [opening line] ----------------------------------------------------------------------

std::string AsciiLower(std::string_view s) {
  std::string r(s);
  for (char& c : r)
    if (c >= 'A' && c <= 'Z') c = char(c + 32);
  return r;
}

String TrimBlanks(String s) {
  const size_t b = s.find_first_not_of(u' ');
  if (b == String::npos) return {};
  return s.substr(b, s.find_last_not_of(u' ') - b + 1);
}

// Whether Line opens a report list that counts for Want (lower case, trimmed; "" takes any).
bool OpensList(std::string_view Line, const String& Want, String* Id) {
  if (Line.find('<') == std::string_view::npos) return false;
  const std::string lower = AsciiLower(Line);
  if (lower.find("<replist") == std::string::npos || lower.find("joxkit") == std::string::npos) return false;
  String id;
  const size_t at = lower.find("id=\"");
  if (at != std::string::npos) {
    const size_t from = at + 4, to = lower.find('"', from);
    id = TrimBlanks(Unescape(Line.substr(from, (to == std::string::npos ? Line.size() : to) - from)));
  }
  if (!Want.empty() && LowerCase(id) != Want) return false;
  if (Id) *Id = id;
  return true;
}

String WantedID(const String& DataID) { return LowerCase(TrimBlanks(DataID)); }

// [writing] ---------------------------------------------------------------------------

void PutElem(TBlockOut& out, TRepListXmlTag tag, std::u16string_view value, Integer col = -1) {
  const std::string_view name = kTagNamesUtf8[tag];
  char* p = out.Room(name.size() + 24);
  *p++ = '<';
  p = std::copy(name.begin(), name.end(), p);
  if (col >= 0) {
    std::memcpy(p, " col=\"", 6);
    p = std::to_chars(p + 6, p + 18, col).ptr;
    *p++ = '"';
  }
  *p++ = '>';
  out.Commit(p);
  PutEscaped(out, value);
  p = out.Room(name.size() + 4);
  *p++ = '<';
  *p++ = '/';
  p = std::copy(name.begin(), name.end(), p);
  *p++ = '>';
  *p++ = '\n';
  out.Commit(p);
}

// The cell line, in the shape ParseCellLine reads first.
void PutCell(TBlockOut& out, Integer col, Integer row, std::u16string_view value) {
  char* p = out.Room(8 * value.size() + 64);
  std::memcpy(p, "<cell col=\"", 11);
  p = std::to_chars(p + 11, p + 22, col).ptr;
  std::memcpy(p, "\" row=\"", 7);
  p = std::to_chars(p + 7, p + 18, row).ptr;
  *p++ = '"';
  *p++ = '>';
  p = PutEscaped(p, value);
  std::memcpy(p, "</cell>\n", 8);
  out.Commit(p + 8);
}

void WriteList(TRLData& D, std::function<void(std::string_view)> Sink, bool CreateHeader, const String& DataID) {
  TBlockOut out(std::move(Sink));
  const String id = DataID.empty() ? D.DataID() : DataID;
  if (CreateHeader) out.Put("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
  out.Put("<replist generator=\"joxkit\"");
  if (!id.empty()) {
    out.Put(" id=\"");
    PutEscaped(out, id);
    out.Put("\"");
  }
  out.Put(">\n");
  const Integer nc = D.NrOfColumns(), nr = D.NrOfRows();
  PutElem(out, xmlNumCols, IntToStr(nc));
  PutElem(out, xmlNumRows, IntToStr(nr));
  PutElem(out, xmlCommonHd, D.CommonHeader());
  PutElem(out, xmlComment, D.Comment());
  for (Integer c = 1; c <= nc; ++c) {
    PutElem(out, xmlColName, D.GetColName(c), c);
    PutElem(out, xmlColumnFormat, D.GetColumnFormat(c), c);
    PutElem(out, xmlCheckedColumn, IntToStr(D.GetColCheckMode(c)), c);
  }
  TStringArray* store = TRLDataAccess::Store(D);
  TRLProgress progress(D);
  for (Integer r = 1; r <= nr; ++r) {
    bool any = false;
    for (Integer c = 0; c <= nc; ++c) {
      progress.Cell();
      const std::u16string_view v = store->GetView(c, r);
      if (v.empty()) continue;
      PutCell(out, c, r, v);
      any = true;
    }
    // Every row leaves a line, so a reader can weigh the row count against the file's size.
    if (!any) PutCell(out, 0, r, u"");
  }
  out.Put("</replist>\n");
  out.Flush();
}

// [reading] ---------------------------------------------------------------------------

std::string_view TrimSpace(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

bool ParseInt(std::string_view s, Int64& v) {
  s = TrimSpace(s);
  auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  return !s.empty() && r.ec == std::errc() && r.ptr == s.data() + s.size();
}

bool SameAsciiNoCase(std::string_view a, std::string_view lower) {
  if (a.size() != lower.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const char c = a[i] >= 'A' && a[i] <= 'Z' ? char(a[i] + 32) : a[i];
    if (c != lower[i]) return false;
  }
  return true;
}

// One element line: <name attr="v" ...>content</name>
struct TElement {
  TRepListXmlTag Tag = xmlInvalid;
  std::string_view Attrs, Content;
  // The col and row attributes in one pass (the first of each counts). A value that is no
  // number, or a damaged attribute before one of them, leaves that one unset.
  void ColRow(Int64& col, Int64& row, bool& haveCol, bool& haveRow) const {
    bool seenCol = false, seenRow = false;
    size_t i = 0;
    while (i < Attrs.size() && !(seenCol && seenRow)) {
      while (i < Attrs.size() && Attrs[i] == ' ') ++i;
      const size_t eq = Attrs.find('=', i);
      if (eq == std::string_view::npos || eq + 1 >= Attrs.size()) return;
      const char q = Attrs[eq + 1];
      if (q != '"' && q != '\'') return;
      const size_t end = Attrs.find(q, eq + 2);
      if (end == std::string_view::npos) return;
      const std::string_view key = TrimSpace(Attrs.substr(i, eq - i)), value = Attrs.substr(eq + 2, end - eq - 2);
      if (key == "col" && !seenCol) {
        seenCol = true;
        haveCol = ParseInt(value, col);
      } else if (key == "row" && !seenRow) {
        seenRow = true;
        haveRow = ParseInt(value, row);
      }
      i = end + 1;
    }
  }
};

enum TLineKind { lkSkip, lkElement, lkEnd, lkBad };

TLineKind ParseLine(std::string_view line, TElement& e) {
  line = TrimSpace(line);
  if (line.empty()) return lkSkip;
  if (line.front() != '<') return lkBad;
  if (line.substr(0, 2) == "<?" || line.substr(0, 4) == "<!--") return lkSkip;
  size_t n = 1;
  while (n < line.size() && line[n] != ' ' && line[n] != '>' && line[n] != '\t' && (line[n] != '/' || n == 1)) ++n;
  const std::string_view name = line.substr(1, n - 1);
  if (name == "/replist") return lkEnd;
  if (SameAsciiNoCase(name, "replist")) return lkBad;  // the next list begins: this one was cut off
  e.Tag = TagOf(name);
  if (e.Tag == xmlInvalid || e.Tag == xmlEndReplist) return lkSkip;  // elements of other makers
  const size_t gt = line.find('>', n);
  if (gt == std::string_view::npos) return lkBad;
  if (line[gt - 1] == '/') {  // <name .../>: empty content
    e.Attrs = line.substr(n, gt - 1 - n);
    e.Content = {};
    return gt + 1 == line.size() ? lkElement : lkBad;
  }
  e.Attrs = line.substr(n, gt - n);
  // Values never hold "<", so the first one after the start tag begins the end tag.
  const size_t lt = line.find('<', gt + 1);
  if (lt == std::string_view::npos) return lkBad;
  const std::string_view close = line.substr(lt);
  if (close.size() != name.size() + 3 || close.substr(0, 2) != "</" || close.substr(2, name.size()) != name ||
      close.back() != '>')
    return lkBad;
  e.Content = line.substr(gt + 1, lt - gt - 1);
  return lkElement;
}

// The line shape the writer gives every cell, <cell col="N" row="N">value</cell> with nothing
// around it, read without the general parser. False sends the line to ParseLine.
bool ParseCellLine(std::string_view line, Int64& col, Int64& row, std::string_view& content) {
  constexpr std::string_view kHead = "<cell col=\"", kMid = "\" row=\"", kTail = "</cell>";
  const char* p = line.data();
  const char* const e = p + line.size();
  if (line.size() < kHead.size() + kMid.size() + kTail.size() + 4 ||
      std::memcmp(p, kHead.data(), kHead.size()) != 0 || std::memcmp(e - kTail.size(), kTail.data(), kTail.size()))
    return false;
  p += kHead.size();
  auto number = [&](Int64& v) {
    const char* const from = p;
    v = 0;
    while (p < e && unsigned(*p - '0') < 10 && p - from < 10) v = v * 10 + (*p++ - '0');
    return p > from;
  };
  if (!number(col) || e - p < Int64(kMid.size()) || std::memcmp(p, kMid.data(), kMid.size()) != 0) return false;
  p += kMid.size();
  if (!number(row) || e - p < 2 + Int64(kTail.size()) || p[0] != '"' || p[1] != '>') return false;
  p += 2;
  const char* const close = e - kTail.size();
  if (std::memchr(p, '<', size_t(close - p))) return false;
  content = std::string_view(p, size_t(close - p));
  return true;
}

struct TColValue {
  Integer Col;
  String Text;
};

// Reads the list after its opening line: column settings into S, cell texts straight into L.
// False for a damaged or unfinished list.
bool ReadBody(TLineSource& Src, TRLData& D, TRLStaging& S, TStringArray::TLoader& L) {
  Int64 nc = -1, nr = -1;
  std::vector<TColValue> names, formats;
  std::vector<std::pair<Integer, TCheckMode>> modes;
  std::string_view line;
  bool ended = false, reserved = false;
  Int64 lines = 0;     // lines of the list that say anything
  Int64 gridCols = -1;  // the column count the table is laid out by (the first one given)
  std::unique_ptr<TRLProgress> progress;
  // Both counts known: room for the table at once when the input is large enough to hold it
  // (so a few lines cannot claim much memory), and progress over its cells.
  auto counted = [&]() {
    if (nc < 0 || nr < 0 || nc > INT32_MAX || nr > INT32_MAX || progress) return;
    progress = std::make_unique<TRLProgress>(D, nr * (nc + 1));
    const Int64 left = Src.Remaining(), cells = (gridCols + 1) * (nr + 1);
    if (left >= 0 && cells <= TStringArray::MaxCells && cells * 8 <= left * 4) {
      L.Reserve(Integer(nr), size_t(left / 4));
      reserved = true;
    }
  };
  auto cell = [&](Int64 col, Int64 row, std::string_view content) {
    if (col < 0 || row < 1 || col > INT32_MAX || row > INT32_MAX) return false;
    if (content.empty()) return true;
    // Rows that the lines read so far could hold go straight into the table.
    if (gridCols >= 0 && !reserved)
      L.AllowRows(Integer(std::min<Int64>(nr >= 0 ? nr : INT32_MAX, lines - std::max(nc, gridCols))));
    char16_t* out = L.Room(std::min<size_t>(content.size(), TRLData::MaxCellLength + 1));
    L.Place(Integer(col), Integer(row), DecodeValue(content, out, TRLData::MaxCellLength));
    if (progress) progress->Cell();
    return true;
  };
  while (!ended && Src.Next(line)) {
    Int64 col = -1, row = -1;
    std::string_view content;
    if (ParseCellLine(line, col, row, content)) {
      ++lines;
      if (!cell(col, row, content)) return false;
      continue;
    }
    TElement e;
    const TLineKind kind = ParseLine(line, e);
    if (kind != lkSkip || !TrimSpace(line).empty()) ++lines;
    switch (kind) {
      case lkSkip: continue;
      case lkBad: return false;
      case lkEnd: ended = true; continue;
      case lkElement: break;
    }
    bool haveCol = false, haveRow = false;
    switch (e.Tag) {
      case xmlNumCols:
        if (!ParseInt(e.Content, nc) || nc < 0) return false;
        if (gridCols < 0 && nc <= INT32_MAX) {
          gridCols = nc;
          L.SetColumns(Integer(nc));
        }
        counted();
        break;
      case xmlNumRows:
        if (!ParseInt(e.Content, nr) || nr < 0) return false;
        counted();
        break;
      case xmlCommonHd:
        S.CommonHeader = Unescape(e.Content);
        S.HaveHeader = true;
        break;
      case xmlComment:
        S.Comment = Unescape(e.Content);
        S.HaveComment = true;
        break;
      case xmlColName:
      case xmlColumnFormat:
        e.ColRow(col, row, haveCol, haveRow);
        if (!haveCol || col < 1 || col > INT32_MAX) return false;
        (e.Tag == xmlColName ? names : formats).push_back({Integer(col), Unescape(e.Content)});
        break;
      case xmlCheckedColumn: {
        Int64 m = 0;
        e.ColRow(col, row, haveCol, haveRow);
        if (!haveCol || col < 1 || col > INT32_MAX || !ParseInt(e.Content, m) || m < cmNone || m > cmRadio)
          return false;
        modes.emplace_back(Integer(col), TCheckMode(m));
        break;
      }
      case xmlCell:
        e.ColRow(col, row, haveCol, haveRow);
        if (!haveCol || !haveRow || !cell(col, row, e.Content)) return false;
        break;
      default:
        break;
    }
  }
  if (!ended || nc < 0 || nr < 0 || nc > INT32_MAX || nr > INT32_MAX) return false;
  // Every row and every column of a list costs it at least one line, so counts that its lines
  // cannot hold are refused before a table of that size is made.
  if (nr + nc > lines) return false;
  S.NrOfColumns = Integer(nc);
  S.NrOfRows = Integer(nr);
  if (!S.FitsStore()) return false;
  if (L.MaxCol() > S.NrOfColumns || L.MaxRow() > S.NrOfRows) return false;
  for (const auto* list : {&names, &formats})
    for (const auto& v : *list)
      if (v.Col > S.NrOfColumns) return false;
  for (const auto& [c, m] : modes)
    if (c > S.NrOfColumns) return false;
  // Without columns the model still keeps one blank column entry.
  const size_t n = size_t(std::max(S.NrOfColumns, 1));
  S.Names.assign(n, String());
  if (S.NrOfColumns > 0)
    for (size_t c = 0; c < n; ++c) S.Names[c] = u"C-" + IntToStr(Int64(c) + 1);
  S.Formats.assign(n, String());
  S.Modes.assign(n, cmNone);
  for (auto& v : names) S.Names[size_t(v.Col) - 1] = std::move(v.Text);
  for (auto& v : formats) S.Formats[size_t(v.Col) - 1] = std::move(v.Text);
  for (const auto& [c, m] : modes) S.Modes[size_t(c) - 1] = m;
  return true;
}

bool ReadList(TRLData& D, TLineSource& Src, const String& DataID) {
  const String want = WantedID(DataID);
  std::string_view line;
  String id;
  bool found = false;
  while (!found && Src.Next(line)) found = OpensList(line, want, &id);
  if (!found) return false;
  TRLStaging S;
  TStringArray::TLoader L;
  if (!ReadBody(Src, D, S, L)) return false;
  S.DataID = id;
  S.HaveDataID = true;
  TRLDataAccess::Adopt(D, S, L);
  return true;
}

}  // namespace

void TRLData::WriteToXMLStream(TStream* OutStream, bool CreateHeader, const String& DataID) {
  WriteList(*this, [OutStream](std::string_view s) { OutStream->WriteBuffer(s.data(), Int64(s.size())); },
            CreateHeader, DataID);
}

void TRLData::WriteToOpenXMLFile(TStreamWriter& TextFile, bool CreateHeader, const String& DataID) {
  WriteList(*this, [&TextFile](std::string_view s) { TextFile.Write(FromUtf8(s)); }, CreateHeader, DataID);
  // The writer's destructor would swallow the error of its last write.
  TextFile.Flush();
}

void TRLData::SaveAsXMLFile(const String& FName, const String& DataID) {
  SaveFileSafely(FName, [&](TStream& f) { WriteToXMLStream(&f, true, DataID); });
}

bool TRLData::ReadFromXMLString(const String& InString, const String& DataID) {
  return ReadGuarded(*this, [&] {
    const std::string utf8 = ToUtf8(InString);
    TMemLines src(utf8);
    return ReadList(*this, src, DataID);
  });
}

bool TRLData::ReadFromXMLStream(TStream* InStream, const String& DataID) {
  return ReadGuarded(*this, [&] {
    TStreamLines src(InStream);
    return ReadList(*this, src, DataID);
  });
}

bool TRLData::ReadFromOpenXMLFile(TStreamReader& TextFile, const String& DataID) {
  return ReadGuarded(*this, [&] {
    TReaderLines src(TextFile);
    return ReadList(*this, src, DataID);
  });
}

bool TRLData::LoadFromXMLFile(const String& FName, const String& DataID) {
  return ReadGuarded(*this, [&] {
    TFileStream f(FName, fmOpenRead);
    return ReadFromXMLStream(&f, DataID);
  });
}

// [recognition] -------------------------------------------------------------------------

bool CheckIfValidReplist(TStream* Stream, const String& DataID) {
  const String want = WantedID(DataID);
  TStreamLines src(Stream);
  std::string_view line;
  while (src.Next(line))
    if (OpensList(line, want, nullptr)) return true;
  return false;
}

bool CheckIfValidReplist(const String& FName, const String& DataID) {
  std::unique_ptr<TFileStream> f;
  try {
    f = std::make_unique<TFileStream>(FName, fmOpenRead);
  } catch (const EStreamError& e) {
    throw EInOutError(e.Message());
  }
  try {
    return CheckIfValidReplist(f.get(), DataID);
  } catch (const EStreamError& e) {
    throw EInOutError(e.Message());
  }
}

}  // namespace jox
