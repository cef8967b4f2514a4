#pragma once

// A board's settings: the board record, the 82 layers with their stack links, dielectrics and
// colours, the drill layer pairs, grids, the placer's options, and the output, gerber, printer and
// change-order blocks that the editor only keeps for its callers.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "LayerTable.h"

namespace Tarnix {

struct TDielectric {
  std::string Material = "FR-4";
  uint8_t Type = 1;
  double Constant = 4.8;
  int32_t Height = 126000;
};

struct TLayerRecord {
  std::string Name;
  int32_t CopperThickness = 14000;
  uint8_t Flag1 = 0, Flag2 = 0, Flag3 = 0;
  TLayerNumber PrevLayer = NoLayer;  // the layer above in the stack
  TLayerNumber NextLayer = NoLayer;  // the layer below
  std::string PlaneNetName = "(No Net)";
  TDielectric Dielectric;
  uint32_t Color = 0;  // 0xRRGGBB
  uint8_t InfoByte1 = 0, InfoByte2 = 0;
};

struct TLayerPair {
  TLayerId Layer1 = 0;
  TLayerId Layer2 = 0;
  uint8_t Opaque1 = 0, Opaque2 = 0;
};

struct TBoardRecord {
  uint32_t OpaqueWord1 = 0;
  uint8_t OpaqueByte = 0;
  std::array<int32_t, 4> OpaqueValues{};
  uint8_t DisplayUnitImperial = 1;  // nonzero: lengths shown in mil, else in mm
  TLayerNumber CurrentLayer = TopLayer;
  int32_t OpaqueWord2 = 0;
};

// D1 to D10 are the editor's grid values in board units; D9 is the component grid, kept as an
// integer so that it is saved exactly.
struct TGrids {
  uint8_t Byte1 = 0, Byte2 = 0, Byte3 = 0, Byte4 = 0;
  double D1 = 50000, D2 = 50000, D4 = 1000000, D5 = 10000000, D6 = 80000, D7 = 50000, D10 = 50000;
  int32_t TailValue = 0;
  uint8_t TailByte = 0;
  int32_t ComponentGrid = 200000;
};

struct TPlacerOptions {
  std::string PowerNets;
  std::string GroundNets;
  uint8_t RotateComponents = 0;
  uint8_t GroupComponents = 0;
  uint8_t ExtraFlag1 = 0;
  uint8_t ExtraFlag2 = 0;
  int32_t SmallComponentClearance = 0;
  int32_t LargeComponentClearance = 0;
};

struct TOutputOptions {
  std::array<int32_t, 2> Values{};
  std::array<uint8_t, 22> Flags{};
  std::array<uint8_t, 110> PlotLayers{};  // indices 1 to 109
  std::array<uint8_t, 110> FlipLayers{};
};

struct TGerberOptions {
  std::array<uint8_t, 12> Flags{};
  std::array<int32_t, 7> Values{};
};

struct TPrinterOptions {
  std::array<uint8_t, 18> Flags{};
  std::array<int32_t, 6> Values{};
  std::array<double, 2> Scales{1.0, 1.0};
  std::array<uint8_t, 9> PenUsed{};  // pens 1 to 8
  std::array<int32_t, 9> PenWidth{};
  std::array<uint8_t, LayerCount + 1> CompositeLayers{};
};

struct TBoardSettings {
  TBoardSettings();  // the editor's defaults: a two-layer stack, default names and colours

  TBoardRecord Record;
  std::array<TLayerRecord, LayerCount + 1> Layers;  // by layer number; entry 0 unused
  std::vector<TLayerPair> LayerPairs;
  TDielectric TopDielectric, BottomDielectric;
  uint8_t SplitPlaneMode = 1;
  TGrids Grids;
  TPlacerOptions Placer;
  TOutputOptions Output;
  TGerberOptions Gerber;
  TPrinterOptions Printer;
  std::array<uint8_t, 2> ChangeOrder{};
};

}  // namespace Tarnix
