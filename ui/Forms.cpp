#include "ui/Forms.h"

#include <platform_drawing.h>
#include <platform_host.h>

#include <stdexcept>

namespace {

constexpr DWORD PopupStyle = 0x80000000u;
constexpr const char* FormClassName = "TForm";

// Restores a flag when a scope ends, also by an exception.
class TFlagScope {
 public:
  explicit TFlagScope(bool& flag) : Flag(flag) { Flag = true; }
  ~TFlagScope() { Flag = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

 private:
  bool& Flag;
};

}  // namespace

TForm::TForm() = default;

TForm::~TForm() {
  if (Window != nullptr) {
    // No message reaches the form from here on.
    SetWindowLongPtrA(Window, GWLP_USERDATA, 0);
  }
  Owned.clear();
  if (Window != nullptr) {
    DestroyWindow(Window);
  }
}

TComponent* TForm::FindComponent(const std::string& name) const {
  for (const auto& component : Owned) {
    if (component->Name() == name) {
      return component.get();
    }
  }
  return nullptr;
}

TForm* TForm::FromHandle(HWND window) {
  if (window == nullptr || !IsWindow(window) ||
      GetWindowLongPtrA(window, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&WindowProcedure)) {
    return nullptr;
  }
  return reinterpret_cast<TForm*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

HWND TForm::Handle() {
  if (Window == nullptr) {
    CreateHandle();
  }
  return Window;
}

void TForm::CreateParams(TCreateParams& params) {
  params.ClassName = FormClassName;
  params.Caption = CaptionText;
  params.X = PositionX;
  params.Y = PositionY;
  params.Width = Width;
  params.Height = Height;
  params.WndParent = ParentHandle;
  if (ParentHandle != nullptr) {
    params.Style = WS_CHILD;
  } else {
    params.Style = Border == TFormBorderStyle::None ? PopupStyle : WS_OVERLAPPEDWINDOW;
  }
  if (IsVisible) {
    params.Style |= WS_VISIBLE;
  }
}

void TForm::CreateHandle() {
  TCreateParams params;
  CreateParams(params);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &WindowProcedure;
  windowClass.lpszClassName = params.ClassName.c_str();
  RegisterClassA(&windowClass);  // fails harmlessly when the class is registered already
  if (params.WndParent != nullptr && !IsWindow(params.WndParent)) {
    params.WndParent = nullptr;  // the parent has gone: a top-level window instead
  }
  HWND made = CreateWindowExA(params.ExStyle, params.ClassName.c_str(), params.Caption.c_str(),
                              params.Style, params.X, params.Y, params.Width, params.Height,
                              params.WndParent, nullptr, nullptr, this);
  if (made == nullptr) {
    throw std::runtime_error("the form's window cannot be made");
  }
  Window = made;
  for (const auto& component : Owned) {
    if (auto* timer = dynamic_cast<TTimer*>(component.get())) {
      timer->Update();
    }
  }
}

void TForm::DestroyHandle() {
  if (Window != nullptr) {
    DestroyWindow(Window);
    Window = nullptr;  // also when the procedure did not see the destruction
  }
}

void TForm::HandleDestroyed() {
  Result = PlatformGetModalResult(Window);
  Window = nullptr;
}

LRESULT CALLBACK TForm::WindowProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    auto* form = static_cast<TForm*>(create->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    if (form != nullptr) {
      form->Window = window;
    }
  }
  auto* form = reinterpret_cast<TForm*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (form == nullptr) {
    return DefWindowProcA(window, msg, wParam, lParam);
  }
  TMessage message{msg, wParam, lParam, 0};
  form->WndProc(message);
  if (msg == WM_NCDESTROY) {
    form->HandleDestroyed();
  }
  return message.Result;
}

void TForm::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_PAINT:
      PaintWindow();
      return;
    case WM_TIMER:
      TimerTick(message.WParam);
      return;
    case WM_COMMAND:
      WMCommand(message);
      return;
    case WM_CLOSE:
      Close();
      return;
    case WM_KEYDOWN:
      PressKey(message.WParam);
      return;
    case WM_PLATFORM_DESCRIBEFORM:
      if (message.LParam != 0) {
        DescribeControls(*reinterpret_cast<PlatformFormDescription*>(message.LParam));
        message.Result = TRUE;
      }
      return;
    case WM_PLATFORM_SETCONTROL:
      message.Result =
          message.LParam != 0 &&
                  SetControl(*reinterpret_cast<const PlatformControlSetting*>(message.LParam))
              ? TRUE
              : FALSE;
      return;
    default:
      DefaultHandler(message);
  }
}

void TForm::WMCommand(TMessage& message) {
  if (auto handler = OnCommand) {  // a copy: the handler may replace itself
    handler(*this, message);
  }
  DefaultHandler(message);
}

void TForm::DefaultHandler(TMessage& message) {
  if (Window != nullptr) {
    message.Result = DefWindowProcA(Window, message.Msg, message.WParam, message.LParam);
  }
}

void TForm::PaintWindow() {
  if (Window == nullptr || !PlatformBeginDrawing(Window)) {
    return;
  }
  TWindowCanvas background(Window, {0, 0});
  background.Brush.Color = BackColor;
  background.FillRect(ClientRect());
  // Parents are made before their children, so the order of making paints parents first.
  for (const auto& component : Owned) {
    auto* control = dynamic_cast<TControl*>(component.get());
    if (control == nullptr || !control->Showing()) {
      continue;
    }
    const RECT place = control->FormRect();
    TWindowCanvas canvas(Window, {place.left, place.top});
    canvas.Font = control->Font;
    control->Paint(canvas);
  }
  PlatformEndDrawing(Window);
}

void TForm::TimerTick(UINT_PTR id) {
  for (const auto& component : Owned) {
    auto* timer = dynamic_cast<TTimer*>(component.get());
    if (timer != nullptr && timer->Id() == id) {
      timer->Tick();
      return;
    }
  }
}

void TForm::PressKey(WPARAM key) {
  for (const auto& component : Owned) {
    auto* button = dynamic_cast<TButton*>(component.get());
    if (button == nullptr || !button->Showing() || !button->Enabled()) {
      continue;
    }
    if ((key == VkReturn && button->Default) || (key == VkEscape && button->Cancel)) {
      button->Click();
      return;
    }
  }
}

void TForm::SetCaption(std::string caption) {
  CaptionText = std::move(caption);
  if (Window != nullptr) {
    SetWindowTextA(Window, CaptionText.c_str());
  }
}

void TForm::SetBounds(int left, int top, int clientWidth, int clientHeight) {
  PositionX = left;
  PositionY = top;
  Width = clientWidth;
  Height = clientHeight;
  if (Window != nullptr) {
    SetWindowPos(Window, nullptr, left, top, clientWidth, clientHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TForm::SetClientSize(int width, int height) {
  SetBounds(Left(), Top(), width, height);
}

int TForm::ClientWidth() const {
  const RECT rect = ClientRect();
  return rect.right - rect.left;
}

int TForm::ClientHeight() const {
  const RECT rect = ClientRect();
  return rect.bottom - rect.top;
}

RECT TForm::ClientRect() const {
  RECT rect = {0, 0, Width, Height};
  if (Window != nullptr) {
    GetClientRect(Window, &rect);
  }
  return rect;
}

void TForm::SetParentWindow(HWND parent) {
  ParentHandle = parent;
  if (Window != nullptr) {
    SetParent(Window, parent);
  }
}

void TForm::SetColor(COLORREF color) {
  BackColor = color;
  Invalidate();
}

void TForm::Show() {
  SetVisible(true);
}

void TForm::Hide() {
  SetVisible(false);
}

void TForm::SetVisible(bool visible) {
  IsVisible = visible;
  if (Window != nullptr) {
    ShowWindow(Window, visible ? SW_SHOW : SW_HIDE);
  } else if (visible) {
    CreateHandle();  // made visible
  }
}

int TForm::ShowModal() {
  if (InModalRun) {
    throw std::logic_error("the form is shown modally already");
  }
  int result = mrNone;
  {
    TFlagScope modal(InModalRun);
    Show();
    result = PlatformRunModal(Handle());
  }
  Result = result;
  Hide();
  return result;
}

void TForm::SetModalResult(int result) {
  Result = result;
  if (Window != nullptr) {
    PlatformSetModalResult(Window, result);
  }
}

int TForm::ModalResult() const {
  return Window != nullptr ? PlatformGetModalResult(Window) : Result;
}

void TForm::Close() {
  if (InModalRun) {
    SetModalResult(mrCancel);
  } else {
    Hide();
  }
}

void TForm::Invalidate() const {
  if (Window != nullptr) {
    InvalidateRect(Window, nullptr, TRUE);
  }
}

void TForm::Update() const {
  if (Window != nullptr) {
    UpdateWindow(Window);
  }
}

void TForm::Repaint() const {
  Invalidate();
  Update();
}
