// The add/modify dialog on its real template: what each flavour and mode
// shows, what 确定 stores or refuses, 是网址, 选择 and 试打开.
#include "editor/add_task_dlg_win.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <dlgs.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>

#include "controls/date_picker_win.h"
#include "controls/window_text_win.h"
#include "engine/trigger_rules.h"
#include "platform/wide_string_win.h"
#include "platform/window_geometry_win.h"
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
using testing::OnNextDialog;
using testing::RecordingSystemCalls;
using testing::TempFolder;
using testing::Text;

std::u16string ItemText(HWND dialog, int id) {
  return FromWide(WindowText(::GetDlgItem(dialog, id)));
}

bool Visible(HWND dialog, int id) {
  return ::IsWindowVisible(::GetDlgItem(dialog, id)) != FALSE;
}

int Selection(HWND dialog, int id) {
  return static_cast<int>(::SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0));
}

int Count(HWND dialog, int id) {
  return static_cast<int>(::SendDlgItemMessageW(dialog, id, CB_GETCOUNT, 0, 0));
}

std::u16string Entry(HWND dialog, int id, int index) {
  wchar_t text[64] = {};
  ::SendDlgItemMessageW(dialog, id, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
  return FromWide(text);
}

void Choose(HWND dialog, int id, int index) {
  ::SendDlgItemMessageW(dialog, id, CB_SETCURSEL, index, 0);
}

void Type(HWND dialog, int id, std::u16string_view text) {
  ::SetDlgItemTextW(dialog, id, ToWide(text).c_str());
}

bool Checked(HWND dialog, int id) {
  return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

bool ReadOnly(HWND dialog, int id) {
  return (::GetWindowLongPtrW(::GetDlgItem(dialog, id), GWL_STYLE) & ES_READONLY) != 0;
}

SYSTEMTIME Picker(HWND dialog, int id) {
  return PickerTime(::GetDlgItem(dialog, id));
}

void SetPicker(HWND dialog, int id, const LocalFields& fields) {
  SetPickerTime(::GetDlgItem(dialog, id), fields);
}

RECT Bounds(HWND dialog, int id) {
  return BoundsInParent(::GetDlgItem(dialog, id));
}

// Every control a mode or flavour shows or hides.
const int kSwitched[] = {
    IDC_TASK_DATE,         IDC_TASK_TIME,        IDC_TASK_EVERY,         IDC_TASK_EVERY_DAYS,
    IDC_TASK_DAYS_LABEL,   IDC_TASK_MONDAY,      IDC_TASK_TUESDAY,       IDC_TASK_WEDNESDAY,
    IDC_TASK_THURSDAY,     IDC_TASK_FRIDAY,      IDC_TASK_SATURDAY,      IDC_TASK_SUNDAY,
    IDC_TASK_MONTH_DAY,    IDC_TASK_MONTH,       IDC_TASK_YEAR_DAY,      IDC_TASK_HOURS,
    IDC_TASK_HOURS_LABEL,  IDC_TASK_MINUTES,     IDC_TASK_MINUTES_LABEL, IDC_TASK_ENTRY,
    IDC_TASK_BROWSE,       IDC_TASK_TRY_OPEN,    IDC_TASK_IS_URL,        IDC_TASK_ACTION,
    IDC_TASK_WARN_CAPTION, IDC_TASK_WARN_BEFORE, IDC_TASK_WARN,          IDC_TASK_WARN_AFTER,
    IDC_TASK_MESSAGE};

std::set<int> VisibleSwitched(HWND dialog) {
  std::set<int> shown;
  for (const int id : kSwitched)
    if (Visible(dialog, id))
      shown.insert(id);
  return shown;
}

const std::set<int> kPowerRows = {IDC_TASK_ACTION, IDC_TASK_WARN_CAPTION, IDC_TASK_WARN_BEFORE,
                                  IDC_TASK_WARN, IDC_TASK_WARN_AFTER};

std::set<int> With(std::set<int> ids, std::initializer_list<int> more) {
  ids.insert(more);
  return ids;
}

class AddTaskDlgTest : public ::testing::Test {
 protected:
  // Runs the editor; `action` gets its window and is expected to close it.
  INT_PTR Run(CAddTaskDlg& editor, std::function<void(HWND)> action) {
    OnNextDialog driver(std::move(action));
    const INT_PTR result = editor.Run();
    EXPECT_TRUE(driver.ran()) << "the editor never showed";
    return result;
  }

  LocalFields Today() const { return ToLocalFields(clock_.now, clock_.zone); }

  FakeClock clock_;
  RecordingSystemCalls calls_;
};

TEST_F(AddTaskDlgTest, BlankEditorStartsAsFixedAtThePresentWithTheDefaults) {
  CAddTaskDlg editor(clock_, calls_);
  const LocalFields today = Today();
  const INT_PTR result = Run(editor, [&](HWND dialog) {
    EXPECT_EQ(Text(ItemText(dialog, IDC_TASK_TITLE)), Text(u"定时任务-添加"));
    EXPECT_TRUE(Checked(dialog, IDC_TASK_MODE_FIXED));
    EXPECT_EQ(VisibleSwitched(dialog), With(kPowerRows, {IDC_TASK_DATE, IDC_TASK_TIME}));
    const SYSTEMTIME date = Picker(dialog, IDC_TASK_DATE);
    const SYSTEMTIME time = Picker(dialog, IDC_TASK_TIME);
    EXPECT_EQ((std::array<int, 3>{date.wYear, date.wMonth, date.wDay}),
              (std::array<int, 3>{today.year, today.month, today.day}));
    EXPECT_EQ((std::array<int, 3>{time.wHour, time.wMinute, time.wSecond}),
              (std::array<int, 3>{today.hour, today.minute, today.second}));

    EXPECT_EQ(Count(dialog, IDC_TASK_ACTION), 7);
    EXPECT_EQ(Text(Entry(dialog, IDC_TASK_ACTION, 0)), Text(u"关机"));
    EXPECT_EQ(Text(Entry(dialog, IDC_TASK_ACTION, 6)), Text(u"关闭显示器"));
    EXPECT_EQ(Selection(dialog, IDC_TASK_ACTION), 0);
    EXPECT_EQ(Count(dialog, IDC_TASK_WARN), 100);
    EXPECT_EQ(Text(Entry(dialog, IDC_TASK_WARN, 99)), Text(u"99"));
    EXPECT_EQ(Selection(dialog, IDC_TASK_WARN), 30);
    EXPECT_EQ(Count(dialog, IDC_TASK_EVERY_DAYS), 31);
    EXPECT_EQ(Text(Entry(dialog, IDC_TASK_EVERY_DAYS, 0)), Text(u" 1"));
    EXPECT_EQ(Text(Entry(dialog, IDC_TASK_MONTH_DAY, 30)), Text(u"31日"));
    EXPECT_EQ(Text(Entry(dialog, IDC_TASK_MONTH, 0)), Text(u" 1月"));
    EXPECT_EQ(Count(dialog, IDC_TASK_MONTH), 12);
    EXPECT_EQ(Count(dialog, IDC_TASK_HOURS), 25);
    EXPECT_EQ(Selection(dialog, IDC_TASK_HOURS), 1);
    EXPECT_EQ(Count(dialog, IDC_TASK_MINUTES), 60);
    EXPECT_EQ(Text(Entry(dialog, IDC_TASK_MINUTES, 59)), Text(u"59"));
    for (const int id : {IDC_TASK_MONDAY, IDC_TASK_FRIDAY})
      EXPECT_TRUE(Checked(dialog, id)) << id;
    for (const int id : {IDC_TASK_SATURDAY, IDC_TASK_SUNDAY})
      EXPECT_FALSE(Checked(dialog, id)) << id;
    ClickButton(dialog, IDCANCEL);
  });
  EXPECT_EQ(result, IDCANCEL);
}

TEST_F(AddTaskDlgTest, EachModeShowsItsOwnControls) {
  const std::set<int> weekdays = {IDC_TASK_MONDAY,   IDC_TASK_TUESDAY, IDC_TASK_WEDNESDAY,
                                  IDC_TASK_THURSDAY, IDC_TASK_FRIDAY,  IDC_TASK_SATURDAY,
                                  IDC_TASK_SUNDAY};
  std::set<int> weekly = With(kPowerRows, {IDC_TASK_TIME});
  weekly.insert(weekdays.begin(), weekdays.end());
  const struct {
    int radio;
    std::set<int> shown;
    const char16_t* minutesLabel;
  } cases[] = {
      {IDC_TASK_MODE_FIXED, With(kPowerRows, {IDC_TASK_DATE, IDC_TASK_TIME}), nullptr},
      {IDC_TASK_MODE_EVERY_DAYS,
       With(kPowerRows, {IDC_TASK_TIME, IDC_TASK_EVERY, IDC_TASK_EVERY_DAYS, IDC_TASK_DAYS_LABEL}),
       nullptr},
      {IDC_TASK_MODE_WEEKLY, weekly, nullptr},
      {IDC_TASK_MODE_MONTHLY, With(kPowerRows, {IDC_TASK_TIME, IDC_TASK_MONTH_DAY}), nullptr},
      {IDC_TASK_MODE_YEARLY, With(kPowerRows, {IDC_TASK_TIME, IDC_TASK_MONTH, IDC_TASK_YEAR_DAY}),
       nullptr},
      {IDC_TASK_MODE_INTERVAL,
       With(kPowerRows, {IDC_TASK_EVERY, IDC_TASK_HOURS, IDC_TASK_HOURS_LABEL, IDC_TASK_MINUTES,
                         IDC_TASK_MINUTES_LABEL}),
       u"分钟执行一次"},
      {IDC_TASK_MODE_IDLE,
       With(kPowerRows,
            {IDC_TASK_HOURS, IDC_TASK_HOURS_LABEL, IDC_TASK_MINUTES, IDC_TASK_MINUTES_LABEL}),
       u"分钟 无人操作执行"},
      {IDC_TASK_MODE_COUNTDOWN,
       With(kPowerRows,
            {IDC_TASK_HOURS, IDC_TASK_HOURS_LABEL, IDC_TASK_MINUTES, IDC_TASK_MINUTES_LABEL}),
       u"分钟后 执行"},
  };
  CAddTaskDlg editor(clock_, calls_);
  Run(editor, [&](HWND dialog) {
    // In an order that leaves something to hide at every step.
    for (const int order : {5, 0, 2, 7, 1, 4, 6, 3}) {
      const auto& c = cases[order];
      SCOPED_TRACE(c.radio);
      ClickButton(dialog, c.radio);
      EXPECT_TRUE(Checked(dialog, c.radio));
      EXPECT_EQ(VisibleSwitched(dialog), c.shown);
      if (c.minutesLabel) {
        EXPECT_EQ(Text(ItemText(dialog, IDC_TASK_MINUTES_LABEL)), Text(c.minutesLabel));
      }
    }
    ClickButton(dialog, IDCANCEL);
  });
}

// Every mode's controls start at the corner of 每 on the 执行时间 row.
TEST_F(AddTaskDlgTest, ModeControlsShareOneRow) {
  CAddTaskDlg editor(clock_, calls_);
  Run(editor, [&](HWND dialog) {
    const RECT every = Bounds(dialog, IDC_TASK_EVERY);
    for (const int id : {IDC_TASK_DATE, IDC_TASK_MONDAY, IDC_TASK_MONTH_DAY, IDC_TASK_MONTH}) {
      const RECT area = Bounds(dialog, id);
      EXPECT_EQ(area.left, every.left) << id;
      EXPECT_EQ(area.top, every.top) << id;
    }
    const int dayStep =
        Bounds(dialog, IDC_TASK_TUESDAY).right - Bounds(dialog, IDC_TASK_TUESDAY).left;
    int expectedLeft = Bounds(dialog, IDC_TASK_MONDAY).right;
    for (int id = IDC_TASK_TUESDAY; id <= IDC_TASK_SUNDAY; ++id) {
      EXPECT_EQ(Bounds(dialog, id).left, expectedLeft) << id;
      EXPECT_EQ(Bounds(dialog, id).top, every.top) << id;
      expectedLeft += dayStep;
    }
    EXPECT_EQ(Bounds(dialog, IDC_TASK_YEAR_DAY).left, Bounds(dialog, IDC_TASK_MONTH).right + 10);
    int left = every.right;
    for (const int id :
         {IDC_TASK_HOURS, IDC_TASK_HOURS_LABEL, IDC_TASK_MINUTES, IDC_TASK_MINUTES_LABEL}) {
      const RECT area = Bounds(dialog, id);
      EXPECT_GT(area.left, left) << id << " comes after the one before";
      EXPECT_LE(area.left, left + 6) << id;
      EXPECT_EQ(area.top, every.top) << id;
      left = area.right;
    }
    ClickButton(dialog, IDCANCEL);
  });
}

TEST_F(AddTaskDlgTest, OkStoresAPowerTaskWithItsFirstRun) {
  CAddTaskDlg editor(clock_, calls_);
  const INT_PTR result = Run(editor, [&](HWND dialog) {
    ClickButton(dialog, IDC_TASK_MODE_COUNTDOWN);
    Choose(dialog, IDC_TASK_HOURS, 1);
    Choose(dialog, IDC_TASK_MINUTES, 30);
    Choose(dialog, IDC_TASK_ACTION, kHibernate);
    Choose(dialog, IDC_TASK_WARN, 45);
    ClickButton(dialog, IDOK);
  });
  ASSERT_EQ(result, IDOK);
  const TaskFileRecord& task = editor.task();
  EXPECT_EQ(task.id, 0) << "the list gives the id";
  EXPECT_EQ(task.mode, kCountdown);
  EXPECT_EQ(task.action, kHibernate);
  EXPECT_EQ(task.param, 90);
  EXPECT_EQ(task.start, clock_.now);
  EXPECT_EQ(task.nextRun, clock_.now + 90 * 60);
  EXPECT_EQ(task.warnSeconds, 45);
  EXPECT_EQ(task.created, clock_.now);
  EXPECT_EQ(task.state, kNormal);
  EXPECT_EQ(task.text[0], u'\0');
}

TEST_F(AddTaskDlgTest, WeeklyTaskReadsTheBoxesAndTheTimePicker) {
  CAddTaskDlg editor(clock_, calls_);
  LocalFields at = Today();  // a Monday, 08:53:20
  ASSERT_EQ(at.weekday, 1);
  at.hour = 7;
  at.minute = 0;
  at.second = 0;
  const INT_PTR result = Run(editor, [&](HWND dialog) {
    ClickButton(dialog, IDC_TASK_MODE_WEEKLY);
    SetPicker(dialog, IDC_TASK_TIME, at);
    for (const int id : {IDC_TASK_MONDAY, IDC_TASK_TUESDAY, IDC_TASK_FRIDAY})
      ClickButton(dialog, id);             // off
    ClickButton(dialog, IDC_TASK_SUNDAY);  // on
    ClickButton(dialog, IDOK);
  });
  ASSERT_EQ(result, IDOK);
  EXPECT_EQ(editor.task().param, 4 | 8 | 64);
  // Monday 07:00 has passed; Wednesday is the next day in the mask.
  at.day += 2;
  EXPECT_EQ(editor.task().nextRun, FromLocalFields(at, clock_.zone));
}

TEST_F(AddTaskDlgTest, RefusalShowsTheMessageLineAndKeepsTheInput) {
  CAddTaskDlg editor(clock_, calls_);
  const INT_PTR result = Run(editor, [&](HWND dialog) {
    // The pickers show the present second: not later than now.
    ClickButton(dialog, IDOK);
    EXPECT_TRUE(::IsWindow(dialog)) << "a refused check leaves the dialog open";
    EXPECT_TRUE(Visible(dialog, IDC_TASK_MESSAGE));
    EXPECT_EQ(Text(ItemText(dialog, IDC_TASK_MESSAGE)), Text(u"定时的时间不能小于当前时间"));
    EXPECT_TRUE(Checked(dialog, IDC_TASK_MODE_FIXED));

    ClickButton(dialog, IDC_TASK_MODE_INTERVAL);
    Choose(dialog, IDC_TASK_HOURS, 0);
    Choose(dialog, IDC_TASK_MINUTES, 0);
    ClickButton(dialog, IDOK);
    EXPECT_EQ(Text(ItemText(dialog, IDC_TASK_MESSAGE)), Text(u"请重新选择小时或分钟！"));
    EXPECT_EQ(Selection(dialog, IDC_TASK_HOURS), 0);

    testing::PumpMessagesFor(3300);
    EXPECT_FALSE(Visible(dialog, IDC_TASK_MESSAGE)) << "hidden again after three seconds";

    Choose(dialog, IDC_TASK_HOURS, 24);
    Choose(dialog, IDC_TASK_MINUTES, 59);
    ClickButton(dialog, IDOK);
  });
  ASSERT_EQ(result, IDOK);
  EXPECT_EQ(editor.task().mode, kInterval);
  EXPECT_EQ(editor.task().param, 1499);
}

TEST_F(AddTaskDlgTest, OpenFlavourTakesAnAddressOnlyWhenMarkedAsOne) {
  CAddTaskDlg editor(CAddTaskDlg::kOpenFlavour, clock_, calls_);
  const INT_PTR result = Run(editor, [&](HWND dialog) {
    EXPECT_EQ(Text(FromWide(WindowText(dialog))), Text(u"定时打开任务"));
    EXPECT_EQ(Text(ItemText(dialog, IDC_TASK_ACTION_CAPTION)), Text(u"选择程序"));
    EXPECT_EQ(VisibleSwitched(dialog),
              (std::set<int>{IDC_TASK_DATE, IDC_TASK_TIME, IDC_TASK_ENTRY, IDC_TASK_BROWSE,
                             IDC_TASK_TRY_OPEN, IDC_TASK_IS_URL}));
    EXPECT_TRUE(ReadOnly(dialog, IDC_TASK_ENTRY)) << "a file comes from 选择";
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_TASK_BROWSE)));

    ClickButton(dialog, IDC_TASK_IS_URL);
    EXPECT_FALSE(ReadOnly(dialog, IDC_TASK_ENTRY));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_TASK_BROWSE)));
    EXPECT_EQ(Text(ItemText(dialog, IDC_TASK_ENTRY)), Text(u"http://"));

    ClickButton(dialog, IDC_TASK_MODE_COUNTDOWN);
    EXPECT_FALSE(ReadOnly(dialog, IDC_TASK_ENTRY)) << "a mode switch keeps the address editable";
    ClickButton(dialog, IDOK);
    EXPECT_EQ(Text(ItemText(dialog, IDC_TASK_MESSAGE)), Text(u"打开的程序或网址不能为空！"));

    Type(dialog, IDC_TASK_ENTRY, u"http://127.0.0.1/日程");
    ClickButton(dialog, IDOK);
  });
  ASSERT_EQ(result, IDOK);
  TaskText text;
  text.AssignUnits(editor.task().text);
  EXPECT_EQ(Text(text.View()), Text(u"http://127.0.0.1/日程"));
  EXPECT_EQ(editor.task().action, kOpen);
  EXPECT_EQ(editor.task().warnSeconds, 0);
  EXPECT_TRUE(calls_.calls().empty()) << "nothing is opened by 确定";
}

TEST_F(AddTaskDlgTest, TryOpenGoesThroughTheSeamAndKeepsTheEntry) {
  CAddTaskDlg editor(CAddTaskDlg::kOpenFlavour, clock_, calls_);
  const INT_PTR result = Run(editor, [&](HWND dialog) {
    ClickButton(dialog, IDC_TASK_TRY_OPEN);
    EXPECT_TRUE(calls_.openedFiles().empty()) << "an empty entry opens nothing";

    ClickButton(dialog, IDC_TASK_IS_URL);
    Type(dialog, IDC_TASK_ENTRY, u"http://127.0.0.1/试");
    ClickButton(dialog, IDC_TASK_TRY_OPEN);
    ClickButton(dialog, IDC_TASK_IS_URL);  // off: the tried entry stays
    EXPECT_EQ(Text(ItemText(dialog, IDC_TASK_ENTRY)), Text(u"http://127.0.0.1/试"));
    EXPECT_TRUE(ReadOnly(dialog, IDC_TASK_ENTRY));
    ClickButton(dialog, IDCANCEL);
  });
  EXPECT_EQ(result, IDCANCEL);
  ASSERT_EQ(calls_.openedFiles().size(), 1u);
  EXPECT_EQ(Text(calls_.openedFiles()[0]), Text(u"http://127.0.0.1/试"));
}

TEST_F(AddTaskDlgTest, OpenEntryTakesItsPlaceBesideTheButtons) {
  for (const int flavour : {CAddTaskDlg::kOpenFlavour, CAddTaskDlg::kReminderFlavour}) {
    SCOPED_TRACE(flavour);
    CAddTaskDlg editor(flavour, clock_, calls_);
    Run(editor, [&](HWND dialog) {
      const RECT action = Bounds(dialog, IDC_TASK_ACTION);
      const RECT entry = Bounds(dialog, IDC_TASK_ENTRY);
      const RECT browse = Bounds(dialog, IDC_TASK_BROWSE);
      const RECT tryOpen = Bounds(dialog, IDC_TASK_TRY_OPEN);
      EXPECT_EQ(entry.left, action.left);
      EXPECT_EQ(entry.top, action.top);
      const int buttonWidth = browse.right - browse.left;
      RECT templateEntry{0, 0, 129, 16};
      ::MapDialogRect(dialog, &templateEntry);
      if (flavour == CAddTaskDlg::kOpenFlavour) {
        EXPECT_EQ(entry.right - entry.left, templateEntry.right);
        EXPECT_EQ(browse.left, entry.right + 10);
        EXPECT_EQ(tryOpen.left, browse.right + 10);
        EXPECT_EQ(browse.top, entry.top);
      } else {
        // Without the buttons, the reminder's text takes their room.
        EXPECT_EQ(entry.right - entry.left, templateEntry.right + 3 * buttonWidth);
      }
      ClickButton(dialog, IDCANCEL);
    });
  }
}

TEST_F(AddTaskDlgTest, ReminderFlavourChecksItsText) {
  CAddTaskDlg editor(CAddTaskDlg::kReminderFlavour, clock_, calls_);
  const std::u16string full(110, u'醒');
  const INT_PTR result = Run(editor, [&](HWND dialog) {
    EXPECT_EQ(Text(FromWide(WindowText(dialog))), Text(u"闹钟提醒任务"));
    EXPECT_EQ(Text(ItemText(dialog, IDC_TASK_ACTION_CAPTION)), Text(u"提醒内容"));
    EXPECT_EQ(VisibleSwitched(dialog),
              (std::set<int>{IDC_TASK_DATE, IDC_TASK_TIME, IDC_TASK_ENTRY}));
    EXPECT_FALSE(ReadOnly(dialog, IDC_TASK_ENTRY));
    ClickButton(dialog, IDC_TASK_MODE_IDLE);

    ClickButton(dialog, IDOK);
    EXPECT_EQ(Text(ItemText(dialog, IDC_TASK_MESSAGE)), Text(u"闹钟提醒内容不能为空！"));
    Type(dialog, IDC_TASK_ENTRY, full + u"!");
    ClickButton(dialog, IDOK);
    EXPECT_EQ(Text(ItemText(dialog, IDC_TASK_MESSAGE)), Text(u"闹钟提醒内容不能超过110个字！"));
    Type(dialog, IDC_TASK_ENTRY, full);
    ClickButton(dialog, IDOK);
  });
  ASSERT_EQ(result, IDOK);
  TaskText text;
  text.AssignUnits(editor.task().text);
  EXPECT_EQ(Text(text.View()), Text(full));
  EXPECT_EQ(editor.task().action, kReminder);
  EXPECT_EQ(editor.task().warnSeconds, 60);
  EXPECT_EQ(editor.task().param, 60) << "idle for the preselected hour";
}

TEST_F(AddTaskDlgTest, ModifyingShowsTheTaskAsItIs) {
  CTask task;
  task.id = 3;
  task.mode = kCountdown;
  task.action = kOpen;
  task.param = 90;
  task.start = static_cast<int32_t>(clock_.now - 60);
  task.nextRun = task.start + 90 * 60;
  task.state = kNormal;
  task.text.Assign(u"http://127.0.0.1/page");
  CAddTaskDlg editor(task, clock_, calls_);
  const INT_PTR result = Run(editor, [&](HWND dialog) {
    EXPECT_EQ(Text(ItemText(dialog, IDC_TASK_TITLE)), Text(u"定时任务-修改"));
    EXPECT_TRUE(Checked(dialog, IDC_TASK_MODE_COUNTDOWN));
    EXPECT_EQ(Selection(dialog, IDC_TASK_HOURS), 1);
    EXPECT_EQ(Selection(dialog, IDC_TASK_MINUTES), 30);
    EXPECT_TRUE(Checked(dialog, IDC_TASK_IS_URL));
    EXPECT_FALSE(ReadOnly(dialog, IDC_TASK_ENTRY));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_TASK_BROWSE)));
    EXPECT_EQ(Text(ItemText(dialog, IDC_TASK_ENTRY)), Text(u"http://127.0.0.1/page"));
    ClickButton(dialog, IDOK);
  });
  ASSERT_EQ(result, IDOK);
  EXPECT_EQ(editor.task().id, 3);
  EXPECT_EQ(editor.task().nextRun, clock_.now + 90 * 60) << "a countdown starts again at 确定";
}

TEST_F(AddTaskDlgTest, ModifyingAWeeklyTaskShowsItsDaysAndTime) {
  LocalFields start = Today();
  start.hour = 21;
  start.minute = 15;
  start.second = 30;
  CTask task;
  task.id = 1;
  task.mode = kWeekly;
  task.action = kLock;
  task.param = 32 | 64;
  task.warnSeconds = 12;
  task.start = static_cast<int32_t>(FromLocalFields(start, clock_.zone));
  task.nextRun = task.start;
  task.state = kStopped;
  CAddTaskDlg editor(task, clock_, calls_);
  const INT_PTR result = Run(editor, [&](HWND dialog) {
    EXPECT_TRUE(Checked(dialog, IDC_TASK_MODE_WEEKLY));
    for (int id = IDC_TASK_MONDAY; id <= IDC_TASK_FRIDAY; ++id)
      EXPECT_FALSE(Checked(dialog, id)) << id;
    EXPECT_TRUE(Checked(dialog, IDC_TASK_SATURDAY));
    EXPECT_TRUE(Checked(dialog, IDC_TASK_SUNDAY));
    const SYSTEMTIME time = Picker(dialog, IDC_TASK_TIME);
    EXPECT_EQ((std::array<int, 3>{time.wHour, time.wMinute, time.wSecond}),
              (std::array<int, 3>{21, 15, 30}));
    EXPECT_EQ(Selection(dialog, IDC_TASK_ACTION), kLock);
    EXPECT_EQ(Selection(dialog, IDC_TASK_WARN), 12);
    ClickButton(dialog, IDOK);
  });
  ASSERT_EQ(result, IDOK);
  EXPECT_EQ(editor.task().param, 32 | 64);
  EXPECT_EQ(editor.task().state, kNormal) << "a modified task runs again";
  EXPECT_EQ(editor.task().action, kLock);
  EXPECT_EQ(editor.task().warnSeconds, 12);
}

TEST_F(AddTaskDlgTest, PaintsBandsAndAFrame) {
  CAddTaskDlg editor(clock_, calls_);
  Run(editor, [&](HWND dialog) {
    ::RedrawWindow(dialog, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT client{};
    ::GetClientRect(dialog, &client);
    const int w = client.right;
    const int h = client.bottom;
    ScopedWindowDC dc(dialog);
    const auto at = [&](int x, int y) { return testing::Rgb(::GetPixel(dc.get(), x, y)); };
    const std::string band = testing::Rgb(RGB(230, 245, 255));
    const std::string line = testing::Rgb(RGB(182, 182, 182));
    const std::string white = testing::Rgb(RGB(255, 255, 255));
    EXPECT_EQ(at(w - 5, 3), band) << "top band";
    EXPECT_EQ(at(w - 5, h / 8 - 1), band);
    EXPECT_EQ(at(w - 5, h / 8), line) << "under the top band";
    EXPECT_EQ(at(w - 5, h / 8 + 1), white);
    EXPECT_EQ(at(w - 5, h / 2), white);
    EXPECT_EQ(at(w - 5, h * 4 / 5 - 2), white);
    EXPECT_EQ(at(w - 5, h * 4 / 5 - 1), line) << "over the bottom band";
    EXPECT_EQ(at(w - 5, h * 4 / 5), band) << "bottom band";
    EXPECT_EQ(at(w - 5, h - 3), band);
    for (const POINT frame :
         {POINT{0, h / 2}, POINT{w - 1, h / 2}, POINT{w / 2, 0}, POINT{w - 5, h - 1}})
      EXPECT_EQ(at(frame.x, frame.y), line) << "frame at " << frame.x << "," << frame.y;
    ClickButton(dialog, IDCANCEL);
  });
}

TEST_F(AddTaskDlgTest, CentredOverItsOwnerButInsideTheWorkArea) {
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const struct {
    const char* name;
    int x;
    int y;
  } owners[] = {
      {"in the middle", (work.left + work.right) / 2 - 100, (work.top + work.bottom) / 2 - 50},
      {"at the top-left corner", work.left, work.top}};
  for (const auto& place : owners) {
    SCOPED_TRACE(place.name);
    HWND owner = ::CreateWindowExW(0, L"Static", L"owner", WS_POPUP | WS_VISIBLE, place.x, place.y,
                                   200, 100, nullptr, nullptr, ModuleInstance(), nullptr);
    ::SetForegroundWindow(owner);
    ::SetActiveWindow(owner);
    ASSERT_EQ(::GetActiveWindow(), owner);
    CAddTaskDlg editor(clock_, calls_);
    RECT area{};
    Run(editor, [&](HWND dialog) {
      ::GetWindowRect(dialog, &area);
      ClickButton(dialog, IDCANCEL);
    });
    EXPECT_GE(area.left, work.left);
    EXPECT_GE(area.top, work.top);
    EXPECT_LE(area.right, work.right);
    EXPECT_LE(area.bottom, work.bottom);
    if (place.x != work.left) {
      EXPECT_EQ((area.left + area.right) / 2, place.x + 100) << "centred over the owner";
      EXPECT_EQ((area.top + area.bottom) / 2, place.y + 50);
    }
    ::DestroyWindow(owner);
  }
}

// The task holds 119 units of its target: the field takes no more, and a
// longer path from the file dialog is refused with the tip, not cut.
TEST_F(AddTaskDlgTest, AnOpenTargetLongerThanTheTaskHoldsIsRefused) {
  const TempFolder folder;
  std::filesystem::path file = folder.path();
  while (file.u16string().size() <= 130)
    file /= "a-folder-with-a-long-name";
  std::filesystem::create_directories(file);
  file /= "long.txt";
  std::ofstream(file) << "x";
  CAddTaskDlg editor(CAddTaskDlg::kOpenFlavour, clock_, calls_);
  Run(editor, [&](HWND dialog) {
    EXPECT_EQ(::SendDlgItemMessageW(dialog, IDC_TASK_ENTRY, EM_GETLIMITTEXT, 0, 0), 119);
    ::SetDlgItemTextW(dialog, IDC_TASK_ENTRY, L"C:\\keep.exe");
    {
      OnNextDialog choose([&](HWND fileDialog) {
        ::SetDlgItemTextW(fileDialog, cmb13, file.c_str());
        ::SetDlgItemTextW(fileDialog, edt1, file.c_str());
        ClickButton(fileDialog, IDOK);
      });
      ClickButton(dialog, IDC_TASK_BROWSE);
      EXPECT_TRUE(choose.ran());
    }
    EXPECT_EQ(Text(ItemText(dialog, IDC_TASK_ENTRY)), Text(u"C:\\keep.exe"));
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(dialog, IDC_TASK_MESSAGE)));
    EXPECT_EQ(Text(ItemText(dialog, IDC_TASK_MESSAGE)), Text(u"打开的程序或网址不能超过119个字！"));
    ClickButton(dialog, IDCANCEL);
  });
}

TEST_F(AddTaskDlgTest, BrowsePutsTheChosenFileIntoTheEntry) {
  const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                     ("browse-" + std::to_string(::GetCurrentProcessId()) + ".txt");
  std::ofstream(file) << "x";
  const std::u16string path = file.u16string();
  CAddTaskDlg editor(CAddTaskDlg::kOpenFlavour, clock_, calls_);
  bool fileDialogShown = false;
  Run(editor, [&](HWND dialog) {
    {
      OnNextDialog cancel([](HWND fileDialog) { ClickButton(fileDialog, IDCANCEL); });
      ClickButton(dialog, IDC_TASK_BROWSE);
      EXPECT_TRUE(cancel.ran());
    }
    EXPECT_EQ(Text(ItemText(dialog, IDC_TASK_ENTRY)), Text(u"")) << "cancelled: nothing taken";
    {
      OnNextDialog choose([&](HWND fileDialog) {
        fileDialogShown = true;
        // The file name field of the system's dialog.
        ::SetDlgItemTextW(fileDialog, cmb13, ToWide(path).c_str());
        ::SetDlgItemTextW(fileDialog, edt1, ToWide(path).c_str());
        ClickButton(fileDialog, IDOK);
      });
      ClickButton(dialog, IDC_TASK_BROWSE);
    }
    EXPECT_EQ(Text(ItemText(dialog, IDC_TASK_ENTRY)), Text(path));
    ClickButton(dialog, IDCANCEL);
  });
  EXPECT_TRUE(fileDialogShown);
  std::error_code ignored;
  std::filesystem::remove(file, ignored);
}

}  // namespace
}  // namespace nightlatch
