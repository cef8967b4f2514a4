#include <utility>

#include "framework/HostStatus.h"
#include "framework/RT_ServerImplementation.h"
#include "framework/TextHelpers.h"

// The view bases: the frame of the host that shows the form, the view name, the owner document and
// the link between an editor view and its form.

HRESULT TExternalForm::SetFrame(IExternalFormFrame* frame) {
  return CallAtHostBoundary([&] {
    Frame = frame;
    if (frame == nullptr && Form != nullptr) {
      Form->ReleaseFromFrame();
    }
  });
}

HRESULT TExternalForm::ShowInFrame() {
  return CallAtHostBoundary([&] {
    if (!Frame || Form == nullptr) {
      return;
    }
    HWND frameWindow = nullptr;
    CheckStatus(Frame->GetFrameWindowHandle(&frameWindow));
    Form->ShowInParent(frameWindow);
  });
}

HRESULT TExternalForm::HideForm() {
  return CallAtHostBoundary([&] {
    if (Form != nullptr) {
      Form->Hide();
    }
  });
}

// ----------------------------------------------------------------------------------------------

TAbstractServerView::TAbstractServerView(std::string viewName, TEmbeddedForm* form)
    : TInterfacedExtension(form), Name(std::move(viewName)) {}

HRESULT TAbstractServerView::GetViewName(std::wstring* name) {
  if (name == nullptr) {
    return E_POINTER;
  }
  return CallAtHostBoundary([&] { *name = WidenText(Name); });
}

HRESULT TAbstractServerView::AfterCommand() {
  return CallAtHostBoundary([&] { DoAfterCommand(); });
}

HRESULT TAbstractServerView::GetHelpContext(int32_t* helpContext) {
  if (helpContext == nullptr) {
    return E_POINTER;
  }
  *helpContext = HelpContext;
  return S_OK;
}

// ----------------------------------------------------------------------------------------------

TServerDocView::TServerDocView(std::string viewName, TEmbeddedForm* form, TServerDocument* document)
    : TInterfacedExtension(std::move(viewName), form), Document(document) {}

HRESULT TServerDocView::GetViewName(std::wstring* name) {
  return TAbstractServerView::GetViewName(name);
}

HRESULT TServerDocView::AfterCommand() {
  return TAbstractServerView::AfterCommand();
}

HRESULT TServerDocView::GetOwnerDocument(IServerDocument** document) {
  return HandOutInterface<IServerDocument>(Document, document);
}

HRESULT TServerDocView::GetWindowHandle(HWND* window) {
  if (window == nullptr) {
    return E_POINTER;
  }
  return CallAtHostBoundary([&] { *window = Form != nullptr ? Form->GetFormWindow() : nullptr; });
}

// ----------------------------------------------------------------------------------------------

TServerDocumentEditorView::TServerDocumentEditorView(std::string viewName, TEmbeddedForm* form,
                                                     TServerDocument* document)
    : TServerDocView(std::move(viewName), form, document) {
  if (Form != nullptr) {
    Form->SetView(this);
  }
}

TServerDocumentEditorView::~TServerDocumentEditorView() {
  if (Form != nullptr) {
    Form->SetView(nullptr);
  }
}

void TServerDocumentEditorView::DoAfterCommand() {
  ClearStatusPanels();
}
