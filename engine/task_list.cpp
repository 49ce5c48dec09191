#include "engine/task_list.h"

#include <algorithm>

#include "engine/trigger_rules.h"

namespace nightlatch {

void TaskList::LoadRecords(std::span<const uint8_t> bytes,
                           const PassClock& clock,
                           MissedGap gap,
                           MissedRuns* missed) {
  Clear();
  const std::size_t count = bytes.size() / kTaskFileRecordSize;
  for (std::size_t i = 0; i < count; ++i) {
    const auto record = bytes.subspan(i * kTaskFileRecordSize).first<kTaskFileRecordSize>();
    CTask& task = tasks_.emplace_back(DecodeRecord(record));
    task.id = ++lastId_;  // ids in the file are ignored: position decides
  }
  if (missed)
    CollectMissedRuns(*this, gap, clock.zone, *missed);
  for (CTask& task : tasks_)
    UpdateNextRun(task, clock, /*atLoad=*/true);
  Sort();
}

std::vector<uint8_t> TaskList::ToRecords() const {
  std::vector<uint8_t> bytes(tasks_.size() * kTaskFileRecordSize);
  std::size_t offset = 0;
  for (const CTask& task : tasks_) {
    EncodeRecord(task.ToRecord(), std::span(bytes).subspan(offset).first<kTaskFileRecordSize>());
    offset += kTaskFileRecordSize;
  }
  return bytes;
}

void TaskList::Sort() {
  // std::list::sort is a stable merge sort.
  tasks_.sort([](const CTask& a, const CTask& b) {
    return a.state != kStopped && (b.state == kStopped || a.nextRun < b.nextRun);
  });
}

CTask& TaskList::Add(const CTask& task) {
  CTask& added = tasks_.emplace_back(task);
  added.id = ++lastId_;
  dirty_ = true;
  return added;
}

TaskList::Tasks::iterator TaskList::FindPosition(int32_t id) {
  return std::find_if(tasks_.begin(), tasks_.end(), [id](const CTask& t) { return t.id == id; });
}

CTask* TaskList::Find(int32_t id) {
  auto it = FindPosition(id);
  return it == tasks_.end() ? nullptr : &*it;
}

const CTask* TaskList::Find(int32_t id) const {
  return const_cast<TaskList*>(this)->Find(id);
}

bool TaskList::Replace(int32_t id, const TaskFileRecord& record) {
  CTask* task = Find(id);
  if (!task)
    return false;
  task->Assign(record, /*takeId=*/false);
  dirty_ = true;
  return true;
}

bool TaskList::Remove(int32_t id) {
  auto it = FindPosition(id);
  if (it == tasks_.end())
    return false;
  tasks_.erase(it);
  dirty_ = true;
  return true;
}

bool TaskList::ToggleState(int32_t id) {
  CTask* task = Find(id);
  if (!task)
    return false;
  task->state = task->state == kStopped ? kNormal : kStopped;
  dirty_ = true;
  return true;
}

void TaskList::Clear() {
  tasks_.clear();
  lastId_ = 0;
  dirty_ = false;
}

}  // namespace nightlatch
