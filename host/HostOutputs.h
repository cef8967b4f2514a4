#pragma once

// The files a run writes, checked before the run: the placed board, the pictures and the report
// must be files other than the input and one another, regular files where they exist, writable,
// and in folders that exist and can be written, so that nothing fails after the placed board is
// saved.

#include <optional>
#include <string>

#include "HostOptions.h"

struct TOutputFiles {
  std::string Board;  // with --in-place, the file a symbolic link names
  std::string Svg;
  std::string Png;
};

// What cannot be written, with the exit code that says so.
struct TOutputFault {
  int ExitCode = ExitUsage;
  std::string Message;
};

// The files of the run, or why they cannot be written.
std::optional<TOutputFiles> CheckOutputFiles(const THostOptions& options, TOutputFault& fault);
