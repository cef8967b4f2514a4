#pragma once

#include "framework/ComObjects.h"
#include "framework/Rt_formsViews.h"
#include "shell/PlacerInterfaces.h"

// The form of the placer view: a panel whose caption shows while there is nothing to draw, a paint
// box on it where the engine draws the placement, and the repaint timer of a running placement.
// Its window is where the document and the engine meet: the document posts cmPlacerStart, the
// form runs the engine in its handler, the engine posts cmPlacerFinished or cmPlacerStopped back.
class TGraphicalViewForm : public TServerEditorForm {
 public:
  static constexpr UINT RepaintInterval = 2500;

  // `document` is the placer document that owns the form's view; the form keeps a reference to it
  // only while its own handlers use it (see ForgetDocument).
  explicit TGraphicalViewForm(IPlacerDocument* document);

  // The document is going: the form no longer reaches it.
  void ForgetDocument() { PlacerDocument = nullptr; }
  IPlacerDocument* Document() const { return PlacerDocument; }

  void MainTimerTimer();
  void MainDrawingSurfacePaint();

  TPanel* PlacerBackgroundPanel = nullptr;
  TPaintBox* MainDrawingSurface = nullptr;
  TTimer* MainTimer = nullptr;

 protected:
  void WMCommand(TMessage& message) override;

 private:
  TAutoPlacer* Engine() const;

  // Not counted: the document holds its view, and a counted reference here would keep both alive
  // for ever. The document clears it when it goes; handlers take a counted reference for the time
  // they run.
  IPlacerDocument* PlacerDocument;
};
