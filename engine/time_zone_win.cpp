#include <windows.h>

#include "engine/calendar.h"

namespace nightlatch {

TimeZone SystemTimeZone() {
  TIME_ZONE_INFORMATION info{};
  if (::GetTimeZoneInformation(&info) == TIME_ZONE_ID_INVALID)
    return TimeZone{};
  // UTC = local time + bias; the standard bias is added, the daylight one never.
  return TimeZone{static_cast<int32_t>(-(info.Bias + info.StandardBias) * 60)};
}

}  // namespace nightlatch
