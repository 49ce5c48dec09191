#include "engine/system_clock_win.h"

#include <windows.h>

namespace nightlatch {

int64_t Win32SystemClock::Now() {
  FILETIME time{};
  ::GetSystemTimeAsFileTime(&time);
  const uint64_t ticks = (uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
  constexpr uint64_t kTicksPerSecond = 10000000;
  constexpr uint64_t kEpochOffsetSeconds = 11644473600;  // 1601 to 1970
  return static_cast<int64_t>(ticks / kTicksPerSecond - kEpochOffsetSeconds);
}

uint32_t Win32SystemClock::UptimeMilliseconds() {
  return ::GetTickCount();
}

int32_t Win32SystemClock::IdleSeconds() {
  LASTINPUTINFO input{sizeof input};
  if (!::GetLastInputInfo(&input))
    return 0;
  return static_cast<int32_t>(::GetTickCount() - input.dwTime) / 1000;
}

TimeZone Win32SystemClock::Zone() {
  if (!zone_)
    zone_ = SystemTimeZone();
  return *zone_;
}

}  // namespace nightlatch
