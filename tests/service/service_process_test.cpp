#include "service/service_process.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "service/service_texts.h"
#include "support/fake_clock.h"
#include "support/fake_service_process.h"
#include "support/plain_calendar.h"
#include "support/printable_text.h"
#include "support/recording_system_calls.h"

namespace nightlatch {
namespace {

using testing::FakeClock;
using testing::FakeServiceProcess;
using testing::PlainMoment;
using testing::RecordingSystemCalls;
using testing::ToUtf8;
using Calls = testing::ServiceCalls;

const TimeZone kZone{8 * 3600};
const int64_t kMoment = PlainMoment({2026, 3, 14, 22, 30, 15}, kZone);
const char kDescription[] = "方式：%d   频率：2  小时：22  分钟：30  秒：15\r\n\r\n";

std::string Description(int mode) {
  char text[128];
  std::snprintf(text, sizeof text, kDescription, mode);
  return text;
}

class ServiceProcessTest : public ::testing::Test {
 protected:
  ServiceProcessTest() { clock_.zone = kZone; }

  // One pass at the moment, after one a second earlier; what it did.
  Calls PassAtMoment(int32_t mode) {
    api_.item = DayItem{mode, 2, 22, 30, 15};
    clock_.now = kMoment - 1;
    service_.WorkerPass();
    api_.calls.clear();
    clock_.now = kMoment;
    service_.WorkerPass();
    return api_.calls;
  }

  FakeServiceProcess api_;
  FakeClock clock_;
  RecordingSystemCalls system_;
  NightlatchService service_{api_, clock_, system_};
};

// A shutdown or restart is logged after the call, with its outcome; the
// sleep states (which end the service's pass at once) before it.
TEST_F(ServiceProcessTest, PowerActionsUseTheMachineCallsAndLogTheOutcome) {
  const struct {
    int32_t mode;
    uint32_t shutdownError;
    Calls api;
    Calls system;
  } cases[] = {
      {0,
       0,
       {"ReadDayItem", "ShutDownMachine(restart=false, reason=0x80020003)",
        "AppendLog(2026-03-14 22:30:15\r\n" + Description(0) + ")"},
       {"EnableShutdownPrivilege()"}},
      {1,
       0,
       {"ReadDayItem", "ShutDownMachine(restart=true, reason=0x80020003)",
        "AppendLog(2026-03-14 22:30:15\r\n" + Description(1) + ")"},
       {"EnableShutdownPrivilege()"}},
      {0,
       1115,
       {"ReadDayItem", "ShutDownMachine(restart=false, reason=0x80020003)",
        "ReportEvent(1, 1115, InitiateSystemShutdownEx 失败。  error 1115)",
        "AppendLog(2026-03-14 22:30:15\r\nInitiateSystemShutdownEx 失败。  error 1115\r\n" +
            Description(0) + ")"},
       {"EnableShutdownPrivilege()"}},
      {4,
       0,
       {"ReadDayItem", "AppendLog(2026-03-14 22:30:15\r\n" + Description(4) + ")"},
       {"EnableShutdownPrivilege()", "SetSystemPowerState(suspend=false, force=true)"}},
      {5,
       0,
       {"ReadDayItem", "AppendLog(2026-03-14 22:30:15\r\n" + Description(5) + ")"},
       {"EnableShutdownPrivilege()", "SetSystemPowerState(suspend=true, force=true)"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    RecordingSystemCalls system;
    NightlatchService service(api_, clock_, system);
    api_.item = DayItem{c.mode, 2, 22, 30, 15};
    api_.shutdownError = c.shutdownError;
    clock_.now = kMoment - 1;
    service.WorkerPass();
    api_.calls.clear();
    clock_.now = kMoment;
    service.WorkerPass();
    EXPECT_EQ(api_.calls, c.api);
    EXPECT_EQ(system.calls(), c.system);
  }
}

TEST_F(ServiceProcessTest, DesktopActionsAreReportedNotRun) {
  const struct {
    int32_t mode;
    const char* reason;
  } cases[] = {
      {2, "未执行：“注销”需要用户的桌面，服务中不能执行\r\n"},
      {3, "未执行：“锁屏”需要用户的桌面，服务中不能执行\r\n"},
      {6, "未执行：“关闭显示器”需要用户的桌面，服务中不能执行\r\n"},
      {7, "未执行：“打开”需要用户的桌面，服务中不能执行\r\n"},
      {8, "未执行：“提醒”需要用户的桌面，服务中不能执行\r\n"},
      {42, "未执行：方式 42 不是已知的操作\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    RecordingSystemCalls system;
    NightlatchService service(api_, clock_, system);
    api_.item = DayItem{c.mode, 2, 22, 30, 15};
    clock_.now = kMoment;
    api_.calls.clear();
    service.WorkerPass();
    const std::string body = c.reason + Description(c.mode);
    EXPECT_EQ(api_.calls, (Calls{"ReadDayItem", "AppendLog(2026-03-14 22:30:15\r\n" + body + ")",
                                 "ReportEvent(1, 0, " + body + ")"}));
    EXPECT_EQ(system.calls(), Calls{});
  }
}

TEST_F(ServiceProcessTest, AFailedAppendIsReportedAndTheActionStillRuns) {
  api_.appendError = 5;
  EXPECT_EQ(PassAtMoment(4),
            (Calls{"ReadDayItem", "AppendLog(2026-03-14 22:30:15\r\n" + Description(4) + ")",
                   "ReportEvent(1, 5, helper.log 写入失败。  error 5)"}));
  EXPECT_EQ(system_.calls(),
            (Calls{"EnableShutdownPrivilege()", "SetSystemPowerState(suspend=false, force=true)"}));
}

TEST_F(ServiceProcessTest, NothingWhileTheInteractiveProgramRuns) {
  api_.interactive = true;
  EXPECT_EQ(PassAtMoment(4), Calls{"ReadDayItem"});
  EXPECT_EQ(system_.calls(), Calls{});
}

TEST_F(ServiceProcessTest, OffTheMomentOnlyReads) {
  api_.item = DayItem{4, 2, 22, 30, 15};
  // Each pass too long after the one before to catch up; the next day is odd.
  for (int64_t now : {kMoment - 1, kMoment + 10, kMoment + 86400}) {
    clock_.now = now;
    api_.calls.clear();
    service_.WorkerPass();
    EXPECT_EQ(api_.calls, Calls{"ReadDayItem"}) << now - kMoment;
  }
  EXPECT_EQ(system_.calls(), Calls{});
}

TEST_F(ServiceProcessTest, MainReportsRunningAndLoopsUntilStop) {
  api_.item = DayItem{4, 2, 22, 30, 15};
  clock_.now = kMoment - 2;
  int pauses = 0;
  // The clock goes on a second per pass; the handler's stop comes in the
  // third pause, as it would from the dispatcher's thread.
  api_.onPause = [&] {
    ++clock_.now;
    if (++pauses == 3)
      service_.Control(kControlStop);
  };
  service_.Main();
  const Calls expected{"RegisterControlHandler",
                       "SetServiceStatus(16, 4, 1, 0, 0, 0, 0)",
                       "ReadDayItem",
                       "Pause(1000)",
                       "ReadDayItem",
                       "Pause(1000)",
                       "ReadDayItem",
                       "AppendLog(2026-03-14 22:30:15\r\n" + Description(4) + ")",
                       "Pause(1000)",
                       "WakeWorker",
                       "SetServiceStatus(16, 1, 1, 0, 0, 0, 0)"};
  EXPECT_EQ(api_.calls, expected);
  EXPECT_FALSE(service_.running());
}

TEST_F(ServiceProcessTest, MainEndsWhenTheHandlerCannotBeRegistered) {
  api_.registerError = 1063;
  service_.Main();
  EXPECT_EQ(api_.calls, (Calls{"RegisterControlHandler", "ReportEvent(1, 1063,  error 1063)"}));
  EXPECT_FALSE(service_.running());
}

TEST_F(ServiceProcessTest, ControlHandlerReportsEveryControl) {
  const struct {
    uint32_t control;
    Calls expected;
  } cases[] = {
      {kControlPause, {"SetServiceStatus(16, 7, 1, 0, 0, 0, 0)"}},
      {kControlContinue, {"SetServiceStatus(16, 4, 1, 0, 0, 0, 0)"}},
      {4 /* interrogate: no change */, {"SetServiceStatus(16, 4, 1, 0, 0, 0, 0)"}},
      {kControlStop, {"WakeWorker", "SetServiceStatus(16, 1, 1, 0, 0, 0, 0)"}},
  };
  // Running first, as Main leaves it.
  api_.onPause = [&] { service_.Control(kControlStop); };
  service_.Main();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.control);
    api_.calls.clear();
    service_.Control(c.control);
    EXPECT_EQ(api_.calls, c.expected);
  }
  api_.statusError = 6;
  api_.calls.clear();
  service_.Control(4);
  EXPECT_EQ(api_.calls,
            (Calls{"SetServiceStatus(16, 1, 1, 0, 0, 0, 0)", "ReportEvent(1, 6,  error 6)"}));
}

}  // namespace
}  // namespace nightlatch
