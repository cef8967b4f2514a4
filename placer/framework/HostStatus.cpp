#include "framework/HostStatus.h"

#include <cstdio>
#include <string>

namespace {

std::string DescribeStatus(HRESULT status) {
  char text[64];
  std::snprintf(text, sizeof text, "host call failed with status 0x%08X",
                static_cast<unsigned>(static_cast<DWORD>(status)));
  return text;
}

}  // namespace

EHostCallFailed::EHostCallFailed(HRESULT status)
    : std::runtime_error(DescribeStatus(status)), FailedStatus(status) {}

HRESULT CheckStatus(HRESULT status) {
  if (FAILED(status)) {
    throw EHostCallFailed(status);
  }
  return status;
}
