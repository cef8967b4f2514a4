// The functions a host exports to its plug-ins, found by name in the running program.

#include "HostClient.h"
#include "HostText.h"
#include "framework/ComObjects.h"

extern "C" __attribute__((visibility("default"))) HRESULT ClientAPI_GetClientInterface(
    IClient** client) {
  if (client == nullptr) {
    return E_POINTER;
  }
  *client = TComPtr<IClient>(ExportedClient()).Detach();
  return S_OK;
}

extern "C" __attribute__((visibility("default"))) HRESULT VFSAPI_VFSCreateFile(
    const wchar_t* fileName, const wchar_t* kind, const wchar_t*) {
  THostClient* client = ExportedClient();
  if (client == nullptr) {
    return S_OK;
  }
  return client->CreateVfsFile(fileName != nullptr ? Narrow(fileName) : std::string(),
                               kind != nullptr ? Narrow(kind) : std::string());
}
