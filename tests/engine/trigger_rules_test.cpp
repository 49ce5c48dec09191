#include "engine/trigger_rules.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "engine/task_list.h"
#include "support/plain_calendar.h"
#include "support/recording_sink.h"
#include "support/task_records.h"

namespace nightlatch {
namespace {

using testing::Moment32;
using testing::PlainLocalFields;
using testing::PlainMoment;
using testing::Wall;

using testing::kHour;
using testing::NamedZone;

// Each table runs in every zone, so a rule that mixes up the UTC date and
// the local date shows on the early-morning and late-evening cases.
const NamedZone kZones[] = {
    {"UTC", {0}},
    {"UTC+8", {8 * kHour}},
    {"UTC-5", {-5 * kHour}},
    {"UTC+5:45", {5 * kHour + 45 * 60}},
};

struct RuleCase {
  const char* name;
  int32_t mode;
  int32_t param;
  Wall nextRun;
  Wall now;
  Wall expected;  // nextRun afterwards
  bool changed;   // what UpdateNextRun returns
  int32_t stateAfter = kNormal;
  bool atLoad = false;
  int32_t idleSeconds = 0;
};

// 2026-03-02 is a Monday, 03-04 a Wednesday, 03-06 a Friday. Expected values
// are worked out by hand from the calendar.
// clang-format off
const RuleCase kRuleCases[] = {
    // Fixed and Countdown: Normal during their second, stopped the next.
    {"fixed, a second before", kFixed, 0, {2026, 3, 4, 10}, {2026, 3, 4, 9, 59, 59}, {2026, 3, 4, 10}, false},
    {"fixed, its second", kFixed, 0, {2026, 3, 4, 10}, {2026, 3, 4, 10}, {2026, 3, 4, 10}, false},
    {"fixed, a second after", kFixed, 0, {2026, 3, 4, 10}, {2026, 3, 4, 10, 0, 1}, {2026, 3, 4, 10}, true, kStopped},
    {"fixed passed while off", kFixed, 0, {2026, 3, 4, 10}, {2026, 3, 5, 8}, {2026, 3, 4, 10}, true, kStopped, true},
    {"countdown, load before its moment", kCountdown, 30, {2026, 3, 4, 10, 30}, {2026, 3, 4, 10, 20}, {2026, 3, 4, 10, 30}, false, kNormal, true},
    {"countdown, load after its moment", kCountdown, 30, {2026, 3, 4, 10, 30}, {2026, 3, 4, 10, 40}, {2026, 3, 4, 10, 30}, true, kStopped, true},
    {"countdown, its second", kCountdown, 30, {2026, 3, 4, 10, 30}, {2026, 3, 4, 10, 30}, {2026, 3, 4, 10, 30}, false},
    {"countdown, a second after", kCountdown, 30, {2026, 3, 4, 10, 30}, {2026, 3, 4, 10, 30, 1}, {2026, 3, 4, 10, 30}, true, kStopped},

    // EveryNDays.
    {"every 3 days, its second", kEveryNDays, 3, {2026, 3, 1, 8}, {2026, 3, 1, 8}, {2026, 3, 1, 8}, false},
    {"every 3 days, a second after", kEveryNDays, 3, {2026, 3, 1, 8}, {2026, 3, 1, 8, 0, 1}, {2026, 3, 4, 8}, true},
    {"every 3 days, off until noon day 9", kEveryNDays, 3, {2026, 3, 1, 8}, {2026, 3, 9, 12}, {2026, 3, 10, 8}, true},
    {"every 3 days, same at load", kEveryNDays, 3, {2026, 3, 1, 8}, {2026, 3, 9, 12}, {2026, 3, 10, 8}, true, kNormal, true},
    {"every 2 days, 10 days 1 hour ahead", kEveryNDays, 2, {2026, 3, 14, 13}, {2026, 3, 4, 12}, {2026, 3, 4, 13}, true},
    {"every 3 days, 3 days 1 hour ahead stays", kEveryNDays, 3, {2026, 3, 7, 13}, {2026, 3, 4, 12}, {2026, 3, 7, 13}, false},
    {"every 3 days, 4 days ahead", kEveryNDays, 3, {2026, 3, 8, 12}, {2026, 3, 4, 12}, {2026, 3, 5, 12}, true},
    {"daily, late evening", kEveryNDays, 1, {2026, 3, 4, 23, 30}, {2026, 3, 4, 23, 30, 1}, {2026, 3, 5, 23, 30}, true},
    {"weekly period across a month end", kEveryNDays, 7, {2026, 2, 25, 6}, {2026, 2, 25, 6, 0, 1}, {2026, 3, 4, 6}, true},

    // Weekly, time of day 09:00.
    {"Mon+Fri on Wednesday noon", kWeekly, 17, {2026, 3, 2, 9}, {2026, 3, 4, 12}, {2026, 3, 6, 9}, true},
    {"Mon+Fri already on Friday", kWeekly, 17, {2026, 3, 6, 9}, {2026, 3, 4, 12}, {2026, 3, 6, 9}, false},
    {"Mon+Fri, Friday 09:00:00", kWeekly, 17, {2026, 3, 6, 9}, {2026, 3, 6, 9}, {2026, 3, 6, 9}, false},
    {"Mon+Fri, Friday 09:00:01", kWeekly, 17, {2026, 3, 6, 9}, {2026, 3, 6, 9, 0, 1}, {2026, 3, 9, 9}, true},
    {"Wednesday only, after 09:00", kWeekly, 4, {2026, 3, 4, 9}, {2026, 3, 4, 10}, {2026, 3, 11, 9}, true},
    {"Wednesday only, before 09:00", kWeekly, 4, {2026, 2, 25, 9}, {2026, 3, 4, 8}, {2026, 3, 4, 9}, true},
    {"Wednesday only, early morning", kWeekly, 4, {2026, 2, 25, 9}, {2026, 3, 4, 0, 30}, {2026, 3, 4, 9}, true},
    {"Sunday only, on Saturday", kWeekly, 64, {2026, 3, 1, 9}, {2026, 3, 7, 12}, {2026, 3, 8, 9}, true},
    {"Sunday+Monday, Sunday after the time", kWeekly, 65, {2026, 3, 8, 9}, {2026, 3, 8, 10}, {2026, 3, 9, 9}, true},
    {"every day, late evening", kWeekly, 127, {2026, 3, 4, 23, 30}, {2026, 3, 4, 23, 45}, {2026, 3, 5, 23, 30}, true},
    {"keeps the seconds of the time", kWeekly, 16, {2026, 2, 27, 8, 15, 30}, {2026, 3, 4, 12}, {2026, 3, 6, 8, 15, 30}, true},
    {"high bits beside Monday", kWeekly, 0x80 | 1, {2026, 3, 2, 9}, {2026, 3, 4, 12}, {2026, 3, 9, 9}, true},

    // Monthly, time of day 09:00.
    {"15th, before the time", kMonthly, 15, {2026, 2, 15, 9}, {2026, 3, 15, 8}, {2026, 3, 15, 9}, true},
    {"15th, at the time", kMonthly, 15, {2026, 3, 15, 9}, {2026, 3, 15, 9}, {2026, 3, 15, 9}, false},
    {"15th, a second after", kMonthly, 15, {2026, 3, 15, 9}, {2026, 3, 15, 9, 0, 1}, {2026, 4, 15, 9}, true},
    {"15th, early in the month", kMonthly, 15, {2026, 2, 15, 9}, {2026, 3, 2, 0, 30}, {2026, 3, 15, 9}, true},
    {"15th, December after the time", kMonthly, 15, {2026, 12, 15, 9}, {2026, 12, 15, 10}, {2027, 1, 15, 9}, true},
    {"31st in April", kMonthly, 31, {2026, 3, 31, 9}, {2026, 4, 10, 12}, {2026, 5, 31, 9}, true},
    {"31st, 31 January after the time", kMonthly, 31, {2026, 1, 31, 9}, {2026, 1, 31, 10}, {2026, 3, 31, 9}, true},
    {"31st, 31 January after the time, leap year", kMonthly, 31, {2028, 1, 31, 9}, {2028, 1, 31, 10}, {2028, 3, 31, 9}, true},
    {"31st, corrected on 1 February", kMonthly, 31, {2026, 3, 3, 9}, {2026, 2, 1, 0, 0, 1}, {2026, 3, 31, 9}, true},
    {"31st, 31 January before the time", kMonthly, 31, {2026, 1, 31, 9}, {2026, 1, 31, 8}, {2026, 1, 31, 9}, false},
    {"31st, 31 March after the time: 31 May, April has none", kMonthly, 31, {2026, 3, 31, 9}, {2026, 3, 31, 10}, {2026, 5, 31, 9}, true},
    {"30th in February", kMonthly, 30, {2026, 1, 30, 9}, {2026, 2, 10, 12}, {2026, 3, 30, 9}, true},
    {"29th in a leap February", kMonthly, 29, {2028, 1, 29, 9}, {2028, 2, 10, 12}, {2028, 2, 29, 9}, true},
    {"1st, on the last day of a month", kMonthly, 1, {2026, 4, 1, 9}, {2026, 4, 30, 10}, {2026, 5, 1, 9}, true},

    // Yearly, time of day 09:00.
    {"29 February from 2025", kYearly, 229, {2024, 2, 29, 9}, {2025, 6, 10, 12}, {2028, 2, 29, 9}, true},
    {"29 February, leap year, before", kYearly, 229, {2024, 2, 29, 9}, {2028, 1, 10, 12}, {2028, 2, 29, 9}, true},
    {"29 February, its second", kYearly, 229, {2028, 2, 29, 9}, {2028, 2, 29, 9}, {2028, 2, 29, 9}, false},
    {"29 February, a second after", kYearly, 229, {2028, 2, 29, 9}, {2028, 2, 29, 9, 0, 1}, {2032, 2, 29, 9}, true},
    {"30 February is the 28th, next year", kYearly, 230, {2025, 2, 28, 9}, {2025, 6, 10, 12}, {2026, 2, 28, 9}, true},
    {"30 February is the 28th, this year", kYearly, 230, {2025, 2, 28, 9}, {2026, 1, 10, 12}, {2026, 2, 28, 9}, true},
    {"31 February is the 28th, even in a leap year", kYearly, 231, {2027, 2, 28, 9}, {2028, 1, 10, 12}, {2028, 2, 28, 9}, true},
    {"28 February in a leap year", kYearly, 228, {2027, 2, 28, 9}, {2028, 1, 10, 12}, {2028, 2, 28, 9}, true},
    {"31 April is the 30th", kYearly, 431, {2025, 4, 30, 9}, {2026, 1, 10, 12}, {2026, 4, 30, 9}, true},
    {"31 April passed is next year's 30th", kYearly, 431, {2026, 4, 30, 9}, {2026, 5, 1, 12}, {2027, 4, 30, 9}, true},
    {"25 December, before the time", kYearly, 1225, {2025, 12, 25, 9}, {2026, 12, 25, 8}, {2026, 12, 25, 9}, true},
    {"25 December, its second", kYearly, 1225, {2026, 12, 25, 9}, {2026, 12, 25, 9}, {2026, 12, 25, 9}, false},
    {"25 December passed this year", kYearly, 1225, {2026, 12, 25, 9}, {2026, 12, 26, 12}, {2027, 12, 25, 9}, true},
    {"31 December, a second after", kYearly, 1231, {2026, 12, 31, 9}, {2026, 12, 31, 9, 0, 1}, {2027, 12, 31, 9}, true},
    {"1 January from New Year's Eve", kYearly, 101, {2026, 1, 1, 9}, {2026, 12, 31, 23}, {2027, 1, 1, 9}, true},

    // Interval, 90 minutes.
    {"interval at load, past", kInterval, 90, {2026, 3, 1}, {2026, 3, 4, 12}, {2026, 3, 4, 13, 30}, false, kNormal, true},
    {"interval at load, ahead", kInterval, 90, {2026, 3, 4, 12, 30}, {2026, 3, 4, 12}, {2026, 3, 4, 13, 30}, false, kNormal, true},
    {"interval, its second", kInterval, 90, {2026, 3, 4, 12}, {2026, 3, 4, 12}, {2026, 3, 4, 12}, false},
    {"interval, a second after", kInterval, 90, {2026, 3, 4, 12}, {2026, 3, 4, 12, 0, 1}, {2026, 3, 4, 13, 30}, true},
    {"interval, 200 minutes late", kInterval, 90, {2026, 3, 4, 12}, {2026, 3, 4, 15, 20}, {2026, 3, 4, 16, 30}, true},
    {"interval, 5 hours ahead", kInterval, 90, {2026, 3, 4, 17}, {2026, 3, 4, 12}, {2026, 3, 4, 12, 30}, true},
    {"interval, exactly one period ahead", kInterval, 90, {2026, 3, 4, 13, 30}, {2026, 3, 4, 12}, {2026, 3, 4, 13, 30}, false},
    {"interval, 91 minutes ahead", kInterval, 90, {2026, 3, 4, 13, 31}, {2026, 3, 4, 12}, {2026, 3, 4, 12, 1}, true},
    {"interval across midnight", kInterval, 90, {2026, 3, 4, 23}, {2026, 3, 4, 23, 0, 1}, {2026, 3, 5, 0, 30}, true},

    // Idle, 10 minutes: now plus the idle time still missing, never "changed".
    {"idle, 2 minutes idle", kIdle, 10, {2026, 3, 1}, {2026, 3, 4, 12}, {2026, 3, 4, 12, 8}, false, kNormal, false, 120},
    {"idle, just had input", kIdle, 10, {2026, 3, 1}, {2026, 3, 4, 12}, {2026, 3, 4, 12, 10}, false, kNormal, false, 0},
    {"idle, threshold reached", kIdle, 10, {2026, 3, 1}, {2026, 3, 4, 12}, {2026, 3, 4, 12}, false, kNormal, false, 600},
    {"idle, at load", kIdle, 10, {2026, 3, 1}, {2026, 3, 4, 12}, {2026, 3, 4, 12, 9, 59}, false, kNormal, true, 1},
};
// clang-format on

// After each run of a monthly task for day 28 to 31 in every month of a
// common and a leap year, the next run is at once the one that really
// fires: that day of the next month that has it, never a roll-over into the
// month after a short one.
TEST(UpdateNextRunTest, AMonthlyRunIsFollowedByTheNextMonthThatHasTheDay) {
  for (const NamedZone& z : kZones) {
    for (const int32_t year : {2027, 2028}) {
      for (int32_t day = 28; day <= 31; ++day) {
        for (int32_t month = 1; month <= 12; ++month) {
          if (testing::PlainMonthLength(year, month) < day)
            continue;
          int32_t nextYear = year;
          int32_t nextMonth = month;
          do {
            if (++nextMonth > 12) {
              nextMonth = 1;
              ++nextYear;
            }
          } while (testing::PlainMonthLength(nextYear, nextMonth) < day);
          SCOPED_TRACE(std::string(z.name) + " day " + std::to_string(day) + " of " +
                       std::to_string(year) + "-" + std::to_string(month));
          const int32_t run = Moment32({year, month, day, 7, 45}, z.zone);
          CTask task = testing::MakeTask(kMonthly, kShutdown, run, day);
          UpdateNextRun(task, PassClock::At(int64_t{run} + 1, z.zone), false);
          EXPECT_EQ(PlainLocalFields(task.nextRun, z.zone).wall,
                    (Wall{nextYear, nextMonth, day, 7, 45}));
          // The pass after midnight, in the next month, agrees.
          const int64_t nextMonthBegins = PlainMoment({nextYear, nextMonth, 1, 0, 0, 1}, z.zone);
          CTask later = task;
          UpdateNextRun(later, PassClock::At(std::max<int64_t>(nextMonthBegins, run + 2), z.zone),
                        false);
          EXPECT_EQ(later.nextRun, task.nextRun);
        }
      }
    }
  }
}

TEST(UpdateNextRunTest, RulesOfEachMode) {
  for (const NamedZone& z : kZones) {
    for (const RuleCase& c : kRuleCases) {
      SCOPED_TRACE(std::string(z.name) + ": " + c.name);
      CTask task = testing::MakeTask(c.mode, kShutdown, Moment32(c.nextRun, z.zone), c.param);
      const TaskFileRecord before = task.ToRecord();
      const PassClock clock = PassClock::At(PlainMoment(c.now, z.zone), z.zone, c.idleSeconds);
      EXPECT_EQ(UpdateNextRun(task, clock, c.atLoad), c.changed);
      EXPECT_EQ(PlainLocalFields(task.nextRun, z.zone).wall, c.expected);
      EXPECT_EQ(task.state, c.stateAfter);
      TaskFileRecord others = task.ToRecord();
      others.nextRun = before.nextRun;
      others.state = before.state;
      EXPECT_TRUE(others == before) << "a field other than nextRun and state changed";
    }
  }
}

TEST(UpdateNextRunTest, IdleWithoutMinutesIsStopped) {
  for (const int32_t param : {0, -5, INT32_MIN}) {
    for (const bool atLoad : {false, true}) {
      SCOPED_TRACE("param " + std::to_string(param) + (atLoad ? ", at load" : ""));
      CTask task = testing::MakeTask(kIdle, kShutdown, 1772625600, param);
      EXPECT_TRUE(UpdateNextRun(task, PassClock::At(1772625600, TimeZone{}, 30), atLoad));
      EXPECT_EQ(task.state, kStopped);
      EXPECT_EQ(task.param, 0);
      EXPECT_EQ(task.nextRun, 1772625600);
    }
  }
}

TEST(UpdateNextRunTest, TasksThatAreNotNormalAreLeftAlone) {
  const int32_t stale = 1000000000;
  const PassClock clock = PassClock::At(1772625600, TimeZone{8 * kHour}, 5000);
  const int32_t params[] = {0, 0, 3, 17, 15, 1225, 90, 0, 30};
  for (const int32_t state : {0, 2, -1}) {
    for (int32_t mode = kFixed; mode <= kCountdown; ++mode) {
      for (const bool atLoad : {false, true}) {
        SCOPED_TRACE("mode " + std::to_string(mode) + ", state " + std::to_string(state) +
                     (atLoad ? ", at load" : ""));
        CTask task = testing::MakeTask(mode, kShutdown, stale, params[mode], state);
        const TaskFileRecord before = task.ToRecord();
        EXPECT_FALSE(UpdateNextRun(task, clock, atLoad));
        EXPECT_TRUE(task.ToRecord() == before);
      }
    }
  }
}

// Paused after 12:00 was due and resumed at 13:40:30: the runs stay on the
// 12:00 + k * 90 minutes grid instead of counting from the resume.
TEST(UpdateNextRunTest, ResumedIntervalKeepsItsPhase) {
  const TimeZone zone{8 * kHour};
  const Wall phase{2026, 3, 4, 12};
  TaskList list;
  list.Add(testing::MakeTask(kInterval, kShutdown, Moment32(phase, zone), 90, kStopped));
  CTask& task = list.tasks().front();
  EXPECT_FALSE(
      UpdateNextRun(task, PassClock::At(PlainMoment({2026, 3, 4, 12, 16, 40}, zone), zone), false));
  EXPECT_EQ(PlainLocalFields(task.nextRun, zone).wall, phase);

  ASSERT_TRUE(list.ToggleState(task.id));
  EXPECT_TRUE(
      UpdateNextRun(task, PassClock::At(PlainMoment({2026, 3, 4, 13, 40, 30}, zone), zone), false));
  EXPECT_EQ(PlainLocalFields(task.nextRun, zone).wall, (Wall{2026, 3, 4, 15}));
}

// The 32-bit field cannot hold a run after 2038-01-19 03:14:07 UTC; such a
// run is refused rather than wrapped into 1901.
TEST(UpdateNextRunTest, RunsBeyondThe32BitRangeAreRefused) {
  struct Case {
    const char* name;
    int32_t mode;
    int32_t param;
    int64_t nextRun;
    int64_t now;
    bool atLoad;
    int32_t idleSeconds;
  };
  const int64_t lastMoment = INT32_MAX;
  const Case cases[] = {
      {"interval at load", kInterval, 10000000, 1772625600, 1772625600, true, 0},
      {"interval after its run", kInterval, 10000000, 1772625600, 1772625601, false, 0},
      {"every 31 days in January 2038", kEveryNDays, 31, lastMoment - 86400, lastMoment - 86399,
       false, 0},
      {"idle for years", kIdle, 10000000, 1772625600, 1772625600, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CTask task = testing::MakeTask(c.mode, kShutdown, static_cast<int32_t>(c.nextRun), c.param);
    const TaskFileRecord before = task.ToRecord();
    EXPECT_FALSE(UpdateNextRun(task, PassClock::At(c.now, TimeZone{}, c.idleSeconds), c.atLoad));
    EXPECT_TRUE(task.ToRecord() == before) << "nextRun became " << task.nextRun;
  }
}

// --- Parameters the editor never produces --------------------------------

struct InvalidCase {
  const char* name;
  int32_t mode;
  int32_t param;
};

const InvalidCase kInvalidCases[] = {
    {"every 0 days", kEveryNDays, 0},
    {"every -1 days", kEveryNDays, -1},
    {"every INT_MIN days", kEveryNDays, INT32_MIN},
    {"interval 0", kInterval, 0},
    {"interval -90", kInterval, -90},
    {"monthly day 0", kMonthly, 0},
    {"monthly day 32", kMonthly, 32},
    {"monthly day -1", kMonthly, -1},
    {"yearly month 13", kYearly, 1301},
    {"yearly month 0", kYearly, 15},
    {"yearly 0", kYearly, 0},
    {"yearly day 0", kYearly, 200},
    {"yearly day 32", kYearly, 1232},
    {"yearly day 99", kYearly, 199},
    {"yearly negative", kYearly, -229},
    {"weekly empty mask", kWeekly, 0},
    {"weekly only bit 7", kWeekly, 128},
    {"weekly negative without weekday bits", kWeekly, -128},
    {"mode 0", 0, 1},
    {"mode 9", 9, 1},
    {"mode -1", -1, 1},
};

TEST(InvalidScheduleTest, LeftUnchangedAndNeverDue) {
  const TimeZone zone{8 * kHour};
  const int64_t moment = PlainMoment({2026, 3, 4, 9}, zone);
  for (const InvalidCase& c : kInvalidCases) {
    SCOPED_TRACE(c.name);
    CTask task = testing::MakeTask(c.mode, kShutdown, static_cast<int32_t>(moment), c.param);
    EXPECT_FALSE(HasEvaluableSchedule(task));
    const TaskFileRecord before = task.ToRecord();
    for (const int64_t offset : {-86400 * 40, -1, 0, 1, 86400 * 40}) {
      for (const bool atLoad : {false, true}) {
        EXPECT_FALSE(UpdateNextRun(task, PassClock::At(moment + offset, zone), atLoad))
            << "offset " << offset << (atLoad ? ", at load" : "");
        EXPECT_TRUE(task.ToRecord() == before) << "offset " << offset;
      }
    }

    // Passes each second across its nextRun, then one more without a
    // previous pass: no run, nothing to save.
    TaskList list;
    list.Add(task);
    list.MarkSaved();
    testing::RecordingSink sink;
    PreviousPass previous;
    for (int64_t t = moment - 2; t <= moment + 2; ++t)
      CheckDueTasks(list, PassClock::At(t, zone), previous, sink);
    PreviousPass none;
    CheckDueTasks(list, PassClock::At(moment, zone), none, sink);
    EXPECT_EQ(sink.events, std::vector<std::string>{});
    EXPECT_FALSE(list.dirty());
    TaskFileRecord unchanged = before;
    unchanged.id = list.tasks().front().id;
    EXPECT_TRUE(list.tasks().front().ToRecord() == unchanged);
  }
}

TEST(InvalidScheduleTest, EdgesOfTheValidRanges) {
  const InvalidCase valid[] = {
      {"fixed", kFixed, 0},
      {"countdown", kCountdown, 30},
      {"idle 0 (stopped)", kIdle, 0},
      {"every 1 day", kEveryNDays, 1},
      {"every 31 days", kEveryNDays, 31},
      {"interval 1", kInterval, 1},
      {"monthly 1", kMonthly, 1},
      {"monthly 31", kMonthly, 31},
      {"yearly 101", kYearly, 101},
      {"yearly 1231", kYearly, 1231},
      {"yearly 431", kYearly, 431},
      {"yearly 231", kYearly, 231},
      {"weekly Monday", kWeekly, 1},
      {"weekly Sunday", kWeekly, 64},
      {"weekly all", kWeekly, 127},
  };
  for (const InvalidCase& c : valid) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(HasEvaluableSchedule(testing::MakeTask(c.mode, kShutdown, 0, c.param)));
  }
}

}  // namespace
}  // namespace nightlatch
