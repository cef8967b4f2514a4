#pragma once

// The mirror of one PCB document's board: its handle, file name, display unit, grids, the settings
// blocks of the editor's board record, the 82 layer records of the layer stack with their
// dielectrics, and the drill layer pairs. Members are declared in the order of the editor's board
// record; blocks the placer only carries keep the editor's field widths and are exchanged
// unchanged.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "pcb/Layers.h"
#include "pcb/PcbApi.h"

// One layer of the board. Sync exchanges the layer's settings and its dielectric.
class TLayerObject {
 public:
  TLayerObject(uint32_t boardHandle, TLayerNumber layerNumber);
  TLayerObject(const TLayerObject&) = delete;
  TLayerObject& operator=(const TLayerObject&) = delete;

  // Mode 1 reads the layer from the editor, 0 and 2 write it; the status of the layer query.
  virtual int32_t Sync(uint8_t mode);
  virtual ~TLayerObject() = default;

  uint32_t BoardHandle;
  TLayerNumber LayerNumber;
  std::string Name;  // at most 255 characters are exchanged
  int32_t CopperThickness = 14000;
  std::string DielectricMaterial = "FR-4";
  uint8_t DielectricType = 1;
  double DielectricConstant = 4.8;
  int32_t DielectricHeight = 126000;
  uint8_t LayerFlag1 = 0;
  uint8_t LayerFlag2 = 0;
  TLayerNumber PrevLayer = NoLayer;  // the layer above in the stack, 0 = none
  TLayerNumber NextLayer = NoLayer;  // the layer below in the stack, 0 = none
  uint8_t LayerFlag3 = 0;            // exchanged by ordinary layers only

 protected:
  int32_t SyncDielectric(uint8_t mode);
};

// An internal plane (layer numbers InternalPlane1 to InternalPlane16): a layer with the name of the
// net it carries, exchanged in place of the last layer flag.
class TInternalPlane : public TLayerObject {
 public:
  TInternalPlane(uint32_t boardHandle, TLayerNumber layerNumber);

  int32_t Sync(uint8_t mode) override;

  std::string PlaneNetName = "(No Net)";  // at most 255 characters are exchanged
};

// A drill layer pair: the two layers a drilling runs between, given by their layer ids.
struct TPcblayerPair {
  std::string Name;  // "upper layer - lower layer", made when the pair is read
  TLayerId Layer1 = 0;
  TLayerId Layer2 = 0;
  uint8_t Opaque1 = 0;
  uint8_t Opaque2 = 0;
};

// The dielectric above the top layer or below the bottom layer.
struct TPcbDielectric {
  std::string Material = "FR-4";  // at most 255 characters are exchanged
  uint8_t Type = 1;
  double Constant = 4.8;
  int32_t Height = 126000;
};

// Carried blocks of the board record, in the order and widths the editor exchanges them.
struct TPcbBoardOpaqueBlock {
  uint8_t Byte = 0;
  int32_t Values[4] = {0, 0, 0, 0};
};

// The grid block. D3 and ComponentGrid (D8) are not exchanged: after every exchange of the grids
// they are refreshed from D4 and ComponentGridSource (D9).
struct TPcbBoardGrids {
  uint8_t GridByte1 = 0;
  uint8_t GridByte2 = 0;
  uint8_t GridByte3 = 0;
  double D1 = 0.0;
  double D2 = 0.0;
  double D3 = 0.0;
  double D4 = 0.0;
  double D5 = 0.0;
  double D6 = 0.0;
  double D7 = 0.0;
  double ComponentGrid = 0.0;
  double ComponentGridSource = 0.0;
  double D10 = 0.0;
  uint8_t GridByte4 = 0;
};

inline constexpr int OutputLayerCount = 109;  // plot and flip flags are kept for layers 1 to 109
inline constexpr int PlotterPenCount = 8;

struct TPcbBoardOutputOptions {
  int32_t Value1 = 0;
  int32_t Value2 = 0;
  std::array<uint8_t, 22> Flags{};
  std::array<uint8_t, OutputLayerCount + 1> PlotLayers{};  // index 1 to 109
  std::array<uint8_t, OutputLayerCount + 1> FlipLayers{};  // index 1 to 109
};

struct TPcbBoardGerberOptions {
  std::array<uint8_t, 12> Flags{};
  std::array<int32_t, 7> Values{};
};

struct TPcbPlotterPen {
  uint8_t Used = 0;
  int32_t Width = 0;
};

struct TPcbBoardPrinterOptions {
  std::array<uint8_t, 18> Flags{};
  std::array<int32_t, 6> Values{};
  double Scale1 = 0.0;
  double Scale2 = 0.0;
  std::array<TPcbPlotterPen, PlotterPenCount> Pens{};    // pens 1 to 8 at index 0 to 7
  std::array<uint8_t, LastLayer + 1> CompositeLayers{};  // index = layer number 1 to 82
};

// The board's placer options as the base board carries them; the placer's own board mirror
// exchanges them again into fields of its own.
struct TPcbBoardPlacerBlock {
  PcbString255 Text1 = {};
  PcbString255 Text2 = {};
  uint8_t Bytes[4] = {0, 0, 0, 0};
};

class TPcbBoard {
 public:
  explicit TPcbBoard(uint32_t handle);
  TPcbBoard(const TPcbBoard&) = delete;
  TPcbBoard& operator=(const TPcbBoard&) = delete;

  // Mode 1 reads the whole board from the editor, 0 and 2 write it. The status of the board query;
  // the statuses of the other blocks are not reported.
  virtual int32_t Sync(uint8_t mode);
  virtual ~TPcbBoard();

  // The bounding rectangle of the board; the editor's status.
  int32_t BoundingRectangle(int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2) const;

  // The layer record of a layer number, null for numbers outside 1 to 82.
  TLayerObject* LayerRecord(int64_t layerNumber) const;

  // The layer stack, top to bottom: the first record (in layer-number order) that has no layer
  // above it, and the record below a given one; null when there is none.
  TLayerObject* FirstStackLayer() const;
  TLayerObject* NextStackLayer(const TLayerObject& layer) const;

  // The position of a layer among the members of Set in the stack, counting from 1 at the top;
  // 0 when its number is not in Set. A layer outside the stack's walk counts all members the walk
  // meets.
  int StackPosition(const TLayerSet& set, const TLayerObject& layer) const;

  // The name of a drill pair from the names of its layers: the layer higher in the stack of
  // electrical layers first.
  std::string LayerPairName(const TPcblayerPair& pair) const;

  uint32_t Handle;
  uint32_t OpaqueWord1 = 0;
  std::string FileName;  // at most 255 characters are exchanged
  TPcbBoardOpaqueBlock OpaqueBlock;
  uint8_t DisplayUnitImperial = 0;  // nonzero: lengths are shown in mil, 0: in mm
  TPcbDielectric TopDielectric;
  TPcbDielectric BottomDielectric;
  TLayerNumber CurrentLayer = NoLayer;
  std::array<std::unique_ptr<TLayerObject>, LastLayer + 1> Layers;  // index = layer number 1 to 82
  std::vector<std::unique_ptr<TPcblayerPair>> LayerPairs;
  std::array<int32_t, LastLayer + 1> LayerInfo{};  // index = layer number 1 to 82
  TPcbBoardGrids Grids;
  TPcbBoardOutputOptions OutputOptions;
  TPcbBoardGerberOptions GerberOptions;
  TPcbBoardPrinterOptions PrinterOptions;
  TPcbBoardPlacerBlock PlacerBlock;
  uint8_t ChangeOrderOptions[2] = {0, 0};
  int32_t GridTailValue = 0;
  uint8_t GridTailByte = 0;
  int32_t OpaqueWord2 = 0;
  uint8_t SplitPlaneMode = 1;

 private:
  int32_t SyncBoardRecord(uint8_t mode);
  void SyncLayerInfo(uint8_t mode);
  void SyncLayers(uint8_t mode);
  void SyncGrids(uint8_t mode);
  void SyncOutputOptions(uint8_t mode);
  void SyncGerberOptions(uint8_t mode);
  void SyncPrinterOptions(uint8_t mode);
  void SyncPlacerBlock(uint8_t mode);
  void SyncChangeOrderOptions(uint8_t mode);
  void ReadLayerPairs();
  void WriteLayerPairs(uint8_t mode);
  void SyncExternalDielectrics(uint8_t mode);
};
