// Supply nets recognised by their names, and the option lists made of them.

#include <gtest/gtest.h>

#include "SupplyNets.h"

using namespace Tarnix;

namespace {

constexpr TSupplyKind P = TSupplyKind::Power, G = TSupplyKind::Ground, S = TSupplyKind::Signal;

struct TNameCase {
  const char* Name;
  TSupplyKind Kind;
};

const TNameCase NameCases[] = {
    {"GND", G},       {"gnd", G},        {"AGND", G},
    {"GNDA", G},      {"/power/GND", G}, {"0V", G},
    {"VSS", G},       {"-VIN", G},       {"VCC", P},
    {"Vcc", P},       {"VDD", P},        {"VDDIO", P},
    {"VBUS", P},      {"V_USB", P},      {"+5V", P},
    {"+3V3", P},      {"+3.3V", P},      {"+1V8", P},
    {"3V3", P},       {"5V", P},         {"/power/+3V3", P},
    {"+5VA", P},      {"-12V", P},       {"VCC_PIC", P},
    {"VPP_ON", S},    {"VBUS_DET", S},   {"VCC_SENSE-ERROR*", S},
    {"GND_SENSE", S}, {"SIG", S},        {"Net-(C1-Pad1)", S},
    {"VREF", S},      {"3V3V", S},       {"/RESET#", S},
    {"", S},
};

TEST(SupplyNetsTest, NamesTellTheKindOfNet) {
  for (const TNameCase& c : NameCases)
    EXPECT_EQ(SupplyKindOfName(c.Name), c.Kind) << c.Name;
}

TEST(SupplyNetsTest, ListsHoldWhatFitsAndNameWhatNot) {
  const std::vector<std::string> nets = {"GND", "VCC", "SIG", "+5V", "V CC", "AGND"};
  std::vector<std::string> left;
  EXPECT_EQ(SupplyNetList(nets, P, 255, left), "VCC +5V");
  EXPECT_EQ(SupplyNetList(nets, G, 8, left), "GND AGND");
  EXPECT_EQ(SupplyNetList(nets, G, 7, left), "GND");
  EXPECT_EQ(left, (std::vector<std::string>{"AGND"}));  // "V CC" reads as a signal net
}

}  // namespace
