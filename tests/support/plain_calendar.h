// A deliberately plain calendar that counts whole years and months from
// 1970, one at a time. Slow, but too simple to share a mistake with the
// engine's day arithmetic: it is the reference the calendar tests compare
// against, and it builds the moments of the rule tests from local fields.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ostream>

#include "engine/calendar.h"

namespace nightlatch::testing {

inline bool PlainIsLeap(int64_t year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

inline int64_t PlainYearLength(int64_t year) {
  return PlainIsLeap(year) ? 366 : 365;
}

inline int64_t PlainMonthLength(int64_t year, int64_t month) {
  switch (month) {
    case 2:
      return PlainIsLeap(year) ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11:
      return 30;
    default:
      return 31;
  }
}

// Days from 1970-01-01 to a valid date (month 1..12, day within the month).
inline int64_t PlainDaysSinceEpoch(int64_t year, int64_t month, int64_t day) {
  int64_t days = 0;
  for (int64_t y = 1970; y < year; ++y)
    days += PlainYearLength(y);
  for (int64_t y = year; y < 1970; ++y)
    days -= PlainYearLength(y);
  for (int64_t m = 1; m < month; ++m)
    days += PlainMonthLength(year, m);
  return days + day - 1;
}

// A local wall-clock reading, always a valid date.
struct Wall {
  int32_t year = 1970;
  int32_t month = 1;
  int32_t day = 1;
  int32_t hour = 0;
  int32_t minute = 0;
  int32_t second = 0;

  friend bool operator==(const Wall&, const Wall&) = default;
  friend std::ostream& operator<<(std::ostream& os, const Wall& w) {
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", w.year, w.month, w.day,
                  w.hour, w.minute, w.second);
    return os << text;
  }
};

// The plain calendar knows fixed offsets only: a zone with summer time is
// checked against the C library instead.
inline int32_t PlainOffset(const TimeZone& zone) {
  if (!zone.changes().empty()) {
    std::fputs("plain calendar: a zone with changes\n", stderr);
    std::abort();
  }
  return zone.offsetBefore();
}

inline int64_t PlainMoment(const Wall& w, const TimeZone& zone) {
  return PlainDaysSinceEpoch(w.year, w.month, w.day) * 86400 + int64_t{w.hour} * 3600 +
         int64_t{w.minute} * 60 + w.second - PlainOffset(zone);
}

// The moment as the task record stores it; test dates stay before 2038.
inline int32_t Moment32(const Wall& w, const TimeZone& zone) {
  return static_cast<int32_t>(PlainMoment(w, zone));
}

struct PlainFields {
  Wall wall;
  int32_t weekday = 0;  // 0 = Sunday
};

inline PlainFields PlainLocalFields(int64_t moment, const TimeZone& zone) {
  const int64_t local = moment + PlainOffset(zone);
  int64_t days = local / 86400;
  int64_t second = local % 86400;
  if (second < 0) {
    second += 86400;
    --days;
  }
  PlainFields out;
  out.weekday = static_cast<int32_t>(((days + 4) % 7 + 7) % 7);  // 1970-01-01: Thursday
  int64_t year = 1970;
  while (days < 0)
    days += PlainYearLength(--year);
  while (days >= PlainYearLength(year))
    days -= PlainYearLength(year++);
  int64_t month = 1;
  while (days >= PlainMonthLength(year, month))
    days -= PlainMonthLength(year, month++);
  out.wall = Wall{static_cast<int32_t>(year),
                  static_cast<int32_t>(month),
                  static_cast<int32_t>(days + 1),
                  static_cast<int32_t>(second / 3600),
                  static_cast<int32_t>(second % 3600 / 60),
                  static_cast<int32_t>(second % 60)};
  return out;
}

inline Wall ToWall(const LocalFields& f) {
  return Wall{f.year, f.month, f.day, f.hour, f.minute, f.second};
}

// The reading as fields for FromLocalFields (weekday left at its default).
inline LocalFields ToFields(const Wall& w) {
  LocalFields fields;
  fields.year = w.year;
  fields.month = w.month;
  fields.day = w.day;
  fields.hour = w.hour;
  fields.minute = w.minute;
  fields.second = w.second;
  return fields;
}

constexpr int32_t kHour = 3600;

// Central Europe in 2026, written out: 29 March 01:00 UTC the clock goes
// from 02:00 to 03:00, 25 October 01:00 UTC from 03:00 back to 02:00.
inline TimeZone CentralEurope2026() {
  return TimeZone(kHour, {{1774746000, 2 * kHour}, {1792890000, kHour}});
}

// A zone with a name for the failure message.
struct NamedZone {
  NamedZone(const char* zoneName, int32_t offsetSeconds) : name(zoneName), zone(offsetSeconds) {}
  NamedZone(const char* zoneName, TimeZone namedZone) : name(zoneName), zone(namedZone) {}

  const char* name;
  TimeZone zone;
};

}  // namespace nightlatch::testing

namespace nightlatch {

// Found by argument-dependent lookup, so failures show a date, not bytes.
inline void PrintTo(const LocalFields& f, std::ostream* os) {
  *os << testing::ToWall(f) << " weekday " << f.weekday;
}

}  // namespace nightlatch
