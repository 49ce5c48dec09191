#include "engine/power_requests_win.h"

#include <windows.h>

#include "platform/system_library_win.h"

namespace nightlatch {
namespace {

// Seconds from 1601 (FILETIME's epoch) to 1970.
constexpr int64_t kFileTimeEpochSeconds = 11644473600;
constexpr int64_t kFileTimeUnitsPerSecond = 10000000;

// The sleep settings' "allow wake timers", and its value that lets every
// timer wake the computer (0 is off; 2, on newer systems, wakes only for
// the system's own important timers).
constexpr GUID kSleepSubgroup = {0x238c9fa8,
                                 0x0aad,
                                 0x41ed,
                                 {0x83, 0xf4, 0x97, 0xbe, 0x24, 0x2c, 0x8f, 0x20}};
constexpr GUID kAllowWakeTimers = {0xbd3b718a,
                                   0x0680,
                                   0x4d9d,
                                   {0x8a, 0xb2, 0xe1, 0xd2, 0xb4, 0xac, 0x80, 0x6d}};
constexpr DWORD kWakeTimersEnabled = 1;

using GetActiveSchemeFunction = DWORD WINAPI(HKEY, GUID**);
using ReadValueIndexFunction = DWORD WINAPI(HKEY, const GUID*, const GUID*, const GUID*, DWORD*);

}  // namespace

PowerRequests::WakeArm Win32PowerRequests::ArmWakeTimer(int64_t moment) {
  if (!timer_.valid())
    timer_.Reset(::CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_MODIFY_STATE | SYNCHRONIZE));
  if (!timer_.valid())
    return WakeArm::kFailed;
  // A positive due time is an absolute UTC moment.
  LARGE_INTEGER due{};
  due.QuadPart = (moment + kFileTimeEpochSeconds) * kFileTimeUnitsPerSecond;
  ::SetLastError(ERROR_SUCCESS);
  if (!::SetWaitableTimer(timer_.get(), &due, 0, nullptr, nullptr, TRUE))
    return WakeArm::kFailed;
  // The timer is set even then, but it will not wake a sleeping computer.
  return ::GetLastError() == ERROR_NOT_SUPPORTED ? WakeArm::kRefused : WakeArm::kArmed;
}

void Win32PowerRequests::CancelWakeTimer() {
  if (timer_.valid())
    ::CancelWaitableTimer(timer_.get());
}

// Loaded at run time: a missing function must not keep the program from
// starting, and it answers "allowed" then, as the timer's own result still
// tells a refusal.
bool Win32PowerRequests::WakeTimersAllowed() {
  auto* getActiveScheme =
      SystemFunction<GetActiveSchemeFunction>(L"powrprof.dll", "PowerGetActiveScheme");
  SYSTEM_POWER_STATUS power{};
  const bool onBattery = ::GetSystemPowerStatus(&power) && power.ACLineStatus == 0;
  auto* readValue = SystemFunction<ReadValueIndexFunction>(
      L"powrprof.dll", onBattery ? "PowerReadDCValueIndex" : "PowerReadACValueIndex");
  GUID* scheme = nullptr;
  if (!getActiveScheme || !readValue || getActiveScheme(nullptr, &scheme) != ERROR_SUCCESS)
    return true;
  DWORD value = kWakeTimersEnabled;
  const DWORD read = readValue(nullptr, scheme, &kSleepSubgroup, &kAllowWakeTimers, &value);
  ::LocalFree(scheme);
  return read != ERROR_SUCCESS || value == kWakeTimersEnabled;
}

void Win32PowerRequests::KeepSystemAwake(bool on) {
  ::SetThreadExecutionState(on ? ES_CONTINUOUS | ES_SYSTEM_REQUIRED : ES_CONTINUOUS);
}

}  // namespace nightlatch
