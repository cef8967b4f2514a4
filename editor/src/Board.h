#pragma once

// One open board: its settings and objects. Objects keep the order in which the board file lists
// them, and every walk over them follows that order, so that two walks of the same thing yield the
// same objects in the same order.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "BoardSettings.h"
#include "Objects.h"

namespace Tarnix {

struct TKicadSource;

class TBoard {
 public:
  TBoard() = default;
  TBoard(const TBoard&) = delete;
  TBoard& operator=(const TBoard&) = delete;

  // Gives the board and all its objects handles. False, with nothing registered, when the editor's
  // handles are used up.
  bool Register();
  // Takes the handles of the board and all its objects back.
  void Unregister();

  // Every object in board order: nets, components each followed by its pads and designator text,
  // free primitives, connections.
  void ForEachObject(const std::function<void(TObject&)>& visit) const;

  // The handles of the objects of a kind under a parent (null = the board itself, or a component or
  // net of the board) on one layer (0 = every layer), in board order. A net yields its members.
  std::vector<uint32_t> Walk(const TObject* parent, TKind kind, TLayerNumber layer);

  // The box around the board's objects; (0, 0, 0, 0) for an empty board.
  TRect Bounds() const;

  TNet* FindNet(std::string_view name) const;
  // A net of this board by handle (0 gives null and counts as found).
  bool NetOfHandle(uint32_t handle, TNet*& net) const;

  // Called whenever an object changes its net: the nets' member lists are rebuilt before use.
  void NetsChanged() { MembersStale = true; }

  // Recomputes the connections: for every net, the shortest tree over its pads. False when the
  // editor's handles are used up (the old connections then stay).
  bool RecomputeConnections();
  // The summed length of the connections.
  double ConnectionLength() const;

  uint32_t Handle = 0;
  std::string FileName;
  TBoardSettings Settings;
  std::vector<std::unique_ptr<TNet>> Nets;
  std::vector<std::unique_ptr<TComponent>> Components;
  std::vector<std::unique_ptr<TObject>> Primitives;  // free tracks, fills, arcs, vias and texts
  std::vector<std::unique_ptr<TFromTo>> Connections;
  uint32_t RedrawCount = 0;

  // A board read from a KiCad file keeps that file's text and tree, so that saving edits the new
  // placement into the original text; null for a board of the editor's own format.
  std::shared_ptr<const TKicadSource> Kicad;
  // The loops of the board's true outline where the file has one (the outer loop first, then the
  // cut-outs); the placement area itself is the box of keep-out tracks around the outer loop.
  std::vector<std::vector<TPoint>> Outline;
  // Components locked for a placement run only (they overhang the outline), unlocked after it.
  std::vector<TComponent*> Held;
  // What reading had to approximate or guess, for the host to tell the user.
  std::vector<std::string> Notes;

 private:
  void RebuildMembers();

  bool MembersStale = true;
};

}  // namespace Tarnix
