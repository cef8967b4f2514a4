// Whole-file reading and writing on Windows: the same promises as on Linux (FileAccess.h), kept
// with the Windows calls. The new text goes to a temporary file beside the target, is flushed to
// the disk and then replaces the target in one rename.

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "BoardFile.h"
#include "FileAccess.h"
#include "SaveSteps.h"

namespace Tarnix {

namespace {

// Far larger than any real board, small enough to be read into memory.
constexpr std::uintmax_t MaxFileSize = std::uintmax_t{512} << 20;

std::string LastErrorText() {
  return std::system_category().message(static_cast<int>(GetLastError()));
}

// Blocks small enough that a stop is seen soon after it is asked for.
constexpr std::size_t SaveBlockSize = std::size_t{1} << 16;

// A file handle closed when it goes.
class THandle {
 public:
  explicit THandle(HANDLE handle) : Handle(handle) {}
  THandle(const THandle&) = delete;
  THandle& operator=(const THandle&) = delete;
  ~THandle() { Close(); }
  HANDLE Get() const { return Handle; }
  bool Close() {
    const bool closed = Handle == INVALID_HANDLE_VALUE || CloseHandle(Handle) != FALSE;
    Handle = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE Handle;
};

// Writes the text into a new file in blocks and flushes it to the disk; false with the reason in
// error; ESaveStopped when the observer stops the save.
bool WriteNewFile(const std::string& fileName, const std::string& text, std::string& error) {
  THandle file(CreateFileA(fileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.Get() == INVALID_HANDLE_VALUE) {
    error = LastErrorText();
    return false;
  }
  if (SaveStopsAt(TSaveStep::Created)) {
    throw ESaveStopped();
  }
  bool written = true;
  std::size_t done = 0;
  while (written && done < text.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min(text.size() - done, SaveBlockSize));
    DWORD count = 0;
    written =
        WriteFile(file.Get(), text.data() + done, chunk, &count, nullptr) != FALSE && count > 0;
    done += count;
    if (written && SaveStopsAt(TSaveStep::Block)) {
      throw ESaveStopped();
    }
  }
  if (written && SaveStopsAt(TSaveStep::Written)) {
    throw ESaveStopped();
  }
  written = written && FlushFileBuffers(file.Get()) != FALSE;
  if (written && SaveStopsAt(TSaveStep::Synced)) {
    throw ESaveStopped();
  }
  if (!written) {
    error = LastErrorText();
  }
  return file.Close() && written;
}

}  // namespace

std::string ReadFileText(const std::string& fileName) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(fileName, error);
  if (error || !std::filesystem::exists(status)) {
    throw EBoardFile(fileName +
                     ": cannot open: " + (error ? error.message() : std::string("no such file")));
  }
  if (std::filesystem::is_directory(status)) {
    throw EBoardFile(fileName + ": cannot open: it is a folder");
  }
  if (!std::filesystem::is_regular_file(status)) {
    throw EBoardFile(fileName + ": cannot open: not a regular file");
  }
  if (std::filesystem::file_size(fileName, error) > MaxFileSize) {
    throw EBoardFile(fileName + ": cannot open: larger than 512 MB");
  }
  std::ifstream stream(fileName, std::ios::binary);
  if (!stream) {
    throw EBoardFile(fileName + ": cannot open: access denied");
  }
  std::string text((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
  if (stream.bad()) {
    throw EBoardFile(fileName + ": cannot read");
  }
  if (text.size() > MaxFileSize) {
    throw EBoardFile(fileName + ": cannot open: larger than 512 MB");
  }
  return text;
}

void WriteFileAtomically(const std::string& fileName, const std::string& text) {
  std::error_code error;
  const std::filesystem::path target(fileName);
  const auto status = std::filesystem::status(target, error);
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
    throw EBoardFile(fileName + ": cannot write: not a regular file");
  }
  const std::filesystem::path folder =
      target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  const std::string temporary =
      (folder / ("." + target.filename().string() + "." + std::to_string(GetCurrentProcessId())))
          .string();
  std::string reason;
  try {
    const bool filled = WriteNewFile(temporary, text, reason);
    if (filled && SaveStopsAt(TSaveStep::Closed)) {
      throw ESaveStopped();
    }
    if (!filled || MoveFileExA(temporary.c_str(), fileName.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == FALSE) {
      if (filled) {
        reason = LastErrorText();
      }
      DeleteFileA(temporary.c_str());
      throw EBoardFile(fileName + ": cannot write: " + reason);
    }
  } catch (const ESaveStopped&) {
    DeleteFileA(temporary.c_str());
    throw EBoardFile(fileName + ": not saved: stopped");
  }
  // The rename was written through: the folder needs no flush of its own.
  SaveStopsAt(TSaveStep::Renamed);
  SaveStopsAt(TSaveStep::FolderSynced);
}

std::string AbsoluteFileName(const std::string& fileName) {
  std::error_code error;
  const auto absolute = std::filesystem::absolute(fileName, error);
  return error ? fileName : absolute.lexically_normal().string();
}

}  // namespace Tarnix
