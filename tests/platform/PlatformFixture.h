#pragma once

#include <gtest/gtest.h>
#include <platform_host.h>
#include <windows.h>

#include <functional>
#include <vector>

// Windows of one test class whose procedure logs what reaches it and lets a test react.
class PlatformTest : public ::testing::Test {
 protected:
  struct Received {
    HWND Window;
    UINT Message;
    WPARAM WParam;

    bool operator==(const Received&) const = default;
  };

  void SetUp() override {
    PlatformResetForTests();
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &Procedure;
    windowClass.lpszClassName = "PlatformTestWindow";
    ASSERT_NE(RegisterClassA(&windowClass), 0);
  }
  void TearDown() override { PlatformResetForTests(); }

  HWND MakeWindow(const char* title = "", HWND parent = nullptr) {
    HWND hwnd = CreateWindowExA(0, "PlatformTestWindow", title, 0, 0, 0, 100, 80, parent, nullptr,
                                nullptr, this);
    EXPECT_NE(hwnd, nullptr);
    return hwnd;
  }

  // Removes and dispatches everything that is waiting; returns what was taken.
  std::vector<Received> PumpAll() {
    std::vector<Received> taken;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      taken.push_back({msg.hwnd, msg.message, msg.wParam});
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    return taken;
  }

  // What reached the procedures, without creation and destruction.
  std::vector<Received> Log;
  std::function<void(HWND, UINT, WPARAM)> OnMessage;

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* test = reinterpret_cast<PlatformTest*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    bool lifecycle = message == WM_NCCREATE || message == WM_CREATE || message == WM_DESTROY ||
                     message == WM_NCDESTROY;
    if (test != nullptr && !lifecycle) {
      test->Log.push_back({hwnd, message, wParam});
      if (test->OnMessage) {
        test->OnMessage(hwnd, message, wParam);
      }
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
};
