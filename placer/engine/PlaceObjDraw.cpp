// The progress drawing: the placement area, the keep-outs, the density of the connection lines,
// the net trees and the footprints, scaled into the view's client area with the board's aspect
// ratio, and the progress line of the status bar.

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "PlaceObj.h"
#include "PlacerBoard.h"
#include "framework/Rt_forms.h"
#include "framework/TimeHelpers.h"
#include "ui/Graphics.h"

namespace {

constexpr double PassCount = 70.0;
constexpr size_t ProgressTextLimit = 255;

// Rounded to nearest (ties to even) and kept inside the 32-bit range; not-a-number gives 0.
int32_t RoundToInt32(double value) {
  if (std::isnan(value)) {
    return 0;
  }
  const double rounded = std::nearbyint(value);
  return static_cast<int32_t>(std::clamp(rounded, -2147483648.0, 2147483647.0));
}

int64_t RoundToInt64(double value) {
  if (std::isnan(value)) {
    return 0;
  }
  // The bounds are the largest doubles that fit; nothing drawn comes near them.
  const double rounded = std::nearbyint(value);
  return static_cast<int64_t>(std::clamp(rounded, -9.2e18, 9.2e18));
}

// The board-to-pixel mapping; y is flipped, the board's bottom edge MarginY pixels above the
// bottom of the drawing area.
int PixelX(const TAutoPlacer& placer, int64_t x) {
  const double pixels = std::nearbyint((static_cast<double>(x) - placer.BoardLeft) / placer.ScaleX);
  return RoundToInt32(pixels + placer.MarginX);
}

int PixelY(const TAutoPlacer& placer, int64_t y) {
  const double pixels =
      std::nearbyint((static_cast<double>(y) - placer.BoardBottom) / placer.ScaleY);
  return RoundToInt32((static_cast<double>(placer.DrawRect.Bottom) - placer.MarginY) - pixels);
}

bool UsableScale(double scale) {
  return std::isfinite(scale) && scale > 0.0;
}

// Clears the engine's borrowed canvas when a paint ends, also by an exception.
class TCanvasScope {
 public:
  TCanvasScope(TCanvas*& field, TCanvas* canvas) : Field(field) { Field = canvas; }
  ~TCanvasScope() { Field = nullptr; }
  TCanvasScope(const TCanvasScope&) = delete;
  TCanvasScope& operator=(const TCanvasScope&) = delete;

 private:
  TCanvas*& Field;
};

}  // namespace

namespace {

void DrawBackground(TAutoPlacer& placer) {
  RECT client = {0, 0, 0, 0};
  GetClientRect(placer.ViewHandle, &client);
  TCanvas& canvas = *placer.Canvas;
  canvas.Pen.Color = placer.LayerColor(BackGroundLayer);
  canvas.Brush.Color = placer.LayerColor(BackGroundLayer);
  canvas.Brush.Style = TBrushStyle::Solid;
  canvas.FillRect({0, 0, client.right, client.bottom});
}

// Board units per pixel; a drawing area no wider (higher) than its margins keeps the last scale.
void UpdateScales(TAutoPlacer& placer) {
  const TDrawRect& area = placer.DrawRect;
  const int64_t width = int64_t{area.Right} - area.Left - 2 * int64_t{placer.MarginX};
  const int64_t height = int64_t{area.Bottom} - area.Top - 2 * int64_t{placer.MarginY};
  if (width > 0) {
    placer.ScaleX = placer.BoardWidth / static_cast<double>(width);
  }
  if (height > 0) {
    placer.ScaleY = placer.BoardHeight / static_cast<double>(height);
  }
}

void DrawFrame(TAutoPlacer& placer) {
  const TDrawRect& area = placer.DrawRect;
  TCanvas& canvas = *placer.Canvas;
  canvas.Pen.Color = placer.LayerColor(KeepOutLayer);
  canvas.Brush.Style = TBrushStyle::Clear;
  canvas.Rectangle(RoundToInt32(static_cast<double>(area.Left) + placer.MarginX),
                   RoundToInt32(static_cast<double>(area.Top) + placer.MarginY),
                   RoundToInt32(static_cast<double>(area.Right) - placer.MarginX),
                   RoundToInt32(static_cast<double>(area.Bottom) - placer.MarginY));
}

// Keep-outs and density squares, filled in the keep-out colour.
void DrawKeepOutsAndDensity(TAutoPlacer& placer) {
  TCanvas& canvas = *placer.Canvas;
  canvas.Pen.Color = placer.LayerColor(KeepOutLayer);
  canvas.Brush.Color = placer.LayerColor(KeepOutLayer);
  canvas.Brush.Style = TBrushStyle::Solid;
  for (const auto& rect : placer.KeepOuts) {
    if (rect != nullptr) {
      placer.DrawBoardRect(rect->X1, rect->Y1, rect->X2, rect->Y2);
    }
  }
  if (!placer.Density.Allocated()) {
    return;
  }
  // From the top row down; the grid's highest column and row are left out.
  const int32_t lastRow = std::min(placer.DensityRows - 1, placer.Density.Rows);
  const int32_t lastCol = std::min(placer.DensityCols - 1, placer.Density.Cols);
  for (int32_t r = lastRow; r >= 0; --r) {
    for (int32_t c = 0; c <= lastCol; ++c) {
      if (placer.Density.At(c, r) > 0) {
        placer.DrawDensityCell(c, r);
      }
    }
  }
}

// Every pin of a net tree to its parent; links outside the net are skipped.
void DrawConnections(TAutoPlacer& placer) {
  placer.Canvas->Pen.Color = placer.LayerColor(ConnectLayer);
  for (const auto& net : placer.Nets) {
    if (net == nullptr) {
      continue;
    }
    const size_t count = std::min(
        {static_cast<size_t>(std::max(net->PinCount, 0)), net->Pins.size(), net->Parent.size()});
    for (size_t k = 2; k <= count; ++k) {
      const int32_t parent = net->Parent[k - 1];
      if (parent < 1 || static_cast<size_t>(parent) > count) {
        continue;
      }
      const TPinRecord* pin = net->Pins[k - 1];
      const TPinRecord* to = net->Pins[static_cast<size_t>(parent) - 1];
      if (pin != nullptr && to != nullptr) {
        placer.DrawBoardLine(pin->X, pin->Y, to->X, to->Y);
      }
    }
  }
}

// Footprints of the movable and fixed components in the colour of their side; the bypass
// capacitors at the end of the array are not drawn.
void DrawComponents(TAutoPlacer& placer) {
  placer.Canvas->Brush.Style = TBrushStyle::Clear;
  const int64_t drawn = std::min<int64_t>(int64_t{placer.ComponentCount} - placer.BypassCount,
                                          static_cast<int64_t>(placer.Components.size()));
  for (int64_t k = 0; k < drawn; ++k) {
    const TCompRecord* component = placer.Components[static_cast<size_t>(k)].get();
    if (component == nullptr) {
      continue;
    }
    placer.Canvas->Pen.Color =
        placer.LayerColor(component->Layer == TopLayer ? TopOverlay : BottomOverlay);
    placer.DrawBoardRect(int64_t{component->CenterX} - component->Width / 2,
                         int64_t{component->CenterY} - component->Height / 2,
                         int64_t{component->CenterX} + component->Width / 2,
                         int64_t{component->CenterY} + component->Height / 2);
  }
}

}  // namespace

uint32_t TAutoPlacer::LayerColor(uint8_t layer) const {
  if (Board == nullptr || layer >= Board->LayerInfo.size()) {
    return 0;
  }
  return static_cast<uint32_t>(Board->LayerInfo[layer]);
}

void TAutoPlacer::Draw(TCanvas* canvas) {
  if (!DrawReady || canvas == nullptr) {
    return;
  }
  TCanvasScope borrowed(Canvas, canvas);
  FitDrawRect();
  DrawBackground(*this);
  UpdateScales(*this);
  ShowProgressText();
  // Without a scale (a client area too small so far, or a board without extent) nothing can be
  // placed on the canvas.
  if (!UsableScale(ScaleX) || !UsableScale(ScaleY)) {
    return;
  }
  DrawFrame(*this);
  DrawKeepOutsAndDensity(*this);
  DrawConnections(*this);
  DrawComponents(*this);
}

void TAutoPlacer::FitDrawRect() {
  RECT client = {0, 0, 0, 0};
  GetClientRect(ViewHandle, &client);
  DrawRect = {client.left, client.top, client.right, client.bottom};
  const double w = static_cast<double>(DrawRect.Right) - DrawRect.Left;
  const double h = static_cast<double>(DrawRect.Bottom) - DrawRect.Top;
  if (BoardWidth <= 0 || BoardHeight <= 0) {
    return;
  }
  const double aspect = static_cast<double>(BoardHeight) / BoardWidth;
  int32_t width = 0;
  int32_t height = 0;
  if (w / BoardWidth < h / BoardHeight) {
    // Relatively taller window: the whole width, at the bottom.
    width = RoundToInt32(w);
    height = RoundToInt32(w * aspect);
    DrawRect.Right = RoundToInt32(static_cast<double>(DrawRect.Left) + width);
    DrawRect.Top = RoundToInt32(static_cast<double>(DrawRect.Bottom) - height);
  } else {
    // Relatively wider window: the whole height, at the top.
    height = RoundToInt32(h);
    width = RoundToInt32(h / aspect);
    DrawRect.Right = RoundToInt32(static_cast<double>(DrawRect.Left) + width);
    DrawRect.Bottom = RoundToInt32(static_cast<double>(DrawRect.Top) + height);
  }
  MarginX = RoundToInt32(width * 0.05);
  MarginY = RoundToInt32(height * 0.05);
}

void TAutoPlacer::DrawBoardRect(int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
  Canvas->Rectangle(PixelX(*this, x1), PixelY(*this, y1), PixelX(*this, x2), PixelY(*this, y2));
}

void TAutoPlacer::DrawBoardLine(int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
  Canvas->MoveTo(PixelX(*this, x1), PixelY(*this, y1));
  Canvas->LineTo(PixelX(*this, x2), PixelY(*this, y2));
}

void TAutoPlacer::DrawDensityCell(int32_t c, int32_t r) {
  const int64_t cell = DensityCellSize;
  const int64_t x0 = int64_t{c} * cell + BoardLeft;
  const int64_t y0 = int64_t{r} * cell + BoardBottom;
  const int64_t x1 = x0 + cell;
  const int64_t y1 = y0 + cell;
  const int64_t cx = x0 + cell / 2;
  const int64_t cy = y0 + cell / 2;
  // Half the square's side: the cell value in pixels, in board units.
  const double half = Density.At(c, r) * 0.5;
  const int64_t dx = RoundToInt64(half * ScaleX);
  const int64_t dy = RoundToInt64(half * ScaleY);
  if (cx - dx > x0 && cy - dy > y0 && cx + dx < x1 && cy + dy < y1) {
    DrawBoardRect(cx - dx, cy - dy, cx + dx, cy + dy);
  } else {
    DrawBoardRect(x0, y0, x1, y1);
  }
}

void TAutoPlacer::ShowProgressText() {
  UpdateElapsed();
  std::string text = FormatElapsed(Elapsed) +
                     "      Optimization:" + FormatFixed2(PassNumber * 100.0 / PassCount) + "%" +
                     "      Moves:" + FormatInteger(MovesTotal);
  if (text.size() > ProgressTextLimit) {
    text.resize(ProgressTextLimit);
  }
  SetStatusPanelText(2, text);
}
