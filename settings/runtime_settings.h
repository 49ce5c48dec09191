// The settings the program keeps in memory while it runs, read at start and
// refreshed by the settings page that writes them.
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
};

// The process-wide copies (UI thread only).
RuntimeSettings& Settings();

// Set by a correct password, cleared whenever the main window hides itself.
bool& Unlocked();

// Reads the copies from config.ini.
void LoadRuntimeSettings();

}  // namespace nightlatch
