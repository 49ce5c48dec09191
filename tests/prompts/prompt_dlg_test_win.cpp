// The countdown prompt on its own, driven with real messages: its texts, its
// count, its buttons with and without the password, its keys, its sound, two
// prompts side by side, and its reminder mode with the painted text.
#include "prompts/prompt_dialog_win.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "controls/window_text_win.h"
#include "engine/task.h"
#include "platform/wide_string_win.h"
#include "platform/window_geometry_win.h"
#include "prompts/recording_mci.h"
#include "resources/nightlatch_messages.h"
#include "shell/program_win.h"
#include "support/dialog_driver_win.h"
#include "support/fake_clock.h"
#include "support/pixels_win.h"
#include "support/printable_text.h"
#include "support/recording_system_calls.h"
#include "support/temp_folder.h"

namespace nightlatch {
namespace {

using testing::ClickButton;
using testing::FakeClock;
using testing::PixelCanvas;
using testing::PumpMessages;
using testing::RecordingMci;
using testing::RecordingSystemCalls;
using testing::TempFolder;
using testing::Text;
using testing::ToUtf8;
using Calls = std::vector<std::string>;
using Commands = std::vector<std::string>;

constexpr UINT_PTR kCountdown = CPromptDlg::kCountdownTimer;
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// Stands where the main dialog would: writes down each WM_PROMPT_CLOSED.
class ClosedRecorder {
 public:
  ClosedRecorder() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Proc;
    windowClass.hInstance = ModuleInstance();
    windowClass.lpszClassName = kClassName;
    ::RegisterClassW(&windowClass);  // a second registration fails harmlessly
    hwnd_ = ::CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              ModuleInstance(), this);
  }
  ~ClosedRecorder() { ::DestroyWindow(hwnd_); }
  ClosedRecorder(const ClosedRecorder&) = delete;
  ClosedRecorder& operator=(const ClosedRecorder&) = delete;

  HWND hwnd() const { return hwnd_; }
  const std::vector<LPARAM>& closed() const { return closed_; }

 private:
  static constexpr wchar_t kClassName[] = L"PromptOwnerForTests";

  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
      ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<ClosedRecorder*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && message == WM_PROMPT_CLOSED) {
      self->closed_.push_back(lParam);
      return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
  }

  HWND hwnd_ = nullptr;
  std::vector<LPARAM> closed_;
};

std::u16string ItemText(HWND dialog, int id) {
  return FromWide(WindowText(::GetDlgItem(dialog, id)));
}

// The item's own visibility, also while the prompt itself is hidden.
bool ItemVisible(HWND dialog, int id) {
  return (::GetWindowLongPtrW(::GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

TaskRunRequest Request(int32_t action, int32_t warnSeconds, std::u16string_view text = u"") {
  TaskRunRequest request;
  request.name.Assign(action == kReminder ? u"闹钟提醒" : ActionName(action));
  request.action = action;
  request.pending = 1;
  request.warnSeconds = warnSeconds;
  request.text.Assign(text);
  return request;
}

void WriteFile(const std::filesystem::path& path) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << "ID3";
}

std::string ShortPath(const std::filesystem::path& path) {
  wchar_t shortPath[520] = {};
  const DWORD length = ::GetShortPathNameW(path.c_str(), shortPath, 520);
  return ToUtf8(FromWide(std::wstring_view(shortPath, length)));
}

class PromptDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(sound_);
    program_.config().Write(setting::kPassword, u"Secret1");
  }

  void TearDown() override {
    for (HWND prompt : opened_) {
      if (::IsWindow(prompt))
        ::DestroyWindow(prompt);
    }
    PumpMessages();
  }

  // Opens a prompt and shows it as the main dialog would. Its real timer is
  // stopped once it is known to run; the test ticks it with WM_TIMER.
  HWND Open(const TaskRunRequest& request) {
    CPromptDlg* prompt =
        CPromptDlg::Open(request, owner_.hwnd(),
                         PromptServices{program_, &calls_, &clock_, &mci_, sound_.u16string()});
    EXPECT_NE(prompt, nullptr);
    if (!prompt)
      return nullptr;
    prompts_.push_back(prompt);
    HWND hwnd = prompt->hwnd();
    opened_.push_back(hwnd);
    ::SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    EXPECT_TRUE(::KillTimer(hwnd, kCountdown)) << "timer 1 was not running";
    return hwnd;
  }

  const Countdown& CountdownOf(HWND hwnd) const {
    for (std::size_t i = 0; i < opened_.size(); ++i) {
      if (opened_[i] == hwnd)
        return prompts_[i]->countdown();
    }
    ADD_FAILURE() << "not a prompt of this test";
    return prompts_.front()->countdown();
  }

  std::u16string AliasOf(HWND hwnd) const {
    for (std::size_t i = 0; i < opened_.size(); ++i) {
      if (opened_[i] == hwnd)
        return prompts_[i]->soundAlias();
    }
    return u"";
  }

  static void Tick(HWND prompt, int times = 1) {
    for (int i = 0; i < times && ::IsWindow(prompt); ++i)
      ::SendMessageW(prompt, WM_TIMER, kCountdown, 0);
  }

  // A button's click as the prompt receives it, then the posted close (if
  // any) carried out.
  static void Press(HWND prompt, int id) {
    ::SendMessageW(prompt, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(prompt, id)));
    PumpMessages();
  }

  bool ReportedClosed(HWND prompt) const {
    for (std::size_t i = 0; i < opened_.size(); ++i) {
      if (opened_[i] != prompt)
        continue;
      for (LPARAM closed : owner_.closed()) {
        if (closed == reinterpret_cast<LPARAM>(prompts_[i]))
          return true;
      }
    }
    return false;
  }

  TempFolder folder_{u"prompt sounds"};
  Program program_{folder_.u16()};
  FakeClock clock_;
  RecordingSystemCalls calls_;
  RecordingMci mci_;
  ClosedRecorder owner_;
  std::filesystem::path sound_ = folder_ / u"早安 铃声.mp3";
  std::vector<CPromptDlg*> prompts_;  // valid only while the window exists
  std::vector<HWND> opened_;
};

TEST_F(PromptDlgTest, OpensWithItsTextsAndLayout) {
  HWND prompt = Open(Request(kShutdown, 30));
  ASSERT_TRUE(prompt);
  EXPECT_EQ(Text(ItemText(prompt, IDC_PROMPT_TITLE)), Text(u"Orvane关机助手提示"));
  EXPECT_EQ(Text(ItemText(prompt, IDC_PROMPT_SECONDS)), Text(u"30"));
  EXPECT_EQ(Text(ItemText(prompt, IDC_PROMPT_MESSAGE)),
            Text(u"秒后执行关机事件！\n\n赶快保存一下文件吧"));
  EXPECT_EQ(Text(ItemText(prompt, IDC_PROMPT_CANCEL)), Text(u"取消执行"));
  EXPECT_EQ(Text(ItemText(prompt, IDC_PROMPT_RUN_NOW)), Text(u"立即执行"));
  EXPECT_EQ(Text(ItemText(prompt, IDC_PROMPT_DELAY)), Text(u"延迟10分钟"));
  EXPECT_EQ(Text(ItemText(prompt, IDC_PROMPT_PASSWORD_LABEL)), Text(u"密码："));
  for (int hidden : {IDC_PROMPT_PASSWORD, IDC_PROMPT_PASSWORD_LABEL, IDC_PROMPT_TIP})
    EXPECT_FALSE(ItemVisible(prompt, hidden)) << hidden;
  EXPECT_NE(::GetWindowLongPtrW(::GetDlgItem(prompt, IDC_PROMPT_PASSWORD), GWL_STYLE) & ES_PASSWORD,
            0);

  RECT units{0, 0, 191, 121};
  ::MapDialogRect(prompt, &units);
  RECT client{};
  ::GetClientRect(prompt, &client);
  EXPECT_EQ(client.right, units.right);
  EXPECT_EQ(client.bottom, units.bottom);
  EXPECT_NE(::GetWindowLongPtrW(prompt, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0) << "no taskbar button";
  EXPECT_EQ(::GetWindowLongPtrW(prompt, GWL_STYLE) & WS_CAPTION, WS_BORDER) << "no caption";
  EXPECT_NE(::GetActiveWindow(), prompt) << "opening takes no focus";
  EXPECT_EQ(calls_.calls(), Calls{});
}

TEST_F(PromptDlgTest, CountsDownAndCarriesTheActionOutAtZero) {
  const struct {
    int32_t action;
    int32_t warnSeconds;
    const char16_t* message;
    Calls calls;
  } cases[] = {
      {kShutdown,
       3,
       u"秒后执行关机事件！\n\n赶快保存一下文件吧",
       {"EnableShutdownPrivilege()", "EndSession(flags=0x5, reason=0x80020003)"}},
      {kMonitorOff,
       1,
       u"秒后执行关闭显示器事件！\n\n赶快保存一下文件吧",
       {"Sleep(1000)", "BroadcastMonitorPower(2)"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(ToUtf8(c.message));
    calls_ = RecordingSystemCalls();
    HWND prompt = Open(Request(c.action, c.warnSeconds));
    ASSERT_TRUE(prompt);
    std::vector<std::u16string> shown;
    for (int tick = 0; tick < c.warnSeconds; ++tick) {
      Tick(prompt);
      shown.push_back(ItemText(prompt, IDC_PROMPT_SECONDS));
      EXPECT_EQ(Text(ItemText(prompt, IDC_PROMPT_MESSAGE)), Text(c.message));
    }
    EXPECT_EQ(Text(shown.front()), Text(c.warnSeconds == 3 ? u"03" : u"01"));
    EXPECT_EQ(Text(shown.back()), Text(u"01"));
    EXPECT_EQ(calls_.calls(), Calls{}) << "nothing runs before the 00 tick";
    ASSERT_TRUE(::IsWindow(prompt));
    Tick(prompt);
    EXPECT_EQ(calls_.calls(), c.calls);
    EXPECT_FALSE(::IsWindow(prompt));
    EXPECT_TRUE(ReportedClosed(prompt));
  }
}

TEST_F(PromptDlgTest, CancelAndRunNowWithoutProtection) {
  const struct {
    const char* name;
    int button;
    Calls calls;
  } cases[] = {
      {"取消执行", IDC_PROMPT_CANCEL, {}},
      {"立即执行", IDC_PROMPT_RUN_NOW, {"LockWorkStation()"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    calls_ = RecordingSystemCalls();
    HWND prompt = Open(Request(kLock, 30));
    Tick(prompt, 5);
    Press(prompt, c.button);
    EXPECT_EQ(calls_.calls(), c.calls);
    EXPECT_FALSE(::IsWindow(prompt));
    EXPECT_TRUE(ReportedClosed(prompt));
  }
}

TEST_F(PromptDlgTest, DelayHidesStopsTheSoundAndComesBackAfterSixHundredTicks) {
  HWND prompt = Open(Request(kRestart, 10));
  const std::string alias = ToUtf8(AliasOf(prompt));
  ASSERT_FALSE(alias.empty());
  Tick(prompt, 4);
  mci_.Clear();

  Press(prompt, IDC_PROMPT_DELAY);
  EXPECT_FALSE(::IsWindowVisible(prompt));
  EXPECT_TRUE(::IsWindow(prompt));
  EXPECT_EQ(mci_.commands(), Commands{"stop " + alias});
  Tick(prompt, 599);
  EXPECT_FALSE(::IsWindowVisible(prompt));
  EXPECT_EQ(mci_.commands(), Commands{"stop " + alias}) << "the sound waits for the delay's end";
  Tick(prompt);
  EXPECT_EQ(mci_.commands(),
            (Commands{"stop " + alias, "seek " + alias + " to start", "play " + alias}));
  EXPECT_FALSE(::IsWindowVisible(prompt)) << "the window follows one tick later";
  Tick(prompt);
  EXPECT_TRUE(::IsWindowVisible(prompt));
  EXPECT_NE(::GetActiveWindow(), prompt) << "back without taking the focus";
  EXPECT_EQ(Text(ItemText(prompt, IDC_PROMPT_SECONDS)), Text(u"10"));
  Tick(prompt, 9);
  EXPECT_EQ(Text(ItemText(prompt, IDC_PROMPT_SECONDS)), Text(u"01"));
  EXPECT_EQ(calls_.calls(), Calls{});
  Tick(prompt);
  EXPECT_EQ(calls_.calls(),
            (Calls{"EnableShutdownPrivilege()", "EndSession(flags=0x6, reason=0x80020003)"}));
  EXPECT_FALSE(::IsWindow(prompt));
}

class ProtectedPromptTest : public PromptDlgTest {
 protected:
  void SetUp() override {
    PromptDlgTest::SetUp();
    program_.settings.passwordOn = true;
  }

  // What one press with `entry` in the field left on screen.
  struct Attempt {
    bool open;
    bool fieldShown;
    bool tipShown;
    std::u16string tip;
  };
  Attempt PressWith(HWND prompt, int button, const wchar_t* entry) {
    if (entry)
      ::SetDlgItemTextW(prompt, IDC_PROMPT_PASSWORD, entry);
    Press(prompt, button);
    if (!::IsWindow(prompt))
      return {false, false, false, u""};
    return {true, ItemVisible(prompt, IDC_PROMPT_PASSWORD), ItemVisible(prompt, IDC_PROMPT_TIP),
            ItemText(prompt, IDC_PROMPT_TIP)};
  }
};

TEST_F(ProtectedPromptTest, CancelAsksForThePasswordAndTheCountGoesOnMeanwhile) {
  HWND prompt = Open(Request(kShutdown, 30));
  Tick(prompt);

  Attempt empty = PressWith(prompt, IDC_PROMPT_CANCEL, nullptr);
  EXPECT_TRUE(empty.open);
  EXPECT_TRUE(empty.fieldShown);
  EXPECT_TRUE(ItemVisible(prompt, IDC_PROMPT_PASSWORD_LABEL));
  EXPECT_TRUE(empty.tipShown);
  EXPECT_EQ(Text(empty.tip), Text(u"请输入密码!"));
  EXPECT_EQ(::GetFocus(), ::GetDlgItem(prompt, IDC_PROMPT_PASSWORD));
  EXPECT_TRUE(::KillTimer(prompt, CPromptDlg::kTipTimer)) << "the tip's timer runs";
  ::SendMessageW(prompt, WM_TIMER, CPromptDlg::kTipTimer, 0);
  EXPECT_FALSE(ItemVisible(prompt, IDC_PROMPT_TIP)) << "the tip hides itself";
  Tick(prompt);
  EXPECT_EQ(Text(ItemText(prompt, IDC_PROMPT_SECONDS)), Text(u"29")) << "still counting";
  EXPECT_TRUE(::IsWindowVisible(prompt));

  Attempt wrong = PressWith(prompt, IDC_PROMPT_CANCEL, L"secret1");
  EXPECT_TRUE(wrong.open);
  EXPECT_TRUE(wrong.tipShown);
  EXPECT_EQ(Text(wrong.tip), Text(u"密码错误!"));

  Attempt right = PressWith(prompt, IDC_PROMPT_CANCEL, L"Secret1");
  EXPECT_FALSE(right.open);
  EXPECT_EQ(calls_.calls(), Calls{});
  EXPECT_TRUE(ReportedClosed(prompt));
}

// The prompt compares what was typed as the password dialog does: whole,
// not cut to the stored length.
TEST_F(ProtectedPromptTest, ATypedTextLongerThanThePasswordIsWrong) {
  const std::u16string stored(259, u'k');
  program_.config().Write(setting::kPassword, stored);
  HWND prompt = Open(Request(kShutdown, 30));
  EXPECT_EQ(::SendDlgItemMessageW(prompt, IDC_PROMPT_PASSWORD, EM_GETLIMITTEXT, 0, 0), 258);
  const std::wstring longer(260, L'k');
  Attempt attempt = PressWith(prompt, IDC_PROMPT_CANCEL, longer.c_str());
  EXPECT_TRUE(attempt.open);
  EXPECT_EQ(Text(attempt.tip), Text(u"密码错误!"));
  PressWith(prompt, IDC_PROMPT_CANCEL, AsWide(stored.c_str()));
  EXPECT_FALSE(::IsWindow(prompt));
}

TEST_F(ProtectedPromptTest, ClosingFromTheKeyboardIsACancelBehindThePassword) {
  HWND prompt = Open(Request(kShutdown, 30));
  ::SendMessageW(prompt, WM_SYSCOMMAND, SC_CLOSE, 0);
  PumpMessages();
  ASSERT_TRUE(::IsWindow(prompt)) << "Alt+F4 must not get past the password";
  EXPECT_TRUE(ItemVisible(prompt, IDC_PROMPT_PASSWORD));
  EXPECT_EQ(Text(ItemText(prompt, IDC_PROMPT_TIP)), Text(u"请输入密码!"));

  ::SetDlgItemTextW(prompt, IDC_PROMPT_PASSWORD, L"Secret1");
  ::SendMessageW(prompt, WM_SYSCOMMAND, SC_CLOSE, 0);
  PumpMessages();
  EXPECT_FALSE(::IsWindow(prompt));
  EXPECT_TRUE(ReportedClosed(prompt));
  EXPECT_EQ(calls_.calls(), Calls{});
}

TEST_F(ProtectedPromptTest, RunNowNeedsNoPassword) {
  HWND prompt = Open(Request(kLogOff, 30));
  Press(prompt, IDC_PROMPT_RUN_NOW);
  EXPECT_FALSE(::IsWindow(prompt));
  EXPECT_EQ(calls_.calls(), Calls{"EndSession(flags=0x4, reason=0x0)"});
}

TEST_F(ProtectedPromptTest, ASecondDelayNeedsNoNewEntry) {
  HWND prompt = Open(Request(kStandby, 5));
  Attempt refused = PressWith(prompt, IDC_PROMPT_DELAY, L"");
  EXPECT_TRUE(refused.fieldShown);
  EXPECT_EQ(Text(refused.tip), Text(u"请输入密码!"));
  EXPECT_TRUE(::IsWindowVisible(prompt)) << "a refused delay keeps the prompt on screen";
  ::SendMessageW(prompt, WM_TIMER, CPromptDlg::kTipTimer, 0);  // two seconds later

  PressWith(prompt, IDC_PROMPT_DELAY, L"Secret1");
  EXPECT_FALSE(::IsWindowVisible(prompt));
  EXPECT_FALSE(ItemVisible(prompt, IDC_PROMPT_PASSWORD)) << "accepted: the field goes";
  Tick(prompt, 601);
  ASSERT_TRUE(::IsWindowVisible(prompt));

  Attempt again = PressWith(prompt, IDC_PROMPT_DELAY, nullptr);
  EXPECT_TRUE(again.open);
  EXPECT_FALSE(again.fieldShown);
  EXPECT_FALSE(again.tipShown);
  EXPECT_FALSE(::IsWindowVisible(prompt)) << "delayed again at once";
  EXPECT_EQ(CountdownOf(prompt).delaySeconds(), 600);
  EXPECT_EQ(calls_.calls(), Calls{});
}

TEST_F(PromptDlgTest, EnterAndEscapeDecideNothing) {
  program_.settings.passwordOn = true;
  MessageLoop loop;
  HWND prompt = Open(Request(kShutdown, 30));
  ClickButton(prompt, IDC_PROMPT_CANCEL);  // brings up the password field, focused
  ASSERT_TRUE(ItemVisible(prompt, IDC_PROMPT_PASSWORD));
  ::SetDlgItemTextW(prompt, IDC_PROMPT_PASSWORD, L"Secret1");

  const struct {
    const char* name;
    int focus;
    UINT key;
  } cases[] = {
      {"Enter on 取消执行", IDC_PROMPT_CANCEL, VK_RETURN},
      {"Enter in the password field", IDC_PROMPT_PASSWORD, VK_RETURN},
      {"Escape on 立即执行", IDC_PROMPT_RUN_NOW, VK_ESCAPE},
      {"Escape in the password field", IDC_PROMPT_PASSWORD, VK_ESCAPE},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HWND focus = ::GetDlgItem(prompt, c.focus);
    ::SetFocus(focus);
    ::PostMessageW(focus, WM_KEYDOWN, c.key, 1);
    ::PostMessageW(focus, WM_KEYUP, c.key, 0xC0000001);
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (!loop.PreTranslate(message)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
      }
    }
    ASSERT_TRUE(::IsWindow(prompt));
    EXPECT_TRUE(::IsWindowVisible(prompt));
    EXPECT_TRUE(CountdownOf(prompt).pending());
  }
  EXPECT_EQ(calls_.calls(), Calls{});
  ::DestroyWindow(prompt);  // before its message loop goes
}

TEST_F(PromptDlgTest, TheSoundSettingsDecideWhatIsOpened) {
  // ASCII: config.ini is written in the ANSI code page, which under Wine
  // here is not Chinese.
  const std::filesystem::path own = folder_ / "own chime.mp3";
  WriteFile(own);
  const struct {
    const char* name;
    const char16_t* flag;  // null: not in the file
    std::u16string file;
    std::string opened;  // the short path; empty: silent
  } cases[] = {
      {"default flag, default file", nullptr, u"", ShortPath(sound_)},
      {"flag 1, own file", u"1", own.u16string(), ShortPath(own)},
      {"flag 0", u"0", own.u16string(), ""},
      {"flag 2", u"2", u"", ""},
      {"a missing file", u"1", (folder_ / "missing.mp3").u16string(), ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ::WritePrivateProfileStringW(L"Config", L"SoundFlag", c.flag ? AsWide(c.flag) : nullptr,
                                 AsWide(program_.config().path().c_str()));
    program_.config().Write(setting::kSoundFile, c.file);
    mci_.Clear();
    HWND prompt = Open(Request(kShutdown, 1));
    const std::string alias = ToUtf8(AliasOf(prompt));
    if (c.opened.empty()) {
      EXPECT_EQ(alias, "");
      EXPECT_EQ(mci_.commands(), Commands{});
    } else {
      EXPECT_EQ(alias.rfind("song1796000000_", 0), 0u) << alias;
      EXPECT_EQ(mci_.commands(),
                (Commands{"open \"" + c.opened + "\" alias " + alias, "play " + alias}));
    }
    Tick(prompt, 2);
    EXPECT_FALSE(::IsWindow(prompt)) << "silent or not, the prompt works as usual";
    if (!alias.empty())
      EXPECT_EQ(mci_.commands().back(), "close " + alias) << "closed with the window";
    else
      EXPECT_EQ(mci_.commands(), Commands{});
  }
}

TEST_F(PromptDlgTest, TwoPromptsOfTheSameSecondAreIndependent) {
  HWND first = Open(Request(kShutdown, 3));
  HWND second = Open(Request(kRestart, 5));
  const std::string a = ToUtf8(AliasOf(first));
  const std::string b = ToUtf8(AliasOf(second));
  ASSERT_FALSE(a.empty());
  ASSERT_FALSE(b.empty());
  EXPECT_NE(a, b) << "one MCI device each";
  EXPECT_EQ(mci_.commands(),
            (Commands{"open \"" + ShortPath(sound_) + "\" alias " + a, "play " + a,
                      "open \"" + ShortPath(sound_) + "\" alias " + b, "play " + b}));
  mci_.Clear();

  Tick(first);
  Tick(second, 3);
  Press(first, IDC_PROMPT_DELAY);
  EXPECT_FALSE(::IsWindowVisible(first));
  EXPECT_TRUE(::IsWindowVisible(second));
  EXPECT_EQ(Text(ItemText(second, IDC_PROMPT_SECONDS)), Text(u"03"));
  EXPECT_EQ(mci_.commands(), Commands{"stop " + a});

  Tick(second, 3);
  EXPECT_FALSE(::IsWindow(second));
  EXPECT_TRUE(ReportedClosed(second));
  EXPECT_FALSE(ReportedClosed(first));
  EXPECT_TRUE(::IsWindow(first));
  EXPECT_EQ(mci_.commands(), (Commands{"stop " + a, "close " + b}));
  EXPECT_EQ(calls_.calls(),
            (Calls{"EnableShutdownPrivilege()", "EndSession(flags=0x6, reason=0x80020003)"}));
}

class ReminderPromptTest : public PromptDlgTest {
 protected:
  // The prompt's client area as it paints it.
  static std::unique_ptr<PixelCanvas> Paint(HWND prompt) {
    RECT client{};
    ::GetClientRect(prompt, &client);
    auto canvas = std::make_unique<PixelCanvas>(client.right, client.bottom);
    ::SendMessageW(prompt, WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas->dc()), 0);
    return canvas;
  }

  // Where the alarm line and the text go: the band under the title, twice
  // its height, and the text from the band's bottom.
  static RECT Band(HWND prompt) {
    const RECT title = BoundsInParent(::GetDlgItem(prompt, IDC_PROMPT_TITLE));
    RECT client{};
    ::GetClientRect(prompt, &client);
    return RECT{0, title.bottom, client.right, title.bottom + 2 * (title.bottom - title.top)};
  }

  static RECT Row(HWND prompt, int line) {
    const RECT band = Band(prompt);
    const int top = band.bottom + line * CPromptDlg::kReminderLineHeight;
    return RECT{0, top, band.right, top + CPromptDlg::kReminderLineHeight};
  }
};

TEST_F(ReminderPromptTest, ShowsTheAlarmAndNeverActs) {
  program_.settings.passwordOn = true;
  HWND prompt = Open(Request(kReminder, 60, u"开会"));
  EXPECT_EQ(Text(ItemText(prompt, IDC_PROMPT_CANCEL)), Text(u"我知道了"));
  EXPECT_EQ(Text(ItemText(prompt, IDC_PROMPT_TITLE)), Text(u"Orvane闹钟提醒"));
  EXPECT_FALSE(ItemVisible(prompt, IDC_PROMPT_RUN_NOW));
  EXPECT_FALSE(ItemVisible(prompt, IDC_PROMPT_SECONDS));
  EXPECT_FALSE(ItemVisible(prompt, IDC_PROMPT_MESSAGE));
  EXPECT_TRUE(ItemVisible(prompt, IDC_PROMPT_DELAY));

  Tick(prompt, 3600);
  EXPECT_TRUE(::IsWindowVisible(prompt)) << "stays until acknowledged";
  EXPECT_EQ(calls_.calls(), Calls{});

  Press(prompt, IDC_PROMPT_CANCEL);
  EXPECT_FALSE(::IsWindow(prompt)) << "我知道了 asks no password";
  EXPECT_FALSE(ItemVisible(prompt, IDC_PROMPT_PASSWORD));
  EXPECT_TRUE(ReportedClosed(prompt));
  EXPECT_EQ(calls_.calls(), Calls{});
}

TEST_F(ReminderPromptTest, SnoozeHidesStopsTheSoundAndBringsItBackRepainted) {
  program_.settings.passwordOn = true;
  clock_.now = FromLocalFields(LocalFields{2026, 11, 0, 29, 8, 5, 0}, clock_.zone);
  HWND prompt = Open(Request(kReminder, 60, u"开会"));
  const std::string alias = ToUtf8(AliasOf(prompt));
  Tick(prompt);
  const RECT band = Band(prompt);
  const int before = Paint(prompt)->Count(kYellow, band);
  EXPECT_GT(before, 0) << "the alarm line is yellow";
  mci_.Clear();

  Press(prompt, IDC_PROMPT_DELAY);
  EXPECT_FALSE(::IsWindowVisible(prompt));
  EXPECT_FALSE(ItemVisible(prompt, IDC_PROMPT_PASSWORD)) << "a snooze asks no password";
  EXPECT_EQ(mci_.commands(), Commands{"stop " + alias});
  Tick(prompt, 600);
  EXPECT_EQ(mci_.commands(),
            (Commands{"stop " + alias, "seek " + alias + " to start", "play " + alias}));
  clock_.now += 601;
  Tick(prompt);
  EXPECT_TRUE(::IsWindowVisible(prompt));

  // Now 08:15: the line shows the time of each paint, not of the alarm.
  std::unique_ptr<PixelCanvas> now = Paint(prompt);
  clock_.now -= 601;
  std::unique_ptr<PixelCanvas> then = Paint(prompt);
  int differing = 0;
  for (int y = band.top; y < band.bottom; ++y)
    for (int x = band.left; x < band.right; ++x)
      differing += now->At(x, y) != then->At(x, y) ? 1 : 0;
  EXPECT_GT(differing, 0) << "the painted time follows the clock";
  EXPECT_EQ(calls_.calls(), Calls{});
}

TEST_F(ReminderPromptTest, TheTextContinuesOnTheNextLineAfterALineFeed) {
  const struct {
    const char* name;
    const char16_t* text;
    bool secondLine;
  } cases[] = {{"one line", u"带上材料", false}, {"line feed", u"带上\n材料", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HWND prompt = Open(Request(kReminder, 60, c.text));
    std::unique_ptr<PixelCanvas> canvas = Paint(prompt);
    EXPECT_GT(canvas->Count(kWhite, Row(prompt, 0)), 0) << "the first line is white";
    EXPECT_EQ(canvas->Count(kWhite, Row(prompt, 1)) > 0, c.secondLine);
    ::DestroyWindow(prompt);
  }
}

TEST_F(ReminderPromptTest, OnlyACountdownDrawsThePicture) {
  // The picture's clock face, 81 x 81 at (50, 50); its magenta corners are
  // left out.
  const struct {
    int32_t action;
    bool face;
  } cases[] = {{kShutdown, true}, {kReminder, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.action);
    HWND prompt = Open(Request(c.action, 60));
    std::unique_ptr<PixelCanvas> canvas = Paint(prompt);
    EXPECT_EQ(canvas->At(50 + 22, 50 + 44) == testing::Rgb(kWhite), c.face);
    EXPECT_EQ(canvas->Count(RGB(255, 0, 255), RECT{50, 50, 131, 131}), 0);
    EXPECT_EQ(canvas->Count(kYellow, Band(prompt)) > 0, !c.face);
    ::DestroyWindow(prompt);
  }
}

}  // namespace
}  // namespace nightlatch
