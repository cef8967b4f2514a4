// The file text of board values: scalars and keys written exactly as JSON writes them, escapes
// and replaced bytes included, whether alone, in an object or filling the lines of a long array.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "BoardJson.h"

namespace {

using Tarnix::BoardJson::Layout;
using Tarnix::BoardJson::TJson;

TEST(BoardLayoutTest, ScalarsAndKeysAreWrittenAsJsonWritesThem) {
  const std::string invalidUtf8 = std::string("a") + static_cast<char>(0xff) + "b";
  const struct {
    TJson Value;
    std::string Text;
  } cases[] = {
      {TJson("R12"), R"("R12")"},
      {TJson("say \"hi\"\\"), R"("say \"hi\"\\")"},
      {TJson("tab\there"), R"("tab\there")"},
      {TJson("\x01\x7f"), "\"\\u0001\x7f\""},
      {TJson("\xCE\xA9-net"), "\"\xCE\xA9-net\""},
      {TJson(invalidUtf8),
       "\"a\xEF\xBF\xBD"
       "b\""},
      {TJson(-1234567), "-1234567"},
      {TJson(INT64_MIN), "-9223372036854775808"},
      {TJson(UINT64_MAX), "18446744073709551615"},
      {TJson(12.5), "12.5"},
      {TJson(true), "true"},
      {TJson(nullptr), "null"},
  };
  for (const auto& test : cases) {
    EXPECT_EQ(Layout(test.Value), test.Text + "\n") << test.Text;
    EXPECT_EQ(Layout(TJson{{"k", test.Value}}), "{\"k\": " + test.Text + "}\n") << test.Text;
    if (test.Value.is_string()) {
      EXPECT_EQ(Layout(TJson{{test.Value.get<std::string>(), 1}}), "{" + test.Text + ": 1}\n")
          << test.Text;
    }
  }
}

TEST(BoardLayoutTest, LongArraysOfScalarsFillTheirLines) {
  TJson values = TJson::array();
  for (int i = 0; i < 30; ++i) {
    values.push_back(i % 2 == 0 ? TJson(-100000 * i) : TJson("n" + std::to_string(i)));
  }
  // An object holding an object is not written on one line however long.
  const TJson board = {{"values", values}, {"box", {{"left", 1}}}};
  const std::string text = Layout(board);
  size_t start = 0;
  for (size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
    EXPECT_LE(end - start, 100u) << text.substr(start, end - start);
    start = end + 1;
  }
  EXPECT_EQ(TJson::parse(text), board);
  EXPECT_NE(text.find("[\n    0, \"n1\", -200000, \"n3\""), std::string::npos) << text;
}

}  // namespace
