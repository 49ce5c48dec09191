#include "settings/settings_file_win.h"

#include <windows.h>

#include "engine/text_format.h"
#include "platform/wide_string_win.h"

namespace nightlatch {
int32_t ReadSetting(const IntSetting& setting, const std::u16string& file) {
  const std::wstring section = ToWide(setting.section);
  const std::wstring key = ToWide(setting.key);
  return static_cast<int32_t>(::GetPrivateProfileIntW(section.c_str(), key.c_str(),
                                                      setting.defaultValue, AsWide(file.c_str())));
}

std::u16string ReadSetting(const TextSetting& setting, const std::u16string& file) {
  const std::wstring section = ToWide(setting.section);
  const std::wstring key = ToWide(setting.key);
  const std::wstring fallback = ToWide(setting.defaultValue);
  wchar_t value[260] = {};
  ::GetPrivateProfileStringW(section.c_str(), key.c_str(), fallback.c_str(), value,
                             static_cast<DWORD>(std::size(value)), AsWide(file.c_str()));
  return FromWide(value);
}

bool WriteSettingInt(const char16_t* section,
                     const char16_t* key,
                     int32_t value,
                     const std::u16string& file) {
  if (!section)
    return false;
  const std::u16string text = FormatText(u"%d", {value});
  return ::WritePrivateProfileStringW(AsWide(section), AsWide(key), AsWide(text.c_str()),
                                      AsWide(file.c_str())) != FALSE;
}

bool WriteSetting(const IntSetting& setting, int32_t value, const std::u16string& file) {
  const std::u16string section(setting.section);
  const std::u16string key(setting.key);
  return WriteSettingInt(section.c_str(), key.c_str(), value, file);
}

bool WriteSetting(const TextSetting& setting,
                  std::u16string_view value,
                  const std::u16string& file) {
  const std::wstring section = ToWide(setting.section);
  const std::wstring key = ToWide(setting.key);
  const std::wstring text = ToWide(value);
  return ::WritePrivateProfileStringW(section.c_str(), key.c_str(), text.c_str(),
                                      AsWide(file.c_str())) != FALSE;
}

}  // namespace nightlatch
