#include "engine/trigger_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/task_list.h"
#include "support/plain_calendar.h"
#include "support/printable_text.h"
#include "support/recording_sink.h"
#include "support/task_records.h"

namespace nightlatch {
namespace {

using testing::MakeTask;
using testing::PlainMoment;
using testing::Text;
using Events = std::vector<std::string>;

const TimeZone kZone{8 * 3600};
// Wednesday 2026-03-04 10:00:00 local.
const int64_t kT = PlainMoment({2026, 3, 4, 10}, kZone);
const int32_t kT32 = static_cast<int32_t>(kT);
const Events kRanShutdown{"save", "run:关机"};

class DuePassTest : public ::testing::Test {
 protected:
  // One pass; returns what it handed on.
  Events PassAt(int64_t now, int32_t idleSeconds = 0) {
    sink_.Clear();
    CheckDueTasks(list_, PassClock::At(now, kZone, idleSeconds), previous_, sink_);
    return sink_.events;
  }

  TaskList list_;
  testing::RecordingSink sink_{&list_};
  PreviousPass previous_;
};

TEST_F(DuePassTest, FixedTaskRunsInItsSecondOnlyAndStopsTheNext) {
  list_.Add(MakeTask(kFixed, kShutdown, kT32));
  list_.Add(MakeTask(kFixed, kRestart, kT32, 0, kStopped));  // paused: never runs
  list_.MarkSaved();
  EXPECT_EQ(PassAt(kT - 2), Events{});
  EXPECT_EQ(PassAt(kT - 1), Events{});
  EXPECT_FALSE(list_.dirty());
  EXPECT_EQ(PassAt(kT), (Events{"save", "run:关机"}));
  EXPECT_EQ(list_.tasks().front().state, kNormal);  // still Normal in its second
  EXPECT_FALSE(list_.dirty());
  EXPECT_EQ(PassAt(kT + 1), Events{});
  EXPECT_EQ(list_.tasks().front().state, kStopped);
  EXPECT_TRUE(list_.dirty());
  EXPECT_EQ(PassAt(kT + 2), Events{});
}

TEST_F(DuePassTest, TasksDueInTheSameSecondRunInListOrderEachAfterASave) {
  list_.Add(MakeTask(kInterval, kRestart, kT32, 30));
  list_.Add(MakeTask(kFixed, kShutdown, kT32 + 1));  // not yet
  list_.Add(MakeTask(kFixed, kLock, kT32));
  list_.Add(MakeTask(kEveryNDays, kShutdown, kT32, 1));
  EXPECT_EQ(PassAt(kT), (Events{"save", "run:重启", "save", "run:锁屏", "save", "run:关机"}));
}

// A change made earlier in the pass is on disk before the run is handed on.
TEST_F(DuePassTest, SaveSeesTheChangesOfThePassSoFar) {
  list_.Add(MakeTask(kEveryNDays, kRestart, kT32 - 1, 2));  // moves on in this pass
  list_.Add(MakeTask(kFixed, kShutdown, kT32));
  list_.MarkSaved();
  EXPECT_EQ(PassAt(kT), (Events{"save", "run:关机"}));
  ASSERT_EQ(sink_.dirtyAtSave, std::vector<bool>{true});
  const auto& saved = sink_.recordsAtSave.front();
  const TaskFileRecord first = DecodeRecord(std::span(saved).first<kTaskFileRecordSize>());
  EXPECT_EQ(first.nextRun, kT32 - 1 + 2 * 86400);
}

TEST_F(DuePassTest, DirtyOnlyWhenAStoredFieldChanged) {
  struct Case {
    const char* name;
    CTask task;
    int64_t passAt;
    int32_t idleSeconds;
    bool dirty;
  };
  const Case cases[] = {
      {"every 2 days, before", MakeTask(kEveryNDays, kShutdown, kT32, 2), kT - 1, 0, false},
      {"every 2 days, at", MakeTask(kEveryNDays, kShutdown, kT32, 2), kT, 0, false},
      {"every 2 days, after", MakeTask(kEveryNDays, kShutdown, kT32, 2), kT + 1, 0, true},
      {"interval, after", MakeTask(kInterval, kShutdown, kT32, 90), kT + 1, 0, true},
      {"weekly already right", MakeTask(kWeekly, kShutdown, kT32, 4), kT - 60, 0, false},
      {"idle moving with the idle time", MakeTask(kIdle, kShutdown, 0, 10), kT, 250, false},
      {"idle without minutes", MakeTask(kIdle, kShutdown, 0, 0), kT, 0, true},
      {"paused fixed long passed", MakeTask(kFixed, kShutdown, 1000, 0, kStopped), kT, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TaskList list;
    list.Add(c.task);
    list.MarkSaved();
    testing::RecordingSink sink;
    PreviousPass previous;
    CheckDueTasks(list, PassClock::At(c.passAt, kZone, c.idleSeconds), previous, sink);
    EXPECT_EQ(list.dirty(), c.dirty);
  }
}

TEST(RunRequestTest, FilledFromTheTask) {
  struct Case {
    int32_t action;
    std::u16string name;
  };
  const Case cases[] = {
      {kShutdown, u"关机"},
      {kRestart, u"重启"},
      {kLogOff, u"注销"},
      {kLock, u"锁屏"},
      {kHibernate, u"休眠"},
      {kStandby, u"挂机"},
      {kMonitorOff, u"关闭显示器"},
      {kOpen, u"打开"},
      {kReminder, u"闹钟提醒"},
      {9, u""},
      {-1, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("action " + std::to_string(c.action));
    CTask task = MakeTask(kFixed, c.action, kT32, 0, kNormal, u"C:\\报告.txt \U0001F4C4");
    task.warnSeconds = 17 + c.action;
    const TaskRunRequest request = MakeRunRequest(task);
    EXPECT_EQ(Text(request.name.View()), Text(c.name));
    EXPECT_EQ(request.action, c.action);
    EXPECT_EQ(request.pending, 1);
    EXPECT_EQ(request.delaySeconds, 0);
    EXPECT_EQ(request.warnSeconds, 17 + c.action);
    EXPECT_EQ(Text(request.text.View()), Text(u"C:\\报告.txt \U0001F4C4"));
  }
}

TEST_F(DuePassTest, PostedRequestCarriesTheTask) {
  CTask reminder = MakeTask(kFixed, kReminder, kT32, 0, kNormal, std::u16string(110, u'记'));
  reminder.warnSeconds = 60;
  list_.Add(reminder);
  CTask negative = MakeTask(kFixed, kOpen, kT32, 0, kNormal, u"http://example.com");
  negative.warnSeconds = -1;  // the dispatcher drops it; the pass still posts it
  list_.Add(negative);
  ASSERT_EQ(PassAt(kT), (Events{"save", "run:闹钟提醒", "save", "run:打开"}));
  const TaskRunRequest& first = sink_.requests[0];
  EXPECT_EQ(first.action, kReminder);
  EXPECT_EQ(first.warnSeconds, 60);
  EXPECT_EQ(first.pending, 1);
  EXPECT_EQ(first.delaySeconds, 0);
  EXPECT_EQ(Text(first.text.View()), Text(std::u16string(110, u'记')));
  EXPECT_EQ(sink_.requests[1].warnSeconds, -1);
  EXPECT_EQ(Text(sink_.requests[1].text.View()), Text(u"http://example.com"));
}

TEST_F(DuePassTest, IdleTaskRunsOnceAtTheThresholdAndAgainAfterInput) {
  list_.Add(MakeTask(kIdle, kShutdown, 0, 10));
  list_.MarkSaved();
  std::vector<int32_t> runsAtIdle;
  int64_t now = kT;
  auto idleFor = [&](int32_t from, int32_t to) {
    for (int32_t idle = from; idle <= to; ++idle, ++now) {
      if (!PassAt(now, idle).empty())
        runsAtIdle.push_back(idle);
    }
  };
  idleFor(590, 700);  // stays idle well past the threshold
  idleFor(0, 650);    // input, then idle again
  EXPECT_EQ(runsAtIdle, (std::vector<int32_t>{600, 600}));
  EXPECT_FALSE(list_.dirty());
}

TEST_F(DuePassTest, IdleThresholdCrossedBetweenPasses) {
  struct Case {
    const char* name;
    bool hasPrevious;
    int64_t gap;
    int32_t previousIdle;
    int32_t idle;
    bool due;
  };
  const Case cases[] = {
      {"first pass, exactly 600", false, 0, 0, 600, true},
      {"first pass, 601", false, 0, 0, 601, false},
      {"2 s gap over 600", true, 2, 599, 601, true},
      {"5 s gap over 600", true, 5, 597, 602, true},
      {"2 s gap ending at 600", true, 2, 598, 600, true},
      {"already ran at 600", true, 1, 600, 601, false},
      {"same second again", true, 0, 600, 600, false},
      {"input between passes", true, 2, 599, 1, false},
      {"6 s gap over 600", true, 6, 596, 602, false},
      {"6 s gap ending at 600", true, 6, 594, 600, true},
      {"clock set back", true, -30, 599, 601, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TaskList list;
    list.Add(MakeTask(kIdle, kShutdown, 0, 10));
    testing::RecordingSink sink;
    PreviousPass previous{c.hasPrevious, kT - c.gap, c.previousIdle};
    CheckDueTasks(list, PassClock::At(kT, kZone, c.idle), previous, sink);
    EXPECT_EQ(sink.events, c.due ? kRanShutdown : Events{});
    // The next second, still idle: never twice.
    sink.Clear();
    CheckDueTasks(list, PassClock::At(kT + 1, kZone, c.idle + 1), previous, sink);
    EXPECT_EQ(sink.events, Events{});
  }
}

// A window timer regularly skips a wall-clock second. Run moment T; the
// previous pass and this pass relative to it.
struct CatchUpCase {
  const char* name;
  bool hasPrevious;
  int64_t previousAt;  // relative to T
  int64_t now;         // relative to T
  bool due;
};

const CatchUpCase kCatchUpCases[] = {
    {"first pass ever, at T", false, 0, 0, true},
    {"first pass ever, T+1", false, 0, 1, false},
    {"gap 1 onto T", true, -1, 0, true},
    {"gap 2 over T", true, -1, 1, true},
    {"gap 3 over T", true, -2, 1, true},
    {"gap 5 over T", true, -4, 1, true},
    {"gap 5 ending at T", true, -5, 0, true},
    {"gap 5 starting at T", true, 0, 5, false},
    {"gap 6 over T", true, -5, 1, false},
    {"gap 6 ending at T", true, -6, 0, true},
    {"gap 2 before T", true, -3, -1, false},
    {"gap 0 at T", true, 0, 0, false},
    {"gap 0 before T", true, -1, -1, false},
    {"clock set back onto T", true, 100, 0, true},
    {"clock set back past T", true, 100, 1, false},
    {"clock set back by one second over T", true, 1, 0, true},
};

struct ModeCase {
  const char* name;
  int32_t mode;
  int32_t param;
  bool oneShot;
};

const ModeCase kModes[] = {
    {"fixed", kFixed, 0, true},
    {"countdown", kCountdown, 45, true},
    {"every day", kEveryNDays, 1, false},
    {"weekly, Wednesday", kWeekly, 4, false},
    {"monthly, 4th", kMonthly, 4, false},
    {"yearly, 4 March", kYearly, 304, false},
    {"interval 90", kInterval, 90, false},
};

TEST(CatchUpTest, RunMomentWithinAShortGapIsDueOnce) {
  for (const ModeCase& m : kModes) {
    for (const CatchUpCase& c : kCatchUpCases) {
      SCOPED_TRACE(std::string(m.name) + ": " + c.name);
      TaskList list;
      list.Add(MakeTask(m.mode, kShutdown, kT32, m.param));
      list.MarkSaved();
      testing::RecordingSink sink(&list);
      PreviousPass previous{c.hasPrevious, kT + c.previousAt, 0};
      CheckDueTasks(list, PassClock::At(kT + c.now, kZone), previous, sink);
      EXPECT_EQ(sink.events, c.due ? kRanShutdown : Events{});

      const CTask& task = list.tasks().front();
      if (c.now > 0) {
        // Missed or caught up, the task has moved past T either way.
        if (m.oneShot) {
          EXPECT_EQ(task.state, kStopped);
        } else {
          EXPECT_GT(task.nextRun, kT + c.now);
        }
        EXPECT_TRUE(list.dirty());
      }
      if (c.due && m.oneShot && c.now > 0) {
        // Stopped by this very pass, and saved so, before the run.
        ASSERT_EQ(sink.recordsAtSave.size(), 1u);
        const TaskFileRecord saved =
            DecodeRecord(std::span(sink.recordsAtSave[0]).first<kTaskFileRecordSize>());
        EXPECT_EQ(saved.state, kStopped);
      }

      // From T on, the following second never brings it (again).
      if (c.now >= 0) {
        sink.Clear();
        CheckDueTasks(list, PassClock::At(kT + c.now + 1, kZone), previous, sink);
        EXPECT_EQ(sink.events, Events{});
      }
    }
  }
}

// The program's own waits (prompts coming up, Chimebox starting) held the
// next pass back: the seconds it held itself widen the window; a gap of the
// same length with nothing held (a sleep) still misses the run.
TEST(CatchUpTest, SecondsTheProgramHeldItselfWidenTheWindow) {
  const struct {
    const char* name;
    int64_t previousAt;  // relative to T
    int64_t now;         // relative to T
    int64_t held;
    bool due;
  } cases[] = {
      {"22 s gap, all of it held", -20, 2, 22, true},
      {"22 s gap, 17 s held and the usual 5", -20, 2, 17, true},
      {"22 s gap, 16 s held", -20, 2, 16, false},
      {"22 s gap, nothing held", -20, 2, 0, false},
      {"held, but T not yet reached", -20, -1, 30, false},
      {"held, T already seen by the previous pass", 0, 20, 30, false},
  };
  for (const ModeCase& m : {kModes[0], kModes[2]}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(m.name) + ": " + c.name);
      TaskList list;
      list.Add(MakeTask(m.mode, kShutdown, kT32, m.param));
      testing::RecordingSink sink(&list);
      PreviousPass previous{true, kT + c.previousAt, 0, c.held};
      CheckDueTasks(list, PassClock::At(kT + c.now, kZone), previous, sink);
      EXPECT_EQ(sink.events, c.due ? kRanShutdown : Events{});
      EXPECT_EQ(previous.heldSeconds, 0) << "a pass starts the count afresh";
    }
  }
}

TEST_F(DuePassTest, SkippedSecondInARunOfPasses) {
  list_.Add(MakeTask(kFixed, kShutdown, kT32));
  list_.Add(MakeTask(kEveryNDays, kRestart, kT32, 1));
  EXPECT_EQ(PassAt(kT - 2), Events{});
  EXPECT_EQ(PassAt(kT - 1), Events{});
  // The timer skips T.
  EXPECT_EQ(PassAt(kT + 1), (Events{"save", "run:关机", "save", "run:重启"}));
  EXPECT_EQ(PassAt(kT + 1), Events{});  // twice in one wall second
  EXPECT_EQ(PassAt(kT + 2), Events{});
  EXPECT_EQ(list_.tasks().front().state, kStopped);
  EXPECT_EQ(list_.tasks().back().nextRun, kT32 + 86400);
}

TEST_F(DuePassTest, LongSleepMissesTheRunAndReportsIt) {
  list_.Add(MakeTask(kFixed, kShutdown, kT32));
  list_.Add(MakeTask(kEveryNDays, kRestart, kT32, 1));
  EXPECT_EQ(PassAt(kT - 10), Events{});
  EXPECT_EQ(PassAt(kT + 3600), Events{});
  ASSERT_EQ(sink_.missed.size(), 2u);
  EXPECT_EQ(sink_.missed[0].moment, kT);
  EXPECT_EQ(sink_.missed[1].moment, kT);
  EXPECT_EQ(list_.tasks().front().state, kStopped);
  EXPECT_EQ(list_.tasks().back().nextRun, kT32 + 86400);
}

TEST(NextTaskTest, PicksTheSoonestNormalTaskFrontmostOnATie) {
  TaskList list;
  list.Add(MakeTask(kFixed, kShutdown, 500, 0, kStopped));
  list.Add(MakeTask(kFixed, kShutdown, 900));
  list.Add(MakeTask(kFixed, kShutdown, 900));
  list.Add(MakeTask(kFixed, kShutdown, 1000));
  list.Add(MakeTask(kFixed, kShutdown, 100, 0, 2));  // not Normal either
  const CTask* next = NextTask(list);
  ASSERT_NE(next, nullptr);
  EXPECT_EQ(next->id, 2);

  list.Add(MakeTask(kFixed, kShutdown, -50));  // compared as signed
  next = NextTask(list);
  ASSERT_NE(next, nullptr);
  EXPECT_EQ(next->id, 6);
}

TEST(NextTaskTest, NoneWithoutANormalTask) {
  TaskList list;
  EXPECT_EQ(NextTask(list), nullptr);
  list.Add(MakeTask(kFixed, kShutdown, 500, 0, kStopped));
  list.Add(MakeTask(kInterval, kShutdown, 900, 90, kStopped));
  EXPECT_EQ(NextTask(list), nullptr);
}

}  // namespace
}  // namespace nightlatch
