// The texts through which the user sees a task and a remaining time.
#pragma once

#include <cstdint>
#include <string>

#include "engine/task.h"

namespace nightlatch {

class TaskList;
struct MissedRun;
struct PassClock;

// "1天01小时01分01秒" with seconds; without them the minute is rounded up
// and zero reads "时间到".
std::u16string FormatDuration(int64_t seconds, bool withSeconds);

// Action name, line break, time mode: "关机\n每周-1,3,7".
std::u16string TypeText(const CTask& task);
// "今天 \n08:00:00" or "2026年12月9日 \n08:00:00".
std::u16string TimeText(const CTask& task, const PassClock& clock);
// "已停止", "执行" when the time has come, else the remaining time.
std::u16string StatusText(const CTask& task,
                          const PassClock& clock,
                          bool withName,
                          bool withSeconds);
// "停止", "正常", or one space for an unknown state.
std::u16string StateText(const CTask& task);
// One line of the missed-runs window: the run's time as the task list
// shows it, the task's type and, for a reminder, its text:
// "今天 09:00:00  提醒 自定时  开会".
std::u16string MissedRunLine(const MissedRun& run, const PassClock& clock);
// The next task's countdown, or why there is none.
std::u16string NextTaskText(const TaskList& list, const PassClock& clock);

}  // namespace nightlatch
