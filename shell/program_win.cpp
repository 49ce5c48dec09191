#include "shell/program_win.h"

#include "engine/task_file.h"
#include "engine/trigger_rules.h"

namespace nightlatch {

Program::Program(std::u16string dataFolder)
    : dataFolder_(std::move(dataFolder)),
      config_(dataFolder_ + u"\\config.ini"),
      taskFilePath_(dataFolder_ + u"\\helper.dat"),
      notePath_(dataFolder_ + u"\\note.ini") {}

namespace {

constexpr int64_t kPassRecordSeconds = 60;

}  // namespace

void Program::LoadTasks(const PassClock& clock) {
  // A missing moment, or one ahead (the clock was set back), is no gap;
  // nor is a restart within the time a skipped second is caught up.
  const int64_t last = config_.Read(setting::kLastPass);
  MissedGap gap;
  if (last > 0 && clock.now - last > PreviousPass::kMaxCatchUpSeconds)
    gap = GapBetween(last, clock.now);
  missedAtLoad_.clear();
  LoadTaskFile(tasks_, taskFilePath_, clock, gap, &missedAtLoad_);
}

void Program::RecordPass(int64_t moment, bool now) {
  if (!now && passRecordedAt_ != 0 && moment >= passRecordedAt_ &&
      moment - passRecordedAt_ < kPassRecordSeconds)
    return;
  // The key holds 32 bits, as the task file's moments do.
  if (config_.Write(setting::kLastPass, static_cast<int32_t>(moment)))
    passRecordedAt_ = moment;
}

bool Program::SaveTasks() {
  return SaveTaskFile(tasks_, taskFilePath_);
}

void Program::LoadSettings() {
  settings = ReadRuntimeSettings(config_);
}

}  // namespace nightlatch
