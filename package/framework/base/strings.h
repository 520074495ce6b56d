// String lists: TStrings and the sorted, object-carrying TStringList.
#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "package/framework/base/object.h"

namespace jox {

JOX_DECLARE_EXCEPTION(EStringListError, EListError);

enum TDuplicates : uint8_t { dupIgnore, dupAccept, dupError };

// A list of strings, each with an object pointer. Indexes are 0-based; a bad index raises
// EStringListError "List index out of bounds (n)".
class TStrings : public TPersistent {
 public:
  virtual Integer Count() const = 0;
  virtual String Get(Integer Index) const = 0;
  virtual void Put(Integer Index, const String& S);
  virtual TObject* GetObject(Integer Index) const;
  virtual void PutObject(Integer Index, TObject* AObject);
  virtual void Insert(Integer Index, const String& S) = 0;
  virtual void InsertObject(Integer Index, const String& S, TObject* AObject);
  virtual void Delete(Integer Index) = 0;
  virtual void Clear() = 0;
  virtual Integer Add(const String& S);
  virtual Integer AddObject(const String& S, TObject* AObject);
  void Append(const String& S) { Add(S); }
  virtual void AddStrings(const TStrings* Strings);
  virtual void Exchange(Integer Index1, Integer Index2);
  virtual void Move(Integer CurIndex, Integer NewIndex);
  virtual Integer IndexOf(const String& S) const;  // -1 when absent
  Integer IndexOfName(const String& Name) const;
  Integer IndexOfObject(const TObject* AObject) const;
  bool Equals(const TStrings* Strings) const;

  String Strings(Integer Index) const { return Get(Index); }
  void SetStrings(Integer Index, const String& S) { Put(Index, S); }
  String operator[](Integer Index) const { return Get(Index); }
  TObject* Objects(Integer Index) const { return GetObject(Index); }
  void SetObjects(Integer Index, TObject* AObject) { PutObject(Index, AObject); }

  // "name=value" lines.
  String Names(Integer Index) const;
  String ValueFromIndex(Integer Index) const;
  String Values(const String& Name) const;
  void SetValues(const String& Name, const String& Value);  // "" removes the line
  char16_t NameValueSeparator() const { return FNameValueSeparator; }
  void SetNameValueSeparator(char16_t C) { FNameValueSeparator = C; }

  // Lines joined with LineBreak after each; SetText splits at CR LF, LF or CR.
  virtual String Text() const;
  virtual void SetText(const String& Value);
  const String& LineBreak() const { return FLineBreak; }
  void SetLineBreak(const String& Value) { FLineBreak = Value; }
  // Delimiter ',' and QuoteChar '"'; items holding spaces, delimiters or quotes are quoted.
  String DelimitedText() const;
  void SetDelimitedText(const String& Value);
  String CommaText() const;
  void SetCommaText(const String& Value);
  char16_t Delimiter() const { return FDelimiter; }
  void SetDelimiter(char16_t C) { FDelimiter = C; }
  char16_t QuoteChar() const { return FQuoteChar; }
  void SetQuoteChar(char16_t C) { FQuoteChar = C; }
  // When true, only the delimiter separates items (spaces stay inside them).
  bool StrictDelimiter() const { return FStrictDelimiter; }
  void SetStrictDelimiter(bool V) { FStrictDelimiter = V; }
  // Case sensitivity of IndexOf, Values and sorting; false by default.
  bool CaseSensitive() const { return FCaseSensitive; }
  virtual void SetCaseSensitive(bool Value) { FCaseSensitive = Value; }

  // UTF-8 files and streams; a byte-order mark is skipped on reading and not written.
  void LoadFromFile(const String& FileName);
  void SaveToFile(const String& FileName) const;
  void LoadFromStream(class TStream* Stream);
  void SaveToStream(class TStream* Stream) const;

  void BeginUpdate();
  void EndUpdate();
  Integer UpdateCount() const { return FUpdateCount; }

  void Assign(TPersistent* Source) override;

 protected:
  using TItems = std::vector<std::pair<String, TObject*>>;
  virtual void SetUpdateState(bool Updating) {}
  // Adds many lines at once (text, files, other lists); a sorted list merges them in one sort.
  virtual void AddItems(TItems&& Items);
  Integer CompareStrings(const String& S1, const String& S2) const;
  [[noreturn]] static void Error(const char* Msg, Integer Data);

 private:
  Integer FUpdateCount = 0;
  char16_t FNameValueSeparator = u'=';
  char16_t FDelimiter = u',';
  char16_t FQuoteChar = u'"';
  bool FStrictDelimiter = false;
  bool FCaseSensitive = false;
  String FLineBreak = u"\r\n";
};

class TStringList;
using TStringListSortCompare = std::function<Integer(TStringList* List, Integer Index1, Integer Index2)>;

class TStringList : public TStrings {
 public:
  TStringList() = default;
  explicit TStringList(bool OwnsObjects) : FOwnsObjects(OwnsObjects) {}
  ~TStringList() override;

  Integer Count() const override { return Integer(FList.size()); }
  String Get(Integer Index) const override;
  void Put(Integer Index, const String& S) override;  // EStringListError on a sorted list
  TObject* GetObject(Integer Index) const override;
  void PutObject(Integer Index, TObject* AObject) override;
  // Adding to a sorted list inserts at the sorted place and honours Duplicates.
  Integer Add(const String& S) override;
  Integer AddObject(const String& S, TObject* AObject) override;
  void Insert(Integer Index, const String& S) override;  // "Operation not allowed on sorted list"
  void InsertObject(Integer Index, const String& S, TObject* AObject) override;
  void Delete(Integer Index) override;
  void Clear() override;
  void Exchange(Integer Index1, Integer Index2) override;
  Integer IndexOf(const String& S) const override;  // binary search when sorted
  // Binary search of a sorted list: true when found; Index is the match or the insertion place.
  bool Find(const String& S, Integer& Index) const;
  // Stable sort by CompareStrings (case-insensitive unless CaseSensitive).
  virtual void Sort();
  void CustomSort(const TStringListSortCompare& Compare);

  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
  void SetCaseSensitive(bool Value) override;
  // When true, deleting a line or the list deletes its object.
  bool OwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent E) { FOnChange = std::move(E); }
  const TNotifyEvent& OnChanging() const { return FOnChanging; }
  void SetOnChanging(TNotifyEvent E) { FOnChanging = std::move(E); }

 protected:
  void SetUpdateState(bool Updating) override;
  void AddItems(TItems&& Items) override;
  virtual void Changed();
  virtual void Changing();

 private:
  struct TItem {
    String S;
    TObject* Obj = nullptr;
  };
  void InsertItem(Integer Index, const String& S, TObject* AObject);
  void CheckIndex(Integer Index) const;

  std::vector<TItem> FList;
  bool FSorted = false;
  bool FOwnsObjects = false;
  TDuplicates FDuplicates = dupIgnore;
  TNotifyEvent FOnChange, FOnChanging;
};

}  // namespace jox
