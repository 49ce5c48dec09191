// config.ini through the platform's INI routines, one key per call.
#pragma once

#include <string>

#include "settings/setting_keys.h"

namespace nightlatch {

// The process-wide path of config.ini: the bare name until the main dialog
// sets the full path in the data folder, before any setting is read.
const std::u16string& ConfigPath();
void SetConfigPath(std::u16string path);

int32_t ReadSetting(const IntSetting& setting, const std::u16string& file = ConfigPath());
// At most 259 characters, as the 260-character buffer allows.
std::u16string ReadSetting(const TextSetting& setting, const std::u16string& file = ConfigPath());

// "%ld" of the value; a null section writes nothing and returns false.
bool WriteSettingInt(const char16_t* section,
                     const char16_t* key,
                     int32_t value,
                     const std::u16string& file = ConfigPath());
bool WriteSetting(const IntSetting& setting,
                  int32_t value,
                  const std::u16string& file = ConfigPath());
bool WriteSetting(const TextSetting& setting,
                  std::u16string_view value,
                  const std::u16string& file = ConfigPath());

}  // namespace nightlatch
