// Board files: malformed files open nothing and say where they are wrong; saved boards load as
// the same board; saving replaces the target whole.

#include <sys/stat.h>
#include <unistd.h>

#include "EditorTestSupport.h"

using namespace EditorTest;

namespace {

// A valid board that the malformed cases change in one place each.
const char* const BaseBoard = R"({
  "format": "pcb-board",
  "version": 1,
  "board": {"displayUnit": "mil", "componentGrid": 20,
            "layerColors": {"TopLayer": "#FF0000"},
            "placer": {"powerNets": "VCC", "groundNets": "GND"}},
  "nets": ["GND", "VCC"],
  "components": [
    {"designator": "C1", "layer": "TopLayer", "x": 100, "y": 100, "groupIndex": 0,
     "body": [[80, 90], [120, 90], [120, 110]],
     "pads": [
       {"name": "1", "x": 80, "y": 100, "size": [20, 20], "shape": "round", "layer": "TopLayer",
        "net": "VCC"},
       {"name": "2", "x": 120, "y": 100, "size": [20, 20], "layer": "TopLayer", "net": "GND"}]}
  ],
  "primitives": [
    {"kind": "track", "layer": "KeepOutLayer", "x1": 0, "y1": 0, "x2": 500, "y2": 0, "width": 10},
    {"kind": "via", "layer": "MultiLayer", "x": 50, "y": 50, "size": 30, "hole": 15}
  ]
})";

using namespace std::string_literals;

const TMalformed MalformedCases[] = {
    {R"("format")", R"(, "format")", "line 2, column 3: not valid JSON"},
    {R"("format": "pcb-board")", R"("format": "board")", R"(format: expected "pcb-board")"},
    {R"("version": 1)", R"("version": 2)", "version: unsupported version 2"},
    {R"("version": 1)", R"("version": 1.0)", "version: expected an integer"},
    {R"("version": 1,)", "", "version: missing key"},
    {R"("nets": ["GND", "VCC"],)", R"("nets": ["GND", "VCC"], "extra": 1,)", "extra: unknown key"},
    {R"("nets": ["GND", "VCC"])", R"("nets": ["GND", "GND"])", R"(nets[1]: duplicate net "GND")"},
    {R"("nets": ["GND", "VCC"])", R"("nets": ["GND", 5])", "nets[1]: expected a string"},
    {R"("net": "VCC"})", R"("nett": "VCC"})", "components[0].pads[0].nett: unknown key"},
    {R"("net": "GND"})", R"("net": "NOPE"})", R"(components[0].pads[1].net: unknown net "NOPE")"},
    {R"("x": 80,)", R"("x": "80",)", "components[0].pads[0].x: expected a number"},
    {R"("x": 100,)", R"("x": 300000,)", "components[0].x: out of range (beyond 107374.1823 mil)"},
    {R"("x": 100,)", R"("x": -107374.1824,)",
     "components[0].x: out of range (beyond 107374.1823 mil)"},
    {R"("x": 100,)", R"("x": 1e400,)", "line 9, column 56: number out of range"},
    {R"("x": 80, "y": 100, "size": [20, 20])", R"("x": 107374, "y": 100, "size": [20, 20])",
     "components[0]: reaches beyond 107374.1823 mil from the origin"},
    {R"("x1": 0, "y1": 0, "x2": 500)", R"("x1": -60000, "y1": 0, "x2": 60000)",
     "primitives[0]: makes the board wider or taller than 107374.1823 mil"},
    {R"("groupIndex": 0)", R"("groupIndex": 0, "groupIndex": 1)",
     R"(line 9, column 95: duplicate key "groupIndex")"},
    {R"("format")", R"("format": "pcb-board", "format")",
     R"(line 2, column 33: duplicate key "format")"},
    {"15}\n  ]\n}", "15}\n  ]\n}\n}", "line 21, column 1: not valid JSON"},
    {"15}\n  ]\n}", "15}\n  ]\n}\0{}"s, "line 20, column 2: NUL byte"},
    {R"(["GND", "VCC"])", std::string(65, '[') + std::string(65, ']'),
     "line 7, column 74: nested too deeply"},
    {R"("designator": "C1", )", "", "components[0].designator: missing key"},
    {R"("layer": "TopLayer", "x": 100)", R"("layer": "MultiLayer", "x": 100)",
     "components[0].layer: a component's side must be TopLayer or BottomLayer"},
    {R"("layer": "TopLayer", "x": 100)", R"("layer": "Top", "x": 100)",
     R"(components[0].layer: unknown layer "Top")"},
    {R"("layer": "TopLayer", "net": "GND")", R"("layer": "TopOverlay", "net": "GND")",
     "components[0].pads[1].layer: a pad's layer must be TopLayer, BottomLayer or MultiLayer"},
    {R"("groupIndex": 0)", R"("groupIndex": 1.5)", "components[0].groupIndex: expected an integer"},
    {R"([[80, 90], [120, 90], [120, 110]])", R"([[80, 90], [120, 90]])",
     "components[0].body: expected at least 3 points"},
    {R"([120, 110]])", R"([120]])", "components[0].body[2]: expected [x, y]"},
    {R"("size": [20, 20], "shape")", R"("size": [-20, 20], "shape")",
     "components[0].pads[0].size[0]: must not be negative"},
    {R"("shape": "round")", R"("shape": "oval")",
     R"(components[0].pads[0].shape: unknown shape "oval")"},
    {R"("kind": "track")", R"("kind": "polygon")", R"(primitives[0].kind: unknown kind "polygon")"},
    {R"("layer": "KeepOutLayer")", R"("layer": "NoLayer")",
     R"(primitives[0].layer: unknown layer "NoLayer")"},
    {R"("width": 10)", R"("widht": 10)", "primitives[0].widht: unknown key"},
    {R"("layer": "MultiLayer")", R"("layer": "TopLayer")",
     "primitives[1].layer: a via's layer must be MultiLayer"},
    {R"("powerNets": "VCC")", R"("powerNets": 1)", "board.placer.powerNets: expected a string"},
    {R"("#FF0000")", R"("red")", R"(board.layerColors.TopLayer: expected a colour "#RRGGBB")"},
    {R"("TopLayer": "#FF0000")", R"("Top": "#FF0000")", "board.layerColors.Top: unknown layer"},
    {R"("displayUnit": "mil")", R"("displayUnit": "inch")",
     R"(board.displayUnit: expected "mil" or "mm")"},
    {R"("componentGrid": 20)", R"("componentGrid": 0)",
     "board.componentGrid: must be greater than 0"},
    {R"("nets": ["GND", "VCC"],)", R"("nets": ["GND", "VCC"])",
     "line 8, column 14: not valid JSON"},
};

TEST(BoardFileTest, MalformedFilesOpenNothingAndNameThePlace) {
  TScratch scratch;
  const uint32_t current = PcbApi_GetCurrentBoardHandle();
  // The base board itself is fine.
  const uint32_t base = OpenText(scratch, BaseBoard, "base.pcb");
  Tarnix_CloseBoard(base);
  PcbApi_SetCurrentBoardHandle(current);

  for (const TMalformed& c : MalformedCases) {
    SCOPED_TRACE(c.Message);
    const std::string file = scratch.Write("bad.pcb", Replaced(BaseBoard, c.From, c.To));
    char message[512] = "";
    EXPECT_EQ(Tarnix_OpenBoard(file.c_str(), message, sizeof message), 0u);
    EXPECT_EQ(std::string(message), file + ": " + c.Message);
    PcbString255 name{};
    ToPcbString(name, file);
    EXPECT_EQ(PcbApi_GetBoardHandleFromFileName(&name), 0u);
    EXPECT_EQ(PcbApi_GetCurrentBoardHandle(), current);
  }

  // Net lists longer than their field, and files that are not there.
  const std::string longNets =
      scratch.Write("long.pcb", Replaced(BaseBoard, R"("VCC", "groundNets")",
                                         "\"" + std::string(256, 'V') + "\", \"groundNets\""));
  char message[512] = "";
  EXPECT_EQ(Tarnix_OpenBoard(longNets.c_str(), message, sizeof message), 0u);
  EXPECT_EQ(std::string(message),
            longNets + ": board.placer.powerNets: longer than 255 characters");
  const std::string missing = scratch.Path("missing.pcb");
  EXPECT_EQ(Tarnix_OpenBoard(missing.c_str(), message, sizeof message), 0u);
  EXPECT_EQ(std::string(message), missing + ": cannot open: No such file or directory");
  // A short message buffer gets the message cut and terminated.
  char shortBuffer[8];
  EXPECT_EQ(Tarnix_OpenBoard(missing.c_str(), shortBuffer, sizeof shortBuffer), 0u);
  EXPECT_EQ(std::string(shortBuffer), missing.substr(0, 7));
}

// Only regular files of a sane size are read: a device that never ends, a pipe without writer and
// a (sparse) file beyond 512 MB are refused at once.
TEST(BoardFileTest, OnlyRegularFilesOfSaneSizeAreRead) {
  TScratch scratch;
  const std::string pipe = scratch.Path("pipe.pcb");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const std::string huge = scratch.Write("huge.pcb", "");
  ASSERT_EQ(::truncate(huge.c_str(), (off_t{512} << 20) + 1), 0);
  const struct {
    std::string File;
    std::string Message;
  } cases[] = {
      {"/dev/zero", "/dev/zero: cannot open: not a regular file"},
      {pipe, pipe + ": cannot open: not a regular file"},
      {huge, huge + ": cannot open: larger than 512 MB"},
      {scratch.Path(""), scratch.Path("") + ": cannot open: it is a folder"},
  };
  for (const auto& c : cases) {
    char message[512] = "";
    EXPECT_EQ(Tarnix_OpenBoard(c.File.c_str(), message, sizeof message), 0u);
    EXPECT_EQ(std::string(message), c.Message);
  }
}

// Settings that differ from the defaults, odd lengths and angles, and a board changed through
// the editor's functions all come back.
TEST(BoardFileTest, ChangedBoardsSurviveSaving) {
  TScratch scratch;
  std::string text = Replaced(TestBoardText, R"("board": {)",
                              R"("board": {"displayUnit": "mm", "componentGrid": 0.0001,
                                 "layerColors": {"Mechanical3": "#12abEF"},)");
  text = Replaced(text, R"("x": 1500, "y": 500)", R"("x": 1500.1234, "y": -0.0001)");
  text = Replaced(text, R"("startAngle": 0)", R"("startAngle": -33.3333333333)");
  const uint32_t board = OpenText(scratch, text);
  const uint32_t c1 = Walk(board, ComponentKind, 0, TopLayer)[1];
  TComponentRecord record;
  ASSERT_EQ(QueryComponent(PcbApi_ModeRead, c1, record), 0);
  record.Rotation = 33.0;
  record.GroupIndex = -4;
  ASSERT_EQ(QueryComponent(PcbApi_ModeWriteFinal, c1, record), 0);
  int32_t large = 1, small = 12345;
  ASSERT_EQ(PcbApi_QueryBoardAdvancedPlacerOptionsExt(PcbApi_ModeWrite, board, &large, &small), 0);

  char message[512] = "";
  ASSERT_EQ(Tarnix_SaveBoard(board, nullptr, message, sizeof message), 0) << message;
  const uint32_t again =
      Tarnix_OpenBoard(scratch.Path("board.pcb").c_str(), message, sizeof message);
  ASSERT_NE(again, 0u) << message;
  EXPECT_EQ(Describe(again), Describe(board));
  uint32_t rgb = 0;
  EXPECT_EQ(Tarnix_GetLayerColor(again, Mechanical1 + 2, &rgb), 0);
  EXPECT_EQ(rgb, 0x12ABEFu);
  Tarnix_CloseBoard(board);
  Tarnix_CloseBoard(again);
}

TEST(BoardFileTest, SavingReplacesTheTargetWholeOrNotAtAll) {
  TScratch scratch;
  const uint32_t board = OpenText(scratch, TestBoardText);
  const std::string target = scratch.Write("target.pcb", "old");
  ::chmod(target.c_str(), 0640);
  char message[512] = "";
  ASSERT_EQ(Tarnix_SaveBoard(board, target.c_str(), message, sizeof message), 0) << message;
  struct stat info {};
  ASSERT_EQ(::stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_NE(ReadText(target).find("\"TEST BOARD\""), std::string::npos);
  // Only the target remains beside the board: no temporary file is left behind.
  size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(scratch.Path("")))
    ++files;
  EXPECT_EQ(files, 2u);

  const std::string nowhere = scratch.Path("no/such/folder/board.pcb");
  EXPECT_NE(Tarnix_SaveBoard(board, nowhere.c_str(), message, sizeof message), 0);
  EXPECT_EQ(std::string(message), nowhere + ": cannot write: No such file or directory");
  EXPECT_NE(Tarnix_SaveBoard(12345, target.c_str(), message, sizeof message), 0);

  // A saved board keeps its own file name.
  PcbString255 name{};
  ToPcbString(name, scratch.Path("board.pcb"));
  EXPECT_EQ(PcbApi_GetBoardHandleFromFileName(&name), board);
  Tarnix_CloseBoard(board);
}

}  // namespace
