#pragma once

#include <windows.h>

#include "platform/gdi_win.h"

namespace nightlatch {

// 宋体 in the GB2312 character set: the dialogs' titles, tiles and links.
inline ScopedFont CreateSongFont(int height, int weight) {
  return ScopedFont(::CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, GB2312_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_DONTCARE, L"宋体"));
}

// The bold title of the password dialog, the message box and the notice.
inline ScopedFont CreateTitleFont() {
  return CreateSongFont(14, FW_BOLD);
}

}  // namespace nightlatch
