#include "PartGrid.h"

#include <algorithm>

namespace Tarnix {

namespace {

int64_t FloorDivide(int64_t value, int64_t by) {
  const int64_t quotient = value / by;
  return quotient * by > value ? quotient - 1 : quotient;
}

uint64_t Key(int64_t x, int64_t y) {
  return (static_cast<uint64_t>(x) << 32) ^ (static_cast<uint64_t>(y) & 0xffffffffu);
}

}  // namespace

TPartGrid::TPartGrid(const std::vector<TFootprint>& parts) : Parts(parts), Filed(parts.size()) {
  std::vector<int64_t> sides;
  for (const TFootprint& part : parts)
    sides.push_back(std::max(part.Grown.X2 - part.Grown.X1, part.Grown.Y2 - part.Grown.Y1));
  if (!sides.empty()) {
    std::nth_element(sides.begin(), sides.begin() + sides.size() / 2, sides.end());
    Side = std::max<int64_t>(1, sides[sides.size() / 2]);
  }
  for (size_t part = 0; part < parts.size(); ++part)
    Insert(part);
}

TPartGrid::TSpan TPartGrid::SpanOf(const TBox64& box) const {
  return {FloorDivide(box.X1, Side), FloorDivide(box.Y1, Side), FloorDivide(box.X2, Side),
          FloorDivide(box.Y2, Side)};
}

bool TPartGrid::Wide(const TSpan& span) const {
  const double cells =
      (static_cast<double>(span.X2 - span.X1) + 1) * (static_cast<double>(span.Y2 - span.Y1) + 1);
  return cells > static_cast<double>(Parts.size()) + 16;
}

std::vector<uint32_t>* TPartGrid::CellAt(int64_t x, int64_t y, bool make) {
  if (make)
    return &Cells[Key(x, y)];
  const auto found = Cells.find(Key(x, y));
  return found == Cells.end() ? nullptr : &found->second;
}

void TPartGrid::Insert(size_t part) {
  Filed[part] = Parts[part].Grown;
  const TSpan span = SpanOf(Filed[part]);
  if (Wide(span)) {
    Unfiled.push_back(static_cast<uint32_t>(part));  // looked at by every query instead
    return;
  }
  for (int64_t x = span.X1; x <= span.X2; ++x)
    for (int64_t y = span.Y1; y <= span.Y2; ++y)
      CellAt(x, y, true)->push_back(static_cast<uint32_t>(part));
}

void TPartGrid::Remove(size_t part) {
  const TSpan span = SpanOf(Filed[part]);
  if (Wide(span)) {
    std::erase(Unfiled, static_cast<uint32_t>(part));
    return;
  }
  for (int64_t x = span.X1; x <= span.X2; ++x)
    for (int64_t y = span.Y1; y <= span.Y2; ++y)
      if (auto* cell = CellAt(x, y, false))
        std::erase(*cell, static_cast<uint32_t>(part));
}

std::vector<size_t> TPartGrid::Near(const TBox64& box) const {
  std::vector<size_t> near;
  const TSpan span = SpanOf(box);
  if (Wide(span)) {
    for (size_t part = 0; part < Parts.size(); ++part)
      if (BoxesOverlap(box, Parts[part].Grown))
        near.push_back(part);
    return near;
  }
  for (int64_t x = span.X1; x <= span.X2; ++x)
    for (int64_t y = span.Y1; y <= span.Y2; ++y)
      if (const auto found = Cells.find(Key(x, y)); found != Cells.end())
        for (const uint32_t part : found->second)
          if (BoxesOverlap(box, Parts[part].Grown))
            near.push_back(part);
  for (const uint32_t part : Unfiled)
    if (BoxesOverlap(box, Parts[part].Grown))
      near.push_back(part);
  std::sort(near.begin(), near.end());
  near.erase(std::unique(near.begin(), near.end()), near.end());
  return near;
}

}  // namespace Tarnix
