#pragma once

// The placer's own interfaces: the document as the view sees it, the document as the commands
// drive it, and the controls of the document's view.

#include <cstdint>

#include "framework/ComObjects.h"

class TAutoPlacer;
class TTimer;
class TPanel;
class TPaintBox;

// The placer document as its view sees it: the end of a run and the engine.
struct IPlacerDocument : IUnknown {
  static constexpr GUID Iid = MakeGuid("{43083F99-D38E-4BCE-A33F-42EDD2A52E88}");

  // The engine finished all its passes.
  virtual HRESULT STDMETHODCALLTYPE PlacementFinished() = 0;
  // The engine's run ended before all passes were done.
  virtual HRESULT STDMETHODCALLTYPE PlacementStopped() = 0;
  // The document's engine; null before the first load.
  virtual HRESULT STDMETHODCALLTYPE GetAutoPlacer(TAutoPlacer** engine) = 0;
};

// The placer document as the commands drive it.
struct IPlacerControl : IUnknown {
  static constexpr GUID Iid = MakeGuid("{A1A9BC2C-E337-4E24-A47A-51F42B70E715}");

  virtual HRESULT STDMETHODCALLTYPE StopPlacer() = 0;
  virtual HRESULT STDMETHODCALLTYPE UpdateClientPCBDocument() = 0;
  virtual HRESULT STDMETHODCALLTYPE LoadBoardAndRun(uint32_t boardHandle) = 0;
};

// Options of the next run of a placer document, set before LoadBoardAndRun.
struct IPlacerRunOptions : IUnknown {
  static constexpr GUID Iid = MakeGuid("{D63E5E14-2A0F-4F2C-B165-988FE767C28C}");

  // A fixed seed for the engine's random generator (hasSeed true), or the clock (false).
  virtual HRESULT STDMETHODCALLTYPE SetRunSeed(bool hasSeed, uint32_t seed) = 0;
  // Scales the per-pass move caps by effort (1: the standard run); refine starts from the
  // board's own placement.
  virtual HRESULT STDMETHODCALLTYPE SetRunTuning(double effort, bool refine) = 0;
  // The engine's total cost now (after a finished run: the final cost); E_FAIL without an engine.
  virtual HRESULT STDMETHODCALLTYPE GetRunCost(double* cost) = 0;
};

// The controls of the placer view's form.
struct IPlacerView : IUnknown {
  static constexpr GUID Iid = MakeGuid("{6CD0DEC7-7570-42AB-BCD5-08831E37B633}");

  virtual HRESULT STDMETHODCALLTYPE GetMainTimer(TTimer** timer) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetBackgroundPanel(TPanel** panel) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetDrawingSurface(TPaintBox** surface) = 0;
};

// The window messages of a placement run, WM_COMMAND identifiers posted to the view's window.
inline constexpr uint32_t cmPlacerStopped = 9997;
inline constexpr uint32_t cmPlacerFinished = 9998;
inline constexpr uint32_t cmPlacerStart = 9999;
