// The program's state: the task list, where the per-user files live, the
// settings kept in memory and the password gate's flag. The entry point owns
// the one instance and hands it down; windows show and edit it, and tests
// make their own.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "engine/missed_runs.h"
#include "engine/task_list.h"
#include "settings/runtime_settings.h"
#include "settings/settings_file_win.h"

namespace nightlatch {

struct PassClock;

class Program {
 public:
  // `dataFolder` holds config.ini, helper.dat and note.ini.
  explicit Program(std::u16string dataFolder);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  const std::u16string& dataFolder() const { return dataFolder_; }
  const SettingsFile& config() const { return config_; }
  const std::u16string& taskFilePath() const { return taskFilePath_; }
  const std::u16string& notePath() const { return notePath_; }

  TaskList& tasks() { return tasks_; }
  const TaskList& tasks() const { return tasks_; }
  // helper.dat, sorted; a missing file gives an empty list. The runs that
  // fell after the last pass the program made before it ended are kept
  // for TakeMissedAtLoad.
  void LoadTasks(const PassClock& clock);
  MissedRuns TakeMissedAtLoad() { return std::exchange(missedAtLoad_, {}); }
  // Keeps the moment of a pass in config.ini: at most once a minute, or
  // at once with `now` (before a run and at the end).
  void RecordPass(int64_t moment, bool now = false);
  // Writes helper.dat when the list changed.
  bool SaveTasks();

  // The in-memory copies afresh from config.ini.
  void LoadSettings();

  // Read at start and refreshed by the page that writes them.
  RuntimeSettings settings;
  // Set by a correct password, cleared whenever the main window hides.
  bool unlocked = false;

 private:
  std::u16string dataFolder_;
  SettingsFile config_;
  std::u16string taskFilePath_;
  std::u16string notePath_;
  TaskList tasks_;
  MissedRuns missedAtLoad_;
  int64_t passRecordedAt_ = 0;
};

}  // namespace nightlatch
