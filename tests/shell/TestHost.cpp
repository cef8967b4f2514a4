#include "TestHost.h"

#include <cstdio>

namespace {

// The status bar shows nothing while the tests run.
TComPtr<THostStatusBar> QuietStatusBar() {
  return MakeComObject<THostStatusBar>(TProgressOutput::Quiet, stderr);
}

}  // namespace

TTestClient::TTestClient() : THostClient(QuietStatusBar()) {}

HRESULT TTestClient::OpenDocument(const wchar_t* kind, const wchar_t* fileName,
                                  IServerDocument** document) {
  if (kind == nullptr || fileName == nullptr || document == nullptr) {
    return THostClient::OpenDocument(kind, fileName, document);
  }
  Opened.emplace_back(Narrow(kind), Narrow(fileName));
  if (OpensNothing || (PcbOpenFails && Opened.back().first == "PCB")) {
    *document = nullptr;
    return S_OK;
  }
  return THostClient::OpenDocument(kind, fileName, document);
}

HRESULT TTestClient::RunProcess(const wchar_t* processName, char* parameters, int32_t capacity,
                                int32_t flags) {
  if (processName != nullptr) {
    Processes.push_back({Narrow(processName), parameters != nullptr ? parameters : ""});
  }
  return THostClient::RunProcess(processName, parameters, capacity, flags);
}

HRESULT TTestClient::CreateVfsFile(const std::string& fileName, const std::string& kind) {
  CreatedFiles.push_back(kind + ":" + fileName);
  return THostClient::CreateVfsFile(fileName, kind);
}

HRESULT TOtherDocument::GetKind(std::wstring* kind) {
  if (kind == nullptr) {
    return E_POINTER;
  }
  *kind = Wide(Kind);
  return S_OK;
}

TComPtr<TOtherDocument> MakeOtherDocument(const std::string& kind, const std::string& fileName) {
  auto document = MakeComObject<TOtherDocument>(kind, fileName);
  document->View = MakeComObject<TPcbView>(document.Get());
  return document;
}
