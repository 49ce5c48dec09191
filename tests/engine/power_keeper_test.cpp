#include "engine/power_keeper.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/task_list.h"
#include "engine/trigger_rules.h"
#include "support/recording_power_requests.h"
#include "support/task_records.h"

namespace nightlatch {
namespace {

using testing::MakeTask;
using Calls = std::vector<std::string>;

const TimeZone kZone{8 * 3600};
constexpr int32_t kNow = 1796000000;

class PowerKeeperTest : public ::testing::Test {
 protected:
  static testing::RecordingPowerRequests WithBase() {
    testing::RecordingPowerRequests requests;
    requests.base = kNow;
    return requests;
  }

  Calls UpdateAt(int64_t now, bool wakeOn = true, bool promptOpen = false, int32_t idle = 0) {
    requests_.calls.clear();
    keeper_.Update(list_, PassClock::At(now, kZone, idle), wakeOn, promptOpen);
    return requests_.calls;
  }

  TaskList list_;
  testing::RecordingPowerRequests requests_ = WithBase();
  PowerKeeper keeper_{requests_};
};

TEST_F(PowerKeeperTest, ArmedForTheNextRunAndReArmedOnlyWhenItChanges) {
  list_.Add(MakeTask(kFixed, kReminder, kNow + 3600));
  list_.Add(MakeTask(kEveryNDays, kOpen, kNow + 900, 1));
  list_.Add(MakeTask(kIdle, kReminder, kNow + 10, 5));             // no moment to wake for
  list_.Add(MakeTask(kFixed, kShutdown, kNow + 60, 0, kStopped));  // paused
  EXPECT_EQ(UpdateAt(kNow), Calls{"arm 900"});
  EXPECT_EQ(keeper_.armedFor(), kNow + 900);
  EXPECT_EQ(UpdateAt(kNow + 1), Calls{});
  // An edit brings a run forward; deleting it moves the timer back.
  CTask& edited = list_.Add(MakeTask(kFixed, kRestart, kNow + 600));
  EXPECT_EQ(UpdateAt(kNow + 2), Calls{"arm 600"});
  list_.Remove(edited.id);
  EXPECT_EQ(UpdateAt(kNow + 3), Calls{"arm 900"});
  // Pausing every task leaves nothing to wake for.
  for (CTask& task : list_.tasks())
    task.state = kStopped;
  EXPECT_EQ(UpdateAt(kNow + 4), Calls{"cancel"});
  EXPECT_EQ(keeper_.armedFor(), 0);
  EXPECT_EQ(UpdateAt(kNow + 5), Calls{});
}

TEST_F(PowerKeeperTest, TheOptionOffCancelsAndTheEndReleasesEverything) {
  list_.Add(MakeTask(kFixed, kShutdown, kNow + 100));
  EXPECT_EQ(UpdateAt(kNow, /*wakeOn=*/false), Calls{"awake"});
  EXPECT_EQ(UpdateAt(kNow + 1, true), Calls{"arm 100"});
  EXPECT_EQ(UpdateAt(kNow + 2, false), Calls{"cancel"});
  EXPECT_EQ(UpdateAt(kNow + 3, true), Calls{"arm 100"});
  requests_.calls.clear();
  keeper_.Release();
  EXPECT_EQ(requests_.calls, (Calls{"cancel", "may sleep"}));
}

TEST_F(PowerKeeperTest, AwakeForTheLastTwoMinutesBeforeAPowerActionAndWhileItsPromptIsOpen) {
  list_.Add(MakeTask(kFixed, kShutdown, kNow + 200));
  list_.Add(MakeTask(kFixed, kReminder, kNow + 30));  // a reminder never keeps it awake
  EXPECT_EQ(UpdateAt(kNow, false), Calls{});
  EXPECT_EQ(UpdateAt(kNow + 79, false), Calls{});
  EXPECT_EQ(UpdateAt(kNow + 80, false), Calls{"awake"});
  EXPECT_EQ(UpdateAt(kNow + 200, false), Calls{});
  // The run has gone to its countdown prompt.
  EXPECT_EQ(UpdateAt(kNow + 201, false, /*promptOpen=*/true), Calls{});
  EXPECT_EQ(UpdateAt(kNow + 230, false, false), Calls{"may sleep"});
}

TEST_F(PowerKeeperTest, AnIdleShutdownKeepsItAwakeNearItsThreshold) {
  list_.Add(MakeTask(kIdle, kHibernate, 0, 10));
  EXPECT_EQ(UpdateAt(kNow, false, false, 479), Calls{});
  EXPECT_EQ(UpdateAt(kNow, false, false, 480), Calls{"awake"});
  EXPECT_EQ(UpdateAt(kNow, false, false, 3), Calls{"may sleep"});
}

TEST_F(PowerKeeperTest, ARefusedOrFailedWakeIsReportedAndNotRetriedEverySecond) {
  list_.Add(MakeTask(kFixed, kReminder, kNow + 500));
  requests_.armResult = PowerRequests::WakeArm::kRefused;
  EXPECT_EQ(UpdateAt(kNow), Calls{"arm 500"});
  EXPECT_FALSE(keeper_.WakeAllowed());
  EXPECT_EQ(UpdateAt(kNow + 1), Calls{});

  requests_.armResult = PowerRequests::WakeArm::kFailed;
  list_.tasks().front().nextRun = kNow + 700;
  EXPECT_EQ(UpdateAt(kNow + 2), Calls{"arm 700"});
  EXPECT_EQ(keeper_.armedFor(), 0);
  EXPECT_EQ(UpdateAt(kNow + 3), Calls{});

  requests_.armResult = PowerRequests::WakeArm::kArmed;
  list_.tasks().front().nextRun = kNow + 800;
  EXPECT_EQ(UpdateAt(kNow + 4), Calls{"arm 800"});
  EXPECT_TRUE(keeper_.WakeAllowed());
  requests_.planAllows = false;
  EXPECT_FALSE(keeper_.WakeAllowed());
}

}  // namespace
}  // namespace nightlatch
