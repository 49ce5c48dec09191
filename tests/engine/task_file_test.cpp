#include "engine/task_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/task_list.h"
#include "engine/trigger_rules.h"
#include "support/printable_text.h"
#include "support/task_records.h"
#include "support/temp_folder.h"

namespace nightlatch {
namespace {

namespace fs = std::filesystem;
using testing::FileBytes;
using testing::MakeRecord;

const int64_t kNow = 1772625600;  // 2026-03-04 12:00:00 UTC
const PassClock kClock = PassClock::At(kNow, TimeZone{});
const int32_t kAhead = static_cast<int32_t>(kNow + 86400);

// A fresh folder per test, named with non-ASCII characters and a space so
// the UTF-16 path has to reach the file system intact.
class TaskFileTest : public ::testing::Test {
 protected:
  std::u16string FilePath() const { return file_.u16string(); }

  void WriteFile(const std::vector<uint8_t>& bytes) const {
    std::ofstream out(file_, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good());
  }

  std::vector<uint8_t> ReadFile() const {
    std::ifstream in(file_, std::ios::binary);
    EXPECT_TRUE(in.good()) << "cannot open " << testing::ToUtf8(FilePath());
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
  }

  std::vector<std::u16string> FolderContents() const {
    std::vector<std::u16string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder_.path()))
      names.push_back(entry.path().filename().u16string());
    return names;
  }

  testing::TempFolder folder_{u"夜闩 test"};
  fs::path file_ = folder_ / fs::path(u"helper.dat");
};

// Numbered and ordered as a load would leave them.
std::vector<uint8_t> ThreeTasks() {
  TaskFileRecord one = MakeRecord(kFixed, kShutdown, kAhead, 0, kNormal, u"one");
  TaskFileRecord two = MakeRecord(kFixed, kRestart, kAhead + 1, 0, kNormal, u"two");
  TaskFileRecord three = MakeRecord(kFixed, kLock, kAhead + 2, 0, kNormal, u"three");
  one.id = 1;
  two.id = 2;
  three.id = 3;
  return FileBytes({one, two, three});
}

TEST_F(TaskFileTest, MissingFileGivesAnEmptyList) {
  TaskList list;
  list.Add(testing::MakeTask(kFixed, kShutdown, kAhead));
  LoadTaskFile(list, FilePath(), kClock);
  EXPECT_TRUE(list.tasks().empty());
  EXPECT_EQ(list.lastId(), 0);
  EXPECT_FALSE(list.dirty());
  EXPECT_TRUE(FolderContents().empty()) << "loading created a file";
}

TEST_F(TaskFileTest, FolderInPlaceOfTheFileGivesAnEmptyList) {
  fs::create_directory(file_);
  TaskList list;
  LoadTaskFile(list, FilePath(), kClock);
  EXPECT_TRUE(list.tasks().empty());
  EXPECT_FALSE(list.dirty());
}

TEST_F(TaskFileTest, LoadsTheRecordsOfTheFile) {
  std::vector<uint8_t> bytes = ThreeTasks();
  bytes.insert(bytes.end(), 100, 0x5A);
  WriteFile(bytes);
  TaskList list;
  LoadTaskFile(list, FilePath(), kClock);
  ASSERT_EQ(list.tasks().size(), 3u);
  EXPECT_EQ(list.lastId(), 3);
  EXPECT_FALSE(list.dirty());
  EXPECT_EQ(testing::Text(list.Find(2)->text.View()), testing::Text(u"two"));
  EXPECT_EQ(list.Find(3)->action, kLock);
}

TEST_F(TaskFileTest, UnchangedListLeavesTheFileUntouched) {
  std::vector<uint8_t> bytes = ThreeTasks();
  const std::string marker = "stray tail that a rewrite would drop";
  bytes.insert(bytes.end(), marker.begin(), marker.end());
  WriteFile(bytes);
  // Two days back, read again: the file system keeps its own precision.
  fs::last_write_time(file_, fs::file_time_type::clock::now() - std::chrono::hours(48));
  const auto oldTime = fs::last_write_time(file_);

  TaskList list;
  LoadTaskFile(list, FilePath(), kClock);
  ASSERT_FALSE(list.dirty());
  EXPECT_TRUE(SaveTaskFile(list, FilePath()));
  EXPECT_EQ(ReadFile(), bytes);
  EXPECT_EQ(fs::last_write_time(file_), oldTime);
}

TEST_F(TaskFileTest, CleanListCreatesNoFile) {
  TaskList list;
  EXPECT_TRUE(SaveTaskFile(list, FilePath()));
  EXPECT_TRUE(FolderContents().empty());
}

TEST_F(TaskFileTest, DirtyListWrites520BytesPerTaskAndClearsTheFlag) {
  std::vector<uint8_t> bytes = ThreeTasks();
  bytes.insert(bytes.end(), 100, 0x5A);
  WriteFile(bytes);
  TaskList list;
  LoadTaskFile(list, FilePath(), kClock);
  list.MarkDirty();
  ASSERT_TRUE(SaveTaskFile(list, FilePath()));
  EXPECT_FALSE(list.dirty());
  const std::vector<uint8_t> saved = ReadFile();
  EXPECT_EQ(saved.size(), 1560u);
  EXPECT_EQ(saved, std::vector<uint8_t>(bytes.begin(), bytes.begin() + 1560));
}

TEST_F(TaskFileTest, SavingFewerTasksShortensTheFile) {
  WriteFile(ThreeTasks());
  TaskList list;
  LoadTaskFile(list, FilePath(), kClock);
  ASSERT_TRUE(list.Remove(2));
  ASSERT_TRUE(SaveTaskFile(list, FilePath()));
  EXPECT_EQ(ReadFile().size(), 1040u);

  ASSERT_TRUE(list.Remove(1));
  ASSERT_TRUE(list.Remove(3));
  ASSERT_TRUE(SaveTaskFile(list, FilePath()));
  EXPECT_TRUE(ReadFile().empty());
}

// Records chosen so that the load changes nothing: ids 1..n already in
// sorted order, future one-shot tasks and stopped ones.
TEST_F(TaskFileTest, LoadAndSaveGiveBackTheSameBytes) {
  TaskFileRecord fixed = MakeRecord(kFixed, kShutdown, kAhead, 0, kNormal);
  TaskFileRecord reminder =
      MakeRecord(kCountdown, kReminder, kAhead + 60, 45, kNormal, u"喝水 \U0001F964 记得！");
  reminder.warnSeconds = 60;
  TaskFileRecord open = MakeRecord(kInterval, kOpen, kAhead - 999999, 90, kStopped,
                                   u"C:\\Program Files\\工具\\tool.exe");
  TaskFileRecord weekly = MakeRecord(kWeekly, kMonitorOff, 12345, 127, kStopped);
  weekly.reserved = 7;  // carried through untouched
  const std::u16string note = u"备注 note";
  std::copy(note.begin(), note.end(), fixed.note.begin());
  std::copy(note.begin(), note.end(), weekly.note.begin());
  fixed.id = 1;
  reminder.id = 2;
  open.id = 3;
  weekly.id = 4;
  const std::vector<uint8_t> original = FileBytes({fixed, reminder, open, weekly});
  WriteFile(original);

  TaskList list;
  LoadTaskFile(list, FilePath(), kClock);
  ASSERT_EQ(list.tasks().size(), 4u);
  list.MarkDirty();
  ASSERT_TRUE(SaveTaskFile(list, FilePath()));
  const std::vector<uint8_t> saved = ReadFile();
  ASSERT_EQ(saved.size(), original.size());
  for (std::size_t i = 0; i < saved.size(); ++i)
    ASSERT_EQ(saved[i], original[i])
        << "byte " << i << " (record " << i / 520 << ", offset " << i % 520 << ")";
}

TEST_F(TaskFileTest, NoTemporaryFileIsLeftBehind) {
  TaskList list;
  list.Add(testing::MakeTask(kFixed, kShutdown, kAhead));
  ASSERT_TRUE(SaveTaskFile(list, FilePath()));
  list.Add(testing::MakeTask(kFixed, kShutdown, kAhead));
  ASSERT_TRUE(SaveTaskFile(list, FilePath()));  // over an existing file
  EXPECT_EQ(FolderContents(), std::vector<std::u16string>{u"helper.dat"});
  EXPECT_EQ(ReadFile().size(), 1040u);
}

// A save puts a complete new file in place of the old one instead of
// rewriting the old one in place: a second name for the old file still
// shows the old content, so a save cut short can never leave a torn file.
TEST_F(TaskFileTest, SaveReplacesTheFileRatherThanRewritingIt) {
  WriteFile(ThreeTasks());
  const fs::path oldName = folder_ / fs::path(u"old.dat");
  std::error_code error;
  fs::create_hard_link(file_, oldName, error);
  if (error)
    GTEST_SKIP() << "no hard links here: " << error.message();

  TaskList list;
  LoadTaskFile(list, FilePath(), kClock);
  ASSERT_TRUE(list.Remove(1));
  ASSERT_TRUE(SaveTaskFile(list, FilePath()));
  EXPECT_EQ(ReadFile().size(), 1040u);
  EXPECT_EQ(fs::file_size(oldName), 1560u);
}

TEST_F(TaskFileTest, FailedSaveKeepsTheListDirtyForTheNextAttempt) {
  const fs::path missing = folder_ / fs::path(u"不存在");
  const std::u16string path = (missing / fs::path(u"helper.dat")).u16string();
  TaskList list;
  list.Add(testing::MakeTask(kFixed, kShutdown, kAhead));
  EXPECT_FALSE(SaveTaskFile(list, path));
  EXPECT_TRUE(list.dirty());
  EXPECT_TRUE(FolderContents().empty());

  // Once the folder exists the retry goes through.
  fs::create_directory(missing);
  EXPECT_TRUE(SaveTaskFile(list, path));
  EXPECT_FALSE(list.dirty());
  EXPECT_EQ(fs::file_size(missing / fs::path(u"helper.dat")), 520u);
}

}  // namespace
}  // namespace nightlatch
