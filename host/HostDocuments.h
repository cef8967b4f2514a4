#pragma once

// The host's own documents: a board opened in the editor, as a document of kind "PCB" with one
// view. Placer documents are made by the plug-in's module.

#include <cstdint>
#include <string>

#include "framework/ComObjects.h"
#include "framework/RT_ClientServerInterface.h"

class TPcbView;

class TPcbDocument : public TInterfacedObject<IServerDocument> {
 public:
  TPcbDocument(std::string fileName, uint32_t board)
      : FileName(std::move(fileName)), Board(board) {}

  HRESULT STDMETHODCALLTYPE GetFileName(std::wstring* fileName) override;
  HRESULT STDMETHODCALLTYPE SetFileName(const wchar_t* fileName) override;
  HRESULT STDMETHODCALLTYPE GetKind(std::wstring* kind) override;
  HRESULT STDMETHODCALLTYPE GetModified(bool* modified) override;
  HRESULT STDMETHODCALLTYPE SetModified(bool modified) override;
  HRESULT STDMETHODCALLTYPE GetViewCount(int32_t* count) override;
  HRESULT STDMETHODCALLTYPE GetView(int32_t index, IServerDocumentView** view) override;
  HRESULT STDMETHODCALLTYPE AddView(IServerDocumentView* view) override;
  HRESULT STDMETHODCALLTYPE GetOwnerModule(IServerModule** module) override;

  std::string FileName;
  uint32_t Board = 0;  // the editor's handle
  bool Modified = false;
  TComPtr<IServerDocumentView> View;
};

// The one view of a PCB document; it holds its document weakly (the document owns the view).
class TPcbView : public TInterfacedObject<IServerDocumentView> {
 public:
  explicit TPcbView(TPcbDocument* document) : Document(document) {}

  HRESULT STDMETHODCALLTYPE GetViewName(std::wstring* name) override;
  HRESULT STDMETHODCALLTYPE AfterCommand() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetOwnerDocument(IServerDocument** document) override;
  HRESULT STDMETHODCALLTYPE GetWindowHandle(HWND* window) override;

  TPcbDocument* Document;
};

// A PCB document with its view for a board the editor has opened.
TComPtr<TPcbDocument> MakePcbDocument(const std::string& fileName, uint32_t board);
