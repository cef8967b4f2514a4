#pragma once

// Builds a small board for a test in a few lines and opens it in the PCB editor, where it becomes
// the editor's current board:
//
//   ImportTest::TBoardBuilder builder;
//   builder.PowerNets("VCC").GroundNets("GND").SmallClearance(10).LargeClearance(20);
//   builder.Component("U1", 1000, 1000).Body(-100, -100, 100, 100).Pads({"VCC", "A", "", "GND"});
//   builder.Component("R1", 2000, 1000, "BottomLayer").Locked().Pad("1", 0, 0, "A");
//   builder.KeepOutTrack(0, 0, 4000, 0).KeepOutFill(100, 100, 300, 300);
//   const ImportTest::TTestBoard board = builder.Open();   // board.Handle; closed at scope end
//
// Lengths are in mil, as in board files; pad and body positions are relative to the component's
// reference point. The board goes through a board file, so it is exactly what a user's file gives.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include "TarnixHost.h"

namespace ImportTest {

// Board units of a length in mil, rounded to the nearest unit as the board file is read.
constexpr int32_t Mil(double mil) {
  return static_cast<int32_t>(mil * 10000.0 + (mil < 0 ? -0.5 : 0.5));
}

// An open board of the editor, closed when the object goes.
class TTestBoard {
 public:
  explicit TTestBoard(uint32_t handle) : Handle(handle) {}
  ~TTestBoard() {
    if (Handle != 0)
      Tarnix_CloseBoard(Handle);
  }
  TTestBoard(TTestBoard&& other) noexcept : Handle(std::exchange(other.Handle, 0)) {}
  TTestBoard(const TTestBoard&) = delete;
  TTestBoard& operator=(const TTestBoard&) = delete;
  TTestBoard& operator=(TTestBoard&&) = delete;

  uint32_t Handle = 0;
};

class TComponentBuilder {
 public:
  TComponentBuilder(std::string designator, double x, double y, std::string side) : X(x), Y(y) {
    Json = {{"designator", std::move(designator)},
            {"layer", std::move(side)},
            {"x", x},
            {"y", y},
            {"pads", nlohmann::json::array()}};
  }

  // A pad at (dx, dy) from the reference point; an empty net leaves it unconnected.
  TComponentBuilder& Pad(const std::string& name, double dx, double dy, const std::string& net = "",
                         const std::string& layer = "TopLayer", double size = 20) {
    nlohmann::json pad = {{"name", name},         {"x", X + dx},    {"y", Y + dy},
                          {"size", {size, size}}, {"layer", layer}, {"shape", "rectangle"}};
    if (!net.empty())
      pad["net"] = net;
    Json["pads"].push_back(std::move(pad));
    return *this;
  }

  // One pad per entry, named 1, 2, ..., in a row 50 mil apart from the reference point, on the
  // nets given ("" = unconnected).
  TComponentBuilder& Pads(const std::vector<std::string>& nets) {
    for (const std::string& net : nets) {
      const size_t number = Json["pads"].size() + 1;
      Pad(std::to_string(number), 50.0 * static_cast<double>(number - 1), 0, net);
    }
    return *this;
  }

  // Marks the last pad as one the editor reports as a power or ground pad.
  TComponentBuilder& PowerGroundPad() {
    Json["pads"].back()["powerGround"] = true;
    return *this;
  }
  // Puts the last pad on both sides (a through-hole pad).
  TComponentBuilder& ThroughHole() {
    Json["pads"].back()["layer"] = "MultiLayer";
    Json["pads"].back()["hole"] = 10;
    return *this;
  }

  // The body box from (x1, y1) to (x2, y2) relative to the reference point.
  TComponentBuilder& Body(double x1, double y1, double x2, double y2) {
    Json["body"] = {{X + x1, Y + y1}, {X + x2, Y + y1}, {X + x2, Y + y2}, {X + x1, Y + y2}};
    return *this;
  }
  TComponentBuilder& Locked(bool locked = true) {
    Json["locked"] = locked;
    return *this;
  }
  TComponentBuilder& Rotation(double degrees) {
    Json["rotation"] = degrees;
    return *this;
  }
  TComponentBuilder& GroupIndex(int32_t group) {
    Json["groupIndex"] = group;
    return *this;
  }

  nlohmann::json Json;

 private:
  double X;
  double Y;
};

class TBoardBuilder {
 public:
  TBoardBuilder() { Placer = nlohmann::json::object(); }

  // The placer options.
  TBoardBuilder& PowerNets(const std::string& names) { return Option("powerNets", names); }
  TBoardBuilder& GroundNets(const std::string& names) { return Option("groundNets", names); }
  TBoardBuilder& SmallClearance(double mil) { return Option("smallComponentClearance", mil); }
  TBoardBuilder& LargeClearance(double mil) { return Option("largeComponentClearance", mil); }
  TBoardBuilder& RotateComponents(bool on = true) { return Option("rotateComponents", on); }
  TBoardBuilder& GroupComponents(bool on = true) { return Option("groupComponents", on); }
  TBoardBuilder& PlacementGrid(double mil) {
    Grid = mil;
    return *this;
  }

  // Declares a net; nets that pads name are declared on their own, in order of first use.
  TBoardBuilder& Net(const std::string& name) {
    AddNet(name);
    return *this;
  }

  // A component with its reference point at (x, y) mil on TopLayer or BottomLayer.
  TComponentBuilder& Component(const std::string& designator, double x = 0, double y = 0,
                               const std::string& side = "TopLayer") {
    Components.emplace_back(designator, x, y, side);
    return Components.back();
  }

  TBoardBuilder& KeepOutTrack(double x1, double y1, double x2, double y2) {
    Primitives.push_back({{"kind", "track"},
                          {"layer", "KeepOutLayer"},
                          {"x1", x1},
                          {"y1", y1},
                          {"x2", x2},
                          {"y2", y2},
                          {"width", 10}});
    return *this;
  }
  TBoardBuilder& KeepOutFill(double x1, double y1, double x2, double y2) {
    Primitives.push_back({{"kind", "fill"},
                          {"layer", "KeepOutLayer"},
                          {"x1", x1},
                          {"y1", y1},
                          {"x2", x2},
                          {"y2", y2}});
    return *this;
  }
  // A closed outline of four keep-out tracks, drawn counter-clockwise or clockwise.
  TBoardBuilder& KeepOutOutline(double x1, double y1, double x2, double y2,
                                bool clockwise = false) {
    if (clockwise)
      return KeepOutTrack(x1, y1, x1, y2)
          .KeepOutTrack(x1, y2, x2, y2)
          .KeepOutTrack(x2, y2, x2, y1)
          .KeepOutTrack(x2, y1, x1, y1);
    return KeepOutTrack(x1, y1, x2, y1)
        .KeepOutTrack(x2, y1, x2, y2)
        .KeepOutTrack(x2, y2, x1, y2)
        .KeepOutTrack(x1, y2, x1, y1);
  }
  // Any other primitive, as the board file writes it.
  TBoardBuilder& Primitive(nlohmann::json primitive) {
    Primitives.push_back(std::move(primitive));
    return *this;
  }

  // The board file's text.
  std::string Text() {
    nlohmann::json components = nlohmann::json::array();
    for (const TComponentBuilder& component : Components) {
      for (const nlohmann::json& pad : component.Json["pads"])
        if (pad.contains("net"))
          AddNet(pad["net"].get<std::string>());
      components.push_back(component.Json);
    }
    nlohmann::json board = {{"displayUnit", "mil"}, {"placer", Placer}};
    if (Grid >= 0)
      board["componentGrid"] = Grid;
    const nlohmann::json file = {{"format", "pcb-board"},    {"version", 1},
                                 {"board", board},           {"nets", Nets},
                                 {"components", components}, {"primitives", Primitives}};
    return file.dump(1);
  }

  // Writes the board file, opens it (it becomes the editor's current board) and removes the file.
  // Fails the test when the editor refuses the board.
  TTestBoard Open() {
    static int counter = 0;
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("import-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter) + ".pcb");
    {
      std::ofstream file(path, std::ios::binary | std::ios::trunc);
      file << Text();
    }
    char message[512] = {};
    const uint32_t handle = Tarnix_OpenBoard(path.string().c_str(), message, sizeof message);
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    EXPECT_NE(handle, 0u) << message;
    return TTestBoard(handle);
  }

 private:
  template <class T>
  TBoardBuilder& Option(const char* name, const T& value) {
    Placer[name] = value;
    return *this;
  }

  void AddNet(const std::string& name) {
    for (const std::string& known : Nets)
      if (known == name)
        return;
    Nets.push_back(name);
  }

  nlohmann::json Placer;
  double Grid = -1;  // none: the editor's default
  std::vector<std::string> Nets;
  std::deque<TComponentBuilder> Components;
  nlohmann::json Primitives = nlohmann::json::array();
};

}  // namespace ImportTest
