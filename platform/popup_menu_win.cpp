#include "platform/popup_menu_win.h"

namespace nightlatch {

POINT PopupPoint(POINT cursor) {
  if (::MonitorFromPoint(cursor, MONITOR_DEFAULTTONULL))
    return cursor;
  MONITORINFO monitor{sizeof monitor};
  if (!::GetMonitorInfoW(::MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &monitor) ||
      monitor.rcWork.right <= monitor.rcWork.left)
    return cursor;
  if (cursor.x < monitor.rcWork.left)
    cursor.x = monitor.rcWork.left;
  else if (cursor.x >= monitor.rcWork.right)
    cursor.x = monitor.rcWork.right - 1;
  return cursor;
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
