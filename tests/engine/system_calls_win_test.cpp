// The real Win32 layer, as far as it can run in a test: the privilege step
// and the zone. The power calls, LockWorkStation and the shell are never
// called here.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
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

TEST(Win32SystemCallsTest, SystemTimeZoneIsTheStandardBias) {
  TIME_ZONE_INFORMATION info{};
  ASSERT_NE(::GetTimeZoneInformation(&info), TIME_ZONE_ID_INVALID);
  // UTC = local + bias, in minutes; the daylight bias never counts.
  EXPECT_EQ(SystemTimeZone().standardOffsetSeconds, -(info.Bias + info.StandardBias) * 60);
}

// Wine takes the zone from the TZ the tests are started with.
TEST(Win32SystemCallsTest, SystemTimeZoneFollowsTheHostZone) {
  const char* tz = std::getenv("TZ");
  const std::string name = tz ? tz : "";
  int32_t expected = 0;
  if (name == "Asia/Shanghai")
    expected = 8 * 3600;
  else if (name == "America/New_York")
    expected = -5 * 3600;
  else if (name != "UTC")
    GTEST_SKIP() << "no known offset for TZ=\"" << name << "\"";
  EXPECT_EQ(SystemTimeZone().standardOffsetSeconds, expected);
}

}  // namespace
}  // namespace nightlatch
