#include "Footprints.h"

#include <stdexcept>

namespace {

TFootprint TwoPads(const std::string& name, int32_t pitch, int32_t w, int32_t h, int32_t bodyW,
                   int32_t bodyH) {
  TFootprint footprint{name, {}, bodyW, bodyH};
  footprint.Pads.push_back({"1", -pitch / 2, 0, w, h});
  footprint.Pads.push_back({"2", pitch / 2, 0, w, h});
  return footprint;
}

TPadShape ThroughHolePad(const std::string& name, int32_t x, int32_t y, int32_t size, int32_t hole,
                         bool first) {
  return {name, x, y, size, size, first ? "rectangle" : "round", TPadKind::ThroughHole, hole};
}

}  // namespace

TFootprint Chip(const std::string& name) {
  if (name == "R0603" || name == "C0603")
    return TwoPads(name, Mil(60), Mil(30), Mil(35), Mil(100), Mil(50));
  if (name == "C0402")
    return TwoPads(name, Mil(40), Mil(20), Mil(25), Mil(70), Mil(35));
  if (name == "C1206")
    return TwoPads(name, Mil(120), Mil(40), Mil(70), Mil(170), Mil(90));
  if (name == "LED0805" || name == "FB0805")
    return TwoPads(name, Mil(80), Mil(40), Mil(50), Mil(120), Mil(70));
  if (name == "CAP-6.3")
    return TwoPads(name, Mil(220), Mil(100), Mil(60), Mil(260), Mil(260));
  if (name == "XTAL-HC49")
    return TwoPads(name, Mil(380), Mil(80), Mil(200), Mil(480), Mil(180));
  throw std::invalid_argument("unknown chip footprint " + name);
}

TFootprint Sot23() {
  TFootprint footprint{"SOT-23", {}, Mil(120), Mil(60)};
  footprint.Pads.push_back({"1", -Mil(37) - 5000, -Mil(40), Mil(24), Mil(40)});
  footprint.Pads.push_back({"2", Mil(37) + 5000, -Mil(40), Mil(24), Mil(40)});
  footprint.Pads.push_back({"3", 0, Mil(40), Mil(24), Mil(40)});
  return footprint;
}

TFootprint Sot23x6() {
  const int32_t pitch = Mil(37) + 5000;
  TFootprint footprint{"SOT-23-6", {}, Mil(120), Mil(60)};
  for (int i = 0; i < 3; ++i)
    footprint.Pads.push_back({std::to_string(i + 1), (i - 1) * pitch, -Mil(45), Mil(24), Mil(40)});
  for (int i = 0; i < 3; ++i)
    footprint.Pads.push_back({std::to_string(i + 4), (1 - i) * pitch, Mil(45), Mil(24), Mil(40)});
  return footprint;
}

TFootprint Sot223() {
  TFootprint footprint{"SOT-223", {}, Mil(260), Mil(140)};
  for (int i = 0; i < 3; ++i)
    footprint.Pads.push_back(
        {std::to_string(i + 1), (i - 1) * Mil(90), -Mil(120), Mil(40), Mil(80)});
  footprint.Pads.push_back({"4", 0, Mil(120), Mil(130), Mil(80)});
  return footprint;
}

// Pin 1 at the upper left; pins run down the left row and up the right row.
TFootprint Soic(int pins, int32_t rowSpacing, int32_t bodyWidth) {
  const int perRow = pins / 2;
  const int32_t pitch = Mil(50);
  const int32_t top = (perRow - 1) * pitch / 2;
  TFootprint footprint{"SOIC-" + std::to_string(pins) + (rowSpacing > Mil(300) ? "W" : ""),
                       {},
                       bodyWidth,
                       perRow * pitch + Mil(20)};
  for (int i = 0; i < perRow; ++i)
    footprint.Pads.push_back(
        {std::to_string(i + 1), -rowSpacing / 2, top - i * pitch, Mil(60), Mil(24)});
  for (int i = 0; i < perRow; ++i)
    footprint.Pads.push_back(
        {std::to_string(perRow + i + 1), rowSpacing / 2, -top + i * pitch, Mil(60), Mil(24)});
  return footprint;
}

// Pin 1 at the left end of the top row's left side; pins run counter-clockwise.
TFootprint Qfp(int pinsPerSide) {
  const int32_t pitch = Mil(20);
  const int32_t span = pinsPerSide * pitch + Mil(100);
  const int32_t first = (pinsPerSide - 1) * pitch / 2;
  TFootprint footprint{
      "QFP-" + std::to_string(4 * pinsPerSide), {}, span - Mil(40), span - Mil(40)};
  int number = 1;
  const auto add = [&](int32_t x, int32_t y, bool horizontal) {
    footprint.Pads.push_back({std::to_string(number++), x, y, horizontal ? Mil(60) : Mil(12),
                              horizontal ? Mil(12) : Mil(60)});
  };
  for (int i = 0; i < pinsPerSide; ++i)
    add(-span / 2, first - i * pitch, true);
  for (int i = 0; i < pinsPerSide; ++i)
    add(-first + i * pitch, -span / 2, false);
  for (int i = 0; i < pinsPerSide; ++i)
    add(span / 2, -first + i * pitch, true);
  for (int i = 0; i < pinsPerSide; ++i)
    add(first - i * pitch, span / 2, false);
  return footprint;
}

TFootprint Header(int rows, int columns) {
  const int32_t pitch = Mil(100);
  TFootprint footprint{"HDR-" + std::to_string(rows) + "X" + std::to_string(columns),
                       {},
                       columns * pitch,
                       rows * pitch};
  const int32_t left = -(columns - 1) * pitch / 2;
  const int32_t top = (rows - 1) * pitch / 2;
  int number = 1;
  for (int column = 0; column < columns; ++column)
    for (int row = 0; row < rows; ++row) {
      footprint.Pads.push_back(ThroughHolePad(std::to_string(number), left + column * pitch,
                                              top - row * pitch, Mil(65), Mil(40), number == 1));
      ++number;
    }
  return footprint;
}

TFootprint MountingHole() {
  TFootprint footprint{"HOLE-3.2", {}, Mil(260), Mil(260)};
  footprint.Pads.push_back(ThroughHolePad("1", 0, 0, Mil(250), Mil(125), false));
  return footprint;
}

TFootprint TestPoint() {
  TFootprint footprint{"TP-50", {}, 0, 0};
  footprint.Pads.push_back({"1", 0, 0, Mil(50), Mil(50), "round"});
  return footprint;
}
