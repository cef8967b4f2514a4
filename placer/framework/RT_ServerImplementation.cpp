#include "framework/RT_ServerImplementation.h"

#include <cstddef>
#include <utility>

#include "framework/ClientProcs.h"
#include "framework/HostStatus.h"
#include "framework/Rt_forms.h"
#include "framework/TextHelpers.h"

// The process-wide state of the framework and the server module.

namespace {

TServerModule* ProcessModule = nullptr;
HWND ApplicationWindow = nullptr;
TIdleHandler ApplicationIdleHandler;

// Whether `index` addresses one of `count` items.
bool IsValidIndex(int32_t index, std::size_t count) {
  return index >= 0 && static_cast<std::size_t>(index) < count;
}

}  // namespace

TServerModule* GetServerModule() {
  return ProcessModule;
}

HWND GetApplicationWindow() {
  return ApplicationWindow;
}

void SetApplicationWindow(HWND window) {
  ApplicationWindow = window;
}

TIdleHandler SetApplicationIdleHandler(TIdleHandler handler) {
  return std::exchange(ApplicationIdleHandler, std::move(handler));
}

void ClearStatusPanels() {
  for (int32_t panel = 1; panel <= 3; ++panel) {
    SetStatusPanelText(panel, "");
  }
}

// ----------------------------------------------------------------------------------------------

TServerModule::TServerModule(std::string name, IClient* client)
    : Client(client), Name(std::move(name)) {}

TServerModule::~TServerModule() {
  const bool isProcessModule = ProcessModule == this;
  if (isProcessModule) {
    ProcessModule = nullptr;
  }
  // Documents that the host still holds outlive the module; they must not reach it any more.
  for (const TComPtr<TServerDocument>& document : Documents) {
    document->ForgetModule();
  }
  Documents.clear();
  Views.clear();
  if (isProcessModule) {
    SetApplicationWindow(nullptr);
    SetClient(nullptr);
  }
}

void TServerModule::AfterConstruction() {
  SetClient(Client.Get());
  ProcessModule = this;
  Launcher = CreateLauncher();
  ProcessControl = MakeComObject<TProcessControl>();
  RegisterCommands();
  if (Client) {
    HWND mainWindow = nullptr;
    CheckStatus(Client->GetMainWindowHandle(&mainWindow));
    SetApplicationWindow(mainWindow);
  }
}

TComPtr<TCommandLauncher> TServerModule::CreateLauncher() {
  return MakeComObject<TCommandLauncher>(Name);
}

HRESULT TServerModule::CreateDocument(const wchar_t* kind, const wchar_t* fileName,
                                      IServerDocument** document) {
  if (document == nullptr) {
    return E_POINTER;
  }
  *document = nullptr;
  return CallAtHostBoundary([&]() -> HRESULT {
    const TComPtr<TServerDocument> created = CreateDocument(
        NarrowText(kind == nullptr ? L"" : kind), NarrowText(fileName == nullptr ? L"" : fileName));
    if (!created) {
      return E_FAIL;
    }
    Documents.push_back(created);
    *document = TComPtr<IServerDocument>(created.Get()).Detach();
    return S_OK;
  });
}

HRESULT TServerModule::GetModuleName(std::wstring* name) {
  if (name == nullptr) {
    return E_POINTER;
  }
  return CallAtHostBoundary([&] { *name = WidenText(Name); });
}

HRESULT TServerModule::GetClient(IClient** client) {
  return HandOutInterface<IClient>(Client.Get(), client);
}

HRESULT TServerModule::GetDocumentCount(int32_t* count) {
  if (count == nullptr) {
    return E_POINTER;
  }
  *count = static_cast<int32_t>(Documents.size());
  return S_OK;
}

HRESULT TServerModule::GetDocument(int32_t index, IServerDocument** document) {
  if (document == nullptr) {
    return E_POINTER;
  }
  *document = nullptr;
  if (!IsValidIndex(index, Documents.size())) {
    return E_INVALIDARG;
  }
  *document = TComPtr<IServerDocument>(Documents[static_cast<std::size_t>(index)].Get()).Detach();
  return S_OK;
}

HRESULT TServerModule::GetCommandLauncher(ICommandLauncher** launcher) {
  return HandOutInterface<ICommandLauncher>(Launcher.Get(), launcher);
}

HRESULT TServerModule::Idle() {
  return CallAtHostBoundary([] {
    MSG waiting;
    if (PeekMessageA(&waiting, nullptr, 0, 0, PM_NOREMOVE) && ApplicationWindow != nullptr) {
      PostMessageA(ApplicationWindow, WM_USER, 0, 0);
    }
    if (ApplicationIdleHandler) {
      ApplicationIdleHandler();
    }
  });
}

HRESULT TServerModule::GetSettingCount(int32_t* count) {
  if (count == nullptr) {
    return E_POINTER;
  }
  *count = static_cast<int32_t>(Settings.size());
  return S_OK;
}

HRESULT TServerModule::GetSetting(int32_t index, std::wstring* setting) {
  if (setting == nullptr) {
    return E_POINTER;
  }
  if (!IsValidIndex(index, Settings.size())) {
    return E_INVALIDARG;
  }
  return CallAtHostBoundary(
      [&] { *setting = WidenText(Settings[static_cast<std::size_t>(index)]); });
}

HRESULT TServerModule::GetProcessControl(IProcessControl** control) {
  return HandOutInterface<IProcessControl>(ProcessControl.Get(), control);
}
