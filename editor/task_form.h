// The add/modify dialog's decisions, free of windows: what its controls
// show for a task, and the check that turns what they hold into the task
// with its first run. The dialog reads its controls into a TaskForm, calls
// FinishTask and writes back; the first run comes from the engine's own
// calendar, so the editor and the scheduler agree on it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/calendar.h"
#include "engine/task.h"

namespace nightlatch {

struct PassClock;

// What the dialog's controls hold. Lists are given as the index of their
// selection (-1 when nothing is selected), as the controls report them; in
// the hours, minutes and warning lists the index is the value itself.
struct TaskForm {
  int32_t mode = 0;            // the checked radio button, 1..8; 0 when none is
  int32_t action = 0;          // Open or Reminder by the flavour, else the action list's index
  LocalFields picked;          // date from the date picker, time of day from the time picker
  int32_t everyDaysIndex = 0;  // " 1" .. "31"
  int32_t weekdayMask = 0;
  int32_t monthDayIndex = 0;  // " 1日" .. "31日"
  int32_t monthIndex = 0;     // " 1月" .. "12月"
  int32_t yearDayIndex = 0;   // " 1日" .. "31日"
  int32_t hours = 0;          // 0..24
  int32_t minutes = 0;        // 0..59
  int32_t warnSeconds = 0;    // 0..99
  bool isWebAddress = false;
  std::u16string text;  // the entry field, as typed
};

// Monday to Friday.
constexpr int32_t kWorkdays = 1 | 2 | 4 | 8 | 16;
constexpr int32_t kDefaultWarnSeconds = 30;
constexpr int32_t kReminderWarnSeconds = 60;
constexpr std::size_t kReminderMaxLength = 110;
// What an Open task's text holds, its terminator aside.
constexpr std::size_t kOpenTargetMaxLength = kTaskTextUnits - 1;
inline constexpr std::u16string_view kOpenTargetTooLong = u"打开的程序或网址不能超过119个字！";
inline constexpr std::u16string_view kWebPrefix = u"http://";

// The controls' contents for the working copy: a new task (id 0) or one
// with an unknown mode starts as 自定时 at the present moment with the
// defaults; an existing one shows its own values.
TaskForm FormForTask(const TaskFileRecord& working, const PassClock& clock);

struct FormOutcome {
  // Empty when the input was accepted; else the message line's text.
  std::u16string message;
  // The working copy with everything the dialog sets: mode, action, start,
  // nextRun, param, reserved, warnSeconds, created, state, text. Only
  // meaningful when accepted.
  TaskFileRecord task;

  bool accepted() const { return message.empty(); }
};

// The check of 确定 and the first run, at the moment `clock` gives.
FormOutcome FinishTask(const TaskForm& form, const TaskFileRecord& working, const PassClock& clock);

// The entry field after 是网址 is toggled: an address keeps the working
// text when that holds one, else starts as "http://"; a file shows the
// working text.
std::u16string EntryTextForToggle(bool isWebAddress, std::u16string_view workingText);

bool HoldsWebAddress(std::u16string_view text);

}  // namespace nightlatch
