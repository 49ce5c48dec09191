#include "engine/system_calls_win.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/scoped_handle_win.h"
#include "platform/wide_string_win.h"

namespace nightlatch {

static_assert(kExitShutdownForce == (EWX_SHUTDOWN | EWX_FORCE));
static_assert(kExitRebootForce == (EWX_REBOOT | EWX_FORCE));
static_assert(kExitLogOffForce == (EWX_LOGOFF | EWX_FORCE));
static_assert(kPlannedUpgradeReason ==
              (SHTDN_REASON_FLAG_PLANNED | SHTDN_REASON_MAJOR_OPERATINGSYSTEM |
               SHTDN_REASON_MINOR_UPGRADE));

bool Win32SystemCalls::EnableShutdownPrivilege() {
  HANDLE token = nullptr;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
    return false;
  ScopedHandle ownedToken(token);
  TOKEN_PRIVILEGES privileges{};
  ::LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid);
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  ::SetLastError(ERROR_SUCCESS);
  ::AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
  // TRUE comes back even when the privilege was not granted.
  return ::GetLastError() == ERROR_SUCCESS;
}

void Win32SystemCalls::EndSession(uint32_t flags, uint32_t reason) {
  ::ExitWindowsEx(flags, reason);
}

void Win32SystemCalls::LockWorkStation() {
  ::LockWorkStation();
}

void Win32SystemCalls::SetSystemPowerState(bool suspend, bool force) {
  ::SetSystemPowerState(suspend, force);
}

void Win32SystemCalls::Sleep(uint32_t milliseconds) {
  ::Sleep(milliseconds);
}

void Win32SystemCalls::BroadcastMonitorPower(int32_t state) {
  ::SendMessageW(HWND_BROADCAST, WM_SYSCOMMAND, SC_MONITORPOWER, state);
}

void Win32SystemCalls::ShellOpen(std::u16string_view file) {
  const std::wstring target = ToWide(file);
  ::ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace nightlatch
