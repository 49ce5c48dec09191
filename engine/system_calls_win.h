// The real system calls behind ExecuteAction.
#pragma once

#include "engine/actions.h"

namespace nightlatch {

class Win32SystemCalls final : public SystemCalls {
 public:
  bool EnableShutdownPrivilege() override;
  void EndSession(uint32_t flags, uint32_t reason) override;
  void LockWorkStation() override;
  void SetSystemPowerState(bool suspend, bool force) override;
  void Sleep(uint32_t milliseconds) override;
  void BroadcastMonitorPower(int32_t state) override;
  void ShellOpen(std::u16string_view file) override;
};

}  // namespace nightlatch
