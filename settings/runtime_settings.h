// The settings the program keeps in memory while it runs (the program object
// holds them), read at start and refreshed by the settings page that writes
// them.
#pragma once

#include <string>

namespace nightlatch {

struct RuntimeSettings {
  bool passwordOn = false;
  bool promptBottomRight = false;
  bool speakByHour = false;
  bool speakByHalf = false;
  bool speakNotify = false;
  std::u16string speakHours = u"000000000000000000000000";
  bool wakeForTasks = false;
};

class SettingsFile;

// The copies as config.ini has them now.
RuntimeSettings ReadRuntimeSettings(const SettingsFile& config);

}  // namespace nightlatch
