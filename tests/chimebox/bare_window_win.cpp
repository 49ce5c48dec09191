// Yardsticks for how soon a started program is ready for input: the barest
// MinGW program with a hidden window and a message loop (bare_window), and
// the same with the start-up calls Chimebox must make before its frame, COM
// and the common controls, and its manifest (bare_window_startup). Each ends
// itself after a moment, as Chimebox does.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

namespace {

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      ::DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(1);
      return 0;
    default:
      return ::DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
#ifdef BARE_WINDOW_STARTUP_CALLS
  ::CoInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&controls);
#endif
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"BareWindow";
  if (!::RegisterClassW(&windowClass))
    return 0;
  HWND hwnd = ::CreateWindowExW(0, L"BareWindow", L"Bare", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0,
                                CW_USEDEFAULT, 0, nullptr, nullptr, instance, nullptr);
  if (!hwnd)
    return 0;
  ::ShowWindow(hwnd, SW_HIDE);
  ::SetTimer(hwnd, 1, 100, nullptr);
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
