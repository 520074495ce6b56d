// The report-list file: one element per line (see docs/replist-file.md).
// Sections: [tags] [lines] [escaping] [opening line] [writing] [reading] [recognition]
#include <algorithm>
#include <charconv>
#include <cstring>
#include <memory>

#include "replist/rldata_internal.h"

namespace jox {

// [tags] ------------------------------------------------------------------------------

namespace {
const String kTagNames[] = {u"numcols", u"numrows",  u"colname",  u"checkedcolumn", u"commonheader",
                            u"columnformat", u"cell", u"comment", u"/replist", u"invalidtag"};
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
};

// Splits Data at the first line end; returns the length of the line and sets Skip to the length
// of line plus its end. False when Data holds no line end yet. Scanning starts at From: the caller
// knows that no line end stands before it.
bool SplitLine(std::string_view Data, size_t& Len, size_t& Skip, bool AtEnd, size_t From = 0) {
  const char* p = Data.data();
  const size_t n = Data.size();
  const void* lf = std::memchr(p + From, '\n', n - From);
  const size_t lfAt = lf ? size_t(static_cast<const char*>(lf) - p) : n;
  const void* cr = std::memchr(p + From, '\r', lfAt - From);
  if (cr) {
    const size_t crAt = size_t(static_cast<const char*>(cr) - p);
    if (crAt + 1 == n && !AtEnd) return false;  // an LF may still follow
    Len = crAt;
    Skip = crAt + 1 + (crAt + 1 < n && p[crAt + 1] == '\n');
    return true;
  }
  if (lf) {
    Len = lfAt;
    Skip = lfAt + 1;
    return true;
  }
  if (!AtEnd) return false;
  Len = Skip = n;
  return n > 0;
}

// Lines longer than this keep only their start, whatever the source.
constexpr size_t TStreamLinesMax = size_t(1) << 24;

class TMemLines : public TLineSource {
 public:
  explicit TMemLines(std::string_view Data) : FData(Data) {}
  bool Next(std::string_view& Line) override {
    size_t len, skip;
    if (!SplitLine(FData.substr(FPos), len, skip, true)) return false;
    Line = FData.substr(FPos, std::min(len, TStreamLinesMax));
    FPos += skip;
    return true;
  }

 private:
  std::string_view FData;
  size_t FPos = 0;
};

// Reads a stream in blocks; when done, puts the stream back right after the last line handed out.
// A line longer than kMaxLine keeps its first kMaxLine bytes (no element is that long), so a file
// without line breaks costs one pass and bounded memory.
class TStreamLines : public TLineSource {
 public:
  static constexpr size_t kBlock = 1 << 16, kMaxLine = TStreamLinesMax;

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
      size_t len, skip;
      const std::string_view pending = std::string_view(FBuf).substr(FPos);
      if (SplitLine(pending, len, skip, FEof, FScanned)) {
        Line = pending.substr(0, std::min(len, kMaxLine));
        FPos += skip;
        FScanned = 0;
        return true;
      }
      if (FEof) return false;
      // A lone CR at the end may be followed by an LF: look at it again with the next block.
      FScanned = pending.size() - (!pending.empty() && pending.back() == '\r');
      FBuf.erase(0, FPos);
      FPos = 0;
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

 private:
  TStream* FStream;
  std::string FBuf;
  size_t FPos = 0;
  size_t FScanned = 0;  // bytes of the pending line known to hold no line end
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

void AppendNumRef(std::string& out, unsigned v) {
  char buf[16];
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  out += "&#";
  out.append(buf, r.ptr);
  out += ';';
}

// UTF-8 with every markup character, control character and unpaired surrogate as a reference,
// so that a value never breaks its line or its element and comes back code unit for code unit.
void AppendEscaped(std::string& out, std::u16string_view s) {
  for (size_t i = 0; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (c < 0x80) {
      switch (c) {
        case u'&': out += "&amp;"; break;
        case u'<': out += "&lt;"; break;
        case u'>': out += "&gt;"; break;
        case u'"': out += "&quot;"; break;
        case u'\'': out += "&apos;"; break;
        default:
          if (c < 0x20 || c == 0x7F) AppendNumRef(out, c);
          else out += char(c);
      }
    } else if (c < 0x800) {
      out += char(0xC0 | (c >> 6));
      out += char(0x80 | (c & 0x3F));
    } else if (c >= 0xD800 && c < 0xE000) {
      if (c < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000) {
        const char32_t u = 0x10000 + ((char32_t(c) - 0xD800) << 10) + (s[i + 1] - 0xDC00);
        ++i;
        out += char(0xF0 | (u >> 18));
        out += char(0x80 | ((u >> 12) & 0x3F));
        out += char(0x80 | ((u >> 6) & 0x3F));
        out += char(0x80 | (u & 0x3F));
      } else {
        AppendNumRef(out, c);
      }
    } else {
      out += char(0xE0 | (c >> 12));
      out += char(0x80 | ((c >> 6) & 0x3F));
      out += char(0x80 | (c & 0x3F));
    }
  }
}

// Decodes a value: UTF-8 runs and the references AppendEscaped writes (also hexadecimal ones).
// An "&" that starts no known reference stays as it is.
String Unescape(std::string_view s) {
  if (s.find('&') == std::string_view::npos) return FromUtf8(s);
  String out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    const size_t amp = s.find('&', i);
    if (amp == std::string_view::npos) {
      out += FromUtf8(s.substr(i));
      break;
    }
    out += FromUtf8(s.substr(i, amp - i));
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
      out += u'&';
      i = amp + 1;
      continue;
    }
    if (cp >= 0x10000) {
      out += char16_t(0xD800 + ((cp - 0x10000) >> 10));
      out += char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      out += char16_t(cp);
    }
    i = semi + 1;
  }
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

using TSink = std::function<void(const std::string&)>;

void AppendElem(std::string& out, TRepListXmlTag tag, std::u16string_view value, Integer col = -1,
                Integer row = -1) {
  const std::string name = ToUtf8(RepListXmlTagName(tag));
  out += '<';
  out += name;
  if (col >= 0) {
    out += " col=\"";
    out += std::to_string(col);
    out += '"';
  }
  if (row >= 0) {
    out += " row=\"";
    out += std::to_string(row);
    out += '"';
  }
  out += '>';
  AppendEscaped(out, value);
  out += "</";
  out += name;
  out += ">\n";
}

void WriteList(TRLData& D, const TSink& Sink, bool CreateHeader, const String& DataID) {
  constexpr size_t kFlushAt = 1 << 20;
  std::string out;
  out.reserve(kFlushAt + 4096);
  auto flush = [&](bool force) {
    if (force || out.size() >= kFlushAt) {
      if (!out.empty()) Sink(out);
      out.clear();
    }
  };
  const String id = DataID.empty() ? D.DataID() : DataID;
  if (CreateHeader) out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  out += "<replist generator=\"joxkit\"";
  if (!id.empty()) {
    out += " id=\"";
    AppendEscaped(out, id);
    out += '"';
  }
  out += ">\n";
  const Integer nc = D.NrOfColumns(), nr = D.NrOfRows();
  AppendElem(out, xmlNumCols, IntToStr(nc));
  AppendElem(out, xmlNumRows, IntToStr(nr));
  AppendElem(out, xmlCommonHd, D.CommonHeader());
  AppendElem(out, xmlComment, D.Comment());
  for (Integer c = 1; c <= nc; ++c) {
    AppendElem(out, xmlColName, D.GetColName(c), c);
    AppendElem(out, xmlColumnFormat, D.GetColumnFormat(c), c);
    AppendElem(out, xmlCheckedColumn, IntToStr(D.GetColCheckMode(c)), c);
  }
  TStringArray* store = TRLDataAccess::Store(D);
  TRLProgress progress(D);
  for (Integer r = 1; r <= nr; ++r) {
    bool any = false;
    for (Integer c = 0; c <= nc; ++c) {
      progress.Cell();
      const std::u16string_view v = store->GetView(c, r);
      if (v.empty()) continue;
      AppendElem(out, xmlCell, v, c, r);
      any = true;
    }
    // Every row leaves a line, so a reader can weigh the row count against the file's size.
    if (!any) AppendElem(out, xmlCell, u"", 0, r);
    flush(false);
  }
  out += "</replist>\n";
  flush(true);
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

// One element line: <name attr="v" ...>content</name>
struct TElement {
  TRepListXmlTag Tag = xmlInvalid;
  std::string_view Attrs, Content;
  bool Attr(std::string_view key, Int64& v) const {
    size_t i = 0;
    while (i < Attrs.size()) {
      while (i < Attrs.size() && Attrs[i] == ' ') ++i;
      const size_t eq = Attrs.find('=', i);
      if (eq == std::string_view::npos || eq + 1 >= Attrs.size()) return false;
      const char q = Attrs[eq + 1];
      if (q != '"' && q != '\'') return false;
      const size_t end = Attrs.find(q, eq + 2);
      if (end == std::string_view::npos) return false;
      if (TrimSpace(Attrs.substr(i, eq - i)) == key) return ParseInt(Attrs.substr(eq + 2, end - eq - 2), v);
      i = end + 1;
    }
    return false;
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
  if (AsciiLower(name) == "replist") return lkBad;  // the next list begins: this one was cut off
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

struct TColValue {
  Integer Col;
  String Text;
};

// Reads the list after its opening line into S; false for a damaged or unfinished list.
bool ReadBody(TLineSource& Src, TRLStaging& S) {
  Int64 nc = -1, nr = -1;
  std::vector<TColValue> names, formats;
  std::vector<std::pair<Integer, TCheckMode>> modes;
  std::string_view line;
  bool ended = false;
  Int64 lines = 0;  // lines of the list that say anything
  while (!ended && Src.Next(line)) {
    TElement e;
    const TLineKind kind = ParseLine(line, e);
    if (kind != lkSkip || !TrimSpace(line).empty()) ++lines;
    switch (kind) {
      case lkSkip: continue;
      case lkBad: return false;
      case lkEnd: ended = true; continue;
      case lkElement: break;
    }
    Int64 col = -1, row = -1;
    switch (e.Tag) {
      case xmlNumCols:
        if (!ParseInt(e.Content, nc) || nc < 0) return false;
        break;
      case xmlNumRows:
        if (!ParseInt(e.Content, nr) || nr < 0) return false;
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
        if (!e.Attr("col", col) || col < 1 || col > INT32_MAX) return false;
        (e.Tag == xmlColName ? names : formats).push_back({Integer(col), Unescape(e.Content)});
        break;
      case xmlCheckedColumn: {
        Int64 m = 0;
        if (!e.Attr("col", col) || col < 1 || col > INT32_MAX || !ParseInt(e.Content, m) || m < cmNone ||
            m > cmRadio)
          return false;
        modes.emplace_back(Integer(col), TCheckMode(m));
        break;
      }
      case xmlCell: {
        if (!e.Attr("col", col) || !e.Attr("row", row) || col < 0 || row < 1 || col > INT32_MAX || row > INT32_MAX)
          return false;
        const String t = Unescape(e.Content);
        if (!t.empty()) S.AddCell(Integer(col), Integer(row), t);
        break;
      }
      default:
        break;
    }
  }
  if (!ended || nc < 0 || nr < 0 || nc > INT32_MAX || nr > INT32_MAX) return false;
  // Every row and every column of a list costs it at least one line, so counts that its lines
  // cannot hold are refused before anything of that size is allocated.
  if (nr + nc > lines) return false;
  S.NrOfColumns = Integer(nc);
  S.NrOfRows = Integer(nr);
  if (!S.FitsStore()) return false;
  for (const auto& c : S.Cells)
    if (c.Col > S.NrOfColumns || c.Row > S.NrOfRows) return false;
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
  if (!ReadBody(Src, S)) return false;
  S.DataID = id;
  S.HaveDataID = true;
  TRLDataAccess::Adopt(D, S);
  return true;
}

}  // namespace

void TRLData::WriteToXMLStream(TStream* OutStream, bool CreateHeader, const String& DataID) {
  WriteList(*this, [OutStream](const std::string& s) { OutStream->WriteBuffer(s.data(), Int64(s.size())); },
            CreateHeader, DataID);
}

void TRLData::WriteToOpenXMLFile(TStreamWriter& TextFile, bool CreateHeader, const String& DataID) {
  WriteList(*this, [&TextFile](const std::string& s) { TextFile.Write(FromUtf8(s)); }, CreateHeader, DataID);
  // The writer's destructor would swallow the error of its last write.
  TextFile.Flush();
}

void TRLData::SaveAsXMLFile(const String& FName, const String& DataID) {
  SaveFileSafely(FName, [&](TStream& f) { WriteToXMLStream(&f, true, DataID); });
}

bool TRLData::ReadFromXMLString(const String& InString, const String& DataID) {
  const std::string utf8 = ToUtf8(InString);
  TMemLines src(utf8);
  return ReadList(*this, src, DataID);
}

bool TRLData::ReadFromXMLStream(TStream* InStream, const String& DataID) {
  TStreamLines src(InStream);
  return ReadList(*this, src, DataID);
}

bool TRLData::ReadFromOpenXMLFile(TStreamReader& TextFile, const String& DataID) {
  TReaderLines src(TextFile);
  return ReadList(*this, src, DataID);
}

bool TRLData::LoadFromXMLFile(const String& FName, const String& DataID) {
  TFileStream f(FName, fmOpenRead);
  return ReadFromXMLStream(&f, DataID);
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
