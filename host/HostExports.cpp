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

// Documents are made when they are opened; creating the file beforehand needs nothing here.
extern "C" __attribute__((visibility("default"))) HRESULT VFSAPI_VFSCreateFile(const wchar_t*,
                                                                               const wchar_t*,
                                                                               const wchar_t*) {
  return S_OK;
}
