#include "FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "BoardFile.h"
#include "SaveSteps.h"

namespace Tarnix {

namespace {

// Far larger than any real board, small enough to be read into memory.
constexpr off_t MaxFileSize = off_t{512} << 20;

// A file descriptor closed when it goes.
class TDescriptor {
 public:
  explicit TDescriptor(int descriptor) : Descriptor(descriptor) {}
  TDescriptor(const TDescriptor&) = delete;
  TDescriptor& operator=(const TDescriptor&) = delete;
  ~TDescriptor() {
    if (Descriptor >= 0)
      ::close(Descriptor);
  }
  int Get() const { return Descriptor; }

 private:
  int Descriptor;
};

// The permissions a new file gets: those of the file it replaces, else the usual ones.
mode_t NewFileMode(const std::string& target) {
  struct stat existing {};
  if (::stat(target.c_str(), &existing) == 0)
    return existing.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Blocks small enough that a stop is seen soon after it is asked for.
constexpr size_t SaveBlockSize = size_t{1} << 16;

bool WriteAll(int descriptor, const std::string& text) {
  size_t written = 0;
  while (written < text.size()) {
    const size_t block = std::min(text.size() - written, SaveBlockSize);
    const ssize_t count = ::write(descriptor, text.data() + written, block);
    if (count < 0 && errno == EINTR)
      continue;
    if (count <= 0)
      return false;
    written += static_cast<size_t>(count);
    if (SaveStopsAt(TSaveStep::Block))
      throw ESaveStopped();
  }
  return true;
}

// Closes a file after a failure, keeping the failure's errno; false.
bool CloseAfterFailure(int descriptor) {
  const int error = errno;
  ::close(descriptor);
  errno = error;
  return false;
}

// Writes the text into the open temporary file, gives it the target's mode and syncs it: false
// with errno set on a failure; ESaveStopped when the observer stops the save. The file is closed
// either way.
bool FillTemporary(int descriptor, const std::string& text, const std::string& target) {
  try {
    if (SaveStopsAt(TSaveStep::Created))
      throw ESaveStopped();
    if (!WriteAll(descriptor, text))
      return CloseAfterFailure(descriptor);
    if (SaveStopsAt(TSaveStep::Written))
      throw ESaveStopped();
    if (::fchmod(descriptor, NewFileMode(target)) != 0 || ::fsync(descriptor) != 0)
      return CloseAfterFailure(descriptor);
    if (SaveStopsAt(TSaveStep::Synced))
      throw ESaveStopped();
    return ::close(descriptor) == 0;
  } catch (const ESaveStopped&) {
    ::close(descriptor);
    throw;
  }
}

// The file a symbolic link leads to, so that saving over a link replaces the file it names.
std::string ThroughLinks(const std::string& fileName) {
  std::error_code error;
  if (!std::filesystem::is_symlink(std::filesystem::symlink_status(fileName, error)))
    return fileName;
  const std::filesystem::path target = std::filesystem::canonical(fileName, error);
  return error ? fileName : target.string();
}

// Makes a rename in the folder last. Some file systems cannot sync a folder; the rename is done
// by then, so that is no failure of the save.
void SyncFolder(const std::string& folder) {
  const TDescriptor descriptor(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (descriptor.Get() >= 0)
    ::fsync(descriptor.Get());
}

}  // namespace

std::string ReadFileText(const std::string& fileName) {
  // Opened without waiting, so that a pipe with no writer cannot stall the reading.
  const TDescriptor file(::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (file.Get() < 0)
    throw EBoardFile(fileName + ": cannot open: " + std::strerror(errno));
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0)
    throw EBoardFile(fileName + ": cannot open: " + std::strerror(errno));
  if (S_ISDIR(info.st_mode))
    throw EBoardFile(fileName + ": cannot open: it is a folder");
  if (!S_ISREG(info.st_mode))
    throw EBoardFile(fileName + ": cannot open: not a regular file");
  if (info.st_size > MaxFileSize)
    throw EBoardFile(fileName + ": cannot open: larger than 512 MB");
  ::fcntl(file.Get(), F_SETFL, ::fcntl(file.Get(), F_GETFL) & ~O_NONBLOCK);
  std::string text;
  text.reserve(static_cast<size_t>(info.st_size));
  // A file that grows while it is read stops at the limit too.
  char buffer[1 << 16];
  for (;;) {
    const ssize_t count = ::read(file.Get(), buffer, sizeof buffer);
    if (count < 0 && errno == EINTR)
      continue;
    if (count < 0)
      throw EBoardFile(fileName + ": cannot read: " + std::strerror(errno));
    if (count == 0)
      return text;
    if (text.size() + static_cast<size_t>(count) > static_cast<size_t>(MaxFileSize))
      throw EBoardFile(fileName + ": cannot open: larger than 512 MB");
    text.append(buffer, static_cast<size_t>(count));
  }
}

void WriteFileAtomically(const std::string& fileName, const std::string& text) {
  const std::string target = ThroughLinks(fileName);
  struct stat existing {};
  if (::stat(target.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode))
    throw EBoardFile(fileName + ": cannot write: not a regular file");
  const std::filesystem::path targetPath(target);
  const std::filesystem::path folder =
      targetPath.has_parent_path() ? targetPath.parent_path() : std::filesystem::path(".");
  std::string temporary = (folder / ("." + targetPath.filename().string() + ".XXXXXX")).string();
  const int descriptor = ::mkstemp(temporary.data());
  if (descriptor < 0)
    throw EBoardFile(fileName + ": cannot write: " + std::strerror(errno));
  // The data reaches the disk before the name does, so that a crash leaves the old file or the
  // new one, never an empty one.
  try {
    const bool filled = FillTemporary(descriptor, text, target);
    if (filled && SaveStopsAt(TSaveStep::Closed))
      throw ESaveStopped();
    if (!filled || ::rename(temporary.c_str(), target.c_str()) != 0) {
      const int error = errno;
      ::unlink(temporary.c_str());
      throw EBoardFile(fileName + ": cannot write: " + std::strerror(error));
    }
  } catch (const ESaveStopped&) {
    ::unlink(temporary.c_str());
    throw EBoardFile(fileName + ": not saved: stopped");
  }
  SaveStopsAt(TSaveStep::Renamed);
  SyncFolder(folder.string());
  SaveStopsAt(TSaveStep::FolderSynced);
}

std::string AbsoluteFileName(const std::string& fileName) {
  std::error_code error;
  const auto absolute = std::filesystem::absolute(fileName, error);
  return error ? fileName : absolute.lexically_normal().string();
}

}  // namespace Tarnix
