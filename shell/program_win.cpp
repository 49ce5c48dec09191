#include "shell/program_win.h"

#include "engine/task_file.h"

namespace nightlatch {

Program::Program(std::u16string dataFolder)
    : dataFolder_(std::move(dataFolder)),
      config_(dataFolder_ + u"\\config.ini"),
      taskFilePath_(dataFolder_ + u"\\helper.dat"),
      notePath_(dataFolder_ + u"\\note.ini") {}

void Program::LoadTasks(const PassClock& clock) {
  LoadTaskFile(tasks_, taskFilePath_, clock);
}

bool Program::SaveTasks() {
  return SaveTaskFile(tasks_, taskFilePath_);
}

void Program::LoadSettings() {
  settings = ReadRuntimeSettings(config_);
}

}  // namespace nightlatch
