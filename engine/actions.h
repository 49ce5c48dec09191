// ExecuteAction: the one place where Nightlatch acts on the system. The
// choice of calls, flags and reason codes is decided here, portably; the
// calls themselves go through SystemCalls.
#pragma once

#include <cstdint>
#include <string_view>

namespace nightlatch {

// ExitWindowsEx flags and reason.
constexpr uint32_t kExitShutdownForce = 0x5;  // EWX_SHUTDOWN | EWX_FORCE
constexpr uint32_t kExitRebootForce = 0x6;    // EWX_REBOOT | EWX_FORCE
constexpr uint32_t kExitLogOffForce = 0x4;    // EWX_LOGOFF | EWX_FORCE
// SHTDN_REASON_FLAG_PLANNED | MAJOR_OPERATINGSYSTEM | MINOR_UPGRADE
constexpr uint32_t kPlannedUpgradeReason = 0x80020003;
// lParam of SC_MONITORPOWER that switches the display off.
constexpr int32_t kMonitorPowerOff = 2;
constexpr uint32_t kMonitorOffDelayMs = 1000;

class SystemCalls {
 public:
  // True when the privilege adjustment reported no error.
  virtual bool EnableShutdownPrivilege() = 0;
  // ExitWindowsEx.
  virtual void EndSession(uint32_t flags, uint32_t reason) = 0;
  virtual void LockWorkStation() = 0;
  virtual void SetSystemPowerState(bool suspend, bool force) = 0;
  virtual void Sleep(uint32_t milliseconds) = 0;
  // WM_SYSCOMMAND / SC_MONITORPOWER sent to every top-level window.
  virtual void BroadcastMonitorPower(int32_t state) = 0;
  // The shell's "open" verb on `file`, shown normally, no owner.
  virtual void ShellOpen(std::u16string_view file) = 0;

 protected:
  ~SystemCalls() = default;
};

// Results of the system calls are not acted upon: a task whose action failed
// has still run. Reminder and unknown actions do nothing here.
void ExecuteAction(int32_t action, std::u16string_view text, SystemCalls& system);

// Opens a program, document or web address as the shell sees fit; an empty
// text does nothing.
void OpenTarget(std::u16string_view text, SystemCalls& system);

}  // namespace nightlatch
