// The yardstick for start-up time, idle CPU and memory: the barest MinGW
// dialog program that, like Nightlatch, runs a one-second timer.
#include <windows.h>

namespace {

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      ::SetTimer(dialog, 1, 1000, nullptr);
      return TRUE;
    case WM_TIMER:
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL)
        ::DestroyWindow(dialog);
      return TRUE;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  HWND dialog = ::CreateDialogParamW(instance, MAKEINTRESOURCEW(1), nullptr, DialogProc, 0);
  if (!dialog)
    return 1;
  ::ShowWindow(dialog, SW_SHOWNORMAL);
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!::IsDialogMessageW(dialog, &message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
  return 0;
}
