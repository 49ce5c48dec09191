// What the settings sub-pages share: the white-on-blue header band across
// their top, and the status text each click leaves for the host to show.
#pragma once

#include <string>
#include <string_view>

#include <windows.h>

#include "platform/gdi_win.h"

namespace nightlatch {

inline constexpr COLORREF kPageHeaderBlue = RGB(77, 175, 247);

class SubPageParts {
 public:
  SubPageParts() : headerBrush_(::CreateSolidBrush(kPageHeaderBlue)) {}

  // The header's colours, for the page's OnStaticColor; null for any other
  // control.
  HBRUSH HeaderColors(HDC dc, HWND control, HWND header) const;

  const std::u16string& status() const { return status_; }
  // Keeps `text` (at most 259 units) and sends WM_PAGE_STATUS with
  // `pageIndex` to the host, the page's parent.
  void Report(HWND page, int pageIndex, std::u16string_view text);

 private:
  ScopedBrush headerBrush_;
  std::u16string status_;
};

}  // namespace nightlatch
