#include <cstddef>
#include <utility>

#include "framework/ClientProcs.h"
#include "framework/HostStatus.h"
#include "framework/RT_ServerImplementation.h"
#include "framework/TextHelpers.h"

// The document base: registration with the host, the modified state, the file name and the views.

namespace {

// The values with which the framework registers its documents; their meaning is the host's.
constexpr int32_t DocumentRegistrationCategory = 10000;
constexpr int32_t DocumentRegistrationFlags = 1;

// The extension of the temporary files that the host saves through; renaming to or from one is
// not announced.
constexpr std::string_view TemporaryFileExtension = ".$$$";

// The extension of `fileName` with its dot: from the last "." after the last path or drive
// separator; empty when there is none.
std::string_view FileExtension(std::string_view fileName) {
  const std::size_t separator = fileName.find_last_of("\\/:");
  const std::size_t dot = fileName.find_last_of('.');
  if (dot == std::string_view::npos || (separator != std::string_view::npos && dot < separator)) {
    return {};
  }
  return fileName.substr(dot);
}

bool IsTemporaryFileName(std::string_view fileName) {
  return FileExtension(fileName) == TemporaryFileExtension;
}

void BroadcastDocumentNotification(int32_t code, IServerDocument* document, const wchar_t* text) {
  if (const TComPtr<IClient> client = GetClient()) {
    CheckStatus(client->BroadcastNotification(code, document, text));
  }
}

}  // namespace

TServerDocument::TServerDocument(TServerModule* module, std::string fileName, std::string kind)
    : FileName(std::move(fileName)), Kind(std::move(kind)), Module(module) {}

TServerDocument::~TServerDocument() {
  if (Registry && RegistrationId != NotRegistered) {
    // Nothing may leave a destructor; a failure to unregister is the host's to notice.
    Registry->UnregisterDocument(RegistrationId);
  }
  // Views that the host still holds outlive the document; they must not reach it any more.
  for (const TComPtr<IServerDocumentView>& view : Views) {
    if (auto* documentView = dynamic_cast<TServerDocView*>(view.Get())) {
      if (documentView->OwnerDocument() == this) {
        documentView->ForgetDocument();
      }
    }
  }
  Views.clear();
}

void TServerDocument::AfterConstruction() {
  RegisterWithHost();
  CreateViews();
}

void TServerDocument::RegisterWithHost() {
  const TComPtr<IClient> client = GetClient();
  if (!client) {
    return;
  }
  TComPtr<IDocumentRegistry> registry;
  CheckStatus(client->GetDocumentRegistry(registry.Put()));
  if (!registry) {
    return;
  }
  int32_t id = NotRegistered;
  CheckStatus(registry->RegisterDocument(this, DocumentRegistrationCategory,
                                         DocumentRegistrationFlags, &id));
  Registry = registry;
  RegistrationId = id;
}

void TServerDocument::DoSetModified(bool modified) {
  if (modified == Modified) {
    return;
  }
  Modified = modified;
  BroadcastDocumentNotification(DocumentNotificationModifiedChanged, this, nullptr);
}

void TServerDocument::DoSetFileName(std::string fileName) {
  const std::string oldName = std::exchange(FileName, std::move(fileName));
  if (IsTemporaryFileName(oldName) || IsTemporaryFileName(FileName)) {
    return;
  }
  BroadcastDocumentNotification(DocumentNotificationFileNameChanged, this,
                                WidenText(oldName).c_str());
}

HRESULT TServerDocument::GetFileName(std::wstring* fileName) {
  if (fileName == nullptr) {
    return E_POINTER;
  }
  return CallAtHostBoundary([&] { *fileName = WidenText(FileName); });
}

HRESULT TServerDocument::SetFileName(const wchar_t* fileName) {
  return CallAtHostBoundary(
      [&] { DoSetFileName(NarrowText(fileName == nullptr ? L"" : fileName)); });
}

HRESULT TServerDocument::GetKind(std::wstring* kind) {
  if (kind == nullptr) {
    return E_POINTER;
  }
  return CallAtHostBoundary([&] { *kind = WidenText(Kind); });
}

HRESULT TServerDocument::GetModified(bool* modified) {
  if (modified == nullptr) {
    return E_POINTER;
  }
  *modified = Modified;
  return S_OK;
}

HRESULT TServerDocument::SetModified(bool modified) {
  return CallAtHostBoundary([&] { DoSetModified(modified); });
}

HRESULT TServerDocument::GetViewCount(int32_t* count) {
  if (count == nullptr) {
    return E_POINTER;
  }
  *count = static_cast<int32_t>(Views.size());
  return S_OK;
}

HRESULT TServerDocument::GetView(int32_t index, IServerDocumentView** view) {
  if (view == nullptr) {
    return E_POINTER;
  }
  *view = nullptr;
  if (index < 0 || static_cast<std::size_t>(index) >= Views.size()) {
    return E_INVALIDARG;
  }
  *view = TComPtr<IServerDocumentView>(Views[static_cast<std::size_t>(index)]).Detach();
  return S_OK;
}

HRESULT TServerDocument::AddView(IServerDocumentView* view) {
  if (view == nullptr) {
    return E_POINTER;
  }
  return CallAtHostBoundary([&] { Views.emplace_back(view); });
}

HRESULT TServerDocument::GetOwnerModule(IServerModule** module) {
  return HandOutInterface<IServerModule>(Module, module);
}

HRESULT TServerDocument::LoadFromFile() {
  return CallAtHostBoundary([&] { DoLoadFromFile(); });
}

HRESULT TServerDocument::SaveToFile(const wchar_t* fileName) {
  return CallAtHostBoundary(
      [&] { DoSaveToFile(NarrowText(fileName == nullptr ? L"" : fileName)); });
}
