#include "editor/plan_rows.h"

#include "engine/task_texts.h"
#include "engine/trigger_rules.h"

namespace nightlatch {

TaskRow MakeTaskRow(const CTask& task, const PassClock& clock) {
  TaskRow row;
  row.type = TypeText(task);
  row.time = TimeText(task, clock);
  row.status = StatusText(task, clock, /*withName=*/false, /*withSeconds=*/false);
  row.state = StateText(task);
  // The image list has no picture for a negative index.
  row.image = (task.state % 2 + 2) % 2;
  return row;
}

std::pair<std::u16string_view, std::u16string_view> SplitTypeText(std::u16string_view type) {
  const std::size_t lineBreak = type.find(u'\n');
  if (lineBreak == std::u16string_view::npos)
    return {type, {}};
  return {type.substr(0, lineBreak), type.substr(lineBreak + 1)};
}

bool ResumeRefused(const CTask& task, int64_t now) {
  const bool oneShot = task.mode == kFixed || task.mode == kCountdown;
  return oneShot && task.state != kNormal && task.nextRun < now;
}

std::u16string_view PauseItemText(const CTask* selected) {
  return selected && selected->state == kStopped ? u"恢复任务" : u"暂停任务";
}

}  // namespace nightlatch
