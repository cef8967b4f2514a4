#include "framework/ClientServices.h"

#include <string>

#include "framework/ClientProcs.h"
#include "framework/TextHelpers.h"

void RunProcess(std::string_view processName, char* parameters, int32_t capacity, int32_t flags) {
  const TComPtr<IClient> client = GetClient();
  if (!client) {
    return;
  }
  TComPtr<IProcessLauncher> launcher;
  CheckStatus(
      client->QueryInterface(IProcessLauncher::Iid, reinterpret_cast<void**>(launcher.Put())));
  CheckStatus(launcher->RunProcess(WidenText(processName).c_str(), parameters, capacity, flags));
}

TComPtr<IServerDocument> OpenDocumentThroughHost(std::wstring_view kind,
                                                 std::string_view fileName) {
  const TComPtr<IClient> client = GetClient();
  if (!client) {
    return nullptr;
  }
  const std::wstring wideKind(kind);
  const std::wstring wideName = WidenText(fileName);
  CheckStatus(client->BeforeOpenDocument());
  TComPtr<IServerDocument> document;
  CheckStatus(client->OpenDocument(wideKind.c_str(), wideName.c_str(), document.Put()));
  CheckStatus(client->AfterOpenDocument(-1));
  return document;
}
