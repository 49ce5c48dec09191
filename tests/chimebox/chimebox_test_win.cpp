// The real Chimebox.exe, started as Nightlatch starts it and otherwise, and
// watched from outside: its hidden frame, its exit code and the recordings it
// plays (through the log, since Wine plays nothing without a sound device).
//   chimebox_tests <path of Chimebox.exe> [GoogleTest flags]
#include <windows.h>

#include <objbase.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chimebox/spoken_time.h"
#include "chimebox_run_win.h"
#include "platform/wide_string_win.h"
#include "support/printable_text.h"
#include "support/temp_folder.h"

namespace nightlatch::testing {
namespace {

std::wstring chimeboxPath;

constexpr DWORD kIdleLimitMs = 5000;  // what Nightlatch waits at most
constexpr DWORD kRunLimitMs = 30000;
constexpr int kFirstCommand = 57600;  // "&New"
constexpr int kAboutCommand = 57664;  // "&About Chimebox"
constexpr int kExitCommand = 57665;   // "E&xit"

std::wstring FolderOf(const std::wstring& file) {
  return file.substr(0, file.find_last_of(L'\\') + 1);
}

// The absolute paths a chain names for `time`, as the program logs them.
std::vector<std::string> ChainAt(const std::wstring& folder, const SYSTEMTIME& time) {
  std::vector<std::string> lines;
  for (std::u16string_view name : BuildSpokenTimeChain(time.wHour, time.wMinute)) {
    if (!name.empty())
      lines.push_back(Utf8(folder) + ToUtf8(name));
  }
  return lines;
}

SYSTEMTIME Now() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  return now;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines)
    out += "\n  " + line;
  return out.empty() ? " (nothing)" : out;
}

// The chain for the minute the run began in, or the next one when the clock
// turned over while it ran.
void ExpectChainOfTheRun(const std::vector<std::string>& played,
                         const std::wstring& folder,
                         const SYSTEMTIME& before,
                         const SYSTEMTIME& after) {
  const std::vector<std::string> atStart = ChainAt(folder, before);
  const std::vector<std::string> atEnd = ChainAt(folder, after);
  EXPECT_TRUE(played == atStart || played == atEnd)
      << "played:" << Joined(played) << "\nexpected:" << Joined(atStart)
      << (atEnd != atStart ? "\nor:" + Joined(atEnd) : std::string());
}

const TopLevelWindow* FindFrame(const std::vector<TopLevelWindow>& windows) {
  for (const TopLevelWindow& window : windows) {
    if (window.title == L"Chimebox")
      return &window;
  }
  return nullptr;
}

struct StartCase {
  const char* name;
  std::wstring arguments;
  std::optional<WORD> showCommand;
};

const StartCase kStarts[] = {
    {"as Nightlatch starts it", L"", SW_HIDE},
    {"with arguments", L" /min --help 12:00", SW_HIDE},
    {"asked to show its window", L"", SW_SHOWNORMAL},
    {"asked to show maximized, with an argument", L" /show", SW_SHOWMAXIMIZED},
    {"without a show command", L"", std::nullopt},
};

TEST(ChimeboxTest, HeldOnItsFirstRecordingItIsReadyHiddenAndThenSpeaksOnceAndEnds) {
  for (const StartCase& start : kStarts) {
    SCOPED_TRACE(start.name);
    ChainPipe log;
    const SYSTEMTIME before = Now();
    ChildProcess chimebox;
    ASSERT_TRUE(chimebox.Start(chimeboxPath, {start.arguments, start.showCommand, log.name()}));
    ASSERT_TRUE(log.WaitForWriter(kRunLimitMs)) << "the log was never opened";

    // The worker waits on its first line; the main thread must be idle.
    EXPECT_EQ(::WaitForInputIdle(chimebox.handle(), kIdleLimitMs), 0u);
    const std::vector<TopLevelWindow> windows = WindowsOf(chimebox.id());
    const TopLevelWindow* frame = FindFrame(windows);
    ASSERT_NE(frame, nullptr) << "no frame titled Chimebox";
    EXPECT_EQ(frame->className, L"ChimeboxFrame");
    for (const TopLevelWindow& window : windows)
      EXPECT_FALSE(window.visible) << Utf8(window.className) << " \"" << Utf8(window.title) << "\"";
    EXPECT_NE(::GetMenu(frame->hwnd), nullptr);
    EXPECT_EQ(::GetWindowLongPtrW(frame->hwnd, GWL_STYLE) & WS_OVERLAPPEDWINDOW,
              WS_OVERLAPPEDWINDOW);
    EXPECT_EQ(::GetWindowLongPtrW(frame->hwnd, GWL_EXSTYLE) & WS_EX_APPWINDOW, WS_EX_APPWINDOW);

    std::vector<std::string> played;
    while (std::optional<std::string> line = log.ReadLine(kRunLimitMs))
      played.push_back(*line);
    const std::optional<DWORD> exitCode = chimebox.WaitForExit(kRunLimitMs);
    const SYSTEMTIME after = Now();
    ASSERT_TRUE(exitCode.has_value()) << "still running after the last recording";
    EXPECT_EQ(*exitCode, 1u);
    ExpectChainOfTheRun(played, FolderOf(chimeboxPath), before, after);
  }
}

TEST(ChimeboxTest, NewAndAboutDoNothingExitEndsTheProgramWhileTheWorkerStillPlays) {
  ChainPipe log;
  ChildProcess chimebox;
  ASSERT_TRUE(chimebox.Start(chimeboxPath, {L"", SW_HIDE, log.name()}));
  ASSERT_TRUE(log.WaitForWriter(kRunLimitMs));
  ASSERT_EQ(::WaitForInputIdle(chimebox.handle(), kIdleLimitMs), 0u);
  const std::vector<TopLevelWindow> windows = WindowsOf(chimebox.id());
  const TopLevelWindow* frame = FindFrame(windows);
  ASSERT_NE(frame, nullptr);

  for (const int command : {kFirstCommand, kAboutCommand}) {
    DWORD_PTR answer = 0;
    EXPECT_NE(
        ::SendMessageTimeoutW(frame->hwnd, WM_COMMAND, command, 0, SMTO_ABORTIFHUNG, 5000, &answer),
        0)
        << command;
  }
  EXPECT_FALSE(chimebox.WaitForExit(200).has_value()) << "New or About ended the program";
  for (const TopLevelWindow& window : WindowsOf(chimebox.id()))
    EXPECT_FALSE(window.visible) << Utf8(window.className) << " \"" << Utf8(window.title) << "\"";

  // The worker is still held on its first line: the frame goes first, and
  // the program ends with the frame's quit code.
  ::PostMessageW(frame->hwnd, WM_COMMAND, kExitCommand, 0);
  const std::optional<DWORD> exitCode = chimebox.WaitForExit(kRunLimitMs);
  ASSERT_TRUE(exitCode.has_value()) << "Exit did not end the program";
  EXPECT_EQ(*exitCode, 1u);
  int lines = 0;
  while (log.ReadLine(1000))
    ++lines;
  EXPECT_LE(lines, 1) << "the worker went on after the frame had gone";
}

TEST(ChimeboxTest, TwoStartsAtOnceSpeakTwice) {
  TempFolder folder;
  const std::wstring logs[] = {(folder / L"first.log").wstring(),
                               (folder / L"second.log").wstring()};
  const SYSTEMTIME before = Now();
  ChildProcess first;
  ChildProcess second;
  ASSERT_TRUE(first.Start(chimeboxPath, {L"", SW_HIDE, logs[0]}));
  ASSERT_TRUE(second.Start(chimeboxPath, {L"", SW_HIDE, logs[1]}));
  EXPECT_FALSE(EverShowedAWindow(first, kRunLimitMs));
  const std::optional<DWORD> firstCode = first.WaitForExit(kRunLimitMs);
  const std::optional<DWORD> secondCode = second.WaitForExit(kRunLimitMs);
  const SYSTEMTIME after = Now();
  ASSERT_TRUE(firstCode.has_value() && secondCode.has_value());
  EXPECT_EQ(*firstCode, 1u);
  EXPECT_EQ(*secondCode, 1u);
  for (const std::wstring& log : logs) {
    SCOPED_TRACE(Utf8(log));
    ExpectChainOfTheRun(ReadLines(log), FolderOf(chimeboxPath), before, after);
  }
}

TEST(ChimeboxTest, AFolderWithBlanksAndChineseAndNoRecordingsStillSpeaksTheWholeChain) {
  TempFolder folder;
  const std::wstring program = (folder / L"报时 程序\\Chimebox.exe").wstring();
  ASSERT_TRUE(::CreateDirectoryW(FolderOf(program).c_str(), nullptr));
  ASSERT_TRUE(::CopyFileW(chimeboxPath.c_str(), program.c_str(), TRUE));
  const std::wstring log = (folder / L"played.log").wstring();

  const SYSTEMTIME before = Now();
  ChildProcess chimebox;
  ASSERT_TRUE(chimebox.Start(program, {L"", SW_HIDE, log}));
  const std::optional<DWORD> exitCode = chimebox.WaitForExit(kRunLimitMs);
  const SYSTEMTIME after = Now();
  ASSERT_TRUE(exitCode.has_value());
  EXPECT_EQ(*exitCode, 1u);
  ExpectChainOfTheRun(ReadLines(log), FolderOf(program), before, after);
}

TEST(ChimeboxTest, TheBuildPutsTheRecordingsAndTheReminderSoundBesideThePrograms) {
  const std::wstring folder = FolderOf(chimeboxPath);
  std::vector<std::wstring> files = {folder + L"Nightlatch.exe", folder + L"resource/sound/1.mp3"};
  for (int hour = 0; hour < 24; ++hour) {
    for (int minute = 0; minute < 60; ++minute) {
      for (std::u16string_view name : BuildSpokenTimeChain(hour, minute)) {
        if (!name.empty())
          files.push_back(folder + ToWide(name));
      }
    }
  }
  for (const std::wstring& file : files)
    EXPECT_NE(::GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES) << Utf8(file);
}

}  // namespace
}  // namespace nightlatch::testing

int wmain(int argc, wchar_t** argv) {
  ::CoInitialize(nullptr);
  testing::InitGoogleTest(&argc, argv);
  // Listing the tests (for ctest) needs no program.
  if (GTEST_FLAG_GET(list_tests))
    return RUN_ALL_TESTS();
  if (argc != 2) {
    std::fputs("usage: chimebox_tests <path of Chimebox.exe> [GoogleTest flags]\n", stderr);
    return 64;
  }
  // A POSIX path given by the test runner resolves on the current drive.
  wchar_t full[MAX_PATH] = {};
  ::GetFullPathNameW(argv[1], MAX_PATH, full, nullptr);
  nightlatch::testing::chimeboxPath = full;
  const int result = RUN_ALL_TESTS();
  ::CoUninitialize();
  return result;
}
