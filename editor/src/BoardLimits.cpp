#include "BoardLimits.h"

namespace Tarnix {

namespace {

bool WithinLimit(int64_t value) {
  return value >= -BoardLimit && value <= BoardLimit;
}

}  // namespace

TBoardExtent::TFit TBoardExtent::Add(const TExtent& object) {
  if (object.Empty())
    return TFit::Inside;
  const TRect box = object.Covering();
  if (!WithinLimit(box.X1) || !WithinLimit(box.Y1) || !WithinLimit(box.X2) || !WithinLimit(box.Y2))
    return TFit::ObjectOutside;
  Board.Add(object);
  const TRect board = Board.Covering();
  if (int64_t{board.X2} - board.X1 > BoardLimit || int64_t{board.Y2} - board.Y1 > BoardLimit)
    return TFit::BoardTooLarge;
  return TFit::Inside;
}

}  // namespace Tarnix
