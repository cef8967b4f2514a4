#include "shell/PlacerViewForm.h"

#include "engine/PlaceObj.h"

TGraphicalViewForm::TGraphicalViewForm(IPlacerDocument* document) : PlacerDocument(document) {
  SetCaption("GraphicalViewForm");
  SetClientSize(696, 480);
  SetColor(clBtnFace);
  Font.Name = "MS Sans Serif";
  Font.Height = -11;

  PlacerBackgroundPanel = &Add<TPanel>(nullptr, "PlacerBackgroundPanel");
  PlacerBackgroundPanel->SetAlign(TAlign::Client);
  PlacerBackgroundPanel->BevelOuter = TBevel::None;
  PlacerBackgroundPanel->SetCaption("No board loaded");

  MainDrawingSurface = &Add<TPaintBox>(PlacerBackgroundPanel, "MainDrawingSurface");
  MainDrawingSurface->SetAlign(TAlign::Client);
  MainDrawingSurface->OnPaint = [this](TPaintBox&) { MainDrawingSurfacePaint(); };

  MainTimer = &Add<TTimer>("MainTimer");
  MainTimer->SetEnabled(false);
  MainTimer->SetInterval(RepaintInterval);
  MainTimer->SetOnTimer([this](TTimer&) { MainTimerTimer(); });
}

TAutoPlacer* TGraphicalViewForm::Engine() const {
  TAutoPlacer* engine = nullptr;
  if (PlacerDocument != nullptr && PlacerDocument->GetAutoPlacer(&engine) < 0) {
    engine = nullptr;
  }
  return engine;
}

void TGraphicalViewForm::MainTimerTimer() {
  const TAutoPlacer* engine = Engine();
  if (engine != nullptr && engine->Running) {
    MainDrawingSurface->Repaint();
  }
}

void TGraphicalViewForm::MainDrawingSurfacePaint() {
  if (TAutoPlacer* engine = Engine()) {
    engine->Draw(&MainDrawingSurface->Canvas());
  }
}

void TGraphicalViewForm::WMCommand(TMessage& message) {
  // The document stays alive while its run is on the stack, even if the host lets it go meanwhile.
  const TComPtr<IPlacerDocument> document(PlacerDocument);
  TAutoPlacer* engine = Engine();
  if (engine == nullptr) {
    return;
  }
  switch (message.WParam) {
    case cmPlacerStopped:
      document->PlacementStopped();
      break;
    case cmPlacerFinished:
      document->PlacementFinished();
      break;
    case cmPlacerStart:
      MainTimer->SetEnabled(true);
      if (!engine->Running) {
        engine->Run();
      }
      break;
    default:
      break;
  }
  TServerEditorForm::WMCommand(message);
}
