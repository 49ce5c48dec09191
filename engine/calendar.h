// Local calendar arithmetic over the zone's standard offset. Daylight saving
// is never applied, so ToLocalFields and FromLocalFields are exact inverses
// and the same moment always has the same local fields.
#pragma once

#include <cstdint>

namespace nightlatch {

struct LocalFields {
  int32_t year = 1970;
  int32_t month = 1;    // 1..12
  int32_t weekday = 4;  // 0 = Sunday
  int32_t day = 1;      // 1..31
  int32_t hour = 0;
  int32_t minute = 0;
  int32_t second = 0;

  friend bool operator==(const LocalFields&, const LocalFields&) = default;
};

// Seconds east of UTC, standard time. Supplied by the platform layer.
struct TimeZone {
  int32_t standardOffsetSeconds = 0;
};

// The zone this process runs in (platform layer).
TimeZone SystemTimeZone();

LocalFields ToLocalFields(int64_t moment, TimeZone zone);

// Weekday is ignored. Fields beyond their range roll over as with mktime
// (31 April is 1 May, month 13 is January of the next year).
int64_t FromLocalFields(const LocalFields& fields, TimeZone zone);

// Weekday number (taken mod 7, 0 = Sunday) to its bit in a weekly mask:
// Monday 1, Tuesday 2, ... Saturday 32, Sunday 64.
int32_t WeekdayBit(int32_t weekday);

// Length of the month `offset` (0..2) months after (year, month); 0 when
// year or month is 0 or month is above 12.
int32_t DaysInMonth(int32_t year, int32_t month, int32_t offset);

bool IsLeapYear(int32_t year);

}  // namespace nightlatch
