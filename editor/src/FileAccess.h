#pragma once

// Whole-file reading and writing shared by the board formats. Writing goes to a temporary file in
// the target's folder that is renamed over the target, so that a failed save leaves the target as
// it was.

#include <string>

namespace Tarnix {

// The whole content of a file. Throws EBoardFile naming the file when it cannot be read.
std::string ReadFileText(const std::string& fileName);

// Replaces the file with the text: written to a temporary file beside it, synced, renamed over it
// and the folder synced. A symbolic link is written through to the file it names, whose
// permissions the new file keeps. Throws EBoardFile naming the file when it cannot be written or
// is not a regular file; no temporary file is left then.
void WriteFileAtomically(const std::string& fileName, const std::string& text);

// The file's absolute, normalised path; the name itself when that cannot be formed.
std::string AbsoluteFileName(const std::string& fileName);

}  // namespace Tarnix
