#include "PlatformFixture.h"

namespace {

using MessageQueueTest = PlatformTest;

constexpr UINT First = WM_USER + 1;
constexpr UINT Second = WM_USER + 2;
constexpr UINT Third = WM_USER + 3;

MSG Take() {
  MSG msg{};
  EXPECT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  return msg;
}

TEST_F(MessageQueueTest, PostedMessagesComeBeforeQuitTimersAndPaints) {
  HWND window = MakeWindow();
  SetTimer(window, 5, 10, nullptr);
  InvalidateRect(window, nullptr, TRUE);
  InvalidateRect(window, nullptr, FALSE);
  PostMessageA(window, WM_COMMAND, 9999, 0);
  PostMessageA(nullptr, First, 1, 0);  // a thread message
  PostMessageA(window, Second, 2, 0);
  Sleep(20);  // the timer is due

  MSG msg{};
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_COMMAND));  // not removed: seen again below
  EXPECT_EQ(Take().message, static_cast<UINT>(WM_COMMAND));
  msg = Take();
  EXPECT_EQ(msg.hwnd, nullptr);
  EXPECT_EQ(msg.message, First);
  EXPECT_EQ(Take().message, Second);
  msg = Take();
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
  EXPECT_EQ(msg.wParam, 5u);
  KillTimer(window, 5);
  msg = Take();
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
  EXPECT_EQ(msg.hwnd, window);
  DispatchMessageA(&msg);
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));  // two invalidations, one paint
}

TEST_F(MessageQueueTest, PaintStaysPendingUntilTheWindowIsPainted) {
  HWND window = MakeWindow();
  HWND other = MakeWindow();
  InvalidateRect(window, nullptr, TRUE);

  MSG msg{};
  EXPECT_FALSE(PeekMessageA(&msg, other, 0, 0, PM_REMOVE));  // another window's paint
  ASSERT_TRUE(PeekMessageA(&msg, window, 0, 0, PM_REMOVE));
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));  // removing does not validate
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
  EXPECT_TRUE(Log.empty());

  UpdateWindow(window);  // paints at once, inside the call
  EXPECT_EQ(Log, (std::vector<Received>{{window, WM_PAINT, 0}}));
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  UpdateWindow(window);  // nothing to paint
  EXPECT_EQ(Log.size(), 1u);
}

TEST_F(MessageQueueTest, InvalidationDuringAPaintAsksForAnotherOne) {
  HWND window = MakeWindow();
  int paints = 0;
  OnMessage = [&](HWND hwnd, UINT message, WPARAM) {
    if (message == WM_PAINT && ++paints == 1) {
      InvalidateRect(hwnd, nullptr, FALSE);
    }
  };
  InvalidateRect(window, nullptr, TRUE);
  EXPECT_EQ(PumpAll().size(), 2u);
  EXPECT_EQ(paints, 2);
}

TEST_F(MessageQueueTest, HandlersMayPostPumpCreateAndDestroyWhileOnTheStack) {
  HWND window = MakeWindow();
  int depth = 0;
  std::vector<std::pair<UINT, int>> delivered;  // message and handler depth
  OnMessage = [&](HWND hwnd, UINT message, WPARAM) {
    delivered.emplace_back(message, depth);
    if (message == First) {
      ++depth;
      PostMessageA(hwnd, Second, 0, 0);
      HWND passing = MakeWindow();
      PostMessageA(passing, Third, 0, 0);
      DestroyWindow(passing);  // its message is dropped
      PumpAll();               // the nested pump delivers Second while First is on the stack
      PostMessageA(hwnd, Third, 0, 0);
      --depth;
    }
  };
  PostMessageA(window, First, 0, 0);
  PumpAll();  // delivers Third, posted by the handler after its nested pump

  EXPECT_EQ(delivered, (std::vector<std::pair<UINT, int>>{{First, 0}, {Second, 1}, {Third, 0}}));
}

TEST_F(MessageQueueTest, MessagesToADestroyedWindowAreDropped) {
  HWND window = MakeWindow();
  HWND child = MakeWindow("", window);
  OnMessage = [](HWND hwnd, UINT message, WPARAM) {
    if (message == First) {
      DestroyWindow(hwnd);  // from its own handler, with more messages queued for it
    }
  };
  PostMessageA(window, First, 0, 0);
  PostMessageA(window, Second, 0, 0);
  PostMessageA(child, Second, 0, 0);
  InvalidateRect(child, nullptr, TRUE);

  EXPECT_EQ(PumpAll(), (std::vector<Received>{{window, First, 0}}));
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(IsWindow(child));  // children go with their parent
  EXPECT_FALSE(PostMessageA(window, First, 0, 0));
  EXPECT_EQ(SendMessageA(window, First, 0, 0), 0);
  MSG late = {window, First, 0, 0, 0, {0, 0}};
  DispatchMessageA(&late);
  EXPECT_EQ(Log.size(), 1u);
}

TEST_F(MessageQueueTest, GetMessageEndsTheLoopWithTheQuitCodeAfterPostedMessages) {
  HWND window = MakeWindow();
  PostQuitMessage(3);
  PostMessageA(window, First, 0, 0);
  MSG msg{};
  EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
  EXPECT_EQ(msg.message, First);
  EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), FALSE);
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 3u);
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageQueueTest, WindowsKeepTheirPropertiesAndRelations) {
  HWND frame = MakeWindow("Main Frame");
  HWND view = MakeWindow("View", frame);
  HWND inner = MakeWindow("Inner", view);

  EXPECT_EQ(FindWindowA("platformtestwindow", nullptr), frame);  // top-level only, any case
  EXPECT_EQ(FindWindowA(nullptr, "View"), nullptr);
  EXPECT_EQ(GetParent(GetParent(inner)), frame);
  EXPECT_EQ(SetParent(frame, inner), nullptr);  // would make a cycle
  EXPECT_EQ(GetParent(frame), nullptr);

  char text[5];
  EXPECT_EQ(GetWindowTextA(frame, text, sizeof text), 4);
  EXPECT_STREQ(text, "Main");
  SetWindowTextA(frame, "Renamed");
  EXPECT_EQ(FindWindowA(nullptr, "RENAMED"), frame);

  SetWindowPos(view, nullptr, 0, 0, 696, 480, SWP_NOMOVE | SWP_NOZORDER);
  RECT client{};
  ASSERT_TRUE(GetClientRect(view, &client));
  EXPECT_EQ(client.right, 696);
  EXPECT_EQ(client.bottom, 480);
  EXPECT_EQ(Log, (std::vector<Received>{{view, WM_SIZE, 0}}));
}

}  // namespace
