#include "Circuits.h"

#include <cmath>
#include <stdexcept>

namespace {

using TNets = std::vector<std::string>;

constexpr double PartsShare = 0.5;  // parts take about half the area inside the outline
constexpr int32_t EdgeInset = Mil(150);

std::string Numbered(const std::string& name, int number) {
  return name + std::to_string(number);
}

// Nets Name + First, ..., Name + (First + Count - 1).
TNets Series(const std::string& name, int count, int first = 0) {
  TNets nets;
  for (int i = 0; i < count; ++i)
    nets.push_back(Numbered(name, first + i));
  return nets;
}

TNets Joined(std::initializer_list<TNets> groups) {
  TNets nets;
  for (const TNets& group : groups)
    nets.insert(nets.end(), group.begin(), group.end());
  return nets;
}

void Decoupling(TBoardBuilder& board, const std::string& supply, const std::string& footprint,
                bool bottom = false) {
  board.Add("C", Chip(footprint), {supply, "GND"}).Bottom = bottom;
}

// A resistor in series between two nets.
TPart& Resistor(TBoardBuilder& board, const std::string& from, const std::string& to) {
  return board.Add("R", Chip("R0603"), {from, to});
}

void Led(TBoardBuilder& board, const std::string& drive) {
  Resistor(board, drive, drive + "_A");
  board.Add("D", Chip("LED0805"), {drive + "_A", "GND"});
}

void Crystal(TBoardBuilder& board) {
  board.Add("Y", Chip("XTAL-HC49"), {"XTAL1", "XTAL2"});
  board.Add("C", Chip("C0402"), {"XTAL1", "GND"});
  board.Add("C", Chip("C0402"), {"XTAL2", "GND"});
}

// The microcontroller: supply pins at fixed places, its signals on the other pins in order.
void Microcontroller(TBoardBuilder& board, const TNets& signals) {
  const TFootprint footprint = Qfp(25);
  TNets pins(footprint.Pads.size());
  for (int pin : {12, 37, 62, 87})
    pins[pin - 1] = "VCC";
  for (int pin : {13, 38, 63, 88, 91})
    pins[pin - 1] = "GND";
  pins[89] = "AVCC";
  size_t next = 0;
  for (std::string& pin : pins)
    if (pin.empty() && next < signals.size())
      pin = signals[next++];
  if (next < signals.size())
    throw std::logic_error("the microcontroller has too few pins");
  board.Add("U", footprint, pins);
}

// A static memory on the microcontroller's bus.
void Memory(TBoardBuilder& board, const std::string& select, bool bottomDecoupling) {
  const TNets pins =
      Joined({Series("A", 15), {select, "RD", "WR", "GND"}, Series("D", 8), {"VCC"}});
  board.Add("U", Soic(28, Mil(400), Mil(300)), pins);
  Decoupling(board, "VCC", "C0603", bottomDecoupling);
}

// A bus buffer between a port of the microcontroller and the connector.
void Buffer(TBoardBuilder& board, int number, const std::string& port) {
  const TNets pins = Joined({{Numbered("DIR", number)},
                             Series(port, 8),
                             {"GND"},
                             Series("CONN" + std::to_string(number) + "_", 8, 1),
                             {"GND", "VCC"}});
  board.Add("U", Soic(20, Mil(400), Mil(300)), pins);
  Decoupling(board, "VCC", "C0603");
}

// A protection array on four connector lines.
void Protection(TBoardBuilder& board, int connector) {
  const std::string line = "CONN" + std::to_string(connector) + "_";
  board.Add("U", Sot23x6(), {line + "1", "GND", line + "2", line + "3", "VCC", line + "4"});
}

// A shift register whose eight outputs drive a connector through resistors.
void ShiftRegister(TBoardBuilder& board, int number, const std::string& dataIn,
                   bool bottomResistors) {
  const std::string q = "SR" + std::to_string(number) + "_Q";
  const TNets pins = Joined({Series(q, 7, 1),
                             {"GND", Numbered("SR", number) + "_OUT", "VCC", "SCK", "LATCH", "GND",
                              dataIn, q + "0", "VCC"}});
  board.Add("U", Soic(16, Mil(240), Mil(160)), pins);
  Decoupling(board, "VCC", "C0402");
  for (int output = 0; output < 8; ++output)
    Resistor(board, Numbered(q, output),
             "OUT" + std::to_string(number) + "_" + std::to_string(output))
        .Bottom = bottomResistors;
}

// A dual amplifier stage: two non-inverting amplifiers from sense inputs to analog inputs of the
// microcontroller, with their gain resistors and a filter capacitor.
void AmplifierStage(TBoardBuilder& board, int number, const std::string& out1,
                    const std::string& out2) {
  const std::string stage = "OA" + std::to_string(number) + "_";
  const std::string sense = "SENSE" + std::to_string(number) + "_";
  board.Add("U", Soic(8, Mil(240), Mil(160)),
            {out1, stage + "N1", sense + "1", "GND", sense + "2", stage + "N2", out2, "AVCC"});
  Resistor(board, stage + "N1", "GND");
  Resistor(board, stage + "N1", out1);
  Resistor(board, stage + "N2", "GND");
  Resistor(board, stage + "N2", out2);
  board.Add("C", Chip("C0603"), {out1, "GND"});
  Decoupling(board, "AVCC", "C0402");
}

// The microcontroller's signals in pin order.
TNets ControllerSignals() {
  return Joined({{"XTAL1", "XTAL2", "RESET"},
                 Series("A", 15),
                 Series("D", 8),
                 {"RD", "WR", "CS0", "CS1"},
                 Series("PB", 8),
                 Series("PC", 8),
                 {"DIR1", "DIR2"},
                 Series("LED", 8, 1),
                 {"MOSI", "SCK", "LATCH"},
                 Series("ADC", 12, 1),
                 {"TX", "RX", "SDA", "SCL"}});
}

void LockHeader(TBoardBuilder& board, int rows, int columns, const TNets& nets, TAnchor anchor) {
  TPart& header = board.Add("J", Header(rows, columns), nets);
  board.Lock(header, anchor);
}

// Mounting holes in keep-out areas at the four corners.
void MountingHoles(TBoardBuilder& board) {
  const int32_t side = Mil(300), inset = Mil(50);
  for (const auto& [px, py] :
       {std::pair{0, 0}, std::pair{1000, 0}, std::pair{1000, 1000}, std::pair{0, 1000}}) {
    const int32_t x1 = px == 0 ? inset : -inset - side;
    const int32_t y1 = py == 0 ? inset : -inset - side;
    board.AddKeepOut({px, py, x1, y1}, {px, py, x1 + side, y1 + side});
    board.Lock(board.Add("H", MountingHole(), {"GND"}), {px, py, x1 + side / 2, y1 + side / 2});
  }
}

void TestPoints(TBoardBuilder& board, const TNets& nets) {
  for (const std::string& net : nets)
    board.Add("TP", TestPoint(), {net});
}

// One more amplifier stage with a small connector for its inputs and outputs.
void ExtraStage(TBoardBuilder& board, int number) {
  const std::string out = "AOUT" + std::to_string(number) + "_";
  AmplifierStage(board, number, out + "1", out + "2");
  const std::string sense = "SENSE" + std::to_string(number) + "_";
  board.Add("J", Header(1, 4), {sense + "1", sense + "2", out + "1", out + "2"});
}

void BuildSmall(TBoardBuilder& board) {
  board.Settings.PowerNets = "VCC";
  board.Settings.GroundNets = "GND";
  LockHeader(board, 2, 1, {"VCC", "GND"}, {0, 500, EdgeInset, 0});
  board.Add("U", Soic(14, Mil(240), Mil(160)),
            {"VCC", "XTAL1", "XTAL2", "RESET", "TX", "RX", "SDA", "SCL", "LED1", "LED2", "PB0_IN",
             "PB1", "", "GND"});
  board.Add("U", Soic(8, Mil(240), Mil(160)),
            {"GND", "GND", "GND", "GND", "SDA", "SCL", "GND", "VCC"});
  Decoupling(board, "VCC", "C0603");
  Decoupling(board, "VCC", "C0402");
  Decoupling(board, "VCC", "C1206", true);
  Crystal(board);
  Resistor(board, "RESET", "VCC");
  Resistor(board, "SDA", "VCC");
  Resistor(board, "SCL", "VCC");
  Led(board, "LED1");
  Led(board, "LED2");
  LockHeader(board, 1, 6, {"GND", "TX", "RX", "RESET", "PB0", "PB1"}, {500, 0, 0, EdgeInset});
  Resistor(board, "PB0_IN", "PB0").Bottom = true;
  TestPoints(board, {"VCC", "GND"});
  board.AddKeepOut({1000, 1000, -Mil(300), -Mil(300)}, {1000, 1000, -Mil(50), -Mil(50)});
}

void BuildRealistic(TBoardBuilder& board) {
  board.Settings.PowerNets = "VCC +5V AVCC";
  board.Settings.GroundNets = "GND";
  board.Settings.GroupComponents = true;

  // Supplies.
  LockHeader(board, 2, 1, {"+5V", "GND"}, {0, 500, EdgeInset, 0});
  board.Add("U", Sot223(), {"GND", "VCC", "+5V", "VCC"});
  board.Add("C", Chip("CAP-6.3"), {"+5V", "GND"});
  board.Add("C", Chip("CAP-6.3"), {"VCC", "GND"});
  Decoupling(board, "VCC", "C0603");
  board.Add("FB", Chip("FB0805"), {"VCC", "AVCC"});
  Decoupling(board, "AVCC", "C0603");
  Decoupling(board, "AVCC", "C0402");

  // The controller with its memories.
  Microcontroller(board, ControllerSignals());
  for (int i = 0; i < 4; ++i)
    Decoupling(board, "VCC", "C0603", i == 3);
  Decoupling(board, "AVCC", "C0402");
  Crystal(board);
  Resistor(board, "RESET", "VCC");
  board.Add("C", Chip("C0603"), {"RESET", "GND"});
  Memory(board, "CS0", true);
  Memory(board, "CS1", true);
  for (const char* line : {"CS0", "CS1", "RD", "WR"})
    Resistor(board, line, "VCC");

  // Bus buffers to the main connector.
  Buffer(board, 1, "PB");
  Buffer(board, 2, "PC");
  LockHeader(
      board, 2, 10,
      Joined({Series("CONN1_", 8, 1), {"VCC", "GND"}, Series("CONN2_", 8, 1), {"VCC", "GND"}}),
      {500, 0, 0, EdgeInset});
  Protection(board, 1);
  Protection(board, 2);

  // Outputs: LEDs and shift registers with their connectors.
  for (int i = 1; i <= 8; ++i)
    Led(board, Numbered("LED", i));
  for (int i = 1; i <= 4; ++i)
    ShiftRegister(board, i, i == 1 ? "MOSI" : "SR" + std::to_string(i - 1) + "_OUT", i == 4);
  LockHeader(board, 1, 16, Joined({Series("OUT1_", 8), Series("OUT2_", 8)}),
             {300, 1000, 0, -EdgeInset});
  LockHeader(board, 1, 16, Joined({Series("OUT3_", 8), Series("OUT4_", 8)}),
             {700, 1000, 0, -EdgeInset});

  // Analog inputs.
  for (int i = 1; i <= 6; ++i)
    AmplifierStage(board, i, Numbered("ADC", 2 * i - 1), Numbered("ADC", 2 * i));
  TNets senses;
  for (int i = 1; i <= 6; ++i)
    for (int k = 1; k <= 2; ++k)
      senses.push_back("SENSE" + std::to_string(i) + "_" + std::to_string(k));
  LockHeader(board, 12, 1, senses, {1000, 500, -EdgeInset, 0});

  // Configuration memory, test points, mounting holes, and an area kept free in the middle.
  board.Add("U", Soic(8, Mil(240), Mil(160)),
            {"GND", "GND", "GND", "GND", "SDA", "SCL", "GND", "VCC"});
  Decoupling(board, "VCC", "C0402");
  Resistor(board, "SDA", "VCC").Bottom = true;
  Resistor(board, "SCL", "VCC").Bottom = true;
  TestPoints(board, {"TX", "RX", "RESET", "VCC", "GND", "+5V", "AVCC"});
  MountingHoles(board);
  board.AddKeepOut({550, 400, 0, 0}, {750, 550, 0, 0});
}

TBoardBuilder Laid(void (*build)(TBoardBuilder&), uint64_t seed) {
  TBoardBuilder board;
  build(board);
  TRandom random(seed);
  board.Lay(PartsShare, random);
  return board;
}

}  // namespace

TBoardBuilder SmallBoard() {
  return Laid(BuildSmall, 20);
}

TBoardBuilder RealisticBoard() {
  return Laid(BuildRealistic, 150);
}

TBoardBuilder SizedBoard(int parts) {
  if (parts < 20)
    throw std::invalid_argument("a sized board has at least 20 parts");
  TBoardBuilder board;
  if (parts >= 150)
    BuildRealistic(board);
  else
    BuildSmall(board);
  for (int stage = 101; board.PartCount() + 8 <= static_cast<size_t>(parts); ++stage)
    ExtraStage(board, stage);
  for (int led = 101; board.PartCount() + 2 <= static_cast<size_t>(parts); ++led)
    Led(board, Numbered("LED", led));
  if (board.PartCount() < static_cast<size_t>(parts))
    TestPoints(board, {"GND"});
  TRandom random(static_cast<uint64_t>(parts));
  board.Lay(PartsShare, random);
  return board;
}

TBoardBuilder ManyNetsBoard(int spareNets) {
  TBoardBuilder board;
  BuildRealistic(board);
  for (int net = 1; net <= spareNets; ++net)
    board.AddNet(Numbered("SPARE", net));
  TRandom random(static_cast<uint64_t>(spareNets));
  board.Lay(PartsShare, random);
  return board;
}

TBoardBuilder WideNetBoard(int pins) {
  TBoardBuilder board;
  BuildRealistic(board);
  constexpr int PinsPerHeader = 100;
  for (int added = 0; added < pins; added += PinsPerHeader)
    board.Add("J", Header(10, 10), TNets(PinsPerHeader, "BUS"));
  TRandom random(static_cast<uint64_t>(pins));
  board.Lay(PartsShare, random);
  return board;
}

TBoardBuilder BigPartBoard(int pads) {
  TBoardBuilder board;
  BuildRealistic(board);
  const int columns = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(pads))));
  const int rows = (pads + columns - 1) / columns;
  // The pads share a few nets, each of which leads to a test point beside the part.
  constexpr int Nets = 64;
  TNets pins;
  for (int pad = 0; pad < rows * columns; ++pad)
    pins.push_back(Numbered("BIG", pad % Nets));
  board.Add("U", Header(rows, columns), pins);
  TestPoints(board, Series("BIG", Nets));
  TRandom random(static_cast<uint64_t>(pads));
  board.Lay(PartsShare, random);
  return board;
}
