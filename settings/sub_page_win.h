// What the settings sub-pages share: the white-on-blue header band across
// their top, and the status text each click leaves for the host to show.
#pragma once

#include <string>
#include <string_view>

#include <windows.h>

#include "controls/skin_mixins_win.h"
#include "framework/dialog_win.h"
#include "platform/gdi_win.h"

namespace nightlatch {

inline constexpr COLORREF kPageHeaderBlue = RGB(77, 175, 247);

// The check state a stored flag shows: outside 0 to 2, unchecked.
constexpr UINT BoxState(int32_t value) {
  return value >= 0 && value <= 2 ? static_cast<UINT>(value) : BST_UNCHECKED;
}

class SubPageParts {
 public:
  SubPageParts() : headerBrush_(::CreateSolidBrush(kPageHeaderBlue)) {}

  // The header's colours, for the page's OnStaticColor; null for any other
  // control.
  HBRUSH HeaderColors(HDC dc, HWND control, HWND header) const;

  const std::u16string& status() const { return status_; }
  bool refused() const { return refused_; }
  // Keeps `text` (at most 259 units) and sends WM_PAGE_STATUS with
  // `pageIndex` to the host, the page's parent. A refusal (nothing was
  // saved) shows in red.
  void Report(HWND page, int pageIndex, std::u16string_view text, bool refused);

 private:
  ScopedBrush headerBrush_;
  std::u16string status_;
  bool refused_ = false;
};

// A settings sub-page T: the skins (black text, white ground), the header
// band, and the status text its clicks report to the host.
template <typename T, UINT templateId, int headerId, int pageIndex>
class CSubPageDlg : public DialogImpl<T,
                                      CCtrlColor<T, true, RGB(0, 0, 0), RGB(255, 255, 255)>,
                                      CPaintBkgnd<T, false, RGB(255, 255, 255)>> {
 public:
  static constexpr UINT kTemplateId = templateId;
  // Its index in the host's selector, sent with WM_PAGE_STATUS.
  static constexpr int kPageIndex = pageIndex;

  // The text of the last WM_PAGE_STATUS, and whether it told of a refusal.
  const std::u16string& status() const { return parts_.status(); }
  bool statusRefused() const { return parts_.refused(); }
  HBRUSH OnStaticColor(HDC dc, HWND control) {
    return parts_.HeaderColors(dc, control, this->Item(headerId));
  }

 protected:
  void Report(std::u16string_view text) { parts_.Report(this->hwnd(), kPageIndex, text, false); }
  void Refuse(std::u16string_view text) { parts_.Report(this->hwnd(), kPageIndex, text, true); }

 private:
  SubPageParts parts_;
};

}  // namespace nightlatch
