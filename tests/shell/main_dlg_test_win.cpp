// The main dialog driven with real messages: its tick with a chosen clock,
// the pages behind the password, hiding, the tray menu's commands and the
// end of a session.
#include "shell/main_dlg_win.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "engine/task_texts.h"
#include "platform/wide_string_win.h"
#include "platform/window_geometry_win.h"
#include "resources/nightlatch_messages.h"
#include "shell/tick_rules.h"
#include "support/dialog_driver_win.h"
#include "support/fake_clock.h"
#include "support/main_dlg_fixture_win.h"
#include "support/pixels_win.h"
#include "support/printable_text.h"
#include "support/recording_system_calls.h"

namespace nightlatch {
namespace {

using testing::ClickButton;
using testing::FakeClock;
using testing::OnNextDialog;
using testing::PumpMessages;
using testing::RecordingSystemCalls;
using testing::Text;
using Calls = std::vector<std::string>;

std::u16string ItemText(HWND dialog, int id) {
  wchar_t text[512] = {};
  ::GetDlgItemTextW(dialog, id, text, static_cast<int>(std::size(text)));
  return FromWide(text);
}

class MainDlgTest : public testing::MainDlgFixture {
 protected:
  void Command(UINT id) { ::SendMessageW(dialog_->hwnd(), WM_COMMAND, id, 0); }

  CTask& AddTask(int32_t mode,
                 int32_t action,
                 int64_t nextRun,
                 int32_t warnSeconds,
                 std::u16string_view text = u"") {
    CTask task;
    task.mode = mode;
    task.action = action;
    task.state = kNormal;
    task.nextRun = static_cast<int32_t>(nextRun);
    task.warnSeconds = warnSeconds;
    task.text.Assign(text);
    return program_.tasks().Add(task);
  }

  uintmax_t TaskFileSize() const {
    std::error_code missing;
    const uintmax_t size = std::filesystem::file_size(folder_ / "helper.dat", missing);
    return missing ? 0 : size;
  }

  HWND Notice() const {
    CMessageDlg* notice = dialog_->noticeWindow().window();
    return notice ? notice->hwnd() : nullptr;
  }

  std::u16string NoticeText() const { return ItemText(Notice(), IDC_MESSAGE_TEXT); }
};

TEST_F(MainDlgTest, TickWritesTheClockTextsTheNextTaskAndTheTooltip) {
  clock_.uptimeMilliseconds = ((2 * 24 + 3) * 3600 + 4 * 60 + 5) * 1000 + 999;
  Open();
  Tick();
  const LocalFields now = ToLocalFields(clock_.now, clock_.zone);
  EXPECT_EQ(Text(ItemText(dialog_->hwnd(), IDC_STATUS_LINE)), Text(StatusLineText(now)));
  HWND simple = dialog_->pages().simple().hwnd();
  EXPECT_EQ(Text(ItemText(simple, IDC_SIMPLE_NOW)), Text(ClockTileText(now)));
  EXPECT_EQ(Text(ItemText(simple, IDC_SIMPLE_UPTIME)), Text(u"2天03小时04分05秒"));
  EXPECT_EQ(Text(ItemText(simple, IDC_SIMPLE_NEXT)), Text(u"当前没有任务，快去添加吧"));
  EXPECT_EQ(Text(FromWide(dialog_->trayData().szTip)),
            Text(u"Orvane定时关机助手\n版本:2.4.0.0\n-------------\n最近任务:\n"
                 u"当前没有任务，快去添加吧"));

  AddTask(kFixed, kShutdown, clock_.now + 3725, 30);
  Tick();
  EXPECT_EQ(Text(ItemText(simple, IDC_SIMPLE_NEXT)), Text(u"关机倒计时:1小时02分05秒"));
}

TEST_F(MainDlgTest, DueTaskWithoutWarningIsSavedThenCarriedOutWithANotice) {
  Open();
  AddTask(kFixed, kShutdown, clock_.now + 2, 0);
  ++clock_.now;
  Tick();
  EXPECT_EQ(calls_.calls(), Calls{});
  EXPECT_EQ(TaskFileSize(), 0u);

  ++clock_.now;
  Tick();
  EXPECT_EQ(calls_.calls(),
            (Calls{"EnableShutdownPrivilege()", "EndSession(flags=0x5, reason=0x80020003)"}));
  EXPECT_EQ(TaskFileSize(), 520u) << "the task file is written before the action";
  ASSERT_TRUE(Notice());
  EXPECT_TRUE(::IsWindowVisible(Notice()));
  EXPECT_EQ(Text(NoticeText()), Text(u"关机 \n执行完毕！"));
}

// The pass's save flushes helper.dat to disk, which a busy disk can hold
// for half a second: an action that leaves the session running comes first,
// one that may end it after.
TEST_F(MainDlgTest, TheTaskFileIsSavedBeforeActionsThatEndTheSessionAndAfterTheRest) {
  const struct {
    int32_t action;
    bool savedFirst;
  } cases[] = {{kOpen, false},   {kLock, false},  {kMonitorOff, false}, {kShutdown, true},
               {kRestart, true}, {kLogOff, true}, {kHibernate, true},   {kStandby, true}};
  Open();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.action);
    std::filesystem::remove(folder_ / "helper.dat");
    std::vector<uintmax_t> sizesSeen;
    calls_.onCall = [&] { sizesSeen.push_back(TaskFileSize()); };
    AddTask(kFixed, c.action, clock_.now + 1, 0, u"http://127.0.0.1/");
    ++clock_.now;
    Tick();
    calls_.onCall = nullptr;
    ASSERT_FALSE(sizesSeen.empty()) << "not carried out";
    EXPECT_EQ(sizesSeen.back() > 0, c.savedFirst);
    EXPECT_GT(TaskFileSize(), 0u) << "saved after the action";
  }
}

TEST_F(MainDlgTest, OpenTaskRunsAtOnceWhateverItsWarning) {
  Open();
  AddTask(kFixed, kOpen, clock_.now + 1, 30, u"http://127.0.0.1/日程");
  ++clock_.now;
  Tick();
  ASSERT_EQ(calls_.openedFiles().size(), 1u);
  EXPECT_EQ(Text(calls_.openedFiles()[0]), Text(u"http://127.0.0.1/日程"));
  EXPECT_EQ(Text(NoticeText()), Text(u"打开 http://127.0.0.1/日程\n执行完毕！"));
}

TEST_F(MainDlgTest, HiddenInTheTrayItRunsTasksAndFillsItsTextsWhenShown) {
  Open(/*show=*/false);
  AddTask(kFixed, kLock, clock_.now + 1, 0);
  AddTask(kFixed, kShutdown, clock_.now + 3600, 30);
  ++clock_.now;
  Tick();
  EXPECT_EQ(calls_.calls(), Calls{"LockWorkStation()"});
  ++clock_.now;
  Tick();
  HWND simple = dialog_->pages().simple().hwnd();
  EXPECT_EQ(Text(ItemText(simple, IDC_SIMPLE_NEXT)), Text(u"正在加载"))
      << "nobody sees the page while the window is hidden";
  const std::u16string next = u"关机倒计时:59分58秒";
  EXPECT_EQ(Text(FromWide(dialog_->trayData().szTip)),
            Text(u"Orvane定时关机助手\n版本:2.4.0.0\n-------------\n最近任务:\n" + next))
      << "the tray icon is what a hidden program shows";

  clock_.now += 5;
  ::ShowWindow(dialog_->hwnd(), SW_SHOW);
  const LocalFields now = ToLocalFields(clock_.now, clock_.zone);
  EXPECT_EQ(Text(ItemText(dialog_->hwnd(), IDC_STATUS_LINE)), Text(StatusLineText(now)));
  EXPECT_EQ(Text(ItemText(simple, IDC_SIMPLE_NOW)), Text(ClockTileText(now)));
  EXPECT_EQ(Text(ItemText(simple, IDC_SIMPLE_NEXT)), Text(u"关机倒计时:59分53秒"));
}

TEST_F(MainDlgTest, ASkippedTimerSecondDoesNotLoseTheRun) {
  Open();
  AddTask(kFixed, kLock, clock_.now + 2, 0);
  ++clock_.now;
  Tick();
  clock_.now += 2;  // the timer came late: the run second itself had no tick
  Tick();
  Tick();  // a second tick in the same second does not run it again
  EXPECT_EQ(calls_.calls(), Calls{"LockWorkStation()"});
}

TEST_F(MainDlgTest, BackgroundIsTheSkinBlueAroundAWhitePageArea) {
  Open();
  RECT client{};
  ::GetClientRect(dialog_->hwnd(), &client);
  testing::PixelCanvas canvas(client.right, client.bottom);
  ::SendMessageW(dialog_->hwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc()), 0);
  const RECT status = BoundsInParent(::GetDlgItem(dialog_->hwnd(), IDC_STATUS_LINE));
  const std::string blue = testing::Rgb(RGB(12, 128, 232));
  const std::string white = testing::Rgb(RGB(255, 255, 255));
  // The page area runs from y 130 to the status line, 7 pixels in from each side.
  EXPECT_EQ(canvas.At(0, 0), blue);
  EXPECT_EQ(canvas.At(client.right / 2, 129), blue);
  EXPECT_EQ(canvas.At(6, 200), blue);
  EXPECT_EQ(canvas.At(client.right - 7, 200), blue);
  EXPECT_EQ(canvas.At(client.right / 2, status.top), blue);
  EXPECT_EQ(canvas.At(7, 130), white);
  EXPECT_EQ(canvas.At(client.right - 8, status.top - 1), white);
  EXPECT_EQ(canvas.Count(RGB(255, 255, 255), RECT{7, 130, client.right - 7, status.top}),
            (client.right - 14) * (status.top - 130));
}

TEST_F(MainDlgTest, TrayPowerItemsSaveTheTasksFirstAndAskNothing) {
  struct Case {
    UINT command;
    Calls calls;
  } cases[] = {
      {IDM_TRAY_SHUTDOWN,
       {"EnableShutdownPrivilege()", "EndSession(flags=0x5, reason=0x80020003)"}},
      {IDM_TRAY_RESTART, {"EnableShutdownPrivilege()", "EndSession(flags=0x6, reason=0x80020003)"}},
      {IDM_TRAY_LOGOFF, {"EndSession(flags=0x4, reason=0x0)"}},
      {IDM_TRAY_LOCK, {"LockWorkStation()"}},
  };
  Configure(u"Config", u"PwdFlag", u"1");
  Configure(u"Config", u"Pwd", u"secret");
  Open();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    AddTask(kFixed, kShutdown, clock_.now + 3600, 30);  // an unsaved change
    RecordingSystemCalls fresh;
    calls_ = fresh;
    OnNextDialog unexpected([](HWND dialog) { ClickButton(dialog, IDCANCEL); });
    Command(c.command);
    EXPECT_FALSE(unexpected.ran()) << "no password is asked";
    EXPECT_EQ(calls_.calls(), c.calls);
    EXPECT_EQ(TaskFileSize(), 520u * program_.tasks().tasks().size());
    EXPECT_FALSE(program_.tasks().dirty());
  }
}

TEST_F(MainDlgTest, PagesAskThePasswordOnceAndAgainAfterHiding) {
  Configure(u"Config", u"PwdFlag", u"1");
  Configure(u"Config", u"Pwd", u"secret");
  Open();

  OnNextDialog enter([](HWND dialog) {
    ::SetDlgItemTextW(dialog, IDC_PASSWORD_EDIT, L"secret");
    ClickButton(dialog, IDOK);
  });
  Command(IDC_PAGE_PLAN);
  EXPECT_TRUE(enter.ran());
  EXPECT_EQ(dialog_->pages().visiblePage(), IDC_PAGE_PLAN);
  EXPECT_FALSE(::IsWindowEnabled(dialog_->Item(IDC_PAGE_PLAN)));
  EXPECT_TRUE(::IsWindowEnabled(dialog_->Item(IDC_PAGE_SIMPLE)));

  {
    OnNextDialog unexpected([](HWND dialog) { ClickButton(dialog, IDCANCEL); });
    Command(IDC_PAGE_SETTINGS);
    EXPECT_FALSE(unexpected.ran()) << "unlocked: no second question";
  }
  EXPECT_EQ(dialog_->pages().visiblePage(), IDC_PAGE_SETTINGS);

  Command(IDC_HIDE);
  EXPECT_FALSE(::IsWindowVisible(dialog_->hwnd()));
  EXPECT_FALSE(program_.unlocked);
  EXPECT_EQ(dialog_->pages().visiblePage(), IDC_PAGE_SIMPLE);

  OnNextDialog cancel([](HWND dialog) { ClickButton(dialog, IDCANCEL); });
  Command(IDC_PAGE_PLAN);
  EXPECT_TRUE(cancel.ran());
  EXPECT_EQ(dialog_->pages().visiblePage(), IDC_PAGE_SIMPLE) << "refused: the page stays hidden";
  EXPECT_TRUE(::IsWindowEnabled(dialog_->Item(IDC_PAGE_PLAN)));
}

TEST_F(MainDlgTest, EscapeCrossMinimiseAndCloseOnlyHide) {
  Open();
  const struct {
    const char* name;
    UINT message;
    WPARAM wParam;
  } cases[] = {
      {"Escape", WM_COMMAND, IDCANCEL},
      {"the cross", WM_COMMAND, IDC_HIDE},
      {"minimise", WM_SYSCOMMAND, SC_MINIMIZE},
      {"close in the system menu", WM_SYSCOMMAND, SC_CLOSE},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Command(IDM_TRAY_OPEN);
    ASSERT_TRUE(::IsWindowVisible(dialog_->hwnd()));
    ::SendMessageW(dialog_->hwnd(), c.message, c.wParam, 0);
    EXPECT_TRUE(::IsWindow(dialog_->hwnd()));
    EXPECT_FALSE(::IsWindowVisible(dialog_->hwnd()));
  }
}

TEST_F(MainDlgTest, CloseAsksThePasswordAndEndOfSessionDoesNot) {
  Configure(u"Config", u"PwdFlag", u"1");
  Configure(u"Config", u"Pwd", u"secret");
  Open();
  {
    OnNextDialog cancel([](HWND dialog) { ClickButton(dialog, IDCANCEL); });
    ::SendMessageW(dialog_->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(cancel.ran());
  }
  EXPECT_TRUE(::IsWindow(dialog_->hwnd())) << "a refused password keeps the program running";

  AddTask(kFixed, kShutdown, clock_.now + 3600, 30);
  HWND window = dialog_->hwnd();
  OnNextDialog unexpected([](HWND dialog) { ClickButton(dialog, IDCANCEL); });
  EXPECT_EQ(::SendMessageW(window, WM_QUERYENDSESSION, 0, 0), TRUE)
      << "the end of the session is never vetoed";
  EXPECT_EQ(TaskFileSize(), 520u) << "saved before the answer";
  // The program ends right after answering, without asking.
  MSG message{};
  bool quit = false;
  while (!quit && ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    quit = message.message == WM_QUIT;
    ::DispatchMessageW(&message);
  }
  EXPECT_FALSE(unexpected.ran());
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_TRUE(quit);
  EXPECT_EQ(message.wParam, 0u);
}

// A lone WM_ENDSESSION (no WM_QUERYENDSESSION came first to unlock) still
// ends the program without a modal password dialog while Windows ends.
TEST_F(MainDlgTest, EndOfSessionAloneNeverAsksThePassword) {
  Configure(u"Config", u"PwdFlag", u"1");
  Configure(u"Config", u"Pwd", u"secret");
  Open();
  HWND window = dialog_->hwnd();
  OnNextDialog unexpected([](HWND dialog) { ClickButton(dialog, IDCANCEL); });
  ::SendMessageW(window, WM_ENDSESSION, TRUE, 0);
  EXPECT_FALSE(unexpected.ran()) << "no password dialog";
  EXPECT_FALSE(::IsWindow(window));
  MSG quit{};
  EXPECT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

// Set on the password page, the password gates the pages at once.
TEST_F(MainDlgTest, APasswordSetOnItsPageGatesThePagesAtOnce) {
  Open();
  Command(IDC_PAGE_SETTINGS);
  ASSERT_EQ(dialog_->pages().visiblePage(), IDC_PAGE_SETTINGS) << "no password yet";
  HWND page = dialog_->pages().settings().page(CPagePwdDlg::kPageIndex);
  ClickButton(page, IDC_PAGE_PASSWORD_ON);
  ::SetDlgItemTextW(page, IDC_PAGE_PASSWORD_NEW, L"Neu2");
  ::SetDlgItemTextW(page, IDC_PAGE_PASSWORD_CONFIRM, L"Neu2");
  ClickButton(page, IDC_PAGE_PASSWORD_SAVE);
  EXPECT_TRUE(program_.settings.passwordOn);

  Command(IDC_HIDE);
  OnNextDialog refuse([](HWND dialog) { ClickButton(dialog, IDCANCEL); });
  Command(IDC_PAGE_SETTINGS);
  EXPECT_TRUE(refuse.ran()) << "the password dialog asks";
  EXPECT_EQ(dialog_->pages().visiblePage(), IDC_PAGE_SIMPLE);
}

TEST_F(MainDlgTest, TheWindowFirstShowsCentredOnTheWorkArea) {
  Open();
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RECT own{};
  ::GetWindowRect(dialog_->hwnd(), &own);
  EXPECT_NEAR((own.left + own.right) / 2, (work.left + work.right) / 2, 1);
  EXPECT_NEAR((own.top + own.bottom) / 2, (work.top + work.bottom) / 2, 1);
}

TEST_F(MainDlgTest, AnnouncementOnTheHalfHourOfAnEnabledHour) {
  Configure(u"Speak", u"ByHalf", u"1");
  Configure(u"Speak", u"Notify", u"1");
  Configure(u"Speak", u"SpeakHour", u"000000010000000000000000");  // 8 o'clock
  clock_.now = FromLocalFields(LocalFields{2026, 11, 0, 29, 8, 29, 59}, clock_.zone);
  Open();
  Tick();
  EXPECT_FALSE(Notice()) << "08:29:59 announces nothing";
  ++clock_.now;
  Tick();
  // Chimebox does not lie beside the test program: the start fails with a
  // notice, then the announcement's own notice follows.
  ASSERT_TRUE(Notice());
  EXPECT_EQ(Text(NoticeText()), Text(u"现在时间： 8点30分"));
  EXPECT_EQ(Text(ItemText(Notice(), IDC_MESSAGE_TITLE)), Text(u"Orvane报时"));
}

TEST_F(MainDlgTest, SpeakingWithoutChimeboxShowsTheFailure) {
  Open();
  Command(IDM_TRAY_SPEAK);
  ASSERT_TRUE(Notice());
  EXPECT_TRUE(::IsWindowVisible(Notice()));
  EXPECT_EQ(Text(NoticeText()), Text(u"报时失败"));
  EXPECT_EQ(Text(ItemText(Notice(), IDC_MESSAGE_TITLE)), Text(u"Orvane关机助手提示"));
}

TEST_F(MainDlgTest, NewerKnownVersionIsAnnouncedAtStart) {
  Configure(u"Config", u"Ver", u"20400001");
  Open();
  ASSERT_TRUE(Notice());
  EXPECT_EQ(Text(NoticeText()), Text(u"发现新版本^_^\n请打开窗口，点击相关链接下载新版本！\n"));
}

// The update check's report may reach a window that has begun to close (its
// destruction takes messages): nothing comes up after the window is gone.
TEST_F(MainDlgTest, AnUpdateReportWhileClosingShowsNothing) {
  Configure(u"Config", u"Ver", u"99999999");
  Open();
  ASSERT_NE(Notice(), nullptr) << "a newer version is announced at start";
  HWND window = dialog_->hwnd();
  std::atomic<bool> reported = false;
  std::thread report([&] {
    ::SendMessageW(window, WM_UPDATE_FETCHED, 0, 0);
    reported = true;
  });
  ::Sleep(300);  // the report now waits for this thread to take messages
  dialog_->DestroyWindow();
  for (int i = 0; i < 100 && !reported; ++i)
    testing::PumpMessagesFor(20);
  report.join();
  EXPECT_EQ(dialog_->noticeWindow().window(), nullptr) << "a notice came up while closing";
}

TEST_F(MainDlgTest, TaskFileIsLoadedFromTheDataFolderAndSavedAtTheEnd) {
  Open();
  AddTask(kInterval, kShutdown, clock_.now + 600, 30);
  AddTask(kFixed, kRestart, clock_.now + 60, 30);
  dialog_->DestroyWindow();
  EXPECT_EQ(TaskFileSize(), 1040u);

  Open();
  ASSERT_EQ(program_.tasks().tasks().size(), 2u);
  EXPECT_EQ(program_.tasks().tasks().front().action, kRestart) << "sorted at load";
  EXPECT_FALSE(program_.tasks().dirty());
}

TEST_F(MainDlgTest, WindowShowsFirstThenTheTasksAndTheTrayIconFollow) {
  Open();
  AddTask(kFixed, kRestart, clock_.now + 60, 30);
  dialog_->DestroyWindow();
  PumpMessages();

  dialog_ = std::make_unique<CMainDlg>(program_, MainDlgServices{&clock_, &calls_});
  ASSERT_TRUE(dialog_->CreateModeless(nullptr));
  ::ShowWindow(dialog_->hwnd(), SW_SHOWNORMAL);
  HWND simple = dialog_->pages().simple().hwnd();
  EXPECT_FALSE(dialog_->trayIconAdded());
  EXPECT_EQ(Text(ItemText(simple, IDC_SIMPLE_NEXT)), Text(u"正在加载"))
      << "no wrong 'no tasks' before the file is read";

  PumpMessages();
  EXPECT_TRUE(dialog_->trayIconAdded());
  EXPECT_EQ(program_.tasks().tasks().size(), 1u);
  EXPECT_EQ(Text(ItemText(simple, IDC_SIMPLE_NEXT)), Text(u"重启倒计时:1分00秒"));
}

}  // namespace
}  // namespace nightlatch
