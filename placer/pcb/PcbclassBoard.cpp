// The board mirror: construction and the exchange of the board record's settings blocks. The layer
// records, the stack walk and the layer pairs are in PcbclassBoardStack.cpp.

#include "pcb/PcbclassBoard.h"

#include "pcb/PCBProcs.h"
#include "pcb/PcbStrings.h"

namespace {

bool IsRead(uint8_t mode) {
  return mode == PcbApi_ModeRead;
}

}  // namespace

TPcbBoard::TPcbBoard(uint32_t handle) : Handle(handle) {
  for (unsigned n = FirstLayer; n <= LastLayer; ++n) {
    const auto number = static_cast<TLayerNumber>(n);
    if (IsInternalPlane(number))
      Layers[n] = std::make_unique<TInternalPlane>(handle, number);
    else
      Layers[n] = std::make_unique<TLayerObject>(handle, number);
  }
}

TPcbBoard::~TPcbBoard() = default;

int32_t TPcbBoard::Sync(uint8_t mode) {
  const int32_t status = SyncBoardRecord(mode);
  SyncLayerInfo(mode);
  SyncLayers(mode);
  Pcb::QueryBoardSplitPlaneMode(mode, Handle, &SplitPlaneMode);
  SyncGrids(mode);
  SyncOutputOptions(mode);
  SyncGerberOptions(mode);
  SyncPrinterOptions(mode);
  SyncPlacerBlock(mode);
  SyncChangeOrderOptions(mode);
  if (IsRead(mode))
    ReadLayerPairs();
  else
    WriteLayerPairs(mode);
  SyncExternalDielectrics(mode);
  return status;
}

int32_t TPcbBoard::BoundingRectangle(int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2) const {
  return Pcb::QueryObjectBoundingRectangle(Handle, &x1, &y1, &x2, &y2);
}

// The board record proper; the editor exchanges the current layer as a layer id.
int32_t TPcbBoard::SyncBoardRecord(uint8_t mode) {
  PcbString255 fileName = {};
  ToPcbString(fileName, FileName);
  TLayerId currentLayer = LayerIdFromNumber(CurrentLayer);
  const int32_t status =
      Pcb::QueryBoard(mode, Handle, &OpaqueWord1, &fileName, &OpaqueBlock.Byte,
                      &OpaqueBlock.Values[0], &OpaqueBlock.Values[1], &OpaqueBlock.Values[2],
                      &OpaqueBlock.Values[3], &DisplayUnitImperial, &currentLayer, &OpaqueWord2);
  CurrentLayer = LayerNumberFromId(currentLayer);
  if (IsRead(mode))
    FileName = FromPcbString(fileName);
  return status;
}

void TPcbBoard::SyncLayerInfo(uint8_t mode) {
  for (unsigned n = FirstLayer; n <= LastLayer; ++n) {
    uint8_t discarded1 = 0;
    uint8_t discarded2 = 0;
    Pcb::QueryBoardLayerInfo(mode, Handle, static_cast<uint8_t>(n), &discarded1, &discarded2,
                             &LayerInfo[n]);
  }
}

// The layer records follow the board they belong to, also when its handle was set after
// construction.
void TPcbBoard::SyncLayers(uint8_t mode) {
  for (unsigned n = FirstLayer; n <= LastLayer; ++n) {
    Layers[n]->BoardHandle = Handle;
    Layers[n]->Sync(mode);
  }
}

void TPcbBoard::SyncGrids(uint8_t mode) {
  TPcbBoardGrids& g = Grids;
  Pcb::QueryBoardGridsEx(mode, Handle, &g.GridByte4, &g.GridByte1, &g.GridByte2, &g.GridByte3,
                         &g.D1, &g.D2, &g.D4, &g.D5, &GridTailValue, &GridTailByte, &g.D6, &g.D7,
                         &g.ComponentGridSource, &g.D10);
  g.D3 = g.D4;
  g.ComponentGrid = g.ComponentGridSource;
}

void TPcbBoard::SyncOutputOptions(uint8_t mode) {
  TPcbBoardOutputOptions& o = OutputOptions;
  auto& f = o.Flags;
  Pcb::QueryBoardOutputOptions(mode, Handle, &o.Value1, &o.Value2, &f[0], &f[1], &f[2], &f[3],
                               &f[4], &f[5], &f[6], &f[7], &f[8], &f[9], &f[10], &f[11], &f[12],
                               &f[13], &f[14], &f[15], &f[16], &f[17], &f[18], &f[19], &f[20],
                               &f[21]);
  for (unsigned i = 1; i <= OutputLayerCount; ++i)
    Pcb::QueryBoardOutputOptionsPlotLayers(mode, Handle, static_cast<uint8_t>(i), &o.PlotLayers[i]);
  for (unsigned i = 1; i <= OutputLayerCount; ++i)
    Pcb::QueryBoardOutputOptionsFlipLayers(mode, Handle, static_cast<uint8_t>(i), &o.FlipLayers[i]);
}

void TPcbBoard::SyncGerberOptions(uint8_t mode) {
  auto& f = GerberOptions.Flags;
  auto& v = GerberOptions.Values;
  Pcb::QueryBoardGerberOptions(mode, Handle, &f[0], &f[1], &f[2], &f[3], &f[4], &f[5], &f[6], &f[7],
                               &f[8], &f[9], &f[10], &f[11], &v[0], &v[1], &v[2], &v[3], &v[4],
                               &v[5], &v[6]);
}

void TPcbBoard::SyncPrinterOptions(uint8_t mode) {
  TPcbBoardPrinterOptions& p = PrinterOptions;
  auto& f = p.Flags;
  auto& v = p.Values;
  Pcb::QueryBoardPrinterOptions(mode, Handle, &f[0], &f[1], &f[2], &f[3], &f[4], &f[5], &f[6],
                                &f[7], &f[8], &f[9], &f[10], &f[11], &f[12], &f[13], &f[14], &f[15],
                                &f[16], &f[17], &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &p.Scale1,
                                &p.Scale2);
  for (unsigned pen = 1; pen <= PlotterPenCount; ++pen) {
    TPcbPlotterPen& entry = p.Pens[pen - 1];
    Pcb::QueryBoardPrinterOptionsPlotterPen(mode, Handle, static_cast<uint8_t>(pen), &entry.Used,
                                            &entry.Width);
  }
  for (unsigned n = FirstLayer; n <= LastLayer; ++n)
    Pcb::QueryBoardPrinterOptionsCompositeLayer(mode, Handle, static_cast<uint8_t>(n),
                                                &p.CompositeLayers[n]);
}

void TPcbBoard::SyncPlacerBlock(uint8_t mode) {
  TPcbBoardPlacerBlock& b = PlacerBlock;
  Pcb::QueryBoardAdvancedPlacerOptions(mode, Handle, &b.Text1, &b.Text2, &b.Bytes[0], &b.Bytes[1],
                                       &b.Bytes[2], &b.Bytes[3]);
}

void TPcbBoard::SyncChangeOrderOptions(uint8_t mode) {
  Pcb::QueryBoardEngineeringChangeOrderOptions(mode, Handle, &ChangeOrderOptions[0],
                                               &ChangeOrderOptions[1]);
}

void TPcbBoard::SyncExternalDielectrics(uint8_t mode) {
  PcbString255 topMaterial = {};
  PcbString255 bottomMaterial = {};
  ToPcbString(topMaterial, TopDielectric.Material);
  ToPcbString(bottomMaterial, BottomDielectric.Material);
  Pcb::QueryBoardExternalDielectrics(mode, Handle, &topMaterial, &TopDielectric.Type,
                                     &TopDielectric.Constant, &TopDielectric.Height,
                                     &bottomMaterial, &BottomDielectric.Type,
                                     &BottomDielectric.Constant, &BottomDielectric.Height);
  if (IsRead(mode)) {
    TopDielectric.Material = FromPcbString(topMaterial);
    BottomDielectric.Material = FromPcbString(bottomMaterial);
  }
}
