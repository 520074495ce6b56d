#include "package/core/fileutil.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "package/framework/base/streams.h"

namespace jox {

// [text encodings] ------------------------------------------------------------------

bool IsValidUtf8(std::string_view s) {
  size_t i = 0;
  const size_t n = s.size();
  while (i < n) {
    // Runs of ASCII, eight bytes at a time.
    while (i + 8 <= n) {
      uint64_t w;
      std::memcpy(&w, s.data() + i, 8);
      if (w & 0x8080808080808080ull) break;
      i += 8;
    }
    if (i >= n) break;
    const unsigned char b = s[i];
    if (b < 0x80) {
      ++i;
      continue;
    }
    int extra;
    char32_t c;
    if ((b & 0xE0) == 0xC0) extra = 1, c = b & 0x1F;
    else if ((b & 0xF0) == 0xE0) extra = 2, c = b & 0x0F;
    else if ((b & 0xF8) == 0xF0) extra = 3, c = b & 0x07;
    else return false;
    if (i + size_t(extra) >= n) return false;
    for (int k = 1; k <= extra; ++k) {
      const unsigned char t = s[i + size_t(k)];
      if ((t & 0xC0) != 0x80) return false;
      c = (c << 6) | (t & 0x3F);
    }
    static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (c < kMin[extra] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) return false;
    i += size_t(extra) + 1;
  }
  return true;
}

namespace {

// Windows-1252 at 0x80..0x9F; its five unassigned bytes keep their C1 code points.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::string Utf16ToUtf8(std::string_view b, bool big) {
  String text(b.size() / 2, u'\0');
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char x = b[2 * i], y = b[2 * i + 1];
    text[i] = big ? char16_t(x << 8 | y) : char16_t(y << 8 | x);
  }
  if (b.size() % 2) text += u'\uFFFD';  // a cut-off last unit
  return ToUtf8(text);  // an unpaired surrogate, which UTF-8 cannot hold, becomes U+FFFD
}

}  // namespace

std::string TextBytesToUtf8(std::string Bytes) {
  const std::string_view b(Bytes);
  if (b.substr(0, 3) == "\xEF\xBB\xBF") return Bytes.erase(0, 3);
  if (b.substr(0, 2) == "\xFF\xFE") return Utf16ToUtf8(b.substr(2), false);
  if (b.substr(0, 2) == "\xFE\xFF") return Utf16ToUtf8(b.substr(2), true);
  if (IsValidUtf8(b)) return Bytes;
  String text(Bytes.size(), u'\0');
  for (size_t i = 0; i < Bytes.size(); ++i) {
    const unsigned char c = Bytes[i];
    text[i] = c >= 0x80 && c < 0xA0 ? kCp1252High[c - 0x80] : char16_t(c);
  }
  return ToUtf8(text);
}

std::string_view TextBytesAsUtf8(std::string& Bytes) {
  const std::string_view b(Bytes);
  if (b.substr(0, 3) == "\xEF\xBB\xBF") return b.substr(3);
  if (b.substr(0, 2) != "\xFF\xFE" && b.substr(0, 2) != "\xFE\xFF" && IsValidUtf8(b)) return b;
  Bytes = TextBytesToUtf8(std::move(Bytes));
  return Bytes;
}

std::string ReadTextFileUtf8(const String& FName) { return TextBytesToUtf8(ReadFileBytes(FName)); }

std::string ReadFileBytes(const String& FName) {
  TFileStream f(FName, fmOpenRead);
  std::string data;
  const Int64 size = f.Size();
  if (size > 0) {
    data.resize(size_t(size));
    data.resize(size_t(std::max<Int64>(f.Read(data.data(), size), 0)));
  }
  // A file that grew while it was read: take the rest too.
  char buf[1 << 14];
  for (Int64 got; (got = f.Read(buf, sizeof buf)) > 0;) data.append(buf, size_t(got));
  return data;
}

size_t FindLoneSurrogate(std::u16string_view S) {
  for (size_t i = 0; i < S.size(); ++i) {
    const char16_t c = S[i];
    if (c < 0xD800 || c >= 0xE000) continue;
    if (c < 0xDC00 && i + 1 < S.size() && S[i + 1] >= 0xDC00 && S[i + 1] < 0xE000) {
      ++i;
      continue;
    }
    return i;
  }
  return std::u16string_view::npos;
}

// [saving] ------------------------------------------------------------------------------

namespace {

// The new file of a safe save. It is flushed to the disk before it replaces the old one; asking
// the system to start writing each few megabytes as they come lets that flush overlap the
// writing instead of waiting for all of it at the end.
class TSaveStream : public TFileStream {
 public:
  explicit TSaveStream(const String& Name) : TFileStream(Name, fmCreate) {}
  Int64 Write(const void* Buffer, Int64 Count) override {
    const Int64 n = TFileStream::Write(Buffer, Count);
    FWritten += std::max<Int64>(n, 0);
#if defined(__linux__) && defined(SYNC_FILE_RANGE_WRITE)
    if (FWritten - FStarted >= kStep) {
      ::sync_file_range(Handle(), FStarted, FWritten - FStarted, SYNC_FILE_RANGE_WRITE);  // a hint: errors show at fsync
      FStarted = FWritten;
    }
#endif
    return n;
  }

 private:
  static constexpr Int64 kStep = Int64(8) << 20;
  Int64 FWritten = 0, FStarted = 0;
};

}  // namespace

void SaveFileSafely(const String& FName, const std::function<void(TStream& Out)>& Write) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path target(ToUtf8(FName));
  // A link stays a link: its target is what gets replaced.
  if (fs::is_symlink(fs::symlink_status(target, ec))) {
    const fs::path real = fs::canonical(target, ec);
    if (!ec) target = real;
  }
  static std::atomic<unsigned> counter{0};
  fs::path temp = target;
  temp.replace_filename("." + target.filename().string() + "." + std::to_string(::getpid()) + "." +
                        std::to_string(counter++) + ".tmp");
  const String tempName = FromUtf8(temp.string());
  try {
    {
      TSaveStream out(tempName);
      Write(out);
    }
    const int fd = ::open(temp.c_str(), O_RDONLY | O_CLOEXEC);
    const bool synced = fd >= 0 && ::fsync(fd) == 0;
    const int err = errno;
    if (fd >= 0) ::close(fd);
    if (!synced) throw EWriteError(u"Cannot write file \"" + FName + u"\". " + SysErrorMessage(err));
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) ::chmod(temp.c_str(), st.st_mode & 07777);
    if (std::rename(temp.c_str(), target.c_str()) != 0)
      throw EFCreateError(u"Cannot create file \"" + FName + u"\". " + SysErrorMessage(errno));
  } catch (...) {
    ::unlink(temp.c_str());
    throw;
  }
}

String ReadLnStream(TStream* Stream, bool& Eof, Integer MaxLen) {
  Eof = true;
  if (!Stream) return String();
  // Bytes kept: enough for MaxLen characters of up to four bytes each.
  const size_t keep = MaxLen > 0 ? size_t(MaxLen) * 4 : 0;
  std::string line;
  char buf[4096];
  bool ended = false, sawCR = false;
  while (!ended) {
    const Int64 got = Stream->Read(buf, sizeof buf);
    if (got <= 0) break;
    Int64 i = 0;
    if (sawCR) {  // a CR ended the previous chunk; swallow its LF
      if (buf[0] == '\n') i = 1;
      Stream->Seek(i - got, soCurrent);
      ended = true;
      break;
    }
    for (; i < got; ++i) {
      const char c = buf[i];
      if (c == '\n' || c == '\r') {
        Int64 next = i + 1;
        if (c == '\r') {
          if (next == got) {
            sawCR = true;
            break;
          }
          if (buf[next] == '\n') ++next;
        }
        Stream->Seek(next - got, soCurrent);
        ended = true;
        break;
      }
      if (line.size() < keep) line += c;
    }
  }
  // Eof when nothing follows the line.
  char probe;
  if (Stream->Read(&probe, 1) == 1) {
    Stream->Seek(-1, soCurrent);
    Eof = false;
  }
  String s = FromUtf8(line);
  if (MaxLen <= 0) return String();
  if (s.size() > size_t(MaxLen)) s.resize(size_t(MaxLen));
  return s;
}

bool DirExists(const String& Path) {
  if (Path.empty()) return false;
  std::error_code ec;
  return std::filesystem::is_directory(std::filesystem::path(FileNameToBytes(Path)), ec);
}

String ParentDir(const String& Path) {
  size_t end = Path.size();
  while (end > 1 && Path[end - 1] == u'/') --end;  // "/a/b/" is "/a/b"
  const String p = Path.substr(0, end);
  if (p.empty() || p == u"/") return String();
  const size_t cut = p.rfind(u'/');
  if (cut == String::npos) return String();
  if (cut == 0) return u"/";
  size_t stop = cut;
  while (stop > 1 && p[stop - 1] == u'/') --stop;
  return p.substr(0, stop);
}

}  // namespace jox
