// The ordered task list with its id counter and dirty flag. Tasks are
// appended at the end and removed from the middle without moving the others.
#pragma once

#include <cstdint>
#include <list>
#include <span>
#include <vector>

#include "engine/missed_runs.h"
#include "engine/task.h"

namespace nightlatch {

struct PassClock;

class TaskList {
 public:
  using Tasks = std::list<CTask>;

  // Replaces the list with the whole records in `bytes` (a shorter tail is
  // ignored), numbered 1..n in file order, each brought up to date with
  // UpdateNextRun(atLoad), then sorted. Never sets the dirty flag. With
  // `missed`, the runs that fell into `gap` (while the program was not
  // running) are appended to it first, as the file had the tasks.
  void LoadRecords(std::span<const uint8_t> bytes,
                   const PassClock& clock,
                   MissedGap gap = {},
                   MissedRuns* missed = nullptr);
  std::vector<uint8_t> ToRecords() const;

  // Active tasks first by ascending next run, then stopped tasks; stable.
  void Sort();

  // The task takes id lastId + 1 and goes last, unsorted.
  CTask& Add(const CTask& task);
  CTask* Find(int32_t id);
  const CTask* Find(int32_t id) const;
  // Each returns false, changing nothing, when no task has the id.
  bool Replace(int32_t id, const TaskFileRecord& record);
  bool Remove(int32_t id);
  bool ToggleState(int32_t id);

  void Clear();

  Tasks& tasks() { return tasks_; }
  const Tasks& tasks() const { return tasks_; }
  int32_t lastId() const { return lastId_; }
  bool dirty() const { return dirty_; }
  void MarkDirty() { dirty_ = true; }
  void MarkSaved() { dirty_ = false; }

 private:
  Tasks::iterator FindPosition(int32_t id);

  Tasks tasks_;
  int32_t lastId_ = 0;
  bool dirty_ = false;
};

}  // namespace nightlatch
