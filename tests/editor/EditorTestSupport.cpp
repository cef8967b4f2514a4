#include "EditorTestSupport.h"

#include <unistd.h>

#include <atomic>

namespace EditorTest {

const char* const TestBoardText = R"({
  "format": "pcb-board",
  "version": 1,
  "board": {"placer": {"powerNets": "VCC", "groundNets": "GND"}},
  "nets": ["GND", "VCC", "SIG", "EMPTY"],
  "components": [
    {"designator": "U1", "footprint": "SO8", "layer": "TopLayer", "x": 1000, "y": 1000,
     "groupIndex": 3, "body": [[900, 900], [1100, 900], [1100, 1100], [900, 1100]],
     "pads": [
       {"name": "1", "x": 900, "y": 1050, "size": [40, 20], "shape": "rectangle",
        "layer": "TopLayer", "net": "VCC"},
       {"name": "2", "x": 900, "y": 950, "size": [40, 20], "shape": "rectangle",
        "layer": "TopLayer", "net": "SIG"},
       {"name": "3", "x": 1100, "y": 950, "size": [40, 20], "shape": "rectangle",
        "layer": "TopLayer", "net": "GND", "powerGround": true},
       {"name": "4", "x": 1100, "y": 1050, "size": [60, 60], "layer": "MultiLayer", "hole": 30,
        "net": "SIG"}]},
    {"designator": "R1", "layer": "BottomLayer", "x": 2000, "y": 1000, "rotation": 90,
     "locked": true,
     "pads": [
       {"name": "1", "x": 2000, "y": 970, "size": [30, 20], "rotation": 90,
        "layer": "BottomLayer", "net": "SIG"},
       {"name": "2", "x": 2000, "y": 1030, "size": [30, 20], "rotation": 90,
        "layer": "BottomLayer", "net": "GND"}]},
    {"designator": "C1", "layer": "TopLayer", "x": 1500, "y": 500,
     "pads": [
       {"name": "1", "x": 1470, "y": 500, "size": [30, 30], "layer": "TopLayer", "net": "VCC"},
       {"name": "2", "x": 1530, "y": 500, "size": [30, 30], "layer": "TopLayer", "net": "GND"}]}
  ],
  "primitives": [
    {"kind": "track", "layer": "KeepOutLayer", "x1": 0, "y1": 0, "x2": 3000, "y2": 0, "width": 10},
    {"kind": "track", "layer": "KeepOutLayer", "x1": 3000, "y1": 0, "x2": 3000, "y2": 2000,
     "width": 10},
    {"kind": "track", "layer": "KeepOutLayer", "x1": 3000, "y1": 2000, "x2": 0, "y2": 2000,
     "width": 10},
    {"kind": "track", "layer": "KeepOutLayer", "x1": 0, "y1": 2000, "x2": 0, "y2": 0, "width": 10},
    {"kind": "fill", "layer": "KeepOutLayer", "x1": 2500, "y1": 1500, "x2": 2800, "y2": 1800},
    {"kind": "track", "layer": "TopLayer", "x1": 900, "y1": 950, "x2": 1500, "y2": 950,
     "width": 8, "net": "SIG"},
    {"kind": "via", "layer": "MultiLayer", "x": 1500, "y": 950, "size": 30, "hole": 15,
     "net": "SIG"},
    {"kind": "arc", "layer": "TopOverlay", "x": 500, "y": 500, "radius": 100, "startAngle": 0,
     "endAngle": 90, "width": 10},
    {"kind": "text", "layer": "TopOverlay", "x": 100, "y": 1900, "text": "TEST BOARD",
     "height": 50}
  ]
})";

TScratch::TScratch() {
  static std::atomic<int> counter{0};
  Folder = std::filesystem::temp_directory_path() /
           ("editor-tests-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
  std::filesystem::create_directories(Folder);
}

TScratch::~TScratch() {
  std::error_code error;
  std::filesystem::remove_all(Folder, error);
}

std::string TScratch::Write(const std::string& name, const std::string& text) const {
  const std::string path = Path(name);
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos)
    text.replace(at, from.size(), to);
  return text;
}

std::string ReadText(const std::string& fileName) {
  std::ifstream file(fileName, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

uint32_t OpenText(const TScratch& scratch, const std::string& text, const std::string& name) {
  char message[512] = "";
  const uint32_t board =
      Tarnix_OpenBoard(scratch.Write(name, text).c_str(), message, sizeof message);
  EXPECT_NE(board, 0u) << message;
  return board;
}

std::vector<uint32_t> Walk(uint32_t parent, uint8_t kind, uint8_t method, uint8_t layer) {
  std::vector<uint32_t> handles;
  const uint32_t iterator = PcbApi_CreateIterator(parent, kind, method, layer);
  for (uint32_t h = PcbApi_GetFirstObject(iterator); h != 0; h = PcbApi_GetNextObject(iterator))
    handles.push_back(h);
  PcbApi_DestroyIterator(iterator);
  return handles;
}

std::vector<uint32_t> Children(uint32_t component, uint8_t kind) {
  std::vector<uint32_t> children;
  for (uint16_t index = 1;; ++index) {
    uint32_t child = 0;
    EXPECT_EQ(PcbApi_QueryComponent_GetObjectAt(component, &kind, &index, &child), 0);
    if (child == 0)
      return children;
    children.push_back(child);
  }
}

int32_t QueryPad(uint8_t mode, uint32_t pad, TPadRecord& r) {
  return PcbApi_QueryPad(mode, pad, &r.StateFlags, &r.Tag, &r.Layer, &r.Net, &r.Moveable,
                         &r.Component, &r.X, &r.Y, &r.TopX, &r.TopY, &r.MidX, &r.MidY, &r.BottomX,
                         &r.BottomY, &r.Hole, &r.TopShape, &r.MidShape, &r.BottomShape, &r.Name,
                         &r.ByteBefore, &r.ByteAfter, &r.Rotation, &r.String1, &r.String2, &r.Value,
                         &r.String3, &r.Tail1, &r.Tail2, &r.Tail3, &r.Tail4, &r.Tail5, &r.Tail6,
                         &r.Tail7, &r.Tail8, &r.Tail9);
}

int32_t QueryComponent(uint8_t mode, uint32_t component, TComponentRecord& r) {
  return PcbApi_QueryComponent(mode, component, &r.StateFlags, &r.Tag, &r.Layer, &r.Moveable,
                               &r.NameText, &r.OpaqueHandle, &r.Footprint, &r.Opaque1, &r.Opaque2,
                               &r.X, &r.Y, &r.GroupIndex, &r.Rotation, &r.Opaque3);
}

int32_t QueryText(uint8_t mode, uint32_t text, TTextRecord& r) {
  return PcbApi_QueryText(mode, text, &r.StateFlags, &r.Tag, &r.Layer, &r.Net, &r.Moveable,
                          &r.Component, &r.X, &r.Y, &r.Height, &r.Width, &r.Rotation, &r.Opaque3,
                          &r.Text, &r.Opaque4, &r.Opaque5, &r.Opaque6);
}

TRectangle Bounds(uint32_t object) {
  TRectangle r;
  EXPECT_EQ(PcbApi_QueryObjectBoundingRectangle(object, &r.X1, &r.Y1, &r.X2, &r.Y2), 0);
  return r;
}

std::string NetName(uint32_t net) {
  uint16_t tag = 0;
  PcbString255 name{};
  uint8_t opaque1 = 0, opaque2 = 0;
  if (net == 0 || PcbApi_QueryNet(PcbApi_ModeRead, net, &tag, &name, &opaque1, &opaque2) != 0)
    return "";
  return FromPcbString(name);
}

std::string Designator(uint32_t component) {
  TComponentRecord record;
  TTextRecord text;
  if (QueryComponent(PcbApi_ModeRead, component, record) != 0 ||
      QueryText(PcbApi_ModeRead, record.NameText, text) != 0)
    return "";
  return FromPcbString(text.Text);
}

std::string PadName(uint32_t pad) {
  TPadRecord record;
  return QueryPad(PcbApi_ModeRead, pad, record) == 0 ? FromPcbString(record.Name) : "";
}

namespace {

void DescribeSettings(uint32_t board, std::ostream& out) {
  uint32_t word1 = 0, currentLayer = 0;
  PcbString255 fileName{};
  uint8_t byte = 0, imperial = 0;
  int32_t v1 = 0, v2 = 0, v3 = 0, v4 = 0, word2 = 0;
  EXPECT_EQ(PcbApi_QueryBoard(PcbApi_ModeRead, board, &word1, &fileName, &byte, &v1, &v2, &v3, &v4,
                              &imperial, &currentLayer, &word2),
            0);
  uint8_t b1 = 0, b2 = 0, b3 = 0, b4 = 0, tailByte = 0;
  double d1 = 0, d2 = 0, d4 = 0, d5 = 0, d6 = 0, d7 = 0, d9 = 0, d10 = 0;
  int32_t tail = 0;
  EXPECT_EQ(PcbApi_QueryBoardGridsEx(PcbApi_ModeRead, board, &b4, &b1, &b2, &b3, &d1, &d2, &d4, &d5,
                                     &tail, &tailByte, &d6, &d7, &d9, &d10),
            0);
  PcbString255 power{}, ground{};
  uint8_t rotate = 0, extra1 = 0, extra2 = 0, group = 0;
  int32_t large = 0, small = 0;
  EXPECT_EQ(PcbApi_QueryBoardAdvancedPlacerOptions(PcbApi_ModeRead, board, &power, &ground, &rotate,
                                                   &extra1, &extra2, &group),
            0);
  EXPECT_EQ(PcbApi_QueryBoardAdvancedPlacerOptionsExt(PcbApi_ModeRead, board, &large, &small), 0);
  out << "unit " << int{imperial} << " grid " << d9 << " power '" << FromPcbString(power)
      << "' ground '" << FromPcbString(ground) << "' switches " << int{rotate} << int{extra1}
      << int{extra2} << int{group} << " clearances " << large << " " << small << "\n";
  for (uint8_t layer = 1; layer <= 82; ++layer) {
    uint32_t rgb = 0;
    EXPECT_EQ(Tarnix_GetLayerColor(board, layer, &rgb), 0);
    out << rgb << (layer % 16 == 0 ? "\n" : " ");
  }
  out << "\n";
}

void DescribePad(uint32_t pad, std::ostream& out) {
  TPadRecord r;
  EXPECT_EQ(QueryPad(PcbApi_ModeRead, pad, r), 0);
  uint8_t powerGround = 0;
  EXPECT_EQ(PcbApi_QueryPad_PwrGnd(pad, &powerGround), 0);
  out << "  pad '" << FromPcbString(r.Name) << "' " << r.X << "," << r.Y << " layer " << r.Layer
      << " net '" << NetName(r.Net) << "' size " << r.TopX << "x" << r.TopY << " " << r.MidX << "x"
      << r.MidY << " " << r.BottomX << "x" << r.BottomY << " hole " << r.Hole << " shapes "
      << int{r.TopShape} << int{r.MidShape} << int{r.BottomShape} << " rotation " << r.Rotation
      << " supply " << int{powerGround} << "\n";
}

void DescribeComponent(uint32_t component, std::ostream& out) {
  TComponentRecord r;
  EXPECT_EQ(QueryComponent(PcbApi_ModeRead, component, r), 0);
  const TRectangle box = Bounds(component);
  out << "component '" << Designator(component) << "' '" << FromPcbString(r.Footprint) << "' layer "
      << int{r.Layer} << " at " << r.X << "," << r.Y << " rotation " << r.Rotation << " moveable "
      << int{r.Moveable} << " group " << r.GroupIndex << " box " << box.X1 << "," << box.Y1 << ","
      << box.X2 << "," << box.Y2 << "\n";
  for (uint32_t pad : Children(component, PadKind))
    DescribePad(pad, out);
}

void DescribePrimitives(uint32_t board, std::ostream& out) {
  for (uint32_t track : Walk(board, TrackKind, 0, 0)) {
    uint16_t flags = 0, tag = 0;
    uint32_t layer = 0, net = 0, owner = 0;
    uint8_t moveable = 0;
    int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0, width = 0, o2 = 0, o3 = 0, o4 = 0;
    EXPECT_EQ(PcbApi_QueryTrack(PcbApi_ModeRead, track, &flags, &tag, &layer, &net, &moveable,
                                &owner, &x1, &y1, &x2, &y2, &width, &o2, &o3, &o4),
              0);
    out << "track " << layer << " " << x1 << "," << y1 << "," << x2 << "," << y2 << " width "
        << width << " net '" << NetName(net) << "'\n";
  }
  for (uint32_t fill : Walk(board, FillKind, 0, 0)) {
    uint16_t flags = 0, tag = 0;
    uint32_t layer = 0, net = 0, owner = 0;
    uint8_t moveable = 0;
    int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0, o1 = 0;
    double rotation = 0;
    EXPECT_EQ(PcbApi_QueryFill(PcbApi_ModeRead, fill, &flags, &tag, &layer, &net, &moveable, &owner,
                               &x1, &y1, &x2, &y2, &o1, &rotation),
              0);
    out << "fill " << layer << " " << x1 << "," << y1 << "," << x2 << "," << y2 << " rotation "
        << rotation << " net '" << NetName(net) << "'\n";
  }
  for (uint32_t arc : Walk(board, ArcKind, 0, 0)) {
    uint16_t flags = 0, tag = 0;
    uint32_t layer = 0, net = 0, owner = 0;
    uint8_t moveable = 0;
    int32_t x = 0, y = 0, radius = 0, o1 = 0, width = 0;
    double start = 0, end = 0;
    EXPECT_EQ(PcbApi_QueryArc(PcbApi_ModeRead, arc, &flags, &tag, &layer, &net, &moveable, &owner,
                              &x, &y, &radius, &start, &end, &o1, &width),
              0);
    out << "arc " << layer << " " << x << "," << y << " r " << radius << " " << start << ".." << end
        << " width " << width << " net '" << NetName(net) << "'\n";
  }
  for (uint32_t via : Walk(board, ViaKind, 0, 0)) {
    uint16_t flags = 0, tag = 0;
    uint8_t layer = 0, moveable = 0, o1 = 0, o2 = 0, o3 = 0, o4 = 0;
    uint32_t net = 0, owner = 0;
    int32_t x = 0, y = 0, size = 0, hole = 0;
    EXPECT_EQ(PcbApi_QueryVia(PcbApi_ModeRead, via, &flags, &tag, &layer, &net, &moveable, &owner,
                              &x, &y, &size, &hole, &o1, &o2, &o3, &o4),
              0);
    out << "via " << int{layer} << " " << x << "," << y << " " << size << "/" << hole << " net '"
        << NetName(net) << "'\n";
  }
  for (uint32_t text : Walk(board, TextKind, 0, 0)) {
    TTextRecord r;
    EXPECT_EQ(QueryText(PcbApi_ModeRead, text, r), 0);
    out << "text " << r.Layer << " " << r.X << "," << r.Y << " '" << FromPcbString(r.Text)
        << "' height " << r.Height << " rotation " << r.Rotation << "\n";
  }
}

}  // namespace

std::string Describe(uint32_t board) {
  std::ostringstream out;
  out.precision(17);
  DescribeSettings(board, out);
  for (uint32_t net : Walk(board, NetKind, 0, MultiLayer))
    out << "net '" << NetName(net) << "' pads " << Walk(net, PadKind, 2, 0).size() << "\n";
  for (uint32_t component : Walk(board, ComponentKind, 0, 0))
    DescribeComponent(component, out);
  DescribePrimitives(board, out);
  const TRectangle box = Bounds(board);
  out << "board box " << box.X1 << "," << box.Y1 << "," << box.X2 << "," << box.Y2 << "\n";
  return out.str();
}

}  // namespace EditorTest
