// What the task list page shows for a task and decides about it, free of
// windows: the four cells of its row, and whether it may be switched on.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "engine/task.h"

namespace nightlatch {

struct PassClock;

struct TaskRow {
  std::u16string type;    // action name and mode, on two lines
  std::u16string time;    // date or 今天, then the time of the next run
  std::u16string status;  // remaining time, 执行 or 已停止
  std::u16string state;   // 正常, 停止 or a blank
  int image = 0;          // 1 for a Normal task, 0 for a Stopped one

  bool greyed() const { return image == 0; }
};

TaskRow MakeTaskRow(const CTask& task, const PassClock& clock);

// The two words of the type cell: the action's name and the mode.
std::pair<std::u16string_view, std::u16string_view> SplitTypeText(std::u16string_view type);

// A stopped one-shot task whose moment has passed would stop again at
// once: the user has to give it a new time instead.
bool ResumeRefused(const CTask& task, int64_t now);

// The first item of the context menu: 恢复任务 only for a stopped task.
std::u16string_view PauseItemText(const CTask* selected);

}  // namespace nightlatch
