#include "settings/sub_page_win.h"

#include "resources/nightlatch_messages.h"

namespace nightlatch {

HBRUSH SubPageParts::HeaderColors(HDC dc, HWND control, HWND header) const {
  if (control != header)
    return nullptr;
  ::SetTextColor(dc, RGB(255, 255, 255));
  return headerBrush_.get();
}

void SubPageParts::Report(HWND page, int pageIndex, std::u16string_view text, bool refused) {
  status_ = text.substr(0, 259);
  refused_ = refused;
  ::SendMessageW(::GetParent(page), WM_PAGE_STATUS, static_cast<WPARAM>(pageIndex), 0);
}

}  // namespace nightlatch
