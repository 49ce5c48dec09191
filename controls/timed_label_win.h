// The tip lines and status labels that hide themselves a fixed time after
// they were last shown; shown again, the time starts afresh. The caller
// sets the text first.
#pragma once

#include <windows.h>

namespace nightlatch {

inline void ShowForAWhile(HWND dialog, HWND label, UINT_PTR timer, UINT milliseconds) {
  ::KillTimer(dialog, timer);
  ::ShowWindow(label, SW_SHOWNA);
  ::SetTimer(dialog, timer, milliseconds, nullptr);
}

// For WM_TIMER: true when `firing` is the label's timer, which hides it.
inline bool HideWhenDue(HWND dialog, HWND label, UINT_PTR timer, WPARAM firing) {
  if (firing != timer)
    return false;
  ::KillTimer(dialog, timer);
  ::ShowWindow(label, SW_HIDE);
  return true;
}

}  // namespace nightlatch
