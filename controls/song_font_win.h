#pragma once

#include <windows.h>

#include "platform/dpi_win.h"
#include "platform/gdi_win.h"

namespace nightlatch {

// 宋体 in the GB2312 character set, `height` a LOGFONT height in pixels.
inline ScopedFont CreateSongFontOfHeight(int height, int weight) {
  return ScopedFont(::CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, GB2312_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_DONTCARE, L"宋体"));
}

// The dialogs' titles, tiles and links: `height` is the height at 96 DPI,
// made the window's.
inline ScopedFont CreateSongFont(HWND window, int height, int weight) {
  return CreateSongFontOfHeight(ScaleForWindow(window, height), weight);
}

// A point size at the window's DPI, not the system's.
inline ScopedFont CreateSongFontOfPoints(HWND window, int points, int weight) {
  return CreateSongFontOfHeight(-::MulDiv(points, WindowDpi(window), 72), weight);
}

// The bold title of the password dialog, the message box and the notice.
inline ScopedFont CreateTitleFont(HWND window) {
  return CreateSongFont(window, 14, FW_BOLD);
}

}  // namespace nightlatch
