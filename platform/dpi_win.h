// The DPI a window is laid out at, and 96-DPI lengths scaled to it.
#pragma once

#include <windows.h>

#include "platform/dpi_scale.h"
#include "platform/gdi_win.h"

namespace nightlatch {

// The DPI a top-level window was last laid out at after a WM_DPICHANGED,
// kept on it for its children too: the message is the window's word, also
// where the system has no GetDpiForWindow. Removed at WM_NCDESTROY.
inline constexpr wchar_t kLaidOutDpiProperty[] = L"NightlatchDpi";

inline void SetLaidOutDpi(HWND topLevel, int dpi) {
  ::SetPropW(topLevel, kLaidOutDpiProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(dpi)));
}

// The window's monitor's DPI under per-monitor awareness. GetDpiForWindow
// came with Windows 10 1607, so it is looked up at run time; before it,
// every window has the system DPI of the screen's device context.
inline int WindowDpi(HWND hwnd) {
  if (HWND root = hwnd ? ::GetAncestor(hwnd, GA_ROOT) : nullptr) {
    if (HANDLE laidOut = ::GetPropW(root, kLaidOutDpiProperty))
      return static_cast<int>(reinterpret_cast<INT_PTR>(laidOut));
  }
  using GetDpiForWindowFunction = UINT WINAPI(HWND);
  static GetDpiForWindowFunction* const forWindow = [] {
    HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<GetDpiForWindowFunction*>(
                        reinterpret_cast<void (*)()>(::GetProcAddress(user32, "GetDpiForWindow")))
                  : nullptr;
  }();
  if (forWindow && hwnd) {
    if (const UINT dpi = forWindow(hwnd))
      return static_cast<int>(dpi);
  }
  const int system = ::GetDeviceCaps(ScopedWindowDC(nullptr).get(), LOGPIXELSY);
  return system > 0 ? system : kBaseDpi;
}

// A 96-DPI length at the window's DPI.
inline int ScaleForWindow(HWND hwnd, int value) {
  return ScaleToDpi(value, WindowDpi(hwnd));
}

}  // namespace nightlatch
