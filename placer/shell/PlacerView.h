#pragma once

#include <string>

#include "framework/RT_ServerImplementation.h"
#include "shell/PlacerInterfaces.h"

class TGraphicalViewForm;

// The placer document's one view, "AutoplaceView": it shows the graphical view form and hands
// out its controls.
class TPlacerView : public TInterfacedExtension<TServerDocumentEditorView, IPlacerView> {
 public:
  TPlacerView(std::string viewName, TGraphicalViewForm& form, TServerDocument* document);

  HRESULT STDMETHODCALLTYPE GetMainTimer(TTimer** timer) override;
  HRESULT STDMETHODCALLTYPE GetBackgroundPanel(TPanel** panel) override;
  HRESULT STDMETHODCALLTYPE GetDrawingSurface(TPaintBox** surface) override;

 private:
  TGraphicalViewForm* ViewForm() const;
};
