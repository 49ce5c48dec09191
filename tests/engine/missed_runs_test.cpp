#include "engine/missed_runs.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "engine/task_list.h"
#include "engine/trigger_rules.h"
#include "support/plain_calendar.h"
#include "support/recording_sink.h"
#include "support/task_records.h"

namespace nightlatch {
namespace {

using testing::MakeTask;
using testing::Moment32;
using testing::PlainMoment;
using testing::Wall;

const TimeZone kZone{8 * 3600};
constexpr int64_t kDay = 86400;
// The last pass before the gap: Wednesday 2026-03-04 08:59:57 local.
const int64_t kLastPass = PlainMoment({2026, 3, 4, 8, 59, 57}, kZone);

int64_t At(const Wall& wall) {
  return PlainMoment(wall, kZone);
}

// Each task as the pass at kLastPass left it, and the run a pass after each
// gap must report as missed (0: none).
struct ModeCase {
  const char* name;
  CTask task;
  int64_t after6Seconds;
  int64_t after2Hours;
  int64_t after3Days;
  int64_t after10Days;
};

TEST(MissedRunsTest, WhatAGapCollectsForEveryMode) {
  const int32_t nine = Moment32({2026, 3, 4, 9}, kZone);
  const int64_t m4 = At({2026, 3, 4, 9});
  const ModeCase cases[] = {
      {"fixed", MakeTask(kFixed, kShutdown, nine), m4, m4, m4, 0},
      {"countdown", MakeTask(kCountdown, kReminder, nine, 30), m4, m4, m4, 0},
      {"daily", MakeTask(kEveryNDays, kReminder, nine, 1), m4, m4, At({2026, 3, 6, 9}),
       At({2026, 3, 13, 9})},
      {"every 3 days", MakeTask(kEveryNDays, kOpen, nine, 3), m4, m4, m4, At({2026, 3, 13, 9})},
      // Monday and Friday; the next one is Friday the 6th.
      {"weekly", MakeTask(kWeekly, kRestart, Moment32({2026, 3, 6, 9}, kZone), 1 | 16), 0, 0,
       At({2026, 3, 6, 9}), At({2026, 3, 13, 9})},
      // The 5th: inside three days, but older than a week after ten.
      {"monthly", MakeTask(kMonthly, kReminder, Moment32({2026, 3, 5, 9}, kZone), 5), 0, 0,
       At({2026, 3, 5, 9}), 0},
      {"yearly", MakeTask(kYearly, kReminder, nine, 304), m4, m4, m4, 0},
      // Every 90 minutes from 09:00: 10:30 in two hours; 47 periods in the
      // three days, 159 in the ten.
      {"interval", MakeTask(kInterval, kLock, nine, 90), m4, At({2026, 3, 4, 10, 30}),
       At({2026, 3, 7, 7, 30}), At({2026, 3, 14, 7, 30})},
      {"idle", MakeTask(kIdle, kShutdown, nine, 1), 0, 0, 0, 0},
      {"paused", MakeTask(kFixed, kShutdown, nine, 0, kStopped), 0, 0, 0, 0},
  };
  struct Gap {
    const char* name;
    int64_t seconds;
    int64_t ModeCase::*expected;
  };
  const Gap gaps[] = {
      {"6 s", 6, &ModeCase::after6Seconds},
      {"2 h", 7200, &ModeCase::after2Hours},
      {"3 days", 3 * kDay, &ModeCase::after3Days},
      {"10 days", 10 * kDay, &ModeCase::after10Days},
  };
  for (const Gap& gap : gaps) {
    for (const ModeCase& c : cases) {
      SCOPED_TRACE(std::string(c.name) + " after " + gap.name);
      TaskList list;
      list.Add(c.task);
      PreviousPass previous{true, kLastPass};
      testing::RecordingSink sink;
      CheckDueTasks(list, PassClock::At(kLastPass + gap.seconds, kZone), previous, sink);
      const int64_t expected = c.*gap.expected;
      if (expected == 0) {
        EXPECT_TRUE(sink.missed.empty());
        continue;
      }
      ASSERT_EQ(sink.missed.size(), 1u);
      EXPECT_EQ(sink.missed[0].moment, expected);
      EXPECT_EQ(sink.missed[0].task.mode, c.task.mode);
      EXPECT_TRUE(sink.requests.empty()) << "a missed run is never carried out";
    }
  }
}

TEST(MissedRunsTest, NothingWithinTheCatchUpWindowOrWhenTheClockWentBack) {
  const int32_t nine = Moment32({2026, 3, 4, 9}, kZone);
  for (const int64_t later : {kLastPass + 5, kLastPass - 3600, kLastPass - 10 * kDay}) {
    SCOPED_TRACE(later - kLastPass);
    TaskList list;
    list.Add(MakeTask(kFixed, kReminder, nine, 0, kNormal, u"开会"));
    list.Add(MakeTask(kEveryNDays, kShutdown, nine, 1));
    PreviousPass previous{true, kLastPass};
    testing::RecordingSink sink;
    CheckDueTasks(list, PassClock::At(later, kZone), previous, sink);
    EXPECT_TRUE(sink.missed.empty());
  }
  // Within the window the run is caught up instead.
  TaskList list;
  list.Add(MakeTask(kFixed, kReminder, nine, 0, kNormal, u"开会"));
  PreviousPass previous{true, kLastPass};
  testing::RecordingSink sink;
  CheckDueTasks(list, PassClock::At(kLastPass + 5, kZone), previous, sink);
  EXPECT_EQ(sink.events, (std::vector<std::string>{"save", "run:闹钟提醒"}));
}

// Tasks move on as they always did; only the report is new.
TEST(MissedRunsTest, MissedTasksMoveOnAndTheReportKeepsTheirTexts) {
  const int32_t nine = Moment32({2026, 3, 4, 9}, kZone);
  TaskList list;
  list.Add(MakeTask(kFixed, kReminder, nine, 0, kNormal, u"开会"));
  list.Add(MakeTask(kFixed, kShutdown, nine + 60));
  list.Add(MakeTask(kFixed, kOpen, nine + 120, 0, kNormal, u"C:\\a.txt"));
  list.Add(MakeTask(kEveryNDays, kRestart, nine, 1));
  PreviousPass previous{true, kLastPass};
  testing::RecordingSink sink;
  CheckDueTasks(list, PassClock::At(At({2026, 3, 4, 9, 10}), kZone), previous, sink);
  EXPECT_EQ(sink.missedTexts, (std::vector<std::string>{"开会", "", "C:\\a.txt", ""}));
  EXPECT_TRUE(sink.events.empty());
  auto task = list.tasks().begin();
  EXPECT_EQ((task++)->state, kStopped);
  EXPECT_EQ((task++)->state, kStopped);
  EXPECT_EQ((task++)->state, kStopped);
  EXPECT_EQ(task->nextRun, Moment32({2026, 3, 5, 9}, kZone));
  EXPECT_TRUE(list.dirty());
}

// A day 31 stored as its roll-over (1 December) was never a run.
TEST(MissedRunsTest, AMonthEndRollOverIsNoRun) {
  TaskList list;
  list.Add(MakeTask(kMonthly, kReminder, Moment32({2026, 12, 1, 9}, kZone), 31));
  PreviousPass previous{true, At({2026, 11, 29, 12})};
  testing::RecordingSink sink;
  CheckDueTasks(list, PassClock::At(At({2026, 12, 2, 12}), kZone), previous, sink);
  EXPECT_TRUE(sink.missed.empty());
  EXPECT_EQ(list.tasks().front().nextRun, Moment32({2026, 12, 31, 9}, kZone));
}

// Our own wake timer: a resume up to a minute after the moment it woke for
// runs what it was armed for; what fell before it is missed.
TEST(MissedRunsTest, AResumeFromOurWakeRunsWhatItWokeFor) {
  struct Case {
    const char* name;
    int64_t resumeAfterWake;
    std::vector<std::string> events;
    std::vector<std::string> missed;
  };
  const std::vector<std::string> ran{"save", "run:闹钟提醒"};
  const Case cases[] = {
      {"on time", 0, ran, {""}},
      {"40 s late", 40, ran, {""}},
      {"a minute late", 60, ran, {""}},
      {"too late", 61, {}, {"", "开会"}},
  };
  const int64_t wake = At({2026, 3, 4, 9});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TaskList list;
    list.Add(MakeTask(kFixed, kShutdown, Moment32({2026, 3, 4, 3}, kZone)));
    list.Add(MakeTask(kFixed, kReminder, static_cast<int32_t>(wake), 0, kNormal, u"开会"));
    PreviousPass previous{true, At({2026, 3, 4, 2})};
    previous.wakeAt = wake;
    testing::RecordingSink sink;
    CheckDueTasks(list, PassClock::At(wake + c.resumeAfterWake, kZone), previous, sink);
    EXPECT_EQ(sink.events, c.events);
    EXPECT_EQ(sink.missedTexts, c.missed);
    EXPECT_EQ(previous.wakeAt, wake) << "the caller re-arms it";
  }
}

TEST(MissedRunsTest, LoadingAfterTheProgramWasOffCollectsAsTheFileHadThem) {
  TaskList stored;
  stored.Add(MakeTask(kFixed, kReminder, Moment32({2026, 3, 4, 9}, kZone), 0, kNormal, u"开会"));
  stored.Add(MakeTask(kEveryNDays, kShutdown, Moment32({2026, 3, 4, 22}, kZone), 1));
  stored.Add(MakeTask(kFixed, kReminder, Moment32({2026, 3, 9, 9}, kZone), 0, kNormal, u"以后"));
  const PassClock now = PassClock::At(At({2026, 3, 6, 12}), kZone);
  TaskList loaded;
  MissedRuns missed;
  loaded.LoadRecords(stored.ToRecords(), now, GapBetween(kLastPass, now.now), &missed);
  ASSERT_EQ(missed.size(), 2u);
  EXPECT_EQ(missed[0].task.text.View(), u"开会");
  EXPECT_EQ(missed[0].moment, At({2026, 3, 4, 9}));
  EXPECT_EQ(missed[1].moment, At({2026, 3, 5, 22}));
  // Then loaded as ever: the missed one-shot stopped, the daily one moved on.
  EXPECT_EQ(loaded.tasks().back().state, kStopped);
  EXPECT_EQ(loaded.tasks().front().nextRun, Moment32({2026, 3, 6, 22}, kZone));
}

TEST(MissedRunsTest, GapReachesBackAWeekAtMost) {
  EXPECT_TRUE(GapBetween(100, 100).empty());
  EXPECT_TRUE(GapBetween(200, 100).empty());
  const MissedGap gap = GapBetween(0, 30 * kDay);
  EXPECT_EQ(gap.after, 23 * kDay);
  EXPECT_EQ(gap.before, 30 * kDay);
}

}  // namespace
}  // namespace nightlatch
