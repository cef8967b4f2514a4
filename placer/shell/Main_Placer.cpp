#include "shell/Main_Placer.h"

#include "framework/HostStatus.h"
#include "shell/Commands_Placer.h"
#include "shell/Document.h"

TPlacerServerModule::TPlacerServerModule(IClient* client) : TServerModule(ModuleNameText, client) {}

TComPtr<TServerDocument> TPlacerServerModule::CreateDocument(const std::string& kind,
                                                             const std::string& fileName) {
  return CreateServerDocument<TPlacerDocument>(this, fileName, kind);
}

void TPlacerServerModule::RegisterCommands() {
  TCommandLauncher& launcher = CommandLauncher();
  launcher.AddCommand("RunAutoplacer", &CommandRunAutoplacer);
  launcher.AddCommand("StopAutoplacer", &CommandStopAutoplacer);
  launcher.AddCommand("UpdateClientPCBDocument", &CommandUpdateClientPCBDocument);
}

HRESULT ServerFactory(IClient* client, IServerModule** module) {
  if (module == nullptr) {
    return E_POINTER;
  }
  *module = nullptr;
  return CallAtHostBoundary([&] {
    TComPtr<TPlacerServerModule> created = CreateServerModule<TPlacerServerModule>(client);
    *module = TComPtr<IServerModule>(created).Detach();
  });
}
