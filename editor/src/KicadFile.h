#pragma once

// KiCad board files (`.kicad_pcb`, versions 20171130 to 20241229 and the development versions
// between). Reading maps the footprints, pads, nets, board outline and footprint keep-outs into the
// editor's model (millimetres to board units, Y down to Y up) and keeps the whole text with its
// tree. Writing edits the placement of every moved footprint into that text and copies every other
// byte, so that a board saved unchanged is byte-identical to the file read.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Board.h"
#include "SExpression.h"

namespace Tarnix {

inline constexpr int KicadOldestVersion = 20171130;  // KiCad 5
inline constexpr int KicadNewestVersion = 20241229;  // KiCad 9

// Board units (10000 per mil) in one millimetre.
inline constexpr double UnitsPerMillimetre = 10000.0 / 0.0254;

// One footprint as the file has it, for the writer.
struct TKicadFootprint {
  TNodeId Node = NoNode;
  TNodeId At = NoNode;  // its (at X Y [angle])
  double Angle = 0.0;   // as written, degrees
  // The placement the model was given on reading: a component still there has not moved.
  TPoint Reference;
  double Rotation = 0.0;
};

struct TKicadSource {
  explicit TKicadSource(std::string text) : Tree(std::move(text)) {}

  TSExpression Tree;
  int Version = 0;
  // Whether the file writes angles from 0 to 360 rather than from -180 to 180.
  bool AnglesFrom0To360 = false;
  std::vector<TKicadFootprint> Footprints;  // TComponent::SourceIndex indexes these
  // The placer options as the reader derived them from the file alone; saving writes the options
  // beside the board only when they differ from these (or were read from there).
  std::string DerivedSettings;
  bool SettingsFromSidecar = false;
};

// Whether the text is a KiCad board: its first token is `(kicad_pcb`.
bool IsKicadText(std::string_view text);

// Reads a KiCad board; messages call the file Name and give the line and column of a fault.
// The board takes the stored settings when there are any (the placer's options kept beside the
// file), else the defaults with the supply nets recognised by their names.
std::unique_ptr<TBoard> ReadKicadText(std::string text, const std::string& name,
                                      const std::optional<TBoardSettings>& storedSettings = {});

// The text of a board read from a KiCad file, with the current placement of its components.
std::string KicadFileText(const TBoard& board);

}  // namespace Tarnix
