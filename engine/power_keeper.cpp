#include "engine/power_keeper.h"

#include "engine/task_list.h"
#include "engine/trigger_rules.h"

namespace nightlatch {

bool IsPowerAction(int32_t action) {
  return action >= kShutdown && action <= kMonitorOff;
}

std::optional<int64_t> NextWakeMoment(const TaskList& list) {
  std::optional<int64_t> next;
  for (const CTask& task : list.tasks()) {
    if (task.state != kNormal || task.mode == kIdle || !HasEvaluableSchedule(task) ||
        task.action < kShutdown || task.action > kReminder)
      continue;
    if (!next || task.nextRun < *next)
      next = task.nextRun;
  }
  return next;
}

bool PowerActionDueSoon(const TaskList& list, const PassClock& clock) {
  for (const CTask& task : list.tasks()) {
    if (task.state != kNormal || !IsPowerAction(task.action) || !HasEvaluableSchedule(task))
      continue;
    const int64_t remaining = RemainingSeconds(task, clock);
    if (remaining >= 0 && remaining <= kStayAwakeSeconds)
      return true;
  }
  return false;
}

void PowerKeeper::Update(const TaskList& list,
                         const PassClock& clock,
                         bool wakeOn,
                         bool powerPromptOpen) {
  std::optional<int64_t> wake;
  if (wakeOn) {
    wake = NextWakeMoment(list);
    // A moment already gone wakes nothing; the pass moves it on.
    if (wake && *wake < clock.now)
      wake.reset();
  }
  ArmFor(wake);
  StayAwake(powerPromptOpen || PowerActionDueSoon(list, clock));
}

void PowerKeeper::Release() {
  ArmFor(std::nullopt);
  StayAwake(false);
}

bool PowerKeeper::WakeAllowed() const {
  return !refused_ && requests_.WakeTimersAllowed();
}

void PowerKeeper::ArmFor(std::optional<int64_t> moment) {
  const int64_t wanted = moment.value_or(0);
  if (wanted == askedFor_)
    return;
  // A timer that failed to arm is tried again at the next change only.
  askedFor_ = wanted;
  if (wanted == 0) {
    if (armed_)
      requests_.CancelWakeTimer();
    armed_ = false;
    refused_ = false;
    return;
  }
  const PowerRequests::WakeArm result = requests_.ArmWakeTimer(wanted);
  armed_ = result != PowerRequests::WakeArm::kFailed;
  refused_ = result == PowerRequests::WakeArm::kRefused;
}

void PowerKeeper::StayAwake(bool on) {
  if (on == awake_)
    return;
  requests_.KeepSystemAwake(on);
  awake_ = on;
}

}  // namespace nightlatch
