// Keeps the computer's sleep in step with the tasks: one wake timer armed for
// the next run, and a request to stay awake while a power action is about to
// run. The system is reached through PowerRequests; tests record it.
#pragma once

#include <cstdint>
#include <optional>

namespace nightlatch {

class TaskList;
struct PassClock;

class PowerRequests {
 public:
  enum class WakeArm {
    kArmed,
    kRefused,  // set, but the system will not wake for it
    kFailed,
  };
  // The one wake timer, for `moment` (seconds since 1970 UTC); replaces the
  // moment armed before.
  virtual WakeArm ArmWakeTimer(int64_t moment) = 0;
  virtual void CancelWakeTimer() = 0;
  // Whether the power plan lets timers wake the computer (unknown: yes).
  virtual bool WakeTimersAllowed() = 0;
  // Asks the system not to sleep, or lets it again.
  virtual void KeepSystemAwake(bool on) = 0;

 protected:
  ~PowerRequests() = default;
};

// Shut down, restart, log off, lock, hibernate, stand by, monitor off.
bool IsPowerAction(int32_t action);

// The earliest next run of a Normal task with a moment of its own (an idle
// task has none to wake for); none when there is no such task.
std::optional<int64_t> NextWakeMoment(const TaskList& list);

// How long before a power action the computer is kept awake.
inline constexpr int64_t kStayAwakeSeconds = 120;
// A Normal power-action task runs within kStayAwakeSeconds.
bool PowerActionDueSoon(const TaskList& list, const PassClock& clock);

class PowerKeeper {
 public:
  explicit PowerKeeper(PowerRequests& requests) : requests_(requests) {}
  PowerKeeper(const PowerKeeper&) = delete;
  PowerKeeper& operator=(const PowerKeeper&) = delete;

  // Once a pass, and after anything that moves a next run. Reaches the
  // system only when what it asks for changes.
  void Update(const TaskList& list, const PassClock& clock, bool wakeOn, bool powerPromptOpen);
  // Cancels the timer and lets the system sleep (the program ends).
  void Release();

  // The moment the wake timer is armed for; 0 when it is not.
  int64_t armedFor() const { return armed_ ? askedFor_ : 0; }
  // Whether the system would wake for the timer: the power plan allows it
  // and the last arm was not refused.
  bool WakeAllowed() const;

 private:
  void ArmFor(std::optional<int64_t> moment);
  void StayAwake(bool on);

  PowerRequests& requests_;
  int64_t askedFor_ = 0;  // 0: no timer wanted
  bool armed_ = false;
  bool refused_ = false;
  bool awake_ = false;
};

}  // namespace nightlatch
