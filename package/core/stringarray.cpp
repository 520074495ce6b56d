// Sections: [pool] [size] [cells] [rows and columns] [sorting] [notifications] [loading]
#include "package/core/stringarray.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <new>

#include "package/framework/base/utf8.h"

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace jox {

namespace {

// A large table is filled page by page as a file is read. Huge pages, where the system gives
// them on request, make the first touch of that memory several times cheaper.
template <class T>
void AdviseHugePages(const std::vector<T>& v) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  constexpr uintptr_t kHuge = uintptr_t(2) << 20;
  const uintptr_t p = reinterpret_cast<uintptr_t>(v.data()), bytes = v.capacity() * sizeof(T);
  if (bytes < 2 * kHuge) return;
  const uintptr_t b = (p + kHuge - 1) & ~(kHuge - 1), e = (p + bytes) & ~(kHuge - 1);
  if (e > b) madvise(reinterpret_cast<void*>(b), e - b, MADV_HUGEPAGE);  // advice only: failure is harmless
#else
  (void)v;
#endif
}

[[noreturn]] void RaiseSize(Int64 cols, Int64 rows) {
  throw EJOXDStructError(u"TStringArray: cannot allocate " + IntToStr(cols) + u" x " + IntToStr(rows) +
                         u" cells");
}

}  // namespace

TStringArray::TStringArray()
    : FCells(1), FRowAttr(1, 0), FSortNr(1, 0), FColAttr(1, 0), FOrder(1, 0) {}

TStringArray::~TStringArray() = default;

void TStringArray::SetAllocRowsBy(Integer n) { FAllocRowsBy = std::max<Integer>(n, 1); }

// [pool] -------------------------------------------------------------------------

void TStringArray::Release(TCell& c) {
  FWaste += c.Cap;
  c = TCell{};
}

void TStringArray::StoreText(TCell& c, std::u16string_view v) {
  v = Utf16Cut(v, MaxCellLength);
  if (v.size() <= c.Cap) {
    std::copy(v.begin(), v.end(), FPool.begin() + c.Off);  // in place; a view into the pool is safe here
    c.Len = uint16_t(v.size());
    return;
  }
  const char16_t* base = FPool.data();
  if (v.data() >= base && v.data() < base + FPool.size()) {
    // The text lives in the pool itself, which may move while it grows.
    String copy(v);
    StoreText(c, copy);
    return;
  }
  if (FPool.size() + v.size() > std::numeric_limits<uint32_t>::max()) {
    FWaste += c.Cap;
    c = TCell{};
    CompactPoolIfWasteful();
    if (FPool.size() + v.size() > std::numeric_limits<uint32_t>::max())
      throw EJOXDStructError(u"TStringArray: text pool is full");
  }
  FWaste += c.Cap;
  c.Off = uint32_t(FPool.size());
  FPool.insert(FPool.end(), v.begin(), v.end());
  c.Len = c.Cap = uint16_t(v.size());
}

void TStringArray::CompactPoolIfWasteful() {
  if (FWaste < 65536 || FWaste < FPool.size() / 2) return;
  std::vector<char16_t> pool;
  pool.reserve(FPool.size() - FWaste);
  for (TCell& c : FCells) {
    const uint32_t off = uint32_t(pool.size());
    pool.insert(pool.end(), FPool.begin() + c.Off, FPool.begin() + c.Off + c.Len);
    c.Off = c.Len ? off : 0;
    c.Cap = c.Len;
  }
  FPool.swap(pool);
  FWaste = 0;
}

// [size] -------------------------------------------------------------------------

void TStringArray::ReserveRows(size_t stored) {
  if (stored <= FRowAttr.capacity()) return;
  // Grow by the allocation step, but never by less than half again, so appending stays linear.
  size_t want = std::max(stored + size_t(FAllocRowsBy) - 1, FRowAttr.capacity() + FRowAttr.capacity() / 2);
  want = std::max(want, stored);
  FCells.reserve(want * Stride());
  FRowAttr.reserve(want);
  FSortNr.reserve(want);
  FOrder.reserve(want);
}

void TStringArray::Resize(Integer NrCols, Integer NrRows) {
  if (NrCols < 0 || NrRows < 0 || NrCols > MaxCols || (Int64(NrCols) + 1) * (Int64(NrRows) + 1) > MaxCells)
    RaiseSize(Int64(NrCols) + 1, Int64(NrRows) + 1);
  if (NrCols == FNrCols && NrRows == FNrRows) return;
  try {
    // Rows beyond the new count leave, from the end of the shown order.
    if (NrRows < FNrRows) {
      std::vector<Integer> remap(FRowAttr.size(), -1);
      for (Integer r = 0; r <= NrRows; ++r) remap[FOrder[r]] = 0;
      const Integer stride = Stride();
      size_t next = 0;
      for (size_t s = 0; s < remap.size(); ++s) {
        if (remap[s] < 0) {
          for (Integer c = 0; c < stride; ++c) Release(FCells[s * stride + c]);
          continue;
        }
        remap[s] = Integer(next);
        if (next != s) {
          std::copy_n(FCells.begin() + s * stride, stride, FCells.begin() + next * stride);
          FRowAttr[next] = FRowAttr[s];
          FSortNr[next] = FSortNr[s];
        }
        ++next;
      }
      FCells.resize(next * stride);
      FRowAttr.resize(next);
      FSortNr.resize(next);
      FOrder.resize(size_t(NrRows) + 1);
      for (Integer& o : FOrder) o = remap[o];
      FNrRows = NrRows;
    }
    if (NrCols != FNrCols) {
      const size_t rows = FRowAttr.size();
      const Integer oldStride = Stride(), newStride = NrCols + 1, keep = std::min(oldStride, newStride);
      std::vector<TCell> cells(rows * newStride);
      for (size_t s = 0; s < rows; ++s) {
        for (Integer c = 0; c < keep; ++c) cells[s * newStride + c] = FCells[s * oldStride + c];
        for (Integer c = keep; c < oldStride; ++c) FWaste += FCells[s * oldStride + c].Cap;
      }
      FColAttr.resize(size_t(newStride), 0);
      FCells.swap(cells);
      FNrCols = NrCols;
    }
    if (NrRows > FNrRows) {
      ReserveRows(size_t(NrRows) + 1);
      for (Integer r = FNrRows + 1; r <= NrRows; ++r) {
        FOrder.push_back(Integer(FRowAttr.size()));
        FRowAttr.push_back(0);
        FSortNr.push_back(r);
        FCells.resize(FCells.size() + Stride());
      }
      FNrRows = NrRows;
    }
  } catch (const std::bad_alloc&) {
    RaiseSize(Int64(NrCols) + 1, Int64(NrRows) + 1);
  }
  CompactPoolIfWasteful();
  Changed();
}

void TStringArray::Clear() {
  FPool.clear();
  FPool.shrink_to_fit();
  FWaste = 0;
  std::fill(FCells.begin(), FCells.end(), TCell{});
  Changed();
}

// [cells] ------------------------------------------------------------------------

String TStringArray::GetString(Integer ACol, Integer ARow) const { return String(GetView(ACol, ARow)); }

void TStringArray::SetString(Integer ACol, Integer ARow, std::u16string_view Value) {
  if (ACol < 0 || ACol > FNrCols || ARow < 0 || ARow > FNrRows) return;
  StoreText(CellAt(ACol, ARow), Value);
  CompactPoolIfWasteful();
  Changed();
}

Byte TStringArray::GetRowAttrib(Integer ARow) const {
  return ARow >= 0 && ARow <= FNrRows ? FRowAttr[FOrder[ARow]] : 0;
}

void TStringArray::SetRowAttrib(Integer ARow, Byte Value) {
  if (ARow >= 0 && ARow <= FNrRows) FRowAttr[FOrder[ARow]] = Value;
}

Byte TStringArray::GetColAttrib(Integer ACol) const {
  return ACol >= 0 && ACol <= FNrCols ? FColAttr[ACol] : 0;
}

void TStringArray::SetColAttrib(Integer ACol, Byte Value) {
  if (ACol >= 0 && ACol <= FNrCols) FColAttr[ACol] = Value;
}

// [rows and columns] ---------------------------------------------------------------

void TStringArray::InsertRow(Integer ARow) {
  if (ARow < 1 || ARow > FNrRows + 1) return;
  if ((Int64(FNrCols) + 1) * (Int64(FNrRows) + 2) > MaxCells) RaiseSize(Int64(FNrCols) + 1, Int64(FNrRows) + 2);
  try {
    ReserveRows(FRowAttr.size() + 1);
    // The new row takes the unsorted place of the row it is put before.
    const Integer nr = ARow <= FNrRows ? FSortNr[FOrder[ARow]] : FNrRows + 1;
    for (Integer r = 1; r <= FNrRows; ++r)
      if (FSortNr[FOrder[r]] >= nr) ++FSortNr[FOrder[r]];
    const Integer stored = Integer(FRowAttr.size());
    FCells.resize(FCells.size() + Stride());
    FRowAttr.push_back(0);
    FSortNr.push_back(nr);
    FOrder.insert(FOrder.begin() + ARow, stored);
    ++FNrRows;
  } catch (const std::bad_alloc&) {
    RaiseSize(Int64(FNrCols) + 1, Int64(FNrRows) + 2);
  }
  Changed();
}

// Frees stored row s: the last stored row moves into its place.
void TStringArray::DropStoredRow(Integer s) {
  const Integer stride = Stride();
  for (Integer c = 0; c < stride; ++c) Release(FCells[size_t(s) * stride + c]);
  const Integer last = Integer(FRowAttr.size()) - 1;
  if (s != last) {
    std::copy_n(FCells.begin() + size_t(last) * stride, stride, FCells.begin() + size_t(s) * stride);
    FRowAttr[s] = FRowAttr[last];
    FSortNr[s] = FSortNr[last];
    *std::find(FOrder.begin(), FOrder.end(), last) = s;
  }
  FCells.resize(size_t(last) * stride);
  FRowAttr.pop_back();
  FSortNr.pop_back();
}

void TStringArray::RemoveRow(Integer ARow) {
  if (ARow < 0 || ARow > FNrRows) return;
  if (FNrRows == 0) {
    for (Integer c = 0; c <= FNrCols; ++c) Release(CellAt(c, 0));
    FRowAttr[FOrder[0]] = 0;
  } else {
    if (ARow == 0) CommitSorting();  // row 0 stands outside the sort numbers; keep them dense
    const Integer s = FOrder[ARow];
    const Integer nr = FSortNr[s];
    FOrder.erase(FOrder.begin() + ARow);
    --FNrRows;
    DropStoredRow(s);
    for (Integer r = 1; r <= FNrRows; ++r)
      if (FSortNr[FOrder[r]] > nr) --FSortNr[FOrder[r]];
    if (ARow == 0) FSortNr[FOrder[0]] = 0;
  }
  CompactPoolIfWasteful();
  Changed();
}

void TStringArray::InsertColumn(Integer ACol) {
  if (ACol < 0 || ACol > FNrCols + 1) return;
  const size_t rows = FRowAttr.size();
  if ((Int64(FNrCols) + 2) * (Int64(FNrRows) + 1) > MaxCells) RaiseSize(Int64(FNrCols) + 2, Int64(FNrRows) + 1);
  try {
    const Integer oldStride = Stride(), newStride = oldStride + 1;
    std::vector<TCell> cells(rows * newStride);
    for (size_t s = 0; s < rows; ++s)
      for (Integer c = 0; c < oldStride; ++c) cells[s * newStride + c + (c >= ACol)] = FCells[s * oldStride + c];
    FColAttr.insert(FColAttr.begin() + ACol, 0);
    FCells.swap(cells);
    ++FNrCols;
  } catch (const std::bad_alloc&) {
    RaiseSize(Int64(FNrCols) + 2, Int64(FNrRows) + 1);
  }
  Changed();
}

void TStringArray::RemoveColumn(Integer ACol) {
  if (ACol < 0 || ACol > FNrCols) return;
  const size_t rows = FRowAttr.size();
  if (FNrCols == 0) {
    for (size_t s = 0; s < rows; ++s) Release(FCells[s]);
    FColAttr[0] = 0;
  } else {
    const Integer oldStride = Stride(), newStride = oldStride - 1;
    for (size_t s = 0; s < rows; ++s) {
      FWaste += FCells[s * oldStride + ACol].Cap;
      for (Integer c = 0; c < newStride; ++c)
        FCells[s * newStride + c] = FCells[s * oldStride + c + (c >= ACol)];  // moves left only
    }
    FCells.resize(rows * newStride);
    FColAttr.erase(FColAttr.begin() + ACol);
    --FNrCols;
  }
  CompactPoolIfWasteful();
  Changed();
}

// [sorting] -------------------------------------------------------------------------

namespace {

// A sort key prepared once per row, so comparisons touch neither the pool layout nor parse numbers.
// Head holds the first twelve case-folded characters, packed so that comparing the integers compares
// those characters: most comparisons end there, without reaching into the pool (a cache miss each on
// a million rows), and two texts of up to twelve characters never reach it.
struct TKey {
  const char16_t* P;
  uint32_t Len;
  Integer Row;  // shown row it came from
  double Num;   // NaN when the text does not read as a number
  uint64_t Head[3];
};

constexpr uint32_t kHeadChars = 12;

double AsNumber(std::u16string_view v) {
  while (!v.empty() && v.front() == u' ') v.remove_prefix(1);
  while (!v.empty() && v.back() == u' ') v.remove_suffix(1);
  if (v.empty() || v.size() > 64) return std::nan("");
  const char16_t f = v.front();
  if (!((f >= u'0' && f <= u'9') || f == u'-' || f == u'+' || f == u'.' || f == u',')) return std::nan("");
  char buf[64];
  size_t n = 0;
  for (char16_t ch : v) {
    if (ch > 127) return std::nan("");
    buf[n++] = ch == u',' ? '.' : char(ch);
  }
  const char* b = buf;
  if (*b == '+') ++b;
  double d = 0;
  auto [end, ec] = std::from_chars(b, buf + n, d);
  if (ec != std::errc() || end != buf + n || std::isnan(d)) return std::nan("");
  return d;
}

// A hexadecimal text of at most 16 digits, blanks around it and a sign allowed.
double AsHexNumber(std::u16string_view v) {
  while (!v.empty() && v.front() == u' ') v.remove_prefix(1);
  while (!v.empty() && v.back() == u' ') v.remove_suffix(1);
  bool neg = false;
  if (!v.empty() && (v.front() == u'-' || v.front() == u'+')) {
    neg = v.front() == u'-';
    v.remove_prefix(1);
  }
  if (v.empty() || v.size() > 16) return std::nan("");
  uint64_t n = 0;
  for (char16_t ch : v) {
    unsigned d;
    if (ch >= u'0' && ch <= u'9') d = unsigned(ch - u'0');
    else if (ch >= u'a' && ch <= u'f') d = unsigned(ch - u'a' + 10);
    else if (ch >= u'A' && ch <= u'F') d = unsigned(ch - u'A' + 10);
    else return std::nan("");
    n = n * 16 + d;
  }
  return neg ? -double(n) : double(n);
}

inline char16_t Fold(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; }

int CompareTexts(const char16_t* a, uint32_t la, const char16_t* b, uint32_t lb) {
  const uint32_t n = std::min(la, lb);
  for (uint32_t i = 0; i < n; ++i) {
    const char16_t fa = Fold(a[i]), fb = Fold(b[i]);
    if (fa != fb) return fa < fb ? -1 : 1;
  }
  return la == lb ? 0 : (la < lb ? -1 : 1);
}

void PackHead(TKey& k) {
  k.Head[0] = k.Head[1] = k.Head[2] = 0;
  for (uint32_t i = 0; i < kHeadChars && i < k.Len; ++i)
    k.Head[i / 4] |= uint64_t(Fold(k.P[i])) << (48 - 16 * (i % 4));
}

int CompareKeys(const TKey& a, const TKey& b) {
  const bool na = !std::isnan(a.Num), nb = !std::isnan(b.Num);
  if (na && nb) return a.Num < b.Num ? -1 : (b.Num < a.Num ? 1 : 0);
  if (na != nb) return na ? -1 : 1;
  // Shorter texts pad with zero, which orders them first as the full comparison does; equal heads
  // of short texts differ at most in trailing U+0000, so their lengths decide; longer ones go on to the
  // full texts.
  for (int i = 0; i < 3; ++i)
    if (a.Head[i] != b.Head[i]) return a.Head[i] < b.Head[i] ? -1 : 1;
  if (a.Len <= kHeadChars && b.Len <= kHeadChars) return a.Len == b.Len ? 0 : (a.Len < b.Len ? -1 : 1);
  return CompareTexts(a.P, a.Len, b.P, b.Len);
}

}  // namespace

void TStringArray::Sort(Integer PrimCol, Integer SecCol, bool AscendPrim, bool AscendSec) {
  Sort(PrimCol, SecCol, AscendPrim, AscendSec, skAuto, skAuto);
}

void TStringArray::Sort(Integer PrimCol, Integer SecCol, bool AscendPrim, bool AscendSec, TSortKind PrimKind,
                        TSortKind SecKind) {
  if (PrimCol < 0 || PrimCol > FNrCols || FNrRows < 2) return;
  const bool second = SecCol >= 0 && SecCol <= FNrCols;
  PercentDone(0);
  // A number key ranks every number before every text in the same way, whichever kind read it.
  auto keyOf = [this](Integer col, Integer row, TSortKind kind) {
    const TCell& c = CellAt(col, row);
    const std::u16string_view v{FPool.data() + c.Off, c.Len};
    const double num = kind == skText ? std::nan("") : kind == skHexNumber ? AsHexNumber(v) : AsNumber(v);
    TKey k{v.data(), c.Len, row, num, {0, 0, 0}};
    if (std::isnan(k.Num)) PackHead(k);
    return k;
  };
  std::vector<TKey> prim;
  std::vector<TKey> sec;
  prim.reserve(size_t(FNrRows));
  for (Integer r = 1; r <= FNrRows; ++r) prim.push_back(keyOf(PrimCol, r, PrimKind));
  if (second) {
    sec.reserve(size_t(FNrRows) + 1);
    sec.push_back(TKey{});
    for (Integer r = 1; r <= FNrRows; ++r) sec.push_back(keyOf(SecCol, r, SecKind));
  }
  std::stable_sort(prim.begin(), prim.end(), [&](const TKey& a, const TKey& b) {
    int c = CompareKeys(a, b);
    if (c != 0) return AscendPrim ? c < 0 : c > 0;
    if (!second) return false;
    c = CompareKeys(sec[a.Row], sec[b.Row]);
    return AscendSec ? c < 0 : c > 0;
  });
  std::vector<Integer> order(size_t(FNrRows) + 1);
  order[0] = FOrder[0];
  for (Integer r = 1; r <= FNrRows; ++r) order[r] = FOrder[prim[r - 1].Row];
  prim = {};
  sec = {};
  ApplyOrder(std::move(order), PrimCol);
}

// Takes a new shown order. With an exchange listener the change is made as a series of row
// exchanges, each announced first; otherwise the table is simply replaced.
void TStringArray::ApplyOrder(std::vector<Integer>&& order, Integer keyCol) {
  if (FOnBeforeSortExchange) {
    std::vector<Integer> shownAt(FRowAttr.size());  // stored row -> its shown row now
    for (Integer r = 0; r <= FNrRows; ++r) shownAt[FOrder[r]] = r;
    const Integer step = FNrRows / 100 + 1;
    for (Integer r = 1; r <= FNrRows; ++r) {
      if (FOrder[r] != order[r]) {
        const Integer j = shownAt[order[r]];
        String first(GetView(keyCol, r)), second(GetView(keyCol, j));
        FOnBeforeSortExchange(this, first, second);
        std::swap(FOrder[r], FOrder[j]);
        shownAt[FOrder[r]] = r;
        shownAt[FOrder[j]] = j;
      }
      if (r % step == 0) PercentDone(Integer(Int64(r) * 100 / FNrRows));
    }
  } else {
    FOrder = std::move(order);
  }
  FLastKeyCol = keyCol;
  PercentDone(100);
  Changed();
}

void TStringArray::UnSort() {
  if (FNrRows < 2) return;
  const size_t n = size_t(FNrRows);
  std::vector<Integer> order(n + 1, -1);
  order[0] = FOrder[0];
  // Sort numbers are normally a permutation of 1..NrOfRows: place each row directly.
  bool direct = true;
  for (Integer r = 1; r <= FNrRows && direct; ++r) {
    const Integer nr = FSortNr[FOrder[r]];
    if (nr < 1 || nr > FNrRows || order[nr] >= 0) direct = false;
    else order[nr] = FOrder[r];
  }
  if (!direct) {
    std::copy(FOrder.begin() + 1, FOrder.end(), order.begin() + 1);
    std::stable_sort(order.begin() + 1, order.end(),
                     [this](Integer a, Integer b) { return FSortNr[a] < FSortNr[b]; });
  }
  if (order == FOrder) return;
  ApplyOrder(std::move(order), FLastKeyCol <= FNrCols ? FLastKeyCol : 0);
}

void TStringArray::CommitSorting() {
  for (Integer r = 1; r <= FNrRows; ++r) FSortNr[FOrder[r]] = r;
}

bool TStringArray::Sorted() const {
  for (Integer r = 1; r <= FNrRows; ++r)
    if (FSortNr[FOrder[r]] != r) return true;
  return false;
}

Integer TStringArray::GetSortOrder(Integer ARow) const {
  return ARow >= 1 && ARow <= FNrRows ? FSortNr[FOrder[ARow]] : 0;
}

void TStringArray::SetSortOrder(Integer ARow, Integer Value) {
  if (ARow >= 1 && ARow <= FNrRows) FSortNr[FOrder[ARow]] = Value;
}

// [notifications] -------------------------------------------------------------------

void TStringArray::Changed() {
  if (FOnChange) FOnChange(this);
}

void TStringArray::PercentDone(Integer p) {
  if (FOnPercentDone) FOnPercentDone(this, p);
}

// [loading] -------------------------------------------------------------------------

void TStringArray::TLoader::SetColumns(Integer Cols) {
  // A count no row of the store could hold lays nothing out: its cells wait for Finish.
  if (FCols < 0 && Cols >= 0 && (Int64(Cols) + 1) * 2 <= MaxCells) FCols = Cols;
}

void TStringArray::TLoader::Reserve(Integer Rows, size_t Chars) {
  if (FCols >= 0 && Rows > FRows && (Int64(FCols) + 1) * (Int64(Rows) + 1) <= MaxCells) {
    FCells.reserve((size_t(Rows) + 1) * size_t(FCols + 1));
    AdviseHugePages(FCells);
    AllowRows(Rows);
  }
  FPool.reserve(FUsed + Chars);
  AdviseHugePages(FPool);
}

char16_t* TStringArray::TLoader::Room(size_t Max) {
  if (FUsed + Max > std::numeric_limits<uint32_t>::max()) throw EJOXDStructError(u"TStringArray: text pool is full");
  if (FUsed + Max > FPool.size()) {
    // Half again, not double: the pool is most of a table's memory.
    const size_t want = std::max(FUsed + Max, FPool.size() + FPool.size() / 2 + 4096);
    if (want > FPool.capacity()) FPool.reserve(want);
    FPool.resize(FPool.capacity());
  }
  return FPool.data() + FUsed;
}

void TStringArray::TLoader::GrowRows(Integer Row) {
  const size_t stride = size_t(FCols) + 1;
  // Half again at a time; at most that much beyond a row the caller vouched for.
  Int64 rows = std::max<Int64>(Row, Int64(FRows) + FRows / 2 + 64);
  rows = std::max<Int64>(Row, std::min<Int64>(rows, MaxCells / Int64(stride) - 1));
  // Room made by Reserve is not outgrown for rows within it.
  const Int64 room = Int64(FCells.capacity() / stride) - 1;
  if (Row <= room) rows = std::min<Int64>(rows, room);
  if (FCells.capacity() < (size_t(rows) + 1) * stride) {
    FCells.reserve((size_t(rows) + 1) * stride);
    AdviseHugePages(FCells);
  }
  FCells.resize((size_t(rows) + 1) * stride);
  FRows = Integer(rows);
}

void TStringArray::TLoader::Place(Integer ACol, Integer ARow, size_t Len) {
  if (Len == 0) return;
  Len = Utf16CutLength(std::u16string_view(FPool.data() + FUsed, Len), MaxCellLength);
  const uint32_t off = uint32_t(FUsed);
  FUsed += Len;
  FMaxCol = std::max(FMaxCol, ACol);
  FMaxRow = std::max(FMaxRow, ARow);
  if (ACol <= FCols && ARow <= FAllow && (Int64(FCols) + 1) * (Int64(ARow) + 1) <= MaxCells) {
    if (ARow > FRows) GrowRows(ARow);
    FCells[size_t(ARow) * (size_t(FCols) + 1) + size_t(ACol)] = TCell{off, uint16_t(Len), uint16_t(Len)};
  } else {
    FLate.push_back(TLate{ACol, ARow, off, uint16_t(Len)});
  }
}

void TStringArray::TLoader::Finish(TStringArray& Into, Integer NrCols, Integer NrRows) {
  if (NrCols < 0 || NrRows < 0 || NrCols > MaxCols || (Int64(NrCols) + 1) * (Int64(NrRows) + 1) > MaxCells)
    RaiseSize(Int64(NrCols) + 1, Int64(NrRows) + 1);
  TStringArray a;  // built aside, then swapped into Into, so a failure leaves Into as it was
  try {
    a.FAllocRowsBy = Into.FAllocRowsBy;
    // Without a row placed straight into the grid, a wide row 0 would only be built to be cut.
    if (FCols < 0 || FCells.empty()) FCols = 0;
    FCells.resize((size_t(FRows) + 1) * (size_t(FCols) + 1));
    a.FCells.swap(FCells);
    a.FNrCols = FCols;
    a.FNrRows = FRows;
    a.FColAttr.assign(size_t(FCols) + 1, 0);
    a.FRowAttr.assign(size_t(FRows) + 1, 0);
    a.FSortNr.resize(size_t(FRows) + 1);
    a.FOrder.resize(size_t(FRows) + 1);
    for (Integer r = 0; r <= FRows; ++r) a.FSortNr[r] = a.FOrder[r] = r;
    FPool.resize(FUsed);
    if (FPool.capacity() - FUsed > FUsed / 4) FPool.shrink_to_fit();  // room reserved but not used
    a.FPool.swap(FPool);
    a.Resize(NrCols, NrRows);
    // Texts that waited: the one later in the input (further on in the pool) wins.
    for (const TLate& l : FLate) {
      if (l.Col > NrCols || l.Row > NrRows) continue;
      TCell& c = a.CellAt(l.Col, l.Row);
      if (c.Len == 0 || c.Off < l.Off) c = TCell{l.Off, l.Len, l.Len};
    }
    FLate = {};
    size_t used = 0;
    for (const TCell& c : a.FCells) used += c.Cap;
    a.FWaste = a.FPool.size() - used;
    a.CompactPoolIfWasteful();
  } catch (const std::bad_alloc&) {
    RaiseSize(Int64(NrCols) + 1, Int64(NrRows) + 1);
  }
  std::swap(Into.FNrCols, a.FNrCols);
  std::swap(Into.FNrRows, a.FNrRows);
  Into.FPool.swap(a.FPool);
  std::swap(Into.FWaste, a.FWaste);
  Into.FCells.swap(a.FCells);
  Into.FRowAttr.swap(a.FRowAttr);
  Into.FSortNr.swap(a.FSortNr);
  Into.FColAttr.swap(a.FColAttr);
  Into.FOrder.swap(a.FOrder);
  Into.FLastKeyCol = 0;
  Into.Changed();
}

}  // namespace jox
