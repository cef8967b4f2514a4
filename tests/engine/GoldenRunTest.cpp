// Whole runs of the engine with fixed seeds, reduced to one digest each: the final records (every
// position, turn, group field and pin), the nets' trees, the grids, the four cost totals and the
// pass log. The digests were recorded from the engine as its moves and cost were first written;
// any change to the engine's speed must leave every one of them as it is, so that the same seed
// still gives the same board, the same costs and the same log.

#include <gtest/gtest.h>
#include <platform_host.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>

#include "SyntheticBoard.h"
#include "engine/PlaceObj.h"

namespace {

// FNV-1a over 64-bit words.
class TDigest {
 public:
  void Add(uint64_t value) {
    for (int byte = 0; byte < 8; ++byte) {
      Value ^= (value >> (8 * byte)) & 0xFFu;
      Value *= 0x100000001B3u;
    }
  }
  void Add(int32_t value) { Add(static_cast<uint64_t>(static_cast<uint32_t>(value))); }
  void Add(double value) { Add(std::bit_cast<uint64_t>(value)); }
  void AddGrid(const TCellGrid& grid) {
    for (int32_t col = 0; col <= grid.Cols; ++col) {
      for (int32_t row = 0; row <= grid.Rows; ++row) {
        Add(grid.At(col, row));
      }
    }
  }
  uint64_t Value = 0xCBF29CE484222325u;
};

void AddComponents(TDigest& digest, const TAutoPlacer& placer) {
  for (const auto& c : placer.Components) {
    for (const int32_t field : {c->X, c->Y, c->CenterX, c->CenterY, c->Width, c->Height,
                                c->Rotation, c->GroupX, c->GroupY, c->GroupWidth, c->GroupHeight,
                                c->GroupNext, c->GroupPrev, int32_t{c->Visited}}) {
      digest.Add(field);
    }
    for (const auto& pin : c->Pins) {
      digest.Add(pin->X);
      digest.Add(pin->Y);
    }
  }
}

// A net's tree: its working order (each pin by its import position), its links and its length.
// Touched and Pending are the scratch marks of one update and carry nothing between moves.
void AddNets(TDigest& digest, const TAutoPlacer& placer) {
  for (const auto& net : placer.Nets) {
    digest.Add(net->PinCount);
    for (const TPinRecord* pin : net->Pins) {
      int32_t importPosition = 0;
      while (net->PinsOriginal[static_cast<size_t>(importPosition)] != pin) {
        ++importPosition;
      }
      digest.Add(importPosition);
    }
    for (const int32_t parent : net->Parent) {
      digest.Add(parent);
    }
    digest.Add(net->Length);
  }
}

// Every field of every log record but the elapsed seconds, which follow the clock.
void AddLog(TDigest& digest, const TAutoPlacer& placer) {
  for (const auto& record : placer.Log) {
    for (const int32_t field :
         {record->PassNumber, record->MovesInPass, record->RejectedInPass, record->MovesTotal}) {
      digest.Add(field);
    }
    for (const double field :
         {record->TotalCost, record->DensityTerm, record->AlignmentTerm, record->OverlapTerm,
          record->NetLengthTerm, record->Temperature, record->RangeFactor}) {
      digest.Add(field);
    }
  }
}

uint64_t RunDigest(const TAutoPlacer& placer) {
  TDigest digest;
  AddComponents(digest, placer);
  AddNets(digest, placer);
  digest.AddGrid(placer.Density);
  digest.AddGrid(placer.Occupancy[TopLayer]);
  digest.AddGrid(placer.Occupancy[BottomLayer]);
  digest.Add(placer.NetLengthCost);
  digest.Add(placer.DensityCost);
  digest.Add(placer.OverlapCost);
  digest.Add(placer.AlignmentCost);
  AddLog(digest, placer);
  for (const int32_t counter :
       {placer.MovesTotal, placer.AcceptedTotal, placer.PassNumber, placer.RangeX, placer.RangeY}) {
    digest.Add(counter);
  }
  digest.Add(placer.Temperature);
  digest.Add(static_cast<uint64_t>(RandomSeed()));
  return digest.Value;
}

struct TGoldenRun {
  const char* Name;
  int32_t Components;
  uint32_t BoardSeed;
  bool LargeNets;
  bool AroundOrigin;
  bool Rotate;
  uint32_t RunSeed;
  uint64_t Digest;
};

void PrintTo(const TGoldenRun& run, std::ostream* out) {
  *out << run.Name;
}

// Three groups of movable records: a pair, a scattered triple and a run of six.
void FormGroups(TAutoPlacer& placer) {
  for (const int32_t k : {2, 3}) {
    placer.Component(k).GroupId = 1;
  }
  for (const int32_t k : {5, 17, 40}) {
    placer.Component(k).GroupId = 2;
  }
  for (int32_t k = 20; k < 26; ++k) {
    placer.Component(k).GroupId = 3;
  }
}

// The whole run as the placer view starts it, from the setup to the end of pass 70, with a tenth
// of the moves per pass so that the runs stay short.
uint64_t PlaceAndDigest(const TGoldenRun& run) {
  PlatformResetForTests();
  TAutoPlacer placer;
  TSyntheticBoard board(run.Components, run.BoardSeed);
  if (run.LargeNets) {
    board.LargeNets();
  }
  if (run.AroundOrigin) {
    board.AroundOrigin();
  }
  board.Build(placer);
  FormGroups(placer);
  placer.Seed = run.RunSeed;
  placer.Setup();
  placer.RotateAllowed = run.Rotate;
  placer.Temperature = 100000.0;
  placer.CoolingFactor = 0.85;
  placer.MaxMovesPerPass = 10 * placer.MovableCount;
  placer.MaxAcceptedPerPass = placer.MovableCount;
  placer.Run();
  EXPECT_TRUE(placer.Finished);
  PlatformResetForTests();
  return RunDigest(placer);
}

class GoldenRun : public ::testing::TestWithParam<TGoldenRun> {};

TEST_P(GoldenRun, GivesTheRecordedBoardCostsAndLog) {
  const TGoldenRun& run = GetParam();
  const uint64_t digest = PlaceAndDigest(run);
  char text[32];
  std::snprintf(text, sizeof text, "0x%016llX", static_cast<unsigned long long>(digest));
  EXPECT_EQ(digest, run.Digest) << run.Name << " now gives " << text;
}

INSTANTIATE_TEST_SUITE_P(
    Boards, GoldenRun,
    ::testing::Values(
        TGoldenRun{"Mixed120Seed1", 120, 11, false, false, true, 1, 0xC277B641ECE3B85Du},
        TGoldenRun{"Mixed120Seed2", 120, 11, false, false, true, 2, 0x85B98ADC484BDE5Fu},
        TGoldenRun{"LargeNets150", 150, 12, true, false, true, 3, 0x868DE295BD3E1661u},
        TGoldenRun{"AroundOriginLargeNets100", 100, 13, true, true, true, 4, 0xB7A0F214BDB67B59u},
        TGoldenRun{"NoRotation100", 100, 14, false, false, false, 5, 0x1D64B246171B126Eu}),
    [](const ::testing::TestParamInfo<TGoldenRun>& info) { return std::string(info.param.Name); });

}  // namespace
