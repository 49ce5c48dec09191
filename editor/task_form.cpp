#include "editor/task_form.h"

#include <limits>

#include "engine/text_format.h"
#include "engine/trigger_rules.h"

namespace nightlatch {
namespace {

constexpr int32_t kAllWeekdays = 0x7F;

// The moments the task stores, or the message that refuses the input.
struct Schedule {
  int64_t start = 0;
  int64_t nextRun = 0;
  int32_t param = 0;
  std::u16string message;
};

Schedule Refuse(std::u16string message) {
  Schedule refused;
  refused.message = std::move(message);
  return refused;
}

LocalFields TodayAtPickedTime(const TaskForm& form, const PassClock& clock) {
  LocalFields fields = clock.today;
  fields.hour = form.picked.hour;
  fields.minute = form.picked.minute;
  fields.second = form.picked.second;
  return fields;
}

// `start` shows the chosen time of day again and keeps a run the spring gap
// moved on at that time, so it must read back as chosen: on the day the
// clock skips the time, the same time the day before.
int64_t StartShowing(LocalFields fields, const TimeZone& zone) {
  const int64_t moment = FromLocalFields(fields, zone);
  if (SameTimeOfDay(ToLocalFields(moment, zone), fields))
    return moment;
  --fields.day;
  return FromLocalFields(fields, zone);
}

Schedule Fixed(const TaskForm& form, const PassClock& clock) {
  const int64_t nextRun = FromLocalFields(form.picked, clock.zone);
  if (nextRun <= clock.now)
    return Refuse(u"定时的时间不能小于当前时间");
  return Schedule{clock.now, nextRun, 0, {}};
}

Schedule EveryNDays(const TaskForm& form, const PassClock& clock) {
  const int32_t days = form.everyDaysIndex + 1;
  if (days < 1)
    return Refuse(u"请选择多少天执行一次！");
  LocalFields fields = TodayAtPickedTime(form, clock);
  const int64_t today = FromLocalFields(fields, clock.zone);
  // A time already past today counts from today, so the period keeps its
  // phase; the days are calendar days, so the time of day stays.
  fields.day += days;
  const int64_t nextRun = today > clock.now ? today : FromLocalFields(fields, clock.zone);
  return Schedule{StartShowing(TodayAtPickedTime(form, clock), clock.zone), nextRun, days, {}};
}

Schedule Weekly(const TaskForm& form, const PassClock& clock) {
  const int32_t mask = form.weekdayMask & kAllWeekdays;
  if (mask == 0)
    return Refuse(u"每周至少要选择一天！");
  LocalFields fields = TodayAtPickedTime(form, clock);
  const int64_t today = FromLocalFields(fields, clock.zone);
  const int32_t weekday = clock.today.weekday;
  int64_t nextRun = today;
  if (!(today > clock.now && (mask & WeekdayBit(weekday)))) {
    for (int32_t k = 1; k <= 7; ++k) {
      if (mask & WeekdayBit(weekday + k)) {
        fields.day += k;
        nextRun = FromLocalFields(fields, clock.zone);
        break;
      }
    }
  }
  return Schedule{StartShowing(TodayAtPickedTime(form, clock), clock.zone), nextRun, mask, {}};
}

Schedule Monthly(const TaskForm& form, const PassClock& clock) {
  const int32_t day = form.monthDayIndex + 1;
  // Not in the list; a record edited from elsewhere could carry it.
  if (day < 1 || day > 31)
    return Refuse(u"请选择月日！");
  LocalFields target = TodayAtPickedTime(form, clock);
  const int32_t length = DaysInMonth(target.year, target.month, 0);
  if (length >= day)
    target.day = day;
  if (length < day || FromLocalFields(target, clock.zone) <= clock.now)
    target = NextMonthWithDay(target, day);
  const int64_t moment = FromLocalFields(target, clock.zone);
  return Schedule{StartShowing(target, clock.zone), moment, day, {}};
}

Schedule Yearly(const TaskForm& form, const PassClock& clock) {
  const int32_t month = form.monthIndex + 1;
  const int32_t day = form.yearDayIndex + 1;
  if (month < 1 || day < 1 || month > 12 || day > 31)
    return Refuse(u"请选择月日！");
  LocalFields target = TodayAtPickedTime(form, clock);
  target.month = month;
  target.day = day;
  const int32_t param = month * 100 + day;
  if (month == 2 && day > 29)
    return Refuse(FormatText(u"%d月份一般只有28天(闰年29天)", {2}));
  if (month == 2 && day == 29) {
    if (IsLeapYear(target.year) && FromLocalFields(target, clock.zone) > clock.now) {
      const int64_t moment = FromLocalFields(target, clock.zone);
      return Schedule{StartShowing(target, clock.zone), moment, param, {}};
    }
    for (int32_t ahead = 1; ahead <= 9; ++ahead) {
      if (IsLeapYear(clock.today.year + ahead)) {
        target.year = clock.today.year + ahead;
        const int64_t moment = FromLocalFields(target, clock.zone);
        return Schedule{StartShowing(target, clock.zone), moment, param, {}};
      }
    }
    return Refuse(u"找不到闰年，请重新选择");
  }
  const int32_t length = DaysInMonth(target.year, month, 0);
  if (day > length)
    return Refuse(FormatText(u"%d月份只有%d天,请重新选择日期", {month, length}));
  int64_t moment = FromLocalFields(target, clock.zone);
  if (moment <= clock.now) {
    ++target.year;
    moment = FromLocalFields(target, clock.zone);
  }
  return Schedule{StartShowing(target, clock.zone), moment, param, {}};
}

Schedule Minutes(const TaskForm& form, const PassClock& clock) {
  const int32_t minutes = form.hours * 60 + form.minutes;
  // Negative only with nothing selected in a list; refused like zero.
  if (minutes <= 0)
    return Refuse(u"请重新选择小时或分钟！");
  return Schedule{clock.now, clock.now + int64_t{minutes} * 60, minutes, {}};
}

Schedule ScheduleFor(const TaskForm& form, const PassClock& clock) {
  switch (form.mode) {
    case kFixed:
      return Fixed(form, clock);
    case kEveryNDays:
      return EveryNDays(form, clock);
    case kWeekly:
      return Weekly(form, clock);
    case kMonthly:
      return Monthly(form, clock);
    case kYearly:
      return Yearly(form, clock);
    case kInterval:
    case kIdle:
    case kCountdown:
      return Minutes(form, clock);
    default:
      return Refuse(u"请选择一种定时");
  }
}

bool FitsMoment(int64_t moment) {
  return moment >= std::numeric_limits<int32_t>::min() &&
         moment <= std::numeric_limits<int32_t>::max();
}

}  // namespace

bool HoldsWebAddress(std::u16string_view text) {
  return text.find(kWebPrefix) != std::u16string_view::npos;
}

TaskForm FormForTask(const TaskFileRecord& working, const PassClock& clock) {
  TaskForm form;
  form.mode = kFixed;
  form.picked = clock.today;
  form.weekdayMask = kWorkdays;
  form.hours = 1;
  form.warnSeconds = kDefaultWarnSeconds;
  const bool flavoured = working.action == kOpen || working.action == kReminder;
  if (flavoured)
    form.action = working.action;
  TaskText text;
  text.AssignUnits(working.text);
  form.text = std::u16string(text.View());

  if (working.id == 0 || working.mode < kFixed || working.mode > kCountdown)
    return form;

  form.mode = working.mode;
  form.action = working.action;
  form.warnSeconds = working.warnSeconds;
  form.isWebAddress = working.action == kOpen && HoldsWebAddress(form.text);
  const LocalFields start = ToLocalFields(working.start, clock.zone);
  const auto takeTimeOfStart = [&] {
    form.picked.hour = start.hour;
    form.picked.minute = start.minute;
    form.picked.second = start.second;
  };
  switch (working.mode) {
    case kFixed:
      form.picked = ToLocalFields(working.nextRun, clock.zone);
      break;
    case kEveryNDays:
      form.everyDaysIndex = working.param - 1;
      takeTimeOfStart();
      break;
    case kWeekly:
      form.weekdayMask = working.param & kAllWeekdays;
      takeTimeOfStart();
      break;
    case kMonthly:
      form.monthDayIndex = working.param - 1;
      takeTimeOfStart();
      break;
    case kYearly:
      form.monthIndex = working.param / 100 - 1;
      form.yearDayIndex = working.param % 100 - 1;
      takeTimeOfStart();
      break;
    default:  // the minute modes
      form.hours = working.param / 60;
      form.minutes = working.param % 60;
      break;
  }
  return form;
}

FormOutcome FinishTask(const TaskForm& form,
                       const TaskFileRecord& working,
                       const PassClock& clock) {
  FormOutcome outcome;
  const Schedule schedule = ScheduleFor(form, clock);
  if (!schedule.message.empty()) {
    outcome.message = schedule.message;
    return outcome;
  }
  // The task file holds 32-bit moments; a later one would wrap into the past.
  if (!FitsMoment(schedule.nextRun) || !FitsMoment(schedule.start)) {
    outcome.message = u"所选时间超出范围,请重新选择";
    return outcome;
  }

  TaskText text;
  // A list with nothing selected (a stored value not in it, a task file
  // from elsewhere) keeps the stored value: the editor stores only what the
  // user chose.
  int32_t warnSeconds = form.warnSeconds < 0 ? working.warnSeconds : form.warnSeconds;
  const int32_t action = form.action < 0 ? working.action : form.action;
  if (action == kOpen) {
    // Cut, the address or path would open something else.
    if (form.text.size() > kOpenTargetMaxLength) {
      outcome.message = std::u16string(kOpenTargetTooLong);
      return outcome;
    }
    text.Assign(form.text);
    if (text.Empty() || text.View() == kWebPrefix) {
      outcome.message = u"打开的程序或网址不能为空！";
      return outcome;
    }
    warnSeconds = 0;
  } else if (action == kReminder) {
    text.Assign(form.text);
    if (text.Empty()) {
      outcome.message = u"闹钟提醒内容不能为空！";
      return outcome;
    }
    if (text.View().size() > kReminderMaxLength) {
      outcome.message = u"闹钟提醒内容不能超过110个字！";
      return outcome;
    }
    warnSeconds = kReminderWarnSeconds;
  }

  TaskFileRecord& task = outcome.task;
  task = working;
  task.mode = form.mode;
  task.action = action;
  task.start = static_cast<int32_t>(schedule.start);
  task.nextRun = static_cast<int32_t>(schedule.nextRun);
  task.param = schedule.param;
  task.reserved = 0;
  task.warnSeconds = warnSeconds;
  task.created = static_cast<int32_t>(clock.now);
  task.state = kNormal;
  task.text = text.Units();
  return outcome;
}

std::u16string EntryTextForToggle(bool isWebAddress, std::u16string_view workingText) {
  if (isWebAddress && !HoldsWebAddress(workingText))
    return std::u16string(kWebPrefix);
  return std::u16string(workingText);
}

}  // namespace nightlatch
