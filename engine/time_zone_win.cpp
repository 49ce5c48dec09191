#include <windows.h>

#include <vector>

#include "engine/calendar.h"
#include "engine/zone_rules.h"

namespace nightlatch {
namespace {

// The years a task, its start or a missed run can fall in; later years
// keep the last one's end offset.
constexpr int32_t kFirstYear = 1970;
constexpr int32_t kLastYear = 2100;

ChangeDate DateOf(const SYSTEMTIME& time) {
  return ChangeDate{time.wYear, time.wMonth,  time.wDayOfWeek, time.wDay,
                    time.wHour, time.wMinute, time.wSecond,    time.wMilliseconds};
}

// UTC = local time + bias, in minutes.
YearRule RuleOf(const TIME_ZONE_INFORMATION& info) {
  YearRule rule;
  rule.standardOffset = -(info.Bias + info.StandardBias) * 60;
  rule.summerOffset = -(info.Bias + info.DaylightBias) * 60;
  rule.summerStart = DateOf(info.DaylightDate);
  rule.standardStart = DateOf(info.StandardDate);
  return rule;
}

}  // namespace

TimeZone SystemTimeZone() {
  DYNAMIC_TIME_ZONE_INFORMATION dynamic{};
  if (::GetDynamicTimeZoneInformation(&dynamic) == TIME_ZONE_ID_INVALID)
    return TimeZone{};
  TIME_ZONE_INFORMATION current{};
  current.Bias = dynamic.Bias;
  current.StandardBias = dynamic.StandardBias;
  current.DaylightBias = dynamic.DaylightBias;
  current.StandardDate = dynamic.StandardDate;
  current.DaylightDate = dynamic.DaylightDate;
  // "Adjust for daylight saving time automatically" switched off.
  if (dynamic.DynamicDaylightTimeDisabled)
    return TimeZone{-(current.Bias + current.StandardBias) * 60};
  std::vector<YearRule> rules;
  rules.reserve(kLastYear - kFirstYear + 1);
  for (int32_t year = kFirstYear; year <= kLastYear; ++year) {
    TIME_ZONE_INFORMATION info{};
    // Without the zone's own table of years, this year's rule stands for all.
    if (!::GetTimeZoneInformationForYear(static_cast<USHORT>(year), &dynamic, &info))
      info = current;
    rules.push_back(RuleOf(info));
  }
  return ZoneFromYearRules(kFirstYear, rules);
}

}  // namespace nightlatch
