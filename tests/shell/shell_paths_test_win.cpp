// The per-user paths, the autostart entry and the settings file's defaults.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <fstream>
#include <string>

#include "platform/registry_win.h"
#include "platform/wide_string_win.h"
#include "settings/runtime_settings.h"
#include "settings/settings_file_win.h"
#include "shell/paths_win.h"
#include "shell/program_win.h"
#include "support/printable_text.h"
#include "support/temp_folder.h"

namespace nightlatch {
namespace {

using testing::Text;

std::u16string AppDataFolder() {
  wchar_t folder[MAX_PATH] = {};
  ::SHGetSpecialFolderPathW(nullptr, folder, CSIDL_APPDATA, FALSE);
  return FromWide(folder);
}

std::u16string RunValue() {
  ScopedRegKey key;
  if (!key.Open(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                KEY_QUERY_VALUE))
    return u"<no key>";
  wchar_t value[600] = {};
  DWORD size = sizeof value;
  if (::RegQueryValueExW(key.get(), L"Nightlatch", nullptr, nullptr, reinterpret_cast<BYTE*>(value),
                         &size) != ERROR_SUCCESS)
    return u"<no value>";
  return FromWide(value);
}

TEST(PathsTest, AppDataPathJoinsFolderAndFileAndMakesTheFolder) {
  const std::u16string base = AppDataFolder();
  const std::u16string folder = u"NightlatchPathTest";
  ::RemoveDirectoryW(AsWide((base + u"\\" + folder).c_str()));

  EXPECT_EQ(Text(AppDataPath(folder, u"config.ini")),
            Text(base + u"\\" + folder + u"\\config.ini"));
  EXPECT_TRUE(::GetFileAttributesW(AsWide((base + u"\\" + folder).c_str())) &
              FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(Text(AppDataPath(u"", u"x.ini")), Text(base + u"\\x.ini"));
  EXPECT_EQ(Text(AppDataPath(folder, u"")), Text(base + u"\\" + folder));
  ::RemoveDirectoryW(AsWide((base + u"\\" + folder).c_str()));
}

TEST(PathsTest, ModulePathIsBesideTheRunningProgram) {
  const std::u16string exe = ExecutablePath();
  const std::u16string expected = exe.substr(0, exe.find_last_of(u'\\') + 1) + u"Chimebox.exe";
  EXPECT_EQ(Text(ModulePath(u"Chimebox.exe")), Text(expected));
}

// The box tells the truth: a value left by a copy elsewhere, or an entry
// switched off in the Task Manager, is not this program's autostart; setting
// it writes this program and clears the mark.
TEST(AutostartTest, OnlyAnEnabledEntryNamingThisProgramCounts) {
  const wchar_t* approvedPath =
      L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
  ScopedRegKey run;
  ASSERT_TRUE(run.Open(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                       KEY_SET_VALUE));
  const std::wstring elsewhere = L"\"C:\\Old Place\\Nightlatch.exe\" /min";
  ASSERT_EQ(::RegSetValueExW(run.get(), L"Nightlatch", 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(elsewhere.c_str()),
                             static_cast<DWORD>((elsewhere.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
  EXPECT_FALSE(IsAutostartSet()) << "a moved copy's value starts nothing";

  ASSERT_TRUE(SetAutostart(true));
  HKEY created = nullptr;
  ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, approvedPath, 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &created, nullptr),
            ERROR_SUCCESS);
  ScopedRegKey approved(created);
  const BYTE disabled[12] = {0x03};
  ASSERT_EQ(::RegSetValueExW(approved.get(), L"Nightlatch", 0, REG_BINARY, disabled, 12),
            ERROR_SUCCESS);
  EXPECT_FALSE(IsAutostartSet()) << "switched off in the Task Manager";

  ASSERT_TRUE(SetAutostart(true));
  EXPECT_TRUE(IsAutostartSet()) << "setting it clears the mark";
  EXPECT_NE(::RegQueryValueExW(approved.get(), L"Nightlatch", nullptr, nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
  ASSERT_TRUE(SetAutostart(false));
}

TEST(AutostartTest, RunEntryQuotesThePathAndIsRemovedAgain) {
  ASSERT_TRUE(SetAutostart(true));
  EXPECT_TRUE(IsAutostartSet());
  EXPECT_EQ(Text(RunValue()), Text(u"\"" + ExecutablePath() + u"\" /min"));

  ASSERT_TRUE(SetAutostart(false));
  EXPECT_FALSE(IsAutostartSet());
  EXPECT_EQ(Text(RunValue()), Text(u"<no value>"));
}

TEST(SettingsFileTest, EveryKeyHasItsDefaultWithoutAFile) {
  const testing::TempFolder folder;
  const SettingsFile config(folder.u16() + u"\\config.ini");
  const struct {
    IntSetting setting;
    int32_t expected;
  } integers[] = {
      {setting::kPasswordOn, 0},
      {setting::kPromptBottomRight, 0},
      {setting::kSoundOn, 1},
      {setting::kKnownVersion, 0},
      {setting::kCheckDate, 0},
      {setting::kLastPass, 0},
      {setting::kWakeForTasks, 0},
      {setting::kSpeakByHour, 0},
      {setting::kSpeakByHalf, 0},
      {setting::kSpeakNotify, 0},
      {setting::kHotkeyKey, 120},
      {setting::kHotkeyModifiers, 2},
      {setting::kClockShown, 1},
      {setting::kClockTopMost, 1},
      {setting::kClockFixed, 0},
      {setting::kClockOpacity, 8},
      {setting::kClockZoom, 10},
      {setting::kClockBackground, 14062095},
      {setting::kClockTextColor, 16777215},
      {setting::kClockMode, 0},
      {setting::kClockTop, 55},
      {setting::kDayItemMode, -1},
      {setting::kDayItemFrequency, 0},
      {setting::kDayItemHour, 0},
  };
  for (const auto& c : integers) {
    SCOPED_TRACE(testing::ToUtf8(c.setting.key));
    EXPECT_EQ(config.Read(c.setting), c.expected);
  }
  EXPECT_EQ(Text(config.Read(setting::kPassword)), Text(u""));
  EXPECT_EQ(Text(config.Read(setting::kSoundFile)), Text(u""));
  EXPECT_EQ(Text(config.Read(setting::kSpeakHours)), Text(u"000000000000000000000000"));

  Program program(folder.u16());
  program.settings = RuntimeSettings{true, true, true, true, true, u"1", true};
  program.LoadSettings();
  EXPECT_FALSE(program.settings.passwordOn);
  EXPECT_FALSE(program.settings.wakeForTasks);
  EXPECT_FALSE(program.settings.promptBottomRight);
  EXPECT_FALSE(program.settings.speakByHour);
  EXPECT_FALSE(program.settings.speakByHalf);
  EXPECT_FALSE(program.settings.speakNotify);
  EXPECT_EQ(Text(program.settings.speakHours), Text(u"000000000000000000000000"));
}

// A settings file the program makes is UTF-16, so Chinese texts (a sound in
// a Chinese folder) come back as written instead of as question marks.
TEST(SettingsFileTest, ANewFileKeepsChineseTexts) {
  const testing::TempFolder folder;
  const SettingsFile config(folder.u16() + u"\\config.ini");
  ASSERT_TRUE(config.Write(setting::kSoundFile, u"D:\\音乐\\早安 铃声.mp3"));
  EXPECT_EQ(Text(config.Read(setting::kSoundFile)), Text(u"D:\\音乐\\早安 铃声.mp3"));
  EXPECT_TRUE(config.Write(setting::kPasswordOn, 1));
  EXPECT_EQ(config.Read(setting::kPasswordOn), 1);
  std::ifstream file(folder / "config.ini", std::ios::binary);
  char bom[2] = {};
  file.read(bom, 2);
  EXPECT_EQ(static_cast<unsigned char>(bom[0]), 0xFF);
  EXPECT_EQ(static_cast<unsigned char>(bom[1]), 0xFE);
}

TEST(SettingsFileTest, IntegersAreWrittenAsDecimalTextOneKeyAtATime) {
  const testing::TempFolder folder;
  const SettingsFile config(folder.u16() + u"\\config.ini");
  EXPECT_TRUE(WriteSettingInt(u"Clock", u"nLostPosLeft", -275, config.path()));
  EXPECT_TRUE(config.Write(setting::kClockBackground, 14062095));
  EXPECT_FALSE(WriteSettingInt(nullptr, u"PwdFlag", 1, config.path()))
      << "no section, nothing written";
  wchar_t text[64] = {};
  ::GetPrivateProfileStringW(L"Clock", L"nLostPosLeft", L"", text, 64,
                             AsWide(config.path().c_str()));
  EXPECT_EQ(Text(FromWide(text)), Text(u"-275"));
  EXPECT_EQ(config.Read(setting::kClockBackground), 14062095);
  EXPECT_TRUE(config.Write(setting::kPassword, u"Ab c"));
  EXPECT_EQ(Text(config.Read(setting::kPassword)), Text(u"Ab c"));
}

}  // namespace
}  // namespace nightlatch
