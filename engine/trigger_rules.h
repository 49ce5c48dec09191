// When tasks are due. Pure rules: the clock, the local calendar and the idle
// time come from the caller, so a pass can be replayed at any chosen moment.
#pragma once

#include <cstdint>

#include "engine/calendar.h"
#include "engine/missed_runs.h"
#include "engine/task.h"

namespace nightlatch {

class TaskList;

// What one pass knows of the present.
struct PassClock {
  int64_t now = 0;  // seconds since 1970-01-01 UTC
  LocalFields today;
  TimeZone zone;
  int32_t idleSeconds = 0;  // seconds since the last keyboard or mouse input

  static PassClock At(int64_t now, const TimeZone& zone, int32_t idleSeconds = 0) {
    return PassClock{now, ToLocalFields(now, zone), zone, idleSeconds};
  }
};

// The request handed to the main dialog for a due task.
constexpr std::size_t kRunRequestNameUnits = 20;
struct TaskRunRequest {
  FixedText<kRunRequestNameUnits> name;
  int32_t action = 0;
  int32_t pending = 0;
  int32_t warnSeconds = 0;
  int32_t delaySeconds = 0;
  TaskText text;
};

TaskRunRequest MakeRunRequest(const CTask& task);

// The parameters the editor never produces (a period of zero, day 32,
// month 13, an empty weekday mask, an unknown mode) would divide by zero or
// index outside a table; such a task is never evaluated and never due.
bool HasEvaluableSchedule(const CTask& task);

// Keeps nextRun (and a one-shot task's state, an Idle task's param) current;
// true when a stored field changed.
bool UpdateNextRun(CTask& task, const PassClock& clock, bool atLoad);

// Seconds until the task runs: for an Idle task the idle time still missing.
int64_t RemainingSeconds(const CTask& task, const PassClock& clock);

// Receives the due tasks of a pass, in list order.
class DueTaskSink {
 public:
  // Called before each run, so that earlier changes are on disk before a
  // power action takes the machine down.
  virtual void SaveTaskList() = 0;
  virtual void Run(const TaskRunRequest& request) = 0;
  // A run that fell into a gap too long to catch up on (sleep, a clock set
  // forward): shown to the user, never carried out.
  virtual void Missed(const MissedRun& run) = 0;

 protected:
  ~DueTaskSink() = default;
};

// What the previous pass saw. A window timer may skip a wall-clock second,
// and the program's own waits (prompts coming up, Chimebox starting) may
// hold the next pass back; when the previous pass is at most
// kMaxCatchUpSeconds plus the seconds the program held itself old, a run
// moment (or idle threshold) crossed in between is due now, once. After a
// longer gap (sleep, the clock set forward, the program was not running) the
// runs in it are missed and reported as such.
struct PreviousPass {
  static constexpr int64_t kMaxCatchUpSeconds = 5;
  // How late a resume from our own wake timer may come and still run what
  // it woke the computer for: waking and resuming take their time.
  static constexpr int64_t kMaxWakeLateSeconds = 60;
  bool valid = false;
  int64_t now = 0;
  int32_t idleSeconds = 0;
  // Whole seconds, rounded up, that the program's own work held the pass
  // back since this pass; the caller adds them before the next pass.
  int64_t heldSeconds = 0;
  // The moment the wake timer was armed for since this pass, or 0; the
  // caller keeps it across passes.
  int64_t wakeAt = 0;

  // Whether a pass at `now` catches up on what this one did not see.
  bool CatchesUpTo(int64_t later) const {
    const int64_t gap = later - now;
    return valid && gap >= 0 && gap <= kMaxCatchUpSeconds + heldSeconds;
  }
  // Whether a pass at `later` is the resume from a wake at `wakeAt`: runs
  // from that moment on are due, runs before it were missed.
  bool WokeFor(int64_t later) const {
    return valid && wakeAt > now && wakeAt <= later && later - wakeAt <= kMaxWakeLateSeconds;
  }
};

void CheckDueTasks(TaskList& list,
                   const PassClock& clock,
                   PreviousPass& previous,
                   DueTaskSink& sink);

// The zone changed under the program (the user moved, or set another zone):
// the tasks that run at a chosen wall-clock time (Fixed and the calendar
// modes) keep it, and so does the start the editor shows again; the
// durations (Interval, Idle, Countdown) keep their moments. True when a
// task changed.
bool KeepWallClockTimes(TaskList& list, const TimeZone& from, const TimeZone& to);

// The Normal task with the smallest nextRun, the front one on a tie; null
// when none is Normal.
const CTask* NextTask(const TaskList& list);

}  // namespace nightlatch
