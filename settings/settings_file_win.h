// config.ini (or another INI file of the program) through the platform's
// INI routines, one key per call.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "settings/setting_keys.h"

namespace nightlatch {

int32_t ReadSetting(const IntSetting& setting, const std::u16string& file);
// At most 259 characters, as the 260-character buffer allows.
std::u16string ReadSetting(const TextSetting& setting, const std::u16string& file);

// "%ld" of the value; a null section writes nothing and returns false.
bool WriteSettingInt(const char16_t* section,
                     const char16_t* key,
                     int32_t value,
                     const std::u16string& file);
bool WriteSetting(const IntSetting& setting, int32_t value, const std::u16string& file);
bool WriteSetting(const TextSetting& setting,
                  std::u16string_view value,
                  const std::u16string& file);

class SettingsFile;

// Writes `password` to `Pwd` so that it reads back as typed, and reads it
// back: false when config.ini does not give exactly `password` again (too
// long, a unit the file cannot keep, a write that failed).
bool StorePassword(const SettingsFile& config, std::u16string_view password);

// One INI file by its full path: a bare name would resolve to the Windows
// folder.
class SettingsFile {
 public:
  explicit SettingsFile(std::u16string path) : path_(std::move(path)) {}

  const std::u16string& path() const { return path_; }

  int32_t Read(const IntSetting& setting) const { return ReadSetting(setting, path_); }
  std::u16string Read(const TextSetting& setting) const { return ReadSetting(setting, path_); }
  bool Write(const IntSetting& setting, int32_t value) const {
    return WriteSetting(setting, value, path_);
  }
  bool Write(const TextSetting& setting, std::u16string_view value) const {
    return WriteSetting(setting, value, path_);
  }

 private:
  std::u16string path_;
};

}  // namespace nightlatch
