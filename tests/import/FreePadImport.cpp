// Pads that belong to no component, on a board of a stand-in editor of its own (the editor proper
// holds no such pads): they stay out of their net's pins and pin count, and a net of free pads
// only gets no number.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include "import/PrePlace.h"

namespace {

class FreePads : public testing::Test {
 protected:
  static void SetUpTestSuite() { Editor = dlopen(FREE_PAD_EDITOR_PATH, RTLD_NOW | RTLD_GLOBAL); }
  static void* Editor;
};

void* FreePads::Editor = nullptr;

const TCompRecord& RecordAt(const TAutoPlacer& engine, int32_t x) {
  for (const auto& record : engine.Components)
    if (record->X == x)
      return *record;
  ADD_FAILURE() << "no record at " << x;
  static const TCompRecord none;
  return none;
}

TEST_F(FreePads, StayOutOfTheirNets) {
  ASSERT_NE(Editor, nullptr) << dlerror();
  TAutoPlacer engine;
  engine.Seed = 1;
  engine.ImportBoard(1);

  // N (401) and M (403) have component pads; F (402) has a free pad only.
  EXPECT_EQ(HeaderOf(401).Tag, 1);
  EXPECT_EQ(HeaderOf(402).Tag, 0);
  EXPECT_EQ(HeaderOf(403).Tag, 2);
  ASSERT_EQ(engine.NetCount, 2);
  ASSERT_EQ(engine.ComponentCount, 2);

  const TCompRecord& u1 = RecordAt(engine, 0);
  const TCompRecord& u2 = RecordAt(engine, 1000000);
  const TNetRecord& n = engine.Net(1);
  ASSERT_EQ(n.PinCount, 2);
  ASSERT_EQ(n.Pins.size(), 2u);
  EXPECT_EQ(n.Pins[0], u1.Pins[0].get());
  EXPECT_EQ(n.Pins[1], u2.Pins[0].get());
  EXPECT_EQ(n.PinsOriginal, n.Pins);
  EXPECT_EQ(n.Parent.size(), 2u);
  EXPECT_EQ(engine.Net(2).PinCount, 1);

  // The free pads keep the positions NumberNets gave them in their nets' enumerations.
  EXPECT_EQ(HeaderOf(301).Tag, 2);
  EXPECT_EQ(HeaderOf(302).Tag, 1);
}

}  // namespace
