#pragma once

// The fixture of the tests that run against the recording board editor: loads it once (the binding
// then finds it as the editor library) and clears its log and results before each test.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordingEditorBoard.h"
#include "pcb/Layers.h"

class BoardRecordingTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (Editor == nullptr)
      Editor = dlopen(RECORDING_EDITOR_PATH, RTLD_NOW | RTLD_GLOBAL);
  }

  void SetUp() override {
    ASSERT_NE(Editor, nullptr) << dlerror();
    const auto stateOf =
        reinterpret_cast<RecordingEditor_State_Fn>(dlsym(Editor, "RecordingEditor_State"));
    ASSERT_NE(stateOf, nullptr);
    Recorded = stateOf();
    *Recorded = TRecordingEditor{};
  }

  std::vector<std::string> Keys() const {
    std::vector<std::string> keys;
    for (const auto& call : Recorded->Calls)
      keys.push_back(call.Key);
    return keys;
  }

  // The arguments of the only call with this key.
  std::vector<std::string> ArgumentsOf(const std::string& key) const {
    const TRecordedCall* found = nullptr;
    for (const auto& call : Recorded->Calls) {
      if (call.Key != key)
        continue;
      EXPECT_EQ(found, nullptr) << "more than one call " << key;
      found = &call;
    }
    EXPECT_NE(found, nullptr) << "no call " << key;
    return found != nullptr ? found->Arguments : std::vector<std::string>{};
  }

  // The calls of one board Sync in the given mode, by their keys (name and scalar arguments).
  static std::vector<std::string> BoardSyncKeys(int mode, uint32_t board, int pairCount) {
    const std::string m = std::to_string(mode);
    const std::string b = std::to_string(board);
    auto call = [](const std::string& name, const std::string& scalars) {
      return name + "(" + scalars + ")";
    };
    std::vector<std::string> keys = {call("QueryBoard", m + "," + b)};
    for (int n = 1; n <= 82; ++n)
      keys.push_back(call("QueryBoardLayerInfo", m + "," + b + "," + std::to_string(n)));
    for (int n = 1; n <= 82; ++n) {
      const std::string layer = m + "," + std::to_string(n) + "," + b;
      keys.push_back(call(IsInternalPlane(n) ? "QueryInternalPlane" : "QueryLayer", layer));
      keys.push_back(call("QueryLayerDielectric", layer));
    }
    // PcbApi_QueryBoardSplitPlaneMode is missing: no call.
    keys.push_back(call("QueryBoardGridsEx", m + "," + b));
    keys.push_back(call("QueryBoardOutputOptions", m + "," + b));
    for (const char* name :
         {"QueryBoardOutputOptionsPlotLayers", "QueryBoardOutputOptionsFlipLayers"})
      for (int i = 1; i <= 109; ++i)
        keys.push_back(call(name, m + "," + b + "," + std::to_string(i)));
    keys.push_back(call("QueryBoardGerberOptions", m + "," + b));
    keys.push_back(call("QueryBoardPrinterOptions", m + "," + b));
    for (int pen = 1; pen <= 8; ++pen)
      keys.push_back(
          call("QueryBoardPrinterOptionsPlotterPen", m + "," + b + "," + std::to_string(pen)));
    for (int n = 1; n <= 82; ++n)
      keys.push_back(
          call("QueryBoardPrinterOptionsCompositeLayer", m + "," + b + "," + std::to_string(n)));
    keys.push_back(call("QueryBoardAdvancedPlacerOptions", m + "," + b));
    keys.push_back(call("QueryBoardEngineeringChangeOrderOptions", m + "," + b));
    keys.push_back(call("QueryBoardLayerPairsCount", b + (mode == 1 ? ",1" : ",0")));
    for (int i = 0; i < pairCount; ++i)
      keys.push_back(call("QueryBoardLayerPairAt", m + "," + b + "," + std::to_string(i)));
    keys.push_back(call("QueryBoardExternalDielectrics", m + "," + b));
    return keys;
  }

  static inline void* Editor = nullptr;
  TRecordingEditor* Recorded = nullptr;
};
