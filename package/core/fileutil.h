// File and stream tools of the base package.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "package/core/coretypes.h"

namespace jox {

class TStream;

// Reads one text line (UTF-8) from the stream's position and leaves the stream after its line end
// (LF, CR LF or a lone CR). At most MaxLen characters are kept; the rest of a longer line is skipped.
// Eof becomes true when no byte follows the line.
String ReadLnStream(TStream* Stream, bool& Eof, Integer MaxLen);

// Whether s is UTF-8 by the rules FromUtf8 decodes by: no overlong forms, no surrogates, nothing
// above U+10FFFF.
bool IsValidUtf8(std::string_view s);
// The text of a file's bytes as UTF-8. A byte-order mark tells UTF-8, UTF-16 LE and UTF-16 BE
// apart; without one, bytes that are not valid UTF-8 are read as Windows-1252, which is what
// spreadsheets on desktops write.
std::string TextBytesToUtf8(std::string Bytes);
// The UTF-8 text of the bytes as TextBytesToUtf8 gives it, but without moving bytes that are UTF-8
// already: a view of Bytes behind its byte-order mark. Other encodings are converted into Bytes.
std::string_view TextBytesAsUtf8(std::string& Bytes);
// A whole file's bytes. Errors of opening and reading raise the stream's errors.
std::string ReadFileBytes(const String& FName);
// A whole text file through TextBytesToUtf8. Errors of opening and reading raise the stream's errors.
std::string ReadTextFileUtf8(const String& FName);
// The position of the first UTF-16 code unit that UTF-8 cannot hold (an unpaired surrogate), or npos.
size_t FindLoneSurrogate(std::u16string_view S);

// Writes FName through Write without putting the old file at risk: the bytes go to a new file
// in the same folder, which replaces FName only once all of it was written and flushed. When
// Write raises (a full disk, a refused value), the old file stays as it was and the error goes on.
void SaveFileSafely(const String& FName, const std::function<void(TStream& Out)>& Write);

// Whether Path names an existing folder.
bool DirExists(const String& Path);
// The folder that contains Path ("/a/b/c" and "/a/b/c/" give "/a/b", "/a" gives "/"); "" for the
// root, for "" and for a name without folder, so that walking up always ends.
String ParentDir(const String& Path);

}  // namespace jox
