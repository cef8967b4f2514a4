#pragma once

#include <string>

#include <windows.h>

#include "framework/RT_ServerImplementation.h"

// The placer's server module "PLACER": its three commands and its documents of kind "Placer".
class TPlacerServerModule : public TServerModule {
 public:
  static constexpr const char* ModuleNameText = "PLACER";

  explicit TPlacerServerModule(IClient* client);

  using TServerModule::CreateDocument;

 protected:
  // Every request makes a placer document; the kind is not examined.
  TComPtr<TServerDocument> CreateDocument(const std::string& kind,
                                          const std::string& fileName) override;
  void RegisterCommands() override;
};

// The library's entry: creates the module for the host's client. On failure the module stays
// null and the status is E_UNEXPECTED.
extern "C" __attribute__((visibility("default"))) HRESULT ServerFactory(IClient* client,
                                                                        IServerModule** module);
