#pragma once

// A footprint's placement in KiCad's frame: its position and angle. A positive angle turns
// counter-clockwise on screen (with +Y down), so a local point (px, py) lands on the board at
// (X + px·cos + py·sin, Y − px·sin + py·cos).

#include "Geometry.h"
#include "KicadNodes.h"

namespace Tarnix {

struct TPlacement {
  TPlacement(TMm at, double angle) : At(at), Angle(angle), Turn(SinCosDegrees(angle)) {}

  TMm ToBoard(TMm local) const {
    return {At.X + local.X * Turn.Cos + local.Y * Turn.Sin,
            At.Y - local.X * Turn.Sin + local.Y * Turn.Cos};
  }
  TMm ToLocal(TMm board) const {
    const double dx = board.X - At.X, dy = board.Y - At.Y;
    return {dx * Turn.Cos - dy * Turn.Sin, dx * Turn.Sin + dy * Turn.Cos};
  }

  TMm At;
  double Angle;
  TSinCos Turn;
};

}  // namespace Tarnix
