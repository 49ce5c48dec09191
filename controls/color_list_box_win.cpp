#include "controls/color_list_box_win.h"

#include <string>

#include "platform/dpi_win.h"
#include "platform/gdi_win.h"

namespace nightlatch {

bool CColorListBox::Attach(HWND listBox) {
  if (!Subclass(listBox))
    return false;
  ::SendMessageW(listBox, LB_SETITEMHEIGHT, 0, ScaleForWindow(listBox, kItemHeight));
  return true;
}

void CColorListBox::MeasureItem(MEASUREITEMSTRUCT& item) {
  item.itemHeight = static_cast<UINT>(ScaleForWindow(hwnd(), kItemHeight));
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
  const auto scaled = [&item](int length) { return ScaleForWindow(item.hwndItem, length); };
  RECT area = item.rcItem;
  ::OffsetRect(&area, scaled(3), scaled(3));
  area.right -= scaled(6);
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillSolid(dc, area, selected ? kBlue : RGB(255, 255, 255));
  FillSolid(dc, RECT{scaled(3), area.bottom - scaled(1), area.right, area.bottom}, kLine);

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
  ::OffsetRect(&area, scaled(10), 0);
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
              DT_SINGLELINE | DT_VCENTER | DT_LEFT);
}

}  // namespace nightlatch
