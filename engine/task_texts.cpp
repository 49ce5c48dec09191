#include "engine/task_texts.h"

#include <algorithm>

#include "engine/missed_runs.h"
#include "engine/task_list.h"
#include "engine/text_format.h"
#include "engine/trigger_rules.h"

namespace nightlatch {
std::u16string FormatDuration(int64_t seconds, bool withSeconds) {
  const int64_t days = seconds / 86400;
  const int64_t hours = seconds % 86400 / 3600;
  int64_t minutes = seconds % 3600 / 60;
  const int64_t secs = seconds % 60;
  if (withSeconds) {
    if (days > 0)
      return FormatText(u"%d天%02d小时%02d分%02d秒", {days, hours, minutes, secs});
    if (hours > 0)
      return FormatText(u"%d小时%02d分%02d秒", {hours, minutes, secs});
    if (minutes > 0)
      return FormatText(u"%d分%02d秒", {minutes, secs});
    return FormatText(u"%d秒", {secs});
  }
  // Only the minutes are rounded up: 59分30秒 reads "60分钟".
  if (secs > 0)
    ++minutes;
  if (days > 0)
    return FormatText(u"%d天%02d小时%02d分", {days, hours, minutes});
  if (hours > 0)
    return FormatText(u"%d小时%02d分", {hours, minutes});
  if (minutes <= 0)
    return u"时间到";
  return FormatText(u"%d分钟", {minutes});
}

std::u16string TypeText(const CTask& task) {
  const std::u16string_view name = ActionName(task.action);
  const int32_t param = task.param;
  switch (task.mode) {
    case kFixed:
      return FormatText(u"%s\n自定时", {name});
    case kEveryNDays:
      return FormatText(u"%s\n每%d天", {name, param});
    case kWeekly: {
      std::u16string out = FormatText(u"%s\n每周-", {name});
      for (int32_t day = 1; day <= 7; ++day) {
        if (param & (1 << (day - 1)))
          out += FormatText(u"%d,", {day});
      }
      out.pop_back();  // the last comma, or the dash of an empty mask
      return out;
    }
    case kMonthly:
      return FormatText(u"%s\n每月%d日", {name, param});
    case kYearly:
      return FormatText(u"%s\n每年-%d月%d日", {name, param / 100, param % 100});
    case kInterval:
      return FormatText(u"%s\n间隔-%d小时%d分钟", {name, param / 60, param % 60});
    case kIdle:
      return FormatText(u"%s\n空闲-%d小时%d分钟", {name, param / 60, param % 60});
    case kCountdown:
      return FormatText(u"%s\n倒计时-%d小时%d分钟", {name, param / 60, param % 60});
    default:
      return {};
  }
}

std::u16string TimeText(const CTask& task, const PassClock& clock) {
  const LocalFields run = ToLocalFields(task.nextRun, clock.zone);
  const LocalFields& today = clock.today;
  if (run.year == today.year && run.month == today.month && run.day == today.day)
    return FormatText(u"今天 \n%02d:%02d:%02d", {run.hour, run.minute, run.second});
  return FormatText(u"%4d年%d月%d日 \n%02d:%02d:%02d",
                    {run.year, run.month, run.day, run.hour, run.minute, run.second});
}

std::u16string StatusText(const CTask& task,
                          const PassClock& clock,
                          bool withName,
                          bool withSeconds) {
  if (task.state == kStopped)
    return u"已停止";
  const int64_t remaining = RemainingSeconds(task, clock);
  if (remaining <= 0)
    return u"执行";
  const std::u16string duration = FormatDuration(remaining, withSeconds);
  if (!withName)
    return duration;
  return FormatText(u"%s倒计时:%s", {ActionName(task.action), duration});
}

std::u16string StateText(const CTask& task) {
  switch (task.state) {
    case kStopped:
      return u"停止";
    case kNormal:
      return u"正常";
    default:
      return u" ";
  }
}

std::u16string MissedRunLine(const MissedRun& run, const PassClock& clock) {
  CTask atRun = run.task;
  atRun.nextRun = static_cast<int32_t>(run.moment);
  std::u16string time = TimeText(atRun, clock);
  std::erase(time, u'\n');  // the list's second line follows its trailing space
  std::u16string type = TypeText(run.task);
  std::replace(type.begin(), type.end(), u'\n', u' ');
  std::u16string line = time + u"  " + type;
  if (run.task.action == kReminder)
    line += u"  " + std::u16string(run.task.text.View());
  return line;
}

std::u16string NextTaskText(const TaskList& list, const PassClock& clock) {
  if (list.tasks().empty())
    return u"当前没有任务，快去添加吧";
  const CTask* next = NextTask(list);
  if (!next)
    return u"没有将要执行的任务";
  return StatusText(*next, clock, /*withName=*/true, /*withSeconds=*/true);
}

}  // namespace nightlatch
