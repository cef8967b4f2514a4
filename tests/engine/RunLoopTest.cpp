#include <gtest/gtest.h>
#include <platform_host.h>
#include <windows.h>

#include <ctime>
#include <string>
#include <thread>
#include <vector>

#include "EngineBuilder.h"
#include "engine/PlaceObj.h"

namespace {

constexpr UINT StopMessage = WM_USER + 1;

// The placer view's stand-in: a platform window that records the end-of-run messages and sets the
// engine's stop request when it receives StopMessage, as the stop command does.
class RunLoopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PlatformResetForTests();
    Current = this;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &Procedure;
    windowClass.lpszClassName = "RunLoopTestView";
    ASSERT_NE(RegisterClassA(&windowClass), 0);
    View = CreateWindowExA(0, "RunLoopTestView", "", 0, 0, 0, 200, 100, nullptr, nullptr, nullptr,
                           nullptr);
    ASSERT_NE(View, nullptr);
  }
  void TearDown() override {
    PlatformResetForTests();
    Current = nullptr;
  }

  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
      Current->EndMessages.push_back(wParam);
      return 0;
    }
    if (message == StopMessage && Current->Placer != nullptr) {
      Current->Placer->StopRequested = true;
      return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }

  // Eight movable 2-pin components on a chain of nets, one locked component, one bypass capacitor
  // and a powered component that gets room for it; two of the movable ones form a group.
  void Build(TAutoPlacer& placer) {
    TEngineBuilder builder(placer);
    builder.Area(0, 0, 2000 * Mil, 1500 * Mil);
    for (int32_t i = 0; i < 8; ++i) {
      const int32_t x = (200 + 200 * (i % 4)) * Mil;
      const int32_t y = (300 + 500 * (i / 4)) * Mil;
      const int32_t k = builder.Component({x, y, 100 * Mil, 60 * Mil});
      builder.Pin(k, x - 40 * Mil, y, i + 1);
      builder.Pin(k, x + 40 * Mil, y, i + 2);
    }
    placer.Component(3).GroupId = 1;
    placer.Component(7).GroupId = 1;
    placer.Component(5).Flags |= FlagPowered;
    const int32_t locked =
        builder.Component({1800 * Mil, 1300 * Mil, 100 * Mil, 100 * Mil, TopLayer, true, false});
    builder.Pin(locked, 1800 * Mil, 1300 * Mil, 1);
    const int32_t capacitor = builder.Component(
        {1500 * Mil, 1300 * Mil, 40 * Mil, 20 * Mil, TopLayer, true, true, FlagBypass});
    builder.Pin(capacitor, 1490 * Mil, 1300 * Mil);
    builder.Pin(capacitor, 1510 * Mil, 1300 * Mil);
    builder.Nets(9);
    placer.ViewHandle = View;
  }

  // Takes the messages that are waiting, dispatching them to the view.
  void PumpAll() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      DispatchMessageA(&message);
    }
  }

  static inline RunLoopTest* Current = nullptr;
  HWND View = nullptr;
  TAutoPlacer* Placer = nullptr;
  std::vector<WPARAM> EndMessages;
};

TEST_F(RunLoopTest, SetupPartitionsTheRecordsAndCentresTheGroups) {
  TAutoPlacer placer;
  Build(placer);
  placer.Seed = 1;
  placer.Setup();

  EXPECT_EQ(placer.MovableCount, 8);
  EXPECT_EQ(placer.FixedCount, 1);
  EXPECT_EQ(placer.BypassCount, 1);
  EXPECT_EQ(placer.Component(9).Movable, 0);
  EXPECT_NE(placer.Component(10).Flags & FlagBypass, 0);
  EXPECT_EQ(placer.MaxMovesPerPass, 800);
  EXPECT_EQ(placer.MaxAcceptedPerPass, 80);
  EXPECT_TRUE(placer.DrawReady);
  EXPECT_FALSE(placer.NothingToPlace);
  EXPECT_DOUBLE_EQ(placer.LogT0, std::log(100000.0) / 2.3025851);
  EXPECT_EQ(placer.RangeX, placer.BoardWidth);

  // The grouped pair at positions 3 and 7 is one ring with one box, centred on the board.
  const TCompRecord& three = placer.Component(3);
  const TCompRecord& seven = placer.Component(7);
  EXPECT_EQ(three.GroupNext, 7);
  EXPECT_EQ(seven.GroupNext, 3);
  EXPECT_EQ(three.GroupPrev, 7);
  EXPECT_EQ(three.GroupX, 1000 * Mil);
  EXPECT_EQ(three.GroupY, 750 * Mil);
  EXPECT_EQ(seven.GroupX, three.GroupX);
  EXPECT_EQ(seven.GroupWidth, three.GroupWidth);
  EXPECT_EQ(three.GroupWidth, 100 * Mil);  // one above the other
  EXPECT_EQ(three.GroupHeight, 500 * Mil + 60 * Mil);
  // A component without a group stays where it lies, a ring of one with its own box.
  const TCompRecord& one = placer.Component(1);
  EXPECT_EQ(one.GroupNext, 1);
  EXPECT_EQ(one.CenterX, 200 * Mil);
  EXPECT_EQ(one.GroupX, one.CenterX);
  EXPECT_EQ(one.GroupWidth, one.Width);
}

TEST_F(RunLoopTest, ALockedPartClassifiedAsACapacitorStaysWithTheFixedRecords) {
  TAutoPlacer placer;
  Build(placer);
  TEngineBuilder builder(placer);
  const int32_t header = builder.Component(
      {100 * Mil, 1300 * Mil, 40 * Mil, 20 * Mil, TopLayer, true, false, FlagBypass});
  builder.Nets(9);
  placer.Seed = 1;
  placer.Setup();

  EXPECT_EQ(placer.FixedCount, 2);
  EXPECT_EQ(placer.BypassCount, 1);
  const TCompRecord* locked = nullptr;
  for (int32_t k = placer.MovableCount + 1; k <= placer.MovableCount + placer.FixedCount; ++k) {
    if (placer.Component(k).CenterX == 100 * Mil) {
      locked = &placer.Component(k);
    }
  }
  ASSERT_NE(locked, nullptr) << "component " << header << " is not among the fixed records";
  placer.PlaceBypassCapacitors();
  EXPECT_EQ(locked->CenterX, 100 * Mil);
  EXPECT_EQ(locked->CenterY, 1300 * Mil);
}

TEST_F(RunLoopTest, AFullRunLogsSeventyPassesAndPostsFinished) {
  TAutoPlacer placer;
  Build(placer);
  placer.Seed = 5;
  placer.Setup();
  placer.Run();
  PumpAll();

  EXPECT_TRUE(placer.Finished);
  EXPECT_FALSE(placer.Running);
  EXPECT_EQ(EndMessages, std::vector<WPARAM>{9998});
  ASSERT_EQ(placer.Log.size(), 70u);
  EXPECT_EQ(placer.Log[0]->PassNumber, 1);
  EXPECT_EQ(placer.Log[0]->MovesInPass, 0);
  EXPECT_EQ(placer.Log[0]->MovesTotal, 0);
  for (size_t i = 1; i < placer.Log.size(); ++i) {
    const TPlacerLogRecord& record = *placer.Log[i];
    SCOPED_TRACE("pass " + std::to_string(record.PassNumber));
    EXPECT_EQ(record.PassNumber, static_cast<int32_t>(i) + 1);
    // Each record carries the previous pass, which ended at its first kept move past the limit
    // or its first tried move past the limit.
    EXPECT_EQ(record.MovesTotal, placer.Log[i - 1]->MovesTotal + record.MovesInPass);
    const int32_t kept = record.MovesInPass - record.RejectedInPass;
    EXPECT_TRUE(kept == placer.MaxAcceptedPerPass + 1 ||
                record.MovesInPass == placer.MaxMovesPerPass + 1);
    EXPECT_LE(kept, placer.MaxAcceptedPerPass + 1);
    EXPECT_LE(record.MovesInPass, placer.MaxMovesPerPass + 1);
    EXPECT_LT(record.Temperature, placer.Log[i - 1]->Temperature);
  }
  EXPECT_EQ(placer.PassNumber, 70);
  EXPECT_NEAR(placer.Temperature, 100000.0 * std::pow(0.9, 70), 1e-6);
}

TEST_F(RunLoopTest, AStopFromAMessageDispatchedInsideTheRunEndsItStopped) {
  TAutoPlacer placer;
  Build(placer);
  placer.Seed = 5;
  placer.Setup();
  Placer = &placer;
  PostMessageA(View, StopMessage, 0, 0);
  const double temperature = placer.Temperature;
  placer.Run();
  PumpAll();

  EXPECT_EQ(EndMessages, std::vector<WPARAM>{9997});
  EXPECT_FALSE(placer.Finished);
  // The first move counted before the stop was seen; the stopped pass advanced the pass number
  // but did not cool down.
  EXPECT_EQ(placer.MovesTotal, 1);
  EXPECT_EQ(placer.PassNumber, 2);
  EXPECT_EQ(placer.Temperature, temperature);
  EXPECT_EQ(placer.Log.size(), 1u);
}

TEST_F(RunLoopTest, AStopDuringTheLastPassStillFinishes) {
  TAutoPlacer placer;
  Build(placer);
  placer.Seed = 5;
  placer.Setup();
  placer.PassNumber = 70;
  Placer = &placer;
  PostMessageA(View, StopMessage, 0, 0);
  placer.Run();
  PumpAll();

  EXPECT_TRUE(placer.Finished);
  EXPECT_EQ(EndMessages, std::vector<WPARAM>{9998});
}

TEST_F(RunLoopTest, NothingToPlaceShowsItsMessageAndSleepsUntilStopped) {
  TAutoPlacer placer;
  TEngineBuilder builder(placer);
  builder.Area(0, 0, 1000 * Mil, 1000 * Mil);
  builder.Component({100 * Mil, 100 * Mil, 50 * Mil, 50 * Mil, TopLayer, true, false});
  builder.Component({300 * Mil, 100 * Mil, 50 * Mil, 50 * Mil, TopLayer, true, false});
  placer.ViewHandle = View;
  placer.Setup();
  ASSERT_TRUE(placer.NothingToPlace);

  std::vector<std::string> shown;
  PlatformSetMessageBoxHandler([&](HWND, const char* text, const char* caption, UINT) {
    shown.push_back(std::string(caption) + ": " + text);
    return IDOK;
  });
  Placer = &placer;
  // The stop command arrives from elsewhere a little later; until then the run must sleep.
  std::thread stopper([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    PlatformPostMessageFromSignal(View, StopMessage, 0, 0);
  });
  timespec cpuBefore{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpuBefore);
  placer.Run();
  timespec cpuAfter{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpuAfter);
  stopper.join();
  PumpAll();

  EXPECT_EQ(shown, std::vector<std::string>{
                       "Information: Auto Place cannot run. No un-locked components."});
  EXPECT_EQ(EndMessages, std::vector<WPARAM>{9997});
  EXPECT_FALSE(placer.Finished);
  EXPECT_TRUE(placer.Log.empty());
  const double cpuSeconds = static_cast<double>(cpuAfter.tv_sec - cpuBefore.tv_sec) +
                            static_cast<double>(cpuAfter.tv_nsec - cpuBefore.tv_nsec) * 1e-9;
  EXPECT_LT(cpuSeconds, 0.15) << "the wait for the stop request spins instead of sleeping";
}

TEST_F(RunLoopTest, OnlyBypassCapacitorsToMoveRunsEmptyPassesAndFinishes) {
  TAutoPlacer placer;
  TEngineBuilder builder(placer);
  builder.Area(0, 0, 1000 * Mil, 1000 * Mil);
  builder.Component({100 * Mil, 100 * Mil, 50 * Mil, 50 * Mil, TopLayer, true, false});
  builder.Component({500 * Mil, 500 * Mil, 40 * Mil, 20 * Mil, TopLayer, true, true, FlagBypass});
  builder.Component({600 * Mil, 500 * Mil, 40 * Mil, 20 * Mil, TopLayer, true, true, FlagBypass});
  placer.ViewHandle = View;
  placer.Seed = 3;
  placer.Setup();
  ASSERT_FALSE(placer.NothingToPlace);
  ASSERT_EQ(placer.MovableCount, 0);
  const int32_t lockedX = placer.Component(1).X;
  const int32_t capacitorX = placer.Component(2).X;

  placer.Run();
  PumpAll();

  EXPECT_TRUE(placer.Finished);
  EXPECT_EQ(EndMessages, std::vector<WPARAM>{9998});
  EXPECT_EQ(placer.MovesTotal, 70);
  EXPECT_EQ(placer.Component(1).X, lockedX);
  EXPECT_EQ(placer.Component(2).X, capacitorX);
}

TEST_F(RunLoopTest, AFixedSeedGivesTheSamePlacementTwice) {
  auto place = [this](uint32_t seed) {
    TAutoPlacer placer;
    Build(placer);
    placer.Seed = seed;
    placer.Setup();
    placer.Run();
    PumpAll();
    std::vector<int32_t> result;
    for (const auto& record : placer.Components) {
      result.insert(result.end(), {record->X, record->Y, record->Rotation});
    }
    return result;
  };
  const auto first = place(11);
  EXPECT_EQ(place(11), first);
  EXPECT_NE(place(12), first);
}

}  // namespace
