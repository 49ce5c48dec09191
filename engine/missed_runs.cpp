#include "engine/missed_runs.h"

#include <algorithm>

#include "engine/task_list.h"
#include "engine/trigger_rules.h"

namespace nightlatch {
namespace {

// Enough for every run of a week of a task that repeats daily or weekly.
constexpr int kMaxSteps = 64;

// A day beyond a month's end rolls over into the next month, and the rule
// corrects it once that month has begun; the rule at the run's own moment
// gives the run that really happens.
void Settle(CTask& walker, const TimeZone& zone) {
  for (int i = 0; i < 3 && UpdateNextRun(walker, PassClock::At(walker.nextRun, zone), false); ++i) {
  }
}

}  // namespace

MissedGap GapBetween(int64_t last, int64_t now) {
  if (now <= last)
    return {};
  return MissedGap{std::max(last, now - kMissedRunHorizonSeconds), now};
}

std::optional<int64_t> LatestRunIn(const CTask& task, MissedGap gap, const TimeZone& zone) {
  if (gap.empty() || task.state != kNormal || task.mode == kIdle || !HasEvaluableSchedule(task))
    return std::nullopt;
  if (task.mode == kFixed || task.mode == kCountdown) {
    if (task.nextRun > gap.after && task.nextRun < gap.before)
      return task.nextRun;
    return std::nullopt;
  }
  CTask walker = task;
  // A run stored before the gap (an old file, a horizon cut) comes up to it.
  if (walker.nextRun <= gap.after)
    UpdateNextRun(walker, PassClock::At(gap.after + 1, zone), /*atLoad=*/false);
  Settle(walker, zone);
  if (walker.nextRun <= gap.after || walker.nextRun >= gap.before)
    return std::nullopt;
  if (walker.mode == kInterval) {
    const int64_t period = 60 * int64_t{walker.param};
    return walker.nextRun + (gap.before - 1 - walker.nextRun) / period * period;
  }
  int64_t latest = walker.nextRun;
  for (int step = 0; step < kMaxSteps; ++step) {
    const int64_t current = walker.nextRun;
    UpdateNextRun(walker, PassClock::At(current + 1, zone), /*atLoad=*/false);
    Settle(walker, zone);
    if (walker.nextRun <= current || walker.nextRun >= gap.before)
      break;
    latest = walker.nextRun;
  }
  return latest;
}

void CollectMissedRuns(const TaskList& list, MissedGap gap, const TimeZone& zone, MissedRuns& out) {
  if (gap.empty())
    return;
  for (const CTask& task : list.tasks()) {
    if (const std::optional<int64_t> moment = LatestRunIn(task, gap, zone))
      out.push_back(MissedRun{task, *moment});
  }
}

}  // namespace nightlatch
