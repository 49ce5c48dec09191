#include "controls/bitmap_button_win.h"

#include "platform/gdi_win.h"

namespace nightlatch {

ScopedImageList LoadImageList(UINT bitmapId, int imageWidth, COLORREF mask) {
  return ScopedImageList(::ImageList_LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(bitmapId),
                                                imageWidth, 0, mask, IMAGE_BITMAP,
                                                LR_CREATEDIBSECTION));
}

bool CBitmapButton::Attach(HWND button, HIMAGELIST images, const Images& slots) {
  images_ = images;
  slots_ = slots;
  return TakeOver(button);
}

int CBitmapButton::ImageFor(UINT itemState) const {
  if (itemState & ODS_DISABLED)
    return slots_.disabled;
  if (itemState & ODS_SELECTED)
    return slots_.pushed;
  if (hot_.hot() || (itemState & ODS_FOCUS))
    return slots_.hot;
  return slots_.normal;
}

void CBitmapButton::DrawItem(const DRAWITEMSTRUCT& item) {
  const RECT& area = item.rcItem;
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  // A button's item rectangle is its client area, starting at 0,0.
  OffscreenCanvas canvas(item.hDC, area);
  if (!canvas.valid())
    return;
  // The parent paints what shows through the picture's transparent parts.
  HWND parent = ::GetParent(item.hwndItem);
  POINT origin{0, 0};
  ::MapWindowPoints(item.hwndItem, parent, &origin, 1);
  ::SetViewportOrgEx(canvas.dc(), -origin.x, -origin.y, nullptr);
  ::SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc()), 0);
  ::SetViewportOrgEx(canvas.dc(), 0, 0, nullptr);

  int imageWidth = 0;
  int imageHeight = 0;
  if (images_ && ::ImageList_GetIconSize(images_, &imageWidth, &imageHeight))
    ::ImageList_Draw(images_, ImageFor(item.itemState), canvas.dc(), (width - imageWidth) / 2,
                     (height - imageHeight) / 2, ILD_TRANSPARENT);
  canvas.Present();
}

}  // namespace nightlatch
