// autoplace: places the components of a board file from the command line.

#include "HostOptions.h"
#include "HostRun.h"
#include "HostStarts.h"

int main(int argc, char** argv) {
  int exitCode = ExitSuccess;
  const auto options = ParseOptions(argc, argv, exitCode);
  if (!options) {
    return exitCode;
  }
  return options->Starts > 1 ? RunStarts(*options) : RunAutoplace(*options);
}
