#pragma once

// A host for the shell tests: it loads the real plug-in and editor libraries, hands the plug-in a
// client with a document registry, a status bar, a process launcher routed to the editor, and
// documents of kind "PCB" (boards opened in the editor) and "Placer" (made by the plug-in).

#include <map>
#include <string>
#include <vector>

#include <windows.h>

#include "framework/ComObjects.h"
#include "framework/RT_ClientServerInterface.h"

std::wstring Wide(const std::string& text);
std::string Narrow(const std::wstring& text);

// The editor's host entry points, looked up in the loaded editor library.
struct TEditor {
  uint32_t (*OpenBoard)(const char*, char*, size_t);
  uint32_t (*CreateBoard)(const char*);
  int32_t (*SaveBoard)(uint32_t, const char*, char*, size_t);
  int32_t (*CloseBoard)(uint32_t);
  int32_t (*RunProcess)(const char*, const char*);
  uint32_t (*GetCurrentBoardHandle)();
};
const TEditor& Editor();

using TServerFactory = HRESULT (*)(IClient*, IServerModule**);
TServerFactory LoadedServerFactory();

// A document of another server, a PCB document, with its one view.
class TTestDocument : public TInterfacedObject<IServerDocument> {
 public:
  TTestDocument(std::string kind, std::string fileName) : Kind(kind), FileName(fileName) {}
  HRESULT STDMETHODCALLTYPE GetFileName(std::wstring* fileName) override;
  HRESULT STDMETHODCALLTYPE SetFileName(const wchar_t*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetKind(std::wstring* kind) override;
  HRESULT STDMETHODCALLTYPE GetModified(bool* modified) override;
  HRESULT STDMETHODCALLTYPE SetModified(bool modified) override;
  HRESULT STDMETHODCALLTYPE GetViewCount(int32_t* count) override;
  HRESULT STDMETHODCALLTYPE GetView(int32_t, IServerDocumentView** view) override;
  HRESULT STDMETHODCALLTYPE AddView(IServerDocumentView*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetOwnerModule(IServerModule** module) override;

  std::string Kind;
  std::string FileName;
  bool Modified = false;
};

class TTestView : public TInterfacedObject<IServerDocumentView> {
 public:
  explicit TTestView(TTestDocument* document) : Document(document) {}
  HRESULT STDMETHODCALLTYPE GetViewName(std::wstring* name) override;
  HRESULT STDMETHODCALLTYPE AfterCommand() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetOwnerDocument(IServerDocument** document) override;
  HRESULT STDMETHODCALLTYPE GetWindowHandle(HWND* window) override;

  TComPtr<TTestDocument> Document;
};

class TTestRegistry : public TInterfacedObject<IDocumentRegistry> {
 public:
  HRESULT STDMETHODCALLTYPE RegisterDocument(IServerDocument*, int32_t, int32_t,
                                             int32_t* id) override;
  HRESULT STDMETHODCALLTYPE UnregisterDocument(int32_t id) override;
  int32_t Registered = 0;
};

class TTestStatusBar : public TInterfacedObject<IStatusBar> {
 public:
  HRESULT STDMETHODCALLTYPE SetStatusText(int32_t index, const wchar_t* text) override;
  std::map<int32_t, std::wstring> Panels;
};

struct TProcessCall {
  std::string Process;
  std::string Parameters;
};

class TTestClient : public TInterfacedObject<IClient, IProcessLauncher> {
 public:
  TTestClient();

  HRESULT STDMETHODCALLTYPE BeforeOpenDocument() override;
  HRESULT STDMETHODCALLTYPE OpenDocument(const wchar_t* kind, const wchar_t* fileName,
                                         IServerDocument** document) override;
  HRESULT STDMETHODCALLTYPE AfterOpenDocument(int32_t value) override;
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

  // Opens a board file in the editor as a PCB document; null when the editor cannot open it.
  TComPtr<TTestDocument> OpenPcb(const std::string& fileName);

  TComPtr<IServerModule> Module;
  TComPtr<TTestRegistry> Registry = MakeComObject<TTestRegistry>();
  TComPtr<TTestStatusBar> StatusBar = MakeComObject<TTestStatusBar>();
  std::map<std::string, TComPtr<IServerDocument>> Documents;  // by file name
  std::vector<std::pair<std::string, std::string>> Opened;    // kind, file name
  std::vector<std::string> CreatedFiles;                      // VFSAPI_VFSCreateFile
  std::vector<TProcessCall> Processes;
  int RunsEnded = 0;
  bool OpensNothing = false;  // OpenDocument gives no document (and succeeds)
  bool PcbOpenFails = false;  // boards cannot be opened
  bool FreesFormsAtOnce = true;
};

// The client that the host exports hand out.
void SetExportedClient(IClient* client);
