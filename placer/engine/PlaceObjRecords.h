#pragma once

// The engine's plain records. The import fills them from the PCB document; the engine works on
// nothing else during a run. Every field starts at zero, as the import expects of a fresh record.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The editor's layer numbers (TopLayer, BottomLayer, MultiLayer, ...): the engine uses the same
// ones.
#include "CellGrid.h"
#include "pcb/Layers.h"

// Classification bits of TCompRecord::Flags.
inline constexpr int32_t FlagLarge = 1;      // more than 7 pads
inline constexpr int32_t FlagVeryLarge = 2;  // more than 13 pads
inline constexpr int32_t FlagPowered = 4;  // on a power and a ground net: wants a bypass capacitor
inline constexpr int32_t FlagBypass = 8;   // a bypass capacitor
inline constexpr int32_t FlagFixed = 16;

// One pad of a component.
struct TPinRecord {
  int32_t X = 0;  // absolute position; moves and rotations update it
  int32_t Y = 0;
  std::string PadName;    // up to 4 characters
  int32_t NetNumber = 0;  // 1-based into TAutoPlacer::Nets; 0 = not on a signal net
  int32_t ComponentNumber = 0;
  // Editor handle of the power or ground net the pad is on; 0 = neither. Bypass capacitors are
  // paired with the components that share these nets.
  uint32_t SupplyNet = 0;
};

struct TNetRecord;

// One connection of a net's tree as it was traced onto the density grid: the pin's position and
// density cell then, and the key of the pin it was joined to (-1: none).
struct TTracedPin {
  int32_t X = 0;
  int32_t Y = 0;
  int32_t Col = 0;
  int32_t Row = 0;
  int32_t Link = -1;
  bool operator==(const TTracedPin&) const = default;
};

// One component of either side of the board.
struct TCompRecord {
  int32_t Flags = 0;
  int32_t SortKey = 0;            // nothing sets it: the setup's sort keeps the order it is given
  int32_t Rotation = 0;           // quarter turns counter-clockwise added by the engine, 0..3
  double OriginalRotation = 0.0;  // degrees at import
  int32_t GroupNext = 0;  // positions in TAutoPlacer::Components of the group ring's neighbours
  int32_t GroupPrev = 0;
  int32_t GroupWidth = 0;  // size of the group's bounding box
  int32_t GroupHeight = 0;
  int32_t GroupX = 0;  // centre of the group's bounding box: what the moves act on
  int32_t GroupY = 0;
  uint8_t Visited = 0;
  int32_t GroupId = 0;  // 0 = no group
  std::string Designator;
  uint8_t Layer = 0;        // TopLayer or BottomLayer
  uint8_t SingleLayer = 0;  // 1 when no pad is on MultiLayer
  int32_t X = 0;            // reference point
  int32_t Y = 0;
  int32_t Width = 0;  // footprint size, clearance included
  int32_t Height = 0;
  int32_t CenterX = 0;  // footprint centre
  int32_t CenterY = 0;
  uint8_t Movable = 0;
  int32_t PinCount = 0;
  std::vector<std::unique_ptr<TPinRecord>> Pins;  // owned
  // Side of the strip reserved beside the component for a bypass capacitor: 1 + quarter turns
  // counter-clockwise from +X, taken in the component's unturned frame (Rotation 0); 0 = none.
  int32_t BypassSide = 0;
  // The whole designator, however long, as imported. Designator is cut to 12 characters for
  // drawing and the records.
  std::string FullDesignator;
  // The editor handle of the component the record was imported from: the write-back writes the
  // record into that very component, since designators may repeat or be empty.
  uint32_t Handle = 0;
  // The component's number in the import's walk of the board (top side, then bottom side), which
  // finds it again on a board that was closed and opened anew under new handles.
  int32_t ImportNumber = 0;
  // The distinct signal nets of the pins, each once, in the order of its first pin: what a cost
  // update walks. Listed by the cost when it first moves the component and again by every full
  // evaluation; pins on no signal net are left out.
  std::vector<TNetRecord*> SignalNets;
  bool SignalNetsListed = false;
  // The occupancy cells the footprint covered when a move took it off; the move puts back only
  // the difference.
  TCellRange CellsBefore{0, -1, 0, -1};
};

// A pin of a net's tree being built, at its working position: what the search for the nearest
// earlier pin reads, side by side, so that the search walks one array.
struct TWorkingPin {
  int64_t Sum = 0;   // X + Y
  int64_t Diff = 0;  // X - Y
  int32_t X = 0;
  int32_t Y = 0;
};

// Working memory the cost keeps with each net, so that rebuilding the net's tree needs no
// allocation and little more than linear time. Sized when the tree is first built (again only when
// the pin count changes); nothing outside the cost reads it. The flags and counts every move reads
// come first, next to each other, so that they share as few cache lines as they can.
struct TNetWorkspace {
  int32_t Size = 0;  // pins the arrays below are sized for
  // The connections as last traced onto the density grid, one entry per pin in TracedPins, kept
  // by import position (by working position in a net whose tree is never rebuilt, where the two
  // agree). A move compares the tree it makes with these and re-traces only the connections whose
  // cells change; a rejected move gets its entries back from the journal.
  bool Traced = false;          // the entries describe the current tree, and the grid holds it
  bool Deferred = false;        // a move has left this tree's connections on the grid for now
  bool TracedByImport = false;  // the entries are kept by import position
  int32_t TracedCount = 0;      // pins of the traced tree
  int32_t TracedGrid[5] = {};   // board corner, cell size and highest indices of the density grid
  // The tree and the traced flags as they were before the move being recorded changed them, for
  // taking a rejected move back (see TMoveJournal). A tree of two pins is never reordered, so only
  // larger ones keep their pins and links; the kept arrays are exchanged with the net's, so after
  // a move that stood they hold nothing of use.
  uint32_t SavedGeneration = 0;  // the move these belong to
  bool SavedTree = false;        // SavedPins and SavedParent hold the tree before this move
  bool SavedTraced = false;
  bool SavedTracedByImport = false;
  int32_t SavedTracedCount = 0;
  int32_t SavedTracedGrid[5] = {};
  double SavedLength = 0.0;
  std::vector<TTracedPin> TracedPins;
  std::vector<TPinRecord*> SavedPins;
  std::vector<int32_t> SavedParent;

  std::vector<int64_t> DistanceKey;  // |X| + |Y| of each pin, by import position
  std::vector<int64_t> SumKey;       // X + Y of each pin, by import position
  std::vector<int32_t> PinX;         // coordinates of each pin, by import position
  std::vector<int32_t> PinY;
  std::vector<int32_t>
      ByDistance;                 // import positions in ascending DistanceKey, kept between builds
  std::vector<int32_t> BySum;     // import positions in ascending SumKey, kept between builds
  std::vector<int32_t> Order;     // import position of the pin at each working position
  std::vector<int32_t> Position;  // working position of the pin at each import position
  std::vector<TWorkingPin> Working;  // coordinates and X + Y by working position

  std::vector<int32_t> NewCol;  // density cell of each working position in the tree being traced
  std::vector<int32_t> NewRow;
  std::vector<int32_t> Changed;  // working positions whose traced entries a move rewrites
};

// One signal net. Its pin arrays point at the pin records that the component records own. The
// length and the arrays' headers come before the workspace's flags, which every move reads with
// them.
struct TNetRecord {
  uint8_t Touched = 0;  // belongs to the group being moved and not yet handled by a member
  uint8_t Pending = 0;  // unused: a cost update walks the component's listed nets instead
  int32_t PinCount = 0;
  double Length = 0.0;                    // Manhattan length of the net's tree
  std::vector<TPinRecord*> Pins;          // working order, re-sorted when the tree is rebuilt
  std::vector<int32_t> Parent;            // 1-based working position of each pin's tree parent
  std::vector<TPinRecord*> PinsOriginal;  // import order
  TNetWorkspace Work;                     // the cost's working memory for this net
};

// A rectangle of the keep-out layer that no component may overlap.
struct TKeepOutRect {
  int32_t X1 = 0;
  int32_t Y1 = 0;
  int32_t X2 = 0;
  int32_t Y2 = 0;
};

// What the run loop records at the start of every pass.
struct TPlacerLogRecord {
  int32_t PassNumber = 0;
  int32_t MovesInPass = 0;     // of the previous pass
  int32_t RejectedInPass = 0;  // of the previous pass
  int32_t MovesTotal = 0;
  double TotalCost = 0.0;
  double DensityTerm = 0.0;
  double AlignmentTerm = 0.0;
  double OverlapTerm = 0.0;
  double NetLengthTerm = 0.0;
  double Temperature = 0.0;
  double RangeFactor = 0.0;
  int32_t ElapsedSeconds = 0;
};
