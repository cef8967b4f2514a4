#include "TestHost.h"

#include <dlfcn.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>

namespace {

TComPtr<IClient>& ExportedClient() {
  static TComPtr<IClient> client;
  return client;
}

std::string LibraryFolder() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
}

void* LoadLibrary(const std::string& name) {
  void* library = dlopen((LibraryFolder() + "/" + name).c_str(), RTLD_NOW | RTLD_GLOBAL);
  if (library == nullptr) {
    throw std::runtime_error(dlerror());
  }
  return library;
}

template <class TFunction>
void Bind(void* library, const char* name, TFunction& function) {
  function = reinterpret_cast<TFunction>(dlsym(library, name));
  if (function == nullptr) {
    throw std::runtime_error(std::string("missing ") + name);
  }
}

}  // namespace

std::wstring Wide(const std::string& text) {
  std::wstring wide;
  for (const char c : text) {
    wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
  }
  return wide;
}

std::string Narrow(const std::wstring& text) {
  std::string narrow;
  for (const wchar_t c : text) {
    narrow.push_back(static_cast<char>(c));
  }
  return narrow;
}

const TEditor& Editor() {
  static const TEditor editor = [] {
    void* library = LoadLibrary("libTarnix.so");
    TEditor bound{};
    Bind(library, "Tarnix_OpenBoard", bound.OpenBoard);
    Bind(library, "Tarnix_CreateBoard", bound.CreateBoard);
    Bind(library, "Tarnix_SaveBoard", bound.SaveBoard);
    Bind(library, "Tarnix_CloseBoard", bound.CloseBoard);
    Bind(library, "Tarnix_RunProcess", bound.RunProcess);
    Bind(library, "PcbApi_GetCurrentBoardHandle", bound.GetCurrentBoardHandle);
    return bound;
  }();
  return editor;
}

TServerFactory LoadedServerFactory() {
  static const TServerFactory factory = [] {
    Editor();  // the host loads the editor before the plug-in
    TServerFactory bound = nullptr;
    Bind(LoadLibrary("libPlacer.so"), "ServerFactory", bound);
    return bound;
  }();
  return factory;
}

void SetExportedClient(IClient* client) {
  ExportedClient() = client;
}

extern "C" __attribute__((visibility("default"))) HRESULT ClientAPI_GetClientInterface(
    IClient** client) {
  *client = TComPtr<IClient>(ExportedClient()).Detach();
  return S_OK;
}

extern "C" __attribute__((visibility("default"))) HRESULT VFSAPI_VFSCreateFile(
    const wchar_t* fileName, const wchar_t* kind, const wchar_t*) {
  if (auto* client = static_cast<TTestClient*>(ExportedClient().Get())) {
    client->CreatedFiles.push_back(Narrow(kind) + ":" + Narrow(fileName));
  }
  return S_OK;
}

// ----------------------------------------------------------------------------------------------

HRESULT TTestDocument::GetFileName(std::wstring* fileName) {
  *fileName = Wide(FileName);
  return S_OK;
}
HRESULT TTestDocument::GetKind(std::wstring* kind) {
  *kind = Wide(Kind);
  return S_OK;
}
HRESULT TTestDocument::GetModified(bool* modified) {
  *modified = Modified;
  return S_OK;
}
HRESULT TTestDocument::SetModified(bool modified) {
  Modified = modified;
  return S_OK;
}
HRESULT TTestDocument::GetViewCount(int32_t* count) {
  *count = 0;
  return S_OK;
}
HRESULT TTestDocument::GetView(int32_t, IServerDocumentView** view) {
  *view = nullptr;
  return E_INVALIDARG;
}
HRESULT TTestDocument::GetOwnerModule(IServerModule** module) {
  *module = nullptr;
  return S_OK;
}

HRESULT TTestView::GetViewName(std::wstring* name) {
  *name = L"Test";
  return S_OK;
}
HRESULT TTestView::GetOwnerDocument(IServerDocument** document) {
  *document = TComPtr<IServerDocument>(Document.Get()).Detach();
  return S_OK;
}
HRESULT TTestView::GetWindowHandle(HWND* window) {
  *window = nullptr;
  return S_OK;
}

HRESULT TTestRegistry::RegisterDocument(IServerDocument*, int32_t, int32_t, int32_t* id) {
  *id = ++Registered;
  return S_OK;
}
HRESULT TTestRegistry::UnregisterDocument(int32_t) {
  return S_OK;
}

HRESULT TTestStatusBar::SetStatusText(int32_t index, const wchar_t* text) {
  Panels[index] = text != nullptr ? text : L"";
  return S_OK;
}

// ----------------------------------------------------------------------------------------------

TTestClient::TTestClient() = default;

HRESULT TTestClient::BeforeOpenDocument() {
  return S_OK;
}

TComPtr<TTestDocument> TTestClient::OpenPcb(const std::string& fileName) {
  if (PcbOpenFails) {
    return nullptr;
  }
  char message[256] = {};
  if (Editor().OpenBoard(fileName.c_str(), message, sizeof message) == 0) {
    return nullptr;
  }
  auto document = MakeComObject<TTestDocument>("PCB", fileName);
  Documents[fileName] = document;
  return document;
}

HRESULT TTestClient::OpenDocument(const wchar_t* kind, const wchar_t* fileName,
                                  IServerDocument** document) {
  *document = nullptr;
  const std::string name = Narrow(fileName);
  Opened.emplace_back(Narrow(kind), name);
  if (OpensNothing) {
    return S_OK;
  }
  if (auto known = Documents.find(name); known != Documents.end()) {
    *document = TComPtr<IServerDocument>(known->second).Detach();
    return S_OK;
  }
  if (Narrow(kind) == "PCB") {
    *document = TComPtr<IServerDocument>(OpenPcb(name)).Detach();
    return S_OK;
  }
  TComPtr<IServerDocument> created;
  const HRESULT status = Module->CreateDocument(kind, fileName, created.Put());
  if (created) {
    Documents[name] = created;
  }
  *document = created.Detach();
  return status;
}

HRESULT TTestClient::AfterOpenDocument(int32_t) {
  return S_OK;
}

HRESULT TTestClient::ServerAvailable(const wchar_t* kind, bool* available) {
  *available = Narrow(kind) == "PCB";
  return S_OK;
}

HRESULT TTestClient::GetDocumentByPath(const wchar_t* fileName, IServerDocument** document) {
  auto known = Documents.find(Narrow(fileName));
  *document = known != Documents.end() ? TComPtr<IServerDocument>(known->second).Detach() : nullptr;
  return S_OK;
}

HRESULT TTestClient::DocumentRunEnded(IServerDocument*) {
  ++RunsEnded;
  return S_OK;
}

HRESULT TTestClient::GetMainWindowHandle(HWND* window) {
  *window = nullptr;
  return S_OK;
}

HRESULT TTestClient::GetDialogParent(HWND* window) {
  *window = nullptr;
  return S_OK;
}

HRESULT TTestClient::GetCurrentView(IServerDocumentView** view) {
  *view = nullptr;
  return S_OK;
}

HRESULT TTestClient::GetStatusBar(IStatusBar** statusBar) {
  *statusBar = TComPtr<IStatusBar>(StatusBar.Get()).Detach();
  return S_OK;
}

HRESULT TTestClient::GetDocumentRegistry(IDocumentRegistry** registry) {
  *registry = TComPtr<IDocumentRegistry>(Registry.Get()).Detach();
  return S_OK;
}

HRESULT TTestClient::FreeFormsAtOnce(bool* freeAtOnce) {
  *freeAtOnce = FreesFormsAtOnce;
  return S_OK;
}

HRESULT TTestClient::RunProcess(const wchar_t* processName, char* parameters, int32_t, int32_t) {
  const std::string process = Narrow(processName);
  Processes.push_back({process, parameters});
  return Editor().RunProcess(process.c_str(), parameters) == 0 ? S_OK : E_FAIL;
}
