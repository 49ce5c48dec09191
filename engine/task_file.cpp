#include "engine/task_file.h"

#include "engine/task_list.h"

namespace nightlatch {

void LoadTaskFile(TaskList& list,
                  const std::u16string& path,
                  const PassClock& clock,
                  MissedGap gap,
                  MissedRuns* missed) {
  std::vector<uint8_t> bytes;
  if (!ReadFileBytes(path, bytes))
    bytes.clear();
  list.LoadRecords(bytes, clock, gap, missed);
}

bool SaveTaskFile(TaskList& list, const std::u16string& path) {
  if (!list.dirty())
    return true;
  if (!ReplaceFileBytes(path, list.ToRecords()))
    return false;
  list.MarkSaved();
  return true;
}

}  // namespace nightlatch
