// Stands in for the system's power management: no wake timer is armed and
// the sleep settings are left alone; every request is written down, with
// moments relative to `base`.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/power_keeper.h"

namespace nightlatch::testing {

class RecordingPowerRequests final : public PowerRequests {
 public:
  WakeArm ArmWakeTimer(int64_t moment) override {
    calls.push_back("arm " + std::to_string(moment - base));
    return armResult;
  }
  void CancelWakeTimer() override { calls.push_back("cancel"); }
  bool WakeTimersAllowed() override { return planAllows; }
  void KeepSystemAwake(bool on) override { calls.push_back(on ? "awake" : "may sleep"); }

  int64_t base = 0;
  WakeArm armResult = WakeArm::kArmed;
  bool planAllows = true;
  std::vector<std::string> calls;
};

}  // namespace nightlatch::testing
