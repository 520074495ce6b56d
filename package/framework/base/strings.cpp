// TStrings and TStringList.
#include <algorithm>
#include <numeric>

#include "package/framework/base/streams.h"
#include "package/framework/base/strings.h"

namespace jox {

// [TStrings] ---------------------------------------------------------------------
void TStrings::Error(const char* Msg, Integer Data) {
  String m = FromUtf8(Msg);
  size_t p = m.find(u"%d");
  if (p != String::npos) m.replace(p, 2, IntToStr(Data));
  throw EStringListError(m);
}

void TStrings::Put(Integer Index, const String& S) {
  TObject* obj = GetObject(Index);
  Delete(Index);
  InsertObject(Index, S, obj);
}

TObject* TStrings::GetObject(Integer Index) const { return nullptr; }
void TStrings::PutObject(Integer Index, TObject* AObject) {}

void TStrings::InsertObject(Integer Index, const String& S, TObject* AObject) {
  Insert(Index, S);
  PutObject(Index, AObject);
}

Integer TStrings::Add(const String& S) {
  Integer i = Count();
  Insert(i, S);
  return i;
}

Integer TStrings::AddObject(const String& S, TObject* AObject) {
  Integer i = Add(S);
  PutObject(i, AObject);
  return i;
}

void TStrings::AddItems(TItems&& Items) {
  for (auto& [s, o] : Items) AddObject(s, o);
}

void TStrings::AddStrings(const TStrings* Strings) {
  if (!Strings) return;
  TItems items;
  items.reserve(size_t(Strings->Count()));
  for (Integer i = 0, n = Strings->Count(); i < n; ++i) items.emplace_back(Strings->Get(i), Strings->GetObject(i));
  BeginUpdate();
  try {
    AddItems(std::move(items));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::Exchange(Integer Index1, Integer Index2) {
  BeginUpdate();
  String s = Get(Index1);
  TObject* o = GetObject(Index1);
  Put(Index1, Get(Index2));
  PutObject(Index1, GetObject(Index2));
  Put(Index2, s);
  PutObject(Index2, o);
  EndUpdate();
}

void TStrings::Move(Integer CurIndex, Integer NewIndex) {
  if (CurIndex == NewIndex) return;
  BeginUpdate();
  String s = Get(CurIndex);
  TObject* o = GetObject(CurIndex);
  Delete(CurIndex);
  InsertObject(NewIndex, s, o);
  EndUpdate();
}

Integer TStrings::CompareStrings(const String& S1, const String& S2) const {
  return FCaseSensitive ? CompareStr(S1, S2) : CompareText(S1, S2);
}

Integer TStrings::IndexOf(const String& S) const {
  for (Integer i = 0, n = Count(); i < n; ++i)
    if (CompareStrings(Get(i), S) == 0) return i;
  return -1;
}

Integer TStrings::IndexOfName(const String& Name) const {
  for (Integer i = 0, n = Count(); i < n; ++i) {
    String s = Get(i);
    size_t p = s.find(FNameValueSeparator);
    if (p != String::npos && CompareStrings(s.substr(0, p), Name) == 0) return i;
  }
  return -1;
}

Integer TStrings::IndexOfObject(const TObject* AObject) const {
  for (Integer i = 0, n = Count(); i < n; ++i)
    if (GetObject(i) == AObject) return i;
  return -1;
}

bool TStrings::Equals(const TStrings* Strings) const {
  if (!Strings || Strings->Count() != Count()) return false;
  for (Integer i = 0, n = Count(); i < n; ++i)
    if (Get(i) != Strings->Get(i)) return false;
  return true;
}

String TStrings::Names(Integer Index) const {
  String s = Get(Index);
  size_t p = s.find(FNameValueSeparator);
  return p == String::npos ? String() : s.substr(0, p);
}

String TStrings::ValueFromIndex(Integer Index) const {
  if (Index < 0 || Index >= Count()) return String();
  String s = Get(Index);
  size_t p = s.find(FNameValueSeparator);
  return p == String::npos ? String() : s.substr(p + 1);
}

String TStrings::Values(const String& Name) const {
  Integer i = IndexOfName(Name);
  return i < 0 ? String() : ValueFromIndex(i);
}

void TStrings::SetValues(const String& Name, const String& Value) {
  Integer i = IndexOfName(Name);
  if (!Value.empty()) {
    String line = Name + FNameValueSeparator + Value;
    if (i < 0) Add(line);
    else Put(i, line);
  } else if (i >= 0) {
    Delete(i);
  }
}

String TStrings::Text() const {
  String out;
  for (Integer i = 0, n = Count(); i < n; ++i) out += Get(i) + FLineBreak;
  return out;
}

void TStrings::SetText(const String& Value) {
  TItems lines;
  size_t start = 0, n = Value.size();
  while (start < n) {
    size_t end = Value.find_first_of(u"\r\n", start);
    if (end == String::npos) end = n;
    lines.emplace_back(Value.substr(start, end - start), nullptr);
    if (end < n && Value[end] == u'\r' && end + 1 < n && Value[end + 1] == u'\n') ++end;
    start = end + 1;
  }
  BeginUpdate();
  try {
    Clear();
    AddItems(std::move(lines));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

String TStrings::DelimitedText() const {
  const Integer n = Count();
  if (n == 1 && Get(0).empty()) return String(2, FQuoteChar);
  String out;
  for (Integer i = 0; i < n; ++i) {
    String s = Get(i);
    bool quote = std::any_of(s.begin(), s.end(), [&](char16_t c) {
      return c == FDelimiter || c == FQuoteChar || (!FStrictDelimiter && c <= u' ');
    });
    if (i > 0) out += FDelimiter;
    if (quote) {
      out += FQuoteChar;
      for (char16_t c : s) {
        if (c == FQuoteChar) out += FQuoteChar;
        out += c;
      }
      out += FQuoteChar;
    } else {
      out += s;
    }
  }
  return out;
}

void TStrings::SetDelimitedText(const String& Value) {
  const size_t n = Value.size();
  auto blank = [&](size_t i) { return i < n && Value[i] >= 1 && Value[i] <= u' '; };
  BeginUpdate();
  try {
    Clear();
    size_t p = 0;
    if (!FStrictDelimiter) while (blank(p)) ++p;
    while (p < n) {
      String s;
      if (Value[p] == FQuoteChar) {
        // Quoted: a doubled quote stands for one; the item ends at the single closing quote.
        ++p;
        while (p < n) {
          if (Value[p] == FQuoteChar) {
            if (p + 1 < n && Value[p + 1] == FQuoteChar) { s += FQuoteChar; p += 2; continue; }
            ++p;
            break;
          }
          s += Value[p++];
        }
      } else {
        size_t start = p;
        while (p < n && Value[p] != FDelimiter && (FStrictDelimiter || Value[p] > u' ')) ++p;
        s = Value.substr(start, p - start);
      }
      Add(s);
      if (!FStrictDelimiter) while (blank(p)) ++p;
      if (p < n && Value[p] == FDelimiter) {
        if (p + 1 == n) Add(String());
        do ++p; while (!FStrictDelimiter && blank(p));
      }
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

String TStrings::CommaText() const {
  TStrings& self = const_cast<TStrings&>(*this);
  char16_t d = FDelimiter, q = FQuoteChar;
  bool strict = FStrictDelimiter;
  self.FDelimiter = u',';
  self.FQuoteChar = u'"';
  self.FStrictDelimiter = false;
  String r = DelimitedText();
  self.FDelimiter = d;
  self.FQuoteChar = q;
  self.FStrictDelimiter = strict;
  return r;
}

void TStrings::SetCommaText(const String& Value) {
  char16_t d = FDelimiter, q = FQuoteChar;
  bool strict = FStrictDelimiter;
  FDelimiter = u',';
  FQuoteChar = u'"';
  FStrictDelimiter = false;
  try {
    SetDelimitedText(Value);
  } catch (...) {
    FDelimiter = d, FQuoteChar = q, FStrictDelimiter = strict;
    throw;
  }
  FDelimiter = d, FQuoteChar = q, FStrictDelimiter = strict;
}

void TStrings::LoadFromStream(TStream* Stream) {
  Int64 size = Stream->Size() - Stream->Position();
  std::string bytes(size_t(std::max<Int64>(size, 0)), '\0');
  bytes.resize(size_t(Stream->Read(bytes.data(), Int64(bytes.size()))));
  String text;
  auto u16 = [&](bool big) {
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
      unsigned char a = bytes[i], b = bytes[i + 1];
      text += char16_t(big ? (a << 8 | b) : (b << 8 | a));
    }
  };
  if (bytes.size() >= 2 && (unsigned char)bytes[0] == 0xFF && (unsigned char)bytes[1] == 0xFE) u16(false);
  else if (bytes.size() >= 2 && (unsigned char)bytes[0] == 0xFE && (unsigned char)bytes[1] == 0xFF) u16(true);
  else if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) text = FromUtf8(std::string_view(bytes).substr(3));
  else text = FromUtf8(bytes);
  SetText(text);
}

void TStrings::SaveToStream(TStream* Stream) const {
  std::string bytes = ToUtf8(Text());
  Stream->WriteBuffer(bytes.data(), Int64(bytes.size()));
}

void TStrings::LoadFromFile(const String& FileName) {
  TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&f);
}

void TStrings::SaveToFile(const String& FileName) const {
  TFileStream f(FileName, fmCreate);
  SaveToStream(&f);
}

void TStrings::BeginUpdate() {
  if (FUpdateCount++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TStrings*>(Source)) {
    if (src == this) return;
    BeginUpdate();
    try {
      Clear();
      FNameValueSeparator = src->FNameValueSeparator;
      FDelimiter = src->FDelimiter;
      FQuoteChar = src->FQuoteChar;
      FStrictDelimiter = src->FStrictDelimiter;
      FLineBreak = src->FLineBreak;
      AddStrings(src);
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
    return;
  }
  TPersistent::Assign(Source);
}

// [TStringList] ------------------------------------------------------------------
TStringList::~TStringList() {
  FOnChange = nullptr;
  FOnChanging = nullptr;
  if (FOwnsObjects)
    for (TItem& it : FList) delete it.Obj;
}

void TStringList::CheckIndex(Integer Index) const {
  if (Index < 0 || Index >= Count()) Error("List index out of bounds (%d)", Index);
}

String TStringList::Get(Integer Index) const {
  CheckIndex(Index);
  return FList[size_t(Index)].S;
}

void TStringList::Put(Integer Index, const String& S) {
  if (FSorted) Error("Operation not allowed on sorted list", 0);
  CheckIndex(Index);
  Changing();
  FList[size_t(Index)].S = S;
  Changed();
}

TObject* TStringList::GetObject(Integer Index) const {
  CheckIndex(Index);
  return FList[size_t(Index)].Obj;
}

void TStringList::PutObject(Integer Index, TObject* AObject) {
  CheckIndex(Index);
  Changing();
  FList[size_t(Index)].Obj = AObject;
  Changed();
}

Integer TStringList::Add(const String& S) { return AddObject(S, nullptr); }

Integer TStringList::AddObject(const String& S, TObject* AObject) {
  Integer index = Count();
  if (FSorted && Find(S, index)) {
    if (FDuplicates == dupIgnore) return index;
    if (FDuplicates == dupError) Error("String list does not allow duplicates", 0);
  }
  InsertItem(index, S, AObject);
  return index;
}

void TStringList::Insert(Integer Index, const String& S) { InsertObject(Index, S, nullptr); }

void TStringList::InsertObject(Integer Index, const String& S, TObject* AObject) {
  if (FSorted) Error("Operation not allowed on sorted list", 0);
  if (Index < 0 || Index > Count()) Error("List index out of bounds (%d)", Index);
  InsertItem(Index, S, AObject);
}

void TStringList::InsertItem(Integer Index, const String& S, TObject* AObject) {
  Changing();
  FList.insert(FList.begin() + Index, TItem{S, AObject});
  Changed();
}

void TStringList::Delete(Integer Index) {
  CheckIndex(Index);
  Changing();
  TObject* obj = FList[size_t(Index)].Obj;
  FList.erase(FList.begin() + Index);
  if (FOwnsObjects) delete obj;
  Changed();
}

void TStringList::Clear() {
  if (FList.empty()) return;
  Changing();
  std::vector<TItem> old;
  old.swap(FList);
  if (FOwnsObjects)
    for (TItem& it : old) delete it.Obj;
  Changed();
}

void TStringList::Exchange(Integer Index1, Integer Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  Changing();
  std::swap(FList[size_t(Index1)], FList[size_t(Index2)]);
  Changed();
}

bool TStringList::Find(const String& S, Integer& Index) const {
  auto it = std::lower_bound(FList.begin(), FList.end(), S,
                             [&](const TItem& a, const String& b) { return CompareStrings(a.S, b) < 0; });
  Index = Integer(it - FList.begin());
  return it != FList.end() && CompareStrings(it->S, S) == 0;
}

Integer TStringList::IndexOf(const String& S) const {
  if (!FSorted) return TStrings::IndexOf(S);
  Integer i;
  return Find(S, i) ? i : -1;
}

void TStringList::Sort() {
  CustomSort([](TStringList* L, Integer a, Integer b) {
    return L->CompareStrings(L->FList[size_t(a)].S, L->FList[size_t(b)].S);
  });
}

void TStringList::CustomSort(const TStringListSortCompare& Compare) {
  if (FList.size() < 2) return;
  // The comparer reads the list by index, so sort a permutation of the untouched list, then apply it.
  std::vector<Integer> order(FList.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](Integer a, Integer b) { return Compare(this, a, b) < 0; });
  Changing();
  std::vector<TItem> sorted;
  sorted.reserve(FList.size());
  for (Integer i : order) sorted.push_back(std::move(FList[size_t(i)]));
  FList.swap(sorted);
  Changed();
}

void TStringList::AddItems(TItems&& Items) {
  if (Items.empty()) return;
  if (!FSorted || Items.size() < 16) {
    TStrings::AddItems(std::move(Items));
    return;
  }
  // One sort instead of an insertion per line. Stable, with the old lines first, so that among equal
  // strings the first one added is the one dupIgnore keeps.
  std::vector<TItem> all = FList;
  all.reserve(all.size() + Items.size());
  for (auto& [s, o] : Items) all.push_back(TItem{std::move(s), o});
  auto less = [&](const TItem& a, const TItem& b) { return CompareStrings(a.S, b.S) < 0; };
  std::stable_sort(all.begin(), all.end(), less);
  if (FDuplicates != dupAccept) {
    auto same = [&](const TItem& a, const TItem& b) { return CompareStrings(a.S, b.S) == 0; };
    auto dup = std::adjacent_find(all.begin(), all.end(), same);
    if (dup != all.end() && FDuplicates == dupError) Error("String list does not allow duplicates", 0);
    all.erase(std::unique(all.begin(), all.end(), same), all.end());
  }
  Changing();
  FList.swap(all);
  Changed();
}

void TStringList::SetSorted(bool Value) {
  if (Value == FSorted) return;
  if (Value) Sort();
  FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
  if (Value == CaseSensitive()) return;
  TStrings::SetCaseSensitive(Value);
  if (FSorted) Sort();
}

void TStringList::SetUpdateState(bool Updating) {
  if (Updating) {
    if (FOnChanging) FOnChanging(this);
  } else {
    if (FOnChange) FOnChange(this);
  }
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && FOnChanging) FOnChanging(this);
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && FOnChange) FOnChange(this);
}

}  // namespace jox
