#include "engine/actions.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "support/recording_system_calls.h"

namespace nightlatch {
namespace {

using testing::RecordingSystemCalls;
using Calls = std::vector<std::string>;

struct ActionCase {
  const char* name;
  int32_t action;
  std::u16string text;
  Calls expected;
};

// Flags and reasons are the documented ExitWindowsEx values, written out
// here rather than taken from the engine's constants.
const ActionCase kActionCases[] = {
    {"shutdown", 0, u"", {"EnableShutdownPrivilege()", "EndSession(flags=0x5, reason=0x80020003)"}},
    {"restart", 1, u"", {"EnableShutdownPrivilege()", "EndSession(flags=0x6, reason=0x80020003)"}},
    {"log off: no privilege step, reason 0", 2, u"", {"EndSession(flags=0x4, reason=0x0)"}},
    {"lock: no privilege step", 3, u"", {"LockWorkStation()"}},
    {"hibernate: suspend false",
     4,
     u"",
     {"EnableShutdownPrivilege()", "SetSystemPowerState(suspend=false, force=true)"}},
    {"standby: suspend true",
     5,
     u"",
     {"EnableShutdownPrivilege()", "SetSystemPowerState(suspend=true, force=true)"}},
    {"monitor off: wait, then broadcast 2", 6, u"", {"Sleep(1000)", "BroadcastMonitorPower(2)"}},
    {"open a web address", 7, u"http://example.com/", {"ShellOpen(http://example.com/)"}},
    {"open with empty text does nothing", 7, u"", {}},
    {"reminder does nothing here", 8, u"闹钟", {}},
    {"9 does nothing", 9, u"x", {}},
    {"negative does nothing", -1, u"x", {}},
    {"large does nothing", 1000, u"x", {}},
    {"INT_MAX does nothing", INT_MAX, u"x", {}},
    {"INT_MIN does nothing", INT_MIN, u"x", {}},
    // The text belongs to Open alone.
    {"shutdown ignores a text",
     0,
     u"C:\\a.exe",
     {"EnableShutdownPrivilege()", "EndSession(flags=0x5, reason=0x80020003)"}},
    {"lock ignores a text", 3, u"C:\\a.exe", {"LockWorkStation()"}},
};

TEST(ExecuteActionTest, MakesExactlyTheCallsOfEachAction) {
  for (const ActionCase& c : kActionCases) {
    SCOPED_TRACE(c.name);
    RecordingSystemCalls system;
    ExecuteAction(c.action, c.text, system);
    EXPECT_EQ(system.calls(), c.expected);
  }
}

// The privilege result is ignored: the power call is made regardless.
TEST(ExecuteActionTest, PowerCallFollowsEvenWhenPrivilegeIsRefused) {
  for (const ActionCase& c : kActionCases) {
    SCOPED_TRACE(c.name);
    RecordingSystemCalls system(/*privilegeGranted=*/false);
    ExecuteAction(c.action, c.text, system);
    EXPECT_EQ(system.calls(), c.expected);
  }
}

TEST(ExecuteActionTest, OnlyPowerActionsThatNeedItTouchThePrivilege) {
  for (int32_t action = -2; action <= 10; ++action) {
    SCOPED_TRACE("action " + std::to_string(action));
    RecordingSystemCalls system;
    ExecuteAction(action, u"text", system);
    const bool touched =
        !system.calls().empty() && system.calls().front() == "EnableShutdownPrivilege()";
    const bool needsPrivilege = action == 0 || action == 1 || action == 4 || action == 5;
    EXPECT_EQ(touched, needsPrivilege);
  }
}

TEST(OpenTargetTest, PassesTheTextUnchanged) {
  const std::u16string texts[] = {
      u"http://example.com/a b?x=1&y=中文#frag",
      u"C:\\Program Files\\Tool\\tool.exe -silent /q",  // not split: the whole text is the file
      u"\"C:\\quoted path\\a.txt\"",
      u"  leading and trailing spaces  ",
      u"D:\\\U0001F600\\报告.docx",
      std::u16string(119, u'x'),
  };
  for (const std::u16string& text : texts) {
    SCOPED_TRACE(testing::ToUtf8(text));
    RecordingSystemCalls viaOpen;
    OpenTarget(text, viaOpen);
    ASSERT_EQ(viaOpen.openedFiles().size(), 1u);
    EXPECT_EQ(testing::Text(viaOpen.openedFiles()[0]), testing::Text(text));
    EXPECT_EQ(viaOpen.calls().size(), 1u);

    RecordingSystemCalls viaAction;
    ExecuteAction(7, text, viaAction);
    ASSERT_EQ(viaAction.openedFiles().size(), 1u);
    EXPECT_EQ(testing::Text(viaAction.openedFiles()[0]), testing::Text(text));
  }
}

TEST(OpenTargetTest, EmptyTextMakesNoShellCall) {
  RecordingSystemCalls system;
  OpenTarget(u"", system);
  OpenTarget(std::u16string_view(), system);
  EXPECT_EQ(system.calls(), Calls{});
}

}  // namespace
}  // namespace nightlatch
