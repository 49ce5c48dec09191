// Reading and setting a date-and-time picker in the calendar's fields.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "engine/calendar.h"

namespace nightlatch {

inline SYSTEMTIME PickerTime(HWND picker) {
  SYSTEMTIME time{};
  ::SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
  return time;
}

inline void SetPickerTime(HWND picker, const LocalFields& fields) {
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(fields.year);
  time.wMonth = static_cast<WORD>(fields.month);
  time.wDay = static_cast<WORD>(fields.day);
  time.wDayOfWeek = static_cast<WORD>(fields.weekday);
  time.wHour = static_cast<WORD>(fields.hour);
  time.wMinute = static_cast<WORD>(fields.minute);
  time.wSecond = static_cast<WORD>(fields.second);
  ::SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

}  // namespace nightlatch
