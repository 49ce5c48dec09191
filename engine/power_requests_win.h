// The system's wake timer and sleep request behind PowerKeeper.
#pragma once

#include "engine/power_keeper.h"
#include "platform/scoped_handle_win.h"

namespace nightlatch {

class Win32PowerRequests final : public PowerRequests {
 public:
  WakeArm ArmWakeTimer(int64_t moment) override;
  void CancelWakeTimer() override;
  bool WakeTimersAllowed() override;
  void KeepSystemAwake(bool on) override;

 private:
  ScopedHandle timer_;
};

}  // namespace nightlatch
