// Shared by the sources of TRLData: progress reports, quiet bulk writes and the staging of a
// complete new table that the readers build before they replace the model.
#pragma once

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "package/framework/base/utf8.h"
#include "package/texts.h"
#include "replist/rldata.h"

namespace jox {

// Reports OnPercentDone every FeedbkStep cells of FeedbkNumCells.
class TRLProgress {
 public:
  explicit TRLProgress(TRLData& Data);
  // Over Total cells instead of the model's count (for a table that is still being read).
  TRLProgress(TRLData& Data, Int64 Total);
  // Inline and without a division: writers count every cell.
  void Cell() {
    if (++FCount >= FNext) Report();
  }
  void Cells(Int64 n) {
    if ((FCount += n) >= FNext) Report();
  }
  // Done of the total reached (for work counted in bytes rather than cells).
  void At(Int64 Done);

 private:
  void Report();

  TRLData& FData;
  Int64 FCount = 0, FNext;
  Integer FStep;
  Int64 FTotal;
};

// Output formatted straight into one block, which goes to the sink whole once it is full.
class TBlockOut {
 public:
  static constexpr size_t kBlock = size_t(1) << 20, kSlack = 65536;
  explicit TBlockOut(std::function<void(std::string_view)> Sink) : FSink(std::move(Sink)), FBuf(4096, '\0') {}
  // Room for n more bytes; write them there, then Commit the new end. The buffer grows to one
  // block (and some slack) as the text does, so a short list costs no megabyte.
  char* Room(size_t n) {
    if (FEnd + n > FBuf.size()) {
      if (FEnd + n <= kBlock + kSlack) {
        FBuf.resize(std::max(FEnd + n, std::min(FBuf.size() * 2, kBlock + kSlack)));
      } else {
        Flush();
        if (n > FBuf.size()) FBuf.resize(n);
      }
    }
    return FBuf.data() + FEnd;
  }
  void Commit(char* End) {
    FEnd = size_t(End - FBuf.data());
    if (FEnd >= kBlock) Flush();
  }
  void Put(std::string_view s) {
    char* p = Room(s.size());
    std::memcpy(p, s.data(), s.size());
    Commit(p + s.size());
  }
  void Flush() {
    if (FEnd) FSink(std::string_view(FBuf.data(), FEnd));
    FEnd = 0;
  }

 private:
  std::function<void(std::string_view)> FSink;
  std::string FBuf;
  size_t FEnd = 0;
};

// Writes s[i] (which is c) as UTF-8 at p; a surrogate pair takes s[i + 1] along and advances i.
// False, with nothing written, for an unpaired surrogate.
inline bool PutUtf8(char*& p, char16_t c, std::u16string_view s, size_t& i) {
  if (c < 0x80) {
    *p++ = char(c);
  } else if (c < 0x800) {
    *p++ = char(0xC0 | (c >> 6));
    *p++ = char(0x80 | (c & 0x3F));
  } else if (c >= 0xD800 && c < 0xE000) {
    if (c >= 0xDC00 || i + 1 >= s.size() || s[i + 1] < 0xDC00 || s[i + 1] >= 0xE000) return false;
    const char32_t u = 0x10000 + ((char32_t(c) - 0xD800) << 10) + (s[++i] - 0xDC00);
    *p++ = char(0xF0 | (u >> 18));
    *p++ = char(0x80 | ((u >> 12) & 0x3F));
    *p++ = char(0x80 | ((u >> 6) & 0x3F));
    *p++ = char(0x80 | (u & 0x3F));
  } else {
    *p++ = char(0xE0 | (c >> 12));
    *p++ = char(0x80 | ((c >> 6) & 0x3F));
    *p++ = char(0x80 | (c & 0x3F));
  }
  return true;
}

// Switches the store's change notification off while many cells are written and fires it once
// at the end (when anything was written).
class TQuietStore {
 public:
  explicit TQuietStore(TStringArray* Store);
  ~TQuietStore();
  TQuietStore(const TQuietStore&) = delete;
  TQuietStore& operator=(const TQuietStore&) = delete;

 private:
  TStringArray* FStore;
  TNotifyEvent FSaved;
};

// The settings of a table read from outside, held apart (with its texts in a loader) until it is
// complete and valid.
struct TRLStaging {
  Integer NrOfColumns = 1, NrOfRows = 0;
  std::vector<String> Names, Formats;  // per column, at least one entry
  std::vector<TCheckMode> Modes;
  bool HaveHeader = false, HaveComment = false, HaveDataID = false;
  String CommonHeader, Comment, DataID;

  // Whether the sizes fit the store's limits (NrOfColumns may be 0, as after removing every column).
  bool FitsStore() const;
};

// Column format language, shared with the row editor. The number standing at 1-based position Pos
// of s: blanks skipped, optional sign, decimal digits; 0 without digits.
Integer FormatNumberAt(const String& s, size_t Pos);
// The "rix" default of a numeric type letter ('e', 'f', 'h', 'i') for row ARow, n read from Rest at
// its fourth character.
String RowIndexDefault(char16_t Type, const String& Rest, Integer ARow);

// Runs a reader: memory that runs out (a failed allocation, a full text pool) raises the model's
// "not enough memory" error; the readers leave the model as it was.
template <class F>
auto ReadGuarded(const TRLData& D, F&& Read) -> decltype(Read()) {
  try {
    return Read();
  } catch (const std::bad_alloc&) {
    throw EJOXError(NotEnoughMemoryText(D.Name()));
  } catch (const EJOXDStructError&) {
    throw EJOXError(NotEnoughMemoryText(D.Name()));
  }
}

struct TRLDataAccess {
  // Replaces the model's table with a staged one and the texts loaded for it: new store, sizes,
  // column settings, unsorted. Raises EJOXRLDataError / EJOXError when memory runs out; the
  // model is then unchanged.
  static void Adopt(TRLData& D, const TRLStaging& S, TStringArray::TLoader& Texts);
  static TStringArray* Store(TRLData& D) { return D.Strings; }
  static void BeforeHTMLExport(TRLData& D, String& Text, Integer Col, Integer Row) {
    D.BeforeHTMLExport(Text, Col, Row);
  }
};

}  // namespace jox
