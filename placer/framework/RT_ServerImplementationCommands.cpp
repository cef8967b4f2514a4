#include <algorithm>
#include <cstdint>
#include <utility>

#include "framework/ClientProcs.h"
#include "framework/HostStatus.h"
#include "framework/RT_ServerImplementation.h"
#include "framework/TextHelpers.h"

// The command launcher and the process control of the server module.

namespace {

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Runs the after-command step: the current view's own, or clearing the status panels when the
// host has no current view.
void RunAfterCommand() {
  const TComPtr<IClient> client = GetClient();
  if (!client) {
    return;
  }
  TComPtr<IServerDocumentView> currentView;
  CheckStatus(client->GetCurrentView(currentView.Put()));
  if (currentView) {
    CheckStatus(currentView->AfterCommand());
  } else {
    ClearStatusPanels();
  }
}

}  // namespace

bool TCommandNameLess::operator()(const std::string& a, const std::string& b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(LowerAscii(x)) < static_cast<unsigned char>(LowerAscii(y));
  });
}

TCommandLauncher::TCommandLauncher(std::string moduleName) : ModuleName(std::move(moduleName)) {}

bool TCommandLauncher::AddCommand(std::string_view name, TCommandProc handler,
                                  TCommandStateProc stateHandler) {
  return Commands
      .try_emplace(std::string(name), TCommandHandler{std::move(handler), std::move(stateHandler)})
      .second;
}

const TCommandHandler* TCommandLauncher::FindCommand(std::string_view name) const {
  const auto found = Commands.find(std::string(name));
  return found == Commands.end() ? nullptr : &found->second;
}

HRESULT TCommandLauncher::LaunchCommand(const wchar_t* command, const char* parameters,
                                        int32_t /*reserved*/, IUnknown* context) {
  return CallAtHostBoundary([&] {
    const TCommandHandler* found = FindCommand(NarrowText(command == nullptr ? L"" : command));
    if (found == nullptr) {
      return;
    }
    // A copy: the handler may add commands to this table while it runs.
    const TCommandProc handler = found->Handler;
    if (handler) {
      handler(context, parameters == nullptr ? "" : parameters);
    }
    RunAfterCommand();
  });
}

HRESULT TCommandLauncher::GetCommandState(const wchar_t* command, TCommandState* state) {
  if (state == nullptr) {
    return E_POINTER;
  }
  *state = TCommandState{};
  return CallAtHostBoundary([&] {
    const TCommandHandler* found = FindCommand(NarrowText(command == nullptr ? L"" : command));
    if (found != nullptr && found->StateHandler) {
      found->StateHandler(*state);
    }
  });
}

// ----------------------------------------------------------------------------------------------

HRESULT TProcessControl::GetProcessCount(int32_t* count) {
  if (count == nullptr) {
    return E_POINTER;
  }
  *count = ProcessCount;
  return S_OK;
}

HRESULT TProcessControl::SetProcessCount(int32_t count) {
  ProcessCount = count;
  return S_OK;
}

// Counting goes through unsigned arithmetic so that it wraps at the ends of the range.
HRESULT TProcessControl::IncrementProcessCount() {
  ProcessCount = static_cast<int32_t>(static_cast<uint32_t>(ProcessCount) + 1u);
  return S_OK;
}

HRESULT TProcessControl::DecrementProcessCount() {
  ProcessCount = static_cast<int32_t>(static_cast<uint32_t>(ProcessCount) - 1u);
  return S_OK;
}
