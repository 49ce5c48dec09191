#include "shell/paths_win.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "engine/text_format.h"
#include "platform/registry_win.h"
#include "platform/wide_string_win.h"
#include "shell/autostart_rules.h"
#include "shell/data_paths.h"

namespace nightlatch {
namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kAutostartValue[] = L"Nightlatch";
constexpr wchar_t kStartupApprovedKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

}  // namespace

std::u16string AppDataPath(std::u16string_view folder, std::u16string_view file) {
  wchar_t appData[MAX_PATH] = {};
  if (!::SHGetSpecialFolderPathW(nullptr, appData, CSIDL_APPDATA, FALSE))
    appData[0] = L'\0';
  const std::u16string directory = JoinDataPath(FromWide(appData), folder, u"");
  if (!directory.empty() && !folder.empty() && !::PathIsDirectoryW(AsWide(directory.c_str())))
    ::SHCreateDirectoryExW(nullptr, AsWide(directory.c_str()), nullptr);
  return JoinDataPath(FromWide(appData), folder, file);
}

std::u16string ExecutablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return FromWide(path);
    }
    path.resize(path.size() * 2);  // a long path: try a bigger buffer
  }
}

std::u16string ModulePath(std::u16string_view name) {
  std::u16string path = ExecutablePath();
  path.resize(path.find_last_of(u'\\') + 1);
  return path.append(name);
}

bool SetAutostart(bool on) {
  ScopedRegKey key;
  if (!key.Open(HKEY_CURRENT_USER, kRunKey, KEY_WRITE))
    return false;
  if (!on)
    return ::RegDeleteValueW(key.get(), kAutostartValue) == ERROR_SUCCESS;
  const std::u16string data = AutostartCommand(ExecutablePath());
  if (::RegSetValueExW(key.get(), kAutostartValue, 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>((data.size() + 1) * sizeof(char16_t))) != ERROR_SUCCESS)
    return false;
  // An entry switched off in the Task Manager stays off until its mark goes.
  ScopedRegKey approved;
  if (approved.Open(HKEY_CURRENT_USER, kStartupApprovedKey, KEY_SET_VALUE)) {
    const LSTATUS removed = ::RegDeleteValueW(approved.get(), kAutostartValue);
    return removed == ERROR_SUCCESS || removed == ERROR_FILE_NOT_FOUND;
  }
  return true;
}

bool IsAutostartSet() {
  ScopedRegKey key;
  if (!key.Open(HKEY_CURRENT_USER, kRunKey, KEY_QUERY_VALUE))
    return false;
  wchar_t value[600] = {};
  DWORD size = sizeof value - sizeof(wchar_t);
  DWORD type = 0;
  // A value longer than the buffer counts as not set.
  if (::RegQueryValueExW(key.get(), kAutostartValue, nullptr, &type, reinterpret_cast<BYTE*>(value),
                         &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ) ||
      !AutostartNamesProgram(FromWide(value), ExecutablePath()))
    return false;
  ScopedRegKey approved;
  if (!approved.Open(HKEY_CURRENT_USER, kStartupApprovedKey, KEY_QUERY_VALUE))
    return true;
  uint8_t mark[64] = {};
  DWORD markSize = sizeof mark;
  if (::RegQueryValueExW(approved.get(), kAutostartValue, nullptr, nullptr, mark, &markSize) !=
      ERROR_SUCCESS)
    return true;
  return !StartupApprovedDisables(std::span<const uint8_t>(mark, markSize));
}

}  // namespace nightlatch
