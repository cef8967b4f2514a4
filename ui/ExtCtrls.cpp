#include "ui/ExtCtrls.h"

#include "ui/Forms.h"

void TPanel::Paint(TCanvas& canvas) {
  const RECT rect = BoundsRect();
  canvas.Pen.Color = BevelOuter == TBevel::None ? Color() : clBtnShadow;
  canvas.Brush.Color = Color();
  canvas.Brush.Style = TBrushStyle::Solid;
  canvas.Rectangle(0, 0, rect.right - rect.left, rect.bottom - rect.top);
  PaintCaptionCentred(canvas);
}

void TPaintBox::Repaint() const {
  Invalidate();
  Owner().Update();
}

void TPaintBox::Paint(TCanvas& /*canvas*/) {
  const RECT rect = FormRect();
  PaintCanvas.Attach(Owner().HandleAllocated() ? Owner().Handle() : nullptr, {rect.left, rect.top});
  PaintCanvas.Pen = TPen();
  PaintCanvas.Brush = TBrush();
  PaintCanvas.Font = Font;
  if (auto handler = OnPaint) {  // a copy: the handler may replace itself
    handler(*this);
  }
}

TTimer::TTimer(TForm& owner, std::string name)
    : TComponent(owner, std::move(name)), TimerId(owner.NewTimerId()) {}

TTimer::~TTimer() {
  if (Owner().HandleAllocated()) {
    KillTimer(Owner().Handle(), TimerId);
  }
}

void TTimer::SetEnabled(bool enabled) {
  IsEnabled = enabled;
  Update();
}

void TTimer::SetInterval(UINT milliseconds) {
  Milliseconds = milliseconds;
  Update();
}

void TTimer::SetOnTimer(std::function<void(TTimer&)> handler) {
  OnTimer = std::move(handler);
  Update();
}

void TTimer::Update() {
  if (!Owner().HandleAllocated()) {
    return;
  }
  const HWND window = Owner().Handle();
  KillTimer(window, TimerId);
  if (IsEnabled && Milliseconds > 0 && OnTimer) {
    SetTimer(window, TimerId, Milliseconds, nullptr);
  }
}

void TTimer::Tick() {
  if (auto handler = OnTimer) {
    handler(*this);
  }
}
