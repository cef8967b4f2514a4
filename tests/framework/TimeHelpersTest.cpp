#include <gtest/gtest.h>

#include <string>

#include "framework/TimeHelpers.h"

namespace {

struct TElapsedCase {
  TTimeStamp StartTime;
  TDateStamp StartDate;
  TTimeStamp NowTime;
  TDateStamp NowDate;
  const char* Shown;
};

class ElapsedTime : public testing::TestWithParam<TElapsedCase> {};

TEST_P(ElapsedTime, CountsAcrossMidnightMonthsAndYears) {
  const TElapsedCase& c = GetParam();
  EXPECT_EQ(FormatElapsed(ElapsedSince(c.StartTime, c.StartDate, c.NowTime, c.NowDate)), c.Shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ElapsedTime,
    testing::Values(
        // same day, milliseconds ignored
        TElapsedCase{{10, 0, 0, 999}, {2024, 5, 6}, {10, 3, 7, 0}, {2024, 5, 6}, "00:03:07"},
        // new year's night
        TElapsedCase{{23, 30, 0, 0}, {2023, 12, 31}, {0, 15, 0, 0}, {2024, 1, 1}, "00:45:00"},
        // the following day: hours beyond 24
        TElapsedCase{{10, 0, 0, 0}, {2024, 3, 14}, {11, 0, 0, 0}, {2024, 3, 15}, "25:00:00"},
        // end of a 30-day month
        TElapsedCase{{12, 0, 0, 0}, {2023, 4, 30}, {12, 0, 0, 0}, {2023, 5, 1}, "24:00:00"},
        // February of a leap year has 29 days, of other years 28
        TElapsedCase{{12, 0, 0, 0}, {2024, 2, 28}, {12, 0, 0, 0}, {2024, 3, 1}, "48:00:00"},
        TElapsedCase{{12, 0, 0, 0}, {2023, 2, 28}, {12, 0, 0, 0}, {2023, 3, 1}, "24:00:00"},
        // a whole (leap) year
        TElapsedCase{{0, 0, 0, 0}, {2024, 1, 1}, {0, 0, 0, 0}, {2025, 1, 1}, "8784:00:00"},
        // a clock set back shows nothing rather than a wrapped count
        TElapsedCase{{10, 0, 0, 0}, {2024, 1, 2}, {9, 0, 0, 0}, {2024, 1, 2}, "00:00:00"}));

TEST(TimeHelpers, FormatElapsedPadsToEightCharacters) {
  EXPECT_EQ(FormatElapsed(1, 2, 3), "01:02:03");
  EXPECT_EQ(FormatElapsed(100, 0, 5), "100:00:05");
  EXPECT_EQ(FormatElapsed(0, 59, 59), "00:59:59");
}

TEST(TimeHelpers, FormatFixed2WritesTwoDecimalsOfTheSinglePrecisionValue) {
  struct TCase {
    double Number;
    const char* Text;
  };
  const TCase cases[] = {
      {1 * 100.0 / 70, "1.43"},
      {70 * 100.0 / 70, "100.00"},
      {0, "0.00"},
      {-2.5, "-2.50"},
      {0.125, "0.12"},
      {0.005, "0.00"} /* 0.00499999988 in single precision */,
      {1e39, "inf"},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(FormatFixed2(c.Number), c.Text) << c.Number;
  }
}

TEST(TimeHelpers, CapturedStampsAreAPlausibleLocalTime) {
  const TDateStamp date = CaptureDate();
  const TTimeStamp time = CaptureTime();
  EXPECT_GE(date.Year, 2000);
  EXPECT_TRUE(date.Month >= 1 && date.Month <= 12);
  EXPECT_TRUE(date.Day >= 1 && date.Day <= 31);
  EXPECT_LT(time.Hour, 24);
  EXPECT_LT(time.Minute, 60);
  EXPECT_LT(time.Millisecond, 1000);
}

}  // namespace
