#include <pthread.h>
#include <signal.h>

#include <thread>

#include "PlatformFixture.h"

namespace {

using SignalPostTest = PlatformTest;

constexpr UINT StopCommand = WM_USER + 7;
constexpr UINT_PTR SafetyTimer = 99;

HWND signalTarget = nullptr;

void PostStop(int) {
  PlatformPostMessageFromSignal(signalTarget, StopCommand, 0, 0);
}

// Wakes a blocked GetMessage from outside: a signal handled on the main thread, or a post from
// another thread (which only the event descriptor can wake).
TEST_F(SignalPostTest, APostFromOutsideWakesABlockedGetMessage) {
  struct sigaction action {};
  action.sa_handler = &PostStop;
  sigemptyset(&action.sa_mask);
  struct sigaction previous {};
  ASSERT_EQ(sigaction(SIGUSR1, &action, &previous), 0);

  for (bool fromSignal : {true, false}) {
    SCOPED_TRACE(fromSignal ? "signal handler" : "other thread");
    signalTarget = MakeWindow();
    SetTimer(signalTarget, SafetyTimer, 10000, nullptr);  // ends the wait if nothing else does
    pthread_t mainThread = pthread_self();
    std::thread poster([&] {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      if (fromSignal) {
        pthread_kill(mainThread, SIGUSR1);
      } else {
        PlatformPostMessageFromSignal(signalTarget, StopCommand, 0, 0);
      }
    });
    MSG msg{};
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
    poster.join();
    EXPECT_EQ(msg.hwnd, signalTarget);
    EXPECT_EQ(msg.message, StopCommand);
    DestroyWindow(signalTarget);
  }
  sigaction(SIGUSR1, &previous, nullptr);
}

TEST_F(SignalPostTest, AFullRingRefusesFurtherPostsAndKeepsTheOrder) {
  HWND window = MakeWindow();
  int accepted = 0;
  for (int i = 0; i < 1000; ++i) {
    accepted += PlatformPostMessageFromSignal(window, WM_USER, static_cast<WPARAM>(i), 0);
  }
  EXPECT_GT(accepted, 0);
  EXPECT_LT(accepted, 1000);
  std::vector<Received> taken = PumpAll();
  ASSERT_EQ(taken.size(), static_cast<size_t>(accepted));
  for (size_t i = 0; i < taken.size(); ++i) {
    EXPECT_EQ(taken[i].WParam, i);
  }
  EXPECT_TRUE(PlatformPostMessageFromSignal(window, WM_USER, 0, 0));  // room again
}

}  // namespace
