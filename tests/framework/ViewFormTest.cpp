#include <gtest/gtest.h>

#include <windows.h>

#include "FakeClient.h"
#include "framework/Rt_formsViews.h"

// The view forms' release with their views, embedding in a frame of the host, and the dialog base.

namespace {

// A client whose answers to FreeFormsAtOnce and GetDialogParent the test chooses.
class TFormsClient : public TFakeClient {
 public:
  HRESULT STDMETHODCALLTYPE FreeFormsAtOnce(bool* freeAtOnce) override {
    *freeAtOnce = AtOnce;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDialogParent(HWND* window) override {
    *window = DialogParent;
    return S_OK;
  }

  bool AtOnce = true;
  HWND DialogParent = nullptr;
};

// A view form that tells when it is freed.
class TProbeForm : public TServerViewForm {
 public:
  explicit TProbeForm(bool& freed) : Freed(freed) {}
  ~TProbeForm() override { Freed = true; }

 private:
  bool& Freed;
};

class TFrame : public TInterfacedObject<IExternalFormFrame> {
 public:
  explicit TFrame(HWND window) : Window(window) {}
  HRESULT STDMETHODCALLTYPE GetFrameWindowHandle(HWND* window) override {
    *window = Window;
    return S_OK;
  }
  HWND Window;
};

class TProbeDialog : public TServerDialog {
 public:
  TCreateParams Params() {
    TCreateParams params;
    CreateParams(params);
    return params;
  }
};

HWND MakeWindow(const char* className) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &DefWindowProcA;
  windowClass.lpszClassName = className;
  RegisterClassA(&windowClass);
  return CreateWindowExA(0, className, "", 0, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
}

TComPtr<TServerDocumentEditorView> MakeView(TServerViewForm& form) {
  return MakeComObject<TServerDocumentEditorView>("Probe", &form, nullptr);
}

// Dispatches every queued message (posted ones included).
void DispatchQueued() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

class ViewFormTest : public testing::Test {
 protected:
  void SetUp() override { DispatchQueued(); }
  void TearDown() override {
    DispatchQueued();
    EXPECT_EQ(PendingFormReleases(), 0u);
  }

  TComPtr<TFormsClient> Client = MakeComObject<TFormsClient>();
  TClientScope Scope{Client.Get()};
};

TEST_F(ViewFormTest, TheViewsEndFreesItsFormAtOnceOrOnTheReleaseMessage) {
  for (const bool atOnce : {true, false}) {
    SCOPED_TRACE(atOnce ? "at once" : "through the message loop");
    Client->AtOnce = atOnce;
    bool freed = false;
    const std::size_t live = LiveViewForms();
    auto& form = CreateViewForm<TProbeForm>(freed);
    form.Show();
    auto view = MakeView(form);
    EXPECT_EQ(form.View(), view.Get());
    view = nullptr;
    EXPECT_EQ(freed, atOnce);
    if (!atOnce) {
      EXPECT_EQ(PendingFormReleases(), 1u);
      EXPECT_FALSE(form.Visible());
    }
    DispatchQueued();
    EXPECT_TRUE(freed);
    EXPECT_EQ(LiveViewForms(), live);
  }
}

TEST_F(ViewFormTest, AFormIsNeverFreedWhileItsOwnHandlerRuns) {
  for (const bool atOnce : {true, false}) {
    SCOPED_TRACE(atOnce ? "at once" : "through the message loop");
    Client->AtOnce = atOnce;
    bool freed = false;
    bool otherFreed = false;
    auto& form = CreateViewForm<TProbeForm>(freed);
    auto& other = CreateViewForm<TProbeForm>(otherFreed);
    auto view = MakeView(form);
    auto otherView = MakeView(other);
    bool freedInHandler = true;
    form.OnCommand = [&](TForm&, TMessage&) {
      view = nullptr;
      // Another form's release queues the release message, which the nested loop (as a
      // placement runs one) dispatches under this handler.
      otherView = nullptr;
      DispatchQueued();
      freedInHandler = freed;
    };
    SendMessageA(form.Handle(), WM_COMMAND, 0, 0);
    EXPECT_FALSE(freedInHandler);
    EXPECT_TRUE(otherFreed);
    EXPECT_FALSE(freed);
    EXPECT_EQ(PendingFormReleases(), 1u);
    DispatchQueued();
    EXPECT_TRUE(freed);
  }
}

TEST_F(ViewFormTest, TheFramesWindowParentsTheShownFormUntilTheFrameIsTakenAway) {
  const HWND frameWindow = MakeWindow("ViewFormTestFrame");
  bool freed = false;
  auto& form = CreateViewForm<TProbeForm>(freed);
  form.SetBounds(10, 20, 320, 240);
  auto view = MakeView(form);
  ASSERT_EQ(view->SetFrame(MakeComObject<TFrame>(frameWindow).Get()), S_OK);
  ASSERT_EQ(view->ShowInFrame(), S_OK);
  EXPECT_EQ(form.ParentWindow(), frameWindow);
  EXPECT_EQ(GetParent(form.GetFormWindow()), frameWindow);
  EXPECT_TRUE(IsWindowVisible(form.GetFormWindow()));
  EXPECT_EQ(form.Left(), 10);
  EXPECT_EQ(form.Top(), 20);
  EXPECT_EQ(form.ClientWidth(), 320);
  EXPECT_EQ(form.ClientHeight(), 240);
  HWND viewWindow = nullptr;
  ASSERT_EQ(view->GetWindowHandle(&viewWindow), S_OK);
  EXPECT_EQ(viewWindow, form.GetFormWindow());

  ASSERT_EQ(view->SetFrame(nullptr), S_OK);
  EXPECT_EQ(form.ParentWindow(), nullptr);
  EXPECT_FALSE(form.HandleAllocated());
  EXPECT_FALSE(form.Visible());
  EXPECT_FALSE(freed);  // the frame goes, the form stays with its view
  view = nullptr;
  EXPECT_TRUE(freed);
  DestroyWindow(frameWindow);
}

TEST_F(ViewFormTest, ADialogBelongsToTheClientsDialogParent) {
  TProbeDialog dialog;
  Client->DialogParent = MakeWindow("ViewFormTestDialogParent");
  const TCreateParams params = dialog.Params();
  EXPECT_EQ(params.WndParent, Client->DialogParent);
  EXPECT_EQ(params.ExStyle & 0x400u, 0x400u);  // the caption's help button
  EXPECT_EQ(GetParent(dialog.Handle()), Client->DialogParent);
  dialog.DestroyHandle();

  SetClient(nullptr);  // no host: no parent
  EXPECT_EQ(dialog.Params().WndParent, nullptr);
  SetClient(Client.Get());
  DestroyWindow(Client->DialogParent);
}

}  // namespace
