#pragma once

// The base classes of everything a form owns. Components are plain objects with a name; controls
// add a place on the form, visibility, the enabled state, a caption, a colour and a font, and
// paint themselves when the form's window paints. Controls have no windows of their own.

#include <windows.h>

#include <string>

#include "ui/Graphics.h"

class TForm;

class TComponent {
 public:
  TComponent(TForm& owner, std::string name) : OwnerForm(owner), ComponentName(std::move(name)) {}
  virtual ~TComponent() = default;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TForm& Owner() const { return OwnerForm; }
  const std::string& Name() const { return ComponentName; }

 private:
  TForm& OwnerForm;
  std::string ComponentName;
};

// How a control takes its place: at its own bounds, or filling its parent's client area.
enum class TAlign { None, Client };

class TControl : public TComponent {
 public:
  // `parent` is a control of the same form, or null for the form's client area itself.
  TControl(TForm& owner, TControl* parent, std::string name);

  TControl* Parent() const { return ParentControl; }

  // Bounds in the parent's client coordinates, as set; alignment may override them.
  void SetBounds(int left, int top, int width, int height);
  int Left() const { return Bounds.left; }
  int Top() const { return Bounds.top; }
  int Width() const { return Bounds.right - Bounds.left; }
  int Height() const { return Bounds.bottom - Bounds.top; }
  void SetAlign(TAlign align);
  TAlign Align() const { return Alignment; }

  // The control's rectangle after alignment: in its parent's client coordinates, and in the
  // client coordinates of the form's window.
  RECT BoundsRect() const;
  RECT FormRect() const;

  void SetVisible(bool visible);
  bool Visible() const { return IsVisible; }
  // Visible, and every parent control too.
  bool Showing() const;
  void SetEnabled(bool enabled);
  bool Enabled() const { return IsEnabled; }

  void SetCaption(std::string caption);
  const std::string& Caption() const { return CaptionText; }
  void SetColor(COLORREF color);
  COLORREF Color() const { return BackColor; }
  TFont Font;

  // Asks the form's window for a paint.
  void Invalidate() const;

  // Paints the control on a canvas whose origin is the control's top-left corner; the form calls
  // it during its window's paint, parents before their children.
  virtual void Paint(TCanvas& canvas);

 protected:
  // The caption centred in the control's rectangle (text width estimated from the font height).
  void PaintCaptionCentred(TCanvas& canvas) const;

 private:
  TControl* ParentControl;
  RECT Bounds = {0, 0, 0, 0};
  TAlign Alignment = TAlign::None;
  bool IsVisible = true;
  bool IsEnabled = true;
  std::string CaptionText;
  COLORREF BackColor = clBtnFace;
};
