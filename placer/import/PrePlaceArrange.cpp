// The arrangement of the groups: every group becomes a compact block, and the blocks are set down
// in a field to the right of the board, in the PCB document itself. Inside a block the large
// members stand upright in a row and the small members in columns on both sides of it.
//
// Positions are 32-bit board coordinates; sums are formed in 64 bits and wrap to 32 bits as the
// PCB document stores them.

#include <algorithm>
#include <map>

#include "import/PrePlaceGrouping.h"

namespace {

// The field is made of cells of 10000 mil, one group each, in columns of nine cells that begin
// 10000 mil right of the board. Past 80000 mil a column starts over half a cell beside the first.
constexpr int32_t CellSize = 100000000;
constexpr int32_t ColumnLimit = 900000000;
constexpr int32_t FarColumns = 800000000;
constexpr int32_t FarColumnOffset = 50000000;
constexpr int32_t FarColumnTop = 200000000;

// The outermost left edge before any small member stood on the left.
constexpr int32_t NoLeftEdge = 999990000;

int32_t Wrap(int64_t value) {
  return static_cast<int32_t>(static_cast<uint32_t>(value));
}

void Read(TGroupingComponent& component, uint32_t handle) {
  component.Handle = handle;
  component.Sync(PcbApi_ModeRead);
}

// A read with the component's bounding rectangle, for its geometry.
void ReadPlaced(TGroupingComponent& component, uint32_t handle) {
  Read(component, handle);
  component.ReadBounds();
}

// Puts the component's reference point at (x, y) as its final position.
void MoveTo(TPlacerComponent& component, int32_t x, int32_t y) {
  component.X = x;
  component.Y = y;
  component.Sync(PcbApi_ModeWriteFinal);
}

void TurnQuarter(TPlacerComponent& component) {
  component.Rotation += 90.0;
  component.Sync(PcbApi_ModeWriteFinal);
}

void ResetComponentTags() {
  TGroupingComponent component;
  for (const uint32_t handle : AllComponents()) {
    Read(component, handle);
    component.Tag = 0;
    component.Sync(PcbApi_ModeWrite);
  }
}

// The next cell of the field after a group was set down.
void AdvanceCursor(TArrangeCursor& cursor, int32_t boardRight) {
  cursor.GY = Wrap(int64_t{cursor.GY} + CellSize);
  if (cursor.GY <= cursor.ColumnLimit)
    return;
  if (cursor.GX < FarColumns) {
    cursor.GX = Wrap(int64_t{cursor.GX} + CellSize);
    cursor.GY = CellSize;
  } else {
    cursor.GX = Wrap(int64_t{boardRight} + FarColumnOffset);
    cursor.GY = FarColumnTop;
    cursor.ColumnLimit = ColumnLimit;
  }
}

struct TGroupMembers {
  std::vector<uint32_t> Large;
  std::vector<uint32_t> Small;
};

// Lays out one group at the arrangement cursor (ArrangeGroup), given its members.
void ArrangeMembers(const TGroupMembers& members);

// The members of every group in enumeration order, large and small apart. Arranging a group
// moves and turns its members and marks them, but changes no group index or pad count, so the
// members of all groups are found in one walk before the first group is arranged.
std::map<int32_t, TGroupMembers> MembersOfGroups() {
  std::map<int32_t, TGroupMembers> groups;
  TGroupingComponent component;
  for (const uint32_t handle : AllComponents()) {
    Read(component, handle);
    TGroupMembers& members = groups[component.GroupIndex];
    (IsLargeComponent(component) ? members.Large : members.Small).push_back(handle);
  }
  return groups;
}

// Marks every member of a group with Tag 1.
void MarkGroupMembers(const TGroupMembers& members) {
  TGroupingComponent component;
  for (const auto* handles : {&members.Large, &members.Small})
    for (const uint32_t handle : *handles) {
      Read(component, handle);
      component.Tag = 1;
      component.Sync(PcbApi_ModeWrite);
    }
}

int32_t TallestHeight(const std::vector<uint32_t>& handles) {
  TGroupingComponent component;
  int32_t tallest = 0;
  for (const uint32_t handle : handles) {
    ReadPlaced(component, handle);
    tallest = std::max(tallest, Wrap(int64_t{component.BoundsTop} - component.BoundsBottom));
  }
  return tallest;
}

// Sets the large members in a row from the cursor, each with its left edge at least the large
// clearance right of the previous one's right edge and its top at the cursor's row (both raised
// to the grid); the row's right edge.
int32_t PlaceRow(const std::vector<uint32_t>& large, const TArrangeCursor& cursor) {
  const TBoard& board = ImportContext().Board();
  const int32_t grid = board.PlacementGrid;
  TGroupingComponent component;
  int32_t right = cursor.GX;
  for (const uint32_t handle : large) {
    ReadPlaced(component, handle);
    const int32_t x = CeilToGrid(
        Wrap(int64_t{board.LargeComponentClearance} + right + component.X - component.BoundsLeft),
        grid);
    const int32_t y =
        CeilToGrid(Wrap(int64_t{component.Y} - component.BoundsTop + cursor.GY), grid);
    right = Wrap(int64_t{component.BoundsRight} - component.X + x);
    MoveTo(component, x, y);
  }
  return right;
}

// Columns of small members that grow downward from the row's top, alternating between the left
// and the right of the row; every new column on a side keeps the small clearance from the
// outermost edge of that side's previous column.
class TSmallColumns {
 public:
  TSmallColumns(int32_t maxHeight, int32_t top, int32_t right, int32_t left)
      : MaxHeight(maxHeight), Top(top), Y(top), Right(right), Left(left) {
    const TBoard& board = ImportContext().Board();
    Grid = board.PlacementGrid;
    Clearance = board.SmallComponentClearance;
  }

  // Sets the member down in the current column; next is the member after it, 0 for none.
  void Place(uint32_t member, uint32_t next) {
    TGroupingComponent component;
    ReadPlaced(component, member);
    if (OnLeft)
      PlaceLeft(component);
    else
      PlaceRight(component);
    Y = Wrap(int64_t{Y} - ComponentHeight(component) - Clearance);
    if (next != 0 && int64_t{HeightOf(next)} + (int64_t{Top} - Y) >= MaxHeight)
      SwitchSides();
  }

 private:
  void PlaceLeft(TPlacerComponent& component) {
    const int64_t width = ComponentWidth(component);
    if (Left - width < BestLeft)
      BestLeft = Wrap(Left - width - Clearance);
    const int32_t x =
        TruncToGrid(Wrap(Left - Clearance - (int64_t{component.BoundsRight} - component.X)), Grid);
    MoveTo(component, x, RowY(component));
  }

  void PlaceRight(TPlacerComponent& component) {
    const int64_t width = ComponentWidth(component);
    if (Right + width > BestRight)
      BestRight = Wrap(Right + width + Clearance);
    const int32_t x =
        CeilToGrid(Wrap(Clearance + Right + component.X - int64_t{component.BoundsLeft}), Grid);
    MoveTo(component, x, RowY(component));
  }

  // The member's reference point that puts its top edge at the column's current bottom.
  int32_t RowY(const TPlacerComponent& component) const {
    return TruncToGrid(Wrap(int64_t{component.Y} - component.BoundsTop + Y), Grid);
  }

  void SwitchSides() {
    if (OnLeft) {
      Left = BestLeft;
      BestLeft = NoLeftEdge;
    } else {
      Right = BestRight;
      BestRight = 0;
    }
    OnLeft = !OnLeft;
    Y = Top;
  }

  static int32_t HeightOf(uint32_t handle) {
    TGroupingComponent component;
    ReadPlaced(component, handle);
    return ComponentHeight(component);
  }

  int32_t MaxHeight;
  int32_t Top;
  int32_t Y;
  int64_t Right;
  int64_t Left;
  int32_t Grid = 0;
  int64_t Clearance = 0;
  bool OnLeft = true;
  int64_t BestLeft = NoLeftEdge;
  int64_t BestRight = 0;
};

}  // namespace

void ArrangeGroups() {
  TImportContext& context = ImportContext();
  int32_t left = 0;
  int32_t bottom = 0;
  int32_t boardRight = 0;
  int32_t top = 0;
  Pcb::QueryObjectBoundingRectangle(context.BoardHandle, &left, &bottom, &boardRight, &top);
  context.Cursor = {Wrap(int64_t{boardRight} + CellSize), CellSize, ColumnLimit};
  ResetComponentTags();
  const std::map<int32_t, TGroupMembers> groups = MembersOfGroups();
  TGroupingComponent component;
  for (const uint32_t handle : AllComponents()) {
    Read(component, handle);
    if (IsLargeComponent(component) && component.Tag == 0 && component.GroupIndex != 0) {
      ArrangeMembers(groups.at(component.GroupIndex));
      AdvanceCursor(context.Cursor, boardRight);
    }
  }
}

void ArrangeGroup(int32_t group) {
  const auto groups = MembersOfGroups();
  const auto members = groups.find(group);
  ArrangeMembers(members != groups.end() ? members->second : TGroupMembers{});
}

namespace {

void ArrangeMembers(const TGroupMembers& members) {
  MarkGroupMembers(members);
  TGroupingComponent component;
  for (const uint32_t handle : members.Large) {
    ReadPlaced(component, handle);
    MakePortrait(component);
  }
  const int32_t maxHeight = TallestHeight(members.Large);
  const TArrangeCursor& cursor = ImportContext().Cursor;
  const int32_t right = PlaceRow(members.Large, cursor);
  // A group always has a large member; without one the columns start at the cursor.
  int32_t top = cursor.GY;
  if (!members.Large.empty()) {
    ReadPlaced(component, members.Large.front());
    top = component.BoundsTop;
  }
  ArrangeSmallMembers(members.Small, maxHeight, top, right, cursor.GX);
}

}  // namespace

void ArrangeSmallMembers(const std::vector<uint32_t>& small, int32_t maxHeight, int32_t top,
                         int32_t right, int32_t left) {
  const int64_t clearance = ImportContext().Board().SmallComponentClearance;
  TGroupingComponent component;
  int64_t sumLong = -clearance;
  for (const uint32_t handle : small) {
    ReadPlaced(component, handle);
    sumLong += std::max(ComponentWidth(component), ComponentHeight(component)) + clearance;
  }
  const bool landscape = 2 * int64_t{maxHeight} < sumLong;
  for (const uint32_t handle : small) {
    ReadPlaced(component, handle);
    if (landscape)
      MakeLandscape(component);
    else
      MakePortrait(component);
  }
  TSmallColumns columns(maxHeight, top, right, left);
  for (size_t i = 0; i < small.size(); ++i)
    columns.Place(small[i], i + 1 < small.size() ? small[i + 1] : 0);
}

int32_t CeilToGrid(int32_t value, int32_t grid) {
  if (grid <= 0)
    return value;
  int64_t multiple = int64_t{value / grid} * grid;
  while (multiple < value)
    multiple += grid;
  return Wrap(multiple);
}

int32_t TruncToGrid(int32_t value, int32_t grid) {
  if (grid <= 0)
    return value;
  return value / grid * grid;
}

void MakePortrait(TPlacerComponent& component) {
  if (ComponentWidth(component) > ComponentHeight(component))
    TurnQuarter(component);
}

void MakeLandscape(TPlacerComponent& component) {
  if (ComponentWidth(component) < ComponentHeight(component))
    TurnQuarter(component);
}
