#include "shell/PlacerView.h"

#include "shell/PlacerViewForm.h"

TPlacerView::TPlacerView(std::string viewName, TGraphicalViewForm& form, TServerDocument* document)
    : TInterfacedExtension(std::move(viewName), &form, document) {}

// The form while the view still reaches it.
TGraphicalViewForm* TPlacerView::ViewForm() const {
  return static_cast<TGraphicalViewForm*>(Form);
}

HRESULT TPlacerView::GetMainTimer(TTimer** timer) {
  if (timer == nullptr) {
    return E_POINTER;
  }
  *timer = ViewForm() != nullptr ? ViewForm()->MainTimer : nullptr;
  return *timer != nullptr ? S_OK : E_FAIL;
}

HRESULT TPlacerView::GetBackgroundPanel(TPanel** panel) {
  if (panel == nullptr) {
    return E_POINTER;
  }
  *panel = ViewForm() != nullptr ? ViewForm()->PlacerBackgroundPanel : nullptr;
  return *panel != nullptr ? S_OK : E_FAIL;
}

HRESULT TPlacerView::GetDrawingSurface(TPaintBox** surface) {
  if (surface == nullptr) {
    return E_POINTER;
  }
  *surface = ViewForm() != nullptr ? ViewForm()->MainDrawingSurface : nullptr;
  return *surface != nullptr ? S_OK : E_FAIL;
}
