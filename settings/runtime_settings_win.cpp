#include "settings/runtime_settings.h"

#include "settings/settings_file_win.h"

namespace nightlatch {

RuntimeSettings& Settings() {
  static RuntimeSettings settings;
  return settings;
}

bool& Unlocked() {
  static bool unlocked = false;
  return unlocked;
}

void LoadRuntimeSettings() {
  RuntimeSettings& settings = Settings();
  settings.passwordOn = ReadSetting(setting::kPasswordOn) != 0;
  settings.promptBottomRight = ReadSetting(setting::kPromptBottomRight) != 0;
  // The announcement asks for exactly 1 here, but any non-zero value for Notify.
  settings.speakByHour = ReadSetting(setting::kSpeakByHour) == 1;
  settings.speakByHalf = ReadSetting(setting::kSpeakByHalf) == 1;
  settings.speakNotify = ReadSetting(setting::kSpeakNotify) != 0;
  settings.speakHours = ReadSetting(setting::kSpeakHours);
}

}  // namespace nightlatch
