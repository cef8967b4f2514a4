#include <dlfcn.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "TestEditorLog.h"
#include "pcb/PCBProcs.h"
#include "pcb/PcbStrings.h"

namespace {

bool TestEditorIsLoaded() {
  void* handle = dlopen(TEST_EDITOR_PATH, RTLD_NOW | RTLD_NOLOAD);
  if (handle != nullptr)
    dlclose(handle);  // drops only the reference this look-up took
  return handle != nullptr;
}

void* LoadTestEditor() {
  return dlopen(TEST_EDITOR_PATH, RTLD_NOW | RTLD_GLOBAL);
}

// First in this program, so that a run of all tests reaches it before any test loads the editor;
// ctest runs it in a process of its own anyway.
TEST(PcbBindingBeforeLoadTest, WrappersGiveDefaultsAndBindOnceTheEditorIsLoaded) {
  if (TestEditorIsLoaded())
    GTEST_SKIP() << "an earlier test of this process loaded the editor";

  EXPECT_FALSE(BindPcbProcs());
  EXPECT_EQ(PcbModule(), nullptr);
  EXPECT_EQ(Pcb::GetCurrentBoardHandle(), 0u);
  EXPECT_EQ(PcbModule(), nullptr);

  ASSERT_NE(LoadTestEditor(), nullptr) << dlerror();
  EXPECT_EQ(Pcb::GetCurrentBoardHandle(), TestEditorBoard);
  EXPECT_NE(PcbModule(), nullptr);
}

class PcbBindingTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { Editor = LoadTestEditor(); }

  void SetUp() override {
    ASSERT_NE(Editor, nullptr) << dlerror();
    const auto logOf = reinterpret_cast<TestEditor_Log_Fn>(dlsym(Editor, "TestEditor_Log"));
    ASSERT_NE(logOf, nullptr);
    Log = logOf();
    *Log = TTestEditorLog{};
  }

  static inline void* Editor = nullptr;
  TTestEditorLog* Log = nullptr;
};

// The fields of a component as the component query exchanges them.
struct TComponentFields {
  uint16_t StateFlags = 0;
  uint16_t Tag = 0;
  uint8_t LayerNumber = 0;
  uint8_t Moveable = 0;
  uint32_t NameTextHandle = 0;
  uint32_t OpaqueHandle = 0;
  PcbString250 Footprint = {};
  uint8_t Opaque1 = 0;
  uint8_t Opaque2 = 0;
  int32_t X = 0;
  int32_t Y = 0;
  int32_t GroupIndex = 0;
  double Rotation = 0.0;
  uint8_t Opaque3 = 0;

  int32_t Query(uint8_t mode, uint32_t handle) {
    return Pcb::QueryComponent(mode, handle, &StateFlags, &Tag, &LayerNumber, &Moveable,
                               &NameTextHandle, &OpaqueHandle, &Footprint, &Opaque1, &Opaque2, &X,
                               &Y, &GroupIndex, &Rotation, &Opaque3);
  }
};

TEST_F(PcbBindingTest, BindingTakesExactlyTheExportedEntryPoints) {
  ASSERT_TRUE(BindPcbProcs());
  EXPECT_NE(PcbModule(), nullptr);

  const TPcbProcs& procs = PcbProcs();
  const std::vector<std::pair<const char*, void (*)()>> exported = {
      {"PcbApi_GetCurrentBoardHandle",
       reinterpret_cast<void (*)()>(procs.PcbApi_GetCurrentBoardHandle)},
      {"PcbApi_CreateIterator", reinterpret_cast<void (*)()>(procs.PcbApi_CreateIterator)},
      {"PcbApi_DestroyIterator", reinterpret_cast<void (*)()>(procs.PcbApi_DestroyIterator)},
      {"PcbApi_QueryComponent", reinterpret_cast<void (*)()>(procs.PcbApi_QueryComponent)},
      {"PcbApi_SetState_AddComponentTypeMapping",
       reinterpret_cast<void (*)()>(procs.PcbApi_SetState_AddComponentTypeMapping)},
  };
  for (const auto& [name, slot] : exported) {
    SCOPED_TRACE(name);
    EXPECT_EQ(reinterpret_cast<void*>(slot), dlsym(Editor, name));
  }
  EXPECT_EQ(procs.PcbApi_GetFirstObject, nullptr);
  EXPECT_EQ(procs.PcbApi_QueryPad, nullptr);
  EXPECT_EQ(procs.PcbApi_QueryComponent_GetObjectAt, nullptr);
  EXPECT_EQ(procs.PcbApi_SendCommand, nullptr);
}

TEST_F(PcbBindingTest, ReadingFillsTheCallersFieldsAndWritingHandsThemOver) {
  TComponentFields component;
  ASSERT_EQ(component.Query(PcbApi_ModeRead, 0x1234), 0);
  EXPECT_EQ(Log->Mode, PcbApi_ModeRead);
  EXPECT_EQ(Log->Handle, 0x1234u);
  EXPECT_EQ(component.StateFlags, 0x0110);
  EXPECT_EQ(component.Tag, 12);
  EXPECT_EQ(component.LayerNumber, BottomLayer);
  EXPECT_EQ(component.NameTextHandle, 0x501u);
  EXPECT_EQ(FromPcbString(component.Footprint), "SO8");
  EXPECT_EQ(component.X, -250000);
  EXPECT_EQ(component.Y, 1250000);
  EXPECT_EQ(component.GroupIndex, 3);
  EXPECT_EQ(component.Rotation, 270.0);
  EXPECT_EQ(component.Opaque3, 0xA3);

  component.X = 40000;
  component.Rotation = 90.0;
  component.Tag = 5;
  ASSERT_EQ(component.Query(PcbApi_ModeWriteFinal, 0x1234), 0);
  EXPECT_EQ(Log->Mode, PcbApi_ModeWriteFinal);
  EXPECT_EQ(Log->X, 40000);
  EXPECT_EQ(Log->Y, 1250000);
  EXPECT_EQ(Log->Rotation, 90.0);
  EXPECT_EQ(Log->Tag, 5);
  EXPECT_EQ(Log->LayerNumber, BottomLayer);
}

TEST_F(PcbBindingTest, TheEditorsStatusComesBack) {
  TComponentFields component;
  EXPECT_EQ(component.Query(PcbApi_ModeRead, 0), TestEditorUnknownHandleStatus);
}

TEST_F(PcbBindingTest, IteratorTakesALayerNumberAndPassesItsId) {
  const std::vector<std::pair<TLayerNumber, TLayerId>> cases = {{TopLayer, 1},
                                                                {BottomLayer, 32},
                                                                {KeepOutLayer, 56},
                                                                {MultiLayer, 74},
                                                                {ViaHoleLayer, 82},
                                                                {NoLayer, 0},
                                                                {83, 0},
                                                                {255, 0}};
  for (const auto& [layerNumber, layerId] : cases) {
    SCOPED_TRACE(static_cast<int>(layerNumber));
    EXPECT_EQ(Pcb::CreateIterator(TestEditorBoard, 9, 2, layerNumber), TestEditorIterator);
    EXPECT_EQ(Log->Handle, TestEditorBoard);
    EXPECT_EQ(Log->ObjectKind, 9);
    EXPECT_EQ(Log->Method, 2);
    EXPECT_EQ(Log->LayerId, layerId);
  }
}

TEST_F(PcbBindingTest, ProceduresAreCalledWithTheirArguments) {
  PcbString255 pattern;
  ToPcbString(pattern, "C*");
  Pcb::SetState_AddComponentTypeMapping(&pattern, 3);
  EXPECT_EQ(Log->Text, "C*");
  EXPECT_EQ(Log->ComponentType, 3);

  Pcb::DestroyIterator(TestEditorIterator);
  EXPECT_EQ(Log->Handle, TestEditorIterator);
  EXPECT_EQ(Log->Calls, 2);
}

// An entry point the editor lacks is not called: its wrapper gives the default result and leaves
// the caller's fields alone, except that the child query clears its out-handle.
TEST_F(PcbBindingTest, MissingEntryPointsGiveTheirDefaults) {
  struct TCase {
    const char* EntryPoint;
    std::function<int64_t()> Call;
    int64_t Expected;
  };
  const std::vector<TCase> cases = {
      {"QueryBoardSplitPlaneMode",
       [] {
         uint8_t mode = 9;
         const int32_t status = Pcb::QueryBoardSplitPlaneMode(1, TestEditorBoard, &mode);
         EXPECT_EQ(mode, 9);
         return status;
       },
       1},
      {"QueryBoardLayerPairsCount",
       [] {
         int32_t count = 4;
         const int32_t status = Pcb::QueryBoardLayerPairsCount(TestEditorBoard, &count, 1);
         EXPECT_EQ(count, 4);
         return status;
       },
       1},
      {"QueryManualFromTo",
       [] {
         uint16_t tag = 3;
         PcbString255 a = {}, b = {}, c = {};
         int32_t value = 8;
         const int32_t status = Pcb::QueryManualFromTo(1, 5, &tag, &a, &b, &c, &value);
         EXPECT_EQ(tag, 3);
         EXPECT_EQ(value, 8);
         return status;
       },
       1},
      {"AddMemberToClass",
       [] {
         PcbString255 member;
         ToPcbString(member, "GND");
         return Pcb::AddMemberToClass(5, &member);
       },
       1},
      {"GetMemberFromClassAt",
       [] {
         PcbString255 member;
         ToPcbString(member, "old");
         const int32_t status = Pcb::GetMemberFromClassAt(5, 0, &member);
         EXPECT_EQ(FromPcbString(member), "old");
         return status;
       },
       1},
      {"RemoveAllMembersFromClass", [] { return Pcb::RemoveAllMembersFromClass(5); }, 1},
      {"QueryComponent_GetObjectAt",
       [] {
         uint8_t kind = 2;
         uint16_t index = 1;
         uint32_t child = 0xDEAD;
         const int32_t status = Pcb::QueryComponent_GetObjectAt(5, &kind, &index, &child);
         EXPECT_EQ(child, 0u);
         return status;
       },
       1},
      {"GetBoardHandleFromFileName",
       [] {
         PcbString255 name;
         ToPcbString(name, "board.pcb");
         return static_cast<int64_t>(Pcb::GetBoardHandleFromFileName(&name));
       },
       0},
      {"GetObjectIdFromObjectHandle",
       [] { return static_cast<int64_t>(Pcb::GetObjectIdFromObjectHandle(5)); }, 0},
      {"GetFirstObject", [] { return static_cast<int64_t>(Pcb::GetFirstObject(77)); }, 0},
      {"QueryObjectBoundingRectangle",
       [] {
         int32_t x1 = 1, y1 = 2, x2 = 3, y2 = 4;
         const int32_t status = Pcb::QueryObjectBoundingRectangle(5, &x1, &y1, &x2, &y2);
         EXPECT_EQ(x1 + y1 + x2 + y2, 10);
         return status;
       },
       0},
      {"QueryPad_PwrGnd",
       [] {
         uint8_t flag = 6;
         const int32_t status = Pcb::QueryPad_PwrGnd(5, &flag);
         EXPECT_EQ(flag, 6);
         return status;
       },
       0},
      {"GetState_ComponentTypeMappingsCount",
       [] { return static_cast<int64_t>(Pcb::GetState_ComponentTypeMappingsCount()); }, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.EntryPoint);
    EXPECT_EQ(c.Call(), c.Expected);
  }
  Pcb::SetCurrentBoardHandle(5);
  Pcb::SetState_DeleteAllComponentTypeMappings();
  EXPECT_EQ(Log->Calls, 0);
  EXPECT_NE(PcbModule(), nullptr);
}

TEST(PcbStringsTest, TextIsCutToTheBufferAndAnOversizedLengthIsReadAsTheCapacity) {
  PcbString20 name;
  ToPcbString(name, "U17");
  EXPECT_EQ(name[0], 3);
  EXPECT_EQ(FromPcbString(name), "U17");

  ToPcbString(name, std::string(30, 'x'));
  EXPECT_EQ(FromPcbString(name), std::string(20, 'x'));

  PcbString255 longest;
  ToPcbString(longest, std::string(300, 'y'));
  EXPECT_EQ(static_cast<unsigned char>(longest[0]), 255);
  EXPECT_EQ(FromPcbString(longest), std::string(255, 'y'));

  name[0] = static_cast<char>(200);  // a length no 20-character buffer can hold
  EXPECT_EQ(FromPcbString(name).size(), 20u);

  ToPcbString(name, "");
  EXPECT_EQ(FromPcbString(name), "");
}

}  // namespace
