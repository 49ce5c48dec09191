// Builds task records and task-file bytes for the list, file and rule tests.
// The byte layout itself is checked by hand in task_record_test.cpp.
#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>
#include <vector>

#include "engine/task.h"

namespace nightlatch::testing {

inline TaskFileRecord MakeRecord(int32_t mode,
                                 int32_t action,
                                 int32_t nextRun,
                                 int32_t param = 0,
                                 int32_t state = kNormal,
                                 std::u16string_view text = {}) {
  TaskFileRecord r;
  r.mode = mode;
  r.action = action;
  r.start = nextRun;
  r.nextRun = nextRun;
  r.param = param;
  r.warnSeconds = 30;
  r.created = nextRun;
  r.state = state;
  std::copy_n(text.begin(), std::min<std::size_t>(text.size(), kTaskTextUnits - 1), r.text.begin());
  return r;
}

inline CTask MakeTask(int32_t mode,
                      int32_t action,
                      int32_t nextRun,
                      int32_t param = 0,
                      int32_t state = kNormal,
                      std::u16string_view text = {}) {
  return CTask(MakeRecord(mode, action, nextRun, param, state, text));
}

inline void AppendRecord(std::vector<uint8_t>& bytes, const TaskFileRecord& record) {
  const std::size_t offset = bytes.size();
  bytes.resize(offset + kTaskFileRecordSize);
  EncodeRecord(record, std::span(bytes).subspan(offset).first<kTaskFileRecordSize>());
}

inline std::vector<uint8_t> FileBytes(std::initializer_list<TaskFileRecord> records) {
  std::vector<uint8_t> bytes;
  for (const TaskFileRecord& r : records)
    AppendRecord(bytes, r);
  return bytes;
}

}  // namespace nightlatch::testing
