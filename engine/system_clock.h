// The program's readings of time: the moment, the time since Windows
// started, the user's idle time and the zone. Tests supply their own.
#pragma once

#include <cstdint>

#include "engine/calendar.h"

namespace nightlatch {

class SystemClock {
 public:
  virtual int64_t Now() = 0;  // seconds since 1970-01-01 UTC
  // The same moment to the millisecond, for timers that keep to the second.
  virtual int64_t NowMilliseconds() = 0;
  virtual uint32_t UptimeMilliseconds() = 0;
  virtual int32_t IdleSeconds() = 0;
  virtual TimeZone Zone() = 0;
  // The user set the clock or the zone (WM_TIMECHANGE, WM_SETTINGCHANGE).
  virtual void TimeChanged() {}

 protected:
  ~SystemClock() = default;
};

// How long a timer that shows or acts on seconds waits from
// `nowMilliseconds` (since 1970): to just after the next wall-clock second
// begins, so each pass sees its second at once and a second is not skipped
// for the timer's drift.
inline constexpr int64_t kTickMarginMilliseconds = 10;
constexpr uint32_t TickDelayMilliseconds(int64_t nowMilliseconds) {
  const int64_t intoSecond = ((nowMilliseconds % 1000) + 1000) % 1000;
  return static_cast<uint32_t>(1000 - intoSecond + kTickMarginMilliseconds);
}

}  // namespace nightlatch
