#include "engine/task_texts.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/task_list.h"
#include "engine/trigger_rules.h"
#include "support/plain_calendar.h"
#include "support/printable_text.h"
#include "support/task_records.h"

namespace nightlatch {
namespace {

using testing::MakeTask;
using testing::Moment32;
using testing::PlainMoment;
using testing::Text;

TEST(FormatDurationTest, Table) {
  struct Case {
    int64_t seconds;
    bool withSeconds;
    std::u16string expected;
  };
  const Case cases[] = {
      {0, true, u"0秒"},
      {0, false, u"时间到"},
      {1, true, u"1秒"},
      {1, false, u"1分钟"},
      {59, true, u"59秒"},
      {59, false, u"1分钟"},
      {60, true, u"1分00秒"},
      {60, false, u"1分钟"},
      {61, true, u"1分01秒"},
      {61, false, u"2分钟"},
      {3570, true, u"59分30秒"},
      {3570, false, u"60分钟"},  // only the minutes are rounded up
      {3599, true, u"59分59秒"},
      {3599, false, u"60分钟"},
      {3600, true, u"1小时00分00秒"},
      {3600, false, u"1小时00分"},
      {3601, false, u"1小时01分"},
      {3661, true, u"1小时01分01秒"},
      {3909, true, u"1小时05分09秒"},
      {3909, false, u"1小时06分"},
      {7141, true, u"1小时59分01秒"},
      {7141, false, u"1小时60分"},
      {86399, true, u"23小时59分59秒"},
      {86399, false, u"23小时60分"},
      {86400, true, u"1天00小时00分00秒"},
      {86400, false, u"1天00小时00分"},
      {86401, false, u"1天00小时01分"},
      {90061, true, u"1天01小时01分01秒"},
      {90061, false, u"1天01小时02分"},
      {882429, true, u"10天05小时07分09秒"},
      {882429, false, u"10天05小时08分"},
      {86400 * 400 + 59, false, u"400天00小时01分"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.seconds) + (c.withSeconds ? " with seconds" : " without"));
    EXPECT_EQ(Text(FormatDuration(c.seconds, c.withSeconds)), Text(c.expected));
  }
}

TEST(TypeTextTest, EveryModeAndAction) {
  struct Case {
    const char* name;
    int32_t mode;
    int32_t action;
    int32_t param;
    std::u16string expected;
  };
  const Case cases[] = {
      {"fixed", kFixed, kShutdown, 0, u"关机\n自定时"},
      {"every 3 days", kEveryNDays, kRestart, 3, u"重启\n每3天"},
      {"weekly Mon, Wed, Sun", kWeekly, kShutdown, 1 | 4 | 64, u"关机\n每周-1,3,7"},
      {"weekly every day", kWeekly, kLock, 127, u"锁屏\n每周-1,2,3,4,5,6,7"},
      {"weekly Saturday", kWeekly, kStandby, 32, u"挂机\n每周-6"},
      {"weekly empty mask drops the dash", kWeekly, kShutdown, 0, u"关机\n每周"},
      {"monthly", kMonthly, kLogOff, 15, u"注销\n每月15日"},
      {"yearly", kYearly, kShutdown, 1225, u"关机\n每年-12月25日"},
      {"yearly 29 February", kYearly, kHibernate, 229, u"休眠\n每年-2月29日"},
      {"interval", kInterval, kShutdown, 90, u"关机\n间隔-1小时30分钟"},
      {"interval under an hour", kInterval, kOpen, 45, u"打开\n间隔-0小时45分钟"},
      {"idle", kIdle, kMonitorOff, 10, u"关闭显示器\n空闲-0小时10分钟"},
      {"countdown", kCountdown, kReminder, 150, u"提醒\n倒计时-2小时30分钟"},
      {"unknown action", kFixed, 9, 0, u"\n自定时"},
      {"negative action", kEveryNDays, -1, 2, u"\n每2天"},
      {"mode 0", 0, kShutdown, 0, u""},
      {"mode 9", 9, kShutdown, 0, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Text(TypeText(MakeTask(c.mode, c.action, 0, c.param))), Text(c.expected));
  }
}

TEST(TimeTextTest, TodayOrTheFullDate) {
  struct Case {
    const char* name;
    testing::Wall nextRun;
    std::u16string expected;
  };
  // Today is Tuesday 8 December 2026, 12:00 local.
  const Case cases[] = {
      {"today", {2026, 12, 8, 8, 0, 5}, u"今天 \n08:00:05"},
      {"today, just before midnight", {2026, 12, 8, 23, 59, 59}, u"今天 \n23:59:59"},
      {"today, midnight", {2026, 12, 8}, u"今天 \n00:00:00"},
      {"tomorrow", {2026, 12, 9, 8, 0, 5}, u"2026年12月9日 \n08:00:05"},
      {"same day, next month", {2027, 1, 8, 7, 30}, u"2027年1月8日 \n07:30:00"},
      {"same day, next year", {2027, 12, 8, 8}, u"2027年12月8日 \n08:00:00"},
      {"yesterday", {2026, 12, 7, 21, 5, 9}, u"2026年12月7日 \n21:05:09"},
  };
  for (const TimeZone& zone : {TimeZone{0}, TimeZone{8 * 3600}, TimeZone{-5 * 3600}}) {
    const PassClock clock = PassClock::At(PlainMoment({2026, 12, 8, 12}, zone), zone);
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.name) + ", offset " + std::to_string(zone.offsetBefore()));
      const CTask task = MakeTask(kFixed, kShutdown, Moment32(c.nextRun, zone));
      EXPECT_EQ(Text(TimeText(task, clock)), Text(c.expected));
    }
  }
}

TEST(MissedRunLineTest, TimeTypeAndAReminderText) {
  const TimeZone zone{8 * 3600};
  const PassClock clock = PassClock::At(PlainMoment({2026, 12, 8, 12}, zone), zone);
  struct Case {
    const char* name;
    CTask task;
    testing::Wall run;
    std::u16string expected;
  };
  // The task's own next run is elsewhere: the line shows the missed moment.
  const int32_t later = Moment32({2026, 12, 20, 7}, zone);
  const Case cases[] = {
      {"reminder today",
       MakeTask(kFixed, kReminder, later, 0, kNormal, u"开会"),
       {2026, 12, 8, 9},
       u"今天 09:00:00  提醒 自定时  开会"},
      {"shutdown yesterday",
       MakeTask(kEveryNDays, kShutdown, later, 1, kNormal, u"x"),
       {2026, 12, 7, 23, 30},
       u"2026年12月7日 23:30:00  关机 每1天"},
      {"open, a path",
       MakeTask(kWeekly, kOpen, later, 1 | 4, kNormal, u"C:\\a.txt"),
       {2026, 12, 7, 8},
       u"2026年12月7日 08:00:00  打开 每周-1,3"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const MissedRun run{c.task, PlainMoment(c.run, zone)};
    EXPECT_EQ(Text(MissedRunLine(run, clock)), Text(c.expected));
  }
}

TEST(StatusTextTest, StoppedDueOrRemaining) {
  const int64_t now = 1772625600;
  const PassClock clock = PassClock::At(now, TimeZone{8 * 3600}, 100);
  const int32_t in1h05m09s = static_cast<int32_t>(now + 3909);
  struct Case {
    const char* name;
    CTask task;
    bool withName;
    bool withSeconds;
    std::u16string expected;
  };
  const Case cases[] = {
      {"stopped", MakeTask(kFixed, kShutdown, in1h05m09s, 0, kStopped), true, true, u"已停止"},
      {"stopped idle", MakeTask(kIdle, kShutdown, 0, 10, kStopped), false, false, u"已停止"},
      {"its second", MakeTask(kFixed, kShutdown, static_cast<int32_t>(now)), true, true, u"执行"},
      {"just passed", MakeTask(kFixed, kShutdown, static_cast<int32_t>(now - 1)), false, false,
       u"执行"},
      {"with name and seconds", MakeTask(kFixed, kShutdown, in1h05m09s), true, true,
       u"关机倒计时:1小时05分09秒"},
      {"list column", MakeTask(kFixed, kShutdown, in1h05m09s), false, false, u"1小时06分"},
      {"reminder keeps its short name", MakeTask(kFixed, kReminder, in1h05m09s), true, false,
       u"提醒倒计时:1小时06分"},
      {"unknown action has no name", MakeTask(kFixed, 9, in1h05m09s), true, true,
       u"倒计时:1小时05分09秒"},
      // Idle: 600 s minus the 100 s idle so far, whatever nextRun says.
      {"idle", MakeTask(kIdle, kLock, 0, 10), true, true, u"锁屏倒计时:8分20秒"},
      {"idle, list column", MakeTask(kIdle, kLock, 0, 10), false, false, u"9分钟"},
      {"idle past its threshold", MakeTask(kIdle, kLock, 0, 1), false, false, u"执行"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Text(StatusText(c.task, clock, c.withName, c.withSeconds)), Text(c.expected));
  }
}

TEST(StatusTextTest, IdleCountdownRestartsAfterInput) {
  const CTask task = MakeTask(kIdle, kShutdown, 0, 10);
  const TimeZone zone{};
  EXPECT_EQ(Text(StatusText(task, PassClock::At(5000, zone, 599), false, true)), Text(u"1秒"));
  EXPECT_EQ(Text(StatusText(task, PassClock::At(5001, zone, 0), false, true)), Text(u"10分00秒"));
}

TEST(StateTextTest, Words) {
  struct Case {
    int32_t state;
    std::u16string expected;
  };
  for (const Case& c : {Case{0, u"停止"}, Case{1, u"正常"}, Case{2, u" "}, Case{-1, u" "}}) {
    SCOPED_TRACE("state " + std::to_string(c.state));
    EXPECT_EQ(Text(StateText(MakeTask(kFixed, kShutdown, 0, 0, c.state))), Text(c.expected));
  }
}

TEST(NextTaskTextTest, EmptyNoneOrTheNextCountdown) {
  const int64_t now = 1772625600;
  const PassClock clock = PassClock::At(now, TimeZone{});
  TaskList list;
  EXPECT_EQ(Text(NextTaskText(list, clock)), Text(u"当前没有任务，快去添加吧"));

  list.Add(MakeTask(kFixed, kShutdown, static_cast<int32_t>(now + 60), 0, kStopped));
  EXPECT_EQ(Text(NextTaskText(list, clock)), Text(u"没有将要执行的任务"));

  list.Add(MakeTask(kFixed, kRestart, static_cast<int32_t>(now + 7200)));
  list.Add(MakeTask(kFixed, kShutdown, static_cast<int32_t>(now + 3909)));
  EXPECT_EQ(Text(NextTaskText(list, clock)), Text(u"关机倒计时:1小时05分09秒"));
}

}  // namespace
}  // namespace nightlatch
