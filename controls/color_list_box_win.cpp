#include "controls/color_list_box_win.h"

#include <string>

#include "platform/gdi_win.h"

namespace nightlatch {

bool CColorListBox::Attach(HWND listBox) {
  if (!Subclass(listBox))
    return false;
  ::SendMessageW(listBox, LB_SETITEMHEIGHT, 0, kItemHeight);
  return true;
}

bool CColorListBox::ProcessWindowMessage(HWND hwnd,
                                         UINT message,
                                         WPARAM wParam,
                                         LPARAM lParam,
                                         LRESULT& result) {
  if (message == WM_ERASEBKGND) {
    RECT client{};
    ::GetClientRect(hwnd, &client);
    FillSolid(reinterpret_cast<HDC>(wParam), client, kBlue);
    result = 1;
    return true;
  }
  return HandleOwnerDraw(message, lParam, result);
}

void CColorListBox::DrawItem(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1))
    return;
  HDC dc = item.hDC;
  RECT area = item.rcItem;
  ::OffsetRect(&area, 3, 3);
  area.right -= 6;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillSolid(dc, area, selected ? kBlue : RGB(255, 255, 255));
  FillSolid(dc, RECT{3, area.bottom - 1, area.right, area.bottom}, kLine);

  const LRESULT length = ::SendMessageW(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0);
  if (length <= 0)
    return;
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT copied =
      ::SendMessageW(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  ScopedSelect font(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, selected ? RGB(255, 255, 255) : RGB(0, 0, 0));
  ::OffsetRect(&area, 10, 0);
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
              DT_SINGLELINE | DT_VCENTER | DT_LEFT);
}

}  // namespace nightlatch
