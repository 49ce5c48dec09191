// Window messages between the parts of Nightlatch, all on the UI thread.
#pragma once

#include <windows.h>

namespace nightlatch {

constexpr UINT WM_TASK_RUN = WM_USER + 5;        // lParam: TaskRunRequest*, freed by the receiver
constexpr UINT WM_OPEN_TASKS = WM_USER + 6;      // lParam 1 also opens the add dialog
constexpr UINT WM_PROMPT_CLOSED = WM_USER + 10;  // lParam: the prompt
constexpr UINT WM_UPDATE_FETCHED = WM_USER + 11;
constexpr UINT WM_PAGE_STATUS = WM_USER + 12;
constexpr UINT WM_HOTKEY_CHANGED = WM_USER + 13;
constexpr UINT WM_CLOCK_SETTINGS = WM_USER + 14;  // lParam: the clock flag
// The basic page switched the wake timer; answers whether wakes are allowed.
constexpr UINT WM_WAKE_CHANGED = WM_USER + 15;
constexpr UINT WM_TRAY_CALLBACK = WM_USER + 180;
constexpr UINT WM_FINISH_START = WM_USER + 181;  // posted to itself by the main dialog
constexpr UINT WM_SAVE_TASKS = WM_USER + 182;    // posted to itself after a pass's run requests

constexpr int kSpeakHotkeyId = 1124;
constexpr UINT kTrayIconId = 128;

}  // namespace nightlatch
