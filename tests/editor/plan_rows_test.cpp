#include "editor/plan_rows.h"

#include <gtest/gtest.h>

#include "engine/trigger_rules.h"
#include "support/plain_calendar.h"
#include "support/printable_text.h"
#include "support/task_records.h"

namespace nightlatch {
namespace {

using testing::kHour;
using testing::MakeTask;
using testing::Moment32;
using testing::PlainMoment;
using testing::Text;
using testing::Wall;

const TimeZone kZone{8 * kHour};
const Wall kNow{2026, 3, 4, 10};

PassClock Clock() {
  return PassClock::At(PlainMoment(kNow, kZone), kZone);
}

TEST(PlanRowsTest, RowOfANormalAndOfAStoppedTask) {
  const CTask weekly = MakeTask(kWeekly, kShutdown, Moment32({2026, 3, 4, 20}, kZone), 1 | 4 | 64);
  TaskRow row = MakeTaskRow(weekly, Clock());
  EXPECT_EQ(Text(row.type), Text(u"关机\n每周-1,3,7"));
  EXPECT_EQ(Text(row.time), Text(u"今天 \n20:00:00"));
  EXPECT_EQ(Text(row.status), Text(u"10小时00分"));
  EXPECT_EQ(Text(row.state), Text(u"正常"));
  EXPECT_EQ(row.image, 1);
  EXPECT_FALSE(row.greyed());

  const CTask stopped =
      MakeTask(kFixed, kOpen, Moment32({2026, 3, 1, 7, 5, 9}, kZone), 0, kStopped);
  row = MakeTaskRow(stopped, Clock());
  EXPECT_EQ(Text(row.type), Text(u"打开\n自定时"));
  EXPECT_EQ(Text(row.time), Text(u"2026年3月1日 \n07:05:09"));
  EXPECT_EQ(Text(row.status), Text(u"已停止"));
  EXPECT_EQ(Text(row.state), Text(u"停止"));
  EXPECT_EQ(row.image, 0);
  EXPECT_TRUE(row.greyed());
}

TEST(PlanRowsTest, ImageIsTheStateModuloTwoNeverNegative) {
  const struct {
    int32_t state;
    int image;
  } cases[] = {{0, 0}, {1, 1}, {2, 0}, {3, 1}, {-1, 1}, {-2, 0}};
  for (const auto& c : cases) {
    const CTask task = MakeTask(kInterval, kLock, Moment32(kNow, kZone), 5, c.state);
    EXPECT_EQ(MakeTaskRow(task, Clock()).image, c.image) << "state " << c.state;
  }
}

TEST(PlanRowsTest, TypeTextSplitsIntoNameAndMode) {
  const struct {
    const char16_t* type;
    const char16_t* first;
    const char16_t* second;
  } cases[] = {
      {u"关闭显示器\n间隔-1小时30分钟", u"关闭显示器", u"间隔-1小时30分钟"},
      {u"关机\n每周", u"关机", u"每周"},
      {u"", u"", u""},
      {u"no break", u"no break", u""},
      {u"a\nb\nc", u"a", u"b\nc"},
  };
  for (const auto& c : cases) {
    const auto [first, second] = SplitTypeText(c.type);
    EXPECT_EQ(Text(first), Text(c.first));
    EXPECT_EQ(Text(second), Text(c.second));
  }
}

TEST(PlanRowsTest, OnlyAPastStoppedOneShotTaskIsRefusedToResume) {
  const int32_t now = Moment32(kNow, kZone);
  const struct {
    const char* name;
    int32_t mode;
    int32_t state;
    int32_t nextRun;
    bool refused;
  } cases[] = {
      {"fixed, stopped, passed", kFixed, kStopped, now - 1, true},
      {"countdown, stopped, passed", kCountdown, kStopped, now - 3600, true},
      {"fixed, stopped, at this second", kFixed, kStopped, now, false},
      {"fixed, stopped, still ahead", kFixed, kStopped, now + 60, false},
      {"fixed, normal, passed (a pause)", kFixed, kNormal, now - 1, false},
      {"weekly, stopped, passed", kWeekly, kStopped, now - 86400, false},
      {"interval, stopped, passed", kInterval, kStopped, now - 86400, false},
      {"idle, stopped, passed", kIdle, kStopped, now - 86400, false},
  };
  for (const auto& c : cases) {
    CTask task = MakeTask(c.mode, kShutdown, c.nextRun, 5, c.state);
    EXPECT_EQ(ResumeRefused(task, now), c.refused) << c.name;
  }
}

TEST(PlanRowsTest, PauseItemReadsResumeOnlyForAStoppedTask) {
  const CTask normal = MakeTask(kFixed, kShutdown, 0, 0, kNormal);
  const CTask stopped = MakeTask(kFixed, kShutdown, 0, 0, kStopped);
  const CTask odd = MakeTask(kFixed, kShutdown, 0, 0, 2);
  EXPECT_EQ(Text(PauseItemText(nullptr)), Text(u"暂停任务"));
  EXPECT_EQ(Text(PauseItemText(&normal)), Text(u"暂停任务"));
  EXPECT_EQ(Text(PauseItemText(&stopped)), Text(u"恢复任务"));
  EXPECT_EQ(Text(PauseItemText(&odd)), Text(u"暂停任务"));
}

}  // namespace
}  // namespace nightlatch
