#include "framework/ClientProcs.h"

#include <string>

#include "framework/HostExports.h"
#include "framework/TextHelpers.h"

namespace {

// The process-wide client. A plain pointer that holds a reference: nothing releases it when the
// process ends, when the host's own objects may already be gone.
IClient* ProcessClient = nullptr;

struct THostExports {
  bool Bound = false;
  TClientAPI_GetClientInterface GetClientInterface = nullptr;
  TVFSAPI_VFSCreateFile CreateVfsFile = nullptr;
};

THostExports HostExports;

template <class TFunction>
TFunction LookUpExport(HMODULE module, const char* name) {
  if (module == nullptr) {
    return nullptr;
  }
  // Through the generic function pointer type, which converts to any other without complaint.
  using TAnyFunction = void (*)();
  return reinterpret_cast<TFunction>(reinterpret_cast<TAnyFunction>(GetProcAddress(module, name)));
}

const THostExports& BoundHostExports() {
  if (!HostExports.Bound) {
    BindHostExports();
  }
  return HostExports;
}

}  // namespace

TComPtr<IClient> GetClient() {
  return TComPtr<IClient>(ProcessClient);
}

void SetClient(IClient* client) {
  if (client != nullptr) {
    client->AddRef();
  }
  IClient* previous = ProcessClient;
  ProcessClient = client;
  if (previous != nullptr) {
    previous->Release();
  }
}

void BindHostExports() {
  BindHostExports(GetModuleHandleA(nullptr));
}

void BindHostExports(HMODULE hostModule) {
  HostExports.GetClientInterface =
      LookUpExport<TClientAPI_GetClientInterface>(hostModule, "ClientAPI_GetClientInterface");
  HostExports.CreateVfsFile =
      LookUpExport<TVFSAPI_VFSCreateFile>(hostModule, "VFSAPI_VFSCreateFile");
  HostExports.Bound = true;
}

TComPtr<IClient> GetClientFromHost() {
  TComPtr<IClient> client;
  if (const auto getClientInterface = BoundHostExports().GetClientInterface) {
    CheckStatus(getClientInterface(client.Put()));
  }
  return client;
}

void VFSCreateFile(std::string_view fileName, std::string_view kind, std::string_view extra) {
  if (const auto createFile = BoundHostExports().CreateVfsFile) {
    createFile(WidenText(fileName).c_str(), WidenText(kind).c_str(), WidenText(extra).c_str());
  }
}
