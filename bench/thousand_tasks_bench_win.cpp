// Measures the task list page and the main dialog's tick with 1,000 tasks
// of every mode, under Wine, and prints the figures; the test command runs
// it and reports them. Not a unit test: it asserts only what the figures
// need (the thousand rows).
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <vector>

#include "editor/plan_dlg_win.h"
#include "engine/task_texts.h"
#include "engine/trigger_rules.h"
#include "shell/main_dlg_win.h"
#include "shell/program_win.h"
#include "support/control_host_win.h"
#include "support/dialog_driver_win.h"
#include "support/fake_clock.h"
#include "support/recording_sink.h"
#include "support/recording_system_calls.h"
#include "support/task_records.h"
#include "support/temp_folder.h"

namespace nightlatch {
namespace {

using testing::MakeRecord;
using testing::PumpMessages;

class ThousandTasks : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(host_.Open(620, 400)); }

  void TearDown() override {
    page_.reset();
    PumpMessages();
  }

  int32_t Now() const { return static_cast<int32_t>(clock_.now); }

  void WriteThousandTasks() {
    std::vector<uint8_t> bytes;
    for (int i = 0; i < 1000; ++i) {
      const int32_t mode = 1 + i % 8;
      const int32_t params[] = {0, 3, 0x7F, 15, 1225, 90, 10, 45};
      const int32_t state = i % 5 == 0 ? kStopped : kNormal;
      testing::AppendRecord(bytes, MakeRecord(mode, i % 9, Now() + 600 + i * 37, params[mode - 1],
                                              state, u"http://127.0.0.1/"));
    }
    std::ofstream(folder_ / "helper.dat", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }

  void Open() {
    page_ = std::make_unique<CPlanDlg>(program_, clock_, calls_);
    ASSERT_TRUE(page_->CreateModeless(host_.hwnd()));
    ::ShowWindow(page_->hwnd(), SW_SHOW);
    list_ = page_->list();
  }

  void Refresh() { ::SendMessageW(page_->hwnd(), WM_TIMER, CPlanDlg::kRefreshTimer, 0); }

  static double Milliseconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
  }

  // The main dialog's tick on the task file as it is, painting included,
  // over a program of its own.
  std::vector<double> Ticks() {
    Program program(folder_.u16());
    CMainDlg main(program, MainDlgServices{&clock_, &calls_});
    EXPECT_TRUE(main.CreateModeless(nullptr));
    ::ShowWindow(main.hwnd(), SW_SHOWNOACTIVATE);
    PumpMessages();
    std::vector<double> times;
    for (int run = 0; run < 30; ++run) {
      ++clock_.now;
      times.push_back(Milliseconds([&] {
        ::SendMessageW(main.hwnd(), WM_TIMER, CMainDlg::kTickTimer, 0);
        ::UpdateWindow(main.pages().simple().hwnd());
      }));
      PumpMessages();
    }
    main.DestroyWindow();
    PumpMessages();
    return times;
  }

  static void Report(const char* what, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    std::printf("%-24s min %7.2f ms  median %7.2f ms  max %7.2f ms  (%zu runs)\n", what,
                times.front(), times[times.size() / 2], times.back(), times.size());
  }

  testing::FakeClock clock_;
  testing::RecordingSystemCalls calls_;
  testing::TempFolder folder_{u"thousand tasks"};
  Program program_{folder_.u16()};
  testing::ControlHost host_;
  std::unique_ptr<CPlanDlg> page_;
  HWND list_ = nullptr;
};

TEST_F(ThousandTasks, PageAndTick) {
  // The tick's own cost first, with no task at all.
  std::vector<double> emptyTick = Ticks();
  WriteThousandTasks();
  std::vector<double> load;
  load.push_back(Milliseconds([&] { Open(); }));
  ASSERT_EQ(ListView_GetItemCount(list_), 1000);
  std::vector<double> refresh;
  std::vector<double> refreshPainted;
  std::vector<double> rebuild;
  std::vector<double> rebuildPainted;
  for (int run = 0; run < 15; ++run) {
    ++clock_.now;
    refresh.push_back(Milliseconds([&] { Refresh(); }));
    refreshPainted.push_back(refresh.back() + Milliseconds([&] { ::UpdateWindow(list_); }));
    rebuild.push_back(Milliseconds([&] { page_->Rebuild(); }));
    rebuildPainted.push_back(rebuild.back() + Milliseconds([&] { ::UpdateWindow(list_); }));
  }
  Report("page creation and load", load);
  Report("7-second refresh", refresh);
  Report("  and its painting", refreshPainted);
  Report("Rebuild", rebuild);
  Report("  and its painting", rebuildPainted);

  // What of the tick grows with the tasks: the scheduling pass and the text
  // of the next task.
  std::vector<double> pass;
  PreviousPass previous;
  testing::RecordingSink sink;
  for (int run = 0; run < 30; ++run) {
    ++clock_.now;
    pass.push_back(Milliseconds([&] {
      const PassClock clock = PassClock::At(clock_.now, clock_.zone);
      CheckDueTasks(program_.tasks(), clock, previous, sink);
      NextTaskText(program_.tasks(), clock);
    }));
  }
  Report("pass over the tasks", pass);
  page_.reset();
  Report("one-second tick, no task", emptyTick);
  Report("one-second tick", Ticks());
}

}  // namespace
}  // namespace nightlatch
