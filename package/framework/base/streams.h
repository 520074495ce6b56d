// Byte streams (memory, string, file) and UTF-8 text readers and writers over them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "package/framework/base/object.h"

namespace jox {

enum TSeekOrigin : uint8_t { soBeginning, soCurrent, soEnd };

constexpr Word fmCreate = 0xFF00;
constexpr Word fmOpenRead = 0x0000, fmOpenWrite = 0x0001, fmOpenReadWrite = 0x0002;
constexpr Word fmShareCompat = 0x0000, fmShareExclusive = 0x0010, fmShareDenyWrite = 0x0020,
               fmShareDenyRead = 0x0030, fmShareDenyNone = 0x0040;

class TStream : public TObject {
 public:
  // Read and Write move up to Count bytes and return how many they moved.
  virtual Int64 Read(void* Buffer, Int64 Count) = 0;
  virtual Int64 Write(const void* Buffer, Int64 Count) = 0;
  virtual Int64 Seek(Int64 Offset, TSeekOrigin Origin) = 0;
  Int64 Position() { return Seek(0, soCurrent); }
  void SetPosition(Int64 Pos) { Seek(Pos, soBeginning); }
  virtual Int64 Size();
  virtual void SetSize(Int64 NewSize) = 0;
  // All or nothing: EReadError "Stream read error" / EWriteError "Stream write error".
  void ReadBuffer(void* Buffer, Int64 Count);
  void WriteBuffer(const void* Buffer, Int64 Count);
  // Copies Count bytes from Source's position; Count 0 copies all of Source from its start.
  Int64 CopyFrom(TStream* Source, Int64 Count);
};

class TMemoryStream : public TStream {
 public:
  Int64 Read(void* Buffer, Int64 Count) override;
  Int64 Write(const void* Buffer, Int64 Count) override;
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
  Int64 Size() override { return Int64(FData.size()); }
  void SetSize(Int64 NewSize) override;
  void Clear();
  Byte* Memory() { return FData.data(); }
  const Byte* Memory() const { return FData.data(); }
  void LoadFromStream(TStream* Stream);
  void SaveToStream(TStream* Stream);
  void LoadFromFile(const String& FileName);
  void SaveToFile(const String& FileName);

 private:
  std::vector<Byte> FData;
  Int64 FPosition = 0;
};

// Text held as UTF-8 bytes; DataString decodes them.
class TStringStream : public TMemoryStream {
 public:
  TStringStream() = default;
  explicit TStringStream(const String& S);
  String DataString() const;
};

// A file opened with fmCreate (truncates or creates) or fmOpenRead/fmOpenWrite/fmOpenReadWrite, each
// combinable with a share mode (ignored on POSIX). Failures raise EFCreateError
// "Cannot create file \"name\". <reason>" or EFOpenError "Cannot open file \"name\". <reason>".
// Read raises EInOutError when the system fails to read (rather than reporting an early end).
class TFileStream : public TStream {
 public:
  TFileStream(const String& FileName, Word Mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;
  Int64 Read(void* Buffer, Int64 Count) override;
  Int64 Write(const void* Buffer, Int64 Count) override;
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
  void SetSize(Int64 NewSize) override;
  const String& FileName() const { return FFileName; }
  // The system's file descriptor, for what the stream itself does not offer.
  int Handle() const { return FHandle; }

 private:
  String FFileName;
  int FHandle = -1;
};

// [textfiles] ------------------------------------------------------------------
// Reads UTF-8 lines from a stream (not owned) or a file (owned); CR LF, LF and CR end a line and a
// leading byte-order mark is skipped.
class TStreamReader : public TObject {
 public:
  explicit TStreamReader(TStream* Stream);
  explicit TStreamReader(const String& FileName);
  ~TStreamReader() override;
  // The next line without its end; "" at the end of the stream.
  String ReadLine();
  // The rest of the stream.
  String ReadToEnd();
  bool EndOfStream();
  // The next byte without consuming it, -1 at the end.
  Integer Peek();

 private:
  bool Fill();
  TStream* FStream;
  std::unique_ptr<TStream> FOwned;
  std::vector<char> FBuf;
  size_t FPos = 0;
  bool FStarted = false;
};

// Writes text as UTF-8 to a stream (not owned) or a file (owned; created, or appended to when Append).
class TStreamWriter : public TObject {
 public:
  explicit TStreamWriter(TStream* Stream);
  explicit TStreamWriter(const String& FileName, bool Append = false);
  ~TStreamWriter() override;
  void Write(const String& S);
  void WriteLine(const String& S = String());
  const String& NewLine() const { return FNewLine; }
  void SetNewLine(const String& S) { FNewLine = S; }
  void Flush();

 private:
  TStream* FStream;
  std::unique_ptr<TStream> FOwned;
  std::string FBuf;
  String FNewLine = u"\n";
};

}  // namespace jox
