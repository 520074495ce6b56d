// Report-list reader on arbitrary text: the string reader, and the stream reader on the same bytes,
// also across the end of a read block. Seeds come from the writer; besides libFuzzer's own
// mutations, one in two damages a single field of a line (a number, a quote, a tag name, a line
// dropped or doubled), so most inputs are valid files with one thing wrong.
//
// What must hold: a refused list leaves the model as it was; an accepted one comes back unchanged
// through the writer and the reader.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <random>

#include "fuzz/rldata_seeds.h"
#include "package/core/fileutil.h"
#include "replist/replist.h"

extern "C" size_t LLVMFuzzerMutate(uint8_t* Data, size_t Size, size_t MaxSize);

namespace {

std::string Snapshot(const jox::TRLData& d) {
  std::string s = jox::ToUtf8(d.CommonHeader() + u"|" + d.Comment() + u"|" + d.DataID()) + "|" +
                  std::to_string(d.NrOfColumns()) + "x" + std::to_string(d.NrOfRows());
  for (jox::Integer c = 1; c <= d.NrOfColumns(); ++c)
    s += jox::ToUtf8(d.Header(c) + u"|" + d.ColumnFormat(c)) + std::to_string(d.ColumnCheckMode(c));
  for (jox::Integer r = 1; r <= d.NrOfRows(); ++r)
    for (jox::Integer c = 0; c <= d.NrOfColumns(); ++c) s += jox::ToUtf8(d.Strings->GetString(c, r)) + '\x1f';
  return s;
}

// What a model holds before a read, so that a refused read can be seen to keep it.
void Before(jox::TRLData& d) {
  d.SetNrCols(2);
  d.SetNrRows(1);
  d.SetElem(1, 1, u"before");
}

void Check(bool ok) {
  if (!ok) std::abort();
}

// Damages one field of one line of a file.
size_t Damage(uint8_t* Data, size_t Size, size_t MaxSize, unsigned Seed) {
  std::mt19937 rng(Seed);
  std::string text(reinterpret_cast<char*>(Data), Size);
  std::vector<size_t> starts{0};
  for (size_t i = 0; i < text.size(); ++i)
    if (text[i] == '\n' && i + 1 < text.size()) starts.push_back(i + 1);
  const size_t at = starts[rng() % starts.size()];
  size_t end = text.find('\n', at);
  if (end == std::string::npos) end = text.size();
  std::string line = text.substr(at, end - at);
  static const char* const kNumbers[] = {"0", "-1", "1", "2", "3", "2147483647", "2147483648", "99999999999",
                                         "+5", " 7 ", "", "x", "1e3", "134217728"};
  static const char* const kNames[] = {"numcols", "numrows", "colname", "checkedcolumn", "commonheader",
                                       "columnformat", "cell", "comment", "/replist", "replist", "CELL", "x"};
  switch (rng() % 7) {
    case 0: {  // a number replaced
      std::vector<size_t> digits;
      for (size_t i = 0; i < line.size(); ++i)
        if (isdigit(uint8_t(line[i])) && (i == 0 || !isdigit(uint8_t(line[i - 1])))) digits.push_back(i);
      if (digits.empty()) break;
      const size_t d = digits[rng() % digits.size()];
      size_t e = d;
      while (e < line.size() && isdigit(uint8_t(line[e]))) ++e;
      line.replace(d, e - d, kNumbers[rng() % std::size(kNumbers)]);
      break;
    }
    case 1:  // one character dropped (a quote, a bracket, a semicolon of a reference)
      if (!line.empty()) line.erase(rng() % line.size(), 1);
      break;
    case 2: {  // a tag name changed
      const size_t lt = line.find('<');
      if (lt == std::string::npos) break;
      size_t e = lt + 1;
      while (e < line.size() && line[e] != ' ' && line[e] != '>') ++e;
      line.replace(lt + 1, e - lt - 1, kNames[rng() % std::size(kNames)]);
      break;
    }
    case 3:  // the line dropped
      line.clear();
      break;
    case 4:  // the line doubled
      line += "\n" + line;
      break;
    case 5:  // its line end made CR or CR LF
      line += rng() % 2 ? "\r" : "\r\n";
      if (end < text.size()) ++end;
      break;
    default:  // a character of the vocabulary put in
      line.insert(line.empty() ? 0 : rng() % line.size(), 1, "<>\"'&;= /\t\r"[rng() % 11]);
  }
  text.replace(at, end - at, line);
  if (text.size() > MaxSize) return LLVMFuzzerMutate(Data, Size, MaxSize);
  std::copy(text.begin(), text.end(), Data);
  return text.size();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzzseeds::WriteSeeds(argc, argv, true);
  return 0;
}

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* Data, size_t Size, size_t MaxSize, unsigned Seed) {
  if (Seed % 2 && Size > 0) return Damage(Data, Size, MaxSize, Seed / 2);
  return LLVMFuzzerMutate(Data, Size, MaxSize);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string_view text(reinterpret_cast<const char*>(Data), Size);
  const jox::String id = Size % 2 ? u"" : u"sales";
  jox::TRLData d(nullptr);
  Before(d);
  const std::string before = Snapshot(d);
  const bool ok = d.ReadFromXMLString(jox::FromUtf8(text), id);
  if (!ok) {
    Check(Snapshot(d) == before);
  } else {
    jox::TStringStream s;
    d.WriteToXMLStream(&s, true, u"");
    jox::TRLData e(nullptr);
    Check(e.ReadFromXMLString(s.DataString(), u""));
    Check(Snapshot(e) == Snapshot(d));
  }
  // The stream reader, in this build's short blocks, reads the same list from the same bytes.
  jox::TRLData f(nullptr);
  Before(f);
  jox::TMemoryStream s;
  s.WriteBuffer(Data, jox::Int64(Size));
  s.SetPosition(0);
  const bool streamed = f.ReadFromXMLStream(&s, id);
  if (jox::IsValidUtf8(text)) Check(streamed == ok && Snapshot(f) == Snapshot(d));
  // Several lists may follow one another; each read goes on behind the last.
  for (int i = 0; i < 8 && f.ReadFromXMLStream(&s, u""); ++i) {
  }
  return 0;
}
