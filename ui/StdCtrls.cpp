#include "ui/StdCtrls.h"

#include <cstdlib>
#include <utility>

#include "ui/Forms.h"

namespace {

// A frame around the control's rectangle, filled with `fill` (clear when none is wanted).
void PaintFrame(TCanvas& canvas, const RECT& rect, COLORREF fill, bool filled) {
  canvas.Pen.Color = clBtnShadow;
  canvas.Brush.Color = fill;
  canvas.Brush.Style = filled ? TBrushStyle::Solid : TBrushStyle::Clear;
  canvas.Rectangle(0, 0, rect.right - rect.left, rect.bottom - rect.top);
}

void PaintText(TCanvas& canvas, const TFont& font, int x, int y, const std::string& text) {
  canvas.Pen.Color = clWindowText;
  canvas.Font = font;
  canvas.TextOut(x, y, text);
}

}  // namespace

void TButton::Click() {
  if (ModalResult != mrNone) {
    Owner().SetModalResult(ModalResult);
  }
  if (auto handler = OnClick) {  // a copy: the handler may replace itself
    handler(*this);
  }
}

void TButton::Paint(TCanvas& canvas) {
  PaintFrame(canvas, BoundsRect(), Color(), true);
  PaintCaptionCentred(canvas);
}

void TCheckBox::SetChecked(bool checked) {
  IsChecked = checked;
  Invalidate();
}

void TCheckBox::Click() {
  if (!Enabled()) {
    return;
  }
  SetChecked(!IsChecked);
  if (auto handler = OnClick) {
    handler(*this);
  }
}

void TCheckBox::Paint(TCanvas& canvas) {
  const int box = std::abs(Font.Height);
  canvas.Pen.Color = clBtnShadow;
  canvas.Brush.Color = clWindow;
  canvas.Brush.Style = TBrushStyle::Solid;
  canvas.Rectangle(0, 1, box, 1 + box);
  if (IsChecked) {
    canvas.Pen.Color = clWindowText;
    canvas.MoveTo(2, 3);
    canvas.LineTo(box - 2, box - 1);
    canvas.MoveTo(box - 2, 3);
    canvas.LineTo(2, box - 1);
  }
  PaintText(canvas, Font, box + 4, 1, Caption());
}

void TEdit::SetText(std::string text) {
  if (Limit > 0 && text.size() > Limit) {
    text.resize(Limit);
  }
  Content = std::move(text);
  Invalidate();
}

void TEdit::SetMaxLength(size_t maxLength) {
  Limit = maxLength;
  SetText(std::move(Content));
}

void TEdit::Paint(TCanvas& canvas) {
  PaintFrame(canvas, BoundsRect(), Enabled() ? clWindow : clBtnFace, true);
  PaintText(canvas, Font, 3, 3, Content);
}

void TLabel::Paint(TCanvas& canvas) {
  PaintText(canvas, Font, 0, 0, Caption());
}

void TGroupBox::Paint(TCanvas& canvas) {
  const RECT rect = BoundsRect();
  const int half = std::abs(Font.Height) / 2;
  canvas.Pen.Color = clBtnShadow;
  canvas.Brush.Style = TBrushStyle::Clear;
  canvas.Rectangle(0, half, rect.right - rect.left, rect.bottom - rect.top);
  PaintText(canvas, Font, 8, 0, Caption());
}

void TMemo::SetLines(std::vector<std::string> lines) {
  TextLines = std::move(lines);
  Invalidate();
}

std::string TMemo::Text() const {
  std::string text;
  for (const std::string& line : TextLines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

void TMemo::Paint(TCanvas& canvas) {
  if (Border) {
    PaintFrame(canvas, BoundsRect(), Color(), true);
  } else {
    canvas.Brush.Color = Color();
    canvas.Brush.Style = TBrushStyle::Solid;
    const RECT rect = BoundsRect();
    canvas.FillRect({0, 0, rect.right - rect.left, rect.bottom - rect.top});
  }
  const int lineHeight = std::abs(Font.Height) + 2;
  for (size_t i = 0; i < TextLines.size(); ++i) {
    PaintText(canvas, Font, 2, 2 + static_cast<int>(i) * lineHeight, TextLines[i]);
  }
}
