#include "platform/popup_menu_win.h"

namespace nightlatch {

POINT PullOntoWorkArea(POINT cursor, const RECT* work) {
  if (!work || work->right <= work->left)
    return cursor;
  if (cursor.x < work->left)
    cursor.x = work->left;
  else if (cursor.x >= work->right)
    cursor.x = work->right - 1;
  return cursor;
}

POINT PopupPoint(POINT cursor) {
  if (::MonitorFromPoint(cursor, MONITOR_DEFAULTTONULL))
    return cursor;
  MONITORINFO monitor{sizeof monitor};
  const bool known =
      ::GetMonitorInfoW(::MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &monitor) != FALSE;
  return PullOntoWorkArea(cursor, known ? &monitor.rcWork : nullptr);
}

int ShowPopupAtCursor(HMENU popup, HWND owner, UINT flags) {
  if (!popup)
    return 0;
  POINT cursor{};
  ::GetCursorPos(&cursor);
  const POINT at = PopupPoint(cursor);
  return static_cast<int>(::TrackPopupMenu(popup, flags, at.x, at.y, 0, owner, nullptr));
}

}  // namespace nightlatch
