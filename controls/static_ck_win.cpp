#include "controls/static_ck_win.h"

#include <utility>

#include <shellapi.h>

#include "controls/window_text_win.h"
#include "engine/web_address.h"
#include "platform/gdi_win.h"

namespace nightlatch {
namespace {

HCURSOR HandCursor() {
  static const HCURSOR hand = ::LoadCursorW(nullptr, IDC_HAND);
  return hand;
}

// The result is not shown to the user: an address that cannot be opened
// simply does nothing.
void OpenInShell(const wchar_t* address) {
  ::ShellExecuteW(nullptr, nullptr, address, nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

bool CStaticCK::Attach(HWND label) {
  if (!Subclass(label))
    return false;
  const LONG_PTR style = ::GetWindowLongPtrW(label, GWL_STYLE);
  ::SetWindowLongPtrW(label, GWL_STYLE,
                      (style & ~static_cast<LONG_PTR>(SS_TYPEMASK)) | SS_NOTIFY | SS_OWNERDRAW);
  ::InvalidateRect(label, nullptr, TRUE);
  return true;
}

void CStaticCK::SetAlignment(Horizontal horizontal, Vertical vertical) {
  horizontal_ = horizontal;
  vertical_ = vertical;
}

void CStaticCK::SetColors(COLORREF normal, COLORREF hot) {
  normalColor_ = normal;
  hotColor_ = hot;
}

void CStaticCK::SetTransparent(bool transparent, COLORREF background) {
  transparent_ = transparent;
  background_ = background;
}

bool CStaticCK::ProcessWindowMessage(HWND hwnd,
                                     UINT message,
                                     WPARAM,
                                     LPARAM lParam,
                                     LRESULT& result) {
  hot_.Follow(hwnd, message);
  switch (message) {
    case WM_SETCURSOR:
      ::SetCursor(HandCursor());
      result = TRUE;
      return true;
    case WM_LBUTTONDOWN:
      // Web pages only: a link's address may have come from the network.
      if (IsWebAddress(address_))
        (opener_ ? opener_ : OpenInShell)(address_.c_str());
      return false;
    default:
      return HandleOwnerDraw(message, lParam, result);
  }
}

void CStaticCK::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  if (!transparent_)
    FillSolid(dc, item.rcItem, background_);
  const std::wstring text = WindowText(item.hwndItem);
  if (text.empty())
    return;

  ScopedSelect font(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, hot_.hot() ? hotColor_ : normalColor_);

  UINT format = singleLine_ ? DT_SINGLELINE : DT_WORDBREAK;
  if (horizontal_ == Horizontal::kCentre)
    format |= DT_CENTER;
  else if (horizontal_ == Horizontal::kRight)
    format |= DT_RIGHT;

  RECT client{};
  ::GetClientRect(item.hwndItem, &client);
  RECT placed = client;
  ::DrawTextW(dc, text.c_str(), -1, &placed, format | DT_CALCRECT);
  const int width = placed.right - placed.left;
  const int height = placed.bottom - placed.top;
  if (horizontal_ == Horizontal::kCentre)
    ::OffsetRect(&placed, (client.right - client.left - width) / 2, 0);
  else if (horizontal_ == Horizontal::kRight)
    ::OffsetRect(&placed, client.right - client.left - width, 0);
  if (vertical_ == Vertical::kCentre)
    ::OffsetRect(&placed, 0, (client.bottom - client.top - height) / 2);
  else if (vertical_ == Vertical::kBottom)
    ::OffsetRect(&placed, 0, client.bottom - client.top - height);
  ::DrawTextW(dc, text.c_str(), -1, &placed, format);
}

}  // namespace nightlatch
