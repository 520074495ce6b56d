// File and stream tools of the base package.
#pragma once

#include "package/core/coretypes.h"

namespace jox {

class TStream;

// Reads one text line (UTF-8) from the stream's position and leaves the stream after its line end
// (LF, CR LF or a lone CR). At most MaxLen characters are kept; the rest of a longer line is skipped.
// Eof becomes true when no byte follows the line.
String ReadLnStream(TStream* Stream, bool& Eof, Integer MaxLen);

// Whether Path names an existing folder.
bool DirExists(const String& Path);
// The folder that contains Path ("/a/b/c" and "/a/b/c/" give "/a/b", "/a" gives "/"); "" for the
// root, for "" and for a name without folder, so that walking up always ends.
String ParentDir(const String& Path);

}  // namespace jox
