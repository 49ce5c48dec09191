// The program on a July evening in Central Europe, with the zone Windows
// reports for TZ=Europe/Berlin: everything it shows and does is on the
// taskbar's clock, summer time included.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <filesystem>
#include <string>
#include <vector>

#include "clock/clock_window_win.h"
#include "controls/date_picker_win.h"
#include "editor/plan_dlg_win.h"
#include "platform/gdi_win.h"
#include "platform/wide_string_win.h"
#include "resources/nightlatch_ids.h"
#include "service/service_process.h"
#include "support/bitmap_file_win.h"
#include "support/dialog_driver_win.h"
#include "support/fake_service_process.h"
#include "support/main_dlg_fixture_win.h"
#include "support/printable_text.h"
#include "support/recording_system_calls.h"
#include "support/task_records.h"

namespace nightlatch {
namespace {

using testing::ClickButton;
using testing::OnNextDialog;
using testing::PumpMessages;
using testing::Text;

std::u16string ItemText(HWND dialog, int id) {
  wchar_t text[256] = {};
  ::GetDlgItemTextW(dialog, id, text, static_cast<int>(std::size(text)));
  return FromWide(text);
}

// 2026-07-15 21:00:00 UTC: 23:00 on the wall clock in Berlin.
constexpr int64_t kJulyEvening = 1784149200;

TimeZone BerlinZone() {
  const TimeZone zone = SystemTimeZone();
  EXPECT_EQ(zone.OffsetAt(kJulyEvening), 2 * 3600) << "these tests run with TZ=Europe/Berlin";
  return zone;
}

class SummerTimeTest : public testing::MainDlgFixture {
 protected:
  void SetUp() override {
    clock_.zone = BerlinZone();
    clock_.now = kJulyEvening;
  }

  std::u16string Cell(HWND list, int row, int column) const {
    wchar_t text[256] = {};
    ListView_GetItemText(list, row, column, text, static_cast<int>(std::size(text)));
    return FromWide(text);
  }
};

TEST_F(SummerTimeTest, TheClockTextsShowTheWallClockHour) {
  // The clock paints its face only with a picture beside it.
  const std::filesystem::path picture = folder_ / "face.bmp";
  testing::WriteBitmap(picture, 110, 110, 0, RGB(30, 160, 90), RGB(30, 160, 90));
  Configure(u"BACKGROUND", u"sFile01", picture.u16string());
  Open();
  Tick();
  EXPECT_EQ(Text(ItemText(dialog_->hwnd(), IDC_STATUS_LINE)),
            Text(u"当前时间：2026年7月15日 23:00:00"));
  EXPECT_EQ(Text(ItemText(dialog_->pages().simple().hwnd(), IDC_SIMPLE_NOW)),
            Text(u" 2026年7月15日 23:00:00"));

  CClockWindow* clock = dialog_->clockWindow();
  ASSERT_NE(clock, nullptr);
  const ScopedWindowDC screen(clock->hwnd());
  ScopedMemoryDC canvas(screen.get());
  ::SendMessageW(clock->hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.get()), PRF_CLIENT);
  EXPECT_EQ(Text(clock->faceTexts().time), Text(u"23:00"));
  EXPECT_EQ(Text(clock->faceTexts().date), Text(u"2026年7月15日"));
}

TEST_F(SummerTimeTest, ANewDailyTaskIsListedAndStoredAtItsWallClockTime) {
  Open();
  CPlanDlg& plan = dialog_->pages().plan();
  LocalFields at = ToLocalFields(clock_.now, clock_.zone);
  at.hour = 23;
  at.minute = 30;
  at.second = 0;
  OnNextDialog driver([&](HWND editor) {
    ClickButton(editor, IDC_TASK_MODE_EVERY_DAYS);
    SetPickerTime(::GetDlgItem(editor, IDC_TASK_TIME), at);
    ClickButton(editor, IDOK);
  });
  ::SendMessageW(plan.hwnd(), WM_COMMAND, IDC_PLAN_ADD, 0);
  PumpMessages();
  ASSERT_TRUE(driver.ran());
  ASSERT_EQ(ListView_GetItemCount(plan.list()), 1);
  EXPECT_EQ(Text(Cell(plan.list(), 0, 1)), Text(u"今天 \n23:30:00"));
  // 21:30 UTC: the task runs at 23:30 by the taskbar, not an hour later.
  EXPECT_EQ(program_.tasks().tasks().front().nextRun, kJulyEvening + 1800);
}

// The user moves from Berlin to Beijing: the daily task stays at 23:30 on
// the new wall clock, the countdown keeps its moment.
TEST_F(SummerTimeTest, ANewZoneKeepsTheWallClockTimes) {
  Open();
  program_.tasks().Add(CTask(testing::MakeRecord(kEveryNDays, kShutdown, kJulyEvening + 1800, 1)));
  program_.tasks().Add(CTask(testing::MakeRecord(kCountdown, kLock, kJulyEvening + 600, 10)));
  program_.tasks().MarkSaved();
  const TimeZone beijing(8 * 3600);
  clock_.zoneAfterChange = beijing;
  ::SendMessageW(dialog_->hwnd(), WM_TIMECHANGE, 0, 0);
  const CTask& daily = program_.tasks().tasks().front();
  const LocalFields shown = ToLocalFields(daily.nextRun, beijing);
  EXPECT_EQ(shown.hour * 100 + shown.minute, 2330);
  EXPECT_EQ(program_.tasks().tasks().back().nextRun, kJulyEvening + 600);
  EXPECT_TRUE(program_.tasks().dirty());
}

// The service's passes around its daily item at 23:00:05: it runs in that
// wall-clock second, and the log says so.
TEST(SummerTimeServiceTest, TheDailyItemRunsAtItsWallClockSecond) {
  testing::FakeServiceProcess api;
  api.item = DayItem{0, 1, 23, 0, 5};
  testing::FakeClock clock;
  clock.zone = BerlinZone();
  testing::RecordingSystemCalls system;
  NightlatchService service(api, clock, system);
  std::vector<int64_t> ran;
  for (int64_t now = kJulyEvening - 3600; now <= kJulyEvening + 3600; now += 1) {
    clock.now = now;
    api.calls.clear();
    service.WorkerPass();
    for (const std::string& call : api.calls) {
      if (call.rfind("ShutDownMachine", 0) == 0)
        ran.push_back(now);
      if (call.rfind("AppendLog", 0) == 0) {
        EXPECT_EQ(call.substr(0, 29), "AppendLog(2026-07-15 23:00:05");
      }
    }
  }
  EXPECT_EQ(ran, std::vector<int64_t>{kJulyEvening + 5});
}

}  // namespace
}  // namespace nightlatch
