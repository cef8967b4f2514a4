#pragma once

#include <cstdint>

// Wall-clock stamps and elapsed times as the progress displays keep them: plain 16-bit fields.

struct TTimeStamp {
  uint16_t Hour = 0;
  uint16_t Minute = 0;
  uint16_t Second = 0;
  uint16_t Millisecond = 0;
};

struct TDateStamp {
  uint16_t Year = 0;
  uint16_t Month = 0;
  uint16_t Day = 0;
};

struct TElapsedTime {
  uint16_t Hours = 0;  // not limited to 24
  uint16_t Minutes = 0;
  uint16_t Seconds = 0;
};
