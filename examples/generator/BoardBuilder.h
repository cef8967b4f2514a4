#pragma once

// A board under construction: components with their footprints and nets, the outline and keep-out
// areas, and a first placement that packs the movable parts in rows inside the outline.

#include <cstdint>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "BoardJson.h"
#include "Footprints.h"
#include "Random.h"

struct TBox {
  int32_t X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  bool Overlaps(const TBox& other, int32_t gap) const;
  int64_t Area() const { return int64_t{X2 - X1} * (Y2 - Y1); }
};

// A point given relative to the outline: Permille of its width and height, plus an offset.
struct TAnchor {
  int PermilleX = 0, PermilleY = 0;
  int32_t OffsetX = 0, OffsetY = 0;
};

struct TPart {
  std::string Designator;
  TFootprint Footprint;
  std::vector<std::string> PadNets;  // one per pad, "" = unconnected
  bool Bottom = false;
  bool Locked = false;
  TAnchor Anchor;  // where a locked part stands
  int32_t X = 0, Y = 0;
  int QuarterTurns = 0;
  // The box around the part's pads and body, relative to its reference point.
  TBox Extent() const;
};

struct TPlacerSettings {
  std::string PowerNets, GroundNets;
  bool RotateComponents = true;
  bool GroupComponents = false;
  int32_t SmallClearance = Mil(10);
  int32_t LargeClearance = Mil(20);
  int32_t ComponentGrid = Mil(20);
};

class TBoardBuilder {
 public:
  // Adds a part named Prefix + its next number, with the nets of its pads in pad order.
  TPart& Add(const std::string& prefix, TFootprint footprint, std::vector<std::string> padNets);
  // Locks a part at an anchor, turned by QuarterTurns.
  void Lock(TPart& part, TAnchor anchor, int quarterTurns = 0);
  // A keep-out area between two anchors.
  void AddKeepOut(TAnchor lowerLeft, TAnchor upperRight);
  // A net in the board's list, whether or not a pad uses it.
  void AddNet(const std::string& name) { NoteNet(name); }
  size_t PartCount() const { return Parts.size(); }

  // Sizes the outline so that the parts take about Fill of the area inside it, puts the locked
  // parts at their anchors, and packs the others in rows in shuffled order.
  void Lay(double fill, TRandom& random);

  Tarnix::BoardJson::TJson ToJson() const;

  TPlacerSettings Settings;

 private:
  void SizeOutline(double fill);
  bool Pack(TRandom& random);
  void NoteNet(const std::string& name);
  int32_t AtX(const TAnchor& anchor) const;
  int32_t AtY(const TAnchor& anchor) const;

  std::deque<TPart> Parts;        // a deque keeps references to parts valid as parts are added
  std::vector<std::string> Nets;  // in order of first use
  std::set<std::string> KnownNets;
  std::map<std::string, int> Counters;
  std::vector<std::pair<TAnchor, TAnchor>> KeepOutAnchors;
  std::vector<TBox> KeepOuts;
  int32_t Width = 0, Height = 0;
};
