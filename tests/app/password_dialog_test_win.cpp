// The password gate: when it asks, what it accepts, what it tells the user.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "controls/window_text_win.h"
#include "prompts/password_dialog_win.h"
#include "settings/runtime_settings.h"
#include "settings/settings_file_win.h"
#include "support/dialog_driver_win.h"
#include "support/pixels_win.h"
#include "support/temp_config_win.h"

namespace nightlatch {
namespace {

using testing::ClickButton;
using testing::OnNextDialog;
using testing::PixelCanvas;
using testing::PressKey;
using testing::Rgb;
using testing::TempConfig;

// What the dialog showed after one press of 确定.
struct Attempt {
  bool stillOpen;
  bool tipShown;
  std::wstring tip;
};

Attempt TypeAndConfirm(HWND dialog, const wchar_t* password) {
  ::SetDlgItemTextW(dialog, IDC_PASSWORD_EDIT, password);
  ClickButton(dialog, IDOK);
  if (!::IsWindow(dialog) || !::IsWindowEnabled(dialog) || !::IsWindowVisible(dialog))
    return {false, false, L""};
  HWND tip = ::GetDlgItem(dialog, IDC_PASSWORD_TIP);
  return {true, ::IsWindowVisible(tip) != FALSE, WindowText(tip)};
}

class PasswordCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteSetting(setting::kPassword, u"Secret1");
    Settings().passwordOn = true;
    Unlocked() = false;
  }
  void TearDown() override {
    Settings().passwordOn = false;
    Unlocked() = false;
  }

  TempConfig config_;
};

TEST_F(PasswordCheckTest, PassesWithoutAskingWhenProtectionIsOffOrAlreadyUnlocked) {
  struct Case {
    const char* name;
    bool passwordOn;
    bool unlocked;
  };
  for (const Case& c : {Case{"protection off", false, false}, Case{"off and unlocked", false, true},
                        Case{"unlocked", true, true}}) {
    Settings().passwordOn = c.passwordOn;
    Unlocked() = c.unlocked;
    OnNextDialog driver([](HWND dialog) { ClickButton(dialog, IDCANCEL); });
    EXPECT_TRUE(PasswordCheck()) << c.name;
    EXPECT_FALSE(driver.ran()) << c.name << ": no dialog expected";
  }
}

TEST_F(PasswordCheckTest, RightPasswordPassesAndUnlocks) {
  std::vector<Attempt> attempts;
  OnNextDialog driver([&](HWND dialog) { attempts.push_back(TypeAndConfirm(dialog, L"Secret1")); });
  EXPECT_TRUE(PasswordCheck());
  ASSERT_TRUE(driver.ran());
  ASSERT_EQ(attempts.size(), 1u);
  EXPECT_FALSE(attempts[0].stillOpen);
  EXPECT_TRUE(Unlocked());

  OnNextDialog again([](HWND dialog) { ClickButton(dialog, IDCANCEL); });
  EXPECT_TRUE(PasswordCheck()) << "unlocked: the next check passes";
  EXPECT_FALSE(again.ran());
}

TEST_F(PasswordCheckTest, RefusedEntriesShowTheirTipAndKeepTheDialogOpen) {
  struct Case {
    const char* name;
    const wchar_t* typed;
    const wchar_t* tip;
  };
  const Case cases[] = {
      {"empty", L"", L"请输入密码!"},
      {"wrong", L"nothing", L"密码错误，请重新输入!"},
      {"letter case differs", L"secret1", L"密码错误，请重新输入!"},
      {"trailing space", L"Secret1 ", L"密码错误，请重新输入!"},
      {"prefix", L"Secret", L"密码错误，请重新输入!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Unlocked() = false;
    Attempt attempt{};
    OnNextDialog driver([&](HWND dialog) {
      attempt = TypeAndConfirm(dialog, c.typed);
      ClickButton(dialog, IDCANCEL);
    });
    EXPECT_FALSE(PasswordCheck());
    ASSERT_TRUE(driver.ran());
    EXPECT_TRUE(attempt.stillOpen);
    EXPECT_TRUE(attempt.tipShown);
    EXPECT_EQ(attempt.tip, c.tip);
    EXPECT_FALSE(Unlocked());
  }
}

TEST_F(PasswordCheckTest, ClosingWithoutTheRightPasswordFails) {
  struct Case {
    const char* name;
    void (*close)(HWND dialog);
  };
  const Case cases[] = {
      {"取消", [](HWND dialog) { ClickButton(dialog, IDCANCEL); }},
      {"Escape", [](HWND dialog) { PressKey(dialog, VK_ESCAPE); }},
  };
  for (const Case& c : cases) {
    OnNextDialog driver(c.close);
    EXPECT_FALSE(PasswordCheck()) << c.name;
    EXPECT_TRUE(driver.ran()) << c.name;
    EXPECT_FALSE(Unlocked()) << c.name;
  }
}

TEST_F(PasswordCheckTest, EnterConfirmsAndAWrongTryCanBeFollowedByTheRightOne) {
  Attempt first{};
  OnNextDialog driver([&](HWND dialog) {
    first = TypeAndConfirm(dialog, L"wrong");
    ::SetDlgItemTextW(dialog, IDC_PASSWORD_EDIT, L"Secret1");
    ::SetFocus(::GetDlgItem(dialog, IDC_PASSWORD_EDIT));
    PressKey(dialog, VK_RETURN);
  });
  EXPECT_TRUE(PasswordCheck());
  EXPECT_TRUE(first.stillOpen);
  EXPECT_TRUE(Unlocked());
}

TEST_F(PasswordCheckTest, ReadsTheStoredPasswordAtEachTry) {
  Attempt before{};
  OnNextDialog driver([&](HWND dialog) {
    before = TypeAndConfirm(dialog, L"Changed2");
    WriteSetting(setting::kPassword, u"Changed2");
    TypeAndConfirm(dialog, L"Changed2");
  });
  EXPECT_TRUE(PasswordCheck());
  EXPECT_TRUE(before.stillOpen) << "not yet the password";
}

TEST_F(PasswordCheckTest, TipHidesOnItsTimerAndShowsInRedOnPaleGround) {
  bool hiddenByTimer = false;
  std::string textColor;
  std::string brushColor;
  LOGFONTW title{};
  OnNextDialog driver([&](HWND dialog) {
    TypeAndConfirm(dialog, L"");
    HWND tip = ::GetDlgItem(dialog, IDC_PASSWORD_TIP);
    PixelCanvas canvas(4, 4);
    const auto brush = reinterpret_cast<HBRUSH>(
        ::SendMessageW(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(canvas.dc()),
                       reinterpret_cast<LPARAM>(tip)));
    LOGBRUSH info{};
    ::GetObjectW(brush, sizeof info, &info);
    brushColor = Rgb(info.lbColor);
    textColor = Rgb(::GetTextColor(canvas.dc()));
    const auto font = reinterpret_cast<HFONT>(
        ::SendMessageW(::GetDlgItem(dialog, IDC_PASSWORD_TITLE), WM_GETFONT, 0, 0));
    ::GetObjectW(font, sizeof title, &title);

    ::SendMessageW(dialog, WM_TIMER, CPasswordDlg::kTipTimer, 0);
    hiddenByTimer = !::IsWindowVisible(tip);
    ClickButton(dialog, IDCANCEL);
  });
  EXPECT_FALSE(PasswordCheck());
  EXPECT_TRUE(hiddenByTimer);
  EXPECT_EQ(textColor, Rgb(RGB(255, 0, 0)));
  EXPECT_EQ(brushColor, Rgb(RGB(240, 255, 255)));
  EXPECT_EQ(std::wstring(title.lfFaceName), L"宋体");
  EXPECT_EQ(title.lfHeight, 14);
  EXPECT_EQ(title.lfWeight, FW_BOLD);
}

TEST_F(PasswordCheckTest, DialogWithoutUnlockPassesButLeavesTheGateClosed) {
  OnNextDialog driver([](HWND dialog) { TypeAndConfirm(dialog, L"Secret1"); });
  CPasswordDlg dialog(false);
  EXPECT_EQ(dialog.RunModal(nullptr), IDOK);
  EXPECT_TRUE(dialog.passed());
  EXPECT_FALSE(Unlocked());
}

TEST_F(PasswordCheckTest, EmptyStoredPasswordRefusesEveryEntry) {
  WriteSetting(setting::kPassword, u"");
  Attempt empty{};
  Attempt any{};
  OnNextDialog driver([&](HWND dialog) {
    empty = TypeAndConfirm(dialog, L"");
    any = TypeAndConfirm(dialog, L"x");
    ClickButton(dialog, IDCANCEL);
  });
  EXPECT_FALSE(PasswordCheck());
  EXPECT_EQ(empty.tip, L"请输入密码!");
  EXPECT_EQ(any.tip, L"密码错误，请重新输入!");
}

}  // namespace
}  // namespace nightlatch
