#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "pcb/PCBProcsUnits.h"

namespace {

constexpr int32_t MaxCoord = std::numeric_limits<int32_t>::max();
constexpr int32_t MinCoord = std::numeric_limits<int32_t>::min();

TEST(UnitsTest, NearestCoordRoundsTiesToEvenAndSaturates) {
  const std::vector<std::pair<double, int32_t>> cases = {
      {2.5, 2},
      {3.5, 4},
      {-2.5, -2},
      {-3.5, -4},
      {2.4999, 2},
      {1e12, MaxCoord},
      {-1e12, MinCoord},
      {std::numeric_limits<double>::infinity(), MaxCoord},
      {-std::numeric_limits<double>::infinity(), MinCoord},
      {std::numeric_limits<double>::quiet_NaN(), 0},
  };
  for (const auto& [units, coord] : cases)
    EXPECT_EQ(NearestCoord(units), coord) << units;
}

TEST(UnitsTest, ConversionsToTheBoardUnit) {
  EXPECT_DOUBLE_EQ(DegToRad(180.0), M_PI);
  EXPECT_DOUBLE_EQ(DegToRad(-90.0), -M_PI / 2);
  EXPECT_EQ(MilsToCoord(12.5), 125000);
  EXPECT_EQ(MilsToCoord(-0.00004), 0);
  EXPECT_EQ(MilsToCoord(1e9), MaxCoord);
  EXPECT_EQ(MMToCoord(0.3175), 125000);
  EXPECT_EQ(MMToCoord(-0.3175), -125000);
  EXPECT_EQ(MMToCoord(1.0), 393701);
  EXPECT_EQ(MMToCoord(12.5), 4921260);  // 4921259.84
  EXPECT_EQ(MMToCoord(-1e6), MinCoord);
}

TEST(UnitsTest, ConversionsFromTheBoardUnitRoundTheFraction) {
  struct TCase {
    int32_t Coord;
    double Mils;
    double Millimetres;
  };
  const std::vector<TCase> cases = {
      {125000, 12.5, 0.3175},
      {12345678, 1234.568, 31.35802},
      {-12345678, -1234.568, -31.35802},
      {254000, 25.4, 0.64516},
      {1, 0.0, 0.0},
      {5, 0.0, 0.00001},  // 0.0005 mil: the tie goes to the even 0
      {15, 0.002, 0.00004},
      {MaxCoord, 214748.365, 5454.60846},
      {MinCoord, -214748.365, -5454.60847},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Coord);
    EXPECT_DOUBLE_EQ(CoordToMils(c.Coord), c.Mils);
    EXPECT_DOUBLE_EQ(CoordToMM(c.Coord), c.Millimetres);
  }
}

TEST(UnitsTest, FormatLengthTrimsTrailingZerosAndAddsTheUnit) {
  struct TCase {
    int32_t Coord;
    uint8_t Imperial;
    const char* Text;
  };
  const std::vector<TCase> cases = {
      {125000, 1, "12.5mil"},
      {125000, 0, "0.3175mm"},
      {1000000, 1, "100mil"},
      {0, 1, "0mil"},
      {0, 0, "0mm"},
      {-125000, 1, "-12.5mil"},
      {-1, 1, "0mil"},  // rounds to zero: no "-0"
      {-1, 0, "0mm"},
      {15, 1, "0.002mil"},
      {254000, 0, "0.6452mm"},  // 0.64516 shown with four decimals
      {-393701, 0, "-1mm"},
      {12345678, 0, "31.358mm"},
      {10000, 7, "1mil"},  // any nonzero flag is mil
      {MaxCoord, 1, "214748.365mil"},
      {MinCoord, 0, "-5454.6085mm"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatLength(c.Coord, c.Imperial), c.Text) << c.Coord << " " << int{c.Imperial};
}

TEST(UnitsTest, ParseLengthReadsTheUnitOrTakesTheFlags) {
  struct TCase {
    const char* Text;
    uint8_t ImperialBefore;
    int32_t Coord;
    uint8_t ImperialAfter;
  };
  const std::vector<TCase> cases = {
      {"12.5 mil", 0, 125000, 1},
      {"12.5MIL", 0, 125000, 1},
      {"0.3175mm", 1, 125000, 0},
      {"12.5", 0, 4921260, 0},
      {"12.5", 1, 125000, 1},
      {"12.5", 2, 125000, 1},
      {" 1 2 . 5 m I l ", 0, 125000, 1},
      {"1e1mil", 0, 100000, 1},
      {"-12.5mil", 0, -125000, 1},
      {"+5mil", 0, 50000, 1},
      {".5mil", 0, 5000, 1},
      {"5 Mm", 1, 1968504, 0},      // 5 mm = 1968503.9
      {"12mil5mm", 1, 4724409, 0},  // "MM" first: cut before it and read as mm
      {"mil", 0, 0, 0},
      {"mil", 1, 0, 1},
      {"abc12", 1, 0, 1},
      {"", 1, 0, 1},
      {"   ", 0, 0, 0},
      // Text that starts like a number but is not one gives what the reader makes of it.
      {"1..2mil", 0, 10000, 1},
      {"-mil", 0, 0, 1},
      {"+-5mil", 0, 0, 1},
      {"99999999mil", 0, MaxCoord, 1},
      {"-inf mil", 0, MinCoord, 1},
      {"-nan mm", 1, 0, 0},
      {"1e999mil", 0, 0, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Text);
    int32_t coord = 12345;
    uint8_t imperial = c.ImperialBefore;
    ParseLength(c.Text, coord, imperial);
    EXPECT_EQ(coord, c.Coord);
    EXPECT_EQ(imperial, c.ImperialAfter);
  }
}

TEST(UnitsTest, FormattedLengthsParseBackToTheSameValue) {
  for (const int32_t coord : {0, 125000, -125000, 200000, 12345670, -999990000}) {
    for (const uint8_t imperial : {uint8_t{0}, uint8_t{1}}) {
      int32_t parsed = 0;
      uint8_t unit = 1 - imperial;
      ParseLength(FormatLength(coord, imperial), parsed, unit);
      EXPECT_EQ(unit, imperial);
      // mil keeps lengths of whole 1/1000 mil; mm keeps 0.1 micrometre, about 4 units
      EXPECT_NEAR(parsed, coord, imperial != 0 ? 0 : 3);
    }
  }
}

}  // namespace
