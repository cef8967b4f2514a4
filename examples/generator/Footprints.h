#pragma once

// Footprints of the parts the example boards use, in board units (10000 per mil) around the
// part's reference point, seen from the top with the part unturned.

#include <cstdint>
#include <string>
#include <vector>

constexpr int32_t Mil(int64_t mil) {
  return static_cast<int32_t>(mil * 10000);
}

enum class TPadKind { Surface, ThroughHole };

struct TPadShape {
  std::string Name;
  int32_t X = 0, Y = 0;  // centre
  int32_t W = 0, H = 0;  // size
  std::string Shape = "rectangle";
  TPadKind Kind = TPadKind::Surface;
  int32_t Hole = 0;
};

struct TFootprint {
  std::string Name;
  std::vector<TPadShape> Pads;
  int32_t BodyW = 0, BodyH = 0;  // body outline, centred on the reference point
};

// Two-pad parts: chip resistors and capacitors, LEDs, crystals, ferrite beads.
TFootprint Chip(const std::string& name);  // "R0603", "C0603", "C0402", "C1206", "LED0805",
                                           // "FB0805", "CAP-6.3", "XTAL-HC49"
TFootprint Sot23();
TFootprint Sot23x6();
TFootprint Sot223();
// Small outline ICs: Pins in two rows RowSpacing apart, 50 mil pitch.
TFootprint Soic(int pins, int32_t rowSpacing, int32_t bodyWidth);
// Quad flat pack: PinsPerSide on each side, 20 mil pitch.
TFootprint Qfp(int pinsPerSide);
// Pin headers: Rows x Columns through-hole pins, 100 mil pitch.
TFootprint Header(int rows, int columns);
TFootprint MountingHole();
TFootprint TestPoint();
