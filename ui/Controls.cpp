#include "ui/Controls.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "ui/Forms.h"

TControl::TControl(TForm& owner, TControl* parent, std::string name)
    : TComponent(owner, std::move(name)), ParentControl(parent) {
  if (parent != nullptr && &parent->Owner() != &owner) {
    throw std::invalid_argument("a control's parent must belong to the same form");
  }
}

void TControl::SetBounds(int left, int top, int width, int height) {
  Bounds = {left, top, left + std::max(width, 0), top + std::max(height, 0)};
  Invalidate();
}

void TControl::SetAlign(TAlign align) {
  Alignment = align;
  Invalidate();
}

RECT TControl::BoundsRect() const {
  if (Alignment != TAlign::Client) {
    return Bounds;
  }
  if (ParentControl == nullptr) {
    return Owner().ClientRect();
  }
  const RECT parent = ParentControl->BoundsRect();
  return {0, 0, parent.right - parent.left, parent.bottom - parent.top};
}

RECT TControl::FormRect() const {
  RECT rect = BoundsRect();
  if (ParentControl != nullptr) {
    const RECT parent = ParentControl->FormRect();
    rect.left += parent.left;
    rect.right += parent.left;
    rect.top += parent.top;
    rect.bottom += parent.top;
  }
  return rect;
}

void TControl::SetVisible(bool visible) {
  IsVisible = visible;
  Invalidate();
}

bool TControl::Showing() const {
  return IsVisible && (ParentControl == nullptr || ParentControl->Showing());
}

void TControl::SetEnabled(bool enabled) {
  IsEnabled = enabled;
  Invalidate();
}

void TControl::SetCaption(std::string caption) {
  CaptionText = std::move(caption);
  Invalidate();
}

void TControl::SetColor(COLORREF color) {
  BackColor = color;
  Invalidate();
}

void TControl::Invalidate() const {
  Owner().Invalidate();
}

void TControl::Paint(TCanvas& /*canvas*/) {}

void TControl::PaintCaptionCentred(TCanvas& canvas) const {
  const RECT rect = BoundsRect();
  const int fontHeight = std::abs(Font.Height);
  const int textWidth = static_cast<int>(CaptionText.size()) * fontHeight / 2;
  canvas.Pen.Color = clWindowText;
  canvas.Font = Font;
  canvas.TextOut((rect.right - rect.left - textWidth) / 2,
                 (rect.bottom - rect.top - fontHeight) / 2, CaptionText);
}
