#pragma once

#include <gtest/gtest.h>
#include <platform_host.h>
#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "ui/Forms.h"

// A clean platform for every test, and a message loop that runs until a condition holds.
class UiTest : public ::testing::Test {
 protected:
  void SetUp() override { PlatformResetForTests(); }
  void TearDown() override { PlatformResetForTests(); }

  // Dispatches messages until `done` holds or two seconds have passed; returns `done`.
  static bool PumpUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    MSG msg{};
    while (!done() && std::chrono::steady_clock::now() < deadline) {
      if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      } else {
        Sleep(1);
      }
    }
    return done();
  }

  // Dispatches what is waiting now.
  static void PumpWaiting() {
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }

  // The primitives of the window's last drawing of one kind.
  static std::vector<PlatformPrimitive> PrimitivesOf(HWND window, PlatformPrimitiveKind kind) {
    std::vector<PlatformPrimitive> found;
    if (std::optional<PlatformDrawing> drawing = PlatformGetDrawing(window)) {
      for (const PlatformPrimitive& primitive : drawing->Primitives) {
        if (primitive.Kind == kind) {
          found.push_back(primitive);
        }
      }
    }
    return found;
  }
};

inline bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
