// The task: what to do, when, whether it is active, and its text; and the
// 520-byte record it is stored as in the task file.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "engine/fixed_text.h"

namespace nightlatch {

enum TimeMode : int32_t {
  kFixed = 1,
  kEveryNDays = 2,
  kWeekly = 3,
  kMonthly = 4,
  kYearly = 5,
  kInterval = 6,
  kIdle = 7,
  kCountdown = 8,
};

enum TaskAction : int32_t {
  kShutdown = 0,
  kRestart = 1,
  kLogOff = 2,
  kLock = 3,
  kHibernate = 4,
  kStandby = 5,
  kMonitorOff = 6,
  kOpen = 7,
  kReminder = 8,
};

enum TaskState : int32_t {
  kStopped = 0,
  kNormal = 1,
};

// Code units of a task text, terminator included.
constexpr std::size_t kTaskTextUnits = 120;
using TaskText = FixedText<kTaskTextUnits>;

// The action's display name; empty outside 0..8.
std::u16string_view ActionName(int32_t action);

// The record as laid out on disk (and as the editor's working copy). The
// texts are raw units, kept exactly as read.
struct TaskFileRecord {
  int32_t id = 0;
  int32_t mode = 0;
  int32_t action = 0;
  int32_t start = 0;
  int32_t nextRun = 0;
  int32_t param = 0;
  int32_t reserved = 0;
  int32_t warnSeconds = 0;
  int32_t created = 0;
  int32_t state = 0;
  std::array<char16_t, kTaskTextUnits> note{};
  std::array<char16_t, kTaskTextUnits> text{};

  friend bool operator==(const TaskFileRecord&, const TaskFileRecord&) = default;
};

constexpr std::size_t kTaskFileRecordSize = 520;
using RecordBytes = std::span<const uint8_t, kTaskFileRecordSize>;

// Little-endian, no padding; the two are exact inverses.
TaskFileRecord DecodeRecord(RecordBytes bytes);
void EncodeRecord(const TaskFileRecord& record, std::span<uint8_t, kTaskFileRecordSize> out);

class CTask {
 public:
  CTask() = default;
  explicit CTask(const TaskFileRecord& record) { Assign(record, true); }
  CTask(const CTask&) = default;
  CTask& operator=(const CTask&) = default;
  virtual ~CTask() = default;

  // Copies mode through state and both texts; the id only when takeId.
  void Assign(const TaskFileRecord& record, bool takeId);
  TaskFileRecord ToRecord() const;

  int32_t id = 0;
  int32_t mode = 0;
  int32_t action = 0;
  int32_t start = 0;
  int32_t nextRun = 0;
  int32_t param = 0;
  int32_t reserved = 0;
  int32_t warnSeconds = 0;
  int32_t created = 0;
  int32_t state = 0;
  TaskText note;
  TaskText text;
};

}  // namespace nightlatch
