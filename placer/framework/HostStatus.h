#pragma once

#include <exception>
#include <stdexcept>
#include <type_traits>

#include <windows.h>

// Statuses at the host boundary. Inside the plug-in failures are exceptions; every operation that
// the host calls returns a status instead (0 success, E_UNEXPECTED when an exception arrived
// there).

// A host call returned a failure (negative) status.
class EHostCallFailed : public std::runtime_error {
 public:
  explicit EHostCallFailed(HRESULT status);
  HRESULT Status() const { return FailedStatus; }

 private:
  HRESULT FailedStatus;
};

// Raises EHostCallFailed when `status` is negative; returns it otherwise.
HRESULT CheckStatus(HRESULT status);

// Runs `body` for an operation that the host calls: its status (S_OK for a body without result), or
// E_UNEXPECTED when it raised anything. Nothing escapes to the host.
template <class TBody>
HRESULT CallAtHostBoundary(TBody&& body) noexcept {
  try {
    if constexpr (std::is_void_v<std::invoke_result_t<TBody&>>) {
      body();
      return S_OK;
    } else {
      return static_cast<HRESULT>(body());
    }
  } catch (...) {
    return E_UNEXPECTED;
  }
}
