#include "controls/list_view_ctrl_bt_win.h"

#include "platform/gdi_win.h"

namespace nightlatch {

void CListViewCtrlBT::DrawCellBackground(HDC dc, const RECT& cell, int row, bool selected) {
  FillSolid(dc, cell, selected ? kSelectedRow : (row % 2 != 0 ? kOddRow : kEvenRow));
  FillSolid(dc, RECT{cell.left, cell.bottom - 2, cell.right, cell.bottom - 1}, kSeparator);
  FillSolid(dc, RECT{cell.left, cell.bottom - 1, cell.right, cell.bottom}, RGB(255, 255, 255));
}

bool CListViewCtrlBT::ProcessWindowMessage(HWND,
                                           UINT message,
                                           WPARAM,
                                           LPARAM lParam,
                                           LRESULT& result) {
  if (message != kReflectedNotify)
    return false;
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (header->code != NM_CUSTOMDRAW)
    return false;
  return OnCustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(lParam), result);
}

bool CListViewCtrlBT::OnCustomDraw(NMLVCUSTOMDRAW& draw, LRESULT& result) {
  switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      result = CDRF_NOTIFYITEMDRAW;
      return true;
    case CDDS_ITEMPREPAINT:
      result = CDRF_NOTIFYSUBITEMDRAW;
      return true;
    case CDDS_SUBITEM | CDDS_ITEMPREPAINT:
      DrawCell(draw);
      result = CDRF_SKIPDEFAULT;
      return true;
    case CDDS_ITEMPREERASE:
    case CDDS_POSTPAINT:
    case CDDS_PREERASE:
    case CDDS_POSTERASE:
    case CDDS_ITEMPOSTPAINT:
    case CDDS_ITEMPOSTERASE:
      result = 0;
      return true;
    default:
      return false;
  }
}

void CListViewCtrlBT::DrawCell(const NMLVCUSTOMDRAW& draw) {
  const int row = static_cast<int>(draw.nmcd.dwItemSpec);
  const int column = draw.iSubItem;
  RECT area{};
  if (!ListView_GetSubItemRect(hwnd(), row, column, LVIR_BOUNDS, &area))
    return;
  // Column 0's bounds are the whole row.
  if (column == 0)
    area.right = area.left + ListView_GetColumnWidth(hwnd(), 0);
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0)
    return;

  const Cell cell{row, column, ListView_GetItemState(hwnd(), row, LVIS_SELECTED) != 0, area};
  // Cell coordinates work unchanged on the canvas.
  OffscreenCanvas canvas(draw.nmcd.hdc, area);
  if (!canvas.valid())
    return;
  {
    ScopedSelect font(canvas.dc(),
                      reinterpret_cast<HGDIOBJ>(::SendMessageW(hwnd(), WM_GETFONT, 0, 0)));
    DrawCellBackground(canvas.dc(), area, row, cell.selected);
    if (painter_)
      painter_(canvas.dc(), cell);
  }
  canvas.Present();
}

}  // namespace nightlatch
