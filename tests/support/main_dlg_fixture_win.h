// A main dialog over a throw-away data folder, a clock the test sets, and
// recorded actions and sounds: the fixture of the tests that drive it.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "platform/wide_string_win.h"
#include "prompts/recording_mci.h"
#include "settings/runtime_settings.h"
#include "settings/settings_file_win.h"
#include "shell/main_dlg_win.h"
#include "support/dialog_driver_win.h"
#include "support/fake_clock.h"
#include "support/recording_system_calls.h"

namespace nightlatch::testing {

class MainDlgFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    previousConfig_ = ConfigPath();
    Settings() = RuntimeSettings{};
    Unlocked() = false;
    folder_ = std::filesystem::temp_directory_path() /
              ("main-dlg-" + std::to_string(::GetCurrentProcessId()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }

  void TearDown() override {
    if (dialog_ && dialog_->hwnd())
      dialog_->DestroyWindow();
    PumpMessages();
    dialog_.reset();
    SetConfigPath(previousConfig_);
    Settings() = RuntimeSettings{};
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  // A setting written before the dialog starts, as in a user's config.ini.
  void Configure(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
    const std::u16string file = (folder_ / "config.ini").u16string();
    ::WritePrivateProfileStringW(ToWide(section).c_str(), ToWide(key).c_str(),
                                 ToWide(value).c_str(), AsWide(file.c_str()));
  }

  void Open(bool show = true) {
    dialog_ =
        std::make_unique<CMainDlg>(MainDlgServices{&clock_, &calls_, folder_.u16string(), &mci_});
    ASSERT_TRUE(dialog_->CreateModeless(nullptr));
    if (show)
      ::ShowWindow(dialog_->hwnd(), SW_SHOWNORMAL);
    PumpMessages();  // the tray icon comes after the window
  }

  // One tick, then the run requests it posted.
  void Tick() {
    ::SendMessageW(dialog_->hwnd(), WM_TIMER, CMainDlg::kTickTimer, 0);
    PumpMessages();
  }

  FakeClock clock_;
  RecordingSystemCalls calls_;
  RecordingMci mci_;
  std::filesystem::path folder_;
  std::u16string previousConfig_;
  std::unique_ptr<CMainDlg> dialog_;
};

}  // namespace nightlatch::testing
