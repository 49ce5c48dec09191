#include "controls/color_combo_box_win.h"

#include <string>

#include "framework/dialog_scaling_win.h"
#include "platform/dpi_win.h"
#include "platform/gdi_win.h"

namespace nightlatch {
namespace {

constexpr COLORREF kSelectedBackground = RGB(222, 250, 178);
constexpr int kTextIndent = 3;

}  // namespace

bool CColorComboBox::Attach(HWND comboBox) {
  if (!Subclass(comboBox))
    return false;
  // The combo box measured itself while the dialog was being created, before
  // this object could answer.
  ::SendMessageW(comboBox, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), kFieldHeight);
  // The frame around the field is the same at every DPI; the whole is scaled.
  RECT closed{};
  ::GetWindowRect(comboBox, &closed);
  SetClosedComboHeight(comboBox, ScaleForWindow(comboBox, closed.bottom - closed.top));
  ::SendMessageW(comboBox, CB_SETITEMHEIGHT, 0, ScaleForWindow(comboBox, kItemHeight));
  return true;
}

bool CColorComboBox::ProcessWindowMessage(HWND,
                                          UINT message,
                                          WPARAM,
                                          LPARAM lParam,
                                          LRESULT& result) {
  return HandleOwnerDraw(message, lParam, result);
}

void CColorComboBox::MeasureItem(MEASUREITEMSTRUCT& item) {
  item.itemHeight = static_cast<UINT>(
      ScaleForWindow(hwnd(), item.itemID == static_cast<UINT>(-1) ? kFieldHeight : kItemHeight));
}

void CColorComboBox::DrawItem(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1))
    return;
  HDC dc = item.hDC;
  FillSolid(dc, item.rcItem,
            (item.itemState & ODS_SELECTED) ? kSelectedBackground : RGB(255, 255, 255));

  const LRESULT length = ::SendMessageW(item.hwndItem, CB_GETLBTEXTLEN, item.itemID, 0);
  if (length <= 0)
    return;
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT copied = ::SendMessageW(item.hwndItem, CB_GETLBTEXT, item.itemID,
                                        reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);

  ScopedSelect font(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, RGB(0, 0, 0));
  RECT area = item.rcItem;
  area.left += ScaleForWindow(item.hwndItem, kTextIndent);
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
              DT_SINGLELINE | DT_VCENTER | DT_LEFT);
}

}  // namespace nightlatch
