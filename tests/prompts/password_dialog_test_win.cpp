// The password gate: when it asks, what it accepts, what it tells the user.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "controls/window_text_win.h"
#include "prompts/password_dialog_win.h"
#include "shell/program_win.h"
#include "support/dialog_driver_win.h"
#include "support/pixels_win.h"
#include "support/temp_folder.h"

namespace nightlatch {
namespace {

using testing::ClickButton;
using testing::OnNextDialog;
using testing::PixelCanvas;
using testing::PressKey;
using testing::Rgb;
using testing::TempFolder;

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
    program_.config().Write(setting::kPassword, u"Secret1");
    program_.settings.passwordOn = true;
  }

  TempFolder folder_;
  Program program_{folder_.u16()};
};

TEST_F(PasswordCheckTest, PassesWithoutAskingWhenProtectionIsOffOrAlreadyUnlocked) {
  struct Case {
    const char* name;
    bool passwordOn;
    bool unlocked;
  };
  for (const Case& c : {Case{"protection off", false, false}, Case{"off and unlocked", false, true},
                        Case{"unlocked", true, true}}) {
    program_.settings.passwordOn = c.passwordOn;
    program_.unlocked = c.unlocked;
    OnNextDialog driver([](HWND dialog) { ClickButton(dialog, IDCANCEL); });
    EXPECT_TRUE(PasswordCheck(program_)) << c.name;
    EXPECT_FALSE(driver.ran()) << c.name << ": no dialog expected";
  }
}

TEST_F(PasswordCheckTest, RightPasswordPassesAndUnlocks) {
  std::vector<Attempt> attempts;
  OnNextDialog driver([&](HWND dialog) { attempts.push_back(TypeAndConfirm(dialog, L"Secret1")); });
  EXPECT_TRUE(PasswordCheck(program_));
  ASSERT_TRUE(driver.ran());
  ASSERT_EQ(attempts.size(), 1u);
  EXPECT_FALSE(attempts[0].stillOpen);
  EXPECT_TRUE(program_.unlocked);

  OnNextDialog again([](HWND dialog) { ClickButton(dialog, IDCANCEL); });
  EXPECT_TRUE(PasswordCheck(program_)) << "unlocked: the next check passes";
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
    program_.unlocked = false;
    Attempt attempt{};
    OnNextDialog driver([&](HWND dialog) {
      attempt = TypeAndConfirm(dialog, c.typed);
      ClickButton(dialog, IDCANCEL);
    });
    EXPECT_FALSE(PasswordCheck(program_));
    ASSERT_TRUE(driver.ran());
    EXPECT_TRUE(attempt.stillOpen);
    EXPECT_TRUE(attempt.tipShown);
    EXPECT_EQ(attempt.tip, c.tip);
    EXPECT_FALSE(program_.unlocked);
  }
}

TEST_F(PasswordCheckTest, TheFieldTakesWhatTheSettingsFileGivesBack) {
  LRESULT limit = 0;
  OnNextDialog driver([&](HWND dialog) {
    limit = ::SendDlgItemMessageW(dialog, IDC_PASSWORD_EDIT, EM_GETLIMITTEXT, 0, 0);
    ClickButton(dialog, IDCANCEL);
  });
  EXPECT_FALSE(PasswordCheck(program_));
  EXPECT_EQ(limit, 258);
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
    EXPECT_FALSE(PasswordCheck(program_)) << c.name;
    EXPECT_TRUE(driver.ran()) << c.name;
    EXPECT_FALSE(program_.unlocked) << c.name;
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
  EXPECT_TRUE(PasswordCheck(program_));
  EXPECT_TRUE(first.stillOpen);
  EXPECT_TRUE(program_.unlocked);
}

TEST_F(PasswordCheckTest, ReadsTheStoredPasswordAtEachTry) {
  Attempt before{};
  OnNextDialog driver([&](HWND dialog) {
    before = TypeAndConfirm(dialog, L"Changed2");
    program_.config().Write(setting::kPassword, u"Changed2");
    TypeAndConfirm(dialog, L"Changed2");
  });
  EXPECT_TRUE(PasswordCheck(program_));
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
  EXPECT_FALSE(PasswordCheck(program_));
  EXPECT_TRUE(hiddenByTimer);
  EXPECT_EQ(textColor, Rgb(RGB(255, 0, 0)));
  EXPECT_EQ(brushColor, Rgb(RGB(240, 255, 255)));
  EXPECT_EQ(std::wstring(title.lfFaceName), L"宋体");
  EXPECT_EQ(title.lfHeight, 14);
  EXPECT_EQ(title.lfWeight, FW_BOLD);
}

TEST_F(PasswordCheckTest, DialogWithoutUnlockPassesButLeavesTheGateClosed) {
  OnNextDialog driver([](HWND dialog) { TypeAndConfirm(dialog, L"Secret1"); });
  CPasswordDlg dialog(program_, false);
  EXPECT_EQ(dialog.RunModal(nullptr), IDOK);
  EXPECT_TRUE(dialog.passed());
  EXPECT_FALSE(program_.unlocked);
}

TEST_F(PasswordCheckTest, EmptyStoredPasswordRefusesEveryEntry) {
  program_.config().Write(setting::kPassword, u"");
  Attempt empty{};
  Attempt any{};
  OnNextDialog driver([&](HWND dialog) {
    empty = TypeAndConfirm(dialog, L"");
    any = TypeAndConfirm(dialog, L"x");
    ClickButton(dialog, IDCANCEL);
  });
  EXPECT_FALSE(PasswordCheck(program_));
  EXPECT_EQ(empty.tip, L"请输入密码!");
  EXPECT_EQ(any.tip, L"密码错误，请重新输入!");
}

}  // namespace
}  // namespace nightlatch
