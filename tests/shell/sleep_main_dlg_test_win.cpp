// The main dialog when the computer sleeps: runs missed in a gap are shown
// and never carried out, a resume checks at once, the wake timer follows
// the next run and the basic page's box, and a due power action keeps the
// computer awake.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/window_text_win.h"
#include "platform/wide_string_win.h"
#include "resources/nightlatch_messages.h"
#include "support/main_dlg_fixture_win.h"
#include "support/printable_text.h"

namespace nightlatch {
namespace {

using testing::PumpMessages;
using Calls = std::vector<std::string>;

// The first descendant of `root` with the control id.
HWND FindControl(HWND root, int id) {
  struct Search {
    int id;
    HWND found = nullptr;
  } search{id};
  ::EnumChildWindows(
      root,
      [](HWND child, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        if (::GetDlgCtrlID(child) != s->id)
          return TRUE;
        s->found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<std::u16string> ListLines(HWND list) {
  std::vector<std::u16string> lines;
  const int count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    std::wstring line(static_cast<std::size_t>(::SendMessageW(list, LB_GETTEXTLEN, i, 0)), L'\0');
    ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()));
    lines.push_back(FromWide(line));
  }
  return lines;
}

class SleepMainDlgTest : public testing::MainDlgFixture {
 protected:
  void SetUp() override { power_.base = clock_.now; }

  CTask& AddFixed(int32_t action,
                  int64_t at,
                  std::u16string_view text = u"",
                  int32_t warnSeconds = 0) {
    CTask task;
    task.mode = kFixed;
    task.action = action;
    task.state = kNormal;
    task.nextRun = static_cast<int32_t>(at);
    task.warnSeconds = warnSeconds;
    task.text.Assign(text);
    return program_.tasks().Add(task);
  }

  void TickAt(int64_t now) {
    clock_.now = now;
    Tick();
  }

  HWND MissedWindow() const {
    CMissedRunsDlg* window = dialog_->missedRunsWindow().window();
    return window ? window->hwnd() : nullptr;
  }

  // Ticks or unticks 唤醒电脑执行任务 as a click would.
  void ClickWake(bool on) {
    HWND box = FindControl(dialog_->hwnd(), IDC_PAGE_BASIC_WAKE);
    ASSERT_NE(box, nullptr);
    ::SendMessageW(box, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    ::SendMessageW(::GetParent(box), WM_COMMAND, MAKEWPARAM(IDC_PAGE_BASIC_WAKE, BN_CLICKED),
                   reinterpret_cast<LPARAM>(box));
    PumpMessages();
  }

  std::u16string SettingsStatus() {
    HWND box = FindControl(dialog_->hwnd(), IDC_PAGE_BASIC_WAKE);
    HWND host = ::GetParent(::GetParent(box));
    return FromWide(WindowText(::GetDlgItem(host, 1033)));
  }
};

TEST_F(SleepMainDlgTest, AGapShowsItsRunsInOneWindowAndRunsNone) {
  Open();
  const int64_t t = clock_.now;
  AddFixed(kReminder, t + 60, u"开会", 60);
  AddFixed(kShutdown, t + 61);
  AddFixed(kOpen, t + 62, u"C:\\报告.txt");
  TickAt(t);
  ASSERT_EQ(MissedWindow(), nullptr);
  TickAt(t + 3600);  // the computer slept for an hour
  EXPECT_TRUE(calls_.calls().empty()) << "nothing carried out late";
  EXPECT_TRUE(dialog_->prompts().empty());
  HWND window = MissedWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(::IsWindowVisible(window));
  EXPECT_EQ(WindowText(window), L"错过的任务");
  std::vector<std::u16string> lines = ListLines(::GetDlgItem(window, IDC_MISSED_LIST));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(testing::ToUtf8(lines[0].substr(0, 3)), "今天 ");
  EXPECT_NE(lines[0].find(u"提醒 自定时  开会"), std::u16string::npos) << testing::ToUtf8(lines[0]);
  EXPECT_NE(lines[1].find(u"关机 自定时"), std::u16string::npos) << testing::ToUtf8(lines[1]);
  EXPECT_NE(lines[2].find(u"打开 自定时"), std::u16string::npos) << testing::ToUtf8(lines[2]);
  for (const CTask& task : program_.tasks().tasks())
    EXPECT_EQ(task.state, kStopped);

  // A second gap adds to the same window; it does not time out.
  AddFixed(kReminder, t + 4000, u"喝水", 60);
  TickAt(t + 3601);
  TickAt(t + 7200);
  EXPECT_EQ(MissedWindow(), window);
  lines = ListLines(::GetDlgItem(window, IDC_MISSED_LIST));
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_NE(lines[3].find(u"喝水"), std::u16string::npos);
  ::SendMessageW(window, WM_COMMAND, IDOK, 0);
  PumpMessages();
  EXPECT_EQ(MissedWindow(), nullptr);
}

TEST_F(SleepMainDlgTest, AStartAfterTheProgramWasAwayShowsWhatItMissed) {
  const int64_t t = clock_.now;
  AddFixed(kReminder, t - 1800, u"开会", 60);
  program_.tasks().MarkDirty();
  ASSERT_TRUE(program_.SaveTasks());
  program_.tasks().Clear();
  const std::string last = std::to_string(t - 3600);
  Configure(u"Config", u"LastPass", std::u16string(last.begin(), last.end()));
  Open();
  HWND window = MissedWindow();
  ASSERT_NE(window, nullptr);
  const std::vector<std::u16string> lines = ListLines(::GetDlgItem(window, IDC_MISSED_LIST));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find(u"开会"), std::u16string::npos);
  EXPECT_TRUE(dialog_->prompts().empty());
  // The pass's moment is kept for the next start.
  Tick();
  EXPECT_EQ(program_.config().Read(setting::kLastPass), static_cast<int32_t>(t));
}

TEST_F(SleepMainDlgTest, AResumeFromOurWakeRunsTheTaskAtOnce) {
  Configure(u"Config", u"WakeFlag", u"1");
  Open();
  const int64_t t = clock_.now;
  AddFixed(kReminder, t + 600, u"开会", 60);
  TickAt(t);
  EXPECT_EQ(power_.calls, Calls{"arm 600"});
  // Asleep until the timer; the resume comes 20 s after it, before a tick.
  clock_.now = t + 620;
  ::SendMessageW(dialog_->hwnd(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
  PumpMessages();
  EXPECT_EQ(dialog_->prompts().size(), 1u) << "the reminder came up";
  EXPECT_EQ(MissedWindow(), nullptr);
}

TEST_F(SleepMainDlgTest, TheWakeTimerFollowsTheNextRunAndTheBasicPagesBox) {
  Open();
  const int64_t t = clock_.now;
  CTask& reminder = AddFixed(kReminder, t + 600, u"开会", 60);
  TickAt(t);
  EXPECT_TRUE(power_.calls.empty()) << "off by default";

  ClickWake(true);
  EXPECT_EQ(power_.calls, Calls{"arm 600"});
  EXPECT_EQ(program_.config().Read(setting::kWakeForTasks), 1);
  EXPECT_EQ(testing::Text(SettingsStatus()), testing::Text(u"设置唤醒电脑，修改成功！"));
  // An edit brings the run forward: the next pass moves the timer.
  reminder.nextRun = static_cast<int32_t>(t + 300);
  TickAt(t + 1);
  EXPECT_EQ(power_.calls, (Calls{"arm 600", "arm 300"}));

  ClickWake(false);
  EXPECT_EQ(power_.calls, (Calls{"arm 600", "arm 300", "cancel"}));
  EXPECT_EQ(program_.config().Read(setting::kWakeForTasks), 0);

  // A computer that refuses wake timers is told on the page.
  power_.armResult = PowerRequests::WakeArm::kRefused;
  ClickWake(true);
  EXPECT_EQ(testing::Text(SettingsStatus()), testing::Text(u"此电脑不允许定时唤醒"));
  power_.armResult = PowerRequests::WakeArm::kArmed;
  power_.planAllows = false;
  ClickWake(false);
  ClickWake(true);
  EXPECT_EQ(testing::Text(SettingsStatus()), testing::Text(u"此电脑不允许定时唤醒"));
  // The end of the program cancels it.
  power_.calls.clear();
  dialog_->DestroyWindow();
  PumpMessages();
  EXPECT_EQ(power_.calls, Calls{"cancel"});
}

TEST_F(SleepMainDlgTest, ADueShutdownKeepsTheComputerAwakeForItsLastTwoMinutes) {
  Open();
  const int64_t t = clock_.now;
  AddFixed(kShutdown, t + 300);
  TickAt(t);
  TickAt(t + 179);
  EXPECT_TRUE(power_.calls.empty());
  TickAt(t + 180);
  EXPECT_EQ(power_.calls, Calls{"awake"});
  TickAt(t + 300);
  EXPECT_FALSE(calls_.calls().empty()) << "the shutdown ran";
  TickAt(t + 301);
  EXPECT_EQ(power_.calls, (Calls{"awake", "may sleep"}));
}

}  // namespace
}  // namespace nightlatch
