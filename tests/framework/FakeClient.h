#pragma once

#include <string>
#include <utility>
#include <vector>

#include "framework/ClientProcs.h"
#include "framework/RT_ClientServerInterface.h"

// A host client for the framework tests: a status bar that records what it is sent, and an optional
// process launcher that records its runs and answers with a chosen status.

struct TStatusCall {
  int32_t Index;
  std::wstring Text;
  bool operator==(const TStatusCall&) const = default;
};

class TRecordingStatusBar : public TInterfacedObject<IStatusBar> {
 public:
  HRESULT STDMETHODCALLTYPE SetStatusText(int32_t index, const wchar_t* text) override {
    Calls.push_back({index, text == nullptr ? std::wstring() : std::wstring(text)});
    return S_OK;
  }

  int CountOf(int32_t index) const {
    int count = 0;
    for (const TStatusCall& call : Calls) {
      count += call.Index == index ? 1 : 0;
    }
    return count;
  }

  std::vector<TStatusCall> Calls;
};

class TFakeClient : public TInterfacedObject<IClient> {
 public:
  TComPtr<TRecordingStatusBar> StatusBar = MakeComObject<TRecordingStatusBar>();

  HRESULT STDMETHODCALLTYPE BeforeOpenDocument() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OpenDocument(const wchar_t*, const wchar_t*,
                                         IServerDocument** document) override {
    *document = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE AfterOpenDocument(int32_t) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ServerAvailable(const wchar_t*, bool* available) override {
    *available = false;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDocumentByPath(const wchar_t*, IServerDocument** document) override {
    *document = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DocumentRunEnded(IServerDocument*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE BroadcastNotification(int32_t, IServerDocument*,
                                                  const wchar_t*) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetMainWindowHandle(HWND* window) override {
    *window = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDialogParent(HWND* window) override {
    *window = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetCurrentView(IServerDocumentView** view) override {
    *view = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetStatusBar(IStatusBar** statusBar) override {
    *statusBar = TComPtr<IStatusBar>(StatusBar.Get()).Detach();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDocumentRegistry(IDocumentRegistry** registry) override {
    *registry = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE FreeFormsAtOnce(bool* freeAtOnce) override {
    *freeAtOnce = true;
    return S_OK;
  }
};

struct TProcessRun {
  std::wstring ProcessName;
  std::string Parameters;
  int32_t Capacity;
  int32_t Flags;
};

// A client that also runs host processes, answering every run with `Status`.
class TFakeLaunchingClient : public TInterfacedExtension<TFakeClient, IProcessLauncher> {
 public:
  HRESULT STDMETHODCALLTYPE RunProcess(const wchar_t* processName, char* parameters,
                                       int32_t capacity, int32_t flags) override {
    Runs.push_back({processName, parameters, capacity, flags});
    return Status;
  }

  HRESULT Status = S_OK;
  std::vector<TProcessRun> Runs;
};

// Makes `client` the process's client for the lifetime of the guard.
class TClientScope {
 public:
  explicit TClientScope(IClient* client) { SetClient(client); }
  ~TClientScope() { SetClient(nullptr); }
  TClientScope(const TClientScope&) = delete;
  TClientScope& operator=(const TClientScope&) = delete;
};
