// autoplace: places the components of a board file from the command line.

#include <csignal>

#include "HostOptions.h"
#include "HostRun.h"
#include "HostStarts.h"

int main(int argc, char** argv) {
  // Past a file-size limit a write is to fail with an error the save reports, not kill the host.
#ifdef SIGXFSZ
  std::signal(SIGXFSZ, SIG_IGN);
#endif
  int exitCode = ExitSuccess;
  const auto options = ParseOptions(argc, argv, exitCode);
  if (!options) {
    return exitCode;
  }
  return options->Starts > 1 ? RunStarts(*options) : RunAutoplace(*options);
}
