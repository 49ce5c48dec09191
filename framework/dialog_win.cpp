#include "framework/dialog_win.h"

#include "framework/dialog_scaling_win.h"
#include "framework/subclassed_window_win.h"

namespace nightlatch {

Dialog::~Dialog() {
  if (hwnd_) {
    // The object goes first: detach it so no message reaches a dead object.
    ::SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
    ::DestroyWindow(hwnd_);
  }
}

INT_PTR Dialog::RunModal(UINT templateId, HWND owner) {
  return ::DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(templateId), owner, DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

HWND Dialog::CreateModeless(UINT templateId, HWND parent) {
  return ::CreateDialogParamW(ModuleInstance(), MAKEINTRESOURCEW(templateId), parent, DialogProc,
                              reinterpret_cast<LPARAM>(this));
}

void Dialog::EndDialog(INT_PTR result) {
  ::EndDialog(hwnd_, result);
}

void Dialog::DestroyWindow() {
  if (hwnd_)
    ::DestroyWindow(hwnd_);
}

void Dialog::CenterOver(HWND reference) {
  RECT area{};
  if (!reference || !::IsWindowVisible(reference) || !::GetWindowRect(reference, &area))
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  RECT own{};
  ::GetWindowRect(hwnd_, &own);
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  ::SetWindowPos(hwnd_, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR Dialog::Answer(HWND hwnd, UINT message, LRESULT result) {
  switch (message) {
    // These answer through the return value itself.
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
      return static_cast<INT_PTR>(result);
    default:
      ::SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
      return TRUE;
  }
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<Dialog*>(lParam);
    ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    self->hwnd_ = hwnd;
    // Before the dialog's own set-up, which places things by its controls.
    ScaleTemplateLayout(hwnd);
  }
  auto* self = reinterpret_cast<Dialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
  if (!self)
    return FALSE;

  LRESULT result = 0;
  bool handled = self->ProcessWindowMessage(hwnd, message, wParam, lParam, result);
  if (!handled)
    handled = ReflectNotification(hwnd, message, wParam, lParam, result);

  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    self->hwnd_ = nullptr;
    self->OnFinalMessage(hwnd);
    return FALSE;
  }
  return handled ? Answer(hwnd, message, result) : FALSE;
}

}  // namespace nightlatch
