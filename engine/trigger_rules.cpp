#include "engine/trigger_rules.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "engine/task_list.h"

namespace nightlatch {
namespace {

constexpr int64_t kDay = 86400;

// The local date of the next run at the time of day the task keeps. The
// moment alone cannot tell a chosen 03:30 from a 02:30 that the spring gap
// moved on to 03:30; the editor's `start` holds the chosen time of day, so
// such a run reads back as 02:30 and the next day's run is 02:30 again.
LocalFields ScheduledFields(const CTask& task, const TimeZone& zone) {
  const LocalFields run = ToLocalFields(task.nextRun, zone);
  const int64_t gap = zone.GapBefore(task.nextRun);
  if (gap == 0)
    return run;
  LocalFields inGap = ToLocalFields(WallSeconds(run) - gap, TimeZone{});
  if (!SameTimeOfDay(inGap, ToLocalFields(task.start, zone)))
    return run;
  return inGap;
}

// Today's local date at the time of day the task keeps.
LocalFields TodayAtTimeOf(const CTask& task, const PassClock& clock) {
  const LocalFields time = ScheduledFields(task, clock.zone);
  LocalFields fields = clock.today;
  fields.hour = time.hour;
  fields.minute = time.minute;
  fields.second = time.second;
  return fields;
}

bool FitsMoment(int64_t moment) {
  return moment >= std::numeric_limits<int32_t>::min() &&
         moment <= std::numeric_limits<int32_t>::max();
}

// A moment the 32-bit field cannot hold (a huge period far beyond 2038)
// leaves the task as it is rather than wrapping into the past.
bool Store(CTask& task, int64_t nextRun) {
  if (!FitsMoment(nextRun) || nextRun == task.nextRun)
    return false;
  task.nextRun = static_cast<int32_t>(nextRun);
  return true;
}

// Days are counted on the wall clock, so a run keeps its time of day
// across a change to or from summer time.
bool UpdateEveryNDays(CTask& task, const PassClock& clock) {
  const int64_t n = task.param;
  const int64_t next = WallSeconds(ScheduledFields(task, clock.zone));
  const int64_t now = WallSeconds(clock.today);
  if (clock.now > task.nextRun) {
    const int64_t days = (now - next) / kDay;
    return Store(task, clock.zone.MomentOfWall(next + n * (days / n + 1) * kDay));
  }
  // A run too far ahead (clock set back, N lowered) comes back by whole periods.
  const int64_t days = (next - now) / kDay;
  if (days > n)
    return Store(task, clock.zone.MomentOfWall(next - (days / n) * n * kDay));
  return false;
}

bool UpdateWeekly(CTask& task, const PassClock& clock) {
  const int32_t mask = task.param;
  LocalFields target = TodayAtTimeOf(task, clock);
  int64_t moment = FromLocalFields(target, clock.zone);
  if (!((mask & WeekdayBit(clock.today.weekday)) && moment >= clock.now)) {
    for (int32_t k = 1; k <= 7; ++k) {
      if (mask & WeekdayBit(clock.today.weekday + k)) {
        target.day += k;
        moment = FromLocalFields(target, clock.zone);
        break;
      }
    }
  }
  return Store(task, moment);
}

bool UpdateMonthly(CTask& task, const PassClock& clock) {
  const int32_t day = task.param;
  LocalFields target = TodayAtTimeOf(task, clock);
  const int32_t length = DaysInMonth(target.year, target.month, 0);
  if (length >= day)
    target.day = day;
  // The next month that has the day: 31 October runs next on 31 December,
  // not on a 31 November rolled over to 1 December, which no pass would
  // run (the pass of 1 December moves it on).
  if (length < day || FromLocalFields(target, clock.zone) < clock.now)
    target = NextMonthWithDay(target, day);
  return Store(task, FromLocalFields(target, clock.zone));
}

bool UpdateYearly(CTask& task, const PassClock& clock) {
  const int32_t month = task.param / 100;
  const int32_t day = task.param % 100;
  LocalFields target = TodayAtTimeOf(task, clock);
  bool picked = false;
  if (month != 2) {
    target.month = month;
    target.day = std::min(day, DaysInMonth(target.year, month, 0));
  } else if (day != 29) {
    target.month = 2;
    target.day = day >= 30 ? 28 : day;
  } else {
    target.month = 2;
    target.day = 29;
    picked = IsLeapYear(target.year) && FromLocalFields(target, clock.zone) >= clock.now;
    for (int32_t ahead = 1; !picked && ahead <= 9; ++ahead) {
      if (IsLeapYear(clock.today.year + ahead)) {
        target.year = clock.today.year + ahead;
        picked = true;
      }
    }
    if (!picked)
      return false;
  }
  int64_t moment = FromLocalFields(target, clock.zone);
  if (moment < clock.now && !picked) {
    ++target.year;
    moment = FromLocalFields(target, clock.zone);
  }
  return Store(task, moment);
}

bool UpdateInterval(CTask& task, const PassClock& clock, bool atLoad) {
  const int64_t period = task.param;
  if (atLoad) {
    // The interval counts afresh from every program start; not a change to save.
    Store(task, clock.now + 60 * period);
    return false;
  }
  if (clock.now > task.nextRun) {
    const int64_t minutes = (clock.now - task.nextRun) / 60;
    return Store(task, task.nextRun + (minutes / period + 1) * period * 60);
  }
  const int64_t minutes = (task.nextRun - clock.now) / 60;
  if (minutes > period)
    return Store(task, task.nextRun - (minutes / period) * period * 60);
  return false;
}

bool UpdateIdle(CTask& task, const PassClock& clock) {
  if (task.param <= 0) {
    task.param = 0;
    task.state = kStopped;
    return true;
  }
  // Moves every second with the idle time; never a change worth saving.
  Store(task, clock.now + 60 * int64_t{task.param} - clock.idleSeconds);
  return false;
}

bool IsDue(const CTask& task,
           int32_t nextRunBefore,
           const PassClock& clock,
           const PreviousPass& previous) {
  const int64_t gap = clock.now - previous.now;
  const bool catchUp = previous.CatchesUpTo(clock.now);
  if (task.mode == kIdle) {
    if (task.state != kNormal)
      return false;
    const int64_t threshold = 60 * int64_t{task.param};
    if (catchUp)
      return previous.idleSeconds < threshold && clock.idleSeconds >= threshold;
    return threshold == clock.idleSeconds;
  }
  const bool exact = task.state == kNormal && RemainingSeconds(task, clock) == 0;
  std::optional<int64_t> since;
  if (catchUp)
    since = previous.now;
  else if (previous.WokeFor(clock.now))
    since = previous.wakeAt - 1;
  if (!since)
    return exact;
  // Within one second the previous pass already judged this moment.
  const bool crossed = nextRunBefore > *since && nextRunBefore <= clock.now;
  return crossed || (gap > 0 && exact);
}

// The runs a pass cannot catch up on: none within the catch-up window, and
// after our own wake only those before the moment it woke for.
MissedGap MissedSince(const PreviousPass& previous, int64_t now) {
  if (!previous.valid || previous.CatchesUpTo(now))
    return {};
  return GapBetween(previous.now, previous.WokeFor(now) ? previous.wakeAt : now);
}

}  // namespace

TaskRunRequest MakeRunRequest(const CTask& task) {
  TaskRunRequest request;
  request.name.Assign(task.action == kReminder ? u"闹钟提醒" : ActionName(task.action));
  request.action = task.action;
  request.pending = 1;
  request.warnSeconds = task.warnSeconds;
  request.delaySeconds = 0;
  request.text = task.text;
  return request;
}

bool HasEvaluableSchedule(const CTask& task) {
  switch (task.mode) {
    case kFixed:
    case kCountdown:
    case kIdle:
      return true;
    case kEveryNDays:
    case kInterval:
      return task.param > 0;
    case kWeekly:
      return (task.param & 0x7F) != 0;
    case kMonthly:
      return task.param >= 1 && task.param <= 31;
    case kYearly: {
      const int32_t month = task.param / 100;
      const int32_t day = task.param % 100;
      return month >= 1 && month <= 12 && day >= 1 && day <= 31;
    }
    default:
      return false;
  }
}

bool UpdateNextRun(CTask& task, const PassClock& clock, bool atLoad) {
  if (task.state != kNormal || !HasEvaluableSchedule(task))
    return false;
  switch (task.mode) {
    case kFixed:
    case kCountdown:
      if (clock.now > task.nextRun) {
        task.state = kStopped;
        return true;
      }
      return false;
    case kEveryNDays:
      return UpdateEveryNDays(task, clock);
    case kWeekly:
      return UpdateWeekly(task, clock);
    case kMonthly:
      return UpdateMonthly(task, clock);
    case kYearly:
      return UpdateYearly(task, clock);
    case kInterval:
      return UpdateInterval(task, clock, atLoad);
    case kIdle:
      return UpdateIdle(task, clock);
    default:
      return false;
  }
}

int64_t RemainingSeconds(const CTask& task, const PassClock& clock) {
  if (task.mode == kIdle)
    return 60 * int64_t{task.param} - clock.idleSeconds;
  return task.nextRun - clock.now;
}

void CheckDueTasks(TaskList& list,
                   const PassClock& clock,
                   PreviousPass& previous,
                   DueTaskSink& sink) {
  const MissedGap missed = MissedSince(previous, clock.now);
  for (CTask& task : list.tasks()) {
    if (task.state != kNormal || !HasEvaluableSchedule(task))
      continue;
    if (const std::optional<int64_t> moment = LatestRunIn(task, missed, clock.zone))
      sink.Missed(MissedRun{task, *moment});
    const int32_t nextRunBefore = task.nextRun;
    if (UpdateNextRun(task, clock, /*atLoad=*/false))
      list.MarkDirty();
    if (IsDue(task, nextRunBefore, clock, previous)) {
      sink.SaveTaskList();
      sink.Run(MakeRunRequest(task));
    }
  }
  previous = PreviousPass{true, clock.now, clock.idleSeconds, 0, previous.wakeAt};
}

bool KeepWallClockTimes(TaskList& list, const TimeZone& from, const TimeZone& to) {
  bool changed = false;
  for (CTask& task : list.tasks()) {
    if (task.mode < kFixed || task.mode > kYearly)
      continue;
    const int64_t nextRun = FromLocalFields(ScheduledFields(task, from), to);
    const int64_t start = FromLocalFields(ToLocalFields(task.start, from), to);
    if (!FitsMoment(nextRun) || !FitsMoment(start))
      continue;
    changed |= Store(task, nextRun);
    if (start != task.start) {
      task.start = static_cast<int32_t>(start);
      changed = true;
    }
  }
  return changed;
}

const CTask* NextTask(const TaskList& list) {
  const CTask* next = nullptr;
  for (const CTask& task : list.tasks()) {
    if (task.state == kNormal && (!next || task.nextRun < next->nextRun))
      next = &task;
  }
  return next;
}

}  // namespace nightlatch
