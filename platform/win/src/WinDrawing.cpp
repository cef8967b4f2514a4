// The drawing each window keeps of its last paint, on Windows: recorded by the module that paints
// (the plug-in's form library), painted onto the window with GDI when it is finished, and kept
// where any module of the process finds it (a window property naming the record), so that the host
// can save the drawing of a plug-in's window.

#include <map>
#include <memory>

#include "platform_drawing.h"

namespace {

struct TWindowDrawings {
  std::optional<PlatformDrawing> Pending;
  std::optional<PlatformDrawing> Finished;
};

constexpr const char* DrawingProperty = "PlatformDrawing";

// The records of this module's windows. A record outlives its window (a window's last drawing can
// still be saved after the window is gone only by the module that made it; others lose it with the
// property).
std::map<HWND, std::unique_ptr<TWindowDrawings>>& Records() {
  static std::map<HWND, std::unique_ptr<TWindowDrawings>> records;
  return records;
}

TWindowDrawings* Lookup(HWND hwnd) {
  if (hwnd == nullptr || !IsWindow(hwnd)) {
    return nullptr;
  }
  return static_cast<TWindowDrawings*>(GetPropA(hwnd, DrawingProperty));
}

TWindowDrawings* LookupOrMake(HWND hwnd) {
  if (TWindowDrawings* found = Lookup(hwnd)) {
    return found;
  }
  if (hwnd == nullptr || !IsWindow(hwnd)) {
    return nullptr;
  }
  auto& record = Records()[hwnd];
  record = std::make_unique<TWindowDrawings>();
  SetPropA(hwnd, DrawingProperty, record.get());
  return record.get();
}

void PaintPrimitive(HDC dc, const PlatformPrimitive& primitive) {
  const RECT& r = primitive.Bounds;
  switch (primitive.Kind) {
    case PlatformPrimitiveKind::FillRect: {
      HBRUSH brush = CreateSolidBrush(primitive.BrushColor);
      FillRect(dc, &r, brush);
      DeleteObject(brush);
      break;
    }
    case PlatformPrimitiveKind::Rectangle: {
      HPEN pen = CreatePen(PS_SOLID, 1, primitive.PenColor);
      HBRUSH brush = primitive.BrushSolid ? CreateSolidBrush(primitive.BrushColor)
                                          : static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
      HGDIOBJ oldPen = SelectObject(dc, pen);
      HGDIOBJ oldBrush = SelectObject(dc, brush);
      Rectangle(dc, r.left, r.top, r.right, r.bottom);
      SelectObject(dc, oldBrush);
      SelectObject(dc, oldPen);
      DeleteObject(pen);
      if (primitive.BrushSolid) {
        DeleteObject(brush);
      }
      break;
    }
    case PlatformPrimitiveKind::Line: {
      HPEN pen = CreatePen(PS_SOLID, 1, primitive.PenColor);
      HGDIOBJ oldPen = SelectObject(dc, pen);
      MoveToEx(dc, r.left, r.top, nullptr);
      LineTo(dc, r.right, r.bottom);
      SelectObject(dc, oldPen);
      DeleteObject(pen);
      break;
    }
    case PlatformPrimitiveKind::Text:
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, primitive.PenColor);
      TextOutA(dc, r.left, r.top, primitive.Text.c_str(), static_cast<int>(primitive.Text.size()));
      break;
  }
}

// Paints the finished drawing onto the window and marks the window painted, so that Windows stops
// asking for WM_PAINT (the form library paints from WM_PAINT without BeginPaint).
void PaintOnWindow(HWND hwnd, const PlatformDrawing& drawing) {
  if (HDC dc = GetDC(hwnd)) {
    for (const PlatformPrimitive& primitive : drawing.Primitives) {
      PaintPrimitive(dc, primitive);
    }
    ReleaseDC(hwnd, dc);
  }
  ValidateRect(hwnd, nullptr);
}

}  // namespace

BOOL PlatformBeginDrawing(HWND hwnd) {
  TWindowDrawings* record = LookupOrMake(hwnd);
  if (record == nullptr) {
    return FALSE;
  }
  RECT client = {0, 0, 0, 0};
  GetClientRect(hwnd, &client);
  record->Pending = PlatformDrawing{client.right - client.left, client.bottom - client.top, {}};
  return TRUE;
}

BOOL PlatformAddPrimitive(HWND hwnd, const PlatformPrimitive& primitive) {
  TWindowDrawings* record = Lookup(hwnd);
  if (record == nullptr || !record->Pending) {
    return FALSE;
  }
  record->Pending->Primitives.push_back(primitive);
  return TRUE;
}

BOOL PlatformEndDrawing(HWND hwnd) {
  TWindowDrawings* record = Lookup(hwnd);
  if (record == nullptr || !record->Pending) {
    return FALSE;
  }
  record->Finished = std::move(record->Pending);
  record->Pending.reset();
  PaintOnWindow(hwnd, *record->Finished);
  return TRUE;
}

std::optional<PlatformDrawing> PlatformGetDrawing(HWND hwnd) {
  const TWindowDrawings* record = Lookup(hwnd);
  if (record == nullptr) {
    return std::nullopt;
  }
  return record->Finished;
}
