#include <gtest/gtest.h>

#include <array>

#include "FakeClient.h"
#include "framework/ClientServices.h"
#include "framework/Rt_Param.h"

namespace {

std::array<char, 256> OptimizeAll() {
  std::array<char, 256> parameters{};
  SetParameter(parameters.data(), parameters.size(), "Optimize", "All");
  return parameters;
}

TEST(RunProcess, HandsNameParametersCapacityAndFlagsToTheLauncher) {
  const TComPtr<TFakeLaunchingClient> client = MakeComObject<TFakeLaunchingClient>();
  const TClientScope scope(client.Get());
  std::array<char, 256> parameters = OptimizeAll();
  RunProcess("PCB:Netlist", parameters.data(), 255, 0);
  ASSERT_EQ(client->Runs.size(), 1u);
  EXPECT_EQ(client->Runs[0].ProcessName, L"PCB:Netlist");
  EXPECT_EQ(client->Runs[0].Parameters, "Optimize=All");
  EXPECT_EQ(client->Runs[0].Capacity, 255);
  EXPECT_EQ(client->Runs[0].Flags, 0);
}

TEST(RunProcess, AFailingProcessRaises) {
  const TComPtr<TFakeLaunchingClient> client = MakeComObject<TFakeLaunchingClient>();
  client->Status = E_FAIL;
  const TClientScope scope(client.Get());
  std::array<char, 256> parameters = OptimizeAll();
  EXPECT_THROW(RunProcess("PCB:Zoom", parameters.data(), 255, 0), EHostCallFailed);
  EXPECT_EQ(client->Runs.size(), 1u);
}

TEST(RunProcess, AClientWithoutLauncherRaises) {
  const TComPtr<TFakeClient> client = MakeComObject<TFakeClient>();
  const TClientScope scope(client.Get());
  std::array<char, 256> parameters = OptimizeAll();
  EXPECT_THROW(RunProcess("PCB:Netlist", parameters.data(), 255, 0), EHostCallFailed);
}

TEST(RunProcess, WithoutClientNothingHappens) {
  std::array<char, 256> parameters = OptimizeAll();
  EXPECT_NO_THROW(RunProcess("PCB:Netlist", parameters.data(), 255, 0));
}

}  // namespace
