#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "framework/Rt_Param.h"

namespace {

struct TLookupCase {
  const char* Text;
  const char* Name;
  bool Found;
  const char* Value;
};

class ParameterLookup : public testing::TestWithParam<TLookupCase> {};

TEST_P(ParameterLookup, FindsTheValueOfTheFirstMatchingName) {
  const TLookupCase& c = GetParam();
  std::string value = "stale";
  EXPECT_EQ(GetParameter(c.Text, c.Name, value), c.Found);
  EXPECT_EQ(value, c.Value);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParameterLookup,
    testing::Values(
        TLookupCase{"Batch=False|UseAutoPCBUpdate=True", "batch", true, "False"},
        TLookupCase{"Batch=False|UseAutoPCBUpdate=True", "USEAUTOPCBUPDATE", true, "True"},
        TLookupCase{"A = x | B=", "A", true, "x"}, TLookupCase{"A = x | B=", "B", true, ""},
        TLookupCase{"A=1=2", "A", true, "1=2"}, TLookupCase{"flag|A=1", "flag", false, ""},
        TLookupCase{"flag|A=1", "A", true, "1"},
        TLookupCase{"A=1", " A", false, ""},     // blanks are part of the name
        TLookupCase{"A=1", "\tA\n", true, "1"},  // control characters are not
        TLookupCase{"A=first|a=second", "A", true, "first"},
        TLookupCase{"=x|A=1", "", false, ""},  // an empty name is no parameter
        TLookupCase{"A=1|", "A", true, "1"},
        TLookupCase{"\xC4=\xE9", "\xC4", true, "\xE9"},  // bytes above 127 are kept
        TLookupCase{"", "A", false, ""}, TLookupCase{nullptr, "A", false, ""}));

TEST(Parameters, ParseKeepsDuplicatesInOrderAndTrims) {
  TParameterList list;
  ParseParameters(list, " A = 1 |flag| A=2=3|  = 4 |B=");
  ASSERT_EQ(list.Count(), 3u);
  EXPECT_EQ(list.Item(0).Name, "A");
  EXPECT_EQ(list.Item(0).Value, "1");
  EXPECT_EQ(list.Item(1).Name, "A");
  EXPECT_EQ(list.Item(1).Value, "2=3");
  EXPECT_EQ(list.Item(2).Name, "B");
  EXPECT_EQ(list.Item(2).Value, "");

  ParseParameters(list, nullptr);
  EXPECT_EQ(list.Count(), 0u);
}

TEST(Parameters, LookupFollowsAChangedString) {
  std::string value;
  ASSERT_TRUE(GetParameter("Mode=One", "Mode", value));
  EXPECT_EQ(value, "One");
  char changing[] = "Mode=Two";
  ASSERT_TRUE(GetParameter(changing, "Mode", value));
  EXPECT_EQ(value, "Two");
  std::strcpy(changing, "Other=1");
  EXPECT_FALSE(GetParameter(changing, "Mode", value));
}

TEST(Parameters, ShortLookupCutsTheValueAt255Characters) {
  const std::string text = "Long=" + std::string(300, 'v');
  std::string value;
  ASSERT_TRUE(GetShortParameter(text.c_str(), "Long", value));
  EXPECT_EQ(value, std::string(255, 'v'));
  ASSERT_TRUE(GetParameter(text.c_str(), "Long", value));
  EXPECT_EQ(value.size(), 300u);
}

struct TSetCase {
  const char* Before;
  const char* Name;
  const char* Value;
  const char* After;
};

class SetParameterInBuffer : public testing::TestWithParam<TSetCase> {};

TEST_P(SetParameterInBuffer, RewritesTheWholeString) {
  const TSetCase& c = GetParam();
  std::array<char, 256> buffer{};
  std::strcpy(buffer.data(), c.Before);
  SetParameter(buffer.data(), buffer.size(), c.Name, c.Value);
  EXPECT_STREQ(buffer.data(), c.After);
}

INSTANTIATE_TEST_SUITE_P(Cases, SetParameterInBuffer,
                         testing::Values(TSetCase{"", "Optimize", "All", "Optimize=All"},
                                         TSetCase{"A=1", "B", "", "A=1|B= "},
                                         TSetCase{"A=1|B=2", "b", "  3 ", "A=1|B=3"},
                                         TSetCase{"flag|A = 1", "C", "x=y", "A=1|C=x=y"},
                                         TSetCase{"A=1|A=2", "A", "9", "A=9|A=2"},
                                         TSetCase{"A=1", "  ", "x", "A=1"}));

TEST(Parameters, AnEmptyValueReadsBackEmpty) {
  std::array<char, 256> buffer{};
  std::strcpy(buffer.data(), "A=1");
  SetParameter(buffer.data(), buffer.size(), "B", "");
  std::string value = "stale";
  EXPECT_TRUE(GetParameter(buffer.data(), "B", value));
  EXPECT_EQ(value, "");
}

TEST(Parameters, SetParameterNeverWritesPastTheBuffer) {
  constexpr std::size_t size = 12;
  std::array<char, size + 1> memory;
  memory.fill('#');
  memory[size] = '\x5A';  // guard byte behind the buffer
  std::strcpy(memory.data(), "A=1");
  SetParameter(memory.data(), size, "Optimize", "All");  // "A=1|Optimize=All" needs 17 bytes
  EXPECT_STREQ(memory.data(), "A=1|Optimiz");
  EXPECT_EQ(memory[size], '\x5A');

  // An unterminated buffer is read up to its size only, and still comes back terminated.
  memory.fill('x');
  memory[0] = 'A';
  memory[1] = '=';
  memory[size] = '\x5A';
  SetParameter(memory.data(), size, "B", "2");  // "A=xxxxxxxxxx|B=2", cut
  EXPECT_EQ(std::string(memory.data()), "A=xxxxxxxxx");
  EXPECT_EQ(memory[size], '\x5A');

  SetParameter(memory.data(), 0, "B", "2");  // no room at all: nothing written
  EXPECT_EQ(memory[0], 'A');
}

}  // namespace
