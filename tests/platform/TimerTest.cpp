#include "PlatformFixture.h"

namespace {

using TimerTest = PlatformTest;

std::vector<UINT_PTR> timerProcCalls;

void CALLBACK RecordTimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  timerProcCalls.push_back(id);
}

TEST_F(TimerTest, GetMessageWaitsForAWindowTimer) {
  HWND window = MakeWindow();
  ASSERT_EQ(SetTimer(window, 3, 30, nullptr), 3u);
  MSG msg{};
  ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
  EXPECT_EQ(msg.hwnd, window);
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
  EXPECT_EQ(msg.wParam, 3u);
  DispatchMessageA(&msg);
  EXPECT_EQ(Log, (std::vector<Received>{{window, WM_TIMER, 3}}));

  EXPECT_TRUE(KillTimer(window, 3));
  EXPECT_FALSE(KillTimer(window, 3));
  Sleep(40);
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(TimerTest, WaitMessageReturnsWhenAThreadTimerFallsDue) {
  timerProcCalls.clear();
  UINT_PTR id = SetTimer(nullptr, 0, 20, &RecordTimerProc);
  ASSERT_NE(id, 0u);
  WaitMessage();
  MSG msg{};
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
  DispatchMessageA(&msg);  // calls the timer procedure
  EXPECT_EQ(timerProcCalls, std::vector<UINT_PTR>{id});
  KillTimer(nullptr, id);
  DispatchMessageA(&msg);  // the procedure of a killed timer is not called any more
  msg.lParam = 0x1234;     // nor is whatever a forged message carries
  DispatchMessageA(&msg);
  EXPECT_EQ(timerProcCalls.size(), 1u);
}

TEST_F(TimerTest, ATimerOfADestroyedWindowStops) {
  HWND window = MakeWindow();
  SetTimer(window, 1, 10, nullptr);
  DestroyWindow(window);
  Sleep(20);
  MSG msg{};
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(SetTimer(window, 1, 10, nullptr), 0u);
}

}  // namespace
