#include "engine/system_clock_win.h"

#include <windows.h>

namespace nightlatch {

int64_t Win32SystemClock::Now() {
  const int64_t milliseconds = NowMilliseconds();
  return milliseconds >= 0 ? milliseconds / 1000 : (milliseconds - 999) / 1000;
}

int64_t Win32SystemClock::NowMilliseconds() {
  FILETIME time{};
  ::GetSystemTimeAsFileTime(&time);
  const uint64_t ticks = (uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
  constexpr uint64_t kTicksPerMillisecond = 10000;
  constexpr int64_t kEpochOffsetMilliseconds = 11644473600000;  // 1601 to 1970
  return static_cast<int64_t>(ticks / kTicksPerMillisecond) - kEpochOffsetMilliseconds;
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
