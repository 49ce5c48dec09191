// Due tasks with a warning end in countdown prompts of the main dialog:
// where they appear, that the dialog keeps track of them while they are open,
// and that they go with it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "controls/window_text_win.h"
#include "platform/wide_string_win.h"
#include "prompts/recording_mci.h"
#include "shell/main_dlg_win.h"
#include "shell/paths_win.h"
#include "support/dialog_driver_win.h"
#include "support/fake_clock.h"
#include "support/main_dlg_fixture_win.h"
#include "support/printable_text.h"
#include "support/recording_system_calls.h"

namespace nightlatch {
namespace {

using testing::FakeClock;
using testing::PumpMessages;
using testing::RecordingMci;
using testing::RecordingSystemCalls;
using testing::Text;
using testing::ToUtf8;
using Calls = std::vector<std::string>;

std::u16string ItemText(HWND dialog, int id) {
  return FromWide(WindowText(::GetDlgItem(dialog, id)));
}

class PromptMainDlgTest : public testing::MainDlgFixture {
 protected:
  void AddTask(int32_t action, int32_t warnSeconds, std::u16string_view text = u"") {
    CTask task;
    task.mode = kFixed;
    task.action = action;
    task.state = kNormal;
    task.nextRun = static_cast<int32_t>(clock_.now + 1);
    task.warnSeconds = warnSeconds;
    task.text.Assign(text);
    program_.tasks().Add(task);
  }

  // One second on: the due tasks' requests are handled.
  void NextSecond() {
    ++clock_.now;
    Tick();
  }

  // The open prompts' windows; their own timers are stopped once they are
  // known to run, so the test alone ticks them.
  std::vector<HWND> PromptWindows() {
    std::vector<HWND> windows;
    for (CPromptDlg* prompt : dialog_->prompts()) {
      windows.push_back(prompt->hwnd());
      ::KillTimer(prompt->hwnd(), CPromptDlg::kCountdownTimer);
    }
    return windows;
  }

  static void Press(HWND prompt, int id) {
    ::SendMessageW(prompt, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(prompt, id)));
    PumpMessages();
  }

  using MainDlgFixture::Tick;
  static void Tick(HWND prompt, int times) {
    for (int i = 0; i < times && ::IsWindow(prompt); ++i)
      ::SendMessageW(prompt, WM_TIMER, CPromptDlg::kCountdownTimer, 0);
  }

  bool NoticeShown() const {
    CMessageDlg* notice = dialog_->noticeWindow().window();
    return notice && ::IsWindowVisible(notice->hwnd());
  }
};

TEST_F(PromptMainDlgTest, AWarnedTaskOpensAPromptCentredOrInTheCorner) {
  const struct {
    const char* name;
    const char16_t* position;
    bool corner;
  } cases[] = {{"Position 0", u"0", false}, {"Position 1", u"1", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Configure(u"Config", u"Position", c.position);
    Open();
    AddTask(kShutdown, 30);
    NextSecond();
    ASSERT_EQ(dialog_->prompts().size(), 1u);
    HWND prompt = dialog_->prompts().front()->hwnd();
    EXPECT_TRUE(::KillTimer(prompt, CPromptDlg::kCountdownTimer)) << "the prompt counts";
    EXPECT_TRUE(::IsWindowVisible(prompt));
    EXPECT_NE(::GetWindowLongPtrW(prompt, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_NE(::GetActiveWindow(), prompt) << "shown without activation";
    EXPECT_EQ(::GetParent(prompt), nullptr) << "a top-level window, not a child of the dialog";

    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT own{};
    ::GetWindowRect(prompt, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    EXPECT_EQ(own.left, c.corner ? work.right - width : (work.right - width) / 2);
    EXPECT_EQ(own.top, c.corner ? work.bottom - height : (work.bottom - height) / 2);

    EXPECT_EQ(Text(ItemText(prompt, IDC_PROMPT_SECONDS)), Text(u"30"));
    EXPECT_EQ(Text(ItemText(prompt, IDC_PROMPT_MESSAGE)),
              Text(u"秒后执行关机事件！\n\n赶快保存一下文件吧"));
    EXPECT_EQ(calls_.calls(), Calls{}) << "the prompt carries the action out, later";
    EXPECT_FALSE(NoticeShown()) << "no done notice for a prompted run";
    dialog_->DestroyWindow();
    std::filesystem::remove(folder_ / "helper.dat");
  }
}

// Ticked on the basic settings page, the corner applies to the next prompt.
TEST_F(PromptMainDlgTest, APromptAfterTickingTheCornerOnTheBasicPageAppearsThere) {
  Open();
  ::SendMessageW(dialog_->hwnd(), WM_FINISH_START, 0, 0);
  HWND page = dialog_->pages().settings().page(CPageBasicDlg::kPageIndex);
  testing::ClickButton(page, IDC_PAGE_BASIC_CORNER);
  AddTask(kShutdown, 30);
  NextSecond();
  ASSERT_EQ(dialog_->prompts().size(), 1u);
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RECT own{};
  ::GetWindowRect(dialog_->prompts().front()->hwnd(), &own);
  EXPECT_EQ(own.right, work.right);
  EXPECT_EQ(own.bottom, work.bottom);
}

TEST_F(PromptMainDlgTest, TwoTasksOfOneSecondGetTwoPromptsClosingOneForgetsOnlyIt) {
  Open();
  AddTask(kShutdown, 30);
  AddTask(kRestart, 3);
  NextSecond();
  std::vector<HWND> windows = PromptWindows();
  ASSERT_EQ(windows.size(), 2u);
  // The shutdown first, the restart second, whichever came first.
  const bool restartFirst = ItemText(windows[0], IDC_PROMPT_SECONDS) == u"3";
  if (restartFirst)
    std::swap(windows[0], windows[1]);
  CPromptDlg* restart = dialog_->prompts()[restartFirst ? 0 : 1];
  ASSERT_EQ(Text(ItemText(windows[1], IDC_PROMPT_SECONDS)), Text(u"3"));

  Press(windows[0], IDC_PROMPT_CANCEL);
  EXPECT_FALSE(::IsWindow(windows[0]));
  ASSERT_EQ(dialog_->prompts().size(), 1u);
  EXPECT_EQ(dialog_->prompts().front(), restart);

  Tick(windows[1], 4);
  EXPECT_FALSE(::IsWindow(windows[1]));
  EXPECT_TRUE(dialog_->prompts().empty());
  EXPECT_EQ(calls_.calls(),
            (Calls{"EnableShutdownPrivilege()", "EndSession(flags=0x6, reason=0x80020003)"}));
}

// The prompt's sound takes 20 s to open (the seam holds the UI thread and
// moves the clock on): the pass after it catches up over the wait, and a
// task due during it runs then, once.
TEST_F(PromptMainDlgTest, ATaskDueWhileAPromptHeldTheProgramRunsRightAfter) {
  const std::filesystem::path sound = folder_ / "chime.mp3";
  std::ofstream(sound, std::ios::binary) << "ID3";
  Configure(u"Config", u"SoundFile", sound.u16string());
  Open();
  AddTask(kShutdown, 60);
  CTask open;
  open.mode = kFixed;
  open.action = kOpen;
  open.state = kNormal;
  open.nextRun = static_cast<int32_t>(clock_.now + 9);
  open.text.Assign(u"C:\\tools\\report.exe");
  program_.tasks().Add(open);
  mci_.onSend = [this](const std::string& command) {
    if (command.rfind("open ", 0) == 0) {
      clock_.now += 20;
      clock_.uptimeMilliseconds += 20000;
    }
  };
  NextSecond();  // the prompt comes up, its sound takes 20 s
  mci_.onSend = nullptr;
  ASSERT_EQ(dialog_->prompts().size(), 1u);
  EXPECT_EQ(calls_.calls(), Calls{}) << "the open task's second is still to come";

  NextSecond();
  EXPECT_EQ(calls_.calls(), (Calls{"ShellOpen(C:\\tools\\report.exe)"}));
  NextSecond();
  EXPECT_EQ(calls_.calls().size(), 1u) << "once";
}

TEST_F(PromptMainDlgTest, AReminderTaskEndsInReminderMode) {
  program_.settings.passwordOn = true;
  Open();
  AddTask(kReminder, 60, u"开会");
  NextSecond();
  const std::vector<HWND> windows = PromptWindows();
  ASSERT_EQ(windows.size(), 1u);
  EXPECT_EQ(Text(ItemText(windows[0], IDC_PROMPT_TITLE)), Text(u"Orvane闹钟提醒"));
  EXPECT_EQ(Text(ItemText(windows[0], IDC_PROMPT_CANCEL)), Text(u"我知道了"));
  Tick(windows[0], 120);
  EXPECT_TRUE(::IsWindowVisible(windows[0]));
  Press(windows[0], IDC_PROMPT_CANCEL);
  EXPECT_TRUE(dialog_->prompts().empty());
  EXPECT_EQ(calls_.calls(), Calls{});
}

TEST_F(PromptMainDlgTest, OpenPromptsGoWithTheMainDialog) {
  Open();
  AddTask(kShutdown, 30);
  AddTask(kLock, 30);
  NextSecond();
  const std::vector<HWND> windows = PromptWindows();
  ASSERT_EQ(windows.size(), 2u);
  dialog_->DestroyWindow();
  for (HWND prompt : windows)
    EXPECT_FALSE(::IsWindow(prompt));
  EXPECT_TRUE(dialog_->prompts().empty());
  EXPECT_EQ(calls_.calls(), Calls{});
}

TEST_F(PromptMainDlgTest, WithoutASoundFileThePromptPlaysTheOneBesideTheProgram) {
  // Made for this test when the program's folder has none yet.
  const std::filesystem::path sound = ModulePath(u"resource\\sound\\1.mp3");
  std::vector<std::filesystem::path> made;
  for (std::filesystem::path folder = sound.parent_path(); !std::filesystem::exists(folder);
       folder = folder.parent_path()) {
    made.insert(made.begin(), folder);
  }
  const bool madeFile = !std::filesystem::exists(sound);
  for (const auto& folder : made)
    std::filesystem::create_directory(folder);
  if (madeFile)
    std::ofstream(sound, std::ios::binary) << "ID3";

  Open();
  AddTask(kShutdown, 30);
  NextSecond();
  ASSERT_EQ(dialog_->prompts().size(), 1u);
  const std::string alias = ToUtf8(dialog_->prompts().front()->soundAlias());
  wchar_t shortPath[520] = {};
  const DWORD length = ::GetShortPathNameW(sound.c_str(), shortPath, 520);
  EXPECT_EQ(
      mci_.commands(),
      (std::vector<std::string>{
          "open \"" + ToUtf8(FromWide(std::wstring_view(shortPath, length))) + "\" alias " + alias,
          "play " + alias}));
  dialog_->DestroyWindow();
  EXPECT_EQ(mci_.commands().back(), "close " + alias);

  std::error_code ignored;
  if (madeFile)
    std::filesystem::remove(sound, ignored);
  for (auto folder = made.rbegin(); folder != made.rend(); ++folder)
    std::filesystem::remove(*folder, ignored);
}

}  // namespace
}  // namespace nightlatch
