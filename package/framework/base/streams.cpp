// Streams and text files over them.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "package/framework/base/streams.h"

namespace jox {

// [TStream] ----------------------------------------------------------------------
Int64 TStream::Size() {
  Int64 pos = Seek(0, soCurrent);
  Int64 size = Seek(0, soEnd);
  Seek(pos, soBeginning);
  return size;
}

void TStream::ReadBuffer(void* Buffer, Int64 Count) {
  if (Count != 0 && Read(Buffer, Count) != Count) throw EReadError(u"Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, Int64 Count) {
  if (Count != 0 && Write(Buffer, Count) != Count) throw EWriteError(u"Stream write error");
}

Int64 TStream::CopyFrom(TStream* Source, Int64 Count) {
  if (Count == 0) {
    Source->SetPosition(0);
    Count = Source->Size();
  }
  std::vector<Byte> buf(size_t(std::min<Int64>(std::max<Int64>(Count, 1), 1 << 16)));
  Int64 left = Count;
  while (left > 0) {
    Int64 n = std::min<Int64>(left, Int64(buf.size()));
    Source->ReadBuffer(buf.data(), n);
    WriteBuffer(buf.data(), n);
    left -= n;
  }
  return Count;
}

// [TMemoryStream] ----------------------------------------------------------------
Int64 TMemoryStream::Read(void* Buffer, Int64 Count) {
  Int64 n = std::clamp<Int64>(Int64(FData.size()) - FPosition, 0, std::max<Int64>(Count, 0));
  if (n > 0) std::memcpy(Buffer, FData.data() + FPosition, size_t(n));
  FPosition += n;
  return n;
}

Int64 TMemoryStream::Write(const void* Buffer, Int64 Count) {
  if (Count <= 0) return 0;
  if (FPosition + Count > Int64(FData.size())) FData.resize(size_t(FPosition + Count));
  std::memcpy(FData.data() + FPosition, Buffer, size_t(Count));
  FPosition += Count;
  return Count;
}

Int64 TMemoryStream::Seek(Int64 Offset, TSeekOrigin Origin) {
  Int64 base = Origin == soBeginning ? 0 : Origin == soCurrent ? FPosition : Int64(FData.size());
  FPosition = std::max<Int64>(0, base + Offset);
  return FPosition;
}

void TMemoryStream::SetSize(Int64 NewSize) {
  FData.resize(size_t(std::max<Int64>(NewSize, 0)));
  FPosition = std::min<Int64>(FPosition, Int64(FData.size()));
}

void TMemoryStream::Clear() {
  FData.clear();
  FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream* Stream) {
  Stream->SetPosition(0);
  Int64 n = Stream->Size();
  SetSize(n);
  if (n) Stream->ReadBuffer(FData.data(), n);
  FPosition = 0;
}

void TMemoryStream::SaveToStream(TStream* Stream) { Stream->WriteBuffer(FData.data(), Int64(FData.size())); }

void TMemoryStream::LoadFromFile(const String& FileName) {
  TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&f);
}

void TMemoryStream::SaveToFile(const String& FileName) {
  TFileStream f(FileName, fmCreate);
  SaveToStream(&f);
}

TStringStream::TStringStream(const String& S) {
  std::string b = ToUtf8(S);
  WriteBuffer(b.data(), Int64(b.size()));
  SetPosition(0);
}

String TStringStream::DataString() const {
  return FromUtf8(std::string_view(reinterpret_cast<const char*>(Memory()),
                                   size_t(const_cast<TStringStream*>(this)->Size())));
}

// [TFileStream] ------------------------------------------------------------------
TFileStream::TFileStream(const String& FileName, Word Mode) : FFileName(FileName) {
  std::string path = ToUtf8(FileName);
  const bool create = (Mode & 0xFF00) == fmCreate;
  int flags = O_CLOEXEC;
  if (create) flags |= O_CREAT | O_TRUNC | O_RDWR;
  else if ((Mode & 3) == fmOpenWrite) flags |= O_WRONLY;
  else if ((Mode & 3) == fmOpenReadWrite) flags |= O_RDWR;
  else flags |= O_RDONLY;
  FHandle = path.empty() ? -1 : ::open(path.c_str(), flags, 0666);
  int err = path.empty() ? ENOENT : errno;
  struct stat st {};
  if (FHandle >= 0 && ::fstat(FHandle, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(FHandle);
    FHandle = -1;
    err = EISDIR;
  }
  if (FHandle < 0) {
    String reason = SysErrorMessage(err);
    if (create) throw EFCreateError(u"Cannot create file \"" + FileName + u"\". " + reason);
    throw EFOpenError(u"Cannot open file \"" + FileName + u"\". " + reason);
  }
}

TFileStream::~TFileStream() {
  if (FHandle >= 0) ::close(FHandle);
}

Int64 TFileStream::Read(void* Buffer, Int64 Count) {
  Int64 done = 0;
  auto* p = static_cast<char*>(Buffer);
  while (done < Count) {
    ssize_t n = ::read(FHandle, p + done, size_t(Count - done));
    if (n < 0 && errno == EINTR) continue;
    // A failing device is not the end of the file: a reader must not take half a file for all of it.
    if (n < 0) throw EInOutError(u"Cannot read file \"" + FFileName + u"\". " + SysErrorMessage(errno));
    if (n == 0) break;
    done += n;
  }
  return done;
}

Int64 TFileStream::Write(const void* Buffer, Int64 Count) {
  Int64 done = 0;
  auto* p = static_cast<const char*>(Buffer);
  while (done < Count) {
    ssize_t n = ::write(FHandle, p + done, size_t(Count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  return done;
}

Int64 TFileStream::Seek(Int64 Offset, TSeekOrigin Origin) {
  int whence = Origin == soBeginning ? SEEK_SET : Origin == soCurrent ? SEEK_CUR : SEEK_END;
  off_t r = ::lseek(FHandle, off_t(Offset), whence);
  return r < 0 ? ::lseek(FHandle, 0, SEEK_CUR) : Int64(r);
}

void TFileStream::SetSize(Int64 NewSize) {
  if (::ftruncate(FHandle, off_t(std::max<Int64>(NewSize, 0))) != 0)
    throw EStreamError(SysErrorMessage(errno));
  if (Position() > NewSize) SetPosition(NewSize);
}

// [text files] -------------------------------------------------------------------
TStreamReader::TStreamReader(TStream* Stream) : FStream(Stream) {}

TStreamReader::TStreamReader(const String& FileName)
    : FStream(nullptr), FOwned(std::make_unique<TFileStream>(FileName, fmOpenRead | fmShareDenyWrite)) {
  FStream = FOwned.get();
}

TStreamReader::~TStreamReader() = default;

bool TStreamReader::Fill() {
  while (FPos >= FBuf.size()) {
    FBuf.resize(1 << 16);
    Int64 n = FStream ? FStream->Read(FBuf.data(), Int64(FBuf.size())) : 0;
    FBuf.resize(size_t(std::max<Int64>(n, 0)));
    FPos = 0;
    if (n <= 0) return false;
    if (!FStarted) {
      FStarted = true;
      if (FBuf.size() >= 3 && std::memcmp(FBuf.data(), "\xEF\xBB\xBF", 3) == 0) FPos = 3;
    }
  }
  return true;
}

String TStreamReader::ReadLine() {
  std::string line;
  while (Fill()) {
    const char* begin = FBuf.data() + FPos;
    const char* end = FBuf.data() + FBuf.size();
    const char* hit = std::find_if(begin, end, [](char c) { return c == '\n' || c == '\r'; });
    line.append(begin, hit);
    FPos += size_t(hit - begin);
    if (hit == end) continue;
    char c = *hit;
    ++FPos;
    if (c == '\r' && Fill() && FBuf[FPos] == '\n') ++FPos;
    break;
  }
  return FromUtf8(line);
}

String TStreamReader::ReadToEnd() {
  std::string all;
  while (Fill()) {
    all.append(FBuf.data() + FPos, FBuf.size() - FPos);
    FPos = FBuf.size();
  }
  return FromUtf8(all);
}

bool TStreamReader::EndOfStream() { return !Fill(); }

Integer TStreamReader::Peek() { return Fill() ? Integer(static_cast<unsigned char>(FBuf[FPos])) : -1; }

TStreamWriter::TStreamWriter(TStream* Stream) : FStream(Stream) {}

TStreamWriter::TStreamWriter(const String& FileName, bool Append) : FStream(nullptr) {
  if (Append && FileExists(FileName)) {
    FOwned = std::make_unique<TFileStream>(FileName, fmOpenWrite | fmShareDenyWrite);
    FOwned->Seek(0, soEnd);
  } else {
    FOwned = std::make_unique<TFileStream>(FileName, fmCreate);
  }
  FStream = FOwned.get();
}

TStreamWriter::~TStreamWriter() {
  // A destructor cannot report a failed write; callers that must know call Flush first.
  try {
    Flush();
  } catch (const Exception&) {
  }
}

void TStreamWriter::Write(const String& S) {
  FBuf += ToUtf8(S);
  if (FBuf.size() >= (1 << 16)) Flush();
}

void TStreamWriter::WriteLine(const String& S) { Write(S + FNewLine); }

void TStreamWriter::Flush() {
  if (FBuf.empty() || !FStream) return;
  std::string out;
  out.swap(FBuf);
  FStream->WriteBuffer(out.data(), Int64(out.size()));
}

}  // namespace jox
