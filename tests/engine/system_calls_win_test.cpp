// The real Win32 layer, as far as it can run in a test: the privilege step
// and the zone. The power calls, LockWorkStation and the shell are never
// called here.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "engine/calendar.h"
#include "engine/system_calls_win.h"

namespace nightlatch {
namespace {

// Whether this process's token has SeShutdownPrivilege enabled right now.
bool ShutdownPrivilegeEnabled() {
  HANDLE token = nullptr;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token))
    return false;
  LUID shutdown{};
  bool enabled = false;
  DWORD size = 0;
  ::GetTokenInformation(token, TokenPrivileges, nullptr, 0, &size);
  std::vector<BYTE> buffer(size);
  if (size > 0 && ::LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &shutdown) &&
      ::GetTokenInformation(token, TokenPrivileges, buffer.data(), size, &size)) {
    const auto* privileges = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer.data());
    for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
      const LUID_AND_ATTRIBUTES& entry = privileges->Privileges[i];
      if (entry.Luid.LowPart == shutdown.LowPart && entry.Luid.HighPart == shutdown.HighPart)
        enabled = (entry.Attributes & SE_PRIVILEGE_ENABLED) != 0;
    }
  }
  ::CloseHandle(token);
  return enabled;
}

TEST(Win32SystemCallsTest, EnableShutdownPrivilegeReportsWhatTheTokenHolds) {
  Win32SystemCalls system;
  const bool granted = system.EnableShutdownPrivilege();
  ::testing::Test::RecordProperty("EnableShutdownPrivilege", granted ? "true" : "false");
  std::printf("EnableShutdownPrivilege() returned %s\n", granted ? "true" : "false");
  // True means no error, so the privilege must now be on.
  if (granted) {
    EXPECT_TRUE(ShutdownPrivilegeEnabled());
  }
  EXPECT_EQ(system.EnableShutdownPrivilege(), granted) << "a second call answers differently";
}

SYSTEMTIME UtcOf(int64_t moment) {
  const uint64_t ticks = static_cast<uint64_t>(moment + 11644473600LL) * 10000000ULL;
  const FILETIME file{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  SYSTEMTIME time{};
  ::FileTimeToSystemTime(&file, &time);
  return time;
}

// The system's own conversion, every few hours of ten years: what the
// taskbar clock shows, summer time included.
TEST(Win32SystemCallsTest, SystemTimeZoneAgreesWithTheSystemsConversion) {
  DYNAMIC_TIME_ZONE_INFORMATION dynamic{};
  ASSERT_NE(::GetDynamicTimeZoneInformation(&dynamic), TIME_ZONE_ID_INVALID);
  const TimeZone zone = SystemTimeZone();
  std::map<WORD, TIME_ZONE_INFORMATION> rules;
  int failures = 0;
  for (int64_t t = 1577836800; t < 1893456000 && failures < 5; t += 5 * 3600 + 17 * 60 + 3) {
    const SYSTEMTIME utc = UtcOf(t);
    // The year's own rule, as the taskbar clock takes it.
    const auto [found, added] = rules.try_emplace(utc.wYear);
    if (added) {
      ASSERT_TRUE(::GetTimeZoneInformationForYear(utc.wYear, &dynamic, &found->second));
    }
    TIME_ZONE_INFORMATION& year = found->second;
    SYSTEMTIME local{};
    ASSERT_TRUE(::SystemTimeToTzSpecificLocalTime(&year, &utc, &local));
    const LocalFields got = ToLocalFields(t, zone);
    if (got.year != local.wYear || got.month != local.wMonth || got.day != local.wDay ||
        got.hour != local.wHour || got.minute != local.wMinute || got.second != local.wSecond) {
      ++failures;
      ADD_FAILURE() << "moment " << t << ": engine " << got.year << "-" << got.month << "-"
                    << got.day << " " << got.hour << ":" << got.minute << ", system " << local.wYear
                    << "-" << local.wMonth << "-" << local.wDay << " " << local.wHour << ":"
                    << local.wMinute;
    }
  }
}

// Wine takes the zone from the TZ the tests are started with.
TEST(Win32SystemCallsTest, SystemTimeZoneFollowsTheHostZone) {
  struct Known {
    const char* name;
    int32_t january;  // offsets on 15 January and 15 July 2026, 12:00 UTC
    int32_t july;
  };
  const Known known[] = {
      {"UTC", 0, 0},
      {"Asia/Shanghai", 8 * 3600, 8 * 3600},
      {"America/New_York", -5 * 3600, -4 * 3600},
      {"Europe/Berlin", 3600, 2 * 3600},
      {"Australia/Sydney", 11 * 3600, 10 * 3600},
  };
  const char* tz = std::getenv("TZ");
  const std::string name = tz ? tz : "";
  for (const Known& k : known) {
    if (name != k.name)
      continue;
    const TimeZone zone = SystemTimeZone();
    EXPECT_EQ(zone.OffsetAt(1768478400), k.january);
    EXPECT_EQ(zone.OffsetAt(1784116800), k.july);
    return;
  }
  GTEST_SKIP() << "no known offsets for TZ=\"" << name << "\" (" << (tz ? "set" : "unset") << ")";
}

}  // namespace
}  // namespace nightlatch
