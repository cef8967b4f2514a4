#include <string>
#include <vector>

#include "UiFixture.h"

namespace {

using FormTest = UiTest;

// The view's layout in small: a panel filling the form, a paint box inside it.
struct TViewLikeForm {
  TViewLikeForm() {
    Form.SetClientSize(200, 100);
    Panel.SetAlign(TAlign::Client);
    Panel.BevelOuter = TBevel::None;
    Panel.SetCaption("No board loaded");
    Box.SetBounds(5, 7, 50, 40);
  }

  TForm Form;
  TPanel& Panel = Form.Add<TPanel>(nullptr, "Panel");
  TPaintBox& Box = Form.Add<TPaintBox>(&Panel, "Box");
};

TEST_F(FormTest, APaintBoxDrawsIntoTheWindowsDrawingAtItsPlace) {
  TViewLikeForm view;
  view.Panel.SetBounds(20, 30, 100, 60);
  view.Panel.SetAlign(TAlign::None);
  int paints = 0;
  view.Box.OnPaint = [&](TPaintBox& box) {
    ++paints;
    box.Canvas().Pen.Color = RGB(1, 2, 3);
    box.Canvas().Brush.Style = TBrushStyle::Clear;
    box.Canvas().Rectangle(1, 2, 11, 12);
    box.Canvas().MoveTo(0, 0);
    box.Canvas().LineTo(4, 5);
  };
  view.Form.Show();
  view.Box.Repaint();
  EXPECT_EQ(paints, 1);

  const HWND window = view.Form.Handle();
  std::optional<PlatformDrawing> drawing = PlatformGetDrawing(window);
  ASSERT_TRUE(drawing);
  EXPECT_EQ(drawing->Width, 200);
  // The form's background first, then the panel, then what the paint box drew.
  ASSERT_FALSE(drawing->Primitives.empty());
  EXPECT_EQ(drawing->Primitives.front().Kind, PlatformPrimitiveKind::FillRect);
  EXPECT_TRUE(SameRect(drawing->Primitives.front().Bounds, {0, 0, 200, 100}));
  const PlatformPrimitive& box = drawing->Primitives[drawing->Primitives.size() - 2];
  EXPECT_EQ(box.Kind, PlatformPrimitiveKind::Rectangle);
  EXPECT_TRUE(SameRect(box.Bounds, {26, 39, 36, 49}));  // panel 20,30 + box 5,7 + 1,2
  EXPECT_EQ(box.PenColor, RGB(1, 2, 3));
  EXPECT_FALSE(box.BrushSolid);
  EXPECT_TRUE(SameRect(drawing->Primitives.back().Bounds, {25, 37, 29, 42}));

  // Drawing outside a paint of the window goes nowhere.
  view.Box.Canvas().Rectangle(0, 0, 1, 1);
  EXPECT_EQ(PlatformGetDrawing(window)->Primitives.size(), drawing->Primitives.size());
}

TEST_F(FormTest, WithoutAPaintHandlerThePanelsCaptionShowsAndFollowsItsChanges) {
  TViewLikeForm view;
  view.Form.Show();
  PumpWaiting();  // the first paint of a new visible window
  const auto texts = [&] {
    std::vector<std::string> found;
    for (const PlatformPrimitive& text :
         PrimitivesOf(view.Form.Handle(), PlatformPrimitiveKind::Text)) {
      found.push_back(text.Text);
    }
    return found;
  };
  EXPECT_EQ(texts(), std::vector<std::string>{"No board loaded"});

  view.Panel.SetCaption("Loading board please wait...");
  PumpWaiting();
  EXPECT_EQ(texts(), std::vector<std::string>{"Loading board please wait..."});

  view.Panel.SetVisible(false);  // hides its children too
  view.Box.OnPaint = [](TPaintBox& box) { box.Canvas().Rectangle(0, 0, 1, 1); };
  view.Form.Repaint();
  EXPECT_TRUE(texts().empty());
  EXPECT_TRUE(PrimitivesOf(view.Form.Handle(), PlatformPrimitiveKind::Rectangle).empty());
}

// A form that handles commands itself and passes the rest on, as the placer's view does.
class TCommandForm : public TForm {
 public:
  std::vector<WPARAM> Seen;

 protected:
  void WMCommand(TMessage& message) override {
    Seen.push_back(message.WParam);
    if (message.WParam == 1) {
      return;  // swallowed
    }
    TForm::WMCommand(message);
  }
};

TEST_F(FormTest, CommandsReachAnOverridingFormAndThenTheAssignedHandler) {
  TCommandForm form;
  std::vector<WPARAM> passedOn;
  form.OnCommand = [&](TForm&, TMessage& message) { passedOn.push_back(message.WParam); };
  PostMessageA(form.Handle(), WM_COMMAND, 1, 0);
  PostMessageA(form.Handle(), WM_COMMAND, 9999, 0);
  PostMessageA(form.Handle(), WM_USER, 7, 0);
  PumpWaiting();
  EXPECT_EQ(form.Seen, (std::vector<WPARAM>{1, 9999}));
  EXPECT_EQ(passedOn, (std::vector<WPARAM>{9999}));
}

// A dialog: OK (default) and Cancel (cancel button) with their modal results.
struct TDialog {
  TDialog() {
    Ok.ModalResult = mrOk;
    Ok.Default = true;
    Ok.OnClick = [this](TButton&) { Clicks.push_back("Ok"); };
    Cancel.ModalResult = mrCancel;
    Cancel.Cancel = true;
    Cancel.OnClick = [this](TButton&) { Clicks.push_back("Cancel"); };
  }

  TForm Form;
  TButton& Ok = Form.Add<TButton>(nullptr, "Ok");
  TButton& Cancel = Form.Add<TButton>(nullptr, "Cancel");
  std::vector<std::string> Clicks;
};

TEST_F(FormTest, AModalFormReturnsTheResultOfTheButtonPressed) {
  struct TCase {
    const char* Name;
    PlatformModalHandler Handler;
    int Expected;
    std::vector<std::string> Clicks;
  };
  const auto press = [](const char* name) {
    return [name](HWND window) {
      TForm* form = TForm::FromHandle(window);
      form->Find<TButton>(name)->Click();
      return form->ModalResult();
    };
  };
  const auto postThenLoop = [](UINT message, WPARAM wParam) {
    return [=](HWND window) {
      PostMessageA(window, message, wParam, 0);
      return PlatformRunModalLoop(window);
    };
  };
  const std::vector<TCase> cases = {
      {"press OK", press("Ok"), mrOk, {"Ok"}},
      {"press Cancel", press("Cancel"), mrCancel, {"Cancel"}},
      {"Enter", postThenLoop(WM_KEYDOWN, VkReturn), mrOk, {"Ok"}},
      {"Escape", postThenLoop(WM_KEYDOWN, VkEscape), mrCancel, {"Cancel"}},
      {"close", postThenLoop(WM_CLOSE, 0), mrCancel, {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TDialog dialog;
    PlatformSetModalHandler(c.Handler);
    EXPECT_EQ(dialog.Form.ShowModal(), c.Expected);
    EXPECT_EQ(dialog.Form.ModalResult(), c.Expected);
    EXPECT_EQ(dialog.Clicks, c.Clicks);
    EXPECT_FALSE(dialog.Form.Visible());
    EXPECT_FALSE(dialog.Form.Modal());
    EXPECT_TRUE(IsWindow(dialog.Form.Handle()));  // closing a modal form does not destroy it
  }
}

TEST_F(FormTest, AModalRunEndsWhenTheWindowGoesAndTheFormMakesANewOne) {
  TDialog dialog;
  PlatformSetModalHandler([](HWND window) {
    DestroyWindow(window);
    return PlatformRunModalLoop(window);
  });
  EXPECT_EQ(dialog.Form.ShowModal(), mrCancel);
  EXPECT_FALSE(dialog.Form.HandleAllocated());
  EXPECT_EQ(dialog.Form.ModalResult(), mrCancel);
  EXPECT_NE(dialog.Form.Handle(), nullptr);
}

// A dialog that makes its window with parameters of its own.
class TOwnStyleForm : public TForm {
 public:
  explicit TOwnStyleForm(HWND parent) : Parent(parent) {}

 protected:
  void CreateParams(TCreateParams& params) override {
    TForm::CreateParams(params);
    params.ClassName = "TOwnStyleForm";
    params.Style = 0x80CC0080u;
    params.WndParent = Parent;
  }

 private:
  HWND Parent;
};

TEST_F(FormTest, TheWindowIsMadeWithTheFormsParametersAndAnswersForTheForm) {
  TForm host;
  host.SetCaption("Host");
  TOwnStyleForm form(host.Handle());
  form.SetCaption("Autoplace Preferences");
  form.SetClientSize(464, 329);
  const HWND window = form.Handle();
  char text[64] = {};
  GetClassNameA(window, text, sizeof text);
  EXPECT_STREQ(text, "TOwnStyleForm");
  GetWindowTextA(window, text, sizeof text);
  EXPECT_STREQ(text, "Autoplace Preferences");
  EXPECT_EQ(GetParent(window), host.Handle());
  EXPECT_EQ(form.ClientWidth(), 464);
  EXPECT_EQ(form.ClientHeight(), 329);
  EXPECT_EQ(TForm::FromHandle(window), &form);

  WNDCLASSA other{};
  other.lpfnWndProc = &DefWindowProcA;
  other.lpszClassName = "Other";
  RegisterClassA(&other);
  const HWND foreign =
      CreateWindowExA(0, "Other", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  SetWindowLongPtrA(foreign, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&form));
  EXPECT_EQ(TForm::FromHandle(foreign), nullptr);  // not a form's window
}

TEST_F(FormTest, AFormOutlivesItsWindowAndGoesWithItsOwn) {
  HWND window = nullptr;
  {
    TForm frame;
    TForm form;
    form.SetParentWindow(frame.Handle());
    form.Show();
    window = form.Handle();
    frame.DestroyHandle();  // takes the child window with it
    EXPECT_FALSE(form.HandleAllocated());
    EXPECT_FALSE(IsWindow(window));
    window = form.Handle();  // a new top-level window: the old parent has gone
    EXPECT_EQ(GetParent(window), nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
  }
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(FormTest, AControlsParentMustBelongToTheSameForm) {
  TForm first;
  TForm second;
  TPanel& panel = first.Add<TPanel>(nullptr, "Panel");
  EXPECT_THROW(second.Add<TButton>(&panel, "Ok"), std::invalid_argument);
  EXPECT_EQ(first.Find<TPanel>("Panel"), &panel);
  EXPECT_EQ(first.Find<TButton>("Panel"), nullptr);  // a name of another kind
  EXPECT_EQ(second.FindComponent("Ok"), nullptr);
}

}  // namespace
