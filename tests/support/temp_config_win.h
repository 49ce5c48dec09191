// A config.ini of the test's own: a fresh file in the temporary folder made
// the process-wide settings path for the test's lifetime, then removed, so no
// test sees another's settings.
#pragma once

#include <string>

#include <windows.h>

#include "platform/wide_string_win.h"
#include "settings/settings_file_win.h"

namespace nightlatch::testing {

class TempConfig {
 public:
  TempConfig() : previous_(ConfigPath()) {
    wchar_t folder[MAX_PATH] = {};
    wchar_t file[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    ::GetTempFileNameW(folder, L"cfg", 0, file);
    path_ = FromWide(file);
    SetConfigPath(path_);
  }
  ~TempConfig() {
    SetConfigPath(previous_);
    ::DeleteFileW(AsWide(path_.c_str()));
  }
  TempConfig(const TempConfig&) = delete;
  TempConfig& operator=(const TempConfig&) = delete;

  const std::u16string& path() const { return path_; }

 private:
  std::u16string previous_;
  std::u16string path_;
};

}  // namespace nightlatch::testing
