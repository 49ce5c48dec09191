// Zones made from yearly rules in the form Windows keeps them: a standard
// and a summer offset and the two days of each year on which the clock
// changes, each given as "the n-th weekday of a month at a time of day".
#pragma once

#include <cstdint>
#include <span>

#include "engine/calendar.h"

namespace nightlatch {

// When the clock changes within one year, read on the clock that is about
// to change. `year` 0 is the recurring form (`day` is the occurrence of
// `weekday` in the month, 1..5, 5 the last); otherwise an exact date.
// `month` 0 means no change.
struct ChangeDate {
  int32_t year = 0;
  int32_t month = 0;
  int32_t weekday = 0;  // 0 = Sunday
  int32_t day = 0;
  int32_t hour = 0;
  int32_t minute = 0;
  int32_t second = 0;
  int32_t millisecond = 0;
};

// One year's rule; offsets in seconds east of UTC.
struct YearRule {
  int32_t standardOffset = 0;
  int32_t summerOffset = 0;
  ChangeDate summerStart;    // read on standard time
  ChangeDate standardStart;  // read on summer time
};

// The zone of the years firstYear, firstYear + 1, ... with one rule each.
// Each year is taken by its own rule alone, as Windows converts times: in
// a year whose summer starts after it ends (the southern hemisphere) the
// year begins and ends on summer time. Before the first year the first
// year's start offset holds, after the last year its end offset.
TimeZone ZoneFromYearRules(int32_t firstYear, std::span<const YearRule> rules);

// The local day and time of a change in `year`, as wall-clock seconds
// (seconds since 1970 as if the clock were UTC).
int64_t ChangeWallSeconds(const ChangeDate& date, int32_t year);

}  // namespace nightlatch
