#include "HostOutputs.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A file as the system knows it: its device and inode when it exists, else its absolute path.
struct TFileIdentity {
  bool Exists = false;
  dev_t Device = 0;
  ino_t Inode = 0;
  std::string Path;

  friend bool operator==(const TFileIdentity& a, const TFileIdentity& b) {
    if (a.Exists != b.Exists)
      return false;
    return a.Exists ? a.Device == b.Device && a.Inode == b.Inode : a.Path == b.Path;
  }
};

TFileIdentity IdentityOf(const std::string& file) {
  TFileIdentity identity;
  struct stat info {};
  if (::stat(file.c_str(), &info) == 0) {
    identity.Exists = true;
    identity.Device = info.st_dev;
    identity.Inode = info.st_ino;
    return identity;
  }
  std::error_code error;
  identity.Path = fs::weakly_canonical(fs::absolute(file, error), error).string();
  return identity;
}

// The file a symbolic link leads to; the name itself for anything else.
std::string ThroughLinks(const std::string& file) {
  std::error_code error;
  if (!fs::is_symlink(fs::symlink_status(file, error)))
    return file;
  const fs::path target = fs::canonical(file, error);
  return error ? file : target.string();
}

bool Writable(const std::string& path, const struct stat& info) {
  // Root may write anything, but a file or folder marked read-only for everyone is kept so.
  return ::access(path.c_str(), W_OK) == 0 && (info.st_mode & 0222) != 0;
}

// Why the file cannot be written, or nothing.
std::optional<TOutputFault> WriteFault(const std::string& file) {
  const auto fault = [&](int code, const std::string& why) {
    return TOutputFault{code, "cannot write " + file + ": " + why};
  };
  struct stat info {};
  if (::stat(file.c_str(), &info) == 0) {
    if (!S_ISREG(info.st_mode))
      return fault(ExitUsage, "not a regular file");
    if (!Writable(file, info))
      return fault(ExitUnreadableBoard, "the file is read-only");
  }
  const fs::path parent = fs::path(file).parent_path();
  const std::string folder = parent.empty() ? "." : parent.string();
  struct stat folderInfo {};
  if (::stat(folder.c_str(), &folderInfo) != 0)
    return fault(ExitUnreadableBoard, "the folder " + folder + " does not exist");
  if (!S_ISDIR(folderInfo.st_mode))
    return fault(ExitUnreadableBoard, folder + " is not a folder");
  if (!Writable(folder, folderInfo) || ::access(folder.c_str(), X_OK) != 0)
    return fault(ExitUnreadableBoard, "the folder " + folder + " is read-only");
  return std::nullopt;
}

}  // namespace

std::optional<TOutputFiles> CheckOutputFiles(const THostOptions& options, TOutputFault& fault) {
  TOutputFiles files{options.InPlace ? ThroughLinks(options.Board) : OutputFileName(options),
                     options.Svg, options.Png};
  struct TNamed {
    std::string Option;
    std::string File;
  };
  std::vector<TNamed> outputs{{options.InPlace ? "--in-place" : "the output", files.Board}};
  if (!files.Svg.empty())
    outputs.push_back({"--svg", files.Svg});
  if (!files.Png.empty())
    outputs.push_back({"--png", files.Png});
  for (const auto& [option, file] :
       {std::pair{"--board-svg", options.BoardSvg}, std::pair{"--board-png", options.BoardPng},
        std::pair{"--report", options.Report}})
    if (!file.empty())
      outputs.push_back({option, file});

  const TFileIdentity input = IdentityOf(options.Board);
  for (size_t i = 0; i < outputs.size(); ++i) {
    const TFileIdentity output = IdentityOf(outputs[i].File);
    if (i > 0 || !options.InPlace) {
      if (output == input) {
        fault = {ExitUsage, outputs[i].Option + " " + outputs[i].File + " is the input board" +
                                (i == 0 ? " (--in-place replaces it)" : "")};
        return std::nullopt;
      }
    }
    for (size_t k = 0; k < i; ++k) {
      if (IdentityOf(outputs[k].File) == output) {
        fault = {ExitUsage, outputs[i].Option + " " + outputs[i].File + " is the same file as " +
                                outputs[k].Option};
        return std::nullopt;
      }
    }
    if (auto why = WriteFault(outputs[i].File)) {
      fault = *why;
      return std::nullopt;
    }
  }
  return files;
}
