#include "controls/button_bt_win.h"

#include <string>

#include "controls/window_text_win.h"
#include "platform/gdi_win.h"

namespace nightlatch {
namespace {

constexpr COLORREF kDisabledCaption = RGB(180, 180, 180);

}  // namespace

bool CButtonBT::Attach(HWND button) {
  return TakeOver(button);
}

void CButtonBT::SetColors(const ButtonColors& colors) {
  colors_ = colors;
  if (hwnd())
    ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void CButtonBT::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  FillSolid(dc, item.rcItem, colors_.border);
  RECT face = item.rcItem;
  ::InflateRect(&face, -1, -1);
  // Pressed wins over hot, disabled over both.
  if (hot_.hot())
    FillSolid(dc, face, colors_.hotFace);
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  if (item.itemState & ODS_SELECTED)
    FillSolid(dc, face, colors_.pressedFace);
  else if (disabled)
    FillSolid(dc, face, RGB(255, 255, 255));
  else if (!hot_.hot())
    FillSolid(dc, face, colors_.normalFace);

  const std::wstring caption = WindowText(item.hwndItem);
  if (caption.empty())
    return;
  ScopedSelect font(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, disabled ? kDisabledCaption : colors_.caption);
  RECT client{};
  ::GetClientRect(item.hwndItem, &client);
  constexpr UINT kFormat = DT_WORDBREAK | DT_CENTER;
  RECT measured = client;
  const int height = ::DrawTextW(dc, caption.c_str(), -1, &measured, kFormat | DT_CALCRECT);
  RECT placed = client;
  placed.top = client.top + (client.bottom - client.top - height) / 2;
  placed.bottom = placed.top + height;
  ::DrawTextW(dc, caption.c_str(), -1, &placed, kFormat);
}

}  // namespace nightlatch
