#include <string>

#include "PlatformFixture.h"

namespace {

using DialogTest = PlatformTest;

TEST_F(DialogTest, MessageBoxesGoThroughTheInstalledHandler) {
  std::string seen;
  PlatformSetMessageBoxHandler([&](HWND, const char* text, const char* caption, UINT type) {
    seen = std::string(caption) + "|" + text + "|" + std::to_string(type);
    return IDCANCEL;
  });
  EXPECT_EQ(
      MessageBoxA(nullptr, "Auto-Place is Finished", "Information", MB_OK | MB_ICONINFORMATION),
      IDCANCEL);
  EXPECT_EQ(seen, "Information|Auto-Place is Finished|64");

  PlatformSetMessageBoxHandler(nullptr);  // back to the default
  testing::internal::CaptureStderr();
  EXPECT_EQ(MessageBoxA(nullptr, "Bad board", nullptr, MB_OK | MB_ICONERROR), IDOK);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: Bad board\n");
}

TEST_F(DialogTest, TheDefaultModalLoopRunsUntilTheFormHasAResult) {
  HWND form = MakeWindow();
  PlatformSetModalResult(form, IDCANCEL);  // a result from an earlier showing is cleared
  OnMessage = [](HWND hwnd, UINT message, WPARAM wParam) {
    if (message == WM_COMMAND) {
      PlatformSetModalResult(hwnd, static_cast<int>(wParam));
    }
  };
  PostMessageA(form, WM_USER, 0, 0);
  PostMessageA(form, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(PlatformRunModal(form), IDOK);
  EXPECT_EQ(Log.size(), 2u);
}

TEST_F(DialogTest, AModalLoopEndsOnQuitAndOnTheFormsDestruction) {
  HWND form = MakeWindow();
  PostQuitMessage(4);
  EXPECT_EQ(PlatformRunModal(form), IDCANCEL);
  MSG msg{};
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));  // passed on to the outer loop
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 4u);

  PostMessageA(form, WM_CLOSE, 0, 0);  // the default procedure destroys the window
  EXPECT_EQ(PlatformRunModal(form), IDCANCEL);
}

TEST_F(DialogTest, AnInstalledModalHandlerAnswersInsteadOfTheLoop) {
  HWND form = MakeWindow();
  PlatformSetModalHandler([](HWND hwnd) {
    PlatformSetModalResult(hwnd, IDOK);
    return PlatformRunModalLoop(hwnd);  // ends at once: the result is set
  });
  EXPECT_EQ(PlatformRunModal(form), IDOK);
}

}  // namespace
