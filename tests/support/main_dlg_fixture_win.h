// A main dialog over a program of the test's own in a throw-away data
// folder, a clock the test sets, and recorded actions and sounds: the
// fixture of the tests that drive it.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "platform/wide_string_win.h"
#include "prompts/recording_mci.h"
#include "shell/main_dlg_win.h"
#include "shell/program_win.h"
#include "support/dialog_driver_win.h"
#include "support/fake_clock.h"
#include "support/recording_power_requests.h"
#include "support/recording_system_calls.h"
#include "support/temp_folder.h"

namespace nightlatch::testing {

class MainDlgFixture : public ::testing::Test {
 protected:
  void TearDown() override {
    if (dialog_ && dialog_->hwnd())
      dialog_->DestroyWindow();
    PumpMessages();
    dialog_.reset();
  }

  // A setting written before the dialog starts, as in a user's config.ini.
  void Configure(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
    ::WritePrivateProfileStringW(ToWide(section).c_str(), ToWide(key).c_str(),
                                 ToWide(value).c_str(), AsWide(program_.config().path().c_str()));
  }

  void Open(bool show = true) {
    dialog_ = std::make_unique<CMainDlg>(
        program_, MainDlgServices{&clock_, &calls_, &mci_, nullptr, updateSite_, &power_});
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
  RecordingPowerRequests power_;
  TempFolder folder_{u"main dlg"};
  Program program_{folder_.u16()};
  // Empty: no update check (only the update tests give their server).
  std::u16string updateSite_;
  std::unique_ptr<CMainDlg> dialog_;
};

}  // namespace nightlatch::testing
