// The primitive mirrors and the placer's component mirror against the editor itself: a component
// read, moved and read again with its pads, tags and group numbers stored and read back, the
// factory helpers on real objects, and the component's bounds.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "TarnixHost.h"
#include "engine/PlacerComponent.h"
#include "pcb/PCBProcs.h"
#include "pcb/PcbclassObjects.h"

namespace {

constexpr int32_t Mil = 10000;

// R1 on top with two pads and a body, U1 on the bottom with three pads, J1 without pads.
constexpr const char* BoardText = R"({
  "format": "pcb-board", "version": 1, "board": {},
  "nets": ["GND", "SIG"],
  "components": [
    { "designator": "R1", "footprint": "R0603", "layer": "TopLayer", "x": 500, "y": 500,
      "body": [[470, 485], [530, 485], [530, 515], [470, 515]],
      "pads": [ { "name": "1", "x": 470, "y": 500, "size": [30, 30], "shape": "rectangle",
                  "layer": "TopLayer", "net": "SIG" },
                { "name": "2", "x": 530, "y": 500, "size": [30, 30], "shape": "rectangle",
                  "layer": "TopLayer", "net": "GND" } ] },
    { "designator": "U1", "layer": "BottomLayer", "x": 1000, "y": 300, "groupIndex": 4,
      "pads": [ { "name": "1", "x": 950, "y": 300, "size": [40, 20], "layer": "BottomLayer" },
                { "name": "2", "x": 1000, "y": 300, "size": [40, 20], "layer": "BottomLayer" },
                { "name": "3", "x": 1050, "y": 300, "size": [40, 20], "layer": "BottomLayer" } ] },
    { "designator": "J1", "layer": "TopLayer", "x": 100, "y": 100 }
  ]
})";

class RoundTripObjectsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Folder =
        std::filesystem::temp_directory_path() /
        ("roundtrip-objects-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(Folder);
    const std::filesystem::path file = Folder / "board.pcb";
    std::ofstream(file) << BoardText;
    char message[512] = {};
    Board = Tarnix_OpenBoard(file.string().c_str(), message, sizeof message);
    ASSERT_NE(Board, 0u) << message;
  }

  void TearDown() override {
    if (Board != 0)
      Tarnix_CloseBoard(Board);
    std::error_code ignored;
    std::filesystem::remove_all(Folder, ignored);
  }

  // The handle of the component with that designator on that side, 0 if there is none.
  uint32_t ComponentNamed(const std::string& designator, TLayerNumber side) const {
    const uint32_t iterator = Pcb::CreateIterator(Board, ComponentObject, 0, side);
    uint32_t found = 0;
    for (uint32_t handle = Pcb::GetFirstObject(iterator); handle != 0 && found == 0;
         handle = Pcb::GetNextObject(iterator)) {
      TPcbComponent component(handle);
      component.Sync(PcbApi_ModeRead);
      if (component.GetName() == designator)
        found = handle;
    }
    Pcb::DestroyIterator(iterator);
    return found;
  }

  struct TPadPlace {
    int32_t X, Y;
    double Rotation;
    bool operator==(const TPadPlace&) const = default;
  };

  static std::vector<TPadPlace> PadsOf(const TPcbComponent& component) {
    std::vector<TPadPlace> places;
    TPcbPad pad;
    for (uint16_t i = 1; (pad.Handle = component.ChildAt(PadObject, i)) != 0; ++i) {
      EXPECT_EQ(pad.Sync(PcbApi_ModeRead), 0);
      places.push_back({pad.X, pad.Y, pad.Rotation});
    }
    return places;
  }

  std::filesystem::path Folder;
  uint32_t Board = 0;
};

TEST_F(RoundTripObjectsTest, AComponentReadsWithItsSideDesignatorPadsAndBounds) {
  TPlacerComponent component(ComponentNamed("R1", TopLayer));
  ASSERT_NE(component.Handle, 0u);
  ASSERT_EQ(component.Sync(PcbApi_ModeRead), 0);

  EXPECT_EQ(component.GetName(), "R1");
  EXPECT_EQ(component.Layer, LayerIdFromNumber(TopLayer));
  EXPECT_EQ(component.X, 500 * Mil);
  EXPECT_EQ(component.Y, 500 * Mil);
  EXPECT_EQ(component.Rotation, 0.0);
  EXPECT_NE(component.Moveable, 0);
  // The bounds cover the pads (455 to 545 mil across) and the body (485 to 515 mil high).
  EXPECT_EQ((std::vector<int32_t>{component.BoundsLeft, component.BoundsBottom,
                                  component.BoundsRight, component.BoundsTop}),
            (std::vector<int32_t>{455 * Mil, 485 * Mil, 545 * Mil, 515 * Mil}));

  // Its pads, in pad order, with their owner and per-layer sizes.
  EXPECT_EQ(component.ChildCountPlusOne(PadObject), 3);
  const std::unique_ptr<TPCBObject> pad = MirrorOf(component.ChildAt(PadObject, 2));
  ASSERT_NE(dynamic_cast<TPcbPad*>(pad.get()), nullptr);
  EXPECT_EQ(pad->GetName(), "2");
  EXPECT_EQ(pad->GetX(), 530 * Mil);
  EXPECT_EQ(pad->SizeXOnLayer(TopLayer), 30 * Mil);
  EXPECT_EQ(OwnerComponentOf(pad->Handle), component.Handle);
  const std::unique_ptr<TPCBObject> net = MirrorOf(pad->GetNetHandle());
  ASSERT_NE(net, nullptr);
  EXPECT_EQ(net->GetName(), "GND");
  EXPECT_EQ(TextOf(component.NameTextHandle), "R1");
  EXPECT_EQ(TextOf(pad->Handle), "");

  // Children counted on the other side and without pads.
  TPcbComponent bottom(ComponentNamed("U1", BottomLayer));
  ASSERT_EQ(bottom.Sync(PcbApi_ModeRead), 0);
  EXPECT_EQ(bottom.Layer, LayerIdFromNumber(BottomLayer));
  EXPECT_EQ(bottom.GroupIndex, 4);
  EXPECT_EQ(bottom.ChildCountPlusOne(PadObject), 4);
  TPcbComponent withoutPads(ComponentNamed("J1", TopLayer));
  EXPECT_EQ(withoutPads.ChildCountPlusOne(PadObject), 1);
}

TEST_F(RoundTripObjectsTest, AComponentMovedWithTheFinalWriteReadsBackMovedWithItsPads) {
  TPlacerComponent component(ComponentNamed("R1", TopLayer));
  ASSERT_EQ(component.Sync(PcbApi_ModeRead), 0);
  const std::vector<TPadPlace> before = PadsOf(component);
  ASSERT_EQ(before,
            (std::vector<TPadPlace>{{470 * Mil, 500 * Mil, 0.0}, {530 * Mil, 500 * Mil, 0.0}}));

  component.X = 1500 * Mil;
  component.Y = 700 * Mil;
  component.Rotation = 90.0;
  ASSERT_EQ(component.Sync(PcbApi_ModeWriteFinal), 0);

  TPlacerComponent again(component.Handle);
  ASSERT_EQ(again.Sync(PcbApi_ModeRead), 0);
  EXPECT_EQ(again.X, 1500 * Mil);
  EXPECT_EQ(again.Y, 700 * Mil);
  EXPECT_EQ(again.Rotation, 90.0);
  // A quarter turn about the reference point: pad 1 now lies below it, pad 2 above.
  EXPECT_EQ(PadsOf(again),
            (std::vector<TPadPlace>{{1500 * Mil, 670 * Mil, 90.0}, {1500 * Mil, 730 * Mil, 90.0}}));
  EXPECT_EQ((std::vector<int32_t>{again.BoundsLeft, again.BoundsBottom, again.BoundsRight,
                                  again.BoundsTop}),
            (std::vector<int32_t>{1485 * Mil, 655 * Mil, 1515 * Mil, 745 * Mil}));
}

TEST_F(RoundTripObjectsTest, TagsAndGroupNumbersWrittenWithModeZeroReadBack) {
  TPlacerComponent component(ComponentNamed("U1", BottomLayer));
  ASSERT_EQ(component.Sync(PcbApi_ModeRead), 0);
  component.Tag = 7;
  component.GroupIndex = 12;
  ASSERT_EQ(component.Sync(PcbApi_ModeWrite), 0);

  // Pads get their numbers through a pad mirror and through SetTagOf, the net through SetTagOf.
  TPcbPad pad(component.ChildAt(PadObject, 1));
  ASSERT_EQ(pad.Sync(PcbApi_ModeRead), 0);
  pad.Tag = 1;
  ASSERT_EQ(pad.Sync(PcbApi_ModeWrite), 0);
  const uint32_t secondPad = component.ChildAt(PadObject, 2);
  SetTagOf(secondPad, 2);
  const TPcbComponent r1(ComponentNamed("R1", TopLayer));
  const std::unique_ptr<TPCBObject> r1Pad = MirrorOf(r1.ChildAt(PadObject, 1));
  ASSERT_NE(r1Pad, nullptr);
  const uint32_t net = r1Pad->GetNetHandle();
  ASSERT_NE(net, 0u);
  SetTagOf(net, 300);

  TPlacerComponent again(component.Handle);
  ASSERT_EQ(again.Sync(PcbApi_ModeRead), 0);
  EXPECT_EQ(again.Tag, 7);
  EXPECT_EQ(again.GroupIndex, 12);
  EXPECT_EQ(again.X, component.X);  // nothing else changed
  EXPECT_EQ(MirrorOf(pad.Handle)->GetTag(), 1);
  EXPECT_EQ(MirrorOf(secondPad)->GetTag(), 2);
  EXPECT_EQ(MirrorOf(net)->GetTag(), 300);
  EXPECT_EQ(MirrorOf(pad.Handle)->GetX(), 950 * Mil);

  // A pad's tag write leaves its per-layer data as it was.
  TPcbPad padAgain(pad.Handle);
  ASSERT_EQ(padAgain.Sync(PcbApi_ModeRead), 0);
  EXPECT_EQ(padAgain.LayerSizeX[BottomLayer], 40 * Mil);
  EXPECT_EQ(padAgain.LayerSizeY[BottomLayer], 20 * Mil);
}

TEST_F(RoundTripObjectsTest, AComponentWrittenBackKeepsItsBoundsUntilItIsReadAgain) {
  TPlacerComponent component(ComponentNamed("R1", TopLayer));
  ASSERT_EQ(component.Sync(PcbApi_ModeRead), 0);
  component.X += 100 * Mil;
  ASSERT_EQ(component.Sync(PcbApi_ModeWrite), 0);
  EXPECT_EQ(component.BoundsLeft, 455 * Mil);  // not refreshed by a write
  ASSERT_EQ(component.Sync(PcbApi_ModeRead), 0);
  EXPECT_EQ(component.BoundsLeft, 555 * Mil);
}

}  // namespace
