// A SystemClock whose readings the test sets.
#pragma once

#include <optional>

#include "engine/system_clock.h"

namespace nightlatch::testing {

class FakeClock final : public SystemClock {
 public:
  int64_t Now() override { return now; }
  int64_t NowMilliseconds() override { return now * 1000 + millisecond; }
  uint32_t UptimeMilliseconds() override { return uptimeMilliseconds; }
  int32_t IdleSeconds() override { return idleSeconds; }
  TimeZone Zone() override { return zone; }
  // The zone the next time change brings, as the real clock reads it again.
  void TimeChanged() override {
    if (zoneAfterChange)
      zone = *zoneAfterChange;
  }

  int64_t now = 1796000000;  // 2026-11-29
  int32_t millisecond = 0;   // into the second `now`
  uint32_t uptimeMilliseconds = 0;
  int32_t idleSeconds = 0;
  TimeZone zone{8 * 3600};
  std::optional<TimeZone> zoneAfterChange;
};

}  // namespace nightlatch::testing
