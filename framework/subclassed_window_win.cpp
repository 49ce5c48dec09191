#include "framework/subclassed_window_win.h"

#include <commctrl.h>

namespace nightlatch {
namespace {

constexpr UINT_PTR kSubclassId = 0x4E4C;  // one id for every control object
// The object is also kept in a window property: MinGW's comctl32 import
// library lacks GetWindowSubclass.
constexpr wchar_t kObjectProperty[] = L"Nightlatch.Control";

}  // namespace

SubclassedWindow::~SubclassedWindow() {
  Unsubclass();
}

bool SubclassedWindow::Subclass(HWND control) {
  Unsubclass();
  if (!control ||
      !::SetWindowSubclass(control, Proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
    return false;
  ::SetPropW(control, kObjectProperty, this);
  hwnd_ = control;
  return true;
}

void SubclassedWindow::Unsubclass() {
  if (hwnd_) {
    ::RemoveWindowSubclass(hwnd_, Proc, kSubclassId);
    ::RemovePropW(hwnd_, kObjectProperty);
  }
  hwnd_ = nullptr;
}

SubclassedWindow* SubclassedWindow::FromHandle(HWND control) {
  if (!control)
    return nullptr;
  return static_cast<SubclassedWindow*>(::GetPropW(control, kObjectProperty));
}

LRESULT SubclassedWindow::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefSubclassProc(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK SubclassedWindow::Proc(HWND hwnd,
                                        UINT message,
                                        WPARAM wParam,
                                        LPARAM lParam,
                                        UINT_PTR,
                                        DWORD_PTR self) {
  auto* window = reinterpret_cast<SubclassedWindow*>(self);
  if (message == WM_NCDESTROY) {
    window->Unsubclass();
    return ::DefSubclassProc(hwnd, message, wParam, lParam);
  }
  LRESULT result = 0;
  if (window->ProcessWindowMessage(hwnd, message, wParam, lParam, result))
    return result;
  return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

bool ReflectNotification(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  HWND control = nullptr;
  switch (message) {
    case WM_DRAWITEM:
      control = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
      break;
    case WM_MEASUREITEM: {
      // Only the id is given; a menu's item has no control.
      const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
      if (item->CtlType == ODT_MENU)
        return false;
      control = ::GetDlgItem(parent, static_cast<int>(item->CtlID));
      break;
    }
    case WM_COMPAREITEM:
      control = reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam)->hwndItem;
      break;
    case WM_DELETEITEM:
      control = reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->hwndItem;
      break;
    case WM_NOTIFY:
      control = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
      break;
    case WM_COMMAND:
      control = reinterpret_cast<HWND>(lParam);
      break;
    default:
      return false;
  }
  SubclassedWindow* window = SubclassedWindow::FromHandle(control);
  if (!window)
    return false;
  return window->ProcessWindowMessage(control, kReflectedBase + message, wParam, lParam, result);
}

}  // namespace nightlatch
