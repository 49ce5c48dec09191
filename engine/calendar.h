// Local calendar arithmetic in the user's wall-clock time: the zone's
// offsets, summer time included, as the taskbar clock shows them.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

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

// From `moment` (seconds since 1970 UTC) on, the clock is `offsetAfter`
// seconds east of UTC.
struct ZoneChange {
  int64_t moment = 0;
  int32_t offsetAfter = 0;

  friend bool operator==(const ZoneChange&, const ZoneChange&) = default;
};

// A zone's offsets from UTC over time: a fixed offset, or an offset before
// the first of a list of changes. A value, cheap to copy: the changes are
// shared and never change. Supplied by the platform layer.
class TimeZone {
 public:
  TimeZone() = default;  // UTC
  explicit TimeZone(int32_t fixedOffsetSeconds) : offsetBefore_(fixedOffsetSeconds) {}
  // `changes` sorted by moment, each one changing the offset, far enough
  // apart that no wall-clock time falls into two gaps or two overlaps.
  TimeZone(int32_t offsetBefore, std::vector<ZoneChange> changes);

  int32_t OffsetAt(int64_t moment) const;

  // How far a reading in the spring gap was moved on to reach `moment`:
  // the change's length when `moment` lies less than that after a change
  // that put the clock forward, else 0.
  int64_t GapBefore(int64_t moment) const;

  // The moment a wall-clock reading (seconds since 1970 as if the clock
  // were UTC) stands for. A reading the clock skips (the spring-forward
  // gap) is taken with the offset before the gap, so it lies as far after
  // the gap's start as the reading does; a reading the clock shows twice
  // (the fall-back hour) is its first occurrence.
  int64_t MomentOfWall(int64_t wallSeconds) const;

  std::span<const ZoneChange> changes() const;
  int32_t offsetBefore() const { return offsetBefore_; }

  friend bool operator==(const TimeZone& a, const TimeZone& b);

 private:
  int32_t OffsetOfPeriod(std::size_t index) const;
  // The index of the period `moment` lies in: the changes at or before it.
  std::size_t PeriodAt(int64_t moment) const;

  int32_t offsetBefore_ = 0;
  std::shared_ptr<const std::vector<ZoneChange>> changes_;
};

// The zone this process runs in (platform layer).
TimeZone SystemTimeZone();

LocalFields ToLocalFields(int64_t moment, const TimeZone& zone);

// Weekday is ignored. Fields beyond their range roll over as with mktime
// (31 April is 1 May, month 13 is January of the next year); the wall-clock
// reading they make is placed by TimeZone::MomentOfWall.
int64_t FromLocalFields(const LocalFields& fields, const TimeZone& zone);

// The fields as seconds since 1970 as if the clock were UTC, rolled over
// as FromLocalFields does; the difference of two is wall-clock seconds.
int64_t WallSeconds(const LocalFields& fields);

// Weekday number (taken mod 7, 0 = Sunday) to its bit in a weekly mask:
// Monday 1, Tuesday 2, ... Saturday 32, Sunday 64.
// Hour, minute and second alike.
bool SameTimeOfDay(const LocalFields& a, const LocalFields& b);

int32_t WeekdayBit(int32_t weekday);

// Length of the month `offset` (0..2) months after (year, month); 0 when
// year or month is 0 or month is above 12.
int32_t DaysInMonth(int32_t year, int32_t month, int32_t offset);

bool IsLeapYear(int32_t year);

// The fields moved to `day` of the first of the next two months that has
// it (for days up to 31 one always has), the time of day kept; unchanged
// when neither has.
LocalFields NextMonthWithDay(LocalFields fields, int32_t day);

}  // namespace nightlatch
