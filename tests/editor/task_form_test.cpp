#include "editor/task_form.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/trigger_rules.h"
#include "support/plain_calendar.h"
#include "support/printable_text.h"

namespace nightlatch {
namespace {

using testing::kHour;
using testing::NamedZone;
using testing::PlainLocalFields;
using testing::PlainMoment;
using testing::Text;
using testing::Wall;

// Expected moments are local wall times worked out by hand, so every table
// runs in zones on both sides of UTC.
const NamedZone kZones[] = {
    {"UTC+8", {8 * kHour}},
    {"UTC-5", {-5 * kHour}},
    {"UTC", {0}},
};

PassClock ClockAt(const Wall& now, TimeZone zone) {
  return PassClock::At(PlainMoment(now, zone), zone);
}

LocalFields Picked(const Wall& w) {
  return testing::ToFields(w);
}

// Forms as the dialog reads them; the date part of `picked` is the date
// picker's, which only 自定时 reads.
TaskForm FixedAt(const Wall& when) {
  TaskForm form;
  form.mode = kFixed;
  form.picked = Picked(when);
  return form;
}

TaskForm TimeOfDay(int32_t mode, int hour, int minute, int second) {
  TaskForm form;
  form.mode = mode;
  form.picked = Picked(Wall{2001, 1, 1, hour, minute, second});
  return form;
}

TaskForm EveryDays(int days, int hour, int minute = 0, int second = 0) {
  TaskForm form = TimeOfDay(kEveryNDays, hour, minute, second);
  form.everyDaysIndex = days - 1;
  return form;
}

TaskForm Weekly(int32_t mask, int hour, int minute = 0, int second = 0) {
  TaskForm form = TimeOfDay(kWeekly, hour, minute, second);
  form.weekdayMask = mask;
  return form;
}

TaskForm Monthly(int day, int hour, int minute = 0) {
  TaskForm form = TimeOfDay(kMonthly, hour, minute, 0);
  form.monthDayIndex = day - 1;
  return form;
}

TaskForm Yearly(int month, int day, int hour, int minute = 0) {
  TaskForm form = TimeOfDay(kYearly, hour, minute, 0);
  form.monthIndex = month - 1;
  form.yearDayIndex = day - 1;
  return form;
}

TaskForm Minutes(int32_t mode, int hours, int minutes) {
  TaskForm form;
  form.mode = mode;
  form.hours = hours;
  form.minutes = minutes;
  return form;
}

TaskFileRecord Blank() {
  return TaskFileRecord{};
}

constexpr int32_t kMonday = 1;
constexpr int32_t kWednesday = 4;
constexpr int32_t kFriday = 16;
constexpr int32_t kSunday = 64;

// 2026-03-04 is a Wednesday; 2026 and 2027 are common years, 2028 a leap year.
const Wall kWednesdayTen{2026, 3, 4, 10};

struct FirstRunCase {
  const char* name;
  TaskForm form;
  Wall now;
  Wall nextRun;
  Wall start;
  int32_t param;
};

// clang-format off
const FirstRunCase kFirstRunCases[] = {
    {"fixed, one second ahead", FixedAt({2026, 3, 4, 10, 0, 1}), kWednesdayTen, {2026, 3, 4, 10, 0, 1}, kWednesdayTen, 0},
    {"fixed, next year", FixedAt({2027, 1, 1}), kWednesdayTen, {2027, 1, 1}, kWednesdayTen, 0},
    {"every 3 days, later today", EveryDays(3, 12), kWednesdayTen, {2026, 3, 4, 12}, {2026, 3, 4, 12}, 3},
    {"every 3 days, past today's time", EveryDays(3, 8), kWednesdayTen, {2026, 3, 7, 8}, {2026, 3, 4, 8}, 3},
    {"every day, the current second", EveryDays(1, 10), kWednesdayTen, {2026, 3, 5, 10}, {2026, 3, 4, 10}, 1},
    {"every 31 days over the year's end", EveryDays(31, 9), {2026, 12, 20, 10}, {2027, 1, 20, 9}, {2026, 12, 20, 9}, 31},
    {"weekly Mon+Fri from Wednesday", Weekly(kMonday | kFriday, 9), {2026, 3, 4, 12}, {2026, 3, 6, 9}, {2026, 3, 4, 9}, 17},
    {"weekly, only today, time past", Weekly(kWednesday, 9), {2026, 3, 4, 12}, {2026, 3, 11, 9}, {2026, 3, 4, 9}, 4},
    {"weekly, only today, later today", Weekly(kWednesday, 15, 30), {2026, 3, 4, 12}, {2026, 3, 4, 15, 30}, {2026, 3, 4, 15, 30}, 4},
    {"weekly, only today, the current second", Weekly(kWednesday, 10), kWednesdayTen, {2026, 3, 11, 10}, kWednesdayTen, 4},
    {"weekly, Sunday from Wednesday", Weekly(kSunday, 7, 15, 5), kWednesdayTen, {2026, 3, 8, 7, 15, 5}, {2026, 3, 4, 7, 15, 5}, 64},
    {"weekly, Monday from Sunday evening", Weekly(kMonday, 6), {2026, 3, 8, 23}, {2026, 3, 9, 6}, {2026, 3, 8, 6}, 1},
    {"monthly 15 on the 15th before the time", Monthly(15, 9), {2026, 3, 15, 8}, {2026, 3, 15, 9}, {2026, 3, 15, 9}, 15},
    {"monthly 15 on the 15th at the time", Monthly(15, 9), {2026, 3, 15, 9}, {2026, 4, 15, 9}, {2026, 4, 15, 9}, 15},
    {"monthly 10 on the 20th", Monthly(10, 9), {2026, 3, 20, 8}, {2026, 4, 10, 9}, {2026, 4, 10, 9}, 10},
    {"monthly 31 in April, early", Monthly(31, 9), {2026, 4, 2, 8}, {2026, 5, 31, 9}, {2026, 5, 31, 9}, 31},
    {"monthly 31 in April, last day", Monthly(31, 9), {2026, 4, 30, 23}, {2026, 5, 31, 9}, {2026, 5, 31, 9}, 31},
    {"monthly 31 on 31 January after the time", Monthly(31, 9), {2026, 1, 31, 12}, {2026, 3, 31, 9}, {2026, 3, 31, 9}, 31},
    {"monthly 31 on 31 January, leap year", Monthly(31, 9), {2028, 1, 31, 12}, {2028, 3, 31, 9}, {2028, 3, 31, 9}, 31},
    {"monthly 31 on 31 December after the time", Monthly(31, 9), {2026, 12, 31, 12}, {2027, 1, 31, 9}, {2027, 1, 31, 9}, 31},
    {"yearly 12/25 later this year", Yearly(12, 25, 20), kWednesdayTen, {2026, 12, 25, 20}, {2026, 12, 25, 20}, 1225},
    {"yearly today, time past", Yearly(3, 4, 9), kWednesdayTen, {2027, 3, 4, 9}, {2027, 3, 4, 9}, 304},
    {"yearly today, the current second", Yearly(3, 4, 10), kWednesdayTen, {2027, 3, 4, 10}, {2027, 3, 4, 10}, 304},
    {"yearly 12/31 on New Year's Eve, time past", Yearly(12, 31, 8), {2026, 12, 31, 9}, {2027, 12, 31, 8}, {2027, 12, 31, 8}, 1231},
    {"yearly 2/28", Yearly(2, 28, 6), kWednesdayTen, {2027, 2, 28, 6}, {2027, 2, 28, 6}, 228},
    {"yearly 29 February in a common year", Yearly(2, 29, 9), kWednesdayTen, {2028, 2, 29, 9}, {2028, 2, 29, 9}, 229},
    {"yearly 29 February, leap year, before it", Yearly(2, 29, 9), {2028, 1, 10, 12}, {2028, 2, 29, 9}, {2028, 2, 29, 9}, 229},
    {"yearly 29 February, leap year, after it", Yearly(2, 29, 9), {2028, 3, 1}, {2032, 2, 29, 9}, {2032, 2, 29, 9}, 229},
    {"yearly 29 February, the day itself, time past", Yearly(2, 29, 9), {2028, 2, 29, 10}, {2032, 2, 29, 9}, {2032, 2, 29, 9}, 229},
    {"interval 24:59", Minutes(kInterval, 24, 59), kWednesdayTen, {2026, 3, 5, 10, 59}, kWednesdayTen, 1499},
    {"idle 0:01", Minutes(kIdle, 0, 1), kWednesdayTen, {2026, 3, 4, 10, 1}, kWednesdayTen, 1},
    {"countdown 1:30", Minutes(kCountdown, 1, 30), {2026, 3, 4, 23, 0, 7}, {2026, 3, 5, 0, 30, 7}, {2026, 3, 4, 23, 0, 7}, 90},
};
// clang-format on

TEST(TaskFormTest, FirstRunOfEveryMode) {
  for (const NamedZone& zone : kZones) {
    for (const FirstRunCase& c : kFirstRunCases) {
      SCOPED_TRACE(std::string(zone.name) + ": " + c.name);
      const FormOutcome outcome = FinishTask(c.form, Blank(), ClockAt(c.now, zone.zone));
      ASSERT_TRUE(outcome.accepted()) << testing::ToUtf8(outcome.message);
      EXPECT_EQ(PlainLocalFields(outcome.task.nextRun, zone.zone).wall, c.nextRun);
      EXPECT_EQ(PlainLocalFields(outcome.task.start, zone.zone).wall, c.start);
      EXPECT_EQ(outcome.task.param, c.param);
      EXPECT_EQ(outcome.task.mode, c.form.mode);
    }
  }
}

// One second after 确定 the scheduler's first pass must leave the task as
// the editor set it, or a task would jump (or run) the moment it is added.
TEST(TaskFormTest, SchedulerKeepsTheFirstRun) {
  for (const NamedZone& zone : kZones) {
    for (const FirstRunCase& c : kFirstRunCases) {
      if (c.form.mode == kIdle)
        continue;  // an Idle task follows the idle time, not its nextRun
      SCOPED_TRACE(std::string(zone.name) + ": " + c.name);
      const PassClock clock = ClockAt(c.now, zone.zone);
      const FormOutcome outcome = FinishTask(c.form, Blank(), clock);
      ASSERT_TRUE(outcome.accepted());
      CTask task(outcome.task);
      const PassClock oneSecondLater = PassClock::At(clock.now + 1, zone.zone);
      UpdateNextRun(task, oneSecondLater, /*atLoad=*/false);
      EXPECT_EQ(PlainLocalFields(task.nextRun, zone.zone).wall, c.nextRun);
      EXPECT_EQ(task.state, kNormal);
    }
  }
}

struct RefusalCase {
  const char* name;
  TaskForm form;
  Wall now;
  std::u16string message;
};

TaskForm WithoutSelection(TaskForm form, int32_t TaskForm::*list) {
  form.*list = -1;
  return form;
}

TEST(TaskFormTest, RefusalsSayWhy) {
  TaskForm noMode = Minutes(kInterval, 1, 0);
  noMode.mode = 0;
  // clang-format off
  const RefusalCase cases[] = {
      {"no mode chosen", noMode, kWednesdayTen, u"请选择一种定时"},
      {"fixed at the current second", FixedAt(kWednesdayTen), kWednesdayTen, u"定时的时间不能小于当前时间"},
      {"fixed yesterday", FixedAt({2026, 3, 3, 23, 59, 59}), kWednesdayTen, u"定时的时间不能小于当前时间"},
      {"every N days, nothing selected", WithoutSelection(EveryDays(3, 9), &TaskForm::everyDaysIndex), kWednesdayTen, u"请选择多少天执行一次！"},
      {"weekly, no day", Weekly(0, 9), kWednesdayTen, u"每周至少要选择一天！"},
      {"yearly, no month", WithoutSelection(Yearly(3, 1, 9), &TaskForm::monthIndex), kWednesdayTen, u"请选择月日！"},
      {"yearly, no day", WithoutSelection(Yearly(3, 1, 9), &TaskForm::yearDayIndex), kWednesdayTen, u"请选择月日！"},
      {"yearly 30 February", Yearly(2, 30, 9), kWednesdayTen, u"2月份一般只有28天(闰年29天)"},
      {"yearly 31 February in a leap year", Yearly(2, 31, 9), {2028, 1, 1}, u"2月份一般只有28天(闰年29天)"},
      {"yearly 31 April", Yearly(4, 31, 9), kWednesdayTen, u"4月份只有30天,请重新选择日期"},
      {"yearly 31 November", Yearly(11, 31, 9), kWednesdayTen, u"11月份只有30天,请重新选择日期"},
      {"monthly, nothing selected", WithoutSelection(Monthly(5, 9), &TaskForm::monthDayIndex), kWednesdayTen, u"请选择月日！"},
      {"interval 0:00", Minutes(kInterval, 0, 0), kWednesdayTen, u"请重新选择小时或分钟！"},
      {"idle 0:00", Minutes(kIdle, 0, 0), kWednesdayTen, u"请重新选择小时或分钟！"},
      {"countdown 0:00", Minutes(kCountdown, 0, 0), kWednesdayTen, u"请重新选择小时或分钟！"},
      {"countdown, no hour selected", WithoutSelection(Minutes(kCountdown, 0, 0), &TaskForm::hours), kWednesdayTen, u"请重新选择小时或分钟！"},
      {"fixed beyond the task file's moments", FixedAt({2040, 1, 1}), kWednesdayTen, u"所选时间超出范围,请重新选择"},
      {"yearly 29 February beyond them", Yearly(2, 29, 9), {2037, 3, 1}, u"所选时间超出范围,请重新选择"},
  };
  // clang-format on
  for (const NamedZone& zone : kZones) {
    for (const RefusalCase& c : cases) {
      SCOPED_TRACE(std::string(zone.name) + ": " + c.name);
      EXPECT_EQ(Text(FinishTask(c.form, Blank(), ClockAt(c.now, zone.zone)).message),
                Text(c.message));
    }
  }
}

std::u16string Repeat(char16_t unit, std::size_t count) {
  return std::u16string(count, unit);
}

struct EntryCase {
  const char* name;
  int32_t action;
  std::u16string text;
  std::u16string message;  // empty: accepted
  std::u16string stored;
  int32_t warnSeconds;
};

TEST(TaskFormTest, EntryTextAndWarningByAction) {
  // clang-format off
  const EntryCase cases[] = {
      {"open a program", kOpen, u"C:\\Windows\\notepad.exe", u"", u"C:\\Windows\\notepad.exe", 0},
      {"open an address", kOpen, u"http://127.0.0.1/日程", u"", u"http://127.0.0.1/日程", 0},
      {"open nothing", kOpen, u"", u"打开的程序或网址不能为空！", u"", 0},
      {"open the bare prefix", kOpen, u"http://", u"打开的程序或网址不能为空！", u"", 0},
      {"open of 119 characters", kOpen, Repeat(u'路', 119), u"", Repeat(u'路', 119), 0},
      {"open of 120 characters is refused, not cut", kOpen, Repeat(u'路', 120), u"打开的程序或网址不能超过119个字！", u"", 0},
      {"open of a 259-character path", kOpen, Repeat(u'路', 259), u"打开的程序或网址不能超过119个字！", u"", 0},
      {"reminder of 110 characters", kReminder, Repeat(u'醒', 110), u"", Repeat(u'醒', 110), 60},
      {"reminder of 111 characters", kReminder, Repeat(u'醒', 111), u"闹钟提醒内容不能超过110个字！", u"", 0},
      {"reminder typed past 119", kReminder, Repeat(u'醒', 300), u"闹钟提醒内容不能超过110个字！", u"", 0},
      {"empty reminder", kReminder, u"", u"闹钟提醒内容不能为空！", u"", 0},
      {"a power action keeps no text", kHibernate, u"left over", u"", u"", 45},
  };
  // clang-format on
  for (const EntryCase& c : cases) {
    SCOPED_TRACE(c.name);
    TaskForm form = Minutes(kCountdown, 0, 5);
    form.action = c.action;
    form.text = c.text;
    form.warnSeconds = 45;
    const FormOutcome outcome = FinishTask(form, Blank(), ClockAt(kWednesdayTen, TimeZone{0}));
    EXPECT_EQ(Text(outcome.message), Text(c.message));
    if (!outcome.accepted())
      continue;
    TaskText stored;
    stored.AssignUnits(outcome.task.text);
    EXPECT_EQ(Text(stored.View()), Text(c.stored));
    EXPECT_EQ(outcome.task.action, c.action);
    EXPECT_EQ(outcome.task.warnSeconds, c.warnSeconds);
  }
}

// A stored warning or action that is not in its list (a task file from
// elsewhere) shows no selection; 确定 keeps the stored value instead of
// storing -1, which would make a task that never runs.
TEST(TaskFormTest, NothingSelectedKeepsTheStoredValue) {
  TaskFileRecord working = Blank();
  working.id = 7;
  working.action = kRestart;
  working.warnSeconds = 120;
  const struct {
    const char* name;
    int32_t action;
    int32_t warnSeconds;
    int32_t storedAction;
    int32_t storedWarning;
  } cases[] = {
      {"neither list selected", -1, -1, kRestart, 120},
      {"a warning chosen", -1, 15, kRestart, 15},
      {"an action chosen", kLogOff, -1, kLogOff, 120},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TaskForm form = Minutes(kCountdown, 0, 5);
    form.action = c.action;
    form.warnSeconds = c.warnSeconds;
    const FormOutcome outcome = FinishTask(form, working, ClockAt(kWednesdayTen, TimeZone{0}));
    ASSERT_TRUE(outcome.accepted()) << testing::ToUtf8(outcome.message);
    EXPECT_EQ(outcome.task.action, c.storedAction);
    EXPECT_EQ(outcome.task.warnSeconds, c.storedWarning);
  }
}

TEST(TaskFormTest, TheScheduleIsCheckedBeforeTheText) {
  TaskForm form = Minutes(kInterval, 0, 0);
  form.action = kReminder;
  EXPECT_EQ(Text(FinishTask(form, Blank(), ClockAt(kWednesdayTen, TimeZone{0})).message),
            Text(u"请重新选择小时或分钟！"));
}

TEST(TaskFormTest, AcceptedTaskKeepsIdAndNoteAndBecomesNormal) {
  TaskFileRecord working;
  working.id = 7;
  working.state = kStopped;
  working.reserved = 99;
  working.created = 5;
  working.note[0] = u'注';
  const PassClock clock = ClockAt(kWednesdayTen, TimeZone{8 * kHour});
  const FormOutcome outcome = FinishTask(Minutes(kIdle, 0, 10), working, clock);
  ASSERT_TRUE(outcome.accepted());
  EXPECT_EQ(outcome.task.id, 7);
  EXPECT_EQ(outcome.task.note, working.note);
  EXPECT_EQ(outcome.task.state, kNormal);
  EXPECT_EQ(outcome.task.reserved, 0);
  EXPECT_EQ(outcome.task.created, clock.now);
}

// Created around the spring change in Central Europe: the first run counts
// calendar days, and `start` reads back as the chosen time even when the
// clock skips it on the day the task is made.
TEST(TaskFormTest, CalendarTasksAroundTheSpringChange) {
  const TimeZone zone = testing::CentralEurope2026();
  const TimeZone utc;
  struct Case {
    const char* name;
    TaskForm form;
    Wall nowUtc;
    Wall nextRunUtc;
    Wall startShown;  // ToLocalFields(start) in the zone
  };
  const Case cases[] = {
      {"daily 23:00, made after 23:00 the evening before",
       EveryDays(1, 23),
       {2026, 3, 28, 22, 30},
       {2026, 3, 29, 21},
       {2026, 3, 28, 23}},
      {"daily 02:30, made on the morning the clock skips it",
       EveryDays(1, 2, 30),
       {2026, 3, 29, 0, 30},
       {2026, 3, 29, 1, 30},
       {2026, 3, 28, 2, 30}},
      {"Sundays 02:30, made the Saturday before",
       Weekly(64, 2, 30),
       {2026, 3, 28, 11},
       {2026, 3, 29, 1, 30},
       {2026, 3, 28, 2, 30}},
      {"the 29th at 02:30, its first run in the gap",
       Monthly(29, 2, 30),
       {2026, 3, 20, 11},
       {2026, 3, 29, 1, 30},
       {2026, 3, 28, 2, 30}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const FormOutcome outcome =
        FinishTask(c.form, Blank(), PassClock::At(PlainMoment(c.nowUtc, utc), zone));
    ASSERT_TRUE(outcome.message.empty()) << testing::ToUtf8(outcome.message);
    EXPECT_EQ(outcome.task.nextRun, PlainMoment(c.nextRunUtc, utc));
    EXPECT_EQ(testing::ToWall(ToLocalFields(outcome.task.start, zone)), c.startShown);
  }
}

TEST(TaskFormTest, NewTaskStartsAsFixedAtThePresentWithTheDefaults) {
  const PassClock clock = ClockAt({2026, 3, 4, 10, 20, 30}, TimeZone{8 * kHour});
  for (const int32_t action : {int32_t{kShutdown}, int32_t{kOpen}, int32_t{kReminder}}) {
    SCOPED_TRACE(action);
    TaskFileRecord blank;
    blank.action = action;
    const TaskForm form = FormForTask(blank, clock);
    EXPECT_EQ(form.mode, kFixed);
    EXPECT_EQ(form.action, action);
    EXPECT_EQ(form.picked, clock.today);
    EXPECT_EQ(form.everyDaysIndex, 0);
    EXPECT_EQ(form.weekdayMask, 1 | 2 | 4 | 8 | 16) << "Monday to Friday";
    EXPECT_EQ(form.monthDayIndex, 0);
    EXPECT_EQ(form.monthIndex, 0);
    EXPECT_EQ(form.yearDayIndex, 0);
    EXPECT_EQ(form.hours, 1);
    EXPECT_EQ(form.minutes, 0);
    EXPECT_EQ(form.warnSeconds, 30);
    EXPECT_FALSE(form.isWebAddress);
  }
  TaskFileRecord unknownMode;
  unknownMode.id = 3;
  unknownMode.mode = 9;
  unknownMode.param = 500;
  EXPECT_EQ(FormForTask(unknownMode, clock).mode, kFixed);
  EXPECT_EQ(FormForTask(unknownMode, clock).hours, 1);
}

// What the editor stored, shown again and confirmed unchanged at the same
// moment, gives the same task: the controls carry every field they set.
TEST(TaskFormTest, ExistingTaskShowsWhatItWasMadeFrom) {
  const TimeZone zone{8 * kHour};
  for (const FirstRunCase& c : kFirstRunCases) {
    SCOPED_TRACE(c.name);
    const PassClock clock = ClockAt(c.now, zone);
    TaskFileRecord working;
    working.id = 4;
    TaskForm form = c.form;
    form.action = kRestart;
    form.warnSeconds = 20;
    const FormOutcome first = FinishTask(form, working, clock);
    ASSERT_TRUE(first.accepted());
    const TaskForm shown = FormForTask(first.task, clock);
    EXPECT_EQ(shown.mode, c.form.mode);
    EXPECT_EQ(shown.action, kRestart);
    EXPECT_EQ(shown.warnSeconds, 20);
    const FormOutcome again = FinishTask(shown, first.task, clock);
    ASSERT_TRUE(again.accepted()) << testing::ToUtf8(again.message);
    EXPECT_EQ(again.task, first.task);
  }
}

TEST(TaskFormTest, ExistingTaskFillsTheListsFromItsParameter) {
  const TimeZone zone{8 * kHour};
  const PassClock clock = ClockAt(kWednesdayTen, zone);
  TaskFileRecord task;
  task.id = 1;
  task.start = static_cast<int32_t>(PlainMoment({2026, 2, 1, 7, 45, 30}, zone));
  task.nextRun = static_cast<int32_t>(PlainMoment({2026, 5, 6, 21, 5, 9}, zone));
  task.warnSeconds = 12;

  task.mode = kYearly;
  task.param = 1231;
  TaskForm form = FormForTask(task, clock);
  EXPECT_EQ(form.monthIndex, 11);
  EXPECT_EQ(form.yearDayIndex, 30);
  EXPECT_EQ(form.warnSeconds, 12);
  EXPECT_EQ(form.picked.hour, 7) << "the time of day comes from start";
  EXPECT_EQ(form.picked.minute, 45);
  EXPECT_EQ(form.picked.second, 30);

  task.mode = kFixed;
  form = FormForTask(task, clock);
  EXPECT_EQ(testing::ToWall(form.picked), (Wall{2026, 5, 6, 21, 5, 9})) << "from nextRun";

  task.mode = kWeekly;
  task.param = kSunday | kMonday;
  EXPECT_EQ(FormForTask(task, clock).weekdayMask, kSunday | kMonday);

  task.mode = kIdle;
  task.param = 1499;
  form = FormForTask(task, clock);
  EXPECT_EQ(form.hours, 24);
  EXPECT_EQ(form.minutes, 59);
}

TEST(TaskFormTest, OpenTaskWithAnAddressStartsAsAnAddress) {
  const PassClock clock = ClockAt(kWednesdayTen, TimeZone{0});
  struct Case {
    int32_t action;
    const char16_t* text;
    bool isWebAddress;
  } cases[] = {
      {kOpen, u"http://127.0.0.1/", true},      {kOpen, u"see http://127.0.0.1/", true},
      {kOpen, u"https://127.0.0.1/", false},    {kOpen, u"C:\\a.txt", false},
      {kReminder, u"http://127.0.0.1/", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::ToUtf8(c.text));
    TaskFileRecord task;
    task.id = 2;
    task.mode = kCountdown;
    task.param = 5;
    task.action = c.action;
    TaskText text(c.text);
    task.text = text.Units();
    const TaskForm form = FormForTask(task, clock);
    EXPECT_EQ(form.isWebAddress, c.isWebAddress);
    EXPECT_EQ(Text(form.text), Text(c.text));
  }
}

TEST(TaskFormTest, ToggleOfWebAddressShowsTheRightEntry) {
  struct Case {
    bool isWebAddress;
    const char16_t* working;
    const char16_t* shown;
  } cases[] = {
      {true, u"", u"http://"},
      {true, u"C:\\tools\\a.exe", u"http://"},
      {true, u"http://127.0.0.1/x", u"http://127.0.0.1/x"},
      {false, u"http://127.0.0.1/x", u"http://127.0.0.1/x"},
      {false, u"C:\\tools\\a.exe", u"C:\\tools\\a.exe"},
      {false, u"", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::ToUtf8(c.working));
    EXPECT_EQ(Text(EntryTextForToggle(c.isWebAddress, c.working)), Text(c.shown));
  }
}

}  // namespace
}  // namespace nightlatch
