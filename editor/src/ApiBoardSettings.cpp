// Entry points for a board's settings: the board record, grids, the placer's options, the output
// blocks, layers, dielectrics and layer pairs.

#include <cmath>
#include <limits>

#include "ApiSupport.h"

using namespace Tarnix;

namespace {

// Colours are held as 0xRRGGBB; the drawing takes them with red in the low byte.
uint32_t ColorRefFromRgb(uint32_t rgb) {
  return ((rgb & 0xFFu) << 16) | (rgb & 0xFF00u) | ((rgb >> 16) & 0xFFu);
}
uint32_t RgbFromColorRef(uint32_t colorRef) {
  return ColorRefFromRgb(colorRef & 0xFFFFFFu);
}

// More drill pairs than a stack of 82 layers can use are refused.
constexpr int32_t LargestLayerPairCount = LayerCount * LayerCount;

// A byte that stands for a switch: any nonzero value is kept as 1.
void Switch(TFieldIo& io, uint8_t* field, uint8_t& value) {
  io(field, value);
  value = value != 0 ? 1 : 0;
}

// A clearance: never negative.
void Clearance(TFieldIo& io, int32_t* field, int32_t& value) {
  if (field != nullptr && !io.IsReading() && *field < 0)
    io.Refuse();
  else
    io(field, value);
}

// The component grid, exchanged as a double: written values are rounded to whole units and must
// be greater than 0.
void ComponentGrid(TFieldIo& io, double* field, int32_t& grid) {
  if (field == nullptr)
    return;
  if (io.IsReading()) {
    *field = grid;
    return;
  }
  const double units = std::nearbyint(*field);
  if (!(units >= 1.0 && units <= std::numeric_limits<int32_t>::max()))
    io.Refuse();
  else
    grid = static_cast<int32_t>(units);
}

void Dielectric(TFieldIo& io, TDielectric& dielectric, PcbString255* material, uint8_t* type,
                double* constant, int32_t* height) {
  io.String(material, dielectric.Material);
  io(type, dielectric.Type);
  io.Finite(constant, dielectric.Constant);
  io(height, dielectric.Height);
}

// A layer record's query: a layer number 1 to 82 (internal planes only when Planes is set).
template <typename Exchange>
int32_t QueryLayerRecord(uint8_t mode, uint8_t layer, uint32_t board, bool planes,
                         Exchange&& exchange) {
  const bool isPlane = layer >= InternalPlane1 && layer <= InternalPlane16;
  if (layer < FirstLayer || layer > LastLayer || (planes && !isPlane))
    return StatusFailed;
  return QuerySettings(mode, board, [&](TFieldIo& io, TBoardSettings& settings, const TBoard&) {
    exchange(io, settings.Layers[layer]);
  });
}

void StackLink(TFieldIo& io, uint8_t* field, TLayerNumber& value) {
  io.LayerNumber(field, value);
}

}  // namespace

extern "C" {

int32_t PCBAPI_CALL PcbApi_QueryBoard(uint8_t Mode, uint32_t Board, uint32_t* OpaqueWord1,
                                      PcbString255* FileName, uint8_t* OpaqueByte,
                                      int32_t* OpaqueValue1, int32_t* OpaqueValue2,
                                      int32_t* OpaqueValue3, int32_t* OpaqueValue4,
                                      uint8_t* DisplayUnitImperial, uint32_t* CurrentLayer,
                                      int32_t* OpaqueWord2) {
  return QuerySettings(
      Mode, Board, [&](TFieldIo& io, TBoardSettings& settings, const TBoard& board) {
        TBoardRecord& record = settings.Record;
        io(OpaqueWord1, record.OpaqueWord1);
        if (FileName != nullptr && io.IsReading())
          ToPcbString(*FileName, board.FileName);
        io(OpaqueByte, record.OpaqueByte);
        io.Each({OpaqueValue1, OpaqueValue2, OpaqueValue3, OpaqueValue4}, record.OpaqueValues);
        Switch(io, DisplayUnitImperial, record.DisplayUnitImperial);
        io.LayerId(CurrentLayer, record.CurrentLayer);
        if (record.CurrentLayer == NoLayer)
          io.Refuse();
        io(OpaqueWord2, record.OpaqueWord2);
      });
}

int32_t PCBAPI_CALL PcbApi_QueryBoardLayerInfo(uint8_t Mode, uint32_t Board, uint8_t LayerNumber,
                                               uint8_t* Opaque1, uint8_t* Opaque2,
                                               int32_t* LayerInfo) {
  return QueryLayerRecord(Mode, LayerNumber, Board, false, [&](TFieldIo& io, TLayerRecord& layer) {
    io(Opaque1, layer.InfoByte1);
    io(Opaque2, layer.InfoByte2);
    // A layer's information word is its colour as the placer draws with it, 0x00BBGGRR.
    int32_t info = static_cast<int32_t>(ColorRefFromRgb(layer.Color));
    io(LayerInfo, info);
    if (!io.IsReading())
      layer.Color = RgbFromColorRef(static_cast<uint32_t>(info));
  });
}

int32_t PCBAPI_CALL PcbApi_QueryBoardSplitPlaneMode(uint8_t Mode, uint32_t Board,
                                                    uint8_t* SplitPlaneMode) {
  return QuerySettings(Mode, Board, [&](TFieldIo& io, TBoardSettings& settings, const TBoard&) {
    io(SplitPlaneMode, settings.SplitPlaneMode);
  });
}

int32_t PCBAPI_CALL PcbApi_QueryBoardExternalDielectrics(
    uint8_t Mode, uint32_t Board, PcbString255* TopMaterial, uint8_t* TopType, double* TopConstant,
    int32_t* TopHeight, PcbString255* BottomMaterial, uint8_t* BottomType, double* BottomConstant,
    int32_t* BottomHeight) {
  return QuerySettings(Mode, Board, [&](TFieldIo& io, TBoardSettings& settings, const TBoard&) {
    Dielectric(io, settings.TopDielectric, TopMaterial, TopType, TopConstant, TopHeight);
    Dielectric(io, settings.BottomDielectric, BottomMaterial, BottomType, BottomConstant,
               BottomHeight);
  });
}

int32_t PCBAPI_CALL PcbApi_QueryBoardAdvancedPlacerOptions(
    uint8_t Mode, uint32_t Board, PcbString255* PowerNets, PcbString255* GroundNets,
    uint8_t* RotateComponents, uint8_t* ExtraFlag1, uint8_t* ExtraFlag2, uint8_t* GroupComponents) {
  return QuerySettings(Mode, Board, [&](TFieldIo& io, TBoardSettings& settings, const TBoard&) {
    TPlacerOptions& placer = settings.Placer;
    io.String(PowerNets, placer.PowerNets);
    io.String(GroundNets, placer.GroundNets);
    Switch(io, RotateComponents, placer.RotateComponents);
    Switch(io, ExtraFlag1, placer.ExtraFlag1);
    Switch(io, ExtraFlag2, placer.ExtraFlag2);
    Switch(io, GroupComponents, placer.GroupComponents);
  });
}

int32_t PCBAPI_CALL PcbApi_QueryBoardAdvancedPlacerOptionsExt(uint8_t Mode, uint32_t Board,
                                                              int32_t* LargeComponentClearance,
                                                              int32_t* SmallComponentClearance) {
  return QuerySettings(Mode, Board, [&](TFieldIo& io, TBoardSettings& settings, const TBoard&) {
    Clearance(io, LargeComponentClearance, settings.Placer.LargeComponentClearance);
    Clearance(io, SmallComponentClearance, settings.Placer.SmallComponentClearance);
  });
}

int32_t PCBAPI_CALL PcbApi_QueryBoardEngineeringChangeOrderOptions(uint8_t Mode, uint32_t Board,
                                                                   uint8_t* Opaque1,
                                                                   uint8_t* Opaque2) {
  return QuerySettings(Mode, Board, [&](TFieldIo& io, TBoardSettings& settings, const TBoard&) {
    io.Each({Opaque1, Opaque2}, settings.ChangeOrder);
  });
}

int32_t PCBAPI_CALL PcbApi_QueryBoardGridsEx(uint8_t Mode, uint32_t Board, uint8_t* GridByte4,
                                             uint8_t* GridByte1, uint8_t* GridByte2,
                                             uint8_t* GridByte3, double* D1, double* D2, double* D4,
                                             double* D5, int32_t* TailValue, uint8_t* TailByte,
                                             double* D6, double* D7, double* D9, double* D10) {
  return QuerySettings(Mode, Board, [&](TFieldIo& io, TBoardSettings& settings, const TBoard&) {
    TGrids& grids = settings.Grids;
    io(GridByte4, grids.Byte4);
    io(GridByte1, grids.Byte1);
    io(GridByte2, grids.Byte2);
    io(GridByte3, grids.Byte3);
    io.Finite(D1, grids.D1);
    io.Finite(D2, grids.D2);
    io.Finite(D4, grids.D4);
    io.Finite(D5, grids.D5);
    io(TailValue, grids.TailValue);
    io(TailByte, grids.TailByte);
    io.Finite(D6, grids.D6);
    io.Finite(D7, grids.D7);
    ComponentGrid(io, D9, grids.ComponentGrid);
    io.Finite(D10, grids.D10);
  });
}

int32_t PCBAPI_CALL PcbApi_QueryBoardOutputOptions(
    uint8_t Mode, uint32_t Board, int32_t* Value1, int32_t* Value2, uint8_t* Flag1, uint8_t* Flag2,
    uint8_t* Flag3, uint8_t* Flag4, uint8_t* Flag5, uint8_t* Flag6, uint8_t* Flag7, uint8_t* Flag8,
    uint8_t* Flag9, uint8_t* Flag10, uint8_t* Flag11, uint8_t* Flag12, uint8_t* Flag13,
    uint8_t* Flag14, uint8_t* Flag15, uint8_t* Flag16, uint8_t* Flag17, uint8_t* Flag18,
    uint8_t* Flag19, uint8_t* Flag20, uint8_t* Flag21, uint8_t* Flag22) {
  return QuerySettings(Mode, Board, [&](TFieldIo& io, TBoardSettings& settings, const TBoard&) {
    io.Each({Value1, Value2}, settings.Output.Values);
    io.Each(
        {Flag1,  Flag2,  Flag3,  Flag4,  Flag5,  Flag6,  Flag7,  Flag8,  Flag9,  Flag10, Flag11,
         Flag12, Flag13, Flag14, Flag15, Flag16, Flag17, Flag18, Flag19, Flag20, Flag21, Flag22},
        settings.Output.Flags);
  });
}

int32_t PCBAPI_CALL PcbApi_QueryBoardOutputOptionsPlotLayers(uint8_t Mode, uint32_t Board,
                                                             uint8_t LayerIndex, uint8_t* Plot) {
  if (LayerIndex < 1 || LayerIndex > 109)
    return StatusFailed;
  return QuerySettings(Mode, Board, [&](TFieldIo& io, TBoardSettings& settings, const TBoard&) {
    io(Plot, settings.Output.PlotLayers[LayerIndex]);
  });
}

int32_t PCBAPI_CALL PcbApi_QueryBoardOutputOptionsFlipLayers(uint8_t Mode, uint32_t Board,
                                                             uint8_t LayerIndex, uint8_t* Flip) {
  if (LayerIndex < 1 || LayerIndex > 109)
    return StatusFailed;
  return QuerySettings(Mode, Board, [&](TFieldIo& io, TBoardSettings& settings, const TBoard&) {
    io(Flip, settings.Output.FlipLayers[LayerIndex]);
  });
}

int32_t PCBAPI_CALL PcbApi_QueryBoardGerberOptions(
    uint8_t Mode, uint32_t Board, uint8_t* Flag1, uint8_t* Flag2, uint8_t* Flag3, uint8_t* Flag4,
    uint8_t* Flag5, uint8_t* Flag6, uint8_t* Flag7, uint8_t* Flag8, uint8_t* Flag9, uint8_t* Flag10,
    uint8_t* Flag11, uint8_t* Flag12, int32_t* Value1, int32_t* Value2, int32_t* Value3,
    int32_t* Value4, int32_t* Value5, int32_t* Value6, int32_t* Value7) {
  return QuerySettings(Mode, Board, [&](TFieldIo& io, TBoardSettings& settings, const TBoard&) {
    io.Each({Flag1, Flag2, Flag3, Flag4, Flag5, Flag6, Flag7, Flag8, Flag9, Flag10, Flag11, Flag12},
            settings.Gerber.Flags);
    io.Each({Value1, Value2, Value3, Value4, Value5, Value6, Value7}, settings.Gerber.Values);
  });
}

int32_t PCBAPI_CALL PcbApi_QueryBoardPrinterOptions(
    uint8_t Mode, uint32_t Board, uint8_t* Flag1, uint8_t* Flag2, uint8_t* Flag3, uint8_t* Flag4,
    uint8_t* Flag5, uint8_t* Flag6, uint8_t* Flag7, uint8_t* Flag8, uint8_t* Flag9, uint8_t* Flag10,
    uint8_t* Flag11, uint8_t* Flag12, uint8_t* Flag13, uint8_t* Flag14, uint8_t* Flag15,
    uint8_t* Flag16, uint8_t* Flag17, uint8_t* Flag18, int32_t* Value1, int32_t* Value2,
    int32_t* Value3, int32_t* Value4, int32_t* Value5, int32_t* Value6, double* Scale1,
    double* Scale2) {
  return QuerySettings(Mode, Board, [&](TFieldIo& io, TBoardSettings& settings, const TBoard&) {
    TPrinterOptions& printer = settings.Printer;
    io.Each({Flag1, Flag2, Flag3, Flag4, Flag5, Flag6, Flag7, Flag8, Flag9, Flag10, Flag11, Flag12,
             Flag13, Flag14, Flag15, Flag16, Flag17, Flag18},
            printer.Flags);
    io.Each({Value1, Value2, Value3, Value4, Value5, Value6}, printer.Values);
    io.Finite(Scale1, printer.Scales[0]);
    io.Finite(Scale2, printer.Scales[1]);
  });
}

int32_t PCBAPI_CALL PcbApi_QueryBoardPrinterOptionsPlotterPen(uint8_t Mode, uint32_t Board,
                                                              uint8_t Pen, uint8_t* Used,
                                                              int32_t* Width) {
  if (Pen < 1 || Pen > 8)
    return StatusFailed;
  return QuerySettings(Mode, Board, [&](TFieldIo& io, TBoardSettings& settings, const TBoard&) {
    io(Used, settings.Printer.PenUsed[Pen]);
    io(Width, settings.Printer.PenWidth[Pen]);
  });
}

int32_t PCBAPI_CALL PcbApi_QueryBoardPrinterOptionsCompositeLayer(uint8_t Mode, uint32_t Board,
                                                                  uint8_t LayerNumber,
                                                                  uint8_t* Print) {
  if (LayerNumber < FirstLayer || LayerNumber > LastLayer)
    return StatusFailed;
  return QuerySettings(Mode, Board, [&](TFieldIo& io, TBoardSettings& settings, const TBoard&) {
    io(Print, settings.Printer.CompositeLayers[LayerNumber]);
  });
}

int32_t PCBAPI_CALL PcbApi_QueryLayer(uint8_t Mode, uint8_t LayerNumber, uint32_t Board,
                                      PcbString255* Name, int32_t* CopperThickness, uint8_t* Flag1,
                                      uint8_t* Flag2, uint8_t* PrevLayer, uint8_t* NextLayer,
                                      uint8_t* Flag3) {
  return QueryLayerRecord(Mode, LayerNumber, Board, false, [&](TFieldIo& io, TLayerRecord& layer) {
    io.String(Name, layer.Name);
    io(CopperThickness, layer.CopperThickness);
    io(Flag1, layer.Flag1);
    io(Flag2, layer.Flag2);
    StackLink(io, PrevLayer, layer.PrevLayer);
    StackLink(io, NextLayer, layer.NextLayer);
    io(Flag3, layer.Flag3);
  });
}

int32_t PCBAPI_CALL PcbApi_QueryInternalPlane(uint8_t Mode, uint8_t LayerNumber, uint32_t Board,
                                              PcbString255* Name, int32_t* CopperThickness,
                                              uint8_t* Flag1, uint8_t* Flag2, uint8_t* PrevLayer,
                                              uint8_t* NextLayer, PcbString255* PlaneNetName) {
  return QueryLayerRecord(Mode, LayerNumber, Board, true, [&](TFieldIo& io, TLayerRecord& layer) {
    io.String(Name, layer.Name);
    io(CopperThickness, layer.CopperThickness);
    io(Flag1, layer.Flag1);
    io(Flag2, layer.Flag2);
    StackLink(io, PrevLayer, layer.PrevLayer);
    StackLink(io, NextLayer, layer.NextLayer);
    io.String(PlaneNetName, layer.PlaneNetName);
  });
}

int32_t PCBAPI_CALL PcbApi_QueryLayerDielectric(uint8_t Mode, uint8_t LayerNumber, uint32_t Board,
                                                PcbString255* Material, uint8_t* Type,
                                                double* Constant, int32_t* Height) {
  return QueryLayerRecord(Mode, LayerNumber, Board, false, [&](TFieldIo& io, TLayerRecord& layer) {
    Dielectric(io, layer.Dielectric, Material, Type, Constant, Height);
  });
}

int32_t PCBAPI_CALL PcbApi_QueryBoardLayerPairsCount(uint32_t Board, int32_t* Count, uint8_t Mode) {
  if (Count == nullptr)
    return StatusFailed;
  return QuerySettings(Mode, Board, [&](TFieldIo& io, TBoardSettings& settings, const TBoard&) {
    if (io.IsReading()) {
      *Count = static_cast<int32_t>(settings.LayerPairs.size());
    } else if (*Count < 0 || *Count > LargestLayerPairCount) {
      io.Refuse();
    } else {
      settings.LayerPairs.resize(static_cast<size_t>(*Count));
    }
  });
}

int32_t PCBAPI_CALL PcbApi_QueryBoardLayerPairAt(uint8_t Mode, uint32_t Board, int32_t Index,
                                                 uint32_t* Layer1, uint32_t* Layer2,
                                                 uint8_t* Opaque2, uint8_t* Opaque1) {
  return QuerySettings(Mode, Board, [&](TFieldIo& io, TBoardSettings& settings, const TBoard&) {
    if (Index < 0 || static_cast<size_t>(Index) >= settings.LayerPairs.size()) {
      io.Refuse();
      return;
    }
    TLayerPair& pair = settings.LayerPairs[static_cast<size_t>(Index)];
    io(Layer1, pair.Layer1);
    io(Layer2, pair.Layer2);
    io(Opaque2, pair.Opaque2);
    io(Opaque1, pair.Opaque1);
    if (!LayerNumberOfId(pair.Layer1) || !LayerNumberOfId(pair.Layer2))
      io.Refuse();
  });
}

}  // extern "C"
