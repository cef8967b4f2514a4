#include "HostClient.h"

#include "HostLibraries.h"
#include "HostText.h"

namespace {

TComPtr<THostClient>& ExportedClientSlot() {
  static TComPtr<THostClient> client;
  return client;
}

bool IsPcbProcess(const std::string& process) {
  return process.size() > 4 &&
         (process.compare(0, 4, "PCB:") == 0 || process.compare(0, 4, "pcb:") == 0);
}

}  // namespace

void SetExportedClient(THostClient* client) {
  ExportedClientSlot() = client;
}

THostClient* ExportedClient() {
  return ExportedClientSlot().Get();
}

HRESULT TDocumentRegistry::RegisterDocument(IServerDocument* document, int32_t, int32_t,
                                            int32_t* id) {
  if (id == nullptr) {
    return E_POINTER;
  }
  *id = ++LastId;
  Registered[*id] = document;
  return S_OK;
}

HRESULT TDocumentRegistry::UnregisterDocument(int32_t id) {
  return Registered.erase(id) != 0 ? S_OK : E_INVALIDARG;
}

TComPtr<TPcbDocument> THostClient::OpenPcb(const std::string& fileName, std::string& message) {
  char reason[1024] = {};
  const uint32_t board = Editor().OpenBoard(fileName.c_str(), reason, sizeof reason);
  if (board == 0) {
    message = reason;
    return nullptr;
  }
  auto document = MakePcbDocument(fileName, board);
  Documents[fileName] = document;
  return document;
}

HRESULT THostClient::OpenDocument(const wchar_t* kind, const wchar_t* fileName,
                                  IServerDocument** document) {
  if (document == nullptr || kind == nullptr || fileName == nullptr) {
    return E_POINTER;
  }
  *document = nullptr;
  const std::string name = Narrow(fileName);
  if (auto known = Documents.find(name); known != Documents.end()) {
    *document = TComPtr<IServerDocument>(known->second).Detach();
    return S_OK;
  }
  if (Narrow(kind) == "PCB") {
    std::string message;
    *document = TComPtr<IServerDocument>(OpenPcb(name, message)).Detach();
    return *document != nullptr ? S_OK : E_FAIL;
  }
  if (!Module) {
    return E_FAIL;
  }
  TComPtr<IServerDocument> created;
  const HRESULT status = Module->CreateDocument(kind, fileName, created.Put());
  if (created) {
    Documents[name] = created;
  }
  *document = created.Detach();
  return status;
}

HRESULT THostClient::ServerAvailable(const wchar_t* kind, bool* available) {
  if (available == nullptr || kind == nullptr) {
    return E_POINTER;
  }
  const std::string name = Narrow(kind);
  *available = name == "PCB" || name == "Placer";
  return S_OK;
}

HRESULT THostClient::GetDocumentByPath(const wchar_t* fileName, IServerDocument** document) {
  if (document == nullptr || fileName == nullptr) {
    return E_POINTER;
  }
  const auto known = Documents.find(Narrow(fileName));
  *document = known != Documents.end() ? TComPtr<IServerDocument>(known->second).Detach() : nullptr;
  return S_OK;
}

HRESULT THostClient::DocumentRunEnded(IServerDocument*) {
  ++RunsEnded;
  return S_OK;
}

HRESULT THostClient::GetMainWindowHandle(HWND* window) {
  if (window == nullptr) {
    return E_POINTER;
  }
  *window = MainWindow;
  return S_OK;
}

HRESULT THostClient::GetDialogParent(HWND* window) {
  return GetMainWindowHandle(window);
}

HRESULT THostClient::GetCurrentView(IServerDocumentView** view) {
  if (view == nullptr) {
    return E_POINTER;
  }
  *view = CurrentPcb ? TComPtr<IServerDocumentView>(CurrentPcb->View).Detach() : nullptr;
  return S_OK;
}

HRESULT THostClient::GetStatusBar(IStatusBar** statusBar) {
  if (statusBar == nullptr) {
    return E_POINTER;
  }
  *statusBar = TComPtr<IStatusBar>(StatusBar.Get()).Detach();
  return S_OK;
}

HRESULT THostClient::GetDocumentRegistry(IDocumentRegistry** registry) {
  if (registry == nullptr) {
    return E_POINTER;
  }
  *registry = TComPtr<IDocumentRegistry>(Registry.Get()).Detach();
  return S_OK;
}

HRESULT THostClient::FreeFormsAtOnce(bool* freeAtOnce) {
  if (freeAtOnce == nullptr) {
    return E_POINTER;
  }
  *freeAtOnce = true;
  return S_OK;
}

HRESULT THostClient::RunProcess(const wchar_t* processName, char* parameters, int32_t, int32_t) {
  if (processName == nullptr) {
    return E_POINTER;
  }
  const std::string process = Narrow(processName);
  if (!IsPcbProcess(process)) {
    return E_NOTIMPL;  // no other server runs processes on this host
  }
  return Editor().RunProcess(process.c_str(), parameters != nullptr ? parameters : "") == 0
             ? S_OK
             : E_FAIL;
}

TComPtr<ICommandLauncher> THostClient::CommandLauncher() const {
  TComPtr<ICommandLauncher> launcher;
  if (Module) {
    Module->GetCommandLauncher(launcher.Put());
  }
  return launcher;
}
