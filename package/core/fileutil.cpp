#include "package/core/fileutil.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "package/framework/classes.h"

namespace jox {

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
  return std::filesystem::is_directory(std::filesystem::path(ToUtf8(Path)), ec);
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
