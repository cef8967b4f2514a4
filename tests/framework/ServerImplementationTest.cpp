#include <gtest/gtest.h>
#include <platform_host.h>

#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

#include "FakeClient.h"
#include "framework/RT_ServerImplementation.h"
#include "framework/TextHelpers.h"

namespace {

// ----------------------------------------------------------------------------------------------
// Fakes

struct TRegistration {
  IServerDocument* Document;
  int32_t Category;
  int32_t Flags;
};

class TRecordingRegistry : public TInterfacedObject<IDocumentRegistry> {
 public:
  HRESULT STDMETHODCALLTYPE RegisterDocument(IServerDocument* document, int32_t category,
                                             int32_t flags, int32_t* registrationId) override {
    Registered.push_back({document, category, flags});
    *registrationId = NextId++;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE UnregisterDocument(int32_t registrationId) override {
    Unregistered.push_back(registrationId);
    return S_OK;
  }

  int32_t NextId = 41;
  std::vector<TRegistration> Registered;
  std::vector<int32_t> Unregistered;
};

struct TNotification {
  int32_t Code;
  IServerDocument* Document;
  std::wstring Text;
  bool operator==(const TNotification&) const = default;
};

// A client with a document registry, a main window, a current view, and a record of the
// notifications broadcast, answered with NotificationStatus.
class TServerTestClient : public TFakeClient {
 public:
  HRESULT STDMETHODCALLTYPE GetDocumentRegistry(IDocumentRegistry** registry) override {
    *registry = TComPtr<IDocumentRegistry>(Registry.Get()).Detach();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE BroadcastNotification(int32_t code, IServerDocument* document,
                                                  const wchar_t* text) override {
    Notifications.push_back({code, document, text == nullptr ? L"<none>" : text});
    return NotificationStatus;
  }
  HRESULT STDMETHODCALLTYPE GetMainWindowHandle(HWND* window) override {
    *window = MainWindow;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetCurrentView(IServerDocumentView** view) override {
    *view = TComPtr<IServerDocumentView>(CurrentView).Detach();
    return S_OK;
  }

  TComPtr<TRecordingRegistry> Registry = MakeComObject<TRecordingRegistry>();
  std::vector<TNotification> Notifications;
  HRESULT NotificationStatus = S_OK;
  HWND MainWindow = reinterpret_cast<HWND>(0x5150);
  TComPtr<IServerDocumentView> CurrentView;
};

// A form with a window handle of its own choosing that records its view.
class TFakeForm : public TEmbeddedForm {
 public:
  HWND GetFormWindow() const override { return Window; }
  void ShowInParent(HWND parent) override { Parent = parent; }
  void Hide() override {}
  void ReleaseFromFrame() override { Parent = nullptr; }
  void SetView(TServerDocumentEditorView* view) override { View = view; }

  HWND Window = reinterpret_cast<HWND>(0x77);
  HWND Parent = nullptr;
  TServerDocumentEditorView* View = nullptr;
};

class TTestDocument : public TServerDocument {
 public:
  TTestDocument(TServerModule* module, std::string fileName, std::string kind, TFakeForm* form,
                bool failInCreateViews)
      : TServerDocument(module, std::move(fileName), std::move(kind)),
        Form(form),
        FailInCreateViews(failInCreateViews) {}

  using TServerDocument::DoSetFileName;
  using TServerDocument::DoSetModified;

  int32_t RegistrationIdSeenByCreateViews = NotRegistered;

 protected:
  void CreateViews() override {
    RegistrationIdSeenByCreateViews = RegistrationId;
    if (FailInCreateViews) {
      throw std::runtime_error("no views today");
    }
    const auto view = MakeComObject<TServerDocumentEditorView>("TestView", Form, this);
    CheckStatus(AddView(view.Get()));
  }

 private:
  TFakeForm* Form;
  bool FailInCreateViews;
};

class TTestModule : public TServerModule {
 public:
  TTestModule(IClient* client, TFakeForm& form, std::vector<std::string>& log)
      : TServerModule("PLACER", client), Form(form), Log(log) {}

  TFakeForm& Form;  // the form of every document's view
  bool FailInCreateViews = false;

 protected:
  TComPtr<TServerDocument> CreateDocument(const std::string& kind,
                                          const std::string& fileName) override {
    return CreateServerDocument<TTestDocument>(this, fileName, kind, &Form, FailInCreateViews);
  }

  void RegisterCommands() override {
    Log.push_back("RegisterCommands sees client " +
                  std::string(::GetClient() == ModuleClient() ? "set" : "unset"));
    Launcher->AddCommand("RunAutoplacer", [this](IUnknown*, const char* parameters) {
      Log.push_back(std::string("RunAutoplacer ") + parameters);
    });
    Launcher->AddCommand("StopAutoplacer",
                         [this](IUnknown*, const char*) { Log.push_back("StopAutoplacer"); });
    Launcher->AddCommand("Fail", [](IUnknown*, const char*) -> void {
      throw std::runtime_error("the handler failed");
    });
  }

 private:
  std::vector<std::string>& Log;
};

// A view of another server that records its after-command calls.
class TForeignView : public TInterfacedObject<IServerDocumentView> {
 public:
  HRESULT STDMETHODCALLTYPE GetViewName(std::wstring* name) override {
    *name = L"Foreign";
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE AfterCommand() override {
    ++AfterCommands;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetOwnerDocument(IServerDocument** document) override {
    *document = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetWindowHandle(HWND* window) override {
    *window = nullptr;
    return S_OK;
  }

  int AfterCommands = 0;
};

// ----------------------------------------------------------------------------------------------

class ServerFramework : public testing::Test {
 protected:
  ~ServerFramework() override {
    Module = nullptr;
    SetClient(nullptr);
  }

  // The module as the host sees it.
  IServerModule* AsHost() { return Module.Get(); }

  void CreateModule() { Module = CreateServerModule<TTestModule>(Client.Get(), Form, Log); }

  TComPtr<TTestDocument> OpenDocument(const wchar_t* fileName = L"C:\\Boards\\Board1.PLC") {
    TComPtr<IServerDocument> document;
    EXPECT_EQ(AsHost()->CreateDocument(L"Placer", fileName, document.Put()), S_OK);
    return TComPtr<TTestDocument>(dynamic_cast<TTestDocument*>(document.Get()));
  }

  HRESULT Launch(const wchar_t* command, const char* parameters = "") {
    return Module->CommandLauncher().LaunchCommand(command, parameters, 0, nullptr);
  }

  std::vector<TStatusCall>& StatusCalls() { return Client->StatusBar->Calls; }

  TFakeForm Form;  // outlives the views (the client's current view too), which do not own it
  TComPtr<TServerTestClient> Client = MakeComObject<TServerTestClient>();
  std::vector<std::string> Log;
  TComPtr<TTestModule> Module;
};

const std::vector<TStatusCall> PanelsCleared{{1, L""}, {2, L""}, {3, L""}};

TEST_F(ServerFramework, ModuleSetupAndTeardownOwnTheProcessWideState) {
  CreateModule();
  EXPECT_EQ(GetClient(), TComPtr<IClient>(Client.Get()));
  EXPECT_EQ(GetServerModule(), Module.Get());
  EXPECT_EQ(GetApplicationWindow(), Client->MainWindow);
  EXPECT_EQ(Log, (std::vector<std::string>{"RegisterCommands sees client set"}));
  EXPECT_EQ(Module->CommandLauncher().GetModuleName(), "PLACER");
  EXPECT_EQ(Module->CommandLauncher().CommandCount(), 3u);
  std::wstring name;
  EXPECT_EQ(Module->GetModuleName(&name), S_OK);
  EXPECT_EQ(name, L"PLACER");
  int32_t settings = -1;
  EXPECT_EQ(Module->GetSettingCount(&settings), S_OK);
  EXPECT_EQ(settings, 0);

  Module = nullptr;
  EXPECT_FALSE(GetClient());
  EXPECT_EQ(GetServerModule(), nullptr);
  EXPECT_EQ(GetApplicationWindow(), nullptr);
}

TEST_F(ServerFramework, AnEarlierModuleGoingLeavesTheCurrentOneInPlace) {
  CreateModule();
  TComPtr<TTestModule> first = Module;
  CreateModule();
  first = nullptr;
  EXPECT_EQ(GetServerModule(), Module.Get());
  EXPECT_TRUE(GetClient());
}

TEST_F(ServerFramework, CommandsAreFoundByNameWithoutRegardToCase) {
  CreateModule();
  EXPECT_EQ(Launch(L"RunAutoplacer", "Batch=True"), S_OK);
  EXPECT_EQ(Launch(L"runautoPLACER"), S_OK);
  EXPECT_EQ(Launch(L"STOPAUTOPLACER"), S_OK);
  EXPECT_EQ(Module->CommandLauncher().LaunchCommand(L"StopAutoplacer", nullptr, 0, nullptr), S_OK);
  EXPECT_EQ(
      Log, (std::vector<std::string>{"RegisterCommands sees client set", "RunAutoplacer Batch=True",
                                     "RunAutoplacer ", "StopAutoplacer", "StopAutoplacer"}));
}

TEST_F(ServerFramework, AnUnknownCommandDoesNothingAtAll) {
  CreateModule();
  Log.clear();
  for (const wchar_t* name :
       std::initializer_list<const wchar_t*>{L"RunAutoplace", L"RunAutoplacer ", L"", nullptr}) {
    EXPECT_EQ(Launch(name), S_OK);
  }
  EXPECT_TRUE(Log.empty());
  EXPECT_TRUE(StatusCalls().empty());  // no after-command step either
}

TEST_F(ServerFramework, ASecondRegistrationOfANameIsIgnored) {
  CreateModule();
  Log.clear();
  EXPECT_FALSE(Module->CommandLauncher().AddCommand(
      "runAutoplacer", [this](IUnknown*, const char*) { Log.push_back("second"); }));
  EXPECT_TRUE(Module->CommandLauncher().AddCommand("Another", nullptr));
  EXPECT_EQ(Launch(L"RunAutoplacer"), S_OK);
  EXPECT_EQ(Launch(L"Another"), S_OK);  // a command without handler still ends normally
  EXPECT_EQ(Log, (std::vector<std::string>{"RunAutoplacer "}));
}

TEST_F(ServerFramework, WithoutCurrentViewTheLauncherClearsPanelsOneToThree) {
  CreateModule();
  EXPECT_EQ(Launch(L"StopAutoplacer"), S_OK);
  EXPECT_EQ(StatusCalls(), PanelsCleared);
}

TEST_F(ServerFramework, WithACurrentViewItsAfterCommandRuns) {
  CreateModule();
  const auto foreignView = MakeComObject<TForeignView>();
  Client->CurrentView = foreignView.Get();
  EXPECT_EQ(Launch(L"StopAutoplacer"), S_OK);
  EXPECT_EQ(foreignView->AfterCommands, 1);
  EXPECT_TRUE(StatusCalls().empty());

  // The framework's editor view clears the panels as its own after-command step.
  const TComPtr<TTestDocument> document = OpenDocument();
  Client->CurrentView = document->DocumentViews().at(0);
  EXPECT_EQ(Launch(L"StopAutoplacer"), S_OK);
  EXPECT_EQ(StatusCalls(), PanelsCleared);
}

TEST_F(ServerFramework, AFailingHandlerBecomesUnexpectedAndSkipsTheAfterCommandStep) {
  CreateModule();
  EXPECT_EQ(Launch(L"Fail"), E_UNEXPECTED);
  EXPECT_TRUE(StatusCalls().empty());
}

TEST_F(ServerFramework, CommandStateStartsFromItsDefaults) {
  CreateModule();
  Module->CommandLauncher().AddCommand("Checked", nullptr,
                                       [](TCommandState& state) { state.Checked = -1; });
  TCommandState state{5, 5, 5, 5};
  for (const wchar_t* name : {L"RunAutoplacer", L"NoSuchCommand"}) {
    EXPECT_EQ(Module->CommandLauncher().GetCommandState(name, &state), S_OK);
    EXPECT_EQ(state.Enabled, -1);
    EXPECT_EQ(state.Checked, 0);
    EXPECT_EQ(state.Visible, -1);
    EXPECT_EQ(state.ImageIndex, 0);
  }
  EXPECT_EQ(Module->CommandLauncher().GetCommandState(L"checked", &state), S_OK);
  EXPECT_EQ(state.Checked, -1);
  EXPECT_EQ(state.Enabled, -1);
}

TEST_F(ServerFramework, ProcessControlCountsAndWraps) {
  CreateModule();
  TComPtr<IProcessControl> control;
  EXPECT_EQ(Module->GetProcessControl(control.Put()), S_OK);
  int32_t count = -1;
  control->GetProcessCount(&count);
  EXPECT_EQ(count, 0);
  control->IncrementProcessCount();
  control->IncrementProcessCount();
  control->DecrementProcessCount();
  EXPECT_EQ(Module->ProcessCounter().Count(), 1);
  control->SetProcessCount(INT32_MAX);
  control->IncrementProcessCount();
  EXPECT_EQ(Module->ProcessCounter().Count(), INT32_MIN);
  control->DecrementProcessCount();
  EXPECT_EQ(Module->ProcessCounter().Count(), INT32_MAX);
}

TEST_F(ServerFramework, CreatedDocumentsAreRegisteredWithTheirViewsAndAppended) {
  CreateModule();
  const TComPtr<TTestDocument> first = OpenDocument();
  const TComPtr<TTestDocument> second = OpenDocument(L"Other.PLC");
  ASSERT_TRUE(first && second);

  ASSERT_EQ(Client->Registry->Registered.size(), 2u);
  const TRegistration& registration = Client->Registry->Registered[0];
  EXPECT_EQ(registration.Document, static_cast<IServerDocument*>(first.Get()));
  EXPECT_EQ(registration.Category, 10000);
  EXPECT_EQ(registration.Flags, 1);
  EXPECT_EQ(first->GetRegistrationId(), 41);
  EXPECT_EQ(first->RegistrationIdSeenByCreateViews, 41);  // the views come after registering

  int32_t count = 0;
  EXPECT_EQ(Module->GetDocumentCount(&count), S_OK);
  EXPECT_EQ(count, 2);
  TComPtr<IServerDocument> atIndex;
  EXPECT_EQ(Module->GetDocument(1, atIndex.Put()), S_OK);
  EXPECT_EQ(atIndex, TComPtr<IServerDocument>(second.Get()));
  EXPECT_EQ(Module->GetDocument(2, atIndex.Put()), E_INVALIDARG);
  EXPECT_FALSE(atIndex);

  std::wstring fileName, kind;
  first->GetFileName(&fileName);
  first->GetKind(&kind);
  EXPECT_EQ(fileName, L"C:\\Boards\\Board1.PLC");
  EXPECT_EQ(kind, L"Placer");
  bool modified = true;
  first->GetModified(&modified);
  EXPECT_FALSE(modified);
  TComPtr<IServerModule> owner;
  first->GetOwnerModule(owner.Put());
  EXPECT_EQ(owner, TComPtr<IServerModule>(Module.Get()));
  EXPECT_EQ(first->LoadFromFile(), S_OK);
  EXPECT_EQ(first->SaveToFile(L"elsewhere.PLC"), S_OK);
}

TEST_F(ServerFramework, DocumentsUnregisterWhenTheyGo) {
  CreateModule();
  TComPtr<TTestDocument> kept = OpenDocument();
  OpenDocument(L"Second.PLC");
  Module = nullptr;  // frees the second document, which only the module held
  EXPECT_EQ(Client->Registry->Unregistered, (std::vector<int32_t>{42}));

  TComPtr<IServerModule> owner;
  EXPECT_EQ(kept->GetOwnerModule(owner.Put()), S_OK);
  EXPECT_FALSE(owner);  // the module is gone
  kept = nullptr;
  EXPECT_EQ(Client->Registry->Unregistered, (std::vector<int32_t>{42, 41}));
}

TEST_F(ServerFramework, AFailedDocumentSetupIsUnregisteredAndNotAppended) {
  CreateModule();
  Module->FailInCreateViews = true;
  TComPtr<IServerDocument> document;
  EXPECT_EQ(AsHost()->CreateDocument(L"Placer", L"Bad.PLC", document.Put()), E_UNEXPECTED);
  EXPECT_FALSE(document);
  EXPECT_TRUE(Module->ModuleDocuments().empty());
  EXPECT_EQ(Client->Registry->Unregistered, (std::vector<int32_t>{41}));
}

TEST_F(ServerFramework, SetModifiedNotifiesOnlyOnChange) {
  CreateModule();
  const TComPtr<TTestDocument> document = OpenDocument();
  IServerDocument* asHost = document.Get();
  for (const bool value : {false, true, true, false}) {
    EXPECT_EQ(document->SetModified(value), S_OK);
  }
  const TNotification modifiedChanged{11, asHost, L"<none>"};
  EXPECT_EQ(Client->Notifications, (std::vector<TNotification>{modifiedChanged, modifiedChanged}));
  EXPECT_FALSE(document->IsModified());
}

TEST_F(ServerFramework, AFailedNotificationBecomesUnexpected) {
  CreateModule();
  const TComPtr<TTestDocument> document = OpenDocument();
  Client->NotificationStatus = E_FAIL;
  EXPECT_EQ(document->SetModified(true), E_UNEXPECTED);
  EXPECT_EQ(document->SetFileName(L"New.PLC"), E_UNEXPECTED);
}

TEST_F(ServerFramework, SetFileNameAnnouncesTheOldNameExceptForTemporaryFiles) {
  struct TCase {
    const wchar_t* OldName;
    const wchar_t* NewName;
    bool Announced;
  };
  const TCase cases[] = {
      {L"C:\\Boards\\A.PLC", L"C:\\Boards\\B.PLC", true},
      {L"A.PLC", L"A.PLC", true},
      {L"A.$$$", L"A.PLC", false},
      {L"A.PLC", L"C:\\Temp\\A.$$$", false},
      {L"C:\\Temp.$$$\\A", L"A.PLC", true},  // the dot belongs to a folder, not the file
      {L"A.$$$.PLC", L"A.PLC", true},
  };
  CreateModule();
  for (const TCase& c : cases) {
    const TComPtr<TTestDocument> document = OpenDocument(c.OldName);
    Client->Notifications.clear();
    EXPECT_EQ(document->SetFileName(c.NewName), S_OK);
    std::wstring fileName;
    document->GetFileName(&fileName);
    EXPECT_EQ(fileName, c.NewName);
    const std::vector<TNotification> expected =
        c.Announced ? std::vector<TNotification>{{4, document.Get(), c.OldName}}
                    : std::vector<TNotification>{};
    EXPECT_EQ(Client->Notifications, expected) << "from " << NarrowText(c.OldName);
  }
}

TEST_F(ServerFramework, TheEditorViewKnowsItsDocumentAndForm) {
  CreateModule();
  TComPtr<TTestDocument> document = OpenDocument();
  int32_t viewCount = 0;
  document->GetViewCount(&viewCount);
  ASSERT_EQ(viewCount, 1);
  TComPtr<IServerDocumentView> view;
  EXPECT_EQ(document->GetView(0, view.Put()), S_OK);
  EXPECT_EQ(document->GetView(1, view.Put()), E_INVALIDARG);
  document->GetView(0, view.Put());

  std::wstring name;
  view->GetViewName(&name);
  EXPECT_EQ(name, L"TestView");
  EXPECT_EQ(view.As<IServerView>(), TComPtr<IServerView>(view.Get()));
  EXPECT_TRUE(view.As<IServerViewHelp>());
  EXPECT_TRUE(view.As<IExternalForm>());

  TComPtr<IServerDocument> owner;
  view->GetOwnerDocument(owner.Put());
  EXPECT_EQ(owner, TComPtr<IServerDocument>(document.Get()));
  HWND window = nullptr;
  EXPECT_EQ(view->GetWindowHandle(&window), S_OK);
  EXPECT_EQ(window, Form.Window);
  EXPECT_EQ(static_cast<IServerDocumentView*>(Form.View), view.Get());

  // A view that the host keeps longer than its document answers without one.
  Module = nullptr;
  document = nullptr;
  EXPECT_EQ(view->GetOwnerDocument(owner.Put()), S_OK);
  EXPECT_FALSE(owner);
  view = nullptr;
}

TEST(ServerView, WithoutFormHasNoWindowAndTheFrameOnlyKeepsItself) {
  const auto view = MakeComObject<TServerDocumentEditorView>("Bare", nullptr, nullptr);
  HWND window = reinterpret_cast<HWND>(1);
  EXPECT_EQ(view->GetWindowHandle(&window), S_OK);
  EXPECT_EQ(window, nullptr);
  EXPECT_EQ(view->ShowInFrame(), S_OK);
  EXPECT_EQ(view->HideForm(), S_OK);
}

TEST(ServerView, TheLinkToTheFormEndsWithTheView) {
  TFakeForm form;
  {
    const auto view = MakeComObject<TServerDocumentEditorView>("Linked", &form, nullptr);
    EXPECT_EQ(form.View, view.Get());
  }
  EXPECT_EQ(form.View, nullptr);

  // A form that goes first detaches itself; the view then has no window and leaves it alone.
  auto view = MakeComObject<TServerDocumentEditorView>("Linked", &form, nullptr);
  view->DetachForm();
  form.View = nullptr;
  HWND window = reinterpret_cast<HWND>(1);
  EXPECT_EQ(view->GetWindowHandle(&window), S_OK);
  EXPECT_EQ(window, nullptr);
  form.View = reinterpret_cast<TServerDocumentEditorView*>(&form);  // must stay untouched
  view = nullptr;
  EXPECT_EQ(form.View, reinterpret_cast<TServerDocumentEditorView*>(&form));
}

class TFakeFrame : public TInterfacedObject<IExternalFormFrame> {
 public:
  HRESULT STDMETHODCALLTYPE GetFrameWindowHandle(HWND* window) override {
    *window = reinterpret_cast<HWND>(0x99);
    return S_OK;
  }
};

TEST(ServerView, ShowsItsFormInTheHostsFrameUntilTheFrameIsCleared) {
  TFakeForm form;
  const auto view = MakeComObject<TServerDocumentEditorView>("Framed", &form, nullptr);
  EXPECT_EQ(view->ShowInFrame(), S_OK);  // no frame yet
  EXPECT_EQ(form.Parent, nullptr);
  EXPECT_EQ(view->SetFrame(MakeComObject<TFakeFrame>().Get()), S_OK);
  EXPECT_EQ(view->ShowInFrame(), S_OK);
  EXPECT_EQ(form.Parent, reinterpret_cast<HWND>(0x99));
  EXPECT_EQ(view->SetFrame(nullptr), S_OK);
  EXPECT_EQ(form.Parent, nullptr);
  EXPECT_FALSE(view->GetFrame());
}

TEST_F(ServerFramework, IdlePostsToTheApplicationWindowWhenAMessageWaits) {
  PlatformResetForTests();
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &DefWindowProcA;
  windowClass.lpszClassName = "HostMainWindow";
  ASSERT_NE(RegisterClassA(&windowClass), 0);
  Client->MainWindow =
      CreateWindowExA(0, "HostMainWindow", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  CreateModule();
  int idleRuns = 0;
  SetApplicationIdleHandler([&] { ++idleRuns; });

  MSG msg;
  EXPECT_EQ(Module->Idle(), S_OK);  // nothing waits: no post
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
  PostMessageA(nullptr, WM_USER + 7, 0, 0);
  EXPECT_EQ(Module->Idle(), S_OK);
  std::vector<UINT> queued;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    EXPECT_EQ(msg.hwnd, msg.message == WM_USER ? Client->MainWindow : nullptr);
    queued.push_back(msg.message);
  }
  EXPECT_EQ(queued, (std::vector<UINT>{WM_USER + 7, WM_USER}));
  EXPECT_EQ(idleRuns, 2);

  SetApplicationIdleHandler(nullptr);
  PlatformResetForTests();
}

}  // namespace
