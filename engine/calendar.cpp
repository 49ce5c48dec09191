#include "engine/calendar.h"

#include <algorithm>
#include <utility>

namespace nightlatch {
namespace {

constexpr int64_t kSecondsPerDay = 86400;

int64_t FloorDiv(int64_t a, int64_t b) {
  int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

int64_t FloorMod(int64_t a, int64_t b) {
  return a - FloorDiv(a, b) * b;
}

// Days since 1970-01-01 of a proleptic Gregorian date (month 1..12).
int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day) {
  year -= month <= 2;
  const int64_t era = FloorDiv(year, 400);
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

}  // namespace

TimeZone::TimeZone(int32_t offsetBefore, std::vector<ZoneChange> changes)
    : offsetBefore_(offsetBefore) {
  if (!changes.empty())
    changes_ = std::make_shared<const std::vector<ZoneChange>>(std::move(changes));
}

std::span<const ZoneChange> TimeZone::changes() const {
  if (!changes_)
    return {};
  return *changes_;
}

// Period 0 runs until the first change; period i from change i - 1 on.
int32_t TimeZone::OffsetOfPeriod(std::size_t index) const {
  return index == 0 ? offsetBefore_ : (*changes_)[index - 1].offsetAfter;
}

std::size_t TimeZone::PeriodAt(int64_t moment) const {
  const std::span<const ZoneChange> all = changes();
  const auto after = std::upper_bound(
      all.begin(), all.end(), moment,
      [](int64_t value, const ZoneChange& change) { return value < change.moment; });
  return static_cast<std::size_t>(after - all.begin());
}

int32_t TimeZone::OffsetAt(int64_t moment) const {
  return OffsetOfPeriod(PeriodAt(moment));
}

int64_t TimeZone::GapBefore(int64_t moment) const {
  const std::size_t period = PeriodAt(moment);
  if (period == 0)
    return 0;
  const int64_t start = (*changes_)[period - 1].moment;
  const int64_t shift = int64_t{OffsetOfPeriod(period)} - OffsetOfPeriod(period - 1);
  return shift > 0 && moment - start < shift ? shift : 0;
}

int64_t TimeZone::MomentOfWall(int64_t wallSeconds) const {
  const std::span<const ZoneChange> all = changes();
  // The first period whose last wall-clock reading lies after this one:
  // where two periods show the reading, the earlier.
  std::size_t low = 0;
  std::size_t high = all.size();
  while (low < high) {
    const std::size_t middle = low + (high - low) / 2;
    if (all[middle].moment + OffsetOfPeriod(middle) > wallSeconds)
      high = middle;
    else
      low = middle + 1;
  }
  const std::size_t period = low;
  // Before the period's first reading: the reading lies in the gap before it.
  if (period > 0 && wallSeconds < all[period - 1].moment + OffsetOfPeriod(period))
    return wallSeconds - OffsetOfPeriod(period - 1);
  return wallSeconds - OffsetOfPeriod(period);
}

bool operator==(const TimeZone& a, const TimeZone& b) {
  if (a.offsetBefore_ != b.offsetBefore_)
    return false;
  const std::span<const ZoneChange> x = a.changes();
  const std::span<const ZoneChange> y = b.changes();
  return std::equal(x.begin(), x.end(), y.begin(), y.end());
}

bool IsLeapYear(int32_t year) {
  return year % 400 == 0 || (year % 4 == 0 && year % 100 != 0);
}

LocalFields ToLocalFields(int64_t moment, const TimeZone& zone) {
  const int64_t local = moment + zone.OffsetAt(moment);
  const int64_t days = FloorDiv(local, kSecondsPerDay);
  const int64_t secondOfDay = local - days * kSecondsPerDay;

  const int64_t shifted = days + 719468;
  const int64_t era = FloorDiv(shifted, 146097);
  const int64_t dayOfEra = shifted - era * 146097;
  const int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t monthIndex = (5 * dayOfYear + 2) / 153;
  const int64_t month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;

  LocalFields fields;
  fields.year = static_cast<int32_t>(yearOfEra + era * 400 + (month <= 2));
  fields.month = static_cast<int32_t>(month);
  fields.day = static_cast<int32_t>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
  fields.weekday = static_cast<int32_t>(FloorMod(days + 4, 7));  // 1970-01-01 was a Thursday
  fields.hour = static_cast<int32_t>(secondOfDay / 3600);
  fields.minute = static_cast<int32_t>(secondOfDay % 3600 / 60);
  fields.second = static_cast<int32_t>(secondOfDay % 60);
  return fields;
}

int64_t WallSeconds(const LocalFields& fields) {
  const int64_t monthIndex = int64_t{fields.month} - 1;
  const int64_t year = fields.year + FloorDiv(monthIndex, 12);
  const int64_t month = FloorMod(monthIndex, 12) + 1;
  const int64_t days = DaysFromCivil(year, month, 1) + fields.day - 1;
  return days * kSecondsPerDay + int64_t{fields.hour} * 3600 + int64_t{fields.minute} * 60 +
         fields.second;
}

int64_t FromLocalFields(const LocalFields& fields, const TimeZone& zone) {
  return zone.MomentOfWall(WallSeconds(fields));
}

LocalFields NextMonthWithDay(LocalFields fields, int32_t day) {
  for (int32_t ahead = 1; ahead <= 2; ++ahead) {
    if (DaysInMonth(fields.year, fields.month, ahead) < day)
      continue;
    const int64_t index = int64_t{fields.month} - 1 + ahead;
    fields.year = static_cast<int32_t>(fields.year + FloorDiv(index, 12));
    fields.month = static_cast<int32_t>(FloorMod(index, 12) + 1);
    fields.day = day;
    return fields;
  }
  return fields;
}

bool SameTimeOfDay(const LocalFields& a, const LocalFields& b) {
  return a.hour == b.hour && a.minute == b.minute && a.second == b.second;
}

int32_t WeekdayBit(int32_t weekday) {
  const int64_t n = FloorMod(weekday, 7);
  return n == 0 ? 64 : 1 << (n - 1);
}

int32_t DaysInMonth(int32_t year, int32_t month, int32_t offset) {
  if (year == 0 || month < 1 || month > 12)
    return 0;
  const int64_t index = int64_t{month} - 1 + offset;
  const int32_t shiftedYear = static_cast<int32_t>(year + FloorDiv(index, 12));
  const int64_t monthOfYear = FloorMod(index, 12);
  static constexpr int32_t kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (monthOfYear == 1 && IsLeapYear(shiftedYear))
    return 29;
  return kLengths[monthOfYear];
}

}  // namespace nightlatch
