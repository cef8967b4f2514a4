#pragma once

// The signal nets of a board (every named net that the placer options do not call a supply) as
// boxes around their pads, for a step that moves parts to shorten them: the half-perimeter of
// each box, and what it becomes when some parts' pads move. A net of many pads is not walked
// again for each move: its box, and how many pads lie on each of its edges, say when the pads that
// move leave it as it was.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "Board.h"
#include "FreeSpots.h"

namespace Tarnix {

// One part's pads at new centres, in the order of its pads.
struct TPadsAt {
  size_t Part = 0;  // index in the board's components
  std::vector<TPoint> Centres;
};

class TSignalNets {
 public:
  explicit TSignalNets(const TBoard& board);

  // The summed half-perimeter of the signal nets of two pads or more, board units.
  int64_t Length() const { return Total; }
  // The signal nets a part has pads on, each once.
  const std::vector<uint32_t>& NetsOf(size_t part) const { return PartNets[part]; }
  // The signal net of one of a part's pads; -1 for none.
  int32_t NetOfPad(size_t part, size_t pad) const { return PadNets[part][pad]; }
  // The box around a net's pads other than the part's; none when it has no others.
  std::optional<TBox64> BoxWithout(uint32_t net, size_t part) const;
  // How much the length changes when the parts' pads lie at the centres given.
  int64_t Change(const std::vector<TPadsAt>& moved) const;
  // Takes the boxes of the part's nets afresh after the part moved on the board.
  void Moved(size_t part);

 private:
  struct TPin {
    uint32_t Part, Pad;
  };
  struct TNetBox {
    std::vector<TPin> Pins;
    TBox64 Box{};
    std::array<int, 4> OnEdge{};  // pads on its left, right, bottom and top edges
    int64_t Length = 0;
  };
  struct TCounted {
    TBox64 Box{};
    size_t Pads = 0;
  };

  TPoint Centre(TPin pin) const;
  // The net's box with the moved parts' pads at their new centres, or without them.
  TCounted BoxOf(uint32_t net, const std::vector<TPadsAt>& moved, bool withMoved) const;
  // Whether the cached box stays the box of the pads that do not move.
  bool CachedBoxHolds(uint32_t net, const std::vector<TPadsAt>& moved) const;
  void Measure(uint32_t net);

  const TBoard& Board;
  std::vector<TNetBox> Nets;
  std::vector<std::vector<uint32_t>> PartNets;
  std::vector<std::vector<int32_t>> PadNets;  // per part and pad: its signal net, or -1
  int64_t Total = 0;
};

}  // namespace Tarnix
