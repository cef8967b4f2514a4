#include <gtest/gtest.h>

#include <stdexcept>

#include "framework/RT_ClientServerInterface.h"

namespace {

// A document view that reports its destruction.
class TTestView : public TInterfacedObject<IServerDocumentView, IServerViewHelp> {
 public:
  explicit TTestView(bool& destroyed) : Destroyed(destroyed) {}
  ~TTestView() override { Destroyed = true; }

  HRESULT STDMETHODCALLTYPE GetViewName(std::wstring* name) override {
    *name = L"TestView";
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE AfterCommand() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetOwnerDocument(IServerDocument** document) override {
    *document = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetWindowHandle(HWND* window) override {
    *window = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetHelpContext(int32_t* helpContext) override {
    *helpContext = 7;
    return S_OK;
  }

 private:
  bool& Destroyed;
};

class TTestViewWithFrame : public TInterfacedExtension<TTestView, IExternalFormFrame> {
 public:
  using TInterfacedExtension::TInterfacedExtension;
  HRESULT STDMETHODCALLTYPE GetFrameWindowHandle(HWND* window) override {
    *window = nullptr;
    return S_OK;
  }
};

TEST(ComObjects, TheLastReferenceFreesTheObject) {
  bool destroyed = false;
  {
    TComPtr<TTestView> view = MakeComObject<TTestView>(destroyed);
    EXPECT_EQ(view->GetReferenceCount(), 1u);
    TComPtr<IServerDocumentView> copy = view;
    TComPtr<IServerView> base = view;
    EXPECT_EQ(view->GetReferenceCount(), 3u);
    TComPtr<IServerView> moved = std::move(base);
    EXPECT_FALSE(base);
    EXPECT_EQ(view->GetReferenceCount(), 3u);
    copy = nullptr;
    moved.Reset();
    EXPECT_EQ(view->GetReferenceCount(), 1u);
  }
  EXPECT_TRUE(destroyed);
}

TEST(ComObjects, QueryAnswersListedInterfacesTheirBasesAndIUnknownOnly) {
  bool destroyed = false;
  {
    TComPtr<TTestView> view = MakeComObject<TTestView>(destroyed);
    TComPtr<IServerView> asView = view.As<IServerView>();  // base of a listed interface
    ASSERT_TRUE(asView);
    std::wstring name;
    EXPECT_EQ(asView->GetViewName(&name), S_OK);
    EXPECT_EQ(name, L"TestView");

    TComPtr<IServerViewHelp> help = QueryInterfaceAs<IServerViewHelp>(asView.Get());
    ASSERT_TRUE(help);
    int32_t context = 0;
    help->GetHelpContext(&context);
    EXPECT_EQ(context, 7);

    // One IUnknown identity, whichever interface it is asked through.
    EXPECT_EQ(help.As<IUnknown>(), asView.As<IUnknown>());

    void* none = &context;
    EXPECT_EQ(view->QueryInterface(IClient::Iid, &none), E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);
    EXPECT_FALSE(view.As<IServerDocument>());
    EXPECT_EQ(view->QueryInterface(IClient::Iid, nullptr), E_POINTER);
    EXPECT_EQ(view->GetReferenceCount(), 3u);  // view, asView, help
  }
  EXPECT_TRUE(destroyed);
}

TEST(ComObjects, AnExtensionAddsInterfacesAndSharesTheCount) {
  bool destroyed = false;
  {
    TComPtr<TTestViewWithFrame> view = MakeComObject<TTestViewWithFrame>(destroyed);
    TComPtr<IExternalFormFrame> frame = view.As<IExternalFormFrame>();
    ASSERT_TRUE(frame);
    TComPtr<IServerDocumentView> documentView = frame.As<IServerDocumentView>();
    ASSERT_TRUE(documentView);
    EXPECT_EQ(frame.As<IUnknown>(), documentView.As<IUnknown>());
    EXPECT_EQ(view->GetReferenceCount(), 3u);
  }
  EXPECT_TRUE(destroyed);
}

TEST(ComObjects, StatusesAtTheHostBoundary) {
  EXPECT_EQ(CheckStatus(S_FALSE), S_FALSE);
  try {
    CheckStatus(E_NOINTERFACE);
    FAIL() << "a negative status must raise";
  } catch (const EHostCallFailed& failure) {
    EXPECT_EQ(failure.Status(), E_NOINTERFACE);
  }

  EXPECT_EQ(CallAtHostBoundary([] {}), S_OK);
  EXPECT_EQ(CallAtHostBoundary([] { return E_NOTIMPL; }), E_NOTIMPL);
  EXPECT_EQ(CallAtHostBoundary([] { throw std::runtime_error("inside"); }), E_UNEXPECTED);
  EXPECT_EQ(CallAtHostBoundary([]() -> HRESULT { throw 42; }), E_UNEXPECTED);
}

}  // namespace
