// Loads a task file from arbitrary bytes, then runs the one-second pass and
// the task texts over whatever came out: nothing may crash, overflow or read
// outside a buffer, and a saved list must load back to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "engine/task_list.h"
#include "engine/task_texts.h"
#include "engine/trigger_rules.h"

namespace {

using namespace nightlatch;

class DiscardingSink final : public DueTaskSink {
 public:
  void SaveTaskList() override {}
  void Run(const TaskRunRequest&) override {}
  void Missed(const MissedRun&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  // A clock that varies with the input, inside the years the model covers.
  const int64_t now = 1700000000 + static_cast<int64_t>(size % 977) * 86341;
  const TimeZone zone{static_cast<int32_t>(size % 29) * 3600 - 14 * 3600};
  const PassClock clock = PassClock::At(now, zone, static_cast<int32_t>(size % 7200));

  TaskList list;
  // Loaded after ten days off, so every mode's missed runs are walked.
  MissedRuns missed;
  list.LoadRecords(std::span(data, size), clock, GapBetween(now - 10 * 86400, now), &missed);
  for (const MissedRun& run : missed) {
    if (run.moment <= now - kMissedRunHorizonSeconds || run.moment >= now)
      std::abort();
  }
  const std::vector<uint8_t> saved = list.ToRecords();
  if (saved.size() != size / kTaskFileRecordSize * kTaskFileRecordSize)
    std::abort();

  TaskList reloaded;
  reloaded.LoadRecords(saved, clock);
  reloaded.MarkDirty();
  // Loading normalises texts and may stop or move tasks; after that, a
  // save-load-save cycle changes nothing.
  TaskList again;
  again.LoadRecords(reloaded.ToRecords(), clock);
  if (again.ToRecords() != reloaded.ToRecords())
    std::abort();

  PreviousPass previous;
  DiscardingSink sink;
  for (int64_t second = 0; second < 3; ++second)
    CheckDueTasks(list, PassClock::At(now + second * 2, zone, clock.idleSeconds), previous, sink);
  // A sleep of two days.
  CheckDueTasks(list, PassClock::At(now + 2 * 86400, zone, clock.idleSeconds), previous, sink);
  for (const CTask& task : list.tasks()) {
    TypeText(task);
    TimeText(task, clock);
    StatusText(task, clock, true, true);
    StatusText(task, clock, false, false);
    StateText(task);
  }
  NextTaskText(list, clock);
  return 0;
}
