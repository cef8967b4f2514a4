#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/RunTuning.h"
#include "framework/RT_ServerImplementation.h"
#include "shell/PlacerInterfaces.h"

class TAutoPlacer;
class TGraphicalViewForm;

// The placer document of one PCB board: it owns the placement engine, loads the board into it,
// starts the run through its view, and writes the placement back into the PCB document.
class TPlacerDocument : public TInterfacedExtension<TServerDocument, IPlacerDocument,
                                                    IPlacerControl, IPlacerRunOptions> {
 public:
  TPlacerDocument(TServerModule* module, std::string fileName, std::string kind);
  ~TPlacerDocument() override;

  // The engine (null before the first load) and the board the run was started for.
  TAutoPlacer* AutoPlacer() const { return Engine.get(); }
  uint32_t RunBoardHandle() const { return BoardHandle; }

  // IPlacerDocument
  HRESULT STDMETHODCALLTYPE PlacementFinished() override;
  HRESULT STDMETHODCALLTYPE PlacementStopped() override;
  HRESULT STDMETHODCALLTYPE GetAutoPlacer(TAutoPlacer** engine) override;

  // IPlacerControl. LoadBoardAndRun while the engine runs leaves the run alone and does nothing.
  HRESULT STDMETHODCALLTYPE StopPlacer() override;
  HRESULT STDMETHODCALLTYPE UpdateClientPCBDocument() override;
  HRESULT STDMETHODCALLTYPE LoadBoardAndRun(uint32_t boardHandle) override;

  // IPlacerRunOptions
  HRESULT STDMETHODCALLTYPE SetRunSeed(bool hasSeed, uint32_t seed) override;
  HRESULT STDMETHODCALLTYPE SetRunTuning(double effort, bool refine) override;
  HRESULT STDMETHODCALLTYPE GetRunCost(double* cost) override;

 protected:
  void CreateViews() override;

 private:
  void DoLoadBoardAndRun(uint32_t boardHandle);
  void DoPlacementFinished();
  void WriteBack();
  uint32_t FindOrOpenPcbBoard(const std::string& fileName);
  void RunPcbProcesses(uint32_t board);
  void MarkPcbDocumentModified(const std::string& fileName);

  TComPtr<IPlacerView> FirstPlacerView() const;
  HWND FirstViewWindow() const;

  // Replaces the engine; the old one is freed once no operation of this document uses it.
  void ReplaceEngine(std::unique_ptr<TAutoPlacer> engine);
  void FreeRetiredEngines();

  // Counts the operations of this document on the stack that use the engine, so that an engine
  // replaced re-entrantly (from a message box or the write-back's message dispatch) is not freed
  // under them.
  class TEngineUse {
   public:
    explicit TEngineUse(TPlacerDocument& document);
    ~TEngineUse();
    TEngineUse(const TEngineUse&) = delete;
    TEngineUse& operator=(const TEngineUse&) = delete;

   private:
    TPlacerDocument& Document;
  };

  std::unique_ptr<TAutoPlacer> Engine;
  std::vector<std::unique_ptr<TAutoPlacer>> RetiredEngines;
  int32_t EngineUses = 0;
  uint32_t BoardHandle = 0;
  std::optional<uint32_t> RunSeed;
  TRunTuning RunTuning;
  TGraphicalViewForm* Form = nullptr;  // freed by the framework with the view
};
