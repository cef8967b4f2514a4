#include "HostDocuments.h"

#include "HostText.h"

HRESULT TPcbDocument::GetFileName(std::wstring* fileName) {
  if (fileName == nullptr) {
    return E_POINTER;
  }
  *fileName = Wide(FileName);
  return S_OK;
}

HRESULT TPcbDocument::SetFileName(const wchar_t* fileName) {
  if (fileName == nullptr) {
    return E_POINTER;
  }
  FileName = Narrow(fileName);
  return S_OK;
}

HRESULT TPcbDocument::GetKind(std::wstring* kind) {
  if (kind == nullptr) {
    return E_POINTER;
  }
  *kind = L"PCB";
  return S_OK;
}

HRESULT TPcbDocument::GetModified(bool* modified) {
  if (modified == nullptr) {
    return E_POINTER;
  }
  *modified = Modified;
  return S_OK;
}

HRESULT TPcbDocument::SetModified(bool modified) {
  Modified = modified;
  return S_OK;
}

HRESULT TPcbDocument::GetViewCount(int32_t* count) {
  if (count == nullptr) {
    return E_POINTER;
  }
  *count = View ? 1 : 0;
  return S_OK;
}

HRESULT TPcbDocument::GetView(int32_t index, IServerDocumentView** view) {
  if (view == nullptr) {
    return E_POINTER;
  }
  *view = nullptr;
  if (index != 0 || !View) {
    return E_INVALIDARG;
  }
  *view = TComPtr<IServerDocumentView>(View).Detach();
  return S_OK;
}

HRESULT TPcbDocument::AddView(IServerDocumentView*) {
  return E_NOTIMPL;  // a board has its one view
}

HRESULT TPcbDocument::GetOwnerModule(IServerModule** module) {
  if (module == nullptr) {
    return E_POINTER;
  }
  *module = nullptr;  // the editor is not a module of this host
  return S_OK;
}

HRESULT TPcbView::GetViewName(std::wstring* name) {
  if (name == nullptr) {
    return E_POINTER;
  }
  *name = L"PCB";
  return S_OK;
}

HRESULT TPcbView::GetOwnerDocument(IServerDocument** document) {
  if (document == nullptr) {
    return E_POINTER;
  }
  *document = TComPtr<IServerDocument>(Document).Detach();
  return S_OK;
}

HRESULT TPcbView::GetWindowHandle(HWND* window) {
  if (window == nullptr) {
    return E_POINTER;
  }
  *window = nullptr;  // the editor draws nowhere on this host
  return S_OK;
}

TComPtr<TPcbDocument> MakePcbDocument(const std::string& fileName, uint32_t board) {
  auto document = MakeComObject<TPcbDocument>(fileName, board);
  document->View = MakeComObject<TPcbView>(document.Get());
  return document;
}
