#include "FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "BoardFile.h"

namespace Tarnix {

namespace {

// The permissions a new file gets: those of the file it replaces, else the usual ones.
mode_t NewFileMode(const std::string& target) {
  struct stat existing {};
  if (::stat(target.c_str(), &existing) == 0)
    return existing.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

bool WriteAll(int descriptor, const std::string& text) {
  size_t written = 0;
  while (written < text.size()) {
    const ssize_t count = ::write(descriptor, text.data() + written, text.size() - written);
    if (count < 0 && errno == EINTR)
      continue;
    if (count <= 0)
      return false;
    written += static_cast<size_t>(count);
  }
  return true;
}

}  // namespace

std::string ReadFileText(const std::string& fileName) {
  std::error_code error;
  if (std::filesystem::is_directory(fileName, error))
    throw EBoardFile(fileName + ": cannot open: it is a folder");
  std::ifstream file(fileName, std::ios::binary);
  if (!file)
    throw EBoardFile(fileName + ": cannot open: " + std::strerror(errno));
  std::ostringstream text;
  text << file.rdbuf();
  if (file.bad())
    throw EBoardFile(fileName + ": cannot read");
  return text.str();
}

void WriteFileAtomically(const std::string& fileName, const std::string& text) {
  const std::filesystem::path target(fileName);
  const std::filesystem::path folder =
      target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  std::string temporary = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  const int descriptor = ::mkstemp(temporary.data());
  if (descriptor < 0)
    throw EBoardFile(fileName + ": cannot write: " + std::strerror(errno));
  const bool written = WriteAll(descriptor, text) &&
                       ::fchmod(descriptor, NewFileMode(fileName)) == 0 && ::fsync(descriptor) == 0;
  const int writeError = errno;
  const bool closed = ::close(descriptor) == 0;
  if (!written || !closed || ::rename(temporary.c_str(), fileName.c_str()) != 0) {
    const int error = !written ? writeError : errno;
    ::unlink(temporary.c_str());
    throw EBoardFile(fileName + ": cannot write: " + std::strerror(error));
  }
}

std::string AbsoluteFileName(const std::string& fileName) {
  std::error_code error;
  const auto absolute = std::filesystem::absolute(fileName, error);
  return error ? fileName : absolute.lexically_normal().string();
}

}  // namespace Tarnix
