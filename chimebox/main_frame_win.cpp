#include "chimebox/main_frame_win.h"

#include <iterator>

#include "chimebox/announcer_win.h"
#include "platform/scoped_handle_win.h"
#include "resources/chimebox_ids.h"

namespace nightlatch {
namespace {

constexpr wchar_t kClassName[] = L"ChimeboxFrame";
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
constexpr DWORD kExStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
// The program's result when the frame goes; also the process's exit code.
constexpr int kQuitCode = 1;

DWORD WINAPI AnnounceThenClose(void* frame) {
  SpeakCurrentTime();
  ::PostMessageW(static_cast<HWND>(frame), WM_CLOSE, 0, 0);
  return 0;
}

}  // namespace

bool CMainFrame::CreateFrame() {
  const HINSTANCE instance = ModuleInstance();
  if (!RegisterClass(kClassName, ::LoadIconW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME)),
                     reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)))
    return false;
  wchar_t title[64] = {};
  ::LoadStringW(instance, IDR_MAINFRAME, title, static_cast<int>(std::size(title)));
  // Never shown: the system picks the place, and the size stays nothing.
  const RECT bounds{CW_USEDEFAULT, 0, CW_USEDEFAULT, 0};
  if (!Create(kClassName, title, kStyle, kExStyle, bounds, nullptr))
    return false;
  ::SetMenu(hwnd(), ::LoadMenuW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME)));
  accelerators_ = ::LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME));
  return true;
}

bool CMainFrame::ProcessWindowMessage(HWND hwnd,
                                      UINT message,
                                      WPARAM wParam,
                                      LPARAM,
                                      LRESULT& result) {
  switch (message) {
    case WM_CREATE:
      // Without its worker the frame would wait for ever: better not to be.
      result = OnCreate(hwnd) ? 0 : -1;
      return true;
    case WM_DESTROY:
      OnDestroy();
      return true;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDM_APP_EXIT:
          ::PostMessageW(hwnd, WM_CLOSE, 0, 0);
          return true;
        case IDM_FILE_NEW:
        case IDM_APP_ABOUT:
          return true;
        default:
          return false;
      }
    default:
      return false;
  }
}

bool CMainFrame::PreTranslateMessage(MSG& message) {
  return accelerators_ && ::TranslateAcceleratorW(hwnd(), accelerators_, &message);
}

bool CMainFrame::OnCreate(HWND hwnd) {
  if (MessageLoop* loop = MessageLoop::Current()) {
    loop->AddMessageFilter(this);
    loop->AddIdleHandler(this);
  }
  // Never joined: the worker ends the program by closing the frame.
  const ScopedHandle worker(::CreateThread(nullptr, 0, AnnounceThenClose, hwnd, 0, nullptr));
  // Refusing the window also sends WM_DESTROY, which undoes the above.
  return worker.valid();
}

void CMainFrame::OnDestroy() {
  if (MessageLoop* loop = MessageLoop::Current()) {
    loop->RemoveMessageFilter(this);
    loop->RemoveIdleHandler(this);
  }
  ::PostQuitMessage(kQuitCode);
}

}  // namespace nightlatch
