#pragma once

#include <cstdint>
#include <string>

#include "framework/TimeStamps.h"

// Wall-clock stamps, elapsed times and the number texts of the progress displays.

// The current local time of day and date.
TTimeStamp CaptureTime();
TDateStamp CaptureDate();

// Whole seconds from the start stamp to the now stamp (milliseconds ignored), as hours (not limited
// to 24), minutes and seconds. Calendar: months of 31 days, except April, June, September and
// November with 30 and February with 28, or 29 in years divisible by 4. A now stamp before the
// start gives zero; hours beyond 65535 stay at 65535:59:59.
TElapsedTime ElapsedSince(const TTimeStamp& startTime, const TDateStamp& startDate,
                          const TTimeStamp& nowTime, const TDateStamp& nowDate);

// "hh:mm:ss", each number with a leading "0" below 10, padded with blanks on the right to 8
// characters; 100 hours and more make a longer text.
std::string FormatElapsed(uint16_t hours, uint16_t minutes, uint16_t seconds);
inline std::string FormatElapsed(const TElapsedTime& elapsed) {
  return FormatElapsed(elapsed.Hours, elapsed.Minutes, elapsed.Seconds);
}

// The number reduced to single precision, with two decimals, in a field at least 2 characters wide.
std::string FormatFixed2(double number);

// The decimal form.
std::string FormatInteger(int64_t number);
