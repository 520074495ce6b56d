// Files and folders: search, existence, creation and removal, file name parts.
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>
#include <vector>

#include "package/framework/base/sysutils.h"

namespace fs = std::filesystem;

namespace jox {

static fs::path ToPath(const String& S) { return fs::path(ToUtf8(S)); }
static String FromPath(const fs::path& P) { return FromUtf8(P.string()); }

String SysErrorMessage(Integer ErrorCode) { return FromUtf8(std::generic_category().message(ErrorCode)); }

// [search] -----------------------------------------------------------------------
namespace {
struct TFindState {
  std::vector<TSearchRec> Found;
  size_t Next = 0;
};

TDateTime LocalDateTime(std::time_t t) {
  std::tm tm{};
  localtime_r(&t, &tm);
  TDateTime d;
  if (!TryEncodeDate(Word(tm.tm_year + 1900), Word(tm.tm_mon + 1), Word(tm.tm_mday), d)) return 0;
  return d + EncodeTime(Word(tm.tm_hour), Word(tm.tm_min), Word(std::min(tm.tm_sec, 59)), 0);
}

// Fills Rec from the entry's status; false when it cannot be read (e.g. removed meanwhile).
bool Describe(const fs::path& Full, const std::string& Name, TSearchRec& Rec) {
  struct stat st {}, lst {};
  if (::stat(Full.c_str(), &st) != 0) {
    // A dangling link is still listed, as a link.
    if (::lstat(Full.c_str(), &st) != 0) return false;
  }
  Integer attr = 0;
  if (S_ISDIR(st.st_mode)) attr |= faDirectory;
  else if (!S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode)) attr |= faSysFile;
  if (::lstat(Full.c_str(), &lst) == 0 && S_ISLNK(lst.st_mode)) attr |= faSymLink;
  if (Name.size() > 1 && Name[0] == '.' && Name != "..") attr |= faHidden;
  if ((st.st_mode & S_IWUSR) == 0) attr |= faReadOnly;
  if (attr == 0) attr = faNormal;
  Rec.Attr = attr;
  Rec.Name = FromUtf8(Name);
  Rec.Size = S_ISDIR(st.st_mode) ? 0 : Int64(st.st_size);
  Rec.Time = Int64(st.st_mtime);
  Rec.TimeStamp = LocalDateTime(st.st_mtime);
  return true;
}
}  // namespace

Integer FindFirst(const String& Path, Integer Attr, TSearchRec& F) {
  FindClose(F);
  F.ExcludeAttr = ~Attr & (faHidden | faSysFile | faVolumeID | faDirectory);
  String dirPart = ExtractFilePath(Path);
  std::string pattern = ToUtf8(ExtractFileName(Path));
  // "*.*" is the habitual "everything", also names without a dot.
  if (pattern == "*.*") pattern = "*";
  if (pattern.empty()) return 2;
  fs::path dir = dirPart.empty() ? fs::path(".") : ToPath(dirPart);

  auto state = std::make_shared<TFindState>();
  auto consider = [&](const std::string& name) {
    if (fnmatch(pattern.c_str(), name.c_str(), 0) != 0) return;
    TSearchRec rec;
    if (!Describe(dir / name, name, rec)) return;
    if (rec.Attr & F.ExcludeAttr) return;
    state->Found.push_back(std::move(rec));
  };
  std::error_code ec;
  fs::directory_iterator it(dir, fs::directory_options::skip_permission_denied, ec);
  if (ec) return 2;
  consider(".");
  consider("..");
  size_t specials = state->Found.size();
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) break;
    consider(it->path().filename().string());
  }
  std::sort(state->Found.begin() + Integer(specials), state->Found.end(),
            [](const TSearchRec& a, const TSearchRec& b) { return a.Name < b.Name; });
  if (state->Found.empty()) return 2;
  F.FindHandle = state;
  return FindNext(F) == 0 ? 0 : 2;
}

Integer FindNext(TSearchRec& F) {
  auto* state = static_cast<TFindState*>(F.FindHandle.get());
  if (!state || state->Next >= state->Found.size()) return 18;
  const TSearchRec& r = state->Found[state->Next++];
  F.Name = r.Name;
  F.Attr = r.Attr;
  F.Size = r.Size;
  F.Time = r.Time;
  F.TimeStamp = r.TimeStamp;
  return 0;
}

void FindClose(TSearchRec& F) { F.FindHandle.reset(); }

// [existence, creation, removal] -------------------------------------------------
bool FileExists(const String& FileName) {
  struct stat st {};
  return !FileName.empty() && ::stat(ToUtf8(FileName).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const String& Directory) {
  struct stat st {};
  return !Directory.empty() && ::stat(ToUtf8(Directory).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool ForceDirectories(const String& Dir) {
  if (Dir.empty()) throw EInOutError(u"Unable to create directory");
  String d = ExcludeTrailingPathDelimiter(Dir);
  if (d.empty() || DirectoryExists(d)) return true;
  std::error_code ec;
  fs::create_directories(ToPath(d), ec);
  return DirectoryExists(d);
}

bool CreateDir(const String& Dir) { return !Dir.empty() && ::mkdir(ToUtf8(Dir).c_str(), 0777) == 0; }
bool RemoveDir(const String& Dir) {
  return !Dir.empty() && ::rmdir(ToUtf8(ExcludeTrailingPathDelimiter(Dir)).c_str()) == 0;
}

bool DeleteFile(const String& FileName) {
  if (FileName.empty() || DirectoryExists(FileName)) return false;
  return ::unlink(ToUtf8(FileName).c_str()) == 0;
}

bool RenameFile(const String& OldName, const String& NewName) {
  return !OldName.empty() && !NewName.empty() && std::rename(ToUtf8(OldName).c_str(), ToUtf8(NewName).c_str()) == 0;
}

Int64 FileSizeOf(const String& FileName) {
  struct stat st {};
  if (FileName.empty() || ::stat(ToUtf8(FileName).c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return -1;
  return Int64(st.st_size);
}

String GetCurrentDir() {
  std::error_code ec;
  return FromPath(fs::current_path(ec));
}

String ExpandFileName(const String& FileName) {
  if (FileName.empty()) return String();
  std::error_code ec;
  fs::path p = fs::absolute(ToPath(FileName), ec);
  return FromPath(p.lexically_normal());
}

// [names] ------------------------------------------------------------------------
static size_t LastDelim(const String& S) { return S.rfind(PathDelim); }

String ExtractFilePath(const String& FileName) {
  size_t p = LastDelim(FileName);
  return p == String::npos ? String() : FileName.substr(0, p + 1);
}

String ExtractFileDir(const String& FileName) {
  size_t p = LastDelim(FileName);
  if (p == String::npos) return String();
  if (p == 0) return String(1, PathDelim);
  return FileName.substr(0, p);
}

String ExtractFileName(const String& FileName) {
  size_t p = LastDelim(FileName);
  return p == String::npos ? FileName : FileName.substr(p + 1);
}

String ExtractFileExt(const String& FileName) {
  size_t dot = FileName.find_last_of(u"./");
  if (dot == String::npos || FileName[dot] != u'.') return String();
  return FileName.substr(dot);
}

String ChangeFileExt(const String& FileName, const String& Extension) {
  size_t dot = FileName.find_last_of(u"./");
  if (dot == String::npos || FileName[dot] != u'.') return FileName + Extension;
  return FileName.substr(0, dot) + Extension;
}

String IncludeTrailingPathDelimiter(const String& S) {
  if (!S.empty() && S.back() == PathDelim) return S;
  return S + PathDelim;
}

String ExcludeTrailingPathDelimiter(const String& S) {
  if (!S.empty() && S.back() == PathDelim) return S.substr(0, S.size() - 1);
  return S;
}

}  // namespace jox
