// The notification-area icon of the main dialog: added at start, back after
// the taskbar restarts, the way back to the hidden window; and the speak
// hotkey, fired by real keyboard input.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "platform/wide_string_win.h"
#include "shell/main_dlg_win.h"
#include "support/dialog_driver_win.h"
#include "support/fake_clock.h"
#include "support/main_dlg_fixture_win.h"
#include "support/printable_text.h"
#include "support/recording_system_calls.h"

namespace nightlatch {
namespace {

using testing::Text;

class TrayIconTest : public testing::MainDlgFixture {
 protected:
  void SetUp() override {
    MainDlgFixture::SetUp();
    Open(/*show=*/false);
  }

  LRESULT IconEvent(WPARAM iconId, UINT mouseMessage) {
    return ::SendMessageW(dialog_->hwnd(), WM_TRAY_CALLBACK, iconId, mouseMessage);
  }

  // The hotkey entered on the time-announcement page of the real dialog.
  void EnterHotkey(BYTE key, BYTE modifiers) {
    ::SendMessageW(dialog_->hwnd(), WM_FINISH_START, 0, 0);
    HWND page = dialog_->pages().settings().page(CPageTimeSpeakDlg::kPageIndex);
    HWND hotkey = ::GetDlgItem(page, IDC_PAGE_SPEAK_HOTKEY);
    ::SendMessageW(hotkey, HKM_SETHOTKEY, MAKEWORD(key, modifiers), 0);
    ::SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_PAGE_SPEAK_HOTKEY, EN_CHANGE),
                   reinterpret_cast<LPARAM>(hotkey));
  }

  // What an announcement showed: Chimebox is not beside the test program,
  // so its start fails visibly.
  std::u16string Announced() const {
    CMessageDlg* notice = dialog_->noticeWindow().window();
    if (!notice)
      return u"<nothing>";
    wchar_t text[64] = {};
    ::GetDlgItemTextW(notice->hwnd(), IDC_MESSAGE_TEXT, text, 64);
    return FromWide(text);
  }
};

TEST_F(TrayIconTest, IconCarriesTheTitleAndReturnsAfterTheTaskbarRestarts) {
  EXPECT_TRUE(dialog_->trayIconAdded()) << "Wine's explorer hosts the icon";
  EXPECT_EQ(dialog_->trayData().uID, kTrayIconId);
  EXPECT_EQ(dialog_->trayData().uCallbackMessage, WM_TRAY_CALLBACK);
  EXPECT_EQ(Text(FromWide(dialog_->trayData().szTip)), Text(u"Orvane定时关机助手"));
  EXPECT_EQ(Text(FromWide(dialog_->trayData().szInfoTitle)), Text(u"Orvane定时关机助手"));
  // The small picture at the DPI's small-icon size, not the large one.
  ICONINFO icon{};
  ASSERT_TRUE(::GetIconInfo(dialog_->trayData().hIcon, &icon));
  BITMAP picture{};
  ::GetObjectW(icon.hbmColor ? icon.hbmColor : icon.hbmMask, sizeof picture, &picture);
  EXPECT_EQ(picture.bmWidth, ::GetSystemMetrics(SM_CXSMICON));
  ::DeleteObject(icon.hbmColor);
  ::DeleteObject(icon.hbmMask);

  ::SendMessageW(dialog_->hwnd(), WM_TIMER, CMainDlg::kTickTimer, 0);
  ASSERT_NE(Text(FromWide(dialog_->trayData().szTip)), Text(u"Orvane定时关机助手"));

  ::SendMessageW(dialog_->hwnd(), ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(dialog_->trayIconAdded());
  EXPECT_EQ(Text(FromWide(dialog_->trayData().szTip)), Text(u"Orvane定时关机助手"))
      << "the tooltip starts afresh; the next tick restores it";
}

// At logon the notification area may not be ready, and its TaskbarCreated
// may have gone by already: the icon is tried again each second.
int failedAdds = 0;
BOOL WINAPI NotReadyTwice(DWORD message, PNOTIFYICONDATAW data) {
  if (message == NIM_ADD && failedAdds < 2) {
    ++failedAdds;
    return FALSE;
  }
  return ::Shell_NotifyIconW(message, data);
}

TEST(TrayIconRetryTest, AFailedAddIsTriedAgainOnTheTick) {
  failedAdds = 0;
  testing::TempFolder folder;
  Program program(folder.u16());
  testing::FakeClock clock;
  testing::RecordingSystemCalls calls;
  CMainDlg dialog(program, MainDlgServices{&clock, &calls, nullptr, NotReadyTwice});
  ASSERT_TRUE(dialog.CreateModeless(nullptr));
  testing::PumpMessages();
  EXPECT_FALSE(dialog.trayIconAdded());
  for (int tick = 0; tick < 3 && !dialog.trayIconAdded(); ++tick) {
    ++clock.now;
    ::SendMessageW(dialog.hwnd(), WM_TIMER, CMainDlg::kTickTimer, 0);
  }
  EXPECT_TRUE(dialog.trayIconAdded());
  EXPECT_EQ(failedAdds, 2);
  dialog.DestroyWindow();
  testing::PumpMessages();
}

TEST_F(TrayIconTest, HidingShowsTheBalloonAndALeftClickBringsTheWindowBack) {
  ::ShowWindow(dialog_->hwnd(), SW_SHOW);
  ::SendMessageW(dialog_->hwnd(), WM_COMMAND, IDC_HIDE, 0);
  ASSERT_FALSE(::IsWindowVisible(dialog_->hwnd()));
  EXPECT_EQ(Text(FromWide(dialog_->trayData().szInfo)), Text(u"我隐藏在这里^_^\n想我，就点这里！"));

  IconEvent(kTrayIconId + 1, WM_LBUTTONUP);
  EXPECT_FALSE(::IsWindowVisible(dialog_->hwnd())) << "another icon's events are not ours";
  IconEvent(kTrayIconId, WM_MOUSEMOVE);
  EXPECT_FALSE(::IsWindowVisible(dialog_->hwnd()));
  IconEvent(kTrayIconId, WM_LBUTTONUP);
  EXPECT_TRUE(::IsWindowVisible(dialog_->hwnd()));
  EXPECT_FALSE(::IsIconic(dialog_->hwnd()));
}

void PressWithControl(WORD key) {
  INPUT keys[4] = {};
  const WORD sequence[4][2] = {
      {VK_CONTROL, 0}, {key, 0}, {key, KEYEVENTF_KEYUP}, {VK_CONTROL, KEYEVENTF_KEYUP}};
  for (int i = 0; i < 4; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = sequence[i][0];
    keys[i].ki.dwFlags = sequence[i][1];
  }
  ASSERT_EQ(::SendInput(4, keys, sizeof(INPUT)), 4u);
  testing::PumpMessagesFor(500);
}

// A hotkey set on the time-announcement page speaks at once; the old one
// no longer does.
TEST_F(TrayIconTest, AHotkeySetOnItsPageReplacesTheOldOne) {
  EnterHotkey(VK_F8, HOTKEYF_CONTROL);
  EXPECT_EQ(program_.config().Read(setting::kHotkeyKey), VK_F8);

  PressWithControl(VK_F9);
  EXPECT_EQ(Text(Announced()), Text(u"<nothing>")) << "Ctrl+F9 is no longer ours";
  PressWithControl(VK_F8);
  EXPECT_EQ(Text(Announced()), Text(u"报时失败")) << "no WM_HOTKEY for Ctrl+F8";
}

// A combination another program holds cannot be ours: the old hotkey goes
// on speaking, and the page says so.
TEST_F(TrayIconTest, AHotkeyHeldElsewhereLeavesTheOldOneWorking) {
  HWND other = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                                 nullptr);
  ASSERT_TRUE(::RegisterHotKey(other, 7, MOD_CONTROL | MOD_ALT, VK_F7));
  EnterHotkey(VK_F7, HOTKEYF_CONTROL | HOTKEYF_ALT);
  wchar_t status[128] = {};
  ::GetWindowTextW(dialog_->pages().settings().Item(IDC_SETTINGS_STATUS), status, 128);
  EXPECT_EQ(Text(FromWide(status)), Text(u"设置快捷键失败，该快捷键已被占用，原快捷键不变！"));
  EXPECT_EQ(program_.config().Read(setting::kHotkeyKey), VK_F9);
  EXPECT_EQ(program_.config().Read(setting::kHotkeyModifiers), HOTKEYF_CONTROL);
  ::UnregisterHotKey(other, 7);
  ::DestroyWindow(other);

  PressWithControl(VK_F9);
  EXPECT_EQ(Text(Announced()), Text(u"报时失败")) << "Ctrl+F9 no longer speaks";
}

TEST_F(TrayIconTest, SpeakHotkeyFiresForKeyboardInput) {
  PressWithControl(VK_F9);  // Ctrl+F9 by default
  EXPECT_EQ(Text(Announced()), Text(u"报时失败")) << "no WM_HOTKEY arrived";
}

}  // namespace
}  // namespace nightlatch
