#pragma once

// Whole-file reading and writing shared by the board formats. Writing goes to a temporary file in
// the target's folder that is renamed over the target, so that a failed save leaves the target as
// it was.

#include <functional>
#include <string>

namespace Tarnix {

// The whole content of a file. Throws EBoardFile naming the file when it cannot be read.
std::string ReadFileText(const std::string& fileName);

// Replaces the file with the text: written to a temporary file beside it, synced, renamed over it
// and the folder synced. A symbolic link is written through to the file it names, whose
// permissions the new file keeps. Throws EBoardFile naming the file when it cannot be written or
// is not a regular file; no temporary file is left then.
void WriteFileAtomically(const std::string& fileName, const std::string& text);

// The steps of a save, in order; Block comes after every block of the text written.
enum class TSaveStep { Created, Block, Written, Synced, Closed, Renamed, FolderSynced };

// Told every step of every save. A true answer before the rename stops the save: the target stays
// as it was, the temporary file is removed and the save throws EBoardFile ("stopped"); after the
// rename the save is done and the answer is ignored. The host stops a save on Ctrl-C with it;
// tests interrupt saves between steps. An empty observer (the default) never stops a save.
using TSaveObserver = std::function<bool(TSaveStep)>;
void SetSaveObserver(TSaveObserver observer);

// While one lives, saves still tell the observer their steps but are never stopped: the second
// file of a save that must finish once its first file is in place.
class TSaveStopsHeld {
 public:
  TSaveStopsHeld();
  ~TSaveStopsHeld();
  TSaveStopsHeld(const TSaveStopsHeld&) = delete;
  TSaveStopsHeld& operator=(const TSaveStopsHeld&) = delete;
};

// The file's absolute, normalised path; the name itself when that cannot be formed.
std::string AbsoluteFileName(const std::string& fileName);

}  // namespace Tarnix
