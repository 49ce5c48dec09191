// The desktop clock as the main dialog runs it: created at start, brought
// back from the tray, shown and hidden by the clock page, its power items
// carried out, its place kept at exit.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "resources/nightlatch_ids.h"
#include "resources/nightlatch_messages.h"
#include "support/dialog_driver_win.h"
#include "support/main_dlg_fixture_win.h"
#include "support/printable_text.h"

namespace nightlatch {
namespace {

using testing::ClickButton;
using testing::PumpMessages;

RECT Bounds(HWND window) {
  RECT bounds{};
  ::GetWindowRect(window, &bounds);
  return bounds;
}

class ClockMainDlgTest : public testing::MainDlgFixture {
 protected:
  void Command(UINT id) { ::SendMessageW(dialog_->hwnd(), WM_COMMAND, id, 0); }
  HWND Clock() const {
    CClockWindow* clock = dialog_->clockWindow();
    return clock ? clock->hwnd() : nullptr;
  }
  int Stored(const wchar_t* key) const {
    return static_cast<int>(
        ::GetPrivateProfileIntW(L"Clock", key, -12345, AsWide(program_.config().path().c_str())));
  }
};

TEST_F(ClockMainDlgTest, StartShowsTheClockUnlessItIsSwitchedOff) {
  Open();
  ASSERT_NE(Clock(), nullptr);
  EXPECT_TRUE(::IsWindowVisible(Clock()));
  dialog_->DestroyWindow();

  Configure(u"Clock", u"ClockFlag", u"0");
  Open();
  EXPECT_EQ(Clock(), nullptr);
  // The tray item shows it all the same; the flag stays as it was.
  Command(IDM_TRAY_CLOCK);
  ASSERT_NE(Clock(), nullptr);
  EXPECT_TRUE(::IsWindowVisible(Clock()));
  EXPECT_EQ(Stored(L"ClockFlag"), 0);
}

TEST_F(ClockMainDlgTest, TheTrayItemBringsAClosedClockBackWhereItWas) {
  Open();
  HWND clock = Clock();
  ASSERT_NE(clock, nullptr);
  ::SetWindowPos(clock, nullptr, 123, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::SendMessageW(clock, WM_COMMAND, IDM_CLOCK_CLOSE, 0);
  EXPECT_FALSE(::IsWindowVisible(clock));
  Command(IDM_TRAY_CLOCK);
  EXPECT_EQ(Clock(), clock) << "hiding keeps the window";
  EXPECT_TRUE(::IsWindowVisible(clock));
  EXPECT_EQ(Bounds(clock).left, 123);
  EXPECT_EQ(Bounds(clock).top, 77);

  // Closed from outside (its window destroyed): made again, at its place.
  ::DestroyWindow(clock);
  EXPECT_EQ(Clock(), nullptr);
  Command(IDM_TRAY_CLOCK);
  ASSERT_NE(Clock(), nullptr);
  EXPECT_TRUE(::IsWindowVisible(Clock()));
  EXPECT_EQ(Bounds(Clock()).left, 123);
}

TEST_F(ClockMainDlgTest, ExitWritesWhereTheClockStands) {
  Open();
  ::SetWindowPos(Clock(), nullptr, 345, 210, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  dialog_->Exit();
  PumpMessages();
  EXPECT_EQ(Stored(L"nLostPosLeft"), 345);
  EXPECT_EQ(Stored(L"nLastPostop"), 210);
}

TEST_F(ClockMainDlgTest, TheClocksPowerItemsAreCarriedOutByTheMainDialog) {
  Open();
  for (UINT id : {IDM_TRAY_SHUTDOWN, IDM_TRAY_RESTART, IDM_TRAY_LOCK})
    ::SendMessageW(Clock(), WM_COMMAND, id, 0);
  PumpMessages();
  EXPECT_EQ(calls_.calls(),
            (std::vector<std::string>{
                "EnableShutdownPrivilege()", "EndSession(flags=0x5, reason=0x80020003)",
                "EnableShutdownPrivilege()", "EndSession(flags=0x6, reason=0x80020003)",
                "LockWorkStation()"}));
}

TEST_F(ClockMainDlgTest, ClockSettingsShowHideAndCreateOnlyWhenOn) {
  Configure(u"Clock", u"ClockFlag", u"0");
  Open();
  ::SendMessageW(dialog_->hwnd(), WM_CLOCK_SETTINGS, 0, 0);
  EXPECT_EQ(Clock(), nullptr) << "saving with the clock off creates none";
  ::SendMessageW(dialog_->hwnd(), WM_CLOCK_SETTINGS, 0, 1);
  ASSERT_NE(Clock(), nullptr);
  EXPECT_TRUE(::IsWindowVisible(Clock()));
  HWND clock = Clock();
  ::SendMessageW(dialog_->hwnd(), WM_CLOCK_SETTINGS, 0, 0);
  EXPECT_EQ(Clock(), clock);
  EXPECT_FALSE(::IsWindowVisible(clock));
}

// The page's 保存时钟 drives the running clock: its size, and off and on.
TEST_F(ClockMainDlgTest, SavingTheClockPageResizesHidesAndShowsTheRunningClock) {
  Open();
  ::SendMessageW(dialog_->hwnd(), WM_FINISH_START, 0, 0);
  HWND clock = Clock();
  ASSERT_NE(clock, nullptr);
  const RECT before = Bounds(clock);
  HWND page = dialog_->pages().settings().page(CPageClockDlg::kPageIndex);
  HWND zoom = ::GetDlgItem(page, IDC_PAGE_CLOCK_ZOOM);
  ::SendMessageW(zoom, TBM_SETPOS, TRUE, 20);
  ClickButton(page, IDC_PAGE_CLOCK_SAVE);
  const RECT after = Bounds(clock);
  EXPECT_EQ(after.right - after.left, 450);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  EXPECT_TRUE(::IsWindowVisible(clock));

  ClickButton(page, IDC_PAGE_CLOCK_ENABLED);
  ClickButton(page, IDC_PAGE_CLOCK_SAVE);
  EXPECT_EQ(Clock(), clock);
  EXPECT_FALSE(::IsWindowVisible(clock));
  ClickButton(page, IDC_PAGE_CLOCK_ENABLED);
  ClickButton(page, IDC_PAGE_CLOCK_SAVE);
  EXPECT_TRUE(::IsWindowVisible(clock));

  // 恢复默认值 brings the default size back at once, shown.
  ClickButton(page, IDC_PAGE_CLOCK_ENABLED);
  ClickButton(page, IDC_PAGE_CLOCK_SAVE);
  ClickButton(page, IDC_PAGE_CLOCK_RESTORE);
  const RECT restored = Bounds(clock);
  EXPECT_EQ(restored.right - restored.left, 225);
  EXPECT_TRUE(::IsWindowVisible(clock));
}

// Hand-edited values: the page shows what the running clock applies, and a
// save without changes keeps the clock as it was.
TEST_F(ClockMainDlgTest, ThePageShowsWhatTheClockApplies) {
  const struct {
    const char16_t* zoom;
    const char16_t* opacity;
    int side;
    int alpha;
    const wchar_t* zoomShown;
    const wchar_t* opacityShown;
  } cases[] = {
      {u"30", u"0", 225, 255, L"100%", L"100%"},
      {u"3", u"-4", 225, 255, L"100%", L"100%"},
      {u"15", u"15", 337, 255, L"150%", L"100%"},
      {u"5", u"7", 112, 178, L"50%", L"70%"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::ToUtf8(std::u16string(c.zoom) + u"/" + c.opacity));
    Configure(u"Clock", u"Zoom", c.zoom);
    Configure(u"Clock", u"Transparence", c.opacity);
    Open();
    ::SendMessageW(dialog_->hwnd(), WM_FINISH_START, 0, 0);
    HWND page = dialog_->pages().settings().page(CPageClockDlg::kPageIndex);
    const auto shown = [&](int id) {
      wchar_t text[16] = {};
      ::GetDlgItemTextW(page, id, text, 16);
      return std::wstring(text);
    };
    const auto alpha = [&] {
      BYTE value = 0;
      ::GetLayeredWindowAttributes(Clock(), nullptr, &value, nullptr);
      return static_cast<int>(value);
    };
    EXPECT_EQ(shown(IDC_PAGE_CLOCK_ZOOM_PERCENT), c.zoomShown);
    EXPECT_EQ(shown(IDC_PAGE_CLOCK_OPACITY_PERCENT), c.opacityShown);
    EXPECT_EQ(Bounds(Clock()).right - Bounds(Clock()).left, c.side);
    EXPECT_EQ(alpha(), c.alpha);
    ClickButton(page, IDC_PAGE_CLOCK_SAVE);
    EXPECT_EQ(Bounds(Clock()).right - Bounds(Clock()).left, c.side) << "after saving";
    EXPECT_EQ(alpha(), c.alpha) << "after saving";
    dialog_->DestroyWindow();
  }
}

}  // namespace
}  // namespace nightlatch
