#include "settings/runtime_settings.h"

#include "settings/settings_file_win.h"

namespace nightlatch {

RuntimeSettings ReadRuntimeSettings(const SettingsFile& config) {
  RuntimeSettings settings;
  settings.passwordOn = config.Read(setting::kPasswordOn) != 0;
  settings.promptBottomRight = config.Read(setting::kPromptBottomRight) != 0;
  // The announcement asks for exactly 1 here, but any non-zero value for Notify.
  settings.speakByHour = config.Read(setting::kSpeakByHour) == 1;
  settings.speakByHalf = config.Read(setting::kSpeakByHalf) == 1;
  settings.speakNotify = config.Read(setting::kSpeakNotify) != 0;
  settings.speakHours = config.Read(setting::kSpeakHours);
  settings.wakeForTasks = config.Read(setting::kWakeForTasks) == 1;
  return settings;
}

}  // namespace nightlatch
