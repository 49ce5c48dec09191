#include "engine/actions.h"

#include "engine/task.h"

namespace nightlatch {

void OpenTarget(std::u16string_view text, SystemCalls& system) {
  if (!text.empty())
    system.ShellOpen(text);
}

void ExecuteAction(int32_t action, std::u16string_view text, SystemCalls& system) {
  // The privilege result is not checked: the power call is made regardless.
  switch (action) {
    case kShutdown:
      system.EnableShutdownPrivilege();
      system.EndSession(kExitShutdownForce, kPlannedUpgradeReason);
      break;
    case kRestart:
      system.EnableShutdownPrivilege();
      system.EndSession(kExitRebootForce, kPlannedUpgradeReason);
      break;
    case kLogOff:
      system.EndSession(kExitLogOffForce, 0);
      break;
    case kLock:
      system.LockWorkStation();
      break;
    case kHibernate:
      system.EnableShutdownPrivilege();
      system.SetSystemPowerState(/*suspend=*/false, /*force=*/true);
      break;
    case kStandby:
      system.EnableShutdownPrivilege();
      system.SetSystemPowerState(/*suspend=*/true, /*force=*/true);
      break;
    case kMonitorOff:
      system.Sleep(kMonitorOffDelayMs);
      system.BroadcastMonitorPower(kMonitorPowerOff);
      break;
    case kOpen:
      OpenTarget(text, system);
      break;
    default:
      break;
  }
}

}  // namespace nightlatch
