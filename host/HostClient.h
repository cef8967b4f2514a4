#pragma once

// The host side of the framework: the client the plug-in talks to. It opens documents ("PCB"
// boards in the editor, "Placer" documents through the plug-in's module), keeps the document
// registry, hands out the status bar, routes "PCB:" processes to the editor and hears when a
// document's run ends.

#include <windows.h>

#include <map>
#include <string>

#include "HostDocuments.h"
#include "HostStatusBar.h"
#include "framework/ComObjects.h"
#include "framework/RT_ClientServerInterface.h"

class TDocumentRegistry : public TInterfacedObject<IDocumentRegistry> {
 public:
  HRESULT STDMETHODCALLTYPE RegisterDocument(IServerDocument* document, int32_t category,
                                             int32_t flags, int32_t* id) override;
  HRESULT STDMETHODCALLTYPE UnregisterDocument(int32_t id) override;

  // Registration does not keep a document alive: a document unregisters itself when it goes, and a
  // counted reference here would keep it from ever going.
  std::map<int32_t, IServerDocument*> Registered;

 private:
  int32_t LastId = 0;
};

class THostClient : public TInterfacedObject<IClient, IProcessLauncher> {
 public:
  explicit THostClient(TComPtr<THostStatusBar> statusBar) : StatusBar(std::move(statusBar)) {}

  HRESULT STDMETHODCALLTYPE BeforeOpenDocument() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OpenDocument(const wchar_t* kind, const wchar_t* fileName,
                                         IServerDocument** document) override;
  HRESULT STDMETHODCALLTYPE AfterOpenDocument(int32_t) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ServerAvailable(const wchar_t* kind, bool* available) override;
  HRESULT STDMETHODCALLTYPE GetDocumentByPath(const wchar_t* fileName,
                                              IServerDocument** document) override;
  HRESULT STDMETHODCALLTYPE DocumentRunEnded(IServerDocument* document) override;
  HRESULT STDMETHODCALLTYPE BroadcastNotification(int32_t, IServerDocument*,
                                                  const wchar_t*) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetMainWindowHandle(HWND* window) override;
  HRESULT STDMETHODCALLTYPE GetDialogParent(HWND* window) override;
  HRESULT STDMETHODCALLTYPE GetCurrentView(IServerDocumentView** view) override;
  HRESULT STDMETHODCALLTYPE GetStatusBar(IStatusBar** statusBar) override;
  HRESULT STDMETHODCALLTYPE GetDocumentRegistry(IDocumentRegistry** registry) override;
  HRESULT STDMETHODCALLTYPE FreeFormsAtOnce(bool* freeAtOnce) override;
  HRESULT STDMETHODCALLTYPE RunProcess(const wchar_t* processName, char* parameters,
                                       int32_t capacity, int32_t flags) override;

  // Opens a board file in the editor as a PCB document with its view; null with the editor's
  // reason in `message` when it cannot.
  TComPtr<TPcbDocument> OpenPcb(const std::string& fileName, std::string& message);

  // The plug-in's command launcher, null before the module is made.
  TComPtr<ICommandLauncher> CommandLauncher() const;

  // What VFSAPI_VFSCreateFile asks for before a document is opened. Documents are made when they
  // are opened, so creating the file beforehand needs nothing here.
  virtual HRESULT CreateVfsFile(const std::string& /*fileName*/, const std::string& /*kind*/) {
    return S_OK;
  }

  TComPtr<IServerModule> Module;
  TComPtr<THostStatusBar> StatusBar;
  TComPtr<TDocumentRegistry> Registry = MakeComObject<TDocumentRegistry>();
  std::map<std::string, TComPtr<IServerDocument>> Documents;  // by file name
  TComPtr<TPcbDocument> CurrentPcb;                           // the board being placed
  HWND MainWindow = nullptr;
  int RunsEnded = 0;
};

// The client that the exports ClientAPI_GetClientInterface and VFSAPI_VFSCreateFile serve.
void SetExportedClient(THostClient* client);
THostClient* ExportedClient();
