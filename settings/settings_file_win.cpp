#include "settings/settings_file_win.h"

#include <windows.h>

#include "engine/text_format.h"
#include "platform/wide_string_win.h"
#include "settings/password_value.h"

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

namespace {

// A new settings file is made UTF-16 (a byte-order mark first): the INI
// routines then keep every text as written, where the ANSI code page would
// turn a Chinese folder name into question marks.
void MakeUnicodeIfNew(const std::u16string& file) {
  const HANDLE created = ::CreateFileW(AsWide(file.c_str()), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
  if (created == INVALID_HANDLE_VALUE)
    return;  // there already, or not to be made: the INI routines decide
  const unsigned char bom[] = {0xFF, 0xFE};
  DWORD written = 0;
  ::WriteFile(created, bom, sizeof bom, &written, nullptr);
  ::CloseHandle(created);
}

}  // namespace

bool WriteSettingInt(const char16_t* section,
                     const char16_t* key,
                     int32_t value,
                     const std::u16string& file) {
  if (!section)
    return false;
  const std::u16string text = FormatText(u"%d", {value});
  MakeUnicodeIfNew(file);
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
  MakeUnicodeIfNew(file);
  return ::WritePrivateProfileStringW(section.c_str(), key.c_str(), text.c_str(),
                                      AsWide(file.c_str())) != FALSE;
}

bool StorePassword(const SettingsFile& config, std::u16string_view password) {
  config.Write(setting::kPassword, StoredPasswordValue(password));
  return config.Read(setting::kPassword) == password;
}

}  // namespace nightlatch
