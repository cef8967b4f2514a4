#pragma once

// Colours, fonts and the canvas that forms and paint boxes draw with. A canvas keeps a pen, a
// brush and a font and turns every drawing operation into a primitive of the platform's drawing
// format; where the primitives go is the concern of the class derived from it. TWindowCanvas
// records them onto the drawing of a window that is being painted.

#include <platform_drawing.h>
#include <windows.h>

#include <string>
#include <string_view>

// Colours the forms use by name. The platform has no system colours: these are fixed values.
inline constexpr COLORREF clBlack = RGB(0, 0, 0);
inline constexpr COLORREF clWhite = RGB(255, 255, 255);
inline constexpr COLORREF clBtnFace = RGB(240, 240, 240);
inline constexpr COLORREF clBtnShadow = RGB(160, 160, 160);
inline constexpr COLORREF clWindow = RGB(255, 255, 255);
inline constexpr COLORREF clWindowText = RGB(0, 0, 0);

enum class TBrushStyle { Solid, Clear };

struct TPen {
  COLORREF Color = clBlack;
};

struct TBrush {
  COLORREF Color = clWhite;
  TBrushStyle Style = TBrushStyle::Solid;
};

// A font as the forms describe it: a face name and a height in pixels (negative: the character
// height without the internal leading, as the forms give it; either way its magnitude is used).
struct TFont {
  std::string Name = "MS Sans Serif";
  int Height = -11;
};

class TCanvas {
 public:
  virtual ~TCanvas() = default;

  // The outline in the pen colour, filled with the brush colour unless the brush is clear. The
  // right and bottom edges are excluded; corners may come in either order.
  virtual void Rectangle(int x1, int y1, int x2, int y2);
  // Fills with the brush colour, without an outline.
  virtual void FillRect(const RECT& rect);
  // A line in the pen colour from the pen position to (x, y), which becomes the pen position.
  virtual void MoveTo(int x, int y);
  virtual void LineTo(int x, int y);
  // Text in the pen colour with its top-left corner at (x, y).
  virtual void TextOut(int x, int y, std::string_view text);

  POINT PenPos() const { return Position; }

  TPen Pen;
  TBrush Brush;
  TFont Font;

 protected:
  // Where the primitives of the operations above go.
  virtual void AddPrimitive(const PlatformPrimitive& primitive) = 0;

 private:
  PlatformPrimitive Styled(PlatformPrimitiveKind kind, const RECT& bounds) const;

  POINT Position = {0, 0};
};

// Records onto the drawing of a window between PlatformBeginDrawing and PlatformEndDrawing, with
// coordinates relative to an origin in the window's client area (a control's top-left corner).
// Outside a paint of its window the primitives go nowhere.
class TWindowCanvas : public TCanvas {
 public:
  TWindowCanvas() = default;
  TWindowCanvas(HWND window, POINT origin) : Window(window), Origin(origin) {}

  void Attach(HWND window, POINT origin) {
    Window = window;
    Origin = origin;
  }
  HWND WindowHandle() const { return Window; }

 protected:
  void AddPrimitive(const PlatformPrimitive& primitive) override;

 private:
  HWND Window = nullptr;
  POINT Origin = {0, 0};
};
