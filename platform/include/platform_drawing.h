#pragma once

// Each window holds the drawing of its last paint: a list of self-contained primitives recorded
// between PlatformBeginDrawing and PlatformEndDrawing, with the window's client size at the start.
// The drawing can be read back or rendered to an SVG or PNG file.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

enum class PlatformPrimitiveKind {
  Rectangle,  // outline in the pen colour, filled with the brush colour when the brush is solid
  FillRect,   // filled with the brush colour, no outline
  Line,       // from (Bounds.left, Bounds.top) to (Bounds.right, Bounds.bottom) in the pen colour
  Text,       // Text with its top-left corner at (Bounds.left, Bounds.top) in the pen colour
};

struct PlatformPrimitive {
  PlatformPrimitiveKind Kind = PlatformPrimitiveKind::Rectangle;
  // Client coordinates, y down. Rectangles exclude their right and bottom edges, as on Windows.
  RECT Bounds = {0, 0, 0, 0};
  COLORREF PenColor = RGB(0, 0, 0);
  COLORREF BrushColor = RGB(255, 255, 255);
  bool BrushSolid = true;
  std::string Text;
  int FontHeight = 12;  // pixels, for Text
};

struct PlatformDrawing {
  int Width = 0;  // the client size when the drawing began
  int Height = 0;
  std::vector<PlatformPrimitive> Primitives;
};

// Starts a new drawing for the window; the previous one stays in force until PlatformEndDrawing.
// FALSE for an unknown window.
BOOL PlatformBeginDrawing(HWND hwnd);
// Appends to the drawing begun; FALSE for an unknown window or when no drawing was begun.
BOOL PlatformAddPrimitive(HWND hwnd, const PlatformPrimitive& primitive);
// Makes the drawing begun the window's drawing.
BOOL PlatformEndDrawing(HWND hwnd);

// A copy of the window's last finished drawing; none for an unknown window or before the first.
std::optional<PlatformDrawing> PlatformGetDrawing(HWND hwnd);

// Render the last finished drawing (white background) to a file: written to a temporary file
// beside it and renamed over it. On failure: false, with the reason in *error when given.
bool PlatformSaveDrawingSvg(HWND hwnd, const char* path, std::string* error = nullptr);
bool PlatformSaveDrawingPng(HWND hwnd, const char* path, std::string* error = nullptr);
