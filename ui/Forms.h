#pragma once

// TForm: a platform window and the components it owns. The window is made when it is first
// needed (Handle, Show, ShowModal), from the parameters of CreateParams, which a derived form may
// change. Its procedure hands the window's messages to the form: paints to the controls, timer
// ticks to the timers, commands to WMCommand, close requests to Close, and the form automation
// messages of the platform (WM_PLATFORM_DESCRIBEFORM, WM_PLATFORM_SETCONTROL) to the controls.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/Controls.h"
#include "ui/ExtCtrls.h"
#include "ui/Graphics.h"
#include "ui/StdCtrls.h"

// Virtual key codes of the keys that dialogs answer to.
inline constexpr WPARAM VkReturn = 0x0D;
inline constexpr WPARAM VkEscape = 0x1B;

struct PlatformFormDescription;
struct PlatformControlSetting;

enum class TFormBorderStyle { None, Single, Sizeable, Dialog };

// What the window is made with.
struct TCreateParams {
  std::string ClassName;
  std::string Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0;
  int Y = 0;
  int Width = 0;  // the client size: windows have no frame on this platform
  int Height = 0;
  HWND WndParent = nullptr;
};

// One window message as the form's handlers see it; Result is what the procedure returns.
struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

class TForm {
 public:
  TForm();
  virtual ~TForm();
  TForm(const TForm&) = delete;
  TForm& operator=(const TForm&) = delete;

  // Makes a component owned by this form: Add<TButton>(parent, "Ok"), Add<TTimer>("MainTimer").
  template <class T, class... Args>
  T& Add(Args&&... args) {
    auto component = std::make_unique<T>(*this, std::forward<Args>(args)...);
    T& added = *component;
    Owned.push_back(std::move(component));
    return added;
  }
  const std::vector<std::unique_ptr<TComponent>>& Components() const { return Owned; }
  // The component of that name (compared exactly), or null.
  TComponent* FindComponent(const std::string& name) const;
  template <class T>
  T* Find(const std::string& name) const {
    return dynamic_cast<T*>(FindComponent(name));
  }

  // The form of a window made by a form, or null.
  static TForm* FromHandle(HWND window);

  // The window, made now when there is none yet.
  HWND Handle();
  bool HandleAllocated() const { return Window != nullptr; }
  // Destroys the window; the form keeps its properties and makes a new one when needed.
  void DestroyHandle();

  void SetCaption(std::string caption);
  const std::string& Caption() const { return CaptionText; }
  void SetBounds(int left, int top, int clientWidth, int clientHeight);
  void SetClientSize(int width, int height);
  int Left() const { return PositionX; }
  int Top() const { return PositionY; }
  int ClientWidth() const;
  int ClientHeight() const;
  RECT ClientRect() const;
  void SetBorderStyle(TFormBorderStyle style) { Border = style; }
  TFormBorderStyle BorderStyle() const { return Border; }
  // The window the form's window lives in (none: a top-level window).
  void SetParentWindow(HWND parent);
  HWND ParentWindow() const { return ParentHandle; }
  void SetColor(COLORREF color);
  COLORREF Color() const { return BackColor; }
  TFont Font;

  void Show();
  void Hide();
  void SetVisible(bool visible);
  bool Visible() const { return IsVisible; }

  // Shows the form modally through the platform's modal handler and returns the modal result
  // that ended the run; the form is hidden again afterwards.
  int ShowModal();
  bool Modal() const { return InModalRun; }
  // Setting a nonzero result ends a modal run.
  void SetModalResult(int result);
  int ModalResult() const;
  // A modal form ends its run with mrCancel; any other form hides.
  void Close();

  // Paint requests for the whole client area: Invalidate asks, Update paints what was asked now,
  // Repaint does both.
  void Invalidate() const;
  void Update() const;
  void Repaint() const;

  // Runs when WMCommand is not overridden; the message then goes on to the default handling.
  std::function<void(TForm&, TMessage&)> OnCommand;

  // Timer ids on this form's window, one per timer.
  UINT_PTR NewTimerId() { return ++LastTimerId; }

 protected:
  // The parameters the window is made with; a derived form may change them.
  virtual void CreateParams(TCreateParams& params);
  // Every message of the window.
  virtual void WndProc(TMessage& message);
  // WM_COMMAND: runs OnCommand, then the default handling.
  virtual void WMCommand(TMessage& message);
  // The platform's default handling of a message.
  void DefaultHandler(TMessage& message);

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  void CreateHandle();
  void PaintWindow();
  void TimerTick(UINT_PTR id);
  void PressKey(WPARAM key);
  void HandleDestroyed();
  // Form automation (FormAutomation.cpp).
  void DescribeControls(PlatformFormDescription& description) const;
  bool SetControl(const PlatformControlSetting& setting);

  std::vector<std::unique_ptr<TComponent>> Owned;
  HWND Window = nullptr;
  HWND ParentHandle = nullptr;
  std::string CaptionText;
  int PositionX = 0;
  int PositionY = 0;
  int Width = 0;
  int Height = 0;
  TFormBorderStyle Border = TFormBorderStyle::Sizeable;
  COLORREF BackColor = clBtnFace;
  bool IsVisible = false;
  bool InModalRun = false;
  int Result = mrNone;
  UINT_PTR LastTimerId = 0;
};
