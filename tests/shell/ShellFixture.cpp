#include "ShellFixture.h"

#include <unistd.h>

#include <chrono>

#include "shell/PlacerInterfaces.h"

namespace {

std::function<void()> ActionInRun;

LRESULT CALLBACK ActionWindowProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_USER && ActionInRun) {
    ActionInRun();
    return 0;
  }
  return DefWindowProcA(window, msg, wParam, lParam);
}

HWND ActionWindow() {
  static const HWND window = [] {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &ActionWindowProcedure;
    windowClass.lpszClassName = "ShellTestActionWindow";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, "ShellTestActionWindow", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                           nullptr);
  }();
  return window;
}

}  // namespace

void PostIntoRun(std::function<void()> action) {
  ActionInRun = std::move(action);
  PostMessageA(ActionWindow(), WM_USER, 0, 0);
}

void TShellFixture::SetUp() {
  const auto* test = testing::UnitTest::GetInstance()->current_test_info();
  Folder =
      std::filesystem::temp_directory_path() / ("shell_tests_" + std::to_string(::getpid()) + "_" +
                                                test->test_suite_name() + "_" + test->name());
  std::filesystem::create_directories(Folder);
  Client = MakeComObject<TTestClient>();
  SetExportedClient(Client.Get());
  PreviousBox =
      PlatformSetMessageBoxHandler([this](HWND, const char* text, const char* caption, UINT) {
        Boxes.push_back({caption != nullptr ? caption : "", text != nullptr ? text : ""});
        return IDOK;
      });
  PreviousModal = PlatformSetModalHandler([this](HWND) {
    ++DialogsShown;
    return IDCANCEL;
  });
  ASSERT_EQ(LoadedServerFactory()(Client.Get(), Client->Module.Put()), S_OK);
}

void TShellFixture::TearDown() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
  }
  ActionInRun = nullptr;
  Client->Documents.clear();
  Client->Module = nullptr;
  for (uint32_t board = Editor().GetCurrentBoardHandle(); board != 0;
       board = Editor().GetCurrentBoardHandle()) {
    Editor().CloseBoard(board);
  }
  SetExportedClient(nullptr);
  PlatformSetMessageBoxHandler(PreviousBox);
  PlatformSetModalHandler(PreviousModal);
  std::filesystem::remove_all(Folder);
}

HRESULT TShellFixture::Launch(const char* command, const char* parameters, IUnknown* context) {
  const auto launcher = Client->CommandLauncher();
  EXPECT_TRUE(launcher);
  return launcher->LaunchCommand(Wide(command).c_str(), parameters, 0, context);
}

TComPtr<TPcbDocument> TShellFixture::OpenBoard(const std::string& fileName) {
  std::string message;
  auto document = Client->OpenPcb(fileName, message);
  EXPECT_TRUE(document) << fileName << ": " << message;
  return document;
}

TComPtr<TPcbDocument> TShellFixture::OpenBoardCopy(const std::string& source,
                                                   const std::string& name) {
  const std::string copy = (Folder / name).string();
  std::filesystem::copy_file(source, copy);
  return OpenBoard(copy);
}

TComPtr<IServerDocument> TShellFixture::PlacerDocument(const std::string& pcbName) {
  const auto found = Client->Documents.find((Folder / (pcbName + ".PLC")).string());
  return found != Client->Documents.end() ? found->second : nullptr;
}

TAutoPlacer* TShellFixture::Engine(const TComPtr<IServerDocument>& document) {
  TAutoPlacer* engine = nullptr;
  document.As<IPlacerDocument>()->GetAutoPlacer(&engine);
  return engine;
}

bool TShellFixture::PumpUntil(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  MSG message;
  while (!done() && std::chrono::steady_clock::now() < deadline) {
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  return done();
}
