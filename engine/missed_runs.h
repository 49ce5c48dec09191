// Runs that no pass saw: the computer slept or hibernated, the clock was set
// forward, or the program was not running. They are shown to the user, never
// carried out late.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "engine/calendar.h"
#include "engine/task.h"

namespace nightlatch {

class TaskList;

// Further back than this a missed run is no longer worth telling.
inline constexpr int64_t kMissedRunHorizonSeconds = 7 * 86400;

// The moments strictly between `after` and `before` in which runs were
// missed; empty when before <= after.
struct MissedGap {
  int64_t after = 0;
  int64_t before = 0;

  bool empty() const { return before <= after; }
};

// The gap between a pass at `last` and one at `now` whose runs were missed,
// cut to the horizon; empty when the clock went back. The caller decides
// whether the two passes are too far apart to catch up.
MissedGap GapBetween(int64_t last, int64_t now);

struct MissedRun {
  CTask task;  // as it stood before the gap
  int64_t moment = 0;
};
using MissedRuns = std::vector<MissedRun>;

// The latest run of `task` in the gap, given the task as it stood at its
// start (nextRun its first run after gap.after). None for a task that is
// stopped, idle-driven or never due.
std::optional<int64_t> LatestRunIn(const CTask& task, MissedGap gap, const TimeZone& zone);

// Appends the latest missed run of each task, in list order.
void CollectMissedRuns(const TaskList& list, MissedGap gap, const TimeZone& zone, MissedRuns& out);

}  // namespace nightlatch
