#include "framework/dialog_win.h"

#include <utility>
#include <vector>

#include "framework/dialog_scaling_win.h"
#include "framework/subclassed_window_win.h"
#include "platform/dpi_win.h"

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

void Dialog::FollowDpiChange(int dpi, const RECT* suggested) {
  const int from = WindowDpi(hwnd_);
  SetLaidOutDpi(hwnd_, dpi);
  if (suggested) {
    ::SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (from == dpi)
    return;
  // Outer dialogs first: a dialog places the pages inside it.
  std::vector<HWND> inner;
  ::EnumChildWindows(
      hwnd_,
      [](HWND child, LPARAM list) {
        if (reinterpret_cast<DLGPROC>(::GetWindowLongPtrW(child, DWLP_DLGPROC)) == DialogProc)
          reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&inner));
  ApplyDpi(from, dpi);
  for (HWND child : inner) {
    if (auto* dialog = reinterpret_cast<Dialog*>(::GetWindowLongPtrW(child, DWLP_USER)))
      dialog->ApplyDpi(from, dpi);
  }
}

void Dialog::ApplyDpi(int from, int to) {
  const std::vector<std::pair<HWND, int>> comboHeights = RescaledComboHeights(hwnd_, from, to);
  RescaleControls(hwnd_, from, to);
  const auto current =
      dpiFont_ ? dpiFont_.get() : reinterpret_cast<HFONT>(::SendMessageW(hwnd_, WM_GETFONT, 0, 0));
  LOGFONTW font{};
  if (current && ::GetObjectW(current, sizeof font, &font) && font.lfHeight < 0) {
    font.lfHeight = -::MulDiv(::MulDiv(-font.lfHeight, 72, from), to, 72);
    ScopedFont replacement(::CreateFontIndirectW(&font));
    if (replacement) {
      for (HWND child = ::GetWindow(hwnd_, GW_CHILD); child;
           child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (reinterpret_cast<HFONT>(::SendMessageW(child, WM_GETFONT, 0, 0)) == current)
          ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(replacement.get()), TRUE);
      }
      // The old one only once no control uses it.
      dpiFont_ = std::move(replacement);
    }
  }
  for (const auto& [combo, height] : comboHeights)
    SetClosedComboHeight(combo, height);
  OnDpiChanged(to);
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
    TakeOverDpiChanges(hwnd);
  }
  auto* self = reinterpret_cast<Dialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
  if (!self)
    return FALSE;

  if (message == WM_DPICHANGED) {
    self->FollowDpiChange(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
    return Answer(hwnd, message, 0);
  }

  LRESULT result = 0;
  bool handled = self->ProcessWindowMessage(hwnd, message, wParam, lParam, result);
  if (!handled)
    handled = ReflectNotification(hwnd, message, wParam, lParam, result);

  if (message == WM_NCDESTROY) {
    ::RemovePropW(hwnd, kLaidOutDpiProperty);
    ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    self->hwnd_ = nullptr;
    self->OnFinalMessage(hwnd);
    return FALSE;
  }
  return handled ? Answer(hwnd, message, result) : FALSE;
}

}  // namespace nightlatch
