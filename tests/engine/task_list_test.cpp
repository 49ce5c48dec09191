#include "engine/task_list.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "engine/trigger_rules.h"
#include "support/printable_text.h"
#include "support/task_records.h"

namespace nightlatch {
namespace {

using testing::FileBytes;
using testing::MakeRecord;
using testing::MakeTask;
using testing::Text;

// Early enough that Fixed tasks at 500..1000 are still ahead.
const PassClock kEarly = PassClock::At(100, TimeZone{});

std::vector<int32_t> Ids(const TaskList& list) {
  std::vector<int32_t> ids;
  for (const CTask& task : list.tasks())
    ids.push_back(task.id);
  return ids;
}

std::vector<std::u16string> Texts(const TaskList& list) {
  std::vector<std::u16string> texts;
  for (const CTask& task : list.tasks())
    texts.emplace_back(task.text.View());
  return texts;
}

TaskList LoadedList(const std::vector<uint8_t>& bytes, const PassClock& clock = kEarly) {
  TaskList list;
  list.LoadRecords(bytes, clock);
  return list;
}

TEST(TaskListLoadTest, StrayTailIsIgnoredAndDropsOutOnSave) {
  std::vector<uint8_t> bytes =
      FileBytes({MakeRecord(kFixed, kShutdown, 500), MakeRecord(kFixed, kRestart, 600),
                 MakeRecord(kFixed, kLock, 700)});
  bytes.insert(bytes.end(), 100, 0xAB);
  const TaskList list = LoadedList(bytes);
  EXPECT_EQ(Ids(list), (std::vector<int32_t>{1, 2, 3}));
  EXPECT_EQ(list.lastId(), 3);
  EXPECT_FALSE(list.dirty());
  EXPECT_EQ(list.ToRecords().size(), 1560u);
}

TEST(TaskListLoadTest, ShortOrEmptyInputGivesAnEmptyList) {
  for (const std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{519}}) {
    SCOPED_TRACE(std::to_string(size) + " bytes");
    const TaskList list = LoadedList(std::vector<uint8_t>(size, 0x01));
    EXPECT_TRUE(list.tasks().empty());
    EXPECT_EQ(list.lastId(), 0);
    EXPECT_FALSE(list.dirty());
  }
}

TEST(TaskListLoadTest, IdsInTheFileAreIgnored) {
  TaskFileRecord a = MakeRecord(kFixed, kShutdown, 500, 0, kNormal, u"a");
  TaskFileRecord b = MakeRecord(kFixed, kShutdown, 600, 0, kNormal, u"b");
  TaskFileRecord c = MakeRecord(kFixed, kShutdown, 700, 0, kNormal, u"c");
  a.id = 7;
  b.id = 7;
  c.id = 42;
  const TaskList list = LoadedList(FileBytes({a, b, c}));
  EXPECT_EQ(Ids(list), (std::vector<int32_t>{1, 2, 3}));
  EXPECT_EQ(Texts(list), (std::vector<std::u16string>{u"a", u"b", u"c"}));
  EXPECT_EQ(list.lastId(), 3);
  // The renumbered ids are what the next save writes.
  const std::vector<uint8_t> saved = list.ToRecords();
  EXPECT_EQ(saved[0], 1);
  EXPECT_EQ(saved[520], 2);
  EXPECT_EQ(saved[1040], 3);
}

TEST(TaskListLoadTest, SortsActiveByNextRunThenStoppedInFileOrder) {
  const TaskList list = LoadedList(FileBytes({
      MakeRecord(kFixed, kShutdown, 500, 0, kStopped, u"stopped 500"),
      MakeRecord(kFixed, kShutdown, 1000, 0, kNormal, u"active 1000"),
      MakeRecord(kFixed, kShutdown, 900, 0, kNormal, u"active 900"),
  }));
  EXPECT_EQ(Texts(list),
            (std::vector<std::u16string>{u"active 900", u"active 1000", u"stopped 500"}));
  EXPECT_EQ(Ids(list), (std::vector<int32_t>{3, 2, 1}));
}

TEST(TaskListLoadTest, EqualNextRunsAndStoppedTasksKeepFileOrder) {
  const TaskList list = LoadedList(FileBytes({
      MakeRecord(kFixed, kShutdown, 500, 0, kStopped, u"s1"),
      MakeRecord(kFixed, kShutdown, 900, 0, kNormal, u"b1"),
      MakeRecord(kFixed, kShutdown, 300, 0, kStopped, u"s2"),
      MakeRecord(kFixed, kShutdown, 900, 0, kNormal, u"b2"),
      MakeRecord(kFixed, kShutdown, 800, 0, kNormal, u"a"),
      MakeRecord(kFixed, kShutdown, 900, 0, kNormal, u"b3"),
      MakeRecord(kFixed, kShutdown, 100, 0, kStopped, u"s3"),
  }));
  EXPECT_EQ(Texts(list),
            (std::vector<std::u16string>{u"a", u"b1", u"b2", u"b3", u"s1", u"s2", u"s3"}));
}

TEST(TaskListLoadTest, BringsTasksUpToDateWithoutMarkingDirty) {
  const int64_t now = 1772625600;  // 2026-03-04 12:00:00 UTC
  const PassClock clock = PassClock::At(now, TimeZone{});
  const int32_t past = static_cast<int32_t>(now - 3600);
  const int32_t ahead = static_cast<int32_t>(now + 3600);
  const TaskList list =
      LoadedList(FileBytes({
                     MakeRecord(kFixed, kShutdown, past, 0, kNormal, u"fixed passed"),
                     MakeRecord(kCountdown, kShutdown, ahead, 30, kNormal, u"countdown ahead"),
                     MakeRecord(kInterval, kShutdown, past, 90, kNormal, u"interval"),
                     MakeRecord(kIdle, kShutdown, 0, 0, kNormal, u"idle without minutes"),
                 }),
                 clock);
  EXPECT_FALSE(list.dirty());
  ASSERT_EQ(list.tasks().size(), 4u);
  for (const CTask& task : list.tasks()) {
    const std::u16string text(task.text.View());
    SCOPED_TRACE(testing::ToUtf8(text));
    if (text == u"fixed passed") {
      EXPECT_EQ(task.state, kStopped);
      EXPECT_EQ(task.nextRun, past);
    } else if (text == u"countdown ahead") {
      EXPECT_EQ(task.state, kNormal);
      EXPECT_EQ(task.nextRun, ahead);
    } else if (text == u"interval") {
      // Counts afresh from the load, whatever it was before.
      EXPECT_EQ(task.state, kNormal);
      EXPECT_EQ(task.nextRun, now + 90 * 60);
    } else {
      EXPECT_EQ(task.state, kStopped);
      EXPECT_EQ(task.param, 0);
    }
  }
  // Written as stopped once something else makes the list dirty.
  const std::vector<uint8_t> saved = list.ToRecords();
  bool foundFixed = false;
  for (std::size_t offset = 0; offset < saved.size(); offset += 520) {
    const TaskFileRecord r =
        DecodeRecord(std::span(saved).subspan(offset).first<kTaskFileRecordSize>());
    if (r.mode == kFixed) {
      foundFixed = true;
      EXPECT_EQ(r.state, kStopped);
    }
  }
  EXPECT_TRUE(foundFixed);
}

TEST(TaskListLoadTest, LoadReplacesWhatWasThere) {
  TaskList list;
  list.Add(MakeTask(kFixed, kShutdown, 500));
  list.Add(MakeTask(kFixed, kShutdown, 500));
  list.LoadRecords(FileBytes({MakeRecord(kFixed, kLock, 700)}), kEarly);
  EXPECT_EQ(Ids(list), (std::vector<int32_t>{1}));
  EXPECT_EQ(list.tasks().front().action, kLock);
  EXPECT_EQ(list.lastId(), 1);
  EXPECT_FALSE(list.dirty());
}

TEST(TaskListSortTest, NextRunsCompareAsSignedNumbers) {
  TaskList list;
  for (const int32_t nextRun : {INT32_MAX, 10, INT32_MIN, -5, 0})
    list.Add(MakeTask(kFixed, kShutdown, nextRun));
  list.Sort();
  std::vector<int32_t> order;
  for (const CTask& task : list.tasks())
    order.push_back(task.nextRun);
  EXPECT_EQ(order, (std::vector<int32_t>{INT32_MIN, -5, 0, 10, INT32_MAX}));
}

TEST(TaskListSortTest, AnyNonZeroStateCountsAsActive) {
  TaskList list;
  list.Add(MakeTask(kFixed, kShutdown, 50, 0, kStopped, u"stopped"));
  list.Add(MakeTask(kFixed, kShutdown, 900, 0, kNormal, u"normal"));
  list.Add(MakeTask(kFixed, kShutdown, 800, 0, 2, u"state 2"));
  list.Sort();
  EXPECT_EQ(Texts(list), (std::vector<std::u16string>{u"state 2", u"normal", u"stopped"}));
}

TEST(TaskListTest, AddTakesTheNextIdAndGoesLastUnsorted) {
  TaskList list =
      LoadedList(FileBytes({MakeRecord(kFixed, kShutdown, 700), MakeRecord(kFixed, kShutdown, 800),
                            MakeRecord(kFixed, kShutdown, 900)}));
  CTask soonest = MakeTask(kFixed, kRestart, 200);
  soonest.id = 99;  // whatever the caller had is replaced
  const CTask& added = list.Add(soonest);
  EXPECT_EQ(added.id, 4);
  EXPECT_EQ(list.lastId(), 4);
  EXPECT_TRUE(list.dirty());
  EXPECT_EQ(Ids(list), (std::vector<int32_t>{1, 2, 3, 4}));
  list.Sort();
  EXPECT_EQ(Ids(list), (std::vector<int32_t>{4, 1, 2, 3}));
}

TEST(TaskListTest, IdsAreNotReusedAfterRemoval) {
  TaskList list;
  list.Add(MakeTask(kFixed, kShutdown, 500));
  list.Add(MakeTask(kFixed, kShutdown, 500));
  ASSERT_TRUE(list.Remove(2));
  EXPECT_EQ(list.Add(MakeTask(kFixed, kShutdown, 500)).id, 3);
  EXPECT_EQ(Ids(list), (std::vector<int32_t>{1, 3}));
}

TEST(TaskListTest, FindSearchesById) {
  TaskList list = LoadedList(FileBytes({MakeRecord(kFixed, kShutdown, 700, 0, kNormal, u"one"),
                                        MakeRecord(kFixed, kShutdown, 800, 0, kNormal, u"two")}));
  ASSERT_NE(list.Find(2), nullptr);
  EXPECT_EQ(Text(list.Find(2)->text.View()), Text(u"two"));
  const TaskList& constList = list;
  ASSERT_NE(constList.Find(1), nullptr);
  EXPECT_EQ(Text(constList.Find(1)->text.View()), Text(u"one"));
  EXPECT_EQ(list.Find(0), nullptr);
  EXPECT_EQ(list.Find(3), nullptr);
  EXPECT_EQ(list.Find(-1), nullptr);
}

TEST(TaskListTest, ReplaceKeepsIdAndPositionAndTakesEverythingElse) {
  TaskList list = LoadedList(FileBytes({MakeRecord(kFixed, kShutdown, 700, 0, kNormal, u"one"),
                                        MakeRecord(kFixed, kShutdown, 800, 0, kStopped, u"two"),
                                        MakeRecord(kFixed, kShutdown, 900, 0, kNormal, u"three")}));
  // Sorted: one (1), three (3), two (2, stopped).
  TaskFileRecord edited = MakeRecord(kWeekly, kOpen, 12345, 17, kNormal, u"http://example.com");
  edited.id = 77;
  edited.note[0] = u'n';
  ASSERT_TRUE(list.Replace(2, edited));
  EXPECT_TRUE(list.dirty());
  EXPECT_EQ(Ids(list), (std::vector<int32_t>{1, 3, 2}));
  TaskFileRecord want = edited;
  want.id = 2;
  EXPECT_TRUE(list.Find(2)->ToRecord() == want);
}

TEST(TaskListTest, RemoveTakesOutOnlyThatTask) {
  TaskList list =
      LoadedList(FileBytes({MakeRecord(kFixed, kShutdown, 700), MakeRecord(kFixed, kShutdown, 800),
                            MakeRecord(kFixed, kShutdown, 900)}));
  ASSERT_TRUE(list.Remove(2));
  EXPECT_TRUE(list.dirty());
  EXPECT_EQ(Ids(list), (std::vector<int32_t>{1, 3}));
  EXPECT_EQ(list.lastId(), 3);
  EXPECT_EQ(list.ToRecords().size(), 1040u);
}

TEST(TaskListTest, ToggleStateSwitchesBetweenStoppedAndNormal) {
  struct Case {
    int32_t before;
    int32_t after;
  };
  for (const Case c :
       {Case{kStopped, kNormal}, Case{kNormal, kStopped}, Case{2, kStopped}, Case{-1, kStopped}}) {
    SCOPED_TRACE("state " + std::to_string(c.before));
    TaskList list;
    list.Add(MakeTask(kFixed, kShutdown, 500, 0, c.before));
    list.MarkSaved();
    ASSERT_TRUE(list.ToggleState(1));
    EXPECT_EQ(list.Find(1)->state, c.after);
    EXPECT_TRUE(list.dirty());
  }
}

// Every change that must reach the file sets the flag; a miss changes
// nothing and leaves it clear.
TEST(TaskListTest, DirtyFlag) {
  struct Case {
    const char* name;
    std::function<bool(TaskList&)> change;
    bool dirty;
  };
  const TaskFileRecord record = MakeRecord(kFixed, kLock, 650);
  const Case cases[] = {
      {"add",
       [](TaskList& l) {
         l.Add(MakeTask(kFixed, kShutdown, 600));
         return true;
       },
       true},
      {"replace", [&](TaskList& l) { return l.Replace(1, record); }, true},
      {"remove", [](TaskList& l) { return l.Remove(1); }, true},
      {"toggle", [](TaskList& l) { return l.ToggleState(1); }, true},
      {"replace unknown id", [&](TaskList& l) { return !l.Replace(5, record); }, false},
      {"remove unknown id", [](TaskList& l) { return !l.Remove(5); }, false},
      {"toggle unknown id", [](TaskList& l) { return !l.ToggleState(5); }, false},
      {"find", [](TaskList& l) { return l.Find(1) != nullptr; }, false},
      {"sort",
       [](TaskList& l) {
         l.Sort();
         return true;
       },
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TaskList list = LoadedList(
        FileBytes({MakeRecord(kFixed, kShutdown, 700), MakeRecord(kFixed, kShutdown, 800)}));
    ASSERT_FALSE(list.dirty());
    const std::vector<uint8_t> before = list.ToRecords();
    EXPECT_TRUE(c.change(list));
    EXPECT_EQ(list.dirty(), c.dirty);
    if (!c.dirty) {
      EXPECT_EQ(list.ToRecords(), before);
    }
  }
}

}  // namespace
}  // namespace nightlatch
