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

// [names] ------------------------------------------------------------------------
namespace {

bool CarriedByte(char16_t C) { return C >= 0xDC80 && C <= 0xDCFF; }

// Length of the UTF-8 character at P (1 .. 4), or 0 when the bytes there are none.
size_t Utf8CharLength(std::string_view S, size_t P) {
  const auto b = static_cast<unsigned char>(S[P]);
  if (b < 0x80) return 1;
  size_t extra;
  char32_t c;
  if ((b & 0xE0) == 0xC0) { c = b & 0x1F; extra = 1; }
  else if ((b & 0xF0) == 0xE0) { c = b & 0x0F; extra = 2; }
  else if ((b & 0xF8) == 0xF0) { c = b & 0x07; extra = 3; }
  else return 0;
  if (P + extra >= S.size()) return 0;
  for (size_t k = 1; k <= extra; ++k) {
    const auto t = static_cast<unsigned char>(S[P + k]);
    if ((t & 0xC0) != 0x80) return 0;
    c = (c << 6) | (t & 0x3F);
  }
  static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
  if (c < kMin[extra] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) return 0;
  return extra + 1;
}

}  // namespace

std::string FileNameToBytes(std::u16string_view Name) {
  std::string out;
  size_t from = 0;
  for (size_t i = 0; i < Name.size(); ++i) {
    // A low surrogate right after a high one is half of a character, not a carried byte.
    if (!CarriedByte(Name[i]) || (i > 0 && Name[i - 1] >= 0xD800 && Name[i - 1] < 0xDC00)) continue;
    out += ToUtf8(Name.substr(from, i - from));
    out += char(Name[i] - 0xDC00);
    from = i + 1;
  }
  out += ToUtf8(Name.substr(from));
  return out;
}

String FileNameFromBytes(std::string_view Bytes) {
  String out;
  size_t from = 0, i = 0;
  while (i < Bytes.size()) {
    const size_t n = Utf8CharLength(Bytes, i);
    if (n > 0) {
      i += n;
      continue;
    }
    out += FromUtf8(Bytes.substr(from, i - from));
    out += char16_t(0xDC00 + static_cast<unsigned char>(Bytes[i]));
    from = ++i;
  }
  out += FromUtf8(Bytes.substr(from));
  return out;
}

String FileNameDisplay(const String& Name) {
  String out = Name;
  for (size_t i = 0; i < out.size(); ++i)
    if (CarriedByte(out[i]) && !(i > 0 && Name[i - 1] >= 0xD800 && Name[i - 1] < 0xDC00)) out[i] = u'\uFFFD';
  return out;
}

static fs::path ToPath(const String& S) { return fs::path(FileNameToBytes(S)); }
static String FromPath(const fs::path& P) { return FileNameFromBytes(P.string()); }

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
  Rec.Name = FileNameFromBytes(Name);
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
  std::string pattern = FileNameToBytes(ExtractFileName(Path));
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
  return !FileName.empty() && ::stat(FileNameToBytes(FileName).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const String& Directory) {
  struct stat st {};
  return !Directory.empty() && ::stat(FileNameToBytes(Directory).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool ForceDirectories(const String& Dir) {
  if (Dir.empty()) throw EInOutError(u"Unable to create directory");
  String d = ExcludeTrailingPathDelimiter(Dir);
  if (d.empty() || DirectoryExists(d)) return true;
  std::error_code ec;
  fs::create_directories(ToPath(d), ec);
  return DirectoryExists(d);
}

bool CreateDir(const String& Dir) { return !Dir.empty() && ::mkdir(FileNameToBytes(Dir).c_str(), 0777) == 0; }
bool RemoveDir(const String& Dir) {
  return !Dir.empty() && ::rmdir(FileNameToBytes(ExcludeTrailingPathDelimiter(Dir)).c_str()) == 0;
}

bool DeleteFile(const String& FileName) {
  if (FileName.empty() || DirectoryExists(FileName)) return false;
  return ::unlink(FileNameToBytes(FileName).c_str()) == 0;
}

bool RenameFile(const String& OldName, const String& NewName) {
  return !OldName.empty() && !NewName.empty() && std::rename(FileNameToBytes(OldName).c_str(), FileNameToBytes(NewName).c_str()) == 0;
}

Int64 FileSizeOf(const String& FileName) {
  struct stat st {};
  if (FileName.empty() || ::stat(FileNameToBytes(FileName).c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return -1;
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
