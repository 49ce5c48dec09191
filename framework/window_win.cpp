#include "framework/window_win.h"

#include "framework/subclassed_window_win.h"
#include "platform/dpi_win.h"

namespace nightlatch {

Window::~Window() {
  if (hwnd_) {
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    ::DestroyWindow(hwnd_);
  }
}

bool Window::RegisterClass(const wchar_t* className,
                           HICON icon,
                           HBRUSH background,
                           UINT classStyle) {
  WNDCLASSEXW existing{sizeof existing};
  if (::GetClassInfoExW(ModuleInstance(), className, &existing))
    return true;
  WNDCLASSEXW windowClass{sizeof windowClass};
  windowClass.style = classStyle;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = ModuleInstance();
  windowClass.hIcon = icon;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = className;
  return ::RegisterClassExW(&windowClass) != 0;
}

HWND Window::Create(const wchar_t* className,
                    const wchar_t* title,
                    DWORD style,
                    DWORD exStyle,
                    const RECT& bounds,
                    HWND parent) {
  return ::CreateWindowExW(exStyle, className, title, style, bounds.left, bounds.top,
                           bounds.right - bounds.left, bounds.bottom - bounds.top, parent, nullptr,
                           ModuleInstance(), this);
}

void Window::DestroyWindow() {
  if (hwnd_)
    ::DestroyWindow(hwnd_);
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->hwnd_ = hwnd;
  }
  auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self)
    return ::DefWindowProcW(hwnd, message, wParam, lParam);

  LRESULT result = 0;
  bool handled = self->ProcessWindowMessage(hwnd, message, wParam, lParam, result);
  if (!handled)
    handled = ReflectNotification(hwnd, message, wParam, lParam, result);
  if (!handled)
    result = ::DefWindowProcW(hwnd, message, wParam, lParam);

  if (message == WM_NCDESTROY) {
    ::RemovePropW(hwnd, kLaidOutDpiProperty);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    self->OnFinalMessage(hwnd);
  }
  return result;
}

}  // namespace nightlatch
